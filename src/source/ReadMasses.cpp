// Masses (read step 22): the host's mass source turned into lumped node masses.
//
// Option 1 takes the element and added masses, option 2 the masses of the loads of the
// mass-source patterns (weight / g), option 3 both. Each origin has its own field on
// the node (PointMass, LoadMass, FrameLoadMass, AreaLoadMass) so that the nodal mass
// step can choose among them. Only the horizontal directions UX and UY receive masses
// from elements and loads.
#include <stdexcept>
#include <string>

#include "source/TarvoModelObj.h"

namespace t2v::source {

namespace {

constexpr double kTiny = 1e-6;

void AddXY(Dof6& mass, double m) {
    mass[0] += m;
    mass[1] += m;
}

// A distributed load counts as mass when it acts vertically. Every code the frame-load
// reader accepts is vertical, with values already turned downward positive.
bool IsGravityDirection(int dir) { return dir == 6 || dir == 9 || dir == 10 || dir == 11; }

// The mass that a 4-node area's section carries per unit area, as `perVolume` picks it from
// the section's material: a shell's own material over its thickness, or else a layered
// shell's concrete over the layers' thickness. Returns false when the section weighs
// nothing (no section, or neither material).
template <class PerVolume>
bool AreaSectionPerArea(const TarvoPropAreaSectObj* s, PerVolume perVolume, double& perArea) {
    if (!s) return false;
    if (s->PropMatObj) {
        perArea = perVolume(*s->PropMatObj) * s->Thick;
        return true;
    }
    if (s->LayerPropMatConcObj) {
        perArea = perVolume(*s->LayerPropMatConcObj) * s->LayerVantraThick;
        return true;
    }
    return false;
}

void AddToCorners(TarvoModelObj& model, const TarvoAreaObj& area, Dof6 TarvoNodeObj::*field, double m) {
    for (const std::string& label : area.LabelNodes)
        if (TarvoNodeObj* n = model.NodeObjGet(label)) AddXY(n->*field, m);
}

// --- Option 1: element and added masses, into PointMass ---------------------------

void AddHostPointMasses(TarvoModelObj& model) {
    for (TarvoNodeObj& node : model.Nodes) {
        std::array<double, 6> m{};
        if (model.Host().GetPointMass(node.Label, m) != 0) continue;
        // The vertical direction is never taken over.
        for (std::size_t d : {0u, 1u, 3u, 4u, 5u}) node.PointMass[d] = m[d];
    }
}

// Half of a frame's added mass and of its section's mass goes to each end.
void AddFrameElementMasses(TarvoModelObj& model) {
    for (TarvoFrameObj& frame : model.Frames) {
        TarvoNodeObj* ni = model.FrameEndNode(frame.NodeI, frame.LabelNodeI);
        TarvoNodeObj* nj = model.FrameEndNode(frame.NodeJ, frame.LabelNodeJ);
        const double L = model.FrameObjLengthGet(frame);
        auto toEnds = [&](double m) {
            if (ni) AddXY(ni->PointMass, m);
            if (nj) AddXY(nj->PointMass, m);
        };
        double perLength = 0.0;
        if (model.Host().GetFrameMass(frame.Label, perLength) == 0) toEnds(perLength * L / 2.0);
        const TarvoPropFrameSectObj* s = frame.PropFrameSectObj;
        if (s && s->PropMatObj) toEnds(s->PropMatObj->UnitMass * s->area * L / 2.0);
    }
}

// A quarter of a 4-node area's added mass and of its section's mass goes to each corner.
void AddAreaElementMasses(TarvoModelObj& model) {
    for (TarvoAreaObj& area : model.Areas) {
        if (area.NumNodes != 4) continue;
        const double A = model.AreaObjAreaGet(area);
        double perArea = 0.0;
        if (model.Host().GetAreaMass(area.Label, perArea) == 0)
            AddToCorners(model, area, &TarvoNodeObj::PointMass, perArea * A / 4.0);
        auto unitMass = [](const TarvoPropMaterialObj& mat) { return mat.UnitMass; };
        if (AreaSectionPerArea(area.PropAreaSectObj, unitMass, perArea))
            AddToCorners(model, area, &TarvoNodeObj::PointMass, perArea * A / 4.0);
    }
}

void AddElementMasses(TarvoModelObj& model) {
    AddHostPointMasses(model);
    AddFrameElementMasses(model);
    AddAreaElementMasses(model);
}

// --- Option 2: masses from the loads of the mass-source patterns --------------------

// One mass-source pattern with its scale factor. `Mass` turns a weight into the mass it
// stands for, in the one order of operations (w x SF / g) that every origin uses.
struct MassPattern {
    const std::string& name;
    double SF;
    double g;
    double Mass(double weight) const { return weight * SF / g; }
};

// Nodal loads into LoadMass: F3 is upward positive, so a downward load adds mass.
void AddNodalLoadMasses(TarvoModelObj& model, const MassPattern& p) {
    for (const TarvoLoadNodeObj& l : model.LoadNodes) {
        TarvoNodeObj* n = model.NodeObjGet(l.Label);
        if (!n) continue;
        for (const auto& it : l.Items)
            if (it.LoadPattern == p.name) AddXY(n->LoadMass, p.Mass(-it.F3));
    }
}

// Self weight of frames (into FrameLoadMass) and of 4-node areas (into AreaLoadMass); a
// pattern the model does not have weighs nothing.
void AddSelfWeightMasses(TarvoModelObj& model, const MassPattern& p) {
    const TarvoLoadPatternObj* pattern = model.LoadPatternObjGet(p.name);
    const double swm = pattern ? pattern->SelfWtMultiplier : 0.0;
    if (swm == 0.0) return;
    for (const TarvoFrameObj& frame : model.Frames) {
        const TarvoPropFrameSectObj* s = frame.PropFrameSectObj;
        if (!s || !s->PropMatObj) continue;
        const double m = p.Mass(swm * s->PropMatObj->UnitWeight * s->area * model.FrameObjLengthGet(frame)) / 2.0;
        if (TarvoNodeObj* n = model.FrameEndNode(frame.NodeI, frame.LabelNodeI)) AddXY(n->FrameLoadMass, m);
        if (TarvoNodeObj* n = model.FrameEndNode(frame.NodeJ, frame.LabelNodeJ)) AddXY(n->FrameLoadMass, m);
    }
    auto weight = [swm](const TarvoPropMaterialObj& mat) { return swm * mat.UnitWeight; };
    for (const TarvoAreaObj& area : model.Areas) {
        double perArea = 0.0;
        if (area.NumNodes != 4 || !AreaSectionPerArea(area.PropAreaSectObj, weight, perArea)) continue;
        const double m = p.Mass(perArea * model.AreaObjAreaGet(area)) / 4.0;
        AddToCorners(model, area, &TarvoNodeObj::AreaLoadMass, m);
    }
}

// Frame loads into FrameLoadMass: the end reactions of a simply supported span.
void AddFrameLoadMasses(TarvoModelObj& model, const TarvoFrameObj& frame, const MassPattern& p) {
    TarvoNodeObj* ni = model.FrameEndNode(frame.NodeI, frame.LabelNodeI);
    TarvoNodeObj* nj = model.FrameEndNode(frame.NodeJ, frame.LabelNodeJ);
    auto toEnds = [&](double RI, double RJ) {
        if (ni) AddXY(ni->FrameLoadMass, p.Mass(RI));
        if (nj) AddXY(nj->FrameLoadMass, p.Mass(RJ));
    };
    const double L = model.FrameObjLengthGet(frame);
    for (const auto& d : frame.LoadFrameDistributed) {
        if (d.PatternLabel != p.name || !IsGravityDirection(d.Dir)) continue;
        for (int i = 0; i < d.ItemNum(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            const double a = d.RD1[k], b = d.RD2[k], w1 = d.Val1[k], w2 = d.Val2[k];
            const double RI =
                L * (b - a) * ((w2 - w1) / 2.0 * (1.0 - a / 3.0 - 2.0 * b / 3.0) + w1 * (1.0 - (a + b) / 2.0));
            const double RJ = L * (b - a) * ((w2 - w1) / 2.0 * (2.0 * b / 3.0 + a / 3.0) + w1 * (a + b) / 2.0);
            toEnds(RI, RJ);
        }
    }
    if (!(model.FrameObjLengthGet(frame, true) > kTiny)) return;
    for (const auto& pl : frame.LoadFramePoint) {
        if (pl.PatternLabel != p.name) continue;
        for (int i = 0; i < pl.ItemNum(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            const double r = pl.RD[k], P = pl.Val[k];
            toEnds((1.0 - r) * P, r * P);
        }
    }
}

void AddLoadMasses(TarvoModelObj& model, double g) {
    for (int j = 0; j < model.MassSrcLoadNum(); ++j) {
        const auto k = static_cast<std::size_t>(j);
        const MassPattern p{model.MassSrcLoadPattern[k], model.MassSrcSF[k], g};
        AddNodalLoadMasses(model, p);
        AddSelfWeightMasses(model, p);
        for (const TarvoFrameObj& frame : model.Frames) AddFrameLoadMasses(model, frame, p);
    }
}

}  // namespace

void TarvoModelObj::ReadMasses() {
    int option = 0;
    host::Names patterns;
    std::vector<double> scales;
    host_.GetMassSource(option, patterns, scales);
    if (scales.size() != patterns.size())
        throw std::runtime_error("the mass source names " + std::to_string(patterns.size()) +
                                 " load patterns but gives " + std::to_string(scales.size()) + " scale factors");
    MassSrcOption = option;
    MassSrcLoadPattern = patterns;
    MassSrcSF = scales;

    if (option == 1 || option == 3) AddElementMasses(*this);
    if (option == 2 || option == 3) AddLoadMasses(*this, static_cast<double>(units_.Gravity));
}

}  // namespace t2v::source
