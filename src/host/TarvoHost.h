// The host model interface: every query the transfer makes of the Tarvo model.
//
// Each operation answers through its out-arguments (lists are 0-based, counts are
// the list sizes) and returns a status, 0 on success. A status that is not 0 is an
// answer ("this object has no such data"); a call that fails as a call (the host
// itself broke down) throws HostError instead. Outputs appear in the order the host
// gives them; callers never depend on anything not listed here.
//
// DefineMaterial is the only operation that changes the host model.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace t2v::host {

// A call that failed as a call. Ends the transfer.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Names = std::vector<std::string>;

// Item kind argument of the assignment queries.
enum ItemKind : int { kObject = 0, kGroup = 1 };

// Object type codes of GetPointConnectivity and GetGroupAssignments.
enum ObjectType : int { kPointObject = 1, kFrameObject = 2, kAreaObject = 5 };

struct FrameSectionProperties {
    double area = 0, As2 = 0, As3 = 0, Torsion = 0, I22 = 0, I33 = 0;
    double S22 = 0, S33 = 0, Z22 = 0, Z33 = 0, R22 = 0, R33 = 0;
};

struct ShellLayer {
    std::string name;
    double distance = 0;
    double thickness = 0;
    int type = 1;  // 1 shell, 2 membrane, 3 plate
    int integrationPoints = 1;
    std::string material;
    double angle = 0;               // degrees
    int s11 = 0, s22 = 0, s12 = 0;  // 0 inactive, 1 linear, 2 nonlinear
};

struct FrameHinge {
    int kind = 0;        // host hinge property kind
    int dof = 0;         // degree-of-freedom code
    double relDist = 0;  // relative distance along the frame
};

struct PointForceLoad {
    std::string point;
    std::string pattern;
    int step = 0;
    std::string csys;
    double F1 = 0, F2 = 0, F3 = 0, M1 = 0, M2 = 0, M3 = 0;
};

struct FrameDistributedLoad {
    std::string frame;
    std::string pattern;
    int loadType = 1;  // 1 force, 2 moment
    std::string csys;
    int dir = 0;  // host direction code
    double rd1 = 0, rd2 = 0;
    double dist1 = 0, dist2 = 0;  // absolute distances (rd x frame length)
    double val1 = 0, val2 = 0;
};

struct FramePointLoad {
    std::string frame;
    std::string pattern;
    int loadType = 1;
    std::string csys;
    int dir = 0;
    double relDist = 0;
    double dist = 0;
    double value = 0;
};

struct AreaUniformLoad {
    std::string area;
    std::string pattern;
    std::string csys;
    int dir = 0;
    double value = 0;
    int distribution = 0;  // only for the "to frames" loads: 1 one way, 2 two way
};

struct THFunctionFile {
    std::string fileName;  // as a path the platform can open
    int headerLines = 0;
    int prefixChars = 0;
    int pointsPerLine = 1;
    int valueType = 1;  // 1 values at equal steps, 2 time and value pairs
    bool freeFormat = true;
    int fieldWidth = 10;
    double dt = 0;
};

struct StaticNonlinearLoadApplication {
    int loadControl = 1;  // 1 full load, 2 displacement control
    int dispType = 0;
    int monitoredDof = 1;  // 1..6
    double displacement = 0;
    std::string monitoredPoint;
};

struct NonlinearLoad {
    std::string type;      // "Load", "Mode", "Accel"
    std::string name;      // pattern, mode number as text, or direction
    std::string function;  // dynamic loads only
    double scale = 0;
    double timeFactor = 1;  // dynamic loads only
};

struct DynamicDamping {
    int code = 1;
    double value1 = 0, value2 = 0;
};

class TarvoHost {
public:
    virtual ~TarvoHost() = default;

    // Units and model
    virtual int GetPresentUnits() = 0;
    virtual int GetPointCount() = 0;

