// The load-case definition file ("L") and the analysis case file ("A").
#include <string>

#include "decode/Decoders.h"

namespace t2v::decode::detail {
namespace {

constexpr int kLoadCaseKinds = 20;

RecordLayout gravityCase() {
    return RecordLayout("a gravity load case record", 1024,
                        {text("name", 0, 40), u8("kind_flag", 40), text("text_44", 44, 40), i16("entry_count", 88),
                         rows("entries", 20, "entry_count",
                              {{"kind", 90, Type::I16}, {"pattern", 130, Type::Text, 40}, {"scale", 930, Type::F32}})});
}

RecordLayout pushoverCase() {
    return RecordLayout(
        "a pushover load case record", 1042,
        {text("name", 0, 40), u8("kind_flag", 40), u8("mode_flag", 41), u8("u8_43", 43), text("limit_state", 44, 40),
         i16("i16_84", 84), i16("i16_86", 86), f32("f32_88", 88), i16("entry_count", 92),
         rows("entries", 20, "entry_count",
              {{"kind", 94, Type::U8}, {"pattern", 114, Type::Text, 40}, {"scale", 914, Type::F32}}),
         array("modes", 995, Type::U8, 6), u8("u8_1007", 1007), text("drift", 1008, 20), i32("i32_1034", 1034)});
}

// The 30-byte block at 284 holds one 10-byte group per direction: the number of
// points (int16), the acceleration scale factor and the time scale factor (float32).
RecordLayout dynamicCase() {
    return RecordLayout("a dynamic load case record", 348,
                        {text("name", 0, 40), u8("kind_flag", 40), u8("u8_41", 41), text("limit_state", 42, 40),
                         f32("duration", 82), f32("step_size", 86), i16("i16_90", 90),
                         rows("directions", 3, {},
                              {{"subfolder", 92, Type::Text, 12},
                               {"function", 128, Type::Text, 12},
                               {"record_header", 164, Type::Text, 40},
                               {"points", 284, Type::I16, 0, 10},
                               {"scale", 286, Type::F32, 0, 10},
                               {"time_factor", 290, Type::F32, 0, 10}}),
                         text("drift", 314, 20)});
}

RecordLayout kind4Case() {
    return RecordLayout("a kind 4 load case record", 147,
                        {text("name", 0, 40), text("text_40", 40, 40), u8("u8_80", 80), i16("i16_81", 81),
                         text("text_83", 83, 40), text("text_127", 127, 20)});
}

RecordLayout kind56Case(std::string_view what, std::size_t size) {
    return RecordLayout(
        what, size,
        {text("name", 0, 40), text("text_40", 40, 20), u8("u8_60", 60), i16("i16_61", 61), text("text_63", 63, 40)});
}

RecordLayout kind7Case() {
    return RecordLayout("a kind 7 load case record", 317,
                        {text("name", 0, 40), texts("texts_45", 45, 12, 3), texts("texts_81", 81, 12, 3),
                         texts("texts_117", 117, 40, 3)});
}

RecordLayout kind8Case() {
    return RecordLayout("a kind 8 load case record", 5021,
                        {text("name", 0, 40), text("text_42", 42, 40), texts("texts_217", 217, 40, 41),
                         texts("texts_1857", 1857, 12, 41), texts("texts_2349", 2349, 12, 41),
                         texts("texts_2841", 2841, 40, 41), text("text_4977", 4977, 20)});
}

RecordLayout analysisCase() {
    return RecordLayout(
        "an analysis case record", 194,
        {text("name", 0, 12), text("title", 12, 60), text("text_72", 72, 40), u8("u8_112", 112), u8("u8_113", 113),
         i16("i16_114", 114), i16("i16_116", 116), f32("f32_122", 122), f32("f32_146", 146), f32("f32_150", 150),
         f32("f32_154", 154), f32("f32_158", 158), u8("u8_190", 190), u8("extension_flag", 193)});
}

constexpr std::size_t kExtensionHead = 8;
constexpr std::size_t kExtensionSlots = 18;
constexpr std::size_t kExtensionTail = 10;

// The extension record after a case whose last byte is 1: 8 bytes, 18 tagged slots,
// 10 bytes. Offsets of other_bytes count from the start of the extension.
void emitExtension(Cursor& c, Emitter& out) {
    std::size_t start = c.pos();
    OtherBytes other;
    out.beginObject();
    other.collect(c.take(kExtensionHead, "an analysis case extension"), 0, kExtensionHead, 0);
    out.key("slots");
    out.beginArray();
    for (std::size_t s = 0; s < kExtensionSlots; ++s) EmitTaggedSlot(c, out, "an analysis case extension");
    out.endArray();
    std::size_t tailAt = c.pos() - start;
    other.collect(c.take(kExtensionTail, "an analysis case extension"), 0, kExtensionTail, tailAt);
    other.emit(out);
    out.endObject();
}

// Items of a block indexed by two counts, listed with both indices.
void emitIndexedRaw(Cursor& c, Emitter& out, std::string_view key, std::string_view k1, std::int64_t n1,
                    std::string_view k2, std::int64_t n2, const RecordLayout& layout) {
    std::size_t at = c.pos();
    c.checkBlock({{n1, k1}, {n2, k2}}, layout.size(), at, layout.what());
    out.key(key);
    out.beginArray();
    for (std::int64_t a = 1; a <= n1 && n2 > 0; ++a)
        for (std::int64_t b = 1; b <= n2; ++b) {
            out.beginObject();
            out.key(k1);
            out.integer(a);
            out.key(k2);
            out.integer(b);
            EmitFieldsAndOther(out, c.take(layout.size(), layout.what()), layout);
            out.endObject();
        }
    out.endArray();
}

}  // namespace

void DecodeLoadCaseDefinitions(Cursor& c, Emitter& out, std::int64_t driftCount) {
    static const RecordLayout kinds[] = {gravityCase(),
                                         pushoverCase(),
                                         dynamicCase(),
                                         kind4Case(),
                                         kind56Case("a kind 5 load case record", 119),
                                         kind56Case("a kind 6 load case record", 133),
                                         kind7Case(),
                                         kind8Case()};
    static const std::string_view keys[] = {"gravity_cases", "pushover_cases", "dynamic_cases", "kind4_cases",
                                            "kind5_cases",   "kind6_cases",    "kind7_cases",   "kind8_cases"};

    out.beginObject();
    EmitPreamble(c, out);
    Counter counts[kLoadCaseKinds];
    out.key("counts");
    out.beginArray();
    for (auto& n : counts) {
        n.offset = c.pos();
        n.value = c.i16("the load case counts");
        out.integer(n.value);
    }
    out.endArray();
    out.key("capacities");
    out.beginArray();
    for (int i = 0; i < kLoadCaseKinds; ++i) out.integer(c.i16("the load case capacities"));
    out.endArray();

    for (int k = 0; k < 8; ++k) {
        EmitRecords(c, out, keys[k], counts[k], kinds[k]);
        if (k != 1) continue;
        // After the pushover cases: one byte per pushover case and drift.
        std::size_t at = c.pos();
        c.checkBlock({{counts[1].value, "pushover cases"}, {driftCount, "drifts"}}, 1, at,
                     "the drift-selection matrix");
        out.key("drift_selection");
        out.beginArray();
        for (std::int64_t i = 1; i <= counts[1].value && driftCount > 0; ++i) {
            const std::uint8_t* p = c.take(static_cast<std::size_t>(driftCount), "the drift-selection matrix");
            out.beginObject();
            out.key("case");
            out.integer(i);
            out.key("flags");
            out.beginArray();
            for (std::int64_t d = 0; d < driftCount; ++d) out.integer(p[d]);
            out.endArray();
            out.endObject();
        }
        out.endArray();
    }
    c.expectEnd();
    out.endObject();
}

void DecodeAnalysisCases(Cursor& c, Emitter& out) {
    static const RecordLayout caseLayout = analysisCase();
    static const RecordLayout stepLayout("an analysis step record", 96, {});
    static const RecordLayout groupLayout("an analysis group item", 6, {});
    static const RecordLayout patternLayout("an analysis pattern item", 7, {});
    static const RecordLayout patternCaseLayout("an analysis pattern case item", 24, {});

    out.beginObject();
    EmitPreamble(c, out);
    Counter cases = ReadI16(c, out, "case_count");
    Counter capacity = ReadI16(c, out, "case_capacity");
    Counter steps = ReadI16(c, out, "step_count");

    // Every case takes at least its 194 bytes; extensions are checked as they come.
    c.checkCount(cases.value, caseLayout.size(), cases.offset, caseLayout.what());
    out.key("cases");
    out.beginArray();
    for (std::int64_t i = 1; i <= cases.value; ++i) {
        const std::uint8_t* rec = c.take(caseLayout.size(), caseLayout.what());
        out.beginObject();
        out.key("record");
        out.integer(i);
        EmitFieldsAndOther(out, rec, caseLayout);
        if (rec[193] == 1) {
            out.key("extension");
            emitExtension(c, out);
        }
        out.endObject();
    }
    out.endArray();

    emitIndexedRaw(c, out, "steps", "case", capacity.value, "step", steps.value, stepLayout);

    Counter groups = ReadI16(c, out, "group_count");
    emitIndexedRaw(c, out, "groups", "case", cases.value, "group", groups.value, groupLayout);

    Counter patterns = ReadI16(c, out, "pattern_count");
    EmitRecords(c, out, "patterns", patterns, patternLayout);
    emitIndexedRaw(c, out, "pattern_cases", "pattern", patterns.value, "case", cases.value, patternCaseLayout);

    c.expectEnd();
    out.endObject();
}

}  // namespace t2v::decode::detail
