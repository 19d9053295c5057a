#pragma once
// Date-time values are days since 1899-12-30 with the time as the fraction, as form files
// store them; time spans are days too.
#include <QDateTime>
#include <QString>

// How dates and times are written and read: Qt format patterns ("dd.MM.yyyy", "HH:mm:ss").
// Taken from the user's locale on first use; tests and hosts may set them.
struct TFormatSettings {
    QString ShortDateFormat;
    QString LongTimeFormat;
};
TFormatSettings &FormatSettings();

QDateTime DoubleToDateTime(double Value);
double DateTimeToDouble(const QDateTime &Value);
// Text of a date-time value by FormatSettings: short date, then the long time unless it is
// midnight.
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
