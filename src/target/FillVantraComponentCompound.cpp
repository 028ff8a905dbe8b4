// Compound components.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraCompoundComponents(FillContext&) {}

}  // namespace t2v::target
