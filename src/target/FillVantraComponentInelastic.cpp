// FEMA beam and column components: one of each per steel or concrete frame section.
//
// The moment-curvature and P-M-M capacities that these components need are not derived
// by the transfer: the values written are placeholders, scaled to the model's units,
// that the user reviews in the analysis program.
//
// Common part (FEMA beam 425 bytes + companion 50; FEMA column 473 bytes + companion 60):
//   off     width    meaning
//     0     40       name
//    40     i16      component number
//    42     u8       kind: beam 1 steel / 2 concrete; column 14 steel / 15 concrete
//    43     u8       length unit code
//    44     u8       force unit code
//    45..54 u8 x10   beam: 48 = 1, 53 = 10, others 0
//                    column: 0, 0, 0, 1, 1, 0, 0, 0, 0, 1
//    57     i16      3
//    59     i16      section type of the cross section (beam 4 / 3, column 7 / 6)
//    61     i16      cross-section component number
//    63     i16      component number
//    93, 97, 101     f32  E, Nu, G of the section material
//   105..125         f32  area, As2, As3, J, I22, I33
// Companion: first byte 1.
//
// FEMA beam, further (f32):
//   137  1.0
//   141  concrete: five metres in model length (0 for steel)
//   145  0
//   149  strength placeholder (see below)
//   161  0
//   165, 185, 189   deformations: steel 20, 11, 13; concrete 0.1, 0.04, 0.08
//   217  0.4
//   241, 245, 249   2.0, 7.0, 9.0
//   253, 257        0
//
// FEMA column, further (f32):
//   133  1.0
//   137  concrete: five metres in model length
//   141, 145, 149, 153   capacities (see below)
//   173, 177, 181, 185   deformations: steel 20 x4; concrete 0.003, 0.005, 0.017, 0.02
//   197  0.15
//   201, 205  0.8
//   209  1.1
//   213, 217, 221, 225  2.0
//   229  1.4
//   233..245  0
//   305  9.0 (the last of the values 2.0, 7.0, 9.0 that the beam holds at 241..249;
//        the column keeps them in one place)
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>

#include "common/Text.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using source::TarvoPropFrameSectObj;
using source::TarvoPropMaterialObj;

constexpr int kSteel = 1;
constexpr int kConcrete = 2;

namespace fema {
constexpr std::size_t kName = 0, kNumber = 40, kKind = 42, kLengthUnit = 43, kForceUnit = 44, kFlags = 45;
constexpr std::size_t kWord57 = 57, kSectType = 59, kSection = 61, kNumberAgain = 63;
constexpr std::size_t kE = 93, kNu = 97, kG = 101, kProperties = 105;
constexpr std::uint8_t kBeamFlags[10] = {0, 0, 0, 1, 0, 0, 0, 0, 10, 0};
constexpr std::uint8_t kColumnFlags[10] = {0, 0, 0, 1, 1, 0, 0, 0, 0, 1};
}  // namespace fema

namespace beam {
constexpr std::size_t kOne = 137, kLength = 141, kZero145 = 145, kStrength = 149, kZero161 = 161;
constexpr std::size_t kDeform[3] = {165, 185, 189};
constexpr std::size_t kF217 = 217;
constexpr std::size_t kFactors[3] = {241, 245, 249};
constexpr std::size_t kZeros[2] = {253, 257};
}  // namespace beam

namespace column {
constexpr std::size_t kOne = 133, kLength = 137, kCapacity = 141;  // four capacities, 4 apart
constexpr std::size_t kDeform[4] = {173, 177, 181, 185};
constexpr std::size_t kF197 = 197, kF201 = 201, kF205 = 205, kF209 = 209;
constexpr std::size_t kTwos[4] = {213, 217, 221, 225};
constexpr std::size_t kF229 = 229, kZerosFrom = 233, kZerosTo = 245;
constexpr std::size_t kFactor = 305;
}  // namespace column

// Five metres, in inches.
constexpr double kFiveMetresInInches = 196.85;

struct UnitScale {
    double lengthToInches;  // model length unit in inches
    double stressToKsi;     // model stress unit in kips per square inch
};

