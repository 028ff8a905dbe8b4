// The command line as a user meets it: exit status, messages, the report file, and a
// real transfer process killed while it writes, or racing another one.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/Platform.h"
#include "support/TempDir.h"

extern char** environ;

namespace t2v {
namespace {

namespace fs = std::filesystem;
const std::string kTool = std::string(T2V_BIN_DIR) + "/tarvo2vantra";
const char* const kFiles[] = {"VNTRA", "VNTRULS", "VNTRPO", "VNTRPOA", "VNTRPOF", "VNTRL", "VNTRS"};

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct ToolRun {
    int status = -1;
    std::string out, err;
};

// Runs the tool with `args` (already quoted) and the environment `env` in front.
ToolRun tool(const test::TempDir& dir, const std::string& args, const std::string& env = "") {
    const std::string cmd = env + " '" + kTool + "' " + args + " >'" + (dir / "out") + "' 2>'" + (dir / "err") + "'";
    const int rc = std::system(cmd.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, readText(dir / "out"), readText(dir / "err")};
}

const char* kSmall = R"({"format": "tarvo-model", "version": 1, "units": 10,
  "points": [{"name": "A", "x": 0, "y": 0, "z": 0}],
  "functions": [{"name": "FromFile", "type": 2, "kind": 0, "file": "FILE", "header_lines": 0, "prefix_chars": 0,
                 "points_per_line": 1, "value_type": 2, "free_format": true, "field_width": 10, "dt": 0.01}]})";

std::string smallModel(const test::TempDir& dir, const std::string& functionFile) {
    std::string doc = kSmall;
    doc.replace(doc.find("FILE"), 4, functionFile);
    const std::string path = dir / "model.json";
    test::WriteText(path, doc);
    return path;
}

TEST(CommandLine, ExitStatusSaysWhatWasDone) {
    test::TempDir dir;
    test::WriteText(dir / "quake.txt", "0 0\n0.1 0.2\n");
    const std::string home = "--home '" + dir / "home" + "'";

    // 2: usage errors, before anything is made.
    EXPECT_EQ(tool(dir, "--bogus").status, 2);
    EXPECT_EQ(tool(dir, "").status, 2);
    const std::string model = smallModel(dir, "quake.txt");
    ToolRun r = tool(dir, "'" + model + "' --name ThirteenChars " + home);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("tarvo2vantra: ", 0), 0u) << r.err;
    r = tool(dir, "'" + model + "' --vantra 4", "env -u VANTRA4_INSTALL_PATH");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--vantra 5"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "home"));
    r = tool(dir, "--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("tarvo2vantra ", 0), 0u);

    // 0: everything done; the last lines say where the structure and the records went,
    // and --dir is made with its parents.
    r = tool(dir, "'" + model + "' --no-sync --dir '" + dir / "a/b/structures" + "' " + home);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Structure written to " + dir / "a/b/structures/Vantra\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 earthquake record files in " + dir / "home/Records/EqkeGroup\n"), std::string::npos);

    // 3: transferred, but the function file is missing: the report says so.
    const std::string missing = smallModel(dir, "missing.txt");
    r = tool(dir, "'" + missing + "' --report '" + dir / "report.json" + "' " + home);
    EXPECT_EQ(r.status, 3) << r.err;
    const std::string json = readText(dir / "report.json");
    EXPECT_NE(
        json.find(
            R"("kind": "function", "name": "FromFile", "reason": "function file replaced by the two-point zero function ()"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("problems": 1})"), std::string::npos) << json;

    // 1: the transfer failed, and the earlier structure is untouched.
    const std::string s = dir / "home/Vantra/Structures/Vantra/VNTRS";
    const std::string before = readText(s);
    fs::permissions(s, fs::perms::owner_read | fs::perms::group_read);
    r = tool(dir, "'" + model + "' " + home);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(s + ": the file is read-only"), std::string::npos) << r.err;
    EXPECT_EQ(readText(s), before);
}

TEST(CommandLine, StrictCountsEveryLeftOutObjectAsAProblem) {
    test::TempDir dir;
    const std::string example = std::string(T2V_SOURCE_DIR) + "/examples/building.json";
    const std::string args =
        "'" + example + "' --no-sync --home '" + dir / "home" + "' --report '" + dir / "r.json" + "'";
    EXPECT_EQ(tool(dir, args).status, 0);
    const ToolRun r = tool(dir, args + " --strict");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.out.find("problem: load case of a kind that is not transferred: 1 load case (Modal)"),
              std::string::npos)
        << r.out;
    EXPECT_NE(readText(dir / "r.json").find(R"("problems": 3})"), std::string::npos);
}

