// Documents that break a rule of the format are refused as a whole, with the file, the
// JSON location of the offending value and the reason.
#include "host/document/DocumentHost.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace t2v::host {
namespace {

using Parts = std::vector<std::pair<std::string, std::string>>;

// A valid document the cases below change one family of.
Parts BaseDocument() {
    return {
        {"format", R"("tarvo-model")"},
        {"version", "1"},
        {"load_patterns", R"([{"name": "DEAD", "type": 1}, {"name": "LIVE", "type": 3}])"},
        {"functions", R"([{"name": "EQ", "type": 2, "kind": 1, "times": [0, 1], "values": [0, 1]},
                          {"name": "RS", "type": 1}])"},
        {"materials", R"([{"name": "C4", "type": 2}, {"name": "G60", "type": 6}])"},
        {"frame_sections", R"([{"name": "B", "type": 8, "material": "C4"}])"},
        {"area_sections", R"([{"name": "S", "material": "C4", "thickness": 0.2}])"},
        {"points", R"([{"name": "P1", "x": 0, "y": 0, "z": 0}, {"name": "P2", "x": 1, "y": 0, "z": 0},
                       {"name": "P3", "x": 1, "y": 1, "z": 0}, {"name": "P4", "x": 0, "y": 1, "z": 0}])"},
    };
}

// Replaces, adds or (with an empty text) removes top-level entries of the base document.
std::string Build(const Parts& changes) {
    Parts parts = BaseDocument();
    for (const auto& [key, json] : changes) {
        auto it = parts.begin();
        while (it != parts.end() && it->first != key) ++it;
        if (it == parts.end()) {
            parts.emplace_back(key, json);
        } else if (json.empty()) {
            parts.erase(it);
        } else {
            it->second = json;
        }
    }
    std::string out = "{";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) out += ",\n";
        out += "\"" + parts[i].first + "\": " + parts[i].second;
    }
    return out + "}";
}

