// Target nodes, supports and constraints.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraNodes(FillContext&) {}
void FillVantraConstraints(FillContext&) {}

}  // namespace t2v::target
