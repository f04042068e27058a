#pragma once

#include <QString>
#include <cstdint>

// The leading-number rule by which settings and skin texts become numbers:
// blanks, tabs and line feeds anywhere are ignored; then a decimal number
// (sign, digits, one full stop, exponent with E) or &H hex / &O octal is read
// up to the first other character. No leading number gives 0. The full stop is
// the decimal point whatever the locale.
double leadingNumber(const QString& text);

// Rounds half to even into a 16-bit integer. Out of range or not finite: the
// conversion fails, `target` keeps its value and false is returned.
bool toInt16(double value, std::int16_t& target);

// The same for a 32-bit integer (pixel geometry).
bool toInt32(double value, int& target);

// Round half to even without any range check; callers check the range first.
double roundHalfEven(double value);
