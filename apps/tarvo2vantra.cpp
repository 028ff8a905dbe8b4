// tarvo2vantra: transfers a model document into a Vantra structure folder, driving the
// transfer dialog as a user would (load, choose folder and name, press Transfer).
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "host/automation/AutomationHost.h"
#include "host/automation/HostDispatcher.h"
#include "host/automation/Transcript.h"
#include "check/StructureChecks.h"
#include "check/Totals.h"
#include "decode/Emitter.h"
#include "host/document/DocumentHost.h"
#include "host/writer/SaveModelDocument.h"
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
    std::string transcript;    // record every host call, made across the automation boundary
    std::string saveDocument;  // rewrite the model document through the host interface
    bool check = false;
    std::string map;
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
        if (total > 0)
            text += " (" + std::to_string(done) + "/" + std::to_string(total) + ")";
        else if (phase == "write" && done > 0)
            text += " " + std::to_string(done / (1 << 20)) + " MB";
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
        << " pushover, " << m.DynamicLoadCaseTable.count()
        << " dynamic; analysis series: " << m.AnalysisCaseTable.count() << '\n';
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

// Writes the host's model as a model document to `path`, through a neighbouring file
// that replaces `path` only when complete, so a failed save leaves no half document.
void saveDocument(host::TarvoHost& model, const std::string& path) {
    const std::string part = path + ".part0";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error(path + ": cannot create the file");
        try {
            host::SaveModelDocument(model, out);
            out.close();
        } catch (...) {
            out.close();
            std::remove(part.c_str());
            throw;
        }
        if (!out) {
            std::remove(part.c_str());
            throw std::runtime_error(path + ": cannot write the file");
        }
    }
    if (std::rename(part.c_str(), path.c_str()) != 0) {
        std::remove(part.c_str());
        throw std::runtime_error(path + ": cannot replace the file");
    }
}

// --check: the written structure, read back through the decoder, checked on its own and
// balanced against the source model. True when nothing is found and the totals balance.
// The source side was totalled during the transfer, while the source model was at hand.
bool checkWritten(const std::string& structureDir, const check::SourceInfo& in, const TransferReport& leftOut,
                  std::ostream& out) {
    const check::StructureDigest d = check::ReadStructureDigest(structureDir);
    const check::CheckReport report = check::CheckStructure(d);
    check::PrintFindings(report, out);
    const check::Balance b = check::BalanceTotals(in, check::StructureTotals(d), d, check::LeftOutItems(leftOut));
    check::PrintBalance(b, out);
    return report.findings.empty() && b.balanced();
}

// --- many models in one call ------------------------------------------------------------
// Each model is transferred by a child process of this program (so that one model's
// failure or memory cannot touch another's), up to `jobs` at a time, with its output in
// <dir>/<structure>.log. The summary table and file follow when all have ended.
struct BatchOptions {
    std::vector<std::string> models;
    std::string dir;
    int jobs = 1;
    std::string summary;
    std::vector<std::string> passOn;  // options every child gets (--version, --home, --check)
};

struct BatchRow {
    std::string model, structure, log;
    long elements = -1;  // -1: not known
    long problems = -1;  // -1: not checked
    double seconds = 0;
    int status = 1;
};

std::string structureNameOf(const std::string& model) {
    std::string stem = model.substr(model.find_last_of('/') + 1);
    if (auto dot = stem.find_last_of('.'); dot != std::string::npos && dot > 0) stem.resize(dot);
    if (stem.size() > 12) stem.resize(12);  // the longest structure name the files hold
    return stem;
}

// What the child printed: the element count of its summary and, with --check, the
// number of findings and of figures that do not balance.
void readLog(platform::Platform& platform, BatchRow& row) {
    std::istringstream in(platform.readFile(row.log).value_or(""));
    std::string line;
    const std::string elements = "elements (with one head element per group): ", groups = "element groups: ";
    long all = -1, heads = 0;
    while (std::getline(in, line)) {
        if (auto at = line.find(elements); at != std::string::npos)
            all = std::atol(line.c_str() + at + elements.size());
        if (auto at = line.find(groups); at != std::string::npos) heads = std::atol(line.c_str() + at + groups.size());
        if (line == "No problems found.") row.problems = std::max(0L, row.problems);
        if (line.size() > 15 && line.find(" found.") != std::string::npos &&
            std::isdigit(static_cast<unsigned char>(line[0])))
            row.problems = std::max(0L, row.problems) + std::atol(line.c_str());
        if (line.rfind("Totals do not balance: ", 0) == 0)
            row.problems = std::max(0L, row.problems) + std::atol(line.c_str() + 23);
    }
    if (all >= 0) row.elements = all - heads;
}

