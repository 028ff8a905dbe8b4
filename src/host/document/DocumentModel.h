// The in-memory tables of a loaded model document.
//
// Every family is a vector in document order (the host order of every name list) with
// a name index beside it. Objects refer to each other by position, never by name, so a
// reference is resolved once at load. Per-object lists (loads, hinges, area corners)
// live in one flat vector per kind, each object holding its slice; the derived answers
// (which frames and areas touch a point, which constraints hold it) are built once at
// load as compressed per-point lists.
#pragma once

#include "host/TarvoHost.h"
#include "platform/LargeMemory.h"
#include "host/document/NameIndex.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t2v::host::document {

using platform::LargeBuffer;
using platform::LargeVector;

inline constexpr std::uint32_t kNoRef = 0xFFFFFFFFu;

// A slice [begin, begin + count) of a flat vector.
struct Slice {
    std::uint32_t begin = 0;
    std::uint32_t count = 0;
};

// A family: objects in host order and their names hashed.
template <class T>
class Family {
public:
    LargeVector<T> items;

    std::size_t size() const { return items.size(); }
    const T& operator[](std::size_t i) const { return items[i]; }
    T& operator[](std::size_t i) { return items[i]; }

    void reserve(std::size_t n) {
        items.reserve(n);
        index_.reserve(n);
    }
    // Appends and indexes; answers kNoRef, or the position of the object that already
    // has the name (then nothing is added).
    std::uint32_t add(T&& item) {
        const auto position = static_cast<std::uint32_t>(items.size());
        items.push_back(std::move(item));
        const std::uint32_t existing = index_.insert(items.back().name, position, nameAt());
        if (existing != NameIndex::kNone) {
            items.pop_back();
            return existing;
        }
        indexed_ = position + 1;
        return kNoRef;
    }

    // Loading appends a whole family first and indexes it in one batch.
    void append(T&& item) { items.push_back(std::move(item)); }
    // Indexes what was appended since the last call, in order. Answers {kNoRef, kNoRef},
    // or, at the first name already taken, {its position, the position that has it}.
    std::pair<std::uint32_t, std::uint32_t> indexAppended() {
        const auto last = static_cast<std::uint32_t>(items.size());
        const auto result = index_.insertRange(indexed_, last, nameAt());
        indexed_ = last;
        return result;
    }

    // The transfer asks several questions about each object of a family, walking the
    // family in order, so the object of the last answer and the one after it are tried
    // before the index: most lookups then cost one compare of a name in cache instead
    // of a probe of a table far larger than the cache. Names are unique among indexed
    // objects, so a match there is the index's answer. (Not for concurrent use.)
    std::uint32_t find(std::string_view name) const {
        const std::uint32_t r = recent_;
        if (r < indexed_ && items[r].name == name) return r;
        if (r + 1 < indexed_ && items[r + 1].name == name) return recent_ = r + 1;
        const std::uint32_t p = index_.find(name, nameAt());
        if (p != NameIndex::kNone) recent_ = p;
        return p;
    }
    // Finds many names at once (see NameIndex::findMany); kNoRef for a name not there.
    void findMany(std::span<const std::string_view> names, std::uint32_t* out) const {
        index_.findMany(names, out, nameAt(), [this](std::uint32_t p) { return &items[p]; });
    }

private:
    auto nameAt() const {
        return [this](std::uint32_t p) -> std::string_view { return items[p].name; };
    }
    NameIndex index_;
    std::uint32_t indexed_ = 0;
    mutable std::uint32_t recent_ = 0;
};

struct Material {
    std::string name;
    int type = 0;
    int symmetry = 0;
    double weight = 0, mass = 0;
    double isoE = 0, isoU = 0, isoA = 0, isoG = 0;
    std::array<double, 3> ortE{}, ortU{}, ortA{}, ortG{};
    std::array<double, 3> aniE{};
    std::array<double, 15> aniU{};
    std::array<double, 5> aniA{};
    std::array<double, 3> aniG{};
    double uniE = 0, uniA = 0;
    std::array<double, 4> steel{};  // Fy, Fu, EFy, EFu
    std::array<double, 4> rebar{};
    double concreteFc = 0;
    bool hasCurve = false;
    std::vector<double> strains, stresses;
};

struct FrameSection {
    std::string name;
    bool hasType = false;
    int type = 0;
    std::uint32_t material = kNoRef;
    FrameSectionProperties properties;
    int rebarType = 0;
    std::vector<std::uint32_t> segments;  // frame section positions
};

