// SaverSettings: everything a saver run reads from the global settings file and the current
// theme, plus the run-time fields of the saver window. Values that mirror a key keep the key's
// name and its text as read; numbers are taken from them where they are used.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvelle {

class ThemeStorage;

struct SaverSettings {
    // Global settings file.
    std::string currentsaver;
    // The movement threshold (already converted from the stored slider value), as text.
    std::string mouseSensitivity;

    // Current theme.
    std::string total;
    std::vector<std::string> picturePaths;  // indices 0 .. count; the last one stays ""
    std::vector<std::string> captions;      // parallel to picturePaths
    std::int16_t lastPictureIndex = -1;
    std::string mediaTotal;
    std::vector<std::string> mediaPaths;  // indices 0 .. count; the last one stays ""
    std::string randomMedia;
    std::string newBackColor;
    std::string backEffect;
    std::string randomPick;
    std::string picSpeed;
    std::string timeInterval;
    std::string picRandom;
    std::string newFontName;
    std::string newFontSize;
    std::string newFontBold;
    std::string newFontItalic;
    std::string newFontUnderline;
    std::string newFontFontStrikethru;
    std::string newFontForeColor;
    std::string backgroundImage;
    std::string backgroundDisplay;
    std::string redBackground;
    std::string greenBackground;
    std::string blueBackground;
    std::string scroll;
    std::string picturePercent;
    float pictureFraction = 0.0f;
    std::string scrollSpeed;
    std::string bStandard;
    std::string bLeftWipe;
    std::string bRightWipe;
    std::string bRightandLeftWipe;
    std::string bUpAndDown;
    std::string bCenter;
    std::string bHorizontalBlinds;
    std::string bVerticalBlinds;
    std::string bFade;
    std::string timeDisplay;
    std::string countdownMonth;
    std::string countdownDay;
    std::string countdownYear;
    std::string countdownTarget;

    // Run-time fields of the saver window.
    std::int16_t currentIndex = -1;
    bool pictureShown = false;
    std::int16_t captionHeight = 0;  // twips
    std::int16_t waveDeviceCount = 0;
    std::int16_t mediaIndex = 0;
    std::int16_t floatStepX = 0;  // twips per float tick
    std::int16_t floatStepY = 0;
};

// The most pictures or music files a run takes from a theme: the picture index is a 16-bit
// number that must still be able to step one past the last picture.
constexpr int kMaxListEntries = 32767;

// The number of entries a count key stands for: its leading number, rounded, kept within
// 0 .. kMaxListEntries (a damaged "99999999" must not make the saver read for minutes).
int ListCountFromText(const std::string& countText);

// The nine transition flags in effect order (Standard, Left Wipe, Right Wipe, Right Left Wipe,
// Up and Down Wipe, Center Wipe, Horizontal Blinds, Vertical Blinds, Fade).
std::array<const std::string*, 9> TransitionFlags(const SaverSettings& settings);

// Stored slider value 1 (slow) .. 30 (quick) to the number of moves that end the run.
std::string MouseThresholdFromSlider(const std::string& stored);

// Fills the settings from the global settings file and the current theme, in the file order
// the program has always used. Writes the sample picture into the theme first while that
// installation step is due.
void LoadThemeSettings(SaverSettings& settings, ThemeStorage& storage);

}  // namespace orvelle
