// Cross-section components: frame sections as beam and column sections, embedded
// beams, and shell sections as elastic and inelastic wall sections and slab sections.
//
// Record layouts: target/CrossSectionLayout.h.
#include <cstdint>
#include <string>

#include "common/Text.h"
#include "target/CrossSectionLayout.h"
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

namespace hdr = layout::cross_section;
namespace frame = layout::frame_section;
namespace ewall = layout::elastic_wall_section;
namespace iwall = layout::inelastic_wall_section;
namespace slab = layout::slab_section;

void setHeader(RecordView r, const VantraModel& m, const std::string& name, int number, int sectionType) {
    r.text(hdr::kName, layout::kNameLength, name);
    r.i16(hdr::kNumber, number);
    r.text(hdr::kBlank20, hdr::kBlank20Length, "");
    r.text(hdr::kBlank24, hdr::kBlank24Length, "");
    r.u8(hdr::kHeaderSectionType, sectionType);
    r.u8(hdr::kLengthUnit, m.LengthUnit);
    r.u8(hdr::kForceUnit, m.ForceUnit);
}

struct FrameSectionValues {
    int sectionType, shape;
    double A, J, I22, I33, As2, As3, E, Nu, G, t2, t3, tf, tw;
};

void SetVantraFrameSection(RecordView r, const VantraModel& m, const frame::Form& l, int n, const std::string& name,
                           const FrameSectionValues& v) {
    setHeader(r, m, name, n, 0);
    r.u8(frame::kSectType, v.sectionType);
    r.u8(frame::kShape, v.shape);
    layout::writeFixed(r, frame::kFixedBytes);
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
    return {type,    shape,    s.area,  s.TorsionConst, s.I22, s.I33, s.As2, s.As3,
            mat.E(), mat.Nu(), mat.G(), s.t2,           s.t3,  s.tf,  s.tw};
}

int AddVantraBeamSection(VantraModel& m) {
    int id = m.addComponent(m.BeamSectionTable);
    return id;
}

int AddVantraColumnSection(VantraModel& m) {
    int id = m.addComponent(m.ColumnSectionTable);
    return id;
}

int AddVantraElasticWallSection(VantraModel& m) {
    int id = m.addComponent(m.ElasticWallSectionTable);
    return id;
}

void SetVantraElasticWallSection(VantraModel& m, int n, const std::string& name, int sectionType, int material,
                                 double thick, double bending, double E, double Nu) {
    RecordView r = m.ElasticWallSectionTable.rec(n);
    setHeader(r, m, name, n, sectionType);
    layout::writeFixed(r, ewall::kFixedBytes);
    layout::writeFixed(r, ewall::kFixedWords);
    r.f32(ewall::kThick, thick);
    r.f32(ewall::kBend1, bending);
    r.f32(ewall::kE, E);
    r.f32(ewall::kBend2, bending);
    r.f32(ewall::kNu, Nu);
    r.i16(ewall::kMaterial, material);
}

int AddVantraInelasticWallSection(VantraModel& m) {
    int id = m.addComponent(m.InelasticWallSectionTable);
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
        r.i16(iwall::kFiberIsConcrete + 2 * at, word);
        r.i16(iwall::kFiberMaterial + 2 * at, material);
        r.f32(iwall::kFiberArea + 4 * at, area);
        r.f32(iwall::kFiberPosition + 4 * at, position);
    };
    // Concrete fibres share the thickness evenly across the wall; the bars sit at the
    // centres of equal strips.
    for (int k = 1; k <= concreteFibers; ++k) fiber(k, 1, concreteMaterial, -(thick / c), -0.5 + 0.5 / c + (k - 1) / c);
    r.i16(iwall::kSteelCount, steelFibers);
    for (int k = concreteFibers + 1; k <= concreteFibers + steelFibers; ++k)
        fiber(k, 0, steelMaterial, -(ratioPercent * thick / (s * 100.0)),
              -0.5 + 0.5 / s + (k - concreteFibers - 1) / s);
}

void SetVantraInelasticWallSection(VantraModel& m, int n, const std::string& name, int sectionType,
                                   int concreteMaterial, int steelMaterial, double thick, double bending,
                                   double ratioPercent, double E, double Nu) {
    RecordView r = m.InelasticWallSectionTable.rec(n);
    setHeader(r, m, name, n, sectionType);
    layout::writeFixed(r, iwall::kFixedBytes);
    r.u8(iwall::kFiberCount, iwall::kConcreteFibers + iwall::kSteelFibers);
    r.i16(iwall::kSteelCount, iwall::kSteelFibers);
    r.i16(iwall::kConcreteCount, iwall::kConcreteFibers);
    layout::writeFixed(r, iwall::kFixedWords);
    r.i16(iwall::kNumberAgain, n);
    r.f32(iwall::kRatio, ratioPercent);
    layout::writeFixed(r, iwall::kFixedSingles);
    r.f32(iwall::kThick, thick);
    r.f32(iwall::kBend1, bending);
    r.f32(iwall::kE, E);
    r.f32(iwall::kBend2, bending);
    r.f32(iwall::kNu, Nu);
    SetVantraWallFibers(r, iwall::kConcreteFibers, iwall::kSteelFibers, concreteMaterial, steelMaterial, thick,
                        ratioPercent);
}

