// From the tree page to the "Verify the setup" page for the largest system:
// the global alarm check, the control unit list rebuild and the grid build into
// the editable grid (the widget only shows the rows it paints).
#include <benchmark/benchmark.h>

#include "common/ZMUserInterface.h"
#include "wizard/MainWizard.h"

namespace {
class TSilentErrors : public IErrorList {
 public:
  void Clear() override {}
  void Add(const std::string&) override {}
  int Count() const override { return 0; }
  void Show() override {}
};

void BM_TreePageToVerifyPage(benchmark::State& state) {
  TSilentErrors errors;
  SetErrorList(&errors);
  TConfigWizardLogic wizard;
  wizard.FormCreate();
  TzmUPSSystem& system = wizard.System();
  system.SetBatteryCount(32);
  for (int b = 0; b < 32; ++b) {
    wizard.ControlUnits().AddControlUnitButton();
    TzmUPSBatterySystemNode* battery = system.GetBattery(b);
    battery->SetChildCount(4);
    for (int s = 0; s < 4; ++s) {
      TzmUPSStringSystemNode* string = battery->GetString(s);
      string->SetCellCount(s < 3 ? 256 : 252);
      string->SetCurrentCount(1);
      string->SetTemperatureCount(1);
      string->SetControlUnit(b);
    }
  }
  for (auto _ : state) {
    wizard.btnNextClick();
    benchmark::DoNotOptimize(wizard.Grid().RowCount());
    state.PauseTiming();
    wizard.btnBackClick();
    state.ResumeTiming();
  }
  state.counters["rows"] = wizard.Grid().RowCount();
  SetErrorList(nullptr);
}
BENCHMARK(BM_TreePageToVerifyPage)->Unit(benchmark::kMillisecond);
}  // namespace
