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
#include <vector>

namespace t2v::platform {

class LargeBuffer;  // platform/LargeMemory.h

enum class MsgIcon { None, Critical, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel };
enum class MsgResult { Ok, Cancel };

// Result of the documents-folder query.
struct DocumentsFolder {
    enum class Status { Ok, InvalidArgument, Failed } status = Status::Failed;
    std::string path;
};

// A file being written. Bytes go to a temporary file beside the target, created
// exclusively under a name that ends in TemporarySuffix() followed by random letters
// (so that a planted file or link under that name is never written through, and a
// temporary that a killed process left can be recognised and removed later). The
// target itself is not touched until commit(). Dropping an uncommitted file removes the
// temporary.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Appends bytes; false once any write has failed (later writes are ignored).
    virtual bool write(const void* data, std::size_t size) = 0;
    // Writes out every buffered byte, forces the contents to the disk when the platform
    // is durable (see Platform::setDurable) and closes the temporary. The file keeps its
    // temporary name. False (with error()) on any failure; calling it again does nothing.
    virtual bool close() = 0;
    // close(), then renames the temporary onto the target, replacing an existing target
    // in one step (readers see the old file or the new one, never a mix). False (with
    // error()) on any failure; the temporary is then removed and the target is unchanged.
    virtual bool commit() = 0;
    // The first failure: the path and the system's reason.
    virtual const std::string& error() const = 0;
    // The temporary's full path.
    virtual const std::string& temporaryPath() const = 0;
};

// An exclusive claim on a folder, held until the object is dropped (or the process
// ends, however it ends).
class FolderLock {
public:
    virtual ~FolderLock() = default;
};

// What is at a path, without following a final symbolic link (or Windows junction).
struct EntryInfo {
    enum class Kind { Missing, File, Folder, Link, Other } kind = Kind::Missing;
    std::uint64_t size = 0;  // of a file
    bool readOnly = false;   // a file or folder the owner may not write (Windows: the read-only attribute)
};

// Why an input file was not read (see Platform::readLargeInputFile).
struct InputFileFailure {
    enum class Kind {
        None,
        Folder,
        Device,  // a character or block device
        Pipe,
        Socket,
        OtherKind,   // anything else that is not a regular file
        TooLarge,    // more bytes than the caller allows
        CannotOpen,  // `reason` gives the system's
        CannotRead,  // `reason` gives the system's
        EndedEarly,  // fewer bytes than the file's size when opened: it shrank while read
    } kind = Kind::None;
    std::string reason;

    // The failure as readInputFile words it ("a folder, not a file", "not a regular file",
    // "larger than N bytes", or the system's reason).
    std::string text(std::uint64_t maxBytes) const;
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
    // Creates one directory level. False when it could not be created; `error` (when
    // given) then receives the path and the system's reason.
    virtual bool createDirectory(const std::string& path, std::string* error = nullptr) = 0;
    // Removes a folder and everything in it. Never follows a link: a link inside the
    // folder is removed as a link, and a path that is itself a link is not removed (false).
    // False when anything could not be removed; `error` (when given) receives the reason.
    virtual bool deleteFolderTree(const std::string& path, std::string* error = nullptr) = 0;
    // What is at the path (see EntryInfo); a final link is reported as a link.
    virtual EntryInfo entryInfo(const std::string& path) = 0;
    // The names (not paths) of the entries of a folder, without "." and ".."; empty when
    // it cannot be read.
    virtual std::vector<std::string> listFolder(const std::string& path) = 0;
    // Removes one file or link (never what a link points to). False with `error` set
    // when it could not be removed; a missing entry counts as removed.
    virtual bool removeFile(const std::string& path, std::string& error) = 0;
    // Renames a file within one folder, replacing an existing `to` in one step (Windows:
    // MoveFileEx with MOVEFILE_REPLACE_EXISTING). False with `error` set otherwise.
    virtual bool renameFile(const std::string& from, const std::string& to, std::string& error) = 0;
    // Makes `to` (which must not exist) a second name of the file `from` without copying
    // it (POSIX link, Windows CreateHardLink); links are not followed. False with `error`
    // set where the system or the file system cannot (the caller then does without).
    virtual bool linkFile(const std::string& from, const std::string& to, std::string& error) = 0;
    // Forces the folder's entries (names made, renamed or removed in it) to the disk
    // when the platform is durable; true where the system has no such operation
    // (Windows commits a rename with the file, so it does nothing there).
    virtual bool syncFolder(const std::string& path, std::string& error) = 0;
    // Claims the folder for one writer: creates (or opens) the file `lockName` inside it
    // and takes an exclusive, non-blocking advisory lock on it (POSIX: flock; Windows:
    // LockFileEx, or opening the file without sharing). The lock file itself stays. On
    // failure returns nullptr; `busy` tells whether another process holds the lock (then
    // `error` is empty) or the file could not be made (`error` gives path and reason).
    // The claim ends when the returned object is dropped or the process ends.
    virtual std::unique_ptr<FolderLock> lockFolder(const std::string& folder, const std::string& lockName, bool& busy,
                                                   std::string& error) = 0;

