// plugin-client platform: the Windows platform layer on a real (Wine) file system and
// registry: wide paths, files replaced whole, a folder tree deleted without following a
// link inside it, registry values of both kinds, the documents folder and the drives.
#include "platform/windows/WindowsPlatform.h"

#include <cstdio>
#include <string>

namespace t2v::wintest {

void Check(bool ok, const std::string& what);

namespace {

std::string TempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, buffer);
    std::string base = platform::Narrow(buffer);
    if (!base.empty() && base.back() == '\\') base.pop_back();
    return base + "\\t2v-platform-" + std::to_string(GetCurrentProcessId());
}

bool WriteWhole(platform::Platform& p, const std::string& path, const std::string& text) {
    std::string error;
    auto file = p.createFile(path, error);
    return file && file->write(text.data(), text.size()) && file->commit();
}

}  // namespace

int PlatformChecks() {
    platform::WindowsPlatform p;
    const std::string root = TempFolder();
    Check(p.createDirectory(root) && p.isDirectory(root), "a folder is made and seen");
    Check(!p.createDirectory(root + "\\missing\\child"), "only one folder level is made");

    // A name outside every code page, across the UTF-8 / UTF-16 boundary.
    const std::string wide = root + "\\B\xC3\xA2timent-\xCE\xA3\xCF\x84\xCE\xBF\xCE\xAC";
    Check(p.createDirectory(wide) && p.isDirectory(wide), "a folder with a non-ASCII name");
    const std::string file = wide + "\\VNTRS";
    Check(WriteWhole(p, file, "old") && p.readFile(file) == std::optional<std::string>("old"),
          "a file is written and read back");
    {
        std::string error;
        auto f = p.createFile(file, error);
        Check(f && f->write("new, unfinished", 15), "a second file of that name is being written");
        // Dropped without commit: the earlier file stays.
    }
    Check(p.readFile(file) == std::optional<std::string>("old"), "an unfinished file never replaces the earlier one");
    Check(WriteWhole(p, file, "new") && p.readFile(file) == std::optional<std::string>("new"),
          "a finished file replaces it");
    WIN32_FIND_DATAW d;
    int entries = 0;
    HANDLE find = FindFirstFileW(platform::Widen(wide + "\\*").c_str(), &d);
    if (find != INVALID_HANDLE_VALUE) {
        do ++entries;
        while (FindNextFileW(find, &d));
        FindClose(find);
    }
    Check(entries == 3, "no temporary is left beside the file");
    Check(!p.readFile(wide).has_value(), "a folder is not read as a file");

    // A tree holding a link to a folder outside it: the link goes, its target stays.
    const std::string outside = root + "\\outside";
    p.createDirectory(outside);
    WriteWhole(p, outside + "\\keep.txt", "keep");
    const std::string tree = root + "\\series";
    p.createDirectory(tree);
    p.createDirectory(tree + "\\results");
    WriteWhole(p, tree + "\\results\\r.txt", "r");
    const bool linked = CreateSymbolicLinkW(platform::Widen(tree + "\\link").c_str(), platform::Widen(outside).c_str(),
                                            SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* unprivileged */) != 0;
    std::printf("     directory link inside the tree: %s\n", linked ? "made" : "not supported here");
    Check(p.deleteFolderTree(tree) && !p.isDirectory(tree), "the folder tree is deleted");
    Check(p.readFile(outside + "\\keep.txt") == std::optional<std::string>("keep"),
          "what a link inside pointed at is kept");

    // Registry values: a text up to its first zero, a number as its low 16 bits, signed.
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvo2VantraTest", 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                    nullptr);
    const wchar_t text[] = L"C:\\Vantra4\0ignored";
    RegSetValueExW(key, L"Install path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    const DWORD number = 0x0001FFFF;
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
    Check(p.readRegistryText("SOFTWARE\\Tarvo2VantraTest", "Install path") == "C:\\Vantra4",
          "a registry text up to its zero");
    Check(p.readRegistryText("SOFTWARE\\Tarvo2VantraTest", "Number") == "-1",
          "a registry number as its low 16 bits, signed");
    Check(p.readRegistryText("SOFTWARE\\Tarvo2VantraTest", "Missing").empty(), "a missing value is the empty text");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Tarvo2VantraTest");

    const platform::DocumentsFolder docs = p.documentsFolder();
    Check(docs.status == platform::DocumentsFolder::Status::Ok && p.isDirectory(docs.path),
          "the documents folder (" + docs.path + ")");
    bool hasC = false;
    for (const std::string& drive : p.logicalDrives()) hasC = hasC || drive == "C:\\";
    Check(hasC, "the drive list holds C:\\");
    Check(p.currentDriveRoot().size() == 3 && p.currentDriveRoot()[1] == ':', "the current drive's root");
    p.deleteFolderTree(root);
    return 0;
}

}  // namespace t2v::wintest
