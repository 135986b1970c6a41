#include "saver/saver_window_win.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/optional_api_win.h"
#include "saver/monitor_layout.h"
#include "picture/picture_decode_plan.h"
#include "saver/saver_controls_win.h"

namespace orvelle::win {

namespace {

constexpr wchar_t kWindowClass[] = L"OrvelleSaverWindow";
constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr int kTimerCount = 7;

UINT_PTR TimerId(SaverTimer timer) {
    return static_cast<UINT_PTR>(timer) + 1;
}

double MonotonicNow() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

}  // namespace

SaverWindow::SaverWindow(HINSTANCE instance)
    : instance_(instance),
      display_(std::make_unique<PictureBox>(*this)),
      caption_(std::make_unique<Label>(*this, false, false)),
      clock_(std::make_unique<Label>(*this, true, true)),
      pauseMark_(std::make_unique<PauseMark>(*this)) {
    SetProcessDpiAware();
    screen_ = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    {
        WindowDC screen(nullptr);
        const int dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
        dpiY_ = GetDeviceCaps(screen.Get(), LOGPIXELSY);
        twipsX_ = TwipsPerPixelForDpi(dpiX);
        twipsY_ = TwipsPerPixelForDpi(dpiY_);
        if (dpiY_ <= 0) {
            dpiY_ = 96;
        }
    }
    // Until a background is painted the window shows the window-frame colour.
    backColour_ = static_cast<Colour>(GetSysColor(COLOR_WINDOWFRAME));
    if (background_.Resize(screen_.width, screen_.height)) {
        background_.Fill(DibPixel(backColour_));
    }

    RegisterWindowClass(instance, {kWindowClass, 0, LoadCursor(nullptr, IDC_ARROW), nullptr});
    const RECT screenRect{0, 0, screen_.width, screen_.height};
    if (!Create(instance, kWindowClass, WS_EX_TOPMOST, WS_POPUP | WS_CLIPCHILDREN, screenRect,
                nullptr, L"Orvelle Screen Saver")) {
        return;
    }
    CreateControls();
    CreateCovers();
    decoder_.SetBetweenBands([this] { return KeepDecoding(); });
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM list) {
    reinterpret_cast<std::vector<PixelRect>*>(list)->push_back(
        {bounds->left, bounds->top, bounds->right - bounds->left, bounds->bottom - bounds->top});
    return TRUE;
}

}  // namespace

std::vector<PixelRect> SaverWindow::CoverPlaces() const {
    std::vector<PixelRect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return CoverRects(monitors, {0, 0, screen_.width, screen_.height});
}

void SaverWindow::CreateCovers() {
    for (const PixelRect& monitor : CoverPlaces()) {
        covers_.push_back(std::make_unique<MonitorCover>(instance_, monitor, Handle()));
    }
}

std::optional<std::vector<BackgroundCanvas*>> SaverWindow::RereadMonitors() {
    if (!IsAlive()) {
        return std::nullopt;
    }
    const PixelSize screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (screen != screen_ && screen.width > 0 && screen.height > 0) {
        screen_ = screen;
        if (background_.Resize(screen_.width, screen_.height)) {
            background_.Fill(DibPixel(backColour_));
        }
    }
    const std::vector<PixelRect> now = CoverPlaces();
    std::vector<PixelRect> before;
    for (const auto& cover : covers_) {
        before.push_back(cover->Monitor());
    }
    if (now == before) {
        return std::nullopt;
    }
    const std::vector<int> kept = KeptCovers(before, now);
    std::vector<std::unique_ptr<MonitorCover>> covers;
    std::vector<BackgroundCanvas*> added;
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (kept[i] >= 0) {
            // Its lane starts over: a change under way ends with the new picture.
            covers_[static_cast<std::size_t>(kept[i])]->CommitPicture();
            covers.push_back(std::move(covers_[static_cast<std::size_t>(kept[i])]));
        } else {
            covers.push_back(std::make_unique<MonitorCover>(instance_, now[i], Handle()));
            covers.back()->SetCaptionFont(captionFont_);
            added.push_back(covers.back().get());
        }
    }
    // The covers of monitors gone are destroyed with the old list.
    covers_.swap(covers);
    return added;
}

std::vector<BackgroundCanvas*> SaverWindow::OtherMonitors() {
    std::vector<BackgroundCanvas*> canvases;
    for (const auto& cover : covers_) {
        canvases.push_back(cover.get());
    }
    return canvases;
}

SaverWindow::~SaverWindow() {
    // The form may already be gone; nothing is reported while the windows are torn down.
    events_ = nullptr;
    // Children first, while this object is still whole.
    covers_.clear();
    display_.reset();
    caption_.reset();
    clock_.reset();
    pauseMark_.reset();
    Destroy();
    if (finePeriod_) {
        timeEndPeriod(1);
    }
}

void SaverWindow::AttachEvents(SaverEvents& events) {
    ownedEvents_.reset();
    events_ = &events;
}

void SaverWindow::Load() {
    if (events_) {
        events_->Form_Load();
    }
    if (IsAlive() && !ended_) {
        ShowWindow(Handle(), SW_SHOW);
        SetForegroundWindow(Handle());
        SetFocus(Handle());
    }
}

