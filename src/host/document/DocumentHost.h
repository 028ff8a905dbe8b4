// The embedded host: a whole host model held in one JSON model document, loaded into
// memory and answering every host operation.
//
// The document is validated as a whole when it is loaded: a document that breaks any
// rule is refused with a DocumentError that names the file, the JSON location and the
// reason, and nothing of it is kept. A loaded host never fails a call as a call; a
// query about something the model does not have answers a non-zero status.
// docs/model-documents.md is the users' guide to the format.
#pragma once

#include "host/TarvoHost.h"
#include "host/document/DocumentModel.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace t2v::platform {
class Platform;
}

namespace t2v::host {

// A refused document. what() is "<file>: <json location>: <reason>", for example
// "model.json: frames[12].j: point \"P9\" does not exist".
class DocumentError : public std::runtime_error {
public:
    using runtime_error::runtime_error;
};

class DocumentHost : public TarvoHost {
public:
    // Loads and validates the document at `path`, read through `platform`; function files
    // named in it are taken relative to the document's folder.
    static std::unique_ptr<DocumentHost> LoadFile(platform::Platform& platform, const std::string& path);
    // The same from text; `displayName` stands for the file in messages and
    // `baseFolder` resolves relative function file names.
    static std::unique_ptr<DocumentHost> FromText(std::string_view json, const std::string& displayName,
                                                  const std::string& baseFolder = ".");

    explicit DocumentHost(document::DocumentModel model);

    // The loaded tables, read-only (inspection and tests).
    const document::DocumentModel& model() const { return model_; }

    // Units and model
    int GetPresentUnits() override;
    int GetPointCount() override;

