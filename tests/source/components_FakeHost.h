// A host model held in plain test data: materials, frame sections, area sections and
// frames, answering the queries of the component read steps. Every other query
// answers "no such data" (status 1).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/TarvoHost.h"
#include "platform/recording/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "target/VantraModel.h"

namespace t2v::test {

struct FakeMaterial {
    std::string name;
    int type = 2, sym = 0;
    double weight = 0, mass = 0;
    double isoE = 0, isoU = 0, isoA = 0, isoG = 0;
    std::array<double, 3> ortE{}, ortU{}, ortA{}, ortG{};
    std::array<double, 3> aniE{}, aniG{};
    std::array<double, 15> aniU{};
    std::array<double, 5> aniA{};
    double uniE = 0, uniA = 0;
    double Fy = 0, Fu = 0, eFy = 0, eFu = 0;  // steel or rebar
    double Fc = 0;
    std::optional<std::vector<double>> curveStresses;
};

struct FakeFrameSection {
    std::string name;
    std::optional<int> type;
    std::optional<std::string> material;
    host::FrameSectionProperties props;
    int rebarType = 0;
    host::Names segments;
};

struct FakeAreaSection {
    std::string name;
    int type = 1, shellType = 1, drilling = 0;
    std::string material;
    double angle = 0, thick = 0, bending = 0;
    std::vector<host::ShellLayer> layers;
};

struct FakeFrame {
    std::string name, section, i, j;
    double angle = 0;
    std::array<bool, 6> relI{}, relJ{};
    std::vector<host::FrameHinge> hinges;
};

class FakeHost : public host::TarvoHost {
public:
    std::vector<FakeMaterial> materials;
    std::vector<FakeFrameSection> frameSections;
    std::vector<FakeAreaSection> areaSections;
    std::vector<FakeFrame> frames;
    std::vector<std::pair<std::string, int>> defined;  // DefineMaterial calls
    std::vector<std::string> rebarTypeQueries;

    int GetPresentUnits() override { return 6; }
    int GetPointCount() override { return 0; }

    int GetMaterialNameList(int type, host::Names& names) override {
        names.clear();
        for (auto& m : materials)
            if (type == 0 || m.type == type) names.push_back(m.name);
        return 0;
    }
    int DefineMaterial(const std::string& name, int type, int, const std::string&, const std::string&) override {
        defined.emplace_back(name, type);
        FakeMaterial m;
        m.name = name;
        m.type = type;
        m.sym = type == 6 ? 3 : 0;
        m.isoE = type == 2 ? 24855578 : 199947980;
        m.uniE = 199947980;
        materials.push_back(m);
        return 0;
    }
    const FakeMaterial* mat(const std::string& n) const {
        for (auto& m : materials)
            if (m.name == n) return &m;
        return nullptr;
    }
    int GetMaterialType(const std::string& n, int& type, int& sym) override {
        auto* m = mat(n);
        if (!m) return 1;
        type = m->type;
        sym = m->sym;
        return 0;
    }
    int GetMaterialWeightAndMass(const std::string& n, double& w, double& ms) override {
        auto* m = mat(n);
        if (!m) return 1;
        w = m->weight;
        ms = m->mass;
        return 0;
    }
    int GetSteelMaterial(const std::string& n, double& a, double& b, double& c, double& d) override {
        auto* m = mat(n);
        if (!m) return 1;
        a = m->Fy, b = m->Fu, c = m->eFy, d = m->eFu;
        return 0;
    }
    int GetRebarMaterial(const std::string& n, double& a, double& b, double& c, double& d) override {
        return GetSteelMaterial(n, a, b, c, d);
    }
    int GetConcreteMaterial(const std::string& n, double& fc) override {
        auto* m = mat(n);
        if (!m) return 1;
        fc = m->Fc;
        return 0;
    }
    int GetStressStrainCurve(const std::string& n, std::vector<int>& ids, std::vector<double>& strains,
                             std::vector<double>& stresses) override {
        auto* m = mat(n);
        if (!m || !m->curveStresses) return 1;
        stresses = *m->curveStresses;
        strains.assign(stresses.size(), 0.0);
        ids.assign(stresses.size(), 0);
        return 0;
    }
    int GetIsotropicProperties(const std::string& n, double& E, double& U, double& A, double& G) override {
        auto* m = mat(n);
        if (!m) return 1;
        E = m->isoE, U = m->isoU, A = m->isoA, G = m->isoG;
        return 0;
    }
    int GetOrthotropicProperties(const std::string& n, std::array<double, 3>& E, std::array<double, 3>& U,
                                 std::array<double, 3>& A, std::array<double, 3>& G) override {
        auto* m = mat(n);
        if (!m) return 1;
        E = m->ortE, U = m->ortU, A = m->ortA, G = m->ortG;
        return 0;
    }
    int GetAnisotropicProperties(const std::string& n, std::array<double, 3>& E, std::array<double, 15>& U,
                                 std::array<double, 5>& A, std::array<double, 3>& G) override {
        auto* m = mat(n);
        if (!m) return 1;
        E = m->aniE, U = m->aniU, A = m->aniA, G = m->aniG;
        return 0;
    }
    int GetUniaxialProperties(const std::string& n, double& E, double& A) override {
        auto* m = mat(n);
        if (!m) return 1;
        E = m->uniE, A = m->uniA;
        return 0;
    }

