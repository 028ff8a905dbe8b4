#include "platform/windows/WindowsPlatform.h"

#include "platform/InputFile.h"
#include "platform/LargeMemory.h"

#include <shlobj.h>
#include <knownfolders.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <random>
#include <set>

namespace t2v::platform {

std::wstring Widen(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string Narrow(std::wstring_view utf16) {
    if (utf16.empty()) return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string SystemErrorText(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out;
    if (n && text) out = Narrow(std::wstring_view(text, n));
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ' || out.back() == '.'))
        out.pop_back();
    if (out.empty()) out = "error " + std::to_string(code);
    return out;
}

namespace {

std::string lastError() { return SystemErrorText(GetLastError()); }

// The temporaries not yet committed or dropped, for the interrupt handler.
std::mutex g_liveMutex;
std::set<std::wstring> g_live;

void track(const std::wstring& tmp, bool live) {
    std::lock_guard<std::mutex> lock(g_liveMutex);
    if (live)
        g_live.insert(tmp);
    else
        g_live.erase(tmp);
}

// Bytes go to a temporary beside the target, created new (never an existing entry, so a
// planted link is not followed) and renamed over the target only when all was written
// and, on a durable platform, flushed to the disk.
class WindowsOutputFile final : public OutputFile {
public:
    WindowsOutputFile(HANDLE h, std::wstring tmp, std::wstring target, std::string shown, bool durable)
        : h_(h),
          tmp_(std::move(tmp)),
          target_(std::move(target)),
          shown_(std::move(shown)),
          tmpShown_(Narrow(tmp_)),
          durable_(durable) {
        buffer_.reserve(kBuffer);
        track(tmp_, true);
    }
    ~WindowsOutputFile() override {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
        if (!committed_) DeleteFileW(tmp_.c_str());
        track(tmp_, false);
    }
    bool write(const void* data, std::size_t size) override {
        if (!ok_ || h_ == INVALID_HANDLE_VALUE) return false;
        const char* p = static_cast<const char*>(data);
        if (buffer_.size() + size > kBuffer) {
            flushBuffer();
            if (size >= kBuffer) return writeThrough(p, size);
        }
        buffer_.insert(buffer_.end(), p, p + size);
        return ok_;
    }
    bool close() override {
        if (h_ == INVALID_HANDLE_VALUE) return ok_;
        flushBuffer();
        if (ok_ && durable_ && !FlushFileBuffers(h_)) fail("cannot write " + shown_ + ": " + lastError());
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(h) && ok_) fail("cannot write " + shown_ + ": " + lastError());
        return ok_;
    }
    bool commit() override {
        if (committed_) return true;
        close();
        if (ok_ && !MoveFileExW(tmp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail("cannot replace " + shown_ + ": " + lastError());
        if (!ok_) {
            DeleteFileW(tmp_.c_str());
            return false;
        }
        committed_ = true;
        track(tmp_, false);
        return true;
    }
    const std::string& error() const override { return error_; }
    const std::string& temporaryPath() const override { return tmpShown_; }

private:
    static constexpr std::size_t kBuffer = std::size_t{1} << 20;
    void flushBuffer() {
        if (!buffer_.empty()) writeThrough(buffer_.data(), buffer_.size());
        buffer_.clear();
    }
    bool writeThrough(const char* p, std::size_t size) {
        while (ok_ && size > 0) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, std::size_t{1} << 30));
            DWORD written = 0;
            if (!WriteFile(h_, p, chunk, &written, nullptr) || written == 0) {
                fail("cannot write " + shown_ + ": " + lastError());
                break;
            }
            p += written;
            size -= written;
        }
        return ok_;
    }
    void fail(std::string message) {
        if (ok_) error_ = std::move(message);
        ok_ = false;
    }
    HANDLE h_;
    std::wstring tmp_, target_;
    std::string shown_, tmpShown_, error_;
    std::vector<char> buffer_;
    bool durable_;
    bool ok_ = true;
    bool committed_ = false;
};

class WindowsFolderLock final : public FolderLock {
public:
    explicit WindowsFolderLock(HANDLE h) : h_(h) {}
    ~WindowsFolderLock() override {
        OVERLAPPED at{};
        UnlockFileEx(h_, 0, 1, 0, &at);
        CloseHandle(h_);
    }

private:
    HANDLE h_;
};

bool isLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

bool deleteTree(const std::wstring& folder, std::string& error) {
    bool ok = true;
    WIN32_FIND_DATAW d;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &d);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = d.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (d.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                SetFileAttributesW(path.c_str(), d.dwFileAttributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
            bool removed;
            if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                // A junction or directory link goes as a link; its target stays.
                removed = isLink(d.dwFileAttributes) ? RemoveDirectoryW(path.c_str()) != 0 : deleteTree(path, error);
            else
                removed = DeleteFileW(path.c_str()) != 0;
            if (!removed && error.empty()) error = "cannot delete " + Narrow(path) + ": " + lastError();
            ok = removed && ok;
        } while (FindNextFileW(find, &d));
        FindClose(find);
    }
    if (!RemoveDirectoryW(folder.c_str())) {
        if (error.empty()) error = "cannot delete " + Narrow(folder) + ": " + lastError();
        return false;
    }
    return ok;
}

std::string randomSuffix() {
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<unsigned long long>(GetTickCount64()) ^
                                  static_cast<unsigned long long>(GetCurrentProcessId()) << 32};
    static const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string out;
    for (int i = 0; i < 10; ++i) out += digits[random() % 36];
    return out;
}

