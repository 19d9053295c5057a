#pragma once
// Date-time values are days since 1899-12-30 with the time as the fraction, as form files
// store them; time spans are days too.
#include <QDateTime>
#include <QString>

#include "SysUtils.h" // FormatSettings: the date, time and number formats

QDateTime DoubleToDateTime(double Value);
double DateTimeToDouble(const QDateTime &Value);
// The values that are dates: years 1 to 9999.
constexpr double MinDateTime = -693593.0;        // 0001-01-01
constexpr double MaxDateTime = 2958466.0;        // 10000-01-01, excluded
bool IsDateTimeValue(double Value);
// Text of a date-time value by FormatSettings: short date, then the long time unless it is
// midnight. A value that is no date (not a number, beyond the years 1 to 9999) is written as
// the number (FloatToStr), so that showing it never fails.
QString DateTimeToStr(double Value);
// Reads a date in the order of the short date format (day, month and year of one or more
// digits, a two-digit year in the 50-year window around today), optionally followed by a time
// "h:m[:s[.zzz]]" with AM/PM; raises EConvertError otherwise.
double StrToDateTime(const QString &Text);
// DateTimeToStr; reading also accepts ISO texts.
QString DateTimeToText(double Value);
double TextToDateTime(const QString &Text);
// Time spans as "[d.]hh:mm:ss[.zzz]"; negative spans start with "-".
QString DoubleToTimeSpanStr(double Value);
// Reads "[-][d.]hh:mm[:ss[.fff]]" or a plain number of days; raises EConvertError otherwise.
double DoubleFomTimeSpanStr(const QString &Text);