    // Materials
    int GetMaterialNameList(int type, Names& names) override;
    int DefineMaterial(const std::string& name, int type, int color, const std::string& notes,
                       const std::string& guid) override;
    int GetMaterialType(const std::string& name, int& type, int& symType) override;
    int GetMaterialWeightAndMass(const std::string& name, double& weight, double& mass) override;
    int GetSteelMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) override;
    int GetRebarMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) override;
    int GetConcreteMaterial(const std::string& name, double& Fc) override;
    int GetStressStrainCurve(const std::string& name, std::vector<int>& pointIds, std::vector<double>& strains,
                             std::vector<double>& stresses) override;
    int GetIsotropicProperties(const std::string& name, double& E, double& U, double& A, double& G) override;
    int GetOrthotropicProperties(const std::string& name, std::array<double, 3>& E, std::array<double, 3>& U,
                                 std::array<double, 3>& A, std::array<double, 3>& G) override;
    int GetAnisotropicProperties(const std::string& name, std::array<double, 3>& E, std::array<double, 15>& U,
                                 std::array<double, 5>& A, std::array<double, 3>& G) override;
    int GetUniaxialProperties(const std::string& name, double& E, double& A) override;

    // Mass source
    int GetMassSource(int& option, Names& patterns, std::vector<double>& scales) override;

    // Frame sections
    int GetFrameSectionNameList(Names& names) override;
    int GetFrameSectionProperties(const std::string& name, FrameSectionProperties& props) override;
    int GetFrameSectionType(const std::string& name, int& type) override;
    int GetNonprismaticSegments(const std::string& name, Names& startSections) override;
    int GetFrameSectionMaterial(const std::string& name, std::string& material) override;
    int GetFrameSectionRebarType(const std::string& name, int& rebarType) override;

    // Area sections
    int GetAreaSectionNameList(Names& names) override;
    int GetAreaSectionType(const std::string& name, int& type) override;
    int GetShell(const std::string& name, int& shellType, int& drilling, std::string& material, double& materialAngle,
                 double& thickness, double& bending) override;
    int GetShellLayers(const std::string& name, std::vector<ShellLayer>& layers) override;

    // Points
    int GetPointNameList(Names& names) override;
    int GetPointCoordinates(const std::string& name, const std::string& csys, double& x, double& y, double& z) override;
    int GetPointRestraints(const std::string& name, std::array<bool, 6>& restraints) override;
    int GetPointConstraints(const std::string& name, int itemKind, Names& pointNames, Names& constraintNames) override;
    int GetPointMass(const std::string& name, std::array<double, 6>& mass) override;
    int GetPointConnectivity(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) override;
    int GetPointForceLoads(const std::string& name, int itemKind, std::vector<PointForceLoad>& loads) override;

    // Constraints
    int GetConstraintNameList(Names& names) override;
    int GetConstraintType(const std::string& name, int& type) override;
    int GetDiaphragm(const std::string& name, int& axis, std::string& csys) override;

    // Frames
    int GetFrameNameList(Names& names) override;
    int GetFrameSection(const std::string& name, std::string& section) override;
    int GetFramePoints(const std::string& name, std::string& pointI, std::string& pointJ) override;
    int GetFrameLocalAxes(const std::string& name, double& angle) override;
    int GetFrameReleases(const std::string& name, std::array<bool, 6>& releaseI,
                         std::array<bool, 6>& releaseJ) override;
    int GetFrameHinges(const std::string& name, std::vector<FrameHinge>& hinges) override;
    int GetFrameMass(const std::string& name, double& massPerLength) override;
    int GetFrameDistributedLoads(const std::string& name, int itemKind,
                                 std::vector<FrameDistributedLoad>& loads) override;
    int GetFramePointLoads(const std::string& name, int itemKind, std::vector<FramePointLoad>& loads) override;

    // Areas
    int GetAreaNameList(Names& names) override;
    int GetAreaProperty(const std::string& name, std::string& section) override;
    int GetAreaPoints(const std::string& name, Names& points) override;
    int GetAreaMass(const std::string& name, double& massPerArea) override;
    int GetAreaUniformLoads(const std::string& name, int itemKind, std::vector<AreaUniformLoad>& loads) override;
    int GetAreaUniformLoadsExtended(const std::string& name, int itemKind,
                                    std::vector<AreaUniformLoad>& loads) override;

    // Groups
    int GetGroupNameList(Names& names) override;
    int GetGroupAssignments(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) override;

    // Load patterns
    int GetLoadPatternNameList(Names& names) override;
    int GetLoadPatternType(const std::string& name, int& type) override;
    int GetLoadPatternSelfWeightMultiplier(const std::string& name, double& multiplier) override;

    // Functions
    int GetFunctionNameList(int typeFilter, Names& names) override;
    int GetFunctionType(const std::string& name, int& type, int& kind) override;
    int GetTHFunctionFromFile(const std::string& name, THFunctionFile& file) override;
    int GetTHFunctionUser(const std::string& name, std::vector<double>& times, std::vector<double>& values) override;
    int GetTHFunctionSine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                          double& amplitude) override;
    int GetTHFunctionCosine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                            double& amplitude) override;
    int GetTHFunctionRamp(const std::string& name, double& rampTime, double& amplitude, double& maxTime) override;
    int GetTHFunctionTrapezoid(const std::string& name, double& period, double& rampTime, double& amplitude,
                               int& cycles) override;
    int GetTHFunctionTriangular(const std::string& name, double& period, double& amplitude, int& cycles) override;
    int GetTHFunctionUserPeriodic(const std::string& name, int& cycles, std::vector<double>& times,
                                  std::vector<double>& values) override;

    // Load cases
    int GetLoadCaseNameList(int typeFilter, Names& names) override;
    int GetLoadCaseType(const std::string& name, int& type) override;
    int GetStaticNonlinearLoadApplication(const std::string& name,
                                          StaticNonlinearLoadApplication& application) override;
    int GetStaticNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) override;
    int GetDynamicNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) override;
    int GetDynamicNonlinearTimeStep(const std::string& name, int& outputSteps, double& stepSize) override;
    int GetDynamicNonlinearDamping(const std::string& name, DynamicDamping& damping) override;

private:
    const document::Function* timeHistory(const std::string& name, int kind) const;
    double frameLength(const document::Frame& frame) const;
    void appendAreaLoads(std::uint32_t area, bool extended, std::vector<AreaUniformLoad>& loads) const;

    document::DocumentModel model_;
};

}  // namespace t2v::host
