#include "host/writer/SaveModelDocument.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/Text.h"

namespace t2v::host {

namespace {

// A streaming JSON writer: the top object and the family arrays put one item per line,
// everything inside an item stays on that item's line.
class JsonOut {
public:
    explicit JsonOut(std::ostream& out) : out_(out) {}

    void beginObject(bool multiline = false) { open('{', multiline); }
    void endObject() { close('}'); }
    void beginArray(bool multiline = false) { open('[', multiline); }
    void endArray() { close(']'); }
    JsonOut& key(std::string_view k) {
        separate();
        text(k);
        buf_ += ": ";
        afterKey_ = true;
        lastKey_ = k;
        return *this;
    }
    void number(double v) {
        if (v - v != 0) throw std::runtime_error(context + ": " + std::string(lastKey_) + " is not a finite number");
        separate();
        if (v == 0 && std::signbit(v)) {
            // "-0" reads back as the whole number 0; a negative zero keeps its sign as a real.
            buf_ += "-0.0";
            return;
        }
        char tmp[40];
        const auto r = std::to_chars(tmp, tmp + sizeof tmp, v);
        buf_.append(tmp,
                    static_cast<std::size_t>(
                        r.ptr - tmp));  // (pointer, length): GCC 12 misreads the iterator form as an overlapping copy
        spill();
    }
    void integer(long long v) {
        separate();
        char tmp[24];
        const auto r = std::to_chars(tmp, tmp + sizeof tmp, v);
        buf_.append(tmp,
                    static_cast<std::size_t>(
                        r.ptr - tmp));  // (pointer, length): GCC 12 misreads the iterator form as an overlapping copy
        spill();
    }
    void boolean(bool v) {
        separate();
        buf_ += v ? "true" : "false";
    }
    void string(std::string_view s) {
        separate();
        text(s);
        spill();
    }
    void finish() {
        buf_ += '\n';
        out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        buf_.clear();
    }

    std::string context;  // the object being written, for messages

private:
    struct Level {
        char close;
        bool multiline;
        bool first;
    };
    void open(char c, bool multiline) {
        separate();
        buf_ += c;
        stack_.push_back({c == '{' ? '}' : ']', multiline, true});
    }
    void close(char c) {
        const Level level = stack_.back();
        stack_.pop_back();
        if (level.multiline && !level.first) {
            buf_ += '\n';
            buf_.append(stack_.size(), ' ');
        }
        buf_ += c;
        spill();
    }
    void separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (stack_.empty()) return;
        Level& level = stack_.back();
        if (!level.first) buf_ += ',';
        if (level.multiline) {
            buf_ += '\n';
            buf_.append(stack_.size(), ' ');
        } else if (!level.first) {
            buf_ += ' ';
        }
        level.first = false;
    }
    void text(std::string_view s) { AppendJsonString(buf_, s); }
    void spill() {
        if (buf_.size() < (1u << 16)) return;
        out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        buf_.clear();
    }

    std::ostream& out_;
    std::string buf_;
    std::vector<Level> stack_;
    bool afterKey_ = false;
    std::string_view lastKey_;
};

bool NonZero(double v) { return std::bit_cast<std::uint64_t>(v) != 0; }

template <std::size_t N>
bool AnyNonZero(const std::array<double, N>& values) {
    return std::any_of(values.begin(), values.end(), NonZero);
}

// The path a function file is written with: absolute, so that the saved document
// finds the file wherever it is put.
std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path p(path);
    if (p.is_absolute()) return path;
    const std::filesystem::path absolute = std::filesystem::absolute(p, error);
    return error ? path : absolute.string();
}

class Saver {
public:
    Saver(TarvoHost& host, std::ostream& out) : host_(host), json_(out) {}

    void save() {
        json_.beginObject(true);
        json_.key("format").string("tarvo-model");
        json_.key("version").integer(1);
        json_.key("units").integer(host_.GetPresentUnits());
        materials();
        frameSections();
        areaSections();
        points();
        constraints();
        frames();
        areas();
        groups();
        loadPatterns();
        massSource();
        functions();
        loadCases();
        json_.endObject();
        json_.finish();
    }

private:
    // Starts one object of a family and sets the context of messages about it.
    void item(std::string_view family, const std::string& name) {
        json_.context = std::string(family) + " \"" + name + "\"";
        json_.beginObject();
        json_.key("name").string(name);
    }
    [[noreturn]] void missing(std::string_view what) {
        throw std::runtime_error(json_.context + ": the host does not answer its " + std::string(what));
    }
    template <std::size_t N>
    void numbers(std::string_view key, const std::array<double, N>& values) {
        json_.key(key).beginArray();
        for (const double v : values) json_.number(v);
        json_.endArray();
    }
    void flags(std::string_view key, const std::array<bool, 6>& values) {
        json_.key(key).beginArray();
        for (const bool v : values) json_.integer(v ? 1 : 0);
        json_.endArray();
    }
    void strings(std::string_view key, const Names& values) {
        json_.key(key).beginArray();
        for (const std::string& v : values) json_.string(v);
        json_.endArray();
    }

