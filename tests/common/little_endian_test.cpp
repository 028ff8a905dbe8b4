// The byte order every file is written and read in. The expected bytes are the tests'
// own, so a host whose order or float layout differs from the files' fails here first.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "common/LittleEndian.h"
#include "support/ByteBuilder.h"

namespace t2v {
namespace {

using test::Bytes;

template <std::size_t N, class F>
std::vector<std::uint8_t> stored(F store) {
    std::array<std::uint8_t, N> b{};
    store(b.data());
    return {b.begin(), b.end()};
}

// The running program takes the fast path; the compile-time evaluation below takes the
// portable one. Both must give the file's bytes.
TEST(LittleEndian, StoresTheFilesByteOrder) {
    EXPECT_EQ(stored<2>([](std::uint8_t* p) { StoreU16(p, 0x1234); }), Bytes().u8(0x34).u8(0x12).data());
    EXPECT_EQ(stored<4>([](std::uint8_t* p) { StoreU32(p, 0x89ABCDEFu); }), Bytes().i32(0x89ABCDEF).data());
    EXPECT_EQ(stored<8>([](std::uint8_t* p) { StoreU64(p, 0x0102030405060708ull); }),
              Bytes().i32(0x05060708).i32(0x01020304).data());
    // Signed values in two's complement, cut to the field's width.
    EXPECT_EQ(stored<2>([](std::uint8_t* p) { StoreI16(p, -2); }), Bytes().u8(0xFE).u8(0xFF).data());
    EXPECT_EQ(stored<2>([](std::uint8_t* p) { StoreI16(p, 0x12345); }), Bytes().u8(0x45).u8(0x23).data());
    EXPECT_EQ(stored<4>([](std::uint8_t* p) { StoreI32(p, std::numeric_limits<std::int32_t>::min()); }),
              Bytes().zeros(3).u8(0x80).data());
    // IEEE single and double, as the files hold them.
    EXPECT_EQ(stored<4>([](std::uint8_t* p) { StoreF32(p, 1.0f); }), Bytes().zeros(2).u8(0x80).u8(0x3F).data());
    EXPECT_EQ(stored<8>([](std::uint8_t* p) { StoreF64(p, -2.5); }), Bytes().zeros(6).u8(0x04).u8(0xC0).data());
}

TEST(LittleEndian, LoadsWhatItStores) {
    const Bytes b = Bytes().i16(-300).i32(-70000).f32(0.1).f64(-1e300).u8(0xFF);
    const std::uint8_t* p = b.data().data();
    EXPECT_EQ(LoadI16(p), -300);
    EXPECT_EQ(LoadU16(p), 0xFED4);
    EXPECT_EQ(LoadI32(p + 2), -70000);
    EXPECT_EQ(LoadF32(p + 6), 0.1f);
    EXPECT_EQ(LoadF64(p + 10), -1e300);
    EXPECT_EQ(LoadU64(p + 10), LoadU32(p + 10) | (std::uint64_t{LoadU32(p + 14)} << 32));
    // Unaligned and at the very end of a buffer: only the value's own bytes are read.
    EXPECT_EQ(LoadU16(p + 17), 0xFFFE);
}

constexpr std::uint32_t roundTrip(std::uint32_t v) {
    std::array<std::uint8_t, 4> b{};
    StoreU32(b.data(), v);
    return b[0] == (v & 0xFFu) && b[3] == (v >> 24) ? LoadU32(b.data()) : 0;
}
static_assert(roundTrip(0xA1B2C3D4u) == 0xA1B2C3D4u);
static_assert(LoadF64(std::array<std::uint8_t, 8>{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}.data()) == 1.0);

}  // namespace
}  // namespace t2v
