// A small in-memory host for the area and element tests: areas with their sections and
// corner points, shell sections, and the objects met at each point. Every other query
// answers "no data".
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/TarvoHost.h"

namespace t2v::test {

using host::Names;

class AreaTestHost : public host::TarvoHost {
public:
    struct Area {
        std::string name, section;
        Names points;
    };
    struct Section {
        int type = 1;       // 1 shell
        int shellType = 1;  // 1 thin shell, 6 layered
    };

    std::vector<Area> areas;
    std::map<std::string, Section> sections;
    std::map<std::string, std::vector<int>> connectivity;  // point -> object types
    std::map<std::string, int> connectivityAsked;

    int GetPresentUnits() override { return 6; }
    int GetPointCount() override { return 0; }

    int GetAreaNameList(Names& names) override {
        names.clear();
        for (const Area& a : areas) names.push_back(a.name);
        return 0;
    }
    int GetAreaProperty(const std::string& name, std::string& section) override {
        const Area* a = find(name);
        if (a == nullptr) return 1;
        section = a->section;
        return 0;
    }
    int GetAreaPoints(const std::string& name, Names& points) override {
        const Area* a = find(name);
        if (a == nullptr) return 1;
        points = a->points;
        return 0;
    }
    int GetAreaSectionType(const std::string& name, int& type) override {
        auto it = sections.find(name);
        if (it == sections.end()) return 1;
        type = it->second.type;
        return 0;
    }
    int GetShell(const std::string& name, int& shellType, int&, std::string&, double&, double&, double&) override {
        auto it = sections.find(name);
        if (it == sections.end()) return 1;
        shellType = it->second.shellType;
        return 0;
    }
    int GetPointConnectivity(const std::string& name, std::vector<int>& types, Names& objects) override {
        ++connectivityAsked[name];
        types.clear();
        objects.clear();
        auto it = connectivity.find(name);
        if (it == connectivity.end()) return 0;
        types = it->second;
        objects.assign(types.size(), "obj");
        return 0;
    }

