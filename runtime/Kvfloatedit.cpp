#include "Kvfloatedit.h"

#include <QHBoxLayout>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "Kvdatetime.h"

namespace {

// One section of a number format, taken apart.
struct TFormatSection {
    QString Pattern;         // the section's text
    int IntPlaces = 0;       // '0' and '#' before the decimal point
    QString FracPlaces;      // the '0' and '#' after it, in order
    bool Grouping = false;   // a ',' among the integer places
    bool Scientific = false; // "E+", "E-", "e+", "e-"
    int ExpDigits = 0;       // the '0's after it
};

bool IsExponent(const QString &P, qsizetype I)
{
    return (P[I] == QLatin1Char('E') || P[I] == QLatin1Char('e')) && I + 1 < P.size()
           && (P[I + 1] == QLatin1Char('+') || P[I + 1] == QLatin1Char('-'));
}

TFormatSection ReadSection(const QString &Pattern)
{
    TFormatSection s;
    s.Pattern = Pattern;
    QChar quote;
    bool afterPoint = false;
    for (qsizetype i = 0; i < Pattern.size(); ++i) {
        const QChar c = Pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (s.Scientific) {
            s.ExpDigits += c == QLatin1Char('0');
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint)
                s.FracPlaces += c;
            else
                ++s.IntPlaces;
        } else if (c == QLatin1Char('.')) {
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            s.Grouping = s.Grouping || !afterPoint;
        } else if (IsExponent(Pattern, i)) {
            s.Scientific = true;
            ++i;
        }
    }
    s.FracPlaces.truncate(18); // the digits a double has
    s.ExpDigits = qMin(s.ExpDigits, 4);
    return s;
}

// The sections of a format, split at ';' outside quoted text (at most three).
QStringList SplitSections(const QString &Format)
{
    QStringList out{QString()};
    QChar quote;
    for (const QChar c : Format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';') && out.size() < 3) {
            out << QString();
            continue;
        }
        out.last() += c;
    }
    return out;
}

// The digits of |Value| rounded for a section: the integer digits (empty for 0), the fraction
// digits and, in scientific form, the exponent.
struct TDigits {
    QString Int, Frac;
    int Exponent = 0;
    bool Zero() const { return Int.count(QLatin1Char('0')) == Int.size() && Frac.count(QLatin1Char('0')) == Frac.size(); }
};

TDigits DigitsOf(const TFormatSection &S, double Value)
{
    const int decimals = int(S.FracPlaces.size());
    auto split = [&](double V) {
        TDigits d;
        const QString t = QString::number(V, 'f', decimals);
        const qsizetype dot = t.indexOf(QLatin1Char('.'));
        d.Int = dot < 0 ? t : t.left(dot);
        d.Frac = dot < 0 ? QString() : t.mid(dot + 1);
        if (d.Int == QLatin1String("0"))
            d.Int.clear();
        return d;
    };
    const double v = std::abs(Value);
    if (!S.Scientific || v == 0)
        return split(v);
    // The mantissa has as many integer digits as the section has places (at least one).
    const int places = qMax(1, S.IntPlaces);
    int e = int(std::floor(std::log10(v))) - (places - 1);
    TDigits d = split(v / std::pow(10.0, e));
    if (d.Int.size() > places) // rounding carried into another digit
        d = split(v / std::pow(10.0, ++e));
    d.Exponent = e;
    return d;
}

