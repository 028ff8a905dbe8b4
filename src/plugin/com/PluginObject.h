// The COM object cPlugin: the dual interface _cPlugin with Main and Info, its
// IDispatch served from the embedded type library, and rich error information for
// callers that bind early.
#pragma once

#include "Tarvo2Vantra_h.h"

#include <memory>
#include <string>

namespace t2v::com {

class PluginState;

class PluginObject final : public _cPlugin, public ISupportErrorInfo {
public:
    PluginObject();
    ~PluginObject();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* error, UINT* badArg) override;
    // _cPlugin
    HRESULT STDMETHODCALLTYPE Main(IDispatch** oTarvoModel, VARIANT_BOOL* ok) override;
    HRESULT STDMETHODCALLTYPE Info(BSTR* Text, LONG* result) override;
    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

private:
    HRESULT typeInfo(ITypeInfo** info);
    // Invoke for callers that pass every by-reference argument as a reference to a
    // VARIANT (scripts): converts to the declared types, calls, and copies back.
    HRESULT invokeByVariantRef(DISPID id, DISPPARAMS* params, VARIANT* result, EXCEPINFO* error, UINT* badArg);
    HRESULT fail(const std::string& description);

    long refs_ = 1;
    ITypeInfo* typeInfo_ = nullptr;
    std::string lastError_;
    std::unique_ptr<PluginState> state_;
};

}  // namespace t2v::com
