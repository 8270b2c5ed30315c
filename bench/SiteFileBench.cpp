// Saving and opening the site file of the largest system: 32 control units of
// 255 DCMs with 4 channels each (32,640 channels), one string per control unit.
#include <benchmark/benchmark.h>

#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"
#include "sitefile/ZMSiteFingerprint.h"

namespace {
constexpr int kUnits = 32;
constexpr int kChannelsPerUnit = 255 * 4;

void BuildLargestSystem(TzmUPSSystem& system, TSiteSettings& settings) {
  system.SetBatteryCount(1);
  TzmUPSBatterySystemNode& battery = *system.GetBattery(0);
  battery.SetChildCount(kUnits);
  for (int u = 0; u < kUnits; ++u) {
    TzmUPSStringSystemNode& string = *battery.GetString(u);
    string.SetCurrentCount(1);
    string.SetTemperatureCount(2);
    string.SetCellCount(kChannelsPerUnit);
    for (int c = 0; c < kChannelsPerUnit; ++c) {
      TzmUPSCellSystemNode& cell = *string.GetCell(c);
      cell.LowAlarm = 12;
      cell.HighAlarm = 14.4;
      cell.LowResistance = 1.8;
      cell.HighResistance = 6;
      cell.SetBlocksPerChannel(1);
    }
    string.SetControlUnit(u);
  }
  settings.ControlUnitButtons = kUnits;
}

void BM_SaveLargestSiteFile(benchmark::State& state) {
  TzmUPSSystem system;
  TSiteSettings settings;
  BuildLargestSystem(system, settings);
  size_t bytes = 0;
  for (auto _ : state) bytes = WriteSiteFile(system, settings).size();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveLargestSiteFile)->Unit(benchmark::kMillisecond);

void BM_OpenLargestSiteFile(benchmark::State& state) {
  TzmUPSSystem source;
  TSiteSettings settings;
  BuildLargestSystem(source, settings);
  const std::string text = WriteSiteFile(source, settings);
  for (auto _ : state) {
    TzmUPSSystem system;
    const auto error = ReadSiteFile(text, system, settings);
    if (error) state.SkipWithError(error->Message().c_str());
    benchmark::DoNotOptimize(system.GetBattery(0)->GetString(kUnits - 1)->CellCount());
  }
}
BENCHMARK(BM_OpenLargestSiteFile)->Unit(benchmark::kMillisecond);

// The check for unsaved changes after each input: on the user's thread.
void BM_FingerprintLargestSite(benchmark::State& state) {
  TzmUPSSystem system;
  TSiteSettings settings;
  BuildLargestSystem(system, settings);
  for (auto _ : state) benchmark::DoNotOptimize(SiteFingerprint(system, settings));
}
BENCHMARK(BM_FingerprintLargestSite)->Unit(benchmark::kMillisecond);
}  // namespace
