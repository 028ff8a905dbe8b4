#include "support/DocumentFile.h"

#include "support/RecordingPlatform.h"

namespace t2v::test {

std::unique_ptr<host::DocumentHost> LoadDocumentFile(const std::string& path) {
    platform::RecordingPlatform platform;
    return host::DocumentHost::LoadFile(platform, path);
}

}  // namespace t2v::test
