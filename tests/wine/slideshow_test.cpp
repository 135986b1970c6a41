// The slideshow of a real run, read back from the screen: where a picture lands and at what
// size, the fallback picture, the runs that end with a message, a huge JPEG, and changes.
#include <gtest/gtest.h>

#include <fstream>
#include <utility>
#include <string>
#include <vector>

#include "wine_support.h"

using namespace wine_test;

namespace {

constexpr char kTitle[] = "Orvelle Screen Saver";

int TwipsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return 1440 / dpi;
}

// Where a centred picture of the given size in pixels lands, in pixels: half the space left
// over in twips, the remainder dropped.
RECT CentredRect(int width, int height) {
    const int tpp = TwipsPerPixel();
    const int left = (GetSystemMetrics(SM_CXSCREEN) * tpp - width * tpp) / 2 / tpp;
    const int top = (GetSystemMetrics(SM_CYSCREEN) * tpp - height * tpp) / 2 / tpp;
    return {left, top, left + width, top + height};
}

// The rectangle holding the whole picture and the pixels just outside it background. The
// picture: blue left half, green right half, a white 10 x 10 square at its top left.
std::vector<ScreenPoint> TwoToneAt(const RECT& r, COLORREF background) {
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    return {
        {r.left + 2, r.top + 2, kWhite, 8},
        {r.left, r.bottom - 1, kBlue, 8},
        {r.left + w / 4, r.top + h / 2, kBlue, 8},
        {r.left + 3 * w / 4, r.top + h / 2, kGreen, 8},
        {r.right - 1, r.top, kGreen, 8},
        {r.right - 1, r.bottom - 1, kGreen, 8},
        {r.left - 1, r.top + h / 2, background, 0},
        {r.right, r.top + h / 2, background, 0},
        {r.left + w / 2, r.top - 1, background, 0},
        {r.left + w / 2, r.bottom, background, 0},
    };
}

COLORREF TwoTone(int x, int y, int width, int height) {
    // The white square scales with the picture: a tenth of its height.
    if (x < width / 10 && y < height / 10) {
        return kWhite;
    }
    return x < width / 2 ? kBlue : kGreen;
}

// A run of the theme that waits for its first picture.
struct SaverRun {
    ProgramCopy copy;
    Process saver;
    HWND window = nullptr;

    void Start(const ThemeText& theme) {
        UseTheme(copy, theme);
        saver = StartSaver(copy, "/s");
        window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr);
    }
};

TEST(Slideshow, PictureIsCentredOverTheColourAtItsOwnSizeOrShrunkToItsShare) {
    struct Case {
        int width, height, percent;
        int shownWidth, shownHeight;
    };
    // 1024 x 768 at 96 dpi: a half share is 7680 x 5760 twips, 512 x 384 pixels. A landscape
    // picture is held by its width, a portrait one by its height, and none is enlarged.
    const Case cases[] = {
        {200, 100, 80, 200, 100},
        {800, 400, 50, 512, 256},
        {300, 600, 50, 192, 384},
    };
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    ASSERT_EQ(TwipsPerPixel(), 15);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        SaverRun run;
        WriteBmpFile(run.copy.Path("two-tone.bmp"), c.width, c.height,
                     [&](int x, int y) { return TwoTone(x, y, c.width, c.height); });
        ThemeText theme;
        theme.Pictures({run.copy.Path("two-tone.bmp")})
            .Set("background", "backEffect", "0")
            .Set("background", "newBackColor", "255")
            .Set("image", "picturePercent", std::to_string(c.percent));
        ASSERT_NO_FATAL_FAILURE(run.Start(theme));
        const RECT r = CentredRect(c.shownWidth, c.shownHeight);
        EXPECT_TRUE(ScreenBecomes(TwoToneAt(r, kRed)));
        EXPECT_SCREEN(0, 0, kRed, 0);
        EXPECT_SCREEN(1023, 767, kRed, 0);
    }
}

TEST(Slideshow, EveryTransitionLeavesTheWholePictureInPlace) {
    SaverRun run;
    WriteBmpFile(run.copy.Path("two-tone.bmp"), 200, 100,
                 [](int x, int y) { return TwoTone(x, y, 200, 100); });
    ThemeText theme;
    theme.Pictures({run.copy.Path("two-tone.bmp")}).Set("background", "newBackColor", "255");
    for (const char* flag :
         {"bStandard", "bLeftWipe", "bRightWipe", "bRightandLeftWipe", "bUpAndDown", "bCenter",
          "bHorizontalBlinds", "bVerticalBlinds", "bFade"}) {
        theme.Set("transitions", flag, "1");
    }
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));
    const RECT r = CentredRect(200, 100);
    ASSERT_TRUE(WaitForPixel(r.left + 50, r.top + 50, kBlue, 8, kPatience));
    // An effect takes about a second; afterwards the picture is whole.
    EXPECT_TRUE(ScreenBecomes(TwoToneAt(r, kRed)));
}

