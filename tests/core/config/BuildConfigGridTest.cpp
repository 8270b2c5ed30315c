#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeUserInterface.h"
#include "config/BuildConfigGrid.h"
#include "model/ZMUPSTreeSystem.h"

namespace {
// A plain table standing in for the editable grid.
class TTableGrid : public IConfigGridTarget {
 public:
  std::vector<std::vector<std::string>> rows;
  int cols = 0, fixedRows = 0, rowCountChanges = 0;
  std::vector<std::string> widthTexts;

  void SetColCount(int count) override {
    cols = count;
    for (auto& r : rows) r.resize(static_cast<size_t>(count));
  }
  void SetRowCount(int count) override {
    if (count != static_cast<int>(rows.size())) ++rowCountChanges;
    rows.resize(static_cast<size_t>(count), std::vector<std::string>(static_cast<size_t>(cols)));
  }
  void SetFixedRows(int count) override { fixedRows = count; }
  void SetCell(int col, int row, const std::string& text) override {
    rows.at(static_cast<size_t>(row)).at(static_cast<size_t>(col)) = text;
  }
  void SetColWidthForText(int col, const std::string& text) override {
    widthTexts.resize(static_cast<size_t>(cols));
    widthTexts.at(static_cast<size_t>(col)) = text;
  }
  std::string Line(int row) const {
    std::string line;
    for (size_t c = 0; c < rows.at(static_cast<size_t>(row)).size(); ++c) {
      if (c) line += ',';
      line += rows[static_cast<size_t>(row)][c];
    }
    return line;
  }
  const std::string& At(int row, const char* header) const {
    for (size_t c = 0; c < kConfigGridHeaders.size(); ++c)
      if (std::string(kConfigGridHeaders[c]) == header) return rows.at(static_cast<size_t>(row)).at(c);
    throw std::logic_error(header);
  }
};

struct ConfigGridBuild : ::testing::Test {
  TzmUPSSystem system;
  TFakeErrorList errors;
  TTableGrid grid;
  TControlUnitStringList units;
  TGlobalAlarmSetting global;

  TzmUPSBatterySystemNode* AddBattery() {
    system.BMU()->AddChild();
    return system.GetBattery(system.BatteryCount() - 1);
  }
  TzmUPSStringSystemNode* AddString(TzmUPSBatterySystemNode* battery, int cells, int currents = 0,
                                    int temperatures = 0) {
    battery->AddChild();
    TzmUPSStringSystemNode* s = battery->GetString(battery->StringCount() - 1);
    s->SetCellCount(cells);
    s->SetCurrentCount(currents);
    s->SetTemperatureCount(temperatures);
    return s;
  }
  TConfigGridBuilder Build() {
    TConfigGridBuilder builder(system, units, grid, errors, global);
    builder.BuildConfigGrid();
    return builder;
  }
  // DCM and channel numbers of the channel rows starting at `row`.
  std::vector<std::string> Channels(int from, int to) const {
    std::vector<std::string> out;
    for (int r = from; r <= to; ++r)
      out.push_back(grid.At(r, "DCM") + "." + grid.At(r, "CH") + (grid.At(r, "CellLbl").empty() ? "n" : ""));
    return out;
  }
};
}  // namespace

