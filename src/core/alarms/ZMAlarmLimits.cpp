#include "alarms/ZMAlarmLimits.h"

#include "model/ZMUPSTreeSystem.h"

void SetCellAlarms(TzmUPSCellSystemNode* cell, const TAlarmLimits& limits) {
  cell->LowAlarm = limits.LowV;
  cell->HighAlarm = limits.HighV;
  cell->LowResistance = limits.LowR;
  cell->HighResistance = limits.HighR;
  cell->RefreshView();
}

void SetProbeAlarms(TzmUPSStringSystemNode* string, const TAlarmLimits& limits) {
  for (int i = 0; i < string->CurrentCount(); ++i) {
    TzmUPSCurrentSystemNode* probe = string->GetCurrent(i);
    probe->LowAlarm = limits.LowI;
    probe->HighAlarm = limits.HighI;
    probe->RefreshView();
  }
  for (int i = 0; i < string->TemperatureCount(); ++i) {
    TzmUPSTemperatureSystemNode* sensor = string->GetTemperature(i);
    sensor->LowAlarm = limits.LowT;
    sensor->HighAlarm = limits.HighT;
    sensor->RefreshView();
  }
}
