// Bad input of every kind, each refused with the file, the place and the reason:
// syntax, types, ranges, references, encodings, file kinds and names. Where the rules
// of a family are checked one by one (DocumentRefusalTest), only the kinds of fault
// that cut across families are here, with one case for each rule that had none.
#include "host/document/DocumentHost.h"
#include "support/DocumentFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace t2v::host {
namespace {

constexpr const char* kHead = R"({"format": "tarvo-model", "version": 1, )";
constexpr const char* kPoints =
    R"("points": [{"name": "A", "x": 0, "y": 0, "z": 0}, {"name": "B", "x": 1, "y": 0, "z": 0},
                                             {"name": "C", "x": 1, "y": 1, "z": 0}], )";
constexpr const char* kParts = R"("materials": [{"name": "M", "type": 2}], "load_patterns": [{"name": "D"}],
                                  "frame_sections": [{"name": "FS", "material": "M"}],
                                  "area_sections": [{"name": "AS", "material": "M"}], )";

// A document of the head, the shared parts and `families`, which ends the object.
std::string Doc(const std::string& families) { return std::string(kHead) + kPoints + kParts + families; }

std::string RefusalOf(const std::string& json) {
    try {
        DocumentHost::FromText(json, "model.json");
    } catch (const DocumentError& e) {
        return e.what();
    }
    return "(accepted)";
}

struct BadInput {
    const char* label;
    std::string json;
    const char* where;  // the JSON location, or "line L, column C"
    const char* reason;
};
void PrintTo(const BadInput& b, std::ostream* os) { *os << b.label; }

class Refused : public ::testing::TestWithParam<BadInput> {};

TEST_P(Refused, WithFilePlaceAndReason) {
    const BadInput& b = GetParam();
    const std::string message = RefusalOf(b.json);
    EXPECT_EQ(message.rfind(std::string("model.json: ") + b.where + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(b.reason), std::string::npos) << message;
}

std::string Label(const ::testing::TestParamInfo<BadInput>& p) { return p.param.label; }

INSTANTIATE_TEST_SUITE_P(
    Syntax, Refused,
    ::testing::Values(
        BadInput{"TrailingCommaInArray", Doc(R"("groups": [{"name": "G"},]})"), "line 4, column 112",
                 "expected a value"},
        BadInput{"MissingColon", R"({"format" "tarvo-model"})", "line 1, column 11", "expected ':' after the key"},
        BadInput{"BadEscape", R"({"format": "tarvo\q"})", "line 1, column 19", "bad escape in a string"},
        BadInput{"TabInsideString", "{\"format\": \"tar\tvo\"}", "line 1, column 16",
                 "control character inside a string"},
        BadInput{"LeadingZero", R"({"format": "tarvo-model", "version": 01})", "line 1, column 39", "bad number"},
        BadInput{"UnclosedArray", Doc(R"("groups": [})"), "line 4, column 98", "expected a value"}),
    Label);

INSTANTIATE_TEST_SUITE_P(
    Types, Refused,
    ::testing::Values(
        BadInput{"CoordinateAsText", std::string(kHead) + R"("points": [{"name": "A", "x": "0", "y": 0, "z": 0}]})",
                 "points[0].x", "expected a number, found the string \"0\""},
        BadInput{"FamilyItemNotObject", Doc(R"("groups": [3]})"), "groups[0]", "found the number 3"},
        BadInput{"FormatNotText", R"({"format": 1, "version": 1})", "format", "found the number 1"},
        BadInput{"RestraintsAsObject",
                 std::string(kHead) + R"("points": [{"name": "A", "x": 0, "y": 0, "z": 0, "restraints": {}}]})",
                 "points[0].restraints", "found an object"},
        BadInput{"MemberNamesNotText", Doc(R"("groups": [{"name": "G", "points": [1]}]})"), "groups[0].points[0]",
                 "expected a string"}),
    Label);

INSTANTIATE_TEST_SUITE_P(
    Ranges, Refused,
    ::testing::Values(
        BadInput{"IntegerPast64Bits", R"({"format": "tarvo-model", "version": 1, "units": 18446744073709551616})",
                 "units", "must be a whole number from 1 to 16, found the number 18446744073709551616"},
        BadInput{"LargestUnsignedInteger", R"({"format": "tarvo-model", "version": 1, "units": 18446744073709551615})",
                 "units", "must be a whole number from 1 to 16, found the number 18446744073709551615"},
        BadInput{"HundredThousandDigits",
                 R"({"format": "tarvo-model", "version": 1, "points": [{"name": "A", "x": )" +
                     std::string(100000, '9') + R"(, "y": 0, "z": 0}]})",
                 "points[0].x", "the number 999999999999999999999999... (100000 characters) is out of range"},
        BadInput{"ExponentPastDouble",
                 std::string(kHead) + R"("points": [{"name": "A", "x": 0, "y": -1e999, "z": 0}]})", "points[0].y",
                 "the number -1e999 is out of range"},
        BadInput{"VersionPastInt", R"({"format": "tarvo-model", "version": 4294967297})", "version",
                 "must be a whole number that fits in 32 bits, found 4294967297"}),
    Label);

INSTANTIATE_TEST_SUITE_P(
    References, Refused,
    ::testing::Values(
        BadInput{"GroupPointUnknown", Doc(R"("groups": [{"name": "G", "points": ["Z"]}]})"), "groups[0].points[0]",
                 "point \"Z\" does not exist"},
        BadInput{"FramePointLoadPatternUnknown", Doc(R"("frames": [{"name": "F", "section": "FS", "i": "A", "j": "B",
                     "point_loads": [{"pattern": "Q", "dir": 10, "rd": 0.5, "val": 1}]}]})"),
                 "frames[0].point_loads[0].pattern", "load pattern \"Q\" does not exist"},
        BadInput{"AreaLoadPatternUnknown", Doc(R"("areas": [{"name": "S", "section": "AS", "points": ["A", "B", "C"],
                     "uniform_loads": [{"pattern": "Q", "dir": 10, "value": 1}]}]})"),
                 "areas[0].uniform_loads[0].pattern", "load pattern \"Q\" does not exist"},
        BadInput{"HistoryLoadPatternUnknown",
                 Doc(R"("functions": [{"name": "EQ", "type": 2, "kind": 1, "times": [0], "values": [0]}],
                     "load_cases": [{"name": "H", "type": 8, "output_steps": 1, "step_size": 0.1,
                     "loads": [{"type": "Load", "name": "Q", "function": "EQ", "scale": 1}]}]})"),
                 "load_cases[0].loads[0].name", "load pattern \"Q\" does not exist"},
        BadInput{"NamesAreCaseSensitive", Doc(R"("frames": [{"name": "F", "section": "fs", "i": "A", "j": "B"}]})"),
                 "frames[0].section", "\"fs\" does not exist"}),
    Label);

