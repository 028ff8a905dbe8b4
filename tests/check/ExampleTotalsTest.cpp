// The shipped example building, transferred and read back: nothing is found, the totals
// balance, and a load item whose bytes are edited afterwards is caught with its pattern.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "check/StructureChecks.h"
#include "check/Totals.h"
#include "decode/StructureReader.h"
#include "support/TempDir.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

using decode::Get;

// Offset in the main file of the F3 value of the nodal load item (pattern, node): the
// blocks before the nodal load matrix, sized from their decoded counts and capacities.
std::size_t NodalLoadF3Offset(const decode::Value& S, std::int64_t pattern, std::int64_t node) {
    auto n = [&](const char* path) { return static_cast<std::size_t>(Get(S, path).asInt()); };
    const std::size_t nodes = n("nodes.count");
    std::size_t at = 114 + 4 + n("header.reserved_list.count") * 112 + 16;
    at += 12 + nodes * 84;
    at += 4 + n("constraints.count") * 80;
    at += 8 + n("mass_patterns.count") * (64 + nodes * 24);
    at += 6 + n("element_groups.count") * 76;
    at += 12 + n("elements.count") * 92;
    const std::size_t frames = n("frames.count");
    at += 4 + frames * 28;
    if (frames > 0) at += n("frames.capacity") * (n("nodes.capacity") + n("elements.capacity") + 1);
    at += 4 + n("nodal_load_patterns.count") * 72;
    return at + ((static_cast<std::size_t>(pattern) - 1) * nodes + static_cast<std::size_t>(node) - 1) * 32 + 8;
}

TEST(ExampleTotals, BalanceAndAnEditedLoadItemIsCaughtWithItsPattern) {
    auto r = test::RunTransferFile(std::string(T2V_SOURCE_DIR) + "/examples/building.json", "Example");
    ASSERT_TRUE(r->written);
    const std::string dir = r->structureDir();

    check::StructureDigest d = check::ReadStructureDigest(dir);
    const check::CheckReport report = check::CheckStructure(d);
    for (const auto& f : report.findings) ADD_FAILURE() << f.kind << ": " << f.text;

    const check::SourceInfo in = check::SourceTotalsFromHost(*r->host);
    check::Balance b = check::BalanceTotals(in, check::StructureTotals(d), d);
    std::ostringstream text;
    check::PrintBalance(b, text);
    EXPECT_TRUE(b.balanced()) << text.str();
    // Every kind of load the example has is in the table.
    for (const char* kind : {"(nodal loads)", "(element loads)", "(self weight)"})
        EXPECT_NE(text.str().find(kind), std::string::npos) << kind << "\n" << text.str();

    // The first "LoadNode-" item: add 1.0 to its F3 in the file.
    const decode::Value S = Get(decode::DecodeStructureFolder(dir), "S");
    const check::DigestNodalLoad* item = nullptr;
    for (const auto& l : d.nodalLoads)
        if (d.nodalPatterns[static_cast<std::size_t>(l.pattern - 1)].kind < 0) {  // a "LoadNode-" pattern
            item = &l;
            break;
        }
    ASSERT_NE(item, nullptr);
    const std::string pattern = d.nodalPatterns[static_cast<std::size_t>(item->pattern - 1)].name;
    const std::string file = dir + "/VNTRS";
    std::vector<std::uint8_t> bytes = test::ReadBytes(file);
    const std::size_t at = NodalLoadF3Offset(S, item->pattern, item->node);
    float f3;
    std::memcpy(&f3, bytes.data() + at, 4);
    ASSERT_FLOAT_EQ(f3, static_cast<float>(item->values[2]));  // the offset is the item's
    f3 += 1.0f;
    std::memcpy(bytes.data() + at, &f3, 4);
    test::WriteText(file, std::string(bytes.begin(), bytes.end()));

    d = check::ReadStructureDigest(dir);
    b = check::BalanceTotals(in, check::StructureTotals(d), d);
    EXPECT_FALSE(b.balanced());
    bool found = false;
    for (const auto& row : b.rows)
        if (row.problem) {
            EXPECT_EQ(row.pattern, pattern + " (nodal loads)");
            if (row.figure == "Fz") {
                EXPECT_NEAR(row.difference, 1.0, 1e-3);
                found = true;
            }
        }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace t2v
