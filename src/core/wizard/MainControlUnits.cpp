#include "wizard/MainControlUnits.h"

#include <algorithm>

#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"
#include "model/ZMUPSTreeSystem.h"

std::string TMainControlUnits::ButtonCaption(int i) {
  return "Control unit #" + std::to_string(i + 1);
}

bool TMainControlUnits::ButtonMarked(int i) const {
  return i >= 0 && i < ButtonCount() && Marks_[static_cast<size_t>(i)];
}

bool TMainControlUnits::HasBatteryOrString(const TzmTreeSelection& selection) {
  auto isOne = [](const TzmSystemNode* node) {
    return dynamic_cast<const TzmUPSBatterySystemNode*>(node) ||
           dynamic_cast<const TzmUPSStringSystemNode*>(node);
  };
  if (selection.Selected.empty()) return selection.Focused && isOne(selection.Focused);
  for (const TzmSystemNode* node : selection.Selected)
    if (isOne(node)) return true;
  return false;
}

void TMainControlUnits::UpdateWizardButtons() const {
  if (OnUpdateWizardButtons) OnUpdateWizardButtons();
}

void TMainControlUnits::ButtonsChanged() const {
  if (OnButtonsChanged) OnButtonsChanged();
}

std::vector<TzmUPSStringSystemNode*> TMainControlUnits::AllStrings() const {
  std::vector<TzmUPSStringSystemNode*> strings;
  if (!System_) return strings;
  const TzmUPSBMUSystemNode* bmu = System_->BMU();
  for (int b = 0; b < bmu->BatteryCount(); ++b) {
    const TzmUPSBatterySystemNode* battery = bmu->GetBattery(b);
    if (!battery) continue;
    for (int s = 0; s < battery->StringCount(); ++s)
      if (TzmUPSStringSystemNode* string = battery->GetString(s)) strings.push_back(string);
  }
  return strings;
}

bool TMainControlUnits::AddControlUnitButton() {
  if (ButtonCount() >= MaxControlUnits) return false;
  Marks_.push_back(false);
  ButtonsChanged();
  return true;
}

void TMainControlUnits::EnsureButtons(int count) {
  while (ButtonCount() < count && AddControlUnitButton()) {
  }
  RefreshControlUnitButtons();
}

void TMainControlUnits::SetButtonCount(int count) {
  Marks_.assign(static_cast<size_t>(std::clamp(count, 0, MaxControlUnits)), false);
  // The list held strings of the description being replaced.
  List_.clear();
  CurrentEntry_ = -1;
  ButtonsChanged();
  RefreshControlUnitButtons();
}

void TMainControlUnits::RefreshControlUnitButtons() {
  // Buttons are numbered by position, so only the marks need work.
  Marks_.assign(Marks_.size(), false);
  for (const TzmUPSStringSystemNode* string : AllStrings()) {
    const int cu = string->ControlUnit();
    if (cu >= 0 && cu < ButtonCount()) Marks_[static_cast<size_t>(cu)] = true;
  }
  ButtonsChanged();
  UpdateWizardButtons();
}

void TMainControlUnits::ForEachSelectedNode(const TzmTreeSelection& selection,
                                            const std::function<void(TzmSystemNode*)>& proc) {
  if (!selection.Selected.empty()) {
    for (TzmSystemNode* node : selection.Selected) proc(node);
  } else if (selection.Focused) {
    proc(selection.Focused);
  }
  UpdateWizardButtons();
}

void TMainControlUnits::SetControlUnitOfNode(TzmSystemNode* node) {
  if (auto* battery = dynamic_cast<TzmUPSBatterySystemNode*>(node)) {
    for (int s = 0; s < battery->StringCount(); ++s)
      if (TzmUPSStringSystemNode* string = battery->GetString(s))
        string->SetControlUnit(TargetControlUnit);
  } else if (auto* string = dynamic_cast<TzmUPSStringSystemNode*>(node)) {
    string->SetControlUnit(TargetControlUnit);
  } else {
    return;
  }
  node->RefreshView();
}

void TMainControlUnits::AddControlUnit(const TzmTreeSelection& selection) {
  AddControlUnitButton();
  RefreshControlUnitButtons();
  if (ButtonCount() == 0) return;
  TargetControlUnit = ButtonTag(ButtonCount() - 1);
  ForEachSelectedNode(selection, [this](TzmSystemNode* node) { SetControlUnitOfNode(node); });
  TargetControlUnit = -1;
  RefreshControlUnitButtons();
}

void TMainControlUnits::SetControlUnit(const TzmTreeSelection& selection) {
  ForEachSelectedNode(selection, [this](TzmSystemNode* node) { SetControlUnitOfNode(node); });
  TargetControlUnit = -1;
}

void TMainControlUnits::ControlUnitButtonClick(int tag, const TzmTreeSelection& selection) {
  if (tag < 0 || tag >= ButtonCount()) return;
  TargetControlUnit = tag;
  SetControlUnit(selection);
  RefreshControlUnitButtons();
}

