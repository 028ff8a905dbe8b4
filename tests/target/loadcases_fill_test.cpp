// Load cases and the analysis series, read back at the byte offsets of their records.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "output/WriteStructureFiles.h"
#include "support/RecordingPlatform.h"
#include "host/document/DocumentHost.h"
#include "support/ByteBuilder.h"
#include "support/TempDir.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

// Pieces of a model document: loads and load cases as JSON text.
std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char ch : s) {
        if (ch == '"' || ch == '\\') out += '\\';
        out += ch;
    }
    return out + "\"";
}
std::string num(double v) {
    std::ostringstream o;
    o.precision(17);
    o << v;
    return o.str();
}
std::string list(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
    return out + "]";
}
std::string load(const std::string& type, const std::string& name, double scale) {
    return "{\"type\": " + quoted(type) + ", \"name\": " + quoted(name) + ", \"scale\": " + num(scale) + "}";
}
std::string accel(const std::string& dir, const std::string& function, double scale, double timeFactor = 1) {
    if (function.empty()) return load("Accel", dir, scale);
    return "{\"type\": \"Accel\", \"name\": " + quoted(dir) + ", \"function\": " + quoted(function) +
           ", \"scale\": " + num(scale) + ", \"time_factor\": " + num(timeFactor) + "}";
}
std::string gravityCase(const std::string& name, const std::vector<std::string>& loads) {
    return "{\"name\": " + quoted(name) + R"(, "type": 2, "load_application": {"load_control": 1}, "loads": )" +
           list(loads) + "}";
}
std::string pushoverCase(const std::string& name, int dof, const std::vector<std::string>& loads) {
    return "{\"name\": " + quoted(name) + R"(, "type": 2, "load_application": {"load_control": 2, "monitored_dof": )" +
           std::to_string(dof) + "}, \"loads\": " + list(loads) + "}";
}
std::string dynamicCase(const std::string& name, const std::vector<std::string>& loads, int steps = 100,
                        double size = 0.02, int dampingCode = 1, double v1 = 0, double v2 = 0) {
    return "{\"name\": " + quoted(name) + R"(, "type": 8, "output_steps": )" + std::to_string(steps) +
           ", \"step_size\": " + num(size) + ", \"damping\": {\"code\": " + std::to_string(dampingCode) +
           ", \"values\": [" + num(v1) + ", " + num(v2) + "]}, \"loads\": " + list(loads) + "}";
}
std::string otherCase(const std::string& name, int type) {
    return "{\"name\": " + quoted(name) + ", \"type\": " + std::to_string(type) + "}";
}

std::string text(RecordView r, std::size_t off, std::size_t n) {
    return std::string(reinterpret_cast<const char*>(r.data()) + off, n);
}
std::string padded(std::string s, std::size_t n) {
    s.resize(n, ' ');
    return s;
}

// Load cases come from a model document; the patterns and functions they apply are put
// into the source model by hand, as the earlier read steps would leave them.
class LoadcasesFill : public ::testing::Test {
protected:
    test::TempDir tmp;
    platform::RecordingPlatform plat;
    std::unique_ptr<host::DocumentHost> host;
    std::unique_ptr<source::TarvoModelObj> src;
    VantraModel m;

    struct Pattern {
        std::string label;
        bool node, element, selfWeight;
    };
    struct Function {
        std::string label, fileName;
        int points;
    };
    std::vector<Pattern> patterns;
    std::vector<Function> functions;
    // Names the document holds but the source model does not.
    std::vector<std::string> documentOnlyPatterns, documentOnlyFunctions;
    std::vector<std::string> cases;

