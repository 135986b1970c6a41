#include "picture/picture_decode_plan.h"

#include <algorithm>
#include <cmath>

#include "picture/picture_orientation.h"

namespace orvelle {

namespace {

constexpr std::uint64_t kPixelBytes = 4;
// Per source column the band scaler keeps a start column and a weight; per destination column
// three running sums of a row and three of the rows being built.
constexpr std::uint64_t kScalerBytesPerSourceColumn = 8;
constexpr std::uint64_t kScalerBytesPerDestColumn = 3 * 4 + 3 * 8;

}  // namespace

DecodePlan PlanPictureDecode(PixelSize source, PixelSize target, std::uint64_t budget) {
    DecodePlan plan;
    if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) {
        return plan;
    }
    const auto sw = static_cast<std::uint64_t>(source.width);
    const auto sh = static_cast<std::uint64_t>(source.height);
    const auto tw = static_cast<std::uint64_t>(target.width);
    const auto th = static_cast<std::uint64_t>(target.height);
    const std::uint64_t result = tw * th * kPixelBytes;
    if (result > budget) {
        return plan;
    }
    if (tw <= sw && th <= sh && (tw < sw || th < sh)) {
        // Shrinking: one band, the scaler and the result.
        const std::uint64_t fixed =
            result + sw * kScalerBytesPerSourceColumn + tw * kScalerBytesPerDestColumn;
        const std::uint64_t row = sw * kPixelBytes;
        if (fixed + row > budget) {
            return plan;
        }
        const std::uint64_t rowsInBudget = (budget - fixed) / row;
        const std::uint64_t rows =
            std::clamp<std::uint64_t>(std::min(kBandPixels / sw, rowsInBudget), 1, sh);
        plan = {true, true, static_cast<int>(rows)};
        return plan;
    }
    // Own size or growing: the picture is read whole (and for growing, also drawn from there).
    const std::uint64_t whole = sw * sh * kPixelBytes;
    const bool growing = tw != sw || th != sh;
    if (whole + (growing ? result : 0) > budget) {
        return plan;
    }
    plan.possible = true;
    return plan;
}

PixelSize BackgroundDecodeSize(PixelSize own, PixelSize screen, std::uint64_t budget) {
    if (own.width <= 0 || own.height <= 0) {
        return own;
    }
    const std::uint64_t whole = static_cast<std::uint64_t>(own.width) *
                                static_cast<std::uint64_t>(own.height) * kPixelBytes;
    if (whole <= budget || screen.width <= 0 || screen.height <= 0) {
        return own;
    }
    const double scale = std::min({static_cast<double>(screen.width) / own.width,
                                   static_cast<double>(screen.height) / own.height, 1.0});
    return {std::clamp(static_cast<int>(std::lround(own.width * scale)), 1, screen.width),
            std::clamp(static_cast<int>(std::lround(own.height * scale)), 1, screen.height)};
}

VisiblePart VisiblePartOf(const PixelRect& rect, PixelSize picture, PixelSize surface) {
    VisiblePart part;
    if (rect.width <= 0 || rect.height <= 0 || picture.width <= 0 || picture.height <= 0) {
        return part;
    }
    const long long left = std::max<long long>(rect.left, 0);
    const long long top = std::max<long long>(rect.top, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(rect.left) + rect.width, surface.width);
    const long long bottom =
        std::min<long long>(static_cast<long long>(rect.top) + rect.height, surface.height);
    if (right <= left || bottom <= top) {
        return part;
    }
    part.onSurface = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                      static_cast<int>(bottom - top)};
    const double sx = static_cast<double>(picture.width) / rect.width;
    const double sy = static_cast<double>(picture.height) / rect.height;
    part.sourceLeft = static_cast<double>(left - rect.left) * sx;
    part.sourceTop = static_cast<double>(top - rect.top) * sy;
    part.sourceWidth = static_cast<double>(right - left) * sx;
    part.sourceHeight = static_cast<double>(bottom - top) * sy;
    return part;
}

void TurnUpright(const std::uint32_t* stored, PixelSize size, int orientation, std::uint32_t* out) {
    const PixelSize upright = UprightSize(size, orientation);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const PixelPoint q = UprightPosition({x, y}, size, orientation);
            out[static_cast<std::size_t>(q.y) * static_cast<std::size_t>(upright.width) +
                static_cast<std::size_t>(q.x)] =
                stored[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) +
                       static_cast<std::size_t>(x)];
        }
    }
}

}  // namespace orvelle
