#include "check/Totals.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "check/StructureChecks.h"
#include "common/Text.h"
#include "common/Units.h"
#include "host/TarvoHost.h"
#include "platform/posix/PosixPlatform.h"
#include "source/TarvoModelObj.h"

namespace t2v::check {

void Resultant::addForce(double x, double y, double z, double fx, double fy, double fz) {
    const double f[6] = {fx, fy, fz, y * fz - z * fy, z * fx - x * fz, x * fy - y * fx};
    for (std::size_t k = 0; k < 6; ++k) {
        value[k] += f[k];
        magnitude[k] += std::fabs(f[k]);
    }
}

void Resultant::addMoment(double mx, double my, double mz) {
    const double m[3] = {mx, my, mz};
    for (std::size_t k = 0; k < 3; ++k) {
        value[k + 3] += m[k];
        magnitude[k + 3] += std::fabs(m[k]);
    }
}

const char* LoadKindName(LoadKind k) {
    switch (k) {
        case LoadKind::Nodal:
            return "nodal loads";
        case LoadKind::Element:
            return "element loads";
        case LoadKind::SelfWeight:
            return "self weight";
    }
    return "";
}

namespace {

struct Point {
    double x = 0, y = 0, z = 0;
};

Point along(const Point& a, const Point& b, double t) {
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
}

double length(const Point& a, const Point& b) {
    return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y) + (b.z - a.z) * (b.z - a.z));
}

// A downward line load over an element from a to b: q(t) linear from v1 at t1 to v2 at
// t2 (relative positions), per unit length. Integrated exactly: the resultant and its
// first moment along the element.
void addSegment(Resultant& r, const Point& a, const Point& b, double v1, double t1, double v2, double t2) {
    const double L = length(a, b);
    const double dt = t2 - t1;
    const double w = L * dt * (v1 + v2) / 2;                                   // total downward force
    const double wt = L * dt * (t1 * (2 * v1 + v2) + t2 * (v1 + 2 * v2)) / 6;  // its first moment in t
    // The moment of a distributed vertical force is that of w at a + (wt / w) (b - a),
    // written without the division so that a load summing to zero keeps its moment.
    const double fz = -w;
    const Point d{b.x - a.x, b.y - a.y, b.z - a.z};
    r.value[2] += fz;
    r.magnitude[2] += std::fabs(fz);
    const double mx = a.y * fz - d.y * wt, my = -(a.x * fz - d.x * wt);
    r.value[3] += mx;
    r.value[4] += my;
    r.magnitude[3] += std::fabs(a.y * w) + std::fabs(d.y * wt);
    r.magnitude[4] += std::fabs(a.x * w) + std::fabs(d.x * wt);
}

void addPointLoad(Resultant& r, const Point& a, const Point& b, double v, double t) {
    const Point p = along(a, b, t);
    r.addForce(p.x, p.y, p.z, 0, 0, -v);
}

Point nodePoint(const StructureDigest& d, std::int64_t n) {
    if (n < 1 || n > static_cast<std::int64_t>(d.nodes.size())) return {};
    const DigestNode& node = d.nodes[static_cast<std::size_t>(n - 1)];
    return {node.x, node.y, node.z};
}

// The weight of an element and the point it acts at, from its component.
bool elementWeight(const StructureDigest& d, std::int64_t e, double& w, Point& at) {
    if (e < 1 || e > static_cast<std::int64_t>(d.elements.size())) return false;
    const DigestElement& el = d.elements[static_cast<std::size_t>(e - 1)];
    if (el.group < 1 || static_cast<std::size_t>(el.group) > d.groups.size()) return false;
    const int type = d.groups[static_cast<std::size_t>(el.group - 1)].type;
    const auto c = static_cast<std::size_t>(el.compound);
    if (IsFrameType(type)) {
        if (c < 1 || c > d.frameCompounds.size()) return false;
        const Point a = nodePoint(d, el.nodes[0]), b = nodePoint(d, el.nodes[1]);
        w = d.frameCompounds[c - 1].weightPerLength * length(a, b);
        at = along(a, b, 0.5);
        return true;
    }
    const std::vector<DigestAreaComponent>* table = type == 6    ? &d.wallCompounds
                                                    : type == 11 ? &d.generalWalls
                                                    : type == 12 ? &d.slabSections
                                                                 : nullptr;
    if (!table || c < 1 || c > table->size()) return false;
    Point p[4];
    for (std::size_t k = 0; k < 4; ++k) p[k] = nodePoint(d, el.nodes[k]);
    DigestNode n[4];
    for (std::size_t k = 0; k < 4; ++k) n[k] = {p[k].x, p[k].y, p[k].z, {}, false};
    const DigestAreaComponent& comp = (*table)[c - 1];
    w = comp.unitWeight * comp.thickness * QuadArea(n[0], n[1], n[2], n[3]);
    at = {(p[0].x + p[1].x + p[2].x + p[3].x) / 4, (p[0].y + p[1].y + p[2].y + p[3].y) / 4,
          (p[0].z + p[1].z + p[2].z + p[3].z) / 4};
    return true;
}

