#include "saver/monitor_cover_win.h"

#include <windowsx.h>

#include <algorithm>

#include "base/numbers.h"
#include "base/optional_api_win.h"
#include "base/wide_win.h"
#include "saver/monitor_layout.h"

namespace orvelle::win {

namespace {
constexpr wchar_t kCoverClass[] = L"OrvelleMonitorCover";
}  // namespace

MonitorCover::MonitorCover(HINSTANCE instance, const PixelRect& monitor, HWND slideshow)
    : monitor_(monitor), dpi_(96), twipsX_(15), twipsY_(15), slideshow_(slideshow) {
    backColour_ = static_cast<Colour>(GetSysColor(COLOR_WINDOWFRAME));
    if (background_.Resize(monitor.width, monitor.height)) {
        background_.Fill(DibPixel(backColour_));
    }
    RegisterWindowClass(instance, {kCoverClass, 0, LoadCursor(nullptr, IDC_ARROW), nullptr});
    const RECT bounds{monitor.left, monitor.top, monitor.left + monitor.width,
                      monitor.top + monitor.height};
    Create(instance, kCoverClass, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP,
           bounds, nullptr, L"Orvelle Screen Saver");
    // Its monitor's DPI, which may differ from the slideshow's: pictures and captions are laid
    // out in its own pixels.
    dpi_ = WindowDpi(IsAlive() ? Handle() : nullptr);
    twipsX_ = twipsY_ = TwipsPerPixelForDpi(dpi_);
}

void MonitorCover::SetCaptionFont(const CaptionFont& font) {
    captionFont_.Reset(MakeFont(font.name, font.sizePoints, dpi_, font.bold, font.italic,
                                font.underline, font.strikethrough));
    captionColour_ = font.colour;
}

MonitorCover::~MonitorCover() {
    Destroy();
}

void MonitorCover::Show() {
    if (!IsAlive()) {
        return;
    }
    if (!IsWindowVisible(Handle()) && desktop_.Resize(monitor_.width, monitor_.height)) {
        WindowDC screen(GetDesktopWindow());
        BitBlt(desktop_.dc.Get(), 0, 0, monitor_.width, monitor_.height, screen.Get(),
               monitor_.left, monitor_.top, SRCCOPY);
    }
    SetWindowPos(Handle(), HWND_TOPMOST, monitor_.left, monitor_.top, monitor_.width,
                 monitor_.height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void MonitorCover::ShowPicture(DibBitmap&& picture, const PixelRect& rect,
                               const std::string& caption, const PixelRect& captionRect) {
    const PixelRect before = shownRect_;
    const PixelRect captionBefore = captionRect_;
    shown_.Adopt(std::move(picture));
    shownRect_ = rect;
    caption_ = Wide(caption);
    captionRect_ = captionRect;
    if (IsAlive()) {
        // Also the window's text, for screen readers and tools.
        SetWindowTextW(Handle(), caption_.c_str());
    }
    for (const PixelRect& r : {before, captionBefore, rect, captionRect}) {
        Repaint(r);
    }
}

void MonitorCover::StagePicture(DibBitmap&& picture, const PixelRect& rect,
                                const std::string& caption, const PixelRect& captionRect) {
    CommitPicture();
    staged_.Adopt(std::move(picture));
    if (!Compose(changeScreen_, shown_, shownRect_) || !Compose(changeNext_, staged_, rect)) {
        // Without room for the two looks the picture changes at once.
        changeScreen_.Free();
        changeNext_.Free();
        ShowPicture(staged_.Take(), rect, caption, captionRect);
        return;
    }
    changing_ = true;
    stagedRect_ = rect;
    stagedCaption_ = caption;
    stagedCaptionRect_ = captionRect;
}

void MonitorCover::CopyStep(const PixelRect& rect) {
    if (!changing_) {
        return;
    }
    BitBlt(changeScreen_.dc.Get(), rect.left, rect.top, rect.width, rect.height,
           changeNext_.dc.Get(), rect.left, rect.top, SRCCOPY);
    Repaint(rect);
}

void MonitorCover::CommitPicture() {
    if (!changing_) {
        return;
    }
    changing_ = false;
    changeScreen_.Free();
    changeNext_.Free();
    ShowPicture(staged_.Take(), stagedRect_, stagedCaption_, stagedCaptionRect_);
    Repaint({0, 0, monitor_.width, monitor_.height});
}

bool MonitorCover::Compose(MemorySurface& target, const MemorySurface& picture,
                           const PixelRect& rect) {
    if (!background_.dib || !target.Resize(monitor_.width, monitor_.height)) {
        return false;
    }
    BitBlt(target.dc.Get(), 0, 0, monitor_.width, monitor_.height, background_.dc.Get(), 0, 0,
           SRCCOPY);
    if (picture.dib) {
        BitBlt(target.dc.Get(), rect.left, rect.top, picture.Width(), picture.Height(),
               picture.dc.Get(), 0, 0, SRCCOPY);
    }
    return true;
}

void MonitorCover::MovePicture(const PixelRect& rect, const PixelRect& captionRect) {
    for (const PixelRect& r : {shownRect_, captionRect_}) {
        Repaint(r);
    }
    shownRect_ = rect;
    captionRect_ = captionRect;
    for (const PixelRect& r : {rect, captionRect}) {
        Repaint(r);
    }
}

void MonitorCover::PaintSolidBackground(Colour colour) {
    backColour_ = colour;
    background_.Fill(DibPixel(colour));
    Repaint({0, 0, monitor_.width, monitor_.height});
}

void MonitorCover::PaintDesktopCopy() {
    if (desktop_.dib && background_.dib) {
        BitBlt(background_.dc.Get(), 0, 0, monitor_.width, monitor_.height, desktop_.dc.Get(), 0, 0,
               SRCCOPY);
        Repaint({0, 0, monitor_.width, monitor_.height});
    }
}

std::optional<PixelSize> MonitorCover::LoadBackgroundPicture(const std::string& path) {
    return LoadBackgroundInto(picture_, decoder_, path, ScreenSize(), backColour_);
}

void MonitorCover::DrawBackgroundPicture(const PixelRect& rect) {
    Repaint(DrawPictureInto(background_, picture_, rect));
}

void MonitorCover::TileBackgroundPicture(const PixelSize& tile, int columns, int rows) {
    if (tile.width != picture_.Width() || tile.height != picture_.Height()) {
        BackgroundCanvas::TileBackgroundPicture(tile, columns, rows);
        return;
    }
    Repaint(TileInto(background_, picture_, columns, rows));
}

void MonitorCover::FillBackgroundRect(const PixelRect& rect, Colour colour) {
    Repaint(FillInto(background_, rect, colour));
}

void MonitorCover::Repaint(const PixelRect& rect) {
    if (IsAlive() && rect.width > 0 && rect.height > 0) {
        const RECT r{rect.left, rect.top, rect.left + rect.width, rect.top + rect.height};
        InvalidateRect(Handle(), &r, FALSE);
    }
}

void MonitorCover::Paint(HDC dc, const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // Drawn off screen first when it can be, straight on the screen otherwise.
    const bool buffered = paintBuffer_.Resize(std::max(width, paintBuffer_.Width()),
                                              std::max(height, paintBuffer_.Height()));
    HDC target = buffered ? paintBuffer_.dc.Get() : dc;
    const POINT origin = buffered ? POINT{area.left, area.top} : POINT{0, 0};
    // During a change the old look with the steps drawn so far stands for background and picture.
    const MemorySurface& base = changing_ ? changeScreen_ : background_;
    BitBlt(target, area.left - origin.x, area.top - origin.y, width, height, base.dc.Get(),
           area.left, area.top, SRCCOPY);
    if (shown_.dib && !changing_) {
        BitBlt(target, shownRect_.left - origin.x, shownRect_.top - origin.y, shown_.Width(),
               shown_.Height(), shown_.dc.Get(), 0, 0, SRCCOPY);
    }
    if (!caption_.empty() && captionFont_.Get()) {
        RECT r{captionRect_.left - origin.x, captionRect_.top - origin.y,
               captionRect_.left + captionRect_.width - origin.x,
               captionRect_.top + captionRect_.height - origin.y};
        const HGDIOBJ oldFont = SelectObject(target, captionFont_.Get());
        SetBkMode(target, TRANSPARENT);
        SetTextColor(target, captionColour_);
        DrawTextW(target, caption_.c_str(), static_cast<int>(caption_.size()), &r,
                  DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        SelectObject(target, oldFont);
    }
    if (buffered) {
        BitBlt(dc, area.left, area.top, width, height, target, 0, 0, SRCCOPY);
    }
}

LRESULT MonitorCover::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintScope paint(Handle());
            Paint(paint.Get(), paint.Area());
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            // The slideshow window keeps the focus, and with it the keys.
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN: {
            RECT slideshow{};
            GetWindowRect(slideshow_, &slideshow);
            const PixelPoint at = CoverPointToPrimary(
                {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, monitor_,
                {slideshow.left, slideshow.top, slideshow.right - slideshow.left,
                 slideshow.bottom - slideshow.top});
            return SendMessageW(slideshow_, message, wParam, MAKELPARAM(at.x, at.y));
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return SendMessageW(slideshow_, message, wParam, lParam);
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_SCREENSAVE) {
                return 0;
            }
            break;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace orvelle::win
