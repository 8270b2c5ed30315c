// The UPS system container, its walks over the tree, and copying of strings
// and batteries.
#include "model/ZMUPSTreeSystem.h"

#include <algorithm>

TzmUPSSystem::TzmUPSSystem() : TzmSystem(&CreateNodeOf<TzmUPSBMUSystemNode>) {}

TzmUPSBMUSystemNode* TzmUPSSystem::BMU() const {
  return static_cast<TzmUPSBMUSystemNode*>(Root());
}

int TzmUPSSystem::BatteryCount() const { return Root()->ChildCount(); }

TzmUPSBatterySystemNode* TzmUPSSystem::GetBattery(int i) const {
  return dynamic_cast<TzmUPSBatterySystemNode*>(Root()->GetChild(i));
}

void TzmUPSSystem::SetBatteryCount(int n) {
  Root()->SetChildCount(n);
  RefreshTreeview();
}

TzmUPSStringSystemNode* TzmUPSSystem::FindPreviousString(int batteryIndex,
                                                         int stringIndex) const {
  const TzmUPSBMUSystemNode* bmu = BMU();
  TzmUPSBatterySystemNode* battery = nullptr;
  TzmUPSStringSystemNode* candidate = nullptr;
  int k = -1;
  if (stringIndex >= 1) {
    battery = bmu->GetBattery(batteryIndex);
    k = stringIndex - 1;
    candidate = battery ? battery->GetString(k) : nullptr;
  } else {
    for (int b = std::min(batteryIndex, bmu->BatteryCount()) - 1; b >= 0 && !candidate; --b) {
      battery = bmu->GetBattery(b);
      if (battery && battery->StringCount() > 0) {
        k = battery->StringCount() - 1;
        candidate = battery->GetString(k);
      }
    }
  }
  if (!candidate || !candidate->HasNumber()) return candidate;
  // Walk back to the first segment of a joined string.
  while (k >= 1) {
    TzmUPSStringSystemNode* before = battery->GetString(k - 1);
    if (!before || before->GetNumber() != candidate->GetNumber()) break;
    candidate = before;
    --k;
  }
  return candidate;
}

TzmUPSStringSystemNode* TzmUPSSystem::FindPreviousStringOf(
    const TzmUPSStringSystemNode* string) const {
  if (!string || !string->Parent()) return nullptr;
  const TzmSystemNode* battery = string->Parent();
  const int batteryIndex = Root()->IndexOfChild(battery);
  if (batteryIndex < 0) return nullptr;
  return FindPreviousString(batteryIndex, battery->IndexOfChild(string));
}

void TzmUPSSystem::ForEachNode(const TzmCellProc& cellProc, const TzmStringProc& stringProc,
                               const TzmBatteryProc& batteryProc) const {
  const TzmUPSBMUSystemNode* bmu = BMU();
  for (int b = 0; b < bmu->BatteryCount(); ++b) {
    TzmUPSBatterySystemNode* battery = bmu->GetBattery(b);
    if (!battery) continue;
    if (batteryProc) batteryProc(battery);
    if (!stringProc && !cellProc) continue;
    for (int s = 0; s < battery->StringCount(); ++s) {
      TzmUPSStringSystemNode* string = battery->GetString(s);
      if (!string) continue;
      if (stringProc) stringProc(string);
      if (!cellProc) continue;
      const TzmUPSAllCellSystemNode* cells = string->CellsGroup();
      const int count = cells ? cells->ChildCount() : 0;
      for (int c = 0; c < count; ++c)
        if (auto* cell = dynamic_cast<TzmUPSCellSystemNode*>(cells->GetChild(c))) cellProc(cell);
    }
  }
}

void CopyString(const TzmUPSStringSystemNode& source, TzmUPSStringSystemNode& dest) {
  if (&source == &dest) return;
  dest.SetCurrentCount(source.CurrentCount());
  for (int i = 0; i < dest.CurrentCount() && i < source.CurrentCount(); ++i)
    dest.GetCurrent(i)->AssignSettings(*source.GetCurrent(i));

  dest.SetTemperatureCount(source.TemperatureCount());
  for (int i = 0; i < dest.TemperatureCount() && i < source.TemperatureCount(); ++i) {
    dest.GetTemperature(i)->AssignSettings(*source.GetTemperature(i));
    dest.GetTemperature(i)->SetName(source.GetTemperature(i)->Name());
  }

  if (source.HasSubStrings()) {
    dest.SetSubStringCount(source.SubStringCount());
    for (int i = 0; i < source.SubStringCount(); ++i)
      dest.SetSubStringCells(i, source.GetSubStringCells(i));
  } else {
    // A copy copies: a source without sub-strings leaves none on the copy.
    dest.SetSubStringsEnabled(false);
    dest.SetCellCount(source.CellCount());
  }

  for (int i = 0; i < dest.CellCount() && i < source.CellCount(); ++i)
    dest.GetCell(i)->AssignSettings(*source.GetCell(i));

  dest.ForceNewControlUnit = source.ForceNewControlUnit;
  dest.RefreshView();
}

void CopyBattery(const TzmUPSBatterySystemNode& source, TzmUPSBatterySystemNode& dest) {
  if (&source == &dest) return;
  dest.VoltageOnly = source.VoltageOnly;
  dest.Genset = source.Genset;
  dest.SetChildCount(source.StringCount());
  dest.ForceNewControlUnit = source.ForceNewControlUnit;

  for (int i = 0; i < source.StringCount() && i < dest.StringCount(); ++i) {
    const TzmUPSStringSystemNode* from = source.GetString(i);
    TzmUPSStringSystemNode* to = dest.GetString(i);
    if (!from || !to) continue;
    CopyString(*from, *to);
    to->SetName(from->Name());
    if (i > 0 && from->IsContinuation()) {
      TzmUPSStringSystemNode* before = dest.GetString(i - 1);
      if (!before) continue;
      if (!before->HasNumber()) before->NewJoinNumber();
      to->Number = before->GetNumber();
    }
  }
  dest.RefreshView();
}
