#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "DescribedSystems.h"
#include "FakeUserInterface.h"
#include "TempFiles.h"
#include "sitefile/ZMSiteFile.h"
#include "wizard/MainWizard.h"

namespace fs = std::filesystem;

namespace {
class TRecordingView : public IConfigWizardView {
 public:
  std::string status, nextHint, nextCaption;
  bool nextEnabled = false, backEnabled = false, closed = false;
  std::vector<int> pages;
  int gridMenuUses = 0, treeActionUpdates = 0;

  void ShowStatus(const std::string& text) override { status = text; }
  void SetNextButton(bool enabled, const std::string& caption) override {
    nextEnabled = enabled;
    nextCaption = caption;
  }
  void SetBackEnabled(bool enabled) override { backEnabled = enabled; }
  void SetNextHint(const std::string& hint) override { nextHint = hint; }
  void ShowPage(int state) override { pages.push_back(state); }
  void UseGridMenu() override { ++gridMenuUses; }
  void UpdateTreeActions() override { ++treeActionUpdates; }
  void SetGridColumnWidthForText(int, const std::string&) override {}
  void CloseWindow() override { closed = true; }
};

std::string ReadFile(const fs::path& path) { return ReadText(path.string()); }

struct MainWizard : ::testing::Test {
  TFakeServices services;
  TRecordingView view;
  TConfigWizardLogic wizard;

  MainWizard() {
    wizard.SetView(&view);
    wizard.FormCreate();
  }
  TzmUPSBatterySystemNode* Battery(int i) { return wizard.System().GetBattery(i); }
  // One string of 4 cells with a probe and two sensors on control unit #1.
  TzmUPSStringSystemNode* DescribeOneString(TzmUPSBatterySystemNode* battery) {
    TzmUPSStringSystemNode* s = AddStringOfFourCells(battery);
    s->SetControlUnit(0);
    return s;
  }
  void AddButtonAndVerify() {
    wizard.ControlUnits().AddControlUnitButton();
    wizard.UpdateWizardButtons();
  }
};
}  // namespace

TEST_F(MainWizard, StartsOnTheTreePageWithNextDisabledAndTheReasonShown) {
  EXPECT_EQ(wizard.State(), wsDefine);
  EXPECT_EQ(view.pages, std::vector<int>{0});
  EXPECT_FALSE(view.nextEnabled);
  EXPECT_FALSE(view.backEnabled);
  EXPECT_EQ(view.nextCaption, "&Next >>");
  EXPECT_EQ(view.status, "All batteries do not have strings");
  EXPECT_EQ(view.nextHint, "All batteries do not have strings");
  EXPECT_EQ(wizard.System().BatteryCount(), 1);
  EXPECT_GE(view.treeActionUpdates, 1);
}

TEST_F(MainWizard, VerificationReportsOnlyTheFirstFailingBattery) {
  TzmUPSStringSystemNode* s = DescribeOneString(Battery(0));
  s->SetCurrentCount(0);
  wizard.System().Root()->AddChild();  // a second battery without strings
  EXPECT_FALSE(wizard.VerifySystem());
  EXPECT_EQ(view.status, "All batteries must have at least 1 string with a current probe");

  // A genset kit needs no probe; then the second battery is the first to fail.
  Battery(0)->Genset = true;
  EXPECT_FALSE(wizard.VerifySystem());
  EXPECT_EQ(view.status, "All batteries do not have strings");

  // The probe of any one string satisfies the whole battery.
  Battery(0)->Genset = false;
  TzmUPSStringSystemNode* second = DescribeOneString(Battery(0));
  EXPECT_EQ(second->CurrentCount(), 1);
  Battery(1)->AddChild();
  Battery(1)->GetString(0)->SetControlUnit(0);
  Battery(1)->GetString(0)->SetCurrentCount(1);
  EXPECT_FALSE(wizard.VerifySystem());
  EXPECT_EQ(view.status, "All batteries must have cells some cells");
  EXPECT_EQ(view.nextHint, "All batteris do not have cells");

  Battery(1)->GetString(0)->SetControlUnit(-1);
  EXPECT_FALSE(wizard.VerifySystem());
  EXPECT_EQ(view.status, "All strings are not assigned to a Control Unit");

  Battery(1)->GetString(0)->SetControlUnit(0);
  Battery(1)->GetString(0)->SetCellCount(1);
  EXPECT_TRUE(wizard.VerifySystem());
  EXPECT_EQ(view.nextHint, "");
  // The failure does not stay on the status line once the check passes.
  EXPECT_EQ(view.status, "Define the UPS system");
}

