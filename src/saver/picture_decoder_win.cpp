#include "saver/picture_decoder_win.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <new>

#include "base/com_win.h"
#include "base/wide_win.h"

namespace orvelle::win {

namespace {

// The decoder-side scaling interface. Some SDK headers (mingw-w64's) leave it out, so it is
// declared here under our own name with the documented identity and method order.
struct NativeScaling : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                                 WICPixelFormatGUID* format,
                                                 WICBitmapTransformOptions transform, UINT stride,
                                                 UINT bufferSize, BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform,
                                                           BOOL* supported) = 0;
};
constexpr IID kNativeScalingId = {
    0x3B16811B, 0x6A43, 0x4ec9, {0xB7, 0x13, 0x3D, 0x5A, 0x0C, 0x13, 0xB9, 0x40}};

// The factory's class id, spelled out so the program needs no GUID library for it.
constexpr CLSID kImagingFactoryId = {
    0xcacaf262, 0x9370, 0x4615, {0xa1, 0x3b, 0x9f, 0x55, 0x39, 0xda, 0x4c, 0x0a}};

bool SameFormat(const WICPixelFormatGUID& a, const WICPixelFormatGUID& b) {
    return IsEqualGUID(a, b) != FALSE;
}

// Formats that carry no transparency at all: decoded straight to 32-bit BGR.
bool IsOpaqueFormat(const WICPixelFormatGUID& format) {
    static const std::array<const GUID*, 16> opaque = {
        &GUID_WICPixelFormat32bppBGR,    &GUID_WICPixelFormat24bppBGR,
        &GUID_WICPixelFormat24bppRGB,    &GUID_WICPixelFormat32bppRGB,
        &GUID_WICPixelFormat8bppGray,    &GUID_WICPixelFormat16bppGray,
        &GUID_WICPixelFormat4bppGray,    &GUID_WICPixelFormat2bppGray,
        &GUID_WICPixelFormatBlackWhite,  &GUID_WICPixelFormat16bppBGR555,
        &GUID_WICPixelFormat16bppBGR565, &GUID_WICPixelFormat48bppRGB,
        &GUID_WICPixelFormat48bppBGR,    &GUID_WICPixelFormat64bppRGB,
        &GUID_WICPixelFormat32bppCMYK,   &GUID_WICPixelFormat32bppBGR101010,
    };
    return std::any_of(opaque.begin(), opaque.end(),
                       [&](const GUID* g) { return SameFormat(format, *g); });
}

bool IsIndexedFormat(const WICPixelFormatGUID& format) {
    return SameFormat(format, GUID_WICPixelFormat1bppIndexed) ||
           SameFormat(format, GUID_WICPixelFormat2bppIndexed) ||
           SameFormat(format, GUID_WICPixelFormat4bppIndexed) ||
           SameFormat(format, GUID_WICPixelFormat8bppIndexed);
}

// How pixels with transparency are put over the background colour.
class Compositor {
  public:
    Compositor(std::uint32_t background, bool premultiplied)
        : premultiplied_(premultiplied), background_(background) {
        for (int alpha = 0; alpha < 256; ++alpha) {
            std::uint32_t shown = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                std::uint32_t channel = (background >> shift) & 0xFFu;
                shown |= ((channel * static_cast<std::uint32_t>(255 - alpha) + 127) / 255) << shift;
            }
            behind_[static_cast<std::size_t>(alpha)] = shown;
        }
    }

    void Apply(std::uint32_t* pixels, std::size_t count) const {
        for (std::size_t i = 0; i < count; ++i) {
            std::uint32_t p = pixels[i];
            std::uint32_t alpha = p >> 24;
            if (alpha == 255) {
                pixels[i] = p & 0xFFFFFFu;
            } else if (alpha == 0) {
                pixels[i] = background_;
            } else if (premultiplied_) {
                pixels[i] = (p & 0xFFFFFFu) + behind_[alpha];
            } else {
                std::uint32_t out = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    std::uint32_t channel = (p >> shift) & 0xFFu;
                    out |= ((channel * alpha + 127) / 255) << shift;
                }
                pixels[i] = out + behind_[alpha];
            }
        }
    }

  private:
    bool premultiplied_;
    std::uint32_t background_;
    std::array<std::uint32_t, 256> behind_{};
};