int runBatch(const BatchOptions& b, const char* self) {
    platform::PosixPlatform platform(std::cout, std::cerr);
    // The logs go into the structures' folder, so it is made first, as a single transfer
    // makes it; without it no child could even be started.
    if (std::string error; !makeFolders(platform, b.dir, error)) {
        std::cerr << kProgram << ": " << error << ". Nothing was written.\n";
        return kFailed;
    }
    std::vector<BatchRow> rows;
    std::map<std::string, std::string> taken;
    for (const std::string& m : b.models) {
        BatchRow row;
        row.model = m;
        row.structure = structureNameOf(m);
        if (auto it = taken.find(row.structure); it != taken.end()) {
            std::cerr << "tarvo2vantra: " << it->second << " and " << m << " would both become the structure "
                      << row.structure << "; rename one of them\n";
            return kUsage;
        }
        taken[row.structure] = m;
        row.log = b.dir + "/" + row.structure + ".log";
        rows.push_back(row);
    }

    std::map<pid_t, std::pair<std::size_t, Clock::time_point>> running;
    std::size_t next = 0;
    auto start = [&](std::size_t i) {
        BatchRow& row = rows[i];
        std::vector<std::string> args = {self, row.model, "--dir", b.dir, "--name", row.structure};
        args.insert(args.end(), b.passOn.begin(), b.passOn.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, row.log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO);
        pid_t pid = 0;
        const int err = posix_spawn(&pid, self, &files, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&files);
        if (err != 0) {
            std::cerr << "tarvo2vantra: cannot start the transfer of " << row.model << ": " << std::strerror(err)
                      << '\n';
            row.status = 1;
            return;
        }
        running[pid] = {i, Clock::now()};
    };
    while (next < rows.size() || !running.empty()) {
        while (next < rows.size() && static_cast<int>(running.size()) < b.jobs) start(next++);
        if (running.empty()) continue;
        int status = 0;
        const pid_t pid = ::waitpid(-1, &status, 0);
        auto it = running.find(pid);
        if (it == running.end()) continue;
        BatchRow& row = rows[it->second.first];
        row.seconds = std::chrono::duration<double>(Clock::now() - it->second.second).count();
        row.status = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
        running.erase(it);
        readLog(platform, row);
    }

    // The worst status wins: 1 (failed) over 3 (done with problems) over 0.
    auto rank = [](int s) { return s == 0 ? 0 : s == 3 ? 1 : 2; };
    int worst = 0;
    std::printf("%-32s %-12s %10s %9s %9s %6s\n", "model", "structure", "elements", "problems", "time s", "exit");
    for (const BatchRow& r : rows) {
        if (rank(r.status) > rank(worst)) worst = r.status;
        std::printf("%-32s %-12s %10s %9s %9.2f %6d\n", r.model.c_str(), r.structure.c_str(),
                    r.elements < 0 ? "-" : std::to_string(r.elements).c_str(),
                    r.problems < 0 ? "-" : std::to_string(r.problems).c_str(), r.seconds, r.status);
    }
    std::fflush(stdout);
    if (!b.summary.empty()) {
        std::ostringstream json;
        json << "{\"models\": [";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const BatchRow& r = rows[i];
            std::string model, structure, log;
            AppendJsonString(model, r.model);
            AppendJsonString(structure, r.structure);
            AppendJsonString(log, r.log);
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.3f", r.seconds);
            json << (i ? ",\n  " : "\n  ") << "{\"model\": " << model << ", \"structure\": " << structure
                 << ", \"elements\": " << (r.elements < 0 ? "null" : std::to_string(r.elements))
                 << ", \"problems\": " << (r.problems < 0 ? "null" : std::to_string(r.problems))
                 << ", \"seconds\": " << seconds << ", \"exit\": " << r.status << ", \"log\": " << log << "}";
        }
        json << "\n], \"exit\": " << worst << "}\n";
        const std::string text = json.str();
        std::string error;
        auto file = platform.createFile(b.summary, error);
        if (!file || !file->write(text.data(), text.size()) || !file->commit()) {
            std::cerr << "tarvo2vantra: cannot write the summary " << b.summary << ": "
                      << (file ? file->error() : error) << '\n';
            return worst == kFailed ? kFailed : kProblems;  // every structure is written; the table is not
        }
    }
    return worst;
}

