// Materials (read step 1).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadMaterials() {}

double TarvoPropMaterialObj::Fy() const { return 0; }
double TarvoPropMaterialObj::Fu() const { return 0; }
double TarvoPropMaterialObj::E() const { return 0; }
double TarvoPropMaterialObj::Nu() const { return 0; }
double TarvoPropMaterialObj::G() const { return 0; }

}  // namespace t2v::source
