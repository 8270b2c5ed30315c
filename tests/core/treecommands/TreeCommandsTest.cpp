#include <gtest/gtest.h>

#include <memory>

#include "FakeUserInterface.h"
#include "TreeCommandFakes.h"
#include "wizard/MainTreeCommands.h"
#include "wizard/MainWizard.h"

namespace ta = tree_action;

namespace {
class TNextButtonView : public IConfigWizardView {
 public:
  bool nextEnabled = false;
  int treeActionUpdates = 0;
  void ShowStatus(const std::string&) override {}
  void SetNextButton(bool enabled, const std::string&) override { nextEnabled = enabled; }
  void SetBackEnabled(bool) override {}
  void SetNextHint(const std::string&) override {}
  void ShowPage(int) override {}
  void UseGridMenu() override {}
  void UpdateTreeActions() override { ++treeActionUpdates; }
  void SetGridColumnWidthForText(int, const std::string&) override {}
  void CloseWindow() override {}
};

// Integer prompts that also record the value offered and the range.
class TRecordingPrompts : public TFakeValuePrompts {
 public:
  std::vector<int> offered;
  std::vector<std::pair<int, int>> ranges;
  bool GetInteger(const std::string& prompt, int& value, int minimum, int maximum) override {
    offered.push_back(value);
    ranges.emplace_back(minimum, maximum);
    return TFakeValuePrompts::GetInteger(prompt, value, minimum, maximum);
  }
};
}  // namespace

struct TreeCommands : ::testing::Test {
  TFakeServices services;
  TNextButtonView view;
  TConfigWizardLogic wizard;
  TFakeDialogs dialogs;
  TFakeTree tree{[this] { return static_cast<const TzmUPSSystem*>(&wizard.System()); }};
  std::unique_ptr<TMainTreeCommands> commands;

  TreeCommands() {
    wizard.SetView(&view);
    wizard.FormCreate();
    commands = std::make_unique<TMainTreeCommands>(wizard, dialogs, tree);
  }

  TzmUPSBatterySystemNode* Battery(int b) { return wizard.System().GetBattery(b); }
  TzmUPSStringSystemNode* String(int b, int s) { return Battery(b)->GetString(s); }
  // Adds strings straight through the model: n cells, one probe and one sensor each.
  void AddStrings(int b, int count, int cells = 4) {
    for (int i = 0; i < count; ++i) {
      auto* string = static_cast<TzmUPSStringSystemNode*>(Battery(b)->AddChild());
      string->SetCurrentCount(1);
      string->SetTemperatureCount(1);
      string->SetCellCount(cells);
    }
  }
  void Select(std::vector<TzmSystemNode*> nodes, TzmSystemNode* focus = nullptr) {
    tree.Select(std::move(nodes), focus);
    commands->SelectionChanged();
  }
  bool Enabled(const char* name) const { return commands->State(name).Enabled; }
};

TEST_F(TreeCommands, SelectionKindsEnableTheActionsOfTheirKind) {
  AddStrings(0, 1);
  TzmUPSStringSystemNode* string = String(0, 0);

  Select({string->GetCell(0), string->GetCell(1)});
  EXPECT_EQ(commands->SelectionKinds(), skCell);
  EXPECT_TRUE(Enabled(ta::AddCell));
  EXPECT_TRUE(Enabled(ta::ConfigureBlocksPerChannel));
  EXPECT_TRUE(Enabled(ta::DeleteNode));
  EXPECT_FALSE(Enabled(ta::AddCurrent));
  EXPECT_FALSE(Enabled(ta::ConfigureAlarms));

  // Battery and string together; the selection wins over the focused row.
  Select({Battery(0), string}, string->CellsGroup());
  EXPECT_EQ(commands->SelectionKinds(), skBattery | skString);
  EXPECT_TRUE(Enabled(ta::AddString));
  EXPECT_TRUE(Enabled(ta::ConfigureString));
  EXPECT_TRUE(Enabled(ta::SetControlUnit));

  // Adding a battery clears the kinds.
  commands->AddBattery();
  EXPECT_EQ(wizard.System().GetBattery(1)->Name(), "Battery: 2");
  EXPECT_EQ(commands->SelectionKinds(), 0);
  EXPECT_FALSE(Enabled(ta::AddString));

  // Only the focused row counts when nothing is selected.
  tree.FocusOnly(string->TemperaturesGroup());
  commands->SelectionChanged();
  EXPECT_EQ(commands->SelectionKinds(), skTemps);
  EXPECT_TRUE(Enabled(ta::AddTemperature));
  EXPECT_FALSE(Enabled(ta::DeleteNode));

  // The global alarm setting enables alarms for any selection; no focus disables Delete.
  wizard.GlobalAlarmSetting = true;
  Select({});
  EXPECT_EQ(commands->SelectionKinds(), 0);
  EXPECT_TRUE(Enabled(ta::ConfigureAlarms));
  EXPECT_FALSE(Enabled(ta::DeleteNode));
  EXPECT_FALSE(Enabled(ta::DeleteControlUnit));
}

