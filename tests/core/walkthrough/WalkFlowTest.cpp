// The page flow of the walk-through: levels, cursors, Go back, hand-downs,
// deferred steps and the end of a run.
#include <gtest/gtest.h>

#include "WalkDriver.h"

using Id = TWalkPageId;

namespace {

// One battery "North" with two strings of 4 channels, a probe and a sensor each.
void AnswerFirstString(TWalkDriver& d) {
  ASSERT_EQ(d.Id(), Id::StringName);
  d.Answer("North 1");
  ASSERT_EQ(d.Id(), Id::StringChannels);
  d.Answer("4");
  ASSERT_EQ(d.Id(), Id::BlocksPerChannel);
  d.Answer("1");
  d.Answer("12.96");
  ASSERT_EQ(d.Id(), Id::HighVoltage);
  d.Next();  // suggested 14.4
  ASSERT_EQ(d.Id(), Id::LowOhmic);
  d.Next();
  ASSERT_EQ(d.Id(), Id::HighOhmic);
  d.Next();
  ASSERT_EQ(d.Id(), Id::StringProbe);
}

void StartTwoStringBattery(TWalkDriver& d) {
  d.Next();
  ASSERT_EQ(d.Id(), Id::BatteryCount);
  d.Answer("1");
  ASSERT_EQ(d.Id(), Id::BatteryName);
  d.Answer("North");
  ASSERT_EQ(d.Id(), Id::StringCount);
  d.Answer("2");
}

}  // namespace

TEST(WalkFlow, StartPageAndGoBackOnTopPageOne) {
  TWalkDriver d;
  EXPECT_EQ(d.Id(), Id::Start);
  EXPECT_EQ(d.Page().NextCaption, "&Start");
  EXPECT_EQ(d.Page().Heading, "Create a system configuration file");
  EXPECT_FALSE(d.Page().GoBackEnabled);
  EXPECT_EQ(d.text.lines, std::vector<std::string>{"StartWalkThrough"});

  d.Next();
  ASSERT_EQ(d.Id(), Id::BatteryCount);
  EXPECT_EQ(d.system.BatteryCount(), 1);  // an empty system gets its first battery
  EXPECT_FALSE(d.Page().GoBackEnabled);
  EXPECT_EQ(d.Page().NextCaption, "&Next >>");
  d.Back();  // disabled: nothing happens
  EXPECT_EQ(d.Id(), Id::BatteryCount);

  d.Answer("2");
  ASSERT_EQ(d.Id(), Id::BatteryName);
  EXPECT_TRUE(d.Page().GoBackEnabled);
  d.Back();
  EXPECT_EQ(d.Id(), Id::BatteryCount);
  EXPECT_FALSE(d.Page().GoBackEnabled);
  EXPECT_EQ(d.system.BatteryCount(), 2);
}

TEST(WalkFlow, ForcedProbeQuestionIsQueuedNotRunInline) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("Solo");
  d.Answer("1");
  d.Answer("S");
  ASSERT_EQ(d.Id(), Id::StringChannels);
  d.Type("0");
  d.engine.Next();
  // Page 3 is forced: the string got its probe, and the discharge page waits
  // in the queue until the current step has returned.
  EXPECT_EQ(d.String(0, 0)->CurrentCount(), 1);
  EXPECT_EQ(d.deferred.queue.size(), 1u);
  EXPECT_NE(d.Id(), Id::Discharge);
  d.deferred.Drain();
  EXPECT_EQ(d.Id(), Id::Discharge);
  EXPECT_EQ(d.engine.Level(), TWalkLevel::Current);

  // Back from the discharge page skips the forced question: string page 2.
  d.Back();
  EXPECT_EQ(d.Id(), Id::StringChannels);
  EXPECT_EQ(d.engine.StringState(), 2);
}

