#include "decode/RecordLayout.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "common/Text.h"
#include "decode/ByteCursor.h"

namespace t2v::decode {

std::size_t Width(Type type, std::size_t len) {
    switch (type) {
        case Type::U8:
            return 1;
        case Type::I16:
            return 2;
        case Type::I32:
            return 4;
        case Type::F32:
            return 4;
        case Type::F64:
            return 8;
        case Type::Text:
            return len;
    }
    return 0;
}

namespace {
Field scalar(std::string_view name, std::size_t offset, Type type, std::size_t len = 0) {
    Field f;
    f.name = name;
    f.offset = offset;
    f.type = type;
    f.len = len;
    return f;
}

// Bytes covered by a field: [begin, end) ranges.
void coverage(const Field& f, std::vector<std::pair<std::size_t, std::size_t>>& out) {
    switch (f.shape) {
        case Field::Shape::Scalar:
            out.emplace_back(f.offset, f.offset + Width(f.type, f.len));
            break;
        case Field::Shape::Array:
            out.emplace_back(f.offset, f.offset + Width(f.type, f.len) * f.count);
            break;
        case Field::Shape::Keyed:
            out.emplace_back(f.offset, f.offset + Width(f.type, f.len) * f.keys.size());
            break;
        case Field::Shape::Rows:
            for (const Column& c : f.columns)
                for (std::size_t r = 0; r < f.count; ++r)
                    out.emplace_back(c.offset + r * Stride(c), c.offset + r * Stride(c) + Width(c.type, c.len));
            break;
    }
}
}  // namespace

Field u8(std::string_view name, std::size_t offset) { return scalar(name, offset, Type::U8); }
Field i16(std::string_view name, std::size_t offset) { return scalar(name, offset, Type::I16); }
Field i32(std::string_view name, std::size_t offset) { return scalar(name, offset, Type::I32); }
Field f32(std::string_view name, std::size_t offset) { return scalar(name, offset, Type::F32); }
Field f64(std::string_view name, std::size_t offset) { return scalar(name, offset, Type::F64); }
Field text(std::string_view name, std::size_t offset, std::size_t len) { return scalar(name, offset, Type::Text, len); }

Field array(std::string_view name, std::size_t offset, Type type, std::size_t count) {
    Field f = scalar(name, offset, type);
    f.shape = Field::Shape::Array;
    f.count = count;
    return f;
}

Field texts(std::string_view name, std::size_t offset, std::size_t len, std::size_t count) {
    Field f = scalar(name, offset, Type::Text, len);
    f.shape = Field::Shape::Array;
    f.count = count;
    return f;
}

Field keyed(std::string_view name, std::size_t offset, Type type, std::vector<std::string_view> keys) {
    Field f = scalar(name, offset, type);
    f.shape = Field::Shape::Keyed;
    f.keys = std::move(keys);
    return f;
}

Field rows(std::string_view name, std::size_t count, std::string_view countField, std::vector<Column> columns) {
    Field f;
    f.shape = Field::Shape::Rows;
    f.name = name;
    f.count = count;
    f.countField = countField;
    f.columns = std::move(columns);
    return f;
}

RecordLayout::RecordLayout(std::string_view what, std::size_t size, std::vector<Field> fields)
    : what_(what), size_(size), fields_(std::move(fields)) {
    std::vector<std::pair<std::size_t, std::size_t>> used;
    for (const Field& f : fields_) {
        coverage(f, used);
        if (f.shape == Field::Shape::Rows && !f.countField.empty()) {
            auto it = std::find_if(fields_.begin(), fields_.end(), [&](const Field& g) {
                return g.shape == Field::Shape::Scalar && g.name == f.countField &&
                       (g.type == Type::U8 || g.type == Type::I16 || g.type == Type::I32);
            });
            if (it == fields_.end())
                throw std::logic_error(std::string(what) + ": rows '" + std::string(f.name) + "' name no count field");
        }
    }
    std::sort(used.begin(), used.end());
    std::size_t at = 0;
    for (auto [b, e] : used) {
        if (e > size_)
            throw std::logic_error(std::string(what) + ": field at " + std::to_string(b) + " runs past the record");
        if (b < at) throw std::logic_error(std::string(what) + ": fields overlap at offset " + std::to_string(b));
        if (b > at) gaps_.emplace_back(at, b);
        at = e;
    }
    if (at < size_) gaps_.emplace_back(at, size_);
}

bool AllZero(const std::uint8_t* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i)
        if (p[i]) return false;
    return true;
}

// ---------------------------------------------------------------- text

std::string DecodeText(const std::uint8_t* p, std::size_t len) {
    return fromCp1252(trimRightBlanks(std::string_view(reinterpret_cast<const char*>(p), len)));
}

void EmitText(Emitter& out, const std::uint8_t* p, std::size_t len) {
    if (AllZero(p, len)) {
        out.null();
        return;
    }
    // Plain ASCII (the usual case) needs no conversion.
    std::size_t n = len;
    while (n > 0 && p[n - 1] == ' ') --n;
    bool ascii = true;
    for (std::size_t i = 0; i < n && ascii; ++i) ascii = p[i] < 0x80;
    if (ascii)
        out.string(std::string_view(reinterpret_cast<const char*>(p), n));
    else
        out.string(DecodeText(p, len));
}

