#include "picture/picture_decoder_win.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <array>
#include <new>
#include <optional>
#include <vector>

#include "base/com_win.h"
#include "base/wide_win.h"
#include "picture/area_scaler.h"
#include "picture/picture_codecs_win.h"
#include "picture/compositor.h"
#include "picture/picture_decode_plan.h"
#include "picture/picture_header.h"
#include "picture/photo_facts_win.h"
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

// Bytes a pixel takes in the formats a natively reduced copy is taken in; 0 for any other.
UINT ReducedBytesPerPixel(const WICPixelFormatGUID& format) {
    if (SameFormat(format, GUID_WICPixelFormat32bppBGR) ||
        SameFormat(format, GUID_WICPixelFormat32bppBGRA) ||
        SameFormat(format, GUID_WICPixelFormat32bppPBGRA) ||
        SameFormat(format, GUID_WICPixelFormat32bppCMYK)) {
        return 4;
    }
    if (SameFormat(format, GUID_WICPixelFormat24bppBGR) ||
        SameFormat(format, GUID_WICPixelFormat24bppRGB)) {
        return 3;
    }
    return SameFormat(format, GUID_WICPixelFormat8bppGray) ? 1 : 0;
}

// What a system decoder that holds whole pictures may be given on this machine.
const WholeDecodeLimit& MachineWholeDecodeLimit() {
    static const WholeDecodeLimit limit = [] {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        return WholeDecodeLimitFor(GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0);
    }();
    return limit;
}

// A file's first bytes (the header, the JPEG frame size and orientation where the system reads
// none) and its length.
struct FileHead {
    std::vector<std::uint8_t> bytes;
    std::uint64_t fileBytes = 0;
};

// A file opened for reading, closed with the scope.
class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

FileHead ReadHead(const std::wstring& path) {
    FileHead head;
    const ReadOnlyFile file(path);
    if (!file) {
        return head;
    }
    LARGE_INTEGER length{};
    if (GetFileSizeEx(file.Get(), &length) && length.QuadPart > 0) {
        head.fileBytes = static_cast<std::uint64_t>(length.QuadPart);
    }
    head.bytes.resize(kHeadBytes);
    DWORD got = 0;
    if (!ReadFile(file.Get(), head.bytes.data(), kHeadBytes, &got, nullptr)) {
        got = 0;
    }
    head.bytes.resize(got);
    return head;
}

// Reads rows of a picture as 32-bit pixels: opaque pictures as they are, transparent ones put
// over the background. Once the file yields no more rows the rest is background.
class RowReader {
  public:
    RowReader(IWICImagingFactory* factory, IWICBitmapSource* source, UINT width, bool transparent,
              std::uint32_t background)
        : width_(width), transparent_(transparent), background_(background) {
        if (FAILED(factory->CreateFormatConverter(converter_.Out()))) {
            return;
        }
        const auto convert = [&](const GUID& format) {
            return SUCCEEDED(converter_->Initialize(source, format, WICBitmapDitherTypeNone,
                                                    nullptr, 0.0, WICBitmapPaletteTypeCustom));
        };
        bool premultiplied = false;
        if (!transparent) {
            ready_ = convert(GUID_WICPixelFormat32bppBGR);
        } else if (convert(GUID_WICPixelFormat32bppPBGRA)) {
            ready_ = premultiplied = true;
        } else {
            ready_ = convert(GUID_WICPixelFormat32bppBGRA);
        }
        compositor_.emplace(background, premultiplied);
    }
    // False when the pixels cannot be read in 32 bits at all.
    bool Ready() const { return ready_; }
    // True when the file gave not even its first rows.
    bool YieldedNothing() const { return damaged_ && !anyRows_; }

    void Read(UINT top, UINT rows, std::uint32_t* pixels) {
        const std::size_t count = static_cast<std::size_t>(width_) * rows;
        if (!damaged_) {
            WICRect rect{0, static_cast<INT>(top), static_cast<INT>(width_),
                         static_cast<INT>(rows)};
            damaged_ = FAILED(converter_->CopyPixels(
                &rect, width_ * 4, static_cast<UINT>(count * 4), reinterpret_cast<BYTE*>(pixels)));
            anyRows_ = anyRows_ || !damaged_;
        }
        if (damaged_) {
            std::fill(pixels, pixels + count, background_);
        } else if (transparent_) {
            compositor_->Apply(pixels, count);
        } else {
            for (std::size_t i = 0; i < count; ++i) {
                pixels[i] &= 0xFFFFFFu;
            }
        }
    }

