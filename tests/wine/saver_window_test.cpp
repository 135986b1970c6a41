// The saver window driven directly in the test process: what reaches the screen, what reaches
// the form, and what the picture decoder makes of real files.
#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "picture/picture_decoder_win.h"
#include "saver/saver_window_win.h"
#include "wine_support.h"

using orvelle::Colour;
using orvelle::PixelRect;
using orvelle::PixelSize;
using orvelle::SaverTimer;
using orvelle::win::PictureDecoder;
using orvelle::win::SaverEvents;
using orvelle::win::SaverWindow;

namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kYellow = 0x00FFFF;
constexpr Colour kWhite = 0xFFFFFF;

struct RecordedEvents : SaverEvents {
    int loads = 0;
    std::vector<SaverTimer> ticks;
    int formKeys = 0;
    int formClicks = 0;
    int pictureKeys = 0;
    std::vector<std::pair<float, float>> formMoves;
    std::vector<std::pair<float, float>> pictureMoves;
    std::function<void()> onFormKey;
    std::vector<orvelle::DecodedPicture> decoded;
    std::vector<orvelle::ScanNews> scanned;

    void Form_Load() override { ++loads; }
    void OnTimer(SaverTimer timer) override { ticks.push_back(timer); }
    void PictureDecoded(const orvelle::DecodedPicture& picture) override {
        decoded.push_back(picture);
    }
    void FoldersScanned(const orvelle::ScanNews& news) override { scanned.push_back(news); }
    void Form_KeyDown(orvelle::SaverKey, bool) override {
        ++formKeys;
        if (onFormKey) {
            onFormKey();
        }
    }
    void Form_MouseDown() override { ++formClicks; }
    void Form_MouseMove(float x, float y) override { formMoves.emplace_back(x, y); }
    void DisplayingPicture_KeyDown(orvelle::SaverKey, bool) override { ++pictureKeys; }
    void DisplayingPicture_MouseMove(float x, float y) override { pictureMoves.emplace_back(x, y); }
    int TicksOf(SaverTimer timer) const {
        int n = 0;
        for (SaverTimer t : ticks) {
            n += t == timer ? 1 : 0;
        }
        return n;
    }
};

std::string TempFile(const std::string& name) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "orvelle_sw_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

COLORREF Pixel(int x, int y) {
    return wine_test::ScreenPixel(x, y);
}

bool Near(COLORREF actual, Colour expected, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        int a = static_cast<int>((actual >> shift) & 0xFF);
        int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return false;
        }
    }
    return true;
}

// The window draws at once, but the system puts what it drew on the screen a little later: a
// pixel is waited for until it shows the colour (or time runs out).
#define EXPECT_PIXEL(x, y, colour, tolerance) \
    EXPECT_TRUE(wine_test::ScreenBecomes({{(x), (y), static_cast<COLORREF>(colour), (tolerance)}}))

// For the checks that a part of the screen does NOT change: it keeps its colour a while.
bool PixelStays(int x, int y, Colour colour) {
    return wine_test::HoldsFor(150, [&] { return Near(Pixel(x, y), colour, 0); });
}

// A window covering the screen with a solid background, events recorded.
struct ShownWindow {
    RecordedEvents events;
    SaverWindow window{GetModuleHandleA(nullptr)};
    std::uint32_t lastTicket = 0;
    explicit ShownWindow(Colour background = kRed) {
        window.AttachEvents(events);
        window.CoverScreen();
        window.PaintSolidBackground(background);
        wine_test::WaitForPixel(20, 20, background, 0, wine_test::kPatience);
    }
    // Decodes a picture file on the window's decoding thread, no wider than width (its own size
    // when 0), and puts it in the load surface; its answer.
    orvelle::DecodedPicture Load(const std::string& path, int width = 0) {
        const std::uint32_t ticket = ++lastTicket;
        const std::int64_t unlimited = 1 << 30;
        window.DecodePicture(
            {ticket, path, {1, 1, width > 0 ? width : unlimited, unlimited, 1.0f}});
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 20000) {
            for (const orvelle::DecodedPicture& answer : events.decoded) {
                if (answer.ticket == ticket) {
                    EXPECT_TRUE(answer.outcome != orvelle::DecodeOutcome::Decoded ||
                                window.PlaceDecodedPicture(ticket));
                    return answer;
                }
            }
            window.PumpEvents(0.01);
        }
        ADD_FAILURE() << "no answer for " << path;
        return {};
    }
    // Puts a picture file on screen at rect (at rect's width) with no effect.
    void Show(const std::string& path, const PixelRect& rect) {
        ASSERT_EQ(Load(path, rect.width).size, (PixelSize{rect.width, rect.height})) << path;
        window.MoveDisplay(rect);
        window.ShowDisplay(true);
        window.CommitDisplay();
        wine_test::HandlePending();
    }
};

