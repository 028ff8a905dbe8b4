// A host that holds only functions and load cases, for the tests of the time-history
// records and the load cases. Every other query answers "nothing here" (status 1 and
// empty lists).
#pragma once

#include <string>
#include <vector>

#include "host/TarvoHost.h"

namespace t2v::test {

struct FakeFunction {
    std::string name;
    int type = 2;
    int kind = 1;
    int status = 0;  // status of the kind-specific query
    host::THFunctionFile file{};
    std::vector<double> times{}, values{};
    double period = 1, amplitude = 1, rampTime = 0, maxTime = 0;
    int steps = 4, cycles = 1;
};

struct FakeLoadCase {
    std::string name;
    int type = 2;
    host::StaticNonlinearLoadApplication application{};
    std::vector<host::NonlinearLoad> loads{};
    int outputSteps = 0;
    double stepSize = 0;
    host::DynamicDamping damping{};
};

class FakeHost : public host::TarvoHost {
public:
    std::vector<FakeFunction> functions;
    std::vector<FakeLoadCase> cases;
    std::vector<std::string> dampingAskedFor;

    const FakeFunction* fn(const std::string& name) const {
        for (const auto& f : functions)
            if (f.name == name) return &f;
        return nullptr;
    }
    const FakeLoadCase* lc(const std::string& name) const {
        for (const auto& c : cases)
            if (c.name == name) return &c;
        return nullptr;
    }

    int GetFunctionNameList(int, host::Names& names) override {
        names.clear();
        for (const auto& f : functions) names.push_back(f.name);
        return 0;
    }
    int GetFunctionType(const std::string& name, int& type, int& kind) override {
        const FakeFunction* f = fn(name);
        if (!f) return 1;
        type = f->type;
        kind = f->kind;
        return 0;
    }
    int GetTHFunctionFromFile(const std::string& name, host::THFunctionFile& file) override {
        const FakeFunction* f = fn(name);
        file = f->file;
        return f->status;
    }
    int GetTHFunctionUser(const std::string& name, std::vector<double>& times, std::vector<double>& values) override {
        const FakeFunction* f = fn(name);
        times = f->times;
        values = f->values;
        return f->status;
    }
    int GetTHFunctionSine(const std::string& name, double& period, int& steps, int& cycles, double& amplitude) override {
        const FakeFunction* f = fn(name);
        period = f->period, steps = f->steps, cycles = f->cycles, amplitude = f->amplitude;
        return f->status;
    }
    int GetTHFunctionCosine(const std::string& name, double& period, int& steps, int& cycles,
                            double& amplitude) override {
        return GetTHFunctionSine(name, period, steps, cycles, amplitude);
    }
    int GetTHFunctionRamp(const std::string& name, double& rampTime, double& amplitude, double& maxTime) override {
        const FakeFunction* f = fn(name);
        rampTime = f->rampTime, amplitude = f->amplitude, maxTime = f->maxTime;
        return f->status;
    }
    int GetTHFunctionTrapezoid(const std::string& name, double& period, double& rampTime, double& amplitude,
                               int& cycles) override {
        const FakeFunction* f = fn(name);
        period = f->period, rampTime = f->rampTime, amplitude = f->amplitude, cycles = f->cycles;
        return f->status;
    }
    int GetTHFunctionTriangular(const std::string& name, double& period, double& amplitude, int& cycles) override {
        const FakeFunction* f = fn(name);
        period = f->period, amplitude = f->amplitude, cycles = f->cycles;
        return f->status;
    }
    int GetTHFunctionUserPeriodic(const std::string& name, int& cycles, std::vector<double>& times,
                                  std::vector<double>& values) override {
        const FakeFunction* f = fn(name);
        cycles = f->cycles;
        times = f->times;
        values = f->values;
        return f->status;
    }

    int GetLoadCaseNameList(int, host::Names& names) override {
        names.clear();
        for (const auto& c : cases) names.push_back(c.name);
        return 0;
    }
    int GetLoadCaseType(const std::string& name, int& type) override {
        type = lc(name)->type;
        return 0;
    }
    int GetStaticNonlinearLoadApplication(const std::string& name,
                                          host::StaticNonlinearLoadApplication& application) override {
        application = lc(name)->application;
        return 0;
    }
    int GetStaticNonlinearLoads(const std::string& name, std::vector<host::NonlinearLoad>& loads) override {
        loads = lc(name)->loads;
        return 0;
    }
    int GetDynamicNonlinearLoads(const std::string& name, std::vector<host::NonlinearLoad>& loads) override {
        loads = lc(name)->loads;
        return 0;
    }
    int GetDynamicNonlinearTimeStep(const std::string& name, int& outputSteps, double& stepSize) override {
        outputSteps = lc(name)->outputSteps;
        stepSize = lc(name)->stepSize;
        return 0;
    }
    int GetDynamicNonlinearDamping(const std::string& name, host::DynamicDamping& damping) override {
        dampingAskedFor.push_back(name);
        damping = lc(name)->damping;
        return 0;
    }

