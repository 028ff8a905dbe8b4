// The platform on POSIX systems: real folders and files, the XDG documents folder,
// an environment variable standing in for the machine-wide registry value, and
// message boxes printed to the terminal.
#pragma once

#include "platform/Platform.h"

#include <iosfwd>

namespace t2v::platform {

class PosixPlatform : public Platform {
public:
    // Message boxes go to `out`, critical ones to `err`.
    PosixPlatform(std::ostream& out, std::ostream& err);

    char separator() const override { return '/'; }
    bool isDirectory(const std::string& path) override;
    bool createDirectory(const std::string& path, std::string* error = nullptr) override;
    bool deleteFolderTree(const std::string& path, std::string* error = nullptr) override;
    EntryInfo entryInfo(const std::string& path) override;
    std::vector<std::string> listFolder(const std::string& path) override;
    bool removeFile(const std::string& path, std::string& error) override;
    bool syncFolder(const std::string& path, std::string& error) override;
    bool renameFile(const std::string& from, const std::string& to, std::string& error) override;
    bool linkFile(const std::string& from, const std::string& to, std::string& error) override;
    std::unique_ptr<FolderLock> lockFolder(const std::string& folder, const std::string& lockName, bool& busy,
                                           std::string& error) override;
    DocumentsFolder documentsFolder() override;
    // Stand-in for the registry: the value "Install path" under
    // "SOFTWARE\Quorvane\VANTRA\4" is read from the environment variable
    // VANTRA4_INSTALL_PATH; any other key or value is missing.
    std::string readRegistryText(const std::string& key, const std::string& valueName) override;
    std::string currentDriveRoot() override { return "/"; }
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

private:
    std::ostream& out_;
    std::ostream& err_;
};

// Documents folder from the XDG user-dirs file or $HOME/Documents; exposed for tests.
std::string xdgDocumentsFolder(const std::string& home, const std::string& userDirsFileText);

}  // namespace t2v::platform
