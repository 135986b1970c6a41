#include "picture/picture_decoder_win.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <new>

#include "base/com_win.h"
#include "base/wide_win.h"
#include "picture/area_scaler.h"
#include "picture/compositor.h"
#include "picture/picture_decode_plan.h"
#include "picture/picture_orientation.h"

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

// The JPEG container, spelled out for the same reason.
constexpr GUID kJpegContainerId = {
    0x19e4a5aa, 0x5662, 0x4fc5, {0xa0, 0xc0, 0x17, 0x58, 0x02, 0x8e, 0x10, 0x57}};

// How much of a file's start is searched for its EXIF block (it comes before the pixels).
constexpr DWORD kHeadBytes = 256 * 1024;

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
    int orientation = 1;
    // A picture refused before the system decoded it: its size is known, its pixels never are.
    bool refused = false;

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
        orientation = 1;
        refused = false;
    }

    // Whether the system's JPEG decoder can shrink while it decodes (then it never holds the
    // whole picture). Asked once, of a tiny JPEG made in memory.
    bool JpegDecoderShrinks() {
        static int answer = -1;
        if (answer >= 0) {
            return answer == 1;
        }
        answer = 0;
        Com<IStream> memory;
        Com<IWICBitmapEncoder> encoder;
        Com<IWICBitmapFrameEncode> target;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.Out())) ||
            FAILED(factory->CreateEncoder(kJpegContainerId, nullptr, encoder.Out())) ||
            FAILED(encoder->Initialize(memory.Get(), WICBitmapEncoderNoCache)) ||
            FAILED(encoder->CreateNewFrame(target.Out(), nullptr)) ||
            FAILED(target->Initialize(nullptr)) || FAILED(target->SetSize(16, 16))) {
            return false;
        }
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        std::array<BYTE, 16 * 16 * 3> pixels{};
        LARGE_INTEGER start{};
        Com<IWICBitmapDecoder> probe;
        Com<IWICBitmapFrameDecode> probeFrame;
        Com<NativeScaling> scaling;
        if (FAILED(target->SetPixelFormat(&format)) ||
            !SameFormat(format, GUID_WICPixelFormat24bppBGR) ||
            FAILED(
                target->WritePixels(16, 16 * 3, static_cast<UINT>(pixels.size()), pixels.data())) ||
            FAILED(target->Commit()) || FAILED(encoder->Commit()) ||
            FAILED(memory->Seek(start, STREAM_SEEK_SET, nullptr)) ||
            FAILED(factory->CreateDecoderFromStream(memory.Get(), nullptr,
                                                    WICDecodeMetadataCacheOnDemand, probe.Out())) ||
            FAILED(probe->GetFrame(0, probeFrame.Out()))) {
            return false;
        }
        answer =
            SUCCEEDED(probeFrame->QueryInterface(kNativeScalingId, scaling.OutVoid())) && scaling
                ? 1
                : 0;
        return answer == 1;
    }

    // A JPEG too large for a system decoder that holds whole pictures is refused from its
    // header alone, before the system spends seconds and gigabytes on it.
    std::optional<PixelSize> RefuseIfBeyondSystem(const std::uint8_t* head, std::size_t headSize) {
        const std::optional<PixelSize> frameSize = JpegFrameSize(head, headSize);
        if (!frameSize || !JpegBeyondSystemDecoder(*frameSize, JpegDecoderShrinks())) {
            return std::nullopt;
        }
        refused = true;
        width = static_cast<UINT>(frameSize->width);
        height = static_cast<UINT>(frameSize->height);
        const int read = ExifOrientation(head, headSize);
        orientation = read >= 1 && read <= 8 ? read : 1;
        return UprightSize(*frameSize, orientation);
    }

    // The orientation a JPEG records: asked of the imaging component's metadata reader, else
    // read from the file's first bytes (not every system reads JPEG metadata).
    void ReadOrientation(const std::uint8_t* head, std::size_t headSize) {
        orientation = 1;
        GUID container{};
        if (FAILED(decoder->GetContainerFormat(&container)) ||
            IsEqualGUID(container, kJpegContainerId) == FALSE) {
            return;
        }
        Com<IWICMetadataQueryReader> reader;
        if (SUCCEEDED(frame->GetMetadataQueryReader(reader.Out())) && reader) {
            PROPVARIANT value;
            PropVariantInit(&value);
            if (SUCCEEDED(reader->GetMetadataByName(L"/app1/ifd/{ushort=274}", &value)) &&
                value.vt == VT_UI2 && value.uiVal >= 1 && value.uiVal <= 8) {
                orientation = value.uiVal;
            }
            PropVariantClear(&value);
            if (orientation != 1) {
                return;
            }
        }
        const int read = ExifOrientation(head, headSize);
        if (read >= 1 && read <= 8) {
            orientation = read;
        }
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
    // The file's first bytes: the JPEG frame size and orientation where the system reads none.
    std::vector<std::uint8_t> head;
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        head.resize(kHeadBytes);
        DWORD got = 0;
        if (!ReadFile(file, head.data(), kHeadBytes, &got, nullptr)) {
            got = 0;
        }
        head.resize(got);
        CloseHandle(file);
    }
    if (std::optional<PixelSize> refused = impl_->RefuseIfBeyondSystem(head.data(), head.size())) {
        return refused;
    }
    // The decoder is picked by the file's content, so a JPEG named .jif or a BMP named .dib
    // loads like any other.
    if (FAILED(impl_->factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand,
                                                         impl_->decoder.Out()))) {
        Close();
        return std::nullopt;
    }
    std::optional<PixelSize> size = impl_->OpenFrame();
    if (size) {
        impl_->ReadOrientation(head.data(), head.size());
        size = UprightSize(*size, impl_->orientation);
    }
    return size;
}

