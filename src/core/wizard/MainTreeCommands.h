#pragma once
// The commands of the tree page ("Define the UPS system"), apart from their
// widgets: adding and deleting nodes, the battery, string, alarm and
// blocks-per-channel set-ups, joins, the battery flags, null channels, the
// node count edit of a double-click, and the enabled, ticked and visible
// state of every tree action and pop-up menu item.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "wizard/MainDialogs.h"

class TConfigWizardLogic;
class TzmSystemNode;
class TzmUPSBatterySystemNode;
class TzmUPSCellSystemNode;
class TzmUPSStringSystemNode;

// The kinds of the selected tree nodes, one flag per kind.
enum TSelectionKind : std::uint16_t {
  skBattery = 2,
  skString = 4,
  skCurrents = 8,
  skTemps = 16,
  skCells = 32,
  skCurrent = 64,
  skTemperature = 128,
  skCell = 256,
};
using TSelectionKinds = std::uint16_t;

// The flag of one node's kind; 0 for the root and unknown kinds.
TSelectionKinds NodeKindFlag(const TzmSystemNode* node);

// Action and menu item names, as the widgets carry them.
namespace tree_action {
inline constexpr const char* AddBattery = "actAddBattery";
inline constexpr const char* AddString = "actAddString";
inline constexpr const char* AddCurrent = "ActAddCurrent";
inline constexpr const char* AddTemperature = "actAddTemperature";
inline constexpr const char* AddCell = "actAddCell";
inline constexpr const char* DeleteNode = "actDeleteNode";
inline constexpr const char* ConfigureAlarms = "actConfigureAlarms";
inline constexpr const char* ConfigureBlocksPerChannel = "actConfigureBlocksPerChannel";
inline constexpr const char* ConfigureString = "actConfigureString";
inline constexpr const char* ConfigureBatteries = "actConfigureBatteries";
inline constexpr const char* SetControlUnit = "actSetControlUnit";
inline constexpr const char* AddControlUnit = "actAddControlUnit";
inline constexpr const char* DeleteControlUnit = "actDeleteControlUnit";
inline constexpr const char* EditTreeText = "actEditTreeText";
inline constexpr const char* AddNullChannel = "actAddNullChannel";
// Items of the pop-up menu whose state is their own.
inline constexpr const char* mnuEditTreeText = "mnuEditTreeText";
inline constexpr const char* mnuAddNullChannel = "mnuAddNullChannel";
inline constexpr const char* mnuLinkStrings = "mnuLinkStrings";
inline constexpr const char* mnuUnlinkString = "mnuUnlinkString";
inline constexpr const char* mnuBatterySection = "mnuBatterySection";
inline constexpr const char* mnuBatteryGenset = "mnuBatteryGenset";
inline constexpr const char* mnuBatteryVoltageOnly = "mnuBatteryVoltageOnly";
}  // namespace tree_action

struct TActionState {
  bool Enabled = true;
  bool Checked = false;
  bool Visible = true;
  bool operator==(const TActionState&) const = default;
};
// By action or menu item name.
using TTreeActionStates = std::map<std::string, TActionState>;

// Messages and prompts of the commands.
inline constexpr const char* kMsgStringsOnlyToBatteries = "Strings can only be added to batteries";
inline constexpr const char* kAskDeleteSelected = "Do you want to delete all the selected items?";
inline constexpr const char* kAskStringDefaults =
    "The new strings will be configured as previously set.\r\r"
    "Is this acceptable? (<Cancel> will undo changes to system.)";
inline constexpr const char* kAskCorruptedConfig =
    "You must set the alarm values to make a working configuration file.\r\r"
    "Do you really want to make a corrupted configuration file? (<Cancel> will undo changes to system.)";
inline constexpr const char* kMsgNothingSelectedForAlarms = "Nothing selected to set alarms";
inline constexpr const char* kPromptBlocksPerChannel =
    "Enter the number of cells, jars or monoblocks that each DCM channel will be monitoring.";
inline constexpr const char* kMsgNoPointForNullChannel =
    "There must be a moitoring point selected to add a null channel.";
