#include "Kvdatetime.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTimeZone>
#include <cmath>

#include "SysUtils.h"

static const QDateTime &Epoch()
{
    static const QDateTime e(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return e;
}

QDateTime DoubleToDateTime(double Value)
{
    return Epoch().addMSecs(qint64(std::llround(Value * 86400000.0)));
}

double DateTimeToDouble(const QDateTime &Value)
{
    QDateTime utc(Value.date(), Value.time(), Qt::UTC);
    return Epoch().msecsTo(utc) / 86400000.0;
}

QString DateTimeToText(double Value)
{
    const QDateTime dt = DoubleToDateTime(Value);
    const QLocale loc;
    QString s = loc.toString(dt.date(), QLocale::ShortFormat);
    if (dt.time() != QTime(0, 0))
        s += QLatin1Char(' ') + loc.toString(dt.time(), QLocale::LongFormat).section(QLatin1Char(' '), 0, 0);
    return s;
}

double TextToDateTime(const QString &Text)
{
    const QString t = Text.trimmed();
    const QLocale loc;
    const QString df = loc.dateFormat(QLocale::ShortFormat);
    for (const QString &fmt : {df + QLatin1String(" HH:mm:ss"), df + QLatin1String(" HH:mm"), df,
                               QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-ddTHH:mm:ss"),
                               QStringLiteral("yyyy-MM-dd")}) {
        QDateTime dt = loc.toDateTime(t, fmt);
        if (dt.isValid())
            return DateTimeToDouble(dt);
    }
    throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(Text));
}

QString DoubleToTimeSpanStr(double Value)
{
    const bool neg = Value < 0;
    qint64 ms = std::llround(std::abs(Value) * 86400000.0);
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
        bool ok = false;
        const double d = QLocale().toDouble(Text.trimmed(), &ok);
        if (ok)
            return d;
        throw EConvertError(QStringLiteral("'%1' is not a valid time span").arg(Text));
    }
    const int mins = m.captured(4).toInt(), secs = m.captured(5).toInt();
    if (mins > 59 || secs > 59)
        throw EConvertError(QStringLiteral("'%1' is not a valid time span").arg(Text));
    const double ms = m.captured(2).toLongLong() * 86400000.0 + m.captured(3).toLongLong() * 3600000.0
                      + mins * 60000.0 + secs * 1000.0 + m.captured(6).leftJustified(3, QLatin1Char('0')).toInt();
    return (m.captured(1).isEmpty() ? 1 : -1) * ms / 86400000.0;
}
