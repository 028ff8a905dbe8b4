// Areas: split, ordered, oriented; embedded beams (read steps 8, 19, 21, 27).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadAreas() {}
void TarvoModelObj::LinkAreasToSections() {}
void TarvoModelObj::ClassifyAreas() {}
void TarvoModelObj::FindEmbeddedBeams() {}

TarvoNodeObj& TarvoModelObj::GetOrAddNewNode(long&, double, double, double) { throw std::logic_error("not built"); }
void TarvoModelObj::OrderAreaNodes(TarvoAreaObj&) {}

}  // namespace t2v::source
