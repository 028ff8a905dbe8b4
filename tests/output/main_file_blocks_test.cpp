// Every block of the main structure file that carries content, worked out by hand for
// one small bay and compared byte for byte with what a transfer writes. The bay is
// chosen so that each loop order and capacity rule leaves its own mark: two element
// load patterns over two element groups with up to two shapes, a frame in two groups,
// a group member that got no element, a column standing on its J end.
#include <gtest/gtest.h>

#include <string>

#include "support/ByteBuilder.h"
#include "support/Transfer.h"

namespace t2v {
namespace {

using test::Bytes;
using test::Rec;

// Units 6 (kN, m). Points A and D are fixed, B, C, E free; target nodes 2..6.
// C1 A->B and C2 C->D are concrete columns, B1 B->C and B2 C->E concrete beams, X1 an
// aluminium frame that becomes no element.
constexpr const char* kBay = R"({
  "format": "tarvo-model", "version": 1,
  "materials": [
    { "name": "C30", "type": 2, "weight": 25, "mass": 0, "isotropic": { "E": 3.0e7, "U": 0.2, "A": 1e-5 },
      "concrete": { "Fc": 30000 } },
    { "name": "AL", "type": 4, "isotropic": { "E": 7.0e7, "U": 0.33, "A": 2.3e-5 } }
  ],
  "frame_sections": [
    { "name": "COL", "type": 8, "material": "C30", "properties": { "A": 0.16, "I22": 0.002, "I33": 0.002 } },
    { "name": "ALS", "type": 7, "material": "AL", "properties": { "A": 0.01 } }
  ],
  "points": [
    { "name": "A", "x": 0, "y": 0, "z": 0, "restraints": [1, 1, 1, 1, 1, 1], "mass": [9, 9, 9, 9, 9, 9] },
    { "name": "B", "x": 0, "y": 0, "z": 3, "mass": [2, 3, 0, 0, 0, 0],
      "loads": [{ "pattern": "WIND", "values": [5, 0, 0, 0, 0, 0] }] },
    { "name": "C", "x": 4, "y": 0, "z": 3, "mass": [1, 1, 1, 1, 1, 1],
      "loads": [{ "pattern": "LIVE", "values": [0, 0, -10, 0, 0, 0] }] },
    { "name": "D", "x": 4, "y": 0, "z": 0, "restraints": [1, 1, 1, 1, 1, 1] },
    { "name": "E", "x": 8, "y": 0, "z": 3 }
  ],
  "constraints": [ { "name": "FLOOR", "type": 2, "axis": 3, "points": ["B", "C", "E"] } ],
  "frames": [
    { "name": "C1", "section": "COL", "i": "A", "j": "B",
      "point_loads": [{ "pattern": "WIND", "dir": 10, "rd": 0.5, "val": 4 }] },
    { "name": "C2", "section": "COL", "i": "C", "j": "D" },
    { "name": "B1", "section": "COL", "i": "B", "j": "C",
      "distributed_loads": [{ "pattern": "LIVE", "dir": 10, "rd1": 0, "rd2": 1, "val1": 2, "val2": 2 }],
      "point_loads": [{ "pattern": "LIVE", "dir": 10, "rd": 0.5, "val": 5 },
                      { "pattern": "WIND", "dir": 10, "rd": 0.25, "val": 1 }] },
    { "name": "B2", "section": "COL", "i": "C", "j": "E",
      "distributed_loads": [{ "pattern": "LIVE", "dir": 10, "rd1": 0, "rd2": 1, "val1": 3, "val2": 3 }] },
    { "name": "X1", "section": "ALS", "i": "B", "j": "E" }
  ],
  "groups": [ { "name": "G1", "points": ["B"], "frames": ["C1", "B1"] },
              { "name": "G2", "frames": ["B1", "X1"] } ],
  "load_patterns": [ { "name": "DEAD", "type": 1, "self_weight_multiplier": 1 },
                     { "name": "LIVE", "type": 3 }, { "name": "WIND", "type": 6 } ],
  "mass_source": { "option": 1 }
})";

Bytes node(int prev, int next, double x, double y, double z, bool fixed, int constraint = 0) {
    Rec r(84);
    r.i32(0, prev).i32(4, next).f64(8, x).f64(16, y).f64(24, z).u8(79, 1);
    r.i16(34, constraint).i16(36, constraint).i16(44, constraint);  // UX, UY and RZ only
    if (fixed) {
        r.u8(59, 1);
        for (std::size_t d = 0; d < 6; ++d) r.u8(61 + d, 1);
    }
    if (prev == 0)
        for (std::size_t d = 0; d < 6; ++d) r.u8(73 + d, 1);
    return r;
}

