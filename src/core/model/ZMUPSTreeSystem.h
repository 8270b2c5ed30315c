#pragma once
// The model of one UPS battery installation: the monitoring unit at the root,
// its batteries, their strings, and on each string three groups holding the
// current probes, temperature sensors and monitored channels ("cells").
//
// Field access: a field that has a setter of its own (Name, ControlUnit,
// SubStringCells, Label, BlockFrom, BlocksPerChannel, the scaling calculator's
// fields) is private, read through a same-named accessor and written through
// Set...(); every other field is a public data member under its own name
// (LowAlarm, HighAlarm, LowResistance, NullCount, Genset, ...). Whoever writes
// a public field that a text shows calls RefreshView() afterwards.
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ZMCurrentScaling.h"
#include "model/ZMTreeSystem.h"

class TzmUPSBatterySystemNode;
class TzmUPSStringSystemNode;
class TzmUPSAllCurrentSystemNode;
class TzmUPSAllTemperatureSystemNode;
class TzmUPSAllCellSystemNode;
class TzmUPSCellSystemNode;
class TzmUPSTemperatureSystemNode;
class TzmUPSCurrentSystemNode;

// Misuse of the model: a negative or out-of-range index.
class EzmUPSSystemException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A node of the wrong class where a particular class is required.
class EInvalidCast : public std::runtime_error {
 public:
  EInvalidCast() : std::runtime_error("Invalid class typecast") {}
};

// The unit's join counter: 30000 at start-up, then the last join number handed
// out by NewJoinNumber (each fresh number is one more than this).
int NextJoinNumber();
// Makes later join numbers lie above `number` (join numbers read from a file).
void ReserveJoinNumber(int number);

class TzmUPSSystemNode : public TzmSystemNode {
 public:
  TzmNodeClass NodeClass() const override;  // 12
};

// The root: the battery monitoring unit.
class TzmUPSBMUSystemNode : public TzmUPSSystemNode {
 public:
  std::string GetText() const override;  // 1: "UPS - BMU"
  TzmNodeClass NodeClass() const override;  // 12
  TzmSystemNode* AddChild() override;  // 14: a battery named "Battery: n"

  int BatteryCount() const { return ChildCount(); }
  // None when i lies outside the batteries.
  TzmUPSBatterySystemNode* GetBattery(int i) const;

  // Serial port of the control units.
  std::uint8_t CommPort = 1;
};

class TzmUPSBatterySystemNode : public TzmUPSSystemNode {
 public:
  std::string GetText() const override;  // 1
  TzmNodeClass NodeClass() const override;  // 12
  TzmSystemNode* AddChild() override;  // 14: a string "String: n" with its groups

  int StringCount() const { return ChildCount(); }
  // None when i lies outside the strings; never raises.
  TzmUPSStringSystemNode* GetString(int i) const;
  int TotalCurrentCount() const;
  int TotalTemperatureCount() const;
  // The name after "Battery: ", or the whole name.
  std::string GetShortName() const;

  int DefaultControlUnit = -1;
  bool ForceNewControlUnit = false;
  bool CopyOfPrevious = false;
  bool AllStringsSame = false;
  bool VoltageOnly = false;
  bool Genset = false;
};

class TzmUPSStringSystemNode : public TzmUPSSystemNode {
 public:
  std::string GetText() const override;  // 1
  TzmNodeClass NodeClass() const override;  // 12
  // 14: creates the missing groups "Currents", "Temps", "Cells" (in that
  // order) and returns the cells group.
  TzmSystemNode* AddChild() override;

  // The three groups; none while missing.
  TzmUPSAllCurrentSystemNode* CurrentsGroup() const;
  TzmUPSAllTemperatureSystemNode* TemperaturesGroup() const;
  TzmUPSAllCellSystemNode* CellsGroup() const;

  int CellCount() const;
  // None at or above the count; raises for a negative index.
  TzmUPSCellSystemNode* GetCell(int i) const;
  // Cells plus their null channels.
  int ChannelCount() const;
  void SetCellCount(int n);

