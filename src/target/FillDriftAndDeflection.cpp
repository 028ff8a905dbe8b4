// Drifts: the relative horizontal displacement of the model's top and bottom drift
// nodes in each horizontal direction, named for the load cases that monitor them.
//
// Record layout: target/DriftLayout.h.
#include "target/DriftLayout.h"
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraDrifts(FillContext& c) {
    VantraModel& m = c.m;
    m.DriftTable.resizeTo(0);
    const source::TarvoNodeObj* top = c.src.NodeTopObj;
    const source::TarvoNodeObj* bottom = c.src.NodeBotObj;
    if (!top || !bottom) return;  // no pair of drift nodes: the model has no drifts

    const char* names[] = {"H1 Drift", "H2 Drift"};
    for (int dir = 0; dir < 2; ++dir) {
        RecordView r = m.DriftTable.rec(m.DriftTable.add());
        namespace drift = layout::drift;
        r.text(drift::kName, drift::kNameLength, names[dir]);
        r.u8(drift::kKind, drift::kKindDrift);
        r.u8(drift::kDirection, dir);
        r.i32(drift::kTopNode, top->id);
        r.i32(drift::kBottomNode, bottom->id);
    }
}

}  // namespace t2v::target