void FillPixels(std::uint32_t* pixels, std::size_t count, std::uint32_t value) {
    std::fill(pixels, pixels + count, value);
}

}  // namespace

struct PictureDecoder::Impl {
    bool comStarted = false;
    Com<IWICImagingFactory> factory;
    Com<IWICStream> stream;  // only for a picture in memory
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;

    bool EnsureFactory() {
        if (factory) {
            return true;
        }
        return SUCCEEDED(CoCreateInstance(kImagingFactoryId, nullptr, CLSCTX_INPROC_SERVER,
                                          IID_IWICImagingFactory, factory.OutVoid()));
    }

    // Reads the first frame of the decoder just made and its size. Nothing (and everything let
    // go) when there is no usable frame.
    std::optional<PixelSize> OpenFrame() {
        if (FAILED(decoder->GetFrame(0, frame.Out())) || FAILED(frame->GetSize(&width, &height)) ||
            width == 0 || height == 0 || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) {
            Close();
            return std::nullopt;
        }
        return PixelSize{static_cast<int>(width), static_cast<int>(height)};
    }

    void Close() {
        frame.Reset();
        decoder.Reset();
        stream.Reset();
        width = height = 0;
    }

    // Whether the frame may hold transparent pixels.
    bool HasTransparency() {
        WICPixelFormatGUID format{};
        if (FAILED(frame->GetPixelFormat(&format))) {
            return true;
        }
        if (IsOpaqueFormat(format)) {
            return false;
        }
        if (IsIndexedFormat(format)) {
            Com<IWICPalette> palette;
            if (FAILED(factory->CreatePalette(palette.Out()))) {
                return true;
            }
            if (FAILED(frame->CopyPalette(palette.Get())) &&
                FAILED(decoder->CopyPalette(palette.Get()))) {
                return false;
            }
            BOOL alpha = TRUE;
            return FAILED(palette->HasAlpha(&alpha)) || alpha != FALSE;
        }
        return true;
    }

    // A smaller copy of the frame decoded natively (JPEG: 1/2, 1/4, 1/8), the smallest one that
    // is still at least the target size; null when the decoder cannot shrink it.
    void NativeReduced(UINT targetWidth, UINT targetHeight, Com<IWICBitmap>& reduced,
                       UINT& reducedWidth, UINT& reducedHeight) {
        Com<NativeScaling> scaling;
        if (FAILED(frame->QueryInterface(kNativeScalingId, scaling.OutVoid())) || !scaling) {
            return;
        }
        for (UINT factor : {8u, 4u, 2u}) {
            UINT w = (width + factor - 1) / factor;
            UINT h = (height + factor - 1) / factor;
            if (w < targetWidth || h < targetHeight) {
                continue;
            }
            if (FAILED(scaling->GetClosestSize(&w, &h)) || w < targetWidth || h < targetHeight ||
                w >= width || h >= height) {
                continue;
            }
            WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
            if (FAILED(scaling->GetClosestPixelFormat(&format))) {
                return;
            }
            UINT bytesPerPixel = 0;
            if (SameFormat(format, GUID_WICPixelFormat32bppBGR) ||
                SameFormat(format, GUID_WICPixelFormat32bppBGRA) ||
                SameFormat(format, GUID_WICPixelFormat32bppPBGRA) ||
                SameFormat(format, GUID_WICPixelFormat32bppCMYK)) {
                bytesPerPixel = 4;
            } else if (SameFormat(format, GUID_WICPixelFormat24bppBGR) ||
                       SameFormat(format, GUID_WICPixelFormat24bppRGB)) {
                bytesPerPixel = 3;
            } else if (SameFormat(format, GUID_WICPixelFormat8bppGray)) {
                bytesPerPixel = 1;
            } else {
                return;
            }
            UINT stride = (w * bytesPerPixel + 3) & ~3u;
            std::vector<BYTE> buffer;
            try {
                buffer.resize(static_cast<std::size_t>(stride) * h);
            } catch (const std::bad_alloc&) {
                return;
            }
            if (FAILED(scaling->CopyPixels(nullptr, w, h, &format, WICBitmapTransformRotate0,
                                           stride, static_cast<UINT>(buffer.size()),
                                           buffer.data()))) {
                return;
            }
            if (FAILED(factory->CreateBitmapFromMemory(w, h, format, stride,
                                                       static_cast<UINT>(buffer.size()),
                                                       buffer.data(), reduced.Out()))) {
                return;
            }
            reducedWidth = w;
            reducedHeight = h;
            return;
        }
    }
};