TEST_F(TreeCommands, PopupDerivesStatesFromTheFocusedNode) {
  AddStrings(0, 2);
  Battery(0)->Genset = true;
  tree.FocusOnly(Battery(0));
  commands->pumUPSPopup();
  EXPECT_TRUE(commands->State(ta::mnuBatterySection).Visible);
  EXPECT_TRUE(commands->State(ta::mnuBatteryGenset).Checked);
  EXPECT_FALSE(commands->State(ta::mnuBatteryVoltageOnly).Checked);
  EXPECT_TRUE(Enabled(ta::AddCell));  // offered for a battery by the pop-up
  EXPECT_TRUE(Enabled(ta::mnuEditTreeText));
  EXPECT_FALSE(Enabled(ta::mnuAddNullChannel));
  EXPECT_FALSE(Enabled(ta::mnuLinkStrings));
  EXPECT_FALSE(Enabled(ta::mnuUnlinkString));

  tree.FocusOnly(String(0, 0)->GetCell(2));
  commands->pumUPSPopup();
  EXPECT_FALSE(commands->State(ta::mnuBatteryGenset).Visible);
  EXPECT_TRUE(Enabled(ta::mnuAddNullChannel));
  EXPECT_TRUE(Enabled(ta::mnuEditTreeText));
  EXPECT_FALSE(Enabled(ta::AddCell));

  tree.FocusOnly(String(0, 0)->CurrentsGroup());
  commands->pumUPSPopup();
  EXPECT_FALSE(Enabled(ta::mnuEditTreeText));
  EXPECT_TRUE(Enabled(ta::AddCurrent));

  // No focused node: the root stands in, only Add battery applies.
  tree.FocusOnly(nullptr);
  commands->pumUPSPopup();
  EXPECT_TRUE(Enabled(ta::AddBattery));
  EXPECT_FALSE(Enabled(ta::AddString));
  EXPECT_FALSE(Enabled(ta::mnuEditTreeText));
}

TEST_F(TreeCommands, JoinsCountFromTenThousandOneAndUnjoinNeedsOneJoinedString) {
  AddStrings(0, 4);
  tree.Select({String(0, 0), String(0, 1)});
  commands->pumUPSPopup();
  EXPECT_TRUE(Enabled(ta::mnuLinkStrings));
  EXPECT_FALSE(Enabled(ta::mnuUnlinkString));
  commands->LinkStrings();
  tree.Select({String(0, 2), String(0, 3), Battery(0)});  // the battery is ignored
  commands->LinkStrings();
  EXPECT_EQ(String(0, 0)->Number, 10001);
  EXPECT_EQ(String(0, 1)->Number, 10001);
  EXPECT_EQ(String(0, 2)->Number, 10002);
  EXPECT_EQ(String(0, 3)->Number, 10002);
  EXPECT_EQ(Battery(0)->Number, -1);

  tree.Select({String(0, 2)});
  commands->pumUPSPopup();
  EXPECT_TRUE(Enabled(ta::mnuUnlinkString));
  EXPECT_FALSE(Enabled(ta::mnuLinkStrings));
  commands->UnlinkString();
  EXPECT_EQ(String(0, 2)->Number, -1);
  commands->pumUPSPopup();
  EXPECT_FALSE(Enabled(ta::mnuUnlinkString));

  // Two joined strings selected: no unjoin; focus on a cell: no join.
  tree.Select({String(0, 0), String(0, 1)}, String(0, 0)->GetCell(0));
  commands->pumUPSPopup();
  EXPECT_FALSE(Enabled(ta::mnuUnlinkString));
  EXPECT_FALSE(Enabled(ta::mnuLinkStrings));
}