    void materials() {
        host_.GetMaterialNameList(0, names_);
        json_.key("materials").beginArray(true);
        for (const std::string& name : names_) {
            item("material", name);
            int type = 0, symmetry = 0;
            if (host_.GetMaterialType(name, type, symmetry) != 0) missing("type");
            json_.key("type").integer(type);
            json_.key("symmetry").integer(symmetry);
            double a = 0, b = 0, c = 0, d = 0;
            if (host_.GetMaterialWeightAndMass(name, a, b) == 0) {
                json_.key("weight").number(a);
                json_.key("mass").number(b);
            }
            if (host_.GetIsotropicProperties(name, a, b, c, d) == 0 && AnyNonZero(std::array{a, b, c, d})) {
                json_.key("isotropic").beginObject();
                json_.key("E").number(a);
                json_.key("U").number(b);
                json_.key("A").number(c);
                json_.key("G").number(d);
                json_.endObject();
            }
            std::array<double, 3> e{}, g{}, o1{}, o2{};
            if (host_.GetOrthotropicProperties(name, e, o1, o2, g) == 0 &&
                (AnyNonZero(e) || AnyNonZero(o1) || AnyNonZero(o2) || AnyNonZero(g))) {
                json_.key("orthotropic").beginObject();
                numbers("E", e);
                numbers("U", o1);
                numbers("A", o2);
                numbers("G", g);
                json_.endObject();
            }
            std::array<double, 15> u{};
            std::array<double, 5> t{};
            if (host_.GetAnisotropicProperties(name, e, u, t, g) == 0 &&
                (AnyNonZero(e) || AnyNonZero(u) || AnyNonZero(t) || AnyNonZero(g))) {
                json_.key("anisotropic").beginObject();
                numbers("E", e);
                numbers("U", u);
                numbers("A", t);
                numbers("G", g);
                json_.endObject();
            }
            if (host_.GetUniaxialProperties(name, a, b) == 0 && AnyNonZero(std::array{a, b})) {
                json_.key("uniaxial").beginObject();
                json_.key("E").number(a);
                json_.key("A").number(b);
                json_.endObject();
            }
            if (host_.GetSteelMaterial(name, a, b, c, d) == 0) strengths("steel", {a, b, c, d});
            if (host_.GetRebarMaterial(name, a, b, c, d) == 0) strengths("rebar", {a, b, c, d});
            if (host_.GetConcreteMaterial(name, a) == 0 && NonZero(a)) {
                json_.key("concrete").beginObject();
                json_.key("Fc").number(a);
                json_.endObject();
            }
            if (host_.GetStressStrainCurve(name, ids_, doubles_, doubles2_) == 0) {
                json_.key("stress_strain").beginArray();
                for (std::size_t k = 0; k < doubles_.size() && k < doubles2_.size(); ++k) {
                    json_.beginArray();
                    json_.number(doubles_[k]);
                    json_.number(doubles2_[k]);
                    json_.endArray();
                }
                json_.endArray();
            }
            json_.endObject();
        }
        json_.endArray();
    }
    void strengths(std::string_view key, const std::array<double, 4>& v) {
        if (!AnyNonZero(v)) return;
        json_.key(key).beginObject();
        json_.key("Fy").number(v[0]);
        json_.key("Fu").number(v[1]);
        json_.key("EFy").number(v[2]);
        json_.key("EFu").number(v[3]);
        json_.endObject();
    }

