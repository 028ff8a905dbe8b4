// The vantra-dump program: exit status, output and error text.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "SampleStructure.h"

namespace t2v::decode::test {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string tool() { return std::string(T2V_BIN_DIR) + "/vantra-dump"; }

Outcome run(const TempDir& dir, const std::string& args) {
    std::string cmd = "'" + tool() + "' " + args + " >'" + dir.file("out.txt") + "' 2>'" + dir.file("err.txt") + "'";
    int rc = std::system(cmd.c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, slurp(dir.file("out.txt")), slurp(dir.file("err.txt"))};
}

class DumpTool : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(tool())) GTEST_SKIP() << "vantra-dump is not built";
        std::filesystem::create_directories(structure.path() + "/S1");
        WriteFolder(structure.path() + "/S1", SampleStructure());
    }
    TempDir structure;
    TempDir scratch;
};

TEST_F(DumpTool, PrintsTextJsonAndSingleFiles) {
    std::string folder = "'" + structure.path() + "/S1'";
    Outcome text = run(scratch, folder);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("name: \"Default End Zone\""), std::string::npos);

    Outcome json = run(scratch, folder + " --json --compact");
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out.substr(0, 6), "{\"S\":{");

    Outcome one = run(scratch, folder + " --file A --json");
    EXPECT_EQ(one.status, 0) << one.err;
    EXPECT_NE(one.out.find("\"name\": \"PushAnalysis\""), std::string::npos);
}

TEST_F(DumpTool, FailsWithTheDecodeErrorOnStderr) {
    std::filesystem::resize_file(structure.path() + "/S1/VNTRPO", 100);
    Outcome r = run(scratch, "'" + structure.path() + "/S1' --file PO");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("VNTRPO: offset 8: file ends inside the options record"), std::string::npos) << r.err;

    Outcome bad = run(scratch, "--file X '" + structure.path() + "/S1'");
    EXPECT_NE(bad.status, 0);
    Outcome help = run(scratch, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--record"), std::string::npos);
}

TEST_F(DumpTool, ShowsAnEarthquakeRecord) {
    Bytes b;
    b.text("EarthquakeRecord: EQX", 40).i16(1).i16(1).f32(0).f32(0).f32(1.0).f32(0).f32(0);
    WriteFile(structure.file("EQX"), b);
    Outcome r = run(scratch, "--record '" + structure.file("EQX") + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("header: \"EarthquakeRecord: EQX\""), std::string::npos) << r.out;
}

}  // namespace
}  // namespace t2v::decode::test
