#include "picture/picture_header.h"

#include <algorithm>
#include <limits>
#include <string>

namespace orvelle {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

std::uint64_t SaturatedProduct(std::uint64_t a, std::uint64_t b) {
    return a != 0 && b > kMax / a ? kMax : a * b;
}

unsigned Read16(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (unsigned{p[0]} << 8) | p[1] : (unsigned{p[1]} << 8) | p[0];
}

std::uint32_t Read32(const std::uint8_t* p, bool bigEndian) {
    return bigEndian ? (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) |
                           (std::uint32_t{p[2]} << 8) | p[3]
                     : (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) |
                           (std::uint32_t{p[1]} << 8) | p[0];
}

bool StartsWith(const std::uint8_t* data, std::size_t size, const char* magic, std::size_t n) {
    return size >= n && std::equal(data, data + n, reinterpret_cast<const std::uint8_t*>(magic));
}

// The value of a SHORT or LONG entry of a TIFF directory; nothing for other types.
std::optional<std::uint32_t> TiffEntryValue(const std::uint8_t* entry, bool bigEndian) {
    const unsigned type = Read16(entry + 2, bigEndian);
    if (type == 3) {
        return Read16(entry + 8, bigEndian);
    }
    if (type == 4) {
        return Read32(entry + 8, bigEndian);
    }
    return std::nullopt;
}

// Calls visit(tag, entry, bigEndian) for each entry of the image directory at offset directory
// of a TIFF block until visit returns true; entries past the bytes given are not visited.
template <typename Visit>
void ForEachEntryAt(const std::uint8_t* tiff, std::size_t size, std::uint32_t directory,
                    bool bigEndian, Visit&& visit) {
    if (directory > size || size - directory < 2) {
        return;
    }
    const unsigned entries = Read16(tiff + directory, bigEndian);
    for (unsigned i = 0; i < entries; ++i) {
        const std::size_t at = directory + 2 + static_cast<std::size_t>(i) * 12;
        if (at + 12 > size || visit(Read16(tiff + at, bigEndian), tiff + at, bigEndian)) {
            return;
        }
    }
}

// Calls visit(tag, entry, bigEndian) for each entry of the first image directory of a TIFF
// block until visit returns true. False when the bytes are not a TIFF block or its directory is
// not in them.
template <typename Visit>
bool ForEachTiffEntry(const std::uint8_t* tiff, std::size_t size, Visit&& visit) {
    if (size < 8) {
        return false;
    }
    bool bigEndian = false;
    if (tiff[0] == 'M' && tiff[1] == 'M') {
        bigEndian = true;
    } else if (!(tiff[0] == 'I' && tiff[1] == 'I')) {
        return false;
    }
    if (Read16(tiff + 2, bigEndian) != 42) {
        return false;
    }
    const std::uint32_t directory = Read32(tiff + 4, bigEndian);
    if (directory > size || size - directory < 2) {
        return false;
    }
    ForEachEntryAt(tiff, size, directory, bigEndian, visit);
    return true;
}

// The text of an ASCII entry, up to its first NUL; "" for other types or a text outside the
// bytes given.
std::string TiffEntryText(const std::uint8_t* tiff, std::size_t size, const std::uint8_t* entry,
                          bool bigEndian) {
    constexpr unsigned kAscii = 2;
    if (Read16(entry + 2, bigEndian) != kAscii) {
        return "";
    }
    const std::uint32_t count = Read32(entry + 4, bigEndian);
    const std::uint8_t* text = entry + 8;  // four bytes or fewer are kept in the entry itself
    if (count > 4) {
        const std::uint32_t offset = Read32(entry + 8, bigEndian);
        if (offset > size || count > size - offset) {
            return "";
        }
        text = tiff + offset;
    }
    const std::uint8_t* end = std::find(text, text + count, std::uint8_t{0});
    return std::string(text, end);
}

// Tag 274 in the first image directory of a TIFF block; 0 when it is not there.
int OrientationInTiff(const std::uint8_t* tiff, std::size_t size) {
    int orientation = 0;
    ForEachTiffEntry(tiff, size, [&](unsigned tag, const std::uint8_t* entry, bool bigEndian) {
        if (tag != 274) {
            return false;
        }
        const std::uint32_t value = TiffEntryValue(entry, bigEndian).value_or(0);
        orientation = value >= 1 && value <= 8 ? static_cast<int>(value) : 0;
        return true;
    });
    return orientation;
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

// Calls use(tiff, tiffSize) with the TIFF block of a JPEG's first EXIF segment (APP1 "Exif").
template <typename Use>
void ForExifBlock(const std::uint8_t* data, std::size_t size, Use&& use) {
    ForEachJpegSegment(
        data, size, [&](std::uint8_t marker, const std::uint8_t* body, std::size_t bodySize) {
            static constexpr std::uint8_t kExif[] = {'E', 'x', 'i', 'f', 0, 0};
            if (marker != 0xE1 || bodySize < 6 || !std::equal(kExif, kExif + 6, body)) {
                return false;
            }
            use(body + 6, bodySize - 6);
            return true;
        });
}

struct JpegFrame {
    PixelSize size;
    std::uint8_t marker = 0;
};

std::optional<JpegFrame> ReadJpegFrame(const std::uint8_t* data, std::size_t size) {
    std::optional<JpegFrame> frame;
    ForEachJpegSegment(
        data, size, [&](std::uint8_t marker, const std::uint8_t* body, std::size_t bodySize) {
            // Start-of-frame markers: C0 to CF except C4 (tables), C8 (reserved) and CC (tables).
            const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                                      marker != 0xC8 && marker != 0xCC;
            if (!startOfFrame || bodySize < 5) {
                return false;
            }
            frame =
                JpegFrame{{(int{body[3]} << 8) | body[4], (int{body[1]} << 8) | body[2]}, marker};
            return true;
        });
    return frame;
}

void ReadBmpSize(const std::uint8_t* data, std::size_t size, PictureHeader& header) {
    if (size >= 22 && Read32(data + 14, false) == 12) {
        // The old OS/2 header: 16-bit sizes.
        header.width = Read16(data + 18, false);
        header.height = Read16(data + 20, false);
    } else if (size >= 26) {
        // Signed: a negative height stores the rows top-down.
        const auto magnitude = [](std::uint32_t v) {
            const auto s = static_cast<std::int64_t>(static_cast<std::int32_t>(v));
            return static_cast<std::uint64_t>(s < 0 ? -s : s);
        };
        header.width = magnitude(Read32(data + 18, false));
        header.height = magnitude(Read32(data + 22, false));
    }
}

// The first image's size, else the logical screen's.
void ReadGifSize(const std::uint8_t* data, std::size_t size, PictureHeader& header) {
    if (size < 13) {
        return;
    }
    header.width = Read16(data + 6, false);
    header.height = Read16(data + 8, false);
    std::size_t at = 13;
    if (data[10] & 0x80) {
        at += 3 * (std::size_t{1} << ((data[10] & 7) + 1));  // the global colour table
    }
    while (at < size && data[at] == 0x21 && at + 2 < size) {
        at += 2;  // an extension: its label, then sub-blocks up to an empty one
        while (at < size && data[at] != 0) {
            at += 1 + data[at];
        }
        ++at;
    }
    if (at + 9 <= size && data[at] == 0x2C) {
        header.width = Read16(data + at + 5, false);
        header.height = Read16(data + at + 7, false);
    }
}

void ReadTiffSize(const std::uint8_t* data, std::size_t size, PictureHeader& header) {
    ForEachTiffEntry(data, size, [&](unsigned tag, const std::uint8_t* entry, bool bigEndian) {
        if (tag == 256) {
            header.width = TiffEntryValue(entry, bigEndian).value_or(0);
        } else if (tag == 257) {
            header.height = TiffEntryValue(entry, bigEndian).value_or(0);
        }
        return false;
    });
    if (header.width == 0 || header.height == 0) {
        header.width = header.height = 0;
    }
}

}  // namespace

PictureHeader ReadPictureHeader(const std::uint8_t* data, std::size_t size) {
    PictureHeader header;
    if (!data) {
        return header;
    }
    if (StartsWith(data, size, "BM", 2)) {
        header.format = PictureFormat::Bmp;
        ReadBmpSize(data, size, header);
    } else if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6)) {
        header.format = PictureFormat::Gif;
        ReadGifSize(data, size, header);
    } else if (StartsWith(data, size, "\x89PNG\r\n\x1A\n", 8)) {
        header.format = PictureFormat::Png;
        if (size >= 24 && std::equal(data + 12, data + 16, "IHDR")) {
            header.width = Read32(data + 16, true);
            header.height = Read32(data + 20, true);
        }
    } else if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4)) {
        header.format = PictureFormat::Tiff;
        ReadTiffSize(data, size, header);
    } else if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8) {
        header.format = PictureFormat::Jpeg;
        if (const std::optional<JpegFrame> frame = ReadJpegFrame(data, size)) {
            header.width = static_cast<std::uint64_t>(frame->size.width);
            header.height = static_cast<std::uint64_t>(frame->size.height);
            // SOF9 to SOF15: arithmetic coding.
            header.arithmetic = frame->marker >= 0xC9;
        }
    }
    return header;
}

