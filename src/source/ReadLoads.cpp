// Load patterns and loads (read steps 9 to 15 and 24).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadLoadPatterns() {}
void TarvoModelObj::ReadLoadNodes() {}
void TarvoModelObj::ReadLoadFramesDistributed() {}
void TarvoModelObj::ReadLoadFramesPoint() {}
void TarvoModelObj::CheckLoadFramePoint() {}
void TarvoModelObj::ReadLoadAreas() {}
void TarvoModelObj::ConvertLoadAreasToNodes() {}
void TarvoModelObj::SetLoadPatternFlags() {}

bool TarvoFrameObj::LoadFrameDistributedNotEmpty(const std::string&) const { return false; }
bool TarvoFrameObj::LoadFramePointNotEmpty(const std::string&) const { return false; }

}  // namespace t2v::source
