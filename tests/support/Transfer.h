// Runs whole transfers of a model document as the command line does, into a folder
// that disappears with the test.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/document/DocumentHost.h"
#include "support/RecordingPlatform.h"
#include "plugin/cPlugin.h"
#include "support/TempDir.h"

namespace t2v::test {

struct TransferRun {
    TempDir dir;
    platform::RecordingPlatform platform;
    std::unique_ptr<host::DocumentHost> host;
    std::unique_ptr<plugin::cPlugin> plugin;
    bool pressedTransfer = false;
    bool written = false;  // every structure file written
    std::string structureDir() const { return dir / "structures" + "/" + name; }
    std::string home() const { return dir / "home"; }
    std::string name = "Test";
    target::VantraModel& store() { return plugin->Shared().store; }
};

// Transfers the JSON text `json` (function files resolve against `baseFolder`) into
// <temp>/structures/<name> with <temp>/home as Vantra's home folder.
std::unique_ptr<TransferRun> RunTransfer(std::string_view json, const std::string& name = "Test",
                                         const std::string& baseFolder = ".");
// `filled`, when given, sees the source model and the store once the fill steps have run.
std::unique_ptr<TransferRun> RunTransferFile(const std::string& path, const std::string& name = "Test",
                                             plugin::TransferFilled filled = {});
// The same transfer from any host (run.host stays empty). A call that fails as a call
// propagates out of the plug-in's entry, as it does to the host program.
void RunTransferOn(TransferRun& run, host::TarvoHost& host);

}  // namespace t2v::test
