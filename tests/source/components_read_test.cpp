// Read steps of materials, frame sections, frames, releases, hinges and shell sections,
// over model documents.
#include <gtest/gtest.h>

#include <cmath>

#include "source/components_Fixture.h"

namespace t2v::test {
namespace {

using source::TarvoFrameObj;
using source::TarvoPropAreaSectObj;

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------------------------------
// Materials

TEST(ComponentsReadMaterials, MissingKindsAreDefinedInTheHostAndReadLikeAnyOther) {
    ComponentFixture f(Doc(R"("materials": [
        {"name": "C30", "type": 2, "isotropic": {"E": 2.5e7, "U": 0.2, "G": 1.0e7}, "concrete": {"Fc": 28}},
        {"name": "Alu", "type": 4, "isotropic": {"E": 7.0e7}}])"));
    f.src.ReadMaterials();

    // Concrete exists; steel then rebar are added to the host model, in that order.
    const auto& hostMaterials = f.host->model().materials;
    ASSERT_EQ(hostMaterials.size(), 4u);
    EXPECT_EQ(hostMaterials[2].name, "Steel");
    EXPECT_EQ(hostMaterials[3].name, "Rebar");
    ASSERT_EQ(f.src.PropMatNum(), 3);  // aluminium is not read
    EXPECT_EQ(f.src.PropMatObj(1).Label, "C30");
    EXPECT_EQ(f.src.PropMatObj(2).Label, "Steel");
    EXPECT_EQ(f.src.PropMatObj(3).Label, "Rebar");
    EXPECT_EQ(f.src.PropMaterialObjGet("Alu"), nullptr);
    EXPECT_EQ(f.src.PropMatObj(2).MatType, 1);
    EXPECT_GT(f.src.PropMatObj(2).SteelFy, 0.0);
    // The typical rebar is uniaxial: G is half its modulus, Nu the fixed 0.05.
    const auto& r = f.src.PropMatObj(3);
    EXPECT_EQ(r.MatType, 6);
    EXPECT_EQ(r.SymType, 3);
    EXPECT_GT(r.E(), 0.0);
    EXPECT_DOUBLE_EQ(r.G(), r.UniE / 2.0);
    EXPECT_DOUBLE_EQ(r.Nu(), 0.05);
    EXPECT_GT(r.RebareFu, 0.0);
}

TEST(ComponentsReadMaterials, CurvesCorrectConcreteAndRebarStrengths) {
    ComponentFixture f(Doc(R"("materials": [
        {"name": "C1", "type": 2, "concrete": {"Fc": 28}, "stress_strain": [[0, 0], [-1, -10], [-2, -30], [-3, -20], [1, 5]]},
        {"name": "C2", "type": 2, "concrete": {"Fc": 28}, "stress_strain": [[0, 0], [-1, -5e-7], [1, 3]]},
        {"name": "C3", "type": 2, "concrete": {"Fc": 28}},
        {"name": "R1", "type": 6, "symmetry": 3, "uniaxial": {"E": 200000},
         "rebar": {"Fy": 420, "Fu": 620, "EFy": 460, "EFu": 680},
         "stress_strain": [[0, 0], [1, 400], [2, 720], [3, 690], [-2, -720]]},
        {"name": "S1", "type": 1, "isotropic": {"E": 2e8, "U": 0.3, "G": 7.7e7},
         "steel": {"Fy": 345000, "Fu": 450000, "EFy": 380000, "EFu": 495000}}])"));
    f.src.ReadMaterials();
    ASSERT_EQ(f.host->model().materials.size(), 5u);  // nothing had to be added

    EXPECT_DOUBLE_EQ(f.src.PropMatObj(1).ConcFc, 30);  // the curve's deepest compression
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(1).Fy(), 27);
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(1).Fu(), 30);
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(2).ConcFc, 28);  // no real compression on the curve
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(3).ConcFc, 28);  // no curve
    const auto& r = f.src.PropMatObj(4);
    EXPECT_DOUBLE_EQ(r.RebareFu, 720);
    EXPECT_DOUBLE_EQ(r.RebareFy, 460);
    EXPECT_DOUBLE_EQ(r.Fy(), 0.9 * 420);
    EXPECT_DOUBLE_EQ(r.Fu(), 620);
    const auto& s = f.src.PropMatObj(5);
    EXPECT_DOUBLE_EQ(s.SteeleFu, 495000);
    EXPECT_DOUBLE_EQ(s.Fy(), 0.9 * 345000);
    EXPECT_DOUBLE_EQ(s.Fu(), 450000);
    EXPECT_DOUBLE_EQ(s.E(), 2.0e8);
    EXPECT_DOUBLE_EQ(s.Nu(), 0.3);
    EXPECT_DOUBLE_EQ(s.G(), 7.7e7);
}