// Every family keeps its names unique (the families not covered rule by rule).
INSTANTIATE_TEST_SUITE_P(
    Names, Refused,
    ::testing::Values(
        BadInput{"FrameNameTwice", Doc(R"("frames": [{"name": "F", "section": "FS", "i": "A", "j": "B"},
                                    {"name": "F", "section": "FS", "i": "B", "j": "C"}]})"),
                 "frames[1].name", "already used by frames[0]"},
        BadInput{"AreaNameTwice", Doc(R"("areas": [{"name": "S", "section": "AS", "points": ["A", "B", "C"]},
                                   {"name": "S", "section": "AS", "points": ["A", "B", "C"]}]})"),
                 "areas[1].name", "already used by areas[0]"},
        BadInput{"FrameSectionNameTwice", std::string(kHead) + R"("materials": [{"name": "M", "type": 2}],
                     "frame_sections": [{"name": "FS", "material": "M"}, {"name": "FS", "material": "M"}]})",
                 "frame_sections[1].name", "already used by frame_sections[0]"},
        BadInput{"AreaSectionNameTwice", std::string(kHead) + R"("materials": [{"name": "M", "type": 2}],
                     "area_sections": [{"name": "AS", "material": "M"}, {"name": "AS", "material": "M"}]})",
                 "area_sections[1].name", "already used by area_sections[0]"},
        BadInput{"ConstraintNameTwice", Doc(R"("constraints": [{"name": "K", "type": 2}, {"name": "K", "type": 2}]})"),
                 "constraints[1].name", "already used by constraints[0]"},
        BadInput{"FunctionNameTwice", Doc(R"("functions": [{"name": "R", "type": 1}, {"name": "R", "type": 1}]})"),
                 "functions[1].name", "already used by functions[0]"},
        BadInput{"PointNameEmpty", std::string(kHead) + R"("points": [{"name": "", "x": 0, "y": 0, "z": 0}]})",
                 "points[0].name", "may not be empty"}),
    Label);

