// The picture of the example building, parsed back: every element drawn once in each
// view, in its group's colour, and a legend row for every element group.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

#include "check/Picture.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

TEST(Picture, EveryElementOncePerViewInItsGroupColourWithALegend) {
    auto r = test::RunTransferFile(std::string(T2V_SOURCE_DIR) + "/examples/building.json", "Example");
    ASSERT_TRUE(r->written);
    const check::StructureDigest d = check::ReadStructureDigest(r->structureDir());
    std::ostringstream out;
    check::WriteSvg(d, "Example", out);
    const std::string svg = out.str();

    std::map<std::int64_t, int> expected;  // element -> group
    for (std::size_t e = 0; e < d.elements.size(); ++e)
        if (d.elements[e].group != 0) expected[static_cast<std::int64_t>(e + 1)] = d.elements[e].group;

    const std::regex view(R"re(<g class="view" id="(\w+)">([\s\S]*?)\n</g>\n(?=<g class="view"|<g id="legend"))re");
    // Areas are filled in their group's colour, frames drawn in it.
    const std::regex groupRe(
        R"re(<g class="g(\d+)"[^>]*? fill="(#[0-9a-f]{6}|none)"[^>]*? stroke="(#[0-9a-f]{6})">([\s\S]*?)</g>)re");
    const std::regex drawn(R"re(<(?:line|polygon) data-element="(\d+)")re");
    int views = 0;
    for (auto v = std::sregex_iterator(svg.begin(), svg.end(), view); v != std::sregex_iterator(); ++v) {
        ++views;
        const std::string body = (*v)[2];
        std::map<std::int64_t, int> seen;
        for (auto g = std::sregex_iterator(body.begin(), body.end(), groupRe); g != std::sregex_iterator(); ++g) {
            const int groupNumber = std::stoi((*g)[1]);
            if ((*g)[2].str() != "none") {
                EXPECT_EQ((*g)[2].str(), check::GroupColour(groupNumber));
            }
            EXPECT_EQ((*g)[3].str(), check::GroupColour(groupNumber));
            const std::string elements = (*g)[4];
            for (auto m = std::sregex_iterator(elements.begin(), elements.end(), drawn); m != std::sregex_iterator();
                 ++m) {
                const std::int64_t element = std::stoll((*m)[1]);
                ++seen[element];
                EXPECT_EQ(groupNumber, expected[element]) << (*v)[1] << " element " << element;
            }
        }
        EXPECT_EQ(seen.size(), expected.size()) << (*v)[1];
        for (const auto& [element, n] : seen) EXPECT_EQ(n, 1) << (*v)[1] << " element " << element;
    }
    EXPECT_EQ(views, 3);

    const std::regex legend(
        R"re(<rect class="legend" data-group="(\d+)"[^>]*fill="(#[0-9a-f]{6})"/><text[^>]*>([^<]*)</text>)re");
    std::size_t rows = 0;
    for (auto m = std::sregex_iterator(svg.begin(), svg.end(), legend); m != std::sregex_iterator(); ++m, ++rows) {
        const int group = std::stoi((*m)[1]);
        EXPECT_EQ((*m)[2].str(), check::GroupColour(group));
        EXPECT_EQ((*m)[3].str(), d.groups.at(static_cast<std::size_t>(group - 1)).name);
    }
    EXPECT_EQ(rows, d.groups.size());
    // The groups of one building are told apart by colour.
    std::map<std::string, int> colours;
    for (std::size_t g = 1; g <= d.groups.size(); ++g) ++colours[check::GroupColour(static_cast<int>(g))];
    EXPECT_EQ(colours.size(), d.groups.size());
}

}  // namespace
}  // namespace t2v