TEST_F(MainWizard, NextBuildsTheGridAndBackReturnsToTheTree) {
  SetHandWorkedLimits(DescribeOneString(Battery(0)));
  AddButtonAndVerify();
  ASSERT_TRUE(view.nextEnabled);
  wizard.btnNextClick();
  EXPECT_EQ(wizard.State(), wsVerify);
  EXPECT_EQ(view.status, "Verify the setup");
  EXPECT_TRUE(view.backEnabled);
  EXPECT_TRUE(view.nextEnabled);
  EXPECT_TRUE(wizard.GridBuilt());
  EXPECT_EQ(wizard.Grid().RowCount(), 13);
  EXPECT_EQ(wizard.Grid().Cells(17, 12), "4");
  // Building alone is no change before the first save.
  EXPECT_FALSE(wizard.Grid().Modified());

  wizard.btnBackClick();
  EXPECT_EQ(wizard.State(), wsDefine);
  EXPECT_EQ(view.pages.back(), 0);
}

TEST_F(MainWizard, BackFromAnEditedGridAsksAndAlwaysSwitchesEditingOff) {
  DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.btnNextClick();
  wizard.SetDirectEditing(true);
  wizard.Grid().SetSelection({5, 3, 5, 3});
  wizard.Grid().SetCellText(5, 3, "X");
  ASSERT_TRUE(wizard.Grid().Edited());

  services.messages.Answer(TMsgAnswer::No);
  wizard.btnBackClick();
  EXPECT_EQ(services.messages.LastText(), kAskBackFromGrid);
  EXPECT_EQ(wizard.State(), wsVerify);
  EXPECT_FALSE(wizard.DirectEditing());
  EXPECT_EQ(wizard.Grid().Cells(5, 3), "X");

  services.messages.Answer(TMsgAnswer::Yes);
  wizard.btnBackClick();
  EXPECT_EQ(wizard.State(), wsDefine);
  EXPECT_FALSE(wizard.Grid().Edited());
  // Going forward again rebuilds the grid: the direct edit is gone.
  wizard.btnNextClick();
  EXPECT_EQ(wizard.Grid().Cells(5, 3), "C");
}

TEST_F(MainWizard, SavingWritesTheFileWorkedOutByHand) {
  SetHandWorkedLimits(DescribeOneString(Battery(0)));
  AddButtonAndVerify();
  wizard.btnNextClick();
  TTempFolder dir;
  const fs::path target = dir.Path() / "BatConfig.cfg";
  wizard.BuiltInSaveFolder = "/home/installer/Documents";
  services.files.Choose(target.string());
  wizard.btnNextClick();

  ASSERT_EQ(services.files.asked.size(), 1u);
  const TFileDialogOptions& asked = services.files.asked[0];
  EXPECT_EQ(asked.Filter, "Configuration Files|*.cfg|All files|*.*");
  EXPECT_EQ(asked.DefaultExt, "CFG");
  EXPECT_EQ(asked.FileName, "BatConfig.cfg");
  EXPECT_EQ(asked.InitialDir, "/home/installer/Documents");
  EXPECT_TRUE(asked.OverwritePrompt);
  EXPECT_EQ(wizard.State(), wsSave);
  EXPECT_EQ(view.status, "Saved " + target.string());
  EXPECT_EQ(view.nextCaption, "&Finish");
  EXPECT_TRUE(wizard.FileSaved());
  EXPECT_FALSE(wizard.Grid().Modified());
  EXPECT_EQ(ReadFile(target), ReadFile(fs::path(ZM_TEST_DATA_DIR) / "OneStringOfFourCells.cfg"));

  // Finish closes without a question.
  wizard.btnNextClick();
  EXPECT_TRUE(view.closed);
  EXPECT_TRUE(wizard.CloseQuery());
  EXPECT_TRUE(services.messages.messages.empty());
}

