#include <gtest/gtest.h>

#include <string>

#include "common/KeyedHash.h"

namespace t2v {
namespace {

// The reference vectors of SipHash-2-4 (key 00..0f, message 00..n-1) pin the rounds,
// the constants, the tail and the length byte that the 1-3 variant shares.
TEST(KeyedHash, SipHashMatchesTheReferenceVectors) {
    const common::HashKey key{0x0706050403020100ull, 0x0f0e0d0c0b0a0908ull};
    std::string message;
    EXPECT_EQ((common::SipHash<2, 4>(key, message)), 0x726fdb47dd0e0e31ull);
    for (char c = 0; c < 15; ++c) message += c;
    EXPECT_EQ((common::SipHash<2, 4>(key, message)), 0xa129ca6149be45e5ull);
}

TEST(KeyedHash, StableWithinTheProcessAndDependsOnTheKey) {
    EXPECT_EQ(common::KeyedHash("P1_2_3"), common::KeyedHash(std::string("P1_2_3")));
    EXPECT_NE(common::KeyedHash("P1_2_3"), common::KeyedHash("P1_2_4"));
    const common::HashKey a{1, 2}, b{1, 3};
    EXPECT_NE((common::SipHash<1, 3>(a, "COL")), (common::SipHash<1, 3>(b, "COL")));
}

}  // namespace
}  // namespace t2v
