#include <gtest/gtest.h>

#include <cstring>

#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "source/nodes_documents.h"
#include "support/ByteBuilder.h"
#include "support/TempDir.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using test::Bytes;
using test::NodesPoint;
using Dofs = std::array<bool, 6>;

std::string Diaphragm(std::string_view name, std::string_view points) {
    return R"({"name": ")" + std::string(name) + R"(", "type": 2, "axis": 3, "points": [)" + std::string(points) + "]}";
}

class NodesFill : public ::testing::Test {
protected:
    platform::RecordingPlatform plat;
    std::unique_ptr<host::DocumentHost> host;
    std::unique_ptr<source::TarvoModelObj> src;
    VantraModel m;
    std::unique_ptr<FillContext> c;

    void load(std::unique_ptr<host::DocumentHost> h) {
        host = std::move(h);
        src = std::make_unique<source::TarvoModelObj>(*host, plat, t2v::Units{}, source::RecordsLocation{});
        InitVantraModel(m);
        c = std::make_unique<FillContext>(FillContext{*src, m, *host, plat});
    }
    void readAndFill(std::unique_ptr<host::DocumentHost> h) {
        load(std::move(h));
        src->ReadNodes();
        src->ReadConstraints();
        FillVantraNodes(*c);
        FillVantraConstraints(*c);
    }
    void readAndFill(std::string_view families) { readAndFill(test::NodesHost(families)); }

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
    load(test::NodesHost());
    FillVantraNodes(*c);
    ASSERT_EQ(plat.messages.size(), 1u);
    EXPECT_EQ(plat.messages[0].text, "No nodes exist. No transfer performed.");
    EXPECT_EQ(plat.messages[0].title, "");
    EXPECT_EQ(plat.messages[0].buttons, platform::MsgButtons::Ok);
    EXPECT_EQ(plat.messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(m.NodeTable.count(), 1);
    EXPECT_EQ(m.NodeTable.capacity(), 200);
}

TEST_F(NodesFill, OneSourceNodeGivesTheOriginNodeAndItself) {
    readAndFill(R"("points": [)" + NodesPoint("P", 2.0, 0.0, 0.0) + "]");
    ASSERT_EQ(m.NodeTable.count(), 2);
    EXPECT_EQ(m.NodeLast, 1);
    EXPECT_EQ(node(1)[0], 0);  // the origin: previous 0, next 2
    EXPECT_EQ(node(1)[4], 2);
    EXPECT_EQ(node(2)[0], 1);  // the source node: previous 1, next 0 (the last)
    EXPECT_EQ(node(2)[4], 0);
}

// Two points and one diaphragm over both, worked out field by field.
TEST_F(NodesFill, NodeRecordsByteForByte) {
    readAndFill(R"("points": [)" + NodesPoint("P1", 1.0, 2.0, 3.0, "001100") + ", " +  // out of plane only
                NodesPoint("P2", -4.5, 0.25, 3.0, "001000") + R"(], "constraints": [)" +
                Diaphragm("D1", R"("P1", "P2")") + "]");

    ASSERT_EQ(m.NodeTable.count(), 3);
    EXPECT_EQ(m.NodeLast, 2);
    EXPECT_EQ(m.NodeTable.capacity(), 200);

    Bytes origin;
    origin.i32(0).i32(2).f64(0).f64(0).f64(0).i16(0).zeros(12).zeros(13).u8(0).zeros(1).zeros(6).zeros(6);
    origin.u8(1).u8(1).u8(1).u8(1).u8(1).u8(1).u8(1).zeros(4);
    EXPECT_EQ(node(1), origin.data());

    Bytes p1;
    p1.i32(1).i32(3).f64(1.0).f64(2.0).f64(3.0).i16(0);
    p1.i16(1).i16(1).i16(0).i16(0).i16(0).i16(1);  // constraint slots UX, UY, RZ
    p1.zeros(13).u8(9).zeros(1);                   // UZ and RX only: another combination
    p1.u8(0).u8(0).u8(1).u8(1).u8(0).u8(0).zeros(6).zeros(6).u8(1).zeros(4);
    EXPECT_EQ(node(2), p1.data());

    Bytes p2;
    p2.i32(2).i32(0).f64(-4.5).f64(0.25).f64(3.0).i16(0);
    p2.i16(1).i16(1).i16(0).i16(0).i16(0).i16(1);
    p2.zeros(13).u8(9).zeros(1);
    p2.u8(0).u8(0).u8(1).u8(0).u8(0).u8(0).zeros(6).zeros(6).u8(1).zeros(4);
    EXPECT_EQ(node(3), p2.data());

    ASSERT_EQ(m.ConstraintTable.count(), 1);
    Bytes d1;
    d1.text("D1", 40).zeros(40);
    const std::uint8_t* rec = m.ConstraintTable.rowBytes(1);
    EXPECT_EQ(std::vector<std::uint8_t>(rec, rec + 80), d1.data());
}

TEST_F(NodesFill, SupportTypes) {
    const std::vector<std::pair<Dofs, int>> cases = {
        {{false, false, false, false, false, false}, 0}, {{true, true, true, true, true, true}, 1},
        {{true, true, true, false, false, false}, 2},    {{true, true, true, false, false, true}, 3},
        {{true, true, false, false, false, false}, 9},   {{true, true, true, true, false, false}, 9},
        {{false, false, false, false, false, true}, 9},
    };
    std::string points;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        std::string r;
        for (bool b : cases[i].first) r += b ? '1' : '0';
        points += (i ? ", " : "") + NodesPoint("P" + std::to_string(i), 0, 0, 0, r);
    }
    readAndFill(R"("points": [)" + points + "]");
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::int32_t id = static_cast<std::int32_t>(i + 2);
        EXPECT_EQ(node(id)[59], cases[i].second) << "case " << i;
        for (std::size_t d = 0; d < 6; ++d) EXPECT_EQ(node(id)[61 + d], cases[i].first[d] ? 1 : 0);
        for (std::size_t d = 0; d < 6; ++d) EXPECT_EQ(node(id)[73 + d], 0);
    }
    EXPECT_EQ(node(1)[59], 0);
}

