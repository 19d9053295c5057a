#pragma once
// Date-time values are days since 1899-12-30 with the time as the fraction, as form files
// store them: the whole days count from that day (back for a negative value) and the fraction's
// size is the time of day in either case, so -1.25 is 29 Dec 1899 06:00 and the days between -1
// and 0 are 30 Dec 1899 as well. Time spans are days too.
#include <QDateTime>
#include <QString>

#include "SysUtils.h" // FormatSettings: the date, time and number formats

// A value's day (from the epoch) and its time of day, rounded to the millisecond.
struct TDateTimeParts {
    qint64 Day = 0;
    int MsOfDay = 0;
};
TDateTimeParts SplitDateTime(double Value);
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
// "h:m[:s[.zzz]]" with AM/PM; raises EConvertError otherwise, and for years outside 1 to 9999.
double StrToDateTime(const QString &Text);
// DateTimeToStr; reading also accepts ISO texts.
QString DateTimeToText(double Value);
double TextToDateTime(const QString &Text);
// Time spans as "[d.]hh:mm:ss[.zzz]"; negative spans start with "-". Beyond 10^7 days (where a
// double no longer holds the millisecond) the span is written as its number of days
// (FloatToStr).
QString DoubleToTimeSpanStr(double Value);
// Reads "[-][d.]hh:mm[:ss[.fff]]" or a plain number of days; raises EConvertError otherwise.
double DoubleFomTimeSpanStr(const QString &Text);
