#include "platform/posix/PosixPlatform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace t2v::platform {
namespace {

std::string errnoText(int e) { return std::strerror(e); }

class PosixOutputFile final : public OutputFile {
public:
    PosixOutputFile(std::FILE* f, std::string tmp, std::string target)
        : f_(f), tmp_(std::move(tmp)), target_(std::move(target)) {
        buffer_.resize(1 << 20);
        std::setvbuf(f_, buffer_.data(), _IOFBF, buffer_.size());
    }
    ~PosixOutputFile() override {
        if (f_) {
            std::fclose(f_);
            std::remove(tmp_.c_str());
        }
    }
    bool write(const void* data, std::size_t size) override {
        if (!ok_ || !f_) return false;
        if (size && std::fwrite(data, 1, size, f_) != size) {
            fail("cannot write " + target_ + ": " + errnoText(errno));
        }
        return ok_;
    }
    bool commit() override {
        if (!f_) return false;
        if (ok_ && std::fflush(f_) != 0) fail("cannot write " + target_ + ": " + errnoText(errno));
        std::FILE* f = f_;
        f_ = nullptr;
        if (std::fclose(f) != 0 && ok_) fail("cannot close " + target_ + ": " + errnoText(errno));
        if (ok_ && std::rename(tmp_.c_str(), target_.c_str()) != 0)
            fail("cannot rename " + tmp_ + " to " + target_ + ": " + errnoText(errno));
        if (!ok_) std::remove(tmp_.c_str());
        return ok_;
    }
    const std::string& error() const override { return error_; }

private:
    void fail(std::string message) {
        if (ok_) error_ = std::move(message);
        ok_ = false;
    }
    std::FILE* f_;
    std::string tmp_, target_, error_;
    std::vector<char> buffer_;
    bool ok_ = true;
};

}  // namespace

PosixPlatform::PosixPlatform(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

bool PosixPlatform::isDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixPlatform::createDirectory(const std::string& path) {
    return !path.empty() && ::mkdir(path.c_str(), 0777) == 0;
}

bool PosixPlatform::deleteFolderTree(const std::string& path) {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
    return !ec;
}

std::string xdgDocumentsFolder(const std::string& home, const std::string& userDirsFileText) {
    std::istringstream in(userDirsFileText);
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DOCUMENTS_DIR=";
        auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        if (!value.empty() && value.front() == '/') return value;
    }
    return home + "/Documents";
}

DocumentsFolder PosixPlatform::documentsFolder() {
    const char* home = std::getenv("HOME");
    if (!home || !*home) return {DocumentsFolder::Status::InvalidArgument, {}};
    std::string config = std::getenv("XDG_CONFIG_HOME") && *std::getenv("XDG_CONFIG_HOME")
                             ? std::string(std::getenv("XDG_CONFIG_HOME"))
                             : std::string(home) + "/.config";
    std::string text = readFile(config + "/user-dirs.dirs").value_or("");
    std::string folder = xdgDocumentsFolder(home, text);
    // The shell query creates the folder when it is missing.
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return {DocumentsFolder::Status::Ok, folder};
}

std::string PosixPlatform::readRegistryText(const std::string& key, const std::string& valueName) {
    if (key != "SOFTWARE\\Quorvane\\VANTRA\\4" || valueName != "Install path") return {};
    const char* v = std::getenv("VANTRA4_INSTALL_PATH");
    return v ? std::string(v) : std::string();
}

std::string PosixPlatform::currentFolder() {
    std::error_code ec;
    auto p = std::filesystem::current_path(ec);
    return ec ? std::string("/") : p.string();
}

std::unique_ptr<OutputFile> PosixPlatform::createFile(const std::string& path, std::string& error) {
    std::string tmp = path + ".part" + std::to_string(::getpid());
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        error = "cannot create " + path + ": " + errnoText(errno);
        return nullptr;
    }
    return std::make_unique<PosixOutputFile>(f, tmp, path);
}

std::optional<std::string> PosixPlatform::readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in || isDirectory(path)) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return s.str();
}

MsgResult PosixPlatform::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                    MsgButtons) {
    std::ostream& o = icon == MsgIcon::Critical ? err_ : out_;
    std::string shown = text;
    for (char& c : shown)
        if (c == '\r') c = '\n';
    if (!title.empty()) o << title << ": ";
    o << shown << std::endl;
    return MsgResult::Ok;
}

void PosixPlatform::beep() { out_ << '\a' << std::flush; }

}  // namespace t2v::platform
