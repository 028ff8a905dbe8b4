// A platform for tests: real files under the test's folders, but every message box
// and beep is recorded instead of shown, and failures can be injected.
#pragma once

#include "platform/posix/PosixPlatform.h"

#include <functional>
#include <set>
#include <sstream>
#include <vector>

namespace t2v::platform {

struct RecordedMessage {
    std::string text;
    std::string title;
    MsgIcon icon;
    MsgButtons buttons;
};

class RecordingPlatform : public PosixPlatform {
public:
    RecordingPlatform();

    bool isDirectory(const std::string& path) override;
    bool createDirectory(const std::string& path, std::string* error = nullptr) override;
    bool deleteFolderTree(const std::string& path, std::string* error = nullptr) override;
    bool syncFolder(const std::string& path, std::string& error) override;
    DocumentsFolder documentsFolder() override;
    std::string readRegistryText(const std::string& key, const std::string& valueName) override;
    std::unique_ptr<OutputFile> createFile(const std::string& path, std::string& error) override;
    MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
    void beep() override { ++beeps; }
    // Tests must not install process-wide signal handlers.
    void removeTemporariesOnInterrupt() override {}

    // What the user saw.
    std::vector<RecordedMessage> messages;
    int beeps = 0;
    std::vector<std::string> deletedFolders;

    // Scripted answers and injected failures.
    MsgResult answer = MsgResult::Ok;
    DocumentsFolder documents{DocumentsFolder::Status::Ok, {}};
    std::vector<std::pair<std::string, std::string>> registry;  // "key|value" -> text
    std::set<std::string> uncreatableFolders;
    std::set<std::string> unopenableFiles;  // by full path
    std::set<std::string> failingWrites;    // by full path: every write fails
    std::set<std::string> failingCloses;    // by full path: the flush to the disk fails
    std::set<std::string> failingRenames;   // by full path: the rename into place fails
    std::set<std::string> undeletableFolders;
    std::set<std::string> unsyncableFolders;
};

}  // namespace t2v::platform
