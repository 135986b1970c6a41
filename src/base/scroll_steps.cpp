#include "base/scroll_steps.h"

#include <algorithm>

namespace orvelle {

int ScrollPositionOfValue(const ScrollBarRange& range, int value) {
    return range.topHoldsMaximum ? range.minimum + range.maximum - value : value;
}

int ScrollValueOfPosition(const ScrollBarRange& range, int position) {
    // The same mirror both ways.
    return ScrollPositionOfValue(range, position);
}

std::optional<int> NextScrollValue(const ScrollBarRange& range, int value, int requestCode,
                                   int thumb) {
    // Work in positions (top = minimum position), then mirror back to a value.
    int position = ScrollPositionOfValue(range, value);
    switch (static_cast<ScrollRequest>(requestCode)) {
        case ScrollRequest::LineUp:
            position -= range.smallChange;
            break;
        case ScrollRequest::LineDown:
            position += range.smallChange;
            break;
        case ScrollRequest::PageUp:
            position -= range.largeChange;
            break;
        case ScrollRequest::PageDown:
            position += range.largeChange;
            break;
        case ScrollRequest::ThumbPosition:
        case ScrollRequest::ThumbTrack:
            position = thumb;
            break;
        case ScrollRequest::Top:
            position = range.minimum;
            break;
        case ScrollRequest::Bottom:
            position = range.maximum;
            break;
        default:
            return std::nullopt;
    }
    position = std::clamp(position, range.minimum, range.maximum);
    return ScrollValueOfPosition(range, position);
}

}  // namespace orvelle
