// How each kind of TarvoHost parameter crosses the automation boundary, in both
// directions. Internal to the automation library: the table (Operations.cpp), the
// adapter (AutomationHost.cpp) and the server (HostDispatcher.cpp) all expand the same
// parameter traits over a member's signature.
#pragma once

#include "host/TarvoHost.h"
#include "host/automation/Operations.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace t2v::host::automation::detail {

static_assert(std::is_same_v<int, std::int32_t>, "host integers travel as 32-bit Longs");

[[noreturn]] void Fail(std::string_view op, const std::string& what);

// --- struct fields ------------------------------------------------------------------

template <class S, class M>
struct Field {
    std::string_view name;
    M S::*member;
};
template <class S, class M>
constexpr Field<S, M> F(std::string_view name, M S::*member) {
    return {name, member};
}

template <class S>
struct FieldsOf;  // static constexpr auto list: the struct's fields in declaration order

template <>
struct FieldsOf<FrameSectionProperties> {
    using S = FrameSectionProperties;
    static constexpr auto list =
        std::tuple{F("area", &S::area), F("As2", &S::As2), F("As3", &S::As3), F("Torsion", &S::Torsion),
                   F("I22", &S::I22),   F("I33", &S::I33), F("S22", &S::S22), F("S33", &S::S33),
                   F("Z22", &S::Z22),   F("Z33", &S::Z33), F("R22", &S::R22), F("R33", &S::R33)};
};
template <>
struct FieldsOf<ShellLayer> {
    using S = ShellLayer;
    static constexpr auto list = std::tuple{F("name", &S::name),
                                            F("distance", &S::distance),
                                            F("thickness", &S::thickness),
                                            F("type", &S::type),
                                            F("integrationPoints", &S::integrationPoints),
                                            F("material", &S::material),
                                            F("angle", &S::angle),
                                            F("s11", &S::s11),
                                            F("s22", &S::s22),
                                            F("s12", &S::s12)};
};
template <>
struct FieldsOf<FrameHinge> {
    using S = FrameHinge;
    static constexpr auto list = std::tuple{F("kind", &S::kind), F("dof", &S::dof), F("relDist", &S::relDist)};
};
template <>
struct FieldsOf<PointForceLoad> {
    using S = PointForceLoad;
    static constexpr auto list = std::tuple{
        F("point", &S::point), F("pattern", &S::pattern), F("step", &S::step), F("csys", &S::csys), F("F1", &S::F1),
        F("F2", &S::F2),       F("F3", &S::F3),           F("M1", &S::M1),     F("M2", &S::M2),     F("M3", &S::M3)};
};
template <>
struct FieldsOf<FrameDistributedLoad> {
    using S = FrameDistributedLoad;
    static constexpr auto list =
        std::tuple{F("frame", &S::frame), F("pattern", &S::pattern), F("loadType", &S::loadType), F("csys", &S::csys),
                   F("dir", &S::dir),     F("rd1", &S::rd1),         F("rd2", &S::rd2),           F("dist1", &S::dist1),
                   F("dist2", &S::dist2), F("val1", &S::val1),       F("val2", &S::val2)};
};
template <>
struct FieldsOf<FramePointLoad> {
    using S = FramePointLoad;
    static constexpr auto list = std::tuple{
        F("frame", &S::frame), F("pattern", &S::pattern), F("loadType", &S::loadType), F("csys", &S::csys),
        F("dir", &S::dir),     F("relDist", &S::relDist), F("dist", &S::dist),         F("value", &S::value)};
};
template <>
struct FieldsOf<AreaUniformLoad> {
    using S = AreaUniformLoad;
    static constexpr auto list =
        std::tuple{F("area", &S::area), F("pattern", &S::pattern), F("csys", &S::csys),
                   F("dir", &S::dir),   F("value", &S::value),     F("distribution", &S::distribution)};
};
template <>
struct FieldsOf<THFunctionFile> {
    using S = THFunctionFile;
    static constexpr auto list = std::tuple{F("fileName", &S::fileName),       F("headerLines", &S::headerLines),
                                            F("prefixChars", &S::prefixChars), F("pointsPerLine", &S::pointsPerLine),
                                            F("valueType", &S::valueType),     F("freeFormat", &S::freeFormat),
                                            F("fieldWidth", &S::fieldWidth),   F("dt", &S::dt)};
};
template <>
struct FieldsOf<StaticNonlinearLoadApplication> {
    using S = StaticNonlinearLoadApplication;
    static constexpr auto list =
        std::tuple{F("loadControl", &S::loadControl), F("dispType", &S::dispType), F("monitoredDof", &S::monitoredDof),
                   F("displacement", &S::displacement), F("monitoredPoint", &S::monitoredPoint)};
};
template <>
struct FieldsOf<NonlinearLoad> {
    using S = NonlinearLoad;
    static constexpr auto list = std::tuple{F("type", &S::type), F("name", &S::name), F("function", &S::function),
                                            F("scale", &S::scale), F("timeFactor", &S::timeFactor)};
};
template <>
struct FieldsOf<DynamicDamping> {
    using S = DynamicDamping;
    static constexpr auto list = std::tuple{F("code", &S::code), F("value1", &S::value1), F("value2", &S::value2)};
};

