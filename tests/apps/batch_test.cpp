// Many models in one call: each into its own structure, a failure does not stop the
// others, the summary names every model and the exit status is the worst of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace {

using t2v::test::TempDir;

const std::string kTransfer = std::string(T2V_BIN_DIR) + "/tarvo2vantra";
const std::string kExample = std::string(T2V_SOURCE_DIR) + "/examples/building.json";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Batch, EachModelIntoItsOwnStructureAndTheWorstStatusWins) {
    TempDir dir;
    // The structures' folder does not exist yet: the batch makes it, as one transfer does.
    std::filesystem::copy_file(kExample, dir / "tower.json");
    std::filesystem::copy_file(kExample, dir / "a-very-long-model-name.json");
    t2v::test::WriteText(dir / "broken.json", "{\"points\": [");
    const std::string cmd = kTransfer + " " + dir / "broken.json" + " " + dir / "tower.json" + " " +
                            dir / "a-very-long-model-name.json" + " --dir " + dir / "new/out" + " --home " +
                            dir / "home" + " -j 2 --check --summary " + dir / "summary.json" + " > " +
                            dir / "table.txt 2>&1";
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);  // the broken model failed; the others were done

    for (const char* name : {"tower", "a-very-long-"})  // names are cut at 12 characters
        EXPECT_TRUE(std::filesystem::exists(dir / "new/out" + "/" + name + "/VNTRS")) << name;
    EXPECT_NE(ReadText(dir / "new/out/broken.log").find("broken.json"), std::string::npos);

    const std::string summary = ReadText(dir / "summary.json");
    EXPECT_NE(summary.find("\"structure\": \"tower\", \"elements\": 93, \"problems\": 0"), std::string::npos)
        << summary;
    EXPECT_NE(summary.find("\"structure\": \"broken\", \"elements\": null, \"problems\": null"), std::string::npos);
    EXPECT_NE(summary.find("\"exit\": 1}"), std::string::npos);
    const std::string table = ReadText(dir / "table.txt");
    EXPECT_NE(table.find("model"), std::string::npos);
    EXPECT_NE(table.find("tower"), std::string::npos);

    // Two models that would become one structure are refused before anything starts.
    const std::string clash = kTransfer + " " + dir / "tower.json" + " " + dir / "tower.json" + " --dir " +
                              dir / "clash" + " > /dev/null 2>&1";
    const int clashStatus = std::system(clash.c_str());
    EXPECT_EQ(WEXITSTATUS(clashStatus), 2);
}

}  // namespace
