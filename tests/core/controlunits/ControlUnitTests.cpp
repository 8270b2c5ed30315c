// Control unit assignment: the bar's buttons and marks, the commands on the
// selection, auto-assign and the control unit list.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "FakeUserInterface.h"
#include "model/ZMUPSTreeSystem.h"
#include "wizard/MainControlUnits.h"

namespace {

struct TStringShape {
  int currents = 0;
  int temperatures = 0;
  int cells = 0;
};

// A system of batteries, each given as the shapes of its strings.
std::unique_ptr<TzmUPSSystem> MakeSystem(const std::vector<std::vector<TStringShape>>& batteries) {
  auto system = std::make_unique<TzmUPSSystem>();
  for (const auto& strings : batteries) {
    auto* battery = static_cast<TzmUPSBatterySystemNode*>(system->BMU()->AddChild());
    for (const TStringShape& shape : strings) {
      battery->AddChild();
      TzmUPSStringSystemNode* string = battery->GetString(battery->StringCount() - 1);
      string->SetCurrentCount(shape.currents);
      string->SetTemperatureCount(shape.temperatures);
      string->SetCellCount(shape.cells);
    }
  }
  return system;
}

TzmUPSStringSystemNode* StringAt(const TzmUPSSystem& system, int battery, int string) {
  return system.GetBattery(battery)->GetString(string);
}

std::vector<int> Units(const TzmUPSSystem& system) {
  std::vector<int> units;
  system.ForEachNode({}, [&](TzmUPSStringSystemNode* s) { units.push_back(s->ControlUnit()); });
  return units;
}

std::vector<bool> Marks(const TMainControlUnits& cu) {
  std::vector<bool> marks;
  for (int i = 0; i < cu.ButtonCount(); ++i) marks.push_back(cu.ButtonMarked(i));
  return marks;
}

class ControlUnits : public ::testing::Test {
 protected:
  void Use(std::unique_ptr<TzmUPSSystem> s) {
    system = std::move(s);
    cu.SetSystem(system.get());
  }
  void AddButtons(int n) {
    for (int i = 0; i < n; ++i) cu.AddControlUnitButton();
  }
  TFakeServices services;
  std::unique_ptr<TzmUPSSystem> system;
  TMainControlUnits cu;
};

TEST_F(ControlUnits, AutoAssignPutsAtMostFourProbesOrSensorsOnOneUnit) {
  Use(MakeSystem({{{1, 0, 4}, {1, 0, 4}, {1, 0, 4}}, {{1, 0, 4}, {1, 0, 4}, {1, 0, 4}}}));
  EXPECT_TRUE(cu.AutoAssign());
  EXPECT_EQ(Units(*system), (std::vector<int>{0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(cu.ButtonCount(), 2);
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, true}));
  EXPECT_TRUE(services.messages.messages.empty());

  // Three strings of two sensors: the third goes to the second unit.
  Use(MakeSystem({{{0, 2, 4}, {0, 2, 4}, {0, 2, 4}}}));
  cu.AutoAssign();
  EXPECT_EQ(Units(*system), (std::vector<int>{0, 0, 1}));
}

TEST_F(ControlUnits, AStringTooBigForAnyUnitStillOpensANewOne) {
  // 1100 channels make 275 DCMs: over the limit even on an empty unit.
  Use(MakeSystem({{{0, 0, 1100}}}));
  cu.AutoAssign();
  EXPECT_EQ(Units(*system), (std::vector<int>{1}));
  EXPECT_EQ(Marks(cu), (std::vector<bool>{false, true}));

  cu.RebuildControlUnitList();
  ASSERT_EQ(cu.ControlUnitList().size(), 1u);
  EXPECT_EQ(cu.ControlUnitList()[0].Caption, "CU #2");
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);
  EXPECT_EQ(services.messages.LastText(),
            "Only 1 control units assigned. The rest were removed from the configuration.");
  // The rebuild changes neither the bar nor the strings.
  EXPECT_EQ(cu.ButtonCount(), 2);
  EXPECT_EQ(Units(*system), (std::vector<int>{1}));
}

