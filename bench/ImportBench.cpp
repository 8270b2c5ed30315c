// Importing the configuration file of the largest system (32 control units of
// 255 DCMs: 32,897 lines), and `zmconfig build` of its site file as a whole
// process (started, site file read, verified, built and written).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "common/ZMUserInterface.h"
#include "config/BuildConfigGrid.h"
#include "config/grid_file_stuff.h"
#include "editgrid/UEditGrid.h"
#include "import/ZMConfigImport.h"
#include "LargestInstallation.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFile.h"
#include "wizard/MainWizard.h"

namespace {
constexpr int kUnits = kLargestUnits;
constexpr int kChannelsPerUnit = kLargestChannelsPerUnit;

class TQuietErrors : public IErrorList {
 public:
  void Clear() override {}
  void Add(const std::string&) override {}
  int Count() const override { return 0; }
  void Show() override {}
};

std::string LargestConfigFile() {
  TzmUPSSystem system;
  TSiteSettings settings;
  BuildLargestSystem(system, settings);
  TEditGrid grid{kConfigGridColumns, 1, 0};
  TEditGridTarget target(grid);
  TControlUnitStringList units;
  for (int u = 0; u < kUnits; ++u) units.push_back({system.GetBattery(0)->GetString(u)});
  TQuietErrors errors;
  TConfigGridBuilder(system, units, target, errors).BuildConfigGrid();
  return GridToFileText(grid);
}

void BM_ImportLargestConfigFile(benchmark::State& state) {
  const std::string text = LargestConfigFile();
  TQuietErrors errors;
  // Each import replaces the one before, as in the window.
  TzmUPSSystem system;
  TSiteSettings settings;
  for (auto _ : state) {
    const TConfigImportResult result = ImportConfigFile(text, system, settings, errors);
    if (!result.Imported || !result.Problems.empty()) state.SkipWithError("the file did not import exactly");
    benchmark::DoNotOptimize(system.BatteryCount());
  }
  state.counters["lines"] = 1 + kUnits * (8 + kChannelsPerUnit);
}
BENCHMARK(BM_ImportLargestConfigFile)->Unit(benchmark::kMillisecond);

void BM_ZmconfigBuildLargestSite(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "zmbench.XXXXXX").string();
  if (!::mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string site = folder + "/largest.zmsite", cfg = folder + "/BatConfig.cfg";
  {
    TzmUPSSystem system;
    TSiteSettings settings;
    BuildLargestSystem(system, settings);
    SaveSiteFile(site, system, settings);
  }
  const std::string command = std::string("'") + ZMCONFIG_PROGRAM + "' build '" + site + "' -o '" + cfg + "'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("zmconfig build failed");
  if (!std::getenv("ZM_BENCH_KEEP")) std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ZmconfigBuildLargestSite)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
