#include "overlays/background.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "base/numbers.h"
#include "settings/saver_settings.h"
#include "settings/theme_storage.h"

namespace orvelle {

namespace {

std::optional<long long> StrictWhole(const std::string& text) {
    std::optional<double> v = StrictNumber(text);
    if (!v || *v < -1e15 || *v > 1e15) {
        return std::nullopt;
    }
    return static_cast<long long>(RoundHalfEven(*v));
}

// Tiles at 0, size, 2 x size, ... while the position is below screen + size.
int TileCount(std::int64_t screen, std::int64_t size) {
    const std::int64_t count = (screen + 2 * size - 1) / size;
    return static_cast<int>(std::clamp<std::int64_t>(count, 0, 1 << 30));
}

int Channel(long long v) {
    return static_cast<int>(std::clamp<long long>(v, 0, 255));
}

bool PaintCustomPicture(const SaverSettings& s, BackgroundCanvas& canvas,
                        const ThemeStorage& storage) {
    if (s.backgroundImage.empty()) {
        return false;
    }
    const std::optional<PixelSize> picture =
        canvas.LoadBackgroundPicture(storage.ResolveProgramPath(s.backgroundImage));
    if (!picture) {
        return false;
    }
    const std::optional<double> display = StrictNumber(s.backgroundDisplay);
    if (!display) {
        return false;
    }
    const PixelSize screen = canvas.ScreenSize();
    const int tx = std::max(1, canvas.TwipsPerPixelX());
    const int ty = std::max(1, canvas.TwipsPerPixelY());
    const std::int64_t screenW = static_cast<std::int64_t>(screen.width) * tx;
    const std::int64_t screenH = static_cast<std::int64_t>(screen.height) * ty;
    const std::int64_t w = static_cast<std::int64_t>(picture->width) * tx;
    const std::int64_t h = static_cast<std::int64_t>(picture->height) * ty;

    if (*display == 0.0) {
        const std::int64_t top =
            CentredOffset(static_cast<double>(screenH), static_cast<double>(h));
        const std::int64_t left =
            CentredOffset(static_cast<double>(screenW), static_cast<double>(w));
        canvas.DrawBackgroundPicture(
            {TwipsToPixels(left, tx), TwipsToPixels(top, ty), picture->width, picture->height});
    } else if (*display == 1.0) {
        canvas.DrawBackgroundPicture({0, 0, screen.width, screen.height});
    } else if (*display == 2.0 && w > 0 && h > 0) {
        // Tiles start at 0 and step by the picture's own size, one extra row and column past
        // the edge; the view fills them in one go where it can (a 1-pixel tile would otherwise
        // cost a draw per pixel of the screen).
        canvas.TileBackgroundPicture(*picture, TileCount(screenW, w), TileCount(screenH, h));
    }
    // Any other layout loads the picture but paints nothing.
    return true;
}

bool PaintGradient(const SaverSettings& s, BackgroundCanvas& canvas) {
    const std::optional<long long> red = StrictWhole(s.redBackground);
    const std::optional<long long> green = StrictWhole(s.greenBackground);
    const std::optional<long long> blue = StrictWhole(s.blueBackground);
    if (!red || !green || !blue) {
        return false;
    }
    const PixelSize screen = canvas.ScreenSize();
    for (int i = 0; i < kGradientBands; ++i) {
        canvas.FillBackgroundRect(
            GradientBand(i, screen.width, screen.height),
            GradientColour(i, Channel(*red), Channel(*green), Channel(*blue)));
    }
    return true;
}

}  // namespace

PixelRect GradientBand(int band, int windowWidth, int windowHeight) {
    const auto row = [windowHeight](int unit) {
        return static_cast<int>(
            RoundHalfEven(static_cast<double>(unit) * windowHeight / kGradientBands));
    };
    const int top = row(band);
    return {0, top, windowWidth, row(band + 1) - top};
}

Colour GradientColour(int band, int red, int green, int blue) {
    const auto darken = [band](int c) { return static_cast<Colour>(std::max(0, c - band)); };
    return darken(red) | (darken(green) << 8) | (darken(blue) << 16);
}

bool PaintBackground(const SaverSettings& s, BackgroundCanvas& canvas,
                     const ThemeStorage& storage) {
    const std::optional<double> effect = StrictNumber(s.backEffect);
    if (!effect) {
        return false;
    }
    if (*effect == 0.0) {
        const std::optional<long long> colour = StrictWhole(s.newBackColor);
        if (!colour || *colour < 0 || *colour > 0xFFFFFF) {
            return false;
        }
        canvas.PaintSolidBackground(static_cast<Colour>(*colour));
        return true;
    }
    if (*effect == 1.0) {
        canvas.PaintDesktopCopy();
        return true;
    }
    if (*effect == 2.0) {
        return PaintCustomPicture(s, canvas, storage);
    }
    if (*effect == 3.0) {
        return PaintGradient(s, canvas);
    }
    return true;  // any other kind paints nothing
}

}  // namespace orvelle
