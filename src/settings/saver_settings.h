// SaverSettings: everything a saver run reads from the global settings file and the current
// theme (the theme's keys in ThemeSettings), the values derived from them, and the run-time
// fields of the saver window. Numbers are taken from the texts where they are used.
#pragma once

#include <cstdint>
#include <string>

#include "settings/theme_model.h"

namespace orvelle {

class ThemeStorage;

struct SaverSettings : ThemeSettings {
    // Global settings file.
    std::string currentsaver;
    // The movement threshold (already converted from the stored slider value), as text.
    std::string mouseSensitivity;

    // Derived from the theme.
    std::int32_t lastPictureIndex = -1;  // the last entry of the picture list
    float pictureFraction = 0.0f;        // picturePercent / 100, after 100 became 99
    std::string countdownTarget;         // only for the countdown: "MM/DD/YYYY 12:00:00 AM"

    // Run-time fields of the saver window.
    std::int32_t currentIndex = -1;  // the entry of the picture shown (its caption's index)
    bool pictureShown = false;
    std::int16_t captionHeight = 0;  // twips
    std::int16_t waveDeviceCount = 0;
    std::int32_t mediaIndex = 0;
    std::int16_t floatStepX = 0;  // twips per float tick
    std::int16_t floatStepY = 0;
};

// Stored slider value 1 (slow) .. 30 (quick) to the number of moves that end the run.
std::string MouseThresholdFromSlider(const std::string& stored);

// Fills the settings from the global settings file and the current theme, in the file order
// the program has always used. Writes the sample picture into the theme first while that
// installation step is due.
void LoadThemeSettings(SaverSettings& settings, ThemeStorage& storage);

}  // namespace orvelle
