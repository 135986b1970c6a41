#include "base/optional_api_win.h"

#include "base/controls_win.h"

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
    // Per monitor, version 2 (Windows 10 1703), then per monitor (8.1), then system-wide
    // (Vista). The manifest asks for the same; these cover a program started without it.
    using ContextFn = BOOL(WINAPI*)(HANDLE);
    using AwarenessFn = HRESULT(WINAPI*)(int);
    using SystemFn = BOOL(WINAPI*)();
    static const ContextFn context =
        Lookup<ContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext");
    static const AwarenessFn awareness =
        Lookup<AwarenessFn>(L"shcore.dll", "SetProcessDpiAwareness");
    static const SystemFn system = Lookup<SystemFn>(L"user32.dll", "SetProcessDPIAware");
    const auto kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
    constexpr int kPerMonitor = 2;
    if (context && context(kPerMonitorV2)) {
        return;
    }
    if (awareness && SUCCEEDED(awareness(kPerMonitor))) {
        return;
    }
    if (system) {
        system();
    }
}

int WindowDpi(HWND window) {
    using Fn = UINT(WINAPI*)(HWND);
    static const Fn fn = Lookup<Fn>(L"user32.dll", "GetDpiForWindow");
    const UINT dpi = fn && window ? fn(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

std::wstring LongDateText(const SYSTEMTIME& date) {
    // A null locale name is the user's.
    using Fn = int(WINAPI*)(LPCWSTR, DWORD, const SYSTEMTIME*, LPCWSTR, LPWSTR, int, LPCWSTR);
    static const Fn fn = Lookup<Fn>(L"kernel32.dll", "GetDateFormatEx");
    wchar_t text[256] = {};
    const int length =
        fn ? fn(nullptr, DATE_LONGDATE, &date, nullptr, text, 256, nullptr)
           : GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &date, nullptr, text, 256);
    return length > 0 ? std::wstring(text) : std::wstring();
}

}  // namespace orvelle::win
