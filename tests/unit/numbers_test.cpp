#include "base/numbers.h"

#include <gtest/gtest.h>

namespace orvelle {
namespace {

TEST(Numbers, LeadingNumberTakesTheNumberAtTheStart) {
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("  12abc"), 12);
    EXPECT_EQ(LeadingNumber("-3.5x"), -3.5);
    EXPECT_EQ(LeadingNumber("8.25"), 8.25);
    EXPECT_EQ(LeadingNumber("1e3"), 1000);
    EXPECT_EQ(LeadingNumber("1e"), 1);
    EXPECT_EQ(LeadingNumber("."), 0);
}

TEST(Numbers, LeadingInt32TakesDigitsOnly) {
    EXPECT_EQ(LeadingInt32(" 1234"), 1234);
    EXPECT_EQ(LeadingInt32(""), 0);
    EXPECT_EQ(LeadingInt32(":1234"), 0);
    EXPECT_EQ(LeadingInt32("99999999999"), 2147483647);
}

TEST(Numbers, StrictNumberRefusesPartialText) {
    EXPECT_FALSE(StrictNumber("").has_value());
    EXPECT_FALSE(StrictNumber("12x").has_value());
    EXPECT_EQ(StrictNumber(" 42 ").value(), 42);
}

TEST(Numbers, RoundsHalvesToEven) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(-0.6), -1);
}

TEST(Numbers, IntegerRanges) {
    EXPECT_EQ(ToInt16(32767.4).value(), 32767);
    EXPECT_FALSE(ToInt16(32767.5).has_value());
    EXPECT_EQ(ToInt16(-32768.5).value(), -32768);
    EXPECT_FALSE(ToInt32(2147483648.0).has_value());
    EXPECT_EQ(ToInt16Saturated(1e9), 32767);
}

TEST(Numbers, SinglePrecisionText) {
    EXPECT_EQ(FormatSingle(12.0f), "12");
    EXPECT_EQ(FormatSingle(8.25f), "8.25");
    EXPECT_EQ(FormatSingle(0.0f), "0");
    EXPECT_EQ(FormatSingle(13.5f), "13.5");
    EXPECT_EQ(FormatSingle(0.1f), "0.1");
    EXPECT_EQ(FormatPadded(1, 3), "001");
    EXPECT_EQ(FormatPadded(1234, 3), "1234");
    EXPECT_EQ(TwipsPerPixelForDpi(96), 15);
    EXPECT_EQ(TwipsPerPixelForDpi(120), 12);
    EXPECT_EQ(TwipsPerPixelForDpi(144), 10);
}

}  // namespace
}  // namespace orvelle
