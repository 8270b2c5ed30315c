#include "wizard/MainTreeCommands.h"

#include <algorithm>
#include <set>
#include <vector>

#include "common/ZMCharset.h"
#include "common/ZMUserInterface.h"
#include "model/ZMUPSTreeSystem.h"
#include "wizard/MainWizard.h"

namespace ta = tree_action;

TSelectionKinds NodeKindFlag(const TzmSystemNode* node) {
  if (dynamic_cast<const TzmUPSCellSystemNode*>(node)) return skCell;
  if (dynamic_cast<const TzmUPSTemperatureSystemNode*>(node)) return skTemperature;
  if (dynamic_cast<const TzmUPSCurrentSystemNode*>(node)) return skCurrent;
  if (dynamic_cast<const TzmUPSAllCellSystemNode*>(node)) return skCells;
  if (dynamic_cast<const TzmUPSAllTemperatureSystemNode*>(node)) return skTemps;
  if (dynamic_cast<const TzmUPSAllCurrentSystemNode*>(node)) return skCurrents;
  if (dynamic_cast<const TzmUPSStringSystemNode*>(node)) return skString;
  if (dynamic_cast<const TzmUPSBatterySystemNode*>(node)) return skBattery;
  return 0;
}

void MergeSummary(int& summary, int incoming) {
  if (summary == kSummaryDiffers || summary == incoming) return;
  summary = summary == kSummaryNotSeen ? incoming : kSummaryDiffers;
}

TMainTreeCommands::TMainTreeCommands(TConfigWizardLogic& wizard, IMainDialogs& dialogs,
                                     IMainTreeView& tree)
    : Wizard_(wizard), Dialogs_(dialogs), Tree_(tree) {
  // Items that only the pop-up menu decides start as a menu without a focused node shows them.
  for (const char* name : {ta::mnuEditTreeText, ta::mnuAddNullChannel, ta::mnuLinkStrings,
                           ta::mnuUnlinkString})
    States_[name].Enabled = false;
  for (const char* name : {ta::mnuBatterySection, ta::mnuBatteryGenset, ta::mnuBatteryVoltageOnly})
    States_[name].Visible = false;
  States_[ta::ConfigureBatteries] = {};
  States_[ta::EditTreeText] = {};
  States_[ta::AddNullChannel] = {};
  UpdateTreeActions();
}

const TActionState& TMainTreeCommands::State(const std::string& name) const {
  static const TActionState kUnknown{false, false, false};
  const auto it = States_.find(name);
  return it == States_.end() ? kUnknown : it->second;
}

void TMainTreeCommands::StatesChanged() {
  if (OnStatesChanged) OnStatesChanged();
}

void TMainTreeCommands::SetState(const char* name, bool enabled) { States_[name].Enabled = enabled; }

void TMainTreeCommands::ForEachSelectedNode(const std::function<void(TzmSystemNode*)>& proc) {
  Wizard_.ControlUnits().ForEachSelectedNode(Tree_.Selection(), proc);
}

// --- selection and enabling -------------------------------------------------------

TSelectionKinds TMainTreeCommands::ComputeSelectionKinds() const {
  const TzmTreeSelection selection = Tree_.Selection();
  TSelectionKinds kinds = 0;
  if (!selection.Selected.empty()) {
    for (const TzmSystemNode* node : selection.Selected) kinds |= NodeKindFlag(node);
  } else if (selection.Focused) {
    kinds |= NodeKindFlag(selection.Focused);
  }
  return kinds;
}

void TMainTreeCommands::SelectionChanged() {
  SelectionKinds_ = ComputeSelectionKinds();
  Wizard_.UpdateWizardButtons();
  UpdateTreeActions();
}

