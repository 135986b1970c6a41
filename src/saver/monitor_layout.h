// Where the full-screen run puts its windows when the computer has several monitors. The
// slideshow keeps the primary monitor, in that monitor's own coordinates; each other monitor
// gets a cover window that shows the theme's background laid out for that monitor alone, so no
// monitor is left showing the desktop or whatever private window is open there.
#pragma once

#include <vector>

#include "base/geometry.h"

namespace orvelle {

// The other monitors' rectangles in screen coordinates (the primary's top left is (0, 0)), in
// the order given. A monitor that the primary or an earlier cover already shows whole (a
// mirrored display) needs no cover of its own; an empty rectangle is no monitor.
std::vector<PixelRect> CoverRects(const std::vector<PixelRect>& monitors, const PixelRect& primary);

// After a display change: for each cover rectangle now, the index of the cover before that
// stands over exactly it (each used once), or -1 for a monitor that needs a new cover.
std::vector<int> KeptCovers(const std::vector<PixelRect>& before,
                            const std::vector<PixelRect>& now);

// The smallest rectangle holding them all: what the run covers.
PixelRect Bounds(const std::vector<PixelRect>& rects);

// A point in a cover window as the slideshow window takes it: input on any monitor counts as on
// the primary, at the place it has in the slideshow window's coordinates.
PixelPoint CoverPointToPrimary(PixelPoint inCover, const PixelRect& cover,
                               const PixelRect& primary);

}  // namespace orvelle