inline constexpr const char* kPromptNullChannels = "Enter number of null channels to follow this channel :";
inline constexpr const char* kPromptStringCount = "Enter total number of Strings for this battery :";
inline constexpr const char* kPromptHasCurrentProbe = "Does this string have a current probe ?";
inline constexpr const char* kPromptTemperatureCount =
    "Enter total number of temperature probes for this String :";
inline constexpr const char* kPromptCellCount = "Enter total number of Cells for this String :";
// A name with a comma would split its field in the configuration file.
inline constexpr const char* kMsgNameWithComma = "A name cannot contain a comma.";

// Summary sentinels of several strings' values.
inline constexpr int kSummaryNotSeen = -10;
inline constexpr int kSummaryDiffers = -100;
// Folds one value into a summary: a differing value makes it -100 unless
// nothing was seen yet; -100 stays.
void MergeSummary(int& summary, int incoming);

class TMainTreeCommands {
 public:
  // The join counter's start; groups made here are numbered from one above.
  static constexpr int kFirstJoinCounter = 10000;

  TMainTreeCommands(TConfigWizardLogic& wizard, IMainDialogs& dialogs, IMainTreeView& tree);

  // Called whenever States() changed, for the widgets to follow.
  std::function<void()> OnStatesChanged;

  const TTreeActionStates& States() const { return States_; }
  const TActionState& State(const std::string& name) const;
  TSelectionKinds SelectionKinds() const { return SelectionKinds_; }
  int JoinCounter() const { return JoinCounter_; }

  // --- selection and enabling ---------------------------------------------
  // The tree's selection changed: recomputes the kinds, updates the wizard
  // buttons and the actions.
  void SelectionChanged();
  void UpdateTreeActions();
  // The pop-up menu is opening: states from the focused node alone.
  void pumUPSPopup();

  // --- commands ---------------------------------------------------------------
  void AddBattery();
  void AddString();
  void AddCurrent();
  void AddTemperature();
  void AddCell();
  void DeleteNodes();
  // The Delete key of the window: deletes when on the tree page, a row is
  // focused, no name is being edited and the delete action is enabled.
  void DeleteKey();
  void Rename();
  // Whether a name typed into the tree may be stored (no comma, only characters
  // the configuration file can hold); tells the user why not.
  bool AcceptNodeName(const std::string& name) const;
  void ConfigureBatteries();
  void ConfigureString();
  void ConfigureAlarms();
  void ConfigureBlocksPerChannel();
  void LinkStrings();
  void UnlinkString();
  void ToggleGenset();
  void ToggleVoltageOnly();
  void AddNullChannel();
  // Double-click on the tree: the node count edit of the focused node.
  void NodeCountEdit();
  // File New starts over: the alarm limits count as not accepted again.
  void NewSystemStarted();

  // --- shared operations ----------------------------------------------------
  void ApplyStringDefaults(TzmUPSStringSystemNode* string, const TStringSetup& setup,
                           const TAlarmLimits& limits);
  void ApplyStringDefaults(TzmUPSStringSystemNode* string);
  static void CopyStringSetup(const TzmUPSStringSystemNode& source, TzmUPSStringSystemNode& dest);
  int SetNodeChildCount(TzmSystemNode* node, int count);
  void RefreshSystemTree();

 private:
  void ForEachSelectedNode(const std::function<void(TzmSystemNode*)>& proc);
  TSelectionKinds ComputeSelectionKinds() const;
  void SetState(const char* name, bool enabled);
  void StatesChanged();
  void ReinitTopLevel();
  void AddLeaf(int groupIndex);
  bool ConfirmNewStrings(bool alarmsAcceptedAtStart);
  void ToggleBatteryFlag(const char* item, bool TzmUPSBatterySystemNode::*flag);
  void ApplyAlarmsToNode(TzmSystemNode* node, const TAlarmLimits& limits);

  TConfigWizardLogic& Wizard_;
  IMainDialogs& Dialogs_;
  IMainTreeView& Tree_;
  TTreeActionStates States_;
  TSelectionKinds SelectionKinds_ = 0;
  int JoinCounter_ = kFirstJoinCounter;
};
