// A run's captions from the photos themselves and its browsing keys, read back from the caption
// label, the screen and the paused mark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wine_support.h"

using namespace wine_test;

namespace {

// An EXIF block (APP1) with the date taken and a description, as a camera writes it after the
// JPEG's start.
std::string ExifSegment(const std::string& dateTaken, const std::string& description) {
    const auto u16 = [](unsigned v) { return std::string{char(v & 0xFF), char(v >> 8)}; };
    const auto u32 = [&](unsigned v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    const auto size = [](const std::string& text) { return static_cast<unsigned>(text.size()); };
    const std::string date = dateTaken + '\0';
    const std::string title = description + '\0';
    // Header; IFD0 with the description and the EXIF IFD's place; the EXIF IFD with the date;
    // then the two texts.
    const unsigned exifIfd = 8 + 2 + 2 * 12 + 4;
    const unsigned dateAt = exifIfd + 2 + 12 + 4;
    const unsigned titleAt = dateAt + size(date);
    std::string tiff = "II" + u16(42) + u32(8);
    tiff += u16(2) + u16(270) + u16(2) + u32(size(title)) + u32(titleAt);
    tiff += u16(0x8769) + u16(4) + u32(1) + u32(exifIfd) + u32(0);
    tiff += u16(1) + u16(0x9003) + u16(2) + u32(size(date)) + u32(dateAt) + u32(0);
    tiff += date + title;
    const std::string payload = std::string("Exif\0\0", 6) + tiff;
    const unsigned length = size(payload) + 2;
    return std::string{'\xFF', '\xE1', char(length >> 8), char(length & 0xFF)} + payload;
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

bool WaitForCaption(const Process& saver, const std::string& text) {
    return WaitUntil([&] { return CaptionText(saver.Id()) == text; });
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

// The date and the title come from the photo's EXIF block, whether or not the system's metadata
// reader reads it (Wine's does not): never from the day the file last changed.
TEST(PhotoStory, APhotosExifDateOrTitleIsItsCaptionAndATypedCaptionWins) {
    ProgramCopy copy;
    const std::string plain = copy.Path("plain.jpg");
    if (!WriteJpegFile(plain, 160, 120, [](int, int) { return kBlue; })) {
        GTEST_SKIP() << "no JPEG encoder";
    }
    std::string jpeg = *ReadFileBytes(plain);
    jpeg.insert(2, ExifSegment("2019:07:14 10:30:00", "Harbour at dawn"));
    const std::string dated = copy.Path("dated.jpg");
    ASSERT_TRUE(WriteFileBytes(dated, jpeg));
    SetLastChange(dated, 2021, 3, 2);
    ASSERT_FALSE(LongDate(2019, 7, 14).empty());
    const struct {
        const char* source;
        std::string caption;
    } cases[] = {{"1", LongDate(2019, 7, 14)}, {"4", "Harbour at dawn"}};
    for (const auto& c : cases) {
        ThemeText theme;
        theme.Pictures({dated, plain}, {"", "Typed"})
            .Set("font", "captionSource", c.source)
            .Set("image", "timeInterval", "1");
        UseTheme(copy, theme);
        Process saver = StartSaver(copy, "/s");
        ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
        EXPECT_TRUE(WaitForCaption(saver, c.caption))
            << "caption " << CaptionText(saver.Id()) << ", wanted " << c.caption;
        EXPECT_TRUE(WaitForCaption(saver, "Typed")) << CaptionText(saver.Id());
        EXPECT_TRUE(WaitForCaption(saver, c.caption)) << CaptionText(saver.Id());
    }
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
        window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitForPixel(x, y, kRed, 8, kPatience)) << "the first picture did not come";
    }
    // The centre keeps its colour for the whole time (no change comes).
    bool Stays(COLORREF colour, DWORD milliseconds) const {
        return HoldsFor(milliseconds, [&] { return ColourNear(ScreenPixel(x, y), colour, 8); });
    }
};

TEST(PhotoStory, ArrowKeysBrowseSpacePausesAndOtherKeysStillEndTheRun) {
    BrowsingRun run;
    ASSERT_NO_FATAL_FAILURE(run.Start("1", "5"));
    // The interval is long enough that no change of its own comes between the keys.
    SendKey(run.window, VK_RIGHT);
    EXPECT_TRUE(WaitForPixel(run.x, run.y, kGreen, 8, kPatience)) << "Right did not show the next";
    SendKey(run.window, VK_LEFT);
    EXPECT_TRUE(WaitForPixel(run.x, run.y, kRed, 8, kPatience)) << "Left did not show the previous";

    SendKey(run.window, VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] { return PausedMarkShows(run.saver.Id()); }));
    // Three intervals and more: paused, the picture stays.
    EXPECT_TRUE(run.Stays(kRed, 10000));
    SendKey(run.window, VK_SPACE);
    EXPECT_TRUE(WaitForPixel(run.x, run.y, kGreen, 8, kPatience)) << "the changes did not resume";
    EXPECT_TRUE(WaitUntil([&] { return !PausedMarkShows(run.saver.Id()); }));
    EXPECT_TRUE(run.saver.Running());

    SendKey(run.window, VK_ESCAPE);
    EXPECT_TRUE(run.saver.WaitExit(kPatience));
}

TEST(PhotoStory, WithoutBrowsingTheRightArrowEndsTheRun) {
    BrowsingRun run;
    ASSERT_NO_FATAL_FAILURE(run.Start("0", "10"));
    SendKey(run.window, VK_RIGHT);
    EXPECT_TRUE(run.saver.WaitExit(kPatience));
}

}  // namespace