TEST(WalkFlow, TypicalRunThroughTwoStringsToFinish) {
  TWalkDriver d;
  StartTwoStringBattery(d);
  AnswerFirstString(d);
  EXPECT_TRUE(d.Page().WalkThru.Visible);  // two strings, not all the same: asked
  d.AnswerCheck(true);
  ASSERT_EQ(d.Id(), Id::Discharge);
  d.Answer("50");
  ASSERT_EQ(d.Id(), Id::StringSensors);
  d.Answer("1");
  ASSERT_EQ(d.Id(), Id::SensorName);
  d.Answer("Ambient");
  ASSERT_EQ(d.Id(), Id::LowTemperature);
  d.Answer("10");
  ASSERT_EQ(d.Id(), Id::HighTemperature);
  d.Answer("30");

  ASSERT_EQ(d.Id(), Id::StringName);
  EXPECT_EQ(d.engine.StringIndex(), 1);
  EXPECT_EQ(d.Page().EntryText, "North 2");
  d.Next();
  ASSERT_EQ(d.Id(), Id::StringChannels);
  EXPECT_EQ(d.Page().Number.Text, "4");
  d.NextUntil(Id::StringProbe);
  EXPECT_TRUE(d.Page().WalkThru.Checked);  // suggested from the string before
  d.Next();
  ASSERT_EQ(d.Id(), Id::Discharge);
  EXPECT_EQ(d.Page().Number.Text, "50");
  d.Next();
  ASSERT_EQ(d.Id(), Id::StringSensors);
  EXPECT_EQ(d.Page().Number.Text, "1");
  d.Next();
  EXPECT_EQ(d.Page().EntryText, "Ambient");
  d.Next();
  d.Next();
  d.Next();

  ASSERT_EQ(d.Id(), Id::BatteryVerify);
  EXPECT_EQ(d.Page().Heading, "Verify battery setup");
  EXPECT_TRUE(d.Page().PrintVisible);
  d.Next();
  // A page without entries that keeps the verification's heading.
  ASSERT_EQ(d.Id(), Id::NoPage);
  EXPECT_EQ(d.Page().Heading, "Verify battery setup");
  EXPECT_FALSE(d.Page().Number.Visible);
  EXPECT_FALSE(d.Page().TextVisible);
  d.Next();
  ASSERT_EQ(d.Id(), Id::SystemVerify);
  EXPECT_EQ(d.Page().Heading, "Verify system configuration");
  EXPECT_EQ(d.Page().NextCaption, "&Finish");
  d.Back();
  EXPECT_EQ(d.Id(), Id::NoPage);
  EXPECT_EQ(d.Page().NextCaption, "&Next >>");
  d.Next();
  EXPECT_EQ(d.engine.Result(), TWalkResult::Running);
  d.Next();
  EXPECT_EQ(d.engine.Result(), TWalkResult::Finished);

  const TzmUPSStringSystemNode* s2 = d.String(0, 1);
  EXPECT_EQ(s2->Name(), "North 2");
  EXPECT_EQ(s2->CellCount(), 4);
  EXPECT_DOUBLE_EQ(s2->GetCell(3)->HighAlarm, 14.4);
  EXPECT_DOUBLE_EQ(s2->GetCell(0)->LowResistance, 1.8);
  EXPECT_DOUBLE_EQ(s2->GetCell(0)->HighResistance, 6);
  EXPECT_DOUBLE_EQ(s2->GetCurrent(0)->HighAlarm, 50);
  EXPECT_EQ(s2->GetTemperature(0)->Name(), "Ambient");
  EXPECT_DOUBLE_EQ(s2->GetTemperature(0)->HighAlarm, 30);
}

