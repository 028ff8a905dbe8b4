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

    if (option == 1 || option == 3) {
        for (TarvoNodeObj& node : Nodes) {
            std::array<double, 6> m{};
            if (host_.GetPointMass(node.Label, m) != 0) continue;
            // The vertical direction is never taken over.
            for (std::size_t d : {0u, 1u, 3u, 4u, 5u}) node.PointMass[d] = m[d];
        }
        for (TarvoFrameObj& frame : Frames) {
            TarvoNodeObj* ni = FrameEndNode(frame.NodeI, frame.LabelNodeI);
            TarvoNodeObj* nj = FrameEndNode(frame.NodeJ, frame.LabelNodeJ);
            const double L = FrameObjLengthGet(frame);
            auto toEnds = [&](double m) {
                if (ni) AddXY(ni->PointMass, m);
                if (nj) AddXY(nj->PointMass, m);
            };
            double perLength = 0.0;
            if (host_.GetFrameMass(frame.Label, perLength) == 0) toEnds(perLength * L / 2.0);
            const TarvoPropFrameSectObj* s = frame.PropFrameSectObj;
            if (s && s->PropMatObj) toEnds(s->PropMatObj->UnitMass * s->area * L / 2.0);
        }
        for (TarvoAreaObj& area : Areas) {
            if (area.NumNodes != 4) continue;
            const double A = AreaObjAreaGet(area);
            auto toCorners = [&](double m) {
                for (const std::string& label : area.LabelNodes)
                    if (TarvoNodeObj* n = NodeObjGet(label)) AddXY(n->PointMass, m);
            };
            double perArea = 0.0;
            if (host_.GetAreaMass(area.Label, perArea) == 0) toCorners(perArea * A / 4.0);
            const TarvoPropAreaSectObj* s = area.PropAreaSectObj;
            if (!s) continue;
            if (s->PropMatObj)
                toCorners(s->PropMatObj->UnitMass * s->Thick * A / 4.0);
            else if (s->LayerPropMatConcObj)
                toCorners(s->LayerPropMatConcObj->UnitMass * s->LayerVantraThick * A / 4.0);
        }
    }

    if (option == 2 || option == 3) {
        const double g = static_cast<double>(units_.Gravity);
        for (int j = 0; j < MassSrcLoadNum(); ++j) {
            const std::string& pattern = MassSrcLoadPattern[static_cast<std::size_t>(j)];
            const double SF = MassSrcSF[static_cast<std::size_t>(j)];

            // Nodal loads: F3 is upward positive, so a downward load adds mass.
            for (const TarvoLoadNodeObj& l : LoadNodes) {
                TarvoNodeObj* n = NodeObjGet(l.Label);
                if (!n) continue;
                for (const auto& it : l.Items)
                    if (it.LoadPattern == pattern) AddXY(n->LoadMass, -it.F3 * SF / g);
            }

            // Self weight of frames and areas; a pattern the model does not have weighs
            // nothing.
            const TarvoLoadPatternObj* p = LoadPatternObjGet(pattern);
            const double swm = p ? p->SelfWtMultiplier : 0.0;
            if (swm != 0.0) {
                for (const TarvoFrameObj& frame : Frames) {
                    const TarvoPropFrameSectObj* s = frame.PropFrameSectObj;
                    if (!s || !s->PropMatObj) continue;
                    const double m = swm * s->PropMatObj->UnitWeight * s->area * FrameObjLengthGet(frame) * SF / g / 2.0;
                    if (TarvoNodeObj* n = FrameEndNode(frame.NodeI, frame.LabelNodeI)) AddXY(n->FrameLoadMass, m);
                    if (TarvoNodeObj* n = FrameEndNode(frame.NodeJ, frame.LabelNodeJ)) AddXY(n->FrameLoadMass, m);
                }
                for (const TarvoAreaObj& area : Areas) {
                    const TarvoPropAreaSectObj* s = area.PropAreaSectObj;
                    if (area.NumNodes != 4 || !s) continue;
                    const double A = AreaObjAreaGet(area);
                    double m = 0.0;
                    if (s->PropMatObj)
                        m = swm * s->PropMatObj->UnitWeight * s->Thick * A * SF / g / 4.0;
                    else if (s->LayerPropMatConcObj)
                        m = swm * s->LayerPropMatConcObj->UnitWeight * s->LayerVantraThick * A * SF / g / 4.0;
                    else
                        continue;
                    for (const std::string& label : area.LabelNodes)
                        if (TarvoNodeObj* n = NodeObjGet(label)) AddXY(n->AreaLoadMass, m);
                }
            }

            // Frame loads: the end reactions of a simply supported span.
            for (const TarvoFrameObj& frame : Frames) {
                TarvoNodeObj* ni = FrameEndNode(frame.NodeI, frame.LabelNodeI);
                TarvoNodeObj* nj = FrameEndNode(frame.NodeJ, frame.LabelNodeJ);
                const double L = FrameObjLengthGet(frame);
                for (const auto& d : frame.LoadFrameDistributed) {
                    if (d.PatternLabel != pattern || !IsGravityDirection(d.Dir)) continue;
                    for (int i = 0; i < d.ItemNum(); ++i) {
                        const auto k = static_cast<std::size_t>(i);
                        const double a = d.RD1[k], b = d.RD2[k], w1 = d.Val1[k], w2 = d.Val2[k];
                        const double RI =
                            L * (b - a) * ((w2 - w1) / 2.0 * (1.0 - a / 3.0 - 2.0 * b / 3.0) + w1 * (1.0 - (a + b) / 2.0));
                        const double RJ = L * (b - a) * ((w2 - w1) / 2.0 * (2.0 * b / 3.0 + a / 3.0) + w1 * (a + b) / 2.0);
                        if (ni) AddXY(ni->FrameLoadMass, RI * SF / g);
                        if (nj) AddXY(nj->FrameLoadMass, RJ * SF / g);
                    }
                }
                if (!(FrameObjLengthGet(frame, true) > kTiny)) continue;
                for (const auto& pl : frame.LoadFramePoint) {
                    if (pl.PatternLabel != pattern) continue;
                    for (int i = 0; i < pl.ItemNum(); ++i) {
                        const auto k = static_cast<std::size_t>(i);
                        const double r = pl.RD[k], P = pl.Val[k];
                        if (ni) AddXY(ni->FrameLoadMass, (1.0 - r) * P * SF / g);
                        if (nj) AddXY(nj->FrameLoadMass, r * P * SF / g);
                    }
                }
            }
        }
    }
}

}  // namespace t2v::source
