#pragma once
// The main window's wizard, apart from its widgets: the three pages
// ("Define the UPS system", "Verify the setup", "Save the setup"), the checks
// that decide whether the user may go on, building the configuration grid,
// saving it, and the questions asked before going back or closing.
#include <cstdint>
#include <memory>
#include <string>

#include "config/BuildConfigGrid.h"
#include "editgrid/UEditGrid.h"
#include "model/ZMUPSTreeSystem.h"
#include "wizard/MainControlUnits.h"

// What the logic needs the main window's widgets to do.
class IConfigWizardView {
 public:
  virtual ~IConfigWizardView() = default;
  // The status line's simple text.
  virtual void ShowStatus(const std::string& text) = 0;
  virtual void SetNextButton(bool enabled, const std::string& caption) = 0;
  virtual void SetBackEnabled(bool enabled) = 0;
  // The hint of btnNext and of its panel pnlDirection.
  virtual void SetNextHint(const std::string& hint) = 0;
  // Menus, visible controls and help context of a page (state 0, 3 or 4).
  virtual void ShowPage(int state) = 0;
  // Makes mmuGrid the window's menu again (going back from the save page).
  virtual void UseGridMenu() = 0;
  virtual void UpdateTreeActions() = 0;
  // Makes a grid column as wide as the text in the window's font.
  virtual void SetGridColumnWidthForText(int col, const std::string& text) = 0;
  virtual void CloseWindow() = 0;
  // The system was replaced (File New): show the new one.
  virtual void SystemReplaced() {}
};

// A view that only keeps the status line (programs and tests without a window).
class TStatusOnlyView : public IConfigWizardView {
 public:
  std::string Status;
  void ShowStatus(const std::string& text) override { Status = text; }
  void SetNextButton(bool, const std::string&) override {}
  void SetBackEnabled(bool) override {}
  void SetNextHint(const std::string&) override {}
  void ShowPage(int) override {}
  void UseGridMenu() override {}
  void UpdateTreeActions() override {}
  void SetGridColumnWidthForText(int, const std::string&) override {}
  void CloseWindow() override {}
};

// The configuration grid builder writing into an editable grid; column widths
// go to the view, when there is one.
class TEditGridTarget : public IConfigGridTarget {
 public:
  explicit TEditGridTarget(TEditGrid& grid, IConfigWizardView* view = nullptr) : grid_(grid), view_(view) {}
  void SetColCount(int count) override { grid_.SetColCount(count); }
  void SetRowCount(int count) override { grid_.SetRowCount(count); }
  void SetFixedRows(int count) override { grid_.SetFixedRows(count); }
  void SetCell(int col, int row, const std::string& text) override { grid_.SetCells(col, row, text); }
  void SetColWidthForText(int col, const std::string& text) override;
  void EndUpdate() override { grid_.CellsReloaded(); }

 private:
  TEditGrid& grid_;
  IConfigWizardView* view_;
};

// The wizard pages by their state numbers; 1 and 2 are never entered.
enum TWizardState : std::uint8_t { wsDefine = 0, wsVerify = 3, wsSave = 4 };


inline constexpr const char* kPageDefine = "Define the UPS system";
inline constexpr const char* kPageVerify = "Verify the setup";
inline constexpr const char* kPageSave = "Save the setup";
// Followed by the path of the file just written.
inline constexpr const char* kStatusSaved = "Saved ";
inline constexpr const char* kCaptionNext = "&Next >>";
inline constexpr const char* kCaptionFinish = "&Finish";

inline constexpr const char* kVerifyNoStrings = "All batteries do not have strings";
inline constexpr const char* kVerifyNotAssigned = "All strings are not assigned to a Control Unit";
inline constexpr const char* kVerifyNoProbe = "All batteries must have at least 1 string with a current probe";
inline constexpr const char* kVerifyNoCellsStatus = "All batteries must have cells some cells";
inline constexpr const char* kVerifyNoCellsHint = "All batteris do not have cells";

inline constexpr const char* kAskBackFromGrid =
    "Changes made by editing the grid directly will be lost by returning to the previous screen!\r\r"
    "Do you still want to return to the previous screen?";
inline constexpr const char* kAskHistoryFile =
    "If you have changed the configuration of this battery, you may need to start a new history file or "
    "data may be lost.";
inline constexpr const char* kAskQuitNotCreated =
    "The configuration file was not created.\r\rAre you sure you want to quit?";
inline constexpr const char* kAskQuitChanged =
    "The configuration file has been changed since it was saved.\rQuitting will discard any changes made "
    "since the last save.\r\rAre you sure you want to quit?";

inline constexpr const char* kConfigFileFilter = "Configuration Files|*.cfg|All files|*.*";
inline constexpr const char* kConfigFileDefaultExt = "CFG";
inline constexpr const char* kConfigFileDefaultName = "BatConfig.cfg";

