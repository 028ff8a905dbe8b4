// Load case records ("L" file) and the analysis series record ("A" file).
//
// Gravity load case record (kind 1), 1024 bytes:
//   offset    width     field
//        0    text 40   case name
//       40    u8        kind flag 0
//       88    i16       entry count (at most 20)
//   90 + 2i   i16       pattern kind of entry i: 1 nodal, 2 element, 3 self weight
//  130 + 40i  text 40   target pattern name of entry i
//  930 + 4i   f32       scale factor of entry i
//
// Pushover load case record (kind 2), 1042 bytes:
//   offset    width     field
//        0    text 40   case name
//       40    u8        kind flag 1
//       41    u8        1 when driven by modes, else 0
//       43    u8        0
//       44    text 40   limit-state name
//       84    i16       50
//       86    i16       200
//       88    f32       0.02
//       92    i16       entry count
//   94 + i    u8        pattern kind of load entry i (1)
//  114 + 40i  text 40   target nodal pattern name of load entry i
//  914 + 4i   f32       scale factor of entry i (load or mode)
//  995 + i    u8        mode number of mode entry i (i < 6)
//     1007    u8        0
//     1008    text 20   drift name
//     1034    i32       0
//
// Dynamic earthquake load case record (kind 3), 348 bytes; d = 0, 1, 2 for U1, U2, U3:
//   offset    width     field
//        0    text 40   case name
//       40    u8        kind flag 1
//       41    u8        0
//       42    text 40   limit-state name
//       82    f32       duration (output steps x step size)
//       86    f32       step size
//       90    i16       200
//   92 + 12d  text 12   records subfolder
//  128 + 12d  text 12   record file name
//  164 + 40d  text 40   record header name ("EarthquakeRecord: " + function)
//  284 + 10d  i16       number of points of the record
//  286 + 10d  f32       acceleration scale (host factor / gravity)
//  290 + 10d  f32       time scale factor
//      314    text 20   drift name
//
// Analysis series record, 194 bytes:
//   offset    width     field
//        0    text 12   series name
//       12    text 60   title "Vantra: " + series name
//       72    text 40   empty
//      112    u8 x 2    0
//      114    i16       0
//      116    i16       10
//      118    i16       series kind: 2 pushover, 5 dynamic
//      122    f32       1.0
//      146    f32 x 4   control values (damping of a dynamic series)
//      190    u8        0
//      193    u8        0: no extension record follows
#pragma once

#include "target/LayoutCommon.h"

namespace t2v::target::layout {

namespace gravity_case {
inline constexpr std::size_t kSize = 1024;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kKindFlag = 40;
inline constexpr std::size_t kEntryCount = 88;
inline constexpr std::size_t kEntryKind = 90;    // i16 per entry
inline constexpr std::size_t kEntryName = 130;   // text 40 per entry
inline constexpr std::size_t kEntryScale = 930;  // f32 per entry
}  // namespace gravity_case

namespace pushover_case {
inline constexpr std::size_t kSize = 1042;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kKindFlag = 40;
inline constexpr std::size_t kModeFlag = 41;
inline constexpr std::size_t kLimitState = 44;
inline constexpr std::size_t kEntryCount = 92;
inline constexpr std::size_t kEntryKind = 94;    // u8 per entry
inline constexpr std::size_t kEntryName = 114;   // text 40 per entry
inline constexpr std::size_t kEntryScale = 914;  // f32 per entry
inline constexpr std::size_t kModeNumber = 995;  // u8 per mode entry
inline constexpr std::size_t kDriftName = 1008;
inline constexpr std::size_t kTrailingLong = 1034;
inline constexpr FixedByte kFixedBytes[] = {{43, 0}, {1007, 0}};
inline constexpr FixedWord kFixedWords[] = {{84, 50}, {86, 200}};
inline constexpr FixedSingle kFixedSingles[] = {{88, 0.02}};
}  // namespace pushover_case

namespace dynamic_case {
inline constexpr std::size_t kSize = 348;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kKindFlag = 40;
inline constexpr std::size_t kLimitState = 42;
inline constexpr std::size_t kDuration = 82;
inline constexpr std::size_t kStepSize = 86;
inline constexpr std::size_t kSubfolder = 92;       // text 12 per direction
inline constexpr std::size_t kFunctionName = 128;   // text 12 per direction
inline constexpr std::size_t kHeaderName = 164;     // text 40 per direction
inline constexpr std::size_t kPoints = 284;         // per direction block
inline constexpr std::size_t kScale = 286;          // per direction block
inline constexpr std::size_t kTimeFactor = 290;     // per direction block
inline constexpr std::size_t kDirectionBlock = 10;  // bytes between directions' blocks
inline constexpr std::size_t kDriftName = 314;
inline constexpr FixedByte kFixedBytes[] = {{41, 0}};
inline constexpr FixedWord kFixedWords[] = {{90, 200}};
}  // namespace dynamic_case

namespace analysis_series {
inline constexpr std::size_t kSize = 194;
inline constexpr std::size_t kName = 0;
inline constexpr std::size_t kTitle = 12;
inline constexpr std::size_t kEmpty = 72;
inline constexpr std::size_t kKind = 118;
inline constexpr std::size_t kControl = 146;  // four f32
inline constexpr FixedByte kFixedBytes[] = {{112, 0}, {113, 0}, {190, 0}};
inline constexpr FixedWord kFixedWords[] = {{114, 0}, {116, 10}};
inline constexpr FixedSingle kFixedSingles[] = {{122, 1.0}};
inline constexpr std::size_t kExtensionFlag = 193;  // 1: an extension record follows
inline constexpr std::size_t kExtensionSize = 54;
inline constexpr std::size_t kStepSize = 96;  // one analysis step record, per series and step
}  // namespace analysis_series

}  // namespace t2v::target::layout
