// The empty structure, every file worked out by hand from the file layouts.
#include <gtest/gtest.h>

#include <filesystem>

#include "output/WriteStructureFiles.h"
#include "platform/recording/RecordingPlatform.h"
#include "support/TempDir.h"
#include "target/VantraModel.h"

namespace t2v {
namespace {

using test::Bytes;

// A store as the driver leaves it before any fill step: kN and m (host code 6).
target::VantraModel emptyStore(const std::string& root, const std::string& name) {
    target::VantraModel m;
    m.LengthUnit = 4;
    m.ForceUnit = 3;
    m.Gravity = 9.81f;
    m.DefaultSizeValue = static_cast<double>(0.15f);
    m.DefaultSizeLabel = "0.15 m.";
    m.StructureName = name;
    m.StructuresRoot = root;
    target::InitVantraModel(m);
    return m;
}

Bytes preamble(const std::string& name) {
    Bytes b;
    b.text("4.0", 8).text(name, 12).text("Model Transferred", 60);
    return b;
}

std::vector<std::uint8_t> expectedMainFile(const std::string& name) {
    Bytes b = preamble(name);
    b.i16(0).i16(4).i16(3).f32(9.81f).i16(0).i16(1).i16(4).i16(1).i16(0).i16(0);  // 80..101
    b.i32(0).i32(0).i32(0).i16(0).i16(0).f64(static_cast<double>(0.15f)).text("0.15 m.", 8);
    EXPECT_EQ(b.b.size(), 134u);
    b.i32(1).i32(0).i32(200).zeros(84);  // node 1 exists from the start
    b.i16(0).i16(1);                     // constraints
    b.i16(2).i16(0).i16(2).i16(1);       // mass patterns, tagged counters
    b.i16(0).i16(0).i16(1);              // element groups
    b.i32(0).i32(0).i32(1);              // elements
    b.i16(0).i16(0);                     // frames, no matrices
    b.i16(0).i16(1);                     // nodal load patterns
    b.i16(0).i16(1).i16(1).i16(0).i16(1);  // element loads: shape count starts at 1
    b.i16(0).i16(1);                     // self weight
    b.zeros(12);                         // six words
    b.i16(0).i16(0).i16(1);              // section cuts
    b.i32(0).i32(1);                     // section cut items
    b.i16(0).i16(1);                     // section groups
    b.i16(0).i16(1).i16(0).i16(1);       // drifts and deflections
    for (int i = 0; i < 10; ++i) b.i16(0);
    for (int i = 0; i < 10; ++i) b.i16(1);
    EXPECT_EQ(b.b.size(), 360u);
    // Component section: C1 = 1, then 113 counts of which only C37 is 1 with its record.
    b.i16(1);
    for (int item = 2; item <= 114; ++item) {
        if (item == 37) {
            b.i16(1);
            Bytes z;
            z.text("Default End Zone", 40).i16(1).u8(3).zeros(5).zeros(5).i16(0).zeros(6);
            z.f32(10.0f).f32(10.0f).f32(0.0f).f32(0.0f).f32(0.5f).f32(0.5f).f32(0.5f).f32(0.5f).zeros(16);
            EXPECT_EQ(z.b.size(), 109u);
            b.append(z.b);
        } else {
            b.i16(0);
        }
    }
    b.zeros(6).zeros(8);  // tail section
    return b.b;
}

TEST(EmptyStructure, AllSevenFilesByteForByte) {
    test::TempDir dir;
    platform::RecordingPlatform p;
    ASSERT_TRUE(p.createDirectory(dir / "Tower"));
    target::VantraModel m = emptyStore(dir.path(), "Tower");

    ASSERT_TRUE(output::WriteStructureFiles(m, p, "VNTR", true, 0));
    EXPECT_TRUE(p.messages.empty());

    const std::string s = dir / "Tower";
    auto main = test::ReadBytes(s + "/VNTRS");
    EXPECT_EQ(main.size(), 711u);
    EXPECT_EQ(main, expectedMainFile("Tower"));

    Bytes l = preamble("Tower");
    l.zeros(80);
    EXPECT_EQ(test::ReadBytes(s + "/VNTRL"), l.b);

    Bytes a = preamble("Tower");
    a.zeros(10);
    EXPECT_EQ(test::ReadBytes(s + "/VNTRA"), a.b);

    Bytes version;
    version.text("4.0", 8);
    auto small = [&](std::size_t zeros) {
        Bytes x = version;
        x.zeros(zeros);
        return x.b;
    };
    EXPECT_EQ(test::ReadBytes(s + "/VNTRPO"), small(282));
    EXPECT_EQ(test::ReadBytes(s + "/VNTRPOA"), small(2));
    EXPECT_EQ(test::ReadBytes(s + "/VNTRPOF"), small(20));
    EXPECT_EQ(test::ReadBytes(s + "/VNTRULS"), small(4));
}

TEST(EmptyStructure, NameIsCutToTwelveAndRightTrimmed) {
    test::TempDir dir;
    platform::RecordingPlatform p;
    ASSERT_TRUE(p.createDirectory(dir / "ABCDEFGHIJKL"));
    target::VantraModel m = emptyStore(dir.path(), "ABCDEFGHIJKLMN");
    ASSERT_TRUE(output::WriteStructureFiles(m, p, "VNTR", true, 0));
    EXPECT_EQ(m.StructureName, "ABCDEFGHIJKL");
    EXPECT_EQ(test::ReadBytes(dir / "ABCDEFGHIJKL/VNTRS").size(), 711u);

    target::VantraModel t = emptyStore(dir.path(), "Tower   ");
    ASSERT_TRUE(p.createDirectory(dir / "Tower"));
    ASSERT_TRUE(output::WriteStructureFiles(t, p, "VNTR", true, 0));
    EXPECT_EQ(t.StructureDir, dir / "Tower");
}

TEST(WriterFailures, MissingFolderIsReportedOnceWithThePathAndTheReason) {
    test::TempDir dir;
    platform::RecordingPlatform p;
    target::VantraModel m = emptyStore(dir.path(), "Absent");
    EXPECT_FALSE(output::WriteStructureFiles(m, p, "VNTR", true, 0));
    // The first file fails and nothing can then be replaced: one message, not seven.
    ASSERT_EQ(p.messages.size(), 1u);
    const std::string CR = "\r";
    EXPECT_EQ(p.messages[0].title, "Can Not Open An Essential File");
    EXPECT_EQ(p.messages[0].icon, platform::MsgIcon::Critical);
    EXPECT_EQ(p.messages[0].text,
              "Failure to open the following essential data file :" + CR + CR + "Structure name = Absent      " + CR +
                  "File name = VNTRA" + CR + "cannot create " + dir.path() + "/Absent/VNTRA: No such file or directory" +
                  CR + CR + "There should be a file of this name in the folder for this structure." + CR + CR +
                  "The file may have been erased. If so you will have to export this structure again." + CR +
                  "Alternatively, check that the file is not read-only" + CR + CR +
                  "If you can not find the problem, please report this error to Quorvane.");
    EXPECT_EQ(p.beeps, 0);
}

TEST(WriterFailures, FailedWriteKeepsTheWholeEarlierStructureAndSaysWhichFile) {
    test::TempDir dir;
    platform::RecordingPlatform p;
    ASSERT_TRUE(p.createDirectory(dir / "Tower"));
    target::VantraModel m = emptyStore(dir.path(), "Tower");
    ASSERT_TRUE(output::WriteStructureFiles(m, p, "VNTR", true, 0));
    const auto good = test::ReadBytes(dir / "Tower/VNTRL");

    p.failingWrites.insert(dir / "Tower/VNTRL");
    m.StructureTitle = "Changed";
    m.ErrorBeep = 1;
    EXPECT_FALSE(output::WriteStructureFiles(m, p, "VNTR", true, 0));
    ASSERT_EQ(p.messages.size(), 1u);
    const std::string CR = "\r";
    EXPECT_EQ(p.messages[0].title, "Can Not Write To An Essential File");
    EXPECT_EQ(p.messages[0].text, "Failure to write to the following essential data file :" + CR + CR +
                                      "Structure name = Tower       " + CR + "File name = VNTRL" + CR +
                                      "cannot write " + dir.path() + "/Tower/VNTRL: injected failure" + CR + CR +
                                      "Please try again." + CR +
                                      "If you can not find the problem, please report this error to Quorvane.");
    EXPECT_EQ(p.beeps, 1);
    // The old files are untouched, the ones before VNTRL included, and no temporary is left.
    EXPECT_EQ(test::ReadBytes(dir / "Tower/VNTRL"), good);
    int files = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir / "Tower")) ++files;
    EXPECT_EQ(files, 7);
    EXPECT_EQ(test::ReadBytes(dir / "Tower/VNTRS")[20], 'M');
    EXPECT_EQ(test::ReadBytes(dir / "Tower/VNTRA")[20], 'M');
}

}  // namespace
}  // namespace t2v