TEST_F(MainWizard, HistoryFileWarningCanStopTheSave) {
  DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.btnNextClick();
  TTempFolder dir;
  std::ofstream(dir.Path() / HistoryFileName(CurrentYear())) << "x";
  const fs::path target = dir.Path() / "BatConfig.cfg";
  services.files.Choose(target.string());
  services.messages.Answer(TMsgAnswer::Cancel);
  view.status.clear();
  wizard.btnNextClick();
  EXPECT_EQ(services.messages.LastText(), kAskHistoryFile);
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Warning);
  EXPECT_EQ(services.messages.messages.back().buttons, TMsgButtons::OkCancel);
  ASSERT_EQ(services.messages.beeps.size(), 1u);
  EXPECT_FALSE(fs::exists(target));
  EXPECT_FALSE(wizard.FileSaved());
  EXPECT_EQ(view.status, "");
  EXPECT_EQ(wizard.State(), wsSave);

  // Finish now asks the not-created question.
  services.messages.Answer(TMsgAnswer::No);
  EXPECT_FALSE(wizard.CloseQuery());
  EXPECT_EQ(services.messages.LastText(), kAskQuitNotCreated);
}

TEST_F(MainWizard, BackFromTheSavePageKeepsTheGridAndFinishCaption) {
  DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.btnNextClick();
  wizard.SetDirectEditing(true);
  wizard.Grid().SetSelection({5, 3, 5, 3});
  wizard.Grid().SetCellText(5, 3, "X");
  services.files.Choose("");  // the dialog is cancelled
  wizard.btnNextClick();
  EXPECT_EQ(view.status, "Save the setup");
  EXPECT_FALSE(wizard.FileSaved());

  wizard.btnBackClick();
  EXPECT_EQ(wizard.State(), wsVerify);
  EXPECT_EQ(view.gridMenuUses, 1);
  EXPECT_EQ(view.nextCaption, "&Finish");
  EXPECT_EQ(wizard.Grid().Cells(5, 3), "X");
}

TEST_F(MainWizard, GridMenuSaveGoesThroughTheDialogEachTime) {
  DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.btnNextClick();
  TTempFolder dir;
  services.files.Choose((dir.Path() / "a.cfg").string()).Choose((dir.Path() / "b.cfg").string());
  wizard.Save1Click();
  wizard.btnBackClick();
  wizard.Save1Click();
  EXPECT_EQ(services.files.asked.size(), 2u);
  EXPECT_TRUE(fs::exists(dir.Path() / "a.cfg"));
  EXPECT_TRUE(fs::exists(dir.Path() / "b.cfg"));
}

TEST_F(MainWizard, AFailedSaveIsReportedAndNotCountedAsSaved) {
  DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.btnNextClick();
  TTempFolder dir;
  services.files.Choose((dir.Path() / "missing" / "BatConfig.cfg").string());
  wizard.btnNextClick();
  ASSERT_FALSE(services.messages.messages.empty());
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Error);
  EXPECT_NE(services.messages.LastText().find("BatConfig.cfg"), std::string::npos);
  EXPECT_FALSE(wizard.FileSaved());
}

