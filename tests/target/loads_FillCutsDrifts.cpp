// Base section cuts and drifts on stores set up by hand.
#include <gtest/gtest.h>

#include "source/loads_Document.h"
#include "target/FillSteps.h"

namespace t2v::testing_loads {
namespace {

std::string TextAt(RecordView r, std::size_t off, std::size_t len) {
    return std::string(reinterpret_cast<const char*>(r.data()) + off, len);
}

struct Cuts {
    LoadsModel t;
    target::VantraModel m;
    target::FillContext c{t.src, m, *t.host, t.platform};
    Cuts() {
        target::InitVantraModel(m);
        t.node("S1", 0, 0, 0).IsRestrained = {true, true, true, false, false, false};
        t.node("S2", 5, 0, 0).IsRestrained[2] = true;
        t.node("A", 0, 0, 3);
        t.node("B", 5, 0, 3);
    }
    void frame(const std::string& i, const std::string& j, int elem) { t.frame("F", i, j).idVantraElem = elem; }
    void wall(std::vector<std::string> nodes, int elem) { t.area("W", std::move(nodes)).idVantraElem = elem; }
    // (end flag, element, next) of an item.
    std::tuple<int, int, int> item(int i) {
        RecordView r = m.SectionCutItemTable.rec(i);
        return {r.getI16(0), r.getI32(2), r.getI32(6)};
    }
};

using Item = std::tuple<int, int, int>;

TEST(SectionCuts, FramesWithOneSupportedEndAndWallsStandingOnSupports) {
    Cuts x;
    x.frame("S1", "A", 7);   // supported at I
    x.frame("S1", "S2", 8);  // both ends: not cut
    x.frame("A", "B", 9);    // neither
    x.frame("B", "S2", 10);  // supported at J
    x.frame("S2", "B", 0);   // no element
    x.wall({"S1", "S2", "A", "B"}, 11);
    x.wall({"A", "B", "S1", "S2"}, 12);  // supported at the top corners only
    target::FillVantraSectionCuts(x.c);

    auto& cuts = x.m.SectionCutTable;
    ASSERT_EQ(cuts.count(), 2);
    EXPECT_EQ(cuts.capacity(), 12);
    EXPECT_EQ(x.m.SectionCutPartTable.count(), 2);
    RecordView c1 = cuts.rec(1);
    EXPECT_EQ(TextAt(c1, 0, 40), "Frame Base Cut" + std::string(26, ' '));
    EXPECT_EQ(c1.getI32(40), 1);
    EXPECT_EQ(c1.getI32(44), 3);
    EXPECT_EQ(c1.getU8(52), 0);
    EXPECT_FLOAT_EQ(c1.getF32(54), 1.0f);
    EXPECT_FLOAT_EQ(c1.getF32(58), 2.0f);
    EXPECT_FLOAT_EQ(c1.getF32(62), 3.0f);
    RecordView c2 = cuts.rec(2);
    EXPECT_EQ(TextAt(c2, 0, 13), "Area Base Cut");
    EXPECT_EQ(c2.getI32(40), 4);
    EXPECT_EQ(c2.getI32(44), 2);

    ASSERT_EQ(x.m.SectionCutItemTable.count(), 5);
    EXPECT_EQ(x.m.SectionCutItemTable.capacity(), 15);
    EXPECT_EQ(x.item(1), (Item{0, 0, 2}));
    EXPECT_EQ(x.item(2), (Item{0, 7, 3}));
    EXPECT_EQ(x.item(3), (Item{1, 10, 0}));
    EXPECT_EQ(x.item(4), (Item{0, 0, 5}));
    EXPECT_EQ(x.item(5), (Item{0, 11, 0}));

    ASSERT_EQ(x.m.SectionGroupTable.count(), 1);
    EXPECT_EQ(x.m.SectionGroupTable.capacity(), 11);
    RecordView g = x.m.SectionGroupTable.rec(1);
    EXPECT_EQ(TextAt(g, 0, 18), "Support Sect Group");
    EXPECT_EQ(g.getI16(40), 1);
    EXPECT_EQ(g.getI16(42), 2);
    EXPECT_EQ(x.m.SectionGroupMatrix, (std::vector<std::vector<std::uint8_t>>{{1, 1}}));
}

TEST(SectionCuts, AWallCutAloneStartsAtTheFirstItem) {
    Cuts x;
    x.wall({"S1", "S2", "A", "B"}, 3);
    target::FillVantraSectionCuts(x.c);
    ASSERT_EQ(x.m.SectionCutTable.count(), 1);
    EXPECT_EQ(TextAt(x.m.SectionCutTable.rec(1), 0, 13), "Area Base Cut");
    EXPECT_EQ(x.m.SectionCutTable.rec(1).getI32(40), 1);
    // Room is kept for the leading item of the frame cut that does not exist.
    ASSERT_EQ(x.m.SectionCutItemTable.count(), 3);
    EXPECT_EQ(x.item(1), (Item{0, 0, 2}));
    EXPECT_EQ(x.item(2), (Item{0, 3, 0}));
    EXPECT_EQ(x.item(3), (Item{0, 0, 0}));
    EXPECT_EQ(x.m.SectionGroupMatrix, (std::vector<std::vector<std::uint8_t>>{{1}}));
}

TEST(Drifts, TwoDriftsBetweenTheTopAndBottomNodes) {
    Cuts x;
    target::FillVantraDrifts(x.c);
    EXPECT_EQ(x.m.DriftTable.count(), 0);

    x.t.src.NodeTopObj = x.t.src.NodeObjGet("B");
    x.t.src.NodeBotObj = x.t.src.NodeObjGet("S2");
    target::FillVantraDrifts(x.c);
    ASSERT_EQ(x.m.DriftTable.count(), 2);
    EXPECT_EQ(x.m.DriftTable.capacity(), 12);
    for (int d = 1; d <= 2; ++d) {
        RecordView r = x.m.DriftTable.rec(d);
        EXPECT_EQ(TextAt(r, 0, 20), (d == 1 ? "H1 Drift" : "H2 Drift") + std::string(12, ' '));
        EXPECT_EQ(r.getU8(20), 1);
        EXPECT_EQ(r.getU8(21), d - 1);
        EXPECT_EQ(r.getI32(22), 5);  // node B, the fourth source node
        EXPECT_EQ(r.getI32(26), 3);
        for (std::size_t k = 30; k < 46; ++k) EXPECT_EQ(r.getU8(k), 0);
    }
}

}  // namespace
}  // namespace t2v::testing_loads
