#include <gtest/gtest.h>

#include <cmath>

#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "source/nodes_documents.h"

namespace t2v::source {
namespace {

class NodesGeometry : public ::testing::Test {
protected:
    std::unique_ptr<host::DocumentHost> host = test::NodesHost();
    platform::RecordingPlatform plat;
    TarvoModelObj src{*host, plat, t2v::Units{}, {}};

    std::int32_t node(double x, double y, double z) {
        TarvoNodeObj& n = src.AddNode("N" + std::to_string(src.NodeNum() + 1));
        n.x = x, n.y = y, n.z = z;
        return n.id;
    }
    TarvoFrameObj& frame(double dx, double dy, double dz) {
        TarvoFrameObj& f = src.AddFrame("F" + std::to_string(src.FrameNum() + 1));
        f.NodeI = node(0, 0, 0);
        f.NodeJ = node(dx, dy, dz);
        return f;
    }
    // A unit-length frame whose vertical direction cosine is r.
    std::int32_t orientation(double r) { return src.FrameOrientationGet(frame(std::sqrt(1 - r * r), 0, r)); }
};

TEST_F(NodesGeometry, AreaOfTheStoredNodeOrder) {
    TarvoAreaObj& a = src.AddArea("A1");
    a.RedimJoint(4);
    a.idNodes = {node(0, 0, 0), node(1, 0, 0), node(0, 1, 0), node(1, 1, 0)};
    EXPECT_DOUBLE_EQ(src.AreaObjAreaGet(a), 1.0);

    // A wall: full area 2 x 3, nothing in plan.
    TarvoAreaObj& w = src.AddArea("W1");
    w.RedimJoint(4);
    w.idNodes = {node(0, 0, 0), node(2, 0, 0), node(0, 0, 3), node(2, 0, 3)};
    EXPECT_DOUBLE_EQ(src.AreaObjAreaGet(w), 6.0);
    EXPECT_DOUBLE_EQ(src.AreaObjAreaGet(w, true), 0.0);

    TarvoAreaObj& t = src.AddArea("T1");
    t.RedimJoint(3);
    t.idNodes = {node(0, 0, 0), node(1, 0, 0), node(0, 1, 0)};
    EXPECT_EQ(src.AreaObjAreaGet(t), 0.0);
}

TEST_F(NodesGeometry, LengthAndPlanLength) {
    TarvoFrameObj& f = frame(3, 4, 12);
    EXPECT_DOUBLE_EQ(src.FrameObjLengthGet(f), 13.0);
    EXPECT_DOUBLE_EQ(src.FrameObjLengthGet(f, true), 5.0);
}

// The thresholds are the cosines of 15.7/180 and 266.9/180 radians, which differ from
// cos 5 and cos 85 degrees in the sixth and fourth decimal.
TEST_F(NodesGeometry, OrientationThresholds) {
    EXPECT_EQ(orientation(1.0), 1);
    EXPECT_EQ(orientation(0.99620), 1);
    EXPECT_EQ(orientation(0.996196), 3);  // above cos 5 degrees, below the threshold
    EXPECT_EQ(orientation(0.5), 3);
    EXPECT_EQ(orientation(0.0875), 2);  // above cos 85 degrees, below the threshold
    EXPECT_EQ(orientation(0.0880), 3);
    EXPECT_EQ(orientation(0.0), 2);
    EXPECT_EQ(orientation(-1.0), 1);
}

}  // namespace
}  // namespace t2v::source
