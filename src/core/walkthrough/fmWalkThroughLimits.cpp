// The channel, current probe and temperature sensor pages of the walk-through:
// alarm limits with their checks, confirmations and the current scaling button.
#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"
#include "model/TempConvert.h"
#include "walkthrough/fmWalkThroughEngine.h"
#include "walkthrough/fmWalkThroughSuggest.h"

namespace {
std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string General(double value) { return FormatFloatGeneral(value, 15); }

// The value a limit is stored as: -1 for any limit that is off.
double Limit(long double value) { return value < 0 ? -1.0 : static_cast<double>(value); }

const char* const kEitherHigherOrLower =
    "Either set the high limit higher here, or go back and lower the low limit before setting the high limit.";
}  // namespace

void TWalkThroughEngine::ShowChannelPage(int state) {
  const TzmUPSStringSystemNode& s = *S();
  switch (state) {
    case 1:
      Page_.Id = TWalkPageId::BlocksPerChannel;
      SetHeading("Blocks per channel");
      ShowHelp();
      ShowIntegerEntry(SuggestBlocksPerChannel(*System_, s), 1, 10);
      AnswerHandler_ = &TWalkThroughEngine::BlocksPerChannelAnswer;
      break;
    case 2:
      Page_.Id = TWalkPageId::LowVoltage;
      SetHeading("Low voltage alarm limit per channel");
      ShowHelp();
      ShowAlarmEntry(SuggestChannelLimit(*System_, s, TChannelLimit::LowVoltage), 0, 60);
      AnswerHandler_ = &TWalkThroughEngine::LowVoltageAnswer;
      break;
    case 3:
      Page_.Id = TWalkPageId::HighVoltage;
      SetHeading("High voltage alarm limit per channel");
      ShowHelp();
      ShowAlarmEntry(SuggestChannelLimit(*System_, s, TChannelLimit::HighVoltage), 0, 60);
      AnswerHandler_ = &TWalkThroughEngine::HighVoltageAnswer;
      break;
    case 4:
      Page_.Id = TWalkPageId::LowOhmic;
      SetHeading("Low ohmic-value alarm limit per channel");
      ShowHelp();
      ShowAlarmEntry(SuggestChannelLimit(*System_, s, TChannelLimit::LowOhmic), 0, 38);
      AnswerHandler_ = &TWalkThroughEngine::LowOhmicAnswer;
      break;
    case 5:
      Page_.Id = TWalkPageId::HighOhmic;
      SetHeading("High ohmic-value alarm limit per channel");
      ShowHelp();
      ShowAlarmEntry(SuggestChannelLimit(*System_, s, TChannelLimit::HighOhmic), 0, 38);
      AnswerHandler_ = &TWalkThroughEngine::HighOhmicAnswer;
      break;
    default:
      break;
  }
}

bool TWalkThroughEngine::BlocksPerChannelAnswer() {
  const int blocks = Page_.Number.RoundedValue();
  ForEachChannel([blocks](TzmUPSCellSystemNode& c) { c.SetBlocksPerChannel(blocks); });
  return true;
}

bool TWalkThroughEngine::LowVoltageAnswer() {
  if (Page_.Number.IsBlank()) {
    Text_.ClearText();
    Text_.AddLine("Warning : Are you sure you do not want a low voltage alarm limit?", true);
    Text_.AddLine("");
    Text_.AddLine("Set the low limit here or leave the area blank to ");
    Text_.AppendBold("NOT");
    Text_.AppendText(" have a low voltage limit.");
    UserMessages().Beep(TBeepKind::Question);
    AnswerHandler_ = &TWalkThroughEngine::LowVoltageConfirmed;
    FocusEntry();
    return false;
  }
  return LowVoltageConfirmed();
}

bool TWalkThroughEngine::LowVoltageConfirmed() {
  const double v = Limit(AlarmValue());
  ForEachChannel([v](TzmUPSCellSystemNode& c) { c.LowAlarm = v; });
  return true;
}

// Refuses a high limit that is set but not above the low one, comparing the
// values as they would be stored.
bool TWalkThroughEngine::HighAboveLowCheck(double value, double low, const std::string& detail) {
  if (value < 0 || value > low) return true;
  Text_.ClearText();
  Text_.AddLine("Error : High limit not above low limit.", true);
  Text_.AddLine("");
  Text_.AppendText(detail);
  Text_.AddLine("");
  Text_.AddLine("");
  Text_.AddLine(kEitherHigherOrLower);
  UserMessages().Beep(TBeepKind::Exclamation);
  FocusEntry();
  return false;
}

