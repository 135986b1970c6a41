#include "overlays/countdown.h"

#include <cctype>

namespace orvelle {

namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// A small cursor over the target text: blanks are skipped before each field.
class Reader {
  public:
    explicit Reader(std::string_view text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) {
            ++pos_;
        }
    }
    // An unsigned decimal of 1..maxDigits digits.
    std::optional<int> Number(size_t maxDigits, size_t* digitsRead = nullptr) {
        SkipBlanks();
        size_t start = pos_;
        int value = 0;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])) &&
               pos_ - start < maxDigits) {
            value = value * 10 + (text_[pos_] - '0');
            ++pos_;
        }
        if (pos_ == start ||
            (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_])))) {
            return std::nullopt;
        }
        if (digitsRead) {
            *digitsRead = pos_ - start;
        }
        return value;
    }
    bool Char(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    // "AM" or "PM" in any letter case: 'A', 'P', or 0 when neither is there.
    char Meridiem() {
        SkipBlanks();
        if (pos_ + 2 <= text_.size()) {
            char first = static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_])));
            char second =
                static_cast<char>(std::toupper(static_cast<unsigned char>(text_[pos_ + 1])));
            if ((first == 'A' || first == 'P') && second == 'M') {
                pos_ += 2;
                return first;
            }
        }
        return 0;
    }
    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }

  private:
    std::string_view text_;
    size_t pos_ = 0;
};

std::int64_t SecondOfDay(const LocalDateTime& t) {
    return t.hour * 3600LL + t.minute * 60LL + t.second;
}

std::int64_t Days(const LocalDateTime& t) {
    return DayNumber(t.year, t.month, t.day);
}

}  // namespace

bool IsCalendarDate(int year, int month, int day) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

std::int64_t DayNumber(int year, int month, int day) {
    // Days from the civil calendar, counting years from March so the leap day comes last.
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

namespace {

// "M/D/YYYY" at the reader's place, a real calendar date; the time of day left at midnight.
std::optional<LocalDateTime> ReadDate(Reader& reader) {
    size_t yearDigits = 0;
    auto month = reader.Number(2);
    if (!month || !reader.Char('/')) {
        return std::nullopt;
    }
    auto day = reader.Number(2);
    if (!day || !reader.Char('/')) {
        return std::nullopt;
    }
    auto year = reader.Number(4, &yearDigits);
    if (!year) {
        return std::nullopt;
    }
    if (yearDigits <= 2) {
        *year += *year < 30 ? 2000 : 1900;
    }
    if (!IsCalendarDate(*year, *month, *day)) {
        return std::nullopt;
    }
    LocalDateTime when;
    when.year = *year;
    when.month = *month;
    when.day = *day;
    when.hour = when.minute = when.second = 0;
    return when;
}

// "h:mm[:ss] [AM|PM]" at the reader's place up to the end of the text, into `when`; false
// when it is no time of day.
bool ReadTime(Reader& reader, LocalDateTime& when) {
    auto hour = reader.Number(2);
    if (!hour || !reader.Char(':')) {
        return false;
    }
    auto minute = reader.Number(2);
    if (!minute) {
        return false;
    }
    std::optional<int> second = 0;
    if (reader.Char(':')) {
        second = reader.Number(2);
        if (!second) {
            return false;
        }
    }
    const char meridiem = reader.Meridiem();
    if (!reader.AtEnd() || *minute > 59 || *second > 59) {
        return false;
    }
    if (meridiem != 0) {
        if (*hour < 1 || *hour > 12) {
            return false;
        }
        *hour %= 12;  // 12 AM is midnight, 12 PM noon
        if (meridiem == 'P') {
            *hour += 12;
        }
    } else if (*hour > 23) {
        return false;
    }
    when.hour = *hour;
    when.minute = *minute;
    when.second = *second;
    return true;
}

}  // namespace

std::optional<LocalDateTime> ParseCountdownTarget(std::string_view text) {
    Reader reader(text);
    std::optional<LocalDateTime> when = ReadDate(reader);
    if (!when || reader.AtEnd()) {
        return when;
    }
    if (!ReadTime(reader, *when)) {
        return std::nullopt;
    }
    return when;
}

std::int64_t DayBoundaries(const LocalDateTime& from, const LocalDateTime& to) {
    return Days(to) - Days(from);
}

std::int64_t HourBoundaries(const LocalDateTime& from, const LocalDateTime& to) {
    return (Days(to) * 24 + to.hour) - (Days(from) * 24 + from.hour);
}

std::int64_t MinuteBoundaries(const LocalDateTime& from, const LocalDateTime& to) {
    return (Days(to) * 1440 + to.hour * 60 + to.minute) -
           (Days(from) * 1440 + from.hour * 60 + from.minute);
}

std::int64_t SecondBoundaries(const LocalDateTime& from, const LocalDateTime& to) {
    return (Days(to) * 86400 + SecondOfDay(to)) - (Days(from) * 86400 + SecondOfDay(from));
}

CountdownFigures CountdownFromBoundaries(std::int64_t d, std::int64_t h, std::int64_t m,
                                         std::int64_t s) {
    CountdownFigures f;
    if (d == 0 && h == 0 && m == 0 && s == 0) {
        // The target itself: the general rule would read -1 days 23 hours 59 minutes 60 seconds,
        // and that text would stay frozen on screen once the target has passed.
        return f;
    }
    f.countdownDays = d - 1;
    f.countdownHours = h - 24 * f.countdownDays - 1;
    f.countdownMinutes = m - 1440 * f.countdownDays - 60 * f.countdownHours - 1;
    f.countdownSeconds =
        s - 86400 * f.countdownDays - 3600 * f.countdownHours - 60 * f.countdownMinutes;
    return f;
}

std::string CountdownText(const CountdownFigures& f) {
    const char* hourWord = f.countdownHours == 1 ? "hour" : "hours";
    const char* minuteWord = f.countdownMinutes == 1 ? "minute" : "minutes";
    const char* secondWord = f.countdownSeconds == 1 ? "second" : "seconds";
    return std::to_string(f.countdownDays) + "days" + "  " + std::to_string(f.countdownHours) +
           hourWord + "  " + std::to_string(f.countdownMinutes) + minuteWord + "  " +
           std::to_string(f.countdownSeconds) + secondWord + "  ";
}

}  // namespace orvelle
