// Time-history functions (read step 23); the output stage writes their earthquake records.
#include "source/ReadTHFunc.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

#include "common/LittleEndian.h"
#include "common/Text.h"
#include "source/TarvoModelObj.h"

namespace t2v::source {
namespace {

// The constants of the generators: one cycle is 6.2831852 radians, and a sine or
// cosine below 1e-6 in magnitude is an exact zero (so quarter and half periods carry
// no rounding noise into the record).
constexpr double kCycle = 6.2831852;
constexpr double kZeroBelow = 1e-6;
constexpr double kTrapezoidRampLimit = 0.25;
constexpr double kTrapezoidRampClamp = 0.2499;

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }

std::string_view trimLeftWs(std::string_view s) {
    std::size_t a = 0;
    while (a < s.size() && isBlank(s[a])) ++a;
    return s.substr(a);
}
std::string_view trimRightWs(std::string_view s) {
    std::size_t b = s.size();
    while (b > 0 && isBlank(s[b - 1])) --b;
    return s.substr(0, b);
}
std::string_view trimWs(std::string_view s) { return trimRightWs(trimLeftWs(s)); }

double cleanTrig(double s) { return std::fabs(s) < kZeroBelow ? 0.0 : s; }

THFuncPoints periodic(bool cosine, double period, int steps, int cycles, double amplitude) {
    THFuncPoints p;
    const std::int64_t n = PeriodicPointCount(cosine ? 3 : 2, steps, cycles);
    p.times.assign(static_cast<std::size_t>(n), 0.0);
    p.values.assign(static_cast<std::size_t>(n), 0.0);
    p.values[0] = cosine ? amplitude : 0.0;
    if (n == 1) return p;
    for (int k = 1; k <= steps; ++k) {
        const double x = static_cast<double>(k) / static_cast<double>(steps);
        const double s = cleanTrig(cosine ? std::cos(kCycle * x) : std::sin(kCycle * x));
        for (int j = 1; j <= cycles; ++j) {
            const auto i = static_cast<std::size_t>(static_cast<std::int64_t>(j - 1) * steps + k);
            p.times[i] = (static_cast<double>(j - 1) + x) * period;
            p.values[i] = s * amplitude;
        }
    }
    return p;
}

// Little-endian writer for the record bytes.
class RecordBytes {
public:
    explicit RecordBytes(std::size_t reserve) { b_.reserve(reserve); }
    void i16(int v) {
        std::uint8_t b[2];
        StoreI16(b, v);
        b_.insert(b_.end(), b, b + 2);
    }
    void f32(double v) {
        std::uint8_t b[4];
        StoreF32(b, static_cast<float>(v));
        b_.insert(b_.end(), b, b + 4);
    }
    void text(std::string_view utf8, std::size_t length) {
        const std::string t = fixedText(utf8, length);
        b_.insert(b_.end(), t.begin(), t.end());
    }
    std::vector<std::uint8_t> take() { return std::move(b_); }

private:
    std::vector<std::uint8_t> b_;
};

bool isUnsafeChar(unsigned char ch) { return ch < 0x20 || ch == 0x7F || std::strchr("<>:\"/\\|?*", ch) != nullptr; }

// CON, PRN, AUX, NUL, COM1..COM9, LPT1..LPT9, with or without an extension: Windows
// opens the device instead of a file of that name.
bool isDeviceName(std::string_view name) {
    std::string stem = FoldFileName(trimRightWs(name.substr(0, name.find('.'))));
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
    return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) && stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace

// --- generators ----------------------------------------------------------------------------

std::int64_t PeriodicPointCount(int kind, int stepsPerCycle, int cycles) {
    if (cycles <= 0) return 1;
    switch (kind) {
        case 2:
        case 3:
            return stepsPerCycle <= 0 ? 1 : std::int64_t{stepsPerCycle} * cycles + 1;
        case 5:
            return std::int64_t{6} * cycles + 1;
        case 6:
            return std::int64_t{4} * cycles + 1;
        default:
            return 0;
    }
}

THFuncPoints SinePoints(double period, int stepsPerCycle, int cycles, double amplitude) {
    return periodic(false, period, stepsPerCycle, cycles, amplitude);
}

THFuncPoints CosinePoints(double period, int stepsPerCycle, int cycles, double amplitude) {
    return periodic(true, period, stepsPerCycle, cycles, amplitude);
}

THFuncPoints RampPoints(double rampTime, double amplitude, double maxTime) {
    if (!(maxTime > rampTime)) maxTime = rampTime * 20;
    THFuncPoints p;
    p.add(0, 0);
    p.add(rampTime, amplitude);
    p.add(maxTime, amplitude);
    return p;
}

THFuncPoints TrapezoidPoints(double period, double rampTime, double amplitude, int cycles) {
    double r = rampTime / period;
    // A ramp longer than a quarter period would fold the shape back on itself; a period
    // of 0 (no usable fraction) is held at the same limit rather than carried as NaN.
    if (!(r <= kTrapezoidRampLimit)) r = kTrapezoidRampClamp;
    THFuncPoints p;
    p.add(0, 0);
    for (int j = 1; j <= cycles; ++j) {
        const double k = j - 1;
        p.add((k + r) * period, amplitude);
        p.add((k + 0.5 - r) * period, amplitude);
        p.add((k + 0.5) * period, 0);
        p.add((k + 0.5 + r) * period, -amplitude);
        p.add((k + 1 - r) * period, -amplitude);
        p.add((k + 1) * period, 0);
    }
    return p;
}

THFuncPoints TriangularPoints(double period, double amplitude, int cycles) {
    THFuncPoints p;
    p.add(0, 0);
    for (int j = 1; j <= cycles; ++j) {
        const double k = j - 1;
        p.add((k + 0.25) * period, amplitude);
        p.add((k + 0.5) * period, 0);
        p.add((k + 0.75) * period, -amplitude);
        p.add((k + 1) * period, 0);
    }
    return p;
}

// --- function files ------------------------------------------------------------------------

std::optional<double> ParseNumber(std::string_view field) {
    std::string_view s = trimWs(field);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // from_chars would also take "inf", "nan" and a second sign; a number starts with a
    // digit or the decimal point.
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '.')) return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
    return negative ? -v : v;
}