// The command line's options, into `o`, `rules`, `models` and `batch`.
void defineOptions(CLI::App& app, Options& o, bool& rules, std::vector<std::string>& models, BatchOptions& batch) {
    app.set_version_flag("--version", std::string(kProgram) + " " + T2V_VERSION,
                         "print the program's version and exit");
    app.add_option("model", models, "the model document (JSON); several: each into its own structure");
    app.add_option("-j,--jobs", batch.jobs, "with several models: transfers at a time (default 1)")
        ->check(CLI::Range(1, 64));
    app.add_option("--summary", batch.summary, "with several models: also write the summary table as JSON");
    app.add_option("--dir", o.dir, "the structures folder, made with its parents (default: <home>/Vantra/Structures)");
    app.add_option("--name", o.name, "the structure name, at most 12 characters (default \"Vantra\")");
    app.add_option("--vantra", o.vantra, "Vantra version 4 or 5 (decides the home folder)")
        ->check(CLI::IsMember({4, 5}));
    app.add_option("--home", o.home,
                   "the Vantra home folder, made with its parents (default: <documents>/VANTRA for Vantra 5)");
    app.add_option("--report", o.reportFile, "write every item of the transfer report to this JSON file");
    app.add_flag("--strict", o.strict, "count every object left out or changed as a problem (exit status 3)");
    app.add_flag("--no-sync", o.noSync,
                 "do not flush the files to the disk before they replace the old ones (faster; "
                 "for scratch runs and benchmarks)");
    app.add_flag("--quiet", o.quiet, "print nothing but errors (no progress display)");
    app.add_flag("--timings", o.timings,
                 "print the wall time of each phase (load, read, fill, write) as JSON, then of each step");
    app.add_flag("--rules", rules, "print the transfer rules and exit");
    app.add_option("--transcript", o.transcript,
                   "make every host call across the automation boundary and write the calls to this file");
    app.add_option("--save-document", o.saveDocument,
                   "write the model, read through the host interface, as a model document to this file and exit");
    app.add_option("--map", o.map,
                   "write the name map: every host point, frame, area, group, pattern and case with the number it "
                   "became (CSV)");
    app.add_flag("--check", o.check,
                 "after the transfer, check the structure and balance its loads and masses against the model "
                 "(exit 3 when something is found)");
}

// Several models: each is transferred by a process of its own into a structure of its own
// in the one folder.
int transferSeveral(const CLI::App& app, const Options& o, const std::vector<std::string>& models,
                    BatchOptions& batch) {
    if (app.count("--name") || !o.map.empty() || o.timings) {
        std::cerr << kProgram << ": --name, --map and --timings take a single model\n";
        return kUsage;
    }
    if (o.dir.empty()) {
        std::cerr << kProgram << ": several models need --dir, the folder their structures go to\n";
        return kUsage;
    }
    batch.models = models;
    batch.dir = o.dir;
    if (app.count("--vantra")) batch.passOn.insert(batch.passOn.end(), {"--vantra", std::to_string(o.vantra)});
    if (!o.home.empty()) batch.passOn.insert(batch.passOn.end(), {"--home", o.home});
    if (o.check) batch.passOn.push_back("--check");
    if (o.strict) batch.passOn.push_back("--strict");
    if (o.noSync) batch.passOn.push_back("--no-sync");
    return runBatch(batch, "/proc/self/exe");
}

// With a transcript the transfer sees the model as the plug-in sees the host's: every
// operation a late-bound call, checked on the way back, and recorded.
struct Transcript {
    std::ofstream file;
    std::unique_ptr<host::automation::HostDispatcher> server;
    std::unique_ptr<host::automation::RecordingDispatcher> recorder;
    std::unique_ptr<host::automation::AutomationHost> adapter;

    // The host the transfer is to call: `host` itself, or through the recording boundary.
    host::TarvoHost* open(const std::string& path, host::DocumentHost& host) {
        if (path.empty()) return &host;
        file.open(path, std::ios::binary | std::ios::trunc);
        if (!file) throw std::runtime_error(path + ": cannot create the transcript");
        server = std::make_unique<host::automation::HostDispatcher>(host);
        recorder = std::make_unique<host::automation::RecordingDispatcher>(*server, file);
        adapter = std::make_unique<host::automation::AutomationHost>(*recorder);
        return adapter.get();
    }
    void close(const std::string& path) {
        if (path.empty()) return;
        file.close();
        if (!file) throw std::runtime_error(path + ": cannot write the transcript");
    }
};

