// Little-endian byte building for hand-made structure files.
//   Bytes b; b.i16(0).i32(200).text("4.0", 8);
//   Rec r(84); r.i32(0, 1).f64(8, 1.5);   // a fixed-size record, fields by offset
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace t2v::decode::test {

class Bytes {
public:
    Bytes& u8(int v) {
        b_.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& i16(int v) { return le(static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2); }
    Bytes& i32(std::int64_t v) { return le(static_cast<std::uint32_t>(static_cast<std::int32_t>(v)), 4); }
    Bytes& f32(double v) {
        float f = static_cast<float>(v);
        std::uint32_t u;
        std::memcpy(&u, &f, 4);
        return le(u, 4);
    }
    Bytes& f64(double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        return le(u, 8);
    }
    // Blank-padded text of exactly n bytes.
    Bytes& text(std::string_view s, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) b_.push_back(static_cast<std::uint8_t>(i < s.size() ? s[i] : ' '));
        return *this;
    }
    Bytes& zeros(std::size_t n) {
        b_.insert(b_.end(), n, 0);
        return *this;
    }
    Bytes& tagged16(int v) { return i16(2).i16(v); }
    Bytes& put(const Bytes& other) {
        b_.insert(b_.end(), other.b_.begin(), other.b_.end());
        return *this;
    }
    template <class F>
    Bytes& repeat(int n, F f) {
        for (int i = 0; i < n; ++i) f(*this);
        return *this;
    }

    std::size_t size() const { return b_.size(); }
    std::vector<std::uint8_t>& data() { return b_; }
    const std::vector<std::uint8_t>& data() const { return b_; }

private:
    Bytes& le(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) b_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
    std::vector<std::uint8_t> b_;
};

// A record of fixed size, zero-filled, with fields placed at their offsets.
class Rec {
public:
    explicit Rec(std::size_t size) : b_(size, 0) {}
    Rec& u8(std::size_t at, int v) {
        b_.at(at) = static_cast<std::uint8_t>(v);
        return *this;
    }
    Rec& i16(std::size_t at, int v) { return le(at, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2); }
    Rec& i32(std::size_t at, std::int64_t v) {
        return le(at, static_cast<std::uint32_t>(static_cast<std::int32_t>(v)), 4);
    }
    Rec& f32(std::size_t at, double v) {
        float f = static_cast<float>(v);
        std::uint32_t u;
        std::memcpy(&u, &f, 4);
        return le(at, u, 4);
    }
    Rec& f64(std::size_t at, double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        return le(at, u, 8);
    }
    Rec& text(std::size_t at, std::string_view s, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) b_.at(at + i) = static_cast<std::uint8_t>(i < s.size() ? s[i] : ' ');
        return *this;
    }
    operator Bytes() const {
        Bytes out;
        for (auto c : b_) out.u8(c);
        return out;
    }

private:
    Rec& le(std::size_t at, std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) b_.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (8 * i));
        return *this;
    }
    std::vector<std::uint8_t> b_;
};

}  // namespace t2v::decode::test
