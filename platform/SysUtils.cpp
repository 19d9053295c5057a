#include "SysUtils.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

QString ExceptionMessage(const std::exception_ptr &E)
{
    if (!E)
        return {};
    try {
        std::rethrow_exception(E);
    } catch (const Exception &e) {
        return e.Message();
    } catch (const std::exception &e) {
        // Library exceptions carry UTF-8 (or plain ASCII) texts.
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("An unknown exception occurred");
    }
}

// ---------------------------------------------------------------------------------------
TFormatSettings LocaleFormatSettings(const QLocale &Locale)
{
    QString date = Locale.dateFormat(QLocale::ShortFormat);
    // Two-digit years read back into a window around today: write all four.
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    // The long time without its time zone: values carry none.
    static const QRegularExpression zone(QStringLiteral("\\s*\\bt+\\b\\s*"));
    const QString time = Locale.timeFormat(QLocale::LongFormat).remove(zone).trimmed();
    const QString point = Locale.decimalPoint();
    return TFormatSettings{date, time, point.size() == 1 ? point.at(0) : QLatin1Char('.')};
}

TFormatSettings &FormatSettings()
{
    static TFormatSettings settings = LocaleFormatSettings(QLocale());
    return settings;
}

int ReadablePrecision(double Value, int Precision)
{
    Precision = std::clamp(Precision, 1, 17);
    if (!std::isfinite(Value) || std::fabs(Value) < 1.7e308 || Precision == 17)
        return Precision;
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, Precision - 1);
    double back = 0;
    return std::from_chars(buf, r.ptr, back).ec == std::errc() && std::isfinite(back) ? Precision : 17;
}

TFloatDigits FloatToDigits(double Value, int Precision)
{
    TFloatDigits d;
    d.Negative = std::signbit(Value) && Value != 0;
    if (Value == 0)
        return d;
    Precision = ReadablePrecision(Value, Precision);
    // d.ddddde±x: one digit, the separator, Precision - 1 digits, the exponent.
    char buf[48];
    const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, Precision - 1);
    const char *e = std::find(buf, r.ptr, 'e');
    int n = 0;
    for (const char *p = buf; p < e; ++p)
        if (*p != '.')
            d.Digits[n++] = *p;
    while (n > 1 && d.Digits[n - 1] == '0')
        --n;
    d.Count = n;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), r.ptr, d.Exponent);
    return d;
}

int FloatDigitsToChars(const TFloatDigits &D, int Precision, char Separator, char *Out)
{
    char *o = Out;
    if (D.Negative)
        *o++ = '-';
    if (D.Count == 0) {
        *o++ = '0';
    } else if (D.Exponent >= Precision || D.Exponent < -5) {
        *o++ = D.Digits[0];
        if (D.Count > 1) {
            *o++ = Separator;
            o = std::copy(D.Digits + 1, D.Digits + D.Count, o);
        }
        *o++ = 'E';
        o = std::to_chars(o, Out + 48, D.Exponent).ptr;
    } else if (D.Exponent < 0) {
        *o++ = '0';
        *o++ = Separator;
        o = std::fill_n(o, -D.Exponent - 1, '0');
        o = std::copy(D.Digits, D.Digits + D.Count, o);
    } else {
        const int whole = D.Exponent + 1;
        for (int i = 0; i < whole; ++i)
            *o++ = i < D.Count ? D.Digits[i] : '0';
        if (D.Count > whole) {
            *o++ = Separator;
            o = std::copy(D.Digits + whole, D.Digits + D.Count, o);
        }
    }
    return int(o - Out);
}

QString FloatDigitsToStr(const TFloatDigits &D, int Precision, QChar DecimalSeparator)
{
    char out[48];
    const char sep = '\x01'; // replaced by the separator, which may be any character
    QString s = QString::fromLatin1(out, FloatDigitsToChars(D, Precision, sep, out));
    s.replace(QLatin1Char(sep), DecimalSeparator);
    return s;
}

QString FloatToStrGeneral(double Value, int Precision, QChar DecimalSeparator)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (std::fabs(Value) < 1e15 && Value == std::trunc(Value) && Precision >= 15) {
        // Whole numbers below 10^15 are their own digits (-0 is written 0).
        char out[24];
        return QString::fromLatin1(out, std::to_chars(out, out + sizeof out, static_cast<long long>(Value)).ptr - out);
    }
    return FloatDigitsToStr(FloatToDigits(Value, Precision), Precision, DecimalSeparator);
}

QString FloatToStr(double Value) { return FloatToStrGeneral(Value, 15, FormatSettings().DecimalSeparator); }

bool TryStrToFloat(QStringView S, double &Value) { return TryStrToFloat(S, Value, FormatSettings().DecimalSeparator); }

bool TryStrToFloat(QStringView S, double &Value, QChar DecimalSeparator)
{
    const QChar sep = DecimalSeparator;
    qsizetype i = 0, n = S.size();
    while (i < n && S.at(i).isSpace())
        ++i;
    while (n > i && S.at(n - 1).isSpace())
        --n;
    const bool negative = i < n && S.at(i) == QLatin1Char('-');
    if (i < n && (S.at(i) == QLatin1Char('+') || S.at(i) == QLatin1Char('-')))
        ++i;
    // Copy into ASCII with "." as the separator, checking the form on the way; the position
    // of the first significant digit tells an overflow from an underflow.
    std::string text;
    text.reserve(size_t(n - i));
    long long magnitude = 0; // decimal exponent of the first significant digit, + 1
    bool seenSep = false, seenNonZero = false, anyDigit = false;
    for (; i < n; ++i) {
        const QChar c = S.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            anyDigit = true;
            seenNonZero = seenNonZero || c != QLatin1Char('0');
            if (!seenSep && seenNonZero)
                ++magnitude;
            else if (seenSep && !seenNonZero)
                --magnitude;
            text += char(c.unicode());
        } else if (c == sep && !seenSep) {
            seenSep = true;
            text += '.';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;
    long long exponent = 0;
    if (i < n) {
        if (S.at(i) != QLatin1Char('e') && S.at(i) != QLatin1Char('E'))
            return false;
        text += 'e';
        ++i;
        bool expNegative = false;
        if (i < n && (S.at(i) == QLatin1Char('+') || S.at(i) == QLatin1Char('-')))
            expNegative = S.at(i++) == QLatin1Char('-');
        if (expNegative)
            text += '-';
        const qsizetype expStart = i;
        for (; i < n && S.at(i) >= QLatin1Char('0') && S.at(i) <= QLatin1Char('9'); ++i) {
            exponent = std::min(exponent * 10 + (S.at(i).unicode() - '0'), 1000000LL);
            text += char(S.at(i).unicode());
        }
        if (i == expStart || i < n)
            return false;
        if (expNegative)
            exponent = -exponent;
    }
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (r.ptr != text.data() + text.size())
        return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Beyond the largest double does not read; below the smallest is 0.
        if (seenNonZero && magnitude + exponent > 0)
            return false;
        v = 0;
    }
    if (std::isinf(v))
        return false;
    Value = negative ? -v : v;
    return true;
}

double StrToFloat(const QString &S)
{
    double v = 0;
    if (!TryStrToFloat(S, v))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(S));
    return v;
}
