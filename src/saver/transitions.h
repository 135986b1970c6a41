// The nine transition effects that draw the load surface onto the picture on screen, and their
// pacing. Each effect is a fixed sequence of rectangles (source = destination, in pixels); the
// sequence is spread evenly over kTransitionSeconds so an effect looks the same on any machine.
#pragma once

#include <string>
#include <vector>

#include "saver/saver_view.h"

namespace orvelle {

class Clock;
class RandomSource;
struct SaverSettings;

enum TransitionKind : int {
    kStandard = 0,
    kLeftWipe = 1,
    kRightWipe = 2,
    kRightLeftWipe = 3,
    kUpAndDownWipe = 4,
    kCenterWipe = 5,
    kHorizontalBlinds = 6,
    kVerticalBlinds = 7,
    kFade = 8,
};
constexpr int kTransitionCount = 9;
constexpr int kNoTransition = -1;

constexpr double kTransitionSeconds = 1.0;
// Left and Right Wipe move two pixels a step on pictures at least this wide.
constexpr int kWideStepTwips = 9000;

// The rectangles effect k copies, in order, for a picture of width x height pixels. Standard
// has none. Fade draws its cells from random.
std::vector<PixelRect> TransitionSteps(int k, int width, int height, bool wideStep,
                                       RandomSource& random);

// The effect to run: a uniform draw among the flags that are exactly 1 (re-seeded before each
// draw), or kNoTransition when no flag is 1.
int ChooseTransition(const SaverSettings& settings, RandomSource& random);

// Draws the steps paced over kTransitionSeconds, one batch per display frame; everything left
// at once when input is waiting. False when a step fails, unless failed steps are to be skipped.
bool PlayTransitionSteps(SaverView& view, Clock& clock, const std::vector<PixelRect>& steps,
                         bool skipFailedSteps);

// Chooses an effect and draws the load surface onto the picture on screen with it. False when
// the drawing failed.
bool RunTransition(const SaverSettings& settings, SaverView& view, Clock& clock,
                   RandomSource& random, PixelSize size, bool wideStep);

}  // namespace orvelle
