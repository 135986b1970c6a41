// Picture files through the Windows Imaging Component: BMP and DIB, GIF (first frame), JPEG
// (recognised by content, whatever the extension) and whatever else the system can decode.
// Opening reads only the frame size; decoding happens at the size the picture is shown at, and a
// JPEG is decoded at a reduced size straight from the file where the system's decoder can do it,
// so a large photo shrunk to the screen costs little more than its header.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "base/gdi_win.h"
#include "base/colour.h"
#include "base/geometry.h"

namespace orvelle::win {

class PictureDecoder {
  public:
    PictureDecoder();
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;

    // Opens a picture file and reads the size of its first frame, keeping the file open for
    // Decode. Nothing when the file is missing or not a picture.
    std::optional<PixelSize> Open(const std::string& path);

    // The same for a picture held in memory (a resource, say), read in place: the memory must
    // stay as it is until Close or the next Open.
    std::optional<PixelSize> OpenMemory(const void* data, std::size_t size);

    // Decodes the open picture at exactly this size (an area average when shrinking, a halftone
    // stretch when growing). Transparent pixels take the background colour. A file that turns out
    // damaged keeps what could be decoded, the rest in the background colour. An empty bitmap
    // when the memory for it is not there or nothing is open.
    DibBitmap Decode(const PixelSize& size, Colour background);

    // Lets go of the picture.
    void Close();

    // The size the last Decode actually read from the file (smaller than the picture when the
    // decoder could shrink it natively). For measurements and tests.
    PixelSize LastDecodedSize() const { return lastDecoded_; }

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    PixelSize lastDecoded_;
};

}  // namespace orvelle::win
