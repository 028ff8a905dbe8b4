// The property families: materials, frame sections and area sections with their layers.
#include "host/document/Loader.h"

#include <cmath>

namespace t2v::host::document::detail {

void Loader::materials(Items a, const Loc& loc) {
    m_.materials.reserve(a.size() + 3);  // room for the typical materials a transfer adds
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, mat::keys, "a material");
        Material m;
        m.name = f.name(mat::name);
        m.type = f.integer(mat::type, 1, 7);
        m.symmetry = f.integerOr(mat::symmetry, 0, 0, 3);
        m.weight = f.numberOr(mat::weight, 0.0);
        m.mass = f.numberOr(mat::mass, 0.0);
        if (f.has(mat::isotropic)) {
            const Fields b(reader_, f[mat::isotropic], f.at(mat::isotropic), mat::moduli, "an isotropic block");
            m.isoE = b.numberOr(0, 0.0);
            m.isoU = b.numberOr(1, 0.0);
            m.isoA = b.numberOr(2, 0.0);
            m.isoG = b.numberOr(3, 0.0);
        }
        if (f.has(mat::orthotropic)) {
            const Fields b(reader_, f[mat::orthotropic], f.at(mat::orthotropic), mat::moduli, "an orthotropic block");
            if (b.has(0)) m.ortE = reader_.numbers<3>(b[0], b.at(0));
            if (b.has(1)) m.ortU = reader_.numbers<3>(b[1], b.at(1));
            if (b.has(2)) m.ortA = reader_.numbers<3>(b[2], b.at(2));
            if (b.has(3)) m.ortG = reader_.numbers<3>(b[3], b.at(3));
        }
        if (f.has(mat::anisotropic)) {
            const Fields b(reader_, f[mat::anisotropic], f.at(mat::anisotropic), mat::moduli, "an anisotropic block");
            if (b.has(0)) m.aniE = reader_.numbers<3>(b[0], b.at(0));
            if (b.has(1)) m.aniU = reader_.numbers<15>(b[1], b.at(1));
            if (b.has(2)) m.aniA = reader_.numbers<5>(b[2], b.at(2));
            if (b.has(3)) m.aniG = reader_.numbers<3>(b[3], b.at(3));
        }
        if (f.has(mat::uniaxial)) {
            const Fields b(reader_, f[mat::uniaxial], f.at(mat::uniaxial), mat::uniaxialKeys, "a uniaxial block");
            m.uniE = b.numberOr(0, 0.0);
            m.uniA = b.numberOr(1, 0.0);
        }
        if (f.has(mat::steel)) m.steel = strengths(f, mat::steel, "a steel block");
        if (f.has(mat::rebar)) m.rebar = strengths(f, mat::rebar, "a rebar block");
        if (f.has(mat::concrete)) {
            const Fields b(reader_, f[mat::concrete], f.at(mat::concrete), mat::concreteKeys, "a concrete block");
            m.concreteFc = b.numberOr(0, 0.0);
        }
        if (f.has(mat::stress_strain)) {
            const Loc curveLoc = f.at(mat::stress_strain);
            const Json curve = f.array(mat::stress_strain);
            m.hasCurve = true;
            m.strains.reserve(curve.size());
            m.stresses.reserve(curve.size());
            std::size_t p = 0;
            for (Json pair : curve) {
                const Loc pairLoc = curveLoc[p++];
                const Json xy = reader_.array(pair, pairLoc);
                if (xy.size() != 2) {
                    reader_.fail(pairLoc, "expected [strain, stress], found " + std::to_string(xy.size()) +
                                              (xy.size() == 1 ? " item" : " items"));
                }
                const auto values = reader_.numbers<2>(pair, pairLoc);
                m.strains.push_back(values[0]);
                m.stresses.push_back(values[1]);
            }
        }
        m_.materials.append(std::move(m));
    }
    indexNames(m_.materials, loc, "material", "materials");
}

std::array<double, 4> Loader::strengths(const Fields& f, std::size_t k, const char* what) const {
    const Fields b(reader_, f[k], f.at(k), mat::strengthKeys, what);
    return {b.numberOr(0, 0.0), b.numberOr(1, 0.0), b.numberOr(2, 0.0), b.numberOr(3, 0.0)};
}

