#include "overlays/background.h"

#include <gtest/gtest.h>

#include "fake_saver_view.h"
#include "settings/saver_settings.h"
#include "settings/memory_file_system.h"
#include "settings/theme_storage.h"

namespace orvelle {
namespace {

using saver_test::FakeSaverView;

class Background : public ::testing::Test {
  protected:
    Background() : storage(files, "C:\\Orv") {}
    bool Paint() { return PaintBackground(s, view, storage); }

    MemoryFileSystem files;
    ThemeStorage storage;
    FakeSaverView view;  // 1024 x 768 pixels, 15 twips per pixel
    SaverSettings s;
};

TEST_F(Background, SolidColour) {
    s.backEffect = "0";
    s.newBackColor = "255";
    EXPECT_TRUE(Paint());
    EXPECT_EQ(view.log, (std::vector<std::string>{"Solid 255"}));
}

TEST_F(Background, DesktopCopy) {
    s.backEffect = "1";
    EXPECT_TRUE(Paint());
    EXPECT_EQ(view.log, (std::vector<std::string>{"DesktopCopy"}));
}

TEST_F(Background, CentredPictureMayStartAboveAndLeftOfTheScreen) {
    s.backEffect = "2";
    s.backgroundDisplay = "0";
    s.backgroundImage = "C:\\pics\\sky.jpg";
    view.pictures["C:\\pics\\sky.jpg"] = {200, 100};
    EXPECT_TRUE(Paint());
    EXPECT_EQ(view.backgroundDraws, (std::vector<PixelRect>{{412, 334, 200, 100}}));

    // 7 pixels (105 twips) wider than the screen: left = -52 twips, the pixel quotient -3.
    view.backgroundDraws.clear();
    view.pictures["C:\\pics\\sky.jpg"] = {1031, 100};
    EXPECT_TRUE(Paint());
    EXPECT_EQ(view.backgroundDraws.front().left, -3);
}

TEST_F(Background, RelativePicturePathIsTakenFromTheProgramFolder) {
    s.backEffect = "2";
    s.backgroundDisplay = "1";
    s.backgroundImage = "samples\\harbour.jpg";
    view.pictures["C:\\Orv\\samples\\harbour.jpg"] = {10, 10};
    EXPECT_TRUE(Paint());
    EXPECT_EQ(view.backgroundDraws, (std::vector<PixelRect>{{0, 0, 1024, 768}}));
}

TEST_F(Background, TilesFromTheTopLeftWithOneExtraRowAndColumn) {
    s.backEffect = "2";
    s.backgroundDisplay = "2";
    s.backgroundImage = "C:\\t.bmp";
    view.pictures["C:\\t.bmp"] = {300, 400};
    EXPECT_TRUE(Paint());
    // Columns 0 .. 1200 (x < 1024 + 300) and rows 0, 400, 800 (y < 768 + 400), row by row.
    ASSERT_EQ(view.backgroundDraws.size(), 15u);
    EXPECT_EQ(view.backgroundDraws[0], (PixelRect{0, 0, 300, 400}));
    EXPECT_EQ(view.backgroundDraws[4], (PixelRect{1200, 0, 300, 400}));
    EXPECT_EQ(view.backgroundDraws[5], (PixelRect{0, 400, 300, 400}));
    EXPECT_EQ(view.backgroundDraws[14], (PixelRect{1200, 800, 300, 400}));

    // As wide as the screen: two columns per row, the second wholly off screen.
    view.backgroundDraws.clear();
    view.pictures["C:\\t.bmp"] = {1024, 768};
    EXPECT_TRUE(Paint());
    EXPECT_EQ(
        view.backgroundDraws,
        (std::vector<PixelRect>{
            {0, 0, 1024, 768}, {1024, 0, 1024, 768}, {0, 768, 1024, 768}, {1024, 768, 1024, 768}}));
}

TEST_F(Background, OtherLayoutLoadsThePictureButPaintsNothing) {
    s.backEffect = "2";
    s.backgroundDisplay = "5";
    s.backgroundImage = "C:\\t.bmp";
    view.pictures["C:\\t.bmp"] = {30, 40};
    EXPECT_TRUE(Paint());
    EXPECT_EQ(view.log, (std::vector<std::string>{"LoadBackground C:\\t.bmp"}));
}

TEST_F(Background, GradientFromWhite) {
    s.backEffect = "3";
    s.redBackground = "255";
    s.greenBackground = "255";
    s.blueBackground = "255";
    EXPECT_TRUE(Paint());
    ASSERT_EQ(view.fills.size(), 256u);
    EXPECT_EQ(view.fills[0].colour, 0xFFFFFFu);
    EXPECT_EQ(view.fills[128].colour, 0x7F7F7Fu);
    EXPECT_EQ(view.fills[255].colour, 0u);
    // Bands stack without gaps down to the bottom row: 3 rows each on 768, 4 or 5 on 1080.
    for (const int height : {768, 1080}) {
        SCOPED_TRACE(height);
        view.screen = {1024, height};
        view.fills.clear();
        EXPECT_TRUE(Paint());
        int row = 0;
        for (const auto& fill : view.fills) {
            EXPECT_EQ(fill.rect.top, row);
            EXPECT_EQ(fill.rect.left, 0);
            EXPECT_EQ(fill.rect.width, 1024);
            EXPECT_GE(fill.rect.height, height / 256);
            EXPECT_LE(fill.rect.height, height / 256 + 1);
            row += fill.rect.height;
        }
        EXPECT_EQ(row, height);
    }
}

TEST_F(Background, GradientChannelsStopAtZero) {
    EXPECT_EQ(GradientColour(0, 10, 200, 0), 10u | (200u << 8));
    EXPECT_EQ(GradientColour(9, 10, 200, 0), 1u | (191u << 8));
    EXPECT_EQ(GradientColour(10, 10, 200, 0), 190u << 8);
    EXPECT_EQ(GradientColour(199, 10, 200, 0), 1u << 8);
    EXPECT_EQ(GradientColour(200, 10, 200, 0), 0u);
    EXPECT_EQ(GradientColour(255, 10, 200, 0), 0u);
    EXPECT_EQ(GradientBand(0, 1024, 256), (PixelRect{0, 0, 1024, 1}));
    EXPECT_EQ(GradientBand(255, 1024, 256), (PixelRect{0, 255, 1024, 1}));
    EXPECT_EQ(GradientBand(255, 200, 100), (PixelRect{0, 100, 200, 0}));  // fewer rows than bands
}

TEST_F(Background, UnknownKindPaintsNothing) {
    s.backEffect = "4";
    EXPECT_TRUE(Paint());
    EXPECT_TRUE(view.log.empty());
    EXPECT_TRUE(view.fills.empty());
}

TEST_F(Background, FailuresAreReported) {
    const auto fails = [this](SaverSettings settings) {
        FakeSaverView fresh;
        fresh.pictures["C:\\there.jpg"] = {10, 10};
        return !PaintBackground(settings, fresh, storage);
    };
    SaverSettings empty;  // backEffect missing in the theme
    EXPECT_TRUE(fails(empty));

    SaverSettings colour;
    colour.backEffect = "0";
    colour.newBackColor = "red";
    EXPECT_TRUE(fails(colour));

    SaverSettings missing;
    missing.backEffect = "2";
    missing.backgroundDisplay = "0";
    missing.backgroundImage = "C:\\gone.jpg";
    EXPECT_TRUE(fails(missing));

    SaverSettings layout = missing;
    layout.backgroundImage = "C:\\there.jpg";
    layout.backgroundDisplay = "";
    EXPECT_TRUE(fails(layout));

    SaverSettings gradient;
    gradient.backEffect = "3";
    gradient.redBackground = "10";
    gradient.greenBackground = "12x";
    gradient.blueBackground = "0";
    EXPECT_TRUE(fails(gradient));
}

}  // namespace
}  // namespace orvelle
