// Ending a real run as a user would: a key, a click beside the picture, a burst of mouse
// movement beyond the threshold set in orvellemain.ini. The pointer is moved by real X input,
// one move at a time with a pause, so each reaches the saver as a move event of its own.
#include <gtest/gtest.h>

#include <string>

#include "wine_support.h"

using namespace wine_test;

namespace {

// The picture: 200 x 100 pixels, centred on the 1024 x 768 screen.
constexpr RECT kPicture = {412, 334, 612, 434};

// A run with a blue picture over a red background and the mouse sensitivity given (the slider
// value: 30 - v moves end the run, 30 and 29 giving 1).
struct EndingRun {
    ProgramCopy copy;
    Process saver;
    HWND window = nullptr;

    void Start(int mouseSensitivity, bool clock = false) {
        WriteBmpFile(copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
        ThemeText theme;
        theme.Pictures({copy.Path("blue.bmp")})
            .Set("background", "newBackColor", "255")
            .Set("image", "timeDisplay", clock ? "1" : "0");
        UseTheme(copy, theme);
        copy.WriteIni(copy.Path("orvellemain.ini"), "mouse", "mouseSensitivity",
                      std::to_string(mouseSensitivity));
        saver = StartSaver(copy, "/s");
        window = WaitForWindow(saver, 5000);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitForPixel((kPicture.left + kPicture.right) / 2,
                                 (kPicture.top + kPicture.bottom) / 2, kBlue, 4, 4000))
            << "the picture did not come";
        // Let the window settle, and the events of its appearing pass.
        Pump(300);
    }
    // Still running after the time, and no message shown.
    bool StillRunningAfter(DWORD milliseconds) const {
        return !saver.WaitExit(milliseconds) && FindMessageBox(saver.Id()) == nullptr;
    }
    bool EndsWithin(DWORD milliseconds) const {
        DWORD code = 1;
        return saver.WaitExit(milliseconds, &code) && code == 0;
    }
};

// Moves the pointer and waits long enough for the saver to take the move as one event.
void MovePointer(int x, int y) {
    UserMovesPointer(x, y);
    Pump(60);
}

// Puts the pointer where the saver will find it when its window appears.
void ParkPointer(int x, int y) {
    UserMovesPointer(x, y);
    Pump(100);
    POINT p{};
    GetCursorPos(&p);
    ASSERT_EQ(p.x, x);
    ASSERT_EQ(p.y, y);
}

TEST(Ending, AKeyEndsTheRunAndTheProgram) {
    for (bool typed : {false, true}) {
        SCOPED_TRACE(typed ? "typed on the keyboard" : "posted to the window");
        EndingRun run;
        ASSERT_NO_FATAL_FAILURE(run.Start(1));
        if (typed) {
            TypeKey(VK_SPACE);
        } else {
            SendKey(run.window, 'A');
        }
        EXPECT_TRUE(run.EndsWithin(3000));
        EXPECT_TRUE(VisibleWindowsOf(run.saver.Id()).empty());
    }
}

TEST(Ending, AClickOnThePictureOrTheClockDoesNothingAndAClickBesideThemEnds) {
    EndingRun run;
    // Threshold 30: the moves of the clicks never add up to an ending.
    ASSERT_NO_FATAL_FAILURE(ParkPointer(100, 100));
    ASSERT_NO_FATAL_FAILURE(run.Start(1, true));
    UserClicks(500, 380);
    EXPECT_TRUE(run.StillRunningAfter(1000)) << "a click on the picture ended the run";
    // The clock line: 409 x 25 pixels in the bottom-right corner.
    UserClicks(1000, 755);
    EXPECT_TRUE(run.StillRunningAfter(1000)) << "a click on the clock ended the run";
    UserClicks(100, 120);
    EXPECT_TRUE(run.EndsWithin(3000));
}

TEST(Ending, TheFirstMoveIsNeverCountedAndOnePixelOverTheWindowIs) {
    EndingRun run;
    // Threshold 1. The pointer starts in the corner, so whatever move event the window gets
    // first, the next is not counted either (its previous position had a zero coordinate).
    ASSERT_NO_FATAL_FAILURE(ParkPointer(0, 0));
    ASSERT_NO_FATAL_FAILURE(run.Start(30));
    MovePointer(100, 100);
    EXPECT_TRUE(run.StillRunningAfter(800)) << "the first move ended the run";
    // One pixel is 15 twips on the window: more than 3, so it counts and ends the run.
    MovePointer(101, 100);
    EXPECT_TRUE(run.EndsWithin(3000));
}

TEST(Ending, MovesOverThePictureCountOnlyBeyondThreePixels) {
    EndingRun run;
    // Threshold 1, the pointer already over the middle of where the picture will be.
    ASSERT_NO_FATAL_FAILURE(ParkPointer(500, 380));
    ASSERT_NO_FATAL_FAILURE(run.Start(30));
    // Steps of exactly 3 pixels, straight and diagonal, never qualify however many come.
    MovePointer(503, 380);
    MovePointer(506, 383);
    MovePointer(509, 386);
    MovePointer(506, 386);
    MovePointer(506, 383);
    EXPECT_TRUE(run.StillRunningAfter(800)) << "a move of 3 pixels over the picture counted";
    MovePointer(510, 383);
    EXPECT_TRUE(run.EndsWithin(3000));
}

TEST(Ending, AQuickBurstBeyondTheThresholdEndsTheRunAndSlowMovesDoNot) {
    EndingRun run;
    ASSERT_NO_FATAL_FAILURE(ParkPointer(100, 100));
    // The slider at 25: five moves end the run.
    ASSERT_NO_FATAL_FAILURE(run.Start(25));
    int x = 100;
    auto step = [&] { MovePointer(x += 20, 100); };
    step();
    step();
    step();
    EXPECT_TRUE(run.StillRunningAfter(3000)) << "three moves ended the run";
    // More than two seconds after the burst began: this move discards it and is not counted.
    step();
    // Four moves of a new burst: still one short.
    step();
    step();
    step();
    step();
    EXPECT_TRUE(run.StillRunningAfter(300)) << "the stale burst was counted on";
    step();
    EXPECT_TRUE(run.EndsWithin(3000)) << "five quick moves did not end the run";
}

}  // namespace
