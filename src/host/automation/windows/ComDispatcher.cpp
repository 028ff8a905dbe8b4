#include "host/automation/windows/ComDispatcher.h"

#include "host/TarvoHost.h"
#include "platform/windows/WindowsPlatform.h"

#include <vector>

namespace t2v::host::automation {

using platform::Narrow;
using platform::Widen;

namespace com {

VARTYPE VarTypeOf(AutoType type) {
    switch (type) {
        case AutoType::Long:
        case AutoType::LongArray:
            return VT_I4;
        case AutoType::Double:
        case AutoType::DoubleArray:
            return VT_R8;
        case AutoType::Bool:
        case AutoType::BoolArray:
            return VT_BOOL;
        case AutoType::String:
        case AutoType::StringArray:
            return VT_BSTR;
        case AutoType::Empty:
            break;
    }
    return VT_EMPTY;
}

AutoType AutoTypeOf(VARTYPE vt) {
    const bool array = (vt & VT_ARRAY) != 0;
    switch (vt & VT_TYPEMASK) {
        case VT_I4:
            return array ? AutoType::LongArray : AutoType::Long;
        case VT_R8:
            return array ? AutoType::DoubleArray : AutoType::Double;
        case VT_BOOL:
            return array ? AutoType::BoolArray : AutoType::Bool;
        case VT_BSTR:
            return array ? AutoType::StringArray : AutoType::String;
        default:
            return AutoType::Empty;
    }
}

bool IsArrayType(AutoType type) {
    return type == AutoType::LongArray || type == AutoType::DoubleArray || type == AutoType::BoolArray ||
           type == AutoType::StringArray;
}

BSTR ToBstr(const std::string& utf8) {
    const std::wstring w = Widen(utf8);
    return SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
}

std::string FromBstr(BSTR text) { return text ? Narrow(std::wstring_view(text, SysStringLen(text))) : std::string(); }

namespace {

// One element of any array as a VARIANT of the array's element type.
bool ElementAsVariant(SAFEARRAY* a, VARTYPE vt, LONG index, VARIANT& v) {
    VariantInit(&v);
    if (vt == VT_VARIANT) return SUCCEEDED(SafeArrayGetElement(a, &index, &v));
    V_VT(&v) = vt;
    // Every scalar type lives in the union at the same address.
    return SUCCEEDED(SafeArrayGetElement(a, &index, &V_I4(&v)));
}

template <class T, class Get>
bool Collect(SAFEARRAY* a, VARTYPE vt, VARTYPE want, LONG lo, LONG hi, std::vector<T>& out, Get get,
             std::string& problem) {
    for (LONG i = lo; i <= hi; ++i) {
        VARIANT v;
        if (!ElementAsVariant(a, vt, i, v)) {
            problem = "an element of a list could not be read";
            return false;
        }
        VARIANT c;
        VariantInit(&c);
        const HRESULT hr = VariantChangeType(&c, &v, 0, want);
        VariantClear(&v);
        if (FAILED(hr)) {
            problem = "a list holds an element of the wrong type";
            return false;
        }
        out.push_back(get(c));
        VariantClear(&c);
    }
    return true;
}

}  // namespace

namespace {

// The elements of an array whose element type is the declared one, read in place.
template <class T, class Get>
bool Direct(SAFEARRAY* a, LONG count, std::vector<T>& out, Get get) {
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(a, &data))) return false;
    out.reserve(static_cast<std::size_t>(count));
    for (LONG i = 0; i < count; ++i) out.push_back(get(data, i));
    SafeArrayUnaccessData(a);
    return true;
}

}  // namespace