template <class S>
concept HasFields = requires {
    FieldsOf<S>::list;
};

template <class S, class Fn>
void ForEachField(Fn&& fn) {
    std::apply([&](const auto&... field) { (fn(field), ...); }, FieldsOf<S>::list);
}

// --- scalars ------------------------------------------------------------------------

template <class T>
struct Scalar;
template <>
struct Scalar<int> {
    using Auto = std::int32_t;
    static constexpr AutoType type = AutoType::Long, array = AutoType::LongArray;
};
template <>
struct Scalar<double> {
    using Auto = double;
    static constexpr AutoType type = AutoType::Double, array = AutoType::DoubleArray;
};
template <>
struct Scalar<bool> {
    using Auto = bool;
    static constexpr AutoType type = AutoType::Bool, array = AutoType::BoolArray;
};
template <>
struct Scalar<std::string> {
    using Auto = std::string;
    static constexpr AutoType type = AutoType::String, array = AutoType::StringArray;
};
template <class T>
concept IsScalar = requires {
    Scalar<T>::type;
};

template <class M>
using FieldType = std::remove_cvref_t<M>;

// --- the three walks over a call's arguments ----------------------------------------

// Builds the table entry of one operation.
struct Describer {
    std::vector<ArgShape>& args;
    bool counted = false;
    void add(std::string_view name, AutoType type, bool out) { args.push_back({name, type, out}); }
    void count() {
        if (!counted) add("count", AutoType::Long, true);
        counted = true;
    }
};

// The adapter's side: sets the inputs of a call, then reads and checks the answers.
class Answers {
public:
    Answers(const OperationShape& shape, std::vector<AutoArg>& args) : shape_(shape), args_(args) {}
    template <class V>
    void put(V value) {
        args_[at_++].value = std::move(value);
    }
    void skipTo(std::size_t at) { at_ = at; }
    // The next answer, which must hold the declared type.
    template <class V>
    V& take() {
        AutoArg& arg = args_[at_];
        V* v = std::get_if<V>(&arg.value);
        if (!v) {
            Fail(shape_.name, "the host answered " + article(typeOf(arg.value)) + " for " +
                                  std::string(shape_.args[at_].name) + " where " + article(shape_.args[at_].type) +
                                  " was declared");
        }
        ++at_;
        return *v;
    }
    // The call's list count, read from its slot at the first list.
    std::size_t count() {
        if (count_ < 0) {
            const std::int32_t n = take<std::int32_t>();
            if (n < 0) Fail(shape_.name, "the host answered a negative count (" + std::to_string(n) + ")");
            count_ = n;
        }
        return static_cast<std::size_t>(count_);
    }
    // The next array, which must hold `n` values.
    template <class V>
    V& takeArray(std::size_t n, bool counted) {
        const std::string_view name = shape_.args[at_].name;
        V& v = take<V>();
        if (v.size() != n) {
            if (counted) {
                Fail(shape_.name, "the host answered a count of " + std::to_string(n) + " but " +
                                      std::to_string(v.size()) + " values for " + std::string(name));
            }
            Fail(shape_.name, "the host answered " + std::to_string(v.size()) + " values for " + std::string(name) +
                                  " where " + std::to_string(n) + " are declared");
        }
        return v;
    }

private:
    static std::string article(AutoType t) {
        if (t == AutoType::Empty) return "nothing";
        const std::string_view name = TypeName(t);
        return (name.front() == 'E' ? "an " : "a ") + std::string(name);
    }
    const OperationShape& shape_;
    std::vector<AutoArg>& args_;
    std::size_t at_ = 0;
    std::int64_t count_ = -1;
};

