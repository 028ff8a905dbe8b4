// plugin-client: the tests of the Windows component, run under Wine by
// scripts/test-windows.sh. It creates Tarvo2Vantra.cPlugin by its ProgID, as the host
// does, calls Info and Main, and plays the user of the dialog with window messages from
// a second thread: it types the structure name, picks the version, presses the buttons
// and answers each message box, recording what the boxes said.
//
//   plugin-client info
//   plugin-client transfer TRANSCRIPT NAME VERSION [early]  transfer over a recorded host
//   plugin-client fail TRANSCRIPT N NAME                    the N-th host call fails
//   plugin-client missing TRANSCRIPT OPERATION NAME         the host lacks an operation
//   plugin-client nomodel                                   Main without a model, Transfer
//   plugin-client close                                     Main, then Close at once
//   plugin-client show SECONDS [READYFILE]                  the dialog stays up (screenshots)
//   plugin-client platform                                  the Windows platform layer
//   plugin-client bench TRANSCRIPT NAME                     times a transfer (see bench/)
//
// Exit status 0 when every check of the command held; each check prints one line.
#include "Tarvo2Vantra_h.h"
#include "host/automation/Transcript.h"
#include "platform/windows/WindowsPlatform.h"
#include "plugin/com/resource.h"
#include "windows/FakeHost.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using t2v::platform::Narrow;
using t2v::platform::Widen;

namespace t2v::wintest {

int g_failed = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++g_failed;
}

int PlatformChecks();

}  // namespace t2v::wintest

namespace {

using t2v::wintest::Check;
using t2v::wintest::g_failed;

struct Com {
    Com() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~Com() { CoUninitialize(); }
};

IDispatch* CreatePlugin() {
    CLSID clsid{};
    HRESULT hr = CLSIDFromProgID(L"Tarvo2Vantra.cPlugin", &clsid);
    Check(SUCCEEDED(hr), "the ProgID Tarvo2Vantra.cPlugin is registered");
    if (FAILED(hr)) return nullptr;
    IDispatch* plugin = nullptr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&plugin));
    Check(SUCCEEDED(hr), "CoCreateInstance creates cPlugin");
    return SUCCEEDED(hr) ? plugin : nullptr;
}

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// What Main returned, and what the user saw.
struct MainOutcome {
    HRESULT hr = E_FAIL;
    bool ok = false;
    std::string error;
};

// Main late-bound: the model and ok as by-reference arguments, as a script passes them.
MainOutcome CallMainLate(IDispatch* plugin, IDispatch* model) {
    MainOutcome out;
    IDispatch* modelRef = model;
    VARIANT_BOOL ok = VARIANT_FALSE;
    VARIANTARG args[2];
    VariantInit(&args[0]);
    VariantInit(&args[1]);
    V_VT(&args[1]) = VT_BYREF | VT_DISPATCH;
    V_DISPATCHREF(&args[1]) = &modelRef;
    V_VT(&args[0]) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&args[0]) = &ok;
    DISPPARAMS params{args, nullptr, 2, 0};
    EXCEPINFO error{};
    UINT bad = 0;
    out.hr = plugin->Invoke(IdOf(plugin, L"Main"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                            &error, &bad);
    out.ok = ok != VARIANT_FALSE;
    if (error.bstrDescription) out.error = Narrow(error.bstrDescription);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrHelpFile);
    return out;
}

// Main early-bound, through the vtable; the error comes as error information.
MainOutcome CallMainEarly(IDispatch* plugin, IDispatch* model) {
    MainOutcome out;
    _cPlugin* early = nullptr;
    if (FAILED(plugin->QueryInterface(IID__cPlugin, reinterpret_cast<void**>(&early)))) return out;
    IDispatch* modelRef = model;
    VARIANT_BOOL ok = VARIANT_FALSE;
    out.hr = early->Main(&modelRef, &ok);
    out.ok = ok != VARIANT_FALSE;
    if (FAILED(out.hr)) {
        IErrorInfo* info = nullptr;
        if (GetErrorInfo(0, &info) == S_OK && info) {
            BSTR text = nullptr;
            info->GetDescription(&text);
            if (text) out.error = Narrow(text);
            SysFreeString(text);
            info->Release();
        }
    }
    early->Release();
    return out;
}

// --- the user, on a second thread -------------------------------------------------------