TEST(Slideshow, MissingOrUnreadablePictureShowsTheFallbackPicture) {
    for (const char* name : {"missing.bmp", "not-a-picture.jpg"}) {
        SCOPED_TRACE(name);
        SaverRun run;
        if (std::string(name) == "not-a-picture.jpg") {
            std::ofstream(run.copy.Path(name), std::ios::binary) << "this is not a JPEG";
        }
        int w = 0;
        int h = 0;
        std::vector<COLORREF> fallback;
        ASSERT_TRUE(DecodePictureFile(run.copy.Path("orvellenotfound.gif"), &w, &h, &fallback));
        ThemeText theme;
        theme.Pictures({run.copy.Path(name)})
            .Set("background", "newBackColor", "8421504")
            .Set("image", "picturePercent", "99");
        ASSERT_NO_FATAL_FAILURE(run.Start(theme));
        ASSERT_LE(w, 1013);
        ASSERT_LE(h, 760);
        const RECT r = CentredRect(w, h);
        // Wait for the first opaque pixel that differs from the background to show up.
        int probe = -1;
        for (int i = 0; i < w * h && probe < 0; i += 97) {
            if (!(fallback[i] & 0xFF000000) && !ColourNear(fallback[i], kGrey, 24)) {
                probe = i;
            }
        }
        ASSERT_GE(probe, 0);
        ASSERT_TRUE(
            WaitForPixel(r.left + probe % w, r.top + probe / w, fallback[probe], 8, kPatience))
            << "no fallback picture on screen";
        int compared = 0;
        int matched = 0;
        // Waited for until nearly all of it is there.
        WaitUntil([&] {
            compared = matched = 0;
            for (int y = 3; y < h; y += 17) {
                for (int x = 3; x < w; x += 23) {
                    const COLORREF expected = fallback[static_cast<size_t>(y) * w + x];
                    if (expected & 0xFF000000) {
                        continue;  // transparent: shows the box colour
                    }
                    ++compared;
                    matched += ColourNear(ScreenPixel(r.left + x, r.top + y), expected, 8) ? 1 : 0;
                }
            }
            return matched >= compared * 95 / 100;
        });
        EXPECT_GT(compared, 100);
        EXPECT_GE(matched, compared * 95 / 100) << matched << " of " << compared;
        EXPECT_EQ(FindMessageBox(run.saver.Id()), nullptr);
    }
}

TEST(Slideshow, PictureAndBackgroundFailuresEndTheRunWithTheirMessage) {
    struct Case {
        const char* what;
        const char* message;
        bool deleteFallback;
        const char* backEffect;  // nullptr: the key is missing
        const char* backgroundImage;
    };
    const char* background =
        "Could not load background properly. If you have a loaded image as a background make "
        "sure the path exists.";
    const Case cases[] = {
        {"picture and fallback missing", "Error code 1: Please reload a smaller image.", true, "0",
         ""},
        {"custom background missing", background, false, "2", "missing-background.bmp"},
        {"background kind missing", background, false, nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProgramCopy copy;
        WriteBmpFile(copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
        if (c.deleteFallback) {
            ASSERT_TRUE(DeleteFileA(copy.Path("orvellenotfound.gif").c_str()));
        }
        ThemeText theme;
        theme.Pictures({copy.Path(c.deleteFallback ? "missing.bmp" : "blue.bmp")})
            .Set("background", "backgroundImage",
                 *c.backgroundImage ? copy.Path(c.backgroundImage) : "")
            .Set("background", "backgroundDisplay", "1");
        if (c.backEffect) {
            theme.Set("background", "backEffect", c.backEffect);
        } else {
            theme.Erase("background", "backEffect");
        }
        UseTheme(copy, theme);
        Process saver = StartSaver(copy, "/s");
        HWND box = WaitForMessageBox(saver, kPatience);
        ASSERT_NE(box, nullptr) << "no message";
        EXPECT_EQ(WindowText(box), kTitle);
        EXPECT_EQ(MessageBoxText(box), c.message);
        // The saver window is gone before the message shows; the box is all that is left.
        HWND form = FindWindowOfClass(saver.Id(), "OrvelleSaverWindow");
        EXPECT_TRUE(form == nullptr || !IsWindowVisible(form));
        EXPECT_EQ(VisibleWindowsOf(saver.Id()).size(), 1u);
        EXPECT_TRUE(saver.Running()) << "ended before the message was read";
        PressOk(box);
        EXPECT_TRUE(saver.WaitExit(kPatience));
    }
}

TEST(Slideshow, HugeJpegIsShrunkIntoItsShareWithItsQuartersInPlace) {
    SaverRun run;
    const int width = 6000;
    const int height = 4000;
    auto quarters = [&](int x, int y) {
        return x < width / 2 ? (y < height / 2 ? kRed : kBlue) : (y < height / 2 ? kGreen : kWhite);
    };
    if (!WriteJpegFile(run.copy.Path("huge.jpg"), width, height, quarters)) {
        GTEST_SKIP() << "no JPEG encoder";
    }
    ThemeText theme;
    theme.Pictures({run.copy.Path("huge.jpg")})
        .Set("background", "newBackColor", "8421504")
        .Set("image", "picturePercent", "80");
    const DWORD start = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));
    // 80 % of 15360 twips is 12288 twips across (819 pixels); 8192 twips down (546 pixels).
    const int cx = 512;
    const int cy = 384;
    ASSERT_TRUE(WaitForPixel(cx + 200, cy + 150, kWhite, 12, 3 * kPatience)) << "no picture";
    const DWORD shownAfter = GetTickCount() - start;
    // Its quarters, and its edges a few pixels in and out: 819 x 546 centred (left 102, top 110).
    EXPECT_TRUE(ScreenBecomes({{cx - 200, cy - 150, kRed, 12},
                               {cx + 200, cy - 150, kGreen, 12},
                               {cx - 200, cy + 150, kBlue, 12},
                               {cx + 200, cy + 150, kWhite, 12},
                               {102 + 3, 110 + 3, kRed, 16},
                               {102 + 819 - 4, 110 + 546 - 4, kWhite, 16},
                               {102 - 2, cy, kGrey, 0},
                               {102 + 819 + 1, cy, kGrey, 0},
                               {cx, 110 - 2, kGrey, 0},
                               {cx, 110 + 546 + 1, kGrey, 0}}));
    EXPECT_EQ(FindMessageBox(run.saver.Id()), nullptr);
    EXPECT_TRUE(run.saver.Running());
    std::printf("[ figures  ] 6000 x 4000 JPEG on screen %lu ms after start\n",
                static_cast<unsigned long>(shownAfter));
}

