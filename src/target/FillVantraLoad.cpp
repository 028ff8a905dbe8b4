// Nodal masses, nodal loads, element loads and self weight.
//
// Record layouts: target/LoadLayout.h (the patterns and element load items) and the
// store's item types (nodal mass item, 24 bytes: six singles UX..RZ; nodal load item,
// 32 bytes: F1 F2 F3 M1 M2 M3, presence 1.0 when loaded, spare; element load shape
// item, 16 bytes: 0 element count i32, 8 item count i16, 10 first item i16).
//
// The source patterns are numbered by their position among all source patterns in
// every name, so a pattern keeps its name whichever target patterns it produces.
#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "common/KeyedHash.h"
#include "common/Text.h"
#include "target/FillSteps.h"
#include "target/LoadLayout.h"
#include "target/NodeLayout.h"

namespace t2v::target {

namespace {

constexpr double kTiny = 1e-6;
constexpr int kKindSelfWeightOrNode = 65533;  // the 16-bit pattern of -3

void NamePattern(RecordView r, const std::string& name, int kind) {
    r.text(layout::load_pattern::kName, layout::kNameLength, name);
    r.i16(layout::load_pattern::kKind, kind);
}

// ---------------------------------------------------------------------------------------
// Element load shapes

// The loads of one pattern on one frame as the shape deduplication compares them.
struct LoadShape {
    int k = 0;        // element load pattern row (1-based)
    int g = 0;        // element group
    int ordinal = 0;  // within (k, g)
    std::vector<std::int32_t> elements;
    std::vector<double> RD1, RD2, Val1, Val2, RD, Val;
    int nDist() const { return static_cast<int>(RD1.size()); }
    int nPoint() const { return static_cast<int>(RD.size()); }
};

bool Near(const std::vector<double>& a, const std::vector<double>& b) {
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(std::fabs(a[i] - b[i]) <= kTiny)) return false;
    return true;
}

bool SameLoads(const LoadShape& a, const LoadShape& b) {
    return Near(a.RD1, b.RD1) && Near(a.RD2, b.RD2) && Near(a.Val1, b.Val1) && Near(a.Val2, b.Val2) &&
           Near(a.RD, b.RD) && Near(a.Val, b.Val);
}

// Shapes of one (pattern, group, nDist, nPoint) are further spread over cells of their
// first value 2e-6 wide, so that a frame is compared only with shapes that could match
// it: two values within 1e-6 of each other lie in the same or a neighbouring cell.
// Each cell lists its shapes in the order they were made, which keeps the answer of a
// scan of all shapes in order: the earliest matching shape.
class ShapeIndex {
public:
    using Key = std::tuple<int, int, int, int, std::int64_t>;

    static std::int64_t Cell(const LoadShape& s) {
        const double v = s.nDist() > 0 ? s.Val1.front() : s.Val.front();
        if (std::isnan(v)) return 0;
        const double scaled = std::clamp(v * 5e5, -4e18, 4e18);
        return static_cast<std::int64_t>(std::floor(scaled));
    }

    // Index of the first shape that carries the same loads, or -1.
    long Find(const std::vector<LoadShape>& shapes, const LoadShape& s) const {
        const std::int64_t c = Cell(s);
        long best = -1;
        for (std::int64_t cell : {c - 1, c, c + 1}) {
            auto it = cells_.find(Key{s.k, s.g, s.nDist(), s.nPoint(), cell});
            if (it == cells_.end()) continue;
            for (long idx : it->second) {
                if (best >= 0 && idx >= best) break;
                if (SameLoads(shapes[static_cast<std::size_t>(idx)], s)) {
                    best = idx;
                    break;
                }
            }
        }
        return best;
    }

