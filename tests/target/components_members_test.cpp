// Release, FEMA and compound components, byte for byte.
#include "target/components_fill_support.h"

namespace t2v::test {
namespace {

using source::TarvoFrameObj;
using source::TarvoFrameReleaseObj;
using target::FillVantraCompoundComponents;
using target::FillVantraFemaComponents;
using target::FillVantraReleaseComponents;

std::array<bool, 6> flags(std::initializer_list<int> released) {
    std::array<bool, 6> f{};
    for (int d : released) f[static_cast<std::size_t>(d)] = true;
    return f;
}

// ---------------------------------------------------------------------------------------
// Release components

Rec releaseRecord(const std::string& name, int number, std::initializer_list<int> released) {
    Rec r(89);
    r.text(0, name, 40).i16(40, number).u8(42, 4).i16(53, number);
    for (int d : released) r.u8(45 + static_cast<std::size_t>(d), 1).f32(57 + 4 * static_cast<std::size_t>(d), 1.0e-5);
    return r;
}

TEST(ComponentsReleases, NamedFromTheirFlagsAfterTheEmbeddedBeamRelease) {
    FillFixture f;
    auto& ar = f.src.AddFrameRelease();
    ar.Release = flags({0, 5});  // U1 and R3
    auto& m2 = f.src.AddFrameRelease();
    m2.Release = flags({4});  // R2 alone is not transferred
    auto& all = f.src.AddFrameRelease();
    all.Release = flags({0, 1, 2, 3, 4, 5});
    FillVantraReleaseComponents(f.ctx);

    // Target order A, V2, V3, M2, M3, T.
    ASSERT_EQ(f.m.ReleaseComponentTable.count(), 4);
    EXPECT_TRUE(RecordIs(f.m.ReleaseComponentTable, 1, releaseRecord("EmbedBeamRelease", 1, {4})));
    EXPECT_TRUE(RecordIs(f.m.ReleaseComponentTable, 2, releaseRecord("Release-AM3", 2, {0, 4})));
    EXPECT_TRUE(RecordIs(f.m.ReleaseComponentTable, 3, releaseRecord("Release-", 3, {})));
    EXPECT_TRUE(RecordIs(f.m.ReleaseComponentTable, 4, releaseRecord("Release-AV2V3M3T", 4, {0, 1, 2, 4, 5})));
    EXPECT_EQ(ar.idVantraXecElaRelease, 2);
    EXPECT_EQ(all.idVantraXecElaRelease, 4);
    // The release table grows by 5 and reports its capacity.
    EXPECT_EQ(f.m.ReleaseComponentTable.capacity(), 6);
    EXPECT_EQ(f.m.MaxComponentCapacity, 6);
}

// ---------------------------------------------------------------------------------------
// FEMA components

// Steel section "W" and concrete rectangle "R" in kip and inch, where the unit factors
// are 1 and every placeholder can be worked out by hand.
struct FemaFixture : FillFixture {
    source::TarvoPropFrameSectObj* w;
    source::TarvoPropFrameSectObj* r;
    FemaFixture() {
        m.LengthUnit = 0;
        m.ForceUnit = 0;
        auto& s = steel("A992");
        s.IsoE = 29000;
        s.IsoU = 0.3;
        s.IsoG = 11200;
        s.SteelFu = 65;
        auto& c = concrete("C4");
        c.IsoE = 3600;
        c.IsoG = 1500;
        c.ConcFc = 4;
        w = &frameSection("W", 1, &s);
        w->area = 16;
        w->As2 = 5;
        w->As3 = 6;
        w->TorsionConst = 2;
        w->I22 = 50;
        w->I33 = 300;
        r = &frameSection("R", 8, &c);
        r->area = 4;
        frameSection("Alu", 3, nullptr);
    }
};

Rec femaCommon(std::size_t size, const std::string& name, int number, int kind, int sectType, int section,
               const int (&flags10)[10], double E, double Nu, double G, std::initializer_list<double> props) {
    Rec r(size);
    r.text(0, name, 40).i16(40, number).u8(42, kind);  // unit codes 0 and 0
    for (std::size_t k = 0; k < 10; ++k) r.u8(45 + k, flags10[k]);
    r.i16(57, 3).i16(59, sectType).i16(61, section).i16(63, number);
    r.f32(93, E).f32(97, Nu).f32(101, G);
    std::size_t off = 105;
    for (double p : props) r.f32(off, p), off += 4;
    return r;
}

constexpr int kBeamFlags[10] = {0, 0, 0, 1, 0, 0, 0, 0, 10, 0};
constexpr int kColumnFlags[10] = {0, 0, 0, 1, 1, 0, 0, 0, 0, 1};

Rec femaColumnTail(Rec r) {
    r.f32(133, 1.0).f32(197, 0.15).f32(201, 0.8).f32(205, 0.8).f32(209, 1.1);
    for (std::size_t off : {213u, 217u, 221u, 225u}) r.f32(off, 2.0);
    r.f32(229, 1.4).f32(305, 9.0);
    return r;
}

TEST(ComponentsFema, SteelAndConcreteBeamAndColumn) {
    FemaFixture f;
    f.fillUpTo(FillVantraFemaComponents);

    ASSERT_EQ(f.m.FemaBeamTable.count(), 2);  // the section without material has none
    ASSERT_EQ(f.m.FemaColumnTable.count(), 2);

    Rec sb = femaCommon(425, "IneFemaBmS-W", 1, 1, 4, 1, kBeamFlags, 29000, 0.3, 11200, {16, 5, 6, 2, 50, 300});
    sb.f32(137, 1.0).f32(149, 400.0);  // 100 ksi x sqrt(16)
    sb.f32(165, 20).f32(185, 11).f32(189, 13).f32(217, 0.4).f32(241, 2).f32(245, 7).f32(249, 9);
    EXPECT_TRUE(RecordIs(f.m.FemaBeamTable, 1, sb));

    Rec cb = femaCommon(425, "IneFemaBmC-R", 2, 2, 3, 2, kBeamFlags, 3600, 0.2, 1500, {4, 0, 0, 0, 0, 0});
    cb.f32(137, 1.0).f32(141, 196.85).f32(149, 3.2);  // 4 x 100 x 0.004 x sqrt(4)
    cb.f32(165, 0.1).f32(185, 0.04).f32(189, 0.08).f32(217, 0.4).f32(241, 2).f32(245, 7).f32(249, 9);
    EXPECT_TRUE(RecordIs(f.m.FemaBeamTable, 2, cb));

    Rec sc = femaColumnTail(
        femaCommon(473, "IneFemaColS-W", 1, 14, 7, 1, kColumnFlags, 29000, 0.3, 11200, {16, 5, 6, 2, 50, 300}));
    sc.f32(141, 1040).f32(145, 1040).f32(149, 2080).f32(153, 2080);  // A Fu, A Fu sqrt(A) / 2
    for (std::size_t off : {173u, 177u, 181u, 185u}) sc.f32(off, 20);
    EXPECT_TRUE(RecordIs(f.m.FemaColumnTable, 1, sc));

    Rec cc = femaColumnTail(
        femaCommon(473, "IneFemaColC-R", 2, 15, 6, 2, kColumnFlags, 3600, 0.2, 1500, {4, 0, 0, 0, 0, 0}));
    // c = 4 x 100 x 0.008 = 3.2; c + A Fc = 19.2; c sqrt(A) / 2 x 3 / 4 = 2.4
    cc.f32(137, 196.85).f32(141, 3.2).f32(145, 19.2).f32(149, 2.4).f32(153, 2.4);
    cc.f32(173, 0.003).f32(177, 0.005).f32(181, 0.017).f32(185, 0.02);
    EXPECT_TRUE(RecordIs(f.m.FemaColumnTable, 2, cc));

    for (int id : {1, 2}) {
        EXPECT_EQ(CompanionFirstByte(f.m.FemaBeamTable, id), 1);
        EXPECT_EQ(CompanionFirstByte(f.m.FemaColumnTable, id), 1);
    }
    EXPECT_EQ(f.w->idVantraInelasFemaSteelBeam, 1);
    EXPECT_EQ(f.r->idVantraInelasFemaConcBeam, 2);
    EXPECT_EQ(f.r->idVantraInelasFemaConcCol, 2);
}

TEST(ComponentsFema, PlaceholdersFollowTheModelUnits) {
    FemaFixture f;
    f.m.LengthUnit = 4;  // metre
    f.m.ForceUnit = 3;   // kilonewton
    f.w->area = 0.01;
    f.r->area = 0.09;
    f.fillUpTo(FillVantraFemaComponents);
    // Five metres, and 100 ksi (689476 kPa) times sqrt(0.01).
    EXPECT_NEAR(f.m.FemaBeamTable.rec(2).getF32(141), 5.0, 1e-4);
    EXPECT_NEAR(f.m.FemaBeamTable.rec(1).getF32(149), 68947.6, 1.0);

    f.m.LengthUnit = 9;
    EXPECT_THROW(FillVantraFemaComponents(f.ctx), std::out_of_range);
}

// ---------------------------------------------------------------------------------------
// Compounds

Rec compoundHeader(const std::string& name, int number, int slots, double weight) {
    Rec r(378);
    r.text(0, name, 40).i16(40, number).u8(42, 2).u8(43, 3).u8(44, 4);  // force unit before length unit
    r.u8(45, slots).u8(47, 1).u8(48, 1).i16(354, number).f32(362, weight);
    return r;
}

Rec& slot(Rec& r, std::size_t s, int family, int behaviour, int flag, int kind, int number, double length) {
    r.u8(66 + s, family).u8(79 + s, behaviour).u8(92 + s, flag).i16(118 + 2 * s, kind).i16(144 + 2 * s, number);
    r.f32(170 + 4 * s, length).f32(222 + 4 * s, length);
    return r;
}

// Steel "W" (area 0.01, 78.5 per volume) and concrete "R" (area 0.09, 24 per volume),
// with frames of every release case.
struct CompoundFixture : FillFixture {
    source::TarvoPropFrameSectObj* w;
    source::TarvoPropFrameSectObj* r;
    TarvoFrameReleaseObj* relM3;
    TarvoFrameReleaseObj* relM2M3;
    CompoundFixture() {
        w = &frameSection("W", 1, &steel("S"));
        w->area = 0.01;
        r = &frameSection("R", 8, &concrete("C"));
        r->area = 0.09;
        relM3 = &src.AddFrameRelease();
        relM3->Release = flags({5});
        relM2M3 = &src.AddFrameRelease();
        relM2M3->Release = flags({4, 5});
    }
    TarvoFrameObj& frame(const std::string& label, source::TarvoPropFrameSectObj* s, int frameType,
                         const TarvoFrameReleaseObj* i, const TarvoFrameReleaseObj* j) {
        auto& fr = src.AddFrame(label);
        fr.PropFrameSectName = s->Label;
        fr.PropFrameSectObj = s;
        fr.VantraFrameType = frameType;
        fr.VantraMatType = s->PropMatObj->MatType == 1 ? 2 : 1;
        fr.ReleaseIObj = i;
        fr.ReleaseJObj = j;
        return fr;
    }
};

TEST(ComponentsCompounds, MemberCompoundsForEverySectionInBothForms) {
    CompoundFixture f;
    f.fillUpTo(FillVantraCompoundComponents);

    ASSERT_EQ(f.m.FrameCompoundTable.count(), 8);
    const char* names[8] = {"CpdBmS-W", "CpdFemaBmS-W", "CpdColS-W", "CpdFemaColS-W",
                            "CpdBmC-R", "CpdFemaBmC-R", "CpdColC-R", "CpdFemaColC-R"};
    for (int id = 1; id <= 8; ++id) EXPECT_EQ(NameOf(f.m.FrameCompoundTable, id), names[id - 1]);

    Rec elastic = compoundHeader("CpdBmS-W", 1, 1, 0.01 * 78.5);
    slot(elastic, 0, 3, 2, 1, 4, f.w->idVantraXsectSteelBeam, 1.0);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 1, elastic));

