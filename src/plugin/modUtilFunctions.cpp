#include "plugin/modUtilFunctions.h"

namespace t2v::plugin {

bool DirExists(platform::Platform& p, const std::string& path) { return p.isDirectory(path); }

bool MakeDir(platform::Platform& p, const std::string& path) { return p.createDirectory(path); }

std::string ReadRegistryText(platform::Platform& p, const std::string& key, const std::string& valueName) {
    return p.readRegistryText(key, valueName);
}

}  // namespace t2v::plugin
