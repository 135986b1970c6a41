#include "config/picture_viewer.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

TEST(PictureViewer, WindowFitsThePictureAndStaysInsideTheWorkArea) {
    EXPECT_EQ(PictureViewerTwips({1500, 1000}), (PixelSize{2000, 1405}));
    EXPECT_EQ(PictureViewerTwips({3000, 1000}), (PixelSize{3120, 1405}));
    EXPECT_EQ(PictureViewerTwips({2000, 0}), (PixelSize{2000, 405}));
    struct Case {
        PixelSize picture;
        PixelSize window;
        bool across, down;
    };
    const PixelSize work{1280, 984};
    for (const Case& c :
         {Case{{100, 66}, {133, 93}, false, false}, Case{{400, 300}, {408, 327}, false, false},
          Case{{6000, 4000}, {1280, 984}, true, true},
          Case{{1000, 3000}, {1008, 984}, false, true}}) {
        const PictureViewerLayout layout = LayOutPictureViewer(c.picture, 15, 15, work);
        EXPECT_EQ(layout.window, c.window) << c.picture.width;
        EXPECT_EQ(layout.scrollAcross, c.across) << c.picture.width;
        EXPECT_EQ(layout.scrollDown, c.down) << c.picture.width;
    }
    EXPECT_EQ(ClampScroll(-5, 6000, 1200), 0);
    EXPECT_EQ(ClampScroll(5000, 6000, 1200), 4800);
    EXPECT_EQ(ClampScroll(30, 500, 1200), 0);
}

}  // namespace
}  // namespace orvelle