std::string figureText(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

}  // namespace

SideTotals StructureTotals(const StructureDigest& d) {
    SideTotals t;
    // Nodal load patterns: the two acceleration patterns are made from the masses and
    // are not loads of any host pattern.
    for (const DigestNodalLoad& l : d.nodalLoads) {
        if (l.pattern < 1 || static_cast<std::size_t>(l.pattern) > d.nodalPatterns.size()) continue;
        const DigestPattern& p = d.nodalPatterns[static_cast<std::size_t>(l.pattern - 1)];
        if (p.kind == 1 || p.kind == 2) continue;
        Resultant& r = t.loads[{p.name, LoadKind::Nodal}];
        const Point at = nodePoint(d, l.node);
        r.addForce(at.x, at.y, at.z, l.values[0], l.values[1], l.values[2]);
        r.addMoment(l.values[3], l.values[4], l.values[5]);
    }
    for (std::size_t p = 0; p < d.nodalPatterns.size(); ++p)
        if (d.nodalPatterns[p].kind != 1 && d.nodalPatterns[p].kind != 2)
            t.loads[{d.nodalPatterns[p].name, LoadKind::Nodal}];

    // Element loads: each element's shape, its chain of items integrated over the element.
    std::map<std::tuple<int, int, int>, const DigestShape*> shapes;
    for (const DigestShape& s : d.shapes) shapes[{s.pattern, s.group, s.shape}] = &s;
    for (std::size_t p = 0; p < d.elementPatterns.size(); ++p) t.loads[{d.elementPatterns[p].name, LoadKind::Element}];
    for (const DigestShapeUse& u : d.shapeUses) {
        if (u.pattern < 1 || static_cast<std::size_t>(u.pattern) > d.elementPatterns.size()) continue;
        if (u.element < 1 || u.element > static_cast<std::int64_t>(d.elements.size())) continue;
        const DigestElement& el = d.elements[static_cast<std::size_t>(u.element - 1)];
        auto it = shapes.find({u.pattern, el.group, u.shape});
        if (it == shapes.end()) continue;
        Resultant& r = t.loads[{d.elementPatterns[static_cast<std::size_t>(u.pattern - 1)].name, LoadKind::Element}];
        const Point a = nodePoint(d, el.nodes[0]), b = nodePoint(d, el.nodes[1]);
        std::int64_t at = it->second->firstItem;
        for (std::int64_t seen = 0;
             at >= 1 && at <= static_cast<std::int64_t>(d.loadItems.size()) && seen < it->second->itemCount; ++seen) {
            const DigestLoadItem& item = d.loadItems[static_cast<std::size_t>(at - 1)];
            if (item.type == 1)
                addSegment(r, a, b, item.values[0], item.values[1], item.values[2], item.values[3]);
            else if (item.type == 2)
                addPointLoad(r, a, b, item.values[0], item.values[1]);
            at = item.next;
        }
    }

    // Self weight: every flagged element's weight, from its component.
    for (std::size_t p = 0; p < d.selfWeightPatterns.size(); ++p) {
        Resultant& r = t.loads[{d.selfWeightPatterns[p].name, LoadKind::SelfWeight}];
        if (p >= d.selfWeightElements.size()) continue;
        for (std::int64_t e : d.selfWeightElements[p]) {
            double w = 0;
            Point at;
            if (elementWeight(d, e, w, at)) r.addForce(at.x, at.y, at.z, 0, 0, -w);
        }
    }

    // Masses of the first (only) mass pattern.
    MassTotals& m = t.masses;
    double moment[3] = {0, 0, 0};
    for (const DigestMass& item : d.masses) {
        if (item.pattern != 1) continue;
        const Point at = nodePoint(d, item.node);
        for (std::size_t k = 0; k < 3; ++k) m.mass[k] += item.values[k];
        moment[0] += item.values[0] * at.x;
        moment[1] += item.values[0] * at.y;
        moment[2] += item.values[0] * at.z;
    }
    if (m.mass[0] != 0)
        for (std::size_t k = 0; k < 3; ++k) m.centre[k] = moment[k] / m.mass[0];

    std::int64_t heads = 0;
    for (const auto& e : d.elements) heads += e.group == 0;
    t.counts = {{"nodes", static_cast<std::int64_t>(d.nodes.size()) - 1},
                {"elements", static_cast<std::int64_t>(d.elements.size()) - heads},
                {"diaphragm constraints", static_cast<std::int64_t>(d.constraints.size())},
                {"groups", static_cast<std::int64_t>(d.frames.size())}};
    return t;
}

