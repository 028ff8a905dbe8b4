#include "host/automation/AutomationHost.h"

#include "host/automation/Marshal.h"

namespace t2v::host::automation {

namespace {

using detail::Answers;
using detail::Param;
using detail::Signature;

template <class P, class A>
void PutInput(Answers& answers, const A& value) {
    if constexpr (Param<P>::input) Param<P>::put(answers, value);
}

template <class P, class A>
void ReadOutput(Answers& answers, A& value) {
    if constexpr (!Param<P>::input) Param<P>::read(answers, value);
}

template <class... P, class... A>
int Through(Dispatcher& dispatcher, const OperationShape& shape, Signature<P...>, A&... params) {
    std::vector<AutoArg> args(shape.args.size());
    for (std::size_t i = 0; i < args.size(); ++i) {
        args[i].type = shape.args[i].type;
        args[i].out = shape.args[i].out;
    }
    Answers answers(shape, args);
    (PutInput<P>(answers, params), ...);
    const std::int32_t result = dispatcher.call(shape.name, args);
    answers.skipTo(Signature<P...>::inputs);
    (ReadOutput<P>(answers, params), ...);
    return result;
}

// One member: its table entry is looked up once, then every call goes through it.
template <auto Member, class... A>
int Forward(Dispatcher& dispatcher, std::string_view op, A&... params) {
    static const OperationShape& shape = *FindOperation(op);
    return Through(dispatcher, shape, decltype(detail::SignatureOf(Member)){}, params...);
}

}  // namespace

int AutomationHost::GetPresentUnits() { return Forward<&TarvoHost::GetPresentUnits>(dispatcher_, "GetPresentUnits"); }

int AutomationHost::GetPointCount() { return Forward<&TarvoHost::GetPointCount>(dispatcher_, "GetPointCount"); }

int AutomationHost::GetMaterialNameList(int type, Names& names) {
    return Forward<&TarvoHost::GetMaterialNameList>(dispatcher_, "GetMaterialNameList", type, names);
}

int AutomationHost::DefineMaterial(const std::string& name, int type, int color, const std::string& notes,
                                   const std::string& guid) {
    return Forward<&TarvoHost::DefineMaterial>(dispatcher_, "DefineMaterial", name, type, color, notes, guid);
}

int AutomationHost::GetMaterialType(const std::string& name, int& type, int& symType) {
    return Forward<&TarvoHost::GetMaterialType>(dispatcher_, "GetMaterialType", name, type, symType);
}

int AutomationHost::GetMaterialWeightAndMass(const std::string& name, double& weight, double& mass) {
    return Forward<&TarvoHost::GetMaterialWeightAndMass>(dispatcher_, "GetMaterialWeightAndMass", name, weight, mass);
}

int AutomationHost::GetSteelMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) {
    return Forward<&TarvoHost::GetSteelMaterial>(dispatcher_, "GetSteelMaterial", name, Fy, Fu, eFy, eFu);
}

int AutomationHost::GetRebarMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) {
    return Forward<&TarvoHost::GetRebarMaterial>(dispatcher_, "GetRebarMaterial", name, Fy, Fu, eFy, eFu);
}

int AutomationHost::GetConcreteMaterial(const std::string& name, double& Fc) {
    return Forward<&TarvoHost::GetConcreteMaterial>(dispatcher_, "GetConcreteMaterial", name, Fc);
}

int AutomationHost::GetStressStrainCurve(const std::string& name, std::vector<int>& pointIds,
                                         std::vector<double>& strains, std::vector<double>& stresses) {
    return Forward<&TarvoHost::GetStressStrainCurve>(dispatcher_, "GetStressStrainCurve", name, pointIds, strains,
                                                     stresses);
}

int AutomationHost::GetIsotropicProperties(const std::string& name, double& E, double& U, double& A, double& G) {
    return Forward<&TarvoHost::GetIsotropicProperties>(dispatcher_, "GetIsotropicProperties", name, E, U, A, G);
}

int AutomationHost::GetOrthotropicProperties(const std::string& name, std::array<double, 3>& E,
                                             std::array<double, 3>& U, std::array<double, 3>& A,
                                             std::array<double, 3>& G) {
    return Forward<&TarvoHost::GetOrthotropicProperties>(dispatcher_, "GetOrthotropicProperties", name, E, U, A, G);
}

int AutomationHost::GetAnisotropicProperties(const std::string& name, std::array<double, 3>& E,
                                             std::array<double, 15>& U, std::array<double, 5>& A,
                                             std::array<double, 3>& G) {
    return Forward<&TarvoHost::GetAnisotropicProperties>(dispatcher_, "GetAnisotropicProperties", name, E, U, A, G);
}

