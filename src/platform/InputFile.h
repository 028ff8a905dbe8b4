// What the platforms share when they read an input file whole.
#pragma once

#include "platform/Platform.h"

#include <cstddef>
#include <string>

namespace t2v::platform {

// The end of readLargeInputFile once the file is read: hands `buffer` to `out` when it
// holds the whole file, else fails with `failure` set (a read that failed, with the
// system's reason in `readError`, or a file that ended after `got` bytes).
bool TakeWholeFile(LargeBuffer&& buffer, std::size_t got, const std::string& readError, LargeBuffer& out,
                   InputFileFailure& failure);

}  // namespace t2v::platform
