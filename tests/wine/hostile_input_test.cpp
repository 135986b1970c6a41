// Runs fed with pictures and files that used to stall or mislead the saver: header bombs,
// pictures beyond what a decoder may hold, camera-size photos, a one-pixel tiled background, a
// photo taken with the camera turned, files whose pixels do not decode, and the pointer over an
// error message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "picture/picture_decoder_win.h"
#include "wine_support.h"

using namespace wine_test;

namespace {

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

// Puts an EXIF block holding the orientation right after the JPEG's start marker, as a camera
// writes it (big-endian TIFF, one entry).
bool AddExifOrientation(const std::string& path, int orientation) {
    std::vector<unsigned char> jpeg = ReadBytes(path);
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) {
        return false;
    }
    const std::vector<unsigned char> app1 = {0xFF, 0xE1,
                                             0,    34,
                                             'E',  'x',
                                             'i',  'f',
                                             0,    0,  // marker, length, EXIF name
                                             'M',  'M',
                                             0,    42,
                                             0,    0,
                                             0,    8,  // TIFF header, directory at 8
                                             0,    1,  // one entry
                                             0x01, 0x12,
                                             0,    3,
                                             0,    0,
                                             0,    1,  // tag 274, SHORT, count 1
                                             0,    static_cast<unsigned char>(orientation),
                                             0,    0,  // the value
                                             0,    0,
                                             0,    0};  // no next directory
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    WriteBytes(path, jpeg);
    return true;
}