    void Add(const LoadShape& s, long idx) { cells_[Key{s.k, s.g, s.nDist(), s.nPoint(), Cell(s)}].push_back(idx); }

private:
    std::map<Key, std::vector<long>> cells_;
};

std::int16_t ToInt16(long v, const char* what) {
    if (v > 32767) throw CounterOverflow(std::string("too many ") + what + " (the structure file holds at most 32767)");
    return static_cast<std::int16_t>(v);
}

using FramesByPattern = std::unordered_map<std::string, std::vector<source::TarvoFrameObj*>, common::KeyedStringHash>;

// Per pattern label, the frames that carry loads of it, in frame order. Frames without
// an element in a known group carry nothing into the target.
FramesByPattern loadedFramesByPattern(source::TarvoModelObj& src, std::int32_t groupCount) {
    FramesByPattern framesOf;
    for (int i = 1; i <= src.FrameNum(); ++i) {
        source::TarvoFrameObj& f = src.FrameObj(i);
        if (f.idVantraElem < 1 || f.idVantraElemGroup < 1 || f.idVantraElemGroup > groupCount) continue;
        std::vector<const std::string*> seen;
        auto note = [&](const std::string& label) {
            for (const std::string* s : seen)
                if (*s == label) return;
            seen.push_back(&label);
            framesOf[label].push_back(&f);
        };
        for (const auto& d : f.LoadFrameDistributed) note(d.PatternLabel);
        for (const auto& p : f.LoadFramePoint) note(p.PatternLabel);
    }
    return framesOf;
}

// The loads of one pattern on one frame: its first distributed and its first point
// load object of that pattern.
LoadShape frameShape(const source::TarvoFrameObj& f, const std::string& label, int k, int g) {
    LoadShape s;
    s.k = k;
    s.g = g;
    for (const auto& d : f.LoadFrameDistributed)
        if (d.PatternLabel == label) {
            s.RD1 = d.RD1, s.RD2 = d.RD2, s.Val1 = d.Val1, s.Val2 = d.Val2;
            break;
        }
    for (const auto& pl : f.LoadFramePoint)
        if (pl.PatternLabel == label) {
            s.RD = pl.RD, s.Val = pl.Val;
            break;
        }
    return s;
}

// The distinct shapes of all patterns, and which source pattern each row k stands for.
struct ShapeList {
    std::vector<LoadShape> shapes;
    ShapeIndex index;
    std::vector<int> patternPosition;  // position among all source patterns, per row k
    int maxOrdinal = 0;
};

// Pattern row k, group by group: each frame's loads compared with the shapes found so
// far in that pattern and group.
void addPatternShapes(ShapeList& list, int k, const std::string& label, std::vector<source::TarvoFrameObj*> frames) {
    std::stable_sort(frames.begin(), frames.end(),
                     [](const auto* a, const auto* b) { return a->idVantraElemGroup < b->idVantraElemGroup; });
    int ordinal = 0, group = 0;
    for (source::TarvoFrameObj* f : frames) {
        if (f->idVantraElemGroup != group) {
            group = f->idVantraElemGroup;
            ordinal = 0;
        }
        LoadShape s = frameShape(*f, label, k, group);
        if (s.nDist() == 0 && s.nPoint() == 0) continue;
        const long same = list.index.Find(list.shapes, s);
        if (same >= 0) {
            list.shapes[static_cast<std::size_t>(same)].elements.push_back(f->idVantraElem);
            continue;
        }
        s.ordinal = ++ordinal;
        list.maxOrdinal = std::max(list.maxOrdinal, ordinal);
        s.elements.push_back(f->idVantraElem);
        list.index.Add(s, static_cast<long>(list.shapes.size()));
        list.shapes.push_back(std::move(s));
    }
}

ShapeList collectShapes(source::TarvoModelObj& src, const FramesByPattern& framesOf) {
    ShapeList list;
    for (int i = 1; i <= src.LoadPatternNum(); ++i) {
        const source::TarvoLoadPatternObj& p = src.LoadPatternObj(i);
        if (!p.LoadElementNotEmpty) continue;
        list.patternPosition.push_back(i);
        const int k = static_cast<int>(list.patternPosition.size());
        auto found = framesOf.find(p.Label);
        if (found == framesOf.end()) continue;
        addPatternShapes(list, k, p.Label, found->second);
    }
    return list;
}

// One shape's load items, chained through their next-item field: the distributed
// segments first, then the point loads.
void writeShapeItems(VantraModel& m, const LoadShape& s) {
    const int n = s.nDist() + s.nPoint();
    std::int32_t first = 0;
    for (int i = 0; i < n; ++i) {
        const std::int32_t id = m.ElementLoadItemTable.add();
        if (i == 0) first = id;
        RecordView r = m.ElementLoadItemTable.rec(id);
        namespace item = layout::element_load_item;
        r.i16(item::kNext, i + 1 < n ? id + 1 : 0);
        if (i < s.nDist()) {
            const auto j = static_cast<std::size_t>(i);
            r.u8(item::kType, item::kTypeSegment);
            r.f32(item::kValue1, s.Val1[j]);
            r.f32(item::kDistance1, s.RD1[j]);
            r.f32(item::kValue2, s.Val2[j]);
            r.f32(item::kDistance2, s.RD2[j]);
        } else {
            const auto j = static_cast<std::size_t>(i - s.nDist());
            r.u8(item::kType, item::kTypePoint);
            r.f32(item::kValue1, s.Val[j]);
            r.f32(item::kDistance1, s.RD[j]);
        }
    }
    ElementLoadShapeItem item;
    item.elementCount = static_cast<std::int32_t>(s.elements.size());
    item.itemCount = ToInt16(n, "load items in one element load shape");
    item.firstItem = static_cast<std::int16_t>(first);
    m.ElementLoadShapeTable[{s.ordinal, s.k, s.g}] = item;
}

}  // namespace

