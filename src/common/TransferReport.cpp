#include "common/TransferReport.h"

#include <map>

#include "common/Text.h"

namespace t2v {
namespace {

std::string jsonString(std::string_view s) {
    std::string out;
    AppendJsonString(out, s);
    return out;
}

// The fixed part of a reason: what comes before a detail in parentheses or after ": ".
std::string reasonKey(const std::string& reason) {
    const std::size_t at = reason.find(" (");
    return at == std::string::npos ? reason : reason.substr(0, at);
}

}  // namespace

void TransferReport::add(std::string_view kind, std::string_view name, std::string_view reason, bool problem,
                         std::string_view detail) {
    ReportItem item{std::string(kind), std::string(name), std::string(reason), problem};
    if (!detail.empty()) item.reason += " (" + std::string(detail) + ")";
    items_.push_back(std::move(item));
}

bool TransferReport::hasProblems(bool strict) const {
    if (strict) return !items_.empty();
    for (const ReportItem& i : items_)
        if (i.problem) return true;
    return false;
}

std::string TransferReport::summary(std::size_t namesPerReason, bool strict) const {
    struct Group {
        std::string kind;
        std::size_t count = 0;
        bool problem = false;
        std::vector<std::string> names;
    };
    std::vector<std::string> order;
    std::map<std::string, Group> groups;
    for (const ReportItem& i : items_) {
        const std::string key = i.kind + "\n" + reasonKey(i.reason);
        auto [it, fresh] = groups.try_emplace(key);
        if (fresh) {
            order.push_back(key);
            it->second.kind = i.kind;
        }
        Group& g = it->second;
        ++g.count;
        g.problem = g.problem || i.problem || strict;
        if (g.names.size() < namesPerReason) g.names.push_back(i.name);
    }
    std::string out;
    for (const std::string& key : order) {
        const Group& g = groups[key];
        out += g.problem ? "  problem: " : "  left out or changed: ";
        out += key.substr(key.find('\n') + 1) + ": " + std::to_string(g.count) + " " + g.kind +
               (g.count == 1 ? "" : "s") + " (";
        for (std::size_t k = 0; k < g.names.size(); ++k) out += (k ? ", " : "") + g.names[k];
        if (g.count > g.names.size()) out += ", ...";
        out += ")\n";
    }
    return out;
}

std::string TransferReport::text(bool strict) const {
    std::string out;
    for (const ReportItem& i : items_)
        out += std::string(i.problem || strict ? "problem" : "note") + "\t" + i.kind + "\t" + i.name + "\t" + i.reason +
               "\r\n";
    return out;
}

std::string TransferReport::json(bool strict) const {
    std::string out = "{\"items\": [";
    std::size_t problems = 0;
    for (std::size_t k = 0; k < items_.size(); ++k) {
        const ReportItem& i = items_[k];
        const bool problem = i.problem || strict;
        problems += problem ? 1 : 0;
        out += std::string(k ? ",\n  " : "\n  ") + "{\"kind\": " + jsonString(i.kind) +
               ", \"name\": " + jsonString(i.name) + ", \"reason\": " + jsonString(i.reason) +
               ", \"problem\": " + (problem ? "true" : "false") + "}";
    }
    out += std::string(items_.empty() ? "" : "\n") + "], \"problems\": " + std::to_string(problems) + "}\n";
    return out;
}

}  // namespace t2v
