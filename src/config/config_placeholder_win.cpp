#include "config/config_placeholder_win.h"

namespace orvelle::win {

namespace {

constexpr char kClassName[] = "OrvelleConfigPlaceholder";
constexpr char kText[] =
    "The theme editor of Orvelle Screen Saver is not available in this version.\r\n\r\n"
    "Themes are INI files in the \"orvellesaver\" folder beside the program; "
    "\"orvellemain.ini\" names the current one.";

LRESULT CALLBACK PlaceholderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT rc;
            GetClientRect(hwnd, &rc);
            InflateRect(&rc, -16, -16);
            HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            DrawTextA(dc, kText, -1, &rc, DT_WORDBREAK | DT_NOPREFIX);
            SelectObject(dc, old);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
                DestroyWindow(hwnd);
            }
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void OpenConfigurationPlaceholder(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlaceholderProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = LoadIcon(instance, MAKEINTRESOURCE(1));
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "Orvelle Screen Saver",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 420, 170, nullptr, nullptr, instance, nullptr);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
}

}  // namespace orvelle::win