    // --- user folders and configuration --------------------------------------
    virtual DocumentsFolder documentsFolder() = 0;
    // The text of a machine-wide configuration value (the Windows registry on Windows);
    // empty when the key or value is missing.
    virtual std::string readRegistryText(const std::string& key, const std::string& valueName) = 0;
    // The root of the current drive ("C:\" on Windows, "/" on POSIX).
    virtual std::string currentDriveRoot() = 0;
    // The process's current folder.
    virtual std::string currentFolder() = 0;

    // --- files ---------------------------------------------------------------------------
    // Opens a temporary beside `path` for writing (see OutputFile); nullptr with `error`
    // (path and reason) set when it cannot be created, and also when `path` exists but
    // is not a file or is read-only: a read-only file is never replaced.
    virtual std::unique_ptr<OutputFile> createFile(const std::string& path, std::string& error) = 0;
    // Reads a whole file; nullopt when it cannot be opened or read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Reads a whole file that the user named as input: it must be a regular file (links
    // are followed) of at most `maxBytes` bytes. Opening never blocks (a pipe or device
    // is refused, not waited on). nullopt with `error` (the system's reason, or "not a
    // regular file", or "larger than N bytes") otherwise.
    virtual std::optional<std::string> readInputFile(const std::string& path, std::uint64_t maxBytes,
                                                     std::string& error) = 0;
    // The same checks for a large input that is parsed in place: the file's bytes go into
    // `out`, followed by `spare` zero bytes (for a parser that reads a little past the
    // text). The size is checked against `maxBytes` before any memory is reserved. A file
    // that ends before its size (it shrank while read) is a failure here, never shorter
    // text. False with `failure` set otherwise; `out` is then left as it was.
    virtual bool readLargeInputFile(const std::string& path, std::uint64_t maxBytes, std::size_t spare,
                                    LargeBuffer& out, InputFileFailure& failure) = 0;
    // Durable files: when on (the default), close() forces each file's data to the disk
    // and syncFolder() the folder's entries, so that a power cut never leaves a
    // renamed-in file empty or old. Off for scratch runs and benchmarks.
    void setDurable(bool on) { durable_ = on; }
    bool durable() const { return durable_; }
    // The text every temporary's name holds after the target's name; what follows it is
    // random letters and digits only.
    static constexpr std::string_view TemporarySuffix() { return ".t2vtmp-"; }
    // True for the name of a temporary that createFile makes (used to remove the ones a
    // killed transfer left behind).
    static bool IsTemporaryName(std::string_view name);
    // From now on an interrupt or termination request (POSIX: SIGINT, SIGTERM, SIGHUP;
    // Windows: the console control events) removes every temporary that createFile made
    // and that is not yet committed or dropped, then ends the process as the request
    // would have. Held locks end with the process.
    virtual void removeTemporariesOnInterrupt() = 0;
    // While held (true), such a request waits and takes effect when released (false). The
    // writer holds it over the renames that put a structure in place, so that a request
    // ends the process before or after them, never with the structure half renamed or
    // with the earlier files' second names left behind. Calls pair up on one thread.
    virtual void holdInterrupts(bool hold) { (void)hold; }

    // --- user interface ---------------------------------------------------------
    virtual MsgResult messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    virtual void beep() = 0;

protected:
    // The check createFile makes before it opens a temporary: a folder or anything else
    // that is not a file is never replaced, nor is a read-only file. False with `error`.
    bool mayReplace(const std::string& path, std::string& error);

private:
    bool durable_ = true;
};

}  // namespace t2v::platform
