#include "platform/posix/PosixPlatform.h"

#include "platform/InputFile.h"
#include "platform/LargeMemory.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
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

// Temporaries that an interrupt must remove. The handler may only read what is
// published here, so each slot holds its path in place and becomes visible (state 2)
// only once the path is complete. A transfer has at most eight temporaries at a time.
struct TemporarySlot {
    std::atomic<int> state{0};  // 0 free, 1 being filled, 2 live
    char path[4096];
};
TemporarySlot g_temporaries[32];

TemporarySlot* registerTemporary(const std::string& path) {
    if (path.size() >= sizeof(TemporarySlot::path)) return nullptr;
    for (TemporarySlot& slot : g_temporaries) {
        int expected = 0;
        if (!slot.state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(slot.path, path.c_str(), path.size() + 1);
        slot.state.store(2);
        return &slot;
    }
    return nullptr;  // not removed on an interrupt; the next transfer removes it
}

void unregisterTemporary(TemporarySlot*& slot) {
    if (slot) slot->state.store(0);
    slot = nullptr;
}

extern "C" void removeTemporariesAndRaise(int sig) {
    for (TemporarySlot& slot : g_temporaries)
        if (slot.state.load() == 2) ::unlink(slot.path);
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

// Random letters and digits for temporary names: a name that no one can predict, so
// that no entry can be planted under it in advance.
std::string randomSuffix() {
    static std::mt19937_64 engine{[] {
        std::random_device rd;
        return (static_cast<std::uint64_t>(rd()) << 32) ^ rd() ^
               static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
               static_cast<std::uint64_t>(::getpid());
    }()};
    static const char kChars[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string out;
    for (int i = 0; i < 12; ++i) out += kChars[engine() % 36];
    return out;
}

class PosixOutputFile final : public OutputFile {
public:
    PosixOutputFile(int fd, std::string tmp, std::string target, bool durable)
        : fd_(fd), tmp_(std::move(tmp)), target_(std::move(target)), durable_(durable) {
        slot_ = registerTemporary(tmp_);
        buffer_.reserve(1 << 20);
    }
    ~PosixOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(tmp_.c_str());
        unregisterTemporary(slot_);
    }
    bool write(const void* data, std::size_t size) override {
        if (!ok_ || fd_ < 0) return false;
        const auto* p = static_cast<const char*>(data);
        if (buffer_.size() + size > buffer_.capacity()) {
            if (!drain()) return false;
            if (size >= buffer_.capacity()) return writeAll(p, size);
        }
        buffer_.insert(buffer_.end(), p, p + size);
        return true;
    }
    bool close() override {
        if (fd_ < 0) return ok_;
        drain();
        if (ok_ && durable_ && ::fsync(fd_) != 0) fail("cannot write " + target_ + ": " + errnoText(errno));
        if (::close(fd_) != 0) fail("cannot write " + target_ + ": " + errnoText(errno));
        fd_ = -1;
        return ok_;
    }
    bool commit() override {
        if (committed_) return true;
        if (!close()) return false;
        if (::rename(tmp_.c_str(), target_.c_str()) != 0) {
            fail("cannot replace " + target_ + ": " + errnoText(errno));
            return false;
        }
        committed_ = true;
        unregisterTemporary(slot_);
        return true;
    }
    const std::string& error() const override { return error_; }
    const std::string& temporaryPath() const override { return tmp_; }

private:
    bool writeAll(const char* p, std::size_t n) {
        while (n > 0) {
            const ssize_t w = ::write(fd_, p, n);
            if (w < 0) {
                if (errno == EINTR) continue;
                fail("cannot write " + target_ + ": " + errnoText(errno));
                return false;
            }
            p += w;
            n -= static_cast<std::size_t>(w);
        }
        return true;
    }
    bool drain() {
        if (!ok_) return false;
        const bool done = writeAll(buffer_.data(), buffer_.size());
        buffer_.clear();
        return done;
    }
    void fail(std::string message) {
        if (ok_) error_ = std::move(message);
        ok_ = false;
    }
    int fd_;
    std::string tmp_, target_, error_;
    std::vector<char> buffer_;
    bool durable_;
    bool ok_ = true;
    bool committed_ = false;
    TemporarySlot* slot_ = nullptr;
};

class PosixFolderLock final : public FolderLock {
public:
    explicit PosixFolderLock(int fd) : fd_(fd) {}
    ~PosixFolderLock() override { ::close(fd_); }  // closing the descriptor releases the lock

private:
    int fd_;
};

InputFileFailure::Kind KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return InputFileFailure::Kind::Folder;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return InputFileFailure::Kind::Device;
    if (S_ISFIFO(mode)) return InputFileFailure::Kind::Pipe;
    if (S_ISSOCK(mode)) return InputFileFailure::Kind::Socket;
    return InputFileFailure::Kind::OtherKind;
}

// Opens a file the user named as input: a regular file (links followed) of at most
// `maxBytes`. The open does not block, so that a pipe with no writer is refused rather
// than waited on; the kind and size are checked on the opened file, so a swap after the
// check cannot slip by. -1 with `failure` set otherwise.
int OpenInput(const std::string& path, std::uint64_t maxBytes, std::uint64_t& size, InputFileFailure& failure) {
    struct stat st {};
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A socket cannot be opened at all, and a folder without read permission neither:
        // say what they are rather than the open's reason.
        const int openError = errno;
        if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            failure = {KindOf(st.st_mode), {}};
        } else {
            failure = {InputFileFailure::Kind::CannotOpen, errnoText(openError)};
        }
        return -1;
    }
    if (::fstat(fd, &st) != 0) {
        failure = {InputFileFailure::Kind::CannotRead, errnoText(errno)};
    } else if (!S_ISREG(st.st_mode)) {
        failure = {KindOf(st.st_mode), {}};
    } else if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        failure = {InputFileFailure::Kind::TooLarge, {}};
    } else {
        size = static_cast<std::uint64_t>(st.st_size);
        return fd;
    }
    ::close(fd);
    return -1;
}

