// FEMA beam and column component records.
//
// Part shared by both, FEMA beam 425 bytes (companion of 50 bytes: first byte 1), FEMA
// column 473 bytes (companion of 60 bytes: first byte 1):
//   offset    width     field
//        0    text 40   name
//       40    i16       component number
//       42    u8        kind: beam 1 steel / 2 concrete; column 14 steel / 15 concrete
//       43    u8        length unit code
//       44    u8        force unit code
//       45    u8 x 10   beam: 0, 0, 0, 1, 0, 0, 0, 0, 10, 0
//                       column: 0, 0, 0, 1, 1, 0, 0, 0, 0, 1
//       57    i16       3
//       59    i16       section type of the cross section (beam 4 / 3, column 7 / 6)
//       61    i16       cross-section component number
//       63    i16       component number again
//       93    f32 x 3   E, Nu, G of the section material
//      105    f32 x 6   area, As2, As3, J, I22, I33
//
// FEMA beam, further:
//   offset    width     field
//      137    f32       1.0
//      141    f32       concrete: five metres in model length (0 for steel)
//      145    f32       0
//      149    f32       strength placeholder
//      161    f32       0
//      165    f32       first deformation: steel 20, concrete 0.1
//      185    f32 x 2   further deformations: steel 11, 13; concrete 0.04, 0.08
//      217    f32       0.4
//      241    f32 x 3   2.0, 7.0, 9.0
//      253    f32 x 2   0
//
// FEMA column, further:
//   offset    width     field
//      133    f32       1.0
//      137    f32       concrete: five metres in model length (left zero for steel)
//      141    f32 x 4   capacities
//      173    f32 x 4   deformations: steel 20 x 4; concrete 0.003, 0.005, 0.017, 0.02
//      197    f32       0.15
//      201    f32 x 2   0.8
//      209    f32       1.1
//      213    f32 x 4   2.0
//      229    f32       1.4
//      233    f32 x 4   0
//      305    f32       9.0 (the last of the values 2.0, 7.0, 9.0 that the beam holds at
//                       241..249; the column keeps them in one place)
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace fema {
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kKind = 42;
inline constexpr std::size_t kLengthUnit = 43;
inline constexpr std::size_t kForceUnit = 44;
inline constexpr std::size_t kSectType = 59;
inline constexpr std::size_t kSection = 61;
inline constexpr std::size_t kNumberAgain = 63;
inline constexpr std::size_t kE = 93, kNu = 97, kG = 101;
inline constexpr std::size_t kProperties = 105;  // six f32
inline constexpr FixedWord kFixedWords[] = {{57, 3}};
inline constexpr std::size_t kCompanionFlag = 0;  // first byte of the companion record
}  // namespace fema

namespace fema_beam {
inline constexpr std::size_t kSize = 425;
inline constexpr std::size_t kCompanionSize = 50;
inline constexpr FixedByte kFixedBytes[] = {{45, 0}, {46, 0}, {47, 0}, {48, 1},  {49, 0},
                                            {50, 0}, {51, 0}, {52, 0}, {53, 10}, {54, 0}};
inline constexpr std::size_t kLength = 141;
inline constexpr std::size_t kStrength = 149;
inline constexpr std::size_t kDeformations[3] = {165, 185, 189};
inline constexpr FixedSingle kFixedSingles[] = {{137, 1.0}, {145, 0.0}, {161, 0.0}, {217, 0.4}, {241, 2.0},
                                                {245, 7.0}, {249, 9.0}, {253, 0.0}, {257, 0.0}};
}  // namespace fema_beam

namespace fema_column {
inline constexpr std::size_t kSize = 473;
inline constexpr std::size_t kCompanionSize = 60;
inline constexpr FixedByte kFixedBytes[] = {{45, 0}, {46, 0}, {47, 0}, {48, 1}, {49, 1},
                                            {50, 0}, {51, 0}, {52, 0}, {53, 0}, {54, 1}};
inline constexpr std::size_t kLength = 137;
inline constexpr std::size_t kCapacities = 141;  // four f32
inline constexpr std::size_t kDeformations[4] = {173, 177, 181, 185};
inline constexpr FixedSingle kFixedSingles[] = {{133, 1.0}, {197, 0.15}, {201, 0.8}, {205, 0.8}, {209, 1.1},
                                                {213, 2.0}, {217, 2.0},  {221, 2.0}, {225, 2.0}, {229, 1.4},
                                                {233, 0.0}, {237, 0.0},  {241, 0.0}, {245, 0.0}, {305, 9.0}};
}  // namespace fema_column

}  // namespace t2v::target::layout
