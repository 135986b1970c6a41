#include "settings/saver_settings.h"

#include <gtest/gtest.h>

#include "settings/memory_file_system.h"
#include "settings/theme_storage.h"

namespace orvelle {
namespace {

const char* const kGlobal = "C:\\Orv\\orvellemain.ini";
const char* const kTheme = "C:\\Orv\\orvellesaver\\Test.ini";

class LoadSettings : public ::testing::Test {
  protected:
    LoadSettings() : storage(files, "C:\\Orv") {
        files.Put(kGlobal, "[saver]\r\ncurrentsaver=Test\r\n[mouse]\r\nmouseSensitivity=23\r\n");
    }
    SaverSettings Load() {
        SaverSettings s;
        LoadThemeSettings(s, storage);
        return s;
    }

    MemoryFileSystem files;
    ThemeStorage storage;
};

TEST_F(LoadSettings, ReadsTheWholeTheme) {
    std::string theme = "[total]\r\ntotal=11\r\nmediaTotal=2\r\n[images]\r\n";
    for (int i = 0; i < 11; ++i) {
        theme += std::to_string(i) + "=C:\\p\\" + std::to_string(i) + ".jpg\r\n";
    }
    theme +=
        "[caption]\r\n0=First\r\n10=Eleventh\r\n"
        "[multimedia]\r\n0=a.mid\r\n1=b.wav\r\n"
        "[image]\r\nrandomMedia=1\r\nrandomPick=0\r\npicSpeed=3\r\ntimeInterval=10\r\n"
        "picRandom=rand\r\npicturePercent=100\r\ntimeDisplay=2\r\n"
        "[background]\r\nnewBackColor=255\r\nbackEffect=3\r\nredBackground=10\r\n"
        "[font]\r\nnewFontName=Arial\r\nnewFontSize=8.25\r\nnewFontBold=True\r\nscroll=1\r\n"
        "scrollSpeed=200\r\n"
        "[transitions]\r\nbStandard=1\r\nbFade=0\r\n"
        "[date]\r\ncountdownMonth=12\r\ncountdownDay=25\r\ncountdownYear=2026\r\n";
    files.Put(kTheme, theme);

    const SaverSettings s = Load();
    EXPECT_EQ(s.currentsaver, "Test");
    EXPECT_EQ(s.mouseSensitivity, "7");
    EXPECT_EQ(s.lastPictureIndex, 10);
    ASSERT_EQ(s.picturePaths.size(), 12u);
    EXPECT_EQ(s.picturePaths[10], "C:\\p\\10.jpg");  // the eleventh picture is key "10"
    EXPECT_EQ(s.picturePaths[11], "");
    EXPECT_EQ(s.captions[0], "First");
    EXPECT_EQ(s.captions[1], "");
    EXPECT_EQ(s.captions[10], "Eleventh");
    EXPECT_EQ(s.mediaPaths, (std::vector<std::string>{"a.mid", "b.wav", ""}));
    EXPECT_EQ(s.randomMedia, "1");
    EXPECT_EQ(s.picSpeed, "3");
    EXPECT_EQ(s.picRandom, "rand");
    EXPECT_EQ(s.newFontSize, "8.25");
    EXPECT_EQ(s.newFontBold, "True");
    EXPECT_EQ(s.newBackColor, "255");
    EXPECT_EQ(s.redBackground, "10");
    EXPECT_EQ(s.bStandard, "1");
    EXPECT_EQ(s.bFade, "0");
    EXPECT_EQ(s.bLeftWipe, "");
    EXPECT_EQ(s.scrollSpeed, "200");
    // 100 % behaves exactly as 99 %.
    EXPECT_EQ(s.picturePercent, "99");
    EXPECT_EQ(s.pictureFraction, 0.99f);
    EXPECT_EQ(s.countdownTarget, "12/25/2026 12:00:00 AM");
    EXPECT_FALSE(s.pictureShown);
}

TEST_F(LoadSettings, MouseSliderBecomesAMoveCount) {
    EXPECT_EQ(MouseThresholdFromSlider("30"), "1");
    EXPECT_EQ(MouseThresholdFromSlider("29"), "1");
    EXPECT_EQ(MouseThresholdFromSlider("1"), "30");
    EXPECT_EQ(MouseThresholdFromSlider("2"), "28");
    EXPECT_EQ(MouseThresholdFromSlider("15"), "15");
    EXPECT_EQ(MouseThresholdFromSlider(""), "30");
    EXPECT_EQ(MouseThresholdFromSlider("fast"), "30");
    EXPECT_EQ(MouseThresholdFromSlider("40"), "-10");  // never reached
}

TEST_F(LoadSettings, SamplePictureIsWrittenOnceWhileDue) {
    files.Put(kGlobal, "[saver]\r\ncurrentsaver=Test\r\n[setup]\r\nsamplePicture=1\r\n");
    files.Put(kTheme, "[total]\r\ntotal=2\r\n[images]\r\n0=C:\\mine.jpg\r\n1=C:\\two.jpg\r\n");
    const SaverSettings s = Load();
    EXPECT_EQ(s.picturePaths[0], "tovak.gif");  // resolved where it is shown
    EXPECT_EQ(s.picturePaths[1], "C:\\two.jpg");
    EXPECT_NE(files.Get(kTheme).find("tovak.gif"), std::string::npos);
    EXPECT_FALSE(storage.SamplePictureStepDue());

    // Not due any more: the user's own first picture stays.
    storage.WriteThemeValue("images", "0", "C:\\mine.jpg", kTheme);
    EXPECT_EQ(Load().picturePaths[0], "C:\\mine.jpg");
}

TEST_F(LoadSettings, MissingFilesGiveEmptyValuesWithoutFailing) {
    files.Remove(kGlobal);
    const SaverSettings s = Load();
    EXPECT_EQ(s.currentsaver, "");
    EXPECT_EQ(s.mouseSensitivity, "30");
    EXPECT_EQ(s.lastPictureIndex, -1);
    EXPECT_EQ(s.picturePaths, (std::vector<std::string>{""}));
    EXPECT_EQ(s.mediaPaths, (std::vector<std::string>{""}));
    EXPECT_EQ(s.pictureFraction, 0.1f);  // no size at all is taken as the smallest, 10 %
    EXPECT_EQ(s.countdownTarget, "");
}

TEST_F(LoadSettings, DamagedCountsAreReadByTheLeadingNumberAndKeptInRange) {
    files.Put(kTheme,
              "[total]\r\ntotal=abc\r\nmediaTotal=-4\r\n[image]\r\npicturePercent=50%\r\n"
              "timeDisplay=1\r\n");
    SaverSettings s = Load();
    EXPECT_EQ(s.lastPictureIndex, -1);
    EXPECT_EQ(s.mediaPaths.size(), 1u);
    EXPECT_EQ(s.pictureFraction, 0.5f);
    EXPECT_EQ(s.countdownTarget, "");  // only for the countdown

    // A huge count reads only the entries there are, gaps closed up and captions kept with
    // their pictures; keys not in plain decimal form are no entries.
    files.Put(kTheme,
              "[total]\r\ntotal=99999999\r\nmediaTotal=2\r\n[images]\r\n7=C:\\b.jpg\r\n"
              "0=C:\\a.jpg\r\n010=C:\\x.jpg\r\n[caption]\r\n7=Bee\r\n3=stray\r\n"
              "[multimedia]\r\n1=m.wav\r\n2=past.wav\r\n");
    ThemeStorage fresh(files, "C:\\Orv");
    LoadThemeSettings(s, fresh);
    EXPECT_EQ(s.total, "99999999");
    EXPECT_EQ(s.lastPictureIndex, 1);
    EXPECT_EQ(s.picturePaths, (std::vector<std::string>{"C:\\a.jpg", "C:\\b.jpg", ""}));
    EXPECT_EQ(s.captions, (std::vector<std::string>{"", "Bee", ""}));
    EXPECT_EQ(s.mediaPaths, (std::vector<std::string>{"m.wav", ""}));
    EXPECT_EQ(ListCountFromText("2.5"), 2);
    EXPECT_EQ(ListCountFromText("  3 "), 3);
}

}  // namespace
}  // namespace orvelle
