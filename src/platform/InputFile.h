// What the platforms share when they read an input file whole.
#pragma once

#include "platform/Platform.h"

#include <cstddef>
#include <optional>
#include <string>

namespace t2v::platform {

// The end of readLargeInputFile once the file is read: hands `buffer` to `out` when it
// holds the whole file, else fails with `failure` set (a read that failed, with the
// system's reason in `readError`, or a file that ended after `got` bytes).
bool TakeWholeFile(LargeBuffer&& buffer, std::size_t got, const std::string& readError, LargeBuffer& out,
                   InputFileFailure& failure);

// The same end for readInputFile: the text when it holds the whole file, else nullopt
// with `error` set as InputFileFailure words it. A read that failed part way, or a file
// that shrank while read, is never handed on as shorter text: a ground-motion record cut
// short would be a different record, written as if it were whole.
std::optional<std::string> TakeWholeText(std::string&& text, std::size_t got, const std::string& readError,
                                         std::string& error);

}  // namespace t2v::platform
