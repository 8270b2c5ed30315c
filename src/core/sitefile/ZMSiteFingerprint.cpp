// Walks the same values, in the same order, as the site file writer.
#include "sitefile/ZMSiteFingerprint.h"

#include <bit>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ZMUPSTreeSystem.h"

namespace {
// Mixes whole 64-bit words; texts go in through the library's string hash.
class THash {
 public:
  void Whole(long long value) {
    h_ ^= static_cast<std::uint64_t>(value) + 0x9e3779b97f4a7c15ull + (h_ << 6) + (h_ >> 2);
    h_ *= 0xff51afd7ed558ccdull;
    h_ ^= h_ >> 33;
  }
  // Bit for bit, so that -0 and 0 differ as they do in the file.
  void Number(double value) { Whole(static_cast<long long>(std::bit_cast<std::uint64_t>(value))); }
  void Text(const std::string& text) {
    Whole(static_cast<long long>(text.size()));
    Whole(static_cast<long long>(std::hash<std::string_view>()(text)));
  }
  std::uint64_t Value() const { return h_; }

 private:
  std::uint64_t h_ = 0xcbf29ce484222325ull;
};

void Leaf(THash& h, const TzmUPSAlarmedSystemNode& node) {
  h.Text(node.Name());
  h.Number(node.LowAlarm);
  h.Number(node.HighAlarm);
}

void Scaling(THash& h, const TCurrentScalingCalculator& c) {
  const int mode = c.UseDirectValue() ? 3 : c.UseCableRatio() ? 1 : c.UsePercent() ? 2 : 0;
  h.Whole(mode);
  h.Number(c.ProbeCurrent());
  h.Number(c.TotalCables());
  h.Number(c.MonitoredCables());
  h.Number(c.PercentCurrent());
  if (mode == 3) h.Number(c.GetScaledCurrent());
}

void String(THash& h, const TzmUPSStringSystemNode& s) {
  h.Text(s.Name());
  h.Whole(s.ChildCount());
  for (int g = 0; g < s.ChildCount(); ++g) h.Text(s.GetChild(g)->Name());
  h.Whole(s.ControlUnit());
  h.Whole(s.Number);
  h.Whole(s.ForceNewControlUnit);
  h.Whole(s.CopyOfPrevious);
  h.Whole(s.UseChannelDefaults);
  // A sub-string table that does not add up is not kept.
  long long total = 0;
  for (int cells : s.SubStringCells()) total += cells;
  const std::vector<int> none;
  const std::vector<int>& subStrings = total == s.CellCount() ? s.SubStringCells() : none;
  h.Whole(static_cast<long long>(subStrings.size()));
  for (int cells : subStrings) h.Whole(cells);
  h.Whole(s.CurrentCount());
  for (int i = 0; i < s.CurrentCount(); ++i) {
    const TzmUPSCurrentSystemNode& probe = *s.GetCurrent(i);
    Leaf(h, probe);
    Scaling(h, probe.Scaling);
  }
  h.Whole(s.TemperatureCount());
  for (int i = 0; i < s.TemperatureCount(); ++i) Leaf(h, *s.GetTemperature(i));
  h.Whole(s.CellCount());
  for (int i = 0; i < s.CellCount(); ++i) {
    const TzmUPSCellSystemNode& cell = *s.GetCell(i);
    h.Text(cell.Name());
    h.Text(cell.Label());
    h.Number(cell.LowAlarm);
    h.Number(cell.HighAlarm);
    h.Number(cell.LowResistance);
    h.Number(cell.HighResistance);
    h.Whole(cell.BlocksPerChannel());
    h.Whole(cell.NullCount);
    h.Whole(cell.VoltageOnlyState);
  }
}
}  // namespace

std::uint64_t SiteFingerprint(const TzmUPSSystem& system, const TSiteSettings& settings) {
  THash h;
  h.Whole(system.BMU()->CommPort);
  h.Whole(system.AllBatteriesSame);
  h.Whole(settings.ControlUnitButtons);
  h.Whole(settings.GlobalAlarmSetting);
  const TAlarmLimits& l = settings.AlarmDialog.Limits;
  for (double v : {l.HighT, l.LowT, l.HighI, l.LowI, l.HighV, l.LowV, l.HighR, l.LowR}) h.Number(v);
  h.Whole(static_cast<int>(settings.AlarmDialog.CellType));
  h.Whole(static_cast<int>(settings.AlarmDialog.Chemistry));
  h.Whole(system.BatteryCount());
  for (int b = 0; b < system.BatteryCount(); ++b) {
    const TzmUPSBatterySystemNode& battery = *system.GetBattery(b);
    h.Text(battery.Name());
    h.Whole(battery.VoltageOnly);
    h.Whole(battery.Genset);
    h.Whole(battery.DefaultControlUnit);
    h.Whole(battery.ForceNewControlUnit);
    h.Whole(battery.CopyOfPrevious);
    h.Whole(battery.AllStringsSame);
    h.Whole(battery.StringCount());
    for (int s = 0; s < battery.StringCount(); ++s) String(h, *battery.GetString(s));
  }
  return h.Value();
}
