// Time-history functions: generators, function files and earthquake record files,
// with the records worked out by hand from the record layout.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "common/Record.h"
#include "host/document/DocumentHost.h"
#include "output/EarthquakeRecords.h"
#include "support/RecordingPlatform.h"
#include "source/ReadTHFunc.h"
#include "support/ByteBuilder.h"
#include "support/TempDir.h"

namespace t2v::source {
namespace {

using test::Bytes;

host::THFunctionFile freeFile(int valueType, int headerLines = 0, int prefix = 0, double dt = 0.1) {
    host::THFunctionFile f;
    f.valueType = valueType;
    f.headerLines = headerLines;
    f.prefixChars = prefix;
    f.freeFormat = true;
    f.dt = dt;
    return f;
}

host::THFunctionFile fixedFile(int valueType, int width, int perLine, double dt = 0.1) {
    host::THFunctionFile f = freeFile(valueType, 0, 0, dt);
    f.freeFormat = false;
    f.fieldWidth = width;
    f.pointsPerLine = perLine;
    return f;
}

void expectPoints(const THFuncPoints& p, const std::vector<std::pair<double, double>>& expected) {
    ASSERT_EQ(p.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_DOUBLE_EQ(p.times[i], expected[i].first) << "time of point " << i;
        EXPECT_DOUBLE_EQ(p.values[i], expected[i].second) << "value of point " << i;
    }
}

void expectFallback(const THFuncPoints& p) { expectPoints(p, {{0, 0}, {1, 0}}); }

// --- generators --------------------------------------------------------------------------

TEST(LoadcasesGenerators, CosineHasExactZerosAtQuarterPeriods) {
    const THFuncPoints p = CosinePoints(1.0, 4, 2, 2.0);
    ASSERT_EQ(p.size(), 9u);
    const double times[] = {0, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75, 2.0};
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(p.times[i], times[i]);
    EXPECT_EQ(p.values[0], 2.0);
    for (std::size_t i : {1u, 3u, 5u, 7u}) EXPECT_EQ(p.values[i], 0.0) << i;  // exact, not 1e-8
    for (std::size_t i : {2u, 6u}) EXPECT_NEAR(p.values[i], -2.0, 1e-12);
    for (std::size_t i : {4u, 8u}) EXPECT_NEAR(p.values[i], 2.0, 1e-12);
}

TEST(LoadcasesGenerators, SineStartsAtZeroAndZeroesHalfPeriods) {
    const THFuncPoints p = SinePoints(2.0, 2, 3, 5.0);
    ASSERT_EQ(p.size(), 7u);
    // Every point is (k, 0): sin at half and whole periods is exactly 0.
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(p.times[i], static_cast<double>(i));
        EXPECT_EQ(p.values[i], 0.0);
    }
    EXPECT_EQ(SinePoints(1.0, 0, 3, 1.0).size(), 1u);
    EXPECT_EQ(SinePoints(1.0, 4, -2, 1.0).size(), 1u);
}

TEST(LoadcasesGenerators, RampTrapezoidAndTriangle) {
    expectPoints(RampPoints(0.5, 3.0, 4.0), {{0, 0}, {0.5, 3}, {4, 3}});
    expectPoints(RampPoints(0.5, 3.0, 0.5), {{0, 0}, {0.5, 3}, {10, 3}});  // max not past the ramp

    // A ramp of 0.4 in a period of 1 passes a quarter period: the fraction is 0.2499.
    const double r = 0.2499;
    expectPoints(TrapezoidPoints(1.0, 0.4, 2.0, 1),
                 {{0, 0}, {r, 2}, {0.5 - r, 2}, {0.5, 0}, {0.5 + r, -2}, {1 - r, -2}, {1, 0}});
    // A quarter period exactly is kept.
    EXPECT_DOUBLE_EQ(TrapezoidPoints(2.0, 0.5, 1.0, 1).times[1], 0.5);
    EXPECT_EQ(TrapezoidPoints(2.0, 0.5, 1.0, 3).size(), 19u);

    expectPoints(TriangularPoints(2.0, 1.5, 2),
                 {{0, 0}, {0.5, 1.5}, {1, 0}, {1.5, -1.5}, {2, 0}, {2.5, 1.5}, {3, 0}, {3.5, -1.5}, {4, 0}});
}

// --- numbers and function files ----------------------------------------------------------

TEST(LoadcasesFunctionFile, NumbersAreLocaleFreeWithSignsAndExponents) {
    EXPECT_EQ(ParseNumber("+1.5e-3"), 1.5e-3);
    EXPECT_EQ(ParseNumber("-2E+2"), -200.0);
    EXPECT_EQ(ParseNumber(" .5 "), 0.5);
    EXPECT_EQ(ParseNumber("5."), 5.0);
    EXPECT_EQ(ParseNumber("\t7"), 7.0);
    for (const char* bad : {"", "  ", "1,5", "1e", "--1", "+-1", "inf", "-nan", "0x10", "1.2.3", "e5", "+", "1 2"})
        EXPECT_FALSE(ParseNumber(bad).has_value()) << '"' << bad << '"';
}

TEST(LoadcasesFunctionFile, HeaderLinesCommentsAndPrefixes) {
    const std::string text =
        "Title of the record\r\n"
        "$ counted as a header line\r\n"
        "$ a comment\r\n"
        "AB 0.0 0.0\r\n"
        "AB 0.01 +1.5e-1\r\n"
        "$AB 0.015 9\r\n"
        "AB 0.02   -2E-1";  // no line end after the last line
    expectPoints(ReadFunctionFileText(text, freeFile(2, 2, 3)), {{0, 0}, {0.01, 0.15}, {0.02, -0.2}});
}

TEST(LoadcasesFunctionFile, FreeFormatValuesAtEqualSteps) {
    // Runs of blanks and tabs separate fields; a text field is a point of value 0;
    // pairs may run across lines.
    expectPoints(ReadFunctionFileText("1.0\t 2.0   x\n\n4\n", freeFile(1, 0, 0, 0.5)),
                 {{0, 1}, {0.5, 2}, {1.0, 0}, {1.5, 4}});
    expectPoints(ReadFunctionFileText("0 1\n2 3 4\n5\n", freeFile(2)), {{0, 1}, {2, 3}, {4, 5}});
    // An odd field left at the end has no value and is dropped.
    expectPoints(ReadFunctionFileText("0 1 2\n", freeFile(2)), {{0, 1}});
}

TEST(LoadcasesFunctionFile, FixedFieldsKeepTheirColumns) {
    // Right-aligned fields of width 8, three per line; a non-numeric field is a 0; the
    // short last line has one point; the empty line ends the reading.
    const std::string text =
        "     1.0    -2.5     abc\n"
        "   4.0e0\n"
        "\n"
        "     9.0\n";
    const THFuncPoints p = ReadFunctionFileText(text, fixedFile(1, 8, 3, 0.1));
    ASSERT_EQ(p.size(), 4u);
    EXPECT_DOUBLE_EQ(p.values[0], 1.0);
    EXPECT_DOUBLE_EQ(p.values[1], -2.5);
    EXPECT_DOUBLE_EQ(p.values[2], 0.0);
    EXPECT_DOUBLE_EQ(p.values[3], 4.0);
    EXPECT_DOUBLE_EQ(p.times[3], 0.30000000000000004);  // 3 x 0.1

    // Pairs: two fields per point, with a prefix of 2 characters and a point whose value
    // field runs past the end of the line.
    host::THFunctionFile f = fixedFile(2, 6, 2);
    f.prefixChars = 2;
    expectPoints(ReadFunctionFileText("##  0.00  0.10  0.01  0.20\n##  0.02 -0.30\n##  0.03\n", f),
                 {{0, 0.1}, {0.01, 0.2}, {0.02, -0.3}, {0.03, 0}});
}

TEST(LoadcasesFunctionFile, UnusableFilesGiveTheTwoPointFunction) {
    expectFallback(ReadFunctionFileText("0 0\n0.02 1\n0.01 2\n", freeFile(2)));  // time goes back
    expectFallback(ReadFunctionFileText("-0.01 0\n0 1\n", freeFile(2)));         // negative start
    expectFallback(ReadFunctionFileText("header\n$ only a comment\n", freeFile(1, 1)));
    expectFallback(ReadFunctionFileText("", freeFile(1)));
    expectFallback(ReadFunctionFileText("time value\nabc def\n", freeFile(2)));  // no number at all
    // Equal times are not a step back.
    expectPoints(ReadFunctionFileText("0 0\n0 1\n", freeFile(2)), {{0, 0}, {0, 1}});
}

TEST(LoadcasesFunctionFile, AnyTextGivesAUsableFunction) {
    // Random text in every setting: never a crash, always points that start at a
    // non-negative time and never go back.
    std::uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
    const std::string alphabet = "0123456789 .\t\r\n$+-eEx,";
    for (int run = 0; run < 2000; ++run) {
        std::string text(next() % 200, ' ');
        for (char& ch : text) ch = alphabet[next() % alphabet.size()];
        host::THFunctionFile f = (next() % 2) ? freeFile(1 + static_cast<int>(next() % 3)) : fixedFile(1, 0, 0);
        f.headerLines = static_cast<int>(next() % 4) - 1;
        f.prefixChars = static_cast<int>(next() % 5) - 1;
        f.fieldWidth = static_cast<int>(next() % 12) - 1;
        f.pointsPerLine = static_cast<int>(next() % 5) - 1;
        const THFuncPoints p = ReadFunctionFileText(text, f);
        ASSERT_GE(p.size(), 1u);
        ASSERT_EQ(p.times.size(), p.values.size());
        ASSERT_GE(p.times[0], 0.0);
        for (std::size_t i = 1; i < p.size(); ++i) ASSERT_GE(p.times[i], p.times[i - 1]);
    }
}

// --- record files ------------------------------------------------------------------------

TEST(LoadcasesRecord, UserFunctionRecordByteForByte) {
    THFuncPoints p;
    p.add(0, 0);
    p.add(0.01, 0.3);
    p.add(0.02, -0.5);
    EXPECT_DOUBLE_EQ(RecordDuration(p.times), 0.02);
    const Bytes expected = Bytes()
                               .text("EarthquakeRecord: EQ1", 40)
                               .i16(1)
                               .i16(4)
                               .f32(-0.5f)
                               .f32(0.02f)
                               .f32(0.02f)
                               .f32(0)
                               .f32(0)
                               .f32(0)
                               .f32(0)
                               .f32(0.01f)
                               .f32(0.3f)
                               .f32(0.02f)
                               .f32(-0.5f);
    const auto bytes = EarthquakeRecordBytes("EarthquakeRecord: EQ1", p, 0.02);
    EXPECT_EQ(bytes.size(), 56u + 8u * 4u);
    EXPECT_EQ(bytes, expected.data());
}

TEST(LoadcasesRecord, PeakTiesKeepTheEarlierPointAtSinglePrecision) {
    // 0.7 and 0.70000000001 are the same single: the first stays the peak; -0.8 beats both.
    THFuncPoints p;
    p.add(0.1, 0.7);
    p.add(0.2, 0.70000000001);
    p.add(0.3, -0.7);
    auto peakOf = [](std::vector<std::uint8_t> b) {
        const RecordView r(b.data(), b.size());
        return std::make_pair(r.getF32(44), r.getF32(48));
    };
    EXPECT_EQ(peakOf(EarthquakeRecordBytes("h", p, 0.3)), std::make_pair(0.7f, 0.1f));
    p.add(0.4, -0.8);
    EXPECT_EQ(peakOf(EarthquakeRecordBytes("h", p, 0.4)), std::make_pair(-0.8f, 0.4f));
    // No point, or only zeros: peak 0 at time 0; duration 1.0 when every time is negative.
    EXPECT_EQ(peakOf(EarthquakeRecordBytes("h", THFuncPoints{}, 1.0)), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(RecordDuration({}), 1.0);
    EXPECT_EQ(RecordDuration({-3, -1}), 1.0);
}

TEST(LoadcasesRecord, CosineRecordByteForByte) {
    const THFuncPoints p = CosinePoints(1.0, 4, 2, 2.0);
    Bytes expected;
    expected.text("EarthquakeRecord: C", 40).i16(1).i16(10).f32(2.0f).f32(0).f32(2.0f).f32(0).f32(0);
    const float values[] = {2, 0, -2, 0, 2, 0, -2, 0, 2};
    for (int i = 0; i < 9; ++i) expected.f32(0.25f * static_cast<float>(i)).f32(values[i]);
    EXPECT_EQ(EarthquakeRecordBytes("EarthquakeRecord: C", p, RecordDuration(p.times)), expected.data());
}

// --- file names ----------------------------------------------------------------------------

TEST(LoadcasesRecordName, UnsafeNamesAreEncodedInsideTheFolder) {
    for (const char* ok : {"EQX", "El Centro N-S", "a..b", ".hidden", "Beben-\xC3\xA4", "CONSOLE", "COM10"})
        EXPECT_TRUE(IsSafeRecordFileName(ok)) << ok;
    for (const char* bad : {"",    ".",   "..",  "...",       "../x", "a/b",  "a\\b", "C:x",     "a<b",  "a>b", "a\"b",
                            "a|b", "a?b", "a*b", "tab\there", "end.", "end ", "CON",  "nul.txt", "Com1", "lpt9"})
        EXPECT_FALSE(IsSafeRecordFileName(bad)) << bad;

    TakenFileNames taken{FoldFileName("a_b")};
    EXPECT_EQ(RecordFileNameFor("../Escape", taken), ".._Escape");
    EXPECT_EQ(RecordFileNameFor("C:\\x", taken), "C__x");
    EXPECT_EQ(RecordFileNameFor("..", taken), "__");
    EXPECT_EQ(RecordFileNameFor("", taken), "_");
    EXPECT_EQ(RecordFileNameFor("CON", taken), "_CON");
    EXPECT_EQ(RecordFileNameFor("x. ", taken), "x__");
    // Encoded names never take the file of another function (letter case ignored).
    EXPECT_EQ(RecordFileNameFor("a/b", taken), "a_b~2");
    EXPECT_EQ(RecordFileNameFor("A|B", taken), "A_B~3");
    EXPECT_EQ(RecordFileNameFor("EQX", taken), "EQX");
}

TEST(LoadcasesRecordName, LongNamesFitTheTwelveCharactersOfTheDynamicCase) {
    // The model's names that fit are reserved first, as the read step does.
    TakenFileNames taken{FoldFileName("GroundMotion")};
    EXPECT_EQ(RecordFileNameFor("GroundMotion", taken), "GroundMotion");
    EXPECT_EQ(RecordFileNameFor("GroundMotion2", taken), "GroundMoti~2");
    EXPECT_EQ(RecordFileNameFor("groundmotionX", taken), "groundmoti~3");
    TakenFileNames fresh;
    EXPECT_EQ(RecordFileNameFor("GroundMotionX", fresh), "GroundMotion");
    EXPECT_EQ(RecordFileNameFor("GroundMotionY", fresh), "GroundMoti~2");
    // Characters are counted, not bytes; a character the code page lacks becomes "_".
    EXPECT_EQ(RecordFileNameFor("Beben-\xC3\xA4-Nord-1", fresh), "Beben-\xC3\xA4-Nord");
    EXPECT_EQ(RecordFileNameFor("EQ-\xE4\xB8\x80", fresh), "EQ-_");
    EXPECT_EQ(RecordFileNameFor("ABCDEFGHIJK. more", fresh), "ABCDEFGHIJK_");
    EXPECT_TRUE(RecordFileNameFits("TwelveChars1"));
    EXPECT_FALSE(RecordFileNameFits("ThirteenChars"));
}

// --- the read step through a host ----------------------------------------------------------

class LoadcasesReadTHFunc : public ::testing::Test {
protected:
    test::TempDir tmp;
    platform::RecordingPlatform plat;
    std::string home = tmp / "Vantra";
    std::unique_ptr<host::DocumentHost> host;
    std::unique_ptr<TarvoModelObj> model;

    // Reads the functions of a model document (function files are found in `tmp`) and
    // writes their records, as a transfer does.
    TarvoModelObj& read(const std::string& functions) {
        host =
            host::DocumentHost::FromText(R"({"format": "tarvo-model", "version": 1, "functions": [)" + functions + "]}",
                                         "functions.json", tmp.path());
        model = std::make_unique<TarvoModelObj>(*host, plat, Units{}, RecordsLocation{home, "EqkeGroup"});
        model->ReadTarvoTHFunc();
        output::WriteEarthquakeRecords(plat, model->Records(), *model);
        return *model;
    }
    std::string recordPath(const std::string& file) const { return home + "/Records/EqkeGroup/" + file; }
};

TEST_F(LoadcasesReadTHFunc, EveryKindBecomesARecordAndAFunction) {
    TarvoModelObj& src = read(R"(
        {"name": "User", "type": 2, "kind": 1, "times": [0, 0.01, 0.02], "values": [0, 0.3, -0.5]},
        {"name": "Sine", "type": 2, "kind": 2, "period": 1, "steps_per_cycle": 4, "cycles": 2, "amplitude": 1},
        {"name": "Cos", "type": 2, "kind": 3, "period": 1, "steps_per_cycle": 4, "cycles": 2, "amplitude": 2},
        {"name": "Ramp", "type": 2, "kind": 4, "ramp_time": 1, "amplitude": 1, "max_time": 5},
        {"name": "Trap", "type": 2, "kind": 5, "period": 1, "ramp_time": 0.4, "amplitude": 1, "cycles": 2},
        {"name": "Tri", "type": 2, "kind": 6, "period": 1, "amplitude": 1, "cycles": 3},
        {"name": "Periodic", "type": 2, "kind": 7, "cycles": 5, "times": [0, 0.5], "values": [0, 1]},
        {"name": "Spectrum", "type": 1})");

    ASSERT_EQ(src.THFuncNum(), 7);
    const std::pair<const char*, int> expected[] = {{"User", 3},  {"Sine", 9}, {"Cos", 9},     {"Ramp", 3},
                                                    {"Trap", 13}, {"Tri", 13}, {"Periodic", 2}};
    for (int i = 0; i < 7; ++i) {
        const TarvoTHFuncObj& f = src.THFuncObj(i + 1);
        EXPECT_EQ(f.Label, expected[i].first);
        EXPECT_EQ(f.ValueNum(), expected[i].second) << f.Label;
        EXPECT_EQ(f.Dt, 0.05);
        EXPECT_EQ(f.RecordFileName, f.Label);
        EXPECT_EQ(test::ReadBytes(recordPath(f.Label)).size(), 56u + 8u * static_cast<unsigned>(f.ValueNum() + 1));
    }
    EXPECT_EQ(src.THFuncObjGet("Periodic")->Value[1], 1.0);  // one cycle only
    EXPECT_FALSE(std::filesystem::exists(recordPath("Spectrum")));
    EXPECT_TRUE(plat.messages.empty());

    // The user function's record, byte for byte.
    const Bytes user = Bytes()
                           .text("EarthquakeRecord: User", 40)
                           .i16(1)
                           .i16(4)
                           .f32(-0.5f)
                           .f32(0.02f)
                           .f32(0.02f)
                           .zeros(16)
                           .f32(0.01f)
                           .f32(0.3f)
                           .f32(0.02f)
                           .f32(-0.5f);
    EXPECT_EQ(test::ReadBytes(recordPath("User")), user.data());
}

TEST_F(LoadcasesReadTHFunc, LongNameKeepsItsHeaderAndGetsAFileNameThatFits) {
    // The dynamic case names the record file in 12 characters: the file is named so
    // that it fits, while the header keeps the function's name (cut to 40 there).
    const std::string name30 = "Thirty_character_function_name";
    ASSERT_EQ(name30.size(), 30u);
    TarvoModelObj& src =
        read(R"({"name": ")" + name30 + R"(", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 1]})");
    EXPECT_EQ(src.THFuncObj(1).RecordFileName, "Thirty_chara");
    const auto bytes = test::ReadBytes(recordPath("Thirty_chara"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 40), ("EarthquakeRecord: " + name30).substr(0, 40));
    ASSERT_EQ(src.Report.items().size(), 1u);
    EXPECT_EQ(src.Report.items()[0].reason, "record file name mended (record file Thirty_chara)");
    EXPECT_FALSE(src.Report.items()[0].problem);
}

TEST_F(LoadcasesReadTHFunc, FunctionFileIsReadThroughThePlatform) {
    test::WriteText(tmp / "quake.txt", "t a\n$ c\n0 0\n0.1 0.5\n");
    TarvoModelObj& src = read(R"(
        {"name": "Q", "type": 2, "kind": 0, "file": "quake.txt", "header_lines": 1, "value_type": 2, "dt": 0.1},
        {"name": "Missing", "type": 2, "kind": 0, "file": "missing.txt", "value_type": 2, "dt": 0.02})");
    ASSERT_EQ(src.THFuncNum(), 2);
    EXPECT_EQ(src.THFuncObj(1).Dt, 0.1);
    EXPECT_EQ(src.THFuncObj(1).Value, (std::vector<double>{0, 0.5}));
    EXPECT_EQ(src.THFuncObj(2).Dt, 0.02);
    EXPECT_EQ(src.THFuncObj(2).Time, (std::vector<double>{0, 1}));
    // The two-point zero function stands in, and the report says so as a problem.
    ASSERT_EQ(src.Report.items().size(), 1u);
    EXPECT_EQ(src.Report.items()[0].name, "Missing");
    EXPECT_TRUE(src.Report.items()[0].problem);
    EXPECT_TRUE(plat.messages.empty());
}

TEST_F(LoadcasesReadTHFunc, UnsafeNameIsWrittenInsideTheRecordsFolder) {
    TarvoModelObj& src = read(R"(
        {"name": "../Escape", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 2]},
        {"name": "..", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 3]})");
    ASSERT_EQ(src.THFuncNum(), 2);
    EXPECT_EQ(src.THFuncObj(1).Label, "../Escape");
    EXPECT_EQ(src.THFuncObj(1).RecordFileName, ".._Escape");
    EXPECT_EQ(src.THFuncObj(2).RecordFileName, "__");
    EXPECT_FALSE(std::filesystem::exists(home + "/Records/Escape"));
    const auto bytes = test::ReadBytes(recordPath(".._Escape"));
    std::string header = "EarthquakeRecord: ../Escape";
    header.resize(40, ' ');
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 40), header);
    EXPECT_TRUE(std::filesystem::exists(recordPath("__")));
    // Nothing but the two records was written anywhere under the test folder.
    std::size_t files = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(tmp.path()))
        if (e.is_regular_file()) ++files;
    EXPECT_EQ(files, 2u);
}