// The server's side: reads the inputs of a call, then writes the host's answers.
class Request {
public:
    Request(const OperationShape& shape, std::span<AutoArg> args) : shape_(shape), args_(args) {}
    template <class V>
    const V& get() {
        // The shape of the call was checked against the table before, so the value holds
        // the declared type.
        return std::get<V>(args_[at_++].value);
    }
    template <class V>
    void set(V value) {
        args_[at_++].value = std::move(value);
    }
    void skipTo(std::size_t at) { at_ = at; }
    void count(std::size_t n) {
        if (counted_) {
            if (n != count_) {
                Fail(shape_.name, "the host answered parallel lists of different lengths (" + std::to_string(count_) +
                                      " and " + std::to_string(n) + ")");
            }
            return;
        }
        if (n > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            Fail(shape_.name, "the host answered more than 2^31 - 1 values");
        }
        counted_ = true;
        count_ = n;
        set(static_cast<std::int32_t>(n));
    }

private:
    const OperationShape& shape_;
    std::span<AutoArg> args_;
    std::size_t at_ = 0;
    bool counted_ = false;
    std::size_t count_ = 0;
};

// --- parameter kinds ----------------------------------------------------------------

template <class P>
struct Param;

// Inputs travel by value.
template <class T>
struct InputParam {
    static constexpr bool input = true;
    using Value = T;
    static void describe(Describer& d, std::string_view name) { d.add(name, Scalar<T>::type, false); }
    static void put(Answers& a, const T& v) { a.put(typename Scalar<T>::Auto(v)); }
    static T get(Request& r) { return r.get<typename Scalar<T>::Auto>(); }
};
template <>
struct Param<int> : InputParam<int> {};
template <>
struct Param<const std::string&> : InputParam<std::string> {};

// One output value.
template <class T>
struct ScalarOutput {
    static constexpr bool input = false;
    using Value = T;
    static void describe(Describer& d, std::string_view name) { d.add(name, Scalar<T>::type, true); }
    static void read(Answers& a, T& v) { v = std::move(a.take<typename Scalar<T>::Auto>()); }
    static void write(Request& r, const T& v) { r.set(typename Scalar<T>::Auto(v)); }
};
template <>
struct Param<int&> : ScalarOutput<int> {};
template <>
struct Param<double&> : ScalarOutput<double> {};
template <>
struct Param<std::string&> : ScalarOutput<std::string> {};

// A fixed-size array: one typed array of exactly N values.
template <class T, std::size_t N>
struct Param<std::array<T, N>&> {
    static constexpr bool input = false;
    using Value = std::array<T, N>;
    using Auto = std::vector<typename Scalar<T>::Auto>;
    static void describe(Describer& d, std::string_view name) { d.add(name, Scalar<T>::array, true); }
    static void read(Answers& a, Value& v) {
        const Auto& values = a.takeArray<Auto>(N, false);
        for (std::size_t i = 0; i < N; ++i) v[i] = values[i];
    }
    static void write(Request& r, const Value& v) { r.set(Auto(v.begin(), v.end())); }
};

