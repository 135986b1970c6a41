// Shrinking pictures with an exact area average, on plain 32-bit BGRX pixel buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvelle {

// True when a picture of the first size can be brought to the second by averaging (it shrinks
// or keeps its size both ways); growing along either side needs a stretch instead.
bool CanAreaScale(int sourceWidth, int sourceHeight, int destWidth, int destHeight);

// Shrinks a picture row by row with an exact area average: every destination pixel is the mean
// of the source area it covers, fractions of pixels weighted. Destination sizes must not exceed
// the source sizes. Rows are BGRX; the X byte of the result is 0.
class AreaScaler {
  public:
    AreaScaler(int sourceWidth, int sourceHeight, int destWidth, int destHeight);
    // Feeds the next source row (sourceWidth pixels). Each finished destination row is written
    // to dest + row index x destStride (in pixels).
    void AddRow(const std::uint32_t* row, std::uint32_t* dest, std::size_t destStride);

  private:
    void EmitRow(std::uint32_t* dest, std::size_t destStride);

    int sourceWidth_, sourceHeight_, destWidth_, destHeight_;
    int sourceRow_ = 0;
    int destRow_ = 0;
    std::vector<std::uint32_t> firstColumn_;  // destination column each source column starts in
    std::vector<std::uint32_t> firstWeight_;  // its share of that column (of destWidth)
    std::vector<std::uint32_t> rowSums_;      // one source row reduced across, 3 per column
    std::vector<std::uint64_t> accumulated_;  // the destination row being built, 3 per column
    double scale_ = 0;                        // 1 / (total weight of one destination pixel)
};

// A whole picture at once: source rows sourceStride pixels apart, destination rows destStride
// apart. Does nothing unless CanAreaScale holds and both sizes are positive.
void AreaScale(const std::uint32_t* source, int sourceWidth, int sourceHeight,
               std::size_t sourceStride, std::uint32_t* dest, int destWidth, int destHeight,
               std::size_t destStride);

}  // namespace orvelle
