#include "base/optional_api_win.h"

namespace orvelle::win {

namespace {

// Loaded once and kept for the life of the process.
FARPROC Resolve(const wchar_t* library, const char* name) {
    HMODULE module = LoadLibraryW(library);
    return module ? GetProcAddress(module, name) : nullptr;
}

template <typename Fn>
Fn Lookup(const wchar_t* library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(Resolve(library, name)));
}

}  // namespace

bool PwdChangePassword(const char* provider, HWND parent) {
    using Fn = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
    static const Fn fn = Lookup<Fn>(L"mpr.dll", "PwdChangePasswordA");
    if (!fn) {
        return false;
    }
    fn(provider, parent, 0, nullptr);
    return true;
}

bool VerifyScreenSavePwd(HWND window) {
    using Fn = BOOL(WINAPI*)(HWND);
    static const Fn fn = Lookup<Fn>(L"password.cpl", "VerifyScreenSavePwd");
    return fn ? fn(window) != FALSE : true;
}

bool DwmFlush() {
    using EnabledFn = HRESULT(WINAPI*)(BOOL*);
    using FlushFn = HRESULT(WINAPI*)();
    static const EnabledFn enabled = Lookup<EnabledFn>(L"dwmapi.dll", "DwmIsCompositionEnabled");
    static const FlushFn flush = Lookup<FlushFn>(L"dwmapi.dll", "DwmFlush");
    BOOL on = FALSE;
    if (!enabled || !flush || FAILED(enabled(&on)) || !on) {
        return false;
    }
    return SUCCEEDED(flush());
}

void SetProcessDpiAware() {
    using Fn = BOOL(WINAPI*)();
    static const Fn fn = Lookup<Fn>(L"user32.dll", "SetProcessDPIAware");
    if (fn) {
        fn();
    }
}

}  // namespace orvelle::win
