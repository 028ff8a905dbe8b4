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

#include "common/LittleEndian.h"
#include "common/Text.h"

namespace t2v {

class RecordView {
public:
    RecordView(std::uint8_t* bytes, std::size_t size) : p_(bytes), n_(size) {}

    void u8(std::size_t off, int v) { at(off, 1)[0] = static_cast<std::uint8_t>(v); }
    void i16(std::size_t off, int v) { StoreI16(at(off, 2), v); }
    void i32(std::size_t off, std::int32_t v) { StoreI32(at(off, 4), v); }
    void f32(std::size_t off, double v) { StoreF32(at(off, 4), static_cast<float>(v)); }
    void f64(std::size_t off, double v) { StoreF64(at(off, 8), v); }
    // Blank-padded single-byte text of `length` bytes (UTF-8 in, code page out).
    void text(std::size_t off, std::size_t length, std::string_view utf8) {
        std::string bytes = fixedText(utf8, length);
        std::memcpy(at(off, length), bytes.data(), length);
    }

    std::int16_t getI16(std::size_t off) const { return LoadI16(p_ + check(off, 2)); }
    std::int32_t getI32(std::size_t off) const { return LoadI32(p_ + check(off, 4)); }
    std::uint8_t getU8(std::size_t off) const { return p_[check(off, 1)]; }
    float getF32(std::size_t off) const { return LoadF32(p_ + check(off, 4)); }

    std::uint8_t* data() { return p_; }
    std::size_t size() const { return n_; }

private:
    std::size_t check(std::size_t off, std::size_t w) const {
        if (off + w > n_) throw std::logic_error("record field outside its record");
        return off;
    }
    std::uint8_t* at(std::size_t off, std::size_t w) { return p_ + check(off, w); }

    std::uint8_t* p_;
    std::size_t n_;
};

}  // namespace t2v