// Held by the writer over its renames; the control handler runs on a thread of its own
// and waits here until they are done.
std::mutex g_holdMutex;

BOOL WINAPI OnInterrupt(DWORD) {
    std::lock_guard<std::mutex> hold(g_holdMutex);
    std::lock_guard<std::mutex> lock(g_liveMutex);
    for (const std::wstring& tmp : g_live) DeleteFileW(tmp.c_str());
    g_live.clear();
    return FALSE;  // the system's own handling then ends the process
}

// Opens a file the user named as input: a regular file of at most `maxBytes`. The kind
// and size are checked on the opened file: a pipe or device is refused, never waited on.
// INVALID_HANDLE_VALUE with `failure` set otherwise.
HANDLE OpenInput(const std::string& path, std::uint64_t maxBytes, std::uint64_t& size, InputFileFailure& failure) {
    const std::wstring wide = Widen(path);
    const DWORD a = GetFileAttributesW(wide.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) {
        failure = {InputFileFailure::Kind::Folder, {}};
        return INVALID_HANDLE_VALUE;
    }
    HANDLE h = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        failure = {InputFileFailure::Kind::CannotOpen, lastError()};
        return INVALID_HANDLE_VALUE;
    }
    LARGE_INTEGER bytes{};
    const DWORD type = GetFileType(h);
    if (type != FILE_TYPE_DISK) {
        failure = {type == FILE_TYPE_CHAR   ? InputFileFailure::Kind::Device
                   : type == FILE_TYPE_PIPE ? InputFileFailure::Kind::Pipe
                                            : InputFileFailure::Kind::OtherKind,
                   {}};
    } else if (!GetFileSizeEx(h, &bytes)) {
        failure = {InputFileFailure::Kind::CannotRead, lastError()};
    } else if (static_cast<std::uint64_t>(bytes.QuadPart) > maxBytes) {
        failure = {InputFileFailure::Kind::TooLarge, {}};
    } else {
        size = static_cast<std::uint64_t>(bytes.QuadPart);
        return h;
    }
    CloseHandle(h);
    return INVALID_HANDLE_VALUE;
}

// Reads until `size` bytes are in or the file ends; the number read. `error` gets the
// system's error code when a read failed (0 otherwise).
std::size_t ReadUpTo(HANDLE h, char* into, std::size_t size, DWORD& error) {
    std::size_t got = 0;
    error = 0;
    while (got < size) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size - got, std::size_t{1} << 30));
        if (!ReadFile(h, into + got, want, &n, nullptr)) {
            error = GetLastError();
            break;
        }
        if (n == 0) break;
        got += n;
    }
    return got;
}

}  // namespace

