#include "Kvregisterplots2dcomponents.h"

#include <vector>

#include "DesignIntf.h"
#include "PackageModule.h"
#include "Registry.h"
#include "ToolsAPI.h"
#include "Windows.h"
#include "KvPlots2D_StudioXE_Win32Res.h"

#include "Kvareastylescombo.h"
#include "Kvareastyleslist.h"
#include "Kvarrows.h"
#include "Kvaxis.h"
#include "Kvaxissettingsfrm.h"
#include "Kvbars.h"
#include "Kvbubbles.h"
#include "Kvcaptionedit.h"
#include "Kvcolorpicker.h"
#include "Kvdashstylescombo.h"
#include "Kvdashstyleslist.h"
#include "Kvdifferential.h"
#include "Kvfft.h"
#include "Kvfillpalettefrm.h"
#include "Kvfitting.h"
#include "Kvfloatedit.h"
#include "Kvfontdialog.h"
#include "Kvgenerallinearleastsquares.h"
#include "Kvgradientfrm.h"
#include "Kvgraph2d.h"
#include "Kvgraphsettingsfrm.h"
#include "Kvgraphsettingstool.h"
#include "Kvintegeredit.h"
#include "Kvintegral.h"
#include "Kvinterpolation.h"
#include "Kvlegend.h"
#include "Kvlegendsettingsfrm.h"
#include "Kvlinearregression.h"
#include "Kvmarkers.h"
#include "Kvmovingaverage.h"
#include "Kvohlc.h"
#include "Kvpiedonut.h"
#include "Kvpiedonutfillfrm.h"
#include "Kvpiegeneralsettingsfrm.h"
#include "Kvpielabelsfrm.h"
#include "Kvpielegend.h"
#include "Kvpielegendsettingsfrm.h"
#include "Kvpiesettingstool.h"
#include "Kvpointsymbolscombo.h"
#include "Kvpointsymbolslist.h"
#include "Kvpolynomial.h"
#include "Kvpropertylink.h"
#include "Kvrichlabel.h"
#include "Kvselectseriesfrm.h"
#include "Kvseries.h"
#include "Kvseriessettingsfrm.h"
#include "Kvstdlinked.h"
#include "Kvtunecolorsdialog.h"
#include "Kvundobuttons.h"
#include "Kvundostack.h"
#include "Kvvectors.h"

