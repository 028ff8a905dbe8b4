// The source objects: the host model as the transfer reads it.
//
// Every object carries the host's name in Label. Fields whose names begin with id
// (idVantraElem, idVantraCompoundWall, ...) hold the 1-based identifiers of the
// target records made for the object; the fill steps write them, later fill steps
// read them. Per-item lists are std::vector (0-based in code); the names and meanings
// follow the read steps that fill them.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace t2v::source {

class TarvoConstraintObj;
class TarvoPropMaterialObj;
class TarvoPropFrameSectObj;
class TarvoPropAreaSectObj;
class TarvoFrameReleaseObj;

using Dof6 = std::array<double, 6>;

// ---------------------------------------------------------------------------------------
class TarvoNodeObj {
public:
    std::int32_t id = 0;  // position in the node table + 1: the target node number
    std::string Label;
    double x = 0, y = 0, z = 0;
    std::array<bool, 6> IsRestrained{};  // UX, UY, UZ, RX, RY, RZ
    Dof6 PointMass{}, LoadMass{}, FrameLoadMass{}, AreaLoadMass{}, Mass{};
    std::vector<TarvoConstraintObj*> Constraints;  // ConstraintNum / ConstraintObj(i)

    int ConstraintNum() const { return static_cast<int>(Constraints.size()); }
    TarvoConstraintObj* ConstraintObj(int i) const { return Constraints.at(static_cast<std::size_t>(i - 1)); }
    void AddConstraintRef(TarvoConstraintObj* c) { Constraints.push_back(c); }

    bool IsSupport() const {
        for (bool r : IsRestrained)
            if (r) return true;
        return false;
    }
    // The in-plane freedoms of a horizontal diaphragm.
    bool IsSupportXY() const { return IsRestrained[0] || IsRestrained[1] || IsRestrained[5]; }
    bool MassExist() const {
        for (double m : Mass)
            if (std::fabs(m) > 1e-6) return true;
        return false;
    }
};

// ---------------------------------------------------------------------------------------
class TarvoConstraintObj {
public:
    std::int32_t id = 0, idSort = 0;
    std::string Label;
    // NodeNum / NodeObj(i). Change it through the operations below, which keep the
    // node-id index of a large diaphragm in step; a direct append or removal is
    // noticed and re-indexed, a direct overwrite of an entry is not.
    std::vector<TarvoNodeObj*> Nodes;

    int NodeNum() const { return static_cast<int>(Nodes.size()); }
    TarvoNodeObj* NodeObj(int i) const { return Nodes.at(static_cast<std::size_t>(i - 1)); }

    bool FindNode(const TarvoNodeObj* n) const;
    void NodeAdd(TarvoNodeObj* n);  // nullptr is not held
    bool ExistCommonNode(const TarvoConstraintObj& other) const;
    void UnionConstraint(TarvoConstraintObj& other);
    void MergeConstraintObj(TarvoConstraintObj& other);
    void RemoveSupportNode();

private:
    bool holdsId(std::int32_t id) const;
    void forgetIndex() const;
    // How many held nodes carry each id; built on first use once the constraint is
    // large enough for scanning to cost more than hashing.
    mutable std::unordered_map<std::int32_t, int> nodeIds_;
    mutable std::size_t indexedNodes_ = 0;
    mutable bool indexed_ = false;
};

// ---------------------------------------------------------------------------------------
class TarvoPropMaterialObj {
public:
    std::string Label;
    std::int32_t MatType = 0;  // 1 steel, 2 concrete, 6 rebar
    std::int32_t SymType = 0;  // 0 isotropic, 1 orthotropic, 2 anisotropic, 3 uniaxial
    double IsoE = 0, IsoU = 0, IsoA = 0, IsoG = 0;
    double UniE = 0, UniA = 0;
    std::array<double, 3> AniE{}, AniG{};
    std::array<double, 15> AniU{};
    std::array<double, 5> AniA{};
    std::array<double, 3> OrtE{}, OrtU{}, OrtA{}, OrtG{};
    double SteelFy = 0, SteelFu = 0, SteeleFy = 0, SteeleFu = 0;
    double RebarFy = 0, RebarFu = 0, RebareFy = 0, RebareFu = 0;
    double ConcFc = 0;
    double UnitMass = 0, UnitWeight = 0;
    std::int32_t idVantraInelastic = 0, idVantraElasticShear = 0, idVantraInelasticShear = 0, idVantraElasticSlab = 0,
                 idVantraElasticFiber = 0;