// A list: the call's count, then one array.
template <IsScalar T>
struct Param<std::vector<T>&> {
    static constexpr bool input = false;
    using Value = std::vector<T>;
    using Auto = std::vector<typename Scalar<T>::Auto>;
    static void describe(Describer& d, std::string_view name) {
        d.count();
        d.add(name, Scalar<T>::array, true);
    }
    static void read(Answers& a, Value& v) {
        const std::size_t n = a.count();
        Auto& values = a.takeArray<Auto>(n, true);
        v.assign(values.begin(), values.end());
    }
    static void write(Request& r, const Value& v) {
        r.count(v.size());
        r.set(Auto(v.begin(), v.end()));
    }
};

// A struct: its fields, each one output.
template <HasFields S>
struct Param<S&> {
    static constexpr bool input = false;
    using Value = S;
    static void describe(Describer& d, std::string_view) {
        ForEachField<S>([&](const auto& f) { d.add(f.name, Scalar<FieldType<decltype(S{}.*f.member)>>::type, true); });
    }
    static void read(Answers& a, S& s) {
        ForEachField<S>([&](const auto& f) {
            using M = FieldType<decltype(s.*f.member)>;
            s.*f.member = std::move(a.take<typename Scalar<M>::Auto>());
        });
    }
    static void write(Request& r, const S& s) {
        ForEachField<S>([&](const auto& f) {
            using M = FieldType<decltype(s.*f.member)>;
            r.set(typename Scalar<M>::Auto(s.*f.member));
        });
    }
};

// A list of structs: the call's count, then one parallel array per field.
template <HasFields S>
struct Param<std::vector<S>&> {
    static constexpr bool input = false;
    using Value = std::vector<S>;
    static void describe(Describer& d, std::string_view) {
        d.count();
        ForEachField<S>([&](const auto& f) { d.add(f.name, Scalar<FieldType<decltype(S{}.*f.member)>>::array, true); });
    }
    static void read(Answers& a, Value& v) {
        const std::size_t n = a.count();
        v.assign(n, S{});
        ForEachField<S>([&](const auto& f) {
            using M = FieldType<decltype(S{}.*f.member)>;
            auto& values = a.takeArray<std::vector<typename Scalar<M>::Auto>>(n, true);
            for (std::size_t i = 0; i < n; ++i) v[i].*f.member = std::move(values[i]);
        });
    }
    static void write(Request& r, const Value& v) {
        r.count(v.size());
        ForEachField<S>([&](const auto& f) {
            using M = FieldType<decltype(S{}.*f.member)>;
            std::vector<typename Scalar<M>::Auto> values;
            values.reserve(v.size());
            for (const S& s : v) values.push_back(s.*f.member);
            r.set(std::move(values));
        });
    }
};

// --- a member's signature -----------------------------------------------------------

template <class... P>
struct Signature {
    static constexpr std::size_t inputs = (std::size_t{0} + ... + std::size_t{Param<P>::input});
};
template <class... P>
Signature<P...> SignatureOf(int (TarvoHost::*)(P...));

template <class... S>
constexpr std::array<std::string_view, sizeof...(S)> ParamNames(S... names) {
    return {std::string_view(names)...};
}

// The table entry of one operation.
template <class... P, std::size_t N>
OperationShape Describe(std::string_view op, Signature<P...>, const std::array<std::string_view, N>& names) {
    static_assert(N == sizeof...(P), "one name per parameter");
    OperationShape shape{op, {}};
    Describer d{shape.args};
    static_cast<void>(d);  // operations without arguments describe nothing
    std::size_t i = 0;
    ((Param<P>::input ? Param<P>::describe(d, names[i]) : void(), ++i), ...);
    i = 0;
    ((!Param<P>::input ? Param<P>::describe(d, names[i]) : void(), ++i), ...);
    return shape;
}

}  // namespace t2v::host::automation::detail
