#include "app/saver_run_win.h"

namespace orvelle::win {

// Provisional: a plain full-screen window until the saver window lands.
struct SaverRun::Parts {
    HWND window = nullptr;
};

namespace {
LRESULT CALLBACK ProvisionalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_LBUTTONDOWN:
            DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}
}  // namespace

SaverRun::SaverRun(HINSTANCE instance, std::int32_t) : parts_(std::make_unique<Parts>()) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ProvisionalProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "OrvelleSaverProvisional";
    RegisterClassA(&wc);
    parts_->window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Orvelle Screen Saver",
                                     WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
}

SaverRun::~SaverRun() = default;

void SaverRun::Start() {
    SetWindowPos(parts_->window, HWND_TOPMOST, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                 GetSystemMetrics(SM_CYSCREEN), SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

}  // namespace orvelle::win