    // Both halves of the member hold the same FEMA component.
    Rec fema = compoundHeader("CpdFemaBmS-W", 2, 2, 0.01 * 78.5);
    slot(fema, 0, 1, 3, 1, 1, 1, 0.5);
    slot(fema, 1, 1, 3, 1, 1, 1, 0.5);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 2, fema));

    Rec femaCol = compoundHeader("CpdFemaColC-R", 8, 2, 0.09 * 24);
    slot(femaCol, 0, 1, 7, 1, 15, 2, 0.5);
    slot(femaCol, 1, 1, 7, 1, 15, 2, 0.5);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 8, femaCol));

    EXPECT_EQ(f.w->idVantraCompoundSteelBeam, 1);
    EXPECT_EQ(f.w->idVantraCompoundFemaSteelCol, 4);
    EXPECT_EQ(f.r->idVantraCompoundConcCol, 7);
    EXPECT_EQ(f.m.MaxComponentCapacity, 12);  // materials' shear table; compounds report count 8
}

TEST(ComponentsCompounds, ReleaseCompoundsPerSectionFormAndPair) {
    CompoundFixture f;
    auto& b1 = f.frame("B1", f.w, 2, f.relM3, nullptr);
    auto& b2 = f.frame("B2", f.w, 2, f.relM3, nullptr);
    auto& b3 = f.frame("B3", f.w, 2, f.relM3, f.relM2M3);
    auto& c1 = f.frame("C1", f.w, 1, f.relM3, nullptr);  // same pair as B1, column form
    auto& br = f.frame("Br", f.w, 3, f.relM3, nullptr);
    auto& plain = f.frame("P", f.w, 2, nullptr, nullptr);
    auto& cb = f.frame("CB", f.r, 2, nullptr, f.relM2M3);
    auto& cc = f.frame("CC", f.r, 1, f.relM3, f.relM2M3);
    f.fillUpTo(FillVantraCompoundComponents);

    // Release components: 1 embedded beams, 2 M3, 3 M2 and M3 (named "Release-M3").
    EXPECT_EQ(b1.idCompdRelealse, 9);
    EXPECT_EQ(b2.idCompdRelealse, 9);  // the same pair of release objects reuses it
    EXPECT_EQ(b3.idCompdRelealse, 10);
    EXPECT_EQ(c1.idCompdRelealse, 11);
    EXPECT_EQ(br.idCompdRelealse, 0);  // braces get none
    EXPECT_EQ(plain.idCompdRelealse, 0);
    EXPECT_EQ(cb.idCompdRelealse, 12);
    EXPECT_EQ(cc.idCompdRelealse, 13);
    ASSERT_EQ(f.m.FrameCompoundTable.count(), 13);

    Rec one = compoundHeader("CpdRelBmSteel-W", 9, 2, 0.01 * 78.5);
    slot(one, 0, 2, 4, 12, 4, 2, 0.0);
    slot(one, 1, 3, 2, 1, 4, f.w->idVantraXsectSteelBeam, 1.0);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 9, one));

    Rec both = compoundHeader("CpdRelBmSteel-W", 10, 3, 0.01 * 78.5);
    slot(both, 0, 2, 4, 12, 4, 2, 0.0);
    slot(both, 1, 3, 2, 1, 4, f.w->idVantraXsectSteelBeam, 1.0);
    slot(both, 2, 2, 4, 12, 4, 3, 0.0);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 10, both));

    // The column of the beam's section and pair gets its own compound with the column
    // cross section.
    Rec col = compoundHeader("CpdRelColS-W", 11, 2, 0.01 * 78.5);
    slot(col, 0, 2, 4, 12, 4, 2, 0.0);
    slot(col, 1, 3, 3, 1, 7, f.w->idVantraXsectSteelCol, 1.0);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 11, col));

    Rec concBeam = compoundHeader("CpdRelBmC-R", 12, 2, 0.09 * 24);
    slot(concBeam, 0, 3, 2, 1, 3, f.r->idVantraXsectConcBeam, 1.0);
    slot(concBeam, 1, 2, 4, 12, 4, 3, 0.0);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 12, concBeam));
    EXPECT_EQ(NameOf(f.m.FrameCompoundTable, 13), "CpdRelColC-R");
    EXPECT_EQ(f.m.FrameCompoundTable.rowBytes(13)[45], 3);

    // The pairs are recorded on the section with their compounds.
    ASSERT_EQ(f.w->ReleaseNum(), 3);
    EXPECT_EQ(f.w->idVantraRelease, (std::vector<std::int32_t>{9, 10, 11}));
    EXPECT_EQ(f.w->ReleaseForm, (std::vector<std::int32_t>{0, 0, 1}));
}

