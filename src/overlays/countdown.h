// Countdown arithmetic: reading the target date, counting interval boundaries between two
// local times, and the figures and text the countdown line shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/host_services.h"

namespace orvelle {

// Reads "M/D/YYYY" with an optional time "h:mm:ss" and an optional "AM"/"PM"
// ("12/25/2026 12:00:00 AM" is midnight starting 25 December 2026). Two-digit years are
// taken as 1930..2029. Nothing when the text is not a real calendar date and time.
std::optional<LocalDateTime> ParseCountdownTarget(std::string_view text);

// True when month/day/year form a real calendar date (years 100..9999).
bool IsCalendarDate(int year, int month, int day);

// Days since 1 January 1970 of a calendar date (proleptic Gregorian, negative before).
std::int64_t DayNumber(int year, int month, int day);

// Interval boundaries crossed from `from` to `to`: negative when `to` lies before `from`.
std::int64_t DayBoundaries(const LocalDateTime& from, const LocalDateTime& to);
std::int64_t HourBoundaries(const LocalDateTime& from, const LocalDateTime& to);
std::int64_t MinuteBoundaries(const LocalDateTime& from, const LocalDateTime& to);
std::int64_t SecondBoundaries(const LocalDateTime& from, const LocalDateTime& to);

struct CountdownFigures {
    std::int64_t countdownDays = 0;
    std::int64_t countdownHours = 0;
    std::int64_t countdownMinutes = 0;
    std::int64_t countdownSeconds = 0;
};

// The figures from the four boundary counts. The seconds run from 60 down to 1, so the
// figures always add up to the exact time left; at the target itself all four are 0.
CountdownFigures CountdownFromBoundaries(std::int64_t d, std::int64_t h, std::int64_t m,
                                         std::int64_t s);

// "4days  5hours  29minutes  45seconds  ": each part followed by two spaces; the hour, minute
// and second words are singular for exactly 1, the day word is always plural.
std::string CountdownText(const CountdownFigures& figures);

}  // namespace orvelle
