#include "output/SeriesFolder.h"

#include <string>
#include <string_view>

#include "common/Text.h"

namespace t2v::output {
namespace {

// A name that is one plain folder level: not empty, no separator or drive colon, no
// control character, and not made of dots only ("." and ".." name other folders, and
// Windows drops trailing dots, so "..." would name the parent too).
bool isPlainFolderName(std::string_view name) {
    if (name.empty() || name.find_first_not_of('.') == std::string_view::npos) return false;
    for (char ch : name) {
        const auto b = static_cast<unsigned char>(ch);
        if (ch == '/' || ch == '\\' || ch == ':' || b < 0x20 || b == 0x7F) return false;
    }
    return true;
}

}  // namespace

void ResetSeriesFolder(platform::Platform& platform, const target::VantraModel& m, TransferReport& report) {
    if (m.SeriesToReset.empty() || !isPlainFolderName(StructureFolderName(m.StructureName))) return;
    const std::string seriesDir = platform.join(m.StructureDir, m.SeriesToReset);
    const platform::EntryInfo info = platform.entryInfo(seriesDir);
    using Kind = platform::EntryInfo::Kind;
    if (info.kind == Kind::Missing) return;
    std::string error;
    if (info.kind != Kind::Folder)
        error = seriesDir + " is not a folder" + (info.kind == Kind::Link ? " but a link" : "");
    else if (platform.deleteFolderTree(seriesDir, &error))
        return;
    report.add("analysis series", m.SeriesToReset, "earlier results not cleared", true, error);
}

}  // namespace t2v::output