void TMainControlUnits::DeleteControlUnit(const TzmTreeSelection& selection) {
  if (ButtonCount() < 1) return;
  if (!selection.Selected.empty()) {
    TargetControlUnit = -1;
    ForEachSelectedNode(selection, [this](TzmSystemNode* node) { SetControlUnitOfNode(node); });
  } else if (UserMessages().Show(TMsgKind::Confirmation, "Do you want to remove a control unit?",
                                 TMsgButtons::YesNo) == TMsgAnswer::Yes) {
    const int last = ButtonTag(ButtonCount() - 1);
    for (TzmUPSStringSystemNode* string : AllStrings())
      if (string->ControlUnit() == last) string->SetControlUnit(-1);
    if (System_) {
      const TzmUPSBMUSystemNode* bmu = System_->BMU();
      for (int b = 0; b < bmu->BatteryCount(); ++b)
        if (const TzmUPSBatterySystemNode* battery = bmu->GetBattery(b)) battery->RefreshView();
    }
    Marks_.pop_back();
    ButtonsChanged();
  }
  RefreshControlUnitButtons();
}

std::vector<int> TMainControlUnits::PackStrings(
    const std::vector<TzmUPSStringSystemNode*>& strings) const {
  std::vector<int> units;
  units.reserve(strings.size());
  int k = 0, currents = 0, temperatures = 0, dcms = 0;
  for (const TzmUPSStringSystemNode* string : strings) {
    const int c = string->CurrentCount();
    const int t = string->TemperatureCount();
    const int d = string->ChannelCount() / ChannelsPerDCM;
    // Tested before the string counts, even on an empty control unit: a
    // string that alone exceeds a limit always opens a new one.
    if (currents + c > MaxCurrents || temperatures + t > MaxTemperatures || dcms + d > MaxDCMs) {
      ++k;
      currents = temperatures = dcms = 0;
    }
    currents += c;
    temperatures += t;
    dcms += d;
    units.push_back(k);
  }
  return units;
}

int TMainControlUnits::AutoAssignUnitsNeeded() const {
  const std::vector<int> units = PackStrings(AllStrings());
  return units.empty() ? 0 : units.back() + 1;
}

bool TMainControlUnits::AutoAssign() {
  const std::vector<TzmUPSStringSystemNode*> strings = AllStrings();
  const std::vector<int> units = PackStrings(strings);
  const int k = units.empty() ? 0 : units.back();
  if (k + 1 > MaxControlUnits) {
    UserMessages().Show(TMsgKind::Warning,
                        Format("This system needs %d control units, but at most %d are possible. "
                               "No strings were assigned.",
                               k + 1, MaxControlUnits),
                        TMsgButtons::Ok);
    return false;
  }
  while (ButtonCount() - 1 < k && AddControlUnitButton()) {
  }
  RefreshControlUnitButtons();
  for (size_t i = 0; i < strings.size(); ++i) strings[i]->SetControlUnit(units[i]);
  RefreshControlUnitButtons();
  return true;
}

void TMainControlUnits::SetControlUnitCount(int n) {
  if (n < 0) n = 0;
  while (static_cast<int>(List_.size()) > n) List_.pop_back();
  while (static_cast<int>(List_.size()) < n)
    List_.push_back({"CU #" + std::to_string(List_.size() + 1), {}});
  if (CurrentEntry_ >= static_cast<int>(List_.size())) CurrentEntry_ = -1;
  if (!List_.empty() && CurrentEntry_ < 0) CurrentEntry_ = 0;
}

int TMainControlUnits::TakeOffStringsBeyondLastControlUnit() {
  int beyond = 0;
  for (TzmUPSStringSystemNode* string : AllStrings()) {
    if (string->ControlUnit() < MaxControlUnits) continue;
    string->SetControlUnit(-1);
    ++beyond;
  }
  if (beyond > 0) {
    RefreshControlUnitButtons();
    UserMessages().Show(TMsgKind::Warning,
                        Format("%d strings were on control units beyond #%d and are no longer "
                               "assigned to a control unit.",
                               beyond, MaxControlUnits),
                        TMsgButtons::Ok);
  }
  return beyond;
}

void TMainControlUnits::RebuildControlUnitList() {
  const std::vector<TzmUPSStringSystemNode*> strings = AllStrings();
  int highest = -1;
  for (const TzmUPSStringSystemNode* string : strings)
    if (string->ControlUnit() > highest) highest = string->ControlUnit();
  bool added = false;
  while (ButtonCount() < MaxControlUnits && highest >= ButtonCount()) added |= AddControlUnitButton();
  if (added) RefreshControlUnitButtons();
  SetControlUnitCount(ButtonCount());
  for (TControlUnitEntry& entry : List_) entry.Strings.clear();

  // A string can only be on a control unit that has a button and an entry
  // (with one beyond the last, the buttons reached the last above).
  TakeOffStringsBeyondLastControlUnit();
  for (TzmUPSStringSystemNode* string : strings) {
    const int cu = string->ControlUnit();
    if (cu < 0 || cu >= static_cast<int>(List_.size())) continue;
    const TzmUPSBatterySystemNode* battery = string->Battery();
    const std::string label = (battery ? battery->Name() : std::string()) + " : " + string->Name();
    List_[static_cast<size_t>(cu)].Strings.push_back({label, string});
  }

  bool removed = false;
  for (size_t i = List_.size(); i-- > 0;) {
    if (!List_[i].Strings.empty()) continue;
    List_.erase(List_.begin() + static_cast<std::ptrdiff_t>(i));
    removed = true;
  }
  if (CurrentEntry_ >= static_cast<int>(List_.size())) CurrentEntry_ = List_.empty() ? -1 : 0;
  if (removed)
    UserMessages().Show(TMsgKind::Warning,
                        Format("Only %d control units assigned. The rest were removed from the "
                               "configuration.",
                               static_cast<int>(List_.size())),
                        TMsgButtons::Ok);
}