TEST(ComponentsReadMaterials, ElasticConstantsFollowTheSymmetry) {
    ComponentFixture f(Doc(R"("materials": [
        {"name": "C", "type": 2}, {"name": "R", "type": 6}, {"name": "S", "type": 1},
        {"name": "Ortho", "type": 1, "symmetry": 1,
         "orthotropic": {"E": [100, 200, 300], "U": [0.25, 0.1, 0.1], "A": [1e-5, 0, 0], "G": [40, 50, 60]}},
        {"name": "Aniso", "type": 1, "symmetry": 2,
         "anisotropic": {"E": [110, 0, 0], "U": [0.28, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.5],
                         "A": [0, 0, 0, 0, 2e-5], "G": [44, 0, 0]}}])"));
    f.src.ReadMaterials();

    const auto* ortho = f.src.PropMaterialObjGet("Ortho");
    ASSERT_NE(ortho, nullptr);
    // Orthotropic Poisson ratios and shear moduli are read with the moduli.
    EXPECT_DOUBLE_EQ(ortho->E(), 100);
    EXPECT_DOUBLE_EQ(ortho->Nu(), 0.25);
    EXPECT_DOUBLE_EQ(ortho->G(), 40);
    EXPECT_DOUBLE_EQ(ortho->OrtE[2], 300);
    EXPECT_DOUBLE_EQ(ortho->OrtA[0], 1e-5);
    const auto* aniso = f.src.PropMaterialObjGet("Aniso");
    EXPECT_DOUBLE_EQ(aniso->E(), 110);
    EXPECT_DOUBLE_EQ(aniso->Nu(), 0.28);
    EXPECT_DOUBLE_EQ(aniso->G(), 44);
    EXPECT_DOUBLE_EQ(aniso->AniU[14], 0.5);
    EXPECT_DOUBLE_EQ(aniso->AniA[4], 2e-5);

    // Symmetry and type codes the host does not use get the stand-in values.
    source::TarvoPropMaterialObj other;
    other.MatType = 4;
    other.SymType = 7;
    EXPECT_DOUBLE_EQ(other.Fy(), 211500.0);
    EXPECT_DOUBLE_EQ(other.Fu(), 235000.0);
    EXPECT_DOUBLE_EQ(other.E(), 5400.0);
    EXPECT_DOUBLE_EQ(other.Nu(), 0.05);
    EXPECT_DOUBLE_EQ(other.G(), 2700.0);
}

// ---------------------------------------------------------------------------------------
// Frame sections, frames, releases

// Sections of every kind the reader tells apart, points P0.. and the frames given.
std::string FrameDoc(std::string_view frames = "") {
    std::string s = R"("materials": [
        {"name": "C30", "type": 2, "isotropic": {"E": 2.5e7}},
        {"name": "S355", "type": 1, "isotropic": {"E": 2e8}},
        {"name": "R", "type": 6},
        {"name": "Alu", "type": 4}],
      "frame_sections": [
        {"name": "W1", "type": 1, "material": "S355",
         "properties": {"A": 0.01, "I33": 2e-4, "S33": 2e-3, "I22": 5e-5, "S22": 1e-3, "J": 3e-7,
                        "As2": 0.004, "As3": 0.005, "R22": 0.07, "R33": 0.14}},
        {"name": "R1", "type": 8, "material": "C30", "rebar_type": 1},
        {"name": "R2", "type": 8, "material": "C30", "rebar_type": 2},
        {"name": "NoType", "material": "C30"},
        {"name": "Zero", "type": 0, "material": "C30"},
        {"name": "Var", "type": 14, "segments": ["R1", "W1"]},
        {"name": "NoMat", "type": 3},
        {"name": "AluPipe", "type": 7, "material": "Alu"},
        {"name": "SteelBox", "type": 8, "material": "S355", "rebar_type": 1},
        {"name": "W0", "type": 1, "material": "S355"}],
      "points": [
        {"name": "N1", "x": 0, "y": 0, "z": 0}, {"name": "N2", "x": 0, "y": 0, "z": 3},
        {"name": "N3", "x": 4, "y": 0, "z": 3}, {"name": "Nowhere", "x": 9, "y": 9, "z": 9}])";
    if (!frames.empty()) s += ",\n\"frames\": [" + std::string(frames) + "]";
    return Doc(s);
}