UnitScale unitScale(const VantraModel& m) {
    if (m.LengthUnit < 0 || static_cast<std::size_t>(m.LengthUnit) >= m.LengthToInches.size() || m.ForceUnit < 0 ||
        static_cast<std::size_t>(m.ForceUnit) >= m.ForceToKips.size())
        throw std::out_of_range("the unit codes " + std::to_string(m.LengthUnit) + " (length) and " +
                                std::to_string(m.ForceUnit) + " (force) are outside the unit tables");
    const double l = m.LengthToInches[static_cast<std::size_t>(m.LengthUnit)];
    const double f = m.ForceToKips[static_cast<std::size_t>(m.ForceUnit)];
    return {l, f / l / l};
}

struct FemaSource {
    const TarvoPropFrameSectObj& s;
    const TarvoPropMaterialObj& mat;
};

void setCommon(RecordView r, const VantraModel& m, int n, const std::string& name, int kind, int sectType,
               int section, const std::uint8_t (&flags)[10], const FemaSource& src) {
    r.text(fema::kName, 40, name);
    r.i16(fema::kNumber, n);
    r.u8(fema::kKind, kind);
    r.u8(fema::kLengthUnit, m.LengthUnit);
    r.u8(fema::kForceUnit, m.ForceUnit);
    for (std::size_t k = 0; k < 10; ++k) r.u8(fema::kFlags + k, flags[k]);
    r.i16(fema::kWord57, 3);
    r.i16(fema::kSectType, sectType);
    r.i16(fema::kSection, section);
    r.i16(fema::kNumberAgain, n);
    r.f32(fema::kE, src.mat.E());
    r.f32(fema::kNu, src.mat.Nu());
    r.f32(fema::kG, src.mat.G());
    const double props[6] = {src.s.area, src.s.As2, src.s.As3, src.s.TorsionConst, src.s.I22, src.s.I33};
    for (std::size_t k = 0; k < 6; ++k) r.f32(fema::kProperties + 4 * k, props[k]);
}

int AddVantraFemaBeam(VantraModel& m) {
    int id = m.FemaBeamTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.FemaBeamTable.count());
    return id;
}

int AddVantraFemaColumn(VantraModel& m) {
    int id = m.FemaColumnTable.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(m.FemaColumnTable.count());
    return id;
}

void SetVantraFemaBeam(VantraModel& m, int n, const std::string& name, int kind, int sectType, int section,
                       const FemaSource& src, const UnitScale& u) {
    RecordView r = m.FemaBeamTable.rec(n);
    setCommon(r, m, n, name, kind, sectType, section, fema::kBeamFlags, src);
    const bool concrete = src.mat.MatType == kConcrete;
    const double area = src.s.area;
    r.f32(beam::kOne, 1.0);
    r.f32(beam::kLength, concrete ? kFiveMetresInInches / u.lengthToInches : 0.0);
    r.f32(beam::kZero145, 0.0);
    r.f32(beam::kStrength, concrete ? area * 100.0 * 0.004 / u.stressToKsi * std::sqrt(area)
                                    : 100.0 / u.stressToKsi * std::sqrt(area));
    r.f32(beam::kZero161, 0.0);
    const std::array<double, 3> deform = concrete ? std::array<double, 3>{0.1, 0.04, 0.08}
                                                  : std::array<double, 3>{20.0, 11.0, 13.0};
    for (std::size_t k = 0; k < 3; ++k) r.f32(beam::kDeform[k], deform[k]);
    r.f32(beam::kF217, 0.4);
    const double factors[3] = {2.0, 7.0, 9.0};
    for (std::size_t k = 0; k < 3; ++k) r.f32(beam::kFactors[k], factors[k]);
    for (std::size_t off : beam::kZeros) r.f32(off, 0.0);
    m.FemaBeamTable.companion(n).u8(0, 1);
}

