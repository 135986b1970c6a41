// How a photo is turned to stand as the camera meant it. Cameras write the picture as the sensor
// saw it and record in EXIF tag 274 how to turn it: 1 as stored, 2 mirrored left to right,
// 3 turned half round, 4 mirrored top to bottom, 5 mirrored along the main diagonal, 6 turned a
// quarter clockwise, 7 mirrored along the other diagonal, 8 turned a quarter anticlockwise.
#pragma once

#include "base/geometry.h"

namespace orvelle {

// The turn that makes a stored picture upright, as a clockwise rotation followed by an optional
// left-right mirror (the order the imaging component's flip-rotator applies them in).
struct UprightTurn {
    int clockwiseDegrees = 0;  // 0, 90, 180 or 270
    bool mirrorLeftRight = false;
    friend bool operator==(const UprightTurn&, const UprightTurn&) = default;
};

// The turn for an orientation value; anything outside 1..8 is taken as 1 (as stored).
UprightTurn UprightTurnFor(int orientation);

// The size of the upright picture: width and height swap for the four quarter turns (5 to 8).
PixelSize UprightSize(PixelSize stored, int orientation);

// Where the stored pixel (x, y) lands in the upright picture (for checks and tests).
PixelPoint UprightPosition(PixelPoint stored, PixelSize storedSize, int orientation);

}  // namespace orvelle
