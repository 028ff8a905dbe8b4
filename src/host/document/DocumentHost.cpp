// The host operations answered from the loaded tables.
//
// Every query finds its object through the family's name index; an unknown name, or
// data the object does not have, answers status 1. Lists are rebuilt into the caller's
// vectors on every call, so a caller may reuse them.
#include "host/document/DocumentHost.h"

#include "host/document/DocumentLoader.h"
#include "host/document/TypicalMaterials.h"
#include "platform/LargeMemory.h"
#include "platform/Platform.h"

#include <simdjson.h>

#include <cmath>
#include <cstdint>
#include <filesystem>

namespace t2v::host {

using namespace document;

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;

// The parser indexes at most 4 GB; a larger document is refused before its memory is
// reserved.
constexpr std::uint64_t kMaxDocumentBytes = 0xFFFFFFFFull;

// The refusal of a document file, after "<path>: ".
std::string FileRefusal(const platform::InputFileFailure& failure) {
    using Kind = platform::InputFileFailure::Kind;
    switch (failure.kind) {
        case Kind::Folder:
            return "(file): it is a folder, not a model document";
        case Kind::Device:
            return "(file): it is a device, not a model document";
        case Kind::Pipe:
            return "(file): it is a pipe, not a model document";
        case Kind::Socket:
            return "(file): it is a socket, not a model document";
        case Kind::OtherKind:
            return "(file): it is not a regular file, not a model document";
        case Kind::TooLarge:
            return "(document): the document is larger than 4 GB";
        case Kind::EndedEarly:
            return "(file): cannot read the file: it ended early";
        case Kind::CannotRead:
            return "(file): cannot read the file: " + failure.reason;
        case Kind::None:
        case Kind::CannotOpen:
            break;
    }
    return "(file): cannot open the file: " + failure.reason;
}

// Reads a whole file into a buffer with the parser's padding after it, so it is parsed
// in place. Only a regular file is a model document: a folder would report a size near
// 2^63, and a device or a pipe has no size at all, or never ends.
LargeBuffer ReadWholeFile(platform::Platform& platform, const std::string& path) {
    LargeBuffer buffer;
    platform::InputFileFailure failure;
    if (!platform.readLargeInputFile(path, kMaxDocumentBytes, simdjson::SIMDJSON_PADDING, buffer, failure)) {
        throw DocumentError(path + ": " + FileRefusal(failure));
    }
    return buffer;
}

bool IsGlobal(const std::string& csys) {
    if (csys.size() != 6) return false;
    for (std::size_t i = 0; i < 6; ++i) {
        const char c = static_cast<char>(csys[i] | 0x20);
        if (c != "global"[i]) return false;
    }
    return true;
}

std::array<bool, 6> Flags(std::uint8_t bits) {
    std::array<bool, 6> out{};
    for (std::size_t d = 0; d < 6; ++d) out[d] = ((bits >> d) & 1u) != 0;
    return out;
}

template <class T>
const T* Find(const Family<T>& family, const std::string& name) {
    const std::uint32_t p = family.find(name);
    return p == kNoRef ? nullptr : &family[p];
}

template <class T>
void NamesOf(const Family<T>& family, Names& names) {
    names.clear();
    names.reserve(family.size());
    for (const T& item : family.items) names.push_back(item.name);
}

// Calls `fn` with the position of each object a load or constraint query covers: the
// one named object (item kind 0), or the members of the named group in group order
// (item kind 1; "ALL" covers every object of the family). False when nothing by that
// name exists or the item kind is not known.
template <class T, class Fn>
bool ForEachSelected(const Family<T>& family, const Family<Group>& groups, std::vector<std::uint32_t> Group::*members,
                     const std::string& name, int itemKind, Fn&& fn) {
    if (itemKind == kObject) {
        const std::uint32_t p = family.find(name);
        if (p == kNoRef) return false;
        fn(p);
        return true;
    }
    if (itemKind != kGroup) return false;
    if (name == "ALL") {
        for (std::uint32_t p = 0; p < family.size(); ++p) fn(p);
        return true;
    }
    const Group* group = Find(groups, name);
    if (!group) return false;
    for (const std::uint32_t p : group->*members) fn(p);
    return true;
}

}  // namespace

// --- loading -----------------------------------------------------------------------

