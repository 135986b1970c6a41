#include "saver/end_saver.h"

#include <cmath>

#include "base/host_services.h"
#include "base/numbers.h"
#include "media/mmedia.h"
#include "saver/saver_view.h"

namespace orvelle {

namespace {

bool PasswordPath(const RunEnding& e) {
    return e.platformId != 2 && e.passwordEnabled != 0;
}

// The pointer is parked beyond the bottom-right corner; the system clamps it to the last pixel.
int ParkCoordinate(std::int64_t twips) {
    const std::int64_t v = twips + 12;
    return v > INT32_MAX ? INT32_MAX : static_cast<int>(v);
}

}  // namespace

bool QualifyingMove(MouseTracker& t, double x, double y) {
    const bool qualifies = std::fabs(x - t.lastX) > 3.0 || std::fabs(y - t.lastY) > 3.0;
    const bool counts = qualifies && t.lastX > 0 && t.lastY > 0;
    t.lastX = ToInt32Saturated(x);
    t.lastY = ToInt32Saturated(y);
    return counts;
}

EndOutcome EndSaver(const RunEnding& e) {
    if (PasswordPath(e)) {
        if (!e.host.VerifyPassword()) {
            e.host.SetPointerPosition(ParkCoordinate(e.screenWidthTwips),
                                      ParkCoordinate(e.screenHeightTwips));
            e.host.ShowSaverWindow();
            return EndOutcome::Resumed;
        }
        e.host.SetScreenSaverRunning(false);
    }
    if (e.mediaPlayer.Status() == "playing") {
        e.mediaPlayer.mmClose();
    }
    e.host.ShowTaskbar();
    e.host.UnloadSaverWindow();
    e.host.EndProgram();
    return EndOutcome::Ended;
}

std::optional<EndOutcome> CountMouseMove(MouseBurst& burst, const std::string& mouseSensitivity,
                                         Clock& clock, const RunEnding& e) {
    if (burst.moveCount < INT16_MAX) {
        ++burst.moveCount;
    }
    if (static_cast<double>(burst.moveCount) == LeadingNumber(mouseSensitivity)) {
        if (e.platformId == 2) {
            // Bring the pointer back: the run hid it by pushing the display counter down.
            for (int tries = 0; tries < 64 && e.host.ShowPointerOnce() <= 5; ++tries) {
            }
        } else {
            burst.moveCount = 0;
        }
        return EndSaver(e);
    }
    const double now = clock.SecondsSinceMidnight();
    if (burst.firstMoveTime == 0) {
        burst.firstMoveTime = ToInt32Saturated(now);
    } else {
        const double age = now - burst.firstMoveTime;
        // A negative age means midnight has passed since the burst began: it is stale too.
        if (age > 2.0 || age < -2.0) {
            burst.firstMoveTime = 0;
            burst.moveCount = 0;
        }
    }
    return std::nullopt;
}

void EndRunWithError(const RunEnding& e, const std::string& message) {
    if (PasswordPath(e)) {
        e.host.SetScreenSaverRunning(false);
    }
    e.host.ShowTaskbar();
    e.host.UnloadSaverWindow();
    e.host.ShowErrorMessage(message);
    e.host.EndProgram();
}

void EndRunWithoutMessage(const RunEnding& e) {
    if (PasswordPath(e)) {
        e.host.SetScreenSaverRunning(false);
    }
    e.host.ShowTaskbar();
    e.host.UnloadSaverWindow();
    e.host.EndProgram();
}

}  // namespace orvelle
