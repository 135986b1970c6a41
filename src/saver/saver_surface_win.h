// An off-screen surface of the saver window: a 32-bit DIB selected into its own memory DC.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/gdi_win.h"

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

}  // namespace orvelle::win
