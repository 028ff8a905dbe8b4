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

}  // namespace t2v::test