std::optional<std::uint64_t> MostPixelsIn(PictureFormat format, std::uint64_t fileBytes) {
    std::uint64_t pixelsPerByte = 0;
    switch (format) {
        case PictureFormat::Bmp:
            pixelsPerByte = 128;
            break;
        case PictureFormat::Gif:
            pixelsPerByte = 2731;
            break;
        case PictureFormat::Png:
            pixelsPerByte = 8256;
            break;
        case PictureFormat::Tiff:
            pixelsPerByte = 21846;
            break;
        case PictureFormat::Jpeg:
            pixelsPerByte = 512;
            break;
        case PictureFormat::Unknown:
            return std::nullopt;
    }
    return SaturatedProduct(pixelsPerByte, fileBytes);
}

bool ClaimsMoreThanItHolds(const PictureHeader& header, std::uint64_t width, std::uint64_t height,
                           std::uint64_t fileBytes) {
    if (header.arithmetic) {
        return false;
    }
    const std::optional<std::uint64_t> most = MostPixelsIn(header.format, fileBytes);
    return most && SaturatedProduct(width, height) > *most;
}

WholeDecodeLimit WholeDecodeLimitFor(std::uint64_t physicalMemoryBytes) {
    WholeDecodeLimit limit;
    // Memory the system would not tell leaves the pixel count as the only limit.
    limit.bytes = physicalMemoryBytes > 0 ? physicalMemoryBytes / 4
                                          : limit.pixels * kWholeDecodeBytesPerPixel;
    return limit;
}

