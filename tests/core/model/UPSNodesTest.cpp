#include <gtest/gtest.h>

#include "RecordingTreeControl.h"
#include "common/ZMFormat.h"
#include "model/ZMUPSTreeSystem.h"

using Calls = std::vector<std::string>;

namespace {
struct OneString : ::testing::Test {
  TRecordingTreeControl view;  // outlives the system whose rows it may show
  TzmUPSSystem system;
  TzmUPSBatterySystemNode* battery = nullptr;
  TzmUPSStringSystemNode* string = nullptr;
  void SetUp() override {
    system.SetBatteryCount(1);
    battery = system.GetBattery(0);
    battery->SetChildCount(1);
    string = battery->GetString(0);
  }
};
}  // namespace

TEST(UPSNodes, NewSystemBuildsNamedBatteriesStringsAndGroups) {
  TzmUPSSystem system;
  EXPECT_EQ(system.Root()->GetText(), "UPS - BMU");
  EXPECT_EQ(system.BMU()->CommPort, 1);
  EXPECT_FALSE(system.AllBatteriesSame);
  system.SetBatteryCount(2);
  ASSERT_EQ(system.BatteryCount(), 2);
  TzmUPSBatterySystemNode* battery = system.GetBattery(1);
  EXPECT_EQ(battery->Name(), "Battery: 2");
  EXPECT_EQ(battery->GetShortName(), "2");

  battery->SetChildCount(1);
  TzmUPSStringSystemNode* string = battery->GetString(0);
  ASSERT_NE(string, nullptr);
  EXPECT_EQ(string->Name(), "String: 1");
  EXPECT_EQ(string->GetShortName(), "1");
  ASSERT_EQ(string->ChildCount(), 3);
  EXPECT_EQ(string->GetChild(0)->Name(), "Currents");
  EXPECT_EQ(string->GetChild(1)->Name(), "Temps");
  EXPECT_EQ(string->GetChild(2)->Name(), "Cells");
  EXPECT_EQ(string->GetChild(0)->GetText(), "Currents : 0");
  EXPECT_EQ(string->GetChild(1)->GetText(), "Temperatures : 0");
  EXPECT_EQ(string->GetChild(2)->GetText(), "Cells : 0");

  // Adding to a string again keeps its three groups.
  EXPECT_EQ(string->AddChild(), string->CellsGroup());
  EXPECT_EQ(string->ChildCount(), 3);
  EXPECT_EQ(string->GetCell(0), nullptr);
  EXPECT_EQ(battery->GetString(1), nullptr);
  EXPECT_EQ(battery->GetString(-1), nullptr);
  EXPECT_THROW(system.GetBattery(2), EzmListIndexError);
}

TEST(UPSNodes, ShortNamesTakeTheTextAfterTheFirstMarker) {
  TzmUPSBatterySystemNode battery;
  battery.SetName("Main Battery: Battery: A");
  EXPECT_EQ(battery.GetShortName(), "Battery: A");
  battery.SetName("North");
  EXPECT_EQ(battery.GetShortName(), "North");
  TzmUPSStringSystemNode string;
  string.SetName("x String: 7");
  EXPECT_EQ(string.GetShortName(), "7");
}

TEST(UPSNodes, DefaultNamesReuseGaps) {
  TzmUPSSystem system;
  system.SetBatteryCount(3);
  system.GetBattery(1)->Delete();
  system.BMU()->AddChild();
  EXPECT_EQ(system.GetBattery(2)->Name(), "Battery: 2");
}

TEST_F(OneString, GrowingAGroupAtOnceNamesCellsAsAddingThemOneByOne) {
  // Gaps, a name out of the pattern, a leading zero and a number beyond the count.
  auto prepare = [](TzmUPSStringSystemNode* target) {
    target->SetCellCount(6);
    TzmSystemNode* cells = target->CellsGroup();
    cells->GetChild(1)->SetName("Cell 01");
    cells->GetChild(3)->SetName("Top");
    cells->GetChild(5)->SetName("Cell 9");
    return cells;
  };
  battery->SetChildCount(2);
  TzmSystemNode* grownAtOnce = prepare(string);
  TzmSystemNode* oneByOne = prepare(battery->GetString(1));

  grownAtOnce->SetChildCount(12);
  for (int i = 6; i < 12; ++i) oneByOne->AddChild();
  std::vector<std::string> grown, added;
  for (int i = 0; i < 12; ++i) {
    grown.push_back(grownAtOnce->GetChild(i)->Name());
    added.push_back(oneByOne->GetChild(i)->Name());
  }
  EXPECT_EQ(grown, added);
  EXPECT_EQ(grown[6], "Cell 2");
  EXPECT_EQ(grown[11], "Cell 10");
}

