// Compound components: what elements refer to. A frame compound strings basic
// components (cross sections, FEMA components, end releases) along the member; a wall
// compound pairs a wall section with its shear material.
//
// Frame compound (378 bytes, companion 45 left zero):
//   off         width     meaning
//     0         40        name
//    40         i16       component number
//    42         u8        kind 2
//    43         u8        force unit code (compounds put force first)
//    44         u8        length unit code
//    45         u8        slot count
//    46, 47, 48 u8        0, 1, 1
//   slots s = 0..12, parallel arrays:
//    66 + s     u8        family: 3 cross section, 1 FEMA component, 2 release component
//    79 + s     u8        behaviour: 2 beam section, 3 column section / FEMA beam,
//                         7 FEMA column, 4 end release
//    92 + s     u8        slot flag: 1 member, 12 release
//   105 + s     u8        end code 0
//   118 + 2s    i16       component kind or section type
//   144 + 2s    i16       component number
//   170 + 4s    f32       share of the member length
//   222 + 4s    f32       second length value, equal to the share
//   354         i16       component number
//   362         f32       weight per unit length (section area x material unit weight)
//
// Shear wall compound (116 bytes):
//     0 name; 40 i16 number; 42 u8 kind 3; 43 u8 force unit; 44 u8 length unit;
//    48 i16 section type; 50 i16 wall section; 52 i16 material kind 5;
//    54 i16 shear material; 56 f32 thickness; 60 f32 E; 64 f32 thickness;
//    68 i16 number; 76 f32 thickness; 80 f32 unit weight
//
// General wall compound (108 bytes):
//     0 name; 40 i16 number; 42 u8 kind 4; 43 u8 force unit; 44 u8 length unit;
//    48 i16 first section type; 50 i16 first section; 52 i16 second section type 12;
//    54 i16 second section; 56 i16 material kind 2; 58 i16 shear material;
//    60 i16 3; 64 f32 thickness; 72 f32 0; 76 f32 0; 80 i16 0; 88 f32 thickness;
//    92 f32 unit weight
#include <string>
#include <vector>

#include "common/Text.h"
#include "target/FillSteps.h"

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

namespace cpd {
constexpr std::size_t kName = 0, kNumber = 40, kKind = 42, kForceUnit = 43, kLengthUnit = 44, kSlotCount = 45;
constexpr std::size_t kByte46 = 46, kByte47 = 47, kByte48 = 48;
constexpr std::size_t kFamily = 66, kBehaviour = 79, kSlotFlag = 92, kEndCode = 105, kCompKind = 118,
                      kCompNumber = 144, kLengthA = 170, kLengthB = 222;
constexpr std::size_t kNumberAgain = 354, kWeight = 362;
constexpr int kMaxSlots = 13;
constexpr int kKindMember = 2;
}  // namespace cpd

enum Family : int { kFamilyFema = 1, kFamilyRelease = 2, kFamilySection = 3 };
// Behaviour codes of a slot; FEMA beams share code 3 with column sections.
enum Behaviour : int { kBeamSection = 2, kColumnSection = 3, kEndRelease = 4, kFemaColumn = 7 };
enum SlotFlag : int { kMemberSlot = 1, kReleaseSlot = 12 };
constexpr int kReleaseKind = 4;
constexpr int kEmbedReleaseComponent = 1;  // "EmbedBeamRelease"
constexpr int kEmbedSectionType = 3;      // embedded beams are concrete-type beam sections

struct Slot {
    int family, behaviour, flag, kind, number;
    double length;
};

int AddVantraFrameCompound(VantraModel& m) {
    int id = m.FrameCompoundTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.FrameCompoundTable.count());
    return id;
}

