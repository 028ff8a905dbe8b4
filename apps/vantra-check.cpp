// vantra-check: checks a structure folder on its own, and with --model balances its
// loads and masses against the model document it was transferred from.
//
//   vantra-check DIR                        structural checks (exit 1 when any is found)
//   vantra-check DIR --json                 the same as JSON
//   vantra-check DIR --model MODEL.json     also the totals (exit 3 when they do not balance)
//
// Exit status: 0 nothing found, 1 a structural problem or a file that does not decode,
// 2 a bad command line, 3 the structure is sound but its totals do not balance.
#include <CLI/CLI.hpp>

#include <iostream>

#include "check/StructureChecks.h"
#include "check/Totals.h"
#include "host/document/DocumentHost.h"

int main(int argc, char** argv) {
    CLI::App app{"Checks a Vantra structure folder: references, degenerate elements, coincident and unused nodes;\n"
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
        if (json)
            PrintFindingsJson(report, std::cout);
        else
            PrintFindings(report, std::cout);
        int status = report.findings.empty() ? 0 : 1;
        if (!model.empty()) {
            auto host = t2v::host::DocumentHost::LoadFile(model);
            const Balance b = BalanceTotals(SourceTotalsFromHost(*host), StructureTotals(d), d);
            PrintBalance(b, json ? std::cerr : std::cout);
            if (status == 0 && !b.balanced()) status = 3;
        }
        return status;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << "vantra-check: " << e.what() << '\n';
        return 1;
    }
}