TEST_F(TreeCommands, AddStringGivesTheFirstTheDefaultsAndCopiesTheSecond) {
  dialogs.string = {1, 2, 3, 2, 1};
  Select({Battery(0)});
  commands->AddString();
  TzmUPSStringSystemNode* first = String(0, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->CurrentCount(), 1);
  EXPECT_EQ(first->TemperatureCount(), 2);
  ASSERT_EQ(first->CellCount(), 3);
  EXPECT_EQ(first->GetCell(2)->BlocksPerChannel(), 2);
  EXPECT_EQ(first->GetCell(2)->VoltageOnlyState, 1);
  EXPECT_DOUBLE_EQ(first->GetCell(0)->HighAlarm, 14.4);
  EXPECT_DOUBLE_EQ(first->GetCell(0)->LowResistance, 1.8);
  EXPECT_DOUBLE_EQ(first->GetCurrent(0)->HighAlarm, 100);
  EXPECT_DOUBLE_EQ(first->GetTemperature(1)->LowAlarm, 16);
  EXPECT_FALSE(tree.expanded.empty());

  // The first string is changed by hand; the second copies it, not its labels or null channels.
  first->SetCellCount(5);
  first->GetCell(4)->HighAlarm = 15.5;
  first->GetCell(4)->SetBlocksPerChannel(3);
  first->GetCell(1)->SetLabel("Jar A");
  first->GetCell(1)->NullCount = 2;
  first->GetTemperature(0)->HighAlarm = 40;
  dialogs.string = {0, 0, 9, 1, 0};  // not used for a second string
  commands->AddString();
  TzmUPSStringSystemNode* second = String(0, 1);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->CurrentCount(), 1);
  EXPECT_EQ(second->TemperatureCount(), 2);
  ASSERT_EQ(second->CellCount(), 5);
  EXPECT_DOUBLE_EQ(second->GetCell(4)->HighAlarm, 15.5);
  EXPECT_EQ(second->GetCell(4)->BlocksPerChannel(), 3);
  EXPECT_DOUBLE_EQ(second->GetTemperature(0)->HighAlarm, 40);
  EXPECT_EQ(second->GetCell(1)->Label(), "");
  EXPECT_EQ(second->GetCell(1)->NullCount, 0);
  EXPECT_EQ(second->Name(), "String: 2");
  EXPECT_TRUE(services.messages.messages.empty());
}

TEST_F(TreeCommands, AddStringToOtherKindsReportsOncePerNodeAndGoesOn) {
  wizard.System().Root()->AddChild();
  AddStrings(0, 1);
  Select({String(0, 0), Battery(1), String(0, 0)->CellsGroup()});
  commands->AddString();
  ASSERT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(services.messages.messages[0].text, kMsgStringsOnlyToBatteries);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
  EXPECT_EQ(Battery(1)->StringCount(), 1);
  EXPECT_EQ(Battery(0)->StringCount(), 1);
}

TEST_F(TreeCommands, AddLeavesTakeTheDialogLimitsAndTheLastCellsBlocks) {
  AddStrings(0, 1, 2);
  TzmUPSStringSystemNode* string = String(0, 0);
  string->GetCell(1)->SetBlocksPerChannel(2);

  tree.FocusOnly(string->CellsGroup());
  commands->AddCell();
  ASSERT_EQ(string->CellCount(), 3);
  EXPECT_EQ(string->GetCell(2)->BlocksPerChannel(), 2);
  EXPECT_DOUBLE_EQ(string->GetCell(2)->LowAlarm, 12);
  EXPECT_DOUBLE_EQ(string->GetCell(2)->HighAlarm, 14.4);
  EXPECT_DOUBLE_EQ(string->GetCell(2)->LowResistance, 1.8);
  EXPECT_DOUBLE_EQ(string->GetCell(2)->HighResistance, 6);

  // From a leaf to its group; from a string to its group; other kinds skipped.
  tree.Select({string->GetCurrent(0), string->TemperaturesGroup(), Battery(0)});
  commands->AddCurrent();
  commands->AddTemperature();
  EXPECT_EQ(string->CurrentCount(), 2);
  EXPECT_DOUBLE_EQ(string->GetCurrent(1)->HighAlarm, 100);
  EXPECT_DOUBLE_EQ(string->GetCurrent(1)->LowAlarm, -1);
  EXPECT_EQ(string->TemperatureCount(), 2);
  EXPECT_DOUBLE_EQ(string->GetTemperature(1)->HighAlarm, 28);
  EXPECT_EQ(string->CellCount(), 3);

  tree.FocusOnly(string);
  commands->AddTemperature();
  EXPECT_EQ(string->TemperatureCount(), 3);
  EXPECT_TRUE(services.messages.messages.empty());
}

