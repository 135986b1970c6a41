#include "saver/motion.h"

#include <gtest/gtest.h>

#include "fake_saver_view.h"

namespace orvelle {
namespace {

using saver_test::FakeSaverView;
using saver_test::ScriptedRandom;

constexpr std::int64_t kScreenW = 15360;
constexpr std::int64_t kScreenH = 11520;

TEST(FloatDirection, OnePixelDiagonallyInADrawnDirection) {
    ScriptedRandom random;
    std::int16_t x = 0;
    std::int16_t y = 0;
    random.draws = {0.7f, 0.2f};  // up, right
    ChooseFloatDirection(x, y, 15, random);
    EXPECT_EQ(y, -15);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(random.reseeds, 1);
    random.draws = {0.2f, 0.5f};  // down, left; 12 twips per pixel at 120 dpi
    ChooseFloatDirection(x, y, 12, random);
    EXPECT_EQ(y, 12);
    EXPECT_EQ(x, -12);
    random.draws = {0.0f, 0.0f};
    ChooseFloatDirection(x, y, 13, random);
    EXPECT_EQ(x, 12);
    ChooseFloatDirection(x, y, 14, random);
    EXPECT_EQ(x, 15);
}

TEST(FloatPicture, BouncesBeforeMoving) {
    std::int16_t x = 15;
    std::int16_t y = 15;
    // Past the right edge: turns back, and moves in the same tick.
    TwipsBox p{kScreenW - 3000 + 5, 2000, 3000, 2000};
    EXPECT_TRUE(FloatPicture(p, x, y, kScreenW, kScreenH, 0));
    EXPECT_EQ(x, -15);
    EXPECT_EQ(p.left, kScreenW - 3000 - 10);
    EXPECT_EQ(p.top, 2015);

    // Exactly at the edge: no bounce yet, it may go one step past.
    TwipsBox q{kScreenW - 3000, 2000, 3000, 2000};
    x = 15;
    FloatPicture(q, x, y, kScreenW, kScreenH, 0);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(q.left, kScreenW - 2985);

    // Into the caption band from below: turns down.
    TwipsBox r{100, 290, 3000, 2000};
    y = -15;
    FloatPicture(r, x, y, kScreenW, kScreenH, 300);
    EXPECT_EQ(y, 15);
    EXPECT_EQ(r.top, 305);

    // Left of the screen: turns right.
    TwipsBox s{-5, 1000, 3000, 2000};
    x = -15;
    FloatPicture(s, x, y, kScreenW, kScreenH, 0);
    EXPECT_EQ(x, 15);
    EXPECT_EQ(s.left, 10);
}

TEST(FloatPicture, TooTallPictureTremblesInPlace) {
    std::int16_t x = 15;
    std::int16_t y = 15;
    TwipsBox p{1000, 300, 3000, kScreenH};  // below a 300-twip caption band it cannot fit
    std::vector<std::int64_t> tops;
    for (int i = 0; i < 4; ++i) {
        FloatPicture(p, x, y, kScreenW, kScreenH, 300);
        tops.push_back(p.top);
    }
    EXPECT_EQ(tops, (std::vector<std::int64_t>{285, 300, 285, 300}));
}

TEST(FloatPicture, CentredPlacementDoesNotMove) {
    std::int16_t x = 0;
    std::int16_t y = 0;
    TwipsBox p{1000, 1000, 3000, 2000};
    EXPECT_FALSE(FloatPicture(p, x, y, kScreenW, kScreenH, 0));
    EXPECT_EQ(p, (TwipsBox{1000, 1000, 3000, 2000}));
}

TEST(Caption, CentredCaptionIsWidenedBy200TwipsAndCentred) {
    FakeSaverView view;
    CaptionLine caption;
    view.captionCharWidth = 10;  // "Harbour" = 70 pixels = 1050 twips, + 200
    ShowCaption(view, caption, "Harbour", "1", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.width, 1250);
    EXPECT_EQ(caption.box.left, (kScreenW - 1250) / 2);
    EXPECT_EQ(caption.box.height, 300);
    EXPECT_EQ(view.caption, (PixelRect{470, 0, 83, 20}));
    EXPECT_EQ(view.log,
              (std::vector<std::string>{"HideCaption", "MoveCaption 470,0,83,20", "ShowCaption"}));
    EXPECT_TRUE(view.timers.empty());
}

TEST(Caption, EmptyCaptionHasNoHeight) {
    FakeSaverView view;
    CaptionLine caption;
    ShowCaption(view, caption, "", "1", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.height, 0);
    ShowCaption(view, caption, "", "0", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.height, 0);
}

TEST(Caption, ScrollingCaptionRunsLeftAndComesBackFromTheRight) {
    FakeSaverView view;
    CaptionLine caption;
    view.captionCharWidth = 10;
    ShowCaption(view, caption, "Harbour", "0", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.left, kScreenW);
    EXPECT_EQ(view.timers[SaverTimer::Scroller], 100);

    ScrollCaption(view, caption, "300", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.left, kScreenW - 300);
    // Until left + width < 0, the caption keeps going.
    caption.box.left = -1250 + 300;
    ScrollCaption(view, caption, "300", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.left, -1250);
    ScrollCaption(view, caption, "300", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.left, kScreenW);
    EXPECT_EQ(view.caption.left, 1024);

    // A speed of 0 leaves it standing just off the right edge.
    ScrollCaption(view, caption, "0", kScreenW, 15, 15);
    EXPECT_EQ(caption.box.left, kScreenW);
}

}  // namespace
}  // namespace orvelle
