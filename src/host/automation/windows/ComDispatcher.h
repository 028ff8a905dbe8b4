// Late-bound calls on a live automation object: each Dispatcher call becomes one
// IDispatch::Invoke. The dispatch id of each operation name is looked up once and kept.
// Inputs cross by value, outputs as by-reference VARIANTs of their declared type; strings
// cross as BSTR (UTF-16) and are UTF-8 on this side; lists come back as SAFEARRAYs.
#pragma once

#include "host/automation/Dispatcher.h"

#include <string>
#include <unordered_map>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <oaidl.h>

namespace t2v::host::automation {

class ComDispatcher final : public Dispatcher {
public:
    explicit ComDispatcher(IDispatch* object);
    ~ComDispatcher() override;
    ComDispatcher(const ComDispatcher&) = delete;
    ComDispatcher& operator=(const ComDispatcher&) = delete;

    std::int32_t call(std::string_view op, std::span<AutoArg> args) override;

private:
    DISPID dispatchId(std::string_view op);

    IDispatch* object_;
    // Looked up by the operation's name without making a string of it on every call.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, DISPID, NameHash, std::equal_to<>> ids_;
};

// Conversions shared with the test host object, which sits on the other side of the
// same boundary.
namespace com {
VARTYPE VarTypeOf(AutoType type);  // the element type for arrays
AutoType AutoTypeOf(VARTYPE vt);   // of a VARIANT's type without VT_BYREF; Empty when unknown
bool IsArrayType(AutoType type);
// A SAFEARRAY of any element type as a value of the declared array type; elements of
// another type are converted as VariantChangeType converts them. False when they
// cannot be.
bool FromSafeArray(SAFEARRAY* array, AutoType declared, AutoValue& out, std::string& problem);
SAFEARRAY* ToSafeArray(const AutoValue& value);
BSTR ToBstr(const std::string& utf8);
std::string FromBstr(BSTR text);
}  // namespace com

}  // namespace t2v::host::automation
