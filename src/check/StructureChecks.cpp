#include "check/StructureChecks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "decode/Emitter.h"

namespace t2v::check {
namespace {

const char* const kUnusedNode = "unused node";
const char* const kMissingGroup = "missing element group";
const char* const kMissingCompound = "missing compound";
const char* const kMissingMaterial = "missing material";
const char* const kMissingNode = "missing node";
const char* const kZeroLength = "zero length";
const char* const kZeroArea = "zero area";
const char* const kCoincident = "coincident nodes";
const char* const kEmptyGroup = "empty group";
const char* const kLoadMissing = "load on missing element";
const char* const kBadLoadItem = "broken load shape";
const char* const kDriftMissing = "drift names missing node";
const char* const kCutMissing = "cut names missing element";
const char* const kFrameMissing = "frame names missing object";

std::string num(std::int64_t n) { return std::to_string(n); }

class Checker {
public:
    Checker(const StructureDigest& d, CheckReport& r) : d_(d), r_(r) {}

    void run(double tolerance) {
        r_.tolerance = tolerance > 0 ? tolerance : defaultTolerance();
        elementsAndNodes();
        coincidentNodes();
        emptyGroups();
        elementLoads();
        selfWeight();
        driftsAndCuts();
        frames();
    }

private:
    void add(const char* kind, std::string text) { r_.findings.push_back({kind, std::move(text)}); }
    std::int64_t nodeCount() const { return static_cast<std::int64_t>(d_.nodes.size()); }
    std::int64_t elementCount() const { return static_cast<std::int64_t>(d_.elements.size()); }
    bool isElement(std::int64_t e) const { return e >= 1 && e <= elementCount() && d_.elements[e - 1].group != 0; }
    const DigestNode& node(std::int64_t n) const { return d_.nodes[static_cast<std::size_t>(n - 1)]; }

    double defaultTolerance() const {
        double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0};
        bool first = true;
        for (const auto& n : d_.nodes) {
            double c[3] = {n.x, n.y, n.z};
            for (int k = 0; k < 3; ++k) {
                lo[k] = first ? c[k] : std::min(lo[k], c[k]);
                hi[k] = first ? c[k] : std::max(hi[k], c[k]);
            }
            first = false;
        }
        double extent = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
        return extent > 0 ? extent * 1e-6 : 1e-9;
    }

    void elementsAndNodes() {
        std::vector<std::uint8_t> used(d_.nodes.size(), 0);
        for (std::size_t n = 0; n < d_.nodes.size(); ++n) {
            const auto& node = d_.nodes[n];
            bool support = std::any_of(node.restraints.begin(), node.restraints.end(), [](auto r) { return r != 0; });
            if (support || node.inConstraint) used[n] = 1;
        }
        for (std::int64_t e = 1; e <= elementCount(); ++e) {
            const DigestElement& el = d_.elements[static_cast<std::size_t>(e - 1)];
            const std::string name = "element " + num(e);
            if (el.group == 0) continue;  // a group's head element refers to nothing
            if (el.group < 0 || static_cast<std::size_t>(el.group) > d_.groups.size()) {
                add(kMissingGroup, name + " is in element group " + num(el.group) + ", which does not exist");
                continue;
            }
            const int type = d_.groups[static_cast<std::size_t>(el.group - 1)].type;
            compoundOf(name, el, type);
            const int corners = IsAreaType(type) ? 4 : 2;
            bool nodesExist = true;
            for (int k = 0; k < corners; ++k) {
                std::int64_t n = el.nodes[static_cast<std::size_t>(k)];
                if (n < 1 || n > nodeCount()) {
                    add(kMissingNode,
                        name + " names node " + num(n) + " at corner " + num(k + 1) + ", which does not exist");
                    nodesExist = false;
                } else {
                    used[static_cast<std::size_t>(n - 1)] = 1;
                }
            }
            if (!nodesExist) continue;
            const double tol = r_.tolerance;
            if (IsFrameType(type)) {
                double l = Distance(node(el.nodes[0]), node(el.nodes[1]));
                if (l <= tol)
                    add(kZeroLength, name + " from node " + num(el.nodes[0]) + " to node " + num(el.nodes[1]) +
                                         " has length " + decode::FormatReal(l, false));
            } else if (IsAreaType(type)) {
                double a = QuadArea(node(el.nodes[0]), node(el.nodes[1]), node(el.nodes[2]), node(el.nodes[3]));
                if (a <= tol * tol)
                    add(kZeroArea, name + " on nodes " + num(el.nodes[0]) + ", " + num(el.nodes[1]) + ", " +
                                       num(el.nodes[2]) + ", " + num(el.nodes[3]) + " has area " +
                                       decode::FormatReal(a, false));
            }
        }
        for (const auto& drift : d_.drifts)
            for (std::int64_t n : {drift.top, drift.bottom})
                if (n >= 1 && n <= nodeCount()) used[static_cast<std::size_t>(n - 1)] = 1;
        // Node 1 is the origin node every structure has; nothing is meant to use it.
        for (std::size_t n = 1; n < used.size(); ++n)
            if (!used[n])
                add(kUnusedNode,
                    "node " + num(static_cast<std::int64_t>(n + 1)) + " is used by no element, constraint or support");
    }