Bytes pattern(const char* name, int kind) { return Rec(72).text(0, name, 40).i16(42, kind); }

Bytes element(int group, int next, int n1, int n2, int c3, int compound) {
    Rec r(92);
    r.i16(0, group).i32(6, n1).i32(10, n2).i32(22, next).u8(26, 6);
    if (group > 0) r.u8(28, 6).u8(29, 2).u8(30, c3).u8(31, c3).i16(42, compound);
    return r;
}

Bytes shape(int elements, int items, int first) { return Rec(16).i32(0, elements).i16(8, items).i16(10, first); }

Bytes item(int type, int next, double a, double b, double c = 0, double d = 0) {
    return Rec(30).u8(0, type).i16(2, next).f32(6, a).f32(10, b).f32(14, c).f32(18, d);
}

// Blocks 1 to 15 (offset 134 up to the component section).
Bytes expectedBlocks() {
    Bytes b;
    // 1. Nodes: the origin node, then A..E as nodes 2..6; capacity still 200.
    b.i32(6).i32(5).i32(200);
    b.put(node(0, 2, 0, 0, 0, false)).put(node(1, 3, 0, 0, 0, true)).put(node(2, 4, 0, 0, 3, false, 1));
    b.put(node(3, 5, 4, 0, 3, false, 1)).put(node(4, 6, 4, 0, 0, true)).put(node(5, 0, 8, 0, 3, false, 1));
    // 2. Constraints: one fits the initial capacity of 1.
    b.i16(1).i16(1).put(Rec(80).text(0, "FLOOR", 40));
    // 3. One mass pattern of the points' own masses (the concrete has no mass of its
    //    own): restrained A keeps nothing, B and C their masses but for UZ, never taken.
    b.tagged16(1).tagged16(1).put(Rec(64).text(0, "Nodal Mass", 40));
    b.zeros(24).zeros(24).put(Rec(24).f32(0, 2).f32(4, 3));
    b.put(Rec(24).f32(0, 1).f32(4, 1).f32(12, 1).f32(16, 1).f32(20, 1)).zeros(24).zeros(24);
    // 4. Element groups: columns 1..3 and beams 4..6, each led by its head element.
    b.i16(2).i16(2).i16(12);
    b.put(Rec(76).text(0, "ElemConcCol", 40).i16(40, 3).i32(44, 1).i32(48, 3).f32(60, 1));
    b.put(Rec(76).text(0, "ElemConcBeam", 40).i16(40, 2).i32(44, 4).i32(48, 6).f32(60, 1));
    // 5. Elements; the section's compounds are beam 1, FEMA beam 2, column 3, FEMA column 4.
    b.i32(6).i32(6).i32(12);
    b.put(element(0, 2, 0, 0, 0, 0)).put(element(1, 3, 2, 3, 5, 3)).put(element(1, 0, 4, 5, 5, 3));
    b.put(element(0, 5, 0, 0, 0, 0)).put(element(2, 6, 3, 4, 1, 1)).put(element(2, 0, 4, 6, 1, 1));
    // 6. Frames G1, G2 (capacity 0 + 1 + 10); frame index fastest, nodes from 1, elements from 0.
    b.i16(2).i16(11).put(Rec(28).text(0, "G1", 20)).put(Rec(28).text(0, "G2", 20));
    Bytes nodes;
    nodes.zeros(11 * 200);
    nodes.data()[(3 - 1) * 11 + 0] = 1;  // B in G1
    Bytes elements;
    elements.zeros(11 * 13);
    elements.data()[2 * 11 + 0] = 1;  // C1 in G1
    elements.data()[5 * 11 + 0] = 1;  // B1 in G1
    elements.data()[5 * 11 + 1] = 1;  // B1 in G2 as well
    elements.data()[0 * 11 + 1] = 1;  // X1 has no element: row 0
    b.put(nodes).put(elements);
    // 7. Nodal load patterns: two accelerations, then LIVE and WIND; 4 rows pass capacity 1.
    b.i16(4).i16(14);
    b.put(pattern("AccelUX", 1))
        .put(pattern("AccelUY", 2))
        .put(pattern("LoadNode-LIVE", -3))
        .put(pattern("LoadNode-WIND", -3));
    auto loads = [&](int loadedNode, Bytes loaded) {
        for (int n = 1; n <= 6; ++n) n == loadedNode ? b.put(loaded) : b.zeros(32);
    };
    b.zeros(64).put(Rec(32).f32(0, 2).f32(24, 1)).put(Rec(32).f32(0, 1).f32(24, 1)).zeros(64);  // AccelUX
    b.zeros(64).put(Rec(32).f32(4, 3).f32(24, 1)).put(Rec(32).f32(4, 1).f32(24, 1)).zeros(64);  // AccelUY
    loads(4, Rec(32).f32(8, -10).f32(24, 1));
    loads(3, Rec(32).f32(0, 5).f32(24, 1));
    // 8. Element loads: LIVE (k 1) has shapes 1 (B1) and 2 (B2) in the beams (g 2);
    //    WIND (k 2) one shape in each group (C1, B1). Three shape slots; five items,
    //    the second of which passed the initial capacity of 1.
    b.i16(2).i16(12).i16(3).i16(5).i16(12);
    b.put(pattern("LoadFrame-LIVE", 1)).put(pattern("LoadFrame-WIND", 1));
    b.i16(0).i16(2).i16(1).i16(1);                                            // shapes per (k, g), group fastest
    b.zeros(16).put(shape(1, 2, 1)).put(shape(1, 1, 4)).put(shape(1, 1, 5));  // ordinal 1
    b.zeros(16).put(shape(1, 1, 3)).zeros(16).zeros(16);                      // ordinal 2
    b.zeros(64);                                                              // ordinal 3, never used
    b.i16(0).i16(0).i16(0).i16(0).i16(1).i16(2);                              // LIVE per element 1..6
    b.i16(0).i16(1).i16(0).i16(0).i16(1).i16(0);                              // WIND
    b.put(item(1, 2, 2, 0, 2, 1)).put(item(2, 0, 5, 0.5));                    // B1 LIVE: segment, then point
    b.put(item(1, 0, 3, 0, 3, 1));                                            // B2 LIVE
    b.put(item(2, 0, 4, 0.5)).put(item(2, 0, 1, 0.25));                       // C1 WIND, B1 WIND
    // 9. Self weight of DEAD on every element but the heads.
    b.i16(1).i16(1).put(pattern("SelfWeight-DEAD", -3)).u8(0).u8(1).u8(1).u8(0).u8(1).u8(1);
    // 10.
    b.zeros(12);
    // 11. One cut over C1 (I end on the support) and C2 (J end); its part record is
    //     zero, and the word between count and capacity is never set.
    b.i16(1).i16(0).i16(11);
    b.put(Rec(78).text(0, "Frame Base Cut", 40).i32(40, 1).i32(44, 3).f32(54, 1).f32(58, 2).f32(62, 3)).zeros(34);
    // 12. Items: room for both cuts' leading items (2 + 1 + 0 + 1), the last unused.
    b.i32(4).i32(14);
    b.put(Rec(10).i32(6, 2)).put(Rec(10).i32(2, 2).i32(6, 3)).put(Rec(10).i16(0, 1).i32(2, 3)).zeros(10);
    // 13. The section group and its membership of cut 1.
    b.i16(1).i16(11).put(Rec(56).text(0, "Support Sect Group", 40).i16(40, 1).i16(42, 1)).u8(1);
    // 14. Drifts between the roof node nearest a base node (B) and that node (A).
    b.i16(2).i16(12).i16(0).i16(1);
    b.put(Rec(46).text(0, "H1 Drift", 20).u8(20, 1).u8(21, 0).i32(22, 3).i32(26, 2));
    b.put(Rec(46).text(0, "H2 Drift", 20).u8(20, 1).u8(21, 1).i32(22, 3).i32(26, 2));
    // 15.
    b.repeat(10, [](Bytes& x) { x.i16(0); }).repeat(10, [](Bytes& x) { x.i16(1); });
    return b;
}

// The first differing byte, with the block it falls in, so a failure says what moved.
std::string firstDifference(const std::vector<std::uint8_t>& got, const std::vector<std::uint8_t>& want) {
    for (std::size_t i = 0; i < want.size(); ++i)
        if (i >= got.size() || got[i] != want[i])
            return "first difference at file offset " + std::to_string(134 + i) + " (block offset " +
                   std::to_string(i) + "): got " + (i < got.size() ? std::to_string(got[i]) : "end of file") +
                   ", want " + std::to_string(want[i]);
    return "";
}

TEST(MainFileBlocks, SmallBayByteForByte) {
    auto run = test::RunTransfer(kBay);
    ASSERT_TRUE(run->written);
    const auto file = test::ReadBytes(run->structureDir() + "/VNTRS");
    const Bytes want = expectedBlocks();
    ASSERT_GT(file.size(), 134 + want.size());
    const std::vector<std::uint8_t> got(file.begin() + 134, file.begin() + 134 + static_cast<long>(want.size()));
    EXPECT_EQ(firstDifference(got, want.data()), "");
}

}  // namespace
}  // namespace t2v
