// Giving an import's plan to a model.
#include <map>

#include "import/ZMConfigImport.h"
#include "import/ZMConfigImportPlan.h"
#include "model/ZMUPSTreeSystem.h"
#include "sitefile/ZMSiteFileNames.h"

namespace zmimport {
namespace {

void ApplyLeaf(const TPlanLeaf& leaf, TzmUPSAlarmedSystemNode& node) {
  if (!leaf.Name.empty()) node.SetName(leaf.Name);
  node.LowAlarm = leaf.LowAlarm;
  node.HighAlarm = leaf.HighAlarm;
}

void ApplyString(const TPlanString& plan, TzmUPSStringSystemNode& s, std::map<int, int>& joins) {
  s.SetName(plan.Name);
  s.SetControlUnit(plan.ControlUnit);
  if (plan.JoinGroup >= 0) {
    const auto found = joins.find(plan.JoinGroup);
    if (found == joins.end()) joins[plan.JoinGroup] = s.NewJoinNumber();
    else s.Number = found->second;
  }
  s.SetCurrentCount(static_cast<int>(plan.Probes.size()));
  for (size_t i = 0; i < plan.Probes.size(); ++i) {
    TzmUPSCurrentSystemNode& probe = *s.GetCurrent(static_cast<int>(i));
    ApplyLeaf(plan.Probes[i], probe);
    const int amps = plan.Probes[i].ScaledCurrent;
    if (amps != 1000) {
      if (amps >= 0 && amps <= kSiteMaxProbeCurrent) probe.Scaling.SetProbeCurrent(amps);
      else probe.Scaling.SetDirectValue(amps);
    }
  }
  s.SetTemperatureCount(static_cast<int>(plan.Sensors.size()));
  for (size_t i = 0; i < plan.Sensors.size(); ++i) ApplyLeaf(plan.Sensors[i], *s.GetTemperature(static_cast<int>(i)));

  // Cells are made directly: growing the group would look for a free name for
  // each. Each sub-string's cells exist before its entry is set.
  TzmUPSAllCellSystemNode& group = *s.CellsGroup();
  group.SetChildCount(0);
  auto addCells = [&group](int count) {
    for (int n = 0; n < count; ++n) group.InsertChildOfClass(&CreateNodeOf<TzmUPSCellSystemNode>);
  };
  s.SetSubStringCount(static_cast<int>(plan.SubStrings.size()));
  for (size_t i = 0; i < plan.SubStrings.size(); ++i) {
    addCells(plan.SubStrings[i]);
    s.SetSubStringCells(static_cast<int>(i), plan.SubStrings[i]);
  }
  addCells(static_cast<int>(plan.Cells.size()) - s.CellCount());
  for (size_t i = 0; i < plan.Cells.size(); ++i) {
    const TPlanCell& c = plan.Cells[i];
    TzmUPSCellSystemNode& cell = *s.GetCell(static_cast<int>(i));
    cell.SetName(c.Name.empty() ? SiteDefaultCellName(i) : c.Name);
    cell.HighAlarm = c.HighAlarm;
    cell.LowAlarm = c.LowAlarm;
    cell.HighResistance = c.HighResistance;
    cell.LowResistance = c.LowResistance;
    cell.SetBlocksPerChannel(c.BlocksPerChannel);
    cell.NullCount = c.NullCount;
    cell.VoltageOnlyState = c.VoltageOnlyState;
  }
}

}  // namespace

void ApplyPlan(const TPlan& plan, TzmUPSSystem& system) {
  // The tree control rebuilds its rows once, after the whole model is in place.
  IzmTreeControl* view = system.Treeview();
  system.SetTreeview(nullptr);
  ClearSystem(system);
  system.BMU()->CommPort = static_cast<std::uint8_t>(plan.CommPort);
  system.AllBatteriesSame = false;
  std::map<int, int> joins;
  for (const TPlanBattery& b : plan.Batteries) {
    system.BMU()->AddChild();
    TzmUPSBatterySystemNode& battery = *system.GetBattery(system.BatteryCount() - 1);
    battery.SetName(b.Name);
    battery.VoltageOnly = b.VoltageOnly;
    for (const TPlanString& s : b.Strings) {
      battery.AddChild();
      ApplyString(s, *battery.GetString(battery.StringCount() - 1), joins);
    }
  }
  system.SetTreeview(view);
}

}  // namespace zmimport

void ClearSystem(TzmUPSSystem& system) {
  system.ForEachNode({}, [](TzmUPSStringSystemNode* s) { s->SetCellCount(0); });
  system.SetBatteryCount(0);
}