// --- Decoding files ---

TEST(PictureDecoder, RecognisesPicturesByContentAndRefusesOthers) {
    const std::string bmpNamedJif = TempFile("bmp.jif");
    const std::string notAPicture = TempFile("text.jpg");
    wine_test::WriteBmpFile(bmpNamedJif, 7, 5, [](int, int) { return kGreen; });
    std::ofstream(notAPicture) << "not a picture at all";

    PictureDecoder decoder;
    auto size = decoder.Open(bmpNamedJif);
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(*size, (PixelSize{7, 5}));
    orvelle::win::DibBitmap dib = decoder.Decode({7, 5}, kRed);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.Row(4)[6], orvelle::win::DibPixel(kGreen));

    EXPECT_FALSE(decoder.Open(notAPicture).has_value());
    EXPECT_FALSE(decoder.Open(TempFile("missing.gif")).has_value());
    EXPECT_FALSE(decoder.Open("").has_value());
    // Nothing open: nothing decoded.
    EXPECT_FALSE(decoder.Decode({7, 5}, kRed));
    DeleteFileA(bmpNamedJif.c_str());
    DeleteFileA(notAPicture.c_str());
}

TEST(PictureDecoder, LargeJpegShrinksToTheTargetKeepingItsColours) {
    const std::string path = TempFile("quadrants.jpg");
    auto quadrant = [](int x, int y) {
        return x < 800 ? (y < 600 ? kRed : kGreen) : (y < 600 ? kBlue : kWhite);
    };
    if (!wine_test::WriteJpegFile(path, 1600, 1200, quadrant)) {
        GTEST_SKIP() << "no JPEG encoder";
    }
    PictureDecoder decoder;
    ASSERT_EQ(decoder.Open(path), (PixelSize{1600, 1200}));
    orvelle::win::DibBitmap dib = decoder.Decode({160, 120}, kYellow);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.width, 160);
    EXPECT_EQ(dib.height, 120);
    // Read no smaller than the target; smaller than the file where the decoder can shrink.
    EXPECT_GE(decoder.LastDecodedSize().width, 160);
    EXPECT_LE(decoder.LastDecodedSize().width, 1600);
    auto closeTo = [](std::uint32_t dibPixel, Colour colour) {
        // Back from BGRX to 0x00BBGGRR for the comparison.
        Colour c = ((dibPixel & 0xFF) << 16) | (dibPixel & 0xFF00) | ((dibPixel >> 16) & 0xFF);
        return Near(c, colour, 12);
    };
    EXPECT_TRUE(closeTo(dib.Row(30)[40], kRed));
    EXPECT_TRUE(closeTo(dib.Row(90)[40], kGreen));
    EXPECT_TRUE(closeTo(dib.Row(30)[120], kBlue));
    EXPECT_TRUE(closeTo(dib.Row(90)[120], kWhite));
    decoder.Close();
    DeleteFileA(path.c_str());
}

