#include "saver/saver_settings.h"

#include <cmath>

#include "base/numbers.h"
#include "saver/saver_value_limits.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

// Whole numbers as plain decimal text, anything else as a single-precision number.
std::string NumberText(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    return FormatSingle(static_cast<float>(value));
}

}  // namespace

int ListCountFromText(const std::string& countText) {
    double count = RoundHalfEven(LeadingNumber(countText));
    if (!(count > 0.0)) {
        return 0;
    }
    return count > kMaxListEntries ? kMaxListEntries : static_cast<int>(count);
}

std::array<const std::string*, 9> TransitionFlags(const SaverSettings& s) {
    return {&s.bStandard,         &s.bLeftWipe,       &s.bRightWipe,
            &s.bRightandLeftWipe, &s.bUpAndDown,      &s.bCenter,
            &s.bHorizontalBlinds, &s.bVerticalBlinds, &s.bFade};
}

std::string MouseThresholdFromSlider(const std::string& stored) {
    double v = LeadingNumber(stored);
    if (v == 30.0) {
        return "1";
    }
    if (v == 1.0) {
        return "30";
    }
    return NumberText(30.0 - v);
}

void LoadThemeSettings(SaverSettings& s, ThemeStorage& storage) {
    s.pictureShown = false;

    const std::string global = storage.GlobalSettingsPath();
    storage.ReadThemeValue("saver", "currentsaver", s.currentsaver, global);
    storage.ReadThemeValue("mouse", "mouseSensitivity", s.mouseSensitivity, global);
    s.mouseSensitivity = MouseThresholdFromSlider(s.mouseSensitivity);

    const std::string theme = storage.ThemeFilePath(s.currentsaver);
    storage.WriteSamplePictureIfDue(theme);
    storage.Flush();

    storage.ReadThemeValue("total", "total", s.total, theme);
    const int pictures = ListCountFromText(s.total);
    s.picturePaths.assign(static_cast<size_t>(pictures) + 1, std::string());
    s.captions.assign(static_cast<size_t>(pictures) + 1, std::string());
    s.lastPictureIndex = -1;
    for (int i = 0; i < pictures; ++i) {
        storage.ReadThemeValue("images", std::to_string(i), s.picturePaths[i], theme);
        ++s.lastPictureIndex;
    }
    for (int i = 0; i < pictures; ++i) {
        storage.ReadThemeValue("caption", std::to_string(i), s.captions[i], theme);
    }

    storage.ReadThemeValue("total", "mediaTotal", s.mediaTotal, theme);
    const int music = ListCountFromText(s.mediaTotal);
    s.mediaPaths.assign(static_cast<size_t>(music) + 1, std::string());
    for (int i = 0; i < music; ++i) {
        storage.ReadThemeValue("multimedia", std::to_string(i), s.mediaPaths[i], theme);
    }

    storage.ReadThemeValue("image", "randomMedia", s.randomMedia, theme);
    storage.ReadThemeValue("background", "newBackColor", s.newBackColor, theme);
    storage.ReadThemeValue("background", "backEffect", s.backEffect, theme);
    storage.ReadThemeValue("image", "randomPick", s.randomPick, theme);
    storage.ReadThemeValue("image", "picSpeed", s.picSpeed, theme);
    storage.ReadThemeValue("image", "timeInterval", s.timeInterval, theme);
    storage.ReadThemeValue("image", "picRandom", s.picRandom, theme);
    storage.ReadThemeValue("font", "newFontName", s.newFontName, theme);
    storage.ReadThemeValue("font", "newFontSize", s.newFontSize, theme);
    storage.ReadThemeValue("font", "newFontBold", s.newFontBold, theme);
    storage.ReadThemeValue("font", "newFontItalic", s.newFontItalic, theme);
    storage.ReadThemeValue("font", "newFontUnderline", s.newFontUnderline, theme);
    storage.ReadThemeValue("font", "newFontFontStrikethru", s.newFontFontStrikethru, theme);
    storage.ReadThemeValue("font", "newFontForeColor", s.newFontForeColor, theme);
    storage.ReadThemeValue("background", "backgroundImage", s.backgroundImage, theme);
    storage.ReadThemeValue("background", "backgroundDisplay", s.backgroundDisplay, theme);
    storage.ReadThemeValue("background", "redBackground", s.redBackground, theme);
    storage.ReadThemeValue("background", "greenBackground", s.greenBackground, theme);
    storage.ReadThemeValue("background", "blueBackground", s.blueBackground, theme);
    storage.ReadThemeValue("font", "scroll", s.scroll, theme);
    storage.ReadThemeValue("image", "picturePercent", s.picturePercent, theme);
    if (LeadingNumber(s.picturePercent) == 100.0) {
        // 100 % is taken as 99 %, so a picture always leaves some background round it.
        s.picturePercent = "99";
    }
    s.pictureFraction = static_cast<float>(LeadingNumber(s.picturePercent)) / 100.0f;
    storage.ReadThemeValue("font", "scrollSpeed", s.scrollSpeed, theme);
    storage.ReadThemeValue("transitions", "bStandard", s.bStandard, theme);
    storage.ReadThemeValue("transitions", "bLeftWipe", s.bLeftWipe, theme);
    storage.ReadThemeValue("transitions", "bRightWipe", s.bRightWipe, theme);
    storage.ReadThemeValue("transitions", "bRightandLeftWipe", s.bRightandLeftWipe, theme);
    storage.ReadThemeValue("transitions", "bUpAndDown", s.bUpAndDown, theme);
    storage.ReadThemeValue("transitions", "bCenter", s.bCenter, theme);
    storage.ReadThemeValue("transitions", "bHorizontalBlinds", s.bHorizontalBlinds, theme);
    storage.ReadThemeValue("transitions", "bVerticalBlinds", s.bVerticalBlinds, theme);
    storage.ReadThemeValue("transitions", "bFade", s.bFade, theme);
    storage.ReadThemeValue("image", "timeDisplay", s.timeDisplay, theme);
    storage.ReadThemeValue("date", "countdownMonth", s.countdownMonth, theme);
    storage.ReadThemeValue("date", "countdownDay", s.countdownDay, theme);
    storage.ReadThemeValue("date", "countdownYear", s.countdownYear, theme);
    if (LeadingNumber(s.timeDisplay) == 2.0) {
        s.countdownTarget =
            s.countdownMonth + "/" + s.countdownDay + "/" + s.countdownYear + " 12:00:00 AM";
    }
    ClampSaverValues(s);
}

}  // namespace orvelle
