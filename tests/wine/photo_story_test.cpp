// A run's captions from the photos themselves and its browsing keys, read back from the caption
// label, the screen and the paused mark.
#include <gtest/gtest.h>
#include <wincodec.h>

#include <string>
#include <vector>

#include "wine_support.h"

using namespace wine_test;

namespace {

// An EXIF block (APP1) with the date taken, as a camera writes it after the JPEG's start.
std::string ExifSegment(const std::string& dateTaken) {
    const auto u16 = [](unsigned v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
    const auto u32 = [&](unsigned v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    const std::string date = dateTaken + '\0';
    // Header, IFD0 with one entry (the EXIF IFD's place), the EXIF IFD with the date, the date.
    const unsigned exifIfd = 8 + 2 + 12 + 4;
    const unsigned dateAt = exifIfd + 2 + 12 + 4;
    std::string tiff = "II" + u16(42) + u32(8);
    tiff += u16(1) + u16(0x8769) + u16(4) + u32(1) + u32(exifIfd) + u32(0);
    tiff += u16(1) + u16(0x9003) + u16(2) + u32(static_cast<unsigned>(date.size())) + u32(dateAt) +
            u32(0);
    tiff += date;
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    const unsigned length = static_cast<unsigned>(payload.size()) + 2;
    return std::string{'\xFF', '\xE1', char(length >> 8), char(length & 0xFF)} + payload;
}

// The date the system's own metadata reader finds in the file, if it reads EXIF at all.
bool SystemReadsExifDate(const std::string& path) {
    IWICImagingFactory* factory = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&factory)))) {
        return false;
    }
    bool read = false;
    IWICBitmapDecoder* decoder = nullptr;
    const std::wstring wide(path.begin(), path.end());
    if (SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder))) {
        IWICBitmapFrameDecode* frame = nullptr;
        IWICMetadataQueryReader* reader = nullptr;
        if (SUCCEEDED(decoder->GetFrame(0, &frame)) &&
            SUCCEEDED(frame->GetMetadataQueryReader(&reader))) {
            PROPVARIANT value;
            PropVariantInit(&value);
            read = SUCCEEDED(reader->GetMetadataByName(L"/app1/ifd/exif/{ushort=36867}", &value));
            PropVariantClear(&value);
            reader->Release();
        }
        if (frame) {
            frame->Release();
        }
        decoder->Release();
    }
    factory->Release();
    return read;
}

std::string LongDate(WORD year, WORD month, WORD day) {
    SYSTEMTIME st{year, month, 0, day, 12, 0, 0, 0};
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);  // fills in the day of the week
    char text[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, text, sizeof text);
    return text;
}

void SetLastChange(const std::string& path, WORD year, WORD month, WORD day) {
    SYSTEMTIME local{year, month, 0, day, 12, 0, 0, 0};
    SYSTEMTIME utc;
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    FILETIME ft;
    SystemTimeToFileTime(&utc, &ft);
    HANDLE file =
        CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &ft);
    CloseHandle(file);
}

// The text of the saver's caption label (its child window along the top edge).
std::string CaptionText(DWORD processId) {
    for (HWND hwnd : AllWindowsOf(processId)) {
        RECT rc;
        if (GetParent(hwnd) && IsWindowVisible(hwnd) && GetWindowRect(hwnd, &rc) && rc.top == 0 &&
            rc.bottom > 0) {
            return TextOf(hwnd);
        }
    }
    return "";
}

bool WaitForCaption(const Process& saver, const std::string& text, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        if (CaptionText(saver.Id()) == text) {
            return true;
        }
        Pump(50);
    } while (GetTickCount() - start < milliseconds);
    return false;
}

// The visible paused mark of the process, if it shows.
bool PausedMarkShows(DWORD processId) {
    for (HWND hwnd : AllWindowsOf(processId)) {
        if (GetParent(hwnd) && IsWindowVisible(hwnd) && TextOf(hwnd) == "Paused") {
            return true;
        }
    }
    return false;
}

