#include "app/app_host_win.h"

#include "app/desktop_guard_win.h"
#include "app/preview_win.h"
#include "app/saver_run_win.h"
#include "base/numbers.h"
#include "base/optional_api_win.h"
#include "config/config_placeholder_win.h"

namespace orvelle::win {

namespace {

int TwipsPerPixel(int axis) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return TwipsPerPixelForDpi(dpi);
}

}  // namespace

std::string ArgumentsAfterProgramName(const char* commandLine) {
    const char* p = commandLine ? commandLine : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') {
            ++p;
        }
        if (*p == '"') {
            ++p;
        }
    } else {
        while (*p && *p != ' ' && *p != '\t') {
            ++p;
        }
    }
    while (*p == ' ' || *p == '\t') {
        ++p;
    }
    return p;
}

AppHostWin::AppHostWin(HINSTANCE instance) : instance_(instance) {}

AppHostWin::~AppHostWin() {
    saver_.reset();
    if (instanceMutex_) {
        CloseHandle(instanceMutex_);
    }
}

std::int32_t AppHostWin::QueryPlatform() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    GetVersionExA(&info);
    return static_cast<std::int32_t>(info.dwPlatformId);
}

std::string AppHostWin::CommandLineArguments() {
    return ArgumentsAfterProgramName(GetCommandLineA());
}

bool AppHostWin::PreviousInstanceRunning() {
    // A named mutex lives exactly as long as some copy of the program holds it.
    instanceMutex_ = CreateMutexA(nullptr, FALSE, "OrvelleScreenSaver.Instance");
    return instanceMutex_ != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

void AppHostWin::OpenConfiguration() {
    OpenConfigurationPlaceholder(instance_);
    windowOpen_ = true;
}

void AppHostWin::ChangePassword(std::int32_t parentWindow) {
    PwdChangePassword("SCRSAVE", reinterpret_cast<HWND>(static_cast<INT_PTR>(parentWindow)));
}

void AppHostWin::ShowPreview(const std::string& rawArguments) {
    exitCode_ = orvelle::win::ShowPreview(rawArguments);
}

int AppHostWin::HidePointerOnce() {
    NotePointerHidden();
    return ShowCursor(FALSE);
}

void AppHostWin::SetPointerPosition(int x, int y) {
    SetCursorPos(x, y);
}

int AppHostWin::ScreenWidthTwips() {
    return GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixel(LOGPIXELSX);
}

int AppHostWin::ScreenHeightTwips() {
    return GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixel(LOGPIXELSY);
}

void AppHostWin::HideTaskbar() {
    HWND tray = FindWindowA("Shell_traywnd", "");
    if (tray) {
        NoteTaskbarHidden(tray);
        SetWindowPos(tray, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW);
    }
}

void AppHostWin::OpenSaver(std::int32_t platformId) {
    saver_ = std::make_unique<SaverRun>(instance_, platformId);
    if (!saver_->WindowCreated()) {
        // Nothing would ever end the run: the program ends at once, and on its way out the
        // task bar and the pointer are given back.
        saver_.reset();
        exitCode_ = 1;
        return;
    }
    saver_->Start();
    windowOpen_ = true;
}

int AppHostWin::Run() {
    if (!windowOpen_) {
        return exitCode_;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace orvelle::win