THFuncPoints FallbackFunction() {
    THFuncPoints p;
    p.add(0, 0);
    p.add(1, 0);
    return p;
}

THFuncPoints ReadFunctionFileText(std::string_view text, const host::THFunctionFile& params, bool* fellBack) {
    if (fellBack) *fellBack = false;
    auto fallback = [&] {
        if (fellBack) *fellBack = true;
        return FallbackFunction();
    };
    const bool pairs = params.valueType == 2;
    const std::size_t headerLines = params.headerLines > 0 ? static_cast<std::size_t>(params.headerLines) : 0;
    const std::size_t prefix = params.prefixChars > 0 ? static_cast<std::size_t>(params.prefixChars) : 0;
    const std::size_t width = params.fieldWidth > 0 ? static_cast<std::size_t>(params.fieldWidth) : 0;
    const std::size_t pointsPerLine = params.pointsPerLine > 0 ? static_cast<std::size_t>(params.pointsPerLine) : 0;
    const std::size_t fieldsPerPoint = pairs ? 2 : 1;

    std::vector<double> fields;
    bool anyNumber = false;
    auto take = [&](std::string_view f) {
        const std::optional<double> v = ParseNumber(f);
        anyNumber = anyNumber || v.has_value();
        fields.push_back(v.value_or(0.0));
    };

    std::size_t lineNo = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t nl = text.find('\n', pos);
        std::string_view line = text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        pos = nl == std::string_view::npos ? text.size() : nl + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        if (++lineNo <= headerLines) continue;
        if (!line.empty() && line.front() == '$') continue;
        const std::string_view rest = line.substr(std::min(prefix, line.size()));

        if (params.freeFormat) {
            // Fields are separated by runs of blanks (or tabs): two blanks in a row do not
            // make an empty field that would read as an extra zero.
            std::string_view s = trimWs(rest);
            while (!s.empty()) {
                std::size_t e = 0;
                while (e < s.size() && !isBlank(s[e])) ++e;
                take(s.substr(0, e));
                s = trimLeftWs(s.substr(e));
            }
            continue;
        }

        // Fixed format: columns count from the first character after the prefix, so
        // leading blanks of a right-aligned first field keep every field in its column.
        // A field that lies wholly past the end of a short last line is not a point.
        if (trimWs(rest).empty()) break;
        const std::string_view cols = trimRightWs(rest);
        if (width == 0) continue;
        for (std::size_t pt = 0; pt < pointsPerLine; ++pt) {
            const std::size_t start = pt * fieldsPerPoint * width;
            if (start >= cols.size()) break;
            for (std::size_t f = 0; f < fieldsPerPoint; ++f) {
                const std::size_t at = start + f * width;
                take(at < cols.size() ? cols.substr(at, width) : std::string_view{});
            }
        }
    }

    THFuncPoints p;
    if (pairs) {
        // An odd field left over at the end has no value to go with it.
        for (std::size_t i = 0; i + 1 < fields.size(); i += 2) p.add(fields[i], fields[i + 1]);
    } else {
        for (std::size_t i = 0; i < fields.size(); ++i) p.add(static_cast<double>(i) * params.dt, fields[i]);
    }

    // A file without a single number is not a record of zeros but a file read with the
    // wrong settings (or no record at all).
    if (!anyNumber || p.size() == 0 || p.times[0] < 0) return fallback();
    for (std::size_t i = 1; i < p.size(); ++i)
        if (p.times[i] < p.times[i - 1]) return fallback();
    return p;
}

