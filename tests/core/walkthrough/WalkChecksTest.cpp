// Answer checks, confirmations, warnings in the text area, degree boxes and
// the current scaling button of the walk-through.
#include <gtest/gtest.h>

#include "WalkDriver.h"

using Id = TWalkPageId;

namespace {

// One battery with one string of `channels` channels, stopped on the low voltage page.
void ToLowVoltage(TWalkDriver& d, const std::string& channels = "4") {
  d.Next();
  d.Answer("1");
  d.Answer("B");
  d.Answer("1");
  d.Answer("S");
  d.Answer(channels);
  d.Answer("1");
  ASSERT_EQ(d.Id(), Id::LowVoltage);
}

// One battery with one string without channels, on its discharge page.
void ToDischarge(TWalkDriver& d) {
  d.Next();
  d.Answer("1");
  d.Answer("B");
  d.Answer("1");
  d.Answer("S");
  d.Answer("0");
  ASSERT_EQ(d.Id(), Id::Discharge);
}

void ToHighTemperature(TWalkDriver& d, const std::string& low) {
  ToDischarge(d);
  d.Answer("20");
  d.Answer("1");
  d.Answer("Pilot");
  ASSERT_EQ(d.Id(), Id::LowTemperature);
  if (low.empty())
    d.engine.UserChangedNumber("");
  else
    d.Type(low);
  d.Next();
  ASSERT_EQ(d.Id(), Id::HighTemperature);
}

}  // namespace

TEST(WalkChecks, BlankDischargeNeedsNextTwice) {
  TWalkDriver d;
  ToDischarge(d);
  EXPECT_TRUE(d.Page().Number.IsBlank());
  EXPECT_EQ(d.Page().CurrentScalingCaption, "Set current scaling");
  EXPECT_TRUE(d.Page().CurrentScalingVisible);
  d.Next();
  ASSERT_EQ(d.Id(), Id::Discharge);
  EXPECT_EQ(d.services.messages.beeps, std::vector<TBeepKind>{TBeepKind::Question});
  const auto& l = d.text.lines;
  ASSERT_GE(l.size(), 9u);
  EXPECT_EQ(l[0], "SetDischargeLimit");  // the help text stays above the question
  EXPECT_EQ(l[3], "*Are you sure?*");
  EXPECT_EQ(l.back(),
            "If you *REALLY DON'T* want this string to indicate a discharge press the \"Next\" "
            "button or the <Enter> key on the keyboard without setting a value.");
  EXPECT_DOUBLE_EQ(d.String(0, 0)->GetCurrent(0)->HighAlarm, -1);
  d.Next();
  EXPECT_EQ(d.Id(), Id::StringSensors);
  EXPECT_DOUBLE_EQ(d.String(0, 0)->GetCurrent(0)->HighAlarm, -1);
  EXPECT_DOUBLE_EQ(d.String(0, 0)->GetCurrent(0)->LowAlarm, -1);
}

TEST(WalkChecks, ChargeAlarmPageOnlyWhenAsked) {
  TWalkDriver d;
  ToDischarge(d);
  ASSERT_TRUE(d.Page().WalkThru.Visible);
  EXPECT_EQ(d.Page().WalkThru.Caption, "Set a low charge current alarm");
  EXPECT_FALSE(d.Page().WalkThru.Checked);
  d.Tick(TWalkBox::WalkThru, true);
  d.Answer("25");
  ASSERT_EQ(d.Id(), Id::Charge);
  EXPECT_EQ(d.Page().Heading, "Low charge current limit for S");
  EXPECT_TRUE(d.Page().Number.IsBlank());
  d.Answer("3.5");
  EXPECT_EQ(d.Id(), Id::StringSensors);
  const TzmUPSCurrentSystemNode* p = d.String(0, 0)->GetCurrent(0);
  EXPECT_DOUBLE_EQ(p->HighAlarm, 25);
  EXPECT_DOUBLE_EQ(p->LowAlarm, 3.5);

  // A revisit offers the stored charge alarm; unticked, the alarm is dropped.
  d.Back();
  d.Back();
  d.Next();
  d.Next();
  ASSERT_EQ(d.Id(), Id::Discharge);
  EXPECT_TRUE(d.Page().WalkThru.Checked);
  d.Tick(TWalkBox::WalkThru, false);
  d.Next();
  EXPECT_EQ(d.Id(), Id::StringSensors);
  EXPECT_DOUBLE_EQ(p->LowAlarm, -1);
}