void TMainTreeCommands::UpdateTreeActions() {
  const TSelectionKinds k = SelectionKinds_;
  auto has = [k](TSelectionKinds flags) { return (k & flags) != 0; };
  SetState(ta::AddBattery, true);
  SetState(ta::AddString, has(skBattery));
  SetState(ta::AddTemperature, has(skString | skTemps | skTemperature));
  SetState(ta::AddCurrent, has(skString | skCurrents | skCurrent));
  SetState(ta::AddCell, has(skString | skCells | skCell));
  SetState(ta::ConfigureBlocksPerChannel, has(skBattery | skString | skCells | skCell));
  SetState(ta::DeleteNode,
           Tree_.Selection().Focused != nullptr && k != 0 && !has(skCurrents | skTemps | skCells));
  SetState(ta::ConfigureAlarms, Wizard_.GlobalAlarmSetting || has(skBattery | skString));
  SetState(ta::ConfigureString, has(skBattery | skString));
  SetState(ta::SetControlUnit, has(skBattery | skString));
  SetState(ta::AddControlUnit, Wizard_.ControlUnits().CanAddControlUnit());
  SetState(ta::DeleteControlUnit, Wizard_.ControlUnits().CanDeleteControlUnit());
  StatesChanged();
}

void TMainTreeCommands::pumUPSPopup() {
  const TzmTreeSelection selection = Tree_.Selection();
  const TzmSystemNode* focused = selection.Focused ? selection.Focused : Wizard_.System().Root();
  const TSelectionKinds kind = NodeKindFlag(focused);
  const auto* battery = dynamic_cast<const TzmUPSBatterySystemNode*>(focused);

  SetState(ta::AddBattery, true);
  SetState(ta::AddString, kind == skBattery);
  SetState(ta::AddCell, kind == skBattery || kind == skCells);
  SetState(ta::AddCurrent, kind == skString || kind == skCurrents);
  SetState(ta::AddTemperature, kind == skString || kind == skTemps);

  SetState(ta::mnuAddNullChannel, kind == skCell);
  SetState(ta::mnuEditTreeText, (kind & (skBattery | skString | skTemperature | skCell)) != 0);

  for (const char* name : {ta::mnuBatterySection, ta::mnuBatteryGenset, ta::mnuBatteryVoltageOnly})
    States_[name].Visible = battery != nullptr;
  if (battery) {
    States_[ta::mnuBatteryGenset].Checked = battery->Genset;
    States_[ta::mnuBatteryVoltageOnly].Checked = battery->VoltageOnly;
  }

  const size_t count = selection.Selected.size();
  if (count >= 2) {
    SetState(ta::mnuLinkStrings, kind == skString);
    SetState(ta::mnuUnlinkString, false);
    SetState(ta::mnuAddNullChannel, false);
  } else if (count == 1) {
    const TzmSystemNode* node = selection.Selected.front();
    SetState(ta::mnuLinkStrings, false);
    SetState(ta::mnuUnlinkString,
             dynamic_cast<const TzmUPSStringSystemNode*>(node) && node->GetNumber() >= kFirstJoinCounter);
  } else {
    SetState(ta::mnuLinkStrings, false);
    SetState(ta::mnuUnlinkString, false);
  }
  StatesChanged();
}

// --- adding ---------------------------------------------------------------------------

void TMainTreeCommands::ReinitTopLevel() {
  const TzmSystemNode* root = Wizard_.System().Root();
  if (root->ViewNode) root->ViewNode.Control->ReinitNode(root->ViewNode);
}

void TMainTreeCommands::AddBattery() {
  TzmUPSSystem& system = Wizard_.System();
  system.Root()->AddChild();
  ReinitTopLevel();
  system.RefreshTreeview();
  SelectionKinds_ = 0;
  Wizard_.UpdateWizardButtons();
  UpdateTreeActions();
}

