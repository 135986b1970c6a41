// Positions and sizes on the screen: rectangles and sizes in pixels, and the twips arithmetic
// that places things on the window (twips are what the window measures in; pixels are what is
// drawn).
#pragma once

#include <cstdint>
#include <span>

namespace orvelle {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Cuts rect down to [0, width) x [0, height); false (rect left as it was) when nothing is left.
bool ClipTo(PixelRect& rect, int width, int height);

// Where a window of size goes when centred over the area (its owner, or a monitor's work area)
// and then moved as little as needed to lie inside the work area; a window larger than the work
// area keeps its top left corner (and so its title bar) inside it.
PixelPoint PlaceCentred(PixelSize window, const PixelRect& over, const PixelRect& work);

// (outer - inner) rounded, halved toward zero: the offset that centres inner in outer.
std::int64_t CentredOffset(double outer, double inner);

// Twips on the window to pixels, as the integer quotient (toward zero); the background patch
// behind the picture is cut with the same rule, so the two always line up.
int TwipsToPixels(std::int64_t twips, int twipsPerPixel);

// Which of the sizes (ascending) a picture drawn designSize pixels wide at 96 dpi is shown at on a
// screen of dpi: the largest that does not exceed its size there, so it is never drawn larger than
// the button made for it; the smallest when every size does.
int PictureSizeForDpi(int designSize, int dpi, std::span<const int> sizes);

}  // namespace orvelle
