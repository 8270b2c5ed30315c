// The configuration text of one battery.
#include <gtest/gtest.h>

#include "ReportsFixture.h"

namespace {
void SetLimits(TzmUPSStringSystemNode* s, double low, double high, double lowR, double highR) {
  for (int i = 0; i < s->CellCount(); ++i) {
    s->GetCell(i)->LowAlarm = low;
    s->GetCell(i)->HighAlarm = high;
    s->GetCell(i)->LowResistance = lowR;
    s->GetCell(i)->HighResistance = highR;
  }
}

std::string RedBold(const std::string& text) { return "<red>*" + text + "*</red>"; }
}  // namespace

TEST_F(Reports, DescriptionOfAOneStringBattery) {
  Build({1});
  system.GetBattery(0)->SetName("Battery: North");
  TzmUPSStringSystemNode* s = S(0, 0);
  Equip(s, 1, 1, 4);
  SetLimits(s, 1.625, 2.4, 1.8, 6);  // 4 x 1.625 = 6.5, rounds to 6
  s->GetCell(1)->NullCount = 1;
  s->GetCurrent(0)->HighAlarm = 50;
  s->GetCurrent(0)->LowAlarm = 2.5;
  s->GetTemperature(0)->LowAlarm = 10;
  s->GetTemperature(0)->HighAlarm = 32.5;
  AllocateControlUnits(system, table);
  WriteBatteryDescription(system, *system.GetBattery(0), area, table);

  const Strings expected = {
      "*_Battery Configuration_*",
      "",
      "Battery name : *North*",
      "Battery current count     = 1",
      "Battery temperature count = 1",
      "Battery: North has 1 string :",
      "",
      RedBold("******** The following is connected to Control Unit #1"),
      "",
      "*String #1*",
      "    String name : *1*",
      "    Nominal string voltage = 6 Volts",
      "    String: 1 does have a current probe.",
      "    String: 1 is considered to be discharging if the output current more than is 50 amps.",
      "    String: 1 will alarm if the charging current is less than 2.5 amps.",
      "    String: 1 has 1 temperature sensor.",
      "        Temperature 1 alarms below 10\u00B0C (50\u00B0F) and above 32.5\u00B0C (90.5\u00B0F).",
      "    String: 1 has 4 monitored channels",
      "        Cells alarm when the voltage is below 1.625 or above 2.4 volts.",
      "        Cells alarm when the internal ohmic-value is below 1.8 or above 6 milliohms.",
      "",
      "        There is an inter-tier link after Cell 2.",
  };
  EXPECT_EQ(area.lines, expected);
}

TEST_F(Reports, DegreesFahrenheitAreRoundedOnceFromTheExtendedValue) {
  // -18.18 and -17.32 degrees C make -0.7239999999999994884... and 0.8239999999999994884...
  // degrees F; taken through a double first they would read -0.724 and 0.824.
  Build({1});
  Equip(S(0, 0), 0, 1, 0);
  S(0, 0)->GetTemperature(0)->LowAlarm = -18.18;
  S(0, 0)->GetTemperature(0)->HighAlarm = -17.32;
  AllocateControlUnits(system, table);
  WriteBatteryDescription(system, *system.GetBattery(0), area, table);
  EXPECT_TRUE(Has("        Temperature 1 alarms below -18.18\u00B0C (-0.723999999999999\u00B0F) and above "
                  "-17.32\u00B0C (0.823999999999999\u00B0F)."));
}

TEST_F(Reports, DescriptionVariants) {
  Build({3});
  TzmUPSBatterySystemNode* b = system.GetBattery(0);
  b->Genset = true;
  b->VoltageOnly = true;
  Equip(S(0, 0), 1, 2, 0);  // no channels, discharge limit left unset
  Equip(S(0, 1), 0, 0, 6);
  S(0, 1)->SetSubStringsEnabled(true);
  Equip(S(0, 2), 0, 0, 2);
  S(0, 1)->Number = S(0, 1)->NewJoinNumber();
  S(0, 2)->Number = S(0, 1)->Number;  // joined: the third string continues the second
  AllocateControlUnits(system, table);
  WriteBatteryDescription(system, *b, area, table);

  EXPECT_TRUE(Has("Battery is a genset kit"));
  EXPECT_TRUE(Has("Battery monitors only battery voltage"));
  EXPECT_TRUE(Has("Battery: 1 has 3 strings :"));
  EXPECT_TRUE(Has("    String: 1 is considered to be discharging if the output current more "
                  "than is -1 amps."));
  EXPECT_FALSE(Has("    String: 1 will alarm if the charging current is less than -1 amps."));
  EXPECT_TRUE(Has("    String: 1 has 2 temperature sensors."));
  EXPECT_TRUE(Has("        Temperature 2 alarms below -1\u00B0C (30.2\u00B0F) and above "
                  "-1\u00B0C (30.2\u00B0F)."));
  EXPECT_TRUE(Has("    String: 1 does not have any monitored channels."));
  EXPECT_TRUE(Has("    Nominal string voltage = -6 Volts"));  // six unset low limits
  EXPECT_TRUE(Has("    String: 2 does not have a current probe."));
  EXPECT_TRUE(Has("    String: 2 does not have a temperature sensor."));
  EXPECT_TRUE(Has("    String: 2 has 6 monitored channels in 2 sub-strings [3, 3]"));
  EXPECT_TRUE(Has("*String #3** - continuation of previous string*"));
  EXPECT_TRUE(Has("    This section of String: 3 has 2 monitored channels."));
  EXPECT_FALSE(Has("    String name : *3*"));
  for (const auto& line : area.lines)
    EXPECT_EQ(line.find("ohmic-value"), std::string::npos) << line;
}

TEST_F(Reports, SecondBatteryContinuesOrStartsAControlUnit) {
  Build({1, 2});
  for (auto [b, s] : {std::pair{0, 0}, {1, 0}, {1, 1}}) Equip(S(b, s), 1, 0, 8);
  AllocateControlUnits(system, table);
  WriteBatteryDescription(system, *system.GetBattery(1), area, table);
  ASSERT_GE(area.lines.size(), 2u);
  EXPECT_EQ(area.lines[0], RedBold("******** Continuing on Control Unit #1"));
  EXPECT_EQ(area.lines[1], "");
  for (const auto& line : area.lines)
    EXPECT_EQ(line.find("The following is connected"), std::string::npos) << line;

  system.GetBattery(1)->ForceNewControlUnit = true;
  AllocateControlUnits(system, table);
  WriteBatteryDescription(system, *system.GetBattery(1), area, table);
  EXPECT_EQ(area.lines[0], "*_Battery Configuration_*");
  EXPECT_TRUE(Has(RedBold("******** The following is connected to Control Unit #2")));
}
