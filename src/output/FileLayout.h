// The parts of the structure files that the writer lays out itself, around the records
// the store holds: the preamble every file opens with, the header and the fixed runs of
// the main file, the counters of the load-case file, and the four small files whose
// content no step fills. The records themselves are laid out in the target stage's
// headers (src/target/*Layout.h), beside the steps that fill them.
//
// Widths follow the same words as the record tables there: "text N" is N one-byte
// characters, blank padded.
#pragma once

#include <cstddef>

namespace t2v::output::file_layout {

// Every file opens with the version (text 8); "S", "L" and "A" go on with the
// structure's name (text 12) and title (text 60), the other four start their content
// right after the version.
namespace preamble {
inline constexpr std::size_t kVersionLength = 8;
inline constexpr std::size_t kNameLength = 12;
inline constexpr std::size_t kTitleLength = 60;
inline constexpr std::size_t kShortSize = kVersionLength;                              // "ULS", "PO", "POA", "POF"
inline constexpr std::size_t kFullSize = kVersionLength + kNameLength + kTitleLength;  // "S", "L", "A"
}  // namespace preamble

// The main ("S") file: a header up to offset 134, then its blocks.
namespace main_file {
inline constexpr std::size_t kHeaderSize = 134;  // preamble included
inline constexpr std::size_t kDefaultSizeLabelLength = 8;
// Between the self-weight block and the section cuts: six int16 zeros.
inline constexpr int kWordsAfterSelfWeight = 6;
// After the drifts: the counts (0) and then the capacities (1) of ten per-kind tables
// this system never fills, so the records they count never follow.
inline constexpr int kUnfilledKindTables = 10;
// The tail section opens with three int16 zeros: a count, a capacity and a further
// word; two int32 zeros (a count and a capacity) close it.
inline constexpr int kTailWords = 3;
}  // namespace main_file

// The load-case ("L") file: one int16 count per load-case kind, then one int16 capacity
// per kind.
namespace load_case_file {
inline constexpr int kKinds = 20;
}

// "ULS": two int16 counts, both 0, so none of its 42-byte records follow.
namespace uls_file {
inline constexpr std::size_t kBodySize = 4;
}

// "PO": one 282-byte options record that this system never sets, all zero bytes.
namespace po_file {
inline constexpr std::size_t kOptionsSize = 282;
}

// "POA": the record count as one unset tagged slot (two zero bytes), so none of its
// 864-byte records follow.
namespace poa_file {
inline constexpr std::size_t kCountSlotSize = 2;
}

// "POF": 20 zero bytes.
namespace pof_file {
inline constexpr std::size_t kBodySize = 20;
}

}  // namespace t2v::output::file_layout
