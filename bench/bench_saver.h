// Running orvelle.scr itself from a benchmark: a copy of the program in a folder, started full
// screen, its window found, the middle of the screen watched, its working set read, its end.
#pragma once

#include <windows.h>

#include <psapi.h>

#include <string>

#include "base/gdi_win.h"
#include "base/wide_win.h"
#include "bench_timing.h"

namespace bench {

struct WindowSearch {
    DWORD process = 0;
    HWND found = nullptr;
};

inline BOOL CALLBACK MatchSaverWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (owner == search->process && IsWindowVisible(window) &&
        std::wstring(name) == L"OrvelleSaverWindow") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

inline HWND SaverWindowOf(DWORD process) {
    WindowSearch search{process, nullptr};
    EnumWindows(MatchSaverWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline COLORREF CentrePixel() {
    const orvelle::win::WindowDC screen(nullptr);
    return GetPixel(screen.Get(), GetSystemMetrics(SM_CXSCREEN) / 2,
                    GetSystemMetrics(SM_CYSCREEN) / 2);
}

// Waits until the centre of the screen shows something else than `from`; false on time-out.
inline bool WaitForCentreChange(COLORREF from, double seconds) {
    const double end = Seconds() + seconds;
    while (Seconds() < end) {
        const COLORREF c = CentrePixel();
        if (c != CLR_INVALID && c != from) {
            return true;
        }
        Sleep(2);
    }
    return false;
}

// orvelle.scr copied into the folder from beside this program (build/<dir>/program).
inline std::wstring ProgramIn(const std::string& folder) {
    wchar_t self[MAX_PATH + 1] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring built(self);
    built = built.substr(0, built.find_last_of(L'\\') + 1) + L"program\\orvelle.scr";
    const std::wstring program = orvelle::win::Wide(folder + "orvelle.scr");
    return CopyFileW(built.c_str(), program.c_str(), FALSE) ? program : std::wstring();
}

// orvelle.scr started full screen; its window found (nullptr when it does not come).
inline HWND StartSaver(const std::wstring& program, PROCESS_INFORMATION& process) {
    std::wstring command = L"\"" + program + L"\" /s";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        process = {};
        return nullptr;
    }
    HWND window = nullptr;
    for (int i = 0; i < 500 && !window; ++i, Sleep(10)) {
        window = SaverWindowOf(process.dwProcessId);
    }
    return window;
}

// Ends the run with a key, or kills it; true when it went within ten seconds.
inline bool EndSaver(HWND window, PROCESS_INFORMATION& process) {
    PostMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
    const bool gone = WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0;
    if (!gone) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return gone;
}

inline std::size_t WorkingSetOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, &counters, sizeof counters);
    return counters.WorkingSetSize;
}

}  // namespace bench
