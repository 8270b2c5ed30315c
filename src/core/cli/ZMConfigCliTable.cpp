#include "cli/ZMConfigCliTable.h"

#include <algorithm>

#include "model/ZMUPSTreeSystem.h"

TControlUnitTable ControlUnitTableOf(const TzmUPSSystem& system) {
  TControlUnitTable table(1);
  system.ForEachNode({}, [&table](TzmUPSStringSystemNode* s) {
    const int unit = s->ControlUnit();
    if (unit < 0) return;
    if (static_cast<int>(table.size()) <= unit) table.resize(static_cast<size_t>(unit) + 1);
    TControlUnitRecord& record = table[static_cast<size_t>(unit)];
    record.Used = true;
    for (int i = 0; i < s->CurrentCount(); ++i) {
      const int slot = record.ProbeCount();
      if (slot < CUProbeInputs) record.Probes[static_cast<size_t>(slot)] = s->GetCurrent(i);
    }
    for (int i = 0; i < s->TemperatureCount(); ++i) {
      const int slot = record.SensorCount();
      if (slot < CUSensorInputs) record.Sensors[static_cast<size_t>(slot)] = s->GetTemperature(i);
    }
    // One section per sub-string (or for the string); past the last entry the
    // rest of the string shares it.
    const int sections = std::max(1, s->SubStringCount());
    for (int k = 0; k < sections; ++k) {
      const int channels = s->HasSubStrings() ? s->GetSubStringChannelCount(k) : s->ChannelCount();
      const int dcms = DCMsForChannels(channels);
      if (dcms == 0) continue;
      const int count = record.SectionCount();
      const int end = record.DcmCount() + dcms;
      if (count == CUMaxSections) {
        TControlUnitSection& last = record.Sections[static_cast<size_t>(count) - 1];
        last.DcmEnd = end;
        last.LastSubString = s->HasSubStrings() ? k + 1 : 0;
        continue;
      }
      const int sub = s->HasSubStrings() ? k + 1 : 0;
      record.Sections[static_cast<size_t>(count)] = {end, s, sub, sub};
    }
  });
  // Records stay in control unit order; the reports stop at the first unused one.
  std::stable_partition(table.begin(), table.end(), [](const TControlUnitRecord& r) { return r.Used; });
  return table;
}
