// Registration of the component: DllRegisterServer writes the class, its ProgIDs and
// the type library for the current user (no administrator rights needed);
// DllInstall(TRUE, L"machine") writes the same machine-wide, for hosts that look
// classes up only there. DllUnregisterServer removes whichever of the two was written.
#include "plugin/com/Module.h"

#include "Tarvo2Vantra_h.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>

// The system's import library has these, though not every set of headers declares them.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* lib, OLECHAR* path, OLECHAR* helpDir);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libId, WORD major, WORD minor, LCID lcid, SYSKIND syskind);
}

namespace t2v::com {
namespace {

std::wstring GuidText(REFGUID id) {
    wchar_t text[64] = {};
    StringFromGUID2(id, text, 64);
    return text;
}

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG r = RegSetValueExW(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(h);
    return r == ERROR_SUCCESS;
}

// Every key the registration writes below "...\Classes", with its default value (and the
// threading model of the server).
bool WriteClassKeys(HKEY classes) {
    const std::wstring clsid = GuidText(CLSID_cPlugin);
    const std::wstring libid = GuidText(LIBID_Tarvo2Vantra);
    const std::wstring path = ModulePath();
    const std::wstring cls = L"CLSID\\" + clsid;
    bool ok = SetValue(classes, cls, nullptr, kClassName);
    ok = ok && SetValue(classes, cls + L"\\InprocServer32", nullptr, path);
    ok = ok && SetValue(classes, cls + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    ok = ok && SetValue(classes, cls + L"\\ProgID", nullptr, kProgIdVersioned);
    ok = ok && SetValue(classes, cls + L"\\VersionIndependentProgID", nullptr, kProgId);
    ok = ok && SetValue(classes, cls + L"\\TypeLib", nullptr, libid);
    ok = ok && SetValue(classes, cls + L"\\Version", nullptr, L"1.0");
    ok = ok && SetValue(classes, kProgId, nullptr, kClassName);
    ok = ok && SetValue(classes, std::wstring(kProgId) + L"\\CLSID", nullptr, clsid);
    ok = ok && SetValue(classes, std::wstring(kProgId) + L"\\CurVer", nullptr, kProgIdVersioned);
    ok = ok && SetValue(classes, kProgIdVersioned, nullptr, kClassName);
    ok = ok && SetValue(classes, std::wstring(kProgIdVersioned) + L"\\CLSID", nullptr, clsid);
    return ok;
}

void DeleteClassKeys(HKEY classes) {
    RegDeleteTreeW(classes, (L"CLSID\\" + GuidText(CLSID_cPlugin)).c_str());
    RegDeleteTreeW(classes, kProgId);
    RegDeleteTreeW(classes, kProgIdVersioned);
}

HRESULT WithClasses(HKEY root, bool (*action)(HKEY)) {
    HKEY classes = nullptr;
    if (RegCreateKeyExW(root, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &classes, nullptr) !=
        ERROR_SUCCESS)
        return E_ACCESSDENIED;
    const bool ok = action(classes);
    RegCloseKey(classes);
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT RegisterTypeLibrary(bool machine) {
    ITypeLib* lib = nullptr;
    std::wstring path = ModulePath();
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
    if (FAILED(hr)) return hr;
    hr = machine ? RegisterTypeLib(lib, path.data(), nullptr) : RegisterTypeLibForUser(lib, path.data(), nullptr);
    lib->Release();
    return FAILED(hr) ? SELFREG_E_TYPELIB : S_OK;
}

bool HasClassKey(HKEY root) {
    HKEY h = nullptr;
    const std::wstring key = L"Software\\Classes\\CLSID\\" + GuidText(CLSID_cPlugin);
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
}

HRESULT Register(bool machine) {
    HRESULT hr = WithClasses(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, WriteClassKeys);
    if (SUCCEEDED(hr)) hr = RegisterTypeLibrary(machine);
    return hr;
}

HRESULT Unregister() {
    // Both places: a machine-wide registration may have been made as well.
    for (bool machine : {false, true}) {
        HKEY root = machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        if (!HasClassKey(root)) continue;
        WithClasses(root, [](HKEY classes) {
            DeleteClassKeys(classes);
            return true;
        });
        if (machine)
            UnRegisterTypeLib(LIBID_Tarvo2Vantra, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
        else
            UnRegisterTypeLibForUser(LIBID_Tarvo2Vantra, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
    }
    return S_OK;
}

}  // namespace
}  // namespace t2v::com

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return t2v::com::Register(false); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return t2v::com::Unregister(); }

// regsvr32 /i:machine calls DllInstall(TRUE, L"machine") after DllRegisterServer;
// regsvr32 /u /i:machine calls DllInstall(FALSE, L"machine") after DllUnregisterServer.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR command) {
    const bool machine = command && CompareStringOrdinal(command, -1, L"machine", -1, TRUE) == CSTR_EQUAL;
    if (!install) return t2v::com::Unregister();
    if (!machine) return t2v::com::Register(false);
    return t2v::com::Register(true);
}
