#include "app/preview_win.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "../../resources/resource.h"
#include "app/preview.h"

namespace orvelle::win {

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (ptr_) {
            ptr_->Release();
        }
    }
    T** Out() { return &ptr_; }
    T* operator->() const { return ptr_; }
    T* Get() const { return ptr_; }

  private:
    T* ptr_ = nullptr;
};

// Lets the messages queued for this thread run, as a pause for pending events would.
void YieldToPendingEvents() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Sleep(0);
}

struct DecodedPicture {
    UINT width = 0;
    UINT height = 0;
    std::vector<std::uint8_t> bgra;  // top-down rows, 4 bytes a pixel
};

// Decodes the first frame of the GIF held in memory into 32-bit BGRA pixels.
bool DecodePicture(const void* data, DWORD size, DecodedPicture& out) {
    ComRef<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out())))) {
        return false;
    }
    ComRef<IWICStream> stream;
    if (FAILED(factory->CreateStream(stream.Out())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(data)), size))) {
        return false;
    }
    ComRef<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out()))) {
        return false;
    }
    ComRef<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Out()))) {
        return false;
    }
    ComRef<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(converter.Out())) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom))) {
        return false;
    }
    if (FAILED(converter->GetSize(&out.width, &out.height)) || out.width == 0 || out.height == 0 ||
        out.width > 4096 || out.height > 4096) {
        return false;
    }
    out.bgra.resize(static_cast<size_t>(out.width) * out.height * 4);
    return SUCCEEDED(converter->CopyPixels(nullptr, out.width * 4,
                                           static_cast<UINT>(out.bgra.size()), out.bgra.data()));
}

bool LoadPreviewPicture(HMODULE module, DecodedPicture& out) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(IDR_PREVIEW_GIF), MAKEINTRESOURCEA(10));
    if (!info) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (!data || size == 0) {
        return false;
    }
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const bool decoded = DecodePicture(data, size, out);
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    return decoded;
}

}  // namespace

HBITMAP CreatePreviewBitmap(HMODULE module) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kPreviewCopyWidth;
    info.bmiHeader.biHeight = -kPreviewCopyHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        return nullptr;
    }

    // The picture box's own background shows wherever the picture does not reach.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t background = (static_cast<std::uint32_t>(GetRValue(face)) << 16) |
                                     (static_cast<std::uint32_t>(GetGValue(face)) << 8) |
                                     GetBValue(face);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < kPreviewCopyWidth * kPreviewCopyHeight; ++i) {
        pixels[i] = background;
    }

    DecodedPicture picture;
    if (LoadPreviewPicture(module, picture)) {
        const UINT width =
            picture.width < UINT(kPreviewCopyWidth) ? picture.width : UINT(kPreviewCopyWidth);
        const UINT height =
            picture.height < UINT(kPreviewCopyHeight) ? picture.height : UINT(kPreviewCopyHeight);
        for (UINT y = 0; y < height; ++y) {
            for (UINT x = 0; x < width; ++x) {
                const std::uint8_t* p =
                    &picture.bgra[(static_cast<size_t>(y) * picture.width + x) * 4];
                if (p[3] >= 128) {  // a transparent GIF pixel keeps the background
                    pixels[y * kPreviewCopyWidth + x] = p[0] |
                                                        (static_cast<std::uint32_t>(p[1]) << 8) |
                                                        (static_cast<std::uint32_t>(p[2]) << 16);
                }
            }
        }
    }
    GdiFlush();
    return bitmap;
}

int ShowPreview(const std::string& rawArguments) {
    HBITMAP bitmap = CreatePreviewBitmap(GetModuleHandleA(nullptr));
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = (memory && bitmap) ? SelectObject(memory, bitmap) : nullptr;

    for (int i = 0; i < kPreviewYields; ++i) {
        YieldToPendingEvents();
    }

    // Handle 0 would give a context for the whole screen: there is no preview window to draw in.
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(PreviewWindowHandle(rawArguments)));
    if (window && memory && bitmap) {
        if (HDC target = GetDC(window)) {
            BitBlt(target, 0, 0, kPreviewCopyWidth, kPreviewCopyHeight, memory, 0, 0, SRCCOPY);
            // Reading a pixel back waits for the copy to reach the window: some display drivers
            // queue drawing, and the queue would be lost when the program ends right after.
            GetPixel(target, 0, 0);
            ReleaseDC(window, target);
        }
    }

    for (int i = 0; i < kPreviewYields; ++i) {
        YieldToPendingEvents();
    }

    if (memory) {
        if (previous) {
            SelectObject(memory, previous);
        }
        DeleteDC(memory);
    }
    if (bitmap) {
        DeleteObject(bitmap);
    }
    return 0;
}

}  // namespace orvelle::win
