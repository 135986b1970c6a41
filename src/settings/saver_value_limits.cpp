#include "settings/saver_value_limits.h"

#include <cmath>
#include <string>

#include "base/numbers.h"
#include "settings/saver_settings.h"

namespace orvelle {

namespace {

std::string WholeText(double value) {
    return std::to_string(static_cast<long long>(value));
}

std::string AnyText(double value) {
    return value == std::floor(value) ? WholeText(value) : FormatSingle(static_cast<float>(value));
}

// Rewrites the text only when its number is out of range (or, for whole values, not whole), so
// that what a control wrote stays exactly as it was.
void Limit(std::string& text, double low, double high, bool whole) {
    double v = LeadingNumber(text);
    if (std::isnan(v) || v < low) {
        text = AnyText(low);
    } else if (v > high) {
        text = AnyText(high);
    } else if (whole && v != std::floor(v)) {
        v = RoundHalfEven(v);
        text = WholeText(v < low ? low : (v > high ? high : v));
    }
}

}  // namespace

void ClampSaverValues(SaverSettings& s) {
    Limit(s.picturePercent, kMinPicturePercent, kMaxPicturePercent, false);
    if (LeadingNumber(s.picturePercent) == 100.0) {
        s.picturePercent = "99";
    }
    s.pictureFraction = static_cast<float>(LeadingNumber(s.picturePercent)) / 100.0f;

    Limit(s.scrollSpeed, kMinScrollSpeed, kMaxScrollSpeed, false);
    Limit(s.picSpeed, kMinPicSpeed, kMaxPicSpeed, true);
    Limit(s.mouseSensitivity, kMinMouseThreshold, kMaxMouseThreshold, true);
    if (LeadingNumber(s.newFontSize) != 0.0) {
        Limit(s.newFontSize, kMinFontPoints, kMaxFontPoints, false);
    }
}

}  // namespace orvelle
