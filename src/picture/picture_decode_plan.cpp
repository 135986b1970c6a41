#include "picture/picture_decode_plan.h"

#include <algorithm>
#include <cmath>

#include "picture/picture_orientation.h"

namespace orvelle {

namespace {

constexpr std::uint64_t kPixelBytes = 4;
// Per source column the band scaler keeps a start column and a weight; per destination column
// three running sums of a row and three of the rows being built.
constexpr std::uint64_t kScalerBytesPerSourceColumn = 8;
constexpr std::uint64_t kScalerBytesPerDestColumn = 3 * 4 + 3 * 8;

}  // namespace

DecodePlan PlanPictureDecode(PixelSize source, PixelSize target, std::uint64_t budget) {
    DecodePlan plan;
    if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) {
        return plan;
    }
    const auto sw = static_cast<std::uint64_t>(source.width);
    const auto sh = static_cast<std::uint64_t>(source.height);
    const auto tw = static_cast<std::uint64_t>(target.width);
    const auto th = static_cast<std::uint64_t>(target.height);
    const std::uint64_t result = tw * th * kPixelBytes;
    if (result > budget) {
        return plan;
    }
    if (tw <= sw && th <= sh && (tw < sw || th < sh)) {
        // Shrinking: one band, the scaler and the result.
        const std::uint64_t fixed =
            result + sw * kScalerBytesPerSourceColumn + tw * kScalerBytesPerDestColumn;
        const std::uint64_t row = sw * kPixelBytes;
        if (fixed + row > budget) {
            return plan;
        }
        const std::uint64_t rowsInBudget = (budget - fixed) / row;
        const std::uint64_t rows =
            std::clamp<std::uint64_t>(std::min(kBandPixels / sw, rowsInBudget), 1, sh);
        plan = {true, true, static_cast<int>(rows)};
        return plan;
    }
    // Own size or growing: the picture is read whole (and for growing, also drawn from there).
    const std::uint64_t whole = sw * sh * kPixelBytes;
    const bool growing = tw != sw || th != sh;
    if (whole + (growing ? result : 0) > budget) {
        return plan;
    }
    plan.possible = true;
    return plan;
}

PixelSize BackgroundDecodeSize(PixelSize own, PixelSize screen, std::uint64_t budget) {
    if (own.width <= 0 || own.height <= 0) {
        return own;
    }
    const std::uint64_t whole = static_cast<std::uint64_t>(own.width) *
                                static_cast<std::uint64_t>(own.height) * kPixelBytes;
    if (whole <= budget || screen.width <= 0 || screen.height <= 0) {
        return own;
    }
    const double scale = std::min({static_cast<double>(screen.width) / own.width,
                                   static_cast<double>(screen.height) / own.height, 1.0});
    return {std::clamp(static_cast<int>(std::lround(own.width * scale)), 1, screen.width),
            std::clamp(static_cast<int>(std::lround(own.height * scale)), 1, screen.height)};
}

VisiblePart VisiblePartOf(const PixelRect& rect, PixelSize picture, PixelSize surface) {
    VisiblePart part;
    if (rect.width <= 0 || rect.height <= 0 || picture.width <= 0 || picture.height <= 0) {
        return part;
    }
    const long long left = std::max<long long>(rect.left, 0);
    const long long top = std::max<long long>(rect.top, 0);
    const long long right =
        std::min<long long>(static_cast<long long>(rect.left) + rect.width, surface.width);
    const long long bottom =
        std::min<long long>(static_cast<long long>(rect.top) + rect.height, surface.height);
    if (right <= left || bottom <= top) {
        return part;
    }
    part.onSurface = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                      static_cast<int>(bottom - top)};
    const double sx = static_cast<double>(picture.width) / rect.width;
    const double sy = static_cast<double>(picture.height) / rect.height;
    part.sourceLeft = static_cast<double>(left - rect.left) * sx;
    part.sourceTop = static_cast<double>(top - rect.top) * sy;
    part.sourceWidth = static_cast<double>(right - left) * sx;
    part.sourceHeight = static_cast<double>(bottom - top) * sy;
    return part;
}

