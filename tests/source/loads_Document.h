// A source model over a model document, for the load and mass steps.
//
// The document host answers the load and mass queries. The geometry the load steps
// rely on (nodes, frame ends, area corners) is copied from the document through the
// host interface, the way the node, frame and area readers leave it; area corners are
// taken in document order as the stored order (bottom edge, then top edge, each the
// same way round), and a test that needs the parts of a triangle makes them itself.
// Sections and materials are set by hand where a test needs them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/Units.h"
#include "host/document/DocumentHost.h"
#include "support/RecordingPlatform.h"
#include "source/TarvoModelObj.h"

namespace t2v::testing_loads {

// A whole document around `body` (the families a test needs, without braces), with a
// frame section "S" and a shell section "SL" for frames and areas to name.
inline std::string Model(std::string_view body) {
    std::string doc = R"({"format": "tarvo-model", "version": 1, "frame_sections": [{"name": "S"}],)"
                      R"( "area_sections": [{"name": "SL", "shell_type": 1}])";
    if (!body.empty()) doc += ", " + std::string(body);
    return doc + "}";
}

struct LoadsModel {
    explicit LoadsModel(std::string_view body = "")
        : host(host::DocumentHost::FromText(Model(body), "loads.json")),
          src(*host, platform, UnitsForHostCode(host->GetPresentUnits()), source::RecordsLocation{}) {
        copyGeometry();
        src.ReadLoadPatterns();
    }

    // The load read steps in their order.
    void readLoads() {
        src.ReadLoadNodes();
        src.ReadLoadFramesDistributed();
        src.ReadLoadFramesPoint();
        src.CheckLoadFramePoint();
        src.ReadLoadAreas();
        src.ConvertLoadAreasToNodes();
    }

    // Objects added by hand (for the fill steps, which never ask the host).
    source::TarvoNodeObj& node(const std::string& label, double x, double y, double z) {
        source::TarvoNodeObj& n = src.AddNode(label);
        n.x = x;
        n.y = y;
        n.z = z;
        return n;
    }
    source::TarvoFrameObj& frame(const std::string& label, const std::string& i, const std::string& j) {
        source::TarvoFrameObj& f = src.AddFrame(label);
        f.LabelNodeI = i;
        f.LabelNodeJ = j;
        f.NodeI = src.NodeIdGet(i);
        f.NodeJ = src.NodeIdGet(j);
        return f;
    }
    source::TarvoAreaObj& area(const std::string& label, const std::vector<std::string>& nodes) {
        source::TarvoAreaObj& a = src.AddArea(label);
        a.RedimJoint(static_cast<int>(nodes.size()));
        for (std::size_t k = 0; k < nodes.size(); ++k) {
            a.LabelNodes[k] = nodes[k];
            a.idNodes[k] = src.NodeIdGet(nodes[k]);
        }
        return a;
    }

    std::unique_ptr<host::DocumentHost> host;
    platform::RecordingPlatform platform;
    source::TarvoModelObj src;

private:
    void copyGeometry() {
        host::Names names;
        host->GetPointNameList(names);
        for (const std::string& p : names) {
            double x = 0, y = 0, z = 0;
            host->GetPointCoordinates(p, "Global", x, y, z);
            host->GetPointRestraints(p, node(p, x, y, z).IsRestrained);
        }
        host->GetFrameNameList(names);
        for (const std::string& f : names) {
            std::string i, j;
            host->GetFramePoints(f, i, j);
            frame(f, i, j);
        }
        host->GetAreaNameList(names);
        for (const std::string& a : names) {
            host::Names corners;
            host->GetAreaPoints(a, corners);
            if (corners.size() == 4) area(a, corners);  // triangles are split by hand
        }
    }
};

}  // namespace t2v::testing_loads
