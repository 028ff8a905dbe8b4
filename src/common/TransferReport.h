// What a transfer left out or changed, object by object, so that nothing is dropped
// without a word. Each item names the host object, its kind and the reason; a problem
// is an item that makes the result differ from what the user asked for (a function
// without its data, a record not written), and turns the exit status to 3.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace t2v {

struct ReportItem {
    std::string kind;    // the host object's kind: "frame", "area", "load case", ...
    std::string name;    // its host name (or another identifier the user can find)
    std::string reason;  // one of the fixed reason texts of the user guide, with details
    bool problem = false;
};

class TransferReport {
public:
    // `reason` is the fixed text shown in counts and looked up in the user guide;
    // `detail` (optional) adds what is particular to this object.
    void add(std::string_view kind, std::string_view name, std::string_view reason, bool problem = false,
             std::string_view detail = {});
    void clear() { items_.clear(); }

    const std::vector<ReportItem>& items() const { return items_; }
    bool empty() const { return items_.empty(); }
    // True when an item is a problem; with `strict`, when there is any item at all.
    bool hasProblems(bool strict = false) const;

    // Counts per reason with the first few names, for the terminal.
    std::string summary(std::size_t namesPerReason = 3, bool strict = false) const;
    // Every item, as text lines (the dialog's TransferReport.txt).
    std::string text(bool strict = false) const;
    // Every item as JSON: {"items": [{"kind", "name", "reason", "problem"}...], "problems": n}.
    std::string json(bool strict = false) const;

private:
    std::vector<ReportItem> items_;
};

// The report file a transfer leaves in the structure folder: TransferReport::text under
// a few lines of heading.
inline constexpr const char* kTransferReportFileName = "TransferReport.txt";

// A transfer that cannot go on; the message names the file or folder and the reason.
// Raised before any structure file is touched.
class TransferFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace t2v
