// The transfer driver: one call turns the open host model into a structure on disk.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/TransferReport.h"
#include "host/TarvoHost.h"
#include "platform/Platform.h"
#include "source/TarvoModelObj.h"
#include "target/VantraModel.h"

namespace t2v::plugin {

// Phases of a transfer as they start ("read", "fill", "write", "done"), with the step
// inside the phase and its count, for progress displays and timing.
using TransferProgress = std::function<void(std::string_view phase, std::string_view step, long done, long total)>;

// Called once the fill steps have run, with the source model (its objects carry the
// numbers of what they became) and the filled store, before anything is written.
using TransferFilled = std::function<void(const source::TarvoModelObj& src, const target::VantraModel& store)>;

// Everything a transfer reaches: the host, the operating system, the store it fills
// (kept after the transfer, until the next one resets it) and where records go.
struct TransferContext {
    host::TarvoHost& host;
    platform::Platform& platform;
    target::VantraModel& store;
    source::RecordsLocation records;
    TransferProgress progress;
    TransferFilled filled = {};
    // What the transfer left out or changed (filled by TransferModel).
    TransferReport report;
    std::size_t recordsWritten = 0;  // earthquake record files written
};

// The name of the lock file that keeps two transfers out of one structure folder.
inline constexpr const char* kStructureLockName = "tarvo2vantra.lock";

// Sets the unit values of the store from the host's present units.
void SetUnitDefaults(host::TarvoHost& host, target::VantraModel& store);

// Reads, converts and writes. True when every structure file was written (then the
// earlier results of the analysis series are cleared too); false when the writer
// failed, which it has told the user, and the earlier structure is as it was. Errors of
// the host or of the model (a table that overflows its counter), a structure folder
// that another transfer holds, and a records folder that cannot be made propagate as
// exceptions (TransferFailure for the last two), before any structure file is touched.
bool TransferModel(TransferContext& ctx, const std::string& structuresRoot, const std::string& structureName);

}  // namespace t2v::plugin
