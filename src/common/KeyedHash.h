// A keyed hash for the indexes that take names from a model document.
//
// The names of a document are chosen by whoever wrote it. With an unkeyed hash anyone
// can compute names that all land in the same few slots of an index, and then every
// insert walks the whole cluster: 200,000 such names take minutes instead of a fraction
// of a second. SipHash with a key drawn when the process starts makes the slot of a
// name unpredictable from outside, so no document can be made to collide.
//
// The indexes answer the first object in table order for a name, never something that
// depends on where a name lies in the index, so the output does not depend on the key.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/LittleEndian.h"

namespace t2v::common {

struct HashKey {
    std::uint64_t k0 = 0;
    std::uint64_t k1 = 0;
};

// SipHash with `C` compression and `D` finalisation rounds over `bytes`.
template <int C, int D>
std::uint64_t SipHash(const HashKey& key, std::string_view bytes);

// SipHash-1-3 (short names, where the extra rounds of 2-4 would be most of the cost)
// under the process's key.
std::uint64_t KeyedHash(std::string_view bytes);

// The process's key: random, drawn once.
const HashKey& ProcessHashKey();

// For unordered containers keyed by names.
struct KeyedStringHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return static_cast<std::size_t>(KeyedHash(s)); }
};

// --- implementation ----------------------------------------------------------------

namespace detail {

inline std::uint64_t Rotl(std::uint64_t x, int b) { return (x << b) | (x >> (64 - b)); }

struct SipState {
    std::uint64_t v0, v1, v2, v3;
    void round() {
        v0 += v1;
        v1 = Rotl(v1, 13);
        v1 ^= v0;
        v0 = Rotl(v0, 32);
        v2 += v3;
        v3 = Rotl(v3, 16);
        v3 ^= v2;
        v0 += v3;
        v3 = Rotl(v3, 21);
        v3 ^= v0;
        v2 += v1;
        v1 = Rotl(v1, 17);
        v1 ^= v2;
        v2 = Rotl(v2, 32);
    }
};

}  // namespace detail

template <int C, int D>
std::uint64_t SipHash(const HashKey& key, std::string_view bytes) {
    detail::SipState s{key.k0 ^ 0x736f6d6570736575ull, key.k1 ^ 0x646f72616e646f6dull, key.k0 ^ 0x6c7967656e657261ull,
                       key.k1 ^ 0x7465646279746573ull};
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t n = bytes.size();
    const std::size_t whole = n & ~std::size_t{7};
    for (std::size_t i = 0; i < whole; i += 8) {
        const std::uint64_t m = LoadU64(p + i);
        s.v3 ^= m;
        for (int r = 0; r < C; ++r) s.round();
        s.v0 ^= m;
    }
    // The last 0 to 7 bytes, zero-padded to a word, with the length's low byte on top.
    std::uint8_t tail[8] = {};
    for (std::size_t i = whole; i < n; ++i) tail[i - whole] = p[i];
    const std::uint64_t last = LoadU64(tail) | (static_cast<std::uint64_t>(n & 0xFF) << 56);
    s.v3 ^= last;
    for (int r = 0; r < C; ++r) s.round();
    s.v0 ^= last;
    s.v2 ^= 0xFF;
    for (int r = 0; r < D; ++r) s.round();
    return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

inline std::uint64_t KeyedHash(std::string_view bytes) { return SipHash<1, 3>(ProcessHashKey(), bytes); }

}  // namespace t2v::common
