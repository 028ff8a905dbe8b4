// Frame sections, frames, releases and hinges (read steps 2, 6, 7, 16, 18, 20, 26).
#include <array>
#include <cmath>

#include "source/TarvoModelObj.h"

namespace t2v::source {
namespace {

// Host frame section shape codes.
constexpr int kShapeI = 1;
constexpr int kShapeRectangle = 8;
constexpr int kShapeVariable = 14;

// Dimensions given to every shape whose own dimensions the host does not report.
constexpr double kNominalDimension = 10.0;

// Host hinge property kinds that stand for a whole-member (moment) hinge, and the
// degree-of-freedom codes that make any other hinge count as one.
bool isMomentHingeKind(int kind) { return kind == 6 || kind == 9; }
bool isMomentHingeDof(int dof) { return dof == 8 || dof == 10 || dof == 11; }
// Hinges this close to an end belong to that end.
constexpr double kHingeNearI = 0.10001;
constexpr double kHingeNearJ = 0.89999;

// Depth of a doubly symmetric section from its moment of inertia and elastic modulus
// about the same axis (I = S x depth / 2); 0 when the host gives no modulus.
double depthFromModulus(double I, double S) { return S > 0.0 && I > 0.0 ? 2.0 * I / S : 0.0; }

// The six release flags as one number (bit d for freedom d), so that each pattern has
// one shared release object.
unsigned releaseBits(const std::array<bool, 6>& flags) {
    unsigned bits = 0;
    for (unsigned d = 0; d < 6; ++d)
        if (flags[d]) bits |= 1u << d;
    return bits;
}

}  // namespace

void TarvoModelObj::ReadFrameSections() {
    host::TarvoHost& h = host_;
    host::Names names;
    h.GetFrameSectionNameList(names);
    for (const std::string& name : names) {
        host::FrameSectionProperties p;
        h.GetFrameSectionProperties(name, p);
        int type = 0;
        if (h.GetFrameSectionType(name, type) != 0 || type < 1) {
            Report.add("frame section", name, "frame section without a supported shape", false,
                       "type " + std::to_string(type));
            continue;
        }

        TarvoPropFrameSectObj& s = AddPropFrameSect(name);
        s.area = p.area;
        s.As2 = p.As2;
        s.As3 = p.As3;
        s.TorsionConst = p.Torsion;
        s.I22 = p.I22;
        s.I33 = p.I33;
        s.S22 = p.S22;
        s.S33 = p.S33;
        s.R22 = p.R22;
        s.R33 = p.R33;
        s.PropType = type;

        // A variable section is made of its segments' sections; the first segment's
        // start section gives the material. One without segments has no material.
        std::string materialOf = name;
        if (type == kShapeVariable) {
            host::Names starts;
            h.GetNonprismaticSegments(name, starts);
            materialOf = starts.empty() ? std::string() : starts.front();
        }
        std::string material;
        if (materialOf.empty() || h.GetFrameSectionMaterial(materialOf, material) != 0) material.clear();
        s.PropMatName = material;

        // The host reports no dimensions through its section queries. An I-section keeps
        // its shape in the target, so its overall depth and width come from its own
        // properties (exact for a doubly symmetric I); every other shape is exported by
        // its properties alone and gets nominal dimensions.
        if (type == kShapeI) {
            s.t3 = depthFromModulus(p.I33, p.S33);
            s.t2 = depthFromModulus(p.I22, p.S22);
        } else {
            s.t2 = s.t3 = kNominalDimension;
        }
    }
}

void TarvoModelObj::ReadFrames() {
    host::TarvoHost& h = host_;
    host::Names names;
    h.GetFrameNameList(names);
    frameIndex_.reserve(static_cast<std::size_t>(Frames.Num()) + names.size());
    for (const std::string& name : names) {
        std::string section;
        h.GetFrameSection(name, section);
        if (!PropFrameSectObjGet(section)) {  // its section was not read
            Report.add("frame", name, "frame whose section was not transferred", false, "section " + section);
            continue;
        }
        std::string pi, pj;
        h.GetFramePoints(name, pi, pj);
        TarvoFrameObj& f = AddFrame(name);
        f.PropFrameSectName = section;
        f.LabelNodeI = pi;
        f.LabelNodeJ = pj;
        f.NodeI = NodeIdGet(pi);
        f.NodeJ = NodeIdGet(pj);
        h.GetFrameLocalAxes(name, f.Angle);
    }
}

void TarvoModelObj::ReadFrameReleases() {
    host::TarvoHost& h = host_;
    // One release object per distinct pattern, the first in table order; the table may
    // already hold some.
    std::array<TarvoFrameReleaseObj*, 64> byPattern{};
    for (TarvoFrameReleaseObj& r : FrameReleases) {
        TarvoFrameReleaseObj*& slot = byPattern[releaseBits(r.Release)];
        if (!slot) slot = &r;
    }
    auto FindFrameRelease = [&](const std::array<bool, 6>& flags) -> TarvoFrameReleaseObj* {
        TarvoFrameReleaseObj*& slot = byPattern[releaseBits(flags)];
        if (!slot) {
            slot = &AddFrameRelease();
            slot->Release = flags;
        }
        return slot;
    };

    for (TarvoFrameObj& f : Frames) {
        std::array<bool, 6> ri{}, rj{};
        h.GetFrameReleases(f.Label, ri, rj);
        if (releaseBits(ri) != 0) f.ReleaseIObj = FindFrameRelease(ri);
        if (releaseBits(rj) != 0) f.ReleaseJObj = FindFrameRelease(rj);
    }
}

void TarvoModelObj::LinkFrameSectionsToMaterials() {
    for (TarvoPropFrameSectObj& s : PropFrameSects) s.PropMatObj = PropMaterialObjGet(s.PropMatName);
}

void TarvoModelObj::LinkFramesToSections() {
    for (TarvoFrameObj& f : Frames) f.PropFrameSectObj = PropFrameSectObjGet(f.PropFrameSectName);
}

void TarvoModelObj::ClassifyFrames() {
    host::TarvoHost& h = host_;
    for (TarvoFrameObj& f : Frames) {
        f.VantraFrameType = FrameOrientationGet(f);
        const TarvoPropFrameSectObj* s = f.PropFrameSectObj;
        if (!s) continue;
        f.VantraSectType = s->PropType == kShapeRectangle ? 1 : s->PropType == kShapeI ? 2 : 3;
        const TarvoPropMaterialObj* m = s->PropMatObj;
        if (!m) continue;
        f.VantraMatType = m->MatType == 1 ? 2 : m->MatType == 2 ? 1 : 3;
        // A rectangular concrete section is a column or a beam by its reinforcement.
        if (m->MatType == 2 && s->PropType == kShapeRectangle) {
            int rebarType = 0;
            h.GetFrameSectionRebarType(s->Label, rebarType);
            if (rebarType == 1)
                f.VantraConcType = 2;
            else if (rebarType == 2)
                f.VantraConcType = 1;
        }
    }
}

void TarvoModelObj::ReadFrameHinges() {
    host::TarvoHost& h = host_;
    std::vector<host::FrameHinge> hinges;  // reused, emptied before each question
    for (TarvoFrameObj& f : Frames) {
        hinges.clear();
        h.GetFrameHinges(f.Label, hinges);
        for (const host::FrameHinge& g : hinges) {
            int type;
            if (isMomentHingeKind(g.kind))
                type = 1;
            else if (isMomentHingeDof(g.dof))
                type = 2;
            else
                continue;
            if (g.relDist < kHingeNearI) {
                f.HingeI = true;
                f.HingeTypeI = type;
            }
            if (g.relDist > kHingeNearJ) {
                f.HingeJ = true;
                f.HingeTypeJ = type;
            }
        }
    }
}

int TarvoPropFrameSectObj::GetIdxRelease(const TarvoFrameReleaseObj* i, const TarvoFrameReleaseObj* j, int form) const {
    auto it = releaseIndex_.find(ReleaseKey{i, j, form});
    return it == releaseIndex_.end() ? -1 : it->second;
}

void TarvoPropFrameSectObj::AddRelease(const TarvoFrameReleaseObj* i, const TarvoFrameReleaseObj* j, std::int32_t idx,
                                       int form) {
    releaseIndex_.emplace(ReleaseKey{i, j, form}, ReleaseNum());  // keeps the first position
    ReleaseIObj.push_back(i);
    ReleaseJObj.push_back(j);
    idVantraRelease.push_back(idx);
    ReleaseForm.push_back(form);
}

}  // namespace t2v::source
