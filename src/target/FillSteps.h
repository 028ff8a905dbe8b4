// The fill steps: each reads the source model, appends records to the store and writes
// the identifiers of what it made back into the source objects, where later steps
// look them up. The driver runs them in a fixed order (see TransferModel).
#pragma once

#include "host/TarvoHost.h"
#include "platform/Platform.h"
#include "source/TarvoModelObj.h"
#include "target/VantraModel.h"

namespace t2v::target {

// What every fill step may reach: the source model, the store, the host (groups and
// load cases are asked of it directly) and the platform (message boxes, folders).
struct FillContext {
    source::TarvoModelObj& src;
    VantraModel& m;
    host::TarvoHost& host;
    platform::Platform& platform;
};

void FillVantraNodes(FillContext& c);
void FillVantraConstraints(FillContext& c);
void FillVantraMaterials(FillContext& c);
void FillVantraCrossSections(FillContext& c);
void FillVantraReleaseComponents(FillContext& c);
void FillVantraFemaComponents(FillContext& c);
void FillVantraCompoundComponents(FillContext& c);
void FillVantraElements(FillContext& c);
void FillVantraNodalMass(FillContext& c);
void FillVantraNodalLoads(FillContext& c);
void FillVantraElementLoads(FillContext& c);
void FillVantraFrames(FillContext& c);
void FillVantraSectionCuts(FillContext& c);
void FillVantraSelfWeight(FillContext& c);
void FillVantraDrifts(FillContext& c);
void FillVantraLoadCases(FillContext& c);

}  // namespace t2v::target
