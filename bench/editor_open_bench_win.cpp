// How long the theme editor takes to open on a theme of 5,000 pictures next to one of 5 pictures
// with the same first picture (target: at most 1.5 x), how long OK takes to write the large
// theme and the global settings file (target: well under a second), how long moving a picture
// up takes in a list of 5,000 next to a list of 5 (target: at most 10 x), and how long importing
// a folder of 2,000 small pictures takes next to listing that folder (target: at most 2 x).
//
//   editor_open_bench_win.exe [orvelle.scr] [rounds]
//
// The editor's window templates and button pictures come from orvelle.scr (by default the one
// in program\ beside this program). The themes are written to a fresh folder under the temp
// folder, with a 4000 x 3000 BMP as the first picture.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "bench_pictures.h"
#include "bench_timing.h"
#include "config/control_ids.h"
#include "config/folder_import_win.h"
#include "config/theme_editor_win.h"
#include "settings/file_system_win.h"

using orvelle::win::Narrow;
using orvelle::win::ThemeEditorWindow;
using orvelle::win::Wide;

using bench::Median;
using bench::Pump;
using bench::Seconds;

namespace {

// Through the program's own file calls: written whole, or not at all.
bool WriteBytes(const std::string& path, const std::string& bytes) {
    orvelle::win::WinFileSystem files;
    return files.ReplaceFile(path, bytes);
}

// A 24-bit BMP with a smooth pattern.
std::string Bmp(int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    const unsigned size = 54u + static_cast<unsigned>(stride) * height;
    std::string b(size, '\0');
    auto put = [&](std::size_t at, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            b[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    b[0] = 'B';
    b[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<unsigned>(width), 4);
    put(22, static_cast<unsigned>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at = 54 + static_cast<std::size_t>(y) * stride + x * 3;
            b[at] = static_cast<char>(x * 255 / width);
            b[at + 1] = static_cast<char>(y * 255 / height);
            b[at + 2] = static_cast<char>(128);
        }
    }
    return b;
}

// The picture list among the editor's controls (a plain function: 32-bit callbacks are stdcall).
BOOL CALLBACK FindPictureList(HWND child, LPARAM found) {
    if (GetDlgCtrlID(child) == IDL_IMAGES_PICTURES) {
        *reinterpret_cast<HWND*>(found) = child;
    }
    return TRUE;
}

std::string Theme(int pictures, const std::string& first) {
    // Every entry names a real file: a missing one would stop a selection with a message.
    std::vector<std::string> paths(static_cast<std::size_t>(pictures), first);
    std::vector<std::string> captions;
    for (int i = 0; i < pictures; ++i) {
        captions.push_back("Picture number " + std::to_string(i));
    }
    return bench::EditorThemeText(paths, captions);
}

// The program's windows and the folder the themes are written to.
struct Bench {
    HMODULE resources = nullptr;
    std::string folder;
    HINSTANCE Instance() const { return reinterpret_cast<HINSTANCE>(resources); }
};

// Window made, theme loaded into every control, first picture previewed, all painted; with
// saveSeconds, the time OK's save then takes.
double OpenOnce(const Bench& b, const char* theme, double* saveSeconds) {
    WriteBytes(b.folder + "orvellemain.ini", std::string("[saver]\r\ncurrentsaver=") + theme +
                                                 "\r\n[mouse]\r\n" + "mouseSensitivity=23\r\n");
    const double start = Seconds();
    ThemeEditorWindow window(b.Instance(), b.folder);
    if (!window.Open()) {
        return -1.0;
    }
    UpdateWindow(window.Handle());
    Pump();
    const double opened = Seconds() - start;
    if (saveSeconds) {
        const double before = Seconds();
        window.Editor().saveSucceeded = true;
        window.Editor().SaveTheme();
        *saveSeconds = window.Editor().saveSucceeded ? Seconds() - before : -1.0;
    }
    return opened;
}

// One move up of the last picture, through the toolbar as a click sends it (median of 20).
double MoveUpOnce(const Bench& b, const char* theme) {
    WriteBytes(b.folder + "orvellemain.ini",
               std::string("[saver]\r\ncurrentsaver=") + theme + "\r\n");
    ThemeEditorWindow window(b.Instance(), b.folder);
    if (!window.Open()) {
        return -1.0;
    }
    Pump();
    HWND list = nullptr;
    EnumChildWindows(window.Handle(), FindPictureList, reinterpret_cast<LPARAM>(&list));
    const int last = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)) - 1;
    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        // The last entry again each time, so that every timed click really moves one.
        SendMessageW(list, LB_SETCURSEL, last, 0);
        SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(IDL_IMAGES_PICTURES, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        Pump();
        const double start = Seconds();
        HWND bar = FindWindowExW(GetParent(list), nullptr, TOOLBARCLASSNAMEW, nullptr);
        SendMessageW(GetParent(list), WM_COMMAND, IDB_IMAGES_UP, reinterpret_cast<LPARAM>(bar));
        UpdateWindow(window.Handle());
        times.push_back(Seconds() - start);
    }
    return Median(times);
}

