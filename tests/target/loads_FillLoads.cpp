// The mass and load fill steps on stores set up by hand (nodes, elements and groups as
// the earlier fill steps would leave them).
#include <gtest/gtest.h>

#include "source/loads_Document.h"
#include "target/FillSteps.h"

namespace t2v::testing_loads {
namespace {

using target::VantraModel;

std::string TextAt(RecordView r, std::size_t off, std::size_t len) {
    return std::string(reinterpret_cast<const char*>(r.data()) + off, len);
}
std::string Padded(const std::string& s, std::size_t len) { return s + std::string(len - s.size(), ' '); }

struct Transfer {
    LoadsModel t;
    VantraModel m;
    target::FillContext c{t.src, m, *t.host, t.platform};
    Transfer() { target::InitVantraModel(m); }
    // Target nodes as the node step makes them: node 1 at the origin, then one per source node.
    void targetNodes() { m.NodeTable.resizeTo(t.src.NodeNum() + 1); }
    void restrain(const std::string& node, std::size_t dof) { t.src.NodeObjGet(node)->IsRestrained[dof] = true; }
    source::TarvoLoadPatternObj& pattern(const std::string& label) { return t.src.AddLoadPatternObj(label); }
};

const target::NodalLoadItem* Entry(const VantraModel& m, std::size_t row, std::int32_t node) {
    static target::NodalLoadItem found;
    for (auto& [col, item] : m.NodalLoadMatrix.sortedRow(row))
        if (col == node) return &(found = item);
    return nullptr;
}

TEST(NodalMass, RestrainedDirectionsStayEmptyAndOnlyPositiveLoadMassesCount) {
    Transfer x;
    auto& n1 = x.t.node("1", 0, 0, 0);
    auto& n2 = x.t.node("2", 1, 0, 0);
    x.targetNodes();
    x.restrain("1", 0);
    n1.PointMass = {2, 3, 9, 0, 0, 0};
    n1.LoadMass = {1, 1, 0, 0, 0, 0};
    n1.FrameLoadMass = {-5, 0.5, 0, 0, 0, 0};
    n1.AreaLoadMass = {0.25, 0.25, 0, 0, 0, 0};
    n2.PointMass = {0.5, 0, 0, 0, 0, 0};
    n2.LoadMass = {-1, -1, 0, 0, 0, 0};
    x.t.src.MassSrcOption = 3;
    target::FillVantraNodalMass(x.c);

    ASSERT_EQ(x.m.MassPatternTable.count(), 1);
    EXPECT_EQ(TextAt(x.m.MassPatternTable.rec(1), 0, 40), Padded("Nodal Mass", 40));
    ASSERT_EQ(x.m.NodalMassMatrix.size(), 1u);
    ASSERT_EQ(x.m.NodalMassMatrix[0].size(), 3u);
    const auto& a = x.m.NodalMassMatrix[0][1];
    EXPECT_FLOAT_EQ(a[0], 0.0f);
    EXPECT_FLOAT_EQ(a[1], 4.75f);
    EXPECT_FLOAT_EQ(a[2], 9.0f);
    EXPECT_FLOAT_EQ(x.m.NodalMassMatrix[0][2][0], 0.5f);
    EXPECT_FLOAT_EQ(x.m.NodalMassMatrix[0][2][1], 0.0f);

    // Option 1 ignores the load masses, option 2 the element masses.
    x.t.src.MassSrcOption = 1;
    target::FillVantraNodalMass(x.c);
    EXPECT_FLOAT_EQ(x.m.NodalMassMatrix[0][1][1], 3.0f);
    x.t.src.MassSrcOption = 2;
    target::FillVantraNodalMass(x.c);
    EXPECT_FLOAT_EQ(x.m.NodalMassMatrix[0][1][1], 1.75f);
    EXPECT_FLOAT_EQ(x.m.NodalMassMatrix[0][2][0], 0.0f);
}

TEST(NodalLoads, AccelerationRowsFromTheMassesThenOneRowPerLoadedPattern) {
    Transfer x;
    x.t.node("1", 0, 0, 0);
    x.t.node("2", 1, 0, 0);
    x.targetNodes();
    x.restrain("1", 0);
    x.t.src.NodeObj(1).PointMass = {4, 4, 0, 0, 0, 0};
    x.t.src.NodeObj(2).PointMass = {0.5, 0, 0, 0, 0, 0};
    x.t.src.MassSrcOption = 1;
    target::FillVantraNodalMass(x.c);

    const std::string longLabel(35, 'L');
    x.pattern("DEAD").LoadNodeNotEmpty = true;
    x.pattern("WIND");
    x.pattern(longLabel).LoadNodeNotEmpty = true;
    auto& l1 = x.t.src.AddLoadNodeObj("1");
    l1.SetLoadNode("1", "DEAD", 1, 2, -3, 4, 5, 6);
    l1.SetLoadNode("1", longLabel, 0, 0, -1, 0, 0, 0);
    l1.SetLoadNode("1", "WIND", 9, 0, 0, 0, 0, 0);
    x.t.src.AddLoadNodeObj("ghost").SetLoadNode("ghost", "DEAD", 0, 0, -7, 0, 0, 0);
    target::FillVantraNodalLoads(x.c);

    auto& t = x.m.NodalLoadPatternTable;
    ASSERT_EQ(t.count(), 4);
    EXPECT_EQ(t.capacity(), 14);
    EXPECT_EQ(TextAt(t.rec(1), 0, 40), Padded("AccelUX", 40));
    EXPECT_EQ(t.rec(1).getI16(42), 1);
    EXPECT_EQ(TextAt(t.rec(2), 0, 40), Padded("AccelUY", 40));
    EXPECT_EQ(t.rec(2).getI16(42), 2);
    EXPECT_EQ(TextAt(t.rec(3), 0, 40), Padded("LoadNode-DEAD", 40));
    EXPECT_EQ(t.rec(3).getI16(42), -3);
    EXPECT_EQ(TextAt(t.rec(4), 0, 40), Padded("LoadNode-4", 40));
    EXPECT_EQ(x.t.src.LoadPatternObj(3).VantraLoadPatternNodeName, "LoadNode-4");
    EXPECT_EQ(x.t.src.LoadPatternObj(2).VantraLoadPatternNodeName, "");

    ASSERT_EQ(x.m.NodalLoadMatrix.rows(), 4u);
    // AccelUX: node 2 is restrained in UX, node 3 carries 0.5.
    ASSERT_EQ(x.m.NodalLoadMatrix.sortedRow(0).size(), 1u);
    EXPECT_EQ(*Entry(x.m, 0, 3), (target::NodalLoadItem{0.5f, 0, 0, 0, 0, 0, 1.0f, 0}));
    ASSERT_EQ(x.m.NodalLoadMatrix.sortedRow(1).size(), 1u);
    EXPECT_EQ(*Entry(x.m, 1, 2), (target::NodalLoadItem{0, 4.0f, 0, 0, 0, 0, 1.0f, 0}));
    // The ghost label resolves to no node and is not written.
    ASSERT_EQ(x.m.NodalLoadMatrix.sortedRow(2).size(), 1u);
    EXPECT_EQ(*Entry(x.m, 2, 2), (target::NodalLoadItem{1, 2, -3, 4, 5, 6, 1.0f, 0}));
    EXPECT_EQ(*Entry(x.m, 3, 2), (target::NodalLoadItem{0, 0, -1, 0, 0, 0, 1.0f, 0}));
}

TEST(NodalLoads, AModelWithoutMassesStillHasTheAccelerationRows) {
    Transfer x;
    x.t.node("1", 0, 0, 0);
    x.targetNodes();
    x.t.src.MassSrcOption = 2;
    target::FillVantraNodalMass(x.c);
    target::FillVantraNodalLoads(x.c);
    ASSERT_EQ(x.m.NodalLoadPatternTable.count(), 2);
    EXPECT_EQ(x.m.NodalLoadPatternTable.capacity(), 12);
    EXPECT_TRUE(x.m.NodalLoadMatrix.sortedRow(0).empty());
    EXPECT_TRUE(x.m.NodalLoadMatrix.sortedRow(1).empty());
}

// ---------------------------------------------------------------------------------------
struct ElementLoads : Transfer {
    source::TarvoFrameObj& beam(int elem, int group) {
        auto& f = t.src.AddFrame("B" + std::to_string(t.src.FrameNum() + 1));
        f.idVantraElem = elem;
        f.idVantraElemGroup = group;
        return f;
    }
    static void dist(source::TarvoFrameObj& f, const std::string& pattern, double v1, double v2) {
        auto& d = f.LoadFrameDistributed.emplace_back();
        d.PatternLabel = pattern;
        d.AddLoadFrameDistributed(10, 0, 1, v1, v2);
    }
    static void point(source::TarvoFrameObj& f, const std::string& pattern, double rd, double v) {
        auto& p = f.LoadFramePoint.emplace_back();
        p.PatternLabel = pattern;
        p.AddLoadFramePoint(10, rd, v);
    }
    target::ElementLoadShapeItem shape(int s, int k, int g) { return m.ElementLoadShapeTable.at({s, k, g}); }
    std::int16_t ordinalOf(std::size_t k, std::int32_t e) {
        for (auto& [col, v] : m.ElementLoadElementMatrix.sortedRow(k))
            if (col == e) return v;
        return 0;
    }
};

TEST(ElementLoadsTest, IdenticalBeamsShareOneShapePerPatternAndGroup) {
    ElementLoads x;
    x.m.ElementGroupTable.resizeTo(2);
    x.m.ElementTable.resizeTo(14);
    x.pattern("DEAD").LoadElementNotEmpty = true;
    x.pattern("LIVE");
    x.pattern("SNOW").LoadElementNotEmpty = true;
    for (int e = 1; e <= 10; ++e) ElementLoads::dist(x.beam(e, 1), "DEAD", 5, 5);
    ElementLoads::dist(x.beam(11, 1), "DEAD", 5.00001, 5.00001);  // differs by more than 1e-6
    auto& b12 = x.beam(12, 2);
    ElementLoads::dist(b12, "DEAD", 5, 5);
    ElementLoads::point(b12, "DEAD", 0.5, 3);
    ElementLoads::dist(x.beam(13, 1), "DEAD", 5.0000005, 5);  // within 1e-6 of the first ten
    ElementLoads::point(x.beam(14, 2), "SNOW", 0.25, 2);
    ElementLoads::dist(x.beam(0, 0), "DEAD", 1, 1);  // no element: nowhere to load
    target::FillVantraElementLoads(x.c);

    auto& pt = x.m.ElementLoadPatternTable;
    ASSERT_EQ(pt.count(), 2);
    EXPECT_EQ(pt.capacity(), 12);
    EXPECT_EQ(TextAt(pt.rec(1), 0, 40), Padded("LoadFrame-DEAD", 40));
    EXPECT_EQ(pt.rec(1).getI16(42), 1);
    EXPECT_EQ(TextAt(pt.rec(2), 0, 40), Padded("LoadFrame-SNOW", 40));
    EXPECT_EQ(x.t.src.LoadPatternObj(3).VantraLoadPatternElementName, "LoadFrame-SNOW");
    EXPECT_EQ(x.t.src.FrameObj(1).idVantraElemLoadSubGroup.size(), 3u);

    EXPECT_EQ(x.m.ElementLoadShapeCount, 3);
    EXPECT_EQ(x.m.ElementLoadGroupMatrix, (std::vector<std::vector<std::int16_t>>{{2, 1}, {0, 1}}));
    auto s = x.shape(1, 1, 1);
    EXPECT_EQ(s.elementCount, 11);
    EXPECT_EQ(s.itemCount, 1);
    EXPECT_EQ(s.firstItem, 1);
    s = x.shape(2, 1, 1);
    EXPECT_EQ(s.elementCount, 1);
    EXPECT_EQ(s.firstItem, 2);
    s = x.shape(1, 1, 2);
    EXPECT_EQ(s.itemCount, 2);
    EXPECT_EQ(s.firstItem, 3);
    s = x.shape(1, 2, 2);
    EXPECT_EQ(s.firstItem, 5);
    EXPECT_EQ(x.m.ElementLoadShapeTable.size(), 4u);

    for (int e : {1, 5, 10, 13, 12}) EXPECT_EQ(x.ordinalOf(0, e), 1) << e;
    EXPECT_EQ(x.ordinalOf(0, 11), 2);
    EXPECT_EQ(x.ordinalOf(0, 14), 0);
    EXPECT_EQ(x.ordinalOf(1, 14), 1);

    auto& it = x.m.ElementLoadItemTable;
    ASSERT_EQ(it.count(), 5);
    EXPECT_EQ(it.capacity(), 12);
    auto r = it.rec(3);  // the segment of beam 12, chained to its point load
    EXPECT_EQ(r.getU8(0), 1);
    EXPECT_EQ(r.getI16(2), 4);
    EXPECT_FLOAT_EQ(r.getF32(6), 5.0f);
    EXPECT_FLOAT_EQ(r.getF32(10), 0.0f);
    EXPECT_FLOAT_EQ(r.getF32(14), 5.0f);
    EXPECT_FLOAT_EQ(r.getF32(18), 1.0f);
    r = it.rec(4);
    EXPECT_EQ(r.getU8(0), 2);
    EXPECT_EQ(r.getI16(2), 0);
    EXPECT_FLOAT_EQ(r.getF32(6), 3.0f);
    EXPECT_FLOAT_EQ(r.getF32(10), 0.5f);
    EXPECT_FLOAT_EQ(r.getF32(14), 0.0f);
    EXPECT_EQ(it.rec(1).getI16(2), 0);
    EXPECT_FLOAT_EQ(it.rec(2).getF32(6), 5.00001f);
}

TEST(ElementLoadsTest, ABeamJoinsTheEarliestMatchingShape) {
    // B differs from A by 1.1e-6, so it is a shape of its own; C lies within 1e-6 of
    // both and joins A, the earlier one.
    ElementLoads x;
    x.m.ElementGroupTable.resizeTo(1);
    x.m.ElementTable.resizeTo(3);
    x.pattern("P").LoadElementNotEmpty = true;
    ElementLoads::dist(x.beam(1, 1), "P", 1.0000019, 0);
    ElementLoads::dist(x.beam(2, 1), "P", 1.0000030, 0);
    ElementLoads::dist(x.beam(3, 1), "P", 1.0000022, 0);
    target::FillVantraElementLoads(x.c);
    EXPECT_EQ(x.ordinalOf(0, 1), 1);
    EXPECT_EQ(x.ordinalOf(0, 2), 2);
    EXPECT_EQ(x.ordinalOf(0, 3), 1);
    EXPECT_EQ(x.shape(1, 1, 1).elementCount, 2);
    // One pattern fits the table's initial capacity of 1.
    EXPECT_EQ(x.m.ElementLoadPatternTable.count(), 1);
    EXPECT_EQ(x.m.ElementLoadPatternTable.capacity(), 1);
}

// ---------------------------------------------------------------------------------------
TEST(SelfWeight, ElementsAreFlaggedOnlyAboveTheMultiplierThreshold) {
    Transfer x;
    x.m.ElementTable.resizeTo(4);
    auto& dead = x.pattern("DEAD");
    dead.SelfWtMultiplier = 1.0;
    dead.SelfWeightNotEmpty = true;
    x.pattern("LIVE");
    auto& half = x.pattern("HALF");
    half.SelfWtMultiplier = 0.0005;
    half.SelfWeightNotEmpty = true;
    x.t.src.AddFrame("F1").idVantraElem = 1;
    x.t.src.AddFrame("F2").idVantraElem = 0;
    x.t.src.AddFrame("F3").idVantraElem = 3;
    x.t.src.AddArea("A1").idVantraElem = 4;
    target::FillVantraSelfWeight(x.c);

    auto& t = x.m.SelfWeightPatternTable;
    ASSERT_EQ(t.count(), 2);
    EXPECT_EQ(t.capacity(), 2);
    EXPECT_EQ(TextAt(t.rec(1), 0, 40), Padded("SelfWeight-DEAD", 40));
    EXPECT_EQ(t.rec(1).getI16(42), -3);
    EXPECT_EQ(TextAt(t.rec(2), 0, 40), Padded("SelfWeight-HALF", 40));
    EXPECT_EQ(half.VantraLoadPatternSelfWeightName, "SelfWeight-HALF");
    EXPECT_EQ(x.m.SelfWeightElementMatrix, (std::vector<std::vector<std::uint8_t>>{{1, 0, 1, 1}, {0, 0, 0, 0}}));
}

TEST(SelfWeight, NoPatternSizesTheTableToNoRows) {
    Transfer x;
    x.pattern("LIVE");
    target::FillVantraSelfWeight(x.c);
    EXPECT_EQ(x.m.SelfWeightPatternTable.count(), 0);
    EXPECT_EQ(x.m.SelfWeightPatternTable.capacity(), 0);
}

}  // namespace
}  // namespace t2v::testing_loads