void Loader::frameSections(Items a, const Loc& loc) {
    m_.frameSections.reserve(a.size());
    // Segments may name sections further down the list: they are resolved after all
    // names are known.
    std::vector<std::pair<std::size_t, std::vector<std::string_view>>> pendingSegments;
    std::size_t i = 0;
    for (Json e : a) {
        const std::size_t index = i++;
        const Loc itemLoc = loc[index];
        const Fields f(reader_, e, itemLoc, fsec::keys, "a frame section");
        FrameSection s;
        s.name = f.name(fsec::name);
        if (f.has(fsec::type)) {
            s.hasType = true;
            s.type = f.integer(fsec::type, 0, kIntMax);
        }
        if (f.has(fsec::material))
            s.material = resolve(m_.materials, f[fsec::material], f.at(fsec::material), "material");
        if (f.has(fsec::properties)) {
            const Fields p(reader_, f[fsec::properties], f.at(fsec::properties), fsec::propertyKeys,
                           "a properties block");
            FrameSectionProperties& q = s.properties;
            double* const slots[] = {&q.area, &q.As2, &q.As3, &q.Torsion, &q.I22, &q.I33,
                                     &q.S22,  &q.S33, &q.Z22, &q.Z33,     &q.R22, &q.R33};
            for (std::size_t k = 0; k < std::size(slots); ++k) *slots[k] = p.numberOr(k, 0.0);
        }
        s.rebarType = f.integerOr(fsec::rebar_type, 0, 0, 2);
        if (f.has(fsec::segments)) {
            const Loc segLoc = f.at(fsec::segments);
            std::vector<std::string_view> names;
            std::size_t k = 0;
            for (const Json name : f.array(fsec::segments)) names.push_back(reader_.name(name, segLoc[k++]));
            pendingSegments.emplace_back(index, std::move(names));
        } else if (s.hasType && s.type == 14) {
            reader_.fail(itemLoc, "a variable section (type 14) needs its \"segments\"");
        }
        m_.frameSections.append(std::move(s));
    }
    indexNames(m_.frameSections, loc, "frame section", "frame_sections");
    for (const auto& [index, segments] : pendingSegments) {
        const Loc itemLoc = loc[index];
        const Loc segLoc = itemLoc / "segments";
        FrameSection& s = m_.frameSections[index];
        std::vector<std::uint32_t> list;
        list.reserve(segments.size());
        std::size_t k = 0;
        for (const std::string_view name : segments) {
            const std::uint32_t p = m_.frameSections.find(name);
            if (p == kNoRef) reader_.fail(segLoc[k], "frame section " + Quoted(name) + " does not exist");
            list.push_back(p);
            ++k;
        }
        if (s.hasType && s.type == 14 && list.empty()) {
            reader_.fail(segLoc, "a variable section (type 14) needs at least one segment");
        }
        s.segments = std::move(list);
    }
}

void Loader::areaSections(Items a, const Loc& loc) {
    m_.areaSections.reserve(a.size());
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, asec::keys, "an area section");
        AreaSection s;
        s.name = f.name(asec::name);
        s.type = f.integerOr(asec::type, 1, 1, 3);
        s.shellType = f.integerOr(asec::shell_type, 1, 1, 6);
        s.drilling = f.booleanOr(asec::drilling, false) ? 1 : 0;
        if (f.has(asec::material))
            s.material = resolve(m_.materials, f[asec::material], f.at(asec::material), "material");
        s.materialAngle = f.numberOr(asec::material_angle, 0.0);
        s.thickness = f.numberOr(asec::thickness, 0.0);
        s.bendingThickness = f.numberOr(asec::bending_thickness, s.thickness);
        if (f.has(asec::layers)) {
            const Loc layersLoc = f.at(asec::layers);
            const Json layers = f.array(asec::layers);
            if (layers.size() != 0 && s.shellType != 6) {
                reader_.fail(layersLoc, "only a layered section (shell_type 6) has layers");
            }
            std::size_t k = 0;
            for (Json le : layers) {
                const Loc layerLoc = layersLoc[k++];
                const Fields l(reader_, le, layerLoc, layer::keys, "a layer");
                ShellLayer sl;
                sl.name = l.name(layer::name);
                sl.distance = l.numberOr(layer::distance, 0.0);
                sl.thickness = l.number(layer::thickness);
                sl.type = l.integerOr(layer::type, 1, 1, 3);
                sl.integrationPoints = l.integerOr(layer::integration_points, 1, 1, kIntMax);
                l.require(layer::material);
                sl.material =
                    m_.materials[resolve(m_.materials, l[layer::material], l.at(layer::material), "material")].name;
                sl.angle = l.numberOr(layer::angle, 0.0);
                sl.s11 = l.integerOr(layer::s11, 0, 0, 2);
                sl.s22 = l.integerOr(layer::s22, 0, 0, 2);
                sl.s12 = l.integerOr(layer::s12, 0, 0, 2);
                s.layers.push_back(std::move(sl));
            }
        }
        m_.areaSections.append(std::move(s));
    }
    indexNames(m_.areaSections, loc, "area section", "area_sections");
}

}  // namespace t2v::host::document::detail
