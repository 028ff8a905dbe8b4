// Elements and element groups: every frame and every shell becomes an element in the
// group of its kind of member, and beams are laid along the edges of walls that frames
// meet.
//
// Each group's elements follow one another in the element table: first a head element
// that only points to the group's first member, then the members, each pointing to the
// next. Groups are made in a fixed order and only when they have members.
//
// Element group record (76 bytes):
//   offset  width  meaning
//        0  40     group name
//       40  i16    element type code of the group
//       42  i16    0
//       44  i32    number of the group's first element (its head element)
//       48  i32    number of the group's last element
//   56..58  u8     0
//       60  f32    1.0
//
// Element record (92 bytes):
//   offset  width  meaning
//        0  i16    element group number (0 in a head element)
//        2  i32    0
//   6..18   i32    node numbers: frames use the first two (I end, J end), areas all four
//       22  i32    number of the next element of the group; 0 in the group's last
//       26  u8     6
//   28..31  u8     element codes c1, c2, c3, c3
//       42  i16    compound component number (slabs: the slab cross-section number)
//       64  f32    local axis angle (frames: the host's angle; areas and embedded beams 0)
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Text.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using source::TarvoAreaObj;
using source::TarvoFrameObj;
using source::TarvoFrameReleaseObj;
using source::TarvoPropAreaSectObj;
using source::TarvoPropFrameSectObj;

// Group record fields.
constexpr std::size_t kGroupName = 0;
constexpr std::size_t kGroupNameLength = 40;
constexpr std::size_t kGroupType = 40;
constexpr std::size_t kGroupZero = 42;
constexpr std::size_t kGroupFirst = 44;
constexpr std::size_t kGroupLast = 48;
constexpr std::size_t kGroupZeroBytes = 56;  // 56, 57, 58
constexpr std::size_t kGroupScale = 60;

// Element record fields.
constexpr std::size_t kElemGroup = 0;
constexpr std::size_t kElemZero = 2;
constexpr std::size_t kElemNodes = 6;  // four i32
constexpr std::size_t kElemNext = 22;
constexpr std::size_t kElemConstant = 26;
constexpr std::size_t kElemCodes = 28;  // four bytes
constexpr std::size_t kElemCompound = 42;
constexpr std::size_t kElemAngle = 64;

enum Group : int {
    ConcCol,
    ConcBeam,
    ConcBrace,
    SteelCol,
    SteelBeam,
    SteelBrace,
    ConcEWall,
    ConcWall,
    ConcGWall,
    SteelWall,
    SteelSlab,
    ConcSlabRamp,
    EmbedBeamLR,
    EmbedBeamRL,
    kGroupCount,
    NoGroup = -1
};

struct GroupDef {
    const char* name;
    int type;
    std::uint8_t c1, c2, c3;
};

// In the order the groups are made.
constexpr std::array<GroupDef, kGroupCount> kGroups{{
    {"ElemConcCol", 3, 6, 2, 5},
    {"ElemConcBeam", 2, 6, 2, 1},
    {"ElemConcBrace", 5, 6, 2, 1},
    {"ElemSteelCol", 3, 6, 2, 5},
    {"ElemSteelBeam", 2, 6, 2, 1},
    {"ElemSteelBrace", 5, 6, 2, 1},
    {"ElemConcEWall", 6, 6, 3, 1},
    {"ElemConcWall", 6, 6, 3, 1},
    {"ElemConcGWall", 11, 6, 4, 1},
    {"ElemSteelWall", 6, 6, 3, 1},
    {"ElemSteelSlab", 12, 3, 8, 1},
    {"ElemConcSlabRamp", 12, 3, 8, 1},
    {"ElemEmbedBeamLR", 2, 6, 2, 1},
    {"ElemEmbedBeamRL", 2, 6, 2, 1},
}};

constexpr int kMatConcrete = 1, kMatSteel = 2;
constexpr int kColumn = 1, kBeam = 2, kBrace = 3;

