// Writing site files: the model and the settings as JSON.
#include <bit>
#include <cstdint>
#include <nlohmann/json.hpp>

#include "common/ZMSafeFile.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"
#include "sitefile/ZMSiteFileNames.h"

namespace {
using TJson = nlohmann::ordered_json;

// The cell settings a string's "CellDefaults" holds; a cell lists only those
// that differ from them.
struct TCellSettings {
  double LowAlarm, HighAlarm, LowResistance, HighResistance;
  int BlocksPerChannel, NullCount, VoltageOnlyState;
};

TCellSettings SettingsOf(const TzmUPSCellSystemNode& cell) {
  return {cell.LowAlarm,          cell.HighAlarm, cell.LowResistance, cell.HighResistance,
          cell.BlocksPerChannel(), cell.NullCount, cell.VoltageOnlyState};
}

// Equal to the last bit, so that -0 and 0 stay apart.
bool Same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

void PutCellSettings(TJson& out, const TCellSettings& s, const TCellSettings* defaults) {
  auto number = [&](const char* key, double value, double fallback) {
    if (!defaults || !Same(value, fallback)) out[key] = value;
  };
  auto whole = [&](const char* key, int value, int fallback) {
    if (!defaults || value != fallback) out[key] = value;
  };
  const TCellSettings d = defaults ? *defaults : s;
  number("LowAlarm", s.LowAlarm, d.LowAlarm);
  number("HighAlarm", s.HighAlarm, d.HighAlarm);
  number("LowResistance", s.LowResistance, d.LowResistance);
  number("HighResistance", s.HighResistance, d.HighResistance);
  whole("BlocksPerChannel", s.BlocksPerChannel, d.BlocksPerChannel);
  whole("NullCount", s.NullCount, d.NullCount);
  whole("VoltageOnlyState", s.VoltageOnlyState, d.VoltageOnlyState);
}

TJson ScalingJson(const TCurrentScalingCalculator& c) {
  TSiteScalingMode mode = TSiteScalingMode::Probe;
  if (c.UseDirectValue()) mode = TSiteScalingMode::Direct;
  else if (c.UseCableRatio()) mode = TSiteScalingMode::CableRatio;
  else if (c.UsePercent()) mode = TSiteScalingMode::Percent;
  TJson j = TJson::object();
  j["Mode"] = SiteNameOf(kSiteScalingModes, mode);
  j["ProbeCurrent"] = c.ProbeCurrent();
  j["TotalCables"] = c.TotalCables();
  j["MonitoredCables"] = c.MonitoredCables();
  j["PercentCurrent"] = c.PercentCurrent();
  if (mode == TSiteScalingMode::Direct) j["DirectValue"] = c.GetScaledCurrent();
  return j;
}

TJson LeafJson(const TzmUPSAlarmedSystemNode& node) {
  TJson j = TJson::object();
  j["Name"] = node.Name();
  j["LowAlarm"] = node.LowAlarm;
  j["HighAlarm"] = node.HighAlarm;
  return j;
}

// A sub-string table that does not add up to the string's cells is one the grid
// builder ignores (it lays the string out whole); it is not kept.
std::vector<int> StoredSubStrings(const TzmUPSStringSystemNode& s) {
  long long total = 0;
  for (int cells : s.SubStringCells()) total += cells;
  if (total != s.CellCount()) return {};
  return s.SubStringCells();
}

TJson StringJson(const TzmUPSStringSystemNode& s) {
  TJson j = TJson::object();
  j["Name"] = s.Name();
  TJson groups = TJson::array();
  for (int g = 0; g < s.ChildCount(); ++g) groups.push_back(s.GetChild(g)->Name());
  j["GroupNames"] = std::move(groups);
  j["ControlUnit"] = s.ControlUnit();
  j["Number"] = s.Number;
  j["ForceNewControlUnit"] = s.ForceNewControlUnit;
  j["CopyOfPrevious"] = s.CopyOfPrevious;
  j["UseChannelDefaults"] = s.UseChannelDefaults;
  j["SubStrings"] = StoredSubStrings(s);
  TJson& currents = j["currents"] = TJson::array();
  for (int i = 0; i < s.CurrentCount(); ++i) {
    const TzmUPSCurrentSystemNode& probe = *s.GetCurrent(i);
    TJson p = LeafJson(probe);
    p["Scaling"] = ScalingJson(probe.Scaling);
    currents.push_back(std::move(p));
  }
  TJson& temperatures = j["temperatures"] = TJson::array();
  for (int i = 0; i < s.TemperatureCount(); ++i) temperatures.push_back(LeafJson(*s.GetTemperature(i)));
  const TzmUPSCellSystemNode fresh;
  const TCellSettings defaults = SettingsOf(s.CellCount() > 0 ? *s.GetCell(0) : fresh);
  PutCellSettings(j["CellDefaults"] = TJson::object(), defaults, nullptr);
  TJson& cells = j["cells"] = TJson::array();
  for (int i = 0; i < s.CellCount(); ++i) {
    const TzmUPSCellSystemNode& cell = *s.GetCell(i);
    TJson c = TJson::object();
    if (cell.Name() != SiteDefaultCellName(static_cast<size_t>(i))) c["Name"] = cell.Name();
    if (!cell.Label().empty()) c["Label"] = cell.Label();
    PutCellSettings(c, SettingsOf(cell), &defaults);
    cells.push_back(std::move(c));
  }
  return j;
}

TJson BatteryJson(const TzmUPSBatterySystemNode& b) {
  TJson j = TJson::object();
  j["Name"] = b.Name();
  j["VoltageOnly"] = b.VoltageOnly;
  j["Genset"] = b.Genset;
  j["DefaultControlUnit"] = b.DefaultControlUnit;
  j["ForceNewControlUnit"] = b.ForceNewControlUnit;
  j["CopyOfPrevious"] = b.CopyOfPrevious;
  j["AllStringsSame"] = b.AllStringsSame;
  TJson& strings = j["strings"] = TJson::array();
  for (int i = 0; i < b.StringCount(); ++i) strings.push_back(StringJson(*b.GetString(i)));
  return j;
}

TJson AlarmDialogJson(const TSiteAlarmDialog& d) {
  TJson j = TJson::object();
  j["HighT"] = d.Limits.HighT;
  j["LowT"] = d.Limits.LowT;
  j["HighI"] = d.Limits.HighI;
  j["LowI"] = d.Limits.LowI;
  j["HighV"] = d.Limits.HighV;
  j["LowV"] = d.Limits.LowV;
  j["HighR"] = d.Limits.HighR;
  j["LowR"] = d.Limits.LowR;
  j["CellType"] = SiteNameOf(kSiteCellTypes, d.CellType);
  j["Chemistry"] = SiteNameOf(kSiteChemistries, d.Chemistry);
  return j;
}
}  // namespace

