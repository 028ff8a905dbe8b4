// Elements and element groups: every frame and every shell becomes an element in the
// group of its kind of member, and beams are laid along the edges of walls that frames
// meet.
//
// Each group's elements follow one another in the element table: first a head element
// that only points to the group's first member, then the members, each pointing to the
// next. Groups are made in a fixed order and only when they have members.
//
// Record layouts: target/ElementLayout.h.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Text.h"
#include "target/ElementLayout.h"
#include "target/FillSteps.h"
#include "target/FrameCompound.h"

namespace t2v::target {
namespace {

using source::TarvoAreaObj;
using source::TarvoFrameObj;
using source::TarvoFrameReleaseObj;
using source::TarvoPropAreaSectObj;
using source::TarvoPropFrameSectObj;

namespace grp = layout::element_group;
namespace elem = layout::element;

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
        case kColumn:
            return static_cast<Group>(base);
        case kBeam:
            return static_cast<Group>(base + 1);
        case kBrace:
            return static_cast<Group>(base + 2);
        default:
            return NoGroup;
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
        case SteelWall:
            return s.idVantraCompoundWall;
        case ConcGWall:
            return s.idVantraCompoundGWall;
        default:
            return s.idVantraXSectSlabEla;  // slabs and ramps
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
// a new one written by the compound step's own procedure (the I-end release slot, the
// column cross section, the J-end release slot), recorded on the section in column form
// so that the next brace with that pair shares it. Nothing is added or changed for a
// model without released braces.
std::int32_t AddVantraColumnReleaseCompound(VantraModel& m, const TarvoFrameObj& f, const TarvoPropFrameSectObj& s,
                                            bool steel, long index) {
    constexpr int kSteelColumnSection = 7, kConcreteColumnSection = 6;
    const std::int32_t releaseI = f.ReleaseIObj != nullptr ? f.ReleaseIObj->idVantraXecElaRelease : 0;
    const std::int32_t releaseJ = f.ReleaseJObj != nullptr ? f.ReleaseJObj->idVantraXecElaRelease : 0;
    const double unitWeight = s.PropMatObj != nullptr ? s.PropMatObj->UnitWeight : 0.0;
    const std::int32_t n = AddVantraFrameCompound(m);
    SetVantraReleaseCompound(m, n, MakeVantraName(steel ? "CpdRelColS-" : "CpdRelColC-", s.Label, index), releaseI,
                             releaseJ, steel ? kSteelColumnSection : kConcreteColumnSection,
                             steel ? s.idVantraXsectSteelCol : s.idVantraXsectConcCol, kColumnSection,
                             s.area * unitWeight);
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
        case ConcBrace:
            return hinged ? s.idVantraCompoundFemaConcCol : s.idVantraCompoundConcCol;
        case ConcBeam:
            return hinged ? s.idVantraCompoundFemaConcBeam : s.idVantraCompoundConcBeam;
        case SteelCol:
            return hinged ? s.idVantraCompoundFemaSteelCol : s.idVantraCompoundSteelCol;
        case SteelBeam:
            return hinged ? s.idVantraCompoundFemaSteelBeam : s.idVantraCompoundSteelBeam;
        case SteelBrace:
            return s.idVantraCompoundSteelCol;
        default:
            return 0;
    }
}

// ---------------------------------------------------------------------------------------

std::int32_t AddVantraElementGroup(VantraModel& m) {
    const std::int32_t g = m.ElementGroupTable.add();
    m.ElementGroupLast = m.ElementGroupTable.count();
    return g;
}

void SetVantraElementGroup(VantraModel& m, std::int32_t g, const std::string& name, int type, int zero,
                           std::int32_t first, std::int32_t last) {
    RecordView r = m.ElementGroupTable.rec(g);
    r.text(grp::kName, layout::kNameLength, name);
    r.i16(grp::kType, type);
    r.i16(grp::kReservedWord, zero);
    r.i32(grp::kFirst, first);
    r.i32(grp::kLast, last);
    layout::writeFixed(r, grp::kFixedBytes);
    r.f32(grp::kScale, 1.0);
}

std::int32_t AddVantraElement(VantraModel& m) {
    const std::int32_t e = m.ElementTable.add();
    m.ElementLast = m.ElementTable.count();
    return e;
}

void SetVantraElement(VantraModel& m, std::int32_t e, std::int32_t group, std::int32_t zero, std::int32_t next, int c1,
                      int c2, int c3, std::int32_t compound, const std::array<std::int32_t, 4>& nodes, double angle) {
    RecordView r = m.ElementTable.rec(e);
    r.i16(elem::kGroup, group);
    r.i32(elem::kReservedLong, zero);
    for (std::size_t k = 0; k < 4; ++k) r.i32(elem::kNodes + 4 * k, nodes[k]);
    r.i32(elem::kNext, next);
    layout::writeFixed(r, elem::kFixedBytes);
    r.u8(elem::kCodes, c1);
    r.u8(elem::kCodes + 1, c2);
    r.u8(elem::kCodes + 2, c3);
    r.u8(elem::kCodes + 3, c3);
    r.i16(elem::kCompound, compound);
    r.f32(elem::kAngle, angle);
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
                    case 0:
                        nodes = {id[1], id[0], 0, 0};
                        break;
                    case 2:
                        nodes = {id[3], id[2], 0, 0};
                        break;
                    case 1:
                        nodes = {id[0], id[1], 0, 0};
                        break;
                    default:
                        nodes = {id[2], id[3], 0, 0};
                        break;
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
