// tarvo2vantra: transfers a model document into a Vantra structure folder, driving the
// transfer dialog as a user would (load, choose folder and name, press Transfer).
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <exception>
#include <iostream>
#include <unistd.h>

#include "host/document/DocumentHost.h"
#include "platform/posix/PosixPlatform.h"
#include "plugin/RulesText.h"
#include "common/Text.h"
#include "common/TransferReport.h"
#include "plugin/cPlugin.h"

namespace {

using namespace t2v;

struct Options {
    std::string model;
    std::string dir;
    std::string name = "Vantra";
    int vantra = 5;
    std::string home;
    bool quiet = false;
    bool timings = false;
    std::string reportFile;  // --report: every item of the transfer report as JSON
    bool strict = false;     // every left-out item is a problem
    bool noSync = false;     // skip the flushes to the disk
};

// The exit status: 0 everything asked was done; 1 the transfer failed and the earlier
// structure is untouched; 2 the command line could not be used; 3 the structure was
// transferred, with problems that the report lists.
enum Exit : int { kDone = 0, kFailed = 1, kUsage = 2, kProblems = 3 };

constexpr const char* kProgram = "tarvo2vantra";
#ifndef T2V_VERSION
#define T2V_VERSION "0.1"
#endif

// The platform as the command line shows it: every message on one line that starts
// with the program's name (a message box's further lines are indented below it).
class CommandLinePlatform : public platform::PosixPlatform {
public:
    CommandLinePlatform(std::ostream& out, std::ostream& err) : PosixPlatform(out, err), out_(out), err_(err) {}
    platform::MsgResult messageBox(const std::string& text, const std::string& title, platform::MsgIcon icon,
                                   platform::MsgButtons) override {
        std::ostream& o = icon == platform::MsgIcon::Critical ? err_ : out_;
        std::string shown = text;
        // "Error : ..." is the dialog's way of saying what the prefix says here.
        if (shown.rfind("Error : ", 0) == 0) shown.erase(0, 8);
        std::string line;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] == '\r' || shown[i] == '\n') {
                if (shown[i] == '\r' && i + 1 < shown.size() && shown[i + 1] == '\n') ++i;
                line += "\n  ";
            } else {
                line += shown[i];
            }
        }
        for (std::size_t at; (at = line.find("\n  \n")) != std::string::npos;) line.erase(at, 3);  // no empty lines
        o << kProgram << ": " << (title.empty() ? "" : title + ": ") << line << std::endl;
        return platform::MsgResult::Ok;
    }

private:
    std::ostream& out_;
    std::ostream& err_;
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
    CommandLineUser(const Options& o, platform::Platform& p, std::ostream& err) : o_(o), platform_(p), err_(err) {}
    void ShowModal(plugin::frmTransferVantra& dialog) override {
        if (o_.vantra == 4) dialog.optVersion = {false, true};
        if (!o_.dir.empty() && !dialog.SetDirListPath(o_.dir)) {
            err_ << kProgram << ": the structures folder " << o_.dir << " does not exist\n";
            return;
        }
        // The dialog falls back to the current folder when it cannot make the default
        // structures folder; a user at a window sees that, the command line refuses.
        if (o_.dir.empty() && shared) {
            const std::string expected = platform_.join(platform_.join(shared->VantraHome, "Vantra"), "Structures");
            if (dialog.ctlVantraDir != expected) {
                err_ << kProgram << ": cannot make the structures folder " << expected
                     << "; give one with --dir. Nothing was written.\n";
                return;
            }
        }
        dialog.txtVantraName = o_.name;
        dialog.cmdTransfer_Click();
        pressedTransfer = dialog.unloaded;
        structureFolder = dialog.ctlVantraDir;
    }
    bool pressedTransfer = false;
    std::string structureFolder;
    const plugin::SharedValues* shared = nullptr;  // the home folder the dialog chose when it loaded

private:
    const Options& o_;
    platform::Platform& platform_;
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

// Makes a folder with its parents. False with `error` (folder and reason) when it
// cannot.
bool makeFolders(platform::Platform& p, const std::string& path, std::string& error) {
    std::size_t at = 0;
    while (at != std::string::npos) {
        std::size_t next = path.find(p.separator(), at + 1);
        const std::string sofar = path.substr(0, next);
        if (!sofar.empty() && !p.isDirectory(sofar) && !p.createDirectory(sofar, &error) && !p.isDirectory(sofar))
            return false;
        at = next;
    }
    if (p.isDirectory(path)) return true;
    error = "cannot create the folder " + path + ": not a folder";
    return false;
}

// The report file of --report, written whole or not at all.
bool writeReportFile(platform::Platform& p, const std::string& path, const std::string& json, std::string& error) {
    std::unique_ptr<platform::OutputFile> f = p.createFile(path, error);
    if (!f) return false;
    if (f->write(json.data(), json.size()) && f->commit()) return true;
    error = f->error();
    return false;
}

