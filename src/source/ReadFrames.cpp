// Frame sections, frames, releases and hinges (read steps 2, 6, 7, 16, 18, 20, 26).
// Not yet transferred: these steps read nothing for now.
#include <stdexcept>

#include "source/TarvoModelObj.h"

namespace t2v::source {

void TarvoModelObj::ReadFrameSections() {}
void TarvoModelObj::ReadFrames() {}
void TarvoModelObj::ReadFrameReleases() {}
void TarvoModelObj::LinkFrameSectionsToMaterials() {}
void TarvoModelObj::LinkFramesToSections() {}
void TarvoModelObj::ClassifyFrames() {}
void TarvoModelObj::ReadFrameHinges() {}

int TarvoPropFrameSectObj::GetIdxRelease(const TarvoFrameReleaseObj*, const TarvoFrameReleaseObj*) const { return -1; }
void TarvoPropFrameSectObj::AddRelease(const TarvoFrameReleaseObj*, const TarvoFrameReleaseObj*, std::int32_t) {}

}  // namespace t2v::source
