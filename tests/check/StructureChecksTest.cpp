// Structural checks and totals over small structures built by hand in the digest form,
// where every expected figure can be worked out on paper.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "check/StructureChecks.h"
#include "check/Totals.h"
#include "decode/Value.h"

namespace t2v::check {
namespace {

// Origin node, then a 4 m beam from (0,0,3) to (4,0,3) and a 4 x 3 slab below it.
StructureDigest Beam() {
    StructureDigest d;
    d.nodes = {{0, 0, 0, {}, false},
               {0, 0, 3, {}, false},
               {4, 0, 3, {}, false},
               {0, 0, 0, {1, 1, 1, 1, 1, 1}, false},
               {4, 0, 0, {1, 1, 1, 1, 1, 1}, false}};
    d.groups = {{"ElemConcBeam", 2, 1, 2}, {"ElemConcCol", 3, 3, 5}};
    d.elements = {{0, {}, 0}, {1, {2, 3, 0, 0}, 1}, {0, {}, 0}, {2, {4, 2, 0, 0}, 1}, {2, {5, 3, 0, 0}, 1}};
    d.frameCompounds = {{2.5}};
    return d;
}

std::size_t count(const CheckReport& r, const std::string& kind) {
    return static_cast<std::size_t>(
        std::count_if(r.findings.begin(), r.findings.end(), [&](const Finding& f) { return f.kind == kind; }));
}

TEST(StructureChecks, SoundStructureHasNoFinding) {
    const CheckReport r = CheckStructure(Beam());
    for (const auto& f : r.findings) ADD_FAILURE() << f.kind << ": " << f.text;
    std::ostringstream out;
    PrintFindings(r, out);
    EXPECT_EQ(out.str(), "No problems found.\n");
}

TEST(StructureChecks, ReferencesToNothingAndDegenerateObjectsAreFound) {
    StructureDigest d = Beam();
    d.nodes.push_back({7, 7, 7, {}, false});             // node 6: nothing uses it
    d.nodes.push_back({4, 0, 3 + 1e-9, {}, false});      // node 7: on top of node 3, used by the slab below
    d.groups.push_back({"ElemConcSlabRamp", 12, 6, 7});  // group 3
    d.groups.push_back({"ElemSteelBrace", 5, 0, 0});     // group 4: empty
    d.elements.push_back({0, {}, 0});
    d.elements.push_back({3, {2, 3, 7, 2}, 1});  // element 7: slab on a missing section, zero area
    d.elements.push_back({9, {2, 3, 0, 0}, 1});  // element 8: group 9 does not exist
    d.elements[1].nodes[1] = 2;                  // element 2: from node 2 to node 2
    d.elements[3].nodes[0] = 40;                 // element 4: node 40 does not exist
    d.elements[4].compound = 3;                  // element 5: frame compound 3 of 1
    d.drifts = {{"H1 Drift", 3, 99}};
    d.elementPatterns = {{"LoadFrame-L", 1}};
    d.shapes = {{1, 1, 1, 1, 1, 1}};
    d.loadItems = {{1, 5, {1, 0, 1, 1}}};             // its chain runs to item 5 of 1
    d.shapeUses = {{1, 2, 1}, {1, 3, 1}, {1, 4, 2}};  // element 3 is a head; element 4 has no shape 2
    d.selfWeightPatterns = {{"SelfWeight-D", 65533}};
    d.selfWeightElements = {{2, 100}};
    d.cuts = {{"Frame Base Cut", 1, 2}};
    d.cutItems = {{0, 2}, {1, 0}};  // a leading item, then element 1, a head element

    const CheckReport r = CheckStructure(d);
    EXPECT_EQ(count(r, "unused node"), 1u);  // node 6 (node 1 is the origin node, never reported)
    EXPECT_EQ(count(r, "coincident nodes"), 1u);
    EXPECT_EQ(count(r, "zero length"), 1u);
    EXPECT_EQ(count(r, "zero area"), 1u);
    EXPECT_EQ(count(r, "missing element group"), 1u);
    EXPECT_EQ(count(r, "missing node"), 1u);
    EXPECT_EQ(count(r, "missing compound"), 2u);  // element 5, and element 7's slab section
    EXPECT_EQ(count(r, "empty group"), 1u);
    EXPECT_EQ(count(r, "load on missing element"), 3u);  // element 3, element 4's shape, self weight on 100
    EXPECT_EQ(count(r, "broken load shape"), 1u);
    EXPECT_EQ(count(r, "drift names missing node"), 1u);
    EXPECT_EQ(count(r, "cut names missing element"), 1u);

    auto has = [&](const std::string& text) {
        return std::any_of(r.findings.begin(), r.findings.end(), [&](const Finding& f) { return f.text == text; });
    };
    EXPECT_TRUE(has("node 6 is used by no element, constraint or support"));
    EXPECT_TRUE(has("element 5 refers to frame compound 3, but there are 1"));
    EXPECT_TRUE(has("drift \"H1 Drift\" names node 99, which does not exist"));
    EXPECT_TRUE(has("self-weight pattern \"SelfWeight-D\" flags element 100, which does not exist"));

    std::ostringstream json;
    PrintFindingsJson(r, json);
    EXPECT_NE(json.str().find("\"problems\": " + std::to_string(r.findings.size())), std::string::npos);
    EXPECT_NE(json.str().find("\"coincident nodes\": 1"), std::string::npos);
}

TEST(StructureChecks, CoincidenceUsesTheGivenTolerance) {
    StructureDigest d = Beam();
    d.nodes[4].x = 4.0;
    d.nodes[4].z = 2.9;  // 0.1 below node 3
    EXPECT_EQ(count(CheckStructure(d), "coincident nodes"), 0u);
    EXPECT_EQ(count(CheckStructure(d, {0.2}), "coincident nodes"), 1u);
}

TEST(Totals, ElementLoadsAreIntegratedOverTheirElements) {
    StructureDigest d = Beam();
    d.elementPatterns = {{"LoadFrame-L", 1}};
    d.shapes = {{1, 1, 1, 1, 2, 1}};
    // A triangle from 0 at the I end to 6 at 3/4 of the length, and 10 at the middle.
    d.loadItems = {{1, 2, {0, 0, 6, 0.75}}, {2, 0, {10, 0.5, 0, 0}}};
    d.shapeUses = {{1, 2, 1}};
    const SideTotals t = StructureTotals(d);
    const Resultant& r = t.loads.at({"LoadFrame-L", LoadKind::Element});
    // Triangle: 0.5 x 6 x 3 m = 9 at 2/3 of 3 m = x 2; point load 10 at x 2.
    EXPECT_NEAR(r.value[2], -19.0, 1e-12);
    EXPECT_NEAR(r.value[4], 19.0 * 2.0, 1e-12);  // My = -x Fz
    EXPECT_NEAR(r.value[3], 0.0, 1e-12);         // on the line y = 0
}

TEST(Totals, SelfWeightAndNodalLoadsAndMassesBalanceAgainstEqualFigures) {
    StructureDigest d = Beam();
    d.nodalPatterns = {{"AccelUX", 1}, {"AccelUY", 2}, {"LoadNode-L", 65533}};
    d.nodalLoads = {{1, 2, {5, 0, 0, 0, 0, 0}}, {3, 3, {1, 0, -2, 0, 0, 0.5}}};
    d.selfWeightPatterns = {{"SelfWeight-D", 65533}};
    d.selfWeightElements = {{2}};
    d.masses = {{1, 2, {2, 2, 0, 0, 0, 0}}, {1, 3, {3, 3, 0, 0, 0, 0}}};
    const SideTotals out = StructureTotals(d);
    EXPECT_FALSE(out.loads.count({"AccelUX", LoadKind::Nodal}));  // made from masses, not a load
    const Resultant& n = out.loads.at({"LoadNode-L", LoadKind::Nodal});
    // F = (1, 0, -2) at (4, 0, 3): M = r x F = (0*-2 - 3*0, 3*1 - 4*-2, 4*0 - 0*1) + (0, 0, 0.5)
    EXPECT_DOUBLE_EQ(n.value[0], 1);
    EXPECT_DOUBLE_EQ(n.value[2], -2);
    EXPECT_DOUBLE_EQ(n.value[4], 11);
    EXPECT_DOUBLE_EQ(n.value[5], 0.5);
    const Resultant& w = out.loads.at({"SelfWeight-D", LoadKind::SelfWeight});
    EXPECT_DOUBLE_EQ(w.value[2], -10);  // 2.5 per metre over 4 m
    EXPECT_DOUBLE_EQ(w.value[4], 20);   // at x = 2
    EXPECT_DOUBLE_EQ(out.masses.mass[0], 5);
    EXPECT_DOUBLE_EQ(out.masses.centre[0], 12.0 / 5);

    SourceInfo in;
    in.totals.loads = out.loads;
    in.totals.masses = out.masses;
    Balance b = BalanceTotals(in, out, d);
    EXPECT_TRUE(b.balanced());

    // A load that moved by a millimetre is found, with its pattern and the difference.
    in.totals.loads[{"LoadNode-L", LoadKind::Nodal}].addForce(0, 0, 0, 0, 0, 1e-3);
    in.totals.masses.mass[1] += 1;
    b = BalanceTotals(in, out, d, {{"frame F9: no element"}});
    EXPECT_FALSE(b.balanced());
    std::ostringstream text;
    PrintBalance(b, text);
    EXPECT_NE(text.str().find("! LoadNode-L (nodal loads)"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("left out: frame F9: no element"), std::string::npos);
    EXPECT_NE(text.str().find("Totals do not balance: 2 figures."), std::string::npos) << text.str();

    // For scripts, the same table as a tree.
    decode::TreeBuilder tree;
    EmitBalance(b, tree);
    const decode::Value v = tree.take();
    EXPECT_FALSE(decode::Get(v, "balanced").asBool());
    int problems = 0;
    for (const auto& row : decode::Get(v, "rows").items()) problems += decode::Get(row, "problem").asBool();
    EXPECT_EQ(problems, 2);
    EXPECT_EQ(decode::Get(v, "reasons[0]").asString(), "left out: frame F9: no element");
}

}  // namespace
}  // namespace t2v::check
