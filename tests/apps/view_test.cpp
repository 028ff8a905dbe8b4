// vantra-view's 3-D model opens in a glTF reader with one mesh per element group in the
// group's colour, and every element in it; other file kinds are refused.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cstdlib>
#include <map>
#include <string>

#include "check/Picture.h"
#include "check/StructureDigest.h"
#include "support/TempDir.h"

namespace {

using t2v::test::TempDir;

const std::string kBin = std::string(T2V_BIN_DIR);
const std::string kExample = std::string(T2V_SOURCE_DIR) + "/examples/building.json";

int RunQuietly(const std::string& cmd) {
    const int status = std::system((cmd + " > /dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(View, GlbHoldsEveryElementOnceInItsGroupsMesh) {
    TempDir dir;
    ASSERT_EQ(RunQuietly(kBin + "/tarvo2vantra " + kExample + " --dir " + dir.path() + " --name B --home " + dir / "home"), 0);
    ASSERT_EQ(RunQuietly(kBin + "/vantra-view " + dir / "B" + " -o " + dir / "b.glb"), 0);

    tinygltf::Model model;
    tinygltf::TinyGLTF reader;
    std::string err, warn;
    ASSERT_TRUE(reader.LoadBinaryFromFile(&model, &err, &warn, dir / "b.glb")) << err;

    const t2v::check::StructureDigest d = t2v::check::ReadStructureDigest(dir / "B");
    std::map<std::string, std::int64_t> perGroup;
    for (const auto& e : d.elements)
        if (e.group != 0) ++perGroup[d.groups[static_cast<std::size_t>(e.group - 1)].name];
    ASSERT_EQ(model.meshes.size(), perGroup.size());
    for (const auto& mesh : model.meshes) {
        ASSERT_EQ(mesh.primitives.size(), 1u);
        const auto& p = mesh.primitives[0];
        const auto& positions = model.accessors.at(static_cast<std::size_t>(p.attributes.at("POSITION")));
        const std::size_t perElement = p.mode == TINYGLTF_MODE_TRIANGLES ? 6 : 2;
        EXPECT_EQ(positions.count, static_cast<std::size_t>(perGroup[mesh.name]) * perElement) << mesh.name;
        int group = 0;
        for (std::size_t g = 0; g < d.groups.size(); ++g)
            if (d.groups[g].name == mesh.name) group = static_cast<int>(g + 1);
        const auto& colour = model.materials.at(static_cast<std::size_t>(p.material)).pbrMetallicRoughness.baseColorFactor;
        EXPECT_EQ(static_cast<int>(colour[0] * 255 + 0.5), std::stoi(t2v::check::GroupColour(group).substr(1, 2), nullptr, 16))
            << mesh.name;
    }

    EXPECT_EQ(RunQuietly(kBin + "/vantra-view " + dir / "B" + " -o " + dir / "b.png"), 2);
    EXPECT_EQ(RunQuietly(kBin + "/vantra-view " + dir / "missing" + " -o " + dir / "b.svg"), 1);
}

}  // namespace
