// The checks behind the fuzz targets, shared with the test that replays the seed
// corpora and every saved crash input (tests/apps/fuzz_replay_test.cpp). A check returns
// normally for any input the code handles soundly and aborts (with a sanitizer report,
// an uncaught exception or std::abort) for one it does not.
#include "FuzzChecks.h"

#include "decode/ByteCursor.h"
#include "decode/Decoders.h"
#include "decode/Emitter.h"
#include "decode/StructureReader.h"
#include "host/document/DocumentHost.h"
#include "platform/LargeMemory.h"
#include "platform/Platform.h"
#include "plugin/cPlugin.h"
#include "plugin/frmTransferVantra.h"
#include "source/ReadTHFunc.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>

namespace {

using namespace t2v;

class MemoryPlatform final : public platform::Platform {
public:
    std::set<std::string> folders{"/", "/home", "/structures"};
    std::map<std::string, std::string> files;

    char separator() const override { return '/'; }
    bool isDirectory(const std::string& path) override { return folders.count(path) != 0; }
    bool createDirectory(const std::string& path, std::string* error = nullptr) override {
        const auto slash = path.rfind('/');
        if (slash == std::string::npos || !folders.count(parentOf(path)) || files.count(path)) {
            if (error) *error = "cannot create the folder " + path;
            return false;
        }
        folders.insert(path);
        return true;
    }
    bool deleteFolderTree(const std::string& path, std::string* = nullptr) override {
        const std::string prefix = path + "/";
        for (auto it = folders.begin(); it != folders.end();)
            it = (*it == path || it->rfind(prefix, 0) == 0) ? folders.erase(it) : std::next(it);
        for (auto it = files.begin(); it != files.end();)
            it = it->first.rfind(prefix, 0) == 0 ? files.erase(it) : std::next(it);
        return true;
    }
    platform::EntryInfo entryInfo(const std::string& path) override {
        platform::EntryInfo info;
        if (folders.count(path)) info.kind = platform::EntryInfo::Kind::Folder;
        if (auto it = files.find(path); it != files.end()) {
            info.kind = platform::EntryInfo::Kind::File;
            info.size = it->second.size();
        }
        return info;
    }
    std::vector<std::string> listFolder(const std::string& path) override {
        std::vector<std::string> out;
        for (const auto& [name, bytes] : files)
            if (parentOf(name) == path) out.push_back(name.substr(name.rfind('/') + 1));
        for (const std::string& name : folders)
            if (name != path && parentOf(name) == path) out.push_back(name.substr(name.rfind('/') + 1));
        return out;
    }
    bool removeFile(const std::string& path, std::string&) override {
        files.erase(path);
        return true;
    }
    bool renameFile(const std::string& from, const std::string& to, std::string& error) override {
        auto it = files.find(from);
        if (it == files.end()) {
            error = "cannot rename " + from;
            return false;
        }
        files[to] = std::move(it->second);
        files.erase(from);
        return true;
    }
    bool linkFile(const std::string& from, const std::string& to, std::string& error) override {
        auto it = files.find(from);
        if (it == files.end() || files.count(to)) {
            error = "cannot link " + from;
            return false;
        }
        files[to] = it->second;  // a copy serves: nothing here writes a file in place
        return true;
    }
    bool syncFolder(const std::string&, std::string&) override { return true; }
    std::unique_ptr<platform::FolderLock> lockFolder(const std::string&, const std::string&, bool& busy,
                                                     std::string&) override {
        busy = false;
        return std::make_unique<platform::FolderLock>();
    }
    platform::DocumentsFolder documentsFolder() override { return {platform::DocumentsFolder::Status::Ok, "/home"}; }
    std::string readRegistryText(const std::string&, const std::string&) override { return {}; }
    std::string currentDriveRoot() override { return "/"; }
    std::string currentFolder() override { return "/"; }
    std::unique_ptr<platform::OutputFile> createFile(const std::string& path, std::string& error) override {
        if (path.rfind('/') == std::string::npos || !folders.count(parentOf(path)) || folders.count(path)) {
            error = "cannot create " + path;
            return nullptr;
        }
        return std::make_unique<MemoryFile>(*this, path);
    }
    std::optional<std::string> readFile(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> readInputFile(const std::string& path, std::uint64_t maxBytes,
                                             std::string& error) override {
        const auto it = files.find(path);
        if (it == files.end() || it->second.size() > maxBytes) {
            error = "no such file";
            return std::nullopt;
        }
        return it->second;
    }
    bool readLargeInputFile(const std::string& path, std::uint64_t maxBytes, std::size_t spare,
                            platform::LargeBuffer& out, platform::InputFileFailure& failure) override {
        std::string why;
        const std::optional<std::string> text = readInputFile(path, maxBytes, why);
        if (!text) {
            failure = {platform::InputFileFailure::Kind::CannotOpen, why};
            return false;
        }
        out = platform::LargeBuffer(text->size(), spare);
        std::copy(text->begin(), text->end(), out.data());
        return true;
    }
    void removeTemporariesOnInterrupt() override {}
    platform::MsgResult messageBox(const std::string&, const std::string&, platform::MsgIcon,
                                   platform::MsgButtons) override {
        return platform::MsgResult::Ok;
    }
    void beep() override {}

private:
    static std::string parentOf(const std::string& path) {
        const auto slash = path.rfind('/');
        return slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
    }

    // Bytes kept until close(), which stores them under the temporary's name; commit()
    // renames that to the target.
    class MemoryFile final : public platform::OutputFile {
    public:
        MemoryFile(MemoryPlatform& owner, std::string path)
            : owner_(owner), path_(std::move(path)), tmp_(path_ + std::string(TemporarySuffix()) + "0") {}
        ~MemoryFile() override {
            if (!committed_) owner_.files.erase(tmp_);
        }
        bool write(const void* data, std::size_t size) override {
            bytes_.append(static_cast<const char*>(data), size);
            return true;
        }
        bool close() override {
            if (!closed_) owner_.files[tmp_] = std::move(bytes_);
            closed_ = true;
            return true;
        }
        bool commit() override {
            close();
            std::string error;
            committed_ = owner_.renameFile(tmp_, path_, error);
            return committed_;
        }
        const std::string& error() const override { return error_; }
        const std::string& temporaryPath() const override { return tmp_; }

    private:
        MemoryPlatform& owner_;
        std::string path_, tmp_, bytes_, error_;
        bool closed_ = false, committed_ = false;
    };
};

class Presser final : public plugin::DialogUser {
public:
    void ShowModal(plugin::frmTransferVantra& dialog) override {
        dialog.SetDirListPath("/structures");
        dialog.txtVantraName = "Fuzz";
        dialog.cmdTransfer_Click();
    }
};

}  // namespace

namespace t2v::fuzz {

// The model document loader: any text either loads or is refused with a DocumentError
// that names the document; nothing else may happen (no crash, leak, hang or other
// exception).
void CheckDocument(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const auto host = t2v::host::DocumentHost::FromText(text, "fuzz.json");
        // Queries walk what the loader built (names, derived connectivity).
        t2v::host::Names names;
        host->GetLoadPatternNameList(names);
        host->GetPointCount();
    } catch (const t2v::host::DocumentError& e) {
        if (std::string_view(e.what()).rfind("fuzz.json: ", 0) != 0) std::abort();
    }
}

// The function-file reader: any text, read with any of the host's parameters, gives a
// point list in time order (or the fallback function) without crashing or hanging.
void CheckFunctionFile(const std::uint8_t* data, std::size_t size) {
    // The first four bytes choose the reading parameters; the rest is the file.
    if (size < 4) return;
    t2v::host::THFunctionFile params;
    params.headerLines = data[0] % 4;
    params.prefixChars = data[1] % 12;
    params.pointsPerLine = 1 + data[2] % 8;
    params.valueType = 1 + (data[3] & 1);
    params.freeFormat = (data[3] & 2) == 0;
    params.fieldWidth = (data[3] >> 2) % 17;  // 0 and short widths are hostile on purpose
    params.dt = (data[3] & 0x80) ? 0.01 : 0.0;
    const std::string_view text(reinterpret_cast<const char*>(data + 4), size - 4);
    const t2v::source::THFuncPoints points = t2v::source::ReadFunctionFileText(text, params);
    if (points.times.size() != points.values.size() || points.times.empty()) std::abort();
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!std::isfinite(points.times[i]) || !std::isfinite(points.values[i])) std::abort();
        if (i > 0 && points.times[i] < points.times[i - 1]) std::abort();
    }
}