int AutomationHost::GetUniaxialProperties(const std::string& name, double& E, double& A) {
    return Forward<&TarvoHost::GetUniaxialProperties>(dispatcher_, "GetUniaxialProperties", name, E, A);
}

int AutomationHost::GetMassSource(int& option, Names& patterns, std::vector<double>& scales) {
    return Forward<&TarvoHost::GetMassSource>(dispatcher_, "GetMassSource", option, patterns, scales);
}

int AutomationHost::GetFrameSectionNameList(Names& names) {
    return Forward<&TarvoHost::GetFrameSectionNameList>(dispatcher_, "GetFrameSectionNameList", names);
}

int AutomationHost::GetFrameSectionProperties(const std::string& name, FrameSectionProperties& props) {
    return Forward<&TarvoHost::GetFrameSectionProperties>(dispatcher_, "GetFrameSectionProperties", name, props);
}

int AutomationHost::GetFrameSectionType(const std::string& name, int& type) {
    return Forward<&TarvoHost::GetFrameSectionType>(dispatcher_, "GetFrameSectionType", name, type);
}

int AutomationHost::GetNonprismaticSegments(const std::string& name, Names& startSections) {
    return Forward<&TarvoHost::GetNonprismaticSegments>(dispatcher_, "GetNonprismaticSegments", name, startSections);
}

int AutomationHost::GetFrameSectionMaterial(const std::string& name, std::string& material) {
    return Forward<&TarvoHost::GetFrameSectionMaterial>(dispatcher_, "GetFrameSectionMaterial", name, material);
}

int AutomationHost::GetFrameSectionRebarType(const std::string& name, int& rebarType) {
    return Forward<&TarvoHost::GetFrameSectionRebarType>(dispatcher_, "GetFrameSectionRebarType", name, rebarType);
}

int AutomationHost::GetAreaSectionNameList(Names& names) {
    return Forward<&TarvoHost::GetAreaSectionNameList>(dispatcher_, "GetAreaSectionNameList", names);
}

int AutomationHost::GetAreaSectionType(const std::string& name, int& type) {
    return Forward<&TarvoHost::GetAreaSectionType>(dispatcher_, "GetAreaSectionType", name, type);
}

int AutomationHost::GetShell(const std::string& name, int& shellType, int& drilling, std::string& material,
                             double& materialAngle, double& thickness, double& bending) {
    return Forward<&TarvoHost::GetShell>(dispatcher_, "GetShell", name, shellType, drilling, material, materialAngle,
                                         thickness, bending);
}

int AutomationHost::GetShellLayers(const std::string& name, std::vector<ShellLayer>& layers) {
    return Forward<&TarvoHost::GetShellLayers>(dispatcher_, "GetShellLayers", name, layers);
}

int AutomationHost::GetPointNameList(Names& names) {
    return Forward<&TarvoHost::GetPointNameList>(dispatcher_, "GetPointNameList", names);
}

int AutomationHost::GetPointCoordinates(const std::string& name, const std::string& csys, double& x, double& y,
                                        double& z) {
    return Forward<&TarvoHost::GetPointCoordinates>(dispatcher_, "GetPointCoordinates", name, csys, x, y, z);
}

int AutomationHost::GetPointRestraints(const std::string& name, std::array<bool, 6>& restraints) {
    return Forward<&TarvoHost::GetPointRestraints>(dispatcher_, "GetPointRestraints", name, restraints);
}

int AutomationHost::GetPointConstraints(const std::string& name, int itemKind, Names& pointNames,
                                        Names& constraintNames) {
    return Forward<&TarvoHost::GetPointConstraints>(dispatcher_, "GetPointConstraints", name, itemKind, pointNames,
                                                    constraintNames);
}

int AutomationHost::GetPointMass(const std::string& name, std::array<double, 6>& mass) {
    return Forward<&TarvoHost::GetPointMass>(dispatcher_, "GetPointMass", name, mass);
}

int AutomationHost::GetPointConnectivity(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) {
    return Forward<&TarvoHost::GetPointConnectivity>(dispatcher_, "GetPointConnectivity", name, objectTypes,
                                                     objectNames);
}

int AutomationHost::GetPointForceLoads(const std::string& name, int itemKind, std::vector<PointForceLoad>& loads) {
    return Forward<&TarvoHost::GetPointForceLoads>(dispatcher_, "GetPointForceLoads", name, itemKind, loads);
}

int AutomationHost::GetConstraintNameList(Names& names) {
    return Forward<&TarvoHost::GetConstraintNameList>(dispatcher_, "GetConstraintNameList", names);
}

int AutomationHost::GetConstraintType(const std::string& name, int& type) {
    return Forward<&TarvoHost::GetConstraintType>(dispatcher_, "GetConstraintType", name, type);
}