TEST_F(TreeCommands, DeletingSeveralNodesAsksOnceAndFocusesTheFollowingRow) {
  AddStrings(0, 5);
  std::vector<TzmSystemNode*> s;
  for (int i = 0; i < 5; ++i) s.push_back(String(0, i));

  // No keeps everything.
  services.messages.Answer(TMsgAnswer::No);
  Select({s[0], s[1], s[3]});
  commands->DeleteNodes();
  EXPECT_EQ(Battery(0)->StringCount(), 5);

  services.messages.Answer(TMsgAnswer::Yes);
  commands->DeleteNodes();
  ASSERT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(services.messages.messages[1].text, kAskDeleteSelected);
  EXPECT_EQ(services.messages.messages[1].kind, TMsgKind::Confirmation);
  ASSERT_EQ(Battery(0)->StringCount(), 2);
  EXPECT_EQ(Battery(0)->GetString(0), s[2]);
  EXPECT_EQ(tree.focused, s[4]);  // the row after the last deleted one
  EXPECT_EQ(commands->SelectionKinds(), skString);

  // One selected node: no question; nothing follows it, so no row is focused.
  Select({s[4]});
  commands->DeleteNodes();
  EXPECT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(Battery(0)->StringCount(), 1);
  EXPECT_EQ(tree.focused, nullptr);
}

TEST_F(TreeCommands, DeletingTheFocusedNodeFocusesItsNextSiblingAndGroupsStay) {
  AddStrings(0, 1, 3);
  TzmUPSStringSystemNode* string = String(0, 0);
  TzmSystemNode* third = string->GetCell(2);
  tree.FocusOnly(string->GetCell(1));
  commands->SelectionChanged();
  commands->DeleteKey();
  EXPECT_EQ(string->CellCount(), 2);
  EXPECT_EQ(tree.focused, third);

  // The Delete key on a "Cells" group does nothing.
  tree.FocusOnly(string->CellsGroup());
  commands->SelectionChanged();
  EXPECT_FALSE(Enabled(ta::DeleteNode));
  commands->DeleteKey();
  EXPECT_EQ(string->ChildCount(), 3);
  EXPECT_EQ(string->CellCount(), 2);
  // Even when called directly, a group is not removed from its string.
  commands->DeleteNodes();
  EXPECT_EQ(string->ChildCount(), 3);

  // Not while a name is being edited.
  tree.FocusOnly(third);
  commands->SelectionChanged();
  tree.editing = true;
  commands->DeleteKey();
  EXPECT_EQ(string->CellCount(), 2);
}

TEST_F(TreeCommands, DeletingABatteryWithItsOwnStringSelectedDeletesItOnce) {
  wizard.System().Root()->AddChild();
  AddStrings(0, 2);
  TzmSystemNode* second = Battery(1);
  services.messages.Answer(TMsgAnswer::Yes);
  Select({Battery(0), String(0, 1)});
  commands->DeleteNodes();
  ASSERT_EQ(wizard.System().BatteryCount(), 1);
  EXPECT_EQ(Battery(0), second);
  EXPECT_EQ(tree.focused, second);
}

