// The mass step: each option of the mass source on a small model worked out by hand.
#include <gtest/gtest.h>

#include "source/loads_Document.h"

namespace t2v::testing_loads {
namespace {

// A beam "B" 4 long from node 1 to node 2, a column "C" from node 5 up to node 1 (no
// section), and a 4 x 2 slab "A" (area 8) on nodes 1, 2, 3, 4. `rest` adds the mass
// source and whatever loads a test needs.
std::string Building(const std::string& rest, const std::string& beamLoads = "", const std::string& node3 = "",
                     const std::string& node4 = "", const std::string& columnLoads = "") {
    return R"("load_patterns": [{"name": "DEAD", "self_weight_multiplier": 1}, {"name": "LIVE"}],
        "points": [{"name": "1", "x": 0, "y": 0, "z": 0}, {"name": "2", "x": 4, "y": 0, "z": 0},
                   {"name": "3", "x": 0, "y": 2, "z": 0, "mass": [1, 2, 3, 4, 5, 6])" +
           node3 + R"(},
                   {"name": "4", "x": 4, "y": 2, "z": 0)" +
           node4 + R"(}, {"name": "5", "x": 0, "y": 0, "z": -3, "mass": [7, 7, 7, 7, 7, 7]}],
        "frames": [{"name": "B", "section": "S", "i": "1", "j": "2", "mass_per_length": 0.5)" +
           beamLoads + R"(},
                   {"name": "C", "section": "S", "i": "5", "j": "1",
                    "point_loads": [{"pattern": "LIVE", "dir": 10, "rd": 0.5, "val": 8}])" +
           columnLoads + R"(}],
        "areas": [{"name": "A", "section": "SL", "points": ["1", "2", "3", "4"], "mass_per_area": 0.25}],
        )" +
           rest;
}

class Masses : public ::testing::Test {
protected:
    // `layered`: the slab is a layered shell whose weight comes from its concrete layer
    // (unit mass 2.5, unit weight 25) over a thickness of 0.3.
    void build(const std::string& body, bool layered = false) {
        t = std::make_unique<LoadsModel>(body);
        auto& src = t->src;
        auto& mat = src.AddPropMat("M");
        mat.UnitMass = 2.0;
        mat.UnitWeight = 20.0;
        auto& sect = src.AddPropFrameSect("S");
        sect.area = 0.1;
        sect.PropMatObj = &mat;
        auto& slab = src.AddPropAreaSect("SL");
        slab.PropType = 1;
        slab.ShellType = 1;
        slab.Thick = 0.2;
        slab.PropMatObj = &mat;
        if (layered) {
            auto& conc = src.AddPropMat("CONC");
            conc.UnitMass = 2.5;
            conc.UnitWeight = 25.0;
            slab.ShellType = 6;
            slab.PropMatObj = nullptr;
            slab.LayerPropMatConcObj = &conc;
            slab.LayerVantraThick = 0.3;
        }
        src.FrameObj(1).PropFrameSectObj = &sect;
        src.AreaObj(1).PropAreaSectObj = &slab;
        t->readLoads();
        src.ReadMasses();
    }
    const source::TarvoNodeObj& n(int i) { return t->src.NodeObj(i); }
    double g() const { return static_cast<double>(t->src.UnitValues().Gravity); }

    std::unique_ptr<LoadsModel> t;
};

TEST_F(Masses, ElementAndAddedMassesOfOptionOne) {
    build(Building(R"("mass_source": {"option": 1, "patterns": [{"name": "DEAD", "scale": 1}]})"));
    EXPECT_EQ(t->src.MassSrcOption, 1);
    // Node 3: its own mass without UZ, plus the slab: 0.25 x 8 / 4 added and
    // 2 x 0.2 x 8 / 4 of its material.
    const source::Dof6 want3{1 + 0.5 + 0.8, 2 + 0.5 + 0.8, 0, 4, 5, 6};
    for (std::size_t d = 0; d < 6; ++d) EXPECT_DOUBLE_EQ(n(3).PointMass[d], want3[d]) << d;
    // Node 2: the beam (0.5 x 4 / 2 added, 2 x 0.1 x 4 / 2 of its material) and the slab.
    EXPECT_DOUBLE_EQ(n(2).PointMass[0], 1.0 + 0.4 + 1.3);
    EXPECT_DOUBLE_EQ(n(2).PointMass[1], 1.0 + 0.4 + 1.3);
    EXPECT_DOUBLE_EQ(n(2).PointMass[2], 0.0);
    // Node 5: its own mass only; the column has neither section nor added mass.
    EXPECT_DOUBLE_EQ(n(5).PointMass[0], 7.0);
    EXPECT_DOUBLE_EQ(n(1).LoadMass[0] + n(1).FrameLoadMass[0] + n(1).AreaLoadMass[0], 0.0);
}

TEST_F(Masses, LoadsOfTheMassSourceOfOptionTwo) {
    // LIVE, scaled by a half: a downward 10 at node 3 and an upward 10 at node 4; on the
    // beam a triangle 0 -> 3 (6 in all: 2 to I, 4 to J) and 8 at a quarter (6 to I, 2 to
    // J); 8 on the vertical column gives no mass. DEAD: the self weight of the beam,
    // 1 x 20 x 0.1 x 4 / 2 = 4 per end, and of the slab, 1 x 20 x 0.2 x 8 / 4 = 8 per corner.
    build(Building(R"("mass_source": {"option": 2, "patterns": [{"name": "DEAD", "scale": 1},
                                                                {"name": "LIVE", "scale": 0.5}]})",
                   R"(, "distributed_loads": [{"pattern": "LIVE", "dir": 10, "val1": 0, "val2": 3}],
                     "point_loads": [{"pattern": "LIVE", "dir": 10, "rd": 0.25, "val": 8}])",
                   R"(, "loads": [{"pattern": "LIVE", "values": [0, 0, -10, 0, 0, 0]}])",
                   R"(, "loads": [{"pattern": "LIVE", "values": [0, 0, 10, 0, 0, 0]}])"));
    for (int i = 1; i <= 5; ++i) EXPECT_DOUBLE_EQ(n(i).PointMass[0], 0.0);
    const double sf = 0.5;
    EXPECT_NEAR(n(3).LoadMass[0], 10 * sf / g(), 1e-12);
    EXPECT_NEAR(n(3).LoadMass[1], 10 * sf / g(), 1e-12);
    EXPECT_DOUBLE_EQ(n(3).LoadMass[2], 0.0);
    EXPECT_NEAR(n(4).LoadMass[0], -10 * sf / g(), 1e-12);  // upward: negative, left out later
    EXPECT_NEAR(n(1).FrameLoadMass[0], (4 + (2 + 6) * sf) / g(), 1e-12);
    EXPECT_NEAR(n(2).FrameLoadMass[1], (4 + (4 + 2) * sf) / g(), 1e-12);
    EXPECT_DOUBLE_EQ(n(5).FrameLoadMass[0], 0.0);
    EXPECT_NEAR(n(4).AreaLoadMass[0], 8 / g(), 1e-12);
    ASSERT_EQ(t->src.MassSrcLoadNum(), 2);
    EXPECT_EQ(t->src.MassSrcLoadPattern[1], "LIVE");
    EXPECT_DOUBLE_EQ(t->src.MassSrcSF[1], 0.5);
}

