// The values walk-through pages suggest, the ordinal words and the "Use : "
// description of an earlier string's channel settings.
#include <gtest/gtest.h>

#include "WalkDriver.h"
#include "walkthrough/fmWalkThroughSuggest.h"

namespace {

struct TwoBatteries {
  TzmUPSSystem system;
  TwoBatteries() {
    system.SetBatteryCount(2);
    system.GetBattery(0)->SetChildCount(2);
    system.GetBattery(1)->SetChildCount(2);
  }
  TzmUPSBatterySystemNode* B(int b) const { return system.GetBattery(b); }
  TzmUPSStringSystemNode* S(int b, int s) const { return system.GetBattery(b)->GetString(s); }
};

}  // namespace

TEST(WalkSuggest, OrdinalWord) {
  EXPECT_EQ(OrdinalWord(1), "first");
  EXPECT_EQ(OrdinalWord(12), "twelfth");
  EXPECT_EQ(OrdinalWord(20), "twentieth");
  EXPECT_EQ(OrdinalWord(21), "21st");
  EXPECT_EQ(OrdinalWord(22), "22nd");
  EXPECT_EQ(OrdinalWord(23), "23rd");
  EXPECT_EQ(OrdinalWord(30), "30th");
  EXPECT_EQ(OrdinalWord(111), "111st");
}

TEST(WalkSuggest, ChannelLimitsFromTheLowVoltage) {
  TwoBatteries t;
  TzmUPSStringSystemNode* s = t.S(0, 0);
  s->SetCellCount(2);
  EXPECT_EQ(SuggestChannelLimit(t.system, *s, TChannelLimit::HighVoltage), -1);
  s->GetCell(0)->LowAlarm = 12.96;  // round(6.48) = 6 cells
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *s, TChannelLimit::HighVoltage), 14.4);
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *s, TChannelLimit::LowOhmic), 1.8);
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *s, TChannelLimit::HighOhmic), 6);
  s->GetCell(0)->LowAlarm = 13;  // round(6.5) = 6, halves to even
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *s, TChannelLimit::HighVoltage), 14.4);
  s->GetCell(0)->LowAlarm = 15;  // round(7.5) = 8
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *s, TChannelLimit::HighVoltage), 19.2);

  // The string's own value first, then the previous string's.
  s->GetCell(0)->HighAlarm = 16;
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *s, TChannelLimit::HighVoltage), 16);
  TzmUPSStringSystemNode* next = t.S(0, 1);
  next->SetCellCount(1);
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *next, TChannelLimit::HighVoltage), 16);
  EXPECT_DOUBLE_EQ(SuggestChannelLimit(t.system, *next, TChannelLimit::LowVoltage), 15);
  EXPECT_EQ(SuggestChannelLimit(t.system, *next, TChannelLimit::LowOhmic), -1);
}

TEST(WalkSuggest, CountsLookAtTheStringThenThePreviousOne) {
  TwoBatteries t;
  EXPECT_EQ(SuggestChannelCount(t.system, *t.S(0, 0)), 0);  // first string of the system
  t.S(0, 1)->SetCellCount(24);
  t.S(0, 1)->SetTemperatureCount(2);
  // Across batteries: battery 2's first string follows battery 1's last.
  EXPECT_EQ(SuggestChannelCount(t.system, *t.S(1, 0)), 24);
  EXPECT_EQ(SuggestTemperatureCount(t.system, *t.S(1, 0)), 2);
  EXPECT_EQ(SuggestCurrentProbe(t.system, *t.S(1, 0)), 0);
  t.S(1, 0)->SetCellCount(8);
  EXPECT_EQ(SuggestChannelCount(t.system, *t.S(1, 0)), 8);

  EXPECT_EQ(SuggestBlocksPerChannel(t.system, *t.S(1, 0)), -1);
  t.S(0, 1)->GetCell(0)->SetBlocksPerChannel(2);
  EXPECT_EQ(SuggestBlocksPerChannel(t.system, *t.S(1, 0)), 2);
}

