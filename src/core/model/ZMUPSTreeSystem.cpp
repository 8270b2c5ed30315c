// The monitoring unit, batteries, groups and leaves of the UPS model.
#include "model/ZMUPSTreeSystem.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "common/ZMFormat.h"

namespace {
int gNextJoinNumber = 30000;

std::string LimitText(double value) { return FormatFloatGeneral(value, 6, 2); }

// Parses a typed limit; a conversion error leaves the field alone.
bool SetLimitFromText(double& field, const std::string& text) {
  const double value = StrToFloat(text);
  if (value == field) return false;
  field = value;
  return true;
}

// A new child of class T named by the lowest free number after prefix.
template <typename T>
T* AddNamedChild(TzmSystemNode& parent, const std::string& prefix) {
  const std::string name = parent.MakeUniqueChildName(prefix);
  auto* child = static_cast<T*>(parent.InsertChildOfClass(&CreateNodeOf<T>));
  child->SetName(name);
  return child;
}

std::string TextAfter(const std::string& name, const std::string& marker) {
  const size_t pos = name.find(marker);
  return pos == std::string::npos ? name : name.substr(pos + marker.size());
}

int IndexInParent(const TzmSystemNode& node) {
  return node.Parent() ? node.Parent()->IndexOfChild(&node) : -1;
}
}  // namespace

int NextJoinNumber() { return gNextJoinNumber; }

void ReserveJoinNumber(int number) {
  if (number > gNextJoinNumber) gNextJoinNumber = number;
}

int TzmUPSStringSystemNode::NewJoinNumber() {
  Number = ++gNextJoinNumber;
  return Number;
}

// ---- TzmUPSSystemNode

TzmNodeClass TzmUPSSystemNode::NodeClass() const { return &CreateNodeOf<TzmUPSSystemNode>; }

// ---- TzmUPSBMUSystemNode

std::string TzmUPSBMUSystemNode::GetText() const { return "UPS - BMU"; }

TzmNodeClass TzmUPSBMUSystemNode::NodeClass() const { return &CreateNodeOf<TzmUPSBMUSystemNode>; }

TzmSystemNode* TzmUPSBMUSystemNode::AddChild() {
  return AddNamedChild<TzmUPSBatterySystemNode>(*this, "Battery: ");
}

TzmUPSBatterySystemNode* TzmUPSBMUSystemNode::GetBattery(int i) const {
  if (i < 0 || i >= ChildCount()) return nullptr;
  return dynamic_cast<TzmUPSBatterySystemNode*>(Children[static_cast<size_t>(i)].get());
}

// ---- TzmUPSBatterySystemNode

std::string TzmUPSBatterySystemNode::GetText() const {
  std::string text = "Strings = " + std::to_string(StringCount());
  if (VoltageOnly) text = "VO, " + text;
  if (Genset) text = "GS, " + text;
  std::set<int> units;
  for (int i = 0; i < StringCount(); ++i) {
    const TzmUPSStringSystemNode* string = GetString(i);
    if (string && string->ControlUnit() >= 0 && string->ControlUnit() <= 31)
      units.insert(string->ControlUnit());
  }
  const char* separator = ", CU#";
  for (int unit : units) {
    text += separator + std::to_string(unit + 1);
    separator = ", ";
  }
  return text;
}

TzmNodeClass TzmUPSBatterySystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSBatterySystemNode>;
}

TzmSystemNode* TzmUPSBatterySystemNode::AddChild() {
  auto* string = AddNamedChild<TzmUPSStringSystemNode>(*this, "String: ");
  if (DefaultControlUnit >= 0) string->SetControlUnit(DefaultControlUnit);
  string->AddChild();
  return string;
}

TzmUPSStringSystemNode* TzmUPSBatterySystemNode::GetString(int i) const {
  if (i < 0 || i >= ChildCount()) return nullptr;
  return dynamic_cast<TzmUPSStringSystemNode*>(Children[static_cast<size_t>(i)].get());
}

