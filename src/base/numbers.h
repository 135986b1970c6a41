// Number rules shared by the whole program: how texts from INI files, the command line and
// MCI answers turn into numbers, how reals are rounded, and the integer ranges they must fit.
// Everything that converts between text and numbers goes through here so the rules stay one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvelle {

// Leading-number rule: skip leading blanks (space, tab, CR, LF), take an optional sign, digits,
// an optional decimal point with digits and an optional exponent, and stop at the first other
// character. No number at the start gives 0. "12abc" gives 12, "" and "abc" give 0.
double LeadingNumber(std::string_view text);

// The leading-number rule for whole numbers only (the digits up to the first other character),
// clamped to the 32-bit signed range. Used for window handles and similar integers.
std::int32_t LeadingInt32(std::string_view text);

// Strict conversion: the whole text (surrounding blanks allowed) must be a decimal number.
// "" or "12x" give nothing. Used where a non-number is an error rather than a zero.
std::optional<double> StrictNumber(std::string_view text);

// Round to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// Rounded (halves to even) and checked against the 16-bit or 32-bit signed range.
std::optional<std::int16_t> ToInt16(double value);
std::optional<std::int32_t> ToInt32(double value);

// Same, but saturating at the range limits instead of failing.
std::int16_t ToInt16Saturated(double value);
std::int32_t ToInt32Saturated(double value);

// Decimal text of a single-precision value, shortest form that reads back as the same single
// (at most 7 significant digits): 12 -> "12", 8.25 -> "8.25", 0 -> "0", 0.5 -> "0.5".
std::string FormatSingle(float value);

// Decimal text of an integer with at least minDigits digits, zeros filling on the left.
std::string FormatPadded(long long value, int minDigits);

// Twips are 1/1440 inch: 15 per pixel at 96 dpi, 12 at 120 dpi, 10 at 144 dpi.
constexpr int kTwipsPerInch = 1440;
int TwipsPerPixelForDpi(int dpi);

}  // namespace orvelle
