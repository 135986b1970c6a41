#include "settings/saver_settings.h"

#include <cmath>

#include "base/numbers.h"
#include "settings/saver_value_limits.h"
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

    ReadThemeForSaver(storage, theme, s);
    // The entries read, without the spare past the last.
    s.lastPictureIndex = static_cast<std::int32_t>(s.picturePaths.size()) - 2;
    if (LeadingNumber(s.picturePercent) == 100.0) {
        // 100 % is taken as 99 %, so a picture always leaves some background round it.
        s.picturePercent = "99";
    }
    s.pictureFraction = static_cast<float>(LeadingNumber(s.picturePercent)) / 100.0f;
    if (LeadingNumber(s.timeDisplay) == 2.0) {
        s.countdownTarget =
            s.countdownMonth + "/" + s.countdownDay + "/" + s.countdownYear + " 12:00:00 AM";
    }
    ClampSaverValues(s);
}

}  // namespace orvelle
