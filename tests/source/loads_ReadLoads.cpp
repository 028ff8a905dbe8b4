// The load readers on small model documents worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "source/loads_Document.h"

namespace t2v::testing_loads {
namespace {

using source::TarvoLoadFrameDistObj;

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

// F3 of a node's nodal load in a pattern; NaN when there is none.
double F3Of(const source::TarvoModelObj& src, const std::string& node, const std::string& pattern) {
    if (const source::TarvoLoadNodeObj* l = src.LoadNodeObjGet(node))
        for (const auto& it : l->Items)
            if (it.LoadPattern == pattern) return it.F3;
    return NAN;
}

// A beam "B" 4 long from node 1 to node 2, with the given frame loads and loads on node 1.
std::string Beam(const std::string& dist, const std::string& points = "", const std::string& joint = "") {
    return R"("load_patterns": [{"name": "DEAD"}, {"name": "LIVE"}],
              "points": [{"name": "1", "x": 0, "y": 0, "z": 0, "loads": [)" +
           joint + R"(]},
                         {"name": "2", "x": 4, "y": 0, "z": 0}],
              "frames": [{"name": "B", "section": "S", "i": "1", "j": "2",
                          "distributed_loads": [)" +
           dist + R"(], "point_loads": [)" + points + "]}]";
}

const TarvoLoadFrameDistObj& Dist(LoadsModel& t, std::size_t i = 0) {
    return t.src.FrameObj(1).LoadFrameDistributed.at(i);
}

TEST(FrameLoads, OverlappingTrapezoidsAreSummedAndSplit) {
    // 10 uniform over 0..0.6 plus a triangle 0 -> 6 over 0.4..1 (2 at 0.6).
    LoadsModel t(Beam(R"({"pattern": "DEAD", "dir": 10, "rd1": 0, "rd2": 0.6, "val1": 10, "val2": 10},
                         {"pattern": "DEAD", "dir": 10, "rd1": 0.4, "rd2": 1, "val1": 0, "val2": 6})"));
    t.readLoads();
    ASSERT_EQ(t.src.FrameObj(1).LoadFrameDistributedNum(), 1);
    ExpectSegments(Dist(t), {{0.0, 0.4, 10, 10}, {0.4, 0.6, 10, 12}, {0.6, 1.0, 2, 6}});
}

TEST(FrameLoads, GapsAndCancelledLoadsLeaveNoSegment) {
    // DEAD: two separate stretches; LIVE: upward 5 (code 6) cancels downward 5 (code 11).
    LoadsModel t(Beam(R"({"pattern": "DEAD", "dir": 10, "rd1": 0, "rd2": 0.3, "val1": 4, "val2": 4},
                         {"pattern": "DEAD", "dir": 10, "rd1": 0.7, "rd2": 1, "val1": 4, "val2": 4},
                         {"pattern": "LIVE", "dir": 11, "val1": 5, "val2": 5},
                         {"pattern": "LIVE", "dir": 6, "val1": 5, "val2": 5})"));
    t.readLoads();
    ExpectSegments(Dist(t, 0), {{0.0, 0.3, 4, 4}, {0.7, 1.0, 4, 4}});
    ExpectSegments(Dist(t, 1), {});
    t.src.SetLoadPatternFlags();
    EXPECT_TRUE(t.src.LoadPatternObj(1).LoadElementNotEmpty);
    EXPECT_FALSE(t.src.LoadPatternObj(2).LoadElementNotEmpty);
}

TEST(FrameLoads, CollinearNeighboursAreMerged) {
    // DEAD: a uniform 5 given in two halves, once as upward -5 (code 6), once downward;
    // LIVE: a triangle 0 -> 10 in two pieces, the first given from its far end.
    LoadsModel t(Beam(R"({"pattern": "DEAD", "dir": 6, "rd1": 0, "rd2": 0.5, "val1": -5, "val2": -5},
                         {"pattern": "DEAD", "dir": 10, "rd1": 0.5, "rd2": 1, "val1": 5, "val2": 5},
                         {"pattern": "LIVE", "dir": 10, "rd1": 0.25, "rd2": 0, "val1": 2.5, "val2": 0},
                         {"pattern": "LIVE", "dir": 10, "rd1": 0.25, "rd2": 1, "val1": 2.5, "val2": 10})"));
    t.readLoads();
    ExpectSegments(Dist(t, 0), {{0.0, 1.0, 5, 5}});
    EXPECT_EQ(Dist(t, 0).Dir, 6);  // the direction of its first load
    ExpectSegments(Dist(t, 1), {{0.0, 1.0, 0, 10}});
}

TEST(FrameLoads, OutOfScopeLoadsAreDropped) {
    // A local system, a horizontal direction and a moment load are dropped; blanks
    // around the system's name do not make another system.
    LoadsModel t(Beam(R"({"pattern": "DEAD", "csys": "Local", "dir": 10, "val1": 1, "val2": 1},
                         {"pattern": "DEAD", "dir": 4, "val1": 1, "val2": 1},
                         {"pattern": "DEAD", "type": 2, "dir": 10, "val1": 1, "val2": 1},
                         {"pattern": "DEAD", "csys": " GLOBAL ", "dir": 10, "val1": 1, "val2": 1},
                         {"pattern": "DEAD", "dir": 10, "val1": 2, "val2": 2})"));
    t.readLoads();
    ASSERT_EQ(t.src.FrameObj(1).LoadFrameDistributedNum(), 1);
    ExpectSegments(Dist(t), {{0, 1, 3, 3}});
}

TEST(FrameLoads, ZeroLengthAndCoincidentPointLoadsBecomeOneSummedPoint) {
    LoadsModel t(Beam(R"({"pattern": "DEAD", "dir": 10, "rd1": 0.5, "rd2": 0.5, "val1": 7, "val2": 99})",
                      R"({"pattern": "DEAD", "dir": 10, "rd": 0.8, "val": 1},
                         {"pattern": "DEAD", "dir": 10, "rd": 0.5, "val": 3},
                         {"pattern": "DEAD", "dir": 9, "rd": 0.5000004, "val": -2})"));
    t.readLoads();
    const auto& f = t.src.FrameObj(1);
    EXPECT_EQ(f.LoadFrameDistributedNum(), 0);
    ASSERT_EQ(f.LoadFramePointNum(), 1);
    const auto& p = f.LoadFramePoint[0];
    ASSERT_EQ(p.ItemNum(), 2);
    EXPECT_DOUBLE_EQ(p.RD[0], 0.5);
    EXPECT_DOUBLE_EQ(p.Val[0], 12.0);
    EXPECT_DOUBLE_EQ(p.RD[1], 0.8);
    EXPECT_DOUBLE_EQ(p.Val[1], 1.0);
}

TEST(FrameLoads, EndPointLoadsMoveToTheNodesWithTheSignTurned) {
    LoadsModel t(Beam("",
                      R"({"pattern": "DEAD", "dir": 10, "rd": 0, "val": 8},
                         {"pattern": "DEAD", "dir": 6, "rd": 1, "val": 3},
                         {"pattern": "DEAD", "dir": 10, "rd": 0.5, "val": 1})",
                      R"({"pattern": "DEAD", "values": [0, 0, -2, 0, 0, 0]})"));
    t.readLoads();
    EXPECT_DOUBLE_EQ(F3Of(t.src, "1", "DEAD"), -10.0);  // the joint's -2 and 8 downward
    EXPECT_DOUBLE_EQ(F3Of(t.src, "2", "DEAD"), 3.0);    // 3 upward
    const auto& p = t.src.FrameObj(1).LoadFramePoint[0];
    ASSERT_EQ(p.ItemNum(), 1);
    EXPECT_DOUBLE_EQ(p.RD[0], 0.5);
}

TEST(LoadNodes, OnlyGlobalLoadsSummedPerPattern) {
    LoadsModel t(R"("load_patterns": [{"name": "DEAD"}, {"name": "LIVE"}],
        "points": [{"name": "1", "x": 0, "y": 0, "z": 0, "loads": [{"pattern": "DEAD", "csys": "Local", "values": [0, 0, -1, 0, 0, 0]}]},
                   {"name": "2", "x": 1, "y": 0, "z": 0, "loads": [{"pattern": "DEAD", "values": [1, 0, -1, 0, 0, 0]},
                                                   {"pattern": "LIVE", "values": [0, 0, -2, 0, 0, 0]},
                                                   {"pattern": "DEAD", "values": [0, 0, -3, 0, 0, 5]}]}])");
    t.src.ReadLoadNodes();
    EXPECT_EQ(t.src.LoadNodeObjGet("1"), nullptr);
    ASSERT_EQ(t.src.LoadNodeNum(), 1);
    const auto& l = t.src.LoadNodeObj(1);
    EXPECT_EQ(l.Label, "2");
    ASSERT_EQ(l.ItemNum(), 2);
    EXPECT_EQ(l.Items[0].LoadPattern, "DEAD");
    EXPECT_DOUBLE_EQ(l.Items[0].F1, 1.0);
    EXPECT_DOUBLE_EQ(l.Items[0].F3, -4.0);
    EXPECT_DOUBLE_EQ(l.Items[0].M3, 5.0);
    EXPECT_DOUBLE_EQ(l.Items[1].F3, -2.0);
}

// A horizontal 2 x 2 slab "S" (area 4) and a slab "R" rising 1 over 2 (area 2 sqrt 5,
// projected 4), corners in the stored order, with the given area loads.
std::string Slabs(const std::string& onS, const std::string& onR, const std::string& onSToFrames = "") {
    return R"("load_patterns": [{"name": "DEAD"}, {"name": "LIVE"}, {"name": "SNOW"}],
        "points": [{"name": "1", "x": 0, "y": 0, "z": 0}, {"name": "2", "x": 2, "y": 0, "z": 0},
                   {"name": "3", "x": 0, "y": 2, "z": 0}, {"name": "4", "x": 2, "y": 2, "z": 0},
                   {"name": "5", "x": 0, "y": 0, "z": 10}, {"name": "6", "x": 2, "y": 0, "z": 10},
                   {"name": "7", "x": 0, "y": 2, "z": 11}, {"name": "8", "x": 2, "y": 2, "z": 11}],
        "areas": [{"name": "S", "section": "SL", "points": ["1", "2", "3", "4"],
                   "uniform_loads": [)" +
           onS + R"(], "uniform_loads_to_frames": [)" + onSToFrames + R"(]},
                  {"name": "R", "section": "SL", "points": ["5", "6", "7", "8"], "uniform_loads": [)" +
           onR + "]}]";
}

TEST(AreaLoads, PressuresBecomeCornerForcesWithTrueOrProjectedArea) {
    LoadsModel t(Slabs(R"({"pattern": "DEAD", "dir": 10, "value": 5}, {"pattern": "LIVE", "dir": 6, "value": -5},
                          {"pattern": "SNOW", "dir": 11, "value": 2})",
                       R"({"pattern": "DEAD", "dir": 10, "value": 3}, {"pattern": "LIVE", "dir": 11, "value": 3},
                          {"pattern": "SNOW", "dir": 9, "value": 3})"));
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

TEST(AreaLoads, TrueAndProjectedLoadsOfOnePatternKeepTheirOwnArea) {
    LoadsModel t(Slabs("", R"({"pattern": "DEAD", "dir": 10, "value": 1}, {"pattern": "DEAD", "dir": 11, "value": 1},
                              {"pattern": "DEAD", "dir": 10, "value": 1})"));
    t.readLoads();
    const double A = 2.0 * std::sqrt(5.0);
    EXPECT_NEAR(F3Of(t.src, "5", "DEAD"), -(2.0 * A + 4.0) / 4.0, 1e-12);
}

TEST(AreaLoads, BothKindsOfAreaLoadAddUpAndOutOfScopeOnesAreDropped) {
    LoadsModel t(Slabs(R"({"pattern": "DEAD", "dir": 10, "value": 2}, {"pattern": "DEAD", "csys": "Local", "dir": 10,
                           "value": 50}, {"pattern": "DEAD", "dir": 3, "value": 50})",
                       R"({"pattern": "DEAD", "csys": "Local", "dir": 10, "value": 50})",
                       R"({"pattern": "DEAD", "dir": 10, "value": 1, "distribution": 2})"));
    t.readLoads();
    EXPECT_EQ(t.src.LoadAreaNum(), 2);
    EXPECT_DOUBLE_EQ(F3Of(t.src, "1", "DEAD"), -3.0);
    EXPECT_EQ(t.src.LoadNodeObjGet("5"), nullptr);
}

TEST(AreaLoads, TheWholeReadKeepsTheNodalLoadsAndDropsTheAreaLoads) {
    LoadsModel t(
        Slabs(R"({"pattern": "DEAD", "dir": 10, "value": 2})", R"({"pattern": "LIVE", "dir": 10, "value": 3})"));
    source::TarvoModelObj whole(*t.host, t.platform, UnitsForHostCode(t.host->GetPresentUnits()),
                                source::RecordsLocation{});
    whole.ReadTarvoData();
    EXPECT_EQ(whole.LoadAreaNum(), 0);
    t.readLoads();  // the same steps without the drop
    ASSERT_EQ(t.src.LoadAreaNum(), 2);
    for (const char* node : {"1", "4"}) EXPECT_DOUBLE_EQ(F3Of(whole, node, "DEAD"), F3Of(t.src, node, "DEAD"));
    for (const char* node : {"5", "8"}) EXPECT_DOUBLE_EQ(F3Of(whole, node, "LIVE"), F3Of(t.src, node, "LIVE"));
    EXPECT_DOUBLE_EQ(F3Of(whole, "1", "DEAD"), -2.0);
}

TEST(AreaLoads, ThePartsOfASplitTriangleShareItsLoadOnce) {
    // A host triangle (0,0) (3,0) (0,3) of area 4.5, as the area reader leaves it: three
    // 4-node areas of its label around its centre (1,1) and the mid-sides.
    LoadsModel t(R"("load_patterns": [{"name": "DEAD"}],
        "points": [{"name": "P1", "x": 0, "y": 0, "z": 0}, {"name": "P2", "x": 3, "y": 0, "z": 0},
                   {"name": "P3", "x": 0, "y": 3, "z": 0}],
        "areas": [{"name": "T", "section": "SL", "points": ["P1", "P2", "P3"],
                   "uniform_loads": [{"pattern": "DEAD", "dir": 10, "value": 2}]}])");
    t.node("C", 1, 1, 0);
    t.node("M12", 1.5, 0, 0);
    t.node("M23", 1.5, 1.5, 0);
    t.node("M31", 0, 1.5, 0);
    t.area("T", {"P1", "M12", "M31", "C"});
    t.area("T", {"M12", "P2", "C", "M23"});
    t.area("T", {"M31", "C", "P3", "M23"});
    t.readLoads();
    EXPECT_EQ(t.src.LoadAreaNum(), 1);
    double total = 0;
    for (int i = 1; i <= t.src.LoadNodeNum(); ++i) total += t.src.LoadNodeObj(i).Items.at(0).F3;
    EXPECT_NEAR(total, -9.0, 1e-12);
    EXPECT_NEAR(F3Of(t.src, "P1", "DEAD"), -0.75, 1e-12);
    EXPECT_NEAR(F3Of(t.src, "C", "DEAD"), -2.25, 1e-12);
}

TEST(LoadPatternFlags, EachFlagFollowsItsOwnThreshold) {
    LoadsModel t(R"("load_patterns": [{"name": "TINY", "self_weight_multiplier": 5e-7},
                                      {"name": "HALF", "self_weight_multiplier": 0.0005},
                                      {"name": "NODE", "self_weight_multiplier": 1}, {"name": "NONE"}],
        "points": [{"name": "1", "x": 0, "y": 0, "z": 0, "loads": [{"pattern": "TINY", "values": [0, 0, -1e-7, 0, 0, 0]},
                                           {"pattern": "NODE", "values": [0, 0, 0, 0, 0, -1]}]},
                   {"name": "2", "x": 4, "y": 0, "z": 0}],
        "frames": [{"name": "B", "section": "S", "i": "1", "j": "2",
                    "point_loads": [{"pattern": "HALF", "dir": 10, "rd": 0.5, "val": 1}]}])");
    t.readLoads();
    t.src.SetLoadPatternFlags();  // nothing weighs yet
    EXPECT_FALSE(t.src.LoadPatternObj(1).LoadNodeNotEmpty);
    EXPECT_TRUE(t.src.LoadPatternObj(3).LoadNodeNotEmpty);
    EXPECT_TRUE(t.src.LoadPatternObj(2).LoadElementNotEmpty);
    EXPECT_FALSE(t.src.LoadPatternObj(3).LoadElementNotEmpty);
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(t.src.LoadPatternObj(i).SelfWeightNotEmpty);

    // A layered shell whose concrete weighs.
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
