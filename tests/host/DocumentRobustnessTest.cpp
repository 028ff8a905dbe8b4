// Broken input never crashes the loader: whatever the text, it either loads or is
// refused with a DocumentError. Also loading from files.
#include "host/document/DocumentHost.h"
#include "SampleDocument.h"
#include "support/DocumentFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace t2v::host {
namespace {

using testing::kSampleDocument;

// Loads or refuses; any other outcome fails the test.
bool LoadsOrRefuses(std::string_view text) {
    try {
        DocumentHost::FromText(text, "fuzz.json");
        return true;
    } catch (const DocumentError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("fuzz.json: ", 0), 0u) << message;
        return false;
    }
}

TEST(DocumentRobustness, EveryTruncationIsRefused) {
    const std::string text(kSampleDocument);
    // The sample ends with its closing brace; every shorter prefix is broken JSON.
    for (std::size_t n = 0; n < text.size(); ++n) {
        EXPECT_FALSE(LoadsOrRefuses(std::string_view(text).substr(0, n))) << n;
    }
}

TEST(DocumentRobustness, RandomByteDamageNeverCrashes) {
    const std::string text(kSampleDocument);
    std::mt19937 random(20240611u);
    const std::string alphabet = "{}[]:,\"\\-+.0123456789eEtrufalsn \x01\xff\xc3";
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = text;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = random() % damaged.size();
            switch (random() % 3) {
                case 0:
                    damaged[at] = alphabet[random() % alphabet.size()];
                    break;
                case 1:
                    damaged.erase(at, 1 + random() % 8);
                    break;
                default:
                    damaged.insert(at, 1, alphabet[random() % alphabet.size()]);
                    break;
            }
            if (damaged.empty()) damaged = "x";
        }
        LoadsOrRefuses(damaged);
    }
}

TEST(DocumentRobustness, GarbageAndDeepNestingAreRefused) {
    EXPECT_FALSE(LoadsOrRefuses(std::string(100000, '[')));
    EXPECT_FALSE(LoadsOrRefuses(std::string(5000, '[') + std::string(5000, ']')));
    EXPECT_FALSE(LoadsOrRefuses(std::string("\0\0\0", 3)));
    EXPECT_FALSE(LoadsOrRefuses("\xef\xbb\xbf"));
    EXPECT_FALSE(LoadsOrRefuses("{\"format\": \"tarvo-model\", \"version\": 1} trailing"));
    EXPECT_FALSE(LoadsOrRefuses("null"));
    EXPECT_FALSE(LoadsOrRefuses("{\"format\": \"tarvo-model\", \"version\": 1, \"points\": [1, 2, 3]}"));
    EXPECT_FALSE(LoadsOrRefuses("{\"format\": \"tarvo-model\", \"version\": 99999999999999999999999}"));
}

// The example at the end of the users' guide must stay a document that loads.
TEST(DocumentGuide, ExampleLoads) {
    std::ifstream guide(std::string(T2V_SOURCE_DIR) + "/docs/model-documents.md");
    ASSERT_TRUE(guide) << "docs/model-documents.md not found";
    const std::string text((std::istreambuf_iterator<char>(guide)), std::istreambuf_iterator<char>());
    const std::size_t start = text.rfind("```json\n");
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = text.find("```", start + 8);
    ASSERT_NE(end, std::string::npos);
    const auto host = DocumentHost::FromText(std::string_view(text).substr(start + 8, end - start - 8), "guide");
    EXPECT_EQ(host->GetPointCount(), 6);
    Names cases;
    host->GetLoadCaseNameList(0, cases);
    EXPECT_EQ(cases, (Names{"GRAVITY", "PUSH-X", "EQ-X"}));
}

// Function files named relative to the document are found beside it; absolute names
// are kept as given, with the defaults of an unstated format.
TEST(DocumentFiles, FunctionFilesResolveFromTheDocumentFolderUnlessAbsolute) {
    const t2v::test::TempDir dir;
    t2v::test::WriteText(dir / "model.json", std::string(kSampleDocument));
    const auto host = t2v::test::LoadDocumentFile(dir / "model.json");
    THFunctionFile file;
    ASSERT_EQ(host->GetTHFunctionFromFile("EQX", file), 0);
    EXPECT_EQ(std::filesystem::path(file.fileName), std::filesystem::path(dir.path()) / "records" / "eqx.txt");
    EXPECT_EQ(host->GetPointCount(), 5);

    t2v::test::WriteText(dir / "abs.json", R"({"format": "tarvo-model", "version": 1, "functions": [
        {"name": "F", "type": 2, "kind": 0, "file": "/data/eq/record.txt"}]})");
    ASSERT_EQ(t2v::test::LoadDocumentFile(dir / "abs.json")->GetTHFunctionFromFile("F", file), 0);
    EXPECT_EQ(file.fileName, "/data/eq/record.txt");
    EXPECT_EQ(file.valueType, 1);
    EXPECT_TRUE(file.freeFormat);
    EXPECT_EQ(file.pointsPerLine, 1);
}

// A refused, missing or empty file is a DocumentError that names the path as given.
TEST(DocumentFiles, RefusalsNameThePathGiven) {
    const t2v::test::TempDir dir;
    auto refusalOf = [](const std::string& path) -> std::string {
        try {
            t2v::test::LoadDocumentFile(path);
        } catch (const DocumentError& e) {
            return e.what();
        }
        return "(accepted)";
    };
    t2v::test::WriteText(dir / "bad.json", R"({"format": "tarvo-model", "version": 1, "frames": 3})");
    EXPECT_EQ(refusalOf(dir / "bad.json"), (dir / "bad.json") + ": frames: expected an array, found the number 3");
    const std::string absent = refusalOf(dir / "absent.json");
    EXPECT_EQ(absent.rfind((dir / "absent.json") + ": (file): cannot open the file", 0), 0u) << absent;
    t2v::test::WriteText(dir / "empty.json", "");
    EXPECT_EQ(refusalOf(dir / "empty.json").rfind(dir / "empty.json", 0), 0u);
}

}  // namespace
}  // namespace t2v::host