TEST(SaverWindow, PicturesAreDecodedBesideTheWindowAndOnlyTheLatestRequestIsAnswered) {
    ShownWindow shown;
    const std::string red = TempFile("red.bmp");
    const std::string blue = TempFile("blue.bmp");
    const std::string text = TempFile("text.jpg");
    const std::string bomb = TempFile("bomb.bmp");
    wine_test::WriteBmpFile(red, 300, 200, [](int, int) { return kRed; });
    wine_test::WriteBmpFile(blue, 300, 200, [](int, int) { return kBlue; });
    std::ofstream(text) << "not a picture at all";
    // A small BMP whose header is made to claim 60000 x 60000 pixels.
    std::string bytes = wine_test::ReadFileBytes(red).value_or("");
    ASSERT_GT(bytes.size(), 26u);
    bytes.replace(18, 8, std::string("\x60\xEA\0\0\x60\xEA\0\0", 8));
    ASSERT_TRUE(wine_test::WriteFileBytes(bomb, bytes));

    // Asked for twice before it answers, the window hears only of the second.
    shown.window.DecodePicture({100, red, {1, 1, 1 << 30, 1 << 30, 1.0f}});
    const orvelle::DecodedPicture answer = shown.Load(blue, 150);
    EXPECT_EQ(answer.outcome, orvelle::DecodeOutcome::Decoded);
    EXPECT_EQ(answer.size, (PixelSize{150, 100}));
    for (const orvelle::DecodedPicture& heard : shown.events.decoded) {
        EXPECT_NE(heard.ticket, 100u);
    }
    EXPECT_FALSE(shown.window.PlaceDecodedPicture(100));
    // What cannot be shown says whether it is a picture at all.
    EXPECT_EQ(shown.Load(TempFile("missing.bmp")).outcome, orvelle::DecodeOutcome::NotAPicture);
    EXPECT_EQ(shown.Load(text).outcome, orvelle::DecodeOutcome::NotAPicture);
    EXPECT_EQ(shown.Load(bomb).outcome, orvelle::DecodeOutcome::NotDecoded);
    for (const std::string& path : {red, blue, text, bomb}) {
        DeleteFileA(path.c_str());
    }
}

// --- The window on screen ---