TEST(WalkChecks, HighTemperatureAgainstLow) {
  {  // equal to the low limit: refused
    TWalkDriver d;
    ToHighTemperature(d, "20");
    d.services.messages.beeps.clear();
    d.Answer("20");
    EXPECT_EQ(d.Id(), Id::HighTemperature);
    EXPECT_EQ(d.services.messages.beeps, std::vector<TBeepKind>{TBeepKind::Exclamation});
    const std::vector<std::string> expected = {
        "*Error : High limit not above low limit.*", "",
        "*High *temperature limit must be *ABOVE* the low temperature limit (currently 20 degrees C)",
        "",
        "Either set the high limit higher here, or go back and lower the low limit before setting "
        "the high limit."};
    EXPECT_EQ(d.text.lines, expected);
    EXPECT_DOUBLE_EQ(d.String(0, 0)->GetTemperature(0)->HighAlarm, -1);
    d.Answer("20.5");
    EXPECT_EQ(d.Id(), Id::BatteryVerify);
    EXPECT_DOUBLE_EQ(d.String(0, 0)->GetTemperature(0)->HighAlarm, 20.5);
  }
  {  // no low limit: a high limit alone is accepted
    TWalkDriver d;
    ToHighTemperature(d, "");
    EXPECT_DOUBLE_EQ(d.String(0, 0)->GetTemperature(0)->LowAlarm, -1);
    d.Answer("40");
    EXPECT_EQ(d.Id(), Id::BatteryVerify);
  }
  {  // both blank: asks first, then stores no limit
    TWalkDriver d;
    ToHighTemperature(d, "");
    d.engine.UserChangedNumber("");
    d.Next();
    EXPECT_EQ(d.Id(), Id::HighTemperature);
    EXPECT_TRUE(d.TextHas("You have chosen to have a temperature sensor that has no alarms."));
    EXPECT_TRUE(d.TextHas("If you *REALLY DON'T* want this temperature sensor to trigger an alarm"));
    d.Next();
    EXPECT_EQ(d.Id(), Id::BatteryVerify);
    EXPECT_DOUBLE_EQ(d.String(0, 0)->GetTemperature(0)->HighAlarm, -1);
  }
}

TEST(WalkChecks, HighVoltageAgainstLowAsStored) {
  TWalkDriver d;
  ToLowVoltage(d);
  d.Answer("0.1");
  ASSERT_EQ(d.Id(), Id::HighVoltage);
  // 0.1 typed twice is the same stored double: refused.
  d.Answer("0.1");
  EXPECT_EQ(d.Id(), Id::HighVoltage);
  ASSERT_EQ(d.text.lines.size(), 5u);
  EXPECT_EQ(d.text.lines[0], "*Error : High limit not above low limit.*");
  EXPECT_EQ(d.text.lines[1],
            "High voltage limit must be ABOVE low voltage limit (currently 0.1 volts)");
  EXPECT_EQ(d.text.lines[4],
            "Either set the high limit higher here, or go back and lower the low limit before "
            "setting the high limit.");
  // A blank high voltage is accepted without asking.
  d.engine.UserChangedNumber("");
  d.Next();
  EXPECT_EQ(d.Id(), Id::LowOhmic);
  for (int i = 0; i < 4; ++i) {
    EXPECT_DOUBLE_EQ(d.String(0, 0)->GetCell(i)->LowAlarm, 0.1);
    EXPECT_DOUBLE_EQ(d.String(0, 0)->GetCell(i)->HighAlarm, -1);
  }
  d.Answer("2");
  d.Answer("1.5");
  EXPECT_EQ(d.Id(), Id::HighOhmic);
  EXPECT_TRUE(d.TextHas(
      "High internal ohmic-value limit must be ABOVE low internal ohmic-value limit (currently 2 mOhms)"));
  d.Answer("2.5");
  EXPECT_DOUBLE_EQ(d.String(0, 0)->GetCell(2)->HighResistance, 2.5);
}

