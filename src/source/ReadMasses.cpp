// Masses (read step 22).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadMasses() {}

}  // namespace t2v::source