// A model document loaded and transferred whole, on a platform that keeps every folder
// and file in memory (no disk): any document either is refused, or transfers (or stops
// with a message to the user) without crashing, and every structure file written
// decodes with the project's own decoder.
void CheckTransfer(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<host::DocumentHost> host;
    try {
        host = host::DocumentHost::FromText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.json",
                                            "/models");
    } catch (const host::DocumentError&) {
        return;
    }
    MemoryPlatform memory;
    Presser presser;
    plugin::cPlugin plugin(memory, presser);
    plugin.Shared().VantraHomeOverride = "/home";
    bool ok = false;
    plugin.Main(host.get(), ok);
    if (!plugin.Shared().lastTransferWritten) return;

    // What the writer wrote must read back: a decode failure is a writer fault.
    decode::NullEmitter out;
    decode::DecodeOptions options;  // the load-case file needs the drift count
    options.driftCount = plugin.Shared().store.DriftTable.count();
    for (const std::string_view suffix : decode::StructureFileSuffixes()) {
        const std::string path = "/structures/Fuzz/" + decode::StructureFileName(suffix);
        const auto it = memory.files.find(path);
        if (it == memory.files.end()) {
            std::fprintf(stderr, "the transfer reported success without %s\n", path.c_str());
            std::abort();
        }
        try {
            decode::StreamStructureBytes(path, reinterpret_cast<const std::uint8_t*>(it->second.data()),
                                         it->second.size(), suffix, out, options);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "a written file does not decode: %s\n", e.what());
            std::abort();
        }
    }
}

// The structure decoder behind vantra-dump, which reads files users hand it: any bytes
// decode or fail with a DecodeError, never crash or read out of bounds.
void CheckDecode(const std::uint8_t* data, std::size_t size) {
    // The first byte chooses the file kind (one of the seven structure files, or an
    // earthquake record) and, for the load-case file, the drift count.
    if (size < 1) return;
    const auto& suffixes = t2v::decode::StructureFileSuffixes();
    const std::size_t kind = data[0] % (suffixes.size() + 1);
    t2v::decode::NullEmitter out;
    try {
        if (kind == suffixes.size()) {
            t2v::decode::Cursor c("record", data + 1, size - 1);
            t2v::decode::detail::DecodeEarthquakeRecordFile(c, out);
        } else {
            t2v::decode::DecodeOptions options;
            options.driftCount = data[0] / (suffixes.size() + 1) % 8;
            t2v::decode::StreamStructureBytes("fuzz", data + 1, size - 1, suffixes[kind], out, options);
        }
    } catch (const t2v::decode::DecodeError&) {
    }
}

}  // namespace t2v::fuzz
