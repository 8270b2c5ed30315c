#include "walkthrough/fmWalkThroughEngine.h"

#include <stdexcept>

#include "common/ZMUserInterface.h"
#include "model/TempConvert.h"
#include "walkthrough/fmWalkThroughHelpNames.h"
#include "walkthrough/fmWalkThroughSuggest.h"
#include "wizard/ZMPromptRules.h"

TWalkThroughEngine::TWalkThroughEngine(ITextArea& textArea, IDeferredStep& deferred)
    : Text_(textArea), Deferred_(deferred) {}

TzmUPSBatterySystemNode* TWalkThroughEngine::B() const {
  return System_->GetBattery(BatteryIndex_);
}
TzmUPSStringSystemNode* TWalkThroughEngine::S() const { return B()->GetString(StringIndex_); }
TzmUPSCurrentSystemNode* TWalkThroughEngine::P() const { return S()->GetCurrent(CurrentIndex_); }
TzmUPSTemperatureSystemNode* TWalkThroughEngine::T() const {
  return S()->GetTemperature(TemperatureIndex_);
}

bool TWalkThroughEngine::Start(TzmUPSSystem* system) {
  if (!system) return false;
  System_ = system;
  Result_ = TWalkResult::Running;
  ++Run_;
  Page_.Id = TWalkPageId::Start;
  Page_.GoBackEnabled = false;
  Page_.NextCaption = "&Start";
  ShowHelp();
  SetHeading("Create a system configuration file");
  Page_.Focus = TWalkFocus::Next;
  HideEntryControls();
  AnswerHandler_ = nullptr;
  Level_ = TWalkLevel::Top;
  TopState_ = BatteryState_ = StringState_ = SubStringState_ = 0;
  ChannelState_ = CurrentState_ = TemperatureState_ = 0;
  BatteryIndex_ = StringIndex_ = SubStringIndex_ = CurrentIndex_ = TemperatureIndex_ = 0;
  Changed();
  return true;
}

void TWalkThroughEngine::Next() {
  if (Result_ != TWalkResult::Running) return;
  Page_.GoBackEnabled = TopState_ > 0;
  Page_.NextCaption = "&Next >>";
  Step(true);
}

void TWalkThroughEngine::GoBack() {
  if (Result_ != TWalkResult::Running || !Page_.GoBackEnabled) return;
  Step(false);
}

void TWalkThroughEngine::Cancel() {
  if (Result_ == TWalkResult::Running) Close(TWalkResult::Cancelled);
}

void TWalkThroughEngine::Close(TWalkResult result) {
  Result_ = result;
  ++Run_;  // drops deferred steps still queued
  AnswerHandler_ = nullptr;
  if (OnClose) OnClose(result);
}

void TWalkThroughEngine::Changed() {
  if (OnChanged) OnChanged();
}

void TWalkThroughEngine::Step(bool forward) {
  if (Result_ != TWalkResult::Running) return;
  if (forward && AnswerHandler_ && NumberRefused()) {
    Changed();
    return;
  }
  if (forward && AnswerHandler_) {
    // A handler may swap itself for a confirmation handler and refuse.
    if (!(this->*AnswerHandler_)()) {
      Changed();
      return;
    }
    AnswerHandler_ = nullptr;
  }
  Page_.HelpName.clear();
  HideEntryControls();
  switch (Level_) {
    case TWalkLevel::Top: StepTop(forward); break;
    case TWalkLevel::Battery: StepBattery(forward); break;
    case TWalkLevel::String: StepString(forward); break;
    case TWalkLevel::SubString: StepSubString(forward); break;
    case TWalkLevel::Channel: StepChannel(forward); break;
    case TWalkLevel::Current: StepCurrent(forward); break;
    case TWalkLevel::Temperature: StepTemperature(forward); break;
  }
  if (!forward && Result_ == TWalkResult::Running) Page_.NextCaption = "&Next >>";
  Changed();
}

