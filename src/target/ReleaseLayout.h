// End-release component and end-zone records.
//
// Release component record, 89 bytes:
//   offset    width     field
//        0    text 40   name
//       40    i16       component number
//       42    u8        kind 4
//       43    u8        0 (no unit codes)
//       44    u8        0
//       45    u8 x 6    released flags in the order A, V2, V3, M2, M3, T (1 released)
//       53    i16       component number again
//       57    f32 x 6   stiffness left in a released freedom (1e-5), 0 where fixed,
//                       same order
//
// End zone record, 109 bytes (only the default end zone is written):
//   offset    width     field
//        0    text 40   name
//       40    i16       component number
//       42    u8        kind 3
//       53    i16       0
//       61    f32 x 2   10.0
//       69    f32 x 2   0
//       77    f32 x 4   0.5
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace release_component {
inline constexpr std::size_t kSize = 89;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kKind = 42;
inline constexpr std::size_t kFlags = 45;  // six bytes
inline constexpr std::size_t kNumberAgain = 53;
inline constexpr std::size_t kStiffness = 57;  // six f32
inline constexpr int kKindRelease = 4;
}  // namespace release_component

namespace end_zone {
inline constexpr std::size_t kSize = 109;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNumber = 40;
inline constexpr std::size_t kKind = 42;
inline constexpr int kKindEndZone = 3;
inline constexpr FixedWord kFixedWords[] = {{53, 0}};
inline constexpr FixedSingle kFixedSingles[] = {{61, 10.0}, {65, 10.0}, {69, 0.0}, {73, 0.0},
                                                {77, 0.5},  {81, 0.5},  {85, 0.5}, {89, 0.5}};
}  // namespace end_zone

}  // namespace t2v::target::layout
