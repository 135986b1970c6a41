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
    std::string text = "[images]\r\n";
    for (int i = 0; i < pictures; ++i) {
        // Every entry names a real file: a missing one would stop a selection with a message.
        text += std::to_string(i) + "=" + first + "\r\n";
    }
    text += "[caption]\r\n";
    for (int i = 0; i < pictures; ++i) {
        text += std::to_string(i) + "=Picture number " + std::to_string(i) + "\r\n";
    }
    text += "[total]\r\ntotal=" + std::to_string(pictures) +
            "\r\nmediaTotal=0\r\n[image]\r\nrandomMedia=0\r\nrandomPick=0\r\npicSpeed=2\r\n"
            "timeInterval=8\r\npicRandom=cent\r\npicChange=ch\r\npicturePercent=80\r\n"
            "timeDisplay=0\r\n[background]\r\nnewBackColor=0\r\nbackEffect=0\r\n"
            "backgroundImage=\r\nbackgroundDisplay=0\r\nredBackground=0\r\ngreenBackground=0\r\n"
            "blueBackground=0\r\n[font]\r\nscroll=1\r\nscrollSpeed=150\r\nnewFontName=Arial\r\n"
            "newFontSize=12\r\nnewFontBold=False\r\nnewFontItalic=False\r\n"
            "newFontUnderline=False\r\nnewFontFontStrikethru=False\r\nnewFontForeColor=0\r\n"
            "[transitions]\r\nbStandard=1\r\nbLeftWipe=0\r\nbRightWipe=0\r\n"
            "bRightandLeftWipe=0\r\nbUpAndDown=0\r\nbCenter=0\r\nbHorizontalBlinds=0\r\n"
            "bVerticalBlinds=0\r\nbFade=0\r\n[date]\r\ncountdownMonth=12\r\ncountdownDay=25\r\n"
            "countdownYear=2027\r\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string here = Narrow(self);
    here = here.substr(0, here.find_last_of('\\') + 1);
    const std::string program = argc > 1 ? argv[1] : here + "program\\orvelle.scr";
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    HMODULE resources = LoadLibraryExW(Wide(program).c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!resources) {
        std::fprintf(stderr, "cannot read the windows of %s\n", program.c_str());
        return 1;
    }

    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const std::string folder = Narrow(temp) + "orvelle-editor-bench\\";
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    CreateDirectoryW(Wide(folder + "orvellesaver").c_str(), nullptr);
    const std::string first = folder + "first.bmp";
    if (!WriteBytes(first, Bmp(4000, 3000)) ||
        !WriteBytes(folder + "orvellesaver\\Small.ini", Theme(5, first)) ||
        !WriteBytes(folder + "orvellesaver\\Large.ini", Theme(5000, first))) {
        std::fprintf(stderr, "cannot write the themes under %s\n", folder.c_str());
        return 1;
    }

    // Window made, theme loaded into every control, first picture previewed, all painted.
    auto open = [&](const char* theme, double* saveSeconds) {
        WriteBytes(folder + "orvellemain.ini", std::string("[saver]\r\ncurrentsaver=") + theme +
                                                   "\r\n[mouse]\r\n" + "mouseSensitivity=23\r\n");
        const double start = Seconds();
        ThemeEditorWindow window(reinterpret_cast<HINSTANCE>(resources), folder);
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
    };

    // One move up of the last picture, through the toolbar as a click sends it.
    auto moveUp = [&](const char* theme) {
        WriteBytes(folder + "orvellemain.ini",
                   std::string("[saver]\r\ncurrentsaver=") + theme + "\r\n");
        ThemeEditorWindow window(reinterpret_cast<HINSTANCE>(resources), folder);
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
            SendMessageW(GetParent(list), WM_COMMAND,
                         MAKEWPARAM(IDL_IMAGES_PICTURES, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            Pump();
            const double start = Seconds();
            HWND bar = FindWindowExW(GetParent(list), nullptr, TOOLBARCLASSNAMEW, nullptr);
            SendMessageW(GetParent(list), WM_COMMAND, IDB_IMAGES_UP, reinterpret_cast<LPARAM>(bar));
            UpdateWindow(window.Handle());
            times.push_back(Seconds() - start);
        }
        return Median(times);
    };

    // 2,000 small pictures in a folder: listed, then imported into an open editor.
    const std::string pictures = folder + "many\\";
    CreateDirectoryW(Wide(pictures).c_str(), nullptr);
    const std::string tinyPicture = Bmp(32, 24);
    for (int i = 0; i < 2000; ++i) {
        WriteBytes(pictures + "p" + std::to_string(10000 + i) + ".bmp", tinyPicture);
    }
    auto import = [&](double* listing) {
        WriteBytes(folder + "orvellemain.ini", "[saver]\r\ncurrentsaver=Small\r\n");
        ThemeEditorWindow window(reinterpret_cast<HINSTANCE>(resources), folder);
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
    };

    open("Small", nullptr);  // warm the file cache and the decoder
    std::vector<double> small;
    std::vector<double> large;
    std::vector<double> saves;
    for (int i = 0; i < rounds; ++i) {
        small.push_back(open("Small", nullptr));
        double save = 0;
        large.push_back(open("Large", &save));
        saves.push_back(save);
        if (small.back() < 0 || large.back() < 0 || save < 0) {
            std::fprintf(stderr, "the editor did not open or save\n");
            return 1;
        }
    }
    std::vector<double> movesSmall;
    std::vector<double> movesLarge;
    std::vector<double> listings;
    std::vector<double> imports;
    for (int i = 0; i < rounds; ++i) {
        movesSmall.push_back(moveUp("Small"));
        movesLarge.push_back(moveUp("Large"));
        double listing = 0;
        imports.push_back(import(&listing));
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
    FreeLibrary(resources);
    return ratio <= 1.5 && Median(saves) < 1.0 && moveRatio <= 10 && importRatio <= 2 ? 0 : 2;
}
