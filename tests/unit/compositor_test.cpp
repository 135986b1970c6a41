#include "picture/compositor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/colour.h"

namespace orvelle {
namespace {

TEST(Compositor, PutsEachPixelOverTheBackgroundByItsAlpha) {
    constexpr std::uint32_t kBack = 0x00FF8040;  // BGRX: red FF, green 80, blue 40
    struct Case {
        std::uint32_t background;
        bool premultiplied;
        std::uint32_t pixel;
        std::uint32_t shown;
    };
    const Case cases[] = {
        // Fully transparent: the background, whatever the colour bytes say.
        {kBack, false, 0x00123456, kBack},
        {kBack, true, 0x00123456, kBack},
        // Opaque: the colour itself, alpha byte cleared.
        {kBack, false, 0xFF123456, 0x123456},
        {kBack, true, 0xFF123456, 0x123456},
        // Half: the same colour given straight and premultiplied comes out the same.
        {kBack, false, 0x80FF0080, 0xFF4060},
        {kBack, true, 0x80800040, 0xFF4060},
        // Almost transparent and almost opaque, each channel rounded to nearest.
        {kBack, false, 0x01FFFFFF, 0xFF8041},
        {kBack, true, 0x01010101, 0xFF8041},
        {kBack, true, 0xFE102030, 0x112130},
        // White over white never carries into the next channel.
        {0x00FFFFFF, true, 0x80808080, 0xFFFFFF},
        {0x00FFFFFF, false, 0x80FFFFFF, 0xFFFFFF},
        {0x00000000, false, 0x7F7F7F7F, 0x3F3F3F},
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> pixels = {c.pixel, c.pixel};
        Compositor(c.background, c.premultiplied).Apply(pixels.data(), 1);
        EXPECT_EQ(pixels[0], c.shown)
            << std::hex << c.pixel << " premultiplied " << c.premultiplied;
        EXPECT_EQ(pixels[1], c.pixel) << "only count pixels change";
    }
}

TEST(Compositor, ColoursBecomeBitmapPixelsWithRedAndBlueSwapped) {
    EXPECT_EQ(DibPixel(0x00112233), 0x00332211u);
    EXPECT_EQ(DibPixel(0xFF0000FF), 0x00FF0000u);  // the unused high byte is dropped
    EXPECT_EQ(DibPixel(0x00FF0000), 0x000000FFu);
}

}  // namespace
}  // namespace orvelle
