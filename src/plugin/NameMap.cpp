#include "plugin/NameMap.h"

#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "common/Text.h"
#include "host/TarvoHost.h"
#include "source/TarvoModelObj.h"
#include "target/VantraModel.h"

namespace t2v::plugin {
namespace {

// A fixed-length text field of a record, as the structure files hold it.
std::string fieldText(const std::uint8_t* p, std::size_t length) {
    return fromCp1252(trimRightBlanks(std::string_view(reinterpret_cast<const char*>(p), length)));
}

// Row numbers of a table's records by their name (the text at offset 0).
template <class Table>
std::unordered_map<std::string, std::int64_t> rowsByName(const Table& table, std::size_t length) {
    std::unordered_map<std::string, std::int64_t> rows;
    for (std::int32_t r = 1; r <= table.count(); ++r) rows.emplace(fieldText(table.rowBytes(r), length), r);
    return rows;
}

std::string csvField(const std::string& s) {
    if (s.find_first_of(",\"\r\n") == std::string::npos) return s;
    std::string q = "\"";
    for (char c : s) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + '"';
}

}  // namespace

void ForEachNameMapRow(const source::TarvoModelObj& srcConst, const target::VantraModel& m, host::TarvoHost& host,
                       const std::function<void(const NameMapRow&)>& emit) {
    // The source model's accessors are not const; nothing here changes it.
    auto& src = const_cast<source::TarvoModelObj&>(srcConst);
    // Nodes the transfer adds (centres and mid-sides of split triangles) are no host
    // point; they are listed as "added node" under the label the transfer gave them.
    host::Names points;
    host.GetPointNameList(points);
    std::unordered_set<std::string> hostPoints(points.begin(), points.end());
    for (int i = 1; i <= src.NodeNum(); ++i) {
        const auto& n = src.NodeObj(i);
        emit(NameMapRow{hostPoints.count(n.Label) ? "point" : "added node", n.Label, "node", n.id, ""});
    }
    std::vector<std::string> groupNames;
    for (std::int32_t g = 1; g <= m.ElementGroupTable.count(); ++g)
        groupNames.push_back(fieldText(m.ElementGroupTable.rowBytes(g), 40));
    auto element = [&](const char* kind, const std::string& label, std::int32_t id, std::int32_t group) {
        if (id < 1) {
            emit(NameMapRow{kind, label, "", 0, ""});
            return;
        }
        std::string name = group >= 1 && static_cast<std::size_t>(group) <= groupNames.size()
                               ? groupNames[static_cast<std::size_t>(group - 1)]
                               : std::string();
        emit(NameMapRow{kind, label, "element", id, name});
    };
    for (int i = 1; i <= src.FrameNum(); ++i) {
        const auto& f = src.FrameObj(i);
        element("frame", f.Label, f.idVantraElem, f.idVantraElemGroup);
    }
    for (int i = 1; i <= src.AreaNum(); ++i) {
        const auto& a = src.AreaObj(i);
        element("area", a.Label, a.idVantraElem, a.idVantraElemGroup);
    }

    // Host groups become frames in their order, "ALL" aside.
    host::Names groups;
    host.GetGroupNameList(groups);
    std::int64_t frame = 0;
    for (const std::string& g : groups) {
        if (g == "ALL") continue;
        ++frame;
        std::string name = frame <= m.FrameTable.count()
                               ? fieldText(m.FrameTable.rowBytes(static_cast<std::int32_t>(frame)), 20)
                               : std::string();
        emit(NameMapRow{"group", g, "frame", frame, name});
    }

    const auto nodal = rowsByName(m.NodalLoadPatternTable, 40);
    const auto element_ = rowsByName(m.ElementLoadPatternTable, 40);
    const auto self = rowsByName(m.SelfWeightPatternTable, 40);
    for (int i = 1; i <= src.LoadPatternNum(); ++i) {
        const auto& p = src.LoadPatternObj(i);
        bool any = false;
        auto add = [&](const std::unordered_map<std::string, std::int64_t>& table, const std::string& name,
                       const char* became) {
            if (name.empty()) return;
            auto it = table.find(name);
            if (it == table.end()) return;
            emit(NameMapRow{"pattern", p.Label, became, it->second, name});
            any = true;
        };
        add(nodal, p.VantraLoadPatternNodeName, "nodal load pattern");
        add(element_, p.VantraLoadPatternElementName, "element load pattern");
        add(self, p.VantraLoadPatternSelfWeightName, "self-weight pattern");
        if (!any) emit(NameMapRow{"pattern", p.Label, "", 0, ""});
    }

    const auto gravity = rowsByName(m.GravityLoadCaseTable, 40);
    const auto pushover = rowsByName(m.PushoverLoadCaseTable, 40);
    const auto dynamic = rowsByName(m.DynamicLoadCaseTable, 40);
    host::Names cases;
    host.GetLoadCaseNameList(0, cases);
    for (const std::string& c : cases) {
        if (auto it = gravity.find(c); it != gravity.end())
            emit(NameMapRow{"case", c, "gravity load case", it->second, c});
        else if (auto it2 = pushover.find(c); it2 != pushover.end())
            emit(NameMapRow{"case", c, "pushover load case", it2->second, c});
        else if (auto it3 = dynamic.find(c); it3 != dynamic.end())
            emit(NameMapRow{"case", c, "dynamic load case", it3->second, c});
        else
            emit(NameMapRow{"case", c, "", 0, ""});
    }
}

std::vector<NameMapRow> BuildNameMap(const source::TarvoModelObj& src, const target::VantraModel& store,
                                     host::TarvoHost& host) {
    std::vector<NameMapRow> rows;
    ForEachNameMapRow(src, store, host, [&](const NameMapRow& r) { rows.push_back(r); });
    return rows;
}

std::string NameMapCsv(const source::TarvoModelObj& src, const target::VantraModel& store, host::TarvoHost& host) {
    std::string csv = kNameMapHeader;
    ForEachNameMapRow(src, store, host, [&](const NameMapRow& r) { AppendNameMapCsv(r, csv); });
    return csv;
}

void AppendNameMapCsv(const NameMapRow& r, std::string& out) {
    out += csvField(r.kind);
    out += ',';
    out += csvField(r.host);
    out += ',';
    out += csvField(r.became);
    out += ',';
    if (!r.became.empty()) out += std::to_string(r.number);
    out += ',';
    out += csvField(r.name);
    out += '\n';
}

void WriteNameMapCsv(const std::vector<NameMapRow>& rows, std::ostream& out) {
    std::string csv = kNameMapHeader;
    for (const NameMapRow& r : rows) AppendNameMapCsv(r, csv);
    out << csv;
}

}  // namespace t2v::plugin