bool BeyondWholeDecoder(std::uint64_t width, std::uint64_t height, const WholeDecodeLimit& limit) {
    const std::uint64_t pixels = SaturatedProduct(width, height);
    return pixels > limit.pixels ||
           SaturatedProduct(pixels, kWholeDecodeBytesPerPixel) > limit.bytes;
}

std::optional<PixelSize> JpegFrameSize(const std::uint8_t* data, std::size_t size) {
    const std::optional<JpegFrame> frame = ReadJpegFrame(data, size);
    if (!frame) {
        return std::nullopt;
    }
    return frame->size;
}

int ExifOrientation(const std::uint8_t* data, std::size_t size) {
    int orientation = 0;
    ForExifBlock(data, size, [&](const std::uint8_t* tiff, std::size_t tiffSize) {
        orientation = OrientationInTiff(tiff, tiffSize);
    });
    return orientation;
}

PhotoFacts ExifFacts(const std::uint8_t* data, std::size_t size) {
    constexpr unsigned kImageDescription = 270;
    constexpr unsigned kExifDirectory = 34665;
    constexpr unsigned kDateTimeOriginal = 36867;
    constexpr unsigned kDateTimeDigitized = 36868;
    PhotoFacts facts;
    ForExifBlock(data, size, [&](const std::uint8_t* tiff, std::size_t tiffSize) {
        std::optional<std::uint32_t> exif;
        bool order = false;
        ForEachTiffEntry(tiff, tiffSize, [&](unsigned tag, const std::uint8_t* entry, bool big) {
            order = big;
            if (tag == kImageDescription) {
                facts.exifDescription = TiffEntryText(tiff, tiffSize, entry, big);
            } else if (tag == kExifDirectory) {
                exif = TiffEntryValue(entry, big);
            }
            return false;
        });
        if (!exif) {
            return;
        }
        ForEachEntryAt(tiff, tiffSize, *exif, order,
                       [&](unsigned tag, const std::uint8_t* entry, bool big) {
                           if (tag == kDateTimeOriginal) {
                               facts.dateTimeOriginal = TiffEntryText(tiff, tiffSize, entry, big);
                           } else if (tag == kDateTimeDigitized) {
                               facts.dateTimeDigitized = TiffEntryText(tiff, tiffSize, entry, big);
                           }
                           return false;
                       });
    });
    return facts;
}

}  // namespace orvelle
