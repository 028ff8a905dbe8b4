// The object families: points, constraints, frames, areas and groups, with the loads
// they carry.
#include "host/document/Loader.h"

#include <algorithm>
#include <cmath>

namespace t2v::host::document::detail {

void Loader::points(Items a, const Loc& loc) {
    m_.points.reserve(a.size());
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, pt::keys, "a point");
        Point p;
        p.name = f.name(pt::name);
        p.x = f.number(pt::x);
        p.y = f.number(pt::y);
        p.z = f.number(pt::z);
        if (f.has(pt::restraints)) p.restraints = reader_.flags6(f[pt::restraints], f.at(pt::restraints));
        if (f.has(pt::mass)) {
            p.mass = static_cast<std::uint32_t>(m_.pointMasses.size());
            m_.pointMasses.push_back(reader_.numbers<6>(f[pt::mass], f.at(pt::mass)));
        }
        if (f.has(pt::loads)) {
            const Loc loadsLoc = f.at(pt::loads);
            const Json loads = f.array(pt::loads);
            p.loads.begin = static_cast<std::uint32_t>(m_.pointLoads.size());
            std::size_t k = 0;
            for (Json le : loads) {
                const Fields l(reader_, le, loadsLoc[k++], pload::keys, "a point load");
                PointLoadItem item;
                item.pattern = pattern(l, pload::pattern);
                item.csys = csys(l, pload::csys);
                l.require(pload::values);
                item.values = reader_.numbers<6>(l[pload::values], l.at(pload::values));
                m_.pointLoads.push_back(item);
            }
            p.loads.count = static_cast<std::uint32_t>(m_.pointLoads.size() - p.loads.begin);
        }
        m_.points.append(std::move(p));
    }
    indexNames(m_.points, loc, "point", "points");
}

void Loader::constraints(Items a, const Loc& loc) {
    m_.constraints.reserve(a.size());
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, con::keys, "a constraint");
        Constraint c;
        c.name = f.name(con::name);
        c.type = f.integer(con::type, 1, 13);
        if (c.type > 8 && c.type != 13) {
            reader_.fail(f.at(con::type), "must be a constraint type 1 to 8 or 13, found " + std::to_string(c.type));
        }
        c.axis = f.integerOr(con::axis, 3, 1, 4);
        c.csys = std::string(f.label(con::csys, "Global"));
        if (f.has(con::points)) {
            c.points = nameList(m_.points, f.array(con::points), f.at(con::points), "point", pointStamp_);
        }
        m_.constraints.append(std::move(c));
    }
    indexNames(m_.constraints, loc, "constraint", "constraints");
}

