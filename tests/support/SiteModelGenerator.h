#pragma once
// A seeded generator of varied installations (model and site settings) for
// tests that must hold for any model, and the configuration file such an
// installation gives. The same seed always gives the same installation.
//
// The installations mix: several batteries and strings, custom and default
// names (some in UTF-8), joined strings, sub-strings (and now and then a
// sub-string table that does not add up), null channels, voltage-only
// batteries and channels, every current scaling mode, limits of -1, -0, 0,
// 0.1 + 0.2 and other awkward decimals, control units packed within the
// hardware's limits (some strings left off), the walk-through's flags and the
// "Global alarm setting".
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/ZMUserInterface.h"
#include "config/BuildConfigGrid.h"
#include "config/grid_file_stuff.h"
#include "editgrid/UEditGrid.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"
#include "wizard/MainWizard.h"

class TSiteModelGenerator {
 public:
  explicit TSiteModelGenerator(std::uint32_t seed) : State_(seed * 2654435761u + 1) {}

  void Generate(TzmUPSSystem& system, TSiteSettings& settings) {
    system.SetBatteryCount(0);
    system.BMU()->CommPort = static_cast<std::uint8_t>(1 + Below(8));
    system.AllBatteriesSame = Chance(4);
    const int batteries = 1 + Below(4);
    for (int b = 0; b < batteries; ++b) {
      system.BMU()->AddChild();
      MakeBattery(*system.GetBattery(b));
    }
    int units = AssignControlUnits(system);
    settings.ControlUnitButtons = std::min(32, units + (Chance(4) ? Below(3) : 0));
    settings.GlobalAlarmSetting = Chance(3);
    TAlarmLimits& l = settings.AlarmDialog.Limits;
    for (double* v : {&l.HighT, &l.LowT, &l.HighI, &l.LowI, &l.HighV, &l.LowV, &l.HighR, &l.LowR}) *v = Limit();
    settings.AlarmDialog.CellType = static_cast<TCellType>(Below(5));
    settings.AlarmDialog.Chemistry = Chance(2) ? TCellChemistry::chWet : TCellChemistry::chVRLA;
  }

 private:
  std::uint32_t Next() {  // xorshift32: the same numbers on every platform
    State_ ^= State_ << 13;
    State_ ^= State_ >> 17;
    State_ ^= State_ << 5;
    return State_;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }
  bool Chance(int oneIn) { return Below(oneIn) == 0; }

  double Limit() {
    static const double pool[] = {-1, -0.0, 0, 0.1 + 0.2, 12, 14.4, 2.25, 1e-7, 123456.789, 1.0 / 3.0, 39.5, 100, -2.5};
    return pool[Below(static_cast<int>(std::size(pool)))];
  }
  std::string Name(const std::string& fallback) {
    static const char* const names[] = {"UPS A", "Süd-Batterie", "Jar 7", "cell x", "Temperature hall", "B"};
    return Chance(5) ? names[Below(static_cast<int>(std::size(names)))] : fallback;
  }

  void MakeBattery(TzmUPSBatterySystemNode& b) {
    b.SetName(Name(b.Name()));
    b.VoltageOnly = Chance(4);
    b.Genset = Chance(6);
    b.ForceNewControlUnit = Chance(4);
    b.CopyOfPrevious = Chance(4);
    b.AllStringsSame = Chance(4);
    const int strings = 1 + Below(4);
    for (int s = 0; s < strings; ++s) {
      b.AddChild();
      TzmUPSStringSystemNode& string = *b.GetString(s);
      MakeString(string);
      if (s > 0 && Chance(4)) {  // joined to the string before it
        TzmUPSStringSystemNode& before = *b.GetString(s - 1);
        if (!before.HasNumber()) before.NewJoinNumber();
        string.Number = before.Number;
      }
    }
    b.DefaultControlUnit = Chance(5) ? Below(32) : -1;
  }

  void MakeString(TzmUPSStringSystemNode& s) {
    s.SetName(Name(s.Name()));
    if (Chance(20)) s.GetChild(1)->SetName("Sensors");
    s.ForceNewControlUnit = Chance(5);
    s.CopyOfPrevious = Chance(5);
    s.UseChannelDefaults = Chance(5);
    s.SetCurrentCount(Below(3));
    for (int i = 0; i < s.CurrentCount(); ++i) {
      TzmUPSCurrentSystemNode& p = *s.GetCurrent(i);
      p.SetName(Name(p.Name()));
      p.LowAlarm = Limit();
      p.HighAlarm = Limit();
      Scale(p.Scaling);
    }
    s.SetTemperatureCount(Below(3));
    for (int i = 0; i < s.TemperatureCount(); ++i) {
      TzmUPSTemperatureSystemNode& t = *s.GetTemperature(i);
      t.SetName(Name(t.Name()));
      t.LowAlarm = Limit();
      t.HighAlarm = Limit();
    }
    const int cells = Chance(10) ? Below(300) : Below(40);
    s.SetCellCount(cells);
    if (Chance(4) && cells > 0) {  // sub-strings that add up, some of them empty
      const int parts = 1 + Below(4);
      s.SetSubStringCount(parts);
      int left = cells;
      for (int i = 0; i < parts - 1; ++i) {
        const int n = Below(left + 1);
        s.SetSubStringCells(i, n);
        left -= n;
      }
      s.SetSubStringCells(parts - 1, left);
    } else if (Chance(12)) {
      s.SetSubStringCount(2);  // a table left unfinished
    }
    const double low = Limit(), high = Limit(), lowR = Limit(), highR = Limit();
    const int blocks = Chance(3) ? -1 : 1 + Below(12);
    for (int c = 0; c < cells; ++c) {
      TzmUPSCellSystemNode& cell = *s.GetCell(c);
      cell.LowAlarm = Chance(8) ? Limit() : low;
      cell.HighAlarm = Chance(8) ? Limit() : high;
      cell.LowResistance = Chance(8) ? Limit() : lowR;
      cell.HighResistance = Chance(8) ? Limit() : highR;
      cell.SetBlocksPerChannel(Chance(10) ? 1 + Below(12) : blocks);
      cell.NullCount = static_cast<std::uint8_t>(Chance(6) ? Below(4) : 0);
      cell.VoltageOnlyState = static_cast<std::uint8_t>(Chance(6) ? 1 : 0);
      if (Chance(10)) cell.SetName(Name(cell.Name()));
      if (Chance(10)) cell.SetLabel("Label " + std::to_string(c));
    }
  }