  private:
    Com<IWICFormatConverter> converter_;
    std::optional<Compositor> compositor_;
    UINT width_;
    bool transparent_;
    std::uint32_t background_;
    bool ready_ = false;
    bool damaged_ = false;
    bool anyRows_ = false;
};

// Grows a whole source picture to the result's size with a halftone stretch.
void StretchWhole(const DibBitmap& whole, DibBitmap& result) {
    MemoryDC from(nullptr);
    MemoryDC to(nullptr);
    from.Select(whole.bitmap.Get());
    to.Select(result.bitmap.Get());
    SetStretchBltMode(to.Get(), HALFTONE);
    SetBrushOrgEx(to.Get(), 0, 0, nullptr);
    StretchBlt(to.Get(), 0, 0, result.width, result.height, from.Get(), 0, 0, whole.width,
               whole.height, SRCCOPY);
    GdiFlush();
}

// Shrinking: bands of rows averaged down as they come. False when stopped or nothing came.
template <typename KeepGoing>
bool ReadShrinking(RowReader& reader, PixelSize source, int bandRows, DibBitmap& result,
                   KeepGoing&& keepGoing) {
    const auto width = static_cast<std::size_t>(source.width);
    const auto height = static_cast<UINT>(source.height);
    const auto rowsPerBand = static_cast<UINT>(bandRows);
    std::vector<std::uint32_t> band(width * rowsPerBand);
    AreaScaler scaler(source.width, source.height, result.width, result.height);
    for (UINT top = 0; top < height; top += rowsPerBand) {
        const UINT rows = std::min(rowsPerBand, height - top);
        reader.Read(top, rows, band.data());
        for (UINT r = 0; r < rows; ++r) {
            scaler.AddRow(band.data() + r * width, result.pixels,
                          static_cast<std::size_t>(result.width));
        }
        if (reader.YieldedNothing()) {
            return false;
        }
        if (!keepGoing()) {
            return false;
        }
    }
    return true;
}

// The whole source at its own size, read in bands straight into a bitmap, then grown to the
// result where it is smaller. False when stopped or nothing came.
template <typename KeepGoing>
bool ReadWhole(RowReader& reader, PixelSize source, DibBitmap& result, KeepGoing&& keepGoing) {
    const bool ownSize = source == PixelSize{result.width, result.height};
    DibBitmap full;
    if (!ownSize) {
        full = CreateDib(source.width, source.height);
        if (!full) {
            return false;
        }
    }
    DibBitmap& whole = ownSize ? result : full;
    const auto height = static_cast<UINT>(source.height);
    const UINT bandRows = std::clamp<UINT>(
        static_cast<UINT>(kBandPixels / static_cast<UINT>(std::max(source.width, 1))), 1u, height);
    GdiFlush();
    for (UINT top = 0; top < height; top += bandRows) {
        const UINT rows = std::min(bandRows, height - top);
        reader.Read(top, rows, whole.Row(static_cast<int>(top)));
        if (reader.YieldedNothing()) {
            return false;
        }
        if (top + rows < height && !keepGoing()) {
            return false;
        }
    }
    if (!ownSize) {
        StretchWhole(full, result);
    }
    return true;
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
    // What the file's own EXIF block holds, for systems whose metadata reader reads none.
    PhotoFacts exif;
    // A picture refused before the system decoded it: its size is known, its pixels never are.
    bool refused = false;

    bool EnsureFactory() {
        if (factory) {
            return true;
        }
        return CreateImagingFactory(factory);
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
        exif = {};
        refused = false;
    }

    // Whether the system's JPEG decoder can shrink while it decodes (then it never holds the
    // whole picture). Asked once, of a tiny JPEG made in memory.
    bool JpegDecoderShrinks() {
        static const bool shrinks = ProbeJpegShrinking();
        return shrinks;
    }
    bool ProbeJpegShrinking();
    bool WriteProbeJpeg(IStream* memory);

    // True when a picture of this size must never reach the system's decoder: its header claims
    // more than its file holds, or the decoder would hold it whole beyond what the machine
    // allows.
    bool Refuses(const PictureHeader& header, std::uint64_t w, std::uint64_t h,
                 std::uint64_t fileBytes) {
        if (ClaimsMoreThanItHolds(header, w, h, fileBytes)) {
            return true;
        }
        const bool shrinks = header.format == PictureFormat::Jpeg && JpegDecoderShrinks();
        return !shrinks && BeyondWholeDecoder(w, h, MachineWholeDecodeLimit());
    }

    // Refuses the picture of this stored size: nothing is decoded, everything is let go, the
    // upright size stays known (nothing when it is beyond any size).
    std::optional<PixelSize> Refuse(std::uint64_t w, std::uint64_t h, const std::uint8_t* head,
                                    std::size_t headSize) {
        Close();
        if (w > 0x7FFFFFFFu || h > 0x7FFFFFFFu) {
            return std::nullopt;
        }
        refused = true;
        width = static_cast<UINT>(w);
        height = static_cast<UINT>(h);
        const int read = ExifOrientation(head, headSize);
        orientation = read >= 1 && read <= 8 ? read : 1;
        return UprightSize({static_cast<int>(w), static_cast<int>(h)}, orientation);
    }

    // Opens the first frame of what the decoder was made from, refusing it by the size the
    // system reads where the header did not tell. Nothing when it is not a picture.
    std::optional<PixelSize> OpenChecked(const PictureHeader& header, const std::uint8_t* head,
                                         std::size_t headSize, std::uint64_t fileBytes) {
        std::optional<PixelSize> size = OpenFrame();
        if (!size) {
            return std::nullopt;
        }
        if (Refuses(header, width, height, fileBytes)) {
            return Refuse(width, height, head, headSize);
        }
        ReadOrientation(head, headSize);
        exif = ExifFacts(head, headSize);
        return UprightSize(*size, orientation);
    }

    void ReadOrientation(const std::uint8_t* head, std::size_t headSize);
    bool HasTransparency();
    // A smaller copy of the frame decoded natively (JPEG: 1/2, 1/4, 1/8), the smallest one that
    // is still at least the target size and fits the budget; null when there is none.
    void NativeReduced(UINT targetWidth, UINT targetHeight, Com<IWICBitmap>& reduced,
                       UINT& reducedWidth, UINT& reducedHeight);
    bool CopyReduced(NativeScaling* scaling, UINT w, UINT h, std::uint64_t room,
                     Com<IWICBitmap>& reduced);
};