TEST(WalkChecks, BlankLowVoltageAsksThenStoresNoLimit) {
  TWalkDriver d;
  ToLowVoltage(d);
  ASSERT_TRUE(d.Page().Number.IsBlank());
  d.Next();
  EXPECT_EQ(d.Id(), Id::LowVoltage);
  const std::vector<std::string> expected = {
      "*Warning : Are you sure you do not want a low voltage alarm limit?*", "",
      "Set the low limit here or leave the area blank to *NOT* have a low voltage limit."};
  EXPECT_EQ(d.text.lines, expected);
  EXPECT_EQ(d.services.messages.beeps, std::vector<TBeepKind>{TBeepKind::Question});
  d.Next();
  EXPECT_EQ(d.Id(), Id::HighVoltage);
  EXPECT_DOUBLE_EQ(d.String(0, 0)->GetCell(0)->LowAlarm, -1);
  EXPECT_TRUE(d.Page().Number.IsBlank());  // no low voltage: no HV suggestion
}

TEST(WalkChecks, BatteryProbeAndEmptyStringChecks) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("B");
  d.Answer("2");
  d.Answer("S1");
  d.Answer("0");
  d.AnswerCheck(false);
  d.Answer("1");
  d.NextUntil(Id::StringName);
  d.Answer("S2");
  d.Answer("0");
  ASSERT_EQ(d.Id(), Id::StringProbe);
  d.AnswerCheck(false);
  // The last string without a probe leaves the battery without one.
  EXPECT_EQ(d.Id(), Id::StringProbe);
  EXPECT_TRUE(d.TextHas("*Every battery must have at least one string with a current probe!*"));
  EXPECT_EQ(d.text.lines.front(), "StringCurrentProbeCheck");
  EXPECT_EQ(d.services.messages.beeps.back(), TBeepKind::Exclamation);
  d.AnswerCheck(true);
  ASSERT_EQ(d.Id(), Id::Discharge);
  d.Answer("10");
  d.Answer("0");  // a probe is something: accepted
  EXPECT_EQ(d.Id(), Id::BatteryVerify);

  // A string with nothing on it is refused at its sensor count.
  TWalkDriver e;
  e.Next();
  e.Answer("1");
  e.Tick(TWalkBox::Genset, true);
  e.Answer("G");
  e.Answer("1");
  e.Answer("S");
  e.Answer("0");
  e.AnswerCheck(false);  // a genset kit needs no probe
  ASSERT_EQ(e.Id(), Id::StringSensors);
  e.Answer("0");
  EXPECT_EQ(e.Id(), Id::StringSensors);
  EXPECT_EQ(e.text.lines.front(),
            "*There must be something (current probe, temperature sensor and/or monitored cells) "
            "on a string!*");
  EXPECT_EQ(e.text.lines.size(), 5u);
  e.Answer("1");
  EXPECT_EQ(e.Id(), Id::SensorName);
}

TEST(WalkChecks, NamesBlankCommaAndTrimmed) {
  TWalkDriver d;
  d.Next();
  d.Answer("1");
  d.Answer("   ");
  EXPECT_EQ(d.Battery(0)->Name(), "Battery: 1");
  d.Back();
  d.Answer("  North, East ");
  EXPECT_EQ(d.Id(), Id::BatteryName);
  EXPECT_TRUE(d.TextHas("*A name cannot contain a comma.*"));
  EXPECT_EQ(d.Battery(0)->Name(), "Battery: 1");
  d.Answer("  North East ");
  EXPECT_EQ(d.Battery(0)->Name(), "North East");
  d.Answer("1");
  d.Answer("a,b");
  EXPECT_EQ(d.Id(), Id::StringName);
  EXPECT_EQ(d.String(0, 0)->Name(), "String: 1");
  // A character the configuration file cannot hold is refused too.
  d.Answer("\xCE\xA9 1");
  EXPECT_EQ(d.Id(), Id::StringName);
  EXPECT_TRUE(d.TextHas("\"\xCE\xA9\""));
  EXPECT_EQ(d.String(0, 0)->Name(), "String: 1");
  d.Answer("S\xC3\xBC" "d");
  EXPECT_EQ(d.String(0, 0)->Name(), "S\xC3\xBC" "d");
}

