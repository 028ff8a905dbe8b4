// Saving the host model as a model document from the dialog: the document is streamed
// into a platform file (a temporary renamed into place when complete), so a large model
// is never held as one string and a failed save leaves an earlier document as it was.
#pragma once

#include "host/TarvoHost.h"
#include "platform/Platform.h"

#include <string>

namespace t2v::com {

// Writes the model document; returns the empty text on success, else the reason.
std::string SaveDocumentFile(host::TarvoHost& host, platform::Platform& platform, const std::string& path);

}  // namespace t2v::com
