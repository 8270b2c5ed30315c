// Building and walking a large installation: 32 strings of 1000 cells.
#include <benchmark/benchmark.h>

#include "model/ZMUPSTreeSystem.h"

namespace {
constexpr int kStrings = 32;
constexpr int kCells = 1000;

void BuildInstallation(TzmUPSSystem& system) {
  system.SetBatteryCount(1);
  TzmUPSBatterySystemNode* battery = system.GetBattery(0);
  battery->SetChildCount(kStrings);
  for (int s = 0; s < kStrings; ++s) battery->GetString(s)->SetCellCount(kCells);
}

void BM_Build32000Cells(benchmark::State& state) {
  for (auto _ : state) {
    TzmUPSSystem system;
    BuildInstallation(system);
    benchmark::DoNotOptimize(system.GetBattery(0)->GetString(kStrings - 1)->CellCount());
  }
  state.SetItemsProcessed(state.iterations() * kStrings * kCells);
}
BENCHMARK(BM_Build32000Cells)->Unit(benchmark::kMillisecond);

void BM_ForEachNodeOver32000Cells(benchmark::State& state) {
  TzmUPSSystem system;
  BuildInstallation(system);
  for (auto _ : state) {
    long channels = 0;
    system.ForEachNode([&](TzmUPSCellSystemNode* cell) { channels += 1 + cell->NullCount; },
                       [&](TzmUPSStringSystemNode*) {});
    benchmark::DoNotOptimize(channels);
  }
  state.SetItemsProcessed(state.iterations() * kStrings * kCells);
}
BENCHMARK(BM_ForEachNodeOver32000Cells)->Unit(benchmark::kMillisecond);

void BM_CellTextsOfOneString(benchmark::State& state) {
  TzmUPSSystem system;
  BuildInstallation(system);
  const TzmUPSStringSystemNode* string = system.GetBattery(0)->GetString(0);
  for (auto _ : state) {
    size_t length = 0;
    for (int c = 0; c < kCells; ++c) length += string->GetCell(c)->GetText().size();
    benchmark::DoNotOptimize(length);
  }
}
BENCHMARK(BM_CellTextsOfOneString)->Unit(benchmark::kMillisecond);
}  // namespace
