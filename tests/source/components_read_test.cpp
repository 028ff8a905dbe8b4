// Read steps of materials, frame sections, frames, releases, hinges and shell sections.
#include <gtest/gtest.h>

#include <cmath>

#include "source/components_FakeHost.h"

namespace t2v::test {
namespace {

using source::TarvoFrameObj;
using source::TarvoPropAreaSectObj;

constexpr double kPi = 3.14159265358979323846;

FakeMaterial concrete(const std::string& name, double E = 2.5e7, double Fc = 28) {
    FakeMaterial m;
    m.name = name;
    m.type = 2;
    m.isoE = E;
    m.isoU = 0.2;
    m.isoG = E / 2.4;
    m.Fc = Fc;
    return m;
}
FakeMaterial steel(const std::string& name, double E = 2.0e8) {
    FakeMaterial m;
    m.name = name;
    m.type = 1;
    m.isoE = E;
    m.isoU = 0.3;
    m.isoG = E / 2.6;
    m.Fy = 345000;
    m.Fu = 450000;
    return m;
}
FakeMaterial rebar(const std::string& name) {
    FakeMaterial m;
    m.name = name;
    m.type = 6;
    m.sym = 3;
    m.uniE = 200000;
    m.Fy = 420, m.Fu = 620, m.eFy = 460, m.eFu = 680;
    return m;
}

// ---------------------------------------------------------------------------------------
// Materials

TEST(ComponentsReadMaterials, MissingKindsAreDefinedInTheHostAndReadLikeAnyOther) {
    ComponentFixture f;
    FakeMaterial alu;
    alu.name = "Alu";
    alu.type = 4;
    f.host.materials = {concrete("C30"), alu};
    f.src.ReadMaterials();

    // Concrete exists; steel then rebar are made, in that order, with the host's defaults.
    ASSERT_EQ(f.host.defined.size(), 2u);
    EXPECT_EQ(f.host.defined[0], (std::pair<std::string, int>{"Steel", 1}));
    EXPECT_EQ(f.host.defined[1], (std::pair<std::string, int>{"Rebar", 6}));
    ASSERT_EQ(f.src.PropMatNum(), 3);  // aluminium is not read
    EXPECT_EQ(f.src.PropMatObj(1).Label, "C30");
    EXPECT_EQ(f.src.PropMatObj(2).Label, "Steel");
    EXPECT_EQ(f.src.PropMatObj(3).Label, "Rebar");
    EXPECT_EQ(f.src.PropMaterialObjGet("Alu"), nullptr);
    // The default rebar is uniaxial: G is half its modulus, Nu the fixed 0.05.
    const auto& r = f.src.PropMatObj(3);
    EXPECT_EQ(r.MatType, 6);
    EXPECT_DOUBLE_EQ(r.E(), 199947980);
    EXPECT_DOUBLE_EQ(r.G(), 199947980 / 2.0);
    EXPECT_DOUBLE_EQ(r.Nu(), 0.05);
}

TEST(ComponentsReadMaterials, CurvesCorrectConcreteAndRebarStrengths) {
    ComponentFixture f;
    auto c1 = concrete("C1", 2.5e7, 28);
    c1.curveStresses = std::vector<double>{0, -10, -30, -20, 5};
    auto c2 = concrete("C2", 2.5e7, 28);
    c2.curveStresses = std::vector<double>{0, -5e-7, 3};  // no real compression: Fc kept
    auto c3 = concrete("C3", 2.5e7, 28);                  // no curve: the query fails
    auto r1 = rebar("R1");
    r1.curveStresses = std::vector<double>{0, 400, 720, 690, -720};
    auto s1 = steel("S1");
    f.host.materials = {c1, c2, c3, r1, s1};
    f.src.ReadMaterials();
    EXPECT_TRUE(f.host.defined.empty());

    EXPECT_DOUBLE_EQ(f.src.PropMatObj(1).ConcFc, 30);
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(1).Fy(), 27);
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(1).Fu(), 30);
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(2).ConcFc, 28);
    EXPECT_DOUBLE_EQ(f.src.PropMatObj(3).ConcFc, 28);
    const auto& r = f.src.PropMatObj(4);
    EXPECT_DOUBLE_EQ(r.RebareFu, 720);
    EXPECT_DOUBLE_EQ(r.RebareFy, 460);
    EXPECT_DOUBLE_EQ(r.Fy(), 0.9 * 420);
    EXPECT_DOUBLE_EQ(r.Fu(), 620);
    const auto& s = f.src.PropMatObj(5);
    EXPECT_DOUBLE_EQ(s.Fy(), 0.9 * 345000);
    EXPECT_DOUBLE_EQ(s.Fu(), 450000);
    EXPECT_DOUBLE_EQ(s.E(), 2.0e8);
    EXPECT_DOUBLE_EQ(s.Nu(), 0.3);
}

