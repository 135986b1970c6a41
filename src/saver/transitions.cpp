#include "saver/transitions.h"

#include <array>
#include <cmath>
#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "base/host_services.h"
#include "base/numbers.h"
#include "settings/saver_settings.h"

namespace orvelle {

namespace {

// A band of width b centred in total: when total - b is odd the band cannot sit exactly in the
// middle, so it takes one more pixel and stays centred.
void CentredBand(int total, int band, int& start, int& size) {
    if ((total - band) % 2 == 0) {
        start = (total - band) / 2;
        size = band;
    } else {
        start = (total - band - 1) / 2;
        size = band + 1;
    }
}

int FloorHalf(int v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

void Wipe(std::vector<PixelRect>& out, int W, int H, bool fromRight, bool wideStep) {
    const int step = wideStep ? 2 : 1;
    for (int i = 1; i <= W; i += step) {
        out.push_back({fromRight ? W - i : 0, 0, i, H});
    }
}

void CenterWipe(std::vector<PixelRect>& out, int W, int H) {
    int w = 1;
    int h = 1;
    if (W > H) {
        w = W - H;
    } else if (W < H) {
        h = H - W;
    }
    // Grows until the rectangle reaches the picture's full width.
    const int steps = W - w + 1;
    for (int i = 1; i <= steps; ++i) {
        out.push_back({FloorHalf(W - w), FloorHalf(H - h), w, h});
        ++w;
        ++h;
    }
}

void Fade(std::vector<PixelRect>& out, int W, int H, RandomSource& random) {
    constexpr int n = 100;
    const int cw = ToInt16Saturated((W / 2.0 + W) / n);
    const int ch = ToInt16Saturated((H / 2.0 + H) / n);
    std::array<std::array<bool, n + 1>, n + 1> marked{};
    int misses = 0;
    for (;;) {
        const int a = RandomIndex(random, n);
        const int b = RandomIndex(random, n);
        if (marked[a][b]) {
            if (++misses >= 10 * n) {
                break;
            }
            continue;
        }
        misses = 0;
        marked[a][b] = true;
        out.push_back({a * cw, b * ch, cw, ch});
    }
}

bool Contains(const PixelRect& outer, const PixelRect& inner) {
    const std::int64_t ol = outer.left, ot = outer.top;
    const std::int64_t il = inner.left, it = inner.top;
    return il >= ol && it >= ot && il + inner.width <= ol + outer.width &&
           it + inner.height <= ot + outer.height;
}

std::int64_t Area(const PixelRect& r) {
    return static_cast<std::int64_t>(r.width) * r.height;
}

// What an effect has put on screen so far. Every step copies the same pixels from the same
// place, so a step that contains one already drawn (the wipes' last step, the blinds' strip one
// row shorter) needs only the part around it: each pixel is copied about once, however large
// the picture.
class DrawnSoFar {
  public:
    // The parts of step not yet on screen: up to four bands around the largest step drawn that
    // it contains, or the whole step.
    std::vector<PixelRect> Remaining(const PixelRect& step) const {
        const PixelRect* inner = nullptr;
        const auto consider = [&](const PixelRect& drawn) {
            if (Contains(step, drawn) && (!inner || Area(drawn) > Area(*inner))) {
                inner = &drawn;
            }
        };
        if (last_) {
            consider(*last_);
        }
        if (const auto it = byOrigin_.find({step.left, step.top}); it != byOrigin_.end()) {
            consider(it->second);
        }
        if (!inner) {
            return {step};
        }
        const PixelRect& in = *inner;
        const int right = step.left + step.width;
        const int bottom = step.top + step.height;
        const std::vector<PixelRect> bands = {
            {step.left, step.top, step.width, in.top - step.top},
            {step.left, in.top + in.height, step.width, bottom - (in.top + in.height)},
            {step.left, in.top, in.left - step.left, in.height},
            {in.left + in.width, in.top, right - (in.left + in.width), in.height}};
        std::vector<PixelRect> parts;
        for (const PixelRect& band : bands) {
            if (band.width > 0 && band.height > 0) {
                parts.push_back(band);
            }
        }
        return parts;
    }
    void Drawn(const PixelRect& step) {
        last_ = step;
        byOrigin_[{step.left, step.top}] = step;
    }

  private:
    std::optional<PixelRect> last_;
    std::map<std::pair<int, int>, PixelRect> byOrigin_;
};

// Draws steps [from, to). Within one frame a step wholly covered by the batch's last step
// would be painted over with the same pixels before anyone sees it, so it is left out.
bool DrawBatch(const SteppedTransition::Copy& copy, const std::vector<PixelRect>& steps,
               size_t from, size_t to, bool skipFailedSteps, DrawnSoFar& drawn) {
    const PixelRect& last = steps[to - 1];
    for (size_t j = from; j < to; ++j) {
        if (j + 1 < to && Contains(last, steps[j])) {
            continue;
        }
        bool copied = true;
        for (const PixelRect& part : drawn.Remaining(steps[j])) {
            copied = copy(part) && copied;
        }
        if (copied) {
            drawn.Drawn(steps[j]);
        } else if (!skipFailedSteps) {
            return false;
        }
    }
    return true;
}

// A clock that stands still must not hold the effect for ever.
constexpr int kMaxFrames = static_cast<int>(600 * kTransitionSeconds);

}  // namespace

std::vector<PixelRect> TransitionSteps(int k, int W, int H, bool wideStep, RandomSource& random) {
    std::vector<PixelRect> out;
    if (W <= 0 || H <= 0) {
        return out;
    }
    switch (k) {
        case kLeftWipe:
            Wipe(out, W, H, false, wideStep);
            break;
        case kRightWipe:
            Wipe(out, W, H, true, wideStep);
            break;
        case kRightLeftWipe:
            for (int i = 1, b = 1; i <= W / 2; ++i, b += 2) {
                PixelRect r{0, 0, 0, H};
                CentredBand(W, b, r.left, r.width);
                out.push_back(r);
            }
            break;
        case kUpAndDownWipe:
            for (int i = 1, b = 1; i <= H / 2; ++i, b += 2) {
                PixelRect r{0, 0, W, 0};
                CentredBand(H, b, r.top, r.height);
                out.push_back(r);
            }
            break;
        case kCenterWipe:
            CenterWipe(out, W, H);
            break;
        case kHorizontalBlinds:
            for (int j = 1; j <= 20; ++j) {
                for (int s = 0; s <= H / 20; ++s) {
                    out.push_back({0, s * 20, W, j});
                }
            }
            break;
        case kVerticalBlinds:
            for (int j = 1; j <= 20; ++j) {
                for (int s = 0; s <= W / 20; ++s) {
                    out.push_back({s * 20, 0, j, H});
                }
            }
            break;
        case kFade:
            Fade(out, W, H, random);
            break;
        default:
            break;
    }
    return out;
}

int ChooseTransition(const SaverSettings& settings, RandomSource& random) {
    const auto flags = TransitionFlags(settings);
    std::array<double, kTransitionCount> value{};
    bool present = false;
    int firstEnabled = kNoTransition;
    for (int k = 0; k < kTransitionCount; ++k) {
        value[k] = LeadingNumber(*flags[k]);
        present = present || value[k] != 0.0;
        if (value[k] == 1.0 && firstEnabled == kNoTransition) {
            firstEnabled = k;
        }
    }
    // Flags such as "2" count as present but are never chosen: without a 1 among them the
    // picture is drawn without effect instead of drawing for ever.
    if (!present || firstEnabled == kNoTransition) {
        return kNoTransition;
    }
    for (int attempt = 0; attempt < 10000; ++attempt) {
        random.Randomize();
        const int k = RandomIndex(random, kTransitionCount);
        if (value[k] == 1.0) {
            return k;
        }
    }
    return firstEnabled;
}

struct SteppedTransition::Drawn : DrawnSoFar {};

SteppedTransition::SteppedTransition(std::vector<PixelRect> steps, double start,
                                     bool skipFailedSteps)
    : steps_(std::move(steps)),
      start_(start),
      skipFailedSteps_(skipFailedSteps),
      onScreen_(std::make_unique<Drawn>()) {}

SteppedTransition::SteppedTransition(SteppedTransition&&) noexcept = default;
SteppedTransition& SteppedTransition::operator=(SteppedTransition&&) noexcept = default;
SteppedTransition::~SteppedTransition() = default;

bool SteppedTransition::Advance(double now, bool hurry, const Copy& copy) {
    const size_t n = steps_.size();
    size_t due = n;
    const double elapsed = now - start_;
    if (!hurry && elapsed < kTransitionSeconds) {
        // Step j is due j / n of the way through the effect.
        const double share = elapsed > 0.0 ? elapsed / kTransitionSeconds : 0.0;
        due =
            std::min(n, static_cast<size_t>(std::floor(share * static_cast<double>(n) + 1e-9)) + 1);
    }
    if (due <= drawn_) {
        return true;
    }
    const size_t from = drawn_;
    drawn_ = due;
    return DrawBatch(copy, steps_, from, due, skipFailedSteps_, *onScreen_);
}

bool PlayTransitionSteps(SaverView& view, Clock& clock, const std::vector<PixelRect>& steps,
                         bool skipFailedSteps, const std::function<void()>& onFrame) {
    SteppedTransition run(steps, clock.MonotonicSeconds(), skipFailedSteps);
    const SteppedTransition::Copy copy = [&view](const PixelRect& r) {
        return view.CopyToDisplay(r);
    };
    int frames = 0;
    while (!run.Done()) {
        view.WaitForFrame();
        ++frames;
        if (onFrame) {
            onFrame();
        }
        const bool hurry = view.HurryPending() || frames >= kMaxFrames;
        if (!run.Advance(clock.MonotonicSeconds(), hurry, copy)) {
            return false;
        }
    }
    return true;
}

bool RunTransition(const SaverSettings& settings, SaverView& view, Clock& clock,
                   RandomSource& random, PixelSize size, bool wideStep,
                   const std::function<void()>& onFrame) {
    const int k = ChooseTransition(settings, random);
    if (k == kNoTransition || k == kStandard) {
        view.CommitDisplay();
        return true;
    }
    const std::vector<PixelRect> steps =
        TransitionSteps(k, size.width, size.height, wideStep, random);
    return PlayTransitionSteps(view, clock, steps, SkipsFailedSteps(k), onFrame);
}

}  // namespace orvelle