std::unique_ptr<DocumentHost> DocumentHost::LoadFile(platform::Platform& platform, const std::string& path) {
    const LargeBuffer text = ReadWholeFile(platform, path);
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const std::string base = folder.empty() ? std::string(".") : folder.string();
    return std::make_unique<DocumentHost>(LoadModelDocument(text.data(), text.size(), true, path, base));
}

std::unique_ptr<DocumentHost> DocumentHost::FromText(std::string_view json, const std::string& displayName,
                                                     const std::string& baseFolder) {
    return std::make_unique<DocumentHost>(LoadModelDocument(json.data(), json.size(), false, displayName, baseFolder));
}

DocumentHost::DocumentHost(DocumentModel model) : model_(std::move(model)) {}

// --- units and model ---------------------------------------------------------------

int DocumentHost::GetPresentUnits() { return model_.units; }

int DocumentHost::GetPointCount() { return static_cast<int>(model_.points.size()); }

// --- materials ---------------------------------------------------------------------

int DocumentHost::GetMaterialNameList(int type, Names& names) {
    names.clear();
    for (const Material& m : model_.materials.items) {
        if (type == 0 || m.type == type) names.push_back(m.name);
    }
    return kOk;
}

int DocumentHost::DefineMaterial(const std::string& name, int type, int /*color*/, const std::string& /*notes*/,
                                 const std::string& /*guid*/) {
    if (name.empty()) return kFailed;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return kFailed;
    }
    if (model_.materials.find(name) != kNoRef) return kFailed;
    std::optional<Material> m = TypicalMaterial(name, type, model_.units);
    if (!m) return kFailed;
    model_.materials.add(std::move(*m));
    return kOk;
}

int DocumentHost::GetMaterialType(const std::string& name, int& type, int& symType) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    type = m->type;
    symType = m->symmetry;
    return kOk;
}

int DocumentHost::GetMaterialWeightAndMass(const std::string& name, double& weight, double& mass) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    weight = m->weight;
    mass = m->mass;
    return kOk;
}

int DocumentHost::GetSteelMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    Fy = m->steel[0];
    Fu = m->steel[1];
    eFy = m->steel[2];
    eFu = m->steel[3];
    return kOk;
}

int DocumentHost::GetRebarMaterial(const std::string& name, double& Fy, double& Fu, double& eFy, double& eFu) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    Fy = m->rebar[0];
    Fu = m->rebar[1];
    eFy = m->rebar[2];
    eFu = m->rebar[3];
    return kOk;
}

int DocumentHost::GetConcreteMaterial(const std::string& name, double& Fc) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    Fc = m->concreteFc;
    return kOk;
}

int DocumentHost::GetStressStrainCurve(const std::string& name, std::vector<int>& pointIds,
                                       std::vector<double>& strains, std::vector<double>& stresses) {
    const Material* m = Find(model_.materials, name);
    if (!m || !m->hasCurve) return kFailed;
    pointIds.resize(m->strains.size());
    for (std::size_t i = 0; i < pointIds.size(); ++i) pointIds[i] = static_cast<int>(i);
    strains = m->strains;
    stresses = m->stresses;
    return kOk;
}

int DocumentHost::GetIsotropicProperties(const std::string& name, double& E, double& U, double& A, double& G) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    E = m->isoE;
    U = m->isoU;
    A = m->isoA;
    G = m->isoG;
    return kOk;
}

int DocumentHost::GetOrthotropicProperties(const std::string& name, std::array<double, 3>& E, std::array<double, 3>& U,
                                           std::array<double, 3>& A, std::array<double, 3>& G) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    E = m->ortE;
    U = m->ortU;
    A = m->ortA;
    G = m->ortG;
    return kOk;
}

int DocumentHost::GetAnisotropicProperties(const std::string& name, std::array<double, 3>& E, std::array<double, 15>& U,
                                           std::array<double, 5>& A, std::array<double, 3>& G) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    E = m->aniE;
    U = m->aniU;
    A = m->aniA;
    G = m->aniG;
    return kOk;
}

int DocumentHost::GetUniaxialProperties(const std::string& name, double& E, double& A) {
    const Material* m = Find(model_.materials, name);
    if (!m) return kFailed;
    E = m->uniE;
    A = m->uniA;
    return kOk;
}

// --- mass source -------------------------------------------------------------------

