// Elements and element groups: numbering with head elements, the groups' codes, the
// compound each member refers to, nodes, angles and back-references.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ByteBuilder.h"
#include "support/RecordingPlatform.h"
#include "source/elements_host.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using source::TarvoAreaObj;
using source::TarvoFrameObj;
using source::TarvoFrameReleaseObj;
using source::TarvoPropAreaSectObj;
using source::TarvoPropFrameSectObj;
using source::TarvoPropMaterialObj;

constexpr int kConcrete = 1, kSteel = 2;
constexpr int kColumn = 1, kBeam = 2, kBrace = 3;

struct Elem {
    int group, zero, n1, n2, n3, n4, next, constant, c1, c2, c3, c4, compound;
    float angle;
};

class ElementsTest : public ::testing::Test {
protected:
    test::AreaTestHost host;
    platform::RecordingPlatform platform;
    source::TarvoModelObj src{host, platform, Units{}, source::RecordsLocation{}};
    VantraModel m;
    FillContext c{src, m, host, platform};

    TarvoPropMaterialObj* conc;
    TarvoPropMaterialObj* steel;
    TarvoPropFrameSectObj* cs;  // concrete frame section with every compound number set
    TarvoPropFrameSectObj* ss;  // steel frame section

    ElementsTest() {
        InitVantraModel(m);
        for (int i = 1; i <= 12; ++i) src.AddNode("n" + std::to_string(i));
        conc = &src.AddPropMat("C30");
        conc->MatType = 2;
        conc->UnitWeight = 25;
        steel = &src.AddPropMat("S355");
        steel->MatType = 1;
        steel->UnitWeight = 77;

        cs = &src.AddPropFrameSect("RC");
        cs->PropMatObj = conc;
        cs->area = 0.2;
        cs->idVantraCompoundConcCol = 11;
        cs->idVantraCompoundFemaConcCol = 12;
        cs->idVantraCompoundConcBeam = 13;
        cs->idVantraCompoundFemaConcBeam = 14;
        cs->idVantraXsectConcCol = 3;
        ss = &src.AddPropFrameSect("IPE");
        ss->PropMatObj = steel;
        ss->area = 0.01;
        ss->idVantraCompoundSteelCol = 21;
        ss->idVantraCompoundFemaSteelCol = 22;
        ss->idVantraCompoundSteelBeam = 23;
        ss->idVantraCompoundFemaSteelBeam = 24;
        ss->idVantraXsectSteelCol = 5;
    }

    TarvoFrameObj& frame(const std::string& label, TarvoPropFrameSectObj* s, int mat, int type, int ni = 2, int nj = 3,
                         double angle = 0) {
        TarvoFrameObj& f = src.AddFrame(label);
        f.PropFrameSectObj = s;
        f.VantraMatType = mat;
        f.VantraFrameType = type;
        f.NodeI = ni;
        f.NodeJ = nj;
        f.Angle = angle;
        return f;
    }

    TarvoPropAreaSectObj& shell(const std::string& label, TarvoPropMaterialObj* mat, int shellType, int layerType = 0) {
        TarvoPropAreaSectObj& s = src.AddPropAreaSect(label);
        s.PropType = 1;
        s.ShellType = shellType;
        s.PropMatObj = mat;
        s.LayerVantraType = layerType;
        if (layerType >= 1) s.LayerPropMatConcObj = conc;
        s.idVantraCompoundWall = 31;
        s.idVantraCompoundGWall = 32;
        s.idVantraXSectSlabEla = 33;
        return s;
    }

    TarvoAreaObj& areaOf(const std::string& label, TarvoPropAreaSectObj& s, int orientation,
                         std::vector<std::int32_t> nodes = {2, 3, 4, 5}) {
        TarvoAreaObj& a = src.AddArea(label);
        a.RedimJoint(4);
        a.idNodes = std::move(nodes);
        a.PropAreaSectObj = &s;
        a.PropAreaSectName = s.Label;
        a.Orientation = orientation;
        return a;
    }

