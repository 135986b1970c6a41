// The saver window's answers to pictures and values that would otherwise stall or hide it:
// tiling in a few copies however small the tile, drawing only the visible part of a background
// far larger than the screen, serving input while a large picture decodes, and the pointer
// over a message box.
#include <algorithm>
#include <cmath>

#include "saver/picture_decode_plan.h"
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
    // One tile, then the covered area doubled across and then down: about 2 log2(screen /
    // tile) copies for the whole screen.
    const int width = static_cast<int>(
        std::min<long long>(static_cast<long long>(columns) * tile.width, background_.Width()));
    const int height = static_cast<int>(
        std::min<long long>(static_cast<long long>(rows) * tile.height, background_.Height()));
    HDC dc = background_.dc.Get();
    BitBlt(dc, 0, 0, tile.width, tile.height, backPicture_.dc.Get(), 0, 0, SRCCOPY);
    const int rowHeight = std::min(tile.height, height);
    for (int covered = tile.width; covered < width; covered *= 2) {
        BitBlt(dc, covered, 0, std::min(covered, width - covered), rowHeight, dc, 0, 0, SRCCOPY);
    }
    for (int covered = rowHeight; covered < height; covered *= 2) {
        BitBlt(dc, 0, covered, width, std::min(covered, height - covered), dc, 0, 0, SRCCOPY);
    }
    Invalidate({0, 0, width, height});
}

void SaverWindow::DrawBackgroundPart(const PixelRect& rect) {
    const VisiblePart part = VisiblePartOf(rect, {backPicture_.Width(), backPicture_.Height()},
                                           {background_.Width(), background_.Height()});
    if (part.onSurface.width <= 0 || part.onSurface.height <= 0) {
        return;
    }
    const int sourceLeft = static_cast<int>(std::floor(part.sourceLeft));
    const int sourceTop = static_cast<int>(std::floor(part.sourceTop));
    const int sourceWidth = std::max(1, static_cast<int>(std::lround(part.sourceWidth)));
    const int sourceHeight = std::max(1, static_cast<int>(std::lround(part.sourceHeight)));
    HDC dc = background_.dc.Get();
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, part.onSurface.left, part.onSurface.top, part.onSurface.width,
               part.onSurface.height, backPicture_.dc.Get(), sourceLeft, sourceTop, sourceWidth,
               sourceHeight, SRCCOPY);
    GdiFlush();
    Invalidate(part.onSurface);
}

bool SaverWindow::LoadedPictureYieldedNothing() {
    return decoder_.YieldedNothing();
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