// Refusals that need nothing but the options, before anything is made or read.
std::string usageProblem(const Options& o, platform::Platform& p) {
    if (o.model.empty()) return "a model document is required (see --help)";
    std::string name(t2v::trimRightBlanks(o.name));
    if (std::string problem = plugin::frmTransferVantra::StructureNameProblem(name); !problem.empty())
        return problem.substr(problem.rfind("Error : ", 0) == 0 ? 8 : 0);
    if (o.vantra == 4 && o.home.empty() && p.readRegistryText("SOFTWARE\\Quorvane\\VANTRA\\4", "Install path").empty())
        return "Vantra 4 is not installed here (VANTRA4_INSTALL_PATH is not set), so there is no folder for the "
               "earthquake records: set it, give the home folder with --home, or use --vantra 5. Nothing was written.";
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Transfers a Tarvo model document into a Vantra structure (seven structure files and one\n"
                 "earthquake record per time-history function).\n\n"
                 "Exit status: 0 everything was transferred; 1 the transfer failed (the earlier structure is\n"
                 "untouched); 2 usage error; 3 transferred, with problems that the report lists."};
    Options o;
    bool rules = false;
    app.set_version_flag("--version", std::string(kProgram) + " " + T2V_VERSION, "print the program's version and exit");
    app.add_option("model", o.model, "the model document (JSON)");
    app.add_option("--dir", o.dir, "the structures folder, made with its parents (default: <home>/Vantra/Structures)");
    app.add_option("--name", o.name, "the structure name, at most 12 characters (default \"Vantra\")");
    app.add_option("--vantra", o.vantra, "Vantra version 4 or 5 (decides the home folder)")->check(CLI::IsMember({4, 5}));
    app.add_option("--home", o.home, "the Vantra home folder, made with its parents (default: <documents>/VANTRA for Vantra 5)");
    app.add_option("--report", o.reportFile, "write every item of the transfer report to this JSON file");
    app.add_flag("--strict", o.strict, "count every object left out or changed as a problem (exit status 3)");
    app.add_flag("--no-sync", o.noSync, "do not flush the files to the disk before they replace the old ones (faster; "
                                       "for scratch runs and benchmarks)");
    app.add_flag("--quiet", o.quiet, "print nothing but errors (no progress display)");
    app.add_flag("--timings", o.timings, "print the wall time of each phase (load, read, fill, write) as JSON, then of each step");
    app.add_flag("--rules", rules, "print the transfer rules and exit");
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);  // --help, --version
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kUsage;
    }

    if (rules) {
        for (auto line : plugin::kRulesLines) std::cout << line << '\n';
        return kDone;
    }

    std::ostream nowhere(nullptr);
    CommandLinePlatform platform(o.quiet ? nowhere : std::cout, std::cerr);
    platform.setDurable(!o.noSync);
    if (std::string problem = usageProblem(o, platform); !problem.empty()) {
        std::cerr << kProgram << ": " << problem << '\n';
        return kUsage;
    }
    // An interrupted transfer leaves no temporary beside the earlier structure.
    platform.removeTemporariesOnInterrupt();

    PhaseTimes times;
    ProgressLine progress(!o.quiet && ::isatty(STDERR_FILENO));
    try {
        std::unique_ptr<host::DocumentHost> host = host::DocumentHost::LoadFile(o.model);
        CommandLineUser user(o, platform, std::cerr);
        plugin::cPlugin plugin(platform, user);
        plugin.Shared().strictReport = o.strict;
        // The dialog makes the home folder one level at a time; from the command line the
        // user may name a new folder anywhere, so its parents are made too, and a folder
        // that cannot be made stops the transfer before anything is written.
        std::string error;
        for (const std::string* folder : {&o.home, &o.dir})
            if (!folder->empty() && !makeFolders(platform, *folder, error)) {
                std::cerr << kProgram << ": " << error << ". Nothing was written.\n";
                return kFailed;
            }
        if (!o.home.empty()) plugin.Shared().VantraHomeOverride = o.home;
        user.shared = &plugin.Shared();
        plugin.Shared().progress = [&](std::string_view phase, std::string_view step, long done, long total) {
            times.enter(phase, step);
            if (phase == "done") progress.clear();
            else progress.show(phase, step, done, total);
        };
        bool ok = false;
        plugin.Main(host.get(), ok);
        progress.clear();
        if (o.timings) {
            // Phases on the first line (what scripts read), steps on the second.
            std::cout << PhaseTimes::json(times.done) << '\n' << PhaseTimes::json(times.steps) << std::endl;
        }
        const plugin::SharedValues& shared = plugin.Shared();
        if (!user.pressedTransfer || !shared.lastTransferWritten) return kFailed;
        const TransferReport& report = shared.report;
        std::string reportError;
        if (!o.reportFile.empty() && !writeReportFile(platform, o.reportFile, report.json(o.strict), reportError))
            std::cerr << kProgram << ": " << reportError << '\n';
        if (!o.quiet) {
            printSummary(shared.store, std::cout);
            if (!report.empty()) std::cout << "Not transferred or changed:\n" << report.summary(3, o.strict);
        } else if (report.hasProblems(o.strict)) {
            std::cerr << kProgram << ": transferred with problems:\n" << report.summary(3, o.strict);
        }
        if (!o.quiet) {
            std::cout << "Structure written to " << shared.store.StructureDir << '\n';
            if (shared.recordsWritten > 0)
                std::cout << shared.recordsWritten << " earthquake record files in "
                          << platform.join(platform.join(shared.VantraHome, "Records"), shared.EqkeGroupName) << '\n';
            if (!shared.reportFilePath.empty()) std::cout << "Transfer report in " << shared.reportFilePath << '\n';
        }
        const bool reportMissing = !reportError.empty();
        return report.hasProblems(o.strict) || reportMissing ? kProblems : kDone;
    } catch (const std::exception& e) {
        progress.clear();
        std::cerr << kProgram << ": " << e.what() << '\n';
        return kFailed;
    }
}
