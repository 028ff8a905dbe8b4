// Frame record: a named set of nodes and elements for viewing the structure.
//
// Frame record, 28 bytes:
//   offset    width     field
//        0    text 20   name
//
// Memberships are not part of the record: the writer streams them as the frame-node and
// frame-element matrices, one byte per frame.
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout::frame {

inline constexpr std::size_t kSize = 28;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNameLength = 20;

}  // namespace t2v::target::layout::frame
