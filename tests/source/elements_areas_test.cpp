// Areas: reading and splitting, node order, orientation and embedded beams.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "source/elements_host.h"

namespace t2v::source {
namespace {

using test::AreaTestHost;

class AreasTest : public ::testing::Test {
protected:
    AreaTestHost host;
    platform::RecordingPlatform platform;
    TarvoModelObj src{host, platform, Units{}, RecordsLocation{}};

    AreasTest() {
        host.sections["Shell"] = {1, 1};
        host.sections["Layered"] = {1, 6};
        host.sections["Membrane"] = {1, 5};
        host.sections["Plane"] = {2, 1};
    }

    TarvoNodeObj& node(const std::string& label, double x, double y, double z) {
        TarvoNodeObj& n = src.AddNode(label);
        n.x = x;
        n.y = y;
        n.z = z;
        return n;
    }
    void area(const std::string& name, const std::string& section, host::Names points) {
        host.areas.push_back({name, section, std::move(points)});
    }
    const TarvoNodeObj& nodeOf(const TarvoAreaObj& a, int i) {
        return src.NodeObj(a.idNodes[static_cast<std::size_t>(i)] - 1);
    }
    std::set<std::string> labelsOf(const TarvoAreaObj& a) { return {a.LabelNodes.begin(), a.LabelNodes.end()}; }
    // The corners of an area as (x, y, z) in stored order.
    std::vector<std::array<double, 3>> corners(const TarvoAreaObj& a) {
        std::vector<std::array<double, 3>> v;
        for (int i = 0; i < 4; ++i) v.push_back({nodeOf(a, i).x, nodeOf(a, i).y, nodeOf(a, i).z});
        return v;
    }
    TarvoPropMaterialObj& material(const std::string& label, int type) {
        TarvoPropMaterialObj& m = src.AddPropMat(label);
        m.MatType = type;
        return m;
    }
    TarvoPropAreaSectObj& thinShell(const std::string& label, TarvoPropMaterialObj* m, double thick) {
        TarvoPropAreaSectObj& s = src.AddPropAreaSect(label);
        s.PropType = 1;
        s.ShellType = 1;
        s.PropMatObj = m;
        s.Thick = thick;
        return s;
    }
    void readAll() {
        src.ReadAreas();
        src.LinkAreasToSections();
        src.ClassifyAreas();
        src.FindEmbeddedBeams();
    }
};

TEST_F(AreasTest, TriangleBecomesThreeQuadrilateralsAroundNewNodes) {
    node("P1", 0, 0, 0);
    node("P2", 3, 0, 0);
    node("P3", 0, 3, 0);
    area("T", "Shell", {"P1", "P2", "P3"});
    src.ReadAreas();

    ASSERT_EQ(src.AreaNum(), 3);
    ASSERT_EQ(src.NodeNum(), 7);
    // The running number starts at 1 and the four nodes take the next four numbers.
    const TarvoNodeObj* C = src.NodeObjGet("2NewNode");
    const TarvoNodeObj* M12 = src.NodeObjGet("3NewNode");
    const TarvoNodeObj* M23 = src.NodeObjGet("4NewNode");
    const TarvoNodeObj* M31 = src.NodeObjGet("5NewNode");
    ASSERT_TRUE(C && M12 && M23 && M31);
    EXPECT_DOUBLE_EQ(C->x, 1.0);
    EXPECT_DOUBLE_EQ(C->y, 1.0);
    EXPECT_DOUBLE_EQ(M12->x, 1.5);
    EXPECT_DOUBLE_EQ(M23->y, 1.5);
    EXPECT_DOUBLE_EQ(M31->y, 1.5);
    EXPECT_EQ(M31->id, 8);  // node ids start at 2: the three host points are 2..4
    EXPECT_FALSE(M31->IsSupport());

    const std::set<std::string> expected[3] = {{"P1", "3NewNode", "2NewNode", "5NewNode"},
                                               {"P2", "4NewNode", "2NewNode", "3NewNode"},
                                               {"P3", "5NewNode", "2NewNode", "4NewNode"}};
    for (int i = 1; i <= 3; ++i) {
        const TarvoAreaObj& a = src.AreaObj(i);
        EXPECT_EQ(a.Label, "T");
        EXPECT_EQ(a.PropAreaSectName, "Shell");
        EXPECT_EQ(a.NumNodes, 4);
        EXPECT_EQ(labelsOf(a), expected[i - 1]);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(src.NodeIdGet(a.LabelNodes[static_cast<std::size_t>(k)]), a.idNodes[static_cast<std::size_t>(k)]);
    }
    // (P1, M12, C, M31) in a level plane: the upper pair is turned to run like the lower.
    EXPECT_EQ(src.AreaObj(1).LabelNodes, (std::vector<std::string>{"P1", "3NewNode", "5NewNode", "2NewNode"}));
    EXPECT_EQ(src.AreasWithLabel("T").size(), 3u);
}

TEST_F(AreasTest, NeighbouringTrianglesShareTheirCommonMidSideNode) {
    node("P1", 0, 0, 0);
    node("P2", 2, 0, 0);
    node("P3", 0, 2, 0);
    node("P4", 2, 2, 0);
    area("T1", "Shell", {"P1", "P2", "P3"});
    area("T2", "Shell", {"P2", "P4", "P3"});
    src.ReadAreas();

    ASSERT_EQ(src.AreaNum(), 6);
    EXPECT_EQ(src.NodeNum(), 4 + 4 + 3);
    // T1's M23 (between P2 and P3) is T2's M31; T2's own nodes are numbered from 7.
    EXPECT_NE(src.NodeObjGet("4NewNode"), nullptr);
    EXPECT_NE(src.NodeObjGet("7NewNode"), nullptr);
    EXPECT_NE(src.NodeObjGet("9NewNode"), nullptr);
    EXPECT_EQ(src.NodeObjGet("10NewNode"), nullptr);
    int sharing = 0;
    for (int i = 4; i <= 6; ++i) sharing += static_cast<int>(labelsOf(src.AreaObj(i)).count("4NewNode"));
    EXPECT_EQ(sharing, 2);
}

TEST_F(AreasTest, ExistingNodesAreReusedFirstInTableOrderAndLabelsStayUnique) {
    node("P1", 0, 0, 0);
    node("P2", 3, 0, 0);
    node("P3", 0, 3, 0);
    node("2NewNode", 50, 50, 50);         // takes the label the centroid would get
    node("Mid", 1.5, 0, 0.0000005);       // within 1e-6 of M12
    node("NearFirst", 0, 1.5 + 4e-7, 0);  // both within 1e-6 of M31: the first wins
    node("Exact", 0, 1.5, 0);
    node("TooFar", 1.5, 1.5 + 1.2e-6, 0);  // just outside the tolerance of M23
    area("T", "Shell", {"P1", "P2", "P3"});
    src.ReadAreas();

    EXPECT_EQ(src.NodeNum(), 8 + 2);
    const TarvoNodeObj* C = src.NodeObjGet("3NewNode");
    ASSERT_NE(C, nullptr);
    EXPECT_DOUBLE_EQ(C->x, 1.0);
    ASSERT_NE(src.NodeObjGet("4NewNode"), nullptr);  // M23, a new node
    EXPECT_DOUBLE_EQ(src.NodeObjGet("4NewNode")->y, 1.5);
    EXPECT_EQ(src.NodeObjGet("5NewNode"), nullptr);
    EXPECT_TRUE(labelsOf(src.AreaObj(1)).count("Mid"));
    EXPECT_TRUE(labelsOf(src.AreaObj(1)).count("NearFirst"));
    EXPECT_FALSE(labelsOf(src.AreaObj(3)).count("Exact"));
}

TEST_F(AreasTest, CoordinateSearchFindsTheFirstNodeWithinTheToleranceLikeAScan) {
    // Points scattered around a few centres, on both sides of the tolerance and across
    // cell boundaries, compared with a plain scan of the table.
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> jitter(-1.6e-6, 1.6e-6);
    std::uniform_int_distribution<int> centre(0, 4), near(0, 2);
    auto point = [&] {
        // Near the borders of the index's cells (multiples of 1e-4), a few 1e-6 apart.
        const double c = 1e-4 * centre(rng) + 1e-6 * near(rng) + 1000.0;
        return std::array<double, 3>{c + jitter(rng), -c + jitter(rng), 0.5 + jitter(rng)};
    };
    for (int i = 0; i < 300; ++i) {
        auto p = point();
        node("N" + std::to_string(i), p[0], p[1], p[2]);
    }
    int reused = 0;
    for (int q = 0; q < 400; ++q) {
        auto p = point();
        int expected = 0;
        for (int i = 1; i <= src.NodeNum() && expected == 0; ++i) {
            const TarvoNodeObj& n = src.NodeObj(i);
            if (std::fabs(n.x - p[0]) < 1e-6 && std::fabs(n.y - p[1]) < 1e-6 && std::fabs(n.z - p[2]) < 1e-6)
                expected = i;
        }
        long k = 1;
        const int before = src.NodeNum();
        TarvoNodeObj& got = src.GetOrAddNewNode(k, p[0], p[1], p[2]);
        if (expected != 0) {
            ++reused;
            EXPECT_EQ(got.id, expected + 1) << "query " << q;
            EXPECT_EQ(src.NodeNum(), before);
        } else {
            EXPECT_EQ(src.NodeNum(), before + 1) << "query " << q;  // appended and searchable from now on
        }
    }
    EXPECT_GT(reused, 100);
    EXPECT_LT(reused, 400);
}

TEST_F(AreasTest, OnlyShellAndLayeredSectionsAndThreeOrFourCornersAreRead) {
    node("A", 0, 0, 0);
    node("B", 1, 0, 0);
    node("C", 1, 1, 0);
    node("D", 0, 1, 0);
    node("E", 0.5, 2, 0);
    area("Membrane", "Membrane", {"A", "B", "C", "D"});
    area("Plane", "Plane", {"A", "B", "C", "D"});
    area("Unknown", "Nowhere", {"A", "B", "C", "D"});
    area("Pentagon", "Shell", {"A", "B", "C", "E", "D"});
    area("Layered", "Layered", {"A", "B", "C", "D"});
    src.ReadAreas();
    ASSERT_EQ(src.AreaNum(), 1);
    EXPECT_EQ(src.AreaObj(1).Label, "Layered");
    EXPECT_EQ(src.NodeNum(), 5);
}

TEST_F(AreasTest, WallIsStoredBottomEdgeFirstWithBothEdgesRunningTheSameWay) {
    node("a", 0, 0, 0);
    node("b", 0, 0, 3);
    node("c", 4, 0, 3);
    node("d", 4, 0, 0);
    area("W", "Shell", {"a", "b", "c", "d"});
    src.ReadAreas();
    const TarvoAreaObj& w = src.AreaObj(1);
    EXPECT_EQ(w.LabelNodes, (std::vector<std::string>{"a", "d", "b", "c"}));
    EXPECT_EQ(corners(w), (std::vector<std::array<double, 3>>{{0, 0, 0}, {4, 0, 0}, {0, 0, 3}, {4, 0, 3}}));
    EXPECT_DOUBLE_EQ(src.AreaObjAreaGet(w), 12.0);
}

TEST_F(AreasTest, CornerThatNamesNoPointIsAnErrorNamingTheArea) {
    node("a", 0, 0, 0);
    node("b", 1, 0, 0);
    area("Bad", "Shell", {"a", "b", "ghost"});
    try {
        src.ReadAreas();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Bad"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("ghost"), std::string::npos);
    }
}

TEST_F(AreasTest, OrientationAtTheFiveAndEightyFiveDegreeLimits) {
    // Unit rectangles tilted about the x axis by the given angle (degrees).
    const double deg = std::acos(-1.0) / 180.0;
    const double tilts[] = {0.0, 4.99, 5.0, 45.0, 84.99, 85.0, 90.0};
    for (double t : tilts) {
        const std::string n = std::to_string(t);
        const double c = std::cos(t * deg), s = std::sin(t * deg);
        node(n + "a", 0, 0, 0);
        node(n + "b", 1, 0, 0);
        node(n + "c", 1, c, s);
        node(n + "d", 0, c, s);
        area(n, "Shell", {n + "a", n + "b", n + "c", n + "d"});
    }
    src.ReadAreas();
    src.ClassifyAreas();
    // 5 degrees exactly is no longer a slab, and 85 degrees exactly is already a wall:
    // the limits are taken with the circle constant 3.1415926.
    const int expected[] = {2, 2, 3, 3, 3, 1, 1};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(src.AreaObj(i + 1).Orientation, expected[i]) << tilts[i];
}

class EmbeddedBeamsTest : public AreasTest {
protected:
    // A vertical wall in the plane y = y0, `w` wide and `h` high, corners named from `n`.
    void wall(const std::string& n, const std::string& section, double y0, double w, double h) {
        node(n + "1", 0, y0, 0);
        node(n + "2", w, y0, 0);
        node(n + "3", w, y0, h);
        node(n + "4", 0, y0, h);
        area(n, section, {n + "1", n + "2", n + "3", n + "4"});
    }
};

TEST_F(EmbeddedBeamsTest, WallMeetingAFrameGetsASectionOverHalfItsHeight) {
    TarvoPropMaterialObj& conc = material("C30", 2);
    thinShell("Shell", &conc, 0.3);
    wall("W", "Shell", 0, 4, 6);
    host.connectivity["W1"] = {5, 2};  // the wall itself and a frame
    readAll();

    const TarvoAreaObj& w = src.AreaObj(1);
    EXPECT_EQ(w.Orientation, 1);
    EXPECT_EQ(w.IsEmbed, (std::array<bool, 4>{true, false, false, false}));
    ASSERT_EQ(src.PropEmbedFrameSectNum(), 1);
    const TarvoPropFrameSectObj& e = src.PropEmbedFrameSectObj(1);
    EXPECT_EQ(w.EmbedFrameObj, &e);
    EXPECT_DOUBLE_EQ(e.t2, 0.3);
    EXPECT_DOUBLE_EQ(e.t3, 3.0);
    EXPECT_NEAR(e.I33, 0.675, 1e-12);
    EXPECT_EQ(e.Label, "1");
    EXPECT_EQ(e.PropType, 8);
    EXPECT_DOUBLE_EQ(e.area, 0.001);
    EXPECT_DOUBLE_EQ(e.I22, 0.001);
    EXPECT_DOUBLE_EQ(e.As2, 0.0);
    EXPECT_DOUBLE_EQ(e.TorsionConst, 0.0001);
    EXPECT_EQ(e.PropMatName, "C30");
    EXPECT_EQ(e.PropMatObj, &conc);
}

TEST_F(EmbeddedBeamsTest, EqualWallsShareOneSectionWhichTakesTheLatestLabel) {
    TarvoPropMaterialObj& conc = material("C30", 2);
    TarvoPropMaterialObj& other = material("C40", 2);
    thinShell("Shell", &conc, 0.3);
    thinShell("Shell2", &other, 0.3);
    thinShell("Near", &conc, 0.3 + 5e-7);
    thinShell("Apart", &conc, 0.3 + 2e-6);
    thinShell("Between", &conc, 0.3 + 1.25e-6);
    for (const char* n : {"Shell2", "Near", "Apart", "Between"}) host.sections[n] = {1, 1};
    // Walls 2 high: t3 = 1 and I33 = t / 12, so only the thickness tells them apart.
    wall("A", "Shell", 0, 4, 2);
    wall("B", "Shell", 10, 2, 2);
    wall("C", "Shell2", 20, 4, 2);
    wall("D", "Near", 30, 4, 2);     // within 1e-6 of A's section
    wall("E", "Apart", 40, 4, 2);    // 1.5e-6 from it once D has moved it
    wall("F", "Between", 50, 4, 2);  // within 1e-6 of both: the first section wins
    for (const char* n : {"A2", "B3", "C1", "D1", "E1", "F1"}) host.connectivity[n] = {2};
    readAll();

    ASSERT_EQ(src.PropEmbedFrameSectNum(), 3);
    const TarvoPropFrameSectObj& first = src.PropEmbedFrameSectObj(1);
    EXPECT_EQ(src.AreaObj(1).EmbedFrameObj, &first);
    EXPECT_EQ(src.AreaObj(2).EmbedFrameObj, &first);
    EXPECT_EQ(src.AreaObj(3).EmbedFrameObj, &src.PropEmbedFrameSectObj(2));  // another material
    EXPECT_EQ(src.AreaObj(4).EmbedFrameObj, &first);
    EXPECT_EQ(src.AreaObj(5).EmbedFrameObj, &src.PropEmbedFrameSectObj(3));
    EXPECT_EQ(src.AreaObj(6).EmbedFrameObj, &first);
    EXPECT_EQ(first.Label, "6");
    EXPECT_DOUBLE_EQ(first.t2, 0.3 + 1.25e-6);
    EXPECT_DOUBLE_EQ(first.t3, 1.0);
}

TEST_F(EmbeddedBeamsTest, OnlyWallsOfShellOrClassifiedLayersGetSections) {
    TarvoPropMaterialObj& conc = material("C30", 2);
    TarvoPropMaterialObj& rebar = material("R", 6);
    thinShell("Shell", &conc, 0.25);
    thinShell("NoMat", nullptr, 0.25);
    TarvoPropAreaSectObj& layered = src.AddPropAreaSect("Layered");
    layered.PropType = 1;
    layered.ShellType = 6;
    layered.LayerVantraType = 3;
    layered.LayerVantraThick = 0.2;
    layered.LayerPropMatConcObj = &conc;
    layered.LayerPropMatRebarObj = &rebar;
    TarvoPropAreaSectObj& steelOnly = src.AddPropAreaSect("SteelLayers");
    steelOnly.PropType = 1;
    steelOnly.ShellType = 6;
    steelOnly.LayerVantraType = 0;
    host.sections["NoMat"] = {1, 1};
    host.sections["SteelLayers"] = {1, 6};

    wall("L", "Layered", 0, 4, 3);
    wall("N", "NoMat", 10, 4, 3);
    wall("S", "SteelLayers", 20, 4, 3);
    wall("Q", "Shell", 30, 4, 3);  // no frame at any corner
    node("s1", 0, 0, 5);
    node("s2", 4, 0, 5);
    node("s3", 4, 4, 5);
    node("s4", 0, 4, 5);
    area("Slab", "Shell", {"s1", "s2", "s3", "s4"});
    for (const char* n : {"L3", "L4", "N1", "S1", "s1"}) host.connectivity[n] = {2};
    readAll();

    ASSERT_EQ(src.PropEmbedFrameSectNum(), 1);
    const TarvoPropFrameSectObj& e = src.PropEmbedFrameSectObj(1);
    EXPECT_EQ(src.AreaObj(1).EmbedFrameObj, &e);
    EXPECT_EQ(src.AreaObj(1).IsEmbed, (std::array<bool, 4>{false, false, true, true}));
    EXPECT_DOUBLE_EQ(e.t2, 0.2);
    EXPECT_DOUBLE_EQ(e.t3, 1.5);
    for (int i = 2; i <= 5; ++i) EXPECT_EQ(src.AreaObj(i).EmbedFrameObj, nullptr) << i;
    EXPECT_TRUE(src.AreaObj(2).IsEmbed[0]);  // flags are set whatever the section
    EXPECT_TRUE(src.AreaObj(5).IsEmbed[0]);
    EXPECT_EQ(src.AreaObj(5).Orientation, 2);
}

TEST_F(EmbeddedBeamsTest, EachPointIsAskedForItsConnectionsOnce) {
    TarvoPropMaterialObj& conc = material("C30", 2);
    thinShell("Shell", &conc, 0.3);
    // Three triangles around one point: the centre point and the shared mid-side
    // nodes belong to several areas.
    node("O", 0, 0, 0);
    node("A", 2, 0, 0);
    node("B", 0, 0, 2);
    node("C", -2, 0, 0);
    area("T1", "Shell", {"O", "A", "B"});
    area("T2", "Shell", {"O", "B", "C"});
    host.connectivity["O"] = {2, 5, 5};
    readAll();
    EXPECT_EQ(src.AreaNum(), 6);
    for (const auto& [label, asked] : host.connectivityAsked) EXPECT_EQ(asked, 1) << label;
    EXPECT_EQ(host.connectivityAsked.size(), static_cast<std::size_t>(src.NodeNum()));
}

TEST_F(EmbeddedBeamsTest, ManyTrianglesReadInLinearTime) {
    // 100 x 100 squares, each split into two triangles: 20,000 triangles. A scan of all
    // nodes per new node would take minutes; the cell index takes well under a second.
    const int n = 100;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) node("p" + std::to_string(i) + "_" + std::to_string(j), i, j, 0);
    auto p = [](int i, int j) { return "p" + std::to_string(i) + "_" + std::to_string(j); };
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            area("a" + p(i, j), "Shell", {p(i, j), p(i + 1, j), p(i, j + 1)});
            area("b" + p(i, j), "Shell", {p(i + 1, j), p(i + 1, j + 1), p(i, j + 1)});
        }
    src.ReadAreas();
    EXPECT_EQ(src.AreaNum(), 6 * n * n);
    // New nodes: one centroid per triangle and one per distinct edge (3n² + 2n).
    EXPECT_EQ(src.NodeNum(), (n + 1) * (n + 1) + 2 * n * n + 3 * n * n + 2 * n);
}

}  // namespace
}  // namespace t2v::source