TEST_F(ConfigGridBuild, OneStringOfFourCellsGivesHeaderInputRowsAndOneFullDcm) {
  TzmUPSStringSystemNode* s = AddString(AddBattery(), 4, 1, 2);
  for (int c = 0; c < 4; ++c) {
    s->GetCell(c)->HighAlarm = 13.8;
    s->GetCell(c)->LowAlarm = 10.5;
    s->GetCell(c)->HighResistance = 7.25;
    s->GetCell(c)->LowResistance = 0;
  }
  s->GetCurrent(0)->HighAlarm = 5;
  s->GetCurrent(0)->LowAlarm = 1;
  s->GetTemperature(0)->HighAlarm = 40;
  s->GetTemperature(1)->HighAlarm = 40;
  s->GetTemperature(1)->SetName("Room");
  units = {{s}};
  Build();

  ASSERT_EQ(grid.rows.size(), 13u);
  EXPECT_EQ(grid.fixedRows, 1);
  EXPECT_EQ(grid.Line(0),
            "PC,PT,CU,DCM,CH,TY,CT,TP,VF,VT,ZI,HY,BatLbl,StrLbl,CellLbl,Bat No,Str No,Blk Fr,Blk To,Ver,"
            "HV,LV,HZ,LZ,HT,LT,HC,LC,SP1");
  EXPECT_EQ(grid.widthTexts.at(3), "DCM0000");
  // First input row: the current probe, with the system-wide limits written over it.
  EXPECT_EQ(grid.Line(1), "1,1,1,0,1,C,1,,1,,,,1,1,,1,1,,,02.20,13.8,10.5,7.25,,40,,5,1,");
  EXPECT_EQ(grid.Line(2), "1,1,1,0,2,C,2,,2,,,,1,1,,,,,,02.20,,,,,,,,,");
  EXPECT_EQ(grid.Line(3), "1,1,1,0,3,C,,1,3,,,,1,1,,1,1,,,02.20,,,,,40,,,,");
  EXPECT_EQ(grid.Line(4), "1,1,1,0,4,C,,2,4,,,,1,1,Room,1,1,,,02.20,,,,,40,,,,");
  EXPECT_EQ(grid.Line(5), "1,1,1,0,5,C,3,,,,,,1,1,,,,,,02.20,,,,,,,,,");
  EXPECT_EQ(grid.Line(8), "1,1,1,0,8,C,,4,,,,,1,1,,,,,,02.20,,,,,,,,,");
  // A cell limit of 0 is written as 0 on channel rows.
  EXPECT_EQ(grid.Line(9), "1,1,1,1,1,Z,,,,1,1,,1,1,1,1,1,1,,02.20,13.8,10.5,7.25,0,,,,,");
  EXPECT_EQ(grid.Line(12), "1,1,1,1,4,Z,,,,4,4,,1,1,4,1,1,4,,02.20,13.8,10.5,7.25,0,,,,,");
  EXPECT_TRUE(errors.lines.empty());
  EXPECT_EQ(errors.shown, 0);
}

TEST_F(ConfigGridBuild, MultiBlockChannelsAndShortRunsFillTheirDcm) {
  TzmUPSStringSystemNode* s = AddString(AddBattery(), 2);
  s->GetCell(0)->SetBlocksPerChannel(2);
  s->GetCell(1)->SetBlocksPerChannel(2);
  units = {{s}};
  Build();
  ASSERT_EQ(grid.rows.size(), 13u);
  EXPECT_EQ(grid.At(9, "Blk Fr"), "1");
  EXPECT_EQ(grid.At(9, "Blk To"), "2");
  EXPECT_EQ(grid.At(10, "Blk Fr"), "3");
  EXPECT_EQ(grid.At(10, "Blk To"), "4");
  EXPECT_EQ(grid.At(11, "Blk Fr"), "");
  EXPECT_EQ(grid.At(12, "CellLbl"), "");
  // The short run's last cell keeps the null channels it was given.
  EXPECT_EQ(s->GetCell(1)->NullCount, 2);
}

TEST_F(ConfigGridBuild, FillerRowsGoWhereTheLastDcmStaysFull) {
  TzmUPSBatterySystemNode* b = AddBattery();
  TzmUPSStringSystemNode* six = AddString(b, 6);
  TzmUPSStringSystemNode* nine = AddString(b, 9);
  units = {{six, nine}};
  Build();
  EXPECT_EQ(Channels(9, 16), (std::vector<std::string>{"1.1", "1.2", "1.3n", "1.4n", "2.1", "2.2", "2.3", "2.4"}));
  EXPECT_EQ(Channels(17, 28), (std::vector<std::string>{"3.1", "3.2", "3.3", "3.4", "4.1", "4.2n", "4.3n",
                                                        "4.4n", "5.1", "5.2", "5.3", "5.4"}));
  EXPECT_EQ(grid.At(26, "Str No"), "2");
  EXPECT_EQ(grid.At(26, "Blk Fr"), "7");
}

