// Model documents for the node tests, and a host that can say what a validated
// document never says: a constraint or group naming a point that does not exist, as
// a live host model may.
#pragma once

#include <array>
#include <iomanip>
#include <sstream>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/document/DocumentHost.h"

namespace t2v::test {

// A whole document around the given families ("points": [...], ...).
inline std::string NodesDoc(std::string_view families = {}) {
    std::string s = R"({"format": "tarvo-model", "version": 1)";
    if (!families.empty()) s.append(", ").append(families);
    return s + "}";
}

inline std::string NodesNumber(double v) {
    std::ostringstream s;
    s << std::setprecision(17) << v;
    return s.str();
}

// One point; `restraints` as six digits in the order UX, UY, UZ, RX, RY, RZ.
inline std::string NodesPoint(std::string_view name, double x, double y, double z,
                              std::string_view restraints = "000000") {
    std::string s = R"({"name": ")" + std::string(name) + R"(", "x": )" + NodesNumber(x) +
                    ", \"y\": " + NodesNumber(y) + ", \"z\": " + NodesNumber(z) + ", \"restraints\": [";
    for (std::size_t d = 0; d < 6; ++d) s.append(d ? ", " : "").append(restraints[d] == '1' ? "true" : "false");
    return s + "]}";
}

// Points of one level at the origin, each free.
inline std::string NodesLevel(const std::vector<std::string>& names, double z) {
    std::string s;
    for (const std::string& n : names) s.append(s.empty() ? "" : ", ").append(NodesPoint(n, 0, 0, z));
    return s;
}

inline std::unique_ptr<host::DocumentHost> NodesHost(std::string_view families = {}) {
    return host::DocumentHost::FromText(NodesDoc(families), "test.json");
}

class GhostPointHost : public host::DocumentHost {
public:
    explicit GhostPointHost(std::string_view families) : DocumentHost(NodesHost(families)->model()) {}

    std::vector<std::pair<std::string, std::string>> ghostsInAll;     // (point, constraint)
    std::vector<std::pair<std::string, std::string>> ghostsInGroups;  // (group, point)

    int GetPointConstraints(const std::string& name, int itemKind, host::Names& points,
                            host::Names& constraints) override {
        const int status = DocumentHost::GetPointConstraints(name, itemKind, points, constraints);
        if (itemKind == host::kGroup && name == "ALL")
            for (const auto& [p, c] : ghostsInAll) {
                points.push_back(p);
                constraints.push_back(c);
            }
        return status;
    }
    int GetGroupAssignments(const std::string& name, std::vector<int>& types, host::Names& names) override {
        const int status = DocumentHost::GetGroupAssignments(name, types, names);
        for (const auto& [g, p] : ghostsInGroups)
            if (g == name) {
                types.push_back(host::kPointObject);
                names.push_back(p);
            }
        return status;
    }
};

}  // namespace t2v::test