TEST_F(LoadcasesReadTHFunc, FoldersAreMadeOneLevelAtATimeOrReported) {
    const std::string two = R"(
        {"name": "A", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 1]},
        {"name": "B", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 1]})";
    // Without the records folder no record can be written: the transfer stops, naming
    // the folder and the reason.
    plat.uncreatableFolders.insert(home + "/Records");
    try {
        read(two);
        ADD_FAILURE() << "a records folder that cannot be made must stop the transfer";
    } catch (const TransferFailure& e) {
        EXPECT_EQ(std::string(e.what()), "cannot create the folder " + home + "/Records: injected failure");
    }
    EXPECT_TRUE(std::filesystem::is_directory(home));  // the home level was still made
    EXPECT_FALSE(std::filesystem::exists(home + "/Records"));

    // With the folder in place, an unwritable record file is a problem of the report.
    plat.uncreatableFolders.clear();
    plat.unopenableFiles.insert(recordPath("B"));
    TarvoModelObj& src = read(two);
    EXPECT_TRUE(std::filesystem::exists(recordPath("A")));
    ASSERT_EQ(src.Report.items().size(), 1u);
    EXPECT_EQ(src.Report.items()[0].reason,
              "record not written (cannot create " + recordPath("B") + ": injected failure)");
    EXPECT_TRUE(src.Report.items()[0].problem);
    EXPECT_EQ(src.RecordsWritten, 1u);
}

