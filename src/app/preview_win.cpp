#include "app/preview_win.h"

#include <algorithm>
#include <cstddef>

#include "../../resources/resource.h"
#include "app/preview.h"
#include "base/gdi_win.h"
#include "base/window_win.h"
#include "picture/picture_decoder_win.h"

namespace orvelle::win {

namespace {

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

namespace {

constexpr wchar_t kPreviewClass[] = L"OrvellePreview";
constexpr UINT_PTR kFollowHostTimer = 1;

// The preview as a child of the host's preview box, as Windows' own savers draw theirs: it fills
// the box at any size, draws the picture whenever the box is painted, and ends the program when
// the host destroys the box.
class PreviewWindow final : public Window {
  public:
    PreviewWindow(HINSTANCE instance, HMODULE pictures, HWND host) : host_(host) {
        bitmap_ = OwnedBitmap(CreatePreviewBitmap(pictures));
        memory_ = MemoryDC(nullptr);
        memory_.Select(bitmap_.Get());
        RegisterWindowClass(
            instance, {kPreviewClass, 0, LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)), nullptr});
        Create(instance, kPreviewClass, 0, WS_CHILD | WS_VISIBLE, HostArea(), host,
               L"Orvelle Screen Saver");
        if (IsAlive()) {
            SetTimer(Handle(), kFollowHostTimer, 250, nullptr);
        }
    }
    ~PreviewWindow() override { Destroy(); }

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_PAINT: {
                PaintScope paint(Handle());
                RECT client;
                GetClientRect(Handle(), &client);
                HDC dc = paint.Get();
                SetStretchBltMode(dc, HALFTONE);
                SetBrushOrgEx(dc, 0, 0, nullptr);
                StretchBlt(dc, 0, 0, client.right, client.bottom, memory_.Get(), 0, 0,
                           kPreviewPictureWidth, kPreviewPictureHeight, SRCCOPY);
                return 0;
            }
            case WM_ERASEBKGND:
                return 1;
            case WM_TIMER: {
                // A host that resized its box, or went without destroying it, is followed.
                if (!IsWindow(host_)) {
                    Destroy();
                    return 0;
                }
                const RECT area = HostArea();
                RECT mine;
                GetClientRect(Handle(), &mine);
                if (mine.right != area.right || mine.bottom != area.bottom) {
                    MoveWindow(Handle(), 0, 0, area.right, area.bottom, TRUE);
                }
                return 0;
            }
            default:
                return Window::HandleMessage(message, wParam, lParam);
        }
    }
    void OnDestroyed() override { PostQuitMessage(0); }

  private:
    RECT HostArea() const {
        RECT area{};
        GetClientRect(host_, &area);
        return area;
    }
    HWND host_;
    OwnedBitmap bitmap_;
    MemoryDC memory_;
};

}  // namespace

int ShowPreview(const std::string& rawArguments, HMODULE pictures) {
    // Handle 0 would mean the desktop: there is no preview box to draw in.
    HWND host = reinterpret_cast<HWND>(static_cast<INT_PTR>(PreviewWindowHandle(rawArguments)));
    if (!host || !IsWindow(host)) {
        return 0;
    }
    PreviewWindow preview(GetModuleHandleW(nullptr),
                          pictures ? pictures : GetModuleHandleW(nullptr), host);
    if (!preview.IsAlive()) {
        return 0;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace orvelle::win
