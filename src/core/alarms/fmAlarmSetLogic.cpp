#include "alarms/fmAlarmSetLogic.h"

#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"

namespace {
std::string Trim(const std::string& text) {
  const size_t b = text.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return text.substr(b, text.find_last_not_of(" \t") - b + 1);
}

bool IsBlank(const std::string& text) { return Trim(text).empty(); }

// The first characters of a number that is still being typed ("-" before
// "-10"): not yet a number, but not an illegal character either.
bool IsNumberBeginning(const std::string& text) {
  std::string t = Trim(text);
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.erase(0, 1);
  return t.empty() || t == std::string(1, DecimalSeparator());
}

bool IsVoltageBox(TAlarmBox box) { return box == abHighV || box == abLowV; }
}  // namespace

const char* AlarmIllegalCharacterMessage(TAlarmBox box) {
  switch (box) {
    case abHighT: return "An illegal character has been entered\r\rinto the high temperature limit . . .";
    case abLowT: return "An illegal character has been entered\r\rinto the low temperature limit . . .";
    case abHighI: return "An illegal character has been entered\r\rinto the current discharge value . . .";
    case abLowI: return "An illegal character has been entered\r\rinto the current charge value . . .";
    case abHighV: return "An illegal character has been entered\r\r into the high Voltage limit . . .";
    case abLowV: return "An illegal character has been entered\r\r into the low Voltage limit . . .";
    case abHighR: return "An illegal character has been entered\r\r into the high IR limit . . .";
    case abLowR: return "An illegal character has been entered\r\r into the low IR limit . . .";
    case abCount: break;
  }
  return "";
}

TAlarmSettingsLogic::TAlarmSettingsLogic(TSettingsFileLocation location) : location_(std::move(location)) {
  LoadAlarmDefaults();
}

void TAlarmSettingsLogic::LoadAlarmDefaults() {
  try {
    const TZMIniFile ini(location_.ReadPath());
    defaults_.LoadAlarmDefaults(ini);
  } catch (const EConvertError& e) {
    UserMessages().Show(TMsgKind::Error, e.what(), TMsgButtons::Ok);
    return;
  }
  // Showing the other voltage is a change of its box unless it reads as the
  // design text; the change makes the other limits follow the other voltage.
  const std::string shown = FormatFloatGeneral(defaults_.DefaultOtherVoltage(), 15);
  if (shown != otherVText_) OtherVChanged(shown);
  RestoreDefaults();
}

void TAlarmSettingsLogic::SaveAlarmDefaults() const {
  TZMIniFile ini(location_.ReadPath());
  defaults_.SaveAlarmDefaults(ini);
  ini.UpdateFile(location_.WritePath());
}

bool TAlarmSettingsLogic::BoxNumber(TAlarmBox box, double& value) const {
  return !IsBlank(boxes_[box]) && TryStrToFloat(boxes_[box], value);
}

bool TAlarmSettingsLogic::HoldsNoNumber(TAlarmBox box) const {
  double value = 0;
  return !IsBlank(boxes_[box]) && !TryStrToFloat(boxes_[box], value);
}

double TAlarmSettingsLogic::Limit(TAlarmBox box) const {
  if (!IsBlank(boxes_[box])) return StrToFloat(boxes_[box]);
  switch (box) {
    case abHighT: return defaults_.DefaultHighT();
    case abLowT: return defaults_.DefaultLowT();
    case abHighI: return -1.0;  // no discharge monitoring
    case abLowI: return defaults_.DefaultLowI();
    case abHighV: return defaults_.HighVoltageDefault(cellType_);
    case abLowV: return defaults_.LowVoltageDefault(cellType_);
    case abHighR: return defaults_.HighOhmicDefault(cellType_, chemistry_);
    case abLowR: return defaults_.LowOhmicDefault(cellType_, chemistry_);
    case abCount: break;
  }
  return -1.0;
}