    void frameSections() {
        host_.GetFrameSectionNameList(names_);
        json_.key("frame_sections").beginArray(true);
        for (const std::string& name : names_) {
            item("frame section", name);
            int type = 0;
            const bool typed = host_.GetFrameSectionType(name, type) == 0;
            if (typed) json_.key("type").integer(type);
            if (host_.GetFrameSectionMaterial(name, text_) == 0) json_.key("material").string(text_);
            FrameSectionProperties p;
            const bool answered = host_.GetFrameSectionProperties(name, p) == 0;
            const std::pair<std::string_view, double> values[] = {
                {"A", p.area},  {"As2", p.As2}, {"As3", p.As3}, {"J", p.Torsion}, {"I22", p.I22}, {"I33", p.I33},
                {"S22", p.S22}, {"S33", p.S33}, {"Z22", p.Z22}, {"Z33", p.Z33},   {"R22", p.R22}, {"R33", p.R33}};
            if (answered &&
                std::any_of(std::begin(values), std::end(values), [](const auto& v) { return NonZero(v.second); })) {
                json_.key("properties").beginObject();
                for (const auto& [key, value] : values) {
                    if (NonZero(value)) json_.key(key).number(value);
                }
                json_.endObject();
            }
            int rebar = 0;
            if (host_.GetFrameSectionRebarType(name, rebar) == 0) json_.key("rebar_type").integer(rebar);
            if (typed && type == 14 && host_.GetNonprismaticSegments(name, list_) == 0) strings("segments", list_);
            json_.endObject();
        }
        json_.endArray();
    }

    void areaSections() {
        host_.GetAreaSectionNameList(names_);
        json_.key("area_sections").beginArray(true);
        for (const std::string& name : names_) {
            item("area section", name);
            int type = 0;
            if (host_.GetAreaSectionType(name, type) == 0) json_.key("type").integer(type);
            int shellType = 0, drilling = 0;
            double angle = 0, thickness = 0, bending = 0;
            if (host_.GetShell(name, shellType, drilling, text_, angle, thickness, bending) == 0) {
                json_.key("shell_type").integer(shellType);
                json_.key("drilling").boolean(drilling != 0);
                if (!text_.empty()) json_.key("material").string(text_);
                json_.key("material_angle").number(angle);
                json_.key("thickness").number(thickness);
                json_.key("bending_thickness").number(bending);
                if (shellType == 6 && host_.GetShellLayers(name, layers_) == 0) {
                    json_.key("layers").beginArray();
                    for (const ShellLayer& l : layers_) {
                        json_.beginObject();
                        json_.key("name").string(l.name);
                        json_.key("distance").number(l.distance);
                        json_.key("thickness").number(l.thickness);
                        json_.key("type").integer(l.type);
                        json_.key("integration_points").integer(l.integrationPoints);
                        json_.key("material").string(l.material);
                        json_.key("angle").number(l.angle);
                        json_.key("s11").integer(l.s11);
                        json_.key("s22").integer(l.s22);
                        json_.key("s12").integer(l.s12);
                        json_.endObject();
                    }
                    json_.endArray();
                }
            }
            json_.endObject();
        }
        json_.endArray();
    }

    void points() {
        host_.GetPointNameList(names_);
        json_.key("points").beginArray(true);
        for (const std::string& name : names_) {
            item("point", name);
            double x = 0, y = 0, z = 0;
            if (host_.GetPointCoordinates(name, "Global", x, y, z) != 0) missing("coordinates");
            json_.key("x").number(x);
            json_.key("y").number(y);
            json_.key("z").number(z);
            std::array<bool, 6> restraints{};
            if (host_.GetPointRestraints(name, restraints) == 0 &&
                std::any_of(restraints.begin(), restraints.end(), [](bool r) { return r; })) {
                flags("restraints", restraints);
            }
            std::array<double, 6> mass{};
            if (host_.GetPointMass(name, mass) == 0 && AnyNonZero(mass)) numbers("mass", mass);
            if (host_.GetPointForceLoads(name, kObject, pointLoads_) == 0 && !pointLoads_.empty()) {
                json_.key("loads").beginArray();
                for (const PointForceLoad& l : pointLoads_) {
                    json_.beginObject();
                    json_.key("pattern").string(l.pattern);
                    json_.key("csys").string(l.csys);
                    numbers("values", std::array{l.F1, l.F2, l.F3, l.M1, l.M2, l.M3});
                    json_.endObject();
                }
                json_.endArray();
            }
            json_.endObject();
        }
        json_.endArray();
    }