// The dialog makes the home folder one level at a time; from the command line the user
// may name a new folder anywhere, so its parents are made too, and a folder that cannot
// be made stops the transfer before anything is written.
bool makeNamedFolders(platform::Platform& platform, const Options& o) {
    std::string error;
    for (const std::string* folder : {&o.home, &o.dir})
        if (!folder->empty() && !makeFolders(platform, *folder, error)) {
            std::cerr << kProgram << ": " << error << ". Nothing was written.\n";
            return false;
        }
    return true;
}

bool writeNameMap(platform::Platform& platform, const std::string& path, const std::string& csv) {
    std::string mapError;
    auto file = platform.createFile(path, mapError);
    if (!file || !file->write(csv.data(), csv.size()) || !file->commit()) {
        std::cerr << kProgram << ": cannot write the name map " << path << ": " << (file ? file->error() : mapError)
                  << '\n';
        return false;
    }
    return true;
}

// After a written structure: the name map, the report file, the summary and the checks
// that were asked for, and the exit status they make.
int finishTransfer(const Options& o, CommandLinePlatform& platform, const plugin::SharedValues& shared,
                   const check::SourceInfo& sourceTotals) {
    // What else was asked: the name map, the checks. A structure that was written but
    // could not be checked or mapped as asked is a transfer with problems.
    bool asked = true;
    if (!o.map.empty() && !writeNameMap(platform, o.map, shared.nameMapCsv)) asked = false;
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
        if (!shared.nameMapFilePath.empty()) std::cout << "Name map in " << shared.nameMapFilePath << '\n';
    }
    if (o.check && !checkWritten(shared.store.StructureDir, sourceTotals, report, std::cout)) asked = false;
    const bool reportMissing = !reportError.empty();
    return report.hasProblems(o.strict) || reportMissing || !asked ? kProblems : kDone;
}

int transferOne(Options& o) {
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
        std::unique_ptr<host::DocumentHost> host = host::DocumentHost::LoadFile(platform, o.model);
        if (!o.saveDocument.empty()) {
            saveDocument(*host, o.saveDocument);
            if (!o.quiet) std::cout << "Model document written to " << o.saveDocument << '\n';
            return kDone;
        }
        Transcript transcript;
        host::TarvoHost* model = transcript.open(o.transcript, *host);
        CommandLineUser user(o, platform, std::cerr);
        plugin::cPlugin plugin(platform, user);
        plugin.Shared().strictReport = o.strict;
        if (!makeNamedFolders(platform, o)) return kFailed;
        if (!o.home.empty()) plugin.Shared().VantraHomeOverride = o.home;
        user.shared = &plugin.Shared();
        plugin.Shared().progress = [&](std::string_view phase, std::string_view step, long done, long total) {
            times.enter(phase, step);
            if (phase == "done")
                progress.clear();
            else
                progress.show(phase, step, done, total);
        };
        check::SourceInfo sourceTotals;
        if (o.check)
            plugin.Shared().filled = [&](const source::TarvoModelObj& src, const target::VantraModel&) {
                // Nothing here changes the source model; its accessors are simply not const.
                sourceTotals = check::SourceTotals(const_cast<source::TarvoModelObj&>(src), host.get());
            };
        bool ok = false;
        try {
            plugin.Main(model, ok);
        } catch (...) {
            if (transcript.file.is_open()) transcript.file.close();  // keep the calls up to the failure
            throw;
        }
        progress.clear();
        transcript.close(o.transcript);
        if (o.timings) {
            // Phases on the first line (what scripts read), steps on the second.
            std::cout << PhaseTimes::json(times.done) << '\n' << PhaseTimes::json(times.steps) << std::endl;
        }
        const plugin::SharedValues& shared = plugin.Shared();
        if (!user.pressedTransfer || !shared.lastTransferWritten) return kFailed;
        return finishTransfer(o, platform, shared, sourceTotals);
    } catch (const std::exception& e) {
        progress.clear();
        std::cerr << kProgram << ": " << e.what() << '\n';
        return kFailed;
    }
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Transfers a Tarvo model document into a Vantra structure (seven structure files and one\n"
        "earthquake record per time-history function).\n\n"
        "Exit status: 0 everything was transferred; 1 the transfer failed (the earlier structure is\n"
        "untouched); 2 usage error; 3 transferred, with problems that the report lists."};
    Options o;
    bool rules = false;
    std::vector<std::string> models;
    BatchOptions batch;
    defineOptions(app, o, rules, models, batch);
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
    if (models.size() > 1) return transferSeveral(app, o, models, batch);
    if (models.size() == 1) o.model = models[0];
    if (o.model.empty()) {
        std::cerr << kProgram << ": a model document is required (see --help)\n";
        return kUsage;
    }
    return transferOne(o);
}
