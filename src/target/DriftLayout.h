// Drift and deflection records.
//
// Drift record, 46 bytes:
//   offset    width     field
//        0    text 20   name
//       20    u8        kind 1
//       21    u8        direction: 0 first horizontal direction, 1 second
//       22    i32       top node
//       26    i32       bottom node
//
// Deflection record, 38 bytes: never written by the transfer (the table stays empty).
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace drift {
inline constexpr std::size_t kSize = 46;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kNameLength = 20;
inline constexpr std::size_t kKind = 20;
inline constexpr std::size_t kDirection = 21;
inline constexpr std::size_t kTopNode = 22;
inline constexpr std::size_t kBottomNode = 26;
inline constexpr int kKindDrift = 1;
}  // namespace drift

namespace deflection {
inline constexpr std::size_t kSize = 38;
}  // namespace deflection

}  // namespace t2v::target::layout