    double Fy() const;
    double Fu() const;
    double E() const;
    double Nu() const;
    double G() const;
};

// ---------------------------------------------------------------------------------------
class TarvoFrameReleaseObj {
public:
    std::array<bool, 6> Release{};  // U1, U2, U3, R1, R2, R3
    std::int32_t idVantraXecElaRelease = 0;
};

// ---------------------------------------------------------------------------------------
class TarvoPropFrameSectObj {
public:
    std::string Label;
    std::int32_t id = 0;
    std::int32_t PropType = 0;  // host shape: 1 I-section, 8 rectangle, 14 variable
    std::string PropMatName;
    TarvoPropMaterialObj* PropMatObj = nullptr;
    double t2 = 0, t3 = 0, tf = 0, tw = 0, t2b = 0, tfb = 0;
    double area = 0, As2 = 0, As3 = 0, TorsionConst = 0, I22 = 0, I33 = 0;
    double S22 = 0, S33 = 0, Z22 = 0, Z33 = 0, R22 = 0, R33 = 0;

    // Release pairs used by frames of this section, with their release compounds.
    // A pair is recorded per member form (ReleaseForm: 0 beam, 1 column), since the
    // compound of a pair holds the cross section of that form.
    std::vector<const TarvoFrameReleaseObj*> ReleaseIObj, ReleaseJObj;
    std::vector<std::int32_t> idVantraRelease;
    std::vector<std::int32_t> ReleaseForm;
    int ReleaseNum() const { return static_cast<int>(ReleaseIObj.size()); }
    // Position (0-based, into the lists above) of the first pair of that form that is
    // exactly these two objects (nothing matches nothing), else -1.
    int GetIdxRelease(const TarvoFrameReleaseObj* i, const TarvoFrameReleaseObj* j, int form = 0) const;
    void AddRelease(const TarvoFrameReleaseObj* i, const TarvoFrameReleaseObj* j, std::int32_t idx, int form = 0);

private:
    struct ReleaseKey {
        const TarvoFrameReleaseObj* i;
        const TarvoFrameReleaseObj* j;
        int form;
        bool operator==(const ReleaseKey&) const = default;
    };
    struct ReleaseKeyHash {
        std::size_t operator()(const ReleaseKey& k) const noexcept {
            std::size_t h = std::hash<const void*>{}(k.i);
            h ^= std::hash<const void*>{}(k.j) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
            return h ^ static_cast<std::size_t>(k.form);
        }
    };
    // First position of each pair, so that a section used by many frames answers in
    // constant time.
    std::unordered_map<ReleaseKey, int, ReleaseKeyHash> releaseIndex_;

public:
    std::int32_t idVantraCompoundEmbededBeam = 0, idVantraCompoundEmbededBeamRelease = 0;
    std::int32_t idVantraXsectEmbedBeam = 0, idVantraXsectSteelBeam = 0, idVantraXsectSteelCol = 0,
                 idVantraXsectConcBeam = 0, idVantraXsectConcCol = 0;
    std::int32_t idVantraInelasFemaSteelBeam = 0, idVantraInelasFemaSteelCol = 0, idVantraInelasFemaConcBeam = 0,
                 idVantraInelasFemaConcCol = 0;
    std::int32_t idVantraCompoundSteelBeam = 0, idVantraCompoundSteelCol = 0, idVantraCompoundSteelBrace = 0,
                 idVantraCompoundConcBeam = 0, idVantraCompoundConcCol = 0, idVantraCompoundConcBrace = 0;
    std::int32_t idVantraCompoundFemaSteelBeam = 0, idVantraCompoundFemaSteelCol = 0,
                 idVantraCompoundFemaSteelBrace = 0, idVantraCompoundFemaConcBeam = 0, idVantraCompoundFemaConcCol = 0,
                 idVantraCompoundFemaConcBrace = 0;
};

