#pragma once
// The run-time library's exception classes and a few of its helpers.
#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <exception>
#include <optional>
#include <stdexcept>
#include <utility>

class Exception : public std::runtime_error {
public:
    explicit Exception(const QString &Msg) : std::runtime_error(Msg.toStdString()), FMessage(Msg) {}
    const QString &Message() const { return FMessage; }
private:
    QString FMessage;
};

// Raised for text that does not convert to the wanted type.
class EConvertError : public Exception { using Exception::Exception; };
class EComponentError : public Exception { using Exception::Exception; };
class EPackageError : public Exception { using Exception::Exception; };
class EPropertyError : public Exception { using Exception::Exception; };

// The text the IDE shows for an exception of any kind: the message of ours, what() of a
// standard one, a fixed text for anything else.
QString ExceptionMessage(const std::exception_ptr &E);

// Runs Call; an exception of any kind comes back as its text, nothing when Call returned.
// The one place where package code meets the IDE's error display: no exception crosses it.
template <class F> std::optional<QString> GuardedCall(F &&Call)
{
    try {
        std::forward<F>(Call)();
        return std::nullopt;
    } catch (...) {
        return ExceptionMessage(std::current_exception());
    }
}

bool IsValidIdent(const QString &Ident);
QString IntToStr(long long Value);

// How numbers, dates and times are written and read: the decimal separator and Qt format
// patterns ("dd.MM.yyyy", "HH:mm:ss"). Taken from the user's locale on first use, with
// four-digit years, so that a written date reads back to the same day in every locale; tests
// and hosts may set them.
struct TFormatSettings {
    QString ShortDateFormat;
    QString LongTimeFormat;
    QChar DecimalSeparator = QLatin1Char('.');
};
TFormatSettings &FormatSettings();
// The settings of a locale, as FormatSettings takes them from the user's.
TFormatSettings LocaleFormatSettings(const QLocale &Locale);

// The decimal digits of a value rounded to Precision significant digits, trailing zeros
// dropped: Value = 0.Digits * 10^(Exponent + 1), Digits[0] is not '0' (zero has Count 0).
struct TFloatDigits {
    bool Negative = false;
    int Exponent = 0;
    int Count = 0;
    char Digits[24] = {};
};
// Precision, or 17 where the value rounded to Precision digits lies beyond the largest double
// (1.79769313486232E308 would not read back): every text of a number reads back.
int ReadablePrecision(double Value, int Precision);
// For finite values only; Precision 1 to 17 (raised where ReadablePrecision says so).
TFloatDigits FloatToDigits(double Value, int Precision);
// The text of the digits in the general format below (the digits' values do not change the
// layout, so digits of one kind give the shape of every number with that sign, exponent and
// count).
QString FloatDigitsToStr(const TFloatDigits &D, int Precision, QChar DecimalSeparator);
// The same text into Out (48 characters are enough) with a one-byte separator; its length.
int FloatDigitsToChars(const TFloatDigits &D, int Precision, char Separator, char *Out);

// The general format: the shortest text with up to Precision significant digits, fixed
// notation while the value has at most Precision digits before the separator and is at least
// 0.00001, else "1.5E-7" / "1E20"; "NAN", "INF", "-INF" for values that are not numbers.
QString FloatToStrGeneral(double Value, int Precision, QChar DecimalSeparator);
// FloatToStrGeneral with 15 digits and the decimal separator of FormatSettings. A value that is
// no number (a calculation's gap) shows as "NAN" or "INF", which no reader takes back.
QString FloatToStr(double Value);
// Reads [blanks][sign]digits[separator digits][E[sign]digits][blanks] with the decimal
// separator of FormatSettings (at least one digit before or after the separator). Every reader
// of the IDE and the runtime takes numbers by this one rule: no thousands separators, and only
// finite values: "INF", "NAN" and values beyond the double range do not read (a form file has
// no way to keep them); tiny ones read as 0. Value is left alone when the text does not read.
bool TryStrToFloat(QStringView S, double &Value);
bool TryStrToFloat(QStringView S, double &Value, QChar DecimalSeparator);
// TryStrToFloat; raises EConvertError for text that does not read.
double StrToFloat(const QString &S);
