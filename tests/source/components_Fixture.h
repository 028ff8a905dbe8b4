// A source model over a model document given as JSON text, with a store ready for the
// fill steps (kilonewton and metre unless a test says otherwise).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/document/DocumentHost.h"
#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"
#include "target/VantraModel.h"

namespace t2v::test {

// A model document with the given top-level members ("materials": [...], ...).
inline std::string Doc(std::string_view members = {}) {
    std::string s = R"({"format": "tarvo-model", "version": 1)";
    if (!members.empty()) s += ",\n" + std::string(members);
    return s + "}";
}

struct ComponentFixture {
    explicit ComponentFixture(std::string_view json = Doc())
        : host(host::DocumentHost::FromText(json, "components.json")), src(*host, platform, units, {}) {
        m.LengthUnit = units.LengthUnit;
        m.ForceUnit = units.ForceUnit;
        m.LengthToInches = units.LengthToInches;
        m.ForceToKips = units.ForceToKips;
        target::InitVantraModel(m);
    }

    // A source node at a point of the document (the node reader is not run here).
    source::TarvoNodeObj& node(const std::string& label, double x, double y, double z) {
        auto& n = src.AddNode(label);
        n.x = x, n.y = y, n.z = z;
        return n;
    }

    std::unique_ptr<host::DocumentHost> host;
    platform::RecordingPlatform platform;
    Units units;
    source::TarvoModelObj src;
    target::VantraModel m;
};

}  // namespace t2v::test