TEST(WalkChecks, HiddenBoxesDoNotWriteTheirStaleState) {
  TWalkDriver d;
  d.Next();
  d.Answer("2");
  d.Next();
  d.NextUntil(Id::BatteryName);  // battery 2
  ASSERT_EQ(d.engine.BatteryIndex(), 1);
  d.Tick(TWalkBox::ForceNewCU, true);
  d.Back();  // battery 1: the force box is not on its page
  ASSERT_EQ(d.engine.BatteryIndex(), 0);
  EXPECT_FALSE(d.Page().ForceNewCU.Visible);
  d.Next();
  EXPECT_FALSE(d.Battery(0)->ForceNewControlUnit);
  EXPECT_FALSE(d.Battery(1)->ForceNewControlUnit);
}

TEST(WalkChecks, DegreeBoxesFollowEachOther) {
  TWalkDriver d;
  ToHighTemperature(d, "10");
  EXPECT_TRUE(d.Page().Fahrenheit.Visible);
  EXPECT_TRUE(d.Page().DegreeLabelsVisible);
  EXPECT_TRUE(d.Page().Number.IsBlank());
  EXPECT_TRUE(d.Page().Fahrenheit.IsBlank());
  EXPECT_EQ(d.Page().Focus, TWalkFocus::Number);
  d.engine.UserChangedNumber("2");  // exactly 2 blanks F
  EXPECT_TRUE(d.Page().Fahrenheit.IsBlank());
  d.engine.UserChangedNumber("30");
  EXPECT_EQ(d.Page().Fahrenheit.Text, "86");
  EXPECT_EQ(d.engine.LastTemperatureEntry(), TWalkFocus::Number);
  d.engine.UserChangedFahrenheit("104");
  EXPECT_EQ(d.Page().Number.Text, "40");
  EXPECT_EQ(d.engine.LastTemperatureEntry(), TWalkFocus::Fahrenheit);
  d.engine.UserChangedFahrenheit("33.5");  // below 34 blanks C
  EXPECT_TRUE(d.Page().Number.IsBlank());

  // The low limit page, shown again, brings F in line and focuses the box typed in last.
  d.Back();
  ASSERT_EQ(d.Id(), Id::LowTemperature);
  EXPECT_EQ(d.Page().Number.Text, "10");
  EXPECT_EQ(d.Page().Fahrenheit.Text, "50");
  EXPECT_EQ(d.Page().Focus, TWalkFocus::Fahrenheit);
  d.engine.UserChangedFahrenheit("33");  // stored as no limit
  d.Next();
  EXPECT_DOUBLE_EQ(d.String(0, 0)->GetTemperature(0)->LowAlarm, -1);
  d.engine.UserChangedFahrenheit("122");
  d.Next();
  EXPECT_DOUBLE_EQ(d.String(0, 0)->GetTemperature(0)->HighAlarm, 50);
}

TEST(WalkChecks, CurrentScalingButtonFollowsTheRating) {
  TWalkDriver d;
  int runs = 0;
  d.engine.RunCurrentScaling = [&](TCurrentScalingCalculator& c) {
    ++runs;
    c.SetProbeCurrent(2500);
    return true;
  };
  ToDischarge(d);
  d.engine.CurrentScalingClick();  // blank box follows: 5 % of 2500
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(d.Page().Number.Text, "125");
  EXPECT_EQ(d.Page().CurrentScalingCaption, "Change current scaling");
  EXPECT_EQ(d.String(0, 0)->GetCurrent(0)->Scaling.GetScaledCurrent(), 2500);

  d.engine.RunCurrentScaling = [](TCurrentScalingCalculator& c) {
    c.SetProbeCurrent(1000);
    return true;
  };
  d.engine.CurrentScalingClick();  // 2500 / 125 = 20: still follows
  EXPECT_EQ(d.Page().Number.Text, "50");
  EXPECT_EQ(d.Page().CurrentScalingCaption, "Set current scaling");

  d.Type("60");  // the user's own value stays
  d.engine.RunCurrentScaling = [](TCurrentScalingCalculator& c) {
    c.SetProbeCurrent(2500);
    return true;
  };
  d.engine.CurrentScalingClick();
  EXPECT_EQ(d.Page().Number.Text, "60");

  d.Type("0");  // no ratio to a box of 0: left alone, no failure
  d.engine.CurrentScalingClick();
  EXPECT_EQ(d.Page().Number.Text, "0");

  d.engine.UserChangedNumber("");
  d.engine.RunCurrentScaling = [](TCurrentScalingCalculator& c) {
    c.SetProbeCurrent(4000);
    return false;  // cancelled: nothing changes
  };
  d.engine.CurrentScalingClick();
  EXPECT_TRUE(d.Page().Number.IsBlank());
}

