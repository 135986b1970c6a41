// Picture files through the Windows Imaging Component: BMP and DIB, GIF (first frame), JPEG
// (recognised by content, whatever the extension) and whatever else the system can decode.
// Opening reads only the frame size; decoding happens at the size the picture is shown at, and a
// JPEG is decoded at a reduced size straight from the file where the system's decoder can do it,
// so a large photo shrunk to the screen costs little more than its header.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/gdi_win.h"
#include "base/colour.h"
#include "base/geometry.h"
#include "picture/photo_facts.h"

namespace orvelle::win {

class PictureDecoder {
  public:
    PictureDecoder();
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;

    // Opens a picture file and reads the size of its first frame, keeping the file open for
    // Decode. Nothing when the file is missing or not a picture. A photo whose EXIF block says
    // it was taken turned reports (and later decodes to) its upright size. A picture refused by
    // the limits of picture_header.h reports its size but never decodes; one whose header alone
    // tells is refused before the system's decoder is made.
    std::optional<PixelSize> Open(const std::string& path);

    // The same for a picture held in memory (a resource, say), read in place: the memory must
    // stay as it is until Close or the next Open.
    std::optional<PixelSize> OpenMemory(const void* data, std::size_t size);

    // Decodes the open picture at exactly this size (an area average when shrinking, a halftone
    // stretch when growing), upright. Transparent pixels take the background colour. A file that
    // turns out damaged keeps what could be decoded, the rest in the background colour. An empty
    // bitmap when nothing is open, when the picture is beyond the decoding budget, when the
    // memory is not there, when the file yields no pixels at all (YieldedNothing then tells),
    // or when the between-bands call asked to stop.
    DibBitmap Decode(const PixelSize& size, Colour background);

    // Called between bands of rows while a large picture is decoded, so that waiting input can
    // be served; returning false stops the decode.
    void SetBetweenBands(std::function<bool()> call) { betweenBands_ = std::move(call); }

    // True when the last Decode found a picture whose header reads but whose pixels do not.
    bool YieldedNothing() const { return yieldedNothing_; }

    // The EXIF orientation of the open picture (1 when it has none).
    int Orientation() const;

    // What the open picture's metadata tells of it, and the day the file at path last changed.
    PhotoFacts ReadFacts(const std::string& path) const;

    // Lets go of the picture.
    void Close();

    // The size the last Decode actually read from the file (smaller than the picture when the
    // decoder could shrink it natively). For measurements and tests.
    PixelSize LastDecodedSize() const { return lastDecoded_; }

  private:
    struct Impl;
    DibBitmap DecodeStored(const PixelSize& size, Colour background);
    bool KeepGoing() const { return !betweenBands_ || betweenBands_(); }

    std::unique_ptr<Impl> impl_;
    PixelSize lastDecoded_;
    std::function<bool()> betweenBands_;
    bool yieldedNothing_ = false;
};

}  // namespace orvelle::win
