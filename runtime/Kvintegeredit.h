#pragma once
// The integer edit.
#include "Kvstdlinked.h"

class TKvIntegerEdit : public TKvCustomEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    KV_PROPERTY(int, MinValue, 0)
    KV_PROPERTY(int, MaxValue, 0)
    KV_PROPERTY(int, Increment, 1)
public:
    explicit TKvIntegerEdit(TComponent *AOwner = nullptr, QWidget *AParent = nullptr);
    KV_UI_CONSTRUCTOR(TKvIntegerEdit)
    int Value() const { return FValue; }
    // Clamped into MinValue .. MaxValue when MinValue < MaxValue; fires OnValueChanged on change.
    void SetValue(int V);
    QString ValueText() const override { return QString::number(FValue); }
protected:
    void ParseText(const QString &Text) override;
    void Step(int Direction) override { SetValue(FValue + Direction * Increment()); }
private:
    int FValue = 0;
};
