// The saver window's answers to pictures and values that would otherwise stall or hide it:
// tiling in a few copies however small the tile, serving input while a large picture decodes,
// and the pointer over a message box.
#include <algorithm>
#include <cmath>

#include "picture/picture_decode_plan.h"
#include "saver/saver_window_win.h"

namespace orvelle::win {

void SaverWindow::TileBackgroundPicture(const PixelSize& tile, int columns, int rows) {
    if (!IsAlive() || !backPicture_.dib || !background_.dib || tile.width <= 0 ||
        tile.height <= 0 || columns <= 0 || rows <= 0) {
        return;
    }
    if (tile.width != backPicture_.Width() || tile.height != backPicture_.Height()) {
        // Held smaller than its own size (a picture beyond the memory budget): its tiles are
        // few, each drawn stretched.
        SaverView::TileBackgroundPicture(tile, columns, rows);
        return;
    }
    Invalidate(TileInto(background_, backPicture_, columns, rows));
}

bool SaverWindow::KeepDecoding() {
    if (!IsAlive() || ended_) {
        return false;
    }
    PumpEvents(0);
    return IsAlive() && !ended_;
}

void SaverWindow::ShowPointerForMessage() {
    // The run pushed the display counter far down; the box needs the pointer to be pressed.
    for (int tries = 0; tries < 64 && ShowCursor(TRUE) < 0; ++tries) {
    }
}

}  // namespace orvelle::win