void TMainTreeCommands::AddString() {
  // The dialogs' values are read once, before anything changes.
  const TStringSetup setup = Dialogs_.StringSetup();
  const TAlarmLimits limits = Dialogs_.AlarmLimits();
  ForEachSelectedNode([&](TzmSystemNode* node) {
    auto* battery = dynamic_cast<TzmUPSBatterySystemNode*>(node);
    if (!battery) {
      UserMessages().Show(TMsgKind::Error, kMsgStringsOnlyToBatteries, TMsgButtons::Ok);
      return;
    }
    auto* string = static_cast<TzmUPSStringSystemNode*>(battery->AddChild());
    const int count = battery->StringCount();
    if (count >= 2)
      CopyStringSetup(*battery->GetString(count - 2), *string);
    else
      ApplyStringDefaults(string, setup, limits);
    Tree_.ExpandNode(battery);
    battery->RefreshView();
  });
  UpdateTreeActions();
}

void TMainTreeCommands::AddLeaf(int groupIndex) {
  const TAlarmLimits limits = Dialogs_.AlarmLimits();
  ForEachSelectedNode([&](TzmSystemNode* node) {
    TzmSystemNode* group = nullptr;
    if (auto* string = dynamic_cast<TzmUPSStringSystemNode*>(node)) {
      if (string->ChildCount() > groupIndex) group = string->GetChild(groupIndex);
    } else if (dynamic_cast<TzmUPSAlarmedSystemNode*>(node)) {
      group = node->Parent();
    } else {
      group = node;
    }
    if (!group || !group->Parent() ||
        group->Parent()->IndexOfChild(group) != groupIndex ||
        !dynamic_cast<TzmUPSStringSystemNode*>(group->Parent()))
      return;
    TzmSystemNode* child = nullptr;
    if (groupIndex == 0 && dynamic_cast<TzmUPSAllCurrentSystemNode*>(group)) {
      auto* probe = static_cast<TzmUPSCurrentSystemNode*>(group->AddChild());
      probe->LowAlarm = limits.LowI;
      probe->HighAlarm = limits.HighI;
      child = probe;
    } else if (groupIndex == 1 && dynamic_cast<TzmUPSAllTemperatureSystemNode*>(group)) {
      auto* sensor = static_cast<TzmUPSTemperatureSystemNode*>(group->AddChild());
      sensor->LowAlarm = limits.LowT;
      sensor->HighAlarm = limits.HighT;
      child = sensor;
    } else if (groupIndex == 2 && dynamic_cast<TzmUPSAllCellSystemNode*>(group)) {
      auto* cell = static_cast<TzmUPSCellSystemNode*>(group->AddChild());
      SetCellAlarms(cell, limits);
      const int count = group->ChildCount();
      if (count > 1)
        cell->SetBlocksPerChannel(
            static_cast<const TzmUPSCellSystemNode*>(group->GetChild(count - 2))->BlocksPerChannel());
      child = cell;
    } else {
      return;
    }
    child->RefreshView();
    group->RefreshView();
    group->Parent()->RefreshView();
  });
  UpdateTreeActions();
}

void TMainTreeCommands::AddCurrent() { AddLeaf(0); }
void TMainTreeCommands::AddTemperature() { AddLeaf(1); }
void TMainTreeCommands::AddCell() { AddLeaf(2); }

// --- deleting ---------------------------------------------------------------------------

namespace {
bool IsGroup(const TzmSystemNode* node) {
  return (NodeKindFlag(node) & (skCurrents | skTemps | skCells)) != 0;
}

bool HasAncestorIn(const TzmSystemNode* node, const std::set<const TzmSystemNode*>& nodes) {
  for (const TzmSystemNode* p = node->Parent(); p; p = p->Parent())
    if (nodes.count(p)) return true;
  return false;
}

TzmSystemNode* SiblingOf(const TzmSystemNode* node, int offset) {
  const TzmSystemNode* parent = node->Parent();
  if (!parent) return nullptr;
  const int index = parent->IndexOfChild(node) + offset;
  return index >= 0 && index < parent->ChildCount() ? parent->GetChild(index) : nullptr;
}
}  // namespace