PictureDecoder::PictureDecoder() : impl_(std::make_unique<Impl>()) {
    impl_->comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

PictureDecoder::~PictureDecoder() {
    Close();
    impl_->factory.Reset();
    if (impl_->comStarted) {
        CoUninitialize();
    }
}

void PictureDecoder::Close() {
    impl_->Close();
}

std::optional<PixelSize> PictureDecoder::Open(const std::string& path) {
    Close();
    if (path.empty() || !impl_->EnsureFactory()) {
        return std::nullopt;
    }
    std::wstring wide = Wide(path);
    // The decoder is picked by the file's content, so a JPEG named .jif or a BMP named .dib
    // loads like any other.
    if (FAILED(impl_->factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand,
                                                         impl_->decoder.Out()))) {
        Close();
        return std::nullopt;
    }
    return impl_->OpenFrame();
}

std::optional<PixelSize> PictureDecoder::OpenMemory(const void* data, std::size_t size) {
    Close();
    if (!data || size == 0 || !impl_->EnsureFactory()) {
        return std::nullopt;
    }
    if constexpr (sizeof(std::size_t) > sizeof(DWORD)) {
        // The stream takes a 32-bit length.
        if (size > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    // The stream only reads; it asks for a non-const pointer all the same.
    BYTE* bytes = static_cast<BYTE*>(const_cast<void*>(data));
    if (FAILED(impl_->factory->CreateStream(impl_->stream.Out())) ||
        FAILED(impl_->stream->InitializeFromMemory(bytes, static_cast<DWORD>(size))) ||
        FAILED(impl_->factory->CreateDecoderFromStream(
            impl_->stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, impl_->decoder.Out()))) {
        Close();
        return std::nullopt;
    }
    return impl_->OpenFrame();
}

DibBitmap PictureDecoder::Decode(const PixelSize& size, Colour background) {
    lastDecoded_ = {};
    Impl& d = *impl_;
    if (!d.frame || size.width <= 0 || size.height <= 0) {
        return {};
    }
    DibBitmap result = CreateDib(size.width, size.height);
    if (!result) {
        return {};
    }
    const std::uint32_t backgroundPixel = DibPixel(background);
    const auto targetWidth = static_cast<UINT>(size.width);
    const auto targetHeight = static_cast<UINT>(size.height);
    const bool transparent = d.HasTransparency();

    // Source: the frame itself, or a natively reduced copy of it.
    Com<IWICBitmap> reduced;
    UINT sourceWidth = d.width;
    UINT sourceHeight = d.height;
    if (targetWidth < d.width && targetHeight < d.height) {
        d.NativeReduced(targetWidth, targetHeight, reduced, sourceWidth, sourceHeight);
    }
    IWICBitmapSource* source = reduced ? static_cast<IWICBitmapSource*>(reduced.Get())
                                       : static_cast<IWICBitmapSource*>(d.frame.Get());

    Com<IWICFormatConverter> converter;
    bool premultiplied = false;
    if (FAILED(d.factory->CreateFormatConverter(converter.Out()))) {
        return {};
    }
    HRESULT converted = E_FAIL;
    if (transparent) {
        converted =
            converter->Initialize(source, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                  nullptr, 0.0, WICBitmapPaletteTypeCustom);
        premultiplied = SUCCEEDED(converted);
        if (FAILED(converted)) {
            converted =
                converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                      nullptr, 0.0, WICBitmapPaletteTypeCustom);
        }
    } else {
        converted =
            converter->Initialize(source, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                  nullptr, 0.0, WICBitmapPaletteTypeCustom);
    }
    if (FAILED(converted)) {
        FillPixels(result.pixels, static_cast<std::size_t>(size.width) * size.height,
                   backgroundPixel);
        return result;
    }
    const Compositor compositor(backgroundPixel, premultiplied);
    lastDecoded_ = {static_cast<int>(sourceWidth), static_cast<int>(sourceHeight)};

    if (sourceWidth == targetWidth && sourceHeight == targetHeight) {
        // Own size: straight into the bitmap.
        const std::size_t count = static_cast<std::size_t>(size.width) * size.height;
        const UINT stride = targetWidth * 4;
        if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(count * 4),
                                         reinterpret_cast<BYTE*>(result.pixels)))) {
            FillPixels(result.pixels, count, backgroundPixel);
        } else if (transparent) {
            compositor.Apply(result.pixels, count);
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                result.pixels[i] &= 0xFFFFFFu;
            }
        }
        return result;
    }

    if (sourceWidth >= targetWidth && sourceHeight >= targetHeight) {
        // Shrinking: read bands of rows and average them down.
        const std::size_t rowPixels = sourceWidth;
        // About a million pixels per band keeps the buffer small whatever the picture's size.
        const UINT bandRows = std::clamp<UINT>((1u << 20) / sourceWidth, 1u, sourceHeight);
        std::vector<std::uint32_t> band;
        try {
            band.resize(rowPixels * bandRows);
        } catch (const std::bad_alloc&) {
            return {};
        }
        AreaScaler scaler(static_cast<int>(sourceWidth), static_cast<int>(sourceHeight), size.width,
                          size.height);
        bool damaged = false;
        for (UINT top = 0; top < sourceHeight; top += bandRows) {
            const UINT rows = std::min(bandRows, sourceHeight - top);
            const std::size_t count = rowPixels * rows;
            if (!damaged) {
                WICRect rect{0, static_cast<INT>(top), static_cast<INT>(sourceWidth),
                             static_cast<INT>(rows)};
                damaged = FAILED(converter->CopyPixels(&rect, sourceWidth * 4,
                                                       static_cast<UINT>(count * 4),
                                                       reinterpret_cast<BYTE*>(band.data())));
            }
            if (damaged) {
                // What the file no longer yields is shown as background.
                FillPixels(band.data(), count, backgroundPixel);
            } else if (transparent) {
                compositor.Apply(band.data(), count);
            }
            for (UINT r = 0; r < rows; ++r) {
                scaler.AddRow(band.data() + r * rowPixels, result.pixels,
                              static_cast<std::size_t>(size.width));
            }
        }
        return result;
    }

    // Growing (at least along one side): decode at full size, then a halftone stretch.
    DibBitmap full = CreateDib(static_cast<int>(sourceWidth), static_cast<int>(sourceHeight));
    if (!full) {
        return {};
    }
    const std::size_t fullCount = static_cast<std::size_t>(sourceWidth) * sourceHeight;
    if (FAILED(converter->CopyPixels(nullptr, sourceWidth * 4, static_cast<UINT>(fullCount * 4),
                                     reinterpret_cast<BYTE*>(full.pixels)))) {
        FillPixels(full.pixels, fullCount, backgroundPixel);
    } else if (transparent) {
        compositor.Apply(full.pixels, fullCount);
    }
    MemoryDC from(nullptr);
    MemoryDC to(nullptr);
    from.Select(full.bitmap.Get());
    to.Select(result.bitmap.Get());
    SetStretchBltMode(to.Get(), HALFTONE);
    SetBrushOrgEx(to.Get(), 0, 0, nullptr);
    StretchBlt(to.Get(), 0, 0, size.width, size.height, from.Get(), 0, 0,
               static_cast<int>(sourceWidth), static_cast<int>(sourceHeight), SRCCOPY);
    GdiFlush();
    return result;
}

