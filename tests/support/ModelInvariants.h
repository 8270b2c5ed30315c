#pragma once
// Invariants of the model and the editable grid that must hold whatever the
// user did, shared by the fuzz targets and the monkey test. Each returns what
// is broken, or an empty text when all is well.
#include <string>

#include "editgrid/UEditGrid.h"
#include "model/ZMUPSTreeSystem.h"

// Every split string's sub-strings hold exactly its cells.
inline std::string SubStringTablesBroken(const TzmUPSSystem& system) {
  for (int b = 0; b < system.BatteryCount(); ++b) {
    const TzmUPSBatterySystemNode* battery = system.GetBattery(b);
    for (int s = 0; s < battery->StringCount(); ++s) {
      const TzmUPSStringSystemNode* string = battery->GetString(s);
      int sum = 0;
      for (int cells : string->SubStringCells()) {
        if (cells < 0) return string->Name() + ": a sub-string of " + std::to_string(cells) + " cells";
        sum += cells;
      }
      if (string->HasSubStrings() && sum != string->CellCount())
        return string->Name() + ": sub-strings of " + std::to_string(sum) + " cells in a string of " +
               std::to_string(string->CellCount());
    }
  }
  return {};
}

// Every string is on no control unit (-1) or on one of the 32.
inline std::string ControlUnitsBroken(const TzmUPSSystem& system) {
  for (int b = 0; b < system.BatteryCount(); ++b)
    for (int s = 0; s < system.GetBattery(b)->StringCount(); ++s) {
      const TzmUPSStringSystemNode* string = system.GetBattery(b)->GetString(s);
      if (string->ControlUnit() < -1 || string->ControlUnit() > 31)
        return string->Name() + " is on control unit index " + std::to_string(string->ControlUnit());
    }
  return {};
}

// The current cell and the selection lie inside the grid (a grid without rows
// has no cell to stand on).
inline std::string GridPlacesBroken(const TEditGrid& grid) {
  if (grid.RowCount() == 0) return {};
  auto inside = [&grid](int32_t col, int32_t row) {
    return col >= 0 && row >= 0 && col < grid.ColCount() && row < grid.RowCount();
  };
  const TGridRect& s = grid.Selection();
  const std::string where = "current " + std::to_string(grid.Col()) + "," + std::to_string(grid.Row()) +
                            " selection " + std::to_string(s.Left) + "," + std::to_string(s.Top) + "-" +
                            std::to_string(s.Right) + "," + std::to_string(s.Bottom) + " in " +
                            std::to_string(grid.ColCount()) + "x" + std::to_string(grid.RowCount());
  if (!inside(grid.Col(), grid.Row())) return "current cell outside the grid: " + where;
  if (s.Left > s.Right || s.Top > s.Bottom || !inside(s.Left, s.Top) || !inside(s.Right, s.Bottom))
    return "selection outside the grid: " + where;
  return {};
}
