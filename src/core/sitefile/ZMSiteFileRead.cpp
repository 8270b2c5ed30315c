// Reading site files. The file is read twice from its parsed JSON: first into a
// scratch model, which finds every fault, then, only when that succeeded, into
// the program's own model, which can then no longer fail.
#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numeric>

#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"
#include "sitefile/ZMSiteFileJson.h"
#include "sitefile/ZMSiteFileNames.h"

namespace {
template <typename E, size_t N>
std::vector<const char*> NamesOf(const std::array<std::pair<E, const char*>, N>& names) {
  std::vector<const char*> out;
  for (const auto& entry : names) out.push_back(entry.second);
  return out;
}

template <typename E, size_t N>
E ReadChoice(TSiteObject& o, std::string_view key, const std::array<std::pair<E, const char*>, N>& names) {
  return names[o.Choice(key, NamesOf(names))].first;
}

TCurrentScalingCalculator ReadScaling(TSiteObject& probe) {
  TSiteScope scope(probe.Path(), "Scaling");
  TSiteObject o(probe.Member("Scaling"), probe.Path(),
                {"Mode", "ProbeCurrent", "TotalCables", "MonitoredCables", "PercentCurrent", "DirectValue"});
  const TSiteScalingMode mode = ReadChoice(o, "Mode", kSiteScalingModes);
  const int probeCurrent = o.Whole("ProbeCurrent", 0, kSiteMaxProbeCurrent);
  const int total = o.Whole("TotalCables", 0, kSiteMaxCables);
  const int monitored =
      o.Whole("MonitoredCables", mode == TSiteScalingMode::CableRatio ? 1 : 0, kSiteMaxCables);
  const int percent = o.Whole("PercentCurrent", mode == TSiteScalingMode::Percent ? 1 : 0, kSiteMaxPercent);
  int direct = 0;
  if (mode == TSiteScalingMode::Direct) {
    direct = o.Whole("DirectValue", INT_MIN, INT_MAX);
  } else if (o.Has("DirectValue")) {
    TSiteScope key(o.Path(), "DirectValue");
    o.Path().Fail("is only allowed when Mode is \"Direct\"");
  }
  // The setters keep the counts and the percentage through a change of mode,
  // so all three are stored first and the mode is set last.
  TCurrentScalingCalculator c;
  c.SetProbeCurrent(probeCurrent);
  if (total != 0 || monitored != 0) {
    try {
      c.SetCableRatio(total, monitored);
    } catch (const ECurrentScalingError&) {
      // 0 monitored cables: the counts are stored all the same.
    }
  }
  if (percent != 0) c.SetPercentCurrent(percent);
  switch (mode) {
    case TSiteScalingMode::CableRatio: c.SetCableRatio(total, monitored); break;
    case TSiteScalingMode::Percent: c.SetPercentCurrent(percent); break;
    case TSiteScalingMode::Direct: c.SetDirectValue(direct); break;
    case TSiteScalingMode::Probe:
      c.Reset();
      c.SetProbeCurrent(probeCurrent);
      break;
  }
  return c;
}

// Name and limits of a probe or sensor.
void ReadLeaf(TSiteObject& o, TzmUPSAlarmedSystemNode& node) {
  node.SetName(o.Text("Name"));
  node.LowAlarm = o.Number("LowAlarm");
  node.HighAlarm = o.Number("HighAlarm");
}

const std::initializer_list<std::string_view> kCellSettingKeys = {
    "LowAlarm", "HighAlarm", "LowResistance", "HighResistance", "BlocksPerChannel", "NullCount",
    "VoltageOnlyState"};

// The cell settings present in `o` go into `cell`; the others stay as they are.
void ReadCellSettings(TSiteObject& o, TzmUPSCellSystemNode& cell) {
  if (o.Has("LowAlarm")) cell.LowAlarm = o.Number("LowAlarm");
  if (o.Has("HighAlarm")) cell.HighAlarm = o.Number("HighAlarm");
  if (o.Has("LowResistance")) cell.LowResistance = o.Number("LowResistance");
  if (o.Has("HighResistance")) cell.HighResistance = o.Number("HighResistance");
  if (o.Has("BlocksPerChannel")) cell.SetBlocksPerChannel(o.WholeOrNone("BlocksPerChannel", 1, kSiteMaxBlocksPerChannel));
  if (o.Has("NullCount")) cell.NullCount = static_cast<std::uint8_t>(o.Whole("NullCount", 0, kSiteMaxNullCount));
  if (o.Has("VoltageOnlyState")) cell.VoltageOnlyState = static_cast<std::uint8_t>(o.Whole("VoltageOnlyState", 0, 1));
}

// The sub-string table, checked against the number of cells before any of it is used.
std::vector<int> ReadSubStrings(TSiteObject& o, size_t cellCount) {
  const TSiteJson& table = o.Array("SubStrings");
  TSiteScope scope(o.Path(), "SubStrings");
  std::vector<int> entries;
  long long total = 0;
  for (size_t i = 0; i < table.size(); ++i) {
    TSiteScope element(o.Path(), i);
    const long long cells = SiteWholeValue(table[i], o.Path());
    if (cells < 0 || cells > static_cast<long long>(cellCount))
      o.Path().Fail("must be from 0 to " + std::to_string(cellCount) + ", not " + std::to_string(cells));
    entries.push_back(static_cast<int>(cells));
    total += cells;
  }
  if (!entries.empty() && total != static_cast<long long>(cellCount))
    o.Path().Fail("add up to " + std::to_string(total) + " cells, but the string has " + std::to_string(cellCount));
  return entries;
}

void ReadString(TSiteObject& o, TzmUPSStringSystemNode& s) {
  s.SetName(o.Text("Name"));
  {
    const TSiteJson& groups = o.Array("GroupNames");
    TSiteScope scope(o.Path(), "GroupNames");
    if (groups.size() != 3) o.Path().Fail("must hold 3 names, not " + std::to_string(groups.size()));
    for (size_t g = 0; g < 3; ++g) {
      TSiteScope element(o.Path(), g);
      if (!groups[g].is_string()) o.Path().Fail("must be a string");
      s.GetChild(static_cast<int>(g))->SetName(groups[g].get<std::string>());
    }
  }
  s.SetControlUnit(o.WholeOrNone("ControlUnit", 0, kSiteMaxControlUnits - 1));
  s.Number = o.WholeOrNone("Number", 0, INT_MAX);
  s.ForceNewControlUnit = o.Flag("ForceNewControlUnit");
  s.CopyOfPrevious = o.Flag("CopyOfPrevious");
  s.UseChannelDefaults = o.Flag("UseChannelDefaults");

  const TSiteJson& currents = o.Array("currents", kSiteMaxCurrents, "current probes");
  s.SetCurrentCount(static_cast<int>(currents.size()));
  for (size_t i = 0; i < currents.size(); ++i) {
    TSiteScope scope(o.Path(), "currents");
    TSiteScope element(o.Path(), i);
    TSiteObject p(currents[i], o.Path(), {"Name", "LowAlarm", "HighAlarm", "Scaling"});
    TzmUPSCurrentSystemNode& probe = *s.GetCurrent(static_cast<int>(i));
    ReadLeaf(p, probe);
    probe.Scaling = ReadScaling(p);
  }
  const TSiteJson& temperatures = o.Array("temperatures", kSiteMaxTemperatures, "temperature sensors");
  s.SetTemperatureCount(static_cast<int>(temperatures.size()));
  for (size_t i = 0; i < temperatures.size(); ++i) {
    TSiteScope scope(o.Path(), "temperatures");
    TSiteScope element(o.Path(), i);
    TSiteObject t(temperatures[i], o.Path(), {"Name", "LowAlarm", "HighAlarm"});
    ReadLeaf(t, *s.GetTemperature(static_cast<int>(i)));
  }

  const TSiteJson& cells = o.Array("cells");
  const std::vector<int> subStrings = ReadSubStrings(o, cells.size());
  TzmUPSCellSystemNode defaults;
  {
    TSiteScope scope(o.Path(), "CellDefaults");
    TSiteObject d(o.Member("CellDefaults"), o.Path(), kCellSettingKeys);
    for (std::string_view key : kCellSettingKeys) d.Member(key);  // all of them are required here
    ReadCellSettings(d, defaults);
  }
  // Cells are made here directly, named from the file: growing the group would
  // look for a free default name for each new cell. Each sub-string's cells
  // exist before its entry is set, so setting it does not change the cells.
  TzmUPSAllCellSystemNode& group = *s.CellsGroup();
  group.SetChildCount(0);
  auto addCells = [&group](int count) {
    for (int n = 0; n < count; ++n) group.InsertChildOfClass(&CreateNodeOf<TzmUPSCellSystemNode>);
  };
  s.SetSubStringCount(static_cast<int>(subStrings.size()));
  for (size_t i = 0; i < subStrings.size(); ++i) {
    addCells(subStrings[i]);
    s.SetSubStringCells(static_cast<int>(i), subStrings[i]);
  }
  addCells(static_cast<int>(cells.size()) - s.CellCount());
  TSiteScope scope(o.Path(), "cells");
  for (size_t i = 0; i < cells.size(); ++i) {
    TSiteScope element(o.Path(), i);
    TSiteObject c(cells[i], o.Path(),
                  {"Name", "Label", "LowAlarm", "HighAlarm", "LowResistance", "HighResistance", "BlocksPerChannel",
                   "NullCount", "VoltageOnlyState"});
    TzmUPSCellSystemNode& cell = *s.GetCell(static_cast<int>(i));
    cell.SetName(c.Has("Name") ? c.Text("Name") : SiteDefaultCellName(i));
    cell.SetLabel(c.Has("Label") ? c.Text("Label") : std::string());
    cell.AssignSettings(defaults);
    cell.NullCount = defaults.NullCount;
    cell.VoltageOnlyState = defaults.VoltageOnlyState;
    ReadCellSettings(c, cell);
  }
}

void ReadBattery(TSiteObject& o, TzmUPSBatterySystemNode& b) {
  b.SetName(o.Text("Name"));
  b.VoltageOnly = o.Flag("VoltageOnly");
  b.Genset = o.Flag("Genset");
  b.DefaultControlUnit = o.WholeOrNone("DefaultControlUnit", 0, kSiteMaxControlUnits - 1);
  b.ForceNewControlUnit = o.Flag("ForceNewControlUnit");
  b.CopyOfPrevious = o.Flag("CopyOfPrevious");
  b.AllStringsSame = o.Flag("AllStringsSame");
  const TSiteJson& strings = o.Array("strings");
  TSiteScope scope(o.Path(), "strings");
  for (size_t i = 0; i < strings.size(); ++i) {
    TSiteScope element(o.Path(), i);
    TSiteObject s(strings[i], o.Path(),
                  {"Name", "GroupNames", "ControlUnit", "Number", "ForceNewControlUnit", "CopyOfPrevious",
                   "UseChannelDefaults", "SubStrings", "currents", "temperatures", "CellDefaults", "cells"});
    b.AddChild();
    ReadString(s, *b.GetString(b.StringCount() - 1));
  }
}

TSiteSettings ReadSettings(TSiteObject& root) {
  TSiteSettings settings;
  settings.ControlUnitButtons = root.Whole("ControlUnitButtons", 0, kSiteMaxControlUnits);
  settings.GlobalAlarmSetting = root.Flag("GlobalAlarmSetting");
  TSiteScope scope(root.Path(), "AlarmDialog");
  TSiteObject d(root.Member("AlarmDialog"), root.Path(),
                {"HighT", "LowT", "HighI", "LowI", "HighV", "LowV", "HighR", "LowR", "CellType", "Chemistry"});
  TAlarmLimits& l = settings.AlarmDialog.Limits;
  l.HighT = d.Number("HighT");
  l.LowT = d.Number("LowT");
  l.HighI = d.Number("HighI");
  l.LowI = d.Number("LowI");
  l.HighV = d.Number("HighV");
  l.LowV = d.Number("LowV");
  l.HighR = d.Number("HighR");
  l.LowR = d.Number("LowR");
  settings.AlarmDialog.CellType = ReadChoice(d, "CellType", kSiteCellTypes);
  settings.AlarmDialog.Chemistry = ReadChoice(d, "Chemistry", kSiteChemistries);
  return settings;
}

// "format" and "version" are checked before anything else, so that a newer
// file is reported as such rather than by the first key this program lacks.
void CheckFormat(const TSiteJson& json, TSitePath& path) {
  if (!json.is_object()) path.Fail("is not a site file: the file must hold one JSON object");
  const auto format = json.find("format");
  if (format == json.end() || !format->is_string() || format->get<std::string>() != kSiteFileFormat) {
    TSiteScope scope(path, "format");
    path.Fail(std::string("is not a site file: \"format\" must be \"") + kSiteFileFormat + "\"");
  }
  const auto version = json.find("version");
  TSiteScope scope(path, "version");
  if (version == json.end()) path.Fail("is missing");
  const long long v = SiteWholeValue(*version, path);
  if (v > kSiteFileVersion)
    path.Fail("is " + std::to_string(v) + ": the file was written by a newer program; this one reads version " +
              std::to_string(kSiteFileVersion));
  if (v < 1) path.Fail("must be from 1 to " + std::to_string(kSiteFileVersion) + ", not " + std::to_string(v));
}

// Replaces the model by the file's one and returns the settings; throws ESiteFault.
TSiteSettings ReadInto(const TSiteJson& json, TzmUPSSystem& system) {
  TSitePath path;
  CheckFormat(json, path);
  TSiteObject root(json, path,
                   {"format", "version", "CommPort", "AllBatteriesSame", "ControlUnitButtons", "GlobalAlarmSetting",
                    "AlarmDialog", "batteries"});
  const int commPort = root.Whole("CommPort", 1, 255);
  const bool allBatteriesSame = root.Flag("AllBatteriesSame");
  TSiteSettings settings = ReadSettings(root);
  const TSiteJson& batteries = root.Array("batteries");
  system.SetBatteryCount(0);
  system.BMU()->CommPort = static_cast<std::uint8_t>(commPort);
  system.AllBatteriesSame = allBatteriesSame;
  TSiteScope scope(path, "batteries");
  for (size_t i = 0; i < batteries.size(); ++i) {
    TSiteScope element(path, i);
    TSiteObject b(batteries[i], path,
                  {"Name", "VoltageOnly", "Genset", "DefaultControlUnit", "ForceNewControlUnit", "CopyOfPrevious",
                   "AllStringsSame", "strings"});
    system.BMU()->AddChild();
    ReadBattery(b, *system.GetBattery(system.BatteryCount() - 1));
  }
  return settings;
}

int HighestJoinNumber(const TzmUPSSystem& system) {
  int highest = -1;
  system.ForEachNode({}, [&highest](TzmUPSStringSystemNode* s) { highest = std::max(highest, s->Number); });
  return highest;
}
}  // namespace

