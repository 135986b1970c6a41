// A photo library of 100,000 small JPEGs in 1,000 folders, shown through one folder entry, side by
// side with a theme of 10 files (run it on a 1024 x 768 screen):
//
//   first picture  time from starting orvelle.scr to its first picture on the screen, the library
//                  against the 10 files, in list order and in the fair shuffle, without the scan
//                  cache (cold) and with it (warm): each at most 1.2 x.
//   memory         the highest working set of orvelle.scr over its first 15 s with the library
//                  (cold and warm) against the 10 files: at most 40 MB above.
//   shuffle        1,000 pictures in the real engine: 1,000 changes show each once; two runs of
//                  500, where the first stopped kept in between, show the same 1,000 once each.
//   editor         the theme editor opening (window made, theme loaded, painted, the first
//                  picture previewed) on the library against the 10 files, without the scan
//                  cache and with it: at most 1.5 x. The time until the library's count shows is
//                  told too.
//
//   library_bench_win.exe [rounds (5)]
//
// The library is made once in the temporary folder (one JPEG written, then copied; a few minutes
// the first time) and kept for later runs.
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/clock_win.h"
#include "base/program_folder_win.h"
#include "base/random_source.h"
#include "bench_pictures.h"
#include "bench_saver.h"
#include "bench_timing.h"
#include "bench_view.h"
#include "config/control_ids.h"
#include "config/theme_editor_win.h"
#include "media/mci_sender_win.h"
#include "saver/registry_win.h"
#include "saver/saver_form.h"
#include "saver/saver_window_win.h"
#include "settings/file_system_win.h"
#include "settings/theme_storage.h"

using orvelle::win::Wide;

namespace {

constexpr COLORREF kPicture = RGB(40, 180, 90);
constexpr int kFolders = 1000;
constexpr int kPerFolder = 100;

std::string Temp(const std::string& name) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    return orvelle::win::Narrow(folder) + name;
}

bool Near(COLORREF a, COLORREF b) {
    const auto close = [](int x, int y) { return x - y <= 12 && y - x <= 12; };
    return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
           close(GetBValue(a), GetBValue(b));
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Numbered(int value, int digits) {
    std::string text = std::to_string(value);
    return std::string(
               static_cast<std::size_t>(std::max(0, digits - static_cast<int>(text.size()))), '0') +
           text;
}

// photos\f000\p00.jpg .. photos\f999\p99.jpg, copies of one small JPEG; a marker once whole.
bool MakeLibrary(const std::string& root, const std::string& jpeg) {
    if (Exists(root + "complete")) {
        return true;
    }
    std::printf("making the library of %d pictures (once)...\n", kFolders * kPerFolder);
    std::fflush(stdout);
    CreateDirectoryW(Wide(root).c_str(), nullptr);
    for (int f = 0; f < kFolders; ++f) {
        const std::string folder = root + "f" + Numbered(f, 3) + "\\";
        CreateDirectoryW(Wide(folder).c_str(), nullptr);
        for (int p = 0; p < kPerFolder; ++p) {
            const std::wstring target = Wide(folder + "p" + Numbered(p, 2) + ".jpg");
            if (!CopyFileW(Wide(jpeg).c_str(), target.c_str(), FALSE)) {
                return false;
            }
        }
    }
    bench::WriteText(root + "complete", "");
    return true;
}

// The theme's state files kept in the user's local application data.
void ForgetState() {
    for (const char* ending : {".scan", ".state"}) {
        DeleteFileW(Wide(orvelle::win::LocalStateFolder() + "Bench" + ending).c_str());
    }
}

// One run of orvelle.scr in the folder: the time to its first picture on the screen, and the
// highest working set over the first `watch` seconds. Negative time when it did not show.
struct Run {
    double first = -1;
    std::size_t highest = 0;
};

Run RunSaver(const std::wstring& program, double watch) {
    Run run;
    PROCESS_INFORMATION process{};
    const double start = bench::Seconds();
    HWND window = bench::StartSaver(program, process);
    while (window && bench::Seconds() - start < std::max(watch, 20.0)) {
        run.highest = std::max(run.highest, bench::WorkingSetOf(process.hProcess));
        if (run.first < 0 && Near(bench::CentrePixel(), kPicture)) {
            run.first = bench::Seconds() - start;
        }
        if (run.first >= 0 && bench::Seconds() - start >= watch) {
            break;
        }
        Sleep(2);
    }
    if (window) {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters)) {
            run.highest = std::max<std::size_t>(run.highest, counters.PeakWorkingSetSize);
        }
        bench::EndSaver(window, process);
    }
    return run;
}

