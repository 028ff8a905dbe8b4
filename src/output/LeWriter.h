// A typed little-endian writer over one output file.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/LittleEndian.h"
#include "common/Text.h"
#include "platform/Platform.h"

namespace t2v::output {

// A record whose written length differs from its layout's size: a fault of this program.
class RecordSizeError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class LeWriter {
public:
    explicit LeWriter(platform::OutputFile& file) : file_(file) { buf_.reserve(kChunk + 4096); }
    ~LeWriter() = default;
    LeWriter(const LeWriter&) = delete;
    LeWriter& operator=(const LeWriter&) = delete;

    void u8(int v) { put(static_cast<std::uint8_t>(v)); }
    void i16(int v) {
        std::uint8_t b[2];
        StoreI16(b, v);
        field(b);
    }
    void i32(std::int32_t v) {
        std::uint8_t b[4];
        StoreI32(b, v);
        field(b);
    }
    void f32(float v) {
        std::uint8_t b[4];
        StoreF32(b, v);
        field(b);
    }
    void f64(double v) {
        std::uint8_t b[8];
        StoreF64(b, v);
        field(b);
    }
    // Blank-padded single-byte text of exactly `length` bytes.
    void text(std::string_view utf8, std::size_t length) {
        std::string t = fixedText(utf8, length);
        bytes(t.data(), t.size());
    }
    // A value that carries its own 16-bit type code (2 = int16).
    void taggedI16(int v) {
        i16(2);
        i16(v);
    }
    void zeros(std::size_t n) {
        while (n > 0) {
            std::size_t k = std::min(n, kChunk);
            buf_.insert(buf_.end(), k, 0);
            n -= k;
            spill();
        }
    }
    void bytes(const void* p, std::size_t n) {
        if (n >= kChunk) {
            flush();
            ok_ = ok_ && file_.write(p, n);
            written_ += n;
            return;
        }
        const auto* b = static_cast<const std::uint8_t*>(p);
        buf_.insert(buf_.end(), b, b + n);
        spill();
    }
    void bytes(const std::vector<std::uint8_t>& v) { bytes(v.data(), v.size()); }

    // Bytes handed to the writer so far (the offset of the next field).
    std::uint64_t offset() const { return written_ + buf_.size(); }
    // Checks that the record begun at offset `start` came out `size` bytes long. A record
    // of the wrong length would shift every field after it, so the file is not finished.
    void checkRecord(std::uint64_t start, std::size_t size, std::string_view what) const {
        const std::uint64_t got = offset() - start;
        if (got != size)
            throw RecordSizeError(std::string(what) + " record written with " + std::to_string(got) +
                                  " bytes instead of " + std::to_string(size));
    }
    // Writes out what is buffered; false once any write failed.
    bool flush() {
        if (!buf_.empty()) {
            ok_ = ok_ && file_.write(buf_.data(), buf_.size());
            written_ += buf_.size();
            buf_.clear();
        }
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    static constexpr std::size_t kChunk = 1 << 16;
    void put(std::uint8_t b) {
        buf_.push_back(b);
        spill();
    }
    // One field, encoded on the stack and appended whole: measured faster than growing
    // the buffer and encoding in place, and than pushing byte by byte.
    template <std::size_t N>
    void field(const std::uint8_t (&b)[N]) {
        buf_.insert(buf_.end(), b, b + N);
        spill();
    }
    void spill() {
        if (buf_.size() >= kChunk) flush();
    }

    platform::OutputFile& file_;
    std::vector<std::uint8_t> buf_;
    std::uint64_t written_ = 0;
    bool ok_ = true;
};

}  // namespace t2v::output
