// The set-up commands of the tree page: batteries, strings, alarm limits and
// blocks per channel, with the per-string operations they share.
#include <algorithm>
#include <vector>

#include "common/ZMUserInterface.h"
#include "model/ZMUPSTreeSystem.h"
#include "wizard/MainTreeCommands.h"
#include "wizard/MainWizard.h"

// --- per-node assignments ---------------------------------------------------------------

void TMainTreeCommands::ApplyStringDefaults(TzmUPSStringSystemNode* string) {
  ApplyStringDefaults(string, Dialogs_.StringSetup(), Dialogs_.AlarmLimits());
}

void TMainTreeCommands::ApplyStringDefaults(TzmUPSStringSystemNode* string, const TStringSetup& setup,
                                            const TAlarmLimits& limits) {
  if (TzmUPSAllCurrentSystemNode* currents = string->CurrentsGroup()) {
    const int old = SetNodeChildCount(currents, std::max(setup.CurrentCount, 0));
    for (int i = old; i < string->CurrentCount(); ++i) {
      TzmUPSCurrentSystemNode* probe = string->GetCurrent(i);
      probe->LowAlarm = limits.LowI;
      probe->HighAlarm = limits.HighI;
      probe->RefreshView();
    }
  }
  if (TzmUPSAllTemperatureSystemNode* temps = string->TemperaturesGroup()) {
    const int old = SetNodeChildCount(temps, std::max(setup.TemperatureCount, 0));
    for (int i = old; i < string->TemperatureCount(); ++i) {
      TzmUPSTemperatureSystemNode* sensor = string->GetTemperature(i);
      sensor->LowAlarm = limits.LowT;
      sensor->HighAlarm = limits.HighT;
      sensor->RefreshView();
    }
  }
  // A blocks count below 1 (a box shown mixed) is no count: cells keep theirs.
  const bool blocksGiven = setup.JarCount >= 1;
  if (TzmUPSAllCellSystemNode* cells = string->CellsGroup()) {
    const int old = SetNodeChildCount(cells, std::max(setup.CellCount, 0));
    for (int i = old; i < string->CellCount(); ++i) {
      TzmUPSCellSystemNode* cell = string->GetCell(i);
      if (blocksGiven) cell->SetBlocksPerChannel(setup.JarCount);
      SetCellAlarms(cell, limits);
    }
  }
  for (int i = 0; i < string->CellCount(); ++i) {
    TzmUPSCellSystemNode* cell = string->GetCell(i);
    if (blocksGiven) cell->SetBlocksPerChannel(setup.JarCount);
    if (setup.VoltageOnlyState == 0 || setup.VoltageOnlyState == 1)
      cell->VoltageOnlyState = static_cast<std::uint8_t>(setup.VoltageOnlyState);
    cell->RefreshView();
  }
  string->RefreshView();
}

void TMainTreeCommands::CopyStringSetup(const TzmUPSStringSystemNode& source, TzmUPSStringSystemNode& dest) {
  if (TzmUPSAllCurrentSystemNode* currents = dest.CurrentsGroup()) currents->SetChildCount(source.CurrentCount());
  if (TzmUPSAllTemperatureSystemNode* temps = dest.TemperaturesGroup())
    temps->SetChildCount(source.TemperatureCount());
  if (TzmUPSAllCellSystemNode* cells = dest.CellsGroup()) cells->SetChildCount(source.CellCount());
  for (int i = 0; i < std::min(source.CurrentCount(), dest.CurrentCount()); ++i) {
    dest.GetCurrent(i)->LowAlarm = source.GetCurrent(i)->LowAlarm;
    dest.GetCurrent(i)->HighAlarm = source.GetCurrent(i)->HighAlarm;
    dest.GetCurrent(i)->RefreshView();
  }
  for (int i = 0; i < std::min(source.TemperatureCount(), dest.TemperatureCount()); ++i) {
    dest.GetTemperature(i)->LowAlarm = source.GetTemperature(i)->LowAlarm;
    dest.GetTemperature(i)->HighAlarm = source.GetTemperature(i)->HighAlarm;
    dest.GetTemperature(i)->RefreshView();
  }
  for (int i = 0; i < std::min(source.CellCount(), dest.CellCount()); ++i) {
    const TzmUPSCellSystemNode* from = source.GetCell(i);
    TzmUPSCellSystemNode* to = dest.GetCell(i);
    to->LowAlarm = from->LowAlarm;
    to->HighAlarm = from->HighAlarm;
    to->LowResistance = from->LowResistance;
    to->HighResistance = from->HighResistance;
    to->SetBlocksPerChannel(from->BlocksPerChannel());
    to->RefreshView();
  }
  dest.RefreshView();
}

// --- Configure Batteries ----------------------------------------------------------------

