#pragma once
// Temperature conversion in extended precision.

long double CelsiusToFahrenheit(long double celsius);
long double FahrenheitToCelsius(long double fahrenheit);
