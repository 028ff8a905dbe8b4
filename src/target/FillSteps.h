// The fill steps: each reads the source model, appends records to the store and writes
// the identifiers of what it made back into the source objects, where later steps
// look them up. The driver runs them in a fixed order (see TransferModel).
#pragma once

#include "platform/Platform.h"
#include "source/HostQuery.h"
#include "source/TarvoModelObj.h"
#include "target/VantraModel.h"

namespace t2v::target {

// What every fill step may reach: the source model, the store, the few host questions
// asked while the steps run (groups and load cases) and the platform (message boxes).
struct FillContext {
    source::TarvoModelObj& src;
    VantraModel& m;
    const source::HostQuery query;
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