bool TMainTreeCommands::ConfirmNewStrings(bool alarmsAcceptedAtStart) {
  while (!Dialogs_.ExecuteString(false)) {
    const TMsgAnswer answer = UserMessages().Show(TMsgKind::Warning, kAskStringDefaults, TMsgButtons::YesNoCancel);
    if (answer == TMsgAnswer::Yes) break;
    if (answer != TMsgAnswer::No) return false;
  }
  if (alarmsAcceptedAtStart) return true;
  while (!Dialogs_.ExecuteAlarms(Wizard_.GlobalAlarmSetting)) {
    const TMsgAnswer answer = UserMessages().Show(TMsgKind::Error, kAskCorruptedConfig, TMsgButtons::YesNoCancel);
    if (answer == TMsgAnswer::Yes) break;
    if (answer != TMsgAnswer::No) return false;
  }
  return true;
}

void TMainTreeCommands::ConfigureBatteries() {
  const bool alarmsAcceptedAtStart = Dialogs_.AlarmsAccepted();
  TzmUPSSystem& system = Wizard_.System();
  TzmSystemNode* root = system.Root();

  TBatterySetup before;
  before.BatteryCount = root->ChildCount();
  for (int b = 0; b < before.BatteryCount; ++b) {
    before.Names.push_back(root->GetChild(b)->Name());
    before.StringCounts.push_back(root->GetChild(b)->ChildCount());
  }
  Dialogs_.SetBatterySetup(before);

  if (Dialogs_.ExecuteBatteries()) {
    TBatterySetup wanted = Dialogs_.BatterySetup();
    const int count = std::max(wanted.BatteryCount, 0);
    wanted.Names.resize(static_cast<size_t>(count));
    wanted.StringCounts.resize(static_cast<size_t>(count), 1);

    bool grows = count > before.BatteryCount;
    for (int b = 0; !grows && b < before.BatteryCount && b < count; ++b)
      grows = wanted.StringCounts[static_cast<size_t>(b)] > before.StringCounts[static_cast<size_t>(b)];
    // Both confirmations come before the first change, so Cancel leaves the system as it was.
    if (grows && !ConfirmNewStrings(alarmsAcceptedAtStart)) return;

    // Read the dialogs' values before the first change as well.
    const TStringSetup setup = Dialogs_.StringSetup();
    const TAlarmLimits limits = Dialogs_.AlarmLimits();

    while (root->ChildCount() > count) root->GetChild(root->ChildCount() - 1)->Delete();
    while (root->ChildCount() < count) root->AddChild();
    RefreshSystemTree();

    for (int b = 0; b < count; ++b) {
      auto* battery = static_cast<TzmUPSBatterySystemNode*>(root->GetChild(b));
      battery->SetName(wanted.Names[static_cast<size_t>(b)]);
      const int strings = std::max(wanted.StringCounts[static_cast<size_t>(b)], 0);
      const int old = SetNodeChildCount(battery, strings);
      for (int s = old; s < strings; ++s) {
        TzmUPSStringSystemNode* string = battery->GetString(s);
        ApplyStringDefaults(string, setup, limits);
        SetProbeAlarms(string, limits);
        for (int c = 0; c < string->CellCount(); ++c) SetCellAlarms(string->GetCell(c), limits);
      }
    }
  }
  RefreshSystemTree();
  Wizard_.UpdateWizardButtons();
  SelectionChanged();
}

// --- Configure string -------------------------------------------------------------------

void TMainTreeCommands::ConfigureString() {
  int currents = kSummaryNotSeen, temps = kSummaryNotSeen, cells = kSummaryNotSeen;
  int blocks = kSummaryNotSeen, voltageOnly = kSummaryNotSeen;
  auto merge = [&](const TzmUPSStringSystemNode* string) {
    MergeSummary(currents, string->CurrentCount());
    MergeSummary(temps, string->TemperatureCount());
    MergeSummary(cells, string->CellCount());
    for (int i = 0; i < string->CellCount(); ++i) {
      MergeSummary(blocks, string->GetCell(i)->BlocksPerChannel());
      MergeSummary(voltageOnly, string->GetCell(i)->VoltageOnlyState);
    }
  };
  ForEachSelectedNode([&](TzmSystemNode* node) {
    if (auto* battery = dynamic_cast<TzmUPSBatterySystemNode*>(node)) {
      for (int s = 0; s < battery->StringCount(); ++s) merge(battery->GetString(s));
    } else if (auto* string = dynamic_cast<TzmUPSStringSystemNode*>(node)) {
      merge(string);
    }
  });

  TStringSetupInput input;
  auto given = [](int value) { return value == kSummaryNotSeen ? std::optional<int>() : value; };
  input.JarCount = given(blocks);
  input.CellCount = given(cells);
  input.CurrentCount = given(currents);
  input.TemperatureCount = given(temps);
  input.VoltageOnlyState = voltageOnly == kSummaryNotSeen || voltageOnly == kSummaryDiffers ? 2 : voltageOnly;
  Dialogs_.SetStringSetup(input);

  if (!Dialogs_.ExecuteString(true)) return;
  const TStringSetup setup = Dialogs_.StringSetup();
  const TAlarmLimits limits = Dialogs_.AlarmLimits();
  if (Dialogs_.StringAllStrings()) {
    Wizard_.System().ForEachNode({}, [&](TzmUPSStringSystemNode* string) {
      ApplyStringDefaults(string, setup, limits);
    });
    Wizard_.UpdateWizardButtons();
  } else {
    ForEachSelectedNode([&](TzmSystemNode* node) {
      if (auto* battery = dynamic_cast<TzmUPSBatterySystemNode*>(node)) {
        for (int s = 0; s < battery->StringCount(); ++s) ApplyStringDefaults(battery->GetString(s), setup, limits);
      } else if (auto* string = dynamic_cast<TzmUPSStringSystemNode*>(node)) {
        ApplyStringDefaults(string, setup, limits);
      }
    });
  }
  UpdateTreeActions();
}

