#pragma once
// What the tree commands of the main window need from the dialogs they open
// and from the tree view, as plain values. The GUI implements both with its
// widgets; tests implement them with scripted fakes.
#include "alarms/ZMAlarmLimits.h"
#include <optional>
#include <string>
#include <vector>

#include "wizard/MainControlUnits.h"

class TCurrentScalingCalculator;
class TzmSystemNode;

// The values of the "Configure string" dialog.
struct TStringSetup {
  int CurrentCount = 1;
  int TemperatureCount = 1;
  int CellCount = 4;
  int JarCount = 1;          // cells, jars or blocks per measurement point
  int VoltageOnlyState = 0;  // 0 clear, 1 ticked, 2 undecided
};

// What the caller gives the "Configure string" dialog before showing it: the
// counts it leaves out keep what the dialog shows; -100 shows as mixed (blank).
struct TStringSetupInput {
  std::optional<int> CurrentCount;
  std::optional<int> TemperatureCount;
  std::optional<int> CellCount;
  std::optional<int> JarCount;
  int VoltageOnlyState = 2;
};

// The values of the battery setup dialog: a name and a string count per
// battery (a count below 1 stands for the dialog's default number of strings).
struct TBatterySetup {
  int BatteryCount = 1;
  std::vector<std::string> Names;
  std::vector<int> StringCounts;
};

// The eight limits of the alarm settings dialog; a negative value is "off"
// (and blanks the box when set).


class IMainDialogs {
 public:
  virtual ~IMainDialogs() = default;

  // "Configure string". The values are the dialog's current ones, whether or
  // not it was just shown.
  virtual TStringSetup StringSetup() const = 0;
  virtual void SetStringSetup(const TStringSetupInput& input) = 0;
  // True on OK; `scopeChoosable` lets the user pick "All strings in all batteries".
  virtual bool ExecuteString(bool scopeChoosable) = 0;
  virtual bool StringAllStrings() const = 0;

  // "Number of batteries".
  virtual void SetBatterySetup(const TBatterySetup& setup) = 0;
  virtual bool ExecuteBatteries() = 0;
  // Read after OK: one name and one string count (at least 1) per battery.
  virtual TBatterySetup BatterySetup() const = 0;

  // "String alarm settings". Reading the limits converts the boxes (a blank
  // box gives its default) and may raise EConvertError.
  virtual TAlarmLimits AlarmLimits() const = 0;
  virtual void SetAlarmLimits(const TAlarmLimits& limits) = 0;
  virtual bool ExecuteAlarms(bool forceAllStrings) = 0;
  virtual bool AlarmAllStrings() const = 0;
  virtual bool AlarmsAccepted() const = 0;
  virtual void SetAlarmsAccepted(bool accepted) = 0;

  // "Current Scaling" over one probe's calculator; true on OK.
  virtual bool ExecuteCurrentScaling(TCurrentScalingCalculator& calculator) = 0;
};

// The tree control as the commands see it: the selection, the focus, and
// in-place editing of a name.
class IMainTreeView {
 public:
  virtual ~IMainTreeView() = default;
  virtual TzmTreeSelection Selection() const = 0;
  // Makes the node's row the focused one (nullptr: no row is focused); the
  // selection is left alone.
  virtual void FocusNode(TzmSystemNode* node) = 0;
  virtual void ExpandNode(TzmSystemNode* node) = 0;
  // Starts editing the focused row's name; false when no row is focused.
  virtual bool StartEditing() = 0;
  virtual bool IsEditing() const = 0;
};
