// What a picture file's first bytes claim, read before any decoder is made: its format, the size
// its header gives and, for JPEG, the orientation, dates and description its EXIF block records.
// And the two limits a picture is held to before its pixels are decoded:
//
// 1. A header that claims more pixels than its file could hold is refused outright. The bound
//    for each format is its best possible compression, as pixels per byte of the whole file:
//
//      BMP    128  runs of 255 pixels in 2 bytes (RLE4, RLE8); uncompressed 1-bit rows hold 8.
//                  Skips (delta and end-of-bitmap codes) hold no pixels.
//      GIF   2731  a 12-bit LZW code stands for at most 4096 pixels.
//      PNG   8256  deflate expands at most 1032 times, a byte of 1-bit rows is 8 pixels.
//      TIFF 21846  LZW on 1-bit rows (2731 bytes a byte, 8 pixels each); deflate and PackBits
//                  hold fewer. Fax-coded pages beyond this bound are refused as well.
//      JPEG   512  Huffman coding spends at least one bit on each 8 x 8 block. Arithmetic-coded
//                  frames have no useful bound and are held to the second limit only.
//
// 2. A system decoder that cannot shrink while it decodes keeps the whole picture (up to 4 bytes
//    a pixel) until it is done: such a picture is decoded only up to 100 megapixels and within a
//    quarter of the machine's physical memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/geometry.h"
#include "picture/photo_facts.h"

namespace orvelle {

enum class PictureFormat { Unknown, Bmp, Gif, Png, Tiff, Jpeg };

struct PictureHeader {
    PictureFormat format = PictureFormat::Unknown;
    // The size the header claims; 0 x 0 when the bytes do not reach it.
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    // A JPEG frame coded arithmetically: its compression bounds nothing.
    bool arithmetic = false;
};

// The format by its signature, and the claimed size where the bytes given reach it (BMP and PNG
// headers, the first GIF image, the first TIFF directory, the JPEG frame header).
PictureHeader ReadPictureHeader(const std::uint8_t* data, std::size_t size);

// The most pixels a file of the format and size could hold (limit 1 above); nothing for a format
// without a bound.
std::optional<std::uint64_t> MostPixelsIn(PictureFormat format, std::uint64_t fileBytes);

// True when the picture claims more pixels (width x height) than a file of fileBytes could hold.
bool ClaimsMoreThanItHolds(const PictureHeader& header, std::uint64_t width, std::uint64_t height,
                           std::uint64_t fileBytes);

// Limit 2 above, for a machine with this much physical memory.
struct WholeDecodeLimit {
    std::uint64_t pixels = 100'000'000;
    std::uint64_t bytes = 0;
};
inline constexpr std::uint64_t kWholeDecodeBytesPerPixel = 4;
WholeDecodeLimit WholeDecodeLimitFor(std::uint64_t physicalMemoryBytes);
bool BeyondWholeDecoder(std::uint64_t width, std::uint64_t height, const WholeDecodeLimit& limit);

// A JPEG's frame size as its header gives it; nothing when the bytes are not a JPEG or its
// frame header is not among them.
std::optional<PixelSize> JpegFrameSize(const std::uint8_t* data, std::size_t size);

// The orientation a JPEG's EXIF block records (tag 274 of the first image directory), read from
// the first bytes of the file; 0 when there is none or the bytes are not a JPEG.
int ExifOrientation(const std::uint8_t* data, std::size_t size);

// The dates (DateTimeOriginal, DateTimeDigitized of the EXIF directory) and the description
// (ImageDescription of the first image directory) a JPEG's EXIF block records, as stored, read
// from the first bytes of the file; the other facts are left empty. For systems whose imaging
// component reads no JPEG metadata.
PhotoFacts ExifFacts(const std::uint8_t* data, std::size_t size);

}  // namespace orvelle
