// Reading checked values out of the loader's JSON copy: one reader per kind of value,
// and one object's fields against the keys it may have. Private to the loader.
#pragma once

#include "host/document/DocumentHost.h"
#include "host/document/LoaderJson.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace t2v::host::document::detail {

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
            case Kind::Integer:
                return static_cast<double>(e.integer());
            case Kind::Unsigned:
                return static_cast<double>(e.unsignedValue());
            case Kind::Real: {
                const double d = e.real();
                if (!std::isfinite(d)) fail(loc, "the number is not finite");
                return d;
            }
            default:
                fail(loc, "expected a number, found " + Describe(e));
        }
    }

    // A whole number (2 and 2.0 alike) in [lo, hi].
    int integer(Json e, const Loc& loc, long long lo, long long hi) const {
        long long v = 0;
        switch (e.kind()) {
            case Kind::Integer:
                v = e.integer();
                break;
            case Kind::Unsigned:
                fail(loc, "must be " + RangeText(lo, hi) + ", found " + Describe(e));
            case Kind::Real: {
                const double d = e.real();
                if (!(d == std::floor(d))) fail(loc, "expected a whole number, found " + Describe(e));
                // A whole number written with a fraction or past 64 bits: too large either way.
                if (std::fabs(d) > 9.0e15) fail(loc, "must be " + RangeText(lo, hi) + ", found " + Describe(e));
                v = static_cast<long long>(d);
                break;
            }
            default:
                fail(loc, "expected a whole number, found " + Describe(e));
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
            fail(loc, "expected an array of " + std::to_string(N) + " numbers, found " + std::to_string(a.size()) +
                          (a.size() == 1 ? " item" : " items"));
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

    Fields(const Reader& reader, Json e, const Loc& loc, std::span<const std::string_view> keys, const char* what)
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

}  // namespace t2v::host::document::detail
