#include "platform/Platform.h"

namespace t2v::platform {

std::string Platform::join(std::string_view folder, std::string_view name) const {
    std::string out(folder);
    out += separator();
    out += name;
    return out;
}

}  // namespace t2v::platform
