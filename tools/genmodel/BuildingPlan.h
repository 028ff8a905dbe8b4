// The shape of a generated building: storeys, a podium and towers on a regular grid, and
// the objects of every storey enumerated in one fixed order. The document writer and the
// element count both walk the same enumeration, so what is counted is what is written.
#pragma once

#include <cstdint>
#include <vector>

namespace t2v::genmodel {

// A rectangle of bays on the grid: bays x0..x0+nx-1 by y0..y0+ny-1, grid points
// x0..x0+nx by y0..y0+ny.
struct Rect {
    int x0 = 0, y0 = 0, nx = 1, ny = 1;
    int x1() const { return x0 + nx; }
    int y1() const { return y0 + ny; }
};

// A grid point at a level (0 is the base).
struct NodeRef {
    int level = 0, i = 0, j = 0;
};

enum class FrameKind { Column, BeamX, BeamY, BraceWest, BraceEast, ConcreteBrace };
enum class AreaKind {
    Slab,
    SlabTriangleA,
    SlabTriangleB,
    CoreWallSouth,
    CoreWallNorth,
    CoreWallWest,
    CoreWallEast,
    BasementWall,
    PlateWall,
    Ramp,
    Glazing,
    PlaneStrain
};

// One frame of a storey. `i`, `j` name it (with its kind and storey); `a`, `b` are its ends.
struct FrameSpec {
    FrameKind kind;
    int storey;
    int i, j;
    NodeRef a, b;
    bool perimeter = false;  // on the outline of its rectangle (facade beams)
    bool podium = false;     // in a storey of the podium
    bool interior() const { return !perimeter; }
};

struct AreaSpec {
    AreaKind kind;
    int storey;
    int i, j;
    NodeRef corners[4];
    int cornerCount = 4;
    bool podium = false;
};

struct BuildingPlan {
    long targetElements = 0;
    std::uint64_t seed = 1;
    int storeys = 2;        // levels 1..storeys above the base level 0
    int podiumStoreys = 1;  // storeys 1..podiumStoreys cover the whole podium
    Rect podium;
    std::vector<Rect> towers;
    double bayX = 7.5, bayY = 6.0;
    double groundHeight = 4.5, storeyHeight = 3.6;

    bool isPodiumStorey(int storey) const { return storey <= podiumStoreys; }
    // The top storey of the towers is a steel penthouse once the towers are tall enough.
    bool isPenthouse(int storey) const { return storey == storeys && storeys - podiumStoreys >= 3; }
    // The rectangles whose bays exist in a storey (1..storeys); the nodes of a level
    // L >= 1 are those of storey L, the base nodes those of storey 1.
    const std::vector<Rect>& storeyRegion(int storey) const;
    const std::vector<Rect>& levelRegion(int level) const { return storeyRegion(level < 1 ? 1 : level); }
    double x(int i) const { return i * bayX; }
    double y(int j) const { return j * bayY; }
    double z(int level) const { return level <= 0 ? 0.0 : groundHeight + (level - 1) * storeyHeight; }

    // Deterministic choices: a hash of the seed, a salt and the grid position, mapped to [0, 1).
    double draw(std::uint32_t salt, int a, int b, int c) const;
    // Bays of a slab level split into two triangular panels.
    bool isTriangleBay(int level, const Rect& r, int i, int j) const;
    // The bay of the ramp from the base to level 1 (its level-1 slab is left open).
    bool isRampBay(int level, int i, int j) const;
    Rect rampBay() const;
    // The grid point the pushover cases monitor: a roof corner of the first tower.
    NodeRef monitoredNode() const { return {storeys, towers.front().x1(), towers.front().y1()}; }