void TAlarmSettingsLogic::SetLimit(TAlarmBox box, double value) {
  boxes_[box] = value >= 0 ? AlarmNumberText(value) : std::string();
}

void TAlarmSettingsLogic::PrepareShow(bool forceAllStrings) {
  forceAllStrings_ = forceAllStrings;
  scopeIndex_ = forceAllStrings ? 1 : 0;
}

void TAlarmSettingsLogic::ChooseScope(int index) {
  if (!forceAllStrings_ && (index == 0 || index == 1)) scopeIndex_ = index;
}

void TAlarmSettingsLogic::RestoreDefaults() {
  boxes_[abLowI] = AlarmNumberText(defaults_.DefaultLowI());
  boxes_[abLowT] = AlarmNumberText(defaults_.DefaultLowT());
  boxes_[abHighI] = AlarmNumberText(defaults_.DefaultHighI());
  boxes_[abHighT] = AlarmNumberText(defaults_.DefaultHighT());
  FillVoltageBoxes();
  RecalcOhmicBoxes();
}

void TAlarmSettingsLogic::FillVoltageBoxes() {
  boxes_[abHighV] = AlarmNumberText(defaults_.HighVoltageDefault(cellType_));
  boxes_[abLowV] = AlarmNumberText(defaults_.LowVoltageDefault(cellType_));
}

void TAlarmSettingsLogic::RecalcOhmicBoxes() {
  boxes_[abLowR] = AlarmNumberText(defaults_.LowOhmicDefault(cellType_, chemistry_));
  boxes_[abHighR] = AlarmNumberText(defaults_.HighOhmicDefault(cellType_, chemistry_));
}

void TAlarmSettingsLogic::ChooseCellType(TCellType type) {
  cellType_ = type;
  double voltage = 0;
  if (type == TCellType::ctOther && !TryStrToFloat(otherVText_, voltage)) {
    focus_ = TAlarmFocus::OtherV;
    double asked = defaults_.DefaultOtherVoltage();
    if (ValuePrompts().GetNumber(kAlarmOtherVPrompt, kAlarmOtherVCaption, asked))
      OtherVChanged(AlarmNumberText(asked));
  }
  FillVoltageBoxes();
  RecalcOhmicBoxes();
}

void TAlarmSettingsLogic::ChooseChemistry(TCellChemistry chemistry) {
  chemistry_ = chemistry;
  RecalcOhmicBoxes();
}

void TAlarmSettingsLogic::OtherVChanged(const std::string& text) {
  otherVText_ = text;
  if (IsBlank(text)) return;
  double voltage = 0;
  if (!TryStrToFloat(text, voltage)) {
    UserMessages().Show(TMsgKind::Error, kAlarmMsgOtherVInvalid, TMsgButtons::Ok);
    OtherVChanged(AlarmNumberText(defaults_.DefaultOtherVoltage()));
    return;
  }
  defaults_.SetOtherVoltage(voltage);
  FillVoltageBoxes();
  RecalcOhmicBoxes();
}

void TAlarmSettingsLogic::BoxEdited(TAlarmBox box, const std::string& text) {
  boxes_[box] = text;
  if (IsBlank(text)) return;
  double value = 0;
  if (!TryStrToFloat(text, value)) {
    if (IsNumberBeginning(text)) return;
    UserMessages().Show(TMsgKind::Warning, AlarmIllegalCharacterMessage(box), TMsgButtons::Ok);
    boxes_[box].clear();
    return;
  }
  switch (box) {
    case abHighI:
    case abLowI:
      if (value < 0) {
        UserMessages().Show(TMsgKind::Warning, kAlarmMsgCurrentNegative, TMsgButtons::Ok);
        boxes_[box].clear();
      }
      break;
    case abHighV:
    case abLowV:
      if (cellType_ != TCellType::ctOther) SwitchToOtherKeepingBoxes();
      if (box == abHighV)
        defaults_.SetOtherHighLimit(value);
      else
        defaults_.SetOtherLowLimit(value);
      break;
    case abHighR:
    case abLowR:
      if (value > 39.5) boxes_[box] = std::string("39") + DecimalSeparator() + "50";
      break;
    default:
      break;
  }
}