    void constraints() {
        // The points of every constraint, from the pairs the group of everything answers.
        std::unordered_map<std::string, Names> members;
        Names pointNames, constraintNames;
        if (host_.GetPointConstraints("ALL", kGroup, pointNames, constraintNames) == 0) {
            for (std::size_t k = 0; k < pointNames.size() && k < constraintNames.size(); ++k) {
                members[constraintNames[k]].push_back(std::move(pointNames[k]));
            }
        }
        host_.GetConstraintNameList(names_);
        json_.key("constraints").beginArray(true);
        for (const std::string& name : names_) {
            item("constraint", name);
            int type = 0;
            if (host_.GetConstraintType(name, type) != 0) missing("type");
            json_.key("type").integer(type);
            int axis = 0;
            if (type == 2 && host_.GetDiaphragm(name, axis, text_) == 0) {
                json_.key("axis").integer(axis);
                json_.key("csys").string(text_);
            }
            const auto it = members.find(name);
            if (it != members.end()) strings("points", it->second);
            json_.endObject();
        }
        json_.endArray();
    }

    void frames() {
        host_.GetFrameNameList(names_);
        json_.key("frames").beginArray(true);
        for (const std::string& name : names_) {
            item("frame", name);
            if (host_.GetFrameSection(name, text_) != 0) missing("section");
            json_.key("section").string(text_);
            std::string j;
            if (host_.GetFramePoints(name, text_, j) != 0) missing("end points");
            json_.key("i").string(text_);
            json_.key("j").string(j);
            double value = 0;
            if (host_.GetFrameLocalAxes(name, value) == 0) json_.key("angle").number(value);
            std::array<bool, 6> ri{}, rj{};
            const auto any = [](const std::array<bool, 6>& r) {
                return std::any_of(r.begin(), r.end(), [](bool b) { return b; });
            };
            if (host_.GetFrameReleases(name, ri, rj) == 0 && (any(ri) || any(rj))) {
                json_.key("releases").beginObject();
                flags("i", ri);
                flags("j", rj);
                json_.endObject();
            }
            if (host_.GetFrameHinges(name, hinges_) == 0 && !hinges_.empty()) {
                json_.key("hinges").beginArray();
                for (const FrameHinge& h : hinges_) {
                    json_.beginObject();
                    json_.key("kind").integer(h.kind);
                    json_.key("dof").integer(h.dof);
                    json_.key("rel_dist").number(h.relDist);
                    json_.endObject();
                }
                json_.endArray();
            }
            if (host_.GetFrameMass(name, value) == 0 && NonZero(value)) json_.key("mass_per_length").number(value);
            if (host_.GetFrameDistributedLoads(name, kObject, distributed_) == 0 && !distributed_.empty()) {
                json_.key("distributed_loads").beginArray();
                for (const FrameDistributedLoad& l : distributed_) {
                    json_.beginObject();
                    json_.key("pattern").string(l.pattern);
                    json_.key("type").integer(l.loadType);
                    json_.key("csys").string(l.csys);
                    json_.key("dir").integer(l.dir);
                    json_.key("rd1").number(l.rd1);
                    json_.key("rd2").number(l.rd2);
                    json_.key("val1").number(l.val1);
                    json_.key("val2").number(l.val2);
                    json_.endObject();
                }
                json_.endArray();
            }
            if (host_.GetFramePointLoads(name, kObject, framePointLoads_) == 0 && !framePointLoads_.empty()) {
                json_.key("point_loads").beginArray();
                for (const FramePointLoad& l : framePointLoads_) {
                    json_.beginObject();
                    json_.key("pattern").string(l.pattern);
                    json_.key("type").integer(l.loadType);
                    json_.key("csys").string(l.csys);
                    json_.key("dir").integer(l.dir);
                    json_.key("rd").number(l.relDist);
                    json_.key("val").number(l.value);
                    json_.endObject();
                }
                json_.endArray();
            }
            json_.endObject();
        }
        json_.endArray();
    }

    void areaLoads(std::string_view key, bool toFrames) {
        if (areaLoads_.empty()) return;
        json_.key(key).beginArray();
        for (const AreaUniformLoad& l : areaLoads_) {
            json_.beginObject();
            json_.key("pattern").string(l.pattern);
            json_.key("csys").string(l.csys);
            json_.key("dir").integer(l.dir);
            json_.key("value").number(l.value);
            if (toFrames) json_.key("distribution").integer(l.distribution);
            json_.endObject();
        }
        json_.endArray();
    }

