// The top, battery, string and sub-string pages of the walk-through and the
// handlers that write their answers into the model.
#include <stdexcept>

#include "common/ZMCharset.h"
#include "common/ZMFormat.h"
#include "common/ZMUserInterface.h"
#include "walkthrough/fmWalkThroughEngine.h"
#include "walkthrough/fmWalkThroughSuggest.h"

namespace {
std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

const char* const kForceBattery = "&Force this battery to be on a new Control Unit";
const char* const kForceString = "&Force this string to be on a new Control Unit";
const char* const kForceStringEach = "&Force this string on each battery to be on a new Control Unit";
}  // namespace

// A name with a comma would split its field in the configuration file, and
// the file holds only Windows-1252 characters.
bool TWalkThroughEngine::NameRefused(const std::string& name) {
  const bool comma = name.find(',') != std::string::npos;
  const std::string misfit = comma ? std::string() : FirstCharacterNotInCp1252(name);
  if (!comma && misfit.empty()) return false;
  Text_.AddLine("");
  Text_.AddLine("");
  if (comma) {
    Text_.AddLine("A name cannot contain a comma.", true);
    Text_.AddLine("");
    Text_.AddLine("The configuration file separates its fields with commas. Please enter the name without one.");
  } else {
    Text_.AddLine("A name cannot contain the character \"" + misfit + "\".", true);
    Text_.AddLine("");
    Text_.AddLine("The configuration file holds only Western European (Windows-1252) characters. "
                  "Please enter the name without it.");
  }
  UserMessages().Beep(TBeepKind::Exclamation);
  FocusEntry();
  return true;
}

void TWalkThroughEngine::ShowTopPage(int state) {
  if (state == 1) {
    Page_.Id = TWalkPageId::BatteryCount;
    SetHeading("Number of batteries on this system");
    Page_.GoBackEnabled = false;
    BatteryIndex_ = 0;
    BatteryState_ = 0;
    if (System_->BatteryCount() == 0) System_->SetBatteryCount(1);
    ShowHelp();
    ShowIntegerEntry(System_->BatteryCount(), 1, 400);
    ShowCheck(System_->AllBatteriesSame, "All batteries are the same");
    Page_.WalkThru.Enabled = System_->BatteryCount() > 1;
    AnswerHandler_ = &TWalkThroughEngine::BatteryCountAnswer;
  } else if (state == 3) {
    Page_.Id = TWalkPageId::SystemVerify;
    Page_.NextCaption = "&Finish";
    SetHeading("Verify system configuration");
    if (OnHardwareReport) OnHardwareReport();
    Page_.PrintVisible = true;
  }
}

bool TWalkThroughEngine::BatteryCountAnswer() {
  System_->AllBatteriesSame = Page_.WalkThru.Checked;
  System_->SetBatteryCount(Page_.Number.RoundedValue());
  if (System_->BatteryCount() == 0) return false;
  Level_ = TWalkLevel::Battery;
  return true;
}

void TWalkThroughEngine::ShowBatteryPage(int state) {
  TzmUPSBatterySystemNode* b = B();
  b->SelectInView();
  switch (state) {
    case 1: {
      Page_.Id = TWalkPageId::BatteryName;
      SetHeading("Name of battery #" + std::to_string(BatteryIndex_ + 1));
      Page_.LabelCaption = "Battery:";
      Page_.LabelVisible = true;
      bool copied = false;
      if (BatteryIndex_ > 0) {
        ShowHelp(true);  // the text with copying
        ShowTextEntry(b->GetShortName());
        ShowCheck(b->CopyOfPrevious, "Copy battery");
        Page_.WalkThru.Visible = !System_->AllBatteriesSame;
        Page_.ForceNewCU.Caption = kForceBattery;
        Page_.ForceNewCU.Checked = b->ForceNewControlUnit;
        Page_.ForceNewCU.Visible = true;
        copied = System_->AllBatteriesSame || Page_.WalkThru.Checked;
      } else {
        ShowHelp();
        ShowTextEntry(b->GetShortName());
        Page_.WalkThru.Checked = false;
      }
      // A copied battery takes these from the battery before it.
      Page_.VoltageOnly.Checked = b->VoltageOnly;
      Page_.Genset.Checked = b->Genset;
      Page_.VoltageOnly.Visible = !copied;
      Page_.Genset.Visible = !copied;
      AnswerHandler_ = &TWalkThroughEngine::BatteryNameAnswer;
      break;
    }
    case 2: {
      Page_.Id = TWalkPageId::StringCount;
      SetHeading("Number of strings on " + b->Name());
      StringIndex_ = 0;
      StringState_ = 0;
      if (b->StringCount() == 0) {
        int count = 1;
        if (BatteryIndex_ > 0) {
          const int before = System_->GetBattery(BatteryIndex_ - 1)->StringCount();
          if (before > 0) count = before;
        }
        b->SetChildCount(count);
        b->SelectInView();
      }
      ShowHelp();
      ShowIntegerEntry(b->StringCount(), 1, 400);
      ShowCheck(b->AllStringsSame, "All strings on this battery are the same");
      Page_.WalkThru.Enabled = b->StringCount() > 1;
      AnswerHandler_ = &TWalkThroughEngine::StringCountAnswer;
      break;
    }
    case 3:
      Page_.Id = TWalkPageId::BatteryVerify;
      SetHeading("Verify battery setup");
      if (OnBatteryReport) OnBatteryReport(*b);
      Page_.PrintVisible = true;
      break;
    default:
      throw std::runtime_error(Format("Unknown battery state : %d", state));
  }
}

