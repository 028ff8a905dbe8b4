// Every seed of the fuzz corpora and every saved crash input, replayed through the
// checks of its fuzz target: the ordinary and the sanitizer builds run them on each
// test run, so a mended fault stays mended without clang or libFuzzer.
#include "FuzzChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Check = void (*)(const std::uint8_t*, std::size_t);

// Replays the files of fuzz/corpus/<corpus> and fuzz/regressions/<target>; answers how many.
std::size_t Replay(const std::string& corpus, const std::string& target, Check check) {
    std::size_t count = 0;
    for (const fs::path& folder : {fs::path(T2V_SOURCE_DIR) / "fuzz" / "corpus" / corpus,
                                   fs::path(T2V_SOURCE_DIR) / "fuzz" / "regressions" / target}) {
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            SCOPED_TRACE(entry.path().string());
            check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
            ++count;
        }
    }
    return count;
}

TEST(FuzzReplay, DocumentLoader) { EXPECT_GE(Replay("document", "document", t2v::fuzz::CheckDocument), 6u); }
TEST(FuzzReplay, WholeTransfer) { EXPECT_GE(Replay("document", "transfer", t2v::fuzz::CheckTransfer), 6u); }
TEST(FuzzReplay, FunctionFileReader) {
    EXPECT_GE(Replay("function_file", "function_file", t2v::fuzz::CheckFunctionFile), 5u);
}
TEST(FuzzReplay, StructureDecoder) { EXPECT_GE(Replay("decode", "decode", t2v::fuzz::CheckDecode), 8u); }

}  // namespace