std::string RefusalOf(const std::string& json) {
    try {
        DocumentHost::FromText(json, "model.json");
    } catch (const DocumentError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(DocumentRefusal, BaseDocumentLoads) { EXPECT_NO_THROW(DocumentHost::FromText(Build({}), "model.json")); }

struct Refusal {
    const char* label;
    Parts changes;
    const char* location;
    const char* reason;
};

// Test names and failure output show the case's label rather than its bytes.
void PrintTo(const Refusal& r, std::ostream* os) { *os << r.label; }

class RefusedDocument : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedDocument, NamesFileLocationAndReason) {
    const Refusal& r = GetParam();
    const std::string message = RefusalOf(Build(r.changes));
    const std::string prefix = std::string("model.json: ") + r.location + ": ";
    EXPECT_EQ(message.rfind(prefix, 0), 0u) << message;
    EXPECT_NE(message.find(r.reason), std::string::npos) << message;
}

const Refusal kRefusals[] = {
    // Top level
    {"FormatMissing", {{"format", ""}}, "(top level)", "key \"format\" is missing"},
    {"FormatWrong", {{"format", R"("other")"}}, "format", "expected \"tarvo-model\""},
    {"VersionMissing", {{"version", ""}}, "(top level)", "key \"version\" is missing"},
    {"VersionUnknown", {{"version", "2"}}, "version", "version 2 is not known"},
    {"TopLevelUnknownKey", {{"pointz", "[]"}}, "pointz", "unknown key"},
    {"UnitsOutOfRange", {{"units", "17"}}, "units", "from 1 to 16, found 17"},
    {"UnitsZero", {{"units", "0"}}, "units", "from 1 to 16"},
    {"UnitsFraction", {{"units", "6.5"}}, "units", "expected a whole number"},
    {"UnitsAsText", {{"units", R"("6")"}}, "units", "expected a whole number, found the string \"6\""},
    {"FamilyNotArray", {{"frames", "{}"}}, "frames", "expected an array, found an object"},
    {"FamilyNull", {{"areas", "null"}}, "areas", "expected an array, found null"},

    // Materials
    {"MaterialNameMissing", {{"materials", R"([{"type": 2}])"}}, "materials[0]", "key \"name\" is missing"},
    {"MaterialNameEmpty", {{"materials", R"([{"name": "", "type": 2}])"}}, "materials[0].name", "may not be empty"},
    {"MaterialNameNotText", {{"materials", R"([{"name": 5, "type": 2}])"}}, "materials[0].name", "expected a string"},
    {"MaterialNameControl",
     {{"materials", R"([{"name": "A\u0001", "type": 2}])"}},
     "materials[0].name",
     "control characters"},
    {"MaterialNameTwice",
     {{"materials", R"([{"name": "M", "type": 2}, {"name": "M", "type": 1}])"}},
     "materials[1].name",
     "material name \"M\" is already used by materials[0]"},
    {"MaterialTypeOutOfRange", {{"materials", R"([{"name": "M", "type": 8}])"}}, "materials[0].type", "from 1 to 7"},
    {"MaterialSymmetryOutOfRange",
     {{"materials", R"([{"name": "M", "type": 1, "symmetry": 4}])"}},
     "materials[0].symmetry",
     "from 0 to 3"},
    {"MaterialWeightNotNumber",
     {{"materials", R"([{"name": "M", "type": 1, "weight": "heavy"}])"}},
     "materials[0].weight",
     "expected a number"},
    {"MaterialBlockUnknownKey",
     {{"materials", R"([{"name": "M", "type": 2, "isotropic": {"E": 1, "nu": 0.2}}])"}},
     "materials[0].isotropic.nu",
     "unknown key"},
    {"OrthotropicWrongLength",
     {{"materials", R"([{"name": "M", "type": 3, "orthotropic": {"E": [1, 2]}}])"}},
     "materials[0].orthotropic.E",
     "array of 3 numbers, found 2 items"},
    {"AnisotropicUWrongLength",
     {{"materials", R"([{"name": "M", "type": 3, "anisotropic": {"U": [1,2,3,4,5,6,7,8,9,10,11,12,13,14]}}])"}},
     "materials[0].anisotropic.U",
     "array of 15 numbers"},
    {"AnisotropicAWrongLength",
     {{"materials", R"([{"name": "M", "type": 3, "anisotropic": {"A": [1,2,3,4]}}])"}},
     "materials[0].anisotropic.A",
     "array of 5 numbers"},
    {"SteelUnknownKey",
     {{"materials", R"([{"name": "M", "type": 1, "steel": {"fy": 50}}])"}},
     "materials[0].steel.fy",
     "unknown key"},
    {"CurvePairTooShort",
     {{"materials", R"([{"name": "M", "type": 2, "stress_strain": [[0, 0], [1]]}])"}},
     "materials[0].stress_strain[1]",
     "expected [strain, stress], found 1 item"},
    {"CurveValueNotNumber",
     {{"materials", R"([{"name": "M", "type": 2, "stress_strain": [[0, "x"]]}])"}},
     "materials[0].stress_strain[0][1]",
     "expected a number"},

    // Frame sections
    {"SectionMaterialUnknown",
     {{"frame_sections", R"([{"name": "B", "material": "X"}])"}},
     "frame_sections[0].material",
     "material \"X\" does not exist"},
    {"SectionTypeNegative",
     {{"frame_sections", R"([{"name": "B", "type": -1}])"}},
     "frame_sections[0].type",
     "at least 0"},
    {"VariableSectionWithoutSegments",
     {{"frame_sections", R"([{"name": "V", "type": 14}])"}},
     "frame_sections[0]",
     "needs its \"segments\""},
    {"VariableSectionNoSegment",
     {{"frame_sections", R"([{"name": "V", "type": 14, "segments": []}])"}},
     "frame_sections[0].segments",
     "at least one segment"},
    {"SegmentUnknown",
     {{"frame_sections", R"([{"name": "V", "type": 14, "segments": ["Q"]}])"}},
     "frame_sections[0].segments[0]",
     "frame section \"Q\" does not exist"},
    {"RebarTypeOutOfRange",
     {{"frame_sections", R"([{"name": "B", "rebar_type": 3}])"}},
     "frame_sections[0].rebar_type",
     "from 0 to 2"},
    {"PropertiesUnknownKey",
     {{"frame_sections", R"([{"name": "B", "properties": {"Ix": 1}}])"}},
     "frame_sections[0].properties.Ix",
     "unknown key"},

    // Area sections
    {"AreaSectionMaterialUnknown",
     {{"area_sections", R"([{"name": "S", "material": "X"}])"}},
     "area_sections[0].material",
     "material \"X\" does not exist"},
    {"AreaSectionTypeOutOfRange",
     {{"area_sections", R"([{"name": "S", "type": 4}])"}},
     "area_sections[0].type",
     "from 1 to 3"},
    {"ShellTypeOutOfRange",
     {{"area_sections", R"([{"name": "S", "shell_type": 7}])"}},
     "area_sections[0].shell_type",
     "from 1 to 6"},
    {"DrillingNotFlag",
     {{"area_sections", R"([{"name": "S", "drilling": 2}])"}},
     "area_sections[0].drilling",
     "expected true, false, 0 or 1"},
    {"LayersOnPlainShell",
     {{"area_sections", R"([{"name": "S", "layers": [{"name": "L", "thickness": 1, "material": "C4"}]}])"}},
     "area_sections[0].layers",
     "only a layered section"},
    {"LayerMaterialUnknown",
     {{"area_sections",
       R"([{"name": "S", "shell_type": 6, "layers": [{"name": "L", "thickness": 1, "material": "X"}]}])"}},
     "area_sections[0].layers[0].material",
     "material \"X\" does not exist"},
    {"LayerThicknessMissing",
     {{"area_sections", R"([{"name": "S", "shell_type": 6, "layers": [{"name": "L", "material": "C4"}]}])"}},
     "area_sections[0].layers[0]",
     "key \"thickness\" is missing"},
    {"LayerCodeOutOfRange",
     {{"area_sections",
       R"([{"name": "S", "shell_type": 6, "layers": [{"name": "L", "thickness": 1, "material": "C4", "s11": 3}]}])"}},
     "area_sections[0].layers[0].s11",
     "from 0 to 2"},

    // Points
    {"PointCoordinateMissing", {{"points", R"([{"name": "P", "x": 0, "y": 0}])"}}, "points[0]", "key \"z\" is missing"},
    {"PointNameTwice",
     {{"points", R"([{"name": "P", "x": 0, "y": 0, "z": 0}, {"name": "P", "x": 1, "y": 0, "z": 0}])"}},
     "points[1].name",
     "point name \"P\" is already used by points[0]"},
    {"PointKeyTwice",
     {{"points", R"([{"name": "P", "x": 0, "x": 1, "y": 0, "z": 0}])"}},
     "points[0].x",
     "appears twice"},
    {"RestraintsTooFew",
     {{"points", R"([{"name": "P", "x": 0, "y": 0, "z": 0, "restraints": [1, 1, 1, 0, 0]}])"}},
     "points[0].restraints",
     "array of 6 flags, found 5 items"},
    {"RestraintNotFlag",
     {{"points", R"([{"name": "P", "x": 0, "y": 0, "z": 0, "restraints": [true, 2, 0, 0, 0, 0]}])"}},
     "points[0].restraints[1]",
     "expected true, false, 0 or 1"},
    {"PointMassTooMany",
     {{"points", R"([{"name": "P", "x": 0, "y": 0, "z": 0, "mass": [1, 2, 3, 4, 5, 6, 7]}])"}},
     "points[0].mass",
     "array of 6 numbers, found 7 items"},
    {"PointLoadPatternUnknown",
     {{"points",
       R"([{"name": "P", "x": 0, "y": 0, "z": 0, "loads": [{"pattern": "WIND", "values": [0,0,0,0,0,0]}]}])"}},
     "points[0].loads[0].pattern",
     "load pattern \"WIND\" does not exist"},
    {"PointLoadValuesShort",
     {{"points", R"([{"name": "P", "x": 0, "y": 0, "z": 0, "loads": [{"pattern": "DEAD", "values": [0, 0, 1]}]}])"}},
     "points[0].loads[0].values",
     "array of 6 numbers"},
    {"PointLoadCsysEmpty",
     {{"points",
       R"([{"name": "P", "x": 0, "y": 0, "z": 0, "loads": [{"pattern": "DEAD", "csys": "", "values": [0,0,0,0,0,0]}]}])"}},
     "points[0].loads[0].csys",
     "may not be empty"},

    // Constraints
    {"ConstraintTypeUnknown",
     {{"constraints", R"([{"name": "K", "type": 9}])"}},
     "constraints[0].type",
     "1 to 8 or 13"},
    {"DiaphragmAxisOutOfRange",
     {{"constraints", R"([{"name": "K", "type": 2, "axis": 5}])"}},
     "constraints[0].axis",
     "from 1 to 4"},
    {"ConstraintPointUnknown",
     {{"constraints", R"([{"name": "K", "type": 2, "points": ["P1", "P9"]}])"}},
     "constraints[0].points[1]",
     "point \"P9\" does not exist"},
    {"ConstraintPointTwice",
     {{"constraints", R"([{"name": "K", "type": 2, "points": ["P1", "P2", "P1"]}])"}},
     "constraints[0].points[2]",
     "point \"P1\" is listed twice"},

    // Frames
    {"FrameSectionUnknown",
     {{"frames", R"([{"name": "F", "section": "W", "i": "P1", "j": "P2"}])"}},
     "frames[0].section",
     "frame section \"W\" does not exist"},
    {"FrameEndUnknown",
     {{"frames", R"([{"name": "F", "section": "B", "i": "P1", "j": "P9"}])"}},
     "frames[0].j",
     "point \"P9\" does not exist"},
    {"FrameEndsSame",
     {{"frames", R"([{"name": "F", "section": "B", "i": "P1", "j": "P1"}])"}},
     "frames[0].j",
     "same point"},
    {"FrameSectionMissing",
     {{"frames", R"([{"name": "F", "i": "P1", "j": "P2"}])"}},
     "frames[0]",
     "key \"section\" is missing"},
    {"FrameUnknownKey",
     {{"frames", R"([{"name": "F", "sectoin": "B", "i": "P1", "j": "P2"}])"}},
     "frames[0].sectoin",
     "unknown key (a frame has the keys name, section"},
    {"ReleasesWrongLength",
     {{"frames", R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "releases": {"i": [0, 0, 0, 0, 1]}}])"}},
     "frames[0].releases.i",
     "array of 6 flags"},
    {"ReleasesUnknownEnd",
     {{"frames", R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "releases": {"k": [0,0,0,0,0,0]}}])"}},
     "frames[0].releases.k",
     "unknown key"},
    {"HingeRelDistOutOfRange",
     {{"frames",
       R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "hinges": [{"kind": 6, "dof": 8, "rel_dist": 1.5}]}])"}},
     "frames[0].hinges[0].rel_dist",
     "from 0 to 1"},
    {"HingeDofMissing",
     {{"frames", R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "hinges": [{"kind": 6, "rel_dist": 0}]}])"}},
     "frames[0].hinges[0]",
     "key \"dof\" is missing"},
    {"DistributedDirOutOfRange",
     {{"frames",
       R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "distributed_loads": [{"pattern": "DEAD", "dir": 12, "val1": 1}]}])"}},
     "frames[0].distributed_loads[0].dir",
     "from 1 to 11"},
    {"DistributedTypeOutOfRange",
     {{"frames",
       R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "distributed_loads": [{"pattern": "DEAD", "type": 3, "dir": 10, "val1": 1}]}])"}},
     "frames[0].distributed_loads[0].type",
     "1 or 2"},
    {"DistributedRdNegative",
     {{"frames",
       R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "distributed_loads": [{"pattern": "DEAD", "dir": 10, "rd2": -0.1, "val1": 1}]}])"}},
     "frames[0].distributed_loads[0].rd2",
     "from 0 to 1"},
    {"DistributedPatternUnknown",
     {{"frames",
       R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "distributed_loads": [{"pattern": "SNOW", "dir": 10, "val1": 1}]}])"}},
     "frames[0].distributed_loads[0].pattern",
     "load pattern \"SNOW\" does not exist"},
    {"DistributedValueMissing",
     {{"frames",
       R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "distributed_loads": [{"pattern": "DEAD", "dir": 10}]}])"}},
     "frames[0].distributed_loads[0]",
     "key \"val1\" is missing"},
    {"PointLoadValueMissing",
     {{"frames",
       R"([{"name": "F", "section": "B", "i": "P1", "j": "P2", "point_loads": [{"pattern": "DEAD", "dir": 10, "rd": 0.5}]}])"}},
     "frames[0].point_loads[0]",
     "key \"val\" is missing"},

    // Areas
    {"AreaTooFewCorners",
     {{"areas", R"([{"name": "A", "section": "S", "points": ["P1", "P2"]}])"}},
     "areas[0].points",
     "at least 3 corner points, found 2"},
    {"AreaCornerUnknown",
     {{"areas", R"([{"name": "A", "section": "S", "points": ["P1", "P2", "PX"]}])"}},
     "areas[0].points[2]",
     "point \"PX\" does not exist"},
    {"AreaCornerTwice",
     {{"areas", R"([{"name": "A", "section": "S", "points": ["P1", "P2", "P3", "P2"]}])"}},
     "areas[0].points[3]",
     "corner twice"},
    {"AreaSectionUnknown",
     {{"areas", R"([{"name": "A", "section": "X", "points": ["P1", "P2", "P3"]}])"}},
     "areas[0].section",
     "area section \"X\" does not exist"},
    {"UniformLoadWithDistribution",
     {{"areas",
       R"([{"name": "A", "section": "S", "points": ["P1", "P2", "P3"], "uniform_loads": [{"pattern": "DEAD", "dir": 10, "value": 1, "distribution": 1}]}])"}},
     "areas[0].uniform_loads[0].distribution",
     "unknown key"},
    {"ToFramesDistributionMissing",
     {{"areas",
       R"([{"name": "A", "section": "S", "points": ["P1", "P2", "P3"], "uniform_loads_to_frames": [{"pattern": "DEAD", "dir": 10, "value": 1}]}])"}},
     "areas[0].uniform_loads_to_frames[0]",
     "key \"distribution\" is missing"},
    {"ToFramesDistributionOutOfRange",
     {{"areas",
       R"([{"name": "A", "section": "S", "points": ["P1", "P2", "P3"], "uniform_loads_to_frames": [{"pattern": "DEAD", "dir": 10, "value": 1, "distribution": 3}]}])"}},
     "areas[0].uniform_loads_to_frames[0].distribution",
     "1 or 2"},

    // Groups
    {"GroupAllDefined", {{"groups", R"([{"name": "ALL"}])"}}, "groups[0].name", "may not be defined"},
    {"GroupFrameUnknown",
     {{"groups", R"([{"name": "G", "frames": ["F9"]}])"}},
     "groups[0].frames[0]",
     "frame \"F9\" does not exist"},
    {"GroupAreaUnknown",
     {{"groups", R"([{"name": "G", "areas": ["A9"]}])"}},
     "groups[0].areas[0]",
     "area \"A9\" does not exist"},
    {"GroupPointTwice",
     {{"groups", R"([{"name": "G", "points": ["P1", "P1"]}])"}},
     "groups[0].points[1]",
     "listed twice"},
    {"GroupNameTwice", {{"groups", R"([{"name": "G"}, {"name": "G"}])"}}, "groups[1].name", "already used"},

    // Load patterns and mass source
    {"PatternTypeFraction",
     {{"load_patterns", R"([{"name": "D", "type": 1.5}])"}},
     "load_patterns[0].type",
     "expected a whole number"},
    {"PatternNameTwice",
     {{"load_patterns", R"([{"name": "D"}, {"name": "D"}])"}},
     "load_patterns[1].name",
     "already used by load_patterns[0]"},
    {"MassSourceOptionOutOfRange", {{"mass_source", R"({"option": 4})"}}, "mass_source.option", "from 1 to 3"},
    {"MassSourcePatternUnknown",
     {{"mass_source", R"({"patterns": [{"name": "X", "scale": 1}]})"}},
     "mass_source.patterns[0].name",
     "load pattern \"X\" does not exist"},
    {"MassSourceScaleMissing",
     {{"mass_source", R"({"patterns": [{"name": "DEAD"}]})"}},
     "mass_source.patterns[0]",
     "key \"scale\" is missing"},
    {"MassSourceNotObject", {{"mass_source", "[]"}}, "mass_source", "expected a mass source (an object)"},

    // Functions
    {"FunctionTypeOutOfRange", {{"functions", R"([{"name": "F", "type": 5}])"}}, "functions[0].type", "from 1 to 4"},
    {"HistoryKindMissing", {{"functions", R"([{"name": "F", "type": 2}])"}}, "functions[0]", "key \"kind\" is missing"},
    {"HistoryKindOutOfRange",
     {{"functions", R"([{"name": "F", "type": 2, "kind": 8}])"}},
     "functions[0].kind",
     "from 0 to 7"},
    {"UserLengthsDiffer",
     {{"functions", R"([{"name": "F", "type": 2, "kind": 1, "times": [0, 1], "values": [0]}])"}},
     "functions[0]",
     "times and values differ in length (2 and 1)"},
    {"UserWithoutPoints",
     {{"functions", R"([{"name": "F", "type": 2, "kind": 1, "times": [], "values": []}])"}},
     "functions[0].times",
     "at least one point"},
    {"UserWithForeignKey",
     {{"functions", R"([{"name": "F", "type": 2, "kind": 1, "times": [0], "values": [0], "period": 1}])"}},
     "functions[0].period",
     "kind 1 (user) has no such key"},
    {"FileNameMissing",
     {{"functions", R"([{"name": "F", "type": 2, "kind": 0}])"}},
     "functions[0]",
     "key \"file\" is missing"},
    {"FileValueTypeOutOfRange",
     {{"functions", R"([{"name": "F", "type": 2, "kind": 0, "file": "a.txt", "value_type": 3}])"}},
     "functions[0].value_type",
     "1 or 2"},
    {"SineNoSteps",
     {{"functions",
       R"([{"name": "F", "type": 2, "kind": 2, "period": 1, "steps_per_cycle": 0, "cycles": 1, "amplitude": 1}])"}},
     "functions[0].steps_per_cycle",
     "at least 1"},
    {"SineZeroPeriod",
     {{"functions",
       R"([{"name": "F", "type": 2, "kind": 3, "period": 0, "steps_per_cycle": 8, "cycles": 1, "amplitude": 1}])"}},
     "functions[0].period",
     "must be above 0"},
    {"SineTooManyPoints",
     {{"functions",
       R"([{"name": "F", "type": 2, "kind": 2, "period": 1, "steps_per_cycle": 100000, "cycles": 1000, "amplitude": 1}])"}},
     "functions[0]",
     "at most 10000000"},
    {"RampMissingAmplitude",
     {{"functions", R"([{"name": "F", "type": 2, "kind": 4, "ramp_time": 1, "max_time": 2}])"}},
     "functions[0]",
     "key \"amplitude\" is missing"},
    {"SpectrumWithHistoryKey",
     {{"functions", R"([{"name": "F", "type": 1, "times": [0]}])"}},
     "functions[0].times",
     "only time-history functions"},

    // Load cases
    {"CaseTypeOutOfRange", {{"load_cases", R"([{"name": "C", "type": 9}])"}}, "load_cases[0].type", "from 1 to 8"},
    {"LinearCaseWithLoads",
     {{"load_cases", R"([{"name": "C", "type": 1, "loads": []}])"}},
     "load_cases[0].loads",
     "type 1 has no such key"},
    {"StaticLoadTypeUnknown",
     {{"load_cases", R"([{"name": "C", "type": 2, "loads": [{"type": "Force", "name": "DEAD", "scale": 1}]}])"}},
     "load_cases[0].loads[0].type",
     "expected \"Load\", \"Mode\" or \"Accel\""},
    {"StaticLoadPatternUnknown",
     {{"load_cases", R"([{"name": "C", "type": 2, "loads": [{"type": "Load", "name": "X", "scale": 1}]}])"}},
     "load_cases[0].loads[0].name",
     "load pattern \"X\" does not exist"},
    {"StaticModeNotNumber",
     {{"load_cases", R"([{"name": "C", "type": 2, "loads": [{"type": "Mode", "name": "first", "scale": 1}]}])"}},
     "load_cases[0].loads[0].name",
     "mode number"},
    {"StaticModeZero",
     {{"load_cases", R"([{"name": "C", "type": 2, "loads": [{"type": "Mode", "name": "0", "scale": 1}]}])"}},
     "load_cases[0].loads[0].name",
     "mode number"},
    {"StaticAccelWrongDirection",
     {{"load_cases", R"([{"name": "C", "type": 2, "loads": [{"type": "Accel", "name": "U1", "scale": 1}]}])"}},
     "load_cases[0].loads[0].name",
     "\"UX\", \"UY\" or \"UZ\""},
    {"StaticScaleMissing",
     {{"load_cases", R"([{"name": "C", "type": 2, "loads": [{"type": "Load", "name": "DEAD"}]}])"}},
     "load_cases[0].loads[0]",
     "key \"scale\" is missing"},
    {"MonitoredDofOutOfRange",
     {{"load_cases", R"([{"name": "C", "type": 2, "load_application": {"monitored_dof": 7}}])"}},
     "load_cases[0].load_application.monitored_dof",
     "from 1 to 6"},
    {"LoadControlOutOfRange",
     {{"load_cases", R"([{"name": "C", "type": 2, "load_application": {"load_control": 3}}])"}},
     "load_cases[0].load_application.load_control",
     "1 or 2"},
    {"MonitoredPointUnknown",
     {{"load_cases", R"([{"name": "C", "type": 2, "load_application": {"monitored_point": "P9"}}])"}},
     "load_cases[0].load_application.monitored_point",
     "point \"P9\" does not exist"},
    {"HistoryStepsMissing",
     {{"load_cases", R"([{"name": "C", "type": 8, "step_size": 0.01}])"}},
     "load_cases[0]",
     "key \"output_steps\" is missing"},
    {"HistoryStepSizeZero",
     {{"load_cases", R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0}])"}},
     "load_cases[0].step_size",
     "must be above 0"},
    {"HistoryAccelWrongDirection",
     {{"load_cases",
       R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0.1, "loads": [{"type": "Accel", "name": "UX", "function": "EQ", "scale": 1}]}])"}},
     "load_cases[0].loads[0].name",
     "\"U1\", \"U2\" or \"U3\""},
    {"HistoryAccelWithoutFunction",
     {{"load_cases",
       R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0.1, "loads": [{"type": "Accel", "name": "U1", "scale": 1}]}])"}},
     "load_cases[0].loads[0]",
     "key \"function\" is missing"},
    {"HistoryFunctionUnknown",
     {{"load_cases",
       R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0.1, "loads": [{"type": "Accel", "name": "U1", "function": "Q", "scale": 1}]}])"}},
     "load_cases[0].loads[0].function",
     "function \"Q\" does not exist"},
    {"HistoryFunctionNotHistory",
     {{"load_cases",
       R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0.1, "loads": [{"type": "Accel", "name": "U1", "function": "RS", "scale": 1}]}])"}},
     "load_cases[0].loads[0].function",
     "not a time-history function"},
    {"HistoryModeLoad",
     {{"load_cases",
       R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0.1, "loads": [{"type": "Mode", "name": "1", "scale": 1}]}])"}},
     "load_cases[0].loads[0].type",
     "expected \"Load\" or \"Accel\""},
    {"HistoryTimeFactorZero",
     {{"load_cases",
       R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0.1, "loads": [{"type": "Load", "name": "DEAD", "scale": 1, "time_factor": 0}]}])"}},
     "load_cases[0].loads[0].time_factor",
     "must be above 0"},
    {"DampingValuesWrongLength",
     {{"load_cases",
       R"([{"name": "C", "type": 8, "output_steps": 10, "step_size": 0.1, "damping": {"values": [1, 2, 3]}}])"}},
     "load_cases[0].damping.values",
     "array of 2 numbers"},
    {"CaseNameTwice",
     {{"load_cases", R"([{"name": "C", "type": 1}, {"name": "C", "type": 3}])"}},
     "load_cases[1].name",
     "load case name \"C\" is already used by load_cases[0]"},
};

