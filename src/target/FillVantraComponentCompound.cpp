// Compound components: what elements refer to. A frame compound strings basic
// components (cross sections, FEMA components, end releases) along the member; a wall
// compound pairs a wall section with its shear material.
//
// Record layouts: target/CompoundLayout.h.
#include <string>
#include <vector>

#include "common/Text.h"
#include "target/CompoundLayout.h"
#include "target/FillSteps.h"
#include "target/FrameCompound.h"

namespace t2v::target {
namespace {

using source::TarvoFrameObj;
using source::TarvoFrameReleaseObj;
using source::TarvoPropAreaSectObj;
using source::TarvoPropFrameSectObj;
using source::TarvoPropMaterialObj;

constexpr int kSteel = 1;
constexpr int kConcrete = 2;
constexpr int kShellSection = 1;
constexpr int kThinShell = 1;
constexpr int kLayeredShell = 6;

namespace cpd = layout::frame_compound;

constexpr int kEmbedReleaseComponent = 1;  // "EmbedBeamRelease"
constexpr int kEmbedSectionType = 3;       // embedded beams are concrete-type beam sections

struct Slot {
    int family, behaviour, flag, kind, number;
    double length;
};

void setFrameCompound(VantraModel& m, int n, const std::string& name, const std::vector<Slot>& slots, double weight) {
    if (slots.size() > cpd::kMaxSlots) throw std::logic_error("a frame compound holds at most 13 slots");
    RecordView r = m.FrameCompoundTable.rec(n);
    r.text(cpd::kName, layout::kNameLength, name);
    r.i16(cpd::kNumber, n);
    r.u8(cpd::kKind, cpd::kKindMember);
    r.u8(cpd::kForceUnit, m.ForceUnit);
    r.u8(cpd::kLengthUnit, m.LengthUnit);
    r.u8(cpd::kSlotCount, static_cast<int>(slots.size()));
    layout::writeFixed(r, cpd::kFixedBytes);
    for (std::size_t s = 0; s < slots.size(); ++s) {
        const Slot& v = slots[s];
        r.u8(cpd::kSlotFamily + s, v.family);
        r.u8(cpd::kSlotBehaviour + s, v.behaviour);
        r.u8(cpd::kSlotFlag + s, v.flag);
        r.u8(cpd::kSlotEnd + s, 0);
        r.i16(cpd::kSlotKind + 2 * s, v.kind);
        r.i16(cpd::kSlotComponent + 2 * s, v.number);
        r.f32(cpd::kSlotLengthA + 4 * s, v.length);
        r.f32(cpd::kSlotLengthB + 4 * s, v.length);
    }
    r.i16(cpd::kNumberAgain, n);
    r.f32(cpd::kWeight, weight);
}

// One member component over the whole member, or over each half of it.
void SetVantraMemberCompound(VantraModel& m, int n, const std::string& name, int family, int kind, int component,
                             int behaviour, double weight, bool singleSlot) {
    if (singleSlot) {
        setFrameCompound(m, n, name, {{family, behaviour, kMemberSlot, kind, component, 1.0}}, weight);
    } else {
        const Slot half{family, behaviour, kMemberSlot, kind, component, 0.5};
        setFrameCompound(m, n, name, {half, half}, weight);
    }
}

void SetVantraEmbedCompound(VantraModel& m, int n, const std::string& name, int section, double weight) {
    setFrameCompound(m, n, name,
                     {{kFamilyRelease, kEndRelease, kReleaseSlot, kReleaseKind, kEmbedReleaseComponent, 0.0},
                      {kFamilySection, kBeamSection, kMemberSlot, kEmbedSectionType, section, 1.0}},
                     weight);
}

namespace wall = layout::wall_compound;

int AddVantraWallCompound(VantraModel& m) {
    int id = m.addComponent(m.WallCompoundTable);
    return id;
}

void SetVantraWallCompound(VantraModel& m, int n, const std::string& name, int sectType, int section, int shearMaterial,
                           double thick, double E, double unitWeight) {
    RecordView r = m.WallCompoundTable.rec(n);
    r.text(wall::kName, layout::kNameLength, name);
    r.i16(wall::kNumber, n);
    r.u8(wall::kKind, wall::kKindWall);
    r.u8(wall::kForceUnit, m.ForceUnit);
    r.u8(wall::kLengthUnit, m.LengthUnit);
    r.i16(wall::kSectType, sectType);
    r.i16(wall::kSection, section);
    r.i16(wall::kMatKind, wall::kElasticShear);
    r.i16(wall::kShearMaterial, shearMaterial);
    r.f32(wall::kThick1, thick);
    r.f32(wall::kE, E);
    r.f32(wall::kThick2, thick);
    r.i16(wall::kNumberAgain, n);
    r.f32(wall::kThick3, thick);
    r.f32(wall::kUnitWeight, unitWeight);
}

namespace gwall = layout::general_wall_compound;

int AddVantraGeneralWallCompound(VantraModel& m) {
    int id = m.addComponent(m.GeneralWallCompoundTable);
    return id;
}

void SetVantraGeneralWallCompound(VantraModel& m, int n, const std::string& name, int sectType1, int section1,
                                  int section2, int shearMaterial, double thick, double unitWeight) {
    RecordView r = m.GeneralWallCompoundTable.rec(n);
    r.text(gwall::kName, layout::kNameLength, name);
    r.i16(gwall::kNumber, n);
    r.u8(gwall::kKind, gwall::kKindGeneralWall);
    r.u8(gwall::kForceUnit, m.ForceUnit);
    r.u8(gwall::kLengthUnit, m.LengthUnit);
    r.i16(gwall::kSectType1, sectType1);
    r.i16(gwall::kSection1, section1);
    r.i16(gwall::kSectType2, gwall::kGeneralWallInelastic);
    r.i16(gwall::kSection2, section2);
    r.i16(gwall::kMatKind, gwall::kInelasticShear);
    r.i16(gwall::kShearMaterial, shearMaterial);
    r.f32(gwall::kThick1, thick);
    layout::writeFixed(r, gwall::kFixedWords);
    layout::writeFixed(r, gwall::kFixedSingles);
    r.f32(gwall::kThick2, thick);
    r.f32(gwall::kUnitWeight, unitWeight);
}

bool isMaterial(const TarvoPropMaterialObj* mat, int type) { return mat && mat->MatType == type; }

double weightPerLength(const TarvoPropFrameSectObj& s) {
    return s.PropMatObj ? s.area * s.PropMatObj->UnitWeight : 0.0;
}

// Member compounds of one pass.
struct MemberPass {
    int material;
    const char* prefix;
    int family, kind, behaviour;
    bool singleSlot;
    std::int32_t TarvoPropFrameSectObj::*component;
    std::int32_t TarvoPropFrameSectObj::*backRef;
};

using S = TarvoPropFrameSectObj;
constexpr MemberPass kMemberPasses[] = {
    {kSteel, "CpdBmS-", kFamilySection, 4, kBeamSection, true, &S::idVantraXsectSteelBeam,
     &S::idVantraCompoundSteelBeam},
    {kSteel, "CpdFemaBmS-", kFamilyFema, 1, kColumnSection, false, &S::idVantraInelasFemaSteelBeam,
     &S::idVantraCompoundFemaSteelBeam},
    {kSteel, "CpdColS-", kFamilySection, 7, kColumnSection, true, &S::idVantraXsectSteelCol,
     &S::idVantraCompoundSteelCol},
    {kSteel, "CpdFemaColS-", kFamilyFema, 14, kFemaColumn, false, &S::idVantraInelasFemaSteelCol,
     &S::idVantraCompoundFemaSteelCol},
    {kConcrete, "CpdBmC-", kFamilySection, 3, kBeamSection, true, &S::idVantraXsectConcBeam,
     &S::idVantraCompoundConcBeam},
    {kConcrete, "CpdFemaBmC-", kFamilyFema, 2, kColumnSection, false, &S::idVantraInelasFemaConcBeam,
     &S::idVantraCompoundFemaConcBeam},
    {kConcrete, "CpdColC-", kFamilySection, 6, kColumnSection, true, &S::idVantraXsectConcCol,
     &S::idVantraCompoundConcCol},
    {kConcrete, "CpdFemaColC-", kFamilyFema, 15, kFemaColumn, false, &S::idVantraInelasFemaConcCol,
     &S::idVantraCompoundFemaConcCol},
};

// Release compounds of one pass: frames of one orientation and material.
constexpr int kColumnFrame = 1, kBeamFrame = 2;     // VantraFrameType
constexpr int kConcreteFrame = 1, kSteelFrame = 2;  // VantraMatType
// Form under which a section records its release pairs.
constexpr int kBeamForm = 0, kColumnForm = 1;

struct ReleasePass {
    int frameType, matType;
    const char* prefix;
    int sectType, behaviour, form;
    std::int32_t TarvoPropFrameSectObj::*section;
};
constexpr ReleasePass kReleasePasses[] = {
    {kBeamFrame, kSteelFrame, "CpdRelBmSteel-", 4, kBeamSection, kBeamForm, &S::idVantraXsectSteelBeam},
    {kColumnFrame, kSteelFrame, "CpdRelColS-", 7, kColumnSection, kColumnForm, &S::idVantraXsectSteelCol},
    {kBeamFrame, kConcreteFrame, "CpdRelBmC-", 3, kBeamSection, kBeamForm, &S::idVantraXsectConcBeam},
    {kColumnFrame, kConcreteFrame, "CpdRelColC-", 6, kColumnSection, kColumnForm, &S::idVantraXsectConcCol},
};

}  // namespace

std::int32_t AddVantraFrameCompound(VantraModel& m) {
    const std::int32_t id = m.addComponent(m.FrameCompoundTable);
    return id;
}

void SetVantraReleaseCompound(VantraModel& m, std::int32_t n, const std::string& name, std::int32_t releaseI,
                              std::int32_t releaseJ, int sectType, std::int32_t section, int behaviour, double weight) {
    std::vector<Slot> slots;
    if (releaseI != 0) slots.push_back({kFamilyRelease, kEndRelease, kReleaseSlot, kReleaseKind, releaseI, 0.0});
    slots.push_back({kFamilySection, behaviour, kMemberSlot, sectType, section, 1.0});
    if (releaseJ != 0) slots.push_back({kFamilyRelease, kEndRelease, kReleaseSlot, kReleaseKind, releaseJ, 0.0});
    setFrameCompound(m, n, name, slots, weight);
}

namespace {

// Every steel and concrete section gets its elastic and FEMA compounds in beam and
// column form, used or not.
void fillMemberCompounds(source::TarvoModelObj& src, VantraModel& m) {
    for (const MemberPass& p : kMemberPasses) {
        for (int i = 1; i <= src.PropFrameSectNum(); ++i) {
            TarvoPropFrameSectObj& s = src.PropFrameSectObj(i);
            if (!isMaterial(s.PropMatObj, p.material)) continue;
            int n = AddVantraFrameCompound(m);
            SetVantraMemberCompound(m, n, MakeVantraName(p.prefix, s.Label, i), p.family, p.kind, s.*p.component,
                                    p.behaviour, weightPerLength(s), p.singleSlot);
            s.*p.backRef = n;
        }
    }
}

// The compound of frame i's pair of release objects in pass p: the one its section
// already made for that pair, or a new one that the section records.
std::int32_t releaseCompound(VantraModel& m, const ReleasePass& p, TarvoFrameObj& f, TarvoPropFrameSectObj& s, int i) {
    const int idx = s.GetIdxRelease(f.ReleaseIObj, f.ReleaseJObj, p.form);
    if (idx >= 0) return s.idVantraRelease[static_cast<std::size_t>(idx)];
    const int releaseI = f.ReleaseIObj ? f.ReleaseIObj->idVantraXecElaRelease : 0;
    const int releaseJ = f.ReleaseJObj ? f.ReleaseJObj->idVantraXecElaRelease : 0;
    const std::int32_t n = AddVantraFrameCompound(m);
    SetVantraReleaseCompound(m, n, MakeVantraName(p.prefix, s.Label, i), releaseI, releaseJ, p.sectType, s.*p.section,
                             p.behaviour, weightPerLength(s));
    s.AddRelease(f.ReleaseIObj, f.ReleaseJObj, n, p.form);
    return n;
}

// Released beams and columns: one compound per section, form and pair of release
// objects. Braces get none.
void fillReleaseCompounds(source::TarvoModelObj& src, VantraModel& m) {
    for (const ReleasePass& p : kReleasePasses) {
        for (int i = 1; i <= src.FrameNum(); ++i) {
            TarvoFrameObj& f = src.FrameObj(i);
            if (!f.isIReleased() && !f.isJReleased()) continue;
            if (f.VantraFrameType != p.frameType || f.VantraMatType != p.matType) continue;
            if (!f.PropFrameSectObj) continue;
            f.idCompdRelealse = releaseCompound(m, p, f, *f.PropFrameSectObj, i);
        }
    }
}

// Beams embedded in walls, hung from the wall by the moment release.
void fillEmbedCompounds(source::TarvoModelObj& src, VantraModel& m) {
    for (int j = 1; j <= src.PropEmbedFrameSectNum(); ++j) {
        TarvoPropFrameSectObj& s = src.PropEmbedFrameSectObj(j);
        if (!s.PropMatObj) continue;  // it has no cross section either
        int n = AddVantraFrameCompound(m);
        SetVantraEmbedCompound(m, n, "CpdEmbed-" + std::to_string(j), s.idVantraXsectEmbedBeam, weightPerLength(s));
        s.idVantraCompoundEmbededBeam = n;
    }
}

// A thin shell's elastic shear wall compound, for concrete and steel shells.
void addThinShellWall(VantraModel& m, TarvoPropAreaSectObj& s, int i) {
    const TarvoPropMaterialObj& mat = *s.PropMatObj;
    const char* prefix = mat.MatType == kConcrete ? "CpdWallConcEla-"
                         : mat.MatType == kSteel  ? "CpdWallSteelEla-"
                                                  : nullptr;
    if (!prefix) return;
    int n = AddVantraWallCompound(m);
    SetVantraWallCompound(m, n, MakeVantraName(prefix, s.Label, i), 11, s.idVantraXSectWallEla,
                          mat.idVantraElasticShear, s.Thick, mat.E(), mat.UnitWeight);
    s.idVantraCompoundWall = n;
}

// A layered shell's compound: a fibre shear wall for layer type 1, a general wall of
// one (type 2) or two (type 3) reinforcement directions.
void addLayeredShellWall(VantraModel& m, TarvoPropAreaSectObj& s, int i) {
    const TarvoPropMaterialObj& mat = *s.LayerPropMatConcObj;
    if (s.LayerVantraType == 1) {
        int n = AddVantraWallCompound(m);
        SetVantraWallCompound(m, n, MakeVantraName("CpdWallConcV-", s.Label, i), 10, s.idVantraXSectWallIne,
                              mat.idVantraElasticShear, s.LayerVantraThick, mat.E(), mat.UnitWeight);
        s.idVantraCompoundWall = n;
    } else if (s.LayerVantraType == 2 || s.LayerVantraType == 3) {
        const bool both = s.LayerVantraType == 3;
        int n = AddVantraGeneralWallCompound(m);
        SetVantraGeneralWallCompound(m, n, MakeVantraName(both ? "CpdGWallConcHV-" : "CpdGWallConcH-", s.Label, i),
                                     both ? 12 : 13, both ? s.idVantraXSectGWallIneH : s.idVantraXSectGWallEla,
                                     both ? s.idVantraXSectGWallIneV : s.idVantraXSectGWallIneH,
                                     mat.idVantraInelasticShear, s.LayerVantraThick, mat.UnitWeight);
        s.idVantraCompoundGWall = n;
    }
}

// Wall compounds, area sections in source order.
void fillWallCompounds(source::TarvoModelObj& src, VantraModel& m) {
    for (int i = 1; i <= src.PropAreaSectNum(); ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (s.PropType == kShellSection && s.ShellType == kThinShell && s.PropMatObj)
            addThinShellWall(m, s, i);
        else if (s.ShellType == kLayeredShell && s.LayerPropMatConcObj)
            addLayeredShellWall(m, s, i);
    }
}

}  // namespace

void FillVantraCompoundComponents(FillContext& c) {
    fillMemberCompounds(c.src, c.m);
    fillReleaseCompounds(c.src, c.m);
    fillEmbedCompounds(c.src, c.m);
    fillWallCompounds(c.src, c.m);
}

}  // namespace t2v::target
