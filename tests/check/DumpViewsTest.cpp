// vantra-dump's views of one node, element or group: what refers to the object is
// gathered from every table, and a number that does not exist is refused by name.
#include <gtest/gtest.h>

#include "check/DumpViews.h"
#include "decode/Value.h"

namespace t2v::check {
namespace {

using decode::Get;

StructureDigest TwoBeams() {
    StructureDigest d;
    d.nodes = {{0, 0, 0, {}, false}, {0, 0, 3, {}, false}, {4, 0, 3, {}, false}, {4, 3, 3, {}, false}};
    d.groups = {{"ElemSteelBeam", 2, 1, 3}};
    d.elements = {{0, {}, 0}, {1, {2, 3, 0, 0}, 1}, {1, {3, 4, 0, 0}, 1}};
    d.frames = {{"Roof", {2, 3}, {2}}};
    d.nodalPatterns = {{"AccelUX", 1}, {"AccelUY", 2}, {"LoadNode-L", -3}};
    d.nodalLoads = {{3, 3, {0, 0, -7, 0, 0, 0}}};
    d.elementPatterns = {{"LoadFrame-L", 1}};
    d.shapes = {{1, 1, 1, 1, 1, 1}};
    d.loadItems = {{2, 0, {10, 0.25, 0, 0}}};
    d.shapeUses = {{1, 3, 1}};
    return d;
}

decode::Value View(const std::function<void(decode::Emitter&)>& emit) {
    decode::TreeBuilder tree;
    emit(tree);
    return tree.take();
}

TEST(DumpViews, NodeElementAndGroupGatherWhatRefersToThem) {
    const StructureDigest d = TwoBeams();
    const auto node = View([&](auto& out) { EmitNode(d, 3, out); });
    EXPECT_EQ(Get(node, "elements").size(), 2u);
    EXPECT_EQ(Get(node, "loads[0].pattern").asString(), "LoadNode-L");
    EXPECT_EQ(Get(node, "loads[0].f3").asDouble(), -7);

    const auto element = View([&](auto& out) { EmitElement(d, 3, out); });
    EXPECT_EQ(Get(element, "group_name").asString(), "ElemSteelBeam");
    EXPECT_EQ(Get(element, "length").asDouble(), 3);
    EXPECT_EQ(Get(element, "loads[0].items[0].type").asString(), "point");
    EXPECT_EQ(Get(element, "loads[0].items[0].position").asDouble(), 0.25);
    EXPECT_EQ(Get(element, "frames").size(), 0u);
    EXPECT_EQ(Get(View([&](auto& out) { EmitElement(d, 1, out); }), "head_of_group").asInt(), 1);

    EXPECT_EQ(Get(View([&](auto& out) { EmitGroup(d, "ElemSteelBeam", out); }), "elements").size(), 2u);
    EXPECT_EQ(Get(View([&](auto& out) { EmitGroup(d, "Roof", out); }), "elements[0]").asInt(), 2);

    decode::NullEmitter none;
    EXPECT_THROW(EmitNode(d, 5, none), std::out_of_range);
    EXPECT_THROW(EmitElement(d, 0, none), std::out_of_range);
    EXPECT_THROW(EmitGroup(d, "Nothing", none), std::out_of_range);
}

}  // namespace
}  // namespace t2v::check
