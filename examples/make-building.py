#!/usr/bin/env python3
"""Writes building.json: a three-storey concrete building with a steel bay, walls, slabs
and loads, used by the README's main command. Run it after editing to refresh the
document (the output is deterministic)."""
import json

X = [0.0, 6.0, 12.0]
Y = [0.0, 8.0]
Z = [0.0, 4.0, 8.0, 12.0]


def pname(i, j, k):
    return f"P{i}{j}{k}"


doc = {
    "format": "tarvo-model",
    "version": 1,
    "units": 6,  # kN, m
    "materials": [
        {"name": "C30", "type": 2, "weight": 24.0, "mass": 2.4473,
         "isotropic": {"E": 30.0e6, "U": 0.2, "A": 1.0e-5, "G": 12.5e6},
         "concrete": {"Fc": 30000.0},
         "stress_strain": [[-0.0035, -30000.0], [-0.002, -30000.0], [0.0, 0.0], [0.0001, 3000.0]]},
        {"name": "S355", "type": 1, "weight": 77.0, "mass": 7.849,
         "isotropic": {"E": 200.0e6, "U": 0.3, "A": 1.2e-5, "G": 76.9e6},
         "steel": {"Fy": 355000.0, "Fu": 510000.0, "EFy": 390500.0, "EFu": 561000.0}},
        {"name": "B500", "type": 6, "symmetry": 3, "weight": 77.0, "mass": 7.849,
         "uniaxial": {"E": 200.0e6, "A": 1.17e-5},
         "rebar": {"Fy": 500000.0, "Fu": 540000.0, "EFy": 550000.0, "EFu": 594000.0},
         "stress_strain": [[0.0, 0.0], [0.0025, 500000.0], [0.09, 540000.0]]},
    ],
    "frame_sections": [
        {"name": "COL400", "type": 8, "material": "C30", "rebar_type": 1,
         "properties": {"A": 0.16, "As2": 0.1333, "As3": 0.1333, "J": 0.0036, "I22": 0.002133, "I33": 0.002133,
                        "S22": 0.010667, "S33": 0.010667, "Z22": 0.016, "Z33": 0.016, "R22": 0.1155, "R33": 0.1155}},
        {"name": "BM300x600", "type": 8, "material": "C30", "rebar_type": 2,
         "properties": {"A": 0.18, "As2": 0.15, "As3": 0.15, "J": 0.0037, "I22": 0.00135, "I33": 0.0054,
                        "S22": 0.009, "S33": 0.018, "Z22": 0.0135, "Z33": 0.027, "R22": 0.0866, "R33": 0.1732}},
        {"name": "HEB300", "type": 1, "material": "S355",
         "properties": {"A": 0.0149, "As2": 0.00475, "As3": 0.0095, "J": 1.85e-6, "I22": 8.563e-5, "I33": 2.517e-4,
                        "S22": 5.71e-4, "S33": 1.678e-3, "Z22": 8.7e-4, "Z33": 1.869e-3, "R22": 0.0758, "R33": 0.13}},
        {"name": "CHS168", "type": 7, "material": "S355",
         "properties": {"A": 0.00383, "As2": 0.00192, "As3": 0.00192, "J": 2.6e-5, "I22": 1.3e-5, "I33": 1.3e-5}},
    ],
    "area_sections": [
        {"name": "SLAB200", "type": 1, "shell_type": 1, "material": "C30", "thickness": 0.2, "bending_thickness": 0.2},
        {"name": "WALL250", "type": 1, "shell_type": 1, "material": "C30", "thickness": 0.25, "bending_thickness": 0.25},
        {"name": "WALL300L", "type": 1, "shell_type": 6, "layers": [
            {"name": "Cover1", "distance": -0.14, "thickness": 0.02, "type": 1, "integration_points": 1,
             "material": "C30", "angle": 0.0, "s11": 1, "s22": 1, "s12": 1},
            {"name": "RebarV", "distance": -0.12, "thickness": 0.0015, "type": 2, "integration_points": 1,
             "material": "B500", "angle": 90.0, "s11": 2, "s22": 0, "s12": 0},
            {"name": "RebarH", "distance": -0.12, "thickness": 0.001, "type": 2, "integration_points": 1,
             "material": "B500", "angle": 0.0, "s11": 2, "s22": 0, "s12": 0},
            {"name": "Core", "distance": 0.0, "thickness": 0.26, "type": 1, "integration_points": 3,
             "material": "C30", "angle": 0.0, "s11": 1, "s22": 2, "s12": 1},
        ]},
    ],
    "points": [], "constraints": [], "frames": [], "areas": [], "groups": [],
}

