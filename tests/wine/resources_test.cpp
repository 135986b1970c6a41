// What a real run costs: objects and memory over many picture changes, processor time while a
// still picture stands, and the start-up time of a theme with thousands of pictures.
//
// The change test makes 40 changes (about a minute). ORVELLE_LONG_TESTS=1 raises it to 200
// (about five minutes, past the time ctest allows a test: run the driver itself, e.g.
// ORVELLE_LONG_TESTS=1 scripts/wine-run.sh orvelle_wine_tests.exe --gtest_filter=Resources.*).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "wine_support.h"

using namespace wine_test;

namespace {

constexpr int kCentreX = 512;
constexpr int kCentreY = 384;

bool LongRun() {
    const char* value = std::getenv("ORVELLE_LONG_TESTS");
    return value && std::string(value) == "1";
}

void Report(const char* what, const ProcessResources& r) {
    std::printf("[ figures  ] %-28s GDI %4lu%s  USER %3lu  handles %4lu  private %7.2f MB\n", what,
                static_cast<unsigned long>(r.gdiObjects), r.gdiFromSystem ? "" : " (table)",
                static_cast<unsigned long>(r.userObjects),
                static_cast<unsigned long>(r.kernelHandles),
                static_cast<double>(r.privateBytes) / (1024.0 * 1024.0));
    std::fflush(stdout);
}

// The picture in the middle of the screen, as a letter: B, G, Y, r (background) or ?.
char CentreColour() {
    const COLORREF c = ScreenPixel(kCentreX, kCentreY);
    return ColourNear(c, kBlue, 10)     ? 'B'
           : ColourNear(c, kGreen, 10)  ? 'G'
           : ColourNear(c, kYellow, 10) ? 'Y'
           : ColourNear(c, kRed, 10)    ? 'r'
                                        : '?';
}

TEST(Resources, ObjectsAndMemoryStayFlatOverManyChanges) {
    const int changes = LongRun() ? 200 : 40;
    ProgramCopy copy;
    // Three kinds of picture, one shrunk from a large JPEG, each with a caption; the clock and
    // two short tones run alongside, so labels, fonts and the media player all take part.
    WriteBmpFile(copy.Path("blue.bmp"), 300, 200, [](int, int) { return kBlue; });
    WriteBmpFile(copy.Path("yellow.bmp"), 150, 300, [](int, int) { return kYellow; });
    const bool jpeg =
        WriteJpegFile(copy.Path("green.jpg"), 1600, 1200, [](int, int) { return kGreen; });
    if (!jpeg) {
        WriteBmpFile(copy.Path("green.jpg"), 1600, 1200, [](int, int) { return kGreen; });
    }
    WriteWavFile(copy.Path("one.wav"), 1.0);
    WriteWavFile(copy.Path("two.wav"), 1.0);
    ThemeText theme;
    theme
        .Pictures({copy.Path("blue.bmp"), copy.Path("green.jpg"), copy.Path("yellow.bmp")},
                  {"A blue one", "A green one shrunk", "A yellow one"})
        .Music({copy.Path("one.wav"), copy.Path("two.wav")})
        .Set("background", "newBackColor", "255")
        .Set("image", "timeInterval", "1")
        .Set("image", "picChange", "ch")
        .Set("image", "picturePercent", "50")
        .Set("image", "timeDisplay", "1");
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    const HWND window = WaitForWindow(saver, kPatience);
    ASSERT_NE(window, nullptr);

    // Readings right as each picture arrives, so every reading is taken at the same point of
    // the change cycle.
    std::vector<ProcessResources> readings;
    char last = 0;
    const DWORD start = GetTickCount();
    const DWORD limit = static_cast<DWORD>(changes) * 4000 + 10000;
    while (static_cast<int>(readings.size()) <= changes && GetTickCount() - start < limit) {
        const char now = CentreColour();
        if (now != last && (now == 'B' || now == 'G' || now == 'Y')) {
            // Read once the saver has nothing more to handle just then.
            Settled(window);
            readings.push_back(ResourcesOf(saver));
            const int change = static_cast<int>(readings.size()) - 1;
            if (change == 5 || change % 20 == 0 || change == changes) {
                Report(("change " + std::to_string(change)).c_str(), readings.back());
            }
        }
        if (now != '?') {
            last = now;
        }
        ASSERT_TRUE(saver.Running()) << "the run ended after " << readings.size() << " pictures";
        PumpStep();
    }
    ASSERT_EQ(static_cast<int>(readings.size()), changes + 1)
        << "changes too slow: " << (GetTickCount() - start) / 1000 << " s";
    EXPECT_EQ(FindMessageBox(saver.Id()), nullptr);
    std::printf("[ figures  ] %d changes in %.1f s\n", changes, (GetTickCount() - start) / 1000.0);

    // The highest of five readings from change 5 on against the lowest of the last five: a leak
    // of one object per change would show tens of objects.
    auto highest = [&](auto field, int from) {
        auto value = field(readings[static_cast<size_t>(from)]);
        for (int i = from; i < from + 5; ++i) {
            value = std::max(value, field(readings[static_cast<size_t>(i)]));
        }
        return value;
    };
    auto lowest = [&](auto field, int from) {
        auto value = field(readings[static_cast<size_t>(from)]);
        for (int i = from; i < from + 5; ++i) {
            value = std::min(value, field(readings[static_cast<size_t>(i)]));
        }
        return value;
    };
    const int early = 5;
    const int late = changes - 4;
    auto gdi = [](const ProcessResources& r) { return static_cast<long>(r.gdiObjects); };
    auto user = [](const ProcessResources& r) { return static_cast<long>(r.userObjects); };
    auto handles = [](const ProcessResources& r) { return static_cast<long>(r.kernelHandles); };
    auto memory = [](const ProcessResources& r) { return static_cast<double>(r.privateBytes); };
    EXPECT_GT(highest(gdi, early), 0) << "GDI objects could not be read";
    EXPECT_LE(lowest(gdi, late), highest(gdi, early) + 3);
    EXPECT_LE(lowest(user, late), highest(user, early) + 1);
    EXPECT_LE(lowest(handles, late), highest(handles, early) + 10);
    EXPECT_LE(lowest(memory, late), highest(memory, early) + 4.0 * 1024 * 1024);
}

TEST(Resources, AStillPictureCostsNoProcessorTime) {
    ProgramCopy copy;
    WriteBmpFile(copy.Path("blue.bmp"), 300, 200, [](int, int) { return kBlue; });
    ThemeText theme;
    theme.Pictures({copy.Path("blue.bmp")})
        .Set("background", "newBackColor", "255")
        .Set("image", "timeInterval", "0")
        .Set("image", "picRandom", "cent")
        .Set("image", "timeDisplay", "0");
    UseTheme(copy, theme);
    Process saver = StartSaver(copy, "/s");
    ASSERT_NE(WaitForWindow(saver, kPatience), nullptr);
    ASSERT_TRUE(WaitForPixel(kCentreX, kCentreY, kBlue, 4, kPatience));
    // The start-up over: no processor time spent for a quarter of a second.
    double before = ProcessorSeconds(saver);
    DWORD readAt = GetTickCount();
    WaitUntil([&] {
        if (GetTickCount() - readAt < 250) {
            return false;
        }
        const double now = ProcessorSeconds(saver);
        const bool quiet = now == before;
        before = now;
        readAt = GetTickCount();
        return quiet;
    });
    // The start-up itself took time: the reading works.
    ASSERT_GT(before, 0.0);
    // What is measured: five seconds of the still picture.
    EXPECT_TRUE(HoldsFor(5000, [&] { return saver.Running(); }));
    const double spent = ProcessorSeconds(saver) - before;
    std::printf("[ figures  ] start-up %.0f ms of processor time; then %.1f ms over 5 s\n",
                before * 1000, spent * 1000);
    EXPECT_LT(spent, 0.05);
    EXPECT_TRUE(saver.Running());
}

// Milliseconds from the start of the process until the first picture is on screen.
DWORD TimeToFirstPicture(const ProgramCopy& copy) {
    const DWORD start = GetTickCount();
    Process saver = StartSaver(copy, "/s");
    if (!WaitForPixel(kCentreX, kCentreY, kBlue, 4, 20000)) {
        return 99999;
    }
    const DWORD elapsed = GetTickCount() - start;
    saver.Kill();
    // Gone from the screen too, so that the next run's picture is its own.
    WaitUntil([] { return !ColourNear(ScreenPixel(kCentreX, kCentreY), kBlue, 4); });
    return elapsed;
}

TEST(Resources, AThemeOfFiveThousandPicturesStartsAboutAsFastAsOneOfFive) {
    ProgramCopy small;
    ProgramCopy large;
    for (ProgramCopy* copy : {&small, &large}) {
        WriteBmpFile(copy->Path("blue.bmp"), 300, 200, [](int, int) { return kBlue; });
        const size_t count = copy == &small ? 5 : 5000;
        std::vector<std::string> paths(count, copy->Path("blue.bmp"));
        std::vector<std::string> captions(count, "");
        for (size_t i = 1; i < count; ++i) {
            paths[i] = copy->Path("pictures\\picture-" + std::to_string(i) + ".jpg");
            captions[i] = "Caption " + std::to_string(i);
        }
        ThemeText theme;
        theme.Pictures(paths, captions)
            .Set("background", "newBackColor", "255")
            .Set("image", "timeInterval", "5")
            .Set("image", "picChange", "ch");
        UseTheme(*copy, theme);
    }
    // Alternately, the first of each only warming up; the best of two counts.
    TimeToFirstPicture(small);
    DWORD smallBest = 99999;
    DWORD largeBest = 99999;
    for (int round = 0; round < 2; ++round) {
        smallBest = std::min(smallBest, TimeToFirstPicture(small));
        largeBest = std::min(largeBest, TimeToFirstPicture(large));
    }
    std::printf("[ figures  ] first picture after %lu ms with 5 pictures, %lu ms with 5000\n",
                static_cast<unsigned long>(smallBest), static_cast<unsigned long>(largeBest));
    ASSERT_LT(smallBest, 99999u);
    ASSERT_LT(largeBest, 99999u);
    EXPECT_LT(static_cast<long>(largeBest) - static_cast<long>(smallBest), 1000);
}

}  // namespace
