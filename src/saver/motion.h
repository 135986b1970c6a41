// Floating pictures and the caption line: the picture drifts one pixel a tick and bounces off
// the screen edges and the caption band; the caption stands centred or runs right to left.
// Positions are twips on the window.
#pragma once

#include <cstdint>
#include <string>

#include "saver/saver_view.h"

namespace orvelle {

class RandomSource;

struct TwipsBox {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    friend bool operator==(const TwipsBox&, const TwipsBox&) = default;
};

PixelRect BoxToPixels(const TwipsBox& box, int twipsPerPixelX, int twipsPerPixelY);

// A new random diagonal velocity of one pixel a tick (12 twips below 14 twips per pixel, else
// 15). Re-seeds first; the first draw picks up or down, the second left or right.
void ChooseFloatDirection(std::int16_t& floatStepX, std::int16_t& floatStepY, int twipsPerPixel,
                          RandomSource& random);

// One float tick: the bounce tests come before the move, so a picture may end a tick one step
// past an edge; one that does not fit on an axis reverses every tick and trembles in place.
// True when the picture moved.
bool FloatPicture(TwipsBox& picture, std::int16_t& floatStepX, std::int16_t& floatStepY,
                  std::int64_t screenWidth, std::int64_t screenHeight, std::int64_t captionHeight);

struct CaptionLine {
    TwipsBox box;  // Label1, in twips
    std::string text;
};

// Extra width given to the caption label beyond its text.
constexpr int kCaptionExtraTwips = 200;
constexpr int kScrollerIntervalMs = 100;

// Puts the caption of the current picture on screen: centred when scroll is not 0, else
// starting just off the right edge with the scroll timer running. An empty caption gets
// height 0.
void ShowCaption(SaverView& view, CaptionLine& caption, const std::string& text,
                 const std::string& scroll, std::int64_t screenWidth, int twipsPerPixelX,
                 int twipsPerPixelY);

// One scroll tick: left by scrollSpeed twips; once the text has left the screen completely it
// comes back in from the right edge.
void ScrollCaption(SaverView& view, CaptionLine& caption, const std::string& scrollSpeed,
                   std::int64_t screenWidth, int twipsPerPixelX, int twipsPerPixelY);

}  // namespace orvelle
