// The transfer driver: one call turns the open host model into a structure on disk.
#pragma once

#include <functional>
#include <string>
#include <string_view>

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
};

// Sets the unit values of the store from the host's present units.
void SetUnitDefaults(host::TarvoHost& host, target::VantraModel& store);

// Reads, converts and writes. True when every structure file was written; errors of
// the host or of the model (a table that overflows its counter) propagate as
// exceptions.
bool TransferModel(TransferContext& ctx, const std::string& structuresRoot, const std::string& structureName);

}  // namespace t2v::plugin