bool FromSafeArray(SAFEARRAY* a, AutoType declared, AutoValue& out, std::string& problem) {
    if (!a) {  // the host left the list unset: an empty list
        switch (declared) {
            case AutoType::LongArray:
                out = std::vector<std::int32_t>{};
                break;
            case AutoType::DoubleArray:
                out = std::vector<double>{};
                break;
            case AutoType::BoolArray:
                out = std::vector<bool>{};
                break;
            default:
                out = std::vector<std::string>{};
                break;
        }
        return true;
    }
    if (SafeArrayGetDim(a) != 1) {
        problem = "a list has more than one dimension";
        return false;
    }
    VARTYPE vt = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(a, &vt))) vt = VT_VARIANT;
    LONG lo = 0, hi = -1;
    SafeArrayGetLBound(a, 1, &lo);
    SafeArrayGetUBound(a, 1, &hi);
    const LONG count = hi - lo + 1;
    // The usual answer: an array of the declared element type, read in place. Anything
    // else (an array of VARIANTs, of 16-bit integers, ...) is converted element by element.
    const bool same = vt == VarTypeOf(declared);
    switch (declared) {
        case AutoType::LongArray: {
            std::vector<std::int32_t> v;
            if (same ? !Direct(a, count, v,
                               [](void* d, LONG i) { return static_cast<std::int32_t>(static_cast<LONG*>(d)[i]); })
                     : !Collect(
                           a, vt, VT_I4, lo, hi, v, [](VARIANT& c) { return static_cast<std::int32_t>(V_I4(&c)); },
                           problem))
                return problem.empty() ? (problem = "a list could not be read", false) : false;
            out = std::move(v);
            return true;
        }
        case AutoType::DoubleArray: {
            std::vector<double> v;
            if (same ? !Direct(a, count, v, [](void* d, LONG i) { return static_cast<double*>(d)[i]; })
                     : !Collect(
                           a, vt, VT_R8, lo, hi, v, [](VARIANT& c) { return V_R8(&c); }, problem))
                return problem.empty() ? (problem = "a list could not be read", false) : false;
            out = std::move(v);
            return true;
        }
        case AutoType::BoolArray: {
            std::vector<bool> v;
            if (same ? !Direct(a, count, v,
                               [](void* d, LONG i) { return static_cast<VARIANT_BOOL*>(d)[i] != VARIANT_FALSE; })
                     : !Collect(
                           a, vt, VT_BOOL, lo, hi, v, [](VARIANT& c) { return V_BOOL(&c) != VARIANT_FALSE; }, problem))
                return problem.empty() ? (problem = "a list could not be read", false) : false;
            out = std::move(v);
            return true;
        }
        case AutoType::StringArray: {
            std::vector<std::string> v;
            if (same ? !Direct(a, count, v, [](void* d, LONG i) { return FromBstr(static_cast<BSTR*>(d)[i]); })
                     : !Collect(
                           a, vt, VT_BSTR, lo, hi, v, [](VARIANT& c) { return FromBstr(V_BSTR(&c)); }, problem))
                return problem.empty() ? (problem = "a list could not be read", false) : false;
            out = std::move(v);
            return true;
        }
        default:
            problem = "a list where a single value was expected";
            return false;
    }
}

SAFEARRAY* ToSafeArray(const AutoValue& value) {
    const AutoType type = typeOf(value);
    const VARTYPE vt = VarTypeOf(type);
    std::size_t n = 0;
    std::visit(
        [&](const auto& v) {
            if constexpr (requires {
                              v.size();
                              v.begin();
                          } &&
                          !std::is_same_v<std::decay_t<decltype(v)>, std::string>)
                n = v.size();
        },
        value);
    SAFEARRAY* a = SafeArrayCreateVector(vt, 0, static_cast<ULONG>(n));
    if (!a || n == 0) return a;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(a, &data))) return a;
    switch (type) {
        case AutoType::LongArray: {
            const auto& v = std::get<std::vector<std::int32_t>>(value);
            for (std::size_t i = 0; i < n; ++i) static_cast<LONG*>(data)[i] = v[i];
            break;
        }
        case AutoType::DoubleArray: {
            const auto& v = std::get<std::vector<double>>(value);
            for (std::size_t i = 0; i < n; ++i) static_cast<double*>(data)[i] = v[i];
            break;
        }
        case AutoType::BoolArray: {
            const auto& v = std::get<std::vector<bool>>(value);
            for (std::size_t i = 0; i < n; ++i)
                static_cast<VARIANT_BOOL*>(data)[i] = v[i] ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        }
        case AutoType::StringArray: {
            const auto& v = std::get<std::vector<std::string>>(value);
            for (std::size_t i = 0; i < n; ++i) static_cast<BSTR*>(data)[i] = ToBstr(v[i]);
            break;
        }
        default:
            break;
    }
    SafeArrayUnaccessData(a);
    return a;
}

}  // namespace com

namespace {

// Storage behind one by-reference output, and the VARIANTs of one call; everything is
// freed whatever way the call ends.
struct Slot {
    LONG l = 0;
    double d = 0;
    VARIANT_BOOL b = VARIANT_FALSE;
    BSTR s = nullptr;
    SAFEARRAY* a = nullptr;
};

struct CallFrame {
    std::vector<VARIANTARG> args;
    std::vector<Slot> slots;
    VARIANT result;
    EXCEPINFO error{};
    explicit CallFrame(std::size_t n) : args(n), slots(n) {
        for (auto& v : args) VariantInit(&v);
        VariantInit(&result);
    }
    ~CallFrame() {
        for (auto& v : args)
            if (!(V_VT(&v) & VT_BYREF)) VariantClear(&v);
        for (auto& s : slots) {
            SysFreeString(s.s);
            if (s.a) SafeArrayDestroy(s.a);
        }
        VariantClear(&result);
        SysFreeString(error.bstrSource);
        SysFreeString(error.bstrDescription);
        SysFreeString(error.bstrHelpFile);
    }
};

[[noreturn]] void Fail(std::string_view op, const std::string& why) { throw HostError(std::string(op) + ": " + why); }

}  // namespace

ComDispatcher::ComDispatcher(IDispatch* object) : object_(object) {
    if (object_) object_->AddRef();
}

