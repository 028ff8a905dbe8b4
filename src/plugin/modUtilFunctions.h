// Small helpers of the dialog: folder tests and creation, the registry text.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace t2v::plugin {

// True when the path is an existing directory.
bool DirExists(platform::Platform& p, const std::string& path);
// Creates one directory level; true when it was created.
bool MakeDir(platform::Platform& p, const std::string& path);
// The text of a machine-wide configuration value; empty when missing.
std::string ReadRegistryText(platform::Platform& p, const std::string& key, const std::string& valueName);

}  // namespace t2v::plugin