// ---------------------------------------------------------------------------------------
// Loads of one frame. The superposition of the distributed loads is summed in a
// TarvoPairObj that the read step keeps for itself: only the resulting segments are
// kept on each load.
// Piecewise-linear distribution over the relative length 0..1.
class TarvoPairObj {
public:
    std::vector<double> dist, ValLeft, ValRight;
    int ItemNum() const { return static_cast<int>(dist.size()); }
    void AddFirstPair();
    void AddPair(double d1, double left1, double right1, double d2, double left2, double right2);
};

// The values of a frame load, one per segment or point. Nearly every frame load has a
// single one, and a heap block per list (four per distributed load) was most of a load's
// memory in a large model: one value is kept in place, more go to the heap.
class LoadValues {
public:
    LoadValues() = default;
    LoadValues(const std::vector<double>& v) { append(v.data(), v.size()); }  // NOLINT: stands in for a vector
    LoadValues(const LoadValues& o) { append(o.begin(), o.size()); }
    LoadValues(LoadValues&& o) noexcept { take(o); }
    LoadValues& operator=(const LoadValues& o) {
        if (this != &o) {
            size_ = 0;
            append(o.begin(), o.size());
        }
        return *this;
    }
    LoadValues& operator=(LoadValues&& o) noexcept {
        if (this != &o) {
            release();
            take(o);
        }
        return *this;
    }
    ~LoadValues() { release(); }
    operator std::vector<double>() const { return std::vector<double>(begin(), end()); }  // NOLINT

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    double* begin() { return data(); }
    double* end() { return data() + size_; }
    const double* begin() const { return data(); }
    const double* end() const { return data() + size_; }
    double& operator[](std::size_t i) { return data()[i]; }
    const double& operator[](std::size_t i) const { return data()[i]; }
    double& front() { return data()[0]; }
    double& back() { return data()[size_ - 1]; }
    const double& front() const { return data()[0]; }
    const double& back() const { return data()[size_ - 1]; }
    void clear() { size_ = 0; }
    void push_back(double v) {
        if (size_ == capacity_) grow(capacity_ * 2);
        data()[size_++] = v;
    }
    double* erase(double* at) {
        double* last = end();
        for (double* p = at; p + 1 < last; ++p) *p = *(p + 1);
        --size_;
        return at;
    }

private:
    bool onHeap() const { return capacity_ > 1; }
    double* data() { return onHeap() ? heap_ : &inline_; }
    const double* data() const { return onHeap() ? heap_ : &inline_; }
    void append(const double* from, std::size_t n) {
        if (size_ + n > capacity_) grow(std::max<std::size_t>(size_ + n, 2));
        for (std::size_t i = 0; i < n; ++i) data()[size_ + i] = from[i];
        size_ += static_cast<std::uint32_t>(n);
    }
    void grow(std::size_t capacity) {
        double* bigger = new double[capacity];
        for (std::uint32_t i = 0; i < size_; ++i) bigger[i] = data()[i];
        release();
        heap_ = bigger;
        capacity_ = static_cast<std::uint32_t>(capacity);
    }
    void release() {
        if (onHeap()) delete[] heap_;
        capacity_ = 1;
    }
    void take(LoadValues& o) {
        size_ = o.size_;
        capacity_ = o.capacity_;
        if (o.onHeap())
            heap_ = o.heap_;
        else
            inline_ = o.inline_;
        o.size_ = 0;
        o.capacity_ = 1;
    }
    std::uint32_t size_ = 0, capacity_ = 1;
    union {
        double inline_ = 0;
        double* heap_;
    };
};

