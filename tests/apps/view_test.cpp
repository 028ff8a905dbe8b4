// vantra-view's 3-D model opens in a glTF reader with one mesh per element group in the
// group's colour, and every element in it; other file kinds are refused. Its SVG, drawn
// by a real browser, shows every group's colour.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#ifdef T2V_HAVE_PNG
#include <png.h>
#endif

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
    ASSERT_EQ(
        RunQuietly(kBin + "/tarvo2vantra " + kExample + " --dir " + dir.path() + " --name B --home " + dir / "home"),
        0);
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
        const auto& colour =
            model.materials.at(static_cast<std::size_t>(p.material)).pbrMetallicRoughness.baseColorFactor;
        EXPECT_EQ(static_cast<int>(colour[0] * 255 + 0.5),
                  std::stoi(t2v::check::GroupColour(group).substr(1, 2), nullptr, 16))
            << mesh.name;
    }

    EXPECT_EQ(RunQuietly(kBin + "/vantra-view " + dir / "B" + " -o " + dir / "b.png"), 2);
    EXPECT_EQ(RunQuietly(kBin + "/vantra-view " + dir / "missing" + " -o " + dir / "b.svg"), 1);
}

#ifdef T2V_HAVE_PNG
// The pixels of a PNG as RGB bytes; empty when it does not decode.
std::vector<std::uint8_t> ReadPngRgb(const std::string& path, std::uint32_t& width, std::uint32_t& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = image.width;
    height = image.height;
    return pixels;
}
#endif

// A browser's rendering of the picture holds each legend swatch in its group's colour:
// what a user sees matches the colours the file declares.
TEST(View, SvgRenderedByABrowserShowsEveryGroupsColour) {
#ifndef T2V_HAVE_PNG
    GTEST_SKIP() << "built without libpng";
#else
    if (RunQuietly("command -v chromium") != 0) GTEST_SKIP() << "chromium is not installed";
    TempDir dir;
    ASSERT_EQ(
        RunQuietly(kBin + "/tarvo2vantra " + kExample + " --dir " + dir.path() + " --name B --home " + dir / "home"),
        0);
    ASSERT_EQ(RunQuietly(kBin + "/vantra-view " + dir / "B" + " -o " + dir / "b.svg"), 0);
    std::ifstream svgFile(dir / "b.svg");
    std::stringstream svg;
    svg << svgFile.rdbuf();
    std::smatch size;
    const std::string text = svg.str();
    ASSERT_TRUE(std::regex_search(text, size, std::regex(R"re(<svg [^>]*width="([0-9.]+)" height="([0-9.]+)")re")));
    const int w = static_cast<int>(std::ceil(std::stod(size[1]))), h = static_cast<int>(std::ceil(std::stod(size[2])));

    // Its own profile, so that runs side by side do not share one.
    const std::string png = dir / "b.png";
    ASSERT_EQ(RunQuietly("timeout 60 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars "
                         "--force-device-scale-factor=1 --user-data-dir=" +
                         dir / "profile" + " --screenshot=" + png + " --window-size=" + std::to_string(w) + "," +
                         std::to_string(h) + " file://" + dir / "b.svg"),
              0);
    std::uint32_t width = 0, height = 0;
    const std::vector<std::uint8_t> rgb = ReadPngRgb(png, width, height);
    ASSERT_FALSE(rgb.empty()) << png;
    EXPECT_EQ(width, static_cast<std::uint32_t>(w));
    EXPECT_EQ(height, static_cast<std::uint32_t>(h));

    const t2v::check::StructureDigest d = t2v::check::ReadStructureDigest(dir / "B");
    ASSERT_FALSE(d.groups.empty());
    for (std::size_t g = 1; g <= d.groups.size(); ++g) {
        const std::string colour = t2v::check::GroupColour(static_cast<int>(g));
        const int want[3] = {std::stoi(colour.substr(1, 2), nullptr, 16), std::stoi(colour.substr(3, 2), nullptr, 16),
                             std::stoi(colour.substr(5, 2), nullptr, 16)};
        std::size_t matching = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
            bool same = true;
            for (std::size_t c = 0; c < 3; ++c) same = same && std::abs(rgb[i + c] - want[c]) <= 2;
            matching += same ? 1 : 0;
        }
        // At least the legend's 24 x 12 swatch, give or take its anti-aliased edge.
        EXPECT_GE(matching, 200u) << d.groups[g - 1].name << " " << colour;
    }
#endif
}

}  // namespace