// A 24-bit BMP header claiming width x height, with nothing after it but padding to size bytes.
std::vector<unsigned char> BmpHeader(int width, int height, std::size_t size) {
    std::vector<unsigned char> header(std::max<std::size_t>(size, 54), 0);
    const auto put32 = [&](size_t at, unsigned v) {
        for (int i = 0; i < 4; ++i) {
            header[at + i] = static_cast<unsigned char>(v >> (8 * i));
        }
    };
    header[0] = 'B';
    header[1] = 'M';
    put32(2, static_cast<unsigned>(header.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    header[26] = 1;
    header[28] = 24;
    return header;
}

// The centre of the screen, sampled until `last` shows: one letter per picture (by the
// colours given), '.' for the grey background between them, '?' for anything else.
std::string ColoursUntil(const Process& saver, const std::vector<std::pair<char, COLORREF>>& keys,
                         char last, DWORD milliseconds, std::vector<DWORD>* shownAt = nullptr) {
    std::string seen;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds && saver.Running()) {
        const COLORREF c =
            ScreenPixel(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
        char k = ColourNear(c, kGrey, 0) ? '.' : '?';
        for (const auto& [letter, colour] : keys) {
            k = ColourNear(c, colour, 24) ? letter : k;
        }
        if (k != '?' && (seen.empty() || seen.back() != k)) {
            seen.push_back(k);
            if (shownAt && k != '.') {
                shownAt->push_back(GetTickCount());
            }
            if (k == last) {
                break;
            }
        }
        PumpStep();
    }
    return seen;
}

// A header bomb and a JPEG beyond what a decoder that holds pictures whole may take, in the
// middle of a list: each gives its turn to the fallback, and the show goes on without a message
// and without the memory such pictures would take.
TEST(HostileInput, PicturesThatCannotBeShownGiveTheirTurnToTheFallback) {
    ProgramCopy copy;
    WriteBmpFile(copy.Path("orvellenotfound.gif"), 60, 40, [](int, int) { return kRed; });
    WriteBmpFile(copy.Path("green.bmp"), 80, 60, [](int, int) { return kGreen; });
    WriteBmpFile(copy.Path("blue.bmp"), 80, 60, [](int, int) { return kBlue; });
    // 354 bytes claiming 60000 x 60000 pixels (10 GB of them).
    WriteBytes(copy.Path("bomb.bmp"), BmpHeader(60000, 60000, 354));
    const DWORD writing = GetTickCount();
    if (!WriteJpegFile(copy.Path("huge.jpg"), 16000, 12000, [](int, int) { return kYellow; })) {
        GTEST_SKIP() << "no JPEG encoder";
    }
    std::printf("[ figures  ] 16000 x 12000 JPEG written in %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - writing));
    ThemeText theme;
    theme
        .Pictures({copy.Path("green.bmp"), copy.Path("bomb.bmp"), copy.Path("huge.jpg"),
                   copy.Path("blue.bmp")})
        .Set("background", "newBackColor", "8421504")
        .Set("image", "timeInterval", "1");
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(saver, 5000), nullptr);
    const SIZE_T before = ResourcesOf(saver).peakPrivateBytes;
    const std::string seen =
        ColoursUntil(saver, {{'G', kGreen}, {'r', kRed}, {'Y', kYellow}, {'B', kBlue}}, 'B', 30000);
    // The fallback for both, where the decoder holds whole pictures; a decoder that shrinks
    // while it decodes shows the 192-megapixel one itself.
    EXPECT_TRUE(seen.find("G.r.r.B") != std::string::npos ||
                seen.find("G.r.Y.B") != std::string::npos)
        << seen;
    EXPECT_EQ(FindMessageBox(saver.Id()), nullptr);
    EXPECT_TRUE(saver.Running());
    // Wine's peak figure is not always monotonic between two reads; a smaller one is no growth.
    const SIZE_T after = ResourcesOf(saver).peakPrivateBytes;
    ASSERT_NE(after, SIZE_T{0});
    const SIZE_T grown = after > before ? after - before : 0;
    std::printf("[ figures  ] peak private bytes grew by %lu MB\n",
                static_cast<unsigned long>(grown >> 20));
    EXPECT_LT(grown, SIZE_T{150} << 20);
}

// Camera photos one after another: an 8000 x 6000 JPEG shows, each change comes at its time
// (the next photo is decoded while one shows), and a key pressed while a photo is being decoded
// ends the run at once.
TEST(HostileInput, CameraPhotosChangeOnTimeAndAKeyDuringADecodeEndsTheRun) {
    ProgramCopy copy;
    const COLORREF kCyan = RGB(0, 200, 200);
    const COLORREF kMagenta = RGB(200, 0, 200);
    // Fine noise over each colour, as much detail as a photo holds.
    const auto photo = [](COLORREF tint) {
        return [tint](int x, int y) {
            const int n =
                static_cast<int>((static_cast<unsigned>(x * 7919 + y * 104729) >> 3) % 33) - 16;
            const auto c = [n](int v) { return static_cast<BYTE>(std::clamp(v + n, 0, 255)); };
            return RGB(c(GetRValue(tint)), c(GetGValue(tint)), c(GetBValue(tint)));
        };
    };
    if (!WriteJpegFile(copy.Path("camera.jpg"), 8000, 6000, photo(RGB(200, 200, 40))) ||
        !WriteJpegFile(copy.Path("cyan.jpg"), 6000, 4000, photo(kCyan)) ||
        !WriteJpegFile(copy.Path("magenta.jpg"), 6000, 4000, photo(kMagenta))) {
        GTEST_SKIP() << "no JPEG encoder";
    }
    ThemeText theme;
    theme.Pictures({copy.Path("camera.jpg"), copy.Path("cyan.jpg"), copy.Path("magenta.jpg")})
        .Set("background", "newBackColor", "8421504")
        .Set("image", "timeInterval", "1");
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(saver, 5000), nullptr);
    std::vector<DWORD> shownAt;
    const std::string seen = ColoursUntil(
        saver, {{'Y', RGB(200, 200, 40)}, {'C', kCyan}, {'M', kMagenta}}, 'M', 30000, &shownAt);
    ASSERT_NE(seen.find("Y.C.M"), std::string::npos) << seen;
    // One second shown, the 0.3 s pause, the effect: nothing waits for a decode.
    for (std::size_t i = 1; i < shownAt.size(); ++i) {
        std::printf("[ figures  ] change %zu after %lu ms\n", i,
                    static_cast<unsigned long>(shownAt[i] - shownAt[i - 1]));
        EXPECT_LT(shownAt[i] - shownAt[i - 1], 2500u);
    }
    // The camera photo is being decoded again now.
    const DWORD pressed = GetTickCount();
    TypeKey(VK_SPACE);
    EXPECT_TRUE(saver.WaitExit(1000))
        << "still running " << (GetTickCount() - pressed) << " ms after the key";
    EXPECT_EQ(FindMessageBox(saver.Id()), nullptr);
}

TEST(HostileInput, TinyTilesPaintTheWholeBackgroundAtOnce) {
    ProgramCopy copy;
    // 3 x 2 tile: every pixel of the screen tells which tile pixel landed there.
    const COLORREF tile[2][3] = {{kRed, kGreen, kBlue}, {kWhite, kBlue, kRed}};
    WriteBmpFile(copy.Path("tile.bmp"), 3, 2, [&](int x, int y) { return tile[y][x]; });
    WriteBmpFile(copy.Path("dot.bmp"), 1, 1, [](int, int) { return kGreen; });
    WriteBmpFile(copy.Path("small.bmp"), 4, 4, [](int, int) { return kGrey; });
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    for (const char* name : {"tile.bmp", "dot.bmp"}) {
        SCOPED_TRACE(name);
        ThemeText theme;
        theme.Pictures({copy.Path("small.bmp")})
            .Set("background", "backEffect", "2")
            .Set("background", "backgroundDisplay", "2")
            .Set("background", "backgroundImage", copy.Path(name));
        UseTheme(copy, theme);
        Process saver = StartSaver(copy, "/s");
        ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
        const COLORREF corner =
            std::string(name) == "dot.bmp" ? kGreen : tile[(h - 1) % 2][(w - 1) % 3];
        EXPECT_TRUE(WaitForPixel(w - 1, h - 1, corner, 0, 1000)) << "not painted within a second";
        if (std::string(name) == "tile.bmp") {
            for (const POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{2, 1}, POINT{w / 3, h / 5},
                                  POINT{w - 2, 7}, POINT{5, h - 2}, POINT{w / 2 + 1, h / 2 + 41}}) {
                EXPECT_SCREEN(p.x, p.y, tile[p.y % 2][p.x % 3], 0);
            }
        } else {
            EXPECT_SCREEN(0, 0, kGreen, 0);
            EXPECT_SCREEN(w / 3, h - 1, kGreen, 0);
        }
        SendKey(WaitForWindow(saver, 1000), VK_SPACE);
        EXPECT_TRUE(saver.WaitExit(kPatience));
    }
}

