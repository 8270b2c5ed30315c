#pragma once
// The question-and-answer walk-through behind TfmWalkthru, free of widgets.
//
// Questions are organised in nested levels (top, battery, string, sub-string,
// channel, current, temperature), each a small state machine with a state byte
// and, where it walks over several items, a cursor. Exactly one level is in
// charge; a page's answer can hand control to a sub-level, and a level that
// runs out of questions hands control back to its parent through a deferred
// step that runs after the current step has returned.
//
// The window renders Page() after every call (OnChanged tells it when a
// deferred step changed the page), hands user edits back through the Set...
// and User... calls, and runs its modal loop until Result() is no longer Running.
#include <cstdint>
#include <functional>
#include <string>

#include "model/ZMUPSTreeSystem.h"
#include "walkthrough/ZMTextArea.h"
#include "walkthrough/fmWalkThroughPage.h"

enum class TWalkResult { Running, Finished, Cancelled };

enum class TWalkLevel { Top, Battery, String, SubString, Channel, Current, Temperature };

class TWalkThroughEngine {
 public:
  TWalkThroughEngine(ITextArea& textArea, IDeferredStep& deferred);
  TWalkThroughEngine(const TWalkThroughEngine&) = delete;
  TWalkThroughEngine& operator=(const TWalkThroughEngine&) = delete;

  // Hooks the window (or the lead) wires. All may be left empty.
  // Loads a help text into the text area; false when there is none by that name.
  std::function<bool(const std::string& name)> LoadHelp;
  // Battery verification: places the strings on control units, then writes
  // the battery's configuration text.
  std::function<void(TzmUPSBatterySystemNode& battery)> OnBatteryReport;
  // System verification: writes the hardware list.
  std::function<void()> OnHardwareReport;
  // Runs the current scaling dialog on a probe's calculator; true on OK.
  std::function<bool(TCurrentScalingCalculator& scaling)> RunCurrentScaling;
  // The page changed outside a call of the window (a deferred step ran).
  std::function<void()> OnChanged;
  // The walk-through ended (Finished or Cancelled).
  std::function<void(TWalkResult)> OnClose;

  // Resets to top page 0 over `system`; false at once when there is none.
  bool Start(TzmUPSSystem* system);
  TWalkResult Result() const { return Result_; }

  // Buttons. GoBack does nothing while it is disabled.
  void Next();
  void GoBack();
  void Cancel();
  void CurrentScalingClick();

  // User edits of the page's controls.
  void SetEntryText(const std::string& text);
  void UserChangedNumber(const std::string& text);
  void UserChangedFahrenheit(const std::string& text);
  void UserSetCheck(TWalkBox box, bool checked);

  const TWalkPage& Page() const { return Page_; }

  // The walk-through state, for the window and tests.
  TWalkLevel Level() const { return Level_; }
  std::uint8_t TopState() const { return TopState_; }
  std::uint8_t BatteryState() const { return BatteryState_; }
  std::uint8_t StringState() const { return StringState_; }
  std::uint8_t SubStringState() const { return SubStringState_; }
  std::uint8_t ChannelState() const { return ChannelState_; }
  std::uint8_t CurrentState() const { return CurrentState_; }
  std::uint8_t TemperatureState() const { return TemperatureState_; }
  int BatteryIndex() const { return BatteryIndex_; }
  int StringIndex() const { return StringIndex_; }
  int SubStringIndex() const { return SubStringIndex_; }
  int CurrentIndex() const { return CurrentIndex_; }
  int TemperatureIndex() const { return TemperatureIndex_; }
  TWalkFocus LastTemperatureEntry() const { return LastTemperatureEntry_; }

 private:
  using THandler = bool (TWalkThroughEngine::*)();

  // Stepping.
  void Step(bool forward);
  bool NumberRefused();
  void PostStep(bool forward);
  void Changed();
  void Close(TWalkResult result);
  static void Move(std::uint8_t& state, int& cursor, int lastState, int count, bool forward);
  void StepTop(bool forward);
  void StepBattery(bool forward);
  void StepString(bool forward);
  void StepSubString(bool forward);
  void StepChannel(bool forward);
  void StepCurrent(bool forward);
  void StepTemperature(bool forward);
  bool ProbeQuestionForced() const;

