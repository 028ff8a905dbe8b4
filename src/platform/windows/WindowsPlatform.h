// The platform on Windows: wide-character (UTF-16) file and folder calls, the shell's
// documents folder, the machine-wide registry, and message boxes owned by the window
// the user is working in. Paths cross this seam as UTF-8 and are widened here.
#pragma once

#include "platform/Platform.h"

#include <string>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace t2v::platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// The system's text for an error code ("Access is denied"), without the line break.
std::string SystemErrorText(unsigned long code);

class WindowsPlatform : public Platform {
public:
    char separator() const override { return '\\'; }
    bool isDirectory(const std::string& path) override;
    bool createDirectory(const std::string& path, std::string* error = nullptr) override;
    // Removes the folder and everything below it. A junction or symbolic link inside is
    // removed as a link: what it points at is never entered or deleted.
    bool deleteFolderTree(const std::string& path, std::string* error = nullptr) override;
    EntryInfo entryInfo(const std::string& path) override;
    std::vector<std::string> listFolder(const std::string& path) override;
    bool removeFile(const std::string& path, std::string& error) override;
    bool renameFile(const std::string& from, const std::string& to, std::string& error) override;
    bool linkFile(const std::string& from, const std::string& to, std::string& error) override;
    // A rename made with MOVEFILE_WRITE_THROUGH is on the disk when it returns.
    bool syncFolder(const std::string&, std::string&) override { return true; }
    std::unique_ptr<FolderLock> lockFolder(const std::string& folder, const std::string& lockName, bool& busy,
                                           std::string& error) override;
    DocumentsFolder documentsFolder() override;
    std::string readRegistryText(const std::string& key, const std::string& valueName) override;
    std::string currentDriveRoot() override;
    std::string currentFolder() override;
    std::unique_ptr<OutputFile> createFile(const std::string& path, std::string& error) override;
    std::optional<std::string> readFile(const std::string& path) override;
    std::optional<std::string> readInputFile(const std::string& path, std::uint64_t maxBytes,
                                             std::string& error) override;
    bool readLargeInputFile(const std::string& path, std::uint64_t maxBytes, std::size_t spare, LargeBuffer& out,
                            InputFileFailure& failure) override;
    void removeTemporariesOnInterrupt() override;
    void holdInterrupts(bool hold) override;
    MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
    void beep() override;

    // The drive list: the roots of the system's logical drives ("C:\", "D:\", ...).
    std::vector<std::string> logicalDrives() const;
    // Message boxes are owned by this window (the dialog while it is shown, else the
    // host's window), so they stay in front of it and block it.
    void setOwner(HWND owner) { owner_ = owner; }
    HWND owner() const { return owner_; }

private:
    HWND owner_ = nullptr;
};

}  // namespace t2v::platform
