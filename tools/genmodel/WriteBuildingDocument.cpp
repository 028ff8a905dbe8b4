#include "genmodel/WriteBuildingDocument.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string_view>

#include "genmodel/JsonStream.h"

namespace t2v::genmodel {

namespace {

// Object names are built without allocation: a prefix, the storey or level and the grid
// position ("C3-4-7"), and an optional suffix letter.
class Name {
public:
    Name(std::string_view prefix, int a, int b, int c, char suffix = '\0') {
        append(prefix);
        number(a);
        append("-");
        number(b);
        append("-");
        number(c);
        if (suffix) append(std::string_view(&suffix, 1));
    }
    std::string_view view() const { return {text_, size_}; }
    operator std::string_view() const { return view(); }

private:
    void append(std::string_view s) {
        for (char ch : s)
            if (size_ < sizeof text_) text_[size_++] = ch;
    }
    void number(int v) {
        auto r = std::to_chars(text_ + size_, text_ + sizeof text_, v);
        size_ = static_cast<std::size_t>(r.ptr - text_);
    }
    char text_[64];
    std::size_t size_ = 0;
};

Name PointName(const NodeRef& n) { return Name("P", n.level, n.i, n.j); }

Name FrameName(const FrameSpec& f) {
    switch (f.kind) {
        case FrameKind::Column:
            return Name("C", f.storey, f.i, f.j);
        case FrameKind::BeamX:
            return Name("BX", f.storey, f.i, f.j);
        case FrameKind::BeamY:
            return Name("BY", f.storey, f.i, f.j);
        case FrameKind::BraceWest:
            return Name("BRW", f.storey, f.i, f.j);
        case FrameKind::BraceEast:
            return Name("BRE", f.storey, f.i, f.j);
        case FrameKind::ConcreteBrace:
            return Name("CB", f.storey, f.i, f.j);
    }
    return Name("F", f.storey, f.i, f.j);
}

Name AreaName(const AreaSpec& a) {
    switch (a.kind) {
        case AreaKind::Slab:
            return Name("S", a.storey, a.i, a.j);
        case AreaKind::SlabTriangleA:
            return Name("S", a.storey, a.i, a.j, 'a');
        case AreaKind::SlabTriangleB:
            return Name("S", a.storey, a.i, a.j, 'b');
        case AreaKind::CoreWallSouth:
            return Name("WS", a.storey, a.i, a.j);
        case AreaKind::CoreWallNorth:
            return Name("WN", a.storey, a.i, a.j);
        case AreaKind::CoreWallWest:
            return Name("WW", a.storey, a.i, a.j);
        case AreaKind::CoreWallEast:
            return Name("WE", a.storey, a.i, a.j);
        case AreaKind::BasementWall:
            return Name("WB", a.storey, a.i, a.j);
        case AreaKind::PlateWall:
            return Name("WP", a.storey, a.i, a.j);
        case AreaKind::Ramp:
            return Name("RAMP", a.storey, a.i, a.j);
        case AreaKind::Glazing:
            return Name("GL", a.storey, a.i, a.j);
        case AreaKind::PlaneStrain:
            return Name("PL", a.storey, a.i, a.j);
    }
    return Name("A", a.storey, a.i, a.j);
}

double Round3(double v) { return std::round(v * 1000.0) / 1000.0; }

// ---- Materials and sections -------------------------------------------------------

void IsotropicMaterial(JsonStream& js, const char* name, int type, double weight, double mass, double e, double u,
                       double a) {
    js.beginObject().member("name", name).member("type", type).member("weight", weight).member("mass", mass);
    js.key("isotropic").beginObject().member("E", e).member("U", u).member("A", a).member("G", e / (2.0 * (1.0 + u)));
    js.endObject();
}

void Concrete(JsonStream& js, const char* name, double fc, double e) {
    IsotropicMaterial(js, name, 2, 24.0, 2.4473, e, 0.2, 1.0e-5);
    js.key("concrete").beginObject().member("Fc", fc).endObject();
    js.key("stress_strain").beginArray();
    for (auto [strain, stress] : {std::pair{-0.0035, -fc}, {-0.002, -fc}, {0.0, 0.0}, {0.0001, 0.1 * fc}})
        js.beginArray().num(strain).num(stress).endArray();
    js.endArray().endObject().newline();
}

void Materials(JsonStream& js) {
    js.key("materials").beginArray().newline();
    Concrete(js, "C30", 30000.0, 30.0e6);
    Concrete(js, "C40", 40000.0, 33.5e6);
    IsotropicMaterial(js, "S355", 1, 77.0, 7.849, 200.0e6, 0.3, 1.2e-5);
    js.key("steel").beginObject().member("Fy", 355000.0).member("Fu", 510000.0).member("EFy", 390500.0);
    js.member("EFu", 561000.0).endObject().endObject().newline();
    js.beginObject().member("name", "B500").member("type", 6).member("symmetry", 3).member("weight", 77.0);
    js.member("mass", 7.849);
    js.key("uniaxial").beginObject().member("E", 200.0e6).member("A", 1.17e-5).endObject();
    js.key("rebar").beginObject().member("Fy", 500000.0).member("Fu", 540000.0).member("EFy", 550000.0);
    js.member("EFu", 594000.0).endObject();
    js.key("stress_strain").beginArray();
    for (auto [strain, stress] : {std::pair{0.0, 0.0}, {0.0025, 500000.0}, {0.09, 540000.0}})
        js.beginArray().num(strain).num(stress).endArray();
    js.endArray().endObject().newline();
    js.endArray();
}

struct SectionProperties {
    double A, As2, As3, J, I22, I33, S22, S33, Z22, Z33, R22, R33;
};

SectionProperties Rectangle(double b, double h) {
    const double a = b * h;
    const double lo = std::min(b, h), hi = std::max(b, h);
    const double r = lo / hi;
    return {a,
            a * 5.0 / 6.0,
            a * 5.0 / 6.0,
            hi * lo * lo * lo * (1.0 / 3.0 - 0.21 * r * (1.0 - r * r * r * r / 12.0)),
            h * b * b * b / 12.0,
            b * h * h * h / 12.0,
            h * b * b / 6.0,
            b * h * h / 6.0,
            h * b * b / 4.0,
            b * h * h / 4.0,
            b / std::sqrt(12.0),
            h / std::sqrt(12.0)};
}

void Properties(JsonStream& js, const SectionProperties& p) {
    js.key("properties").beginObject();
    js.member("A", p.A).member("As2", p.As2).member("As3", p.As3).member("J", p.J).member("I22", p.I22);
    js.member("I33", p.I33).member("S22", p.S22).member("S33", p.S33).member("Z22", p.Z22).member("Z33", p.Z33);
    js.member("R22", p.R22).member("R33", p.R33).endObject();
}

void ConcreteSection(JsonStream& js, const char* name, const char* material, double b, double h, int rebarType) {
    js.beginObject().member("name", name).member("type", 8).member("material", material);
    js.member("rebar_type", rebarType);
    Properties(js, Rectangle(b, h));
    js.endObject().newline();
}

void SteelSection(JsonStream& js, const char* name, int type, const SectionProperties& p) {
    js.beginObject().member("name", name).member("type", type).member("material", "S355");
    Properties(js, p);
    js.endObject().newline();
}

void FrameSections(JsonStream& js) {
    js.key("frame_sections").beginArray().newline();
    ConcreteSection(js, "COL600", "C40", 0.6, 0.6, 1);
    ConcreteSection(js, "COL500", "C40", 0.5, 0.5, 1);
    ConcreteSection(js, "STRUT400", "C30", 0.4, 0.4, 1);
    ConcreteSection(js, "BM400x700", "C30", 0.4, 0.7, 2);
    ConcreteSection(js, "BM300x600", "C30", 0.3, 0.6, 2);
    ConcreteSection(js, "BM300x800", "C30", 0.3, 0.8, 2);
    // A haunched facade beam: a variable section whose segments start at the two beams.
    js.beginObject().member("name", "BMH").member("type", 14).member("material", "C30").member("rebar_type", 2);
    Properties(js, Rectangle(0.3, 0.7));
    js.key("segments").beginArray().str("BM300x600").str("BM300x800").endArray().endObject().newline();
    SteelSection(
        js, "HEB300", 1,
        {0.0149, 0.00475, 0.0095, 1.85e-6, 8.563e-5, 2.517e-4, 5.71e-4, 1.678e-3, 8.7e-4, 1.869e-3, 0.0758, 0.13});
    SteelSection(js, "IPE400", 1,
                 {0.008446, 0.004269, 0.005, 5.13e-7, 1.318e-5, 2.313e-4, 1.464e-4, 1.156e-3, 2.29e-4, 1.307e-3, 0.0395,
                  0.1655});
    SteelSection(
        js, "CHS168", 7,
        {0.00383, 0.00192, 0.00192, 2.6e-5, 1.3e-5, 1.3e-5, 1.55e-4, 1.55e-4, 2.04e-4, 2.04e-4, 0.0583, 0.0583});
    js.endArray();
}

void ShellSection(JsonStream& js, const char* name, int shellType, const char* material, double t) {
    js.beginObject().member("name", name).member("type", 1).member("shell_type", shellType);
    js.member("drilling", false).member("material", material).member("material_angle", 0.0);
    js.member("thickness", t).member("bending_thickness", t).endObject().newline();
}

struct Layer {
    const char* name;
    double distance, thickness;
    int type, points;
    const char* material;
    double angle;
    int s11, s22, s12;
};

void LayeredSection(JsonStream& js, const char* name, std::initializer_list<Layer> layers) {
    js.beginObject().member("name", name).member("type", 1).member("shell_type", 6);
    js.key("layers").beginArray();
    for (const Layer& l : layers) {
        js.beginObject().member("name", l.name).member("distance", l.distance).member("thickness", l.thickness);
        js.member("type", l.type).member("integration_points", l.points).member("material", l.material);
        js.member("angle", l.angle).member("s11", l.s11).member("s22", l.s22).member("s12", l.s12).endObject();
    }
    js.endArray().endObject().newline();
}

// A layered concrete wall: cover layers, vertical (90 degrees) and horizontal (0 degrees)
// rebar on both faces, and a core whose nonlinear stress components decide the wall
// model the transfer chooses.
void LayeredWall(JsonStream& js, const char* name, int coreS11, int coreS22) {
    LayeredSection(js, name,
                   {{"CoverA", -0.165, 0.03, 1, 1, "C40", 0.0, 1, 1, 1},
                    {"RebarVA", -0.13, 0.0016, 2, 1, "B500", 90.0, 2, 0, 0},
                    {"RebarHA", -0.13, 0.0012, 2, 1, "B500", 0.0, 2, 0, 0},
                    {"Core", 0.0, 0.3, 1, 3, "C40", 0.0, coreS11, coreS22, 1},
                    {"RebarVB", 0.13, 0.0016, 2, 1, "B500", 90.0, 2, 0, 0},
                    {"RebarHB", 0.13, 0.0012, 2, 1, "B500", 0.0, 2, 0, 0},
                    {"CoverB", 0.165, 0.03, 1, 1, "C40", 0.0, 1, 1, 1}});
}

void AreaSections(JsonStream& js) {
    js.key("area_sections").beginArray().newline();
    ShellSection(js, "SLAB200", 1, "C30", 0.2);
    ShellSection(js, "SLAB250", 1, "C30", 0.25);
    ShellSection(js, "W250", 1, "C30", 0.25);
    ShellSection(js, "W300", 1, "C40", 0.3);
    ShellSection(js, "DECK", 1, "S355", 0.01);
    ShellSection(js, "SPW12", 1, "S355", 0.012);
    LayeredWall(js, "WL1", 1, 2);  // nonlinear across the layer: one wall model
    LayeredWall(js, "WL2", 2, 1);  // nonlinear along it: a general wall
    LayeredWall(js, "WL3", 2, 2);  // nonlinear both ways
    // Steel layers only (an equivalent thickness, no concrete wall model); no area uses it.
    LayeredSection(
        js, "SPL-LAYERED",
        {{"PlateA", -0.01, 0.008, 1, 2, "S355", 0.0, 1, 1, 1}, {"PlateB", 0.01, 0.008, 1, 2, "S355", 0.0, 1, 1, 1}});
    ShellSection(js, "GLAZING", 5, "S355", 0.02);
    js.beginObject().member("name", "PLANE").member("type", 2).member("material", "C30");
    js.member("thickness", 0.3).endObject().newline();
    js.endArray();
}

// ---- Points -----------------------------------------------------------------------

bool IsRoofEquipment(const BuildingPlan& p, const NodeRef& n, const Rect& r) {
    return n.level == p.storeys && n.i > r.x0 && n.i < r.x1() && n.j > r.y0 && n.j < r.y1() &&
           p.draw(2, n.level, n.i, n.j) < 0.25;
}

void PointLoad(JsonStream& js, const char* pattern, const char* csys, std::initializer_list<double> values) {
    js.beginObject().member("pattern", pattern);
    if (csys) js.member("csys", csys);
    js.key("values").beginArray();
    for (double v : values) js.num(v);
    js.endArray().endObject();
}

void Points(JsonStream& js, const BuildingPlan& p) {
    js.key("points").beginArray().newline();
    for (int level = 0; level <= p.storeys; ++level) {
        const double z = p.z(level);
        ForEachNode(p, level, [&](const NodeRef& n, const Rect& r) {
            js.beginObject().member("name", PointName(n)).member("x", p.x(n.i)).member("y", p.y(n.j)).member("z", z);
            if (level == 0)
                js.key("restraints")
                    .beginArray()
                    .boolean(true)
                    .boolean(true)
                    .boolean(true)
                    .boolean(true)
                    .boolean(true)
                    .boolean(true)
                    .endArray();
            const bool equipment = IsRoofEquipment(p, n, r);
            if (equipment) js.key("mass").beginArray().num(0.5).num(0.5).num(0.5).num(0).num(0).num(0).endArray();
            const bool windward = level >= 1 && n.i == r.x0;
            const bool moment = level >= 1 && n.i == r.x1() && n.j == r.y0;
            const bool local = level >= 1 && n.i == r.x0 && n.j == r.y1();
            if (windward || equipment || moment || local) {
                js.key("loads").beginArray();
                if (windward) {
                    double f = 1.2 + 0.04 * z;
                    if (n.j == r.y0 || n.j == r.y1()) f *= 0.5;
                    PointLoad(js, "WIND", nullptr, {Round3(f), 0, 0, 0, 0, 0});
                }
                if (equipment) PointLoad(js, "LIVE", nullptr, {0, 0, -5.0, 0, 0, 0});
                if (moment) PointLoad(js, "DEAD", "GLOBAL", {0, 0, -3.0, 0, 0, 2.0});
                if (local) PointLoad(js, "LIVE", "Local", {0, 0, -4.0, 0, 0, 0});  // not taken over
                js.endArray();
            }
            js.endObject().newline();
        });
    }
    js.endArray();
}

// ---- Constraints ------------------------------------------------------------------

void Constraints(JsonStream& js, const BuildingPlan& p) {
    js.key("constraints").beginArray().newline();
    for (int level = 1; level <= p.storeys; ++level) {
        js.beginObject().member("name", "Floor " + std::to_string(level));
        js.member("type", 2).member("axis", 3).key("points").beginArray();
        ForEachNode(p, level, [&](const NodeRef& n, const Rect&) { js.str(PointName(n)); });
        js.endArray().endObject().newline();
    }
    // A diaphragm about X, which the transfer passes over.
    const Rect& r = p.levelRegion(1).front();
    js.beginObject().member("name", "SideX").member("type", 2).member("axis", 1).key("points").beginArray();
    js.str(PointName({1, r.x0, r.y0})).str(PointName({1, r.x0, r.y0 + 1})).endArray().endObject().newline();
    js.endArray();
}

// ---- Frames -----------------------------------------------------------------------

const char* FrameSection(const BuildingPlan& p, const FrameSpec& f) {
    switch (f.kind) {
        case FrameKind::Column:
            return p.isPenthouse(f.storey) ? "HEB300" : f.podium ? "COL600" : "COL500";
        case FrameKind::BeamX:
        case FrameKind::BeamY:
            if (p.isPenthouse(f.storey)) return "IPE400";
            if (f.podium) return f.perimeter ? "BMH" : "BM400x700";
            return "BM300x600";
        case FrameKind::BraceWest:
        case FrameKind::BraceEast:
            return "CHS168";
        case FrameKind::ConcreteBrace:
            return "STRUT400";
    }
    return "COL500";
}

void Flags(JsonStream& js, std::initializer_list<bool> flags) {
    js.beginArray();
    for (bool b : flags) js.boolean(b);
    js.endArray();
}

void Releases(JsonStream& js, bool pinned, bool torsionAtI) {
    js.key("releases").beginObject();
    if (pinned) {
        js.key("i");
        Flags(js, {false, false, false, false, true, true});
        js.key("j");
        Flags(js, {false, false, false, false, true, true});
    } else if (torsionAtI) {
        js.key("i");
        Flags(js, {false, false, false, true, false, false});
    }
    js.endObject();
}

void Hinges(JsonStream& js, int kind, int dof, double at0, double at1) {
    js.key("hinges").beginArray();
    js.beginObject().member("kind", kind).member("dof", dof).member("rel_dist", at0).endObject();
    js.beginObject().member("kind", kind).member("dof", dof).member("rel_dist", at1).endObject();
    js.endArray();
}

struct Dist {
    const char* pattern;
    int type, dir;
    const char* csys;
    double rd1, rd2, val1, val2;
};
struct Pt {
    const char* pattern;
    int dir;
    double rd, val;
};

void DistributedLoads(JsonStream& js, std::initializer_list<Dist> loads) {
    js.key("distributed_loads").beginArray();
    for (const Dist& d : loads) {
        js.beginObject().member("pattern", d.pattern);
        if (d.type != 1) js.member("type", d.type);
        if (d.csys) js.member("csys", d.csys);
        js.member("dir", d.dir).member("rd1", d.rd1).member("rd2", d.rd2).member("val1", d.val1);
        js.member("val2", d.val2).endObject();
    }
    js.endArray();
}

void PointLoads(JsonStream& js, std::initializer_list<Pt> loads) {
    js.key("point_loads").beginArray();
    for (const Pt& l : loads)
        js.beginObject()
            .member("pattern", l.pattern)
            .member("type", 1)
            .member("dir", l.dir)
            .member("rd", l.rd)
            .member("val", l.val)
            .endObject();
    js.endArray();
}

void Frame(JsonStream& js, const BuildingPlan& p, const FrameSpec& f) {
    js.beginObject().member("name", FrameName(f)).member("section", FrameSection(p, f));
    js.member("i", PointName(f.a)).member("j", PointName(f.b));
    const bool penthouse = p.isPenthouse(f.storey);
    const bool beam = f.kind == FrameKind::BeamX || f.kind == FrameKind::BeamY;
    switch (f.kind) {
        case FrameKind::Column:
            if (!penthouse && (f.i + f.j) % 5 == 0) js.member("angle", 90.0);
            if (f.storey == 1) Hinges(js, 9, 13, 0.0, 1.0);
            break;
        case FrameKind::BeamX:
            if (f.podium && f.interior()) Hinges(js, 7, 10, 0.05, 0.95);
            if (!f.podium && !penthouse && f.interior() && (f.i + 1 == f.j || p.draw(4, f.storey, f.i, f.j) < 0.05))
                Releases(js, false, true);
            break;
        case FrameKind::BeamY:
            if (f.podium && f.interior() && f.i % 2 == 1) {
                Releases(js, true, false);
                if (f.i % 4 == 1) Hinges(js, 9, 13, 0.0, 1.0);  // the release decides the member model
            }
            break;
        case FrameKind::BraceWest:
        case FrameKind::BraceEast:
            Releases(js, true, false);
            if (f.storey % 2 == 1) Hinges(js, 6, 13, 0.0, 1.0);
            break;
        case FrameKind::ConcreteBrace:
            Hinges(js, 9, 13, 0.0, 1.0);
            break;
    }
    if (beam && f.perimeter) {
        // Facade: a line load and the facade's own mass.
        js.member("mass_per_length", 0.4);
        DistributedLoads(js, {{"SDL", 1, 10, nullptr, 0.0, 1.0, 8.0, 8.0}});
    } else if (beam && penthouse) {
        DistributedLoads(js, {{"LIVE", 1, 10, nullptr, 0.0, 1.0, 2.0, 2.0}});
    } else if (f.kind == FrameKind::BeamX && f.podium) {
        // Two overlapping trapezoids and two point loads at mid-span.
        DistributedLoads(js,
                         {{"LIVE", 1, 10, nullptr, 0.0, 0.6, 4.0, 4.0}, {"LIVE", 1, 10, nullptr, 0.4, 1.0, 2.0, 6.0}});
        PointLoads(js, {{"LIVE", 10, 0.5, 10.0}, {"LIVE", 10, 0.5, 10.0}});
    } else if (f.kind == FrameKind::BeamY && f.podium) {
        // Loads at both ends (carried by the end points) and one in the span.
        PointLoads(js, {{"LIVE", 10, 0.0, 15.0}, {"LIVE", 10, 1.0, 15.0}, {"LIVE", 10, 0.25, 8.0}});
    } else if (f.kind == FrameKind::BeamX) {
        // Upward-positive direction with a downward value; now and then loads the
        // transfer does not take over (a moment load, a local direction).
        if (f.i == f.j || p.draw(5, f.storey, f.i, f.j) < 0.02)
            DistributedLoads(js, {{"LIVE", 1, 6, nullptr, 0.0, 1.0, -3.0, -3.0},
                                  {"DEAD", 2, 10, nullptr, 0.0, 1.0, 1.0, 1.0},
                                  {"SDL", 1, 2, "Local", 0.0, 1.0, 1.0, 1.0}});
        else
            DistributedLoads(js, {{"LIVE", 1, 6, nullptr, 0.0, 1.0, -3.0, -3.0}});
    } else if (f.kind == FrameKind::BeamY) {
        // A load of zero length, which acts as a point load.
        DistributedLoads(js, {{"LIVE", 1, 10, nullptr, 0.5, 0.5, 6.0, 6.0}});
        PointLoads(js, {{"LIVE", 10, 1.0 / 3.0, 12.0}, {"LIVE", 10, 2.0 / 3.0, 12.0}});
    }
    js.endObject().newline();
}

void Frames(JsonStream& js, const BuildingPlan& p) {
    js.key("frames").beginArray().newline();
    for (int k = 1; k <= p.storeys; ++k) ForEachFrame(p, k, [&](const FrameSpec& f) { Frame(js, p, f); });
    js.endArray();
}

// ---- Areas ------------------------------------------------------------------------

const char* AreaSection(const BuildingPlan& p, const AreaSpec& a) {
    switch (a.kind) {
        case AreaKind::Slab:
        case AreaKind::SlabTriangleA:
        case AreaKind::SlabTriangleB:
            return p.isPenthouse(a.storey) ? "DECK" : a.podium ? "SLAB250" : "SLAB200";
        case AreaKind::CoreWallSouth:
        case AreaKind::CoreWallNorth:
            return "WL1";
        case AreaKind::CoreWallWest:
            return a.storey % 2 == 0 ? "WL2" : "WL3";
        case AreaKind::CoreWallEast:
            return "W300";
        case AreaKind::BasementWall:
            return "W250";
        case AreaKind::PlateWall:
            return "SPW12";
        case AreaKind::Ramp:
            return "SLAB250";
        case AreaKind::Glazing:
            return "GLAZING";
        case AreaKind::PlaneStrain:
            return "PLANE";
    }
    return "SLAB200";
}

struct AreaLoad {
    const char* pattern;
    const char* csys;
    int dir;
    double value;
    int distribution;  // 0: a uniform load on the area, else spread to the frames around it
};

void AreaLoads(JsonStream& js, std::initializer_list<AreaLoad> loads) {
    bool any = false;
    for (int pass = 0; pass < 2; ++pass) {
        for (const AreaLoad& l : loads) {
            if ((l.distribution != 0) != (pass == 1)) continue;
            if (!any) js.key(pass == 0 ? "uniform_loads" : "uniform_loads_to_frames").beginArray();
            any = true;
            js.beginObject().member("pattern", l.pattern);
            if (l.csys) js.member("csys", l.csys);
            js.member("dir", l.dir).member("value", l.value);
            if (pass == 1) js.member("distribution", l.distribution);
            js.endObject();
        }
        if (any) js.endArray();
        any = false;
    }
}

void Area(JsonStream& js, const BuildingPlan& p, const AreaSpec& a) {
    js.beginObject().member("name", AreaName(a)).member("section", AreaSection(p, a));
    js.key("points").beginArray();
    for (int c = 0; c < a.cornerCount; ++c) js.str(PointName(a.corners[c]));
    js.endArray();
    const bool slab =
        a.kind == AreaKind::Slab || a.kind == AreaKind::SlabTriangleA || a.kind == AreaKind::SlabTriangleB;
    if (slab) {
        const bool roof = a.storey == p.storeys;
        const bool local = a.i == a.j || p.draw(3, a.storey, a.i, a.j) < 0.01;
        if (roof) js.member("mass_per_area", 0.1);
        if (p.isPenthouse(a.storey))
            AreaLoads(js, {{"SDL", nullptr, 10, 0.5, 0}, {"LIVE", nullptr, 11, 1.0, 0}, {"SDL", nullptr, 10, 0.3, 1}});
        else if (roof)
            AreaLoads(js, {{"SDL", nullptr, 10, 1.5, 0}, {"LIVE", nullptr, 11, 1.0, 0}, {"SDL", nullptr, 10, 0.8, 1}});
        else if (a.podium && local)
            AreaLoads(js, {{"SDL", nullptr, 10, 1.5, 0}, {"LIVE", "Local", 3, 2.0, 0}, {"LIVE", nullptr, 10, 5.0, 2}});
        else if (a.podium)
            AreaLoads(js, {{"SDL", nullptr, 10, 1.5, 0}, {"LIVE", nullptr, 10, 5.0, 2}});
        else
            AreaLoads(js, {{"SDL", "GLOBAL", 10, 1.5, 0}, {"LIVE", nullptr, 6, -2.5, 0}});
    } else if (a.kind == AreaKind::Ramp) {
        AreaLoads(js, {{"LIVE", nullptr, 11, 4.0, 0}});
    } else if (a.kind == AreaKind::BasementWall) {
        AreaLoads(js, {{"SDL", nullptr, 5, 10.0, 0}});  // soil pressure, sideways: not taken over
    }
    js.endObject().newline();
}

void Areas(JsonStream& js, const BuildingPlan& p) {
    js.key("areas").beginArray().newline();
    for (int k = 1; k <= p.storeys; ++k) ForEachArea(p, k, [&](const AreaSpec& a) { Area(js, p, a); });
    js.endArray();
}

// ---- Groups, patterns, functions, cases -------------------------------------------

void Groups(JsonStream& js, const BuildingPlan& p) {
    js.key("groups").beginArray().newline();
    js.beginObject().member("name", "Base").key("points").beginArray();
    ForEachNode(p, 0, [&](const NodeRef& n, const Rect&) { js.str(PointName(n)); });
    js.endArray().endObject().newline();
    for (int k = 1; k <= p.storeys; ++k) {
        std::string name = "Storey " + std::to_string(k);
        js.beginObject().member("name", name).key("points").beginArray();
        ForEachNode(p, k, [&](const NodeRef& n, const Rect&) { js.str(PointName(n)); });
        js.endArray().key("frames").beginArray();
        ForEachFrame(p, k, [&](const FrameSpec& f) { js.str(FrameName(f)); });
        js.endArray().key("areas").beginArray();
        ForEachArea(p, k, [&](const AreaSpec& a) { js.str(AreaName(a)); });
        js.endArray().endObject().newline();
    }
    js.endArray();
}

void LoadPatterns(JsonStream& js) {
    js.key("load_patterns").beginArray().newline();
    for (auto [name, type, selfWeight] :
         {std::tuple{"DEAD", 1, 1.0}, {"SDL", 2, 0.0}, {"LIVE", 3, 0.0}, {"WIND", 6, 0.0}})
        js.beginObject()
            .member("name", name)
            .member("type", type)
            .member("self_weight_multiplier", selfWeight)
            .endObject()
            .newline();
    js.endArray();
}

void MassSource(JsonStream& js) {
    js.key("mass_source").beginObject().member("option", 3).key("patterns").beginArray();
    js.beginObject().member("name", "SDL").member("scale", 1.0).endObject();
    js.beginObject().member("name", "LIVE").member("scale", 0.3).endObject();
    js.endArray().endObject();
}

// The ground motion: a band of sines under a build-up / strong-motion / decay envelope,
// with a small deterministic noise drawn from the seed.
std::string GroundMotionText(const BuildingPlan& p) {
    std::string text = "Ground motion of the generated building (seed " + std::to_string(p.seed) + ")\n";
    text += "time [s]  acceleration [g]\n";
    text += "$ one time and value pair per line after a four-character prefix\n";
    constexpr int kPoints = 1000;
    constexpr double kStep = 0.01;
    char line[64];
    for (int n = 0; n < kPoints; ++n) {
        const double t = n * kStep;
        const double envelope = t < 2.0 ? (t / 2.0) * (t / 2.0) : t < 6.0 ? 1.0 : std::exp(-0.5 * (t - 6.0));
        constexpr double kTwoPi = 2.0 * 3.141592653589793;
        double a = 0.12 * std::sin(kTwoPi * 1.1 * t) + 0.07 * std::sin(kTwoPi * 2.7 * t) +
                   0.04 * std::sin(kTwoPi * 5.3 * t) + 0.03 * (p.draw(6, n, 0, 0) - 0.5);
        a = std::round(envelope * a * 100000.0) / 100000.0;
        if (n == 0) a = 0.0;
        char* q = line;
        for (char c : std::string_view("EQ> ")) *q++ = c;
        q = std::to_chars(q, line + sizeof line, t, std::chars_format::fixed, 2).ptr;
        *q++ = ' ';
        q = std::to_chars(q, line + sizeof line, a == 0.0 ? 0.0 : a, std::chars_format::fixed, 5).ptr;
        *q++ = '\n';
        text.append(line, static_cast<std::size_t>(q - line));
        if (n == kPoints / 2) text += "$ strong motion ends about here\n";
    }
    return text;
}

void Functions(JsonStream& js, const std::string& recordName) {
    js.key("functions").beginArray().newline();
    js.beginObject().member("name", "GroundMotion").member("type", 2).member("kind", 0).member("file", recordName);
    js.member("header_lines", 2).member("prefix_chars", 4).member("points_per_line", 1).member("value_type", 2);
    js.member("free_format", true).member("field_width", 10).member("dt", 0.01).endObject().newline();
    js.beginObject().member("name", "Pulse").member("type", 2).member("kind", 1).key("times").beginArray();
    for (double t : {0.0, 0.1, 0.2, 0.3, 0.4, 0.6}) js.num(t);
    js.endArray().key("values").beginArray();
    for (double v : {0.0, 0.5, -1.2, 0.4, 0.1, 0.0}) js.num(v);
    js.endArray().endObject().newline();
    js.beginObject().member("name", "Sine").member("type", 2).member("kind", 2).member("period", 1.0);
    js.member("steps_per_cycle", 16).member("cycles", 6).member("amplitude", 0.3).endObject().newline();
    js.beginObject().member("name", "Cosine").member("type", 2).member("kind", 3).member("period", 0.5);
    js.member("steps_per_cycle", 8).member("cycles", 4).member("amplitude", 0.2).endObject().newline();
    js.beginObject().member("name", "Ramp").member("type", 2).member("kind", 4).member("ramp_time", 1.0);
    js.member("amplitude", 1.0).member("max_time", 5.0).endObject().newline();
    js.beginObject().member("name", "Trapezoid").member("type", 2).member("kind", 5).member("period", 2.0);
    js.member("ramp_time", 0.2).member("amplitude", 0.25).member("cycles", 3).endObject().newline();
    js.beginObject().member("name", "Triangle").member("type", 2).member("kind", 6).member("period", 1.0);
    js.member("amplitude", 0.1).member("cycles", 2).endObject().newline();
    js.beginObject().member("name", "Periodic").member("type", 2).member("kind", 7).member("cycles", 3);
    js.key("times").beginArray().num(0.0).num(0.25).num(0.5).num(0.75).endArray();
    js.key("values").beginArray().num(0.0).num(1.0).num(0.0).num(-1.0).endArray().endObject().newline();
    js.beginObject().member("name", "Spectrum").member("type", 1).endObject().newline();  // not a time history
    js.endArray();
}

void StaticCase(JsonStream& js, const char* name, int control, int dof, double displacement, const std::string& point,
                std::initializer_list<std::tuple<const char*, const char*, double>> loads) {
    js.beginObject().member("name", name).member("type", 2).key("load_application").beginObject();
    js.member("load_control", control).member("monitored_dof", dof).member("displacement", displacement);
    js.member("monitored_point", point).endObject().key("loads").beginArray();
    for (auto [type, load, scale] : loads)
        js.beginObject().member("type", type).member("name", load).member("scale", scale).endObject();
    js.endArray().endObject().newline();
}

void LoadCases(JsonStream& js, const BuildingPlan& p) {
    const std::string roof(PointName(p.monitoredNode()).view());
    const double drift = Round3(0.02 * p.z(p.storeys));
    js.key("load_cases").beginArray().newline();
    StaticCase(js, "Gravity", 1, 3, 0.0, roof, {{"Load", "DEAD", 1.0}, {"Load", "SDL", 1.0}, {"Load", "LIVE", 0.3}});
    StaticCase(js, "Push X", 2, 1, drift, roof, {{"Accel", "UX", -1.0}});
    StaticCase(js, "Push Y", 2, 2, drift, roof, {{"Accel", "UY", -1.0}, {"Accel", "UZ", 1.0}});
    StaticCase(js, "Push modes", 2, 1, drift, roof, {{"Mode", "1", 1.0}, {"Mode", "2", 0.5}, {"Mode", "8", 0.2}});
    StaticCase(js, "Push wind", 2, 1, drift, roof, {{"Load", "WIND", 1.0}, {"Load", "DEAD", 0.0}});
    js.beginObject().member("name", "Quake X").member("type", 8).member("output_steps", 1000);
    js.member("step_size", 0.01).key("damping").beginObject().member("code", 4).key("values").beginArray();
    js.num(0.05).num(0.05).endArray().endObject().key("loads").beginArray();
    js.beginObject().member("type", "Accel").member("name", "U1").member("function", "GroundMotion");
    js.member("scale", 9.81).member("time_factor", 1.0).endObject();
    js.beginObject().member("type", "Accel").member("name", "U2").member("function", "Sine");
    js.member("scale", 4.905).member("time_factor", 1.0).endObject();
    js.endArray().endObject().newline();
    js.beginObject().member("name", "Quake Y").member("type", 8).member("output_steps", 600);
    js.member("step_size", 0.02).key("loads").beginArray();
    js.beginObject().member("type", "Load").member("name", "DEAD").member("function", "Ramp");
    js.member("scale", 1.0).endObject();
    js.beginObject().member("type", "Accel").member("name", "U2").member("function", "Trapezoid");
    js.member("scale", 2.0).member("time_factor", 1.0).endObject();
    js.beginObject().member("type", "Accel").member("name", "U3").member("function", "Pulse");
    js.member("scale", 1.0).member("time_factor", 0.5).endObject();
    js.endArray().endObject().newline();
    js.beginObject().member("name", "Dead linear").member("type", 1).endObject().newline();  // not transferred
    js.beginObject().member("name", "Modal").member("type", 3).endObject().newline();
    js.endArray();
}

void WriteTextFile(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot create " + path + ": " + std::strerror(errno));
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    int err = errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) throw std::runtime_error("cannot write " + path + ": " + std::strerror(err));
}

}  // namespace

