#include "saver/saver_window_win.h"

#include <mmsystem.h>

#include "base/optional_api_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

namespace {

constexpr wchar_t kProgramTitle[] = L"Orvelle Screen Saver";

}  // namespace

int SaverWindow::WaveOutDeviceCount() {
    return static_cast<int>(waveOutGetNumDevs());
}

void SaverWindow::SetScreenSaverRunning(bool running) {
    UINT previous = 0;
    SystemParametersInfoW(97, running ? 1 : 0, &previous, 0);
}

int SaverWindow::ShowPointerOnce() {
    return ShowCursor(TRUE);
}

void SaverWindow::SetPointerPosition(int x, int y) {
    SetCursorPos(x, y);
}

void SaverWindow::ShowTaskbar() {
    HWND tray = FindWindowW(L"Shell_traywnd", L"");
    if (tray) {
        // Only shown: the task bar keeps its place and size.
        SetWindowPos(tray, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

bool SaverWindow::VerifyPassword() {
    return VerifyScreenSavePwd(Handle());
}

void SaverWindow::ShowSaverWindow() {
    if (IsAlive()) {
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
    }
}

void SaverWindow::UnloadSaverWindow() {
    Destroy();
}

void SaverWindow::ShowErrorMessage(const std::string& text) {
    if (ended_) {
        // The run was already ended (by the user, during a pause): nothing more to tell.
        return;
    }
    ShowPointerForMessage();
    MessageBoxW(nullptr, Wide(text).c_str(), kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

void SaverWindow::EndProgram() {
    if (!ended_) {
        ended_ = true;
        PostQuitMessage(0);
    }
}

}  // namespace orvelle::win