for k, z in enumerate(Z):
    for j, y in enumerate(Y):
        for i, x in enumerate(X):
            p = {"name": pname(i, j, k), "x": x, "y": y, "z": z}
            if k == 0:
                p["restraints"] = [True] * 6
            doc["points"].append(p)

# One rigid diaphragm per floor, and one about X that the transfer ignores.
for k in range(1, len(Z)):
    doc["constraints"].append({"name": f"Floor{k}", "type": 2, "axis": 3,
                               "points": [pname(i, j, k) for j in range(len(Y)) for i in range(len(X))]})
doc["constraints"].append({"name": "SideX", "type": 2, "axis": 1, "points": [pname(0, 0, 1), pname(0, 1, 1)]})

frames = doc["frames"]
for k in range(1, len(Z)):
    for j in range(len(Y)):
        for i in range(len(X)):
            f = {"name": f"C{i}{j}{k}", "section": "COL400", "i": pname(i, j, k - 1), "j": pname(i, j, k)}
            if k == 1:  # plastic hinges at the base of the ground-floor columns
                f["hinges"] = [{"kind": 9, "dof": 13, "rel_dist": 0.0}, {"kind": 9, "dof": 13, "rel_dist": 1.0}]
            frames.append(f)
    for j in range(len(Y)):
        for i in range(len(X) - 1):
            f = {"name": f"BX{i}{j}{k}", "section": "BM300x600", "i": pname(i, j, k), "j": pname(i + 1, j, k),
                 "distributed_loads": [{"pattern": "SDL", "dir": 10, "rd1": 0.0, "rd2": 1.0, "val1": 5.0, "val2": 5.0}]}
            if i == 1:  # pinned at the far end
                f["releases"] = {"i": [False] * 6, "j": [False, False, False, False, True, True]}
            frames.append(f)
    for i in range(len(X)):
        frames.append({"name": f"BY{i}{k}", "section": "HEB300", "i": pname(i, 0, k), "j": pname(i, 1, k),
                       "angle": 90.0 if i == 1 else 0.0,
                       "point_loads": [{"pattern": "LIVE", "dir": 10, "rd": 0.5, "val": 20.0}]})
    # A steel brace in the side bay.
    frames.append({"name": f"BR{k}", "section": "CHS168", "i": pname(2, 0, k - 1), "j": pname(2, 1, k),
                   "releases": {"i": [False, False, False, False, True, True], "j": [False, False, False, False, True, True]}})

areas = doc["areas"]
for k in range(1, len(Z)):
    areas.append({"name": f"S0{k}", "section": "SLAB200",
                  "points": [pname(0, 0, k), pname(1, 0, k), pname(1, 1, k), pname(0, 1, k)],
                  "uniform_loads": [{"pattern": "LIVE", "dir": 10, "value": 3.0}]})
    # The second panel as two triangles.
    areas.append({"name": f"S1{k}a", "section": "SLAB200", "points": [pname(1, 0, k), pname(2, 0, k), pname(2, 1, k)],
                  "uniform_loads_to_frames": [{"pattern": "SDL", "dir": 10, "value": 1.5, "distribution": 2}]})
    areas.append({"name": f"S1{k}b", "section": "SLAB200", "points": [pname(1, 0, k), pname(2, 1, k), pname(1, 1, k)],
                  "uniform_loads_to_frames": [{"pattern": "SDL", "dir": 10, "value": 1.5, "distribution": 2}]})
    # A layered wall along x = 0 and a thin wall along y = 8 between the first two grids.
    areas.append({"name": f"W0{k}", "section": "WALL300L",
                  "points": [pname(0, 0, k - 1), pname(0, 0, k), pname(0, 1, k), pname(0, 1, k - 1)]})
    areas.append({"name": f"W1{k}", "section": "WALL250",
                  "points": [pname(0, 1, k - 1), pname(1, 1, k - 1), pname(1, 1, k), pname(0, 1, k)]})

for k in range(1, len(Z)):
    doc["groups"].append({"name": f"Storey{k}",
                          "points": [pname(i, j, k) for j in range(len(Y)) for i in range(len(X))],
                          "frames": [f["name"] for f in frames if f["name"].endswith(str(k))],
                          "areas": [a["name"] for a in areas if a["name"][2] == str(k)]})