    void compoundOf(const std::string& name, const DigestElement& el, int type) {
        const std::vector<DigestAreaComponent>* area = nullptr;
        std::size_t count = 0;
        const char* table = nullptr;
        if (IsFrameType(type)) {
            count = d_.frameCompounds.size();
            table = "frame compound";
        } else if (type == 6) {
            area = &d_.wallCompounds;
            table = "wall compound";
        } else if (type == 11) {
            area = &d_.generalWalls;
            table = "general wall compound";
        } else if (type == 12) {
            area = &d_.slabSections;
            table = "slab section";
        } else {
            return;  // a group type whose components this tool does not know
        }
        if (area) count = area->size();
        if (el.compound < 1 || static_cast<std::size_t>(el.compound) > count) {
            add(kMissingCompound, name + " refers to " + table + " " + num(el.compound) + ", but there are " +
                                      num(static_cast<std::int64_t>(count)));
            return;
        }
        if (!area) return;
        const DigestAreaComponent& c = (*area)[static_cast<std::size_t>(el.compound - 1)];
        // Slab sections name an elastic slab material, wall compounds of kind 5 an
        // elastic shear material; both must exist.
        std::int64_t limit = -1;
        const char* material = nullptr;
        if (type == 12) {
            limit = d_.elasticSlabMaterials;
            material = "elastic slab material";
        } else if (type == 6 && c.materialKind == 5) {
            limit = d_.elasticShearMaterials;
            material = "elastic shear material";
        }
        if (material && (c.material < 1 || c.material > limit))
            add(kMissingMaterial, name + " uses " + table + " " + num(el.compound) + ", whose " + material + " " +
                                      num(c.material) + " does not exist");
    }

    void coincidentNodes() {
        // A hash grid of cells one tolerance wide: each node is compared with the
        // nodes of its own and the 26 neighbouring cells only.
        const double tol = r_.tolerance;
        struct Key {
            std::int64_t x, y, z;
            bool operator==(const Key&) const = default;
        };
        struct Hash {
            std::size_t operator()(const Key& k) const noexcept {
                return static_cast<std::size_t>(k.x * 73856093LL ^ k.y * 19349663LL ^ k.z * 83492791LL);
            }
        };
        std::unordered_map<Key, std::vector<std::size_t>, Hash> cells;
        cells.reserve(d_.nodes.size());
        auto keyOf = [&](const DigestNode& n) {
            return Key{static_cast<std::int64_t>(std::floor(n.x / tol)),
                       static_cast<std::int64_t>(std::floor(n.y / tol)),
                       static_cast<std::int64_t>(std::floor(n.z / tol))};
        };
        for (std::size_t i = 1; i < d_.nodes.size(); ++i) {  // not the origin node
            const DigestNode& n = d_.nodes[i];
            Key k = keyOf(n);
            for (std::int64_t dx = -1; dx <= 1; ++dx)
                for (std::int64_t dy = -1; dy <= 1; ++dy)
                    for (std::int64_t dz = -1; dz <= 1; ++dz) {
                        auto it = cells.find(Key{k.x + dx, k.y + dy, k.z + dz});
                        if (it == cells.end()) continue;
                        for (std::size_t j : it->second)
                            if (Distance(n, d_.nodes[j]) <= tol)
                                add(kCoincident, "node " + num(static_cast<std::int64_t>(j + 1)) + " and node " +
                                                     num(static_cast<std::int64_t>(i + 1)) + " are " +
                                                     decode::FormatReal(Distance(n, d_.nodes[j]), false) + " apart");
                    }
            cells[k].push_back(i);
        }
    }