    int GetMassSource(int&, host::Names&, std::vector<double>&) override { return 1; }

    const FakeFrameSection* fsec(const std::string& n) const {
        for (auto& s : frameSections)
            if (s.name == n) return &s;
        return nullptr;
    }
    int GetFrameSectionNameList(host::Names& names) override {
        names.clear();
        for (auto& s : frameSections) names.push_back(s.name);
        return 0;
    }
    int GetFrameSectionProperties(const std::string& n, host::FrameSectionProperties& p) override {
        auto* s = fsec(n);
        if (!s) return 1;
        p = s->props;
        return 0;
    }
    int GetFrameSectionType(const std::string& n, int& type) override {
        auto* s = fsec(n);
        if (!s || !s->type) return 1;
        type = *s->type;
        return 0;
    }
    int GetNonprismaticSegments(const std::string& n, host::Names& starts) override {
        auto* s = fsec(n);
        if (!s) return 1;
        starts = s->segments;
        return 0;
    }
    int GetFrameSectionMaterial(const std::string& n, std::string& material) override {
        auto* s = fsec(n);
        if (!s || !s->material) return 1;
        material = *s->material;
        return 0;
    }
    int GetFrameSectionRebarType(const std::string& n, int& rebarType) override {
        rebarTypeQueries.push_back(n);
        auto* s = fsec(n);
        if (!s) return 1;
        rebarType = s->rebarType;
        return 0;
    }

    const FakeAreaSection* asec(const std::string& n) const {
        for (auto& s : areaSections)
            if (s.name == n) return &s;
        return nullptr;
    }
    int GetAreaSectionNameList(host::Names& names) override {
        names.clear();
        for (auto& s : areaSections) names.push_back(s.name);
        return 0;
    }
    int GetAreaSectionType(const std::string& n, int& type) override {
        auto* s = asec(n);
        if (!s) return 1;
        type = s->type;
        return 0;
    }
    int GetShell(const std::string& n, int& shellType, int& drilling, std::string& material, double& angle,
                 double& thick, double& bending) override {
        auto* s = asec(n);
        if (!s) return 1;
        shellType = s->shellType, drilling = s->drilling, material = s->material, angle = s->angle;
        thick = s->thick, bending = s->bending;
        return 0;
    }
    int GetShellLayers(const std::string& n, std::vector<host::ShellLayer>& layers) override {
        auto* s = asec(n);
        if (!s) return 1;
        layers = s->layers;
        return 0;
    }

    int GetPointNameList(host::Names&) override { return 1; }
    int GetPointCoordinates(const std::string&, const std::string&, double&, double&, double&) override { return 1; }
    int GetPointRestraints(const std::string&, std::array<bool, 6>&) override { return 1; }
    int GetPointConstraints(const std::string&, int, host::Names&, host::Names&) override { return 1; }
    int GetPointMass(const std::string&, std::array<double, 6>&) override { return 1; }
    int GetPointConnectivity(const std::string&, std::vector<int>&, host::Names&) override { return 1; }
    int GetPointForceLoads(const std::string&, int, std::vector<host::PointForceLoad>&) override { return 1; }
    int GetConstraintNameList(host::Names&) override { return 1; }
    int GetConstraintType(const std::string&, int&) override { return 1; }
    int GetDiaphragm(const std::string&, int&, std::string&) override { return 1; }

