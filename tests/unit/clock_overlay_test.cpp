#include "overlays/clock_overlay.h"

#include <gtest/gtest.h>

#include <tuple>

#include "overlay_fakes.h"
#include "overlays/countdown.h"

namespace orvelle {
namespace {

using overlay_test::At;
using overlay_test::FakeClock;

const std::string kChristmas = "12/25/2026 12:00:00 AM";

std::optional<std::string> CountdownAt(const std::string& target, LocalDateTime now,
                                       bool* stopped = nullptr) {
    FakeClock clock(now);
    ClockTickResult r = TimeTimerTick(2, target, clock);
    if (stopped) {
        *stopped = r.stopTimer;
    }
    return r.text;
}

TEST(TimeTimerTick, ClockShowsTheSystemDateAndTimeTextAndNeverStops) {
    FakeClock clock(At(2026, 7, 4, 9, 5, 3));
    for (int i = 0; i < 3; ++i) {
        ClockTickResult r = TimeTimerTick(1, kChristmas, clock);
        EXPECT_EQ(r.text, "7/4/2026 9:5:3");
        EXPECT_FALSE(r.stopTimer);
    }
    // A clock with an already passed countdown date in the theme still runs.
    clock.Set(At(2030, 1, 1));
    EXPECT_FALSE(TimeTimerTick(1, kChristmas, clock).stopTimer);
}

TEST(TimeTimerTick, CountdownFiguresAndWords) {
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 20, 18, 30, 15)),
              "4days  5hours  29minutes  45seconds  ");
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 24, 23, 59, 59)),
              "0days  0hours  0minutes  1second  ");
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 24, 10, 30, 0)),
              "0days  13hours  29minutes  60seconds  ");
    // Singular only for exactly 1; days always plural.
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 23, 22, 58, 0)),
              "1days  1hour  1minute  60seconds  ");
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 22, 21, 57, 58)),
              "2days  2hours  2minutes  2seconds  ");
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 24, 23, 0, 59)),
              "0days  0hours  59minutes  1second  ");
}

TEST(TimeTimerTick, CountdownRunsAcrossMidnightAndTheYearEnd) {
    const std::string newYear = "01/02/2027 12:00:00 AM";
    EXPECT_EQ(CountdownAt(newYear, At(2026, 12, 31, 23, 59, 59)),
              "1days  0hours  0minutes  1second  ");
    EXPECT_EQ(CountdownAt(newYear, At(2027, 1, 1, 0, 0, 0)),
              "0days  23hours  59minutes  60seconds  ");
    EXPECT_EQ(CountdownAt(newYear, At(2026, 12, 20, 0, 0, 1)),
              "12days  23hours  59minutes  59seconds  ");
}

TEST(TimeTimerTick, DayCountFollowsMonthLengthsAndLeapYears) {
    EXPECT_EQ(CountdownAt("03/01/2024 12:00:00 AM", At(2024, 2, 28, 12, 0, 0)),
              "1days  11hours  59minutes  60seconds  ");
    EXPECT_EQ(CountdownAt("03/01/2026 12:00:00 AM", At(2026, 2, 28, 12, 0, 0)),
              "0days  11hours  59minutes  60seconds  ");
    EXPECT_EQ(CountdownAt("05/01/2026 12:00:00 AM", At(2026, 4, 1, 0, 0, 1)),
              "29days  23hours  59minutes  59seconds  ");  // April has 30 days
    // Years away: 2000-01-01 to 2040-01-01 is 14,610 days.
    EXPECT_EQ(CountdownAt("01/01/2040 12:00:00 AM", At(2000, 1, 1, 0, 0, 1)),
              "14609days  23hours  59minutes  59seconds  ");
}

TEST(TimeTimerTick, PassedTargetStopsWithoutText) {
    bool stopped = false;
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 25, 0, 0, 1), &stopped), std::nullopt);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(CountdownAt(kChristmas, At(2027, 6, 1, 12, 0, 0), &stopped), std::nullopt);
    EXPECT_TRUE(stopped);
    // Later the same day: hour and minute counts are negative too.
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 25, 10, 0, 0), &stopped), std::nullopt);
    EXPECT_TRUE(stopped);
}

TEST(TimeTimerTick, AtTheTargetTheCountdownReadsZero) {
    bool stopped = true;
    EXPECT_EQ(CountdownAt(kChristmas, At(2026, 12, 25, 0, 0, 0), &stopped),
              "0days  0hours  0minutes  0seconds  ");
    EXPECT_FALSE(stopped);
}

TEST(TimeTimerTick, TargetThatIsNoDateStopsQuietly) {
    bool stopped = false;
    EXPECT_EQ(CountdownAt("02/30/2026 12:00:00 AM", At(2026, 1, 1), &stopped), std::nullopt);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(CountdownAt("", At(2026, 1, 1), &stopped), std::nullopt);
    EXPECT_TRUE(stopped);
}

TEST(TimeTimerTick, EachCountReadsTheTimeAnew) {
    FakeClock clock(At(2026, 12, 23, 12, 0, 0));
    clock.times = {At(2026, 12, 23, 12, 0, 0), At(2026, 12, 24, 10, 30, 0)};
    ClockTickResult r = TimeTimerTick(2, kChristmas, clock);
    EXPECT_EQ(clock.nowCalls, 4);
    // Days from the first reading (2 midnights), the rest from the second.
    EXPECT_EQ(r.text, "1days  -11hours  29minutes  60seconds  ");
}

TEST(ParseCountdownTarget, ReadsMonthDayYearAndTime) {
    auto t = ParseCountdownTarget("12/25/2026 12:00:00 AM");
    ASSERT_TRUE(t);
    EXPECT_EQ(std::tie(t->year, t->month, t->day, t->hour, t->minute, t->second),
              std::make_tuple(2026, 12, 25, 0, 0, 0));
    t = ParseCountdownTarget("02/29/2024 12:30:05 PM");
    ASSERT_TRUE(t);
    EXPECT_EQ(std::tie(t->month, t->day, t->hour, t->minute, t->second),
              std::make_tuple(2, 29, 12, 30, 5));
    t = ParseCountdownTarget("1/2/26");
    ASSERT_TRUE(t);
    EXPECT_EQ(std::tie(t->year, t->month, t->day, t->hour), std::make_tuple(2026, 1, 2, 0));

    for (const char* bad :
         {"02/29/2025 12:00:00 AM", "13/01/2026 12:00:00 AM", "00/10/2026", "04/31/2026",
          "12/25/2026 13:00:00 PM", "12/25/2026 12:61:00 AM", "12/25/2026 noon",
          "Month/Day/Year 12:00:00 AM", "12-25-2026", "123/1/2026"}) {
        EXPECT_FALSE(ParseCountdownTarget(bad)) << bad;
    }
}

}  // namespace
}  // namespace orvelle