    LoadcasesFill() {
        InitVantraModel(m);
        m.Gravity = 386.4f;
        m.StructuresRoot = tmp.path();
        m.StructureName = "Bldg";
    }
    void pattern(const std::string& label, bool node, bool element, bool selfWeight) {
        patterns.push_back({label, node, element, selfWeight});
    }
    void function(const std::string& label, int points, const std::string& fileName = "") {
        functions.push_back({label, fileName.empty() ? label : fileName, points});
    }
    void fill() {
        std::vector<std::string> p, f;
        for (const Pattern& x : patterns) p.push_back("{\"name\": " + quoted(x.label) + "}");
        for (const std::string& x : documentOnlyPatterns) p.push_back("{\"name\": " + quoted(x) + "}");
        auto userFunction = [](const std::string& name) {
            return "{\"name\": " + quoted(name) + R"(, "type": 2, "kind": 1, "times": [0], "values": [0]})";
        };
        for (const Function& x : functions) f.push_back(userFunction(x.label));
        for (const std::string& x : documentOnlyFunctions) f.push_back(userFunction(x));
        const std::string doc = R"({"format": "tarvo-model", "version": 1, "load_patterns": )" + list(p) +
                                ", \"functions\": " + list(f) + ", \"load_cases\": " + list(cases) + "}";
        host = host::DocumentHost::FromText(doc, "cases.json");

        src = std::make_unique<source::TarvoModelObj>(*host, plat, Units{},
                                                      source::RecordsLocation{tmp / "home", "EqkeGroup"});
        for (const Pattern& x : patterns) {
            source::TarvoLoadPatternObj& lp = src->AddLoadPatternObj(x.label);
            lp.LoadNodeNotEmpty = x.node;
            lp.LoadElementNotEmpty = x.element;
            lp.SelfWeightNotEmpty = x.selfWeight;
            lp.VantraLoadPatternNodeName = "LoadNode-" + x.label;
            lp.VantraLoadPatternElementName = "LoadFrame-" + x.label;
            lp.VantraLoadPatternSelfWeightName = "SelfWeight-" + x.label;
        }
        for (const Function& x : functions) {
            source::TarvoTHFuncObj& th = src->AddTHFuncObj(x.label);
            th.RecordFileName = x.fileName;
            for (int i = 0; i < x.points; ++i) th.AddTHFunc(0, i);
        }
        FillContext c{*src, m, *host, plat};
        FillVantraLoadCases(c);
    }
};

// --- gravity ---------------------------------------------------------------------------------

TEST_F(LoadcasesFill, GravityEntriesFollowThePatternFlags) {
    pattern("D", false, false, true);
    pattern("L", true, true, false);
    pattern("Empty", false, false, false);
    documentOnlyPatterns = {"Unread"};
    cases = {gravityCase("DL", {load("Load", "D", 1.0), load("Load", "Unread", 3.0), load("Mode", "1", 2.0),
                                load("Load", "Empty", 4.0), load("Load", "L", 0.25)}),
             otherCase("Linear", 1)};
    fill();

    ASSERT_EQ(m.GravityLoadCaseTable.count(), 1);
    EXPECT_EQ(m.GravityLoadCaseTable.capacity(), 11);
    RecordView r = m.GravityLoadCaseTable.rec(1);
    EXPECT_EQ(text(r, 0, 40), padded("DL", 40));
    EXPECT_EQ(r.getU8(40), 0);
    EXPECT_EQ(r.getI16(88), 3);
    const std::tuple<int, std::string, float> entries[] = {
        {3, "SelfWeight-D", 1.0f}, {1, "LoadNode-L", 0.25f}, {2, "LoadFrame-L", 0.25f}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(r.getI16(90 + 2 * i), std::get<0>(entries[i]));
        EXPECT_EQ(text(r, 130 + 40 * i, 40), padded(std::get<1>(entries[i]), 40));
        EXPECT_EQ(r.getF32(930 + 4 * i), std::get<2>(entries[i]));
    }
    EXPECT_EQ(r.getI16(96), 0);  // entry 3 unused
    // Gravity cases alone make no analysis series.
    EXPECT_EQ(m.AnalysisCaseTable.count(), 0);
    EXPECT_TRUE(plat.deletedFolders.empty());
}

TEST_F(LoadcasesFill, GravityLimitsAreTwentyEntriesAndTwentyCases) {
    std::vector<std::string> loads;
    for (int p = 1; p <= 7; ++p) {
        pattern("P" + std::to_string(p), true, true, true);
        loads.push_back(load("Load", "P" + std::to_string(p), p));
    }
    for (int i = 1; i <= 21; ++i) cases.push_back(gravityCase("G" + std::to_string(i), loads));
    fill();

    ASSERT_EQ(m.GravityLoadCaseTable.count(), 20);  // the 21st is not written
    EXPECT_EQ(m.GravityLoadCaseTable.capacity(), 22);
    RecordView r = m.GravityLoadCaseTable.rec(20);
    EXPECT_EQ(text(r, 0, 3), "G20");
    EXPECT_EQ(r.getI16(88), 20);
    // 6 patterns give 18 entries; the 7th adds its nodal and element entries only.
    EXPECT_EQ(r.getI16(90 + 2 * 18), 1);
    EXPECT_EQ(r.getI16(90 + 2 * 19), 2);
    EXPECT_EQ(text(r, 130 + 40 * 19, 12), "LoadFrame-P7");
    EXPECT_EQ(r.getF32(930 + 4 * 19), 7.0f);
}

