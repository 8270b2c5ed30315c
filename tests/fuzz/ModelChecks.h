#pragma once
// Invariants of a model that the fuzz targets check.
#include "FuzzSupport.h"
#include "model/ZMUPSTreeSystem.h"

// Every split string's sub-strings hold exactly its cells.
inline void CheckSubStringTables(const TzmUPSSystem& system) {
  for (int b = 0; b < system.BatteryCount(); ++b) {
    const TzmUPSBatterySystemNode* battery = system.GetBattery(b);
    for (int s = 0; s < battery->StringCount(); ++s) {
      const TzmUPSStringSystemNode* string = battery->GetString(s);
      if (!string->HasSubStrings()) continue;
      int sum = 0;
      for (int cells : string->SubStringCells()) {
        FUZZ_CHECK(cells >= 0);
        sum += cells;
      }
      FUZZ_CHECK(sum == string->CellCount());
    }
  }
}
