#include "saver/saver_surface_win.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "picture/area_scaler.h"
#include "base/wide_win.h"
#include "picture/picture_decode_plan.h"

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

namespace {

PixelRect DrawVisiblePart(MemorySurface& target, const MemorySurface& picture,
                          const PixelRect& rect) {
    const VisiblePart part =
        VisiblePartOf(rect, {picture.Width(), picture.Height()}, {target.Width(), target.Height()});
    if (part.onSurface.width <= 0 || part.onSurface.height <= 0) {
        return {};
    }
    const int sourceLeft = static_cast<int>(std::floor(part.sourceLeft));
    const int sourceTop = static_cast<int>(std::floor(part.sourceTop));
    const int sourceWidth = std::max(1, static_cast<int>(std::lround(part.sourceWidth)));
    const int sourceHeight = std::max(1, static_cast<int>(std::lround(part.sourceHeight)));
    HDC dc = target.dc.Get();
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, part.onSurface.left, part.onSurface.top, part.onSurface.width,
               part.onSurface.height, picture.dc.Get(), sourceLeft, sourceTop, sourceWidth,
               sourceHeight, SRCCOPY);
    GdiFlush();
    return part.onSurface;
}

}  // namespace

PixelRect DrawPictureInto(MemorySurface& target, const MemorySurface& picture,
                          const PixelRect& rect) {
    if (!picture.dib || !target.dib || rect.width <= 0 || rect.height <= 0) {
        return {};
    }
    if (rect.width == picture.Width() && rect.height == picture.Height()) {
        BitBlt(target.dc.Get(), rect.left, rect.top, rect.width, rect.height, picture.dc.Get(), 0,
               0, SRCCOPY);
        return rect;
    }
    if (rect.left < 0 || rect.top < 0 || rect.width > target.Width() ||
        rect.height > target.Height()) {
        return DrawVisiblePart(target, picture, rect);
    }
    MemorySurface stretched;
    if (!stretched.Resize(rect.width, rect.height)) {
        return {};
    }
    StretchInto(picture, stretched);
    BitBlt(target.dc.Get(), rect.left, rect.top, rect.width, rect.height, stretched.dc.Get(), 0, 0,
           SRCCOPY);
    return rect;
}

PixelRect TileInto(MemorySurface& target, const MemorySurface& picture, int columns, int rows) {
    const PixelSize tile{picture.Width(), picture.Height()};
    if (!picture.dib || !target.dib || columns <= 0 || rows <= 0) {
        return {};
    }
    // One tile, then the covered area doubled across and then down: about 2 log2(screen /
    // tile) copies for the whole screen.
    const int width = static_cast<int>(
        std::min<long long>(static_cast<long long>(columns) * tile.width, target.Width()));
    const int height = static_cast<int>(
        std::min<long long>(static_cast<long long>(rows) * tile.height, target.Height()));
    HDC dc = target.dc.Get();
    BitBlt(dc, 0, 0, tile.width, tile.height, picture.dc.Get(), 0, 0, SRCCOPY);
    const int rowHeight = std::min(tile.height, height);
    for (int covered = tile.width; covered < width; covered *= 2) {
        BitBlt(dc, covered, 0, std::min(covered, width - covered), rowHeight, dc, 0, 0, SRCCOPY);
    }
    for (int covered = rowHeight; covered < height; covered *= 2) {
        BitBlt(dc, 0, covered, width, std::min(covered, height - covered), dc, 0, 0, SRCCOPY);
    }
    return {0, 0, width, height};
}

PixelRect FillInto(MemorySurface& target, const PixelRect& rect, Colour colour) {
    PixelRect area = rect;
    if (!target.dib || !ClipTo(area, target.Width(), target.Height())) {
        return {};
    }
    GdiFlush();
    const std::uint32_t pixel = DibPixel(colour);
    for (int y = area.top; y < area.top + area.height; ++y) {
        std::uint32_t* row = target.dib.Row(y) + area.left;
        std::fill(row, row + area.width, pixel);
    }
    return area;
}

std::optional<PixelSize> LoadBackgroundInto(MemorySurface& picture, PictureDecoder& decoder,
                                            const std::string& path, PixelSize screen,
                                            Colour fill) {
    const std::optional<PixelSize> size = decoder.Open(path);
    if (!size) {
        return std::nullopt;
    }
    DibBitmap decoded = decoder.Decode(BackgroundDecodeSize(*size, screen), fill);
    decoder.Close();
    if (!decoded) {
        picture.Free();
        return std::nullopt;
    }
    picture.Adopt(std::move(decoded));
    return size;
}

HFONT MakeFont(const std::string& name, float points, int dpi, bool bold, bool italic,
               bool underline, bool strikethrough) {
    const int height =
        points > 0 ? -static_cast<int>(std::lround(static_cast<double>(points) * dpi / 72.0)) : 0;
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfStrikeOut = strikethrough ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = Wide(name);
    const std::size_t length = std::min(face.size(), static_cast<std::size_t>(LF_FACESIZE - 1));
    std::copy_n(face.data(), length, font.lfFaceName);
    return CreateFontIndirectW(&font);
}

}  // namespace orvelle::win
