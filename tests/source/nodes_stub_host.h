// A host for the node tests that answers only what nodes, diaphragms and groups ask,
// from plain lists, and can be told things a validated model document never says
// (a constraint or group naming a point that does not exist).
#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/TarvoHost.h"

namespace t2v::test {

class NodesStubHost : public host::TarvoHost {
public:
    using Names = host::Names;
    struct Point {
        std::string name;
        double x = 0, y = 0, z = 0;
        std::array<bool, 6> restraints{};
    };
    struct Constraint {
        std::string name;
        int type = 2;  // diaphragm
        int axis = 3;  // about Z
        Names points;
    };
    struct Group {
        std::string name;
        std::vector<int> types;
        Names names;
    };

    std::vector<Point> points;
    std::vector<Constraint> constraints;
    std::vector<Group> groups;  // "ALL" is answered first by GetGroupNameList
    int calls = 0;              // host calls answered, for the read-once checks

    Point& point(const std::string& name, double x, double y, double z, std::array<bool, 6> r = {}) {
        points.push_back({name, x, y, z, r});
        return points.back();
    }
    Constraint& diaphragm(const std::string& name, Names pts, int axis = 3, int type = 2) {
        constraints.push_back({name, type, axis, std::move(pts)});
        return constraints.back();
    }

    int GetPresentUnits() override { return 6; }
    int GetPointCount() override { return static_cast<int>(points.size()); }
    int GetPointNameList(Names& names) override {
        ++calls;
        names.clear();
        for (const Point& p : points) names.push_back(p.name);
        return 0;
    }
    int GetPointCoordinates(const std::string& name, const std::string&, double& x, double& y, double& z) override {
        ++calls;
        const Point* p = find(name);
        if (!p) return 1;
        x = p->x, y = p->y, z = p->z;
        return 0;
    }
    int GetPointRestraints(const std::string& name, std::array<bool, 6>& r) override {
        ++calls;
        const Point* p = find(name);
        if (!p) return 1;
        r = p->restraints;
        return 0;
    }
    // Group "ALL": point by point in point order, each constraint naming the point in
    // constraint order; a point name that no point has comes last. A single point:
    // its constraints in constraint order.
    int GetPointConstraints(const std::string& name, int itemKind, Names& pts, Names& cons) override {
        ++calls;
        index();
        pts.clear();
        cons.clear();
        auto add = [&](const std::string& p) {
            auto it = constraintsOf_.find(p);
            if (it == constraintsOf_.end()) return;
            for (std::size_t c : it->second) {
                pts.push_back(p);
                cons.push_back(constraints[c].name);
            }
        };
        if (itemKind == host::kGroup && name == "ALL") {
            for (const Point& p : points) add(p.name);
            for (const Constraint& c : constraints)
                for (const std::string& q : c.points)
                    if (!find(q)) {
                        pts.push_back(q);
                        cons.push_back(c.name);
                    }
        } else if (itemKind == host::kObject) {
            add(name);
        }
        return 0;
    }
    int GetConstraintNameList(Names& names) override {
        ++calls;
        names.clear();
        for (const Constraint& c : constraints) names.push_back(c.name);
        return 0;
    }
    int GetConstraintType(const std::string& name, int& type) override {
        ++calls;
        for (const Constraint& c : constraints)
            if (c.name == name) {
                type = c.type;
                return 0;
            }
        return 1;
    }
    int GetDiaphragm(const std::string& name, int& axis, std::string& csys) override {
        ++calls;
        for (const Constraint& c : constraints)
            if (c.name == name) {
                axis = c.axis;
                csys = "Global";
                return 0;
            }
        return 1;
    }
    int GetGroupNameList(Names& names) override {
        ++calls;
        names = {"ALL"};
        for (const Group& g : groups) names.push_back(g.name);
        return 0;
    }
    int GetGroupAssignments(const std::string& name, std::vector<int>& types, Names& names) override {
        ++calls;
        for (const Group& g : groups)
            if (g.name == name) {
                types = g.types;
                names = g.names;
                return 0;
            }
        types.clear();
        names.clear();
        return 1;
    }

    // Everything else answers "no such data".
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
    int GetAreaSectionType(const std::string&, int&) override { return 1; }
    int GetShell(const std::string&, int&, int&, std::string&, double&, double&, double&) override { return 1; }
    int GetShellLayers(const std::string&, std::vector<host::ShellLayer>&) override { return 1; }
    int GetPointMass(const std::string&, std::array<double, 6>&) override { return 1; }
    int GetPointConnectivity(const std::string&, std::vector<int>&, Names&) override { return 1; }
    int GetPointForceLoads(const std::string&, int, std::vector<host::PointForceLoad>&) override { return 1; }
    int GetFrameNameList(Names&) override { return 1; }
    int GetFrameSection(const std::string&, std::string&) override { return 1; }
    int GetFramePoints(const std::string&, std::string&, std::string&) override { return 1; }
    int GetFrameLocalAxes(const std::string&, double&) override { return 1; }
    int GetFrameReleases(const std::string&, std::array<bool, 6>&, std::array<bool, 6>&) override { return 1; }
    int GetFrameHinges(const std::string&, std::vector<host::FrameHinge>&) override { return 1; }
    int GetFrameMass(const std::string&, double&) override { return 1; }
    int GetFrameDistributedLoads(const std::string&, int, std::vector<host::FrameDistributedLoad>&) override { return 1; }
    int GetFramePointLoads(const std::string&, int, std::vector<host::FramePointLoad>&) override { return 1; }
    int GetAreaNameList(Names&) override { return 1; }
    int GetAreaProperty(const std::string&, std::string&) override { return 1; }
    int GetAreaPoints(const std::string&, Names&) override { return 1; }
    int GetAreaMass(const std::string&, double&) override { return 1; }
    int GetAreaUniformLoads(const std::string&, int, std::vector<host::AreaUniformLoad>&) override { return 1; }
    int GetAreaUniformLoadsExtended(const std::string&, int, std::vector<host::AreaUniformLoad>&) override { return 1; }
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
    // Rebuilt when a test has added points or constraints since the last query.
    void index() {
        if (indexedPoints_ == points.size() && indexedConstraints_ == constraints.size()) return;
        indexedPoints_ = points.size();
        indexedConstraints_ = constraints.size();
        pointAt_.clear();
        constraintsOf_.clear();
        for (std::size_t i = 0; i < points.size(); ++i) pointAt_.emplace(points[i].name, i);
        for (std::size_t c = 0; c < constraints.size(); ++c)
            for (const std::string& q : constraints[c].points) constraintsOf_[q].push_back(c);
    }
    const Point* find(const std::string& name) {
        index();
        auto it = pointAt_.find(name);
        return it == pointAt_.end() ? nullptr : &points[it->second];
    }
    std::size_t indexedPoints_ = ~std::size_t{0}, indexedConstraints_ = 0;
    std::unordered_map<std::string, std::size_t> pointAt_;
    std::unordered_map<std::string, std::vector<std::size_t>> constraintsOf_;
};

}  // namespace t2v::test