TEST(ComponentsReadFrames, SectionsKeepTypeMaterialAndDimensions) {
    ComponentFixture f(FrameDoc());
    f.src.ReadMaterials();
    f.src.ReadFrameSections();
    f.src.LinkFrameSectionsToMaterials();

    ASSERT_EQ(f.src.PropFrameSectNum(), 8);  // NoType and Zero are not read
    EXPECT_EQ(f.src.PropFrameSectObjGet("NoType"), nullptr);
    EXPECT_EQ(f.src.PropFrameSectObjGet("Zero"), nullptr);

    const auto* w = f.src.PropFrameSectObjGet("W1");
    EXPECT_EQ(w->PropType, 1);
    EXPECT_DOUBLE_EQ(w->area, 0.01);
    EXPECT_DOUBLE_EQ(w->TorsionConst, 3e-7);
    EXPECT_DOUBLE_EQ(w->As3, 0.005);
    EXPECT_DOUBLE_EQ(w->R33, 0.14);
    // An I-section's depth and width from I = S x d / 2; without a modulus none; other
    // shapes get 10.
    EXPECT_NEAR(w->t3, 0.2, 1e-12);
    EXPECT_NEAR(w->t2, 0.1, 1e-12);
    EXPECT_EQ(w->tf, 0.0);
    EXPECT_EQ(w->tw, 0.0);
    EXPECT_EQ(f.src.PropFrameSectObjGet("W0")->t3, 0.0);
    EXPECT_EQ(f.src.PropFrameSectObjGet("W0")->t2, 0.0);
    EXPECT_EQ(w->PropMatObj, f.src.PropMaterialObjGet("S355"));
    EXPECT_EQ(f.src.PropFrameSectObjGet("R1")->t2, 10.0);
    EXPECT_EQ(f.src.PropFrameSectObjGet("R1")->t3, 10.0);

    // A variable section takes its first segment's material.
    EXPECT_EQ(f.src.PropFrameSectObjGet("Var")->PropMatName, "C30");
    EXPECT_EQ(f.src.PropFrameSectObjGet("Var")->PropMatObj, f.src.PropMaterialObjGet("C30"));
    // A failed material query gives no name; a material of a kind that is not read
    // leaves the section without one.
    EXPECT_EQ(f.src.PropFrameSectObjGet("NoMat")->PropMatName, "");
    EXPECT_EQ(f.src.PropFrameSectObjGet("NoMat")->PropMatObj, nullptr);
    EXPECT_EQ(f.src.PropFrameSectObjGet("AluPipe")->PropMatName, "Alu");
    EXPECT_EQ(f.src.PropFrameSectObjGet("AluPipe")->PropMatObj, nullptr);
}

