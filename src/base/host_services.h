// Narrow interfaces through which portable code reaches the clock and the random generator.
// The Win32 side implements them for real; tests implement them with scripted fakes.
#pragma once

#include <string>

namespace orvelle {

struct LocalDateTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    // Local date and time, to the second.
    virtual LocalDateTime Now() = 0;
    // Seconds since local midnight, single precision (the burst rule rounds it).
    virtual float SecondsSinceMidnight() = 0;
    // Seconds on a clock that never jumps (for pauses and pacing).
    virtual double MonotonicSeconds() = 0;
    // The user's short date followed by the long time, as the system formats them.
    virtual std::string DefaultDateTimeText(const LocalDateTime& when) = 0;
    // The day of when in the user's long date format, as the system formats it.
    virtual std::string LongDateText(const LocalDateTime& when) = 0;
};

// Uniform reals in [0, 1). Callers re-seed from the clock right before each choice.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual void Randomize() = 0;
    virtual float Next() = 0;
};

// Index = integer part of (count x a uniform draw): the choice rule used everywhere.
inline int RandomIndex(RandomSource& random, int count) {
    int index = static_cast<int>(static_cast<float>(count) * random.Next());
    return index < count ? index : count - 1;
}

}  // namespace orvelle
