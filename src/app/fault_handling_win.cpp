#include "app/fault_handling_win.h"

#include <windows.h>

#include <atomic>
#include <string>

#include "app/desktop_guard_win.h"
#include "app/fault_response.h"
#include "base/common_dialogs_win.h"
#include "base/fault_barrier_win.h"
#include "media/mci_sender_win.h"

namespace orvelle::win {

namespace {

std::atomic<RunMode> g_mode{RunMode::Saver};
bool g_reportOpen = false;
bool g_ending = false;

// The end of a run whose state can no longer be trusted: what the user needs back first, then
// the loop ends and the windows are closed on the way out.
void EndRunAfterFault() {
    if (g_ending) {
        return;
    }
    g_ending = true;
    MediaPlayer().mmClose();
    RestoreDesktop();
    PostQuitMessage(kFaultExitCode);
}

void Report(HWND window, const std::string& what) {
    struct Open {
        Open() { g_reportOpen = true; }
        ~Open() { g_reportOpen = false; }
    } open;
    ShowMessageBox(GetAncestor(window, GA_ROOT), FaultReportText(what), "Orvelle Screen Saver",
                   MB_OK | MB_ICONEXCLAMATION);
}

void OnFault(HWND window, const std::string& what) {
    switch (ResponseToFault(g_mode.load(), g_reportOpen)) {
        case FaultResponse::EndRun:
            EndRunAfterFault();
            break;
        case FaultResponse::Report:
            Report(window, what);
            break;
        case FaultResponse::Drop:
            break;
    }
}

}  // namespace

void HandleFaultsFor(RunMode mode) {
    g_mode = mode;
    SetFaultHandler(OnFault);
}

}  // namespace orvelle::win
