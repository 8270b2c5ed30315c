#pragma once
// The main window's control unit assignment, apart from its widgets: the
// model of the control unit tool bar (its buttons and their marks), the
// commands that put strings on control units, the automatic assignment and
// the control unit list from which the configuration grid is built.
#include <functional>
#include <string>
#include <utility>
#include <vector>

class TzmSystemNode;
class TzmUPSSystem;
class TzmUPSStringSystemNode;

// The tree's selection as plain nodes: the selected nodes from top to bottom,
// and the focused node (either may be empty).
struct TzmTreeSelection {
  std::vector<TzmSystemNode*> Selected;
  TzmSystemNode* Focused = nullptr;
};

// One assigned string of a control unit list entry.
struct TControlUnitString {
  std::string Label;  // battery name, " : ", string name
  TzmUPSStringSystemNode* String = nullptr;
};

// One entry of the control unit list.
struct TControlUnitEntry {
  std::string Caption;  // "CU #n", n its position when created
  std::vector<TControlUnitString> Strings;
};

class TMainControlUnits {
 public:
  static constexpr int MaxControlUnits = 32;
  static constexpr int MaxCurrents = 4;
  static constexpr int MaxTemperatures = 4;
  static constexpr int MaxDCMs = 255;
  static constexpr int ChannelsPerDCM = 4;

  // The model whose strings are assigned; not owned, may be none.
  void SetSystem(TzmUPSSystem* system) { System_ = system; }
  TzmUPSSystem* System() const { return System_; }

  // Called where the wizard buttons are to be brought up to date.
  std::function<void()> OnUpdateWizardButtons;
  // Called whenever the buttons, their captions or their marks change.
  std::function<void()> OnButtonsChanged;

  // --- the tool bar --------------------------------------------------------
  int ButtonCount() const { return static_cast<int>(Marks_.size()); }
  int ButtonTag(int i) const { return i; }
  // "Control unit #" followed by i + 1: caption and hint of button i.
  static std::string ButtonCaption(int i);
  bool ButtonMarked(int i) const;
  bool BarVisible() const { return ButtonCount() >= 1; }
  bool CanAddControlUnit() const { return ButtonCount() < MaxControlUnits; }
  bool CanDeleteControlUnit() const { return ButtonCount() >= 1; }
  // Whether a battery or a string is among the selected nodes (or is the
  // focused node when none is selected).
  static bool HasBatteryOrString(const TzmTreeSelection& selection);

  // Appends a button unless there are 32 already; returns whether it did.
  bool AddControlUnitButton();
  // Adds buttons until there are `count` (at most 32), then refreshes them;
  // used after the walk-through for the control unit of its last string.
  void EnsureButtons(int count);
  // Gives the bar exactly `count` buttons (0 to 32) without asking, and
  // empties the control unit list; for a description read from a file.
  void SetButtonCount(int count);
  // Renumbers and marks the buttons, then updates the wizard buttons.
  void RefreshControlUnitButtons();

  // --- assignment ----------------------------------------------------------
  int TargetControlUnit = -1;
  void ForEachSelectedNode(const TzmTreeSelection& selection,
                           const std::function<void(TzmSystemNode*)>& proc);
  // A battery gives the target to all its strings, a string takes it.
  void SetControlUnitOfNode(TzmSystemNode* node);

  void AddControlUnit(const TzmTreeSelection& selection);  // actAddControlUnitExecute
  void SetControlUnit(const TzmTreeSelection& selection);  // actSetControlUnitExecute
  // A click on the button with this tag (ToolButton13Click).
  void ControlUnitButtonClick(int tag, const TzmTreeSelection& selection);
  void DeleteControlUnit(const TzmTreeSelection& selection);  // actDeleteControlUnitExecute
  // Packs every string onto control units; false (nothing assigned, the user
  // told) when the system would need more than 32.
  bool AutoAssign();  // actAutoAssignCUsExecute
  // The number of control units auto-assign would use (0 without strings).
  int AutoAssignUnitsNeeded() const;

  // --- the control unit list -----------------------------------------------
  void SetControlUnitCount(int n);
  void RebuildControlUnitList();
  // Strings numbered beyond the last control unit the hardware has (auto-assign
  // and the walk-through number as many as the strings need) are taken off
  // control units, and the user is told; returns how many.
  int TakeOffStringsBeyondLastControlUnit();
  const std::vector<TControlUnitEntry>& ControlUnitList() const { return List_; }
  int CurrentEntry() const { return CurrentEntry_; }

 private:
  void UpdateWizardButtons() const;
  void ButtonsChanged() const;
  // Control unit index per string, in system order, by the packing rule.
  std::vector<int> PackStrings(const std::vector<TzmUPSStringSystemNode*>& strings) const;
  std::vector<TzmUPSStringSystemNode*> AllStrings() const;

  TzmUPSSystem* System_ = nullptr;
  std::vector<bool> Marks_;  // one per button
  std::vector<TControlUnitEntry> List_;
  int CurrentEntry_ = -1;
};
