// Ending a real run as a user would: a key, a click beside the picture, a burst of mouse
// movement beyond the threshold set in orvellemain.ini. The pointer is moved by real X input,
// one move at a time, each taken by the saver (as Wine's trace of its messages shows) and
// handled before the next is made: moves waiting together would reach it as one.
#include <gtest/gtest.h>

#include <cstdio>
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
    std::string log = copy.Path("messages.log");

    void Start(int mouseSensitivity, bool clock = false) {
        WriteBmpFile(copy.Path("blue.bmp"), 200, 100, [](int, int) { return kBlue; });
        ThemeText theme;
        theme.Pictures({copy.Path("blue.bmp")})
            .Set("background", "newBackColor", "255")
            .Set("image", "timeDisplay", clock ? "1" : "0");
        UseTheme(copy, theme);
        copy.WriteIni(copy.Path("orvellemain.ini"), "mouse", "mouseSensitivity",
                      std::to_string(mouseSensitivity));
        saver = StartSaverWithWineTrace(copy, "/s", "trace+msg", log);
        if (!saver.Handle()) {
            GTEST_SKIP() << "the saver's messages can only be watched under Wine";
        }
        window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitForPixel((kPicture.left + kPicture.right) / 2,
                                 (kPicture.top + kPicture.bottom) / 2, kBlue, 4, kPatience))
            << "the picture did not come";
        // The events of the window's appearing taken.
        Settled(window);
    }
    // Mouse moves the saver has taken from its queue.
    size_t MovesTaken() const {
        const std::string trace = ReadFileBytes(log).value_or("");
        size_t moves = 0;
        for (size_t at = trace.find(kTakenMove); at != std::string::npos;
             at = trace.find(kTakenMove, at + 1)) {
            ++moves;
        }
        return moves;
    }
    // Moves the pointer and waits until the saver has taken the move and handled it.
    void MovePointer(int x, int y) const {
        const size_t before = MovesTaken();
        UserMovesPointer(x, y);
        EXPECT_TRUE(WaitUntil([&] { return MovesTaken() > before || !saver.Running(); }))
            << "the saver never took the move to " << x << ", " << y;
        Settled(window);
    }
    static constexpr char kTakenMove[] = "got type 7 msg 200 (WM_MOUSEMOVE)";
    // Running for the whole time, and no message shown: for the checks that something does not
    // end the run.
    bool StillRunningAfter(DWORD milliseconds) const {
        return HoldsFor(milliseconds, [this] {
            return saver.Running() && FindMessageBox(saver.Id()) == nullptr;
        });
    }
    bool EndsWithin(DWORD milliseconds) const {
        DWORD code = 1;
        return saver.WaitExit(milliseconds, &code) && code == 0;
    }
};

// Starts the run; the test ends here when it was skipped or failed to start.
#define START_RUN(run, ...)                     \
    do {                                        \
        (run).Start(__VA_ARGS__);               \
        if (IsSkipped() || HasFatalFailure()) { \
            return;                             \
        }                                       \
    } while (0)

// Puts the pointer where the saver will find it when its window appears.
void ParkPointer(int x, int y) {
    UserMovesPointer(x, y);
    POINT p{};
    WaitUntil([&] { return GetCursorPos(&p) && p.x == x && p.y == y; });
    ASSERT_EQ(p.x, x);
    ASSERT_EQ(p.y, y);
}

TEST(Ending, AKeyEndsTheRunAndTheProgram) {
    for (bool typed : {false, true}) {
        SCOPED_TRACE(typed ? "typed on the keyboard" : "posted to the window");
        EndingRun run;
        START_RUN(run, 1);
        if (typed) {
            TypeKey(VK_SPACE);
        } else {
            SendKey(run.window, 'A');
        }
        EXPECT_TRUE(run.EndsWithin(kPatience));
        EXPECT_TRUE(VisibleWindowsOf(run.saver.Id()).empty());
    }
}