int DocumentHost::GetMassSource(int& option, Names& patterns, std::vector<double>& scales) {
    option = model_.massSourceOption;
    patterns.clear();
    for (const std::uint32_t p : model_.massSourcePatterns) patterns.push_back(model_.loadPatterns[p].name);
    scales = model_.massSourceScales;
    return kOk;
}

// --- frame sections ----------------------------------------------------------------

int DocumentHost::GetFrameSectionNameList(Names& names) {
    NamesOf(model_.frameSections, names);
    return kOk;
}

int DocumentHost::GetFrameSectionProperties(const std::string& name, FrameSectionProperties& props) {
    const FrameSection* s = Find(model_.frameSections, name);
    if (!s) return kFailed;
    props = s->properties;
    return kOk;
}

int DocumentHost::GetFrameSectionType(const std::string& name, int& type) {
    const FrameSection* s = Find(model_.frameSections, name);
    if (!s || !s->hasType) return kFailed;
    type = s->type;
    return kOk;
}

int DocumentHost::GetNonprismaticSegments(const std::string& name, Names& startSections) {
    const FrameSection* s = Find(model_.frameSections, name);
    if (!s || !s->hasType || s->type != 14) return kFailed;
    startSections.clear();
    for (const std::uint32_t p : s->segments) startSections.push_back(model_.frameSections[p].name);
    return kOk;
}

int DocumentHost::GetFrameSectionMaterial(const std::string& name, std::string& material) {
    const FrameSection* s = Find(model_.frameSections, name);
    if (!s || s->material == kNoRef) return kFailed;
    material = model_.materials[s->material].name;
    return kOk;
}

int DocumentHost::GetFrameSectionRebarType(const std::string& name, int& rebarType) {
    const FrameSection* s = Find(model_.frameSections, name);
    if (!s) return kFailed;
    rebarType = s->rebarType;
    return kOk;
}

// --- area sections -----------------------------------------------------------------

int DocumentHost::GetAreaSectionNameList(Names& names) {
    NamesOf(model_.areaSections, names);
    return kOk;
}

int DocumentHost::GetAreaSectionType(const std::string& name, int& type) {
    const AreaSection* s = Find(model_.areaSections, name);
    if (!s) return kFailed;
    type = s->type;
    return kOk;
}

int DocumentHost::GetShell(const std::string& name, int& shellType, int& drilling, std::string& material,
                           double& materialAngle, double& thickness, double& bending) {
    const AreaSection* s = Find(model_.areaSections, name);
    if (!s || s->type != 1) return kFailed;
    shellType = s->shellType;
    drilling = s->drilling;
    material = s->material == kNoRef ? std::string() : model_.materials[s->material].name;
    materialAngle = s->materialAngle;
    thickness = s->thickness;
    bending = s->bendingThickness;
    return kOk;
}

int DocumentHost::GetShellLayers(const std::string& name, std::vector<ShellLayer>& layers) {
    const AreaSection* s = Find(model_.areaSections, name);
    if (!s || s->type != 1 || s->shellType != 6) return kFailed;
    layers = s->layers;
    return kOk;
}

// --- points ------------------------------------------------------------------------

int DocumentHost::GetPointNameList(Names& names) {
    NamesOf(model_.points, names);
    return kOk;
}

int DocumentHost::GetPointCoordinates(const std::string& name, const std::string& csys, double& x, double& y,
                                      double& z) {
    const Point* p = Find(model_.points, name);
    if (!p || !IsGlobal(csys)) return kFailed;
    x = p->x;
    y = p->y;
    z = p->z;
    return kOk;
}

int DocumentHost::GetPointRestraints(const std::string& name, std::array<bool, 6>& restraints) {
    const Point* p = Find(model_.points, name);
    if (!p) return kFailed;
    restraints = Flags(p->restraints);
    return kOk;
}

int DocumentHost::GetPointConstraints(const std::string& name, int itemKind, Names& pointNames,
                                      Names& constraintNames) {
    pointNames.clear();
    constraintNames.clear();
    const bool found =
        ForEachSelected(model_.points, model_.groups, &Group::points, name, itemKind, [&](std::uint32_t p) {
            const std::uint32_t end = model_.pointConstraintOffsets[p + 1];
            for (std::uint32_t k = model_.pointConstraintOffsets[p]; k < end; ++k) {
                pointNames.push_back(model_.points[p].name);
                constraintNames.push_back(model_.constraints[model_.pointConstraints[k]].name);
            }
        });
    return found ? kOk : kFailed;
}

