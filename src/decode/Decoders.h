// Internal: the decoders of the individual structure files and the helpers they share.
// Each decoder reads its file front to back through a Cursor and reports what it reads
// to an Emitter; the public entry points are in StructureReader.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "decode/ByteCursor.h"
#include "decode/Emitter.h"
#include "decode/RecordLayout.h"

namespace t2v::decode::detail {

// A counter as read from the file, with its offset for error messages.
struct Counter {
    std::int64_t value;
    std::size_t offset;
};

// Reads a counter and emits it as `key`.
Counter ReadI16(Cursor& c, Emitter& out, std::string_view key);
Counter ReadI32(Cursor& c, Emitter& out, std::string_view key);
// A tagged int16: the type code 2 followed by the value; any other code fails.
Counter ReadTaggedI16(Cursor& c, Emitter& out, std::string_view key);
// A value that carries its own 16-bit type code (0 unset, 2 i16, 3 i32, 4 f32, 5 f64),
// emitted as {"type": code, "value": ...} (value null for code 0); an unknown code fails. Returns where it began, its
// code, and its value when it is an integer.
struct TaggedSlot {
    std::size_t offset;
    std::int16_t code;
    std::optional<std::int64_t> integer;
};
TaggedSlot EmitTaggedSlot(Cursor& c, Emitter& out, std::string_view what);
// `count` records of one layout, emitted as the array `key`.
void EmitRecords(Cursor& c, Emitter& out, std::string_view key, Counter count, const RecordLayout& layout);
// The 80-byte start of the "S", "L" and "A" files (version, name, title) as "preamble".
void EmitPreamble(Cursor& c, Emitter& out);
// The 8-byte version that starts every file, as "file_version".
void EmitFileVersion(Cursor& c, Emitter& out);

struct MainSummary {
    std::int64_t driftCount = 0;
};

MainSummary DecodeMainFile(Cursor& c, Emitter& out);
void DecodeComponentSection(Cursor& c, Emitter& out);
// The "L" file needs the drift count of the main file of the same structure.
void DecodeLoadCaseDefinitions(Cursor& c, Emitter& out, std::int64_t driftCount);
void DecodeAnalysisCases(Cursor& c, Emitter& out);
void DecodePOFile(Cursor& c, Emitter& out);
void DecodePOAFile(Cursor& c, Emitter& out);
void DecodePOFFile(Cursor& c, Emitter& out);
void DecodeULSFile(Cursor& c, Emitter& out);
void DecodeEarthquakeRecordFile(Cursor& c, Emitter& out);

}  // namespace t2v::decode::detail
