// The value tree, its path query and the JSON and text writers.
#include <gtest/gtest.h>

#include <simdjson.h>

#include <sstream>

#include "SampleStructure.h"
#include "decode/RecordLayout.h"
#include "decode/StructureReader.h"

namespace t2v::decode::test {
namespace {

Value sampleTree() {
    Value root = Value::object();
    Value& rec = root.add("records", Value::array()).push(Value::object());
    rec.add("name", Value::string("A \"quoted\"\tname"));
    rec.add("x", Value::real(0.1f, true));
    rec.add("y", Value::real(2.0));
    rec.add("list", Value::array());
    Value& small = root.add("small", Value::object());
    small.add("a", Value::integer(1));
    small.add("b", Value::array()).push(Value::integer(2));
    root.add("count", Value::integer(-3));
    root.add("empty", Value::object());
    root.add("flag", Value::boolean(true));
    root.add("none", Value());
    Value& nums = root.add("nums", Value::array());
    for (int i = 1; i <= 3; ++i) nums.push(Value::integer(i));
    return root;
}

TEST(ValuePath, FindsMembersAndPositionsAndNamesTheMiss) {
    Value v = sampleTree();
    EXPECT_EQ(Get(v, "records[0].x").asDouble(), static_cast<double>(0.1f));
    EXPECT_EQ(Get(v, "nums[2]").asInt(), 3);
    EXPECT_EQ(&Get(v, ""), &v);
    try {
        Get(v, "records[1].x");
        FAIL();
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "no value at 'records[1].x': 'records[1]' is past the end (1 items)");
    }
    EXPECT_THROW(Get(v, "records[0].z"), std::out_of_range);
    EXPECT_THROW(Get(v, "count.x"), std::out_of_range);
    EXPECT_THROW(Get(v, "nums[x]"), std::out_of_range);
    EXPECT_THROW(Get(v, "count").asString(), std::runtime_error);
}

TEST(FixedText, CodePageTrimmingAndUnassignedFields) {
    const std::uint8_t name[] = {'A', 0xC4, 0x80, ' ', ' '};
    EXPECT_EQ(DecodeText(name, sizeof name), "A\u00C4\u20AC");
    const std::uint8_t zeroPadded[] = {'H', '1', 0, 0};  // padded with zeros instead of blanks
    const std::uint8_t unset[] = {0, 0, 0, 0};
    TreeBuilder tree;
    tree.beginArray();
    EmitText(tree, zeroPadded, 4);
    EmitText(tree, unset, 4);
    tree.endArray();
    Value v = tree.take();
    EXPECT_EQ(Get(v, "[0]").asString(), std::string("H1\0\0", 4));  // the fault stays visible
    EXPECT_TRUE(Get(v, "[1]").isNull());
}

TEST(JsonWriter, PrettyAndCompact) {
    Value v = sampleTree();
    EXPECT_EQ(ToJson(v, false),
              "{\"records\":[{\"name\":\"A "
              "\\\"quoted\\\"\\tname\",\"x\":0.1,\"y\":2.0,\"list\":[]}],\"small\":{\"a\":1,\"b\":[2]},"
              "\"count\":-3,\"empty\":{},\"flag\":true,\"none\":null,\"nums\":[1,2,3]}\n");
    EXPECT_EQ(ToJson(Get(v, "nums"), true), "[\n  1,\n  2,\n  3\n]\n");
    EXPECT_EQ(FormatReal(1e-5f, true), "1e-05");
    EXPECT_EQ(FormatReal(std::numeric_limits<double>::infinity(), false), "inf");
}

TEST(TextWriter, IndentsObjectsAndListsArrayItems) {
    EXPECT_EQ(ToText(sampleTree()),
              "records:\n"
              "  - name: \"A \\\"quoted\\\"\\tname\"\n"
              "    x: 0.1\n"
              "    y: 2.0\n"
              "    list: []\n"
              "small:\n"
              "  a: 1\n"
              "  b: [2]\n"
              "count: -3\n"
              "empty: {}\n"
              "flag: true\n"
              "none: null\n"
              "nums: [1, 2, 3]\n");
    // Small objects of scalars go on one line, long lists one item per line.
    Value dofs = Value::object();
    Value& item = dofs.add("items", Value::array()).push(Value::object());
    item.add("node", Value::integer(3));
    item.add("ux", Value::real(2.0, true));
    EXPECT_EQ(ToText(dofs), "items:\n  - {node: 3, ux: 2.0}\n");
    Value big = Value::array();
    for (int i = 0; i < 20; ++i) big.push(Value::integer(i));
    std::string text = ToText(big);
    EXPECT_EQ(text.substr(0, 12), "- 0\n- 1\n- 2\n");
}

// The whole sample structure printed as JSON is valid JSON that reads back to the tree.
TEST(JsonWriter, SampleStructureIsValidJson) {
    TempDir dir;
    WriteFolder(dir.path(), SampleStructure());
    std::ostringstream os;
    {
        JsonWriter w(os, true);
        StreamStructureFolder(dir.path(), w);
    }
    simdjson::dom::parser parser;
    simdjson::padded_string json(os.str());
    simdjson::dom::element doc;
    ASSERT_EQ(parser.parse(json).get(doc), simdjson::SUCCESS);
    std::string_view name;
    ASSERT_EQ(doc.at_pointer("/S/components/C37/records/0/name").get(name), simdjson::SUCCESS);
    EXPECT_EQ(name, "Default End Zone");
    // The streamed output equals the tree printed afterwards.
    EXPECT_EQ(os.str(), ToJson(DecodeStructureFolder(dir.path()), true));
}

}  // namespace
}  // namespace t2v::decode::test
