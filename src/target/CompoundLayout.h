// Compound component records: what elements refer to. A frame compound strings basic
// components (cross sections, FEMA components, end releases) along the member; a wall
// compound pairs a wall section with its shear material.
//
// Frame compound record, 378 bytes (companion of 45 bytes, left zero):
//   offset    width     field
//        0    text 40   name
//       40    i16       component number
//       42    u8        kind 2
//       43    u8        force unit code (compounds put force first)
//       44    u8        length unit code
//       45    u8        slot count
//       46    u8 x 3    0, 1, 1
//   slots s = 0..12, parallel arrays:
//   66 + s    u8        family: 3 cross section, 1 FEMA component, 2 release component
//   79 + s    u8        behaviour: 2 beam section, 3 column section / FEMA beam,
//                       7 FEMA column, 4 end release
//   92 + s    u8        slot flag: 1 member, 12 release
//  105 + s    u8        end code 0
//  118 + 2s   i16       component kind or section type
//  144 + 2s   i16       component number
//  170 + 4s   f32       share of the member length
//  222 + 4s   f32       second length value, equal to the share
//      354    i16       component number again
//      362    f32       weight per unit length (section area x material unit weight)
//
// Shear wall compound record, 116 bytes:
//   offset    width     field
//        0    text 40   name
//       40    i16       component number
//       42    u8        kind 3
//       43    u8        force unit code
//       44    u8        length unit code
//       48    i16       section type
//       50    i16       wall section
//       52    i16       material kind 5
//       54    i16       shear material
//       56    f32       thickness
//       60    f32       E
//       64    f32       thickness
//       68    i16       component number again
//       76    f32       thickness
//       80    f32       unit weight
//
// General wall compound record, 108 bytes:
//   offset    width     field
//        0    text 40   name
//       40    i16       component number
//       42    u8        kind 4
//       43    u8        force unit code
//       44    u8        length unit code
//       48    i16       first section type
//       50    i16       first section
//       52    i16       second section type 12
//       54    i16       second section
//       56    i16       material kind 2
//       58    i16       shear material
//       60    i16       3
//       64    f32       thickness
//       72    f32       0
//       76    f32       0
//       80    i16       0
//       88    f32       thickness
//       92    f32       unit weight
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace frame_compound {
inline constexpr std::size_t kSize = 378;
inline constexpr std::size_t kCompanionSize = 45;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kKind = 42;
inline constexpr std::size_t kForceUnit = 43;
inline constexpr std::size_t kLengthUnit = 44;
inline constexpr std::size_t kSlotCount = 45;
inline constexpr FixedByte kFixedBytes[] = {{46, 0}, {47, 1}, {48, 1}};
inline constexpr std::size_t kSlotFamily = 66;      // u8 per slot
inline constexpr std::size_t kSlotBehaviour = 79;   // u8 per slot
inline constexpr std::size_t kSlotFlag = 92;        // u8 per slot
inline constexpr std::size_t kSlotEnd = 105;        // u8 per slot
inline constexpr std::size_t kSlotKind = 118;       // i16 per slot
inline constexpr std::size_t kSlotComponent = 144;  // i16 per slot
inline constexpr std::size_t kSlotLengthA = 170;    // f32 per slot
inline constexpr std::size_t kSlotLengthB = 222;    // f32 per slot
inline constexpr std::size_t kNumberAgain = 354;
inline constexpr std::size_t kWeight = 362;
inline constexpr int kMaxSlots = 13;
inline constexpr int kKindMember = 2;
}  // namespace frame_compound

namespace wall_compound {
inline constexpr std::size_t kSize = 116;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kKind = 42;
inline constexpr std::size_t kForceUnit = 43;
inline constexpr std::size_t kLengthUnit = 44;
inline constexpr std::size_t kSectType = 48;
inline constexpr std::size_t kSection = 50;
inline constexpr std::size_t kMatKind = 52;
inline constexpr std::size_t kShearMaterial = 54;
inline constexpr std::size_t kThick1 = 56;
inline constexpr std::size_t kE = 60;
inline constexpr std::size_t kThick2 = 64;
inline constexpr std::size_t kNumberAgain = 68;
inline constexpr std::size_t kThick3 = 76;
inline constexpr std::size_t kUnitWeight = 80;
inline constexpr int kKindWall = 3;
inline constexpr int kElasticShear = 5;
}  // namespace wall_compound

namespace general_wall_compound {
inline constexpr std::size_t kSize = 108;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kKind = 42;
inline constexpr std::size_t kForceUnit = 43;
inline constexpr std::size_t kLengthUnit = 44;
inline constexpr std::size_t kSectType1 = 48;
inline constexpr std::size_t kSection1 = 50;
inline constexpr std::size_t kSectType2 = 52;
inline constexpr std::size_t kSection2 = 54;
inline constexpr std::size_t kMatKind = 56;
inline constexpr std::size_t kShearMaterial = 58;
inline constexpr FixedWord kFixedWords[] = {{60, 3}, {80, 0}};
inline constexpr FixedSingle kFixedSingles[] = {{72, 0.0}, {76, 0.0}};
inline constexpr std::size_t kThick1 = 64;
inline constexpr std::size_t kThick2 = 88;
inline constexpr std::size_t kUnitWeight = 92;
inline constexpr int kKindGeneralWall = 4;
inline constexpr int kInelasticShear = 2;
inline constexpr int kGeneralWallInelastic = 12;
}  // namespace general_wall_compound

}  // namespace t2v::target::layout
