// The setup program as a user meets it: a silent installation into the user's own programs
// folder, the installed saver running, an upgrade over edited themes and settings, and the
// silent uninstallation; and what Windows reads from the program file itself (its title string,
// version and icon sizes).
//
// The setup program is the 64-bit build of installer/orvelle.nsi that scripts/make-installer.sh
// writes to build/installer/ (this Wine runs 64-bit programs only). ORVELLE_INSTALLER (a Unix
// path) names it; without it the test looks in build/installer/ and skips when there is none.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "wine_support.h"

using namespace wine_test;
using orvelle::win::Narrow;
using orvelle::win::Wide;

namespace {

constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvelle Screen Saver";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";

std::string ToWindowsPath(const std::string& unixPath) {
    std::string out = "Z:" + unixPath;
    for (char& c : out) {
        if (c == '/') {
            c = '\\';
        }
    }
    return out;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The setup program, or "" with the reason in *why.
std::string FindInstaller(std::string* why) {
    if (const char* given = std::getenv("ORVELLE_INSTALLER"); given && *given) {
        *why = std::string("ORVELLE_INSTALLER names no file: ") + given;
        return Exists(ToWindowsPath(given)) ? ToWindowsPath(given) : "";
    }
    const std::string folder = ToWindowsPath(ORVELLE_SOURCE_DIR "/build/installer/");
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Wide(folder + "orvelle-*-setup-amd64.exe").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        *why = "no setup program in " + folder + " (run scripts/make-installer.sh)";
        return "";
    }
    FindClose(find);
    return folder + Narrow(data.cFileName);
}

std::string InstallFolder() {  // without the final "\"
    wchar_t local[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    return Narrow(local) + "\\Programs\\Orvelle Screen Saver";
}

// Every file under the folder, as paths relative to it.
void ListFiles(const std::string& folder, const std::string& prefix,
               std::vector<std::string>* out) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(Wide(folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = Narrow(data.cFileName);
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ListFiles(folder + "\\" + name, prefix + name + "\\", out);
        } else {
            out->push_back(prefix + name);
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

void RemoveFolder(const std::string& folder) {
    std::vector<std::string> files;
    ListFiles(folder, "", &files);
    for (const std::string& f : files) {
        DeleteFileW(Wide(folder + "\\" + f).c_str());
    }
    // Folders deepest first: a path that is longer comes later in no particular order, so
    // repeat until nothing more goes.
    for (int round = 0; round < 4; ++round) {
        for (const std::string& f : files) {
            const std::string dir = folder + "\\" + f.substr(0, f.find_last_of('\\') + 1);
            RemoveDirectoryW(Wide(dir).c_str());
        }
    }
    RemoveDirectoryW(Wide(folder).c_str());
}

std::optional<std::string> RegText(const std::string& key, const std::string& name) {
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result = RegQueryValueExW(handle, Wide(name).c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type == REG_DWORD) {
        DWORD number = 0;
        std::memcpy(&number, buffer, sizeof number);
        return std::to_string(number);
    }
    return Narrow(buffer);
}

bool KeyExists(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Wide(key).c_str(), 0, KEY_READ, &handle) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

std::string LongPath(const std::string& path) {
    wchar_t buffer[MAX_PATH * 2] = {};
    GetLongPathNameW(Wide(path).c_str(), buffer, MAX_PATH * 2);
    return Narrow(buffer);
}

bool SamePath(const std::string& a, const std::string& b) {
    return CompareStringOrdinal(Wide(a).c_str(), -1, Wide(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Runs a setup or uninstall program and waits for it; its exit code, or -1 on time-out.
long RunToEnd(const std::string& exe, const std::string& arguments) {
    Process process(exe, arguments);
    if (!process.Handle()) {
        return -2;
    }
    DWORD code = 0;
    return process.WaitExit(90000, &code) ? static_cast<long>(code) : -1;
}

// The bytes of the files, by relative path, where they differ from the staged program folder.
std::vector<std::string> DifferingFromStaged(const std::string& folder) {
    std::vector<std::string> staged;
    ListFiles(StagedProgramFolder(), "", &staged);
    std::vector<std::string> differing;
    for (const std::string& f : staged) {
        if (ReadFileBytes(StagedProgramFolder() + "\\" + f) != ReadFileBytes(folder + "\\" + f)) {
            differing.push_back(f);
        }
    }
    return differing;
}

TEST(Installer, InstallsRunsUpgradesKeepingEditsAndUninstalls) {
    std::string why;
    const std::string setup = FindInstaller(&why);
    if (setup.empty()) {
        if (std::getenv("ORVELLE_INSTALLER")) {
            FAIL() << why;
        }
        GTEST_SKIP() << why;
    }
    const std::string folder = InstallFolder();
    const std::string scr = folder + "\\orvelle.scr";
    // A user who never had it: no folder, no entry, no screen saver chosen.
    RemoveFolder(folder);
    RegDeleteTreeW(HKEY_CURRENT_USER, Wide(kUninstallKey).c_str());
    HKEY desktop;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(kDesktopKey).c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &desktop, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueW(desktop, L"SCRNSAVE.EXE");
    RegCloseKey(desktop);

    // 1. The silent installation: the program folder in place, byte for byte, and Orvelle the
    // current screen saver.
    ASSERT_EQ(RunToEnd(setup, "/S"), 0);
    EXPECT_EQ(DifferingFromStaged(folder), std::vector<std::string>{});
    EXPECT_TRUE(Exists(folder + "\\uninstall.exe"));
    const std::optional<std::string> chosen = RegText(kDesktopKey, "SCRNSAVE.EXE");
    ASSERT_TRUE(chosen.has_value());
    EXPECT_TRUE(SamePath(LongPath(*chosen), scr)) << *chosen << " is not " << scr;
    EXPECT_EQ(RegText(kDesktopKey, "ScreenSaveActive"), "1");
    const struct {
        const char* name;
        std::string value;
    } entries[] = {
        {"DisplayName", "Orvelle Screen Saver"},
        {"DisplayVersion", "4.1"},
        {"Publisher", "Orvelle"},
        {"InstallLocation", folder},
        {"DisplayIcon", scr + ",0"},
        {"UninstallString", "\"" + folder + "\\uninstall.exe\""},
        {"QuietUninstallString", "\"" + folder + "\\uninstall.exe\" /S"},
        {"NoModify", "1"},
        {"NoRepair", "1"},
    };
    for (const auto& entry : entries) {
        EXPECT_EQ(RegText(kUninstallKey, entry.name), entry.value) << entry.name;
    }

    // 2. The installed saver runs from there and ends on a key.
    {
        Process saver(scr, "/s");
        HWND window = WaitForWindow(saver, kPatience);
        ASSERT_NE(window, nullptr) << "the installed saver showed no window";
        EXPECT_TRUE(HoldsFor(1500, [&] { return FindMessageBox(saver.Id()) == nullptr; }))
            << "the installed saver reported a failure";
        SendKey(window, VK_SPACE);
        EXPECT_TRUE(saver.WaitExit(kPatience));
    }

    // 3. An upgrade over edits: the themes (one of the bundled ones edited, one of the user's
    // own) and the global settings stay byte for byte; a damaged bundled file is replaced.
    const std::vector<std::pair<std::string, std::string>> edits = {
        {"orvellesaver\\Classic.ini",
         "[images]\r\n0=C:\\pictures\\mine.jpg\r\n[total]\r\n"
         "total=1\r\n; edited by hand\r\n"},
        {"orvellesaver\\Holiday.2001.ini", "[images]\r\n0=C:\\pictures\\beach.jpg\r\n"},
        {"orvellemain.ini",
         "[saver]\r\ncurrentsaver=Holiday.2001\r\n[mouse]\r\n"
         "mouseSensitivity=7\r\n"},
    };
    for (const auto& [file, text] : edits) {
        ASSERT_TRUE(WriteFileBytes(folder + "\\" + file, text)) << file;
    }
    const std::optional<std::string> installedTheme =
        ReadFileBytes(folder + "\\orvellesaver\\Orvelle.ini");
    ASSERT_TRUE(WriteFileBytes(folder + "\\help.htm", "damaged"));
    DeleteFileW(Wide(folder + "\\samples\\aurora.jpg").c_str());
    ASSERT_EQ(RunToEnd(setup, "/S"), 0);
    for (const auto& [file, text] : edits) {
        EXPECT_EQ(ReadFileBytes(folder + "\\" + file), text) << file << " changed";
    }
    EXPECT_EQ(ReadFileBytes(folder + "\\orvellesaver\\Orvelle.ini"), installedTheme);
    // The saver itself may have written to the installed theme (its first-run step): of all
    // the files, only the settings files may differ from the bundled ones.
    std::vector<std::string> replaced = DifferingFromStaged(folder);
    std::erase_if(replaced, [](const std::string& f) {
        return f == "orvellemain.ini" || f.starts_with("orvellesaver\\");
    });
    EXPECT_EQ(replaced, std::vector<std::string>{}) << "not replaced by the upgrade";

    // 4. The silent uninstallation, run in place so that it can be waited for: the program and
    // the bundled files go, the themes and settings stay, Windows forgets both entries.
    ASSERT_EQ(RunToEnd(folder + "\\uninstall.exe", "/S _?=" + folder), 0);
    DeleteFileW(Wide(folder + "\\uninstall.exe").c_str());
    EXPECT_FALSE(Exists(scr));
    EXPECT_FALSE(KeyExists(kUninstallKey));
    EXPECT_EQ(RegText(kDesktopKey, "SCRNSAVE.EXE"), std::nullopt);
    std::vector<std::string> left;
    ListFiles(folder, "", &left);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"orvellemain.ini", "orvellesaver\\Classic.ini",
                                              "orvellesaver\\Holiday.2001.ini",
                                              "orvellesaver\\Orvelle.ini"}));
    RemoveFolder(folder);
}

// What Windows' loader and Explorer read from the built program.
TEST(Installer, ProgramFileCarriesTitleVersionAndIconSizes) {
    const std::string scr = StagedProgramFolder() + "\\orvelle.scr";
    HMODULE module = LoadLibraryExW(Wide(scr).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    wchar_t title[128] = {};
    const int length = LoadStringW(module, 1, title, 128);
    EXPECT_EQ(Narrow(std::wstring(title, static_cast<size_t>(length))), "Orvelle Screen Saver");

    // The icon group (resource type 14) lists each picture's width, 0 standing for 256.
    std::vector<int> sizes;
    if (HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14))) {
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
        const int count = data[4] | (data[5] << 8);
        for (int i = 0; i < count; ++i) {
            const int width = data[6 + 14 * i];
            sizes.push_back(width == 0 ? 256 : width);
        }
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 256}));
    FreeLibrary(module);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(Wide(scr).c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(Wide(scr).c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 4));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(1, 4));
    const struct {
        const wchar_t* key;
        const char* value;
    } texts[] = {
        {L"FileVersion", "4.1.0.0"},
        {L"ProductVersion", "4.1.0.0"},
        {L"ProductName", "Orvelle Screen Saver"},
        {L"FileDescription", "Orvelle Screen Saver"},
        {L"CompanyName", "Orvelle"},
    };
    for (const auto& text : texts) {
        wchar_t* value = nullptr;
        UINT chars = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + text.key;
        ASSERT_TRUE(
            VerQueryValueW(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars))
            << Narrow(text.key);
        EXPECT_EQ(Narrow(value), text.value) << Narrow(text.key);
    }
}

}  // namespace
