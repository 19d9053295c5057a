#include "Kvintegeredit.h"

TKvIntegerEdit::TKvIntegerEdit(TComponent *AOwner, QWidget *AParent) : TKvCustomEdit(AOwner, AParent)
{
    PropertyLinks()->InitSource(QStringLiteral("Value"), QStringLiteral("Integer"), TTypeKind::tkInteger);
    UpdateText();
}

void TKvIntegerEdit::SetValue(int V)
{
    if (MinValue() < MaxValue())
        V = qBound(MinValue(), V, MaxValue());
    const bool changed = V != FValue;
    FValue = V;
    UpdateText();
    if (changed)
        ValueChanged(V);
}

void TKvIntegerEdit::ParseText(const QString &Text)
{
    bool ok = false;
    const int v = Text.trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(Text));
    SetValue(v);
}

KV_REGISTER(TKvIntegerEdit)
