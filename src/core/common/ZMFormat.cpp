#include "ZMFormat.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {
char gDecimalSeparator = '.';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}
}  // namespace

char DecimalSeparator() { return gDecimalSeparator; }
void SetDecimalSeparator(char separator) { gDecimalSeparator = separator ? separator : '.'; }

std::string FormatFloatGeneral(double value, int precision, int expDigits, char decimalSeparator) {
  // Widening a double is exact, so its digits are the same either way.
  return FormatExtendedGeneral(value, precision, expDigits, decimalSeparator);
}

std::string FormatExtendedGeneral(long double value, int precision, int expDigits,
                                  char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;

  // Let the C library do the correctly rounded digit generation.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*Le", precision - 1, value);
  std::string s(buf);
  const bool negative = s[0] == '-';
  if (negative) s.erase(0, 1);
  const size_t ePos = s.find('e');
  const int exponent = std::atoi(s.c_str() + ePos + 1);
  std::string digits;
  for (size_t i = 0; i < ePos; ++i)
    if (s[i] >= '0' && s[i] <= '9') digits += s[i];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= precision || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) {
      out += decimalSeparator;
      out.append(digits, 1, std::string::npos);
    }
    const std::string e = std::to_string(std::abs(exponent));
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    if (static_cast<int>(e.size()) < expDigits) out.append(static_cast<size_t>(expDigits) - e.size(), '0');
    out += e;
  } else if (exponent < 0) {
    out += '0';
    out += decimalSeparator;
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    const size_t intDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= intDigits) {
      out += digits;
      out.append(intDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, intDigits);
      out += decimalSeparator;
      out.append(digits, intDigits, std::string::npos);
    }
  }
  return out;
}

bool TryStrToFloat(const std::string& text, double& value, char decimalSeparator) {
  const std::string t = Trim(text);
  // Accept: [sign] digits [sep digits] [(e|E) [sign] digits], with at least one mantissa digit.
  std::string normal;
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
  int mantissaDigits = 0;
  while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) normal += t[i++], ++mantissaDigits;
  if (i < t.size() && t[i] == decimalSeparator) {
    normal += '.';
    ++i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) normal += t[i++], ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    normal += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) normal += t[i++];
    int expDigits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) normal += t[i++], ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != t.size()) return false;
  const char* begin = normal.c_str();
  if (*begin == '+') ++begin;
  double v = 0;
  const auto [ptr, ec] = std::from_chars(begin, normal.c_str() + normal.size(), v);
  if (ec != std::errc() || ptr != normal.c_str() + normal.size()) return false;
  if (!std::isfinite(v)) return false;
  value = v;
  return true;
}

double StrToFloat(const std::string& text, char decimalSeparator) {
  double v = 0;
  if (!TryStrToFloat(text, v, decimalSeparator))
    throw EConvertError("'" + text + "' is not a valid floating point value");
  return v;
}

bool TryStrToInt(const std::string& text, int& value) {
  std::string t = Trim(text);
  bool negative = false;
  size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  // One sign only, before any "$" or "0x": the digits must follow directly.
  if (i >= t.size() || !std::isxdigit(static_cast<unsigned char>(t[i]))) return false;
  long long v = 0;
  const auto [ptr, ec] = std::from_chars(t.data() + i, t.data() + t.size(), v, base);
  if (ec != std::errc() || ptr != t.data() + t.size()) return false;
  if (negative) v = -v;
  if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
  value = static_cast<int>(v);
  return true;
}

int StrToInt(const std::string& text) {
  int v = 0;
  if (!TryStrToInt(text, v)) throw EConvertError("'" + text + "' is not a valid integer value");
  return v;
}

long long RoundHalfEven(long double value) {
  if (std::isnan(value)) return 0;
  constexpr long double kMax = 9.2e18L;
  if (value > kMax) return static_cast<long long>(kMax);
  if (value < -kMax) return -static_cast<long long>(kMax);
  const long double floorV = std::floor(value);
  const long double diff = value - floorV;
  long long r = static_cast<long long>(floorV);
  if (diff > 0.5L || (diff == 0.5L && (r % 2 != 0))) ++r;
  return r;
}

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
  }
  va_end(args);
  return out;
}
