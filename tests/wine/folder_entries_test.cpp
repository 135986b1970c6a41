// Folder entries in a real run: the pictures of a folder and its subfolders in today's formats,
// a picture copied in while the show runs, the state kept per theme outside the theme file.
#include <gtest/gtest.h>

// clang-format off
#include "wine_support.h"
#include <knownfolders.h>
#include <shlobj.h>
#include <wincodec.h>
// clang-format on

#include <string>

#include "base/wide_win.h"

using namespace wine_test;

namespace {

// The program's state folder in this user's local application data.
std::string StateFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &path))) {
        folder = orvelle::win::Narrow(path) + "\\Orvelle Screen Saver\\";
    }
    CoTaskMemFree(path);
    return folder;
}

// A run of a theme in a fresh program folder whose state files (named after the current theme)
// are gone before and after.
struct FolderRun {
    ProgramCopy copy;
    Process saver;
    std::string theme;

    FolderRun() {
        theme = copy.ReadIni(copy.Path("orvellemain.ini"), "saver", "currentsaver");
        ForgetState();
    }
    ~FolderRun() {
        saver.Kill();
        ForgetState();
    }
    void ForgetState() const {
        for (const char* ending : {".scan", ".state"}) {
            DeleteFileW(orvelle::win::Wide(StateFolder() + theme + ending).c_str());
        }
    }
    void Picture(const std::string& name, const GUID& container, COLORREF colour) const {
        const std::string path = copy.Path(name);
        for (std::size_t slash = path.find('\\', copy.Folder().size()); slash != std::string::npos;
             slash = path.find('\\', slash + 1)) {
            CreateDirectoryW(orvelle::win::Wide(path.substr(0, slash)).c_str(), nullptr);
        }
        // Written beside and moved in, so that a scan never finds half a file.
        const std::string part = path + ".part";
        ASSERT_TRUE(
            WriteEncodedPicture(part, container, 160, 120, [=](int, int) { return colour; }));
        ASSERT_TRUE(MoveFileW(orvelle::win::Wide(part).c_str(), orvelle::win::Wide(path).c_str()));
    }
    void Start() {
        ThemeText text;
        text.Pictures({"photos\\"})
            .Set("background", "newBackColor", "255")
            .Set("image", "timeInterval", "1")
            .Set("image", "picChange", "ch");
        UseTheme(copy, text);
        saver = StartSaver(copy, "/s");
        ASSERT_NE(WaitForWindow(saver, 5000), nullptr);
    }
    // The colours the middle of the screen shows, each run of one colour once, until the
    // pattern appears or the time is up: B blue, G green, Y yellow, r the red background.
    std::string Watch(const std::string& pattern, DWORD milliseconds) const {
        std::string seen;
        WaitUntil(
            [&] {
                const COLORREF c = ScreenPixel(512, 384);
                const char k = ColourNear(c, kBlue, 8)     ? 'B'
                               : ColourNear(c, kGreen, 8)  ? 'G'
                               : ColourNear(c, kYellow, 8) ? 'Y'
                               : ColourNear(c, kRed, 8)    ? 'r'
                                                           : '?';
                if (seen.empty() || seen.back() != k) {
                    seen.push_back(k);
                }
                return seen.find(pattern) != std::string::npos;
            },
            milliseconds);
        return seen;
    }
};

// The folder's pictures in list order, from its subfolders too, in PNG and TIFF; a file no
// decoder reads is passed by, never shown as a broken picture; the walk is kept for the next run.
TEST(FolderEntries, PngAndTiffPicturesFromSubfoldersShowInListOrder) {
    FolderRun run;
    ASSERT_NO_FATAL_FAILURE(run.Picture("photos\\2019\\one.png", GUID_ContainerFormatPng, kBlue));
    ASSERT_NO_FATAL_FAILURE(run.Picture("photos\\2020\\two.tif", GUID_ContainerFormatTiff, kGreen));
    ASSERT_TRUE(WriteFileBytes(run.copy.Path("photos\\2019\\broken.png"), "not a picture"));
    ASSERT_TRUE(WriteFileBytes(run.copy.Path("photos\\notes.txt"), "words"));
    ASSERT_NO_FATAL_FAILURE(run.Start());
    const std::string seen = run.Watch("BrGrBrG", 15000);
    EXPECT_NE(seen.find("BrGrBrG"), std::string::npos) << seen;
    EXPECT_EQ(seen.find('?', 1), std::string::npos) << seen;  // not the fallback card
    EXPECT_EQ(seen.find_first_of("BG"), seen.find('B')) << seen;
    const std::optional<std::string> cache = ReadFileBytes(StateFolder() + run.theme + ".scan");
    ASSERT_TRUE(cache.has_value());
    EXPECT_NE(cache->find("two.tif"), std::string::npos);
    EXPECT_EQ(cache->find("notes.txt"), std::string::npos);
    // The theme file holds the folder as it was written, nothing more.
    EXPECT_EQ(run.copy.ReadIni(run.copy.ThemePath(), "images", "0"), "photos\\");
}

TEST(FolderEntries, APictureCopiedInDuringTheRunComesInTheNextPass) {
    FolderRun run;
    ASSERT_NO_FATAL_FAILURE(run.Picture("photos\\a.png", GUID_ContainerFormatPng, kBlue));
    ASSERT_NO_FATAL_FAILURE(run.Start());
    ASSERT_NE(run.Watch("BrB", 10000).find("BrB"), std::string::npos);
    ASSERT_NO_FATAL_FAILURE(run.Picture("photos\\b.png", GUID_ContainerFormatPng, kYellow));
    const std::string seen = run.Watch("Y", 15000);
    EXPECT_NE(seen.find('Y'), std::string::npos) << seen;
}

}  // namespace