    Elem elem(std::int32_t e) {
        RecordView r = m.ElementTable.rec(e);
        return Elem{r.getI16(0), r.getI32(2), r.getI32(6), r.getI32(10), r.getI32(14), r.getI32(18), r.getI32(22),
                    r.getU8(26), r.getU8(28), r.getU8(29), r.getU8(30),  r.getU8(31),  r.getI16(42), r.getF32(64)};
    }
    std::string groupName(std::int32_t g) {
        RecordView r = m.ElementGroupTable.rec(g);
        return std::string(reinterpret_cast<const char*>(r.data()), 40);
    }
    std::string trimmedGroupName(std::int32_t g) {
        std::string s = groupName(g);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
    std::int32_t first(std::int32_t g) { return m.ElementGroupTable.rec(g).getI32(44); }
    std::int32_t last(std::int32_t g) { return m.ElementGroupTable.rec(g).getI32(48); }
    int compoundOf(const TarvoFrameObj& f) { return elem(f.idVantraElem).compound; }
};

TEST_F(ElementsTest, TwoConcreteColumnsMakeOneGroupWithAHeadElement) {
    TarvoFrameObj& a = frame("C1", cs, kConcrete, kColumn, 2, 3, 30.0);
    TarvoFrameObj& b = frame("C2", cs, kConcrete, kColumn, 4, 5);
    FillVantraElements(c);

    ASSERT_EQ(m.ElementGroupTable.count(), 1);
    EXPECT_EQ(m.ElementGroupLast, 1);
    ASSERT_EQ(m.ElementTable.count(), 3);
    EXPECT_EQ(m.ElementLast, 3);
    EXPECT_EQ(m.ElementTable.capacity(), 12);  // the second element passed the first capacity

    // The group record, byte for byte.
    const auto g = test::Rec(76).text(0, "ElemConcCol", 40).i16(40, 3).i32(44, 1).i32(48, 3).f32(60, 1.0);
    EXPECT_EQ(std::vector<std::uint8_t>(m.ElementGroupTable.rowBytes(1), m.ElementGroupTable.rowBytes(1) + 76),
              g.data());

    // The head element only points at the first member.
    const auto head = test::Rec(92).i32(22, 2).u8(26, 6);
    EXPECT_EQ(std::vector<std::uint8_t>(m.ElementTable.rowBytes(1), m.ElementTable.rowBytes(1) + 92), head.data());

    // The first member, byte for byte.
    const auto e = test::Rec(92)
                       .i16(0, 1)
                       .i32(6, 2)
                       .i32(10, 3)
                       .i32(22, 3)
                       .u8(26, 6)
                       .u8(28, 6)
                       .u8(29, 2)
                       .u8(30, 5)
                       .u8(31, 5)
                       .i16(42, 11)
                       .f32(64, 30.0);
    EXPECT_EQ(std::vector<std::uint8_t>(m.ElementTable.rowBytes(2), m.ElementTable.rowBytes(2) + 92), e.data());

    EXPECT_EQ(elem(3).next, 0);
    EXPECT_EQ(elem(3).n1, 4);
    EXPECT_EQ(a.idVantraElem, 2);
    EXPECT_EQ(b.idVantraElem, 3);
    EXPECT_EQ(a.idVantraElemGroup, 1);
    EXPECT_EQ(b.idVantraElemGroup, 1);
}

TEST_F(ElementsTest, GroupsFollowTheirFixedOrderAndNumberOnAcrossGroups) {
    TarvoFrameObj& beam = frame("B1", ss, kSteel, kBeam);
    TarvoFrameObj& other = frame("X", cs, 3, kColumn);  // neither steel nor concrete
    TarvoFrameObj& col = frame("C1", cs, kConcrete, kColumn);
    TarvoFrameObj& brace1 = frame("D1", cs, kConcrete, kBrace);
    TarvoFrameObj& brace2 = frame("D2", cs, kConcrete, kBrace);
    TarvoAreaObj& slab = areaOf("S1", shell("Slab", conc, 1), 2);
    TarvoAreaObj& wall = areaOf("W1", shell("SteelShell", steel, 1), 1, {6, 7, 8, 9});
    TarvoAreaObj& none = areaOf("L0", shell("Unclassified", nullptr, 6, 0), 1);
    FillVantraElements(c);

    const char* names[] = {"ElemConcCol", "ElemConcBrace", "ElemSteelBeam", "ElemSteelWall", "ElemConcSlabRamp"};
    const int types[] = {3, 5, 2, 6, 12};
    const int firsts[] = {1, 3, 6, 8, 10};
    const int lasts[] = {2, 5, 7, 9, 11};
    ASSERT_EQ(m.ElementGroupTable.count(), 5);
    EXPECT_EQ(m.ElementGroupTable.capacity(), 12);
    for (int g = 1; g <= 5; ++g) {
        EXPECT_EQ(trimmedGroupName(g), names[g - 1]);
        EXPECT_EQ(m.ElementGroupTable.rec(g).getI16(40), types[g - 1]);
        EXPECT_EQ(first(g), firsts[g - 1]);
        EXPECT_EQ(last(g), lasts[g - 1]);
        EXPECT_EQ(elem(first(g)).group, 0);
        EXPECT_EQ(elem(first(g)).next, first(g) + 1);
        for (int e = first(g) + 1; e <= last(g); ++e) {
            EXPECT_EQ(elem(e).group, g);
            EXPECT_EQ(elem(e).next, e == last(g) ? 0 : e + 1);
        }
    }
    EXPECT_EQ(m.ElementTable.count(), 11);
    EXPECT_EQ(col.idVantraElem, 2);
    EXPECT_EQ(brace1.idVantraElem, 4);
    EXPECT_EQ(brace2.idVantraElem, 5);
    EXPECT_EQ(brace2.idVantraElemGroup, 2);
    EXPECT_EQ(beam.idVantraElem, 7);
    EXPECT_EQ(wall.idVantraElem, 9);
    EXPECT_EQ(wall.idVantraElemGroup, 4);
    EXPECT_EQ(slab.idVantraElem, 11);
    EXPECT_EQ(other.idVantraElem, 0);
    EXPECT_EQ(none.idVantraElem, 0);

    const Elem w = elem(9);
    EXPECT_EQ((std::vector<int>{w.n1, w.n2, w.n3, w.n4}), (std::vector<int>{6, 7, 8, 9}));
    EXPECT_EQ((std::vector<int>{w.c1, w.c2, w.c3, w.c4}), (std::vector<int>{6, 3, 1, 1}));
    EXPECT_EQ(w.compound, 31);
    EXPECT_EQ(w.angle, 0.0f);
    const Elem s = elem(11);
    EXPECT_EQ((std::vector<int>{s.c1, s.c2, s.c3, s.c4}), (std::vector<int>{3, 8, 1, 1}));
    EXPECT_EQ(s.compound, 33);  // slabs refer to the slab cross section
}

TEST_F(ElementsTest, EveryFrameGroupPicksReleasedHingedOrElasticCompounds) {
    TarvoFrameReleaseObj& rel = src.AddFrameRelease();
    rel.Release[5] = true;
    rel.idVantraXecElaRelease = 2;
    struct Case {
        TarvoPropFrameSectObj* s;
        int mat, type;
        int elastic, hinged;
    };
    const Case cases[] = {{cs, kConcrete, kColumn, 11, 12}, {cs, kConcrete, kBeam, 13, 14},
                          {cs, kConcrete, kBrace, 11, 12},  {ss, kSteel, kColumn, 21, 22},
                          {ss, kSteel, kBeam, 23, 24},      {ss, kSteel, kBrace, 21, 21}};
    std::vector<TarvoFrameObj*> el, hi, re, reHi;
    for (const Case& k : cases) {
        el.push_back(&frame("e", k.s, k.mat, k.type));
        TarvoFrameObj& h = frame("h", k.s, k.mat, k.type);
        h.HingeI = true;
        hi.push_back(&h);
        if (k.type == kBrace) continue;  // released braces have their own test
        TarvoFrameObj& r = frame("r", k.s, k.mat, k.type);
        r.ReleaseIObj = &rel;
        r.idCompdRelealse = 40 + k.type;
        re.push_back(&r);
        TarvoFrameObj& rh = frame("rh", k.s, k.mat, k.type);
        rh.ReleaseJObj = &rel;
        rh.HingeJ = true;
        rh.idCompdRelealse = 50 + k.type;
        reHi.push_back(&rh);
    }
    FillVantraElements(c);

    std::size_t r = 0;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(compoundOf(*el[i]), cases[i].elastic) << i;
        EXPECT_EQ(compoundOf(*hi[i]), cases[i].hinged) << i;
        if (cases[i].type == kBrace) continue;
        EXPECT_EQ(compoundOf(*re[r]), 40 + cases[i].type) << i;
        EXPECT_EQ(compoundOf(*reHi[r]), 50 + cases[i].type) << i;  // a release wins over a hinge
        ++r;
    }
    EXPECT_EQ(m.FrameCompoundTable.count(), 0);  // no released brace: nothing added
}

