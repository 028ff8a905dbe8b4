// The unit values a transfer works in, as SetUnitDefaults derives them from the host's
// present units. The source model reads them (gravity, length tolerance); the store
// carries them into the structure file.
#pragma once

#include <array>
#include <cstdint>

namespace t2v {

struct Units {
    std::int16_t ForceUnit = 3;   // 0 kip, 1 pound, 2 newton, 3 kilonewton, 4 kgf, 5 tonne-force
    std::int16_t LengthUnit = 4;  // 0 inch, 1 foot, 2 millimetre, 3 centimetre, 4 metre
    float Gravity = 9.81f;
    std::array<float, 5> LengthToInches{1.0f, 12.0f, 0.03937f, 0.3937f, 39.37f};
    std::array<float, 6> ForceToKips{1.0f, 0.001f, 0.000224809f, 0.224809f, 0.0022046f, 2.2046f};
};

// Unit values of a host unit code (codes outside 1..16 and code 6 give kN, m, 9.81).
Units UnitsForHostCode(int hostCode);

}  // namespace t2v
