// The component section of the main file: items C1 to C114 in order. C1 is the largest
// component table capacity; the other items are either a lone int16 word or the count
// of a component table followed by that many records, each directly followed by its
// companion record when the table has one.
#include <deque>
#include <memory>
#include <string>

#include "decode/Decoders.h"

namespace t2v::decode::detail {
namespace {

const std::vector<std::string_view> kReleaseDofs = {"a", "v2", "v3", "m2", "m3", "t"};

std::vector<Field> join(std::vector<Field> a, std::initializer_list<Field> b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Name, number, kind and the two unit codes that begin basic component records.
std::vector<Field> componentHeader() {
    return {text("name", 0, 40), i16("number", 40), u8("kind", 42), u8("length_unit", 43), u8("force_unit", 44)};
}

// Compounds carry the two unit codes the other way round.
std::vector<Field> compoundHeader() {
    return {text("name", 0, 40), i16("number", 40), u8("kind", 42), u8("force_unit", 43), u8("length_unit", 44)};
}

// Cross-section records: name, number, two texts, then the unit codes at 87 and 88.
std::vector<Field> sectionHeader() {
    return {text("name", 0, 40),     i16("number", 40),     text("text_42", 42, 20),
            text("text_62", 62, 24), u8("length_unit", 87), u8("force_unit", 88)};
}

std::vector<Field> femaCommon() {
    return join(componentHeader(), {array("bytes_45", 45, Type::U8, 10), i16("i16_57", 57), i16("section_type", 59),
                                    i16("section_number", 61), i16("number_again", 63), f32("e", 93), f32("nu", 97),
                                    f32("g", 101), f32("area", 105), f32("as2", 109), f32("as3", 113),
                                    f32("torsion_const", 117), f32("i22", 121), f32("i33", 125)});
}

RecordLayout femaBeam() {
    return RecordLayout(
        "a FEMA beam record", 425,
        join(femaCommon(),
             {f32("f32_137", 137), f32("f32_141", 141), f32("f32_145", 145), f32("f32_149", 149), f32("f32_161", 161),
              f32("f32_165", 165), f32("f32_185", 185), f32("f32_189", 189), f32("f32_217", 217), f32("f32_241", 241),
              f32("f32_245", 245), f32("f32_249", 249), f32("f32_253", 253), f32("f32_257", 257)}));
}

RecordLayout femaColumn() {
    return RecordLayout(
        "a FEMA column record", 473,
        join(femaCommon(),
             {f32("f32_133", 133), f32("f32_137", 137), f32("f32_141", 141), f32("f32_145", 145), f32("f32_149", 149),
              f32("f32_153", 153), f32("f32_173", 173), f32("f32_177", 177), f32("f32_181", 181), f32("f32_185", 185),
              f32("f32_197", 197), f32("f32_201", 201), f32("f32_205", 205), f32("f32_209", 209), f32("f32_213", 213),
              f32("f32_217", 217), f32("f32_221", 221), f32("f32_225", 225), f32("f32_229", 229), f32("f32_233", 233),
              f32("f32_237", 237), f32("f32_241", 241), f32("f32_245", 245), f32("f32_305", 305)}));
}

RecordLayout endZone() {
    return RecordLayout("an end zone record", 109,
                        {text("name", 0, 40), i16("number", 40), u8("kind", 42), array("bytes_43", 43, Type::U8, 5),
                         i16("i16_53", 53), f32("f32_61", 61), f32("f32_65", 65), f32("f32_69", 69), f32("f32_73", 73),
                         f32("f32_77", 77), f32("f32_81", 81), f32("f32_85", 85), f32("f32_89", 89)});
}

RecordLayout releaseComponent() {
    return RecordLayout("a release component record", 89,
                        join(componentHeader(), {keyed("releases", 45, Type::U8, kReleaseDofs), i16("number_again", 53),
                                                 keyed("release_values", 57, Type::F32, kReleaseDofs)}));
}

RecordLayout inelasticMaterial() {
    return RecordLayout(
        "an inelastic material record", 329,
        join(componentHeader(),
             {array("bytes_45", 45, Type::U8, 10), i16("i16_57", 57), i16("number_again", 59), f32("modulus", 65),
              f32("f32_69", 69), f32("f32_81", 81), f32("f32_85", 85), f32("f32_89", 89), f32("f32_93", 93),
              f32("f32_97", 97), f32("f32_101", 101), f32("f32_105", 105), f32("f32_109", 109)}));
}

RecordLayout elasticFiberMaterial() {
    return RecordLayout("an elastic fiber material record", 126,
                        join(componentHeader(), {u8("u8_45", 45), u8("u8_46", 46), i16("i16_50", 50), i16("i16_52", 52),
                                                 f32("modulus", 58)}));
}

// The elastic shear material record: 62 fixed bytes, three tagged slots, 72 fixed
// bytes whose fields are placed relative to the end of the slots.
RecordLayout elasticShearHead() {
    return RecordLayout(
        "an elastic shear material record", 62,
        join(componentHeader(), {u8("u8_45", 45), u8("u8_46", 46), u8("u8_47", 47), u8("u8_48", 48), i16("i16_50", 50),
                                 i16("number_again", 52), f32("shear_modulus", 58)}));
}

RecordLayout elasticShearTail() {
    return RecordLayout("the end of an elastic shear material record", 72,
                        {f32("tail_f32_0", 0), f32("tail_f32_4", 4), f32("tail_f32_16", 16), f32("tail_f32_20", 20),
                         f32("tail_f32_24", 24), f32("tail_f32_28", 28), f32("tail_f32_32", 32)});
}

RecordLayout elasticSlabMaterial() {
    return RecordLayout("an elastic slab material record", 174,
                        join(componentHeader(), {u8("u8_45", 45), u8("u8_46", 46), i16("i16_52", 52),
                                                 f32("modulus", 58), f32("poisson_ratio", 78)}));
}

RecordLayout beamSection() {
    return RecordLayout(
        "a beam section record", 424,
        join(sectionHeader(),
             {u8("u8_86", 86), u8("section_type", 89), u8("shape", 90), u8("u8_91", 91), f32("area", 104),
              f32("torsion_const", 108), f32("i22", 112), f32("i33", 116), f32("as2", 120), f32("as3", 124),
              array("modifiers", 128, Type::F32, 2), f32("e", 144), f32("nu", 148), f32("g", 152), f32("t2", 156),
              f32("t3", 160), f32("tf", 164), f32("tw", 168), i16("number_again", 400)}));
}

RecordLayout columnSection() {
    return RecordLayout(
        "a column section record", 687,
        join(sectionHeader(),
             {u8("u8_86", 86), u8("section_type", 89), u8("shape", 90), u8("u8_91", 91), f32("area", 103),
              f32("torsion_const", 107), f32("i22", 111), f32("i33", 115), f32("as2", 119), f32("as3", 123),
              array("modifiers", 127, Type::F32, 2), f32("e", 151), f32("nu", 155), f32("g", 159), f32("t2", 163),
              f32("t3", 167), f32("tf", 171), f32("tw", 175), i16("number_again", 663)}));
}

RecordLayout slabSection() {
    return RecordLayout(
        "a slab section record", 274,
        join(sectionHeader(),
             {u8("section_type", 86), u8("u8_89", 89), i16("i16_92", 92), i16("i16_94", 94), f32("thickness", 102),
              f32("bending_thickness", 106), f32("thickness_122", 122), f32("unit_weight", 126), u8("u8_262", 262),
              u8("u8_263", 263), i16("i16_264", 264), i16("material", 266), u8("u8_268", 268), u8("u8_269", 269),
              i16("i16_270", 270), i16("material_272", 272)}));
}

RecordLayout inelasticWallSection() {
    return RecordLayout("an inelastic wall section record", 455,
                        join(sectionHeader(), {u8("section_type", 86),
                                               u8("u8_89", 89),
                                               u8("fiber_count", 90),
                                               u8("u8_91", 91),
                                               u8("u8_92", 92),
                                               i16("steel_fiber_count", 95),
                                               i16("concrete_fiber_count", 97),
                                               i16("i16_99", 99),
                                               i16("i16_101", 101),
                                               i16("number_again", 103),
                                               f32("steel_ratio", 111),
                                               f32("f32_115", 115),
                                               f32("f32_119", 119),
                                               f32("thickness", 123),
                                               f32("f32_127", 127),
                                               f32("f32_131", 131),
                                               f32("bending_thickness", 155),
                                               f32("e", 159),
                                               f32("bending_thickness_163", 163),
                                               f32("nu", 167),
                                               rows("fibers", 16, "fiber_count",
                                                    {{"kind", 171, Type::U8},
                                                     {"flag", 187, Type::U8},
                                                     {"word", 203, Type::I16},
                                                     {"material", 235, Type::I16},
                                                     {"area", 267, Type::F32},
                                                     {"position", 331, Type::F32}})}));
}

RecordLayout elasticWallSection() {
    return RecordLayout("an elastic wall section record", 439,
                        join(sectionHeader(), {u8("section_type", 86), u8("u8_89", 89), u8("u8_90", 90),
                                               i16("i16_95", 95), f32("thickness", 103), f32("bending_thickness", 119),
                                               f32("e", 123), f32("bending_thickness_127", 127), f32("nu", 131),
                                               i16("i16_187", 187), i16("material", 219)}));
}

RecordLayout frameCompound() {
    return RecordLayout("a frame compound record", 378,
                        join(compoundHeader(), {u8("slot_count", 45), u8("u8_46", 46), u8("u8_47", 47), u8("u8_48", 48),
                                                rows("slots", 13, "slot_count",
                                                     {{"family", 66, Type::U8},
                                                      {"behaviour", 79, Type::U8},
                                                      {"slot_flag", 92, Type::U8},
                                                      {"end_code", 105, Type::U8},
                                                      {"component_kind", 118, Type::I16},
                                                      {"component_number", 144, Type::I16},
                                                      {"length_a", 170, Type::F32},
                                                      {"length_b", 222, Type::F32}}),
                                                i16("number_again", 354), f32("weight_per_length", 362)}));
}

RecordLayout wallCompound() {
    return RecordLayout(
        "a wall compound record", 116,
        join(compoundHeader(), {i16("section_type", 48), i16("section_number", 50), i16("material_kind", 52),
                                i16("shear_material", 54), f32("thickness", 56), f32("e", 60), f32("thickness_64", 64),
                                i16("number_again", 68), f32("thickness_76", 76), f32("unit_weight", 80)}));
}

RecordLayout generalWallCompound() {
    return RecordLayout("a general wall compound record", 108,
                        join(compoundHeader(), {i16("first_section_type", 48), i16("first_section_number", 50),
                                                i16("second_section_type", 52), i16("second_section_number", 54),
                                                i16("material_kind", 56), i16("shear_material", 58), i16("i16_60", 60),
                                                f32("thickness", 64), f32("f32_72", 72), f32("f32_76", 76),
                                                i16("i16_80", 80), f32("thickness_88", 88), f32("unit_weight", 92)}));
}

// Companions of FEMA components and of inelastic and elastic shear materials: the
// first byte is the only one that is set.
RecordLayout flagCompanion(std::size_t size) { return RecordLayout("a companion record", size, {u8("flag", 0)}); }

enum class Special { None, ElasticShear, TaggedTail };

struct Item {
    int number;              // the C number
    std::string_view table;  // name of the table, empty for tables nothing fills
    bool word = false;       // a lone int16 instead of a table
    const RecordLayout* layout = nullptr;
    const RecordLayout* companion = nullptr;
    Special special = Special::None;
};

struct ItemList {
    std::vector<Item> items;
    std::deque<RecordLayout> layouts;  // owns what the items point to

    const RecordLayout* own(RecordLayout l) { return &layouts.emplace_back(std::move(l)); }
    void table(int n, std::string_view name, RecordLayout main, std::size_t companion = 0) {
        const RecordLayout* comp = companion ? own(RecordLayout("a companion record", companion, {})) : nullptr;
        items.push_back({n, name, false, own(std::move(main)), comp});
    }
    void table(int n, std::string_view name, RecordLayout main, RecordLayout companion) {
        items.push_back({n, name, false, own(std::move(main)), own(std::move(companion))});
    }
    // A table nothing fills: each record begins with its name.
    void unnamed(int n, std::size_t size, std::size_t companion = 0) {
        table(n, {}, RecordLayout("a component record", size, {text("name", 0, 40)}), companion);
    }
    // A section-like table nothing fills (C65 to C73).
    void unnamedSection(int n, std::size_t size) {
        table(n, {},
              RecordLayout("a component record", size,
                           {text("name", 0, 40), i16("number", 40), text("text_42", 42, 20), text("text_62", 62, 24)}));
    }
    void words(int first, int last) {
        for (int n = first; n <= last; ++n) items.push_back({n, {}, true});
    }
};

const ItemList& componentItems() {
    static const ItemList list = [] {
        ItemList l;
        l.unnamed(2, 341, 50);
        l.unnamed(3, 393, 50);
        l.unnamed(4, 393, 50);
        l.unnamed(5, 350, 50);
        l.unnamed(6, 393, 50);
        l.unnamed(7, 449, 60);
        l.table(8, "fema_beams", femaBeam(), flagCompanion(50));
        l.unnamed(9, 250);
        l.unnamed(10, 445, 50);
        // C11: 181 fixed bytes, then 20 tagged slots.
        l.items.push_back({11,
                           {},
                           false,
                           l.own(RecordLayout("a component record", 181, {text("name", 0, 40)})),
                           nullptr,
                           Special::TaggedTail});
        l.unnamed(12, 67);
        l.table(13, "fema_columns", femaColumn(), flagCompanion(60));
        l.unnamed(14, 267);
        l.unnamed(15, 225, 50);
        l.unnamed(16, 437, 50);
        l.words(17, 34);
        l.unnamed(35, 143);
        l.unnamed(36, 244);
        l.table(37, "end_zones", endZone());
        l.table(38, "release_components", releaseComponent());
        l.unnamed(39, 195, 48);
        l.unnamed(40, 101);
        l.unnamed(41, 255);
        l.words(42, 50);
        l.table(51, "inelastic_materials", inelasticMaterial(), flagCompanion(50));
        l.unnamed(52, 252);
        l.table(53, "elastic_fiber_materials", elasticFiberMaterial());
        l.items.push_back({54, "elastic_shear_materials", false, l.own(elasticShearHead()), l.own(flagCompanion(56)),
                           Special::ElasticShear});
        l.table(55, "elastic_slab_materials", elasticSlabMaterial());
        l.unnamed(56, 232, 50);
        l.words(57, 64);
        l.unnamedSection(65, 225);
        l.table(66, "beam_sections", beamSection());
        l.table(67, "column_sections", columnSection());
        l.table(68, "slab_sections", slabSection());
        l.unnamedSection(69, 720);
        l.table(70, "inelastic_wall_sections", inelasticWallSection(), 86);
        l.table(71, "elastic_wall_sections", elasticWallSection());
        l.unnamedSection(72, 653);
        l.unnamedSection(73, 1587);
        l.words(74, 86);
        l.unnamed(87, 179, 48);
        l.unnamed(88, 238, 48);
        l.unnamed(89, 122, 118);
        l.unnamed(90, 138, 122);
        l.words(91, 100);
        l.table(101, "frame_compounds", frameCompound(), 45);
        l.table(102, "wall_compounds", wallCompound());
        l.table(103, "general_wall_compounds", generalWallCompound());
        l.unnamed(104, 64);
        l.unnamed(105, 70);
        l.words(106, 114);
        return l;
    }();
    return list;
}

const RecordLayout& shearTail() {
    static const RecordLayout l = elasticShearTail();
    return l;
}

constexpr int kShearSlots = 3;
constexpr int kC11Slots = 20;

// Smallest size of one record with its companion (tagged slots count two bytes).
std::size_t minimumSize(const Item& item) {
    std::size_t n = item.layout->size() + (item.companion ? item.companion->size() : 0);
    if (item.special == Special::ElasticShear) n += 2 * kShearSlots + shearTail().size();
    if (item.special == Special::TaggedTail) n += 2 * kC11Slots;
    return n;
}

void emitComponentRecord(Cursor& c, Emitter& out, const Item& item, std::int64_t number) {
    const RecordLayout& main = *item.layout;
    out.beginObject();
    out.key("record");
    out.integer(number);
    std::size_t start = c.pos();
    const std::uint8_t* head = c.take(main.size(), main.what());
    EmitFields(out, head, main);
    OtherBytes other;
    other.collect(head, main);
    if (item.special == Special::ElasticShear || item.special == Special::TaggedTail) {
        int slots = item.special == Special::ElasticShear ? kShearSlots : kC11Slots;
        out.key("slots");
        out.beginArray();
        for (int s = 0; s < slots; ++s) EmitTaggedSlot(c, out, main.what());
        out.endArray();
    }
    if (item.special == Special::ElasticShear) {
        std::size_t tailAt = c.pos() - start;
        const std::uint8_t* tail = c.take(shearTail().size(), shearTail().what());
        EmitFields(out, tail, shearTail());
        other.collect(tail, shearTail(), tailAt);
    }
    other.emit(out);
    if (item.companion) {
        out.key("companion");
        out.beginObject();
        EmitFieldsAndOther(out, c.take(item.companion->size(), item.companion->what()), *item.companion);
        out.endObject();
    }
    out.endObject();
}

}  // namespace

void DecodeComponentSection(Cursor& c, Emitter& out) {
    out.key("components");
    out.beginObject();
    out.key("C1");
    out.beginObject();
    ReadI16(c, out, "max_component_capacity");
    out.endObject();
    for (const Item& item : componentItems().items) {
        // Appended rather than "C" + text: GCC 12 at -O3 misreads that as an overlapping copy.
        std::string name = std::to_string(item.number);
        name.insert(name.begin(), 'C');
        out.key(name);
        if (item.word) {
            out.integer(c.i16(name));
            continue;
        }
        out.beginObject();
        if (!item.table.empty()) {
            out.key("table");
            out.string(item.table);
        }
        Counter count = ReadI16(c, out, "count");
        c.checkCount(count.value, minimumSize(item), count.offset,
                     name + " (" + std::string(item.layout->what()) + ")");
        out.key("records");
        out.beginArray();
        for (std::int64_t i = 1; i <= count.value; ++i) emitComponentRecord(c, out, item, i);
        out.endArray();
        out.endObject();
    }
    out.endObject();
}

}  // namespace t2v::decode::detail
