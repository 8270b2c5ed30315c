#include "wizard/MainDialogsQt.h"

#include "alarms/fmAlarmSet.h"
#include "dialogs/fmConfigBattery.h"
#include "dialogs/fmConfigString.h"
#include "dialogs/fmCurrentScaling.h"

TMainDialogsQt::TMainDialogsQt(TfmConfigureString* stringDialog, TfmConfigureBatteries* batteryDialog,
                               TfmAlarmSettings* alarmDialog, TfrmCurrentScaling* scalingDialog)
    : String_(stringDialog), Batteries_(batteryDialog), Alarms_(alarmDialog), Scaling_(scalingDialog) {}

TStringSetup TMainDialogsQt::StringSetup() const {
  TStringSetup setup;
  setup.CurrentCount = String_->CurrentCount();
  setup.TemperatureCount = String_->TemperatureCount();
  setup.CellCount = String_->CellCount();
  setup.JarCount = String_->JarCount();
  setup.VoltageOnlyState = String_->VoltageOnlyState();
  return setup;
}

void TMainDialogsQt::SetStringSetup(const TStringSetupInput& input) {
  if (input.JarCount) String_->SetJarCount(*input.JarCount);
  if (input.CellCount) String_->SetCellCount(*input.CellCount);
  if (input.CurrentCount) String_->SetCurrentCount(*input.CurrentCount);
  if (input.TemperatureCount) String_->SetTemperatureCount(*input.TemperatureCount);
  String_->SetVoltageOnlyState(input.VoltageOnlyState);
}

bool TMainDialogsQt::ExecuteString(bool scopeChoosable) { return String_->Execute(scopeChoosable); }

bool TMainDialogsQt::StringAllStrings() const { return String_->AllStrings(); }

void TMainDialogsQt::SetBatterySetup(const TBatterySetup& setup) {
  Batteries_->SetBatteryCount(setup.BatteryCount);
  for (int b = 0; b < setup.BatteryCount; ++b) {
    const auto i = static_cast<size_t>(b);
    if (i < setup.Names.size()) Batteries_->SetBatteryName(b, setup.Names[i]);
    if (i < setup.StringCounts.size()) Batteries_->SetStringCount(b, setup.StringCounts[i]);
  }
}

bool TMainDialogsQt::ExecuteBatteries() { return Batteries_->Execute(); }

TBatterySetup TMainDialogsQt::BatterySetup() const {
  TBatterySetup setup;
  setup.BatteryCount = Batteries_->BatteryCount();
  for (int b = 0; b < setup.BatteryCount; ++b) {
    setup.Names.push_back(Batteries_->BatteryName(b));
    setup.StringCounts.push_back(Batteries_->StringCount(b));
  }
  return setup;
}

TAlarmLimits TMainDialogsQt::AlarmLimits() const {
  TAlarmLimits l;
  l.HighT = Alarms_->HighT();
  l.LowT = Alarms_->LowT();
  l.HighI = Alarms_->HighI();
  l.LowI = Alarms_->LowI();
  l.HighV = Alarms_->HighV();
  l.LowV = Alarms_->LowV();
  l.HighR = Alarms_->HighR();
  l.LowR = Alarms_->LowR();
  return l;
}

void TMainDialogsQt::SetAlarmLimits(const TAlarmLimits& l) {
  Alarms_->SetHighT(l.HighT);
  Alarms_->SetLowT(l.LowT);
  Alarms_->SetHighI(l.HighI);
  Alarms_->SetLowI(l.LowI);
  Alarms_->SetHighV(l.HighV);
  Alarms_->SetLowV(l.LowV);
  Alarms_->SetHighR(l.HighR);
  Alarms_->SetLowR(l.LowR);
}

bool TMainDialogsQt::ExecuteAlarms(bool forceAllStrings) { return Alarms_->Execute(forceAllStrings); }

bool TMainDialogsQt::AlarmAllStrings() const { return Alarms_->AllStrings(); }

bool TMainDialogsQt::AlarmsAccepted() const { return Alarms_->AlarmsAccepted(); }

void TMainDialogsQt::SetAlarmsAccepted(bool accepted) { Alarms_->SetAlarmsAccepted(accepted); }

bool TMainDialogsQt::ExecuteCurrentScaling(TCurrentScalingCalculator& calculator) {
  return Scaling_->Execute(calculator);
}