// The folder's pictures imported into an open editor; listing: the time listing them took.
double ImportOnce(const Bench& b, const std::string& pictures, double* listing) {
    WriteBytes(b.folder + "orvellemain.ini", "[saver]\r\ncurrentsaver=Small\r\n");
    ThemeEditorWindow window(b.Instance(), b.folder);
    if (!window.Open()) {
        return -1.0;
    }
    Pump();
    // The advice for long lists would wait for a person.
    window.Editor().manyImagesWarned = true;
    orvelle::win::FolderListerWin lister;
    double start = Seconds();
    orvelle::FolderImport multi(window.Editor(), lister);
    multi.Open(pictures);
    *listing = Seconds() - start;
    start = Seconds();
    multi.OnLoad();
    window.ShowEditor();
    UpdateWindow(window.Handle());
    return Seconds() - start;
}

// The two themes with a 4000 x 3000 first picture, and 2,000 small pictures in many\.
bool WriteFiles(const Bench& b) {
    CreateDirectoryW(Wide(b.folder).c_str(), nullptr);
    CreateDirectoryW(Wide(b.folder + "orvellesaver").c_str(), nullptr);
    CreateDirectoryW(Wide(b.folder + "many\\").c_str(), nullptr);
    const std::string first = b.folder + "first.bmp";
    bool written = WriteBytes(first, Bmp(4000, 3000)) &&
                   WriteBytes(b.folder + "orvellesaver\\Small.ini", Theme(5, first)) &&
                   WriteBytes(b.folder + "orvellesaver\\Large.ini", Theme(5000, first));
    const std::string tinyPicture = Bmp(32, 24);
    for (int i = 0; i < 2000 && written; ++i) {
        written =
            WriteBytes(b.folder + "many\\p" + std::to_string(10000 + i) + ".bmp", tinyPicture);
    }
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string here = Narrow(self);
    here = here.substr(0, here.find_last_of('\\') + 1);
    const std::string program = argc > 1 ? argv[1] : here + "program\\orvelle.scr";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    Bench b;
    b.resources = LoadLibraryExW(Wide(program).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!b.resources) {
        std::fprintf(stderr, "cannot read the windows of %s\n", program.c_str());
        return 1;
    }
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    b.folder = Narrow(temp) + "orvelle-editor-bench\\";
    if (!WriteFiles(b)) {
        std::fprintf(stderr, "cannot write the themes under %s\n", b.folder.c_str());
        return 1;
    }
    OpenOnce(b, "Small", nullptr);  // warm the file cache and the decoder
    std::vector<double> small, large, saves, movesSmall, movesLarge, listings, imports;
    for (int i = 0; i < rounds; ++i) {
        small.push_back(OpenOnce(b, "Small", nullptr));
        double save = 0;
        large.push_back(OpenOnce(b, "Large", &save));
        saves.push_back(save);
        if (small.back() < 0 || large.back() < 0 || save < 0) {
            std::fprintf(stderr, "the editor did not open or save\n");
            return 1;
        }
    }
    for (int i = 0; i < rounds; ++i) {
        movesSmall.push_back(MoveUpOnce(b, "Small"));
        movesLarge.push_back(MoveUpOnce(b, "Large"));
        double listing = 0;
        imports.push_back(ImportOnce(b, b.folder + "many\\", &listing));
        listings.push_back(listing);
    }
    const double ratio = Median(large) / Median(small);
    const double moveRatio = Median(movesLarge) / Median(movesSmall);
    const double importRatio = Median(imports) / Median(listings);
    std::printf("open, 5 pictures:      %.1f ms (median of %d)\n", Median(small) * 1000, rounds);
    std::printf("open, 5,000 pictures:  %.1f ms\n", Median(large) * 1000);
    std::printf("ratio:                 %.2f (target at most 1.5)\n", ratio);
    std::printf("OK on 5,000 pictures:  %.1f ms (target well under 1000)\n", Median(saves) * 1000);
    std::printf("move up, 5 / 5,000:    %.2f / %.2f ms, ratio %.2f (target at most 10)\n",
                Median(movesSmall) * 1000, Median(movesLarge) * 1000, moveRatio);
    std::printf("list / import 2,000:   %.1f / %.1f ms, ratio %.2f (target at most 2)\n",
                Median(listings) * 1000, Median(imports) * 1000, importRatio);
    FreeLibrary(b.resources);
    return ratio <= 1.5 && Median(saves) < 1.0 && moveRatio <= 10 && importRatio <= 2 ? 0 : 2;
}