TEST(ComponentsCompounds, ReleaseCompoundsNameLongSectionsByTheFrameIndex) {
    CompoundFixture f;
    f.w->Label = "A-very-long-steel-section-label";  // 14 + 31 characters
    f.frame("F1", f.w, 2, nullptr, nullptr);
    f.frame("F2", f.w, 2, f.relM3, nullptr);
    f.fillUpTo(FillVantraCompoundComponents);
    EXPECT_EQ(NameOf(f.m.FrameCompoundTable, 1), "CpdBmS-A-very-long-steel-section-label");
    EXPECT_EQ(NameOf(f.m.FrameCompoundTable, 2), "CpdFemaBmS-2");
    EXPECT_EQ(NameOf(f.m.FrameCompoundTable, 9), "CpdRelBmSteel-3");
}

TEST(ComponentsCompounds, EmbeddedBeamHangsFromItsRelease) {
    CompoundFixture f;
    auto& e = f.src.AddPropEmbedFrameSect();
    e.Label = "7";
    e.PropType = 8;
    e.PropMatName = "C";
    e.PropMatObj = f.src.PropMaterialObjGet("C");
    e.area = 0.001;
    f.fillUpTo(FillVantraCompoundComponents);

    ASSERT_EQ(e.idVantraXsectEmbedBeam, 3);  // after the two frame sections
    ASSERT_EQ(e.idVantraCompoundEmbededBeam, 9);
    Rec r = compoundHeader("CpdEmbed-1", 9, 2, 0.001 * 24);
    slot(r, 0, 2, 4, 12, 4, 1, 0.0);
    slot(r, 1, 3, 2, 1, 3, 3, 1.0);
    EXPECT_TRUE(RecordIs(f.m.FrameCompoundTable, 9, r));
}

