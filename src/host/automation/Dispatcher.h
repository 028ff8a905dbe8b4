// The automation boundary, seen from the standard library: a late-bound call by name
// with typed arguments. On Windows a Dispatcher turns each call into IDispatch::Invoke
// on the host's model object (VARIANTs, BSTRs, SAFEARRAYs); on any machine another one
// serves the same calls from a TarvoHost, records them or replays a recording. The
// adapter that implements TarvoHost over a Dispatcher is therefore the same code on
// every platform, and what crosses the boundary can be tested without Windows.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace t2v::host::automation {

// The types an argument can have, in the order of AutoValue's alternatives.
enum class AutoType : std::uint8_t {
    Empty,        // no value (an output not yet filled)
    Long,         // 32-bit integer (VT_I4)
    Double,       // VT_R8
    Bool,         // VT_BOOL
    String,       // UTF-8 here, BSTR (UTF-16) across the Windows boundary
    LongArray,    // SAFEARRAY of VT_I4, 0-based
    DoubleArray,  // SAFEARRAY of VT_R8
    BoolArray,    // SAFEARRAY of VT_BOOL
    StringArray,  // SAFEARRAY of VT_BSTR
};

using AutoValue = std::variant<std::monostate, std::int32_t, double, bool, std::string, std::vector<std::int32_t>,
                               std::vector<double>, std::vector<bool>, std::vector<std::string>>;

inline AutoType typeOf(const AutoValue& v) { return static_cast<AutoType>(v.index()); }

// One argument of a call. Inputs travel by value; outputs by reference: the caller
// passes them of their declared type (empty value) and the callee fills them.
struct AutoArg {
    AutoType type = AutoType::Empty;  // the declared type
    bool out = false;
    AutoValue value;
};

class Dispatcher {
public:
    virtual ~Dispatcher() = default;
    // Calls operation `op` with `args` in declared order and returns its 32-bit result
    // (the operation's status). A call that fails as a call (unknown name, refused
    // arguments, an exception inside the host) throws host::HostError naming `op` and the
    // reason.
    virtual std::int32_t call(std::string_view op, std::span<AutoArg> args) = 0;
};

}  // namespace t2v::host::automation