TEST(WalkSuggest, SubStringChannels) {
  TwoBatteries t;
  TzmUPSStringSystemNode* s = t.S(0, 0);
  EXPECT_EQ(SuggestSubStringChannels(*s, 0), 4);
  s->SetSubStringCount(3);
  s->SetSubStringCells(0, 6);
  EXPECT_EQ(SuggestSubStringChannels(*s, 0), 6);
  EXPECT_EQ(SuggestSubStringChannels(*s, 1), 6);  // the one before
  EXPECT_EQ(SuggestSubStringChannels(*s, 2), 4);
}

TEST(WalkSuggest, StringNamePatterns) {
  TwoBatteries t;
  t.B(0)->SetName("North");
  t.S(0, 0)->SetName("North 1");
  EXPECT_EQ(SuggestStringName(t.system, 0, 1), "North 2");
  t.B(1)->SetName("South");
  EXPECT_EQ(SuggestStringName(t.system, 1, 0), "South 1");
  // Leading spaces of the number are kept.
  t.S(0, 0)->SetName("North  1");
  EXPECT_EQ(SuggestStringName(t.system, 0, 1), "North  2");
  // A name the user gave that is not the plain number stays.
  t.S(0, 1)->SetName("Spare");
  EXPECT_EQ(SuggestStringName(t.system, 0, 1), "Spare");
  // Battery names of 3 characters or fewer are not used as patterns.
  t.B(0)->SetName("Nor");
  t.S(0, 0)->SetName("Nor 1");
  t.S(0, 1)->SetName("String: 2");
  EXPECT_EQ(SuggestStringName(t.system, 0, 1), "2");
  EXPECT_EQ(SuggestStringName(t.system, 1, 0), "1");
}

TEST(WalkSuggest, TemperatureNameAndLimits) {
  TwoBatteries t;
  TzmUPSStringSystemNode* first = t.S(0, 0);
  first->SetTemperatureCount(2);
  first->GetTemperature(0)->SetName("Ambient");
  first->GetTemperature(0)->LowAlarm = 5;
  first->GetTemperature(0)->HighAlarm = 35;
  TzmUPSStringSystemNode* second = t.S(0, 1);
  second->SetTemperatureCount(2);
  EXPECT_EQ(SuggestTemperatureName(t.system, *second, 0), "Ambient");
  EXPECT_DOUBLE_EQ(SuggestTemperatureLimit(t.system, *second, 0, false), 5);
  EXPECT_DOUBLE_EQ(SuggestTemperatureLimit(t.system, *second, 0, true), 35);
  // Sensor 2 has no match anywhere: it takes its own sensor before's limit.
  second->GetTemperature(0)->HighAlarm = 30;
  EXPECT_EQ(SuggestTemperatureName(t.system, *second, 1), "Temperature 2");
  EXPECT_DOUBLE_EQ(SuggestTemperatureLimit(t.system, *second, 1, true), 30);
  // A sensor with limits keeps its name and values.
  EXPECT_DOUBLE_EQ(SuggestTemperatureLimit(t.system, *second, 0, true), 30);
}

TEST(WalkSuggest, ProbeLimits) {
  TwoBatteries t;
  t.S(0, 0)->SetCurrentCount(1);
  t.S(0, 1)->SetCurrentCount(1);
  EXPECT_EQ(SuggestDischarge(t.system, *t.S(0, 1), 0), -1);
  t.S(0, 0)->GetCurrent(0)->HighAlarm = 50;
  t.S(0, 0)->GetCurrent(0)->LowAlarm = 2;
  EXPECT_DOUBLE_EQ(SuggestDischarge(t.system, *t.S(0, 1), 0), 50);
  EXPECT_DOUBLE_EQ(SuggestCharge(t.system, *t.S(0, 1), 0), 2);
  t.S(0, 1)->GetCurrent(0)->HighAlarm = 0;
  EXPECT_DOUBLE_EQ(SuggestDischarge(t.system, *t.S(0, 1), 0), 0);
}