TEST_F(LoadcasesFill, LongCaseNamesBecomeTheCaseNumber) {
    cases = {otherCase("Modal", 3), gravityCase(std::string(41, 'x'), {})};
    fill();
    EXPECT_EQ(text(m.GravityLoadCaseTable.rec(1), 0, 40), padded("2", 40));
}

// --- pushover ---------------------------------------------------------------------------------

TEST_F(LoadcasesFill, PushoverDrivenByAccelerationAndItsDrift) {
    cases = {pushoverCase("PX", 1, {accel("UX", "", -1), accel("UZ", "", 2)}),
             pushoverCase("PY", 2, {accel("UY", "", 0.5)})};
    fill();
    ASSERT_EQ(m.PushoverLoadCaseTable.count(), 2);
    EXPECT_EQ(m.PushoverLoadCaseTable.capacity(), 11);
    RecordView r = m.PushoverLoadCaseTable.rec(1);
    EXPECT_EQ(text(r, 0, 40), padded("PX", 40));
    EXPECT_EQ(r.getU8(40), 1);
    EXPECT_EQ(r.getU8(41), 0);
    EXPECT_EQ(text(r, 44, 40), padded("Deformation beyond X point for any component", 40));
    EXPECT_EQ(r.getI16(84), 50);
    EXPECT_EQ(r.getI16(86), 200);
    EXPECT_EQ(r.getF32(88), 0.02f);
    EXPECT_EQ(r.getI16(92), 1);
    EXPECT_EQ(r.getU8(94), 1);
    EXPECT_EQ(text(r, 114, 40), padded("AccelUX", 40));
    EXPECT_EQ(r.getF32(914), -1.0f);
    EXPECT_EQ(r.getU8(95), 0);
    EXPECT_EQ(text(r, 1008, 20), padded("H1 Drift", 20));
    EXPECT_EQ(r.getI32(1034), 0);

    RecordView y = m.PushoverLoadCaseTable.rec(2);
    EXPECT_EQ(text(y, 114, 7), "AccelUY");
    EXPECT_EQ(text(y, 1008, 20), padded("H2 Drift", 20));
}

TEST_F(LoadcasesFill, PushoverDrivenByModesKeepsModesOneToSix) {
    pattern("P", true, false, false);
    cases = {pushoverCase("M", 1,
                          {load("Mode", "1", 1.0), load("Load", "P", 9), load("Mode", "2", 0.5), load("Mode", "8", 3)}),
             pushoverCase("M7", 1,
                          {load("Mode", "1", 1), load("Mode", "2", 2), load("Mode", "3", 3), load("Mode", "4", 4),
                           load("Mode", "5", 5), load("Mode", "6", 6), load("Mode", "1", 7)})};
    fill();
    RecordView r = m.PushoverLoadCaseTable.rec(1);
    EXPECT_EQ(r.getU8(41), 1);
    EXPECT_EQ(r.getI16(92), 2);
    EXPECT_EQ(r.getU8(995), 1);
    EXPECT_EQ(r.getU8(996), 2);
    EXPECT_EQ(r.getU8(997), 0);
    EXPECT_EQ(r.getF32(914), 1.0f);
    EXPECT_EQ(r.getF32(918), 0.5f);
    EXPECT_EQ(r.getU8(94), 0);  // no load entries in a mode-driven case

    RecordView r7 = m.PushoverLoadCaseTable.rec(2);
    EXPECT_EQ(r7.getI16(92), 6);
    EXPECT_EQ(r7.getU8(1000), 6);
    EXPECT_EQ(r7.getU8(1001), 0);  // the seventh mode entry is dropped
    EXPECT_EQ(r7.getF32(934), 6.0f);
    EXPECT_EQ(r7.getF32(938), 0.0f);
}

