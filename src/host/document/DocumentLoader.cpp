// Loading a model document: one parse, then one validating walk over the families that
// fills the tables of DocumentModel.
//
// The walk visits the families in the order their references need (load patterns and
// functions before the objects whose loads name them, points before frames, and so on),
// whatever order the keys have in the file. Every value is checked where it is read,
// and the first broken rule ends the load with the JSON location of the value.
#include "host/document/DocumentLoader.h"

#include "host/document/DocumentHost.h"
#include "host/document/JsonSyntax.h"

#include <simdjson.h>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <span>

namespace t2v::host::document {
namespace {

namespace dom = simdjson::dom;

// Functions generated from a few parameters (sine, trapezoid, ...) become point lists
// in the reader; a count beyond this is a typo, not a record, and would exhaust memory.
constexpr long long kMaxGeneratedPoints = 10'000'000;

// ---------------------------------------------------------------------------
// JSON locations. A Loc lives on the stack beside the value it names and is turned into
// text ("frames[12].releases.i[3]") only when a message needs it.
struct Loc {
    const Loc* parent = nullptr;
    std::string_view key;
    std::size_t index = 0;
    bool isIndex = false;

    Loc operator/(std::string_view k) const { return Loc{this, k, 0, false}; }
    Loc operator[](std::size_t i) const { return Loc{this, {}, i, true}; }
};

void AppendLoc(std::string& out, const Loc& loc) {
    if (loc.parent) AppendLoc(out, *loc.parent);
    if (loc.isIndex) {
        out += '[';
        out += std::to_string(loc.index);
        out += ']';
    } else if (!loc.key.empty()) {
        if (!out.empty()) out += '.';
        out += loc.key;
    }
}

std::string LocText(const Loc& loc) {
    std::string out;
    AppendLoc(out, loc);
    return out.empty() ? "(top level)" : out;
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    if (text.size() > 60) {
        out.append(text.substr(0, 60));
        out += "...";
    } else {
        out.append(text);
    }
    out += '"';
    return out;
}

std::string NumberText(double value) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

std::string Describe(dom::element e) {
    switch (e.type()) {
        case dom::element_type::ARRAY: return "an array";
        case dom::element_type::OBJECT: return "an object";
        case dom::element_type::INT64: return "the number " + std::to_string(e.get_int64().value_unsafe());
        case dom::element_type::UINT64: return "the number " + std::to_string(e.get_uint64().value_unsafe());
        case dom::element_type::DOUBLE: return "the number " + NumberText(e.get_double().value_unsafe());
        case dom::element_type::STRING: return "the string " + Quoted(e.get_string().value_unsafe());
        case dom::element_type::BOOL: return e.get_bool().value_unsafe() ? "true" : "false";
        case dom::element_type::NULL_VALUE: return "null";
    }
    return "a value";
}

// ---------------------------------------------------------------------------
// Reading values. Every reader checks the JSON type and the rule of its value, and
// fails with the value's location.
class Reader {
public:
    explicit Reader(const std::string& displayName) : displayName_(displayName) {}

    [[noreturn]] void fail(const Loc& loc, const std::string& reason) const {
        throw DocumentError(displayName_ + ": " + LocText(loc) + ": " + reason);
    }

    double number(dom::element e, const Loc& loc) const {
        switch (e.type()) {
            case dom::element_type::INT64: return static_cast<double>(e.get_int64().value_unsafe());
            case dom::element_type::UINT64: return static_cast<double>(e.get_uint64().value_unsafe());
            case dom::element_type::DOUBLE: {
                const double d = e.get_double().value_unsafe();
                if (!std::isfinite(d)) fail(loc, "the number is not finite");
                return d;
            }
            default: fail(loc, "expected a number, found " + Describe(e));
        }
    }

    // A whole number (2 and 2.0 alike) in [lo, hi].
    int integer(dom::element e, const Loc& loc, long long lo, long long hi) const {
        long long v = 0;
        switch (e.type()) {
            case dom::element_type::INT64: v = e.get_int64().value_unsafe(); break;
            case dom::element_type::UINT64: fail(loc, "the number " + Describe(e).substr(11) + " is too large");
            case dom::element_type::DOUBLE: {
                const double d = e.get_double().value_unsafe();
                if (!(d == std::floor(d)) || std::fabs(d) > 9.0e15) {
                    fail(loc, "expected a whole number, found " + Describe(e));
                }
                v = static_cast<long long>(d);
                break;
            }
            default: fail(loc, "expected a whole number, found " + Describe(e));
        }
        if (v < lo || v > hi) fail(loc, "must be " + RangeText(lo, hi) + ", found " + std::to_string(v));
        return static_cast<int>(v);
    }

    // true/false, or the numbers 0 and 1.
    bool boolean(dom::element e, const Loc& loc) const {
        if (e.type() == dom::element_type::BOOL) return e.get_bool().value_unsafe();
        if (e.is_number()) {
            const double d = e.get_double().value_unsafe();
            if (d == 0.0) return false;
            if (d == 1.0) return true;
        }
        fail(loc, "expected true, false, 0 or 1, found " + Describe(e));
    }

    std::string_view text(dom::element e, const Loc& loc) const {
        if (e.type() != dom::element_type::STRING) fail(loc, "expected a string, found " + Describe(e));
        return e.get_string().value_unsafe();
    }

    // A name or a reference to one: not empty, no control characters (names end up in
    // fixed-length texts and file names).
    std::string_view name(dom::element e, const Loc& loc) const {
        const std::string_view s = text(e, loc);
        if (s.empty()) fail(loc, "a name may not be empty");
        for (const char c : s) {
            if (static_cast<unsigned char>(c) < 0x20) fail(loc, "a name may not hold control characters");
        }
        return s;
    }

    dom::array array(dom::element e, const Loc& loc) const {
        if (e.type() != dom::element_type::ARRAY) fail(loc, "expected an array, found " + Describe(e));
        return e.get_array().value_unsafe();
    }

    template <std::size_t N>
    std::array<double, N> numbers(dom::element e, const Loc& loc) const {
        const dom::array a = array(e, loc);
        if (a.size() != N) {
            fail(loc, "expected an array of " + std::to_string(N) + " numbers, found " +
                          std::to_string(a.size()) + (a.size() == 1 ? " item" : " items"));
        }
        std::array<double, N> out{};
        std::size_t i = 0;
        for (dom::element item : a) {
            out[i] = number(item, loc[i]);
            ++i;
        }
        return out;
    }

    // Six flags as bits 0..5.
    std::uint8_t flags6(dom::element e, const Loc& loc) const {
        const dom::array a = array(e, loc);
        if (a.size() != 6) {
            fail(loc, "expected an array of 6 flags, found " + std::to_string(a.size()) +
                          (a.size() == 1 ? " item" : " items"));
        }
        std::uint8_t bits = 0;
        std::size_t i = 0;
        for (dom::element item : a) {
            if (boolean(item, loc[i])) bits = static_cast<std::uint8_t>(bits | (1u << i));
            ++i;
        }
        return bits;
    }

    std::vector<double> numberList(dom::element e, const Loc& loc) const {
        const dom::array a = array(e, loc);
        std::vector<double> out;
        out.reserve(a.size());
        std::size_t i = 0;
        for (dom::element item : a) out.push_back(number(item, loc[i++]));
        return out;
    }

