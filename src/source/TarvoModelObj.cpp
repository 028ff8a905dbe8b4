#include "source/TarvoModelObj.h"

#include <cmath>

namespace t2v::source {

TarvoFrameObj::TarvoFrameObj() = default;
TarvoFrameObj::~TarvoFrameObj() = default;
TarvoFrameObj::TarvoFrameObj(TarvoFrameObj&&) noexcept = default;
TarvoFrameObj& TarvoFrameObj::operator=(TarvoFrameObj&&) noexcept = default;

TarvoModelObj::TarvoModelObj(host::TarvoHost& host, platform::Platform& platform, const t2v::Units& units,
                             RecordsLocation records)
    : host_(host), platform_(platform), units_(units), records_(std::move(records)) {}

void TarvoModelObj::ReadTarvoData() {
    // Later steps rely on earlier ones: links need both ends read, classification and
    // masses need the links, masses also need the loads in their final form.
    struct Step {
        const char* name;
        void (TarvoModelObj::*run)();
    };
    static constexpr Step kSteps[] = {
        {"materials", &TarvoModelObj::ReadMaterials},
        {"frame sections", &TarvoModelObj::ReadFrameSections},
        {"area sections", &TarvoModelObj::ReadAreaSections},
        {"nodes", &TarvoModelObj::ReadNodes},
        {"constraints", &TarvoModelObj::ReadConstraints},
        {"frames", &TarvoModelObj::ReadFrames},
        {"frame releases", &TarvoModelObj::ReadFrameReleases},
        {"areas", &TarvoModelObj::ReadAreas},
        {"load patterns", &TarvoModelObj::ReadLoadPatterns},
        {"nodal loads", &TarvoModelObj::ReadLoadNodes},
        {"frame distributed loads", &TarvoModelObj::ReadLoadFramesDistributed},
        {"frame point loads", &TarvoModelObj::ReadLoadFramesPoint},
        {"frame end loads", &TarvoModelObj::CheckLoadFramePoint},
        {"area loads", &TarvoModelObj::ReadLoadAreas},
        {"area loads to nodes", &TarvoModelObj::SpreadAreaLoadsToNodes},
        {"frame section materials", &TarvoModelObj::LinkFrameSectionsToMaterials},
        {"area section materials", &TarvoModelObj::LinkAreaSectionsToMaterials},
        {"frame sections of frames", &TarvoModelObj::LinkFramesToSections},
        {"area sections of areas", &TarvoModelObj::LinkAreasToSections},
        {"frame classification", &TarvoModelObj::ClassifyFrames},
        {"area classification", &TarvoModelObj::ClassifyAreas},
        {"masses", &TarvoModelObj::ReadMasses},
        {"time-history functions", &TarvoModelObj::ReadTarvoTHFunc},
        {"load pattern flags", &TarvoModelObj::SetLoadPatternFlags},
        {"top and bottom nodes", &TarvoModelObj::FindTopBottomNodes},
        {"frame hinges", &TarvoModelObj::ReadFrameHinges},
        {"embedded beams", &TarvoModelObj::FindEmbeddedBeams},
    };
    constexpr long total = static_cast<long>(std::size(kSteps));
    long done = 0;
    for (const Step& s : kSteps) {
        report(s.name, done, total);
        (this->*s.run)();
        ++done;
    }
    report("read", done, total);
}

void TarvoModelObj::SpreadAreaLoadsToNodes() {
    ConvertLoadAreasToNodes();
    // Nothing reads the area loads once they are nodal loads; in a large model they are
    // a few tens of megabytes that would otherwise stay until the structure is written.
    LoadAreas.clear();
}

void TarvoModelObj::Dispose() {
    Nodes.clear();
    Constraints.clear();
    RetiredConstraints.clear();
    FrameReleases.clear();
    Frames.clear();
    Areas.clear();
    PropMats.clear();
    PropFrameSects.clear();
    PropEmbedFrameSects.clear();
    PropAreaSects.clear();
    LoadPatterns.clear();
    LoadNodes.clear();
    LoadAreas.clear();
    THFuncs.clear();
    MassSrcLoadPattern.clear();
    MassSrcSF.clear();
    NodeTopObj = NodeBotObj = nullptr;
    nodeIndex_.clear();
    frameIndex_.clear();
    frameSectIndex_.clear();
    areaSectIndex_.clear();
    matIndex_.clear();
    thFuncIndex_.clear();
    loadNodeIndex_.clear();
    patternIndex_.clear();
    areaIndex_.clear();
    nodeCoordIndex_.reset();
}

TarvoNodeObj& TarvoModelObj::AddNode(const std::string& label) {
    TarvoNodeObj& n = Nodes.Add();
    n.Label = label;
    n.id = Nodes.Num() + 1;
    nodeIndex_.add(&n);
    return n;
}

TarvoFrameReleaseObj& TarvoModelObj::AddFrameRelease() { return FrameReleases.Add(); }

TarvoFrameObj& TarvoModelObj::AddFrame(const std::string& label) {
    TarvoFrameObj& f = Frames.Add();
    f.Label = label;
    frameIndex_.add(&f);
    return f;
}

TarvoAreaObj& TarvoModelObj::AddArea(const std::string& label) {
    TarvoAreaObj& a = Areas.Add();
    a.Label = label;
    areaIndex_.add(&a);
    return a;
}

TarvoPropMaterialObj& TarvoModelObj::AddPropMat(const std::string& label) {
    TarvoPropMaterialObj& m = PropMats.Add();
    m.Label = label;
    matIndex_.add(&m);
    return m;
}

TarvoPropFrameSectObj& TarvoModelObj::AddPropFrameSect(const std::string& label) {
    TarvoPropFrameSectObj& s = PropFrameSects.Add();
    s.Label = label;
    frameSectIndex_.add(&s);
    return s;
}

TarvoPropFrameSectObj& TarvoModelObj::AddPropEmbedFrameSect() { return PropEmbedFrameSects.Add(); }

TarvoPropAreaSectObj& TarvoModelObj::AddPropAreaSect(const std::string& label) {
    TarvoPropAreaSectObj& s = PropAreaSects.Add();
    s.Label = label;
    areaSectIndex_.add(&s);
    return s;
}

TarvoLoadPatternObj& TarvoModelObj::AddLoadPatternObj(const std::string& label) {
    TarvoLoadPatternObj& p = LoadPatterns.Add();
    p.Label = label;
    patternIndex_.add(&p);
    return p;
}

TarvoLoadNodeObj& TarvoModelObj::AddLoadNodeObj(const std::string& label) {
    TarvoLoadNodeObj& l = LoadNodes.Add();
    l.Label = label;
    loadNodeIndex_.add(&l);
    return l;
}

TarvoLoadAreaObj& TarvoModelObj::AddLoadAreaObj() { return LoadAreas.Add(); }

TarvoTHFuncObj& TarvoModelObj::AddTHFuncObj(const std::string& label) {
    TarvoTHFuncObj& f = THFuncs.Add();
    f.Label = label;
    thFuncIndex_.add(&f);
    return f;
}

std::int32_t TarvoModelObj::NodeIdGet(std::string_view label) const {
    const TarvoNodeObj* n = nodeIndex_.find(label);
    return n ? n->id : -1;
}

}  // namespace t2v::source
