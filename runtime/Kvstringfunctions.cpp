#include "Kvstringfunctions.h"

bool IsIntegerDigit(QChar C) { return C >= QLatin1Char('0') && C <= QLatin1Char('9'); }
