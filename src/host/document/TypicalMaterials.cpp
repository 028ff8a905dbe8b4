#include "host/document/TypicalMaterials.h"

#include "common/Units.h"

#include <array>

namespace t2v::host::document {
namespace {

// Exact unit sizes in newtons and metres.
constexpr double kPoundForce = 4.4482216152605;
constexpr double kInch = 0.0254;
constexpr double kFoot = 0.3048;
constexpr double kStandardGravity = 9.80665;
constexpr double kKsi = 1000.0 * kPoundForce / (kInch * kInch);                // Pa
constexpr double kPoundsPerCubicFoot = kPoundForce / (kFoot * kFoot * kFoot);  // N/m3

constexpr std::array<double, 6> kNewtonsPerForceUnit{
    1000.0 * kPoundForce, kPoundForce, 1.0, 1000.0, kStandardGravity, 1000.0 * kStandardGravity};
constexpr std::array<double, 5> kMetresPerLengthUnit{kInch, kFoot, 0.001, 0.01, 1.0};

// A typical material in US customary terms, as its standard gives it.
struct Typical {
    int symmetry;                     // 0 isotropic, 3 uniaxial
    double E;                         // ksi
    double U;                         // Poisson's ratio (isotropic)
    double alphaF;                    // thermal expansion per degree Fahrenheit
    double weightPcf;                 // pounds per cubic foot
    std::array<double, 4> strengths;  // Fy, Fu, EFy, EFu in ksi (steel and rebar blocks)
    double fcKsi;                     // concrete compressive strength
};

std::optional<Typical> TypicalOf(int type) {
    switch (type) {
        case 1:  // structural steel, A992 grade 50 (expected strengths with Ry = Rt = 1.1)
            return Typical{0, 29000.0, 0.3, 6.5e-6, 490.0, {50.0, 65.0, 55.0, 71.5}, 0.0};
        case 2:  // normal-weight concrete, f'c = 4 ksi, E = 57000 sqrt(f'c in psi) rounded
            return Typical{0, 3605.0, 0.2, 5.5e-6, 150.0, {}, 4.0};
        case 4:  // aluminium 6061-T6
            return Typical{0, 10000.0, 0.33, 1.3e-5, 169.0, {}, 0.0};
        case 5:  // cold-formed sheet steel, A653 SS grade 50
            return Typical{0, 29500.0, 0.3, 6.5e-6, 490.0, {50.0, 65.0, 50.0, 65.0}, 0.0};
        case 6:  // reinforcing bar, A615 grade 60 (expected strengths 1.1 x nominal)
            return Typical{3, 29000.0, 0.0, 6.5e-6, 490.0, {60.0, 90.0, 66.0, 99.0}, 0.0};
        case 7:  // prestressing strand, A416 grade 270
            return Typical{3, 28500.0, 0.0, 6.5e-6, 490.0, {}, 0.0};
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<Material> TypicalMaterial(const std::string& name, int type, int unitsCode) {
    const std::optional<Typical> t = TypicalOf(type);
    if (!t) return std::nullopt;

    const Units units = UnitsForHostCode(unitsCode);
    const double force = kNewtonsPerForceUnit[static_cast<std::size_t>(units.ForceUnit)];
    const double length = kMetresPerLengthUnit[static_cast<std::size_t>(units.LengthUnit)];
    const double stress = kKsi * length * length / force;                          // one ksi
    const double weight = kPoundsPerCubicFoot * length * length * length / force;  // one pcf
    // Mass per volume in force x s^2 / length^4: weight / g with g in length units per s^2.
    const double gravity = kStandardGravity / length;
    // The US codes (pound or kip with inch or foot) measure temperature in Fahrenheit,
    // the others in Celsius.
    const bool fahrenheit = unitsCode >= 1 && unitsCode <= 4;
    const double alpha = fahrenheit ? t->alphaF : t->alphaF * 1.8;

    Material m;
    m.name = name;
    m.type = type;
    m.symmetry = t->symmetry;
    m.weight = t->weightPcf * weight;
    m.mass = m.weight / gravity;
    if (t->symmetry == 0) {
        m.isoE = t->E * stress;
        m.isoU = t->U;
        m.isoA = alpha;
        m.isoG = m.isoE / (2.0 * (1.0 + t->U));
    } else {
        m.uniE = t->E * stress;
        m.uniA = alpha;
    }
    std::array<double, 4> strengths{};
    for (std::size_t k = 0; k < 4; ++k) strengths[k] = t->strengths[k] * stress;
    if (type == 6) {
        m.rebar = strengths;
    } else {
        m.steel = strengths;
    }
    m.concreteFc = t->fcKsi * stress;
    return m;
}

}  // namespace t2v::host::document
