#include "picture/photo_facts.h"

#include <cctype>
#include <string_view>

#include "base/text.h"

namespace orvelle {

namespace {

// The whole number of digits at text[pos .. pos + count), or nothing.
std::optional<int> Digits(const std::string& text, size_t pos, size_t count) {
    if (pos + count > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool IsSeparator(char c) {
    return c == ':' || c == '-' || c == '/';
}

// Blanks, line breaks and the zeros some writers pad with, trimmed off both ends; a line break
// inside becomes a space, as the caption is one line.
std::string OneLine(const std::string& text) {
    constexpr char kBlanks[] = {' ', '\t', '\r', '\n', '\0'};
    const std::string_view blanks(kBlanks, sizeof kBlanks);
    const size_t start = text.find_first_not_of(blanks);
    if (start == std::string::npos) {
        return "";
    }
    std::string line = text.substr(start, text.find_last_not_of(blanks) - start + 1);
    for (char& c : line) {
        c = c == '\r' || c == '\n' || c == '\t' || c == '\0' ? ' ' : c;
    }
    return line;
}

int DaysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

PhotoFacts WithExifFallback(PhotoFacts read, const PhotoFacts& exif) {
    for (auto field : {&PhotoFacts::dateTimeOriginal, &PhotoFacts::dateTimeDigitized,
                       &PhotoFacts::exifDescription}) {
        if (TrimSpaces(read.*field).empty()) {
            read.*field = exif.*field;
        }
    }
    return read;
}

std::optional<CalendarDate> ExifDate(const std::string& raw) {
    const std::string text = TrimSpaces(raw);
    const std::optional<int> year = Digits(text, 0, 4);
    const std::optional<int> month = Digits(text, 5, 2);
    const std::optional<int> day = Digits(text, 8, 2);
    if (!year || !month || !day || !IsSeparator(text[4]) || !IsSeparator(text[7])) {
        return std::nullopt;
    }
    // Years before 1601 are outside what the system's date formatting takes.
    if (*year < 1601 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month)) {
        return std::nullopt;
    }
    return CalendarDate{*year, *month, *day};
}

std::optional<CalendarDate> DateTaken(const PhotoFacts& facts) {
    if (std::optional<CalendarDate> date = ExifDate(facts.dateTimeOriginal)) {
        return date;
    }
    if (std::optional<CalendarDate> date = ExifDate(facts.dateTimeDigitized)) {
        return date;
    }
    return facts.modified;
}

std::string PhotoTitle(const PhotoFacts& facts) {
    for (const std::string* title : {&facts.exifDescription, &facts.xmpTitle, &facts.iptcTitle}) {
        std::string trimmed = OneLine(*title);
        if (!trimmed.empty()) {
            return trimmed;
        }
    }
    return "";
}

}  // namespace orvelle
