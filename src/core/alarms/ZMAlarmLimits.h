#pragma once
// The eight limits of the alarm settings dialog and how they are given to the
// model's nodes. A negative limit is off.
class TzmUPSCellSystemNode;
class TzmUPSStringSystemNode;

struct TAlarmLimits {
  double HighT = -1, LowT = -1;
  double HighI = -1, LowI = -1;  // discharge threshold, charge limit
  double HighV = -1, LowV = -1;
  double HighR = -1, LowR = -1;
};

// A cell takes the voltage and ohmic-value limits.
void SetCellAlarms(TzmUPSCellSystemNode* cell, const TAlarmLimits& limits);
// Every current probe of the string takes the current limits, every
// temperature sensor the temperature limits.
void SetProbeAlarms(TzmUPSStringSystemNode* string, const TAlarmLimits& limits);
