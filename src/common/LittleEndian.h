// Little-endian loads and stores of 16-, 32- and 64-bit values and of IEEE floats: the
// byte order of every structure file and earthquake record, whatever the host's order.
//
// Every encoder and decoder in the program goes through these, so the byte order is
// decided in one place. They sit on the hottest paths (a record field per call, millions
// of them in a large transfer), hence inline and branch-free. On a little-endian host a
// value already has the file's byte order in memory, and a fixed-size memcpy is the one
// form that every compiler turns into a single unaligned move at any optimisation level;
// the shift loop needs the optimiser to recognise the pattern and stays a loop in a debug
// build. The shift loop is kept for big-endian hosts and for constant evaluation, where
// memcpy is not allowed.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace t2v {

namespace le_detail {

template <class U>
constexpr void store(std::uint8_t* p, U v) {
    static_assert(std::is_unsigned_v<U>);
    if constexpr (std::endian::native == std::endian::little) {
        if (!std::is_constant_evaluated()) {
            std::memcpy(p, &v, sizeof(U));
            return;
        }
    }
    for (std::size_t i = 0; i < sizeof(U); ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

template <class U>
constexpr U load(const std::uint8_t* p) {
    static_assert(std::is_unsigned_v<U>);
    if constexpr (std::endian::native == std::endian::little) {
        if (!std::is_constant_evaluated()) {
            U v;
            std::memcpy(&v, p, sizeof(U));
            return v;
        }
    }
    U v = 0;
    for (std::size_t i = 0; i < sizeof(U); ++i) v = static_cast<U>(v | (static_cast<U>(p[i]) << (8 * i)));
    return v;
}

}  // namespace le_detail

constexpr void StoreU16(std::uint8_t* p, std::uint16_t v) { le_detail::store(p, v); }
constexpr void StoreU32(std::uint8_t* p, std::uint32_t v) { le_detail::store(p, v); }
constexpr void StoreU64(std::uint8_t* p, std::uint64_t v) { le_detail::store(p, v); }
// Signed values are stored in two's complement, cut to their width: an int holding a
// 16-bit field keeps its low 16 bits.
constexpr void StoreI16(std::uint8_t* p, int v) {
    StoreU16(p, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
}
constexpr void StoreI32(std::uint8_t* p, std::int32_t v) { StoreU32(p, static_cast<std::uint32_t>(v)); }
constexpr void StoreF32(std::uint8_t* p, float v) { StoreU32(p, std::bit_cast<std::uint32_t>(v)); }
constexpr void StoreF64(std::uint8_t* p, double v) { StoreU64(p, std::bit_cast<std::uint64_t>(v)); }

constexpr std::uint16_t LoadU16(const std::uint8_t* p) { return le_detail::load<std::uint16_t>(p); }
constexpr std::uint32_t LoadU32(const std::uint8_t* p) { return le_detail::load<std::uint32_t>(p); }
constexpr std::uint64_t LoadU64(const std::uint8_t* p) { return le_detail::load<std::uint64_t>(p); }
constexpr std::int16_t LoadI16(const std::uint8_t* p) { return static_cast<std::int16_t>(LoadU16(p)); }
constexpr std::int32_t LoadI32(const std::uint8_t* p) { return static_cast<std::int32_t>(LoadU32(p)); }
constexpr float LoadF32(const std::uint8_t* p) { return std::bit_cast<float>(LoadU32(p)); }
constexpr double LoadF64(const std::uint8_t* p) { return std::bit_cast<double>(LoadU64(p)); }

}  // namespace t2v