TEST_F(ElementsTest, ReleasedBracesReferToAReleaseCompoundInColumnForm) {
    // The compound step has made its compounds already, among them a column release
    // compound (3) of the concrete section for the pair (r1, r2), and a beam release
    // compound (4) of the steel section for the pair (r1, nothing).
    m.FrameCompoundTable.resizeTo(4);
    m.FrameCompoundTable.setCapacity(4);
    TarvoFrameReleaseObj& r1 = src.AddFrameRelease();
    r1.idVantraXecElaRelease = 2;
    TarvoFrameReleaseObj& r2 = src.AddFrameRelease();
    r2.idVantraXecElaRelease = 3;
    cs->AddRelease(&r1, &r2, 3, 1);
    ss->AddRelease(&r1, nullptr, 4, 0);

    TarvoFrameObj& a = frame("BrA", ss, kSteel, kBrace);
    a.ReleaseJObj = &r2;
    TarvoFrameObj& b = frame("BrB", ss, kSteel, kBrace);  // same section and releases: shared
    b.ReleaseJObj = &r2;
    b.HingeI = true;
    TarvoFrameObj& both = frame("BrC", ss, kSteel, kBrace);
    both.ReleaseIObj = &r1;
    both.ReleaseJObj = &r2;
    TarvoFrameObj& beamPair = frame("BrD", ss, kSteel, kBrace);  // the beam form is not taken
    beamPair.ReleaseIObj = &r1;
    TarvoFrameObj& rc = frame("BrE", cs, kConcrete, kBrace);
    rc.ReleaseIObj = &r1;
    TarvoFrameObj& columnPair = frame("BrF", cs, kConcrete, kBrace);  // a column's compound is shared
    columnPair.ReleaseIObj = &r1;
    columnPair.ReleaseJObj = &r2;
    FillVantraElements(c);

    ASSERT_EQ(m.FrameCompoundTable.count(), 8);
    EXPECT_EQ(m.FrameCompoundTable.capacity(), 15);
    EXPECT_GE(m.MaxComponentCapacity, 8);
    EXPECT_EQ(a.idCompdRelealse, 5);
    EXPECT_EQ(b.idCompdRelealse, 5);
    EXPECT_EQ(both.idCompdRelealse, 6);
    EXPECT_EQ(beamPair.idCompdRelealse, 7);
    EXPECT_EQ(rc.idCompdRelealse, 8);
    EXPECT_EQ(columnPair.idCompdRelealse, 3);
    for (const TarvoFrameObj* f : {&a, &b, &both, &beamPair, &rc, &columnPair})
        EXPECT_EQ(compoundOf(*f), f->idCompdRelealse) << f->Label;
    // New pairs are recorded on the section in column form.
    EXPECT_EQ(ss->GetIdxRelease(nullptr, &r2, 1), 1);
    EXPECT_EQ(ss->idVantraRelease[1], 5);

    // Member slot first (no I release), then the J release slot.
    RecordView k = m.FrameCompoundTable.rec(5);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(k.data()), 14), "CpdRelColS-IPE");
    EXPECT_EQ(k.getU8(14), ' ');
    EXPECT_EQ(k.getI16(40), 5);
    EXPECT_EQ(k.getU8(42), 2);
    EXPECT_EQ(k.getU8(43), m.ForceUnit);
    EXPECT_EQ(k.getU8(44), m.LengthUnit);
    EXPECT_EQ(k.getU8(45), 2);
    EXPECT_EQ((std::vector<int>{k.getU8(46), k.getU8(47), k.getU8(48)}), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ((std::vector<int>{k.getU8(66), k.getU8(79), k.getU8(92), k.getU8(105)}), (std::vector<int>{3, 3, 1, 0}));
    EXPECT_EQ(k.getI16(118), 7);
    EXPECT_EQ(k.getI16(144), 5);
    EXPECT_EQ(k.getF32(170), 1.0f);
    EXPECT_EQ(k.getF32(222), 1.0f);
    EXPECT_EQ((std::vector<int>{k.getU8(67), k.getU8(80), k.getU8(93), k.getU8(106)}), (std::vector<int>{2, 4, 12, 0}));
    EXPECT_EQ(k.getI16(120), 4);
    EXPECT_EQ(k.getI16(146), 3);
    EXPECT_EQ(k.getF32(174), 0.0f);
    EXPECT_EQ(k.getF32(226), 0.0f);
    EXPECT_EQ(k.getU8(68), 0);  // no third slot
    EXPECT_EQ(k.getI16(354), 5);
    EXPECT_FLOAT_EQ(k.getF32(362), 0.77f);

    RecordView k3 = m.FrameCompoundTable.rec(6);  // released at both ends: three slots
    EXPECT_EQ(k3.getU8(45), 3);
    EXPECT_EQ((std::vector<int>{k3.getU8(66), k3.getU8(67), k3.getU8(68)}), (std::vector<int>{2, 3, 2}));
    EXPECT_EQ((std::vector<int>{k3.getI16(144), k3.getI16(146), k3.getI16(148)}), (std::vector<int>{2, 5, 3}));

    RecordView kc = m.FrameCompoundTable.rec(8);  // concrete: the concrete column section
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(kc.data()), 13), "CpdRelColC-RC");
    EXPECT_EQ((std::vector<int>{kc.getU8(66), kc.getU8(67)}), (std::vector<int>{2, 3}));
    EXPECT_EQ(kc.getI16(120), 6);
    EXPECT_EQ(kc.getI16(146), 3);
    EXPECT_FLOAT_EQ(kc.getF32(362), 5.0f);
}