// ---------------------------------------------------------------------------------------
void FillVantraNodalMass(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;
    const std::int32_t nodeCount = m.NodeTable.count();

    m.MassPatternTable.reset(1, 1);
    m.MassPatternTable.rec(1).text(layout::mass_pattern::kName, layout::kNameLength, "Nodal Mass");
    m.NodalMassMatrix.assign(1, std::vector<NodalMassItem>(static_cast<std::size_t>(nodeCount), NodalMassItem{}));
    std::vector<NodalMassItem>& row = m.NodalMassMatrix[0];

    const int option = src.MassSrcOption;
    const bool fromElements = option == 1 || option == 3;
    const bool fromLoads = option == 2 || option == 3;
    for (int i = 1; i <= src.NodeNum(); ++i) {
        const source::TarvoNodeObj& n = src.NodeObj(i);
        if (n.id < 1 || n.id > nodeCount) continue;
        NodalMassItem& item = row[static_cast<std::size_t>(n.id - 1)];
        // Sums are kept in the file's single precision after every addition.
        auto add = [&](std::size_t d, double v) { item[d] = static_cast<float>(static_cast<double>(item[d]) + v); };
        for (std::size_t d = 0; d < 6; ++d) {
            if (n.IsRestrained[d]) continue;  // restrained: no mass
            if (fromElements) add(d, n.PointMass[d]);
            if (fromLoads) {
                if (n.LoadMass[d] > 0) add(d, n.LoadMass[d]);
                if (n.FrameLoadMass[d] > 0) add(d, n.FrameLoadMass[d]);
                if (n.AreaLoadMass[d] > 0) add(d, n.AreaLoadMass[d]);
            }
        }
    }
}

// ---------------------------------------------------------------------------------------
void FillVantraNodalLoads(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;

    int P = 0;
    for (int i = 1; i <= src.LoadPatternNum(); ++i)
        if (src.LoadPatternObj(i).LoadNodeNotEmpty) ++P;
    const std::int32_t count = P + 2;
    m.NodalLoadPatternTable.resizeTo(count);
    if (count >= m.NodalLoadPatternTable.capacity()) m.NodalLoadPatternTable.setCapacity(count + 10);
    m.NodalLoadMatrix.reset(static_cast<std::size_t>(count));

    // The ground-acceleration patterns carry each node's horizontal mass.
    NamePattern(m.NodalLoadPatternTable.rec(1), "AccelUX", 1);
    NamePattern(m.NodalLoadPatternTable.rec(2), "AccelUY", 2);
    if (!m.NodalMassMatrix.empty()) {
        const std::vector<NodalMassItem>& mass = m.NodalMassMatrix[0];
        for (int i = 1; i <= src.NodeNum(); ++i) {
            const std::int32_t id = src.NodeObj(i).id;
            if (id < 1 || static_cast<std::size_t>(id) > mass.size()) continue;
            const NodalMassItem& nm = mass[static_cast<std::size_t>(id - 1)];
            for (std::size_t d = 0; d < 2; ++d) {
                if (!(static_cast<double>(nm[d]) > 1e-6)) continue;
                NodalLoadItem item{};
                item[d] = nm[d];
                item[6] = 1.0f;
                m.NodalLoadMatrix.set(d, id, item);
            }
        }
    }

    // One "LoadNode-" row per pattern with nodal loads, in pattern order.
    std::unordered_map<std::string, std::size_t, common::KeyedStringHash> rowOf;
    std::int32_t row = 2;
    for (int i = 1; i <= src.LoadPatternNum(); ++i) {
        source::TarvoLoadPatternObj& p = src.LoadPatternObj(i);
        if (!p.LoadNodeNotEmpty) continue;
        ++row;
        p.VantraLoadPatternNodeName = MakeVantraName("LoadNode-", p.Label, i);
        NamePattern(m.NodalLoadPatternTable.rec(row), p.VantraLoadPatternNodeName, kKindSelfWeightOrNode);
        rowOf.emplace(p.Label, static_cast<std::size_t>(row - 1));
    }
    // The loads are walked once; each item goes to the row of its pattern.
    for (int i = 1; i <= src.LoadNodeNum(); ++i) {
        const source::TarvoLoadNodeObj& l = src.LoadNodeObj(i);
        const std::int32_t node = src.NodeIdGet(l.Label);
        if (node < 1) continue;  // a label no node has: nowhere to put the load
        for (const auto& it : l.Items) {
            auto r = rowOf.find(it.LoadPattern);
            if (r == rowOf.end()) continue;
            NodalLoadItem item{static_cast<float>(it.F1),
                               static_cast<float>(it.F2),
                               static_cast<float>(it.F3),
                               static_cast<float>(it.M1),
                               static_cast<float>(it.M2),
                               static_cast<float>(it.M3),
                               1.0f,
                               0.0f};
            m.NodalLoadMatrix.set(r->second, node, item);
        }
    }
}