// --- real processes ------------------------------------------------------------------------

using Files = std::map<std::string, std::string>;

Files structureFiles(const std::string& folder) {
    Files f;
    for (const char* name : kFiles)
        if (fs::exists(folder + "/" + name)) f[name] = readText(folder + "/" + name);
    return f;
}

std::size_t temporaries(const std::string& folder) {
    std::size_t n = 0;
    for (const auto& e : fs::directory_iterator(folder))
        n += platform::Platform::IsTemporaryName(e.path().filename().string()) ? 1 : 0;
    return n;
}

pid_t spawn(const std::vector<std::string>& args, const std::string& log) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    return pid;
}

int wait(pid_t pid) {
    int st = 0;
    waitpid(pid, &st, 0);
    return WIFEXITED(st) ? WEXITSTATUS(st) : -WTERMSIG(st);
}

struct Buildings : ::testing::Test {
    test::TempDir dir;
    std::string oldDoc = dir / "old.json", newDoc = dir / "new.json";
    std::string structures = dir / "structures", folder = structures + "/Kill";
    Files oldFiles, newFiles;
    double seconds = 0;  // one transfer of the new building

    std::vector<std::string> args(const std::string& doc, const std::string& dirArg) const {
        return {kTool, doc, "--quiet", "--name", "Kill", "--home", dir / "home", "--dir", dirArg};
    }
    void SetUp() override {
        for (auto [doc, seed] : {std::pair{oldDoc, 7}, std::pair{newDoc, 8}}) {
            const std::string cmd = std::string(T2V_BIN_DIR) + "/tarvo-genmodel --elements 20000 --seed " +
                                    std::to_string(seed) + " --quiet -o '" + doc + "' >/dev/null 2>&1";
            ASSERT_EQ(std::system(cmd.c_str()), 0);
        }
        // The new structure's bytes, from a transfer into another structures folder.
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(wait(spawn(args(newDoc, dir / "reference"), dir / "log")), 0) << readText(dir / "log");
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        newFiles = structureFiles(dir / "reference/Kill");
        ASSERT_EQ(wait(spawn(args(oldDoc, structures), dir / "log")), 0) << readText(dir / "log");
        oldFiles = structureFiles(folder);
        ASSERT_EQ(oldFiles.size(), 7u);
        ASSERT_NE(oldFiles, newFiles);
    }
};

TEST_F(Buildings, KilledTransferLeavesTheOldOrTheNewStructureWhole) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> when(0.0, seconds);
    int sawOld = 0, sawNew = 0;
    for (int trial = 0; trial < 4; ++trial) {
        const int sig = trial % 2 ? SIGTERM : SIGKILL;
        const pid_t pid = spawn(args(newDoc, structures), dir / "log");
        std::this_thread::sleep_for(std::chrono::duration<double>(when(rng)));
        ::kill(pid, sig);
        wait(pid);
        const Files now = structureFiles(folder);
        const bool isOld = now == oldFiles, isNew = now == newFiles;
        EXPECT_TRUE(isOld || isNew) << "trial " << trial << ": a mix of structures";
        sawOld += isOld;
        sawNew += isNew;
        // A termination request removes the temporaries at once; after a kill the next
        // transfer does.
        if (sig == SIGTERM) {
            EXPECT_EQ(temporaries(folder), 0u) << "trial " << trial;
        }
        // Put the old structure back for the next trial.
        ASSERT_EQ(wait(spawn(args(oldDoc, structures), dir / "log")), 0) << readText(dir / "log");
        EXPECT_EQ(temporaries(folder), 0u);
        ASSERT_EQ(structureFiles(folder), oldFiles);
    }
    RecordProperty("old", sawOld);
    RecordProperty("new", sawNew);
}

TEST_F(Buildings, TwoTransfersAtOnceNeverMix) {
    for (int trial = 0; trial < 3; ++trial) {
        const pid_t a = spawn(args(newDoc, structures), dir / "a.log");
        const pid_t b = spawn(args(oldDoc, structures), dir / "b.log");
        const int ra = wait(a), rb = wait(b);
        const Files now = structureFiles(folder);
        EXPECT_TRUE(now == oldFiles || now == newFiles) << "trial " << trial;
        for (auto [rc, log] : {std::pair{ra, dir / "a.log"}, std::pair{rb, dir / "b.log"}}) {
            EXPECT_TRUE(rc == 0 || rc == 1) << rc;
            if (rc == 1) {
                EXPECT_NE(readText(log).find("another transfer is writing the structure"), std::string::npos);
            }
        }
        EXPECT_EQ(temporaries(folder), 0u);
    }
}

}  // namespace
}  // namespace t2v
