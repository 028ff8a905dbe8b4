// A model of the size the transfer is built for: 10^5 points on 100 floors, 10^5
// diaphragm assignments and 100 groups. Checks the results; the time is printed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "platform/recording/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "source/nodes_stub_host.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

TEST(NodesLarge, HundredThousandPointsDiaphragmsAndGroups) {
    constexpr int kFloors = 100, kPerFloor = 1000, kRow = 40;
    test::NodesStubHost host;
    host.points.reserve(kFloors * kPerFloor);
    for (int f = 0; f < kFloors; ++f)
        for (int k = 0; k < kPerFloor; ++k) {
            // The roof is shifted half a bay so that no roof node stands over a base node.
            const double shift = f == kFloors - 1 ? 0.5 : 0.0;
            std::array<bool, 6> r{};
            if (f == 0) r = {true, true, true, false, false, false};
            host.point("P" + std::to_string(f) + "-" + std::to_string(k), k % kRow + shift, k / kRow + shift,
                       3.0 * f, r);
        }
    auto name = [](int f, int k) { return "P" + std::to_string(f) + "-" + std::to_string(k); };
    for (int f = 0; f < kFloors; ++f) {
        if (f % 2 == 0) {
            host::Names pts;
            for (int k = 0; k < kPerFloor; ++k) pts.push_back(name(f, k));
            host.diaphragm("F" + std::to_string(f), std::move(pts));
        } else {
            // Ten diaphragms, each sharing a node with the one before it.
            for (int d = 0; d < 10; ++d) {
                host::Names pts;
                if (d > 0) pts.push_back(name(f, 100 * d - 1));
                for (int k = 100 * d; k < 100 * d + 100; ++k) pts.push_back(name(f, k));
                host.diaphragm("F" + std::to_string(f) + "-" + std::to_string(d), std::move(pts));
            }
        }
    }
    for (int g = 0; g < 100; ++g) {
        test::NodesStubHost::Group grp{"G" + std::to_string(g), {}, {}};
        for (int k = 0; k < kPerFloor; ++k) {
            grp.types.push_back(host::kPointObject);
            grp.names.push_back(name(g, k));
        }
        host.groups.push_back(std::move(grp));
    }

    platform::RecordingPlatform plat;
    source::TarvoModelObj src{host, plat, t2v::Units{}, {}};
    VantraModel m;
    FillContext c{src, m, host, plat};

    const auto start = std::chrono::steady_clock::now();
    src.ReadNodes();
    src.ReadConstraints();
    src.FindTopBottomNodes();
    InitVantraModel(m);
    FillVantraNodes(c);
    FillVantraConstraints(c);
    FillVantraFrames(c);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ figure   ] read + fill of 10^5 points, 10^5 assignments, 100 groups: %.3f s\n", seconds);

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