TEST_F(OneString, BatteryTextShowsFlagsCountAndSortedControlUnits) {
  EXPECT_EQ(battery->GetText(), "Strings = 1");
  battery->SetChildCount(3);
  battery->Genset = true;
  battery->VoltageOnly = true;
  EXPECT_EQ(battery->GetText(), "GS, VO, Strings = 3");
  battery->GetString(0)->SetControlUnit(2);
  battery->GetString(1)->SetControlUnit(0);
  battery->GetString(2)->SetControlUnit(2);
  EXPECT_EQ(battery->GetText(), "GS, VO, Strings = 3, CU#1, 3");
  battery->Genset = false;
  battery->GetString(1)->SetControlUnit(32);  // outside the 32 units: not listed
  EXPECT_EQ(battery->GetText(), "VO, Strings = 3, CU#3");
}

TEST_F(OneString, StringTextShowsCountsSubStringsAndControlUnit) {
  string->SetCurrentCount(1);
  string->SetTemperatureCount(2);
  string->SetCellCount(7);
  EXPECT_EQ(string->GetText(), "C = 1, T = 2, Cells = 7");
  string->SetSubStringsEnabled(true);
  string->SetControlUnit(4);
  EXPECT_EQ(string->GetText(), "C = 1, T = 2, Cells = 7, Subs=2, CU#5");
}

TEST_F(OneString, NewStringTakesTheBatteryDefaultControlUnit) {
  battery->DefaultControlUnit = 2;
  battery->SetChildCount(2);
  EXPECT_EQ(battery->GetString(0)->ControlUnit(), -1);
  EXPECT_EQ(battery->GetString(1)->ControlUnit(), 2);
  EXPECT_EQ(battery->GetString(1)->GetText(), "C = 0, T = 0, Cells = 0, CU#3");
  EXPECT_EQ(battery->GetText(), "Strings = 2, CU#3");
}

TEST_F(OneString, SetControlUnitRepaintsStringAndBattery) {
  view.Show(*battery);
  view.Show(*string);
  view.Clear();
  string->SetControlUnit(1);
  EXPECT_EQ(view.calls, (Calls{"Repaint String: 1", "Repaint Battery: 1"}));
}

TEST_F(OneString, GroupCountChangesRepaintTheStringRow) {
  view.Show(*string);
  view.Show(*string->CellsGroup());
  view.Clear();
  string->SetCellCount(2);
  EXPECT_EQ(view.calls, (Calls{"Reinit Cells", "InvalidateToBottom Cells", "Reinit Cells",
                               "InvalidateToBottom Cells", "Repaint String: 1"}));
  view.Clear();
  string->SetCellCount(2);
  EXPECT_TRUE(view.calls.empty());
}

TEST_F(OneString, CellTextUsesLabelNumberOrPositionAndBlocks) {
  string->SetCellCount(3);
  TzmUPSCellSystemNode* cell = string->GetCell(1);
  EXPECT_EQ(cell->Name(), "Cell 2");
  EXPECT_EQ(cell->GetText(), "Cell 2, x-1");
  cell->Number = 17;
  cell->SetBlocksPerChannel(2);
  cell->NullCount = 1;
  EXPECT_EQ(cell->GetText(), "Cell 17, x2, Null=1");
  cell->SetLabel("Jar A");
  EXPECT_EQ(cell->Label(), "Jar A");
  EXPECT_EQ(cell->GetText(), "Jar A, x2, Null=1");
}

TEST_F(OneString, SensorAndProbeTextsCountFromZero) {
  string->SetTemperatureCount(3);
  EXPECT_EQ(string->GetTemperature(1)->Name(), "Temperature 2");
  EXPECT_EQ(string->GetTemperature(1)->GetText(), "Temperature 1");
  EXPECT_EQ(string->GetTemperature(2)->GetText(), "Temperature 2");

  string->SetCurrentCount(2);
  EXPECT_EQ(string->GetCurrent(1)->Name(), "Current 2");
  EXPECT_EQ(string->GetCurrent(1)->GetText(), "Current 1");
  string->GetCurrent(1)->Scaling.SetCableRatio(4, 1);
  EXPECT_EQ(string->GetCurrent(1)->GetText(), "Current 1: 4000 Amps");
  string->GetCurrent(0)->Scaling.SetDirectValue(999);
  EXPECT_EQ(string->GetCurrent(0)->GetText(), "Current 0: 999 Amps");
  EXPECT_EQ(string->GetChild(0)->GetText(), "Currents : 2");
}