int DocumentHost::GetPointMass(const std::string& name, std::array<double, 6>& mass) {
    const Point* p = Find(model_.points, name);
    if (!p) return kFailed;
    mass = p->mass == kNoRef ? std::array<double, 6>{} : model_.pointMasses[p->mass];
    return kOk;
}

int DocumentHost::GetPointConnectivity(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) {
    const std::uint32_t p = model_.points.find(name);
    if (p == kNoRef) return kFailed;
    objectTypes.clear();
    objectNames.clear();
    const std::uint32_t end = model_.connectivityOffsets[p + 1];
    for (std::uint32_t k = model_.connectivityOffsets[p]; k < end; ++k) {
        const std::uint32_t item = model_.connectivity[k];
        if (item & DocumentModel::kAreaBit) {
            objectTypes.push_back(kAreaObject);
            objectNames.push_back(model_.areas[item & ~DocumentModel::kAreaBit].name);
        } else {
            objectTypes.push_back(kFrameObject);
            objectNames.push_back(model_.frames[item].name);
        }
    }
    return kOk;
}

int DocumentHost::GetPointForceLoads(const std::string& name, int itemKind, std::vector<PointForceLoad>& loads) {
    loads.clear();
    const bool found =
        ForEachSelected(model_.points, model_.groups, &Group::points, name, itemKind, [&](std::uint32_t p) {
            const Point& point = model_.points[p];
            for (std::uint32_t k = 0; k < point.loads.count; ++k) {
                const PointLoadItem& item = model_.pointLoads[point.loads.begin + k];
                PointForceLoad out;
                out.point = point.name;
                out.pattern = model_.loadPatterns[item.pattern].name;
                out.step = 0;
                out.csys = model_.csysNames[item.csys];
                out.F1 = item.values[0];
                out.F2 = item.values[1];
                out.F3 = item.values[2];
                out.M1 = item.values[3];
                out.M2 = item.values[4];
                out.M3 = item.values[5];
                loads.push_back(std::move(out));
            }
        });
    return found ? kOk : kFailed;
}

// --- constraints -------------------------------------------------------------------

int DocumentHost::GetConstraintNameList(Names& names) {
    NamesOf(model_.constraints, names);
    return kOk;
}

int DocumentHost::GetConstraintType(const std::string& name, int& type) {
    const Constraint* c = Find(model_.constraints, name);
    if (!c) return kFailed;
    type = c->type;
    return kOk;
}

int DocumentHost::GetDiaphragm(const std::string& name, int& axis, std::string& csys) {
    const Constraint* c = Find(model_.constraints, name);
    if (!c || c->type != 2) return kFailed;
    axis = c->axis;
    csys = c->csys;
    return kOk;
}

// --- frames ------------------------------------------------------------------------

