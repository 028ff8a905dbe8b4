// Node and constraint records.
//
// Node record, 84 bytes:
//   offset    width     field
//        0    i32       previous node (0 for node 1)
//        4    i32       next node (0 for the last node)
//        8    f64 x 3   X, Y, Z in the model's present units
//       32    i16       0
//       34    i16 x 6   constraint numbers UX, UY, UZ, RX, RY, RZ (only UX, UY, RZ set)
//       59    u8        support type: 0 free, 1 fixed, 2 pinned, 3 pinned + RZ, 9 other
//       61    u8 x 6    restraint flags UX..RZ
//       73    u8 x 6    per-freedom flags, 1 on node 1 only
//       79    u8        1 on every node
//
// Constraint record, 80 bytes:
//   offset    width     field
//        0    text 40   name
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace node {
inline constexpr std::size_t kSize = 84;
inline constexpr std::size_t kPrevious = 0;
inline constexpr std::size_t kNext = 4;
inline constexpr std::size_t kX = 8;
inline constexpr std::size_t kY = 16;
inline constexpr std::size_t kZ = 24;
inline constexpr std::size_t kLeadingWord = 32;
inline constexpr std::size_t kConstraintSlots = 34;  // six i16, freedom order
inline constexpr std::size_t kSupportType = 59;
inline constexpr std::size_t kRestraints = 61;   // six bytes, freedom order
inline constexpr std::size_t kOriginFlags = 73;  // six bytes, node 1 only
inline constexpr std::size_t kLastFlag = 79;
}  // namespace node

namespace constraint {
inline constexpr std::size_t kSize = 80;
inline constexpr std::size_t kName = 0;
}  // namespace constraint

}  // namespace t2v::target::layout