void Loader::frames(Items a, const Loc& loc) {
    m_.frames.reserve(a.size());
    // End points are looked up a block of frames at a time (see NameIndex::findMany).
    std::vector<std::string_view> ends;
    ends.reserve(kLookupBlock + 2);
    std::size_t resolved = 0;  // frames whose ends are known
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, fr::keys, "a frame");
        Frame fm;
        fm.name = f.name(fr::name);
        f.require(fr::section);
        fm.section = resolve(m_.frameSections, f[fr::section], f.at(fr::section), "frame section");
        f.require(fr::i);
        ends.push_back(f.name(fr::i));
        f.require(fr::j);
        ends.push_back(f.name(fr::j));
        fm.angle = f.numberOr(fr::angle, 0.0);
        if (f.has(fr::releases)) {
            const Fields r(reader_, f[fr::releases], f.at(fr::releases), fr::releaseKeys, "a releases block");
            if (r.has(0)) fm.releaseI = reader_.flags6(r[0], r.at(0));
            if (r.has(1)) fm.releaseJ = reader_.flags6(r[1], r.at(1));
        }
        if (f.has(fr::hinges)) {
            const Loc hingesLoc = f.at(fr::hinges);
            const Json hinges = f.array(fr::hinges);
            fm.hinges.begin = static_cast<std::uint32_t>(m_.hinges.size());
            std::size_t k = 0;
            for (Json he : hinges) {
                const Fields h(reader_, he, hingesLoc[k++], fr::hingeKeys, "a hinge");
                FrameHinge hinge;
                hinge.kind = h.integer(0, 0, kIntMax);
                hinge.dof = h.integer(1, 0, kIntMax);
                h.require(2);
                hinge.relDist = h.numberIn(2, 0.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                m_.hinges.push_back(hinge);
            }
            fm.hinges.count = static_cast<std::uint32_t>(m_.hinges.size() - fm.hinges.begin);
        }
        fm.massPerLength = f.numberOr(fr::mass_per_length, 0.0);
        if (f.has(fr::distributed_loads)) {
            const Loc loadsLoc = f.at(fr::distributed_loads);
            const Json loads = f.array(fr::distributed_loads);
            fm.distributed.begin = static_cast<std::uint32_t>(m_.distributedLoads.size());
            std::size_t k = 0;
            for (Json le : loads) {
                const Fields l(reader_, le, loadsLoc[k++], dload::keys, "a distributed load");
                DistributedLoadItem d;
                d.pattern = pattern(l, dload::pattern);
                d.type = l.integerOr(dload::type, 1, 1, 2);
                d.csys = csys(l, dload::csys);
                d.dir = l.integer(dload::dir, 1, 11);
                d.rd1 = l.numberIn(dload::rd1, 0.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                d.rd2 = l.numberIn(dload::rd2, 1.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                d.val1 = l.number(dload::val1);
                d.val2 = l.numberOr(dload::val2, d.val1);
                m_.distributedLoads.push_back(d);
            }
            fm.distributed.count = static_cast<std::uint32_t>(m_.distributedLoads.size() - fm.distributed.begin);
        }
        if (f.has(fr::point_loads)) {
            const Loc loadsLoc = f.at(fr::point_loads);
            const Json loads = f.array(fr::point_loads);
            fm.pointLoads.begin = static_cast<std::uint32_t>(m_.framePointLoads.size());
            std::size_t k = 0;
            for (Json le : loads) {
                const Fields l(reader_, le, loadsLoc[k++], fpload::keys, "a frame point load");
                FramePointLoadItem p;
                p.pattern = pattern(l, fpload::pattern);
                p.type = l.integerOr(fpload::type, 1, 1, 2);
                p.csys = csys(l, fpload::csys);
                p.dir = l.integer(fpload::dir, 1, 11);
                l.require(fpload::rd);
                p.rd = l.numberIn(fpload::rd, 0.0, 0.0, 1.0, "a relative distance must lie from 0 to 1");
                p.value = l.number(fpload::val);
                m_.framePointLoads.push_back(p);
            }
            fm.pointLoads.count = static_cast<std::uint32_t>(m_.framePointLoads.size() - fm.pointLoads.begin);
        }
        m_.frames.append(std::move(fm));
        if (ends.size() >= kLookupBlock) resolveFrameEnds(ends, resolved, loc);
    }
    resolveFrameEnds(ends, resolved, loc);
    indexNames(m_.frames, loc, "frame", "frames");
}

void Loader::resolveFrameEnds(std::vector<std::string_view>& ends, std::size_t& first, const Loc& loc) {
    std::uint32_t found[kLookupBlock + 2];
    m_.points.findMany(ends, found);
    for (std::size_t k = 0; 2 * k < ends.size(); ++k) {
        const Loc itemLoc = loc[first + k];
        for (std::size_t end = 0; end < 2; ++end) {
            if (found[2 * k + end] == kNoRef) {
                reader_.fail(itemLoc / fr::keys[end == 0 ? fr::i : fr::j],
                             "point " + Quoted(ends[2 * k + end]) + " does not exist");
            }
        }
        Frame& fm = m_.frames[first + k];
        fm.i = found[2 * k];
        fm.j = found[2 * k + 1];
        if (fm.i == fm.j) reader_.fail(itemLoc / "j", "both ends of the frame are the same point");
    }
    first += ends.size() / 2;
    ends.clear();
}

void Loader::areas(Items a, const Loc& loc) {
    m_.areas.reserve(a.size());
    // Corners are looked up a block of areas at a time (see NameIndex::findMany).
    std::vector<std::string_view> cornerNames;
    std::size_t resolved = 0;  // areas whose corners are known
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, ar::keys, "an area");
        Area ar;
        ar.name = f.name(ar::name);
        f.require(ar::section);
        ar.section = resolve(m_.areaSections, f[ar::section], f.at(ar::section), "area section");
        f.require(ar::points);
        {
            const Loc cornersLoc = f.at(ar::points);
            const Json corners = f.array(ar::points);
            if (corners.size() < 3) {
                reader_.fail(cornersLoc,
                             "an area needs at least 3 corner points, found " + std::to_string(corners.size()));
            }
            ar.corners.begin = static_cast<std::uint32_t>(m_.areaCorners.size());
            std::size_t k = 0;
            for (const Json ce : corners) cornerNames.push_back(reader_.name(ce, cornersLoc[k++]));
            ar.corners.count = static_cast<std::uint32_t>(corners.size());
            m_.areaCorners.resize(m_.areaCorners.size() + corners.size(), kNoRef);
        }
        ar.massPerArea = f.numberOr(ar::mass_per_area, 0.0);
        if (f.has(ar::uniform_loads)) ar.uniform = areaLoads(f, ar::uniform_loads, false);
        if (f.has(ar::uniform_loads_to_frames)) ar.toFrames = areaLoads(f, ar::uniform_loads_to_frames, true);
        m_.areas.append(std::move(ar));
        if (cornerNames.size() >= kLookupBlock) resolveCorners(cornerNames, resolved, loc);
    }
    resolveCorners(cornerNames, resolved, loc);
    indexNames(m_.areas, loc, "area", "areas");
}