double DocumentHost::frameLength(const Frame& frame) const {
    const Point& i = model_.points[frame.i];
    const Point& j = model_.points[frame.j];
    const double dx = j.x - i.x, dy = j.y - i.y, dz = j.z - i.z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

int DocumentHost::GetFrameNameList(Names& names) {
    NamesOf(model_.frames, names);
    return kOk;
}

int DocumentHost::GetFrameSection(const std::string& name, std::string& section) {
    const Frame* f = Find(model_.frames, name);
    if (!f) return kFailed;
    section = model_.frameSections[f->section].name;
    return kOk;
}

int DocumentHost::GetFramePoints(const std::string& name, std::string& pointI, std::string& pointJ) {
    const Frame* f = Find(model_.frames, name);
    if (!f) return kFailed;
    pointI = model_.points[f->i].name;
    pointJ = model_.points[f->j].name;
    return kOk;
}

int DocumentHost::GetFrameLocalAxes(const std::string& name, double& angle) {
    const Frame* f = Find(model_.frames, name);
    if (!f) return kFailed;
    angle = f->angle;
    return kOk;
}

int DocumentHost::GetFrameReleases(const std::string& name, std::array<bool, 6>& releaseI,
                                   std::array<bool, 6>& releaseJ) {
    const Frame* f = Find(model_.frames, name);
    if (!f) return kFailed;
    releaseI = Flags(f->releaseI);
    releaseJ = Flags(f->releaseJ);
    return kOk;
}

int DocumentHost::GetFrameHinges(const std::string& name, std::vector<FrameHinge>& hinges) {
    const Frame* f = Find(model_.frames, name);
    if (!f) return kFailed;
    const auto first = model_.hinges.begin() + f->hinges.begin;
    hinges.assign(first, first + f->hinges.count);
    return kOk;
}

int DocumentHost::GetFrameMass(const std::string& name, double& massPerLength) {
    const Frame* f = Find(model_.frames, name);
    if (!f) return kFailed;
    massPerLength = f->massPerLength;
    return kOk;
}

int DocumentHost::GetFrameDistributedLoads(const std::string& name, int itemKind,
                                           std::vector<FrameDistributedLoad>& loads) {
    loads.clear();
    const bool found =
        ForEachSelected(model_.frames, model_.groups, &Group::frames, name, itemKind, [&](std::uint32_t p) {
            const Frame& frame = model_.frames[p];
            if (frame.distributed.count == 0) return;
            const double length = frameLength(frame);
            for (std::uint32_t k = 0; k < frame.distributed.count; ++k) {
                const DistributedLoadItem& item = model_.distributedLoads[frame.distributed.begin + k];
                FrameDistributedLoad out;
                out.frame = frame.name;
                out.pattern = model_.loadPatterns[item.pattern].name;
                out.loadType = item.type;
                out.csys = model_.csysNames[item.csys];
                out.dir = item.dir;
                out.rd1 = item.rd1;
                out.rd2 = item.rd2;
                out.dist1 = item.rd1 * length;
                out.dist2 = item.rd2 * length;
                out.val1 = item.val1;
                out.val2 = item.val2;
                loads.push_back(std::move(out));
            }
        });
    return found ? kOk : kFailed;
}

int DocumentHost::GetFramePointLoads(const std::string& name, int itemKind, std::vector<FramePointLoad>& loads) {
    loads.clear();
    const bool found =
        ForEachSelected(model_.frames, model_.groups, &Group::frames, name, itemKind, [&](std::uint32_t p) {
            const Frame& frame = model_.frames[p];
            if (frame.pointLoads.count == 0) return;
            const double length = frameLength(frame);
            for (std::uint32_t k = 0; k < frame.pointLoads.count; ++k) {
                const FramePointLoadItem& item = model_.framePointLoads[frame.pointLoads.begin + k];
                FramePointLoad out;
                out.frame = frame.name;
                out.pattern = model_.loadPatterns[item.pattern].name;
                out.loadType = item.type;
                out.csys = model_.csysNames[item.csys];
                out.dir = item.dir;
                out.relDist = item.rd;
                out.dist = item.rd * length;
                out.value = item.value;
                loads.push_back(std::move(out));
            }
        });
    return found ? kOk : kFailed;
}

// --- areas -------------------------------------------------------------------------

int DocumentHost::GetAreaNameList(Names& names) {
    NamesOf(model_.areas, names);
    return kOk;
}

int DocumentHost::GetAreaProperty(const std::string& name, std::string& section) {
    const Area* a = Find(model_.areas, name);
    if (!a) return kFailed;
    section = model_.areaSections[a->section].name;
    return kOk;
}

int DocumentHost::GetAreaPoints(const std::string& name, Names& points) {
    const Area* a = Find(model_.areas, name);
    if (!a) return kFailed;
    points.clear();
    for (std::uint32_t k = 0; k < a->corners.count; ++k) {
        points.push_back(model_.points[model_.areaCorners[a->corners.begin + k]].name);
    }
    return kOk;
}

int DocumentHost::GetAreaMass(const std::string& name, double& massPerArea) {
    const Area* a = Find(model_.areas, name);
    if (!a) return kFailed;
    massPerArea = a->massPerArea;
    return kOk;
}

void DocumentHost::appendAreaLoads(std::uint32_t area, bool extended, std::vector<AreaUniformLoad>& loads) const {
    const Area& a = model_.areas[area];
    const Slice slice = extended ? a.toFrames : a.uniform;
    for (std::uint32_t k = 0; k < slice.count; ++k) {
        const AreaLoadItem& item = model_.areaLoads[slice.begin + k];
        AreaUniformLoad out;
        out.area = a.name;
        out.pattern = model_.loadPatterns[item.pattern].name;
        out.csys = model_.csysNames[item.csys];
        out.dir = item.dir;
        out.value = item.value;
        out.distribution = item.distribution;
        loads.push_back(std::move(out));
    }
}

int DocumentHost::GetAreaUniformLoads(const std::string& name, int itemKind, std::vector<AreaUniformLoad>& loads) {
    loads.clear();
    const bool found = ForEachSelected(model_.areas, model_.groups, &Group::areas, name, itemKind,
                                       [&](std::uint32_t p) { appendAreaLoads(p, false, loads); });
    return found ? kOk : kFailed;
}

int DocumentHost::GetAreaUniformLoadsExtended(const std::string& name, int itemKind,
                                              std::vector<AreaUniformLoad>& loads) {
    loads.clear();
    const bool found = ForEachSelected(model_.areas, model_.groups, &Group::areas, name, itemKind,
                                       [&](std::uint32_t p) { appendAreaLoads(p, true, loads); });
    return found ? kOk : kFailed;
}

// --- groups ------------------------------------------------------------------------

int DocumentHost::GetGroupNameList(Names& names) {
    names.clear();
    names.reserve(model_.groups.size() + 1);
    names.emplace_back("ALL");
    for (const Group& g : model_.groups.items) names.push_back(g.name);
    return kOk;
}

int DocumentHost::GetGroupAssignments(const std::string& name, std::vector<int>& objectTypes, Names& objectNames) {
    objectTypes.clear();
    objectNames.clear();
    auto add = [&](int type, const std::string& objectName) {
        objectTypes.push_back(type);
        objectNames.push_back(objectName);
    };
    if (name == "ALL") {
        const std::size_t total = model_.points.size() + model_.frames.size() + model_.areas.size();
        objectTypes.reserve(total);
        objectNames.reserve(total);
        for (const Point& p : model_.points.items) add(kPointObject, p.name);
        for (const Frame& f : model_.frames.items) add(kFrameObject, f.name);
        for (const Area& a : model_.areas.items) add(kAreaObject, a.name);
        return kOk;
    }
    const Group* g = Find(model_.groups, name);
    if (!g) return kFailed;
    for (const std::uint32_t p : g->points) add(kPointObject, model_.points[p].name);
    for (const std::uint32_t f : g->frames) add(kFrameObject, model_.frames[f].name);
    for (const std::uint32_t a : g->areas) add(kAreaObject, model_.areas[a].name);
    return kOk;
}

// --- load patterns -----------------------------------------------------------------

int DocumentHost::GetLoadPatternNameList(Names& names) {
    NamesOf(model_.loadPatterns, names);
    return kOk;
}

int DocumentHost::GetLoadPatternType(const std::string& name, int& type) {
    const LoadPattern* p = Find(model_.loadPatterns, name);
    if (!p) return kFailed;
    type = p->type;
    return kOk;
}

int DocumentHost::GetLoadPatternSelfWeightMultiplier(const std::string& name, double& multiplier) {
    const LoadPattern* p = Find(model_.loadPatterns, name);
    if (!p) return kFailed;
    multiplier = p->selfWeightMultiplier;
    return kOk;
}

// --- functions ---------------------------------------------------------------------

int DocumentHost::GetFunctionNameList(int typeFilter, Names& names) {
    names.clear();
    for (const Function& f : model_.functions.items) {
        if (typeFilter == 0 || f.type == typeFilter) names.push_back(f.name);
    }
    return kOk;
}

int DocumentHost::GetFunctionType(const std::string& name, int& type, int& kind) {
    const Function* f = Find(model_.functions, name);
    if (!f) return kFailed;
    type = f->type;
    kind = f->kind;
    return kOk;
}

const Function* DocumentHost::timeHistory(const std::string& name, int kind) const {
    const Function* f = Find(model_.functions, name);
    if (!f || f->type != 2 || f->kind != kind) return nullptr;
    return f;
}

int DocumentHost::GetTHFunctionFromFile(const std::string& name, THFunctionFile& file) {
    const Function* f = timeHistory(name, 0);
    if (!f) return kFailed;
    file = f->file;
    return kOk;
}

int DocumentHost::GetTHFunctionUser(const std::string& name, std::vector<double>& times, std::vector<double>& values) {
    const Function* f = timeHistory(name, 1);
    if (!f) return kFailed;
    times = f->times;
    values = f->values;
    return kOk;
}

int DocumentHost::GetTHFunctionSine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                                    double& amplitude) {
    const Function* f = timeHistory(name, 2);
    if (!f) return kFailed;
    period = f->period;
    stepsPerCycle = f->stepsPerCycle;
    cycles = f->cycles;
    amplitude = f->amplitude;
    return kOk;
}

