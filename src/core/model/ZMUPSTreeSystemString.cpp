// Strings of the UPS model: their groups, counts, sub-strings and joins.
#include "model/ZMUPSTreeSystem.h"

#include <algorithm>
#include <numeric>

#include "common/ZMFormat.h"

namespace {
enum TGroupIndex { kCurrents = 0, kTemperatures = 1, kCells = 2 };

template <typename T>
T* ChildAs(const TzmSystemNode& node, int index) {
  if (index < 0 || index >= node.ChildCount()) return nullptr;
  return dynamic_cast<T*>(node.GetChild(index));
}

int CountOf(const TzmSystemNode* group) { return group ? group->ChildCount() : 0; }
}  // namespace

std::string TzmUPSStringSystemNode::GetText() const {
  std::string text = "C = " + std::to_string(CurrentCount()) +
                     ", T = " + std::to_string(TemperatureCount()) +
                     ", Cells = " + std::to_string(CellCount());
  if (HasSubStrings()) text += ", Subs=" + std::to_string(SubStringCount());
  if (ControlUnit_ >= 0) text += ", CU#" + std::to_string(ControlUnit_ + 1);
  return text;
}

TzmNodeClass TzmUPSStringSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSStringSystemNode>;
}

TzmSystemNode* TzmUPSStringSystemNode::AddChild() {
  // A string always holds exactly its three groups; only missing ones are made.
  static const char* const kNames[] = {"Currents", "Temps", "Cells"};
  static const TzmNodeClass kClasses[] = {&CreateNodeOf<TzmUPSAllCurrentSystemNode>,
                                          &CreateNodeOf<TzmUPSAllTemperatureSystemNode>,
                                          &CreateNodeOf<TzmUPSAllCellSystemNode>};
  for (int i = ChildCount(); i < 3; ++i) InsertChildOfClass(kClasses[i])->SetName(kNames[i]);
  return GetChild(kCells);
}

TzmUPSAllCurrentSystemNode* TzmUPSStringSystemNode::CurrentsGroup() const {
  return ChildAs<TzmUPSAllCurrentSystemNode>(*this, kCurrents);
}

TzmUPSAllTemperatureSystemNode* TzmUPSStringSystemNode::TemperaturesGroup() const {
  return ChildAs<TzmUPSAllTemperatureSystemNode>(*this, kTemperatures);
}

TzmUPSAllCellSystemNode* TzmUPSStringSystemNode::CellsGroup() const {
  return ChildAs<TzmUPSAllCellSystemNode>(*this, kCells);
}

// ---- Counts and leaves

int TzmUPSStringSystemNode::CellCount() const { return CountOf(CellsGroup()); }

TzmUPSCellSystemNode* TzmUPSStringSystemNode::GetCell(int i) const {
  if (i < 0)
    throw EzmUPSSystemException(
        Format("Tried to retrieve negative indexed cell : %d in string : %s", i, Name().c_str()));
  const auto* group = CellsGroup();
  return group ? ChildAs<TzmUPSCellSystemNode>(*group, i) : nullptr;
}

int TzmUPSStringSystemNode::ChannelCount() const {
  const auto* group = CellsGroup();
  return group ? group->ChannelCount() : 0;
}

void TzmUPSStringSystemNode::SetCellCount(int n) {
  if (auto* group = CellsGroup()) group->SetChildCount(n);
}

int TzmUPSStringSystemNode::CurrentCount() const { return CountOf(CurrentsGroup()); }

TzmUPSCurrentSystemNode* TzmUPSStringSystemNode::GetCurrent(int i) const {
  if (i < 0)
    throw EzmUPSSystemException(Format(
        "Tried to retrieve negative indexed current : %d in string : %s", i, Name().c_str()));
  const auto* group = CurrentsGroup();
  return group ? ChildAs<TzmUPSCurrentSystemNode>(*group, i) : nullptr;
}

void TzmUPSStringSystemNode::SetCurrentCount(int n) {
  if (auto* group = CurrentsGroup()) group->SetChildCount(n);
}

int TzmUPSStringSystemNode::TemperatureCount() const { return CountOf(TemperaturesGroup()); }