int AddVantraSlabSection(VantraModel& m) {
    int id = m.addComponent(m.SlabSectionTable);
    m.SlabSectionCount2 = m.SlabSectionTable.count();
    return id;
}

void SetVantraSlabSection(VantraModel& m, int n, const std::string& name, int material, double thick, double bending,
                          double unitWeight) {
    RecordView r = m.SlabSectionTable.rec(n);
    setHeader(r, m, name, n, kSlabElastic);
    layout::writeFixed(r, slab::kFixedBytes);
    layout::writeFixed(r, slab::kFixedWords);
    r.f32(slab::kThick1, thick);
    r.f32(slab::kBend, bending);
    r.f32(slab::kThick2, thick);
    r.f32(slab::kUnitWeight, unitWeight);
    for (std::size_t at : slab::kMaterials) r.i16(at, material);
}

bool isMaterial(const TarvoPropMaterialObj* mat, int type) { return mat && mat->MatType == type; }

// One pass over the frame sections of one material into the beam or the column table.
// A section keeps its shape only when the host gives it the shape the target knows for
// that material (I-sections of steel, rectangles of concrete).
struct FramePass {
    int material;
    const char* prefix;
    int sectionType;
    int shapedPropType;  // host shape that keeps its shape code
    int shape;
    std::int32_t TarvoPropFrameSectObj::*backRef;
};

using F = TarvoPropFrameSectObj;
constexpr FramePass kBeamPasses[] = {
    {kSteel, "XecBmS-", kBeamSteel, kShapeI, kShapeIBeam, &F::idVantraXsectSteelBeam},
    {kConcrete, "XecBmC-", kBeamConcrete, kShapeRectangle, kShapeRect, &F::idVantraXsectConcBeam},
};
constexpr FramePass kColumnPasses[] = {
    {kSteel, "XecColS-", kColumnSteel, kShapeI, kShapeIBeam, &F::idVantraXsectSteelCol},
    {kConcrete, "XecColC-", kColumnConcrete, kShapeRectangle, kShapeRect, &F::idVantraXsectConcCol},
};

void fillFramePass(source::TarvoModelObj& src, VantraModel& m, const FramePass& p, bool column) {
    for (int i = 1; i <= src.PropFrameSectNum(); ++i) {
        TarvoPropFrameSectObj& s = src.PropFrameSectObj(i);
        if (!isMaterial(s.PropMatObj, p.material)) continue;
        const int n = column ? AddVantraColumnSection(m) : AddVantraBeamSection(m);
        RecordView r = column ? m.ColumnSectionTable.rec(n) : m.BeamSectionTable.rec(n);
        SetVantraFrameSection(
            r, m, column ? frame::kColumn : frame::kBeam, n, MakeVantraName(p.prefix, s.Label, i),
            frameValues(s, *s.PropMatObj, p.sectionType, s.PropType == p.shapedPropType ? p.shape : kShapeNone));
        s.*p.backRef = n;
    }
}

void fillEmbeddedBeams(source::TarvoModelObj& src, VantraModel& m) {
    for (int j = 1; j <= src.PropEmbedFrameSectNum(); ++j) {
        TarvoPropFrameSectObj& s = src.PropEmbedFrameSectObj(j);
        if (!s.PropMatObj) continue;
        int n = AddVantraBeamSection(m);
        SetVantraFrameSection(m.BeamSectionTable.rec(n), m, frame::kBeam, n, "XecEmbed-" + std::to_string(j),
                              frameValues(s, *s.PropMatObj, kBeamConcrete, kShapeRect));
        s.idVantraXsectEmbedBeam = n;
    }
}

// Prefix of a thin-shell record by its material, or null for a material that has none.
const char* thinShellPrefix(const TarvoPropMaterialObj& mat, const char* concrete, const char* steel) {
    return mat.MatType == kConcrete ? concrete : mat.MatType == kSteel ? steel : nullptr;
}

bool isThinShell(const TarvoPropAreaSectObj& s) {
    return s.PropMatObj && s.PropType == kShellSection && s.ShellType == kThinShell;
}