TEST_F(ElementsTest, ShellsGoToTheGroupOfTheirSectionAndOrientation) {
    TarvoAreaObj& ew = areaOf("EW", shell("ThinC", conc, 1), 1);
    TarvoAreaObj& lw = areaOf("LW", shell("Lay1", nullptr, 6, 1), 2);  // layered walls ignore orientation
    TarvoAreaObj& g2 = areaOf("G2", shell("Lay2", nullptr, 6, 2), 1);
    TarvoAreaObj& g3 = areaOf("G3", shell("Lay3", nullptr, 6, 3), 1);
    TarvoAreaObj& sw = areaOf("SW", shell("ThinS", steel, 1), 1);
    TarvoAreaObj& ss2 = areaOf("SS", *src.PropAreaSectObjGet("ThinS"), 2);
    TarvoAreaObj& sr = areaOf("SR", *src.PropAreaSectObjGet("ThinS"), 3);
    TarvoAreaObj& cr = areaOf("CR", *src.PropAreaSectObjGet("ThinC"), 3);
    TarvoAreaObj& none = areaOf("N", shell("Lay-1", nullptr, 6, -1), 1);
    FillVantraElements(c);

    struct Expect {
        const TarvoAreaObj* a;
        const char* group;
        int compound, c1, c2;
    };
    const Expect expected[] = {{&ew, "ElemConcEWall", 31, 6, 3}, {&lw, "ElemConcWall", 31, 6, 3},
                               {&g2, "ElemConcGWall", 32, 6, 4}, {&g3, "ElemConcGWall", 32, 6, 4},
                               {&sw, "ElemSteelWall", 31, 6, 3}, {&ss2, "ElemSteelSlab", 33, 3, 8},
                               {&sr, "ElemSteelSlab", 33, 3, 8}, {&cr, "ElemConcSlabRamp", 33, 3, 8}};
    for (const Expect& x : expected) {
        ASSERT_GT(x.a->idVantraElem, 0) << x.group;
        EXPECT_EQ(trimmedGroupName(x.a->idVantraElemGroup), x.group);
        const Elem e = elem(x.a->idVantraElem);
        EXPECT_EQ(e.compound, x.compound) << x.group;
        EXPECT_EQ(e.c1, x.c1);
        EXPECT_EQ(e.c2, x.c2);
        EXPECT_EQ((std::vector<int>{e.n1, e.n2, e.n3, e.n4}), (std::vector<int>{2, 3, 4, 5}));
    }
    EXPECT_EQ(m.ElementGroupTable.count(), 6);
    EXPECT_EQ(m.ElementGroupTable.rec(3).getI16(40), 11);  // general walls
    EXPECT_EQ(none.idVantraElem, 0);
}