TEST(SaverWindow, CoversTheScreenTopmostInTheWindowFrameColourUntilPainted) {
    RecordedEvents events;
    SaverWindow window(GetModuleHandleA(nullptr));
    window.AttachEvents(events);
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
    window.CoverScreen();
    wine_test::HandlePending();
    RECT rc;
    GetWindowRect(window.Handle(), &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rc.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(window.ScreenSize(), (PixelSize{rc.right, rc.bottom}));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(window.TwipsPerPixelX(), 1440 / dpi);
    EXPECT_PIXEL(20, 20, static_cast<Colour>(GetSysColor(COLOR_WINDOWFRAME)), 0);
    // The painted background survives a full repaint.
    window.PaintSolidBackground(kYellow);
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    wine_test::HandlePending();
    EXPECT_PIXEL(20, 20, kYellow, 0);
    EXPECT_TRUE(PixelStays(20, 20, kYellow));
    window.Load();
    EXPECT_EQ(events.loads, 1);
}

TEST(SaverWindow, ScaledPictureShowsOverTheSolidBackgroundAndGoesWhenHidden) {
    ShownWindow shown(kRed);
    const std::string path = TempFile("halves.bmp");
    wine_test::WriteBmpFile(path, 200, 100, [](int x, int) { return x < 100 ? kBlue : kGreen; });
    shown.Show(path, {40, 30, 100, 50});
    EXPECT_PIXEL(10, 10, kRed, 0);
    EXPECT_PIXEL(50, 55, kBlue, 2);
    EXPECT_PIXEL(130, 55, kGreen, 2);
    EXPECT_PIXEL(139, 79, kGreen, 2);
    EXPECT_PIXEL(140, 80, kRed, 0);
    shown.window.ShowDisplay(false);
    wine_test::HandlePending();
    EXPECT_PIXEL(50, 55, kRed, 0);
    DeleteFileA(path.c_str());
}

TEST(SaverWindow, EachStepReachesTheScreenAndTheCommitCompletesAndLasts) {
    ShownWindow shown(kRed);
    const std::string path = TempFile("blue.bmp");
    wine_test::WriteBmpFile(path, 100, 50, [](int, int) { return kBlue; });
    ASSERT_EQ(shown.Load(path).size, (PixelSize{100, 50}));
    shown.window.MoveDisplay({0, 0, 100, 50});
    shown.window.ShowDisplay(true);
    // A new box shows the background behind it until an effect draws. (The drawing itself is
    // done at once; the system puts it on the screen a little later.)
    wine_test::HandlePending();
    EXPECT_TRUE(PixelStays(50, 25, kRed));
    EXPECT_TRUE(shown.window.CopyToDisplay({0, 0, 10, 50}));
    // Steps wholly outside the picture change nothing and are no failure.
    EXPECT_TRUE(shown.window.CopyToDisplay({500, 500, 10, 10}));
    wine_test::HandlePending();
    EXPECT_PIXEL(5, 25, kBlue, 0);
    EXPECT_PIXEL(50, 25, kRed, 0);
    shown.window.CommitDisplay();
    wine_test::HandlePending();
    EXPECT_PIXEL(50, 25, kBlue, 0);
    RedrawWindow(shown.window.DisplayHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    wine_test::HandlePending();
    EXPECT_TRUE(PixelStays(50, 25, kBlue));
    EXPECT_PIXEL(99, 49, kBlue, 0);
    DeleteFileA(path.c_str());
}

TEST(SaverWindow, BackgroundPatchComesFromTheLastingBackgroundEvenPastTheEdge) {
    ShownWindow shown(kRed);
    shown.window.FillBackgroundRect({0, 0, 50, 50}, kGreen);
    // Mostly off the top left corner: the part off screen takes the background colour.
    ASSERT_TRUE(shown.window.GrabBackgroundPatch({-10, -10, 40, 40}));
    shown.window.MoveDisplay({200, 200, 40, 40});
    shown.window.ShowDisplay(true);
    shown.window.CommitDisplay();
    wine_test::HandlePending();
    EXPECT_PIXEL(215, 215, kGreen, 0);
    EXPECT_PIXEL(239, 239, kGreen, 0);
    EXPECT_PIXEL(205, 205, kRed, 0);
    // A box moved to a new size over the green patch shows the background behind it, not the
    // old picture.
    shown.window.CommitDisplay();
    shown.window.MoveDisplay({10, 10, 30, 30});
    wine_test::HandlePending();
    EXPECT_PIXEL(20, 20, kGreen, 0);
}

TEST(SaverWindow, BackgroundPictureIsDrawnStretchedShrunkOrAtItsOwnSize) {
    const std::string path = TempFile("background.bmp");
    wine_test::WriteBmpFile(path, 40, 20, [](int x, int) { return x < 20 ? kBlue : kGreen; });
    ShownWindow shown(kRed);
    EXPECT_FALSE(shown.window.LoadBackgroundPicture(TempFile("missing.bmp")).has_value());
    ASSERT_EQ(shown.window.LoadBackgroundPicture(path), (PixelSize{40, 20}));
    shown.window.DrawBackgroundPicture({0, 0, 80, 40});      // stretched
    shown.window.DrawBackgroundPicture({200, 200, 20, 10});  // shrunk
    shown.window.DrawBackgroundPicture({-20, 300, 40, 20});  // own size, half off the screen
    wine_test::HandlePending();
    EXPECT_PIXEL(10, 10, kBlue, 2);
    EXPECT_PIXEL(70, 30, kGreen, 2);
    EXPECT_PIXEL(85, 10, kRed, 0);
    EXPECT_PIXEL(202, 202, kBlue, 2);
    EXPECT_PIXEL(218, 208, kGreen, 2);
    EXPECT_PIXEL(221, 205, kRed, 0);
    EXPECT_PIXEL(5, 305, kGreen, 0);
    EXPECT_PIXEL(25, 305, kRed, 0);
    DeleteFileA(path.c_str());
}

TEST(SaverWindow, DesktopCopyShowsTheScreenAsItWasBeforeTheWindowCoveredIt) {
    // Something distinctive on the screen first: a magenta window at the top left.
    static const wchar_t kClass[] = L"OrvelleTestMagenta";
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    HWND magenta = CreateWindowExW(WS_EX_TOPMOST, kClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 120, 90,
                                   nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(magenta, nullptr);
    if (!wine_test::WaitForPixel(60, 45, RGB(255, 0, 255), 0, wine_test::kPatience)) {
        DestroyWindow(magenta);
        GTEST_SKIP() << "the screen cannot be read back here";
    }
    RecordedEvents events;
    SaverWindow window(GetModuleHandleA(nullptr));
    window.AttachEvents(events);
    window.CoverScreen();
    DestroyWindow(magenta);
    // By the time the background is painted the window may well be on screen already (with a
    // compositor it is): the copy must still show what was there before.
    EXPECT_PIXEL(60, 45, static_cast<Colour>(GetSysColor(COLOR_WINDOWFRAME)), 0);
    window.PaintDesktopCopy();
    wine_test::HandlePending();
    EXPECT_PIXEL(60, 45, static_cast<Colour>(RGB(255, 0, 255)), 0);
    EXPECT_FALSE(Near(Pixel(300, 300), RGB(255, 0, 255), 0));
}

TEST(SaverWindow, TransparentGifPixelsTakeTheBoxColour) {
    // 4 x 2: the left half transparent, the right half blue.
    static const unsigned char gif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x02, 0x00, 0xf0, 0x00, 0x00, 0x00, 0x00,
        0xff, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00, 0x2c, 0x00, 0x00,
        0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00, 0x02, 0x04, 0x4c, 0x00, 0x86, 0x05, 0x00, 0x3b};
    const std::string path = TempFile("half.gif");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(gif), sizeof(gif));
    ShownWindow shown(kYellow);
    shown.Show(path, {10, 10, 4, 2});
    EXPECT_PIXEL(10, 10, kYellow, 0);
    EXPECT_PIXEL(11, 11, kYellow, 0);
    EXPECT_PIXEL(12, 10, kBlue, 0);
    EXPECT_PIXEL(13, 11, kBlue, 0);
    DeleteFileA(path.c_str());
}

TEST(SaverWindow, CaptionSizesToItsTextAndShowsTheBackgroundAroundIt) {
    ShownWindow shown(kRed);
    shown.window.SetCaptionFont({"Arial", 20.0f, true, false, false, false, kWhite});
    const PixelSize shortSize = shown.window.SetCaptionText("Hi");
    const PixelSize longSize = shown.window.SetCaptionText("Hello there, a longer caption");
    const PixelSize emptySize = shown.window.SetCaptionText("");
    EXPECT_GT(longSize.width, shortSize.width * 4);
    EXPECT_EQ(longSize.height, shortSize.height);
    EXPECT_EQ(emptySize.height, shortSize.height);
    EXPECT_LT(emptySize.width, 5);
    // About 20 points at the screen's resolution.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    EXPECT_GE(longSize.height, 20 * dpi / 72);
    EXPECT_LE(longSize.height, 20 * dpi / 72 * 3 / 2);

    shown.window.SetCaptionText("Hello there, a longer caption");
    shown.window.MoveCaption({100, 0, longSize.width + 20, longSize.height});
    shown.window.ShowCaption(true);
    auto whiteAcross = [&] {
        int white = 0;
        for (int x = 100; x < 100 + longSize.width; ++x) {
            white += Near(Pixel(x, longSize.height / 2), kWhite, 40) ? 1 : 0;
        }
        return white;
    };
    wine_test::WaitUntil([&] { return whiteAcross() > 10; });
    EXPECT_GT(whiteAcross(), 10);
    // Past the text the label shows the background behind it.
    EXPECT_PIXEL(100 + longSize.width + 10, longSize.height / 2, kRed, 0);
    EXPECT_PIXEL(100, 0, kRed, 0);
}

TEST(SaverWindow, ClockLabelIsOpaqueWithItsTextAtTheRight) {
    ShownWindow shown(kRed);
    shown.window.ShowClock(true, {300, 300, 300, 30}, 0x000000);
    shown.window.SetClockText("12:00:00  ");
    const Colour face = static_cast<Colour>(GetSysColor(COLOR_BTNFACE));
    EXPECT_PIXEL(302, 302, face, 0);
    int darkLeft = 0;
    int darkRight = 0;
    wine_test::WaitUntil([&] {
        darkLeft = darkRight = 0;
        for (int x = 300; x < 600; ++x) {
            for (int y = 300; y < 330; y += 2) {
                if (Near(Pixel(x, y), 0x000000, 60)) {
                    (x < 450 ? darkLeft : darkRight)++;
                }
            }
        }
        return darkRight > 10;
    });
    EXPECT_EQ(darkLeft, 0);
    EXPECT_GT(darkRight, 10);
    shown.window.ShowClock(false, {300, 300, 0, 0}, 0);
    wine_test::HandlePending();
    EXPECT_PIXEL(302, 302, kRed, 0);
}

// --- Timers, input and pacing ---

TEST(SaverWindow, TimersTickUntilStoppedAndNeverWithIntervalZero) {
    ShownWindow shown;
    shown.window.SetTimer(SaverTimer::Float, 20, true);
    shown.window.SetTimer(SaverTimer::ImageChange, 0, true);
    shown.window.SetTimer(SaverTimer::Media, 20, false);
    shown.window.PumpEvents(0.4);
    const int floatTicks = shown.events.TicksOf(SaverTimer::Float);
    EXPECT_GE(floatTicks, 5);
    EXPECT_LE(floatTicks, 25);
    EXPECT_EQ(shown.events.TicksOf(SaverTimer::ImageChange), 0);
    EXPECT_EQ(shown.events.TicksOf(SaverTimer::Media), 0);
    shown.window.SetTimer(SaverTimer::Float, 20, false);
    shown.window.SetTimer(SaverTimer::StartSaver, 50, true);
    shown.window.PumpEvents(0.3);
    EXPECT_EQ(shown.events.TicksOf(SaverTimer::Float), floatTicks);
    EXPECT_GE(shown.events.TicksOf(SaverTimer::StartSaver), 2);
}

TEST(SaverWindow, InputReachesTheHandlerOfTheWindowItLandsOn) {
    ShownWindow shown;
    SaverWindow& w = shown.window;
    RecordedEvents& e = shown.events;
    w.MoveDisplay({100, 100, 50, 50});
    w.ShowDisplay(true);
    w.SetCaptionText("caption");
    w.MoveCaption({300, 0, 100, 20});
    w.ShowCaption(true);
    wine_test::HandlePending();
    e.formMoves.clear();
    e.pictureMoves.clear();

    PostMessageW(w.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    PostMessageW(w.DisplayHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
    PostMessageW(w.CaptionHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PostMessageW(w.DisplayHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    PostMessageW(w.CaptionHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(w.ClockHandle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    wine_test::HandlePending();
    ASSERT_EQ(e.formMoves.size(), 1u);
    EXPECT_EQ(e.formMoves[0].first, 10.0f * w.TwipsPerPixelX());
    EXPECT_EQ(e.formMoves[0].second, 20.0f * w.TwipsPerPixelY());
    ASSERT_EQ(e.pictureMoves.size(), 1u);
    EXPECT_EQ(e.pictureMoves[0], std::make_pair(3.0f, 4.0f));
    EXPECT_EQ(e.formClicks, 0);

    PostMessageW(w.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    PostMessageW(w.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(10, 20));
    PostMessageW(w.Handle(), WM_KEYDOWN, 'A', 1);
    // Alt+F4 is a key like any other: handed to the form, the window stays.
    PostMessageW(w.Handle(), WM_SYSKEYDOWN, VK_F4, 0x20000001);
    PostMessageW(w.DisplayHandle(), WM_KEYDOWN, VK_SPACE, 1);
    wine_test::HandlePending();
    EXPECT_EQ(e.formClicks, 2);
    EXPECT_EQ(e.formKeys, 2);
    EXPECT_EQ(e.pictureKeys, 1);
    EXPECT_TRUE(IsWindow(w.Handle()));
}

TEST(SaverWindow, HurryPendingSeesWaitingKeysAndClicksOnly) {
    ShownWindow shown;
    EXPECT_FALSE(shown.window.HurryPending());
    PostMessageW(shown.window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_FALSE(shown.window.HurryPending());
    PostMessageW(shown.window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    EXPECT_TRUE(shown.window.HurryPending());
    wine_test::HandlePending();
    EXPECT_EQ(shown.events.formClicks, 1);  // looked at, not taken
    PostMessageW(shown.window.Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(shown.window.HurryPending());
}

TEST(SaverWindow, PauseLastsItsTimeAndEndsEarlyWhenTheRunEnds) {
    ShownWindow shown;
    const DWORD start = GetTickCount();
    shown.window.PumpEvents(0.3);
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 280u);
    EXPECT_LT(elapsed, 700u);

    // A key during the pause ends the run: the window goes, the pause ends, the quit message
    // stays for the program's loop, and what the engine still calls does nothing.
    shown.events.onFormKey = [&] {
        shown.window.UnloadSaverWindow();
        shown.window.EndProgram();
    };
    PostMessageW(shown.window.Handle(), WM_KEYDOWN, 'Q', 1);
    const DWORD before = GetTickCount();
    shown.window.PumpEvents(5.0);
    EXPECT_LT(GetTickCount() - before, 1000u);
    EXPECT_FALSE(IsWindow(shown.window.Handle()));
    EXPECT_TRUE(shown.window.Ended());
    shown.window.DecodePicture({1, TempFile("none.bmp"), {}});
    EXPECT_FALSE(shown.window.PlaceDecodedPicture(1));
    EXPECT_FALSE(shown.window.CopyToDisplay({0, 0, 10, 10}));
    shown.window.CommitDisplay();
    shown.window.MoveDisplay({0, 0, 5, 5});
    shown.window.SetTimer(SaverTimer::Float, 10, true);
    shown.window.ShowErrorMessage("must not appear");  // would block the test if shown
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(SaverWindow, WaitForFrameWaitsAboutOneFrame) {
    ShownWindow shown;
    const DWORD start = GetTickCount();
    for (int i = 0; i < 12; ++i) {
        shown.window.WaitForFrame();
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 120u);
    EXPECT_LE(elapsed, 500u);
}

// --- Resources ---

// How many more GDI objects the process could make now: all made, counted and freed again.
int GdiHeadroom() {
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    while (brushes.size() < 70000) {
        HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
        if (!brush) {
            break;
        }
        brushes.push_back(brush);
    }
    for (HBRUSH brush : brushes) {
        DeleteObject(brush);
    }
    return static_cast<int>(brushes.size());
}

TEST(SaverWindow, PictureChangesLeakNoGdiObjects) {
    ShownWindow shown;
    const std::string path = TempFile("leak.bmp");
    wine_test::WriteBmpFile(path, 300, 200,
                            [](int x, int y) { return (x ^ y) & 1 ? kBlue : kWhite; });
    SaverWindow& w = shown.window;
    auto change = [&](int i) {
        w.ClearPictures();
        w.GrabBackgroundPatch({10, 10, 120 + i % 7, 80});
        w.CopyToDisplay({0, 0, 60, 80});
        w.CommitDisplay();
        w.ShowDisplay(false);
        ASSERT_EQ(shown.Load(path, 150 - i % 5).outcome, orvelle::DecodeOutcome::Decoded);
        w.MoveDisplay({10 + i % 3, 10, 150 - i % 5, 100});
        w.ShowDisplay(true);
        w.CopyToDisplay({0, 0, 20, 100});
        w.CommitDisplay();
        w.SetCaptionText("caption " + std::to_string(i));
        w.SetClockText(std::to_string(i));
    };
    w.ShowClock(true, {500, 500, 100, 20}, 0);
    w.ShowCaption(true);
    for (int i = 0; i < 20; ++i) {
        change(i);
    }
    wine_test::HandlePending();
    const int headroomBefore = GdiHeadroom();
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 300; ++i) {
        change(i);
        if (i % 50 == 0) {
            wine_test::HandlePending();
        }
    }
    wine_test::HandlePending();
    const DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const int headroomAfter = GdiHeadroom();
    DeleteFileA(path.c_str());
    EXPECT_LE(after, before + 2);
    // Where the system does not count objects (Wine), the room left for new ones tells.
    EXPECT_GE(headroomAfter, headroomBefore - 2);
    EXPECT_GT(headroomBefore, 1000);
}

}  // namespace
