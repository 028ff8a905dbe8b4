// Mass and load records: the pattern records and the element load items. The matrices
// that hang off the patterns (nodal mass and load items, element load shapes) are held
// in the store as values and streamed by the writer.
//
// Mass pattern record, 64 bytes:
//   offset    width     field
//        0    text 40   name
//
// Load pattern record (nodal, element and self-weight patterns), 72 bytes:
//   offset    width     field
//        0    text 40   name
//       42    i16       kind
//
// Element load item record, 30 bytes:
//   offset    width     field
//        0    u8        type: 1 segment, 2 point
//        2    i16       next item of the shape (0 ends the list)
//        6    f32       segment: Val1; point: Val
//       10    f32       segment: RD1; point: RD
//       14    f32       segment: Val2
//       18    f32       segment: RD2
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace mass_pattern {
inline constexpr std::size_t kSize = 64;
inline constexpr std::size_t kName = 0;
}  // namespace mass_pattern

namespace load_pattern {
inline constexpr std::size_t kSize = 72;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kKind = 42;
}  // namespace load_pattern

namespace element_load_item {
inline constexpr std::size_t kSize = 30;
inline constexpr std::size_t kType = 0;
inline constexpr std::size_t kNext = 2;
inline constexpr std::size_t kValue1 = 6;
inline constexpr std::size_t kDistance1 = 10;
inline constexpr std::size_t kValue2 = 14;
inline constexpr std::size_t kDistance2 = 18;
inline constexpr int kTypeSegment = 1, kTypePoint = 2;
}  // namespace element_load_item

// The matrix items the writer composes from the store's values.
namespace nodal_mass_item {
inline constexpr std::size_t kSize = 24;  // six f32, UX..RZ
}  // namespace nodal_mass_item

namespace nodal_load_item {
inline constexpr std::size_t kSize = 32;  // eight f32: F1 F2 F3 M1 M2 M3, presence, spare
}  // namespace nodal_load_item

namespace element_load_shape_item {
inline constexpr std::size_t kSize = 16;       // i32 element count, i32 0, i16 item count, i16 first item, 4 zero
inline constexpr std::size_t kUnsetFrom = 12;  // the last bytes, up to kSize, are never set
}  // namespace element_load_shape_item

namespace element_load_element_item {
inline constexpr std::size_t kSize = 2;  // i16 shape ordinal
}  // namespace element_load_element_item

}  // namespace t2v::target::layout