    int GetMaterialNameList(int, Names&) override { return 1; }
    int DefineMaterial(const std::string&, int, int, const std::string&, const std::string&) override { return 1; }
    int GetMaterialType(const std::string&, int&, int&) override { return 1; }
    int GetMaterialWeightAndMass(const std::string&, double&, double&) override { return 1; }
    int GetSteelMaterial(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetRebarMaterial(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetConcreteMaterial(const std::string&, double&) override { return 1; }
    int GetStressStrainCurve(const std::string&, std::vector<int>&, std::vector<double>&, std::vector<double>&) override { return 1; }
    int GetIsotropicProperties(const std::string&, double&, double&, double&, double&) override { return 1; }
    int GetOrthotropicProperties(const std::string&, std::array<double, 3>&, std::array<double, 3>&, std::array<double, 3>&, std::array<double, 3>&) override { return 1; }
    int GetAnisotropicProperties(const std::string&, std::array<double, 3>&, std::array<double, 15>&, std::array<double, 5>&, std::array<double, 3>&) override { return 1; }
    int GetUniaxialProperties(const std::string&, double&, double&) override { return 1; }
    int GetMassSource(int&, Names&, std::vector<double>&) override { return 1; }
    int GetFrameSectionNameList(Names&) override { return 1; }
    int GetFrameSectionProperties(const std::string&, host::FrameSectionProperties&) override { return 1; }
    int GetFrameSectionType(const std::string&, int&) override { return 1; }
    int GetNonprismaticSegments(const std::string&, Names&) override { return 1; }
    int GetFrameSectionMaterial(const std::string&, std::string&) override { return 1; }
    int GetFrameSectionRebarType(const std::string&, int&) override { return 1; }
    int GetAreaSectionNameList(Names&) override { return 1; }
    int GetShellLayers(const std::string&, std::vector<host::ShellLayer>&) override { return 1; }
    int GetPointNameList(Names&) override { return 1; }
    int GetPointCoordinates(const std::string&, const std::string&, double&, double&, double&) override { return 1; }
    int GetPointRestraints(const std::string&, std::array<bool, 6>&) override { return 1; }
    int GetPointConstraints(const std::string&, int, Names&, Names&) override { return 1; }
    int GetPointMass(const std::string&, std::array<double, 6>&) override { return 1; }
    int GetPointForceLoads(const std::string&, int, std::vector<host::PointForceLoad>&) override { return 1; }
    int GetConstraintNameList(Names&) override { return 1; }
    int GetConstraintType(const std::string&, int&) override { return 1; }
    int GetDiaphragm(const std::string&, int&, std::string&) override { return 1; }
    int GetFrameNameList(Names&) override { return 1; }
    int GetFrameSection(const std::string&, std::string&) override { return 1; }
    int GetFramePoints(const std::string&, std::string&, std::string&) override { return 1; }
    int GetFrameLocalAxes(const std::string&, double&) override { return 1; }
    int GetFrameReleases(const std::string&, std::array<bool, 6>&, std::array<bool, 6>&) override { return 1; }
    int GetFrameHinges(const std::string&, std::vector<host::FrameHinge>&) override { return 1; }
    int GetFrameMass(const std::string&, double&) override { return 1; }
    int GetFrameDistributedLoads(const std::string&, int, std::vector<host::FrameDistributedLoad>&) override { return 1; }
    int GetFramePointLoads(const std::string&, int, std::vector<host::FramePointLoad>&) override { return 1; }
    int GetAreaMass(const std::string&, double&) override { return 1; }
    int GetAreaUniformLoads(const std::string&, int, std::vector<host::AreaUniformLoad>&) override { return 1; }
    int GetAreaUniformLoadsExtended(const std::string&, int, std::vector<host::AreaUniformLoad>&) override { return 1; }
    int GetGroupNameList(Names&) override { return 1; }
    int GetGroupAssignments(const std::string&, std::vector<int>&, Names&) override { return 1; }
    int GetLoadPatternNameList(Names&) override { return 1; }
    int GetLoadPatternType(const std::string&, int&) override { return 1; }
    int GetLoadPatternSelfWeightMultiplier(const std::string&, double&) override { return 1; }
    int GetFunctionNameList(int, Names&) override { return 1; }
    int GetFunctionType(const std::string&, int&, int&) override { return 1; }
    int GetTHFunctionFromFile(const std::string&, host::THFunctionFile&) override { return 1; }
    int GetTHFunctionUser(const std::string&, std::vector<double>&, std::vector<double>&) override { return 1; }
    int GetTHFunctionSine(const std::string&, double&, int&, int&, double&) override { return 1; }
    int GetTHFunctionCosine(const std::string&, double&, int&, int&, double&) override { return 1; }
    int GetTHFunctionRamp(const std::string&, double&, double&, double&) override { return 1; }
    int GetTHFunctionTrapezoid(const std::string&, double&, double&, double&, int&) override { return 1; }
    int GetTHFunctionTriangular(const std::string&, double&, double&, int&) override { return 1; }
    int GetTHFunctionUserPeriodic(const std::string&, int&, std::vector<double>&, std::vector<double>&) override { return 1; }
    int GetLoadCaseNameList(int, Names&) override { return 1; }
    int GetLoadCaseType(const std::string&, int&) override { return 1; }
    int GetStaticNonlinearLoadApplication(const std::string&, host::StaticNonlinearLoadApplication&) override { return 1; }
    int GetStaticNonlinearLoads(const std::string&, std::vector<host::NonlinearLoad>&) override { return 1; }
    int GetDynamicNonlinearLoads(const std::string&, std::vector<host::NonlinearLoad>&) override { return 1; }
    int GetDynamicNonlinearTimeStep(const std::string&, int&, double&) override { return 1; }
    int GetDynamicNonlinearDamping(const std::string&, host::DynamicDamping&) override { return 1; }

private:
    const Area* find(const std::string& name) {
        if (byName_.size() != areas.size()) {
            byName_.clear();
            for (std::size_t i = 0; i < areas.size(); ++i) byName_.emplace(areas[i].name, i);
        }
        auto it = byName_.find(name);
        return it == byName_.end() ? nullptr : &areas[it->second];
    }
    std::map<std::string, std::size_t> byName_;
};

}  // namespace t2v::test
