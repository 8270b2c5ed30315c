// The tree page with large systems: expanding a big group, selecting every
// string of a battery and setting their alarms, and one step of the
// walk-through, which makes the tree follow its question.
#include <QTimer>

#include "GuiBenchWindow.h"

namespace {
constexpr int kBigGroup = 5000;

// One battery with one string of 5,000 cells.
void DescribeBigGroup(TzmUPSSystem& system, TSiteSettings&) {
  system.SetBatteryCount(1);
  TzmUPSBatterySystemNode& battery = *system.GetBattery(0);
  battery.SetChildCount(1);
  battery.GetString(0)->SetCellCount(kBigGroup);
}

QPoint RowCentre(TzmTreeview* tree, TzmSystemNode* node) {
  const QModelIndex index = tree->IndexOfNode(node);
  tree->scrollTo(index);
  return tree->visualRect(index).center();
}

// A click on the group's expand button: 5,000 rows under it, the first
// screen of them painted.
void BM_GuiExpand5000CellGroup(benchmark::State& state) {
  TBenchWindow w(DescribeBigGroup);
  if (!w.Opened(state)) return;
  TzmTreeview* tree = w.Tree();
  TzmSystemNode* group = w.window.Logic().System().GetBattery(0)->GetString(0)->CellsGroup();
  const QModelIndex index = tree->IndexOfNode(group);
  tree->scrollTo(index);  // its string expanded, the group's row on the screen
  tree->collapse(index);
  TBenchWindow::Settle();
  TPaintCounter paints(tree->viewport());
  for (auto _ : state) {
    const int painted = paints.Count;
    tree->expand(index);
    TBenchWindow::Settle();
    state.PauseTiming();
    if (!tree->isExpanded(index) || tree->Model()->rowCount(index) != kBigGroup || paints.Count == painted) {
      state.SkipWithError("the group did not expand");
      break;
    }
    tree->collapse(index);
    TBenchWindow::Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GuiExpand5000CellGroup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// A click on the battery's first string and a Shift+click on its last: all
// 32 strings of the largest installation selected.
void BM_GuiSelectAllStringsOfBattery(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  TzmTreeview* tree = w.Tree();
  TzmUPSBatterySystemNode* battery = w.window.Logic().System().GetBattery(0);
  for (auto _ : state) {
    state.PauseTiming();
    tree->selectionModel()->clear();
    const QPoint first = RowCentre(tree, battery->GetString(0));
    state.ResumeTiming();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, first);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      RowCentre(tree, battery->GetString(kLargestUnits - 1)));
    TBenchWindow::Settle();
  }
  if (tree->SelectedCount() != kLargestUnits) state.SkipWithError("the strings were not all selected");
}
BENCHMARK(BM_GuiSelectAllStringsOfBattery)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// Configure alarms on the 32 selected strings (the dialog answered OK at
// once): 32,640 cells and the probes and sensors get their limits.
void BM_GuiConfigureAlarmsOnAllStrings(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  TzmTreeview* tree = w.Tree();
  TzmUPSBatterySystemNode* battery = w.window.Logic().System().GetBattery(0);
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, RowCentre(tree, battery->GetString(0)));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                    RowCentre(tree, battery->GetString(kLargestUnits - 1)));
  TBenchWindow::Settle();
  QAction* configure = w.TreeAction("actConfigureAlarms");
  double high = 14.0;
  // The user types a new high cell voltage limit each time.
  w.dialogs.onAlarmOk = [&high](TAlarmLimits& limits) { limits.HighV = high; };
  for (auto _ : state) {
    state.PauseTiming();
    high += 0.01;
    w.dialogs.alarmAnswers.push_back(true);
    state.ResumeTiming();
    configure->trigger();
    TBenchWindow::Settle();
  }
  const TzmUPSCellSystemNode* last = battery->GetString(kLargestUnits - 1)->GetCell(kLargestChannelsPerUnit - 1);
  if (tree->SelectedCount() != kLargestUnits || last->HighAlarm != high) {
    state.SkipWithError("the alarms were not set on every string");
  }
}
BENCHMARK(BM_GuiConfigureAlarmsOnAllStrings)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// Next in the walk-through over the largest installation, its existing
// answers kept: the page after it shown and the tree following it.
void BM_GuiWalkThroughStep(benchmark::State& state) {
  TBenchWindow w;
  if (!w.Opened(state)) return;
  QPushButton* next = w.walkthru.findChild<QPushButton*>(QStringLiteral("btnWalkNext"));
  QPushButton* cancel = w.walkthru.findChild<QPushButton*>(QStringLiteral("btnWalkCancel"));
  TzmTreeview* tree = w.Tree();
  int followed = 0;
  QTimer::singleShot(0, &w.walkthru, [&] {
    TzmSystemNode* focused = tree->FocusedNode();
    for (auto _ : state) {
      next->click();
      TBenchWindow::Settle();
      state.PauseTiming();
      if (tree->FocusedNode() != focused) ++followed;
      focused = tree->FocusedNode();
      state.ResumeTiming();
    }
    w.services.messages.answers.assign(4, TMsgAnswer::Yes);  // leaving the walk-through
    cancel->click();
  });
  w.window.mnuWalkThroughClick();
  if (followed == 0) state.SkipWithError("the tree did not follow the walk-through");
  state.counters["tree_moves"] = followed;
}
BENCHMARK(BM_GuiWalkThroughStep)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);
}  // namespace
