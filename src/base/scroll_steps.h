// Where a scroll bar's value goes for each of the system's scroll requests. A scroll bar does not
// move by itself; its owner answers each request with the new position.
#pragma once

#include <optional>

namespace orvelle {

// The request codes of WM_HSCROLL and WM_VSCROLL, with the system's values.
enum class ScrollRequest {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

struct ScrollBarRange {
    int minimum = 0;
    int maximum = 100;
    int smallChange = 1;
    int largeChange = 10;
    // The top (or left) end holds the maximum, as on a spin button: "up" raises the value.
    bool topHoldsMaximum = false;
};

// The value after the request, kept inside the range; nothing when the request moves nothing
// (the end of a scroll, or an unknown code). `thumb` is the thumb's position for the two thumb
// requests, measured from the top as the system reports it.
std::optional<int> NextScrollValue(const ScrollBarRange& range, int value, int requestCode,
                                   int thumb);

// The system's position (from the top) that shows the value, and back.
int ScrollPositionOfValue(const ScrollBarRange& range, int value);
int ScrollValueOfPosition(const ScrollBarRange& range, int position);

}  // namespace orvelle
