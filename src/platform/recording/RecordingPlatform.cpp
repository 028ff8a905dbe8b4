#include "platform/recording/RecordingPlatform.h"

#include <iostream>

namespace t2v::platform {
namespace {

std::ostringstream& sink() {
    static thread_local std::ostringstream s;
    s.str({});
    return s;
}

class FailingOutputFile final : public OutputFile {
public:
    FailingOutputFile(std::unique_ptr<OutputFile> inner, std::string path)
        : inner_(std::move(inner)), error_("cannot write " + path + ": injected failure") {}
    bool write(const void* data, std::size_t size) override {
        // The first bytes reach the temporary file, then the disk "fills up".
        if (!written_) {
            written_ = true;
            inner_->write(data, size);
            return true;
        }
        return false;
    }
    bool commit() override { return false; }  // the temporary is discarded by inner_
    const std::string& error() const override { return error_; }

private:
    std::unique_ptr<OutputFile> inner_;
    std::string error_;
    bool written_ = false;
};

}  // namespace

RecordingPlatform::RecordingPlatform() : PosixPlatform(sink(), sink()) {}

bool RecordingPlatform::isDirectory(const std::string& path) { return PosixPlatform::isDirectory(path); }

bool RecordingPlatform::createDirectory(const std::string& path) {
    if (uncreatableFolders.count(path)) return false;
    return PosixPlatform::createDirectory(path);
}

bool RecordingPlatform::deleteFolderTree(const std::string& path) {
    deletedFolders.push_back(path);
    return PosixPlatform::deleteFolderTree(path);
}

DocumentsFolder RecordingPlatform::documentsFolder() {
    // The query creates the folder when it is missing, as the real one does.
    if (documents.status == DocumentsFolder::Status::Ok && !documents.path.empty() && !isDirectory(documents.path))
        PosixPlatform::createDirectory(documents.path);
    return documents;
}

std::string RecordingPlatform::readRegistryText(const std::string& key, const std::string& valueName) {
    for (const auto& [k, v] : registry)
        if (k == key + "|" + valueName) return v;
    return {};
}

std::unique_ptr<OutputFile> RecordingPlatform::createFile(const std::string& path, std::string& error) {
    if (unopenableFiles.count(path)) {
        error = "cannot create " + path + ": injected failure";
        return nullptr;
    }
    auto f = PosixPlatform::createFile(path, error);
    if (f && failingWrites.count(path)) return std::make_unique<FailingOutputFile>(std::move(f), path);
    return f;
}

MsgResult RecordingPlatform::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                        MsgButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    return answer;
}

}  // namespace t2v::platform
