// FEMA beam and column components: one of each per steel or concrete frame section.
//
// The moment-curvature and P-M-M capacities that these components need are not derived
// by the transfer: the values written are placeholders, scaled to the model's units,
// that the user reviews in the analysis program.
//
// Record layouts: target/FemaLayout.h.
#include <array>
#include <cmath>
#include <span>
#include <stdexcept>
#include <string>

#include "common/Text.h"
#include "target/FemaLayout.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using source::TarvoPropFrameSectObj;
using source::TarvoPropMaterialObj;

constexpr int kSteel = 1;
constexpr int kConcrete = 2;

namespace fema = layout::fema;
namespace beam = layout::fema_beam;
namespace column = layout::fema_column;

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

void setCommon(RecordView r, const VantraModel& m, int n, const std::string& name, int kind, int sectType, int section,
               std::span<const layout::FixedByte> flags, const FemaSource& src) {
    r.text(fema::kName, layout::kNameLength, name);
    r.i16(fema::kNumber, n);
    r.u8(fema::kKind, kind);
    r.u8(fema::kLengthUnit, m.LengthUnit);
    r.u8(fema::kForceUnit, m.ForceUnit);
    layout::writeFixed(r, flags);
    layout::writeFixed(r, fema::kFixedWords);
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
    int id = m.addComponent(m.FemaBeamTable);
    return id;
}

int AddVantraFemaColumn(VantraModel& m) {
    int id = m.addComponent(m.FemaColumnTable);
    return id;
}

void SetVantraFemaBeam(VantraModel& m, int n, const std::string& name, int kind, int sectType, int section,
                       const FemaSource& src, const UnitScale& u) {
    RecordView r = m.FemaBeamTable.rec(n);
    setCommon(r, m, n, name, kind, sectType, section, beam::kFixedBytes, src);
    const bool concrete = src.mat.MatType == kConcrete;
    const double area = src.s.area;
    layout::writeFixed(r, beam::kFixedSingles);
    r.f32(beam::kLength, concrete ? kFiveMetresInInches / u.lengthToInches : 0.0);
    r.f32(beam::kStrength,
          concrete ? area * 100.0 * 0.004 / u.stressToKsi * std::sqrt(area) : 100.0 / u.stressToKsi * std::sqrt(area));
    const std::array<double, 3> deform =
        concrete ? std::array<double, 3>{0.1, 0.04, 0.08} : std::array<double, 3>{20.0, 11.0, 13.0};
    for (std::size_t k = 0; k < 3; ++k) r.f32(beam::kDeformations[k], deform[k]);
    m.FemaBeamTable.companion(n).u8(fema::kCompanionFlag, 1);
}

void SetVantraFemaColumn(VantraModel& m, int n, const std::string& name, int kind, int sectType, int section,
                         const FemaSource& src, const UnitScale& u) {
    RecordView r = m.FemaColumnTable.rec(n);
    setCommon(r, m, n, name, kind, sectType, section, column::kFixedBytes, src);
    const bool concrete = src.mat.MatType == kConcrete;
    const double area = src.s.area;
    const double fu = src.mat.Fu();
    layout::writeFixed(r, column::kFixedSingles);
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
    for (std::size_t k = 0; k < 4; ++k) r.f32(column::kCapacities + 4 * k, cap[k]);
    const std::array<double, 4> deform =
        concrete ? std::array<double, 4>{0.003, 0.005, 0.017, 0.02} : std::array<double, 4>{20.0, 20.0, 20.0, 20.0};
    for (std::size_t k = 0; k < 4; ++k) r.f32(column::kDeformations[k], deform[k]);
    m.FemaColumnTable.companion(n).u8(fema::kCompanionFlag, 1);
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
