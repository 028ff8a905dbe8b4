// What each fuzz target checks, one input at a time (see FuzzChecks.cpp).
#pragma once

#include <cstddef>
#include <cstdint>

namespace t2v::fuzz {

void CheckDocument(const std::uint8_t* data, std::size_t size);
// The first four bytes choose the reading parameters; the rest is the file.
void CheckFunctionFile(const std::uint8_t* data, std::size_t size);
void CheckTransfer(const std::uint8_t* data, std::size_t size);
// The first byte chooses the file kind (a structure file or an earthquake record).
void CheckDecode(const std::uint8_t* data, std::size_t size);

}  // namespace t2v::fuzz