TEST_F(Masses, SimplySupportedReactionsOfAPartialTrapezoid) {
    // 2 -> 6 between 0.25 and 0.75 of the 4-long beam, given upward as -2 -> -6 (code 6):
    // the load is 8 over a stretch of 2 whose centroid lies 1 + 2 x (2 + 2 x 6) / (3 x 8)
    // = 13/6 from node I, so R_J = 8 x 13/6 / 4 = 13/3 and R_I = 11/3.
    build(Building(R"("mass_source": {"option": 2, "patterns": [{"name": "LIVE", "scale": 1}]})",
                   R"(, "distributed_loads": [{"pattern": "LIVE", "dir": 6, "rd1": 0.25, "rd2": 0.75,
                                               "val1": -2, "val2": -6}])"));
    EXPECT_NEAR(n(1).FrameLoadMass[0] * g(), 11.0 / 3.0, 1e-12);
    EXPECT_NEAR(n(2).FrameLoadMass[0] * g(), 13.0 / 3.0, 1e-12);
}

TEST_F(Masses, LayeredSlabWeighsByItsConcreteLayerInEveryOption) {
    // Per corner of the 8 m2 slab: option 1 the added 0.25 x 8 / 4 = 0.5 and the layer's
    // 2.5 x 0.3 x 8 / 4 = 1.5; option 2 the layer's weight 1 x 25 x 0.3 x 8 / 4 = 15
    // over g; option 3 both, each in its own field.
    const std::string dead = R"("patterns": [{"name": "DEAD", "scale": 1}]})";
    for (int option : {1, 2, 3}) {
        SCOPED_TRACE(option);
        build(Building(R"("mass_source": {"option": )" + std::to_string(option) + ", " + dead), true);
        EXPECT_DOUBLE_EQ(n(4).PointMass[0], option == 2 ? 0.0 : 2.0);
        EXPECT_NEAR(n(4).AreaLoadMass[1], option == 1 ? 0.0 : 15.0 / g(), 1e-12);
        EXPECT_DOUBLE_EQ(n(4).AreaLoadMass[2], 0.0);
    }
}

TEST_F(Masses, DistributedLoadOnAVerticalFrameGivesEndMassesWhereAPointLoadGivesNone) {
    // The column C (5 -> 1, 3 long, no plan length) carries 2 per length over its whole
    // height: 3 to each end. Its point load of 8 at mid-height weighs nothing: it needs
    // a plan length to be split between the ends.
    build(Building(R"("mass_source": {"option": 2, "patterns": [{"name": "LIVE", "scale": 1}]})", "", "", "",
                   R"(, "distributed_loads": [{"pattern": "LIVE", "dir": 10, "val1": 2, "val2": 2}])"));
    EXPECT_NEAR(n(5).FrameLoadMass[0] * g(), 3.0, 1e-12);
    EXPECT_NEAR(n(1).FrameLoadMass[1] * g(), 3.0, 1e-12);
}

}  // namespace
}  // namespace t2v::testing_loads
