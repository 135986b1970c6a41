// Form1, the full-screen saver window: its start-up, its timers' ticks and its input handlers.
// Portable: it draws and schedules only through SaverView and SaverHost.
#pragma once

#include <cstdint>
#include <memory>

#include "saver/saver_view.h"

namespace orvelle {

class Clock;
class Mmedia;
class RandomSource;
class RegistryReader;
class ThemeStorage;

struct SaverEnvironment {
    SaverView& view;
    SaverHost& host;
    ThemeStorage& storage;
    RegistryReader& registry;
    Clock& clock;
    RandomSource& random;
    Mmedia& mediaPlayer;
    std::int32_t platformId = 2;  // 2 = NT family
};

class SaverForm {
public:
    explicit SaverForm(SaverEnvironment env);
    ~SaverForm();

    // Window load: cover the screen, password flag, settings, display preparation.
    void Form_Load();
    // A tick of one of the window's timers.
    void OnTimer(SaverTimer timer);

    // Input on the window (positions in twips) and on the picture (positions in pixels).
    void Form_KeyDown();
    void Form_MouseDown();
    void Form_MouseMove(float xTwips, float yTwips);
    void DisplayingPicture_KeyDown();
    void DisplayingPicture_MouseMove(float xPixels, float yPixels);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace orvelle