namespace {

Point EndPoint(source::TarvoModelObj& src, std::int32_t id, const std::string& label) {
    const source::TarvoNodeObj* n = src.FrameEndNode(id, label);
    return n ? Point{n->x, n->y, n->z} : Point{};
}

// The pattern's nodal loads at their nodes.
void AddNodalLoads(source::TarvoModelObj& src, const source::TarvoLoadPatternObj& p, Resultant& r) {
    for (int k = 1; k <= src.LoadNodeNum(); ++k) {
        const source::TarvoLoadNodeObj& ln = src.LoadNodeObj(k);
        const source::TarvoNodeObj* n = src.NodeObjGet(ln.Label);
        if (!n) continue;
        for (const auto& item : ln.Items) {
            if (item.LoadPattern != p.Label) continue;
            r.addForce(n->x, n->y, n->z, item.F1, item.F2, item.F3);
            r.addMoment(item.M1, item.M2, item.M3);
        }
    }
}

// The pattern's distributed and point loads along the frames. Returns how many loaded
// frames become no element (their loads are lost).
std::int64_t AddFrameLoads(source::TarvoModelObj& src, const source::TarvoLoadPatternObj& p, Resultant& r) {
    std::int64_t lost = 0;
    for (int f = 1; f <= src.FrameNum(); ++f) {
        source::TarvoFrameObj& fr = src.FrameObj(f);
        const Point a = EndPoint(src, fr.NodeI, fr.LabelNodeI), b = EndPoint(src, fr.NodeJ, fr.LabelNodeJ);
        bool loaded = false;
        for (const auto& dist : fr.LoadFrameDistributed) {
            if (dist.PatternLabel != p.Label) continue;
            for (int s = 0; s < dist.ItemNum(); ++s) {
                const auto k = static_cast<std::size_t>(s);
                addSegment(r, a, b, dist.Val1[k], dist.RD1[k], dist.Val2[k], dist.RD2[k]);
                loaded = true;
            }
        }
        for (const auto& point : fr.LoadFramePoint) {
            if (point.PatternLabel != p.Label) continue;
            for (int s = 0; s < point.ItemNum(); ++s) {
                addPointLoad(r, a, b, point.Val[static_cast<std::size_t>(s)], point.RD[static_cast<std::size_t>(s)]);
                loaded = true;
            }
        }
        if (loaded && fr.VantraMatType == 3) ++lost;
    }
    return lost;
}

// The weight of every frame with a material at its middle, and of every 4-node area at
// its centre, times the pattern's multiplier.
void AddSelfWeight(source::TarvoModelObj& src, double mult, Resultant& r) {
    for (int f = 1; f <= src.FrameNum(); ++f) {
        source::TarvoFrameObj& fr = src.FrameObj(f);
        if (!fr.PropFrameSectObj || !fr.PropFrameSectObj->PropMatObj) continue;
        const Point a = EndPoint(src, fr.NodeI, fr.LabelNodeI), b = EndPoint(src, fr.NodeJ, fr.LabelNodeJ);
        const double w = mult * fr.PropFrameSectObj->PropMatObj->UnitWeight * fr.PropFrameSectObj->area * length(a, b);
        const Point mid = along(a, b, 0.5);
        r.addForce(mid.x, mid.y, mid.z, 0, 0, -w);
    }
    for (int k = 1; k <= src.AreaNum(); ++k) {
        source::TarvoAreaObj& area = src.AreaObj(k);
        const source::TarvoPropAreaSectObj* sect = area.PropAreaSectObj;
        if (!sect || area.NumNodes != 4) continue;
        double unitWeight = 0, thick = 0;
        if (sect->PropMatObj) {
            unitWeight = sect->PropMatObj->UnitWeight;
            thick = sect->Thick;
        } else if (sect->LayerPropMatConcObj) {
            unitWeight = sect->LayerPropMatConcObj->UnitWeight;
            thick = sect->LayerVantraThick;
        }
        Point c;
        for (const std::string& label : area.LabelNodes) {
            const source::TarvoNodeObj* n = src.NodeObjGet(label);
            if (!n) continue;
            c.x += n->x / 4;
            c.y += n->y / 4;
            c.z += n->z / 4;
        }
        const double w = mult * unitWeight * thick * src.AreaObjAreaGet(area);
        r.addForce(c.x, c.y, c.z, 0, 0, -w);
    }
}

// One pattern's three structure patterns, under the names the fill steps give them.
void AddPatternTotals(source::TarvoModelObj& src, int i, SourceInfo& info) {
    const source::TarvoLoadPatternObj& p = src.LoadPatternObj(i);
    const std::string nodal = MakeVantraName("LoadNode-", p.Label, i);
    const std::string element = MakeVantraName("LoadFrame-", p.Label, i);
    const std::string self = MakeVantraName("SelfWeight-", p.Label, i);
    info.hostLabel[nodal] = info.hostLabel[element] = info.hostLabel[self] = p.Label;
    SideTotals& t = info.totals;

    if (p.LoadNodeNotEmpty) AddNodalLoads(src, p, t.loads[{nodal, LoadKind::Nodal}]);
    if (p.LoadElementNotEmpty) {
        const std::int64_t lost = AddFrameLoads(src, p, t.loads[{element, LoadKind::Element}]);
        if (lost > 0)
            info.reasons.push_back("pattern \"" + p.Label + "\": " + std::to_string(lost) +
                                   " loaded frames of a material other than concrete or steel become no element, "
                                   "so their loads are not carried over");
    }
    if (p.SelfWeightNotEmpty) {
        const double mult = p.SelfWtMultiplier;
        AddSelfWeight(src, mult, t.loads[{self, LoadKind::SelfWeight}]);
        if (std::fabs(mult - 1.0) > 1e-9)
            info.reasons.push_back("pattern \"" + p.Label + "\": the self-weight multiplier " + figureText(mult) +
                                   (mult > 0.001 ? " is not carried over; the structure carries the weight once"
                                                 : " is too small for any element to carry the weight"));
    }
}

// Masses as the mass step totals them: only free degrees of freedom carry mass.
void AddSourceMasses(source::TarvoModelObj& src, SourceInfo& info) {
    MassTotals& m = info.totals.masses;
    double moment[3] = {0, 0, 0};
    const int option = src.MassSrcOption;
    for (int i = 1; i <= src.NodeNum(); ++i) {
        const source::TarvoNodeObj& n = src.NodeObj(i);
        bool restrainedWithMass = false;
        for (std::size_t k = 0; k < 3; ++k) {
            double mass = 0;
            if (option == 1 || option == 3) mass += n.PointMass[k];
            if (option == 2 || option == 3)
                for (double part : {n.LoadMass[k], n.FrameLoadMass[k], n.AreaLoadMass[k]})
                    if (part > 0) mass += part;
            if (n.IsRestrained[k]) {
                if (k == 0) m.restrainedMass += mass;
                if (mass != 0) restrainedWithMass = true;
                continue;
            }
            m.mass[k] += mass;
            if (k == 0) {
                moment[0] += mass * n.x;
                moment[1] += mass * n.y;
                moment[2] += mass * n.z;
            }
        }
        if (restrainedWithMass) ++m.restrainedNodes;
    }
    if (m.mass[0] != 0)
        for (std::size_t k = 0; k < 3; ++k) m.centre[k] = moment[k] / m.mass[0];
    if (m.restrainedNodes > 0)
        info.reasons.push_back("mass: " + std::to_string(m.restrainedNodes) +
                               " nodes carry mass at restrained degrees of freedom, which the structure does not "
                               "hold (UX mass " +
                               figureText(m.restrainedMass) + "); it is left out of both sides");
}

}  // namespace