// A number answer outside the box's range, or a text that is no number, is
// refused before any handler sees it: the page stays and nothing is stored.
// A blank box is an answer only where it means that a limit is not used.
bool TWalkThroughEngine::NumberRefused() {
  const TWalkNumberBox& box = Page_.Number;
  if (!box.Visible || box.Accepts(!box.WholeNumbers)) return false;
  UserMessages().Show(TMsgKind::Error,
                      RangeMessage(static_cast<double>(box.Min), static_cast<double>(box.Max)),
                      TMsgButtons::Ok);
  FocusEntry();
  return true;
}

void TWalkThroughEngine::PostStep(bool forward) {
  const unsigned run = Run_;
  Deferred_.Post([this, run, forward] {
    if (run == Run_) Step(forward);
  });
}

void TWalkThroughEngine::Move(std::uint8_t& state, int& cursor, int lastState, int count,
                              bool forward) {
  if (forward) {
    if (state == lastState && cursor < count - 1) {
      ++cursor;
      state = 1;
    } else {
      ++state;
    }
  } else {
    if (state == 1 && cursor > 0)
      --cursor;
    else if (state > 0)
      --state;
  }
}

void TWalkThroughEngine::StepTop(bool forward) {
  if (forward)
    ++TopState_;
  else if (TopState_ > 1)
    --TopState_;  // Go back is disabled on page 1, so state 0 is never reached
  switch (TopState_) {
    case 1: ShowTopPage(1); break;
    case 2: Page_.Id = TWalkPageId::NoPage; break;  // entries hidden, text kept
    case 3: ShowTopPage(3); break;
    default: Close(TWalkResult::Finished); break;
  }
}

void TWalkThroughEngine::StepBattery(bool forward) {
  Move(BatteryState_, BatteryIndex_, 3, System_->BatteryCount(), forward);
  if (BatteryState_ == 4) {
    BatteryState_ = 0;
    Level_ = TWalkLevel::Top;
    PostStep(true);
  } else if (BatteryState_ == 0) {
    Level_ = TWalkLevel::Top;
    ShowTopPage(TopState_);
  } else {
    ShowBatteryPage(BatteryState_);
  }
}

bool TWalkThroughEngine::ProbeQuestionForced() const {
  const TzmUPSBatterySystemNode* b = B();
  return !b->Genset && (b->StringCount() < 2 || b->AllStringsSame);
}

void TWalkThroughEngine::StepString(bool forward) {
  if (!forward && StringState_ > 1 && S()->IsContinuation()) {
    // Go back from any later page of a continuation segment returns to its name.
    StringState_ = 1;
  } else {
    Move(StringState_, StringIndex_, 4, B()->StringCount(), forward);
  }
  if (StringState_ == 3 && ProbeQuestionForced()) {
    if (forward) {
      CurrentIndex_ = 0;
      CurrentState_ = 0;
      Level_ = TWalkLevel::Current;
      S()->SetCurrentCount(1);
      PostStep(true);
    } else {
      PostStep(false);
    }
    return;
  }
  if (StringState_ == 5) {
    StringState_ = 0;
    StringIndex_ = 0;
    Level_ = TWalkLevel::Battery;
    PostStep(true);
  } else if (StringState_ == 0) {
    Level_ = TWalkLevel::Battery;
    if (StringIndex_ > 0) --StringIndex_;
    ShowBatteryPage(BatteryState_);
  } else {
    ShowStringPage(StringState_);
  }
}

void TWalkThroughEngine::StepSubString(bool forward) {
  Move(SubStringState_, SubStringIndex_, 1, S()->SubStringCount(), forward);
  if (SubStringState_ == 2) {
    SubStringState_ = 0;
    if (S()->CellCount() > 0 && S()->UseChannelDefaults &&
        FindEarlierStringWithChannel(*System_, *S())) {
      TakeChannelDefaults();
      Level_ = TWalkLevel::String;
    } else {
      ChannelState_ = 0;
      Level_ = TWalkLevel::Channel;
    }
    PostStep(true);
  } else if (SubStringState_ == 0) {
    Level_ = TWalkLevel::String;
    ShowStringPage(StringState_);
  } else {
    ShowSubStringPage();
  }
}