void TMainTreeCommands::DeleteNodes() {
  const TzmTreeSelection selection = Tree_.Selection();
  // A string always keeps its three groups, and the root is not the user's to delete.
  auto deletable = [](const TzmSystemNode* node) { return node && node->Parent() && !IsGroup(node); };
  if (!selection.Selected.empty()) {
    if (selection.Selected.size() > 1 &&
        UserMessages().Show(TMsgKind::Confirmation, kAskDeleteSelected, TMsgButtons::YesNo) !=
            TMsgAnswer::Yes)
      return;
    // A node whose ancestor goes too goes with it; it is not deleted twice.
    const std::set<const TzmSystemNode*> selected(selection.Selected.begin(), selection.Selected.end());
    std::vector<TzmSystemNode*> nodes;
    for (TzmSystemNode* node : selection.Selected)
      if (deletable(node) && !HasAncestorIn(node, selected)) nodes.push_back(node);
    const std::set<const TzmSystemNode*> doomed(nodes.begin(), nodes.end());
    TzmSystemNode* next = nullptr;
    TzmSystemNode* previous = nullptr;
    for (TzmSystemNode* node : nodes) {
      next = SiblingOf(node, 1);
      previous = SiblingOf(node, -1);
      node->Delete();
    }
    if (!nodes.empty()) {
      TzmSystemNode* focus = nullptr;
      if (next && !doomed.count(next))
        focus = next;
      else if (next && previous && !doomed.count(previous))
        focus = previous;
      Tree_.FocusNode(focus);
    }
  } else if (TzmSystemNode* node = selection.Focused; deletable(node)) {
    TzmSystemNode* next = SiblingOf(node, 1);
    node->Delete();
    Tree_.FocusNode(next);
  }
  // The selection lost its deleted rows.
  SelectionKinds_ = ComputeSelectionKinds();
  Wizard_.UpdateWizardButtons();
  UpdateTreeActions();
}

void TMainTreeCommands::DeleteKey() {
  if (Wizard_.State() != wsDefine || !Tree_.Selection().Focused || Tree_.IsEditing()) return;
  if (!State(ta::DeleteNode).Enabled) return;
  DeleteNodes();
}

// --- naming -----------------------------------------------------------------------------

void TMainTreeCommands::Rename() { Tree_.StartEditing(); }

bool TMainTreeCommands::AcceptNodeName(const std::string& name) const {
  if (name.find(',') != std::string::npos) {
    UserMessages().Show(TMsgKind::Error, kMsgNameWithComma, TMsgButtons::Ok);
    return false;
  }
  const std::string misfit = FirstCharacterNotInCp1252(name);
  if (misfit.empty()) return true;
  UserMessages().Show(TMsgKind::Error, NameCharacterMessage(misfit), TMsgButtons::Ok);
  return false;
}

// --- joins and battery flags -----------------------------------------------------------

void TMainTreeCommands::LinkStrings() {
  ++JoinCounter_;
  for (TzmSystemNode* node : Tree_.Selection().Selected) {
    if (!dynamic_cast<TzmUPSStringSystemNode*>(node)) continue;
    node->Number = JoinCounter_;
    node->RefreshView();
  }
}

void TMainTreeCommands::UnlinkString() {
  TzmSystemNode* node = Tree_.Selection().Focused;
  if (!dynamic_cast<TzmUPSStringSystemNode*>(node)) return;
  node->ClearNumber();
  node->RefreshView();
}

void TMainTreeCommands::ToggleBatteryFlag(const char* item, bool TzmUPSBatterySystemNode::*flag) {
  TActionState& state = States_[item];
  state.Checked = !state.Checked;
  if (auto* battery = dynamic_cast<TzmUPSBatterySystemNode*>(Tree_.Selection().Focused)) {
    battery->*flag = state.Checked;
    battery->RefreshView();
    Wizard_.UpdateWizardButtons();
  }
  StatesChanged();
}

