#include "plugin/com/PluginObject.h"

#include "host/automation/AutomationHost.h"
#include "host/automation/windows/ComDispatcher.h"
#include "platform/windows/WindowsPlatform.h"
#include "plugin/cPlugin.h"
#include "plugin/com/Module.h"
#include "plugin/com/TransferWindow.h"

#include <new>

namespace t2v::com {

using host::automation::AutomationHost;
using host::automation::ComDispatcher;

// What one cPlugin object keeps between calls: the platform, the dialog's shared values
// (they outlive each dialog), and the host-model reference of the last Main.
class PluginState {
public:
    PluginState() : window_(platform_, plugin_.Shared()) {}
    ~PluginState() {
        if (model_) model_->Release();
    }

    void Main(IDispatch* model, bool& ok) {
        if (model) model->AddRef();
        if (model_) model_->Release();
        model_ = model;
        std::unique_ptr<ComDispatcher> dispatcher;
        std::unique_ptr<AutomationHost> host;
        if (model_) {
            dispatcher = std::make_unique<ComDispatcher>(model_);
            host = std::make_unique<AutomationHost>(*dispatcher);
        }
        // The dialog belongs to the window the user started the export from.
        HWND owner = GetActiveWindow();
        // Only a live window of this thread can own a modal dialog shown on it.
        if (owner && (!IsWindow(owner) || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()))
            owner = nullptr;
        platform_.setOwner(owner);
        window_.setOwner(owner);
        struct Forget {
            plugin::SharedValues& shared;
            ~Forget() { shared.oTarvoModel = nullptr; }
        } forget{plugin_.Shared()};
        plugin_.Main(host.get(), ok);
    }
    std::int32_t Info(std::string& text) { return plugin_.Info(text); }

private:
    platform::WindowsPlatform platform_;
    TransferWindow window_;
    plugin::cPlugin plugin_{platform_, window_};
    IDispatch* model_ = nullptr;
};

PluginObject::PluginObject() : state_(std::make_unique<PluginState>()) { LockModule(); }

PluginObject::~PluginObject() {
    if (typeInfo_) typeInfo_->Release();
    UnlockModule();
}

HRESULT PluginObject::QueryInterface(REFIID riid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID__cPlugin)) {
        *out = static_cast<_cPlugin*>(this);
    } else if (IsEqualIID(riid, IID_ISupportErrorInfo)) {
        *out = static_cast<ISupportErrorInfo*>(this);
    } else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG PluginObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG PluginObject::Release() {
    const long n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT PluginObject::typeInfo(ITypeInfo** info) {
    if (!typeInfo_) {
        ITypeLib* lib = nullptr;
        HRESULT hr = LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &lib);
        if (FAILED(hr)) return hr;
        hr = lib->GetTypeInfoOfGuid(IID__cPlugin, &typeInfo_);
        lib->Release();
        if (FAILED(hr)) return hr;
    }
    *info = typeInfo_;
    return S_OK;
}

HRESULT PluginObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT PluginObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeInfo* ti = nullptr;
    const HRESULT hr = typeInfo(&ti);
    if (FAILED(hr)) return hr;
    ti->AddRef();
    *info = ti;
    return S_OK;
}

HRESULT PluginObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    ITypeInfo* ti = nullptr;
    const HRESULT hr = typeInfo(&ti);
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(ti, names, count, ids);
}

HRESULT PluginObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* error, UINT* badArg) {
    if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* ti = nullptr;
    HRESULT hr = typeInfo(&ti);
    if (FAILED(hr)) return hr;
    lastError_.clear();
    hr = DispInvoke(static_cast<_cPlugin*>(this), ti, id, flags, params, result, error, badArg);
    if (hr == DISP_E_TYPEMISMATCH) return invokeByVariantRef(id, params, result, error, badArg);
    if (hr == DISP_E_EXCEPTION && error && !error->bstrDescription && !lastError_.empty()) {
        error->bstrDescription = host::automation::com::ToBstr(lastError_);
        if (!error->bstrSource) error->bstrSource = SysAllocString(kProgId);
    }
    return hr;
}

namespace {

// The VARIANT a by-reference VARIANT argument refers to, or the argument itself.
VARIANT* Target(VARIANTARG& arg) {
    if (V_VT(&arg) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&arg)) return V_VARIANTREF(&arg);
    return &arg;
}