TEST(ComponentsReadMaterials, ElasticConstantsFollowTheSymmetry) {
    ComponentFixture f;
    auto o = steel("Ortho");
    o.sym = 1;
    o.ortE = {100, 200, 300};
    o.ortU = {0.25, 0.1, 0.1};
    o.ortA = {1e-5, 0, 0};
    o.ortG = {40, 50, 60};
    auto a = steel("Aniso");
    a.sym = 2;
    a.aniE = {110, 0, 0};
    a.aniU[0] = 0.28;
    a.aniG = {44, 0, 0};
    auto x = steel("Odd");
    x.sym = 7;
    f.host.materials = {concrete("C"), rebar("R"), o, a, x};
    f.src.ReadMaterials();

    const auto* ortho = f.src.PropMaterialObjGet("Ortho");
    ASSERT_NE(ortho, nullptr);
    // Orthotropic Poisson ratio and shear modulus are read with the moduli.
    EXPECT_DOUBLE_EQ(ortho->E(), 100);
    EXPECT_DOUBLE_EQ(ortho->Nu(), 0.25);
    EXPECT_DOUBLE_EQ(ortho->G(), 40);
    EXPECT_DOUBLE_EQ(ortho->OrtA[0], 1e-5);
    const auto* aniso = f.src.PropMaterialObjGet("Aniso");
    EXPECT_DOUBLE_EQ(aniso->E(), 110);
    EXPECT_DOUBLE_EQ(aniso->Nu(), 0.28);
    EXPECT_DOUBLE_EQ(aniso->G(), 44);
    const auto* odd = f.src.PropMaterialObjGet("Odd");
    EXPECT_DOUBLE_EQ(odd->E(), 5400.0);
    EXPECT_DOUBLE_EQ(odd->Nu(), 0.05);
    EXPECT_DOUBLE_EQ(odd->G(), 2700.0);

    source::TarvoPropMaterialObj other;
    other.MatType = 4;
    EXPECT_DOUBLE_EQ(other.Fy(), 211500.0);
    EXPECT_DOUBLE_EQ(other.Fu(), 235000.0);
}

// ---------------------------------------------------------------------------------------
// Frame sections, frames, releases

FakeFrameSection section(const std::string& name, std::optional<int> type, std::optional<std::string> material) {
    FakeFrameSection s;
    s.name = name;
    s.type = type;
    s.material = std::move(material);
    return s;
}

// A model of sections of every kind the reader tells apart.
void addSections(FakeHost& h) {
    h.materials = {concrete("C30"), steel("S355"), rebar("R")};
    FakeMaterial alu;
    alu.name = "Alu";
    alu.type = 4;
    h.materials.push_back(alu);
    auto w = section("W1", 1, "S355");
    w.props.area = 0.01;
    w.props.I33 = 2.0e-4;
    w.props.S33 = 2.0e-3;  // depth 0.2
    w.props.I22 = 5.0e-5;
    w.props.S22 = 1.0e-3;  // width 0.1
    w.props.Torsion = 3e-7;
    h.frameSections.push_back(w);
    auto r1 = section("R1", 8, "C30");
    r1.rebarType = 1;
    h.frameSections.push_back(r1);
    auto r2 = section("R2", 8, "C30");
    r2.rebarType = 2;
    h.frameSections.push_back(r2);
    h.frameSections.push_back(section("NoType", std::nullopt, "C30"));
    h.frameSections.push_back(section("Zero", 0, "C30"));
    auto v = section("Var", 14, std::nullopt);
    v.segments = {"R1", "W1"};
    h.frameSections.push_back(v);
    h.frameSections.push_back(section("VarEmpty", 14, std::nullopt));
    h.frameSections.push_back(section("NoMat", 3, std::nullopt));
    h.frameSections.push_back(section("AluPipe", 7, "Alu"));
    h.frameSections.push_back(section("SteelBox", 8, "S355"));
}

