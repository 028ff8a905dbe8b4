// Cross-section components: frame sections as beam and column sections, embedded
// beams, and shell sections as elastic and inelastic wall sections and slab sections.
//
// Common header of every cross-section record:
//   off  width  meaning
//     0  40     name
//    40  i16    component number (the record's own position)
//    42  20     blank text
//    62  24     blank text
//    86  u8     0 for frame sections, the section type for walls, 8 for slabs
//    87  u8     length unit code
//    88  u8     force unit code
#include <string>

#include "common/Text.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using source::TarvoPropAreaSectObj;
using source::TarvoPropFrameSectObj;
using source::TarvoPropMaterialObj;

constexpr int kSteel = 1;
constexpr int kConcrete = 2;
constexpr int kRebar = 6;
constexpr int kShapeI = 1;
constexpr int kShapeRectangle = 8;
constexpr int kShellSection = 1;
constexpr int kThinShell = 1;
constexpr int kLayeredShell = 6;

// Section type codes of the target.
enum SectionType : int {
    kBeamConcrete = 3,
    kBeamSteel = 4,
    kColumnConcrete = 6,
    kColumnSteel = 7,
    kSlabElastic = 8,
    kWallInelastic = 10,
    kWallElastic = 11,
    kGeneralWallInelastic = 12,
    kGeneralWallElastic = 13,
};
// Shape codes of frame sections.
enum Shape : int { kShapeNone = 0, kShapeIBeam = 1, kShapeRect = 2 };

namespace hdr {
constexpr std::size_t kName = 0, kNumber = 40, kText20 = 42, kText24 = 62, kByte86 = 86, kLengthUnit = 87,
                      kForceUnit = 88;
}

void setHeader(RecordView r, const VantraModel& m, const std::string& name, int number, int byte86) {
    r.text(hdr::kName, 40, name);
    r.i16(hdr::kNumber, number);
    r.text(hdr::kText20, 20, "");
    r.text(hdr::kText24, 24, "");
    r.u8(hdr::kByte86, byte86);
    r.u8(hdr::kLengthUnit, m.LengthUnit);
    r.u8(hdr::kForceUnit, m.ForceUnit);
}

// Frame section (beam 424 bytes, column 687 bytes):
//   field                      beam   column
//   section type (u8)            89      89
//   shape (u8)                   90      90
//   0 (u8)                       91      91
//   A, J, I22, I33, As2, As3   104..   103..   f32 each, 4 apart
//   two modifiers 1.0          128     127     f32, 4 apart
//   E, Nu, G                   144     151     f32, 4 apart
//   t2, t3, tf, tw             156     163     f32, 4 apart
//   component number (i16)     400     663
struct FrameSectionLayout {
    std::size_t properties, modifiers, elastic, dimensions, numberAgain;
};
constexpr std::size_t kSectType = 89, kShape = 90, kByte91 = 91;
constexpr FrameSectionLayout kBeamLayout{104, 128, 144, 156, 400};
constexpr FrameSectionLayout kColumnLayout{103, 127, 151, 163, 663};

struct FrameSectionValues {
    int sectionType, shape;
    double A, J, I22, I33, As2, As3, E, Nu, G, t2, t3, tf, tw;
};

void SetVantraFrameSection(RecordView r, const VantraModel& m, const FrameSectionLayout& l, int n,
                           const std::string& name, const FrameSectionValues& v) {
    setHeader(r, m, name, n, 0);
    r.u8(kSectType, v.sectionType);
    r.u8(kShape, v.shape);
    r.u8(kByte91, 0);
    const double props[6] = {v.A, v.J, v.I22, v.I33, v.As2, v.As3};
    for (std::size_t k = 0; k < 6; ++k) r.f32(l.properties + 4 * k, props[k]);
    r.f32(l.modifiers, 1.0);
    r.f32(l.modifiers + 4, 1.0);
    r.f32(l.elastic, v.E);
    r.f32(l.elastic + 4, v.Nu);
    r.f32(l.elastic + 8, v.G);
    const double dims[4] = {v.t2, v.t3, v.tf, v.tw};
    for (std::size_t k = 0; k < 4; ++k) r.f32(l.dimensions + 4 * k, dims[k]);
    r.i16(l.numberAgain, n);
}

FrameSectionValues frameValues(const TarvoPropFrameSectObj& s, const TarvoPropMaterialObj& mat, int type, int shape) {
    return {type,  shape,   s.area,  s.TorsionConst, s.I22, s.I33, s.As2, s.As3,
            mat.E(), mat.Nu(), mat.G(), s.t2,          s.t3,  s.tf,  s.tw};
}

