// Writes the store as the seven structure files of one structure folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "target/VantraModel.h"

namespace t2v::output {

// Progress of the writer: (file name, bytes written so far).
using WriteProgress = std::function<void(std::string_view file, unsigned long long bytes)>;

// Writes the "A", "ULS", "PO", "POA", "POF", "L" and "S" files (in that order; the
// first and the last three only for file kind "VNTR") into StructuresRoot/<name>.
// Each file is written under a temporary name and renamed into place when complete.
// A failure is reported to the user with ReportFileError; the writer goes on with the
// next file except after a failure of the main file. True only when every file was
// written.
bool WriteStructureFiles(target::VantraModel& m, platform::Platform& platform, const std::string& fileKind,
                         bool writeAll, int extraValue, const WriteProgress& progress = {});

// The user's message for a file that could not be opened (`opened` false) or written.
void ReportFileError(const target::VantraModel& m, platform::Platform& platform, bool opened,
                     const std::string& fileName);

}  // namespace t2v::output
