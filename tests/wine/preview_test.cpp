// The /P run: the preview picture copied into a window that stands in for the display
// settings' preview box.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
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

// A white window of its own, like the host's preview box, at a given screen position and size.
class HostWindow {
  public:
    HostWindow(int x, int y, int width = kWidth, int height = kHeight) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PlainWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "OrvellePreviewHostTest";
        RegisterClassA(&wc);
        window_ = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "preview host",
                                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                                  nullptr, nullptr, wc.hInstance, nullptr);
        UpdateWindow(window_);
        // On the screen, white: its corners and its middle.
        const int right = x + width - 1;
        const int bottom = y + height - 1;
        const COLORREF white = RGB(255, 255, 255);
        EXPECT_TRUE(ScreenBecomes({{x, y, white, 0},
                                   {right, y, white, 0},
                                   {x, bottom, white, 0},
                                   {right, bottom, white, 0},
                                   {x + width / 2, y + height / 2, white, 0}}));
    }
    ~HostWindow() {
        if (IsWindow(window_)) {
            DestroyWindow(window_);
        }
    }
    HWND Get() const { return window_; }

  private:
    HWND window_ = nullptr;
};

// Runs orvelle.scr with the arguments and waits for it to end, letting our window's messages
// run meanwhile (the program paints into it from outside).
DWORD RunPreview(const ProgramCopy& copy, const std::string& arguments) {
    Process preview = StartSaver(copy, arguments);
    DWORD code = 999;
    preview.WaitExit(kPatience, &code);
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

// The real program puts its preview window into the host's box at the box's size, and ends
// when the host destroys the box.
TEST(Preview, ChildFillsTheBoxAndItsProgramEndsWithIt) {
    ProgramCopy copy;
    for (SIZE size : {SIZE{152, 112}, SIZE{304, 224}}) {
        HostWindow host(100, 80, size.cx, size.cy);
        const auto handle = static_cast<long long>(reinterpret_cast<INT_PTR>(host.Get()));
        Process preview = StartSaver(copy, "/p " + std::to_string(handle));
        HWND child = nullptr;
        WaitUntil([&] {
            return (child = FindWindowExW(host.Get(), nullptr, L"OrvellePreview", nullptr));
        });
        ASSERT_NE(child, nullptr) << size.cx;
        RECT client{};
        GetClientRect(child, &client);
        EXPECT_EQ(client.right, size.cx);
        EXPECT_EQ(client.bottom, size.cy);
        EXPECT_TRUE(preview.Running());
        DestroyWindow(host.Get());
        EXPECT_TRUE(preview.WaitExit(kPatience)) << size.cx;
    }
}

// What the preview window draws, watched in this process (Wine does not show what another
// process draws into a child of our window): the picture fills the box at either size, and is
// drawn again after the box was covered.
TEST(Preview, DrawsThePictureOverTheWholeBoxAndAgainWhenUncovered) {
    ProgramCopy copy;
    HMODULE program =
        LoadLibraryExA(copy.Path("orvelle.scr").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    std::vector<COLORREF> source = SurfaceFrom(program);
    // The picture's middle, which any stretch of it keeps.
    const COLORREF middle =
        source[(orvelle::kPreviewPictureHeight / 2) * orvelle::kPreviewCopyWidth +
               orvelle::kPreviewPictureWidth / 2];
    for (SIZE size : {SIZE{152, 112}, SIZE{304, 224}}) {
        HostWindow host(100, 80, size.cx, size.cy);
        const std::string arguments =
            "/p " + std::to_string(static_cast<long long>(reinterpret_cast<INT_PTR>(host.Get())));
        std::thread runner([&] { orvelle::win::ShowPreview(arguments, program); });
        auto pictureShown = [&] {
            std::vector<COLORREF> shown = ScreenPixels(host.Get(), size.cx, size.cy);
            const COLORREF white = RGB(255, 255, 255);
            return ColourNear(shown[(size.cy / 2) * size.cx + size.cx / 2], middle, 24) &&
                   shown.front() != white && shown.back() != white;
        };
        auto expectPicture = [&](const char* when) {
            WaitUntil(pictureShown);
            std::vector<COLORREF> shown = ScreenPixels(host.Get(), size.cx, size.cy);
            EXPECT_TRUE(ColourNear(shown[(size.cy / 2) * size.cx + size.cx / 2], middle, 24))
                << size.cx << " " << when;
            for (LONG at : {0L, size.cx - 1, (size.cy - 1) * size.cx, size.cy * size.cx - 1}) {
                EXPECT_NE(shown[static_cast<size_t>(at)], RGB(255, 255, 255))
                    << size.cx << " " << when;
            }
        };
        expectPicture("shown");
        // A magenta window over the box, on the screen, then gone.
        WNDCLASSA coverClass = {};
        coverClass.lpfnWndProc = PlainWindowProc;
        coverClass.hInstance = GetModuleHandleA(nullptr);
        coverClass.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
        coverClass.lpszClassName = "OrvellePreviewCover";
        RegisterClassA(&coverClass);
        HWND cover = CreateWindowExA(WS_EX_TOPMOST, coverClass.lpszClassName, "",
                                     WS_POPUP | WS_VISIBLE, 90, 70, size.cx + 20, size.cy + 20,
                                     nullptr, nullptr, coverClass.hInstance, nullptr);
        EXPECT_TRUE(ScreenBecomes({{100 + size.cx / 2, 80 + size.cy / 2, RGB(255, 0, 255), 0}}))
            << "the cover never came";
        DestroyWindow(cover);
        UnregisterClassA(coverClass.lpszClassName, coverClass.hInstance);
        DeleteObject(coverClass.hbrBackground);
        expectPicture("uncovered");
        DestroyWindow(host.Get());
        runner.join();  // the preview's loop ends with its box
    }
    FreeLibrary(program);
}

// The display settings keep their preview running while their "Settings..." and "Preview"
// buttons start the editor and the saver: neither is turned away by the preview, and the preview
// still ends with its box.
TEST(Preview, SettingsAndTheSaverStartWhileAPreviewLives) {
    ProgramCopy copy;
    HostWindow host(100, 80);
    const auto handle = static_cast<long long>(reinterpret_cast<INT_PTR>(host.Get()));
    Process preview = StartSaver(copy, "/p " + std::to_string(handle));
    WaitUntil([&] { return FindWindowExW(host.Get(), nullptr, L"OrvellePreview", nullptr); });
    ASSERT_NE(FindWindowExW(host.Get(), nullptr, L"OrvellePreview", nullptr), nullptr);
    for (const char* arguments : {"/c", "/s"}) {
        Process other = StartSaver(copy, arguments);
        HWND window = WaitForWindow(other, kPatience);
        EXPECT_NE(window, nullptr) << arguments << " did not come up beside the preview";
        if (window) {
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        EXPECT_TRUE(other.WaitExit(kPatience)) << arguments;
        EXPECT_TRUE(preview.Running()) << arguments;
    }
    DestroyWindow(host.Get());
    EXPECT_TRUE(preview.WaitExit(kPatience));
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