// --- Configure alarms -------------------------------------------------------------------

void TMainTreeCommands::ApplyAlarmsToNode(TzmSystemNode* node, const TAlarmLimits& limits) {
  auto applyString = [&limits](TzmUPSStringSystemNode* string) {
    SetProbeAlarms(string, limits);
    for (int c = 0; c < string->CellCount(); ++c) SetCellAlarms(string->GetCell(c), limits);
  };
  if (auto* battery = dynamic_cast<TzmUPSBatterySystemNode*>(node)) {
    for (int s = 0; s < battery->StringCount(); ++s) applyString(battery->GetString(s));
  } else if (auto* string = dynamic_cast<TzmUPSStringSystemNode*>(node)) {
    applyString(string);
  }
}

void TMainTreeCommands::ConfigureAlarms() {
  if (!Wizard_.GlobalAlarmSetting) Dialogs_.SetAlarmLimits(TAlarmLimits{});
  if (!Dialogs_.ExecuteAlarms(Wizard_.GlobalAlarmSetting)) return;
  const TAlarmLimits limits = Dialogs_.AlarmLimits();
  if (Dialogs_.AlarmAllStrings()) {
    Wizard_.System().ForEachNode([&limits](TzmUPSCellSystemNode* cell) { SetCellAlarms(cell, limits); },
                                 [&limits](TzmUPSStringSystemNode* string) { SetProbeAlarms(string, limits); });
  } else {
    const TzmTreeSelection selection = Tree_.Selection();
    if (selection.Selected.empty()) {
      UserMessages().Show(TMsgKind::Warning, kMsgNothingSelectedForAlarms, TMsgButtons::Ok);
      return;
    }
    for (TzmSystemNode* node : selection.Selected) ApplyAlarmsToNode(node, limits);
  }
  Wizard_.UpdateWizardButtons();
}

// --- Configure units per DCM channel ----------------------------------------------------

void TMainTreeCommands::ConfigureBlocksPerChannel() {
  auto cellsOf = [](TzmSystemNode* node) {
    std::vector<TzmUPSCellSystemNode*> cells;
    auto addString = [&cells](const TzmUPSStringSystemNode* string) {
      for (int c = 0; c < string->CellCount(); ++c) cells.push_back(string->GetCell(c));
    };
    if (auto* battery = dynamic_cast<TzmUPSBatterySystemNode*>(node)) {
      for (int s = 0; s < battery->StringCount(); ++s) addString(battery->GetString(s));
    } else if (auto* string = dynamic_cast<TzmUPSStringSystemNode*>(node)) {
      addString(string);
    } else if (auto* group = dynamic_cast<TzmUPSAllCellSystemNode*>(node)) {
      for (int c = 0; c < group->ChildCount(); ++c)
        if (auto* cell = dynamic_cast<TzmUPSCellSystemNode*>(group->GetChild(c))) cells.push_back(cell);
    } else if (auto* cell = dynamic_cast<TzmUPSCellSystemNode*>(node)) {
      cells.push_back(cell);
    }
    return cells;
  };
  std::vector<TzmUPSCellSystemNode*> cells;
  ForEachSelectedNode([&](TzmSystemNode* node) {
    for (TzmUPSCellSystemNode* cell : cellsOf(node)) cells.push_back(cell);
  });
  int blocks = kSummaryNotSeen;
  for (const TzmUPSCellSystemNode* cell : cells) MergeSummary(blocks, cell->BlocksPerChannel());
  if (!ValuePrompts().GetInteger(kPromptBlocksPerChannel, blocks, 1, 10)) return;
  blocks = std::clamp(blocks, 1, 10);
  for (TzmUPSCellSystemNode* cell : cells) {
    cell->SetBlocksPerChannel(blocks);
    cell->RefreshView();
  }
  Wizard_.UpdateWizardButtons();
}
