#include "check/Picture.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>
#include <vector>

#include "check/StructureChecks.h"

namespace t2v::check {
namespace {

// Distinct colours that stay apart on white and for the common colour blindnesses
// as far as fourteen can.
constexpr std::array<const char*, 14> kPalette = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e", "#9467bd",
                                                  "#8c564b", "#e377c2", "#17becf", "#bcbd22", "#7f7f7f",
                                                  "#393b79", "#637939", "#843c39", "#7b4173"};

constexpr double kPanel = 420;  // panel width and height in px
constexpr double kMargin = 20;  // inside each panel
constexpr double kTitle = 28;   // height of the title row
constexpr double kLegendRow = 18;

struct P2 {
    double u, v;
};

enum class View { Iso, Plan, Elevation };

P2 project(View view, const DigestNode& n) {
    switch (view) {
        case View::Plan:
            return {n.x, -n.y};
        case View::Elevation:
            return {n.x, -n.z};
        case View::Iso: {
            const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
            return {(n.x - n.y) * c, -(n.z + (n.x + n.y) * s)};
        }
    }
    return {0, 0};
}

// Maps projected coordinates into one panel, keeping the aspect ratio.
struct Fit {
    double scale = 1, du = 0, dv = 0;
    P2 operator()(P2 p) const { return {p.u * scale + du, p.v * scale + dv}; }
};

Fit fitPanel(View view, const StructureDigest& d, const std::vector<std::uint8_t>& drawn, double left, double top) {
    double lo[2] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    double hi[2] = {-lo[0], -lo[1]};
    for (std::size_t i = 0; i < d.nodes.size(); ++i) {
        if (!drawn[i]) continue;
        P2 p = project(view, d.nodes[i]);
        lo[0] = std::min(lo[0], p.u);
        lo[1] = std::min(lo[1], p.v);
        hi[0] = std::max(hi[0], p.u);
        hi[1] = std::max(hi[1], p.v);
    }
    Fit f;
    if (lo[0] > hi[0]) return f;
    const double w = std::max(hi[0] - lo[0], 1e-9), h = std::max(hi[1] - lo[1], 1e-9);
    const double room = kPanel - 2 * kMargin;
    f.scale = std::min(room / w, room / h);
    f.du = left + kMargin + (room - w * f.scale) / 2 - lo[0] * f.scale;
    f.dv = top + kMargin + (room - h * f.scale) / 2 - lo[1] * f.scale;
    return f;
}

class Svg {
public:
    explicit Svg(std::ostream& out) : out_(out) { buf_.reserve(1 << 16); }
    ~Svg() { flush(); }
    void put(std::string_view s) {
        buf_.append(s);
        if (buf_.size() > (1 << 16)) flush();
    }
    // Pixel coordinates to a tenth; to_chars, because a large picture has millions.
    void num(double v) {
        char b[32];
        auto r = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, 1);
        buf_.append(b, static_cast<std::size_t>(r.ptr - b));
    }
    void integer(std::int64_t v) {
        char b[24];
        auto r = std::to_chars(b, b + sizeof b, v);
        buf_.append(b, static_cast<std::size_t>(r.ptr - b));
    }
    void text(std::string_view s) {
        for (char c : s) {
            switch (c) {
                case '<':
                    buf_ += "&lt;";
                    break;
                case '>':
                    buf_ += "&gt;";
                    break;
                case '&':
                    buf_ += "&amp;";
                    break;
                case '"':
                    buf_ += "&quot;";
                    break;
                default:
                    buf_ += c;
            }
        }
    }
    void flush() {
        out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        buf_.clear();
    }

private:
    std::ostream& out_;
    std::string buf_;
};

}  // namespace

std::string GroupColour(int group) {
    if (group < 1) return "#000000";
    return kPalette[static_cast<std::size_t>(group - 1) % kPalette.size()];
}

