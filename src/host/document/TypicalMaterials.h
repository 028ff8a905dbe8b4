// The typical materials that DefineMaterial adds to a loaded model.
#pragma once

#include "host/document/DocumentModel.h"

#include <optional>
#include <string>

namespace t2v::host::document {

// A typical material of the host material type `type` (1 steel, 2 concrete, 4 aluminium,
// 5 cold formed, 6 rebar, 7 tendon), in the units of the host unit code `unitsCode`;
// nothing for a type without a typical material (3, no design, and unknown codes).
std::optional<Material> TypicalMaterial(const std::string& name, int type, int unitsCode);

}  // namespace t2v::host::document
