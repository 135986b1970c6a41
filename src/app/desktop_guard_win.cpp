#include "app/desktop_guard_win.h"

#include <cstdlib>
#include <exception>

namespace orvelle::win {

namespace {

// Plain globals: the crash filter must not allocate or take locks.
HWND g_taskbar = nullptr;
volatile LONG g_taskbarHidden = 0;
volatile LONG g_pointerHidden = 0;
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;

LONG WINAPI CrashFilter(EXCEPTION_POINTERS* info) {
    RestoreDesktop();
    return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

void OnTerminate() {
    RestoreDesktop();
    std::abort();
}

void AtExit() {
    RestoreDesktop();
}

}  // namespace

void InstallDesktopGuard() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    g_previousFilter = SetUnhandledExceptionFilter(CrashFilter);
    std::set_terminate(OnTerminate);
    std::atexit(AtExit);
}

void NoteTaskbarHidden(HWND taskbar) {
    g_taskbar = taskbar;
    InterlockedExchange(&g_taskbarHidden, 1);
}

void NotePointerHidden() {
    InterlockedExchange(&g_pointerHidden, 1);
}

void RestoreDesktop() {
    if (InterlockedExchange(&g_taskbarHidden, 0) != 0) {
        // Looked up again: the shell may have restarted since the run began.
        HWND tray = FindWindowW(L"Shell_traywnd", L"");
        if (!tray) {
            tray = g_taskbar;
        }
        if (tray) {
            SetWindowPos(tray, nullptr, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (InterlockedExchange(&g_pointerHidden, 0) != 0) {
        for (int i = 0; i < 100 && ShowCursor(TRUE) < 0; ++i) {
        }
    }
}

}  // namespace orvelle::win