TEST(Ending, AClickOnThePictureOrTheClockDoesNothingAndAClickBesideThemEnds) {
    EndingRun run;
    // Threshold 30: the moves of the clicks never add up to an ending.
    ASSERT_NO_FATAL_FAILURE(ParkPointer(100, 100));
    START_RUN(run, 1, true);
    UserClicks(500, 380);
    EXPECT_TRUE(run.StillRunningAfter(1000)) << "a click on the picture ended the run";
    // The clock line: 409 x 25 pixels in the bottom-right corner.
    UserClicks(1000, 755);
    EXPECT_TRUE(run.StillRunningAfter(1000)) << "a click on the clock ended the run";
    UserClicks(100, 120);
    EXPECT_TRUE(run.EndsWithin(kPatience));
}

TEST(Ending, TheFirstMoveIsNeverCountedAndOnePixelOverTheWindowIs) {
    EndingRun run;
    // Threshold 1. The pointer starts in the corner, so whatever move event the window gets
    // first, the next is not counted either (its previous position had a zero coordinate).
    ASSERT_NO_FATAL_FAILURE(ParkPointer(0, 0));
    START_RUN(run, 30);
    run.MovePointer(100, 100);
    EXPECT_TRUE(run.StillRunningAfter(800)) << "the first move ended the run";
    // One pixel is 15 twips on the window: more than 3, so it counts and ends the run.
    run.MovePointer(101, 100);
    EXPECT_TRUE(run.EndsWithin(kPatience));
}

TEST(Ending, MovesOverThePictureCountOnlyBeyondThreePixels) {
    EndingRun run;
    // Threshold 1, the pointer already over the middle of where the picture will be.
    ASSERT_NO_FATAL_FAILURE(ParkPointer(500, 380));
    START_RUN(run, 30);
    // Steps of exactly 3 pixels, straight and diagonal, never qualify however many come.
    run.MovePointer(503, 380);
    run.MovePointer(506, 383);
    run.MovePointer(509, 386);
    run.MovePointer(506, 386);
    run.MovePointer(506, 383);
    EXPECT_TRUE(run.StillRunningAfter(800)) << "a move of 3 pixels over the picture counted";
    run.MovePointer(510, 383);
    EXPECT_TRUE(run.EndsWithin(kPatience));
}

// A burst lasts two seconds from its first move, that time rounded to a whole second: four
// moves taken within 1.4 s are always inside it. A run whose moves took longer (a machine too
// busy to give the saver its turns) proves nothing about the ending and is run again.
constexpr DWORD kSureBurst = 1400;

TEST(Ending, AQuickBurstBeyondTheThresholdEndsTheRunAndSlowMovesDoNot) {
    for (int attempt = 1; attempt <= 3; ++attempt) {
        SCOPED_TRACE("attempt " + std::to_string(attempt));
        EndingRun run;
        ASSERT_NO_FATAL_FAILURE(ParkPointer(100, 100));
        // The slider at 25: five moves end the run.
        START_RUN(run, 25);
        int x = 100;
        auto step = [&] { run.MovePointer(x += 20, 100); };
        step();
        step();
        step();
        ASSERT_TRUE(run.StillRunningAfter(3000)) << "three moves ended the run";
        // More than two seconds after the burst began: this move discards it and is not counted.
        step();
        // Four moves of a new burst: still one short.
        const DWORD burstStart = GetTickCount();
        step();
        step();
        step();
        step();
        const DWORD burst = GetTickCount() - burstStart;
        ASSERT_TRUE(run.StillRunningAfter(300)) << "the stale burst was counted on";
        // The fifth may come late: it ends the run however long after the fourth it comes.
        step();
        if (burst > kSureBurst && !run.EndsWithin(kPatience)) {
            std::printf("[ note     ] the new burst's four moves took %lu ms; once more\n",
                        static_cast<unsigned long>(burst));
            continue;
        }
        EXPECT_TRUE(run.EndsWithin(kPatience))
            << "five quick moves did not end the run (the four took " << burst << " ms)";
        return;
    }
    FAIL() << "the saver never took four moves within " << kSureBurst << " ms";
}

}  // namespace
