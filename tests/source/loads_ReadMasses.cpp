// The mass step: each option of the mass source on a small model worked out by hand.
#include <gtest/gtest.h>

#include "source/loads_FakeHost.h"

namespace t2v::testing_loads {
namespace {

// A beam 4 long from node 1 to node 2, a column from node 5 up to node 1 (no section),
// and a 4 x 2 slab (area 8) on nodes 1, 2, 3, 4.
class Masses : public ::testing::Test {
protected:
    void SetUp() override {
        t.patterns({{"DEAD", 1.0}, {"LIVE", 0.0}});
        t.node("1", 0, 0, 0);
        t.node("2", 4, 0, 0);
        t.node("3", 0, 2, 0);
        t.node("4", 4, 2, 0);
        t.node("5", 0, 0, -3);
        mat = &t.src.AddPropMat("M");
        mat->UnitMass = 2.0;
        mat->UnitWeight = 20.0;
        sect = &t.src.AddPropFrameSect("S");
        sect->area = 0.1;
        sect->PropMatObj = mat;
        slab = &t.src.AddPropAreaSect("SL");
        slab->PropType = 1;
        slab->ShellType = 1;
        slab->Thick = 0.2;
        slab->PropMatObj = mat;
        beam = &t.frame("B", "1", "2");
        beam->PropFrameSectObj = sect;
        column = &t.frame("C", "5", "1");
        area = &t.area("A", {"1", "2", "3", "4"});
        area->PropAreaSectObj = slab;
    }
    const source::TarvoNodeObj& n(int i) { return t.src.NodeObj(i); }
    double g() const { return static_cast<double>(t.src.UnitValues().Gravity); }

