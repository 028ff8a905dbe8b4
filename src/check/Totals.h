// Totals that must balance: per load pattern the resultant forces and moments about the
// origin of what a structure carries against the same resultants of the source model as
// the transfer reads it; the total mass and its centre; the counts of objects in and out.
//
// The structure side comes from the structure files (decoded, never from the store that
// was written), the source side from the source model read from the host. Loads are
// downward positive in element load items and upward positive (F3) in nodal loads; all
// resultants here are in global axes, force Z upward.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "check/StructureDigest.h"
#include "common/TransferReport.h"
#include "decode/Emitter.h"

namespace t2v::host {
class TarvoHost;
}
namespace t2v::source {
class TarvoModelObj;
}

namespace t2v::check {

// Fx Fy Fz Mx My Mz, and per figure the sum of the magnitudes that went into it (what
// single-precision rounding is measured against).
struct Resultant {
    std::array<double, 6> value{};
    std::array<double, 6> magnitude{};
    // A force at a point, moments about the origin added.
    void addForce(double x, double y, double z, double fx, double fy, double fz);
    void addMoment(double mx, double my, double mz);
};

enum class LoadKind { Nodal, Element, SelfWeight };
const char* LoadKindName(LoadKind k);  // "nodal loads", "element loads", "self weight"

struct MassTotals {
    std::array<double, 3> mass{};    // UX UY UZ
    std::array<double, 3> centre{};  // of the UX mass
    double restrainedMass = 0;       // UX mass at restrained freedoms (source only; not carried over)
    std::int64_t restrainedNodes = 0;
};

// One side of the balance. Patterns are keyed by the structure's pattern name, which
// for the source side is the name the transfer gives the host pattern.
struct SideTotals {
    std::map<std::pair<std::string, LoadKind>, Resultant> loads;
    MassTotals masses;
    std::vector<std::pair<std::string, std::int64_t>> counts;  // (what, how many), in print order
};

struct SourceInfo {
    SideTotals totals;
    // Structure pattern name -> host pattern label (for the table).
    std::map<std::string, std::string> hostLabel;
    // Differences the source model explains on its own, as reasons ("pattern D: the
    // self-weight multiplier 0.5 is not carried over").
    std::vector<std::string> reasons;
};

// What the transfer report lists as left out; each becomes a reason under the table.
// The report is optional: with an empty list only the source model's own reasons show.
struct LeftOutItem {
    std::string what;  // e.g. "frame F12: material of no known kind, no element"
};

// Every item of a transfer's report, as "kind \"name\": reason".
std::vector<LeftOutItem> LeftOutItems(const TransferReport& report);
// The same from the report file a transfer leaves in the structure folder; none when the
// folder has no such file (a structure written by something else).
std::vector<LeftOutItem> ReadLeftOutItems(const std::string& structureDir);

SideTotals StructureTotals(const StructureDigest& d);
// `host`, when given, answers the group count (host groups become frames).
SourceInfo SourceTotals(source::TarvoModelObj& src, host::TarvoHost* host = nullptr);
// Reads the source model from the host as the transfer does (every read step except the
// time-history functions, which write record files) and totals it.
SourceInfo SourceTotalsFromHost(host::TarvoHost& host);

struct BalanceRow {
    std::string pattern;  // structure pattern name, or "mass"
    std::string hostLabel;
    std::string figure;  // "Fz", "Mx", "UX", "centre x", ...
    double in = 0, out = 0, difference = 0, tolerance = 0;
    bool problem = false;
};

struct Balance {
    std::vector<BalanceRow> rows;
    std::vector<std::pair<std::string, std::pair<std::int64_t, std::int64_t>>> counts;  // what, (in, out)
    std::vector<std::string> reasons;
    std::string forceUnit, lengthUnit;
    bool balanced() const;
};

Balance BalanceTotals(const SourceInfo& in, const SideTotals& out, const StructureDigest& d,
                      const std::vector<LeftOutItem>& leftOut = {});

// The table: pattern, figure, in, out, difference, and a mark on every problem;
// then the counts and the reasons (at most kLeftOutPrinted items of the transfer report,
// the rest counted). Ends with "Totals balance." or "Totals do not balance: N figures."
inline constexpr std::size_t kLeftOutPrinted = 20;
void PrintBalance(const Balance& b, std::ostream& out);
// The same for scripts: {"balanced", "force_unit", "length_unit", "rows": [{pattern,
// host_label, figure, in, out, difference, tolerance, problem}], "counts": [{what, in,
// out}], "reasons": [...]}; a count a side does not have is null.
void EmitBalance(const Balance& b, decode::Emitter& out);

}  // namespace t2v::check
