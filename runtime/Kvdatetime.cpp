#include "Kvdatetime.h"

#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

#include "SysUtils.h"

static const QDateTime &Epoch()
{
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return e;
}

TDateTimeParts SplitDateTime(double Value)
{
    // The whole days count from the epoch (back for a negative value); the fraction is the time
    // of that day whatever the sign, so -1.25 is 29 Dec 1899 06:00. What is far beyond any
    // date (or no number) counts as the epoch; callers that show dates check IsDateTimeValue.
    if (!(std::fabs(Value) < 1e12))
        return {};
    const double days = std::trunc(Value);
    qint64 ms = std::llround(std::fabs(Value - days) * 86400000.0);
    qint64 day = qint64(days);
    if (ms >= 86400000) { // rounded up to the next midnight
        ms -= 86400000;
        ++day;
    }
    return {day, int(ms)};
}

QDateTime DoubleToDateTime(double Value)
{
    const TDateTimeParts p = SplitDateTime(Value);
    return QDateTime(Epoch().date().addDays(p.Day), QTime::fromMSecsSinceStartOfDay(p.MsOfDay), Qt::UTC);
}

double DateTimeToDouble(const QDateTime &Value)
{
    const double days = double(Epoch().date().daysTo(Value.date()));
    const double time = Value.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? days - time : days + time;
}

bool IsDateTimeValue(double Value) { return Value >= MinDateTime && Value < MaxDateTime; }

QString DateTimeToStr(double Value)
{
    if (!IsDateTimeValue(Value))
        return FloatToStr(Value);
    const QDateTime dt = DoubleToDateTime(Value);
    const TFormatSettings &fs = FormatSettings();
    QString s = dt.date().toString(fs.ShortDateFormat);
    // Midnight as the text shows the time: a time below what the format shows would write
    // "00:00:00" for a value whose text, read back, is midnight and shows no time.
    const QString time = dt.time().toString(fs.LongTimeFormat);
    if (time != QTime(0, 0).toString(fs.LongTimeFormat))
        s += QLatin1Char(' ') + time;
    return s;
}

namespace {
[[noreturn]] void invalidDateTime(const QString &Text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(Text));
}

// Day, month and year as numbers in the order of the short date format (Qt's own reading would
// put two-digit years into the 1900s); a text with month names is read by the pattern itself.
QDate readDate(const QString &Text, const QString &Format)
{
    static const QRegularExpression parts(QStringLiteral("^(\\d+)[^\\w]+(\\d+)[^\\w]+(\\d+)$"));
    const QRegularExpressionMatch m = parts.match(Text);
    const int di = Format.indexOf(QLatin1Char('d')), mi = Format.indexOf(QLatin1Char('M')),
              yi = Format.indexOf(QLatin1Char('y'));
    if (!m.hasMatch() || di < 0 || mi < 0 || yi < 0)
        return QDate::fromString(Text, Format);
    auto rank = [&](int i) { return int(i > di) + int(i > mi) + int(i > yi); };
    const int day = m.captured(1 + rank(di)).toInt(), month = m.captured(1 + rank(mi)).toInt();
    const QString yearText = m.captured(1 + rank(yi));
    int year = yearText.toInt();
    if (yearText.size() <= 2) {
        // Two-digit years fall into the 50 years before and after the current year.
        const int now = QDate::currentDate().year();
        year += now / 100 * 100;
        if (year > now + 50)
            year -= 100;
        else if (year <= now - 50)
            year += 100;
    }
    return QDate(year, month, day);
}
} // namespace