namespace Kvregisterplots2dcomponents {

IOTAAboutBoxServices *AboutBoxServices = nullptr;
int AboutBoxIndex = 0;
QString VersionText;

void Register()
{
    RegisterComponents(QStringLiteral("Kv-Plots2D.VCL Standard"),
                       {&TKvRichLabel::staticMetaObject, &TKvCaptionEdit::staticMetaObject,
                        &TKvIntegerEdit::staticMetaObject, &TKvDoubleEdit::staticMetaObject,
                        &TKvNumericUpDn::staticMetaObject, &TKvCheckBox::staticMetaObject,
                        &TKvRadioGroup::staticMetaObject, &TKvColorPickCombo::staticMetaObject,
                        &TKvTuneColorsDialog::staticMetaObject, &TKvFontDialog::staticMetaObject,
                        &TKvDashStylesList::staticMetaObject, &TKvDashStylesCombo::staticMetaObject,
                        &TKvAreaStylesList::staticMetaObject, &TKvAreaStylesCombo::staticMetaObject,
                        &TKvPointSymbolsList::staticMetaObject, &TKvPointSymbolsCombo::staticMetaObject,
                        &TKvUndoStack::staticMetaObject, &TKvUndoButton::staticMetaObject,
                        &TKvRedoButton::staticMetaObject});
    RegisterComponents(QStringLiteral("Kv-Plots2D.VCL Graph"),
                       {&TKvGraph2D::staticMetaObject, &TKvAxis::staticMetaObject, &TKvLegend::staticMetaObject,
                        &TKvGraphSettingsTool::staticMetaObject, &TKvDoubleVector::staticMetaObject,
                        &TKvLineSeries::staticMetaObject, &TKvPointSeries::staticMetaObject,
                        &TKvPointWithErrorSeries::staticMetaObject, &TKvBars::staticMetaObject,
                        &TKvBubbles::staticMetaObject, &TKvArrows::staticMetaObject, &TKvOHLC::staticMetaObject,
                        &TKvCandleSticks::staticMetaObject, &TKvLinearRegression::staticMetaObject,
                        &TKvGeneralLinearLeastSquares::staticMetaObject, &TKvPolynomial::staticMetaObject,
                        &TKvFittedLine::staticMetaObject, &TKvMovingAverage::staticMetaObject,
                        &TKvInterpolation::staticMetaObject, &TKvDifferential::staticMetaObject,
                        &TKvIntegral::staticMetaObject, &TKvDiscreteFourier::staticMetaObject,
                        &TKvVerticalMarker::staticMetaObject, &TKvHorizontalMarker::staticMetaObject,
                        &TKvCrossHair::staticMetaObject, &TKvLabelWithArrowMarker::staticMetaObject,
                        &TKvPieChart::staticMetaObject, &TKvFillPalette::staticMetaObject,
                        &TKvPieLegend::staticMetaObject, &TKvPieSettingsTool::staticMetaObject});
    RegisterComponents(QStringLiteral("Kv-Plots2D.VCL Frames"),
                       {&TKvGradientFrame::staticMetaObject, &TKvGraphSettingsFrame::staticMetaObject,
                        &TKvAxisSettingsFrame::staticMetaObject, &TKvSeriesSettingsFrame::staticMetaObject,
                        &TKvLegendSettingsFrame::staticMetaObject, &TKvPieGeneralSettingsFrame::staticMetaObject,
                        &TKvFillPaletteFrame::staticMetaObject, &TKvPieDonutFillFrame::staticMetaObject,
                        &TKvPieLabelsFrame::staticMetaObject, &TKvPieLegendSettingsFrame::staticMetaObject,
                        &TKvSelectSeriesFrame::staticMetaObject});

    RegisterPropertiesInCategory(sLinkageCategoryName(), {TypeInfo<TKvPropertyLinks>()});
    RegisterPropertiesInCategory(sLayoutCategoryName(), &TKvDoubleEdit::staticMetaObject,
                                 {"Format", "AsTimeSpan", "DoHashes"});
    RegisterPropertiesInCategory(sLayoutCategoryName(), &TKvNumericUpDn::staticMetaObject,
                                 {"Digits", "BtnWidth", "DecimalPlaces"});
    RegisterPropertiesInCategory(sLinkageCategoryName(), {"LabelFrom", "LabelsFrom"});
    RegisterPropertiesInCategory(
        sInputCategoryName(),
        {"MinValue", "MaxValue", "Value", "AsDateTime", "Increment", "DashStyle", "AreaStyle", "Symbol",
         "OnValueChanged", "XData", "YData", "DeltaXPlus", "DeltaXMinus", "DeltaYPlus", "DeltaYMinus", "DeltaX",
         "DeltaY", "RadiusData", "LabelFrom", "OpenData", "CloseData", "HighData", "LowData", "Weight", "Offset",
         "CalculationStart", "CalculationStop", "DisplayStart", "DisplayStop", "Order", "Expression",
         "WeightValueTransformation", "XValueTransformation", "YValueTransformation", "FittingFunction",
         "OnGetScaleLabel", "DxPlusTransformation", "DxMinusTransformation", "DyPlusTransformation",
         "DyMinusTransformation", "XDeltaTransformation", "YDeltaTransformation", "RadiusTransformation",
         "LowValueTransformation", "OpenValueTransformation", "HighValueTransformation", "CloseValueTransformation",
         "ElasticityFactor", "SmoothingFactor", "SmoothPoints", "ExponentialFactorForN", "Values", "ExplodePercent",
         "ValueTransformation", "ExplodePercentTransformation", "SmoothingRange", "Coefficients", "Capacity",
         "PersistentValues", "Limit", "MaxFontSize", "MinFontSize"});
    RegisterPropertiesInCategory(sInputCategoryName(), &TKvMovingAverage::staticMetaObject, {"N"});
    RegisterPropertiesInCategory(sInputCategoryName(), &TKvMovable::staticMetaObject, {"X", "Y"});
    RegisterPropertiesInCategory(
        sVisualCategoryName(),
        {"ArrowPoint", "Arrow", "AxisThicknes", "LabelDistanceFactor", "DistanceValuesAxis", "DistanceAxisLabels",
         "DistanceAxisExtraExponent", "DistanceNumbersCaption", "DistanceToBorder", "ForeColor", "NumbersColor",
         "NumbersVisible", "RubricsAngle", "TickColor", "TickLength", "TicksPointToData", "TickThicknes",
         "DistanceBorderAxisTop", "DistanceBorderAxisBottom", "DistanceBorderAxisLeft", "DistanceBorderAxisRight",
         "ZeroOrigin", "LineColor", "LineWidth", "AreaForeColor", "AreaBackColor", "SymbolBorderColor",
         "SymbolFillColor", "SymbolBorderLineWidth", "ActiveColor", "BackColor", "Line", "ErrorIndicator", "Area",
         "SmoothingMode", "MajorGridHorizontal", "MinorGridHorizontal", "MajorGridVertical", "MinorGridVertical",
         "DataAreaColor", "PointSymbol", "BarsHorizontal", "BarStyle", "Depth3D", "ClassesDistance", "LabelColor",
         "LabelPosition", "LabelSize", "LabelVertical", "OverlayStyle", "BarWidth", "IndicatorLength", "BullColor",
         "BearColor", "ShadowsSameColorAsFill", "DistanceItemCaption", "DistanceBetweenLines",
         "DistanceBetweenColumns", "CornerRounding", "ItemHeight", "ItemWidth", "Columns", "Rows", "ItemsOrder",
         "Frame", "OnGetPen", "OnGetBrush", "OnGetPointSymbol", "OnGetIndicatorsPen", "ClipToData", "ArrowAngle",
         "ArrowLength", "ArrowDeltaX", "ArrowDeltaY", "BentLength", "DropShadow", "BorderLowered", "BorderRaised",
         "CharDrawEffect", "ItemsDrawEffect", "CaptionDrawEffect", "NumbersDrawEffect", "LabelDrawEffect",
         "DrawBandTo", "MergeLegendItemWith", "BackgroundGradient", "DataAreaGradient", "Gradient", "FrameGradient",
         "DistanceToPie", "DistanceAtTop", "DistanceAtBottom", "DistanceAtLeft", "DistanceAtRight", "PieChartType",
         "ThreeDElevation", "ThreeDPieHeight", "DonutHoleSize", "StartAngle", "TotalAngle", "SegmentBorder",
         "CalloutArrow", "SegmentSettingsPalette", "CalloutArrowVisibleMode", "CalloutBackColor", "CalloutGradient",
         "CalloutFrame", "CalloutRaised", "CalloutLowered", "CalloutShadow", "CalloutDistanceToPie",
         "CalloutSpaceToBorder", "CalloutRounding", "ShowApply", "ShowGradientSettings", "ShowPickList",
         "MajorGridMode", "MajorTickColor", "MajorTickLength", "MajorTickThicknes", "DataAreaFrame"});
    RegisterPropertiesInCategory(
        sActionCategoryName(),
        {"EnableAlpha", "DirectlyShowTuneColors", "Zoom", "AutoUpdate", "OutliersVisible", "AutoStart", "AutoStop",
         "DisplayAutoStart", "DisplayAutoStop", "ClipYValues", "FixedOffset", "CoupleCalculationAndDisplay", "Order",
         "DoCovariance", "Iterations", "OnNewCorner", "OnIteration", "OnCalculated", "OnCalculationError",
         "OnGetTicks", "SmoothPoints", "InterpolationMethod", "AveragingMethod", "AveragingDirection",
         "AveragingRangeMethod", "ClipToData", "MouseDrag", "SnapToSeriesValues", "SnapToFunctions", "SnappedIdx",
         "StartMovingKeys", "SnappedSeries", "OnMarkerMoving", "OnMarkerMoved", "HoverGrips",
         "StartFreeFloatingMovingKeys", "SmoothingRange", "ToMemoryStream", "StartEnd", "StopEnd"});
    RegisterPropertiesInCategory(sLocalizableCategoryName(),
                                 {"OtherBtnCaption", "DialogTitle", "Title", "Rubrics", "Captions"});
    RegisterPropertiesInCategory(
        sLayoutCategoryName(),
        {"TextAlign", "Angle", "AutoTickParts", "EndRounding", "ExtraDigits", "LabelDistanceFactor",
         "CaptionHorizontalOnVerticalAxis", "IsSlaveAxis", "LabelPart", "MajorTickPart", "TickPart", "Position",
         "Scaling", "MasterAxis", "Twisted", "XAxis", "YAxis", "Elliptical", "IncludeInLegend", "CaptionAlignment",
         "BarsHorizontal", "Depth3D", "ClassesDistance", "LabelFormat", "LabelPosition", "LabelSize",
         "LabelVertical", "OverlayStyle", "BarWidth", "IndicatorLength", "ShadowsSameColorAsFill",
         "DistanceItemCaption", "DistanceBetweenLines", "DistanceBetweenColumns", "DistanceToBorder",
         "CornerRounding", "ItemHeight", "ItemWidth", "Columns", "Rows", "ItemsOrder", "ClipToData", "ArrowAngle",
         "ArrowLength", "ArrowDeltaX", "ArrowDeltaY", "BentLength", "ItemsOrderList", "DrawBandTo",
         "MergeLegendItemWith", "OrderAscending", "CalloutArrowVisibleMode", "CalloutDistanceToPie",
         "CalloutSpaceToBorder", "CalloutRounding", "ExtendedAxisOptions", "ExtendedBarLabelOptions",
         "InteractiveCalculationRanges", "ShowFitCovariance", "ShowOutliersSupport", "ZoomScrollPanningOptions",
         "MajorGridMode", "StartEnd", "StopEnd"});
    RegisterPropertiesInCategory(sInputCategoryName(), &TKvAxis::staticMetaObject,
                                 {"MovingSlitIncrement", "MovingSlitWidth", "MaxForExtraExponent",
                                  "MinForExtraExponent", "SlaveSlope", "SlaveOffset", "Start", "Stop",
                                  "LogToNormalScalingLevel"});
    RegisterPropertiesInCategory(
        QStringLiteral("Caption"),
        {"Caption", "CaptionDistanceBefore", "CaptionDistanceAfter", "CaptionColor", "CaptionFont", "CaptionVisible",
         "CaptionAlignment", "Captions", "CaptionVertical", "CaptionDeltaX", "CharDrawEffect", "ItemsDrawEffect",
         "CaptionDrawEffect", "NumbersDrawEffect", "LabelDrawEffect", "CaptionDeltaY", "CaptionPosition",
         "CaptionHorizontalOnVerticalAxis"});
    RegisterPropertiesInCategory(
        QStringLiteral("Distances"),
        {"CaptionDistanceBefore", "CaptionDistanceAfter", "DistanceValuesAxis", "DistanceAxisLabels",
         "DistanceAxisExtraExponent", "DistanceNumbersCaption", "DistanceToBorder", "DistanceBorderAxisTop",
         "DistanceBorderAxisBottom", "DistanceBorderAxisLeft", "DistanceBorderAxisRight", "DistanceItemCaption",
         "DistanceBetweenLines", "DistanceBetweenColumns", "CornerRounding", "ItemHeight", "ItemWidth",
         "DistanceToPie", "DistanceAtTop", "DistanceAtBottom", "DistanceAtLeft", "DistanceAtRight",
         "ThreeDElevation", "ThreeDPieHeight", "DonutHoleSize", "CalloutDistanceToPie", "CalloutSpaceToBorder"});
    RegisterPropertiesInCategory(QStringLiteral("Scaling Parts"),
                                 {"LabelDistanceFactor", "LabelPart", "MajorTickPart", "TickPart", "AutoTickParts"});
    RegisterPropertiesInCategory(QStringLiteral("Grid"), {"MajorGridHorizontal", "MinorGridHorizontal",
                                                          "MajorGridVertical", "MinorGridVertical"});
    RegisterPropertiesInCategory(sDatabaseCategoryName(), {"RubricsField", "CaptionsField"});
}

QString GetFileVersionText(const QString &FileName)
{
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(FileName, &handle);
    if (size == 0)
        return {};
    std::vector<unsigned char> buffer(size);
    if (!GetFileVersionInfoW(FileName, handle, size, buffer.data()))
        return {};
    void *info = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(buffer.data(), QStringLiteral("\\"), &info, &len) || !info || len < sizeof(VS_FIXEDFILEINFO))
        return {};
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(info);
    const quint32 ms = fixed->dwFileVersionMS, ls = fixed->dwFileVersionLS;
    return QStringLiteral("%1.%2.%3.%4").arg(ms >> 16).arg(ms & 0xFFFF).arg(ls >> 16).arg(ls & 0xFFFF);
}