TEST(HostileInput, PhotoTakenWithTheCameraTurnedStandsUpright) {
    ProgramCopy copy;
    const std::string photo = copy.Path("turned.jpg");
    // Stored 200 x 100, red on the left, blue on the right, a white band down the left edge.
    if (!WriteJpegFile(photo, 200, 100,
                       [](int x, int) { return x < 20 ? kWhite : (x < 100 ? kRed : kBlue); })) {
        GTEST_SKIP() << "no JPEG encoder";
    }
    ASSERT_TRUE(AddExifOrientation(photo, 6));  // turn a quarter clockwise to show
    ThemeText theme;
    theme.Pictures({photo}).Set("background", "newBackColor", "8421504");
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    // Upright it is 100 x 200: white along the top, red above the middle, blue below it.
    ASSERT_TRUE(WaitForPixel(cx, cy + 50, kBlue, 24, kPatience)) << "no upright picture";
    EXPECT_SCREEN(cx, cy - 50, kRed, 24);
    EXPECT_SCREEN(cx, cy - 95, kWhite, 24);
    EXPECT_SCREEN(cx, cy + 95, kBlue, 24);
    // Narrow and tall: beside it the background, above and below it the picture still.
    EXPECT_SCREEN(cx - 55, cy, kGrey, 0);
    EXPECT_SCREEN(cx + 55, cy, kGrey, 0);
    EXPECT_SCREEN(cx, cy - 105, kGrey, 0);
    EXPECT_SCREEN(cx, cy + 105, kGrey, 0);
}

TEST(HostileInput, FilesThatYieldNoPixelsAreFailuresNotBlanks) {
    struct Case {
        const char* what;
        bool asBackground;
    };
    for (const Case& c : {Case{"picture", false}, Case{"background", true}}) {
        SCOPED_TRACE(c.what);
        ProgramCopy copy;
        // A BMP header for 100 x 100 pixels and not one pixel after it.
        const std::vector<unsigned char> header = BmpHeader(100, 100, 54);
        WriteBytes(copy.Path("empty.bmp"), header);
        // The fallback picture, red, so that it is told apart from a blank.
        WriteBmpFile(copy.Path("orvellenotfound.gif"), 60, 40, [](int, int) { return kRed; });
        WriteBmpFile(copy.Path("blue.bmp"), 60, 40, [](int, int) { return kBlue; });
        ThemeText theme;
        theme.Set("background", "newBackColor", "8421504");
        if (c.asBackground) {
            theme.Pictures({copy.Path("blue.bmp")})
                .Set("background", "backEffect", "2")
                .Set("background", "backgroundDisplay", "1")
                .Set("background", "backgroundImage", copy.Path("empty.bmp"));
        } else {
            theme.Pictures({copy.Path("empty.bmp")});
        }
        UseTheme(copy, theme);
        Process saver = StartSaver(copy, "/s");
        if (c.asBackground) {
            HWND box = WaitForMessageBox(saver, kPatience);
            ASSERT_NE(box, nullptr) << "a blank background instead of the message";
            EXPECT_EQ(MessageBoxText(box),
                      "Could not load background properly. If you have a loaded image as a "
                      "background make sure the path exists.");
            PressOk(box);
            EXPECT_TRUE(saver.WaitExit(kPatience));
        } else {
            ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
            EXPECT_TRUE(WaitForPixel(GetSystemMetrics(SM_CXSCREEN) / 2,
                                     GetSystemMetrics(SM_CYSCREEN) / 2, kRed, 8, 6000))
                << "no fallback picture";
            EXPECT_EQ(FindMessageBox(saver.Id()), nullptr);
        }
    }
}

