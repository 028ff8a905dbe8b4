// Areas read from a model document: the host answers section kinds, corner points and
// the objects met at each point as the document says.
#include <gtest/gtest.h>

#include "host/document/DocumentHost.h"
#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"

namespace t2v::source {
namespace {

constexpr const char* kDocument = R"({
  "format": "tarvo-model", "version": 1,
  "materials": [ { "name": "C30", "type": 2, "weight": 25 } ],
  "frame_sections": [ { "name": "COL", "type": 8, "material": "C30" } ],
  "area_sections": [
    { "name": "W30", "type": 1, "shell_type": 1, "material": "C30", "thickness": 0.3, "bending_thickness": 0.3 },
    { "name": "MEM", "type": 1, "shell_type": 5, "material": "C30", "thickness": 0.2 }
  ],
  "points": [
    { "name": "a", "x": 0, "y": 0, "z": 0 }, { "name": "b", "x": 0, "y": 0, "z": 3 },
    { "name": "c", "x": 4, "y": 0, "z": 3 }, { "name": "d", "x": 4, "y": 0, "z": 0 },
    { "name": "e", "x": 0, "y": 0, "z": -3 },
    { "name": "t1", "x": 10, "y": 0, "z": 0 }, { "name": "t2", "x": 13, "y": 0, "z": 0 },
    { "name": "t3", "x": 10, "y": 3, "z": 0 }, { "name": "t4", "x": 13, "y": 3, "z": 0 }
  ],
  "frames": [ { "name": "F1", "section": "COL", "i": "e", "j": "a" } ],
  "areas": [
    { "name": "W", "section": "W30", "points": ["a", "b", "c", "d"] },
    { "name": "M", "section": "MEM", "points": ["t1", "t2", "t4", "t3"] },
    { "name": "T1", "section": "W30", "points": ["t1", "t2", "t3"] },
    { "name": "T2", "section": "W30", "points": ["t2", "t4", "t3"] }
  ]
})";

TEST(AreasFromDocument, WallsAndTrianglesAreReadOrderedClassifiedAndSearchedForFrames) {
    auto host = host::DocumentHost::FromText(kDocument, "areas.json");
    platform::RecordingPlatform platform;
    TarvoModelObj src(*host, platform, Units{}, RecordsLocation{});

    // The objects the earlier read steps give the area steps: the points as nodes,
    // the material and the thin shell section.
    host::Names points;
    host->GetPointNameList(points);
    for (const std::string& p : points) {
        TarvoNodeObj& n = src.AddNode(p);
        host->GetPointCoordinates(p, "Global", n.x, n.y, n.z);
    }
    TarvoPropMaterialObj& conc = src.AddPropMat("C30");
    conc.MatType = 2;
    TarvoPropAreaSectObj& w30 = src.AddPropAreaSect("W30");
    w30.PropType = 1;
    w30.ShellType = 1;
    w30.PropMatObj = &conc;
    w30.Thick = 0.3;

    src.ReadAreas();
    src.LinkAreasToSections();
    src.ClassifyAreas();
    src.FindEmbeddedBeams();

    ASSERT_EQ(src.AreaNum(), 1 + 6);  // the membrane is not transferred
    const TarvoAreaObj& w = src.AreaObj(1);
    EXPECT_EQ(w.LabelNodes, (std::vector<std::string>{"a", "d", "b", "c"}));
    EXPECT_EQ(w.PropAreaSectObj, &w30);
    EXPECT_EQ(w.Orientation, 1);
    EXPECT_EQ(w.IsEmbed, (std::array<bool, 4>{true, false, false, false}));
    ASSERT_NE(w.EmbedFrameObj, nullptr);
    EXPECT_DOUBLE_EQ(w.EmbedFrameObj->t3, 1.5);
    EXPECT_NEAR(w.EmbedFrameObj->I33, 0.3 * 1.5 * 1.5 * 1.5 / 12, 1e-12);

    EXPECT_EQ(src.NodeNum(), 9 + 7);  // two triangles share one mid-side node
    for (int i = 2; i <= 7; ++i) {
        EXPECT_EQ(src.AreaObj(i).Orientation, 2);
        EXPECT_EQ(src.AreaObj(i).EmbedFrameObj, nullptr);
    }
    EXPECT_EQ(src.AreasWithLabel("T2").size(), 3u);
    EXPECT_EQ(src.PropEmbedFrameSectNum(), 1);
}

}  // namespace
}  // namespace t2v::source