QString ApplySection(const TFormatSection &S, const TDigits &D)
{
    const QLocale loc;
    // The fraction shows up to its last '0' place or its last digit that is not 0.
    int lastFrac = -1;
    for (int k = 0; k < S.FracPlaces.size(); ++k)
        if (S.FracPlaces[k] == QLatin1Char('0') || (k < D.Frac.size() && D.Frac[k] != QLatin1Char('0')))
            lastFrac = k;
    // Each integer place shows its digit; the first also the digits that have no place of their
    // own; a '0' without a digit shows 0, a '#' nothing.
    QString intDigits;
    int place = 0, frac = 0;
    bool afterPoint = false, intDone = false, expDone = false;
    QString out;
    auto flushInt = [&] {
        if (intDone)
            return;
        intDone = true;
        if (S.IntPlaces == 0)
            intDigits = D.Int;
        if (S.Grouping)
            for (qsizetype i = intDigits.size() - 3; i > 0; i -= 3)
                intDigits.insert(i, loc.groupSeparator());
        out += intDigits;
    };
    QChar quote;
    for (qsizetype i = 0; i < S.Pattern.size(); ++i) {
        const QChar c = S.Pattern[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (expDone) {
            if (c != QLatin1Char('0'))
                out += c;
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !afterPoint) {
            const int d = int(D.Int.size()) - S.IntPlaces + place;
            if (place == 0 && d > 0)
                intDigits += D.Int.left(d);
            if (d >= 0)
                intDigits += D.Int[d];
            else if (c == QLatin1Char('0'))
                intDigits += QLatin1Char('0');
            if (++place == S.IntPlaces)
                flushInt();
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (frac <= lastFrac)
                out += frac < D.Frac.size() ? D.Frac[frac] : QLatin1Char('0');
            ++frac;
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint) {
                flushInt();
                afterPoint = true;
                if (lastFrac >= 0)
                    out += loc.decimalPoint();
            }
        } else if (c == QLatin1Char(',')) {
            // the separators come from the grouping of the integer digits
        } else if (S.Scientific && IsExponent(S.Pattern, i)) {
            flushInt();
            out += c;
            if (D.Exponent < 0)
                out += QLatin1Char('-');
            else if (S.Pattern[i + 1] == QLatin1Char('+'))
                out += QLatin1Char('+');
            out += QString::number(std::abs(D.Exponent)).rightJustified(qMax(1, S.ExpDigits), QLatin1Char('0'));
            expDone = true;
            ++i;
        } else {
            out += c;
        }
    }
    flushInt();
    return out;
}

} // namespace

QString FormatFloat(const QString &Format, double Value)
{
    if (std::isnan(Value))
        return QStringLiteral("NAN");
    if (std::isinf(Value))
        return Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const QStringList sections = SplitSections(Format);
    if (Format.isEmpty() || (std::abs(Value) >= 1e18 && !ReadSection(sections[0]).Scientific)) {
        QLocale general;
        general.setNumberOptions(QLocale::OmitGroupSeparator);
        return general.toString(Value, 'g', 15);
    }
    const TFormatSection positive = ReadSection(sections[0]);
    TDigits digits = DigitsOf(positive, Value);
    // Zero (after rounding) takes the third section, a negative value the second; an empty
    // or missing section falls back to the first, with a minus sign for a negative value.
    if (digits.Zero() && sections.size() > 2 && !sections[2].isEmpty())
        return ApplySection(ReadSection(sections[2]), DigitsOf(ReadSection(sections[2]), 0));
    if (Value < 0 && sections.size() > 1 && !sections[1].isEmpty()) {
        const TFormatSection negative = ReadSection(sections[1]);
        return ApplySection(negative, DigitsOf(negative, Value));
    }
    const QString text = ApplySection(positive, digits);
    return Value < 0 && !digits.Zero() ? QLatin1Char('-') + text : text;
}

double StrToFloatKv(const QString &Text)
{
    double v = 0;
    if (!TryStrToFloat(Text, v) && !TryStrToFloat(Text, v, QLatin1Char('.')))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(Text));
    return v;
}

static double Clamped(double V, double Min, double Max) { return Min < Max ? qBound(Min, V, Max) : V; }

TKvDoubleEdit::TKvDoubleEdit(TComponent *AOwner, QWidget *AParent) : TKvCustomEdit(AOwner, AParent)
{
    PropertyLinks()->InitSource(QStringLiteral("Value"), QStringLiteral("Double"), TTypeKind::tkFloat);
    UpdateText();
}

