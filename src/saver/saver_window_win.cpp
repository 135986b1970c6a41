#include "saver/saver_window_win.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "base/numbers.h"
#include "base/optional_api_win.h"
#include "saver/picture_decode_plan.h"

namespace orvelle::win {

namespace {

constexpr wchar_t kWindowClass[] = L"OrvelleSaverWindow";
constexpr wchar_t kPictureClass[] = L"OrvelleSaverPicture";
constexpr wchar_t kLabelClass[] = L"OrvelleSaverLabel";
constexpr char kProgramTitle[] = "Orvelle Screen Saver";
constexpr char kClockFontName[] = "MS Sans Serif";
constexpr float kClockFontPoints = 13.5f;
// A label is a little wider than its text so that the last letter is never clipped.
constexpr int kLabelPadding = 2;
constexpr double kFrameSeconds = 1.0 / 60.0;
constexpr int kTimerCount = 6;

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

// Cuts rect down to [0, width) x [0, height); false when nothing is left.
bool ClipTo(PixelRect& rect, int width, int height) {
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(rect.left) + rect.width, width);
    const long long bottom =
        std::min<long long>(static_cast<long long>(rect.top) + rect.height, height);
    if (rect.width <= 0 || rect.height <= 0 || right <= left || bottom <= top) {
        return false;
    }
    rect = {left, top, static_cast<int>(right - left), static_cast<int>(bottom - top)};
    return true;
}

COLORREF ToColorRef(Colour colour) {
    return static_cast<COLORREF>(colour & 0xFFFFFFu);
}

HFONT MakeFont(const std::string& name, float points, int dpi, bool bold, bool italic,
               bool underline, bool strikethrough) {
    const int height =
        points > 0 ? -static_cast<int>(std::lround(static_cast<double>(points) * dpi / 72.0)) : 0;
    LOGFONTA font{};
    font.lfHeight = height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfStrikeOut = strikethrough ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::size_t length = std::min(name.size(), static_cast<std::size_t>(LF_FACESIZE - 1));
    std::copy_n(name.data(), length, font.lfFaceName);
    return CreateFontIndirectA(&font);
}

// Draws src (all of it) into dst (all of it): an area average when shrinking both ways, else a
// halftone stretch.
void StretchInto(const SaverWindow::Surface& src, SaverWindow::Surface& dst) {
    if (!src.dib || !dst.dib) {
        return;
    }
    if (dst.Width() <= src.Width() && dst.Height() <= src.Height()) {
        GdiFlush();
        AreaScaler scaler(src.Width(), src.Height(), dst.Width(), dst.Height());
        for (int y = 0; y < src.Height(); ++y) {
            scaler.AddRow(src.dib.Row(y), dst.dib.pixels, static_cast<std::size_t>(dst.Width()));
        }
        return;
    }
    SetStretchBltMode(dst.dc.Get(), HALFTONE);
    SetBrushOrgEx(dst.dc.Get(), 0, 0, nullptr);
    StretchBlt(dst.dc.Get(), 0, 0, dst.Width(), dst.Height(), src.dc.Get(), 0, 0, src.Width(),
               src.Height(), SRCCOPY);
}

}  // namespace

// --- Surface ---

bool SaverWindow::Surface::Resize(int width, int height) {
    if (width <= 0 || height <= 0) {
        Free();
        return true;
    }
    if (dib && dib.width == width && dib.height == height) {
        return true;
    }
    DibBitmap fresh = CreateDib(width, height);
    if (!fresh) {
        return false;
    }
    Adopt(std::move(fresh));
    return true;
}

void SaverWindow::Surface::Adopt(DibBitmap&& bitmap) {
    if (!bitmap) {
        Free();
        return;
    }
    // The new bitmap goes in before the old one is deleted: GDI will not delete a selected one.
    dc.Select(bitmap.bitmap.Get());
    dib = std::move(bitmap);
}

