#include "check/NameMap.h"

#include <unordered_map>
#include <unordered_set>

#include "decode/RecordLayout.h"
#include "host/TarvoHost.h"
#include "source/TarvoModelObj.h"
#include "target/VantraModel.h"

namespace t2v::check {
namespace {

// Row numbers of a table's records by their name (the text at offset 0).
template <class Table>
std::unordered_map<std::string, std::int64_t> rowsByName(const Table& table, std::size_t length) {
    std::unordered_map<std::string, std::int64_t> rows;
    for (std::int32_t r = 1; r <= table.count(); ++r) rows.emplace(decode::DecodeText(table.rowBytes(r), length), r);
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

std::vector<NameMapRow> BuildNameMap(const source::TarvoModelObj& srcConst, const target::VantraModel& m,
                                     host::TarvoHost& host) {
    // The source model's accessors are not const; nothing here changes it.
    auto& src = const_cast<source::TarvoModelObj&>(srcConst);
    std::vector<NameMapRow> rows;
    // Nodes the transfer adds (centres and mid-sides of split triangles) are no host
    // point; they are listed as "added node" under the label the transfer gave them.
    host::Names points;
    host.GetPointNameList(points);
    std::unordered_set<std::string> hostPoints(points.begin(), points.end());
    for (int i = 1; i <= src.NodeNum(); ++i) {
        const auto& n = src.NodeObj(i);
        rows.push_back({hostPoints.count(n.Label) ? "point" : "added node", n.Label, "node", n.id, ""});
    }
    std::vector<std::string> groupNames;
    for (std::int32_t g = 1; g <= m.ElementGroupTable.count(); ++g)
        groupNames.push_back(decode::DecodeText(m.ElementGroupTable.rowBytes(g), 40));
    auto element = [&](const char* kind, const std::string& label, std::int32_t id, std::int32_t group) {
        if (id < 1) {
            rows.push_back({kind, label, "", 0, ""});
            return;
        }
        std::string name = group >= 1 && static_cast<std::size_t>(group) <= groupNames.size()
                               ? groupNames[static_cast<std::size_t>(group - 1)]
                               : std::string();
        rows.push_back({kind, label, "element", id, name});
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
                               ? decode::DecodeText(m.FrameTable.rowBytes(static_cast<std::int32_t>(frame)), 20)
                               : std::string();
        rows.push_back({"group", g, "frame", frame, name});
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
            rows.push_back({"pattern", p.Label, became, it->second, name});
            any = true;
        };
        add(nodal, p.VantraLoadPatternNodeName, "nodal load pattern");
        add(element_, p.VantraLoadPatternElementName, "element load pattern");
        add(self, p.VantraLoadPatternSelfWeightName, "self-weight pattern");
        if (!any) rows.push_back({"pattern", p.Label, "", 0, ""});
    }

    const auto gravity = rowsByName(m.GravityLoadCaseTable, 40);
    const auto pushover = rowsByName(m.PushoverLoadCaseTable, 40);
    const auto dynamic = rowsByName(m.DynamicLoadCaseTable, 40);
    host::Names cases;
    host.GetLoadCaseNameList(0, cases);
    for (const std::string& c : cases) {
        if (auto it = gravity.find(c); it != gravity.end())
            rows.push_back({"case", c, "gravity load case", it->second, c});
        else if (auto it2 = pushover.find(c); it2 != pushover.end())
            rows.push_back({"case", c, "pushover load case", it2->second, c});
        else if (auto it3 = dynamic.find(c); it3 != dynamic.end())
            rows.push_back({"case", c, "dynamic load case", it3->second, c});
        else
            rows.push_back({"case", c, "", 0, ""});
    }
    return rows;
}

void WriteNameMapCsv(const std::vector<NameMapRow>& rows, std::ostream& out) {
    out << "kind,host name,became,number,name\n";
    for (const NameMapRow& r : rows) {
        out << csvField(r.kind) << ',' << csvField(r.host) << ',' << csvField(r.became) << ',';
        if (!r.became.empty()) out << r.number;
        out << ',' << csvField(r.name) << '\n';
    }
}

}  // namespace t2v::check