int AutomationHost::GetDiaphragm(const std::string& name, int& axis, std::string& csys) {
    return Forward<&TarvoHost::GetDiaphragm>(dispatcher_, "GetDiaphragm", name, axis, csys);
}

int AutomationHost::GetFrameNameList(Names& names) {
    return Forward<&TarvoHost::GetFrameNameList>(dispatcher_, "GetFrameNameList", names);
}

int AutomationHost::GetFrameSection(const std::string& name, std::string& section) {
    return Forward<&TarvoHost::GetFrameSection>(dispatcher_, "GetFrameSection", name, section);
}

int AutomationHost::GetFramePoints(const std::string& name, std::string& pointI, std::string& pointJ) {
    return Forward<&TarvoHost::GetFramePoints>(dispatcher_, "GetFramePoints", name, pointI, pointJ);
}

int AutomationHost::GetFrameLocalAxes(const std::string& name, double& angle) {
    return Forward<&TarvoHost::GetFrameLocalAxes>(dispatcher_, "GetFrameLocalAxes", name, angle);
}

int AutomationHost::GetFrameReleases(const std::string& name, std::array<bool, 6>& releaseI,
                                     std::array<bool, 6>& releaseJ) {
    return Forward<&TarvoHost::GetFrameReleases>(dispatcher_, "GetFrameReleases", name, releaseI, releaseJ);
}

int AutomationHost::GetFrameHinges(const std::string& name, std::vector<FrameHinge>& hinges) {
    return Forward<&TarvoHost::GetFrameHinges>(dispatcher_, "GetFrameHinges", name, hinges);
}

int AutomationHost::GetFrameMass(const std::string& name, double& massPerLength) {
    return Forward<&TarvoHost::GetFrameMass>(dispatcher_, "GetFrameMass", name, massPerLength);
}

int AutomationHost::GetFrameDistributedLoads(const std::string& name, int itemKind,
                                             std::vector<FrameDistributedLoad>& loads) {
    return Forward<&TarvoHost::GetFrameDistributedLoads>(dispatcher_, "GetFrameDistributedLoads", name, itemKind,
                                                         loads);
}

int AutomationHost::GetFramePointLoads(const std::string& name, int itemKind, std::vector<FramePointLoad>& loads) {
    return Forward<&TarvoHost::GetFramePointLoads>(dispatcher_, "GetFramePointLoads", name, itemKind, loads);
}

int AutomationHost::GetAreaNameList(Names& names) {
    return Forward<&TarvoHost::GetAreaNameList>(dispatcher_, "GetAreaNameList", names);
}

int AutomationHost::GetAreaProperty(const std::string& name, std::string& section) {
    return Forward<&TarvoHost::GetAreaProperty>(dispatcher_, "GetAreaProperty", name, section);
}

int AutomationHost::GetAreaPoints(const std::string& name, Names& points) {
    return Forward<&TarvoHost::GetAreaPoints>(dispatcher_, "GetAreaPoints", name, points);
}

int AutomationHost::GetAreaMass(const std::string& name, double& massPerArea) {
    return Forward<&TarvoHost::GetAreaMass>(dispatcher_, "GetAreaMass", name, massPerArea);
}

int AutomationHost::GetAreaUniformLoads(const std::string& name, int itemKind, std::vector<AreaUniformLoad>& loads) {
    return Forward<&TarvoHost::GetAreaUniformLoads>(dispatcher_, "GetAreaUniformLoads", name, itemKind, loads);
}

int AutomationHost::GetAreaUniformLoadsExtended(const std::string& name, int itemKind,
                                                std::vector<AreaUniformLoad>& loads) {
    return Forward<&TarvoHost::GetAreaUniformLoadsExtended>(dispatcher_, "GetAreaUniformLoadsExtended", name, itemKind,
                                                            loads);
}

int AutomationHost::GetGroupNameList(Names& names) {
    return Forward<&TarvoHost::GetGroupNameList>(dispatcher_, "GetGroupNameList", names);
}

int AutomationHost::GetGroupAssignments(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) {
    return Forward<&TarvoHost::GetGroupAssignments>(dispatcher_, "GetGroupAssignments", name, objectTypes, objectNames);
}

int AutomationHost::GetLoadPatternNameList(Names& names) {
    return Forward<&TarvoHost::GetLoadPatternNameList>(dispatcher_, "GetLoadPatternNameList", names);
}

int AutomationHost::GetLoadPatternType(const std::string& name, int& type) {
    return Forward<&TarvoHost::GetLoadPatternType>(dispatcher_, "GetLoadPatternType", name, type);
}