bool TWalkThroughEngine::HighVoltageAnswer() {
  const double v = Limit(AlarmValue());
  const double low = S()->GetCell(0)->LowAlarm;
  if (!HighAboveLowCheck(v, low,
                         "High voltage limit must be ABOVE low voltage limit (currently " +
                             General(low) + " volts)"))
    return false;
  ForEachChannel([v](TzmUPSCellSystemNode& c) { c.HighAlarm = v; });
  return true;
}

bool TWalkThroughEngine::LowOhmicAnswer() {
  const double v = Limit(AlarmValue());
  ForEachChannel([v](TzmUPSCellSystemNode& c) { c.LowResistance = v; });
  return true;
}

bool TWalkThroughEngine::HighOhmicAnswer() {
  const double v = Limit(AlarmValue());
  const double low = S()->GetCell(0)->LowResistance;
  if (!HighAboveLowCheck(v, low,
                         "High internal ohmic-value limit must be ABOVE low internal ohmic-value "
                         "limit (currently " +
                             General(low) + " mOhms)"))
    return false;
  ForEachChannel([v](TzmUPSCellSystemNode& c) { c.HighResistance = v; });
  return true;
}

// The "Are you sure?" confirmation: the page stays, and Next again accepts it.
void TWalkThroughEngine::AreYouSure(const std::string& reason1, const std::string& reason2,
                                    const std::string& reallyDont) {
  Text_.AddLine("");
  Text_.AddLine("");
  Text_.AddLine("Are you sure?", true);
  Text_.AddLine("");
  Text_.AddLine(reason1);
  if (!reason2.empty()) Text_.AddLine(reason2);
  Text_.AddLine("");
  Text_.AddLine("If you ");
  Text_.AppendBold("REALLY DON'T");
  Text_.AppendText(reallyDont);
  FocusEntry();
  UserMessages().Beep(TBeepKind::Question);
}

void TWalkThroughEngine::ShowCurrentPage(int state) {
  const TzmUPSStringSystemNode& s = *S();
  if (state == 1) {
    Page_.Id = TWalkPageId::Discharge;
    SetHeading("Minimum discharge current for " + s.Name());
    ShowHelp();
    ShowAlarmEntry(SuggestDischarge(*System_, s, CurrentIndex_), -1, 1500);
    // Ticked, the next page asks for the low charge current alarm.
    ShowCheck(P()->LowAlarm >= 0, "Set a low charge current alarm");
    Page_.CurrentScalingCaption =
        P()->Scaling.GetScaledCurrent() == 1000 ? "Set current scaling" : "Change current scaling";
    Page_.CurrentScalingVisible = true;
    AnswerHandler_ = &TWalkThroughEngine::DischargeAnswer;
  } else if (state == 2) {
    Page_.Id = TWalkPageId::Charge;
    SetHeading("Low charge current limit for " + s.Name());
    ShowHelp();
    ShowAlarmEntry(SuggestCharge(*System_, s, CurrentIndex_), -1, 1500);
    AnswerHandler_ = &TWalkThroughEngine::ChargeAnswer;
  }
}

void TWalkThroughEngine::StoreDischarge(double value) {
  TzmUPSCurrentSystemNode* p = P();
  p->HighAlarm = value;
  if (!Page_.WalkThru.On()) {
    p->LowAlarm = -1;
    ++CurrentState_;  // pass over the charge limit page
  }
  p->RefreshView();
}

bool TWalkThroughEngine::DischargeAnswer() {
  const double v = Limit(AlarmValue());
  if (v >= 0) {
    StoreDischarge(v);
    return true;
  }
  AnswerHandler_ = &TWalkThroughEngine::DischargeConfirmed;
  AreYouSure(
      "If there is not a discharge limit set, then the string will never be able to indicate a discharge to Zelmor.",
      "Without a discharge limit set there is not much use for a current clamp on the string.",
      " want this string to indicate a discharge press the \"Next\" button or the <Enter> key on the keyboard without setting a value.");
  return false;
}

bool TWalkThroughEngine::DischargeConfirmed() {
  StoreDischarge(Limit(AlarmValue()));
  return true;
}