// --- AreaScaler ---
//
// Coordinates are scaled so that both grids are whole numbers: across, a source pixel is
// destWidth units wide and a destination pixel sourceWidth units; likewise down. Because the
// destination is never larger, a source pixel touches at most two destination pixels on each
// axis. Sums stay exact integers; one division per destination pixel and channel.

AreaScaler::AreaScaler(int sourceWidth, int sourceHeight, int destWidth, int destHeight)
    : sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight),
      destWidth_(destWidth),
      destHeight_(destHeight) {
    const auto sw = static_cast<std::uint64_t>(sourceWidth);
    const auto dw = static_cast<std::uint64_t>(destWidth);
    firstColumn_.resize(static_cast<std::size_t>(sourceWidth));
    firstWeight_.resize(static_cast<std::size_t>(sourceWidth));
    for (std::uint64_t c = 0; c < sw; ++c) {
        const std::uint64_t start = c * dw;
        const std::uint64_t column = start / sw;
        const std::uint64_t boundary = (column + 1) * sw;
        firstColumn_[c] = static_cast<std::uint32_t>(column);
        firstWeight_[c] = static_cast<std::uint32_t>(std::min(start + dw, boundary) - start);
    }
    rowSums_.assign(static_cast<std::size_t>(destWidth) * 3 + 3, 0);
    accumulated_.assign(static_cast<std::size_t>(destWidth) * 3, 0);
    scale_ = 1.0 / (static_cast<double>(sourceWidth) * static_cast<double>(sourceHeight));
}

