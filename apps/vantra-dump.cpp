// vantra-dump: shows what a structure folder (or an earthquake record file) holds.
//
//   vantra-dump DIR                  all seven files as indented text
//   vantra-dump DIR --json           the same as JSON (--compact for one line)
//   vantra-dump DIR --file L         one file only (S, L, A, ULS, PO, POA, POF)
//   vantra-dump --record FILE        an earthquake record file
//   vantra-dump DIR --summary        counts, unit names, groups, patterns, cases
//   vantra-dump DIR --node N         one node (also --element N, --group NAME)
//
// Output is written while the files are decoded. Exit status 0 on success, 1 when a
// file cannot be read or decoded (the reason, with file and byte offset, on stderr).
#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>

#include "check/DumpViews.h"
#include "decode/StructureReader.h"

namespace {

std::unique_ptr<t2v::decode::Emitter> makeWriter(bool json, bool compact) {
    if (json) return std::make_unique<t2v::decode::JsonWriter>(std::cout, !compact);
    return std::make_unique<t2v::decode::TextWriter>(std::cout);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Shows the content of a Vantra structure folder or earthquake record file.", "vantra-dump"};
    std::string dir;
    std::string record;
    std::string file;
    bool json = false;
    bool compact = false;
    auto* dirOpt = app.add_option("DIR", dir, "Structure folder holding the VNTR* files");
    auto* recordOpt = app.add_option("--record", record, "Earthquake record file to show instead of a folder");
    auto* fileOpt = app.add_option("--file", file, "Show one file of the folder: S, L, A, ULS, PO, POA or POF")
                        ->check(CLI::IsMember({"S", "L", "A", "ULS", "PO", "POA", "POF"}));
    app.add_flag("--json", json, "Write JSON instead of indented text");
    app.add_flag("--compact", compact, "With --json: no indentation or line breaks");
    bool summary = false;
    std::int64_t node = 0, element = 0;
    std::string group;
    auto* summaryOpt = app.add_flag("--summary", summary, "Counts, unit names, groups, patterns and load cases");
    auto* nodeOpt = app.add_option("--node", node, "Show node N: coordinates, support, elements, loads, mass");
    auto* elementOpt =
        app.add_option("--element", element, "Show element N: group, nodes, length or area, compound, loads");
    auto* groupOpt = app.add_option("--group", group, "Show the element group or frame of that name");
    for (auto* a : {summaryOpt, nodeOpt, elementOpt, groupOpt}) {
        a->excludes(recordOpt)->excludes(fileOpt);
        for (auto* b : {summaryOpt, nodeOpt, elementOpt, groupOpt})
            if (a != b) a->excludes(b);
    }
    dirOpt->excludes(recordOpt);
    recordOpt->excludes(fileOpt);
    CLI11_PARSE(app, argc, argv);

    if (dir.empty() && record.empty()) {
        std::cerr << "vantra-dump: give a structure folder or --record FILE (see --help)\n";
        return 2;
    }

    std::ios::sync_with_stdio(false);
    try {
        auto writer = makeWriter(json, compact);
        const bool view = summary || *nodeOpt || *elementOpt || *groupOpt;
        if (view && dir.empty()) {
            std::cerr << "vantra-dump: --summary, --node, --element and --group need a structure folder\n";
            return 2;
        }
        if (view) {
            const t2v::check::StructureDigest d = t2v::check::ReadStructureDigest(dir);
            if (summary)
                t2v::check::EmitSummary(d, dir, *writer);
            else if (*nodeOpt)
                t2v::check::EmitNode(d, node, *writer);
            else if (*elementOpt)
                t2v::check::EmitElement(d, element, *writer);
            else
                t2v::check::EmitGroup(d, group, *writer);
        } else if (!record.empty())
            t2v::decode::StreamEarthquakeRecord(record, *writer);
        else if (!file.empty())
            t2v::decode::StreamStructureFile(dir + "/" + t2v::decode::StructureFileName(file), file, *writer);
        else
            t2v::decode::StreamStructureFolder(dir, *writer);
        writer.reset();  // flushes
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "vantra-dump: " << e.what() << '\n';
        return 1;
    }
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "vantra-dump: cannot write the output\n";
        return 1;
    }
    return 0;
}
