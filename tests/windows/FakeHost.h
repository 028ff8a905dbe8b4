// A host model object for the tests under Wine: an IDispatch that answers every
// late-bound call from a Dispatcher (a transcript of a transfer recorded on Linux), so
// each argument the adapter passes across the real COM boundary is checked against what
// the document host answered there. A call it cannot answer fails the test.
#pragma once

#include "host/automation/Dispatcher.h"

#include <string>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <oaidl.h>

namespace t2v::wintest {

class FakeHost final : public IDispatch {
public:
    // `missing`: an operation name the object pretends not to have.
    explicit FakeHost(host::automation::Dispatcher& answers, std::string missing = {});

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* error, UINT* badArg) override;

    // Every call that could not be answered, with the reason.
    const std::vector<std::string>& failures() const { return failures_; }
    unsigned long calls() const { return calls_; }
    // Seconds spent answering calls (inside Invoke), to tell the host's share of a
    // transfer's time from the component's.
    double answerSeconds() const { return static_cast<double>(answerTicks_) / static_cast<double>(frequency_); }

private:
    host::automation::Dispatcher& answers_;
    std::string missing_;
    std::vector<std::string> names_;  // dispatch id - 1 -> operation name
    std::vector<std::string> failures_;
    unsigned long calls_ = 0;
    long long answerTicks_ = 0;
    long long frequency_ = 1;
    long refs_ = 1;
};

}  // namespace t2v::wintest
