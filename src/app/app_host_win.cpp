#include "app/app_host_win.h"

#include <cstdint>

#include "app/desktop_guard_win.h"
#include "app/fault_handling_win.h"
#include "app/preview_win.h"
#include "app/saver_run_win.h"
#include "base/gdi_win.h"
#include "base/numbers.h"
#include "base/optional_api_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

namespace {

int TwipsPerPixel(int axis) {
    return TwipsPerPixelForDpi(GetDeviceCaps(WindowDC(nullptr).Get(), axis));
}

}  // namespace

AppHostWin::AppHostWin(HINSTANCE instance, ConfigurationOpener openConfiguration)
    : instance_(instance), openConfiguration_(openConfiguration) {}

AppHostWin::~AppHostWin() {
    // The run goes before the lock that kept a second copy out.
    saver_.reset();
}

std::int32_t AppHostWin::QueryPlatform() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    GetVersionExW(&info);
    return static_cast<std::int32_t>(info.dwPlatformId);
}

std::string AppHostWin::CommandLineArguments() {
    return ArgumentsAfterProgramName(Narrow(GetCommandLineW()).c_str());
}

bool AppHostWin::PreviousInstanceRunning() {
    // A named mutex lives exactly as long as some copy of the program holds it.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"OrvelleScreenSaver.Instance");
    const bool existed = mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    instanceMutex_.Reset(mutex);
    return existed;
}

void AppHostWin::OpenConfiguration(std::int32_t ownerWindow) {
    if (openConfiguration_) {
        HandleFaultsFor(RunMode::Configure);
        // Window handles are 32-bit values even in 64-bit processes; a stale number names no
        // window and the editor then centres on the screen.
        HWND owner = reinterpret_cast<HWND>(static_cast<std::intptr_t>(ownerWindow));
        openConfiguration_(instance_, owner != nullptr && IsWindow(owner) ? owner : nullptr);
        windowOpen_ = true;
    }
}

void AppHostWin::ChangePassword(std::int32_t parentWindow) {
    PwdChangePassword("SCRSAVE", reinterpret_cast<HWND>(static_cast<INT_PTR>(parentWindow)));
}

void AppHostWin::ShowPreview(const std::string& rawArguments) {
    HandleFaultsFor(RunMode::Preview);
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
    HWND tray = FindWindowW(L"Shell_traywnd", L"");
    if (tray) {
        NoteTaskbarHidden(tray);
        SetWindowPos(tray, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW);
    }
}

void AppHostWin::OpenSaver(std::int32_t platformId) {
    HandleFaultsFor(RunMode::Saver);
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
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace orvelle::win