// --- records -------------------------------------------------------------------------------

double RecordDuration(const std::vector<double>& times) {
    double largest = -100000.0;
    for (double t : times)
        if (t > largest) largest = t;
    return largest < 0 ? 1.0 : largest;
}

// Earthquake record file (little-endian, no padding):
//
// | offset | width       | content                                                     |
// |--------|-------------|-------------------------------------------------------------|
// | 0      | text 40     | header: "EarthquakeRecord: " + function name, cut or padded |
// | 40     | int16       | 1                                                           |
// | 42     | int16       | n + 1 (the n points and the leading (0, 0))                 |
// | 44     | float32     | peak: the value of largest magnitude (first one on ties)    |
// | 48     | float32     | time of the peak                                            |
// | 52     | float32     | duration                                                    |
// | 56     | 8 x (n + 1) | (time, value) float32 pairs: (0, 0), then the n points      |
std::vector<std::uint8_t> EarthquakeRecordBytes(std::string_view header, const THFuncPoints& points, double duration) {
    // The peak is chosen on the single-precision values the record holds, so two
    // doubles that round to the same single do not displace the earlier point.
    float peak = 0, peakTime = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const float v = static_cast<float>(points.values[i]);
        if (std::fabs(v) > std::fabs(peak)) {
            peak = v;
            peakTime = static_cast<float>(points.times[i]);
        }
    }
    RecordBytes w(56 + 8 * (points.size() + 1));
    w.text(header, 40);
    w.i16(1);
    w.i16(static_cast<int>(points.size() + 1));
    w.f32(peak);
    w.f32(peakTime);
    w.f32(duration);
    w.f32(0);
    w.f32(0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        w.f32(points.times[i]);
        w.f32(points.values[i]);
    }
    return w.take();
}

std::string FoldFileName(std::string_view name) {
    std::string out(name);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return out;
}

bool IsSafeRecordFileName(std::string_view name) {
    if (name.empty()) return false;
    for (char ch : name)
        if (isUnsafeChar(static_cast<unsigned char>(ch))) return false;
    if (name.back() == '.' || name.back() == ' ') return false;  // also catches "." and ".."
    return !isDeviceName(name);
}

