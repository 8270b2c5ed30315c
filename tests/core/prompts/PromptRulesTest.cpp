#include <gtest/gtest.h>

#include "wizard/ZMPromptRules.h"

namespace {
TDateTimeChecks Checks() {
  return {[](const std::string& t) { return IsNumericDate(t, TDateOrder::MDY); }, IsNumericTime};
}
}  // namespace

TEST(PromptRules, DotBecomesDateOrTimeSeparatorOnlyForThoseKinds) {
  EXPECT_EQ(MapEntryKey(gvDate, '.'), '/');
  EXPECT_EQ(MapEntryKey(gvTime, '.'), ':');
  for (std::uint8_t kind : {0, 1, 2, 3, 6, 7, 200}) EXPECT_EQ(MapEntryKey(kind, '.'), '.') << int(kind);
  EXPECT_EQ(MapEntryKey(gvDate, '5'), '5');
  EXPECT_EQ(MapEntryKey(gvTime, ','), ',');
  EXPECT_TRUE(IsMaskedEntry(gvPassword));
  EXPECT_FALSE(IsMaskedEntry(gvText));
  EXPECT_FALSE(IsMaskedEntry(7));
}

TEST(PromptRules, EntryTestPerKind) {
  const auto c = Checks();
  // Text and password take anything, even nothing.
  EXPECT_TRUE(EntryPassesTest(gvText, "", c, '.'));
  EXPECT_TRUE(EntryPassesTest(gvPassword, "x y", c, '.'));
  // Integers.
  for (std::uint8_t kind : {gvInteger, gvInteger2}) {
    EXPECT_TRUE(EntryPassesTest(kind, " -12 ", c, '.'));
    EXPECT_FALSE(EntryPassesTest(kind, "1.5", c, '.'));
    EXPECT_FALSE(EntryPassesTest(kind, "", c, '.'));
    EXPECT_FALSE(EntryPassesTest(kind, "99999999999", c, '.'));
  }
  // Real numbers follow the decimal separator given.
  EXPECT_TRUE(EntryPassesTest(gvReal, "7.5", c, '.'));
  EXPECT_TRUE(EntryPassesTest(gvReal, "1E3", c, '.'));
  EXPECT_FALSE(EntryPassesTest(gvReal, "abc", c, '.'));
  EXPECT_FALSE(EntryPassesTest(gvReal, "7.5", c, ','));
  EXPECT_TRUE(EntryPassesTest(gvReal, "7,5", c, ','));
  // Dates and times go to the checks given.
  EXPECT_TRUE(EntryPassesTest(gvDate, "12/31/2026", c, '.'));
  EXPECT_FALSE(EntryPassesTest(gvDate, "31/12/2026", c, '.'));
  EXPECT_TRUE(EntryPassesTest(gvTime, "13:45", c, '.'));
  EXPECT_FALSE(EntryPassesTest(gvTime, "25:00", c, '.'));
  // Without checks a date or time can never pass.
  EXPECT_FALSE(EntryPassesTest(gvDate, "12/31/2026", TDateTimeChecks{}, '.'));
  // 7 and above refuse everything.
  for (std::uint8_t kind : {7, 8, 255}) {
    EXPECT_FALSE(EntryPassesTest(kind, "", c, '.'));
    EXPECT_FALSE(EntryPassesTest(kind, "1", c, '.'));
  }
}

TEST(PromptRules, DatePatternsGiveOrderAndSeparator) {
  EXPECT_EQ(DateOrderFromPattern("M/d/yy"), TDateOrder::MDY);
  EXPECT_EQ(DateOrderFromPattern("dd.MM.yyyy"), TDateOrder::DMY);
  EXPECT_EQ(DateOrderFromPattern("yyyy-MM-dd"), TDateOrder::YMD);
  EXPECT_EQ(DateOrderFromPattern("d MMM yyyy"), TDateOrder::DMY);
  EXPECT_EQ(DateSeparatorFromPattern("dd.MM.yyyy"), '.');
  EXPECT_EQ(DateSeparatorFromPattern("yyyy-MM-dd"), '-');
  EXPECT_EQ(DateSeparatorFromPattern("d MMM yyyy"), '/');
}

TEST(PromptRules, NumericDatesAndTimes) {
  const struct {
    const char* text;
    TDateOrder order;
    char separator;
    bool valid;
  } dates[] = {
      {"29/2/2024", TDateOrder::DMY, '/', true},   {"29/2/2023", TDateOrder::DMY, '/', false},
      {"29/2/1900", TDateOrder::DMY, '/', false},  {"29/2/2000", TDateOrder::DMY, '/', true},
      {"29/2/24", TDateOrder::DMY, '/', true},     {"31/4/2026", TDateOrder::DMY, '/', false},
      {"2026-12-31", TDateOrder::YMD, '-', true},  {"2026/12/31", TDateOrder::YMD, '-', true},
      {" 12/31 ", TDateOrder::MDY, '/', true},     {"12/31", TDateOrder::YMD, '/', true},
      {"31/12", TDateOrder::MDY, '/', false},      {"123/12", TDateOrder::YMD, '/', false},
      {"1/2/3/4", TDateOrder::DMY, '/', false},    {"1//2026", TDateOrder::DMY, '/', false},
      {"a/2/2026", TDateOrder::DMY, '/', false},   {"0/2/2026", TDateOrder::DMY, '/', false},
      {"1/13/2026", TDateOrder::DMY, '/', false},  {"12", TDateOrder::DMY, '/', false},
  };
  for (const auto& d : dates) EXPECT_EQ(IsNumericDate(d.text, d.order, d.separator), d.valid) << d.text;
  for (const char* t : {"0:00", "23:59:59", "7 pm", "12:30 AM"}) EXPECT_TRUE(IsNumericTime(t)) << t;
  for (const char* t : {"13:00 PM", "24:00", "12:60", "12:5", "7", "1:00:00:00", "ab:cd", ""})
    EXPECT_FALSE(IsNumericTime(t)) << t;
}

TEST(PromptRules, IntegerEntryGivesValueOrTheMessageToShow) {
  int value = -5;
  EXPECT_EQ(IntegerEntryError("11", 1, 10, value), "The value mut be between 1 and 10, inclusive.");
  EXPECT_EQ(IntegerEntryError("0", 1, 10, value), "The value mut be between 1 and 10, inclusive.");
  EXPECT_EQ(IntegerEntryError("abc", 1, 10, value), "'abc' is not a valid integer value");
  EXPECT_EQ(IntegerEntryError("", -3, 3, value), "'' is not a valid integer value");
  EXPECT_EQ(value, -5);  // untouched by refused entries
  EXPECT_EQ(IntegerEntryError(" 10 ", 1, 10, value), "");
  EXPECT_EQ(value, 10);
  EXPECT_EQ(IntegerEntryError("-32768", -32768, 32767, value), "");
  EXPECT_EQ(value, -32768);
  EXPECT_EQ(IntegerRangeMessage(-2, 7), "The value mut be between -2 and 7, inclusive.");
  EXPECT_EQ(ClampToUpDown(40000), 32767);
  EXPECT_EQ(ClampToUpDown(-40000), -32768);
  EXPECT_EQ(ClampToUpDown(12), 12);
}
