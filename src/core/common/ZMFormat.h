#pragma once
// Number texts shared by the whole program: the general number format, the
// platform-style conversions with their error texts, and rounding of whole numbers.
#include <stdexcept>
#include <string>

// The decimal separator of the user's locale. The GUI sets it at start-up;
// it is '.' until then (and in tests).
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// A double written with at most `precision` significant digits: trailing zeros
// and a needless decimal point removed; plain notation while the value has at most
// `precision` digits before the point and is not below 0.00001 in magnitude (or
// is 0), scientific notation otherwise ("1.5E+05", at least `expDigits` exponent
// digits). NaN and infinities read "NAN", "INF" and "-INF".
std::string FormatFloatGeneral(double value, int precision, int expDigits = 2,
                               char decimalSeparator = DecimalSeparator());
// The same for an extended value, rounded once from all its digits.
std::string FormatExtendedGeneral(long double value, int precision, int expDigits = 2,
                                  char decimalSeparator = DecimalSeparator());

// The conversion error raised when typed text is not a number.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "'%s' is not a valid floating point value" on failure. Leading and trailing
// blanks are allowed; the decimal separator is the one passed in.
double StrToFloat(const std::string& text, char decimalSeparator = DecimalSeparator());
bool TryStrToFloat(const std::string& text, double& value,
                   char decimalSeparator = DecimalSeparator());

// "'%s' is not a valid integer value" on failure. Decimal, or hexadecimal after
// "$" or "0x"; must fit 32 bits.
int StrToInt(const std::string& text);
bool TryStrToInt(const std::string& text, int& value);

// Nearest integer, an exact half going to the even neighbour. Values outside the
// 64-bit range are clamped.
long long RoundHalfEven(long double value);

// printf-style formatting into a std::string (used for the program's messages).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