TEST(ComponentsReadFrames, SectionsKeepTypeMaterialAndDimensions) {
    ComponentFixture f;
    addSections(f.host);
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
    // An I-section's depth and width from I = S x d / 2; other shapes get 10.
    EXPECT_NEAR(w->t3, 0.2, 1e-12);
    EXPECT_NEAR(w->t2, 0.1, 1e-12);
    EXPECT_EQ(w->tf, 0.0);
    EXPECT_EQ(w->PropMatObj, f.src.PropMaterialObjGet("S355"));
    const auto* r1 = f.src.PropFrameSectObjGet("R1");
    EXPECT_EQ(r1->t2, 10.0);
    EXPECT_EQ(r1->t3, 10.0);

    // A variable section takes its first segment's material; without segments none.
    EXPECT_EQ(f.src.PropFrameSectObjGet("Var")->PropMatName, "C30");
    EXPECT_EQ(f.src.PropFrameSectObjGet("VarEmpty")->PropMatName, "");
    EXPECT_EQ(f.src.PropFrameSectObjGet("VarEmpty")->PropMatObj, nullptr);
    EXPECT_EQ(f.src.PropFrameSectObjGet("NoMat")->PropMatName, "");
    // A material of a kind that is not read leaves the section without one.
    EXPECT_EQ(f.src.PropFrameSectObjGet("AluPipe")->PropMatName, "Alu");
    EXPECT_EQ(f.src.PropFrameSectObjGet("AluPipe")->PropMatObj, nullptr);
}

TEST(ComponentsReadFrames, IsectionWithoutModulusGetsZeroDimensions) {
    ComponentFixture f;
    f.host.frameSections = {section("W0", 1, "S")};
    f.src.ReadFrameSections();
    EXPECT_EQ(f.src.PropFrameSectObj(1).t2, 0.0);
    EXPECT_EQ(f.src.PropFrameSectObj(1).t3, 0.0);
}

FakeFrame frame(const std::string& name, const std::string& sect, const std::string& i, const std::string& j) {
    FakeFrame fr;
    fr.name = name;
    fr.section = sect;
    fr.i = i;
    fr.j = j;
    return fr;
}

