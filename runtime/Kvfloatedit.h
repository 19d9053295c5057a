#pragma once
// The double edit (a number, a date-time or a time span) and the numeric up-down.
#include "Kvstdlinked.h"

class QToolButton;

class TKvDoubleEdit : public TKvCustomEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    KV_PROPERTY(double, MinValue, 0)
    KV_PROPERTY(double, MaxValue, 0)
    KV_PROPERTY(double, Increment, 1)
    KV_PROPERTY(bool, AsDateTime, false)
    KV_PROPERTY(bool, AsTimeSpan, false)
    KV_PROPERTY(QString, Format, {})
    KV_PROPERTY(bool, DoHashes, false)
public:
    explicit TKvDoubleEdit(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    KV_UI_CONSTRUCTOR(TKvDoubleEdit)
    double Value() const { return FValue; }
    // Clamped into MinValue .. MaxValue when MinValue < MaxValue; fires OnValueChanged on change.
    void SetValue(double V);
    // The value as text: date-time, time span, or the number in Format ("0.00", "0.000E+00",
    // "#,##0.0"; empty: the shortest exact form).
    QString ValueText() const override;
protected:
    void ParseText(const QString &Text) override;
    void Step(int Direction) override { SetValue(FValue + Direction * (FAsDateTime || FAsTimeSpan ? FIncrement / 24 : FIncrement)); }
    void resizeEvent(QResizeEvent *E) override;
private:
    double FValue = 0;
};

// Formats a number as the run-time library's FormatFloat does: digit places '0' (a digit or 0)
// and '#' (a digit or nothing), '.' the decimal point and ',' thousands separators (both in the
// user's locale), "E+00" / "E-00" scientific form, quoted text and other characters as they
// stand; up to three sections "positive;negative;zero". An empty format gives up to 15
// significant digits; NaN and infinities give "NAN", "INF", "-INF".
QString FormatFloat(const QString &Format, double Value);
// Reads a number with the user's decimal separator or with a dot, by the rule of TryStrToFloat
// (no grouping, finite values only); raises EConvertError.
double StrToFloatKv(const QString &Text);

class TKvNumericUpDn : public TKvCustomEdit {
    Q_OBJECT
    Q_PROPERTY(double Value READ Value WRITE SetValue)
    KV_PROPERTY(double, MinValue, 0)
    KV_PROPERTY(double, MaxValue, 100)
    KV_PROPERTY(double, Increment, 1)
    KV_PROPERTY(int, Digits, 1)
    KV_PROPERTY(int, DecimalPlaces, 0)
    KV_PROPERTY(int, BtnWidth, 16)
public:
    explicit TKvNumericUpDn(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    KV_UI_CONSTRUCTOR(TKvNumericUpDn)
    double Value() const { return FValue; }
    void SetValue(double V);
    // DecimalPlaces decimals, the integer part padded with zeros to Digits digits.
    QString ValueText() const override;
    void Changed() override;
    QToolButton *UpButton() const { return FUp; }
    QToolButton *DownButton() const { return FDown; }
protected:
    void ParseText(const QString &Text) override { SetValue(StrToFloatKv(Text)); }
    void Step(int Direction) override { SetValue(FValue + Direction * Increment()); }
private:
    double FValue = 0;
    QToolButton *FUp, *FDown;
};
