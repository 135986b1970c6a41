#include "saver/picture_scaling.h"

#include <algorithm>
#include <limits>

#include "base/numbers.h"

namespace orvelle {

namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();

bool FitsInt32(std::int64_t v) {
    return v >= kInt32Min && v <= kInt32Max;
}

}  // namespace

std::optional<TwipsSize> ScaledPictureSize(std::int64_t pictureWidth, std::int64_t pictureHeight,
                                           std::int32_t windowWidth, std::int32_t windowHeight,
                                           float fraction) {
    const double f = static_cast<double>(fraction);
    const auto maxWidth = static_cast<std::int64_t>(RoundHalfEven(f * windowWidth));
    const auto maxHeight = static_cast<std::int64_t>(RoundHalfEven(f * windowHeight));

    TwipsSize result{pictureWidth, pictureHeight};
    if (pictureHeight > pictureWidth) {
        if (!(pictureHeight < maxHeight)) {
            result.height = maxHeight;
            result.width = static_cast<std::int64_t>(
                RoundHalfEven(static_cast<double>(result.height * pictureWidth) / pictureHeight));
        }
    } else if (!(pictureWidth < maxWidth)) {
        result.width = maxWidth;
        result.height =
            pictureWidth == 0
                ? pictureHeight
                : static_cast<std::int64_t>(RoundHalfEven(
                      static_cast<double>(result.width * pictureHeight) / pictureWidth));
    }
    // The longer side alone does not keep a picture on today's wide screens (a 4:3 photo on a
    // 16:9 screen would stand taller than it): whichever side is still over its own share is
    // brought down too, so the smaller of the two factors wins.
    if (result.height > maxHeight && pictureHeight > 0) {
        result.height = maxHeight;
        result.width = static_cast<std::int64_t>(
            RoundHalfEven(static_cast<double>(maxHeight) * static_cast<double>(pictureWidth) /
                          static_cast<double>(pictureHeight)));
    }
    if (result.width > maxWidth && pictureWidth > 0) {
        result.width = maxWidth;
        result.height = static_cast<std::int64_t>(
            RoundHalfEven(static_cast<double>(maxWidth) * static_cast<double>(pictureHeight) /
                          static_cast<double>(pictureWidth)));
    }
    if (!FitsInt32(result.width) || !FitsInt32(result.height)) {
        return std::nullopt;
    }
    return result;
}

TwipsPoint FloatingPlacement(TwipsPoint previous, TwipsSize picture, std::int64_t screenWidth,
                             std::int64_t screenHeight) {
    TwipsPoint p = previous;
    if (picture.height + p.top >= screenHeight) {
        p.top = screenHeight - picture.height;
    }
    if (picture.width + p.left >= screenWidth) {
        p.left = screenWidth - picture.width;
    }
    return p;
}

std::optional<PixelSize> ShownPictureSize(PixelSize own, const PictureFit& fit) {
    const int tx = std::max(1, fit.twipsX);
    const int ty = std::max(1, fit.twipsY);
    const std::optional<TwipsSize> scaled = ScaledPictureSize(
        static_cast<std::int64_t>(own.width) * tx, static_cast<std::int64_t>(own.height) * ty,
        ToInt32Saturated(static_cast<double>(fit.screenWidth)),
        ToInt32Saturated(static_cast<double>(fit.screenHeight)), fit.fraction);
    if (!scaled) {
        return std::nullopt;
    }
    // The picture boxes hold whole pixels; a sliver of a picture still gets one.
    return PixelSize{std::max(1, ToInt32Saturated(static_cast<double>(scaled->width) / tx)),
                     std::max(1, ToInt32Saturated(static_cast<double>(scaled->height) / ty))};
}

}  // namespace orvelle