TEST(ComponentsReadFrames, FramesOfUnreadSectionsAreSkippedAndReleasesShared) {
    ComponentFixture f;
    addSections(f.host);
    f.node("N1", 0, 0, 0);
    f.node("N2", 0, 0, 3);
    f.node("N3", 4, 0, 3);
    auto b1 = frame("B1", "W1", "N2", "N3");
    b1.relJ[4] = b1.relJ[5] = true;  // M2 and M3 at J
    b1.angle = 30;
    auto b2 = frame("B2", "W1", "N2", "N3");
    b2.relJ[4] = b2.relJ[5] = true;
    auto b3 = frame("B3", "R1", "N2", "N3");
    b3.relI[3] = true;  // torsion only at I
    auto c1 = frame("C1", "Zero", "N1", "N2");
    auto c2 = frame("C2", "R1", "N1", "Nowhere");
    f.host.frames = {b1, b2, b3, c1, c2};
    f.src.ReadMaterials();
    f.src.ReadFrameSections();
    f.src.ReadFrames();
    f.src.ReadFrameReleases();

    ASSERT_EQ(f.src.FrameNum(), 4);
    EXPECT_EQ(f.src.FrameObjGet("C1"), nullptr);
    const TarvoFrameObj& fb1 = f.src.FrameObj(1);
    EXPECT_EQ(fb1.PropFrameSectName, "W1");
    EXPECT_EQ(fb1.NodeI, f.src.NodeIdGet("N2"));
    EXPECT_EQ(fb1.NodeJ, f.src.NodeIdGet("N3"));
    EXPECT_DOUBLE_EQ(fb1.Angle, 30);
    EXPECT_EQ(f.src.FrameObjGet("C2")->NodeJ, -1);

    // One release object per pattern, shared by the frames that use it.
    ASSERT_EQ(f.src.FrameReleaseNum(), 2);
    EXPECT_EQ(fb1.ReleaseJObj, &f.src.FrameReleaseObj(1));
    EXPECT_EQ(f.src.FrameObj(2).ReleaseJObj, fb1.ReleaseJObj);
    EXPECT_EQ(fb1.ReleaseIObj, nullptr);
    EXPECT_EQ(f.src.FrameReleaseObj(1).Release, (std::array<bool, 6>{false, false, false, false, true, true}));
    const TarvoFrameObj& fb3 = f.src.FrameObj(3);
    EXPECT_TRUE(fb3.isIReleased());
    EXPECT_FALSE(fb3.isJReleased());
    EXPECT_EQ(fb3.ReleaseIObj, &f.src.FrameReleaseObj(2));
    EXPECT_FALSE(f.src.FrameObj(4).isIReleased());
}

TEST(ComponentsReadFrames, ClassificationAtTheOrientationThresholdsAndBySection) {
    ComponentFixture f;
    addSections(f.host);
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
    // The thresholds are 0.9961986 (4.997 degrees) and 0.0879049 (84.957 degrees).
    auto* v = tilted("V", 4.99, "R1");
    auto* i5 = tilted("I5", 5.0, "R2");
    auto* i85 = tilted("I85", 84.9, "W1");
    auto* h = tilted("H", 85.0, "SteelBox");
    auto* alu = tilted("A", 0, "AluPipe");
    auto* var = tilted("Var", 90, "VarEmpty");
    f.src.LinkFrameSectionsToMaterials();
    f.src.LinkFramesToSections();
    f.src.ClassifyFrames();

    EXPECT_EQ(v->VantraFrameType, 1);
    EXPECT_EQ(i5->VantraFrameType, 3);
    EXPECT_EQ(i85->VantraFrameType, 3);
    EXPECT_EQ(h->VantraFrameType, 2);

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
    EXPECT_EQ(h->VantraConcType, 3);  // a steel rectangle asks no rebar type
    EXPECT_EQ(alu->VantraSectType, 3);
    EXPECT_EQ(alu->VantraMatType, 3);
    EXPECT_EQ(alu->VantraConcType, 3);
    EXPECT_EQ(var->VantraSectType, 3);
    EXPECT_EQ(var->VantraMatType, 3);  // no material: no further class
    EXPECT_EQ(f.host.rebarTypeQueries, (std::vector<std::string>{"R1", "R2"}));
}

