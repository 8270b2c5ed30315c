// Speed of the configuration grid at its largest: 32 control units of 8 input rows
// and 255 DCMs of 4 channels, plus the header row, 29 columns.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "common/ZMUserInterface.h"
#include "config/grid_file_stuff.h"
#include "editgrid/UEditGrid.h"

namespace {
constexpr int LargestRows = 1 + 32 * (8 + 255 * 4);
constexpr int Columns = 29;

void FillLargestGrid(TEditGrid& g) {
  g.SetColCount(Columns);
  g.SetRowCount(LargestRows);
  for (int c = 0; c < Columns; ++c) g.SetCellText(c, 0, "H" + std::to_string(c));
  for (int r = 1; r < LargestRows; ++r) {
    const int unit = (r - 1) / (8 + 255 * 4) + 1;
    const int inUnit = (r - 1) % (8 + 255 * 4);
    g.SetCellText(0, r, "1");
    g.SetCellText(1, r, "1");
    g.SetCellText(2, r, std::to_string(unit));
    g.SetCellText(3, r, inUnit < 8 ? "0" : std::to_string((inUnit - 8) / 4 + 1));
    g.SetCellText(4, r, std::to_string(inUnit < 8 ? inUnit + 1 : (inUnit - 8) % 4 + 1));
    g.SetCellText(5, r, inUnit < 8 ? "C" : "Z");
    g.SetCellText(12, r, "UPS North");
    g.SetCellText(13, r, "String 1");
    g.SetCellText(14, r, std::to_string(inUnit));
    g.SetCellText(19, r, "02.20");
    g.SetCellText(20, r, "13.8");
    g.SetCellText(21, r, "10.5");
    g.SetCellText(22, r, "4.25");
    g.SetCellText(23, r, "0");
  }
}

void BM_SaveGridToFile(benchmark::State& state) {
  TEditGrid grid(Columns, 2);
  FillLargestGrid(grid);
  const std::string file = (std::filesystem::temp_directory_path() /
                            ("zm_bench_" + std::to_string(::getpid()) + ".cfg")).string();
  for (auto _ : state) SaveGridToFile(grid, file);
  std::filesystem::remove(file);
}
BENCHMARK(BM_SaveGridToFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

// The same save into a memory file system, where the disk's flush costs nothing:
// the difference to the save above is the time the disk takes to sync the file.
void BM_SaveGridToFileInMemory(benchmark::State& state) {
  if (!std::filesystem::is_directory("/dev/shm")) {
    state.SkipWithError("no /dev/shm");
    return;
  }
  TEditGrid grid(Columns, 2);
  FillLargestGrid(grid);
  const std::string file = "/dev/shm/zm_bench_" + std::to_string(::getpid()) + ".cfg";
  for (auto _ : state) SaveGridToFile(grid, file);
  std::filesystem::remove(file);
}
BENCHMARK(BM_SaveGridToFileInMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

void BM_FillAllThenUndo(benchmark::State& state) {
  TEditGrid grid(Columns, 2, goEditing | goRangeSelect);
  FillLargestGrid(grid);
  for (auto _ : state) {
    grid.SetSelection({0, 1, Columns - 1, LargestRows - 1});
    grid.FillSelection("x");
    grid.Undo();
  }
  if (grid.Cells(20, 5) != "13.8") state.SkipWithError("undo did not restore the grid");
}
BENCHMARK(BM_FillAllThenUndo)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

// The process's peak resident memory so far (run one benchmark alone to read it).
double PeakRssMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Answers every question of the line commands with Yes.
class TYesToAll : public IUserMessages {
 public:
  TMsgAnswer Show(TMsgKind, const std::string&, TMsgButtons, const std::string&) override {
    return TMsgAnswer::Yes;
  }
  void Beep(TBeepKind) override {}
};

// Twenty line insertions near the top of the largest grid, each its own undo
// level, then all of them undone. The undo levels stay small: the time is that of
// moving the rows below, and the memory a level holds is reported per line.
void BM_InsertLinesThenUndo(benchmark::State& state) {
  TYesToAll yes;
  SetUserMessages(&yes);
  TEditGrid grid(Columns, 2, goRangeSelect);
  FillLargestGrid(grid);
  grid.SetOptions(goEditing | goRangeSelect);
  size_t kept = 0;
  for (auto _ : state) {
    for (int i = 0; i < 20; ++i) {
      grid.SetSelection({1, 10 + i, 1, 10 + i});
      grid.InsertLine();
    }
    kept = grid.UndoRecords(grid.UndoIndex()).size();
    while (grid.CanUndo()) grid.Undo();
  }
  state.counters["records_per_level"] = static_cast<double>(kept);
  state.counters["peak_rss_mb"] = PeakRssMb();
  if (grid.RowCount() != LargestRows || grid.Cells(20, 5) != "13.8")
    state.SkipWithError("undo did not restore the grid");
  SetUserMessages(nullptr);
}
BENCHMARK(BM_InsertLinesThenUndo)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);

// Twenty deletions of two lines near the top of the largest grid, then all undone.
void BM_DeleteLinesThenUndo(benchmark::State& state) {
  TYesToAll yes;
  SetUserMessages(&yes);
  TEditGrid grid(Columns, 2, goRangeSelect);
  FillLargestGrid(grid);
  grid.SetOptions(goEditing | goRangeSelect);
  size_t kept = 0;
  for (auto _ : state) {
    for (int i = 0; i < 20; ++i) {
      grid.SetSelection({1, 10 + i, 1, 11 + i});
      grid.DeleteLines();
    }
    kept = grid.UndoRecords(grid.UndoIndex()).size();
    while (grid.CanUndo()) grid.Undo();
  }
  state.counters["records_per_level"] = static_cast<double>(kept);
  state.counters["peak_rss_mb"] = PeakRssMb();
  if (grid.RowCount() != LargestRows || grid.Cells(20, 5) != "13.8")
    state.SkipWithError("undo did not restore the grid");
  SetUserMessages(nullptr);
}
BENCHMARK(BM_DeleteLinesThenUndo)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(3);
}  // namespace