    const FakeFrame* frame(const std::string& n) const {
        for (auto& f : frames)
            if (f.name == n) return &f;
        return nullptr;
    }
    int GetFrameNameList(host::Names& names) override {
        names.clear();
        for (auto& f : frames) names.push_back(f.name);
        return 0;
    }
    int GetFrameSection(const std::string& n, std::string& section) override {
        auto* f = frame(n);
        if (!f) return 1;
        section = f->section;
        return 0;
    }
    int GetFramePoints(const std::string& n, std::string& i, std::string& j) override {
        auto* f = frame(n);
        if (!f) return 1;
        i = f->i, j = f->j;
        return 0;
    }
    int GetFrameLocalAxes(const std::string& n, double& angle) override {
        auto* f = frame(n);
        if (!f) return 1;
        angle = f->angle;
        return 0;
    }
    int GetFrameReleases(const std::string& n, std::array<bool, 6>& ri, std::array<bool, 6>& rj) override {
        auto* f = frame(n);
        if (!f) return 1;
        ri = f->relI, rj = f->relJ;
        return 0;
    }
    int GetFrameHinges(const std::string& n, std::vector<host::FrameHinge>& hinges) override {
        auto* f = frame(n);
        if (!f) return 1;
        hinges = f->hinges;
        return 0;
    }
    int GetFrameMass(const std::string&, double&) override { return 1; }
    int GetFrameDistributedLoads(const std::string&, int, std::vector<host::FrameDistributedLoad>&) override { return 1; }
    int GetFramePointLoads(const std::string&, int, std::vector<host::FramePointLoad>&) override { return 1; }

    int GetAreaNameList(host::Names&) override { return 1; }
    int GetAreaProperty(const std::string&, std::string&) override { return 1; }
    int GetAreaPoints(const std::string&, host::Names&) override { return 1; }
    int GetAreaMass(const std::string&, double&) override { return 1; }
    int GetAreaUniformLoads(const std::string&, int, std::vector<host::AreaUniformLoad>&) override { return 1; }
    int GetAreaUniformLoadsExtended(const std::string&, int, std::vector<host::AreaUniformLoad>&) override { return 1; }
    int GetGroupNameList(host::Names&) override { return 1; }
    int GetGroupAssignments(const std::string&, std::vector<int>&, host::Names&) override { return 1; }
    int GetLoadPatternNameList(host::Names&) override { return 1; }
    int GetLoadPatternType(const std::string&, int&) override { return 1; }
    int GetLoadPatternSelfWeightMultiplier(const std::string&, double&) override { return 1; }
    int GetFunctionNameList(int, host::Names&) override { return 1; }
    int GetFunctionType(const std::string&, int&, int&) override { return 1; }
    int GetTHFunctionFromFile(const std::string&, host::THFunctionFile&) override { return 1; }
    int GetTHFunctionUser(const std::string&, std::vector<double>&, std::vector<double>&) override { return 1; }
    int GetTHFunctionSine(const std::string&, double&, int&, int&, double&) override { return 1; }
    int GetTHFunctionCosine(const std::string&, double&, int&, int&, double&) override { return 1; }
    int GetTHFunctionRamp(const std::string&, double&, double&, double&) override { return 1; }
    int GetTHFunctionTrapezoid(const std::string&, double&, double&, double&, int&) override { return 1; }
    int GetTHFunctionTriangular(const std::string&, double&, double&, int&) override { return 1; }
    int GetTHFunctionUserPeriodic(const std::string&, int&, std::vector<double>&, std::vector<double>&) override {
        return 1;
    }
    int GetLoadCaseNameList(int, host::Names&) override { return 1; }
    int GetLoadCaseType(const std::string&, int&) override { return 1; }
    int GetStaticNonlinearLoadApplication(const std::string&, host::StaticNonlinearLoadApplication&) override {
        return 1;
    }
    int GetStaticNonlinearLoads(const std::string&, std::vector<host::NonlinearLoad>&) override { return 1; }
    int GetDynamicNonlinearLoads(const std::string&, std::vector<host::NonlinearLoad>&) override { return 1; }
    int GetDynamicNonlinearTimeStep(const std::string&, int&, double&) override { return 1; }
    int GetDynamicNonlinearDamping(const std::string&, host::DynamicDamping&) override { return 1; }
};

// A source model over a fake host, with a store ready for the fill steps (kN, m).
struct ComponentFixture {
    FakeHost host;
    platform::RecordingPlatform platform;
    Units units;
    source::TarvoModelObj src{host, platform, units, {}};
    target::VantraModel m;

    ComponentFixture() {
        m.LengthUnit = units.LengthUnit;
        m.ForceUnit = units.ForceUnit;
        m.LengthToInches = units.LengthToInches;
        m.ForceToKips = units.ForceToKips;
        target::InitVantraModel(m);
    }
    source::TarvoNodeObj& node(const std::string& label, double x, double y, double z) {
        auto& n = src.AddNode(label);
        n.x = x, n.y = y, n.z = z;
        return n;
    }
};

}  // namespace t2v::test
