// Runs from a folder, with a theme, pictures and music whose names the ANSI code page cannot
// hold: the program must find all of them and leave its settings files readable.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/preview.h"
#include "app/preview_win.h"
#include "base/utf.h"
#include "base/wide_win.h"
#include "settings/file_system_win.h"
#include "settings/theme_storage.h"
#include "wine_support.h"

using namespace wine_test;
using orvelle::win::Narrow;
using orvelle::win::Wide;

namespace {

const std::string kFolder = "\u0424\u043e\u0442\u043e \u6771\u4eac";  // Фото 東京
const std::string kTheme = "\u0422\u0435\u043c\u0430";                // Тема

std::string Utf16LeFile(const std::string& utf8) {
    const std::u16string text = orvelle::Utf8ToUtf16(utf8);
    std::string bytes = "\xFF\xFE";
    for (char16_t u : text) {
        bytes += static_cast<char>(u & 0xFF);
        bytes += static_cast<char>(u >> 8);
    }
    return bytes;
}

// How Wine's trace shows a wide string: printable ASCII as it is (backslash and quote escaped),
// every other unit as a backslash and four hex digits.
std::string TraceForm(const std::string& utf8) {
    std::string out;
    for (char16_t u : orvelle::Utf8ToUtf16(utf8)) {
        if (u == u'\\' || u == u'"') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\%04x", static_cast<unsigned>(u));
            out += hex;
        }
    }
    return out;
}

// Section and key of each line of a theme's text, with its value.
std::vector<std::pair<std::pair<std::string, std::string>, std::string>> Entries(
    const std::string& text) {
    std::vector<std::pair<std::pair<std::string, std::string>, std::string>> entries;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 2;
        if (!line.empty() && line[0] == '[') {
            section = line.substr(1, line.size() - 2);
        } else if (size_t eq = line.find('='); eq != std::string::npos) {
            entries.push_back({{section, line.substr(0, eq)}, line.substr(eq + 1)});
        }
    }
    return entries;
}

// Picks the whole run apart when the code page could hold the names after all: then nothing here
// would test what it claims to.
void ExpectNamesOutsideTheCodePage() {
    ASSERT_FALSE(orvelle::win::Utf16ToAnsi(orvelle::Utf8ToUtf16(kFolder)).has_value())
        << "the ANSI code page " << GetACP()
        << " holds Cyrillic and CJK; run the tests with LANG=en_US.UTF-8 or C.UTF-8";
}

