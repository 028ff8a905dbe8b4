// The families that the analysis refers to by name: load patterns, time-history
// functions, the mass source and the load cases.
#include "host/document/Loader.h"

#include "host/document/DocumentLoader.h"

#include <cmath>

namespace t2v::host::document::detail {

namespace {

// Functions generated from a few parameters (sine, trapezoid, ...) become point lists
// in the reader; a count beyond this is a typo, not a record, and would exhaust memory.
constexpr long long kMaxGeneratedPoints = 10'000'000;

}  // namespace

std::uint32_t Loader::pattern(const Fields& f, std::size_t k) const {
    f.require(k);
    return resolve(m_.loadPatterns, f[k], f.at(k), "load pattern");
}

std::uint32_t Loader::csys(const Fields& f, std::size_t k) {
    const std::string_view name = f.label(k, "GLOBAL");
    const auto position = static_cast<std::uint32_t>(m_.csysNames.size());
    auto nameAt = [this](std::uint32_t p) -> std::string_view { return m_.csysNames[p]; };
    m_.csysNames.emplace_back(name);
    const std::uint32_t existing = csysIndex_.insert(name, position, nameAt);
    if (existing != NameIndex::kNone) {
        m_.csysNames.pop_back();
        return existing;
    }
    return position;
}

void Loader::loadPatterns(Items a, const Loc& loc) {
    m_.loadPatterns.reserve(a.size());
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, lpat::keys, "a load pattern");
        LoadPattern p;
        p.name = f.name(lpat::name);
        p.type = f.integerOr(lpat::type, 8);
        p.selfWeightMultiplier = f.numberOr(lpat::self_weight_multiplier, 0.0);
        m_.loadPatterns.append(std::move(p));
    }
    indexNames(m_.loadPatterns, loc, "load pattern", "load_patterns");
}

void Loader::functions(Items a, const Loc& loc) {
    m_.functions.reserve(a.size());
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, fn::keys, "a function");
        Function fun;
        fun.name = f.name(fn::name);
        fun.type = f.integer(fn::type, 1, 4);
        const std::uint64_t own = fn::bit(fn::name) | fn::bit(fn::type) | fn::bit(fn::kind);
        if (fun.type != 2) {
            fun.kind = f.integerOr(fn::kind, 0, 0, 7);
            for (std::size_t k = 0; k < std::size(fn::keys); ++k) {
                if (f.has(k) && !(own & fn::bit(k))) {
                    reader_.fail(f.at(k), "only time-history functions (type 2) have this key");
                }
            }
        } else {
            fun.kind = f.integer(fn::kind, 0, 7);
            timeHistory(f, fun);
        }
        m_.functions.append(std::move(fun));
    }
    indexNames(m_.functions, loc, "function", "functions");
}