TEST_F(LoadcasesFill, PushoverDrivenByLoadsAndItsLimits) {
    pattern("Push", true, false, false);
    pattern("SW", false, false, true);
    std::vector<std::string> many;
    for (int i = 0; i < 21; ++i) many.push_back(load("Load", "Push", i));
    cases = {pushoverCase("L", 1, {load("Load", "SW", 1), load("Load", "Push", 2), load("Accel", "UX", 3)}),
             pushoverCase("Many", 1, many), pushoverCase("None", 1, {})};
    for (int i = 0; i < 20; ++i) cases.push_back(pushoverCase("More" + std::to_string(i), 1, {accel("UX", "", 1)}));
    fill();

    ASSERT_EQ(m.PushoverLoadCaseTable.count(), 20);  // "None" is skipped, the last of the rest dropped
    RecordView r = m.PushoverLoadCaseTable.rec(1);
    EXPECT_EQ(r.getI16(92), 1);
    EXPECT_EQ(text(r, 114, 40), padded("LoadNode-Push", 40));
    EXPECT_EQ(r.getF32(914), 2.0f);
    EXPECT_EQ(m.PushoverLoadCaseTable.rec(2).getI16(92), 20);
    EXPECT_EQ(text(m.PushoverLoadCaseTable.rec(3), 0, 5), "More0");
    EXPECT_EQ(text(m.PushoverLoadCaseTable.rec(20), 0, 6), "More17");

    // The pushover series: 0.1, 0.9, 0, 0.
    ASSERT_EQ(m.AnalysisCaseTable.count(), 1);
    RecordView s = m.AnalysisCaseTable.rec(1);
    EXPECT_EQ(text(s, 0, 12), "PushAnalysis");
    EXPECT_EQ(s.getI16(118), 2);
    EXPECT_EQ(s.getF32(146), 0.1f);
    EXPECT_EQ(s.getF32(150), 0.9f);
    EXPECT_EQ(s.getF32(154), 0.0f);
    EXPECT_EQ(s.getF32(158), 0.0f);
}

// --- dynamic ----------------------------------------------------------------------------------

TEST_F(LoadcasesFill, DynamicCaseNamesItsRecordsPerDirection) {
    function("EQX", 1500);
    function("EQZ", 700);
    pattern("D", true, false, false);
    documentOnlyFunctions = {"Later"};
    cases = {dynamicCase(
        "TH",
        {load("Load", "D", 1), accel("U3", "EQZ", 193.2, 2.0), accel("U1", "EQX", 386.4), accel("U1", "Later", 1.0)},
        1000, 0.01)};
    fill();

    ASSERT_EQ(m.DynamicLoadCaseTable.count(), 1);
    EXPECT_EQ(m.DynamicLoadCaseTable.capacity(), 11);
    RecordView r = m.DynamicLoadCaseTable.rec(1);
    EXPECT_EQ(text(r, 0, 40), padded("TH", 40));
    EXPECT_EQ(r.getU8(40), 1);
    EXPECT_EQ(r.getU8(41), 0);
    EXPECT_EQ(text(r, 42, 40), padded("Deformation beyond X point for any component", 40));
    EXPECT_EQ(r.getF32(82), 10.0f);
    EXPECT_EQ(r.getF32(86), 0.01f);
    EXPECT_EQ(r.getI16(90), 200);
    // U1: the first U1 load in host order.
    EXPECT_EQ(text(r, 92, 12), padded("EqkeGroup", 12));
    EXPECT_EQ(text(r, 128, 12), padded("EQX", 12));
    EXPECT_EQ(text(r, 164, 40), padded("EarthquakeRecord: EQX", 40));
    EXPECT_EQ(r.getI16(284), 1500);
    EXPECT_EQ(r.getF32(286), 1.0f);
    EXPECT_EQ(r.getF32(290), 1.0f);
    // U2: empty.
    EXPECT_EQ(text(r, 104, 12), padded("", 12));
    EXPECT_EQ(text(r, 140, 12), padded("", 12));
    EXPECT_EQ(text(r, 204, 40), padded("", 40));
    EXPECT_EQ(r.getI16(294), 0);
    EXPECT_EQ(r.getF32(296), 0.0f);
    EXPECT_EQ(r.getF32(300), 1.0f);
    // U3.
    EXPECT_EQ(text(r, 116, 12), padded("EqkeGroup", 12));
    EXPECT_EQ(text(r, 152, 12), padded("EQZ", 12));
    EXPECT_EQ(text(r, 244, 40), padded("EarthquakeRecord: EQZ", 40));
    EXPECT_EQ(r.getI16(304), 700);
    EXPECT_EQ(r.getF32(306), 0.5f);
    EXPECT_EQ(r.getF32(310), 2.0f);
    EXPECT_EQ(text(r, 314, 20), padded("H1 Drift", 20));
    for (std::size_t off = 334; off < 348; ++off) EXPECT_EQ(r.getU8(off), 0) << off;
}