void TWalkThroughEngine::StepChannel(bool forward) {
  const bool voltageOnly = B()->VoltageOnly;
  if (forward && ChannelState_ == 3 && voltageOnly)
    ChannelState_ = 6;  // no ohmic pages
  else if (!forward && ChannelState_ >= 4 && voltageOnly)
    ChannelState_ = 3;
  else if (forward)
    ++ChannelState_;
  else if (ChannelState_ > 0)
    --ChannelState_;
  if (ChannelState_ >= 6) {
    ChannelState_ = 0;
    Level_ = TWalkLevel::String;
    PostStep(true);
  } else if (ChannelState_ == 0) {
    Level_ = TWalkLevel::String;
    ShowStringPage(StringState_);
  } else {
    ShowChannelPage(ChannelState_);
  }
}

void TWalkThroughEngine::StepCurrent(bool forward) {
  Move(CurrentState_, CurrentIndex_, 2, S()->CurrentCount(), forward);
  if (forward && CurrentState_ == 0)
    throw std::logic_error("Below lowest state while increasing current state.");
  if (CurrentState_ >= 3) {
    CurrentState_ = 0;
    Level_ = TWalkLevel::String;
    PostStep(true);
  } else if (CurrentState_ == 0) {
    // Back through the string level's own rules: its page 3, or page 2 when
    // the probe question is forced.
    Level_ = TWalkLevel::String;
    ++StringState_;
    PostStep(false);
  } else {
    ShowCurrentPage(CurrentState_);
  }
}

void TWalkThroughEngine::StepTemperature(bool forward) {
  Move(TemperatureState_, TemperatureIndex_, 3, S()->TemperatureCount(), forward);
  if (TemperatureState_ == 4) {
    TemperatureState_ = 0;
    Level_ = TWalkLevel::String;
    PostStep(true);
  } else if (TemperatureState_ == 0) {
    Level_ = TWalkLevel::String;
    ShowStringPage(StringState_);
  } else {
    ShowTemperaturePage(TemperatureState_);
  }
}

// Page routines shared by every page.

void TWalkThroughEngine::ShowHelp(bool secondText) {
  const std::string name = WalkThroughHelpName(Page_.Id, secondText);
  Page_.HelpName = name;
  if (LoadHelp && LoadHelp(name)) return;
  Text_.ClearText();
  Text_.AddLine(name);
}

void TWalkThroughEngine::HideEntryControls() {
  Page_.Fahrenheit.Visible = false;
  Page_.DegreeLabelsVisible = false;
  Page_.LabelVisible = false;
  Page_.TextVisible = false;
  Page_.Number.Visible = false;
  for (TWalkBox box : {TWalkBox::WalkThru, TWalkBox::ForceNewCU, TWalkBox::SubString,
                       TWalkBox::Clone, TWalkBox::VoltageOnly, TWalkBox::Genset})
    Page_.Box(box).Visible = false;
  Page_.PrintVisible = false;
  Page_.CurrentScalingVisible = false;
  Page_.WalkThru.Enabled = true;
}

void TWalkThroughEngine::ShowTextEntry(const std::string& text) {
  Page_.EntryText = text;
  Page_.TextVisible = true;
  Page_.Focus = TWalkFocus::Text;
}

void TWalkThroughEngine::ShowIntegerEntry(int value, int minimum, int maximum) {
  Page_.Number.WholeNumbers = true;
  Page_.Number.SetRange(minimum, maximum);
  Page_.Number.SetValue(value);
  Page_.Number.Visible = true;
  Page_.Focus = TWalkFocus::Number;
}

void TWalkThroughEngine::ShowAlarmEntry(double value, double minimum, double maximum) {
  Page_.Number.WholeNumbers = false;
  Page_.Number.SetRange(minimum, maximum);
  AlarmEntry_.SetAlarmValue(value);
  Page_.Number.Visible = true;
  Page_.Focus = TWalkFocus::Number;
}