// Reads until `size` bytes are in or the file ends; the number read. `error` gets the
// system's error number when a read failed (0 otherwise).
std::size_t ReadUpTo(int fd, char* into, std::size_t size, int& error) {
    std::size_t got = 0;
    error = 0;
    while (got < size) {
        const ssize_t r = ::read(fd, into + got, size - got);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0) error = errno;
        if (r <= 0) break;
        got += static_cast<std::size_t>(r);
    }
    return got;
}

}  // namespace

PosixPlatform::PosixPlatform(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

bool PosixPlatform::isDirectory(const std::string& path) {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PosixPlatform::createDirectory(const std::string& path, std::string* error) {
    if (!path.empty() && ::mkdir(path.c_str(), 0777) == 0) return true;
    if (error) *error = "cannot create the folder " + path + ": " + (path.empty() ? "no name" : errnoText(errno));
    return false;
}

bool PosixPlatform::deleteFolderTree(const std::string& path, std::string* error) {
    if (entryInfo(path).kind != EntryInfo::Kind::Folder) {
        if (error) *error = "cannot delete " + path + ": not a folder";
        return false;
    }
    std::error_code ec;
    std::filesystem::remove_all(path, ec);  // removes links inside as links
    if (ec && error) *error = "cannot delete " + path + ": " + ec.message();
    return !ec;
}

EntryInfo PosixPlatform::entryInfo(const std::string& path) {
    struct stat st {};
    EntryInfo info;
    if (path.empty() || ::lstat(path.c_str(), &st) != 0) return info;
    if (S_ISREG(st.st_mode))
        info.kind = EntryInfo::Kind::File;
    else if (S_ISDIR(st.st_mode))
        info.kind = EntryInfo::Kind::Folder;
    else if (S_ISLNK(st.st_mode))
        info.kind = EntryInfo::Kind::Link;
    else
        info.kind = EntryInfo::Kind::Other;
    info.size = info.kind == EntryInfo::Kind::File ? static_cast<std::uint64_t>(st.st_size) : 0;
    // The owner's write bit is what "chmod a-w" and the Windows read-only attribute
    // both clear; the process's own rights are not asked, since root may write anything.
    info.readOnly = (st.st_mode & S_IWUSR) == 0;
    return info;
}

std::vector<std::string> PosixPlatform::listFolder(const std::string& path) {
    std::vector<std::string> names;
    DIR* d = ::opendir(path.c_str());
    if (!d) return names;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view n = e->d_name;
        if (n != "." && n != "..") names.emplace_back(n);
    }
    ::closedir(d);
    return names;
}

bool PosixPlatform::removeFile(const std::string& path, std::string& error) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    error = "cannot remove " + path + ": " + errnoText(errno);
    return false;
}