TEST(UPSNodes, LimitTextsFormatAndParse) {
  TzmUPSCellSystemNode cell;
  EXPECT_EQ(cell.GetLowAlarmText(), "-1");
  EXPECT_EQ(cell.GetHighResistanceText(), "-1");
  cell.SetLowAlarmText("1.75");
  cell.SetHighAlarmText(" 2.4 ");
  cell.SetLowResistanceText("150000");
  cell.SetHighResistanceText("1234567");
  EXPECT_DOUBLE_EQ(cell.LowAlarm, 1.75);
  EXPECT_DOUBLE_EQ(cell.HighAlarm, 2.4);
  EXPECT_EQ(cell.GetLowAlarmText(), "1.75");
  EXPECT_EQ(cell.GetLowResistanceText(), "150000");
  EXPECT_EQ(cell.GetHighResistanceText(), "1.23457E+06");

  try {
    cell.SetLowAlarmText("abc");
    FAIL() << "no conversion error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
  }
  EXPECT_THROW(cell.SetHighResistanceText(""), EConvertError);
  EXPECT_DOUBLE_EQ(cell.LowAlarm, 1.75);
  EXPECT_DOUBLE_EQ(cell.HighResistance, 1234567);

  // Groups and strings serve no limit columns and ignore edits there.
  TzmUPSStringSystemNode string;
  string.SetLowAlarmText("3");
  EXPECT_EQ(string.GetLowAlarmText(), "");
}

TEST(UPSNodes, LimitTextsUseTheDecimalSeparator) {
  SetDecimalSeparator(',');
  TzmUPSTemperatureSystemNode sensor;
  sensor.SetHighAlarmText("37,5");
  const std::string shown = sensor.GetHighAlarmText();
  SetDecimalSeparator('.');
  EXPECT_DOUBLE_EQ(sensor.HighAlarm, 37.5);
  EXPECT_EQ(shown, "37,5");
}

TEST_F(OneString, GrownGroupsInheritTheLastSettingsOnlyWhenNotEmpty) {
  string->SetCellCount(4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(string->GetCell(i)->LowAlarm, -1.0);
    EXPECT_EQ(string->GetCell(i)->BlocksPerChannel(), -1);
  }
  TzmUPSCellSystemNode* last = string->GetCell(3);
  last->LowAlarm = 1.8;
  last->HighAlarm = 2.3;
  last->LowResistance = 100;
  last->HighResistance = 200;
  last->SetBlocksPerChannel(2);
  last->SetBlockFrom(7);
  last->NullCount = 1;
  last->SetLabel("L");
  string->SetCellCount(6);
  for (int i = 4; i < 6; ++i) {
    const TzmUPSCellSystemNode* cell = string->GetCell(i);
    EXPECT_EQ(cell->LowAlarm, 1.8);
    EXPECT_EQ(cell->HighAlarm, 2.3);
    EXPECT_EQ(cell->LowResistance, 100);
    EXPECT_EQ(cell->HighResistance, 200);
    EXPECT_EQ(cell->BlocksPerChannel(), 2);
    EXPECT_EQ(cell->BlockFrom(), -1);
    EXPECT_EQ(cell->NullCount, 0);
    EXPECT_EQ(cell->Label(), "");
  }
  EXPECT_EQ(string->GetCell(5)->Name(), "Cell 6");

  string->SetCurrentCount(1);
  string->GetCurrent(0)->HighAlarm = 5;
  string->GetCurrent(0)->Scaling.SetPercentCurrent(50);
  string->SetCurrentCount(2);
  EXPECT_EQ(string->GetCurrent(1)->HighAlarm, 5);
  EXPECT_EQ(string->GetCurrent(1)->Scaling.GetScaledCurrent(), 2000);
}

TEST(UPSNodes, CellSettingsComeOnlyFromCells) {
  TzmUPSCellSystemNode cell;
  cell.LowAlarm = 1.9;
  cell.SetBlocksPerChannel(3);
  TzmUPSTemperatureSystemNode sensor;
  sensor.LowAlarm = 10;
  try {
    cell.AssignSettings(sensor);
    FAIL() << "no invalid cast";
  } catch (const EInvalidCast& e) {
    EXPECT_STREQ(e.what(), "Invalid class typecast");
  }
  EXPECT_EQ(cell.LowAlarm, 1.9);
  EXPECT_EQ(cell.BlocksPerChannel(), 3);

  // Sensors and probes take the limits from any alarmed node.
  cell.HighAlarm = 2.5;
  sensor.AssignSettings(cell);
  EXPECT_EQ(sensor.LowAlarm, 1.9);
  EXPECT_EQ(sensor.HighAlarm, 2.5);
  TzmUPSCurrentSystemNode probe;
  probe.Scaling.SetCableRatio(2, 1);
  probe.AssignSettings(sensor);
  EXPECT_EQ(probe.HighAlarm, 2.5);
  EXPECT_EQ(probe.Scaling.GetScaledCurrent(), 2000);  // no probe as source: scaling kept
}