namespace {

unsigned Read16(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (unsigned{p[0]} << 8) | p[1] : (unsigned{p[1]} << 8) | p[0];
}

std::uint32_t Read32(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                           (std::uint32_t{p[2]} << 8) | p[3]
                     : (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) |
                           (std::uint32_t{p[1]} << 8) | p[0];
}

// Tag 274 in the first image directory of a TIFF block; 0 when it is not there.
int OrientationInTiff(const std::uint8_t* tiff, std::size_t size) {
    if (size < 8) {
        return 0;
    }
    bool bigEndian = false;
    if (tiff[0] == 'M' && tiff[1] == 'M') {
        bigEndian = true;
    } else if (!(tiff[0] == 'I' && tiff[1] == 'I')) {
        return 0;
    }
    if (Read16(tiff + 2, bigEndian) != 42) {
        return 0;
    }
    const std::uint32_t directory = Read32(tiff + 4, bigEndian);
    if (directory > size || size - directory < 2) {
        return 0;
    }
    const unsigned entries = Read16(tiff + directory, bigEndian);
    for (unsigned i = 0; i < entries; ++i) {
        const std::size_t at = directory + 2 + static_cast<std::size_t>(i) * 12;
        if (at + 12 > size) {
            return 0;
        }
        const std::uint8_t* entry = tiff + at;
        if (Read16(entry, bigEndian) == 274) {
            const unsigned type = Read16(entry + 2, bigEndian);
            const unsigned value = type == 3   ? Read16(entry + 8, bigEndian)
                                   : type == 4 ? static_cast<unsigned>(Read32(entry + 8, bigEndian))
                                               : 0;
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 0;
        }
    }
    return 0;
}

// Calls visit(marker, body, bodySize) for each header segment of a JPEG up to its pixel data,
// until visit returns true; false when the bytes are not a JPEG.
template <typename Visit>
bool ForEachJpegSegment(const std::uint8_t* data, std::size_t size, Visit&& visit) {
    if (!data || size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return false;
    }
    std::size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) {
            return true;
        }
        const std::uint8_t marker = data[at + 1];
        if (marker == 0xFF) {
            ++at;  // fill byte
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) {
            return true;  // the pixel data starts
        }
        const std::size_t length = (std::size_t{data[at + 2]} << 8) | data[at + 3];
        if (length < 2) {
            return true;
        }
        if (visit(marker, data + at + 4, std::min(length - 2, size - (at + 4)))) {
            return true;
        }
        at += 2 + length;
    }
    return true;
}

}  // namespace

std::optional<PixelSize> JpegFrameSize(const std::uint8_t* data, std::size_t size) {
    std::optional<PixelSize> frame;
    ForEachJpegSegment(
        data, size, [&](std::uint8_t marker, const std::uint8_t* body, std::size_t bodySize) {
            // Start-of-frame markers: C0 to CF except C4 (tables), C8 (reserved) and CC (tables).
            const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                                      marker != 0xC8 && marker != 0xCC;
            if (!startOfFrame || bodySize < 5) {
                return false;
            }
            frame = PixelSize{(int{body[3]} << 8) | body[4], (int{body[1]} << 8) | body[2]};
            return true;
        });
    return frame;
}

bool JpegBeyondSystemDecoder(PixelSize frame, bool decoderShrinks, std::uint64_t budget) {
    if (decoderShrinks || frame.width <= 0 || frame.height <= 0) {
        return false;
    }
    return static_cast<std::uint64_t>(frame.width) * static_cast<std::uint64_t>(frame.height) * 3 >
           budget;
}

int ExifOrientation(const std::uint8_t* data, std::size_t size) {
    int orientation = 0;
    ForEachJpegSegment(
        data, size, [&](std::uint8_t marker, const std::uint8_t* body, std::size_t bodySize) {
            static constexpr std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
            if (marker != 0xE1 || bodySize < 6 || !std::equal(kExif, kExif + 6, body)) {
                return false;
            }
            orientation = OrientationInTiff(body + 6, bodySize - 6);
            return true;
        });
    return orientation;
}

void TurnUpright(const std::uint32_t* stored, PixelSize size, int orientation, std::uint32_t* out) {
    const PixelSize upright = UprightSize(size, orientation);
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const PixelPoint q = UprightPosition({x, y}, size, orientation);
            out[static_cast<std::size_t>(q.y) * static_cast<std::size_t>(upright.width) +
                static_cast<std::size_t>(q.x)] =
                stored[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) +
                       static_cast<std::size_t>(x)];
        }
    }
}

}  // namespace orvelle
