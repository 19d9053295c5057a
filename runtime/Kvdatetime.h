#pragma once
// Date-time values are days since 1899-12-30 with the time as the fraction, as form files
// store them; time spans are days too.
#include <QDateTime>
#include <QString>

QDateTime DoubleToDateTime(double Value);
double DateTimeToDouble(const QDateTime &Value);
// Text of a date-time value: short date, then the time unless it is midnight.
QString DateTimeToText(double Value);
// Reads what DateTimeToText writes (and ISO texts); raises EConvertError otherwise.
double TextToDateTime(const QString &Text);
// Time spans as "[d.]hh:mm:ss[.zzz]"; negative spans start with "-".
QString DoubleToTimeSpanStr(double Value);
// Reads "[-][d.]hh:mm[:ss[.fff]]" or a plain number of days; raises EConvertError otherwise.
double DoubleFomTimeSpanStr(const QString &Text);
