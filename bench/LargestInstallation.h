#pragma once
// The largest installation the hardware allows, made through the core: one
// battery of 32 strings, one string per control unit, each string with 255
// DCMs of 4 channels (1,020 cells), one current probe and two temperature
// sensors. Its configuration grid has 1 + 32 x (8 + 1,020) = 32,897 rows.
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"

inline constexpr int kLargestUnits = 32;
inline constexpr int kLargestChannelsPerUnit = 255 * 4;
inline constexpr int kLargestGridRows = 1 + kLargestUnits * (8 + kLargestChannelsPerUnit);

inline void BuildLargestSystem(TzmUPSSystem& system, TSiteSettings& settings) {
  system.SetBatteryCount(1);
  TzmUPSBatterySystemNode& battery = *system.GetBattery(0);
  battery.SetChildCount(kLargestUnits);
  for (int u = 0; u < kLargestUnits; ++u) {
    TzmUPSStringSystemNode& string = *battery.GetString(u);
    string.SetCurrentCount(1);
    string.SetTemperatureCount(2);
    string.SetCellCount(kLargestChannelsPerUnit);
    for (int c = 0; c < kLargestChannelsPerUnit; ++c) {
      TzmUPSCellSystemNode& cell = *string.GetCell(c);
      cell.LowAlarm = 12;
      cell.HighAlarm = 14.4;
      cell.LowResistance = 1.8;
      cell.HighResistance = 6;
    }
    string.SetControlUnit(u);
  }
  settings.ControlUnitButtons = kLargestUnits;
}