TEST_F(TreeCommands, ConfigureStringMergesTheSelectedStringsIntoTheDialog) {
  AddStrings(0, 2, 4);
  String(0, 1)->SetCellCount(6);
  for (int s = 0; s < 2; ++s)
    for (int c = 0; c < String(0, s)->CellCount(); ++c) String(0, s)->GetCell(c)->SetBlocksPerChannel(2);
  String(0, 1)->GetCell(5)->VoltageOnlyState = 1;

  dialogs.stringAnswers.push_back(false);
  Select({Battery(0)});
  commands->ConfigureString();
  ASSERT_EQ(dialogs.stringInputs.size(), 1u);
  const TStringSetupInput& in = dialogs.stringInputs[0];
  EXPECT_EQ(in.CellCount, std::optional<int>(kSummaryDiffers));
  EXPECT_EQ(in.JarCount, std::optional<int>(2));
  EXPECT_EQ(in.CurrentCount, std::optional<int>(1));
  EXPECT_EQ(in.TemperatureCount, std::optional<int>(1));
  EXPECT_EQ(in.VoltageOnlyState, 2);
  EXPECT_EQ(dialogs.stringScopes, std::vector<bool>{true});
  EXPECT_EQ(String(0, 1)->CellCount(), 6);  // cancelled: nothing applied

  // Strings without cells leave blocks unset; OK applies to the selection only.
  wizard.System().Root()->AddChild();
  AddStrings(1, 1, 0);
  dialogs.stringAnswers.push_back(true);
  dialogs.onStringOk = [](TStringSetup& s) { s = {0, 3, 7, 4, 0}; };
  Select({String(1, 0)});
  commands->ConfigureString();
  EXPECT_FALSE(dialogs.stringInputs[1].JarCount.has_value());
  EXPECT_EQ(dialogs.stringInputs[1].CellCount, std::optional<int>(0));
  EXPECT_EQ(String(1, 0)->CellCount(), 7);
  EXPECT_EQ(String(1, 0)->CurrentCount(), 0);
  EXPECT_EQ(String(1, 0)->TemperatureCount(), 3);
  EXPECT_EQ(String(1, 0)->GetCell(6)->BlocksPerChannel(), 4);
  EXPECT_EQ(String(0, 0)->CellCount(), 4);

  // "All strings in all batteries" reaches every string.
  dialogs.stringAnswers.push_back(true);
  dialogs.stringAllStrings = true;
  commands->ConfigureString();
  EXPECT_EQ(String(0, 0)->CellCount(), 7);
  EXPECT_EQ(String(0, 1)->CellCount(), 7);
  EXPECT_EQ(String(0, 1)->GetCell(0)->BlocksPerChannel(), 4);
  EXPECT_EQ(String(0, 1)->GetCell(5)->VoltageOnlyState, 0);
}

TEST_F(TreeCommands, ApplyStringDefaultsKeepsOldLeavesLimitsAndSetsEveryCellsBlocks) {
  AddStrings(0, 1, 2);
  TzmUPSStringSystemNode* string = String(0, 0);
  string->GetCell(0)->HighAlarm = 99;
  string->GetCell(1)->VoltageOnlyState = 1;
  commands->ApplyStringDefaults(string, {1, 1, 4, 3, 2}, dialogs.alarms);
  ASSERT_EQ(string->CellCount(), 4);
  EXPECT_DOUBLE_EQ(string->GetCell(0)->HighAlarm, 99);  // old cells keep their limits
  EXPECT_DOUBLE_EQ(string->GetCell(3)->HighAlarm, 14.4);
  EXPECT_EQ(string->GetCell(0)->BlocksPerChannel(), 3);
  EXPECT_EQ(string->GetCell(1)->VoltageOnlyState, 1);  // undecided leaves it
  commands->ApplyStringDefaults(string, {1, 1, 4, 3, 0}, dialogs.alarms);
  EXPECT_EQ(string->GetCell(1)->VoltageOnlyState, 0);
}

TEST_F(TreeCommands, RaisingAStringCountAsksForStringAndAlarmSettings) {
  AddStrings(0, 1);
  Battery(0)->SetName("Main UPS");
  dialogs.string = {1, 0, 2, 1, 0};
  dialogs.AnswerBatteries({2, {"Main UPS", "Spare"}, {3, 1}});
  dialogs.stringAnswers.push_back(true);
  dialogs.alarmAnswers.push_back(true);
  commands->ConfigureBatteries();

  EXPECT_EQ(dialogs.batteriesShown.BatteryCount, 1);
  EXPECT_EQ(dialogs.batteriesShown.Names, std::vector<std::string>{"Main UPS"});
  EXPECT_EQ(dialogs.batteriesShown.StringCounts, std::vector<int>{1});
  EXPECT_EQ((std::vector<std::string>{"batteries", "string", "alarms"}), dialogs.shown);
  EXPECT_EQ(dialogs.stringScopes, std::vector<bool>{false});
  EXPECT_EQ(dialogs.alarmForced, std::vector<bool>{false});
  ASSERT_EQ(wizard.System().BatteryCount(), 2);
  EXPECT_EQ(Battery(1)->Name(), "Spare");
  ASSERT_EQ(Battery(0)->StringCount(), 3);
  EXPECT_EQ(String(0, 0)->CellCount(), 4);  // the old string is left alone
  EXPECT_EQ(String(0, 2)->CellCount(), 2);
  EXPECT_EQ(String(0, 2)->TemperatureCount(), 0);
  EXPECT_DOUBLE_EQ(String(0, 2)->GetCurrent(0)->HighAlarm, 100);
  EXPECT_DOUBLE_EQ(String(1, 0)->GetCell(1)->LowAlarm, 12);

  // Accepted alarms are not asked again; renaming alone asks nothing.
  dialogs.AnswerBatteries({2, {"Main", "Spare"}, {3, 1}});
  commands->ConfigureBatteries();
  EXPECT_EQ(Battery(0)->Name(), "Main");
  EXPECT_EQ(dialogs.shown.size(), 4u);

  // Lowering counts asks nothing either.
  dialogs.AnswerBatteries({1, {"Main"}, {2}});
  commands->ConfigureBatteries();
  EXPECT_EQ(dialogs.shown.size(), 5u);
  EXPECT_EQ(wizard.System().BatteryCount(), 1);
  EXPECT_EQ(Battery(0)->StringCount(), 2);

  // After File New the alarm limits count as not accepted again.
  commands->NewSystemStarted();
  dialogs.AnswerBatteries({1, {"Main"}, {3}});
  dialogs.stringAnswers.push_back(true);
  dialogs.alarmAnswers.push_back(true);
  commands->ConfigureBatteries();
  EXPECT_EQ(dialogs.shown.back(), "alarms");
}

