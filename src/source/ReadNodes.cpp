// Nodes, supports and rigid diaphragms (read steps 4 and 5), and the top and bottom
// nodes that the drifts are measured between (step 25).
#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "common/KeyedHash.h"
#include "source/TarvoModelObj.h"

namespace t2v::source {

// ---------------------------------------------------------------------------------------
// TarvoConstraintObj
//
// Diaphragms of a few nodes are searched by scanning; a large one (a whole floor, or
// the result of many merges) keeps a count of its node ids so that FindNode and the
// merges stay linear in the nodes they touch.

namespace {
constexpr std::size_t kScanLimit = 32;
}  // namespace

void TarvoConstraintObj::forgetIndex() const {
    nodeIds_.clear();
    indexedNodes_ = 0;
    indexed_ = false;
}

bool TarvoConstraintObj::holdsId(std::int32_t nodeId) const {
    if (Nodes.size() <= kScanLimit) {
        for (const TarvoNodeObj* n : Nodes)
            if (n && n->id == nodeId) return true;
        return false;
    }
    if (!indexed_ || indexedNodes_ != Nodes.size()) {
        nodeIds_.clear();
        nodeIds_.reserve(Nodes.size());
        for (const TarvoNodeObj* n : Nodes)
            if (n) ++nodeIds_[n->id];
        indexedNodes_ = Nodes.size();
        indexed_ = true;
    }
    return nodeIds_.find(nodeId) != nodeIds_.end();
}

bool TarvoConstraintObj::FindNode(const TarvoNodeObj* n) const { return n && holdsId(n->id); }

void TarvoConstraintObj::NodeAdd(TarvoNodeObj* n) {
    if (!n) return;
    Nodes.push_back(n);
    // Keep a live index in step; a stale one is rebuilt when next asked.
    if (indexed_ && indexedNodes_ + 1 == Nodes.size()) {
        ++nodeIds_[n->id];
        ++indexedNodes_;
    }
}

bool TarvoConstraintObj::ExistCommonNode(const TarvoConstraintObj& other) const {
    // Walk the smaller list and ask the larger one, which is the one worth indexing.
    const TarvoConstraintObj& small = NodeNum() <= other.NodeNum() ? *this : other;
    const TarvoConstraintObj& large = &small == this ? other : *this;
    for (const TarvoNodeObj* n : small.Nodes)
        if (n && large.holdsId(n->id)) return true;
    return false;
}

void TarvoConstraintObj::UnionConstraint(TarvoConstraintObj& other) {
    if (&other != this) {
        Nodes.reserve(Nodes.size() + other.Nodes.size());
        // FindNode sees the nodes appended so far, so a node the other holds twice
        // comes over once.
        for (TarvoNodeObj* n : other.Nodes)
            if (n && !FindNode(n)) NodeAdd(n);
    }
    other.Nodes.clear();
    other.forgetIndex();
}

void TarvoConstraintObj::MergeConstraintObj(TarvoConstraintObj& other) {
    if (ExistCommonNode(other)) UnionConstraint(other);
}

void TarvoConstraintObj::RemoveSupportNode() {
    // Removing from the last node to the first, each time shifting the later ones
    // down, keeps the survivors in their order: a stable erase does the same at once.
    Nodes.erase(std::remove_if(Nodes.begin(), Nodes.end(), [](const TarvoNodeObj* n) { return n && n->IsSupportXY(); }),
                Nodes.end());
    forgetIndex();
}

// ---------------------------------------------------------------------------------------
// Step 4: every host point becomes a node, in host order; ids start at 2 because
// target node 1 is the extra node at the origin.

void TarvoModelObj::ReadNodes() {
    host::Names names;
    host_.GetPointNameList(names);
    nodeIndex_.reserve(names.size());
    for (const std::string& name : names) {
        double x = 0, y = 0, z = 0;
        host_.GetPointCoordinates(name, "Global", x, y, z);
        std::array<bool, 6> restraints{};
        host_.GetPointRestraints(name, restraints);
        TarvoNodeObj& n = AddNode(name);
        n.x = x;
        n.y = y;
        n.z = z;
        n.IsRestrained = restraints;
    }
}

// ---------------------------------------------------------------------------------------
// Step 5: rigid diaphragms about Z, merged where they share nodes.

namespace {

using ConstraintList = std::vector<std::unique_ptr<TarvoConstraintObj>>;

// Removes every constraint for which `drop` holds, keeping the others in order. The
// removed objects are retired rather than destroyed: nodes may refer to them.
template <class Pred>
void removeConstraintsWhere(ConstraintList& list, ConstraintList& retired, Pred drop) {
    ConstraintList kept;
    kept.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) (drop(i, *list[i]) ? retired : kept).push_back(std::move(list[i]));
    list = std::move(kept);
}

}  // namespace