Group frameGroup(const TarvoFrameObj& f) {
    if (f.PropFrameSectObj == nullptr) return NoGroup;
    int base;
    if (f.VantraMatType == kMatConcrete)
        base = ConcCol;
    else if (f.VantraMatType == kMatSteel)
        base = SteelCol;
    else
        return NoGroup;
    switch (f.VantraFrameType) {
        case kColumn: return static_cast<Group>(base);
        case kBeam: return static_cast<Group>(base + 1);
        case kBrace: return static_cast<Group>(base + 2);
        default: return NoGroup;
    }
}

Group areaGroup(const TarvoAreaObj& a) {
    const TarvoPropAreaSectObj* s = a.PropAreaSectObj;
    if (s == nullptr || s->PropType != 1) return NoGroup;
    if (s->ShellType == 1) {
        if (s->PropMatObj == nullptr) return NoGroup;
        const bool wall = a.Orientation == 1;
        if (s->PropMatObj->MatType == 2) return wall ? ConcEWall : ConcSlabRamp;
        if (s->PropMatObj->MatType == 1) return wall ? SteelWall : SteelSlab;
        return NoGroup;
    }
    if (s->ShellType == 6) {
        if (s->LayerVantraType == 1) return ConcWall;
        if (s->LayerVantraType == 2 || s->LayerVantraType == 3) return ConcGWall;
    }
    return NoGroup;
}

std::int32_t areaCompound(Group g, const TarvoPropAreaSectObj& s) {
    switch (g) {
        case ConcEWall:
        case ConcWall:
        case SteelWall: return s.idVantraCompoundWall;
        case ConcGWall: return s.idVantraCompoundGWall;
        default: return s.idVantraXSectSlabEla;  // slabs and ramps
    }
}

bool hasEmbeddedBeams(const TarvoAreaObj& a) {
    const TarvoPropAreaSectObj* s = a.PropAreaSectObj;
    if (s == nullptr || s->PropType != 1 || a.EmbedFrameObj == nullptr || a.idNodes.size() < 4) return false;
    return (s->ShellType == 6 && s->LayerVantraType >= 1 && s->LayerVantraType <= 3) ||
           (s->ShellType == 1 && a.Orientation == 1);
}

// ---------------------------------------------------------------------------------------
// Release compounds of braces. The compound step makes release compounds for beams and
// columns only, so a released brace would refer to compound 0. It gets the release
// compound in column form instead (braces use the column compounds elsewhere): the one
// its section already has for a released column with the same pair of releases, else
// a new one laid out like the compound step's (the I-end release slot, the column
// cross section, the J-end release slot), recorded on the section in column form so
// that the next brace with that pair shares it. Nothing is added or changed
// for a model without released braces.
//
// Frame member compound record (378 bytes, with a 45-byte companion left zero):
//   offset  width     meaning
//        0  40        name
//       40  i16       component number
//       42  u8        kind 2
//       43  u8        force unit code
//       44  u8        length unit code
//       45  u8        slot count
//   46..48  u8        0, 1, 1
//   66 + s  u8        slot s: component family (3 cross section, 2 release component)
//   79 + s  u8        slot s: behaviour code (3 column member, 4 release)
//   92 + s  u8        slot s: slot flag (1 member, 12 release)
//  105 + s  u8        slot s: end code 0
//  118+2s   i16       slot s: component kind or section type
//  144+2s   i16       slot s: component number
//  170+4s   f32       slot s: length value A
//  222+4s   f32       slot s: length value B (= A)
//      354  i16       component number again
//      362  f32       weight per unit length (section area x material unit weight)
namespace compound {
constexpr std::size_t kName = 0;
constexpr std::size_t kNameLength = 40;
constexpr std::size_t kNumber = 40;
constexpr std::size_t kKind = 42;
constexpr std::size_t kForceUnit = 43;
constexpr std::size_t kLengthUnit = 44;
constexpr std::size_t kSlotCount = 45;
constexpr std::size_t kFlags = 46;  // 46, 47, 48
constexpr std::size_t kSlotFamily = 66;
constexpr std::size_t kSlotBehaviour = 79;
constexpr std::size_t kSlotFlag = 92;
constexpr std::size_t kSlotEnd = 105;
constexpr std::size_t kSlotKind = 118;
constexpr std::size_t kSlotComponent = 144;
constexpr std::size_t kSlotLengthA = 170;
constexpr std::size_t kSlotLengthB = 222;
constexpr std::size_t kNumberAgain = 354;
constexpr std::size_t kWeight = 362;

constexpr int kFamilyCrossSection = 3, kFamilyRelease = 2;
constexpr int kBehaviourColumn = 3, kBehaviourRelease = 4;
constexpr int kFlagMember = 1, kFlagRelease = 12;
constexpr int kReleaseKind = 4;
constexpr int kSteelColumnSection = 7, kConcreteColumnSection = 6;
}  // namespace compound