SourceInfo SourceTotals(source::TarvoModelObj& src, host::TarvoHost* host) {
    SourceInfo info;
    SideTotals& t = info.totals;

    std::int64_t framesWithoutElement = 0;
    for (int f = 1; f <= src.FrameNum(); ++f)
        if (src.FrameObj(f).VantraMatType == 3) ++framesWithoutElement;

    for (int i = 1; i <= src.LoadPatternNum(); ++i) AddPatternTotals(src, i, info);
    AddSourceMasses(src, info);

    t.counts = {{"nodes", src.NodeNum()},
                {"elements", src.FrameNum() + src.AreaNum()},
                {"diaphragm constraints", src.ConstraintNum()}};
    if (host) {
        host::Names groups;
        host->GetGroupNameList(groups);
        t.counts.emplace_back(
            "groups", std::count_if(groups.begin(), groups.end(), [](const std::string& g) { return g != "ALL"; }));
    }
    if (framesWithoutElement > 0)
        info.reasons.push_back("elements: " + std::to_string(framesWithoutElement) +
                               " frames of a material other than concrete or steel become no element");
    return info;
}

namespace {

// The source is read here only to count it: whatever a read step would tell the user is
// dropped, and every question gets the plain answer.
struct DroppedText {
    std::ostringstream dropped;
};
class QuietPlatform final : private DroppedText, public platform::PosixPlatform {
public:
    QuietPlatform() : PosixPlatform(dropped, dropped) {}
    platform::MsgResult messageBox(const std::string&, const std::string&, platform::MsgIcon,
                                   platform::MsgButtons) override {
        return platform::MsgResult::Ok;
    }
    void beep() override {}
    void removeTemporariesOnInterrupt() override {}
};

}  // namespace

