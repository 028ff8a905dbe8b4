// Frame compounds are made by the compound step and, for released braces, by the
// element step; both go through these procedures so the record is written one way.
#pragma once

#include <cstdint>
#include <string>

#include "target/VantraModel.h"

namespace t2v::target {

// Slot codes of a frame compound.
enum CompoundFamily : int { kFamilyFema = 1, kFamilyRelease = 2, kFamilySection = 3 };
// Behaviour codes of a slot; FEMA beams share code 3 with column sections.
enum CompoundBehaviour : int { kBeamSection = 2, kColumnSection = 3, kEndRelease = 4, kFemaColumn = 7 };
enum CompoundSlotFlag : int { kMemberSlot = 1, kReleaseSlot = 12 };
// Component kind of a release slot (the release component's kind).
inline constexpr int kReleaseKind = 4;

// Appends one frame compound record.
std::int32_t AddVantraFrameCompound(VantraModel& m);

// Writes compound n as the member's cross section between the end releases that are
// present: the I-end release slot when releaseI is not 0, the member slot, the J-end
// release slot when releaseJ is not 0.
void SetVantraReleaseCompound(VantraModel& m, std::int32_t n, const std::string& name, std::int32_t releaseI,
                              std::int32_t releaseJ, int sectType, std::int32_t section, int behaviour, double weight);

}  // namespace t2v::target