  // Page routines.
  void SetHeading(const std::string& text) { Page_.Heading = text; }
  // The help text of the page on display (Page_.Id); `secondText` picks the
  // other text of the pages that have two (see WalkThroughHelpName).
  void ShowHelp(bool secondText = false);
  void HideEntryControls();
  void ShowTextEntry(const std::string& text);
  void ShowIntegerEntry(int value, int minimum, int maximum);
  void ShowAlarmEntry(double value, double minimum, double maximum);
  void ShowCheck(bool checked, const std::string& caption);
  void ShowUseDefaults(bool checked);
  void FocusEntry();
  void ShowDegrees();
  void FahrenheitFollowsCelsius();

  // Pages (fmWalkThroughPages.cpp and fmWalkThroughLimits.cpp).
  void ShowTopPage(int state);
  void ShowBatteryPage(int state);
  void ShowStringPage(int state);
  void ShowSubStringPage();
  void ShowChannelPage(int state);
  void ShowCurrentPage(int state);
  void ShowTemperaturePage(int state);

  // Answer handlers.
  bool BatteryCountAnswer();
  bool BatteryNameAnswer();
  bool StringCountAnswer();
  bool StringNameAnswer();
  bool StringChannelsAnswer();
  bool SubStringCountAnswer();
  bool StringProbeAnswer();
  bool StringSensorsAnswer();
  bool SubStringChannelsAnswer();
  bool BlocksPerChannelAnswer();
  bool LowVoltageAnswer();
  bool LowVoltageConfirmed();
  bool HighVoltageAnswer();
  bool LowOhmicAnswer();
  bool HighOhmicAnswer();
  bool DischargeAnswer();
  bool DischargeConfirmed();
  bool ChargeAnswer();
  bool SensorNameAnswer();
  bool LowTemperatureAnswer();
  bool HighTemperatureAnswer();
  bool HighTemperatureConfirmed();

  // Shared parts of the handlers and checks.
  bool NameRefused(const std::string& name);
  bool BatteryProbeCheck();
  bool EmptyStringCheck();
  bool HighAboveLowCheck(double value, double low, const std::string& detail);
  void AreYouSure(const std::string& reason1, const std::string& reason2,
                  const std::string& reallyDont);
  void StoreDischarge(double value);
  void TakeChannelDefaults();
  template <typename F>
  void ForEachChannel(F f);
  long double AlarmValue() const { return AlarmEntry_.GetAlarmValue(); }

  TzmUPSBatterySystemNode* B() const;
  TzmUPSStringSystemNode* S() const;
  TzmUPSCurrentSystemNode* P() const;
  TzmUPSTemperatureSystemNode* T() const;

  ITextArea& Text_;
  IDeferredStep& Deferred_;
  TzmUPSSystem* System_ = nullptr;
  TWalkResult Result_ = TWalkResult::Cancelled;
  // Identifies the run a deferred step belongs to; a step of an ended run is dropped.
  unsigned Run_ = 0;

  TWalkPage Page_;
  TSpinAlarm AlarmEntry_ = TSpinAlarm::CreateFor(Page_.Number);
  TWalkFocus LastTemperatureEntry_ = TWalkFocus::Number;

  std::uint8_t TopState_ = 0;
  std::uint8_t BatteryState_ = 0;
  std::uint8_t StringState_ = 0;
  std::uint8_t SubStringState_ = 0;
  std::uint8_t ChannelState_ = 0;
  std::uint8_t CurrentState_ = 0;
  std::uint8_t TemperatureState_ = 0;
  int BatteryIndex_ = 0;
  int StringIndex_ = 0;
  int SubStringIndex_ = 0;
  int CurrentIndex_ = 0;
  int TemperatureIndex_ = 0;
  THandler AnswerHandler_ = nullptr;
  TWalkLevel Level_ = TWalkLevel::Top;
};

// Applies f to every channel of the string asked about and repaints it.
template <typename F>
void TWalkThroughEngine::ForEachChannel(F f) {
  TzmUPSStringSystemNode* s = S();
  for (int i = 0; i < s->CellCount(); ++i) {
    TzmUPSCellSystemNode* c = s->GetCell(i);
    f(*c);
    c->RefreshView();
  }
}
