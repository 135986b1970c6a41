#include "saver/end_saver.h"

#include <gtest/gtest.h>

#include "fake_saver_view.h"

namespace orvelle {
namespace {

using saver_test::FakeMci;
using saver_test::FakeSaverClock;
using saver_test::FakeSaverHost;

using Log = std::vector<std::string>;

class Ending : public ::testing::Test {
  protected:
    RunEnding Make(std::int32_t platformId, std::int16_t password) {
        return RunEnding{host, player, platformId, password, 15360, 11520};
    }
    // One qualifying move at the given seconds after midnight.
    std::optional<EndOutcome> MoveAt(float seconds, const std::string& threshold,
                                     const RunEnding& ending) {
        clock.secondsSinceMidnight = seconds;
        return CountMouseMove(burst, threshold, clock, ending);
    }
    // Moves at these times; the index of the move that ended the run, or -1.
    int EndsAtMove(std::vector<float> times, const std::string& threshold) {
        const RunEnding ending = Make(2, 0);
        for (size_t i = 0; i < times.size(); ++i) {
            if (MoveAt(times[i], threshold, ending)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    FakeSaverHost host;
    FakeMci mci;
    FakeSaverClock clock;
    Mmedia player{mci, clock};
    MouseBurst burst;
};

TEST(MovementRule, MovesOfMoreThanThreeUnitsCountAfterAPositivePosition) {
    MouseTracker t;
    EXPECT_FALSE(QualifyingMove(t, 100, 100));  // first event: nothing to compare with
    EXPECT_TRUE(QualifyingMove(t, 104, 100));
    EXPECT_FALSE(QualifyingMove(t, 107, 103));  // exactly 3 on both axes
    EXPECT_TRUE(QualifyingMove(t, 107, 107));
    EXPECT_TRUE(QualifyingMove(t, 0, 50));
    EXPECT_FALSE(QualifyingMove(t, 50, 50));  // the previous x was 0
    EXPECT_TRUE(QualifyingMove(t, 60, -5));
    EXPECT_FALSE(QualifyingMove(t, 70, 60));  // the previous y was negative
    // Positions are kept rounded, halves to even.
    QualifyingMove(t, 2.5, 3.5);
    EXPECT_EQ(t.lastX, 2);
    EXPECT_EQ(t.lastY, 4);
    // One pixel over the window is 15 twips: it counts.
    MouseTracker window{300, 300};
    EXPECT_TRUE(QualifyingMove(window, 315, 300));
    // Far right on a 4K screen (beyond 32767 twips) a pointer standing still is no move.
    EXPECT_TRUE(QualifyingMove(window, 50000, 300));
    EXPECT_FALSE(QualifyingMove(window, 50000, 300));
    EXPECT_FALSE(QualifyingMove(window, 50003, 302));
}

TEST_F(Ending, ThresholdOneEndsAtTheFirstCountedMoveAndShowsThePointerOnNt) {
    EXPECT_EQ(MoveAt(10.0f, "1", Make(2, 0)), EndOutcome::Ended);
    Log expected;
    for (int c = -5; c <= 6; ++c) {
        expected.push_back("ShowPointer " + std::to_string(c));
    }
    expected.insert(expected.end(), {"ShowTaskbar", "Unload", "EndProgram"});
    EXPECT_EQ(host.log, expected);
}

TEST_F(Ending, ThresholdFiveWithinTwoSeconds) {
    EXPECT_EQ(EndsAtMove({100.0f, 100.4f, 100.8f, 101.2f, 101.6f}, "5"), 4);
}

TEST_F(Ending, TheLastMoveOfABurstMayComeLate) {
    EXPECT_EQ(EndsAtMove({100.0f, 100.4f, 100.8f, 101.2f, 111.2f}, "5"), 4);
}

TEST_F(Ending, AnOldBurstIsDiscardedWithTheMoveThatFindsIt) {
    // Three moves, a pause, a fourth that discards the burst: five more are needed.
    EXPECT_EQ(
        EndsAtMove({100.0f, 100.4f, 100.8f, 104.0f, 104.1f, 104.2f, 104.3f, 104.4f, 104.5f}, "5"),
        8);
    EXPECT_EQ(burst.moveCount, 5);
}

TEST_F(Ending, ThresholdTwoEndsOnAnySecondMove) {
    EXPECT_EQ(EndsAtMove({100.0f, 110.0f}, "2"), 1);
}

TEST_F(Ending, ThresholdThatIsNotAPositiveWholeNumberIsNeverReached) {
    std::vector<float> times;
    for (int i = 0; i < 60; ++i) {
        times.push_back(100.0f + 0.01f * static_cast<float>(i));
    }
    for (const char* threshold : {"0", "-1", "2.5", "", "abc"}) {
        burst = MouseBurst{};
        EXPECT_EQ(EndsAtMove(times, threshold), -1) << threshold;
    }
    EXPECT_TRUE(host.log.empty());
}

TEST_F(Ending, ABurstThatCrossesMidnightIsStale) {
    EXPECT_EQ(EndsAtMove({86399.0f, 86399.5f, 0.5f, 1.0f, 1.5f}, "4"), -1);
    EXPECT_EQ(burst.moveCount, 2);
}

TEST_F(Ending, WrongPasswordOn9xParksThePointerAndGoesOn) {
    host.passwordRight = false;
    const RunEnding ending = Make(1, 1);
    MoveAt(100.0f, "2", ending);
    EXPECT_EQ(MoveAt(100.5f, "2", ending), EndOutcome::Resumed);
    EXPECT_EQ(host.log, (Log{"VerifyPassword", "Pointer 15372,11532", "ShowSaverWindow"}));
    EXPECT_EQ(burst.moveCount, 0);
    EXPECT_EQ(burst.firstMoveTime, 100);
    EXPECT_EQ(host.ends, 0);
}

TEST_F(Ending, RightPasswordOn9xClearsTheRunningFlagAndEnds) {
    EXPECT_EQ(EndSaver(Make(1, 1)), EndOutcome::Ended);
    EXPECT_EQ(host.log,
              (Log{"VerifyPassword", "SaverRunning off", "ShowTaskbar", "Unload", "EndProgram"}));
}

TEST_F(Ending, NoPasswordIsAskedOnNtOrWithoutProtection) {
    EXPECT_EQ(EndSaver(Make(2, 1)), EndOutcome::Ended);
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
    host.log.clear();
    EXPECT_EQ(EndSaver(Make(1, 0)), EndOutcome::Ended);
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "EndProgram"}));
}

TEST_F(Ending, MusicIsClosedOnlyWhilePlaying) {
    player.mmOpen("C:\\music\\song.mid");
    const size_t before = mci.sent.size();
    mci.mode = "stopped";
    EndSaver(Make(2, 0));
    EXPECT_EQ(mci.sent.size(), before);

    mci.mode = "playing";
    EndSaver(Make(2, 0));
    ASSERT_EQ(mci.sent.size(), before + 1);
    EXPECT_EQ(mci.sent.back().rfind("Close ", 0), 0u);
}

TEST_F(Ending, ErrorEndingOrder) {
    EndRunWithError(Make(1, 1), "Error code 1: Please reload a smaller image.");
    EXPECT_EQ(host.log,
              (Log{"SaverRunning off", "ShowTaskbar", "Unload",
                   "Message Error code 1: Please reload a smaller image.", "EndProgram"}));
    host.log.clear();
    EndRunWithError(Make(2, 1), "x");
    EXPECT_EQ(host.log, (Log{"ShowTaskbar", "Unload", "Message x", "EndProgram"}));
}

}  // namespace
}  // namespace orvelle