int TzmUPSBatterySystemNode::TotalCurrentCount() const {
  int total = 0;
  for (int i = 0; i < StringCount(); ++i)
    if (const auto* string = GetString(i)) total += string->CurrentCount();
  return total;
}

int TzmUPSBatterySystemNode::TotalTemperatureCount() const {
  int total = 0;
  for (int i = 0; i < StringCount(); ++i)
    if (const auto* string = GetString(i)) total += string->TemperatureCount();
  return total;
}

std::string TzmUPSBatterySystemNode::GetShortName() const { return TextAfter(Name(), "Battery: "); }

// ---- Groups

void TzmUPSAllAlarmSystemNode::SetChildCount(int count) {
  const int old = ChildCount();
  TzmUPSSystemNode::SetChildCount(count);
  // The string's text shows the group's count.
  if (ChildCount() != old && Parent()) Parent()->RefreshView();
  if (old <= 0) return;
  for (int k = old; k < ChildCount(); ++k) {
    auto* child = dynamic_cast<TzmUPSAlarmedSystemNode*>(Children[static_cast<size_t>(k)].get());
    auto* previous =
        dynamic_cast<TzmUPSAlarmedSystemNode*>(Children[static_cast<size_t>(k - 1)].get());
    if (child && previous) child->AssignSettings(*previous);
  }
}

TzmNodeClass TzmUPSAllAlarmSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSAllAlarmSystemNode>;
}

std::string TzmUPSAllCurrentSystemNode::GetText() const {
  return "Currents : " + std::to_string(ChildCount());
}

TzmNodeClass TzmUPSAllCurrentSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSAllCurrentSystemNode>;
}

TzmSystemNode* TzmUPSAllCurrentSystemNode::AddChild() {
  return AddNamedChild<TzmUPSCurrentSystemNode>(*this, "Current ");
}

std::string TzmUPSAllTemperatureSystemNode::GetText() const {
  return "Temperatures : " + std::to_string(ChildCount());
}

TzmNodeClass TzmUPSAllTemperatureSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSAllTemperatureSystemNode>;
}

TzmSystemNode* TzmUPSAllTemperatureSystemNode::AddChild() {
  return AddNamedChild<TzmUPSTemperatureSystemNode>(*this, "Temperature ");
}

std::string TzmUPSAllCellSystemNode::GetText() const {
  return "Cells : " + std::to_string(ChildCount());
}

TzmNodeClass TzmUPSAllCellSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSAllCellSystemNode>;
}

TzmSystemNode* TzmUPSAllCellSystemNode::AddChild() {
  return AddNamedChild<TzmUPSCellSystemNode>(*this, "Cell ");
}

int TzmUPSAllCellSystemNode::ChannelCount() const {
  int channels = 0;
  for (const auto& child : Children) {
    ++channels;
    if (const auto* cell = dynamic_cast<const TzmUPSCellSystemNode*>(child.get()))
      channels += cell->NullCount;
  }
  return channels;
}

// ---- TzmUPSAlarmedSystemNode

std::string TzmUPSAlarmedSystemNode::GetLowAlarmText() const { return LimitText(LowAlarm); }
std::string TzmUPSAlarmedSystemNode::GetHighAlarmText() const { return LimitText(HighAlarm); }

void TzmUPSAlarmedSystemNode::SetLowAlarmText(const std::string& value) {
  if (SetLimitFromText(LowAlarm, value)) RefreshView();
}

void TzmUPSAlarmedSystemNode::SetHighAlarmText(const std::string& value) {
  if (SetLimitFromText(HighAlarm, value)) RefreshView();
}

TzmNodeClass TzmUPSAlarmedSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSAlarmedSystemNode>;
}

TzmSystemNode* TzmUPSAlarmedSystemNode::AddChild() { return nullptr; }

