// What the user waits for in the main window with the largest installation:
// Next from the tree page to the grid, the grid's commands, scrolling it, and
// saving the configuration file from the save page.
#include <fcntl.h>
#include <unistd.h>

#include <QScrollBar>

#include "GuiBenchWindow.h"

namespace {
// Next on the tree page: the control unit list, the grid built and its first
// screen painted with its column widths.
void BM_GuiTreePageToVerify(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  TPaintCounter paints(w.Grid()->viewport());
  for (auto _ : state) {
    w.Next();
    state.PauseTiming();
    if (w.Grid()->Grid().RowCount() != kLargestGridRows || paints.Count == 0) {
      state.SkipWithError("the grid was not built and shown");
      break;
    }
    w.Back();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GuiTreePageToVerify)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// Ctrl+Home, then Shift+Ctrl+End: every data cell selected, and painted so.
void BM_GuiGridSelectAll(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  w.ToGridPageEditing();
  TEditStringGrid* grid = w.Grid();
  for (auto _ : state) {
    state.PauseTiming();
    w.Key(grid, Qt::Key_Home, Qt::ControlModifier);
    state.ResumeTiming();
    w.Key(grid, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
  }
  const TGridRect s = grid->Grid().Selection();
  if (s.Top != 1 || s.Bottom != kLargestGridRows - 1 || s.Right != grid->Grid().ColCount() - 1)
    state.SkipWithError("not every data cell was selected");
}
BENCHMARK(BM_GuiGridSelectAll)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// "Fill selected ..." over every data cell (the text typed into its prompt),
// then Edit > Undo, each through the window's actions.
void FillOrUndo(benchmark::State& state, bool timeUndo) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  w.ToGridPageEditing();
  TEditStringGrid* grid = w.Grid();
  QAction* fill = w.Named("actGridEditFill");
  QAction* undo = w.Named("actGridEditUndo");
  const std::string before = grid->Grid().Cells(2, 100);
  for (auto _ : state) {
    state.PauseTiming();
    w.Key(grid, Qt::Key_Home, Qt::ControlModifier);
    w.Key(grid, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    w.services.prompts.Reply(true, "7.5");
    w.RefreshGridActions();
    if (!timeUndo) state.ResumeTiming();
    fill->trigger();
    TBenchWindow::Settle();
    if (!timeUndo) state.PauseTiming();
    if (grid->Grid().Cells(2, 100) != "7.5") {
      state.SkipWithError("the cells were not filled");
      break;
    }
    w.RefreshGridActions();
    if (timeUndo) state.ResumeTiming();
    undo->trigger();
    TBenchWindow::Settle();
    if (!timeUndo) state.ResumeTiming();
  }
  if (grid->Grid().Cells(2, 100) != before) state.SkipWithError("undo did not restore the grid");
}
void BM_GuiGridFill(benchmark::State& state) { FillOrUndo(state, false); }
void BM_GuiGridUndoFill(benchmark::State& state) { FillOrUndo(state, true); }
BENCHMARK(BM_GuiGridFill)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_GuiGridUndoFill)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// One Page Down on the grid and the new screen painted; from the top row to
// the last one and again.
void BM_GuiGridScrollStep(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  w.Next();
  TEditStringGrid* grid = w.Grid();
  grid->setFocus();
  TPaintCounter paints(grid->viewport());
  int steps = 0;
  for (auto _ : state) {
    w.Key(grid, Qt::Key_PageDown);
    ++steps;
    if (grid->Grid().Row() == kLargestGridRows - 1) {
      state.PauseTiming();
      w.Key(grid, Qt::Key_Home, Qt::ControlModifier);
      state.ResumeTiming();
    }
  }
  if (paints.Count < steps || grid->verticalScrollBar()->maximum() == 0)
    state.SkipWithError("the steps were not painted");
  state.counters["rows_per_step"] = grid->Grid().VisibleRowCount();
}
BENCHMARK(BM_GuiGridScrollStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2000);

// Next on the grid page: the save page writes the configuration file (the
// file dialog answered at once).
void BM_GuiSaveConfigFile(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  w.Next();
  const std::string file = w.folder / "BatConfig.cfg";
  for (auto _ : state) {
    w.services.files.Choose(file);
    w.Next();
    state.PauseTiming();
    if (w.window.Logic().SavedFileName() != file) {
      state.SkipWithError("the file was not saved");
      break;
    }
    w.Back();
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(ReadText(file).size());
}
BENCHMARK(BM_GuiSaveConfigFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// The floor under the save: the same bytes written to the same kind of
// folder in one plain write, flushed to the disk, no more.
void BM_PlainWriteOfConfigFile(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  w.Next();
  const std::string saved = w.folder / "BatConfig.cfg";
  w.services.files.Choose(saved);
  w.Next();
  const std::string bytes = ReadText(saved);
  const std::string file = w.folder / "plain.cfg";
  for (auto _ : state) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
        ::fsync(fd) != 0)
      state.SkipWithError("the plain write failed");
    if (fd >= 0) ::close(fd);
  }
  state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_PlainWriteOfConfigFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);
}  // namespace
