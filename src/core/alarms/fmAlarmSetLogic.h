#pragma once
// The decisions of the alarm settings dialog, apart from its widgets: the texts
// of its eight limit boxes and of the other-voltage box, the chosen cell type,
// chemistry and scope, the checks of what the user types, and the checks of OK.
// The dialog passes every user action in and shows the state that results.
#include <array>
#include <string>

#include "alarms/ZMIniFile.h"
#include "alarms/fmAlarmSetDefaults.h"

// The eight limit boxes.
enum TAlarmBox { abHighT, abLowT, abHighI, abLowI, abHighV, abLowV, abHighR, abLowR, abCount };

// A control the dialog should give the focus to after an action; Limit means
// the limit box named by FocusBox().
enum class TAlarmFocus { None, HighI, OtherV, Limit };

class TAlarmSettingsLogic {
 public:
  // The design-time text of the other-voltage box.
  static constexpr const char* kOtherVDesignText = "8";

  // Loads the defaults from the settings file and fills the boxes for 12 V
  // VRLA cells. A stored text that is not a number is reported through
  // UserMessages(); the loading stops there and the boxes keep their design texts.
  explicit TAlarmSettingsLogic(TSettingsFileLocation location);

  // Writes the nineteen defaults into the settings file, keeping the file's
  // other sections. Throws ESafeFileError when the file cannot be written.
  void SaveAlarmDefaults() const;

  const TAlarmDefaults& Defaults() const { return defaults_; }
  const TSettingsFileLocation& Location() const { return location_; }

  // The state the dialog shows.
  const std::string& BoxText(TAlarmBox box) const { return boxes_[box]; }
  const std::string& OtherVText() const { return otherVText_; }
  TCellType CellType() const { return cellType_; }
  TCellChemistry Chemistry() const { return chemistry_; }
  bool OtherVEnabled() const { return cellType_ == TCellType::ctOther; }
  int ScopeIndex() const { return scopeIndex_; }
  bool ScopeEnabled() const { return !forceAllStrings_; }
  bool ForceAllStrings() const { return forceAllStrings_; }
  bool AllStrings() const { return scopeIndex_ == 1; }
  bool AlarmsAccepted() const { return alarmsAccepted_; }
  void SetAlarmsAccepted(bool accepted) { alarmsAccepted_ = accepted; }

  // The limit of a box: its number; a blank box reads as the default (a blank
  // discharge box as -1, off: OK has asked whether to run without it). A text
  // that is not a number throws EConvertError.
  double Limit(TAlarmBox box) const;
  // A value of 0 or more goes into the box as number text; a negative one
  // (limit off) blanks the box.
  void SetLimit(TAlarmBox box, double value);

  // Before each show: with the flag set the scope is "all strings" and fixed.
  void PrepareShow(bool forceAllStrings);
  void ChooseScope(int index);

  // User actions.
  void RestoreDefaults();
  void ChooseCellType(TCellType type);
  void ChooseChemistry(TCellChemistry chemistry);
  // Every change of the other-voltage box, typed or made by the program.
  void OtherVChanged(const std::string& text);
  // The user changed the text of a limit box.
  void BoxEdited(TAlarmBox box, const std::string& text);
  // The user left a limit box.
  void BoxExited(TAlarmBox box);
  // The checks of OK; true (and AlarmsAccepted set) when the dialog may close.
  // A box left holding no number (a sign or separator alone, typed on the way
  // to a number) is refused like an illegal character and emptied.
  bool CheckOK();
  // The dialog is closing without OK: boxes left holding no number are emptied,
  // so that reading the limits later gives the defaults.
  void Cancelled();

  // The focus the last action asked for; cleared by reading.
  TAlarmFocus TakeFocusRequest();
  // The box of a TAlarmFocus::Limit request.
  TAlarmBox FocusBox() const { return focusBox_; }

 private:
  void LoadAlarmDefaults();
  void FillVoltageBoxes();
  void RecalcOhmicBoxes();
  bool BoxNumber(TAlarmBox box, double& value) const;
  bool HoldsNoNumber(TAlarmBox box) const;
  bool RefuseUnfinishedNumbers();
  void SwitchToOtherKeepingBoxes();

  TSettingsFileLocation location_;
  TAlarmDefaults defaults_;
  std::array<std::string, abCount> boxes_{};
  std::string otherVText_ = kOtherVDesignText;
  TCellType cellType_ = TCellType::ct12V;
  TCellChemistry chemistry_ = TCellChemistry::chVRLA;
  int scopeIndex_ = 0;
  bool forceAllStrings_ = false;
  bool alarmsAccepted_ = false;
  TAlarmFocus focus_ = TAlarmFocus::None;
  TAlarmBox focusBox_ = abHighT;
};

// The dialog's message texts.
inline constexpr const char* kAlarmMsgCurrentNegative = "Current values must be positive numbers.";
inline constexpr const char* kAlarmMsgOtherVInvalid = "you must enter a valid number";
inline constexpr const char* kAlarmMsgNoDischarge =
    "No discharge current defined, so discharges will NOT be monitored.\r\r"
    "Do you really want to run Zelmor without discharge monitoring?";
inline constexpr const char* kAlarmMsgIncomplete =
    "Alarm data entry incomplete . . . .\r\rDo you want to run Zelmor without these entries ?";
inline constexpr const char* kAlarmMsgInconsistent = "Inconsistent entries in the following field(s) : \r\r";
inline constexpr const char* kAlarmOtherVPrompt = "What is the voltage to be monitored?";
inline constexpr const char* kAlarmOtherVCaption = "Monitor other voltage";
// The warning shown when a box's text is not a number.
const char* AlarmIllegalCharacterMessage(TAlarmBox box);