doc["groups"].append({"name": "Core walls", "areas": [a["name"] for a in areas if a["name"].startswith("W")]})

doc["load_patterns"] = [
    {"name": "DEAD", "type": 1, "self_weight_multiplier": 1.0},
    {"name": "SDL", "type": 2, "self_weight_multiplier": 0.0},
    {"name": "LIVE", "type": 3, "self_weight_multiplier": 0.0},
    {"name": "PUSH", "type": 8, "self_weight_multiplier": 0.0},
]
for p in doc["points"]:
    if p["name"].endswith("3"):
        p["loads"] = [{"pattern": "PUSH", "values": [10.0, 0.0, 0.0, 0.0, 0.0, 0.0]},
                      {"pattern": "LIVE", "values": [0.0, 0.0, -5.0, 0.0, 0.0, 0.0]}]
doc["mass_source"] = {"option": 3, "patterns": [{"name": "SDL", "scale": 1.0}, {"name": "LIVE", "scale": 0.3}]}

doc["functions"] = [
    {"name": "GroundMotion", "type": 2, "kind": 0, "file": "records/ground-motion.txt", "header_lines": 2,
     "prefix_chars": 0, "points_per_line": 1, "value_type": 2, "free_format": True, "field_width": 10, "dt": 0.01},
    {"name": "Pulse", "type": 2, "kind": 1, "times": [0.0, 0.1, 0.2, 0.3, 0.4], "values": [0.0, 0.5, -1.2, 0.4, 0.0]},
    {"name": "Sine1Hz", "type": 2, "kind": 2, "period": 1.0, "steps_per_cycle": 16, "cycles": 4, "amplitude": 0.3},
    {"name": "Cosine", "type": 2, "kind": 3, "period": 0.5, "steps_per_cycle": 8, "cycles": 2, "amplitude": 0.2},
    {"name": "Ramp", "type": 2, "kind": 4, "ramp_time": 1.0, "amplitude": 1.0, "max_time": 5.0},
    {"name": "Trapezoid", "type": 2, "kind": 5, "period": 2.0, "ramp_time": 0.2, "amplitude": 0.25, "cycles": 3},
    {"name": "Triangle", "type": 2, "kind": 6, "period": 1.0, "amplitude": 0.1, "cycles": 2},
    {"name": "Periodic", "type": 2, "kind": 7, "cycles": 3, "times": [0.0, 0.25, 0.5], "values": [0.0, 1.0, 0.0]},
    {"name": "Spectrum", "type": 1},
]

doc["load_cases"] = [
    {"name": "Gravity", "type": 2, "load_application": {"load_control": 1, "monitored_dof": 3, "displacement": 0.0,
                                                         "monitored_point": "P003"},
     "loads": [{"type": "Load", "name": "DEAD", "scale": 1.0}, {"type": "Load", "name": "SDL", "scale": 1.0},
               {"type": "Load", "name": "LIVE", "scale": 0.3}]},
    {"name": "Push X", "type": 2, "load_application": {"load_control": 2, "monitored_dof": 1, "displacement": 0.3,
                                                        "monitored_point": "P003"},
     "loads": [{"type": "Accel", "name": "UX", "scale": -1.0}]},
    {"name": "Push Y modes", "type": 2, "load_application": {"load_control": 2, "monitored_dof": 2, "displacement": 0.3,
                                                              "monitored_point": "P003"},
     "loads": [{"type": "Mode", "name": "1", "scale": 1.0}, {"type": "Mode", "name": "2", "scale": 0.5}]},
    {"name": "Push loads", "type": 2, "load_application": {"load_control": 2, "monitored_dof": 1, "displacement": 0.3,
                                                            "monitored_point": "P003"},
     "loads": [{"type": "Load", "name": "PUSH", "scale": 1.0}]},
    {"name": "Quake", "type": 8, "output_steps": 1000, "step_size": 0.01,
     "damping": {"code": 4, "values": [0.05, 0.05]},
     "loads": [{"type": "Accel", "name": "U1", "function": "GroundMotion", "scale": 9.81, "time_factor": 1.0},
               {"type": "Accel", "name": "U2", "function": "Sine1Hz", "scale": 4.905, "time_factor": 1.0}]},
    {"name": "Modal", "type": 3},
]

with open("building.json", "w") as out:
    json.dump(doc, out, indent=1)
    out.write("\n")
