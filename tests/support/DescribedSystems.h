#pragma once
// Small systems the tests describe again and again, and the limits of the
// hand-worked configuration file tests/data/OneStringOfFourCells.cfg.
#include "model/ZMUPSTreeSystem.h"
#include "wizard/MainWizard.h"

// A new string of 4 cells with one current probe and two temperature sensors.
inline TzmUPSStringSystemNode* AddStringOfFourCells(TzmUPSBatterySystemNode* battery) {
  battery->AddChild();
  TzmUPSStringSystemNode* s = battery->GetString(battery->StringCount() - 1);
  s->SetCellCount(4);
  s->SetCurrentCount(1);
  s->SetTemperatureCount(2);
  return s;
}

// Cells 12 to 14.4 V and 1.8 to 6 mOhm, discharge 100 A, sensors 16 to 28 degrees C.
inline void SetHandWorkedLimits(TzmUPSStringSystemNode* s) {
  for (int c = 0; c < s->CellCount(); ++c) {
    TzmUPSCellSystemNode* cell = s->GetCell(c);
    cell->HighAlarm = 14.4;
    cell->LowAlarm = 12;
    cell->HighResistance = 6;
    cell->LowResistance = 1.8;
  }
  s->GetCurrent(0)->HighAlarm = 100;
  for (int t = 0; t < s->TemperatureCount(); ++t) {
    s->GetTemperature(t)->HighAlarm = 28;
    s->GetTemperature(t)->LowAlarm = 16;
  }
}

// Puts the string on control unit #1 (adding its button) and updates the wizard buttons.
inline void PutOnFirstControlUnit(TConfigWizardLogic& wizard, TzmUPSStringSystemNode* s) {
  if (wizard.ControlUnits().ButtonCount() == 0) wizard.ControlUnits().AddControlUnitButton();
  s->SetControlUnit(0);
  wizard.UpdateWizardButtons();
}