ComDispatcher::~ComDispatcher() {
    if (object_) object_->Release();
}

DISPID ComDispatcher::dispatchId(std::string_view op) {
    if (auto it = ids_.find(op); it != ids_.end()) return it->second;
    std::wstring name = Widen(op);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr == DISP_E_UNKNOWNNAME) Fail(op, "the host model does not offer this operation");
    if (FAILED(hr)) Fail(op, platform::SystemErrorText(static_cast<unsigned long>(hr)));
    ids_.emplace(std::string(op), id);
    return id;
}

std::int32_t ComDispatcher::call(std::string_view op, std::span<AutoArg> args) {
    if (!object_) Fail(op, "there is no host model");
    const DISPID id = dispatchId(op);
    const std::size_t n = args.size();
    CallFrame f(n);
    for (std::size_t i = 0; i < n; ++i) {
        AutoArg& a = args[i];
        VARIANTARG& v = f.args[n - 1 - i];  // IDispatch takes the arguments last first
        Slot& s = f.slots[i];
        if (a.out) {
            switch (a.type) {
                case AutoType::Long:
                    V_VT(&v) = VT_BYREF | VT_I4;
                    V_I4REF(&v) = &s.l;
                    break;
                case AutoType::Double:
                    V_VT(&v) = VT_BYREF | VT_R8;
                    V_R8REF(&v) = &s.d;
                    break;
                case AutoType::Bool:
                    V_VT(&v) = VT_BYREF | VT_BOOL;
                    V_BOOLREF(&v) = &s.b;
                    break;
                case AutoType::String:
                    V_VT(&v) = VT_BYREF | VT_BSTR;
                    V_BSTRREF(&v) = &s.s;
                    break;
                case AutoType::Empty:
                    Fail(op, "an output without a type");
                default:
                    V_VT(&v) = static_cast<VARTYPE>(VT_BYREF | VT_ARRAY | com::VarTypeOf(a.type));
                    V_ARRAYREF(&v) = &s.a;
                    break;
            }
            continue;
        }
        switch (typeOf(a.value)) {
            case AutoType::Long:
                V_VT(&v) = VT_I4;
                V_I4(&v) = std::get<std::int32_t>(a.value);
                break;
            case AutoType::Double:
                V_VT(&v) = VT_R8;
                V_R8(&v) = std::get<double>(a.value);
                break;
            case AutoType::Bool:
                V_VT(&v) = VT_BOOL;
                V_BOOL(&v) = std::get<bool>(a.value) ? VARIANT_TRUE : VARIANT_FALSE;
                break;
            case AutoType::String:
                V_VT(&v) = VT_BSTR;
                V_BSTR(&v) = com::ToBstr(std::get<std::string>(a.value));
                break;
            case AutoType::Empty:
                break;
            default:
                V_VT(&v) = static_cast<VARTYPE>(VT_ARRAY | com::VarTypeOf(typeOf(a.value)));
                V_ARRAY(&v) = com::ToSafeArray(a.value);
                break;
        }
    }
    DISPPARAMS params{f.args.data(), nullptr, static_cast<UINT>(n), 0};
    UINT badArg = 0;
    const HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                       &params, &f.result, &f.error, &badArg);
    if (FAILED(hr)) {
        if (hr == DISP_E_EXCEPTION) {
            if (f.error.pfnDeferredFillIn) f.error.pfnDeferredFillIn(&f.error);
            std::string why = com::FromBstr(f.error.bstrDescription);
            if (why.empty()) why = platform::SystemErrorText(static_cast<unsigned long>(f.error.scode));
            Fail(op, why);
        }
        if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND)
            Fail(op, "the host refused argument " + std::to_string(n - badArg) + ": " +
                         platform::SystemErrorText(static_cast<unsigned long>(hr)));
        Fail(op, platform::SystemErrorText(static_cast<unsigned long>(hr)));
    }
    for (std::size_t i = 0; i < n; ++i) {
        AutoArg& a = args[i];
        if (!a.out) continue;
        Slot& s = f.slots[i];
        switch (a.type) {
            case AutoType::Long:
                a.value = static_cast<std::int32_t>(s.l);
                break;
            case AutoType::Double:
                a.value = s.d;
                break;
            case AutoType::Bool:
                a.value = s.b != VARIANT_FALSE;
                break;
            case AutoType::String:
                a.value = com::FromBstr(s.s);
                break;
            default: {
                std::string problem;
                if (!com::FromSafeArray(s.a, a.type, a.value, problem))
                    Fail(op, "output " + std::to_string(i + 1) + ": " + problem);
                break;
            }
        }
    }
    VARIANT status;
    VariantInit(&status);
    if (V_VT(&f.result) == VT_EMPTY || FAILED(VariantChangeType(&status, &f.result, 0, VT_I4)))
        Fail(op, "the host answered no status (a 32-bit number was expected)");
    return static_cast<std::int32_t>(V_I4(&status));
}

}  // namespace t2v::host::automation
