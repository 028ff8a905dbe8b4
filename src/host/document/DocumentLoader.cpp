// Loading a model document: the text is indexed once by simdjson's On-Demand parser,
// then walked family by family, filling the tables of DocumentModel.
//
// The walk visits the families in the order their references need (load patterns and
// functions before the objects whose loads name them, points before frames, and so on),
// whatever order the keys have in the file. Every value is checked where it is read,
// and the first broken rule ends the load with the JSON location of the value.
#include "host/document/DocumentLoader.h"

#include "host/document/DocumentHost.h"
#include "host/document/JsonSyntax.h"

#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <span>

namespace t2v::host::document {
namespace {

namespace od = simdjson::ondemand;

// Functions generated from a few parameters (sine, trapezoid, ...) become point lists
// in the reader; a count beyond this is a typo, not a record, and would exhaust memory.
constexpr long long kMaxGeneratedPoints = 10'000'000;

// ---------------------------------------------------------------------------
// One item of a family (a point, a frame, ...) copied out of the parser as a small tree
// of values. The parser walks the text once, forward; the rules need to look at an
// object's keys in any order and to come back to a value for its message. Copying one
// item at a time keeps that freedom while the memory used stays that of one item,
// however large the document.
enum class Kind : std::uint8_t { Object, Array, Integer, Unsigned, Real, String, Boolean, Null };

struct Node {
    Kind kind = Kind::Null;
    bool flag = false;
    std::uint32_t count = 0;  // members of an object, items of an array
    std::uint32_t end = 0;    // position just past this value and everything inside it
    std::int64_t integer = 0;
    std::uint64_t unsignedValue = 0;
    double real = 0;
    std::string_view key;   // of an object member
    std::string_view text;  // of a string
};

// A value of the tree; objects and arrays iterate over their members in text order.
class Json {
public:
    Json() = default;
    Json(const Node* nodes, std::uint32_t at) : nodes_(nodes), at_(at) {}

    Kind kind() const { return node().kind; }
    bool isNumber() const { return kind() == Kind::Integer || kind() == Kind::Unsigned || kind() == Kind::Real; }
    std::int64_t integer() const { return node().integer; }
    std::uint64_t unsignedValue() const { return node().unsignedValue; }
    double real() const { return node().real; }
    double asDouble() const {
        switch (kind()) {
            case Kind::Integer: return static_cast<double>(node().integer);
            case Kind::Unsigned: return static_cast<double>(node().unsignedValue);
            default: return node().real;
        }
    }
    bool flag() const { return node().flag; }
    std::string_view text() const { return node().text; }
    std::string_view key() const { return node().key; }
    std::size_t size() const { return node().count; }

    class iterator {
    public:
        iterator(const Node* nodes, std::uint32_t at) : nodes_(nodes), at_(at) {}
        Json operator*() const { return Json(nodes_, at_); }
        iterator& operator++() {
            at_ = nodes_[at_].end;
            return *this;
        }
        bool operator!=(const iterator& other) const { return at_ != other.at_; }