void TWalkThroughEngine::ShowCheck(bool checked, const std::string& caption) {
  Page_.WalkThru.Checked = checked;
  Page_.WalkThru.Caption = caption;
  Page_.WalkThru.Visible = true;
  if (!Page_.TextVisible && !Page_.Number.Visible) Page_.Focus = TWalkFocus::WalkThruCheck;
}

void TWalkThroughEngine::FocusEntry() {
  if (Page_.Number.Visible)
    Page_.Focus = TWalkFocus::Number;
  else if (Page_.TextVisible)
    Page_.Focus = TWalkFocus::Text;
  else if (Page_.WalkThru.Visible)
    Page_.Focus = TWalkFocus::WalkThruCheck;
}

// The boxes mirror what is typed as it is; a value outside the range is
// refused when the answer is given.
void TWalkThroughEngine::FahrenheitFollowsCelsius() {
  long double celsius = 0;
  if (Page_.Number.TypedValue(celsius) && celsius > 2.0L)
    Page_.Fahrenheit.ShowValue(CelsiusToFahrenheit(celsius));
  else
    Page_.Fahrenheit.Text.clear();
}

void TWalkThroughEngine::ShowDegrees() {
  FahrenheitFollowsCelsius();
  Page_.Fahrenheit.Visible = true;
  Page_.DegreeLabelsVisible = true;
  Page_.Focus = LastTemperatureEntry_;
}

// User edits.

void TWalkThroughEngine::SetEntryText(const std::string& text) { Page_.EntryText = text; }

namespace {
bool TemperatureLimitPage(TWalkPageId id) {
  return id == TWalkPageId::LowTemperature || id == TWalkPageId::HighTemperature;
}
}  // namespace

void TWalkThroughEngine::UserChangedNumber(const std::string& text) {
  Page_.Number.Text = text;
  if (TemperatureLimitPage(Page_.Id) && Result_ == TWalkResult::Running) {
    LastTemperatureEntry_ = TWalkFocus::Number;
    FahrenheitFollowsCelsius();
  } else if (Page_.Id == TWalkPageId::BatteryCount || Page_.Id == TWalkPageId::StringCount) {
    Page_.WalkThru.Enabled = Page_.Number.RoundedValue() >= 2;
  }
  Changed();
}

void TWalkThroughEngine::UserChangedFahrenheit(const std::string& text) {
  Page_.Fahrenheit.Text = text;
  if (TemperatureLimitPage(Page_.Id) && Result_ == TWalkResult::Running) {
    LastTemperatureEntry_ = TWalkFocus::Fahrenheit;
    long double fahrenheit = 0;
    if (Page_.Fahrenheit.TypedValue(fahrenheit) && fahrenheit >= 34.0L)
      Page_.Number.ShowValue(FahrenheitToCelsius(fahrenheit));
    else
      Page_.Number.Text.clear();
  }
  Changed();
}

void TWalkThroughEngine::UserSetCheck(TWalkBox box, bool checked) {
  TWalkCheck& check = Page_.Box(box);
  if (!check.Visible || !check.Enabled || Result_ != TWalkResult::Running) return;
  check.Checked = checked;
  if (box == TWalkBox::WalkThru && Page_.Id == TWalkPageId::BatteryName) {
    Page_.VoltageOnly.Visible = !checked;
    Page_.Genset.Visible = !checked;
  } else if (box == TWalkBox::WalkThru && Page_.Id == TWalkPageId::StringName) {
    if (!checked) {
      Page_.SubString.Checked = S()->HasSubStrings();
    } else if (const auto* prev = System_->FindPreviousString(BatteryIndex_, StringIndex_)) {
      Page_.SubString.Checked = prev->HasSubStrings();
    }
    Page_.SubString.Enabled = !checked;
  } else if (box == TWalkBox::ForceNewCU && checked) {
    Page_.SubString.Checked = false;
  }
  Changed();
}