bool TWalkThroughEngine::ChargeAnswer() {
  P()->LowAlarm = Limit(AlarmValue());
  P()->RefreshView();
  return true;
}

void TWalkThroughEngine::CurrentScalingClick() {
  if (Result_ != TWalkResult::Running || Page_.Id != TWalkPageId::Discharge ||
      !Page_.CurrentScalingVisible)
    return;
  TzmUPSCurrentSystemNode* p = P();
  if (!p || !RunCurrentScaling) return;
  const int old = p->Scaling.GetScaledCurrent();
  const bool blank = Page_.Number.IsBlank();
  const long double box = blank ? 0 : Page_.Number.Value();
  // The box follows the rating when it holds 5 % of it; a box of 0 does not.
  const bool follows = box != 0 && RoundHalfEven(old / box) == 20;
  if (!RunCurrentScaling(p->Scaling)) return;
  const int now = p->Scaling.GetScaledCurrent();
  Page_.CurrentScalingCaption = now == 1000 ? "Set current scaling" : "Change current scaling";
  if (blank || follows) Page_.Number.SetValue(static_cast<long double>(RoundHalfEven(now * 0.05L)));
  p->RefreshView();
  Changed();
}

void TWalkThroughEngine::ShowTemperaturePage(int state) {
  const TzmUPSStringSystemNode& s = *S();
  const TzmUPSTemperatureSystemNode& t = *T();
  switch (state) {
    case 1:
      Page_.Id = TWalkPageId::SensorName;
      SetHeading("Label for temperature #" + std::to_string(TemperatureIndex_ + 1) + " on " +
                 s.Name());
      ShowHelp();
      ShowTextEntry(SuggestTemperatureName(*System_, s, TemperatureIndex_));
      AnswerHandler_ = &TWalkThroughEngine::SensorNameAnswer;
      break;
    case 2:
      Page_.Id = TWalkPageId::LowTemperature;
      SetHeading("Low temperature alarm for " + t.Name());
      ShowHelp();
      ShowAlarmEntry(SuggestTemperatureLimit(*System_, s, TemperatureIndex_, false), 2, 80);
      ShowDegrees();
      AnswerHandler_ = &TWalkThroughEngine::LowTemperatureAnswer;
      break;
    case 3:
      Page_.Id = TWalkPageId::HighTemperature;
      SetHeading("High temperature alarm for " + t.Name());
      ShowHelp();
      ShowAlarmEntry(SuggestTemperatureLimit(*System_, s, TemperatureIndex_, true), 2, 80);
      ShowDegrees();
      AnswerHandler_ = &TWalkThroughEngine::HighTemperatureAnswer;
      break;
    default:
      break;
  }
}

bool TWalkThroughEngine::SensorNameAnswer() {
  const std::string name = Trimmed(Page_.EntryText);
  if (NameRefused(name)) return false;
  if (!name.empty() && name != T()->Name()) T()->SetName(name);
  return true;
}

bool TWalkThroughEngine::LowTemperatureAnswer() {
  T()->LowAlarm = Limit(AlarmValue());
  T()->RefreshView();
  return true;
}

bool TWalkThroughEngine::HighTemperatureAnswer() {
  const double v = Limit(AlarmValue());
  const double low = T()->LowAlarm;
  if (v >= 0 && v <= low) {
    Text_.ClearText();
    Text_.AddLine("Error : High limit not above low limit.", true);
    Text_.AddLine("");
    Text_.AddLine("High ", true);
    Text_.AppendText("temperature limit must be ");
    Text_.AppendBold("ABOVE");
    Text_.AppendText(" the low temperature limit (currently " + General(low) + " degrees C)");
    Text_.AddLine("");
    Text_.AddLine(kEitherHigherOrLower);
    UserMessages().Beep(TBeepKind::Exclamation);
    FocusEntry();
    return false;
  }
  if (v < 0 && low < 0) {
    AnswerHandler_ = &TWalkThroughEngine::HighTemperatureConfirmed;
    AreYouSure("You have chosen to have a temperature sensor that has no alarms.", "",
               " want this temperature sensor to trigger an alarm, press the \"Next\" button or the <Enter> key on the keyboard without setting a value.");
    return false;
  }
  return HighTemperatureConfirmed();
}

bool TWalkThroughEngine::HighTemperatureConfirmed() {
  T()->HighAlarm = Limit(AlarmValue());
  T()->RefreshView();
  return true;
}
