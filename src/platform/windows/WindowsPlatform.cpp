#include "platform/windows/WindowsPlatform.h"

#include <shlobj.h>
#include <knownfolders.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>

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
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::string SystemErrorText(unsigned long code) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
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

// Bytes go to a temporary beside the target, created new (never an existing entry, so a
// planted link is not followed) and renamed over the target only when all was written
// and flushed to the disk.
class WindowsOutputFile final : public OutputFile {
public:
    WindowsOutputFile(HANDLE h, std::wstring tmp, std::wstring target, std::string shown)
        : h_(h), tmp_(std::move(tmp)), target_(std::move(target)), shown_(std::move(shown)) {
        buffer_.reserve(kBuffer);
    }
    ~WindowsOutputFile() override {
        if (h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
            DeleteFileW(tmp_.c_str());
        }
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
    bool commit() override {
        if (h_ == INVALID_HANDLE_VALUE) return false;
        flushBuffer();
        if (ok_ && !FlushFileBuffers(h_)) fail("cannot write " + shown_ + ": " + lastError());
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        if (!CloseHandle(h) && ok_) fail("cannot close " + shown_ + ": " + lastError());
        if (ok_ && !MoveFileExW(tmp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            fail("cannot replace " + shown_ + ": " + lastError());
        if (!ok_) DeleteFileW(tmp_.c_str());
        return ok_;
    }
    const std::string& error() const override { return error_; }

private:
    static constexpr std::size_t kBuffer = std::size_t{1} << 20;
    void flushBuffer() {
        if (!buffer_.empty()) writeThrough(buffer_.data(), buffer_.size());
        buffer_.clear();
    }
    bool writeThrough(const char* p, std::size_t size) {
        while (ok_ && size > 0) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
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
    std::string shown_, error_;
    std::vector<char> buffer_;
    bool ok_ = true;
};

bool isLink(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

bool deleteTree(const std::wstring& folder) {
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
            if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                // A junction or directory link goes as a link; its target stays.
                ok = (isLink(d.dwFileAttributes) ? RemoveDirectoryW(path.c_str()) != 0 : deleteTree(path)) && ok;
            } else {
                ok = DeleteFileW(path.c_str()) != 0 && ok;
            }
        } while (FindNextFileW(find, &d));
        FindClose(find);
    }
    return RemoveDirectoryW(folder.c_str()) != 0 && ok;
}

}  // namespace

bool WindowsPlatform::isDirectory(const std::string& path) {
    if (path.empty()) return false;
    const DWORD a = GetFileAttributesW(Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsPlatform::createDirectory(const std::string& path) {
    return !path.empty() && CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

bool WindowsPlatform::deleteFolderTree(const std::string& path) {
    const std::wstring w = Widen(path);
    const DWORD a = GetFileAttributesW(w.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return true;
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (isLink(a)) return RemoveDirectoryW(w.c_str()) != 0;  // the link, never its target
    return deleteTree(w);
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
    static std::mt19937_64 random{std::random_device{}() ^ static_cast<unsigned long long>(GetTickCount64())};
    const std::wstring target = Widen(path);
    for (int attempt = 0; attempt < 16; ++attempt) {
        wchar_t suffix[32];
        swprintf(suffix, 32, L".part%08llx", static_cast<unsigned long long>(random() & 0xFFFFFFFFull));
        const std::wstring tmp = target + suffix;
        HANDLE h = CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (h != INVALID_HANDLE_VALUE) return std::make_unique<WindowsOutputFile>(h, tmp, target, path);
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    error = "cannot create " + path + ": " + lastError();
    return nullptr;
}

std::optional<std::string> WindowsPlatform::readFile(const std::string& path) {
    HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<std::string> out;
    LARGE_INTEGER size{};
    if (GetFileType(h) == FILE_TYPE_DISK && GetFileSizeEx(h, &size) && size.QuadPart >= 0 &&
        size.QuadPart < (LONGLONG{1} << 31)) {
        std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
        DWORD got = 0;
        if (text.empty() || (ReadFile(h, text.data(), static_cast<DWORD>(text.size()), &got, nullptr) &&
                             got == text.size()))
            out = std::move(text);
    }
    CloseHandle(h);
    return out;
}

MsgResult WindowsPlatform::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                      MsgButtons buttons) {
    UINT style = buttons == MsgButtons::OkCancel ? MB_OKCANCEL : MB_OK;
    switch (icon) {
        case MsgIcon::Critical: style |= MB_ICONERROR; break;
        case MsgIcon::Exclamation: style |= MB_ICONEXCLAMATION; break;
        case MsgIcon::Information: style |= MB_ICONINFORMATION; break;
        case MsgIcon::None: break;
    }
    // A box without a title of its own carries the component's name, as the runtime's
    // message boxes do.
    const std::wstring caption = Widen(title.empty() ? std::string("Tarvo2Vantra") : title);
    const int r = MessageBoxW(owner_, Widen(text).c_str(), caption.c_str(), style | (owner_ ? MB_APPLMODAL : MB_TASKMODAL));
    return r == IDCANCEL ? MsgResult::Cancel : MsgResult::Ok;
}

void WindowsPlatform::beep() { MessageBeep(MB_ICONERROR); }

}  // namespace t2v::platform
