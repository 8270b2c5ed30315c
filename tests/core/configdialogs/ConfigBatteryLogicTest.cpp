#include <gtest/gtest.h>

#include "FakeUserInterface.h"
#include "wizard/fmConfigBatteryLogic.h"

TEST(BatteryNamesTable, RowsFollowTheCountWithDefaultNames) {
  TBatteryNamesTable table;
  table.SetCount(3);
  table.SetBatteryName(0, "North");
  table.SetBatteryName(2, "South");
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(table.BatteryName(0), "North");
  EXPECT_EQ(table.BatteryName(1), "Battery: 2");
  EXPECT_EQ(table.BatteryName(2), "South");
  EXPECT_EQ(DefaultBatteryName(12), "Battery: 12");

  // A blank name cell reads as the default name and is filled again with the count.
  table.SetBatteryName(1, "");
  EXPECT_EQ(table.NameCell(1), "");
  EXPECT_EQ(table.BatteryName(1), "Battery: 2");
  EXPECT_EQ(table.EditorText(1, 1), "Battery: 2");
  EXPECT_EQ(table.EditorText(1, 0), "2");
  table.FillBlankNames();
  EXPECT_EQ(table.NameCell(1), "Battery: 2");
}

TEST(BatteryNamesTable, StringsCellReadsAsDefaultUnlessAPositiveNumber) {
  TBatteryNamesTable table;
  table.SetCount(2);
  for (const char* text : {"", "abc", "0", "-3", "2.5"}) {
    table.SetStringsCell(0, text);
    EXPECT_EQ(table.StringCount(0, 7), 7) << "cell '" << text << "'";
  }
  table.SetStringsCell(0, " 4 ");
  EXPECT_EQ(table.StringCount(0, 7), 4);

  table.SetStringCount(1, 3);
  EXPECT_EQ(table.StringsCell(1), "3");
  table.SetStringCount(1, 0);
  EXPECT_EQ(table.StringsCell(1), "");
  EXPECT_EQ(table.StringCount(1, 5), 5);
}

TEST(BatteryNamesTable, LoweringTheCountBlanksRemovedStringsButKeepsNames) {
  TBatteryNamesTable table;
  table.SetCount(4);
  for (int i = 0; i < 4; ++i) table.SetStringCount(i, i + 2);
  table.SetBatteryName(3, "Spare");
  table.SetCount(2);
  EXPECT_EQ(table.Count(), 2);
  table.SetCount(4);
  EXPECT_EQ(table.StringsCell(0), "2");
  EXPECT_EQ(table.StringsCell(1), "3");
  EXPECT_EQ(table.StringsCell(2), "");
  EXPECT_EQ(table.StringsCell(3), "");
  EXPECT_EQ(table.StringCount(3, 1), 1);
  EXPECT_EQ(table.BatteryName(3), "Spare");
}

TEST(BatteryNamesTable, IndexesOutsideTheRowsAreIgnored) {
  TBatteryNamesTable table;
  table.SetCount(2);
  table.SetBatteryName(2, "Ghost");
  table.SetStringCount(-1, 4);
  table.SetStringCount(2, 4);
  EXPECT_EQ(table.BatteryName(2), "");
  EXPECT_EQ(table.BatteryName(-1), "");
  EXPECT_EQ(table.StringCount(2, 3), 0);
  table.SetCount(3);
  EXPECT_EQ(table.BatteryName(2), "Battery: 3");
  EXPECT_EQ(table.StringsCell(2), "");
}

TEST(BatteryNamesTable, TypedNameWithACommaIsRefusedWithAWarning) {
  TFakeServices services;
  TBatteryNamesTable table;
  table.SetCount(1);
  EXPECT_FALSE(table.EditName(0, "Bank A, east"));
  EXPECT_EQ(table.NameCell(0), "Battery: 1");
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);
  EXPECT_EQ(services.messages.LastText(), "A name cannot contain a comma.");

  EXPECT_TRUE(table.EditName(0, "Bank A east"));
  EXPECT_EQ(table.NameCell(0), "Bank A east");
  EXPECT_EQ(services.messages.messages.size(), 1u);

  // So is a character the configuration file cannot hold; Western letters pass.
  EXPECT_FALSE(table.EditName(0, "Bank \xCE\xA9"));
  EXPECT_EQ(table.NameCell(0), "Bank A east");
  ASSERT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(services.messages.messages[1].kind, TMsgKind::Warning);
  EXPECT_NE(services.messages.LastText().find("\"\xCE\xA9\""), std::string::npos);
  EXPECT_TRUE(table.EditName(0, "S\xC3\xBC" "d"));
  EXPECT_EQ(table.NameCell(0), "S\xC3\xBC" "d");
}

TEST(BatteryDialogRules, CountTextAndColumnWidths) {
  EXPECT_EQ(CountFromText("12", 3, 1, 999), 12);
  EXPECT_EQ(CountFromText("x", 3, 1, 999), 3);
  EXPECT_EQ(CountFromText("", 3, 1, 999), 3);
  EXPECT_EQ(CountFromText("0", 3, 1, 999), 1);
  EXPECT_EQ(CountFromText("5000", 3, 1, 999), 999);

  // (client - number column - two grid lines) / 2, remainder dropped.
  EXPECT_EQ(NamesColumnWidth(400, 27, 1), 185);
  EXPECT_EQ(NamesColumnWidth(401, 27, 1), 186);
  EXPECT_EQ(NamesColumnWidth(402, 27, 1), 186);
  EXPECT_EQ(NamesColumnWidth(10, 27, 1), 0);
}
