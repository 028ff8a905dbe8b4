#include "check/DumpViews.h"

#include <map>
#include <stdexcept>

#include "check/StructureChecks.h"
#include "decode/StructureReader.h"

namespace t2v::check {
namespace {

using decode::Emitter;

void kv(Emitter& out, const char* k, std::int64_t v) {
    out.key(k);
    out.integer(v);
}
// `single`: a value the file holds as a 32-bit float, printed in its shortest form.
void kv(Emitter& out, const char* k, double v, bool single = false) {
    out.key(k);
    out.real(v, single);
}
void kv(Emitter& out, const char* k, const std::string& v) {
    out.key(k);
    out.string(v);
}

std::int64_t count(const auto& v) { return static_cast<std::int64_t>(v.size()); }

const char* groupKind(int type) {
    switch (type) {
        case 2:
            return "beam";
        case 3:
            return "column";
        case 5:
            return "brace";
        case 6:
            return "shear wall";
        case 11:
            return "general wall";
        case 12:
            return "slab";
    }
    return "unknown";
}

void patternList(Emitter& out, const char* key, const std::vector<DigestPattern>& patterns) {
    out.key(key);
    out.beginArray();
    for (const auto& p : patterns) out.string(p.name);
    out.endArray();
}

void nodeObject(Emitter& out, const StructureDigest& d, std::int64_t n) {
    const DigestNode& node = d.nodes[static_cast<std::size_t>(n - 1)];
    out.beginObject();
    kv(out, "node", n);
    kv(out, "x", node.x);
    kv(out, "y", node.y);
    kv(out, "z", node.z);
    out.endObject();
}

}  // namespace

void EmitSummary(const StructureDigest& d, const std::string& dir, Emitter& out) {
    out.beginObject();
    out.key("units");
    out.beginObject();
    kv(out, "length", LengthUnitName(d.lengthUnit));
    kv(out, "force", ForceUnitName(d.forceUnit));
    kv(out, "gravity", d.gravity, true);
    out.endObject();

    std::int64_t supports = 0, constrained = 0, heads = 0;
    for (const auto& n : d.nodes) {
        bool s = false;
        for (auto r : n.restraints) s = s || r != 0;
        supports += s;
        constrained += n.inConstraint;
    }
    std::map<int, std::int64_t> perGroup;
    for (const auto& e : d.elements) {
        heads += e.group == 0;
        ++perGroup[e.group];
    }
    kv(out, "nodes", count(d.nodes) - 1);
    kv(out, "supported_nodes", supports);
    kv(out, "nodes_in_diaphragms", constrained);
    kv(out, "diaphragms", count(d.constraints));
    kv(out, "elements", count(d.elements) - heads);
    out.key("element_groups");
    out.beginArray();
    for (std::size_t g = 0; g < d.groups.size(); ++g) {
        out.beginObject();
        kv(out, "group", static_cast<std::int64_t>(g + 1));
        kv(out, "name", d.groups[g].name);
        kv(out, "kind", std::string(groupKind(d.groups[g].type)));
        kv(out, "elements", perGroup[static_cast<int>(g + 1)]);
        out.endObject();
    }
    out.endArray();
    out.key("frames");
    out.beginArray();
    for (const auto& f : d.frames) out.string(f.name);
    out.endArray();
    patternList(out, "nodal_load_patterns", d.nodalPatterns);
    patternList(out, "element_load_patterns", d.elementPatterns);
    patternList(out, "self_weight_patterns", d.selfWeightPatterns);
    double mass[3] = {0, 0, 0};
    for (const auto& m : d.masses)
        for (std::size_t k = 0; k < 3; ++k) mass[k] += m.values[k];
    out.key("mass");
    out.beginObject();
    kv(out, "ux", mass[0]);
    kv(out, "uy", mass[1]);
    kv(out, "uz", mass[2]);
    out.endObject();
    out.key("section_cuts");
    out.beginArray();
    for (const auto& c : d.cuts) out.string(c.name);
    out.endArray();
    out.key("drifts");
    out.beginArray();
    for (const auto& dr : d.drifts) out.string(dr.name);
    out.endArray();

    if (!dir.empty()) {
        const decode::Value L = decode::DecodeStructureFile(dir + "/" + decode::StructureFileName("L"), "L");
        out.key("load_cases");
        out.beginArray();
        for (const char* kind : {"gravity", "pushover", "dynamic"}) {
            const decode::Value* cases = L.find(std::string(kind) + "_cases");
            if (!cases) continue;
            for (const auto& c : cases->items()) {
                out.beginObject();
                kv(out, "kind", std::string(kind));
                const decode::Value* name = c.find("name");
                kv(out, "name", name && !name->isNull() ? name->asString() : std::string());
                out.endObject();
            }
        }
        out.endArray();
    }
    out.endObject();
}

void EmitNode(const StructureDigest& d, std::int64_t n, Emitter& out) {
    if (n < 1 || n > count(d.nodes))
        throw std::out_of_range("node " + std::to_string(n) + " does not exist (the structure has " +
                                std::to_string(d.nodes.size()) + " nodes)");
    const DigestNode& node = d.nodes[static_cast<std::size_t>(n - 1)];
    static const char* const kDofs[6] = {"ux", "uy", "uz", "rx", "ry", "rz"};
    out.beginObject();
    kv(out, "node", n);
    kv(out, "x", node.x);
    kv(out, "y", node.y);
    kv(out, "z", node.z);
    out.key("restraints");
    out.beginArray();
    for (std::size_t k = 0; k < 6; ++k)
        if (node.restraints[k]) out.string(kDofs[k]);
    out.endArray();
    out.key("in_diaphragm");
    out.boolean(node.inConstraint);
    out.key("elements");
    out.beginArray();
    for (std::size_t e = 0; e < d.elements.size(); ++e) {
        const DigestElement& el = d.elements[e];
        if (el.group == 0) continue;
        for (auto m : el.nodes)
            if (m == n) {
                out.integer(static_cast<std::int64_t>(e + 1));
                break;
            }
    }
    out.endArray();
    out.key("loads");
    out.beginArray();
    for (const auto& l : d.nodalLoads) {
        if (l.node != n) continue;
        out.beginObject();
        kv(out, "pattern", d.nodalPatterns.at(static_cast<std::size_t>(l.pattern - 1)).name);
        static const char* const kLoad[6] = {"f1", "f2", "f3", "m1", "m2", "m3"};
        for (std::size_t k = 0; k < 6; ++k) kv(out, kLoad[k], l.values[k], true);
        out.endObject();
    }
    out.endArray();
    for (const auto& m : d.masses) {
        if (m.node != n) continue;
        out.key("mass");
        out.beginObject();
        for (std::size_t k = 0; k < 6; ++k) kv(out, kDofs[k], m.values[k], true);
        out.endObject();
    }
    out.endObject();
}

void EmitElement(const StructureDigest& d, std::int64_t e, Emitter& out) {
    if (e < 1 || e > count(d.elements))
        throw std::out_of_range("element " + std::to_string(e) + " does not exist (the structure has " +
                                std::to_string(d.elements.size()) + " elements, with one head element per group)");
    const DigestElement& el = d.elements[static_cast<std::size_t>(e - 1)];
    out.beginObject();
    kv(out, "element", e);
    if (el.group == 0) {
        std::int64_t head = 0;  // the group it leads; 0 when none names it as its first element
        for (std::size_t g = 0; g < d.groups.size(); ++g)
            if (d.groups[g].first == e) head = static_cast<std::int64_t>(g + 1);
        kv(out, "head_of_group", head);
        out.endObject();
        return;
    }
    kv(out, "group", static_cast<std::int64_t>(el.group));
    const DigestGroup* group =
        el.group >= 1 && el.group <= count(d.groups) ? &d.groups[static_cast<std::size_t>(el.group - 1)] : nullptr;
    if (group) {
        kv(out, "group_name", group->name);
        kv(out, "kind", std::string(groupKind(group->type)));
    }
    kv(out, "compound", static_cast<std::int64_t>(el.compound));
    const int corners = group && IsAreaType(group->type) ? 4 : 2;
    out.key("nodes");
    out.beginArray();
    bool known = true;
    for (int k = 0; k < corners; ++k) {
        std::int64_t n = el.nodes[static_cast<std::size_t>(k)];
        if (n >= 1 && n <= count(d.nodes)) {
            nodeObject(out, d, n);
        } else {
            out.integer(n);
            known = false;
        }
    }
    out.endArray();
    if (known) {
        auto node = [&](int k) { return d.nodes[static_cast<std::size_t>(el.nodes[static_cast<std::size_t>(k)] - 1)]; };
        if (corners == 2)
            kv(out, "length", Distance(node(0), node(1)));
        else
            kv(out, "area", QuadArea(node(0), node(1), node(2), node(3)));
    }
    out.key("loads");
    out.beginArray();
    for (const auto& u : d.shapeUses) {
        if (u.element != e) continue;
        out.beginObject();
        kv(out, "pattern", d.elementPatterns.at(static_cast<std::size_t>(u.pattern - 1)).name);
        kv(out, "shape", static_cast<std::int64_t>(u.shape));
        out.key("items");
        out.beginArray();
        for (const auto& s : d.shapes) {
            if (s.pattern != u.pattern || s.group != el.group || s.shape != u.shape) continue;
            std::int64_t at = s.firstItem;
            for (std::int64_t seen = 0; at >= 1 && at <= count(d.loadItems) && seen < s.itemCount; ++seen) {
                const DigestLoadItem& item = d.loadItems[static_cast<std::size_t>(at - 1)];
                out.beginObject();
                if (item.type == 1) {
                    kv(out, "type", std::string("distributed"));
                    kv(out, "value_start", item.values[0], true);
                    kv(out, "position_start", item.values[1], true);
                    kv(out, "value_end", item.values[2], true);
                    kv(out, "position_end", item.values[3], true);
                } else {
                    kv(out, "type", std::string(item.type == 2 ? "point" : "unknown"));
                    kv(out, "value", item.values[0], true);
                    kv(out, "position", item.values[1], true);
                }
                out.endObject();
                at = item.next;
            }
        }
        out.endArray();
        out.endObject();
    }
    out.endArray();
    out.key("self_weight_patterns");
    out.beginArray();
    for (std::size_t p = 0; p < d.selfWeightElements.size() && p < d.selfWeightPatterns.size(); ++p)
        for (std::int64_t f : d.selfWeightElements[p])
            if (f == e) out.string(d.selfWeightPatterns[p].name);
    out.endArray();
    out.key("frames");
    out.beginArray();
    for (const auto& f : d.frames)
        for (std::int64_t m : f.elements)
            if (m == e) out.string(f.name);
    out.endArray();
    out.endObject();
}

void EmitGroup(const StructureDigest& d, const std::string& name, Emitter& out) {
    for (std::size_t g = 0; g < d.groups.size(); ++g) {
        if (d.groups[g].name != name) continue;
        out.beginObject();
        kv(out, "element_group", static_cast<std::int64_t>(g + 1));
        kv(out, "name", name);
        kv(out, "kind", std::string(groupKind(d.groups[g].type)));
        out.key("elements");
        out.beginArray();
        for (std::size_t e = 0; e < d.elements.size(); ++e) {
            const DigestElement& el = d.elements[e];
            if (el.group != static_cast<int>(g + 1)) continue;
            out.beginObject();
            kv(out, "element", static_cast<std::int64_t>(e + 1));
            out.key("nodes");
            out.beginArray();
            for (int k = 0; k < (IsAreaType(d.groups[g].type) ? 4 : 2); ++k)
                out.integer(el.nodes[static_cast<std::size_t>(k)]);
            out.endArray();
            out.endObject();
        }
        out.endArray();
        out.endObject();
        return;
    }
    for (std::size_t f = 0; f < d.frames.size(); ++f) {
        if (d.frames[f].name != name) continue;
        out.beginObject();
        kv(out, "frame", static_cast<std::int64_t>(f + 1));
        kv(out, "name", name);
        out.key("nodes");
        out.beginArray();
        for (auto n : d.frames[f].nodes) out.integer(n);
        out.endArray();
        out.key("elements");
        out.beginArray();
        for (auto e : d.frames[f].elements) out.integer(e);
        out.endArray();
        out.endObject();
        return;
    }
    throw std::out_of_range("no element group and no frame is named \"" + name + "\"");
}

}  // namespace t2v::check
