#include "decode/ByteCursor.h"

#include <limits>

namespace t2v::decode {

DecodeError::DecodeError(const std::string& file, std::size_t offset, const std::string& reason)
    : std::runtime_error(file + ": offset " + std::to_string(offset) + ": " + reason),
      file_(file),
      offset_(offset),
      reason_(reason) {}

DecodeError::DecodeError(const std::string& file, const std::string& reason)
    : std::runtime_error(file + ": " + reason), file_(file), offset_(kNoOffset), reason_(reason) {}

void Cursor::fail(std::size_t offset, const std::string& reason) const { throw DecodeError(file_, offset, reason); }

const std::uint8_t* Cursor::take(std::size_t n, std::string_view what) {
    if (n > left())
        fail(pos_, "file ends inside " + std::string(what) + " (" + std::to_string(n) + " bytes needed, " +
                       std::to_string(left()) + " left)");
    const std::uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
}

std::size_t Cursor::checkBlock(std::initializer_list<Dim> dims, std::size_t itemSize, std::size_t at,
                               std::string_view what) const {
    for (const Dim& d : dims)
        if (d.value == 0) return 0;
    std::string shape;
    for (const Dim& d : dims) {
        if (d.value < 0)
            fail(at, std::string(what) + ": " + std::string(d.name) + " " + std::to_string(d.value) + " is negative");
        shape += std::string(d.name) + " " + std::to_string(d.value) + " x ";
    }
    // Multiply with saturation: anything beyond what is left is too much anyway.
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t total = itemSize;
    for (const Dim& d : dims) {
        auto v = static_cast<std::uint64_t>(d.value);
        total = (total != 0 && v > kMax / total) ? kMax : total * v;
    }
    if (total > left()) {
        std::string need = total == kMax ? std::string("more bytes than exist") : std::to_string(total) + " bytes";
        fail(at, std::string(what) + ": " + shape + std::to_string(itemSize) + " bytes = " + need + ", only " +
                     std::to_string(left()) + " left in the file");
    }
    return static_cast<std::size_t>(total);
}

void Cursor::expectEnd() const {
    if (pos_ != size_) fail(pos_, std::to_string(left()) + " bytes left over after the last block");
}

}  // namespace t2v::decode
