// A model of the size the transfer is built for: 10^5 points on 100 floors, 10^5
// diaphragm assignments and 100 groups. Checks the results; the time is printed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "source/nodes_documents.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

TEST(NodesLarge, HundredThousandPointsDiaphragmsAndGroups) {
    constexpr int kFloors = 100, kPerFloor = 1000, kRow = 40;
    auto name = [](int f, int k) { return "P" + std::to_string(f) + "-" + std::to_string(k); };
    auto quoted = [&](int f, int k) { return "\"" + name(f, k) + "\""; };
    std::string doc;
    doc.reserve(16 << 20);
    doc += R"("points": [)";
    for (int f = 0; f < kFloors; ++f)
        for (int k = 0; k < kPerFloor; ++k) {
            // The roof is shifted half a bay so that no roof node stands over a base node.
            const double shift = f == kFloors - 1 ? 0.5 : 0.0;
            doc += (f || k ? ", " : "") + test::NodesPoint(name(f, k), k % kRow + shift, k / kRow + shift, 3.0 * f,
                                                           f == 0 ? "111000" : "000000");
        }
    doc += R"(], "constraints": [)";
    bool first = true;
    auto diaphragm = [&](const std::string& label, const std::string& points) {
        doc += (first ? "" : ", ") + std::string(R"({"name": ")") + label + R"(", "type": 2, "axis": 4, "points": [)" +
               points + "]}";
        first = false;
    };
    for (int f = 0; f < kFloors; ++f) {
        if (f % 2 == 0) {
            std::string pts;
            for (int k = 0; k < kPerFloor; ++k) pts += (k ? ", " : "") + quoted(f, k);
            diaphragm("F" + std::to_string(f), pts);
        } else {
            // Ten diaphragms, each sharing a node with the one before it.
            for (int d = 0; d < 10; ++d) {
                std::string pts = d > 0 ? quoted(f, 100 * d - 1) + ", " : "";
                for (int k = 100 * d; k < 100 * d + 100; ++k) pts += (k > 100 * d ? ", " : "") + quoted(f, k);
                diaphragm("F" + std::to_string(f) + "-" + std::to_string(d), pts);
            }
        }
    }
    doc += R"(], "groups": [)";
    for (int g = 0; g < 100; ++g) {
        doc += (g ? ", " : "") + std::string(R"({"name": "G)") + std::to_string(g) + R"(", "points": [)";
        for (int k = 0; k < kPerFloor; ++k) doc += (k ? ", " : "") + quoted(g, k);
        doc += "]}";
    }
    doc += "]";
    auto loadStart = std::chrono::steady_clock::now();
    auto host = test::NodesHost(doc);
    const double loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();

    platform::RecordingPlatform plat;
    source::TarvoModelObj src{*host, plat, t2v::Units{}, {}};
    VantraModel m;
    FillContext c{src, m, *host, plat};

    const auto start = std::chrono::steady_clock::now();
    src.ReadNodes();
    src.ReadConstraints();
    src.FindTopBottomNodes();
    InitVantraModel(m);
    FillVantraNodes(c);
    FillVantraConstraints(c);
    FillVantraFrames(c);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "[ figure   ] 10^5 points, 10^5 diaphragm assignments, 100 groups: document %.3f s, "
        "read + fill %.3f s\n",
        loadSeconds, seconds);

    // Floor 0 is restrained in plane and loses its diaphragm; even floors keep one of
    // 1000 nodes; on odd floors the single pass joins only the second diaphragm to
    // the first: each later one is sorted with its predecessor, which leads no group.
    EXPECT_EQ(src.ConstraintNum(), 49 + 50 * 9);
    EXPECT_EQ(m.ConstraintTable.count(), 499);
    EXPECT_EQ(src.ConstraintObj(1).Label, "F1-0");
    EXPECT_EQ(src.ConstraintObj(1).NodeNum(), 200);
    EXPECT_EQ(src.ConstraintObj(2).Label, "F1-2");
    EXPECT_EQ(src.ConstraintObj(2).NodeNum(), 101);
    EXPECT_EQ(src.ConstraintObj(10).Label, "F2");
    EXPECT_EQ(src.ConstraintObj(10).NodeNum(), 1000);
    EXPECT_EQ(m.NodeTable.count(), kFloors * kPerFloor + 1);
    EXPECT_EQ(m.NodeTable.rec(2 + kPerFloor).getI16(34), 1);  // first node of floor 1
    EXPECT_EQ(m.FrameTable.count(), 100);
    EXPECT_EQ(m.FrameNodeMembers.size(), 100u * kPerFloor);

    // Nearest roof/base pair: half a bay off in both directions, first roof node first.
    ASSERT_NE(src.NodeTopObj, nullptr);
    EXPECT_EQ(src.NodeTopObj->Label, name(kFloors - 1, 0));
    EXPECT_EQ(src.NodeBotObj->Label, name(0, 0));
}

}  // namespace
}  // namespace t2v::target