namespace {

int GroupType(const StructureDigest& d, int g) {
    return g >= 1 && static_cast<std::size_t>(g) <= d.groups.size() ? d.groups[static_cast<std::size_t>(g - 1)].type
                                                                    : 0;
}

// What the picture shows, worked out once for the three views.
struct Scene {
    // Nodes worth fitting: those of elements, supports and diaphragms (the origin node
    // alone would stretch the view of a building far from it).
    std::vector<std::uint8_t> drawn;
    std::vector<std::uint8_t> support;
    // The elements of each group whose nodes all exist; each is drawn once per view.
    std::vector<std::vector<std::size_t>> byGroup;
};

Scene SceneOf(const StructureDigest& d) {
    const auto nodeCount = static_cast<std::int64_t>(d.nodes.size());
    auto valid = [&](std::int64_t n) { return n >= 1 && n <= nodeCount; };
    Scene scene;
    scene.drawn.assign(d.nodes.size(), 0);
    for (const auto& e : d.elements) {
        if (e.group == 0) continue;
        const int corners = IsAreaType(GroupType(d, e.group)) ? 4 : 2;
        for (int k = 0; k < corners; ++k)
            if (valid(e.nodes[static_cast<std::size_t>(k)]))
                scene.drawn[static_cast<std::size_t>(e.nodes[static_cast<std::size_t>(k)] - 1)] = 1;
    }
    scene.support.assign(d.nodes.size(), 0);
    for (std::size_t i = 1; i < d.nodes.size(); ++i) {
        for (auto r : d.nodes[i].restraints) scene.support[i] = scene.support[i] || r != 0;
        if (scene.support[i] || d.nodes[i].inConstraint) scene.drawn[i] = 1;
    }

    scene.byGroup.resize(d.groups.size() + 1);
    for (std::size_t i = 0; i < d.elements.size(); ++i) {
        const DigestElement& e = d.elements[i];
        if (e.group < 1 || static_cast<std::size_t>(e.group) > d.groups.size()) continue;
        const int corners = IsAreaType(GroupType(d, e.group)) ? 4 : 2;
        if (std::all_of(e.nodes.begin(), e.nodes.begin() + corners, valid))
            scene.byGroup[static_cast<std::size_t>(e.group)].push_back(i);
    }
    return scene;
}

void WriteHeader(Svg& s, double width, double height) {
    s.put("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"");
    s.num(width);
    s.put("\" height=\"");
    s.num(height);
    s.put("\" viewBox=\"0 0 ");
    s.num(width);
    s.put(" ");
    s.num(height);
    s.put("\" font-family=\"sans-serif\" font-size=\"13\">\n<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
}

// One group's elements in one view: areas as filled outlines, frames as lines. The
// elements of a group share one <g> that carries their colour and stroke.
void WriteGroup(Svg& s, const StructureDigest& d, const std::vector<std::size_t>& elements, std::size_t g, View view,
                const Fit& fit) {
    const bool area = IsAreaType(GroupType(d, static_cast<int>(g)));
    const char* colour = kPalette[(g - 1) % kPalette.size()];
    s.put("<g class=\"g");
    s.integer(static_cast<std::int64_t>(g));
    if (area) {
        s.put("\" fill-opacity=\"0.3\" stroke-width=\"0.8\" fill=\"");
        s.put(colour);
    } else {
        s.put("\" fill=\"none\" stroke-width=\"2\" stroke-linecap=\"round");
    }
    s.put("\" stroke=\"");
    s.put(colour);
    s.put("\">\n");
    for (std::size_t i : elements) {
        const DigestElement& e = d.elements[i];
        P2 pts[4];
        for (int k = 0; k < (area ? 4 : 2); ++k)
            pts[k] = fit(project(view, d.nodes[static_cast<std::size_t>(e.nodes[static_cast<std::size_t>(k)] - 1)]));
        if (area) {
            // Area nodes run bottom edge then top edge the same way: 1, 2, 4, 3 is the outline.
            s.put("<polygon data-element=\"");
            s.integer(static_cast<std::int64_t>(i + 1));
            s.put("\" points=\"");
            for (int k : {0, 1, 3, 2}) {
                s.num(pts[k].u);
                s.put(",");
                s.num(pts[k].v);
                s.put(k == 2 ? "" : " ");
            }
            s.put("\"/>\n");
        } else {
            s.put("<line data-element=\"");
            s.integer(static_cast<std::int64_t>(i + 1));
            s.put("\" x1=\"");
            s.num(pts[0].u);
            s.put("\" y1=\"");
            s.num(pts[0].v);
            s.put("\" x2=\"");
            s.num(pts[1].u);
            s.put("\" y2=\"");
            s.num(pts[1].v);
            s.put("\"/>\n");
        }
    }
    s.put("</g>\n");
}

// Supports as small triangles under their nodes, diaphragm nodes as rings.
void WriteNodeMarks(Svg& s, const StructureDigest& d, const Scene& scene, View view, const Fit& fit) {
    for (std::size_t i = 1; i < d.nodes.size(); ++i) {
        if (!scene.support[i] && !d.nodes[i].inConstraint) continue;
        const P2 at = fit(project(view, d.nodes[i]));
        if (scene.support[i]) {
            s.put("<polygon class=\"support\" fill=\"#000000\" data-node=\"");
            s.integer(static_cast<std::int64_t>(i + 1));
            s.put("\" points=\"");
            s.num(at.u);
            s.put(",");
            s.num(at.v);
            s.put(" ");
            s.num(at.u - 5);
            s.put(",");
            s.num(at.v + 8);
            s.put(" ");
            s.num(at.u + 5);
            s.put(",");
            s.num(at.v + 8);
            s.put("\"/>\n");
        } else {
            s.put("<circle class=\"diaphragm\" fill=\"none\" stroke=\"#555555\" data-node=\"");
            s.integer(static_cast<std::int64_t>(i + 1));
            s.put("\" cx=\"");
            s.num(at.u);
            s.put("\" cy=\"");
            s.num(at.v);
            s.put("\" r=\"3\"/>\n");
        }
    }
}

struct Panel {
    View view;
    const char* id;
    const char* label;
};

void WritePanel(Svg& s, const StructureDigest& d, const Scene& scene, const Panel& panel, double left,
                const std::string& heading) {
    const Fit fit = fitPanel(panel.view, d, scene.drawn, left, kTitle);
    s.put("<g class=\"view\" id=\"");
    s.put(panel.id);
    s.put("\">\n<text x=\"");
    s.num(left + kMargin);
    s.put("\" y=\"20\">");
    s.text(heading);
    s.put("</text>\n");
    // Areas first, so that the frames in front of a slab or wall stay visible.
    for (int pass = 0; pass < 2; ++pass)
        for (std::size_t g = 1; g < scene.byGroup.size(); ++g) {
            const bool area = IsAreaType(GroupType(d, static_cast<int>(g)));
            if (area != (pass == 0) || scene.byGroup[g].empty()) continue;
            WriteGroup(s, d, scene.byGroup[g], g, panel.view, fit);
        }
    WriteNodeMarks(s, d, scene, panel.view, fit);
    s.put("</g>\n");
}

// Legend: one row per group, then the two node marks.
void WriteLegend(Svg& s, const StructureDigest& d) {
    double y = kTitle + kPanel + kMargin;
    s.put("<g id=\"legend\">\n");
    for (std::size_t g = 0; g < d.groups.size(); ++g, y += kLegendRow) {
        s.put("<rect class=\"legend\" data-group=\"");
        s.integer(static_cast<std::int64_t>(g + 1));
        s.put("\" x=\"");
        s.num(kMargin);
        s.put("\" y=\"");
        s.num(y - 11);
        s.put("\" width=\"24\" height=\"12\" fill=\"");
        s.put(GroupColour(static_cast<int>(g + 1)));
        s.put("\"/><text x=\"");
        s.num(kMargin + 32);
        s.put("\" y=\"");
        s.num(y);
        s.put("\">");
        s.text(d.groups[g].name);
        s.put("</text>\n");
    }
    s.put("<polygon class=\"support\" fill=\"#000000\" points=\"");
    s.num(kMargin + 12);
    s.put(",");
    s.num(y - 11);
    s.put(" ");
    s.num(kMargin + 7);
    s.put(",");
    s.num(y - 3);
    s.put(" ");
    s.num(kMargin + 17);
    s.put(",");
    s.num(y - 3);
    s.put("\"/><text x=\"");
    s.num(kMargin + 32);
    s.put("\" y=\"");
    s.num(y);
    s.put("\">support</text>\n<circle class=\"diaphragm\" fill=\"none\" stroke=\"#555555\" cx=\"");
    s.num(kMargin + 12);
    s.put("\" cy=\"");
    s.num(y + kLegendRow - 5);
    s.put("\" r=\"3\"/><text x=\"");
    s.num(kMargin + 32);
    s.put("\" y=\"");
    s.num(y + kLegendRow);
    s.put("\">diaphragm node</text>\n</g>\n</svg>\n");
}

}  // namespace

void WriteSvg(const StructureDigest& d, const std::string& title, std::ostream& out) {
    const Scene scene = SceneOf(d);
    const double legendHeight = kLegendRow * static_cast<double>(d.groups.size() + 2) + kMargin;
    const double width = 3 * kPanel, height = kTitle + kPanel + legendHeight;
    Svg s(out);
    WriteHeader(s, width, height);
    const Panel panels[3] = {{View::Iso, "iso", "Isometric"},
                             {View::Plan, "plan", "Plan (X right, Y up)"},
                             {View::Elevation, "elevation", "Elevation (X right, Z up)"}};
    for (int p = 0; p < 3; ++p)
        WritePanel(s, d, scene, panels[p], kPanel * p,
                   p == 0 && !title.empty() ? title + ": " + panels[p].label : panels[p].label);
    WriteLegend(s, d);
}

}  // namespace t2v::check
