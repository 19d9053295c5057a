#pragma once
// Object Inspector editors that show a drawn sample beside the text of a colour, a dash style,
// an area style or a point symbol, both in the drop-down list and in the value cell. The
// samples are drawn with the chart's own routines, in the colours and widths of the edited
// object where it has them.
#include "DesignEditors.h"
#include "VCLEditors.h"

// The part the four editors share: they draw their drop-down items themselves, and their value
// cell with their own item drawing when there is one value (the IDE's default otherwise), and
// their name cell as the IDE does.
template <class Base>
class TKvSampleEditor : public Base, public ICustomPropertyListDrawing, public ICustomPropertyDrawing {
public:
    using Base::Base;
    void PropDrawName(TCanvas *ACanvas, const TRect &ARect, bool) override { DefaultPropertyDrawName(this, ACanvas, ARect); }
    void PropDrawValue(TCanvas *ACanvas, const TRect &ARect, bool ASelected) override
    {
        const QString value = this->GetVisualValue();
        if (!value.isEmpty())
            this->ListDrawValue(value, ACanvas, ARect, ASelected);
        else
            DefaultPropertyDrawValue(this, ACanvas, ARect);
    }
};

// An ARGB colour: named colours in the list, the colour tuning dialog behind the ellipsis,
// and a swatch over a check pattern so that transparency shows.
class TKvColorEditor : public TKvSampleEditor<TIntegerProperty> {
public:
    using TKvSampleEditor::TKvSampleEditor;
    void Edit() override;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetValues(const TGetStrProc &Proc) override;
    void SetValue(const QString &Value) override;

    void ListMeasureWidth(const QString &Value, TCanvas *ACanvas, int &AWidth) override;
    void ListMeasureHeight(const QString &Value, TCanvas *ACanvas, int &AHeight) override;
    void ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected) override;
};

// A line dash style, drawn with the pen of the edited dash style picker or line settings.
class TKvDashStyleEditor : public TKvSampleEditor<TEnumProperty> {
public:
    using TKvSampleEditor::TKvSampleEditor;
    TPropertyAttributes GetAttributes() override;
    QString GetValue() override;
    void GetValues(const TGetStrProc &Proc) override;
    void SetValue(const QString &Value) override;
    // The ordinal of a dash style's text, in any letter case; 0 (solid) for any other text.
    int StringToOrd(const QString &Value) const;

    void ListMeasureWidth(const QString &Value, TCanvas *ACanvas, int &AWidth) override;
    void ListMeasureHeight(const QString &Value, TCanvas *ACanvas, int &AHeight) override;
    void ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected) override;
};

// An area fill style, drawn in the fore and back colours of the edited picker or settings.
class TKvAreaStyleEditor : public TKvSampleEditor<TEnumProperty> {
public:
    using TKvSampleEditor::TKvSampleEditor;
    TPropertyAttributes GetAttributes() override;

    void ListMeasureWidth(const QString &Value, TCanvas *ACanvas, int &AWidth) override;
    void ListMeasureHeight(const QString &Value, TCanvas *ACanvas, int &AHeight) override;
    void ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected) override;
};

// A point symbol, drawn in a square with the border and fill of the edited picker or settings.
class TKvPointSymbolEditor : public TKvSampleEditor<TEnumProperty> {
public:
    using TKvSampleEditor::TKvSampleEditor;
    TPropertyAttributes GetAttributes() override;

    void ListMeasureWidth(const QString &Value, TCanvas *ACanvas, int &AWidth) override;
    void ListMeasureHeight(const QString &Value, TCanvas *ACanvas, int &AHeight) override;
    void ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected) override;
};
