// How much of a picture is held in memory while it is decoded, decided before any pixel is read.
// A picture is read in bands of rows and averaged down as it comes, so only one band, the
// averaging rows and the result are ever held; the whole picture at its own size is held only
// when it is small enough (growing, or shown at its own size).
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/geometry.h"

namespace orvelle {

// What one decode may hold at once.
inline constexpr std::uint64_t kDecodeBudgetBytes = 96ull << 20;
// Rows are read about this many pixels at a time; between bands the decode can be stopped. Small
// bands cost no time and keep the memory of a picture the system decoder holds whole near that
// picture alone.
inline constexpr std::uint64_t kBandPixels = 1ull << 18;

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

// Turns a decoded picture (stored orientation, width x height pixels, rows packed) upright into
// out, which receives the upright size's pixels.
void TurnUpright(const std::uint32_t* stored, PixelSize storedSize, int orientation,
                 std::uint32_t* out);

}  // namespace orvelle