struct Slot {
    int family, behaviour, flag, kind;
    std::int32_t component;
    double length;
};

std::int32_t AddVantraColumnReleaseCompound(VantraModel& m, const TarvoFrameObj& f, const TarvoPropFrameSectObj& s,
                                            bool steel, long index) {
    using namespace compound;
    std::vector<Slot> slots;
    auto releaseSlot = [&](const TarvoFrameReleaseObj* r) {
        if (r != nullptr && r->idVantraXecElaRelease != 0)
            slots.push_back({kFamilyRelease, kBehaviourRelease, kFlagRelease, kReleaseKind, r->idVantraXecElaRelease, 0.0});
    };
    releaseSlot(f.ReleaseIObj);
    slots.push_back({kFamilyCrossSection, kBehaviourColumn, kFlagMember,
                     steel ? kSteelColumnSection : kConcreteColumnSection,
                     steel ? s.idVantraXsectSteelCol : s.idVantraXsectConcCol, 1.0});
    releaseSlot(f.ReleaseJObj);

    const std::int32_t n = m.FrameCompoundTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.FrameCompoundTable.count());
    RecordView r = m.FrameCompoundTable.rec(n);
    r.text(kName, kNameLength, MakeVantraName(steel ? "CpdRelColS-" : "CpdRelColC-", s.Label, index));
    r.i16(kNumber, n);
    r.u8(kKind, 2);
    r.u8(kForceUnit, m.ForceUnit);
    r.u8(kLengthUnit, m.LengthUnit);
    r.u8(kSlotCount, static_cast<int>(slots.size()));
    r.u8(kFlags, 0);
    r.u8(kFlags + 1, 1);
    r.u8(kFlags + 2, 1);
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const Slot& sl = slots[k];
        r.u8(kSlotFamily + k, sl.family);
        r.u8(kSlotBehaviour + k, sl.behaviour);
        r.u8(kSlotFlag + k, sl.flag);
        r.u8(kSlotEnd + k, 0);
        r.i16(kSlotKind + 2 * k, sl.kind);
        r.i16(kSlotComponent + 2 * k, sl.component);
        r.f32(kSlotLengthA + 4 * k, sl.length);
        r.f32(kSlotLengthB + 4 * k, sl.length);
    }
    r.i16(kNumberAgain, n);
    const double unitWeight = s.PropMatObj != nullptr ? s.PropMatObj->UnitWeight : 0.0;
    r.f32(kWeight, s.area * unitWeight);
    return n;
}

void MakeBraceReleaseCompounds(FillContext& c) {
    constexpr int kColumnForm = 1;  // the form under which sections record column release pairs
    for (int i = 1; i <= c.src.FrameNum(); ++i) {
        TarvoFrameObj& f = c.src.FrameObj(i);
        const Group g = frameGroup(f);
        if ((g != ConcBrace && g != SteelBrace) || !(f.isIReleased() || f.isJReleased())) continue;
        TarvoPropFrameSectObj& s = *f.PropFrameSectObj;
        const int idx = s.GetIdxRelease(f.ReleaseIObj, f.ReleaseJObj, kColumnForm);
        if (idx >= 0) {
            f.idCompdRelealse = s.idVantraRelease[static_cast<std::size_t>(idx)];
        } else {
            f.idCompdRelealse = AddVantraColumnReleaseCompound(c.m, f, s, g == SteelBrace, i);
            s.AddRelease(f.ReleaseIObj, f.ReleaseJObj, f.idCompdRelealse, kColumnForm);
        }
    }
}

