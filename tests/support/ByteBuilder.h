// Little-endian bytes built by hand, for the expected contents of records and files.
//   Bytes b; b.i16(0).i32(200).text("4.0", 8);
//   Rec r(84); r.i32(0, 1).f64(8, 1.5);   // a fixed-size record, fields by offset
//
// This is the tests' own encoder and deliberately shares nothing with the program's:
// expected bytes worked out through the same code as the output would agree with it
// even when both are wrong.
#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace t2v::test {

namespace bytes_detail {

// Writes the low `n` bytes of `v`, least significant first, at `at` in `b`.
inline void putLe(std::vector<std::uint8_t>& b, std::size_t at, std::uint64_t v, std::size_t n) {
    if (at + n > b.size()) throw std::out_of_range("expected bytes: field outside the buffer");
    for (std::size_t i = 0; i < n; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline std::uint64_t bitsF32(double v) {
    const float f = static_cast<float>(v);
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    return u;
}
inline std::uint64_t bitsF64(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    return u;
}
// Two's complement cut to the field's width, as the files store a signed value.
inline std::uint64_t bitsI16(std::int64_t v) { return static_cast<std::uint16_t>(v); }
inline std::uint64_t bitsI32(std::int64_t v) { return static_cast<std::uint32_t>(v); }

}  // namespace bytes_detail

// Bytes appended front to back.
class Bytes {
public:
    Bytes& u8(int v) {
        b_.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& i16(std::int64_t v) { return le(bytes_detail::bitsI16(v), 2); }
    Bytes& i32(std::int64_t v) { return le(bytes_detail::bitsI32(v), 4); }
    Bytes& f32(double v) { return le(bytes_detail::bitsF32(v), 4); }
    Bytes& f64(double v) { return le(bytes_detail::bitsF64(v), 8); }
    // Blank-padded text of exactly n bytes, cut when longer.
    Bytes& text(std::string_view s, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) b_.push_back(static_cast<std::uint8_t>(i < s.size() ? s[i] : ' '));
        return *this;
    }
    Bytes& zeros(std::size_t n) {
        b_.insert(b_.end(), n, 0);
        return *this;
    }
    // A value that carries its own 16-bit type code (2 = int16).
    Bytes& tagged16(int v) { return i16(2).i16(v); }
    Bytes& put(const Bytes& other) { return append(other.b_); }
    Bytes& append(const std::vector<std::uint8_t>& other) {
        b_.insert(b_.end(), other.begin(), other.end());
        return *this;
    }
    template <class F>
    Bytes& repeat(int n, F f) {
        for (int i = 0; i < n; ++i) f(*this);
        return *this;
    }

    // Overwrite a value already in place, to damage a good file on purpose.
    Bytes& setI16(std::size_t at, std::int64_t v) {
        bytes_detail::putLe(b_, at, bytes_detail::bitsI16(v), 2);
        return *this;
    }
    Bytes& setI32(std::size_t at, std::int64_t v) {
        bytes_detail::putLe(b_, at, bytes_detail::bitsI32(v), 4);
        return *this;
    }

    std::size_t size() const { return b_.size(); }
    std::vector<std::uint8_t>& data() { return b_; }
    const std::vector<std::uint8_t>& data() const { return b_; }

private:
    Bytes& le(std::uint64_t v, std::size_t n) {
        b_.resize(b_.size() + n);
        bytes_detail::putLe(b_, b_.size() - n, v, n);
        return *this;
    }
    std::vector<std::uint8_t> b_;
};

// A record of fixed size, zero-filled, with fields placed at their offsets. A field
// outside the record throws, so a wrong offset in a test fails instead of growing it.
class Rec {
public:
    explicit Rec(std::size_t size) : b_(size, 0) {}
    Rec& u8(std::size_t at, int v) {
        bytes_detail::putLe(b_, at, static_cast<std::uint8_t>(v), 1);
        return *this;
    }
    Rec& i16(std::size_t at, std::int64_t v) { return le(at, bytes_detail::bitsI16(v), 2); }
    Rec& i32(std::size_t at, std::int64_t v) { return le(at, bytes_detail::bitsI32(v), 4); }
    Rec& f32(std::size_t at, double v) { return le(at, bytes_detail::bitsF32(v), 4); }
    Rec& f64(std::size_t at, double v) { return le(at, bytes_detail::bitsF64(v), 8); }
    // Blank-padded text of exactly n bytes at `at`, cut when longer.
    Rec& text(std::size_t at, std::string_view s, std::size_t n) {
        if (at + n > b_.size()) throw std::out_of_range("expected bytes: text outside the record");
        for (std::size_t i = 0; i < n; ++i) b_[at + i] = static_cast<std::uint8_t>(i < s.size() ? s[i] : ' ');
        return *this;
    }

    std::size_t size() const { return b_.size(); }
    const std::vector<std::uint8_t>& data() const { return b_; }
    operator Bytes() const {
        Bytes out;
        out.append(b_);
        return out;
    }

private:
    Rec& le(std::size_t at, std::uint64_t v, std::size_t n) {
        bytes_detail::putLe(b_, at, v, n);
        return *this;
    }
    std::vector<std::uint8_t> b_;
};

}  // namespace t2v::test
