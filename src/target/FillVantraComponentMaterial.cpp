// Material components: every concrete, steel and rebar material becomes the inelastic
// and elastic material components that the cross sections and compounds refer to.
//
// Common header of every material record:
//   off  width  meaning
//     0  40     name
//    40  i16    component number (the record's own position)
//    42  u8     kind: 0 steel non-buckling, 1 concrete, 2 wall shear, 4 elastic fibre,
//               5 elastic wall shear, 6 elastic slab
//    43  u8     length unit code
//    44  u8     force unit code
#include "common/Text.h"
#include "target/FillSteps.h"

namespace t2v::target {
namespace {

using source::TarvoPropMaterialObj;

constexpr int kSteel = 1;
constexpr int kConcrete = 2;
constexpr int kRebar = 6;

namespace hdr {
constexpr std::size_t kName = 0, kNameLength = 40, kNumber = 40, kKind = 42, kLengthUnit = 43, kForceUnit = 44;
}

enum Kind : int {
    kKindSteelNonBuckling = 0,
    kKindConcrete = 1,
    kKindWallShear = 2,
    kKindElasticFiber = 4,
    kKindElasticShear = 5,
    kKindElasticSlab = 6,
};

void setHeader(RecordView r, const VantraModel& m, const std::string& name, int number, int kind) {
    r.text(hdr::kName, hdr::kNameLength, name);
    r.i16(hdr::kNumber, number);
    r.u8(hdr::kKind, kind);
    r.u8(hdr::kLengthUnit, m.LengthUnit);
    r.u8(hdr::kForceUnit, m.ForceUnit);
}

// Inelastic material (329 bytes, companion 50):
//   45..54  u8 x10  0, 1, 0, 1, 1, 0, 0, 0, 10, 1
//   57      i16     0
//   59      i16     component number
//   65      f32     modulus
//   69      f32     0
//   81, 85, 97, 101   f32  a1..a4 (steel and wall shear kinds)
//   89, 93, 105, 109  f32  a1..a4 (concrete kind)
// Companion: first byte 1.
namespace ine {
constexpr std::size_t kFlags = 45;
constexpr std::uint8_t kFlagValues[10] = {0, 1, 0, 1, 1, 0, 0, 0, 10, 1};
constexpr std::size_t kWord57 = 57, kNumberAgain = 59, kModulus = 65, kZero69 = 69;
constexpr std::size_t kSteelSlots[4] = {81, 85, 97, 101};
constexpr std::size_t kConcreteSlots[4] = {89, 93, 105, 109};
}  // namespace ine

int AddVantraInelasticMaterial(VantraModel& m) {
    auto& t = m.InelasticMaterialTable;
    int id = t.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(t.count());
    return id;
}

void SetVantraInelasticMaterial(VantraModel& m, int n, const std::string& name, int kind, double modulus, double a1,
                                double a2, double a3, double a4) {
    RecordView r = m.InelasticMaterialTable.rec(n);
    setHeader(r, m, name, n, kind);
    for (std::size_t k = 0; k < 10; ++k) r.u8(ine::kFlags + k, ine::kFlagValues[k]);
    r.i16(ine::kWord57, 0);
    r.i16(ine::kNumberAgain, n);
    r.f32(ine::kModulus, modulus);
    r.f32(ine::kZero69, 0.0);
    const double a[4] = {a1, a2, a3, a4};
    const std::size_t* used = kind == kKindConcrete ? ine::kConcreteSlots : ine::kSteelSlots;
    const std::size_t* unused = kind == kKindConcrete ? ine::kSteelSlots : ine::kConcreteSlots;
    for (std::size_t k = 0; k < 4; ++k) {
        r.f32(used[k], a[k]);
        r.f32(unused[k], 0.0);
    }
    m.InelasticMaterialTable.companion(n).u8(0, 1);
}

// Elastic fibre material (126 bytes):
//   45  u8   0
//   46  u8   1
//   50  i16  0
//   52  i16  0
//   58  f32  modulus
namespace fib {
constexpr std::size_t kByte45 = 45, kByte46 = 46, kWord50 = 50, kWord52 = 52, kModulus = 58;
}

int AddVantraElasticFiberMaterial(VantraModel& m) {
    auto& t = m.ElasticFiberMaterialTable;
    int id = t.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(t.count());
    return id;
}

void SetVantraElasticFiberMaterial(VantraModel& m, int n, const std::string& name, double modulus) {
    RecordView r = m.ElasticFiberMaterialTable.rec(n);
    setHeader(r, m, name, n, kKindElasticFiber);
    r.u8(fib::kByte45, 0);
    r.u8(fib::kByte46, 1);
    r.i16(fib::kWord50, 0);
    r.i16(fib::kWord52, 0);
    r.f32(fib::kModulus, modulus);
}

// Elastic wall shear material (152 bytes, companion 56):
//   45, 46, 47, 48  u8   1, 0, 0, 1
//   50   i16  1
//   52   i16  component number
//   58   f32  shear modulus
//   62   three tagged slots, 18 bytes:
//          62 i16 type 5 (double), 64 f64 0.95
//          72 i16 type 2 (int16),  74 i16 0
//          76 i16 type 2 (int16),  78 i16 0
//   80 + 0, 4        f32  0
//   80 + 16          f32  0.8
//   80 + 20..32      f32  0 (four values)
//   (the record ends 72 bytes after the slots)
// Companion: first byte 1.
// The two integer slots hold 16-bit integers: with them the record keeps its size of
// 62 + 18 + 72 bytes.
namespace shr {
constexpr std::size_t kByte45 = 45, kByte46 = 46, kByte47 = 47, kByte48 = 48, kWord50 = 50, kNumberAgain = 52,
                      kModulus = 58;
constexpr int kSlotDouble = 5, kSlotInt16 = 2;
constexpr std::size_t kSlot1Type = 62, kSlot1Value = 64, kSlot2Type = 72, kSlot2Value = 74, kSlot3Type = 76,
                      kSlot3Value = 78, kAfterSlots = 80;
constexpr std::size_t kTail[] = {0, 4, 16, 20, 24, 28, 32};
constexpr std::size_t kTailReduction = 16;
}  // namespace shr
static_assert(shr::kAfterSlots + 72 == decltype(VantraModel::ElasticShearMaterialTable)::kRecordSize);

int AddVantraElasticShearMaterial(VantraModel& m) {
    auto& t = m.ElasticShearMaterialTable;
    int id = t.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(t.capacity());
    return id;
}

void SetVantraElasticShearMaterial(VantraModel& m, int n, const std::string& name, double shearModulus) {
    RecordView r = m.ElasticShearMaterialTable.rec(n);
    setHeader(r, m, name, n, kKindElasticShear);
    r.u8(shr::kByte45, 1);
    r.u8(shr::kByte46, 0);
    r.u8(shr::kByte47, 0);
    r.u8(shr::kByte48, 1);
    r.i16(shr::kWord50, 1);
    r.i16(shr::kNumberAgain, n);
    r.f32(shr::kModulus, shearModulus);
    r.i16(shr::kSlot1Type, shr::kSlotDouble);
    r.f64(shr::kSlot1Value, 0.95);
    r.i16(shr::kSlot2Type, shr::kSlotInt16);
    r.i16(shr::kSlot2Value, 0);
    r.i16(shr::kSlot3Type, shr::kSlotInt16);
    r.i16(shr::kSlot3Value, 0);
    for (std::size_t off : shr::kTail) r.f32(shr::kAfterSlots + off, off == shr::kTailReduction ? 0.8 : 0.0);
    m.ElasticShearMaterialTable.companion(n).u8(0, 1);
}

// Elastic slab material (174 bytes):
//   45  u8   0
//   46  u8   1
//   52  i16  0
//   58  f32  modulus
//   78  f32  Poisson ratio
namespace slb {
constexpr std::size_t kByte45 = 45, kByte46 = 46, kWord52 = 52, kModulus = 58, kPoisson = 78;
}

int AddVantraElasticSlabMaterial(VantraModel& m) {
    auto& t = m.ElasticSlabMaterialTable;
    int id = t.add(Growth::CountPlus10);
    m.raiseMaxComponentCapacity(t.capacity());
    return id;
}

void SetVantraElasticSlabMaterial(VantraModel& m, int n, const std::string& name, double modulus, double poisson) {
    RecordView r = m.ElasticSlabMaterialTable.rec(n);
    setHeader(r, m, name, n, kKindElasticSlab);
    r.u8(slb::kByte45, 0);
    r.u8(slb::kByte46, 1);
    r.i16(slb::kWord52, 0);
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
        SetVantraInelasticMaterial(m, n, MakeVantraName("MatIneShearConc-", mat.Label, i), kKindWallShear, mat.G(),
                                   0.0, mat.Fu() / 2.0, 0.0, 2.0);
        mat.idVantraInelasticShear = n;
    }