void AreaScaler::AddRow(const std::uint32_t* row, std::uint32_t* dest, std::size_t destStride) {
    if (sourceRow_ >= sourceHeight_) {
        return;
    }
    // Across: each source pixel into its one or two destination columns.
    std::fill(rowSums_.begin(), rowSums_.end(), 0u);
    const std::uint32_t dw = static_cast<std::uint32_t>(destWidth_);
    std::uint32_t* sums = rowSums_.data();
    for (int c = 0; c < sourceWidth_; ++c) {
        const std::uint32_t p = row[c];
        const std::uint32_t b = p & 0xFFu;
        const std::uint32_t g = (p >> 8) & 0xFFu;
        const std::uint32_t r = (p >> 16) & 0xFFu;
        const std::uint32_t w1 = firstWeight_[static_cast<std::size_t>(c)];
        std::uint32_t* s = sums + firstColumn_[static_cast<std::size_t>(c)] * 3;
        if (w1 == dw) {
            s[0] += b * dw;
            s[1] += g * dw;
            s[2] += r * dw;
        } else {
            const std::uint32_t w2 = dw - w1;
            s[0] += b * w1;
            s[1] += g * w1;
            s[2] += r * w1;
            s[3] += b * w2;
            s[4] += g * w2;
            s[5] += r * w2;
        }
    }
    // Down: this row into the destination row being built, and maybe into the next.
    const auto sh = static_cast<std::uint64_t>(sourceHeight_);
    const auto dh = static_cast<std::uint64_t>(destHeight_);
    const std::uint64_t start = static_cast<std::uint64_t>(sourceRow_) * dh;
    const std::uint64_t boundary = (static_cast<std::uint64_t>(destRow_) + 1) * sh;
    const std::uint64_t end = start + dh;
    const std::size_t n = static_cast<std::size_t>(destWidth_) * 3;
    const std::uint64_t first = std::min(end, boundary) - start;
    for (std::size_t i = 0; i < n; ++i) {
        accumulated_[i] += static_cast<std::uint64_t>(sums[i]) * first;
    }
    if (end >= boundary) {
        EmitRow(dest, destStride);
        const std::uint64_t rest = end - boundary;
        for (std::size_t i = 0; i < n; ++i) {
            accumulated_[i] = static_cast<std::uint64_t>(sums[i]) * rest;
        }
    }
    ++sourceRow_;
}

void AreaScaler::EmitRow(std::uint32_t* dest, std::size_t destStride) {
    if (destRow_ >= destHeight_) {
        return;
    }
    std::uint32_t* out = dest + static_cast<std::size_t>(destRow_) * destStride;
    for (int x = 0; x < destWidth_; ++x) {
        const std::uint64_t* a = accumulated_.data() + static_cast<std::size_t>(x) * 3;
        const auto b = static_cast<std::uint32_t>(static_cast<double>(a[0]) * scale_ + 0.5);
        const auto g = static_cast<std::uint32_t>(static_cast<double>(a[1]) * scale_ + 0.5);
        const auto r = static_cast<std::uint32_t>(static_cast<double>(a[2]) * scale_ + 0.5);
        out[x] = std::min(b, 255u) | (std::min(g, 255u) << 8) | (std::min(r, 255u) << 16);
    }
    ++destRow_;
}

}  // namespace orvelle::win
