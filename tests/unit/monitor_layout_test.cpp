#include "saver/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvelle {
namespace {

const PixelRect kPrimary{0, 0, 1024, 768};

TEST(MonitorLayout, EveryMonitorButThePrimaryGetsACoverOfItsOwn) {
    struct Case {
        const char* what;
        std::vector<PixelRect> monitors;
        std::vector<PixelRect> covers;
        PixelRect bounds;
    };
    const std::vector<Case> cases = {
        {"one monitor", {kPrimary}, {}, kPrimary},
        {"a second to the right",
         {kPrimary, {1024, 0, 800, 600}},
         {{1024, 0, 800, 600}},
         {0, 0, 1824, 768}},
        {"a second to the left, above",
         {{-1920, -312, 1920, 1080}, kPrimary},
         {{-1920, -312, 1920, 1080}},
         {-1920, -312, 2944, 1080}},
        {"a mirrored display and an empty entry",
         {kPrimary, {0, 0, 800, 600}, {1024, 0, 0, 0}},
         {},
         kPrimary},
        {"three, one mirrored on another",
         {kPrimary, {1024, 0, 1280, 1024}, {1024, 0, 1280, 1024}, {0, 768, 1024, 768}},
         {{1024, 0, 1280, 1024}, {0, 768, 1024, 768}},
         {0, 0, 2304, 1536}},
    };
    for (const Case& c : cases) {
        const std::vector<PixelRect> covers = CoverRects(c.monitors, kPrimary);
        EXPECT_EQ(covers, c.covers) << c.what;
        std::vector<PixelRect> all = covers;
        all.push_back(kPrimary);
        EXPECT_EQ(Bounds(all), c.bounds) << c.what;
    }
}

TEST(MonitorLayout, InputOnACoverLandsBesideThePrimary) {
    EXPECT_EQ(CoverPointToPrimary({10, 20}, {1024, 0, 800, 600}, kPrimary), (PixelPoint{1034, 20}));
    EXPECT_EQ(CoverPointToPrimary({10, 20}, {-1920, -312, 1920, 1080}, kPrimary),
              (PixelPoint{-1910, -292}));
}

// After a display change a cover stays only over exactly its monitor; twins are matched once.
TEST(MonitorLayout, CoversKeptOverUnchangedMonitors) {
    const PixelRect a{1024, 0, 600, 800};
    const PixelRect b{-800, 0, 800, 600};
    const PixelRect moved{1280, 0, 600, 800};
    struct Case {
        std::vector<PixelRect> before, now;
        std::vector<int> kept;
    };
    const Case cases[] = {
        {{a, b}, {b}, {1}},
        {{a}, {b, a}, {-1, 0}},
        {{a, b}, {moved, b}, {-1, 1}},
        {{a, a}, {a, a, a}, {0, 1, -1}},
        {{}, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeptCovers(c.before, c.now), c.kept);
    }
}

}  // namespace
}  // namespace orvelle