TEST_F(TreeCommands, CancelInEitherConfirmationLeavesTheSystemExactlyAsItWas) {
  AddStrings(0, 2, 3);
  String(0, 1)->GetCell(0)->SetLabel("Jar 9");
  String(0, 1)->Number = 10001;
  const std::string before = DumpSystem(wizard.System());

  // Cancelled string dialog, "No" shows it again, then Cancel.
  dialogs.AnswerBatteries({3, {"A", "B", "C"}, {4, 2, 2}});
  dialogs.stringAnswers = {false, false};
  services.messages.Answer(TMsgAnswer::No).Answer(TMsgAnswer::Cancel);
  commands->ConfigureBatteries();
  EXPECT_EQ(DumpSystem(wizard.System()), before);
  EXPECT_EQ(services.messages.messages.size(), 2u);
  EXPECT_EQ(services.messages.LastText(), kAskStringDefaults);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);

  // Strings accepted as before ("Yes"), alarms cancelled, "No", cancelled, Cancel.
  dialogs.AnswerBatteries({3, {"A", "B", "C"}, {4, 2, 2}});
  dialogs.stringAnswers = {false};
  dialogs.alarmAnswers = {false, false};
  services.messages.Answer(TMsgAnswer::Yes).Answer(TMsgAnswer::No).Answer(TMsgAnswer::Cancel);
  commands->ConfigureBatteries();
  EXPECT_EQ(DumpSystem(wizard.System()), before);
  EXPECT_EQ(services.messages.LastText(), kAskCorruptedConfig);
  EXPECT_EQ(services.messages.messages.back().kind, TMsgKind::Error);
  EXPECT_EQ(services.messages.messages.back().buttons, TMsgButtons::YesNoCancel);

  // "Yes" to the corrupted-file question goes on.
  dialogs.AnswerBatteries({3, {"A", "B", "C"}, {4, 2, 2}});
  dialogs.stringAnswers = {true};
  dialogs.alarmAnswers = {false};
  services.messages.Answer(TMsgAnswer::Yes);
  commands->ConfigureBatteries();
  EXPECT_EQ(wizard.System().BatteryCount(), 3);
  EXPECT_EQ(Battery(0)->StringCount(), 4);
  EXPECT_EQ(Battery(2)->Name(), "C");
}

