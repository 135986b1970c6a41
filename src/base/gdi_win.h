// Owning wrappers for GDI objects and device contexts, so that every object is freed and every
// DC is given back on all paths (early returns included). The other handles: base/owned_win.h.
// Header only.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "base/colour.h"
#include "base/owned_win.h"

namespace orvelle::win {

// An owned GDI object (bitmap, font, brush, pen, region), deleted with DeleteObject.
template <typename Handle>
using GdiObject = Owned<GdiObjectTraits<Handle>>;

using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedPen = GdiObject<HPEN>;

// A memory DC. Objects selected through Select are put back before the DC is deleted, so the
// objects themselves can be deleted afterwards (GDI refuses to delete a selected object).
class MemoryDC {
  public:
    MemoryDC() = default;
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept { *this = std::move(other); }
    MemoryDC& operator=(MemoryDC&& other) noexcept {
        if (this != &other) {
            Reset();
            dc_ = std::exchange(other.dc_, nullptr);
            oldBitmap_ = std::exchange(other.oldBitmap_, nullptr);
            oldFont_ = std::exchange(other.oldFont_, nullptr);
            oldBrush_ = std::exchange(other.oldBrush_, nullptr);
            oldPen_ = std::exchange(other.oldPen_, nullptr);
        }
        return *this;
    }
    ~MemoryDC() { Reset(); }

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

    // Selects a bitmap, font, brush or pen; the DC's original object of that kind is remembered
    // the first time and restored by Restore or the destructor.
    void Select(HGDIOBJ object) {
        if (!dc_ || !object) {
            return;
        }
        HGDIOBJ old = SelectObject(dc_, object);
        HGDIOBJ* slot = SlotFor(GetObjectType(object));
        if (slot && !*slot) {
            *slot = old;
        }
    }

    // Puts the original objects back, releasing whatever is selected now.
    void Restore() {
        if (!dc_) {
            return;
        }
        for (HGDIOBJ* slot : {&oldBitmap_, &oldFont_, &oldBrush_, &oldPen_}) {
            if (*slot) {
                SelectObject(dc_, *slot);
                *slot = nullptr;
            }
        }
    }

    void Reset() {
        if (dc_) {
            Restore();
            DeleteDC(dc_);
            dc_ = nullptr;
        }
    }

  private:
    HGDIOBJ* SlotFor(DWORD type) {
        switch (type) {
            case OBJ_BITMAP:
                return &oldBitmap_;
            case OBJ_FONT:
                return &oldFont_;
            case OBJ_BRUSH:
                return &oldBrush_;
            case OBJ_PEN:
            case OBJ_EXTPEN:
                return &oldPen_;
            default:
                return nullptr;
        }
    }

    HDC dc_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
};

// GetDC/ReleaseDC for the life of the guard. A null window gives the screen's DC.
class WindowDC {
  public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint for a WM_PAINT handler.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &ps_); }
    HDC Get() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }

  private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// A top-down 32-bit DIB section (BGRX, rows without padding) with its pixels in reach.
struct DibBitmap {
    OwnedBitmap bitmap;
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;

    explicit operator bool() const { return static_cast<bool>(bitmap); }
    std::uint32_t* Row(int y) const { return pixels + static_cast<std::size_t>(y) * width; }
};

// Nothing (an empty DibBitmap) when the size is not positive or the memory is not there.
inline DibBitmap CreateDib(int width, int height) {
    DibBitmap dib;
    if (width <= 0 || height <= 0 ||
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) >
            0x1FFFFFFFull) {
        return dib;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) {
            DeleteObject(bitmap);
        }
        return dib;
    }
    dib.bitmap.Reset(bitmap);
    dib.pixels = static_cast<std::uint32_t*>(bits);
    dib.width = width;
    dib.height = height;
    return dib;
}

using orvelle::DibPixel;

// A 0x00BBGGRR colour as GDI takes it.
inline COLORREF ToColorRef(Colour colour) {
    return static_cast<COLORREF>(colour & 0xFFFFFFu);
}

}  // namespace orvelle::win