INSTANTIATE_TEST_SUITE_P(EveryRule, RefusedDocument, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<Refusal>& param) { return std::string(param.param.label); });

TEST(DocumentRefusal, TopLevelMustBeAnObject) {
    EXPECT_EQ(RefusalOf("[]"), "model.json: (top level): expected a model document (an object), found an array");
}

TEST(DocumentRefusal, RepeatedTopLevelKey) {
    const std::string message = RefusalOf(R"({"format": "tarvo-model", "version": 1, "units": 3, "units": 4})");
    EXPECT_EQ(message, "model.json: units: the key appears twice in the same object");
}

TEST(DocumentRefusal, SyntaxErrorsGiveLineAndColumn) {
    EXPECT_EQ(RefusalOf("{\n  \"format\": \"tarvo-model\",\n  \"version\": 1,\n}"),
              "model.json: line 4, column 1: not valid JSON: expected a key in double quotes");
    EXPECT_EQ(RefusalOf("{\"format\": \"tarvo-model\" \"version\": 1}"),
              "model.json: line 1, column 26: not valid JSON: expected ',' or '}'");
    EXPECT_EQ(RefusalOf(""), "model.json: line 1, column 1: not valid JSON: the document is empty");
    EXPECT_EQ(RefusalOf("{\"format\": \"tar"),
              "model.json: line 1, column 16: not valid JSON: the document ends inside a string");
    EXPECT_EQ(RefusalOf("{\"format\": \"tarvo-model\", \"version\": 1}}"),
              "model.json: line 1, column 40: not valid JSON: unexpected text after the end of the document");
    EXPECT_EQ(RefusalOf("{\"format\": \"tarvo-model\", \"version\": 1, \"units\": tru}"),
              "model.json: line 1, column 50: not valid JSON: expected a value");
}