TEST_F(TreeCommands, ConfigureAlarmsFollowsTheScope) {
  wizard.System().Root()->AddChild();
  AddStrings(0, 1, 2);
  AddStrings(1, 1, 2);

  // Nothing selected with a local scope: the limit boxes are emptied first, then a warning.
  dialogs.alarmAnswers.push_back(true);
  commands->ConfigureAlarms();
  ASSERT_EQ(dialogs.alarmLimitsSet.size(), 1u);
  EXPECT_LT(dialogs.alarmLimitsSet[0].HighV, 0);
  EXPECT_EQ(dialogs.alarmForced, std::vector<bool>{false});
  EXPECT_EQ(services.messages.LastText(), kMsgNothingSelectedForAlarms);

  dialogs.alarms = {50, 5, 200, 10, 2.3, 1.9, 4, 1};
  dialogs.alarmLimitsSet.clear();
  wizard.GlobalAlarmSetting = true;  // boxes kept, scope forced
  dialogs.alarmAllStrings = true;
  dialogs.alarmAnswers.push_back(true);
  commands->ConfigureAlarms();
  EXPECT_TRUE(dialogs.alarmLimitsSet.empty());
  EXPECT_TRUE(dialogs.alarmForced.back());
  EXPECT_DOUBLE_EQ(String(1, 0)->GetCell(1)->HighAlarm, 2.3);
  EXPECT_DOUBLE_EQ(String(0, 0)->GetCurrent(0)->LowAlarm, 10);
  EXPECT_DOUBLE_EQ(String(0, 0)->GetTemperature(0)->HighAlarm, 50);

  // Local scope: only the selected battery's strings; the user types into the emptied boxes.
  wizard.GlobalAlarmSetting = false;
  dialogs.alarmAllStrings = false;
  dialogs.onAlarmOk = [](TAlarmLimits& l) { l = {30, 0, 90, -1, 2.2, 1.8, 5, 2}; };
  dialogs.alarmAnswers.push_back(true);
  Select({Battery(1), String(0, 0)->GetCell(0)});
  commands->ConfigureAlarms();
  EXPECT_DOUBLE_EQ(String(1, 0)->GetCell(0)->HighAlarm, 2.2);
  EXPECT_DOUBLE_EQ(String(1, 0)->GetCell(1)->HighResistance, 5);
  EXPECT_DOUBLE_EQ(String(1, 0)->GetCurrent(0)->HighAlarm, 90);
  EXPECT_DOUBLE_EQ(String(1, 0)->GetTemperature(0)->LowAlarm, 0);
  EXPECT_DOUBLE_EQ(String(0, 0)->GetCell(0)->HighAlarm, 2.3);  // a selected cell is skipped

  // Cancel changes nothing.
  dialogs.alarmAnswers.push_back(false);
  const std::string before = DumpSystem(wizard.System());
  commands->ConfigureAlarms();
  EXPECT_EQ(DumpSystem(wizard.System()), before);
}

TEST_F(TreeCommands, BlocksPerChannelOffersTheSummaryAndSetsEveryCellReached) {
  TRecordingPrompts prompts;
  SetValuePrompts(&prompts);
  AddStrings(0, 2, 2);
  for (int c = 0; c < 2; ++c) String(0, 0)->GetCell(c)->SetBlocksPerChannel(2);
  for (int c = 0; c < 2; ++c) String(0, 1)->GetCell(c)->SetBlocksPerChannel(2);

  prompts.Reply(true, "6");
  Select({String(0, 1)->CellsGroup(), String(0, 0)->GetCell(0)});
  commands->ConfigureBlocksPerChannel();
  ASSERT_EQ(prompts.offered.size(), 1u);
  EXPECT_EQ(prompts.offered[0], 2);
  EXPECT_EQ(prompts.ranges[0], std::make_pair(1, 10));
  EXPECT_EQ(prompts.asked[0].prompt, kPromptBlocksPerChannel);
  EXPECT_EQ(String(0, 1)->GetCell(1)->BlocksPerChannel(), 6);
  EXPECT_EQ(String(0, 0)->GetCell(0)->BlocksPerChannel(), 6);
  EXPECT_EQ(String(0, 0)->GetCell(1)->BlocksPerChannel(), 2);

  // Differing values offer the mixed marker; cancel changes nothing.
  prompts.Reply(false);
  Select({Battery(0)});
  commands->ConfigureBlocksPerChannel();
  EXPECT_EQ(prompts.offered[1], kSummaryDiffers);
  EXPECT_EQ(String(0, 0)->GetCell(1)->BlocksPerChannel(), 2);
  SetValuePrompts(&services.prompts);
}

TEST_F(TreeCommands, GensetTickEnablesNextAtOnce) {
  AddStrings(0, 1);
  String(0, 0)->SetCurrentCount(0);
  String(0, 0)->SetControlUnit(0);
  tree.FocusOnly(Battery(0));
  commands->SelectionChanged();
  EXPECT_FALSE(view.nextEnabled);

  commands->pumUPSPopup();
  commands->ToggleGenset();
  EXPECT_TRUE(Battery(0)->Genset);
  EXPECT_TRUE(commands->State(ta::mnuBatteryGenset).Checked);
  EXPECT_TRUE(view.nextEnabled);

  commands->ToggleGenset();
  EXPECT_FALSE(Battery(0)->Genset);
  EXPECT_FALSE(view.nextEnabled);

  commands->ToggleVoltageOnly();
  EXPECT_TRUE(Battery(0)->VoltageOnly);
  EXPECT_FALSE(Battery(0)->Genset);
}

