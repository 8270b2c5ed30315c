#include "model/TempConvert.h"

long double CelsiusToFahrenheit(long double celsius) { return celsius * 9 / 5 + 32; }

long double FahrenheitToCelsius(long double fahrenheit) { return (fahrenheit - 32) * 5 / 9; }