TzmUPSTemperatureSystemNode* TzmUPSStringSystemNode::GetTemperature(int i) const {
  if (i < 0)
    throw EzmUPSSystemException(Format(
        "Tried to retrieve negative indexed temperature : %d in string : %s", i, Name().c_str()));
  const auto* group = TemperaturesGroup();
  return group ? ChildAs<TzmUPSTemperatureSystemNode>(*group, i) : nullptr;
}

void TzmUPSStringSystemNode::SetTemperatureCount(int n) {
  if (auto* group = TemperaturesGroup()) group->SetChildCount(n);
}

// ---- Sub-strings

void TzmUPSStringSystemNode::SetSubStringCount(int n) {
  if (n < 0) n = 0;
  if (n == SubStringCount()) return;
  SubStringCells_.resize(static_cast<size_t>(n), 0);
  RefreshView();
}

int TzmUPSStringSystemNode::GetSubStringCells(int i) const {
  if (i < 0)
    throw EzmUPSSystemException(
        Format("Attempt to access negative substring index : %d in string %s", i, Name().c_str()));
  if (i >= SubStringCount())
    throw EzmUPSSystemException(
        Format("Attempt to access substring index : %d when only %d available in string %s", i,
               SubStringCount(), Name().c_str()));
  return SubStringCells_[static_cast<size_t>(i)];
}

void TzmUPSStringSystemNode::SetSubStringCells(int i, int n) {
  if (i < 0)
    throw EzmUPSSystemException(
        Format("Attempt to set negative substring index : %d in string %s", i, Name().c_str()));
  if (i >= SubStringCount())
    throw EzmUPSSystemException(
        Format("Attempt to set substring index : %d when only %d available in string %s", i,
               SubStringCount(), Name().c_str()));
  if (n < 0) return;
  SubStringCells_[static_cast<size_t>(i)] = n;
  SetCellCount(std::accumulate(SubStringCells_.begin(), SubStringCells_.end(), 0));
  RefreshView();
}

int TzmUPSStringSystemNode::GetSubStringChannelCount(int i) const {
  if (i < 0)
    throw EzmUPSSystemException(
        Format("Attempt to access negative substring index for channel count : %d in string %s",
               i, Name().c_str()));
  if (i >= SubStringCount())
    throw EzmUPSSystemException(Format(
        "Attempt to access substring index for channel count : %d when only %d available in "
        "string %s",
        i, SubStringCount(), Name().c_str()));
  const int first = std::accumulate(SubStringCells_.begin(), SubStringCells_.begin() + i, 0);
  const int cells = SubStringCells_[static_cast<size_t>(i)];
  // The table may promise more cells than the string holds: count only real ones.
  const int last = std::min(first + cells, CellCount());
  int channels = cells;
  for (int k = first; k < last; ++k)
    if (const auto* cell = GetCell(k)) channels += cell->NullCount;
  return channels;
}

void TzmUPSStringSystemNode::SetSubStringsEnabled(bool enabled) {
  if (!enabled) {
    if (SubStringCells_.empty()) return;
    SubStringCells_.clear();
  } else {
    if (SubStringCells_.size() >= 2) return;
    const int cells = CellCount();
    const int second = cells > 0 ? cells / 2 : 0;
    const int first = cells > 0 ? cells - second : 0;
    SubStringCells_ = {first, second};
  }
  RefreshView();
}

// ---- Control unit and joins

void TzmUPSStringSystemNode::SetControlUnit(int controlUnit) {
  ControlUnit_ = controlUnit;
  RefreshView();
  if (Parent()) Parent()->RefreshView();
}

TzmUPSBatterySystemNode* TzmUPSStringSystemNode::Battery() const {
  return dynamic_cast<TzmUPSBatterySystemNode*>(Parent());
}

bool TzmUPSStringSystemNode::IsContinuation() const {
  if (!HasNumber() || !Parent()) return false;
  const int index = Parent()->IndexOfChild(this);
  if (index < 1) return false;
  return Parent()->GetChild(index - 1)->GetNumber() == Number;
}

std::string TzmUPSStringSystemNode::GetShortName() const {
  static const std::string kMarker = "String: ";
  const size_t pos = Name().find(kMarker);
  return pos == std::string::npos ? Name() : Name().substr(pos + kMarker.size());
}
