#include "support/RecordingPlatform.h"

#include <iostream>

namespace t2v::platform {
namespace {

std::ostringstream& sink() {
    static thread_local std::ostringstream s;
    s.str({});
    return s;
}

// A file whose write, flush or rename fails as a full disk or a lost device would.
class FailingOutputFile final : public OutputFile {
public:
    enum class At { Write, Close, Rename };
    FailingOutputFile(std::unique_ptr<OutputFile> inner, std::string path, At at)
        : inner_(std::move(inner)), path_(std::move(path)), at_(at) {}
    bool write(const void* data, std::size_t size) override {
        if (at_ != At::Write) return inner_->write(data, size);
        // The first bytes reach the temporary file, then the disk "fills up".
        if (!written_) {
            written_ = true;
            inner_->write(data, size);
            return true;
        }
        return fail("cannot write " + path_ + ": injected failure");
    }
    bool close() override {
        if (!error_.empty()) return false;
        // A full disk also refuses the bytes still buffered when the file is closed.
        if (at_ == At::Close || at_ == At::Write) return fail("cannot write " + path_ + ": injected failure");
        return inner_->close();
    }
    bool commit() override {
        if (!close()) return false;
        if (at_ == At::Rename) return fail("cannot replace " + path_ + ": injected failure");
        return inner_->commit();
    }
    const std::string& error() const override { return error_.empty() ? inner_->error() : error_; }
    const std::string& temporaryPath() const override { return inner_->temporaryPath(); }

private:
    bool fail(std::string message) {
        if (error_.empty()) error_ = std::move(message);
        return false;
    }
    std::unique_ptr<OutputFile> inner_;  // dropping it removes the temporary
    std::string path_, error_;
    At at_;
    bool written_ = false;
};

}  // namespace

RecordingPlatform::RecordingPlatform() : PosixPlatform(sink(), sink()) {}

bool RecordingPlatform::isDirectory(const std::string& path) { return PosixPlatform::isDirectory(path); }

bool RecordingPlatform::createDirectory(const std::string& path, std::string* error) {
    if (uncreatableFolders.count(path)) {
        if (error) *error = "cannot create the folder " + path + ": injected failure";
        return false;
    }
    return PosixPlatform::createDirectory(path, error);
}

bool RecordingPlatform::deleteFolderTree(const std::string& path, std::string* error) {
    deletedFolders.push_back(path);
    if (undeletableFolders.count(path)) {
        if (error) *error = "cannot delete " + path + ": injected failure";
        return false;
    }
    return PosixPlatform::deleteFolderTree(path, error);
}

bool RecordingPlatform::syncFolder(const std::string& path, std::string& error) {
    if (unsyncableFolders.count(path)) {
        error = "cannot flush the folder " + path + " to the disk: injected failure";
        return false;
    }
    return PosixPlatform::syncFolder(path, error);
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
    using At = FailingOutputFile::At;
    if (f && failingWrites.count(path)) return std::make_unique<FailingOutputFile>(std::move(f), path, At::Write);
    if (f && failingCloses.count(path)) return std::make_unique<FailingOutputFile>(std::move(f), path, At::Close);
    if (f && failingRenames.count(path)) return std::make_unique<FailingOutputFile>(std::move(f), path, At::Rename);
    return f;
}

MsgResult RecordingPlatform::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                        MsgButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    return answer;
}

}  // namespace t2v::platform
