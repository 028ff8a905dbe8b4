// The four small structure files ("PO", "POA", "POF", "ULS") and the earthquake
// record files.
#include <string>

#include "decode/Decoders.h"

namespace t2v::decode::detail {

void DecodePOFile(Cursor& c, Emitter& out) {
    static const RecordLayout options("the options record", 282, {text("text_6", 6, 40), text("text_184", 184, 40)});
    out.beginObject();
    EmitFileVersion(c, out);
    out.key("options");
    out.beginObject();
    EmitFieldsAndOther(out, c.take(options.size(), options.what()), options);
    out.endObject();
    c.expectEnd();
    out.endObject();
}

void DecodePOAFile(Cursor& c, Emitter& out) {
    static const RecordLayout record("a record", 864, {});
    out.beginObject();
    EmitFileVersion(c, out);
    // The record count is a tagged slot; unset (code 0) means no record.
    out.key("count");
    const TaggedSlot count = EmitTaggedSlot(c, out, "the record count");
    if (count.code != 0 && !count.integer)
        c.fail(count.offset,
               "the record count has tagged slot type code " + std::to_string(count.code) + ", not an integer");
    EmitRecords(c, out, "records", {count.integer.value_or(0), count.offset}, record);
    c.expectEnd();
    out.endObject();
}

void DecodePOFFile(Cursor& c, Emitter& out) {
    static const RecordLayout flags("the flag bytes", 20, {});
    out.beginObject();
    EmitFileVersion(c, out);
    out.key("data");
    out.beginObject();
    EmitFieldsAndOther(out, c.take(flags.size(), flags.what()), flags);
    out.endObject();
    c.expectEnd();
    out.endObject();
}

void DecodeULSFile(Cursor& c, Emitter& out) {
    static const RecordLayout record("a record", 42, {});
    out.beginObject();
    EmitFileVersion(c, out);
    // Two counts; the first is taken as the number of 42-byte records that follow.
    Counter count = ReadI16(c, out, "count");
    ReadI16(c, out, "second_count");
    EmitRecords(c, out, "records", count, record);
    c.expectEnd();
    out.endObject();
}

void DecodeEarthquakeRecordFile(Cursor& c, Emitter& out) {
    static const RecordLayout header("the record header", 56,
                                     {text("header", 0, 40), i16("i16_40", 40), i16("pair_count", 42), f32("peak", 44),
                                      f32("peak_time", 48), f32("duration", 52)});
    out.beginObject();
    std::size_t at = c.pos();
    const std::uint8_t* h = c.take(header.size(), header.what());
    EmitFields(out, h, header);
    std::int64_t pairs = LoadI16(h + 42);
    c.checkCount(pairs, 8, at + 42, "the (time, value) pairs");
    out.key("points");
    out.beginArray();
    for (std::int64_t i = 0; i < pairs; ++i) {
        const std::uint8_t* p = c.take(8, "the (time, value) pairs");
        out.beginObject();
        out.key("time");
        out.real(LoadF32(p), true);
        out.key("value");
        out.real(LoadF32(p + 4), true);
        out.endObject();
    }
    out.endArray();
    c.expectEnd();
    out.endObject();
}

}  // namespace t2v::decode::detail