TEST(WalkFlow, GoBackReturnsToTheFirstQuestionOfTheItemBefore) {
  TWalkDriver d;
  d.Next();
  d.Answer("2");
  d.Answer("First");
  d.NextUntil(Id::BatteryVerify);
  d.Next();
  ASSERT_EQ(d.Id(), Id::BatteryName);
  EXPECT_EQ(d.engine.BatteryIndex(), 1);
  d.Back();
  EXPECT_EQ(d.Id(), Id::BatteryName);
  EXPECT_EQ(d.engine.BatteryIndex(), 0);
  EXPECT_EQ(d.Page().EntryText, "First");
  EXPECT_EQ(d.Page().Heading, "Name of battery #1");

  // The same for strings: back from string 2's name shows string 1's name.
  TWalkDriver e;
  StartTwoStringBattery(e);
  AnswerFirstString(e);
  e.AnswerCheck(true);
  e.NextUntil(Id::StringName);
  ASSERT_EQ(e.engine.StringIndex(), 1);
  e.Back();
  EXPECT_EQ(e.Id(), Id::StringName);
  EXPECT_EQ(e.engine.StringIndex(), 0);
  // Back out of the string level lands on the number of strings.
  e.Back();
  EXPECT_EQ(e.Id(), Id::StringCount);
  EXPECT_EQ(e.engine.Level(), TWalkLevel::Battery);
}

TEST(WalkFlow, GoBackOutOfSubLevels) {
  TWalkDriver d;
  StartTwoStringBattery(d);
  d.Answer("A");
  d.Answer("4");
  ASSERT_EQ(d.Id(), Id::BlocksPerChannel);
  d.Back();  // first channel page -> string page 2
  EXPECT_EQ(d.Id(), Id::StringChannels);
  EXPECT_EQ(d.engine.Level(), TWalkLevel::String);
  d.Answer("4");
  d.NextUntil(Id::StringProbe);
  d.AnswerCheck(true);
  ASSERT_EQ(d.Id(), Id::Discharge);
  d.Back();  // discharge page -> string page 3 (asked: two strings)
  EXPECT_EQ(d.Id(), Id::StringProbe);
  d.AnswerCheck(true);
  d.Answer("5");
  d.Answer("1");
  ASSERT_EQ(d.Id(), Id::SensorName);
  d.Back();  // first temperature page -> string page 4
  EXPECT_EQ(d.Id(), Id::StringSensors);
  d.Answer("2");
  d.Answer("T1");
  d.Answer("10");
  d.Answer("30");
  ASSERT_EQ(d.Id(), Id::SensorName);
  EXPECT_EQ(d.engine.TemperatureIndex(), 1);
  d.Next();
  d.Back();  // low limit of sensor 2 -> its name
  d.Back();  // name of sensor 2 -> name of sensor 1
  EXPECT_EQ(d.Id(), Id::SensorName);
  EXPECT_EQ(d.engine.TemperatureIndex(), 0);
}

TEST(WalkFlow, SubStringsAskEachPartThenTheChannelPages) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("B");
  d.Answer("1");
  ASSERT_EQ(d.Id(), Id::StringName);
  EXPECT_TRUE(d.Page().SubString.Visible);
  d.Tick(TWalkBox::SubString, true);
  d.Next();
  ASSERT_EQ(d.Id(), Id::StringChannels);
  EXPECT_EQ(d.Page().Heading, "Number of sub-strings in String: 1");
  EXPECT_EQ(d.Page().Number.Text, "2");
  d.Answer("3");
  ASSERT_EQ(d.Id(), Id::SubStringChannels);
  EXPECT_EQ(d.Page().Heading, "Channels in first sub-string of String: 1");
  EXPECT_EQ(d.Page().Number.Text, "4");
  d.Answer("5");
  EXPECT_EQ(d.Page().Heading, "Channels in second sub-string of String: 1");
  EXPECT_EQ(d.Page().Number.Text, "5");  // the sub-string before
  d.Answer("6");
  d.Back();  // third -> second
  EXPECT_EQ(d.engine.SubStringIndex(), 1);
  d.Back();
  d.Back();  // out of the sub-string level
  EXPECT_EQ(d.Id(), Id::StringChannels);
  d.Next();
  d.Answer("5");
  d.Answer("6");
  d.Answer("7");
  ASSERT_EQ(d.Id(), Id::BlocksPerChannel);
  EXPECT_EQ(d.String(0, 0)->CellCount(), 18);
  EXPECT_EQ(d.String(0, 0)->SubStringCells(), (std::vector<int>{5, 6, 7}));
}