SourceInfo SourceTotalsFromHost(host::TarvoHost& host) {
    QuietPlatform quiet;
    source::TarvoModelObj src(host, quiet, UnitsForHostCode(host.GetPresentUnits()), source::RecordsLocation{});
    // The read steps of a transfer except the time-history functions, which write
    // record files and carry no load or mass.
    src.ReadMaterials();
    src.ReadFrameSections();
    src.ReadAreaSections();
    src.ReadNodes();
    src.ReadConstraints();
    src.ReadFrames();
    src.ReadFrameReleases();
    src.ReadAreas();
    src.ReadLoadPatterns();
    src.ReadLoadNodes();
    src.ReadLoadFramesDistributed();
    src.ReadLoadFramesPoint();
    src.CheckLoadFramePoint();
    src.ReadLoadAreas();
    src.ConvertLoadAreasToNodes();
    src.LinkFrameSectionsToMaterials();
    src.LinkAreaSectionsToMaterials();
    src.LinkFramesToSections();
    src.LinkAreasToSections();
    src.ClassifyFrames();
    src.ClassifyAreas();
    src.ReadMasses();
    src.SetLoadPatternFlags();
    return SourceTotals(src, &host);
}

namespace {
constexpr std::string_view kLeftOutPrefix = "left out: ";
}

std::vector<LeftOutItem> LeftOutItems(const TransferReport& report) {
    std::vector<LeftOutItem> items;
    items.reserve(report.items().size());
    for (const ReportItem& i : report.items()) items.push_back({i.kind + " \"" + i.name + "\": " + i.reason});
    return items;
}

std::vector<LeftOutItem> ReadLeftOutItems(const std::string& structureDir) {
    std::vector<LeftOutItem> items;
    std::ifstream in(structureDir + "/" + kTransferReportFileName, std::ios::binary);
    // Item lines are "problem|note <tab> kind <tab> name <tab> reason"; the heading has no tab.
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::size_t a = line.find('\t');
        const std::size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        const std::size_t c = b == std::string::npos ? b : line.find('\t', b + 1);
        if (c == std::string::npos) continue;
        const std::string severity = line.substr(0, a);
        if (severity != "problem" && severity != "note") continue;
        items.push_back(
            {line.substr(a + 1, b - a - 1) + " \"" + line.substr(b + 1, c - b - 1) + "\": " + line.substr(c + 1)});
    }
    return items;
}