TEST(ComponentsCompounds, FromTheModelDocumentToTheCompounds) {
    FillFixture f(Doc(R"("materials": [
        {"name": "C30", "type": 2, "isotropic": {"E": 2.5e7, "U": 0.2, "G": 1.04e7}, "weight": 24, "concrete": {"Fc": 30}},
        {"name": "S355", "type": 1, "isotropic": {"E": 2e8, "U": 0.3, "G": 7.7e7}, "weight": 78.5},
        {"name": "B500", "type": 6, "symmetry": 3, "uniaxial": {"E": 2e8}, "rebar": {"Fy": 500000, "Fu": 550000}}],
      "frame_sections": [
        {"name": "COL", "type": 8, "material": "C30", "rebar_type": 1, "properties": {"A": 0.16}},
        {"name": "HEA", "type": 1, "material": "S355", "properties": {"A": 0.01}}],
      "area_sections": [
        {"name": "WALL", "shell_type": 6, "layers": [
          {"name": "conc", "thickness": 0.25, "material": "C30", "s11": 1, "s22": 2},
          {"name": "bars", "thickness": 0.0025, "material": "B500", "angle": 90}]}],
      "points": [{"name": "1", "x": 0, "y": 0, "z": 0}, {"name": "2", "x": 0, "y": 0, "z": 3},
                 {"name": "3", "x": 5, "y": 0, "z": 3}, {"name": "4", "x": 5, "y": 0, "z": 0}],
      "frames": [
        {"name": "C1", "section": "COL", "i": "1", "j": "2", "hinges": [{"kind": 6, "dof": 0, "rel_dist": 0}]},
        {"name": "B1", "section": "HEA", "i": "2", "j": "3", "releases": {"i": [0,0,0,0,1,1], "j": [0,0,0,0,1,1]}},
        {"name": "D1", "section": "HEA", "i": "1", "j": "3", "releases": {"j": [0,0,0,0,1,1]}}])"));
    for (const auto& p : f.host->model().points.items) f.node(p.name, p.x, p.y, p.z);
    f.src.ReadMaterials();
    f.src.ReadFrameSections();
    f.src.ReadAreaSections();
    f.src.ReadFrames();
    f.src.ReadFrameReleases();
    f.src.LinkFrameSectionsToMaterials();
    f.src.LinkAreaSectionsToMaterials();
    f.src.LinkFramesToSections();
    f.src.ClassifyFrames();
    f.src.ReadFrameHinges();
    f.fillUpTo(FillVantraCompoundComponents);

    const auto& col = *f.src.FrameObjGet("C1");
    EXPECT_EQ(col.VantraFrameType, 1);
    EXPECT_EQ(col.VantraConcType, 2);
    EXPECT_TRUE(col.IsFEMAFrame());
    // Materials: rebar, concrete fibre, concrete shear; FEMA and members per section.
    EXPECT_EQ(f.m.InelasticMaterialTable.count(), 3);
    EXPECT_EQ(f.m.FemaBeamTable.count(), 2);
    EXPECT_EQ(f.m.FemaColumnTable.count(), 2);
    // 8 member compounds, then the beam's release compound; the brace gets none.
    ASSERT_EQ(f.m.FrameCompoundTable.count(), 9);
    EXPECT_EQ(NameOf(f.m.FrameCompoundTable, 9), "CpdRelBmSteel-HEA");
    EXPECT_EQ(f.m.FrameCompoundTable.rowBytes(9)[45], 3);
    EXPECT_EQ(f.src.FrameObjGet("B1")->idCompdRelealse, 9);
    EXPECT_EQ(f.src.FrameObjGet("D1")->idCompdRelealse, 0);
    EXPECT_EQ(f.m.ReleaseComponentTable.count(), 2);
    EXPECT_EQ(NameOf(f.m.ReleaseComponentTable, 2), "Release-M3");

    // The layered wall: vertical bars, so a fibre shear wall and its compound.
    const auto& wall = *f.src.PropAreaSectObjGet("WALL");
    EXPECT_EQ(wall.LayerVantraType, 1);
    EXPECT_EQ(NameOf(f.m.InelasticWallSectionTable, 1), "XecWallCIneV-WALL");
    EXPECT_FLOAT_EQ(f.m.InelasticWallSectionTable.rec(1).getF32(111), 1.0f);  // 0.0025 / 0.25 in percent
    EXPECT_EQ(NameOf(f.m.WallCompoundTable, 1), "CpdWallConcV-WALL");
    EXPECT_EQ(wall.idVantraCompoundWall, 1);
}

