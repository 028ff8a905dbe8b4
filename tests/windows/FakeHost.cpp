#include "windows/FakeHost.h"

#include "host/TarvoHost.h"
#include "host/automation/windows/ComDispatcher.h"
#include "platform/windows/WindowsPlatform.h"

#include <exception>

namespace t2v::wintest {

using host::automation::AutoArg;
using host::automation::AutoType;
using namespace host::automation::com;

FakeHost::FakeHost(host::automation::Dispatcher& answers, std::string missing)
    : answers_(answers), missing_(std::move(missing)) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    frequency_ = f.QuadPart;
}

HRESULT FakeHost::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG FakeHost::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
// Lives on the test's stack: the count is kept only to check the component's balance.
ULONG FakeHost::Release() { return static_cast<ULONG>(InterlockedDecrement(&refs_)); }

HRESULT FakeHost::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

HRESULT FakeHost::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    *info = nullptr;
    return E_NOTIMPL;
}

HRESULT FakeHost::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (count != 1) return DISP_E_UNKNOWNNAME;
    const std::string name = platform::Narrow(names[0]);
    if (name == missing_) {
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    for (std::size_t i = 0; i < names_.size(); ++i)
        if (names_[i] == name) {
            ids[0] = static_cast<DISPID>(i + 1);
            return S_OK;
        }
    names_.push_back(name);
    ids[0] = static_cast<DISPID>(names_.size());
    return S_OK;
}

HRESULT FakeHost::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO* error, UINT*) {
    if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    const std::string& op = names_[static_cast<std::size_t>(id) - 1];
    ++calls_;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    struct Clock {
        LARGE_INTEGER start;
        long long& total;
        ~Clock() {
            LARGE_INTEGER end;
            QueryPerformanceCounter(&end);
            total += end.QuadPart - start.QuadPart;
        }
    } clock{start, answerTicks_};
    const UINT n = params ? params->cArgs : 0;
    std::vector<AutoArg> args(n);
    try {
        // Arguments arrive last first; by-reference ones are outputs of their declared type.
        for (UINT i = 0; i < n; ++i) {
            VARIANTARG& v = params->rgvarg[n - 1 - i];
            AutoArg& a = args[i];
            const VARTYPE vt = V_VT(&v);
            a.out = (vt & VT_BYREF) != 0;
            a.type = AutoTypeOf(static_cast<VARTYPE>(vt & ~VT_BYREF));
            if (a.type == AutoType::Empty)
                throw host::HostError(op + ": argument " + std::to_string(i + 1) + " has a type no operation takes");
            if (a.out) continue;
            switch (a.type) {
                case AutoType::Long:
                    a.value = static_cast<std::int32_t>(V_I4(&v));
                    break;
                case AutoType::Double:
                    a.value = V_R8(&v);
                    break;
                case AutoType::Bool:
                    a.value = V_BOOL(&v) != VARIANT_FALSE;
                    break;
                case AutoType::String:
                    a.value = FromBstr(V_BSTR(&v));
                    break;
                default: {
                    std::string problem;
                    if (!FromSafeArray(V_ARRAY(&v), a.type, a.value, problem))
                        throw host::HostError(op + ": " + problem);
                }
            }
        }
        const std::int32_t status = answers_.call(op, args);
        for (UINT i = 0; i < n; ++i) {
            AutoArg& a = args[i];
            if (!a.out) continue;
            VARIANTARG& v = params->rgvarg[n - 1 - i];
            if (host::automation::typeOf(a.value) != a.type)
                throw host::HostError(op + ": the recorded answer " + std::to_string(i + 1) + " has another type");
            switch (a.type) {
                case AutoType::Long:
                    *V_I4REF(&v) = std::get<std::int32_t>(a.value);
                    break;
                case AutoType::Double:
                    *V_R8REF(&v) = std::get<double>(a.value);
                    break;
                case AutoType::Bool:
                    *V_BOOLREF(&v) = std::get<bool>(a.value) ? VARIANT_TRUE : VARIANT_FALSE;
                    break;
                case AutoType::String:
                    SysFreeString(*V_BSTRREF(&v));
                    *V_BSTRREF(&v) = ToBstr(std::get<std::string>(a.value));
                    break;
                default:
                    if (*V_ARRAYREF(&v)) SafeArrayDestroy(*V_ARRAYREF(&v));
                    *V_ARRAYREF(&v) = ToSafeArray(a.value);
                    break;
            }
        }
        if (result) {
            VariantInit(result);
            V_VT(result) = VT_I4;
            V_I4(result) = status;
        }
        return S_OK;
    } catch (const std::exception& e) {
        failures_.push_back(e.what());
        if (error) {
            *error = EXCEPINFO{};
            error->bstrSource = SysAllocString(L"FakeHost");
            // The caller names the operation itself.
            std::string why = e.what();
            if (why.rfind(op + ": ", 0) == 0) why.erase(0, op.size() + 2);
            error->bstrDescription = ToBstr(why);
            error->scode = E_FAIL;
        }
        return DISP_E_EXCEPTION;
    }
}

}  // namespace t2v::wintest
