#include "Kvfloateditors.h"

#include "Kvaxis.h"
#include "Kvdatetime.h"
#include "Kvfloatedit.h"
#include "Kvseries.h"

namespace {
// In the date and span forms 0 stands for "not set" and shows as an empty cell.
QString textOrEmpty(TPropertyEditor *Editor, QString (*ToText)(double))
{
    const double v = Editor->GetFloatValue();
    return v == 0 ? QString() : ToText(v);
}

// A failed conversion propagates before anything is stored, so the old value stays.
void storeText(TPropertyEditor *Editor, const QString &Value, double (*FromText)(const QString &))
{
    Editor->SetFloatValue(Value.isEmpty() ? 0.0 : FromText(Value));
}

bool isDateTimeAxis(const TKvAxis *Axis) { return Axis && Axis->Scaling() == TKvAxisScaling::DateTime; }
} // namespace

// ---------------------------------------------------------------------------------------
bool TKvRealOrDateTimeProperty::IsDateTime()
{
    QObject *c = GetComponent(0);
    bool result = false;
    if (auto *axis = qobject_cast<TKvAxis *>(c))
        result = isDateTimeAxis(axis);
    if (auto *series = qobject_cast<TKvSeries *>(c))
        result = result || isDateTimeAxis(series->XAxis());
    if (auto *edit = qobject_cast<TKvDoubleEdit *>(c))
        result = result || edit->AsDateTime() || edit->AsTimeSpan();
    return result;
}

QString TKvRealOrDateTimeProperty::GetValue()
{
    return IsDateTime() ? textOrEmpty(this, DateTimeToStr) : TFloatProperty::GetValue();
}

void TKvRealOrDateTimeProperty::SetValue(const QString &Value)
{
    if (IsDateTime())
        storeText(this, Value, StrToDateTime);
    else
        TFloatProperty::SetValue(Value);
}

// ---------------------------------------------------------------------------------------
bool TKvRealOrTimeSpanProperty::IsDateTime()
{
    QObject *c = GetComponent(0);
    if (auto *axis = qobject_cast<TKvAxis *>(c))
        return isDateTimeAxis(axis);
    if (auto *edit = qobject_cast<TKvDoubleEdit *>(c))
        return edit->AsTimeSpan();
    return false;
}

QString TKvRealOrTimeSpanProperty::GetValue()
{
    return IsDateTime() ? textOrEmpty(this, DoubleToTimeSpanStr) : TFloatProperty::GetValue();
}

void TKvRealOrTimeSpanProperty::SetValue(const QString &Value)
{
    if (IsDateTime())
        storeText(this, Value, DoubleFomTimeSpanStr);
    else
        TFloatProperty::SetValue(Value);
}

// ---------------------------------------------------------------------------------------
int TKvReal3StateProperty::GetFieldType()
{
    auto *edit = qobject_cast<TKvDoubleEdit *>(GetComponent(0));
    if (!edit)
        return 0;
    if (edit->AsTimeSpan())
        return 2;
    return edit->AsDateTime() ? 1 : 0;
}

QString TKvReal3StateProperty::GetValue()
{
    switch (GetFieldType()) {
    case 1: return textOrEmpty(this, DateTimeToStr);
    case 2: return textOrEmpty(this, DoubleToTimeSpanStr);
    default: return TFloatProperty::GetValue();
    }
}

void TKvReal3StateProperty::SetValue(const QString &Value)
{
    switch (GetFieldType()) {
    case 1: storeText(this, Value, StrToDateTime); break;
    case 2: storeText(this, Value, DoubleFomTimeSpanStr); break;
    default: TFloatProperty::SetValue(Value);
    }
}
