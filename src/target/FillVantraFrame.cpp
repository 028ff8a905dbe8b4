// Target frames: host groups as named sets of nodes and elements.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraFrames(FillContext&) {}

}  // namespace t2v::target