inline constexpr const char* kAskStartOver = "Are you sure you want to start over?";
inline constexpr const char* kCaptionGlobalAlarms = "Configuration Wizard - Global alarm setting only";
inline constexpr const char* kCaptionNoGlobalAlarms = "Configuration Wizard";
inline constexpr const char* kFillPrompt = "Enter text to put in all selected cells :";
inline constexpr const char* kFillCaption = "Fill selected cells";

// Enabled states of the grid actions, and the tick of "Edit configuration".
struct TGridActionStates {
  bool Undo = false, Cut = false, Copy = false, Paste = false, Fill = false;
  bool EditConfigurationChecked = false;
};

// "history", the four-digit year and ".his".
std::string HistoryFileName(int year);
int CurrentYear();

class TConfigWizardLogic {
 public:
  TConfigWizardLogic();
  ~TConfigWizardLogic();
  TConfigWizardLogic(const TConfigWizardLogic&) = delete;
  TConfigWizardLogic& operator=(const TConfigWizardLogic&) = delete;

  // The widgets; none until the window is built (then nothing is shown).
  void SetView(IConfigWizardView* view) { View_ = view; }

  // Creates the system with one battery and sets up the first page.
  void FormCreate();
  // Replaces the system by a new one holding one battery.
  void NewSystem();
  // Makes `system` the one described and shown (a site file was opened).
  void ReplaceSystem(std::unique_ptr<TzmUPSSystem> system);
  // File > New: asks first; then a new system, alarms to be accepted again,
  // and Configure Batteries. Control unit buttons, page and flags stay.
  void FileNew();
  // Run by FileNew once the new system is shown (the tree commands set them).
  std::function<void()> OnNewSystemStarted;
  std::function<void()> OnConfigureBatteries;

  TzmUPSSystem& System() const { return *System_; }
  TMainControlUnits& ControlUnits() { return ControlUnits_; }
  TEditGrid& Grid() { return Grid_; }
  const TEditGrid& Grid() const { return Grid_; }

  int State() const { return State_; }
  // For tests of the impossible states; the window never does this.
  void SetStateForTest(int state) { State_ = static_cast<std::uint8_t>(state); }
  bool GridBuilt() const { return GridBuilt_; }
  bool FileSaved() const { return FileSaved_; }

  // The "Global alarm setting" option and the alarm dialog's limits it applies.
  bool GlobalAlarmSetting = false;
  TAlarmLimits GlobalAlarmLimits;
  // Reads the alarm dialog's limits into GlobalAlarmLimits just before they are used.
  std::function<void(TAlarmLimits&)> OnReadGlobalAlarms;

  // Where the save dialog opens: InitialDir from the settings file when it has
  // one, else the built-in folder.
  std::string InitialDir;
  std::string BuiltInSaveFolder;
  // The path of the last file written.
  const std::string& SavedFileName() const { return SavedFileName_; }

  // Next and Back.
  void ChangeState(bool forward);
  void btnNextClick() { ChangeState(true); }
  void btnBackClick() { ChangeState(false); }
  // Grid menu File > Save: always arrives on the save page.
  void Save1Click();

  void UpdateWizardButtons();
  // True when the description may go on to the grid; otherwise the reason is
  // on the status line and in Next's hint.
  bool VerifySystem();

  // After walk-through mode: when the user finished it, control unit buttons up
  // to the control unit of the last string of the last battery (at most 32);
  // then the wizard buttons are brought up to date.
  void AfterWalkThrough(bool finished);

  // Every way of closing asks this first; true when the window may close.
  bool CloseQuery();

  // Direct editing of the grid (Edit > "Edit configuration").
  bool DirectEditing() const;
  void SetDirectEditing(bool on);
  // Re-evaluated each time the grid's Edit menu or pop-up menu opens.
  TGridActionStates GridActionStates() const;
  // "Fill selected ...": asks for the text and fills the selection with it.
  void FillSelected();
  // Options > "&Global alarm setting": toggles the tick; returns the new caption.
  std::string ToggleGlobalAlarmSetting();

 private:
  void SetupPage();
  void VerifyPage();
  void SavePage();
  void ApplyGlobalAlarms();
  TControlUnitStringList ControlUnitStrings() const;
  void Status(const std::string& text);

  std::unique_ptr<TzmUPSSystem> System_;
  TMainControlUnits ControlUnits_;
  TEditGrid Grid_;
  IConfigWizardView* View_ = nullptr;
  std::uint8_t State_ = wsDefine;
  bool GridBuilt_ = false;
  bool FileSaved_ = false;
  std::string SavedFileName_;
  std::string LastStatus_;
};
