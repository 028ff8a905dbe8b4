// The dialog's flows as a user meets them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/RecordingPlatform.h"
#include "plugin/cPlugin.h"
#include "support/TempDir.h"

namespace t2v::plugin {
namespace {

using platform::MsgIcon;

class Script : public DialogUser {
public:
    std::function<void(frmTransferVantra&)> act = [](frmTransferVantra&) {};
    void ShowModal(frmTransferVantra& d) override {
        shown = true;
        act(d);
    }
    bool shown = false;
};

struct DialogFixture : ::testing::Test {
    test::TempDir dir;
    platform::RecordingPlatform p;
    SharedValues shared;
    DialogFixture() { p.documents = {platform::DocumentsFolder::Status::Ok, dir / "Documents"}; }
    frmTransferVantra loaded() {
        frmTransferVantra d(shared, p);
        d.Form_Initialize();
        d.Form_Load();
        return d;
    }
};

TEST(RulesText, NinetyEightLinesWithThreeTrailingBlanks) {
    SharedValues shared;
    platform::RecordingPlatform p;
    frmTransferVantra d(shared, p);
    d.Form_Initialize();
    std::vector<std::string> lines;
    std::string::size_type at = 0, next;
    while ((next = d.RulesText.find("\r\n", at)) != std::string::npos) {
        lines.push_back(d.RulesText.substr(at, next - at));
        at = next + 2;
    }
    EXPECT_EQ(at, d.RulesText.size());  // every line ends with CR LF
    ASSERT_EQ(lines.size(), 98u);
    EXPECT_EQ(lines.front().rfind("1.  This command will export", 0), 0u);
    EXPECT_EQ(lines.back(), "16. The Vantra Structure should be reviewed completely before running the model.");
    int trailing = 0;
    for (const auto& l : lines) trailing += !l.empty() && l.back() == ' ';
    EXPECT_EQ(trailing, 3);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "     CpdBmS/CpdColS/CpdBmC/CpdColC/CpdFemaBmS/CpdFemaColS/CpdFemaBmC/CpdFemaColC/CpdEmbed"),
              lines.end());
}

TEST_F(DialogFixture, LoadPreparesTheHomeFoldersAndShowsTheRules) {
    frmTransferVantra d = loaded();
    EXPECT_TRUE(shared.Version5Selected);
    EXPECT_TRUE(d.optVersion[0]);
    EXPECT_FALSE(d.optVersion[1]);
    EXPECT_EQ(shared.EqkeGroupName, "EqkeGroup");
    EXPECT_EQ(shared.VantraHome, dir / "Documents/VANTRA");
    EXPECT_EQ(d.ctlVantraDir, dir / "Documents/VANTRA/Vantra/Structures");
    EXPECT_TRUE(p.isDirectory(d.ctlVantraDir));
    EXPECT_EQ(d.ctlDrive, "/");
    // The log holds the rules followed by the line break AppendLog adds.
    EXPECT_EQ(d.txtLog, d.RulesText + "\r\n");
    EXPECT_EQ(d.Caption, "Export to Vantra");
    EXPECT_EQ(d.txtVantraName, "Vantra");
}

TEST_F(DialogFixture, VersionFourReadsTheRegistryAndIsEmptyWithoutIt) {
    frmTransferVantra d = loaded();
    shared.Version5Selected = false;
    EXPECT_EQ(d.GetVantraPath(), "");
    p.registry.push_back({"SOFTWARE\\Quorvane\\VANTRA\\4|Install path", "/opt/vantra4"});
    EXPECT_EQ(d.GetVantraPath(), "/opt/vantra4");
    shared.Version5Selected = true;
    p.documents = {platform::DocumentsFolder::Status::InvalidArgument, "ignored"};
    EXPECT_EQ(d.GetVantraPath(), "/VANTRA");
}

TEST_F(DialogFixture, NoModelIsReportedAndTheDialogCloses) {
    frmTransferVantra d = loaded();
    d.SetDirListPath(dir.path());
    d.cmdTransfer_Click();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "No Model");
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(d.unloaded);
    EXPECT_FALSE(p.isDirectory(dir / "Vantra"));  // the folder it made for nothing is gone again
    EXPECT_FALSE(shared.lastTransferWritten);
}

TEST_F(DialogFixture, FolderThatCannotBeCreatedKeepsTheDialogOpen) {
    frmTransferVantra d = loaded();
    d.SetDirListPath(dir.path());
    d.txtVantraName = "Tower";
    p.uncreatableFolders.insert(dir / "Tower");
    d.cmdTransfer_Click();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text,
              "Error : Couldn't create directory !\rcannot create the folder " + dir / "Tower" + ": injected failure");
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Critical);
    EXPECT_FALSE(d.unloaded);
}

TEST_F(DialogFixture, UnusableNamesAreRefusedBeforeAnyFolderIsMade) {
    frmTransferVantra d = loaded();
    d.SetDirListPath(dir.path());
    for (std::string name :
         {"ThirteenChars", "a/b", "..", ".", "a\\b", "   ", "Tow\ter", "Tower\n", "A\x7f", "B\xc2\x85"}) {
        p.messages.clear();
        d.txtVantraName = name;
        d.cmdTransfer_Click();
        ASSERT_EQ(p.messages.size(), 1u) << name;
        EXPECT_EQ(p.messages[0].icon, MsgIcon::Critical);
        EXPECT_NE(p.messages[0].text.find("structure name"), std::string::npos) << name;
        EXPECT_FALSE(d.unloaded);
    }
    EXPECT_FALSE(p.isDirectory(dir / "ThirteenChars"));
    EXPECT_FALSE(p.isDirectory(dir / "Tow\ter"));
    // Twelve characters, and trailing blanks the writer would drop anyway, are fine.
    d.txtVantraName = "TwelveChars1   ";
    p.messages.clear();
    d.cmdTransfer_Click();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "No Model");  // past the name checks
    EXPECT_EQ(shared.StructureNameInput, "TwelveChars1");
    // A name the structure files' code page cannot hold is refused too.
    p.messages.clear();
    d.txtVantraName = "Tower-\xE4\xB8\x80";
    d.cmdTransfer_Click();
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find("cannot store"), std::string::npos);
}

TEST_F(DialogFixture, FailedDriveChangeReturnsToTheDirectorysDrive) {
    frmTransferVantra d = loaded();
    const std::string before = d.ctlVantraDir;
    p.answer = platform::MsgResult::Cancel;
    d.ctlDrive_Change("Q:");
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].title, "No Data");
    EXPECT_EQ(p.messages[0].text.rfind("Error: ", 0), 0u);
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(p.messages[0].buttons, platform::MsgButtons::OkCancel);
    EXPECT_EQ(d.ctlVantraDir, before);
    EXPECT_EQ(d.ctlDrive, "/");
}

TEST_F(DialogFixture, PluginEntry) {
    Script user;
    cPlugin plugin(p, user);
    std::string text;
    EXPECT_EQ(plugin.Info(text), 0);
    EXPECT_EQ(text, "Export to Vantra");
    // Closing the dialog without a transfer still returns ok.
    bool ok = false;
    plugin.Main(nullptr, ok);
    EXPECT_TRUE(user.shown);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(p.messages.empty());
}

}  // namespace
}  // namespace t2v::plugin