void TarvoModelObj::RemoveConstraint(int i) {
    auto it = Constraints.begin() + (i - 1);
    RetiredConstraints.push_back(std::move(*it));
    Constraints.erase(it);
}

void TarvoModelObj::ReadConstraints() {
    // 1. The constraint names and the (point, constraint) assignments of group "ALL".
    host::Names constraintNames, assignedPoints, assignedConstraints;
    host_.GetConstraintNameList(constraintNames);
    host_.GetPointConstraints("ALL", host::kGroup, assignedPoints, assignedConstraints);
    const std::size_t assignmentNum = std::min(assignedPoints.size(), assignedConstraints.size());

    // The assignments of each constraint name, in assignment order: one pass instead
    // of a scan of every assignment per constraint.
    std::unordered_map<std::string_view, std::vector<std::size_t>, common::KeyedStringHash> assignmentsOf;
    assignmentsOf.reserve(constraintNames.size());
    for (std::size_t a = 0; a < assignmentNum; ++a) assignmentsOf[assignedConstraints[a]].push_back(a);

    // 2. Diaphragms about Z (3) or about the automatic axis (4) collect their nodes.
    std::unordered_map<std::string, TarvoConstraintObj*, common::KeyedStringHash> byLabel;
    for (const std::string& name : constraintNames) {
        int type = 0;
        host_.GetConstraintType(name, type);
        if (type != 2) {
            Report.add("constraint", name, "constraint that is not a diaphragm", false, "type " + std::to_string(type));
            continue;
        }
        int axis = 0;
        std::string csys;
        host_.GetDiaphragm(name, axis, csys);
        if (axis != 3 && axis != 4) {
            Report.add("constraint", name, "diaphragm with a normal other than Z", false,
                       "axis " + std::to_string(axis));
            continue;
        }
        auto found = assignmentsOf.find(name);
        if (found == assignmentsOf.end()) continue;
        for (std::size_t a : found->second) {
            // A point the node table does not know would be an empty reference that
            // later steps trip over; it is left out.
            TarvoNodeObj* node = NodeObjGet(assignedPoints[a]);
            if (!node) {
                Report.add("constraint", name, "unresolved point", false, "point " + assignedPoints[a]);
                continue;
            }
            TarvoConstraintObj*& c = byLabel[name];
            if (!c) {
                Constraints.push_back(std::make_unique<TarvoConstraintObj>());
                c = Constraints.back().get();
                c->Label = name;
            }
            c->NodeAdd(node);
        }
    }

    // 3. Constraints without nodes go.
    removeConstraintsWhere(Constraints, RetiredConstraints,
                           [](std::size_t, const TarvoConstraintObj& c) { return c.NodeNum() == 0; });

    // 4. A diaphragm that holds a node restrained in its plane goes whole.
    removeConstraintsWhere(Constraints, RetiredConstraints, [](std::size_t, const TarvoConstraintObj& c) {
        return std::any_of(c.Nodes.begin(), c.Nodes.end(), [](const TarvoNodeObj* n) { return n->IsSupportXY(); });
    });

    // 5. Number the survivors.
    std::unordered_map<std::string_view, TarvoConstraintObj*, common::KeyedStringHash> survivor;
    survivor.reserve(Constraints.size());
    for (std::size_t i = 0; i < Constraints.size(); ++i) {
        TarvoConstraintObj& c = *Constraints[i];
        c.id = c.idSort = static_cast<std::int32_t>(i + 1);
        survivor.emplace(c.Label, &c);
    }

    // 6. Each node learns the surviving constraints the host assigns to it.
    // One pair of answer lists for every node, emptied before each question so that a
    // question the host cannot answer leaves nothing behind.
    host::Names points, names;
    for (TarvoNodeObj& node : Nodes) {
        points.clear();
        names.clear();
        host_.GetPointConstraints(node.Label, host::kObject, points, names);
        for (const std::string& name : names) {
            auto it = survivor.find(name);
            if (it != survivor.end()) node.AddConstraintRef(it->second);
        }
    }

    // 7. A node's second and later constraints are sorted with its first one. One pass
    // in node order: a chain of diaphragms is joined only as far as this pass reaches.
    for (TarvoNodeObj& node : Nodes) {
        if (node.ConstraintNum() == 0) continue;
        const std::int32_t v = node.ConstraintObj(1)->id;
        for (int k = 2; k <= node.ConstraintNum(); ++k) node.ConstraintObj(k)->idSort = v;
    }

    // 8. Constraints of one idSort become one. Walking i upward and j downward from the
    // end, the first constraint with a given idSort takes in every later one with the
    // same idSort, the last of them first, and those are removed; no later constraint
    // is compared again once taken. Grouping by idSort gives that result directly.
    std::unordered_map<std::int32_t, std::vector<std::size_t>> sameSort;
    sameSort.reserve(Constraints.size());
    for (std::size_t i = 0; i < Constraints.size(); ++i) sameSort[Constraints[i]->idSort].push_back(i);
    std::vector<bool> taken(Constraints.size(), false);
    for (std::size_t i = 0; i < Constraints.size(); ++i) {
        if (taken[i]) continue;
        const std::vector<std::size_t>& group = sameSort[Constraints[i]->idSort];
        if (group.front() != i) continue;
        for (std::size_t g = group.size(); g-- > 1;) {
            Constraints[i]->UnionConstraint(*Constraints[group[g]]);
            taken[group[g]] = true;
        }
    }
    removeConstraintsWhere(Constraints, RetiredConstraints,
                           [&](std::size_t i, const TarvoConstraintObj&) { return taken[i]; });
}

