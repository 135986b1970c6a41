#include "saver/saver_controls_win.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/wide_win.h"

namespace orvelle::win {

namespace {

constexpr wchar_t kPictureClass[] = L"OrvelleSaverPicture";
constexpr wchar_t kLabelClass[] = L"OrvelleSaverLabel";
constexpr wchar_t kPauseMarkClass[] = L"OrvelleSaverPauseMark";
// The paused mark at 96 dpi: its side and its distance from the screen's corner.
constexpr int kPauseMarkSide = 32;
constexpr int kPauseMarkMargin = 16;
constexpr char kClockFontName[] = "MS Sans Serif";
constexpr float kClockFontPoints = 13.5f;
// A label is a little wider than its text so that the last letter is never clipped.
constexpr int kLabelPadding = 2;

}  // namespace

// --- DisplayingPicture ---

LRESULT SaverWindow::PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PaintScope paint(Handle());
            const RECT& area = paint.Area();
            SetDCBrushColor(paint.Get(), ToColorRef(owner_.backColour_));
            FillRect(paint.Get(), &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
            if (surface.dib) {
                BitBlt(paint.Get(), 0, 0, surface.Width(), surface.Height(), surface.dc.Get(), 0, 0,
                       SRCCOPY);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            if (owner_.events_) {
                owner_.events_->DisplayingPicture_MouseMove(
                    static_cast<float>(GET_X_LPARAM(lParam)),
                    static_cast<float>(GET_Y_LPARAM(lParam)));
            }
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (owner_.events_) {
                owner_.events_->DisplayingPicture_KeyDown(SaverKeyOf(message, wParam),
                                                          IsKeyRepeat(lParam));
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            // A click on the picture itself does nothing.
            return 0;
        default:
            return Window::HandleMessage(message, wParam, lParam);
    }
}

// --- Label1 and time ---

PixelSize SaverWindow::Label::Measure() const {
    WindowDC screen(nullptr);
    MemoryDC dc(screen.Get());
    dc.Select(font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.Get(), &metrics);
    SIZE extent{};
    if (!text.empty()) {
        const std::wstring wide = Wide(text);
        GetTextExtentPoint32W(dc.Get(), wide.data(), static_cast<int>(wide.size()), &extent);
    }
    return {static_cast<int>(extent.cx) + metrics.tmOverhang + kLabelPadding,
            static_cast<int>(metrics.tmHeight)};
}

LRESULT SaverWindow::Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
            // Moves and clicks over a label belong to the label, which ignores them.
            return 0;
        default:
            return Window::HandleMessage(message, wParam, lParam);
    }
}

