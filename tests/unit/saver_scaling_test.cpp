#include <gtest/gtest.h>

#include <limits>

#include "fake_saver_view.h"
#include "saver/picture_scaling.h"
#include "saver/picture_sequence.h"

namespace orvelle {
namespace {

// 1024 x 768 pixels at 15 twips per pixel.
constexpr std::int32_t kScreenW = 15360;
constexpr std::int32_t kScreenH = 11520;
constexpr float kFraction = 0.99f;  // limits 15206 x 11405 twips

std::optional<TwipsSize> Scale(std::int64_t w, std::int64_t h) {
    return ScaledPictureSize(w, h, kScreenW, kScreenH, kFraction);
}

TEST(ScalePicture, SmallPicturesKeepTheirSize) {
    EXPECT_EQ(Scale(4500, 3000), (TwipsSize{4500, 3000}));
    EXPECT_EQ(Scale(3000, 4500), (TwipsSize{3000, 4500}));
}

TEST(ScalePicture, LandscapeShrinksToTheWidthLimit) {
    EXPECT_EQ(Scale(30000, 15000), (TwipsSize{15206, 7603}));
    // Exactly at the limit still takes the scaling branch (strictly less than), same size.
    EXPECT_EQ(Scale(15206, 10000), (TwipsSize{15206, 10000}));
    EXPECT_EQ(Scale(15205, 10000), (TwipsSize{15205, 10000}));
}

TEST(ScalePicture, PortraitShrinksToTheHeightLimitRoundingHalvesToEven) {
    // 11405 x 15000 / 30000 = 5702.5 -> 5702.
    EXPECT_EQ(Scale(15000, 30000), (TwipsSize{5702, 11405}));
    EXPECT_EQ(Scale(5000, 11405), (TwipsSize{5000, 11405}));
}

TEST(ScalePicture, FitsItsShareOfTheScreenBothWays) {
    struct Case {
        const char* what;
        std::int64_t pictureW, pictureH;  // twips
        std::int32_t screenW, screenH;    // twips
        float fraction;
        TwipsSize expected;
    };
    const Case cases[] = {
        // 1920 x 1080 at 80 % (limits 23040 x 12960): held by the height, 1152 x 864 pixels.
        {"4:3 photo on 16:9", 60000, 45000, 28800, 16200, 0.8f, {17280, 12960}},
        {"3:2 photo on 16:9", 90000, 60000, 28800, 16200, 0.8f, {19440, 12960}},
        // Wider than its share but not taller keeps the width rule as it was.
        {"panorama on 16:9", 90000, 30000, 28800, 16200, 0.8f, {23040, 7680}},
        {"portrait on 16:9", 45000, 60000, 28800, 16200, 0.8f, {9720, 12960}},
        // A square on 4:3 at 99 % (limits 15206 x 11405) no longer passes the screen's height.
        {"square on 4:3", 30000, 30000, kScreenW, kScreenH, kFraction, {11405, 11405}},
        // Narrower than its height limit but wider than the width limit, only by the ratio.
        {"square just too wide", 15206, 15206, kScreenW, kScreenH, kFraction, {11405, 11405}},
        // Portrait on a portrait screen, held by the width: 11405 x 16500 / 15000 = 12545.5.
        {"portrait on portrait", 15000, 16500, 11520, 15360, kFraction, {11405, 12546}},
        // 8660 x 5773 pixels on 1920 x 1080: width x height exceeds 32 bits.
        {"50 megapixels", 8660 * 15, 5773 * 15, 28800, 16200, kFraction, {24058, 16038}},
        // Small in both ways: never enlarged.
        {"small", 4500, 3000, 28800, 16200, 0.8f, {4500, 3000}},
    };
    for (const Case& c : cases) {
        const auto size =
            ScaledPictureSize(c.pictureW, c.pictureH, c.screenW, c.screenH, c.fraction);
        ASSERT_TRUE(size) << c.what;
        EXPECT_EQ(*size, c.expected) << c.what;
        EXPECT_LE(size->height, c.screenH) << c.what;
    }
    EXPECT_GT(28512LL * (5773 * 15), std::numeric_limits<std::int32_t>::max());
    // Centred, a picture now always starts inside the screen.
    EXPECT_EQ(CentredOffset(kScreenH, 11405), 57);
}

TEST(ScalePicture, ASizeBeyond32BitsIsAFailure) {
    // A limit so large that nothing is shrunk, and a picture beyond any 32-bit twips size.
    EXPECT_FALSE(ScaledPictureSize(40000000000LL, 40000000000LL - 1, kScreenW, kScreenH, 2e9f));
}

TEST(PicturePlacement, CentringHalvesTowardZero) {
    EXPECT_EQ(CentredOffset(15360, 4500), 5430);
    EXPECT_EQ(CentredOffset(100, 105), -2);
    EXPECT_EQ(CentredOffset(101, 100), 0);
}

TEST(PicturePlacement, FloatingPictureIsPulledBackInsideRightAndBottom) {
    EXPECT_EQ(FloatingPlacement({14000, 10000}, {3000, 2000}, kScreenW, kScreenH),
              (TwipsPoint{12360, 9520}));
    EXPECT_EQ(FloatingPlacement({1000, 500}, {3000, 2000}, kScreenW, kScreenH),
              (TwipsPoint{1000, 500}));
    // Left or above the screen is not pulled forward.
    EXPECT_EQ(FloatingPlacement({-15, -15}, {3000, 2000}, kScreenW, kScreenH),
              (TwipsPoint{-15, -15}));
    // Taller than the screen: its top goes above the screen.
    EXPECT_EQ(FloatingPlacement({0, 100}, {3000, 12000}, kScreenW, kScreenH),
              (TwipsPoint{0, -480}));
}

TEST(PictureSequence, ChangeIntervalInMilliseconds) {
    EXPECT_EQ(ChangeIntervalMs("10"), 10000);
    EXPECT_EQ(ChangeIntervalMs("2.5"), 2500);
    EXPECT_EQ(ChangeIntervalMs(""), 0);
    EXPECT_EQ(ChangeIntervalMs("-3"), 0);
    EXPECT_EQ(ChangeIntervalMs("99999999"), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace orvelle
