// Nodal masses, nodal loads, element loads and self weight.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraNodalMass(FillContext&) {}
void FillVantraNodalLoads(FillContext&) {}
void FillVantraElementLoads(FillContext&) {}
void FillVantraSelfWeight(FillContext&) {}

}  // namespace t2v::target
