// Cross-section components.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraCrossSections(FillContext&) {}

}  // namespace t2v::target