void SaverWindow::Label::Paint() {
    PaintScope paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) {
        return;
    }
    // Drawn off screen first and put up in one copy, so a moving caption does not flicker.
    OwnedBitmap buffer(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    MemoryDC dc(paint.Get());
    if (!buffer || !dc) {
        return;
    }
    dc.Select(buffer.Get());
    if (opaque_) {
        FillRect(dc.Get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        owner_.PaintBehind(
            dc.Get(), {rect.left, rect.top, rect.left + client.right, rect.top + client.bottom});
    }
    if (!text.empty()) {
        if (font) {
            dc.Select(font.Get());
        }
        SetBkMode(dc.Get(), TRANSPARENT);
        SetTextColor(dc.Get(), ToColorRef(colour));
        RECT area = client;
        if (rightAligned_) {
            area.right -= kLabelPadding / 2;
        } else {
            area.left += kLabelPadding / 2;
        }
        const std::wstring wide = Wide(text);
        DrawTextW(dc.Get(), wide.data(), static_cast<int>(wide.size()), &area,
                  DT_SINGLELINE | DT_NOPREFIX | DT_TOP | (rightAligned_ ? DT_RIGHT : DT_LEFT));
    }
    BitBlt(paint.Get(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
}

// --- The paused mark ---

SaverKey SaverKeyOf(UINT message, WPARAM key) {
    if (message != WM_KEYDOWN) {
        return SaverKey::Other;  // Alt with a key
    }
    switch (key) {
        case VK_RIGHT:
            return SaverKey::Right;
        case VK_LEFT:
            return SaverKey::Left;
        case VK_SPACE:
            return SaverKey::Space;
        default:
            return SaverKey::Other;
    }
}

bool IsKeyRepeat(LPARAM lParam) {
    return (static_cast<ULONG_PTR>(lParam) & (1u << 30)) != 0;
}

// In the bottom-left corner of the screen as it is now.
RECT SaverWindow::PauseMark::Bounds() const {
    const int side = MulDiv(kPauseMarkSide, owner_.dpiY_, 96);
    const int margin = MulDiv(kPauseMarkMargin, owner_.dpiY_, 96);
    return {margin, owner_.screen_.height - margin - side, margin + side,
            owner_.screen_.height - margin};
}

void SaverWindow::PauseMark::Create() {
    Window::Create(owner_.instance_, kPauseMarkClass, 0, WS_CHILD | WS_CLIPSIBLINGS, Bounds(),
                   owner_.Handle(), L"Paused");
}

void SaverWindow::PauseMark::Show(bool visible) {
    if (!IsAlive()) {
        return;
    }
    if (visible) {
        // Above the picture and the labels, in its corner of the screen as it is now.
        const RECT bounds = Bounds();
        SetWindowPos(Handle(), HWND_TOP, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        ShowWindow(Handle(), SW_HIDE);
    }
}

LRESULT SaverWindow::PauseMark::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return Window::HandleMessage(message, wParam, lParam);
    }
}

void SaverWindow::PauseMark::Paint() {
    PaintScope paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    const int side = client.right;
    SetDCBrushColor(paint.Get(), RGB(32, 32, 32));
    FillRect(paint.Get(), &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    // Two upright bars, each a fifth of the side wide, a fifth apart, centred.
    const int bar = std::max(side / 5, 1);
    const int top = side / 4;
    const int bottom = side - side / 4;
    const int first = (side - 3 * bar) / 2;
    SetDCBrushColor(paint.Get(), RGB(255, 255, 255));
    for (const int left : {first, first + 2 * bar}) {
        const RECT r{left, top, left + bar, bottom};
        FillRect(paint.Get(), &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
}

void SaverWindow::ShowPausedMark(bool visible) {
    // Made when first needed: a run that never pauses has the windows it always had.
    if (visible && !pauseMark_->IsAlive() && IsAlive()) {
        pauseMark_->Create();
    }
    pauseMark_->Show(visible);
}

// --- Creating them ---

void SaverWindow::CreateControls() {
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    RegisterWindowClass(instance_, {kPictureClass, CS_OWNDC, arrow, nullptr});
    RegisterWindowClass(instance_, {kLabelClass, 0, arrow, nullptr});
    RegisterWindowClass(instance_, {kPauseMarkClass, 0, arrow, nullptr});
    const RECT none{0, 0, 0, 0};
    // Z-order among the children: the picture above the labels, as a picture box covers labels.
    constexpr DWORD childStyle = WS_CHILD | WS_CLIPSIBLINGS;
    display_->Create(instance_, kPictureClass, 0, childStyle, none, Handle());
    caption_->Create(instance_, kLabelClass, 0, childStyle, none, Handle());
    clock_->Create(instance_, kLabelClass, 0, childStyle, none, Handle());
    SetWindowPos(display_->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    clock_->font.Reset(
        MakeFont(kClockFontName, kClockFontPoints, dpiY_, false, false, false, false));
}

// --- The picture box ---

void SaverWindow::MoveDisplay(const PixelRect& rect) {
    if (!IsAlive() || !display_->IsAlive()) {
        return;
    }
    PictureBox& box = *display_;
    if (rect == box.rect) {
        return;
    }
    const bool resized = rect.width != box.rect.width || rect.height != box.rect.height;
    box.rect = rect;
    if (resized) {
        // A box of a new size starts as the background behind it, so that it stays unseen
        // until an effect draws the picture into it.
        if (box.surface.Resize(rect.width, rect.height) && box.surface.dib) {
            box.surface.Fill(DibPixel(backColour_));
            PixelRect source = rect;
            if (background_.dib && ClipTo(source, background_.Width(), background_.Height())) {
                BitBlt(box.surface.dc.Get(), source.left - rect.left, source.top - rect.top,
                       source.width, source.height, background_.dc.Get(), source.left, source.top,
                       SRCCOPY);
            }
        } else {
            box.surface.Free();
        }
    }
    SetWindowPos(box.Handle(), nullptr, rect.left, rect.top, std::max(rect.width, 0),
                 std::max(rect.height, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE | (resized ? SWP_NOCOPYBITS : 0));
    if (resized) {
        InvalidateRect(box.Handle(), nullptr, FALSE);
    }
}

void SaverWindow::ShowDisplay(bool visible) {
    if (!IsAlive() || !display_->IsAlive()) {
        return;
    }
    display_->visible = visible;
    ShowWindow(display_->Handle(), visible ? SW_SHOWNA : SW_HIDE);
    if (visible) {
        UpdateWindow(display_->Handle());
    }
}

// --- Caption and clock labels ---

void SaverWindow::SetCaptionFont(const CaptionFont& font) {
    captionFont_ = font;
    for (const auto& cover : covers_) {
        cover->SetCaptionFont(font);
    }
    caption_->font.Reset(MakeFont(font.name, font.sizePoints, dpiY_, font.bold, font.italic,
                                  font.underline, font.strikethrough));
    caption_->colour = font.colour;
    if (caption_->IsAlive()) {
        InvalidateRect(caption_->Handle(), nullptr, FALSE);
    }
}

PixelSize SaverWindow::SetCaptionText(const std::string& text) {
    Label& label = *caption_;
    label.text = text;
    const PixelSize size = label.Measure();
    label.rect.width = size.width;
    label.rect.height = size.height;
    if (label.IsAlive()) {
        SetWindowPos(label.Handle(), nullptr, 0, 0, size.width, size.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        // Like the clock, the caption is also the window's text, for screen readers and tools.
        SetWindowTextW(label.Handle(), Wide(text).c_str());
        InvalidateRect(label.Handle(), nullptr, FALSE);
    }
    return size;
}

void SaverWindow::MoveCaption(const PixelRect& rect) {
    Label& label = *caption_;
    if (!label.IsAlive() || rect == label.rect) {
        return;
    }
    label.rect = rect;
    // No copied bits: the caption shows the background behind it, which differs at the new spot.
    SetWindowPos(label.Handle(), nullptr, rect.left, rect.top, std::max(rect.width, 0),
                 std::max(rect.height, 0), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

void SaverWindow::ShowCaption(bool visible) {
    if (caption_->IsAlive()) {
        caption_->visible = visible;
        ShowWindow(caption_->Handle(), visible ? SW_SHOWNA : SW_HIDE);
        if (!visible) {
            // The background behind the caption is repainted now, not after the effect that
            // follows: otherwise the old caption lingers through the wipe-out.
            UpdateWindow(Handle());
        }
    }
}

void SaverWindow::ShowClock(bool visible, const PixelRect& rect, Colour textColour) {
    Label& label = *clock_;
    if (!label.IsAlive()) {
        return;
    }
    label.colour = textColour;
    label.rect = rect;
    label.visible = visible;
    SetWindowPos(label.Handle(), nullptr, rect.left, rect.top, std::max(rect.width, 0),
                 std::max(rect.height, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                     (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    InvalidateRect(label.Handle(), nullptr, FALSE);
}

void SaverWindow::SetClockText(const std::string& text) {
    Label& label = *clock_;
    if (text == label.text) {
        return;
    }
    label.text = text;
    if (label.IsAlive()) {
        // Also the window's own text, so screen readers and tools can read the line.
        SetWindowTextW(label.Handle(), Wide(text).c_str());
        InvalidateRect(label.Handle(), nullptr, FALSE);
    }
}

}  // namespace orvelle::win
