// Geometric queries of the source model.
#include <cmath>

#include "source/TarvoModelObj.h"

namespace t2v::source {

double TarvoModelObj::AreaObjAreaGet(const TarvoAreaObj& area, bool IsProjected) const {
    if (area.NumNodes != 4 || area.idNodes.size() < 4) return 0.0;
    const TarvoNodeObj* p[4];
    for (int i = 0; i < 4; ++i) {
        std::int32_t id = area.idNodes[static_cast<std::size_t>(i)];
        if (id < 2 || id - 1 > NodeNum()) return 0.0;
        p[i] = &Nodes.Obj(id - 1);
    }
    // The diagonals of the stored node order: d1 = P3 - P2, d2 = P4 - P1.
    double d1x = p[2]->x - p[1]->x, d1y = p[2]->y - p[1]->y, d1z = p[2]->z - p[1]->z;
    double d2x = p[3]->x - p[0]->x, d2y = p[3]->y - p[0]->y, d2z = p[3]->z - p[0]->z;
    if (IsProjected) d1z = d2z = 0.0;
    double cx = d1y * d2z - d1z * d2y;
    double cy = d1z * d2x - d1x * d2z;
    double cz = d1x * d2y - d1y * d2x;
    return 0.5 * std::sqrt(cx * cx + cy * cy + cz * cz);
}

namespace {
const TarvoNodeObj* nodeById(const ObjTable<TarvoNodeObj>& nodes, std::int32_t id) {
    if (id < 2 || id - 1 > nodes.Num()) return nullptr;
    return &nodes.Obj(id - 1);
}
}  // namespace

double TarvoModelObj::FrameObjLengthGet(const TarvoFrameObj& frame, bool IsProjected) const {
    const TarvoNodeObj* i = nodeById(Nodes, frame.NodeI);
    const TarvoNodeObj* j = nodeById(Nodes, frame.NodeJ);
    if (!i || !j) return 0.0;
    double dx = j->x - i->x, dy = j->y - i->y, dz = IsProjected ? 0.0 : j->z - i->z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

std::int32_t TarvoModelObj::FrameOrientationGet(const TarvoFrameObj& frame) const {
    // The thresholds are the cosines of 15.7/180 and 266.9/180 radians (5 and 85
    // degrees taken with the circle constant 3.14), not of 5 and 85 degrees exactly.
    static const double kVertical = std::cos(15.7 / 180.0);     // 0.9961986
    static const double kHorizontal = std::cos(266.9 / 180.0);  // 0.0879049
    const TarvoNodeObj* i = nodeById(Nodes, frame.NodeI);
    const TarvoNodeObj* j = nodeById(Nodes, frame.NodeJ);
    if (!i || !j) return 3;
    double dx = j->x - i->x, dy = j->y - i->y, dz = j->z - i->z;
    double L = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (L <= 0.0) return 3;  // a frame of zero length has no direction: classed inclined
    double r = std::fabs(dz) / L;
    if (r > kVertical) return 1;
    if (r < kHorizontal) return 2;
    return 3;
}

}  // namespace t2v::source