TEST_F(ConfigGridBuild, SubStringsEachStartOnAFreshDcm) {
  TzmUPSStringSystemNode* s = AddString(AddBattery(), 8);
  s->SetSubStringCount(2);
  s->SetSubStringCells(0, 5);
  s->SetSubStringCells(1, 3);
  units = {{s}};
  Build();
  ASSERT_EQ(grid.rows.size(), 1u + 8 + 12);
  EXPECT_EQ(Channels(9, 20), (std::vector<std::string>{"1.1", "1.2n", "1.3n", "1.4n", "2.1", "2.2", "2.3",
                                                        "2.4", "3.1", "3.2", "3.3", "3.4n"}));
  EXPECT_EQ(grid.At(19, "Blk Fr"), "8");
}

TEST_F(ConfigGridBuild, TwoControlUnitsRestartDcmsButNotBatteryAndStringNumbers) {
  TzmUPSBatterySystemNode* b1 = AddBattery();
  TzmUPSStringSystemNode* a = AddString(b1, 4);
  TzmUPSStringSystemNode* bStr = AddString(b1, 4);
  TzmUPSStringSystemNode* c = AddString(AddBattery(), 4);
  units = {{a}, {bStr, c}};
  Build();
  ASSERT_EQ(grid.rows.size(), 1u + 12 + 16);
  EXPECT_EQ(grid.At(13, "CU"), "2");
  EXPECT_EQ(grid.At(21, "DCM"), "1");
  EXPECT_EQ(grid.At(21, "CH"), "1");
  EXPECT_EQ(grid.At(21, "Str No"), "2");
  EXPECT_EQ(grid.At(25, "DCM"), "2");
  EXPECT_EQ(grid.At(25, "Bat No"), "2");
  EXPECT_EQ(grid.At(25, "Str No"), "1");
  // Input rows of the second control unit carry its strings' labels.
  EXPECT_EQ(grid.At(14, "BatLbl"), "2");
  EXPECT_EQ(b1->Number, 1);
}

TEST_F(ConfigGridBuild, JoinedSegmentsShareAStringNumberOnlySideBySide) {
  TzmUPSBatterySystemNode* b = AddBattery();
  TzmUPSStringSystemNode* first = AddString(b, 4);
  TzmUPSStringSystemNode* second = AddString(b, 4);
  const int join = first->NewJoinNumber();
  second->Number = join;
  units = {{first, second}};
  Build();
  EXPECT_EQ(grid.At(9, "Str No"), "1");
  EXPECT_EQ(grid.At(13, "Str No"), "1");
  EXPECT_EQ(grid.At(13, "Blk Fr"), "5");
  EXPECT_EQ(second->GetCell(0)->Number, 5);
  // The join survives the build, so the segments can still be unjoined.
  EXPECT_EQ(first->Number, join);
  EXPECT_EQ(second->Number, join);

  // On two control units the segments become two strings.
  units = {{first}, {second}};
  grid = TTableGrid();
  Build();
  EXPECT_EQ(grid.At(9, "Str No"), "1");
  EXPECT_EQ(grid.At(21, "Str No"), "2");
  EXPECT_EQ(second->GetCell(0)->BlockFrom(), 1);
  EXPECT_EQ(second->Number, join);
}

