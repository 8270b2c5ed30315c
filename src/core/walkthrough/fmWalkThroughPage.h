#pragma once
// What the walk-through window shows: one plain description of the current
// page that the window renders, and the number box behind the alarm entries.
#include <string>

// Which question is on display.
enum class TWalkPageId {
  Start,            // top page 0
  BatteryCount,     // top page 1
  NoPage,           // top state 2: entries hidden, heading and text kept
  SystemVerify,     // top page 3
  BatteryName,      // battery page 1
  StringCount,      // battery page 2
  BatteryVerify,    // battery page 3
  StringName,       // string page 1
  StringChannels,   // string page 2
  StringProbe,      // string page 3
  StringSensors,    // string page 4
  SubStringChannels,
  BlocksPerChannel,  // channel page 1
  LowVoltage,
  HighVoltage,
  LowOhmic,
  HighOhmic,
  Discharge,  // current page 1
  Charge,     // current page 2
  SensorName,  // temperature page 1
  LowTemperature,
  HighTemperature,
};

// The entry a page asks with.
enum class TWalkEntryKind { None, Text, WholeNumber, AlarmValue };

// The check boxes of the window.
enum class TWalkBox { WalkThru, ForceNewCU, SubString, Clone, VoltageOnly, Genset };

// The control that has the focus.
enum class TWalkFocus { Next, Text, Number, Fahrenheit, WalkThruCheck };

struct TWalkCheck {
  std::string Caption;
  bool Visible = false;
  bool Enabled = true;
  bool Checked = false;
  // Shown and ticked: what a handler may act on.
  bool On() const { return Visible && Checked; }
};

// A number box with up and down buttons. Its text is what it holds: a blank
// text is a blank box; the value is the text's number kept within the range
// (text that is no number reads as the minimum). Answers are checked with
// Accepts before they are read, so a typed value is never bent into the range.
struct TWalkNumberBox {
  std::string Text;
  long double Min = 0;
  long double Max = 0;
  bool WholeNumbers = true;
  bool Visible = false;

  bool IsBlank() const;
  long double Value() const;
  // The number of the text as typed, outside the range too; false when the
  // text is no number.
  bool TypedValue(long double& value) const;
  // The text is a number within the range (for whole numbers: once rounded);
  // a blank box passes only when `blankAllowed`.
  bool Accepts(bool blankAllowed) const;
  // The value rounded to the nearest integer, halves to even.
  int RoundedValue() const;
  // Sets the value kept within the range, shown in the box's mode.
  void SetValue(long double value);
  // Shows the value in the box's mode as it is, without the range.
  void ShowValue(long double value);
  // Sets the range, never letting the minimum exceed the maximum on the way.
  void SetRange(long double minimum, long double maximum);
};

// Reads and writes an alarm limit through a number box: a blank box means the
// limit is not used (-1), and a negative value blanks the box. The box is not owned.
class TSpinAlarm {
 public:
  static TSpinAlarm CreateFor(TWalkNumberBox& box) { return TSpinAlarm(box); }
  long double GetAlarmValue() const;
  void SetAlarmValue(long double value);

 private:
  explicit TSpinAlarm(TWalkNumberBox& box) : box_(&box) {}
  TWalkNumberBox* box_;
};

struct TWalkPage {
  TWalkPageId Id = TWalkPageId::Start;
  std::string Heading;
  // Help resource the page put into the text area; empty on pages without
  // one (the reports, and the empty page that keeps the text before it).
  std::string HelpName;

  // lblBatStr and the text box ebWalkThru.
  std::string LabelCaption = "Battery:";
  bool LabelVisible = false;
  std::string EntryText;
  bool TextVisible = false;

  // rxspinWalkThru (degrees C on temperature pages) and rxspinFarenheit with
  // the two unit labels, shown together on temperature limit pages.
  TWalkNumberBox Number;
  TWalkNumberBox Fahrenheit{"33", 33, 200, false, false};
  bool DegreeLabelsVisible = false;

  TWalkCheck WalkThru{"Same as previous"};
  TWalkCheck ForceNewCU{"&Force this string to be on a new Control Unit"};
  TWalkCheck SubString{"Has sub-strings"};
  TWalkCheck Clone{"Use : "};
  TWalkCheck VoltageOnly{"Voltage only"};
  TWalkCheck Genset{"Genset kit"};

  bool PrintVisible = false;
  bool CurrentScalingVisible = false;
  std::string CurrentScalingCaption = "Change c&urrent scaling";

  std::string NextCaption = "&Next";
  bool GoBackEnabled = false;
  TWalkFocus Focus = TWalkFocus::Next;

  // Text box, number box in whole-number mode, or number box holding an
  // alarm limit (blank = limit not used).
  TWalkEntryKind Entry() const {
    if (Number.Visible)
      return Number.WholeNumbers ? TWalkEntryKind::WholeNumber : TWalkEntryKind::AlarmValue;
    return TextVisible ? TWalkEntryKind::Text : TWalkEntryKind::None;
  }

  const TWalkCheck& Box(TWalkBox box) const;
  TWalkCheck& Box(TWalkBox box);
};
