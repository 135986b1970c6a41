// Colours as the program keeps them, and the one conversion to the pixels of a 32-bit bitmap.
#pragma once

#include <cstdint>

namespace orvelle {

// Colours are 0x00BBGGRR.
using Colour = std::uint32_t;

// A 0x00BBGGRR colour as the BGRX value a 32-bit top-down bitmap stores.
constexpr std::uint32_t DibPixel(Colour colour) {
    return ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

}  // namespace orvelle
