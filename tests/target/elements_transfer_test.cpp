// Elements through a whole transfer: a wall framed by two columns and a released
// brace, with a triangular slab on top.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/Transfer.h"

namespace t2v::target {
namespace {

constexpr const char* kModel = R"({
  "format": "tarvo-model", "version": 1,
  "materials": [
    { "name": "C30", "type": 2, "weight": 25, "mass": 2.5, "isotropic": { "E": 3.0e7, "U": 0.2, "A": 1e-5 },
      "concrete": { "Fc": 30000 } },
    { "name": "S355", "type": 1, "weight": 77, "mass": 7.85, "isotropic": { "E": 2.0e8, "U": 0.3, "A": 1.2e-5 },
      "steel": { "Fy": 355000, "Fu": 510000, "EFy": 390000, "EFu": 560000 } },
    { "name": "B500", "type": 6, "weight": 77, "uniaxial": { "E": 2.0e8, "A": 1.2e-5 },
      "rebar": { "Fy": 500000, "Fu": 550000, "EFy": 550000, "EFu": 600000 } }
  ],
  "frame_sections": [
    { "name": "COL", "type": 8, "material": "C30", "properties": { "A": 0.16, "I22": 0.002, "I33": 0.002 } },
    { "name": "PIPE", "type": 7, "material": "S355", "properties": { "A": 0.004, "I22": 1e-5, "I33": 1e-5 } }
  ],
  "area_sections": [
    { "name": "W25", "type": 1, "shell_type": 1, "material": "C30", "thickness": 0.25, "bending_thickness": 0.25 },
    { "name": "SL20", "type": 1, "shell_type": 1, "material": "C30", "thickness": 0.2, "bending_thickness": 0.2 }
  ],
  "points": [
    { "name": "p1", "x": 0, "y": 0, "z": 0, "restraints": [1, 1, 1, 1, 1, 1] },
    { "name": "p2", "x": 4, "y": 0, "z": 0, "restraints": [1, 1, 1, 1, 1, 1] },
    { "name": "p3", "x": 0, "y": 0, "z": 3 }, { "name": "p4", "x": 4, "y": 0, "z": 3 },
    { "name": "p5", "x": 4, "y": 4, "z": 3 }
  ],
  "frames": [
    { "name": "C1", "section": "COL", "i": "p1", "j": "p3" },
    { "name": "C2", "section": "COL", "i": "p2", "j": "p4", "angle": 90 },
    { "name": "D1", "section": "PIPE", "i": "p1", "j": "p4",
      "releases": { "i": [0, 0, 0, 0, 0, 0], "j": [0, 0, 0, 0, 0, 1] } }
  ],
  "areas": [
    { "name": "W", "section": "W25", "points": ["p1", "p3", "p4", "p2"] },
    { "name": "T", "section": "SL20", "points": ["p3", "p4", "p5"] }
  ],
  "groups": [ { "name": "Mixed", "frames": ["C2"], "areas": ["T"] } ]
})";

struct Group {
    std::string name;
    int type, first, last;
};

TEST(ElementsTransfer, EveryMemberIsAnElementOfItsGroupReferringToAnExistingCompound) {
    auto run = test::RunTransfer(kModel);
    ASSERT_TRUE(run->written);
    VantraModel& m = run->store();

    std::vector<Group> groups;
    for (int g = 1; g <= m.ElementGroupTable.count(); ++g) {
        RecordView r = m.ElementGroupTable.rec(g);
        std::string name(reinterpret_cast<const char*>(r.data()), 40);
        groups.push_back({name.substr(0, name.find(' ')), r.getI16(40), r.getI32(44), r.getI32(48)});
    }
    const std::vector<std::string> names{"ElemConcCol",      "ElemSteelBrace",  "ElemConcEWall",
                                         "ElemConcSlabRamp", "ElemEmbedBeamLR", "ElemEmbedBeamRL"};
    const std::vector<int> members{2, 1, 1, 3, 2, 2};
    ASSERT_EQ(groups.size(), names.size());
    int expectedFirst = 1;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(groups[g].name, names[g]);
        EXPECT_EQ(groups[g].first, expectedFirst);
        EXPECT_EQ(groups[g].last, expectedFirst + members[g]);
        expectedFirst = groups[g].last + 1;
    }
    EXPECT_EQ(m.ElementTable.count(), expectedFirst - 1);
    EXPECT_EQ(m.ElementLast, m.ElementTable.count());
    EXPECT_EQ(m.ElementGroupLast, 6);

    // Walk each group's chain from its head; check the compound of every member.
    for (std::size_t g = 0; g < groups.size(); ++g) {
        std::int32_t e = m.ElementTable.rec(groups[g].first).getI32(22);
        int seen = 0;
        while (e != 0) {
            RecordView x = m.ElementTable.rec(e);
            EXPECT_EQ(x.getI16(0), static_cast<int>(g + 1));
            const int compound = x.getI16(42);
            const int limit = groups[g].type == 6    ? m.WallCompoundTable.count()
                              : groups[g].type == 12 ? m.SlabSectionTable.count()
                                                     : m.FrameCompoundTable.count();
            EXPECT_GE(compound, 1) << names[g];
            EXPECT_LE(compound, limit) << names[g];
            for (std::size_t k = 0; k < 4; ++k) EXPECT_LE(x.getI32(6 + 4 * k), m.NodeTable.count());
            e = x.getI32(22);
            ++seen;
        }
        EXPECT_EQ(seen, members[g]) << names[g];
    }

    // The released brace refers to a column release compound of its section.
    const int brace = m.ElementTable.rec(groups[1].first + 1).getI16(42);
    RecordView cpd = m.FrameCompoundTable.rec(brace);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(cpd.data()), 15), "CpdRelColS-PIPE");
    EXPECT_EQ(cpd.getU8(45), 2);  // the column section, then the J-end release

    // The second column keeps the host's angle.
    EXPECT_EQ(m.ElementTable.rec(3).getF32(64), 90.0f);

    // The wall, bottom edge first (p1, p2) then the top edge (p3, p4): node ids 2, 3, 4, 5.
    RecordView wall = m.ElementTable.rec(groups[2].first + 1);
    EXPECT_EQ((std::vector<int>{wall.getI32(6), wall.getI32(10), wall.getI32(14), wall.getI32(18)}),
              (std::vector<int>{2, 3, 4, 5}));
    // Frames meet the wall at every corner: beams along both edges, in both directions.
    auto beam = [&](std::int32_t e) {
        RecordView x = m.ElementTable.rec(e);
        return std::vector<int>{x.getI32(6), x.getI32(10)};
    };
    EXPECT_EQ(beam(groups[4].first + 1), (std::vector<int>{3, 2}));
    EXPECT_EQ(beam(groups[4].first + 2), (std::vector<int>{5, 4}));
    EXPECT_EQ(beam(groups[5].first + 1), (std::vector<int>{2, 3}));
    EXPECT_EQ(beam(groups[5].first + 2), (std::vector<int>{4, 5}));

    // The host group lists the column and the three quadrilaterals of the triangle.
    std::set<std::int32_t> inGroup;
    for (const auto& [element, frame] : m.FrameElementMembers)
        if (frame == 1) inGroup.insert(element);
    const std::int32_t slabFirst = groups[3].first;
    EXPECT_EQ(inGroup, (std::set<std::int32_t>{3, slabFirst + 1, slabFirst + 2, slabFirst + 3}));
}

}  // namespace
}  // namespace t2v::target
