// What painting the background needs from the screen: the window's size and twips, and drawing
// on its lasting surface (the one behind the slideshow, which holds no child windows). The saver
// window provides it as part of its view.
#pragma once

#include <optional>
#include <string>

#include "base/colour.h"
#include "base/geometry.h"

namespace orvelle {

class BackgroundCanvas {
  public:
    virtual ~BackgroundCanvas() = default;

    // Screen size in pixels and the twips per pixel across and down (15 at 96 dpi).
    virtual PixelSize ScreenSize() = 0;
    virtual int TwipsPerPixelX() = 0;
    virtual int TwipsPerPixelY() = 0;

    // Solid colour: the window and the picture boxes take this background colour.
    virtual void PaintSolidBackground(Colour colour) = 0;
    // Copy of what the desktop shows now, at (0, 0) at the window's size.
    virtual void PaintDesktopCopy() = 0;
    // Load a picture for the background; its size in pixels, or nothing on failure.
    virtual std::optional<PixelSize> LoadBackgroundPicture(const std::string& path) = 0;
    // Draw the loaded background picture at rect (stretched when the size differs from its own).
    virtual void DrawBackgroundPicture(const PixelRect& rect) = 0;
    // Tile the loaded background picture at its own size (tile) from (0, 0): columns x rows
    // copies, row by row. A canvas that can fill with a repeating pattern in one go does so;
    // this one draws each tile.
    virtual void TileBackgroundPicture(const PixelSize& tile, int columns, int rows) {
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                DrawBackgroundPicture({c * tile.width, r * tile.height, tile.width, tile.height});
            }
        }
    }
    // Fill a rectangle of the background with a colour (gradient bands).
    virtual void FillBackgroundRect(const PixelRect& rect, Colour colour) = 0;
};

}  // namespace orvelle
