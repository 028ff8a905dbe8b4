// Base structure section cuts.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraSectionCuts(FillContext&) {}

}  // namespace t2v::target
