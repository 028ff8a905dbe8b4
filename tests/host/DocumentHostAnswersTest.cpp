// What a loaded document answers, family by family, including the answers the host
// derives (connectivity, constraints by group, the group "ALL", absolute distances).
#include "host/document/DocumentHost.h"
#include "SampleDocument.h"

#include <gtest/gtest.h>

namespace t2v::host {
namespace {

using testing::kSampleDocument;

class SampleHost : public ::testing::Test {
protected:
    void SetUp() override { host = DocumentHost::FromText(kSampleDocument, "sample.json", "/models/bay"); }
    std::unique_ptr<DocumentHost> host;
};

TEST_F(SampleHost, UnitsAndNameListsFollowDocumentOrder) {
    EXPECT_EQ(host->GetPresentUnits(), 3);
    EXPECT_EQ(host->GetPointCount(), 5);
    Names names;
    EXPECT_EQ(host->GetPointNameList(names), 0);
    EXPECT_EQ(names, (Names{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(host->GetFrameNameList(names), 0);
    EXPECT_EQ(names, (Names{"C1", "B1", "C2"}));
    EXPECT_EQ(host->GetAreaNameList(names), 0);
    EXPECT_EQ(names, (Names{"A1"}));
    EXPECT_EQ(host->GetFrameSectionNameList(names), 0);
    EXPECT_EQ(names, (Names{"COL", "TAPER", "W14", "BARE"}));
    EXPECT_EQ(host->GetAreaSectionNameList(names), 0);
    EXPECT_EQ(names, (Names{"SLAB", "WALL", "PLANE"}));
    EXPECT_EQ(host->GetConstraintNameList(names), 0);
    EXPECT_EQ(names, (Names{"D1", "BODY"}));
    EXPECT_EQ(host->GetLoadPatternNameList(names), 0);
    EXPECT_EQ(names, (Names{"DEAD", "LIVE"}));
}

TEST_F(SampleHost, NameListsFilterByType) {
    Names names;
    EXPECT_EQ(host->GetMaterialNameList(0, names), 0);
    EXPECT_EQ(names, (Names{"C4", "A992", "G60", "ORT", "ANI"}));
    EXPECT_EQ(host->GetMaterialNameList(3, names), 0);
    EXPECT_EQ(names, (Names{"ORT", "ANI"}));
    EXPECT_EQ(host->GetMaterialNameList(7, names), 0);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(host->GetFunctionNameList(0, names), 0);
    EXPECT_EQ(names.size(), 9u);
    EXPECT_EQ(host->GetFunctionNameList(1, names), 0);
    EXPECT_EQ(names, (Names{"RS1"}));
    EXPECT_EQ(host->GetLoadCaseNameList(0, names), 0);
    EXPECT_EQ(names, (Names{"GRAV", "PUSH", "MODAL", "TH", "TH2"}));
    EXPECT_EQ(host->GetLoadCaseNameList(8, names), 0);
    EXPECT_EQ(names, (Names{"TH", "TH2"}));
}

TEST_F(SampleHost, Materials) {
    int type = 0, sym = 0;
    EXPECT_EQ(host->GetMaterialType("G60", type, sym), 0);
    EXPECT_EQ(type, 6);
    EXPECT_EQ(sym, 3);
    EXPECT_EQ(host->GetMaterialType("A992", type, sym), 0);
    EXPECT_EQ(sym, 0);  // default symmetry

    double w = -1, m = -1;
    EXPECT_EQ(host->GetMaterialWeightAndMass("C4", w, m), 0);
    EXPECT_DOUBLE_EQ(w, 8.68e-5);
    EXPECT_DOUBLE_EQ(m, 2.25e-7);
    EXPECT_EQ(host->GetMaterialWeightAndMass("A992", w, m), 0);
    EXPECT_EQ(w, 0.0);

    double E, U, A, G;
    EXPECT_EQ(host->GetIsotropicProperties("A992", E, U, A, G), 0);
    EXPECT_EQ(E, 29000.0);
    EXPECT_EQ(U, 0.3);
    EXPECT_EQ(A, 0.0);  // absent keys of a block are 0
    EXPECT_EQ(host->GetUniaxialProperties("G60", E, A), 0);
    EXPECT_EQ(E, 29000.0);
    EXPECT_EQ(A, 6.5e-6);
    EXPECT_EQ(host->GetUniaxialProperties("C4", E, A), 0);  // absent block: zeros
    EXPECT_EQ(E, 0.0);

    std::array<double, 3> e3, u3, a3, g3;
    EXPECT_EQ(host->GetOrthotropicProperties("ORT", e3, u3, a3, g3), 0);
    EXPECT_EQ(e3, (std::array<double, 3>{1, 2, 3}));
    EXPECT_EQ(g3, (std::array<double, 3>{7, 8, 9}));
    std::array<double, 15> u15;
    std::array<double, 5> a5;
    EXPECT_EQ(host->GetAnisotropicProperties("ANI", e3, u15, a5, g3), 0);
    EXPECT_EQ(u15[14], 15.0);
    EXPECT_EQ(a5[4], 5.0);
    EXPECT_EQ(g3, (std::array<double, 3>{4, 5, 6}));

    double fy, fu, efy, efu, fc;
    EXPECT_EQ(host->GetSteelMaterial("A992", fy, fu, efy, efu), 0);
    EXPECT_EQ(efu, 71.5);
    EXPECT_EQ(host->GetRebarMaterial("G60", fy, fu, efy, efu), 0);
    EXPECT_EQ(fy, 60.0);
    EXPECT_EQ(efy, 0.0);
    EXPECT_EQ(host->GetConcreteMaterial("C4", fc), 0);
    EXPECT_EQ(fc, 4.0);

    std::vector<int> ids;
    std::vector<double> strains, stresses;
    EXPECT_EQ(host->GetStressStrainCurve("C4", ids, strains, stresses), 0);
    EXPECT_EQ(ids, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(strains, (std::vector<double>{-0.003, 0, 0.0001}));
    EXPECT_EQ(stresses, (std::vector<double>{-4.2, 0, 0.4}));
    EXPECT_NE(host->GetStressStrainCurve("A992", ids, strains, stresses), 0);  // no curve given
}

TEST_F(SampleHost, FrameSections) {
    FrameSectionProperties p;
    EXPECT_EQ(host->GetFrameSectionProperties("COL", p), 0);
    EXPECT_EQ(p.area, 144.0);
    EXPECT_EQ(p.I33, 1728.0);
    EXPECT_EQ(p.Torsion, 2920.0);
    EXPECT_EQ(p.I22, 0.0);

    int type = -1;
    EXPECT_EQ(host->GetFrameSectionType("COL", type), 0);
    EXPECT_EQ(type, 8);
    EXPECT_NE(host->GetFrameSectionType("BARE", type), 0);  // no type given: the query fails

    std::string material;
    EXPECT_EQ(host->GetFrameSectionMaterial("W14", material), 0);
    EXPECT_EQ(material, "A992");
    EXPECT_NE(host->GetFrameSectionMaterial("TAPER", material), 0);

    Names segments;
    EXPECT_EQ(host->GetNonprismaticSegments("TAPER", segments), 0);
    EXPECT_EQ(segments, (Names{"W14", "COL"}));  // may name sections further down
    EXPECT_NE(host->GetNonprismaticSegments("COL", segments), 0);

    int rebar = -1;
    EXPECT_EQ(host->GetFrameSectionRebarType("COL", rebar), 0);
    EXPECT_EQ(rebar, 1);
    EXPECT_EQ(host->GetFrameSectionRebarType("W14", rebar), 0);
    EXPECT_EQ(rebar, 0);
}

TEST_F(SampleHost, AreaSections) {
    int type = 0, shell = 0, drilling = 0;
    std::string material;
    double angle, thick, bending;
    EXPECT_EQ(host->GetAreaSectionType("SLAB", type), 0);
    EXPECT_EQ(type, 1);  // default
    EXPECT_EQ(host->GetShell("SLAB", shell, drilling, material, angle, thick, bending), 0);
    EXPECT_EQ(shell, 1);
    EXPECT_EQ(drilling, 1);
    EXPECT_EQ(material, "C4");
    EXPECT_EQ(angle, 15.0);
    EXPECT_EQ(thick, 8.0);
    EXPECT_EQ(bending, 8.0);  // bending thickness defaults to the thickness
    EXPECT_EQ(host->GetShell("WALL", shell, drilling, material, angle, thick, bending), 0);
    EXPECT_EQ(shell, 6);
    EXPECT_EQ(material, "");
    EXPECT_EQ(host->GetAreaSectionType("PLANE", type), 0);
    EXPECT_EQ(type, 2);
    EXPECT_NE(host->GetShell("PLANE", shell, drilling, material, angle, thick, bending), 0);

    std::vector<ShellLayer> layers;
    EXPECT_EQ(host->GetShellLayers("WALL", layers), 0);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[0].name, "Core");
    EXPECT_EQ(layers[0].integrationPoints, 3);
    EXPECT_EQ(layers[0].s12, 1);
    EXPECT_EQ(layers[1].material, "G60");
    EXPECT_EQ(layers[1].type, 2);
    EXPECT_EQ(layers[1].angle, 90.0);
    EXPECT_EQ(layers[1].integrationPoints, 1);
    EXPECT_EQ(layers[1].s22, 0);
    EXPECT_NE(host->GetShellLayers("SLAB", layers), 0);
}

TEST_F(SampleHost, Points) {
    double x, y, z;
    EXPECT_EQ(host->GetPointCoordinates("3", "Global", x, y, z), 0);
    EXPECT_EQ(x, 240.0);
    EXPECT_EQ(z, 120.0);
    EXPECT_EQ(host->GetPointCoordinates("3", "GLOBAL", x, y, z), 0);
    EXPECT_NE(host->GetPointCoordinates("3", "Local", x, y, z), 0);

    std::array<bool, 6> r;
    EXPECT_EQ(host->GetPointRestraints("1", r), 0);
    EXPECT_EQ(r, (std::array<bool, 6>{true, true, true, true, true, false}));
    EXPECT_EQ(host->GetPointRestraints("3", r), 0);
    EXPECT_EQ(r, (std::array<bool, 6>{}));

    std::array<double, 6> mass;
    EXPECT_EQ(host->GetPointMass("2", mass), 0);
    EXPECT_EQ(mass, (std::array<double, 6>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(host->GetPointMass("1", mass), 0);
    EXPECT_EQ(mass, (std::array<double, 6>{}));

    std::vector<PointForceLoad> loads;
    EXPECT_EQ(host->GetPointForceLoads("2", kObject, loads), 0);
    ASSERT_EQ(loads.size(), 2u);
    EXPECT_EQ(loads[0].point, "2");
    EXPECT_EQ(loads[0].pattern, "DEAD");
    EXPECT_EQ(loads[0].csys, "GLOBAL");
    EXPECT_EQ(loads[0].step, 0);
    EXPECT_EQ(loads[0].F3, -10.0);
    EXPECT_EQ(loads[1].csys, "Local");
    EXPECT_EQ(loads[1].M3, 6.0);
    EXPECT_EQ(host->GetPointForceLoads("3", kObject, loads), 0);
    EXPECT_TRUE(loads.empty());
    EXPECT_EQ(host->GetPointForceLoads("ALL", kGroup, loads), 0);
    EXPECT_EQ(loads.size(), 2u);
}

TEST_F(SampleHost, ConnectivityListsFramesThenAreasInHostOrder) {
    std::vector<int> types;
    Names names;
    EXPECT_EQ(host->GetPointConnectivity("2", types, names), 0);
    EXPECT_EQ(types, (std::vector<int>{2, 2, 5}));
    EXPECT_EQ(names, (Names{"C1", "B1", "A1"}));
    EXPECT_EQ(host->GetPointConnectivity("3", types, names), 0);
    EXPECT_EQ(names, (Names{"B1", "C2", "A1"}));
    EXPECT_EQ(host->GetPointConnectivity("5", types, names), 0);
    EXPECT_EQ(types, (std::vector<int>{5}));
    EXPECT_NE(host->GetPointConnectivity("9", types, names), 0);
}

TEST_F(SampleHost, PointConstraintsByGroupByPointAndForAll) {
    Names points, constraints;
    EXPECT_EQ(host->GetPointConstraints("ALL", kGroup, points, constraints), 0);
    EXPECT_EQ(points, (Names{"2", "2", "3", "5"}));
    EXPECT_EQ(constraints, (Names{"D1", "BODY", "D1", "BODY"}));
    EXPECT_EQ(host->GetPointConstraints("3", kObject, points, constraints), 0);
    EXPECT_EQ(constraints, (Names{"D1"}));
    EXPECT_EQ(host->GetPointConstraints("1", kObject, points, constraints), 0);
    EXPECT_TRUE(constraints.empty());
    EXPECT_EQ(host->GetPointConstraints("Frame A", kGroup, points, constraints), 0);
    EXPECT_EQ(points, (Names{"2", "2"}));
    EXPECT_NE(host->GetPointConstraints("ALL", kObject, points, constraints), 0);  // no point "ALL"
    EXPECT_NE(host->GetPointConstraints("Nope", kGroup, points, constraints), 0);
}

TEST_F(SampleHost, Constraints) {
    int type = 0, axis = 0;
    std::string csys;
    EXPECT_EQ(host->GetConstraintType("BODY", type), 0);
    EXPECT_EQ(type, 1);
    EXPECT_EQ(host->GetDiaphragm("D1", axis, csys), 0);
    EXPECT_EQ(axis, 4);
    EXPECT_EQ(csys, "Global");
    EXPECT_NE(host->GetDiaphragm("BODY", axis, csys), 0);
}

TEST_F(SampleHost, Frames) {
    std::string section, i, j;
    EXPECT_EQ(host->GetFrameSection("B1", section), 0);
    EXPECT_EQ(section, "W14");
    EXPECT_EQ(host->GetFramePoints("C2", i, j), 0);
    EXPECT_EQ(i, "4");
    EXPECT_EQ(j, "3");
    double angle = -1, mass = -1;
    EXPECT_EQ(host->GetFrameLocalAxes("B1", angle), 0);
    EXPECT_EQ(angle, 90.0);
    EXPECT_EQ(host->GetFrameMass("B1", mass), 0);
    EXPECT_EQ(mass, 0.01);
    EXPECT_EQ(host->GetFrameMass("C1", mass), 0);
    EXPECT_EQ(mass, 0.0);

    std::array<bool, 6> ri, rj;
    EXPECT_EQ(host->GetFrameReleases("B1", ri, rj), 0);
    EXPECT_EQ(ri, (std::array<bool, 6>{}));
    EXPECT_EQ(rj, (std::array<bool, 6>{false, false, false, false, true, true}));

    std::vector<FrameHinge> hinges;
    EXPECT_EQ(host->GetFrameHinges("B1", hinges), 0);
    ASSERT_EQ(hinges.size(), 2u);
    EXPECT_EQ(hinges[1].kind, 7);
    EXPECT_EQ(hinges[1].dof, 10);
    EXPECT_EQ(hinges[1].relDist, 0.95);
    EXPECT_EQ(host->GetFrameHinges("C1", hinges), 0);
    EXPECT_TRUE(hinges.empty());
}

TEST_F(SampleHost, FrameLoadsAnswerAbsoluteDistancesFromTheFrameLength) {
    std::vector<FrameDistributedLoad> dist;
    EXPECT_EQ(host->GetFrameDistributedLoads("B1", kObject, dist), 0);
    ASSERT_EQ(dist.size(), 2u);  // B1 runs from (0,0,120) to (240,0,120)
    EXPECT_EQ(dist[0].frame, "B1");
    EXPECT_EQ(dist[0].loadType, 1);
    EXPECT_EQ(dist[0].csys, "GLOBAL");
    EXPECT_EQ(dist[0].rd1, 0.0);
    EXPECT_EQ(dist[0].rd2, 1.0);
    EXPECT_EQ(dist[0].dist2, 240.0);
    EXPECT_EQ(dist[0].val2, 0.1);  // a uniform load when val2 is left out
    EXPECT_EQ(dist[1].pattern, "LIVE");
    EXPECT_EQ(dist[1].dir, 2);
    EXPECT_EQ(dist[1].dist1, 60.0);
    EXPECT_EQ(dist[1].dist2, 180.0);
    EXPECT_EQ(dist[1].val2, 0.4);

    std::vector<FramePointLoad> point;
    EXPECT_EQ(host->GetFramePointLoads("B1", kObject, point), 0);
    ASSERT_EQ(point.size(), 1u);
    EXPECT_EQ(point[0].relDist, 0.5);
    EXPECT_EQ(point[0].dist, 120.0);
    EXPECT_EQ(point[0].value, 5.0);
    EXPECT_EQ(point[0].dir, 10);

    EXPECT_EQ(host->GetFrameDistributedLoads("Frame A", kGroup, dist), 0);
    EXPECT_TRUE(dist.empty());
    EXPECT_EQ(host->GetFrameDistributedLoads("ALL", kGroup, dist), 0);
    EXPECT_EQ(dist.size(), 2u);
    EXPECT_NE(host->GetFrameDistributedLoads("B1", 7, dist), 0);  // unknown item kind
}

TEST_F(SampleHost, Areas) {
    std::string section;
    EXPECT_EQ(host->GetAreaProperty("A1", section), 0);
    EXPECT_EQ(section, "SLAB");
    Names corners;
    EXPECT_EQ(host->GetAreaPoints("A1", corners), 0);
    EXPECT_EQ(corners, (Names{"2", "3", "5"}));
    double mass = 0;
    EXPECT_EQ(host->GetAreaMass("A1", mass), 0);
    EXPECT_EQ(mass, 0.002);

    std::vector<AreaUniformLoad> loads;
    EXPECT_EQ(host->GetAreaUniformLoads("A1", kObject, loads), 0);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].pattern, "DEAD");
    EXPECT_EQ(loads[0].dir, 10);
    EXPECT_EQ(loads[0].distribution, 0);
    EXPECT_EQ(host->GetAreaUniformLoadsExtended("A1", kObject, loads), 0);
    ASSERT_EQ(loads.size(), 1u);
    EXPECT_EQ(loads[0].value, -0.04);
    EXPECT_EQ(loads[0].distribution, 2);
    EXPECT_EQ(host->GetAreaUniformLoadsExtended("Frame A", kGroup, loads), 0);
    EXPECT_EQ(loads.size(), 1u);
}

TEST_F(SampleHost, GroupsStartWithTheImplicitAll) {
    Names names;
    EXPECT_EQ(host->GetGroupNameList(names), 0);
    EXPECT_EQ(names, (Names{"ALL", "Frame A", "Empty"}));

    std::vector<int> types;
    EXPECT_EQ(host->GetGroupAssignments("Frame A", types, names), 0);
    EXPECT_EQ(types, (std::vector<int>{1, 2, 2, 5}));
    EXPECT_EQ(names, (Names{"2", "C2", "C1", "A1"}));
    EXPECT_EQ(host->GetGroupAssignments("ALL", types, names), 0);
    EXPECT_EQ(types, (std::vector<int>{1, 1, 1, 1, 1, 2, 2, 2, 5}));
    EXPECT_EQ(names, (Names{"1", "2", "3", "4", "5", "C1", "B1", "C2", "A1"}));
    EXPECT_EQ(host->GetGroupAssignments("Empty", types, names), 0);
    EXPECT_TRUE(names.empty());
    EXPECT_NE(host->GetGroupAssignments("all", types, names), 0);  // names are case-sensitive
}

TEST_F(SampleHost, LoadPatternsAndMassSource) {
    int type = 0;
    double swm = -1;
    EXPECT_EQ(host->GetLoadPatternType("LIVE", type), 0);
    EXPECT_EQ(type, 3);
    EXPECT_EQ(host->GetLoadPatternSelfWeightMultiplier("DEAD", swm), 0);
    EXPECT_EQ(swm, 1.0);
    EXPECT_EQ(host->GetLoadPatternSelfWeightMultiplier("LIVE", swm), 0);
    EXPECT_EQ(swm, 0.0);

    int option = 0;
    Names patterns;
    std::vector<double> scales;
    EXPECT_EQ(host->GetMassSource(option, patterns, scales), 0);
    EXPECT_EQ(option, 3);
    EXPECT_EQ(patterns, (Names{"DEAD", "LIVE"}));
    EXPECT_EQ(scales, (std::vector<double>{1.0, 0.25}));
}

TEST_F(SampleHost, FunctionsAnswerOnlyTheirOwnKind) {
    int type = 0, kind = -1;
    EXPECT_EQ(host->GetFunctionType("TRAP", type, kind), 0);
    EXPECT_EQ(type, 2);
    EXPECT_EQ(kind, 5);
    EXPECT_EQ(host->GetFunctionType("RS1", type, kind), 0);
    EXPECT_EQ(type, 1);
    EXPECT_EQ(kind, 0);

    THFunctionFile file;
    EXPECT_EQ(host->GetTHFunctionFromFile("EQX", file), 0);
    EXPECT_EQ(file.fileName, "/models/bay/records/eqx.txt");
    EXPECT_EQ(file.headerLines, 2);
    EXPECT_EQ(file.prefixChars, 3);
    EXPECT_EQ(file.pointsPerLine, 4);
    EXPECT_EQ(file.valueType, 2);
    EXPECT_FALSE(file.freeFormat);
    EXPECT_EQ(file.fieldWidth, 12);
    EXPECT_EQ(file.dt, 0.02);

    std::vector<double> times, values;
    EXPECT_EQ(host->GetTHFunctionUser("USER", times, values), 0);
    EXPECT_EQ(values, (std::vector<double>{0, 0.3, -0.5}));
    double period = 0, amplitude = 0, ramp = 0, maxTime = 0;
    int steps = 0, cycles = 0;
    EXPECT_EQ(host->GetTHFunctionSine("SIN", period, steps, cycles, amplitude), 0);
    EXPECT_EQ(steps, 16);
    EXPECT_EQ(amplitude, 0.5);
    EXPECT_EQ(host->GetTHFunctionCosine("COS", period, steps, cycles, amplitude), 0);
    EXPECT_EQ(period, 2.0);
    EXPECT_EQ(host->GetTHFunctionRamp("RAMP", ramp, amplitude, maxTime), 0);
    EXPECT_EQ(maxTime, 10.0);
    EXPECT_EQ(host->GetTHFunctionTrapezoid("TRAP", period, ramp, amplitude, cycles), 0);
    EXPECT_EQ(ramp, 0.1);
    EXPECT_EQ(cycles, 4);
    EXPECT_EQ(host->GetTHFunctionTriangular("TRI", period, amplitude, cycles), 0);
    EXPECT_EQ(cycles, 3);
    EXPECT_EQ(host->GetTHFunctionUserPeriodic("PER", cycles, times, values), 0);
    EXPECT_EQ(cycles, 5);
    EXPECT_EQ(times, (std::vector<double>{0, 0.5, 1}));

    EXPECT_NE(host->GetTHFunctionSine("COS", period, steps, cycles, amplitude), 0);
    EXPECT_NE(host->GetTHFunctionUser("PER", times, values), 0);
    EXPECT_NE(host->GetTHFunctionFromFile("RS1", file), 0);
    EXPECT_NE(host->GetTHFunctionRamp("Nope", ramp, amplitude, maxTime), 0);
}

TEST_F(SampleHost, NonlinearStaticCases) {
    int type = 0;
    EXPECT_EQ(host->GetLoadCaseType("MODAL", type), 0);
    EXPECT_EQ(type, 3);

    StaticNonlinearLoadApplication app;
    EXPECT_EQ(host->GetStaticNonlinearLoadApplication("PUSH", app), 0);
    EXPECT_EQ(app.loadControl, 2);
    EXPECT_EQ(app.monitoredDof, 2);
    EXPECT_EQ(app.displacement, 10.0);
    EXPECT_EQ(app.monitoredPoint, "3");
    EXPECT_EQ(host->GetStaticNonlinearLoadApplication("GRAV", app), 0);
    EXPECT_EQ(app.loadControl, 1);
    EXPECT_EQ(app.monitoredDof, 1);
    EXPECT_EQ(app.monitoredPoint, "");
    EXPECT_NE(host->GetStaticNonlinearLoadApplication("TH", app), 0);

    std::vector<NonlinearLoad> loads;
    EXPECT_EQ(host->GetStaticNonlinearLoads("PUSH", loads), 0);
    ASSERT_EQ(loads.size(), 2u);
    EXPECT_EQ(loads[0].type, "Mode");
    EXPECT_EQ(loads[0].name, "1");
    EXPECT_EQ(loads[1].type, "Accel");
    EXPECT_EQ(loads[1].name, "UY");
    EXPECT_EQ(loads[1].scale, -1.0);
    EXPECT_NE(host->GetStaticNonlinearLoads("MODAL", loads), 0);
}

TEST_F(SampleHost, NonlinearHistoryCases) {
    std::vector<NonlinearLoad> loads;
    EXPECT_EQ(host->GetDynamicNonlinearLoads("TH", loads), 0);
    ASSERT_EQ(loads.size(), 2u);
    EXPECT_EQ(loads[0].name, "U1");
    EXPECT_EQ(loads[0].function, "USER");
    EXPECT_EQ(loads[0].scale, 386.4);
    EXPECT_EQ(loads[0].timeFactor, 1.0);
    EXPECT_EQ(loads[1].type, "Load");
    EXPECT_EQ(loads[1].timeFactor, 2.0);
    EXPECT_NE(host->GetDynamicNonlinearLoads("PUSH", loads), 0);

    int steps = 0;
    double size = 0;
    EXPECT_EQ(host->GetDynamicNonlinearTimeStep("TH", steps, size), 0);
    EXPECT_EQ(steps, 200);
    EXPECT_EQ(size, 0.01);

    DynamicDamping damping;
    EXPECT_EQ(host->GetDynamicNonlinearDamping("TH", damping), 0);
    EXPECT_EQ(damping.code, 4);
    EXPECT_EQ(damping.value1, 0.05);
    EXPECT_EQ(damping.value2, 0.5);
    EXPECT_EQ(host->GetDynamicNonlinearDamping("TH2", damping), 0);
    EXPECT_EQ(damping.code, 1);
    EXPECT_EQ(damping.value1, 0.0);
}

// Every query about a name the model does not have answers a non-zero status.
TEST_F(SampleHost, UnknownNamesAnswerNonZero) {
    const std::string nope = "nope";
    int i = 0, k = 0;
    double d = 0, e = 0, f = 0, g = 0;
    std::string s, t;
    Names names, more;
    std::vector<int> types;
    std::array<bool, 6> flags, flags2;
    std::array<double, 6> six;
    FrameSectionProperties props;
    std::vector<FrameHinge> hinges;
    std::vector<PointForceLoad> pointLoads;
    std::vector<AreaUniformLoad> areaLoads;
    DynamicDamping damping;
    EXPECT_NE(host->GetMaterialType(nope, i, k), 0);
    EXPECT_NE(host->GetMaterialWeightAndMass(nope, d, e), 0);
    EXPECT_NE(host->GetSteelMaterial(nope, d, e, f, g), 0);
    EXPECT_NE(host->GetConcreteMaterial(nope, d), 0);
    EXPECT_NE(host->GetIsotropicProperties(nope, d, e, f, g), 0);
    EXPECT_NE(host->GetFrameSectionProperties(nope, props), 0);
    EXPECT_NE(host->GetFrameSectionRebarType(nope, i), 0);
    EXPECT_NE(host->GetAreaSectionType(nope, i), 0);
    EXPECT_NE(host->GetPointCoordinates(nope, "Global", d, e, f), 0);
    EXPECT_NE(host->GetPointRestraints(nope, flags), 0);
    EXPECT_NE(host->GetPointMass(nope, six), 0);
    EXPECT_NE(host->GetPointForceLoads(nope, kObject, pointLoads), 0);
    EXPECT_NE(host->GetConstraintType(nope, i), 0);
    EXPECT_NE(host->GetFrameSection(nope, s), 0);
    EXPECT_NE(host->GetFramePoints(nope, s, t), 0);
    EXPECT_NE(host->GetFrameLocalAxes(nope, d), 0);
    EXPECT_NE(host->GetFrameReleases(nope, flags, flags2), 0);
    EXPECT_NE(host->GetFrameHinges(nope, hinges), 0);
    EXPECT_NE(host->GetAreaProperty(nope, s), 0);
    EXPECT_NE(host->GetAreaPoints(nope, names), 0);
    EXPECT_NE(host->GetAreaMass(nope, d), 0);
    EXPECT_NE(host->GetAreaUniformLoads(nope, kGroup, areaLoads), 0);
    EXPECT_NE(host->GetGroupAssignments(nope, types, names), 0);
    EXPECT_NE(host->GetLoadPatternType(nope, i), 0);
    EXPECT_NE(host->GetFunctionType(nope, i, k), 0);
    EXPECT_NE(host->GetLoadCaseType(nope, i), 0);
    EXPECT_NE(host->GetDynamicNonlinearDamping(nope, damping), 0);
}

TEST(DocumentHost, MinimalDocumentHasEmptyFamiliesAndDefaults) {
    const auto host = DocumentHost::FromText(R"({"format": "tarvo-model", "version": 1})", "min.json");
    EXPECT_EQ(host->GetPresentUnits(), 6);
    EXPECT_EQ(host->GetPointCount(), 0);
    Names names;
    EXPECT_EQ(host->GetGroupNameList(names), 0);
    EXPECT_EQ(names, (Names{"ALL"}));
    int option = 0;
    std::vector<double> scales;
    EXPECT_EQ(host->GetMassSource(option, names, scales), 0);
    EXPECT_EQ(option, 1);
    EXPECT_TRUE(names.empty());
    std::vector<int> types;
    EXPECT_EQ(host->GetGroupAssignments("ALL", types, names), 0);
    EXPECT_TRUE(names.empty());
}

}  // namespace
}  // namespace t2v::host