  int CurrentCount() const;
  TzmUPSCurrentSystemNode* GetCurrent(int i) const;
  void SetCurrentCount(int n);

  int TemperatureCount() const;
  TzmUPSTemperatureSystemNode* GetTemperature(int i) const;
  void SetTemperatureCount(int n);

  bool HasSubStrings() const { return !SubStringCells_.empty(); }
  int SubStringCount() const { return static_cast<int>(SubStringCells_.size()); }
  const std::vector<int>& SubStringCells() const { return SubStringCells_; }
  // New entries are 0; the cell count stays.
  void SetSubStringCount(int n);
  int GetSubStringCells(int i) const;
  // Sets entry i (n >= 0) and the cell count to the sum of all entries.
  void SetSubStringCells(int i, int n);
  // Entry i plus the null channels of its existing cells.
  int GetSubStringChannelCount(int i) const;
  // false: no sub-strings; true: split in two halves unless already split.
  void SetSubStringsEnabled(bool enabled);

  int ControlUnit() const { return ControlUnit_; }
  // Stores the control unit index and repaints the string and its battery.
  void SetControlUnit(int controlUnit);

  // This string continues the joined string of the string before it.
  bool IsContinuation() const;
  // Gives this string a fresh join number and returns it.
  int NewJoinNumber();
  // The name after "String: ", or the whole name.
  std::string GetShortName() const;
  // The battery that owns this string; none when detached.
  TzmUPSBatterySystemNode* Battery() const;

  bool ForceNewControlUnit = false;
  bool CopyOfPrevious = false;
  bool UseChannelDefaults = false;

 private:
  std::vector<int> SubStringCells_;
  int ControlUnit_ = -1;
};

// Base of the three groups of a string: new children take the settings of the
// last child that existed before.
class TzmUPSAllAlarmSystemNode : public TzmUPSSystemNode {
 public:
  void SetChildCount(int count) override;  // 0
  TzmNodeClass NodeClass() const override;  // 12
};

class TzmUPSAllCurrentSystemNode : public TzmUPSAllAlarmSystemNode {
 public:
  std::string GetText() const override;  // 1: "Currents : n"
  TzmNodeClass NodeClass() const override;  // 12
  TzmSystemNode* AddChild() override;  // 14: "Current n"
};

class TzmUPSAllTemperatureSystemNode : public TzmUPSAllAlarmSystemNode {
 public:
  std::string GetText() const override;  // 1: "Temperatures : n"
  TzmNodeClass NodeClass() const override;  // 12
  TzmSystemNode* AddChild() override;  // 14: "Temperature n"
};

class TzmUPSAllCellSystemNode : public TzmUPSAllAlarmSystemNode {
 public:
  std::string GetText() const override;  // 1: "Cells : n"
  TzmNodeClass NodeClass() const override;  // 12
  TzmSystemNode* AddChild() override;  // 14: "Cell n"

  // Cells plus their null channels.
  int ChannelCount() const;
};

// Base of the leaves that carry a low and a high limit (negative = off).
class TzmUPSAlarmedSystemNode : public TzmUPSSystemNode {
 public:
  std::string GetLowAlarmText() const override;   // 2
  std::string GetHighAlarmText() const override;  // 3
  // 8, 9: raise EConvertError for text that is not a number, value unchanged.
  void SetLowAlarmText(const std::string& value) override;
  void SetHighAlarmText(const std::string& value) override;
  TzmNodeClass NodeClass() const override;  // 12
  TzmSystemNode* AddChild() override;       // 14: leaves have no children
  // 17: copies the limits.
  virtual void AssignSettings(const TzmUPSAlarmedSystemNode& source);

  double LowAlarm = -1.0;
  double HighAlarm = -1.0;

 protected:
  void CopyLimits(const TzmUPSAlarmedSystemNode& source);
};