bool TWalkThroughEngine::BatteryNameAnswer() {
  const std::string name = Trimmed(Page_.EntryText);
  if (NameRefused(name)) return false;
  TzmUPSBatterySystemNode* b = B();
  if (BatteryIndex_ > 0 && (Page_.WalkThru.On() || System_->AllBatteriesSame)) {
    CopyBattery(*System_->GetBattery(BatteryIndex_ - 1), *b);
    b->ForceNewControlUnit = Page_.ForceNewCU.Checked;
    b->CopyOfPrevious = true;
    BatteryState_ = 2;
  } else {
    if (Page_.VoltageOnly.Visible) b->VoltageOnly = Page_.VoltageOnly.Checked;
    if (Page_.Genset.Visible) b->Genset = Page_.Genset.Checked;
    if (Page_.ForceNewCU.Visible) b->ForceNewControlUnit = Page_.ForceNewCU.Checked;
    if (Page_.WalkThru.Visible) b->CopyOfPrevious = false;
  }
  if (!name.empty() && name != b->GetShortName()) b->SetName(name);
  b->RefreshView();
  return true;
}

bool TWalkThroughEngine::StringCountAnswer() {
  B()->AllStringsSame = Page_.WalkThru.Checked;
  B()->SetChildCount(Page_.Number.RoundedValue());
  Level_ = TWalkLevel::String;
  return true;
}