    // Elastic fibre materials.
    m.ElasticFiberMaterialTable.reset(0, m.ElasticFiberMaterialTable.capacity());
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        const char* prefix = mat.MatType == kConcrete ? "MatElaFiberConc-" : mat.MatType == kSteel ? "MatElaFiberSteel-" : nullptr;
        if (!prefix) continue;
        int n = AddVantraElasticFiberMaterial(m);
        SetVantraElasticFiberMaterial(m, n, MakeVantraName(prefix, mat.Label, i), mat.E());
        mat.idVantraElasticFiber = n;
    }

    // Elastic wall shear materials.
    m.ElasticShearMaterialTable.reset(0, m.ElasticShearMaterialTable.capacity());
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        const char* prefix = mat.MatType == kConcrete ? "MatElaShearConc-" : mat.MatType == kSteel ? "MatElaShearSteel-" : nullptr;
        if (!prefix) continue;
        int n = AddVantraElasticShearMaterial(m);
        SetVantraElasticShearMaterial(m, n, MakeVantraName(prefix, mat.Label, i), mat.G());
        mat.idVantraElasticShear = n;
    }

    // Elastic slab materials (the table starts from the store's empty state).
    for (int i = 1; i <= num; ++i) {
        TarvoPropMaterialObj& mat = src.PropMatObj(i);
        const char* prefix = mat.MatType == kConcrete ? "MatElaSlabConc-" : mat.MatType == kSteel ? "MatElaSlabSteel-" : nullptr;
        if (!prefix) continue;
        int n = AddVantraElasticSlabMaterial(m);
        SetVantraElasticSlabMaterial(m, n, MakeVantraName(prefix, mat.Label, i), mat.E(), mat.Nu());
        mat.idVantraElasticSlab = n;
    }
}

}  // namespace t2v::target