void setFrameCompound(VantraModel& m, int n, const std::string& name, const std::vector<Slot>& slots, double weight) {
    if (slots.size() > cpd::kMaxSlots) throw std::logic_error("a frame compound holds at most 13 slots");
    RecordView r = m.FrameCompoundTable.rec(n);
    r.text(cpd::kName, 40, name);
    r.i16(cpd::kNumber, n);
    r.u8(cpd::kKind, cpd::kKindMember);
    r.u8(cpd::kForceUnit, m.ForceUnit);
    r.u8(cpd::kLengthUnit, m.LengthUnit);
    r.u8(cpd::kSlotCount, static_cast<int>(slots.size()));
    r.u8(cpd::kByte46, 0);
    r.u8(cpd::kByte47, 1);
    r.u8(cpd::kByte48, 1);
    for (std::size_t s = 0; s < slots.size(); ++s) {
        const Slot& v = slots[s];
        r.u8(cpd::kFamily + s, v.family);
        r.u8(cpd::kBehaviour + s, v.behaviour);
        r.u8(cpd::kSlotFlag + s, v.flag);
        r.u8(cpd::kEndCode + s, 0);
        r.i16(cpd::kCompKind + 2 * s, v.kind);
        r.i16(cpd::kCompNumber + 2 * s, v.number);
        r.f32(cpd::kLengthA + 4 * s, v.length);
        r.f32(cpd::kLengthB + 4 * s, v.length);
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

// The member's cross section between the end releases that are present.
void SetVantraReleaseCompound(VantraModel& m, int n, const std::string& name, int releaseI, int releaseJ,
                              int sectType, int section, int behaviour, double weight) {
    std::vector<Slot> slots;
    if (releaseI != 0) slots.push_back({kFamilyRelease, kEndRelease, kReleaseSlot, kReleaseKind, releaseI, 0.0});
    slots.push_back({kFamilySection, behaviour, kMemberSlot, sectType, section, 1.0});
    if (releaseJ != 0) slots.push_back({kFamilyRelease, kEndRelease, kReleaseSlot, kReleaseKind, releaseJ, 0.0});
    setFrameCompound(m, n, name, slots, weight);
}

void SetVantraEmbedCompound(VantraModel& m, int n, const std::string& name, int section, double weight) {
    setFrameCompound(m, n, name,
                     {{kFamilyRelease, kEndRelease, kReleaseSlot, kReleaseKind, kEmbedReleaseComponent, 0.0},
                      {kFamilySection, kBeamSection, kMemberSlot, kEmbedSectionType, section, 1.0}},
                     weight);
}

namespace wall {
constexpr std::size_t kName = 0, kNumber = 40, kKind = 42, kForceUnit = 43, kLengthUnit = 44, kSectType = 48,
                      kSection = 50, kMatKind = 52, kShearMaterial = 54, kThick1 = 56, kE = 60, kThick2 = 64,
                      kNumberAgain = 68, kThick3 = 76, kUnitWeight = 80;
constexpr int kKindWall = 3, kElasticShear = 5;
}  // namespace wall

int AddVantraWallCompound(VantraModel& m) {
    int id = m.WallCompoundTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.WallCompoundTable.capacity());
    return id;
}

void SetVantraWallCompound(VantraModel& m, int n, const std::string& name, int sectType, int section,
                           int shearMaterial, double thick, double E, double unitWeight) {
    RecordView r = m.WallCompoundTable.rec(n);
    r.text(wall::kName, 40, name);
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

namespace gwall {
constexpr std::size_t kName = 0, kNumber = 40, kKind = 42, kForceUnit = 43, kLengthUnit = 44, kSectType1 = 48,
                      kSection1 = 50, kSectType2 = 52, kSection2 = 54, kMatKind = 56, kShearMaterial = 58,
                      kWord60 = 60, kThick1 = 64, kF72 = 72, kF76 = 76, kWord80 = 80, kThick2 = 88,
                      kUnitWeight = 92;
constexpr int kKindGeneralWall = 4, kInelasticShear = 2, kGeneralWallInelastic = 12;
}  // namespace gwall

int AddVantraGeneralWallCompound(VantraModel& m) {
    int id = m.GeneralWallCompoundTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.GeneralWallCompoundTable.capacity());
    return id;
}

void SetVantraGeneralWallCompound(VantraModel& m, int n, const std::string& name, int sectType1, int section1,
                                  int section2, int shearMaterial, double thick, double unitWeight) {
    RecordView r = m.GeneralWallCompoundTable.rec(n);
    r.text(gwall::kName, 40, name);
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
    r.i16(gwall::kWord60, 3);
    r.f32(gwall::kThick1, thick);
    r.f32(gwall::kF72, 0.0);
    r.f32(gwall::kF76, 0.0);
    r.i16(gwall::kWord80, 0);
    r.f32(gwall::kThick2, thick);
    r.f32(gwall::kUnitWeight, unitWeight);
}

bool isMaterial(const TarvoPropMaterialObj* mat, int type) { return mat && mat->MatType == type; }

double weightPerLength(const TarvoPropFrameSectObj& s) { return s.PropMatObj ? s.area * s.PropMatObj->UnitWeight : 0.0; }

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
    {kSteel, "CpdBmS-", kFamilySection, 4, kBeamSection, true, &S::idVantraXsectSteelBeam, &S::idVantraCompoundSteelBeam},
    {kSteel, "CpdFemaBmS-", kFamilyFema, 1, kColumnSection, false, &S::idVantraInelasFemaSteelBeam,
     &S::idVantraCompoundFemaSteelBeam},
    {kSteel, "CpdColS-", kFamilySection, 7, kColumnSection, true, &S::idVantraXsectSteelCol, &S::idVantraCompoundSteelCol},
    {kSteel, "CpdFemaColS-", kFamilyFema, 14, kFemaColumn, false, &S::idVantraInelasFemaSteelCol,
     &S::idVantraCompoundFemaSteelCol},
    {kConcrete, "CpdBmC-", kFamilySection, 3, kBeamSection, true, &S::idVantraXsectConcBeam, &S::idVantraCompoundConcBeam},
    {kConcrete, "CpdFemaBmC-", kFamilyFema, 2, kColumnSection, false, &S::idVantraInelasFemaConcBeam,
     &S::idVantraCompoundFemaConcBeam},
    {kConcrete, "CpdColC-", kFamilySection, 6, kColumnSection, true, &S::idVantraXsectConcCol, &S::idVantraCompoundConcCol},
    {kConcrete, "CpdFemaColC-", kFamilyFema, 15, kFemaColumn, false, &S::idVantraInelasFemaConcCol,
     &S::idVantraCompoundFemaConcCol},
};

