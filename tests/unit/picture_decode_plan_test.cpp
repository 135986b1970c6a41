#include "picture/picture_decode_plan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "picture/picture_header.h"
#include "picture/picture_orientation.h"

namespace orvelle {
namespace {

TEST(Orientation, AllEightValuesTurnSizesAndPixelsUpright) {
    // A 3 x 2 picture whose pixel values name their stored position (10 x row + column).
    const PixelSize stored{3, 2};
    const std::vector<std::uint32_t> pixels = {0, 1, 2, 10, 11, 12};
    struct Case {
        int orientation;
        UprightTurn turn;
        PixelSize upright;
        std::vector<std::uint32_t> expected;  // upright, row by row
    };
    const Case cases[] = {
        {1, {0, false}, {3, 2}, {0, 1, 2, 10, 11, 12}},
        {2, {0, true}, {3, 2}, {2, 1, 0, 12, 11, 10}},
        {3, {180, false}, {3, 2}, {12, 11, 10, 2, 1, 0}},
        {4, {180, true}, {3, 2}, {10, 11, 12, 0, 1, 2}},
        {5, {90, true}, {2, 3}, {0, 10, 1, 11, 2, 12}},
        {6, {90, false}, {2, 3}, {10, 0, 11, 1, 12, 2}},
        {7, {270, true}, {2, 3}, {12, 2, 11, 1, 10, 0}},
        {8, {270, false}, {2, 3}, {2, 12, 1, 11, 0, 10}},
        {0, {0, false}, {3, 2}, {0, 1, 2, 10, 11, 12}},  // outside 1..8: as stored
        {9, {0, false}, {3, 2}, {0, 1, 2, 10, 11, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        EXPECT_EQ(UprightTurnFor(c.orientation), c.turn);
        EXPECT_EQ(UprightSize(stored, c.orientation), c.upright);
        std::vector<std::uint32_t> out(pixels.size(), 99);
        TurnUpright(pixels.data(), stored, c.orientation, out.data());
        EXPECT_EQ(out, c.expected);
    }
    // A portrait photo taken with the camera turned (6): 4000 x 3000 stored, 3000 x 4000 shown.
    EXPECT_EQ(UprightSize({4000, 3000}, 6), (PixelSize{3000, 4000}));
}

// A JPEG start (with an APP0 block first) and an EXIF block whose directory holds a resolution
// unit and then the orientation, in either byte order.
std::vector<std::uint8_t> JpegHead(bool bigEndian, int orientation) {
    const auto o = static_cast<std::uint8_t>(orientation);
    const std::vector<std::uint8_t> tiff =
        bigEndian ? std::vector<std::uint8_t>{'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2, 1,    0x28, 0,
                                              3,   0,   0, 0,  1, 0, 2, 0, 0, 1, 0x12, 0,    3,
                                              0,   0,   0, 1,  0, o, 0, 0, 0, 0, 0,    0}
                  : std::vector<std::uint8_t>{'I', 'I', 42, 0, 8, 0, 0, 0, 2, 0,    0x28, 1, 3,
                                              0,   1,   0,  0, 0, 2, 0, 0, 0, 0x12, 1,    3, 0,
                                              1,   0,   0,  0, o, 0, 0, 0, 0, 0,    0,    0};
    std::vector<std::uint8_t> jpeg = {
        0xFF, 0xD8, 0xFF, 0xE0, 0, 4,
        1,    2,    0xFF, 0xE1, 0, static_cast<std::uint8_t>(tiff.size() + 8),
        'E',  'x',  'i',  'f',  0, 0};
    jpeg.insert(jpeg.end(), tiff.begin(), tiff.end());
    jpeg.insert(jpeg.end(), {0xFF, 0xDA, 0, 2});
    return jpeg;
}

TEST(Orientation, ReadFromTheExifBlockOfAJpeg) {
    for (int o = 1; o <= 8; ++o) {
        for (bool big : {false, true}) {
            const auto head = JpegHead(big, o);
            EXPECT_EQ(ExifOrientation(head.data(), head.size()), o) << o << big;
        }
    }
    auto head = JpegHead(false, 6);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        int expected;
    };
    const Case damaged[] = {
        {"value out of range", JpegHead(true, 9), 0},
        {"cut inside the directory", {head.begin(), head.begin() + 40}, 0},
        {"not a JPEG", {'B', 'M', 0, 0, 0, 0}, 0},
        {"no EXIF before the pixels", {0xFF, 0xD8, 0xFF, 0xDA, 0, 2, 1, 2}, 0},
        {"empty", {}, 0},
    };
    for (const Case& c : damaged) {
        EXPECT_EQ(ExifOrientation(c.bytes.data(), c.bytes.size()), c.expected) << c.what;
    }
}

TEST(DecodePlan, BandsBoundTheMemoryAndRefuseOnlyWhatNoBudgetHolds) {
    struct Case {
        const char* what;
        PixelSize source, target;
        DecodePlan expected;
    };
    constexpr int kMaxInt = 0x7FFFFFFF;
    const Case cases[] = {
        // 400 megapixels to the screen: 13 rows (a quarter of a million pixels) at a time.
        {"20000 x 20000 shrunk", {20000, 20000}, {1066, 1066}, {true, true, 13}},
        {"wider than a band", {2000000, 10}, {100, 1}, {true, true, 1}},
        {"short picture", {1000, 3}, {500, 2}, {true, true, 3}},
        {"own size", {1024, 768}, {1024, 768}, {true, false, 0}},
        {"growing a little", {100, 100}, {101, 99}, {true, false, 0}},
        {"own size beyond the budget", {10000, 10000}, {10000, 10000}, {false, false, 0}},
        {"no room even for one row", {kMaxInt, 2}, {1, 1}, {false, false, 0}},
        {"empty", {0, 10}, {1, 1}, {false, false, 0}},
    };
    for (const Case& c : cases) {
        const DecodePlan plan = PlanPictureDecode(c.source, c.target);
        EXPECT_EQ(plan.possible, c.expected.possible) << c.what;
        EXPECT_EQ(plan.banded, c.expected.banded) << c.what;
        EXPECT_EQ(plan.bandRows, c.expected.bandRows) << c.what;
    }
    // A smaller budget makes bands thinner, never empty.
    EXPECT_EQ(PlanPictureDecode({20000, 20000}, {100, 100}, 1'000'000).bandRows, 9);
}

TEST(DecodePlan, LargeBackgroundsAreDecodedAtScreenSizeAndDrawnByTheirVisiblePart) {
    EXPECT_EQ(BackgroundDecodeSize({800, 600}, {1024, 768}), (PixelSize{800, 600}));
    EXPECT_EQ(BackgroundDecodeSize({20000, 10000}, {1024, 768}), (PixelSize{1024, 512}));
    EXPECT_EQ(BackgroundDecodeSize({1, 100000000}, {1024, 768}), (PixelSize{1, 768}));

    // Drawn centred at its own size, a 20000-pixel square shows only its middle.
    const VisiblePart middle =
        VisiblePartOf({-9488, -9616, 20000, 20000}, {1000, 1000}, {1024, 768});
    EXPECT_EQ(middle.onSurface, (PixelRect{0, 0, 1024, 768}));
    EXPECT_DOUBLE_EQ(middle.sourceLeft, 474.4);
    EXPECT_DOUBLE_EQ(middle.sourceTop, 480.8);
    EXPECT_DOUBLE_EQ(middle.sourceWidth, 51.2);
    EXPECT_DOUBLE_EQ(middle.sourceHeight, 38.4);
    // Wholly inside, and wholly outside.
    const VisiblePart inside = VisiblePartOf({10, 20, 200, 100}, {100, 50}, {1024, 768});
    EXPECT_EQ(inside.onSurface, (PixelRect{10, 20, 200, 100}));
    EXPECT_DOUBLE_EQ(inside.sourceWidth, 100);
    EXPECT_EQ(VisiblePartOf({1024, 0, 10, 10}, {10, 10}, {1024, 768}).onSurface, PixelRect{});
}

// Header bytes of each format claiming a size, for the bounds below.
std::vector<std::uint8_t> Bmp(std::uint32_t infoSize, std::int32_t w, std::int32_t h) {
    std::vector<std::uint8_t> b = {'B', 'M'};
    b.resize(26, 0);
    const auto put = [&](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    };
    put(14, infoSize, 4);
    put(18, static_cast<std::uint32_t>(w), infoSize == 12 ? 2 : 4);
    put(infoSize == 12 ? 20 : 22, static_cast<std::uint32_t>(h), infoSize == 12 ? 2 : 4);
    return b;
}

// GIF: logical screen 10 x 10, a global table of 2 colours, one extension, then a
// 20000 x 15000 image.
const std::vector<std::uint8_t> kGif = {
    'G', 'I', 'F',  '8',  '9', 'a', 10, 0, 10,   0, 0x80, 0, 0, 1,    2,    3,    4,
    5,   6,   0x21, 0xF9, 2,   7,   7,  0, 0x2C, 0, 0,    0, 0, 0x20, 0x4E, 0x98, 0x3A};
const std::vector<std::uint8_t> kPng = {0x89, 'P', 'N',  'G',  '\r', '\n', 0x1A, '\n',
                                        0,    0,   0,    13,   'I',  'H',  'D',  'R',
                                        0,    0,   0xEA, 0x60, 0,    0,    0xEA, 0x60};
// TIFF, little-endian: width 3000 (SHORT), height 2000 (LONG).
const std::vector<std::uint8_t> kTiff = {'I', 'I', 42, 0, 8, 0, 0, 0, 2,    0,           //
                                         0,   1,   3,  0, 1, 0, 0, 0, 0xB8, 0x0B, 0, 0,  //
                                         1,   1,   4,  0, 1, 0, 0, 0, 0xD0, 0x07, 0, 0};
const std::vector<std::uint8_t> kJpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 4,    1,    2,
                                         0xFF, 0xC0, 0,    17,   8, 0x3A, 0x98, 0x4E,
                                         0x20, 3,    1,    0x11, 0, 2,    0x11, 1};

TEST(PictureHeader, ClaimsBeyondWhatTheFileCouldHoldAreRefused) {
    const std::vector<std::uint8_t>& jpeg = kJpeg;
    std::vector<std::uint8_t> arithmetic = jpeg;
    arithmetic[9] = 0xC9;
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        std::uint64_t fileBytes;
        PictureFormat format;
        std::uint64_t width, height;
        bool refused;
    };
    const Case cases[] = {
        {"354-byte BMP of 60000 x 60000", Bmp(40, 60000, 60000), 354, PictureFormat::Bmp, 60000,
         60000, true},
        {"BMP stored top-down", Bmp(40, 300, -200), 180054, PictureFormat::Bmp, 300, 200, false},
        {"old BMP header", Bmp(12, 640, 480), 2400, PictureFormat::Bmp, 640, 480, false},
        {"GIF of one 20000 x 15000 image", kGif, 100000, PictureFormat::Gif, 20000, 15000, true},
        {"GIF whose image is past the bytes",
         {kGif.begin(), kGif.begin() + 20},
         100000,
         PictureFormat::Gif,
         10,
         10,
         false},
        {"PNG of 60000 x 60000 in 400 KB", kPng, 400000, PictureFormat::Png, 60000, 60000, true},
        {"PNG of 60000 x 60000 in 500 KB", kPng, 500000, PictureFormat::Png, 60000, 60000, false},
        {"TIFF of 6 megapixels in 300 bytes", kTiff, 300, PictureFormat::Tiff, 3000, 2000, false},
        {"TIFF of 6 megapixels in 200 bytes", kTiff, 200, PictureFormat::Tiff, 3000, 2000, true},
        {"JPEG of 300 megapixels in 500 KB", jpeg, 500000, PictureFormat::Jpeg, 20000, 15000, true},
        {"JPEG of 300 megapixels in 600 KB", jpeg, 600000, PictureFormat::Jpeg, 20000, 15000,
         false},
        {"arithmetic-coded JPEG", arithmetic, 100, PictureFormat::Jpeg, 20000, 15000, false},
        {"JPEG cut before its frame",
         {jpeg.begin(), jpeg.begin() + 9},
         9,
         PictureFormat::Jpeg,
         0,
         0,
         false},
        {"not a picture", {'h', 'e', 'l', 'l', 'o'}, 5, PictureFormat::Unknown, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PictureHeader header = ReadPictureHeader(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(header.format, c.format);
        EXPECT_EQ(header.width, c.width);
        EXPECT_EQ(header.height, c.height);
        EXPECT_EQ(ClaimsMoreThanItHolds(header, header.width, header.height, c.fileBytes),
                  c.refused);
    }
    EXPECT_EQ(JpegFrameSize(jpeg.data(), jpeg.size()), (PixelSize{20000, 15000}));
    EXPECT_FALSE(MostPixelsIn(PictureFormat::Unknown, 1000));
    EXPECT_EQ(MostPixelsIn(PictureFormat::Tiff, ~0ull), ~0ull);  // saturates
}

TEST(PictureHeader, WholePictureDecodersTakeUpTo100MegapixelsWithinAQuarterOfTheMemory) {
    struct Case {
        std::uint64_t memory, width, height;
        bool beyond;
    };
    constexpr std::uint64_t kGb = 1ull << 30;
    const Case cases[] = {
        {8 * kGb, 8000, 6000, false},    // the camera photo: 192 MB
        {8 * kGb, 10000, 10000, false},  // 100 megapixels exactly
        {8 * kGb, 16000, 12000, true},   // 192 megapixels
        {1 * kGb, 8000, 6000, false},    // 192 MB of 256 MB
        {1 * kGb, 9000, 8000, true},     // 288 MB
        {0, 10000, 10000, false},        // memory unknown: the pixel count alone
        {0, 10001, 10000, true},        {8 * kGb, ~0ull, ~0ull, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BeyondWholeDecoder(c.width, c.height, WholeDecodeLimitFor(c.memory)), c.beyond)
            << c.width << "x" << c.height << " with " << c.memory;
    }
}

}  // namespace
}  // namespace orvelle
