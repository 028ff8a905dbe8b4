// Model document files loaded as the command line loads them.
#pragma once

#include <memory>
#include <string>

#include "host/document/DocumentHost.h"

namespace t2v::test {

// Loads and validates the document at `path`, read through a recording platform of its
// own; refusals throw host::DocumentError as LoadFile does.
std::unique_ptr<host::DocumentHost> LoadDocumentFile(const std::string& path);

}  // namespace t2v::test
