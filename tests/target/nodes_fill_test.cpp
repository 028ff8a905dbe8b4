#include <gtest/gtest.h>

#include <cstring>

#include "platform/recording/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "source/nodes_stub_host.h"
#include "support/TempDir.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using test::Bytes;
using test::NodesStubHost;
using Dofs = std::array<bool, 6>;

class NodesFill : public ::testing::Test {
protected:
    NodesStubHost host;
    platform::RecordingPlatform plat;
    source::TarvoModelObj src{host, plat, t2v::Units{}, {}};
    VantraModel m;
    FillContext c{src, m, host, plat};

    void SetUp() override { InitVantraModel(m); }
    void readAndFill() {
        src.ReadNodes();
        src.ReadConstraints();
        FillVantraNodes(c);
        FillVantraConstraints(c);
    }
    std::vector<std::uint8_t> node(std::int32_t id) {
        const std::uint8_t* p = m.NodeTable.rowBytes(id);
        return {p, p + 84};
    }
    std::string constraintName(std::int32_t id) {
        return std::string(reinterpret_cast<const char*>(m.ConstraintTable.rowBytes(id)), 40);
    }
    std::string frameName(std::int32_t id) {
        return std::string(reinterpret_cast<const char*>(m.FrameTable.rowBytes(id)), 20);
    }
};

TEST_F(NodesFill, NoNodesShowsTheMessageAndAddsNothing) {
    FillVantraNodes(c);
    ASSERT_EQ(plat.messages.size(), 1u);
    EXPECT_EQ(plat.messages[0].text, "No nodes exist. No transfer performed.");
    EXPECT_EQ(plat.messages[0].title, "");
    EXPECT_EQ(plat.messages[0].buttons, platform::MsgButtons::Ok);
    EXPECT_EQ(plat.messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(m.NodeTable.count(), 1);
    EXPECT_EQ(m.NodeTable.capacity(), 200);
}

// Two points and one diaphragm over both, worked out field by field.
TEST_F(NodesFill, NodeRecordsByteForByte) {
    host.point("P1", 1.0, 2.0, 3.0, {false, false, true, true, false, false});  // out of plane only
    host.point("P2", -4.5, 0.25, 3.0, {false, false, true, false, false, false});
    host.diaphragm("D1", {"P1", "P2"});
    readAndFill();

    ASSERT_EQ(m.NodeTable.count(), 3);
    EXPECT_EQ(m.NodeLast, 2);
    EXPECT_EQ(m.NodeTable.capacity(), 200);

    Bytes origin;
    origin.i32(0).i32(2).f64(0).f64(0).f64(0).i16(0).zeros(12).zeros(13).u8(0).zeros(1).zeros(6).zeros(6);
    origin.u8(1).u8(1).u8(1).u8(1).u8(1).u8(1).u8(1).zeros(4);
    EXPECT_EQ(node(1), origin.b);

    Bytes p1;
    p1.i32(1).i32(3).f64(1.0).f64(2.0).f64(3.0).i16(0);
    p1.i16(1).i16(1).i16(0).i16(0).i16(0).i16(1);  // constraint slots UX, UY, RZ
    p1.zeros(13).u8(9).zeros(1);                    // UZ and RX only: another combination
    p1.u8(0).u8(0).u8(1).u8(1).u8(0).u8(0).zeros(6).zeros(6).u8(1).zeros(4);
    EXPECT_EQ(node(2), p1.b);

    Bytes p2;
    p2.i32(2).i32(0).f64(-4.5).f64(0.25).f64(3.0).i16(0);
    p2.i16(1).i16(1).i16(0).i16(0).i16(0).i16(1);
    p2.zeros(13).u8(9).zeros(1);
    p2.u8(0).u8(0).u8(1).u8(0).u8(0).u8(0).zeros(6).zeros(6).u8(1).zeros(4);
    EXPECT_EQ(node(3), p2.b);

    ASSERT_EQ(m.ConstraintTable.count(), 1);
    Bytes d1;
    d1.text("D1", 40).zeros(40);
    const std::uint8_t* rec = m.ConstraintTable.rowBytes(1);
    EXPECT_EQ(std::vector<std::uint8_t>(rec, rec + 80), d1.b);
}

TEST_F(NodesFill, SupportTypes) {
    const std::vector<std::pair<Dofs, int>> cases = {
        {{false, false, false, false, false, false}, 0},
        {{true, true, true, true, true, true}, 1},
        {{true, true, true, false, false, false}, 2},
        {{true, true, true, false, false, true}, 3},
        {{true, true, false, false, false, false}, 9},
        {{true, true, true, true, false, false}, 9},
        {{false, false, false, false, false, true}, 9},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) host.point("P" + std::to_string(i), 0, 0, 0, cases[i].first);
    readAndFill();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::int32_t id = static_cast<std::int32_t>(i + 2);
        EXPECT_EQ(node(id)[59], cases[i].second) << "case " << i;
        for (std::size_t d = 0; d < 6; ++d) EXPECT_EQ(node(id)[61 + d], cases[i].first[d] ? 1 : 0);
        for (std::size_t d = 0; d < 6; ++d) EXPECT_EQ(node(id)[73 + d], 0);
    }
    EXPECT_EQ(node(1)[59], 0);
}

