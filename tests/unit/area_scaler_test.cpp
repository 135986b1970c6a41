#include "picture/area_scaler.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace orvelle {
namespace {

using Pixels = std::vector<std::uint32_t>;
constexpr std::uint32_t kUntouched = 0xDEADBEEF;

std::uint32_t Grey(std::uint32_t v) {
    return v | (v << 8) | (v << 16);
}

// Fed row by row, as the decoder feeds bands of a file.
Pixels Scale(const Pixels& source, int sw, int sh, int dw, int dh) {
    Pixels out(static_cast<std::size_t>(dw) * dh, kUntouched);
    AreaScaler scaler(sw, sh, dw, dh);
    for (int y = 0; y < sh; ++y) {
        scaler.AddRow(source.data() + static_cast<std::size_t>(y) * sw, out.data(),
                      static_cast<std::size_t>(dw));
    }
    return out;
}

// The exact mean of the covered area, worked out pixel by pixel from the overlaps of the two
// grids (units: a source pixel is dw wide, a destination pixel sw), rounded half up.
Pixels Reference(const Pixels& source, int sw, int sh, int dw, int dh) {
    auto overlap = [](long a0, long a1, long b0, long b1) {
        return std::max(0L, std::min(a1, b1) - std::max(a0, b0));
    };
    Pixels out;
    for (int y = 0; y < dh; ++y) {
        for (int x = 0; x < dw; ++x) {
            std::uint32_t pixel = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                long sum = 0;
                for (int sy = 0; sy < sh; ++sy) {
                    const long wy = overlap(sy * dh, (sy + 1) * dh, y * sh, (y + 1) * sh);
                    for (int sx = 0; sx < sw; ++sx) {
                        const long wx = overlap(sx * dw, (sx + 1) * dw, x * sw, (x + 1) * sw);
                        sum += wx * wy * ((source[sy * sw + sx] >> shift) & 0xFF);
                    }
                }
                const long total = static_cast<long>(sw) * sh;
                pixel |= static_cast<std::uint32_t>((2 * sum + total) / (2 * total)) << shift;
            }
            out.push_back(pixel);
        }
    }
    return out;
}

TEST(AreaScaler, AveragesTheCoveredAreaWithFractionsWeighted) {
    struct Case {
        const char* what;
        Pixels source;
        int sw, sh, dw, dh;
        Pixels expected;
    };
    const Case cases[] = {
        {"2x2 to 1x1", {Grey(10), Grey(20), Grey(30), Grey(41)}, 2, 2, 1, 1, {Grey(25)}},
        {"2x2 to 1x1, a half rounds up", {0, 0, 0, Grey(2)}, 2, 2, 1, 1, {Grey(1)}},
        {"channels apart", {0x00FF0000, 0x000000FF}, 2, 1, 1, 1, {0x00800080}},
        {"3 to 2 across", {Grey(0), Grey(90), Grey(180)}, 3, 1, 2, 1, {Grey(30), Grey(150)}},
        {"3 to 2, a third", {Grey(1), Grey(0), Grey(0)}, 3, 1, 2, 1, {Grey(1), Grey(0)}},
        {"3 to 2 down", {Grey(0), Grey(90), Grey(180)}, 1, 3, 1, 2, {Grey(30), Grey(150)}},
        {"5 to 2",
         {Grey(10), Grey(20), Grey(30), Grey(40), Grey(50)},
         5,
         1,
         2,
         1,
         {Grey(18), Grey(42)}},
        {"1x4 to 1x2", {Grey(10), Grey(20), Grey(30), Grey(40)}, 1, 4, 1, 2, {Grey(15), Grey(35)}},
        {"1x5 to 1x1", {Grey(1), Grey(2), Grey(3), Grey(4), Grey(6)}, 1, 5, 1, 1, {Grey(3)}},
        {"4x4 in 2x2 blocks",
         {Grey(0), Grey(40), Grey(100), Grey(100), Grey(80), Grey(120), Grey(100), Grey(100),
          0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000},
         4,
         4,
         2,
         2,
         {Grey(60), Grey(100), 0x0000FF, 0xFF0000}},
        {"same size, unused byte 0", {0xFF123456, 0x00ABCDEF}, 2, 1, 2, 1, {0x123456, 0xABCDEF}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Scale(c.source, c.sw, c.sh, c.dw, c.dh), c.expected) << c.what;
    }
}

TEST(AreaScaler, MatchesTheExactMeanForEverySizeUpTo7x6) {
    std::mt19937 random(7);
    for (int sw = 1; sw <= 7; ++sw) {
        for (int sh = 1; sh <= 6; ++sh) {
            Pixels source(static_cast<std::size_t>(sw) * sh);
            for (std::uint32_t& p : source) {
                p = random() | 0xFF000000u;
            }
            for (int dw = 1; dw <= sw; ++dw) {
                for (int dh = 1; dh <= sh; ++dh) {
                    EXPECT_EQ(Scale(source, sw, sh, dw, dh), Reference(source, sw, sh, dw, dh))
                        << sw << "x" << sh << " to " << dw << "x" << dh;
                }
            }
        }
    }
}

TEST(AreaScaler, EveryDestinationRowIsWrittenAndHugeSourcesDoNotOverflow) {
    const int sw = 40000;
    const int sh = 7;
    Pixels white(static_cast<std::size_t>(sw) * sh, 0xFFFFFF);
    EXPECT_EQ(Scale(white, sw, sh, 1, 1), (Pixels{0xFFFFFF}));
    for (std::uint32_t p : Scale(white, sw, sh, 3, 5)) {
        EXPECT_EQ(p, 0xFFFFFFu);
    }
}

TEST(AreaScaler, WholePicturesKeepToTheirRowStridesAndNeverGrow) {
    struct Case {
        int sw, sh, dw, dh;
        bool shrinks;  // no growing either way
        bool scales;   // and something to write
    };
    const Case cases[] = {
        {4, 4, 4, 4, true, true},   {4, 4, 3, 4, true, true},   {4, 4, 1, 1, true, true},
        {4, 4, 5, 1, false, false}, {4, 4, 1, 5, false, false}, {4, 4, 0, 2, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanAreaScale(c.sw, c.sh, c.dw, c.dh), c.shrinks) << c.dw << "x" << c.dh;
        // Source rows 6 pixels apart (2 of padding), destination rows 5 apart.
        Pixels source(6 * 4, 0x00FFFFFF);
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                source[y * 6 + x] = Grey(static_cast<std::uint32_t>(10 * (y * 4 + x)));
            }
        }
        Pixels dest(5 * 5, kUntouched);
        AreaScale(source.data(), c.sw, c.sh, 6, dest.data(), c.dw, c.dh, 5);
        Pixels unpadded;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                unpadded.push_back(source[y * 6 + x]);
            }
        }
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                const bool inside = c.scales && x < c.dw && y < c.dh;
                const std::uint32_t want =
                    inside ? Reference(unpadded, 4, 4, c.dw, c.dh)[y * c.dw + x] : kUntouched;
                EXPECT_EQ(dest[y * 5 + x], want) << c.dw << "x" << c.dh << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace orvelle