WrittenDocument WriteBuildingDocument(const BuildingPlan& plan, const std::string& path) {
    namespace fs = std::filesystem;
    WrittenDocument out;
    out.counts = CountObjects(plan);

    // The record file sits next to the document and is named after it, so documents
    // written side by side keep their own.
    const fs::path doc(path);
    const std::string recordName = doc.stem().string() + ".ground-motion.txt";
    out.recordFile = (doc.parent_path() / recordName).string();
    WriteTextFile(out.recordFile, GroundMotionText(plan));

    JsonStream js(path);
    if (!js.ok()) throw std::runtime_error(js.error());
    js.beginObject().newline();
    js.member("format", "tarvo-model").newline();
    js.member("version", 1).newline();
    js.member("units", 6).newline();  // kN, m
    Materials(js);
    js.newline();
    FrameSections(js);
    js.newline();
    AreaSections(js);
    js.newline();
    Points(js, plan);
    js.newline();
    Constraints(js, plan);
    js.newline();
    Frames(js, plan);
    js.newline();
    Areas(js, plan);
    js.newline();
    Groups(js, plan);
    js.newline();
    LoadPatterns(js);
    js.newline();
    MassSource(js);
    js.newline();
    Functions(js, recordName);
    js.newline();
    LoadCases(js, plan);
    js.newline();
    js.endObject().newline();
    out.bytes = js.bytesWritten();
    if (!js.close()) throw std::runtime_error(js.error());
    return out;
}

}  // namespace t2v::genmodel
