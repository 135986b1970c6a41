#include "saver/saver_surface_win.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "saver/area_scaler.h"

namespace orvelle::win {

bool MemorySurface::Resize(int width, int height) {
    if (width <= 0 || height <= 0) {
        Free();
        return true;
    }
    if (dib && dib.width == width && dib.height == height) {
        return true;
    }
    DibBitmap fresh = CreateDib(width, height);
    if (!fresh) {
        return false;
    }
    Adopt(std::move(fresh));
    return true;
}

void MemorySurface::Adopt(DibBitmap&& bitmap) {
    if (!bitmap) {
        Free();
        return;
    }
    // The new bitmap goes in before the old one is deleted: GDI will not delete a selected one.
    dc.Select(bitmap.bitmap.Get());
    dib = std::move(bitmap);
}

DibBitmap MemorySurface::Take() {
    dc.Restore();
    DibBitmap taken = std::move(dib);
    dib = DibBitmap{};
    return taken;
}

void MemorySurface::Fill(std::uint32_t pixel) {
    if (dib) {
        GdiFlush();
        std::fill(dib.pixels, dib.pixels + static_cast<std::size_t>(dib.width) * dib.height, pixel);
    }
}

void MemorySurface::Free() {
    dc.Restore();
    dib = DibBitmap{};
}

void StretchInto(const MemorySurface& src, MemorySurface& dst) {
    if (!src.dib || !dst.dib) {
        return;
    }
    if (CanAreaScale(src.Width(), src.Height(), dst.Width(), dst.Height())) {
        GdiFlush();
        AreaScale(src.dib.pixels, src.Width(), src.Height(), static_cast<std::size_t>(src.Width()),
                  dst.dib.pixels, dst.Width(), dst.Height(), static_cast<std::size_t>(dst.Width()));
        return;
    }
    SetStretchBltMode(dst.dc.Get(), HALFTONE);
    SetBrushOrgEx(dst.dc.Get(), 0, 0, nullptr);
    StretchBlt(dst.dc.Get(), 0, 0, dst.Width(), dst.Height(), src.dc.Get(), 0, 0, src.Width(),
               src.Height(), SRCCOPY);
}

}  // namespace orvelle::win