TEST(WalkSuggest, UseDefaultsDescriptionAndBox) {
  TwoBatteries t;
  TzmUPSStringSystemNode* first = t.S(0, 0);
  first->SetCellCount(1);
  EXPECT_EQ(ChannelDefaultsSource(t.system, *t.S(0, 1)), nullptr);  // no limits to offer
  TzmUPSCellSystemNode* c = first->GetCell(0);
  c->HighAlarm = 14.4;
  c->LowAlarm = 12.96;
  c->HighResistance = 6;
  c->LowResistance = 1.8;
  c->SetBlocksPerChannel(1);
  EXPECT_EQ(DescribeChannelDefaults(*c), "HV = 14.4V, LV = 12.96V, HR = 6mOhms, LR = 1.8mOhms");
  c->HighResistance = -1;
  c->SetBlocksPerChannel(2);
  EXPECT_EQ(DescribeChannelDefaults(*c),
            "HV = 14.4V, LV = 12.96V, HR = Unused, LR = 1.8mOhms, Cells / channel = 2");
  // Found across a string without channels and across batteries.
  EXPECT_EQ(ChannelDefaultsSource(t.system, *t.S(1, 0)), c);
  EXPECT_EQ(FindEarlierStringWithChannel(t.system, *t.S(1, 1)), first);
}

TEST(WalkSuggest, UseDefaultsBoxTakesTheEarlierSettings) {
  TWalkDriver d;
  d.Next();
  d.Answer("2");
  d.Answer("A");
  d.Answer("1");
  d.Answer("A1");
  d.Answer("4");
  d.Answer("2");
  d.Answer("12");
  d.Answer("14");
  d.Answer("2");
  d.Answer("5");
  d.NextUntil(TWalkPageId::BatteryName);
  d.Answer("B");
  d.Answer("1");
  d.Answer("B1");
  ASSERT_EQ(d.Id(), TWalkPageId::StringChannels);
  ASSERT_TRUE(d.Page().Clone.Visible);
  EXPECT_EQ(d.Page().Clone.Caption,
            "Use : HV = 14V, LV = 12V, HR = 5mOhms, LR = 2mOhms, Cells / channel = 2");
  EXPECT_FALSE(d.Page().Clone.Checked);
  d.Tick(TWalkBox::Clone, true);
  d.Answer("6");
  // No channel pages: straight on to the (forced) discharge page.
  EXPECT_EQ(d.Id(), TWalkPageId::Discharge);
  const TzmUPSStringSystemNode* b1 = d.String(1, 0);
  EXPECT_TRUE(b1->UseChannelDefaults);
  ASSERT_EQ(b1->CellCount(), 6);
  EXPECT_DOUBLE_EQ(b1->GetCell(5)->HighResistance, 5);
  EXPECT_EQ(b1->GetCell(5)->BlocksPerChannel(), 2);
}

TEST(WalkSuggest, UseDefaultsNotOfferedAcrossVoltageOnlyChange) {
  TWalkDriver d;
  d.Next();
  d.Answer("2");
  d.Answer("A");
  d.Answer("1");
  d.Answer("A1");
  d.Answer("4");
  d.Answer("1");
  d.Answer("12");
  d.NextUntil(TWalkPageId::BatteryName);
  d.Tick(TWalkBox::VoltageOnly, true);
  d.Answer("B");
  d.Answer("1");
  d.Answer("B1");
  ASSERT_EQ(d.Id(), TWalkPageId::StringChannels);
  EXPECT_FALSE(d.Page().Clone.Visible);
  d.Answer("4");
  EXPECT_EQ(d.Id(), TWalkPageId::BlocksPerChannel);
  EXPECT_FALSE(d.String(1, 0)->UseChannelDefaults);
}