    // --- everything else: nothing in this model ---------------------------------------------
    int GetPresentUnits() override { return 6; }
    int GetPointCount() override { return 0; }
    int GetMaterialNameList(int, host::Names& n) override { return none(n); }
    int DefineMaterial(const std::string&, int, int, const std::string&, const std::string&) override { return 1; }
    int GetMaterialType(const std::string&, int&, int&) override { return 1; }
    int GetMaterialWeightAndMass(const std::string&, double&, double&) override { return 1; }
    int GetSteelMaterial(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetRebarMaterial(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetConcreteMaterial(const std::string&, double&) override { return 1; }
    int GetStressStrainCurve(const std::string&, std::vector<int>&, std::vector<double>&,
                             std::vector<double>&) override { return 1; }
    int GetIsotropicProperties(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetOrthotropicProperties(const std::string&, std::array<double, 3>&, std::array<double, 3>&,
                                 std::array<double, 3>&, std::array<double, 3>&) override { return 1; }
    int GetAnisotropicProperties(const std::string&, std::array<double, 3>&, std::array<double, 15>&,
                                 std::array<double, 5>&, std::array<double, 3>&) override { return 1; }
    int GetUniaxialProperties(const std::string&, double&, double&) override { return 1; }
    int GetMassSource(int&, host::Names& n, std::vector<double>&) override { return none(n); }
    int GetFrameSectionNameList(host::Names& n) override { return none(n); }
    int GetFrameSectionProperties(const std::string&, host::FrameSectionProperties&) override { return 1; }
    int GetFrameSectionType(const std::string&, int&) override { return 1; }
    int GetNonprismaticSegments(const std::string&, host::Names& n) override { return none(n); }
    int GetFrameSectionMaterial(const std::string&, std::string&) override { return 1; }
    int GetFrameSectionRebarType(const std::string&, int&) override { return 1; }
    int GetAreaSectionNameList(host::Names& n) override { return none(n); }
    int GetAreaSectionType(const std::string&, int&) override { return 1; }
    int GetShell(const std::string&, int&, int&, std::string&, double&, double&, double&) override { return 1; }
    int GetShellLayers(const std::string&, std::vector<host::ShellLayer>&) override { return 1; }
    int GetPointNameList(host::Names& n) override { return none(n); }
    int GetPointCoordinates(const std::string&, const std::string&, double&, double&, double&) override { return 1; }
    int GetPointRestraints(const std::string&, std::array<bool, 6>&) override { return 1; }
    int GetPointConstraints(const std::string&, int, host::Names& a, host::Names& b) override {
        b.clear();
        return none(a);
    }
    int GetPointMass(const std::string&, std::array<double, 6>&) override { return 1; }
    int GetPointConnectivity(const std::string&, std::vector<int>&, host::Names& n) override { return none(n); }
    int GetPointForceLoads(const std::string&, int, std::vector<host::PointForceLoad>&) override { return 1; }
    int GetConstraintNameList(host::Names& n) override { return none(n); }
    int GetConstraintType(const std::string&, int&) override { return 1; }
    int GetDiaphragm(const std::string&, int&, std::string&) override { return 1; }
    int GetFrameNameList(host::Names& n) override { return none(n); }
    int GetFrameSection(const std::string&, std::string&) override { return 1; }
    int GetFramePoints(const std::string&, std::string&, std::string&) override { return 1; }
    int GetFrameLocalAxes(const std::string&, double&) override { return 1; }
    int GetFrameReleases(const std::string&, std::array<bool, 6>&, std::array<bool, 6>&) override { return 1; }
    int GetFrameHinges(const std::string&, std::vector<host::FrameHinge>&) override { return 1; }
    int GetFrameMass(const std::string&, double&) override { return 1; }
    int GetFrameDistributedLoads(const std::string&, int, std::vector<host::FrameDistributedLoad>&) override {
        return 1;
    }
    int GetFramePointLoads(const std::string&, int, std::vector<host::FramePointLoad>&) override { return 1; }
    int GetAreaNameList(host::Names& n) override { return none(n); }
    int GetAreaProperty(const std::string&, std::string&) override { return 1; }
    int GetAreaPoints(const std::string&, host::Names& n) override { return none(n); }
    int GetAreaMass(const std::string&, double&) override { return 1; }
    int GetAreaUniformLoads(const std::string&, int, std::vector<host::AreaUniformLoad>&) override { return 1; }
    int GetAreaUniformLoadsExtended(const std::string&, int, std::vector<host::AreaUniformLoad>&) override {
        return 1;
    }
    int GetGroupNameList(host::Names& n) override { return none(n); }
    int GetGroupAssignments(const std::string&, std::vector<int>&, host::Names& n) override { return none(n); }
    int GetLoadPatternNameList(host::Names& n) override { return none(n); }
    int GetLoadPatternType(const std::string&, int&) override { return 1; }
    int GetLoadPatternSelfWeightMultiplier(const std::string&, double&) override { return 1; }

private:
    static int none(host::Names& n) {
        n.clear();
        return 0;
    }
};

}  // namespace t2v::test
