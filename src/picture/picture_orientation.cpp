#include "picture/picture_orientation.h"

namespace orvelle {

UprightTurn UprightTurnFor(int orientation) {
    switch (orientation) {
        case 2:
            return {0, true};
        case 3:
            return {180, false};
        case 4:
            return {180, true};
        case 5:
            return {90, true};
        case 6:
            return {90, false};
        case 7:
            return {270, true};
        case 8:
            return {270, false};
        default:
            return {0, false};
    }
}

PixelSize UprightSize(PixelSize stored, int orientation) {
    const UprightTurn turn = UprightTurnFor(orientation);
    if (turn.clockwiseDegrees == 90 || turn.clockwiseDegrees == 270) {
        return {stored.height, stored.width};
    }
    return stored;
}

PixelPoint UprightPosition(PixelPoint p, PixelSize size, int orientation) {
    const UprightTurn turn = UprightTurnFor(orientation);
    PixelPoint q = p;
    PixelSize turned = size;
    switch (turn.clockwiseDegrees) {
        case 90:
            q = {size.height - 1 - p.y, p.x};
            turned = {size.height, size.width};
            break;
        case 180:
            q = {size.width - 1 - p.x, size.height - 1 - p.y};
            break;
        case 270:
            q = {p.y, size.width - 1 - p.x};
            turned = {size.height, size.width};
            break;
        default:
            break;
    }
    if (turn.mirrorLeftRight) {
        q.x = turned.width - 1 - q.x;
    }
    return q;
}

}  // namespace orvelle
