// The full-screen run on a display of two monitors (run by scripts/test.sh on a nested X server
// that Wine sees as a 1024 x 768 primary with a 600 x 800 portrait monitor to its right). On one
// monitor the tests skip.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "editor_driver.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

RECT SecondMonitor() {
    struct Found {
        RECT rect{};
        bool any = false;
    } found;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            GetMonitorInfoW(monitor, &info);
            if (!(info.dwFlags & MONITORINFOF_PRIMARY)) {
                auto* f = reinterpret_cast<Found*>(data);
                f->rect = info.rcMonitor;
                f->any = true;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.rect;
}

bool Covers(HWND window, const RECT& monitor) {
    RECT r{};
    return GetWindowRect(window, &r) && EqualRect(&r, &monitor);
}

// A red colour background covers both monitors, the picture stays centred on the primary, and
// a click on the other monitor ends the run as one on the primary does.
TEST(MultiMonitor, ColourCoversEveryMonitorAndThePictureStaysOnThePrimary) {
    if (GetSystemMetrics(SM_CMONITORS) < 2) {
        GTEST_SKIP() << "one monitor";
    }
    const RECT second = SecondMonitor();
    ProgramCopy copy;
    const std::string picture = copy.Path("blue.bmp");
    WriteBmpFile(picture, 200, 100, [](int, int) { return kBlue; });
    ThemeText theme;
    theme.Pictures({picture}).Set("background", "newBackColor", "255");
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_TRUE(WaitForPixel(width / 2, height / 2, kBlue, 8, kPatience));
    EXPECT_SCREEN(3, 3, kRed, 8);
    EXPECT_SCREEN(width - 3, height - 3, kRed, 8);
    for (POINT p : {POINT{second.left + 3, second.top + 3},
                    POINT{(second.left + second.right) / 2, (second.top + second.bottom) / 2},
                    POINT{second.right - 3, second.bottom - 3}}) {
        EXPECT_SCREEN(p.x, p.y, kRed, 8);
    }
    HWND cover = FindWindowOfClass(saver.Id(), "OrvelleMonitorCover");
    ASSERT_NE(cover, nullptr);
    PostMessageW(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(saver.WaitExit(kPatience));
}

// Where the theme puts its pictures: a landscape (blue) and a portrait (green) picture in list
// order; the main monitor shows the first, the portrait monitor the portrait one, the same one,
// or its background alone, each monitor revealing its picture with a wipe. A key or a click on
// the portrait monitor ends the run.
TEST(MultiMonitor, PicturesOnEveryMonitorFollowTheSetting) {
    if (GetSystemMetrics(SM_CMONITORS) < 2) {
        GTEST_SKIP() << "one monitor";
    }
    const RECT second = SecondMonitor();
    ProgramCopy copy;
    const std::string landscape = copy.Path("blue.bmp");
    const std::string portrait = copy.Path("green.bmp");
    WriteBmpFile(landscape, 200, 100, [](int, int) { return kBlue; });
    WriteBmpFile(portrait, 100, 200, [](int, int) { return kGreen; });
    struct Case {
        const char* picturesOn;  // nullptr: the key absent
        COLORREF secondCentre;
        bool byKey;
    };
    const Case cases[] = {
        {"1", kGreen, true},
        {"2", kBlue, false},
        {nullptr, kRed, true},
    };
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const POINT centre{(second.left + second.right) / 2, (second.top + second.bottom) / 2};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picturesOn ? c.picturesOn : "absent");
        ThemeText theme;
        theme.Pictures({landscape, portrait})
            .Set("background", "newBackColor", "255")
            .Set("image", "timeInterval", "60")
            .Set("transitions", "bLeftWipe", "1");
        if (c.picturesOn) {
            theme.Set("image", "picturesOn", c.picturesOn);
        }
        UseTheme(copy, theme);
        Process saver = StartSaver(copy, "/s");
        HWND window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(WaitForPixel(width / 2, height / 2, kBlue, 8, kPatience));
        EXPECT_TRUE(WaitForPixel(centre.x, centre.y, c.secondCentre, 8, kPatience));
        // A display change during the run leaves the show going and the monitor covered.
        HWND cover = FindWindowOfClass(saver.Id(), "OrvelleMonitorCover");
        ASSERT_NE(cover, nullptr);
        SendMessageW(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(width, height));
        EXPECT_FALSE(saver.WaitExit(0));
        EXPECT_TRUE(WaitUntil([&] { return Covers(cover, second); }));
        EXPECT_TRUE(WaitForPixel(centre.x, centre.y, c.secondCentre, 8, kPatience));
        // Inside its own monitor: the background all round it.
        EXPECT_SCREEN(second.left + 3, centre.y, kRed, 8);
        EXPECT_SCREEN(centre.x, second.bottom - 3, kRed, 8);
        if (c.byKey) {
            PostMessageW(cover, WM_KEYDOWN, 'A', 0);
        } else {
            PostMessageW(cover, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        }
        EXPECT_TRUE(saver.WaitExit(kPatience));
    }
}

// The editor opened for a window on the second monitor opens there, moved inside that monitor's
// work area where centring over the window would cross its edge; so does its picture viewer.
TEST(MultiMonitor, EditorAndViewerOpenOnTheOwnersMonitor) {
    if (GetSystemMetrics(SM_CMONITORS) < 2) {
        GTEST_SKIP() << "one monitor";
    }
    const RECT second = SecondMonitor();
    HWND page = CreateWindowExW(0, L"STATIC", L"page", WS_POPUP | WS_VISIBLE, second.left + 20,
                                second.top + 40, 200, 150, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(page, nullptr);
    ProgramCopy scratch;
    const std::string picture = scratch.Path("blue.bmp");
    WriteBmpFile(picture, 200, 100, [](int, int) { return kBlue; });
    ThemeText theme;
    OpenEditor editor(theme.Pictures({picture}),
                      "/c:" + std::to_string(reinterpret_cast<std::uintptr_t>(page)));
    ASSERT_NE(editor.window, nullptr);
    auto inside = [&](HWND w) {
        RECT r{};
        GetWindowRect(w, &r);
        return r.left >= second.left && r.top >= second.top && r.right <= second.right &&
               r.bottom <= second.bottom;
    };
    EXPECT_TRUE(inside(editor.window));
    HWND viewer = editor.OpenViewer(0);
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(inside(viewer));
    PostMessageW(editor.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(editor.process.WaitExit(kPatience));
    DestroyWindow(page);
}

}  // namespace
