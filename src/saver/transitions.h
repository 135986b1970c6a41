// The nine transition effects that draw the load surface onto the picture on screen, and their
// pacing. Each effect is a fixed sequence of rectangles (source = destination, in pixels); the
// sequence is spread evenly over kTransitionSeconds so an effect looks the same on any machine.
#pragma once

#include <functional>
#include <memory>
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

// The blinds draw strips that may fall outside the picture: a failed one is left out.
constexpr bool SkipsFailedSteps(int k) {
    return k == kHorizontalBlinds || k == kVerticalBlinds;
}

// An effect's steps paced over kTransitionSeconds from start: whoever owns the frames asks it
// to draw what is due by now, so several effects can run side by side on one thread.
class SteppedTransition {
  public:
    using Copy = std::function<bool(const PixelRect&)>;
    SteppedTransition(std::vector<PixelRect> steps, double start, bool skipFailedSteps);
    SteppedTransition(SteppedTransition&&) noexcept;
    SteppedTransition& operator=(SteppedTransition&&) noexcept;
    ~SteppedTransition();
    // Draws through copy the steps due at now (all that are left when hurried). False when a
    // step failed, unless failed steps are to be skipped.
    bool Advance(double now, bool hurry, const Copy& copy);
    bool Done() const { return drawn_ >= steps_.size(); }

  private:
    struct Drawn;
    std::vector<PixelRect> steps_;
    double start_;
    bool skipFailedSteps_;
    std::size_t drawn_ = 0;
    std::unique_ptr<Drawn> onScreen_;
};

// Draws the steps paced over kTransitionSeconds, one batch per display frame; everything left
// at once when input is waiting. onFrame runs once a frame (other monitors' effects go on).
// False when a step fails, unless failed steps are to be skipped.
bool PlayTransitionSteps(SaverView& view, Clock& clock, const std::vector<PixelRect>& steps,
                         bool skipFailedSteps, const std::function<void()>& onFrame = {});

// Chooses an effect and draws the load surface onto the picture on screen with it. False when
// the drawing failed.
bool RunTransition(const SaverSettings& settings, SaverView& view, Clock& clock,
                   RandomSource& random, PixelSize size, bool wideStep,
                   const std::function<void()>& onFrame = {});

}  // namespace orvelle