int DocumentHost::GetTHFunctionCosine(const std::string& name, double& period, int& stepsPerCycle, int& cycles,
                                      double& amplitude) {
    const Function* f = timeHistory(name, 3);
    if (!f) return kFailed;
    period = f->period;
    stepsPerCycle = f->stepsPerCycle;
    cycles = f->cycles;
    amplitude = f->amplitude;
    return kOk;
}

int DocumentHost::GetTHFunctionRamp(const std::string& name, double& rampTime, double& amplitude, double& maxTime) {
    const Function* f = timeHistory(name, 4);
    if (!f) return kFailed;
    rampTime = f->rampTime;
    amplitude = f->amplitude;
    maxTime = f->maxTime;
    return kOk;
}

int DocumentHost::GetTHFunctionTrapezoid(const std::string& name, double& period, double& rampTime, double& amplitude,
                                         int& cycles) {
    const Function* f = timeHistory(name, 5);
    if (!f) return kFailed;
    period = f->period;
    rampTime = f->rampTime;
    amplitude = f->amplitude;
    cycles = f->cycles;
    return kOk;
}

int DocumentHost::GetTHFunctionTriangular(const std::string& name, double& period, double& amplitude, int& cycles) {
    const Function* f = timeHistory(name, 6);
    if (!f) return kFailed;
    period = f->period;
    amplitude = f->amplitude;
    cycles = f->cycles;
    return kOk;
}

