// The check boxes of the battery and string pages: which are offered, with
// which caption, and what a click on them changes.
#include <gtest/gtest.h>

#include "WalkDriver.h"

using Id = TWalkPageId;

TEST(WalkPages, BatteryNamePagesOfferCopyAndForceOnlyForLaterBatteries) {
  TWalkDriver d;
  d.Next();
  EXPECT_EQ(d.Page().HelpName, "SetBatteryCount");
  d.Answer("2");
  ASSERT_EQ(d.Id(), Id::BatteryName);
  EXPECT_EQ(d.Page().HelpName, "SetBatteryName");
  EXPECT_EQ(d.Page().Heading, "Name of battery #1");
  EXPECT_EQ(d.Page().LabelCaption, "Battery:");
  EXPECT_FALSE(d.Page().WalkThru.Visible);
  EXPECT_FALSE(d.Page().ForceNewCU.Visible);
  EXPECT_TRUE(d.Page().VoltageOnly.Visible);
  EXPECT_TRUE(d.Page().Genset.Visible);
  d.Answer("One");
  d.Type("3");
  d.Tick(TWalkBox::WalkThru, true);  // all strings the same: every probe is forced
  d.Next();
  d.NextUntil(Id::BatteryName);
  EXPECT_EQ(d.Page().HelpName, "SetBatteryNameWithCopy");
  EXPECT_TRUE(d.Page().WalkThru.Visible);
  EXPECT_EQ(d.Page().ForceNewCU.Caption, "&Force this battery to be on a new Control Unit");
  EXPECT_TRUE(d.Page().ForceNewCU.Visible);
  d.Tick(TWalkBox::ForceNewCU, true);
  d.Next();
  // A new battery without strings proposes, and gets, as many as the one before.
  ASSERT_EQ(d.Id(), Id::StringCount);
  EXPECT_EQ(d.Page().Number.Text, "3");
  EXPECT_EQ(d.Battery(1)->StringCount(), 3);
  EXPECT_TRUE(d.Page().WalkThru.Enabled);
  EXPECT_TRUE(d.Battery(1)->ForceNewControlUnit);
  d.Type("1");
  EXPECT_FALSE(d.Page().WalkThru.Enabled);
}

TEST(WalkPages, FirstStringForceBoxOnlyWhenAllTheSame) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("B");
  d.Answer("2");
  ASSERT_EQ(d.Id(), Id::StringName);
  EXPECT_EQ(d.Page().LabelCaption, "String:");
  EXPECT_FALSE(d.Page().ForceNewCU.Visible);
  EXPECT_FALSE(d.Page().WalkThru.Visible);
  d.Back();
  d.Tick(TWalkBox::WalkThru, true);
  d.Next();
  EXPECT_TRUE(d.Page().ForceNewCU.Visible);
  EXPECT_EQ(d.Page().ForceNewCU.Caption, "&Force this string to be on a new Control Unit");

  TWalkDriver e;
  e.Next();
  e.Type("2");
  e.Tick(TWalkBox::WalkThru, true);
  e.Next();
  e.Answer("B");
  e.Answer("1");
  EXPECT_TRUE(e.Page().ForceNewCU.Visible);
  EXPECT_EQ(e.Page().ForceNewCU.Caption,
            "&Force this string on each battery to be on a new Control Unit");
  // Checking a force box unchecks "Has sub-strings".
  e.Tick(TWalkBox::SubString, true);
  e.Tick(TWalkBox::ForceNewCU, true);
  EXPECT_FALSE(e.Page().SubString.Checked);
  e.Next();
  EXPECT_TRUE(e.String(0, 0)->ForceNewControlUnit);
  EXPECT_FALSE(e.String(0, 0)->HasSubStrings());
}

TEST(WalkPages, CopyStringBoxAndSubStrings) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("B");
  d.Answer("3");
  d.Tick(TWalkBox::SubString, true);
  d.Answer("A");
  d.Answer("2");
  d.Answer("4");
  d.Answer("4");
  d.NextUntil(Id::StringName);
  ASSERT_EQ(d.engine.StringIndex(), 1);
  EXPECT_EQ(d.Page().WalkThru.Caption, "Copy string");
  EXPECT_TRUE(d.Page().WalkThru.Visible);
  EXPECT_FALSE(d.Page().SubString.Checked);
  d.Tick(TWalkBox::WalkThru, true);  // takes the sub-string box of the string before
  EXPECT_TRUE(d.Page().SubString.Checked);
  EXPECT_FALSE(d.Page().SubString.Enabled);
  d.Tick(TWalkBox::WalkThru, false);
  EXPECT_FALSE(d.Page().SubString.Checked);
  EXPECT_TRUE(d.Page().SubString.Enabled);
  d.Tick(TWalkBox::WalkThru, true);
  d.Answer("C");
  // A copied string asks nothing more: the next string's name follows.
  ASSERT_EQ(d.Id(), Id::StringName);
  EXPECT_EQ(d.engine.StringIndex(), 2);
  const TzmUPSStringSystemNode* copy = d.String(0, 1);
  EXPECT_TRUE(copy->CopyOfPrevious);
  EXPECT_EQ(copy->SubStringCells(), (std::vector<int>{4, 4}));
  EXPECT_EQ(copy->Name(), "C");

  // A string whose predecessor continues the one before it offers no copy.
  d.String(0, 1)->Number = d.String(0, 0)->NewJoinNumber();
  d.Back();
  d.Next();
  ASSERT_EQ(d.engine.StringIndex(), 2);
  EXPECT_FALSE(d.Page().WalkThru.Visible);
  EXPECT_FALSE(d.Page().WalkThru.Checked);
}