int SaverWindow::RunMessageLoop() {
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(msg.wParam);
        }
        if (got == -1) {
            return -1;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

HWND SaverWindow::DisplayHandle() const {
    return display_->Handle();
}
HWND SaverWindow::CaptionHandle() const {
    return caption_->Handle();
}
HWND SaverWindow::ClockHandle() const {
    return clock_->Handle();
}

LRESULT SaverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            // The background bitmap covers everything; erasing would only flicker.
            return 1;
        case kPictureDecodedMessage:
            OnPictureDecoded(static_cast<std::uint32_t>(wParam), static_cast<int>(lParam));
            return 0;
        case kFoldersScannedMessage:
            OnFoldersScanned();
            return 0;
        case WM_TIMER:
            if (wParam >= 1 && wParam <= kTimerCount && events_) {
                events_->OnTimer(static_cast<SaverTimer>(wParam - 1));
            }
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Not handed on: Alt+F4 or F10 must not reach the system's own handling.
            if (events_) {
                events_->Form_KeyDown(SaverKeyOf(message, wParam), IsKeyRepeat(lParam));
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            if (events_) {
                events_->Form_MouseDown();
            }
            return message == WM_XBUTTONDOWN ? TRUE : 0;
        case WM_MOUSEMOVE:
            if (events_) {
                events_->Form_MouseMove(static_cast<float>(GET_X_LPARAM(lParam) * twipsX_),
                                        static_cast<float>(GET_Y_LPARAM(lParam) * twipsY_));
            }
            return 0;
        case WM_SYSCOMMAND:
            // Windows must not start a screen saver over the one that runs.
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) {
                return 0;
            }
            break;
        case WM_DISPLAYCHANGE:
            if (events_) {
                events_->DisplayChanged();
            }
            return 0;
        case WM_CLOSE:
            // Closed from outside (a shutdown, say): the run ends as the program would end it.
            Destroy();
            EndProgram();
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void SaverWindow::OnPaint() {
    PaintScope paint(Handle());
    const RECT& area = paint.Area();
    PaintBehind(paint.Get(), area, {area.left, area.top});
}

void SaverWindow::OnDestroyed() {
    // The other monitors' covers and the window's pictures go with it.
    covers_.clear();
    load_.Free();
    backPicture_.Free();
    desktop_.Free();
    display_->surface.Free();
    decoder_.Close();
    StopDecoding();
    StopScanning();
}

void SaverWindow::PaintBehind(HDC dc, const RECT& windowRect, POINT at) const {
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (background_.dib) {
        BitBlt(dc, at.x, at.y, width, height, background_.dc.Get(), windowRect.left, windowRect.top,
               SRCCOPY);
        return;
    }
    // The DC's own brush: nothing to make or free for a plain colour.
    SetDCBrushColor(dc, ToColorRef(backColour_));
    const RECT all{at.x, at.y, at.x + width, at.y + height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void SaverWindow::Invalidate(const PixelRect& rect) {
    if (IsAlive()) {
        RECT r{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
        InvalidateRect(Handle(), &r, FALSE);
    }
}

// --- The window ---

PixelSize SaverWindow::ScreenSize() {
    return screen_;
}
int SaverWindow::TwipsPerPixelX() {
    return twipsX_;
}
int SaverWindow::TwipsPerPixelY() {
    return twipsY_;
}

void SaverWindow::CoverScreen() {
    if (!IsAlive()) {
        return;
    }
    if (!IsWindowVisible(Handle()) && !desktop_.dib &&
        desktop_.Resize(screen_.width, screen_.height)) {
        // What the screen shows before the window covers it: a desktop-copy background is
        // painted after the window is up, and would otherwise copy the window itself.
        WindowDC desktop(GetDesktopWindow());
        BitBlt(desktop_.dc.Get(), 0, 0, screen_.width, screen_.height, desktop.Get(), 0, 0,
               SRCCOPY);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, screen_.width, screen_.height,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    for (const auto& cover : covers_) {
        cover->Show();
    }
}

// --- Pacing ---

void SaverWindow::WaitForFrame() {
    if (DwmFlush()) {
        return;
    }
    if (!finePeriod_) {
        // Without a compositor the wait is a Sleep, which needs a fine timer to land on time.
        timeBeginPeriod(1);
        finePeriod_ = true;
    }
    const double now = MonotonicNow();
    const double next = (std::floor(now / kFrameSeconds) + 1.0) * kFrameSeconds;
    const auto ms = static_cast<DWORD>(std::ceil((next - now) * 1000.0));
    Sleep(std::max<DWORD>(ms, 1));
}

bool SaverWindow::HurryPending() {
    MSG msg;
    constexpr UINT flags = PM_NOREMOVE | PM_NOYIELD;
    return PeekMessageW(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, flags) ||
           PeekMessageW(&msg, nullptr, WM_SYSKEYDOWN, WM_SYSKEYDOWN, flags) ||
           PeekMessageW(&msg, nullptr, WM_LBUTTONDOWN, WM_MBUTTONDOWN, flags);
}

void SaverWindow::PumpEvents(double seconds) {
    const double deadline = MonotonicNow() + std::max(seconds, 0.0);
    for (;;) {
        MSG msg;
        while (!ended_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Left for the program's own message loop, which ends on it.
                PostQuitMessage(static_cast<int>(msg.wParam));
                ended_ = true;
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ended_) {
            return;
        }
        const double left = deadline - MonotonicNow();
        if (left <= 0) {
            return;
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::ceil(left * 1000.0)),
                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

// --- Timers ---

void SaverWindow::SetTimer(SaverTimer timer, int intervalMs, bool enabled) {
    if (!IsAlive()) {
        return;
    }
    if (!enabled || intervalMs <= 0) {
        KillTimer(Handle(), TimerId(timer));
        return;
    }
    // Setting an existing timer again restarts its count, as a new interval does.
    ::SetTimer(Handle(), TimerId(timer), static_cast<UINT>(intervalMs), nullptr);
}

}  // namespace orvelle::win
