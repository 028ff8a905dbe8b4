// tarvo-genmodel: the same arguments give the same bytes, the size follows the request,
// and failures are reported with the file's name.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "genmodel/BuildingPlan.h"
#include "support/TempDir.h"

namespace {

using t2v::test::ReadBytes;
using t2v::test::TempDir;

const std::string kGenModel = std::string(T2V_BIN_DIR) + "/tarvo-genmodel";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the generator; returns its exit status, with what it printed in `output`.
int RunGenModel(const std::string& args, std::string& output, const TempDir& dir) {
    const std::string log = dir / "genmodel.log";
    int rc = std::system((kGenModel + " " + args + " >'" + log + "' 2>&1").c_str());
    output = ReadText(log);
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

TEST(GenModel, SameArgumentsGiveTheSameBytes) {
    TempDir dir;
    std::filesystem::create_directories(dir / "a");
    std::filesystem::create_directories(dir / "b");
    std::string out;
    ASSERT_EQ(RunGenModel("--elements 300 --seed 5 -o '" + (dir / "a/model.json") + "'", out, dir), 0) << out;
    EXPECT_NE(out.find(" elements; "), std::string::npos) << out;
    ASSERT_EQ(RunGenModel("--elements 300 --seed 5 -o '" + (dir / "b/model.json") + "'", out, dir), 0) << out;

    const auto first = ReadBytes(dir / "a/model.json");
    ASSERT_GT(first.size(), 1000u);
    EXPECT_EQ(first, ReadBytes(dir / "b/model.json"));
    // The ground-motion record sits beside the document and is referenced relatively.
    const auto record = ReadBytes(dir / "a/model.ground-motion.txt");
    ASSERT_GT(record.size(), 100u);
    EXPECT_EQ(record, ReadBytes(dir / "b/model.ground-motion.txt"));
    const std::string text(first.begin(), first.end());
    EXPECT_NE(text.find("\"file\":\"model.ground-motion.txt\""), std::string::npos);

    ASSERT_EQ(RunGenModel("--elements 300 --seed 6 -o '" + (dir / "b/model.json") + "'", out, dir), 0) << out;
    EXPECT_NE(first, ReadBytes(dir / "b/model.json")) << "the seed should place some things differently";
}

TEST(GenModel, ReportsAFileItCannotWrite) {
    TempDir dir;
    std::string out;
    const std::string target = dir / "missing/model.json";
    EXPECT_EQ(RunGenModel("--elements 50 -o '" + target + "'", out, dir), 1);
    EXPECT_NE(out.find(dir / "missing/model"), std::string::npos) << out;
    EXPECT_NE(RunGenModel("--elements 0 -o '" + (dir / "m.json") + "'", out, dir), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "m.json"));
}

TEST(GenModel, SizeFollowsTheRequestedElementCount) {
    using t2v::genmodel::CountObjects;
    using t2v::genmodel::PlanBuilding;
    // The sizes the benchmark uses land within a few percent of the request.
    int previousStoreys = 0;
    for (long n : {10000L, 100000L, 1000000L}) {
        const auto plan = PlanBuilding(n, 1);
        const long count = CountObjects(plan).elements();
        EXPECT_LT(std::labs(count - n), n / 10) << n << " elements requested, " << count << " planned";
        EXPECT_GT(plan.storeys, previousStoreys);
        previousStoreys = plan.storeys;
        for (const auto& t : plan.towers) {
            EXPECT_GE(t.x0, plan.podium.x0);
            EXPECT_LE(t.x1(), plan.podium.x1());
            EXPECT_LE(t.y1(), plan.podium.y1());
        }
    }
    // Tiny requests still give a whole building: a podium, a tower above it, walls and slabs.
    const auto tiny = PlanBuilding(1, 1);
    EXPECT_GE(tiny.storeys, 2);
    const auto counts = CountObjects(tiny);
    EXPECT_GT(counts.frames, 0);
    EXPECT_GT(counts.areas, 0);
}

}  // namespace