    std::vector<Rect> podiumRegion_;
};

struct ObjectCounts {
    long points = 0, frames = 0, areas = 0;
    long elements() const { return frames + areas; }
};

// The building whose frame and area count is closest to `elements` (at least a small
// two-storey building).
BuildingPlan PlanBuilding(long elements, std::uint64_t seed);
ObjectCounts CountObjects(const BuildingPlan& plan);

// Enumeration, storey by storey (callers walk storeys 1..storeys) and level by level.
template <class F>
void ForEachNode(const BuildingPlan& p, int level, F&& f) {
    for (const Rect& r : p.levelRegion(level))
        for (int j = r.y0; j <= r.y1(); ++j)
            for (int i = r.x0; i <= r.x1(); ++i) f(NodeRef{level, i, j}, r);
}

template <class F>
void ForEachFrame(const BuildingPlan& p, int k, F&& f) {
    const bool podium = p.isPodiumStorey(k);
    for (const Rect& r : p.storeyRegion(k)) {
        for (int j = r.y0; j <= r.y1(); ++j)
            for (int i = r.x0; i <= r.x1(); ++i) {
                FrameSpec s{FrameKind::Column, k, i, j, {k - 1, i, j}, {k, i, j}};
                s.perimeter = i == r.x0 || i == r.x1() || j == r.y0 || j == r.y1();
                s.podium = podium;
                f(s);
            }
        for (int j = r.y0; j <= r.y1(); ++j)
            for (int i = r.x0; i < r.x1(); ++i) {
                FrameSpec s{FrameKind::BeamX, k, i, j, {k, i, j}, {k, i + 1, j}};
                s.perimeter = j == r.y0 || j == r.y1();
                s.podium = podium;
                f(s);
            }
        for (int j = r.y0; j < r.y1(); ++j)
            for (int i = r.x0; i <= r.x1(); ++i) {
                FrameSpec s{FrameKind::BeamY, k, i, j, {k, i, j}, {k, i, j + 1}};
                s.perimeter = i == r.x0 || i == r.x1();
                s.podium = podium;
                f(s);
            }
        // Steel braces in the end bays of the two long facades: a west diagonal rising
        // to the east and an east diagonal rising to the west.
        for (int j : {r.y0, r.y1()}) {
            FrameSpec w{FrameKind::BraceWest, k, r.x0, j, {k - 1, r.x0, j}, {k, r.x0 + 1, j}};
            w.perimeter = true;
            w.podium = podium;
            f(w);
            FrameSpec e{FrameKind::BraceEast, k, r.x1(), j, {k - 1, r.x1(), j}, {k, r.x1() - 1, j}};
            e.perimeter = true;
            e.podium = podium;
            f(e);
        }
        // A concrete strut in each podium storey, in the middle of the west facade.
        if (podium) {
            int jm = r.y0 + r.ny / 2;
            if (jm >= r.y1()) jm = r.y1() - 1;
            FrameSpec c{FrameKind::ConcreteBrace, k, r.x0, jm, {k - 1, r.x0, jm}, {k, r.x0, jm + 1}};
            c.perimeter = true;
            c.podium = true;
            f(c);
        }
    }
}

template <class F>
void ForEachArea(const BuildingPlan& p, int k, F&& f) {
    const bool podium = p.isPodiumStorey(k);
    auto quad = [&](AreaKind kind, int i, int j, NodeRef a, NodeRef b, NodeRef c, NodeRef d) {
        AreaSpec s{kind, k, i, j, {a, b, c, d}, 4, podium};
        f(s);
    };
    // Slabs of level k.
    for (const Rect& r : p.storeyRegion(k))
        for (int j = r.y0; j < r.y1(); ++j)
            for (int i = r.x0; i < r.x1(); ++i) {
                if (p.isRampBay(k, i, j)) continue;
                NodeRef a{k, i, j}, b{k, i + 1, j}, c{k, i + 1, j + 1}, d{k, i, j + 1};
                if (p.isTriangleBay(k, r, i, j)) {
                    AreaSpec ta{AreaKind::SlabTriangleA, k, i, j, {a, b, c, {}}, 3, podium};
                    f(ta);
                    AreaSpec tb{AreaKind::SlabTriangleB, k, i, j, {a, c, d, {}}, 3, podium};
                    f(tb);
                } else {
                    quad(AreaKind::Slab, i, j, a, b, c, d);
                }
            }
    // The core of every tower runs from the base to the roof around one bay.
    for (const Rect& t : p.towers) {
        int cx = t.x0 + t.nx / 2, cy = t.y0 + t.ny / 2;
        if (cx >= t.x1()) cx = t.x1() - 1;
        if (cy >= t.y1()) cy = t.y1() - 1;
        int b = k - 1;
        quad(AreaKind::CoreWallSouth, cx, cy, {b, cx, cy}, {b, cx + 1, cy}, {k, cx + 1, cy}, {k, cx, cy});
        quad(AreaKind::CoreWallNorth, cx, cy, {b, cx, cy + 1}, {b, cx + 1, cy + 1}, {k, cx + 1, cy + 1},
             {k, cx, cy + 1});
        quad(AreaKind::CoreWallWest, cx, cy, {b, cx, cy}, {b, cx, cy + 1}, {k, cx, cy + 1}, {k, cx, cy});
        quad(AreaKind::CoreWallEast, cx, cy, {b, cx + 1, cy}, {b, cx + 1, cy + 1}, {k, cx + 1, cy + 1},
             {k, cx + 1, cy});
        if (p.isPenthouse(k)) {
            int i = t.x0 + t.nx / 2;
            if (i >= t.x1()) i = t.x1() - 1;
            quad(AreaKind::PlateWall, i, t.y0, {b, i, t.y0}, {b, i + 1, t.y0}, {k, i + 1, t.y0}, {k, i, t.y0});
        }
    }
    if (k == 1) {
        // Retaining walls along the south and north edges of the ground storey.
        for (const Rect& r : p.storeyRegion(1))
            for (int j : {r.y0, r.y1()})
                for (int i = r.x0; i < r.x1(); ++i)
                    quad(AreaKind::BasementWall, i, j, {0, i, j}, {0, i + 1, j}, {1, i + 1, j}, {1, i, j});
        Rect rb = p.rampBay();
        quad(AreaKind::Ramp, rb.x0, rb.y0, {0, rb.x0, rb.y0}, {0, rb.x0 + 1, rb.y0}, {1, rb.x0 + 1, rb.y0 + 1},
             {1, rb.x0, rb.y0 + 1});
        // A plane-strain panel on the west face, a kind of section the transfer passes over.
        const Rect& r = p.storeyRegion(1).front();
        quad(AreaKind::PlaneStrain, r.x0, r.y0, {0, r.x0, r.y0}, {0, r.x0, r.y0 + 1}, {1, r.x0, r.y0 + 1},
             {1, r.x0, r.y0});
    }
    if (k == 2) {
        // Glazing (a membrane section) on the west face of the second storey.
        const Rect& r = p.storeyRegion(2).front();
        quad(AreaKind::Glazing, r.x0, r.y0, {1, r.x0, r.y0}, {1, r.x0, r.y0 + 1}, {2, r.x0, r.y0 + 1}, {2, r.x0, r.y0});
    }
}

}  // namespace t2v::genmodel
