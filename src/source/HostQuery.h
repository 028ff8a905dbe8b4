// The few questions the fill steps still ask of the host while they run: the groups (for
// the target frames) and the load cases. They are asked in the order the steps need
// them, between the other steps, so the host sees the same calls in the same order as
// when the steps held the host itself; but a step can read nothing else and change
// nothing through it. Everything else a step needs is read into the source model first.
#pragma once

#include <string>
#include <vector>

#include "host/TarvoHost.h"

namespace t2v::source {

using host::DynamicDamping;
using host::Names;
using host::NonlinearLoad;
using host::StaticNonlinearLoadApplication;
using ObjectType = host::ObjectType;
using host::kAreaObject;
using host::kFrameObject;
using host::kPointObject;

class HostQuery {
public:
    // Implicit on purpose: a fill context is built from the host in one brace list.
    HostQuery(host::TarvoHost& host) : host_(host) {}  // NOLINT(google-explicit-constructor)

    int GetGroupNameList(Names& names) const { return host_.GetGroupNameList(names); }
    int GetGroupAssignments(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) const {
        return host_.GetGroupAssignments(name, objectTypes, objectNames);
    }

    int GetLoadCaseNameList(int typeFilter, Names& names) const { return host_.GetLoadCaseNameList(typeFilter, names); }
    int GetLoadCaseType(const std::string& name, int& type) const { return host_.GetLoadCaseType(name, type); }
    int GetStaticNonlinearLoadApplication(const std::string& name, StaticNonlinearLoadApplication& app) const {
        return host_.GetStaticNonlinearLoadApplication(name, app);
    }
    int GetStaticNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) const {
        return host_.GetStaticNonlinearLoads(name, loads);
    }
    int GetDynamicNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) const {
        return host_.GetDynamicNonlinearLoads(name, loads);
    }
    int GetDynamicNonlinearTimeStep(const std::string& name, int& outputSteps, double& stepSize) const {
        return host_.GetDynamicNonlinearTimeStep(name, outputSteps, stepSize);
    }
    int GetDynamicNonlinearDamping(const std::string& name, DynamicDamping& damping) const {
        return host_.GetDynamicNonlinearDamping(name, damping);
    }

private:
    host::TarvoHost& host_;
};

}  // namespace t2v::source
