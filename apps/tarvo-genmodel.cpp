// tarvo-genmodel: writes the model document of a parametric building of about N frames
// and areas, for benchmarks and large-model tests. The same arguments give the same bytes.
#include <CLI/CLI.hpp>

#include <cstdint>
#include <exception>
#include <iostream>

#include "genmodel/BuildingPlan.h"
#include "genmodel/WriteBuildingDocument.h"

int main(int argc, char** argv) {
    CLI::App app{
        "Writes the model document of a parametric building: a podium with towers, concrete\n"
        "frames and walls, steel braces, slabs, diaphragms, groups, loads of every kind, a mass\n"
        "source, time-history functions and load cases. Its ground-motion record is written\n"
        "next to it as <name>.ground-motion.txt."};
    long elements = 0;
    std::string output;
    std::uint64_t seed = 1;
    bool quiet = false;
    app.add_option("--elements,-n", elements, "approximate number of frames and areas")
        ->required()
        ->check(CLI::Range(1L, 50000000L));
    app.add_option("-o,--output", output, "the model document to write (JSON)")->required();
    app.add_option("--seed", seed, "varies the placement of triangular panels, roof equipment and odd loads");
    app.add_flag("--quiet", quiet, "print nothing but errors");
    CLI11_PARSE(app, argc, argv);

    try {
        const t2v::genmodel::BuildingPlan plan = t2v::genmodel::PlanBuilding(elements, seed);
        const t2v::genmodel::WrittenDocument doc = t2v::genmodel::WriteBuildingDocument(plan, output);
        if (!quiet) {
            std::cout << output << ": " << plan.storeys << " storeys (" << plan.podiumStoreys << " of podium, "
                      << plan.podium.nx << " x " << plan.podium.ny << " bays), " << plan.towers.size() << " tower"
                      << (plan.towers.size() == 1 ? "" : "s") << " of " << plan.towers.front().nx << " x "
                      << plan.towers.front().ny << " bays; " << doc.counts.points << " points, " << doc.counts.frames
                      << " frames, " << doc.counts.areas << " areas, " << doc.counts.elements() << " elements; "
                      << doc.bytes << " bytes\n";
        }
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tarvo-genmodel: " << e.what() << '\n';
        return 1;
    }
}