bool RecordFileNameFits(std::string_view name) {
    if (!IsSafeRecordFileName(name) || utf8Length(name) > kRecordNameChars) return false;
    // The dynamic case holds the name in its single-byte code page; a character that
    // page lacks would name another file there.
    const std::string bytes = toCp1252(name);
    return std::count(bytes.begin(), bytes.end(), '?') == std::count(name.begin(), name.end(), '?');
}

std::string RecordFileNameFor(std::string_view name, TakenFileNames& taken) {
    if (RecordFileNameFits(name)) {
        taken.insert(FoldFileName(name));
        return std::string(name);
    }
    // Character by character: an unsafe character, or one the code page lacks, becomes
    // "_"; the first 12 characters are kept.
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < name.size();) {
        std::size_t len = 1;
        const auto b = static_cast<unsigned char>(name[i]);
        if (b >= 0xC0) len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
        std::string ch(name.substr(i, len));
        i += len;
        const bool unsafe = ch.size() == 1 ? isUnsafeChar(static_cast<unsigned char>(ch[0])) : toCp1252(ch) == "?";
        chars.push_back(unsafe ? std::string("_") : ch);
    }
    auto joinFirst = [&](std::size_t n) {
        std::string out;
        for (std::size_t k = 0; k < n && k < chars.size(); ++k) out += chars[k];
        // Windows drops a trailing dot or blank, which would name another file.
        for (std::size_t e = out.size(); e > 0 && (out[e - 1] == '.' || out[e - 1] == ' '); --e) out[e - 1] = '_';
        if (out.empty()) out.push_back('_');
        // (insert and resize rather than "_" + text: GCC 12 misreads that as an overlapping copy)
        if (isDeviceName(out)) {
            if (out.size() >= kRecordNameChars) out.pop_back();
            out.insert(out.begin(), '_');
        }
        return out;
    };
    std::string candidate = joinFirst(kRecordNameChars);
    // A clash (ignoring letter case, as Windows does) takes a "~N" ending within the 12.
    for (int k = 2; taken.count(FoldFileName(candidate)); ++k) {
        std::string tail = std::to_string(k);
        tail.insert(tail.begin(), '~');
        candidate = joinFirst(kRecordNameChars - tail.size()) + tail;
    }
    taken.insert(FoldFileName(candidate));
    return candidate;
}

namespace {

// One time-history function as the host gives it, made into points.
struct FetchedFunction {
    THFuncPoints points;
    double dt = 0.05;
    std::int64_t pointCount = -1;  // the generators count their points before making them
    int status = 0;                // the host's answer; not 0: the host could not give it
    bool known = true;             // false: a kind that is not transferred
};

// Asks the host for the function by its kind and makes its points: read from its file,
// taken as listed, or generated from the kind's parameters (a generated function
// longer than a record holds is counted, not made).
FetchedFunction FetchFunction(TarvoModelObj& model, const std::string& name, int kind) {
    host::TarvoHost& host = model.Host();
    FetchedFunction f;
    switch (kind) {
        case 0: {
            host::THFunctionFile file;
            f.status = host.GetTHFunctionFromFile(name, file);
            if (f.status != 0) break;
            std::string why;
            const std::optional<std::string> text =
                model.Plat().readInputFile(file.fileName, kMaxFunctionFileBytes, why);
            bool fellBack = !text;
            f.points = text ? ReadFunctionFileText(*text, file, &fellBack) : FallbackFunction();
            if (fellBack)
                model.Report.add("function", name, "function file replaced by the two-point zero function", true,
                                 file.fileName + ": " + (text ? std::string("no usable points") : why));
            f.dt = file.dt;
            break;
        }
        case 1:
        case 7: {
            std::vector<double> times, values;
            int cycles = 0;
            f.status = kind == 1 ? host.GetTHFunctionUser(name, times, values)
                                 : host.GetTHFunctionUserPeriodic(name, cycles, times, values);
            const std::size_t n = std::min(times.size(), values.size());
            times.resize(n);
            values.resize(n);
            f.points.times = std::move(times);
            f.points.values = std::move(values);
            break;
        }
        case 2:
        case 3: {
            double period = 0, amplitude = 0;
            int steps = 0, cycles = 0;
            f.status = kind == 2 ? host.GetTHFunctionSine(name, period, steps, cycles, amplitude)
                                 : host.GetTHFunctionCosine(name, period, steps, cycles, amplitude);
            if (f.status != 0) break;
            f.pointCount = PeriodicPointCount(kind, steps, cycles);
            if (f.pointCount <= kMaxRecordPoints)
                f.points = kind == 2 ? SinePoints(period, steps, cycles, amplitude)
                                     : CosinePoints(period, steps, cycles, amplitude);
            break;
        }
        case 4: {
            double ramp = 0, amplitude = 0, maxTime = 0;
            f.status = host.GetTHFunctionRamp(name, ramp, amplitude, maxTime);
            f.points = RampPoints(ramp, amplitude, maxTime);
            break;
        }
        case 5: {
            double period = 0, ramp = 0, amplitude = 0;
            int cycles = 0;
            f.status = host.GetTHFunctionTrapezoid(name, period, ramp, amplitude, cycles);
            if (f.status != 0) break;
            f.pointCount = PeriodicPointCount(kind, 0, cycles);
            if (f.pointCount <= kMaxRecordPoints) f.points = TrapezoidPoints(period, ramp, amplitude, cycles);
            break;
        }
        case 6: {
            double period = 0, amplitude = 0;
            int cycles = 0;
            f.status = host.GetTHFunctionTriangular(name, period, amplitude, cycles);
            if (f.status != 0) break;
            f.pointCount = PeriodicPointCount(kind, 0, cycles);
            if (f.pointCount <= kMaxRecordPoints) f.points = TriangularPoints(period, amplitude, cycles);
            break;
        }
        default:
            f.known = false;
            break;
    }
    return f;
}

}  // namespace

