#include <gtest/gtest.h>

#include <random>

#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "source/nodes_documents.h"

namespace t2v::source {
namespace {

constexpr std::array<bool, 6> kUX{true, false, false, false, false, false};
constexpr std::array<bool, 6> kUZ{false, false, true, false, false, false};
constexpr std::array<bool, 6> kRZ{false, false, false, false, false, true};

class NodesRead : public ::testing::Test {
protected:
    platform::RecordingPlatform plat;
    std::unique_ptr<host::DocumentHost> host;
    std::unique_ptr<TarvoModelObj> src;

    void read(std::unique_ptr<host::DocumentHost> h) {
        host = std::move(h);
        src = std::make_unique<TarvoModelObj>(*host, plat, t2v::Units{}, RecordsLocation{});
        src->ReadNodes();
        src->ReadConstraints();
    }
    void read(std::string_view families) { read(test::NodesHost(families)); }
    // The labels of the nodes of every constraint, in table order.
    std::vector<std::vector<std::string>> constraintNodes() {
        std::vector<std::vector<std::string>> out;
        for (int i = 1; i <= src->ConstraintNum(); ++i) {
            out.emplace_back();
            for (int j = 1; j <= src->ConstraintObj(i).NodeNum(); ++j)
                out.back().push_back(src->ConstraintObj(i).NodeObj(j)->Label);
        }
        return out;
    }
    std::vector<std::string> constraintLabels() {
        std::vector<std::string> out;
        for (int i = 1; i <= src->ConstraintNum(); ++i) out.push_back(src->ConstraintObj(i).Label);
        return out;
    }
};

// A diaphragm about Z over the given points.
std::string Diaphragm(std::string_view name, std::string_view points, int axis = 3, int type = 2) {
    return R"({"name": ")" + std::string(name) + R"(", "type": )" + std::to_string(type) + R"(, "axis": )" +
           std::to_string(axis) + R"(, "points": [)" + std::string(points) + "]}";
}

using Lists = std::vector<std::vector<std::string>>;
using Labels = std::vector<std::string>;

TEST_F(NodesRead, EveryPointBecomesANodeWithIdsFromTwo) {
    read(R"("points": [)" + test::NodesPoint("P10", 1.5, -2, 3, "001000") + ", " +
         test::NodesPoint("P2", 0, 0, 0, "111111") + ", " + test::NodesPoint("p2", 4, 5, 6) + "]");
    ASSERT_EQ(src->NodeNum(), 3);
    EXPECT_EQ(src->NodeObj(1).id, 2);
    EXPECT_EQ(src->NodeObj(3).id, 4);
    EXPECT_EQ(src->NodeObj(1).Label, "P10");
    EXPECT_EQ(src->NodeObj(1).y, -2.0);
    EXPECT_EQ(src->NodeObj(1).IsRestrained, kUZ);
    EXPECT_TRUE(src->NodeObj(2).IsSupportXY());
    EXPECT_FALSE(src->NodeObj(1).IsSupportXY());
    EXPECT_TRUE(src->NodeObj(1).IsSupport());
    EXPECT_EQ(src->NodeIdGet("P2"), 3);
    EXPECT_EQ(src->NodeIdGet("p2"), 4);
    EXPECT_EQ(src->NodeIdGet("P3"), -1);
    EXPECT_EQ(src->ConstraintNum(), 0);
}

TEST_F(NodesRead, OnlyDiaphragmsAboutZOrAutomaticAxisAreRead) {
    read(R"("points": [)" + test::NodesLevel({"A", "B", "C", "D", "E"}, 1) + R"(], "constraints": [)" +
         Diaphragm("BODY", R"("A")", 3, 1) + ", " + Diaphragm("ABOUT-X", R"("B")", 1) + ", " +
         Diaphragm("ABOUT-Y", R"("C")", 2) + ", " + Diaphragm("AUTO", R"("D")", 4) + ", " +
         Diaphragm("ABOUT-Z", R"("E")") + ", " + Diaphragm("UNUSED", "") + "]");
    EXPECT_EQ(constraintLabels(), (Labels{"AUTO", "ABOUT-Z"}));
    EXPECT_EQ(src->ConstraintObj(1).id, 1);
    EXPECT_EQ(src->ConstraintObj(2).idSort, 2);
}

TEST_F(NodesRead, InPlaneRestraintDropsTheWholeDiaphragm) {
    read(R"("points": [)" + test::NodesPoint("A", 0, 0, 3) + ", " + test::NodesPoint("B", 1, 0, 3, "100000") + ", " +
         test::NodesPoint("C", 0, 0, 6) + ", " + test::NodesPoint("D", 1, 0, 6, "000001") + ", " +
         test::NodesPoint("E", 0, 0, 9, "001000") + ", " + test::NodesPoint("F", 1, 0, 9, "000110") +
         R"(], "constraints": [)" + Diaphragm("L3", R"("A", "B")") + ", " + Diaphragm("L6", R"("C", "D")") + ", " +
         Diaphragm("L9", R"("E", "F")") + "]");
    EXPECT_EQ(constraintLabels(), (Labels{"L9"}));
    EXPECT_EQ(constraintNodes(), (Lists{{"E", "F"}}));
    // The survivor is numbered after the removals.
    EXPECT_EQ(src->ConstraintObj(1).id, 1);
}

TEST_F(NodesRead, SharedNodeMergesSecondIntoFirstKeepingTheFirstsOrder) {
    read(R"("points": [)" + test::NodesLevel({"A", "B", "C", "D"}, 1) + R"(], "constraints": [)" +
         Diaphragm("D1", R"("A", "B", "C")") + ", " + Diaphragm("D2", R"("C", "D", "A")") + "]");
    EXPECT_EQ(constraintLabels(), (Labels{"D1"}));
    EXPECT_EQ(constraintNodes(), (Lists{{"A", "B", "C", "D"}}));
    // Nodes keep their references to the merged-away constraint, now empty.
    const TarvoNodeObj& a = src->NodeObj(1);
    ASSERT_EQ(a.ConstraintNum(), 2);
    EXPECT_EQ(a.ConstraintObj(1)->Label, "D1");
    EXPECT_EQ(a.ConstraintObj(2)->Label, "D2");
    EXPECT_EQ(a.ConstraintObj(2)->NodeNum(), 0);
}

TEST_F(NodesRead, ConstraintsOfOneSortAreTakenInFromTheLastOne) {
    read(R"("points": [)" + test::NodesLevel({"A", "X", "Y"}, 1) + R"(], "constraints": [)" +
         Diaphragm("D1", R"("A")") + ", " + Diaphragm("D2", R"("A", "X")") + ", " + Diaphragm("D3", R"("A", "Y")") +
         "]");
    EXPECT_EQ(constraintNodes(), (Lists{{"A", "Y", "X"}}));
}

TEST_F(NodesRead, ChainIsMergedOnlyAsFarAsTheSinglePassReaches) {
    // D2 is sorted with D1 through A; D3 is sorted with D2 (not D1) through B, so it
    // stays apart and B ends up in two constraints.
    read(R"("points": [)" + test::NodesLevel({"A", "B", "C"}, 1) + R"(], "constraints": [)" +
         Diaphragm("D1", R"("A")") + ", " + Diaphragm("D2", R"("A", "B")") + ", " + Diaphragm("D3", R"("B", "C")") +
         "]");
    EXPECT_EQ(constraintLabels(), (Labels{"D1", "D3"}));
    EXPECT_EQ(constraintNodes(), (Lists{{"A", "B"}, {"B", "C"}}));
    EXPECT_EQ(src->ConstraintObj(2).idSort, 2);
}

TEST_F(NodesRead, TheLastNodeToSortAConstraintDecides) {
    read(R"("points": [)" + test::NodesLevel({"A", "B", "C", "D"}, 1) + R"(], "constraints": [)" +
         Diaphragm("D1", R"("A", "C")") + ", " + Diaphragm("D2", R"("B", "D")") + ", " +
         Diaphragm("D3", R"("C", "B")") + "]");
    // B sorts D3 with D2, then C, later in node order, sorts it with D1.
    EXPECT_EQ(constraintLabels(), (Labels{"D1", "D2"}));
    EXPECT_EQ(constraintNodes(), (Lists{{"A", "C", "B"}, {"B", "D"}}));
}

TEST_F(NodesRead, UnknownPointInTheAssignmentsIsLeftOut) {
    auto h = std::make_unique<test::GhostPointHost>(R"("points": [)" + test::NodesLevel({"A"}, 1) +
                                                    R"(], "constraints": [)" + Diaphragm("D1", R"("A")") + ", " +
                                                    Diaphragm("D2", "") + "]");
    h->ghostsInAll = {{"GHOST", "D1"}, {"GHOST", "D2"}};
    read(std::move(h));
    EXPECT_EQ(constraintLabels(), (Labels{"D1"}));
    EXPECT_EQ(constraintNodes(), (Lists{{"A"}}));
}

TEST_F(NodesRead, MergingCountsIdsNotObjects) {
    // Large enough for the id index to be used, compared with a plain scan.
    std::vector<TarvoNodeObj> pool(200);
    for (std::size_t i = 0; i < pool.size(); ++i) pool[i].id = static_cast<std::int32_t>(i + 2);
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round) {
        TarvoConstraintObj a, b;
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        std::size_t na = 1 + pick(rng) % 60, nb = 1 + pick(rng) % 60;
        for (std::size_t k = 0; k < na; ++k) a.NodeAdd(&pool[pick(rng) % 120]);
        for (std::size_t k = 0; k < nb; ++k) b.NodeAdd(&pool[80 + pick(rng) % 120]);
        std::vector<TarvoNodeObj*> expect = a.Nodes;
        bool common = false;
        for (TarvoNodeObj* n : b.Nodes) {
            bool held = false;
            for (TarvoNodeObj* m : expect) held = held || m->id == n->id;
            for (TarvoNodeObj* m : a.Nodes) common = common || m->id == n->id;
            if (!held) expect.push_back(n);
        }
        EXPECT_EQ(a.ExistCommonNode(b), common);
        EXPECT_EQ(b.ExistCommonNode(a), common);
        a.MergeConstraintObj(b);
        if (common) {
            EXPECT_EQ(a.Nodes, expect);
            EXPECT_EQ(b.NodeNum(), 0);
        } else {
            EXPECT_EQ(b.NodeNum(), static_cast<int>(nb));
        }
    }