TEST_F(ElementsTest, EmbeddedBeamsRunAlongTheWallEdgesInBothGroups) {
    TarvoPropFrameSectObj& emb = src.AddPropEmbedFrameSect();
    emb.idVantraCompoundEmbededBeam = 9;
    // A is a horizontal layered slab: a layered section carries embedded beams in any
    // orientation, and the slab itself is a wall element of its layered kind.
    TarvoAreaObj& a = areaOf("A", shell("Lay1", nullptr, 6, 1), 2, {2, 3, 4, 5});
    a.EmbedFrameObj = &emb;
    a.IsEmbed = {true, true, true, true};
    TarvoAreaObj& b = areaOf("B", shell("ThinC", conc, 1), 1, {6, 7, 8, 9});
    b.EmbedFrameObj = &emb;
    b.IsEmbed = {true, false, true, false};
    TarvoAreaObj& slab = areaOf("S", *src.PropAreaSectObjGet("ThinC"), 2, {10, 11, 12, 13});
    slab.EmbedFrameObj = &emb;  // a slab never carries embedded beams
    slab.IsEmbed = {true, true, true, true};
    TarvoAreaObj& noSect = areaOf("Q", *src.PropAreaSectObjGet("ThinC"), 1, {10, 11, 12, 13});
    noSect.IsEmbed = {true, true, true, true};  // no embedded section: no beams
    FillVantraElements(c);

    // Groups: ConcEWall (B, Q), ConcWall (A), ConcSlabRamp (S), EmbedBeamLR, EmbedBeamRL.
    ASSERT_EQ(m.ElementGroupTable.count(), 5);
    EXPECT_EQ(trimmedGroupName(4), "ElemEmbedBeamLR");
    EXPECT_EQ(trimmedGroupName(5), "ElemEmbedBeamRL");
    EXPECT_EQ(m.ElementGroupTable.rec(4).getI16(40), 2);

    auto beams = [&](int g) {
        std::vector<std::vector<int>> v;
        for (int e = first(g) + 1; e <= last(g); ++e) {
            const Elem x = elem(e);
            EXPECT_EQ(x.group, g);
            EXPECT_EQ(x.compound, 9);
            EXPECT_EQ((std::vector<int>{x.c1, x.c2, x.c3, x.c4, x.n3, x.n4}), (std::vector<int>{6, 2, 1, 1, 0, 0}));
            EXPECT_EQ(x.angle, 0.0f);
            v.push_back({x.n1, x.n2});
        }
        return v;
    };
    // Area by area, corners 1 and 3 from the neighbouring corner; then corners 2 and 4.
    EXPECT_EQ(beams(4), (std::vector<std::vector<int>>{{3, 2}, {5, 4}, {7, 6}, {9, 8}}));
    EXPECT_EQ(beams(5), (std::vector<std::vector<int>>{{2, 3}, {4, 5}}));

    // The areas keep their own wall elements.
    EXPECT_EQ(a.idVantraElemGroup, 2);
    EXPECT_EQ(a.idVantraElem, first(2) + 1);
    EXPECT_EQ(b.idVantraElemGroup, 1);
    EXPECT_EQ(b.idVantraElem, 2);
    EXPECT_EQ(m.ElementTable.count(), 3 + 2 + 2 + 5 + 3);
}

TEST_F(ElementsTest, ARepeatedFillStartsFromEmptyTables) {
    frame("C1", cs, kConcrete, kColumn);
    areaOf("EW", shell("ThinC", conc, 1), 1);
    FillVantraElements(c);
    const auto elements = m.ElementTable.bytes();
    const auto groups = m.ElementGroupTable.bytes();
    FillVantraElements(c);
    EXPECT_EQ(m.ElementTable.count(), 4);
    EXPECT_EQ(m.ElementGroupTable.count(), 2);
    EXPECT_EQ(m.ElementTable.bytes(), elements);
    EXPECT_EQ(m.ElementGroupTable.bytes(), groups);
}

}  // namespace
}  // namespace t2v::target
