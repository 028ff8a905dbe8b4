// Area sections and layered shells (read steps 3 and 17).
#include <cmath>
#include <vector>

#include "source/TarvoModelObj.h"

namespace t2v::source {
namespace {

constexpr int kShellSection = 1;  // host area section type: shell
constexpr int kThinShell = 1;     // shell types read
constexpr int kLayeredShell = 6;

constexpr int kSteel = 1;
constexpr int kConcrete = 2;
constexpr int kRebar = 6;

// Thicknesses below this are replaced by a small positive one, so that no target
// section has a zero thickness.
constexpr double kThinLimit = 1e-6;
constexpr double kSmallThickness = 0.001;

// Layer behaviour codes: 1 shell, 2 membrane, 3 plate; stress components 2 nonlinear.
bool isStructural(int layerType) { return layerType == 1 || layerType == 2; }  // carries membrane forces
bool bends(int layerType) { return layerType == 1 || layerType == 3; }
constexpr int kNonlinear = 2;

// Angle tests of the layer classification (degrees).
constexpr double kAxisTolerance = 0.1;
constexpr double kBarTolerance = 5.0;

}  // namespace

void TarvoPropAreaSectObj::RedimLayer(int n) {
    LayerNum = n;
    const auto size = static_cast<std::size_t>(n);
    LayerNames.resize(size);
    LayerDists.resize(size);
    LayerThick.resize(size);
    LayerMatProp.resize(size);
    LayerMatAng.resize(size);
    LayerNumIntPts.resize(size);
    LayerType.resize(size);
    LayerS11Type.resize(size);
    LayerS22Type.resize(size);
    LayerS12Type.resize(size);
}

void TarvoModelObj::ReadAreaSections() {
    host::TarvoHost& h = host_;
    host::Names names;
    h.GetAreaSectionNameList(names);
    for (const std::string& name : names) {
        int type = 0;
        h.GetAreaSectionType(name, type);
        if (type != kShellSection) continue;
        int shellType = 0, drilling = 0;
        std::string material;
        double angle = 0, thick = 0, bending = 0;
        h.GetShell(name, shellType, drilling, material, angle, thick, bending);

        if (shellType == kThinShell) {
            TarvoPropAreaSectObj& s = AddPropAreaSect(name);
            s.PropType = type;
            s.ShellType = shellType;
            s.IncludeDrillingDOF = drilling;
            s.PropMat = material;
            s.MatAng = angle;
            s.Thick = thick < kThinLimit ? kSmallThickness : thick;
            s.Bending = bending < kThinLimit ? kSmallThickness : bending;
        } else if (shellType == kLayeredShell) {
            TarvoPropAreaSectObj& s = AddPropAreaSect(name);
            s.PropType = type;
            s.ShellType = shellType;
            std::vector<host::ShellLayer> layers;
            h.GetShellLayers(name, layers);
            s.RedimLayer(static_cast<int>(layers.size()));
            for (std::size_t i = 0; i < layers.size(); ++i) {
                const host::ShellLayer& l = layers[i];
                s.LayerDists[i] = l.distance;
                s.LayerNames[i] = l.name;
                s.LayerThick[i] = l.thickness;
                s.LayerType[i] = l.type;
                s.LayerNumIntPts[i] = l.integrationPoints;
                s.LayerMatProp[i] = l.material;
                s.LayerMatAng[i] = l.angle;
                s.LayerS11Type[i] = l.s11;
                s.LayerS22Type[i] = l.s22;
                s.LayerS12Type[i] = l.s12;
            }
        }
    }
}

void TarvoModelObj::LinkAreaSectionsToMaterials() {
    for (TarvoPropAreaSectObj& s : PropAreaSects) s.PropMatObj = PropMaterialObjGet(s.PropMat);
    for (TarvoPropAreaSectObj& s : PropAreaSects)
        if (s.ShellType == kLayeredShell && s.PropType == kShellSection) GenerateLayerVantraType(s);
}

namespace {

// The layers' materials, looked up once; a layer whose material the model lacks has none.
using LayerMaterials = std::vector<TarvoPropMaterialObj*>;

bool IsLayerOf(const LayerMaterials& m, std::size_t i, int matType) { return m[i] && m[i]->MatType == matType; }

// The wall type that one structural concrete layer makes by the direction it is
// nonlinear in, relative to its material angle: 3 both ways, 1 across the height
// (vertical bars), 2 along it (horizontal bars), 0 neither.
int WallTypeOfConcreteLayer(const TarvoPropAreaSectObj& s, std::size_t i) {
    const bool a0 = std::fabs(s.LayerMatAng[i]) < kAxisTolerance;
    const bool a90 = std::fabs(s.LayerMatAng[i] - 90.0) < kAxisTolerance;
    const bool s11 = s.LayerS11Type[i] == kNonlinear;
    const bool s22 = s.LayerS22Type[i] == kNonlinear;
    if (s11 && s22 && (a0 || a90)) return 3;
    if ((s22 && a0) || (s11 && a90)) return 1;
    if ((s11 && a0) || (s22 && a90)) return 2;
    return 0;
}

// Types 1 to 3: a section with structural concrete and rebar layers takes its type and
// concrete from the first concrete layer that has a wall type, and its rebar from the
// first structural rebar layer.
void ClassifyConcreteAndRebar(TarvoPropAreaSectObj& s, const LayerMaterials& m) {
    const std::size_t n = m.size();
    int concLayers = 0, rebarLayers = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!isStructural(s.LayerType[i])) continue;
        if (IsLayerOf(m, i, kConcrete)) ++concLayers;
        if (IsLayerOf(m, i, kRebar)) ++rebarLayers;
    }
    if (concLayers < 1 || rebarLayers < 1) return;