    static std::string RangeText(long long lo, long long hi) {
        constexpr long long kMax = std::numeric_limits<int>::max();
        constexpr long long kMin = std::numeric_limits<int>::min();
        if (lo == kMin && hi == kMax) return "a whole number that fits in 32 bits";
        if (hi == kMax) return "a whole number of at least " + std::to_string(lo);
        if (lo + 1 == hi) return std::to_string(lo) + " or " + std::to_string(hi);
        return "a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
    }

private:
    const std::string& displayName_;
};

constexpr long long kIntMin = std::numeric_limits<int>::min();
constexpr long long kIntMax = std::numeric_limits<int>::max();

// ---------------------------------------------------------------------------
// One JSON object read against the keys it may have: unknown and repeated keys are
// refused here, so every object of the format is checked the same way.
class Fields {
public:
    static constexpr std::size_t kMaxKeys = 32;

    Fields(const Reader& reader, dom::element e, const Loc& loc, std::span<const std::string_view> keys,
           const char* what)
        : reader_(reader), loc_(loc), keys_(keys), what_(what) {
        if (e.type() != dom::element_type::OBJECT) {
            reader.fail(loc, std::string("expected ") + what + " (an object), found " + Describe(e));
        }
        const dom::object object = e.get_object().value_unsafe();
        for (dom::key_value_pair field : object) {
            std::size_t k = 0;
            while (k < keys_.size() && keys_[k] != field.key) ++k;
            if (k == keys_.size()) reader.fail(loc_ / field.key, "unknown key (" + keyList() + ")");
            if (has(k)) reader.fail(loc_ / keys_[k], "the key appears twice in the same object");
            present_ |= std::uint64_t{1} << k;
            values_[k] = field.value;
        }
    }

    bool has(std::size_t k) const { return (present_ >> k) & 1u; }
    std::uint64_t present() const { return present_; }
    dom::element operator[](std::size_t k) const { return values_[k]; }
    Loc at(std::size_t k) const { return loc_ / keys_[k]; }
    const Loc& loc() const { return loc_; }
    std::string_view key(std::size_t k) const { return keys_[k]; }

    void require(std::size_t k) const {
        if (!has(k)) reader_.fail(loc_, "key \"" + std::string(keys_[k]) + "\" is missing");
    }

    double numberOr(std::size_t k, double fallback) const {
        return has(k) ? reader_.number(values_[k], at(k)) : fallback;
    }
    double number(std::size_t k) const {
        require(k);
        return reader_.number(values_[k], at(k));
    }
    // A number in [lo, hi] (either bound may be infinite).
    double numberIn(std::size_t k, double fallback, double lo, double hi, const char* rule) const {
        if (!has(k)) return fallback;
        const double v = reader_.number(values_[k], at(k));
        if (v < lo || v > hi) reader_.fail(at(k), std::string(rule) + ", found " + NumberText(v));
        return v;
    }
    int integerOr(std::size_t k, int fallback, long long lo = kIntMin, long long hi = kIntMax) const {
        return has(k) ? reader_.integer(values_[k], at(k), lo, hi) : fallback;
    }
    int integer(std::size_t k, long long lo = kIntMin, long long hi = kIntMax) const {
        require(k);
        return reader_.integer(values_[k], at(k), lo, hi);
    }
    bool booleanOr(std::size_t k, bool fallback) const {
        return has(k) ? reader_.boolean(values_[k], at(k)) : fallback;
    }
    std::string_view name(std::size_t k) const {
        require(k);
        return reader_.name(values_[k], at(k));
    }
    // A non-empty text (coordinate systems).
    std::string_view label(std::size_t k, std::string_view fallback) const {
        if (!has(k)) return fallback;
        const std::string_view s = reader_.text(values_[k], at(k));
        if (s.empty()) reader_.fail(at(k), "may not be empty");
        return s;
    }
    dom::array array(std::size_t k) const { return reader_.array(values_[k], at(k)); }

private:
    std::string keyList() const {
        std::string out = std::string(what_) + " has the keys ";
        for (std::size_t i = 0; i < keys_.size(); ++i) {
            if (i) out += ", ";
            out += keys_[i];
        }
        return out;
    }

