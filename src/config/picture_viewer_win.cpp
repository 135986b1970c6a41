#include "config/picture_viewer_win.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "base/common_dialogs_win.h"
#include "base/controls_win.h"
#include "base/numbers.h"
#include "base/optional_api_win.h"
#include "base/wide_win.h"
#include "config/picture_viewer.h"
#include "picture/picture_decoder_win.h"

namespace orvelle::win {

namespace {

constexpr wchar_t kClassName[] = L"OrvelleImageView";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

struct KeyScroll {
    bool across;  // the horizontal scroll bar's request, else the vertical's
    int request;  // SB_LINEUP, SB_PAGEDOWN, ...
};

std::optional<KeyScroll> ScrollOfKey(WPARAM key) {
    switch (key) {
        case VK_LEFT:
            return KeyScroll{true, SB_LINEUP};
        case VK_RIGHT:
            return KeyScroll{true, SB_LINEDOWN};
        case VK_UP:
            return KeyScroll{false, SB_LINEUP};
        case VK_DOWN:
            return KeyScroll{false, SB_LINEDOWN};
        case VK_PRIOR:
            return KeyScroll{false, SB_PAGEUP};
        case VK_NEXT:
            return KeyScroll{false, SB_PAGEDOWN};
        case VK_HOME:
            return KeyScroll{false, SB_TOP};
        case VK_END:
            return KeyScroll{false, SB_BOTTOM};
        default:
            return std::nullopt;
    }
}

}  // namespace

void PictureViewer::Show(HINSTANCE instance, HWND owner, const std::string& path) {
    owner_ = owner;
    Destroy();
    picture_ = {};
    scrollX_ = scrollY_ = 0;
    PictureDecoder decoder;
    if (std::optional<PixelSize> size = decoder.Open(path)) {
        picture_ = decoder.Decode(*size, GetSysColor(COLOR_BTNFACE));
    }
    RegisterWindowClass(instance, {kClassName, 0, LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)),
                                   GetSysColorBrush(COLOR_BTNFACE)});
    // Opens on the owner's monitor, within its work area.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int tpp = TwipsPerPixelForDpi(WindowDpi(owner));
    const PixelSize workArea{work.right - work.left, work.bottom - work.top};
    PictureViewerLayout layout =
        picture_ ? LayOutPictureViewer({picture_.width, picture_.height}, tpp, tpp, workArea)
                 : PictureViewerLayout{{2000 / tpp, 1500 / tpp}, false, false};
    const DWORD style =
        kStyle | (layout.scrollAcross ? WS_HSCROLL : 0) | (layout.scrollDown ? WS_VSCROLL : 0);
    RECT bounds = {0, 0, layout.window.width, layout.window.height};
    OffsetRect(&bounds, work.left + (workArea.width - layout.window.width) / 2,
               work.top + (workArea.height - layout.window.height) / 2);
    if (!Create(instance, kClassName, 0, style, bounds, owner, Wide(kPictureViewerTitle).c_str())) {
        return;
    }
    UpdateScrollBars();
    ShowWindow(Handle(), SW_SHOW);
    if (!picture_) {
        ShowMessageBox(Handle(), kPictureViewerLoadFailed, "Orvelle Screen Saver",
                       MB_OK | MB_ICONEXCLAMATION);
    }
}

void PictureViewer::CloseToOwner() {
    if (owner_ && IsWindow(owner_)) {
        SetForegroundWindow(owner_);
    }
    Destroy();
}

void PictureViewer::UpdateScrollBars() {
    RECT client;
    GetClientRect(Handle(), &client);
    const int content[2] = {picture_.width, picture_.height};
    const int page[2] = {client.right, client.bottom};
    const int bars[2] = {SB_HORZ, SB_VERT};
    for (int i = 0; i < 2; ++i) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = std::max(content[i] - 1, 0);
        info.nPage = static_cast<UINT>(std::max(page[i], 0));
        info.nPos = i == 0 ? scrollX_ : scrollY_;
        SetScrollInfo(Handle(), bars[i], &info, TRUE);
    }
}

void PictureViewer::ScrollTo(int x, int y) {
    RECT client;
    GetClientRect(Handle(), &client);
    scrollX_ = ClampScroll(x, picture_.width, client.right);
    scrollY_ = ClampScroll(y, picture_.height, client.bottom);
    UpdateScrollBars();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void PictureViewer::Paint() {
    PaintScope paint(Handle());
    HDC dc = paint.Get();
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (picture_) {
        MemoryDC source(dc);
        source.Select(picture_.bitmap.Get());
        BitBlt(dc, 0, 0, std::min<int>(client.right, picture_.width - scrollX_),
               std::min<int>(client.bottom, picture_.height - scrollY_), source.Get(), scrollX_,
               scrollY_, SRCCOPY);
    }
}

void PictureViewer::Scroll(bool across, int request) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(Handle(), across ? SB_HORZ : SB_VERT, &info);
    int pos = info.nPos;
    const int page = static_cast<int>(info.nPage);
    switch (request) {
        case SB_LINEUP:
            pos -= 20;
            break;
        case SB_LINEDOWN:
            pos += 20;
            break;
        case SB_PAGEUP:
            pos -= page;
            break;
        case SB_PAGEDOWN:
            pos += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            pos = info.nTrackPos;
            break;
        case SB_TOP:
            pos = 0;
            break;
        case SB_BOTTOM:
            pos = info.nMax;
            break;
        default:
            break;
    }
    across ? ScrollTo(pos, scrollY_) : ScrollTo(scrollX_, pos);
}

LRESULT PictureViewer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_LBUTTONUP:
            // A click on the picture closes the viewer and brings the editor back.
            CloseToOwner();
            return 0;
        case WM_KEYDOWN:
            // Esc closes as a click does; the arrows, Page Up and Down, Home and End scroll as
            // the scroll bars would.
            if (wParam == VK_ESCAPE) {
                CloseToOwner();
            } else if (const std::optional<KeyScroll> scroll = ScrollOfKey(wParam)) {
                Scroll(scroll->across, scroll->request);
            }
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            Scroll(message == WM_HSCROLL, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
            if (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) {
                ScrollTo(scrollX_ - notches * 60, scrollY_);
            } else {
                ScrollTo(scrollX_, scrollY_ - notches * 60);
            }
            return 0;
        }
        case WM_SIZE:
            ScrollTo(scrollX_, scrollY_);
            return 0;
        default:
            return Window::HandleMessage(message, wParam, lParam);
    }
}

}  // namespace orvelle::win