bool TSiteAlarmDialog::operator==(const TSiteAlarmDialog& o) const {
  const TAlarmLimits& a = Limits;
  const TAlarmLimits& b = o.Limits;
  return Same(a.HighT, b.HighT) && Same(a.LowT, b.LowT) && Same(a.HighI, b.HighI) && Same(a.LowI, b.LowI) &&
         Same(a.HighV, b.HighV) && Same(a.LowV, b.LowV) && Same(a.HighR, b.HighR) && Same(a.LowR, b.LowR) &&
         CellType == o.CellType && Chemistry == o.Chemistry;
}

std::string TSiteFileError::Message() const { return Path.empty() ? Reason : Path + ": " + Reason; }

std::string WriteSiteFile(const TzmUPSSystem& system, const TSiteSettings& settings) {
  TJson root = TJson::object();
  root["format"] = kSiteFileFormat;
  root["version"] = kSiteFileVersion;
  root["CommPort"] = system.BMU()->CommPort;
  root["AllBatteriesSame"] = system.AllBatteriesSame;
  root["ControlUnitButtons"] = settings.ControlUnitButtons;
  root["GlobalAlarmSetting"] = settings.GlobalAlarmSetting;
  root["AlarmDialog"] = AlarmDialogJson(settings.AlarmDialog);
  TJson& batteries = root["batteries"] = TJson::array();
  for (int i = 0; i < system.BatteryCount(); ++i) batteries.push_back(BatteryJson(*system.GetBattery(i)));
  try {
    return root.dump(2, ' ', false, TJson::error_handler_t::strict) + "\n";
  } catch (const TJson::exception& e) {
    throw ESiteFileWriteError(std::string("The site file cannot be written: a name is not valid UTF-8 (") +
                              e.what() + ")");
  }
}

void SaveSiteFile(const std::string& path, const TzmUPSSystem& system, const TSiteSettings& settings) {
  WriteFileSafely(path, WriteSiteFile(system, settings));
}
