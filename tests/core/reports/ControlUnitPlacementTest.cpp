// Placement of strings on control units and the hardware list made from it.
#include <gtest/gtest.h>

#include "ReportsFixture.h"

TEST_F(Reports, FourStringsOfFortyChannelsShareOneControlUnit) {
  Build({2, 2});
  for (int b = 0; b < 2; ++b)
    for (int s = 0; s < 2; ++s) Equip(S(b, s), 1, 1, 40);
  AllocateControlUnits(system, table);

  ASSERT_GE(table.size(), 1u);
  for (int b = 0; b < 2; ++b)
    for (int s = 0; s < 2; ++s) EXPECT_EQ(S(b, s)->ControlUnit(), 0);
  EXPECT_EQ(table[0].ProbeCount(), 4);
  EXPECT_EQ(table[0].SensorCount(), 4);
  EXPECT_EQ(table[0].DcmCount(), 40);
  EXPECT_EQ(table[0].Sections[1].StringNode, S(0, 1));

  WriteHardwareList(area, table);
  EXPECT_EQ(Lines(0, 9), (Strings{"*This system requires the following hardware:*",
                                   "1 Battery Monitoring Unit", "1 Control Unit",
                                   "4 Current Probes", "4 Temperature Sensors", "40 DCMs", "",
                                   "*This hardware should be connected as follows:*",
                                   "<red>*Control unit #1*</red>"}));
  EXPECT_TRUE(Has("Probe #4 -  Battery: 2 String: 2"));
  EXPECT_TRUE(Has("Temp #3 -  Temperature 1 from Battery: 2 String: 1"));
  EXPECT_TRUE(Has("DCM #1 to DCM #10 is Battery: 1 String: 1"));
  EXPECT_TRUE(Has("DCM #11 to DCM #20 is Battery: 1 String: 2"));
  EXPECT_TRUE(Has("DCM #31 to DCM #40 is Battery: 2 String: 2"));
  EXPECT_FALSE(Has("<red>*Control unit #2*</red>"));
}

TEST_F(Reports, FullInputsStartTheNextControlUnitAndOldRecordsAreCleared) {
  Build({5});
  for (int s = 0; s < 4; ++s) Equip(S(0, s), 1, s == 0 ? 0 : 1, 4);
  Equip(S(0, 4), 1, 0, 4);  // the fifth probe
  AllocateControlUnits(system, table);
  EXPECT_EQ(S(0, 3)->ControlUnit(), 0);
  EXPECT_EQ(S(0, 4)->ControlUnit(), 1);
  EXPECT_EQ(table[1].Probes[0], S(0, 4)->GetCurrent(0));

  // Without its probe the fifth string fits; nothing of the second unit remains.
  S(0, 4)->SetCurrentCount(0);
  S(0, 4)->SetTemperatureCount(1);
  AllocateControlUnits(system, table);
  EXPECT_EQ(S(0, 4)->ControlUnit(), 0);
  EXPECT_FALSE(table[1].Used);
  EXPECT_EQ(table[1].Probes[0], nullptr);

  // Two more sensors would make five.
  S(0, 4)->SetTemperatureCount(2);
  AllocateControlUnits(system, table);
  EXPECT_EQ(S(0, 4)->ControlUnit(), 1);
  WriteHardwareList(area, table);
  EXPECT_TRUE(Has("2 Control Units"));
  EXPECT_TRUE(Has("*No current probes are configured for use on this control unit*"));
}

TEST_F(Reports, DCMLimitOf255) {
  Build({3});
  Equip(S(0, 0), 0, 0, 1000);  // 250 DCMs
  Equip(S(0, 1), 0, 0, 20);    // 255 exactly
  Equip(S(0, 2), 0, 0, 1);     // one more
  AllocateControlUnits(system, table);
  EXPECT_EQ(S(0, 1)->ControlUnit(), 0);
  EXPECT_EQ(table[0].DcmCount(), 255);
  EXPECT_EQ(S(0, 2)->ControlUnit(), 1);
  EXPECT_EQ(table[1].DcmCount(), 1);
}

TEST_F(Reports, SubStringsAndNullChannelsCountInDCMs) {
  Build({2});
  Equip(S(0, 0), 1, 0, 9);
  EXPECT_EQ(DCMsNeededBy(*S(0, 0)), 3);
  S(0, 0)->SetSubStringsEnabled(true);
  S(0, 0)->SetSubStringCells(0, 5);
  S(0, 0)->SetSubStringCells(1, 4);
  EXPECT_EQ(DCMsNeededBy(*S(0, 0)), 3);  // 2 + 1

  Equip(S(0, 1), 0, 0, 8);
  S(0, 1)->GetCell(3)->NullCount = 1;  // 9 channels
  EXPECT_EQ(DCMsNeededBy(*S(0, 1)), 3);

  AllocateControlUnits(system, table);
  WriteHardwareList(area, table);
  EXPECT_TRUE(Has("DCM #1 to DCM #2 is Battery: 1 String: 1 sub-string #1"));
  EXPECT_TRUE(Has("DCM #3 to DCM #3 is Battery: 1 String: 1 sub-string #2"));
  EXPECT_TRUE(Has("DCM #4 to DCM #6 is Battery: 1 String: 2"));
  EXPECT_TRUE(Has("6 DCMs"));
}

