// Record layouts as tables of (name, offset, encoding): each record kind of the
// structure files is described once, and one routine turns any of them into events.
// Bytes that no field of a layout covers are listed when they are not zero, so that a
// stray byte written by mistake shows up instead of disappearing.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "decode/Emitter.h"

namespace t2v::decode {

enum class Type : std::uint8_t { U8, I16, I32, F32, F64, Text };

struct Column {
    std::string_view name;
    std::size_t offset;
    Type type;
    std::size_t len = 0;     // text length
    std::size_t stride = 0;  // distance from row to row; 0: the value's own width
};

struct Field {
    enum class Shape : std::uint8_t {
        Scalar,  // one value
        Array,   // `count` consecutive values
        Keyed,   // consecutive values shown as an object under `keys`
        Rows,    // parallel arrays shown as a list of row objects (see rows())
    };
    Shape shape = Shape::Scalar;
    std::string_view name;
    std::size_t offset = 0;
    Type type = Type::U8;
    std::size_t len = 0;    // text length
    std::size_t count = 0;  // Array: values; Rows: rows allocated in the record
    std::vector<std::string_view> keys;
    std::vector<Column> columns;
    // Rows: the scalar field of the same record that says how many rows are in use
    // (empty: every row is shown).
    std::string_view countField;
};

// Field builders, so that a layout reads like the table it comes from.
Field u8(std::string_view name, std::size_t offset);
Field i16(std::string_view name, std::size_t offset);
Field i32(std::string_view name, std::size_t offset);
Field f32(std::string_view name, std::size_t offset);
Field f64(std::string_view name, std::size_t offset);
Field text(std::string_view name, std::size_t offset, std::size_t len);
Field array(std::string_view name, std::size_t offset, Type type, std::size_t count);
Field texts(std::string_view name, std::size_t offset, std::size_t len, std::size_t count);
Field keyed(std::string_view name, std::size_t offset, Type type, std::vector<std::string_view> keys);
// `count` rows of parallel arrays: row i of a column lies at column.offset + i x stride
// (the stride is the value's width unless the column gives one, for rows stored as
// consecutive groups of fields).
// The rows shown are those in use (by `countField`, clamped to `count`) and, beyond
// them, any up to the last row holding a non-zero byte.
Field rows(std::string_view name, std::size_t count, std::string_view countField, std::vector<Column> columns);

std::size_t Width(Type type, std::size_t len);
inline std::size_t Stride(const Column& c) { return c.stride ? c.stride : Width(c.type, c.len); }

class RecordLayout {
public:
    // Throws std::logic_error when a field lies outside the record or two fields overlap.
    RecordLayout(std::string_view what, std::size_t size, std::vector<Field> fields);

    std::string_view what() const { return what_; }
    std::size_t size() const { return size_; }
    const std::vector<Field>& fields() const { return fields_; }
    const std::vector<std::pair<std::size_t, std::size_t>>& gaps() const { return gaps_; }

private:
    std::string_view what_;
    std::size_t size_;
    std::vector<Field> fields_;
    std::vector<std::pair<std::size_t, std::size_t>> gaps_;  // [begin, end) not covered by any field
};

// Runs of non-zero bytes outside the decoded fields: offset in the record -> hex text.
// Runs closer than four zero bytes are merged so that a float reads as one run.
class OtherBytes {
public:
    void collect(const std::uint8_t* bytes, std::size_t begin, std::size_t end, std::size_t base);
    void collect(const std::uint8_t* rec, const RecordLayout& layout, std::size_t base = 0);
    bool empty() const { return runs_.empty(); }
    // Emits "other_bytes": {"<offset>": "3f 80", ...} when there is any.
    void emit(Emitter& out) const;

private:
    std::vector<std::pair<std::size_t, std::string>> runs_;
};

// Text of a fixed-length field: null when every byte is zero (never assigned), else
// the characters converted from Windows-1252 to UTF-8 with trailing blanks removed.
// Zero bytes inside or after the text are kept, so a badly padded name is visible.
void EmitText(Emitter& out, const std::uint8_t* p, std::size_t len);
std::string DecodeText(const std::uint8_t* p, std::size_t len);

void EmitValue(Emitter& out, const std::uint8_t* p, Type type, std::size_t len);
// The fields of a layout, in order, as members of the current object.
void EmitFields(Emitter& out, const std::uint8_t* rec, const RecordLayout& layout);
// Fields followed by other_bytes.
void EmitFieldsAndOther(Emitter& out, const std::uint8_t* rec, const RecordLayout& layout);
// A whole record object: {"record": number, fields..., other_bytes}.
void EmitRecord(Emitter& out, const std::uint8_t* rec, const RecordLayout& layout, std::int64_t number);

bool AllZero(const std::uint8_t* p, std::size_t n);

}  // namespace t2v::decode