    private:
        const Node* nodes_;
        std::uint32_t at_;
    };
    iterator begin() const { return iterator(nodes_, at_ + 1); }
    iterator end() const { return iterator(nodes_, node().end); }

private:
    const Node& node() const { return nodes_[at_]; }
    const Node* nodes_ = nullptr;
    std::uint32_t at_ = 0;
};

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

std::string Describe(Json e) {
    switch (e.kind()) {
        case Kind::Array: return "an array";
        case Kind::Object: return "an object";
        case Kind::Integer: return "the number " + std::to_string(e.integer());
        case Kind::Unsigned: return "the number " + std::to_string(e.unsignedValue());
        case Kind::Real: return "the number " + NumberText(e.real());
        case Kind::String: return "the string " + Quoted(e.text());
        case Kind::Boolean: return e.flag() ? "true" : "false";
        case Kind::Null: return "null";
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

    double number(Json e, const Loc& loc) const {
        switch (e.kind()) {
            case Kind::Integer: return static_cast<double>(e.integer());
            case Kind::Unsigned: return static_cast<double>(e.unsignedValue());
            case Kind::Real: {
                const double d = e.real();
                if (!std::isfinite(d)) fail(loc, "the number is not finite");
                return d;
            }
            default: fail(loc, "expected a number, found " + Describe(e));
        }
    }

    // A whole number (2 and 2.0 alike) in [lo, hi].
    int integer(Json e, const Loc& loc, long long lo, long long hi) const {
        long long v = 0;
        switch (e.kind()) {
            case Kind::Integer: v = e.integer(); break;
            case Kind::Unsigned: fail(loc, "must be " + RangeText(lo, hi) + ", found " + Describe(e));
            case Kind::Real: {
                const double d = e.real();
                if (!(d == std::floor(d))) fail(loc, "expected a whole number, found " + Describe(e));
                // A whole number written with a fraction or past 64 bits: too large either way.
                if (std::fabs(d) > 9.0e15) fail(loc, "must be " + RangeText(lo, hi) + ", found " + Describe(e));
                v = static_cast<long long>(d);
                break;
            }
            default: fail(loc, "expected a whole number, found " + Describe(e));
        }
        if (v < lo || v > hi) fail(loc, "must be " + RangeText(lo, hi) + ", found " + std::to_string(v));
        return static_cast<int>(v);
    }

    // true/false, or the numbers 0 and 1.
    bool boolean(Json e, const Loc& loc) const {
        if (e.kind() == Kind::Boolean) return e.flag();
        if (e.isNumber()) {
            const double d = e.asDouble();
            if (d == 0.0) return false;
            if (d == 1.0) return true;
        }
        fail(loc, "expected true, false, 0 or 1, found " + Describe(e));
    }

    std::string_view text(Json e, const Loc& loc) const {
        if (e.kind() != Kind::String) fail(loc, "expected a string, found " + Describe(e));
        return e.text();
    }

    // A name or a reference to one: not empty, no control characters (names end up in
    // fixed-length texts and file names).
    std::string_view name(Json e, const Loc& loc) const {
        const std::string_view s = text(e, loc);
        if (s.empty()) fail(loc, "a name may not be empty");
        for (const char c : s) {
            if (static_cast<unsigned char>(c) < 0x20) fail(loc, "a name may not hold control characters");
        }
        return s;
    }

    Json array(Json e, const Loc& loc) const {
        if (e.kind() != Kind::Array) fail(loc, "expected an array, found " + Describe(e));
        return e;
    }

    template <std::size_t N>
    std::array<double, N> numbers(Json e, const Loc& loc) const {
        const Json a = array(e, loc);
        if (a.size() != N) {
            fail(loc, "expected an array of " + std::to_string(N) + " numbers, found " +
                          std::to_string(a.size()) + (a.size() == 1 ? " item" : " items"));
        }
        std::array<double, N> out{};
        std::size_t i = 0;
        for (Json item : a) {
            out[i] = number(item, loc[i]);
            ++i;
        }
        return out;
    }

    // Six flags as bits 0..5.
    std::uint8_t flags6(Json e, const Loc& loc) const {
        const Json a = array(e, loc);
        if (a.size() != 6) {
            fail(loc, "expected an array of 6 flags, found " + std::to_string(a.size()) +
                          (a.size() == 1 ? " item" : " items"));
        }
        std::uint8_t bits = 0;
        std::size_t i = 0;
        for (Json item : a) {
            if (boolean(item, loc[i])) bits = static_cast<std::uint8_t>(bits | (1u << i));
            ++i;
        }
        return bits;
    }

    std::vector<double> numberList(Json e, const Loc& loc) const {
        const Json a = array(e, loc);
        std::vector<double> out;
        out.reserve(a.size());
        std::size_t i = 0;
        for (Json item : a) out.push_back(number(item, loc[i++]));
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

    Fields(const Reader& reader, Json e, const Loc& loc, std::span<const std::string_view> keys,
           const char* what)
        : reader_(reader), loc_(loc), keys_(keys), what_(what) {
        if (e.kind() != Kind::Object) {
            reader.fail(loc, std::string("expected ") + what + " (an object), found " + Describe(e));
        }
        for (const Json field : e) {
            const std::string_view key = field.key();
            std::size_t k = 0;
            while (k < keys_.size() && keys_[k] != key) ++k;
            if (k == keys_.size()) reader.fail(loc_ / key, "unknown key (" + keyList() + ")");
            if (has(k)) reader.fail(loc_ / keys_[k], "the key appears twice in the same object");
            present_ |= std::uint64_t{1} << k;
            values_[k] = field;
        }
    }

    bool has(std::size_t k) const { return (present_ >> k) & 1u; }
    Json operator[](std::size_t k) const { return values_[k]; }
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
    Json array(std::size_t k) const { return reader_.array(values_[k], at(k)); }

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
    std::array<Json, kMaxKeys> values_{};
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
    Loader(const std::string& displayName, const std::string& baseFolder, std::string_view text)
        : displayName_(displayName), reader_(displayName), baseFolder_(baseFolder), text_(text) {}

    DocumentModel run(od::document& doc) {
        const Loc rootLoc;
        const od::json_type rootType = take(doc.type(), rootLoc);
        if (rootType != od::json_type::object) {
            reader_.fail(rootLoc, std::string("expected a model document (an object), found ") + TypeName(rootType));
        }

        // First the keys alone, so that unknown and repeated keys are refused before
        // anything else; then each family, in the order their references need.
        std::uint64_t present = 0;
        {
            od::object root = take(doc.get_object(), rootLoc);
            for (auto member : root) {
                od::field field = take(std::move(member), rootLoc);
                std::string_view key;
                const bool plain = PlainString(field.key().raw(), key);
                if (!plain) key = take(field.unescaped_key(), rootLoc);
                std::size_t k = 0;
                while (k < std::size(top::keys) && top::keys[k] != key) ++k;
                if (k == std::size(top::keys)) {
                    reader_.fail(rootLoc / key, "unknown key (a model document has the keys " + KeyList(top::keys) + ")");
                }
                if ((present >> k) & 1u) reader_.fail(rootLoc / key, "the key appears twice in the same object");
                present |= std::uint64_t{1} << k;
                if (!plain) escapedKeys_ |= std::uint64_t{1} << k;
            }
            // Past the end of the top object there must be nothing left to read.
            const char* after = nullptr;
            if (doc.current_location().get(after) == simdjson::SUCCESS) {
                parserFailed(simdjson::TRAILING_CONTENT, rootLoc);
            }
        }
        auto has = [&](std::size_t k) { return ((present >> k) & 1u) != 0; };
        auto locOf = [&](std::size_t k) { return rootLoc / top::keys[k]; };

        if (!has(top::format)) reader_.fail(rootLoc, "key \"format\" is missing");
        {
            const Loc loc = locOf(top::format);
            const std::string_view format = reader_.text(single(doc, top::format, loc), loc);
            if (format != "tarvo-model") reader_.fail(loc, "expected \"tarvo-model\", found " + Quoted(format));
        }
        if (!has(top::version)) reader_.fail(rootLoc, "key \"version\" is missing");
        {
            const Loc loc = locOf(top::version);
            const int version = reader_.integer(single(doc, top::version, loc), loc, kIntMin, kIntMax);
            if (version != 1) {
                reader_.fail(loc, "version " + std::to_string(version) + " is not known; this program reads version 1");
            }
        }
        if (has(top::units)) {
            const Loc loc = locOf(top::units);
            m_.units = reader_.integer(single(doc, top::units, loc), loc, 1, 16);
        }

        // Referenced families first.
        const std::pair<std::size_t, void (Loader::*)(Items, const Loc&)> families[] = {
            {top::load_patterns, &Loader::loadPatterns}, {top::functions, &Loader::functions},
            {top::materials, &Loader::materials},         {top::frame_sections, &Loader::frameSections},
            {top::area_sections, &Loader::areaSections}, {top::points, &Loader::points},
            {top::constraints, &Loader::constraints},     {top::frames, &Loader::frames},
            {top::areas, &Loader::areas},                 {top::groups, &Loader::groups},
        };
        for (const auto& [k, read] : families) {
            if (!has(k)) continue;
            const Loc loc = locOf(k);
            (this->*read)(items(doc, k, loc), loc);
        }
        if (has(top::mass_source)) {
            const Loc loc = locOf(top::mass_source);
            massSource(single(doc, top::mass_source, loc), loc);
        }
        if (has(top::load_cases)) {
            const Loc loc = locOf(top::load_cases);
            loadCases(items(doc, top::load_cases, loc), loc);
        }

        buildConnectivity();
        buildPointConstraints();
        return std::move(m_);
    }

    // A failure the parser met while walking the text. Grammar faults are placed by
    // line and column; the others (a number out of range, ...) at the value reached.
    [[noreturn]] void parserFailed(simdjson::error_code error, const Loc& loc) const {
        if (error == simdjson::MEMALLOC) {
            throw DocumentError(displayName_ + ": (document): not enough memory to read the document");
        }
        if (const auto problem = FindJsonSyntaxProblem(text_)) {
            throw DocumentError(displayName_ + ": line " + std::to_string(problem->line) + ", column " +
                                std::to_string(problem->column) + ": not valid JSON: " + problem->reason);
        }
        if (error == simdjson::NUMBER_ERROR) reader_.fail(loc, "the number is malformed");
        reader_.fail(loc, std::string("not valid JSON: ") + simdjson::error_message(error));
    }

private:
    // The items of a family, each copied into the tree when the loop reaches it.
    class Items {
    public:
        Items(Loader& loader, od::array array, const Loc& loc, std::size_t count)
            : loader_(loader), array_(array), loc_(loc), count_(count) {}
        std::size_t size() const { return count_; }

        class iterator {
        public:
            iterator(Loader* loader, od::array_iterator at, od::array_iterator end, const Loc* loc)
                : loader_(loader), at_(at), end_(end), loc_(loc) {}
            Json operator*() {
                const Loc itemLoc = (*loc_)[index_];
                od::value value = loader_->take(*at_, itemLoc);
                return loader_->copy(value, itemLoc);
            }
            iterator& operator++() {
                ++at_;
                ++index_;
                return *this;
            }
            bool operator!=(const iterator& other) const { return at_ != other.at_; }

        private:
            Loader* loader_;
            od::array_iterator at_, end_;
            const Loc* loc_;
            std::size_t index_ = 0;
        };
        iterator begin() {
            od::array_iterator first = loader_.take(array_.begin(), loc_);
            od::array_iterator last = loader_.take(array_.end(), loc_);
            return iterator(&loader_, first, last, &loc_);
        }
        iterator end() {
            od::array_iterator last = loader_.take(array_.end(), loc_);
            return iterator(&loader_, last, last, &loc_);
        }

    private:
        Loader& loader_;
        od::array array_;
        const Loc& loc_;
        std::size_t count_;
    };

    template <class T>
    T take(simdjson::simdjson_result<T>&& result, const Loc& loc) const {
        T out{};
        const simdjson::error_code error = std::move(result).get(out);
        if (error != simdjson::SUCCESS) parserFailed(error, loc);
        return out;
    }

    static const char* TypeName(od::json_type type) {
        switch (type) {
            case od::json_type::array: return "an array";
            case od::json_type::object: return "an object";
            case od::json_type::number: return "a number";
            case od::json_type::string: return "a string";
            case od::json_type::boolean: return "a boolean";
            case od::json_type::null: return "null";
        }
        return "a value";
    }

    static std::string KeyList(std::span<const std::string_view> keys) {
        std::string out;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (i) out += ", ";
            out += keys[i];
        }
        return out;
    }

    // Most names and keys hold no escapes: they are used in place, in the document's
    // text, and only the others are unescaped. `start` is the first character after the
    // opening quote; the text is known to be valid JSON there, so the closing quote comes.
    static bool PlainString(const char* start, std::string_view& out) {
        const char* end = start;
        while (*end != '"' && *end != '\\') ++end;
        if (*end == '\\') return false;
        out = std::string_view(start, static_cast<std::size_t>(end - start));
        return true;
    }

    // The value of top-level key k. The parser finds keys by their text as written, so a
    // key written with escapes is found by walking the top object from its start.
    od::value seek(od::document& doc, std::size_t k, const Loc& loc) {
        if (!((escapedKeys_ >> k) & 1u)) return take(doc.find_field_unordered(top::keys[k]), loc);
        doc.rewind();
        od::object root = take(doc.get_object(), loc);
        for (auto member : root) {
            od::field field = take(std::move(member), loc);
            std::string_view key;
            if (!PlainString(field.key().raw(), key)) key = take(field.unescaped_key(), loc);
            if (key == top::keys[k]) return std::move(field).value();
        }
        parserFailed(simdjson::NO_SUCH_FIELD, loc);
    }

    // A top-level value copied whole (format, version, units, the mass source).
    Json single(od::document& doc, std::size_t k, const Loc& loc) {
        od::value value = seek(doc, k, loc);
        return copy(value, loc);
    }

    // A top-level family, read item by item.
    Items items(od::document& doc, std::size_t k, const Loc& loc) {
        od::value value = seek(doc, k, loc);
        const od::json_type type = take(value.type(), loc);
        if (type != od::json_type::array) {
            const Json copied = copy(value, loc);
            reader_.fail(loc, "expected an array, found " + Describe(copied));
        }
        od::array array = take(value.get_array(), loc);
        const std::size_t count = take(array.count_elements(), loc);
        return Items(*this, array, loc, count);
    }

    // Copies one value (and everything inside it) into the tree, replacing what the
    // tree held.
    Json copy(od::value& value, const Loc& loc) {
        tree_.clear();
        copyInto(value, loc, 0);
        return Json(tree_.data(), 0);
    }

    // The parser's own conversion is meant for numbers of ordinary length; longer ones
    // (hundreds of digits) are converted here.
    static constexpr std::size_t kLongNumber = 64;

    // A number the parser would not convert: an integer beyond 64 bits, a very long
    // number, or one beyond the range of a double. Whatever fits a double is kept as
    // one (the rules of its key then judge it); the rest is refused by name.
    double outsizedNumber(od::value& value, const Loc& loc) {
        std::string_view token = value.raw_json_token();
        while (!token.empty() && (token.back() == ' ' || token.back() == '\t' || token.back() == '\n' ||
                                  token.back() == '\r')) {
            token.remove_suffix(1);
        }
        if (!IsJsonNumber(token)) parserFailed(simdjson::NUMBER_ERROR, loc);
        double out = 0;
        const auto result = std::from_chars(token.data(), token.data() + token.size(), out);
        if (result.ptr == token.data() + token.size() && result.ec == std::errc() && std::isfinite(out)) return out;
        // Too small to tell from zero is zero, as the parser answers for short numbers.
        if (result.ec == std::errc::result_out_of_range && DecimalMagnitude(token) < 0) return 0.0;
        std::string shown(token.substr(0, 24));
        if (token.size() > 24) shown += "... (" + std::to_string(token.size()) + " characters)";
        reader_.fail(loc, "the number " + shown + " is out of range (numbers may reach about 1.8e308)");
    }

    // Roughly log10 of a well-formed number token: below 0 for magnitudes under 1.
    static long long DecimalMagnitude(std::string_view t) {
        std::size_t i = (!t.empty() && t[0] == '-') ? 1 : 0;
        long long magnitude = 0;
        bool nonzero = false;
        for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
            if (t[i] != '0') nonzero = true;
            if (nonzero) ++magnitude;
        }
        if (i < t.size() && t[i] == '.') {
            for (++i; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
                if (nonzero) break;
                if (t[i] != '0') nonzero = true;
                else --magnitude;
            }
            while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        }
        if (!nonzero) return -1;
        if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
            ++i;
            const bool negative = i < t.size() && t[i] == '-';
            if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
            long long exponent = 0;
            for (; i < t.size(); ++i) exponent = std::min<long long>(exponent * 10 + (t[i] - '0'), 1'000'000'000);
            magnitude += negative ? -exponent : exponent;
        }
        return magnitude;
    }

    // No value of the format is nested more than a few levels; a deeper one is refused
    // where it starts, so hostile nesting cannot exhaust the stack.
    static constexpr int kMaxNesting = 32;

    void copyInto(od::value& value, const Loc& loc, int depth) {
        const auto self = static_cast<std::uint32_t>(tree_.size());
        tree_.emplace_back();
        const od::json_type type = take(value.type(), loc);
        switch (type) {
            case od::json_type::object: {
                if (depth >= kMaxNesting) reader_.fail(loc, "values nested this deep have no place in a model document");
                tree_[self].kind = Kind::Object;
                od::object object = take(value.get_object(), loc);
                std::uint32_t count = 0;
                for (auto member : object) {
                    od::field field = take(std::move(member), loc);
                    std::string_view key;
                    if (!PlainString(field.key().raw(), key)) key = take(field.unescaped_key(), loc);
                    const Loc memberLoc = loc / key;
                    const auto child = static_cast<std::uint32_t>(tree_.size());
                    copyInto(field.value(), memberLoc, depth + 1);
                    tree_[child].key = key;
                    ++count;
                }
                tree_[self].count = count;
                break;
            }
            case od::json_type::array: {
                if (depth >= kMaxNesting) reader_.fail(loc, "values nested this deep have no place in a model document");
                tree_[self].kind = Kind::Array;
                od::array array = take(value.get_array(), loc);
                std::uint32_t count = 0;
                for (auto element : array) {
                    const Loc itemLoc = loc[count];
                    od::value item = take(std::move(element), itemLoc);
                    copyInto(item, itemLoc, depth + 1);
                    ++count;
                }
                tree_[self].count = count;
                break;
            }
            case od::json_type::number: {
                od::number_type numberType{};
                bool read = false;
                if (value.get_number_type().get(numberType) == simdjson::SUCCESS) {
                    switch (numberType) {
                        case od::number_type::signed_integer:
                            tree_[self].kind = Kind::Integer;
                            read = value.get_int64().get(tree_[self].integer) == simdjson::SUCCESS;
                            break;
                        case od::number_type::unsigned_integer:
                            tree_[self].kind = Kind::Unsigned;
                            read = value.get_uint64().get(tree_[self].unsignedValue) == simdjson::SUCCESS;
                            break;
                        case od::number_type::floating_point_number:
                            tree_[self].kind = Kind::Real;
                            read = value.raw_json_token().size() <= kLongNumber &&
                                   value.get_double().get(tree_[self].real) == simdjson::SUCCESS;
                            break;
                        default: break;  // an integer beyond 64 bits
                    }
                }
                if (!read) {
                    tree_[self].kind = Kind::Real;
                    tree_[self].real = outsizedNumber(value, loc);
                }
                break;
            }
            case od::json_type::string: {
                tree_[self].kind = Kind::String;
                const std::string_view token = value.raw_json_token();
                std::string_view text;
                if (!PlainString(token.data() + 1, text)) text = take(value.get_string(), loc);
                tree_[self].text = text;
                break;
            }
            case od::json_type::boolean:
                tree_[self].kind = Kind::Boolean;
                tree_[self].flag = take(value.get_bool(), loc);
                break;
            case od::json_type::null:
                tree_[self].kind = Kind::Null;
                if (!take(value.is_null(), loc)) parserFailed(simdjson::N_ATOM_ERROR, loc);
                break;
        }
        tree_[self].end = static_cast<std::uint32_t>(tree_.size());
    }

private:
    // --- names and references ---------------------------------------------------
    // Indexes a family just read; a name used twice is refused at its second use.
    template <class T>
    void indexNames(Family<T>& family, const Loc& loc, const char* what, std::string_view familyKey) {
        const auto [twice, first] = family.indexAppended();
        if (twice == kNoRef) return;
        const Loc itemLoc = loc[twice];
        reader_.fail(itemLoc / "name", std::string(what) + " name " + Quoted(family[twice].name) +
                                           " is already used by " + std::string(familyKey) + "[" +
                                           std::to_string(first) + "]");
    }

    template <class T>
    std::uint32_t resolve(const Family<T>& family, Json e, const Loc& loc, const char* what) const {
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
    std::vector<std::uint32_t> nameList(const Family<T>& family, Json a, const Loc& loc, const char* what,
                                        std::vector<std::uint32_t>& stamp) {
        ++stampValue_;
        if (stamp.size() < family.size()) stamp.resize(family.size(), 0);
        std::vector<std::uint32_t> out;
        out.reserve(a.size());
        std::size_t i = 0;
        for (Json item : a) {
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
    void loadPatterns(Items a, const Loc& loc) {
        m_.loadPatterns.reserve(a.size());
        std::size_t i = 0;
        for (Json e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, lpat::keys, "a load pattern");
            LoadPattern p;
            p.name = f.name(lpat::name);
            p.type = f.integerOr(lpat::type, 8);
            p.selfWeightMultiplier = f.numberOr(lpat::self_weight_multiplier, 0.0);
            m_.loadPatterns.append(std::move(p));
        }
        indexNames(m_.loadPatterns, loc, "load pattern", "load_patterns");
    }

    // --- functions --------------------------------------------------------------
    void functions(Items a, const Loc& loc) {
        m_.functions.reserve(a.size());
        std::size_t i = 0;
        for (Json e : a) {
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
            m_.functions.append(std::move(fun));
        }
        indexNames(m_.functions, loc, "function", "functions");
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
    void materials(Items a, const Loc& loc) {
        m_.materials.reserve(a.size() + 3);  // room for the typical materials a transfer adds
        std::size_t i = 0;
        for (Json e : a) {
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
                const Json curve = f.array(mat::stress_strain);
                m.hasCurve = true;
                m.strains.reserve(curve.size());
                m.stresses.reserve(curve.size());
                std::size_t p = 0;
                for (Json pair : curve) {
                    const Loc pairLoc = curveLoc[p++];
                    const Json xy = reader_.array(pair, pairLoc);
                    if (xy.size() != 2) {
                        reader_.fail(pairLoc, "expected [strain, stress], found " + std::to_string(xy.size()) +
                                                  (xy.size() == 1 ? " item" : " items"));
                    }
                    const auto values = reader_.numbers<2>(pair, pairLoc);
                    m.strains.push_back(values[0]);
                    m.stresses.push_back(values[1]);
                }
            }
            m_.materials.append(std::move(m));
        }
        indexNames(m_.materials, loc, "material", "materials");
    }

    std::array<double, 4> strengths(const Fields& f, std::size_t k, const char* what) const {
        const Fields b(reader_, f[k], f.at(k), mat::strengthKeys, what);
        return {b.numberOr(0, 0.0), b.numberOr(1, 0.0), b.numberOr(2, 0.0), b.numberOr(3, 0.0)};
    }

    // --- frame sections ---------------------------------------------------------
    void frameSections(Items a, const Loc& loc) {
        m_.frameSections.reserve(a.size());
        // Segments may name sections further down the list: they are resolved after all
        // names are known.
        std::vector<std::pair<std::size_t, std::vector<std::string_view>>> pendingSegments;
        std::size_t i = 0;
        for (Json e : a) {
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
                const Loc segLoc = f.at(fsec::segments);
                std::vector<std::string_view> names;
                std::size_t k = 0;
                for (const Json name : f.array(fsec::segments)) names.push_back(reader_.name(name, segLoc[k++]));
                pendingSegments.emplace_back(index, std::move(names));
            } else if (s.hasType && s.type == 14) {
                reader_.fail(itemLoc, "a variable section (type 14) needs its \"segments\"");
            }
            m_.frameSections.append(std::move(s));
        }
        indexNames(m_.frameSections, loc, "frame section", "frame_sections");
        for (const auto& [index, segments] : pendingSegments) {
            const Loc itemLoc = loc[index];
            const Loc segLoc = itemLoc / "segments";
            FrameSection& s = m_.frameSections[index];
            std::vector<std::uint32_t> list;
            list.reserve(segments.size());
            std::size_t k = 0;
            for (const std::string_view name : segments) {
                const std::uint32_t p = m_.frameSections.find(name);
                if (p == kNoRef) reader_.fail(segLoc[k], "frame section " + Quoted(name) + " does not exist");
                list.push_back(p);
                ++k;
            }
            if (s.hasType && s.type == 14 && list.empty()) {
                reader_.fail(segLoc, "a variable section (type 14) needs at least one segment");
            }
            s.segments = std::move(list);
        }
    }

    // --- area sections ----------------------------------------------------------
    void areaSections(Items a, const Loc& loc) {
        m_.areaSections.reserve(a.size());
        std::size_t i = 0;
        for (Json e : a) {
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
                const Json layers = f.array(asec::layers);
                if (layers.size() != 0 && s.shellType != 6) {
                    reader_.fail(layersLoc, "only a layered section (shell_type 6) has layers");
                }
                std::size_t k = 0;
                for (Json le : layers) {
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
            m_.areaSections.append(std::move(s));
        }
        indexNames(m_.areaSections, loc, "area section", "area_sections");
    }

    // --- points -----------------------------------------------------------------
    void points(Items a, const Loc& loc) {
        m_.points.reserve(a.size());
        std::size_t i = 0;
        for (Json e : a) {
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
                const Json loads = f.array(pt::loads);
                p.loads.begin = static_cast<std::uint32_t>(m_.pointLoads.size());
                std::size_t k = 0;
                for (Json le : loads) {
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
            m_.points.append(std::move(p));
        }
        indexNames(m_.points, loc, "point", "points");
    }

    // --- constraints ------------------------------------------------------------
    void constraints(Items a, const Loc& loc) {
        m_.constraints.reserve(a.size());
        std::size_t i = 0;
        for (Json e : a) {
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
            m_.constraints.append(std::move(c));
        }
        indexNames(m_.constraints, loc, "constraint", "constraints");
    }

    // --- frames -----------------------------------------------------------------
    void frames(Items a, const Loc& loc) {
        m_.frames.reserve(a.size());
        // End points are looked up a block of frames at a time (see NameIndex::findMany).
        std::vector<std::string_view> ends;
        ends.reserve(kLookupBlock + 2);
        std::size_t resolved = 0;  // frames whose ends are known
        std::size_t i = 0;
        for (Json e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, fr::keys, "a frame");
            Frame fm;
            fm.name = f.name(fr::name);
            f.require(fr::section);
            fm.section = resolve(m_.frameSections, f[fr::section], f.at(fr::section), "frame section");
            f.require(fr::i);
            ends.push_back(f.name(fr::i));
            f.require(fr::j);
            ends.push_back(f.name(fr::j));
            fm.angle = f.numberOr(fr::angle, 0.0);
            if (f.has(fr::releases)) {
                const Fields r(reader_, f[fr::releases], f.at(fr::releases), fr::releaseKeys, "a releases block");
                if (r.has(0)) fm.releaseI = reader_.flags6(r[0], r.at(0));
                if (r.has(1)) fm.releaseJ = reader_.flags6(r[1], r.at(1));
            }
            if (f.has(fr::hinges)) {
                const Loc hingesLoc = f.at(fr::hinges);
                const Json hinges = f.array(fr::hinges);
                fm.hinges.begin = static_cast<std::uint32_t>(m_.hinges.size());
                std::size_t k = 0;
                for (Json he : hinges) {
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
                const Json loads = f.array(fr::distributed_loads);
                fm.distributed.begin = static_cast<std::uint32_t>(m_.distributedLoads.size());
                std::size_t k = 0;
                for (Json le : loads) {
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
                const Json loads = f.array(fr::point_loads);
                fm.pointLoads.begin = static_cast<std::uint32_t>(m_.framePointLoads.size());
                std::size_t k = 0;
                for (Json le : loads) {
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
            m_.frames.append(std::move(fm));
            if (ends.size() >= kLookupBlock) resolveFrameEnds(ends, resolved, loc);
        }
        resolveFrameEnds(ends, resolved, loc);
        indexNames(m_.frames, loc, "frame", "frames");
    }

    static constexpr std::size_t kLookupBlock = 512;

    // Sets the ends of the frames from `first` on, whose point names are `ends` (two per
    // frame), and empties `ends`.
    void resolveFrameEnds(std::vector<std::string_view>& ends, std::size_t& first, const Loc& loc) {
        std::uint32_t found[kLookupBlock + 2];
        m_.points.findMany(ends, found);
        for (std::size_t k = 0; 2 * k < ends.size(); ++k) {
            const Loc itemLoc = loc[first + k];
            for (std::size_t end = 0; end < 2; ++end) {
                if (found[2 * k + end] == kNoRef) {
                    reader_.fail(itemLoc / fr::keys[end == 0 ? fr::i : fr::j],
                                 "point " + Quoted(ends[2 * k + end]) + " does not exist");
                }
            }
            Frame& fm = m_.frames[first + k];
            fm.i = found[2 * k];
            fm.j = found[2 * k + 1];
            if (fm.i == fm.j) reader_.fail(itemLoc / "j", "both ends of the frame are the same point");
        }
        first += ends.size() / 2;
        ends.clear();
    }

    // --- areas ------------------------------------------------------------------
    void areas(Items a, const Loc& loc) {
        m_.areas.reserve(a.size());
        // Corners are looked up a block of areas at a time (see NameIndex::findMany).
        std::vector<std::string_view> cornerNames;
        std::size_t resolved = 0;  // areas whose corners are known
        std::size_t i = 0;
        for (Json e : a) {
            const Loc itemLoc = loc[i++];
            const Fields f(reader_, e, itemLoc, ar::keys, "an area");
            Area ar;
            ar.name = f.name(ar::name);
            f.require(ar::section);
            ar.section = resolve(m_.areaSections, f[ar::section], f.at(ar::section), "area section");
            f.require(ar::points);
            {
                const Loc cornersLoc = f.at(ar::points);
                const Json corners = f.array(ar::points);
                if (corners.size() < 3) {
                    reader_.fail(cornersLoc, "an area needs at least 3 corner points, found " +
                                                 std::to_string(corners.size()));
                }
                ar.corners.begin = static_cast<std::uint32_t>(m_.areaCorners.size());
                std::size_t k = 0;
                for (const Json ce : corners) cornerNames.push_back(reader_.name(ce, cornersLoc[k++]));
                ar.corners.count = static_cast<std::uint32_t>(corners.size());
                m_.areaCorners.resize(m_.areaCorners.size() + corners.size(), kNoRef);
            }
            ar.massPerArea = f.numberOr(ar::mass_per_area, 0.0);
            if (f.has(ar::uniform_loads)) ar.uniform = areaLoads(f, ar::uniform_loads, false);
            if (f.has(ar::uniform_loads_to_frames)) ar.toFrames = areaLoads(f, ar::uniform_loads_to_frames, true);
            m_.areas.append(std::move(ar));
            if (cornerNames.size() >= kLookupBlock) resolveCorners(cornerNames, resolved, loc);
        }
        resolveCorners(cornerNames, resolved, loc);
        indexNames(m_.areas, loc, "area", "areas");
    }

    // Sets the corners of the areas from `first` on, whose point names are
    // `cornerNames` in order, and empties `cornerNames`.
    void resolveCorners(std::vector<std::string_view>& cornerNames, std::size_t& first, const Loc& loc) {
        if (cornerNames.empty()) return;
        const std::uint32_t base = m_.areas[first].corners.begin;
        m_.points.findMany(cornerNames, m_.areaCorners.data() + base);
        if (pointStamp_.size() < m_.points.size()) pointStamp_.resize(m_.points.size(), 0);
        for (; first < m_.areas.size(); ++first) {
            const Slice corners = m_.areas[first].corners;
            ++stampValue_;
            for (std::uint32_t c = 0; c < corners.count; ++c) {
                const std::uint32_t p = m_.areaCorners[corners.begin + c];
                if (p != kNoRef && pointStamp_[p] != stampValue_) {
                    pointStamp_[p] = stampValue_;
                    continue;
                }
                const Loc itemLoc = loc[first];
                const Loc cornersLoc = itemLoc / "points";
                if (p == kNoRef) {
                    reader_.fail(cornersLoc[c], "point " + Quoted(cornerNames[corners.begin - base + c]) +
                                                    " does not exist");
                }
                reader_.fail(cornersLoc[c], "point " + Quoted(m_.points[p].name) + " is a corner twice");
            }
        }
        cornerNames.clear();
    }

    Slice areaLoads(const Fields& f, std::size_t k, bool toFrames) {
        static constexpr std::span<const std::string_view> plainKeys{aload::keys, 4};
        const Loc loadsLoc = f.at(k);
        const Json loads = f.array(k);
        Slice slice;
        slice.begin = static_cast<std::uint32_t>(m_.areaLoads.size());
        std::size_t n = 0;
        for (Json le : loads) {
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
    void groups(Items a, const Loc& loc) {
        m_.groups.reserve(a.size());
        std::size_t i = 0;
        for (Json e : a) {
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
            m_.groups.append(std::move(g));
        }
        indexNames(m_.groups, loc, "group", "groups");
    }

    // --- mass source ------------------------------------------------------------
    void massSource(Json e, const Loc& loc) {
        const Fields f(reader_, e, loc, msrc::keys, "a mass source");
        m_.massSourceOption = f.integerOr(msrc::option, 1, 1, 3);
        if (!f.has(msrc::patterns)) return;
        const Loc listLoc = f.at(msrc::patterns);
        std::size_t i = 0;
        for (Json pe : f.array(msrc::patterns)) {
            const Fields p(reader_, pe, listLoc[i++], msrc::patternKeys, "a mass source pattern");
            p.require(0);
            m_.massSourcePatterns.push_back(resolve(m_.loadPatterns, p[0], p.at(0), "load pattern"));
            m_.massSourceScales.push_back(p.number(1));
        }
    }

    // --- load cases -------------------------------------------------------------
    void loadCases(Items a, const Loc& loc) {
        m_.loadCases.reserve(a.size());
        std::size_t i = 0;
        for (Json e : a) {
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
            m_.loadCases.append(std::move(c));
        }
        indexNames(m_.loadCases, loc, "load case", "load_cases");
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
        for (Json le : f.array(lcase::loads)) {
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
        for (Json le : f.array(lcase::loads)) {
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
        auto& offsets = m_.connectivityOffsets;
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
        auto& offsets = m_.pointConstraintOffsets;
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

    const std::string& displayName_;
    Reader reader_;
    std::string baseFolder_;
    std::string_view text_;
    std::vector<Node> tree_;
    std::uint64_t escapedKeys_ = 0;  // top-level keys written with escapes
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
    // The parser reads a little past the end of the text: a text without that room is
    // copied into a buffer that has it.
    LargeBuffer copied;
    if (!hasPadding) {
        copied = LargeBuffer(size, simdjson::SIMDJSON_PADDING);
        if (size != 0) std::memcpy(copied.data(), data, size);
        data = copied.data();
    }
    // Editors on Windows often start UTF-8 files with a byte-order mark; it says nothing
    // a JSON reader needs, so it is skipped (and positions count from after it).
    std::size_t skipped = 0;
    if (size >= 3 && static_cast<unsigned char>(data[0]) == 0xEF && static_cast<unsigned char>(data[1]) == 0xBB &&
        static_cast<unsigned char>(data[2]) == 0xBF) {
        skipped = 3;
        data += 3;
        size -= 3;
    }
    const std::string_view text(data, size);
    Loader loader(displayName, baseFolder, text);
    od::parser parser;
    od::document doc;
    const simdjson::error_code error =
        parser.iterate(simdjson::padded_string_view(data, size, size + simdjson::SIMDJSON_PADDING)).get(doc);
    if (error == simdjson::CAPACITY) {
        throw DocumentError(displayName + ": (document): the document is larger than 4 GB");
    }
    if (error == simdjson::UTF8_ERROR) {
        if (const auto problem = FindUtf8Problem(text)) {
            throw DocumentError(displayName + ": line " + std::to_string(problem->line) + ", column " +
                                std::to_string(problem->column) + " (byte offset " +
                                std::to_string(problem->offset + skipped) + "): not valid JSON: " + problem->reason);
        }
        throw DocumentError(displayName + ": (document): not valid JSON: the text is not valid UTF-8");
    }
    if (error != simdjson::SUCCESS) loader.parserFailed(error, Loc{});
    return loader.run(doc);
}

}  // namespace t2v::host::document
