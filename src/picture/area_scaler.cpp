#include "picture/area_scaler.h"

#include <algorithm>

namespace orvelle {

bool CanAreaScale(int sourceWidth, int sourceHeight, int destWidth, int destHeight) {
    return destWidth <= sourceWidth && destHeight <= sourceHeight;
}

// Coordinates are scaled so that both grids are whole numbers: across, a source pixel is
// destWidth units wide and a destination pixel sourceWidth units; likewise down. Because the
// destination is never larger, a source pixel touches at most two destination pixels on each
// axis. Sums stay exact integers; one division per destination pixel and channel.

AreaScaler::AreaScaler(int sourceWidth, int sourceHeight, int destWidth, int destHeight)
    : sourceWidth_(sourceWidth),
      sourceHeight_(sourceHeight),
      destWidth_(destWidth),
      destHeight_(destHeight) {
    const auto sw = static_cast<std::uint64_t>(sourceWidth);
    const auto dw = static_cast<std::uint64_t>(destWidth);
    firstColumn_.resize(static_cast<std::size_t>(sourceWidth));
    firstWeight_.resize(static_cast<std::size_t>(sourceWidth));
    for (std::uint64_t c = 0; c < sw; ++c) {
        const std::uint64_t start = c * dw;
        const std::uint64_t column = start / sw;
        const std::uint64_t boundary = (column + 1) * sw;
        firstColumn_[c] = static_cast<std::uint32_t>(column);
        firstWeight_[c] = static_cast<std::uint32_t>(std::min(start + dw, boundary) - start);
    }
    rowSums_.assign(static_cast<std::size_t>(destWidth) * 3 + 3, 0);
    accumulated_.assign(static_cast<std::size_t>(destWidth) * 3, 0);
    scale_ = 1.0 / (static_cast<double>(sourceWidth) * static_cast<double>(sourceHeight));
}

void AreaScaler::AddRow(const std::uint32_t* row, std::uint32_t* dest, std::size_t destStride) {
    if (sourceRow_ >= sourceHeight_) {
        return;
    }
    // Across: each source pixel into its one or two destination columns.
    std::fill(rowSums_.begin(), rowSums_.end(), 0u);
    const std::uint32_t dw = static_cast<std::uint32_t>(destWidth_);
    std::uint32_t* sums = rowSums_.data();
    for (int c = 0; c < sourceWidth_; ++c) {
        const std::uint32_t p = row[c];
        const std::uint32_t b = p & 0xFFu;
        const std::uint32_t g = (p >> 8) & 0xFFu;
        const std::uint32_t r = (p >> 16) & 0xFFu;
        const std::uint32_t w1 = firstWeight_[static_cast<std::size_t>(c)];
        std::uint32_t* s = sums + firstColumn_[static_cast<std::size_t>(c)] * 3;
        if (w1 == dw) {
            s[0] += b * dw;
            s[1] += g * dw;
            s[2] += r * dw;
        } else {
            const std::uint32_t w2 = dw - w1;
            s[0] += b * w1;
            s[1] += g * w1;
            s[2] += r * w1;
            s[3] += b * w2;
            s[4] += g * w2;
            s[5] += r * w2;
        }
    }
    // Down: this row into the destination row being built, and maybe into the next.
    const auto sh = static_cast<std::uint64_t>(sourceHeight_);
    const auto dh = static_cast<std::uint64_t>(destHeight_);
    const std::uint64_t start = static_cast<std::uint64_t>(sourceRow_) * dh;
    const std::uint64_t boundary = (static_cast<std::uint64_t>(destRow_) + 1) * sh;
    const std::uint64_t end = start + dh;
    const std::size_t n = static_cast<std::size_t>(destWidth_) * 3;
    const std::uint64_t first = std::min(end, boundary) - start;
    for (std::size_t i = 0; i < n; ++i) {
        accumulated_[i] += static_cast<std::uint64_t>(sums[i]) * first;
    }
    if (end >= boundary) {
        EmitRow(dest, destStride);
        const std::uint64_t rest = end - boundary;
        for (std::size_t i = 0; i < n; ++i) {
            accumulated_[i] = static_cast<std::uint64_t>(sums[i]) * rest;
        }
    }
    ++sourceRow_;
}

void AreaScaler::EmitRow(std::uint32_t* dest, std::size_t destStride) {
    if (destRow_ >= destHeight_) {
        return;
    }
    std::uint32_t* out = dest + static_cast<std::size_t>(destRow_) * destStride;
    for (int x = 0; x < destWidth_; ++x) {
        const std::uint64_t* a = accumulated_.data() + static_cast<std::size_t>(x) * 3;
        const auto b = static_cast<std::uint32_t>(static_cast<double>(a[0]) * scale_ + 0.5);
        const auto g = static_cast<std::uint32_t>(static_cast<double>(a[1]) * scale_ + 0.5);
        const auto r = static_cast<std::uint32_t>(static_cast<double>(a[2]) * scale_ + 0.5);
        out[x] = std::min(b, 255u) | (std::min(g, 255u) << 8) | (std::min(r, 255u) << 16);
    }
    ++destRow_;
}

void AreaScale(const std::uint32_t* source, int sourceWidth, int sourceHeight,
               std::size_t sourceStride, std::uint32_t* dest, int destWidth, int destHeight,
               std::size_t destStride) {
    if (!source || !dest || destWidth <= 0 || destHeight <= 0 ||
        !CanAreaScale(sourceWidth, sourceHeight, destWidth, destHeight)) {
        return;
    }
    AreaScaler scaler(sourceWidth, sourceHeight, destWidth, destHeight);
    for (int y = 0; y < sourceHeight; ++y) {
        scaler.AddRow(source + static_cast<std::size_t>(y) * sourceStride, dest, destStride);
    }
}

}  // namespace orvelle
