// Element group and element records.
//
// Element group record, 76 bytes:
//   offset    width     field
//        0    text 40   group name
//       40    i16       element type code of the group
//       42    i16       0
//       44    i32       the group's first element (its head element)
//       48    i32       the group's last element
//       56    u8 x 3    0
//       60    f32       1.0
//
// Element record, 92 bytes:
//   offset    width     field
//        0    i16       element group (0 in a head element)
//        2    i32       0
//        6    i32 x 4   nodes: frames use the first two (I end, J end), areas all four
//       22    i32       next element of the group; 0 in the group's last
//       26    u8        6
//       28    u8 x 4    element codes c1, c2, c3, c3
//       42    i16       compound component (slabs: the slab cross section)
//       64    f32       local axis angle (frames: the host's angle; areas and embedded beams 0)
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace element_group {
inline constexpr std::size_t kSize = 76;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kType = 40;
inline constexpr std::size_t kReservedWord = 42;
inline constexpr std::size_t kFirst = 44;
inline constexpr std::size_t kLast = 48;
inline constexpr FixedByte kFixedBytes[] = {{56, 0}, {57, 0}, {58, 0}};
inline constexpr std::size_t kScale = 60;
}  // namespace element_group

namespace element {
inline constexpr std::size_t kSize = 92;
inline constexpr std::size_t kGroup = 0;
inline constexpr std::size_t kReservedLong = 2;
inline constexpr std::size_t kNodes = 6;  // four i32
inline constexpr std::size_t kNext = 22;
inline constexpr FixedByte kFixedBytes[] = {{26, 6}};
inline constexpr std::size_t kCodes = 28;  // four bytes
inline constexpr std::size_t kCompound = 42;
inline constexpr std::size_t kAngle = 64;
}  // namespace element

}  // namespace t2v::target::layout
