// The output of a generated building, kept decoded under tests/data/golden: each
// structure file and earthquake record as vantra-dump prints it in JSON. A change to
// the output fails with the file, the block and the field that moved. When a change
// is meant to alter the output, rewrite the golden files with
//     T2V_UPDATE_GOLDEN=1 build/bin/test_apps --gtest_filter='GoldenOutput.*'
// and let the diff of the golden files show the reviewer what changed.
#include <gtest/gtest.h>

#include <simdjson.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "decode/Emitter.h"
#include "decode/StructureReader.h"
#include "support/TempDir.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

namespace fs = std::filesystem;
using simdjson::dom::element;
using simdjson::dom::element_type;

const std::string kGolden = std::string(T2V_SOURCE_DIR) + "/tests/data/golden";

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string scalar(element e) { return simdjson::minify(e); }

// The first place where `got` and `want` differ, as "path: got X, want Y"; empty when equal.
std::string firstDifference(element got, element want, const std::string& path) {
    if (got.type() != want.type()) return path + ": got " + scalar(got) + ", want " + scalar(want);
    if (got.type() == element_type::OBJECT) {
        simdjson::dom::object g = got.get_object(), w = want.get_object();
        for (auto [key, value] : w) {
            element other;
            if (g.at_key(key).get(other) != simdjson::SUCCESS) return path + "." + std::string(key) + ": missing";
            std::string d = firstDifference(other, value, path + "." + std::string(key));
            if (!d.empty()) return d;
        }
        for (auto [key, value] : g) {
            element other;
            if (w.at_key(key).get(other) != simdjson::SUCCESS) return path + "." + std::string(key) + ": not expected";
        }
        return "";
    }
    if (got.type() == element_type::ARRAY) {
        simdjson::dom::array g = got.get_array(), w = want.get_array();
        if (g.size() != w.size())
            return path + ": " + std::to_string(g.size()) + " items, want " + std::to_string(w.size());
        for (std::size_t i = 0; i < w.size(); ++i) {
            std::string d = firstDifference(g.at(i), w.at(i), path + "[" + std::to_string(i) + "]");
            if (!d.empty()) return d;
        }
        return "";
    }
    return scalar(got) == scalar(want) ? "" : path + ": got " + scalar(got) + ", want " + scalar(want);
}

TEST(GoldenOutput, GeneratedBuildingDecodesToTheGoldenFiles) {
    test::TempDir gen;
    const std::string doc = gen / "building.json";
    const std::string cmd = std::string(T2V_BIN_DIR) + "/tarvo-genmodel --elements 1500 --seed 7 --quiet -o '" + doc +
                            "' > '" + (gen / "log") + "' 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    auto r = test::RunTransferFile(doc, "Check");
    ASSERT_TRUE(r->written);

    // (golden file name, decoded JSON) for the seven structure files and every record.
    std::vector<std::pair<std::string, std::string>> outputs;
    for (std::string_view suffix : decode::StructureFileSuffixes()) {
        const std::string name = decode::StructureFileName(suffix);
        outputs.emplace_back(name + ".json",
                             decode::ToJson(decode::DecodeStructureFile(r->structureDir() + "/" + name, suffix), true));
    }
    std::vector<fs::path> records;
    for (const auto& e : fs::directory_iterator(r->home() + "/Records/EqkeGroup")) records.push_back(e.path());
    std::sort(records.begin(), records.end());
    for (const fs::path& p : records)
        outputs.emplace_back("records/" + p.filename().string() + ".json",
                             decode::ToJson(decode::DecodeEarthquakeRecord(p.string()), true));

    if (std::getenv("T2V_UPDATE_GOLDEN")) {
        fs::remove_all(kGolden);
        fs::create_directories(kGolden + "/records");
        for (const auto& [file, json] : outputs) std::ofstream(kGolden + "/" + file, std::ios::binary) << json;
        GTEST_SKIP() << "golden files rewritten in " << kGolden;
    }

    std::size_t goldenRecords = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(kGolden + "/records")) ++goldenRecords;
    EXPECT_EQ(records.size(), goldenRecords) << "earthquake records written";
    for (const auto& [file, json] : outputs) {
        SCOPED_TRACE(file);
        const std::string want = slurp(kGolden + "/" + file);
        ASSERT_FALSE(want.empty()) << "no golden file " << file;
        if (json == want) continue;
        simdjson::dom::parser gp, wp;
        simdjson::padded_string gs(json), ws(want);
        element g, w;
        ASSERT_EQ(gp.parse(gs).get(g), simdjson::SUCCESS);
        ASSERT_EQ(wp.parse(ws).get(w), simdjson::SUCCESS);
        const std::string d = firstDifference(g, w, file.substr(0, file.size() - 5));
        ADD_FAILURE() << (d.empty() ? "same values, different text" : d);
    }
}

}  // namespace
}  // namespace t2v