    // Materials
    virtual int GetMaterialNameList(int type, Names& names) = 0;
    virtual int DefineMaterial(const std::string& name, int type, int color, const std::string& notes,
                               const std::string& guid) = 0;
    virtual int GetMaterialType(const std::string& name, int& type, int& symType) = 0;
    virtual int GetMaterialWeightAndMass(const std::string& name, double& weight, double& mass) = 0;
    virtual int GetSteelMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) = 0;
    virtual int GetRebarMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) = 0;
    virtual int GetConcreteMaterial(const std::string& name, double& Fc) = 0;
    virtual int GetStressStrainCurve(const std::string& name, std::vector<int>& pointIds, std::vector<double>& strains,
                                     std::vector<double>& stresses) = 0;
    virtual int GetIsotropicProperties(const std::string& name, double& E, double& U, double& A, double& G) = 0;
    virtual int GetOrthotropicProperties(const std::string& name, std::array<double, 3>& E, std::array<double, 3>& U,
                                         std::array<double, 3>& A, std::array<double, 3>& G) = 0;
    virtual int GetAnisotropicProperties(const std::string& name, std::array<double, 3>& E, std::array<double, 15>& U,
                                         std::array<double, 5>& A, std::array<double, 3>& G) = 0;
    virtual int GetUniaxialProperties(const std::string& name, double& E, double& A) = 0;

    // Mass source
    virtual int GetMassSource(int& option, Names& patterns, std::vector<double>& scales) = 0;

    // Frame sections
    virtual int GetFrameSectionNameList(Names& names) = 0;
    virtual int GetFrameSectionProperties(const std::string& name, FrameSectionProperties& props) = 0;
    virtual int GetFrameSectionType(const std::string& name, int& type) = 0;
    virtual int GetNonprismaticSegments(const std::string& name, Names& startSections) = 0;
    virtual int GetFrameSectionMaterial(const std::string& name, std::string& material) = 0;
    virtual int GetFrameSectionRebarType(const std::string& name, int& rebarType) = 0;

    // Area sections
    virtual int GetAreaSectionNameList(Names& names) = 0;
    virtual int GetAreaSectionType(const std::string& name, int& type) = 0;
    virtual int GetShell(const std::string& name, int& shellType, int& drilling, std::string& material,
                         double& materialAngle, double& thickness, double& bending) = 0;
    virtual int GetShellLayers(const std::string& name, std::vector<ShellLayer>& layers) = 0;

    // Points
    virtual int GetPointNameList(Names& names) = 0;
    virtual int GetPointCoordinates(const std::string& name, const std::string& csys, double& x, double& y,
                                    double& z) = 0;
    virtual int GetPointRestraints(const std::string& name, std::array<bool, 6>& restraints) = 0;
    // name is a point (kObject) or a group (kGroup); answers (point, constraint) pairs.
    virtual int GetPointConstraints(const std::string& name, int itemKind, Names& pointNames,
                                    Names& constraintNames) = 0;
    virtual int GetPointMass(const std::string& name, std::array<double, 6>& mass) = 0;
    virtual int GetPointConnectivity(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) = 0;
    virtual int GetPointForceLoads(const std::string& name, int itemKind, std::vector<PointForceLoad>& loads) = 0;

    // Constraints
    virtual int GetConstraintNameList(Names& names) = 0;
    virtual int GetConstraintType(const std::string& name, int& type) = 0;
    virtual int GetDiaphragm(const std::string& name, int& axis, std::string& csys) = 0;

    // Frames
    virtual int GetFrameNameList(Names& names) = 0;
    virtual int GetFrameSection(const std::string& name, std::string& section) = 0;
    virtual int GetFramePoints(const std::string& name, std::string& pointI, std::string& pointJ) = 0;
    virtual int GetFrameLocalAxes(const std::string& name, double& angle) = 0;
    virtual int GetFrameReleases(const std::string& name, std::array<bool, 6>& releaseI,
                                 std::array<bool, 6>& releaseJ) = 0;
    virtual int GetFrameHinges(const std::string& name, std::vector<FrameHinge>& hinges) = 0;
    virtual int GetFrameMass(const std::string& name, double& massPerLength) = 0;
    virtual int GetFrameDistributedLoads(const std::string& name, int itemKind,
                                         std::vector<FrameDistributedLoad>& loads) = 0;
    virtual int GetFramePointLoads(const std::string& name, int itemKind, std::vector<FramePointLoad>& loads) = 0;

    // Areas
    virtual int GetAreaNameList(Names& names) = 0;
    virtual int GetAreaProperty(const std::string& name, std::string& section) = 0;
    virtual int GetAreaPoints(const std::string& name, Names& points) = 0;
    virtual int GetAreaMass(const std::string& name, double& massPerArea) = 0;
    virtual int GetAreaUniformLoads(const std::string& name, int itemKind, std::vector<AreaUniformLoad>& loads) = 0;
    virtual int GetAreaUniformLoadsExtended(const std::string& name, int itemKind,
                                            std::vector<AreaUniformLoad>& loads) = 0;

    // Groups ("ALL" first)
    virtual int GetGroupNameList(Names& names) = 0;
    virtual int GetGroupAssignments(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) = 0;

    // Load patterns
    virtual int GetLoadPatternNameList(Names& names) = 0;
    virtual int GetLoadPatternType(const std::string& name, int& type) = 0;
    virtual int GetLoadPatternSelfWeightMultiplier(const std::string& name, double& multiplier) = 0;

    // Functions
    virtual int GetFunctionNameList(int typeFilter, Names& names) = 0;
    virtual int GetFunctionType(const std::string& name, int& type, int& kind) = 0;
    virtual int GetTHFunctionFromFile(const std::string& name, THFunctionFile& file) = 0;
    virtual int GetTHFunctionUser(const std::string& name, std::vector<double>& times, std::vector<double>& values) = 0;
    virtual int GetTHFunctionSine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                                  double& amplitude) = 0;
    virtual int GetTHFunctionCosine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                                    double& amplitude) = 0;
    virtual int GetTHFunctionRamp(const std::string& name, double& rampTime, double& amplitude, double& maxTime) = 0;
    virtual int GetTHFunctionTrapezoid(const std::string& name, double& period, double& rampTime, double& amplitude,
                                       int& cycles) = 0;
    virtual int GetTHFunctionTriangular(const std::string& name, double& period, double& amplitude, int& cycles) = 0;
    virtual int GetTHFunctionUserPeriodic(const std::string& name, int& cycles, std::vector<double>& times,
                                          std::vector<double>& values) = 0;

    // Load cases
    virtual int GetLoadCaseNameList(int typeFilter, Names& names) = 0;
    virtual int GetLoadCaseType(const std::string& name, int& type) = 0;
    virtual int GetStaticNonlinearLoadApplication(const std::string& name,
                                                  StaticNonlinearLoadApplication& application) = 0;
    virtual int GetStaticNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) = 0;
    virtual int GetDynamicNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) = 0;
    virtual int GetDynamicNonlinearTimeStep(const std::string& name, int& outputSteps, double& stepSize) = 0;
    virtual int GetDynamicNonlinearDamping(const std::string& name, DynamicDamping& damping) = 0;
};

}  // namespace t2v::host