std::wstring WindowText(HWND w) {
    wchar_t text[4096] = {};
    GetWindowTextW(w, text, 4096);
    return text;
}

struct FindArgs {
    DWORD process;
    HWND exclude;
    const wchar_t* title;  // null: any
    HWND found;
};

BOOL CALLBACK FindDialog(HWND w, LPARAM p) {
    auto* a = reinterpret_cast<FindArgs*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (pid == a->process && w != a->exclude && IsWindowVisible(w) && std::wstring(cls) == L"#32770" &&
        (!a->title || WindowText(w) == a->title)) {
        a->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopDialog(const wchar_t* title, HWND exclude) {
    FindArgs a{GetCurrentProcessId(), exclude, title, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&a));
    return a.found;
}

// Plays the user: waits for the dialog, does `act` on it, then answers every message
// box (OK), recording its text, until the dialog is gone.
class User {
public:
    template <class Act>
    void start(Act act) {
        thread_ = std::thread([this, act] {
            HWND dialog = nullptr;
            for (int i = 0; i < 2400 && !dialog; ++i) {  // two minutes, for a loaded machine
                dialog = FindTopDialog(L"Export to Vantra", nullptr);
                if (!dialog) Sleep(50);
            }
            if (!dialog) {
                Check(false, "the dialog appeared");
                return;
            }
            dialogSeen = true;
            act(dialog);
            for (int i = 0; i < 20 * 60 * 10 && IsWindow(dialog); ++i) {
                if (HWND box = FindTopDialog(nullptr, dialog)) {
                    wchar_t text[4096] = {};
                    GetDlgItemTextW(box, 0xFFFF, text, 4096);
                    messages.push_back(Narrow(WindowText(box)) + ": " + Narrow(text));
                    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                    for (int k = 0; k < 100 && IsWindow(box) && IsWindowVisible(box); ++k) Sleep(20);
                }
                Sleep(50);
            }
        });
    }
    void join() {
        if (thread_.joinable()) thread_.join();
    }
    bool saw(const std::string& text) const {
        for (const std::string& m : messages)
            if (m.find(text) != std::string::npos) return true;
        return false;
    }
    void print() const {
        for (const std::string& m : messages) std::printf("     message box %s\n", m.c_str());
    }
    std::vector<std::string> messages;
    bool dialogSeen = false;

private:
    std::thread thread_;
};

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetName(HWND dialog, const std::string& name) {
    SendMessageW(GetDlgItem(dialog, IDC_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
}

void PickVersion(HWND dialog, int version) {
    const int on = version == 4 ? IDC_VERSION4 : IDC_VERSION5;
    const int off = version == 4 ? IDC_VERSION5 : IDC_VERSION4;
    SendMessageW(GetDlgItem(dialog, on), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(GetDlgItem(dialog, off), BM_SETCHECK, BST_UNCHECKED, 0);
}

// --- commands -------------------------------------------------------------------------------

int Info(IDispatch* plugin) {
    BSTR text = nullptr;
    VARIANTARG arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&arg) = &text;
    DISPPARAMS params{&arg, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = plugin->Invoke(IdOf(plugin, L"Info"), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result,
                                nullptr, nullptr);
    Check(SUCCEEDED(hr) && V_VT(&result) == VT_I4 && V_I4(&result) == 0 && text && Narrow(text) == "Export to Vantra",
          "Info late-bound by name returns 0 and \"Export to Vantra\" (got \"" + (text ? Narrow(text) : "") + "\")");
    SysFreeString(text);
    text = nullptr;

    _cPlugin* early = nullptr;
    hr = plugin->QueryInterface(IID__cPlugin, reinterpret_cast<void**>(&early));
    Check(SUCCEEDED(hr), "cPlugin offers its dual interface for early binding");
    if (early) {
        LONG r = -1;
        hr = early->Info(&text, &r);
        Check(SUCCEEDED(hr) && r == 0 && text && Narrow(text) == "Export to Vantra",
              "Info early-bound through the vtable returns 0 and \"Export to Vantra\"");
        SysFreeString(text);
        early->Release();
    }
    ITypeInfo* ti = nullptr;
    Check(SUCCEEDED(plugin->GetTypeInfo(0, LOCALE_USER_DEFAULT, &ti)) && ti, "the type library is embedded");
    if (ti) {
        TYPEATTR* attr = nullptr;
        if (SUCCEEDED(ti->GetTypeAttr(&attr))) {
            Check(attr->cFuncs == 9, "the interface has IDispatch's members and exactly Main and Info");
            ti->ReleaseTypeAttr(attr);
        }
        BSTR first = nullptr, second = nullptr;
        FUNCDESC* f = nullptr;
        if (SUCCEEDED(ti->GetFuncDesc(7, &f))) {
            ti->GetDocumentation(f->memid, &first, nullptr, nullptr, nullptr);
            ti->ReleaseFuncDesc(f);
        }
        if (SUCCEEDED(ti->GetFuncDesc(8, &f))) {
            ti->GetDocumentation(f->memid, &second, nullptr, nullptr, nullptr);
            ti->ReleaseFuncDesc(f);
        }
        Check(first && second && Narrow(first) == "Main" && Narrow(second) == "Info", "Main comes before Info");
        SysFreeString(first);
        SysFreeString(second);
        ti->Release();
    }
    return 0;
}

int Transfer(IDispatch* plugin, const std::string& transcript, const std::string& name, int version, bool early) {
    auto answers = t2v::host::automation::TranscriptDispatcher::LoadFile(transcript);
    t2v::wintest::FakeHost host(*answers);
    User user;
    user.start([&](HWND dialog) {
        SetName(dialog, name);
        PickVersion(dialog, version);
        Press(dialog, IDC_TRANSFER);
    });
    MainOutcome out = early ? CallMainEarly(plugin, &host) : CallMainLate(plugin, &host);
    user.join();
    user.print();
    for (const std::string& f : host.failures()) std::printf("     host call refused: %s\n", f.c_str());
    Check(SUCCEEDED(out.hr) && out.ok,
          "Main returns with ok = true" + (out.error.empty() ? "" : " (" + out.error + ")"));
    Check(user.saw("Transfer Complete"), "the user is told \"Transfer Complete\"");
    Check(host.failures().empty(), "every host call was one the transcript holds");
    Check(host.calls() == answers->size(), "every recorded call was made (" + std::to_string(host.calls()) + " of " +
                                               std::to_string(answers->size()) + ")");
    return 0;
}

// The time from pressing Transfer to the "Transfer Complete" box: the component's read,
// fill and write, plus the host's answers, which are timed apart.
int Bench(IDispatch* plugin, const std::string& transcript, const std::string& name) {
    auto answers = t2v::host::automation::TranscriptDispatcher::LoadFile(transcript);
    t2v::wintest::FakeHost host(*answers);
    LARGE_INTEGER frequency, pressed{}, told{};
    QueryPerformanceFrequency(&frequency);
    std::thread user([&] {
        HWND dialog = nullptr;
        while (!(dialog = FindTopDialog(L"Export to Vantra", nullptr))) Sleep(10);
        SetName(dialog, name);
        QueryPerformanceCounter(&pressed);
        Press(dialog, IDC_TRANSFER);
        for (;;) {
            if (HWND box = FindTopDialog(nullptr, dialog)) {
                QueryPerformanceCounter(&told);
                PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
                break;
            }
            Sleep(10);  // looking more often would take the machine's time from the transfer
        }
    });
    MainOutcome out = CallMainEarly(plugin, &host);
    user.join();
    const double total =
        static_cast<double>(told.QuadPart - pressed.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("{\"calls\": %lu, \"total\": %.4f, \"host\": %.4f, \"component\": %.4f, \"ok\": %s}\n", host.calls(),
                total, host.answerSeconds(), total - host.answerSeconds(), out.ok ? "true" : "false");
    return out.ok && host.failures().empty() ? 0 : 1;
}

int Fail(IDispatch* plugin, const std::string& transcript, unsigned long failAt, const std::string& name) {
    auto answers = t2v::host::automation::TranscriptDispatcher::LoadFile(transcript);
    t2v::host::automation::FailingDispatcher failing(*answers, failAt);
    t2v::wintest::FakeHost host(failing);
    User user;
    user.start([&](HWND dialog) {
        SetName(dialog, name);
        Press(dialog, IDC_TRANSFER);
    });
    MainOutcome out = CallMainLate(plugin, &host);
    user.join();
    user.print();
    std::printf("     Main: hr=0x%08lx ok=%d error=%s\n", static_cast<unsigned long>(out.hr), out.ok,
                out.error.c_str());
    Check(FAILED(out.hr) && !out.ok, "a failed host call makes Main fail with ok = false");
    Check(!out.error.empty() && out.error.find(':') != std::string::npos,
          "the error names the operation and the reason (" + out.error + ")");
    Check(!user.saw("Transfer Complete"), "no \"Transfer Complete\"");
    return 0;
}

int Missing(IDispatch* plugin, const std::string& transcript, const std::string& op, const std::string& name) {
    auto answers = t2v::host::automation::TranscriptDispatcher::LoadFile(transcript);
    t2v::wintest::FakeHost host(*answers, op);
    User user;
    user.start([&](HWND dialog) {
        SetName(dialog, name);
        Press(dialog, IDC_TRANSFER);
    });
    MainOutcome out = CallMainEarly(plugin, &host);
    user.join();
    std::printf("     Main: hr=0x%08lx ok=%d error=%s\n", static_cast<unsigned long>(out.hr), out.ok,
                out.error.c_str());
    Check(FAILED(out.hr) && !out.ok, "a host without " + op + " makes Main fail with ok = false");
    Check(out.error.rfind(op + ":", 0) == 0, "the error starts with the operation's name");
    return 0;
}

int NoModel(IDispatch* plugin) {
    User user;
    user.start([](HWND dialog) { Press(dialog, IDC_TRANSFER); });
    MainOutcome out = CallMainLate(plugin, nullptr);
    user.join();
    user.print();
    Check(user.saw("No Model"), "Transfer without a model shows \"No Model\"");
    Check(SUCCEEDED(out.hr) && out.ok, "Main then returns ok = true");
    return 0;
}

int Close(IDispatch* plugin) {
    User user;
    user.start([](HWND dialog) { Press(dialog, IDC_CLOSE); });
    MainOutcome out = CallMainEarly(plugin, nullptr);
    user.join();
    Check(user.dialogSeen, "Main shows the dialog");
    Check(SUCCEEDED(out.hr) && out.ok, "closing the dialog without a transfer returns ok = true");
    Check(user.messages.empty(), "no message box");
    return 0;
}

// Shows the dialog for `seconds`; once it has been painted, creates `ready` (if given)
// so that a script knows when to take its picture.
int Show(IDispatch* plugin, int seconds, const std::string& ready) {
    User user;
    user.start([seconds, ready](HWND dialog) {
        SetForegroundWindow(dialog);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Sleep(1000);
        if (!ready.empty()) {
            HANDLE h = CreateFileW(Widen(ready).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        }
        Sleep(static_cast<DWORD>(seconds) * 1000);
        Press(dialog, IDC_CLOSE);
    });
    MainOutcome out = CallMainLate(plugin, nullptr);
    user.join();
    Check(SUCCEEDED(out.hr) && out.ok, "the dialog was shown and closed");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    if (a.empty()) {
        std::fprintf(stderr, "usage: plugin-client info|transfer|fail|missing|nomodel|close|show ...\n");
        return 2;
    }
    Com com;
    if (a[0] == "platform") {
        t2v::wintest::PlatformChecks();
        return g_failed == 0 ? 0 : 1;
    }
    IDispatch* plugin = CreatePlugin();
    if (!plugin) return 1;
    try {
        const std::string& cmd = a[0];
        if (cmd == "info")
            Info(plugin);
        else if (cmd == "transfer" && a.size() >= 4)
            Transfer(plugin, a[1], a[2], std::atoi(a[3].c_str()), a.size() > 4 && a[4] == "early");
        else if (cmd == "fail" && a.size() == 4)
            Fail(plugin, a[1], std::strtoul(a[2].c_str(), nullptr, 10), a[3]);
        else if (cmd == "missing" && a.size() == 4)
            Missing(plugin, a[1], a[2], a[3]);
        else if (cmd == "nomodel")
            NoModel(plugin);
        else if (cmd == "close")
            Close(plugin);
        else if (cmd == "show" && a.size() >= 2)
            Show(plugin, std::atoi(a[1].c_str()), a.size() > 2 ? a[2] : "");
        else if (cmd == "bench" && a.size() == 3) {
            const int r = Bench(plugin, a[1], a[2]);
            plugin->Release();
            return r;
        } else {
            std::fprintf(stderr, "plugin-client: unknown command or arguments\n");
            plugin->Release();
            return 2;
        }
    } catch (const std::exception& e) {
        Check(false, std::string("no error escapes: ") + e.what());
    }
    plugin->Release();
    return g_failed == 0 ? 0 : 1;
}