void Loader::timeHistory(const Fields& f, Function& fun) {
    const auto kind = static_cast<std::size_t>(fun.kind);
    const std::uint64_t own = fn::bit(fn::name) | fn::bit(fn::type) | fn::bit(fn::kind);
    for (std::size_t k = 0; k < std::size(fn::keys); ++k) {
        if (f.has(k) && !((own | fn::kindKeys[kind]) & fn::bit(k))) {
            reader_.fail(f.at(k), std::string("a function of kind ") + std::to_string(kind) + " (" +
                                      fn::kindNames[kind] + ") has no such key");
        }
    }
    for (std::size_t k = 0; k < std::size(fn::keys); ++k) {
        if ((fn::kindRequired[kind] & fn::bit(k))) f.require(k);
    }
    constexpr double inf = std::numeric_limits<double>::infinity();
    switch (fun.kind) {
        case 0: {
            THFunctionFile& file = fun.file;
            const std::string_view name = reader_.text(f[fn::file], f.at(fn::file));
            if (name.empty()) reader_.fail(f.at(fn::file), "the file name may not be empty");
            file.fileName = ResolveDocumentPath(baseFolder_, std::string(name));
            file.headerLines = f.integerOr(fn::header_lines, 0, 0, kIntMax);
            file.prefixChars = f.integerOr(fn::prefix_chars, 0, 0, kIntMax);
            file.pointsPerLine = f.integerOr(fn::points_per_line, 1, 1, kIntMax);
            file.valueType = f.integerOr(fn::value_type, 1, 1, 2);
            file.freeFormat = f.booleanOr(fn::free_format, true);
            file.fieldWidth = f.integerOr(fn::field_width, 10, 1, kIntMax);
            file.dt = f.numberIn(fn::dt, 0.0, 0.0, inf, "must be 0 or more");
            break;
        }
        case 1:
        case 7: {
            if (fun.kind == 7) fun.cycles = f.integer(fn::cycles, 1, kIntMax);
            fun.times = reader_.numberList(f[fn::times], f.at(fn::times));
            fun.values = reader_.numberList(f[fn::values], f.at(fn::values));
            if (fun.times.size() != fun.values.size()) {
                reader_.fail(f.loc(), "times and values differ in length (" + std::to_string(fun.times.size()) +
                                          " and " + std::to_string(fun.values.size()) + ")");
            }
            if (fun.times.empty()) reader_.fail(f.at(fn::times), "a user function needs at least one point");
            break;
        }
        case 2:
        case 3:
            fun.period = f.numberIn(fn::period, 0.0, std::numeric_limits<double>::min(), inf, "must be above 0");
            fun.stepsPerCycle = f.integer(fn::steps_per_cycle, 1, kIntMax);
            fun.cycles = f.integer(fn::cycles, 1, kIntMax);
            fun.amplitude = f.number(fn::amplitude);
            limitPoints(f, static_cast<long long>(fun.stepsPerCycle) * fun.cycles);
            break;
        case 4:
            fun.rampTime = f.numberIn(fn::ramp_time, 0.0, 0.0, inf, "must be 0 or more");
            fun.amplitude = f.number(fn::amplitude);
            fun.maxTime = f.numberIn(fn::max_time, 0.0, 0.0, inf, "must be 0 or more");
            break;
        case 5:
            fun.period = f.numberIn(fn::period, 0.0, std::numeric_limits<double>::min(), inf, "must be above 0");
            fun.rampTime = f.numberIn(fn::ramp_time, 0.0, 0.0, inf, "must be 0 or more");
            fun.amplitude = f.number(fn::amplitude);
            fun.cycles = f.integer(fn::cycles, 1, kIntMax);
            limitPoints(f, 6LL * fun.cycles);
            break;
        case 6:
            fun.period = f.numberIn(fn::period, 0.0, std::numeric_limits<double>::min(), inf, "must be above 0");
            fun.amplitude = f.number(fn::amplitude);
            fun.cycles = f.integer(fn::cycles, 1, kIntMax);
            limitPoints(f, 4LL * fun.cycles);
            break;
        default:
            break;
    }
}

void Loader::limitPoints(const Fields& f, long long count) const {
    if (count > kMaxGeneratedPoints) {
        reader_.fail(f.loc(),
                     "the function would have " + std::to_string(count) + " points; at most 10000000 are allowed");
    }
}

void Loader::massSource(Json e, const Loc& loc) {
    const Fields f(reader_, e, loc, msrc::keys, "a mass source");
    m_.massSourceOption = f.integerOr(msrc::option, 1, 1, 3);
    if (!f.has(msrc::patterns)) return;
    const Loc listLoc = f.at(msrc::patterns);
    std::size_t i = 0;
    for (Json pe : f.array(msrc::patterns)) {
        const Fields p(reader_, pe, listLoc[i++], msrc::patternKeys, "a mass source pattern");
        p.require(0);
        m_.massSourcePatterns.push_back(resolve(m_.loadPatterns, p[0], p.at(0), "load pattern"));
        m_.massSourceScales.push_back(p.number(1));
    }
}

void Loader::loadCases(Items a, const Loc& loc) {
    m_.loadCases.reserve(a.size());
    std::size_t i = 0;
    for (Json e : a) {
        const Loc itemLoc = loc[i++];
        const Fields f(reader_, e, itemLoc, lcase::keys, "a load case");
        LoadCase c;
        c.name = f.name(lcase::name);
        c.type = f.integer(lcase::type, 1, 8);
        std::uint64_t allowed = (1u << lcase::name) | (1u << lcase::type);
        if (c.type == 2) allowed |= (1u << lcase::load_application) | (1u << lcase::loads);
        if (c.type == 8) {
            allowed |=
                (1u << lcase::loads) | (1u << lcase::output_steps) | (1u << lcase::step_size) | (1u << lcase::damping);
        }
        for (std::size_t k = 0; k < std::size(lcase::keys); ++k) {
            if (f.has(k) && !((allowed >> k) & 1u)) {
                reader_.fail(f.at(k), "a load case of type " + std::to_string(c.type) + " has no such key");
            }
        }
        if (c.type == 2) staticCase(f, c);
        if (c.type == 8) dynamicCase(f, c);
        m_.loadCases.append(std::move(c));
    }
    indexNames(m_.loadCases, loc, "load case", "load_cases");
}