bool WindowsPlatform::isDirectory(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsPlatform::createDirectory(const std::string& path, std::string* error) {
    if (!path.empty() && CreateDirectoryW(Widen(path).c_str(), nullptr)) return true;
    if (error) *error = "cannot create the folder " + path + ": " + (path.empty() ? "no name" : lastError());
    return false;
}

bool WindowsPlatform::deleteFolderTree(const std::string& path, std::string* error) {
    const std::wstring w = Widen(path);
    const DWORD a = GetFileAttributesW(w.c_str());
    std::string why;
    bool ok = false;
    if (a == INVALID_FILE_ATTRIBUTES) {
        why = "cannot delete " + path + ": " + lastError();
    } else if (!(a & FILE_ATTRIBUTE_DIRECTORY) || isLink(a)) {
        why = "cannot delete " + path + ": not a folder";
    } else {
        ok = deleteTree(w, why);
    }
    if (!ok && error) *error = why;
    return ok;
}

EntryInfo WindowsPlatform::entryInfo(const std::string& path) {
    EntryInfo info;
    WIN32_FILE_ATTRIBUTE_DATA d{};
    if (path.empty() || !GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &d)) return info;
    info.readOnly = (d.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (isLink(d.dwFileAttributes)) {
        info.kind = EntryInfo::Kind::Link;
    } else if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        info.kind = EntryInfo::Kind::Folder;
    } else if (d.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) {
        info.kind = EntryInfo::Kind::Other;
    } else {
        info.kind = EntryInfo::Kind::File;
        info.size = (static_cast<std::uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
    }
    return info;
}

std::vector<std::string> WindowsPlatform::listFolder(const std::string& path) {
    std::vector<std::string> out;
    WIN32_FIND_DATAW d;
    HANDLE find = FindFirstFileW((Widen(path) + L"\\*").c_str(), &d);
    if (find == INVALID_HANDLE_VALUE) return out;
    do {
        const std::wstring name = d.cFileName;
        if (name != L"." && name != L"..") out.push_back(Narrow(name));
    } while (FindNextFileW(find, &d));
    FindClose(find);
    return out;
}

bool WindowsPlatform::removeFile(const std::string& path, std::string& error) {
    const std::wstring w = Widen(path);
    const DWORD a = GetFileAttributesW(w.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return true;
    // A directory link is removed as a directory entry; what it points at stays.
    const bool ok =
        (a & FILE_ATTRIBUTE_DIRECTORY) && isLink(a) ? RemoveDirectoryW(w.c_str()) != 0 : DeleteFileW(w.c_str()) != 0;
    if (!ok) error = "cannot remove " + path + ": " + lastError();
    return ok;
}

bool WindowsPlatform::renameFile(const std::string& from, const std::string& to, std::string& error) {
    if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = "cannot rename " + from + " to " + to + ": " + lastError();
    return false;
}

bool WindowsPlatform::linkFile(const std::string& from, const std::string& to, std::string& error) {
    if (CreateHardLinkW(Widen(to).c_str(), Widen(from).c_str(), nullptr)) return true;
    error = "cannot link " + from + " to " + to + ": " + lastError();
    return false;
}

std::unique_ptr<FolderLock> WindowsPlatform::lockFolder(const std::string& folder, const std::string& lockName,
                                                        bool& busy, std::string& error) {
    busy = false;
    const std::string path = join(folder, lockName);
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = "cannot open the lock file " + path + ": " + lastError();
        return nullptr;
    }
    OVERLAPPED at{};
    if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const DWORD e = GetLastError();
        CloseHandle(h);
        if (e == ERROR_LOCK_VIOLATION || e == ERROR_IO_PENDING) {
            busy = true;
        } else {
            error = "cannot lock " + path + ": " + SystemErrorText(e);
        }
        return nullptr;
    }
    return std::make_unique<WindowsFolderLock>(h);
}

DocumentsFolder WindowsPlatform::documentsFolder() {
    wchar_t* folder = nullptr;
    const HRESULT hr = SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &folder);
    DocumentsFolder out;
    if (SUCCEEDED(hr) && folder) {
        out = {DocumentsFolder::Status::Ok, Narrow(folder)};
    } else {
        out.status = hr == E_INVALIDARG ? DocumentsFolder::Status::InvalidArgument : DocumentsFolder::Status::Failed;
    }
    CoTaskMemFree(folder);
    return out;
}