INSTANTIATE_TEST_SUITE_P(
    Encodings, Refused,
    ::testing::Values(
        BadInput{"StrayContinuationByte", "{\"format\": \"tarvo-model\",\n \"version\": 1, \"units\": \"\x80\"}",
                 "line 2, column 26 (byte offset 51)", "the byte 0x80 continues a character that never started"},
        BadInput{"SequenceCutShort", "{\"format\": \"tarvo-model\", \"version\": 1, \"x\": \"\xC3\"}",
                 "line 1, column 47 (byte offset 46)", "the character that starts with the byte 0xC3 is cut short"},
        BadInput{"OverlongSlash", "{\"format\": \"\xC0\xAF\"}", "line 1, column 13 (byte offset 12)",
                 "the byte 0xC0 never starts a character"},
        BadInput{"EncodedSurrogate", "{\"format\": \"\xED\xA0\x80\"}", "line 1, column 13 (byte offset 12)",
                 "the byte 0xED is cut short or malformed"},
        BadInput{"PastLastCodePoint", "{\"format\": \"\xF4\x90\x80\x80\"}", "line 1, column 13 (byte offset 12)",
                 "0xF4 is cut short or malformed"},
        BadInput{"Utf16Text", std::string("\xFF\xFE{\0", 4), "line 1, column 1 (byte offset 0)",
                 "the byte 0xFF never starts a character"},
        BadInput{"MarkThenSyntaxFault", "\xEF\xBB\xBF{\"format\" 1}", "line 1, column 11",
                 "expected ':' after the key"}),
    Label);

// A byte-order mark is skipped; what follows reads as without it.
TEST(BadInput, ByteOrderMarkIsAccepted) {
    const auto host =
        DocumentHost::FromText("\xEF\xBB\xBF{\"format\": \"tarvo-model\", \"version\": 1, \"units\": 5}", "model.json");
    EXPECT_EQ(host->GetPresentUnits(), 5);
}

// A number that fits a double is kept whatever its length; the parser's fast path is
// only for ordinary lengths, and no value after it is lost.
TEST(BadInput, LongAndTinyNumbersReadAsDoubles) {
    const std::string digits = "1." + std::string(5000, '0') + "1";
    const auto host = DocumentHost::FromText(
        std::string(kHead) + R"("points": [{"name": "A", "x": )" + digits +
            R"(, "y": 99999999999999999999999, "z": 1e-999}, {"name": "B", "x": 2, "y": 0, "z": 0}]})",
        "model.json");
    double x = 0, y = 0, z = 0;
    ASSERT_EQ(host->GetPointCoordinates("A", "Global", x, y, z), 0);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 1e23);
    EXPECT_EQ(z, 0.0);
    ASSERT_EQ(host->GetPointCoordinates("B", "Global", x, y, z), 0);
    EXPECT_EQ(x, 2.0);
}

// File kinds: only a regular file is a model document. The others used to be opened
// and sized, which for a folder asked for 2^63 bytes.
class FileKinds : public ::testing::Test {
protected:
    static std::string RefusalOfFile(const std::string& path) {
        try {
            t2v::test::LoadDocumentFile(path);
        } catch (const DocumentError& e) {
            return e.what();
        }
        return "(accepted)";
    }
    t2v::test::TempDir dir;
    std::filesystem::path folder{dir.path()};
};

TEST_F(FileKinds, FoldersDevicesAndPipesAreRefusedByName) {
    EXPECT_EQ(RefusalOfFile(folder.string()), folder.string() + ": (file): it is a folder, not a model document");
    EXPECT_EQ(RefusalOfFile("/dev/null"), "/dev/null: (file): it is a device, not a model document");
    const std::string pipe = (folder / "pipe.json").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(RefusalOfFile(pipe), pipe + ": (file): it is a pipe, not a model document");
}

// Both are refused before the text is parsed: a document cut short, or one larger than
// the parser can index, would otherwise be read as some other text (or reserve 4 GB first).
TEST_F(FileKinds, ADocumentReadShortOrOver4GBIsRefused) {
    const std::string big = (folder / "big.json").string();
    std::ofstream{big}.close();
    if (::truncate(big.c_str(), off_t{1} << 32) == 0) {  // sparse: no disk space taken
        EXPECT_EQ(RefusalOfFile(big), big + ": (document): the document is larger than 4 GB");
    }
    // The kernel's attribute files claim a page and hold a few bytes.
    const std::string shrunk = "/sys/devices/system/cpu/online";
    struct stat st {};
    if (::stat(shrunk.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 64) {
        EXPECT_EQ(RefusalOfFile(shrunk), shrunk + ": (file): cannot read the file: it ended early");
    }
}

TEST_F(FileKinds, ALinkToADocumentIsFollowed) {
    const auto target = folder / "model.json";
    std::ofstream(target) << R"({"format": "tarvo-model", "version": 1, "units": 4})";
    std::filesystem::create_symlink(target, folder / "link.json");
    EXPECT_EQ(t2v::test::LoadDocumentFile((folder / "link.json").string())->GetPresentUnits(), 4);
}

}  // namespace
}  // namespace t2v::host
