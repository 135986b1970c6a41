// Scaling and placement of the picture on screen, in twips as the window measures it.
#pragma once

#include <cstdint>
#include <optional>

#include "base/geometry.h"  // CentredOffset and TwipsToPixels place pictures too

namespace orvelle {

struct TwipsSize {
    std::int64_t width = 0;
    std::int64_t height = 0;
    friend bool operator==(const TwipsSize&, const TwipsSize&) = default;
};

// The size a loaded picture is drawn at: the longer side is brought to fraction of the window
// first, then whichever side still passes its own share of the window is brought to it, so the
// picture fits that share both ways. Never enlarges. Products are taken in 64 bits so very large
// pictures scale like any other; nothing when the result does not fit a 32-bit twips size.
std::optional<TwipsSize> ScaledPictureSize(std::int64_t pictureWidth, std::int64_t pictureHeight,
                                           std::int32_t windowWidth, std::int32_t windowHeight,
                                           float fraction);

// What the shown size of a picture follows from: the window in twips, its twips per pixel and
// the share of it a picture may take. Carried with each decode request, so that a picture is
// decoded straight at the size it is shown at.
struct PictureFit {
    int twipsX = 15;
    int twipsY = 15;
    std::int64_t screenWidth = 0;  // twips
    std::int64_t screenHeight = 0;
    float fraction = 0.0f;
    friend bool operator==(const PictureFit&, const PictureFit&) = default;
};

// The size in pixels a picture of this own size is shown at (ScaledPictureSize, taken to whole
// pixels, never below one); nothing when it cannot be scaled.
std::optional<PixelSize> ShownPictureSize(PixelSize own, const PictureFit& fit);

// The next floating picture keeps the previous one's top-left corner, pulled back only as far
// as needed to stay inside the right and bottom edges.
struct TwipsPoint {
    std::int64_t left = 0;
    std::int64_t top = 0;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};
TwipsPoint FloatingPlacement(TwipsPoint previous, TwipsSize picture, std::int64_t screenWidth,
                             std::int64_t screenHeight);

}  // namespace orvelle