TEST_F(MainWizard, CloseQueryAsksTheRightQuestion) {
  // Nothing built: no question.
  EXPECT_TRUE(wizard.CloseQuery());
  EXPECT_TRUE(services.messages.messages.empty());

  DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.btnNextClick();
  // Built before any save: only the not-created question.
  services.messages.Answer(TMsgAnswer::Yes);
  EXPECT_TRUE(wizard.CloseQuery());
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.LastText(), kAskQuitNotCreated);

  TTempFolder dir;
  services.files.Choose((dir.Path() / "BatConfig.cfg").string());
  wizard.btnNextClick();
  wizard.btnBackClick();
  wizard.SetDirectEditing(true);
  wizard.Grid().SetSelection({5, 3, 5, 3});
  wizard.Grid().SetCellText(5, 3, "X");
  services.messages.Answer(TMsgAnswer::No);
  EXPECT_FALSE(wizard.CloseQuery());
  EXPECT_EQ(services.messages.LastText(), kAskQuitChanged);
}

TEST_F(MainWizard, AnImpossibleStateRaisesAndLeavesTheStateAsItWas) {
  wizard.SetStateForTest(wsDefine);
  try {
    wizard.btnBackClick();
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Unhandled state (255) in ChangeState");
  }
  EXPECT_EQ(wizard.State(), wsDefine);
}

TEST_F(MainWizard, GlobalAlarmSettingGivesEveryNodeTheDialogLimitsOnNext) {
  TzmUPSStringSystemNode* s = DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.GlobalAlarmSetting = true;
  wizard.OnReadGlobalAlarms = [](TAlarmLimits& limits) { limits = {28, 16, 100, -1, 14.4, 12, 6, 1.8}; };
  wizard.btnNextClick();
  EXPECT_EQ(s->GetCell(3)->HighAlarm, 14.4);
  EXPECT_EQ(s->GetTemperature(1)->LowAlarm, 16);
  EXPECT_EQ(s->GetCurrent(0)->HighAlarm, 100);
  EXPECT_EQ(wizard.Grid().Cells(20, 1), "14.4");
}

TEST(HistoryFileName, CarriesTheFourDigitYear) { EXPECT_EQ(HistoryFileName(2031), "history2031.his"); }

TEST_F(MainWizard, GridActionsFollowDirectEditingSelectionAndCopyMode) {
  DescribeOneString(Battery(0));
  AddButtonAndVerify();
  wizard.btnNextClick();
  TGridActionStates off = wizard.GridActionStates();
  EXPECT_FALSE(off.Undo || off.Cut || off.Copy || off.Paste || off.Fill || off.EditConfigurationChecked);

  wizard.SetDirectEditing(true);
  wizard.Grid().SetSelection({2, 2, 2, 2});
  TGridActionStates single = wizard.GridActionStates();
  EXPECT_TRUE(single.Cut && single.Copy && single.EditConfigurationChecked);
  EXPECT_FALSE(single.Fill);
  EXPECT_FALSE(single.Paste);
  EXPECT_FALSE(single.Undo);

  wizard.Grid().SetSelection({2, 2, 3, 4});
  EXPECT_TRUE(wizard.GridActionStates().Fill);
  wizard.Grid().CopyBlock();
  EXPECT_TRUE(wizard.GridActionStates().Paste);
  wizard.Grid().EndBlock();
  wizard.Grid().SetSelection({2, 2, 3, 4});

  // Fill asks with the current cell's text and fills the whole selection.
  services.prompts.Reply(true, "Q");
  wizard.FillSelected();
  ASSERT_EQ(services.prompts.asked.size(), 1u);
  EXPECT_EQ(services.prompts.asked[0].prompt, "Enter text to put in all selected cells :");
  EXPECT_EQ(services.prompts.asked[0].caption, "Fill selected cells");
  EXPECT_EQ(wizard.Grid().Cells(3, 4), "Q");
  EXPECT_TRUE(wizard.GridActionStates().Undo);
  // A cancelled prompt changes nothing.
  services.prompts.Reply(false);
  wizard.FillSelected();
  EXPECT_EQ(wizard.Grid().Cells(3, 4), "Q");
}

