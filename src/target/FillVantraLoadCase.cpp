// Load cases and the analysis series.
// Not yet transferred: these steps add nothing for now.
#include "target/FillSteps.h"

namespace t2v::target {

void FillVantraLoadCases(FillContext&) {}

}  // namespace t2v::target
