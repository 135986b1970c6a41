#include "base/geometry.h"

#include <algorithm>
#include <limits>

#include "base/numbers.h"

namespace orvelle {

bool ClipTo(PixelRect& rect, int width, int height) {
    const int left = std::max(rect.left, 0);
    const int top = std::max(rect.top, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(rect.left) + rect.width, width);
    const long long bottom =
        std::min<long long>(static_cast<long long>(rect.top) + rect.height, height);
    if (rect.width <= 0 || rect.height <= 0 || right <= left || bottom <= top) {
        return false;
    }
    rect = {left, top, static_cast<int>(right - left), static_cast<int>(bottom - top)};
    return true;
}

PixelPoint PlaceCentred(PixelSize window, const PixelRect& over, const PixelRect& work) {
    auto place = [](int size, int overStart, int overSize, int workStart, int workSize) {
        const int centred = overStart + (overSize - size) / 2;
        return std::max(workStart, std::min(centred, workStart + workSize - size));
    };
    return {place(window.width, over.left, over.width, work.left, work.width),
            place(window.height, over.top, over.height, work.top, work.height)};
}

std::int64_t CentredOffset(double outer, double inner) {
    // Division of a whole number by 2 in C++ drops the remainder toward zero, as wanted.
    return static_cast<std::int64_t>(RoundHalfEven(outer - inner)) / 2;
}

int TwipsToPixels(std::int64_t twips, int twipsPerPixel) {
    if (twipsPerPixel <= 0) {
        twipsPerPixel = 15;
    }
    constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
    std::int64_t px = twips / twipsPerPixel;
    if (px > kInt32Max) {
        return static_cast<int>(kInt32Max);
    }
    if (px < kInt32Min) {
        return static_cast<int>(kInt32Min);
    }
    return static_cast<int>(px);
}

int PictureSizeForDpi(int designSize, int dpi, std::span<const int> sizes) {
    const long long wanted = static_cast<long long>(designSize) * dpi / 96;
    int chosen = sizes.empty() ? designSize : sizes.front();
    for (int size : sizes) {
        if (size <= wanted) {
            chosen = size;
        }
    }
    return chosen;
}

}  // namespace orvelle