    void emptyGroups() {
        std::vector<std::int64_t> members(d_.groups.size(), 0);
        for (const auto& e : d_.elements)
            if (e.group >= 1 && static_cast<std::size_t>(e.group) <= members.size())
                ++members[static_cast<std::size_t>(e.group - 1)];
        for (std::size_t g = 0; g < d_.groups.size(); ++g)
            if (members[g] == 0)
                add(kEmptyGroup, "element group " + num(static_cast<std::int64_t>(g + 1)) + " \"" + d_.groups[g].name +
                                     "\" has no element");
        for (std::size_t f = 0; f < d_.frames.size(); ++f)
            if (d_.frames[f].nodes.empty() && d_.frames[f].elements.empty())
                add(kEmptyGroup, "frame " + num(static_cast<std::int64_t>(f + 1)) + " \"" + d_.frames[f].name +
                                     "\" has no node and no element");
        for (std::size_t s = 0; s < d_.sectionGroups.size(); ++s)
            if (s >= d_.sectionGroupCuts.size() || d_.sectionGroupCuts[s].empty())
                add(kEmptyGroup, "section group " + num(static_cast<std::int64_t>(s + 1)) + " \"" +
                                     d_.sectionGroups[s] + "\" has no cut");
    }

    std::string patternName(const std::vector<DigestPattern>& table, int p) const {
        if (p >= 1 && static_cast<std::size_t>(p) <= table.size())
            return "\"" + table[static_cast<std::size_t>(p - 1)].name + "\"";
        return num(p);
    }

    void elementLoads() {
        // Shapes by (pattern, group, ordinal), and their item chains.
        std::map<std::tuple<int, int, int>, const DigestShape*> shapes;
        const auto items = static_cast<std::int64_t>(d_.loadItems.size());
        for (const DigestShape& s : d_.shapes) {
            shapes[{s.pattern, s.group, s.shape}] = &s;
            std::string name = "load shape " + num(s.shape) + " of element load pattern " +
                               patternName(d_.elementPatterns, s.pattern) + " in element group " + num(s.group);
            std::int64_t at = s.firstItem, seen = 0;
            while (at != 0 && seen <= s.itemCount) {
                if (at < 1 || at > items) {
                    add(kBadLoadItem, name + " names load item " + num(at) + ", but there are " + num(items));
                    break;
                }
                ++seen;
                at = d_.loadItems[static_cast<std::size_t>(at - 1)].next;
            }
            if (at == 0 && seen != s.itemCount)
                add(kBadLoadItem,
                    name + " has " + num(seen) + " load items in its chain, but counts " + num(s.itemCount));
            else if (at != 0 && seen > s.itemCount)
                add(kBadLoadItem, name + ": its chain of load items does not end after " + num(s.itemCount) + " items");
        }
        for (const DigestShapeUse& u : d_.shapeUses) {
            std::string where = "element load pattern " + patternName(d_.elementPatterns, u.pattern);
            if (!isElement(u.element)) {
                add(kLoadMissing, where + " loads element " + num(u.element) + ", which does not exist");
                continue;
            }
            int group = d_.elements[static_cast<std::size_t>(u.element - 1)].group;
            if (!shapes.count({u.pattern, group, u.shape}))
                add(kLoadMissing, where + " gives element " + num(u.element) + " load shape " + num(u.shape) +
                                      ", which element group " + num(group) + " does not have");
        }
    }

    void selfWeight() {
        for (std::size_t p = 0; p < d_.selfWeightElements.size(); ++p)
            for (std::int64_t e : d_.selfWeightElements[p])
                if (!isElement(e))
                    add(kLoadMissing, "self-weight pattern " +
                                          patternName(d_.selfWeightPatterns, static_cast<int>(p + 1)) +
                                          " flags element " + num(e) + ", which does not exist");
    }

    void driftsAndCuts() {
        for (std::size_t i = 0; i < d_.drifts.size(); ++i)
            for (std::int64_t n : {d_.drifts[i].top, d_.drifts[i].bottom})
                if (n < 1 || n > nodeCount())
                    add(kDriftMissing,
                        "drift \"" + d_.drifts[i].name + "\" names node " + num(n) + ", which does not exist");
        const auto items = static_cast<std::int64_t>(d_.cutItems.size());
        for (const DigestCut& cut : d_.cuts) {
            std::int64_t at = cut.firstItem, seen = 0;
            while (at != 0 && seen < cut.itemCount) {
                if (at < 1 || at > items) {
                    add(kCutMissing,
                        "section cut \"" + cut.name + "\" names cut item " + num(at) + ", but there are " + num(items));
                    break;
                }
                const DigestCutItem& item = d_.cutItems[static_cast<std::size_t>(at - 1)];
                // Each cut's list starts with a leading item that names no element.
                if (seen == 0 ? item.element != 0 : !isElement(item.element))
                    add(kCutMissing, "section cut \"" + cut.name + "\" names element " + num(item.element) +
                                         ", which does not exist");
                ++seen;
                at = item.next;
            }
        }
    }