std::int32_t frameCompound(Group g, const TarvoFrameObj& f) {
    if (f.isIReleased() || f.isJReleased()) return f.idCompdRelealse;
    const TarvoPropFrameSectObj& s = *f.PropFrameSectObj;
    // Braces use the column compounds; steel braces are not looked at for hinges.
    const bool hinged = f.IsFEMAFrame();
    switch (g) {
        case ConcCol:
        case ConcBrace: return hinged ? s.idVantraCompoundFemaConcCol : s.idVantraCompoundConcCol;
        case ConcBeam: return hinged ? s.idVantraCompoundFemaConcBeam : s.idVantraCompoundConcBeam;
        case SteelCol: return hinged ? s.idVantraCompoundFemaSteelCol : s.idVantraCompoundSteelCol;
        case SteelBeam: return hinged ? s.idVantraCompoundFemaSteelBeam : s.idVantraCompoundSteelBeam;
        case SteelBrace: return s.idVantraCompoundSteelCol;
        default: return 0;
    }
}

// ---------------------------------------------------------------------------------------

std::int32_t AddVantraElementGroup(VantraModel& m) {
    const std::int32_t g = m.ElementGroupTable.add(Growth::CountPlus10);
    m.ElementGroupLast = m.ElementGroupTable.count();
    return g;
}

void SetVantraElementGroup(VantraModel& m, std::int32_t g, const std::string& name, int type, int zero,
                           std::int32_t first, std::int32_t last) {
    RecordView r = m.ElementGroupTable.rec(g);
    r.text(kGroupName, kGroupNameLength, name);
    r.i16(kGroupType, type);
    r.i16(kGroupZero, zero);
    r.i32(kGroupFirst, first);
    r.i32(kGroupLast, last);
    for (std::size_t k = 0; k < 3; ++k) r.u8(kGroupZeroBytes + k, 0);
    r.f32(kGroupScale, 1.0);
}

std::int32_t AddVantraElement(VantraModel& m) {
    const std::int32_t e = m.ElementTable.add(Growth::CountPlus10);
    m.ElementLast = m.ElementTable.count();
    return e;
}

void SetVantraElement(VantraModel& m, std::int32_t e, std::int32_t group, std::int32_t zero, std::int32_t next,
                      int c1, int c2, int c3, std::int32_t compound, const std::array<std::int32_t, 4>& nodes,
                      double angle) {
    RecordView r = m.ElementTable.rec(e);
    r.i16(kElemGroup, group);
    r.i32(kElemZero, zero);
    for (std::size_t k = 0; k < 4; ++k) r.i32(kElemNodes + 4 * k, nodes[k]);
    r.i32(kElemNext, next);
    r.u8(kElemConstant, 6);
    r.u8(kElemCodes, c1);
    r.u8(kElemCodes + 1, c2);
    r.u8(kElemCodes + 2, c3);
    r.u8(kElemCodes + 3, c3);
    r.i16(kElemCompound, compound);
    r.f32(kElemAngle, angle);
}

// One member of a group, in the order it is walked.
struct Member {
    TarvoFrameObj* frame = nullptr;
    TarvoAreaObj* area = nullptr;
    int corner = -1;  // embedded beams: the corner whose flag made the beam (0..3)
};

}  // namespace

