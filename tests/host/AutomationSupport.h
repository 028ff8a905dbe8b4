// Shared by the automation and document-writer tests: the whole output of a transfer
// (structure files and earthquake records) for byte-for-byte comparison, and the
// documents the round trips run over.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "genmodel/BuildingPlan.h"
#include "genmodel/WriteBuildingDocument.h"
#include "support/TempDir.h"
#include "support/Transfer.h"

namespace t2v::test {

// Every file a transfer wrote, by its path below the run's folder.
inline std::map<std::string, std::vector<std::uint8_t>> TransferOutput(const TransferRun& run) {
    std::map<std::string, std::vector<std::uint8_t>> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(run.dir.path())) {
        if (e.is_regular_file()) {
            files[std::filesystem::relative(e.path(), run.dir.path()).string()] = ReadBytes(e.path().string());
        }
    }
    return files;
}

inline std::string ExampleBuilding() { return std::string(T2V_SOURCE_DIR) + "/examples/building.json"; }

// A generated building of about 3,000 frames and areas, written once per test program.
inline std::string GeneratedBuilding() {
    static TempDir dir;
    static const std::string path = [] {
        const std::string p = dir / "generated.json";
        genmodel::WriteBuildingDocument(genmodel::PlanBuilding(3000, 7), p);
        return p;
    }();
    return path;
}

}  // namespace t2v::test
