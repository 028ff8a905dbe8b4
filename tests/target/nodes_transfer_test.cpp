// Nodes and constraints as the main structure file carries them after a whole transfer.
#include <gtest/gtest.h>

#include "source/nodes_documents.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

TEST(NodesTransfer, NodeAndConstraintBlocksFollowTheHeader) {
    auto r = test::RunTransfer(test::NodesDoc(
        R"("points": [)" + test::NodesPoint("Base", 0, 0, 0, "111111") + ", " + test::NodesPoint("Roof", 0.5, 0, 3) +
        R"(], "constraints": [{"name": "Roof", "type": 2, "axis": 3, "points": ["Roof"]}])"));
    ASSERT_TRUE(r->written);
    const std::vector<std::uint8_t> s = test::ReadBytes(r->structureDir() + "/VNTRS");

    test::Bytes expect;
    expect.i32(3).i32(2).i32(200);
    expect.i32(0).i32(2).f64(0).f64(0).f64(0).i16(0).zeros(12).zeros(13).u8(0).zeros(1).zeros(12);
    expect.u8(1).u8(1).u8(1).u8(1).u8(1).u8(1).u8(1).zeros(4);
    expect.i32(1).i32(3).f64(0).f64(0).f64(0).i16(0).zeros(12).zeros(13).u8(1).zeros(1);
    expect.u8(1).u8(1).u8(1).u8(1).u8(1).u8(1).zeros(12).u8(1).zeros(4);
    expect.i32(2).i32(0).f64(0.5).f64(0).f64(3).i16(0).i16(1).i16(1).i16(0).i16(0).i16(0).i16(1);
    expect.zeros(13).u8(0).zeros(1).zeros(18).u8(1).zeros(4);
    expect.i16(1).i16(1).text("Roof", 40).zeros(40);

    ASSERT_GE(s.size(), 134 + expect.b.size());
    EXPECT_EQ(std::vector<std::uint8_t>(s.begin() + 134, s.begin() + 134 + static_cast<long>(expect.b.size())),
              expect.b);
}

}  // namespace
}  // namespace t2v
