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
// first and the last three only for file kind "VNTR") into StructuresRoot/<name>, the
// name cut to its 12 characters (StructureFolderName). The store is only read.
// The structure is replaced whole or not at all: each file is written to a temporary
// beside it and flushed, and only when all of them are complete are they renamed into
// place. The first failure is reported to the user with ReportFileError (once, with the
// path and the system's reason) and ends the writer; the earlier files stay as they
// were and no temporary is left. Temporaries that an earlier, killed transfer left in
// the folder are removed first, so the caller must hold the folder's lock. True when
// every file is in place; a failure to flush the folder itself to the disk afterwards
// does not undo that and is passed back in `syncProblem`.
bool WriteStructureFiles(const target::VantraModel& m, platform::Platform& platform, const std::string& fileKind,
                         bool writeAll, int extraValue, const WriteProgress& progress = {},
                         std::string* syncProblem = nullptr);

// The user's message for a file that could not be opened (`opened` false) or written;
// `reason` (the path and the system's reason) is shown on a line of its own.
void ReportFileError(const target::VantraModel& m, platform::Platform& platform, bool opened,
                     const std::string& fileName, const std::string& reason = {});

// Removes the temporaries that a transfer killed before it finished left in `folder`
// (only files, never links' targets). Returns how many were removed.
std::size_t RemoveLeftTemporaries(platform::Platform& platform, const std::string& folder);

}  // namespace t2v::output
