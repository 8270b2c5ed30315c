#include <gtest/gtest.h>

#include <limits>

#include "common/ZMFormat.h"

TEST(FormatFloatGeneral, PlainNotationTrimsZerosAndPoint) {
  EXPECT_EQ(FormatFloatGeneral(-1, 6), "-1");
  EXPECT_EQ(FormatFloatGeneral(0, 6), "0");
  EXPECT_EQ(FormatFloatGeneral(2.25, 5), "2.25");
  EXPECT_EQ(FormatFloatGeneral(9.6, 5), "9.6");
  EXPECT_EQ(FormatFloatGeneral(100.0, 5), "100");
  EXPECT_EQ(FormatFloatGeneral(99999, 5), "99999");
  EXPECT_EQ(FormatFloatGeneral(0.00001, 5), "0.00001");
  EXPECT_EQ(FormatFloatGeneral(0.000123, 6), "0.000123");
}

TEST(FormatFloatGeneral, RoundsToPrecisionSignificantDigits) {
  EXPECT_EQ(FormatFloatGeneral(1.23456789, 5), "1.2346");
  EXPECT_EQ(FormatFloatGeneral(2.0 / 3.0, 6), "0.666667");
  EXPECT_EQ(FormatFloatGeneral(1.0 / 3.0, 15), "0.333333333333333");
  // Rounding that carries into a new digit.
  EXPECT_EQ(FormatFloatGeneral(9.99999, 5), "10");
}

TEST(FormatFloatGeneral, ScientificWhenTooManyIntegerDigitsOrTooSmall) {
  EXPECT_EQ(FormatFloatGeneral(150000, 5), "1.5E+05");
  EXPECT_EQ(FormatFloatGeneral(1234567, 6), "1.23457E+06");
  EXPECT_EQ(FormatFloatGeneral(-150000, 5), "-1.5E+05");
  EXPECT_EQ(FormatFloatGeneral(0.000001, 5), "1E-06");
  EXPECT_EQ(FormatFloatGeneral(1e100, 5, 2), "1E+100");
  EXPECT_EQ(FormatFloatGeneral(150000, 5, 4), "1.5E+0005");
  // 99999.5 rounds up to six integer digits, so it switches notation.
  EXPECT_EQ(FormatFloatGeneral(99999.5, 5), "1E+05");
}

TEST(FormatFloatGeneral, UsesTheGivenDecimalSeparatorAndNamesNonFiniteValues) {
  EXPECT_EQ(FormatFloatGeneral(2.5, 5, 2, ','), "2,5");
  EXPECT_EQ(FormatFloatGeneral(1.5e-7, 5, 2, ','), "1,5E-07");
  EXPECT_EQ(FormatFloatGeneral(std::numeric_limits<double>::quiet_NaN(), 5), "NAN");
  EXPECT_EQ(FormatFloatGeneral(-std::numeric_limits<double>::infinity(), 5), "-INF");
}

TEST(StrToFloat, AcceptsNumbersWithTheGivenSeparator) {
  EXPECT_DOUBLE_EQ(StrToFloat("7.5"), 7.5);
  EXPECT_DOUBLE_EQ(StrToFloat(" -0.3 "), -0.3);
  EXPECT_DOUBLE_EQ(StrToFloat("1.5E+05"), 150000);
  EXPECT_DOUBLE_EQ(StrToFloat("+2"), 2);
  EXPECT_DOUBLE_EQ(StrToFloat(".5"), 0.5);
  EXPECT_DOUBLE_EQ(StrToFloat("2,25", ','), 2.25);
}

TEST(StrToFloat, RejectsTextWithThePlatformMessage) {
  for (const char* bad : {"abc", "", " ", "1.2.3", "1e", "2,5", "5x", "-", "1e999"}) {
    try {
      StrToFloat(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid floating point value");
    }
  }
}

TEST(StrToInt, AcceptsDecimalAndHexAndRejectsTheRest) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt(" -7"), -7);
  EXPECT_EQ(StrToInt("$1F"), 31);
  EXPECT_EQ(StrToInt("0x10"), 16);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  for (const char* bad : {"abc", "", "1.5", "2147483648", "12a"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
    }
  }
}

TEST(NumberReaders, RefuseASecondSignOrASignAfterTheHexMark) {
  for (const char* bad : {"--5", "+-5", "-+5", "$-5", "0x-5", "$+5", "- 5"}) {
    try {
      StrToInt(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("'") + bad + "' is not a valid integer value");
    }
    EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
  }
  EXPECT_EQ(StrToInt("-$5"), -5);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5L), 0);
  EXPECT_EQ(RoundHalfEven(1.5L), 2);
  EXPECT_EQ(RoundHalfEven(2.5L), 2);
  EXPECT_EQ(RoundHalfEven(-2.5L), -2);
  EXPECT_EQ(RoundHalfEven(-3.5L), -4);
  EXPECT_EQ(RoundHalfEven(2.4999L), 2);
  EXPECT_EQ(RoundHalfEven(1000.0L), 1000);
}

TEST(Format, FormatsLikePrintf) {
  EXPECT_EQ(Format("Only %d control units assigned.", 3), "Only 3 control units assigned.");
  EXPECT_EQ(Format("%s in %d", "x", -1), "x in -1");
}
