// Fixed-size binary records held in their file layout.
//
// The store keeps every record as the exact bytes the structure file carries, so the
// writer streams them unchanged and memory equals output size. Fields are set through
// RecordView at named offsets, always little-endian, never by copying a C++ struct.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "common/Text.h"

namespace t2v {

class RecordView {
public:
    RecordView(std::uint8_t* bytes, std::size_t size) : p_(bytes), n_(size) {}

    void u8(std::size_t off, int v) { at(off, 1)[0] = static_cast<std::uint8_t>(v); }
    void i16(std::size_t off, int v) { le(off, static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    void i32(std::size_t off, std::int32_t v) { le(off, static_cast<std::uint32_t>(v)); }
    void f32(std::size_t off, double v) {
        float f = static_cast<float>(v);
        std::uint32_t u;
        std::memcpy(&u, &f, 4);
        le(off, u);
    }
    void f64(std::size_t off, double v) {
        std::uint64_t u;
        std::memcpy(&u, &v, 8);
        le(off, u);
    }
    // Blank-padded single-byte text of `length` bytes (UTF-8 in, code page out).
    void text(std::size_t off, std::size_t length, std::string_view utf8) {
        std::string bytes = fixedText(utf8, length);
        std::memcpy(at(off, length), bytes.data(), length);
    }

    std::int16_t getI16(std::size_t off) const { return static_cast<std::int16_t>(get<std::uint16_t>(off)); }
    std::int32_t getI32(std::size_t off) const { return static_cast<std::int32_t>(get<std::uint32_t>(off)); }
    std::uint8_t getU8(std::size_t off) const { return p_[check(off, 1)]; }
    float getF32(std::size_t off) const {
        std::uint32_t u = get<std::uint32_t>(off);
        float f;
        std::memcpy(&f, &u, 4);
        return f;
    }

    std::uint8_t* data() { return p_; }
    std::size_t size() const { return n_; }

private:
    std::size_t check(std::size_t off, std::size_t w) const {
        if (off + w > n_) throw std::logic_error("record field outside its record");
        return off;
    }
    std::uint8_t* at(std::size_t off, std::size_t w) { return p_ + check(off, w); }
    template <class U>
    void le(std::size_t off, U v) {
        std::uint8_t* q = at(off, sizeof(U));
        for (std::size_t i = 0; i < sizeof(U); ++i) q[i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    template <class U>
    U get(std::size_t off) const {
        const std::uint8_t* q = p_ + check(off, sizeof(U));
        U v = 0;
        for (std::size_t i = 0; i < sizeof(U); ++i) v = static_cast<U>(v | (static_cast<U>(q[i]) << (8 * i)));
        return v;
    }

    std::uint8_t* p_;
    std::size_t n_;
};

}  // namespace t2v