TEST(HostileInput, PointerIsVisibleOverAnErrorMessage) {
    ProgramCopy copy;
    ASSERT_TRUE(DeleteFileA(copy.Path("orvellenotfound.gif").c_str()));
    ThemeText theme;
    theme.Pictures({copy.Path("missing.bmp")});
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    HWND box = WaitForMessageBox(saver, kPatience);
    ASSERT_NE(box, nullptr);
    CURSORINFO info{};
    info.cbSize = sizeof info;
    WaitUntil([&] { return GetCursorInfo(&info) && (info.flags & CURSOR_SHOWING) != 0; });
    ASSERT_TRUE(GetCursorInfo(&info));
    EXPECT_NE(info.flags & CURSOR_SHOWING, 0u) << "the pointer is hidden over the message";
    PressOk(box);
    EXPECT_TRUE(saver.WaitExit(kPatience));
}

TEST(HostileInput, LargePicturesAreDecodedInBandsThatLetInputIn) {
    ProgramCopy copy;
    // 3000 x 1200 in bands of 87 rows (a quarter of a million pixels); the bottom half is blue.
    const std::string path = copy.Path("tall.bmp");
    WriteBmpFile(path, 3000, 1200, [](int, int y) { return y < 600 ? kRed : kBlue; });
    orvelle::win::PictureDecoder decoder;
    int calls = 0;
    decoder.SetBetweenBands([&] { return ++calls < 1000; });
    ASSERT_EQ(decoder.Open(path), (orvelle::PixelSize{3000, 1200}));
    orvelle::win::DibBitmap dib = decoder.Decode({300, 120}, 0x808080);
    ASSERT_TRUE(dib);
    EXPECT_EQ(calls, 14);
    EXPECT_EQ(dib.Row(100)[10] & 0xFFFFFFu, 0x0000FFu);  // blue as BGRX

    // Asked to stop after the first band, the decode gives up at once with nothing.
    calls = 0;
    decoder.SetBetweenBands([&] { return ++calls < 1; });
    ASSERT_TRUE(decoder.Open(path));
    EXPECT_FALSE(decoder.Decode({300, 120}, 0x808080));
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(decoder.YieldedNothing());
    decoder.Close();
}

}  // namespace

namespace {

// A current theme name that climbs out of the themes folder reads as a missing theme: the file it
// points at is neither shown nor written, even while the sample-picture step is due.
TEST(HostileInput, ThemeNameCannotLeaveTheThemesFolder) {
    ProgramCopy copy("climb");
    const std::string victim = copy.Path("..\\victim.ini");
    const std::string bytes = "[total]\r\ntotal=0\r\n[background]\r\nnewBackColor=255\r\n";
    ASSERT_TRUE(WriteFileBytes(victim, bytes));
    copy.WriteIni(copy.Path("orvellemain.ini"), "saver", "currentsaver", "..\\..\\victim");
    copy.WriteIni(copy.Path("orvellemain.ini"), "setup", "samplePicture", "1");
    {
        Process saver = StartSaver(copy, "/s");
        HWND window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(HoldsFor(1500, [] { return !ColourNear(ScreenPixel(5, 5), kRed, 8); }))
            << "the outside theme was read";
    }
    EXPECT_EQ(ReadFileBytes(victim), bytes);
    EXPECT_EQ(copy.ReadIni(copy.Path("orvellemain.ini"), "setup", "samplePicture"), "1");
    DeleteFileW(orvelle::win::Wide(victim).c_str());
}

}  // namespace