TEST_F(LoadcasesReadTHFunc, WithoutAHomeNothingIsWrittenBelowTheRoot) {
    // Version 4 without an install path leaves the home empty: the records would land in
    // "/Records" below the file system's root, so the transfer stops before any record or
    // folder is written. "/Records" is refused here as well, so a fault leaves the root alone.
    home = "";
    plat.uncreatableFolders.insert("/Records");
    try {
        read(R"({"name": "A", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 1]})");
        FAIL() << "a transfer without a home folder went on";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("no Vantra home folder"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(plat.messages.empty());
    if (!std::filesystem::exists("/Records"))
        SUCCEED();
    else
        EXPECT_FALSE(std::filesystem::exists("/Records/EqkeGroup/A"));
}

TEST_F(LoadcasesReadTHFunc, TooManyPointsForARecordAreRefused) {
    TarvoModelObj& src = read(R"(
        {"name": "Long", "type": 2, "kind": 2, "period": 1, "steps_per_cycle": 40000, "cycles": 1, "amplitude": 1},
        {"name": "Huge", "type": 2, "kind": 6, "period": 1, "cycles": 2000000, "amplitude": 1},
        {"name": "Fits", "type": 2, "kind": 2, "period": 1, "steps_per_cycle": 32765, "cycles": 1, "amplitude": 1})");
    ASSERT_EQ(src.THFuncNum(), 1);
    EXPECT_EQ(src.THFuncObj(1).ValueNum(), 32766);
    EXPECT_EQ(test::ReadBytes(recordPath("Fits")).size(), 56u + 8u * 32767u);
    ASSERT_EQ(src.Report.items().size(), 2u);
    EXPECT_EQ(src.Report.items()[0].reason, "function longer than a record holds (40001 points, at most 32766)");
    EXPECT_TRUE(src.Report.items()[0].problem);
    EXPECT_FALSE(std::filesystem::exists(recordPath("Long")));
}

}  // namespace
}  // namespace t2v::source
