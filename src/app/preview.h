// The preview switch: which window the display settings want the preview picture in.
#pragma once

#include <cstdint>
#include <string>

namespace orvelle {

// The window handle after "/P": the leading number of the raw argument text after its first
// three characters ("/p 1234" gives 1234, "/p" alone gives 0).
std::int32_t PreviewWindowHandle(const std::string& rawArguments);

// The picture is 151 x 119 pixels; the copy takes 160 x 120, the box's background showing at
// the right and bottom edges.
constexpr int kPreviewPictureWidth = 151;
constexpr int kPreviewPictureHeight = 119;
constexpr int kPreviewCopyWidth = 160;
constexpr int kPreviewCopyHeight = 120;

}  // namespace orvelle