bool Balance::balanced() const {
    return std::none_of(rows.begin(), rows.end(), [](const BalanceRow& r) { return r.problem; });
}

Balance BalanceTotals(const SourceInfo& in, const SideTotals& out, const StructureDigest& d,
                      const std::vector<LeftOutItem>& leftOut) {
    Balance b;
    b.forceUnit = ForceUnitName(d.forceUnit);
    b.lengthUnit = LengthUnitName(d.lengthUnit);
    static const char* const kFigures[6] = {"Fx", "Fy", "Fz", "Mx", "My", "Mz"};
    // Single-precision rounding of each stored value, summed, at most 2^-24 of each
    // magnitude; the rest is held to 1e-6 of the largest figure of the pattern.
    constexpr double kSingle = 1.0 / 16777216.0;

    std::map<std::pair<std::string, LoadKind>, std::pair<const Resultant*, const Resultant*>> both;
    for (const auto& [k, r] : in.totals.loads) both[k].first = &r;
    for (const auto& [k, r] : out.loads) both[k].second = &r;
    const Resultant none;
    for (const auto& [k, pair] : both) {
        const Resultant& a = pair.first ? *pair.first : none;
        const Resultant& c = pair.second ? *pair.second : none;
        double largest = 0;
        for (std::size_t f = 0; f < 6; ++f) largest = std::max({largest, std::fabs(a.value[f]), std::fabs(c.value[f])});
        for (std::size_t f = 0; f < 6; ++f) {
            if (a.value[f] == 0 && c.value[f] == 0) continue;
            BalanceRow row;
            row.pattern = k.first + " (" + LoadKindName(k.second) + ")";
            auto label = in.hostLabel.find(k.first);
            if (label != in.hostLabel.end()) row.hostLabel = label->second;
            row.figure = kFigures[f];
            row.in = a.value[f];
            row.out = c.value[f];
            row.difference = row.out - row.in;
            row.tolerance = std::max(1e-6 * largest, 4 * kSingle * std::max(a.magnitude[f], c.magnitude[f]));
            row.problem = std::fabs(row.difference) > row.tolerance;
            b.rows.push_back(row);
        }
    }

    const MassTotals& mi = in.totals.masses;
    const MassTotals& mo = out.masses;
    double largestMass = std::max({std::fabs(mi.mass[0]), std::fabs(mi.mass[1]), std::fabs(mi.mass[2]),
                                   std::fabs(mo.mass[0]), std::fabs(mo.mass[1]), std::fabs(mo.mass[2])});
    double extent = 0;
    for (const auto& n : d.nodes) extent = std::max({extent, std::fabs(n.x), std::fabs(n.y), std::fabs(n.z)});
    static const char* const kMass[3] = {"UX", "UY", "UZ"};
    static const char* const kCentre[3] = {"centre x", "centre y", "centre z"};
    for (std::size_t k = 0; k < 3; ++k) {
        if (mi.mass[k] == 0 && mo.mass[k] == 0) continue;
        BalanceRow row{"mass", "", kMass[k], mi.mass[k], mo.mass[k], mo.mass[k] - mi.mass[k], 0, false};
        row.tolerance =
            std::max(1e-6 * largestMass, 4 * kSingle * std::max(std::fabs(mi.mass[k]), std::fabs(mo.mass[k])));
        row.problem = std::fabs(row.difference) > row.tolerance;
        b.rows.push_back(row);
    }
    if (mi.mass[0] != 0 || mo.mass[0] != 0)
        for (std::size_t k = 0; k < 3; ++k) {
            BalanceRow row{"mass", "", kCentre[k], mi.centre[k], mo.centre[k], mo.centre[k] - mi.centre[k], 0, false};
            row.tolerance = std::max(1e-6 * extent, 1e-12);
            row.problem = std::fabs(row.difference) > row.tolerance;
            b.rows.push_back(row);
        }

    for (const auto& [what, n] : in.totals.counts) {
        std::int64_t o = -1;
        for (const auto& [w2, n2] : out.counts)
            if (w2 == what) o = n2;
        b.counts.push_back({what, {n, o}});
    }
    for (const auto& count : out.counts) {
        const std::string& what = count.first;
        bool seen = std::any_of(in.totals.counts.begin(), in.totals.counts.end(),
                                [&](const auto& c) { return c.first == what; });
        if (!seen) b.counts.push_back({what, {-1, count.second}});
    }
    b.reasons = in.reasons;
    for (const LeftOutItem& item : leftOut) b.reasons.push_back(std::string(kLeftOutPrefix) + item.what);
    return b;
}

