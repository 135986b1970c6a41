#include "config/picture_viewer.h"

#include <algorithm>

namespace orvelle {

PixelSize PictureViewerTwips(PixelSize picture) {
    return {picture.width > 2000 ? picture.width + 120 : 2000, picture.height + 405};
}

PictureViewerLayout LayOutPictureViewer(PixelSize picture, int twipsX, int twipsY,
                                        PixelSize workArea) {
    twipsX = std::max(twipsX, 1);
    twipsY = std::max(twipsY, 1);
    const PixelSize twips = PictureViewerTwips({picture.width * twipsX, picture.height * twipsY});
    PictureViewerLayout layout;
    layout.window = {twips.width / twipsX, twips.height / twipsY};
    if (layout.window.width > workArea.width) {
        layout.window.width = workArea.width;
        layout.scrollAcross = true;
    }
    if (layout.window.height > workArea.height) {
        layout.window.height = workArea.height;
        layout.scrollDown = true;
    }
    return layout;
}

int ClampScroll(int position, int content, int page) {
    return std::clamp(position, 0, std::max(content - page, 0));
}

}  // namespace orvelle
