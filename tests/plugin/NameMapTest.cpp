// The name map of the example building leads from every host frame and area to the
// element that stands on the nodes of its host points, and from every host pattern to
// the structure pattern of that name.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "plugin/NameMap.h"
#include "check/StructureDigest.h"
#include "support/Transfer.h"
#include "support/DocumentFile.h"

namespace t2v {
namespace {

TEST(NameMap, LeadsFromHostObjectsToWhatTheyBecame) {
    std::vector<plugin::NameMapRow> rows;
    const std::string path = std::string(T2V_SOURCE_DIR) + "/examples/building.json";
    // The transfer's own host is made inside the run; a second one answers the lists.
    auto lists = t2v::test::LoadDocumentFile(path);
    auto r =
        test::RunTransferFile(path, "Example", [&](const source::TarvoModelObj& src, const target::VantraModel& store) {
            rows = plugin::BuildNameMap(src, store, *lists);
        });
    ASSERT_TRUE(r->written);
    const check::StructureDigest d = check::ReadStructureDigest(r->structureDir());

    std::map<std::string, std::int64_t> nodeOf;
    std::map<std::string, std::int64_t> counts;
    for (const auto& row : rows) {
        ++counts[row.kind];
        if (row.kind == "point") nodeOf[row.host] = row.number;
    }
    host::Names points, frames, groups;
    r->host->GetPointNameList(points);
    r->host->GetFrameNameList(frames);
    r->host->GetGroupNameList(groups);
    EXPECT_EQ(counts["point"], static_cast<std::int64_t>(points.size()));
    EXPECT_EQ(counts["frame"], static_cast<std::int64_t>(frames.size()));
    EXPECT_GT(counts["area"], 0);
    EXPECT_GT(counts["pattern"], 0);
    EXPECT_GT(counts["case"], 0);

    for (const auto& row : rows) {
        if (row.kind == "frame") {
            ASSERT_EQ(row.became, "element") << row.host;
            std::string i, j;
            r->host->GetFramePoints(row.host, i, j);
            const auto& e = d.elements.at(static_cast<std::size_t>(row.number - 1));
            EXPECT_EQ(std::set<std::int64_t>({e.nodes[0], e.nodes[1]}), std::set<std::int64_t>({nodeOf[i], nodeOf[j]}))
                << row.host;
            EXPECT_EQ(d.groups.at(static_cast<std::size_t>(e.group - 1)).name, row.name) << row.host;
        } else if (row.kind == "pattern" && row.became == "nodal load pattern") {
            EXPECT_EQ(d.nodalPatterns.at(static_cast<std::size_t>(row.number - 1)).name, row.name);
        } else if (row.kind == "pattern" && row.became == "element load pattern") {
            EXPECT_EQ(d.elementPatterns.at(static_cast<std::size_t>(row.number - 1)).name, row.name);
        } else if (row.kind == "group") {
            EXPECT_EQ(d.frames.at(static_cast<std::size_t>(row.number - 1)).name, row.host);
        }
    }

    // CSV: names with a comma are quoted, and a thing that became nothing has no number.
    std::ostringstream csv;
    plugin::WriteNameMapCsv({{"frame", "F,1", "", 0, ""}, {"point", "P\"2", "node", 7, ""}}, csv);
    EXPECT_EQ(csv.str(), "kind,host name,became,number,name\nframe,\"F,1\",,,\npoint,\"P\"\"2\",node,7,\n");
}

}  // namespace
}  // namespace t2v