TEST_F(ControlUnits, DCMsAreWholeQuartersOfTheChannelsIncludingNullChannels) {
  // 1016 channels = 254 DCMs; 7 more channels add only one DCM (255, still
  // fitting), 3 more add none; then 4 channels are one DCM too many.
  Use(MakeSystem({{{0, 0, 1016}, {0, 0, 7}, {0, 0, 3}, {0, 0, 4}}}));
  cu.AutoAssign();
  EXPECT_EQ(Units(*system), (std::vector<int>{0, 0, 0, 1}));

  // Null channels count as channels: 1016 cells, the last followed by 4 null
  // channels, fill a unit of 255 DCMs.
  Use(MakeSystem({{{0, 0, 1016}, {0, 0, 4}}}));
  StringAt(*system, 0, 0)->GetCell(1015)->NullCount = 4;
  cu.AutoAssign();
  EXPECT_EQ(Units(*system), (std::vector<int>{0, 1}));
}

TEST_F(ControlUnits, AutoAssignOverwritesAndKeepsSurplusButtons) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}}));
  StringAt(*system, 0, 1)->SetControlUnit(4);
  AddButtons(5);
  cu.AutoAssign();
  EXPECT_EQ(Units(*system), (std::vector<int>{0, 0}));
  EXPECT_EQ(cu.ButtonCount(), 5);
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, false, false, false, false}));
}

TEST_F(ControlUnits, AutoAssignRefusesSystemsNeedingMoreThan32Units) {
  // 132 strings of one probe need 33 control units.
  Use(MakeSystem({std::vector<TStringShape>(132, {1, 0, 4})}));
  StringAt(*system, 0, 7)->SetControlUnit(3);
  EXPECT_EQ(cu.AutoAssignUnitsNeeded(), 33);
  EXPECT_FALSE(cu.AutoAssign());
  EXPECT_EQ(cu.ButtonCount(), 0);
  const std::vector<int> units = Units(*system);
  EXPECT_EQ(std::count(units.begin(), units.end(), -1), 131);
  EXPECT_EQ(units[7], 3);  // nothing was touched
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Warning);
  EXPECT_EQ(services.messages.LastText(),
            "This system needs 33 control units, but at most 32 are possible. "
            "No strings were assigned.");

  // Exactly 32 are fine.
  Use(MakeSystem({std::vector<TStringShape>(128, {1, 0, 4})}));
  EXPECT_TRUE(cu.AutoAssign());
  EXPECT_EQ(cu.ButtonCount(), 32);
  EXPECT_EQ(Units(*system).back(), 31);
}

TEST_F(ControlUnits, ClickingAButtonPutsTheSelectedBatteryOnItsUnit) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}, {{1, 1, 4}}}));
  AddButtons(3);
  cu.RefreshControlUnitButtons();
  cu.ControlUnitButtonClick(2, {{system->GetBattery(0)}, nullptr});
  EXPECT_EQ(Units(*system), (std::vector<int>{2, 2, -1}));
  EXPECT_EQ(Marks(cu), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(cu.TargetControlUnit, -1);

  // A battery with one of its own strings selected gives the same result.
  cu.ControlUnitButtonClick(0, {{system->GetBattery(0), StringAt(*system, 0, 1)}, nullptr});
  EXPECT_EQ(Units(*system), (std::vector<int>{0, 0, -1}));
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, false, false}));
}

TEST_F(ControlUnits, TheFocusedNodeStandsInWhenNothingIsSelected) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}}));
  AddButtons(2);
  int updates = 0;
  cu.OnUpdateWizardButtons = [&] { ++updates; };
  cu.ControlUnitButtonClick(1, {{}, StringAt(*system, 0, 1)});
  EXPECT_EQ(Units(*system), (std::vector<int>{-1, 1}));
  EXPECT_GT(updates, 0);

  // Group and leaf nodes are left alone.
  cu.ControlUnitButtonClick(0, {{StringAt(*system, 0, 0)->CellsGroup(),
                                  StringAt(*system, 0, 0)->GetCell(0)},
                                 StringAt(*system, 0, 0)});
  EXPECT_EQ(Units(*system), (std::vector<int>{-1, 1}));

  // The visiting order is the selection's order, then the focus only alone.
  std::vector<TzmSystemNode*> visited;
  cu.ForEachSelectedNode({{StringAt(*system, 0, 0), StringAt(*system, 0, 1)}, system->GetBattery(0)},
                         [&](TzmSystemNode* n) { visited.push_back(n); });
  EXPECT_EQ(visited, (std::vector<TzmSystemNode*>{StringAt(*system, 0, 0), StringAt(*system, 0, 1)}));
}

