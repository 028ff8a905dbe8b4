// The transfer dialog as a real window: the dialog resource bound to the dialog's logic
// (frmTransferVantra), whose handlers stay the same whoever plays the user. The window
// only copies control values into the logic, calls its handlers, and shows its state.
#pragma once

#include "plugin/cPlugin.h"
#include "platform/windows/WindowsPlatform.h"

#include <exception>

namespace t2v::com {

class TransferWindow final : public plugin::DialogUser {
public:
    TransferWindow(platform::WindowsPlatform& platform, plugin::SharedValues& shared)
        : platform_(platform), shared_(shared) {}

    // The window that owns the dialog (the host's active window); may be null.
    void setOwner(HWND owner) { owner_ = owner; }

    // Shows the dialog modally on the calling thread. An error raised by a handler
    // (a failed host call, say) closes the dialog and is raised again here, outside the
    // window procedure, so that it reaches the host through Main.
    void ShowModal(plugin::frmTransferVantra& dialog) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void showState(HWND window);
    void fillDirectoryList(HWND window);
    void readControls(HWND window);
    void onDirectoryOpen(HWND window);
    void onSaveDocument(HWND window);

    platform::WindowsPlatform& platform_;
    plugin::SharedValues& shared_;
    plugin::frmTransferVantra* dialog_ = nullptr;
    HWND owner_ = nullptr;
    std::exception_ptr error_;
};

}  // namespace t2v::com