// Release compounds of one pass: frames of one orientation and material.
constexpr int kColumnFrame = 1, kBeamFrame = 2;  // VantraFrameType
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

void FillVantraCompoundComponents(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;

    // Every steel and concrete section gets its elastic and FEMA compounds in beam and
    // column form, used or not.
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

    // Released beams and columns: one compound per section, form and pair of release
    // objects. Braces get none.
    for (const ReleasePass& p : kReleasePasses) {
        for (int i = 1; i <= src.FrameNum(); ++i) {
            TarvoFrameObj& f = src.FrameObj(i);
            if (!f.isIReleased() && !f.isJReleased()) continue;
            if (f.VantraFrameType != p.frameType || f.VantraMatType != p.matType) continue;
            TarvoPropFrameSectObj* s = f.PropFrameSectObj;
            if (!s) continue;
            const int releaseI = f.ReleaseIObj ? f.ReleaseIObj->idVantraXecElaRelease : 0;
            const int releaseJ = f.ReleaseJObj ? f.ReleaseJObj->idVantraXecElaRelease : 0;
            const int idx = s->GetIdxRelease(f.ReleaseIObj, f.ReleaseJObj, p.form);
            int n;
            if (idx < 0) {
                n = AddVantraFrameCompound(m);
                SetVantraReleaseCompound(m, n, MakeVantraName(p.prefix, s->Label, i), releaseI, releaseJ, p.sectType,
                                         s->*p.section, p.behaviour, weightPerLength(*s));
                s->AddRelease(f.ReleaseIObj, f.ReleaseJObj, n, p.form);
            } else {
                n = s->idVantraRelease[static_cast<std::size_t>(idx)];
            }
            f.idCompdRelealse = n;
        }
    }

    // Beams embedded in walls, hung from the wall by the moment release.
    for (int j = 1; j <= src.PropEmbedFrameSectNum(); ++j) {
        TarvoPropFrameSectObj& s = src.PropEmbedFrameSectObj(j);
        if (!s.PropMatObj) continue;  // it has no cross section either
        int n = AddVantraFrameCompound(m);
        SetVantraEmbedCompound(m, n, "CpdEmbed-" + std::to_string(j), s.idVantraXsectEmbedBeam, weightPerLength(s));
        s.idVantraCompoundEmbededBeam = n;
    }

    // Wall compounds, area sections in source order.
    for (int i = 1; i <= src.PropAreaSectNum(); ++i) {
        TarvoPropAreaSectObj& s = src.PropAreaSectObj(i);
        if (s.PropType == kShellSection && s.ShellType == kThinShell && s.PropMatObj) {
            const TarvoPropMaterialObj& mat = *s.PropMatObj;
            const char* prefix =
                mat.MatType == kConcrete ? "CpdWallConcEla-" : mat.MatType == kSteel ? "CpdWallSteelEla-" : nullptr;
            if (!prefix) continue;
            int n = AddVantraWallCompound(m);
            SetVantraWallCompound(m, n, MakeVantraName(prefix, s.Label, i), 11, s.idVantraXSectWallEla,
                                  mat.idVantraElasticShear, s.Thick, mat.E(), mat.UnitWeight);
            s.idVantraCompoundWall = n;
        } else if (s.ShellType == kLayeredShell && s.LayerPropMatConcObj) {
            const TarvoPropMaterialObj& mat = *s.LayerPropMatConcObj;
            if (s.LayerVantraType == 1) {
                int n = AddVantraWallCompound(m);
                SetVantraWallCompound(m, n, MakeVantraName("CpdWallConcV-", s.Label, i), 10, s.idVantraXSectWallIne,
                                      mat.idVantraElasticShear, s.LayerVantraThick, mat.E(), mat.UnitWeight);
                s.idVantraCompoundWall = n;
            } else if (s.LayerVantraType == 2 || s.LayerVantraType == 3) {
                const bool both = s.LayerVantraType == 3;
                int n = AddVantraGeneralWallCompound(m);
                SetVantraGeneralWallCompound(
                    m, n, MakeVantraName(both ? "CpdGWallConcHV-" : "CpdGWallConcH-", s.Label, i), both ? 12 : 13,
                    both ? s.idVantraXSectGWallIneH : s.idVantraXSectGWallEla,
                    both ? s.idVantraXSectGWallIneV : s.idVantraXSectGWallIneH, mat.idVantraInelasticShear,
                    s.LayerVantraThick, mat.UnitWeight);
                s.idVantraCompoundGWall = n;
            }
        }
    }
}

}  // namespace t2v::target