    const Reader& reader_;
    Loc loc_;
    std::span<const std::string_view> keys_;
    const char* what_;
    std::uint64_t present_ = 0;
    std::array<dom::element, kMaxKeys> values_{};
};

// Keys of every object of the format, with their positions as names.
namespace top {
enum : std::size_t { format, version, units, materials, frame_sections, area_sections, points, constraints,
                     frames, areas, groups, load_patterns, functions, load_cases, mass_source };
constexpr std::string_view keys[] = {"format", "version", "units", "materials", "frame_sections",
                                     "area_sections", "points", "constraints", "frames", "areas", "groups",
                                     "load_patterns", "functions", "load_cases", "mass_source"};
}  // namespace top
namespace mat {
enum : std::size_t { name, type, symmetry, weight, mass, isotropic, orthotropic, anisotropic, uniaxial, steel,
                     rebar, concrete, stress_strain };
constexpr std::string_view keys[] = {"name", "type", "symmetry", "weight", "mass", "isotropic", "orthotropic",
                                     "anisotropic", "uniaxial", "steel", "rebar", "concrete", "stress_strain"};
constexpr std::string_view moduli[] = {"E", "U", "A", "G"};
constexpr std::string_view uniaxialKeys[] = {"E", "A"};
constexpr std::string_view strengthKeys[] = {"Fy", "Fu", "EFy", "EFu"};
constexpr std::string_view concreteKeys[] = {"Fc"};
}  // namespace mat
namespace fsec {
enum : std::size_t { name, type, material, properties, rebar_type, segments };
constexpr std::string_view keys[] = {"name", "type", "material", "properties", "rebar_type", "segments"};
constexpr std::string_view propertyKeys[] = {"A",   "As2", "As3", "J",   "I22", "I33",
                                             "S22", "S33", "Z22", "Z33", "R22", "R33"};
}  // namespace fsec
namespace asec {
enum : std::size_t { name, type, shell_type, drilling, material, material_angle, thickness, bending_thickness,
                     layers };
constexpr std::string_view keys[] = {"name",           "type",      "shell_type",        "drilling", "material",
                                     "material_angle", "thickness", "bending_thickness", "layers"};
}  // namespace asec
namespace layer {
enum : std::size_t { name, distance, thickness, type, integration_points, material, angle, s11, s22, s12 };
constexpr std::string_view keys[] = {"name",     "distance", "thickness", "type", "integration_points",
                                     "material", "angle",    "s11",       "s22",  "s12"};
}  // namespace layer
namespace pt {
enum : std::size_t { name, x, y, z, restraints, mass, loads };
constexpr std::string_view keys[] = {"name", "x", "y", "z", "restraints", "mass", "loads"};
}  // namespace pt
namespace pload {
enum : std::size_t { pattern, csys, values };
constexpr std::string_view keys[] = {"pattern", "csys", "values"};
}  // namespace pload
namespace con {
enum : std::size_t { name, type, axis, csys, points };
constexpr std::string_view keys[] = {"name", "type", "axis", "csys", "points"};
}  // namespace con
namespace fr {
enum : std::size_t { name, section, i, j, angle, releases, hinges, mass_per_length, distributed_loads,
                     point_loads };
constexpr std::string_view keys[] = {"name",     "section", "i", "j", "angle", "releases", "hinges",
                                     "mass_per_length", "distributed_loads", "point_loads"};
constexpr std::string_view releaseKeys[] = {"i", "j"};
constexpr std::string_view hingeKeys[] = {"kind", "dof", "rel_dist"};
}  // namespace fr
namespace dload {
enum : std::size_t { pattern, type, csys, dir, rd1, rd2, val1, val2 };
constexpr std::string_view keys[] = {"pattern", "type", "csys", "dir", "rd1", "rd2", "val1", "val2"};
}  // namespace dload
namespace fpload {
enum : std::size_t { pattern, type, csys, dir, rd, val };
constexpr std::string_view keys[] = {"pattern", "type", "csys", "dir", "rd", "val"};
}  // namespace fpload
namespace ar {
enum : std::size_t { name, section, points, mass_per_area, uniform_loads, uniform_loads_to_frames };
constexpr std::string_view keys[] = {"name",          "section",       "points",
                                     "mass_per_area", "uniform_loads", "uniform_loads_to_frames"};
}  // namespace ar
namespace aload {
enum : std::size_t { pattern, csys, dir, value, distribution };
constexpr std::string_view keys[] = {"pattern", "csys", "dir", "value", "distribution"};
}  // namespace aload
namespace grp {
enum : std::size_t { name, points, frames, areas };
constexpr std::string_view keys[] = {"name", "points", "frames", "areas"};
}  // namespace grp
namespace lpat {
enum : std::size_t { name, type, self_weight_multiplier };
constexpr std::string_view keys[] = {"name", "type", "self_weight_multiplier"};
}  // namespace lpat
namespace msrc {
enum : std::size_t { option, patterns };
constexpr std::string_view keys[] = {"option", "patterns"};
constexpr std::string_view patternKeys[] = {"name", "scale"};
}  // namespace msrc
namespace fn {
enum : std::size_t { name, type, kind, file, header_lines, prefix_chars, points_per_line, value_type,
                     free_format, field_width, dt, times, values, period, steps_per_cycle, cycles, amplitude,
                     ramp_time, max_time };
constexpr std::string_view keys[] = {"name",        "type",        "kind",        "file",
                                     "header_lines", "prefix_chars", "points_per_line", "value_type",
                                     "free_format", "field_width", "dt",          "times",
                                     "values",      "period",      "steps_per_cycle", "cycles",
                                     "amplitude",   "ramp_time",   "max_time"};
constexpr std::uint64_t bit(std::size_t k) { return std::uint64_t{1} << k; }
// The keys each time-history kind may have, and those it must have.
constexpr std::uint64_t kindKeys[8] = {
    bit(file) | bit(header_lines) | bit(prefix_chars) | bit(points_per_line) | bit(value_type) |
        bit(free_format) | bit(field_width) | bit(dt),
    bit(times) | bit(values),
    bit(period) | bit(steps_per_cycle) | bit(cycles) | bit(amplitude),
    bit(period) | bit(steps_per_cycle) | bit(cycles) | bit(amplitude),
    bit(ramp_time) | bit(amplitude) | bit(max_time),
    bit(period) | bit(ramp_time) | bit(amplitude) | bit(cycles),
    bit(period) | bit(amplitude) | bit(cycles),
    bit(cycles) | bit(times) | bit(values)};
constexpr std::uint64_t kindRequired[8] = {bit(file),    kindKeys[1], kindKeys[2], kindKeys[3],
                                           kindKeys[4], kindKeys[5], kindKeys[6], kindKeys[7]};
constexpr const char* kindNames[8] = {"from file", "user",      "sine",       "cosine",
                                      "ramp",      "trapezoid", "triangular", "user periodic"};
}  // namespace fn
namespace lcase {
enum : std::size_t { name, type, load_application, loads, output_steps, step_size, damping };
constexpr std::string_view keys[] = {"name",         "type",      "load_application", "loads",
                                     "output_steps", "step_size", "damping"};
constexpr std::string_view applicationKeys[] = {"load_control", "monitored_dof", "displacement",
                                                "monitored_point"};
constexpr std::string_view staticLoadKeys[] = {"type", "name", "scale"};
constexpr std::string_view dynamicLoadKeys[] = {"type", "name", "function", "scale", "time_factor"};
constexpr std::string_view dampingKeys[] = {"code", "values"};
}  // namespace lcase

// ---------------------------------------------------------------------------
class Loader {
public:
    Loader(const std::string& displayName, const std::string& baseFolder)
        : reader_(displayName), baseFolder_(baseFolder) {}

    DocumentModel run(dom::element root) {
        const Loc rootLoc;
        const Fields f(reader_, root, rootLoc, top::keys, "a model document");

        f.require(top::format);
        const std::string_view format = reader_.text(f[top::format], f.at(top::format));
        if (format != "tarvo-model") {
            reader_.fail(f.at(top::format), "expected \"tarvo-model\", found " + Quoted(format));
        }
        f.require(top::version);
        const int version = reader_.integer(f[top::version], f.at(top::version), kIntMin, kIntMax);
        if (version != 1) {
            reader_.fail(f.at(top::version),
                         "version " + std::to_string(version) + " is not known; this program reads version 1");
        }
        m_.units = f.integerOr(top::units, 6, 1, 16);

        // Referenced families first.
        if (f.has(top::load_patterns)) loadPatterns(f.array(top::load_patterns), f.at(top::load_patterns));
        if (f.has(top::functions)) functions(f.array(top::functions), f.at(top::functions));
        if (f.has(top::materials)) materials(f.array(top::materials), f.at(top::materials));
        if (f.has(top::frame_sections)) frameSections(f.array(top::frame_sections), f.at(top::frame_sections));
        if (f.has(top::area_sections)) areaSections(f.array(top::area_sections), f.at(top::area_sections));
        if (f.has(top::points)) points(f.array(top::points), f.at(top::points));
        if (f.has(top::constraints)) constraints(f.array(top::constraints), f.at(top::constraints));
        if (f.has(top::frames)) frames(f.array(top::frames), f.at(top::frames));
        if (f.has(top::areas)) areas(f.array(top::areas), f.at(top::areas));
        if (f.has(top::groups)) groups(f.array(top::groups), f.at(top::groups));
        if (f.has(top::mass_source)) massSource(f[top::mass_source], f.at(top::mass_source));
        if (f.has(top::load_cases)) loadCases(f.array(top::load_cases), f.at(top::load_cases));

        buildConnectivity();
        buildPointConstraints();
        return std::move(m_);
    }

private:
    // --- names and references ---------------------------------------------------
    template <class T>
    void addNamed(Family<T>& family, T&& item, const Fields& f, std::size_t nameKey, const char* what,
                  std::string_view familyKey) {
        const std::uint32_t existing = family.add(std::move(item));
        if (existing != kNoRef) {
            const std::string_view name = reader_.text(f[nameKey], f.at(nameKey));
            reader_.fail(f.at(nameKey), std::string(what) + " name " + Quoted(name) + " is already used by " +
                                            std::string(familyKey) + "[" + std::to_string(existing) + "]");
        }
    }

    template <class T>
    std::uint32_t resolve(const Family<T>& family, dom::element e, const Loc& loc, const char* what) const {
        const std::string_view name = reader_.name(e, loc);
        const std::uint32_t position = family.find(name);
        if (position == kNoRef) reader_.fail(loc, std::string(what) + " " + Quoted(name) + " does not exist");
        return position;
    }

    std::uint32_t pattern(const Fields& f, std::size_t k) const {
        f.require(k);
        return resolve(m_.loadPatterns, f[k], f.at(k), "load pattern");
    }

