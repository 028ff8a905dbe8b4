// The entry the host calls: Info for its list of plug-ins, Main to run the export.
#pragma once

#include <cstdint>
#include <string>

#include "plugin/frmTransferVantra.h"

namespace t2v::plugin {

// Who plays the user of the modal dialog: a window, the command line, a test.
class DialogUser {
public:
    virtual ~DialogUser() = default;
    // Shows the dialog modally; returns when it has been closed.
    virtual void ShowModal(frmTransferVantra& dialog) = 0;
};

class cPlugin {
public:
    cPlugin(platform::Platform& platform, DialogUser& user) : platform_(platform), user_(user) {}

    // Runs the export on the given host model (which may be absent). `ok` is true after
    // every normal return; an error raised inside propagates to the caller.
    void Main(host::TarvoHost* oTarvoModel, bool& ok);
    // The text shown in the host's list of plug-ins; always returns 0.
    std::int32_t Info(std::string& Text);

    SharedValues& Shared() { return shared_; }

private:
    platform::Platform& platform_;
    DialogUser& user_;
    SharedValues shared_;
};

}  // namespace t2v::plugin
