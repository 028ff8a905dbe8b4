// tarvo2vantra: transfers a model document into a Vantra structure folder, driving the
// transfer dialog as a user would (load, choose folder and name, press Transfer).
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <exception>
#include <sstream>
#include <iostream>
#include <unistd.h>

#include "check/NameMap.h"
#include "check/StructureChecks.h"
#include "check/Totals.h"
#include "host/document/DocumentHost.h"
#include "platform/posix/PosixPlatform.h"
#include "plugin/RulesText.h"
#include "plugin/cPlugin.h"

namespace {

using namespace t2v;

struct Options {
    std::string model;
    std::string dir;
    std::string name = "Vantra";
    int version = 5;
    std::string home;
    bool quiet = false;
    bool timings = false;
    bool check = false;
    std::string map;
};

using Clock = std::chrono::steady_clock;

// Wall time of each phase of one transfer: document load, read, fill, write.
struct PhaseTimes {
    Clock::time_point start = Clock::now();
    Clock::time_point mark = start;
    std::string current = "load";
    std::vector<std::pair<std::string, double>> done;
    // The same, step by step ("read ReadNodes", "fill FillVantraElements", ...), so that a
    // slow transfer shows where its time goes.
    Clock::time_point stepMark = start;
    std::string currentStep = "load";
    std::vector<std::pair<std::string, double>> steps;
    void enter(std::string_view phase, std::string_view step) {
        auto now = Clock::now();
        std::string name = std::string(phase);
        if (!step.empty()) name += " " + std::string(step);
        if (name != currentStep) {
            steps.emplace_back(currentStep, std::chrono::duration<double>(now - stepMark).count());
            stepMark = now;
            currentStep = std::move(name);
        }
        if (phase == current) return;
        done.emplace_back(current, std::chrono::duration<double>(now - mark).count());
        mark = now;
        current = std::string(phase);
    }
    static std::string json(const std::vector<std::pair<std::string, double>>& times) {
        std::string out = "{";
        for (std::size_t i = 0; i < times.size(); ++i) {
            char buf[160];
            std::snprintf(buf, sizeof buf, "%s\"%s\": %.6f", i ? ", " : "", times[i].first.c_str(), times[i].second);
            out += buf;
        }
        return out + "}";
    }
};

// A one-line progress display on a terminal for transfers longer than about a second.
class ProgressLine {
public:
    explicit ProgressLine(bool enabled) : enabled_(enabled) {}
    void show(std::string_view phase, std::string_view step, long done, long total) {
        if (!enabled_) return;
        auto now = Clock::now();
        if (now - start_ < std::chrono::milliseconds(800) || now - last_ < std::chrono::milliseconds(100)) return;
        last_ = now;
        std::string text = std::string(phase) + ": " + std::string(step);
        if (total > 0) text += " (" + std::to_string(done) + "/" + std::to_string(total) + ")";
        else if (phase == "write" && done > 0) text += " " + std::to_string(done / (1 << 20)) + " MB";
        if (text.size() > 70) text.resize(70);
        std::fprintf(stderr, "\r%-72s", text.c_str());
        shown_ = true;
    }
    void clear() {
        if (shown_) std::fprintf(stderr, "\r%-72s\r", "");
        shown_ = false;
    }

private:
    bool enabled_;
    bool shown_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_{};
};

// Plays the user of the dialog from the command line's options.
class CommandLineUser : public plugin::DialogUser {
public:
    CommandLineUser(const Options& o, std::ostream& err) : o_(o), err_(err) {}
    void ShowModal(plugin::frmTransferVantra& dialog) override {
        if (o_.version == 4) dialog.optVersion = {false, true};
        if (!o_.dir.empty() && !dialog.SetDirListPath(o_.dir)) {
            err_ << "tarvo2vantra: the structures folder " << o_.dir << " does not exist\n";
            return;
        }
        dialog.txtVantraName = o_.name;
        dialog.cmdTransfer_Click();
        pressedTransfer = dialog.unloaded;
        structureFolder = dialog.ctlVantraDir;
    }
    bool pressedTransfer = false;
    std::string structureFolder;

private:
    const Options& o_;
    std::ostream& err_;
};

// What the transfer made, from the store, for the user to check at a glance.
void printSummary(const target::VantraModel& m, std::ostream& out) {
    auto line = [&](const char* what, long n) { out << "  " << what << ": " << n << '\n'; };
    out << "Made:\n";
    line("nodes (with the origin node)", m.NodeTable.count());
    line("diaphragm constraints", m.ConstraintTable.count());
    line("element groups", m.ElementGroupTable.count());
    line("elements (with one head element per group)", m.ElementTable.count());
    line("frames (host groups)", m.FrameTable.count());
    line("material components", m.InelasticMaterialTable.count() + m.ElasticFiberMaterialTable.count() +
                                    m.ElasticShearMaterialTable.count() + m.ElasticSlabMaterialTable.count());
    line("cross sections", m.BeamSectionTable.count() + m.ColumnSectionTable.count() + m.SlabSectionTable.count() +
                               m.InelasticWallSectionTable.count() + m.ElasticWallSectionTable.count());
    line("release and FEMA components",
         m.ReleaseComponentTable.count() + m.FemaBeamTable.count() + m.FemaColumnTable.count());
    line("compound components",
         m.FrameCompoundTable.count() + m.WallCompoundTable.count() + m.GeneralWallCompoundTable.count());
    line("nodal load patterns (with AccelUX, AccelUY)", m.NodalLoadPatternTable.count());
    out << "    element load patterns: " << m.ElementLoadPatternTable.count()
        << ", self-weight patterns: " << m.SelfWeightPatternTable.count() << '\n';
    line("section cuts", m.SectionCutTable.count());
    line("drifts", m.DriftTable.count());
    out << "  load cases: " << m.GravityLoadCaseTable.count() << " gravity, " << m.PushoverLoadCaseTable.count()
        << " pushover, " << m.DynamicLoadCaseTable.count() << " dynamic; analysis series: "
        << m.AnalysisCaseTable.count() << '\n';
}

void makeFolders(platform::Platform& p, const std::string& path) {
    std::string sofar;
    std::size_t at = 0;
    while (at != std::string::npos) {
        std::size_t next = path.find(p.separator(), at + 1);
        sofar = path.substr(0, next);
        if (!sofar.empty() && !p.isDirectory(sofar)) p.createDirectory(sofar);
        at = next;
    }
}

// --check: the written structure, read back through the decoder, checked on its own and
// balanced against the source model. True when nothing is found and the totals balance.
bool checkWritten(const std::string& structureDir, host::TarvoHost& host, std::ostream& out) {
    const check::StructureDigest d = check::ReadStructureDigest(structureDir);
    const check::CheckReport report = check::CheckStructure(d);
    check::PrintFindings(report, out);
    const check::Balance b = check::BalanceTotals(check::SourceTotalsFromHost(host), check::StructureTotals(d), d);
    check::PrintBalance(b, out);
    return report.findings.empty() && b.balanced();
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Transfers a Tarvo model document into a Vantra structure (seven structure files and one\n"
                 "earthquake record per time-history function)."};
    Options o;
    bool rules = false;
    app.add_option("model", o.model, "the model document (JSON)");
    app.add_option("--dir", o.dir, "the structures folder (default: the one the dialog shows, <home>/Vantra/Structures)");
    app.add_option("--name", o.name, "the structure name, at most 12 characters (default \"Vantra\")");
    app.add_option("--version", o.version, "Vantra version 4 or 5 (decides the home folder)")->check(CLI::IsMember({4, 5}));
    app.add_option("--home", o.home, "the Vantra home folder (default: <documents>/VANTRA for version 5)");
    app.add_flag("--quiet", o.quiet, "print nothing but errors (no progress display)");
    app.add_flag("--timings", o.timings, "print the wall time of each phase (load, read, fill, write) as JSON, then of each step");
    app.add_flag("--rules", rules, "print the transfer rules and exit");
    app.add_option("--map", o.map,
                   "write the name map: every host point, frame, area, group, pattern and case with the number it "
                   "became (CSV)");
    app.add_flag("--check", o.check,
                 "after the transfer, check the structure and balance its loads and masses against the model "
                 "(exit 3 when something is found)");
    CLI11_PARSE(app, argc, argv);

    if (rules) {
        for (auto line : plugin::kRulesLines) std::cout << line << '\n';
        return 0;
    }
    if (o.model.empty()) {
        std::cerr << "tarvo2vantra: a model document is required (see --help)\n";
        return 2;
    }

    std::ostream nowhere(nullptr);
    platform::PosixPlatform platform(o.quiet ? nowhere : std::cout, std::cerr);
    PhaseTimes times;
    ProgressLine progress(!o.quiet && ::isatty(STDERR_FILENO));
    try {
        std::unique_ptr<host::DocumentHost> host = host::DocumentHost::LoadFile(o.model);
        CommandLineUser user(o, std::cerr);
        plugin::cPlugin plugin(platform, user);
        if (!o.home.empty()) {
            // The dialog makes the home folder one level at a time; from the command
            // line the user may name a new folder anywhere, so its parents are made too.
            makeFolders(platform, o.home);
            plugin.Shared().VantraHomeOverride = o.home;
        }
        plugin.Shared().progress = [&](std::string_view phase, std::string_view step, long done, long total) {
            times.enter(phase, step);
            if (phase == "done") progress.clear();
            else progress.show(phase, step, done, total);
        };
        std::vector<check::NameMapRow> nameMap;
        if (!o.map.empty())
            plugin.Shared().filled = [&](const source::TarvoModelObj& src, const target::VantraModel& store) {
                nameMap = check::BuildNameMap(src, store, *host);
            };
        bool ok = false;
        plugin.Main(host.get(), ok);
        progress.clear();
        if (o.timings) {
            // Phases on the first line (what scripts read), steps on the second.
            std::cout << PhaseTimes::json(times.done) << '\n' << PhaseTimes::json(times.steps) << std::endl;
        }
        if (!user.pressedTransfer || !plugin.Shared().lastTransferWritten) return 1;
        if (!o.map.empty()) {
            std::ostringstream text;
            check::WriteNameMapCsv(nameMap, text);
            const std::string csv = text.str();
            std::string error;
            auto file = platform.createFile(o.map, error);
            if (!file || !file->write(csv.data(), csv.size()) || !file->commit()) {
                std::cerr << "tarvo2vantra: cannot write the name map " << o.map << ": "
                          << (file ? file->error() : error) << '\n';
                return 1;
            }
        }
        if (!o.quiet) printSummary(plugin.Shared().store, std::cout);
        if (!o.quiet)
            std::cout << "Structure written to "
                      << platform.join(plugin.Shared().StructuresRoot, plugin.Shared().StructureNameInput) << '\n';
        if (o.check &&
            !checkWritten(platform.join(plugin.Shared().StructuresRoot, plugin.Shared().StructureNameInput), *host,
                          std::cout))
            return 3;
        return 0;
    } catch (const std::exception& e) {
        progress.clear();
        std::cerr << "tarvo2vantra: " << e.what() << '\n';
        return 1;
    }
}
