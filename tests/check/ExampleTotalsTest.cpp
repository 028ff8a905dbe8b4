// The shipped example building, transferred and read back: nothing is found, the totals
// balance, and a load item whose bytes are edited afterwards is caught with its pattern.
// What a transfer left out is named under the table as a reason, never hidden.
#include <gtest/gtest.h>

#include <algorithm>
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

TEST(ExampleTotals, WhatTheTransferLeftOutIsNamedUnderTheTable) {
    // A sideways load on the beam is left out; its downward load is carried over.
    auto r = test::RunTransfer(R"({"format": "tarvo-model", "version": 1, "units": 3,
      "materials": [{"name": "A992", "type": 1, "weight": 2.84e-4, "mass": 7.34e-7,
        "isotropic": {"E": 29000, "U": 0.3, "A": 6.5e-6, "G": 11154},
        "steel": {"Fy": 50, "Fu": 65, "EFy": 55, "EFu": 71.5}}],
      "frame_sections": [{"name": "W18", "type": 1, "material": "A992",
        "properties": {"A": 14.1, "I33": 800, "I22": 40.1, "J": 1.24}}],
      "points": [{"name": "1", "x": 0, "y": 0, "z": 0, "restraints": [1, 1, 1, 1, 1, 1]},
                 {"name": "2", "x": 0, "y": 0, "z": 144}, {"name": "3", "x": 288, "y": 0, "z": 144}],
      "frames": [{"name": "C1", "section": "W18", "i": "1", "j": "2"},
                 {"name": "B1", "section": "W18", "i": "2", "j": "3",
                  "distributed_loads": [{"pattern": "DEAD", "dir": 10, "val1": 0.1},
                                        {"pattern": "DEAD", "dir": 4, "val1": 0.2}]}],
      "load_patterns": [{"name": "DEAD", "type": 1, "self_weight_multiplier": 1}]})",
                               "Left");
    ASSERT_TRUE(r->written);
    const std::vector<check::LeftOutItem> items = check::LeftOutItems(r->plugin->Shared().report);
    ASSERT_FALSE(items.empty());
    // The report file beside the structure gives the same items to a later check.
    const std::vector<check::LeftOutItem> fromFile = check::ReadLeftOutItems(r->structureDir());
    ASSERT_EQ(fromFile.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) EXPECT_EQ(fromFile[i].what, items[i].what);
    EXPECT_TRUE(check::ReadLeftOutItems(r->dir / "no-structure").empty());

    const check::StructureDigest d = check::ReadStructureDigest(r->structureDir());
    const check::SourceInfo in = check::SourceTotalsFromHost(*r->host);
    const check::Balance b = check::BalanceTotals(in, check::StructureTotals(d), d, fromFile);
    std::ostringstream text;
    check::PrintBalance(b, text);
    EXPECT_TRUE(b.balanced()) << text.str();
    EXPECT_NE(text.str().find("left out: frame distributed load \"B1 (DEAD)\": load not vertical in GLOBAL"),
              std::string::npos)
        << text.str();

    // Thousands of items would bury the table: the text names the first ones and counts
    // the rest, the JSON keeps them all.
    const std::vector<check::LeftOutItem> many(check::kLeftOutPrinted + 5, check::LeftOutItem{"area \"A\": why"});
    const check::Balance crowded = check::BalanceTotals(in, check::StructureTotals(d), d, many);
    std::ostringstream crowdedText;
    check::PrintBalance(crowded, crowdedText);
    std::size_t printed = 0;
    for (std::size_t at = crowdedText.str().find("left out: area"); at != std::string::npos;
         at = crowdedText.str().find("left out: area", at + 1))
        ++printed;
    EXPECT_EQ(printed, check::kLeftOutPrinted);
    EXPECT_NE(crowdedText.str().find("... and 5 more left out"), std::string::npos);
    EXPECT_EQ(std::count(crowded.reasons.begin(), crowded.reasons.end(), "left out: area \"A\": why"),
              static_cast<long>(many.size()));
}

}  // namespace
}  // namespace t2v
