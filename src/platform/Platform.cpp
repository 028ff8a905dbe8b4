#include "platform/Platform.h"

#include "platform/InputFile.h"
#include "platform/LargeMemory.h"

#include <utility>

namespace t2v::platform {

std::string Platform::join(std::string_view folder, std::string_view name) const {
    std::string out(folder);
    out += separator();
    out += name;
    return out;
}

std::string InputFileFailure::text(std::uint64_t maxBytes) const {
    switch (kind) {
        case Kind::Folder:
            return "a folder, not a file";
        case Kind::Device:
        case Kind::Pipe:
        case Kind::Socket:
        case Kind::OtherKind:
            return "not a regular file";
        case Kind::TooLarge:
            return "larger than " + std::to_string(maxBytes) + " bytes";
        case Kind::EndedEarly:
            return "the file ended early";
        case Kind::None:
        case Kind::CannotOpen:
        case Kind::CannotRead:
            break;
    }
    return reason;
}

bool TakeWholeFile(LargeBuffer&& buffer, std::size_t got, const std::string& readError, LargeBuffer& out,
                   InputFileFailure& failure) {
    if (!readError.empty()) {
        failure = {InputFileFailure::Kind::CannotRead, readError};
        return false;
    }
    // Text cut short would parse as a different, truncated document.
    if (got != buffer.size()) {
        failure = {InputFileFailure::Kind::EndedEarly, {}};
        return false;
    }
    out = std::move(buffer);
    return true;
}

std::optional<std::string> TakeWholeText(std::string&& text, std::size_t got, const std::string& readError,
                                         std::string& error) {
    InputFileFailure failure;
    if (!readError.empty())
        failure = {InputFileFailure::Kind::CannotRead, readError};
    else if (got != text.size())
        failure = {InputFileFailure::Kind::EndedEarly, {}};
    else
        return std::move(text);
    error = failure.text(0);
    return std::nullopt;
}

bool Platform::mayReplace(const std::string& path, std::string& error) {
    const EntryInfo target = entryInfo(path);
    if (target.kind == EntryInfo::Kind::Folder || target.kind == EntryInfo::Kind::Other) {
        error = "cannot replace " + path + ": it is not a file";
        return false;
    }
    if (target.kind == EntryInfo::Kind::File && target.readOnly) {
        error = "cannot replace " + path + ": the file is read-only";
        return false;
    }
    return true;
}

bool Platform::IsTemporaryName(std::string_view name) {
    const std::size_t at = name.rfind(TemporarySuffix());
    if (at == std::string_view::npos || at == 0) return false;
    const std::string_view rest = name.substr(at + TemporarySuffix().size());
    if (rest.empty()) return false;
    for (char ch : rest)
        if (!((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'z'))) return false;
    return true;
}

}  // namespace t2v::platform
