// A small model document that uses every family and key of the format, shared by the
// host tests.
#pragma once

#include <string_view>

namespace t2v::host::testing {

inline constexpr std::string_view kSampleDocument = R"json({
  "format": "tarvo-model",
  "version": 1,
  "units": 3,
  "groups": [
    {"name": "Frame A", "frames": ["C2", "C1"], "points": ["2"], "areas": ["A1"]},
    {"name": "Empty"}
  ],
  "materials": [
    {"name": "C4", "type": 2, "weight": 8.68e-5, "mass": 2.25e-7,
     "isotropic": {"E": 3605, "U": 0.2, "A": 5.5e-6, "G": 1502},
     "concrete": {"Fc": 4}, "stress_strain": [[-0.003, -4.2], [0, 0], [0.0001, 0.4]]},
    {"name": "A992", "type": 1, "isotropic": {"E": 29000, "U": 0.3},
     "steel": {"Fy": 50, "Fu": 65, "EFy": 55, "EFu": 71.5}},
    {"name": "G60", "type": 6, "symmetry": 3, "uniaxial": {"E": 29000, "A": 6.5e-6},
     "rebar": {"Fy": 60, "Fu": 90}},
    {"name": "ORT", "type": 3, "symmetry": 1,
     "orthotropic": {"E": [1, 2, 3], "U": [0.1, 0.2, 0.3], "A": [4, 5, 6], "G": [7, 8, 9]}},
    {"name": "ANI", "type": 3, "symmetry": 2,
     "anisotropic": {"E": [1, 2, 3], "U": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15],
                     "A": [1, 2, 3, 4, 5], "G": [4, 5, 6]}}
  ],
  "frame_sections": [
    {"name": "COL", "type": 8, "material": "C4", "properties": {"A": 144, "I33": 1728, "J": 2920},
     "rebar_type": 1},
    {"name": "TAPER", "type": 14, "segments": ["W14", "COL"]},
    {"name": "W14", "type": 1, "material": "A992"},
    {"name": "BARE"}
  ],
  "area_sections": [
    {"name": "SLAB", "shell_type": 1, "drilling": 1, "material": "C4", "material_angle": 15,
     "thickness": 8},
    {"name": "WALL", "shell_type": 6, "layers": [
      {"name": "Core", "distance": 0, "thickness": 10, "type": 1, "integration_points": 3,
       "material": "C4", "angle": 0, "s11": 2, "s22": 2, "s12": 1},
      {"name": "Bars", "distance": 4, "thickness": 0.02, "type": 2, "material": "G60", "angle": 90,
       "s11": 1}]},
    {"name": "PLANE", "type": 2, "material": "C4", "thickness": 6, "bending_thickness": 5}
  ],
  "points": [
    {"name": "1", "x": 0, "y": 0, "z": 0, "restraints": [true, true, true, 1, 1, 0]},
    {"name": "2", "x": 0, "y": 0, "z": 120, "mass": [1, 2, 3, 4, 5, 6],
     "loads": [{"pattern": "DEAD", "values": [0, 0, -10, 0, 0, 0]},
               {"pattern": "LIVE", "csys": "Local", "values": [1, 2, 3, 4, 5, 6]}]},
    {"name": "3", "x": 240, "y": 0, "z": 120},
    {"name": "4", "x": 240, "y": 0, "z": 0, "restraints": [1, 1, 1, 1, 1, 1]},
    {"name": "5", "x": 240, "y": 240, "z": 120}
  ],
  "constraints": [
    {"name": "D1", "type": 2, "axis": 4, "points": ["3", "2"]},
    {"name": "BODY", "type": 1, "points": ["2", "5"]}
  ],
  "frames": [
    {"name": "C1", "section": "COL", "i": "1", "j": "2"},
    {"name": "B1", "section": "W14", "i": "2", "j": "3", "angle": 90,
     "releases": {"j": [0, 0, 0, 0, 1, true]},
     "hinges": [{"kind": 6, "dof": 8, "rel_dist": 0.05}, {"kind": 7, "dof": 10, "rel_dist": 0.95}],
     "mass_per_length": 0.01,
     "distributed_loads": [
       {"pattern": "DEAD", "dir": 10, "val1": 0.1},
       {"pattern": "LIVE", "type": 1, "csys": "Local", "dir": 2, "rd1": 0.25, "rd2": 0.75,
        "val1": 0.2, "val2": 0.4}],
     "point_loads": [{"pattern": "LIVE", "dir": 10, "rd": 0.5, "val": 5}]},
    {"name": "C2", "section": "COL", "i": "4", "j": "3"}
  ],
  "areas": [
    {"name": "A1", "section": "SLAB", "points": ["2", "3", "5"], "mass_per_area": 0.002,
     "uniform_loads": [{"pattern": "DEAD", "dir": 10, "value": 0.05}],
     "uniform_loads_to_frames": [{"pattern": "LIVE", "csys": "GLOBAL", "dir": 6, "value": -0.04,
                                  "distribution": 2}]}
  ],
  "load_patterns": [
    {"name": "DEAD", "type": 1, "self_weight_multiplier": 1},
    {"name": "LIVE", "type": 3}
  ],
  "mass_source": {"option": 3, "patterns": [{"name": "DEAD", "scale": 1}, {"name": "LIVE", "scale": 0.25}]},
  "functions": [
    {"name": "EQX", "type": 2, "kind": 0, "file": "records/eqx.txt", "header_lines": 2,
     "prefix_chars": 3, "points_per_line": 4, "value_type": 2, "free_format": false,
     "field_width": 12, "dt": 0.02},
    {"name": "USER", "type": 2, "kind": 1, "times": [0, 0.01, 0.02], "values": [0, 0.3, -0.5]},
    {"name": "SIN", "type": 2, "kind": 2, "period": 1, "steps_per_cycle": 16, "cycles": 2, "amplitude": 0.5},
    {"name": "COS", "type": 2, "kind": 3, "period": 2, "steps_per_cycle": 4, "cycles": 2, "amplitude": 1},
    {"name": "RAMP", "type": 2, "kind": 4, "ramp_time": 1, "amplitude": 2, "max_time": 10},
    {"name": "TRAP", "type": 2, "kind": 5, "period": 1, "ramp_time": 0.1, "amplitude": 3, "cycles": 4},
    {"name": "TRI", "type": 2, "kind": 6, "period": 0.5, "amplitude": 1.5, "cycles": 3},
    {"name": "PER", "type": 2, "kind": 7, "cycles": 5, "times": [0, 0.5, 1], "values": [0, 1, 0]},
    {"name": "RS1", "type": 1}
  ],
  "load_cases": [
    {"name": "GRAV", "type": 2, "load_application": {"load_control": 1},
     "loads": [{"type": "Load", "name": "DEAD", "scale": 1}, {"type": "Load", "name": "LIVE", "scale": 0.25}]},
    {"name": "PUSH", "type": 2,
     "load_application": {"load_control": 2, "monitored_dof": 2, "displacement": 10, "monitored_point": "3"},
     "loads": [{"type": "Mode", "name": "1", "scale": 1}, {"type": "Accel", "name": "UY", "scale": -1}]},
    {"name": "MODAL", "type": 3},
    {"name": "TH", "type": 8, "output_steps": 200, "step_size": 0.01,
     "damping": {"code": 4, "values": [0.05, 0.5]},
     "loads": [{"type": "Accel", "name": "U1", "function": "USER", "scale": 386.4},
               {"type": "Load", "name": "DEAD", "scale": 1, "time_factor": 2}]},
    {"name": "TH2", "type": 8, "output_steps": 10, "step_size": 0.1}
  ]
})json";

}  // namespace t2v::host::testing
