// End-release components.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraReleaseComponents(FillContext&) {}

}  // namespace t2v::target
