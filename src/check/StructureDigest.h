// What the checks, the totals and the picture need from a structure folder, read with
// the structure-file decoder (never with the writer's code, so that a writer fault is
// not read back as right) into flat tables instead of a tree: a structure of a million
// elements fits in a few hundred megabytes this way.
//
// Numbers are the files' own 1-based record numbers; index i of a vector holds record
// i + 1 unless a field says otherwise.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace t2v::check {

struct DigestNode {
    double x = 0, y = 0, z = 0;
    std::array<std::uint8_t, 6> restraints{};
    bool inConstraint = false;  // some constraint slot is set
};

struct DigestGroup {
    std::string name;
    int type = 0;  // element type code: 2 beam, 3 column, 5 brace, 6 wall, 11 general wall, 12 slab
    std::int64_t first = 0, last = 0;
};

struct DigestElement {
    int group = 0;  // 0 for a group's head element
    std::array<std::int64_t, 4> nodes{};
    int compound = 0;
};

struct DigestPattern {
    std::string name;
    int kind = 0;
};

struct DigestNodalLoad {
    int pattern = 0;
    std::int64_t node = 0;
    std::array<double, 6> values{};  // F1 F2 F3 M1 M2 M3
};

struct DigestMass {
    int pattern = 0;
    std::int64_t node = 0;
    std::array<double, 6> values{};
};

struct DigestShape {
    int shape = 0, pattern = 0, group = 0;
    std::int64_t elementCount = 0, itemCount = 0, firstItem = 0;
};

struct DigestShapeUse {
    int pattern = 0;
    std::int64_t element = 0;
    int shape = 0;
};

struct DigestLoadItem {
    int type = 0;  // 1 distributed segment, 2 point load
    std::int64_t next = 0;
    std::array<double, 4> values{};
};

struct DigestCut {
    std::string name;
    std::int64_t firstItem = 0, itemCount = 0;
};

struct DigestCutItem {
    std::int64_t element = 0, next = 0;
};

struct DigestDrift {
    std::string name;
    std::int64_t top = 0, bottom = 0;
};

struct DigestFrame {
    std::string name;
    std::vector<std::int64_t> nodes, elements;
};

// Weight data of the components elements refer to.
struct DigestFrameCompound {
    double weightPerLength = 0;
};
struct DigestAreaComponent {
    double thickness = 0, unitWeight = 0;
    std::int64_t material = 0;  // slab: elastic slab material; wall: shear material
    int materialKind = 0;       // wall compounds: the kind code of that material
};

struct StructureDigest {
    int lengthUnit = 0, forceUnit = 0;
    double gravity = 0;

    std::vector<DigestNode> nodes;
    std::vector<std::string> constraints;
    std::vector<std::string> massPatterns;
    std::vector<DigestMass> masses;
    std::vector<DigestGroup> groups;
    std::vector<DigestElement> elements;
    std::vector<DigestFrame> frames;
    std::vector<DigestPattern> nodalPatterns;
    std::vector<DigestNodalLoad> nodalLoads;
    std::vector<DigestPattern> elementPatterns;
    std::vector<DigestShape> shapes;
    std::vector<DigestShapeUse> shapeUses;
    std::vector<DigestLoadItem> loadItems;
    std::vector<DigestPattern> selfWeightPatterns;
    std::vector<std::vector<std::int64_t>> selfWeightElements;  // per pattern, the flagged elements
    std::vector<DigestCut> cuts;
    std::vector<DigestCutItem> cutItems;
    std::vector<std::string> sectionGroups;
    std::vector<std::vector<std::int64_t>> sectionGroupCuts;
    std::vector<DigestDrift> drifts;

    std::vector<DigestFrameCompound> frameCompounds;  // C101
    std::vector<DigestAreaComponent> wallCompounds;   // C102
    std::vector<DigestAreaComponent> generalWalls;    // C103
    std::vector<DigestAreaComponent> slabSections;    // C68
    std::int64_t elasticShearMaterials = 0;           // C54 count
    std::int64_t elasticSlabMaterials = 0;            // C55 count
    std::int64_t inelasticMaterials = 0;              // C51 count
};

// Reads the main file ("VNTRS") of a structure folder. Throws the decoder's error
// (file, offset, reason) when it does not decode.
StructureDigest ReadStructureDigest(const std::string& dir);
// The same from the path of a main file.
StructureDigest ReadMainFileDigest(const std::string& path);

// Unit names of the header's codes, "code N" for a code this tool does not know.
std::string LengthUnitName(int code);
std::string ForceUnitName(int code);

}  // namespace t2v::check
