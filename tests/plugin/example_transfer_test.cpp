// The shipped example building, end to end: every file decodes to its last byte and
// what the structure refers to exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "decode/StructureReader.h"
#include "decode/Value.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

using decode::Get;

TEST(ExampleBuilding, TransfersAndDecodesWithEveryReferenceInRange) {
    auto r = test::RunTransferFile(std::string(T2V_SOURCE_DIR) + "/examples/building.json", "Example");
    ASSERT_TRUE(r->written);
    EXPECT_EQ(r->platform.messages.back().text.rfind("Transfer Complete", 0), 0u);

    const decode::Value v = decode::DecodeStructureFolder(r->structureDir());
    const auto& S = Get(v, "S");

    // 24 points, the origin node, and per floor the 7 new nodes of two triangles that
    // share an edge; three diaphragms; one frame per group.
    EXPECT_EQ(Get(S, "nodes.count").asInt(), 25 + 3 * 7);
    EXPECT_EQ(Get(S, "constraints.count").asInt(), 3);
    EXPECT_EQ(Get(S, "frames.count").asInt(), 4);

    // Every element sits in an existing group and refers to an existing compound (slab
    // elements to a slab section); head elements refer to nothing.
    const std::int64_t groups = Get(S, "element_groups.count").asInt();
    ASSERT_GT(groups, 0);
    const auto& C = Get(S, "components");
    const std::int64_t frameCompounds = Get(C, "C101.count").asInt();
    const std::int64_t wallCompounds = Get(C, "C102.count").asInt();
    const std::int64_t gwallCompounds = Get(C, "C103.count").asInt();
    const std::int64_t slabSections = Get(C, "C68.count").asInt();
    std::map<std::int64_t, std::int64_t> groupType;
    for (const auto& g : Get(S, "element_groups.records").items())
        groupType[Get(g, "record").asInt()] = Get(g, "element_type").asInt();
    const std::int64_t nodes = Get(S, "nodes.count").asInt();
    for (const auto& e : Get(S, "elements.records").items()) {
        const std::int64_t group = Get(e, "group").asInt();
        const std::int64_t compound = Get(e, "compound").asInt();
        if (group == 0) {
            EXPECT_EQ(compound, 0);
            continue;
        }
        ASSERT_TRUE(groupType.count(group)) << "element " << Get(e, "record").asInt();
        const std::int64_t type = groupType[group];
        std::int64_t limit = type == 12   ? slabSections
                             : type == 6  ? wallCompounds
                             : type == 11 ? gwallCompounds
                                          : frameCompounds;
        EXPECT_GE(compound, 1) << "element " << Get(e, "record").asInt();
        EXPECT_LE(compound, limit) << "element " << Get(e, "record").asInt();
        for (const auto& n : Get(e, "nodes").items()) EXPECT_LE(n.asInt(), nodes);
    }

    // Drifts, the base cuts, masses and load cases are all there.
    EXPECT_EQ(Get(S, "drifts.count").asInt(), 2);
    EXPECT_EQ(Get(S, "section_cuts.count").asInt(), 2);
    EXPECT_EQ(Get(v, "L.counts[0]").asInt(), 1);  // gravity
    EXPECT_EQ(Get(v, "L.counts[1]").asInt(), 3);  // pushover
    EXPECT_EQ(Get(v, "L.counts[2]").asInt(), 1);  // dynamic
    EXPECT_EQ(Get(v, "A.case_count").asInt(), 1);
    EXPECT_EQ(Get(v, "A.cases[0].name").asString(), "DynaAnalysis");

    // One record per time-history function, each decodable.
    int records = 0;
    for (const auto& f : std::filesystem::directory_iterator(r->home() + "/Records/EqkeGroup")) {
        decode::DecodeEarthquakeRecord(f.path().string());
        ++records;
    }
    EXPECT_EQ(records, 8);
}

}  // namespace
}  // namespace t2v