// A voltage typed while a fixed cell type is chosen makes the cell type Other.
// Only the choice changes: the other voltage becomes the nominal voltage of the
// type that was chosen, and the other limits take what the voltage boxes show,
// so that every box keeps what it shows.
void TAlarmSettingsLogic::SwitchToOtherKeepingBoxes() {
  const double nominal = defaults_.NominalVoltage(cellType_);
  cellType_ = TCellType::ctOther;
  defaults_.SetOtherVoltage(nominal);
  otherVText_ = AlarmNumberText(nominal);
  double value = 0;
  if (BoxNumber(abHighV, value)) defaults_.SetOtherHighLimit(value);
  if (BoxNumber(abLowV, value)) defaults_.SetOtherLowLimit(value);
}

void TAlarmSettingsLogic::BoxExited(TAlarmBox box) {
  double value = 0;
  if (!IsVoltageBox(box) || cellType_ != TCellType::ctOther || !BoxNumber(box, value)) return;
  if (box == abHighV)
    defaults_.SetOtherHighLimit(value);
  else
    defaults_.SetOtherLowLimit(value);
}

// True when some box held no number: each such box has been reported and
// emptied, and the focus goes to the first of them.
bool TAlarmSettingsLogic::RefuseUnfinishedNumbers() {
  bool refused = false;
  for (int b = 0; b < abCount; ++b) {
    const auto box = static_cast<TAlarmBox>(b);
    if (!HoldsNoNumber(box)) continue;
    UserMessages().Show(TMsgKind::Warning, AlarmIllegalCharacterMessage(box), TMsgButtons::Ok);
    boxes_[box].clear();
    if (!refused) {
      focus_ = TAlarmFocus::Limit;
      focusBox_ = box;
    }
    refused = true;
  }
  return refused;
}

void TAlarmSettingsLogic::Cancelled() {
  for (int b = 0; b < abCount; ++b)
    if (HoldsNoNumber(static_cast<TAlarmBox>(b))) boxes_[b].clear();
}

bool TAlarmSettingsLogic::CheckOK() {
  if (RefuseUnfinishedNumbers()) return false;
  if (IsBlank(boxes_[abHighI]) &&
      UserMessages().Show(TMsgKind::Warning, kAlarmMsgNoDischarge, TMsgButtons::YesNo) != TMsgAnswer::Yes) {
    focus_ = TAlarmFocus::HighI;
    return false;
  }
  struct TPair {
    TAlarmBox high, low;
    const char* name;
  };
  static constexpr TPair kPairs[] = {{abHighT, abLowT, "Temperature values "},
                                     {abHighV, abLowV, "Voltage values "},
                                     {abHighR, abLowR, "Ohmic-values "}};
  bool passed = true;
  std::string inconsistent;
  for (const TPair& pair : kPairs) {
    double high = 0, low = 0;
    if (!BoxNumber(pair.high, high) || !BoxNumber(pair.low, low)) {
      if (UserMessages().Show(TMsgKind::Information, kAlarmMsgIncomplete, TMsgButtons::YesNo) != TMsgAnswer::Yes)
        passed = false;
      break;
    }
    if (high < low) inconsistent += std::string(pair.name) + "\r";
  }
  if (!inconsistent.empty()) {
    UserMessages().Show(TMsgKind::Warning, kAlarmMsgInconsistent + inconsistent, TMsgButtons::Ok);
    passed = false;
  }
  if (passed) alarmsAccepted_ = true;
  return passed;
}

TAlarmFocus TAlarmSettingsLogic::TakeFocusRequest() {
  const TAlarmFocus focus = focus_;
  focus_ = TAlarmFocus::None;
  return focus;
}