void TKvDoubleEdit::SetValue(double V)
{
    V = Clamped(V, FMinValue, FMaxValue);
    const bool changed = V != FValue;
    FValue = V;
    UpdateText();
    if (changed)
        ValueChanged(V);
}

QString TKvDoubleEdit::ValueText() const
{
    QString t;
    if (FAsTimeSpan)
        t = DoubleToTimeSpanStr(FValue);
    else if (FAsDateTime)
        t = DateTimeToText(FValue);
    else
        t = FormatFloat(FFormat, FValue);
    // Text wider than the edit shows as hashes while the edit is not being typed in.
    if (FDoHashes && !Edit()->hasFocus() && Edit()->fontMetrics().horizontalAdvance(t) > Edit()->contentsRect().width() - 6)
        return QString(qMax(1, (Edit()->contentsRect().width() - 6) / qMax(1, Edit()->fontMetrics().horizontalAdvance(QLatin1Char('#')))), QLatin1Char('#'));
    return t;
}

void TKvDoubleEdit::ParseText(const QString &Text)
{
    if (Text.count(QLatin1Char('#')) == Text.size() && !Text.isEmpty())
        return; // the hashes stand for the unchanged value
    if (FAsTimeSpan)
        SetValue(DoubleFomTimeSpanStr(Text));
    else if (FAsDateTime)
        SetValue(Text.trimmed().isEmpty() ? 0 : TextToDateTime(Text));
    else
        SetValue(StrToFloatKv(Text));
}

void TKvDoubleEdit::resizeEvent(QResizeEvent *E)
{
    TKvCustomEdit::resizeEvent(E);
    UpdateText();
}

TKvNumericUpDn::TKvNumericUpDn(TComponent *AOwner, QWidget *AParent) : TKvCustomEdit(AOwner, AParent)
{
    PropertyLinks()->InitSource(QStringLiteral("Value"), QStringLiteral("Double"), TTypeKind::tkFloat);
    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    FUp = new QToolButton(this);
    FDown = new QToolButton(this);
    FUp->setObjectName(QStringLiteral("UpButton"));
    FDown->setObjectName(QStringLiteral("DownButton"));
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {FUp, FDown}) {
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        buttons->addWidget(b);
    }
    Row()->addLayout(buttons);
    SetFocusField(Edit(), {FUp, FDown});
    connect(FUp, &QToolButton::clicked, this, [this] { Step(1); });
    connect(FDown, &QToolButton::clicked, this, [this] { Step(-1); });
    Changed();
}

void TKvNumericUpDn::SetValue(double V)
{
    // The value is what the display can show, rounded to the decimal places, unless that
    // leaves the range: the limits hold for the stored value, whatever the display rounds to
    // (a maximum of 11.53 shows as 12 with no decimals).
    const double f = std::pow(10.0, qBound(0, DecimalPlaces(), 15));
    const double shown = std::round(V * f) / f;
    V = Clamped(std::isfinite(shown) ? shown : V, MinValue(), MaxValue()); // huge values keep their digits
    const bool changed = V != FValue;
    FValue = V;
    UpdateText();
    if (changed)
        ValueChanged(V);
}

QString TKvNumericUpDn::ValueText() const
{
    QLocale loc;
    loc.setNumberOptions(QLocale::OmitGroupSeparator);
    QString t = loc.toString(std::abs(FValue), 'f', qBound(0, DecimalPlaces(), 15));
    const int intDigits = int(t.indexOf(loc.decimalPoint()) < 0 ? t.size() : t.indexOf(loc.decimalPoint()));
    if (intDigits < Digits())
        t.prepend(QString(Digits() - intDigits, QLatin1Char('0')));
    return FValue < 0 ? QLatin1Char('-') + t : t;
}

void TKvNumericUpDn::Changed()
{
    FUp->setFixedWidth(qMax(4, BtnWidth()));
    FDown->setFixedWidth(qMax(4, BtnWidth()));
    SetValue(FValue); // a new range or precision applies to the value at once
    UpdateText();
}

KV_REGISTER(TKvDoubleEdit)
KV_REGISTER(TKvNumericUpDn)
