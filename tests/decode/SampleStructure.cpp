#include "SampleStructure.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <unistd.h>

namespace t2v::decode::test {

Bytes Preamble(std::string_view name) {
    Bytes b;
    b.text("4.0", 8).text(name, 12).text("Model Transferred", 60);
    return b;
}

Bytes MainHeader() {
    Bytes b;
    b.i16(0)        // 80 header word 0
        .i16(4)     // 82 length unit: metre
        .i16(3)     // 84 force unit: kilonewton
        .f32(9.81)  // 86 gravity
        .i16(0)     // 90 error beep
        .i16(1)     // 92 size preset index
        .i16(4)     // 94 unit flag 4
        .i16(1)     // 96 tail section flag
        .i16(0)     // 98 extra value
        .i16(0)     // 100 header word 1
        .i32(0)
        .i32(0)
        .i32(0)  // 102 three longs
        .i16(0)
        .i16(0)                           // 114 reserved list count, capacity
        .f64(static_cast<double>(0.15f))  // 118 default size
        .text("0.15 m.", 8);              // 126 default size label
    return b;
}

Bytes EndZoneRecord() {
    return Rec(109)
        .text(0, "Default End Zone", 40)
        .i16(40, 1)
        .u8(42, 3)
        .f32(61, 10.0)
        .f32(65, 10.0)
        .f32(77, 0.5)
        .f32(81, 0.5)
        .f32(85, 0.5)
        .f32(89, 0.5);
}

Bytes ComponentSection(int maxCapacity, const std::map<int, Bytes>& tables) {
    Bytes b;
    b.i16(maxCapacity);
    for (int n = 2; n <= 114; ++n) {
        auto it = tables.find(n);
        if (it != tables.end())
            b.put(it->second);
        else if (n == 37)
            b.i16(1).put(EndZoneRecord());
        else
            b.i16(0);
    }
    return b;
}

Bytes TailSection() {
    Bytes b;
    b.i16(0).i16(0).i16(0).i32(0).i32(0);
    return b;
}

namespace {

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    Bytes b;
    for (char c; in.get(c);) b.u8(static_cast<unsigned char>(c));
    return b;
}

StructureFiles smallFiles() {
    StructureFiles f;
    f["PO"] = Bytes().text("4.0", 8).zeros(282);
    f["POA"] = Bytes().text("4.0", 8).i16(0);
    f["POF"] = Bytes().text("4.0", 8).zeros(20);
    f["ULS"] = Bytes().text("4.0", 8).i16(0).i16(0);
    return f;
}

}  // namespace

StructureFiles EmptyStructure() {
    StructureFiles f;
    for (const char* suffix : {"S", "L", "A", "ULS", "PO", "POA", "POF"})
        f[suffix] = readBytes(std::string(T2V_SOURCE_DIR) + "/tests/data/empty-structure/VNTR" + suffix);
    return f;
}

