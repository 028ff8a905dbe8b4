// The output of a generated building, pinned by a checksum: work on the speed of the
// transfer must leave every byte as it was. When a change is meant to alter the output,
// the new checksum is recorded here together with the reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

std::uint64_t fnv1a(std::uint64_t h, const std::vector<std::uint8_t>& bytes) {
    for (std::uint8_t b : bytes) {
        h ^= b;
        h *= 0x100000001b3ULL;
    }
    return h;
}

TEST(OutputChecksum, GeneratedBuildingTransfersToTheSameBytes) {
    test::TempDir gen;
    const std::string doc = gen / "building.json";
    const std::string cmd = std::string(T2V_BIN_DIR) + "/tarvo-genmodel --elements 3000 --seed 7 --quiet -o '" + doc +
                            "' > '" + (gen / "log") + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);

    auto r = test::RunTransferFile(doc, "Check");
    ASSERT_TRUE(r->written);

    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char* f : {"VNTRA", "VNTRULS", "VNTRPO", "VNTRPOA", "VNTRPOF", "VNTRL", "VNTRS"})
        h = fnv1a(h, test::ReadBytes(r->structureDir() + "/" + f));
    std::vector<std::string> records;
    for (const auto& e : std::filesystem::directory_iterator(r->home() + "/Records/EqkeGroup"))
        records.push_back(e.path().string());
    std::sort(records.begin(), records.end());
    for (const auto& f : records) h = fnv1a(h, test::ReadBytes(f));

    EXPECT_EQ(h, 0x3695d5bfd931491aULL) << std::hex << "checksum 0x" << h;
}

}  // namespace
}  // namespace t2v