bool PictureDecoder::Impl::WriteProbeJpeg(IStream* memory) {
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> target;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    std::array<BYTE, 16 * 16 * 3> pixels{};
    return SUCCEEDED(factory->CreateEncoder(kJpegContainerId, nullptr, encoder.Out())) &&
           SUCCEEDED(encoder->Initialize(memory, WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(target.Out(), nullptr)) &&
           SUCCEEDED(target->Initialize(nullptr)) && SUCCEEDED(target->SetSize(16, 16)) &&
           SUCCEEDED(target->SetPixelFormat(&format)) &&
           SameFormat(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(
               target->WritePixels(16, 16 * 3, static_cast<UINT>(pixels.size()), pixels.data())) &&
           SUCCEEDED(target->Commit()) && SUCCEEDED(encoder->Commit());
}

bool PictureDecoder::Impl::ProbeJpegShrinking() {
    Com<IStream> memory;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.Out())) ||
        !WriteProbeJpeg(memory.Get())) {
        return false;
    }
    LARGE_INTEGER start{};
    Com<IWICBitmapDecoder> probe;
    Com<IWICBitmapFrameDecode> probeFrame;
    Com<NativeScaling> scaling;
    if (FAILED(memory->Seek(start, STREAM_SEEK_SET, nullptr)) ||
        FAILED(factory->CreateDecoderFromStream(memory.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, probe.Out())) ||
        FAILED(probe->GetFrame(0, probeFrame.Out()))) {
        return false;
    }
    return SUCCEEDED(probeFrame->QueryInterface(kNativeScalingId, scaling.OutVoid())) &&
           static_cast<bool>(scaling);
}