TEST_F(MainWizard, GlobalAlarmSettingTogglesTheCaption) {
  EXPECT_EQ(wizard.ToggleGlobalAlarmSetting(), "Configuration Wizard - Global alarm setting only");
  EXPECT_TRUE(wizard.GlobalAlarmSetting);
  EXPECT_EQ(wizard.ToggleGlobalAlarmSetting(), "Configuration Wizard");
  EXPECT_FALSE(wizard.GlobalAlarmSetting);
}

TEST_F(MainWizard, FileNewAsksFirstAndStartsOverWithOneBattery) {
  DescribeOneString(Battery(0));
  wizard.System().Root()->AddChild();
  int configured = 0, started = 0;
  wizard.OnConfigureBatteries = [&configured] { ++configured; };
  wizard.OnNewSystemStarted = [&started] { ++started; };

  services.messages.Answer(TMsgAnswer::No);
  wizard.FileNew();
  EXPECT_EQ(services.messages.LastText(), "Are you sure you want to start over?");
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Confirmation);
  EXPECT_EQ(wizard.System().BatteryCount(), 2);
  EXPECT_EQ(configured, 0);

  services.messages.Answer(TMsgAnswer::Yes);
  wizard.FileNew();
  EXPECT_EQ(wizard.System().BatteryCount(), 1);
  EXPECT_EQ(Battery(0)->StringCount(), 0);
  EXPECT_EQ(started, 1);
  EXPECT_EQ(configured, 1);
  EXPECT_EQ(wizard.State(), wsDefine);
}

TEST_F(MainWizard, AFinishedWalkThroughAddsButtonsUpToTheLastStringsControlUnit) {
  // A last battery without strings adds none.
  wizard.AfterWalkThrough(true);
  EXPECT_EQ(wizard.ControlUnits().ButtonCount(), 0);

  TzmUPSStringSystemNode* first = DescribeOneString(Battery(0));
  TzmUPSStringSystemNode* last = DescribeOneString(Battery(0));
  first->SetControlUnit(0);
  last->SetControlUnit(2);
  wizard.AfterWalkThrough(false);
  EXPECT_EQ(wizard.ControlUnits().ButtonCount(), 0);

  wizard.AfterWalkThrough(true);
  EXPECT_EQ(wizard.ControlUnits().ButtonCount(), 3);
  EXPECT_TRUE(wizard.ControlUnits().ButtonMarked(2));
  EXPECT_FALSE(wizard.ControlUnits().ButtonMarked(1));
  EXPECT_TRUE(view.nextEnabled);

  // Never more than 32 buttons.
  last->SetControlUnit(40);
  wizard.AfterWalkThrough(true);
  EXPECT_EQ(wizard.ControlUnits().ButtonCount(), 32);
}

// The walk-through numbers as many control units as the strings need, finished
// or cancelled; afterwards no string is left beyond the 32nd, where it would
// have no button, and the description's site file reads back.
TEST_F(MainWizard, AfterAWalkThroughNoStringStaysBeyondTheLastControlUnit) {
  for (const bool finished : {true, false}) {
    wizard.NewSystem();
    services.messages.messages.clear();
    TzmUPSStringSystemNode* first = DescribeOneString(Battery(0));
    TzmUPSStringSystemNode* last = DescribeOneString(Battery(0));
    first->SetControlUnit(31);
    last->SetControlUnit(32);
    wizard.AfterWalkThrough(finished);
    EXPECT_EQ(first->ControlUnit(), 31) << finished;
    EXPECT_EQ(last->ControlUnit(), -1) << finished;
    ASSERT_EQ(services.messages.messages.size(), 1u) << finished;
    EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);
    EXPECT_NE(services.messages.LastText().find("beyond #32"), std::string::npos) << services.messages.LastText();
    TzmUPSSystem reread;
    TSiteSettings settings;
    const auto refused = ReadSiteFile(WriteSiteFile(wizard.System(), settings), reread, settings);
    EXPECT_FALSE(refused) << refused->Message();
  }
}
