// Elements and element groups.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraElements(FillContext&) {}

}  // namespace t2v::target
