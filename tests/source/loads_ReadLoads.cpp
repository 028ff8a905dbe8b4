// The load readers on small models worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "source/loads_FakeHost.h"

namespace t2v::testing_loads {
namespace {

using source::TarvoLoadFrameDistObj;
using source::TarvoLoadNodeObj;

FrameDistributedLoad Dist(const std::string& pattern, int dir, double rd1, double rd2, double v1, double v2,
                          const std::string& csys = "GLOBAL", int type = 1) {
    FrameDistributedLoad l;
    l.pattern = pattern;
    l.dir = dir;
    l.rd1 = rd1;
    l.rd2 = rd2;
    l.val1 = v1;
    l.val2 = v2;
    l.csys = csys;
    l.loadType = type;
    return l;
}

FramePointLoad Point(const std::string& pattern, int dir, double rd, double v) {
    FramePointLoad l;
    l.pattern = pattern;
    l.dir = dir;
    l.relDist = rd;
    l.value = v;
    l.csys = "GLOBAL";
    return l;
}

AreaUniformLoad AreaLoad(const std::string& pattern, int dir, double v, const std::string& csys = "GLOBAL") {
    AreaUniformLoad l;
    l.pattern = pattern;
    l.dir = dir;
    l.value = v;
    l.csys = csys;
    return l;
}

PointForceLoad Joint(const std::string& pattern, double F3, const std::string& csys = "GLOBAL") {
    PointForceLoad l;
    l.pattern = pattern;
    l.csys = csys;
    l.F3 = F3;
    return l;
}

struct Seg {
    double rd1, rd2, v1, v2;
};

void ExpectSegments(const TarvoLoadFrameDistObj& d, std::vector<Seg> want) {
    ASSERT_EQ(d.ItemNum(), static_cast<int>(want.size()));
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_NEAR(d.RD1[k], want[k].rd1, 1e-9) << "segment " << k;
        EXPECT_NEAR(d.RD2[k], want[k].rd2, 1e-9) << "segment " << k;
        EXPECT_NEAR(d.Val1[k], want[k].v1, 1e-9) << "segment " << k;
        EXPECT_NEAR(d.Val2[k], want[k].v2, 1e-9) << "segment " << k;
    }
}

double F3Of(const source::TarvoModelObj& src, const std::string& node, const std::string& pattern) {
    const TarvoLoadNodeObj* l = src.LoadNodeObjGet(node);
    if (!l) return NAN;
    for (const auto& it : l->Items)
        if (it.LoadPattern == pattern) return it.F3;
    return NAN;
}

class FrameLoads : public ::testing::Test {
protected:
    void SetUp() override {
        t.patterns({{"DEAD", 1.0}, {"LIVE", 0.0}});
        t.node("1", 0, 0, 0);
        t.node("2", 4, 0, 0);
        t.frame("B", "1", "2");
    }
    const TarvoLoadFrameDistObj& dist(int i = 1) { return *t.src.FrameObj(1).LoadFrameDistributed.at(static_cast<std::size_t>(i - 1)); }
    LoadsModel t;
};

TEST_F(FrameLoads, OverlappingTrapezoidsAreSummedAndSplit) {
    // 10 uniform over 0..0.6 plus a triangle 0 -> 6 over 0.4..1 (value 2 at 0.6).
    t.host.frameDist["B"] = {Dist("DEAD", 10, 0.0, 0.6, 10, 10), Dist("DEAD", 10, 0.4, 1.0, 0, 6)};
    t.readLoads();
    ASSERT_EQ(t.src.FrameObj(1).LoadFrameDistributedNum(), 1);
    ExpectSegments(dist(), {{0.0, 0.4, 10, 10}, {0.4, 0.6, 10, 12}, {0.6, 1.0, 2, 6}});
}

TEST_F(FrameLoads, GapsAndCancelledLoadsLeaveNoSegment) {
    t.host.frameDist["B"] = {Dist("DEAD", 10, 0.0, 0.3, 4, 4), Dist("DEAD", 10, 0.7, 1.0, 4, 4),
                             // upward 5 (code 6) cancels downward 5 (code 11) in LIVE
                             Dist("LIVE", 11, 0.0, 1.0, 5, 5), Dist("LIVE", 6, 0.0, 1.0, 5, 5)};
    t.readLoads();
    ExpectSegments(dist(1), {{0.0, 0.3, 4, 4}, {0.7, 1.0, 4, 4}});
    ExpectSegments(dist(2), {});
    t.src.SetLoadPatternFlags();
    EXPECT_TRUE(t.src.LoadPatternObj(1).LoadElementNotEmpty);
    EXPECT_FALSE(t.src.LoadPatternObj(2).LoadElementNotEmpty);
}

TEST_F(FrameLoads, CollinearNeighboursAreMerged) {
    // A uniform load given in two halves, once downward (10) once as upward -5 (6), and
    // a triangle given in two pieces given from its far end.
    t.host.frameDist["B"] = {Dist("DEAD", 6, 0.0, 0.5, -5, -5), Dist("DEAD", 10, 0.5, 1.0, 5, 5),
                             Dist("LIVE", 10, 0.25, 0.0, 2.5, 0), Dist("LIVE", 10, 0.25, 1.0, 2.5, 10)};
    t.readLoads();
    ExpectSegments(dist(1), {{0.0, 1.0, 5, 5}});
    EXPECT_EQ(dist(1).Dir, 6);  // the direction of the first load
    ExpectSegments(dist(2), {{0.0, 1.0, 0, 10}});
}

TEST_F(FrameLoads, OutOfScopeLoadsAreDropped) {
    t.host.frameDist["B"] = {Dist("DEAD", 10, 0, 1, 1, 1, "Local"), Dist("DEAD", 2, 0, 1, 1, 1),
                             Dist("DEAD", 10, 0, 1, 1, 1, "GLOBAL", 2),
                             // blanks around the system's name are not a different system
                             Dist("DEAD", 10, 0, 1, 1, 1, " GLOBAL "), Dist("DEAD", 10, 0, 1, 2, 2)};
    t.readLoads();
    ASSERT_EQ(t.src.FrameObj(1).LoadFrameDistributedNum(), 1);
    ExpectSegments(dist(), {{0, 1, 3, 3}});
}

TEST_F(FrameLoads, ZeroLengthAndCoincidentPointLoadsBecomeOneSummedPoint) {
    t.host.frameDist["B"] = {Dist("DEAD", 10, 0.5, 0.5, 7, 99)};
    t.host.framePoint["B"] = {Point("DEAD", 10, 0.8, 1), Point("DEAD", 10, 0.5, 3), Point("DEAD", 9, 0.5000004, -2)};
    t.readLoads();
    const auto& f = t.src.FrameObj(1);
    EXPECT_EQ(f.LoadFrameDistributedNum(), 0);
    ASSERT_EQ(f.LoadFramePointNum(), 1);
    const auto& p = *f.LoadFramePoint[0];
    ASSERT_EQ(p.ItemNum(), 2);
    EXPECT_DOUBLE_EQ(p.RD[0], 0.5);
    EXPECT_DOUBLE_EQ(p.Val[0], 12.0);
    EXPECT_DOUBLE_EQ(p.RD[1], 0.8);
    EXPECT_DOUBLE_EQ(p.Val[1], 1.0);
}

TEST_F(FrameLoads, EndPointLoadsMoveToTheNodesWithTheSignTurned) {
    t.host.pointLoads["1"] = {Joint("DEAD", -2.0)};
    t.host.framePoint["B"] = {Point("DEAD", 10, 0.0, 8), Point("DEAD", 6, 1.0, 3), Point("DEAD", 10, 0.5, 1)};
    t.readLoads();
    EXPECT_DOUBLE_EQ(F3Of(t.src, "1", "DEAD"), -10.0);  // joint -2 plus 8 downward
    EXPECT_DOUBLE_EQ(F3Of(t.src, "2", "DEAD"), 3.0);    // 3 upward
    const auto& p = *t.src.FrameObj(1).LoadFramePoint[0];
    ASSERT_EQ(p.ItemNum(), 1);
    EXPECT_DOUBLE_EQ(p.RD[0], 0.5);
}

TEST(LoadNodes, OnlyGlobalLoadsOfKnownPatternsSummedPerPattern) {
    LoadsModel t;
    t.patterns({{"DEAD", 0}, {"LIVE", 0}});
    t.node("1", 0, 0, 0);
    t.node("2", 1, 0, 0);
    t.host.pointLoads["1"] = {Joint("DEAD", -1, "Local")};
    t.host.pointLoads["2"] = {Joint("DEAD", -1), Joint("NONE", -5), Joint("LIVE", -2), Joint("DEAD", -3)};
    t.src.ReadLoadNodes();
    EXPECT_EQ(t.src.LoadNodeObjGet("1"), nullptr);
    ASSERT_EQ(t.src.LoadNodeNum(), 1);
    const auto& l = t.src.LoadNodeObj(1);
    ASSERT_EQ(l.ItemNum(), 2);
    EXPECT_EQ(l.Items[0].LoadPattern, "DEAD");
    EXPECT_DOUBLE_EQ(l.Items[0].F3, -4.0);
    EXPECT_DOUBLE_EQ(l.Items[1].F3, -2.0);
}

class AreaLoads : public ::testing::Test {
protected:
    void SetUp() override {
        t.patterns({{"DEAD", 0}, {"LIVE", 0}, {"SNOW", 0}, {"WIND", 0}});
        // A horizontal 2 x 2 slab (A = 4) and a sloped one rising 1 over 2 (A = 2 sqrt 5,
        // projected 4), both in the stored order: bottom edge, then top edge.
        t.node("1", 0, 0, 0);
        t.node("2", 2, 0, 0);
        t.node("3", 0, 2, 0);
        t.node("4", 2, 2, 0);
        t.node("5", 0, 0, 0 + 10);
        t.node("6", 2, 0, 10);
        t.node("7", 0, 2, 11);
        t.node("8", 2, 2, 11);
        t.area("S", {"1", "2", "3", "4"});
        t.area("R", {"5", "6", "7", "8"});
    }
    LoadsModel t;
};

TEST_F(AreaLoads, PressuresBecomeCornerForcesWithTrueOrProjectedArea) {
    t.host.areaLoads["S"] = {AreaLoad("DEAD", 10, 5), AreaLoad("LIVE", 6, -5), AreaLoad("SNOW", 11, 2)};
    t.host.areaLoads["R"] = {AreaLoad("DEAD", 10, 3), AreaLoad("LIVE", 11, 3), AreaLoad("SNOW", 9, 3)};
    t.readLoads();
    for (const char* n : {"1", "2", "3", "4"}) {
        EXPECT_DOUBLE_EQ(F3Of(t.src, n, "DEAD"), -5.0);
        EXPECT_DOUBLE_EQ(F3Of(t.src, n, "LIVE"), -5.0);
        EXPECT_DOUBLE_EQ(F3Of(t.src, n, "SNOW"), -2.0);
    }
    const double A = 2.0 * std::sqrt(5.0);
    for (const char* n : {"5", "6", "7", "8"}) {
        EXPECT_NEAR(F3Of(t.src, n, "DEAD"), -3.0 * A / 4.0, 1e-12);
        EXPECT_NEAR(F3Of(t.src, n, "LIVE"), -3.0, 1e-12);
        EXPECT_NEAR(F3Of(t.src, n, "SNOW"), 3.0, 1e-12);
    }
}

TEST_F(AreaLoads, TrueAndProjectedLoadsOfOnePatternKeepTheirOwnArea) {
    t.host.areaLoads["R"] = {AreaLoad("DEAD", 10, 1), AreaLoad("DEAD", 11, 1), AreaLoad("DEAD", 10, 1)};
    t.readLoads();
    const double A = 2.0 * std::sqrt(5.0);
    EXPECT_NEAR(F3Of(t.src, "5", "DEAD"), -(2.0 * A + 4.0) / 4.0, 1e-12);
}

TEST_F(AreaLoads, BothKindsOfAreaLoadAddUpAndOutOfScopeOnesAreDropped) {
    t.host.areaLoadsToFrames["S"] = {AreaLoad("DEAD", 10, 1)};
    t.host.areaLoads["S"] = {AreaLoad("DEAD", 10, 2), AreaLoad("DEAD", 10, 50, "Local"), AreaLoad("DEAD", 3, 50)};
    t.host.areaLoads["R"] = {AreaLoad("DEAD", 10, 50, "Local")};
    t.readLoads();
    EXPECT_EQ(t.src.LoadAreaNum(), 2);
    EXPECT_DOUBLE_EQ(F3Of(t.src, "1", "DEAD"), -3.0);
    EXPECT_EQ(t.src.LoadNodeObjGet("5"), nullptr);
}

TEST(AreaLoadsOfTriangles, ThreePartsOfOneHostAreaShareItsLoadOnce) {
    // A host triangle (0,0) (3,0) (0,3) of area 4.5, split into three 4-node areas of
    // the same label around its centre (1,1) and mid-sides (1.5,0) (1.5,1.5) (0,1.5).
    LoadsModel t;
    t.patterns({{"DEAD", 0}});
    t.node("P1", 0, 0, 0);
    t.node("P2", 3, 0, 0);
    t.node("P3", 0, 3, 0);
    t.node("C", 1, 1, 0);
    t.node("M12", 1.5, 0, 0);
    t.node("M23", 1.5, 1.5, 0);
    t.node("M31", 0, 1.5, 0);
    t.area("T", {"P1", "M12", "M31", "C"});
    t.area("T", {"M12", "P2", "C", "M23"});
    t.area("T", {"M31", "C", "P3", "M23"});
    double parts = 0;
    for (int i = 1; i <= 3; ++i) parts += t.src.AreaObjAreaGet(t.src.AreaObj(i));
    ASSERT_NEAR(parts, 4.5, 1e-12);
    t.host.areaLoads["T"] = {AreaLoad("DEAD", 10, 2)};
    t.readLoads();
    EXPECT_EQ(t.src.LoadAreaNum(), 1);
    double total = 0;
    for (int i = 1; i <= t.src.LoadNodeNum(); ++i) total += t.src.LoadNodeObj(i).Items.at(0).F3;
    EXPECT_NEAR(total, -9.0, 1e-12);
}

TEST(LoadPatternFlags, EachFlagFollowsItsOwnThreshold) {
    LoadsModel t;
    t.patterns({{"TINY", 5e-7}, {"HALF", 0.0005}, {"NODE", 1.0}, {"NONE", 0.0}});
    t.node("1", 0, 0, 0);
    t.node("2", 4, 0, 0);
    t.frame("B", "1", "2");
    t.host.pointLoads["1"] = {Joint("TINY", -1e-7), Joint("NODE", -1)};
    t.host.framePoint["B"] = {Point("HALF", 10, 0.5, 1)};
    t.readLoads();

    t.src.SetLoadPatternFlags();  // nothing weighs yet
    EXPECT_FALSE(t.src.LoadPatternObj(1).LoadNodeNotEmpty);
    EXPECT_TRUE(t.src.LoadPatternObj(3).LoadNodeNotEmpty);
    EXPECT_TRUE(t.src.LoadPatternObj(2).LoadElementNotEmpty);
    EXPECT_FALSE(t.src.LoadPatternObj(3).LoadElementNotEmpty);
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(t.src.LoadPatternObj(i).SelfWeightNotEmpty);

    source::TarvoPropMaterialObj& mat = t.src.AddPropMat("C30");
    mat.UnitWeight = 25;
    source::TarvoPropAreaSectObj& layered = t.src.AddPropAreaSect("L");
    layered.PropType = 1;
    layered.ShellType = 6;
    layered.LayerPropMatConcObj = &mat;
    t.area("W", {"1", "2", "1", "2"}).PropAreaSectObj = &layered;
    t.src.SetLoadPatternFlags();
    EXPECT_FALSE(t.src.LoadPatternObj(1).SelfWeightNotEmpty);
    EXPECT_TRUE(t.src.LoadPatternObj(2).SelfWeightNotEmpty);
    EXPECT_TRUE(t.src.LoadPatternObj(3).SelfWeightNotEmpty);
    EXPECT_FALSE(t.src.LoadPatternObj(4).SelfWeightNotEmpty);
}

}  // namespace
}  // namespace t2v::testing_loads