    void areas() {
        host_.GetAreaNameList(names_);
        json_.key("areas").beginArray(true);
        for (const std::string& name : names_) {
            item("area", name);
            if (host_.GetAreaProperty(name, text_) != 0) missing("section");
            json_.key("section").string(text_);
            if (host_.GetAreaPoints(name, list_) != 0) missing("points");
            strings("points", list_);
            double mass = 0;
            if (host_.GetAreaMass(name, mass) == 0 && NonZero(mass)) json_.key("mass_per_area").number(mass);
            if (host_.GetAreaUniformLoads(name, kObject, areaLoads_) == 0) areaLoads("uniform_loads", false);
            if (host_.GetAreaUniformLoadsExtended(name, kObject, areaLoads_) == 0) {
                areaLoads("uniform_loads_to_frames", true);
            }
            json_.endObject();
        }
        json_.endArray();
    }

    void groups() {
        host_.GetGroupNameList(names_);
        json_.key("groups").beginArray(true);
        Names members[3];
        for (const std::string& name : names_) {
            // "ALL" is every object; a document holds it implicitly.
            if (name == "ALL") continue;
            item("group", name);
            if (host_.GetGroupAssignments(name, ids_, list_) == 0) {
                for (Names& m : members) m.clear();
                for (std::size_t k = 0; k < ids_.size() && k < list_.size(); ++k) {
                    const int slot = ids_[k] == kPointObject   ? 0
                                     : ids_[k] == kFrameObject ? 1
                                     : ids_[k] == kAreaObject  ? 2
                                                               : -1;
                    if (slot >= 0) members[slot].push_back(list_[k]);
                }
                if (!members[0].empty()) strings("points", members[0]);
                if (!members[1].empty()) strings("frames", members[1]);
                if (!members[2].empty()) strings("areas", members[2]);
            }
            json_.endObject();
        }
        json_.endArray();
    }

    void loadPatterns() {
        host_.GetLoadPatternNameList(names_);
        json_.key("load_patterns").beginArray(true);
        for (const std::string& name : names_) {
            item("load pattern", name);
            int type = 0;
            if (host_.GetLoadPatternType(name, type) == 0) json_.key("type").integer(type);
            double multiplier = 0;
            if (host_.GetLoadPatternSelfWeightMultiplier(name, multiplier) == 0) {
                json_.key("self_weight_multiplier").number(multiplier);
            }
            json_.endObject();
        }
        json_.endArray();
    }

    void massSource() {
        int option = 1;
        json_.context = "the mass source";
        if (host_.GetMassSource(option, list_, doubles_) != 0) return;
        json_.key("mass_source").beginObject();
        json_.key("option").integer(option);
        json_.key("patterns").beginArray();
        for (std::size_t k = 0; k < list_.size() && k < doubles_.size(); ++k) {
            json_.beginObject();
            json_.key("name").string(list_[k]);
            json_.key("scale").number(doubles_[k]);
            json_.endObject();
        }
        json_.endArray();
        json_.endObject();
    }

    void series(std::string_view key, const std::vector<double>& values) {
        json_.key(key).beginArray();
        for (const double v : values) json_.number(v);
        json_.endArray();
    }

    void functions() {
        host_.GetFunctionNameList(0, names_);
        json_.key("functions").beginArray(true);
        for (const std::string& name : names_) {
            item("function", name);
            int type = 0, kind = 0;
            if (host_.GetFunctionType(name, type, kind) != 0) missing("type");
            json_.key("type").integer(type);
            json_.key("kind").integer(kind);
            if (type == 2) timeHistory(name, kind);
            json_.endObject();
        }
        json_.endArray();
    }

