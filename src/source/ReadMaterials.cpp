// Materials (read step 1): the host's steel, concrete and rebar materials with their
// elastic constants, strengths, weight and mass.
#include <cmath>

#include "source/TarvoModelObj.h"

namespace t2v::source {
namespace {

// Host material type codes that the transfer reads.
constexpr int kSteel = 1;
constexpr int kConcrete = 2;
constexpr int kRebar = 6;

// Host symmetry codes.
constexpr int kIsotropic = 0;
constexpr int kOrthotropic = 1;
constexpr int kAnisotropic = 2;
constexpr int kUniaxial = 3;

// Stress values closer to zero than this are not a strength.
constexpr double kStressTolerance = 1e-6;

}  // namespace

void TarvoModelObj::ReadMaterials() {
    host::TarvoHost& h = host_;

    // The target structure needs one material of each kind that its components are
    // made from; a model without one gets the host's typical material of that kind.
    struct Default {
        int type;
        const char* name;
    };
    for (const Default& d : {Default{kConcrete, "Conc"}, Default{kSteel, "Steel"}, Default{kRebar, "Rebar"}}) {
        host::Names names;
        if (h.GetMaterialNameList(d.type, names) != 0 || names.empty()) {
            h.DefineMaterial(d.name, d.type, -1, "", "");
            Report.add("material", d.name, "default material added to the model");
        }
    }

    host::Names all;
    h.GetMaterialNameList(0, all);
    for (const std::string& name : all) {
        int type = 0, sym = 0;
        h.GetMaterialType(name, type, sym);
        if (type != kSteel && type != kConcrete && type != kRebar) {
            Report.add("material", name, "material other than concrete, steel or rebar", false,
                       "type " + std::to_string(type));
            continue;
        }

        TarvoPropMaterialObj& m = AddPropMat(name);
        m.MatType = type;
        m.SymType = sym;
        h.GetMaterialWeightAndMass(name, m.UnitWeight, m.UnitMass);

        std::vector<int> ids;
        std::vector<double> strains, stresses;
        if (type == kSteel) {
            h.GetSteelMaterial(name, m.SteelFy, m.SteelFu, m.SteeleFy, m.SteeleFu);
        } else if (type == kConcrete) {
            h.GetConcreteMaterial(name, m.ConcFc);
            // The curve's deepest compression is the strength the analysis will meet.
            if (h.GetStressStrainCurve(name, ids, strains, stresses) == 0) {
                double least = 0.0;
                for (double s : stresses)
                    if (s < least) least = s;
                if (std::fabs(least) > kStressTolerance) m.ConcFc = std::fabs(least);
            }
        } else {
            h.GetRebarMaterial(name, m.RebarFy, m.RebarFu, m.RebareFy, m.RebareFu);
            // Likewise the curve's highest tension is the expected ultimate strength.
            if (h.GetStressStrainCurve(name, ids, strains, stresses) == 0) {
                double most = 0.0;
                for (double s : stresses)
                    if (s > most) most = s;
                if (most > kStressTolerance) m.RebareFu = most;
            }
        }

        switch (sym) {
            case kIsotropic:
                h.GetIsotropicProperties(name, m.IsoE, m.IsoU, m.IsoA, m.IsoG);
                break;
            case kOrthotropic:
                // All four lists are kept, so that Nu and G of an orthotropic material
                // are its own rather than zero.
                h.GetOrthotropicProperties(name, m.OrtE, m.OrtU, m.OrtA, m.OrtG);
                break;
            case kAnisotropic:
                h.GetAnisotropicProperties(name, m.AniE, m.AniU, m.AniA, m.AniG);
                break;
            case kUniaxial:
                h.GetUniaxialProperties(name, m.UniE, m.UniA);
                break;
            default:
                break;
        }
    }
}

// Strengths that suit the material's type. The factor 0.9 turns the nominal strength
// into the yield value the inelastic components use; the fallbacks stand for a
// material of no known kind.
double TarvoPropMaterialObj::Fy() const {
    switch (MatType) {
        case kSteel:
            return 0.9 * SteelFy;
        case kConcrete:
            return 0.9 * ConcFc;
        case kRebar:
            return 0.9 * RebarFy;
        default:
            return 211500.0;
    }
}

double TarvoPropMaterialObj::Fu() const {
    switch (MatType) {
        case kSteel:
            return SteelFu;
        case kConcrete:
            return ConcFc;
        case kRebar:
            return RebarFu;
        default:
            return 235000.0;
    }
}

// Elastic constants by symmetry: the first entry of each list stands for the material.
double TarvoPropMaterialObj::E() const {
    switch (SymType) {
        case kIsotropic:
            return IsoE;
        case kOrthotropic:
            return OrtE[0];
        case kAnisotropic:
            return AniE[0];
        case kUniaxial:
            return UniE;
        default:
            return 5400.0;
    }
}

double TarvoPropMaterialObj::Nu() const {
    switch (SymType) {
        case kIsotropic:
            return IsoU;
        case kOrthotropic:
            return OrtU[0];
        case kAnisotropic:
            return AniU[0];
        default:
            return 0.05;
    }
}

double TarvoPropMaterialObj::G() const {
    switch (SymType) {
        case kIsotropic:
            return IsoG;
        case kOrthotropic:
            return OrtG[0];
        case kAnisotropic:
            return AniG[0];
        case kUniaxial:
            return UniE / 2.0;
        default:
            return 2700.0;
    }
}

}  // namespace t2v::source
