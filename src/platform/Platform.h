// The one seam between the transfer and the operating system.
//
// Folders, files, the documents folder, the registry text, message boxes and the
// beep all go through Platform, so the core builds for POSIX and Windows alike and
// the tests can inject failures and record what a user would have seen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace t2v::platform {

enum class MsgIcon { None, Critical, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel };
enum class MsgResult { Ok, Cancel };

// Result of the documents-folder query.
struct DocumentsFolder {
    enum class Status { Ok, InvalidArgument, Failed } status = Status::Failed;
    std::string path;
};

// A file being written. Bytes go to a temporary file beside the target; commit()
// renames it into place only when every write succeeded, so a failed transfer never
// leaves a half-written file where a good one stood. Dropping an uncommitted file
// removes the temporary.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Appends bytes; false once any write has failed (later writes are ignored).
    virtual bool write(const void* data, std::size_t size) = 0;
    // Flushes, closes and renames into place. False (with error()) on any failure.
    virtual bool commit() = 0;
    virtual const std::string& error() const = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // --- paths -------------------------------------------------------------
    virtual char separator() const = 0;
    std::string join(std::string_view folder, std::string_view name) const;

    // --- folders (the dialog's DirExists / MakeDir and the file-system object) ---
    // True when the path exists and is a directory.
    virtual bool isDirectory(const std::string& path) = 0;
    // Creates one directory level. False when it could not be created.
    virtual bool createDirectory(const std::string& path) = 0;
    // Removes a folder and everything in it. False when anything could not be removed.
    virtual bool deleteFolderTree(const std::string& path) = 0;

    // --- user folders and configuration --------------------------------------
    virtual DocumentsFolder documentsFolder() = 0;
    // The text of a machine-wide configuration value (the Windows registry on Windows);
    // empty when the key or value is missing.
    virtual std::string readRegistryText(const std::string& key, const std::string& valueName) = 0;
    // The root of the current drive ("C:\" on Windows, "/" on POSIX).
    virtual std::string currentDriveRoot() = 0;
    // The process's current folder.
    virtual std::string currentFolder() = 0;

    // --- files ---------------------------------------------------------------
    // Opens a file for writing under a temporary name; nullptr with `error` set when
    // it cannot be created.
    virtual std::unique_ptr<OutputFile> createFile(const std::string& path, std::string& error) = 0;
    // Reads a whole file; nullopt when it cannot be opened or read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;

    // --- user interface ---------------------------------------------------------
    virtual MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    virtual void beep() = 0;
};

}  // namespace t2v::platform