TEST(UPSNodes, BlockToAndCellLabel) {
  TzmUPSCellSystemNode cell;
  EXPECT_EQ(cell.BlockTo(), -1);
  cell.SetBlockFrom(5);
  cell.SetBlocksPerChannel(1);
  EXPECT_EQ(cell.BlockTo(), -1);
  cell.SetBlocksPerChannel(3);
  EXPECT_EQ(cell.BlockTo(), 7);
  cell.SetBlockFrom(-1);
  EXPECT_EQ(cell.BlockTo(), -1);

  cell.SetBlockFrom(12);
  cell.SetName("Cell 4");
  EXPECT_EQ(cell.GetCellLabel(), "12");
  cell.SetName("Monocell B");
  EXPECT_EQ(cell.GetCellLabel(), "12");
  cell.SetName("C-e-l-l 4");
  EXPECT_EQ(cell.GetCellLabel(), "C-e-l-l 4");
  cell.SetName("Jar 9");
  EXPECT_EQ(cell.GetCellLabel(), "Jar 9");
}

TEST_F(OneString, ChannelCountAddsNullChannels) {
  string->SetCellCount(3);
  string->GetCell(0)->NullCount = 1;
  string->GetCell(1)->NullCount = 2;
  EXPECT_EQ(string->CellCount(), 3);
  EXPECT_EQ(string->ChannelCount(), 6);
  EXPECT_EQ(string->CellsGroup()->ChannelCount(), 6);
}

TEST_F(OneString, BatteryTotalsSumOverStrings) {
  battery->SetChildCount(2);
  battery->GetString(0)->SetCurrentCount(1);
  battery->GetString(1)->SetCurrentCount(2);
  battery->GetString(1)->SetTemperatureCount(4);
  EXPECT_EQ(battery->TotalCurrentCount(), 3);
  EXPECT_EQ(battery->TotalTemperatureCount(), 4);
}

TEST_F(OneString, NegativeIndexesRaiseNamedMessages) {
  string->SetCellCount(2);
  auto message = [](auto&& call) {
    try {
      call();
    } catch (const EzmUPSSystemException& e) {
      return std::string(e.what());
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message([&] { string->GetCell(-1); }),
            "Tried to retrieve negative indexed cell : -1 in string : String: 1");
  EXPECT_EQ(message([&] { string->GetCurrent(-2); }),
            "Tried to retrieve negative indexed current : -2 in string : String: 1");
  EXPECT_EQ(message([&] { string->GetTemperature(-3); }),
            "Tried to retrieve negative indexed temperature : -3 in string : String: 1");
  EXPECT_EQ(string->GetCell(2), nullptr);
  EXPECT_EQ(string->GetCurrent(0), nullptr);
  EXPECT_EQ(string->GetTemperature(9), nullptr);
}

TEST_F(OneString, ForEachNodeVisitsBatteryThenStringThenItsCells) {
  string->SetCellCount(2);
  system.SetBatteryCount(2);
  TzmUPSBatterySystemNode* second = system.GetBattery(1);
  second->SetChildCount(2);
  second->GetString(1)->SetCellCount(1);

  std::vector<std::string> seen;
  system.ForEachNode([&](TzmUPSCellSystemNode* c) { seen.push_back(c->Name()); },
                     [&](TzmUPSStringSystemNode* s) { seen.push_back(s->Name()); },
                     [&](TzmUPSBatterySystemNode* b) { seen.push_back(b->Name()); });
  EXPECT_EQ(seen, (Calls{"Battery: 1", "String: 1", "Cell 1", "Cell 2", "Battery: 2",
                         "String: 1", "String: 2", "Cell 1"}));

  int batteries = 0;
  system.ForEachNode({}, {}, [&](TzmUPSBatterySystemNode*) { ++batteries; });
  EXPECT_EQ(batteries, 2);
  int cells = 0;
  system.ForEachNode([&](TzmUPSCellSystemNode*) { ++cells; });
  EXPECT_EQ(cells, 3);
}

TEST(UPSNodes, SetBatteryCountRebuildsTheAttachedView) {
  TRecordingTreeControl view;
  TzmUPSSystem system;
  system.SetTreeview(&view);
  view.Clear();
  system.SetBatteryCount(2);
  EXPECT_EQ(view.calls, (Calls{"Detach", "Attach"}));
  EXPECT_EQ(system.BatteryCount(), 2);
}