bool PosixPlatform::renameFile(const std::string& from, const std::string& to, std::string& error) {
    if (::rename(from.c_str(), to.c_str()) == 0) return true;
    error = "cannot rename " + from + " to " + to + ": " + errnoText(errno);
    return false;
}

bool PosixPlatform::linkFile(const std::string& from, const std::string& to, std::string& error) {
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0) return true;  // 0: no link followed
    error = "cannot link " + from + " to " + to + ": " + errnoText(errno);
    return false;
}

bool PosixPlatform::syncFolder(const std::string& path, std::string& error) {
    if (!durable()) return true;
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open the folder " + path + ": " + errnoText(errno);
        return false;
    }
    // Some file systems cannot sync a folder (EINVAL); their renames are as safe as they get.
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL;
    if (!ok) error = "cannot flush the folder " + path + " to the disk: " + errnoText(errno);
    ::close(fd);
    return ok;
}

std::unique_ptr<FolderLock> PosixPlatform::lockFolder(const std::string& folder, const std::string& lockName,
                                                      bool& busy, std::string& error) {
    busy = false;
    const std::string path = join(folder, lockName);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = "cannot open the lock file " + path + ": " + errnoText(errno);
        return nullptr;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno;
        ::close(fd);
        if (e == EWOULDBLOCK) {
            busy = true;
            return nullptr;
        }
        error = "cannot lock " + path + ": " + errnoText(e);
        return nullptr;
    }
    return std::make_unique<PosixFolderLock>(fd);
}

// Blocking the signals (rather than ignoring them) keeps a request pending, so that it is
// delivered, and the handler runs, as soon as the hold ends.
void PosixPlatform::holdInterrupts(bool hold) {
    sigset_t set;
    sigemptyset(&set);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, sig);
    ::pthread_sigmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

void PosixPlatform::removeTemporariesOnInterrupt() {
    struct sigaction sa {};
    sa.sa_handler = removeTemporariesAndRaise;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

std::string xdgDocumentsFolder(const std::string& home, const std::string& userDirsFileText) {
    std::istringstream in(userDirsFileText);
    std::string line;
    while (std::getline(in, line)) {
        const std::string key = "XDG_DOCUMENTS_DIR=";
        auto start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line.compare(start, key.size(), key) != 0) continue;
        std::string value = line.substr(start + key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
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
    if (!mayReplace(path, error)) return nullptr;
    // O_EXCL with O_NOFOLLOW: the name must be new, and a link planted under it is
    // never followed. A clash with a random name is retried a few times.
    for (int attempt = 0; attempt < 8; ++attempt) {
        std::string tmp = path + std::string(TemporarySuffix()) + randomSuffix();
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) return std::make_unique<PosixOutputFile>(fd, std::move(tmp), path, durable());
        if (errno != EEXIST) {
            error = "cannot create " + path + ": " + errnoText(errno);
            return nullptr;
        }
    }
    error = "cannot create " + path + ": no free temporary name";
    return nullptr;
}

std::optional<std::string> PosixPlatform::readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in || isDirectory(path)) return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return s.str();
}

std::optional<std::string> PosixPlatform::readInputFile(const std::string& path, std::uint64_t maxBytes,
                                                        std::string& error) {
    std::uint64_t size = 0;
    InputFileFailure failure;
    const int fd = OpenInput(path, maxBytes, size, failure);
    if (fd < 0) {
        error = failure.text(maxBytes);
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    int readError = 0;
    // A file that grows while read gives what it held at its size.
    const std::size_t got = ReadUpTo(fd, text.data(), text.size(), readError);
    ::close(fd);
    return TakeWholeText(std::move(text), got, readError != 0 ? errnoText(readError) : std::string(), error);
}

bool PosixPlatform::readLargeInputFile(const std::string& path, std::uint64_t maxBytes, std::size_t spare,
                                       LargeBuffer& out, InputFileFailure& failure) {
    std::uint64_t size = 0;
    const int fd = OpenInput(path, maxBytes, size, failure);
    if (fd < 0) return false;
    LargeBuffer buffer(static_cast<std::size_t>(size), spare);
    int readError = 0;
    const std::size_t got = ReadUpTo(fd, buffer.data(), buffer.size(), readError);
    ::close(fd);
    return TakeWholeFile(std::move(buffer), got, readError != 0 ? errnoText(readError) : std::string(), out, failure);
}

MsgResult PosixPlatform::messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons) {
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
