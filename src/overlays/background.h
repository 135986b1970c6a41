// The background behind the slideshow, painted once at window load onto the window's lasting
// surface: a plain colour, a copy of the desktop, a custom picture (centred, stretched or tiled)
// or a gradient from a colour down to black.
#pragma once

#include "base/colour.h"
#include "base/geometry.h"
#include "overlays/background_canvas.h"

namespace orvelle {

struct SaverSettings;
class ThemeStorage;

inline constexpr const char* kBackgroundErrorMessage =
    "Could not load background properly. If you have a loaded image as a background make sure "
    "the path exists.";

// Paints the background the settings ask for. False when it cannot be done (the picture does
// not load, or backEffect, backgroundDisplay, newBackColor or a gradient value is not a number);
// the caller then ends the run with kBackgroundErrorMessage.
bool PaintBackground(const SaverSettings& settings, BackgroundCanvas& canvas,
                     const ThemeStorage& storage);

// The gradient: 256 bands down the whole height of the window (or of the editor's preview of
// it), each 1/256 of it, whole rows shared out by rounding.
constexpr int kGradientBands = 256;
PixelRect GradientBand(int band, int windowWidth, int windowHeight);
// The top colour darkened by band in every channel, a channel stopping at 0.
Colour GradientColour(int band, int red, int green, int blue);

}  // namespace orvelle
