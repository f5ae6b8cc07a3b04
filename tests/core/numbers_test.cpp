#include "core/numbers.h"

#include <gtest/gtest.h>

using numbers::FormatFixed;
using numbers::ParseFloat;
using numbers::ParseInt;
using numbers::ParseLeadingFloat;

TEST(Numbers, FixedPointWithEitherSeparator) {
  EXPECT_EQ(FormatFixed(0.7, 2, '.'), "0.70");
  EXPECT_EQ(FormatFixed(0.7, 2, ','), "0,70");
  EXPECT_EQ(FormatFixed(-12.5, 2, ','), "-12,50");
  EXPECT_EQ(FormatFixed(0.0015, 4, '.'), "0.0015");
  EXPECT_EQ(FormatFixed(3, 0, '.'), "3") << "no separator without decimals";
  EXPECT_EQ(FormatFixed(0, 2, '.'), "0.00");
}

TEST(Numbers, FixedPointRoundsHalfAwayFromZeroOnDecimalDigits) {
  EXPECT_EQ(FormatFixed(0.125, 2, '.'), "0.13");
  EXPECT_EQ(FormatFixed(-0.125, 2, '.'), "-0.13");
  EXPECT_EQ(FormatFixed(9.995, 2, '.'), "10.00") << "9.995 is 9.99499999... in binary but 9.995000000 to ten digits";
  EXPECT_EQ(FormatFixed(99.999, 2, '.'), "100.00");
  EXPECT_EQ(FormatFixed(0.004, 2, '.'), "0.00");
  EXPECT_EQ(FormatFixed(-0.004, 2, '.'), "0.00") << "no minus on a shown zero";
  EXPECT_EQ(FormatFixed(0.005, 2, '.'), "0.01");
  EXPECT_EQ(FormatFixed(0.7f, 2, '.'), "0.70") << "a float's binary tail stays below the shown digits";
}

TEST(Numbers, PrecisionTenLimitsSignificantDigits) {
  EXPECT_EQ(FormatFixed(123456789.126, 2, '.'), "123456789.10");
  EXPECT_EQ(FormatFixed(1234567890.0, 2, '.'), "1234567890.00");
  EXPECT_EQ(FormatFixed(12345678901.0, 2, '.'), "1.234567890E+10");
  EXPECT_EQ(FormatFixed(-1e15, 2, ','), "-1,000000000E+15");
  EXPECT_EQ(FormatFixed(1.0 / 0.0, 2, '.'), "INF");
}

TEST(Numbers, ParseFloatAcceptsBothSeparatorsAndExponents) {
  EXPECT_EQ(ParseFloat("0,75"), 0.75f);
  EXPECT_EQ(ParseFloat("0.75"), 0.75f);
  EXPECT_EQ(ParseFloat("  -2,5 "), -2.5f) << "blanks around the number";
  EXPECT_EQ(ParseFloat("\t+3"), 3.0f);
  EXPECT_EQ(ParseFloat("1e3"), 1000.0f);
  EXPECT_EQ(ParseFloat("2,5E-1"), 0.25f);
  EXPECT_EQ(ParseFloat(".5"), 0.5f);
  EXPECT_EQ(ParseFloat("5,"), 5.0f);
}

TEST(Numbers, ParseFloatRejectsWhatIsNotANumber) {
  for (const char* text : {"", "   ", "abc", "1,2,3", "1.234,5", "1 000", ",", "-", "1e", "1e+", "0x10", "inf", "nan",
                           "1,5kg", "--1", "+-1", "1e99"}) {
    EXPECT_FALSE(ParseFloat(text).has_value()) << '"' << text << '"';
  }
}

TEST(Numbers, ParseLeadingFloatIgnoresWhatFollowsTheNumber) {
  EXPECT_EQ(ParseLeadingFloat("0.5;x"), 0.5f);
  EXPECT_EQ(ParseLeadingFloat("1.0f"), 1.0f);
  EXPECT_EQ(ParseLeadingFloat("  0,25 metres"), 0.25f);
  EXPECT_EQ(ParseLeadingFloat("2e2x"), 200.0f);
  EXPECT_EQ(ParseLeadingFloat("3e"), 3.0f) << "an exponent marker without digits is text";
  EXPECT_EQ(ParseLeadingFloat("1,2,3"), 1.2f);
  for (const char* text : {"", "  ", "x1", "-", ".e5", "inf", "1e99;"}) {
    EXPECT_FALSE(ParseLeadingFloat(text).has_value()) << '"' << text << '"';
  }
}

TEST(Numbers, ParseIntIsDecimalOnly) {
  EXPECT_EQ(ParseInt("42"), 42);
  EXPECT_EQ(ParseInt(" -7 "), -7);
  EXPECT_EQ(ParseInt("+7"), 7);
  EXPECT_EQ(ParseInt("2147483647"), 2147483647);
  for (const char* text : {"", " ", "1.5", "1,0", "$10", "0x10", "1e3", "2147483648", "+-1", "-", "12a"}) {
    EXPECT_FALSE(ParseInt(text).has_value()) << '"' << text << '"';
  }
}