void TWalkThroughEngine::ShowStringPage(int state) {
  TzmUPSBatterySystemNode* b = B();
  TzmUPSStringSystemNode* s = S();
  s->SelectInView();
  switch (state) {
    case 1: {
      Page_.Id = TWalkPageId::StringName;
      SetHeading("Label for string #" + std::to_string(StringIndex_ + 1));
      Page_.LabelCaption = "String:";
      Page_.LabelVisible = true;
      Page_.SubString.Checked = s->HasSubStrings();
      const bool allBatteriesSame = System_->AllBatteriesSame;
      Page_.ForceNewCU.Caption = allBatteriesSame ? kForceStringEach : kForceString;
      Page_.ForceNewCU.Checked = s->ForceNewControlUnit;
      if (BatteryIndex_ == 0 && StringIndex_ == 0) {
        ShowHelp();
        ShowTextEntry(s->GetShortName());
        Page_.ForceNewCU.Visible = allBatteriesSame || b->AllStringsSame;
        Page_.WalkThru.Checked = false;
      } else {
        ShowHelp(true);  // the text with copying
        ShowTextEntry(SuggestStringName(*System_, BatteryIndex_, StringIndex_));
        ShowCheck(s->CopyOfPrevious, "Copy string");
        if (StringIndex_ == 0) {
          const TzmUPSBatterySystemNode* before = System_->GetBattery(BatteryIndex_ - 1);
          const TzmUPSStringSystemNode* first = before->GetString(0);
          Page_.WalkThru.Visible =
              (first && first->CurrentCount() >= 1) || before->Genset == b->Genset;
        } else {
          Page_.WalkThru.Visible = !b->AllStringsSame;
          const TzmUPSStringSystemNode* prev = b->GetString(StringIndex_ - 1);
          if (StringIndex_ > 1 && !b->AllStringsSame && prev->HasNumber() &&
              prev->Number == b->GetString(StringIndex_ - 2)->GetNumber()) {
            // The string before is a continuation segment: nothing to copy.
            Page_.WalkThru.Visible = false;
            Page_.WalkThru.Checked = false;
          }
        }
        Page_.ForceNewCU.Visible =
            allBatteriesSame || !(StringIndex_ == 0 && b->ForceNewControlUnit);
      }
      Page_.SubString.Visible =
          StringIndex_ == 0 || (!Page_.WalkThru.On() && !b->AllStringsSame);
      Page_.SubString.Enabled = !Page_.WalkThru.On();
      AnswerHandler_ = &TWalkThroughEngine::StringNameAnswer;
      break;
    }
    case 2:
      Page_.Id = TWalkPageId::StringChannels;
      if (s->HasSubStrings()) {
        SetHeading("Number of sub-strings in " + s->Name());
        ShowHelp(true);  // the sub-string count's text
        ShowUseDefaults(s->UseChannelDefaults);
        ShowIntegerEntry(s->SubStringCount(), 2, 200);
        AnswerHandler_ = &TWalkThroughEngine::SubStringCountAnswer;
      } else {
        SetHeading("Number of monitoring points (channels) on " + s->Name());
        if (s->CellsGroup()) s->CellsGroup()->SelectInView();
        ShowHelp();
        ShowUseDefaults(s->UseChannelDefaults);
        ShowIntegerEntry(SuggestChannelCount(*System_, *s), 0, 4000);
        AnswerHandler_ = &TWalkThroughEngine::StringChannelsAnswer;
      }
      if (BatteryIndex_ > 0 && b->VoltageOnly != System_->GetBattery(BatteryIndex_ - 1)->VoltageOnly) {
        Page_.Clone.Checked = false;
        Page_.Clone.Visible = false;
      }
      break;
    case 3:
      Page_.Id = TWalkPageId::StringProbe;
      SetHeading("Does " + s->Name() + " have a current probe");
      if (s->CurrentsGroup()) s->CurrentsGroup()->SelectInView();
      ShowHelp();
      ShowCheck(SuggestCurrentProbe(*System_, *s) >= 1, "String has current probe");
      AnswerHandler_ = &TWalkThroughEngine::StringProbeAnswer;
      break;
    case 4:
      Page_.Id = TWalkPageId::StringSensors;
      SetHeading("Number of temperature sensors on " + s->Name());
      if (s->TemperaturesGroup()) s->TemperaturesGroup()->SelectInView();
      ShowHelp();
      ShowIntegerEntry(SuggestTemperatureCount(*System_, *s), 0, 4);
      AnswerHandler_ = &TWalkThroughEngine::StringSensorsAnswer;
      break;
    default:
      throw std::runtime_error(Format("Unknown string state : %d", state));
  }
}

void TWalkThroughEngine::ShowUseDefaults(bool checked) {
  Page_.Clone.Checked = false;
  const TzmUPSCellSystemNode* c = ChannelDefaultsSource(*System_, *S());
  if (!c) {
    Page_.Clone.Visible = false;
    return;
  }
  Page_.Clone.Caption = "Use : " + DescribeChannelDefaults(*c);
  Page_.Clone.Checked = checked;
  Page_.Clone.Visible = true;
}

bool TWalkThroughEngine::StringNameAnswer() {
  const std::string name = Trimmed(Page_.EntryText);
  if (NameRefused(name)) return false;
  TzmUPSStringSystemNode* s = S();
  if (Page_.ForceNewCU.Visible) s->ForceNewControlUnit = Page_.ForceNewCU.Checked;
  if (Page_.WalkThru.Visible) s->CopyOfPrevious = Page_.WalkThru.Checked;
  if (!name.empty() && name != s->GetShortName()) s->SetName(name);
  const bool copy = Page_.WalkThru.On() || (StringIndex_ >= 1 && B()->AllStringsSame);
  const TzmUPSStringSystemNode* prev = System_->FindPreviousStringOf(s);
  if (copy && prev) {
    const bool force = s->ForceNewControlUnit;  // the copy overwrites it
    CopyString(*prev, *s);
    s->ForceNewControlUnit = force;
    s->RefreshView();
    StringState_ = 4;
    return true;
  }
  if (Page_.SubString.Visible) s->SetSubStringsEnabled(Page_.SubString.Checked);
  s->RefreshView();
  return true;
}

