// Building the configuration grid for the largest system the hardware allows:
// 32 control units, each with 4 strings totalling 255 DCMs, 4 probes and 4 sensors.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/ZMUserInterface.h"
#include "config/BuildConfigGrid.h"
#include "model/ZMUPSTreeSystem.h"

namespace {
class TTableTarget : public IConfigGridTarget {
 public:
  std::vector<std::string> cells;
  int cols = 0, rows = 0;
  void SetColCount(int count) override { cols = count; }
  void SetRowCount(int count) override {
    rows = count;
    cells.assign(static_cast<size_t>(rows) * static_cast<size_t>(cols), std::string());
  }
  void SetFixedRows(int) override {}
  void SetCell(int col, int row, const std::string& text) override {
    cells[static_cast<size_t>(row) * static_cast<size_t>(cols) + static_cast<size_t>(col)] = text;
  }
  void SetColWidthForText(int, const std::string&) override {}
};

class TSilentErrors : public IErrorList {
 public:
  int count = 0;
  void Clear() override { count = 0; }
  void Add(const std::string&) override { ++count; }
  int Count() const override { return count; }
  void Show() override {}
};

void BM_BuildConfigGridLargest(benchmark::State& state) {
  TzmUPSSystem system;
  TControlUnitStringList units(32);
  for (int b = 0; b < 32; ++b) {
    system.BMU()->AddChild();
    TzmUPSBatterySystemNode* battery = system.GetBattery(b);
    for (int s = 0; s < 4; ++s) {
      battery->AddChild();
      TzmUPSStringSystemNode* string = battery->GetString(s);
      string->SetCellCount(s < 3 ? 256 : 252);  // 255 DCMs of 4 channels per control unit
      string->SetCurrentCount(1);
      string->SetTemperatureCount(1);
      for (int c = 0; c < string->CellCount(); ++c) {
        string->GetCell(c)->HighAlarm = 13.8;
        string->GetCell(c)->LowAlarm = 10.5;
      }
      units[static_cast<size_t>(b)].push_back(string);
    }
  }
  TTableTarget target;
  TSilentErrors errors;
  for (auto _ : state) {
    TConfigGridBuilder builder(system, units, target, errors);
    builder.BuildConfigGrid();
    benchmark::DoNotOptimize(target.cells.data());
  }
  state.counters["rows"] = target.rows;
}
BENCHMARK(BM_BuildConfigGridLargest)->Unit(benchmark::kMillisecond);
}  // namespace
