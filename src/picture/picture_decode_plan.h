// How much of a picture is held in memory while it is decoded, decided before any pixel is read.
// A picture is read in bands of rows and averaged down as it comes, so only one band, the
// averaging rows and the result are ever held; the whole picture at its own size is held only
// when it is small enough (growing, or shown at its own size).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "base/geometry.h"

namespace orvelle {

// What one decode may hold at once.
inline constexpr std::uint64_t kDecodeBudgetBytes = 96ull << 20;
// Rows are read about this many pixels at a time; between bands waiting input is served.
inline constexpr std::uint64_t kBandPixels = 1ull << 20;

struct DecodePlan {
    bool possible = false;  // false: beyond any budget, the picture is refused at once
    bool banded = false;    // read band by band and averaged down (else read whole, then drawn)
    int bandRows = 0;       // rows per band when banded
};

// The plan for decoding a source of this size (after any shrinking the decoder does itself) to
// the target size, within budget bytes.
DecodePlan PlanPictureDecode(PixelSize source, PixelSize target,
                             std::uint64_t budget = kDecodeBudgetBytes);

// The size a background picture is decoded at: its own size when that fits the budget,
// otherwise the largest size of the same shape within the screen (it is stretched from there
// to wherever it is drawn).
PixelSize BackgroundDecodeSize(PixelSize own, PixelSize screen,
                               std::uint64_t budget = kDecodeBudgetBytes);

// The part of a picture drawn at rect that lands inside a surface of the given size, and the
// matching part of the picture itself (in the picture's pixels, as reals, for a stretch).
struct VisiblePart {
    PixelRect onSurface;
    double sourceLeft = 0;
    double sourceTop = 0;
    double sourceWidth = 0;
    double sourceHeight = 0;
};
// Nothing visible gives an empty onSurface.
VisiblePart VisiblePartOf(const PixelRect& rect, PixelSize picture, PixelSize surface);

// A JPEG's frame size as its header gives it; nothing when the bytes are not a JPEG or its
// frame header is not among them.
std::optional<PixelSize> JpegFrameSize(const std::uint8_t* data, std::size_t size);

// What the system's decoder may hold at once when it cannot shrink a picture while decoding
// (it then keeps the whole picture, 3 bytes a pixel, and answers nothing until it is done).
inline constexpr std::uint64_t kWholeDecodeBudgetBytes = 128ull << 20;
// True when a JPEG of this size must be refused before the system decodes it: its decoder
// cannot shrink while decoding and would hold more than the budget.
bool JpegBeyondSystemDecoder(PixelSize frame, bool decoderShrinks,
                             std::uint64_t budget = kWholeDecodeBudgetBytes);

// The orientation a JPEG's EXIF block records (tag 274 of the first image directory), read from
// the first bytes of the file; 0 when there is none or the bytes are not a JPEG.
int ExifOrientation(const std::uint8_t* data, std::size_t size);

// Turns a decoded picture (stored orientation, width x height pixels, rows packed) upright into
// out, which receives the upright size's pixels.
void TurnUpright(const std::uint32_t* stored, PixelSize storedSize, int orientation,
                 std::uint32_t* out);

}  // namespace orvelle
