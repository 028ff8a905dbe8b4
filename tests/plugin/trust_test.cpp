// A structure is replaced whole or not at all, a failure is never reported as success,
// and the report lists what was left out. Faults are injected through the recording
// platform at every file operation of a transfer, over an earlier structure.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

#include "host/document/DocumentHost.h"
#include "output/SeriesFolder.h"
#include "support/RecordingPlatform.h"
#include "plugin/cPlugin.h"
#include "common/Text.h"
#include "support/TempDir.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::vector<std::uint8_t>>;

const char* const kFiles[] = {"VNTRA", "VNTRULS", "VNTRPO", "VNTRPOA", "VNTRPOF", "VNTRL", "VNTRS"};

// A small model with a time-history case, so that a transfer writes records and makes
// the "DynaAnalysis" series.
std::string model(const std::string& title = "EQ", const std::string& extraFunctions = "") {
    return R"({"format": "tarvo-model", "version": 1, "units": 10,
      "points": [{"name": "A", "x": 0, "y": 0, "z": 0}, {"name": "B", "x": 0, "y": 0, "z": 3}],
      "functions": [{"name": ")" +
           title + R"(", "type": 2, "kind": 1, "times": [0, 0.1], "values": [0, 0.3]})" + extraFunctions + R"(],
      "load_cases": [{"name": "TH", "type": 8, "output_steps": 10, "step_size": 0.01,
        "loads": [{"type": "Accel", "name": "U1", "function": ")" +
           title + R"(", "scale": 9.81}]}]})";
}

class Press : public plugin::DialogUser {
public:
    Press(std::string root, std::string name) : root_(std::move(root)), name_(std::move(name)) {}
    void ShowModal(plugin::frmTransferVantra& d) override {
        d.SetDirListPath(root_);
        d.txtVantraName = name_;
        d.cmdTransfer_Click();
    }

private:
    std::string root_, name_;
};

struct Trust : ::testing::Test {
    test::TempDir dir;
    platform::RecordingPlatform p;
    plugin::SharedValues last;
    Trust() {
        p.createDirectory(dir / "structures");
        p.createDirectory(dir / "home");
    }
    std::string structure() const { return dir / "structures/Tower"; }
    std::string path(const std::string& file) const { return structure() + "/" + file; }

    // One transfer of `json` into structures/Tower; true when every file was written.
    bool transfer(const std::string& json, const std::string& base = ".") {
        auto host = host::DocumentHost::FromText(json, "test.json", base);
        Press press(dir / "structures", "Tower");
        plugin::cPlugin plugin(p, press);
        plugin.Shared().VantraHomeOverride = dir / "home";
        bool ok = false;
        plugin.Main(host.get(), ok);
        last.report = plugin.Shared().report;
        last.failure = plugin.Shared().failure;
        return plugin.Shared().lastTransferWritten;
    }
    // The seven structure files and anything else in the folder, by name.
    Snapshot snapshot() const {
        Snapshot s;
        for (const auto& e : fs::directory_iterator(structure()))
            if (e.is_regular_file()) s[e.path().filename().string()] = test::ReadBytes(e.path().string());
        return s;
    }
    std::vector<std::string> temporaries() const {
        std::vector<std::string> t;
        for (const auto& e : fs::directory_iterator(structure()))
            if (platform::Platform::IsTemporaryName(e.path().filename().string())) t.push_back(e.path().string());
        return t;
    }
    bool hasItem(const std::string& reason, bool problem) const {
        for (const ReportItem& i : last.report.items())
            if (i.reason.rfind(reason, 0) == 0 && i.problem == problem) return true;
        return false;
    }
};

