#pragma once
// The tree commands' dialogs, served by the program's one instance of each:
// "Configure string", "Number of batteries", "String alarm settings" and
// "Current Scaling". The dialogs are created once at start-up and reused by
// every call; this adapter does not own them.
#include "wizard/MainDialogs.h"

class TfmAlarmSettings;
class TfmConfigureBatteries;
class TfmConfigureString;
class TfrmCurrentScaling;

class TMainDialogsQt : public IMainDialogs {
 public:
  TMainDialogsQt(TfmConfigureString* stringDialog, TfmConfigureBatteries* batteryDialog,
                 TfmAlarmSettings* alarmDialog, TfrmCurrentScaling* scalingDialog);

  TStringSetup StringSetup() const override;
  void SetStringSetup(const TStringSetupInput& input) override;
  bool ExecuteString(bool scopeChoosable) override;
  bool StringAllStrings() const override;

  void SetBatterySetup(const TBatterySetup& setup) override;
  bool ExecuteBatteries() override;
  TBatterySetup BatterySetup() const override;

  TAlarmLimits AlarmLimits() const override;
  void SetAlarmLimits(const TAlarmLimits& limits) override;
  bool ExecuteAlarms(bool forceAllStrings) override;
  bool AlarmAllStrings() const override;
  bool AlarmsAccepted() const override;
  void SetAlarmsAccepted(bool accepted) override;

  bool ExecuteCurrentScaling(TCurrentScalingCalculator& calculator) override;

 private:
  TfmConfigureString* String_;
  TfmConfigureBatteries* Batteries_;
  TfmAlarmSettings* Alarms_;
  TfrmCurrentScaling* Scaling_;
};