    // Another object with the same id is the same node; nothing is never found.
    TarvoConstraintObj c;
    for (std::size_t i = 0; i < 40; ++i) c.NodeAdd(&pool[i]);
    TarvoNodeObj twin;
    twin.id = pool[39].id;
    EXPECT_TRUE(c.FindNode(&twin));
    EXPECT_FALSE(c.FindNode(nullptr));
    c.NodeAdd(nullptr);
    EXPECT_EQ(c.NodeNum(), 40);
    // A node appended behind the operations' back is still found.
    c.Nodes.push_back(&pool[150]);
    EXPECT_TRUE(c.FindNode(&pool[150]));
}

TEST_F(NodesRead, RemoveSupportNodeKeepsTheOthersInOrder) {
    TarvoConstraintObj c;
    std::vector<TarvoNodeObj> n(5);
    for (std::size_t i = 0; i < n.size(); ++i) n[i].id = static_cast<std::int32_t>(i + 2);
    n[1].IsRestrained = kUX;
    n[2].IsRestrained = kUZ;
    n[4].IsRestrained = kRZ;
    for (TarvoNodeObj& x : n) c.NodeAdd(&x);
    c.RemoveSupportNode();
    EXPECT_EQ(c.Nodes, (std::vector<TarvoNodeObj*>{&n[0], &n[2], &n[3]}));
    EXPECT_FALSE(c.FindNode(&n[1]));
}

// ---------------------------------------------------------------------------------------
// Top and bottom nodes.

class TopBottom : public ::testing::Test {
protected:
    std::unique_ptr<host::DocumentHost> host = test::NodesHost();
    platform::RecordingPlatform plat;
    TarvoModelObj src{*host, plat, t2v::Units{}, {}};

