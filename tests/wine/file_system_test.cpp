// The file operations of the theme dialogs on a real file system: listing by pattern (long names
// decide, not their 8.3 aliases), copy onto an existing file, a read-only source, deleting, and
// names outside the ANSI code page.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "settings/file_system_win.h"

namespace {

namespace fs = std::filesystem;
using orvelle::win::Narrow;
using orvelle::win::WinFileSystem;

const std::string kSummer = "\xC3\x89t\xC3\xA9 \xE5\xA4\x8F";  // "Été 夏"

class WinFiles : public ::testing::Test {
  protected:
    WinFiles() {
        root_ =
            fs::temp_directory_path() / ("orvelle_files_" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "sub.ini");  // a folder that matches the pattern
        for (const std::string& name : std::vector<std::string>{
                 "Default.ini", "Holiday.2001.INI", "notes.inix", "readme.txt", kSummer + ".ini"}) {
            std::ofstream(root_ / fs::path(orvelle::win::Wide(name)), std::ios::binary)
                << "[total]\r\ntotal=" << name.size() << "\r\n";
        }
        folder_ = Narrow(root_.wstring());
    }
    ~WinFiles() override {
        for (const auto& entry : fs::recursive_directory_iterator(root_)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        fs::remove_all(root_);
    }
    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }
    std::string Bytes(const std::string& name) const {
        std::ifstream in(root_ / fs::path(orvelle::win::Wide(name)), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root_;
    std::string folder_;
    WinFileSystem files_;
};

TEST_F(WinFiles, ListsCopiesAndDeletesLikeTheMemoryFake) {
    std::vector<std::string> themes = files_.FindFiles(folder_, "*.ini");
    std::sort(themes.begin(), themes.end());
    EXPECT_EQ(themes,
              (std::vector<std::string>{"Default.ini", "Holiday.2001.INI", kSummer + ".ini"}));
    EXPECT_TRUE(files_.FindFiles(folder_ + "\\missing", "*.ini").empty());
    EXPECT_TRUE(files_.FolderExists(folder_));
    EXPECT_TRUE(files_.FolderExists(Path("sub.ini")));
    EXPECT_FALSE(files_.FolderExists(Path("Default.ini")));

    const std::string summer = Path(kSummer + ".ini");
    EXPECT_FALSE(files_.CopyWholeFile(summer, Path("Default.ini"), false));
    EXPECT_NE(Bytes("Default.ini"), Bytes(kSummer + ".ini"));
    EXPECT_TRUE(files_.CopyWholeFile(summer, Path("Default.ini"), true));
    EXPECT_EQ(Bytes("Default.ini"), Bytes(kSummer + ".ini"));
    EXPECT_FALSE(files_.CopyWholeFile(Path("missing.ini"), Path("New.ini"), true));
    EXPECT_FALSE(files_.CopyWholeFile(summer, Path("nofolder\\New.ini"), true));

    // A read-only template still gives a theme file that saves can write.
    SetFileAttributesW(orvelle::win::Wide(summer).c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(files_.CopyWholeFile(summer, Path("New.ini"), false));
    EXPECT_EQ(
        GetFileAttributesW(orvelle::win::Wide(Path("New.ini")).c_str()) & FILE_ATTRIBUTE_READONLY,
        0u);

    EXPECT_TRUE(files_.RemoveFile(Path("New.ini")));
    EXPECT_FALSE(files_.RemoveFile(Path("New.ini")));
    EXPECT_FALSE(files_.FileExists(Path("New.ini")));
}

}  // namespace