void FillError(EXCEPINFO* error, const std::string& description, HRESULT code) {
    if (!error) return;
    *error = EXCEPINFO{};
    error->bstrSource = SysAllocString(kProgId);
    error->bstrDescription = host::automation::com::ToBstr(description);
    error->scode = code;
}

}  // namespace

HRESULT PluginObject::invokeByVariantRef(DISPID id, DISPPARAMS* params, VARIANT* result, EXCEPINFO* error,
                                         UINT* badArg) {
    if (!params || params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
    if (id == 2) {  // Info(Text)
        if (params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        VARIANT* text = Target(params->rgvarg[0]);
        BSTR value = nullptr;
        LONG status = 0;
        const HRESULT hr = Info(&value, &status);
        if (FAILED(hr)) return hr;
        if (V_VT(&params->rgvarg[0]) == (VT_BYREF | VT_BSTR)) {
            SysFreeString(*V_BSTRREF(&params->rgvarg[0]));
            *V_BSTRREF(&params->rgvarg[0]) = value;
        } else {
            VariantClear(text);
            V_VT(text) = VT_BSTR;
            V_BSTR(text) = value;
        }
        if (result) {
            VariantInit(result);
            V_VT(result) = VT_I4;
            V_I4(result) = status;
        }
        return S_OK;
    }
    if (id == 1) {  // Main(oTarvoModel, ok)
        if (params->cArgs != 2) return DISP_E_BADPARAMCOUNT;
        VARIANT* model = Target(params->rgvarg[1]);
        VARIANT* ok = Target(params->rgvarg[0]);
        IDispatch* object = nullptr;
        switch (V_VT(model)) {
            case VT_EMPTY:
            case VT_NULL:
                break;
            case VT_DISPATCH:
                object = V_DISPATCH(model);
                break;
            case VT_BYREF | VT_DISPATCH:
                object = *V_DISPATCHREF(model);
                break;
            case VT_UNKNOWN:
                if (V_UNKNOWN(model) &&
                    FAILED(V_UNKNOWN(model)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object))))
                    object = nullptr;
                else if (object)
                    object->Release();  // the caller's variant keeps it alive
                break;
            default:
                if (badArg) *badArg = 1;
                return DISP_E_TYPEMISMATCH;
        }
        if (object) object->AddRef();
        VARIANT_BOOL done = VARIANT_FALSE;
        const HRESULT hr = Main(&object, &done);
        if (object) object->Release();
        if (V_VT(ok) == (VT_BYREF | VT_BOOL)) {
            *V_BOOLREF(ok) = done;
        } else {
            VariantClear(ok);
            V_VT(ok) = VT_BOOL;
            V_BOOL(ok) = done;
        }
        if (FAILED(hr)) {
            FillError(error, lastError_, hr);
            return DISP_E_EXCEPTION;
        }
        if (result) VariantInit(result);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT PluginObject::fail(const std::string& description) {
    lastError_ = description;
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        create->SetGUID(IID__cPlugin);
        const std::wstring source = kProgId;
        create->SetSource(const_cast<LPOLESTR>(source.c_str()));
        const std::wstring text = platform::Widen(description);
        create->SetDescription(const_cast<LPOLESTR>(text.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return E_FAIL;
}

HRESULT PluginObject::Main(IDispatch** oTarvoModel, VARIANT_BOOL* ok) {
    if (!ok) return E_POINTER;
    *ok = VARIANT_FALSE;
    try {
        bool done = false;
        state_->Main(oTarvoModel ? *oTarvoModel : nullptr, done);
        *ok = done ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    } catch (const std::exception& e) {
        return fail(e.what());
    } catch (...) {
        return fail("the export failed for an unknown reason");
    }
}

HRESULT PluginObject::Info(BSTR* Text, LONG* result) {
    if (!Text || !result) return E_POINTER;
    std::string text;
    *result = state_->Info(text);
    SysFreeString(*Text);
    *Text = host::automation::com::ToBstr(text);
    return S_OK;
}

HRESULT PluginObject::InterfaceSupportsErrorInfo(REFIID riid) {
    return IsEqualIID(riid, IID__cPlugin) ? S_OK : S_FALSE;
}

}  // namespace t2v::com
