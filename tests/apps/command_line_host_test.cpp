// tarvo2vantra --transcript and --save-document: the recorded transfer writes what a
// plain one writes, and a saved document is the only thing --save-document writes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "host/automation/Transcript.h"
#include "host/document/DocumentHost.h"
#include "support/TempDir.h"
#include "support/DocumentFile.h"

namespace {

using t2v::test::ReadBytes;
using t2v::test::TempDir;

const std::string kExample = std::string(T2V_SOURCE_DIR) + "/examples/building.json";

int Tarvo2Vantra(const std::string& args, const TempDir& dir) {
    const std::string cmd = std::string(T2V_BIN_DIR) + "/tarvo2vantra " + args + " >'" + (dir / "log") + "' 2>&1";
    return std::system(cmd.c_str());
}

TEST(CommandLineHost, TranscriptRecordsATransferThatWritesThePlainBytes) {
    TempDir dir;
    std::filesystem::create_directories(dir / "s1");
    std::filesystem::create_directories(dir / "s2");
    ASSERT_EQ(
        Tarvo2Vantra("'" + kExample + "' --quiet --dir '" + (dir / "s1") + "' --name Ex --home '" + (dir / "h1") + "'",
                     dir),
        0);
    ASSERT_EQ(Tarvo2Vantra("'" + kExample + "' --quiet --dir '" + (dir / "s2") + "' --name Ex --home '" + (dir / "h2") +
                               "' --transcript '" + (dir / "calls.txt") + "'",
                           dir),
              0);
    for (const char* f : {"VNTRA", "VNTRULS", "VNTRPO", "VNTRPOA", "VNTRPOF", "VNTRL", "VNTRS"}) {
        EXPECT_TRUE(ReadBytes(dir / "s1/Ex/" + f) == ReadBytes(dir / "s2/Ex/" + f)) << f;
    }
    auto transcript = t2v::host::automation::TranscriptDispatcher::LoadFile(dir / "calls.txt");
    EXPECT_GT(transcript->size(), 500u);
}

TEST(CommandLineHost, SaveDocumentWritesOnlyTheDocument) {
    TempDir dir;
    const std::string out = dir / "saved.json";
    ASSERT_EQ(
        Tarvo2Vantra("'" + kExample + "' --quiet --home '" + (dir / "home") + "' --save-document '" + out + "'", dir),
        0);
    EXPECT_NO_THROW(t2v::test::LoadDocumentFile(out));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2u);  // the document and the log: no structure, no home folder

    // An unwritable destination fails and leaves nothing behind.
    EXPECT_NE(Tarvo2Vantra("'" + kExample + "' --quiet --save-document '" + (dir / "missing/saved.json") + "'", dir),
              0);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