std::string WindowsPlatform::readRegistryText(const std::string& key, const std::string& valueName) {
    HKEY h = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(key).c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return {};
    const std::wstring name = Widen(valueName);
    DWORD type = 0, size = 0;
    std::string out;
    if (RegQueryValueExW(h, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<BYTE> data(size + sizeof(wchar_t));
        if (RegQueryValueExW(h, name.c_str(), nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
            if (type == REG_SZ || type == REG_EXPAND_SZ) {
                std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
                out = Narrow(text.substr(0, text.find(L'\0')));
            } else if (type == REG_DWORD && size >= 4) {
                DWORD v = 0;
                std::memcpy(&v, data.data(), 4);
                out = std::to_string(static_cast<std::int16_t>(v & 0xFFFF));
            }
        }
    }
    RegCloseKey(h);
    return out;
}

std::string WindowsPlatform::currentFolder() {
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring w(n, L'\0');
    const DWORD got = GetCurrentDirectoryW(n, w.data());
    w.resize(got);
    return Narrow(w);
}

std::string WindowsPlatform::currentDriveRoot() {
    const std::string here = currentFolder();
    if (here.size() >= 2 && here[1] == ':') return here.substr(0, 2) + "\\";
    return "C:\\";
}

std::vector<std::string> WindowsPlatform::logicalDrives() const {
    std::vector<std::string> out;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i)
        if (mask & (1u << i)) out.push_back(std::string(1, static_cast<char>('A' + i)) + ":\\");
    return out;
}

std::unique_ptr<OutputFile> WindowsPlatform::createFile(const std::string& path, std::string& error) {
    if (!mayReplace(path, error)) return nullptr;
    // CREATE_NEW: the name must be new, so an entry planted under it is never written
    // through. A clash with a random name is retried a few times.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::wstring tmp = Widen(path + std::string(TemporarySuffix()) + randomSuffix());
        HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h != INVALID_HANDLE_VALUE) return std::make_unique<WindowsOutputFile>(h, tmp, Widen(path), path, durable());
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) {
            error = "cannot create " + path + ": " + lastError();
            return nullptr;
        }
    }
    error = "cannot create " + path + ": no free temporary name";
    return nullptr;
}

std::optional<std::string> WindowsPlatform::readFile(const std::string& path) {
    std::string error;
    return readInputFile(path, std::uint64_t{1} << 31, error);
}

std::optional<std::string> WindowsPlatform::readInputFile(const std::string& path, std::uint64_t maxBytes,
                                                          std::string& error) {
    std::uint64_t size = 0;
    InputFileFailure failure;
    HANDLE h = OpenInput(path, maxBytes, size, failure);
    if (h == INVALID_HANDLE_VALUE) {
        error = failure.text(maxBytes);
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    DWORD readError = 0;
    // A file that grows while read gives what it held at its size.
    const std::size_t got = ReadUpTo(h, text.data(), text.size(), readError);
    CloseHandle(h);
    return TakeWholeText(std::move(text), got, readError != 0 ? SystemErrorText(readError) : std::string(), error);
}

bool WindowsPlatform::readLargeInputFile(const std::string& path, std::uint64_t maxBytes, std::size_t spare,
                                         LargeBuffer& out, InputFileFailure& failure) {
    std::uint64_t size = 0;
    HANDLE h = OpenInput(path, maxBytes, size, failure);
    if (h == INVALID_HANDLE_VALUE) return false;
    LargeBuffer buffer(static_cast<std::size_t>(size), spare);
    DWORD readError = 0;
    const std::size_t got = ReadUpTo(h, buffer.data(), buffer.size(), readError);
    CloseHandle(h);
    return TakeWholeFile(std::move(buffer), got, readError != 0 ? SystemErrorText(readError) : std::string(), out,
                         failure);
}

void WindowsPlatform::removeTemporariesOnInterrupt() { SetConsoleCtrlHandler(OnInterrupt, TRUE); }

void WindowsPlatform::holdInterrupts(bool hold) {
    if (hold)
        g_holdMutex.lock();
    else
        g_holdMutex.unlock();
}

MsgResult WindowsPlatform::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                      MsgButtons buttons) {
    UINT style = buttons == MsgButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    switch (icon) {
        case MsgIcon::Critical:
            style |= MB_ICONERROR;
            break;
        case MsgIcon::Exclamation:
            style |= MB_ICONEXCLAMATION;
            break;
        case MsgIcon::Information:
            style |= MB_ICONINFORMATION;
            break;
        case MsgIcon::None:
            break;
    }
    // A box without a title of its own carries the component's name, as the runtime's
    // message boxes do.
    const std::wstring caption = Widen(title.empty() ? std::string("Tarvo2Vantra") : title);
    const int r =
        MessageBoxW(owner_, Widen(text).c_str(), caption.c_str(), style | (owner_ ? MB_APPLMODAL : MB_TASKMODAL));
    return r == IDCANCEL ? MsgResult::Cancel : MsgResult::Ok;
}

void WindowsPlatform::beep() { MessageBeep(MB_ICONERROR); }

}  // namespace t2v::platform
