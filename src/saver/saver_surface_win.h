// An off-screen surface of the saver window: a 32-bit DIB selected into its own memory DC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "base/colour.h"
#include "base/gdi_win.h"
#include "base/geometry.h"
#include "picture/picture_decoder_win.h"

namespace orvelle::win {

struct MemorySurface {
    DibBitmap dib;
    MemoryDC dc{nullptr};
    // A bitmap of this size (kept when it has it already); a size that is not positive frees
    // the surface. False when the bitmap cannot be made.
    bool Resize(int width, int height);
    void Adopt(DibBitmap&& bitmap);
    // Hands the bitmap over (no longer selected here), leaving the surface empty.
    DibBitmap Take();
    void Fill(std::uint32_t pixel);
    void Free();
    int Width() const { return dib.width; }
    int Height() const { return dib.height; }
};

// Draws src (all of it) into dst (all of it): an area average when shrinking both ways, else a
// halftone stretch.
void StretchInto(const MemorySurface& src, MemorySurface& dst);

// Background drawing shared by the slideshow window and the other monitors' covers. Each
// returns the part of target it changed (empty when nothing), for the caller to repaint.
// The picture at rect: copied at its own size, else stretched; only the part of a rect far
// larger than target that lands on it is drawn.
PixelRect DrawPictureInto(MemorySurface& target, const MemorySurface& picture,
                          const PixelRect& rect);
// The picture, held at its own size, repeated columns x rows from (0, 0) in a few doubling copies.
PixelRect TileInto(MemorySurface& target, const MemorySurface& picture, int columns, int rows);
PixelRect FillInto(MemorySurface& target, const PixelRect& rect, Colour colour);
// The background picture file decoded into picture at the size a screen of screen's size needs
// (transparent pixels in fill); its own size, or nothing (picture emptied) when it cannot be.
std::optional<PixelSize> LoadBackgroundInto(MemorySurface& picture, PictureDecoder& decoder,
                                            const std::string& path, PixelSize screen, Colour fill);

// A font of points at dpi (the system's default height for 0 points).
HFONT MakeFont(const std::string& name, float points, int dpi, bool bold, bool italic,
               bool underline, bool strikethrough);

}  // namespace orvelle::win
