// A document saved through the host interface holds everything the transfer reads: it
// transfers to the bytes of the original, and saving it again gives the same text.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "host/document/DocumentHost.h"
#include "host/writer/SaveModelDocument.h"
#include "AutomationSupport.h"
#include "support/DocumentFile.h"

namespace t2v::host {
namespace {

std::string Save(TarvoHost& host) {
    std::ostringstream out;
    SaveModelDocument(host, out);
    return out.str();
}

void ExpectRoundTrip(const std::string& path) {
    auto original = t2v::test::LoadDocumentFile(path);
    const std::string saved = Save(*original);
    test::TempDir dir;
    const std::string savedPath = dir / "saved.json";
    test::WriteText(savedPath, saved);

    auto reloaded = t2v::test::LoadDocumentFile(savedPath);  // valid JSON, a valid document
    EXPECT_EQ(Save(*reloaded), saved);

    auto a = test::RunTransferFile(path, "R");
    auto b = test::RunTransferFile(savedPath, "R");
    ASSERT_TRUE(a->written);
    ASSERT_TRUE(b->written);
    const auto filesA = test::TransferOutput(*a);
    const auto filesB = test::TransferOutput(*b);
    ASSERT_EQ(filesA.size(), filesB.size());
    for (const auto& [file, bytes] : filesA) {
        ASSERT_TRUE(filesB.count(file)) << file;
        EXPECT_TRUE(bytes == filesB.at(file)) << file << " differs";
    }
}

TEST(SaveModelDocument, ExampleBuildingRoundTrips) { ExpectRoundTrip(test::ExampleBuilding()); }

TEST(SaveModelDocument, GeneratedBuildingRoundTrips) { ExpectRoundTrip(test::GeneratedBuilding()); }

TEST(SaveModelDocument, KeepsEveryKindOfValueExactly) {
    // Values the example buildings do not hold: awkward names, shortest-form numbers,
    // a negative zero, every function kind, anisotropic moduli and a variable section.
    const std::string doc = R"({"format": "tarvo-model", "version": 1, "units": 3,
      "materials": [{"name": "M \"1\"\\\u00e9", "type": 1, "symmetry": 2, "weight": 0.1, "mass": -0.0,
                     "anisotropic": {"E": [1, 2, 3], "U": [1,2,3,4,5,6,7,8,9,10,11,12,13,14,15],
                                     "A": [1e-300, 2, 3, 4, 5], "G": [1, 2, 3.0000000000000004]}},
                    {"name": "R", "type": 6, "symmetry": 3, "uniaxial": {"E": 29000}, "stress_strain": []}],
      "frame_sections": [{"name": "A", "type": 1, "material": "R"}, {"name": "V", "type": 14, "segments": ["A", "A"]},
                         {"name": "N"}],
      "area_sections": [{"name": "P", "type": 2, "shell_type": 3}],
      "points": [{"name": "p q \u00fc", "x": 0.1, "y": 0.2, "z": 0.30000000000000004, "restraints": [1,0,1,0,1,0]}],
      "functions": [{"name": "RS", "type": 1},
                    {"name": "U", "type": 2, "kind": 1, "times": [0, 0.5], "values": [1, -1]},
                    {"name": "S", "type": 2, "kind": 2, "period": 1, "steps_per_cycle": 8, "cycles": 2, "amplitude": 3},
                    {"name": "C", "type": 2, "kind": 3, "period": 1, "steps_per_cycle": 8, "cycles": 2, "amplitude": 3},
                    {"name": "Ra", "type": 2, "kind": 4, "ramp_time": 1, "amplitude": 2, "max_time": 3},
                    {"name": "Tz", "type": 2, "kind": 5, "period": 4, "ramp_time": 1, "amplitude": 2, "cycles": 1},
                    {"name": "Tr", "type": 2, "kind": 6, "period": 4, "amplitude": 2, "cycles": 1},
                    {"name": "UP", "type": 2, "kind": 7, "cycles": 3, "times": [0, 1], "values": [0, 1]},
                    {"name": "F", "type": 2, "kind": 0, "file": "/records/eq.txt", "header_lines": 2, "dt": 0.02,
                     "free_format": false}]})";
    auto host = DocumentHost::FromText(doc, "doc.json");
    const std::string saved = Save(*host);
    auto reloaded = DocumentHost::FromText(saved, "saved.json");
    EXPECT_EQ(Save(*reloaded), saved);

    const auto& m = reloaded->model().materials[0];
    EXPECT_EQ(m.name, "M \"1\"\\\xc3\xa9");
    EXPECT_TRUE(std::signbit(m.mass));
    EXPECT_EQ(m.aniG[2], 3.0000000000000004);
    EXPECT_EQ(m.aniA[0], 1e-300);
    EXPECT_TRUE(reloaded->model().materials[1].hasCurve);
    EXPECT_EQ(reloaded->model().points[0].name, "p q \xc3\xbc");
    EXPECT_NE(saved.find("\"file\": \"/records/eq.txt\""), std::string::npos);
    EXPECT_NE(saved.find("\"z\": 0.30000000000000004"), std::string::npos);
    // A section without type or material keeps its failing queries.
    EXPECT_NE(saved.find("{\"name\": \"N\", \"rebar_type\": 0}"), std::string::npos);
}

// A host may answer what no document can hold; the save stops with the object's name.
class InfiniteHost : public DocumentHost {
public:
    using DocumentHost::DocumentHost;
    int GetPointCoordinates(const std::string&, const std::string&, double& x, double& y, double& z) override {
        x = y = 0;
        z = INFINITY;
        return 0;
    }
};

TEST(SaveModelDocument, RefusesNumbersADocumentCannotHold) {
    auto loaded = DocumentHost::FromText(
        R"({"format": "tarvo-model", "version": 1, "points": [{"name": "P1", "x": 0, "y": 0, "z": 0}]})", "d.json");
    InfiniteHost host(loaded->model());
    std::ostringstream out;
    try {
        SaveModelDocument(host, out);
        ADD_FAILURE() << "saved";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "point \"P1\": z is not a finite number");
    }
}

}  // namespace
}  // namespace t2v::host