TEST_F(TreeCommands, NullChannelsNeedAFocusedCell) {
  TRecordingPrompts prompts;
  SetValuePrompts(&prompts);
  AddStrings(0, 1, 2);
  tree.FocusOnly(nullptr);
  commands->AddNullChannel();
  EXPECT_EQ(services.messages.LastText(), kMsgNoPointForNullChannel);
  EXPECT_TRUE(prompts.asked.empty());

  TzmUPSCellSystemNode* cell = String(0, 0)->GetCell(1);
  cell->NullCount = 1;
  tree.FocusOnly(cell);
  prompts.Reply(true, "3");
  commands->AddNullChannel();
  EXPECT_EQ(prompts.offered[0], 1);
  EXPECT_EQ(prompts.ranges[0], std::make_pair(0, 3));
  EXPECT_EQ(cell->NullCount, 3);
  EXPECT_EQ(String(0, 0)->ChannelCount(), 5);
  prompts.Reply(false);
  commands->AddNullChannel();
  EXPECT_EQ(cell->NullCount, 3);
  SetValuePrompts(&services.prompts);
}

TEST_F(TreeCommands, NodeCountEditByKindOfTheFocusedNode) {
  TRecordingPrompts prompts;
  SetValuePrompts(&prompts);
  AddStrings(0, 1, 4);
  TzmUPSStringSystemNode* string = String(0, 0);

  tree.FocusOnly(Battery(0));
  prompts.Reply(true, "3");
  commands->NodeCountEdit();
  EXPECT_EQ(prompts.asked.back().prompt, kPromptStringCount);
  EXPECT_EQ(prompts.ranges.back(), std::make_pair(1, 15));
  EXPECT_EQ(Battery(0)->StringCount(), 3);
  // Strings made this way get only what the model gives them.
  EXPECT_EQ(String(0, 2)->CellCount(), 0);

  tree.FocusOnly(string->CurrentsGroup());
  prompts.Reply(true, "no");
  commands->NodeCountEdit();
  EXPECT_EQ(prompts.asked.back().prompt, kPromptHasCurrentProbe);
  EXPECT_EQ(string->CurrentCount(), 0);

  tree.FocusOnly(string->CellsGroup());
  prompts.Reply(true, "12");
  commands->NodeCountEdit();
  EXPECT_EQ(prompts.offered.back(), 4);
  EXPECT_EQ(prompts.ranges.back(), std::make_pair(0, 5000));
  EXPECT_EQ(string->CellCount(), 12);

  tree.FocusOnly(string->TemperaturesGroup());
  prompts.Reply(false);
  commands->NodeCountEdit();
  EXPECT_EQ(prompts.ranges.back(), std::make_pair(0, 4));
  EXPECT_EQ(string->TemperatureCount(), 1);

  string->SetCurrentCount(1);
  tree.FocusOnly(string->GetCurrent(0));
  dialogs.scalingAnswers.push_back(true);
  commands->NodeCountEdit();
  EXPECT_EQ(dialogs.scalingRuns, 1);

  tree.FocusOnly(string);
  dialogs.stringAnswers.push_back(false);
  commands->NodeCountEdit();
  EXPECT_EQ(dialogs.shown.back(), "string");

  // Cells and sensors have no count edit.
  const size_t asked = prompts.asked.size();
  tree.FocusOnly(string->GetCell(0));
  commands->NodeCountEdit();
  EXPECT_EQ(prompts.asked.size(), asked);
  SetValuePrompts(&services.prompts);
}

TEST_F(TreeCommands, RenameStartsEditingAndNamesWithACommaAreRefused) {
  tree.FocusOnly(Battery(0));
  commands->Rename();
  EXPECT_EQ(tree.editsStarted, 1);
  EXPECT_TRUE(commands->AcceptNodeName("Main UPS"));
  EXPECT_TRUE(services.messages.messages.empty());
  EXPECT_FALSE(commands->AcceptNodeName("North, East"));
  EXPECT_EQ(services.messages.LastText(), kMsgNameWithComma);
}

