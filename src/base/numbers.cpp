#include "base/numbers.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace orvelle {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest decimal number at the start of text (sign, digits, fraction, exponent).
size_t NumberPrefixLength(std::string_view text) {
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        size_t frac = 0;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
            ++frac;
        }
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        size_t exp = 0;
        while (j < text.size() && IsDigit(text[j])) {
            ++j;
            ++exp;
        }
        if (exp > 0) {
            i = j;
        }
    }
    return i;
}

double ParseDouble(std::string_view number) {
    std::string copy(number);
    return std::strtod(copy.c_str(), nullptr);
}

}  // namespace

double LeadingNumber(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    text.remove_prefix(start);
    size_t len = NumberPrefixLength(text);
    if (len == 0) {
        return 0.0;
    }
    double value = ParseDouble(text.substr(0, len));
    return std::isfinite(value) ? value : 0.0;
}

std::int32_t LeadingInt32(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    long long value = 0;
    while (i < text.size() && IsDigit(text[i])) {
        value = value * 10 + (text[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) {
            return std::numeric_limits<std::int32_t>::max();
        }
        ++i;
    }
    return static_cast<std::int32_t>(value);
}

std::optional<double> StrictNumber(std::string_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    size_t end = text.size();
    while (end > start && IsBlank(text[end - 1])) {
        --end;
    }
    std::string_view core = text.substr(start, end - start);
    if (core.empty() || NumberPrefixLength(core) != core.size()) {
        return std::nullopt;
    }
    double value = ParseDouble(core);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff < 0.5) {
        return floor;
    }
    if (diff > 0.5) {
        return floor + 1.0;
    }
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

std::optional<std::int16_t> ToInt16(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0)) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(r);
}

std::optional<std::int32_t> ToInt32(double value) {
    double r = RoundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(r);
}

std::int16_t ToInt16Saturated(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    double r = RoundHalfEven(value);
    if (r < -32768.0) {
        return -32768;
    }
    if (r > 32767.0) {
        return 32767;
    }
    return static_cast<std::int16_t>(r);
}

std::int32_t ToInt32Saturated(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    double r = RoundHalfEven(value);
    if (r < -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (r > 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(r);
}

std::string FormatSingle(float value) {
    if (value == 0.0f || !std::isfinite(value)) {
        return "0";
    }
    char buf[64];
    for (int precision = 1; precision <= 9; ++precision) {
        std::snprintf(buf, sizeof buf, "%.*g", precision, static_cast<double>(value));
        if (std::strtof(buf, nullptr) == value) {
            break;
        }
    }
    std::string text(buf);
    // Plain decimal rather than an exponent for the magnitudes a setting can have.
    if (text.find('e') != std::string::npos && std::fabs(value) >= 1e-4f &&
        std::fabs(value) < 1e15f) {
        std::snprintf(buf, sizeof buf, "%.7f", static_cast<double>(value));
        text = buf;
        while (!text.empty() && text.back() == '0') {
            text.pop_back();
        }
        if (!text.empty() && text.back() == '.') {
            text.pop_back();
        }
    }
    return text;
}

std::string FormatPadded(long long value, int minDigits) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < minDigits) {
        digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

int TwipsPerPixelForDpi(int dpi) {
    return dpi > 0 ? kTwipsPerInch / dpi : 15;
}

}  // namespace orvelle