TEST_F(Trust, EveryFailingFileOperationLeavesTheEarlierStructureAsItWas) {
    ASSERT_TRUE(transfer(model("Old")));
    p.createDirectory(path("DynaAnalysis"));
    test::WriteText(path("DynaAnalysis/result"), "earlier results");
    const Snapshot before = snapshot();

    enum class Op { Create, Write, Flush, Rename };
    for (Op op : {Op::Create, Op::Write, Op::Flush, Op::Rename}) {
        for (const char* file : kFiles) {
            SCOPED_TRACE(std::string(file) + " op " + std::to_string(static_cast<int>(op)));
            p.messages.clear();
            std::set<std::string>& set = op == Op::Create  ? p.unopenableFiles
                                         : op == Op::Write ? p.failingWrites
                                         : op == Op::Flush ? p.failingCloses
                                                           : p.failingRenames;
            set = {path(file)};
            EXPECT_FALSE(transfer(model("New")));
            set.clear();
            // One message, naming the file, its path and the reason; never "Transfer Complete".
            ASSERT_EQ(p.messages.size(), 1u);
            EXPECT_EQ(p.messages[0].icon, platform::MsgIcon::Critical);
            EXPECT_NE(p.messages[0].text.find(std::string("File name = ") + file + "\r"), std::string::npos);
            EXPECT_NE(p.messages[0].text.find(path(file) + ": injected failure"), std::string::npos);
            EXPECT_EQ(snapshot(), before);
            EXPECT_TRUE(temporaries().empty());
            EXPECT_TRUE(p.isDirectory(path("DynaAnalysis")));  // results kept with their structure
        }
    }
    // With every operation working again the new structure replaces the old one whole.
    p.messages.clear();
    ASSERT_TRUE(transfer(model("New")));
    EXPECT_NE(test::ReadBytes(path("VNTRL")), before.at("VNTRL"));  // names the new record
    EXPECT_FALSE(p.isDirectory(path("DynaAnalysis")));
}

// Beside the report the dialog leaves the name map; one it cannot write is a problem of
// the report, and the structure stays written.
TEST_F(Trust, TheDialogWritesTheNameMapBesideTheReport) {
    ASSERT_TRUE(transfer(model()));
    const auto bytes = test::ReadBytes(path("TransferNameMap.csv"));
    const std::string csv(bytes.begin(), bytes.end());
    EXPECT_EQ(csv.rfind("kind,host name,became,number,name\npoint,A,node,2,\npoint,B,node,3,\n", 0), 0u) << csv;
    EXPECT_NE(csv.find("\ncase,TH,dynamic load case,1,TH\n"), std::string::npos) << csv;
    EXPECT_FALSE(hasItem("name map not written", true));

    p.unopenableFiles = {path("TransferNameMap.csv")};
    ASSERT_TRUE(transfer(model()));
    p.unopenableFiles.clear();
    EXPECT_TRUE(hasItem("name map not written", true));
    const auto report = test::ReadBytes(path("TransferReport.txt"));
    EXPECT_NE(std::string(report.begin(), report.end()).find("name map not written"), std::string::npos);
    EXPECT_NE(p.messages.back().text.find("1 of them problems"), std::string::npos);
}

TEST_F(Trust, FailuresAfterTheStructureIsInPlaceAreProblemsNotSuccess) {
    ASSERT_TRUE(transfer(model()));
    p.createDirectory(path("DynaAnalysis"));
    p.undeletableFolders = {path("DynaAnalysis")};
    p.unsyncableFolders = {structure()};
    ASSERT_TRUE(transfer(model()));
    EXPECT_TRUE(hasItem("earlier results not cleared", true));
    EXPECT_TRUE(hasItem("not flushed to the disk", true));
    EXPECT_NE(p.messages.back().text.find("TransferReport.txt"), std::string::npos);
    EXPECT_NE(p.messages.back().text.find("2 of them problems"), std::string::npos);

    // A link named like the series folder is never followed: what it points at stays.
    p.undeletableFolders.clear();
    p.createDirectory(dir / "elsewhere");
    test::WriteText(dir / "elsewhere/keep", "x");
    fs::remove_all(path("DynaAnalysis"));
    fs::create_directory_symlink(dir / "elsewhere", path("DynaAnalysis"));
    ASSERT_TRUE(transfer(model()));
    EXPECT_TRUE(fs::exists(dir / "elsewhere/keep"));
    EXPECT_TRUE(hasItem("earlier results not cleared", true));
}

