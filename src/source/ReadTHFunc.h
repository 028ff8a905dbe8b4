// Time-history functions: the point list of every function kind, the reader of
// function files, and the bytes and file names of the earthquake record files that the
// target program reads (output/EarthquakeRecords.h writes them).
//
// Everything here is pure, so that each generator, the file reader and the record
// layout can be checked on small hand-worked cases.
#pragma once

#include "common/KeyedHash.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/KeyedHash.h"
#include "host/TarvoHost.h"
#include "platform/Platform.h"
#include "source/TarvoModelObj.h"

namespace t2v::source {

// The (time, value) points of one function, in order.
struct THFuncPoints {
    std::vector<double> times, values;
    std::size_t size() const { return times.size(); }
    void add(double time, double value) {
        times.push_back(time);
        values.push_back(value);
    }
};

// A record holds its point count + 1 (the leading (0, 0)) in a 16-bit integer.
inline constexpr std::int64_t kMaxRecordPoints = 32766;

// --- generators --------------------------------------------------------------------------
// steps x cycles + 1 points; |sin| or |cos| below 1e-6 is written as an exact 0.
THFuncPoints SinePoints(double period, int stepsPerCycle, int cycles, double amplitude);
THFuncPoints CosinePoints(double period, int stepsPerCycle, int cycles, double amplitude);
// (0, 0), (ramp, A), (max, A); a maximum time not past the ramp becomes ramp x 20.
THFuncPoints RampPoints(double rampTime, double amplitude, double maxTime);
// 6 x cycles + 1 points; the ramp fraction is kept below a quarter period.
THFuncPoints TrapezoidPoints(double period, double rampTime, double amplitude, int cycles);
// 4 x cycles + 1 points.
THFuncPoints TriangularPoints(double period, double amplitude, int cycles);
// Number of points the periodic generators would make, without making them (so that
// absurd host parameters are refused before any memory is taken).
std::int64_t PeriodicPointCount(int kind, int stepsPerCycle, int cycles);

// --- function files ----------------------------------------------------------------------
// A numeric field: optional sign, digits with an optional decimal point, optional
// exponent; surrounding blanks allowed. Independent of the user's locale (the decimal
// separator is always "."). Anything else (including "inf", "nan", hex) is not numeric.
std::optional<double> ParseNumber(std::string_view field);

// The function held in the text of a function file, read with the host's parameters.
// A text that yields no point, holds no number at all, starts at a negative time or goes
// back in time gives the two-point function (0, 0), (1, 0).
// `fellBack` (when given) tells whether the text gave the two-point function for want
// of usable points.
THFuncPoints ReadFunctionFileText(std::string_view text, const host::THFunctionFile& params, bool* fellBack = nullptr);

// The largest function file read: far beyond any record (a record holds at most 32766
// points, a few hundred kilobytes of text), small enough that a wrong file (a disk
// image, a video) is refused at once instead of filling the memory.
inline constexpr std::uint64_t kMaxFunctionFileBytes = 64ull << 20;
// The function used when a function file cannot be opened or holds no usable points.
THFuncPoints FallbackFunction();

// --- records -----------------------------------------------------------------------------
// Largest time (1.0 when every time is negative, and for no point).
double RecordDuration(const std::vector<double>& times);

// The bytes of an earthquake record file (56 + 8 (n + 1) bytes).
std::vector<std::uint8_t> EarthquakeRecordBytes(std::string_view header, const THFuncPoints& points, double duration);

// True when the name can be used unchanged as a file name inside the records folder on
// every common file system: not empty, no path separator, drive colon, control
// character or one of < > : " | ? *, not made of dots only, not ending in a dot or a
// blank (which Windows drops), not a reserved device name (CON, NUL, COM1, ...).
bool IsSafeRecordFileName(std::string_view name);
// The dynamic case names a record file in a 12-character field.
inline constexpr std::size_t kRecordNameChars = 12;
// True when a function name can be its record file's name unchanged: safe (above), at
// most 12 characters, and every character held by the structure files' code page.
bool RecordFileNameFits(std::string_view name);
// The record file name of a function: the name itself when it fits; otherwise each
// unsafe character (or one the code page lacks) replaced by "_", cut to its first 12
// characters (a trailing dot or blank, a device name encoded likewise), and made unique
// against `taken` (file names compared without regard to ASCII letter case) by ending
// it in "~2", "~3", ... within the 12 characters. The result is added to `taken`.
// Record file names already given out (folded to one case).
using TakenFileNames = std::unordered_set<std::string, common::KeyedStringHash>;
std::string RecordFileNameFor(std::string_view name, TakenFileNames& taken);
// ASCII lower case, for comparing file names as case-insensitive file systems do.
std::string FoldFileName(std::string_view name);

}  // namespace t2v::source
