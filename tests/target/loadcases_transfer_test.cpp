// Records and load cases in whole transfers of model documents.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/Transfer.h"

namespace t2v {
namespace {

std::string textAt(const std::vector<std::uint8_t>& b, std::size_t off, std::size_t n) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(off), b.begin() + static_cast<std::ptrdiff_t>(off + n));
}

TEST(LoadcasesTransfer, FunctionsAndCasesOfADocument) {
    test::TempDir files;
    test::WriteText(files / "quake.txt", "2 header\nlines\n$ comment\n>> 0.0 0.0\n>> 0.1 -0.2\n>> 0.2 0.1\n");
    const std::string doc = R"({"format": "tarvo-model", "version": 1,
        "points": [{"name": "A", "x": 0, "y": 0, "z": 0}],
        "functions": [
            {"name": "Quake", "type": 2, "kind": 0, "file": "quake.txt", "header_lines": 2, "prefix_chars": 3,
             "points_per_line": 1, "value_type": 2, "free_format": true, "field_width": 10, "dt": 0.1},
            {"name": "EQ/Y", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 0.5]}],
        "load_cases": [
            {"name": "Push", "type": 2, "load_application": {"load_control": 2, "monitored_dof": 2},
             "loads": [{"type": "Accel", "name": "UY", "scale": 1}]},
            {"name": "TH", "type": 8, "output_steps": 10, "step_size": 0.1,
             "damping": {"code": 1, "values": [0, 0]},
             "loads": [{"type": "Accel", "name": "U1", "function": "Quake", "scale": 9.81},
                       {"type": "Accel", "name": "U2", "function": "EQ/Y", "scale": 4.905, "time_factor": 2}]}]})";
    auto r = test::RunTransfer(doc, "Test", files.path());
    ASSERT_TRUE(r->written);

    const std::string records = r->home() + "/Records/EqkeGroup";
    const auto quake = test::ReadBytes(records + "/Quake");
    ASSERT_EQ(quake.size(), 56u + 8u * 4u);
    EXPECT_EQ(textAt(quake, 0, 24), "EarthquakeRecord: Quake ");
    EXPECT_EQ(test::ReadBytes(records + "/EQ_Y").size(), 56u + 8u * 3u);
    EXPECT_FALSE(std::filesystem::exists(records + "/EQ"));

    const auto l = test::ReadBytes(r->structureDir() + "/VNTRL");
    // Counts of kinds 1, 2, 3; the dynamic case is the last record (after the pushover
    // case and its drift selection).
    EXPECT_EQ(textAt(l, 80, 6), std::string("\0\0\1\0\1\0", 6));
    ASSERT_GE(l.size(), 80u + 80u + 1042u + 348u);
    const std::size_t dyn = l.size() - 348;
    EXPECT_EQ(textAt(l, dyn + 128, 12), "Quake       ");
    EXPECT_EQ(textAt(l, dyn + 140, 12), "EQ_Y        ");
    EXPECT_EQ(textAt(l, dyn + 204, 40), "EarthquakeRecord: EQ/Y                  ");
    EXPECT_EQ(l[dyn + 284], 3);
    EXPECT_EQ(l[dyn + 294], 2);
    EXPECT_EQ(textAt(l, dyn + 314, 8), "H1 Drift");

    const auto a = test::ReadBytes(r->structureDir() + "/VNTRA");
    ASSERT_EQ(a.size(), 80u + 6u + 194u + 4u);
    EXPECT_EQ(textAt(a, 86, 12), "DynaAnalysis");
}

}  // namespace
}  // namespace t2v