// Runs until the scan cache of the theme is there (the first run writes it once its walk ends).
bool WarmUp(const std::wstring& program) {
    const std::string cache = orvelle::win::LocalStateFolder() + "Bench.scan";
    PROCESS_INFORMATION process{};
    HWND window = bench::StartSaver(program, process);
    const double start = bench::Seconds();
    while (window && !Exists(cache) && bench::Seconds() - start < 300) {
        Sleep(50);
    }
    if (window) {
        bench::EndSaver(window, process);
    }
    return Exists(cache);
}

// --- The shuffle, in the real engine on this process's window ---

// The saver window as the engine sees it, the shown pictures noted, the pause between pictures
// left out (only the order counts here).
class ShownView final : public bench::ForwardingView {
  public:
    explicit ShownView(orvelle::win::SaverWindow& w) : ForwardingView(w) {}
    void DecodePicture(const orvelle::PictureRequest& r) override {
        paths_[r.ticket] = r.path;
        ForwardingView::DecodePicture(r);
    }
    bool PlaceDecodedPicture(std::uint32_t ticket) override {
        shown.push_back(paths_[ticket]);
        return ForwardingView::PlaceDecodedPicture(ticket);
    }
    void PumpEvents(double) override { ForwardingView::PumpEvents(0); }
    std::vector<std::string> shown;

  private:
    std::map<std::uint32_t, std::string> paths_;
};

// The engine on the folder's theme until it has shown `count` pictures; where it stopped is kept
// in stateFolder as a run ending keeps it.
std::vector<std::string> ShowPictures(const std::string& folder, const std::string& stateFolder,
                                      std::size_t count) {
    bench::EngineRun<ShownView> run(folder, stateFolder);
    run.window.Attach(run.form);
    const double start = bench::Seconds();
    run.RunUntil([&] { return run.view.shown.size() >= count || bench::Seconds() - start >= 600; });
    return run.view.shown;
}

// --- The editor, in this process ---

struct EditorOpen {
    double previewed = -1;  // window up, theme loaded, painted, first picture previewed
    double counted = -1;    // every entry's count shown
};

