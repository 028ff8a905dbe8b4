// A generated building loads into the document host and holds every kind of object and
// load the transfer handles, so that benchmarks over it exercise the whole transfer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "host/document/DocumentHost.h"
#include "support/TempDir.h"
#include "support/DocumentFile.h"

namespace {

using namespace t2v::host;
using t2v::test::TempDir;

class GeneratedBuilding : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir();
        const std::string log = *dir_ / "genmodel.log";
        const std::string cmd = std::string(T2V_BIN_DIR) + "/tarvo-genmodel --elements 300 --seed 2 -o '" +
                                (*dir_ / "building.json") + "' >'" + log + "' 2>&1";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        host_ = t2v::test::LoadDocumentFile(*dir_ / "building.json").release();
    }
    static void TearDownTestSuite() {
        delete host_;
        delete dir_;
    }

    static TempDir* dir_;
    static DocumentHost* host_;
};

TempDir* GeneratedBuilding::dir_ = nullptr;
DocumentHost* GeneratedBuilding::host_ = nullptr;

TEST_F(GeneratedBuilding, HoldsEveryKindOfMemberAndLoad) {
    ASSERT_NE(host_, nullptr);
    Names frames, areas;
    host_->GetFrameNameList(frames);
    host_->GetAreaNameList(areas);

    std::set<std::string> seen;
    for (const auto& f : frames) {
        std::array<bool, 6> ri{}, rj{};
        host_->GetFrameReleases(f, ri, rj);
        if (ri[4] && ri[5] && rj[4] && rj[5]) seen.insert("pinned frame");
        if (ri[3] && !rj[3]) seen.insert("torsion release at I");
        std::vector<FrameHinge> hinges;
        host_->GetFrameHinges(f, hinges);
        for (const auto& h : hinges) seen.insert(h.kind == 6 || h.kind == 9 ? "hinge kind 6/9" : "hinge other kind");
        std::vector<FrameDistributedLoad> dist;
        host_->GetFrameDistributedLoads(f, kObject, dist);
        for (std::size_t a = 0; a < dist.size(); ++a) {
            if (dist[a].rd1 == dist[a].rd2) seen.insert("zero-length distributed load");
            if (dist[a].loadType == 2 || dist[a].csys != "GLOBAL") seen.insert("frame load out of scope");
            for (std::size_t b = a + 1; b < dist.size(); ++b)
                if (dist[a].pattern == dist[b].pattern && dist[a].rd2 > dist[b].rd1 && dist[b].rd2 > dist[a].rd1)
                    seen.insert("overlapping distributed loads");
        }
        std::vector<FramePointLoad> pts;
        host_->GetFramePointLoads(f, kObject, pts);
        for (const auto& p : pts) {
            if (p.relDist == 0.0 || p.relDist == 1.0)
                seen.insert("point load at a frame end");
            else
                seen.insert("point load in the span");
        }
        std::string section;
        host_->GetFrameSection(f, section);
        int type = 0;
        host_->GetFrameSectionType(section, type);
        seen.insert("frame section type " + std::to_string(type));
    }
    for (const auto& a : areas) {
        Names corners;
        host_->GetAreaPoints(a, corners);
        if (corners.size() == 3) seen.insert("triangular area");
        std::string section, material;
        host_->GetAreaProperty(a, section);
        int shellType = 0, drilling = 0;
        double angle, t, b;
        host_->GetShell(section, shellType, drilling, material, angle, t, b);
        seen.insert("shell type " + std::to_string(shellType));
        std::vector<AreaUniformLoad> uniform, toFrames;
        host_->GetAreaUniformLoads(a, kObject, uniform);
        host_->GetAreaUniformLoadsExtended(a, kObject, toFrames);
        if (!uniform.empty()) seen.insert("area uniform load");
        if (!toFrames.empty()) seen.insert("area load to frames");
    }
    for (const char* expected :
         {"pinned frame", "torsion release at I", "hinge kind 6/9", "hinge other kind", "zero-length distributed load",
          "frame load out of scope", "overlapping distributed loads", "point load at a frame end",
          "point load in the span", "frame section type 1", "frame section type 8", "frame section type 14",
          "triangular area", "shell type 1", "shell type 6", "area uniform load", "area load to frames"})
        EXPECT_TRUE(seen.count(expected)) << expected;

    // The three layered walls: the concrete core at 0 degrees is nonlinear across, along,
    // or both ways, with rebar layers at 90 and 0 degrees.
    std::map<std::pair<int, int>, int> cores;
    for (const char* wall : {"WL1", "WL2", "WL3"}) {
        std::vector<ShellLayer> layers;
        ASSERT_EQ(host_->GetShellLayers(wall, layers), 0) << wall;
        std::set<double> rebarAngles;
        for (const auto& l : layers) {
            if (l.material == "B500") rebarAngles.insert(l.angle);
            if (l.name == "Core") ++cores[{l.s11, l.s22}];
        }
        EXPECT_EQ(rebarAngles, (std::set<double>{0.0, 90.0})) << wall;
    }
    EXPECT_EQ(cores, (std::map<std::pair<int, int>, int>{{{1, 2}, 1}, {{2, 1}, 1}, {{2, 2}, 1}}));
}

TEST_F(GeneratedBuilding, HoldsEveryKindOfFunctionAndCase) {
    ASSERT_NE(host_, nullptr);
    Names functions;
    host_->GetFunctionNameList(0, functions);
    std::set<int> kinds;
    for (const auto& f : functions) {
        int type = 0, kind = 0;
        host_->GetFunctionType(f, type, kind);
        if (type == 2) kinds.insert(kind);
        if (type == 2 && kind == 0) {
            THFunctionFile file;
            ASSERT_EQ(host_->GetTHFunctionFromFile(f, file), 0);
            EXPECT_TRUE(std::filesystem::exists(file.fileName)) << file.fileName;
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));

    int option = 0;
    Names patterns;
    std::vector<double> scales;
    host_->GetMassSource(option, patterns, scales);
    EXPECT_EQ(option, 3);
    EXPECT_FALSE(patterns.empty());

    Names cases;
    host_->GetLoadCaseNameList(0, cases);
    std::set<std::string> seen;
    for (const auto& c : cases) {
        int type = 0;
        host_->GetLoadCaseType(c, type);
        std::vector<NonlinearLoad> loads;
        if (type == 2) {
            StaticNonlinearLoadApplication app;
            host_->GetStaticNonlinearLoadApplication(c, app);
            host_->GetStaticNonlinearLoads(c, loads);
            for (const auto& l : loads) seen.insert("static " + std::to_string(app.loadControl) + " " + l.type);
        } else if (type == 8) {
            host_->GetDynamicNonlinearLoads(c, loads);
            for (const auto& l : loads) seen.insert("history " + l.type + " " + l.name);
        } else {
            seen.insert("other");
        }
    }
    for (const char* expected : {"static 1 Load", "static 2 Accel", "static 2 Mode", "static 2 Load",
                                 "history Accel U1", "history Accel U2", "other"})
        EXPECT_TRUE(seen.count(expected)) << expected;
}

}  // namespace