QString FindInstalledVersion()
{
    QString version;
    TRegistry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(KnownPackagesKey()))
        return version;
    QStringList names;
    reg.GetValueNames(names);
    // Every match is read: the one listed last wins.
    for (const QString &name : names)
        if (name.contains(QLatin1String("KvPlots2D_"), Qt::CaseSensitive))
            version = GetFileVersionText(name);
    return version;
}

void Initialization()
{
    AboutBoxServices = nullptr;
    if (Supports(BorlandIDEServices, IID_IOTAAboutBoxServices, AboutBoxServices)) {
        VersionText = FindInstalledVersion();
        const QString aboutText = QStringLiteral("Version ") + VersionText;
        HBITMAP bitmap = LoadBitmapW(FindResourceHInstance(HInstance), QStringLiteral("ABOUT"));
        const QString description = QStringLiteral(
            "Components to generate two dimensional cartesian plots.\r\n"
            "  * unlimited number of axis (secondary axis)\r\n"
            "  * unlimited number of series\r\n"
            "  * automatic scaling, automatic zooming\r\n"
            "  * manifold line and point styles...\r\n"
            "https://www.kv-works.example/plots2d");
        AboutBoxIndex = AboutBoxServices->AddPluginInfo(QStringLiteral("Kv-Works Plots2D.VCL"), description, bitmap,
                                                        false, QString(), aboutText, QString());
    }
    HBITMAP splash = LoadBitmapW(FindResourceHInstance(HInstance), QStringLiteral("SPLASH"));
    if (SplashScreenServices)
        SplashScreenServices->AddPluginBitmap(QStringLiteral("Kv-Works Plots2D.VCL"), splash, false, QString(),
                                              QString());
}

void Finalization()
{
    if (AboutBoxIndex != 0 && AboutBoxServices) {
        AboutBoxServices->RemovePluginInfo(AboutBoxIndex);
        AboutBoxIndex = 0;
    }
    AboutBoxServices = nullptr;
    VersionText.clear();
}

} // namespace Kvregisterplots2dcomponents