TEST_F(ControlUnits, AddControlUnitCreatesAButtonForTheSelection) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}}));
  cu.AddControlUnit({{StringAt(*system, 0, 1)}, nullptr});
  EXPECT_EQ(cu.ButtonCount(), 1);
  EXPECT_EQ(Units(*system), (std::vector<int>{-1, 0}));
  cu.AddControlUnit({{StringAt(*system, 0, 0)}, nullptr});
  EXPECT_EQ(Units(*system), (std::vector<int>{1, 0}));
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, true}));
  EXPECT_EQ(TMainControlUnits::ButtonCaption(1), "Control unit #2");

  cu.EnsureButtons(5);
  EXPECT_EQ(cu.ButtonCount(), 5);
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, true, false, false, false}));
  cu.EnsureButtons(40);
  EXPECT_EQ(cu.ButtonCount(), 32);
  EXPECT_FALSE(cu.CanAddControlUnit());
  EXPECT_FALSE(cu.AddControlUnitButton());
}

TEST_F(ControlUnits, DeleteWithoutSelectionRemovesTheLastUnitAfterAsking) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}, {{1, 1, 4}, {1, 1, 4}}}));
  AddButtons(3);
  StringAt(*system, 0, 0)->SetControlUnit(0);
  StringAt(*system, 0, 1)->SetControlUnit(2);
  StringAt(*system, 1, 0)->SetControlUnit(1);
  StringAt(*system, 1, 1)->SetControlUnit(2);

  services.messages.Answer(TMsgAnswer::No);
  cu.DeleteControlUnit({{}, StringAt(*system, 0, 0)});
  EXPECT_EQ(cu.ButtonCount(), 3);
  EXPECT_EQ(Units(*system), (std::vector<int>{0, 2, 1, 2}));
  ASSERT_EQ(services.messages.messages.size(), 1u);
  EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Confirmation);
  EXPECT_EQ(services.messages.messages[0].buttons, TMsgButtons::YesNo);
  EXPECT_EQ(services.messages.LastText(), "Do you want to remove a control unit?");

  services.messages.Answer(TMsgAnswer::Yes);
  cu.DeleteControlUnit({});
  EXPECT_EQ(cu.ButtonCount(), 2);
  EXPECT_EQ(Units(*system), (std::vector<int>{0, -1, 1, -1}));
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, true}));
}

TEST_F(ControlUnits, DeleteWithSelectionOnlyUnassignsTheSelection) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}, {{1, 1, 4}}}));
  AddButtons(2);
  StringAt(*system, 0, 0)->SetControlUnit(1);
  StringAt(*system, 0, 1)->SetControlUnit(1);
  StringAt(*system, 1, 0)->SetControlUnit(0);
  cu.DeleteControlUnit({{system->GetBattery(0)}, nullptr});
  EXPECT_EQ(Units(*system), (std::vector<int>{-1, -1, 0}));
  EXPECT_EQ(cu.ButtonCount(), 2);
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, false}));
  EXPECT_TRUE(services.messages.messages.empty());

  TMainControlUnits empty;
  empty.SetSystem(system.get());
  empty.DeleteControlUnit({});  // no buttons: no question, nothing changes
  EXPECT_TRUE(services.messages.messages.empty());
  EXPECT_EQ(Units(*system), (std::vector<int>{-1, -1, 0}));
}

