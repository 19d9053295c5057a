#include "Kvdesign.h"

#include "DesignIntf.h"
#include "Kvaxis.h"
#include "Kvbars.h"
#include "Kvfitting.h"
#include "Kvfloatedit.h"
#include "Kvgradientfrm.h"
#include "Kvgraph2d.h"
#include "Kvinterpolationcalculations.h"
#include "Kvlegend.h"
#include "Kvmarkers.h"
#include "Kvmovingaverage.h"
#include "Kvpiedonut.h"
#include "Kvpielegend.h"
#include "Kvpropertylink.h"
#include "Kvrichlabel.h"
#include "Kvseries.h"
#include "Kvstyles.h"
#include "Kvvectors.h"

namespace Kvdesign {

// The host picks the most specific of the rows that match a property (a class before none, a
// name before none), so the order below only matters among equals; it is kept as it is so
// that each row has its fixed place.
void Register()
{
    const PTypeInfo Double = TypeInfo<double>();
    const PTypeInfo String = TypeInfo<QString>();

    // Property links
    RegisterPropertyEditor(TypeInfo<TKvPropertyLinks>(), nullptr, "", PropertyEditorClass<TKvPropLinkEditor>());

    // Floating-point values that may be dates or time spans
    RegisterPropertyEditor(Double, &TKvDoubleEdit::staticMetaObject, "Value", PropertyEditorClass<TKvReal3StateProperty>());
    RegisterPropertyEditor(Double, &TKvDoubleEdit::staticMetaObject, "MinValue", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvDoubleEdit::staticMetaObject, "MaxValue", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvSeries::staticMetaObject, "CalculationStart", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvSeries::staticMetaObject, "CalculationStop", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvSeries::staticMetaObject, "DisplayStart", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvSeries::staticMetaObject, "DisplayStop", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvAxis::staticMetaObject, "Start", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvAxis::staticMetaObject, "Stop", PropertyEditorClass<TKvRealOrDateTimeProperty>());
    RegisterPropertyEditor(Double, &TKvAxis::staticMetaObject, "MovingSlitWidth", PropertyEditorClass<TKvRealOrTimeSpanProperty>());
    RegisterPropertyEditor(Double, &TKvAxis::staticMetaObject, "MovingSlitIncrement", PropertyEditorClass<TKvRealOrTimeSpanProperty>());

    // Owner-drawn style pickers: dash style, colour, point symbol, area style
    RegisterPropertyEditor(TypeInfo<TDashStyle>(), nullptr, "", PropertyEditorClass<TKvDashStyleEditor>());
    RegisterPropertyEditor(TypeInfo<TKvColor>(), nullptr, "", PropertyEditorClass<TKvColorEditor>());
    RegisterPropertyEditor(TypeInfo<TKvPointSymbol>(), nullptr, "", PropertyEditorClass<TKvPointSymbolEditor>());
    RegisterPropertyEditor(TypeInfo<TKvAreaStyle>(), nullptr, "", PropertyEditorClass<TKvAreaStyleEditor>());

    // Rich captions
    RegisterPropertyEditor(TypeInfo<TKvRichCaption>(), nullptr, "", PropertyEditorClass<TKvRichCaptionEditor>());

    // Content alignment in declaration order
    RegisterPropertyEditor(TypeInfo<TKvContentAlignment>(), nullptr, "", PropertyEditorClass<TKvContentAlignmentEditor>());

    // Arrow settings, axis arrow point
    RegisterPropertyEditor(TypeInfo<TKvArrowSettings>(), nullptr, "", PropertyEditorClass<TKvArrowSettingsEditor>());
    RegisterPropertyEditor(TypeInfo<TKvAxisArrowPoint>(), nullptr, "", PropertyEditorClass<TKvAxisArrowEditor>());

    // Caption lists: axis rubrics, bar captions, pie chart captions
    RegisterPropertyEditor(TypeInfo<TStrings>(), &TKvAxis::staticMetaObject, "Rubrics", PropertyEditorClass<TKvCaptionListEditor>());
    RegisterPropertyEditor(TypeInfo<TStrings>(), &TKvBars::staticMetaObject, "Captions", PropertyEditorClass<TKvCaptionListEditor>());
    RegisterPropertyEditor(TypeInfo<TStrings>(), &TKvPieChart::staticMetaObject, "Captions", PropertyEditorClass<TKvCaptionListEditor>());

    // References to another series
    RegisterPropertyEditor(TypeInfo<TKvSeries>(), &TKvSeries::staticMetaObject, "MergeLegendItemWith", PropertyEditorClass<TKvNotMeComponentsProperty>());
    RegisterPropertyEditor(TypeInfo<TKvLineSeries>(), &TKvLineSeries::staticMetaObject, "DrawBandTo", PropertyEditorClass<TKvNotMeComponentsProperty>());

    // Enumerations listed in declaration order
    RegisterPropertyEditor(TypeInfo<TKvAxisScaling>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvBarStyle>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvBarLabelPosition>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvInterpolationMethod>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvAveragingMethod>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvAveragingDirection>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvAveragingRangeMethod>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvTextRenderingHint>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvGradientStyle>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvContentAlignment>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvXHairCaptionPosition>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvPieChartType>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvLabelStyle>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvPieLabelPosition>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvCalloutArrowVisibleMode>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());
    RegisterPropertyEditor(TypeInfo<TKvPieLegendPosition>(), nullptr, "", PropertyEditorClass<TKvNotSortedEnum>());

    // Area settings, gradient settings
    RegisterPropertyEditor(TypeInfo<TKvAreaSettings>(), nullptr, "", PropertyEditorClass<TKvAreaSettingsEditor>());
    RegisterPropertyEditor(TypeInfo<TKvGradientSettings>(), nullptr, "", PropertyEditorClass<TKvGradientSettingsEditor>());

    // Axis references
    RegisterPropertyEditor(TypeInfo<TKvAxis>(), &TKvAxis::staticMetaObject, "MasterAxis", PropertyEditorClass<TKvMasterAxisProperty>());
    RegisterPropertyEditor(TypeInfo<TKvAxis>(), &TKvGraph2D::staticMetaObject, "PrimaryXAxis", PropertyEditorClass<TKvXAxisProperty>());
    RegisterPropertyEditor(TypeInfo<TKvAxis>(), &TKvGraph2D::staticMetaObject, "PrimaryYAxis", PropertyEditorClass<TKvYAxisProperty>());
    RegisterPropertyEditor(TypeInfo<TKvAxis>(), &TKvSeries::staticMetaObject, "XAxis", PropertyEditorClass<TKvXAxisProperty>());
    RegisterPropertyEditor(TypeInfo<TKvAxis>(), &TKvSeries::staticMetaObject, "YAxis", PropertyEditorClass<TKvYAxisProperty>());
    RegisterPropertyEditor(TypeInfo<TKvAxis>(), &TKvMovable::staticMetaObject, "XAxis", PropertyEditorClass<TKvXAxisProperty>());
    RegisterPropertyEditor(TypeInfo<TKvAxis>(), &TKvMovable::staticMetaObject, "YAxis", PropertyEditorClass<TKvYAxisProperty>());

    // Vector references
    RegisterPropertyEditor(TypeInfo<TKvCustomDoubleVector>(), nullptr, "", PropertyEditorClass<TKvDoubleVectorProperty>());

    // Fonts
    RegisterPropertyEditor(TypeInfo<TKvFont>(), nullptr, "", PropertyEditorClass<TKvFontProperty>());

    // Fill palettes
    RegisterPropertyEditor(TypeInfo<TKvFillPalette>(), nullptr, "", PropertyEditorClass<TKvFilPalettePropertyEditor>());

    // Simple line settings, line settings, point symbol settings
    RegisterPropertyEditor(TypeInfo<TKvSimpleLineSettings>(), nullptr, "", PropertyEditorClass<TKvSimpleLineSettingsEditor>());
    RegisterPropertyEditor(TypeInfo<TKvLineSettings>(), nullptr, "", PropertyEditorClass<TKvLineSettingsEditor>());
    RegisterPropertyEditor(TypeInfo<TKvPointSymbolSettings>(), nullptr, "", PropertyEditorClass<TKvPointSymbolSettingsEditor>());

    // Fitted lines' variables
    RegisterPropertyEditor(TypeInfo<TDoubleDynArray>(), &TKvFittedLine::staticMetaObject, "", PropertyEditorClass<TKvVariablesPropEditor>());

    // Legend item order
    RegisterPropertyEditor(TypeInfo<TStrings>(), &TKvLegend::staticMetaObject, "ItemsOrderList", PropertyEditorClass<TKvLegendOrderPropEditor>());

    // The gradient frame's gradient, one of a graph's
    RegisterPropertyEditor(TypeInfo<TKvGradientSettings>(), &TKvGradientFrame::staticMetaObject, "Gradient", PropertyEditorClass<TKvGradFramePropEditor>());

    // Field names of the data set behind an element
    RegisterPropertyEditor(String, &TKvDoubleVector::staticMetaObject, "DataField", PropertyEditorClass<TKvNumberFieldProperty>());
    RegisterPropertyEditor(String, &TKvAxis::staticMetaObject, "RubricsField", PropertyEditorClass<TKvFieldProperty>());
    RegisterPropertyEditor(String, &TKvBars::staticMetaObject, "CaptionsField", PropertyEditorClass<TKvFieldProperty>());
    RegisterPropertyEditor(String, &TKvPieChart::staticMetaObject, "CaptionsField", PropertyEditorClass<TKvFieldProperty>());

    // Component editors: graph, pie chart, axis, legend, pie legend, series, vectors, fill
    // palette
    RegisterComponentEditor(&TKvGraph2D::staticMetaObject, ComponentEditorClass<TKvGraphEditor>());
    RegisterComponentEditor(&TKvPieChart::staticMetaObject, ComponentEditorClass<TKvPieChartEditor>());
    RegisterComponentEditor(&TKvAxis::staticMetaObject, ComponentEditorClass<TKvAxisEditor>());
    RegisterComponentEditor(&TKvLegend::staticMetaObject, ComponentEditorClass<TKvLegendEditor>());
    RegisterComponentEditor(&TKvPieLegend::staticMetaObject, ComponentEditorClass<TKvPieLegendEditor>());
    RegisterComponentEditor(&TKvSeries::staticMetaObject, ComponentEditorClass<TKvSeriesEditor>());
    RegisterComponentEditor(&TKvDoubleVector::staticMetaObject, ComponentEditorClass<TKvVectorsEditor>());
    RegisterComponentEditor(&TKvFillPalette::staticMetaObject, ComponentEditorClass<TKvFillPaletteEditor>());
}

} // namespace Kvdesign