// ---------------------------------------------------------------------------------------
// Step 25: the top and bottom nodes, the pair of the highest and lowest levels that
// lies most nearly on one vertical line.
//
// The pair is the first (top, bottom) in top-outer, bottom-inner order whose squared
// plan distance is the smallest and below 1e8. A grid over the bottom nodes' plan
// positions finds it without trying every pair: candidates are compared by
// (distance, top position, bottom position) with the same arithmetic as the plain
// loop, and a cell is skipped only when all of it lies clearly farther than the best
// distance so far, so ties are decided exactly as the plain loop decides them.

namespace {

struct PlanPoint {
    double x, y;
};

// The bottom nodes' plan positions sorted into a grid of about one point per cell.
class BottomGrid {
public:
    explicit BottomGrid(const std::vector<PlanPoint>& pts) {
        minX_ = minY_ = std::numeric_limits<double>::infinity();
        maxX_ = maxY_ = -minX_;
        for (const PlanPoint& p : pts) {
            minX_ = std::min(minX_, p.x);
            maxX_ = std::max(maxX_, p.x);
            minY_ = std::min(minY_, p.y);
            maxY_ = std::max(maxY_, p.y);
        }
        double w = maxX_ - minX_, h = maxY_ - minY_;
        if (!std::isfinite(w)) w = 0;  // one column: the grid only speeds the search up
        if (!std::isfinite(h)) h = 0;
        const double n = static_cast<double>(pts.size());
        if (w > 0 && h > 0) {
            const double side = std::sqrt(w * h / n);
            nx_ = cellsAlong(w / side, n);
            ny_ = cellsAlong(h / side, n);
        } else {
            nx_ = w > 0 ? cellsAlong(n, n) : 1;
            ny_ = h > 0 ? cellsAlong(n, n) : 1;
        }
        cellW_ = nx_ > 1 ? w / static_cast<double>(nx_) : 0.0;
        cellH_ = ny_ > 1 ? h / static_cast<double>(ny_) : 0.0;

        // The points of each cell in ascending position.
        std::vector<std::size_t> cellOf(pts.size());
        first_.assign(static_cast<std::size_t>(nx_) * static_cast<std::size_t>(ny_) + 1, 0);
        for (std::size_t i = 0; i < pts.size(); ++i) {
            cellOf[i] = cellIndex(col(pts[i].x), row(pts[i].y));
            ++first_[cellOf[i] + 1];
        }
        for (std::size_t c = 1; c < first_.size(); ++c) first_[c] += first_[c - 1];
        members_.resize(pts.size());
        std::vector<std::size_t> next(first_.begin(), first_.end() - 1);
        for (std::size_t i = 0; i < pts.size(); ++i) members_[next[cellOf[i]]++] = i;
    }

    long col(double x) const { return clampCell(cellW_ > 0 ? std::floor((x - minX_) / cellW_) : 0.0, nx_); }
    long row(double y) const { return clampCell(cellH_ > 0 ? std::floor((y - minY_) / cellH_) : 0.0, ny_); }
    long cols() const { return nx_; }
    long rows() const { return ny_; }

    template <class Visit>
    void visitCell(long cx, long cy, Visit&& visit) const {
        const std::size_t c = cellIndex(cx, cy);
        for (std::size_t k = first_[c]; k < first_[c + 1]; ++k) visit(members_[k]);
    }