    void timeHistory(const std::string& name, int kind) {
        double period = 0, ramp = 0, amplitude = 0, maxTime = 0;
        int steps = 0, cycles = 0;
        switch (kind) {
            case 0: {
                THFunctionFile f;
                if (host_.GetTHFunctionFromFile(name, f) != 0) missing("file");
                json_.key("file").string(AbsolutePath(f.fileName));
                json_.key("header_lines").integer(f.headerLines);
                json_.key("prefix_chars").integer(f.prefixChars);
                json_.key("points_per_line").integer(f.pointsPerLine);
                json_.key("value_type").integer(f.valueType);
                json_.key("free_format").boolean(f.freeFormat);
                json_.key("field_width").integer(f.fieldWidth);
                json_.key("dt").number(f.dt);
                break;
            }
            case 1:
                if (host_.GetTHFunctionUser(name, doubles_, doubles2_) != 0) missing("points");
                series("times", doubles_);
                series("values", doubles2_);
                break;
            case 2:
            case 3:
                if ((kind == 2 ? host_.GetTHFunctionSine(name, period, steps, cycles, amplitude)
                               : host_.GetTHFunctionCosine(name, period, steps, cycles, amplitude)) != 0) {
                    missing("wave");
                }
                json_.key("period").number(period);
                json_.key("steps_per_cycle").integer(steps);
                json_.key("cycles").integer(cycles);
                json_.key("amplitude").number(amplitude);
                break;
            case 4:
                if (host_.GetTHFunctionRamp(name, ramp, amplitude, maxTime) != 0) missing("ramp");
                json_.key("ramp_time").number(ramp);
                json_.key("amplitude").number(amplitude);
                json_.key("max_time").number(maxTime);
                break;
            case 5:
                if (host_.GetTHFunctionTrapezoid(name, period, ramp, amplitude, cycles) != 0) missing("trapezoid");
                json_.key("period").number(period);
                json_.key("ramp_time").number(ramp);
                json_.key("amplitude").number(amplitude);
                json_.key("cycles").integer(cycles);
                break;
            case 6:
                if (host_.GetTHFunctionTriangular(name, period, amplitude, cycles) != 0) missing("triangle");
                json_.key("period").number(period);
                json_.key("amplitude").number(amplitude);
                json_.key("cycles").integer(cycles);
                break;
            case 7:
                if (host_.GetTHFunctionUserPeriodic(name, cycles, doubles_, doubles2_) != 0) missing("points");
                json_.key("cycles").integer(cycles);
                series("times", doubles_);
                series("values", doubles2_);
                break;
            default:
                break;
        }
    }

    void loadCases() {
        host_.GetLoadCaseNameList(0, names_);
        json_.key("load_cases").beginArray(true);
        for (const std::string& name : names_) {
            item("load case", name);
            int type = 0;
            if (host_.GetLoadCaseType(name, type) != 0) missing("type");
            json_.key("type").integer(type);
            if (type == 2) {
                StaticNonlinearLoadApplication a;
                if (host_.GetStaticNonlinearLoadApplication(name, a) == 0) {
                    json_.key("load_application").beginObject();
                    json_.key("load_control").integer(a.loadControl);
                    json_.key("monitored_dof").integer(a.monitoredDof);
                    json_.key("displacement").number(a.displacement);
                    if (!a.monitoredPoint.empty()) json_.key("monitored_point").string(a.monitoredPoint);
                    json_.endObject();
                }
                if (host_.GetStaticNonlinearLoads(name, loads_) == 0) nonlinearLoads(false);
            } else if (type == 8) {
                int steps = 0;
                double size = 0;
                if (host_.GetDynamicNonlinearTimeStep(name, steps, size) != 0) missing("time steps");
                json_.key("output_steps").integer(steps);
                json_.key("step_size").number(size);
                if (host_.GetDynamicNonlinearLoads(name, loads_) == 0) nonlinearLoads(true);
                DynamicDamping d;
                if (host_.GetDynamicNonlinearDamping(name, d) == 0) {
                    json_.key("damping").beginObject();
                    json_.key("code").integer(d.code);
                    numbers("values", std::array{d.value1, d.value2});
                    json_.endObject();
                }
            }
            json_.endObject();
        }
        json_.endArray();
    }

    void nonlinearLoads(bool dynamic) {
        json_.key("loads").beginArray();
        for (const NonlinearLoad& l : loads_) {
            json_.beginObject();
            json_.key("type").string(l.type);
            json_.key("name").string(l.name);
            if (dynamic && !l.function.empty()) json_.key("function").string(l.function);
            json_.key("scale").number(l.scale);
            if (dynamic) json_.key("time_factor").number(l.timeFactor);
            json_.endObject();
        }
        json_.endArray();
    }

    TarvoHost& host_;
    JsonOut json_;
    // Answer lists reused from object to object.
    Names names_, list_;
    std::string text_;
    std::vector<int> ids_;
    std::vector<double> doubles_, doubles2_;
    std::vector<ShellLayer> layers_;
    std::vector<PointForceLoad> pointLoads_;
    std::vector<FrameHinge> hinges_;
    std::vector<FrameDistributedLoad> distributed_;
    std::vector<FramePointLoad> framePointLoads_;
    std::vector<AreaUniformLoad> areaLoads_;
    std::vector<NonlinearLoad> loads_;
};

}  // namespace

void SaveModelDocument(TarvoHost& host, std::ostream& out) { Saver(host, out).save(); }

}  // namespace t2v::host