// The editor on the folder's current theme until its first picture is previewed and its folder
// entries are counted (or two minutes have passed).
EditorOpen OpenEditor(HMODULE resources, const std::string& folder) {
    EditorOpen open;
    const double start = bench::Seconds();
    orvelle::win::ThemeEditorWindow window(reinterpret_cast<HINSTANCE>(resources), folder);
    if (!window.Open()) {
        return open;
    }
    const orvelle::ThemeEditor& editor = window.Editor();
    auto counted = [&editor] {
        for (const std::string& entry : editor.controls[IDL_IMAGES_PICTURES].items) {
            const std::string shown = editor.ShownItem(IDL_IMAGES_PICTURES, entry);
            if (shown.find("(counting") != std::string::npos) {
                return false;
            }
        }
        return true;
    };
    while (bench::Seconds() - start < 120 && (open.previewed < 0 || open.counted < 0)) {
        bench::Pump();
        if (open.previewed < 0 && editor.preview.shown) {
            UpdateWindow(window.Handle());
            open.previewed = bench::Seconds() - start;
        }
        if (open.counted < 0 && counted()) {
            open.counted = bench::Seconds() - start;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
    }
    return open;
}

std::size_t Distinct(const std::vector<std::string>& shown) {
    return std::set<std::string>(shown.begin(), shown.end()).size();
}

// Where the benchmark works: the library, the ten files and a program folder with orvelle.scr.
struct Setting {
    std::string base;
    std::string folder;
    std::wstring program;
    std::vector<std::string> ten;
    std::vector<std::string> Pictures(bool library) const {
        return library ? std::vector<std::string>{base + "photos\\"} : ten;
    }
};

// Time to the first picture and memory, each configuration in turn, round by round; false when
// a target is missed.
bool SaverFigures(const Setting& at, int rounds) {
    struct Case {
        const char* name;
        bool library;
        bool shuffled;
        bool cold;
        std::vector<double> first;
        std::size_t highest = 0;
    };
    std::vector<Case> cases = {
        {"10 files, list order", false, false, false, {}, 0},
        {"library, list, cold", true, false, true, {}, 0},
        {"library, list, warm", true, false, false, {}, 0},
        {"10 files, shuffle", false, true, false, {}, 0},
        {"library, shuffle, cold", true, true, true, {}, 0},
        {"library, shuffle, warm", true, true, false, {}, 0},
    };
    bool met = true;
    for (int round = 0; round < rounds && met; ++round) {
        for (Case& c : cases) {
            bench::WriteSaverFolder(at.folder, at.Pictures(c.library), "1", "none", c.shuffled);
            ForgetState();
            if (c.library && !c.cold && !WarmUp(at.program)) {
                std::fprintf(stderr, "the scan cache was never written\n");
                return false;
            }
            const Run run = RunSaver(at.program, round == 0 ? 15.0 : 0.0);
            met = met && run.first >= 0;
            c.first.push_back(run.first);
            c.highest = std::max(c.highest, run.highest);
        }
    }
    ForgetState();
    std::printf("first picture (median of %d runs of orvelle.scr):\n", rounds);
    for (const Case& c : cases) {
        const double median = bench::Median(c.first);
        const double against = bench::Median(cases[c.shuffled ? 3 : 0].first);
        std::printf("  %-24s %7.1f ms", c.name, median * 1e3);
        if (c.library) {
            std::printf("  ratio %.3f (target <= 1.2)", median / against);
            met = met && median <= 1.2 * against;
        }
        std::printf("\n");
    }
    const double mb = 1.0 / (1 << 20);
    std::printf("working set, highest over the first 15 s:\n");
    for (const Case& c : cases) {
        const std::size_t against = cases[c.shuffled ? 3 : 0].highest;
        std::printf("  %-24s %7.1f MB", c.name, c.highest * mb);
        if (c.library) {
            const double above = (static_cast<double>(c.highest) - against) * mb;
            std::printf("  %+.1f MB (target <= 40)", above);
            met = met && above <= 40;
        }
        std::printf("\n");
    }
    return met;
}

// The editor opening on each theme, round by round, its windows from orvelle.scr; false when
// the target is missed.
bool EditorFigures(const Setting& at, int rounds) {
    HMODULE resources = LoadLibraryExW(at.program.c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!resources) {
        std::fprintf(stderr, "cannot read the windows of orvelle.scr\n");
        return false;
    }
    struct Case {
        const char* name;
        bool library;
        bool cold;
        std::vector<double> previewed;
        std::vector<double> counted;
    };
    std::vector<Case> cases = {{"10 files", false, false, {}, {}},
                               {"library, cold", true, true, {}, {}},
                               {"library, warm", true, false, {}, {}}};
    const std::string cache = orvelle::win::LocalStateFolder() + "Bench.scan";
    for (int round = 0; round < rounds; ++round) {
        for (Case& c : cases) {
            bench::WriteSaverFolder(at.folder, {}, "1", "none");
            bench::WriteText(at.folder + "orvellesaver\\Bench.ini",
                             bench::EditorThemeText(at.Pictures(c.library)));
            if (c.cold) {
                ForgetState();
            }
            const EditorOpen open = OpenEditor(resources, at.folder);
            c.previewed.push_back(open.previewed);
            c.counted.push_back(open.counted);
            // The count's walk is kept for the next opening, as a saver run keeps it.
            for (const double start = bench::Seconds();
                 c.cold && !Exists(cache) && bench::Seconds() - start < 60;) {
                Sleep(20);
            }
        }
    }
    FreeLibrary(resources);
    ForgetState();
    bool met = true;
    std::printf("editor opening, first picture previewed (median of %d):\n", rounds);
    for (const Case& c : cases) {
        const double median = bench::Median(c.previewed);
        const double against = bench::Median(cases[0].previewed);
        std::printf("  %-24s %7.1f ms", c.name, median * 1e3);
        if (c.library) {
            std::printf("  ratio %.3f (target <= 1.5), counted after %.1f ms", median / against,
                        bench::Median(c.counted) * 1e3);
            met = met && median >= 0 && median <= 1.5 * against;
        }
        std::printf("\n");
    }
    return met;
}

// The shuffle: 1,000 of the library's pictures, in the engine; false when one came twice.
bool ShuffleFigures(const Setting& at) {
    const std::string state = at.base + "state\\";
    std::vector<std::string> entries;  // ten folders of 100
    for (int f = 0; f < 10; ++f) {
        entries.push_back(at.base + "photos\\f" + Numbered(f, 3) + "\\");
    }
    bench::WriteSaverFolder(at.folder, entries, "0.001", "none", true);
    DeleteFileW(Wide(state + "Bench.state").c_str());
    const std::vector<std::string> whole = ShowPictures(at.folder, state, 1000);
    DeleteFileW(Wide(state + "Bench.state").c_str());
    std::vector<std::string> halves = ShowPictures(at.folder, state, 500);
    const std::vector<std::string> second = ShowPictures(at.folder, state, 500);
    halves.insert(halves.end(), second.begin(), second.end());
    std::printf("shuffle, 1,000 pictures: 1,000 changes showed %zu of %zu different\n",
                Distinct(whole), whole.size());
    std::printf("shuffle, two runs of 500: %zu of %zu different\n", Distinct(halves),
                halves.size());
    return whole.size() == 1000 && Distinct(whole) == 1000 && halves.size() == 1000 &&
           Distinct(halves) == 1000;
}

}  // namespace

int main(int argc, char** argv) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    Setting at;
    at.base = Temp("orvelle-library-bench\\");
    CreateDirectoryW(Wide(at.base).c_str(), nullptr);
    const std::string jpeg = at.base + "small.jpg";
    if (!bench::MakeJpeg(jpeg, 64, 48, [](int, int) { return kPicture; }) ||
        !MakeLibrary(at.base + "photos\\", jpeg)) {
        std::fprintf(stderr, "cannot make the library under %s\n", at.base.c_str());
        return 1;
    }
    for (int i = 0; i < 10; ++i) {
        at.ten.push_back(at.base + "photos\\f000\\p" + Numbered(i, 2) + ".jpg");
    }
    at.folder = at.base + "saver\\";
    CreateDirectoryW(Wide(at.folder).c_str(), nullptr);
    at.program = bench::ProgramIn(at.folder);
    if (at.program.empty()) {
        std::fprintf(stderr, "cannot copy orvelle.scr into %s\n", at.folder.c_str());
        return 1;
    }
    const bool saver = SaverFigures(at, rounds);
    const bool editor = EditorFigures(at, rounds);
    const bool shuffle = ShuffleFigures(at);
    CoUninitialize();
    return saver && editor && shuffle ? 0 : 2;
}