    // A squared plan distance below which no point of a cell `ring` or more cells away
    // from the query's cell lies. Rounding may sort a point (or the query) into the
    // neighbouring cell at a cell border, so one cell on each side is not counted, and
    // the result is lowered a little further for the rounding of the distance itself.
    double lowerBound2(long ring, double x, double y) const {
        const double outX = std::max({0.0, minX_ - x, x - maxX_});
        const double outY = std::max({0.0, minY_ - y, y - maxY_});
        double b = outX * outX + outY * outY;
        if (ring > 0) {
            const double gap = static_cast<double>(std::max(ring - 3, 0L));
            double far = std::numeric_limits<double>::infinity();
            if (nx_ > 1) far = std::min(far, (outX + gap * cellW_) * (outX + gap * cellW_) + outY * outY);
            if (ny_ > 1) far = std::min(far, outX * outX + (outY + gap * cellH_) * (outY + gap * cellH_));
            b = std::max(b, far);
        }
        return b * (1.0 - 1e-9);
    }

private:
    // Cells along one side: `want` rounded up, at least 1, at most the point count.
    static long cellsAlong(double want, double n) {
        const double c = std::isfinite(want) ? std::ceil(want) : n;
        return static_cast<long>(std::clamp(c, 1.0, std::max(n, 1.0)));
    }
    static long clampCell(double v, long n) {
        if (!(v >= 0)) return 0;
        return v >= static_cast<double>(n - 1) ? n - 1 : static_cast<long>(v);
    }
    std::size_t cellIndex(long cx, long cy) const {
        return static_cast<std::size_t>(cy) * static_cast<std::size_t>(nx_) + static_cast<std::size_t>(cx);
    }

    double minX_, minY_, maxX_, maxY_, cellW_ = 0, cellH_ = 0;
    long nx_ = 1, ny_ = 1;
    std::vector<std::size_t> first_, members_;
};

}  // namespace

void TarvoModelObj::FindTopBottomNodes() {
    double zMax = -1000000.0, zMin = 10000000.0;
    for (const TarvoNodeObj& n : Nodes) {
        if (n.z > zMax) zMax = n.z;
        if (n.z < zMin) zMin = n.z;
    }
    std::vector<TarvoNodeObj*> top, bottom;
    for (TarvoNodeObj& n : Nodes) {
        if (std::fabs(n.z - zMax) < 1e-6) top.push_back(&n);
        if (std::fabs(n.z - zMin) < 1e-6) bottom.push_back(&n);
    }
    if (top.empty() || bottom.empty()) return;

    std::vector<PlanPoint> plan(bottom.size());
    for (std::size_t b = 0; b < bottom.size(); ++b) plan[b] = {bottom[b]->x, bottom[b]->y};
    const BottomGrid grid(plan);

    double best = 100000000.0;
    std::size_t bestTop = 0, bestBottom = 0;
    bool found = false;
    for (std::size_t t = 0; t < top.size(); ++t) {
        const double xt = top[t]->x, yt = top[t]->y;
        auto consider = [&](std::size_t b) {
            const double dx = xt - plan[b].x, dy = yt - plan[b].y;
            const double d = dx * dx + dy * dy;
            // Strictly smaller wins; an equal distance wins only for the same top node
            // and an earlier bottom node, which the plain loop would have met first.
            if (d < best || (found && d == best && bestTop == t && b < bestBottom)) {
                best = d;
                bestTop = t;
                bestBottom = b;
                found = true;
            }
        };
        const long cx = grid.col(xt), cy = grid.row(yt);
        const long maxRing = std::max({cx, grid.cols() - 1 - cx, cy, grid.rows() - 1 - cy});
        for (long ring = 0; ring <= maxRing; ++ring) {
            if (grid.lowerBound2(ring, xt, yt) > best) break;
            for (long gy = cy - ring; gy <= cy + ring; ++gy) {
                if (gy < 0 || gy >= grid.rows()) continue;
                // Whole rows at the ring's top and bottom, the two end cells between.
                const bool edgeRow = gy == cy - ring || gy == cy + ring;
                const long step = edgeRow ? 1 : 2 * ring;
                for (long gx = cx - ring; gx <= cx + ring; gx += step)
                    if (gx >= 0 && gx < grid.cols()) grid.visitCell(gx, gy, consider);
            }
        }
        // Nothing is strictly smaller than 0, and ties go to the earlier top node.
        if (found && best == 0.0) break;
    }
    if (!found) return;

    // The pair counts only when both of its list positions (from 1) are below the node
    // count, which keeps a model of one node from pairing that node with itself.
    const std::size_t nodeNum = static_cast<std::size_t>(NodeNum());
    if (bestTop + 1 < nodeNum && bestBottom + 1 < nodeNum) {
        NodeTopObj = top[bestTop];
        NodeBotObj = bottom[bestBottom];
    }
}

}  // namespace t2v::source
