// Saving and opening the site file of the largest system: 32 control units of
// 255 DCMs with 4 channels each (32,640 channels), one string per control unit.
#include <benchmark/benchmark.h>

#include "LargestInstallation.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"
#include "sitefile/ZMSiteFingerprint.h"

namespace {
constexpr int kUnits = kLargestUnits;

// The largest installation with one block per channel written out for every cell.
void BuildLargestSite(TzmUPSSystem& system, TSiteSettings& settings) {
  BuildLargestSystem(system, settings);
  for (int u = 0; u < kUnits; ++u) {
    TzmUPSStringSystemNode& string = *system.GetBattery(0)->GetString(u);
    for (int c = 0; c < string.CellCount(); ++c) string.GetCell(c)->SetBlocksPerChannel(1);
  }
}

void BM_SaveLargestSiteFile(benchmark::State& state) {
  TzmUPSSystem system;
  TSiteSettings settings;
  BuildLargestSite(system, settings);
  size_t bytes = 0;
  for (auto _ : state) bytes = WriteSiteFile(system, settings).size();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveLargestSiteFile)->Unit(benchmark::kMillisecond);

void BM_OpenLargestSiteFile(benchmark::State& state) {
  TzmUPSSystem source;
  TSiteSettings settings;
  BuildLargestSite(source, settings);
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
  BuildLargestSite(system, settings);
  for (auto _ : state) benchmark::DoNotOptimize(SiteFingerprint(system, settings));
}
BENCHMARK(BM_FingerprintLargestSite)->Unit(benchmark::kMillisecond);
}  // namespace