TEST_F(ConfigGridBuild, StringNumbersFollowTheBatteryWhateverTheControlUnitOrder) {
  TzmUPSBatterySystemNode* b1 = AddBattery();
  TzmUPSStringSystemNode* s1 = AddString(b1, 4, 1);
  TzmUPSStringSystemNode* s2 = AddString(b1, 4);
  TzmUPSStringSystemNode* s3 = AddString(b1, 4, 1);
  TzmUPSStringSystemNode* other = AddString(AddBattery(), 4);
  // CU 1: B1.S1 (rows 9-12), B1.S2 (13-16), B2.S1 (17-20); CU 2: B1.S3 (29-32).
  const TControlUnitStringList layout = {{s1, s2, other}, {s3}};
  units = layout;
  Build();
  const struct {
    int row;
    const char *batNo, *strNo, *blockFrom;
  } expected[] = {{9, "1", "1", "1"}, {13, "1", "2", "1"}, {17, "2", "1", "1"}, {29, "1", "3", "1"},
                  {32, "1", "3", "4"}, {21, "1", "3", ""}};
  for (const auto& e : expected) {
    SCOPED_TRACE(e.row);
    EXPECT_EQ(grid.At(e.row, "Bat No"), e.batNo);
    EXPECT_EQ(grid.At(e.row, "Str No"), e.strNo);
    EXPECT_EQ(grid.At(e.row, "Blk Fr"), e.blockFrom);
  }
  // Nothing was joined, and the build does not make it look so.
  EXPECT_FALSE(s3->IsContinuation());
  EXPECT_FALSE(s2->IsContinuation());

  // Numbers of the earlier build do not join strings put side by side now.
  std::vector<std::string> lines;
  for (int r = 0; r < static_cast<int>(grid.rows.size()); ++r) lines.push_back(grid.Line(r));
  units = {{s1}, {s2, s3, other}};
  grid = TTableGrid();
  Build();
  EXPECT_EQ(grid.At(25, "Str No"), "3");
  EXPECT_EQ(grid.At(25, "Blk Fr"), "1");
  EXPECT_EQ(grid.At(29, "Bat No"), "2");
  // Moving the strings back gives the same file again.
  units = layout;
  grid = TTableGrid();
  Build();
  for (int r = 0; r < static_cast<int>(lines.size()); ++r) EXPECT_EQ(grid.Line(r), lines[static_cast<size_t>(r)]);
}

TEST_F(ConfigGridBuild, ExtraProbesAndSensorsGoToTheErrorList) {
  TzmUPSBatterySystemNode* b = AddBattery();
  TzmUPSStringSystemNode* s1 = AddString(b, 4, 0, 3);
  TzmUPSStringSystemNode* s2 = AddString(b, 4, 0, 2);
  units = {{s1, s2}};
  Build();
  ASSERT_EQ(errors.lines.size(), 1u);
  EXPECT_EQ(errors.lines[0], "Temperature[2] on Battery: Battery: 1 String: String: 2 Not Used!");
  EXPECT_EQ(errors.shown, 1);
  EXPECT_EQ(grid.At(8, "TP"), "4");
  EXPECT_EQ(grid.At(8, "Str No"), "2");
}

TEST_F(ConfigGridBuild, SystemWideLimitsAreWrittenOnlyWhenAllNodesAgree) {
  TzmUPSStringSystemNode* s = AddString(AddBattery(), 4, 1, 1);
  for (int c = 0; c < 4; ++c) s->GetCell(c)->HighAlarm = 13.8;
  s->GetCell(3)->HighAlarm = 14.0;
  for (int c = 0; c < 4; ++c) s->GetCell(c)->LowAlarm = 10;
  units = {{s}};
  TConfigGridBuilder builder = Build();
  EXPECT_EQ(builder.SystemAlarms().HighVoltage, kAlarmsDiffer);
  EXPECT_EQ(grid.At(1, "HV"), "");
  EXPECT_EQ(grid.At(1, "LV"), "10");
  // A limit that is off everywhere stays empty.
  EXPECT_EQ(builder.SystemAlarms().HighTemperature, -1);
  EXPECT_EQ(grid.At(1, "HT"), "");
}

