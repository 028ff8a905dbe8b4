// vantra-check: checks a structure folder on its own, and with --model balances its
// loads and masses against the model document it was transferred from.
//
//   vantra-check DIR                        structural checks (exit 1 when any is found)
//   vantra-check DIR --json                 the same as JSON
//   vantra-check DIR --model MODEL.json     also the totals (exit 3 when they do not balance)
//   vantra-check DIR --model M --json       {"checks": {...}, "totals": {...}}
//
// Exit status: 0 nothing found, 1 a structural problem or a file that does not decode,
// 2 a bad command line, 3 the structure is sound but its totals do not balance.
#include <CLI/CLI.hpp>

#include <iostream>
#include <optional>

#include "check/StructureChecks.h"
#include "check/Totals.h"
#include "host/document/DocumentHost.h"
#include "platform/posix/PosixPlatform.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Checks a Vantra structure folder: references, degenerate elements, coincident and unused nodes;\n"
        "with --model, the totals of loads and masses against the model document.",
        "vantra-check"};
    std::string dir, model;
    bool json = false;
    double tolerance = 0;
    app.add_option("DIR", dir, "Structure folder holding the VNTR* files")->required();
    app.add_option("--model", model, "Model document the structure was transferred from: balance the totals");
    app.add_flag("--json", json, "Write the structural findings as JSON");
    app.add_option("--tolerance", tolerance,
                   "Distance below which nodes coincide and elements have zero length (default: 1e-6 of the "
                   "model's extent)");
    CLI11_PARSE(app, argc, argv);

    using namespace t2v::check;
    try {
        const StructureDigest d = ReadStructureDigest(dir);
        const CheckReport report = CheckStructure(d, {tolerance});
        int status = report.findings.empty() ? 0 : 1;
        std::optional<Balance> balance;
        if (!model.empty()) {
            t2v::platform::PosixPlatform platform(std::cout, std::cerr);
            auto host = t2v::host::DocumentHost::LoadFile(platform, model);
            // The transfer's report beside the structure names what it left out.
            balance = BalanceTotals(SourceTotalsFromHost(*host), StructureTotals(d), d, ReadLeftOutItems(dir));
            if (status == 0 && !balance->balanced()) status = 3;
        }
        if (json && balance) {
            // One document: {"checks": {...}, "totals": {...}}.
            {
                t2v::decode::JsonWriter w(std::cout, true);
                w.beginObject();
                w.key("checks");
                EmitFindings(report, w);
                w.key("totals");
                EmitBalance(*balance, w);
                w.endObject();
            }
            std::cout << '\n';
        } else if (json) {
            PrintFindingsJson(report, std::cout);
        } else {
            PrintFindings(report, std::cout);
            if (balance) PrintBalance(*balance, std::cout);
        }
        return status;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "vantra-check: " << e.what() << '\n';
        return 1;
    }
}
