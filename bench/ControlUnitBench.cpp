// Speed of the control unit assignment over large systems, and of the model
// work behind showing a large system in the tree.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/ZMUserInterface.h"
#include "model/ZMUPSTreeSystem.h"
#include "wizard/MainControlUnits.h"

namespace {

// Answers every message with OK; the benchmarks must not block on a box.
class TQuietMessages : public IUserMessages {
 public:
  int shown = 0;
  TMsgAnswer Show(TMsgKind, const std::string&, TMsgButtons, const std::string&) override {
    ++shown;
    return TMsgAnswer::Ok;
  }
  void Beep(TBeepKind) override {}
};

std::unique_ptr<TzmUPSSystem> MakeSystem(int batteries, int strings, int currents, int temps,
                                         int cells) {
  auto system = std::make_unique<TzmUPSSystem>();
  for (int b = 0; b < batteries; ++b) {
    auto* battery = static_cast<TzmUPSBatterySystemNode*>(system->BMU()->AddChild());
    for (int s = 0; s < strings; ++s) {
      battery->AddChild();
      TzmUPSStringSystemNode* string = battery->GetString(s);
      string->SetCurrentCount(currents);
      string->SetTemperatureCount(temps);
      string->SetCellCount(cells);
    }
  }
  return system;
}

// 10,000 strings: 100 batteries of 100 strings. Three cells each make no
// whole DCM, so every string fits on the first control unit and both passes
// run over all of them.
void BM_AutoAssign10000Strings(benchmark::State& state) {
  TQuietMessages messages;
  SetUserMessages(&messages);
  auto system = MakeSystem(100, 100, 0, 0, 3);
  TMainControlUnits cu;
  cu.SetSystem(system.get());
  for (auto _ : state) {
    benchmark::DoNotOptimize(cu.AutoAssign());
  }
  state.counters["units"] = cu.ButtonCount();
  SetUserMessages(nullptr);
}
BENCHMARK(BM_AutoAssign10000Strings)->Unit(benchmark::kMillisecond);

// 10,000 strings spread over 32 control units by hand, then the list rebuilt.
void BM_RebuildControlUnitList10000Strings(benchmark::State& state) {
  TQuietMessages messages;
  SetUserMessages(&messages);
  auto system = MakeSystem(100, 100, 0, 0, 3);
  int i = 0;
  system->ForEachNode({}, [&](TzmUPSStringSystemNode* s) { s->SetControlUnit(i++ % 32); });
  TMainControlUnits cu;
  cu.SetSystem(system.get());
  for (auto _ : state) {
    cu.RebuildControlUnitList();
    benchmark::DoNotOptimize(cu.ControlUnitList().data());
  }
  state.counters["entries"] = static_cast<double>(cu.ControlUnitList().size());
  SetUserMessages(nullptr);
}
BENCHMARK(BM_RebuildControlUnitList10000Strings)->Unit(benchmark::kMillisecond);

// A control that takes every call and does nothing: the tree adapter's own
// bookkeeping is per row O(1) and is measured by the GUI, not here.
class TNullControl : public IzmTreeControl {
 public:
  void SetSystem(TzmSystem*) override {}
  void RepaintNode(const TzmViewNode&) override {}
  void InvalidateToBottom(const TzmViewNode&) override {}
  void ReinitNode(const TzmViewNode&) override {}
  void DeleteNode(const TzmViewNode&) override {}
  void SetChildCount(const TzmViewNode&, int) override {}
  void SetCheckState(const TzmViewNode&, std::uint8_t) override {}
  void ClearSelection() override {}
  void ExpandAncestors(const TzmViewNode&) override {}
  void SelectNode(const TzmViewNode&) override {}
  void FocusNode(const TzmViewNode&) override {}
};

// What expanding every group of a system of 32,000 cells asks of the model:
// each row's child count, its node, its link back to the row, its check
// state, and the two texts of the visible columns.
void BindAll(TzmSystemNode& node, IzmTreeControl* control, size_t& textBytes) {
  const int count = node.ChildCount();
  for (int i = 0; i < count; ++i) {
    TzmSystemNode* child = node.GetChild(i);
    child->ViewNode = {control, child};
    benchmark::DoNotOptimize(child->CheckState());
    textBytes += child->Name().size() + child->GetText().size();
    BindAll(*child, control, textBytes);
  }
}

void Unbind(TzmSystemNode& node) {
  for (int i = 0; i < node.ChildCount(); ++i) {
    node.GetChild(i)->ViewNode = {};
    Unbind(*node.GetChild(i));
  }
}

void BM_ShowAndExpand32000Cells(benchmark::State& state) {
  auto system = MakeSystem(4, 8, 1, 1, 1000);  // 32 strings of 1000 cells
  TNullControl control;
  for (auto _ : state) {
    size_t textBytes = 0;
    BindAll(*system->Root(), &control, textBytes);
    benchmark::DoNotOptimize(textBytes);
    state.PauseTiming();
    Unbind(*system->Root());
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShowAndExpand32000Cells)->Unit(benchmark::kMillisecond);

}  // namespace