namespace {

// Node record fields by offset: previous, next, x, y, z, constraint slots from 34,
// support type 59, restraints from 61, per-DOF flags from 73, last flag 79.
Bytes node(int prev, int next, double x, double y, double z, int support, bool fixed, int constraint, bool first) {
    Rec r(84);
    r.i32(0, prev).i32(4, next).f64(8, x).f64(16, y).f64(24, z).u8(59, support).u8(79, 1);
    r.i16(34, constraint).i16(36, constraint).i16(44, constraint);
    for (int d = 0; d < 6; ++d) {
        if (fixed) r.u8(61 + static_cast<std::size_t>(d), 1);
        if (first) r.u8(73 + static_cast<std::size_t>(d), 1);
    }
    return r;
}

Bytes pattern(std::string_view name, int kind) { return Rec(72).text(0, name, 40).i16(42, kind); }

Bytes sampleS() {
    Bytes s = Preamble("SAMPLE");
    s.put(MainHeader());

    // Three nodes: the origin node, a fixed base node and a top node, both in diaphragm 1.
    s.i32(3).i32(2).i32(20);  // a small node capacity keeps the frame-node matrix small
    s.put(node(0, 2, 0, 0, 0, 0, false, 0, true));
    s.put(node(1, 3, 1.5, 2.25, 0, 1, true, 1, false));
    s.put(node(2, 0, 1.5, 2.25, 3.0, 0, false, 1, false));

    s.i16(1).i16(11).put(Rec(80).text(0, "D1", 40));

    // One mass pattern; only node 3 carries mass.
    s.tagged16(1).tagged16(1).put(Rec(64).text(0, "Nodal Mass", 40));
    s.zeros(24).zeros(24).put(Rec(24).f32(0, 2.0).f32(4, 2.0));

    s.i16(1).i16(1).i16(11);
    s.put(Rec(76).text(0, "ElemConcCol", 40).i16(40, 3).i32(44, 1).i32(48, 2).f32(60, 1.0));

    // Head element 1 and one column from node 2 to node 3.
    s.i32(2).i32(2).i32(11);
    s.put(Rec(92).i32(22, 2).u8(26, 6));
    s.put(Rec(92).i16(0, 1).i32(6, 2).i32(10, 3).u8(26, 6).u8(28, 6).u8(29, 2).u8(30, 5).u8(31, 5).i16(42, 3).f32(
        64, 90.0));

    // One frame of capacity 11: nodes 2 and 3, element 2.
    s.i16(1).i16(11).put(Rec(28).text(0, "Storey1", 20));
    Bytes nodeFlags;
    nodeFlags.zeros(11 * 20);
    nodeFlags.data()[1 * 11 + 0] = 1;  // node 2, frame 1
    nodeFlags.data()[2 * 11 + 0] = 1;  // node 3, frame 1
    Bytes elementFlags;
    elementFlags.zeros(11 * 12);
    elementFlags.data()[2 * 11 + 0] = 1;  // element 2, frame 1
    s.put(nodeFlags).put(elementFlags);

    s.i16(3).i16(11).put(pattern("AccelUX", 1)).put(pattern("AccelUY", 2)).put(pattern("LoadNode-L", -3));
    s.zeros(32).zeros(32).put(Rec(32).f32(0, 2.0).f32(24, 1.0));
    s.zeros(32).zeros(32).put(Rec(32).f32(4, 2.0).f32(24, 1.0));
    s.zeros(32).zeros(32).put(Rec(32).f32(8, -10.0).f32(24, 1.0));

    // One element load pattern, two shape ordinals (the second unused), two items.
    s.i16(1).i16(11).i16(2).i16(2).i16(12).put(pattern("LoadFrame-L", 1));
    s.i16(1);                                                 // group matrix (1 x 1)
    s.put(Rec(16).i32(0, 1).i16(8, 2).i16(10, 1)).zeros(16);  // shapes 1 and 2
    s.i16(0).i16(1);                                          // element matrix: element 2 -> shape 1
    s.put(Rec(30).u8(0, 1).i16(2, 2).f32(6, 5.0).f32(10, 0.0).f32(14, 5.0).f32(18, 1.0));
    s.put(Rec(30).u8(0, 2).f32(6, 3.0).f32(10, 0.5));

    s.i16(1).i16(1).put(pattern("SelfWeight-D", -3)).u8(0).u8(1);

    s.repeat(6, [](Bytes& x) { x.i16(0); });

    s.i16(1).i16(1).i16(11);
    s.put(Rec(78).text(0, "Frame Base Cut", 40).i32(40, 1).i32(44, 2).f32(54, 1.0).f32(58, 2.0).f32(62, 3.0));
    s.zeros(34);
    s.i32(2).i32(12).put(Rec(10).i32(6, 2)).put(Rec(10).i32(2, 2));
    s.i16(1).i16(11).put(Rec(56).text(0, "Support Sect Group", 40).i16(40, 1).i16(42, 1)).u8(1);

    s.i16(2).i16(12).i16(0).i16(1);
    s.put(Rec(46).text(0, "H1 Drift", 20).u8(20, 1).u8(21, 0).i32(22, 3).i32(26, 2));
    s.put(Rec(46).text(0, "H2 Drift", 20).u8(20, 1).u8(21, 1).i32(22, 3).i32(26, 2));

    s.repeat(10, [](Bytes& x) { x.i16(0); }).repeat(10, [](Bytes& x) { x.i16(1); });

    std::map<int, Bytes> tables;
    tables[13] = Bytes()
                     .i16(1)
                     .put(Rec(473)
                              .text(0, "IneFemaColC-C1", 40)
                              .i16(40, 1)
                              .u8(42, 15)
                              .u8(43, 4)
                              .u8(44, 3)
                              .u8(48, 1)
                              .i16(57, 3)
                              .i16(59, 6)
                              .i16(61, 1)
                              .i16(63, 1)
                              .f32(105, 0.25)
                              .f32(173, 0.003)
                              .f32(305, 9.0)
                              .u8(400, 0x7f))  // a byte no field names
                     .put(Rec(60).u8(0, 1));
    tables[38] = Bytes().i16(1).put(
        Rec(89).text(0, "EmbedBeamRelease", 40).i16(40, 1).u8(42, 4).u8(49, 1).i16(53, 1).f32(73, 1e-5));
    tables[51] = Bytes()
                     .i16(1)
                     .put(Rec(329).text(0, "MatIneFibConc-C30", 40).i16(40, 1).u8(42, 1).f32(65, 30000))
                     .put(Rec(50).u8(0, 1));
    // Elastic shear material: 62 bytes, slots (double 0.95, int16 0, int32 0), 72 bytes.
    tables[54] = Bytes()
                     .i16(1)
                     .put(Rec(62)
                              .text(0, "MatElaShearConc-C30", 40)
                              .i16(40, 1)
                              .u8(42, 5)
                              .u8(45, 1)
                              .u8(48, 1)
                              .i16(50, 1)
                              .i16(52, 1)
                              .f32(58, 12500))
                     .i16(5)
                     .f64(0.95)
                     .i16(2)
                     .i16(0)
                     .i16(3)
                     .i32(0)
                     .put(Rec(72).f32(16, 0.8))
                     .put(Rec(56).u8(0, 1));
    tables[101] = Bytes()
                      .i16(1)
                      .put(Rec(378)
                               .text(0, "CpdFemaColC-C1", 40)
                               .i16(40, 1)
                               .u8(42, 2)
                               .u8(43, 3)
                               .u8(44, 4)
                               .u8(45, 2)
                               .u8(47, 1)
                               .u8(48, 1)
                               .u8(66, 1)
                               .u8(67, 1)
                               .u8(79, 7)
                               .u8(80, 7)
                               .u8(92, 1)
                               .u8(93, 1)
                               .i16(118, 15)
                               .i16(120, 15)
                               .i16(144, 1)
                               .i16(146, 1)
                               .f32(170, 0.5)
                               .f32(174, 0.5)
                               .f32(222, 0.5)
                               .f32(226, 0.5)
                               .i16(354, 1)
                               .f32(362, 6.0))
                      .zeros(45);
    s.put(ComponentSection(11, tables));
    s.put(TailSection());
    return s;
}

Bytes sampleL() {
    Bytes b = Preamble("SAMPLE");
    b.i16(1).i16(1).i16(1).repeat(17, [](Bytes& x) { x.i16(0); });
    b.i16(11).i16(11).i16(11).repeat(17, [](Bytes& x) { x.i16(0); });
    b.put(Rec(1024)
              .text(0, "G1", 40)
              .i16(88, 2)
              .i16(90, 3)
              .i16(92, 1)
              .text(130, "SelfWeight-D", 40)
              .text(170, "LoadNode-L", 40)
              .f32(930, 1.0)
              .f32(934, 0.25));
    b.put(Rec(1042)
              .text(0, "P1", 40)
              .u8(40, 1)
              .text(44, "Deformation beyond X point for any component", 40)
              .i16(84, 50)
              .i16(86, 200)
              .f32(88, 0.02)
              .i16(92, 1)
              .u8(94, 1)
              .text(114, "AccelUX", 40)
              .f32(914, -1.0)
              .text(1008, "H1 Drift", 20));
    b.u8(1).u8(0);  // drift selection of P1: H1 yes, H2 no
    b.put(Rec(348)
              .text(0, "TH1", 40)
              .u8(40, 1)
              .text(42, "Deformation beyond X point for any component", 40)
              .f32(82, 20.0)
              .f32(86, 0.01)
              .i16(90, 200)
              .text(92, "EqkeGroup", 12)
              .text(128, "EQX", 12)
              .text(164, "EarthquakeRecord: EQX", 40)
              .text(104, "", 12)
              .text(116, "", 12)
              .text(140, "", 12)
              .text(152, "", 12)
              .i16(284, 4)
              .f32(286, 1.0)
              .f32(290, 1.0)  // U1: points, scale, time factor
              .f32(300, 1.0)  // U2: time factor only
              .f32(310, 1.0)  // U3: time factor only
              .text(314, "H1 Drift", 20));
    return b;
}

Bytes sampleA() {
    Bytes b = Preamble("SAMPLE");
    b.i16(1).i16(11).i16(0);
    b.put(Rec(194)
              .text(0, "PushAnalysis", 12)
              .text(12, "Vantra: PushAnalysis", 60)
              .text(72, "", 40)
              .i16(116, 10)
              .f32(122, 1.0)
              .f32(146, 0.1)
              .f32(150, 0.9)
              .u8(193, 1));
    b.zeros(8).repeat(18, [](Bytes& x) { x.i16(0); }).zeros(10);  // extension
    b.i16(0).i16(0);
    return b;
}

}  // namespace

StructureFiles SampleStructure() {
    StructureFiles f = smallFiles();
    f["S"] = sampleS();
    f["L"] = sampleL();
    f["A"] = sampleA();
    return f;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    auto p = std::filesystem::temp_directory_path() /
             ("t2v-inspect-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    path_ = p.string();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data().data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteFolder(const std::string& dir, const StructureFiles& files) {
    for (const auto& [suffix, bytes] : files) WriteFile(dir + "/VNTR" + suffix, bytes);
}

}  // namespace t2v::decode::test