TEST_F(ConfigGridBuild, GlobalAlarmSettingGivesEveryNodeTheDialogLimits) {
  TzmUPSBatterySystemNode* b = AddBattery();
  TzmUPSStringSystemNode* s = AddString(b, 4, 1, 1);
  AddString(b, 2, 1, 1);  // not on a control unit, still given the limits
  global = {true, {40, 10, 6, 2, 2.4, 1.8, 1.5, 0.5}};
  units = {{s}};
  Build();
  EXPECT_EQ(grid.At(1, "HV"), "2.4");
  EXPECT_EQ(grid.At(1, "LV"), "1.8");
  EXPECT_EQ(grid.At(1, "HZ"), "1.5");
  EXPECT_EQ(grid.At(1, "LZ"), "0.5");
  EXPECT_EQ(grid.At(1, "HT"), "40");
  EXPECT_EQ(grid.At(1, "HC"), "6");
  EXPECT_EQ(grid.At(1, "LC"), "2");
  EXPECT_EQ(b->GetString(1)->GetCell(1)->HighResistance, 1.5);
}

TEST_F(ConfigGridBuild, VoltageOnlyBatteriesAndScaledProbes) {
  TzmUPSBatterySystemNode* b = AddBattery();
  b->VoltageOnly = true;
  TzmUPSStringSystemNode* s = AddString(b, 4, 1);
  s->GetCell(0)->HighResistance = 5;
  s->GetCurrent(0)->Scaling.SetCableRatio(4, 1);
  units = {{s}};
  Build();
  EXPECT_EQ(grid.At(9, "TY"), "V");
  EXPECT_EQ(grid.At(9, "HZ"), "");
  EXPECT_EQ(grid.At(1, "SP1"), "4000");
}

TEST_F(ConfigGridBuild, RunsWithOddNullChannelsStillEndOnAFullDcm) {
  TzmUPSBatterySystemNode* b = AddBattery();
  // 3 cells with 3 null channels after each of the first two: 9 channels.
  TzmUPSStringSystemNode* s = AddString(b, 3);
  s->GetCell(0)->NullCount = 3;
  s->GetCell(1)->NullCount = 3;
  // 2 cells whose last already has one null channel: 3 channels.
  TzmUPSStringSystemNode* shortRun = AddString(b, 2);
  shortRun->GetCell(1)->NullCount = 1;
  TzmUPSStringSystemNode* empty = AddString(b, 0);
  TzmUPSStringSystemNode* after = AddString(b, 4);
  units = {{s, shortRun, empty, after}};
  Build();
  // 12 rows for the first run, 4 for the short one, none for the empty one.
  ASSERT_EQ(grid.rows.size(), 1u + 8 + 12 + 4 + 4);
  EXPECT_EQ(grid.At(20, "DCM"), "3");
  EXPECT_EQ(grid.At(20, "CH"), "4");
  EXPECT_EQ(shortRun->GetCell(1)->NullCount, 2);
  EXPECT_EQ(Channels(25, 28), (std::vector<std::string>{"5.1", "5.2", "5.3", "5.4"}));
  EXPECT_EQ(grid.At(25, "Str No"), "4");
}

TEST_F(ConfigGridBuild, SubStringsThatDoNotAddUpAreLaidOutAsOneRun) {
  TzmUPSStringSystemNode* s = AddString(AddBattery(), 8);
  s->SetSubStringCount(2);
  s->SetSubStringCells(0, 5);
  s->SetSubStringCells(1, 3);
  s->SetCellCount(6);
  units = {{s}};
  Build();
  ASSERT_EQ(errors.lines.size(), 1u);
  EXPECT_NE(errors.lines[0].find("String: 1"), std::string::npos);
  EXPECT_EQ(grid.rows.size(), 1u + 8 + 8);
}

TEST(MergeSystemAlarm, TracksAgreementWithinOneHundredth) {
  double target = kNoAlarmSeen;
  MergeSystemAlarm(target, 13.8);
  EXPECT_EQ(target, 13.8);
  MergeSystemAlarm(target, 13.805);
  EXPECT_EQ(target, 13.8);
  MergeSystemAlarm(target, 14);
  EXPECT_EQ(target, kAlarmsDiffer);
  MergeSystemAlarm(target, 13.8);
  EXPECT_EQ(target, kAlarmsDiffer);
  EXPECT_EQ(FormatSystemAlarm(0), "");
  EXPECT_EQ(FormatSystemAlarm(150000), "1.5E+05");
}
