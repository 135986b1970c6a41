// Reads what a photo's file tells of itself through the Windows Imaging Component's metadata
// query reader (EXIF, XMP and IPTC, in JPEG and TIFF files), and the day the file last changed.
#pragma once

#include <wincodec.h>

#include <string>

#include "picture/photo_facts.h"

namespace orvelle::win {

// frame may be null (nothing is read from it then); path is the file's, UTF-8. exif: the texts
// the file's EXIF block holds as stored, for what the metadata reader leaves out.
PhotoFacts ReadPhotoFacts(IWICBitmapFrameDecode* frame, const std::string& path,
                          const PhotoFacts& exif);

}  // namespace orvelle::win