TEST_F(LoadcasesFill, DynamicDriftAndUnknownFunctions) {
    function("EQY", 10);
    pattern("D", true, false, false);
    documentOnlyFunctions = {"Unread"};
    cases = {dynamicCase("Y", {accel("U2", "EQY", 386.4)}), dynamicCase("Z", {accel("U3", "EQY", 386.4)}),
             dynamicCase("Unknown", {accel("U1", "Unread", 38.64)}), dynamicCase("NoAccel", {load("Load", "D", 1)})};
    fill();
    ASSERT_EQ(m.DynamicLoadCaseTable.count(), 3);  // a case without ground acceleration is not made
    EXPECT_EQ(text(m.DynamicLoadCaseTable.rec(1), 314, 8), "H2 Drift");
    EXPECT_EQ(text(m.DynamicLoadCaseTable.rec(2), 314, 8), "H1 Drift");
    // A function that was not read leaves the record empty but keeps the scale.
    RecordView u = m.DynamicLoadCaseTable.rec(3);
    EXPECT_EQ(text(u, 128, 12), padded("", 12));
    EXPECT_EQ(u.getI16(284), 0);
    EXPECT_FLOAT_EQ(u.getF32(286), 0.1f);
    EXPECT_EQ(text(u, 314, 8), "H1 Drift");
}

TEST_F(LoadcasesFill, DynamicCaseNamesTheEncodedRecordFile) {
    function("../x", 3, ".._x");
    cases = {dynamicCase("TH", {accel("U1", "../x", 386.4)})};
    fill();
    RecordView r = m.DynamicLoadCaseTable.rec(1);
    EXPECT_EQ(text(r, 128, 12), padded(".._x", 12));
    EXPECT_EQ(text(r, 164, 40), padded("EarthquakeRecord: ../x", 40));  // as the record's own header
}

TEST_F(LoadcasesFill, AtMostNineteenDynamicCasesAndTheDynamicSeriesWins) {
    function("EQ", 5);
    cases.push_back(pushoverCase("P", 1, {accel("UX", "", 1)}));
    // The first dynamic case's damping decides the controls.
    for (int i = 1; i <= 25; ++i)
        cases.push_back(dynamicCase("D" + std::to_string(i), {accel("U1", "EQ", 1)}, 100, 0.02, i == 1 ? 7 : 4,
                                    i == 1 ? 4.0 : 2.0, i == 1 ? 0.09 : 0.9));
    fill();
    EXPECT_EQ(m.DynamicLoadCaseTable.count(), 19);
    EXPECT_EQ(m.DynamicLoadCaseTable.capacity(), 22);
    ASSERT_EQ(m.AnalysisCaseTable.count(), 1);
    EXPECT_EQ(m.AnalysisCaseTable.capacity(), 11);

    // The whole series record: name, title, empty text, the words and the controls.
    RecordView s = m.AnalysisCaseTable.rec(1);
    EXPECT_EQ(text(s, 0, 12), "DynaAnalysis");
    EXPECT_EQ(text(s, 12, 60), padded("Vantra: DynaAnalysis", 60));
    EXPECT_EQ(text(s, 72, 40), padded("", 40));
    EXPECT_EQ(s.getU8(112), 0);
    EXPECT_EQ(s.getU8(113), 0);
    EXPECT_EQ(s.getI16(114), 0);
    EXPECT_EQ(s.getI16(116), 10);
    EXPECT_EQ(s.getI16(118), 5);
    EXPECT_EQ(s.getI16(120), 0);
    EXPECT_EQ(s.getF32(122), 1.0f);
    EXPECT_EQ(s.getF32(146), 0.1f);
    EXPECT_EQ(s.getF32(150), 0.9f);
    EXPECT_EQ(s.getF32(154), static_cast<float>(4.0 * 0.1 / 4 / 3.1415926));
    EXPECT_EQ(s.getF32(158), static_cast<float>(0.09 * 3.1415926 / 0.9));
    for (std::size_t off : {126u, 145u, 162u, 190u, 193u}) EXPECT_EQ(s.getU8(off), 0) << off;
}

