// Material and cross-section components, byte for byte.
#include "target/components_fill_support.h"

namespace t2v::test {
namespace {

using target::FillVantraCrossSections;
using target::FillVantraMaterials;

// Header of a material record: name, number, kind, length unit 4 (m), force unit 3 (kN).
Rec materialHeader(std::size_t size, const std::string& name, int number, int kind) {
    Rec r(size);
    r.text(0, name, 40).i16(40, number).u8(42, kind).u8(43, 4).u8(44, 3);
    return r;
}

Rec inelasticBase(const std::string& name, int number, int kind, double modulus) {
    Rec r = materialHeader(329, name, number, kind);
    const int flags[10] = {0, 1, 0, 1, 1, 0, 0, 0, 10, 1};
    for (std::size_t k = 0; k < 10; ++k) r.u8(45 + k, flags[k]);
    r.i16(59, number).f32(65, modulus);
    return r;
}

TEST(ComponentsMaterials, ConcreteGetsFibreAndShearComponentsAfterTheRebar) {
    FillFixture f;
    auto& r = f.rebar("R");
    auto& c = f.concrete("C30");
    FillVantraMaterials(f.ctx);

    ASSERT_EQ(f.m.InelasticMaterialTable.count(), 3);
    // Rebar: kind 0, modulus, expected yield and ultimate, 0, 0.2 in the steel slots.
    EXPECT_TRUE(RecordIs(f.m.InelasticMaterialTable, 1,
                         inelasticBase("MatIneFibRebar-R", 1, 0, 200000).f32(81, 460).f32(85, 680).f32(101, 0.2)));
    // Concrete fibre: kind 1, 0.9 Fc and Fc, 0.04, 0.02 in the concrete slots.
    EXPECT_TRUE(RecordIs(
        f.m.InelasticMaterialTable, 2,
        inelasticBase("MatIneFibConc-C30", 2, 1, 2.5e7).f32(89, 27).f32(93, 30).f32(105, 0.04).f32(109, 0.02)));
    // Concrete wall shear: kind 2, G, 0, Fc / 2, 0, 2.0 in the steel slots.
    EXPECT_TRUE(RecordIs(f.m.InelasticMaterialTable, 3,
                         inelasticBase("MatIneShearConc-C30", 3, 2, 1.0e7).f32(85, 15).f32(101, 2.0)));
    for (int id = 1; id <= 3; ++id) EXPECT_EQ(CompanionFirstByte(f.m.InelasticMaterialTable, id), 1);
    EXPECT_EQ(r.idVantraInelastic, 1);
    EXPECT_EQ(c.idVantraInelastic, 2);
    EXPECT_EQ(c.idVantraInelasticShear, 3);

    // Elastic components: concrete only (rebar has none).
    ASSERT_EQ(f.m.ElasticFiberMaterialTable.count(), 1);
    EXPECT_TRUE(RecordIs(f.m.ElasticFiberMaterialTable, 1,
                         materialHeader(126, "MatElaFiberConc-C30", 1, 4).u8(46, 1).f32(58, 2.5e7)));
    ASSERT_EQ(f.m.ElasticShearMaterialTable.count(), 1);
    Rec shear = materialHeader(152, "MatElaShearConc-C30", 1, 5);
    shear.u8(45, 1).u8(48, 1).i16(50, 1).i16(52, 1).f32(58, 1.0e7);
    shear.i16(62, 5).f64(64, 0.95).i16(72, 2).i16(74, 0).i16(76, 2).i16(78, 0);
    shear.f32(80 + 16, 0.8);
    EXPECT_TRUE(RecordIs(f.m.ElasticShearMaterialTable, 1, shear));
    EXPECT_EQ(CompanionFirstByte(f.m.ElasticShearMaterialTable, 1), 1);
    ASSERT_EQ(f.m.ElasticSlabMaterialTable.count(), 1);
    EXPECT_TRUE(RecordIs(f.m.ElasticSlabMaterialTable, 1,
                         materialHeader(174, "MatElaSlabConc-C30", 1, 6).u8(46, 1).f32(58, 2.5e7).f32(78, 0.2)));
    EXPECT_EQ(c.idVantraElasticFiber, 1);
    EXPECT_EQ(c.idVantraElasticShear, 1);
    EXPECT_EQ(c.idVantraElasticSlab, 1);
    EXPECT_EQ(r.idVantraElasticFiber, 0);
    // The inelastic table's count (3) is the largest figure so far.
    EXPECT_EQ(f.m.MaxComponentCapacity, 3);
}

TEST(ComponentsMaterials, LongNamesFallBackToTheIndexAndCapacityRulesDiffer) {
    FillFixture f;
    f.steel("S");
    f.concrete("ABCDEFGHIJKLMNOPQRSTUVWXYZ1234");  // 30 characters, material 2
    f.concrete("ABCDEFGHIJKLMNOPQRSTUVWX");        // 24: "MatElaFiberConc-" + 24 is exactly 40
    FillVantraMaterials(f.ctx);

    EXPECT_EQ(NameOf(f.m.InelasticMaterialTable, 1), "MatIneFibConc-3");
    EXPECT_EQ(NameOf(f.m.InelasticMaterialTable, 3), "MatIneShearConc-3");
    EXPECT_EQ(NameOf(f.m.ElasticFiberMaterialTable, 1), "MatElaFiberSteel-S");
    EXPECT_EQ(NameOf(f.m.ElasticFiberMaterialTable, 2), "MatElaFiberConc-3");
    EXPECT_EQ(NameOf(f.m.ElasticFiberMaterialTable, 3), "MatElaFiberConc-ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(NameOf(f.m.ElasticShearMaterialTable, 1), "MatElaShearSteel-S");

    // Three records in each elastic table: the second passed capacity 1, which became
    // 2 + 10. The shear and slab tables report their capacity, the others their count
    // (4 inelastic).
    EXPECT_EQ(f.m.ElasticShearMaterialTable.capacity(), 12);
    EXPECT_EQ(f.m.InelasticMaterialTable.count(), 4);
    EXPECT_EQ(f.m.MaxComponentCapacity, 12);
}

// ---------------------------------------------------------------------------------------

Rec sectionHeader(std::size_t size, const std::string& name, int number, int byte86) {
    Rec r(size);
    r.text(0, name, 40).i16(40, number).text(42, "", 20).text(62, "", 24).u8(86, byte86).u8(87, 4).u8(88, 3);
    return r;
}

TEST(ComponentsSections, SteelIsectionAsBeamAndColumn) {
    FillFixture f;
    auto* s355 = &f.steel("S355");
    auto& w = f.frameSection("W1", 1, s355);
    w.area = 0.01;
    w.TorsionConst = 3e-7;
    w.I22 = 5e-5;
    w.I33 = 2e-4;
    w.As2 = 0.004;
    w.As3 = 0.005;
    w.t2 = 0.1;
    w.t3 = 0.2;
    f.frameSection("Pipe", 7, s355).area = 0.002;
    auto& rect = f.frameSection("R", 8, &f.concrete("C"));
    f.frameSection("Alu", 3, nullptr);  // no material read: no section at all
    f.fillUpTo(FillVantraCrossSections);

    Rec beam = sectionHeader(424, "XecBmS-W1", 1, 0);
    beam.u8(89, 4).u8(90, 1);
    beam.f32(104, 0.01).f32(108, 3e-7).f32(112, 5e-5).f32(116, 2e-4).f32(120, 0.004).f32(124, 0.005);
    beam.f32(128, 1.0).f32(132, 1.0).f32(144, 2.0e8).f32(148, 0.3).f32(152, 8.0e7);
    beam.f32(156, 0.1).f32(160, 0.2).i16(400, 1);
    EXPECT_TRUE(RecordIs(f.m.BeamSectionTable, 1, beam));

    Rec col = sectionHeader(687, "XecColS-W1", 1, 0);
    col.u8(89, 7).u8(90, 1);
    col.f32(103, 0.01).f32(107, 3e-7).f32(111, 5e-5).f32(115, 2e-4).f32(119, 0.004).f32(123, 0.005);
    col.f32(127, 1.0).f32(131, 1.0).f32(151, 2.0e8).f32(155, 0.3).f32(159, 8.0e7);
    col.f32(163, 0.1).f32(167, 0.2).i16(663, 1);
    EXPECT_TRUE(RecordIs(f.m.ColumnSectionTable, 1, col));

    // Every steel and concrete section is both; other steel shapes have shape 0, the
    // concrete rectangle shape 2.
    ASSERT_EQ(f.m.BeamSectionTable.count(), 3);
    ASSERT_EQ(f.m.ColumnSectionTable.count(), 3);
    EXPECT_EQ(NameOf(f.m.BeamSectionTable, 2), "XecBmS-Pipe");
    EXPECT_EQ(f.m.BeamSectionTable.rowBytes(2)[90], 0);
    EXPECT_EQ(NameOf(f.m.ColumnSectionTable, 2), "XecColS-Pipe");
    EXPECT_EQ(f.m.ColumnSectionTable.rowBytes(2)[89], 7);
    EXPECT_EQ(f.m.ColumnSectionTable.rowBytes(2)[90], 0);
    EXPECT_EQ(NameOf(f.m.BeamSectionTable, 3), "XecBmC-R");
    EXPECT_EQ(f.m.BeamSectionTable.rowBytes(3)[89], 3);
    EXPECT_EQ(f.m.BeamSectionTable.rowBytes(3)[90], 2);
    EXPECT_EQ(f.m.ColumnSectionTable.rowBytes(3)[89], 6);
    EXPECT_EQ(rect.idVantraXsectConcBeam, 3);
    EXPECT_EQ(rect.idVantraXsectConcCol, 3);
    EXPECT_EQ(w.idVantraXsectSteelCol, 1);
    EXPECT_EQ(f.m.BeamSectionTable.capacity(), 12);
}

TEST(ComponentsSections, EmbeddedBeamsAreNamedByTheirPosition) {
    FillFixture f;
    auto& c = f.concrete("C");
    for (int k = 0; k < 3; ++k) {
        auto& e = f.src.AddPropEmbedFrameSect();
        e.Label = "area label " + std::to_string(k);
        e.PropType = 8;
        e.PropMatObj = k == 1 ? nullptr : &c;
        e.t2 = 0.3;
        e.t3 = 3;
        e.I33 = 0.675;
    }
    f.fillUpTo(FillVantraCrossSections);
    ASSERT_EQ(f.m.BeamSectionTable.count(), 2);
    EXPECT_EQ(NameOf(f.m.BeamSectionTable, 1), "XecEmbed-1");
    EXPECT_EQ(NameOf(f.m.BeamSectionTable, 2), "XecEmbed-3");
    EXPECT_EQ(f.m.BeamSectionTable.rowBytes(2)[89], 3);
    EXPECT_EQ(f.m.BeamSectionTable.rowBytes(2)[90], 2);
    EXPECT_EQ(f.m.BeamSectionTable.rec(2).getF32(160), 3.0f);
    EXPECT_EQ(f.src.PropEmbedFrameSectObj(3).idVantraXsectEmbedBeam, 2);
    EXPECT_EQ(f.src.PropEmbedFrameSectObj(2).idVantraXsectEmbedBeam, 0);
}

source::TarvoPropAreaSectObj& thinShell(FillFixture& f, const std::string& label, source::TarvoPropMaterialObj* mat,
                                        double thick, double bending) {
    auto& s = f.src.AddPropAreaSect(label);
    s.PropType = 1;
    s.ShellType = 1;
    s.PropMat = mat ? mat->Label : "";
    s.PropMatObj = mat;
    s.Thick = thick;
    s.Bending = bending;
    return s;
}

source::TarvoPropAreaSectObj& layeredShell(FillFixture& f, const std::string& label, int type,
                                           source::TarvoPropMaterialObj* conc) {
    auto& s = f.src.AddPropAreaSect(label);
    s.PropType = 1;
    s.ShellType = 6;
    s.LayerVantraType = type;
    s.LayerPropMatConcObj = conc;
    s.LayerVantraThick = 0.2;
    s.LayerVantraThickBend = 0.18;
    s.LayerVantraThickRebarV = 0.002;
    s.LayerVantraThickRebarH = 0.001;
    return s;
}

TEST(ComponentsSections, ThinConcreteShellIsElasticWallFibreWallAndSlab) {
    FillFixture f;
    auto& s = f.steel("S");
    auto& r = f.rebar("R");
    auto& c = f.concrete("C");
    auto& wall = thinShell(f, "Wall", &c, 0.3, 0.25);
    FillVantraMaterials(f.ctx);
    FillVantraCrossSections(f.ctx);
    ASSERT_EQ(c.idVantraInelastic, 2);
    ASSERT_EQ(r.idVantraInelastic, 1);
    (void)s;

    Rec ela = sectionHeader(439, "XecWallElaC-Wall", 1, 11);
    ela.u8(89, 1).f32(103, 0.3).f32(119, 0.25).f32(123, 2.5e7).f32(127, 0.25).f32(131, 0.2);
    ela.i16(187, 4).i16(219, c.idVantraElasticFiber);
    EXPECT_TRUE(RecordIs(f.m.ElasticWallSectionTable, 1, ela));
    EXPECT_EQ(wall.idVantraXSectWallEla, 1);

    // Six concrete fibres across the wall, then two bars of the first rebar material.
    Rec ine = sectionHeader(455, "Notused-XSecWallCIne-Wall", 1, 10);
    ine.u8(89, 1).u8(90, 8).i16(95, 2).i16(97, 6).i16(103, 1);
    ine.f32(111, 0.4).f32(115, 0.3).f32(123, 0.3).f32(155, 0.25).f32(159, 2.5e7).f32(163, 0.25).f32(167, 0.2);
    const double pos[8] = {-5.0 / 12, -3.0 / 12, -1.0 / 12, 1.0 / 12, 3.0 / 12, 5.0 / 12, -0.25, 0.25};
    for (std::size_t k = 0; k < 8; ++k) {
        const bool concrete = k < 6;
        ine.u8(171 + k, 4).u8(187 + k, 1);
        ine.i16(203 + 2 * k, concrete ? 1 : 0).i16(235 + 2 * k, concrete ? 2 : 1);
        ine.f32(267 + 4 * k, concrete ? -0.05 : -(0.4 * 0.3 / 200.0));
        ine.f32(331 + 4 * k, pos[k]);
    }
    EXPECT_TRUE(RecordIs(f.m.InelasticWallSectionTable, 1, ine));
    EXPECT_EQ(wall.idVantraXSectWallIne, 1);

    Rec slab = sectionHeader(274, "XecElaSlabC-Wall", 1, 8);
    slab.f32(102, 0.3).f32(106, 0.25).f32(122, 0.3).f32(126, 24);
    slab.u8(262, 4).u8(263, 4).i16(264, 6).i16(266, c.idVantraElasticSlab);
    slab.u8(268, 4).u8(269, 4).i16(270, 6).i16(272, c.idVantraElasticSlab);
    EXPECT_TRUE(RecordIs(f.m.SlabSectionTable, 1, slab));
    EXPECT_EQ(f.m.SlabSectionCount2, 1);
    EXPECT_EQ(wall.idVantraXSectSlabEla, 1);
}

TEST(ComponentsSections, LayeredWallsByTypeAndTheBarMaterialWithoutRebar) {
    FillFixture f;
    f.steel("S1");
    auto& s2 = f.steel("S2");
    auto& c = f.concrete("C");
    auto& v = layeredShell(f, "V", 1, &c);
    auto& h = layeredShell(f, "H", 2, &c);
    auto& hv = layeredShell(f, "HV", 3, &c);
    layeredShell(f, "Plain", 0, nullptr);
    thinShell(f, "SteelPlate", &s2, 0.02, 0.02);
    FillVantraMaterials(f.ctx);
    FillVantraCrossSections(f.ctx);

    // Elastic walls: the steel thin shell, then the general wall of type 2.
    ASSERT_EQ(f.m.ElasticWallSectionTable.count(), 2);
    EXPECT_EQ(NameOf(f.m.ElasticWallSectionTable, 1), "XecWallElaS-SteelPlate");
    EXPECT_EQ(NameOf(f.m.ElasticWallSectionTable, 2), "XecGWallElaH-H");
    EXPECT_EQ(f.m.ElasticWallSectionTable.rowBytes(2)[86], 13);
    EXPECT_EQ(f.m.ElasticWallSectionTable.rec(2).getF32(103), 0.2f);
    EXPECT_EQ(f.m.ElasticWallSectionTable.rec(2).getF32(119), 0.18f);
    EXPECT_EQ(h.idVantraXSectGWallEla, 2);

    // Fibre walls: vertical bars of type 1 first, then the general walls, whose type-3
    // section has both directions.
    ASSERT_EQ(f.m.InelasticWallSectionTable.count(), 4);
    EXPECT_EQ(NameOf(f.m.InelasticWallSectionTable, 1), "XecWallCIneV-V");
    EXPECT_EQ(NameOf(f.m.InelasticWallSectionTable, 2), "XecGWallCIneH-H");
    EXPECT_EQ(NameOf(f.m.InelasticWallSectionTable, 3), "XecGWallCIneH-HV");
    EXPECT_EQ(NameOf(f.m.InelasticWallSectionTable, 4), "XecGWallCIneV-HV");
    auto ratio = [&](int id) { return f.m.InelasticWallSectionTable.rec(id).getF32(111); };
    EXPECT_FLOAT_EQ(ratio(1), 1.0f);  // 0.002 / 0.2 x 100
    EXPECT_FLOAT_EQ(ratio(2), 0.5f);
    EXPECT_FLOAT_EQ(ratio(4), 1.0f);
    EXPECT_EQ(f.m.InelasticWallSectionTable.rowBytes(2)[86], 12);
    // Without rebar the bars are the last steel material's elastic fibre component.
    EXPECT_EQ(f.m.InelasticWallSectionTable.rec(1).getI16(249), s2.idVantraElasticFiber);
    EXPECT_EQ(v.idVantraXSectWallIne, 1);
    EXPECT_EQ(hv.idVantraXSectGWallIneH, 3);
    EXPECT_EQ(hv.idVantraXSectGWallIneV, 4);
    EXPECT_EQ(f.m.SlabSectionTable.count(), 1);
}

}  // namespace
}  // namespace t2v::test
