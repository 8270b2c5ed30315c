#include "wizard/ZMPromptRules.h"

#include <cctype>
#include <cstdint>
#include <vector>

#include "common/ZMFormat.h"

namespace {
std::string Trim(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return text.substr(b, e - b);
}

bool IsDigits(const std::string& s, size_t maxLength) {
  if (s.empty() || s.size() > maxLength) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Splits at '/' or `separator`; false when a field is not 1..maxLength digits.
bool SplitNumbers(const std::string& text, char separator, std::vector<int>& fields,
                  std::vector<size_t>& lengths) {
  std::string field;
  auto flush = [&]() {
    if (!IsDigits(field, 4)) return false;
    fields.push_back(std::stoi(field));
    lengths.push_back(field.size());
    field.clear();
    return true;
  };
  for (char c : text) {
    if (c == '/' || c == separator) {
      if (!flush()) return false;
    } else {
      field += c;
    }
  }
  return flush();
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int month, int year) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}
}  // namespace

char MapEntryKey(std::uint8_t typeOfData, char typed) {
  if (typed != '.') return typed;
  if (typeOfData == gvDate) return '/';
  if (typeOfData == gvTime) return ':';
  return typed;
}

bool IsMaskedEntry(std::uint8_t typeOfData) { return typeOfData == gvPassword; }

bool EntryPassesTest(std::uint8_t typeOfData, const std::string& text, const TDateTimeChecks& checks,
                     char decimalSeparator) {
  switch (typeOfData) {
    case gvText:
    case gvPassword:
      return true;
    case gvInteger:
    case gvInteger2: {
      int v = 0;
      return TryStrToInt(text, v);
    }
    case gvReal: {
      double v = 0;
      return TryStrToFloat(text, v, decimalSeparator);
    }
    case gvDate:
      return checks.isDate && checks.isDate(text);
    case gvTime:
      return checks.isTime && checks.isTime(text);
    default:
      return false;
  }
}

TDateOrder DateOrderFromPattern(const std::string& pattern) {
  const size_t d = pattern.find_first_of("d");
  const size_t m = pattern.find_first_of("M");
  const size_t y = pattern.find_first_of("y");
  if (y != std::string::npos && (d == std::string::npos || y < d) && (m == std::string::npos || y < m))
    return TDateOrder::YMD;
  if (m != std::string::npos && (d == std::string::npos || m < d)) return TDateOrder::MDY;
  return TDateOrder::DMY;
}

char DateSeparatorFromPattern(const std::string& pattern) {
  for (char c : pattern)
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ') return c;
  return '/';
}

bool IsNumericDate(const std::string& text, TDateOrder order, char separator) {
  std::vector<int> f;
  std::vector<size_t> len;
  if (!SplitNumbers(Trim(text), separator, f, len)) return false;
  int day = 0, month = 0, year = 2000;
  if (f.size() == 2) {
    if (order == TDateOrder::MDY || order == TDateOrder::YMD) {
      month = f[0];
      day = f[1];
    } else {
      day = f[0];
      month = f[1];
    }
  } else if (f.size() == 3) {
    size_t yearLength = 0;
    switch (order) {
      case TDateOrder::DMY: day = f[0], month = f[1], year = f[2], yearLength = len[2]; break;
      case TDateOrder::MDY: month = f[0], day = f[1], year = f[2], yearLength = len[2]; break;
      case TDateOrder::YMD: year = f[0], month = f[1], day = f[2], yearLength = len[0]; break;
    }
    if (yearLength <= 2) year += 2000;
    if (year < 1) return false;
  } else {
    return false;
  }
  // Only a year may be longer than two digits.
  const size_t yearIndex = f.size() == 3 ? (order == TDateOrder::YMD ? 0 : 2) : len.size();
  for (size_t i = 0; i < len.size(); ++i)
    if (len[i] > 2 && i != yearIndex) return false;
  return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(month, year);
}

bool IsNumericTime(const std::string& text) {
  std::string t = Trim(text);
  bool twelveHour = false;
  if (t.size() >= 2) {
    std::string tail = t.substr(t.size() - 2);
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (tail == "AM" || tail == "PM") {
      twelveHour = true;
      t = Trim(t.substr(0, t.size() - 2));
    }
  }
  std::vector<std::string> parts(1);
  for (char c : t) {
    if (c == ':')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  if (parts.size() > 3 || (parts.size() == 1 && !twelveHour)) return false;
  for (size_t i = 0; i < parts.size(); ++i)
    if (!IsDigits(parts[i], 2) || (i > 0 && parts[i].size() != 2)) return false;
  const int hour = std::stoi(parts[0]);
  if (hour > (twelveHour ? 12 : 23)) return false;
  for (size_t i = 1; i < parts.size(); ++i)
    if (std::stoi(parts[i]) > 59) return false;
  return true;
}

std::string IntegerRangeMessage(int minimum, int maximum) {
  return Format("The value mut be between %d and %d, inclusive.", minimum, maximum);
}

std::string RangeMessage(double minimum, double maximum) {
  return "The value mut be between " + FormatFloatGeneral(minimum, 15) + " and " +
         FormatFloatGeneral(maximum, 15) + ", inclusive.";
}

std::string IntegerEntryError(const std::string& text, int minimum, int maximum, int& value) {
  int v = 0;
  try {
    v = StrToInt(text);
  } catch (const EConvertError& e) {
    return e.what();
  }
  if (v < minimum || v > maximum) return IntegerRangeMessage(minimum, maximum);
  value = v;
  return {};
}

int ClampToUpDown(int value) {
  if (value < INT16_MIN) return INT16_MIN;
  if (value > INT16_MAX) return INT16_MAX;
  return value;
}