TEST_F(NodesFill, NodeTableGrowsByCountPlusTenPastTwoHundred) {
    std::string points;
    for (int i = 0; i < 199; ++i) points += (i ? ", " : "") + NodesPoint("P" + std::to_string(i), i, 0, 0);
    readAndFill(R"("points": [)" + points + "]");
    EXPECT_EQ(m.NodeTable.count(), 200);
    EXPECT_EQ(m.NodeTable.capacity(), 200);

    readAndFill(R"("points": [)" + points + ", " + NodesPoint("P199", 199, 0, 0) + "]");
    EXPECT_EQ(m.NodeTable.count(), 201);
    EXPECT_EQ(m.NodeTable.capacity(), 211);
    EXPECT_EQ(m.NodeLast, 200);
    EXPECT_EQ(m.NodeTable.rec(201).getI32(4), 0);
    EXPECT_EQ(m.NodeTable.rec(200).getI32(4), 201);
}

TEST_F(NodesFill, ConstraintsNumberedWithLongLabelsByTheirNumberPlusOne) {
    readAndFill(R"("points": [)" + test::NodesLevel({"A", "B", "C"}, 1) + R"(], "constraints": [)" +
                Diaphragm(std::string(41, 'L'), R"("A")") + ", " + Diaphragm("  Floor 2  ", R"("B")") + ", " +
                Diaphragm(std::string(40, 'F'), R"("C")") + "]");
    ASSERT_EQ(m.ConstraintTable.count(), 3);
    EXPECT_EQ(m.ConstraintTable.capacity(), 12);  // 1, then the second passes it: 2 + 10
    EXPECT_EQ(constraintName(1), "2" + std::string(39, ' '));
    EXPECT_EQ(constraintName(2), "Floor 2" + std::string(33, ' '));
    EXPECT_EQ(constraintName(3), std::string(40, 'F'));
    EXPECT_EQ(node(4)[34], 3);  // C in constraint 3
    EXPECT_EQ(node(4)[44], 3);
}