TEST(Slideshow, PicturesChangeInListOrderAndStartAgainAfterTheLast) {
    SaverRun run;
    WriteBmpFile(run.copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
    WriteBmpFile(run.copy.Path("green.bmp"), 100, 200, [](int, int) { return kGreen; });
    ThemeText theme;
    theme.Pictures({run.copy.Path("blue.bmp"), run.copy.Path("green.bmp")})
        .Set("background", "newBackColor", "255")
        .Set("image", "timeInterval", "1")
        .Set("image", "picChange", "ch");
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));

    // The middle of the screen, sampled: runs of blue, red (the background between pictures)
    // and green.
    std::string seen;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 3 * kPatience) {
        const COLORREF c = ScreenPixel(512, 384);
        const char k = ColourNear(c, kBlue, 8)    ? 'B'
                       : ColourNear(c, kGreen, 8) ? 'G'
                       : ColourNear(c, kRed, 8)   ? 'r'
                                                  : '?';
        if (seen.empty() || seen.back() != k) {
            seen.push_back(k);
        }
        if (seen.find("BrGrBrG") != std::string::npos) {
            break;
        }
        PumpStep();
    }
    // The window-frame colour may come first, before the background is painted.
    EXPECT_NE(seen.find("BrGrBrG"), std::string::npos) << seen;
    EXPECT_EQ(seen.find('?', 1), std::string::npos) << seen;
    // The first picture is the first in the list.
    EXPECT_EQ(seen.find_first_of("BG"), seen.find('B')) << seen;
}

// --- Backgrounds ---

// A picture for backgrounds: cyan left half, magenta right half, a white 10 x 10 square at its
// top left.
COLORREF BackgroundTile(int x, int y, int width) {
    if (x < 10 && y < 10) {
        return kWhite;
    }
    return x < width / 2 ? RGB(0, 255, 255) : RGB(255, 0, 255);
}

