#include "saver/picture_decoder_win.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "base/com_win.h"
#include "base/wide_win.h"
#include "saver/area_scaler.h"
#include "saver/compositor.h"

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

    if (CanAreaScale(static_cast<int>(sourceWidth), static_cast<int>(sourceHeight), size.width,
                     size.height)) {
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

}  // namespace orvelle::win