int PictureDecoder::Orientation() const {
    return impl_->orientation;
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
    const auto* head = static_cast<const std::uint8_t*>(data);
    if (std::optional<PixelSize> refused =
            impl_->RefuseIfBeyondSystem(head, std::min<std::size_t>(size, kHeadBytes))) {
        return refused;
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
    std::optional<PixelSize> opened = impl_->OpenFrame();
    if (opened) {
        impl_->ReadOrientation(static_cast<const std::uint8_t*>(data),
                               std::min<std::size_t>(size, kHeadBytes));
        opened = UprightSize(*opened, impl_->orientation);
    }
    return opened;
}

DibBitmap PictureDecoder::Decode(const PixelSize& size, Colour background) {
    lastDecoded_ = {};
    yieldedNothing_ = false;
    if (impl_->refused || !impl_->frame || size.width <= 0 || size.height <= 0) {
        return {};
    }
    const int orientation = impl_->orientation;
    // Decoded as stored, at the stored shape of the size asked for, then turned upright: the
    // turn then costs only the shown pixels.
    const PixelSize stored = UprightSize(size, orientation);
    try {
        DibBitmap picture = DecodeStored(stored, background);
        if (!picture || orientation == 1) {
            return picture;
        }
        DibBitmap upright = CreateDib(size.width, size.height);
        if (!upright) {
            return {};
        }
        GdiFlush();
        TurnUpright(picture.pixels, stored, orientation, upright.pixels);
        return upright;
    } catch (const std::bad_alloc&) {
        // The working rows of a picture beyond any memory: refused like any other too large.
        return {};
    }
}

DibBitmap PictureDecoder::DecodeStored(const PixelSize& size, Colour background) {
    Impl& d = *impl_;
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
    const DecodePlan plan =
        PlanPictureDecode({static_cast<int>(sourceWidth), static_cast<int>(sourceHeight)}, size);
    if (!plan.possible) {
        return {};
    }
    DibBitmap result = CreateDib(size.width, size.height);
    if (!result) {
        return {};
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
        // The header read, the pixels do not: no picture at all.
        yieldedNothing_ = true;
        return {};
    }
    const Compositor compositor(backgroundPixel, premultiplied);
    lastDecoded_ = {static_cast<int>(sourceWidth), static_cast<int>(sourceHeight)};

    // Reads rows [top, top + rows) into pixels. Once the file yields no more, the rest is
    // background; a file that yields not even its first rows has no picture at all.
    bool damaged = false;
    bool anyRows = false;
    auto readRows = [&](UINT top, UINT rows, std::uint32_t* pixels) {
        const std::size_t count = static_cast<std::size_t>(sourceWidth) * rows;
        if (!damaged) {
            WICRect rect{0, static_cast<INT>(top), static_cast<INT>(sourceWidth),
                         static_cast<INT>(rows)};
            damaged =
                FAILED(converter->CopyPixels(&rect, sourceWidth * 4, static_cast<UINT>(count * 4),
                                             reinterpret_cast<BYTE*>(pixels)));
            anyRows = anyRows || !damaged;
        }
        if (damaged) {
            // What the file no longer yields is shown as background.
            FillPixels(pixels, count, backgroundPixel);
        } else if (transparent) {
            compositor.Apply(pixels, count);
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                pixels[i] &= 0xFFFFFFu;
            }
        }
    };
    auto finish = [&](DibBitmap&& picture) -> DibBitmap {
        if (!anyRows) {
            yieldedNothing_ = true;
            return {};
        }
        return std::move(picture);
    };

    if (plan.banded) {
        // Shrinking: read bands of rows and average them down.
        const std::size_t rowPixels = sourceWidth;
        const auto bandRows = static_cast<UINT>(plan.bandRows);
        std::vector<std::uint32_t> band(rowPixels * bandRows);
        AreaScaler scaler(static_cast<int>(sourceWidth), static_cast<int>(sourceHeight), size.width,
                          size.height);
        for (UINT top = 0; top < sourceHeight; top += bandRows) {
            const UINT rows = std::min(bandRows, sourceHeight - top);
            readRows(top, rows, band.data());
            for (UINT r = 0; r < rows; ++r) {
                scaler.AddRow(band.data() + r * rowPixels, result.pixels,
                              static_cast<std::size_t>(size.width));
            }
            if (damaged && !anyRows) {
                break;
            }
            if (!KeepGoing()) {
                return {};
            }
        }
        return finish(std::move(result));
    }

    // The whole source at its own size, read in bands straight into a bitmap.
    const bool ownSize = sourceWidth == targetWidth && sourceHeight == targetHeight;
    DibBitmap full;
    if (!ownSize) {
        full = CreateDib(static_cast<int>(sourceWidth), static_cast<int>(sourceHeight));
        if (!full) {
            return {};
        }
    }
    DibBitmap& whole = ownSize ? result : full;
    const UINT bandRows = std::clamp<UINT>(
        static_cast<UINT>(kBandPixels / std::max<UINT>(sourceWidth, 1)), 1u, sourceHeight);
    GdiFlush();
    for (UINT top = 0; top < sourceHeight; top += bandRows) {
        const UINT rows = std::min(bandRows, sourceHeight - top);
        readRows(top, rows, whole.Row(static_cast<int>(top)));
        if (damaged && !anyRows) {
            break;
        }
        if (top + rows < sourceHeight && !KeepGoing()) {
            return {};
        }
    }
    if (ownSize) {
        return finish(std::move(result));
    }

    // Growing (at least along one side): a halftone stretch from the whole source.
    MemoryDC from(nullptr);
    MemoryDC to(nullptr);
    from.Select(full.bitmap.Get());
    to.Select(result.bitmap.Get());
    SetStretchBltMode(to.Get(), HALFTONE);
    SetBrushOrgEx(to.Get(), 0, 0, nullptr);
    StretchBlt(to.Get(), 0, 0, size.width, size.height, from.Get(), 0, 0,
               static_cast<int>(sourceWidth), static_cast<int>(sourceHeight), SRCCOPY);
    GdiFlush();
    return finish(std::move(result));
}

}  // namespace orvelle::win