    std::uint32_t csys(const Fields& f, std::size_t k) {
        const std::string_view name = f.label(k, "GLOBAL");
        const auto position = static_cast<std::uint32_t>(m_.csysNames.size());
        auto nameAt = [this](std::uint32_t p) -> std::string_view { return m_.csysNames[p]; };
        m_.csysNames.emplace_back(name);
        const std::uint32_t existing = csysIndex_.insert(name, position, nameAt);
        if (existing != NameIndex::kNone) {
            m_.csysNames.pop_back();
            return existing;
        }
        return position;
    }

    // A list of distinct names of one family, as positions. `stamp` marks what this list
    // has already named, so repeats are found without a search.
    template <class T>
    std::vector<std::uint32_t> nameList(const Family<T>& family, dom::array a, const Loc& loc, const char* what,
                                        std::vector<std::uint32_t>& stamp) {
        ++stampValue_;
        if (stamp.size() < family.size()) stamp.resize(family.size(), 0);
        std::vector<std::uint32_t> out;
        out.reserve(a.size());
        std::size_t i = 0;
        for (dom::element item : a) {
            const Loc itemLoc = loc[i++];
            const std::uint32_t p = resolve(family, item, itemLoc, what);
            if (stamp[p] == stampValue_) {
                reader_.fail(itemLoc, std::string(what) + " " + Quoted(family[p].name) + " is listed twice");
            }
            stamp[p] = stampValue_;
            out.push_back(p);
        }
        return out;
    }

    // --- load patterns ----------------------------------------------------------
    void loadPatterns(dom::array a, const Loc& loc) {
        m_.loadPatterns.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, lpat::keys, "a load pattern");
            LoadPattern p;
            p.name = f.name(lpat::name);
            p.type = f.integerOr(lpat::type, 8);
            p.selfWeightMultiplier = f.numberOr(lpat::self_weight_multiplier, 0.0);
            addNamed(m_.loadPatterns, std::move(p), f, lpat::name, "load pattern", "load_patterns");
        }
    }

