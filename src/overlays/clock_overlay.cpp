#include "overlays/clock_overlay.h"

#include "base/host_services.h"
#include "overlays/countdown.h"

namespace orvelle {

ClockTickResult TimeTimerTick(int timeDisplay, const std::string& countdownTarget, Clock& clock) {
    ClockTickResult result;
    if (timeDisplay == 1) {
        result.text = clock.DefaultDateTimeText(clock.Now());
        return result;
    }

    const std::optional<LocalDateTime> target = ParseCountdownTarget(countdownTarget);
    if (!target) {
        // A hand-edited theme with no real date: nothing to count down to.
        result.stopTimer = true;
        return result;
    }
    // Each count reads the time anew, as four separate date differences would.
    const std::int64_t d = DayBoundaries(clock.Now(), *target);
    const std::int64_t h = HourBoundaries(clock.Now(), *target);
    const std::int64_t m = MinuteBoundaries(clock.Now(), *target);
    const std::int64_t s = SecondBoundaries(clock.Now(), *target);
    if (d + h + m + s < 0) {
        result.stopTimer = true;
        return result;
    }
    result.text = CountdownText(CountdownFromBoundaries(d, h, m, s));
    return result;
}

}  // namespace orvelle