TEST(WalkFlow, VoltageOnlyBatterySkipsOhmicPagesBothWays) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  ASSERT_EQ(d.Id(), Id::BatteryName);
  EXPECT_TRUE(d.Page().VoltageOnly.Visible);
  d.Tick(TWalkBox::VoltageOnly, true);
  d.Answer("VO");
  EXPECT_TRUE(d.Battery(0)->VoltageOnly);
  d.Answer("1");
  d.Answer("S");
  d.Answer("4");
  d.Answer("1");
  d.Answer("12");
  ASSERT_EQ(d.Id(), Id::HighVoltage);
  d.Answer("14");
  // Straight on past the ohmic pages; the probe question is forced.
  EXPECT_EQ(d.Id(), Id::Discharge);
  d.Back();
  EXPECT_EQ(d.Id(), Id::StringChannels);
  d.Answer("4");
  d.Next();
  d.Next();
  ASSERT_EQ(d.Id(), Id::HighVoltage);
  d.Back();
  EXPECT_EQ(d.Id(), Id::LowVoltage);
  d.Next();
  d.Next();
  EXPECT_EQ(d.Id(), Id::Discharge);
}

TEST(WalkFlow, ForcedProbeForSingleStringAndAllStringsSame) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("B");
  ASSERT_EQ(d.Id(), Id::StringCount);
  EXPECT_FALSE(d.Page().WalkThru.Enabled);  // one string: the box waits
  d.Type("3");
  EXPECT_TRUE(d.Page().WalkThru.Enabled);
  d.Tick(TWalkBox::WalkThru, true);
  d.Next();
  EXPECT_TRUE(d.Battery(0)->AllStringsSame);
  d.Answer("S1");
  d.Answer("0");
  ASSERT_EQ(d.Id(), Id::Discharge);
  d.Answer("40");
  d.Answer("0");
  // String 2 and 3 only ask for the name and are copies of the one before.
  ASSERT_EQ(d.Id(), Id::StringName);
  EXPECT_FALSE(d.Page().WalkThru.Visible);
  EXPECT_FALSE(d.Page().SubString.Visible);
  d.Answer("S2");
  ASSERT_EQ(d.Id(), Id::StringName);
  EXPECT_EQ(d.engine.StringIndex(), 2);
  d.Answer("S3");
  EXPECT_EQ(d.Id(), Id::BatteryVerify);
  for (int s = 0; s < 3; ++s) {
    ASSERT_EQ(d.String(0, s)->CurrentCount(), 1);
    EXPECT_DOUBLE_EQ(d.String(0, s)->GetCurrent(0)->HighAlarm, 40);
  }
  EXPECT_EQ(d.String(0, 2)->Name(), "S3");
}

TEST(WalkFlow, AllBatteriesSameAsksOnlyForTheName) {
  TWalkDriver d;
  d.Next();
  d.Type("2");
  EXPECT_TRUE(d.Page().WalkThru.Enabled);
  d.Tick(TWalkBox::WalkThru, true);
  d.Next();
  d.Answer("North");
  d.Answer("2");
  d.Answer("North 1");
  d.Answer("8");
  d.NextUntil(Id::StringProbe);
  d.AnswerCheck(true);
  d.Answer("30");
  d.Answer("0");
  ASSERT_EQ(d.Id(), Id::StringName);
  d.Next();
  d.NextUntil(Id::BatteryVerify);
  d.Next();
  ASSERT_EQ(d.Id(), Id::BatteryName);
  EXPECT_FALSE(d.Page().WalkThru.Visible);  // no "Copy battery" when all are the same
  EXPECT_TRUE(d.Page().ForceNewCU.Visible);
  EXPECT_FALSE(d.Page().VoltageOnly.Visible);
  d.Answer("South");
  EXPECT_EQ(d.Id(), Id::BatteryVerify);
  const TzmUPSBatterySystemNode* south = d.Battery(1);
  EXPECT_TRUE(south->CopyOfPrevious);
  EXPECT_EQ(south->StringCount(), 2);
  EXPECT_EQ(south->GetString(1)->CellCount(), 8);
  EXPECT_DOUBLE_EQ(south->GetString(0)->GetCurrent(0)->HighAlarm, 30);
  // Back from the verification of a copy shows its number of strings.
  d.Back();
  EXPECT_EQ(d.Id(), Id::StringCount);
}

