#include "Kvfloatedit.h"

#include <QHBoxLayout>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "Kvdatetime.h"

QString FormatFloat(const QString &Format, double Value)
{
    if (Format.isEmpty())
        return QLocale().toString(Value, 'g', 15);
    const int e = Format.indexOf(QLatin1Char('E'), 0, Qt::CaseInsensitive);
    const QString mantissa = e >= 0 ? Format.left(e) : Format;
    const int dot = mantissa.indexOf(QLatin1Char('.'));
    const int decimals = dot >= 0 ? int(mantissa.size()) - dot - 1 : 0;
    QLocale loc;
    if (!mantissa.contains(QLatin1Char(',')))
        loc.setNumberOptions(QLocale::OmitGroupSeparator);
    return loc.toString(Value, e >= 0 ? 'e' : 'f', decimals);
}

double StrToFloatKv(const QString &Text)
{
    bool ok = false;
    double v = QLocale().toDouble(Text.trimmed(), &ok);
    if (!ok)
        v = QLocale::c().toDouble(Text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
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
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {FUp, FDown}) {
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        buttons->addWidget(b);
    }
    Row()->addLayout(buttons);
    connect(FUp, &QToolButton::clicked, this, [this] { Step(1); });
    connect(FDown, &QToolButton::clicked, this, [this] { Step(-1); });
    Changed();
}

void TKvNumericUpDn::SetValue(double V)
{
    V = Clamped(V, MinValue(), MaxValue());
    // The value is what the display can show: rounded to the decimal places.
    const double f = std::pow(10.0, qBound(0, DecimalPlaces(), 15));
    V = std::round(V * f) / f;
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
