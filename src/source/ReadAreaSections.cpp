// Area sections and layered shells (read steps 3 and 17).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadAreaSections() {}
void TarvoModelObj::LinkAreaSectionsToMaterials() {}

void TarvoModelObj::GenerateLayerVantraType(TarvoPropAreaSectObj&) {}
void TarvoPropAreaSectObj::RedimLayer(int) {}

}  // namespace t2v::source
