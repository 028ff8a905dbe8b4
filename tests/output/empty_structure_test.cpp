// The empty structure, every file compared with the copy worked out by hand
// (tests/data/empty-structure), and the writer's reports of files it cannot write.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "output/WriteStructureFiles.h"
#include "support/RecordingPlatform.h"
#include "support/ByteBuilder.h"
#include "support/TempDir.h"
#include "target/VantraModel.h"

namespace t2v {
namespace {

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

// The hand-worked empty structure shared with the decoder's tests.
const std::string kEmpty = std::string(T2V_SOURCE_DIR) + "/tests/data/empty-structure";

TEST(EmptyStructure, AllSevenFilesByteForByte) {
    test::TempDir dir;
    platform::RecordingPlatform p;
    ASSERT_TRUE(p.createDirectory(dir / "EMPTY"));
    target::VantraModel m = emptyStore(dir.path(), "EMPTY");

    ASSERT_TRUE(output::WriteStructureFiles(m, p, "VNTR", true, 0));
    EXPECT_TRUE(p.messages.empty());
    for (const char* f : {"VNTRS", "VNTRL", "VNTRA", "VNTRPO", "VNTRPOA", "VNTRPOF", "VNTRULS"})
        EXPECT_EQ(test::ReadBytes(dir / "EMPTY/" + f), test::ReadBytes(kEmpty + "/" + f)) << f;
}

TEST(EmptyStructure, NameIsCutToTwelveAndRightTrimmed) {
    test::TempDir dir;
    platform::RecordingPlatform p;
    ASSERT_TRUE(p.createDirectory(dir / "ABCDEFGHIJKL"));
    target::VantraModel m = emptyStore(dir.path(), "ABCDEFGHIJKLMN");
    ASSERT_TRUE(output::WriteStructureFiles(m, p, "VNTR", true, 0));
    const auto s = test::ReadBytes(dir / "ABCDEFGHIJKL/VNTRS");
    ASSERT_EQ(s.size(), 711u);
    EXPECT_EQ(std::string(s.begin() + 8, s.begin() + 20), "ABCDEFGHIJKL");

    target::VantraModel t = emptyStore(dir.path(), "Tower   ");
    ASSERT_TRUE(p.createDirectory(dir / "Tower"));
    ASSERT_TRUE(output::WriteStructureFiles(t, p, "VNTR", true, 0));
    const auto tower = test::ReadBytes(dir / "Tower/VNTRS");
    ASSERT_GE(tower.size(), 20u);
    EXPECT_EQ(std::string(tower.begin() + 8, tower.begin() + 20), "Tower       ");
}

TEST(AnalysisFile, OnlyACaseEndingInOneIsFollowedByItsZeroExtension) {
    test::TempDir dir;
    platform::RecordingPlatform p;
    ASSERT_TRUE(p.createDirectory(dir / "EMPTY"));
    target::VantraModel m = emptyStore(dir.path(), "EMPTY");
    for (int flag : {1, 0}) {
        RecordView r = m.AnalysisCaseTable.rec(m.AnalysisCaseTable.add());
        r.text(0, 12, flag ? "WITH" : "WITHOUT");
        r.u8(193, flag);
    }
    ASSERT_TRUE(output::WriteStructureFiles(m, p, "VNTR", true, 0));

    test::Bytes a;
    a.append(test::ReadBytes(kEmpty + "/VNTRA")).data().resize(80);  // the preamble
    a.i16(2).i16(11).i16(0);                                         // capacity 0 passed by the first case: 1 + 10
    a.text("WITH", 12).zeros(181).u8(1).zeros(54);
    a.text("WITHOUT", 12).zeros(182);
    a.i16(0).i16(0);
    EXPECT_EQ(test::ReadBytes(dir / "EMPTY/VNTRA"), a.data());
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
                  "File name = VNTRA" + CR + "cannot create " + dir.path() +
                  "/Absent/VNTRA: No such file or directory" + CR + CR +
                  "There should be a file of this name in the folder for this structure." + CR + CR +
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
