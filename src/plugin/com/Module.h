// The component's module-wide state: its instance handle, the count of live objects and
// locks that DllCanUnloadNow reports, and the ids of its class and type library.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>

namespace t2v::com {

extern HINSTANCE g_module;
void LockModule();
void UnlockModule();
// The full path of this DLL.
std::wstring ModulePath();

constexpr const wchar_t* kProgId = L"Tarvo2Vantra.cPlugin";
constexpr const wchar_t* kProgIdVersioned = L"Tarvo2Vantra.cPlugin.1";
constexpr const wchar_t* kClassName = L"Tarvo2Vantra.cPlugin";

}  // namespace t2v::com