// One monitored channel.
class TzmUPSCellSystemNode : public TzmUPSAlarmedSystemNode {
 public:
  std::string GetText() const override;                // 1
  std::string GetLowResistanceText() const override;   // 4
  std::string GetHighResistanceText() const override;  // 5
  void SetLabel(const std::string& value) override;    // 7
  void SetLowResistanceText(const std::string& value) override;   // 10
  void SetHighResistanceText(const std::string& value) override;  // 11
  TzmNodeClass NodeClass() const override;  // 12
  // 17: Source must be a cell (EInvalidCast otherwise, nothing changed);
  // copies limits, ohmic limits and BlocksPerChannel.
  void AssignSettings(const TzmUPSAlarmedSystemNode& source) override;

  // Last block measured: BlockFrom + BlocksPerChannel - 1, or -1.
  int BlockTo() const;
  // BlockFrom as text when the name contains "CELL" (any case), else the name.
  std::string GetCellLabel() const;

  const std::string& Label() const { return Label_; }
  int BlockFrom() const { return BlockFrom_; }
  void SetBlockFrom(int value);
  int BlocksPerChannel() const { return BlocksPerChannel_; }
  void SetBlocksPerChannel(int value);

  double LowResistance = -1.0;
  double HighResistance = -1.0;
  // Null channels following this one on its DCM.
  std::uint8_t NullCount = 0;
  // 1 = voltage only, no ohmic value.
  std::uint8_t VoltageOnlyState = 0;

 private:
  std::string Label_;
  int BlockFrom_ = -1;
  int BlocksPerChannel_ = -1;
};

class TzmUPSTemperatureSystemNode : public TzmUPSAlarmedSystemNode {
 public:
  std::string GetText() const override;  // 1: "Temperature " + index from 0
  TzmNodeClass NodeClass() const override;  // 12
};

class TzmUPSCurrentSystemNode : public TzmUPSAlarmedSystemNode {
 public:
  std::string GetText() const override;  // 1
  TzmNodeClass NodeClass() const override;  // 12
  // 17: limits, and the scaling when Source is a current probe.
  void AssignSettings(const TzmUPSAlarmedSystemNode& source) override;

  TCurrentScalingCalculator Scaling;
};

// Callbacks of ForEachNode; a caller's context travels in the lambda's capture.
using TzmCellProc = std::function<void(TzmUPSCellSystemNode*)>;
using TzmStringProc = std::function<void(TzmUPSStringSystemNode*)>;
using TzmBatteryProc = std::function<void(TzmUPSBatterySystemNode*)>;

class TzmUPSSystem : public TzmSystem {
 public:
  TzmUPSSystem();

  TzmUPSBMUSystemNode* BMU() const;
  int BatteryCount() const;
  // Raises the list's index error outside the batteries.
  TzmUPSBatterySystemNode* GetBattery(int i) const;
  // Grows or shrinks the batteries, then rebuilds the attached view.
  void SetBatteryCount(int n);

  // First segment of the string before position (battery, string); none when
  // no string comes before it.
  TzmUPSStringSystemNode* FindPreviousString(int batteryIndex, int stringIndex) const;
  TzmUPSStringSystemNode* FindPreviousStringOf(const TzmUPSStringSystemNode* string) const;

  // For each battery: batteryProc; then, when a string or cell callback is
  // given, for each string stringProc and cellProc for each of its cells.
  // Any callback may be empty.
  void ForEachNode(const TzmCellProc& cellProc, const TzmStringProc& stringProc = {},
                   const TzmBatteryProc& batteryProc = {}) const;

  bool AllBatteriesSame = false;
};

// Makes Dest a copy of Source: probes, sensors (with names), sub-strings or
// cell count, cell settings and ForceNewControlUnit.
void CopyString(const TzmUPSStringSystemNode& source, TzmUPSStringSystemNode& dest);
// Makes Dest a copy of Source with all its strings; joins are copied with
// fresh join numbers.
void CopyBattery(const TzmUPSBatterySystemNode& source, TzmUPSBatterySystemNode& dest);