TEST(DocumentRefusal, EscapedKeysAndNamesReadLikePlainOnes) {
    const auto host = DocumentHost::FromText(
        R"({"format": "tarvo-model", "vers\u0069on": 1, "load_p\u0061tterns": [{"name": "D\u0041\"1"}]}

)",
        "model.json");
    Names names;
    host->GetLoadPatternNameList(names);
    EXPECT_EQ(names, (Names{"DA\"1"}));
}

TEST(DocumentRefusal, NumbersOutOfRangeAndBadTextAreRefused) {
    EXPECT_EQ(RefusalOf(Build({{"points", R"([{"name": "P", "x": 1e999, "y": 0, "z": 0}])"}})),
              "model.json: points[0].x: the number 1e999 is out of range (numbers may reach about 1.8e308)");
    EXPECT_EQ(RefusalOf("{\"format\": \"tarvo-model\",\n\"version\": 1, \"points\": [{\"name\": \"\xff\"}]}"),
              "model.json: line 2, column 36 (byte offset 61): not valid JSON: the text is not valid UTF-8: "
              "the byte 0xFF never starts a character");
}

TEST(DocumentRefusal, WholeNumbersMayBeWrittenWithAFraction) {
    const auto host = DocumentHost::FromText(Build({{"units", "5.0"}}), "model.json");
    EXPECT_EQ(host->GetPresentUnits(), 5);
}

}  // namespace
}  // namespace t2v::host
