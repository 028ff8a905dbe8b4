// Material component records: the inelastic and elastic materials that the cross
// sections and compounds refer to.
//
// Header of every material record:
//   offset    width     field
//        0    text 40   name
//       40    i16       component number (the record's own position)
//       42    u8        kind: 0 steel non-buckling, 1 concrete, 2 wall shear, 4 elastic fibre,
//                       5 elastic wall shear, 6 elastic slab
//       43    u8        length unit code
//       44    u8        force unit code
//
// Inelastic material record, 329 bytes (companion of 50 bytes: first byte 1):
//   offset    width     field
//       45    u8 x 10   0, 1, 0, 1, 1, 0, 0, 0, 10, 1
//       57    i16       0
//       59    i16       component number again
//       65    f32       modulus
//       69    f32       0
//       81    f32 x 2   a1, a2 (steel and wall shear kinds; 0 for concrete)
//       89    f32 x 2   a1, a2 (concrete kind; 0 for the others)
//       97    f32 x 2   a3, a4 (steel and wall shear kinds; 0 for concrete)
//      105    f32 x 2   a3, a4 (concrete kind; 0 for the others)
//
// Elastic fibre material record, 126 bytes:
//   offset    width     field
//       45    u8 x 2    0, 1
//       50    i16 x 2   0, 0
//       58    f32       modulus
//
// Elastic wall shear material record, 152 bytes (companion of 56 bytes: first byte 1):
//   offset    width     field
//       45    u8 x 4    1, 0, 0, 1
//       50    i16       1
//       52    i16       component number again
//       58    f32       shear modulus
//       62    i16       tag of the first value: 5 (double)
//       64    f64       0.95
//       72    i16       tag of the second value: 2 (16-bit integer)
//       74    i16       0
//       76    i16       tag of the third value: 2 (16-bit integer)
//       78    i16       0
//       80    f32 x 2   0, 0
//       96    f32       0.8
//      100    f32 x 4   0
// The integer values are 16-bit: with them the record keeps its size of 62 + 18 + 72.
//
// Elastic slab material record, 174 bytes:
//   offset    width     field
//       45    u8 x 2    0, 1
//       52    i16       0
//       58    f32       modulus
//       78    f32       Poisson ratio
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace material {
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kKind = 42;
inline constexpr std::size_t kLengthUnit = 43;
inline constexpr std::size_t kForceUnit = 44;
inline constexpr std::size_t kCompanionFlag = 0;  // first byte of a companion record
}  // namespace material

namespace inelastic_material {
inline constexpr std::size_t kSize = 329;
inline constexpr std::size_t kCompanionSize = 50;
inline constexpr FixedByte kFixedBytes[] = {{45, 0}, {46, 1}, {47, 0}, {48, 1},  {49, 1},
                                            {50, 0}, {51, 0}, {52, 0}, {53, 10}, {54, 1}};
inline constexpr FixedWord kFixedWords[] = {{57, 0}};
inline constexpr FixedSingle kFixedSingles[] = {{69, 0.0}};
inline constexpr std::size_t kNumberAgain = 59;
inline constexpr std::size_t kModulus = 65;
// Where the four strength arguments go: one set for the steel and wall shear kinds,
// the other for concrete; the set not used is zero.
inline constexpr std::size_t kSteelArguments[4] = {81, 85, 97, 101};
inline constexpr std::size_t kConcreteArguments[4] = {89, 93, 105, 109};
}  // namespace inelastic_material

namespace elastic_fiber_material {
inline constexpr std::size_t kSize = 126;
inline constexpr FixedByte kFixedBytes[] = {{45, 0}, {46, 1}};
inline constexpr FixedWord kFixedWords[] = {{50, 0}, {52, 0}};
inline constexpr std::size_t kModulus = 58;
}  // namespace elastic_fiber_material

namespace elastic_shear_material {
inline constexpr std::size_t kSize = 152;
inline constexpr std::size_t kCompanionSize = 56;
inline constexpr FixedByte kFixedBytes[] = {{45, 1}, {46, 0}, {47, 0}, {48, 1}};
inline constexpr FixedWord kFixedWords[] = {{50, 1}};
inline constexpr std::size_t kNumberAgain = 52;
inline constexpr std::size_t kModulus = 58;
inline constexpr int kTagDouble = 5, kTagInt16 = 2;
inline constexpr std::size_t kValue1Tag = 62, kValue1 = 64;
inline constexpr std::size_t kValue2Tag = 72, kValue2 = 74;
inline constexpr std::size_t kValue3Tag = 76, kValue3 = 78;
inline constexpr std::size_t kAfterValues = 80;
inline constexpr FixedSingle kFixedSingles[] = {{80, 0.0},  {84, 0.0},  {96, 0.8}, {100, 0.0},
                                                {104, 0.0}, {108, 0.0}, {112, 0.0}};
static_assert(kAfterValues + 72 == kSize);
}  // namespace elastic_shear_material

namespace elastic_slab_material {
inline constexpr std::size_t kSize = 174;
inline constexpr FixedByte kFixedBytes[] = {{45, 0}, {46, 1}};
inline constexpr FixedWord kFixedWords[] = {{52, 0}};
inline constexpr std::size_t kModulus = 58;
inline constexpr std::size_t kPoisson = 78;
}  // namespace elastic_slab_material

}  // namespace t2v::target::layout