// --- the read step -------------------------------------------------------------------------

void TarvoModelObj::ReadTarvoTHFunc() {
    host::Names names;
    host_.GetFunctionNameList(0, names);

    // Names that fit as file names keep their file; any other name is mended into one
    // that none of them uses.
    TakenFileNames takenFileNames;
    for (const std::string& name : names)
        if (RecordFileNameFits(name)) takenFileNames.insert(FoldFileName(name));

    for (const std::string& name : names) {
        int type = 0, kind = -1;
        host_.GetFunctionType(name, type, kind);
        if (type != 2) {
            Report.add("function", name, "function that is not a time-history function", false,
                       "type " + std::to_string(type));
            continue;
        }

        const FetchedFunction fetched = FetchFunction(*this, name, kind);
        if (!fetched.known) {
            Report.add("function", name, "time-history function of a kind that is not transferred", true,
                       "kind " + std::to_string(kind));
            continue;
        }
        const THFuncPoints& points = fetched.points;
        const double dt = fetched.dt;
        std::int64_t pointCount = fetched.pointCount;
        const int status = fetched.status;
        if (status != 0) {
            Report.add("function", name, "time-history function the host could not give", true,
                       "status " + std::to_string(status));
            continue;
        }
        if (pointCount < 0) pointCount = static_cast<std::int64_t>(points.size());

        // The record counts its points in a 16-bit integer: a longer function would be
        // written with a wrong count, so it is refused as a whole (no record, and no
        // function for the load cases to refer to).
        if (pointCount > kMaxRecordPoints) {
            Report.add("function", name, "function longer than a record holds", true,
                       std::to_string(pointCount) + " points, at most " + std::to_string(kMaxRecordPoints));
            continue;
        }

        const std::string fileName = RecordFileNameFor(name, takenFileNames);
        if (fileName != name) Report.add("function", name, "record file name mended", false, "record file " + fileName);

        TarvoTHFuncObj& f = AddTHFuncObj(name);
        f.Dt = dt;
        f.RecordFileName = fileName;
        f.Time.reserve(points.size());
        f.Value.reserve(points.size());
        for (std::size_t i = 0; i < points.size(); ++i) f.AddTHFunc(points.values[i], points.times[i]);
    }
}

}  // namespace t2v::source