double StrToDateTime(const QString &Text)
{
    const QString t = Text.trimmed();
    if (t.isEmpty())
        invalidDateTime(Text);
    static const QRegularExpression timeAtEnd(
        QStringLiteral("^(.*?)\\s*(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2})(?:[.,](\\d{1,3}))?)?\\s*(AM|PM)?$"),
        QRegularExpression::CaseInsensitiveOption);
    QString datePart = t;
    QTime time(0, 0);
    const QRegularExpressionMatch m = timeAtEnd.match(t);
    if (m.hasMatch()) {
        int h = m.captured(2).toInt();
        const QString ampm = m.captured(6).toUpper();
        if (!ampm.isEmpty()) {
            if (h < 1 || h > 12)
                invalidDateTime(Text);
            h = h % 12 + (ampm == QLatin1String("PM") ? 12 : 0);
        }
        time = QTime(h, m.captured(3).toInt(), m.captured(4).toInt(),
                     m.captured(5).leftJustified(3, QLatin1Char('0')).toInt());
        if (!time.isValid())
            invalidDateTime(Text);
        datePart = m.captured(1);
    }
    QDate date(1899, 12, 30); // a time alone is a time of day 0
    if (!datePart.isEmpty()) {
        date = readDate(datePart, FormatSettings().ShortDateFormat);
        // Dates are those of the years 1 to 9999, as the IDE's encoding has them.
        if (!date.isValid() || date.year() < 1 || date.year() > 9999)
            invalidDateTime(Text);
    }
    return DateTimeToDouble(QDateTime(date, time, Qt::UTC));
}

QString DateTimeToText(double Value) { return DateTimeToStr(Value); }

double TextToDateTime(const QString &Text)
{
    try {
        return StrToDateTime(Text);
    } catch (const EConvertError &) {
        for (const char *iso : {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"}) {
            const QDateTime dt = QDateTime::fromString(Text.trimmed(), QString::fromLatin1(iso));
            if (dt.isValid() && dt.date().year() >= 1 && dt.date().year() <= 9999)
                return DateTimeToDouble(dt);
        }
        throw;
    }
}

QString DoubleToTimeSpanStr(double Value)
{
    // Spans beyond 10^7 days (and what is no number) have no clock text: there a double's
    // step is near the millisecond, and the clock text would not read back to itself. They
    // are written as the number of days, which reads back as well.
    if (!(std::abs(Value) < 1e7))
        return FloatToStr(Value);
    qint64 ms = std::llround(std::abs(Value) * 86400000.0);
    const bool neg = Value < 0 && ms != 0; // what rounds to no time has no sign
    const qint64 days = ms / 86400000;
    ms %= 86400000;
    QString s = QStringLiteral("%1:%2:%3").arg(ms / 3600000, 2, 10, QLatin1Char('0'))
                    .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0')).arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'));
    if (ms % 1000)
        s += QStringLiteral(".%1").arg(ms % 1000, 3, 10, QLatin1Char('0'));
    if (days)
        s = QString::number(days) + QLatin1Char('.') + s;
    return neg ? QLatin1Char('-') + s : s;
}

double DoubleFomTimeSpanStr(const QString &Text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*(-)?(?:(\\d+)\\.)?(\\d+):(\\d{1,2})(?::(\\d{1,2})(?:\\.(\\d{1,3}))?)?\\s*$"));
    const QRegularExpressionMatch m = re.match(Text);
    if (!m.hasMatch()) {
        double d = 0;
        if (TryStrToFloat(Text, d))
            return d;
        throw EConvertError(QStringLiteral("'%1' is not a valid time span").arg(Text));
    }
    const int mins = m.captured(4).toInt(), secs = m.captured(5).toInt();
    // Days and hours of any number of digits (a long run of digits is no overflow).
    const double days = m.captured(2).isEmpty() ? 0 : m.captured(2).toDouble(), hours = m.captured(3).toDouble();
    if (mins > 59 || secs > 59 || !std::isfinite(days * 86400000.0 + hours * 3600000.0))
        throw EConvertError(QStringLiteral("'%1' is not a valid time span").arg(Text));
    const double ms = days * 86400000.0 + hours * 3600000.0 + mins * 60000.0 + secs * 1000.0
                      + m.captured(6).leftJustified(3, QLatin1Char('0')).toInt();
    return (m.captured(1).isEmpty() ? 1 : -1) * ms / 86400000.0;
}