TEST_F(NodesFill, NodeTableGrowsByCountPlusTenPastTwoHundred) {
    for (int i = 0; i < 199; ++i) host.point("P" + std::to_string(i), i, 0, 0);
    readAndFill();
    EXPECT_EQ(m.NodeTable.count(), 200);
    EXPECT_EQ(m.NodeTable.capacity(), 200);

    host.point("P199", 199, 0, 0);
    src.Dispose();
    InitVantraModel(m);
    readAndFill();
    EXPECT_EQ(m.NodeTable.count(), 201);
    EXPECT_EQ(m.NodeTable.capacity(), 211);
    EXPECT_EQ(m.NodeLast, 200);
    EXPECT_EQ(m.NodeTable.rec(201).getI32(4), 0);
    EXPECT_EQ(m.NodeTable.rec(200).getI32(4), 201);
}

TEST_F(NodesFill, ConstraintsNumberedWithLongLabelsByTheirNumberPlusOne) {
    for (const char* p : {"A", "B", "C"}) host.point(p, 0, 0, 1);
    const std::string longName(41, 'L');
    host.diaphragm(longName, {"A"});
    host.diaphragm("  Floor 2  ", {"B"});
    host.diaphragm(std::string(40, 'F'), {"C"});
    readAndFill();
    ASSERT_EQ(m.ConstraintTable.count(), 3);
    EXPECT_EQ(m.ConstraintTable.capacity(), 12);  // 1, then the second passes it: 2 + 10
    EXPECT_EQ(constraintName(1), "2" + std::string(39, ' '));
    EXPECT_EQ(constraintName(2), "Floor 2" + std::string(33, ' '));
    EXPECT_EQ(constraintName(3), std::string(40, 'F'));
    EXPECT_EQ(node(4)[34], 3);  // C in constraint 3
    EXPECT_EQ(node(4)[44], 3);
}

TEST_F(NodesFill, EmptyConstraintMakesNoRecordAndUsesNoNumber) {
    host.point("A", 0, 0, 1);
    src.ReadNodes();
    auto& empty = *src.Constraints.emplace_back(std::make_unique<source::TarvoConstraintObj>());
    empty.Label = "EMPTY";
    auto& full = *src.Constraints.emplace_back(std::make_unique<source::TarvoConstraintObj>());
    full.Label = "FULL";
    full.NodeAdd(&src.NodeObj(1));
    FillVantraNodes(c);
    FillVantraConstraints(c);
    ASSERT_EQ(m.ConstraintTable.count(), 1);
    EXPECT_EQ(constraintName(1).substr(0, 4), "FULL");
    EXPECT_EQ(node(2)[36], 1);
}

// ---------------------------------------------------------------------------------------
// Frames from groups.

TEST_F(NodesFill, OnlyGroupAllMakesNoFrame) {
    host.point("A", 0, 0, 0);
    readAndFill();
    FillVantraFrames(c);
    EXPECT_EQ(m.FrameTable.count(), 0);
    EXPECT_EQ(m.FrameTable.capacity(), 0);
    EXPECT_TRUE(m.FrameNodeMembers.empty());
}

TEST_F(NodesFill, GroupsBecomeFramesWithTheirMembers) {
    for (const char* p : {"A", "B", "C"}) host.point(p, 0, 0, 0);
    host.groups.push_back({"Core walls and the long east facade", {1, 1, 2, 5, 6, 1}, {"A", "B", "F1", "W1", "S", "GHOST"}});
    host.groups.push_back({"ALL", {1}, {"C"}});  // a second "ALL" is skipped as well
    host.groups.push_back({"all", {1, 2, 2, 5}, {"B", "F2", "NOFRAME", "W0"}});
    readAndFill();
    // Elements come from a later step; give the objects element numbers by hand.
    src.AddFrame("F1").idVantraElem = 4;
    src.AddFrame("F2").idVantraElem = 5;
    src.AddFrame("F1").idVantraElem = 6;  // two frames with one label: both are members
    src.AddArea("W1").idVantraElem = 7;
    src.AddArea("W0");                    // no element was made for it
    FillVantraFrames(c);

    ASSERT_EQ(m.FrameTable.count(), 2);
    EXPECT_EQ(m.FrameTable.capacity(), 11);
    EXPECT_EQ(frameName(1), "Core walls and the l");
    EXPECT_EQ(frameName(2), "all" + std::string(17, ' '));
    using Members = std::vector<std::pair<std::int32_t, std::int32_t>>;
    EXPECT_EQ(m.FrameNodeMembers, (Members{{2, 1}, {3, 1}, {3, 2}}));
    EXPECT_EQ(m.FrameElementMembers, (Members{{4, 1}, {6, 1}, {7, 1}, {5, 2}}));
}

}  // namespace
}  // namespace t2v::target