TEST_F(Trust, SeriesFolderIsNeverOutsideTheStructureFolder) {
    // Folders that a careless path would reach: the root's own series folder and one
    // beside the root.
    p.createDirectory(dir / "PushAnalysis");
    p.createDirectory(dir / "structures/PushAnalysis");
    target::VantraModel m;
    m.StructuresRoot = dir / "structures";
    m.SeriesToReset = "PushAnalysis";
    for (const char* name : {"", "   ", ".", "..", "...", "../..", "a/..", "..\\x", "C:", "a\tb"}) {
        m.StructureName = name;
        m.StructureDir = p.join(m.StructuresRoot, StructureFolderName(name));
        TransferReport report;
        output::ResetSeriesFolder(p, m, report);
        EXPECT_TRUE(p.deletedFolders.empty()) << '"' << name << '"';
    }
    EXPECT_TRUE(p.isDirectory(dir / "PushAnalysis"));
    EXPECT_TRUE(p.isDirectory(dir / "structures/PushAnalysis"));
}

TEST_F(Trust, RecordsFolderThatCannotBeMadeStopsBeforeAnythingIsWritten) {
    ASSERT_TRUE(transfer(model("Old")));
    const Snapshot before = snapshot();
    fs::remove_all(dir / "home/Records");
    p.uncreatableFolders = {dir / "home/Records"};
    p.messages.clear();
    EXPECT_FALSE(transfer(model("New")));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].text, "Error : cannot create the folder " + dir / "home/Records" + ": injected failure");
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Trust, LeftTemporariesAreRemovedAndPlantedOnesNeverWrittenThrough) {
    ASSERT_TRUE(transfer(model()));
    test::WriteText(path("VNTRS.t2vtmp-0a1b2c3d4e5f"), "left by a killed transfer");
    test::WriteText(path("VNTRS.part4242"), "left by an earlier version");
    test::WriteText(dir / "outside", "precious");
    fs::create_symlink(dir / "outside", path("VNTRL.t2vtmp-zzzzzzzzzzzz"));
    test::WriteText(path("VNTRS.t2vtmp-notes.txt"), "not ours: the suffix has a dot");
    ASSERT_TRUE(transfer(model()));
    EXPECT_FALSE(fs::exists(path("VNTRS.t2vtmp-0a1b2c3d4e5f")));
    EXPECT_FALSE(fs::exists(path("VNTRS.part4242")));
    EXPECT_TRUE(fs::is_symlink(path("VNTRL.t2vtmp-zzzzzzzzzzzz")));  // a link is not ours to remove
    EXPECT_EQ(test::ReadBytes(dir / "outside").size(), 8u);
    EXPECT_TRUE(fs::exists(path("VNTRS.t2vtmp-notes.txt")));
}

TEST_F(Trust, ReadOnlyFileAndSecondTransferAreRefusedWithoutChange) {
    ASSERT_TRUE(transfer(model("Old")));
    ::chmod(path("VNTRL").c_str(), 0444);
    const Snapshot before = snapshot();
    p.messages.clear();
    EXPECT_FALSE(transfer(model("New")));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_EQ(p.messages[0].title, "Can Not Open An Essential File");
    EXPECT_NE(p.messages[0].text.find(path("VNTRL") + ": the file is read-only"), std::string::npos);
    EXPECT_EQ(snapshot(), before);
    ::chmod(path("VNTRL").c_str(), 0644);

    // Another transfer holds the structure: this one stops and changes nothing.
    bool busy = false;
    std::string error;
    auto lock = p.lockFolder(structure(), plugin::kStructureLockName, busy, error);
    ASSERT_TRUE(lock);
    p.messages.clear();
    EXPECT_FALSE(transfer(model("New")));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find("another transfer is writing the structure " + structure()), std::string::npos);
    EXPECT_EQ(snapshot(), before);
    lock.reset();
    EXPECT_TRUE(transfer(model("New")));
}

