// Form1, the full-screen saver window: its start-up, its timers' ticks and its input handlers.
// Portable: it draws and schedules only through SaverView and SaverHost.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "saver/picture_library.h"
#include "saver/saver_view.h"
#include "settings/saver_settings.h"

namespace orvelle {

class Clock;
class Mmedia;
class RandomSource;
class RegistryReader;
class ThemeStorage;

// The run ends with one of these when the screen cannot show a picture or wipe it away (1, 2), or
// when neither a picture nor the fallback picture can be shown: 1 when the fallback is missing,
// 3 when it is there but cannot be shown.
inline constexpr const char* kShowPictureError = "Error code 1: Please reload a smaller image.";
inline constexpr const char* kRemovePictureError = "Error code 2: Please reload a smaller image.";
inline constexpr const char* kScalePictureError = "Error code 3: Please reload a smaller image.";

struct SaverEnvironment {
    SaverView& view;
    SaverHost& host;
    ThemeStorage& storage;
    RegistryReader& registry;
    Clock& clock;
    RandomSource& random;
    Mmedia& mediaPlayer;
    std::int32_t platformId = 2;  // 2 = NT family
    // Where the program keeps its state per theme (the user's local application data); ""
    // keeps none.
    std::string stateFolder;
};

class SaverForm {
  public:
    explicit SaverForm(SaverEnvironment env);
    ~SaverForm();

    // Window load: cover the screen, password flag, settings, display preparation.
    void Form_Load();
    // A tick of one of the window's timers.
    void OnTimer(SaverTimer timer);
    // The answer to a picture the form asked the view to decode.
    void PictureDecoded(const DecodedPicture& picture);
    // News of a folder scan the form asked the view for.
    void FoldersScanned(const ScanNews& news);
    // The monitors were added, removed, moved or resized.
    void DisplayChanged();

    // Input on the window (positions in twips) and on the picture (positions in pixels). A key
    // held down repeats with repeated set.
    void Form_KeyDown(SaverKey key = SaverKey::Other, bool repeated = false);
    void Form_MouseDown();
    void Form_MouseMove(float xTwips, float yTwips);
    void DisplayingPicture_KeyDown(SaverKey key = SaverKey::Other, bool repeated = false);
    void DisplayingPicture_MouseMove(float xPixels, float yPixels);

    // The settings record of the run (read-only view for the window and for tests).
    const SaverSettings& Settings() const;
    // Where the picture on screen stands, in pixels.
    PixelRect DisplayRect() const;
    // True once the run has ended (teardown or an error ending); later events are ignored.
    bool Ended() const;
    // The run's pictures, for the window and for tests.
    const PictureLibrary& Library() const;

  private:
    void LoadForm();

    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace orvelle
