#include <gtest/gtest.h>

#include "common/Record.h"
#include "common/Text.h"
#include "common/Units.h"

namespace t2v {
namespace {

TEST(MakeVantraName, PrefixAndTrimmedLabelOrIndexPlusOne) {
    EXPECT_EQ(MakeVantraName("XecBmS-", "  W14X90 ", 0), "XecBmS-W14X90");
    // 7 + 33 = 40 characters still fit; 41 fall back to the index + 1.
    EXPECT_EQ(MakeVantraName("XecBmS-", std::string(33, 'a'), 0), "XecBmS-" + std::string(33, 'a'));
    EXPECT_EQ(MakeVantraName("XecBmS-", std::string(34, 'a'), 0), "XecBmS-1");
    EXPECT_EQ(MakeVantraName("MatIneShearConc-", std::string(30, 'c'), 4), "MatIneShearConc-5");
    EXPECT_EQ(MakeVantraName("", "Diaphragm 1", 7), "Diaphragm 1");
    // Characters, not bytes, count: 40 accented letters fit.
    std::string accented;
    for (int i = 0; i < 40; ++i) accented += "\xC3\xA9";  // U+00E9
    EXPECT_EQ(MakeVantraName("", accented, 0), accented);
}

TEST(CodePage, Windows1252WithQuestionMarkForTheRest) {
    EXPECT_EQ(toCp1252("Plain"), "Plain");
    EXPECT_EQ(toCp1252("\xC3\xA9"), "\xE9");      // é
    EXPECT_EQ(toCp1252("\xE2\x82\xAC"), "\x80");  // euro sign
    EXPECT_EQ(toCp1252("\xE6\xA2\x81"), "?");     // a CJK character
    EXPECT_EQ(toCp1252("a\xFF"
                       "b"),
              "a?b");  // malformed byte
    EXPECT_EQ(fixedText("\xC3\xA9t\xC3\xA9", 5), "\xE9t\xE9  ");
    EXPECT_EQ(fixedText("abcdefgh", 4), "abcd");
    // And back, as names are read out of a filled store.
    EXPECT_EQ(fromCp1252("Plain \xE9\x80"), "Plain \xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(fromCp1252("\x81\x9D"), "\xC2\x81\xC2\x9D");  // unassigned: the C1 control of that number
    EXPECT_EQ(toCp1252("\xC2\x81"), "?");                   // but a label never writes one
}

TEST(RecordView, LittleEndianFieldsAtOffsets) {
    std::array<std::uint8_t, 16> b{};
    RecordView r(b.data(), b.size());
    r.i16(0, -3);
    r.i32(2, 0x01020304);
    r.f32(6, 1.0);
    r.text(10, 4, "ab");
    EXPECT_EQ(b[0], 0xFD);
    EXPECT_EQ(b[1], 0xFF);
    EXPECT_EQ(b[2], 0x04);
    EXPECT_EQ(b[5], 0x01);
    EXPECT_EQ(b[9], 0x3F);  // 1.0f = 0x3F800000
    EXPECT_EQ(std::string(b.begin() + 10, b.begin() + 14), "ab  ");
    EXPECT_EQ(r.getI16(0), -3);
    EXPECT_THROW(r.i32(14, 1), std::logic_error);
}

TEST(Units, HostCodesToUnitsAndGravity) {
    struct Row {
        int code, force, length;
        float g;
    };
    const Row rows[] = {{1, 1, 0, 386.4f},  {2, 1, 1, 32.2f},   {3, 0, 0, 386.4f},   {4, 0, 1, 32.2f},
                        {5, 3, 2, 9814.6f}, {6, 3, 4, 9.81f},   {7, 4, 2, 9814.56f}, {8, 4, 4, 9.81f},
                        {9, 2, 2, 9814.6f}, {10, 2, 4, 9.81f},  {11, 5, 2, 9814.6f}, {12, 5, 4, 9.81f},
                        {13, 3, 3, 981.4f}, {14, 4, 3, 981.4f}, {15, 2, 3, 981.4f},  {16, 1, 3, 981.4f},
                        {0, 3, 4, 9.81f},   {17, 3, 4, 9.81f},  {-5, 3, 4, 9.81f}};
    for (const Row& r : rows) {
        Units u = UnitsForHostCode(r.code);
        EXPECT_EQ(u.ForceUnit, r.force) << r.code;
        EXPECT_EQ(u.LengthUnit, r.length) << r.code;
        EXPECT_EQ(u.Gravity, r.g) << r.code;
    }
    // Code 7 keeps its own constant, a different single from the 9814.6 of codes 5, 9, 11.
    EXPECT_NE(UnitsForHostCode(7).Gravity, UnitsForHostCode(5).Gravity);
}

}  // namespace
}  // namespace t2v
