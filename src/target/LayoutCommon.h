// What every record layout header of the target shares.
//
// Each kind of record has one header beside the fill step that writes it: the record
// size, the offset of every field the transfer writes, and a table of the layout in
// this one format:
//
//   offset    width     field
//        0    text 40   name
//       40    i16       component number
//   66 + s    u8        slot s: ...
//
// Widths: u8, i16, i32, f32 (single), f64 (double), "text N" (N one-byte characters,
// blank padded), "x N" for N equal fields side by side. Offsets are those of the
// structure file; bytes not listed stay zero.
//
// Some fields always hold the same value and their meaning in the analysis program is
// not known. Rather than name them after their offset, each record lists them with their
// value in a fixed-field table, and its setter writes the table as one step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/Record.h"

namespace t2v::target::layout {

struct FixedByte {
    std::size_t offset;
    std::uint8_t value;
};
struct FixedWord {
    std::size_t offset;
    std::int16_t value;
};
struct FixedSingle {
    std::size_t offset;
    double value;  // stored as a single, like every other f32 field
};

inline void writeFixed(RecordView r, std::span<const FixedByte> fields) {
    for (const FixedByte& f : fields) r.u8(f.offset, f.value);
}
inline void writeFixed(RecordView r, std::span<const FixedWord> fields) {
    for (const FixedWord& f : fields) r.i16(f.offset, f.value);
}
inline void writeFixed(RecordView r, std::span<const FixedSingle> fields) {
    for (const FixedSingle& f : fields) r.f32(f.offset, f.value);
}

// The 40-character name that opens most records.
inline constexpr std::size_t kNameLength = 40;

}  // namespace t2v::target::layout