TEST(ComponentsReadFrames, FramesOfUnreadSectionsAreSkippedAndReleasesShared) {
    ComponentFixture f(FrameDoc(R"(
        {"name": "B1", "section": "W1", "i": "N2", "j": "N3", "angle": 30,
         "releases": {"j": [0, 0, 0, 0, 1, 1]}},
        {"name": "B2", "section": "W1", "i": "N2", "j": "N3", "releases": {"j": [0, 0, 0, 0, 1, 1]}},
        {"name": "B3", "section": "R1", "i": "N2", "j": "N3", "releases": {"i": [0, 0, 0, 1, 0, 0]}},
        {"name": "C1", "section": "Zero", "i": "N1", "j": "N2"},
        {"name": "C2", "section": "R1", "i": "N1", "j": "Nowhere",
         "releases": {"i": [0, 0, 0, 0, 0, 0], "j": [0, 0, 0, 1, 0, 0]}})"));
    f.node("N1", 0, 0, 0);
    f.node("N2", 0, 0, 3);
    f.node("N3", 4, 0, 3);
    f.src.ReadMaterials();
    f.src.ReadFrameSections();
    f.src.ReadFrames();
    f.src.ReadFrameReleases();

    ASSERT_EQ(f.src.FrameNum(), 4);
    EXPECT_EQ(f.src.FrameObjGet("C1"), nullptr);
    const TarvoFrameObj& b1 = f.src.FrameObj(1);
    EXPECT_EQ(b1.PropFrameSectName, "W1");
    EXPECT_EQ(b1.LabelNodeI, "N2");
    EXPECT_EQ(b1.NodeI, f.src.NodeIdGet("N2"));
    EXPECT_EQ(b1.NodeJ, f.src.NodeIdGet("N3"));
    EXPECT_DOUBLE_EQ(b1.Angle, 30);
    EXPECT_EQ(f.src.FrameObjGet("C2")->NodeJ, -1);  // no source node of that name

    // One release object per pattern, the first in table order, shared by the frames.
    ASSERT_EQ(f.src.FrameReleaseNum(), 2);
    EXPECT_EQ(b1.ReleaseJObj, &f.src.FrameReleaseObj(1));
    EXPECT_EQ(f.src.FrameObj(2).ReleaseJObj, b1.ReleaseJObj);
    EXPECT_EQ(b1.ReleaseIObj, nullptr);
    EXPECT_EQ(f.src.FrameReleaseObj(1).Release, (std::array<bool, 6>{false, false, false, false, true, true}));
    const TarvoFrameObj& b3 = f.src.FrameObj(3);
    EXPECT_TRUE(b3.isIReleased());
    EXPECT_FALSE(b3.isJReleased());
    EXPECT_EQ(b3.ReleaseIObj, &f.src.FrameReleaseObj(2));
    const TarvoFrameObj& c2 = *f.src.FrameObjGet("C2");
    EXPECT_FALSE(c2.isIReleased());
    EXPECT_EQ(c2.ReleaseJObj, b3.ReleaseIObj);  // same torsion pattern at the other end
}

TEST(ComponentsReadFrames, ClassificationAtTheOrientationThresholdsAndBySection) {
    ComponentFixture f(FrameDoc());
    f.src.ReadMaterials();
    f.src.ReadFrameSections();
    f.node("O", 0, 0, 0);
    // A frame at `deg` degrees from the vertical, of unit length.
    auto tilted = [&](const std::string& name, double deg, const std::string& sect) {
        const double a = deg * kPi / 180.0;
        f.node(name + "J", std::sin(a), 0, std::cos(a));
        auto& fr = f.src.AddFrame(name);
        fr.PropFrameSectName = sect;
        fr.NodeI = f.src.NodeIdGet("O");
        fr.NodeJ = f.src.NodeIdGet(name + "J");
        return &fr;
    };
    // The thresholds are 0.9961986 (4.997 degrees) and 0.0879049 (84.957 degrees), so
    // exactly 5 and 85 degrees fall on the inclined and horizontal sides.
    auto* v = tilted("V", 4.99, "R1");
    auto* i5 = tilted("I5", 5.0, "R2");
    auto* i85 = tilted("I85", 84.9, "W1");
    auto* h = tilted("H", 85.0, "SteelBox");
    auto* alu = tilted("A", 0, "AluPipe");
    auto* none = tilted("N", 90, "NoMat");
    f.src.LinkFrameSectionsToMaterials();
    f.src.LinkFramesToSections();
    f.src.ClassifyFrames();

    EXPECT_EQ(v->VantraFrameType, 1);
    EXPECT_EQ(i5->VantraFrameType, 3);
    EXPECT_EQ(i85->VantraFrameType, 3);
    EXPECT_EQ(h->VantraFrameType, 2);
    EXPECT_EQ(none->VantraFrameType, 2);

    // Rectangle 1, I-section 2, else 3; concrete 1, steel 2; concrete rectangles by
    // their reinforcement: column rebar (1) gives 2, beam rebar (2) gives 1.
    EXPECT_EQ(v->VantraSectType, 1);
    EXPECT_EQ(v->VantraMatType, 1);
    EXPECT_EQ(v->VantraConcType, 2);
    EXPECT_EQ(i5->VantraConcType, 1);
    EXPECT_EQ(i85->VantraSectType, 2);
    EXPECT_EQ(i85->VantraMatType, 2);
    EXPECT_EQ(i85->VantraConcType, 3);
    EXPECT_EQ(h->VantraSectType, 1);
    EXPECT_EQ(h->VantraMatType, 2);
    EXPECT_EQ(h->VantraConcType, 3);  // a steel rectangle has no concrete member kind
    EXPECT_EQ(alu->VantraSectType, 3);
    EXPECT_EQ(alu->VantraMatType, 3);
    EXPECT_EQ(alu->VantraConcType, 3);
    EXPECT_EQ(none->VantraSectType, 3);
    EXPECT_EQ(none->VantraMatType, 3);
}

TEST(ComponentsReadFrames, HingesNearTheEndsByKindAndFreedom) {
    ComponentFixture f(FrameDoc(R"(
        {"name": "A", "section": "W1", "i": "N1", "j": "N2",
         "hinges": [{"kind": 6, "dof": 1, "rel_dist": 0.1}, {"kind": 3, "dof": 10, "rel_dist": 0.95}]},
        {"name": "B", "section": "W1", "i": "N1", "j": "N2",
         "hinges": [{"kind": 3, "dof": 7, "rel_dist": 0}, {"kind": 9, "dof": 0, "rel_dist": 0.5},
                    {"kind": 3, "dof": 8, "rel_dist": 0.10001}, {"kind": 3, "dof": 11, "rel_dist": 0.89999}]},
        {"name": "C", "section": "W1", "i": "N1", "j": "N2",
         "hinges": [{"kind": 9, "dof": 0, "rel_dist": 1}, {"kind": 2, "dof": 11, "rel_dist": 0.9}]})"));
    f.src.ReadMaterials();
    f.src.ReadFrameSections();
    f.src.ReadFrames();
    f.src.ReadFrameHinges();

    const auto& a = f.src.FrameObj(1);
    EXPECT_TRUE(a.HingeI);
    EXPECT_EQ(a.HingeTypeI, 1);
    EXPECT_TRUE(a.HingeJ);
    EXPECT_EQ(a.HingeTypeJ, 2);
    EXPECT_TRUE(a.IsFEMAFrame());
    const auto& b = f.src.FrameObj(2);  // wrong freedom, mid-span, or just past the limits
    EXPECT_FALSE(b.IsFEMAFrame());
    EXPECT_EQ(b.HingeTypeI, -1);
    EXPECT_EQ(b.HingeTypeJ, -1);
    const auto& c = f.src.FrameObj(3);  // the later hinge sets the type at J
    EXPECT_FALSE(c.HingeI);
    EXPECT_TRUE(c.HingeJ);
    EXPECT_EQ(c.HingeTypeJ, 2);
}

TEST(ComponentsReadFrames, ReleasePairsAreFoundByIdentityAndForm) {
    source::TarvoFrameReleaseObj r1, r2;
    source::TarvoPropFrameSectObj s;
    EXPECT_EQ(s.GetIdxRelease(&r1, nullptr), -1);
    s.AddRelease(&r1, nullptr, 7);
    s.AddRelease(&r1, &r2, 8);
    s.AddRelease(&r1, nullptr, 9, 1);
    EXPECT_EQ(s.ReleaseNum(), 3);
    EXPECT_EQ(s.GetIdxRelease(&r1, nullptr), 0);
    EXPECT_EQ(s.GetIdxRelease(&r1, &r2), 1);
    EXPECT_EQ(s.GetIdxRelease(&r2, &r1), -1);
    EXPECT_EQ(s.GetIdxRelease(nullptr, nullptr), -1);
    EXPECT_EQ(s.GetIdxRelease(&r1, nullptr, 1), 2);
    EXPECT_EQ(s.idVantraRelease[2], 9);
    s.AddRelease(&r1, nullptr, 10);  // a repeated pair keeps the first position
    EXPECT_EQ(s.GetIdxRelease(&r1, nullptr), 0);
}

// ---------------------------------------------------------------------------------------
// Shell sections and layers

TEST(ComponentsReadAreaSections, ThinAndLayeredShellsAreReadOthersSkipped) {
    ComponentFixture f(
        Doc(R"("materials": [{"name": "C30", "type": 2}, {"name": "S", "type": 1}, {"name": "R", "type": 6}],
      "area_sections": [
        {"name": "Wall", "shell_type": 1, "drilling": true, "material": "C30", "material_angle": 15,
         "thickness": 0, "bending_thickness": 5e-7},
        {"name": "Membrane", "shell_type": 5, "material": "C30", "thickness": 0.2},
        {"name": "Plane", "type": 2, "shell_type": 1, "material": "C30", "thickness": 0.2},
        {"name": "Lay", "shell_type": 6, "layers": [
          {"name": "L1", "distance": -0.05, "thickness": 0.2, "type": 1, "integration_points": 3,
           "material": "C30", "angle": 0, "s11": 1, "s22": 2, "s12": 1}]}])"));
    f.src.ReadMaterials();
    f.src.ReadAreaSections();

    ASSERT_EQ(f.src.PropAreaSectNum(), 2);
    const auto& w = f.src.PropAreaSectObj(1);
    EXPECT_EQ(w.Label, "Wall");
    EXPECT_EQ(w.PropType, 1);
    EXPECT_EQ(w.ShellType, 1);
    EXPECT_EQ(w.IncludeDrillingDOF, 1);
    EXPECT_EQ(w.PropMat, "C30");
    EXPECT_DOUBLE_EQ(w.MatAng, 15);
    EXPECT_DOUBLE_EQ(w.Thick, 0.001);  // no thickness becomes a small one
    EXPECT_DOUBLE_EQ(w.Bending, 0.001);
    const auto& l = f.src.PropAreaSectObj(2);
    EXPECT_EQ(l.ShellType, 6);
    ASSERT_EQ(l.LayerNum, 1);
    EXPECT_EQ(l.LayerNames[0], "L1");
    EXPECT_DOUBLE_EQ(l.LayerDists[0], -0.05);
    EXPECT_DOUBLE_EQ(l.LayerThick[0], 0.2);
    EXPECT_EQ(l.LayerType[0], 1);
    EXPECT_EQ(l.LayerNumIntPts[0], 3);
    EXPECT_EQ(l.LayerMatProp[0], "C30");
    EXPECT_EQ(l.LayerS11Type[0], 1);
    EXPECT_EQ(l.LayerS22Type[0], 2);
    EXPECT_EQ(l.LayerS12Type[0], 1);

    f.src.LinkAreaSectionsToMaterials();
    EXPECT_EQ(w.PropMatObj, f.src.PropMaterialObjGet("C30"));
    EXPECT_EQ(l.PropMatObj, nullptr);  // a layered shell names no material of its own
}

// A layer {material, thickness, layer type, angle, s11, s22} as document JSON.
std::string L(const char* mat, double thick, int type, double angle, int s11, int s22) {
    return "{\"name\": \"" + std::string(mat) + std::to_string(thick) + "\", \"material\": \"" + mat +
           "\", \"thickness\": " + std::to_string(thick) + ", \"type\": " + std::to_string(type) +
           ", \"angle\": " + std::to_string(angle) + ", \"s11\": " + std::to_string(s11) +
           ", \"s22\": " + std::to_string(s22) + "}";
}
std::string Layered(const char* name, std::initializer_list<std::string> layers) {
    std::string s = "{\"name\": \"" + std::string(name) + "\", \"shell_type\": 6, \"layers\": [";
    bool first = true;
    for (const auto& l : layers) s += (first ? "" : ", ") + l, first = false;
    return s + "]}";
}

// Layered sections over concrete "C" (E 2.5e7), rebar "R" (uniaxial E 200000), steel
// "S" (E 2e8 unless given) and aluminium "Alu", which is not read; read, linked and
// classified.
struct LayerFixture : ComponentFixture {
    explicit LayerFixture(std::initializer_list<std::string> sections, double steelE = 2.0e8)
        : ComponentFixture(Doc(materials(steelE) + R"(, "area_sections": [)" + join(sections) + "]")) {
        src.ReadMaterials();
        src.ReadAreaSections();
        src.LinkAreaSectionsToMaterials();
    }
    static std::string materials(double steelE) {
        return R"("materials": [{"name": "C", "type": 2, "isotropic": {"E": 2.5e7}},
            {"name": "R", "type": 6, "symmetry": 3, "uniaxial": {"E": 200000}},
            {"name": "S", "type": 1, "isotropic": {"E": )" +
               std::to_string(steelE) + R"(}}, {"name": "Alu", "type": 4, "isotropic": {"E": 7e7}}])";
    }
    static std::string join(std::initializer_list<std::string> items) {
        std::string s;
        for (const auto& i : items) s += (s.empty() ? "" : ", ") + i;
        return s;
    }
    TarvoPropAreaSectObj& sect(const std::string& label) { return *src.PropAreaSectObjGet(label); }
};

TEST(ComponentsLayers, ConcreteNonlinearAcrossTheHeightWithVerticalBarsIsType1) {
    LayerFixture f({Layered("W", {L("C", 0.25, 1, 0, 1, 2), L("R", 0.002, 1, 90, 1, 1)})});
    const auto& s = f.sect("W");
    EXPECT_EQ(s.LayerVantraType, 1);
    EXPECT_EQ(s.LayerPropMatConcObj, f.src.PropMaterialObjGet("C"));
    EXPECT_EQ(s.LayerPropMatRebarObj, f.src.PropMaterialObjGet("R"));
    EXPECT_DOUBLE_EQ(s.LayerVantraThick, 0.25);
    EXPECT_DOUBLE_EQ(s.LayerVantraThickBend, 0.25);
    EXPECT_DOUBLE_EQ(s.LayerVantraThickRebarV, 0.002);
    EXPECT_DOUBLE_EQ(s.LayerVantraThickRebarH, 0.001);
    EXPECT_EQ(s.LayerPropMatObj, nullptr);
}

TEST(ComponentsLayers, RulesOfTheConcreteLayerAndTheBarAngles) {
    LayerFixture f({
        // both directions nonlinear at 90 degrees
        Layered("T3", {L("C", 0.2, 1, 90, 2, 2), L("R", 0.001, 2, -90, 0, 0), L("R", 0.003, 1, 4, 0, 0)}),
        // nonlinear along the first axis at 0 degrees; a plate layer bends but carries
        // no membrane force, a membrane layer the reverse; a bar at 45 degrees counts
        // nowhere, one at 87 as vertical
        Layered("T2", {L("C", 0.1, 2, 0, 2, 1), L("C", 0.05, 3, 0, 2, 2), L("R", 0.004, 1, 45, 0, 0),
                       L("R", 0.002, 1, 87, 0, 0)}),
        // the first concrete layer satisfies no rule; the second one decides
        Layered("Second", {L("C", 0.1, 1, 30, 2, 2), L("C", 0.1, 1, 90, 2, 1), L("R", 0.002, 1, 0, 0, 0)}),
        // 0.1 degrees is no longer along the axis: no rule holds
        Layered("Off", {L("C", 0.2, 1, 0.1, 2, 1), L("R", 0.002, 1, 0, 0, 0)}),
    });
    const auto& t3 = f.sect("T3");
    EXPECT_EQ(t3.LayerVantraType, 3);
    EXPECT_DOUBLE_EQ(t3.LayerVantraThickRebarV, 0.001);
    EXPECT_DOUBLE_EQ(t3.LayerVantraThickRebarH, 0.003);

    const auto& t2 = f.sect("T2");
    EXPECT_EQ(t2.LayerVantraType, 2);
    EXPECT_DOUBLE_EQ(t2.LayerVantraThick, 0.1);
    EXPECT_DOUBLE_EQ(t2.LayerVantraThickBend, 0.05);
    EXPECT_DOUBLE_EQ(t2.LayerVantraThickRebarV, 0.002);
    EXPECT_DOUBLE_EQ(t2.LayerVantraThickRebarH, 0.001);

    const auto& second = f.sect("Second");
    EXPECT_EQ(second.LayerVantraType, 1);  // S11 nonlinear at 90 degrees
    EXPECT_DOUBLE_EQ(second.LayerVantraThick, 0.2);

    const auto& off = f.sect("Off");
    EXPECT_EQ(off.LayerVantraType, 0);
    EXPECT_EQ(off.LayerPropMatConcObj, nullptr);
    EXPECT_EQ(off.LayerPropMatObj, f.src.PropMaterialObjGet("C"));
}

TEST(ComponentsLayers, WithoutAConcreteAndRebarPairOneEquivalentLayer) {
    LayerFixture f({
        Layered("Steel", {L("S", 0.01, 1, 0, 1, 1), L("S", 0.02, 1, 0, 1, 1)}),
        // concrete counted in the last steel/concrete layer's material; aluminium is not
        // a source material and counts nowhere
        Layered("Mixed", {L("C", 0.2, 1, 0, 2, 2), L("S", 0.01, 1, 0, 1, 1), L("Alu", 5, 1, 0, 1, 1)}),
        // the concrete is a plate layer, so there is no structural concrete
        Layered("Plate", {L("C", 0.2, 3, 0, 2, 2), L("R", 0.002, 1, 90, 0, 0)}),
        Layered("Bars", {L("R", 0.002, 1, 90, 0, 0)}),
        Layered("Nothing", {L("Alu", 0.2, 1, 0, 2, 2)}),
    });
    const auto& st = f.sect("Steel");
    EXPECT_EQ(st.LayerVantraType, 0);
    EXPECT_EQ(st.LayerPropMatObj, f.src.PropMaterialObjGet("S"));
    EXPECT_DOUBLE_EQ(st.LayerVantraThick, 0.03);
    EXPECT_DOUBLE_EQ(st.LayerVantraThickBend, 0.001);
    EXPECT_DOUBLE_EQ(st.LayerVantraThickRebarV, 0.001);

    EXPECT_DOUBLE_EQ(f.sect("Mixed").LayerVantraThick, 0.2 * 2.5e7 / 2.0e8 + 0.01);
    const auto& plate = f.sect("Plate");
    EXPECT_EQ(plate.LayerVantraType, 0);
    EXPECT_EQ(plate.LayerPropMatObj, f.src.PropMaterialObjGet("C"));
    EXPECT_DOUBLE_EQ(plate.LayerVantraThick, 0.2 + 200000.0 * 0.002 / 2.5e7);  // bars by their own modulus

    const auto& bars = f.sect("Bars");
    EXPECT_EQ(bars.LayerVantraType, -1);
    EXPECT_DOUBLE_EQ(bars.LayerVantraThick, 0.001);
    EXPECT_EQ(f.sect("Nothing").LayerVantraType, -1);
}

TEST(ComponentsLayers, ReferenceMaterialWithoutStiffnessSumsPlainThicknesses) {
    LayerFixture f({Layered("Soft", {L("S", 0.01, 1, 0, 1, 1), L("S", 0.02, 1, 0, 1, 1)})}, 0.0);
    const auto& s = f.sect("Soft");
    EXPECT_EQ(s.LayerVantraType, 0);
    EXPECT_TRUE(std::isfinite(s.LayerVantraThick));
    EXPECT_DOUBLE_EQ(s.LayerVantraThick, 0.03);
}

// The read loops reuse their answer lists from object to object; a question the host
// cannot answer must not leave the previous object's answer behind.
TEST(ComponentsReadFrames, AFailedHingeQuestionLeavesNoHingesOfTheFrameBefore) {
    class FailingHost : public host::DocumentHost {
    public:
        explicit FailingHost(std::string_view json) : DocumentHost(FromText(json, "failing.json")->model()) {}
        int GetFrameHinges(const std::string& name, std::vector<host::FrameHinge>& hinges) override {
            if (name == "B") return 1;  // fails and, like a live host may, leaves the list as it was
            return DocumentHost::GetFrameHinges(name, hinges);
        }
    };
    FailingHost h(FrameDoc(R"(
        {"name": "A", "section": "W1", "i": "N1", "j": "N2", "hinges": [{"kind": 6, "dof": 1, "rel_dist": 0}]},
        {"name": "B", "section": "W1", "i": "N1", "j": "N2"})"));
    platform::RecordingPlatform platform;
    source::TarvoModelObj src(h, platform, Units{}, {});
    src.ReadMaterials();
    src.ReadFrameSections();
    src.ReadFrames();
    src.ReadFrameHinges();
    ASSERT_EQ(src.FrameNum(), 2);
    EXPECT_TRUE(src.FrameObj(1).HingeI);
    EXPECT_FALSE(src.FrameObj(2).HingeI);
    EXPECT_FALSE(src.FrameObj(2).HingeJ);
}

}  // namespace
}  // namespace t2v::test