source::TarvoPropAreaSectObj& areaSection(FillFixture& f, const std::string& label, int shellType, int layerType) {
    auto& s = f.src.AddPropAreaSect(label);
    s.PropType = 1;
    s.ShellType = shellType;
    auto* c = f.src.PropMaterialObjGet("C");
    if (shellType == 1) {
        s.PropMat = "C";
        s.PropMatObj = c;
        s.Thick = s.Bending = 0.3;
    } else {
        s.LayerVantraType = layerType;
        s.LayerPropMatConcObj = c;
        s.LayerVantraThick = 0.2;
        s.LayerVantraThickBend = 0.2;
        s.LayerVantraThickRebarV = s.LayerVantraThickRebarH = 0.002;
    }
    return s;
}

TEST(ComponentsCompounds, ShearWallAndGeneralWallCompounds) {
    CompoundFixture f;
    auto& wall = areaSection(f, "Wall", 1, 0);
    auto& gw = areaSection(f, "GW", 6, 2);
    auto& v = areaSection(f, "V", 6, 1);
    auto& gw3 = areaSection(f, "GW3", 6, 3);
    f.fillUpTo(FillVantraCompoundComponents);
    const auto* c = f.src.PropMaterialObjGet("C");
    ASSERT_EQ(c->idVantraElasticShear, 2);
    ASSERT_EQ(c->idVantraInelasticShear, 2);

    ASSERT_EQ(f.m.WallCompoundTable.count(), 2);
    Rec w(116);
    w.text(0, "CpdWallConcEla-Wall", 40).i16(40, 1).u8(42, 3).u8(43, 3).u8(44, 4);
    w.i16(48, 11).i16(50, wall.idVantraXSectWallEla).i16(52, 5).i16(54, 2);
    w.f32(56, 0.3).f32(60, 2.5e7).f32(64, 0.3).i16(68, 1).f32(76, 0.3).f32(80, 24);
    EXPECT_TRUE(RecordIs(f.m.WallCompoundTable, 1, w));
    EXPECT_EQ(NameOf(f.m.WallCompoundTable, 2), "CpdWallConcV-V");
    EXPECT_EQ(f.m.WallCompoundTable.rec(2).getI16(48), 10);
    EXPECT_EQ(f.m.WallCompoundTable.rec(2).getI16(50), v.idVantraXSectWallIne);
    EXPECT_EQ(wall.idVantraCompoundWall, 1);
    EXPECT_EQ(v.idVantraCompoundWall, 2);

    ASSERT_EQ(f.m.GeneralWallCompoundTable.count(), 2);
    Rec g(108);
    g.text(0, "CpdGWallConcH-GW", 40).i16(40, 1).u8(42, 4).u8(43, 3).u8(44, 4);
    g.i16(48, 13).i16(50, gw.idVantraXSectGWallEla).i16(52, 12).i16(54, gw.idVantraXSectGWallIneH);
    g.i16(56, 2).i16(58, 2).i16(60, 3).f32(64, 0.2).f32(88, 0.2).f32(92, 24);
    EXPECT_TRUE(RecordIs(f.m.GeneralWallCompoundTable, 1, g));
    ASSERT_NE(gw.idVantraXSectGWallEla, 0);
    ASSERT_NE(gw.idVantraXSectGWallIneH, 0);

    Rec g3(108);
    g3.text(0, "CpdGWallConcHV-GW3", 40).i16(40, 2).u8(42, 4).u8(43, 3).u8(44, 4);
    g3.i16(48, 12).i16(50, gw3.idVantraXSectGWallIneH).i16(52, 12).i16(54, gw3.idVantraXSectGWallIneV);
    g3.i16(56, 2).i16(58, 2).i16(60, 3).f32(64, 0.2).f32(88, 0.2).f32(92, 24);
    EXPECT_TRUE(RecordIs(f.m.GeneralWallCompoundTable, 2, g3));
    EXPECT_EQ(gw.idVantraCompoundGWall, 1);
    EXPECT_EQ(gw3.idVantraCompoundGWall, 2);
}

TEST(ComponentsCompounds, WallCompoundsAreNumberedInSectionOrderWhateverTheirKind) {
    // A layered wall listed before a thin shell takes wall compound 1.
    CompoundFixture f;
    auto& v = areaSection(f, "V", 6, 1);
    auto& wall = areaSection(f, "Wall", 1, 0);
    f.fillUpTo(FillVantraCompoundComponents);
    ASSERT_EQ(f.m.WallCompoundTable.count(), 2);
    EXPECT_EQ(NameOf(f.m.WallCompoundTable, 1), "CpdWallConcV-V");
    EXPECT_EQ(NameOf(f.m.WallCompoundTable, 2), "CpdWallConcEla-Wall");
    EXPECT_EQ(f.m.WallCompoundTable.rec(2).getI16(40), 2);
    EXPECT_EQ(v.idVantraCompoundWall, 1);
    EXPECT_EQ(wall.idVantraCompoundWall, 2);
}

}  // namespace
}  // namespace t2v::test
