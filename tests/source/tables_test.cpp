// The source model's object tables and label indexes, checked against plain scans of
// the same objects.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "host/document/DocumentHost.h"
#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"

namespace t2v::test {
namespace {

using source::ObjTable;
using source::TarvoAreaObj;
using source::TarvoNodeObj;

TEST(ObjTable, ObjectsKeepTheirAddressesAndOrderAcrossManyBlocks) {
    // Nodes are large enough that a block holds about 25 000 of them: 100 000 nodes span
    // every growing block and several full ones.
    ObjTable<TarvoNodeObj> nodes;
    std::vector<const TarvoNodeObj*> addresses;
    for (int i = 0; i < 100000; ++i) {
        TarvoNodeObj& n = nodes.Add();
        n.id = i;
        addresses.push_back(&n);
    }
    ASSERT_EQ(nodes.Num(), 100000);
    for (int i = 1; i <= nodes.Num(); ++i) {
        ASSERT_EQ(&nodes.Obj(i), addresses[static_cast<std::size_t>(i - 1)]) << i;
        ASSERT_EQ(nodes.Obj(i).id, i - 1);
    }
    int expected = 0;
    for (const TarvoNodeObj& n : std::as_const(nodes)) ASSERT_EQ(n.id, expected++);
    EXPECT_EQ(expected, 100000);

    EXPECT_THROW(nodes.Obj(0), std::out_of_range);
    EXPECT_THROW(nodes.Obj(100001), std::out_of_range);
    nodes.clear();
    EXPECT_EQ(nodes.Num(), 0);
    EXPECT_EQ(nodes.begin(), nodes.end());
    nodes.Add().id = 7;
    EXPECT_EQ(nodes.Obj(1).id, 7);
}

// A model whose labels repeat: every lookup must answer what a scan in table order
// answers, while the index grows from empty through many rehashes.
TEST(LabelIndexes, AnswerTheFirstObjectAndEveryObjectOfALabelInTableOrder) {
    auto host = host::DocumentHost::FromText(R"({"format": "tarvo-model", "version": 1})", "empty.json");
    platform::RecordingPlatform platform;
    source::TarvoModelObj src(*host, platform, Units{}, {});

    std::mt19937 random(11);
    std::uniform_int_distribution<int> pick(0, 20000);
    std::set<std::string> used;
    for (int i = 0; i < 60000; ++i) {
        const std::string label = "L" + std::to_string(pick(random));
        used.insert(label);
        src.AddNode(label).x = i;
        src.AddArea(label).MassOverL2 = i;
    }
    used.insert("absent");
    used.insert("");

    // What scans in table order answer, gathered in one pass over each table.
    std::map<std::string, const TarvoNodeObj*> firstNode;
    for (TarvoNodeObj& n : src.Nodes) firstNode.emplace(n.Label, &n);
    std::map<std::string, std::vector<const TarvoAreaObj*>> areasOf;
    for (TarvoAreaObj& a : src.Areas) areasOf[a.Label].push_back(&a);

    for (const std::string& label : used) {
        const auto n = firstNode.find(label);
        const TarvoNodeObj* expected = n == firstNode.end() ? nullptr : n->second;
        ASSERT_EQ(src.NodeObjGet(label), expected) << label;
        ASSERT_EQ(src.NodeIdGet(label), expected ? expected->id : -1);

        std::vector<const TarvoAreaObj*> indexed;
        for (const TarvoAreaObj* a : src.AreasWithLabel(label)) indexed.push_back(a);
        const auto a = areasOf.find(label);
        ASSERT_EQ(indexed, a == areasOf.end() ? std::vector<const TarvoAreaObj*>{} : a->second) << label;
    }

    src.Dispose();
    EXPECT_EQ(src.NodeObjGet("L1"), nullptr);
    EXPECT_TRUE(src.AreasWithLabel("L1").empty());
}

// The node of a frame end is the first node with its label, whether the frame was read
// with a node id or the node came later.
TEST(LabelIndexes, AFrameEndIsTheFirstNodeWithItsLabel) {
    auto host = host::DocumentHost::FromText(R"({"format": "tarvo-model", "version": 1})", "empty.json");
    platform::RecordingPlatform platform;
    source::TarvoModelObj src(*host, platform, Units{}, {});
    TarvoNodeObj& a = src.AddNode("A");
    src.AddNode("A");  // a later node of the same label is never the answer
    EXPECT_EQ(src.FrameEndNode(src.NodeIdGet("A"), "A"), &a);
    EXPECT_EQ(src.FrameEndNode(-1, "B"), nullptr);
    TarvoNodeObj& b = src.AddNode("B");  // a frame read before its node existed
    EXPECT_EQ(src.FrameEndNode(-1, "B"), &b);
}

}  // namespace
}  // namespace t2v::test
