#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/LeWriter.h"

namespace t2v::output {
namespace {

class MemoryFile : public platform::OutputFile {
public:
    bool write(const void* data, std::size_t size) override {
        const auto* b = static_cast<const std::uint8_t*>(data);
        bytes.insert(bytes.end(), b, b + size);
        return true;
    }
    bool close() override { return true; }
    bool commit() override { return true; }
    const std::string& error() const override { return none_; }
    const std::string& temporaryPath() const override { return none_; }
    std::vector<std::uint8_t> bytes;

private:
    std::string none_;
};

TEST(LeWriter, ARecordOfTheWrongLengthStopsTheFile) {
    MemoryFile file;
    LeWriter w(file);
    w.i16(7);  // something before the record: the check counts from the record's start
    const std::uint64_t start = w.offset();
    w.f32(1.0f);
    w.i16(2);
    EXPECT_NO_THROW(w.checkRecord(start, 6, "test item"));
    try {
        w.checkRecord(start, 8, "test item");
        FAIL() << "no error for a short record";
    } catch (const RecordSizeError& e) {
        EXPECT_NE(std::string(e.what()).find("test item record written with 6 bytes instead of 8"), std::string::npos);
    }
}

}  // namespace
}  // namespace t2v::output
