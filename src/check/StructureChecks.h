// Checks of a structure on its own: what a structure refers to exists, and nothing in
// it is degenerate or left over. Each finding has a kind (a short fixed phrase that
// scripts can group by) and a sentence naming the records involved.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "check/StructureDigest.h"
#include "decode/Emitter.h"

namespace t2v::check {

struct Finding {
    std::string kind;
    std::string text;
};

struct CheckOptions {
    // Nodes closer than this are coincident, elements shorter are of zero length (and
    // areas below its square of zero area). 0: 1e-6 of the largest coordinate extent.
    double tolerance = 0;
};

struct CheckReport {
    double tolerance = 0;  // the one used
    std::vector<Finding> findings;
};

CheckReport CheckStructure(const StructureDigest& d, const CheckOptions& options = {});

// The kinds, in the order the checks run (for a stable report).
const std::vector<std::string>& FindingKinds();

// Text: one line per finding under a heading per kind, at most `perKind` lines each
// (the rest counted); "No problems found." when there is none.
void PrintFindings(const CheckReport& r, std::ostream& out, std::size_t perKind = 20);
// JSON: {"tolerance": t, "problems": n, "counts": {kind: n}, "findings": [{kind, text}]}.
void PrintFindingsJson(const CheckReport& r, std::ostream& out);
// The same object reported to an Emitter (to be nested in a larger document).
void EmitFindings(const CheckReport& r, decode::Emitter& out);

// Geometry shared with the totals and the picture.
double Distance(const DigestNode& a, const DigestNode& b);
// The area of an area element from its diagonals (nodes 1-4 and 2-3, the order area
// elements keep): half the length of their cross product.
double QuadArea(const DigestNode& a, const DigestNode& b, const DigestNode& c, const DigestNode& d);
// Element group types whose elements are frames (two nodes) and areas (four nodes).
bool IsFrameType(int type);
bool IsAreaType(int type);

}  // namespace t2v::check
