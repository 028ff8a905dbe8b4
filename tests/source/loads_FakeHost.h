// A host that answers only the load and mass queries, from maps the test fills; every
// other query answers "nothing". Lets the load readers run on a model built by hand.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/TarvoHost.h"
#include "platform/recording/RecordingPlatform.h"
#include "source/TarvoModelObj.h"

namespace t2v::testing_loads {

using namespace t2v::host;

class LoadsFakeHost : public TarvoHost {
public:
    struct Pattern {
        std::string name;
        double selfWeight = 0;
    };
    std::vector<Pattern> patterns;
    std::map<std::string, std::vector<PointForceLoad>> pointLoads;
    std::map<std::string, std::vector<FrameDistributedLoad>> frameDist;
    std::map<std::string, std::vector<FramePointLoad>> framePoint;
    std::map<std::string, std::vector<AreaUniformLoad>> areaLoads, areaLoadsToFrames;
    int massOption = 1;
    Names massPatterns;
    std::vector<double> massScales;
    std::map<std::string, std::array<double, 6>> pointMass;
    std::map<std::string, double> frameMass, areaMass;
    int frameDistCalls = 0;

    int GetPresentUnits() override { return 6; }
    int GetPointCount() override { return 0; }
    int GetMaterialNameList(int, Names&) override { return 0; }
    int DefineMaterial(const std::string&, int, int, const std::string&, const std::string&) override { return 0; }
    int GetMaterialType(const std::string&, int&, int&) override { return 1; }
    int GetMaterialWeightAndMass(const std::string&, double&, double&) override { return 1; }
    int GetSteelMaterial(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetRebarMaterial(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetConcreteMaterial(const std::string&, double&) override { return 1; }
    int GetStressStrainCurve(const std::string&, std::vector<int>&, std::vector<double>&, std::vector<double>&) override {
        return 1;
    }
    int GetIsotropicProperties(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetOrthotropicProperties(const std::string&, std::array<double, 3>&, std::array<double, 3>&,
                                 std::array<double, 3>&, std::array<double, 3>&) override {
        return 1;
    }
    int GetAnisotropicProperties(const std::string&, std::array<double, 3>&, std::array<double, 15>&,
                                 std::array<double, 5>&, std::array<double, 3>&) override {
        return 1;
    }
    int GetUniaxialProperties(const std::string&, double&, double&) override { return 1; }
    int GetMassSource(int& option, Names& names, std::vector<double>& scales) override {
        option = massOption;
        names = massPatterns;
        scales = massScales;
        return 0;
    }
    int GetFrameSectionNameList(Names&) override { return 0; }
    int GetFrameSectionProperties(const std::string&, FrameSectionProperties&) override { return 1; }
    int GetFrameSectionType(const std::string&, int&) override { return 1; }
    int GetNonprismaticSegments(const std::string&, Names&) override { return 1; }
    int GetFrameSectionMaterial(const std::string&, std::string&) override { return 1; }
    int GetFrameSectionRebarType(const std::string&, int&) override { return 1; }
    int GetAreaSectionNameList(Names&) override { return 0; }
    int GetAreaSectionType(const std::string&, int&) override { return 1; }
    int GetShell(const std::string&, int&, int&, std::string&, double&, double&, double&) override { return 1; }
    int GetShellLayers(const std::string&, std::vector<ShellLayer>&) override { return 1; }
    int GetPointNameList(Names&) override { return 0; }
    int GetPointCoordinates(const std::string&, const std::string&, double&, double&, double&) override { return 1; }
    int GetPointRestraints(const std::string&, std::array<bool, 6>&) override { return 1; }
    int GetPointConstraints(const std::string&, int, Names&, Names&) override { return 1; }
    int GetPointMass(const std::string& name, std::array<double, 6>& mass) override {
        auto it = pointMass.find(name);
        if (it == pointMass.end()) return 1;
        mass = it->second;
        return 0;
    }
    int GetPointConnectivity(const std::string&, std::vector<int>&, Names&) override { return 1; }
    int GetPointForceLoads(const std::string& name, int, std::vector<PointForceLoad>& loads) override {
        return answer(pointLoads, name, loads);
    }
    int GetConstraintNameList(Names&) override { return 0; }
    int GetConstraintType(const std::string&, int&) override { return 1; }
    int GetDiaphragm(const std::string&, int&, std::string&) override { return 1; }
    int GetFrameNameList(Names&) override { return 0; }
    int GetFrameSection(const std::string&, std::string&) override { return 1; }
    int GetFramePoints(const std::string&, std::string&, std::string&) override { return 1; }
    int GetFrameLocalAxes(const std::string&, double&) override { return 1; }
    int GetFrameReleases(const std::string&, std::array<bool, 6>&, std::array<bool, 6>&) override { return 1; }
    int GetFrameHinges(const std::string&, std::vector<FrameHinge>&) override { return 1; }
    int GetFrameMass(const std::string& name, double& m) override { return value(frameMass, name, m); }
    int GetFrameDistributedLoads(const std::string& name, int, std::vector<FrameDistributedLoad>& loads) override {
        ++frameDistCalls;
        return answer(frameDist, name, loads);
    }
    int GetFramePointLoads(const std::string& name, int, std::vector<FramePointLoad>& loads) override {
        return answer(framePoint, name, loads);
    }
    int GetAreaNameList(Names&) override { return 0; }
    int GetAreaProperty(const std::string&, std::string&) override { return 1; }
    int GetAreaPoints(const std::string&, Names&) override { return 1; }
    int GetAreaMass(const std::string& name, double& m) override { return value(areaMass, name, m); }
    int GetAreaUniformLoads(const std::string& name, int, std::vector<AreaUniformLoad>& loads) override {
        return answer(areaLoads, name, loads);
    }
    int GetAreaUniformLoadsExtended(const std::string& name, int, std::vector<AreaUniformLoad>& loads) override {
        return answer(areaLoadsToFrames, name, loads);
    }
    int GetGroupNameList(Names&) override { return 0; }
    int GetGroupAssignments(const std::string&, std::vector<int>&, Names&) override { return 1; }
    int GetLoadPatternNameList(Names& names) override {
        names.clear();
        for (const Pattern& p : patterns) names.push_back(p.name);
        return 0;
    }
    int GetLoadPatternType(const std::string&, int& type) override {
        type = 1;
        return 0;
    }
    int GetLoadPatternSelfWeightMultiplier(const std::string& name, double& m) override {
        for (const Pattern& p : patterns)
            if (p.name == name) {
                m = p.selfWeight;
                return 0;
            }
        return 1;
    }
    int GetFunctionNameList(int, Names&) override { return 0; }
    int GetFunctionType(const std::string&, int&, int&) override { return 1; }
    int GetTHFunctionFromFile(const std::string&, THFunctionFile&) override { return 1; }
    int GetTHFunctionUser(const std::string&, std::vector<double>&, std::vector<double>&) override { return 1; }
    int GetTHFunctionSine(const std::string&, double&, int&, int&, double&) override { return 1; }
    int GetTHFunctionCosine(const std::string&, double&, int&, int&, double&) override { return 1; }
    int GetTHFunctionRamp(const std::string&, double&, double&, double&) override { return 1; }
    int GetTHFunctionTrapezoid(const std::string&, double&, double&, double&, int&) override { return 1; }
    int GetTHFunctionTriangular(const std::string&, double&, double&, int&) override { return 1; }
    int GetTHFunctionUserPeriodic(const std::string&, int&, std::vector<double>&, std::vector<double>&) override {
        return 1;
    }
    int GetLoadCaseNameList(int, Names&) override { return 0; }
    int GetLoadCaseType(const std::string&, int&) override { return 1; }
    int GetStaticNonlinearLoadApplication(const std::string&, StaticNonlinearLoadApplication&) override { return 1; }
    int GetStaticNonlinearLoads(const std::string&, std::vector<NonlinearLoad>&) override { return 1; }
    int GetDynamicNonlinearLoads(const std::string&, std::vector<NonlinearLoad>&) override { return 1; }
    int GetDynamicNonlinearTimeStep(const std::string&, int&, double&) override { return 1; }
    int GetDynamicNonlinearDamping(const std::string&, DynamicDamping&) override { return 1; }

private:
    template <class T>
    static int answer(const std::map<std::string, std::vector<T>>& m, const std::string& name, std::vector<T>& out) {
        auto it = m.find(name);
        out = it == m.end() ? std::vector<T>{} : it->second;
        return 0;
    }
    static int value(const std::map<std::string, double>& m, const std::string& name, double& out) {
        auto it = m.find(name);
        if (it == m.end()) return 1;
        out = it->second;
        return 0;
    }
};

// A source model over the fake host, with helpers that build nodes, frames and areas
// as the other readers would leave them.
struct LoadsModel {
    LoadsFakeHost host;
    platform::RecordingPlatform platform;
    source::TarvoModelObj src{host, platform, Units{}, source::RecordsLocation{}};

    source::TarvoNodeObj& node(const std::string& label, double x, double y, double z) {
        source::TarvoNodeObj& n = src.AddNode(label);
        n.x = x;
        n.y = y;
        n.z = z;
        return n;
    }
    source::TarvoFrameObj& frame(const std::string& label, const std::string& i, const std::string& j) {
        source::TarvoFrameObj& f = src.AddFrame(label);
        f.LabelNodeI = i;
        f.LabelNodeJ = j;
        f.NodeI = src.NodeIdGet(i);
        f.NodeJ = src.NodeIdGet(j);
        return f;
    }
    source::TarvoAreaObj& area(const std::string& label, std::vector<std::string> nodes) {
        source::TarvoAreaObj& a = src.AddArea(label);
        a.RedimJoint(static_cast<int>(nodes.size()));
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            a.LabelNodes[k] = nodes[k];
            a.idNodes[k] = src.NodeIdGet(nodes[k]);
        }
        return a;
    }
    void patterns(std::vector<LoadsFakeHost::Pattern> p) {
        host.patterns = std::move(p);
        src.ReadLoadPatterns();
    }
    // The load read steps in their order.
    void readLoads() {
        src.ReadLoadNodes();
        src.ReadLoadFramesDistributed();
        src.ReadLoadFramesPoint();
        src.CheckLoadFramePoint();
        src.ReadLoadAreas();
        src.ConvertLoadAreasToNodes();
    }
};

}  // namespace t2v::testing_loads