// Frame distributed loads of one pattern on one frame: non-overlapping trapezoids.
class TarvoLoadFrameDistObj {
public:
    std::string Label, PatternLabel, CSys;
    std::int32_t LoadType = 1;
    std::int32_t Dir = 0;
    LoadValues RD1, RD2, Val1, Val2;  // ItemNum segments
    int ItemNum() const { return static_cast<int>(RD1.size()); }
    void AddLoadFrameDistributed(int direction, double rd1, double rd2, double val1, double val2);
};

// Frame interior point loads of one pattern on one frame.
class TarvoLoadFramePointObj {
public:
    std::string Label, PatternLabel, CSys;
    std::int32_t LoadType = 1;
    std::int32_t Direction = 0;
    LoadValues RD, Val;  // ItemNum items
    int ItemNum() const { return static_cast<int>(RD.size()); }
    void AddLoadFramePoint(int direction, double rd, double val);
    void RemoveLoadFramePoint(int idx);  // 1-based
};

class TarvoFrameObj {
public:
    TarvoFrameObj();
    ~TarvoFrameObj();
    TarvoFrameObj(TarvoFrameObj&&) noexcept;
    TarvoFrameObj& operator=(TarvoFrameObj&&) noexcept;

    std::string Label, PropFrameSectName;
    TarvoPropFrameSectObj* PropFrameSectObj = nullptr;
    std::string LabelNodeI, LabelNodeJ;
    std::int32_t NodeI = 0, NodeJ = 0;
    double Angle = 0;
    const TarvoFrameReleaseObj* ReleaseIObj = nullptr;
    const TarvoFrameReleaseObj* ReleaseJObj = nullptr;
    bool HingeI = false, HingeJ = false;
    std::int32_t HingeTypeI = -1, HingeTypeJ = -1;
    std::int32_t VantraFrameType = 0;  // 1 vertical, 2 horizontal, 3 inclined
    std::int32_t VantraSectType = 3;
    std::int32_t VantraMatType = 3;  // 1 concrete, 2 steel, 3 other
    std::int32_t VantraConcType = 3;
    double MassOverL = 0;
    std::int32_t idVantraElem = 0, idVantraElemGroup = 0, idVantraElemSubGroup = 0;
    std::vector<std::int32_t> idVantraElemLoadSubGroup;
    std::int32_t idCompdRelealse = 0;

    // Held in place: a frame's loads are one allocation per kind, not one per load.
    std::vector<TarvoLoadFrameDistObj> LoadFrameDistributed;
    std::vector<TarvoLoadFramePointObj> LoadFramePoint;
    int LoadFrameDistributedNum() const { return static_cast<int>(LoadFrameDistributed.size()); }
    int LoadFramePointNum() const { return static_cast<int>(LoadFramePoint.size()); }

    void Redim_VantraSubGroup(int n) { idVantraElemLoadSubGroup.resize(static_cast<std::size_t>(n)); }
    bool IsFEMAFrame() const { return HingeI || HingeJ; }
    bool isIReleased() const { return ReleaseIObj != nullptr; }
    bool isJReleased() const { return ReleaseJObj != nullptr; }
    bool LoadFrameDistributedNotEmpty(const std::string& pattern) const;
    bool LoadFramePointNotEmpty(const std::string& pattern) const;

    // The next frame with the same label, in table order (kept by the model's index).
    TarvoFrameObj* NextSameLabel = nullptr;
};

// ---------------------------------------------------------------------------------------
class TarvoPropAreaSectObj {
public:
    std::string Label;
    std::int32_t PropType = 0;   // 1 shell
    std::int32_t ShellType = 0;  // 1 single shell, 6 layered
    std::int32_t IncludeDrillingDOF = 0;
    std::string PropMat;
    TarvoPropMaterialObj* PropMatObj = nullptr;
    double MatAng = 0, Thick = 0, Bending = 0;
    std::string LabelMat;

