#pragma once
// Character tests of the library's text handling.
#include <QChar>

// True for the decimal digits "0" to "9" (not for other scripts' digits, which numbers do not
// use).
bool IsIntegerDigit(QChar C);
