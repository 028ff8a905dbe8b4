// A picture of a structure drawn from its files alone: an isometric view, a plan and an
// elevation side by side, elements coloured by element group with a legend, supports
// and diaphragm nodes marked. SVG, so that any browser shows it.
#pragma once

#include <ostream>
#include <string>

#include "check/StructureDigest.h"

namespace t2v::check {

// The colour of element group g (1-based), as "#rrggbb"; groups past the palette reuse it.
std::string GroupColour(int group);

// Each view is a <g class="view" id="iso|plan|elevation"> holding, per element group, a
// <g class="gN" ... fill=colour stroke=colour> in which each element is drawn once as a
// <line> (frames) or <polygon> (areas) with data-element="N"; the legend is a
// <g id="legend"> of one <rect fill=colour> and <text> per group.
void WriteSvg(const StructureDigest& d, const std::string& title, std::ostream& out);

}  // namespace t2v::check
