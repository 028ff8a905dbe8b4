// Material components: every concrete, steel and rebar material becomes the inelastic
// and elastic material components that the cross sections and compounds refer to.
//
// Record layouts: target/MaterialLayout.h.
#include "common/Text.h"
#include "target/FillSteps.h"
#include "target/MaterialLayout.h"

namespace t2v::target {
namespace {

using source::TarvoPropMaterialObj;

constexpr int kSteel = 1;
constexpr int kConcrete = 2;
constexpr int kRebar = 6;

namespace hdr = layout::material;
namespace ine = layout::inelastic_material;
namespace fib = layout::elastic_fiber_material;
namespace shr = layout::elastic_shear_material;
namespace slb = layout::elastic_slab_material;

enum Kind : int {
    kKindSteelNonBuckling = 0,
    kKindConcrete = 1,
    kKindWallShear = 2,
    kKindElasticFiber = 4,
    kKindElasticShear = 5,
    kKindElasticSlab = 6,
};

void setHeader(RecordView r, const VantraModel& m, const std::string& name, int number, int kind) {
    r.text(hdr::kName, layout::kNameLength, name);
    r.i16(hdr::kNumber, number);
    r.u8(hdr::kKind, kind);
    r.u8(hdr::kLengthUnit, m.LengthUnit);
    r.u8(hdr::kForceUnit, m.ForceUnit);
}

int AddVantraInelasticMaterial(VantraModel& m) {
    auto& t = m.InelasticMaterialTable;
    int id = m.addComponent(t);
    return id;
}

void SetVantraInelasticMaterial(VantraModel& m, int n, const std::string& name, int kind, double modulus, double a1,
                                double a2, double a3, double a4) {
    RecordView r = m.InelasticMaterialTable.rec(n);
    setHeader(r, m, name, n, kind);
    layout::writeFixed(r, ine::kFixedBytes);
    layout::writeFixed(r, ine::kFixedWords);
    r.i16(ine::kNumberAgain, n);
    r.f32(ine::kModulus, modulus);
    layout::writeFixed(r, ine::kFixedSingles);
    const double a[4] = {a1, a2, a3, a4};
    const std::size_t* used = kind == kKindConcrete ? ine::kConcreteArguments : ine::kSteelArguments;
    const std::size_t* unused = kind == kKindConcrete ? ine::kSteelArguments : ine::kConcreteArguments;
    for (std::size_t k = 0; k < 4; ++k) {
        r.f32(used[k], a[k]);
        r.f32(unused[k], 0.0);
    }
    m.InelasticMaterialTable.companion(n).u8(hdr::kCompanionFlag, 1);
}

int AddVantraElasticFiberMaterial(VantraModel& m) {
    auto& t = m.ElasticFiberMaterialTable;
    int id = m.addComponent(t);
    return id;
}

void SetVantraElasticFiberMaterial(VantraModel& m, int n, const std::string& name, double modulus) {
    RecordView r = m.ElasticFiberMaterialTable.rec(n);
    setHeader(r, m, name, n, kKindElasticFiber);
    layout::writeFixed(r, fib::kFixedBytes);
    layout::writeFixed(r, fib::kFixedWords);
    r.f32(fib::kModulus, modulus);
}

int AddVantraElasticShearMaterial(VantraModel& m) {
    auto& t = m.ElasticShearMaterialTable;
    int id = m.addComponent(t);
    return id;
}

void SetVantraElasticShearMaterial(VantraModel& m, int n, const std::string& name, double shearModulus) {
    RecordView r = m.ElasticShearMaterialTable.rec(n);
    setHeader(r, m, name, n, kKindElasticShear);
    layout::writeFixed(r, shr::kFixedBytes);
    layout::writeFixed(r, shr::kFixedWords);
    r.i16(shr::kNumberAgain, n);
    r.f32(shr::kModulus, shearModulus);
    r.i16(shr::kValue1Tag, shr::kTagDouble);
    r.f64(shr::kValue1, 0.95);
    r.i16(shr::kValue2Tag, shr::kTagInt16);
    r.i16(shr::kValue2, 0);
    r.i16(shr::kValue3Tag, shr::kTagInt16);
    r.i16(shr::kValue3, 0);
    layout::writeFixed(r, shr::kFixedSingles);
    m.ElasticShearMaterialTable.companion(n).u8(hdr::kCompanionFlag, 1);
}

int AddVantraElasticSlabMaterial(VantraModel& m) {
    auto& t = m.ElasticSlabMaterialTable;
    int id = m.addComponent(t);
    return id;
}

void SetVantraElasticSlabMaterial(VantraModel& m, int n, const std::string& name, double modulus, double poisson) {
    RecordView r = m.ElasticSlabMaterialTable.rec(n);
    setHeader(r, m, name, n, kKindElasticSlab);
    layout::writeFixed(r, slb::kFixedBytes);
    layout::writeFixed(r, slb::kFixedWords);
    r.f32(slb::kModulus, modulus);
    r.f32(slb::kPoisson, poisson);
}

}  // namespace

void FillVantraMaterials(FillContext& c) {
    source::TarvoModelObj& src = c.src;
    VantraModel& m = c.m;
    const int num = src.PropMatNum();

    // Inelastic materials: rebar fibres, then concrete fibres, then concrete wall shear.
    m.InelasticMaterialTable.reset(0, m.InelasticMaterialTable.capacity());
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        if (mat.MatType != kRebar) continue;
        int n = AddVantraInelasticMaterial(m);
        SetVantraInelasticMaterial(m, n, MakeVantraName("MatIneFibRebar-", mat.Label, i), kKindSteelNonBuckling,
                                   mat.E(), mat.RebareFy, mat.RebareFu, 0.0, 0.2);
        mat.idVantraInelastic = n;
    }
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        if (mat.MatType != kConcrete) continue;
        int n = AddVantraInelasticMaterial(m);
        SetVantraInelasticMaterial(m, n, MakeVantraName("MatIneFibConc-", mat.Label, i), kKindConcrete, mat.E(),
                                   mat.Fy(), mat.Fu(), 0.04, 0.02);
        mat.idVantraInelastic = n;
    }
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        if (mat.MatType != kConcrete) continue;
        int n = AddVantraInelasticMaterial(m);
        SetVantraInelasticMaterial(m, n, MakeVantraName("MatIneShearConc-", mat.Label, i), kKindWallShear, mat.G(), 0.0,
                                   mat.Fu() / 2.0, 0.0, 2.0);
        mat.idVantraInelasticShear = n;
    }

    // Elastic fibre materials.
    m.ElasticFiberMaterialTable.reset(0, m.ElasticFiberMaterialTable.capacity());
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        const char* prefix = mat.MatType == kConcrete ? "MatElaFiberConc-"
                             : mat.MatType == kSteel  ? "MatElaFiberSteel-"
                                                      : nullptr;
        if (!prefix) continue;
        int n = AddVantraElasticFiberMaterial(m);
        SetVantraElasticFiberMaterial(m, n, MakeVantraName(prefix, mat.Label, i), mat.E());
        mat.idVantraElasticFiber = n;
    }

    // Elastic wall shear materials.
    m.ElasticShearMaterialTable.reset(0, m.ElasticShearMaterialTable.capacity());
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        const char* prefix = mat.MatType == kConcrete ? "MatElaShearConc-"
                             : mat.MatType == kSteel  ? "MatElaShearSteel-"
                                                      : nullptr;
        if (!prefix) continue;
        int n = AddVantraElasticShearMaterial(m);
        SetVantraElasticShearMaterial(m, n, MakeVantraName(prefix, mat.Label, i), mat.G());
        mat.idVantraElasticShear = n;
    }

    // Elastic slab materials (the table starts from the store's empty state).
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        const char* prefix = mat.MatType == kConcrete ? "MatElaSlabConc-"
                             : mat.MatType == kSteel  ? "MatElaSlabSteel-"
                                                      : nullptr;
        if (!prefix) continue;
        int n = AddVantraElasticSlabMaterial(m);
        SetVantraElasticSlabMaterial(m, n, MakeVantraName(prefix, mat.Label, i), mat.E(), mat.Nu());
        mat.idVantraElasticSlab = n;
    }
}

}  // namespace t2v::target