// ---------------------------------------------------------------------------------------
void FillVantraElementLoads(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;
    const std::int32_t groupCount = m.ElementGroupTable.count();

    // Frames without loads have no load sub-group to record; a million of them would
    // each hold an allocation of zeros.
    for (source::TarvoFrameObj& f : src.Frames)
        if (!f.LoadFrameDistributed.empty() || !f.LoadFramePoint.empty()) f.Redim_VantraSubGroup(src.LoadPatternNum());

    const ShapeList list = collectShapes(src, loadedFramesByPattern(src, groupCount));
    const std::vector<int>& patternPosition = list.patternPosition;
    if (patternPosition.empty()) return;

    const auto K = static_cast<std::int32_t>(patternPosition.size());
    m.ElementLoadPatternTable.resizeTo(K);
    if (K > m.ElementLoadPatternTable.capacity()) m.ElementLoadPatternTable.setCapacity(K + 10);
    m.ElementLoadShapeCount = ToInt16(list.maxOrdinal + 1L, "element load shapes");
    m.ElementLoadGroupMatrix.assign(static_cast<std::size_t>(K),
                                    std::vector<std::int16_t>(static_cast<std::size_t>(groupCount), 0));
    m.ElementLoadShapeTable.clear();
    m.ElementLoadElementMatrix.reset(static_cast<std::size_t>(K));

    for (std::int32_t k = 1; k <= K; ++k) {
        source::TarvoLoadPatternObj& p = src.LoadPatternObj(patternPosition[static_cast<std::size_t>(k - 1)]);
        p.VantraLoadPatternElementName =
            MakeVantraName("LoadFrame-", p.Label, patternPosition[static_cast<std::size_t>(k - 1)]);
        NamePattern(m.ElementLoadPatternTable.rec(k), p.VantraLoadPatternElementName, 1);
    }
    // Shapes were made pattern by pattern, group by group, ordinal by ordinal: their
    // order is the order of the items.
    for (const LoadShape& s : list.shapes) {
        for (std::int32_t e : s.elements)
            m.ElementLoadElementMatrix.set(static_cast<std::size_t>(s.k - 1), e, static_cast<std::int16_t>(s.ordinal));
        std::int16_t& groupShapes =
            m.ElementLoadGroupMatrix[static_cast<std::size_t>(s.k - 1)][static_cast<std::size_t>(s.g - 1)];
        groupShapes = std::max(groupShapes, static_cast<std::int16_t>(s.ordinal));
        writeShapeItems(m, s);
    }
}

// ---------------------------------------------------------------------------------------
void FillVantraSelfWeight(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;

    std::vector<int> patterns;
    for (int i = 1; i <= src.LoadPatternNum(); ++i)
        if (src.LoadPatternObj(i).SelfWeightNotEmpty) patterns.push_back(i);

    // The table is sized to exactly its rows, also when there are none: a model
    // without self weight writes count 0 and capacity 0.
    const auto count = static_cast<std::int32_t>(patterns.size());
    const std::int32_t elementCount = m.ElementTable.count();
    m.SelfWeightPatternTable.reset(count, count);
    m.SelfWeightElementMatrix.clear();
    if (count == 0) return;
    if (elementCount > 0)
        m.SelfWeightElementMatrix.assign(static_cast<std::size_t>(count),
                                         std::vector<std::uint8_t>(static_cast<std::size_t>(elementCount), 0));

    for (std::int32_t row = 1; row <= count; ++row) {
        const int position = patterns[static_cast<std::size_t>(row - 1)];
        source::TarvoLoadPatternObj& p = src.LoadPatternObj(position);
        p.VantraLoadPatternSelfWeightName = MakeVantraName("SelfWeight-", p.Label, position);
        NamePattern(m.SelfWeightPatternTable.rec(row), p.VantraLoadPatternSelfWeightName, kKindSelfWeightOrNode);
        // The multiplier itself is not transferred: an element either carries its
        // weight in this pattern or not.
        if (!(p.SelfWtMultiplier > 0.001) || elementCount == 0) continue;
        std::vector<std::uint8_t>& flags = m.SelfWeightElementMatrix[static_cast<std::size_t>(row - 1)];
        auto flag = [&](std::int32_t e) {
            if (e >= 1 && e <= elementCount) flags[static_cast<std::size_t>(e - 1)] = 1;
        };
        for (int i = 1; i <= src.FrameNum(); ++i) flag(src.FrameObj(i).idVantraElem);
        for (int i = 1; i <= src.AreaNum(); ++i) flag(src.AreaObj(i).idVantraElem);
    }
}

}  // namespace t2v::target
