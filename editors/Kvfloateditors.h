#pragma once
// Object Inspector editors for Double properties that hold a plain number, a date-time or a
// time span, depending on how the first selected component is set up.
#include "DesignEditors.h"

// Date-time text when the component works on dates (a date-time axis, a series drawn against
// one, a double edit for dates or time spans); the standard float text otherwise.
class TKvRealOrDateTimeProperty : public TFloatProperty {
public:
    using TFloatProperty::TFloatProperty;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
    bool IsDateTime();
};

// Time-span text when the component is a date-time axis or a double edit for time spans.
class TKvRealOrTimeSpanProperty : public TFloatProperty {
public:
    using TFloatProperty::TFloatProperty;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
    // True when the value is a time span.
    bool IsDateTime();
};

// A double edit's Value: plain, date-time or time span as the edit itself shows it.
class TKvReal3StateProperty : public TFloatProperty {
public:
    using TFloatProperty::TFloatProperty;
    QString GetValue() override;
    void SetValue(const QString &Value) override;
    // 0 plain, 1 date-time, 2 time span (time span wins when both are set).
    int GetFieldType();
};
