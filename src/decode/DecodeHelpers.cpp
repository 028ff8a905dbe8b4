#include "decode/Decoders.h"

#include <string>

namespace t2v::decode::detail {

Counter ReadI16(Cursor& c, Emitter& out, std::string_view key) {
    std::size_t at = c.pos();
    std::int64_t v = c.i16(key);
    out.key(key);
    out.integer(v);
    return {v, at};
}

Counter ReadI32(Cursor& c, Emitter& out, std::string_view key) {
    std::size_t at = c.pos();
    std::int64_t v = c.i32(key);
    out.key(key);
    out.integer(v);
    return {v, at};
}

Counter ReadTaggedI16(Cursor& c, Emitter& out, std::string_view key) {
    std::size_t at = c.pos();
    const std::uint8_t* p = c.take(4, key);
    std::int16_t code = LoadI16(p);
    if (code != 2)
        c.fail(at,
               std::string(key) + ": expected a tagged int16 (type code 2), found type code " + std::to_string(code));
    std::int64_t v = LoadI16(p + 2);
    out.key(key);
    out.integer(v);
    return {v, at};
}

TaggedSlot EmitTaggedSlot(Cursor& c, Emitter& out, std::string_view what) {
    TaggedSlot slot{c.pos(), c.i16(what), std::nullopt};
    out.beginObject();
    out.key("type");
    out.integer(slot.code);
    out.key("value");
    switch (slot.code) {
        case 0:
            out.null();
            break;
        case 2:
            slot.integer = c.i16(what);
            out.integer(*slot.integer);
            break;
        case 3:
            slot.integer = c.i32(what);
            out.integer(*slot.integer);
            break;
        case 4:
            out.real(c.f32(what), true);
            break;
        case 5:
            out.real(c.f64(what), false);
            break;
        default:
            c.fail(slot.offset, std::string(what) + ": unknown tagged slot type code " + std::to_string(slot.code));
    }
    out.endObject();
    return slot;
}

void EmitRecords(Cursor& c, Emitter& out, std::string_view key, Counter count, const RecordLayout& layout) {
    c.checkCount(count.value, layout.size(), count.offset, layout.what());
    out.key(key);
    out.beginArray();
    for (std::int64_t i = 0; i < count.value; ++i) EmitRecord(out, c.take(layout.size(), layout.what()), layout, i + 1);
    out.endArray();
}

void EmitFileVersion(Cursor& c, Emitter& out) {
    out.key("file_version");
    EmitText(out, c.take(8, "the file version"), 8);
}

void EmitPreamble(Cursor& c, Emitter& out) {
    static const RecordLayout layout(
        "the file preamble", 80,
        {text("file_version", 0, 8), text("structure_name", 8, 12), text("structure_title", 20, 60)});
    out.key("preamble");
    out.beginObject();
    EmitFields(out, c.take(80, layout.what()), layout);
    out.endObject();
}

}  // namespace t2v::decode::detail
