// The number readers: the conversions, the prompts' entry rules and the alarm
// dialog's typed boxes take any text without harm, and agree with each other.
#include <cmath>

#include "FuzzSupport.h"
#include "alarms/fmAlarmSetLogic.h"
#include "common/ZMFormat.h"
#include "wizard/ZMPromptRules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TFuzzBytes in(data, size);
  const char separator = in.Bool() ? ',' : '.';
  const std::string text = in.Text(40);

  double d = 0;
  const bool isFloat = TryStrToFloat(text, d, separator);
  try {
    const double thrown = StrToFloat(text, separator);
    FUZZ_CHECK(isFloat && (thrown == d || (std::isnan(thrown) && std::isnan(d))));
  } catch (const EConvertError&) {
    FUZZ_CHECK(!isFloat);
  }
  int i = 0;
  const bool isInt = TryStrToInt(text, i);
  try {
    FUZZ_CHECK(StrToInt(text) == i && isInt);
  } catch (const EConvertError&) {
    FUZZ_CHECK(!isInt);
  }
  if (isInt) {
    int back = 0;
    FUZZ_CHECK(TryStrToInt(std::to_string(i), back) && back == i);
  }

  const int low = in.Below(300) - 100;
  const int high = low + in.Below(300);
  int value = 0;
  if (IntegerEntryError(text, low, high, value).empty()) FUZZ_CHECK(value >= low && value <= high);
  const TDateTimeChecks checks{[](const std::string&) { return true; }, [](const std::string&) { return true; }};
  EntryPassesTest(in.Byte() % 10, text, checks, separator);
  IsNumericDate(text, DateOrderFromPattern(in.Text()), separator);
  IsNumericTime(text);
  for (int k = 0; k < 4; ++k) MapEntryKey(static_cast<std::uint8_t>(k), static_cast<char>(in.Byte()));

  TFuzzUserInterface ui(in);
  const char before = DecimalSeparator();
  SetDecimalSeparator(separator);
  {
    TAlarmSettingsLogic alarms(TSettingsFileLocation::Fixed("/nonexistent/zm_fuzz.ini"));
    alarms.PrepareShow(in.Bool());
    const TAlarmBox box = static_cast<TAlarmBox>(in.Below(abCount));
    alarms.BoxEdited(box, text);
    alarms.BoxExited(box);
    alarms.OtherVChanged(in.Text(12));
    alarms.ChooseCellType(static_cast<TCellType>(in.Below(5)));
    if (alarms.CheckOK())
      for (int b = 0; b < abCount; ++b) FUZZ_CHECK(!std::isnan(alarms.Limit(static_cast<TAlarmBox>(b))));
    else
      alarms.Cancelled();
  }
  SetDecimalSeparator(before);
  return 0;
}