TEST_F(Trust, VersionFourWithoutInstallPathAndEmptyModelWriteNothing) {
    auto host = host::DocumentHost::FromText(model(), "test.json");
    struct V4 : plugin::DialogUser {
        std::string root;
        void ShowModal(plugin::frmTransferVantra& d) override {
            d.SetDirListPath(root);
            d.optVersion = {false, true};
            d.txtVantraName = "Tower";
            d.cmdTransfer_Click();
        }
    } user;
    user.root = dir / "structures";
    p.documents = {platform::DocumentsFolder::Status::Ok, dir / "Documents"};
    plugin::cPlugin plugin(p, user);
    bool ok = false;
    plugin.Main(host.get(), ok);
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_NE(p.messages[0].text.find("Vantra 4 is not installed"), std::string::npos);
    EXPECT_FALSE(fs::exists(structure()));
    EXPECT_FALSE(fs::exists(p.currentDriveRoot() + "Records/EqkeGroup/EQ"));

    // An empty model leaves no folder of its own making behind.
    p.messages.clear();
    EXPECT_FALSE(transfer(R"({"format": "tarvo-model", "version": 1})"));
    EXPECT_EQ(p.messages.at(0).text, "Empty Model");
    EXPECT_FALSE(fs::exists(structure()));
}

// The function file cases: each gives the two-point zero record and a problem item that
// names the function and the path.
TEST_F(Trust, FunctionFilesThatAreNotUsableAreProblems) {
    test::WriteText(dir / "good.txt", "0 0\n0.1 0.2\n");
    p.createDirectory(dir / "folder.txt");
    ASSERT_EQ(::mkfifo((dir / "pipe.txt").c_str(), 0600), 0);
    {
        std::ofstream big(dir / "big.txt");
        big.seekp(static_cast<std::streamoff>(65ull << 20));
        big << '1';
    }
    for (const char* file : {"missing.txt", "folder.txt", "pipe.txt", "big.txt", "good.txt"}) {
        SCOPED_TRACE(file);
        const std::string f = std::string(R"(, {"name": "FromFile", "type": 2, "kind": 0, "file": ")") + file +
                              R"(", "header_lines": 0, "prefix_chars": 0, "points_per_line": 1, "value_type": 2,
                                 "free_format": true, "field_width": 10, "dt": 0.01})";
        ASSERT_TRUE(transfer(model("EQ", f), dir.path()));
        const bool good = std::string(file) == "good.txt";
        EXPECT_EQ(hasItem("function file replaced by the two-point zero function", true), !good);
        const auto record = test::ReadBytes(dir / "home/Records/EqkeGroup/FromFile");
        EXPECT_EQ(record[42], good ? 3 : 3);  // n + 1: two points either way, plus (0, 0)
        if (!good) {
            const ReportItem& item = last.report.items().back();
            EXPECT_EQ(item.name, "FromFile");
            EXPECT_NE(item.reason.find(dir / file), std::string::npos);
        }
    }
}

TEST_F(Trust, DynamicCaseNamesExactlyTheRecordFilesWritten) {
    // Two names that agree in their first 12 characters: each direction must keep its own
    // ground motion, in a file whose name fits the case's 12-character field.
    const std::string json = R"({"format": "tarvo-model", "version": 1, "units": 10,
      "points": [{"name": "A", "x": 0, "y": 0, "z": 0}],
      "functions": [{"name": "GroundMotion", "type": 2, "kind": 1, "times": [0, 0.1], "values": [0, 0.1]},
                    {"name": "GroundMotion2", "type": 2, "kind": 1, "times": [0, 0.1], "values": [0, 0.2]}],
      "load_cases": [{"name": "TH", "type": 8, "output_steps": 10, "step_size": 0.01,
        "loads": [{"type": "Accel", "name": "U1", "function": "GroundMotion", "scale": 9.81},
                  {"type": "Accel", "name": "U2", "function": "GroundMotion2", "scale": 9.81}]}]})";
    ASSERT_TRUE(transfer(json));
    const auto l = test::ReadBytes(path("VNTRL"));
    const std::size_t dynamicRecord = 80 + 40 + 40;  // no gravity or pushover case before it
    ASSERT_GE(l.size(), dynamicRecord + 152);
    auto field = [&](std::size_t at) { return std::string(l.begin() + at, l.begin() + at + 12); };
    EXPECT_EQ(field(dynamicRecord + 128), "GroundMotion");
    EXPECT_EQ(field(dynamicRecord + 140), "GroundMoti~2");
    const std::string records = dir / "home/Records/EqkeGroup/";
    const auto second = test::ReadBytes(records + "GroundMoti~2");
    std::string header = "EarthquakeRecord: GroundMotion2";
    header.resize(40, ' ');
    EXPECT_EQ(std::string(second.begin(), second.begin() + 40), header);  // the real name
    EXPECT_TRUE(fs::exists(records + "GroundMotion"));
}

