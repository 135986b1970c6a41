#include "app/preview_win.h"

#include <algorithm>
#include <cstddef>

#include "../../resources/resource.h"
#include "app/preview.h"
#include "base/gdi_win.h"
#include "saver/picture_decoder_win.h"

namespace orvelle::win {

namespace {

// Lets the messages queued for this thread run, as a pause for pending events would.
void YieldToPendingEvents() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    Sleep(0);
}

// The preview picture from the resources of `module` at its own size, transparent pixels in
// `background`. Empty when the module holds no readable picture.
DibBitmap DecodePreviewPicture(HMODULE module, Colour background) {
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(IDR_PREVIEW_GIF), MAKEINTRESOURCEW(10));
    if (!info) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (!data || size == 0) {
        return {};
    }
    // The resource stays mapped while the module is loaded, which outlasts the decoder.
    PictureDecoder decoder;
    if (!decoder.OpenMemory(data, size)) {
        return {};
    }
    return decoder.Decode({kPreviewPictureWidth, kPreviewPictureHeight}, background);
}

}  // namespace

HBITMAP CreatePreviewBitmap(HMODULE module) {
    DibBitmap surface = CreateDib(kPreviewCopyWidth, kPreviewCopyHeight);
    if (!surface) {
        return nullptr;
    }
    // The picture box's own background shows wherever the picture does not reach.
    const Colour face = GetSysColor(COLOR_BTNFACE);
    std::fill(surface.pixels,
              surface.pixels + static_cast<std::size_t>(surface.width) * surface.height,
              DibPixel(face));

    if (DibBitmap picture = DecodePreviewPicture(module, face)) {
        const int width = std::min(picture.width, surface.width);
        const int height = std::min(picture.height, surface.height);
        for (int y = 0; y < height; ++y) {
            std::copy(picture.Row(y), picture.Row(y) + width, surface.Row(y));
        }
    }
    GdiFlush();
    return surface.bitmap.Release();
}

int ShowPreview(const std::string& rawArguments) {
    OwnedBitmap bitmap(CreatePreviewBitmap(GetModuleHandleW(nullptr)));
    MemoryDC memory(nullptr);
    memory.Select(bitmap.Get());

    for (int i = 0; i < kPreviewYields; ++i) {
        YieldToPendingEvents();
    }

    // Handle 0 would give a context for the whole screen: there is no preview window to draw in.
    HWND window = reinterpret_cast<HWND>(static_cast<INT_PTR>(PreviewWindowHandle(rawArguments)));
    if (window && memory && bitmap) {
        if (WindowDC target(window); target) {
            BitBlt(target.Get(), 0, 0, kPreviewCopyWidth, kPreviewCopyHeight, memory.Get(), 0, 0,
                   SRCCOPY);
            // Reading a pixel back waits for the copy to reach the window: some display drivers
            // queue drawing, and the queue would be lost when the program ends right after.
            GetPixel(target.Get(), 0, 0);
        }
    }

    for (int i = 0; i < kPreviewYields; ++i) {
        YieldToPendingEvents();
    }
    return 0;
}

}  // namespace orvelle::win
