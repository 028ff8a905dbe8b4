// The flat digest the checks read agrees with the decoder's full tree of the same
// folder, table by table: a wrong path in the digest would otherwise read as zeros and
// let every check pass.
#include <gtest/gtest.h>

#include "check/StructureDigest.h"
#include "decode/StructureReader.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

using decode::Get;

TEST(Digest, AgreesWithTheDecodedTree) {
    auto r = test::RunTransferFile(std::string(T2V_SOURCE_DIR) + "/examples/building.json", "Example");
    ASSERT_TRUE(r->written);
    const check::StructureDigest d = check::ReadStructureDigest(r->structureDir());
    const decode::Value S = Get(decode::DecodeStructureFolder(r->structureDir()), "S");

    EXPECT_EQ(d.lengthUnit, Get(S, "header.length_unit").asInt());
    EXPECT_EQ(d.forceUnit, Get(S, "header.force_unit").asInt());
    ASSERT_EQ(d.nodes.size(), Get(S, "nodes.records").size());
    for (std::size_t i = 0; i < d.nodes.size(); ++i) {
        const auto& n = Get(S, "nodes.records").items()[i];
        EXPECT_EQ(d.nodes[i].z, Get(n, "z").asDouble());
        EXPECT_EQ(d.nodes[i].restraints[2], Get(n, "restraints.uz").asInt());
    }
    ASSERT_EQ(d.elements.size(), Get(S, "elements.records").size());
    for (std::size_t i = 0; i < d.elements.size(); ++i) {
        const auto& e = Get(S, "elements.records").items()[i];
        EXPECT_EQ(d.elements[i].group, Get(e, "group").asInt());
        EXPECT_EQ(d.elements[i].compound, Get(e, "compound").asInt());
        EXPECT_EQ(d.elements[i].nodes[1], Get(e, "nodes[1]").asInt());
    }
    std::size_t loads = 0;
    for (const auto& row : Get(S, "nodal_load_patterns.loads").items()) loads += Get(row, "items").size();
    ASSERT_EQ(d.nodalLoads.size(), loads);
    ASSERT_FALSE(d.nodalLoads.empty());
    const auto& firstRow = Get(S, "nodal_load_patterns.loads").items();
    for (const auto& row : firstRow)
        if (Get(row, "items").size() > 0) {
            EXPECT_EQ(d.nodalLoads[0].pattern, Get(row, "pattern").asInt());
            EXPECT_EQ(d.nodalLoads[0].values[0], Get(row, "items[0].f1").asDouble());
            break;
        }
    EXPECT_EQ(d.loadItems.size(), Get(S, "element_load_patterns.items").size());
    EXPECT_EQ(d.shapes.size(), Get(S, "element_load_patterns.shapes").size());
    EXPECT_EQ(d.frameCompounds.size(), static_cast<std::size_t>(Get(S, "components.C101.count").asInt()));
    EXPECT_EQ(d.frameCompounds[0].weightPerLength, Get(S, "components.C101.records[0].weight_per_length").asDouble());
    EXPECT_EQ(d.slabSections.size(), static_cast<std::size_t>(Get(S, "components.C68.count").asInt()));
    EXPECT_EQ(d.elasticSlabMaterials, Get(S, "components.C55.count").asInt());
    EXPECT_EQ(d.selfWeightElements.at(0).size(), Get(S, "self_weight_patterns.flags[0].elements").size());
    EXPECT_EQ(d.masses.size(), Get(S, "mass_patterns.masses[0].items").size());
    EXPECT_EQ(d.cutItems.size(), Get(S, "section_cut_items.records").size());
    EXPECT_EQ(d.drifts.at(0).top, Get(S, "drifts.records[0].top_node").asInt());
    EXPECT_EQ(d.frames.at(0).elements.size(), Get(S, "frames.members[0].elements").size());
}

}  // namespace
}  // namespace t2v
