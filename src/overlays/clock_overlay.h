// The clock or countdown line at the bottom right of the saver screen: one tick of timeTimer.
#pragma once

#include <optional>
#include <string>

namespace orvelle {

class Clock;

struct ClockTickResult {
    std::optional<std::string> text;  // new label text, when there is one
    bool stopTimer = false;           // the countdown target has passed: no more ticks
};

// timeDisplay 1: the clock; any other value: the countdown to countdownTarget
// ("MM/DD/YYYY 12:00:00 AM").
ClockTickResult TimeTimerTick(int timeDisplay, const std::string& countdownTarget, Clock& clock);

// The clock label: 6135 x 375 twips, "MS Sans Serif" 13.5 pt, right-aligned, opaque.
constexpr int kClockWidthTwips = 6135;
constexpr int kClockHeightTwips = 375;
constexpr int kTimeTimerMs = 100;

}  // namespace orvelle