TEST(ComponentsReadFrames, HingesNearTheEndsByKindAndFreedom) {
    ComponentFixture f;
    f.host.materials = {concrete("C"), steel("S"), rebar("R")};
    f.host.frameSections = {section("W", 1, "S")};
    auto a = frame("A", "W", "N1", "N2");
    a.hinges = {{6, 1, 0.1}, {3, 10, 0.95}};
    auto b = frame("B", "W", "N1", "N2");
    b.hinges = {{3, 7, 0.0}, {9, 0, 0.5}, {3, 8, 0.10001}, {3, 11, 0.89999}};  // none counts
    auto c = frame("C", "W", "N1", "N2");
    c.hinges = {{9, 0, 1.0}, {2, 11, 0.9}};  // the later hinge sets the type at J
    f.host.frames = {a, b, c};
    f.src.ReadMaterials();
    f.src.ReadFrameSections();
    f.src.ReadFrames();
    f.src.ReadFrameHinges();

    const auto& fa = f.src.FrameObj(1);
    EXPECT_TRUE(fa.HingeI);
    EXPECT_EQ(fa.HingeTypeI, 1);
    EXPECT_TRUE(fa.HingeJ);
    EXPECT_EQ(fa.HingeTypeJ, 2);
    EXPECT_TRUE(fa.IsFEMAFrame());
    const auto& fb = f.src.FrameObj(2);
    EXPECT_FALSE(fb.IsFEMAFrame());
    EXPECT_EQ(fb.HingeTypeI, -1);
    EXPECT_EQ(fb.HingeTypeJ, -1);
    const auto& fc = f.src.FrameObj(3);
    EXPECT_FALSE(fc.HingeI);
    EXPECT_TRUE(fc.HingeJ);
    EXPECT_EQ(fc.HingeTypeJ, 2);
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

host::ShellLayer layer(const std::string& mat, double thick, int type, double angle, int s11, int s22) {
    host::ShellLayer l;
    l.name = mat + std::to_string(thick);
    l.material = mat;
    l.thickness = thick;
    l.type = type;
    l.angle = angle;
    l.s11 = s11;
    l.s22 = s22;
    return l;
}

FakeAreaSection layered(const std::string& name, std::vector<host::ShellLayer> layers) {
    FakeAreaSection s;
    s.name = name;
    s.shellType = 6;
    s.layers = std::move(layers);
    return s;
}

TEST(ComponentsReadAreaSections, ThinAndLayeredShellsAreReadOthersSkipped) {
    ComponentFixture f;
    FakeAreaSection thin;
    thin.name = "Wall";
    thin.material = "C30";
    thin.angle = 15;
    thin.drilling = 1;
    thin.thick = 0.0;
    thin.bending = 5e-7;
    FakeAreaSection membrane = thin;
    membrane.name = "Membrane";
    membrane.shellType = 5;
    FakeAreaSection plane = thin;
    plane.name = "Plane";
    plane.type = 2;
    auto lay = layered("Lay", {layer("C30", 0.2, 1, 0, 1, 2)});
    lay.layers[0].distance = -0.05;
    lay.layers[0].integrationPoints = 3;
    lay.layers[0].s12 = 1;
    f.host.areaSections = {thin, membrane, plane, lay};
    f.host.materials = {concrete("C30"), steel("S"), rebar("R")};
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
    EXPECT_EQ(l.LayerNames[0], "C300.200000");
    EXPECT_DOUBLE_EQ(l.LayerDists[0], -0.05);
    EXPECT_DOUBLE_EQ(l.LayerThick[0], 0.2);
    EXPECT_EQ(l.LayerNumIntPts[0], 3);
    EXPECT_EQ(l.LayerMatProp[0], "C30");
    EXPECT_EQ(l.LayerS11Type[0], 1);
    EXPECT_EQ(l.LayerS22Type[0], 2);
    EXPECT_EQ(l.LayerS12Type[0], 1);

    f.src.LinkAreaSectionsToMaterials();
    EXPECT_EQ(w.PropMatObj, f.src.PropMaterialObjGet("C30"));
    EXPECT_EQ(l.PropMatObj, nullptr);  // a layered shell names no material of its own
}

// Reads the given layered sections over concrete "C" (E 2.5e7), rebar "R" and steel
// "S" (E 2e8), links them and classifies them.
struct LayerFixture : ComponentFixture {
    explicit LayerFixture(std::vector<FakeAreaSection> sections, double steelE = 2.0e8) {
        host.materials = {concrete("C"), rebar("R"), steel("S", steelE)};
        host.areaSections = std::move(sections);
        src.ReadMaterials();
        src.ReadAreaSections();
        src.LinkAreaSectionsToMaterials();
    }
    TarvoPropAreaSectObj& sect(const std::string& label) { return *src.PropAreaSectObjGet(label); }
};

TEST(ComponentsLayers, ConcreteNonlinearAcrossTheHeightWithVerticalBarsIsType1) {
    LayerFixture f({layered("W", {layer("C", 0.25, 1, 0, 1, 2), layer("R", 0.002, 1, 90, 1, 1)})});
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
        layered("T3", {layer("C", 0.2, 1, 90, 2, 2), layer("R", 0.001, 2, -90, 0, 0), layer("R", 0.003, 1, 4, 0, 0)}),
        // nonlinear along the first axis at 0 degrees; a plate-only layer bends, a
        // membrane layer does not; a bar at 45 degrees counts nowhere
        layered("T2", {layer("C", 0.1, 2, 0, 2, 1), layer("C", 0.05, 3, 0, 2, 2), layer("R", 0.004, 1, 45, 0, 0),
                       layer("R", 0.002, 1, 87, 0, 0)}),
        // the first concrete layer satisfies no rule; the second one decides
        layered("Second", {layer("C", 0.1, 1, 30, 2, 2), layer("C", 0.1, 1, 90, 2, 1), layer("R", 0.002, 1, 0, 0, 0)}),
        // 0.1 degrees is no longer along the axis: no rule holds
        layered("Off", {layer("C", 0.2, 1, 0.1, 2, 1), layer("R", 0.002, 1, 0, 0, 0)}),
    });
    const auto& t3 = f.sect("T3");
    EXPECT_EQ(t3.LayerVantraType, 3);
    EXPECT_DOUBLE_EQ(t3.LayerVantraThickRebarV, 0.001);
    EXPECT_DOUBLE_EQ(t3.LayerVantraThickRebarH, 0.003);

    const auto& t2 = f.sect("T2");
    EXPECT_EQ(t2.LayerVantraType, 2);
    EXPECT_DOUBLE_EQ(t2.LayerVantraThick, 0.1);         // the structural concrete only
    EXPECT_DOUBLE_EQ(t2.LayerVantraThickBend, 0.05);    // the plate layer only
    EXPECT_DOUBLE_EQ(t2.LayerVantraThickRebarV, 0.002);  // 87 is within 5 of 90
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
        layered("Steel", {layer("S", 0.01, 1, 0, 1, 1), layer("S", 0.02, 1, 0, 1, 1)}),
        // concrete transformed into the last steel/concrete layer's material
        layered("Mixed", {layer("C", 0.2, 1, 0, 2, 2), layer("S", 0.01, 1, 0, 1, 1), layer("Unknown", 5, 1, 0, 1, 1)}),
        // the concrete is a plate layer, so there is no structural concrete
        layered("Plate", {layer("C", 0.2, 3, 0, 2, 2), layer("R", 0.002, 1, 90, 0, 0)}),
        layered("Bars", {layer("R", 0.002, 1, 90, 0, 0)}),
        layered("Nothing", {layer("Unknown", 0.2, 1, 0, 2, 2)}),
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
    // the rebar layer counts with its own modulus (uniaxial 200000)
    EXPECT_DOUBLE_EQ(plate.LayerVantraThick, 0.2 + 200000.0 * 0.002 / 2.5e7);

    const auto& bars = f.sect("Bars");
    EXPECT_EQ(bars.LayerVantraType, -1);
    EXPECT_DOUBLE_EQ(bars.LayerVantraThick, 0.001);
    EXPECT_EQ(f.sect("Nothing").LayerVantraType, -1);
}

TEST(ComponentsLayers, ReferenceMaterialWithoutStiffnessSumsPlainThicknesses) {
    LayerFixture f({layered("Soft", {layer("S", 0.01, 1, 0, 1, 1), layer("S", 0.02, 1, 0, 1, 1)})}, 0.0);
    const auto& s = f.sect("Soft");
    EXPECT_EQ(s.LayerVantraType, 0);
    EXPECT_TRUE(std::isfinite(s.LayerVantraThick));
    EXPECT_DOUBLE_EQ(s.LayerVantraThick, 0.03);
}

}  // namespace
}  // namespace t2v::test
