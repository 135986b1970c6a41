// A picture the editor shows small (the picture preview, the background thumbnail): decoded with
// the saver's decoder straight at the size it is shown, so a large photo costs little more than
// its header, and kept until another picture or size is asked for, so repainting costs a copy.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "base/colour.h"
#include "base/gdi_win.h"
#include "base/geometry.h"
#include "picture/picture_decoder_win.h"

namespace orvelle::win {

class ShownPicture {
  public:
    // The picture's upright size in pixels; nothing when it cannot be read as a picture.
    std::optional<PixelSize> Measure(const std::string& path);

    // Draws the picture at rect (decoded at rect's size), over background where it is
    // transparent. False, drawing nothing, when it cannot be decoded.
    bool Draw(HDC dc, const PixelRect& rect, const std::string& path, Colour background);

    // Forgets the decoded picture (the file may have changed).
    void Forget();

  private:
    PictureDecoder decoder_;
    DibBitmap picture_;
    std::string path_;
    PixelSize size_;
    Colour background_{};
};

}  // namespace orvelle::win
