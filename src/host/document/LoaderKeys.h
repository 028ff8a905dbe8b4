// The keys of every object of the model document, with their positions as names.
// Private to the loader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace t2v::host::document::detail {

namespace top {
enum : std::size_t {
    format,
    version,
    units,
    materials,
    frame_sections,
    area_sections,
    points,
    constraints,
    frames,
    areas,
    groups,
    load_patterns,
    functions,
    load_cases,
    mass_source
};
constexpr std::string_view keys[] = {"format",        "version",       "units",       "materials",  "frame_sections",
                                     "area_sections", "points",        "constraints", "frames",     "areas",
                                     "groups",        "load_patterns", "functions",   "load_cases", "mass_source"};
}  // namespace top
namespace mat {
enum : std::size_t {
    name,
    type,
    symmetry,
    weight,
    mass,
    isotropic,
    orthotropic,
    anisotropic,
    uniaxial,
    steel,
    rebar,
    concrete,
    stress_strain
};
constexpr std::string_view keys[] = {"name",      "type",        "symmetry",     "weight",   "mass",
                                     "isotropic", "orthotropic", "anisotropic",  "uniaxial", "steel",
                                     "rebar",     "concrete",    "stress_strain"};
constexpr std::string_view moduli[] = {"E", "U", "A", "G"};
constexpr std::string_view uniaxialKeys[] = {"E", "A"};
constexpr std::string_view strengthKeys[] = {"Fy", "Fu", "EFy", "EFu"};
constexpr std::string_view concreteKeys[] = {"Fc"};
}  // namespace mat
namespace fsec {
enum : std::size_t { name, type, material, properties, rebar_type, segments };
constexpr std::string_view keys[] = {"name", "type", "material", "properties", "rebar_type", "segments"};
constexpr std::string_view propertyKeys[] = {"A",   "As2", "As3", "J",   "I22", "I33",
                                             "S22", "S33", "Z22", "Z33", "R22", "R33"};
}  // namespace fsec
namespace asec {
enum : std::size_t { name, type, shell_type, drilling, material, material_angle, thickness, bending_thickness, layers };
constexpr std::string_view keys[] = {"name",           "type",      "shell_type",        "drilling", "material",
                                     "material_angle", "thickness", "bending_thickness", "layers"};
}  // namespace asec
namespace layer {
enum : std::size_t { name, distance, thickness, type, integration_points, material, angle, s11, s22, s12 };
constexpr std::string_view keys[] = {"name",     "distance", "thickness", "type", "integration_points",
                                     "material", "angle",    "s11",       "s22",  "s12"};
}  // namespace layer
namespace pt {
enum : std::size_t { name, x, y, z, restraints, mass, loads };
constexpr std::string_view keys[] = {"name", "x", "y", "z", "restraints", "mass", "loads"};
}  // namespace pt
namespace pload {
enum : std::size_t { pattern, csys, values };
constexpr std::string_view keys[] = {"pattern", "csys", "values"};
}  // namespace pload
namespace con {
enum : std::size_t { name, type, axis, csys, points };
constexpr std::string_view keys[] = {"name", "type", "axis", "csys", "points"};
}  // namespace con
namespace fr {
enum : std::size_t { name, section, i, j, angle, releases, hinges, mass_per_length, distributed_loads, point_loads };
constexpr std::string_view keys[] = {
    "name", "section", "i", "j", "angle", "releases", "hinges", "mass_per_length", "distributed_loads", "point_loads"};
constexpr std::string_view releaseKeys[] = {"i", "j"};
constexpr std::string_view hingeKeys[] = {"kind", "dof", "rel_dist"};
}  // namespace fr
namespace dload {
enum : std::size_t { pattern, type, csys, dir, rd1, rd2, val1, val2 };
constexpr std::string_view keys[] = {"pattern", "type", "csys", "dir", "rd1", "rd2", "val1", "val2"};
}  // namespace dload
namespace fpload {
enum : std::size_t { pattern, type, csys, dir, rd, val };
constexpr std::string_view keys[] = {"pattern", "type", "csys", "dir", "rd", "val"};
}  // namespace fpload
namespace ar {
enum : std::size_t { name, section, points, mass_per_area, uniform_loads, uniform_loads_to_frames };
constexpr std::string_view keys[] = {"name",          "section",       "points",
                                     "mass_per_area", "uniform_loads", "uniform_loads_to_frames"};
}  // namespace ar
namespace aload {
enum : std::size_t { pattern, csys, dir, value, distribution };
constexpr std::string_view keys[] = {"pattern", "csys", "dir", "value", "distribution"};
}  // namespace aload
namespace grp {
enum : std::size_t { name, points, frames, areas };
constexpr std::string_view keys[] = {"name", "points", "frames", "areas"};
}  // namespace grp
namespace lpat {
enum : std::size_t { name, type, self_weight_multiplier };
constexpr std::string_view keys[] = {"name", "type", "self_weight_multiplier"};
}  // namespace lpat
namespace msrc {
enum : std::size_t { option, patterns };
constexpr std::string_view keys[] = {"option", "patterns"};
constexpr std::string_view patternKeys[] = {"name", "scale"};
}  // namespace msrc
namespace fn {
enum : std::size_t {
    name,
    type,
    kind,
    file,
    header_lines,
    prefix_chars,
    points_per_line,
    value_type,
    free_format,
    field_width,
    dt,
    times,
    values,
    period,
    steps_per_cycle,
    cycles,
    amplitude,
    ramp_time,
    max_time
};
constexpr std::string_view keys[] = {
    "name",        "type",        "kind",    "file",  "header_lines", "prefix_chars", "points_per_line", "value_type",
    "free_format", "field_width", "dt",      "times", "values",       "period",       "steps_per_cycle", "cycles",
    "amplitude",   "ramp_time",   "max_time"};
constexpr std::uint64_t bit(std::size_t k) { return std::uint64_t{1} << k; }
// The keys each time-history kind may have, and those it must have.
constexpr std::uint64_t kindKeys[8] = {bit(file) | bit(header_lines) | bit(prefix_chars) | bit(points_per_line) |
                                           bit(value_type) | bit(free_format) | bit(field_width) | bit(dt),
                                       bit(times) | bit(values),
                                       bit(period) | bit(steps_per_cycle) | bit(cycles) | bit(amplitude),
                                       bit(period) | bit(steps_per_cycle) | bit(cycles) | bit(amplitude),
                                       bit(ramp_time) | bit(amplitude) | bit(max_time),
                                       bit(period) | bit(ramp_time) | bit(amplitude) | bit(cycles),
                                       bit(period) | bit(amplitude) | bit(cycles),
                                       bit(cycles) | bit(times) | bit(values)};
constexpr std::uint64_t kindRequired[8] = {bit(file),   kindKeys[1], kindKeys[2], kindKeys[3],
                                           kindKeys[4], kindKeys[5], kindKeys[6], kindKeys[7]};
constexpr const char* kindNames[8] = {"from file", "user",      "sine",       "cosine",
                                      "ramp",      "trapezoid", "triangular", "user periodic"};
}  // namespace fn
namespace lcase {
enum : std::size_t { name, type, load_application, loads, output_steps, step_size, damping };
constexpr std::string_view keys[] = {"name",         "type",      "load_application", "loads",
                                     "output_steps", "step_size", "damping"};
constexpr std::string_view applicationKeys[] = {"load_control", "monitored_dof", "displacement", "monitored_point"};
constexpr std::string_view staticLoadKeys[] = {"type", "name", "scale"};
constexpr std::string_view dynamicLoadKeys[] = {"type", "name", "function", "scale", "time_factor"};
constexpr std::string_view dampingKeys[] = {"code", "values"};
}  // namespace lcase

}  // namespace t2v::host::document::detail
