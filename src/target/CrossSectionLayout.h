// Cross-section component records: frame sections as beam and column sections, and
// shell sections as elastic and inelastic wall sections and slab sections.
//
// Header of every cross-section record:
//   offset    width     field
//        0    text 40   name
//       40    i16       component number (the record's own position)
//       42    text 20   blank
//       62    text 24   blank
//       86    u8        0 for frame sections, the section type for walls, 8 for slabs
//       87    u8        length unit code
//       88    u8        force unit code
//
// Frame section record, beam 424 bytes, column 687 bytes (b: beam offset, c: column):
//   offset    width     field
//       89    u8        section type
//       90    u8        shape
//       91    u8        0
//   b104 c103 f32 x 6   A, J, I22, I33, As2, As3
//   b128 c127 f32 x 2   modifiers, 1.0 each
//   b144 c151 f32 x 3   E, Nu, G
//   b156 c163 f32 x 4   t2, t3, tf, tw
//   b400 c663 i16       component number again
//
// Elastic wall section record, 439 bytes:
//   offset    width     field
//       89    u8        1
//       90    u8        0
//       95    i16       0
//      103    f32       thickness
//      119    f32       bending thickness
//      123    f32       E
//      127    f32       bending thickness
//      131    f32       Nu
//      187    i16       4
//      219    i16       material component
//
// Inelastic (fibre) wall section record, 455 bytes (companion of 86 bytes, left zero):
//   offset    width     field
//       89    u8        1
//       90    u8        fibre count (8)
//       91    u8 x 2    0
//       95    i16       steel fibre count (2)
//       97    i16       concrete fibre count (6)
//       99    i16 x 2   0
//      103    i16       component number again
//      111    f32       steel ratio in percent
//      115    f32       0.3
//      119    f32       0
//      123    f32       thickness
//      127    f32 x 2   0
//      155    f32       bending thickness
//      159    f32       E
//      163    f32       bending thickness
//      167    f32       Nu
//   fibre arrays, 16 places each, fibre k at the k-th place:
//      171    u8 x 16   kind 4
//      187    u8 x 16   1
//      203    i16 x 16  1 concrete, 0 steel
//      235    i16 x 16  material component
//      267    f32 x 16  area share (negative: thickness per fibre)
//      331    f32 x 16  position across the wall, a fraction of its length
//
// Slab section record, 274 bytes:
//   offset    width     field
//       89    u8        0
//       92    i16 x 2   0
//      102    f32       thickness
//      106    f32       bending thickness
//      122    f32       thickness
//      126    f32       unit weight
//      262    u8 x 2    4, 4
//      264    i16       6
//      266    i16       material component
//      268    u8 x 2    4, 4
//      270    i16       6
//      272    i16       material component
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace cross_section {
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kBlank20 = 42;
inline constexpr std::size_t kBlank20Length = 20;
inline constexpr std::size_t kBlank24 = 62;
inline constexpr std::size_t kBlank24Length = 24;
inline constexpr std::size_t kHeaderSectionType = 86;
inline constexpr std::size_t kLengthUnit = 87;
inline constexpr std::size_t kForceUnit = 88;
}  // namespace cross_section

namespace frame_section {
inline constexpr std::size_t kSectType = 89;
inline constexpr std::size_t kShape = 90;
inline constexpr FixedByte kFixedBytes[] = {{91, 0}};
// The fields after the shape sit one byte apart in the two forms.
struct Form {
    std::size_t size, properties, modifiers, elastic, dimensions, numberAgain;
};
inline constexpr Form kBeam{424, 104, 128, 144, 156, 400};
inline constexpr Form kColumn{687, 103, 127, 151, 163, 663};
}  // namespace frame_section

namespace beam_section {
inline constexpr std::size_t kSize = frame_section::kBeam.size;
}  // namespace beam_section

namespace column_section {
inline constexpr std::size_t kSize = frame_section::kColumn.size;
}  // namespace column_section

namespace elastic_wall_section {
inline constexpr std::size_t kSize = 439;
inline constexpr FixedByte kFixedBytes[] = {{89, 1}, {90, 0}};
inline constexpr FixedWord kFixedWords[] = {{95, 0}, {187, 4}};
inline constexpr std::size_t kThick = 103;
inline constexpr std::size_t kBend1 = 119;
inline constexpr std::size_t kE = 123;
inline constexpr std::size_t kBend2 = 127;
inline constexpr std::size_t kNu = 131;
inline constexpr std::size_t kMaterial = 219;
}  // namespace elastic_wall_section

namespace inelastic_wall_section {
inline constexpr std::size_t kSize = 455;
inline constexpr std::size_t kCompanionSize = 86;
inline constexpr FixedByte kFixedBytes[] = {{89, 1}, {91, 0}, {92, 0}};
inline constexpr FixedWord kFixedWords[] = {{99, 0}, {101, 0}};
inline constexpr FixedSingle kFixedSingles[] = {{115, 0.3}, {119, 0.0}, {127, 0.0}, {131, 0.0}};
inline constexpr std::size_t kFiberCount = 90;
inline constexpr std::size_t kSteelCount = 95;
inline constexpr std::size_t kConcreteCount = 97;
inline constexpr std::size_t kNumberAgain = 103;
inline constexpr std::size_t kRatio = 111;
inline constexpr std::size_t kThick = 123;
inline constexpr std::size_t kBend1 = 155;
inline constexpr std::size_t kE = 159;
inline constexpr std::size_t kBend2 = 163;
inline constexpr std::size_t kNu = 167;
inline constexpr std::size_t kFiberKind = 171;        // u8 per fibre
inline constexpr std::size_t kFiberFlag = 187;        // u8 per fibre
inline constexpr std::size_t kFiberIsConcrete = 203;  // i16 per fibre
inline constexpr std::size_t kFiberMaterial = 235;    // i16 per fibre
inline constexpr std::size_t kFiberArea = 267;        // f32 per fibre
inline constexpr std::size_t kFiberPosition = 331;    // f32 per fibre
inline constexpr int kMaxFibers = 16;
inline constexpr int kConcreteFibers = 6, kSteelFibers = 2;
}  // namespace inelastic_wall_section

namespace slab_section {
inline constexpr std::size_t kSize = 274;
inline constexpr FixedByte kFixedBytes[] = {{89, 0}, {262, 4}, {263, 4}, {268, 4}, {269, 4}};
inline constexpr FixedWord kFixedWords[] = {{92, 0}, {94, 0}, {264, 6}, {270, 6}};
inline constexpr std::size_t kThick1 = 102;
inline constexpr std::size_t kBend = 106;
inline constexpr std::size_t kThick2 = 122;
inline constexpr std::size_t kUnitWeight = 126;
inline constexpr std::size_t kMaterials[2] = {266, 272};  // the material component, twice
}  // namespace slab_section

}  // namespace t2v::target::layout
