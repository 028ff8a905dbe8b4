// Drifts: the relative horizontal displacement of the model's top and bottom drift
// nodes in each horizontal direction, named for the load cases that monitor them.
//
// Drift record (46 bytes): 0 name text 20, 20 kind u8 (1), 21 direction u8 (0 first
// horizontal direction, 1 second), 22 top node int32, 26 bottom node int32.
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
        RecordView r = m.DriftTable.rec(m.DriftTable.add(Growth::CountPlus10));
        r.text(0, 20, names[dir]);
        r.u8(20, 1);
        r.u8(21, dir);
        r.i32(22, top->id);
        r.i32(26, bottom->id);
    }
}

}  // namespace t2v::target