TEST(Slideshow, CustomBackgroundIsCentredStretchedOrTiled) {
    constexpr COLORREF kCyan = RGB(0, 255, 255);
    constexpr COLORREF kMagenta = RGB(255, 0, 255);
    const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
    struct Case {
        const char* layout;
        int width, height;
        // Pixels that must show the given colour.
        std::vector<std::pair<POINT, COLORREF>> expected;
    };
    const Case cases[] = {
        // 300 x 200 centred: (15360 - 4500) / 2 twips = 362 pixels across, 284 down. Around it the
        // window keeps its own colour.
        {"0",
         300,
         200,
         {{{362, 284}, kWhite},
          {{371, 293}, kWhite},
          {{380, 300}, kCyan},
          {{361, 300}, frame},
          {{400, 283}, frame},
          {{661, 483}, kMagenta},
          {{662, 483}, frame},
          {{661, 484}, frame}}},
        // 100 x 60 stretched over 1024 x 768: the square becomes about 102 x 128.
        {"1",
         100,
         60,
         {{{50, 60}, kWhite}, {{100, 700}, kCyan}, {{900, 700}, kMagenta}, {{1023, 0}, kMagenta}}},
        // 100 x 60 tiled from the top left corner, the last row and column cut by the edges.
        {"2",
         100,
         60,
         {{{205, 125}, kWhite},
          {{230, 150}, kCyan},
          {{250, 150}, kMagenta},
          {{1005, 725}, kWhite},
          {{1023, 767}, kCyan},
          {{0, 0}, kWhite}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("layout ") + c.layout);
        SaverRun run;
        WriteBmpFile(run.copy.Path("tile.bmp"), c.width, c.height,
                     [&](int x, int y) { return BackgroundTile(x, y, c.width); });
        WriteBmpFile(run.copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
        ThemeText theme;
        theme.Pictures({run.copy.Path("blue.bmp")})
            .Set("background", "backEffect", "2")
            .Set("background", "backgroundImage", run.copy.Path("tile.bmp"))
            .Set("background", "backgroundDisplay", c.layout);
        ASSERT_NO_FATAL_FAILURE(run.Start(theme));
        ASSERT_TRUE(WaitForPixel(512, 384, kBlue, 4, kPatience));
        for (const auto& [point, colour] : c.expected) {
            EXPECT_SCREEN(point.x, point.y, colour, 8);
        }
    }
}

TEST(Slideshow, GradientDarkensBandByBandDownToTheBottomRow) {
    SaverRun run;
    WriteBmpFile(run.copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
    ThemeText theme;
    theme.Pictures({run.copy.Path("blue.bmp")})
        .Set("background", "backEffect", "3")
        .Set("background", "redBackground", "255")
        .Set("background", "greenBackground", "200")
        .Set("background", "blueBackground", "10");
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));
    ASSERT_TRUE(WaitForPixel(512, 384, kBlue, 4, kPatience));
    // 256 bands of 3 rows from the top, band i darkened by i in each channel down to 0; the
    // last one takes the bottom rows.
    auto middleOfBand = [](int band) { return band * 3 + 1; };
    EXPECT_SCREEN(10, middleOfBand(0), RGB(255, 200, 10), 0);
    EXPECT_SCREEN(10, middleOfBand(9), RGB(246, 191, 1), 0);
    EXPECT_SCREEN(10, middleOfBand(10), RGB(245, 190, 0), 0);
    EXPECT_SCREEN(1000, middleOfBand(128), RGB(127, 72, 0), 0);
    EXPECT_SCREEN(10, middleOfBand(200), RGB(55, 0, 0), 0);
    EXPECT_SCREEN(10, 764, RGB(1, 0, 0), 0);
    EXPECT_SCREEN(10, 765, RGB(0, 0, 0), 0);
    EXPECT_SCREEN(1023, 767, RGB(0, 0, 0), 0);
}

LRESULT CALLBACK PlainWindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

TEST(Slideshow, DesktopCopyShowsTheScreenAsItWasWhenTheRunStarted) {
    // A green window of our own on the screen before the saver starts.
    WNDCLASSA cls{};
    cls.lpfnWndProc = PlainWindowProcedure;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hbrBackground = CreateSolidBrush(kGreen);
    cls.lpszClassName = "OrvelleTestGreenWindow";
    RegisterClassA(&cls);
    HWND green = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, cls.lpszClassName, "", WS_POPUP,
                                 40, 40, 160, 110, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(green, nullptr);
    ShowWindow(green, SW_SHOWNOACTIVATE);
    UpdateWindow(green);
    ASSERT_TRUE(WaitForPixel(100, 100, kGreen, 0, kPatience)) << "our own window is not on screen";
    const COLORREF outside = ScreenPixel(300, 100);

    SaverRun run;
    WriteBmpFile(run.copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
    ThemeText theme;
    theme.Pictures({run.copy.Path("blue.bmp")}).Set("background", "backEffect", "1");
    ASSERT_NO_FATAL_FAILURE(run.Start(theme));
    ASSERT_TRUE(WaitForPixel(512, 384, kBlue, 4, kPatience));
    // Gone from the screen; what the saver shows is its copy, and it stays.
    DestroyWindow(green);
    EXPECT_TRUE(HoldsFor(300, [] { return ColourNear(ScreenPixel(100, 100), kGreen, 0); }));
    EXPECT_SCREEN(41, 41, kGreen, 0);
    EXPECT_SCREEN(100, 100, kGreen, 0);
    EXPECT_SCREEN(199, 149, kGreen, 0);
    EXPECT_SCREEN(300, 100, outside, 0);
    EXPECT_SCREEN(200, 150, outside, 0);
    DeleteObject(cls.hbrBackground);
}

}  // namespace