int AddVantraBeamSection(VantraModel& m) {
    int id = m.BeamSectionTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.BeamSectionTable.capacity());
    return id;
}

int AddVantraColumnSection(VantraModel& m) {
    int id = m.ColumnSectionTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.ColumnSectionTable.capacity());
    return id;
}

// Elastic wall section (439 bytes):
//    86  u8   section type (11 shear wall, 13 general wall)
//    89  u8   1
//    90  u8   0
//    95  i16  0
//   103  f32  thickness
//   119  f32  bending thickness
//   123  f32  E
//   127  f32  bending thickness
//   131  f32  Nu
//   187  i16  4
//   219  i16  material component
namespace ewall {
constexpr std::size_t kByte89 = 89, kByte90 = 90, kWord95 = 95, kThick = 103, kBend1 = 119, kE = 123, kBend2 = 127,
                      kNu = 131, kWord187 = 187, kMaterial = 219;
}

int AddVantraElasticWallSection(VantraModel& m) {
    int id = m.ElasticWallSectionTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.ElasticWallSectionTable.count());
    return id;
}

void SetVantraElasticWallSection(VantraModel& m, int n, const std::string& name, int sectionType, int material,
                                 double thick, double bending, double E, double Nu) {
    RecordView r = m.ElasticWallSectionTable.rec(n);
    setHeader(r, m, name, n, sectionType);
    r.u8(ewall::kByte89, 1);
    r.u8(ewall::kByte90, 0);
    r.i16(ewall::kWord95, 0);
    r.f32(ewall::kThick, thick);
    r.f32(ewall::kBend1, bending);
    r.f32(ewall::kE, E);
    r.f32(ewall::kBend2, bending);
    r.f32(ewall::kNu, Nu);
    r.i16(ewall::kWord187, 4);
    r.i16(ewall::kMaterial, material);
}

// Inelastic (fibre) wall section (455 bytes, companion 86 left zero):
//    86  u8   section type (10 shear wall, 12 general wall)
//    89  u8   1
//    90  u8   fibre count (8)
//    91  u8   0
//    92  u8   0
//    95  i16  steel fibre count (2)
//    97  i16  concrete fibre count (6)
//    99  i16  0
//   101  i16  0
//   103  i16  component number
//   111  f32  steel ratio in percent
//   115  f32  0.3
//   119  f32  0
//   123  f32  thickness
//   127  f32  0
//   131  f32  0
//   155  f32  bending thickness
//   159  f32  E
//   163  f32  bending thickness
//   167  f32  Nu
//   fibre arrays, 16 places each:
//   171  u8  x16  kind (4)
//   187  u8  x16  flag (1)
//   203  i16 x16  1 concrete, 0 steel
//   235  i16 x16  material component
//   267  f32 x16  area share (negative: thickness per fibre)
//   331  f32 x16  position across the wall, a fraction of its length
namespace iwall {
constexpr std::size_t kByte89 = 89, kFiberCount = 90, kByte91 = 91, kByte92 = 92, kSteelCount = 95,
                      kConcreteCount = 97, kWord99 = 99, kWord101 = 101, kNumberAgain = 103, kRatio = 111,
                      kF115 = 115, kF119 = 119, kThick = 123, kF127 = 127, kF131 = 131, kBend1 = 155, kE = 159,
                      kBend2 = 163, kNu = 167;
constexpr std::size_t kFiberKind = 171, kFiberFlag = 187, kFiberWord = 203, kFiberMaterial = 235,
                      kFiberArea = 267, kFiberPosition = 331;
constexpr int kMaxFibers = 16;
constexpr int kConcreteFibers = 6, kSteelFibers = 2;
}  // namespace iwall

int AddVantraInelasticWallSection(VantraModel& m) {
    int id = m.InelasticWallSectionTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.InelasticWallSectionTable.count());
    return id;
}

