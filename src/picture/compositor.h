// Pictures with transparency put over the background colour, on plain 32-bit BGRA pixels.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace orvelle {

class Compositor {
  public:
    // background is the BGRX pixel shown through; premultiplied says whether the colour channels
    // of the pixels to come are already multiplied by their alpha.
    Compositor(std::uint32_t background, bool premultiplied);

    // Replaces each BGRA pixel by what it shows over the background, alpha byte 0.
    void Apply(std::uint32_t* pixels, std::size_t count) const;

  private:
    bool premultiplied_;
    std::uint32_t background_;
    std::array<std::uint32_t, 256> behind_{};  // the background's share at each alpha
};

}  // namespace orvelle
