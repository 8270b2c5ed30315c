#include "walkthrough/fmWalkThroughPage.h"

#include <algorithm>

#include "common/ZMFormat.h"

namespace {
std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}
}  // namespace

bool TWalkNumberBox::IsBlank() const { return Trimmed(Text).empty(); }

bool TWalkNumberBox::TypedValue(long double& value) const {
  double v = 0;
  if (!TryStrToFloat(Trimmed(Text), v)) return false;
  value = v;
  return true;
}

bool TWalkNumberBox::Accepts(bool blankAllowed) const {
  if (IsBlank()) return blankAllowed;
  long double v = 0;
  if (!TypedValue(v)) return false;
  if (WholeNumbers) v = static_cast<long double>(RoundHalfEven(v));
  return v >= Min && v <= Max;
}

long double TWalkNumberBox::Value() const {
  long double v = 0;
  if (!TypedValue(v)) return Min;
  if (Max < Min) return v;
  return std::clamp(v, Min, Max);
}

int TWalkNumberBox::RoundedValue() const { return static_cast<int>(RoundHalfEven(Value())); }

void TWalkNumberBox::SetValue(long double value) {
  if (Min <= Max) value = std::clamp(value, Min, Max);
  ShowValue(value);
}

void TWalkNumberBox::ShowValue(long double value) {
  if (WholeNumbers)
    Text = std::to_string(RoundHalfEven(value));
  else
    Text = FormatFloatGeneral(static_cast<double>(value), 15);
}

void TWalkNumberBox::SetRange(long double minimum, long double maximum) {
  // Raise the maximum first when the new range lies above the old one.
  if (minimum > Max) {
    Max = maximum;
    Min = minimum;
  } else {
    Min = minimum;
    Max = maximum;
  }
}

long double TSpinAlarm::GetAlarmValue() const { return box_->IsBlank() ? -1.0L : box_->Value(); }

void TSpinAlarm::SetAlarmValue(long double value) {
  box_->SetValue(value);
  if (value < 0) box_->Text.clear();
}

const TWalkCheck& TWalkPage::Box(TWalkBox box) const {
  switch (box) {
    case TWalkBox::WalkThru: return WalkThru;
    case TWalkBox::ForceNewCU: return ForceNewCU;
    case TWalkBox::SubString: return SubString;
    case TWalkBox::Clone: return Clone;
    case TWalkBox::VoltageOnly: return VoltageOnly;
    case TWalkBox::Genset: return Genset;
  }
  return WalkThru;
}

TWalkCheck& TWalkPage::Box(TWalkBox box) {
  return const_cast<TWalkCheck&>(static_cast<const TWalkPage&>(*this).Box(box));
}