    // --- functions --------------------------------------------------------------
    void functions(dom::array a, const Loc& loc) {
        m_.functions.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, fn::keys, "a function");
            Function fun;
            fun.name = f.name(fn::name);
            fun.type = f.integer(fn::type, 1, 4);
            const std::uint64_t own = fn::bit(fn::name) | fn::bit(fn::type) | fn::bit(fn::kind);
            if (fun.type != 2) {
                fun.kind = f.integerOr(fn::kind, 0, 0, 7);
                for (std::size_t k = 0; k < std::size(fn::keys); ++k) {
                    if (f.has(k) && !(own & fn::bit(k))) {
                        reader_.fail(f.at(k), "only time-history functions (type 2) have this key");
                    }
                }
            } else {
                fun.kind = f.integer(fn::kind, 0, 7);
                timeHistory(f, fun);
            }
            addNamed(m_.functions, std::move(fun), f, fn::name, "function", "functions");
        }
    }

    void timeHistory(const Fields& f, Function& fun) {
        const auto kind = static_cast<std::size_t>(fun.kind);
        const std::uint64_t own = fn::bit(fn::name) | fn::bit(fn::type) | fn::bit(fn::kind);
        for (std::size_t k = 0; k < std::size(fn::keys); ++k) {
            if (f.has(k) && !((own | fn::kindKeys[kind]) & fn::bit(k))) {
                reader_.fail(f.at(k), std::string("a function of kind ") + std::to_string(kind) + " (" +
                                          fn::kindNames[kind] + ") has no such key");
            }
        }
        for (std::size_t k = 0; k < std::size(fn::keys); ++k) {
            if ((fn::kindRequired[kind] & fn::bit(k))) f.require(k);
        }
        constexpr double inf = std::numeric_limits<double>::infinity();
        switch (fun.kind) {
            case 0: {
                THFunctionFile& file = fun.file;
                const std::string_view name = reader_.text(f[fn::file], f.at(fn::file));
                if (name.empty()) reader_.fail(f.at(fn::file), "the file name may not be empty");
                file.fileName = ResolveDocumentPath(baseFolder_, std::string(name));
                file.headerLines = f.integerOr(fn::header_lines, 0, 0, kIntMax);
                file.prefixChars = f.integerOr(fn::prefix_chars, 0, 0, kIntMax);
                file.pointsPerLine = f.integerOr(fn::points_per_line, 1, 1, kIntMax);
                file.valueType = f.integerOr(fn::value_type, 1, 1, 2);
                file.freeFormat = f.booleanOr(fn::free_format, true);
                file.fieldWidth = f.integerOr(fn::field_width, 10, 1, kIntMax);
                file.dt = f.numberIn(fn::dt, 0.0, 0.0, inf, "must be 0 or more");
                break;
            }
            case 1:
            case 7: {
                if (fun.kind == 7) fun.cycles = f.integer(fn::cycles, 1, kIntMax);
                fun.times = reader_.numberList(f[fn::times], f.at(fn::times));
                fun.values = reader_.numberList(f[fn::values], f.at(fn::values));
                if (fun.times.size() != fun.values.size()) {
                    reader_.fail(f.loc(), "times and values differ in length (" + std::to_string(fun.times.size()) +
                                              " and " + std::to_string(fun.values.size()) + ")");
                }
                if (fun.times.empty()) reader_.fail(f.at(fn::times), "a user function needs at least one point");
                break;
            }
            case 2:
            case 3:
                fun.period = f.numberIn(fn::period, 0.0, std::numeric_limits<double>::min(), inf, "must be above 0");
                fun.stepsPerCycle = f.integer(fn::steps_per_cycle, 1, kIntMax);
                fun.cycles = f.integer(fn::cycles, 1, kIntMax);
                fun.amplitude = f.number(fn::amplitude);
                limitPoints(f, static_cast<long long>(fun.stepsPerCycle) * fun.cycles);
                break;
            case 4:
                fun.rampTime = f.numberIn(fn::ramp_time, 0.0, 0.0, inf, "must be 0 or more");
                fun.amplitude = f.number(fn::amplitude);
                fun.maxTime = f.numberIn(fn::max_time, 0.0, 0.0, inf, "must be 0 or more");
                break;
            case 5:
                fun.period = f.numberIn(fn::period, 0.0, std::numeric_limits<double>::min(), inf, "must be above 0");
                fun.rampTime = f.numberIn(fn::ramp_time, 0.0, 0.0, inf, "must be 0 or more");
                fun.amplitude = f.number(fn::amplitude);
                fun.cycles = f.integer(fn::cycles, 1, kIntMax);
                limitPoints(f, 6LL * fun.cycles);
                break;
            case 6:
                fun.period = f.numberIn(fn::period, 0.0, std::numeric_limits<double>::min(), inf, "must be above 0");
                fun.amplitude = f.number(fn::amplitude);
                fun.cycles = f.integer(fn::cycles, 1, kIntMax);
                limitPoints(f, 4LL * fun.cycles);
                break;
            default: break;
        }
    }

    void limitPoints(const Fields& f, long long count) const {
        if (count > kMaxGeneratedPoints) {
            reader_.fail(f.loc(), "the function would have " + std::to_string(count) +
                                      " points; at most 10000000 are allowed");
        }
    }

    // --- materials --------------------------------------------------------------
    void materials(dom::array a, const Loc& loc) {
        m_.materials.reserve(a.size() + 3);  // room for the typical materials a transfer adds
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, mat::keys, "a material");
            Material m;
            m.name = f.name(mat::name);
            m.type = f.integer(mat::type, 1, 7);
            m.symmetry = f.integerOr(mat::symmetry, 0, 0, 3);
            m.weight = f.numberOr(mat::weight, 0.0);
            m.mass = f.numberOr(mat::mass, 0.0);
            if (f.has(mat::isotropic)) {
                const Fields b(reader_, f[mat::isotropic], f.at(mat::isotropic), mat::moduli, "an isotropic block");
                m.isoE = b.numberOr(0, 0.0);
                m.isoU = b.numberOr(1, 0.0);
                m.isoA = b.numberOr(2, 0.0);
                m.isoG = b.numberOr(3, 0.0);
            }
            if (f.has(mat::orthotropic)) {
                const Fields b(reader_, f[mat::orthotropic], f.at(mat::orthotropic), mat::moduli,
                               "an orthotropic block");
                if (b.has(0)) m.ortE = reader_.numbers<3>(b[0], b.at(0));
                if (b.has(1)) m.ortU = reader_.numbers<3>(b[1], b.at(1));
                if (b.has(2)) m.ortA = reader_.numbers<3>(b[2], b.at(2));
                if (b.has(3)) m.ortG = reader_.numbers<3>(b[3], b.at(3));
            }
            if (f.has(mat::anisotropic)) {
                const Fields b(reader_, f[mat::anisotropic], f.at(mat::anisotropic), mat::moduli,
                               "an anisotropic block");
                if (b.has(0)) m.aniE = reader_.numbers<3>(b[0], b.at(0));
                if (b.has(1)) m.aniU = reader_.numbers<15>(b[1], b.at(1));
                if (b.has(2)) m.aniA = reader_.numbers<5>(b[2], b.at(2));
                if (b.has(3)) m.aniG = reader_.numbers<3>(b[3], b.at(3));
            }
            if (f.has(mat::uniaxial)) {
                const Fields b(reader_, f[mat::uniaxial], f.at(mat::uniaxial), mat::uniaxialKeys, "a uniaxial block");
                m.uniE = b.numberOr(0, 0.0);
                m.uniA = b.numberOr(1, 0.0);
            }
            if (f.has(mat::steel)) m.steel = strengths(f, mat::steel, "a steel block");
            if (f.has(mat::rebar)) m.rebar = strengths(f, mat::rebar, "a rebar block");
            if (f.has(mat::concrete)) {
                const Fields b(reader_, f[mat::concrete], f.at(mat::concrete), mat::concreteKeys, "a concrete block");
                m.concreteFc = b.numberOr(0, 0.0);
            }
            if (f.has(mat::stress_strain)) {
                const Loc curveLoc = f.at(mat::stress_strain);
                const dom::array curve = f.array(mat::stress_strain);
                m.hasCurve = true;
                m.strains.reserve(curve.size());
                m.stresses.reserve(curve.size());
                std::size_t p = 0;
                for (dom::element pair : curve) {
                    const Loc pairLoc = curveLoc[p++];
                    const dom::array xy = reader_.array(pair, pairLoc);
                    if (xy.size() != 2) {
                        reader_.fail(pairLoc, "expected [strain, stress], found " + std::to_string(xy.size()) +
                                                  (xy.size() == 1 ? " item" : " items"));
                    }
                    const auto values = reader_.numbers<2>(pair, pairLoc);
                    m.strains.push_back(values[0]);
                    m.stresses.push_back(values[1]);
                }
            }
            addNamed(m_.materials, std::move(m), f, mat::name, "material", "materials");
        }
    }

    std::array<double, 4> strengths(const Fields& f, std::size_t k, const char* what) const {
        const Fields b(reader_, f[k], f.at(k), mat::strengthKeys, what);
        return {b.numberOr(0, 0.0), b.numberOr(1, 0.0), b.numberOr(2, 0.0), b.numberOr(3, 0.0)};
    }

    // --- frame sections ---------------------------------------------------------
    void frameSections(dom::array a, const Loc& loc) {
        m_.frameSections.reserve(a.size());
        // Segments may name sections further down the list: they are resolved after all
        // names are known.
        std::vector<std::pair<std::size_t, dom::element>> pendingSegments;
        std::size_t i = 0;
        for (dom::element e : a) {
            const std::size_t index = i++;
            const Loc itemLoc = loc[index];
            const Fields f(reader_, e, itemLoc, fsec::keys, "a frame section");
            FrameSection s;
            s.name = f.name(fsec::name);
            if (f.has(fsec::type)) {
                s.hasType = true;
                s.type = f.integer(fsec::type, 0, kIntMax);
            }
            if (f.has(fsec::material)) s.material = resolve(m_.materials, f[fsec::material], f.at(fsec::material), "material");
            if (f.has(fsec::properties)) {
                const Fields p(reader_, f[fsec::properties], f.at(fsec::properties), fsec::propertyKeys,
                               "a properties block");
                FrameSectionProperties& q = s.properties;
                double* const slots[] = {&q.area, &q.As2, &q.As3, &q.Torsion, &q.I22, &q.I33,
                                         &q.S22,  &q.S33, &q.Z22, &q.Z33,     &q.R22, &q.R33};
                for (std::size_t k = 0; k < std::size(slots); ++k) *slots[k] = p.numberOr(k, 0.0);
            }
            s.rebarType = f.integerOr(fsec::rebar_type, 0, 0, 2);
            if (f.has(fsec::segments)) {
                (void)f.array(fsec::segments);
                pendingSegments.emplace_back(index, f[fsec::segments]);
            } else if (s.hasType && s.type == 14) {
                reader_.fail(itemLoc, "a variable section (type 14) needs its \"segments\"");
            }
            addNamed(m_.frameSections, std::move(s), f, fsec::name, "frame section", "frame_sections");
        }
        std::vector<std::uint32_t> stamp;
        for (const auto& [index, segments] : pendingSegments) {
            const Loc itemLoc = loc[index];
            const Loc segLoc = itemLoc / "segments";
            FrameSection& s = m_.frameSections[index];
            const dom::array names = segments.get_array().value_unsafe();
            std::vector<std::uint32_t> list;
            list.reserve(names.size());
            std::size_t k = 0;
            for (dom::element name : names) {
                list.push_back(resolve(m_.frameSections, name, segLoc[k++], "frame section"));
            }
            if (s.hasType && s.type == 14 && list.empty()) {
                reader_.fail(segLoc, "a variable section (type 14) needs at least one segment");
            }
            s.segments = std::move(list);
        }
    }

    // --- area sections ----------------------------------------------------------
    void areaSections(dom::array a, const Loc& loc) {
        m_.areaSections.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, asec::keys, "an area section");
            AreaSection s;
            s.name = f.name(asec::name);
            s.type = f.integerOr(asec::type, 1, 1, 3);
            s.shellType = f.integerOr(asec::shell_type, 1, 1, 6);
            s.drilling = f.booleanOr(asec::drilling, false) ? 1 : 0;
            if (f.has(asec::material)) s.material = resolve(m_.materials, f[asec::material], f.at(asec::material), "material");
            s.materialAngle = f.numberOr(asec::material_angle, 0.0);
            s.thickness = f.numberOr(asec::thickness, 0.0);
            s.bendingThickness = f.numberOr(asec::bending_thickness, s.thickness);
            if (f.has(asec::layers)) {
                const Loc layersLoc = f.at(asec::layers);
                const dom::array layers = f.array(asec::layers);
                if (layers.size() != 0 && s.shellType != 6) {
                    reader_.fail(layersLoc, "only a layered section (shell_type 6) has layers");
                }
                std::size_t k = 0;
                for (dom::element le : layers) {
                    const Loc layerLoc = layersLoc[k++];
                    const Fields l(reader_, le, layerLoc, layer::keys, "a layer");
                    ShellLayer sl;
                    sl.name = l.name(layer::name);
                    sl.distance = l.numberOr(layer::distance, 0.0);
                    sl.thickness = l.number(layer::thickness);
                    sl.type = l.integerOr(layer::type, 1, 1, 3);
                    sl.integrationPoints = l.integerOr(layer::integration_points, 1, 1, kIntMax);
                    l.require(layer::material);
                    sl.material = m_.materials[resolve(m_.materials, l[layer::material], l.at(layer::material),
                                                       "material")].name;
                    sl.angle = l.numberOr(layer::angle, 0.0);
                    sl.s11 = l.integerOr(layer::s11, 0, 0, 2);
                    sl.s22 = l.integerOr(layer::s22, 0, 0, 2);
                    sl.s12 = l.integerOr(layer::s12, 0, 0, 2);
                    s.layers.push_back(std::move(sl));
                }
            }
            addNamed(m_.areaSections, std::move(s), f, asec::name, "area section", "area_sections");
        }
    }

    // --- points -----------------------------------------------------------------
    void points(dom::array a, const Loc& loc) {
        m_.points.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, pt::keys, "a point");
            Point p;
            p.name = f.name(pt::name);
            p.x = f.number(pt::x);
            p.y = f.number(pt::y);
            p.z = f.number(pt::z);
            if (f.has(pt::restraints)) p.restraints = reader_.flags6(f[pt::restraints], f.at(pt::restraints));
            if (f.has(pt::mass)) {
                p.mass = static_cast<std::uint32_t>(m_.pointMasses.size());
                m_.pointMasses.push_back(reader_.numbers<6>(f[pt::mass], f.at(pt::mass)));
            }
            if (f.has(pt::loads)) {
                const Loc loadsLoc = f.at(pt::loads);
                const dom::array loads = f.array(pt::loads);
                p.loads.begin = static_cast<std::uint32_t>(m_.pointLoads.size());
                std::size_t k = 0;
                for (dom::element le : loads) {
                    const Fields l(reader_, le, loadsLoc[k++], pload::keys, "a point load");
                    PointLoadItem item;
                    item.pattern = pattern(l, pload::pattern);
                    item.csys = csys(l, pload::csys);
                    l.require(pload::values);
                    item.values = reader_.numbers<6>(l[pload::values], l.at(pload::values));
                    m_.pointLoads.push_back(item);
                }
                p.loads.count = static_cast<std::uint32_t>(m_.pointLoads.size() - p.loads.begin);
            }
            addNamed(m_.points, std::move(p), f, pt::name, "point", "points");
        }
    }

    // --- constraints ------------------------------------------------------------
    void constraints(dom::array a, const Loc& loc) {
        m_.constraints.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, con::keys, "a constraint");
            Constraint c;
            c.name = f.name(con::name);
            c.type = f.integer(con::type, 1, 13);
            if (c.type > 8 && c.type != 13) {
                reader_.fail(f.at(con::type), "must be a constraint type 1 to 8 or 13, found " + std::to_string(c.type));
            }
            c.axis = f.integerOr(con::axis, 3, 1, 4);
            c.csys = std::string(f.label(con::csys, "Global"));
            if (f.has(con::points)) {
                c.points = nameList(m_.points, f.array(con::points), f.at(con::points), "point", pointStamp_);
            }
            addNamed(m_.constraints, std::move(c), f, con::name, "constraint", "constraints");
        }
    }

    // --- frames -----------------------------------------------------------------
    void frames(dom::array a, const Loc& loc) {
        m_.frames.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, fr::keys, "a frame");
            Frame fm;
            fm.name = f.name(fr::name);
            f.require(fr::section);
            fm.section = resolve(m_.frameSections, f[fr::section], f.at(fr::section), "frame section");
            f.require(fr::i);
            fm.i = resolve(m_.points, f[fr::i], f.at(fr::i), "point");
            f.require(fr::j);
            fm.j = resolve(m_.points, f[fr::j], f.at(fr::j), "point");
            if (fm.i == fm.j) reader_.fail(f.at(fr::j), "both ends of the frame are the same point");
            fm.angle = f.numberOr(fr::angle, 0.0);
            if (f.has(fr::releases)) {
                const Fields r(reader_, f[fr::releases], f.at(fr::releases), fr::releaseKeys, "a releases block");
                if (r.has(0)) fm.releaseI = reader_.flags6(r[0], r.at(0));
                if (r.has(1)) fm.releaseJ = reader_.flags6(r[1], r.at(1));
            }
            if (f.has(fr::hinges)) {
                const Loc hingesLoc = f.at(fr::hinges);
                const dom::array hinges = f.array(fr::hinges);
                fm.hinges.begin = static_cast<std::uint32_t>(m_.hinges.size());
                std::size_t k = 0;
                for (dom::element he : hinges) {
                    const Fields h(reader_, he, hingesLoc[k++], fr::hingeKeys, "a hinge");
                    FrameHinge hinge;
                    hinge.kind = h.integer(0, 0, kIntMax);
                    hinge.dof = h.integer(1, 0, kIntMax);
                    h.require(2);
                    hinge.relDist = h.numberIn(2, 0.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                    m_.hinges.push_back(hinge);
                }
                fm.hinges.count = static_cast<std::uint32_t>(m_.hinges.size() - fm.hinges.begin);
            }
            fm.massPerLength = f.numberOr(fr::mass_per_length, 0.0);
            if (f.has(fr::distributed_loads)) {
                const Loc loadsLoc = f.at(fr::distributed_loads);
                const dom::array loads = f.array(fr::distributed_loads);
                fm.distributed.begin = static_cast<std::uint32_t>(m_.distributedLoads.size());
                std::size_t k = 0;
                for (dom::element le : loads) {
                    const Fields l(reader_, le, loadsLoc[k++], dload::keys, "a distributed load");
                    DistributedLoadItem d;
                    d.pattern = pattern(l, dload::pattern);
                    d.type = l.integerOr(dload::type, 1, 1, 2);
                    d.csys = csys(l, dload::csys);
                    d.dir = l.integer(dload::dir, 1, 11);
                    d.rd1 = l.numberIn(dload::rd1, 0.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                    d.rd2 = l.numberIn(dload::rd2, 1.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                    d.val1 = l.number(dload::val1);
                    d.val2 = l.numberOr(dload::val2, d.val1);
                    m_.distributedLoads.push_back(d);
                }
                fm.distributed.count = static_cast<std::uint32_t>(m_.distributedLoads.size() - fm.distributed.begin);
            }
            if (f.has(fr::point_loads)) {
                const Loc loadsLoc = f.at(fr::point_loads);
                const dom::array loads = f.array(fr::point_loads);
                fm.pointLoads.begin = static_cast<std::uint32_t>(m_.framePointLoads.size());
                std::size_t k = 0;
                for (dom::element le : loads) {
                    const Fields l(reader_, le, loadsLoc[k++], fpload::keys, "a frame point load");
                    FramePointLoadItem p;
                    p.pattern = pattern(l, fpload::pattern);
                    p.type = l.integerOr(fpload::type, 1, 1, 2);
                    p.csys = csys(l, fpload::csys);
                    p.dir = l.integer(fpload::dir, 1, 11);
                    l.require(fpload::rd);
                    p.rd = l.numberIn(fpload::rd, 0.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                    p.value = l.number(fpload::val);
                    m_.framePointLoads.push_back(p);
                }
                fm.pointLoads.count = static_cast<std::uint32_t>(m_.framePointLoads.size() - fm.pointLoads.begin);
            }
            addNamed(m_.frames, std::move(fm), f, fr::name, "frame", "frames");
        }
    }

    // --- areas ------------------------------------------------------------------
    void areas(dom::array a, const Loc& loc) {
        m_.areas.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, ar::keys, "an area");
            Area ar;
            ar.name = f.name(ar::name);
            f.require(ar::section);
            ar.section = resolve(m_.areaSections, f[ar::section], f.at(ar::section), "area section");
            f.require(ar::points);
            {
                const Loc cornersLoc = f.at(ar::points);
                const dom::array corners = f.array(ar::points);
                if (corners.size() < 3) {
                    reader_.fail(cornersLoc, "an area needs at least 3 corner points, found " +
                                                 std::to_string(corners.size()));
                }
                ++stampValue_;
                if (pointStamp_.size() < m_.points.size()) pointStamp_.resize(m_.points.size(), 0);
                ar.corners.begin = static_cast<std::uint32_t>(m_.areaCorners.size());
                std::size_t k = 0;
                for (dom::element ce : corners) {
                    const Loc cLoc = cornersLoc[k++];
                    const std::uint32_t p = resolve(m_.points, ce, cLoc, "point");
                    if (pointStamp_[p] == stampValue_) {
                        reader_.fail(cLoc, "point " + Quoted(m_.points[p].name) + " is a corner twice");
                    }
                    pointStamp_[p] = stampValue_;
                    m_.areaCorners.push_back(p);
                }
                ar.corners.count = static_cast<std::uint32_t>(m_.areaCorners.size() - ar.corners.begin);
            }
            ar.massPerArea = f.numberOr(ar::mass_per_area, 0.0);
            if (f.has(ar::uniform_loads)) ar.uniform = areaLoads(f, ar::uniform_loads, false);
            if (f.has(ar::uniform_loads_to_frames)) ar.toFrames = areaLoads(f, ar::uniform_loads_to_frames, true);
            addNamed(m_.areas, std::move(ar), f, ar::name, "area", "areas");
        }
    }

    Slice areaLoads(const Fields& f, std::size_t k, bool toFrames) {
        static constexpr std::span<const std::string_view> plainKeys{aload::keys, 4};
        const Loc loadsLoc = f.at(k);
        const dom::array loads = f.array(k);
        Slice slice;
        slice.begin = static_cast<std::uint32_t>(m_.areaLoads.size());
        std::size_t n = 0;
        for (dom::element le : loads) {
            const Fields l(reader_, le, loadsLoc[n++], toFrames ? std::span<const std::string_view>(aload::keys) : plainKeys,
                           toFrames ? "a uniform load to frames" : "a uniform load");
            AreaLoadItem item;
            item.pattern = pattern(l, aload::pattern);
            item.csys = csys(l, aload::csys);
            item.dir = l.integer(aload::dir, 1, 11);
            item.value = l.number(aload::value);
            if (toFrames) item.distribution = l.integer(aload::distribution, 1, 2);
            m_.areaLoads.push_back(item);
        }
        slice.count = static_cast<std::uint32_t>(m_.areaLoads.size() - slice.begin);
        return slice;
    }

    // --- groups -----------------------------------------------------------------
    void groups(dom::array a, const Loc& loc) {
        m_.groups.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, grp::keys, "a group");
            Group g;
            g.name = f.name(grp::name);
            if (g.name == "ALL") {
                reader_.fail(f.at(grp::name), "\"ALL\" is the implicit group of every object and may not be defined");
            }
            if (f.has(grp::points)) g.points = nameList(m_.points, f.array(grp::points), f.at(grp::points), "point", pointStamp_);
            if (f.has(grp::frames)) g.frames = nameList(m_.frames, f.array(grp::frames), f.at(grp::frames), "frame", frameStamp_);
            if (f.has(grp::areas)) g.areas = nameList(m_.areas, f.array(grp::areas), f.at(grp::areas), "area", areaStamp_);
            addNamed(m_.groups, std::move(g), f, grp::name, "group", "groups");
        }
    }

    // --- mass source ------------------------------------------------------------
    void massSource(dom::element e, const Loc& loc) {
        const Fields f(reader_, e, loc, msrc::keys, "a mass source");
        m_.massSourceOption = f.integerOr(msrc::option, 1, 1, 3);
        if (!f.has(msrc::patterns)) return;
        const Loc listLoc = f.at(msrc::patterns);
        std::size_t i = 0;
        for (dom::element pe : f.array(msrc::patterns)) {
            const Fields p(reader_, pe, listLoc[i++], msrc::patternKeys, "a mass source pattern");
            p.require(0);
            m_.massSourcePatterns.push_back(resolve(m_.loadPatterns, p[0], p.at(0), "load pattern"));
            m_.massSourceScales.push_back(p.number(1));
        }
    }

    // --- load cases -------------------------------------------------------------
    void loadCases(dom::array a, const Loc& loc) {
        m_.loadCases.reserve(a.size());
        std::size_t i = 0;
        for (dom::element e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, lcase::keys, "a load case");
            LoadCase c;
            c.name = f.name(lcase::name);
            c.type = f.integer(lcase::type, 1, 8);
            std::uint64_t allowed = (1u << lcase::name) | (1u << lcase::type);
            if (c.type == 2) allowed |= (1u << lcase::load_application) | (1u << lcase::loads);
            if (c.type == 8) {
                allowed |= (1u << lcase::loads) | (1u << lcase::output_steps) | (1u << lcase::step_size) |
                           (1u << lcase::damping);
            }
            for (std::size_t k = 0; k < std::size(lcase::keys); ++k) {
                if (f.has(k) && !((allowed >> k) & 1u)) {
                    reader_.fail(f.at(k), "a load case of type " + std::to_string(c.type) + " has no such key");
                }
            }
            if (c.type == 2) staticCase(f, c);
            if (c.type == 8) dynamicCase(f, c);
            addNamed(m_.loadCases, std::move(c), f, lcase::name, "load case", "load_cases");
        }
    }

    void staticCase(const Fields& f, LoadCase& c) {
        if (f.has(lcase::load_application)) {
            const Fields ap(reader_, f[lcase::load_application], f.at(lcase::load_application),
                            lcase::applicationKeys, "a load application block");
            StaticNonlinearLoadApplication& app = c.application;
            app.loadControl = ap.integerOr(0, 1, 1, 2);
            app.monitoredDof = ap.integerOr(1, 1, 1, 6);
            app.displacement = ap.numberOr(2, 0.0);
            if (ap.has(3)) {
                app.monitoredPoint = m_.points[resolve(m_.points, ap[3], ap.at(3), "point")].name;
            }
        }
        if (!f.has(lcase::loads)) return;
        const Loc loadsLoc = f.at(lcase::loads);
        std::size_t i = 0;
        for (dom::element le : f.array(lcase::loads)) {
            const Fields l(reader_, le, loadsLoc[i++], lcase::staticLoadKeys, "a load");
            NonlinearLoad load;
            l.require(0);
            load.type = std::string(reader_.text(l[0], l.at(0)));
            l.require(1);
            const std::string_view name = reader_.name(l[1], l.at(1));
            if (load.type == "Load") {
                resolve(m_.loadPatterns, l[1], l.at(1), "load pattern");
            } else if (load.type == "Mode") {
                if (!IsModeNumber(name)) {
                    reader_.fail(l.at(1), "a \"Mode\" load names a mode number such as \"1\", found " + Quoted(name));
                }
            } else if (load.type == "Accel") {
                if (name != "UX" && name != "UY" && name != "UZ") {
                    reader_.fail(l.at(1), "an \"Accel\" load names the direction \"UX\", \"UY\" or \"UZ\", found " +
                                              Quoted(name));
                }
            } else {
                reader_.fail(l.at(0), "expected \"Load\", \"Mode\" or \"Accel\", found " + Quoted(load.type));
            }
            load.name = std::string(name);
            load.scale = l.number(2);
            c.loads.push_back(std::move(load));
        }
    }

    void dynamicCase(const Fields& f, LoadCase& c) {
        constexpr double inf = std::numeric_limits<double>::infinity();
        constexpr double tiny = std::numeric_limits<double>::min();
        f.require(lcase::output_steps);
        c.outputSteps = f.integer(lcase::output_steps, 1, kIntMax);
        f.require(lcase::step_size);
        c.stepSize = f.numberIn(lcase::step_size, 0.0, tiny, inf, "must be above 0");
        if (f.has(lcase::damping)) {
            const Fields d(reader_, f[lcase::damping], f.at(lcase::damping), lcase::dampingKeys, "a damping block");
            c.damping.code = d.integerOr(0, 1, 0, kIntMax);
            if (d.has(1)) {
                const auto v = reader_.numbers<2>(d[1], d.at(1));
                c.damping.value1 = v[0];
                c.damping.value2 = v[1];
            }
        }
        if (!f.has(lcase::loads)) return;
        const Loc loadsLoc = f.at(lcase::loads);
        std::size_t i = 0;
        for (dom::element le : f.array(lcase::loads)) {
            const Fields l(reader_, le, loadsLoc[i++], lcase::dynamicLoadKeys, "a load");
            NonlinearLoad load;
            l.require(0);
            load.type = std::string(reader_.text(l[0], l.at(0)));
            l.require(1);
            const std::string_view name = reader_.name(l[1], l.at(1));
            if (load.type == "Load") {
                resolve(m_.loadPatterns, l[1], l.at(1), "load pattern");
            } else if (load.type == "Accel") {
                if (name != "U1" && name != "U2" && name != "U3") {
                    reader_.fail(l.at(1), "an \"Accel\" load names the direction \"U1\", \"U2\" or \"U3\", found " +
                                              Quoted(name));
                }
                l.require(2);
            } else {
                reader_.fail(l.at(0), "expected \"Load\" or \"Accel\", found " + Quoted(load.type));
            }
            load.name = std::string(name);
            if (l.has(2)) {
                const std::uint32_t fun = resolve(m_.functions, l[2], l.at(2), "function");
                if (m_.functions[fun].type != 2) {
                    reader_.fail(l.at(2), "function " + Quoted(m_.functions[fun].name) +
                                              " is not a time-history function (type 2)");
                }
                load.function = m_.functions[fun].name;
            }
            load.scale = l.number(3);
            load.timeFactor = l.numberIn(4, 1.0, tiny, inf, "must be above 0");
            c.loads.push_back(std::move(load));
        }
    }

    static bool IsModeNumber(std::string_view s) {
        if (s.empty() || s.size() > 9 || s[0] == '0') return false;
        for (const char ch : s) {
            if (ch < '0' || ch > '9') return false;
        }
        return true;
    }

    // --- derived lists ----------------------------------------------------------
    void buildConnectivity() {
        const std::size_t n = m_.points.size();
        std::vector<std::uint32_t>& offsets = m_.connectivityOffsets;
        offsets.assign(n + 1, 0);
        for (const Frame& f : m_.frames.items) {
            ++offsets[f.i + 1];
            ++offsets[f.j + 1];
        }
        for (const std::uint32_t p : m_.areaCorners) ++offsets[p + 1];
        for (std::size_t p = 0; p < n; ++p) offsets[p + 1] += offsets[p];
        m_.connectivity.assign(offsets[n], 0);
        std::vector<std::uint32_t> cursor(offsets.begin(), offsets.end() - 1);
        // Frames first, then areas, each in host order: filling in that order keeps it.
        for (std::uint32_t f = 0; f < m_.frames.size(); ++f) {
            m_.connectivity[cursor[m_.frames[f].i]++] = f;
            m_.connectivity[cursor[m_.frames[f].j]++] = f;
        }
        for (std::uint32_t a = 0; a < m_.areas.size(); ++a) {
            const Slice c = m_.areas[a].corners;
            for (std::uint32_t k = 0; k < c.count; ++k) {
                m_.connectivity[cursor[m_.areaCorners[c.begin + k]]++] = DocumentModel::kAreaBit | a;
            }
        }
    }

    void buildPointConstraints() {
        const std::size_t n = m_.points.size();
        std::vector<std::uint32_t>& offsets = m_.pointConstraintOffsets;
        offsets.assign(n + 1, 0);
        for (const Constraint& c : m_.constraints.items) {
            for (const std::uint32_t p : c.points) ++offsets[p + 1];
        }
        for (std::size_t p = 0; p < n; ++p) offsets[p + 1] += offsets[p];
        m_.pointConstraints.assign(offsets[n], 0);
        std::vector<std::uint32_t> cursor(offsets.begin(), offsets.end() - 1);
        for (std::uint32_t c = 0; c < m_.constraints.size(); ++c) {
            for (const std::uint32_t p : m_.constraints[c].points) m_.pointConstraints[cursor[p]++] = c;
        }
    }

    Reader reader_;
    std::string baseFolder_;
    DocumentModel m_;
    NameIndex csysIndex_;
    std::uint32_t stampValue_ = 0;
    std::vector<std::uint32_t> pointStamp_, frameStamp_, areaStamp_;
};

}  // namespace

