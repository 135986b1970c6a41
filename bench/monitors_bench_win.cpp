// Pictures on every monitor against the main monitor alone, the same theme side by side in one
// run of orvelle.scr each, on a display of two monitors (bench/monitors_bench.sh makes one):
//
//   period  time between changes on each monitor with pictures on both, against the main
//           monitor's with pictures on it alone (six 12-megapixel JPEGs, interval 1 s,
//           Standard effect): at most 1.1 x.
//   memory  the highest working set over those changes, both monitors against one: at most
//           1.5 x.
//
//   monitors_bench_win.exe [changes (12)]
#include <objbase.h>
#include <psapi.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/wide_win.h"
#include "bench_pictures.h"
#include "bench_saver.h"
#include "bench_timing.h"

namespace {

constexpr COLORREF kTints[6] = {RGB(200, 40, 40),  RGB(40, 200, 40),  RGB(40, 40, 200),
                                RGB(200, 200, 40), RGB(40, 200, 200), RGB(200, 40, 200)};

// The changes seen at one point of the screen: a new picture is a colour away from the black
// background that differs from the one shown before.
struct Watch {
    POINT at{};
    COLORREF shown = RGB(0, 0, 0);
    std::vector<double> changes;

    void Look(const HDC screen, double now) {
        const COLORREF c = GetPixel(screen, at.x, at.y);
        const int level = GetRValue(c) + GetGValue(c) + GetBValue(c);
        if (c != CLR_INVALID && level > 120 && c != shown) {
            shown = c;
            changes.push_back(now);
        }
    }
    // The median time between changes after the first (which waits for the start).
    double Period() const {
        std::vector<double> gaps;
        for (std::size_t i = 2; i < changes.size(); ++i) {
            gaps.push_back(changes[i] - changes[i - 1]);
        }
        return gaps.empty() ? 0 : bench::Median(gaps);
    }
};

struct Run {
    Watch main;
    Watch second;
    std::size_t highest = 0;
};

BOOL CALLBACK AddSecondCentre(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    if (!(info.dwFlags & MONITORINFOF_PRIMARY)) {
        const RECT& r = info.rcMonitor;
        *reinterpret_cast<POINT*>(data) = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    return TRUE;
}

POINT SecondCentre() {
    POINT centre{};
    EnumDisplayMonitors(nullptr, nullptr, AddSecondCentre, reinterpret_cast<LPARAM>(&centre));
    return centre;
}

// orvelle.scr on the folder's theme until every watched monitor has shown this many changes,
// its working set sampled all along.
Run Measure(const std::string& folder, std::size_t changes, bool both) {
    Run run;
    run.main.at = {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
    run.second.at = SecondCentre();
    PROCESS_INFORMATION process{};
    const std::wstring program = bench::ProgramIn(folder);
    HWND window = program.empty() ? nullptr : bench::StartSaver(program, process);
    const double end = bench::Seconds() + 30.0 + 3.0 * static_cast<double>(changes);
    auto done = [&] {
        return run.main.changes.size() >= changes &&
               (!both || run.second.changes.size() >= changes);
    };
    while (window && !done() && bench::Seconds() < end) {
        run.highest = std::max(run.highest, bench::WorkingSetOf(process.hProcess));
        const orvelle::win::WindowDC screen(nullptr);
        const double now = bench::Seconds();
        run.main.Look(screen.Get(), now);
        run.second.Look(screen.Get(), now);
        Sleep(2);
    }
    if (window) {
        bench::EndSaver(window, process);
    }
    return run;
}

std::string Temp(const std::string& name) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    return orvelle::win::Narrow(folder) + name;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t changes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 12;
    if (GetSystemMetrics(SM_CMONITORS) < 2) {
        std::printf("needs two monitors\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<std::string> pictures;
    for (int i = 0; i < 6; ++i) {
        const std::string path = Temp("orvelle-monitors-" + std::to_string(i) + ".jpg");
        if (!bench::MakeJpeg(path, 4000, 3000, bench::Tinted(kTints[i]))) {
            std::printf("cannot make %s\n", path.c_str());
            return 2;
        }
        pictures.push_back(path);
    }
    const std::string one = Temp("orvelle-monitors-one\\");
    const std::string two = Temp("orvelle-monitors-two\\");
    bench::WriteSaverFolder(one, pictures, "1", "bStandard");
    bench::WriteSaverFolder(two, pictures, "1", "bStandard", false, "picturesOn=1\r\n");
    const Run single = Measure(one, changes, false);
    const Run both = Measure(two, changes, true);

    const double base = single.main.Period();
    const double slowest = std::max(both.main.Period(), both.second.Period());
    const double periodRatio = base > 0 ? slowest / base : 0;
    const double memoryRatio =
        single.highest > 0 ? static_cast<double>(both.highest) / single.highest : 0;
    std::printf("period, main monitor alone:      %7.1f ms (%zu changes)\n", base * 1e3,
                single.main.changes.size());
    std::printf("period, both: main %7.1f ms, second %7.1f ms (%zu, %zu changes)\n",
                both.main.Period() * 1e3, both.second.Period() * 1e3, both.main.changes.size(),
                both.second.changes.size());
    std::printf("  ratio %.3f (target <= 1.1)\n", periodRatio);
    std::printf("memory, one %.1f MB, both %.1f MB\n", single.highest / 1048576.0,
                both.highest / 1048576.0);
    std::printf("  ratio %.3f (target <= 1.5)\n", memoryRatio);
    CoUninitialize();
    const bool ok = single.main.changes.size() >= changes && both.main.changes.size() >= changes &&
                    both.second.changes.size() >= changes && periodRatio > 0 &&
                    periodRatio <= 1.1 && memoryRatio > 0 && memoryRatio <= 1.5;
    std::printf("%s\n", ok ? "targets met" : "TARGET MISSED");
    return ok ? 0 : 1;
}