void Loader::resolveCorners(std::vector<std::string_view>& cornerNames, std::size_t& first, const Loc& loc) {
    if (cornerNames.empty()) return;
    const std::uint32_t base = m_.areas[first].corners.begin;
    m_.points.findMany(cornerNames, m_.areaCorners.data() + base);
    if (pointStamp_.size() < m_.points.size()) pointStamp_.resize(m_.points.size(), 0);
    for (; first < m_.areas.size(); ++first) {
        const Slice corners = m_.areas[first].corners;
        ++stampValue_;
        for (std::uint32_t c = 0; c < corners.count; ++c) {
            const std::uint32_t p = m_.areaCorners[corners.begin + c];
            if (p != kNoRef && pointStamp_[p] != stampValue_) {
                pointStamp_[p] = stampValue_;
                continue;
            }
            const Loc itemLoc = loc[first];
            const Loc cornersLoc = itemLoc / "points";
            if (p == kNoRef) {
                reader_.fail(cornersLoc[c],
                             "point " + Quoted(cornerNames[corners.begin - base + c]) + " does not exist");
            }
            reader_.fail(cornersLoc[c], "point " + Quoted(m_.points[p].name) + " is a corner twice");
        }
    }
    cornerNames.clear();
}

Slice Loader::areaLoads(const Fields& f, std::size_t k, bool toFrames) {
    static constexpr std::span<const std::string_view> plainKeys{aload::keys, 4};
    const Loc loadsLoc = f.at(k);
    const Json loads = f.array(k);
    Slice slice;
    slice.begin = static_cast<std::uint32_t>(m_.areaLoads.size());
    std::size_t n = 0;
    for (Json le : loads) {
        const Fields l(reader_, le, loadsLoc[n++],
                       toFrames ? std::span<const std::string_view>(aload::keys) : plainKeys,
                       toFrames ? "a uniform load to frames" : "a uniform load");
        AreaLoadItem item;
        item.pattern = pattern(l, aload::pattern);
        item.csys = csys(l, aload::csys);
        item.dir = l.integer(aload::dir, 1, 11);
        item.value = l.number(aload::value);
        if (toFrames) item.distribution = l.integer(aload::distribution, 1, 2);
        m_.areaLoads.push_back(item);
    }
    slice.count = static_cast<std::uint32_t>(m_.areaLoads.size() - slice.begin);
    return slice;
}

void Loader::groups(Items a, const Loc& loc) {
    m_.groups.reserve(a.size());
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, grp::keys, "a group");
        Group g;
        g.name = f.name(grp::name);
        if (g.name == "ALL") {
            reader_.fail(f.at(grp::name), "\"ALL\" is the implicit group of every object and may not be defined");
        }
        if (f.has(grp::points))
            g.points = nameList(m_.points, f.array(grp::points), f.at(grp::points), "point", pointStamp_);
        if (f.has(grp::frames))
            g.frames = nameList(m_.frames, f.array(grp::frames), f.at(grp::frames), "frame", frameStamp_);
        if (f.has(grp::areas)) g.areas = nameList(m_.areas, f.array(grp::areas), f.at(grp::areas), "area", areaStamp_);
        m_.groups.append(std::move(g));
    }
    indexNames(m_.groups, loc, "group", "groups");
}

}  // namespace t2v::host::document::detail