    for (std::size_t i = 0; i < n; ++i) {
        if (!isStructural(s.LayerType[i]) || !IsLayerOf(m, i, kConcrete)) continue;
        const int type = WallTypeOfConcreteLayer(s, i);
        if (type != 0) {
            s.LayerVantraType = type;
            s.LayerPropMatConcObj = m[i];
            break;
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (isStructural(s.LayerType[i]) && IsLayerOf(m, i, kRebar)) {
            s.LayerPropMatRebarObj = m[i];
            break;
        }
    }
}

// Type 0: one equivalent layer of the last steel or concrete material; -1 when there
// is none.
void MakeEquivalentLayer(TarvoPropAreaSectObj& s, const LayerMaterials& m) {
    const std::size_t n = m.size();
    for (std::size_t i = 0; i < n; ++i)
        if (IsLayerOf(m, i, kSteel) || IsLayerOf(m, i, kConcrete)) s.LayerPropMatObj = m[i];
    if (!s.LayerPropMatObj) {
        s.LayerVantraType = -1;
        return;
    }
    // Thickness of the reference material with the stiffness of all layers. A
    // reference without stiffness has no such equivalent: the layers then count
    // by their own thickness instead of making the section infinitely thick.
    const double eRef = s.LayerPropMatObj->E();
    double sum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        if (!m[i]) continue;
        sum += eRef != 0.0 ? m[i]->E() * s.LayerThick[i] / eRef : s.LayerThick[i];
    }
    s.LayerVantraThick += sum;
}

// Types 1 to 3: the concrete, bending and bar thicknesses the wall sections are made of.
// Bars count as vertical or horizontal by their angle; bars at other angles are left out.
void SumWallThicknesses(TarvoPropAreaSectObj& s, const LayerMaterials& m) {
    for (std::size_t i = 0; i < m.size(); ++i) {
        if (!m[i]) continue;
        const double t = s.LayerThick[i];
        if (m[i]->MatType == kConcrete) {
            if (isStructural(s.LayerType[i])) s.LayerVantraThick += t;
            if (bends(s.LayerType[i])) s.LayerVantraThickBend += t;
        } else if (m[i]->MatType == kRebar && isStructural(s.LayerType[i])) {
            const double a = std::fabs(s.LayerMatAng[i]);
            if (std::fabs(a - 90.0) < kBarTolerance)
                s.LayerVantraThickRebarV += t;
            else if (a < kBarTolerance)
                s.LayerVantraThickRebarH += t;
        }
    }
}

}  // namespace

// Classifies a layered shell for the target's wall elements:
//   1  a wall with vertical bars (concrete nonlinear across the height),
//   2  a general wall with horizontal bars,
//   3  a general wall nonlinear both ways,
//   0  no concrete-and-rebar pair: one equivalent layer of its last steel or concrete
//      material, -1 when it has none either.
// For types 1 to 3 it sums the concrete, bending and bar thicknesses the wall
// sections are made of.
void TarvoModelObj::GenerateLayerVantraType(TarvoPropAreaSectObj& s) {
    const auto n = static_cast<std::size_t>(s.LayerNum);
    LayerMaterials m(n);
    for (std::size_t i = 0; i < n; ++i) m[i] = PropMaterialObjGet(s.LayerMatProp[i]);

    ClassifyConcreteAndRebar(s, m);
    if (s.LayerVantraType == 0) MakeEquivalentLayer(s, m);
    if (s.LayerVantraType >= 1 && s.LayerVantraType <= 3) SumWallThicknesses(s, m);

    for (double* t :
         {&s.LayerVantraThickRebarV, &s.LayerVantraThickRebarH, &s.LayerVantraThick, &s.LayerVantraThickBend})
        if (*t < kThinLimit) *t = kSmallThickness;
}

}  // namespace t2v::source