void TWalkThroughEngine::TakeChannelDefaults() {
  const TzmUPSStringSystemNode* earlier = FindEarlierStringWithChannel(*System_, *S());
  if (!earlier) return;
  const TzmUPSCellSystemNode& source = *earlier->GetCell(0);
  ForEachChannel([&source](TzmUPSCellSystemNode& c) { c.AssignSettings(source); });
}

bool TWalkThroughEngine::SubStringCountAnswer() {
  S()->UseChannelDefaults = Page_.Clone.On();
  S()->SetSubStringCount(Page_.Number.RoundedValue());
  SubStringIndex_ = 0;
  SubStringState_ = 0;
  Level_ = TWalkLevel::SubString;
  return true;
}

bool TWalkThroughEngine::StringChannelsAnswer() {
  TzmUPSStringSystemNode* s = S();
  s->UseChannelDefaults = Page_.Clone.On();
  s->SetCellCount(Page_.Number.RoundedValue());
  if (s->CellCount() > 0) {
    if (s->UseChannelDefaults && FindEarlierStringWithChannel(*System_, *s)) {
      TakeChannelDefaults();
    } else {
      ChannelState_ = 0;
      Level_ = TWalkLevel::Channel;
    }
  }
  return true;
}

bool TWalkThroughEngine::StringProbeAnswer() {
  TzmUPSStringSystemNode* s = S();
  CurrentIndex_ = 0;
  if (!Page_.WalkThru.Checked) {
    s->SetCurrentCount(0);
  } else {
    s->SetCurrentCount(1);
    CurrentState_ = 0;
    Level_ = TWalkLevel::Current;
  }
  if (StringIndex_ == B()->StringCount() - 1 && !BatteryProbeCheck()) {
    Level_ = TWalkLevel::String;
    return false;
  }
  return true;
}

bool TWalkThroughEngine::BatteryProbeCheck() {
  const TzmUPSBatterySystemNode* b = B();
  if (b->Genset || b->TotalCurrentCount() >= 1) return true;
  UserMessages().Beep(TBeepKind::Exclamation);
  Text_.AddLine("");
  Text_.AddLine("");
  Text_.AddLine("Every battery must have at least one string with a current probe!", true);
  Text_.AddLine("");
  Text_.AddLine("Without at least one string with a current probe, the battery will never see or record a discharge.");
  Text_.AddLine("");
  FocusEntry();
  return false;
}

bool TWalkThroughEngine::StringSensorsAnswer() {
  TzmUPSStringSystemNode* s = S();
  TemperatureIndex_ = 0;
  const int count = Page_.Number.RoundedValue();
  s->SetTemperatureCount(count);
  if (count > 0) {
    TemperatureState_ = 0;
    Level_ = TWalkLevel::Temperature;
    return true;
  }
  return EmptyStringCheck();
}

bool TWalkThroughEngine::EmptyStringCheck() {
  const TzmUPSStringSystemNode* s = S();
  if (s->CurrentCount() > 0 || s->CellCount() > 0) return true;
  Text_.ClearText();
  UserMessages().Beep(TBeepKind::Exclamation);
  Text_.AddLine("There must be something (current probe, temperature sensor and/or monitored cells) on a string!", true);
  Text_.AddLine("");
  Text_.AddLine("If you do not need this string, go back and reduce the number of strings on the battery. Otherwise, add something to the string.");
  Text_.AddLine("");
  Text_.AddLine("This is still where you would add the number of temperature sensors on the string. If you want to add monitored blocks or a current probe, use the back button to get to the appropriate place.");
  FocusEntry();
  return false;
}

void TWalkThroughEngine::ShowSubStringPage() {
  Page_.Id = TWalkPageId::SubStringChannels;
  SetHeading(Format("Channels in %s sub-string of %s", OrdinalWord(SubStringIndex_ + 1).c_str(),
                    S()->Name().c_str()));
  ShowHelp();
  ShowIntegerEntry(SuggestSubStringChannels(*S(), SubStringIndex_), 1, 4000);
  AnswerHandler_ = &TWalkThroughEngine::SubStringChannelsAnswer;
}

bool TWalkThroughEngine::SubStringChannelsAnswer() {
  S()->SetSubStringCells(SubStringIndex_, Page_.Number.RoundedValue());
  S()->RefreshView();
  return true;
}