    // Layers, all sized together (RedimLayer).
    int LayerNum = 0;
    std::vector<std::string> LayerNames, LayerMatProp;
    std::vector<double> LayerDists, LayerThick, LayerMatAng;
    std::vector<std::int32_t> LayerNumIntPts, LayerType, LayerS11Type, LayerS22Type, LayerS12Type;
    void RedimLayer(int n);

    std::int32_t LayerVantraType = 0;
    double LayerVantraThick = 0, LayerVantraThickBend = 0, LayerVantraThickRebarV = 0, LayerVantraThickRebarH = 0;
    TarvoPropMaterialObj* LayerPropMatConcObj = nullptr;
    TarvoPropMaterialObj* LayerPropMatRebarObj = nullptr;
    TarvoPropMaterialObj* LayerPropMatObj = nullptr;

    std::int32_t idVantraXSectWallIne = 0, idVantraXSectGWallIneH = 0, idVantraXSectGWallIneV = 0,
                 idVantraXSectGWallEla = 0, idVantraCompoundWall = 0, idVantraCompoundGWall = 0,
                 idVantraXSectWallEla = 0, idVantraXSectSlabEla = 0;
};

// ---------------------------------------------------------------------------------------
class TarvoAreaObj {
public:
    std::string Label, PropAreaSectName;
    TarvoPropAreaSectObj* PropAreaSectObj = nullptr;
    int NumNodes = 0;
    std::vector<std::string> LabelNodes;  // 1..NumNodes in code as [0..NumNodes-1]
    std::vector<std::int32_t> idNodes;
    void RedimJoint(int n) {
        NumNodes = n;
        LabelNodes.resize(static_cast<std::size_t>(n));
        idNodes.resize(static_cast<std::size_t>(n));
    }
    std::int32_t Orientation = 0;  // 1 wall, 2 slab, 3 ramp
    std::array<bool, 4> IsEmbed{};
    TarvoPropFrameSectObj* EmbedFrameObj = nullptr;
    double MassOverL2 = 0;
    std::int32_t idVantraElem = 0, idVantraElemGroup = 0;

    // The next area with the same label, in table order (kept by the model's index).
    TarvoAreaObj* NextSameLabel = nullptr;
};

// ---------------------------------------------------------------------------------------
class TarvoLoadPatternObj {
public:
    std::string Label;
    std::int32_t LoadType = 0;
    double SelfWtMultiplier = 0;
    bool LoadNodeNotEmpty = false, LoadElementNotEmpty = false, SelfWeightNotEmpty = false;
    std::string VantraLoadPatternNodeName, VantraLoadPatternElementName, VantraLoadPatternSelfWeightName;
};

class TarvoLoadNodeObj {
public:
    std::string Label;
    struct Item {
        std::string LoadPattern;
        double F1 = 0, F2 = 0, F3 = 0, M1 = 0, M2 = 0, M3 = 0;
    };
    std::vector<Item> Items;  // ItemNum; at most one item per pattern
    int ItemNum() const { return static_cast<int>(Items.size()); }
    void SetLoadNode(const std::string& label, const std::string& pattern, double F1, double F2, double F3, double M1,
                     double M2, double M3);
};

class TarvoLoadAreaObj {
public:
    std::string Label;
    struct Item {
        std::string LoadPattern;
        std::int32_t Direction = 0;
        double Value = 0;  // upward-positive pressure
    };
    std::vector<Item> Items;
    int ItemNum() const { return static_cast<int>(Items.size()); }
    void SetLoadArea(const std::string& label, const std::string& pattern, const std::string& csys, int dir,
                     double value);
};

// ---------------------------------------------------------------------------------------
class TarvoTHFuncObj {
public:
    std::string Label;
    double Dt = 0;
    std::vector<double> Time, Value;
    // Name of the earthquake record file written for the function: the label itself,
    // or a file-system-safe form of it when the label cannot be a file name.
    std::string RecordFileName;
    int ValueNum() const { return static_cast<int>(Time.size()); }
    void AddTHFunc(double value, double time) {
        Value.push_back(value);
        Time.push_back(time);
    }
};

}  // namespace t2v::source
