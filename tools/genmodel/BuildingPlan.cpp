#include "genmodel/BuildingPlan.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace t2v::genmodel {

namespace {

std::uint64_t mix(std::uint64_t x) {
    // The finaliser of splitmix64: every input bit reaches every output bit.
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// The building for one value of the tower size m, with the storeys and the tower
// arrangement already fixed.
BuildingPlan Shape(long elements, std::uint64_t seed, int storeys, int towersX, int towersY, int m) {
    BuildingPlan p;
    p.targetElements = elements;
    p.seed = seed;
    p.storeys = storeys;
    p.podiumStoreys = storeys >= 8 ? 3 : 1;
    const int tx = m + m / 3, ty = m;
    const int gap = std::max(1, m / 3), edge = std::max(1, m / 4);
    p.podium = {0, 0, towersX * tx + (towersX - 1) * gap + 2 * edge, towersY * ty + (towersY - 1) * gap + 2 * edge};
    for (int r = 0; r < towersY; ++r)
        for (int c = 0; c < towersX; ++c) p.towers.push_back({edge + c * (tx + gap), edge + r * (ty + gap), tx, ty});
    p.podiumRegion_ = {p.podium};
    return p;
}

}  // namespace

const std::vector<Rect>& BuildingPlan::storeyRegion(int storey) const {
    return isPodiumStorey(storey) ? podiumRegion_ : towers;
}

double BuildingPlan::draw(std::uint32_t salt, int a, int b, int c) const {
    std::uint64_t h = mix(seed ^ (std::uint64_t{salt} << 32));
    h = mix(h ^ static_cast<std::uint32_t>(a));
    h = mix(h ^ static_cast<std::uint32_t>(b));
    h = mix(h ^ static_cast<std::uint32_t>(c));
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

bool BuildingPlan::isTriangleBay(int level, const Rect& r, int i, int j) const {
    // The corner bay of every rectangle (a chamfered corner), and about one bay in a
    // hundred elsewhere.
    if (i == r.x0 && j == r.y0) return true;
    return draw(1, level, i, j) < 0.01;
}

Rect BuildingPlan::rampBay() const {
    const Rect& r = storeyRegion(1).front();
    return {r.x1() - 1, r.y1() - 1, 1, 1};
}

bool BuildingPlan::isRampBay(int level, int i, int j) const {
    if (level != 1) return false;
    Rect b = rampBay();
    return i == b.x0 && j == b.y0;
}

ObjectCounts CountObjects(const BuildingPlan& p) {
    ObjectCounts n;
    for (int level = 0; level <= p.storeys; ++level)
        for (const Rect& r : p.levelRegion(level)) n.points += static_cast<long>(r.nx + 1) * (r.ny + 1);
    for (int k = 1; k <= p.storeys; ++k) {
        ForEachFrame(p, k, [&](const FrameSpec&) { ++n.frames; });
        ForEachArea(p, k, [&](const AreaSpec&) { ++n.areas; });
    }
    return n;
}

BuildingPlan PlanBuilding(long elements, std::uint64_t seed) {
    if (elements < 1) elements = 1;
    // Taller with size, but slowly: storeys grow with the fourth root and stop at 40, so
    // a large model grows mostly in plan, as campuses and podiums do.
    const long storeys = std::clamp(std::lround(1.25 * std::sqrt(std::sqrt(static_cast<double>(elements)))), 2L, 40L);
    const int towersX = elements >= 30000 ? 2 : 1;
    const int towersY = elements >= 300000 ? 2 : 1;
    BuildingPlan best = Shape(elements, seed, static_cast<int>(storeys), towersX, towersY, 1);
    long bestMiss = std::labs(CountObjects(best).elements() - elements);
    for (int m = 2;; ++m) {
        BuildingPlan next = Shape(elements, seed, static_cast<int>(storeys), towersX, towersY, m);
        long count = CountObjects(next).elements();
        long miss = std::labs(count - elements);
        if (miss < bestMiss) {
            best = std::move(next);
            bestMiss = miss;
        }
        if (count >= elements) break;
    }
    return best;
}

}  // namespace t2v::genmodel