    LoadsModel t;
    source::TarvoPropMaterialObj* mat = nullptr;
    source::TarvoPropFrameSectObj* sect = nullptr;
    source::TarvoPropAreaSectObj* slab = nullptr;
    source::TarvoFrameObj* beam = nullptr;
    source::TarvoFrameObj* column = nullptr;
    source::TarvoAreaObj* area = nullptr;
};

TEST_F(Masses, ElementAndAddedMassesOfOptionOne) {
    t.host.massOption = 1;
    t.host.pointMass["3"] = {1, 2, 3, 4, 5, 6};
    t.host.frameMass["B"] = 0.5;
    t.host.areaMass["A"] = 0.25;
    t.src.ReadMasses();
    EXPECT_EQ(t.src.MassSrcOption, 1);
    // Node 3: its own mass without UZ, plus the slab: 0.25 x 8 / 4 and 2 x 0.2 x 8 / 4.
    const source::Dof6 want3{1 + 0.5 + 0.8, 2 + 0.5 + 0.8, 0, 4, 5, 6};
    for (std::size_t d = 0; d < 6; ++d) EXPECT_DOUBLE_EQ(n(3).PointMass[d], want3[d]) << d;
    // Node 2: the beam (0.5 x 4 / 2 added, 2 x 0.1 x 4 / 2 material) and the slab.
    EXPECT_DOUBLE_EQ(n(2).PointMass[0], 1.0 + 0.4 + 1.3);
    EXPECT_DOUBLE_EQ(n(2).PointMass[1], 1.0 + 0.4 + 1.3);
    EXPECT_DOUBLE_EQ(n(2).PointMass[2], 0.0);
    // Node 5: a column without section and without mass.
    EXPECT_DOUBLE_EQ(n(5).PointMass[0], 0.0);
    EXPECT_DOUBLE_EQ(n(1).LoadMass[0] + n(1).FrameLoadMass[0] + n(1).AreaLoadMass[0], 0.0);
}

TEST_F(Masses, LoadsOfTheMassSourceOfOptionTwo) {
    t.host.massOption = 2;
    t.host.massPatterns = {"DEAD", "LIVE"};
    t.host.massScales = {1.0, 0.5};
    t.host.pointMass["3"] = {1, 2, 3, 4, 5, 6};
    t.host.pointLoads["3"] = {PointForceLoad{"3", "LIVE", 0, "GLOBAL", 0, 0, -10, 0, 0, 0}};
    t.host.pointLoads["4"] = {PointForceLoad{"4", "LIVE", 0, "GLOBAL", 0, 0, 10, 0, 0, 0}};
    // A triangle 0 -> 3 over the beam (total 6: 2 to I, 4 to J), a point load of 8 at a
    // quarter of it (6 to I, 2 to J), and a point load on the vertical column (no mass).
    FrameDistributedLoad tri;
    tri.pattern = "LIVE";
    tri.csys = "GLOBAL";
    tri.dir = 10;
    tri.rd1 = 0;
    tri.rd2 = 1;
    tri.val1 = 0;
    tri.val2 = 3;
    t.host.frameDist["B"] = {tri};
    t.host.framePoint["B"] = {FramePointLoad{"B", "LIVE", 1, "GLOBAL", 10, 0.25, 1.0, 8}};
    t.host.framePoint["C"] = {FramePointLoad{"C", "LIVE", 1, "GLOBAL", 10, 0.5, 1.5, 8}};
    t.readLoads();
    t.src.ReadMasses();

    for (int i = 1; i <= 5; ++i) EXPECT_DOUBLE_EQ(n(i).PointMass[0], 0.0);
    const double sf = 0.5;
    EXPECT_NEAR(n(3).LoadMass[0], 10 * sf / g(), 1e-12);
    EXPECT_NEAR(n(3).LoadMass[1], 10 * sf / g(), 1e-12);
    EXPECT_NEAR(n(4).LoadMass[0], -10 * sf / g(), 1e-12);  // upward: negative, left out later
    EXPECT_DOUBLE_EQ(n(3).LoadMass[2], 0.0);
    // DEAD self weight of the beam (1 x 20 x 0.1 x 4 / 2 = 4 per end) and the slab
    // (1 x 20 x 0.2 x 8 / 4 = 8 per corner).
    EXPECT_NEAR(n(1).FrameLoadMass[0], (4 + (2 + 6) * sf) / g(), 1e-12);
    EXPECT_NEAR(n(2).FrameLoadMass[1], (4 + (4 + 2) * sf) / g(), 1e-12);
    EXPECT_DOUBLE_EQ(n(5).FrameLoadMass[0], 0.0);
    EXPECT_NEAR(n(4).AreaLoadMass[0], 8 / g(), 1e-12);
}

TEST_F(Masses, SimplySupportedReactionsOfAPartialTrapezoid) {
    t.host.massOption = 2;
    t.host.massPatterns = {"LIVE"};
    t.host.massScales = {1.0};
    // 2 -> 6 between 0.25 and 0.75 of the 4-long beam: the load is 8 over a 2 long
    // stretch, its centroid at 1 + 2 x (2 + 2 x 6) / (3 x 8) = 2.1667 from node I:
    // R_J = 8 x 2.1667 / 4 = 4.3333, R_I = 3.6667.
    FrameDistributedLoad l;
    l.pattern = "LIVE";
    l.csys = "GLOBAL";
    l.dir = 6;  // upward code with negative values: a downward load
    l.rd1 = 0.25;
    l.rd2 = 0.75;
    l.val1 = -2;
    l.val2 = -6;
    t.host.frameDist["B"] = {l};
    t.readLoads();
    t.src.ReadMasses();
    EXPECT_NEAR(n(1).FrameLoadMass[0] * g(), 11.0 / 3.0, 1e-12);
    EXPECT_NEAR(n(2).FrameLoadMass[0] * g(), 13.0 / 3.0, 1e-12);
}

TEST_F(Masses, OptionThreeTakesBoth) {
    t.host.massOption = 3;
    t.host.massPatterns = {"DEAD"};
    t.host.massScales = {2.0};
    t.host.pointMass["5"] = {7, 7, 7, 7, 7, 7};
    t.src.ReadMasses();
    EXPECT_DOUBLE_EQ(n(5).PointMass[0], 7.0);
    EXPECT_NEAR(n(2).FrameLoadMass[0], 4 * 2.0 / g(), 1e-12);
    ASSERT_EQ(t.src.MassSrcLoadNum(), 1);
    EXPECT_EQ(t.src.MassSrcLoadPattern[0], "DEAD");
    EXPECT_DOUBLE_EQ(t.src.MassSrcSF[0], 2.0);
}

TEST_F(Masses, AMassSourceOfUnknownPatternOrMismatchedListsIsHandled) {
    t.host.massOption = 2;
    t.host.massPatterns = {"GONE"};
    t.host.massScales = {1.0};
    t.src.ReadMasses();
    EXPECT_DOUBLE_EQ(n(1).FrameLoadMass[0], 0.0);
    t.host.massScales = {};
    EXPECT_THROW(t.src.ReadMasses(), std::runtime_error);
}

}  // namespace
}  // namespace t2v::testing_loads