    std::pair<std::string, std::string> pair() {
        src.FindTopBottomNodes();
        if (!src.NodeTopObj || !src.NodeBotObj) return {};
        return {src.NodeTopObj->Label, src.NodeBotObj->Label};
    }
    void node(const std::string& label, double x, double y, double z) {
        TarvoNodeObj& n = src.AddNode(label);
        n.x = x, n.y = y, n.z = z;
    }
};

using Pair = std::pair<std::string, std::string>;

TEST_F(TopBottom, OneNodeHasNoPair) {
    node("A", 0, 0, 0);
    EXPECT_EQ(pair(), Pair{});
    EXPECT_EQ(src.NodeTopObj, nullptr);
}

TEST_F(TopBottom, FlatModelPairsTheFirstNodeWithItself) {
    node("A", 5, 5, 2);
    node("B", 0, 0, 2 + 5e-7);  // within the level tolerance
    EXPECT_EQ(pair(), (Pair{"A", "A"}));
}

TEST_F(TopBottom, NearestPlanPairWithTiesToTheFirstTopThenFirstBottom) {
    node("B1", 3, 4, 0);   // 25 from T1
    node("B2", -5, 0, 0);  // 25 from T1
    node("B3", 0, 5, 0);   // 25 from T1
    node("M", 0, 0, 5);
    node("T1", 0, 0, 10);
    node("T2", 6, 8, 10);  // 25 from B1 too, but later
    EXPECT_EQ(pair(), (Pair{"T1", "B1"}));
}

TEST_F(TopBottom, LaterBottomWinsOnlyWhenStrictlyNearer) {
    node("B1", 100, 0, 0);
    node("B2", 0, 40, 0);
    node("B3", 1, 1, 0);
    node("T1", 0, 50, 10);
    node("T2", 0, 0, 10);
    EXPECT_EQ(pair(), (Pair{"T2", "B3"}));
}

TEST_F(TopBottom, PairFartherThanTenThousandUnitsIsNotFound) {
    node("B", 0, 0, 0);
    node("T", 10000, 0, 10);  // squared distance exactly 1e8
    EXPECT_EQ(pair(), Pair{});
    src.NodeObj(2).x = 9999.999;
    EXPECT_EQ(pair(), (Pair{"T", "B"}));
}

TEST_F(TopBottom, LargeRoofAndBaseWithNoNodeAboveAnother) {
    // 40000 base and 40000 roof nodes, the roof shifted off the base grid: every pair
    // must be weighed, which a search over all pairs would take seconds for.
    for (int k = 0; k < 40000; ++k) node("B" + std::to_string(k), k % 200, k / 200, 0);
    for (int k = 0; k < 40000; ++k) node("T" + std::to_string(k), k % 200 + 0.25, k / 200 + 0.5, 30);
    node("T-last", 150.1, 20.05, 30);  // the nearest, but not first
    EXPECT_EQ(pair(), (Pair{"T-last", "B4150"}));
}

// The grid search against the plain double loop, on grids that produce many ties and
// with the roof partly outside the base.
TEST_F(TopBottom, GridSearchAgreesWithThePlainLoop) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        TarvoModelObj m{*host, plat, t2v::Units{}, {}};
        const int nb = 1 + static_cast<int>(rng() % 60), nt = 1 + static_cast<int>(rng() % 60);
        const int span = 1 + static_cast<int>(rng() % 12);
        const double scale = (rng() % 2) ? 0.5 : 3.0;
        std::uniform_int_distribution<int> c(-span, span);
        auto add = [&](const std::string& l, double z) {
            TarvoNodeObj& n = m.AddNode(l);
            n.x = c(rng) * scale + ((rng() % 3 == 0) ? 40.0 : 0.0);
            n.y = (round % 7 == 0) ? 1.0 : c(rng) * scale;  // some bases on one line
            n.z = z;
        };
        for (int i = 0; i < nb + nt; ++i) add("N" + std::to_string(i), (rng() % 2) ? 0.0 : 9.0);
        m.FindTopBottomNodes();

        std::vector<TarvoNodeObj*> top, bot;
        for (TarvoNodeObj& n : m.Nodes) (n.z == 9.0 ? top : bot).push_back(&n);
        if (top.empty()) top = bot;
        if (bot.empty()) bot = top;
        double best = 1e8;
        TarvoNodeObj *bt = nullptr, *bb = nullptr;
        for (TarvoNodeObj* t : top)
            for (TarvoNodeObj* b : bot) {
                double d = (t->x - b->x) * (t->x - b->x) + (t->y - b->y) * (t->y - b->y);
                if (d < best) best = d, bt = t, bb = b;
            }
        ASSERT_EQ(m.NodeTopObj, bt) << "round " << round;
        ASSERT_EQ(m.NodeBotObj, bb) << "round " << round;
    }
}

}  // namespace
}  // namespace t2v::source
