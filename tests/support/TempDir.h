// A fresh folder under the system's temporary folder, removed with everything in it
// when the test ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace t2v::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteText(const std::string& path, const std::string& text);

// Little-endian bytes built by hand, for expected file contents.
class Bytes {
public:
    Bytes& u8(int v) {
        b.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    Bytes& i16(int v) { return le(static_cast<std::uint16_t>(v), 2); }
    Bytes& i32(std::int64_t v) { return le(static_cast<std::uint32_t>(v), 4); }
    Bytes& f32(float v);
    Bytes& f64(double v);
    Bytes& text(const std::string& s, std::size_t n);
    Bytes& zeros(std::size_t n) {
        b.insert(b.end(), n, 0);
        return *this;
    }
    Bytes& append(const std::vector<std::uint8_t>& o) {
        b.insert(b.end(), o.begin(), o.end());
        return *this;
    }
    std::vector<std::uint8_t> b;

private:
    Bytes& le(std::uint64_t v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        return *this;
    }
};

}  // namespace t2v::test