// The orientation a JPEG records: asked of the imaging component's metadata reader, else read
// from the file's first bytes (not every system reads JPEG metadata).
void PictureDecoder::Impl::ReadOrientation(const std::uint8_t* head, std::size_t headSize) {
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
bool PictureDecoder::Impl::HasTransparency() {
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

void PictureDecoder::Impl::NativeReduced(UINT targetWidth, UINT targetHeight,
                                         Com<IWICBitmap>& reduced, UINT& reducedWidth,
                                         UINT& reducedHeight) {
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
        // The copy is held beside the result: together they keep to the decode budget.
        const std::uint64_t result = std::uint64_t{targetWidth} * targetHeight * 4;
        const std::uint64_t room = result < kDecodeBudgetBytes ? kDecodeBudgetBytes - result : 0;
        if (CopyReduced(scaling.Get(), w, h, room, reduced)) {
            reducedWidth = w;
            reducedHeight = h;
        }
        return;
    }
}

bool PictureDecoder::Impl::CopyReduced(NativeScaling* scaling, UINT w, UINT h, std::uint64_t room,
                                       Com<IWICBitmap>& reduced) {
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    if (FAILED(scaling->GetClosestPixelFormat(&format))) {
        return false;
    }
    const UINT bytesPerPixel = ReducedBytesPerPixel(format);
    const std::uint64_t stride = (static_cast<std::uint64_t>(w) * bytesPerPixel + 3) & ~3ull;
    // Held twice for a moment: the pixels read, and the bitmap made from them.
    const std::uint64_t bytes = stride * h;
    if (bytesPerPixel == 0 || 2 * bytes > room) {
        return false;
    }
    std::vector<BYTE> buffer;
    try {
        buffer.resize(static_cast<std::size_t>(bytes));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const auto bufferSize = static_cast<UINT>(buffer.size());
    return SUCCEEDED(scaling->CopyPixels(nullptr, w, h, &format, WICBitmapTransformRotate0,
                                         static_cast<UINT>(stride), bufferSize, buffer.data())) &&
           SUCCEEDED(factory->CreateBitmapFromMemory(w, h, format, static_cast<UINT>(stride),
                                                     bufferSize, buffer.data(), reduced.Out()));
}

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
    const std::wstring wide = Wide(path);
    const FileHead head = ReadHead(wide);
    const PictureHeader header = ReadPictureHeader(head.bytes.data(), head.bytes.size());
    if (header.width > 0 && impl_->Refuses(header, header.width, header.height, head.fileBytes)) {
        // Refused from its header alone, before the system spends seconds and gigabytes on it.
        return impl_->Refuse(header.width, header.height, head.bytes.data(), head.bytes.size());
    }
    // The decoder is picked by the file's content, so a JPEG named .jif or a BMP named .dib
    // loads like any other.
    if (FAILED(impl_->factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                         WICDecodeMetadataCacheOnDemand,
                                                         impl_->decoder.Out()))) {
        Close();
        return std::nullopt;
    }
    return impl_->OpenChecked(header, head.bytes.data(), head.bytes.size(), head.fileBytes);
}

int PictureDecoder::Orientation() const {
    return impl_->orientation;
}

PhotoFacts PictureDecoder::ReadFacts(const std::string& path) const {
    return ReadPhotoFacts(impl_->frame.Get(), path, impl_->exif);
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
    const std::size_t headSize = std::min<std::size_t>(size, kHeadBytes);
    const PictureHeader header = ReadPictureHeader(head, headSize);
    if (header.width > 0 && impl_->Refuses(header, header.width, header.height, size)) {
        return impl_->Refuse(header.width, header.height, head, headSize);
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
    return impl_->OpenChecked(header, head, headSize, size);
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
    // Source: the frame itself, or a natively reduced copy of it.
    Com<IWICBitmap> reduced;
    PixelSize source{static_cast<int>(d.width), static_cast<int>(d.height)};
    UINT reducedWidth = d.width;
    UINT reducedHeight = d.height;
    if (size.width < source.width && size.height < source.height) {
        d.NativeReduced(static_cast<UINT>(size.width), static_cast<UINT>(size.height), reduced,
                        reducedWidth, reducedHeight);
        source = {static_cast<int>(reducedWidth), static_cast<int>(reducedHeight)};
    }
    const DecodePlan plan = PlanPictureDecode(source, size);
    if (!plan.possible) {
        return {};
    }
    DibBitmap result = CreateDib(size.width, size.height);
    if (!result) {
        return {};
    }
    IWICBitmapSource* from = reduced ? static_cast<IWICBitmapSource*>(reduced.Get())
                                     : static_cast<IWICBitmapSource*>(d.frame.Get());
    RowReader reader(d.factory.Get(), from, static_cast<UINT>(source.width), d.HasTransparency(),
                     DibPixel(background));
    if (!reader.Ready()) {
        // The header read, the pixels do not: no picture at all.
        yieldedNothing_ = true;
        return {};
    }
    lastDecoded_ = source;
    const auto keepGoing = [this] { return KeepGoing(); };
    const bool finished = plan.banded
                              ? ReadShrinking(reader, source, plan.bandRows, result, keepGoing)
                              : ReadWhole(reader, source, result, keepGoing);
    if (reader.YieldedNothing()) {
        yieldedNothing_ = true;
        return {};
    }
    return finished ? std::move(result) : DibBitmap{};
}

}  // namespace orvelle::win
