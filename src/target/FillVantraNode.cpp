// Target nodes with their supports, and the rigid-diaphragm constraints.
//
// Record layouts: target/NodeLayout.h.
#include <array>

#include "common/Text.h"
#include "target/FillSteps.h"
#include "target/NodeLayout.h"

namespace t2v::target {
namespace {

namespace node = layout::node;
namespace constraint = layout::constraint;

enum Dof { UX = 0, UY, UZ, RX, RY, RZ };

// Appends a node record, keeping the number of the node before it in NodeLast.
std::int32_t AddVantraNode(VantraModel& m) {
    m.NodeLast = m.NodeTable.count();
    return m.NodeTable.add();
}

// Tested in this order; the first that fits decides.
std::uint8_t supportType(const std::array<bool, 6>& r) {
    const bool translations = r[UX] && r[UY] && r[UZ];
    if (translations && r[RX] && r[RY] && r[RZ]) return 1;                   // fixed
    if (translations && !r[RX] && !r[RY] && !r[RZ]) return 2;                // pinned
    if (translations && !r[RX] && !r[RY] && r[RZ]) return 3;                 // pinned, no twist
    if (!r[UX] && !r[UY] && !r[UZ] && !r[RX] && !r[RY] && !r[RZ]) return 0;  // free
    return 9;
}

void SetVantraNode(VantraModel& m, std::int32_t node, std::int32_t previous, std::int32_t next, double x, double y,
                   double z, const std::array<bool, 6>& restraints) {
    RecordView r = m.NodeTable.rec(node);
    r.i32(node::kPrevious, previous);
    r.i32(node::kNext, next);
    r.u8(node::kLastFlag, 1);
    r.f64(node::kX, x);
    r.f64(node::kY, y);
    r.f64(node::kZ, z);
    r.i16(node::kLeadingWord, 0);
    for (std::size_t d = 0; d < 6; ++d) {
        r.u8(node::kRestraints + d, restraints[d] ? 1 : 0);
        if (node == 1) r.u8(node::kOriginFlags + d, 1);
    }
    r.u8(node::kSupportType, supportType(restraints));
}

std::int32_t AddVantraConstraint(VantraModel& m) { return m.ConstraintTable.add(); }

}  // namespace

// Node 1 is an extra free node at the origin; source node i becomes node i + 1, which
// is the id the source reader gave it.
void FillVantraNodes(FillContext& c) {
    const int nodeNum = c.src.NodeNum();
    if (nodeNum == 0) {
        c.platform.messageBox("No nodes exist. No transfer performed.", "", platform::MsgIcon::Critical,
                              platform::MsgButtons::Ok);
        return;
    }
    VantraModel& m = c.m;
    m.NodeTable.resizeTo(0);
    const std::int32_t origin = AddVantraNode(m);
    SetVantraNode(m, origin, 0, 2, 0.0, 0.0, 0.0, {});
    for (int i = 1; i <= nodeNum; ++i) {
        const source::TarvoNodeObj& node = c.src.NodeObj(i);
        const std::int32_t n = AddVantraNode(m);
        SetVantraNode(m, n, n - 1, i == nodeNum ? 0 : n + 1, node.x, node.y, node.z, node.IsRestrained);
    }
}

// Every diaphragm with nodes becomes a constraint numbered from 1; its nodes are tied
// in the plane: UX, UY and RZ.
void FillVantraConstraints(FillContext& c) {
    VantraModel& m = c.m;
    std::int32_t k = 1;
    for (int i = 1; i <= c.src.ConstraintNum(); ++i) {
        const source::TarvoConstraintObj& con = c.src.ConstraintObj(i);
        if (con.NodeNum() < 1) continue;
        const std::int32_t id = AddVantraConstraint(m);
        m.ConstraintTable.rec(id).text(constraint::kName, layout::kNameLength, MakeVantraName("", con.Label, k));
        for (const source::TarvoNodeObj* node : con.Nodes) {
            if (!node) continue;
            RecordView r = m.NodeTable.rec(node->id);
            for (std::size_t d : {std::size_t{UX}, std::size_t{UY}, std::size_t{RZ}})
                r.i16(node::kConstraintSlots + 2 * d, k);
        }
        ++k;
    }
}

}  // namespace t2v::target