    void frames() {
        for (std::size_t f = 0; f < d_.frames.size(); ++f) {
            const DigestFrame& fr = d_.frames[f];
            for (std::int64_t n : fr.nodes)
                if (n < 1 || n > nodeCount())
                    add(kFrameMissing, "frame \"" + fr.name + "\" holds node " + num(n) + ", which does not exist");
            for (std::int64_t e : fr.elements)  // slot 0 of the membership matrix is never an element
                if (!isElement(e))
                    add(kFrameMissing, "frame \"" + fr.name + "\" holds element " + num(e) + ", which does not exist");
        }
    }

    const StructureDigest& d_;
    CheckReport& r_;
};

}  // namespace

double Distance(const DigestNode& a, const DigestNode& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

double QuadArea(const DigestNode& a, const DigestNode& b, const DigestNode& c, const DigestNode& d) {
    // Area nodes are ordered bottom edge (1, 2) then top edge (3, 4) running the same
    // way, so the diagonals are 1-4 and 2-3.
    const double p[3] = {d.x - a.x, d.y - a.y, d.z - a.z};
    const double q[3] = {c.x - b.x, c.y - b.y, c.z - b.z};
    const double x = p[1] * q[2] - p[2] * q[1], y = p[2] * q[0] - p[0] * q[2], z = p[0] * q[1] - p[1] * q[0];
    return 0.5 * std::sqrt(x * x + y * y + z * z);
}

bool IsFrameType(int type) { return type == 2 || type == 3 || type == 5; }
bool IsAreaType(int type) { return type == 6 || type == 11 || type == 12; }

CheckReport CheckStructure(const StructureDigest& d, const CheckOptions& options) {
    CheckReport r;
    Checker(d, r).run(options.tolerance);
    return r;
}

const std::vector<std::string>& FindingKinds() {
    static const std::vector<std::string> kinds = {
        kMissingGroup, kMissingCompound, kMissingMaterial, kMissingNode, kZeroLength,   kZeroArea,   kUnusedNode,
        kCoincident,   kEmptyGroup,      kLoadMissing,     kBadLoadItem, kDriftMissing, kCutMissing, kFrameMissing};
    return kinds;
}

void PrintFindings(const CheckReport& r, std::ostream& out, std::size_t perKind) {
    if (r.findings.empty()) {
        out << "No problems found.\n";
        return;
    }
    for (const std::string& kind : FindingKinds()) {
        std::size_t n = 0;
        for (const Finding& f : r.findings) {
            if (f.kind != kind) continue;
            if (n == 0) out << kind << ":\n";
            if (n < perKind) out << "  " << f.text << '\n';
            ++n;
        }
        if (n > perKind) out << "  ... and " << (n - perKind) << " more\n";
    }
    out << r.findings.size() << (r.findings.size() == 1 ? " problem" : " problems") << " found.\n";
}

void PrintFindingsJson(const CheckReport& r, std::ostream& out) {
    {
        decode::JsonWriter w(out, true);
        EmitFindings(r, w);
    }
    out << '\n';
}

void EmitFindings(const CheckReport& r, decode::Emitter& w) {
    w.beginObject();
    w.key("tolerance");
    w.real(r.tolerance, false);
    w.key("problems");
    w.integer(static_cast<std::int64_t>(r.findings.size()));
    w.key("counts");
    w.beginObject();
    for (const std::string& kind : FindingKinds()) {
        auto n = std::count_if(r.findings.begin(), r.findings.end(), [&](const Finding& f) { return f.kind == kind; });
        if (n == 0) continue;
        w.key(kind);
        w.integer(n);
    }
    w.endObject();
    w.key("findings");
    w.beginArray();
    for (const Finding& f : r.findings) {
        w.beginObject();
        w.key("kind");
        w.string(f.kind);
        w.key("text");
        w.string(f.text);
        w.endObject();
    }
    w.endArray();
    w.endObject();
}

}  // namespace t2v::check
