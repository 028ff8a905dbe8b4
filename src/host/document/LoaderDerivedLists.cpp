// Lists the host's queries need that no family holds: what is connected to each point,
// and the constraints each point belongs to.
#include "host/document/Loader.h"

#include <algorithm>

namespace t2v::host::document::detail {

void Loader::buildConnectivity() {
    const std::size_t n = m_.points.size();
    auto& offsets = m_.connectivityOffsets;
    offsets.assign(n + 1, 0);
    for (const Frame& f : m_.frames.items) {
        ++offsets[f.i + 1];
        ++offsets[f.j + 1];
    }
    for (const std::uint32_t p : m_.areaCorners) ++offsets[p + 1];
    for (std::size_t p = 0; p < n; ++p) offsets[p + 1] += offsets[p];
    m_.connectivity.assign(offsets[n], 0);
    std::vector<std::uint32_t> cursor(offsets.begin(), offsets.end() - 1);
    // Frames first, then areas, each in host order: filling in that order keeps it.
    for (std::uint32_t f = 0; f < m_.frames.size(); ++f) {
        m_.connectivity[cursor[m_.frames[f].i]++] = f;
        m_.connectivity[cursor[m_.frames[f].j]++] = f;
    }
    for (std::uint32_t a = 0; a < m_.areas.size(); ++a) {
        const Slice c = m_.areas[a].corners;
        for (std::uint32_t k = 0; k < c.count; ++k) {
            m_.connectivity[cursor[m_.areaCorners[c.begin + k]]++] = DocumentModel::kAreaBit | a;
        }
    }
}

void Loader::buildPointConstraints() {
    const std::size_t n = m_.points.size();
    auto& offsets = m_.pointConstraintOffsets;
    offsets.assign(n + 1, 0);
    for (const Constraint& c : m_.constraints.items) {
        for (const std::uint32_t p : c.points) ++offsets[p + 1];
    }
    for (std::size_t p = 0; p < n; ++p) offsets[p + 1] += offsets[p];
    m_.pointConstraints.assign(offsets[n], 0);
    std::vector<std::uint32_t> cursor(offsets.begin(), offsets.end() - 1);
    for (std::uint32_t c = 0; c < m_.constraints.size(); ++c) {
        for (const std::uint32_t p : m_.constraints[c].points) m_.pointConstraints[cursor[p]++] = c;
    }
}

}  // namespace t2v::host::document::detail
