// Time-history functions and their earthquake records (read step 23).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadTarvoTHFunc() {}

}  // namespace t2v::source