// Elastic wall sections: thin shells, then layered general walls.
void fillElasticWalls(source::TarvoModelObj& src, VantraModel& m) {
    const int areaNum = src.PropAreaSectNum();
    for (int i = 1; i <= areaNum; ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (!isThinShell(s)) continue;
        const TarvoPropMaterialObj& mat = *s.PropMatObj;
        const char* prefix = thinShellPrefix(mat, "XecWallElaC-", "XecWallElaS-");
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
}

// The bars of fibre walls: the first rebar material, else the last steel one.
int fibreWallSteelMaterial(source::TarvoModelObj& src) {
    const TarvoPropMaterialObj* firstRebar = nullptr;
    const TarvoPropMaterialObj* lastSteel = nullptr;
    for (int i = 1; i <= src.PropMatNum(); ++i) {
        const TarvoPropMaterialObj& mat = src.PropMatObj(i);
        if (mat.MatType == kRebar && !firstRebar) firstRebar = &mat;
        if (mat.MatType == kSteel) lastSteel = &mat;
    }
    return firstRebar ? firstRebar->idVantraInelastic : lastSteel ? lastSteel->idVantraElasticFiber : 0;
}

// A fibre wall record of a layered shell, its bars' share taken from one rebar layer.
int addLayeredFibreWall(VantraModel& m, const TarvoPropAreaSectObj& s, int i, const char* prefix, int sectionType,
                        int steelMaterial, double rebarThick) {
    const TarvoPropMaterialObj& mat = *s.LayerPropMatConcObj;
    int n = AddVantraInelasticWallSection(m);
    SetVantraInelasticWallSection(m, n, MakeVantraName(prefix, s.Label, i), sectionType, mat.idVantraInelastic,
                                  steelMaterial, s.LayerVantraThick, s.LayerVantraThickBend,
                                  rebarThick / s.LayerVantraThick * 100.0, mat.E(), mat.Nu());
    return n;
}

// Inelastic wall sections: shear walls, then general walls.
void fillInelasticWalls(source::TarvoModelObj& src, VantraModel& m, int steelMaterial) {
    const int areaNum = src.PropAreaSectNum();
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
            s.idVantraXSectWallIne =
                addLayeredFibreWall(m, s, i, "XecWallCIneV-", kWallInelastic, steelMaterial, s.LayerVantraThickRebarV);
        }
    }
    for (int i = 1; i <= areaNum; ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (s.PropType != kShellSection || s.ShellType != kLayeredShell || !s.LayerPropMatConcObj) continue;
        if (s.LayerVantraType == 2 || s.LayerVantraType == 3)
            s.idVantraXSectGWallIneH = addLayeredFibreWall(m, s, i, "XecGWallCIneH-", kGeneralWallInelastic,
                                                           steelMaterial, s.LayerVantraThickRebarH);
        if (s.LayerVantraType == 3)
            s.idVantraXSectGWallIneV = addLayeredFibreWall(m, s, i, "XecGWallCIneV-", kGeneralWallInelastic,
                                                           steelMaterial, s.LayerVantraThickRebarV);
    }
}

// Elastic slab sections (the table starts from the store's empty state).
void fillSlabs(source::TarvoModelObj& src, VantraModel& m) {
    for (int i = 1; i <= src.PropAreaSectNum(); ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (!isThinShell(s)) continue;
        const TarvoPropMaterialObj& mat = *s.PropMatObj;
        const char* prefix = thinShellPrefix(mat, "XecElaSlabC-", "XecElaSlabS-");
        if (!prefix) continue;
        int n = AddVantraSlabSection(m);
        SetVantraSlabSection(m, n, MakeVantraName(prefix, s.Label, i), mat.idVantraElasticSlab, s.Thick, s.Bending,
                             mat.UnitWeight);
        s.idVantraXSectSlabEla = n;
    }
}

}  // namespace

void FillVantraCrossSections(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;

    // Every steel and concrete frame section is exported both as a beam and as a
    // column; which one an element uses is decided by its frame's orientation. A
    // section without a material read (an aluminium section, say) gets neither.
    m.BeamSectionTable.reset(0, m.BeamSectionTable.capacity());
    for (const FramePass& p : kBeamPasses) fillFramePass(src, m, p, false);
    fillEmbeddedBeams(src, m);
    m.ColumnSectionTable.reset(0, m.ColumnSectionTable.capacity());
    for (const FramePass& p : kColumnPasses) fillFramePass(src, m, p, true);

    m.ElasticWallSectionTable.reset(0, m.ElasticWallSectionTable.capacity());
    fillElasticWalls(src, m);
    const int steelMaterial = fibreWallSteelMaterial(src);
    m.InelasticWallSectionTable.reset(0, m.InelasticWallSectionTable.capacity());
    fillInelasticWalls(src, m, steelMaterial);
    fillSlabs(src, m);
}

}  // namespace t2v::target
