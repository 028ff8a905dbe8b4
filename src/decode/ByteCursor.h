// Reading a structure file front to back: a cursor over the bytes of one file that
// checks every read against the end of the file and every count against the bytes
// that are left, and reports a failure with the file name and the byte offset.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

#include "common/LittleEndian.h"

namespace t2v::decode {

class DecodeError : public std::runtime_error {
public:
    static constexpr std::size_t kNoOffset = static_cast<std::size_t>(-1);
    // what(): "<file>: offset <n>: <reason>", or "<file>: <reason>" without an offset.
    DecodeError(const std::string& file, std::size_t offset, const std::string& reason);
    DecodeError(const std::string& file, const std::string& reason);

    const std::string& file() const { return file_; }
    std::size_t offset() const { return offset_; }
    const std::string& reason() const { return reason_; }

private:
    std::string file_;
    std::size_t offset_;
    std::string reason_;
};

// One dimension of a block whose size is a product of counts, for the size check.
struct Dim {
    std::int64_t value;
    std::string_view name;
};

class Cursor {
public:
    Cursor(std::string file, const std::uint8_t* data, std::size_t size)
        : file_(std::move(file)), data_(data), size_(size) {}

    const std::string& file() const { return file_; }
    std::size_t pos() const { return pos_; }
    std::size_t size() const { return size_; }
    std::size_t left() const { return size_ - pos_; }

    // Returns the next n bytes and moves past them; fails when the file ends first.
    const std::uint8_t* take(std::size_t n, std::string_view what);
    // Reads a value and moves past it.
    std::uint8_t u8(std::string_view what) { return *take(1, what); }
    std::int16_t i16(std::string_view what) { return LoadI16(take(2, what)); }
    std::int32_t i32(std::string_view what) { return LoadI32(take(4, what)); }
    float f32(std::string_view what) { return LoadF32(take(4, what)); }
    double f64(std::string_view what) { return LoadF64(take(8, what)); }

    // Checks that a block of the given dimensions times itemSize bytes fits in what is
    // left of the file (so no loop runs over an absurd count and nothing is allocated
    // for it), and returns its size in bytes. A negative dimension fails unless another
    // dimension is zero (an empty block is empty whatever its other counts say).
    std::size_t checkBlock(std::initializer_list<Dim> dims, std::size_t itemSize, std::size_t at,
                           std::string_view what) const;
    // The same for `count` records of `size` bytes, where `count` was read at `at`.
    std::size_t checkCount(std::int64_t count, std::size_t size, std::size_t at, std::string_view what) const {
        return checkBlock({{count, "count"}}, size, at, what);
    }

    // Fails unless every byte has been read.
    void expectEnd() const;

    [[noreturn]] void fail(std::size_t offset, const std::string& reason) const;

private:
    std::string file_;
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace t2v::decode