int DocumentHost::GetTHFunctionUserPeriodic(const std::string& name, int& cycles, std::vector<double>& times,
                                            std::vector<double>& values) {
    const Function* f = timeHistory(name, 7);
    if (!f) return kFailed;
    cycles = f->cycles;
    times = f->times;
    values = f->values;
    return kOk;
}

// --- load cases --------------------------------------------------------------------

int DocumentHost::GetLoadCaseNameList(int typeFilter, Names& names) {
    names.clear();
    for (const LoadCase& c : model_.loadCases.items) {
        if (typeFilter == 0 || c.type == typeFilter) names.push_back(c.name);
    }
    return kOk;
}

int DocumentHost::GetLoadCaseType(const std::string& name, int& type) {
    const LoadCase* c = Find(model_.loadCases, name);
    if (!c) return kFailed;
    type = c->type;
    return kOk;
}

int DocumentHost::GetStaticNonlinearLoadApplication(const std::string& name,
                                                    StaticNonlinearLoadApplication& application) {
    const LoadCase* c = Find(model_.loadCases, name);
    if (!c || c->type != 2) return kFailed;
    application = c->application;
    return kOk;
}

int DocumentHost::GetStaticNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) {
    const LoadCase* c = Find(model_.loadCases, name);
    if (!c || c->type != 2) return kFailed;
    loads = c->loads;
    return kOk;
}

int DocumentHost::GetDynamicNonlinearLoads(const std::string& name, std::vector<NonlinearLoad>& loads) {
    const LoadCase* c = Find(model_.loadCases, name);
    if (!c || c->type != 8) return kFailed;
    loads = c->loads;
    return kOk;
}

int DocumentHost::GetDynamicNonlinearTimeStep(const std::string& name, int& outputSteps, double& stepSize) {
    const LoadCase* c = Find(model_.loadCases, name);
    if (!c || c->type != 8) return kFailed;
    outputSteps = c->outputSteps;
    stepSize = c->stepSize;
    return kOk;
}

int DocumentHost::GetDynamicNonlinearDamping(const std::string& name, DynamicDamping& damping) {
    const LoadCase* c = Find(model_.loadCases, name);
    if (!c || c->type != 8) return kFailed;
    damping = c->damping;
    return kOk;
}

}  // namespace t2v::host