void Loader::staticCase(const Fields& f, LoadCase& c) {
    if (f.has(lcase::load_application)) {
        const Fields ap(reader_, f[lcase::load_application], f.at(lcase::load_application), lcase::applicationKeys,
                        "a load application block");
        StaticNonlinearLoadApplication& app = c.application;
        app.loadControl = ap.integerOr(0, 1, 1, 2);
        app.monitoredDof = ap.integerOr(1, 1, 1, 6);
        app.displacement = ap.numberOr(2, 0.0);
        if (ap.has(3)) {
            app.monitoredPoint = m_.points[resolve(m_.points, ap[3], ap.at(3), "point")].name;
        }
    }
    if (!f.has(lcase::loads)) return;
    const Loc loadsLoc = f.at(lcase::loads);
    std::size_t i = 0;
    for (Json le : f.array(lcase::loads)) {
        const Fields l(reader_, le, loadsLoc[i++], lcase::staticLoadKeys, "a load");
        NonlinearLoad load;
        l.require(0);
        load.type = std::string(reader_.text(l[0], l.at(0)));
        l.require(1);
        const std::string_view name = reader_.name(l[1], l.at(1));
        if (load.type == "Load") {
            resolve(m_.loadPatterns, l[1], l.at(1), "load pattern");
        } else if (load.type == "Mode") {
            if (!IsModeNumber(name)) {
                reader_.fail(l.at(1), "a \"Mode\" load names a mode number such as \"1\", found " + Quoted(name));
            }
        } else if (load.type == "Accel") {
            if (name != "UX" && name != "UY" && name != "UZ") {
                reader_.fail(l.at(1),
                             "an \"Accel\" load names the direction \"UX\", \"UY\" or \"UZ\", found " + Quoted(name));
            }
        } else {
            reader_.fail(l.at(0), "expected \"Load\", \"Mode\" or \"Accel\", found " + Quoted(load.type));
        }
        load.name = std::string(name);
        load.scale = l.number(2);
        c.loads.push_back(std::move(load));
    }
}

void Loader::dynamicCase(const Fields& f, LoadCase& c) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double tiny = std::numeric_limits<double>::min();
    f.require(lcase::output_steps);
    c.outputSteps = f.integer(lcase::output_steps, 1, kIntMax);
    f.require(lcase::step_size);
    c.stepSize = f.numberIn(lcase::step_size, 0.0, tiny, inf, "must be above 0");
    if (f.has(lcase::damping)) {
        const Fields d(reader_, f[lcase::damping], f.at(lcase::damping), lcase::dampingKeys, "a damping block");
        c.damping.code = d.integerOr(0, 1, 0, kIntMax);
        if (d.has(1)) {
            const auto v = reader_.numbers<2>(d[1], d.at(1));
            c.damping.value1 = v[0];
            c.damping.value2 = v[1];
        }
    }
    if (!f.has(lcase::loads)) return;
    const Loc loadsLoc = f.at(lcase::loads);
    std::size_t i = 0;
    for (Json le : f.array(lcase::loads)) {
        const Fields l(reader_, le, loadsLoc[i++], lcase::dynamicLoadKeys, "a load");
        NonlinearLoad load;
        l.require(0);
        load.type = std::string(reader_.text(l[0], l.at(0)));
        l.require(1);
        const std::string_view name = reader_.name(l[1], l.at(1));
        if (load.type == "Load") {
            resolve(m_.loadPatterns, l[1], l.at(1), "load pattern");
        } else if (load.type == "Accel") {
            if (name != "U1" && name != "U2" && name != "U3") {
                reader_.fail(l.at(1),
                             "an \"Accel\" load names the direction \"U1\", \"U2\" or \"U3\", found " + Quoted(name));
            }
            l.require(2);
        } else {
            reader_.fail(l.at(0), "expected \"Load\" or \"Accel\", found " + Quoted(load.type));
        }
        load.name = std::string(name);
        if (l.has(2)) {
            const std::uint32_t fun = resolve(m_.functions, l[2], l.at(2), "function");
            if (m_.functions[fun].type != 2) {
                reader_.fail(l.at(2),
                             "function " + Quoted(m_.functions[fun].name) + " is not a time-history function (type 2)");
            }
            load.function = m_.functions[fun].name;
        }
        load.scale = l.number(3);
        load.timeFactor = l.numberIn(4, 1.0, tiny, inf, "must be above 0");
        c.loads.push_back(std::move(load));
    }
}

bool Loader::IsModeNumber(std::string_view s) {
    if (s.empty() || s.size() > 9 || s[0] == '0') return false;
    for (const char ch : s) {
        if (ch < '0' || ch > '9') return false;
    }
    return true;
}

}  // namespace t2v::host::document::detail