TEST(Unicode, SaverShowsPicturesAndPlaysMusicFromUnicodeNames) {
    ASSERT_NO_FATAL_FAILURE(ExpectNamesOutsideTheCodePage());
    ProgramCopy copy(kFolder);
    const std::string picture = copy.Path("\u0441\u043d\u0438\u043c\u043e\u043a \u6771.bmp");
    const std::string music = copy.Path("\u043c\u0435\u043b\u043e\u0434\u0438\u044f \u4eac.wav");
    WriteBmpFile(picture, 200, 100, [](int, int) { return kBlue; });
    WriteWavFile(music, 8.0);
    ASSERT_TRUE(ReadFileBytes(picture).has_value());

    // The global file in UTF-16LE naming a Cyrillic theme, the theme in UTF-8: both Unicode
    // forms the system's profile functions read.
    const std::string global =
        Utf16LeFile("[saver]\r\ncurrentsaver=" + kTheme +
                    "\r\n[mouse]\r\nmouseSensitivity=23\r\n[setup]\r\nsamplePicture=0\r\n");
    ASSERT_TRUE(WriteFileBytes(copy.Path("orvellemain.ini"), global));
    const std::string themeFile = copy.Path("orvellesaver\\" + kTheme + ".ini");
    ASSERT_EQ(copy.ThemePath(), themeFile);
    ThemeText theme;
    theme.Pictures({picture}, {"\u041f\u043e\u0434\u043f\u0438\u0441\u044c"})
        .Music({music})
        .Set("background", "newBackColor", "255");
    const std::string themeBytes = "\xEF\xBB\xBF" + theme.Text();
    ASSERT_TRUE(WriteFileBytes(themeFile, themeBytes));

    const std::string log = copy.Path("mci-trace.log");
    Process saver = StartSaverWithWineTrace(copy, "/s", "trace+mci", log);
    if (!saver.Handle()) {
        GTEST_SKIP() << "MCI commands can only be watched under Wine";
    }
    ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
    // The picture itself, not the fallback picture, centred over the red background.
    EXPECT_TRUE(WaitForPixel(512, 384, kBlue, 8, kPatience))
        << "the centre shows " << std::hex << ScreenPixel(512, 384);
    EXPECT_TRUE(ColourNear(ScreenPixel(5, 5), kRed, 0));
    // The Cyrillic caption reaches its label whole.
    HWND captionLabel = nullptr;
    WaitUntil([&] {
        for (HWND child = GetWindow(WaitForWindow(saver, 1000), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (WindowText(child) == "\u041f\u043e\u0434\u043f\u0438\u0441\u044c") {
                captionLabel = child;
            }
        }
        return captionLabel != nullptr;
    });
    EXPECT_NE(captionLabel, nullptr);

    // MCI is handed the music file by its whole Unicode path. (Wine's own wave driver then
    // opens it through the ANSI code page and fails, so under Wine it is not heard.)
    const std::string opened = "mciSendStringW (L\"" + TraceForm("Open \"" + music + "\" ALIAS ");
    std::string trace;
    WaitUntil([&] {
        trace = ReadFileBytes(log).value_or("");
        return trace.find(opened) != std::string::npos;
    });
    EXPECT_NE(trace.find(opened), std::string::npos) << "no open of " << opened << "\n"
                                                     << trace.substr(0, 4000);
    EXPECT_EQ(FindMessageBox(saver.Id()), nullptr);

    SendKey(WaitForWindow(saver, 1000), VK_ESCAPE);
    EXPECT_TRUE(saver.WaitExit(kPatience));
    // The run only reads: both files keep their bytes.
    EXPECT_EQ(ReadFileBytes(copy.Path("orvellemain.ini")), global);
    EXPECT_EQ(ReadFileBytes(themeFile), themeBytes);
}

TEST(Unicode, ACyrillicPathTurnsTheAnsiThemeIntoUtf16ThatTheSystemAndTheSaverRead) {
    ASSERT_NO_FATAL_FAILURE(ExpectNamesOutsideTheCodePage());
    ProgramCopy copy(kFolder);
    const std::string picture = copy.Path("\u0444\u043e\u0442\u043e \u6771\u4eac.jpg");
    ASSERT_TRUE(WriteJpegFile(picture, 200, 100, [](int, int) { return kGreen; }));
    ThemeText theme;
    theme.Pictures({"placeholder.bmp"}, {"Caf\u00e9"}).Set("background", "newBackColor", "255");
    UseTheme(copy, theme);
    const std::string themeFile = copy.ThemePath();
    // The system writes the caption in the ANSI code page, as an older theme would hold it.
    copy.WriteIni(themeFile, "caption", "0", "Caf\u00e9");
    ASSERT_EQ(ReadFileBytes(themeFile).value_or("").substr(0, 1), "[");

    {
        orvelle::win::WinFileSystem files;
        orvelle::ThemeStorage storage(files, copy.Folder());
        storage.WriteThemeValue("images", "0", picture, themeFile);
        ASSERT_TRUE(storage.Flush());
    }
    const std::string saved = ReadFileBytes(themeFile).value_or("");
    ASSERT_EQ(saved.substr(0, 2), "\xFF\xFE");
    // The system's own reader sees the new path and every other value as it was written.
    EXPECT_EQ(copy.ReadIni(themeFile, "images", "0"), picture);
    for (const auto& [where, value] : Entries(theme.Text())) {
        if (where.first != "images") {
            EXPECT_EQ(copy.ReadIni(themeFile, where.first, where.second), value)
                << where.first << "/" << where.second;
        }
    }

    Process saver = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
    EXPECT_TRUE(WaitForPixel(512, 384, kGreen, 8, kPatience))
        << "the centre shows " << std::hex << ScreenPixel(512, 384);
    SendKey(WaitForWindow(saver, 1000), VK_ESCAPE);
    EXPECT_TRUE(saver.WaitExit(kPatience));
    EXPECT_EQ(ReadFileBytes(themeFile), saved);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcW(window, message, w, l);
}

// From a Unicode folder the preview starts, puts its window into the host's box and ends with
// the box.
TEST(Unicode, PreviewRunsFromAUnicodeFolder) {
    ProgramCopy copy(kFolder);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PlainWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"OrvelleUnicodePreviewHost";
    RegisterClassW(&wc);
    HWND host = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, Wide(kFolder).c_str(),
                                WS_POPUP | WS_VISIBLE, 100, 80, 152, 112, nullptr, nullptr,
                                wc.hInstance, nullptr);
    HandlePending();
    Process preview = StartSaver(copy, "/p " + std::to_string(reinterpret_cast<INT_PTR>(host)));
    HWND child = nullptr;
    WaitUntil([&] { return (child = FindWindowExW(host, nullptr, L"OrvellePreview", nullptr)); });
    EXPECT_NE(child, nullptr);
    DestroyWindow(host);
    DWORD code = 999;
    preview.WaitExit(kPatience, &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
