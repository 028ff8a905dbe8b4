#include <gtest/gtest.h>

#include "target/VantraModel.h"

namespace t2v::target {
namespace {

TEST(Store, GrowthRulesKeepRecords) {
    RecordTable<8> nodes("node", CounterWidth::Int32);
    nodes.reset(0, 200);
    for (int i = 1; i <= 201; ++i) nodes.rec(nodes.add()).i32(0, i);
    EXPECT_EQ(nodes.capacity(), 211);  // passing 200 sets count + 10
    EXPECT_EQ(nodes.rec(150).getI32(0), 150);

    RecordTable<8> releases("release component", TableRules{.growth = Growth::CapacityPlus5});
    releases.reset(0, 1);
    releases.add();
    EXPECT_EQ(releases.capacity(), 1);
    releases.add();
    EXPECT_EQ(releases.capacity(), 6);
}

TEST(Store, SectionGroupsGrowOnEveryAppendAndComponentTablesReportTheirFigure) {
    RecordTable<8> groups("section group", TableRules{.growth = Growth::AlwaysCountPlus10});
    groups.reset(0, 1);
    groups.add();
    EXPECT_EQ(groups.capacity(), 11);  // count 1 does not pass capacity 1, yet it grows

    // Each component table reports the size its declaration names, never lowering the figure.
    VantraModel m;
    m.MaxComponentCapacity = 1;
    m.BeamSectionTable.reset(0, 1);
    m.BeamSectionTable.setCapacity(30);
    m.addComponent(m.BeamSectionTable);
    EXPECT_EQ(m.MaxComponentCapacity, 30);  // beam sections report their capacity
    m.SlabSectionTable.reset(0, 40);
    m.addComponent(m.SlabSectionTable);
    EXPECT_EQ(m.MaxComponentCapacity, 30);  // slab sections report their count (1)
}

TEST(Store, SixteenBitTablesStopWithTheirNameInsteadOfWrapping) {
    RecordTable<2> t("constraint");
    t.reset(0, 1);
    for (int i = 0; i < 32767; ++i) t.add();
    EXPECT_EQ(t.count(), 32767);
    EXPECT_EQ(t.capacity(), 32767);  // count + 10 would not fit: it stops at the largest value
    try {
        t.add();
        FAIL() << "no overflow";
    } catch (const CounterOverflow& e) {
        EXPECT_NE(std::string(e.what()).find("constraint"), std::string::npos);
    }
    EXPECT_EQ(t.count(), 32767);
}

TEST(Store, SparseRowsSortByColumnLastValueWins) {
    SparseRows<int> r;
    r.reset(2);
    r.set(0, 9, 1);
    r.set(0, 3, 2);
    r.set(0, 9, 3);
    auto row = r.sortedRow(0);
    ASSERT_EQ(row.size(), 2u);
    EXPECT_EQ(row[0], (std::pair<std::int32_t, int>{3, 2}));
    EXPECT_EQ(row[1], (std::pair<std::int32_t, int>{9, 3}));
    EXPECT_TRUE(r.sortedRow(1).empty());
}

}  // namespace
}  // namespace t2v::target