void EmitBalance(const Balance& b, decode::Emitter& out) {
    out.beginObject();
    out.key("balanced");
    out.boolean(b.balanced());
    out.key("force_unit");
    out.string(b.forceUnit);
    out.key("length_unit");
    out.string(b.lengthUnit);
    out.key("rows");
    out.beginArray();
    for (const BalanceRow& r : b.rows) {
        out.beginObject();
        out.key("pattern");
        out.string(r.pattern);
        out.key("host_label");
        out.string(r.hostLabel);
        out.key("figure");
        out.string(r.figure);
        for (auto [k, v] :
             {std::pair{"in", r.in}, {"out", r.out}, {"difference", r.difference}, {"tolerance", r.tolerance}}) {
            out.key(k);
            out.real(v, false);
        }
        out.key("problem");
        out.boolean(r.problem);
        out.endObject();
    }
    out.endArray();
    out.key("counts");
    out.beginArray();
    for (const auto& [what, n] : b.counts) {
        out.beginObject();
        out.key("what");
        out.string(what);
        for (auto [k, v] : {std::pair{"in", n.first}, {"out", n.second}}) {
            out.key(k);
            if (v < 0)
                out.null();
            else
                out.integer(v);
        }
        out.endObject();
    }
    out.endArray();
    out.key("reasons");
    out.beginArray();
    for (const std::string& r : b.reasons) out.string(r);
    out.endArray();
    out.endObject();
}

void PrintBalance(const Balance& b, std::ostream& out) {
    char line[320];
    out << "Totals (forces in " << b.forceUnit << ", moments about the origin in " << b.forceUnit << "·" << b.lengthUnit
        << "; in = source model, out = structure):\n";
    std::snprintf(line, sizeof line, "  %-40s %-8s %15s %15s %13s\n", "pattern", "figure", "in", "out", "difference");
    out << line;
    for (const BalanceRow& r : b.rows) {
        std::string name = r.pattern;
        std::snprintf(line, sizeof line, "%s %-40s %-8s %15.7g %15.7g %13.4g%s\n", r.problem ? "!" : " ", name.c_str(),
                      r.figure.c_str(), r.in, r.out, r.difference, r.problem ? "  does not balance" : "");
        out << line;
    }
    if (!b.counts.empty()) {
        out << "Objects (in = source model, out = structure; they differ by design where one object becomes "
               "several or none):\n";
        for (const auto& [what, n] : b.counts) {
            std::snprintf(line, sizeof line, "  %-24s %12s %12s\n", what.c_str(),
                          n.first < 0 ? "-" : std::to_string(n.first).c_str(),
                          n.second < 0 ? "-" : std::to_string(n.second).c_str());
            out << line;
        }
    }
    if (!b.reasons.empty()) {
        out << "Reasons for differences:\n";
        // A large model may leave out thousands of objects; the report file has them all.
        std::size_t leftOut = 0;
        for (const std::string& r : b.reasons) {
            const bool item = r.rfind(kLeftOutPrefix, 0) == 0;
            if (item && ++leftOut > kLeftOutPrinted) continue;
            out << "  " << r << '\n';
        }
        if (leftOut > kLeftOutPrinted)
            out << "  ... and " << leftOut - kLeftOutPrinted << " more left out (see the transfer report)\n";
    }
    const auto problems = std::count_if(b.rows.begin(), b.rows.end(), [](const BalanceRow& r) { return r.problem; });
    if (problems == 0)
        out << "Totals balance.\n";
    else
        out << "Totals do not balance: " << problems << (problems == 1 ? " figure.\n" : " figures.\n");
}

}  // namespace t2v::check
