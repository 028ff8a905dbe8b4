// Hand-built structure folders for the decoder tests: the empty structure (the copy
// worked out by hand in tests/data/empty-structure) and a small structure with a
// little of everything. Every byte is placed from the file layouts, never by the writer.
#pragma once

#include <map>
#include <string>

#include "support/ByteBuilder.h"

namespace t2v::decode::test {

using ::t2v::test::Bytes;
using ::t2v::test::Rec;

using StructureFiles = std::map<std::string, Bytes>;  // suffix -> file bytes

// Pieces shared by the two structures.
Bytes Preamble(std::string_view name);  // version, name, title (80 bytes)
Bytes MainHeader();                     // offsets 80..133 of the main file
Bytes EndZoneRecord();                  // the default end zone (109 bytes)
// C1 = maxCapacity, then C2..C114; `tables` holds the count and records of an item,
// the items not in it are a zero count (C37: the default end zone).
Bytes ComponentSection(int maxCapacity, const std::map<int, Bytes>& tables);
Bytes TailSection();

StructureFiles EmptyStructure();
StructureFiles SampleStructure();

// A fresh folder under the system's temporary folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const Bytes& bytes);
void WriteFolder(const std::string& dir, const StructureFiles& files);

}  // namespace t2v::decode::test
