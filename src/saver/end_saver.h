// Ending a saver run: which mouse movement counts, the burst of moves that ends the run, the
// password check on the 9x family and the teardown; and the way a failed run ends with its
// message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvelle {

class Clock;
class Mmedia;
class SaverHost;

// The previous pointer position of one mouse-move handler, in that handler's own units. Kept
// in 32 bits: on a large screen window positions in twips pass 32767, and a position cut to
// 16 bits would make a pointer standing still look like a move.
struct MouseTracker {
    std::int32_t lastX = 0;
    std::int32_t lastY = 0;
};

// The movement rule: a move of more than 3 units on either axis counts, unless the previous
// position had a coordinate of 0 or less (so a handler's first event never counts). The
// position is remembered in every case. True when CountMouseMove is due.
bool QualifyingMove(MouseTracker& tracker, double x, double y);

// Qualifying moves of the current burst; firstMoveTime is the burst's start in whole seconds
// after midnight, 0 when no burst is open.
struct MouseBurst {
    std::int16_t moveCount = 0;
    std::int32_t firstMoveTime = 0;
};

// What the end of a run acts on.
struct RunEnding {
    SaverHost& host;
    Mmedia& mediaPlayer;
    std::int32_t platformId = 2;  // 2 = NT family
    std::int16_t passwordEnabled = 0;
    std::int64_t screenWidthTwips = 0;
    std::int64_t screenHeightTwips = 0;
};

enum class EndOutcome {
    Ended,    // teardown done, the program ends
    Resumed,  // wrong or cancelled password: the saver goes on
};

// Password check on the 9x family with protection on, then music off, task bar back, window
// unloaded, program ended.
EndOutcome EndSaver(const RunEnding& ending);

// Counts one qualifying move. Nothing when the run goes on without asking; otherwise what
// EndSaver did. A threshold that is not a positive whole number is never reached.
std::optional<EndOutcome> CountMouseMove(MouseBurst& burst, const std::string& mouseSensitivity,
                                         Clock& clock, const RunEnding& ending);

// A failure while showing pictures or painting the background: screen-saver flag off where it
// was set, task bar back, window unloaded, message shown, program ended.
void EndRunWithError(const RunEnding& ending, const std::string& message);

// The same ending without a message, for a failure in an event that has no message of its own.
void EndRunWithoutMessage(const RunEnding& ending);

}  // namespace orvelle