TEST(WalkFlow, CopyBatteryAsksOnlyForTheName) {
  TWalkDriver d;
  d.Next();
  d.Answer("2");
  d.Tick(TWalkBox::Genset, true);
  d.Answer("Gen");
  d.Answer("1");
  d.Answer("G1");
  d.Answer("3");
  d.NextUntil(Id::StringProbe);  // genset: the probe question is asked
  d.AnswerCheck(false);
  d.Answer("0");
  d.NextUntil(Id::BatteryName);
  ASSERT_EQ(d.engine.BatteryIndex(), 1);
  ASSERT_TRUE(d.Page().WalkThru.Visible);
  EXPECT_EQ(d.Page().WalkThru.Caption, "Copy battery");
  d.Tick(TWalkBox::WalkThru, true);
  EXPECT_FALSE(d.Page().VoltageOnly.Visible);
  EXPECT_FALSE(d.Page().Genset.Visible);
  d.Answer("Gen2");
  EXPECT_EQ(d.Id(), Id::BatteryVerify);
  EXPECT_TRUE(d.Battery(1)->Genset);
  EXPECT_EQ(d.Battery(1)->GetString(0)->CellCount(), 3);
  EXPECT_EQ(d.Battery(1)->Name(), "Gen2");
}

TEST(WalkFlow, CancelKeepsEveryAcceptedAnswer) {
  TWalkDriver d;
  bool closed = false;
  d.engine.OnClose = [&](TWalkResult r) { closed = r == TWalkResult::Cancelled; };
  d.Next();
  d.Answer("3");
  d.Answer("Alpha");
  d.Answer("2");
  d.Type("Not accepted");
  d.engine.Cancel();
  EXPECT_TRUE(closed);
  EXPECT_EQ(d.engine.Result(), TWalkResult::Cancelled);
  EXPECT_EQ(d.system.BatteryCount(), 3);
  EXPECT_EQ(d.Battery(0)->Name(), "Alpha");
  EXPECT_EQ(d.Battery(0)->StringCount(), 2);
  EXPECT_EQ(d.String(0, 0)->Name(), "String: 1");
  // Nothing runs after the end, not even a step still in the queue.
  d.engine.Next();
  EXPECT_EQ(d.Id(), Id::StringName);
}

TEST(WalkFlow, StartWithoutSystemFailsAndRestartResets) {
  TFakeTextArea text;
  TFakeDeferredStep deferred;
  TWalkThroughEngine engine(text, deferred);
  EXPECT_FALSE(engine.Start(nullptr));

  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("X");
  d.engine.Cancel();
  ASSERT_TRUE(d.engine.Start(&d.system));
  EXPECT_EQ(d.Id(), Id::Start);
  EXPECT_EQ(d.engine.Result(), TWalkResult::Running);
  EXPECT_EQ(d.engine.BatteryState(), 0);
  d.Next();
  EXPECT_EQ(d.Id(), Id::BatteryCount);
  d.Next();
  EXPECT_EQ(d.Page().EntryText, "X");  // a revisit shows what is stored
}

TEST(WalkFlow, ContinuationSegmentGoesBackToItsName) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("J");
  d.Answer("2");
  TzmUPSStringSystemNode* s1 = d.String(0, 0);
  TzmUPSStringSystemNode* s2 = d.String(0, 1);
  s2->Number = s1->NewJoinNumber();
  d.Answer("1");
  d.Answer("0");
  d.AnswerCheck(true);
  d.Answer("10");
  d.Answer("0");
  ASSERT_EQ(d.engine.StringIndex(), 1);
  d.Answer("2");
  d.Answer("0");
  ASSERT_EQ(d.Id(), Id::StringProbe);
  d.Back();  // a continuation goes back to its name page, not to page 2
  EXPECT_EQ(d.Id(), Id::StringName);
  EXPECT_EQ(d.engine.StringIndex(), 1);
}