void TMainTreeCommands::ToggleGenset() {
  ToggleBatteryFlag(ta::mnuBatteryGenset, &TzmUPSBatterySystemNode::Genset);
}

void TMainTreeCommands::ToggleVoltageOnly() {
  ToggleBatteryFlag(ta::mnuBatteryVoltageOnly, &TzmUPSBatterySystemNode::VoltageOnly);
}

// --- null channels and the node count edit -------------------------------------------

void TMainTreeCommands::AddNullChannel() {
  auto* cell = dynamic_cast<TzmUPSCellSystemNode*>(Tree_.Selection().Focused);
  if (!cell) {
    UserMessages().Show(TMsgKind::Error, kMsgNoPointForNullChannel, TMsgButtons::Ok);
    return;
  }
  int count = cell->NullCount;
  if (!ValuePrompts().GetInteger(kPromptNullChannels, count, 0, 3)) return;
  cell->NullCount = static_cast<std::uint8_t>(std::clamp(count, 0, 3));
  cell->RefreshView();
  if (TzmSystemNode* group = cell->Parent()) {
    group->RefreshView();
    if (group->Parent()) group->Parent()->RefreshView();
  }
  Wizard_.UpdateWizardButtons();
}

void TMainTreeCommands::NodeCountEdit() {
  TzmSystemNode* node = Tree_.Selection().Focused;
  if (!node) return;
  switch (NodeKindFlag(node)) {
    case skBattery: {
      int count = std::max(node->ChildCount(), 1);
      if (ValuePrompts().GetInteger(kPromptStringCount, count, 1, 15))
        SetNodeChildCount(node, std::clamp(count, 1, 15));
      break;
    }
    case skString:
      ConfigureString();
      return;
    case skCurrents: {
      bool hasProbe = node->ChildCount() > 0;
      if (ValuePrompts().GetBool(kPromptHasCurrentProbe, hasProbe)) SetNodeChildCount(node, hasProbe ? 1 : 0);
      break;
    }
    case skCurrent: {
      auto* probe = static_cast<TzmUPSCurrentSystemNode*>(node);
      if (Dialogs_.ExecuteCurrentScaling(probe->Scaling)) probe->RefreshView();
      break;
    }
    case skTemps: {
      int count = node->ChildCount();
      if (ValuePrompts().GetInteger(kPromptTemperatureCount, count, 0, 4))
        SetNodeChildCount(node, std::clamp(count, 0, 4));
      break;
    }
    case skCells: {
      int count = node->ChildCount();
      if (ValuePrompts().GetInteger(kPromptCellCount, count, 0, 5000))
        SetNodeChildCount(node, std::clamp(count, 0, 5000));
      break;
    }
    default:
      break;
  }
  Wizard_.UpdateWizardButtons();
}

void TMainTreeCommands::NewSystemStarted() { Dialogs_.SetAlarmsAccepted(false); }

// --- shared operations ------------------------------------------------------------------

int TMainTreeCommands::SetNodeChildCount(TzmSystemNode* node, int count) {
  const int old = node->ChildCount();
  node->SetChildCount(count);
  if (node == Wizard_.System().Root()) ReinitTopLevel();
  return old;
}

void TMainTreeCommands::RefreshSystemTree() {
  TzmUPSSystem& system = Wizard_.System();
  system.RefreshTreeview();
  const TzmSystemNode* root = system.Root();
  for (int i = 0; i < root->ChildCount(); ++i) {
    const TzmSystemNode* battery = root->GetChild(i);
    if (battery->ViewNode) battery->ViewNode.Control->ReinitNode(battery->ViewNode);
  }
  for (int i = 0; i < root->ChildCount(); ++i) {
    TzmSystemNode* battery = root->GetChild(i);
    battery->RefreshView();
    Tree_.ExpandNode(battery);
  }
}