// ---------------------------------------------------------------- values

void EmitValue(Emitter& out, const std::uint8_t* p, Type type, std::size_t len) {
    switch (type) {
        case Type::U8:
            out.integer(*p);
            break;
        case Type::I16:
            out.integer(LoadI16(p));
            break;
        case Type::I32:
            out.integer(LoadI32(p));
            break;
        case Type::F32:
            out.real(LoadF32(p), true);
            break;
        case Type::F64:
            out.real(LoadF64(p), false);
            break;
        case Type::Text:
            EmitText(out, p, len);
            break;
    }
}

namespace {
std::int64_t scalarInt(const std::uint8_t* rec, const Field& f) {
    const std::uint8_t* p = rec + f.offset;
    switch (f.type) {
        case Type::U8:
            return *p;
        case Type::I16:
            return LoadI16(p);
        case Type::I32:
            return LoadI32(p);
        default:
            return 0;  // count fields are integers (checked by the layout)
    }
}

void emitRows(Emitter& out, const std::uint8_t* rec, const RecordLayout& layout, const Field& f) {
    std::size_t shown = f.count;
    if (!f.countField.empty()) {
        std::int64_t inUse = 0;
        for (const Field& g : layout.fields())
            if (g.shape == Field::Shape::Scalar && g.name == f.countField) inUse = scalarInt(rec, g);
        std::size_t n =
            static_cast<std::size_t>(std::clamp<std::int64_t>(inUse, 0, static_cast<std::int64_t>(f.count)));
        std::size_t last = 0;  // rows up to the last non-zero one
        for (std::size_t r = f.count; r > n && last == 0; --r)
            for (const Column& c : f.columns) {
                if (!AllZero(rec + c.offset + (r - 1) * Stride(c), Width(c.type, c.len))) {
                    last = r;
                    break;
                }
            }
        shown = std::max(n, last);
    }
    out.beginArray();
    for (std::size_t r = 0; r < shown; ++r) {
        out.beginObject();
        for (const Column& c : f.columns) {
            out.key(c.name);
            EmitValue(out, rec + c.offset + r * Stride(c), c.type, c.len);
        }
        out.endObject();
    }
    out.endArray();
}
}  // namespace

void EmitFields(Emitter& out, const std::uint8_t* rec, const RecordLayout& layout) {
    for (const Field& f : layout.fields()) {
        out.key(f.name);
        std::size_t w = Width(f.type, f.len);
        switch (f.shape) {
            case Field::Shape::Scalar:
                EmitValue(out, rec + f.offset, f.type, f.len);
                break;
            case Field::Shape::Array:
                out.beginArray();
                for (std::size_t i = 0; i < f.count; ++i) EmitValue(out, rec + f.offset + i * w, f.type, f.len);
                out.endArray();
                break;
            case Field::Shape::Keyed:
                out.beginObject();
                for (std::size_t i = 0; i < f.keys.size(); ++i) {
                    out.key(f.keys[i]);
                    EmitValue(out, rec + f.offset + i * w, f.type, f.len);
                }
                out.endObject();
                break;
            case Field::Shape::Rows:
                emitRows(out, rec, layout, f);
                break;
        }
    }
}

void EmitFieldsAndOther(Emitter& out, const std::uint8_t* rec, const RecordLayout& layout) {
    EmitFields(out, rec, layout);
    OtherBytes other;
    other.collect(rec, layout);
    other.emit(out);
}

void EmitRecord(Emitter& out, const std::uint8_t* rec, const RecordLayout& layout, std::int64_t number) {
    out.beginObject();
    out.key("record");
    out.integer(number);
    EmitFieldsAndOther(out, rec, layout);
    out.endObject();
}

// ---------------------------------------------------------------- other bytes

void OtherBytes::collect(const std::uint8_t* bytes, std::size_t begin, std::size_t end, std::size_t base) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::size_t i = begin;
    while (i < end) {
        if (!bytes[i]) {
            ++i;
            continue;
        }
        // A run ends at four consecutive zero bytes or at the end of the gap.
        std::size_t runEnd = i, zeros = 0;
        for (std::size_t j = i; j < end && zeros < 4; ++j) {
            if (bytes[j]) {
                runEnd = j + 1;
                zeros = 0;
            } else {
                ++zeros;
            }
        }
        std::string hex;
        for (std::size_t j = i; j < runEnd; ++j) {
            if (j > i) hex += ' ';
            hex += kHex[bytes[j] >> 4];
            hex += kHex[bytes[j] & 15];
        }
        runs_.emplace_back(base + i, std::move(hex));
        i = runEnd;
    }
}

void OtherBytes::collect(const std::uint8_t* rec, const RecordLayout& layout, std::size_t base) {
    for (auto [b, e] : layout.gaps()) collect(rec, b, e, base);
}

void OtherBytes::emit(Emitter& out) const {
    if (runs_.empty()) return;
    out.key("other_bytes");
    out.beginObject();
    for (const auto& [offset, hex] : runs_) {
        out.key(std::to_string(offset));
        out.string(hex);
    }
    out.endObject();
}

}  // namespace t2v::decode
