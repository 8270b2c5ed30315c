#include <gtest/gtest.h>

#include "wizard/fmConfigStringLogic.h"

TEST(ConfigStringRules, OkNeedsEveryCountBoxFilled) {
  EXPECT_TRUE(ConfigStringOkEnabled({"1", "0", "4", "1"}));
  EXPECT_FALSE(ConfigStringOkEnabled({"1", "0", "", "1"}));
  EXPECT_FALSE(ConfigStringOkEnabled({"", "1", "4", "1"}));
  EXPECT_FALSE(ConfigStringOkEnabled({"1", "1", "4", ""}));
}

TEST(ConfigStringRules, ValuesBelowTheMinimumShowBlank) {
  EXPECT_TRUE(CountShownBlank(kMixedValue, kCellCountRange));
  EXPECT_FALSE(CountShownBlank(0, kCellCountRange));
  EXPECT_TRUE(CountShownBlank(0, kJarCountRange));
  EXPECT_EQ(VoltageOnlyStateFromInt(2), vosMixed);
  EXPECT_EQ(VoltageOnlyStateFromInt(1), vosTicked);
  EXPECT_EQ(VoltageOnlyStateFromInt(kMixedValue), vosClear);
}
