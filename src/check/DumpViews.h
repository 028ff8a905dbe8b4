// Views of one part of a structure for vantra-dump: a summary with unit names instead of
// codes, one node, one element, one group. Each is reported to an Emitter, so that the
// text and JSON writers of the decoder print it.
#pragma once

#include <cstdint>
#include <string>

#include "check/StructureDigest.h"
#include "decode/Emitter.h"

namespace t2v::check {

// Counts, units, groups, patterns, cuts, drifts and the load cases of the folder's "L"
// file (`dir`; the load cases are left out when it is empty).
void EmitSummary(const StructureDigest& d, const std::string& dir, decode::Emitter& out);
// A node: coordinates, support, the elements that use it, its loads and mass.
// Throws std::out_of_range when there is no such node.
void EmitNode(const StructureDigest& d, std::int64_t node, decode::Emitter& out);
// An element: group, nodes and their coordinates, length or area, compound, its loads.
void EmitElement(const StructureDigest& d, std::int64_t element, decode::Emitter& out);
// An element group or a frame (host group) by name: its elements, or nodes and elements.
void EmitGroup(const StructureDigest& d, const std::string& name, decode::Emitter& out);

}  // namespace t2v::check