void SetVantraWallFibers(RecordView r, int concreteFibers, int steelFibers, int concreteMaterial, int steelMaterial,
                         double thick, double ratioPercent) {
    if (concreteFibers < 1 || steelFibers < 1 || concreteFibers + steelFibers > iwall::kMaxFibers)
        throw std::logic_error("a wall section holds at most 16 fibres");
    const double c = concreteFibers, s = steelFibers;
    auto fiber = [&](int k, int word, int material, double area, double position) {
        const auto at = static_cast<std::size_t>(k - 1);
        r.u8(iwall::kFiberKind + at, 4);
        r.u8(iwall::kFiberFlag + at, 1);
        r.i16(iwall::kFiberWord + 2 * at, word);
        r.i16(iwall::kFiberMaterial + 2 * at, material);
        r.f32(iwall::kFiberArea + 4 * at, area);
        r.f32(iwall::kFiberPosition + 4 * at, position);
    };
    // Concrete fibres share the thickness evenly across the wall; the bars sit at the
    // centres of equal strips.
    for (int k = 1; k <= concreteFibers; ++k)
        fiber(k, 1, concreteMaterial, -(thick / c), -0.5 + 0.5 / c + (k - 1) / c);
    r.i16(iwall::kSteelCount, steelFibers);
    for (int k = concreteFibers + 1; k <= concreteFibers + steelFibers; ++k)
        fiber(k, 0, steelMaterial, -(ratioPercent * thick / (s * 100.0)), -0.5 + 0.5 / s + (k - concreteFibers - 1) / s);
}

void SetVantraInelasticWallSection(VantraModel& m, int n, const std::string& name, int sectionType,
                                   int concreteMaterial, int steelMaterial, double thick, double bending,
                                   double ratioPercent, double E, double Nu) {
    RecordView r = m.InelasticWallSectionTable.rec(n);
    setHeader(r, m, name, n, sectionType);
    r.u8(iwall::kByte89, 1);
    r.u8(iwall::kFiberCount, iwall::kConcreteFibers + iwall::kSteelFibers);
    r.u8(iwall::kByte91, 0);
    r.u8(iwall::kByte92, 0);
    r.i16(iwall::kSteelCount, iwall::kSteelFibers);
    r.i16(iwall::kConcreteCount, iwall::kConcreteFibers);
    r.i16(iwall::kWord99, 0);
    r.i16(iwall::kWord101, 0);
    r.i16(iwall::kNumberAgain, n);
    r.f32(iwall::kRatio, ratioPercent);
    r.f32(iwall::kF115, 0.3);
    r.f32(iwall::kF119, 0.0);
    r.f32(iwall::kThick, thick);
    r.f32(iwall::kF127, 0.0);
    r.f32(iwall::kF131, 0.0);
    r.f32(iwall::kBend1, bending);
    r.f32(iwall::kE, E);
    r.f32(iwall::kBend2, bending);
    r.f32(iwall::kNu, Nu);
    SetVantraWallFibers(r, iwall::kConcreteFibers, iwall::kSteelFibers, concreteMaterial, steelMaterial, thick,
                        ratioPercent);
}

// Slab section (274 bytes):
//    86  u8   8
//    89  u8   0
//    92  i16  0
//    94  i16  0
//   102  f32  thickness
//   106  f32  bending thickness
//   122  f32  thickness
//   126  f32  unit weight
//   262, 263  u8   4, 4
//   264  i16  6
//   266  i16  material component
//   268, 269  u8   4, 4
//   270  i16  6
//   272  i16  material component
namespace slab {
constexpr std::size_t kByte89 = 89, kWord92 = 92, kWord94 = 94, kThick1 = 102, kBend = 106, kThick2 = 122,
                      kUnitWeight = 126;
constexpr std::size_t kMaterialBlocks[2] = {262, 268};  // u8 4, u8 4, i16 6, i16 material
}  // namespace slab

int AddVantraSlabSection(VantraModel& m) {
    int id = m.SlabSectionTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.SlabSectionTable.count());
    m.SlabSectionCount2 = m.SlabSectionTable.count();
    return id;
}

void SetVantraSlabSection(VantraModel& m, int n, const std::string& name, int material, double thick,
                          double bending, double unitWeight) {
    RecordView r = m.SlabSectionTable.rec(n);
    setHeader(r, m, name, n, kSlabElastic);
    r.u8(slab::kByte89, 0);
    r.i16(slab::kWord92, 0);
    r.i16(slab::kWord94, 0);
    r.f32(slab::kThick1, thick);
    r.f32(slab::kBend, bending);
    r.f32(slab::kThick2, thick);
    r.f32(slab::kUnitWeight, unitWeight);
    for (std::size_t at : slab::kMaterialBlocks) {
        r.u8(at, 4);
        r.u8(at + 1, 4);
        r.i16(at + 2, 6);
        r.i16(at + 4, material);
    }
}

bool isMaterial(const TarvoPropMaterialObj* mat, int type) { return mat && mat->MatType == type; }

}  // namespace

