#include "saver/monitor_layout.h"

#include <algorithm>

namespace orvelle {

namespace {

bool Contains(const PixelRect& outer, const PixelRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top &&
           inner.left + inner.width <= outer.left + outer.width &&
           inner.top + inner.height <= outer.top + outer.height;
}

}  // namespace

std::vector<PixelRect> CoverRects(const std::vector<PixelRect>& monitors,
                                  const PixelRect& primary) {
    std::vector<PixelRect> covers;
    for (const PixelRect& monitor : monitors) {
        if (monitor.width <= 0 || monitor.height <= 0 || Contains(primary, monitor)) {
            continue;
        }
        const bool shown = std::any_of(covers.begin(), covers.end(), [&](const PixelRect& cover) {
            return Contains(cover, monitor);
        });
        if (!shown) {
            covers.push_back(monitor);
        }
    }
    return covers;
}

PixelRect Bounds(const std::vector<PixelRect>& rects) {
    if (rects.empty()) {
        return {};
    }
    int left = rects[0].left;
    int top = rects[0].top;
    int right = left + rects[0].width;
    int bottom = top + rects[0].height;
    for (const PixelRect& r : rects) {
        left = std::min(left, r.left);
        top = std::min(top, r.top);
        right = std::max(right, r.left + r.width);
        bottom = std::max(bottom, r.top + r.height);
    }
    return {left, top, right - left, bottom - top};
}

PixelPoint CoverPointToPrimary(PixelPoint inCover, const PixelRect& cover,
                               const PixelRect& primary) {
    return {cover.left + inCover.x - primary.left, cover.top + inCover.y - primary.top};
}

std::vector<int> KeptCovers(const std::vector<PixelRect>& before,
                            const std::vector<PixelRect>& now) {
    std::vector<bool> taken(before.size(), false);
    std::vector<int> kept;
    for (const PixelRect& monitor : now) {
        int found = -1;
        for (std::size_t i = 0; i < before.size() && found < 0; ++i) {
            if (!taken[i] && before[i] == monitor) {
                taken[i] = true;
                found = static_cast<int>(i);
            }
        }
        kept.push_back(found);
    }
    return kept;
}

}  // namespace orvelle
