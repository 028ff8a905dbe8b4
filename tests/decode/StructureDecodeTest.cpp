// Decoding hand-built structure folders: the empty structure of a fresh store and a
// small structure with a little of every block.
#include <gtest/gtest.h>

#include "SampleStructure.h"
#include "decode/StructureReader.h"

namespace t2v::decode::test {
namespace {

Value decodeFolder(const StructureFiles& files) {
    TempDir dir;
    WriteFolder(dir.path(), files);
    return DecodeStructureFolder(dir.path());
}

std::int64_t I(const Value& v, std::string_view path) { return Get(v, path).asInt(); }
double D(const Value& v, std::string_view path) { return Get(v, path).asDouble(); }
std::string S(const Value& v, std::string_view path) { return Get(v, path).asString(); }

TEST(EmptyStructure, DecodesEveryBlockWithItsInitialCounters) {
    Value v = decodeFolder(EmptyStructure());

    std::vector<std::string> order;
    for (const auto& [k, m] : v.members()) order.push_back(k);
    EXPECT_EQ(order, (std::vector<std::string>{"S", "L", "A", "ULS", "PO", "POA", "POF"}));

    EXPECT_EQ(S(v, "S.header.file_version"), "4.0");
    EXPECT_EQ(S(v, "S.header.structure_name"), "EMPTY");
    EXPECT_EQ(S(v, "S.header.structure_title"), "Model Transferred");
    EXPECT_EQ(I(v, "S.header.length_unit"), 4);
    EXPECT_EQ(I(v, "S.header.force_unit"), 3);
    EXPECT_EQ(D(v, "S.header.gravity"), static_cast<double>(9.81f));
    EXPECT_EQ(I(v, "S.header.unit_flag4"), 4);
    EXPECT_EQ(I(v, "S.header.tail_section_flag"), 1);
    EXPECT_EQ(I(v, "S.header.reserved_list.capacity"), 0);
    EXPECT_EQ(D(v, "S.header.default_size_value"), static_cast<double>(0.15f));
    EXPECT_EQ(S(v, "S.header.default_size_label"), "0.15 m.");

    EXPECT_EQ(I(v, "S.nodes.count"), 1);
    EXPECT_EQ(I(v, "S.nodes.last"), 0);
    EXPECT_EQ(I(v, "S.nodes.capacity"), 200);
    ASSERT_EQ(Get(v, "S.nodes.records").size(), 1u);
    EXPECT_EQ(I(v, "S.nodes.records[0].record"), 1);
    EXPECT_EQ(I(v, "S.nodes.records[0].next"), 0);
    EXPECT_EQ(Get(v, "S.nodes.records[0]").find("other_bytes"), nullptr);

    EXPECT_EQ(I(v, "S.constraints.capacity"), 1);
    EXPECT_EQ(I(v, "S.mass_patterns.count"), 0);
    EXPECT_EQ(I(v, "S.mass_patterns.capacity"), 1);
    EXPECT_EQ(I(v, "S.element_groups.capacity"), 1);
    EXPECT_EQ(I(v, "S.elements.capacity"), 1);
    EXPECT_EQ(I(v, "S.frames.capacity"), 0);
    EXPECT_EQ(Get(v, "S.frames").find("members"), nullptr);  // no matrices without frames
    EXPECT_EQ(I(v, "S.element_load_patterns.shape_count"), 1);
    EXPECT_EQ(I(v, "S.element_load_patterns.item_capacity"), 1);
    EXPECT_EQ(I(v, "S.section_cut_items.capacity"), 1);
    EXPECT_EQ(I(v, "S.drifts.deflection_capacity"), 1);
    EXPECT_EQ(I(v, "S.per_kind_tables.capacities[9]"), 1);

    EXPECT_EQ(I(v, "S.components.C1.max_component_capacity"), 1);
    EXPECT_EQ(S(v, "S.components.C37.table"), "end_zones");
    EXPECT_EQ(I(v, "S.components.C37.count"), 1);
    EXPECT_EQ(S(v, "S.components.C37.records[0].name"), "Default End Zone");
    EXPECT_EQ(I(v, "S.components.C37.records[0].number"), 1);
    EXPECT_EQ(I(v, "S.components.C37.records[0].kind"), 3);
    EXPECT_EQ(D(v, "S.components.C37.records[0].f32_65"), 10.0);
    EXPECT_EQ(D(v, "S.components.C37.records[0].f32_89"), 0.5);
    EXPECT_EQ(I(v, "S.components.C8.count"), 0);
    EXPECT_EQ(S(v, "S.components.C8.table"), "fema_beams");
    EXPECT_EQ(I(v, "S.components.C17"), 0);
    EXPECT_EQ(I(v, "S.components.C114"), 0);
    EXPECT_EQ(I(v, "S.tail.item_capacity"), 0);

    EXPECT_EQ(S(v, "L.preamble.structure_name"), "EMPTY");
    EXPECT_EQ(Get(v, "L.counts").size(), 20u);
    EXPECT_EQ(Get(v, "L.gravity_cases").size(), 0u);
    EXPECT_EQ(I(v, "A.case_count"), 0);
    EXPECT_EQ(I(v, "A.pattern_count"), 0);
    EXPECT_EQ(I(v, "ULS.count"), 0);
    EXPECT_EQ(S(v, "PO.file_version"), "4.0");
    EXPECT_EQ(Get(v, "PO.options").find("other_bytes"), nullptr);
    EXPECT_TRUE(Get(v, "PO.options.text_6").isNull());  // never assigned
    EXPECT_EQ(I(v, "POA.count.type"), 0);
    EXPECT_TRUE(Get(v, "POA.count.value").isNull());
}

class SampleStructureTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { value_ = new Value(decodeFolder(SampleStructure())); }
    static void TearDownTestSuite() {
        delete value_;
        value_ = nullptr;
    }
    const Value& v() const { return *value_; }
    static Value* value_;
};
Value* SampleStructureTest::value_ = nullptr;

TEST_F(SampleStructureTest, NodesCarryEveryField) {
    EXPECT_EQ(I(v(), "S.nodes.count"), 3);
    EXPECT_EQ(I(v(), "S.nodes.records[0].next"), 2);
    EXPECT_EQ(I(v(), "S.nodes.records[0].dof_flags.rz"), 1);
    EXPECT_EQ(I(v(), "S.nodes.records[0].last_flag"), 1);
    EXPECT_EQ(I(v(), "S.nodes.records[1].record"), 2);
    EXPECT_EQ(I(v(), "S.nodes.records[1].previous"), 1);
    EXPECT_EQ(D(v(), "S.nodes.records[1].x"), 1.5);
    EXPECT_EQ(D(v(), "S.nodes.records[1].y"), 2.25);
    EXPECT_EQ(I(v(), "S.nodes.records[1].support_type"), 1);
    EXPECT_EQ(I(v(), "S.nodes.records[1].restraints.ry"), 1);
    EXPECT_EQ(I(v(), "S.nodes.records[1].dof_flags.ux"), 0);
    EXPECT_EQ(I(v(), "S.nodes.records[2].constraint_slots.ux"), 1);
    EXPECT_EQ(I(v(), "S.nodes.records[2].constraint_slots.uz"), 0);
    EXPECT_EQ(I(v(), "S.nodes.records[2].constraint_slots.rz"), 1);
    EXPECT_EQ(D(v(), "S.nodes.records[2].z"), 3.0);
    EXPECT_EQ(I(v(), "S.nodes.records[2].next"), 0);
    EXPECT_EQ(S(v(), "S.constraints.records[0].name"), "D1");
}

TEST_F(SampleStructureTest, MatricesAreListedByTheirNonZeroItems) {
    // Mass: only node 3 of pattern 1.
    ASSERT_EQ(Get(v(), "S.mass_patterns.masses[0].items").size(), 1u);
    EXPECT_EQ(I(v(), "S.mass_patterns.masses[0].items[0].node"), 3);
    EXPECT_EQ(D(v(), "S.mass_patterns.masses[0].items[0].uy"), 2.0);
    // Frame membership, shown as member lists.
    EXPECT_EQ(I(v(), "S.frames.members[0].frame"), 1);
    EXPECT_EQ(ToJson(Get(v(), "S.frames.members[0].nodes"), false), "[2,3]\n");
    EXPECT_EQ(ToJson(Get(v(), "S.frames.members[0].elements"), false), "[2]\n");
    EXPECT_EQ(Get(v(), "S.frames.members").size(), 1u);  // empty columns 2..11 are not listed
    // Nodal loads: one item per pattern, on node 3.
    EXPECT_EQ(I(v(), "S.nodal_load_patterns.records[2].kind"), -3);
    EXPECT_EQ(I(v(), "S.nodal_load_patterns.loads[2].items[0].node"), 3);
    EXPECT_EQ(D(v(), "S.nodal_load_patterns.loads[2].items[0].f3"), -10.0);
    EXPECT_EQ(D(v(), "S.nodal_load_patterns.loads[0].items[0].presence"), 1.0);
    // Element loads.
    EXPECT_EQ(I(v(), "S.element_load_patterns.group_matrix[0].shape_counts[0]"), 1);
    ASSERT_EQ(Get(v(), "S.element_load_patterns.shapes").size(), 1u);
    EXPECT_EQ(I(v(), "S.element_load_patterns.shapes[0].element_count"), 1);
    EXPECT_EQ(I(v(), "S.element_load_patterns.shapes[0].first_item"), 1);
    EXPECT_EQ(I(v(), "S.element_load_patterns.element_matrix[0].items[0].element"), 2);
    EXPECT_EQ(I(v(), "S.element_load_patterns.items[0].next"), 2);
    EXPECT_EQ(D(v(), "S.element_load_patterns.items[1].values[1]"), 0.5);
    // Self weight, section groups.
    EXPECT_EQ(ToJson(Get(v(), "S.self_weight_patterns.flags[0].elements"), false), "[2]\n");
    EXPECT_EQ(ToJson(Get(v(), "S.section_groups.members[0].cuts"), false), "[1]\n");
}

TEST_F(SampleStructureTest, ElementsCutsAndDrifts) {
    EXPECT_EQ(I(v(), "S.element_groups.records[0].element_type"), 3);
    EXPECT_EQ(I(v(), "S.element_groups.records[0].last_element"), 2);
    EXPECT_EQ(I(v(), "S.elements.records[0].u8_26"), 6);
    EXPECT_EQ(I(v(), "S.elements.records[1].group"), 1);
    EXPECT_EQ(I(v(), "S.elements.records[1].nodes[1]"), 3);
    EXPECT_EQ(I(v(), "S.elements.records[1].codes[3]"), 5);
    EXPECT_EQ(I(v(), "S.elements.records[1].compound"), 3);
    EXPECT_EQ(D(v(), "S.elements.records[1].angle"), 90.0);
    EXPECT_EQ(S(v(), "S.section_cuts.records[0].name"), "Frame Base Cut");
    EXPECT_EQ(D(v(), "S.section_cuts.records[0].numbers[2]"), 3.0);
    EXPECT_EQ(I(v(), "S.section_cut_items.records[1].element"), 2);
    EXPECT_EQ(S(v(), "S.drifts.records[1].name"), "H2 Drift");
    EXPECT_EQ(I(v(), "S.drifts.records[1].direction"), 1);
    EXPECT_EQ(I(v(), "S.drifts.records[1].bottom_node"), 2);
}

TEST_F(SampleStructureTest, ComponentRecordsAndCompanions) {
    const Value& col = Get(v(), "S.components.C13.records[0]");
    EXPECT_EQ(S(col, "name"), "IneFemaColC-C1");
    EXPECT_EQ(I(col, "kind"), 15);
    EXPECT_EQ(I(col, "bytes_45[3]"), 1);
    EXPECT_EQ(I(col, "section_type"), 6);
    EXPECT_EQ(D(col, "area"), 0.25);
    EXPECT_EQ(D(col, "f32_173"), static_cast<double>(0.003f));
    EXPECT_EQ(D(col, "f32_305"), 9.0);
    EXPECT_EQ(S(col, "other_bytes.400"), "7f");  // a stray byte is shown, not lost
    EXPECT_EQ(I(col, "companion.flag"), 1);

    EXPECT_EQ(I(v(), "S.components.C38.records[0].releases.m3"), 1);
    EXPECT_EQ(I(v(), "S.components.C38.records[0].releases.m2"), 0);
    EXPECT_EQ(D(v(), "S.components.C38.records[0].release_values.m3"), static_cast<double>(1e-5f));

    // The tagged slots fix the record length: the tail and the companion follow them.
    const Value& shear = Get(v(), "S.components.C54.records[0]");
    EXPECT_EQ(I(shear, "slots[0].type"), 5);
    EXPECT_EQ(D(shear, "slots[0].value"), 0.95);
    EXPECT_EQ(I(shear, "slots[1].type"), 2);
    EXPECT_EQ(I(shear, "slots[2].type"), 3);
    EXPECT_EQ(D(shear, "tail_f32_16"), static_cast<double>(0.8f));
    EXPECT_EQ(D(shear, "shear_modulus"), 12500.0);
    EXPECT_EQ(I(shear, "companion.flag"), 1);

    const Value& cpd = Get(v(), "S.components.C101.records[0]");
    EXPECT_EQ(I(cpd, "force_unit"), 3);
    EXPECT_EQ(I(cpd, "length_unit"), 4);
    ASSERT_EQ(Get(cpd, "slots").size(), 2u);
    EXPECT_EQ(I(cpd, "slots[1].behaviour"), 7);
    EXPECT_EQ(I(cpd, "slots[1].component_kind"), 15);
    EXPECT_EQ(D(cpd, "slots[1].length_b"), 0.5);
    EXPECT_EQ(D(cpd, "weight_per_length"), 6.0);
    EXPECT_EQ(Get(cpd, "companion").size(), 0u);
    EXPECT_EQ(I(v(), "S.components.C1.max_component_capacity"), 11);
}

TEST_F(SampleStructureTest, LoadCasesAndAnalysisCases) {
    EXPECT_EQ(I(v(), "L.counts[1]"), 1);
    ASSERT_EQ(Get(v(), "L.gravity_cases[0].entries").size(), 2u);
    EXPECT_EQ(I(v(), "L.gravity_cases[0].entries[0].kind"), 3);
    EXPECT_EQ(S(v(), "L.gravity_cases[0].entries[1].pattern"), "LoadNode-L");
    EXPECT_EQ(D(v(), "L.gravity_cases[0].entries[1].scale"), 0.25);
    // The 44-character limit-state name is cut by its 40-character field.
    EXPECT_EQ(S(v(), "L.pushover_cases[0].limit_state"), "Deformation beyond X point for any compo");
    EXPECT_EQ(D(v(), "L.pushover_cases[0].entries[0].scale"), -1.0);
    EXPECT_EQ(S(v(), "L.pushover_cases[0].drift"), "H1 Drift");
    EXPECT_EQ(ToJson(Get(v(), "L.drift_selection[0].flags"), false), "[1,0]\n");
    EXPECT_EQ(S(v(), "L.dynamic_cases[0].directions[0].record_header"), "EarthquakeRecord: EQX");
    EXPECT_EQ(I(v(), "L.dynamic_cases[0].directions[0].points"), 4);
    EXPECT_EQ(D(v(), "L.dynamic_cases[0].directions[0].scale"), 1.0);
    EXPECT_EQ(D(v(), "L.dynamic_cases[0].directions[1].scale"), 0.0);
    EXPECT_EQ(D(v(), "L.dynamic_cases[0].directions[1].time_factor"), 1.0);
    EXPECT_EQ(S(v(), "L.dynamic_cases[0].directions[1].function"), "");                // assigned empty
    EXPECT_TRUE(Get(v(), "L.dynamic_cases[0].directions[1].record_header").isNull());  // never assigned
    EXPECT_EQ(D(v(), "L.dynamic_cases[0].directions[2].time_factor"), 1.0);

    EXPECT_EQ(S(v(), "A.cases[0].name"), "PushAnalysis");
    EXPECT_EQ(S(v(), "A.cases[0].title"), "Vantra: PushAnalysis");
    EXPECT_EQ(D(v(), "A.cases[0].f32_150"), static_cast<double>(0.9f));
    EXPECT_EQ(I(v(), "A.cases[0].i16_116"), 10);
    EXPECT_EQ(Get(v(), "A.cases[0].extension.slots").size(), 18u);
}

TEST(EarthquakeRecord, DecodesHeaderAndPairs) {
    Bytes b;
    b.text("EarthquakeRecord: EQX", 40).i16(1).i16(4).f32(-0.5).f32(0.02).f32(0.02);
    b.f32(0).f32(0).f32(0).f32(0).f32(0.01).f32(0.3).f32(0.02).f32(-0.5);
    TempDir dir;
    WriteFile(dir.file("EQX"), b);
    Value v = DecodeEarthquakeRecord(dir.file("EQX"));
    EXPECT_EQ(S(v, "header"), "EarthquakeRecord: EQX");
    EXPECT_EQ(I(v, "pair_count"), 4);
    EXPECT_EQ(D(v, "peak"), -0.5);
    ASSERT_EQ(Get(v, "points").size(), 4u);
    EXPECT_EQ(D(v, "points[3].value"), -0.5);
    EXPECT_EQ(D(v, "points[2].time"), static_cast<double>(0.01f));
}

TEST(SingleFile, TheLFileTakesItsDriftCountFromTheMainFileBesideIt) {
    TempDir dir;
    WriteFolder(dir.path(), SampleStructure());
    Value l = DecodeStructureFile(dir.file("VNTRL"), "L");
    EXPECT_EQ(Get(l, "drift_selection[0].flags").size(), 2u);
    DecodeOptions withCount;
    withCount.driftCount = 2;
    EXPECT_EQ(DecodeStructureFile(dir.file("VNTRL"), "L", withCount), l);
}

}  // namespace
}  // namespace t2v::decode::test