void FillVantraElements(FillContext& c) {
    VantraModel& m = c.m;
    m.ElementGroupTable.reset(0, m.ElementGroupTable.capacity());
    m.ElementGroupLast = 0;
    m.ElementTable.reset(0, m.ElementTable.capacity());
    m.ElementLast = 0;

    MakeBraceReleaseCompounds(c);

    // The members of every group, in source order, gathered in one pass.
    std::array<std::vector<Member>, kGroupCount> members;
    for (TarvoFrameObj& f : c.src.Frames) {
        const Group g = frameGroup(f);
        if (g != NoGroup) members[g].push_back({&f, nullptr, -1});
    }
    for (TarvoAreaObj& a : c.src.Areas) {
        const Group g = areaGroup(a);
        if (g != NoGroup) members[g].push_back({nullptr, &a, -1});
    }
    for (TarvoAreaObj& a : c.src.Areas) {
        if (!hasEmbeddedBeams(a)) continue;
        // Corners 1 and 3 (bottom and top edge, right to left), then 2 and 4.
        for (int corner : {0, 2})
            if (a.IsEmbed[static_cast<std::size_t>(corner)]) members[EmbedBeamLR].push_back({nullptr, &a, corner});
        for (int corner : {1, 3})
            if (a.IsEmbed[static_cast<std::size_t>(corner)]) members[EmbedBeamRL].push_back({nullptr, &a, corner});
    }

    std::int32_t last = 0;
    for (int gi = 0; gi < kGroupCount; ++gi) {
        const std::vector<Member>& list = members[static_cast<std::size_t>(gi)];
        if (list.empty()) continue;
        const GroupDef& def = kGroups[static_cast<std::size_t>(gi)];
        const auto count = static_cast<std::int32_t>(list.size());
        const std::int32_t g = AddVantraElementGroup(m);
        const std::int32_t first = last + 1;
        SetVantraElementGroup(m, g, def.name, def.type, 0, first, first + count);
        last = first + count;

        const std::int32_t head = AddVantraElement(m);
        SetVantraElement(m, head, 0, 0, first + 1, 0, 0, 0, 0, {0, 0, 0, 0}, 0.0);

        for (std::int32_t k = 1; k <= count; ++k) {
            const Member& mb = list[static_cast<std::size_t>(k - 1)];
            const std::int32_t e = AddVantraElement(m);
            const std::int32_t next = k == count ? 0 : e + 1;
            std::int32_t compound = 0;
            std::array<std::int32_t, 4> nodes{};
            double angle = 0.0;
            if (mb.frame != nullptr) {
                compound = frameCompound(static_cast<Group>(gi), *mb.frame);
                nodes = {mb.frame->NodeI, mb.frame->NodeJ, 0, 0};
                angle = mb.frame->Angle;
            } else if (mb.corner < 0) {
                compound = areaCompound(static_cast<Group>(gi), *mb.area->PropAreaSectObj);
                for (std::size_t n = 0; n < 4; ++n) nodes[n] = mb.area->idNodes[n];
            } else {
                // A beam along the bottom (corners 1, 2) or top (corners 3, 4) edge:
                // from the flagged corner's neighbour to the corner in the first
                // group, from the corner to its neighbour in the second. The beam lies
                // level in the wall's plane, with its depth upright: angle 0.
                compound = mb.area->EmbedFrameObj->idVantraCompoundEmbededBeam;
                const auto& id = mb.area->idNodes;
                switch (mb.corner) {
                    case 0: nodes = {id[1], id[0], 0, 0}; break;
                    case 2: nodes = {id[3], id[2], 0, 0}; break;
                    case 1: nodes = {id[0], id[1], 0, 0}; break;
                    default: nodes = {id[2], id[3], 0, 0}; break;
                }
            }
            SetVantraElement(m, e, g, 0, next, def.c1, def.c2, def.c3, compound, nodes, angle);
            if (mb.frame != nullptr) {
                mb.frame->idVantraElem = e;
                mb.frame->idVantraElemGroup = g;
            } else if (mb.corner < 0) {
                mb.area->idVantraElem = e;
                mb.area->idVantraElemGroup = g;
            }
        }
    }
}

}  // namespace t2v::target
