// The full-screen run as the system starts it: window placement, one copy at a time, the
// fallback switch, and ending from outside.
#include <gtest/gtest.h>

#include "wine_support.h"

using namespace wine_test;

namespace {

void ExpectCoversScreenTopmost(HWND window) {
    RECT rc;
    GetWindowRect(window, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right - rc.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rc.bottom - rc.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST(Spine, SaverSwitchOpensOneTopmostWindowCoveringTheScreen) {
    ProgramCopy copy;
    DWORD start = GetTickCount();
    Process saver = StartSaver(copy, "/s");
    HWND window = WaitForWindow(saver, kPatience);
    DWORD elapsed = GetTickCount() - start;
    ASSERT_NE(window, nullptr) << "no window";
    // A second is the target on Windows; Wine adds its own process start-up on top.
    EXPECT_LT(elapsed, 2500u);
    Settled(window);
    EXPECT_EQ(VisibleWindowsOf(saver.Id()).size(), 1u);
    ExpectCoversScreenTopmost(window);
}

TEST(Spine, ASecondCopyEndsAtOnceWithoutAWindow) {
    ProgramCopy copy;
    Process first = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(first, kPatience), nullptr);
    for (const char* args : {"/s", "/c", "/p 0"}) {
        Process second = StartSaver(copy, args);
        DWORD code = 0;
        EXPECT_TRUE(second.WaitExit(5000, &code)) << args;
        EXPECT_TRUE(VisibleWindowsOf(second.Id()).empty()) << args;
    }
    EXPECT_TRUE(first.Running());
}

TEST(Spine, AnyOtherSwitchRunsFullScreenToo) {
    ProgramCopy copy;
    Process saver = StartSaver(copy, "/x");
    HWND window = WaitForWindow(saver, kPatience);
    ASSERT_NE(window, nullptr);
    ExpectCoversScreenTopmost(window);
}

TEST(Spine, ClosingTheWindowFromOutsideEndsTheProcess) {
    ProgramCopy copy;
    Process saver = StartSaver(copy, "/s");
    HWND window = WaitForWindow(saver, kPatience);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(saver.WaitExit(kPatience));
}

TEST(Spine, ConfigurationSwitchOpensAWindowThatCloses) {
    ProgramCopy copy;
    Process config = StartSaver(copy, " /c:1234 ");
    HWND window = WaitForWindow(config, kPatience);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Orvelle Screen Saver - [Orvelle]");
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(config.WaitExit(kPatience));
}

}  // namespace

namespace {

TEST(Spine, FirstRunAfterInstallationPointsTheThemeAtTheSamplePictureOnce) {
    ProgramCopy copy;
    const std::string globals = copy.Path("orvellemain.ini");
    ASSERT_EQ(copy.ReadIni(globals, "setup", "samplePicture"), "1");
    {
        Process saver = StartSaver(copy, "/s");
        ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
        WaitUntil([&] {
            return copy.ReadIni(globals, "setup", "samplePicture") == "0" &&
                   copy.ReadIni(copy.ThemePath(), "images", "0") == "tovak.gif";
        });
    }
    // Relative to the program folder, so a moved folder keeps its welcome picture.
    EXPECT_EQ(copy.ReadIni(copy.ThemePath(), "images", "0"), "tovak.gif");
    EXPECT_EQ(copy.ReadIni(globals, "setup", "samplePicture"), "0");

    // From then on the user's own first picture stays.
    copy.WriteIni(copy.ThemePath(), "images", "0", "C:\\mine.jpg");
    {
        Process saver = StartSaver(copy, "/s");
        const HWND window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr);
        // The settings are read while the window loads, before its loop takes messages.
        Settled(window);
    }
    EXPECT_EQ(copy.ReadIni(copy.ThemePath(), "images", "0"), "C:\\mine.jpg");
}

}  // namespace
