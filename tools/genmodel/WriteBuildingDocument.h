// Writes a generated building as a model document, plus the small ground-motion file that
// its "from file" time-history function reads (next to the document, referenced by a path
// relative to it).
#pragma once

#include <string>

#include "genmodel/BuildingPlan.h"

namespace t2v::genmodel {

struct WrittenDocument {
    ObjectCounts counts;
    unsigned long long bytes = 0;
    std::string recordFile;  // the companion ground-motion file
};

// Throws std::runtime_error naming the file when a file cannot be written.
WrittenDocument WriteBuildingDocument(const BuildingPlan& plan, const std::string& path);

}  // namespace t2v::genmodel
