// Bad files fail with the file name, the byte offset and the reason, never with a
// crash or an absurd allocation.
#include <gtest/gtest.h>

#include "SampleStructure.h"
#include "decode/StructureReader.h"

namespace t2v::decode::test {
namespace {

// Decodes in memory and returns the error (fails the test when there is none).
DecodeError decodeError(const Bytes& b, std::string_view suffix, std::int64_t drifts = 0) {
    NullEmitter sink;
    DecodeOptions opts;
    opts.driftCount = drifts;
    try {
        StreamStructureBytes("VNTR" + std::string(suffix), b.data().data(), b.size(), suffix, sink, opts);
    } catch (const DecodeError& e) {
        return e;
    }
    ADD_FAILURE() << "no error for VNTR" << suffix;
    return DecodeError("", "");
}

// Offsets in the empty main file, worked out by hand.
constexpr std::size_t kNodeCount = 134;
constexpr std::size_t kMassCount = 234;
constexpr std::size_t kFrameCount = 260;
constexpr std::size_t kPerKindCounts = 320;
constexpr std::size_t kC37Count = 360 + 2 * 36;

TEST(DecodeFailure, ShortFileNamesFileAndOffset) {
    Bytes s = EmptyStructure()["S"];
    s.data().resize(140);  // inside the node counters: "last" starts at 138
    DecodeError e = decodeError(s, "S");
    EXPECT_EQ(e.file(), "VNTRS");
    EXPECT_EQ(e.offset(), 138u);
    EXPECT_STREQ(e.what(), "VNTRS: offset 138: file ends inside last (4 bytes needed, 2 left)");

    s = EmptyStructure()["S"];
    s.data().resize(500);  // inside the default end zone
    e = decodeError(s, "S");
    EXPECT_EQ(e.offset(), kC37Count);
    EXPECT_NE(std::string(e.what()).find("C37"), std::string::npos) << e.what();
}

TEST(DecodeFailure, BytesLeftOverAfterTheLastBlock) {
    Bytes s = EmptyStructure()["S"];
    s.u8(1).u8(2).u8(3);
    DecodeError e = decodeError(s, "S");
    EXPECT_EQ(e.offset(), 711u);
    EXPECT_EQ(e.reason(), "3 bytes left over after the last block");

    // Without the tail flag the tail section is not part of the file.
    s = EmptyStructure()["S"];
    s.setI16(96, 0);
    EXPECT_EQ(decodeError(s, "S").offset(), 697u);

    Bytes po = EmptyStructure()["PO"];
    po.u8(0);
    EXPECT_EQ(decodeError(po, "PO").offset(), 290u);
}

TEST(DecodeFailure, CountsAreGuardedBeforeAnythingIsRead) {
    Bytes s = EmptyStructure()["S"];
    s.setI32(kNodeCount, 0x7FFFFFFF);
    DecodeError e = decodeError(s, "S");
    EXPECT_EQ(e.offset(), kNodeCount);
    EXPECT_NE(e.reason().find("a node record: count 2147483647 x 84 bytes = 180388626348 bytes, only 565 left"),
              std::string::npos)
        << e.what();

    s.setI32(kNodeCount, -1);
    e = decodeError(s, "S");
    EXPECT_EQ(e.offset(), kNodeCount);
    EXPECT_NE(e.reason().find("count -1 is negative"), std::string::npos) << e.what();

    // A frame with absurd capacities: the membership matrix would be terabytes.
    s = EmptyStructure()["S"];
    s.setI32(kNodeCount + 8, 0x7FFFFFFF);  // node capacity
    std::vector<std::uint8_t>& d = s.data();
    d.insert(d.begin() + static_cast<std::ptrdiff_t>(kFrameCount + 4), 28, 0);  // one frame record
    s.setI16(kFrameCount, 1);
    s.setI16(kFrameCount + 2, 32000);
    e = decodeError(s, "S");
    EXPECT_NE(e.reason().find("frame-node membership matrix"), std::string::npos) << e.what();

    // More frames than matrix columns.
    s.setI16(kFrameCount + 2, 0);
    e = decodeError(s, "S");
    EXPECT_EQ(e.offset(), kFrameCount + 2);
    EXPECT_NE(e.reason().find("exceeds the frame capacity"), std::string::npos) << e.what();
}

TEST(DecodeFailure, TaggedValuesAndUnknownTables) {
    Bytes s = EmptyStructure()["S"];
    s.setI16(kMassCount, 3);
    DecodeError e = decodeError(s, "S");
    EXPECT_EQ(e.offset(), kMassCount);
    EXPECT_NE(e.reason().find("expected a tagged int16"), std::string::npos);

    s = EmptyStructure()["S"];
    s.setI16(kPerKindCounts + 4, 2);
    e = decodeError(s, "S");
    EXPECT_EQ(e.offset(), kPerKindCounts + 4);
    EXPECT_NE(e.reason().find("per-kind table 3"), std::string::npos);

    // An elastic shear material whose first slot has an unknown type code.
    Bytes bad = Preamble("X");
    bad.put(MainHeader());
    Bytes good = EmptyStructure()["S"];
    Bytes body;
    for (std::size_t i = 134; i < 360; ++i) body.u8(good.data()[i]);
    bad.put(body);
    std::map<int, Bytes> tables;
    tables[54] = Bytes().i16(1).zeros(62).i16(7).zeros(100);
    bad.put(ComponentSection(1, tables)).put(TailSection());
    e = decodeError(bad, "S");
    EXPECT_NE(e.reason().find("unknown tagged slot type code 7"), std::string::npos) << e.what();
}

TEST(DecodeFailure, MissingFileInTheFolder) {
    TempDir dir;
    StructureFiles files = EmptyStructure();
    files.erase("POF");
    WriteFolder(dir.path(), files);
    try {
        DecodeStructureFolder(dir.path());
        FAIL() << "no error";
    } catch (const DecodeError& e) {
        EXPECT_EQ(e.file(), dir.file("VNTRPOF"));
        EXPECT_NE(e.reason().find("cannot open"), std::string::npos);
    }
}

// Every prefix of every sample file is rejected with an offset inside the prefix, and
// no single corrupted byte makes the decoder crash, overrun or throw anything else.
TEST(DecodeFailure, TruncatedOrCorruptedFilesNeverCrash) {
    StructureFiles files = SampleStructure();
    for (const auto& [suffix, full] : files) {
        for (std::size_t n = 0; n < full.size(); ++n) {
            Bytes cut = full;
            cut.data().resize(n);
            DecodeError e = decodeError(cut, suffix, 2);
            ASSERT_LE(e.offset(), n) << suffix << " cut at " << n;
        }
        for (std::size_t i = 0; i < full.size(); ++i)
            for (std::uint8_t value : {std::uint8_t{0xFF}, std::uint8_t{0x01}}) {
                Bytes bad = full;
                bad.data()[i] = value;
                NullEmitter sink;
                DecodeOptions opts;
                opts.driftCount = 2;
                try {
                    StreamStructureBytes("VNTR" + suffix, bad.data().data(), bad.size(), suffix, sink, opts);
                } catch (const DecodeError&) {
                }
            }
    }
}

}  // namespace
}  // namespace t2v::decode::test
