// The main structure file ("S"): header, then the blocks in their fixed order, each
// introduced by its own counters, then the component section and the tail section.
#include <string>

#include "decode/Decoders.h"

namespace t2v::decode::detail {
namespace {

const std::vector<std::string_view> kDofs = {"ux", "uy", "uz", "rx", "ry", "rz"};

// File header after which the reserved list and the default size follow.
const RecordLayout& headerLayout() {
    static const RecordLayout l(
        "the file header", 114,
        {text("file_version", 0, 8), text("structure_name", 8, 12), text("structure_title", 20, 60),
         i16("header_word0", 80), i16("length_unit", 82), i16("force_unit", 84), f32("gravity", 86),
         i16("error_beep", 90), i16("size_preset_index", 92), i16("unit_flag4", 94), i16("tail_section_flag", 96),
         i16("extra_value", 98), i16("header_word1", 100), i32("header_long0", 102), i32("header_long1", 106),
         i32("header_long2", 110)});
    return l;
}

// A record whose content nothing names: only its non-zero bytes are shown.
RecordLayout rawLayout(std::string_view what, std::size_t size) { return RecordLayout(what, size, {}); }

const RecordLayout& reservedListLayout() {
    static const RecordLayout l = rawLayout("a reserved list record", 112);
    return l;
}

const RecordLayout& nodeLayout() {
    static const RecordLayout l(
        "a node record", 84,
        {i32("previous", 0), i32("next", 4), f64("x", 8), f64("y", 16), f64("z", 24), i16("first_word", 32),
         keyed("constraint_slots", 34, Type::I16, kDofs), u8("support_type", 59),
         keyed("restraints", 61, Type::U8, kDofs), keyed("dof_flags", 73, Type::U8, kDofs), u8("last_flag", 79)});
    return l;
}

const RecordLayout& constraintLayout() {
    static const RecordLayout l("a constraint record", 80, {text("name", 0, 40)});
    return l;
}

const RecordLayout& massPatternLayout() {
    static const RecordLayout l("a mass pattern record", 64, {text("name", 0, 40)});
    return l;
}

const RecordLayout& massItemLayout() {
    static const RecordLayout l(
        "a nodal mass item", 24,
        {f32("ux", 0), f32("uy", 4), f32("uz", 8), f32("rx", 12), f32("ry", 16), f32("rz", 20)});
    return l;
}

const RecordLayout& elementGroupLayout() {
    static const RecordLayout l(
        "an element group record", 76,
        {text("name", 0, 40), i16("element_type", 40), i16("i16_42", 42), i32("first_element", 44),
         i32("last_element", 48), u8("u8_56", 56), u8("u8_57", 57), u8("u8_58", 58), f32("f32_60", 60)});
    return l;
}

const RecordLayout& elementLayout() {
    static const RecordLayout l(
        "an element record", 92,
        {i16("group", 0), i32("i32_2", 2), array("nodes", 6, Type::I32, 4), i32("next", 22), u8("u8_26", 26),
         array("codes", 28, Type::U8, 4), i16("compound", 42), f32("angle", 64)});
    return l;
}

const RecordLayout& frameLayout() {
    static const RecordLayout l("a frame record", 28, {text("name", 0, 20)});
    return l;
}

RecordLayout patternLayout(std::string_view what) {
    return RecordLayout(what, 72, {text("name", 0, 40), i16("kind", 42)});
}

const RecordLayout& nodalLoadPatternLayout() {
    static const RecordLayout l = patternLayout("a nodal load pattern record");
    return l;
}

const RecordLayout& nodalLoadItemLayout() {
    static const RecordLayout l("a nodal load item", 32,
                                {f32("f1", 0), f32("f2", 4), f32("f3", 8), f32("m1", 12), f32("m2", 16), f32("m3", 20),
                                 f32("presence", 24), f32("f32_28", 28)});
    return l;
}

const RecordLayout& elementLoadPatternLayout() {
    static const RecordLayout l = patternLayout("an element load pattern record");
    return l;
}

const RecordLayout& shapeItemLayout() {
    static const RecordLayout l(
        "an element load shape item", 16,
        {i32("element_count", 0), i32("i32_4", 4), i16("item_count", 8), i16("first_item", 10)});
    return l;
}

const RecordLayout& loadItemLayout() {
    static const RecordLayout l("an element load item", 30,
                                {u8("type", 0), i16("next", 2), array("values", 6, Type::F32, 4)});
    return l;
}

const RecordLayout& selfWeightPatternLayout() {
    static const RecordLayout l = patternLayout("a self-weight pattern record");
    return l;
}

const RecordLayout& sectionCutLayout() {
    static const RecordLayout l("a section cut record", 78,
                                {text("name", 0, 40), i32("first_item", 40), i32("item_count", 44), u8("flag", 52),
                                 array("numbers", 54, Type::F32, 3)});
    return l;
}

const RecordLayout& sectionCutPartLayout() {
    static const RecordLayout l = rawLayout("a section cut part record", 34);
    return l;
}

const RecordLayout& sectionCutItemLayout() {
    static const RecordLayout l("a section cut item", 10, {i16("end_flag", 0), i32("element", 2), i32("next", 6)});
    return l;
}

const RecordLayout& sectionGroupLayout() {
    static const RecordLayout l("a section group record", 56,
                                {text("name", 0, 40), i16("kind", 40), i16("cut_count", 42)});
    return l;
}

const RecordLayout& driftLayout() {
    static const RecordLayout l(
        "a drift record", 46,
        {text("name", 0, 20), u8("kind", 20), u8("direction", 21), i32("top_node", 22), i32("bottom_node", 26)});
    return l;
}

const RecordLayout& deflectionLayout() {
    static const RecordLayout l("a deflection record", 38, {text("name", 0, 20)});
    return l;
}

const RecordLayout& tailRecordLayout() {
    static const RecordLayout l = rawLayout("a tail section record", 40);
    return l;
}

const RecordLayout& tailItemLayout() {
    static const RecordLayout l = rawLayout("a tail section item", 8);
    return l;
}

// A matrix of items (row x column) written row by row, of which only the items with
// a non-zero byte are listed: [{rowKey: r, "items": [{colKey: c, fields...}]}].
void emitSparseMatrix(Cursor& c, Emitter& out, std::string_view key, std::string_view rowKey, Counter rows,
                      std::string_view colKey, Counter cols, const RecordLayout& item) {
    std::size_t at = c.pos();
    c.checkBlock({{rows.value, "rows"}, {cols.value, "columns"}}, item.size(), at, item.what());
    out.key(key);
    out.beginArray();
    for (std::int64_t r = 1; r <= rows.value; ++r) {
        out.beginObject();
        out.key(rowKey);
        out.integer(r);
        out.key("items");
        out.beginArray();
        for (std::int64_t col = 1; col <= cols.value; ++col) {
            const std::uint8_t* p = c.take(item.size(), item.what());
            if (AllZero(p, item.size())) continue;
            out.beginObject();
            out.key(colKey);
            out.integer(col);
            EmitFieldsAndOther(out, p, item);
            out.endObject();
        }
        out.endArray();
        out.endObject();
    }
    out.endArray();
}

// A byte-flag matrix written row by row: [{rowKey: r, listKey: [columns flagged]}].
void emitFlagRows(Cursor& c, Emitter& out, std::string_view key, std::string_view rowKey, Counter rows,
                  std::string_view listKey, Counter cols, std::string_view what) {
    std::size_t at = c.pos();
    c.checkBlock({{rows.value, "rows"}, {cols.value, "columns"}}, 1, at, what);
    out.key(key);
    out.beginArray();
    for (std::int64_t r = 1; r <= rows.value; ++r) {
        const std::uint8_t* p = c.take(static_cast<std::size_t>(cols.value), what);
        out.beginObject();
        out.key(rowKey);
        out.integer(r);
        out.key(listKey);
        out.beginArray();
        for (std::int64_t col = 1; col <= cols.value; ++col)
            if (p[col - 1]) out.integer(col);
        out.endArray();
        out.endObject();
    }
    out.endArray();
}

// The two frame membership matrices: whole allocated matrices, frame index fastest.
// They are shown per frame as the member node and element numbers.
void emitFrameMembers(Cursor& c, Emitter& out, Counter frames, Counter frameCap, Counter nodeCap, Counter elementCap) {
    if (frameCap.value < frames.value)
        c.fail(frameCap.offset, "frame count " + std::to_string(frames.value) + " exceeds the frame capacity " +
                                    std::to_string(frameCap.value) +
                                    ", so the membership matrices have no column for the frames beyond it");
    std::size_t at = c.pos();
    std::size_t nodeBytes =
        c.checkBlock({{frameCap.value, "frames"}, {nodeCap.value, "nodes"}}, 1, at, "the frame-node membership matrix");
    const std::uint8_t* nodeFlags = c.take(nodeBytes, "the frame-node membership matrix");
    at = c.pos();
    std::int64_t elementSlots = elementCap.value < 0 ? elementCap.value : elementCap.value + 1;  // elements 0..capacity
    std::size_t elementBytes = c.checkBlock({{frameCap.value, "frames"}, {elementSlots, "elements"}}, 1, at,
                                            "the frame-element membership matrix");
    const std::uint8_t* elementFlags = c.take(elementBytes, "the frame-element membership matrix");

    auto fc = static_cast<std::size_t>(frameCap.value);
    std::size_t nodeCount = fc ? nodeBytes / fc : 0;
    std::size_t elementCount = fc ? elementBytes / fc : 0;
    out.key("members");
    out.beginArray();
    for (std::size_t f = 0; f < fc; ++f) {
        // Frames past the count are shown only when a flag is set in their column.
        if (static_cast<std::int64_t>(f) >= frames.value) {
            bool any = false;
            for (std::size_t n = 0; n < nodeCount && !any; ++n) any = nodeFlags[n * fc + f] != 0;
            for (std::size_t e = 0; e < elementCount && !any; ++e) any = elementFlags[e * fc + f] != 0;
            if (!any) continue;
        }
        out.beginObject();
        out.key("frame");
        out.integer(static_cast<std::int64_t>(f + 1));
        out.key("nodes");
        out.beginArray();
        for (std::size_t n = 0; n < nodeCount; ++n)
            if (nodeFlags[n * fc + f]) out.integer(static_cast<std::int64_t>(n + 1));
        out.endArray();
        out.key("elements");
        out.beginArray();
        for (std::size_t e = 0; e < elementCount; ++e)
            if (elementFlags[e * fc + f]) out.integer(static_cast<std::int64_t>(e));
        out.endArray();
        out.endObject();
    }
    out.endArray();
}

void emitElementLoads(Cursor& c, Emitter& out, Counter groups, Counter elements) {
    out.key("element_load_patterns");
    out.beginObject();
    Counter patterns = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    Counter shapes = ReadI16(c, out, "shape_count");
    Counter items = ReadI16(c, out, "item_count");
    ReadI16(c, out, "item_capacity");
    EmitRecords(c, out, "records", patterns, elementLoadPatternLayout());

    // Per pattern and element group: the number of distinct load shapes.
    std::size_t at = c.pos();
    c.checkBlock({{patterns.value, "patterns"}, {groups.value, "element groups"}}, 2, at,
                 "the element load group matrix");
    out.key("group_matrix");
    out.beginArray();
    for (std::int64_t p = 1; p <= patterns.value; ++p) {
        out.beginObject();
        out.key("pattern");
        out.integer(p);
        out.key("shape_counts");
        out.beginArray();
        for (std::int64_t g = 1; g <= groups.value; ++g) out.integer(c.i16("the element load group matrix"));
        out.endArray();
        out.endObject();
    }
    out.endArray();

    // Per shape ordinal, pattern and group: one shape item; only used ones are listed.
    at = c.pos();
    c.checkBlock({{shapes.value, "shapes"}, {patterns.value, "patterns"}, {groups.value, "element groups"}},
                 shapeItemLayout().size(), at, "the element load shape table");
    out.key("shapes");
    out.beginArray();
    for (std::int64_t k = 1; k <= shapes.value && patterns.value > 0 && groups.value > 0; ++k)
        for (std::int64_t p = 1; p <= patterns.value; ++p)
            for (std::int64_t g = 1; g <= groups.value; ++g) {
                const std::uint8_t* item = c.take(shapeItemLayout().size(), shapeItemLayout().what());
                if (AllZero(item, shapeItemLayout().size())) continue;
                out.beginObject();
                out.key("shape");
                out.integer(k);
                out.key("pattern");
                out.integer(p);
                out.key("group");
                out.integer(g);
                EmitFieldsAndOther(out, item, shapeItemLayout());
                out.endObject();
            }
    out.endArray();

    // Per pattern and element: the ordinal of the element's shape (0 = unloaded).
    at = c.pos();
    c.checkBlock({{patterns.value, "patterns"}, {elements.value, "elements"}}, 2, at,
                 "the element load element matrix");
    out.key("element_matrix");
    out.beginArray();
    for (std::int64_t p = 1; p <= patterns.value; ++p) {
        out.beginObject();
        out.key("pattern");
        out.integer(p);
        out.key("items");
        out.beginArray();
        for (std::int64_t e = 1; e <= elements.value; ++e) {
            std::int16_t shape = c.i16("the element load element matrix");
            if (!shape) continue;
            out.beginObject();
            out.key("element");
            out.integer(e);
            out.key("shape");
            out.integer(shape);
            out.endObject();
        }
        out.endArray();
        out.endObject();
    }
    out.endArray();

    EmitRecords(c, out, "items", items, loadItemLayout());
    out.endObject();
}

// The file header with its reserved list and default size; answers whether the file
// ends with the tail section.
bool emitHeader(Cursor& c, Emitter& out) {
    out.key("header");
    out.beginObject();
    const std::uint8_t* header = c.take(headerLayout().size(), headerLayout().what());
    EmitFields(out, header, headerLayout());
    const bool hasTail = LoadI16(header + 96) != 0;  // tail_section_flag
    out.key("reserved_list");
    out.beginObject();
    Counter reserved = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", reserved, reservedListLayout());
    out.endObject();
    const std::uint8_t* size = c.take(16, "the default size");
    out.key("default_size_value");
    out.real(LoadF64(size), false);
    out.key("default_size_label");
    EmitText(out, size + 8, 8);
    out.endObject();
    return hasTail;
}

// The section cuts with their parts, the cut items and the section groups.
void emitSectionCuts(Cursor& c, Emitter& out) {
    out.key("section_cuts");
    out.beginObject();
    Counter cuts = ReadI16(c, out, "count");
    ReadI16(c, out, "last");
    ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", cuts, sectionCutLayout());
    EmitRecords(c, out, "parts", cuts, sectionCutPartLayout());
    out.endObject();

    out.key("section_cut_items");
    out.beginObject();
    Counter cutItems = ReadI32(c, out, "count");
    ReadI32(c, out, "capacity");
    EmitRecords(c, out, "records", cutItems, sectionCutItemLayout());
    out.endObject();

    out.key("section_groups");
    out.beginObject();
    Counter sectionGroups = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", sectionGroups, sectionGroupLayout());
    emitFlagRows(c, out, "members", "group", sectionGroups, "cuts", cuts, "the section group matrix");
    out.endObject();
}

// Ten tables that nothing fills: their records are not known, so a count other than
// zero cannot be read past.
void emitPerKindTables(Cursor& c, Emitter& out) {
    out.key("per_kind_tables");
    out.beginObject();
    out.key("counts");
    out.beginArray();
    for (int i = 1; i <= 10; ++i) {
        std::size_t at = c.pos();
        std::int16_t n = c.i16("the per-kind table counts");
        if (n != 0)
            c.fail(at, "per-kind table " + std::to_string(i) + " has count " + std::to_string(n) +
                           ", but the layout of its records is not known");
        out.integer(n);
    }
    out.endArray();
    out.key("capacities");
    out.beginArray();
    for (int i = 0; i < 10; ++i) out.integer(c.i16("the per-kind table capacities"));
    out.endArray();
    out.endObject();
}

// The tail section, present when the header's tail flag is set.
void emitTail(Cursor& c, Emitter& out) {
    out.key("tail");
    out.beginObject();
    Counter tailCount = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    ReadI16(c, out, "word");
    EmitRecords(c, out, "records", tailCount, tailRecordLayout());
    Counter tailItems = ReadI32(c, out, "item_count");
    ReadI32(c, out, "item_capacity");
    EmitRecords(c, out, "items", tailItems, tailItemLayout());
    out.endObject();
}

}  // namespace

MainSummary DecodeMainFile(Cursor& c, Emitter& out) {
    MainSummary summary;
    out.beginObject();

    const bool hasTail = emitHeader(c, out);

    out.key("nodes");
    out.beginObject();
    Counter nodes = ReadI32(c, out, "count");
    ReadI32(c, out, "last");
    Counter nodeCap = ReadI32(c, out, "capacity");
    EmitRecords(c, out, "records", nodes, nodeLayout());
    out.endObject();

    out.key("constraints");
    out.beginObject();
    Counter constraints = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", constraints, constraintLayout());
    out.endObject();

    out.key("mass_patterns");
    out.beginObject();
    Counter massPatterns = ReadTaggedI16(c, out, "count");
    ReadTaggedI16(c, out, "capacity");
    EmitRecords(c, out, "records", massPatterns, massPatternLayout());
    emitSparseMatrix(c, out, "masses", "pattern", massPatterns, "node", nodes, massItemLayout());
    out.endObject();

    out.key("element_groups");
    out.beginObject();
    Counter groups = ReadI16(c, out, "count");
    ReadI16(c, out, "last");
    ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", groups, elementGroupLayout());
    out.endObject();

    out.key("elements");
    out.beginObject();
    Counter elements = ReadI32(c, out, "count");
    ReadI32(c, out, "last");
    Counter elementCap = ReadI32(c, out, "capacity");
    EmitRecords(c, out, "records", elements, elementLayout());
    out.endObject();

    out.key("frames");
    out.beginObject();
    Counter frames = ReadI16(c, out, "count");
    Counter frameCap = ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", frames, frameLayout());
    if (frames.value > 0) emitFrameMembers(c, out, frames, frameCap, nodeCap, elementCap);
    out.endObject();

    out.key("nodal_load_patterns");
    out.beginObject();
    Counter nodalPatterns = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", nodalPatterns, nodalLoadPatternLayout());
    emitSparseMatrix(c, out, "loads", "pattern", nodalPatterns, "node", nodes, nodalLoadItemLayout());
    out.endObject();

    emitElementLoads(c, out, groups, elements);

    out.key("self_weight_patterns");
    out.beginObject();
    Counter selfWeight = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    EmitRecords(c, out, "records", selfWeight, selfWeightPatternLayout());
    emitFlagRows(c, out, "flags", "pattern", selfWeight, "elements", elements, "the self-weight element matrix");
    out.endObject();

    out.key("reserved_words");
    out.beginArray();
    for (int i = 0; i < 6; ++i) out.integer(c.i16("the six reserved words"));
    out.endArray();

    emitSectionCuts(c, out);

    out.key("drifts");
    out.beginObject();
    Counter drifts = ReadI16(c, out, "count");
    ReadI16(c, out, "capacity");
    Counter deflections = ReadI16(c, out, "deflection_count");
    ReadI16(c, out, "deflection_capacity");
    EmitRecords(c, out, "records", drifts, driftLayout());
    EmitRecords(c, out, "deflections", deflections, deflectionLayout());
    out.endObject();
    summary.driftCount = drifts.value;

    emitPerKindTables(c, out);

    DecodeComponentSection(c, out);

    if (hasTail) emitTail(c, out);

    c.expectEnd();
    out.endObject();
    return summary;
}

}  // namespace t2v::decode::detail
