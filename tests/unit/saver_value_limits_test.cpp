#include "settings/saver_value_limits.h"

#include <gtest/gtest.h>

#include <string>

#include "settings/saver_settings.h"

namespace orvelle {
namespace {

TEST(ClampSaverValues, OutOfRangeValuesTakeTheNearerEndAndValidOnesStayAsWritten) {
    struct Case {
        std::string SaverSettings::*field;
        const char* stored;
        const char* expected;
    };
    const Case cases[] = {
        // picturePercent: 10 .. 100, and 100 is read as 99 again.
        {&SaverSettings::picturePercent, "150", "99"},
        {&SaverSettings::picturePercent, "abc", "10"},
        {&SaverSettings::picturePercent, "", "10"},
        {&SaverSettings::picturePercent, "-5", "10"},
        {&SaverSettings::picturePercent, "10", "10"},
        {&SaverSettings::picturePercent, "50%", "50%"},
        {&SaverSettings::picturePercent, "99", "99"},
        // scrollSpeed: 100 .. 300.
        {&SaverSettings::scrollSpeed, "abc", "100"},
        {&SaverSettings::scrollSpeed, "-200", "100"},
        {&SaverSettings::scrollSpeed, "1e9", "300"},
        {&SaverSettings::scrollSpeed, "250", "250"},
        // picSpeed: a whole 0 .. 5.
        {&SaverSettings::picSpeed, "9", "5"},
        {&SaverSettings::picSpeed, "-1", "0"},
        {&SaverSettings::picSpeed, "2.5", "2"},
        {&SaverSettings::picSpeed, "3", "3"},
        // The movement threshold (already converted): a whole 1 .. 30.
        {&SaverSettings::mouseSensitivity, "-70", "1"},
        {&SaverSettings::mouseSensitivity, "45", "30"},
        {&SaverSettings::mouseSensitivity, "19.5", "20"},
        {&SaverSettings::mouseSensitivity, "15", "15"},
        // The caption font: 1 .. 200 points; 0 or none leaves the font's own size.
        {&SaverSettings::newFontSize, "5000", "200"},
        {&SaverSettings::newFontSize, "-12", "1"},
        {&SaverSettings::newFontSize, "0.5", "1"},
        {&SaverSettings::newFontSize, "", ""},
        {&SaverSettings::newFontSize, "8.25", "8.25"},
    };
    for (const Case& c : cases) {
        SaverSettings s;
        s.picturePercent = "50";
        s.scrollSpeed = "100";
        s.picSpeed = "0";
        s.mouseSensitivity = "1";
        s.*c.field = c.stored;
        ClampSaverValues(s);
        EXPECT_EQ(s.*c.field, c.expected) << c.stored;
    }
}

TEST(ClampSaverValues, PictureFractionFollowsTheClampedPercent) {
    const std::pair<const char*, float> cases[] = {
        {"150", 0.99f}, {"100", 0.99f}, {"abc", 0.1f}, {"80", 0.8f}, {"99", 0.99f}};
    for (const auto& [stored, fraction] : cases) {
        SaverSettings s;
        s.picturePercent = stored;
        ClampSaverValues(s);
        EXPECT_EQ(s.pictureFraction, fraction) << stored;
    }
}

}  // namespace
}  // namespace orvelle
