// Areas (read steps 8, 19, 21 and 27): every host shell becomes one or more 4-node
// areas with their nodes in a fixed order, linked to its section, classified as wall,
// slab or ramp, and searched for frames that meet it (embedded beams).
//
// A 3-node area is split into three 4-node areas around its centroid and the middle
// points of its sides. Those points become nodes unless a node already sits there
// (within 1e-6 on each axis), so neighbouring triangles share their mid-side nodes.
// The search goes through a grid of coordinate cells instead of over every node.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "common/KeyedHash.h"
#include "source/TarvoModelObj.h"

namespace t2v::source {

namespace {

constexpr double kSameCoordinate = 1e-6;

// Hash of three cell numbers (splitmix-style mixing, stable across runs).
std::uint64_t mix(std::uint64_t h) {
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ULL;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebULL;
    h ^= h >> 31;
    return h;
}

struct Cell3 {
    std::int64_t a = 0, b = 0, c = 0;
    bool operator==(const Cell3&) const = default;
};

struct Cell3Hash {
    std::size_t operator()(const Cell3& k) const {
        std::uint64_t h = mix(static_cast<std::uint64_t>(k.a));
        h = mix(h ^ static_cast<std::uint64_t>(k.b));
        h = mix(h ^ static_cast<std::uint64_t>(k.c));
        return static_cast<std::size_t>(h);
    }
};

// Values are indexed by cells of a grid much wider than the tolerance, so that most
// searches look into one cell per axis and only a value near a cell border also looks
// into the neighbouring cell. Cells are wide enough for structural models, whose nodes
// lie far further apart than a cell, and narrow enough that a cell rarely holds more
// than one of them.
constexpr double kCellWidth = 1e-4;

// Cell number of a value. Huge values are clamped well inside the integer range; a
// value that is not a number goes to cell 0, where the exact comparison that follows
// every cell search rejects it.
std::int64_t cellOf(double v) {
    constexpr double kLimit = 4.0e18;
    const double q = std::floor(v / kCellWidth);
    if (std::isnan(q)) return 0;
    return static_cast<std::int64_t>(std::clamp(q, -kLimit, kLimit));
}

// The cells that can hold a value within the tolerance of v: the range is widened by
// half the tolerance again so that rounding in v +- tolerance never loses a cell.
struct CellRange {
    std::int64_t lo, hi;
};
CellRange cellsNear(double v) {
    constexpr double kReach = 1.5 * kSameCoordinate;
    return CellRange{cellOf(v - kReach), cellOf(v + kReach)};
}

bool sameCoordinates(const TarvoNodeObj& n, double x, double y, double z) {
    return std::fabs(x - n.x) < kSameCoordinate && std::fabs(y - n.y) < kSameCoordinate &&
           std::fabs(z - n.z) < kSameCoordinate;
}

struct Point3 {
    double x = 0, y = 0, z = 0;
};

// The order OrderAreaNodes gives four corners, as a permutation of 0..3: corners
// sorted upward by z (an exchange whenever a later corner lies strictly lower), then
// the upper edge turned to run the same way as the lower edge.
std::array<int, 4> cornerOrder(const std::array<Point3, 4>& p) {
    std::array<int, 4> o{0, 1, 2, 3};
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (p[o[j]].z < p[o[i]].z) std::swap(o[i], o[j]);
    const Point3 &p1 = p[o[0]], &p2 = p[o[1]], &p3 = p[o[2]], &p4 = p[o[3]];
    if ((p4.x - p3.x) * (p2.x - p1.x) + (p4.y - p3.y) * (p2.y - p1.y) < 0) std::swap(o[2], o[3]);
    return o;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Nodes by coordinate cell. A node within the tolerance of a point lies in one of the
// cells near the point (one or two per axis). Each cell keeps its nodes as a chain in
// table order; the first match of a chain is its lowest position, and the lowest over
// the cells searched is the first matching node of the whole table.
class NodeCoordIndex {
public:
    // Indexes the nodes appended since the last call (by any reader).
    void catchUp(const ObjTable<TarvoNodeObj>& nodes) {
        if (nodes.Num() < indexed_) clear();
        if (indexed_ == 0) cells_.reserve(static_cast<std::size_t>(nodes.Num()) + 64);
        next_.resize(static_cast<std::size_t>(nodes.Num()), 0);
        for (int p = indexed_ + 1; p <= nodes.Num(); ++p) {
            const TarvoNodeObj& n = nodes.Obj(p);
            auto [it, fresh] = cells_.try_emplace(cellKey(n.x, n.y, n.z), Chain{p, p});
            if (!fresh) {
                next_[static_cast<std::size_t>(it->second.tail - 1)] = p;
                it->second.tail = p;
            }
        }
        indexed_ = nodes.Num();
    }

    // Table position (1-based) of the first node within the tolerance on every axis,
    // 0 when there is none.
    int find(const ObjTable<TarvoNodeObj>& nodes, double x, double y, double z) const {
        const CellRange ra = cellsNear(x), rb = cellsNear(y), rc = cellsNear(z);
        int best = 0;
        for (std::int64_t a = ra.lo; a <= ra.hi; ++a)
            for (std::int64_t b = rb.lo; b <= rb.hi; ++b)
                for (std::int64_t c = rc.lo; c <= rc.hi; ++c) {
                    auto it = cells_.find(Cell3{a, b, c});
                    if (it == cells_.end()) continue;
                    for (int p = it->second.head; p != 0 && (best == 0 || p < best);
                         p = next_[static_cast<std::size_t>(p - 1)]) {
                        if (sameCoordinates(nodes.Obj(p), x, y, z)) {
                            best = p;
                            break;
                        }
                    }
                }
        return best;
    }

private:
    struct Chain {
        int head = 0, tail = 0;
    };

    static Cell3 cellKey(double x, double y, double z) { return Cell3{cellOf(x), cellOf(y), cellOf(z)}; }

    void clear() {
        cells_.clear();
        next_.clear();
        indexed_ = 0;
    }

    std::unordered_map<Cell3, Chain, Cell3Hash> cells_;
    std::vector<int> next_;  // next_[p - 1]: the next position in p's cell, 0 at the end
    int indexed_ = 0;
};

NodeCoordIndex& TarvoModelObj::coordIndex() {
    if (!nodeCoordIndex_) nodeCoordIndex_ = std::make_shared<NodeCoordIndex>();
    nodeCoordIndex_->catchUp(Nodes);
    return *nodeCoordIndex_;
}

TarvoNodeObj& TarvoModelObj::GetOrAddNewNode(long& k, double x, double y, double z) {
    NodeCoordIndex& index = coordIndex();
    if (int p = index.find(Nodes, x, y, z)) return Nodes.Obj(p);

    std::string label = std::to_string(k) + "NewNode";
    while (NodeObjGet(label) != nullptr) {
        ++k;
        label = std::to_string(k) + "NewNode";
    }
    TarvoNodeObj& n = AddNode(label);
    n.x = x;
    n.y = y;
    n.z = z;
    n.IsRestrained = {};
    index.catchUp(Nodes);
    return n;
}

namespace {

// The node a corner of an area refers to, or an error that names the area and corner.
const TarvoNodeObj& cornerNode(const ObjTable<TarvoNodeObj>& nodes, const TarvoAreaObj& area, std::size_t i) {
    const std::int32_t id = area.idNodes.at(i);
    // Node ids start at 2: target node 1 is not a source node.
    if (id < 2 || id - 1 > nodes.Num())
        throw std::runtime_error("area " + area.Label + ": corner point " + area.LabelNodes.at(i) +
                                 " is not a point of the model");
    return nodes.Obj(id - 1);
}

std::array<Point3, 4> cornerPoints(const ObjTable<TarvoNodeObj>& nodes, const TarvoAreaObj& area) {
    std::array<Point3, 4> p;
    for (std::size_t i = 0; i < 4; ++i) {
        const TarvoNodeObj& n = cornerNode(nodes, area, i);
        p[i] = Point3{n.x, n.y, n.z};
    }
    return p;
}

}  // namespace

void TarvoModelObj::OrderAreaNodes(TarvoAreaObj& area) {
    if (area.NumNodes != 4) return;
    const std::array<int, 4> o = cornerOrder(cornerPoints(Nodes, area));
    std::vector<std::string> labels(4);
    std::vector<std::int32_t> ids(4);
    for (std::size_t i = 0; i < 4; ++i) {
        const auto from = static_cast<std::size_t>(o[i]);
        labels[i] = std::move(area.LabelNodes[from]);
        ids[i] = area.idNodes[from];
    }
    area.LabelNodes = std::move(labels);
    area.idNodes = std::move(ids);
}

// ---------------------------------------------------------------------------------------
// Step 8

void TarvoModelObj::ReadAreas() {
    host::Names names;
    host_.GetAreaNameList(names);
    areaIndex_.reserve(static_cast<std::size_t>(Areas.Num()) + names.size());

    // Whether a section is a shell of a kind that is transferred (single or layered);
    // asked once per section name, the answer does not change during the read.
    std::unordered_map<std::string, bool, common::KeyedStringHash> isTransferredShell;
    auto transferred = [&](const std::string& section) {
        auto it = isTransferredShell.find(section);
        if (it != isTransferredShell.end()) return it->second;
        bool ok = false;
        int type = 0;
        if (host_.GetAreaSectionType(section, type) == 0 && type == 1) {
            int shellType = 0, drilling = 0;
            std::string material;
            double angle = 0, thickness = 0, bending = 0;
            host_.GetShell(section, shellType, drilling, material, angle, thickness, bending);
            ok = shellType == 1 || shellType == 6;
        }
        isTransferredShell.emplace(section, ok);
        return ok;
    };

    long c = 0;  // running number of the new-node labels
    long done = 0;
    const long total = static_cast<long>(names.size());
    // Answers are kept in lists reused for every area, emptied before each question
    // so that a question the host cannot answer leaves nothing behind.
    std::string section;
    host::Names points;
    for (const std::string& name : names) {
        if ((++done & 0xFFFF) == 0) report("areas", done, total);
        section.clear();
        host_.GetAreaProperty(name, section);
        if (!transferred(section)) {
            Report.add("area", name, "area whose section is not a shell or layered shell", false, "section " + section);
            continue;
        }
        points.clear();
        host_.GetAreaPoints(name, points);

        if (points.size() == 4) {
            TarvoAreaObj& a = AddArea(name);
            a.RedimJoint(4);
            for (std::size_t i = 0; i < 4; ++i) {
                a.LabelNodes[i] = points[i];
                a.idNodes[i] = NodeIdGet(points[i]);
            }
            a.PropAreaSectName = section;
        } else if (points.size() == 3) {
            std::array<Point3, 3> p;
            for (std::size_t i = 0; i < 3; ++i) {
                const TarvoNodeObj* n = NodeObjGet(points[i]);
                if (n == nullptr)
                    throw std::runtime_error("area " + name + ": corner point " + points[i] +
                                             " is not a point of the model");
                p[i] = Point3{n->x, n->y, n->z};
            }
            struct Corner {
                std::string label;
                std::int32_t id;
            };
            auto newNode = [&](long number, double x, double y, double z) {
                long k = number;
                const TarvoNodeObj& n = GetOrAddNewNode(k, x, y, z);
                return Corner{n.Label, n.id};
            };
            auto mid = [&](const Point3& u, const Point3& v, long number) {
                return newNode(number, (u.x + v.x) / 2, (u.y + v.y) / 2, (u.z + v.z) / 2);
            };
            ++c;
            const Corner C = newNode(c + 1, (p[0].x + p[1].x + p[2].x) / 3, (p[0].y + p[1].y + p[2].y) / 3,
                                     (p[0].z + p[1].z + p[2].z) / 3);
            const Corner M12 = mid(p[0], p[1], c + 2);
            const Corner M23 = mid(p[1], p[2], c + 3);
            const Corner M31 = mid(p[2], p[0], c + 4);
            c += 4;
            const Corner P1{points[0], NodeIdGet(points[0])};
            const Corner P2{points[1], NodeIdGet(points[1])};
            const Corner P3{points[2], NodeIdGet(points[2])};
            const std::array<std::array<const Corner*, 4>, 3> quads{
                {{&P1, &M12, &C, &M31}, {&P2, &M23, &C, &M12}, {&P3, &M31, &C, &M23}}};
            for (const auto& q : quads) {
                TarvoAreaObj& a = AddArea(name);
                a.RedimJoint(4);
                for (std::size_t i = 0; i < 4; ++i) {
                    a.LabelNodes[i] = q[i]->label;
                    a.idNodes[i] = q[i]->id;
                }
                a.PropAreaSectName = section;
            }
        } else {
            Report.add("area", name, "area of other than 3 or 4 points", false,
                       std::to_string(points.size()) + " points");
        }
    }

    for (TarvoAreaObj& a : Areas) OrderAreaNodes(a);
}

// ---------------------------------------------------------------------------------------
// Step 19

void TarvoModelObj::LinkAreasToSections() {
    for (TarvoAreaObj& a : Areas) a.PropAreaSectObj = PropAreaSectObjGet(a.PropAreaSectName);
}

// ---------------------------------------------------------------------------------------
// Step 21: the orientation follows from the normal of the area's plane, taken from the
// diagonals of the corners in their stored order.

void TarvoModelObj::ClassifyAreas() {
    // The limits are 5 and 85 degrees with the circle constant written to 7 decimals.
    static const double c5 = std::cos(3.1415926 * 5.0 / 180.0);
    static const double c85 = std::cos(3.1415926 * 85.0 / 180.0);
    for (TarvoAreaObj& a : Areas) {
        if (a.NumNodes != 4) continue;
        const std::array<Point3, 4> raw = cornerPoints(Nodes, a);
        const std::array<int, 4> o = cornerOrder(raw);
        const Point3 &p1 = raw[o[0]], &p2 = raw[o[1]], &p3 = raw[o[2]], &p4 = raw[o[3]];
        const double d1x = p3.x - p2.x, d1y = p3.y - p2.y, d1z = p3.z - p2.z;
        const double d2x = p4.x - p1.x, d2y = p4.y - p1.y, d2z = p4.z - p1.z;
        const double nx = d1y * d2z - d1z * d2y;
        const double ny = d1z * d2x - d1x * d2z;
        const double nz = d1x * d2y - d1y * d2x;
        double length = std::sqrt(nx * nx + ny * ny + nz * nz);
        if (length < 1e-6) length = 0.001;
        const double cz = std::fabs(nz / length);
        if (cz > c5)
            a.Orientation = 2;
        else if (cz < c85)
            a.Orientation = 1;
        else
            a.Orientation = 3;
    }
}

// ---------------------------------------------------------------------------------------
// Step 27: a wall whose corner meets a frame gets a beam along its edges, whose section
// stands for the wall's stiffness over half its height. Equal sections are shared.

namespace {

// Embedded-beam sections by material and rounded dimensions. FindEmbeddedFrameSect
// answers the first section in table order with the material name and t2, t3 and
// I33 each within 1e-6; the buckets hold every section whose t2 and t3 fall in a
// cell, so the cells near the values asked for hold every candidate.
class EmbeddedSectIndex {
public:
    explicit EmbeddedSectIndex(ObjTable<TarvoPropFrameSectObj>& sects) : sects_(sects) {
        for (int j = 1; j <= sects_.Num(); ++j) insert(j);
    }

    int FindEmbeddedFrameSect(const std::string& material, double t2, double t3, double i33) const {
        auto m = materials_.find(material);
        if (m == materials_.end()) return 0;
        const CellRange ra = cellsNear(t2), rb = cellsNear(t3);
        int best = 0;
        for (std::int64_t a = ra.lo; a <= ra.hi; ++a)
            for (std::int64_t b = rb.lo; b <= rb.hi; ++b) {
                auto it = buckets_.find(Cell3{m->second, a, b});
                if (it == buckets_.end()) continue;
                for (int j : it->second) {
                    if (best != 0 && j > best) continue;
                    const TarvoPropFrameSectObj& s = sects_.Obj(j);
                    if (s.PropMatName == material && std::fabs(s.t2 - t2) < kSameCoordinate &&
                        std::fabs(s.t3 - t3) < kSameCoordinate && std::fabs(s.I33 - i33) < kSameCoordinate)
                        best = j;
                }
            }
        return best;
    }

    // Call before section j's name or dimensions change, and `insert` after.
    void remove(int j) {
        auto it = buckets_.find(keys_.at(static_cast<std::size_t>(j - 1)));
        if (it == buckets_.end()) return;
        auto& v = it->second;
        v.erase(std::remove(v.begin(), v.end(), j), v.end());
    }

    void insert(int j) {
        const TarvoPropFrameSectObj& s = sects_.Obj(j);
        auto [m, fresh] = materials_.try_emplace(s.PropMatName, static_cast<std::int64_t>(materials_.size()));
        (void)fresh;
        const Cell3 key{m->second, cellOf(s.t2), cellOf(s.t3)};
        if (keys_.size() < static_cast<std::size_t>(j)) keys_.resize(static_cast<std::size_t>(j));
        keys_[static_cast<std::size_t>(j - 1)] = key;
        buckets_[key].push_back(j);
    }

private:
    ObjTable<TarvoPropFrameSectObj>& sects_;
    std::unordered_map<std::string, std::int64_t, common::KeyedStringHash> materials_;
    std::unordered_map<Cell3, std::vector<int>, Cell3Hash> buckets_;
    std::vector<Cell3> keys_;
};

}  // namespace

void TarvoModelObj::FindEmbeddedBeams() {
    // A node shared by many areas is asked once. A corner's id is the id of the first
    // node with its label, so the answers are kept by id; a corner without a node is
    // kept by label.
    std::vector<signed char> meetsFrameById(static_cast<std::size_t>(NodeNum()) + 2, -1);
    std::unordered_map<std::string, bool, common::KeyedStringHash> meetsFrameByLabel;
    std::vector<int> types;
    host::Names objects;  // reused, emptied before each question
    auto askHost = [&](const std::string& label) {
        types.clear();
        objects.clear();
        host_.GetPointConnectivity(label, types, objects);
        return std::find(types.begin(), types.end(), host::kFrameObject) != types.end();
    };
    auto nodeMeetsFrame = [&](const std::string& label, std::int32_t id) {
        if (id > 0 && static_cast<std::size_t>(id) < meetsFrameById.size()) {
            signed char& known = meetsFrameById[static_cast<std::size_t>(id)];
            if (known < 0) known = askHost(label) ? 1 : 0;
            return known == 1;
        }
        auto it = meetsFrameByLabel.find(label);
        if (it != meetsFrameByLabel.end()) return it->second;
        const bool frame = askHost(label);
        meetsFrameByLabel.emplace(label, frame);
        return frame;
    };

    EmbeddedSectIndex index(PropEmbedFrameSects);
    int position = 0;
    for (TarvoAreaObj& a : Areas) {
        ++position;
        bool anyEmbed = false;
        for (std::size_t i = 0; i < a.IsEmbed.size() && i < a.LabelNodes.size(); ++i) {
            a.IsEmbed[i] = nodeMeetsFrame(a.LabelNodes[i], i < a.idNodes.size() ? a.idNodes[i] : -1);
            anyEmbed = anyEmbed || a.IsEmbed[i];
        }
        const TarvoPropAreaSectObj* s = a.PropAreaSectObj;
        if (!anyEmbed || s == nullptr || s->PropType != 1 || a.NumNodes != 4) continue;

        TarvoPropMaterialObj* material = nullptr;
        double t = 0;
        if (s->ShellType == 1 && a.Orientation == 1 && s->PropMatObj != nullptr) {
            material = s->PropMatObj;
            t = s->Thick;
        } else if (s->ShellType == 6 && s->LayerVantraType >= 1 && s->LayerVantraType <= 3 &&
                   s->LayerPropMatConcObj != nullptr) {
            material = s->LayerPropMatConcObj;
            t = s->LayerVantraThick;
        } else {
            continue;
        }

        double d = (cornerNode(Nodes, a, 2).z - cornerNode(Nodes, a, 0).z) / 2;
        if (d < 1e-6) d = 0.001;
        const double I = t * d * d * d / 12;

        int j = index.FindEmbeddedFrameSect(material->Label, t, d, I);
        if (j == 0) {
            AddPropEmbedFrameSect();
            j = PropEmbedFrameSectNum();
        } else {
            index.remove(j);
        }
        // A shared section takes the values (within 1e-6 of its own) and the label of
        // the latest area that uses it.
        TarvoPropFrameSectObj& e = PropEmbedFrameSectObj(j);
        e.area = 0.001;
        e.As2 = 0;
        e.As3 = 0;
        e.I22 = 0.001;
        e.I33 = I;
        e.Label = std::to_string(position);
        e.PropType = 8;
        e.t2 = t;
        e.t3 = d;
        e.TorsionConst = 0.0001;
        e.PropMatName = material->Label;
        e.PropMatObj = material;
        index.insert(j);
        a.EmbedFrameObj = &e;
    }
}

}  // namespace t2v::source
