// The Windows clock: local time, the seconds-since-midnight timer, a steady counter and the
// user's date and time formats.
#pragma once

#include "base/host_services.h"

namespace orvelle::win {

class ClockWin : public Clock {
  public:
    LocalDateTime Now() override;
    float SecondsSinceMidnight() override;
    double MonotonicSeconds() override;
    std::string DefaultDateTimeText(const LocalDateTime& when) override;
    std::string LongDateText(const LocalDateTime& when) override;
};

}  // namespace orvelle::win
