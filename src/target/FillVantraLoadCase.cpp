// Load cases and the analysis series.
//
// The host's nonlinear static cases become gravity cases (full load) or pushover cases
// (displacement control); its nonlinear time-history cases become dynamic earthquake
// cases that name the earthquake records written when the functions were read. One
// analysis series runs them: "DynaAnalysis" when there is a dynamic case, otherwise
// "PushAnalysis" when there is a pushover case, otherwise none.
#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Text.h"
#include "target/FillSteps.h"
#include "target/LoadCaseLayout.h"

namespace t2v::target {
namespace {

constexpr int kMaxGravityCases = 20;
constexpr int kMaxPushoverCases = 20;
// Dynamic cases are counted before they are added and added while the count stays
// below this: at most 19 of them.
constexpr int kDynamicCountLimit = 20;
constexpr int kMaxEntries = 20;
constexpr int kMaxModeEntries = 6;
constexpr int kMaxModeNumber = 6;

constexpr std::string_view kLimitStateName = "Deformation beyond X point for any component";
constexpr std::string_view kRecordHeaderPrefix = "EarthquakeRecord: ";

// Record layouts: target/LoadCaseLayout.h.
namespace gravity = layout::gravity_case;
namespace pushover = layout::pushover_case;
namespace dynamic = layout::dynamic_case;
namespace series = layout::analysis_series;

constexpr int kPushAnalysisKind = 2;
constexpr int kDynaAnalysisKind = 5;

bool hasLoadNode(const source::TarvoLoadPatternObj* p) { return p && p->LoadNodeNotEmpty; }

std::string caseName(const std::string& hostName, std::size_t index) {
    return MakeVantraName("", hostName, static_cast<long>(index));
}

// The mode number of a "Mode" load, 1..6; nothing for another text.
std::optional<int> modeNumber(std::string_view text) {
    text = trimBlanks(text);
    int v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (v < 1 || v > kMaxModeNumber) return std::nullopt;
    return v;
}

void addGravityCase(FillContext& c, const std::string& name, std::size_t index,
                    const std::vector<source::NonlinearLoad>& loads) {
    auto& t = c.m.GravityLoadCaseTable;
    RecordView r = t.rec(t.add());
    r.text(gravity::kName, 40, caseName(name, index));
    r.u8(gravity::kKindFlag, 0);
    int n = 0;
    auto entry = [&](int kind, const std::string& pattern, double scale) {
        if (n >= kMaxEntries) {
            c.src.Report.add("load case entry", name + ": " + pattern, "entry past the 20 of a case");
            return;
        }
        r.i16(gravity::kEntryKind + 2 * static_cast<std::size_t>(n), kind);
        r.text(gravity::kEntryName + 40 * static_cast<std::size_t>(n), 40, pattern);
        r.f32(gravity::kEntryScale + 4 * static_cast<std::size_t>(n), scale);
        ++n;
    };
    for (const source::NonlinearLoad& l : loads) {
        if (l.type != "Load") {
            c.src.Report.add("load case entry", name + ": " + l.type + " " + l.name,
                             "load of a kind a gravity case does not take");
            continue;
        }
        const source::TarvoLoadPatternObj* p = c.src.LoadPatternObjGet(l.name);
        if (!p) {
            c.src.Report.add("load case entry", name + ": " + l.name, "unresolved load pattern");
            continue;
        }
        if (p->LoadNodeNotEmpty) entry(1, p->VantraLoadPatternNodeName, l.scale);
        if (p->LoadElementNotEmpty) entry(2, p->VantraLoadPatternElementName, l.scale);
        if (p->SelfWeightNotEmpty) entry(3, p->VantraLoadPatternSelfWeightName, l.scale);
    }
    r.i16(gravity::kEntryCount, n);
}

// False when no load can drive the case (it is then not made).
bool addPushoverCase(FillContext& c, const std::string& name, std::size_t index, int monitoredDof,
                     const std::vector<source::NonlinearLoad>& loads) {
    std::string drive;
    for (const source::NonlinearLoad& l : loads)
        if (l.type == "Load" || l.type == "Mode" || l.type == "Accel") {
            drive = l.type;
            break;
        }
    if (drive.empty()) {
        c.src.Report.add("load case", name, "pushover case without a load, mode or acceleration");
        return false;
    }

    auto& t = c.m.PushoverLoadCaseTable;
    RecordView r = t.rec(t.add());
    r.text(pushover::kName, 40, caseName(name, index));
    r.u8(pushover::kKindFlag, 1);
    r.u8(pushover::kModeFlag, drive == "Mode" ? 1 : 0);
    layout::writeFixed(r, pushover::kFixedBytes);
    r.text(pushover::kLimitState, 40, kLimitStateName);
    layout::writeFixed(r, pushover::kFixedWords);
    layout::writeFixed(r, pushover::kFixedSingles);

    int n = 0;
    auto dropped = [&](const source::NonlinearLoad& l, std::string_view reason) {
        c.src.Report.add("load case entry", name + ": " + l.type + " " + l.name, reason);
    };
    auto loadEntry = [&](const std::string& pattern, double scale) {
        if (n >= kMaxEntries) {
            c.src.Report.add("load case entry", name + ": " + pattern, "entry past the 20 of a case");
            return;
        }
        r.u8(pushover::kEntryKind + static_cast<std::size_t>(n), 1);
        r.text(pushover::kEntryName + 40 * static_cast<std::size_t>(n), 40, pattern);
        r.f32(pushover::kEntryScale + 4 * static_cast<std::size_t>(n), scale);
        ++n;
    };
    for (const source::NonlinearLoad& l : loads) {
        if (l.type != drive) {
            dropped(l, "load of another kind than the one that drives the pushover");
            continue;
        }
        if (drive == "Accel") {
            if (l.name == "UX")
                loadEntry("AccelUX", l.scale);
            else if (l.name == "UY")
                loadEntry("AccelUY", l.scale);
            else
                dropped(l, "acceleration in a direction other than UX or UY");
        } else if (drive == "Mode") {
            const std::optional<int> mode = modeNumber(l.name);
            if (!mode) {
                dropped(l, "mode other than 1 to 6");
                continue;
            }
            if (n >= kMaxModeEntries) {
                dropped(l, "mode past the 6 of a case");
                continue;
            }
            r.u8(pushover::kModeNumber + static_cast<std::size_t>(n), *mode);
            r.f32(pushover::kEntryScale + 4 * static_cast<std::size_t>(n), l.scale);
            ++n;
        } else {
            const source::TarvoLoadPatternObj* p = c.src.LoadPatternObjGet(l.name);
            if (hasLoadNode(p))
                loadEntry(p->VantraLoadPatternNodeName, l.scale);
            else if (!p)
                dropped(l, "unresolved load pattern");
            else
                dropped(l, "load pattern without nodal loads");
        }
    }
    r.i16(pushover::kEntryCount, n);
    r.text(pushover::kDriftName, 20, monitoredDof == 2 ? "H2 Drift" : "H1 Drift");
    r.i32(pushover::kTrailingLong, 0);
    return true;
}

// One direction of ground acceleration of a dynamic case.
struct Direction {
    bool found = false;
    std::string function;
    double scale = 0;
    double timeFactor = 1;
};

void addDynamicCase(FillContext& c, const std::string& name, std::size_t index, const std::array<Direction, 3>& dirs,
                    int outputSteps, double stepSize) {
    auto& t = c.m.DynamicLoadCaseTable;
    RecordView r = t.rec(t.add());
    r.text(dynamic::kName, 40, caseName(name, index));
    r.u8(dynamic::kKindFlag, 1);
    layout::writeFixed(r, dynamic::kFixedBytes);
    r.text(dynamic::kLimitState, 40, kLimitStateName);
    r.f32(dynamic::kDuration, static_cast<double>(outputSteps) * stepSize);
    r.f32(dynamic::kStepSize, stepSize);
    layout::writeFixed(r, dynamic::kFixedWords);
    for (std::size_t d = 0; d < 3; ++d) {
        const Direction& dir = dirs[d];
        const source::TarvoTHFuncObj* f = dir.found ? c.src.THFuncObjGet(dir.function) : nullptr;
        // The target finds the record by its file name; an unsafe function name was
        // written under an encoded file name, which is the one named here.
        const std::string fileName = f ? (f->RecordFileName.empty() ? f->Label : f->RecordFileName) : "";
        // A ground motion without its record would run the analysis with nothing in
        // that direction.
        if (dir.found && !f)
            c.src.Report.add("load case", name + " U" + std::to_string(d + 1), "ground motion without a record", true,
                             "function " + dir.function);
        r.text(dynamic::kSubfolder + 12 * d, 12, f ? c.src.Records().EqkeGroupName : "");
        r.text(dynamic::kFunctionName + 12 * d, 12, fileName);
        r.text(dynamic::kHeaderName + 40 * d, 40, f ? std::string(kRecordHeaderPrefix) + f->Label : "");
        const std::size_t block = dynamic::kDirectionBlock * d;
        r.i16(dynamic::kPoints + block, f ? f->ValueNum() : 0);
        r.f32(dynamic::kScale + block, dir.found ? dir.scale / static_cast<double>(c.m.Gravity) : 0.0);
        r.f32(dynamic::kTimeFactor + block, dir.found ? dir.timeFactor : 1.0);
    }
    const bool h2 = dirs[1].found && !dirs[0].found;
    r.text(dynamic::kDriftName, 20, h2 ? "H2 Drift" : "H1 Drift");
}

// The four control values of the dynamic series, from the damping of its first case:
// code 1 gives none; codes 2 and 3 carry the two coefficients as the host gives them;
// any other code derives them from the host's two values.
std::array<double, 4> dynamicControls(FillContext& c, const std::string& caseNameForDamping) {
    source::DynamicDamping damping;
    if (c.query.GetDynamicNonlinearDamping(caseNameForDamping, damping) != 0) return {0, 0, 0, 0};
    switch (damping.code) {
        case 1:
            return {0, 0, 0, 0};
        case 2:
        case 3:
            return {0.1, 0.9, damping.value1, damping.value2};
        default:
            return {0.1, 0.9, damping.value1 * 0.1 / 4 / 3.1415926, damping.value2 * 3.1415926 / 0.9};
    }
}

void addSeries(FillContext& c, std::string_view seriesName, int kind, const std::array<double, 4>& controls) {
    // Its earlier results are cleared by the driver once the new structure is in place.
    c.m.SeriesToReset = std::string(seriesName);
    auto& t = c.m.AnalysisCaseTable;
    RecordView r = t.rec(t.add());
    r.text(series::kName, 12, seriesName);
    r.text(series::kTitle, 60, "Vantra: " + std::string(seriesName));
    r.text(series::kEmpty, 40, "");
    layout::writeFixed(r, series::kFixedBytes);
    layout::writeFixed(r, series::kFixedWords);
    r.i16(series::kKind, kind);
    layout::writeFixed(r, series::kFixedSingles);
    for (std::size_t i = 0; i < 4; ++i) r.f32(series::kControl + 4 * i, controls[i]);
}

}  // namespace

void FillVantraLoadCases(FillContext& c) {
    source::Names names;
    c.query.GetLoadCaseNameList(0, names);

    c.m.SeriesToReset.clear();
    int dynamicCount = 0;
    std::optional<std::string> firstDynamicCase;  // its damping sets the series' controls
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        int type = 0;
        c.query.GetLoadCaseType(name, type);

        if (type == 2) {
            source::StaticNonlinearLoadApplication app;
            c.query.GetStaticNonlinearLoadApplication(name, app);
            std::vector<source::NonlinearLoad> loads;
            c.query.GetStaticNonlinearLoads(name, loads);
            if (app.loadControl == 1) {
                if (c.m.GravityLoadCaseTable.count() < kMaxGravityCases)
                    addGravityCase(c, name, i, loads);
                else
                    c.src.Report.add("load case", name, "gravity case past the 20 of a structure");
            } else if (app.loadControl == 2) {
                if (c.m.PushoverLoadCaseTable.count() < kMaxPushoverCases)
                    addPushoverCase(c, name, i, app.monitoredDof, loads);
                else
                    c.src.Report.add("load case", name, "pushover case past the 20 of a structure");
            } else {
                c.src.Report.add("load case", name,
                                 "static case with a load control other than full load or displacement");
            }
        } else if (type != 8) {
            c.src.Report.add("load case", name, "load case of a kind that is not transferred", false,
                             "type " + std::to_string(type));
        } else {
            std::vector<source::NonlinearLoad> loads;
            c.query.GetDynamicNonlinearLoads(name, loads);
            int outputSteps = 0;
            double stepSize = 0;
            c.query.GetDynamicNonlinearTimeStep(name, outputSteps, stepSize);

            // Walked from the last load back, so each direction ends with its first
            // "Accel" load in host order.
            std::array<Direction, 3> dirs;
            for (std::size_t k = loads.size(); k-- > 0;) {
                const source::NonlinearLoad& l = loads[k];
                const std::size_t d = l.name == "U1" ? 0 : l.name == "U2" ? 1 : l.name == "U3" ? 2 : 3;
                if (l.type != "Accel" || d == 3) {
                    c.src.Report.add("load case entry", name + ": " + l.type + " " + l.name,
                                     "time-history load other than an acceleration in U1, U2 or U3");
                    continue;
                }
                if (dirs[d].found)
                    c.src.Report.add("load case entry", name + ": " + l.type + " " + l.name,
                                     "second acceleration in one direction", false, "function " + dirs[d].function);
                dirs[d] = {true, l.function, l.scale, l.timeFactor};
            }
            if (!dirs[0].found && !dirs[1].found && !dirs[2].found) {
                c.src.Report.add("load case", name, "time-history case without an acceleration load");
                continue;
            }
            if (++dynamicCount >= kDynamicCountLimit) {
                c.src.Report.add("load case", name, "time-history case past the 19 of a structure");
                continue;
            }
            addDynamicCase(c, name, i, dirs, outputSteps, stepSize);
            if (!firstDynamicCase) firstDynamicCase = name;
        }
    }

    if (c.m.DynamicLoadCaseTable.count() > 0)
        addSeries(c, "DynaAnalysis", kDynaAnalysisKind, dynamicControls(c, *firstDynamicCase));
    else if (c.m.PushoverLoadCaseTable.count() > 0)
        addSeries(c, "PushAnalysis", kPushAnalysisKind, {0.1, 0.9, 0, 0});
}

}  // namespace t2v::target
