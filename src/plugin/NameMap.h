// The name map: every host point, frame, area, group, load pattern and load case with
// the node, element, frame, pattern or case number it became, so that one host object
// can be found in a structure without matching coordinates by hand.
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace t2v::host {
class TarvoHost;
}
namespace t2v::source {
class TarvoModelObj;
}
namespace t2v::target {
struct VantraModel;
}

namespace t2v::plugin {

struct NameMapRow {
    std::string kind;    // point, added node, frame, area, group, pattern, case
    std::string host;    // the host object's name
    std::string became;  // node, element, frame, nodal load pattern, ..., or "" when nothing
    std::int64_t number = 0;
    std::string name;  // the structure's name of it (group name, pattern name, ...)
};

// From the source model and the store of one transfer, once filled; the host answers
// the point, group and load case lists. Rows come in order: points, frames, areas,
// groups, patterns, cases.
void ForEachNameMapRow(const source::TarvoModelObj& src, const target::VantraModel& store, host::TarvoHost& host,
                       const std::function<void(const NameMapRow&)>& emit);
std::vector<NameMapRow> BuildNameMap(const source::TarvoModelObj& src, const target::VantraModel& store,
                                     host::TarvoHost& host);

// CSV with a header line: kind,host name,became,number,name. Fields holding a comma,
// a quote or a line break are quoted; an object that became nothing has an empty number.
inline constexpr const char* kNameMapHeader = "kind,host name,became,number,name\n";
void AppendNameMapCsv(const NameMapRow& row, std::string& out);
void WriteNameMapCsv(const std::vector<NameMapRow>& rows, std::ostream& out);
// The CSV straight from the transfer, without holding every row: a structure of 10^6
// elements has as many rows, each a few strings.
std::string NameMapCsv(const source::TarvoModelObj& src, const target::VantraModel& store, host::TarvoHost& host);

}  // namespace t2v::plugin
