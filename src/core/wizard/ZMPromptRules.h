#pragma once
// The rules behind the value prompts, kept free of widgets: which kind of value
// an entry must hold, how a typed key is mapped, and the checks made on OK.
#include <cstdint>
#include <functional>
#include <string>

// Kinds of value a TfmGetValue entry may hold (its typeOfData).
enum : std::uint8_t {
  gvText = 0,
  gvInteger = 1,
  gvInteger2 = 2,
  gvReal = 3,
  gvDate = 4,
  gvTime = 5,
  gvPassword = 6,
  // 7 and above: no entry is ever accepted.
};

// The character a typed character becomes in the entry: "." turns into the date
// separator "/" for dates and into the time separator ":" for times.
char MapEntryKey(std::uint8_t typeOfData, char typed);

// Whether the entry hides what is typed (one '*' per character).
bool IsMaskedEntry(std::uint8_t typeOfData);

// The platform's date and time conversions used by the entry test.
struct TDateTimeChecks {
  std::function<bool(const std::string&)> isDate;
  std::function<bool(const std::string&)> isTime;
};

// The test made on OK: text and password always pass, integers and real numbers
// must convert (decimal separator `decimalSeparator`), dates and times must pass
// the given checks, and kinds 7 and above never pass.
bool EntryPassesTest(std::uint8_t typeOfData, const std::string& text, const TDateTimeChecks& checks,
                     char decimalSeparator);

// The order of day, month and year in a short date pattern such as "dd/MM/yyyy".
enum class TDateOrder { DMY, MDY, YMD };
TDateOrder DateOrderFromPattern(const std::string& pattern);
// The first separator character of a date pattern ('/' when it has none).
char DateSeparatorFromPattern(const std::string& pattern);

// A numeric date: "day/month/year" in the given order, or day and month alone.
// Fields are separated by '/' or `separator`; years of one or two digits are
// taken as 2000 onwards.
bool IsNumericDate(const std::string& text, TDateOrder order, char separator = '/');

// A time "h:mm" or "h:mm:ss", 24-hour, or 12-hour with "AM" / "PM" (then the
// minutes may be left out).
bool IsNumericTime(const std::string& text);

// The integer prompt's OK test. Returns an empty text and sets `value` when the
// entry is an integer within [minimum, maximum]; otherwise returns the message
// to show: the conversion error, or the range message.
std::string IntegerEntryError(const std::string& text, int minimum, int maximum, int& value);
std::string IntegerRangeMessage(int minimum, int maximum);
// The same message for a box of any range, its ends in the general number format.
std::string RangeMessage(double minimum, double maximum);

// Up-downs hold 16-bit positions.
int ClampToUpDown(int value);
