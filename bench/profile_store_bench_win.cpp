// A theme of 5,000 pictures written key by key in the order of a theme save and read back key by
// key in the order of a theme load, once with our profile store and once with the system's
// profile functions. Usage: profile_store_bench_win [pictures] (default 5000).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/wide_win.h"
#include "settings/file_system_win.h"
#include "settings/profile_store.h"

namespace {

using orvelle::win::Narrow;
using orvelle::win::Wide;

struct Entry {
    std::string section, key, value;
    bool eraseFirst = false;  // the section is erased before this, its first entry
};

void AddList(std::vector<Entry>& out, const char* section, int count,
             const std::string& (*valueOf)(int, std::string&)) {
    std::string buffer;
    for (int i = 0; i < count; ++i) {
        out.push_back({section, std::to_string(i), valueOf(i, buffer), i == 0});
    }
    if (count == 0) {
        out.push_back({section, "", "", true});
    }
}

const std::string& PicturePath(int i, std::string& buffer) {
    buffer = "C:\\Documents and Settings\\User\\My Documents\\My Pictures\\Holiday " +
             std::to_string(2001 + i % 7) + "\\picture_" + std::to_string(i) + ".jpg";
    return buffer;
}

const std::string& Caption(int i, std::string& buffer) {
    buffer = i % 3 == 0 ? std::string() : "On the beach, day " + std::to_string(i % 14 + 1);
    return buffer;
}

const std::string& MusicPath(int i, std::string& buffer) {
    buffer = "C:\\Windows\\Media\\track" + std::to_string(i) + ".mid";
    return buffer;
}

// Every key of a theme file in the order the save writes them.
std::vector<Entry> ThemeEntries(int pictures) {
    std::vector<Entry> e;
    AddList(e, "images", pictures, PicturePath);
    e.push_back({"total", "total", std::to_string(pictures)});
    AddList(e, "caption", pictures, Caption);
    e.push_back({"total", "mediaTotal", "3"});
    e.push_back({"image", "randomMedia", "1"});
    AddList(e, "multimedia", 3, MusicPath);
    const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>
        singles = {
            {"image", {{"randomPick", "1"}}},
            {"background", {{"newBackColor", "16711680"}, {"backEffect", "3"}}},
            {"image",
             {{"picSpeed", "3"},
              {"timeInterval", "10"},
              {"picRandom", "rand"},
              {"picChange", "ch"}}},
            {"background",
             {{"backgroundImage", "C:\\Windows\\Clouds.bmp"},
              {"backgroundDisplay", "1"},
              {"redBackground", "0"},
              {"greenBackground", "64"},
              {"blueBackground", "128"}}},
            {"font", {{"scroll", "0"}}},
            {"image", {{"picturePercent", "80"}}},
            {"font", {{"scrollSpeed", "200"}}},
            {"transitions",
             {{"bStandard", "1"},
              {"bLeftWipe", "1"},
              {"bRightWipe", "0"},
              {"bRightandLeftWipe", "1"},
              {"bUpAndDown", "0"},
              {"bCenter", "1"},
              {"bHorizontalBlinds", "1"},
              {"bVerticalBlinds", "0"},
              {"bFade", "1"}}},
            {"image", {{"timeDisplay", "2"}}},
            {"font",
             {{"newFontName", "Times New Roman"},
              {"newFontSize", "8.25"},
              {"newFontBold", "True"},
              {"newFontItalic", "False"},
              {"newFontUnderline", "False"},
              {"newFontFontStrikethru", "False"},
              {"newFontForeColor", "255"}}},
            {"date", {{"countdownMonth", "12"}, {"countdownDay", "31"}, {"countdownYear", "2040"}}},
        };
    for (const auto& group : singles) {
        for (const auto& kv : group.second) {
            e.push_back({group.first, kv.first, kv.second});
        }
    }
    return e;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

struct Times {
    double write = 0, read = 0;
    size_t bytes = 0;
    bool ok = true;
};

std::string ReadAll(const std::string& path) {
    orvelle::win::WinFileSystem fs;
    return fs.ReadFile(path).value_or("");
}

Times RunSystem(const std::string& path, const std::vector<Entry>& entries) {
    Times t;
    DeleteFileW(Wide(path).c_str());
    auto start = std::chrono::steady_clock::now();
    for (const Entry& e : entries) {
        if (e.eraseFirst) {
            WritePrivateProfileStringW(Wide(e.section).c_str(), nullptr, nullptr,
                                       Wide(path).c_str());
        }
        if (!e.key.empty()) {
            WritePrivateProfileStringW(Wide(e.section).c_str(), Wide(e.key).c_str(),
                                       Wide(e.value).c_str(), Wide(path).c_str());
        }
    }
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Wide(path).c_str());  // flush the cache
    t.write = Seconds(std::chrono::steady_clock::now() - start);
    start = std::chrono::steady_clock::now();
    wchar_t buffer[255];
    for (const Entry& e : entries) {
        if (e.key.empty()) {
            continue;
        }
        DWORD n = GetPrivateProfileStringW(Wide(e.section).c_str(), Wide(e.key).c_str(), L"",
                                           buffer, 255, Wide(path).c_str());
        t.ok = t.ok && Narrow(std::wstring_view(buffer, n)) == e.value;
    }
    t.read = Seconds(std::chrono::steady_clock::now() - start);
    t.bytes = ReadAll(path).size();
    return t;
}

Times RunStore(const std::string& path, const std::vector<Entry>& entries) {
    Times t;
    DeleteFileW(Wide(path).c_str());
    orvelle::win::WinFileSystem fs;
    auto start = std::chrono::steady_clock::now();
    {
        orvelle::ProfileStore store(fs, fs);
        for (const Entry& e : entries) {
            if (e.eraseFirst) {
                store.EraseSection(path, e.section);
            }
            if (!e.key.empty()) {
                store.WriteValue(path, e.section, e.key, e.value);
            }
        }
        t.ok = store.Flush();
    }
    t.write = Seconds(std::chrono::steady_clock::now() - start);
    // A new store, as a new run of the program: the read includes loading the file.
    start = std::chrono::steady_clock::now();
    {
        orvelle::ProfileStore store(fs, fs);
        for (const Entry& e : entries) {
            if (!e.key.empty()) {
                t.ok = t.ok && store.ReadValue(path, e.section, e.key) == e.value;
            }
        }
    }
    t.read = Seconds(std::chrono::steady_clock::now() - start);
    t.bytes = ReadAll(path).size();
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    int pictures = argc > 1 ? std::atoi(argv[1]) : 5000;
    std::vector<Entry> entries = ThemeEntries(pictures);
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    std::string ours = Narrow(temp) + "orvelle_bench_store.ini";
    std::string system = Narrow(temp) + "orvelle_bench_system.ini";

    std::printf("Theme of %d pictures: %zu keys written key by key, then read back key by key\n",
                pictures, entries.size());
    Times store = RunStore(ours, entries);
    std::printf("profile store:      write %9.3f s  read %9.3f s  (%zu bytes)%s\n", store.write,
                store.read, store.bytes, store.ok ? "" : "  VALUES DIFFER");
    std::fflush(stdout);
    Times sys = RunSystem(system, entries);
    std::printf("system functions:   write %9.3f s  read %9.3f s  (%zu bytes)%s\n", sys.write,
                sys.read, sys.bytes, sys.ok ? "" : "  VALUES DIFFER");
    std::printf("system / store:     write %9.1fx   read %9.1fx\n",
                store.write > 0 ? sys.write / store.write : 0.0,
                store.read > 0 ? sys.read / store.read : 0.0);
    bool same = ReadAll(ours) == ReadAll(system);
    std::printf("files identical:    %s\n", same ? "yes" : "no");
    DeleteFileW(Wide(ours).c_str());
    DeleteFileW(Wide(system).c_str());
    return store.ok && sys.ok && same ? 0 : 1;
}