TEST_F(ControlUnits, RebuildGroupsStringsInSystemOrderAndAddsMissingButtons) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}, {{1, 1, 4}}}));
  system->GetBattery(1)->SetName("Battery: North");
  StringAt(*system, 0, 0)->SetControlUnit(2);
  StringAt(*system, 0, 1)->SetControlUnit(0);
  StringAt(*system, 1, 0)->SetControlUnit(2);
  cu.RebuildControlUnitList();
  EXPECT_EQ(cu.ButtonCount(), 3);
  EXPECT_EQ(Marks(cu), (std::vector<bool>{true, false, true}));
  const auto& list = cu.ControlUnitList();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Caption, "CU #1");
  EXPECT_EQ(list[1].Caption, "CU #3");
  ASSERT_EQ(list[1].Strings.size(), 2u);
  EXPECT_EQ(list[1].Strings[0].Label, "Battery: 1 : String: 1");
  EXPECT_EQ(list[1].Strings[1].Label, "Battery: North : String: 1");
  EXPECT_EQ(list[1].Strings[1].String, StringAt(*system, 1, 0));
  EXPECT_EQ(services.messages.LastText(),
            "Only 2 control units assigned. The rest were removed from the configuration.");

  // A second rebuild starts from fresh entries and, with every unit used,
  // warns of nothing.
  services.messages.messages.clear();
  StringAt(*system, 0, 0)->SetControlUnit(1);
  StringAt(*system, 1, 0)->SetControlUnit(2);
  cu.RebuildControlUnitList();
  ASSERT_EQ(cu.ControlUnitList().size(), 3u);
  EXPECT_EQ(cu.ControlUnitList()[2].Strings.size(), 1u);
  EXPECT_TRUE(services.messages.messages.empty());
}

TEST_F(ControlUnits, RebuildLeavesNoStringOnAUnitWithoutButtonAndEntry) {
  Use(MakeSystem({{{1, 1, 4}, {1, 1, 4}}}));
  StringAt(*system, 0, 0)->SetControlUnit(0);
  StringAt(*system, 0, 1)->SetControlUnit(40);
  cu.RebuildControlUnitList();
  EXPECT_EQ(cu.ButtonCount(), 32);
  EXPECT_EQ(Units(*system), (std::vector<int>{0, -1}));
  for (const auto& entry : cu.ControlUnitList())
    for (const auto& s : entry.Strings) EXPECT_LT(s.String->ControlUnit(), 32);
  ASSERT_EQ(services.messages.messages.size(), 2u);
  EXPECT_NE(services.messages.messages[0].text.find("beyond #32"), std::string::npos);
  EXPECT_EQ(services.messages.LastText(),
            "Only 1 control units assigned. The rest were removed from the configuration.");
}

TEST_F(ControlUnits, SetControlUnitCountKeepsCaptionsAndACurrentEntry) {
  EXPECT_EQ(cu.CurrentEntry(), -1);
  cu.SetControlUnitCount(3);
  ASSERT_EQ(cu.ControlUnitList().size(), 3u);
  EXPECT_EQ(cu.ControlUnitList()[2].Caption, "CU #3");
  EXPECT_EQ(cu.CurrentEntry(), 0);
  cu.SetControlUnitCount(1);
  EXPECT_EQ(cu.ControlUnitList().size(), 1u);
  cu.SetControlUnitCount(0);
  EXPECT_TRUE(cu.ControlUnitList().empty());
  EXPECT_EQ(cu.CurrentEntry(), -1);
}

TEST(ControlUnitSelection, SetIsPossibleOnlyWithABatteryOrAString) {
  auto system = MakeSystem({{{1, 1, 4}}});
  TzmUPSStringSystemNode* string = StringAt(*system, 0, 0);
  EXPECT_FALSE(TMainControlUnits::HasBatteryOrString({}));
  EXPECT_TRUE(TMainControlUnits::HasBatteryOrString({{}, string}));
  EXPECT_TRUE(TMainControlUnits::HasBatteryOrString({{string->GetCell(0), system->GetBattery(0)}, nullptr}));
  // With a selection, the focus does not count.
  EXPECT_FALSE(TMainControlUnits::HasBatteryOrString({{string->GetCell(0)}, string}));
}

}  // namespace