TEST(WalkChecks, SpinAlarmBlankAndNegative) {
  TWalkNumberBox box{"", 0, 60, false, true};
  TSpinAlarm alarm = TSpinAlarm::CreateFor(box);
  EXPECT_EQ(alarm.GetAlarmValue(), -1);
  alarm.SetAlarmValue(12.5L);
  EXPECT_EQ(box.Text, "12.5");
  EXPECT_EQ(alarm.GetAlarmValue(), 12.5L);
  alarm.SetAlarmValue(-3);
  EXPECT_TRUE(box.IsBlank());
  box.Text = "75";  // kept within the range
  EXPECT_EQ(alarm.GetAlarmValue(), 60);
  box.Text = " ";
  EXPECT_EQ(alarm.GetAlarmValue(), -1);
}

TEST(WalkChecks, NumberOutsideTheBoxRangeOrNoNumberIsRefusedAndNothingStored) {
  struct TCase {
    const char* text;
    const char* message;
  };
  auto expectRefused = [](TWalkDriver& d, const TCase& c) {
    const TWalkPageId page = d.Id();
    d.services.messages.messages.clear();
    d.Answer(c.text);
    EXPECT_EQ(d.Id(), page) << c.text;
    ASSERT_EQ(d.services.messages.messages.size(), 1u) << c.text;
    EXPECT_EQ(d.services.messages.messages[0].kind, TMsgKind::Error);
    EXPECT_EQ(d.services.messages.LastText(), c.message) << c.text;
    EXPECT_EQ(d.Page().Focus, TWalkFocus::Number);
  };

  TWalkDriver channels;
  channels.Next();
  channels.Answer("1");
  channels.Answer("B");
  channels.Answer("1");
  channels.Answer("S");
  ASSERT_EQ(channels.Id(), Id::StringChannels);
  for (const char* text : {"99999", "-1", "", "-"})
    expectRefused(channels, {text, "The value mut be between 0 and 4000, inclusive."});
  EXPECT_EQ(channels.String(0, 0)->CellCount(), 0);
  channels.Answer("4000");
  EXPECT_EQ(channels.String(0, 0)->CellCount(), 4000);

  TWalkDriver voltage;
  ToLowVoltage(voltage);
  for (const char* text : {"-", "99999", "60.5", "."})
    expectRefused(voltage, {text, "The value mut be between 0 and 60, inclusive."});
  EXPECT_DOUBLE_EQ(voltage.String(0, 0)->GetCell(0)->LowAlarm, -1);
  voltage.Answer("60");
  EXPECT_DOUBLE_EQ(voltage.String(0, 0)->GetCell(0)->LowAlarm, 60);

  TWalkDriver sensors;
  ToDischarge(sensors);
  sensors.Answer("20");
  ASSERT_EQ(sensors.Id(), Id::StringSensors);
  expectRefused(sensors, {"7", "The value mut be between 0 and 4, inclusive."});
  EXPECT_EQ(sensors.String(0, 0)->TemperatureCount(), 0);

  // A degrees F value is mirrored as it is, and refused by the range of degrees C.
  sensors.Answer("1");
  sensors.Answer("Pilot");
  ASSERT_EQ(sensors.Id(), Id::LowTemperature);
  sensors.engine.UserChangedFahrenheit("250");
  EXPECT_EQ(sensors.Page().Number.Text.substr(0, 6), "121.11");
  sensors.services.messages.messages.clear();
  sensors.Next();
  EXPECT_EQ(sensors.Id(), Id::LowTemperature);
  EXPECT_EQ(sensors.services.messages.LastText(), "The value mut be between 2 and 80, inclusive.");
  EXPECT_DOUBLE_EQ(sensors.String(0, 0)->GetTemperature(0)->LowAlarm, -1);
}