TEST_F(LoadcasesFill, DampingCodesOneTwoAndThree) {
    function("EQ", 5);
    auto controls = [&](int code) {
        InitVantraModel(m);
        cases = {dynamicCase("D", {accel("U1", "EQ", 1)}, 100, 0.02, code, 0.3, 0.004)};
        fill();
        RecordView s = m.AnalysisCaseTable.rec(1);
        return std::vector<float>{s.getF32(146), s.getF32(150), s.getF32(154), s.getF32(158)};
    };
    EXPECT_EQ(controls(1), (std::vector<float>{0, 0, 0, 0}));
    EXPECT_EQ(controls(2), (std::vector<float>{0.1f, 0.9f, 0.3f, 0.004f}));
    EXPECT_EQ(controls(3), (std::vector<float>{0.1f, 0.9f, 0.3f, 0.004f}));
}

// --- the series folder ----------------------------------------------------------------------------

TEST_F(LoadcasesFill, SeriesFolderIsLeftForTheDriverToReset) {
    // The earlier results are cleared only once the new structure is in place, so the
    // fill step names the series and deletes nothing.
    const std::string series = tmp / "Bldg/PushAnalysis";
    std::filesystem::create_directories(series + "/results");
    cases = {pushoverCase("P", 1, {accel("UX", "", 1)})};
    fill();
    EXPECT_EQ(m.SeriesToReset, "PushAnalysis");
    EXPECT_TRUE(plat.deletedFolders.empty());
    EXPECT_TRUE(std::filesystem::exists(series));
    cases.clear();
    InitVantraModel(m);
    fill();
    EXPECT_EQ(m.SeriesToReset, "");
}

// --- in the files ------------------------------------------------------------------------------

TEST_F(LoadcasesFill, LoadCaseAndAnalysisFilesCarryTheRecords) {
    pattern("D", false, false, true);
    function("EQ", 5);
    cases = {gravityCase("G", {load("Load", "D", 1)}), pushoverCase("P", 1, {accel("UX", "", 1)}),
             dynamicCase("T", {accel("U2", "EQ", 386.4)})};
    m.DriftTable.add();  // one drift: one selection byte per pushover case
    fill();
    std::filesystem::create_directories(tmp / "Bldg");
    ASSERT_TRUE(output::WriteStructureFiles(m, plat, "VNTR", true, 0));

    const auto l = test::ReadBytes(tmp / "Bldg/VNTRL");
    ASSERT_EQ(l.size(), 80u + 80u + 1024u + 1042u + 1u + 348u);
    const auto counts = test::Bytes().i16(1).i16(1).i16(1).zeros(34).i16(11).i16(11).i16(11).zeros(34);
    EXPECT_EQ(std::vector<std::uint8_t>(l.begin() + 80, l.begin() + 160), counts.data());
    const auto* g = m.GravityLoadCaseTable.rowBytes(1);
    EXPECT_TRUE(std::equal(g, g + 1024, l.begin() + 160));
    const auto* p = m.PushoverLoadCaseTable.rowBytes(1);
    EXPECT_TRUE(std::equal(p, p + 1042, l.begin() + 1184));
    EXPECT_EQ(l[2226], 0);
    const auto* d = m.DynamicLoadCaseTable.rowBytes(1);
    EXPECT_TRUE(std::equal(d, d + 348, l.begin() + 2227));

    const auto a = test::ReadBytes(tmp / "Bldg/VNTRA");
    ASSERT_EQ(a.size(), 80u + 6u + 194u + 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(a.begin() + 80, a.begin() + 86), test::Bytes().i16(1).i16(11).i16(0).data());
    const auto* s = m.AnalysisCaseTable.rowBytes(1);
    EXPECT_TRUE(std::equal(s, s + 194, a.begin() + 86));
}

}  // namespace
}  // namespace t2v::target