// Every kind of object the transfer leaves out, in one model, against a list worked
// out by hand from the model's text.
TEST(TransferReportItems, LeftOutKindsOfTheExampleAreListedWithTheirReasons) {
    auto r = test::RunTransferFile(std::string(T2V_SOURCE_DIR) + "/examples/left-out.json");
    ASSERT_TRUE(r->written);
    const std::string noFile = std::string(T2V_SOURCE_DIR) + "/examples/records/no-such-record.txt";
    const std::vector<std::tuple<std::string, std::string, std::string, bool>> expected = {
        {"material", "Rebar", "default material added to the model", false},
        {"material", "Alu", "material other than concrete, steel or rebar (type 4)", false},
        {"frame section", "Odd", "frame section without a supported shape (type 0)", false},
        {"constraint", "Body1", "constraint that is not a diaphragm (type 1)", false},
        {"constraint", "DiaX", "diaphragm with a normal other than Z (axis 1)", false},
        {"frame", "Odd1", "frame whose section was not transferred (section Odd)", false},
        {"area", "PlateA", "area whose section is not a shell or layered shell (section Plate)", false},
        {"area", "Pent", "area of other than 3 or 4 points (5 points)", false},
        {"point load", "B (D)", "load in a system other than GLOBAL (system Local)", false},
        {"frame distributed load", "Beam1 (D)", "moment load on a frame (system GLOBAL, direction 6)", false},
        {"frame distributed load", "Beam1 (D)", "load not vertical in GLOBAL (system GLOBAL, direction 4)", false},
        {"frame distributed load", "Beam1 (W)", "load not vertical in GLOBAL (system GLOBAL, direction 4)", false},
        {"frame point load", "Beam1 (L)", "load not vertical in GLOBAL (system Local, direction 2)", false},
        {"area load", "WallA (D)", "load not vertical in GLOBAL (system GLOBAL, direction 4)", false},
        {"function", "RespSpectrum", "function that is not a time-history function (type 1)", false},
        {"function", "NoFile",
         "function file replaced by the two-point zero function (" + noFile + ": No such file or directory)", true},
        {"function", "Long", "function longer than a record holds (40001 points, at most 32766)", true},
        {"load case", "Modal", "load case of a kind that is not transferred (type 3)", false},
        {"load case entry", "Push: Mode 8", "mode other than 1 to 6", false},
        {"load case", "TH U2", "ground motion without a record (function Long)", true},
        {"load case entry", "THLoad: Load D", "time-history load other than an acceleration in U1, U2 or U3", false},
        {"load case", "THLoad", "time-history case without an acceleration load", false},
    };
    const auto& items = r->plugin->Shared().report.items();
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].kind, std::get<0>(expected[i])) << i;
        EXPECT_EQ(items[i].name, std::get<1>(expected[i])) << i;
        EXPECT_EQ(items[i].reason, std::get<2>(expected[i])) << i;
        EXPECT_EQ(items[i].problem, std::get<3>(expected[i])) << i;
    }
    // The dialog's file holds every item, and its last message points to it.
    const auto text = test::ReadBytes(r->structureDir() + "/TransferReport.txt");
    EXPECT_NE(std::string(text.begin(), text.end()).find("problem\tload case\tTH U2\tground motion without a record"),
              std::string::npos);
    EXPECT_NE(r->platform.messages.back().text.find("22 objects were not transferred or were changed (3 of them"),
              std::string::npos);
}

}  // namespace
}  // namespace t2v