TEST_F(Reports, ForceFlagsStartANewControlUnitExceptOnTheFirstString) {
  Build({2, 2});
  for (int b = 0; b < 2; ++b)
    for (int s = 0; s < 2; ++s) Equip(S(b, s), 0, 0, 4);
  system.GetBattery(0)->ForceNewControlUnit = true;
  S(0, 0)->ForceNewControlUnit = true;
  AllocateControlUnits(system, table);
  for (int b = 0; b < 2; ++b)
    for (int s = 0; s < 2; ++s) EXPECT_EQ(S(b, s)->ControlUnit(), 0) << b << s;

  S(0, 1)->ForceNewControlUnit = true;              // a later string
  system.GetBattery(1)->ForceNewControlUnit = true;  // only its first string
  AllocateControlUnits(system, table);
  EXPECT_EQ(S(0, 0)->ControlUnit(), 0);
  EXPECT_EQ(S(0, 1)->ControlUnit(), 1);
  EXPECT_EQ(S(1, 0)->ControlUnit(), 2);
  EXPECT_EQ(S(1, 1)->ControlUnit(), 2);
}

TEST_F(Reports, SurplusProbesAndSensorsGetNoInputAndAreNamed) {
  Build({2});
  Equip(S(0, 0), 6, 5, 4);
  Equip(S(0, 1), 1, 0, 4);
  AllocateControlUnits(system, table);
  EXPECT_EQ(table[0].ProbeCount(), 4);
  EXPECT_EQ(table[0].SensorCount(), 4);
  EXPECT_EQ(table[0].Probes[3], S(0, 0)->GetCurrent(3));
  EXPECT_EQ(S(0, 1)->ControlUnit(), 1);
  ASSERT_EQ(UnconnectedProbes(*S(0, 0), table).size(), 2u);
  EXPECT_EQ(UnconnectedProbes(*S(0, 0), table)[0], S(0, 0)->GetCurrent(4));
  EXPECT_TRUE(UnconnectedProbes(*S(0, 1), table).empty());

  WriteBatteryDescription(system, *system.GetBattery(0), area, table);
  EXPECT_TRUE(Has("<red>*    Current 6 is NOT connected: Control Unit #1 has only 4 current "
                  "probe inputs.*</red>"));
  EXPECT_TRUE(Has("<red>*    Temperature 5 is NOT connected: Control Unit #1 has only 4 "
                  "temperature sensor inputs.*</red>"));
  EXPECT_FALSE(Has("<red>*    Current 4 is NOT connected: Control Unit #1 has only 4 current "
                   "probe inputs.*</red>"));
}

TEST_F(Reports, MoreThan32SectionsStartANewControlUnit) {
  Build({33});
  for (int s = 0; s < 33; ++s) Equip(S(0, s), 0, 0, 4);
  AllocateControlUnits(system, table);
  EXPECT_EQ(S(0, 31)->ControlUnit(), 0);
  EXPECT_EQ(S(0, 32)->ControlUnit(), 1);

  // One string of 40 sub-strings stays whole; its tail shares the last entry.
  Build({1});
  S(0, 0)->SetSubStringCount(40);
  for (int k = 0; k < 40; ++k) S(0, 0)->SetSubStringCells(k, 4);
  AllocateControlUnits(system, table);
  EXPECT_EQ(table[0].SectionCount(), 32);
  EXPECT_EQ(table[0].DcmCount(), 40);
  WriteHardwareList(area, table);
  EXPECT_TRUE(Has("DCM #31 to DCM #31 is Battery: 1 String: 1 sub-string #31"));
  EXPECT_TRUE(Has("DCM #32 to DCM #40 is Battery: 1 String: 1 sub-strings #32 to #40"));
  EXPECT_TRUE(Has("40 DCMs"));
}

TEST_F(Reports, SectionsWithoutChannelsDoNotStopTheDCMList) {
  Build({2});
  Equip(S(0, 0), 1, 0, 0);  // a probe only
  Equip(S(0, 1), 0, 0, 12);
  S(0, 1)->SetSubStringCount(3);
  S(0, 1)->SetSubStringCells(0, 4);
  S(0, 1)->SetSubStringCells(1, 0);
  S(0, 1)->SetSubStringCells(2, 8);
  AllocateControlUnits(system, table);
  EXPECT_EQ(S(0, 0)->ControlUnit(), 0);
  WriteHardwareList(area, table);
  EXPECT_TRUE(Has("DCM #1 to DCM #1 is Battery: 1 String: 2 sub-string #1"));
  EXPECT_TRUE(Has("DCM #2 to DCM #3 is Battery: 1 String: 2 sub-string #3"));
  EXPECT_FALSE(Has("*No DCMs are configured for use on this control unit*"));
  EXPECT_TRUE(Has("3 DCMs"));
}

TEST_F(Reports, HardwareListCountsAndUnusedInputs) {
  WriteHardwareList(area, table);  // nothing placed
  EXPECT_TRUE(Has("0 Control Units"));
  EXPECT_TRUE(Has("0 DCMs"));

  Build({1});
  Equip(S(0, 0), 2, 1, 1);
  AllocateControlUnits(system, table);
  WriteHardwareList(area, table);
  EXPECT_TRUE(Has("1 Control Unit"));
  EXPECT_TRUE(Has("1 Temperature Sensor"));
  EXPECT_TRUE(Has("1 DCM"));
  EXPECT_TRUE(Has("Probe #2 -  Battery: 1 String: 1"));
  EXPECT_TRUE(Has("Probe #3 - <navy>Unused</navy>"));
  EXPECT_TRUE(Has("Probe #4 - <navy>Unused</navy>"));
  EXPECT_TRUE(Has("Temp #2 - <navy>Unused</navy>"));
}

TEST(ReportTitles, DateAndTitles) {
  EXPECT_EQ(ReportDateText(2026, 3, 7, '-'), "03-07-2026");
  EXPECT_EQ(BatteryReportTitle("Battery: North", "03/07/2026"),
            "Configuration Wizard - Battery: North - 03/07/2026");
  EXPECT_EQ(HardwareReportTitle("03/07/2026"), "Configuration Wizard - Hardware Setup -03/07/2026");
}
