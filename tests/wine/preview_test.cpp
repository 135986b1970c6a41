// The /P run: the preview picture copied into a window that stands in for the display
// settings' preview box.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/preview.h"
#include "app/preview_win.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcA(window, message, w, l);
}

// A white window of its own, like the host's preview box, at a given screen position.
class HostWindow {
  public:
    HostWindow(int x, int y) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "OrvellePreviewHostTest";
        RegisterClassA(&wc);
        window_ =
            CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "preview host", WS_POPUP | WS_VISIBLE,
                            x, y, kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
        Pump(300);
    }
    ~HostWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

// Runs orvelle.scr with the arguments and waits for it to end, letting our window's messages
// run meanwhile (the program paints into it from outside).
DWORD RunPreview(const ProgramCopy& copy, const std::string& arguments) {
    Process preview = StartSaver(copy, arguments);
    DWORD code = 999;
    for (int i = 0; i < 200 && !preview.WaitExit(0, &code); ++i) {
        Pump(50);
    }
    EXPECT_FALSE(preview.Running()) << arguments;
    return code;
}

// Client pixels of a window, 0x00BBGGRR, as they are on screen.
std::vector<COLORREF> ScreenPixels(HWND window, int width, int height) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    std::vector<COLORREF> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(GetPixel(screen, origin.x + x, origin.y + y));
        }
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The preview surface as the program builds it, from the program file's own resources.
std::vector<COLORREF> SurfaceFrom(HMODULE module) {
    std::vector<COLORREF> pixels;
    HBITMAP bitmap = orvelle::win::CreatePreviewBitmap(module);
    EXPECT_NE(bitmap, nullptr);
    if (bitmap) {
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, bitmap);
        for (int y = 0; y < orvelle::kPreviewCopyHeight; ++y) {
            for (int x = 0; x < orvelle::kPreviewCopyWidth; ++x) {
                pixels.push_back(GetPixel(memory, x, y));
            }
        }
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(bitmap);
    }
    return pixels;
}

std::vector<COLORREF> PreviewSurfaceOf(const std::string& programFile) {
    HMODULE module = LoadLibraryExA(programFile.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(module, nullptr) << programFile;
    std::vector<COLORREF> pixels = SurfaceFrom(module);
    if (module) {
        FreeLibrary(module);
    }
    return pixels;
}

TEST(Preview, HandleIsTheNumberAfterTheFirstThreeCharacters) {
    EXPECT_EQ(orvelle::PreviewWindowHandle("/p 1234"), 1234);
    EXPECT_EQ(orvelle::PreviewWindowHandle("/P:5678"), 5678);
    EXPECT_EQ(orvelle::PreviewWindowHandle("/p   42x"), 42);
    EXPECT_EQ(orvelle::PreviewWindowHandle("/p"), 0);
    EXPECT_EQ(orvelle::PreviewWindowHandle("/p "), 0);
    EXPECT_EQ(orvelle::PreviewWindowHandle("/p abc"), 0);
    EXPECT_EQ(orvelle::PreviewWindowHandle(""), 0);
}

TEST(Preview, SurfaceHoldsThePictureOverTheButtonFace) {
    ProgramCopy copy;
    std::vector<COLORREF> surface = PreviewSurfaceOf(copy.Path("orvelle.scr"));
    ASSERT_EQ(surface.size(), size_t(orvelle::kPreviewCopyWidth * orvelle::kPreviewCopyHeight));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    auto at = [&](int x, int y) { return surface[y * orvelle::kPreviewCopyWidth + x]; };

    std::set<COLORREF> colours;
    for (int y = 0; y < orvelle::kPreviewPictureHeight; ++y) {
        for (int x = 0; x < orvelle::kPreviewPictureWidth; ++x) {
            colours.insert(at(x, y));
        }
    }
    EXPECT_GT(colours.size(), 50u) << "the picture was not decoded";
    for (int y = 0; y < orvelle::kPreviewCopyHeight; ++y) {
        for (int x = orvelle::kPreviewPictureWidth; x < orvelle::kPreviewCopyWidth; ++x) {
            ASSERT_EQ(at(x, y), face) << x << "," << y;
        }
    }
    for (int x = 0; x < orvelle::kPreviewCopyWidth; ++x) {
        ASSERT_EQ(at(x, orvelle::kPreviewCopyHeight - 1), face) << x;
    }
    // The front slide's white border, near its top-left corner.
    const COLORREF border = at(7, 20);
    EXPECT_GT(GetRValue(border), 230);
    EXPECT_GT(GetGValue(border), 230);
    EXPECT_GT(GetBValue(border), 230);

    // Without the picture among its resources (this test program) the surface is plain.
    std::vector<COLORREF> plain = SurfaceFrom(GetModuleHandleA(nullptr));
    EXPECT_EQ(std::set<COLORREF>(plain.begin(), plain.end()), std::set<COLORREF>{face});
}

TEST(Preview, DrawsThePictureIntoTheGivenWindowAndEnds) {
    ProgramCopy copy;
    std::vector<COLORREF> expected = PreviewSurfaceOf(copy.Path("orvelle.scr"));
    ASSERT_FALSE(expected.empty());
    HostWindow host(100, 80);
    const auto handle = static_cast<long long>(reinterpret_cast<INT_PTR>(host.Get()));
    EXPECT_EQ(RunPreview(copy, "/p " + std::to_string(handle)), 0u);

    std::vector<COLORREF> shown = ScreenPixels(host.Get(), kWidth, kHeight);
    int mismatches = 0;
    for (int y = 0; y < orvelle::kPreviewCopyHeight; ++y) {
        for (int x = 0; x < orvelle::kPreviewCopyWidth; ++x) {
            if (shown[y * kWidth + x] != expected[y * orvelle::kPreviewCopyWidth + x]) {
                ++mismatches;
            }
        }
    }
    EXPECT_EQ(mismatches, 0) << "top-left 160 x 120 differs from the preview picture; (0,0) is "
                             << std::hex << shown[0] << " not " << expected[0] << ", (80,60) "
                             << shown[60 * kWidth + 80] << " not "
                             << expected[60 * orvelle::kPreviewCopyWidth + 80];
    // Only 160 x 120 is copied: the rest of the window keeps its own white.
    EXPECT_EQ(shown[10 * kWidth + 180], RGB(255, 255, 255));
    EXPECT_EQ(shown[135 * kWidth + 10], RGB(255, 255, 255));
}

TEST(Preview, WithoutAHandleNothingIsPainted) {
    ProgramCopy copy;
    // Handle 0 must not mean "the screen": a window at the screen's corner stays white.
    HostWindow host(0, 0);
    EXPECT_EQ(RunPreview(copy, "/p"), 0u);
    std::vector<COLORREF> shown = ScreenPixels(host.Get(), kWidth, kHeight);
    for (size_t i = 0; i < shown.size(); ++i) {
        ASSERT_EQ(shown[i], RGB(255, 255, 255)) << "pixel " << i;
    }
}

}  // namespace