std::optional<TSiteFileError> ReadSiteFile(const std::string& text, TzmUPSSystem& system, TSiteSettings& settings) {
  TSiteJson json;
  try {
    json = ParseSiteJson(text);
    TzmUPSSystem scratch;
    ReadInto(json, scratch);
    // Cells go last first: a large group dropping its first cell at a time is slow.
    scratch.ForEachNode({}, [](TzmUPSStringSystemNode* s) { s->SetCellCount(0); });
  } catch (const ESiteFault& fault) {
    return TSiteFileError{fault.Path, fault.Reason};
  }
  // The tree control rebuilds its rows once, after the whole model is in place.
  IzmTreeControl* view = system.Treeview();
  system.SetTreeview(nullptr);
  settings = ReadInto(json, system);
  ReserveJoinNumber(HighestJoinNumber(system));
  system.SetTreeview(view);
  return std::nullopt;
}

std::optional<TSiteFileError> OpenSiteFile(const std::string& path, TzmUPSSystem& system, TSiteSettings& settings) {
  std::ifstream in(path, std::ios::binary);
  if (!in.is_open())
    return TSiteFileError{{}, "The site file " + path + " cannot be opened: " + std::strerror(errno)};
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return TSiteFileError{{}, "The site file " + path + " cannot be read: " + std::strerror(errno)};
  return ReadSiteFile(text, system, settings);
}
