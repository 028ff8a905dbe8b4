// Section cut records: the cuts, their items and the group that shows them.
//
// Section cut record, 78 bytes:
//   offset    width     field
//        0    text 40   name
//       40    i32       first item
//       44    i32       item count
//       52    u8        0
//       54    f32 x 3   1.0, 2.0, 3.0
//
// Section cut part record, 34 bytes: never written by the transfer.
//
// Section cut item record, 10 bytes:
//   offset    width     field
//        0    i16       end flag (1: the frame's J end is the supported one)
//        2    i32       element (0 in the leading item)
//        6    i32       next item (0 ends the list)
//
// Section group record, 56 bytes:
//   offset    width     field
//        0    text 40   name
//       40    i16       1
//       42    i16       cut count
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace section_cut {
inline constexpr std::size_t kSize = 78;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kFirstItem = 40;
inline constexpr std::size_t kItemCount = 44;
inline constexpr FixedByte kFixedBytes[] = {{52, 0}};
inline constexpr FixedSingle kFixedSingles[] = {{54, 1.0}, {58, 2.0}, {62, 3.0}};
}  // namespace section_cut

namespace section_cut_part {
inline constexpr std::size_t kSize = 34;
}  // namespace section_cut_part

namespace section_cut_item {
inline constexpr std::size_t kSize = 10;
inline constexpr std::size_t kEndFlag = 0;
inline constexpr std::size_t kElement = 2;
inline constexpr std::size_t kNext = 6;
}  // namespace section_cut_item

namespace section_group {
inline constexpr std::size_t kSize = 56;
inline constexpr std::size_t kName = 0;
inline constexpr FixedWord kFixedWords[] = {{40, 1}};
inline constexpr std::size_t kCutCount = 42;
}  // namespace section_group

}  // namespace t2v::target::layout