int AutomationHost::GetLoadPatternSelfWeightMultiplier(const std::string& name, double& multiplier) {
    return Forward<&TarvoHost::GetLoadPatternSelfWeightMultiplier>(dispatcher_, "GetLoadPatternSelfWeightMultiplier",
                                                                   name, multiplier);
}

int AutomationHost::GetFunctionNameList(int typeFilter, Names& names) {
    return Forward<&TarvoHost::GetFunctionNameList>(dispatcher_, "GetFunctionNameList", typeFilter, names);
}

int AutomationHost::GetFunctionType(const std::string& name, int& type, int& kind) {
    return Forward<&TarvoHost::GetFunctionType>(dispatcher_, "GetFunctionType", name, type, kind);
}

int AutomationHost::GetTHFunctionFromFile(const std::string& name, THFunctionFile& file) {
    return Forward<&TarvoHost::GetTHFunctionFromFile>(dispatcher_, "GetTHFunctionFromFile", name, file);
}

int AutomationHost::GetTHFunctionUser(const std::string& name, std::vector<double>& times,
                                      std::vector<double>& values) {
    return Forward<&TarvoHost::GetTHFunctionUser>(dispatcher_, "GetTHFunctionUser", name, times, values);
}

int AutomationHost::GetTHFunctionSine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                                      double& amplitude) {
    return Forward<&TarvoHost::GetTHFunctionSine>(dispatcher_, "GetTHFunctionSine", name, period, stepsPerCycle, cycles,
                                                  amplitude);
}

int AutomationHost::GetTHFunctionCosine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                                        double& amplitude) {
    return Forward<&TarvoHost::GetTHFunctionCosine>(dispatcher_, "GetTHFunctionCosine", name, period, stepsPerCycle,
                                                    cycles, amplitude);
}

int AutomationHost::GetTHFunctionRamp(const std::string& name, double& rampTime, double& amplitude, double& maxTime) {
    return Forward<&TarvoHost::GetTHFunctionRamp>(dispatcher_, "GetTHFunctionRamp", name, rampTime, amplitude, maxTime);
}

int AutomationHost::GetTHFunctionTrapezoid(const std::string& name, double& period, double& rampTime, double& amplitude,
                                           int& cycles) {
    return Forward<&TarvoHost::GetTHFunctionTrapezoid>(dispatcher_, "GetTHFunctionTrapezoid", name, period, rampTime,
                                                       amplitude, cycles);
}

int AutomationHost::GetTHFunctionTriangular(const std::string& name, double& period, double& amplitude, int& cycles) {
    return Forward<&TarvoHost::GetTHFunctionTriangular>(dispatcher_, "GetTHFunctionTriangular", name, period, amplitude,
                                                        cycles);
}

int AutomationHost::GetTHFunctionUserPeriodic(const std::string& name, int& cycles, std::vector<double>& times,
                                              std::vector<double>& values) {
    return Forward<&TarvoHost::GetTHFunctionUserPeriodic>(dispatcher_, "GetTHFunctionUserPeriodic", name, cycles, times,
                                                          values);
}

int AutomationHost::GetLoadCaseNameList(int typeFilter, Names& names) {
    return Forward<&TarvoHost::GetLoadCaseNameList>(dispatcher_, "GetLoadCaseNameList", typeFilter, names);
}

int AutomationHost::GetLoadCaseType(const std::string& name, int& type) {
    return Forward<&TarvoHost::GetLoadCaseType>(dispatcher_, "GetLoadCaseType", name, type);
}

int AutomationHost::GetStaticNonlinearLoadApplication(const std::string& name,
                                                      StaticNonlinearLoadApplication& application) {
    return Forward<&TarvoHost::GetStaticNonlinearLoadApplication>(dispatcher_, "GetStaticNonlinearLoadApplication",
                                                                  name, application);
}

int AutomationHost::GetStaticNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) {
    return Forward<&TarvoHost::GetStaticNonlinearLoads>(dispatcher_, "GetStaticNonlinearLoads", name, loads);
}

int AutomationHost::GetDynamicNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) {
    return Forward<&TarvoHost::GetDynamicNonlinearLoads>(dispatcher_, "GetDynamicNonlinearLoads", name, loads);
}

int AutomationHost::GetDynamicNonlinearTimeStep(const std::string& name, int& outputSteps, double& stepSize) {
    return Forward<&TarvoHost::GetDynamicNonlinearTimeStep>(dispatcher_, "GetDynamicNonlinearTimeStep", name,
                                                            outputSteps, stepSize);
}

int AutomationHost::GetDynamicNonlinearDamping(const std::string& name, DynamicDamping& damping) {
    return Forward<&TarvoHost::GetDynamicNonlinearDamping>(dispatcher_, "GetDynamicNonlinearDamping", name, damping);
}

}  // namespace t2v::host::automation
