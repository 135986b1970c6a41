#include "config/shown_picture_win.h"

namespace orvelle::win {

std::optional<PixelSize> ShownPicture::Measure(const std::string& path) {
    std::optional<PixelSize> size = decoder_.Open(path);
    decoder_.Close();
    return size;
}

bool ShownPicture::Draw(HDC dc, const PixelRect& rect, const std::string& path, Colour background) {
    if (rect.width <= 0 || rect.height <= 0) {
        return false;
    }
    const PixelSize size{rect.width, rect.height};
    if (!picture_ || path != path_ || size != size_ || background != background_) {
        picture_ = {};
        path_ = path;
        size_ = size;
        background_ = background;
        if (decoder_.Open(path)) {
            picture_ = decoder_.Decode(size, background);
        }
        decoder_.Close();
    }
    if (!picture_) {
        return false;
    }
    MemoryDC source(dc);
    source.Select(picture_.bitmap.Get());
    BitBlt(dc, rect.left, rect.top, rect.width, rect.height, source.Get(), 0, 0, SRCCOPY);
    return true;
}

void ShownPicture::Forget() {
    picture_ = {};
    path_.clear();
}

}  // namespace orvelle::win