struct AreaSection {
    std::string name;
    int type = 1;
    int shellType = 1;
    int drilling = 0;
    std::uint32_t material = kNoRef;
    double materialAngle = 0, thickness = 0, bendingThickness = 0;
    std::vector<ShellLayer> layers;  // materials kept by name: only answers read them
};

struct Point {
    std::string name;
    double x = 0, y = 0, z = 0;
    std::uint8_t restraints = 0;  // bit d for UX, UY, UZ, RX, RY, RZ
    std::uint32_t mass = kNoRef;  // position in DocumentModel::pointMasses
    Slice loads;                  // in DocumentModel::pointLoads
};

struct PointLoadItem {
    std::uint32_t pattern = 0;
    std::uint32_t csys = 0;  // in DocumentModel::csysNames
    std::array<double, 6> values{};
};

struct Constraint {
    std::string name;
    int type = 0;
    int axis = 3;
    std::string csys = "Global";
    std::vector<std::uint32_t> points;
};

struct Frame {
    std::string name;
    std::uint32_t section = 0, i = 0, j = 0;
    double angle = 0;
    std::uint8_t releaseI = 0, releaseJ = 0;  // bit d for U1, U2, U3, R1, R2, R3
    double massPerLength = 0;
    Slice hinges, distributed, pointLoads;
};

struct DistributedLoadItem {
    std::uint32_t pattern = 0;
    std::uint32_t csys = 0;
    int type = 1;
    int dir = 0;
    double rd1 = 0, rd2 = 1, val1 = 0, val2 = 0;
};

struct FramePointLoadItem {
    std::uint32_t pattern = 0;
    std::uint32_t csys = 0;
    int type = 1;
    int dir = 0;
    double rd = 0, value = 0;
};

struct Area {
    std::string name;
    std::uint32_t section = 0;
    Slice corners;  // in DocumentModel::areaCorners
    double massPerArea = 0;
    Slice uniform, toFrames;
};

struct AreaLoadItem {
    std::uint32_t pattern = 0;
    std::uint32_t csys = 0;
    int dir = 0;
    double value = 0;
    int distribution = 0;
};

struct Group {
    std::string name;
    std::vector<std::uint32_t> points, frames, areas;
};

struct LoadPattern {
    std::string name;
    int type = 8;
    double selfWeightMultiplier = 0;
};

struct Function {
    std::string name;
    int type = 0;
    int kind = 0;
    THFunctionFile file;  // kind 0; fileName already resolved against the document folder
    double period = 0, rampTime = 0, amplitude = 0, maxTime = 0;
    int stepsPerCycle = 0, cycles = 0;
    std::vector<double> times, values;  // kinds 1 and 7
};

struct LoadCase {
    std::string name;
    int type = 0;
    StaticNonlinearLoadApplication application;
    std::vector<NonlinearLoad> loads;
    int outputSteps = 0;
    double stepSize = 0;
    DynamicDamping damping;
};

struct DocumentModel {
    int units = 6;
    Family<Material> materials;
    Family<FrameSection> frameSections;
    Family<AreaSection> areaSections;
    Family<Point> points;
    Family<Constraint> constraints;
    Family<Frame> frames;
    Family<Area> areas;
    Family<Group> groups;  // without the implicit "ALL"
    Family<LoadPattern> loadPatterns;
    Family<Function> functions;
    Family<LoadCase> loadCases;

    int massSourceOption = 1;
    std::vector<std::uint32_t> massSourcePatterns;
    std::vector<double> massSourceScales;

    // Flat per-object lists.
    LargeVector<std::array<double, 6>> pointMasses;
    LargeVector<PointLoadItem> pointLoads;
    LargeVector<FrameHinge> hinges;
    LargeVector<DistributedLoadItem> distributedLoads;
    LargeVector<FramePointLoadItem> framePointLoads;
    LargeVector<std::uint32_t> areaCorners;
    LargeVector<AreaLoadItem> areaLoads;  // both kinds; each area's slices point here

    // Coordinate-system names, each kept once (loads repeat a handful of them).
    std::vector<std::string> csysNames;

    // Derived per-point lists: objects naming the point (frames first, then areas, each
    // in host order; an area is stored as kAreaBit | position) and constraints naming it
    // (in constraint order). Offsets have one entry per point plus one.
    static constexpr std::uint32_t kAreaBit = 0x80000000u;
    LargeVector<std::uint32_t> connectivityOffsets, connectivity;
    LargeVector<std::uint32_t> pointConstraintOffsets, pointConstraints;
};

}  // namespace t2v::host::document
