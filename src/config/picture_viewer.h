// The picture viewer's size: the picture at its own size in a window the width of the picture
// plus 120 twips (at least 2000) and its height plus 405 twips. Today's photos are larger than
// the screen, so a window that would leave the work area is cut to it and the picture scrolls.
#pragma once

#include "base/geometry.h"

namespace orvelle {

inline constexpr const char* kPictureViewerTitle = " Image Viewer";
inline constexpr const char* kPictureViewerLoadFailed =
    "Cannot load image file properly.\r\nYou need to reload a new one.";

// The window's outer size in twips for a picture of this size in twips.
PixelSize PictureViewerTwips(PixelSize picture);

struct PictureViewerLayout {
    PixelSize window;  // outer size in pixels, within the work area
    bool scrollAcross = false;
    bool scrollDown = false;
};
// picture in pixels; twips per pixel across and down; the work area in pixels.
PictureViewerLayout LayOutPictureViewer(PixelSize picture, int twipsX, int twipsY,
                                        PixelSize workArea);

// A scroll position kept within 0 .. content - page (0 when the content fits).
int ClampScroll(int position, int content, int page);

}  // namespace orvelle