void TzmUPSAlarmedSystemNode::AssignSettings(const TzmUPSAlarmedSystemNode& source) {
  CopyLimits(source);
  RefreshView();
}

void TzmUPSAlarmedSystemNode::CopyLimits(const TzmUPSAlarmedSystemNode& source) {
  LowAlarm = source.LowAlarm;
  HighAlarm = source.HighAlarm;
}

// ---- TzmUPSCellSystemNode

std::string TzmUPSCellSystemNode::GetText() const {
  std::string text = Label_;
  if (text.empty())
    text = "Cell " + std::to_string(HasNumber() ? Number : IndexInParent(*this) + 1);
  text += ", x" + std::to_string(BlocksPerChannel_);
  if (NullCount > 0) text += ", Null=" + std::to_string(NullCount);
  return text;
}

std::string TzmUPSCellSystemNode::GetLowResistanceText() const { return LimitText(LowResistance); }
std::string TzmUPSCellSystemNode::GetHighResistanceText() const {
  return LimitText(HighResistance);
}

void TzmUPSCellSystemNode::SetLabel(const std::string& value) {
  if (value == Label_) return;
  Label_ = value;
  RefreshView();
}

void TzmUPSCellSystemNode::SetLowResistanceText(const std::string& value) {
  if (SetLimitFromText(LowResistance, value)) RefreshView();
}

void TzmUPSCellSystemNode::SetHighResistanceText(const std::string& value) {
  if (SetLimitFromText(HighResistance, value)) RefreshView();
}

TzmNodeClass TzmUPSCellSystemNode::NodeClass() const { return &CreateNodeOf<TzmUPSCellSystemNode>; }

void TzmUPSCellSystemNode::AssignSettings(const TzmUPSAlarmedSystemNode& source) {
  const auto* cell = dynamic_cast<const TzmUPSCellSystemNode*>(&source);
  if (!cell) throw EInvalidCast();
  CopyLimits(source);
  BlocksPerChannel_ = cell->BlocksPerChannel_;
  LowResistance = cell->LowResistance;
  HighResistance = cell->HighResistance;
  RefreshView();
}

int TzmUPSCellSystemNode::BlockTo() const {
  if (BlocksPerChannel_ >= 2 && BlockFrom_ >= 0) return BlockFrom_ + BlocksPerChannel_ - 1;
  return -1;
}

std::string TzmUPSCellSystemNode::GetCellLabel() const {
  std::string upper = Name();
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (upper.find("CELL") != std::string::npos) return std::to_string(BlockFrom_);
  return Name();
}

void TzmUPSCellSystemNode::SetBlockFrom(int value) {
  if (value == BlockFrom_) return;
  BlockFrom_ = value;
  RefreshView();
}

void TzmUPSCellSystemNode::SetBlocksPerChannel(int value) {
  if (value == BlocksPerChannel_) return;
  BlocksPerChannel_ = value;
  RefreshView();
}

// ---- Temperature sensors and current probes

std::string TzmUPSTemperatureSystemNode::GetText() const {
  return "Temperature " + std::to_string(IndexInParent(*this));
}

TzmNodeClass TzmUPSTemperatureSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSTemperatureSystemNode>;
}

std::string TzmUPSCurrentSystemNode::GetText() const {
  const std::string text = "Current " + std::to_string(IndexInParent(*this));
  const int amps = Scaling.GetScaledCurrent();
  if (amps == 1000) return text;
  return text + ": " + std::to_string(amps) + " Amps";
}

TzmNodeClass TzmUPSCurrentSystemNode::NodeClass() const {
  return &CreateNodeOf<TzmUPSCurrentSystemNode>;
}

void TzmUPSCurrentSystemNode::AssignSettings(const TzmUPSAlarmedSystemNode& source) {
  CopyLimits(source);
  if (const auto* probe = dynamic_cast<const TzmUPSCurrentSystemNode*>(&source))
    Scaling.Assign(probe->Scaling);
  RefreshView();
}
