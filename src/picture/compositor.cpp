#include "picture/compositor.h"

namespace orvelle {

Compositor::Compositor(std::uint32_t background, bool premultiplied)
    : premultiplied_(premultiplied), background_(background) {
    for (int alpha = 0; alpha < 256; ++alpha) {
        std::uint32_t shown = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            std::uint32_t channel = (background >> shift) & 0xFFu;
            shown |= ((channel * static_cast<std::uint32_t>(255 - alpha) + 127) / 255) << shift;
        }
        behind_[static_cast<std::size_t>(alpha)] = shown;
    }
}

void Compositor::Apply(std::uint32_t* pixels, std::size_t count) const {
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t p = pixels[i];
        std::uint32_t alpha = p >> 24;
        if (alpha == 255) {
            pixels[i] = p & 0xFFFFFFu;
        } else if (alpha == 0) {
            pixels[i] = background_;
        } else if (premultiplied_) {
            pixels[i] = (p & 0xFFFFFFu) + behind_[alpha];
        } else {
            std::uint32_t out = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                std::uint32_t channel = (p >> shift) & 0xFFu;
                out |= ((channel * alpha + 127) / 255) << shift;
            }
            pixels[i] = out + behind_[alpha];
        }
    }
}

}  // namespace orvelle