TEST(PhotoStory, DatedPhotoShowsItsDateAndATypedCaptionWins) {
    ProgramCopy copy;
    const std::string plain = copy.Path("plain.jpg");
    if (!WriteJpegFile(plain, 160, 120, [](int, int) { return kBlue; })) {
        GTEST_SKIP() << "no JPEG encoder";
    }
    std::string jpeg = *ReadFileBytes(plain);
    jpeg.insert(2, ExifSegment("2019:07:14 10:30:00"));
    const std::string dated = copy.Path("dated.jpg");
    ASSERT_TRUE(WriteFileBytes(dated, jpeg));
    SetLastChange(dated, 2021, 3, 2);
    // Where the system's metadata reader cannot read EXIF (Wine's), the date is the day the file
    // last changed.
    const std::string expected =
        SystemReadsExifDate(dated) ? LongDate(2019, 7, 14) : LongDate(2021, 3, 2);
    ASSERT_FALSE(expected.empty());

    ThemeText theme;
    theme.Pictures({dated, plain}, {"", "Typed"})
        .Set("font", "captionSource", "1")
        .Set("image", "timeInterval", "1");
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(saver, 5000), nullptr);
    EXPECT_TRUE(WaitForCaption(saver, expected, 5000))
        << "caption " << CaptionText(saver.Id()) << ", wanted " << expected;
    EXPECT_TRUE(WaitForCaption(saver, "Typed", 5000)) << CaptionText(saver.Id());
    EXPECT_TRUE(WaitForCaption(saver, expected, 5000)) << CaptionText(saver.Id());
}

// A run of three plain pictures, red, green and blue, each changing after the interval.
struct BrowsingRun {
    ProgramCopy copy;
    Process saver;
    HWND window = nullptr;
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;

    void Start(const std::string& browse, const std::string& interval) {
        std::vector<std::string> paths;
        for (const auto& [name, colour] :
             {std::pair{"red.bmp", kRed}, std::pair{"green.bmp", kGreen},
              std::pair{"blue.bmp", kBlue}}) {
            WriteBmpFile(copy.Path(name), 200, 100, [c = colour](int, int) { return c; });
            paths.push_back(copy.Path(name));
        }
        ThemeText theme;
        theme.Pictures(paths)
            .Set("image", "browseKeys", browse)
            .Set("image", "timeInterval", interval)
            .Set("image", "picChange", "ch");
        UseTheme(copy, theme);
        saver = StartSaver(copy, "/s");
        window = WaitForWindow(saver, 5000);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitForPixel(x, y, kRed, 8, 5000)) << "the first picture did not come";
    }
    // The centre keeps its colour for the whole time (no change comes).
    bool Stays(COLORREF colour, DWORD milliseconds) const {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            if (!ColourNear(ScreenPixel(x, y), colour, 8)) {
                return false;
            }
            Pump(100);
        }
        return true;
    }
};

TEST(PhotoStory, ArrowKeysBrowseSpacePausesAndOtherKeysStillEndTheRun) {
    BrowsingRun run;
    ASSERT_NO_FATAL_FAILURE(run.Start("1", "3"));
    SendKey(run.window, VK_RIGHT);
    EXPECT_TRUE(WaitForPixel(run.x, run.y, kGreen, 8, 2500)) << "Right did not show the next";
    SendKey(run.window, VK_LEFT);
    EXPECT_TRUE(WaitForPixel(run.x, run.y, kRed, 8, 2500)) << "Left did not show the previous";

    SendKey(run.window, VK_SPACE);
    const DWORD start = GetTickCount();
    while (!PausedMarkShows(run.saver.Id()) && GetTickCount() - start < 2000) {
        Pump(50);
    }
    EXPECT_TRUE(PausedMarkShows(run.saver.Id()));
    // Three intervals and more: paused, the picture stays.
    EXPECT_TRUE(run.Stays(kRed, 10000));
    SendKey(run.window, VK_SPACE);
    EXPECT_TRUE(WaitForPixel(run.x, run.y, kGreen, 8, 6000)) << "the changes did not resume";
    EXPECT_FALSE(PausedMarkShows(run.saver.Id()));
    EXPECT_TRUE(run.saver.Running());

    SendKey(run.window, VK_ESCAPE);
    EXPECT_TRUE(run.saver.WaitExit(5000));
}

TEST(PhotoStory, WithoutBrowsingTheRightArrowEndsTheRun) {
    BrowsingRun run;
    ASSERT_NO_FATAL_FAILURE(run.Start("0", "10"));
    SendKey(run.window, VK_RIGHT);
    EXPECT_TRUE(run.saver.WaitExit(5000));
}

}  // namespace