void SetVantraFemaColumn(VantraModel& m, int n, const std::string& name, int kind, int sectType, int section,
                         const FemaSource& src, const UnitScale& u) {
    RecordView r = m.FemaColumnTable.rec(n);
    setCommon(r, m, n, name, kind, sectType, section, fema::kColumnFlags, src);
    const bool concrete = src.mat.MatType == kConcrete;
    const double area = src.s.area;
    const double fu = src.mat.Fu();
    r.f32(column::kOne, 1.0);
    double cap[4];
    if (concrete) {
        r.f32(column::kLength, kFiveMetresInInches / u.lengthToInches);
        const double c = area * 100.0 * 0.008 / u.stressToKsi;
        cap[0] = c;
        cap[1] = c + area * fu;
        cap[2] = cap[3] = c * std::sqrt(area) / 2.0 * 3.0 / 4.0;
    } else {
        cap[0] = cap[1] = area * fu;
        cap[2] = cap[3] = area * fu * std::sqrt(area) / 2.0;
    }
    for (std::size_t k = 0; k < 4; ++k) r.f32(column::kCapacity + 4 * k, cap[k]);
    const std::array<double, 4> deform = concrete ? std::array<double, 4>{0.003, 0.005, 0.017, 0.02}
                                                  : std::array<double, 4>{20.0, 20.0, 20.0, 20.0};
    for (std::size_t k = 0; k < 4; ++k) r.f32(column::kDeform[k], deform[k]);
    r.f32(column::kF197, 0.15);
    r.f32(column::kF201, 0.8);
    r.f32(column::kF205, 0.8);
    r.f32(column::kF209, 1.1);
    for (std::size_t off : column::kTwos) r.f32(off, 2.0);
    r.f32(column::kF229, 1.4);
    for (std::size_t off = column::kZerosFrom; off <= column::kZerosTo; off += 4) r.f32(off, 0.0);
    r.f32(column::kFactor, 9.0);
    m.FemaColumnTable.companion(n).u8(0, 1);
}

bool isMaterial(const TarvoPropMaterialObj* mat, int type) { return mat && mat->MatType == type; }

}  // namespace

void FillVantraFemaComponents(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;
    const int num = src.PropFrameSectNum();
    const UnitScale u = unitScale(m);

    // Every steel or concrete section gets all its FEMA components; the compounds
    // decide which frames use them.
    struct Pass {
        int material;
        bool column;
        const char* prefix;
        int kind;
        int sectType;
        std::int32_t TarvoPropFrameSectObj::*section;
        std::int32_t TarvoPropFrameSectObj::*backRef;
    };
    static constexpr Pass kPasses[] = {
        {kSteel, false, "IneFemaBmS-", 1, 4, &TarvoPropFrameSectObj::idVantraXsectSteelBeam,
         &TarvoPropFrameSectObj::idVantraInelasFemaSteelBeam},
        {kConcrete, false, "IneFemaBmC-", 2, 3, &TarvoPropFrameSectObj::idVantraXsectConcBeam,
         &TarvoPropFrameSectObj::idVantraInelasFemaConcBeam},
        {kSteel, true, "IneFemaColS-", 14, 7, &TarvoPropFrameSectObj::idVantraXsectSteelCol,
         &TarvoPropFrameSectObj::idVantraInelasFemaSteelCol},
        {kConcrete, true, "IneFemaColC-", 15, 6, &TarvoPropFrameSectObj::idVantraXsectConcCol,
         &TarvoPropFrameSectObj::idVantraInelasFemaConcCol},
    };
    for (const Pass& p : kPasses) {
        for (int i = 1; i <= num; ++i) {
            TarvoPropFrameSectObj& s = src.PropFrameSectObj(i);
            if (!isMaterial(s.PropMatObj, p.material)) continue;
            const FemaSource fs{s, *s.PropMatObj};
            const std::string name = MakeVantraName(p.prefix, s.Label, i);
            int n;
            if (p.column) {
                n = AddVantraFemaColumn(m);
                SetVantraFemaColumn(m, n, name, p.kind, p.sectType, s.*p.section, fs, u);
            } else {
                n = AddVantraFemaBeam(m);
                SetVantraFemaBeam(m, n, name, p.kind, p.sectType, s.*p.section, fs, u);
            }
            s.*p.backRef = n;
        }
    }
}

}  // namespace t2v::target
