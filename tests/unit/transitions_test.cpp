#include "saver/transitions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>

#include "fake_saver_view.h"
#include "settings/saver_settings.h"

namespace orvelle {
namespace {

using saver_test::FakeSaverClock;
using saver_test::FakeSaverView;
using saver_test::ScriptedRandom;

std::vector<PixelRect> Steps(int k, int w, int h, bool wide = false) {
    ScriptedRandom random;
    return TransitionSteps(k, w, h, wide, random);
}

TEST(TransitionSteps, WipesUncoverFromOneEdge) {
    EXPECT_EQ(Steps(kLeftWipe, 4, 3),
              (std::vector<PixelRect>{{0, 0, 1, 3}, {0, 0, 2, 3}, {0, 0, 3, 3}, {0, 0, 4, 3}}));
    EXPECT_EQ(Steps(kRightWipe, 4, 3),
              (std::vector<PixelRect>{{3, 0, 1, 3}, {2, 0, 2, 3}, {1, 0, 3, 3}, {0, 0, 4, 3}}));
    // Wide pictures move two pixels a step: i = 1, 3, 5.
    EXPECT_EQ(Steps(kLeftWipe, 6, 2, true),
              (std::vector<PixelRect>{{0, 0, 1, 2}, {0, 0, 3, 2}, {0, 0, 5, 2}}));
    EXPECT_EQ(Steps(kRightWipe, 5, 2, true),
              (std::vector<PixelRect>{{4, 0, 1, 2}, {2, 0, 3, 2}, {0, 0, 5, 2}}));
}

TEST(TransitionSteps, CentredBandsStayCentredInWholePixels) {
    // Odd width: bands 1, 3, 5 sit exactly in the middle.
    EXPECT_EQ(Steps(kRightLeftWipe, 7, 2),
              (std::vector<PixelRect>{{3, 0, 1, 2}, {2, 0, 3, 2}, {1, 0, 5, 2}}));
    // Even width: each odd band takes one more pixel so it stays centred; the last is whole.
    EXPECT_EQ(Steps(kRightLeftWipe, 6, 2),
              (std::vector<PixelRect>{{2, 0, 2, 2}, {1, 0, 4, 2}, {0, 0, 6, 2}}));
    EXPECT_EQ(Steps(kUpAndDownWipe, 4, 5), (std::vector<PixelRect>{{0, 2, 4, 1}, {0, 1, 4, 3}}));
    EXPECT_TRUE(Steps(kUpAndDownWipe, 4, 1).empty());
}

TEST(TransitionSteps, CenterWipeGrowsFromALineToTheFullWidth) {
    // Tall: from a vertical line; ends at width W and height H - 1.
    EXPECT_EQ(Steps(kCenterWipe, 3, 7),
              (std::vector<PixelRect>{{1, 1, 1, 4}, {0, 1, 2, 5}, {0, 0, 3, 6}}));
    // Wide: from a horizontal line, the difference between width and height kept.
    const auto wide = Steps(kCenterWipe, 7, 3);
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(wide.front(), (PixelRect{1, 1, 4, 1}));
    for (const PixelRect& r : wide) {
        EXPECT_EQ(r.width - r.height, 3);
    }
    EXPECT_EQ(wide.back().width, 7);
    // Square: from a point.
    EXPECT_EQ(Steps(kCenterWipe, 3, 3),
              (std::vector<PixelRect>{{1, 1, 1, 1}, {0, 0, 2, 2}, {0, 0, 3, 3}}));
}

TEST(TransitionSteps, BlindsOpenEveryStripTogether) {
    const auto horizontal = Steps(kHorizontalBlinds, 10, 45);
    ASSERT_EQ(horizontal.size(), 20u * 3u);  // strips at 0, 20 and 40
    EXPECT_EQ(horizontal[0], (PixelRect{0, 0, 10, 1}));
    EXPECT_EQ(horizontal[1], (PixelRect{0, 20, 10, 1}));
    EXPECT_EQ(horizontal[2], (PixelRect{0, 40, 10, 1}));
    EXPECT_EQ(horizontal[3], (PixelRect{0, 0, 10, 2}));
    EXPECT_EQ(horizontal.back(), (PixelRect{0, 40, 10, 20}));

    // Narrower than 20 pixels: one strip only.
    const auto narrow = Steps(kVerticalBlinds, 15, 8);
    ASSERT_EQ(narrow.size(), 20u);
    for (int j = 0; j < 20; ++j) {
        EXPECT_EQ(narrow[j], (PixelRect{0, 0, j + 1, 8}));
    }
    const auto vertical = Steps(kVerticalBlinds, 40, 8);
    ASSERT_EQ(vertical.size(), 20u * 3u);  // s = 0 .. 2, the last strip beyond the picture
    EXPECT_EQ(vertical[2], (PixelRect{40, 0, 1, 8}));
}

TEST(TransitionSteps, FadeDrawsRandomCellsUntilAThousandMisses) {
    ScriptedRandom random;
    // Cell (0, 0), then cell (1, 50), then only repeats of (0, 0).
    random.draws = {0.0f, 0.0f, 0.015f, 0.5f};
    const auto steps = TransitionSteps(kFade, 200, 100, false, random);
    // Cells are 1.5 % of the picture: 300 / 100 = 3 wide, 150 / 100 = 1.5 -> 2 high.
    EXPECT_EQ(steps, (std::vector<PixelRect>{{0, 0, 3, 2}, {3, 100, 3, 2}}));
    EXPECT_EQ(random.drawCount, 4 + 2 * 1000);
}

TEST(TransitionSteps, FadeCellSizesRoundHalvesToEven) {
    const auto cellWidth = [](int w) {
        ScriptedRandom random;
        return TransitionSteps(kFade, w, 100, false, random).front().width;
    };
    EXPECT_EQ(cellWidth(100), 2);  // 1.5
    EXPECT_EQ(cellWidth(300), 4);  // 4.5
    EXPECT_EQ(cellWidth(500), 8);  // 7.5
    EXPECT_EQ(cellWidth(30), 0);   // 0.45
}

TEST(TransitionSteps, FadeDrawsEachCellOnceAndNearlyAllOfThem) {
    // A real-looking generator: the misses run out only when few cells are left.
    struct Lcg : RandomSource {
        unsigned state = 12345;
        void Randomize() override {}
        float Next() override {
            state = state * 1103515245u + 12345u;
            return static_cast<float>((state >> 8) & 0xFFFF) / 65536.0f;
        }
    } random;
    const auto steps = TransitionSteps(kFade, 8000, 6000, false, random);
    EXPECT_GT(steps.size(), 9900u);
    std::set<std::pair<int, int>> cells;
    for (const PixelRect& r : steps) {
        EXPECT_EQ(r.width, 120);
        EXPECT_EQ(r.height, 90);
        EXPECT_EQ(r.left % 120, 0);
        EXPECT_EQ(r.top % 90, 0);
        EXPECT_LE(r.left, 99 * 120);
        cells.insert({r.left, r.top});
    }
    EXPECT_EQ(cells.size(), steps.size());
}

SaverSettings Flags(std::array<const char*, 9> values) {
    SaverSettings s;
    auto flags = TransitionFlags(s);
    for (int k = 0; k < 9; ++k) {
        *const_cast<std::string*>(flags[k]) = values[k];
    }
    return s;
}

TEST(ChooseTransition, DrawsAgainUntilAnEnabledEffectComesUp) {
    SaverSettings s = Flags({"0", "1", "0", "0", "0", "0", "0", "0", "0"});
    ScriptedRandom random;
    random.draws = {0.0f, 0.5f, 0.12f};  // k = 0, 4, then 1
    EXPECT_EQ(ChooseTransition(s, random), kLeftWipe);
    EXPECT_EQ(random.reseeds, 3);
}

TEST(ChooseTransition, WithoutAFlagOfOneThereIsNoEffect) {
    ScriptedRandom random;
    EXPECT_EQ(ChooseTransition(Flags({"0", "0", "0", "0", "0", "0", "0", "0", "0"}), random),
              kNoTransition);
    EXPECT_EQ(ChooseTransition(SaverSettings{}, random), kNoTransition);
    // Present but never choosable: a defined outcome instead of drawing for ever.
    EXPECT_EQ(ChooseTransition(Flags({"0", "2", "0", "0", "0", "0", "0", "0", "-1"}), random),
              kNoTransition);
    EXPECT_EQ(random.drawCount, 0);
}

TEST(RunTransition, AllFlagsZeroShowsThePictureAtOnce) {
    FakeSaverClock clock;
    FakeSaverView view(&clock);
    ScriptedRandom random;
    SaverSettings s = Flags({"0", "0", "0", "0", "0", "0", "0", "0", "0"});
    EXPECT_TRUE(RunTransition(s, view, clock, random, {50, 40}, false));
    EXPECT_EQ(view.log, (std::vector<std::string>{"Commit"}));
    EXPECT_TRUE(view.copies.empty());
    EXPECT_EQ(view.frames, 0);
}

TEST(RunTransition, OnlyEnabledEffectIsUsedEveryTime) {
    FakeSaverClock clock;
    FakeSaverView view(&clock);
    ScriptedRandom random;
    random.fallback = 0.9f;  // k = 8
    SaverSettings s = Flags({"0", "0", "0", "0", "0", "0", "0", "1", "0"});
    random.draws = {0.1f, 0.85f};  // k = 0 (off), then 7
    ASSERT_TRUE(RunTransition(s, view, clock, random, {15, 8}, false));
    EXPECT_EQ(view.copies.size(), 20u);
    EXPECT_EQ(view.copies.back(), (PixelRect{19, 0, 1, 8}));  // the last column to open
}

// However large the picture, an effect copies each pixel about once: a step that contains one
// already drawn adds only what lies around it. What ends on screen is what the steps cover.
TEST(TransitionPacing, EachPixelIsCopiedOnceAndTheStepsCoverTheSame) {
    for (const double frameSeconds : {1.0 / 60, 0.1}) {
        for (int k = kLeftWipe; k <= kVerticalBlinds; ++k) {
            SCOPED_TRACE(std::to_string(k) + " at " + std::to_string(frameSeconds));
            FakeSaverClock clock;
            FakeSaverView view(&clock);
            view.frameSeconds = frameSeconds;
            const int w = 90;
            const int h = 61;
            const auto steps = Steps(k, w, h);
            ASSERT_TRUE(PlayTransitionSteps(view, clock, steps, false));
            std::vector<int> copied(w * h, 0);
            std::vector<int> covered(w * h, 0);
            const auto mark = [&](std::vector<int>& grid, const PixelRect& r) {
                for (int y = std::max(r.top, 0); y < std::min(r.top + r.height, h); ++y) {
                    for (int x = std::max(r.left, 0); x < std::min(r.left + r.width, w); ++x) {
                        ++grid[static_cast<std::size_t>(y * w + x)];
                    }
                }
            };
            for (const PixelRect& r : view.copies) {
                mark(copied, r);
            }
            for (const PixelRect& r : steps) {
                mark(covered, r);
            }
            for (std::size_t i = 0; i < copied.size(); ++i) {
                ASSERT_LE(copied[i], 1) << "pixel " << i;
                ASSERT_EQ(copied[i], covered[i] > 0 ? 1 : 0) << "pixel " << i;
            }
        }
    }
}

std::vector<PixelRect> Disjoint(int n) {
    std::vector<PixelRect> steps;
    for (int i = 0; i < n; ++i) {
        steps.push_back({i * 10, 0, 10, 10});
    }
    return steps;
}

TEST(TransitionPacing, StepsAreSpreadOverTheWholeSecond) {
    FakeSaverClock clock;
    FakeSaverView view(&clock);
    const auto steps = Disjoint(30);
    const double start = clock.monotonic;
    ASSERT_TRUE(PlayTransitionSteps(view, clock, steps, false));
    EXPECT_EQ(view.copies, steps);  // every step, in order
    const auto perFrame = view.CopiesPerFrame();
    EXPECT_GE(view.frames, 55);
    EXPECT_LE(view.frames, 61);
    for (int c : perFrame) {
        EXPECT_LE(c, 1);
    }
    EXPECT_LT(clock.monotonic - start, kTransitionSeconds + 0.02);
    EXPECT_EQ(perFrame.front(), 1);  // drawing starts at once
}

TEST(TransitionPacing, ManyStepsAreDrawnInBatchesPerFrame) {
    FakeSaverClock clock;
    FakeSaverView view(&clock);
    view.frameSeconds = 0.1;  // a slow machine: 10 frames a second
    const auto steps = Disjoint(100);
    ASSERT_TRUE(PlayTransitionSteps(view, clock, steps, false));
    EXPECT_EQ(view.copies, steps);
    EXPECT_EQ(view.frames, 10);
    EXPECT_EQ(view.CopiesPerFrame(), (std::vector<int>{11, 10, 10, 10, 10, 10, 10, 10, 10, 9}));
}

TEST(TransitionPacing, InputWaitingDrawsTheRestAtOnce) {
    FakeSaverClock clock;
    FakeSaverView view(&clock);
    view.hurryAfterFrames = 5;
    const auto steps = Disjoint(60);
    ASSERT_TRUE(PlayTransitionSteps(view, clock, steps, false));
    EXPECT_EQ(view.copies, steps);
    EXPECT_EQ(view.frames, 6);
    EXPECT_GT(view.CopiesPerFrame().back(), 50);
}

TEST(TransitionPacing, CoveredStepsOfOneFrameAreLeftOut) {
    FakeSaverClock clock;
    FakeSaverView view(&clock);
    view.hurryAfterFrames = 0;  // everything in the first frame
    ASSERT_TRUE(PlayTransitionSteps(view, clock, Steps(kLeftWipe, 300, 20), false));
    // Each wipe step lies inside the last, which paints the same pixels.
    EXPECT_EQ(view.copies, (std::vector<PixelRect>{{0, 0, 300, 20}}));
}

TEST(TransitionPacing, AClockThatStandsStillCannotHoldTheEffect) {
    FakeSaverClock clock;
    FakeSaverView view(nullptr);  // frames pass, time does not
    ASSERT_TRUE(PlayTransitionSteps(view, clock, Disjoint(10), false));
    EXPECT_EQ(view.copies.size(), 10u);
    EXPECT_LE(view.frames, 600);
}

TEST(TransitionPacing, AFailedStepEndsTheEffectExceptInBlinds) {
    FakeSaverClock clock;
    FakeSaverView view(&clock);
    view.copySucceeds = false;
    EXPECT_FALSE(PlayTransitionSteps(view, clock, Disjoint(10), false));
    EXPECT_EQ(view.copies.size(), 1u);

    FakeSaverView blinds(&clock);
    blinds.copySucceeds = false;
    EXPECT_TRUE(PlayTransitionSteps(blinds, clock, Disjoint(10), true));
    EXPECT_EQ(blinds.copies.size(), 10u);
}

}  // namespace
}  // namespace orvelle