DibBitmap SaverWindow::Surface::Take() {
    dc.Restore();
    DibBitmap taken = std::move(dib);
    dib = DibBitmap{};
    return taken;
}

void SaverWindow::Surface::Fill(std::uint32_t pixel) {
    if (dib) {
        GdiFlush();
        std::fill(dib.pixels, dib.pixels + static_cast<std::size_t>(dib.width) * dib.height, pixel);
    }
}

void SaverWindow::Surface::Free() {
    dc.Restore();
    dib = DibBitmap{};
}

// --- DisplayingPicture: a child window showing its own lasting bitmap ---

class SaverWindow::PictureBox final : public Window {
  public:
    explicit PictureBox(SaverWindow& owner) : owner_(owner) {}
    ~PictureBox() override { Destroy(); }

    Surface surface;
    PixelRect rect;
    bool visible = false;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_PAINT: {
                PaintScope paint(Handle());
                const RECT& area = paint.Area();
                HBRUSH brush = CreateSolidBrush(ToColorRef(owner_.backColour_));
                FillRect(paint.Get(), &area, brush);
                DeleteObject(brush);
                if (surface.dib) {
                    BitBlt(paint.Get(), 0, 0, surface.Width(), surface.Height(), surface.dc.Get(),
                           0, 0, SRCCOPY);
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
                    owner_.events_->DisplayingPicture_KeyDown();
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

  private:
    SaverWindow& owner_;
};

// --- Label1 and time: child windows of our own, so that the pointer over them is theirs ---

class SaverWindow::Label final : public Window {
  public:
    Label(SaverWindow& owner, bool opaque, bool rightAligned)
        : owner_(owner), opaque_(opaque), rightAligned_(rightAligned) {}
    ~Label() override { Destroy(); }

    OwnedFont font;
    Colour colour = 0;
    std::string text;
    PixelRect rect;
    bool visible = false;

    PixelSize Measure() const {
        WindowDC screen(nullptr);
        MemoryDC dc(screen.Get());
        dc.Select(font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc.Get(), &metrics);
        SIZE extent{};
        if (!text.empty()) {
            GetTextExtentPoint32A(dc.Get(), text.data(), static_cast<int>(text.size()), &extent);
        }
        return {static_cast<int>(extent.cx) + metrics.tmOverhang + kLabelPadding,
                static_cast<int>(metrics.tmHeight)};
    }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
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

  private:
    void Paint() {
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
            owner_.PaintBehind(dc.Get(), {rect.left, rect.top, rect.left + client.right,
                                          rect.top + client.bottom});
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
            DrawTextA(dc.Get(), text.data(), static_cast<int>(text.size()), &area,
                      DT_SINGLELINE | DT_NOPREFIX | DT_TOP | (rightAligned_ ? DT_RIGHT : DT_LEFT));
        }
        BitBlt(paint.Get(), 0, 0, client.right, client.bottom, dc.Get(), 0, 0, SRCCOPY);
    }

    SaverWindow& owner_;
    bool opaque_;
    bool rightAligned_;
};

// --- SaverWindow ---

SaverWindow::SaverWindow(HINSTANCE instance)
    : instance_(instance),
      display_(std::make_unique<PictureBox>(*this)),
      caption_(std::make_unique<Label>(*this, false, false)),
      clock_(std::make_unique<Label>(*this, true, true)) {
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

    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    RegisterWindowClass(instance, {kWindowClass, 0, arrow, nullptr});
    RegisterWindowClass(instance, {kPictureClass, CS_OWNDC, arrow, nullptr});
    RegisterWindowClass(instance, {kLabelClass, 0, arrow, nullptr});
    const RECT screenRect{0, 0, screen_.width, screen_.height};
    const RECT none{0, 0, 0, 0};
    if (!Create(instance, kWindowClass, WS_EX_TOPMOST, WS_POPUP | WS_CLIPCHILDREN, screenRect,
                nullptr, L"Orvelle Screen Saver")) {
        return;
    }
    // Z-order among the children: the picture above the labels, as a picture box covers labels.
    constexpr DWORD childStyle = WS_CHILD | WS_CLIPSIBLINGS;
    display_->Create(instance, kPictureClass, 0, childStyle, none, Handle());
    caption_->Create(instance, kLabelClass, 0, childStyle, none, Handle());
    clock_->Create(instance, kLabelClass, 0, childStyle, none, Handle());
    SetWindowPos(display_->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    clock_->font.Reset(
        MakeFont(kClockFontName, kClockFontPoints, dpiY_, false, false, false, false));
    decoder_.SetBetweenBands([this] { return KeepDecoding(); });
}

SaverWindow::~SaverWindow() {
    // The form may already be gone; nothing is reported while the windows are torn down.
    events_ = nullptr;
    // Children first, while this object is still whole.
    display_.reset();
    caption_.reset();
    clock_.reset();
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
        case WM_PAINT: {
            PaintScope paint(Handle());
            const RECT& area = paint.Area();
            if (background_.dib) {
                BitBlt(paint.Get(), area.left, area.top, area.right - area.left,
                       area.bottom - area.top, background_.dc.Get(), area.left, area.top, SRCCOPY);
            } else {
                HBRUSH brush = CreateSolidBrush(ToColorRef(backColour_));
                FillRect(paint.Get(), &area, brush);
                DeleteObject(brush);
            }
            return 0;
        }
        case WM_ERASEBKGND:
            // The background bitmap covers everything; erasing would only flicker.
            return 1;
        case WM_TIMER:
            if (wParam >= 1 && wParam <= kTimerCount && events_) {
                events_->OnTimer(static_cast<SaverTimer>(wParam - 1));
            }
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            // Not handed on: Alt+F4 or F10 must not reach the system's own handling.
            if (events_) {
                events_->Form_KeyDown();
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

void SaverWindow::OnDestroyed() {
    // The window's pictures go with it.
    load_.Free();
    backPicture_.Free();
    desktop_.Free();
    display_->surface.Free();
    decoder_.Close();
    pictureWaiting_ = false;
}

void SaverWindow::PaintBehind(HDC dc, const RECT& windowRect) const {
    const int width = windowRect.right - windowRect.left;
    const int height = windowRect.bottom - windowRect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    if (background_.dib) {
        BitBlt(dc, 0, 0, width, height, background_.dc.Get(), windowRect.left, windowRect.top,
               SRCCOPY);
    } else {
        HBRUSH brush = CreateSolidBrush(ToColorRef(backColour_));
        RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
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
}

// --- Background ---

void SaverWindow::PaintSolidBackground(Colour colour) {
    if (!IsAlive()) {
        return;
    }
    desktop_.Free();
    backColour_ = colour;
    const std::uint32_t pixel = DibPixel(colour);
    background_.Fill(pixel);
    load_.Fill(pixel);
    display_->surface.Fill(pixel);
    InvalidateRect(Handle(), nullptr, FALSE);
    if (display_->IsAlive()) {
        InvalidateRect(display_->Handle(), nullptr, FALSE);
    }
}

void SaverWindow::PaintDesktopCopy() {
    if (!IsAlive() || !background_.dib) {
        return;
    }
    if (desktop_.dib) {
        BitBlt(background_.dc.Get(), 0, 0, screen_.width, screen_.height, desktop_.dc.Get(), 0, 0,
               SRCCOPY);
        desktop_.Free();
    } else {
        WindowDC desktop(GetDesktopWindow());
        BitBlt(background_.dc.Get(), 0, 0, screen_.width, screen_.height, desktop.Get(), 0, 0,
               SRCCOPY);
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

std::optional<PixelSize> SaverWindow::LoadBackgroundPicture(const std::string& path) {
    if (!IsAlive()) {
        return std::nullopt;
    }
    desktop_.Free();
    pictureWaiting_ = false;
    const std::optional<PixelSize> size = decoder_.Open(path);
    if (!size) {
        return std::nullopt;
    }
    DibBitmap picture = decoder_.Decode(BackgroundDecodeSize(*size, screen_), backColour_);
    decoder_.Close();
    if (!picture) {
        backPicture_.Free();
        return std::nullopt;
    }
    backPicture_.Adopt(std::move(picture));
    return size;
}

void SaverWindow::DrawBackgroundPicture(const PixelRect& rect) {
    if (!IsAlive() || !backPicture_.dib || !background_.dib || rect.width <= 0 ||
        rect.height <= 0) {
        return;
    }
    if (rect.width == backPicture_.Width() && rect.height == backPicture_.Height()) {
        BitBlt(background_.dc.Get(), rect.left, rect.top, rect.width, rect.height,
               backPicture_.dc.Get(), 0, 0, SRCCOPY);
    } else if (rect.left < 0 || rect.top < 0 || rect.width > screen_.width ||
               rect.height > screen_.height) {
        DrawBackgroundPart(rect);
    } else {
        Surface stretched;
        if (!stretched.Resize(rect.width, rect.height)) {
            return;
        }
        StretchInto(backPicture_, stretched);
        BitBlt(background_.dc.Get(), rect.left, rect.top, rect.width, rect.height,
               stretched.dc.Get(), 0, 0, SRCCOPY);
    }
    Invalidate(rect);
}

void SaverWindow::FillBackgroundRect(const PixelRect& rect, Colour colour) {
    if (!IsAlive() || !background_.dib) {
        return;
    }
    desktop_.Free();
    PixelRect area = rect;
    if (!ClipTo(area, background_.Width(), background_.Height())) {
        return;
    }
    GdiFlush();
    const std::uint32_t pixel = DibPixel(colour);
    for (int y = area.top; y < area.top + area.height; ++y) {
        std::uint32_t* row = background_.dib.Row(y) + area.left;
        std::fill(row, row + area.width, pixel);
    }
    Invalidate(area);
}

// --- Picture surfaces ---

void SaverWindow::ClearPictures() {
    if (!IsAlive()) {
        return;
    }
    // The picture on screen keeps its lasting picture: a clear only drops what was drawn over
    // it, and every drawing on it is committed as soon as it is made.
    load_.Fill(DibPixel(backColour_));
    decoder_.Close();
    pictureWaiting_ = false;
}

std::optional<PixelSize> SaverWindow::LoadPicture(const std::string& path) {
    if (!IsAlive()) {
        return std::nullopt;
    }
    desktop_.Free();
    pictureWaiting_ = false;
    const std::optional<PixelSize> size = decoder_.Open(path);
    if (size) {
        pictureWaiting_ = true;
        waitingSize_ = *size;
    }
    return size;
}

void SaverWindow::MaterializeLoad() {
    if (pictureWaiting_) {
        ScaleLoadedPicture(waitingSize_);
    }
}

bool SaverWindow::ScaleLoadedPicture(const PixelSize& size) {
    if (!IsAlive()) {
        return false;
    }
    if (size.width <= 0 || size.height <= 0) {
        decoder_.Close();
        pictureWaiting_ = false;
        load_.Free();
        return true;
    }
    if (pictureWaiting_) {
        pictureWaiting_ = false;
        DibBitmap picture = decoder_.Decode(size, backColour_);
        decoder_.Close();
        if (!picture) {
            return false;
        }
        load_.Adopt(std::move(picture));
        return true;
    }
    // Nothing waiting: rescale what the load surface holds.
    if (!load_.dib) {
        if (!load_.Resize(size.width, size.height)) {
            return false;
        }
        load_.Fill(DibPixel(backColour_));
        return true;
    }
    if (load_.Width() == size.width && load_.Height() == size.height) {
        return true;
    }
    Surface scaled;
    if (!scaled.Resize(size.width, size.height)) {
        return false;
    }
    StretchInto(load_, scaled);
    load_.Adopt(scaled.Take());
    return true;
}

bool SaverWindow::GrabBackgroundPatch(const PixelRect& rect) {
    if (!IsAlive()) {
        return false;
    }
    decoder_.Close();
    pictureWaiting_ = false;
    if (!load_.Resize(rect.width, rect.height)) {
        return false;
    }
    if (!load_.dib) {
        return true;
    }
    // Parts of the patch off the screen (a picture taller than the screen) take the colour.
    load_.Fill(DibPixel(backColour_));
    PixelRect source = rect;
    if (background_.dib && ClipTo(source, background_.Width(), background_.Height())) {
        BitBlt(load_.dc.Get(), source.left - rect.left, source.top - rect.top, source.width,
               source.height, background_.dc.Get(), source.left, source.top, SRCCOPY);
    }
    return true;
}

bool SaverWindow::CopyToDisplay(const PixelRect& rect) {
    if (!IsAlive()) {
        return false;
    }
    MaterializeLoad();
    PixelRect area = rect;
    if (!load_.dib || !ClipTo(area, load_.Width(), load_.Height())) {
        return true;
    }
    BOOL copied = TRUE;
    Surface& shown = display_->surface;
    PixelRect inBox = area;
    if (shown.dib && ClipTo(inBox, shown.Width(), shown.Height())) {
        copied = BitBlt(shown.dc.Get(), inBox.left, inBox.top, inBox.width, inBox.height,
                        load_.dc.Get(), inBox.left, inBox.top, SRCCOPY);
    }
    if (display_->visible && display_->IsAlive()) {
        // Straight to the screen as well, so each step of an effect is seen as it is drawn.
        WindowDC screen(display_->Handle());
        BitBlt(screen.Get(), area.left, area.top, area.width, area.height, load_.dc.Get(),
               area.left, area.top, SRCCOPY);
    }
    return copied != FALSE;
}

void SaverWindow::CommitDisplay() {
    if (!IsAlive()) {
        return;
    }
    MaterializeLoad();
    Surface& shown = display_->surface;
    if (!shown.dib) {
        return;
    }
    if (!load_.dib || load_.Width() < shown.Width() || load_.Height() < shown.Height()) {
        shown.Fill(DibPixel(backColour_));
    }
    if (load_.dib) {
        BitBlt(shown.dc.Get(), 0, 0, std::min(load_.Width(), shown.Width()),
               std::min(load_.Height(), shown.Height()), load_.dc.Get(), 0, 0, SRCCOPY);
    }
    if (display_->visible && display_->IsAlive()) {
        WindowDC screen(display_->Handle());
        BitBlt(screen.Get(), 0, 0, shown.Width(), shown.Height(), shown.dc.Get(), 0, 0, SRCCOPY);
    }
}

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

// --- Caption and clock labels ---

void SaverWindow::SetCaptionFont(const CaptionFont& font) {
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
        SetWindowTextA(label.Handle(), text.c_str());
        InvalidateRect(label.Handle(), nullptr, FALSE);
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

// --- SaverHost ---

int SaverWindow::WaveOutDeviceCount() {
    return static_cast<int>(waveOutGetNumDevs());
}

void SaverWindow::SetScreenSaverRunning(bool running) {
    UINT previous = 0;
    SystemParametersInfoA(97, running ? 1 : 0, &previous, 0);
}

int SaverWindow::ShowPointerOnce() {
    return ShowCursor(TRUE);
}

void SaverWindow::SetPointerPosition(int x, int y) {
    SetCursorPos(x, y);
}

void SaverWindow::ShowTaskbar() {
    HWND tray = FindWindowA("Shell_traywnd", "");
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
    MessageBoxA(nullptr, text.c_str(), kProgramTitle, MB_OK | MB_ICONEXCLAMATION);
}

void SaverWindow::EndProgram() {
    if (!ended_) {
        ended_ = true;
        PostQuitMessage(0);
    }
}

}  // namespace orvelle::win
