// The pace of the transition effects on a big screen: each effect drawn over a picture of the
// size a 3840 x 2160 screen shows (99 %) against one of the size a 1024 x 768 screen shows, side
// by side on this process's saver window. Each should take the same time, within 10 %.
//
//   transition_pace_bench_win.exe [rounds (3)]
//
// Needs a screen of at least 3840 x 2160 (bench/picture_benches.sh starts one).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/clock_win.h"
#include "base/random_source.h"
#include "bench_timing.h"
#include "bench_view.h"
#include "saver/saver_window_win.h"
#include "saver/transitions.h"
#include "settings/saver_settings.h"

using orvelle::PixelRect;
using orvelle::PixelSize;

namespace {

const char* const kNames[orvelle::kTransitionCount] = {
    "Standard",          "Left Wipe",        "Right Wipe",
    "Right Left Wipe",   "Up and Down Wipe", "Center Wipe",
    "Horizontal Blinds", "Vertical Blinds",  "Fade"};

// The window, its frames counted and the longest one noted.
class FrameView final : public bench::ForwardingView {
  public:
    using ForwardingView::ForwardingView;
    void WaitForFrame() override {
        ForwardingView::WaitForFrame();
        const double now = bench::Seconds();
        longest = frames++ > 0 ? std::max(longest, now - last) : 0;
        last = now;
    }
    int frames = 0;
    double longest = 0;
    double last = 0;
};

struct Pace {
    double seconds = 0;  // medians
    double frames = 0;
    double longestFrame = 0;
};

// How one effect draws a picture of this size, centred on the screen.
Pace EffectPace(orvelle::win::SaverWindow& window, int effect, PixelSize size, int rounds) {
    using Flag = std::string orvelle::ThemeSettings::*;
    static const Flag kFlags[orvelle::kTransitionCount] = {
        &orvelle::ThemeSettings::bStandard,
        &orvelle::ThemeSettings::bLeftWipe,
        &orvelle::ThemeSettings::bRightWipe,
        &orvelle::ThemeSettings::bRightandLeftWipe,
        &orvelle::ThemeSettings::bUpAndDown,
        &orvelle::ThemeSettings::bCenter,
        &orvelle::ThemeSettings::bHorizontalBlinds,
        &orvelle::ThemeSettings::bVerticalBlinds,
        &orvelle::ThemeSettings::bFade};
    orvelle::SaverSettings settings;
    for (int k = 0; k < orvelle::kTransitionCount; ++k) {
        (settings.*kFlags[k]).assign(1, k == effect ? '1' : '0');
    }
    orvelle::win::ClockWin clock;
    orvelle::SystemRandom random;
    const PixelSize screen = window.ScreenSize();
    const PixelRect place{(screen.width - size.width) / 2, (screen.height - size.height) / 2,
                          size.width, size.height};
    const bool wideStep = size.width * window.TwipsPerPixelX() >= orvelle::kWideStepTwips;
    std::vector<double> times;
    std::vector<double> frames;
    std::vector<double> longest;
    for (int i = 0; i < rounds; ++i) {
        FrameView view(window);
        // The load surface takes a part of the striped background: something to draw.
        window.GrabBackgroundPatch({i * 7, i * 5, size.width, size.height});
        window.MoveDisplay(place);
        window.ShowDisplay(true);
        const double start = bench::Seconds();
        orvelle::RunTransition(settings, view, clock, random, size, wideStep);
        times.push_back(bench::Seconds() - start);
        frames.push_back(view.frames);
        longest.push_back(view.longest);
        window.CommitDisplay();
        window.ShowDisplay(false);
        bench::Pump();
    }
    return {bench::Median(times), bench::Median(frames), bench::Median(longest)};
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    orvelle::win::SaverWindow window(GetModuleHandleW(nullptr));
    window.CoverScreen();
    const PixelSize screen = window.ScreenSize();
    if (screen.width < 3840 || screen.height < 2160) {
        std::fprintf(stderr, "the screen is %d x %d; this needs 3840 x 2160\n", screen.width,
                     screen.height);
        return 1;
    }
    for (int y = 0; y < screen.height; y += 16) {
        window.FillBackgroundRect({0, y, screen.width, 8}, y % 32 ? 0x3060C0 : 0xC08040);
    }
    bench::Pump();
    const PixelSize small{1014, 760};
    const PixelSize big{3802, 2138};
    bool met = true;
    std::printf("%-18s %26s %26s %s\n", "effect", "1014 x 760", "3802 x 2138", "ratio");
    for (int k = orvelle::kLeftWipe; k < orvelle::kTransitionCount; ++k) {
        const Pace a = EffectPace(window, k, small, rounds);
        const Pace b = EffectPace(window, k, big, rounds);
        std::printf(
            "%-18s %5.0f ms, %3.0f frames, %3.0f ms %5.0f ms, %3.0f frames, %3.0f ms %5.2f\n",
            kNames[k], a.seconds * 1e3, a.frames, a.longestFrame * 1e3, b.seconds * 1e3, b.frames,
            b.longestFrame * 1e3, b.seconds / a.seconds);
        met = met && b.seconds <= 1.1 * a.seconds;
    }
    std::printf("(time, frames drawn, longest frame; target: ratio <= 1.10)\n");
    window.UnloadSaverWindow();
    return met ? 0 : 2;
}
