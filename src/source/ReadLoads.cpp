// Load patterns and loads (read steps 9 to 15 and 24).
//
// Only force loads in the coordinate system "GLOBAL" that act vertically are taken
// over. After reading:
//   - joint loads, frame end point loads and area loads are nodal forces in
//     TarvoLoadNodeObj (F3 upward positive);
//   - frame distributed loads are, per frame and pattern, non-overlapping trapezoids
//     (downward positive) with no zero and no collinear neighbours;
//   - frame interior point loads are, per frame and pattern, sorted with coincident
//     loads summed (downward positive).
#include <algorithm>
#include <cmath>
#include <numeric>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <utility>

#include "common/KeyedHash.h"
#include "common/Text.h"
#include "source/TarvoModelObj.h"

namespace t2v::source {

namespace {

constexpr double kTiny = 1e-6;

// The vertical direction codes the loads are taken in. 6 and 9 carry values positive
// upward, 10 and 11 positive downward; 9 and 11 act on the projected (plan) extent.
bool IsVerticalDirection(int dir) { return dir == 6 || dir == 9 || dir == 10 || dir == 11; }
bool IsUpwardDirection(int dir) { return dir == 6 || dir == 9; }
bool IsProjectedDirection(int dir) { return dir == 9 || dir == 11; }

bool IsGlobal(const std::string& csys) { return trimBlanks(csys) == "GLOBAL"; }

// False only for a load this transfer takes over (the load type is not looked at).
bool IsLoadOutsideScope(int /*type*/, const std::string& csys, int dir) {
    return !(IsGlobal(csys) && IsVerticalDirection(dir));
}

// A frame load is taken over when it is a force (not a moment) in GLOBAL acting vertically.
bool IsFrameLoadAccepted(int loadType, const std::string& csys, int dir) {
    return loadType == 1 && IsGlobal(csys) && IsVerticalDirection(dir);
}

// Value at x of the line through (x1, v1) and (x2, v2), 0 outside [x1, x2], v1 when the
// two abscissae coincide.
double Interpolate(double x, double x1, double v1, double x2, double v2) {
    if (x1 == x2) return v1;
    if (x < std::min(x1, x2) || x > std::max(x1, x2)) return 0.0;
    return v1 + (v2 - v1) * (x - x1) / (x2 - x1);
}

// Index of the breakpoint at d: an existing one within the tolerance, else a new one
// inserted in order, carrying the value the distribution already has there.
std::size_t BreakpointAt(TarvoPairObj& p, double d) {
    auto& dist = p.dist;
    auto it = std::lower_bound(dist.begin(), dist.end(), d - kTiny);
    for (; it != dist.end() && *it <= d + kTiny; ++it)
        if (std::fabs(*it - d) < kTiny) return static_cast<std::size_t>(it - dist.begin());

    const std::size_t at = static_cast<std::size_t>(std::lower_bound(dist.begin(), dist.end(), d) - dist.begin());
    double v = 0.0;
    if (at > 0 && at < dist.size()) v = Interpolate(d, dist[at - 1], p.ValRight[at - 1], dist[at], p.ValLeft[at]);
    const auto pos = static_cast<std::ptrdiff_t>(at);
    dist.insert(dist.begin() + pos, d);
    p.ValLeft.insert(p.ValLeft.begin() + pos, v);
    p.ValRight.insert(p.ValRight.begin() + pos, v);
    return at;
}

TarvoLoadFrameDistObj* FindLoadFrameDist(TarvoFrameObj& f, const std::string& pattern, int loadType,
                                         const std::string& csys) {
    for (auto& d : f.LoadFrameDistributed)
        if (d.PatternLabel == pattern && d.LoadType == loadType && d.CSys == csys) return &d;
    return nullptr;
}

TarvoLoadFramePointObj* FindLoadFramePoint(TarvoFrameObj& f, const std::string& pattern) {
    for (auto& p : f.LoadFramePoint)
        if (p.PatternLabel == pattern) return &p;
    return nullptr;
}

// The point-load object of a pattern on a frame, made when missing.
TarvoLoadFramePointObj& PointLoadsOf(TarvoFrameObj& f, const std::string& pattern, const std::string& csys) {
    if (TarvoLoadFramePointObj* p = FindLoadFramePoint(f, pattern)) return *p;
    auto& p = f.LoadFramePoint.emplace_back();
    p.Label = f.Label;
    p.PatternLabel = pattern;
    p.LoadType = 1;
    p.CSys = csys;
    return p;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Load objects

void TarvoLoadNodeObj::SetLoadNode(const std::string& label, const std::string& pattern, double F1, double F2,
                                   double F3, double M1, double M2, double M3) {
    for (Item& it : Items) {
        if (it.LoadPattern == pattern) {
            it.F1 += F1;
            it.F2 += F2;
            it.F3 += F3;
            it.M1 += M1;
            it.M2 += M2;
            it.M3 += M3;
            return;
        }
    }
    Label = label;
    Items.push_back(Item{pattern, F1, F2, F3, M1, M2, M3});
}

void TarvoLoadAreaObj::SetLoadArea(const std::string& label, const std::string& pattern, const std::string& /*csys*/,
                                   int dir, double value) {
    const double upward = IsUpwardDirection(dir) ? value : -value;
    // A load on the plan projection and a load on the true surface are turned into
    // forces with different areas, so they are summed only with their own kind.
    for (Item& it : Items) {
        if (it.LoadPattern == pattern && IsProjectedDirection(it.Direction) == IsProjectedDirection(dir)) {
            it.Value += upward;
            return;
        }
    }
    Label = label;
    Items.push_back(Item{pattern, dir, upward});
}

void TarvoLoadFrameDistObj::AddLoadFrameDistributed(int direction, double rd1, double rd2, double val1, double val2) {
    // Values are kept downward positive whatever sense the host gave them in.
    if (IsUpwardDirection(direction)) {
        val1 = -val1;
        val2 = -val2;
    }
    // The object remembers the direction of its first load: every accepted code is
    // vertical, and the mass source counts the object by it.
    if (Dir == 0) Dir = direction;
    RD1.push_back(rd1);
    RD2.push_back(rd2);
    Val1.push_back(val1);
    Val2.push_back(val2);
}

void TarvoLoadFramePointObj::AddLoadFramePoint(int direction, double rd, double val) {
    if (IsUpwardDirection(direction)) val = -val;
    if (Direction == 0) Direction = direction;
    RD.push_back(rd);
    Val.push_back(val);
}

void TarvoLoadFramePointObj::RemoveLoadFramePoint(int idx) {
    if (idx < 1 || idx > ItemNum())
        throw std::out_of_range("frame point load " + std::to_string(idx) + " of frame " + Label + " does not exist");
    const auto at = static_cast<std::ptrdiff_t>(idx - 1);
    RD.erase(RD.begin() + at);
    Val.erase(Val.begin() + at);
}

void TarvoPairObj::AddFirstPair() {
    dist = {0.0, 1.0};
    ValLeft = {0.0, 0.0};
    ValRight = {0.0, 0.0};
}

// Adds one trapezoid to the distribution: the values left1/right1 just left and right
// of d1, left2/right2 just left and right of d2, and in between the line from right1 at
// d1 to left2 at d2. Expects d1 <= d2.
void TarvoPairObj::AddPair(double d1, double left1, double right1, double d2, double left2, double right2) {
    if (ItemNum() == 0) AddFirstPair();
    const std::size_t k1 = BreakpointAt(*this, d1);
    const std::size_t k2 = BreakpointAt(*this, d2);
    // Both ends on one breakpoint: the trapezoid is shorter than the tolerance and
    // carries nothing.
    if (k1 == k2) return;
    ValLeft[k1] += left1;
    ValRight[k1] += right1;
    ValLeft[k2] += left2;
    ValRight[k2] += right2;
    for (std::size_t k = k1 + 1; k < k2; ++k) {
        const double v = Interpolate(dist[k], dist[k1], right1, dist[k2], left2);
        ValLeft[k] += v;
        ValRight[k] += v;
    }
}

bool TarvoFrameObj::LoadFrameDistributedNotEmpty(const std::string& pattern) const {
    for (const auto& d : LoadFrameDistributed) {
        if (d.PatternLabel != pattern) continue;
        for (int i = 0; i < d.ItemNum(); ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (std::fabs(d.Val1[k]) > kTiny || std::fabs(d.Val2[k]) > kTiny) return true;
        }
    }
    return false;
}

bool TarvoFrameObj::LoadFramePointNotEmpty(const std::string& pattern) const {
    for (const auto& p : LoadFramePoint) {
        if (p.PatternLabel != pattern) continue;
        for (double v : p.Val)
            if (std::fabs(v) > kTiny) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------
// Sorting of the frame loads

namespace {

// Superposes the trapezoids of one frame and pattern into non-overlapping segments.
// lengthTolerance is 1e-6 mm in the model's length unit. `p` holds the breakpoints while
// they are summed; one is shared by every load of the step, so that a million loaded
// frames do not each keep (and allocate) three lists that are never read again.
void SortLoadFrameDistributed(TarvoLoadFrameDistObj& d, TarvoPairObj& p, double lengthTolerance) {
    p.dist.clear();
    p.ValLeft.clear();
    p.ValRight.clear();
    for (int i = 0; i < d.ItemNum(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        double a = d.RD1[k], b = d.RD2[k], va = d.Val1[k], vb = d.Val2[k];
        // A segment given from its far end is the same trapezoid.
        if (a > b) {
            std::swap(a, b);
            std::swap(va, vb);
        }
        p.AddPair(a, 0.0, va, b, vb, 0.0);
    }

    d.RD1.clear();
    d.RD2.clear();
    d.Val1.clear();
    d.Val2.clear();
    for (int i = 0; i + 1 < p.ItemNum(); ++i) {
        const auto k = static_cast<std::size_t>(i);
        const double v1 = p.ValRight[k], v2 = p.ValLeft[k + 1];
        if (std::fabs(v1) <= kTiny && std::fabs(v2) <= kTiny) continue;
        if (!(std::fabs(p.dist[k] - p.dist[k + 1]) > lengthTolerance)) continue;
        d.RD1.push_back(p.dist[k]);
        d.RD2.push_back(p.dist[k + 1]);
        d.Val1.push_back(v1);
        d.Val2.push_back(v2);
    }

    // Merge collinear neighbours, from the end so that a run of them collapses into one.
    for (int i = d.ItemNum() - 1; i >= 1; --i) {
        const auto k = static_cast<std::size_t>(i), j = k - 1;
        const double lenJ = d.RD2[j] - d.RD1[j], lenK = d.RD2[k] - d.RD1[k];
        if (std::fabs(d.RD2[j] - d.RD1[k]) >= kTiny || std::fabs(d.Val2[j] - d.Val1[k]) >= kTiny) continue;
        if (!(std::fabs(lenJ) > kTiny && std::fabs(lenK) > kTiny)) continue;
        const double slopeJ = (d.Val2[j] - d.Val1[j]) / lenJ, slopeK = (d.Val2[k] - d.Val1[k]) / lenK;
        if (std::fabs(slopeJ - slopeK) >= kTiny) continue;
        d.RD2[j] = d.RD2[k];
        d.Val2[j] = d.Val2[k];
        const auto at = static_cast<std::ptrdiff_t>(k);
        d.RD1.erase(d.RD1.begin() + at);
        d.RD2.erase(d.RD2.begin() + at);
        d.Val1.erase(d.Val1.begin() + at);
        d.Val2.erase(d.Val2.begin() + at);
    }
}

// Orders the point loads by position and sums those within the tolerance of the first
// load of their run into one load at that position.
void SortLoadFramePoint(TarvoLoadFramePointObj& p) {
    std::vector<std::size_t> order(p.RD.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p.RD[a] < p.RD[b]; });
    std::vector<double> rd, val;
    for (std::size_t i : order) {
        if (!rd.empty() && std::fabs(p.RD[i] - rd.back()) < kTiny)
            val.back() += p.Val[i];
        else {
            rd.push_back(p.RD[i]);
            val.push_back(p.Val[i]);
        }
    }
    p.RD = std::move(rd);
    p.Val = std::move(val);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// A frame load of a Dead or Live pattern that is not taken over, and why.
template <class Load>
void reportFrameLoad(TransferReport& report, std::string_view kind, const std::string& frame, const Load& l) {
    report.add(kind, frame + " (" + l.pattern + ")",
               l.loadType != 1 ? "moment load on a frame" : "load not vertical in GLOBAL", false,
               "system " + l.csys + ", direction " + std::to_string(l.dir));
}

// Read steps

void TarvoModelObj::ReadLoadPatterns() {
    host::Names names;
    host_.GetLoadPatternNameList(names);
    for (const std::string& name : names) {
        int type = 0;
        host_.GetLoadPatternType(name, type);
        if (!IsLoadPatternDeadOrLive(type)) {
            Report.add("load pattern", name, "load pattern other than Dead or Live", false,
                       "type " + std::to_string(type));
            continue;
        }
        double multiplier = 0.0;
        host_.GetLoadPatternSelfWeightMultiplier(name, multiplier);
        AddLoadPatternObj(name).SelfWtMultiplier = multiplier;
    }
}

void TarvoModelObj::ReadLoadNodes() {
    std::vector<host::PointForceLoad> loads;
    for (TarvoNodeObj& node : Nodes) {
        loads.clear();
        host_.GetPointForceLoads(node.Label, host::kObject, loads);
        auto kept = [&](const host::PointForceLoad& l) { return IsGlobal(l.csys) && LoadPatternObjGet(l.pattern); };
        for (const host::PointForceLoad& l : loads)
            if (LoadPatternObjGet(l.pattern) && !IsGlobal(l.csys))
                Report.add("point load", node.Label + " (" + l.pattern + ")", "load in a system other than GLOBAL",
                           false, "system " + l.csys);
        if (std::none_of(loads.begin(), loads.end(), kept)) continue;
        TarvoLoadNodeObj* obj = LoadNodeObjGet(node.Label);
        if (!obj) obj = &AddLoadNodeObj(node.Label);
        for (const host::PointForceLoad& l : loads)
            if (kept(l)) obj->SetLoadNode(node.Label, l.pattern, l.F1, l.F2, l.F3, l.M1, l.M2, l.M3);
    }
}

void TarvoModelObj::ReadLoadFramesDistributed() {
    const int unit = units_.LengthUnit;
    const double inchesPerUnit = unit >= 0 && unit < static_cast<int>(units_.LengthToInches.size())
                                     ? units_.LengthToInches[static_cast<std::size_t>(unit)]
                                     : 1.0;
    const double lengthTolerance = 0.03937 * 1e-6 / (inchesPerUnit > 0 ? inchesPerUnit : 1.0);

    std::vector<host::FrameDistributedLoad> loads;
    TarvoPairObj pairs;
    for (TarvoFrameObj& frame : Frames) {
        loads.clear();
        host_.GetFrameDistributedLoads(frame.Label, host::kObject, loads);
        for (const host::FrameDistributedLoad& l : loads) {
            if (!IsFrameLoadAccepted(l.loadType, l.csys, l.dir)) {
                if (LoadPatternObjGet(l.pattern)) reportFrameLoad(Report, "frame distributed load", frame.Label, l);
                continue;
            }
            // Accepted loads are all in GLOBAL: one object per pattern, however the host
            // spaced the system's name.
            const std::string csys = "GLOBAL";
            if (std::fabs(l.rd1 - l.rd2) >= kTiny) {
                TarvoLoadFrameDistObj* d = FindLoadFrameDist(frame, l.pattern, l.loadType, csys);
                if (!d) {
                    d = &frame.LoadFrameDistributed.emplace_back();
                    d->Label = frame.Label;
                    d->PatternLabel = l.pattern;
                    d->LoadType = l.loadType;
                    d->CSys = csys;
                }
                d->AddLoadFrameDistributed(l.dir, l.rd1, l.rd2, l.val1, l.val2);
            } else {
                // A load of no length is a point load at its position.
                PointLoadsOf(frame, l.pattern, csys).AddLoadFramePoint(l.dir, l.rd1, l.val1);
            }
        }
        for (auto& d : frame.LoadFrameDistributed) SortLoadFrameDistributed(d, pairs, lengthTolerance);
    }
}

void TarvoModelObj::ReadLoadFramesPoint() {
    std::vector<host::FramePointLoad> loads;
    for (TarvoFrameObj& frame : Frames) {
        loads.clear();
        host_.GetFramePointLoads(frame.Label, host::kObject, loads);
        for (const host::FramePointLoad& l : loads) {
            if (!IsFrameLoadAccepted(l.loadType, l.csys, l.dir)) {
                if (LoadPatternObjGet(l.pattern)) reportFrameLoad(Report, "frame point load", frame.Label, l);
                continue;
            }
            PointLoadsOf(frame, l.pattern, "GLOBAL").AddLoadFramePoint(l.dir, l.relDist, l.value);
        }
        for (auto& p : frame.LoadFramePoint) SortLoadFramePoint(p);
    }
}

void TarvoModelObj::CheckLoadFramePoint() {
    // A point load at an end of a frame acts on its node: it becomes a nodal force,
    // negated from the downward-positive frame value to the upward-positive F3.
    auto toNode = [this](const std::string& nodeLabel, const std::string& pattern, double val) {
        TarvoLoadNodeObj* obj = LoadNodeObjGet(nodeLabel);
        if (!obj) obj = &AddLoadNodeObj(nodeLabel);
        obj->SetLoadNode(nodeLabel, pattern, 0, 0, -val, 0, 0, 0);
    };
    for (TarvoFrameObj& frame : Frames) {
        for (TarvoLoadFramePointObj& p : frame.LoadFramePoint) {
            if (p.ItemNum() > 0 && p.RD.front() < kTiny) {
                toNode(frame.LabelNodeI, p.PatternLabel, p.Val.front());
                p.RemoveLoadFramePoint(1);
            }
            if (p.ItemNum() > 0 && std::fabs(p.RD.back() - 1.0) < kTiny) {
                toNode(frame.LabelNodeJ, p.PatternLabel, p.Val.back());
                p.RemoveLoadFramePoint(p.ItemNum());
            }
        }
    }
}

void TarvoModelObj::ReadLoadAreas() {
    // The three areas made from one host triangle share its label; the host's loads
    // of that label are read once, at the first of them, and ConvertLoadAreasToNodes
    // spreads them over all three.
    std::vector<host::AreaUniformLoad> loads;
    for (TarvoAreaObj& area : Areas) {
        if (*AreasWithLabel(area.Label).begin() != &area) continue;
        for (int pass = 0; pass < 2; ++pass) {
            loads.clear();
            if (pass == 0)
                host_.GetAreaUniformLoadsExtended(area.Label, host::kObject, loads);
            else
                host_.GetAreaUniformLoads(area.Label, host::kObject, loads);
            auto inScope = [](const host::AreaUniformLoad& l) { return !IsLoadOutsideScope(0, l.csys, l.dir); };
            for (const host::AreaUniformLoad& l : loads)
                if (!inScope(l) && LoadPatternObjGet(l.pattern))
                    Report.add("area load", area.Label + " (" + l.pattern + ")", "load not vertical in GLOBAL", false,
                               "system " + l.csys + ", direction " + std::to_string(l.dir));
            if (std::none_of(loads.begin(), loads.end(), inScope)) continue;
            TarvoLoadAreaObj& obj = AddLoadAreaObj();
            obj.Label = area.Label;
            for (const host::AreaUniformLoad& l : loads)
                if (inScope(l)) obj.SetLoadArea(area.Label, l.pattern, l.csys, l.dir, l.value);
        }
    }
}

void TarvoModelObj::ConvertLoadAreasToNodes() {
    for (TarvoLoadAreaObj& load : LoadAreas) {
        for (TarvoAreaObj* area : AreasWithLabel(load.Label)) {
            if (area->NumNodes != 4) continue;
            const double A = AreaObjAreaGet(*area, false);
            const double Ap = AreaObjAreaGet(*area, true);
            for (const TarvoLoadAreaObj::Item& it : load.Items) {
                const double Fz = it.Value * (IsProjectedDirection(it.Direction) ? Ap : A) / 4.0;
                for (const std::string& nodeLabel : area->LabelNodes) {
                    TarvoLoadNodeObj* obj = LoadNodeObjGet(nodeLabel);
                    if (!obj) obj = &AddLoadNodeObj(nodeLabel);
                    obj->SetLoadNode(nodeLabel, it.LoadPattern, 0, 0, Fz, 0, 0, 0);
                }
            }
        }
    }
}

void TarvoModelObj::SetLoadPatternFlags() {
    // Each flag is a question about all loads of a pattern; the loads are walked once
    // and the answers kept per pattern label.
    std::unordered_set<std::string, common::KeyedStringHash> withNodalLoad;
    for (const TarvoLoadNodeObj& l : LoadNodes)
        for (const auto& it : l.Items)
            for (double v : {it.F1, it.F2, it.F3, it.M1, it.M2, it.M3})
                if (std::fabs(v) > kTiny) {
                    withNodalLoad.insert(it.LoadPattern);
                    break;
                }

    std::unordered_set<std::string, common::KeyedStringHash> withFrameLoad;
    for (const TarvoFrameObj& f : Frames) {
        for (const auto& d : f.LoadFrameDistributed)
            if (!withFrameLoad.count(d.PatternLabel) && f.LoadFrameDistributedNotEmpty(d.PatternLabel))
                withFrameLoad.insert(d.PatternLabel);
        for (const auto& p : f.LoadFramePoint)
            if (!withFrameLoad.count(p.PatternLabel) && f.LoadFramePointNotEmpty(p.PatternLabel))
                withFrameLoad.insert(p.PatternLabel);
    }

    auto weighs = [](const TarvoPropMaterialObj* m) { return m && m->UnitWeight > kTiny; };
    bool someWeight = false;
    for (const TarvoFrameObj& f : Frames)
        if (f.PropFrameSectObj && weighs(f.PropFrameSectObj->PropMatObj)) {
            someWeight = true;
            break;
        }
    if (!someWeight) {
        for (const TarvoAreaObj& a : Areas) {
            const TarvoPropAreaSectObj* s = a.PropAreaSectObj;
            if (!s || s->PropType != 1) continue;
            if ((s->ShellType == 1 && weighs(s->PropMatObj)) || (s->ShellType == 6 && weighs(s->LayerPropMatConcObj))) {
                someWeight = true;
                break;
            }
        }
    }

    for (TarvoLoadPatternObj& p : LoadPatterns) {
        if (withNodalLoad.count(p.Label)) p.LoadNodeNotEmpty = true;
        if (p.SelfWtMultiplier >= kTiny && someWeight) p.SelfWeightNotEmpty = true;
        if (withFrameLoad.count(p.Label)) p.LoadElementNotEmpty = true;
    }
}

}  // namespace t2v::source