TEST_F(NodesFill, EmptyConstraintMakesNoRecordAndUsesNoNumber) {
    load(test::NodesHost(R"("points": [)" + NodesPoint("A", 0, 0, 1) + "]"));
    src->ReadNodes();
    auto& empty = *src->Constraints.emplace_back(std::make_unique<source::TarvoConstraintObj>());
    empty.Label = "EMPTY";
    auto& full = *src->Constraints.emplace_back(std::make_unique<source::TarvoConstraintObj>());
    full.Label = "FULL";
    full.NodeAdd(&src->NodeObj(1));
    FillVantraNodes(*c);
    FillVantraConstraints(*c);
    ASSERT_EQ(m.ConstraintTable.count(), 1);
    EXPECT_EQ(constraintName(1).substr(0, 4), "FULL");
    EXPECT_EQ(node(2)[36], 1);
}

// ---------------------------------------------------------------------------------------
// Frames from groups.

TEST_F(NodesFill, OnlyGroupAllMakesNoFrame) {
    readAndFill(R"("points": [)" + NodesPoint("A", 0, 0, 0) + "]");
    FillVantraFrames(*c);
    EXPECT_EQ(m.FrameTable.count(), 0);
    EXPECT_EQ(m.FrameTable.capacity(), 0);
    EXPECT_TRUE(m.FrameNodeMembers.empty());
}

TEST_F(NodesFill, GroupsBecomeFramesWithTheirMembers) {
    auto h = std::make_unique<test::GhostPointHost>(R"("points": [)" + test::NodesLevel({"A", "B", "C"}, 0) + R"(],
        "frame_sections": [{"name": "S"}], "area_sections": [{"name": "AS"}],
        "frames": [{"name": "F1", "section": "S", "i": "A", "j": "B"},
                   {"name": "F2", "section": "S", "i": "B", "j": "C"},
                   {"name": "NOFRAME", "section": "S", "i": "A", "j": "C"}],
        "areas": [{"name": "W1", "section": "AS", "points": ["A", "B", "C"]},
                  {"name": "W0", "section": "AS", "points": ["C", "B", "A"]}],
        "groups": [{"name": "Core walls and the long east facade", "points": ["A", "B"], "frames": ["F1"],
                    "areas": ["W1"]},
                   {"name": "all", "points": ["B"], "frames": ["F2", "NOFRAME"], "areas": ["W0"]}])");
    h->ghostsInGroups = {{"Core walls and the long east facade", "GHOST"}};
    readAndFill(std::move(h));
    // Frames and elements come from later steps; make the source frames and areas and
    // give them element numbers by hand. NOFRAME stays out of the source model.
    src->AddFrame("F1").idVantraElem = 4;
    src->AddFrame("F2").idVantraElem = 5;
    src->AddFrame("F1").idVantraElem = 6;  // two frames with one label: both are members
    src->AddArea("W1").idVantraElem = 7;
    src->AddArea("W0");  // no element was made for it
    FillVantraFrames(*c);

    ASSERT_EQ(m.FrameTable.count(), 2);
    EXPECT_EQ(m.FrameTable.capacity(), 11);
    EXPECT_EQ(frameName(1), "Core walls and the l");
    EXPECT_EQ(frameName(2), "all" + std::string(17, ' '));
    using Members = std::vector<std::pair<std::int32_t, std::int32_t>>;
    EXPECT_EQ(m.FrameNodeMembers, (Members{{2, 1}, {3, 1}, {3, 2}}));
    // W0 got no element: it still belongs to "all" and flags row 0.
    EXPECT_EQ(m.FrameElementMembers, (Members{{4, 1}, {6, 1}, {7, 1}, {5, 2}, {0, 2}}));
}

}  // namespace
}  // namespace t2v::target