std::string ResolveDocumentPath(const std::string& baseFolder, const std::string& fileName) {
    const std::filesystem::path file(fileName);
    if (file.is_absolute() || file.has_root_directory() || baseFolder.empty() || baseFolder == ".") {
        return fileName;
    }
    return (std::filesystem::path(baseFolder) / file).string();
}

DocumentModel LoadModelDocument(const char* data, std::size_t size, bool hasPadding, const std::string& displayName,
                                const std::string& baseFolder) {
    dom::parser parser;
    dom::element root;
    const simdjson::error_code error = parser.parse(data, size, !hasPadding).get(root);
    if (error != simdjson::SUCCESS) {
        if (error == simdjson::CAPACITY) {
            throw DocumentError(displayName + ": (document): the document is larger than 4 GB");
        }
        if (error == simdjson::MEMALLOC) {
            throw DocumentError(displayName + ": (document): not enough memory to read the document");
        }
        const auto problem = FindJsonSyntaxProblem(std::string_view(data, size));
        if (problem && error != simdjson::UTF8_ERROR) {
            throw DocumentError(displayName + ": line " + std::to_string(problem->line) + ", column " +
                                std::to_string(problem->column) + ": not valid JSON: " + problem->reason);
        }
        throw DocumentError(displayName + ": (document): not valid JSON: " + simdjson::error_message(error));
    }
    Loader loader(displayName, baseFolder);
    return loader.run(root);
}

}  // namespace t2v::host::document