  void Scale(TCurrentScalingCalculator& c) {
    static const int probes[] = {1000, 2500, 0, 1234, 32000};
    c.SetProbeCurrent(probes[Below(5)]);
    switch (Below(6)) {
      case 0: c.SetCableRatio(1 + Below(8), 1 + Below(8)); break;
      case 4:  // cables after a percentage, then a new probe: all of it is kept
        c.SetPercentCurrent(50);
        c.SetCableRatio(4, 3);
        c.SetProbeCurrent(2500);
        break;
      case 1: c.SetPercentCurrent(1 + Below(200)); break;
      case 2: c.SetDirectValue(Below(5000) - 100); break;
      case 3:
        try {
          c.SetCableRatio(3, 0);  // refused: counts kept, no mode
        } catch (const ECurrentScalingError&) {
        }
        break;
      default: break;
    }
  }

  // Packs strings onto control units in system order within 4 probes, 4 sensors
  // and 255 DCMs each; returns the number of control units used.
  int AssignControlUnits(TzmUPSSystem& system) {
    int unit = 0, currents = 0, temps = 0, dcms = 0, used = 0;
    for (int b = 0; b < system.BatteryCount(); ++b) {
      TzmUPSBatterySystemNode& battery = *system.GetBattery(b);
      for (int i = 0; i < battery.StringCount(); ++i) {
        TzmUPSStringSystemNode& s = *battery.GetString(i);
        const int d = (s.ChannelCount() + 3) / 4 + s.SubStringCount();
        if (Chance(12)) {
          s.SetControlUnit(-1);
          continue;
        }
        if (currents + s.CurrentCount() > 4 || temps + s.TemperatureCount() > 4 || dcms + d > 255 ||
            s.ForceNewControlUnit) {
          if (used > 0) ++unit;
          currents = temps = dcms = 0;
        }
        if (unit >= 32) {
          s.SetControlUnit(-1);
          continue;
        }
        currents += s.CurrentCount();
        temps += s.TemperatureCount();
        dcms += d;
        s.SetControlUnit(unit);
        used = unit + 1;
      }
    }
    return used;
  }

  std::uint32_t State_;
};

// The control unit list the main window builds from the strings' control units.
inline TControlUnitStringList ControlUnitListOf(const TzmUPSSystem& system) {
  TControlUnitStringList list(32);
  system.ForEachNode({}, [&list](TzmUPSStringSystemNode* s) {
    if (s->ControlUnit() >= 0) list[static_cast<size_t>(s->ControlUnit())].push_back(s);
  });
  std::erase_if(list, [](const TControlUnitStrings& strings) { return strings.empty(); });
  return list;
}

// The configuration file built for the installation (this numbers the model,
// as building the grid does).
inline std::string ConfigFileTextOf(TzmUPSSystem& system, const TSiteSettings& settings) {
  TEditGrid grid{kConfigGridColumns, 1, 0};
  TEditGridTarget target(grid);
  struct TErrors : IErrorList {
    int count = 0;
    void Clear() override { count = 0; }
    void Add(const std::string&) override { ++count; }
    int Count() const override { return count; }
    void Show() override {}
  } errors;
  const TControlUnitStringList units = ControlUnitListOf(system);
  TConfigGridBuilder builder(system, units, target, errors,
                             {settings.GlobalAlarmSetting, settings.AlarmDialog.Limits});
  builder.BuildConfigGrid();
  return GridToFileText(grid);
}

// Alarm dialog values its boxes can show (at most five significant digits,
// none negative but the discharge current's "off"), for tests that restore
// them into the real dialog.
inline void UseBoxValues(TSiteSettings& settings) {
  settings.AlarmDialog.Limits = TAlarmLimits{};
  TAlarmLimits& l = settings.AlarmDialog.Limits;
  l.HighT = 40;
  l.LowT = 5;
  l.HighI = -1;
  l.LowI = 10;
  l.HighV = 14.4;
  l.LowV = 12;
  l.HighR = 6;
  l.LowR = 1.8;
}