void FillVantraCrossSections(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;
    const int frameNum = src.PropFrameSectNum();
    const int areaNum = src.PropAreaSectNum();

    // Every steel and concrete frame section is exported both as a beam and as a
    // column; which one an element uses is decided by its frame's orientation. A
    // section without a material read (an aluminium section, say) gets neither.
    m.BeamSectionTable.reset(0, m.BeamSectionTable.capacity());
    for (int i = 1; i <= frameNum; ++i) {
        TarvoPropFrameSectObj& s = src.PropFrameSectObj(i);
        if (!isMaterial(s.PropMatObj, kSteel)) continue;
        int n = AddVantraBeamSection(m);
        SetVantraFrameSection(m.BeamSectionTable.rec(n), m, kBeamLayout, n, MakeVantraName("XecBmS-", s.Label, i),
                              frameValues(s, *s.PropMatObj, kBeamSteel, s.PropType == kShapeI ? kShapeIBeam : kShapeNone));
        s.idVantraXsectSteelBeam = n;
    }
    for (int i = 1; i <= frameNum; ++i) {
        TarvoPropFrameSectObj& s = src.PropFrameSectObj(i);
        if (!isMaterial(s.PropMatObj, kConcrete)) continue;
        int n = AddVantraBeamSection(m);
        SetVantraFrameSection(m.BeamSectionTable.rec(n), m, kBeamLayout, n, MakeVantraName("XecBmC-", s.Label, i),
                              frameValues(s, *s.PropMatObj, kBeamConcrete,
                                          s.PropType == kShapeRectangle ? kShapeRect : kShapeNone));
        s.idVantraXsectConcBeam = n;
    }
    for (int j = 1; j <= src.PropEmbedFrameSectNum(); ++j) {
        TarvoPropFrameSectObj& s = src.PropEmbedFrameSectObj(j);
        if (!s.PropMatObj) continue;
        int n = AddVantraBeamSection(m);
        SetVantraFrameSection(m.BeamSectionTable.rec(n), m, kBeamLayout, n, "XecEmbed-" + std::to_string(j),
                              frameValues(s, *s.PropMatObj, kBeamConcrete, kShapeRect));
        s.idVantraXsectEmbedBeam = n;
    }

    m.ColumnSectionTable.reset(0, m.ColumnSectionTable.capacity());
    for (int i = 1; i <= frameNum; ++i) {
        TarvoPropFrameSectObj& s = src.PropFrameSectObj(i);
        if (!isMaterial(s.PropMatObj, kSteel)) continue;
        int n = AddVantraColumnSection(m);
        SetVantraFrameSection(m.ColumnSectionTable.rec(n), m, kColumnLayout, n, MakeVantraName("XecColS-", s.Label, i),
                              frameValues(s, *s.PropMatObj, kColumnSteel, s.PropType == kShapeI ? kShapeIBeam : kShapeNone));
        s.idVantraXsectSteelCol = n;
    }
    for (int i = 1; i <= frameNum; ++i) {
        TarvoPropFrameSectObj& s = src.PropFrameSectObj(i);
        if (!isMaterial(s.PropMatObj, kConcrete)) continue;
        int n = AddVantraColumnSection(m);
        SetVantraFrameSection(m.ColumnSectionTable.rec(n), m, kColumnLayout, n, MakeVantraName("XecColC-", s.Label, i),
                              frameValues(s, *s.PropMatObj, kColumnConcrete,
                                          s.PropType == kShapeRectangle ? kShapeRect : kShapeNone));
        s.idVantraXsectConcCol = n;
    }

    // Elastic wall sections: thin shells, then layered general walls.
    m.ElasticWallSectionTable.reset(0, m.ElasticWallSectionTable.capacity());
    for (int i = 1; i <= areaNum; ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (!s.PropMatObj || s.PropType != kShellSection || s.ShellType != kThinShell) continue;
        const TarvoPropMaterialObj& mat = *s.PropMatObj;
        const char* prefix = mat.MatType == kConcrete ? "XecWallElaC-" : mat.MatType == kSteel ? "XecWallElaS-" : nullptr;
        if (!prefix) continue;
        int n = AddVantraElasticWallSection(m);
        SetVantraElasticWallSection(m, n, MakeVantraName(prefix, s.Label, i), kWallElastic, mat.idVantraElasticFiber,
                                    s.Thick, s.Bending, mat.E(), mat.Nu());
        s.idVantraXSectWallEla = n;
    }
    for (int i = 1; i <= areaNum; ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (s.PropType != kShellSection || s.ShellType != kLayeredShell || s.LayerVantraType != 2 ||
            !s.LayerPropMatConcObj)
            continue;
        const TarvoPropMaterialObj& mat = *s.LayerPropMatConcObj;
        int n = AddVantraElasticWallSection(m);
        SetVantraElasticWallSection(m, n, MakeVantraName("XecGWallElaH-", s.Label, i), kGeneralWallElastic,
                                    mat.idVantraElasticFiber, s.LayerVantraThick, s.LayerVantraThickBend, mat.E(),
                                    mat.Nu());
        s.idVantraXSectGWallEla = n;
    }

    // The bars of fibre walls: the first rebar material, else the last steel one.
    const TarvoPropMaterialObj* firstRebar = nullptr;
    const TarvoPropMaterialObj* lastSteel = nullptr;
    for (int i = 1; i <= src.PropMatNum(); ++i) {
        const TarvoPropMaterialObj& mat = src.PropMatObj(i);
        if (mat.MatType == kRebar && !firstRebar) firstRebar = &mat;
        if (mat.MatType == kSteel) lastSteel = &mat;
    }
    const int steelMaterial = firstRebar  ? firstRebar->idVantraInelastic
                              : lastSteel ? lastSteel->idVantraElasticFiber
                                          : 0;

    // Inelastic wall sections: shear walls, then general walls.
    m.InelasticWallSectionTable.reset(0, m.InelasticWallSectionTable.capacity());
    for (int i = 1; i <= areaNum; ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (s.PropType != kShellSection) continue;
        if (s.ShellType == kThinShell && isMaterial(s.PropMatObj, kConcrete)) {
            const TarvoPropMaterialObj& mat = *s.PropMatObj;
            int n = AddVantraInelasticWallSection(m);
            SetVantraInelasticWallSection(m, n, MakeVantraName("Notused-XSecWallCIne-", s.Label, i), kWallInelastic,
                                          mat.idVantraInelastic, steelMaterial, s.Thick, s.Bending, 0.4, mat.E(),
                                          mat.Nu());
            s.idVantraXSectWallIne = n;
        } else if (s.ShellType == kLayeredShell && s.LayerVantraType == 1 && s.LayerPropMatConcObj) {
            const TarvoPropMaterialObj& mat = *s.LayerPropMatConcObj;
            int n = AddVantraInelasticWallSection(m);
            SetVantraInelasticWallSection(m, n, MakeVantraName("XecWallCIneV-", s.Label, i), kWallInelastic,
                                          mat.idVantraInelastic, steelMaterial, s.LayerVantraThick,
                                          s.LayerVantraThickBend, s.LayerVantraThickRebarV / s.LayerVantraThick * 100.0,
                                          mat.E(), mat.Nu());
            s.idVantraXSectWallIne = n;
        }
    }
    for (int i = 1; i <= areaNum; ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (s.PropType != kShellSection || s.ShellType != kLayeredShell || !s.LayerPropMatConcObj) continue;
        const TarvoPropMaterialObj& mat = *s.LayerPropMatConcObj;
        if (s.LayerVantraType == 2 || s.LayerVantraType == 3) {
            int n = AddVantraInelasticWallSection(m);
            SetVantraInelasticWallSection(m, n, MakeVantraName("XecGWallCIneH-", s.Label, i), kGeneralWallInelastic,
                                          mat.idVantraInelastic, steelMaterial, s.LayerVantraThick,
                                          s.LayerVantraThickBend, s.LayerVantraThickRebarH / s.LayerVantraThick * 100.0,
                                          mat.E(), mat.Nu());
            s.idVantraXSectGWallIneH = n;
        }
        if (s.LayerVantraType == 3) {
            int n = AddVantraInelasticWallSection(m);
            SetVantraInelasticWallSection(m, n, MakeVantraName("XecGWallCIneV-", s.Label, i), kGeneralWallInelastic,
                                          mat.idVantraInelastic, steelMaterial, s.LayerVantraThick,
                                          s.LayerVantraThickBend, s.LayerVantraThickRebarV / s.LayerVantraThick * 100.0,
                                          mat.E(), mat.Nu());
            s.idVantraXSectGWallIneV = n;
        }
    }

    // Elastic slab sections (the table starts from the store's empty state).
    for (int i = 1; i <= areaNum; ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (!s.PropMatObj || s.PropType != kShellSection || s.ShellType != kThinShell) continue;
        const TarvoPropMaterialObj& mat = *s.PropMatObj;
        const char* prefix = mat.MatType == kConcrete ? "XecElaSlabC-" : mat.MatType == kSteel ? "XecElaSlabS-" : nullptr;
        if (!prefix) continue;
        int n = AddVantraSlabSection(m);
        SetVantraSlabSection(m, n, MakeVantraName(prefix, s.Label, i), mat.idVantraElasticSlab, s.Thick, s.Bending,
                             mat.UnitWeight);
        s.idVantraXSectSlabEla = n;
    }
}

}  // namespace t2v::target
