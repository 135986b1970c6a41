#include "base/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace orvelle {
namespace {

std::string Text(const PixelRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.width) +
           "," + std::to_string(r.height);
}

TEST(Geometry, ClipToKeepsThePartInsideTheArea) {
    struct Case {
        PixelRect rect;
        bool left;
        PixelRect clipped;  // the rect as it was when nothing is left
    };
    const Case cases[] = {
        {{2, 3, 4, 5}, true, {2, 3, 4, 5}},        // inside
        {{-3, -2, 10, 10}, true, {0, 0, 7, 8}},    // past the top-left corner
        {{8, 9, 10, 10}, true, {8, 9, 2, 1}},      // past the bottom-right corner
        {{-5, -5, 30, 30}, true, {0, 0, 10, 10}},  // over all of it
        {{10, 0, 3, 3}, false, {10, 0, 3, 3}},     // just right of it
        {{0, -4, 3, 4}, false, {0, -4, 3, 4}},     // just above it
        {{2, 2, 0, 5}, false, {2, 2, 0, 5}},       // empty
        {{2, 2, 5, -1}, false, {2, 2, 5, -1}},     // negative size
        {{INT_MAX - 1, 0, INT_MAX, 1}, false, {INT_MAX - 1, 0, INT_MAX, 1}},
        {{INT_MIN, 0, INT_MAX, 1}, false, {INT_MIN, 0, INT_MAX, 1}},
        {{-100, 5, INT_MAX, 1}, true, {0, 5, 10, 1}},  // a right edge past 32 bits
    };
    for (const Case& c : cases) {
        PixelRect r = c.rect;
        EXPECT_EQ(ClipTo(r, 10, 10), c.left) << Text(c.rect);
        EXPECT_EQ(r, c.clipped) << Text(c.rect) << " -> " << Text(r);
    }
}

TEST(Geometry, PlaceCentredKeepsTheWindowInsideTheWorkArea) {
    const PixelRect work{1024, 0, 800, 560};  // a second monitor, task bar below
    struct Case {
        PixelSize window;
        PixelRect over;
        PixelPoint at;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{200, 100}, work, {1324, 230}},                   // centred on the work area
             {{200, 100}, {1100, 100, 400, 300}, {1200, 200}},  // centred on its owner
             {{400, 300}, {1700, 500, 100, 50}, {1424, 260}},   // owner near the corner
             {{900, 700}, work, {1024, 0}},                     // larger: top left kept in
         }) {
        EXPECT_EQ(PlaceCentred(c.window, c.over, work), c.at);
    }
}

// Button pictures: the theme strip (24 at 96 dpi) and the lists (16), at the common scales.
TEST(Geometry, PictureSizeForDpiNeverDrawsLargerThanTheButton) {
    const int theme[] = {24, 32, 36, 48};
    const int list[] = {16, 24, 32};
    const struct {
        int dpi;
        int themeSize;
        int listSize;
    } cases[] = {{72, 24, 16},  {96, 24, 16},  {120, 24, 16}, {144, 36, 24},
                 {168, 36, 24}, {192, 48, 32}, {288, 48, 32}};
    for (const auto& c : cases) {
        EXPECT_EQ(PictureSizeForDpi(24, c.dpi, theme), c.themeSize) << c.dpi;
        EXPECT_EQ(PictureSizeForDpi(16, c.dpi, list), c.listSize) << c.dpi;
    }
}

}  // namespace
}  // namespace orvelle
