// The chart runtime: component ownership and references, the class registry, value types,
// settings objects, drawing, the edits and the calculations.
#include <QCheckBox>
#include <QAction>
#include <QMetaProperty>
#include <QPointer>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <cmath>

#include "Kvaxis.h"
#include "Kvaxissettingsfrm.h"
#include "Kvbars.h"
#include "Kvcaptionedit.h"
#include "Kvcolorpicker.h"
#include "Kvdatetime.h"
#include "Kvdifferential.h"
#include "Kvfft.h"
#include "Kvfitting.h"
#include "Kvfloatedit.h"
#include "Kvgdi.h"
#include "Kvgraph2d.h"
#include "Kvgraphedit.h"
#include "Kvgraphsettingsfrm.h"
#include "Kvgraphsettingstool.h"
#include "Kvintegeredit.h"
#include "Kvintegral.h"
#include "Kvinterpolation.h"
#include "Kvio.h"
#include "Kvlegend.h"
#include "Kvlinearregression.h"
#include "Kvmarkers.h"
#include "Kvmovingaverage.h"
#include "Kvparsefkt.h"
#include "Kvpiedonut.h"
#include "Kvpielegend.h"
#include "Kvpolynomial.h"
#include "Kvstdlinked.h"
#include "Kvstyles.h"
#include "Kvundobuttons.h"
#include "Kvundostack.h"
#include "Kvvectors.h"
#include "TypInfo.h"

namespace {
// The designed form: the owner that names and frees the components.
struct Form {
    TNonVisualComponent Root;
    Form() { Root.SetName(QStringLiteral("Form1")); }
    template <class T> T *Add(const QString &Name)
    {
        auto *c = new T(&Root);
        c->SetName(Name);
        return c;
    }
};

TKvDoubleVector *Vector(Form &F, const QString &Name, const QList<double> &Values)
{
    auto *v = F.Add<TKvDoubleVector>(Name);
    v->SetValues(Values);
    return v;
}

// A graph 300 x 200 with axes 0..10 and no caption, as the drawing tests use it.
struct Chart {
    Form F;
    TKvGraph2D *G = F.Add<TKvGraph2D>(QStringLiteral("Graph1"));
    TKvAxis *X = F.Add<TKvAxis>(QStringLiteral("XAxis1"));
    TKvAxis *Y = F.Add<TKvAxis>(QStringLiteral("YAxis1"));
    Chart()
    {
        G->resize(300, 200);
        X->SetGraph(G);
        Y->SetPosition(TKvAxisPosition::Left);
        Y->SetGraph(G);
        for (TKvAxis *a : {X, Y})
            a->SetStart(0), a->SetStop(10);
    }
    QPoint Pixel(double x, double y) const
    {
        const QRectF r = G->DataArea();
        return QPoint(qRound(r.left() + x / 10 * r.width()), qRound(r.bottom() - y / 10 * r.height()));
    }
};

// A value different from V of the same type (for the settings round trips).
QVariant Other(const QMetaProperty &P, const QVariant &V)
{
    if (P.isEnumType()) {
        const QMetaEnum e = P.enumerator();
        return e.value((e.keyCount() > 1 && V.toInt() == e.value(0)) ? 1 : 0);
    }
    switch (P.metaType().id()) {
    case QMetaType::Bool: return !V.toBool();
    case QMetaType::Int: return V.toInt() + 3;
    case QMetaType::Float: return V.toFloat() + 1.5f;
    case QMetaType::Double: return V.toDouble() + 2.5;
    case QMetaType::QString: return V.toString() + QStringLiteral("x");
    default: break;
    }
    if (P.metaType() == QMetaType::fromType<TKvColor>())
        return QVariant::fromValue(TKvColor(V.value<TKvColor>().Value ^ 0x12345678u));
    return {};
}

// Every value property of O and its owned sub-objects, by dotted name.
QMap<QString, QVariant> Values(const QObject *O, const QString &Prefix = {})
{
    QMap<QString, QVariant> out;
    const QMetaObject *mo = O->metaObject();
    for (int i = PublishedPropertyOffset(mo); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (p.metaType().flags() & QMetaType::PointerToQObject) {
            if (QObject *sub = p.read(O).value<QObject *>())
                out.insert(Values(sub, Prefix + QLatin1String(p.name()) + QLatin1Char('.')));
        } else {
            out.insert(Prefix + QLatin1String(p.name()), p.read(O));
        }
    }
    return out;
}

// Sets every value property of O (and its sub-objects) to another value; returns how many.
int ChangeAll(QObject *O)
{
    int n = 0;
    const QMetaObject *mo = O->metaObject();
    for (int i = PublishedPropertyOffset(mo); i < mo->propertyCount(); ++i) {
        const QMetaProperty p = mo->property(i);
        if (p.metaType().flags() & QMetaType::PointerToQObject) {
            if (QObject *sub = p.read(O).value<QObject *>())
                n += ChangeAll(sub);
            continue;
        }
        const QVariant v = Other(p, p.read(O));
        if (v.isValid() && p.write(O, v))
            ++n;
    }
    return n;
}

bool Near(QColor A, QColor B, int Tolerance = 40)
{
    return std::abs(A.red() - B.red()) <= Tolerance && std::abs(A.green() - B.green()) <= Tolerance
           && std::abs(A.blue() - B.blue()) <= Tolerance;
}
} // namespace

class TestRuntime : public QObject {
    Q_OBJECT
private slots:
    void ownerFreesOwnedComponents();
    void freedElementLeavesItsGraph();
    void referenceClearsWhenTargetFreed_data();
    void referenceClearsWhenTargetFreed();
    void registryCreatesEveryPaletteClass_data();
    void registryCreatesEveryPaletteClass();
    void publishedPropertiesHaveTheirTypes_data();
    void publishedPropertiesHaveTheirTypes();
    void colorIsADistinctTypeConvertingBothWays();
    void enumerationsKeepTheirOrder();
    void colorTextsReadBack();
    void settingsAssignCopiesEveryField_data();
    void settingsAssignCopiesEveryField();
    void everySetterReportsAlsoInsideSubObjects();
    void graphPaintsLineSeriesPixels();
    void graphPaintsPointSymbolsAndBars();
    void graphRepaintsWhenAPropertyChanges();
    void dateTimeAxisLabelsAreDates();
    void slaveAxisFollowsItsMaster();
    void legendOrdersAndMergesItems();
    void pieChartPaintsSegmentsWithItsPalette();
    void fillPaletteEntriesReadBackAndRejectBadLines();
    void doubleEditKeepsValueOnBadText();
    void doubleEditReadsTimeSpansAndDates();
    void integerEditAndUpDownClampAndStep();
    void linkedControlsWriteTheirTargets();
    void captionEditKeepsVariablesAndAttributes();
    void calculations();
    void fittedLineRecoversParameters();
    void parserRejectsBadExpressions();
    void undoStackFreesAndRecreatesComponents();
    void settingsDialogCancelRestoresValues();
    void uniqueNameSkipsTakenNames();
    void axisAutoRangeAndRoundedEnds();
    void graphEditAddsComponentsWithUndo();
};

void TestRuntime::ownerFreesOwnedComponents()
{
    auto *form = new TNonVisualComponent;
    QPointer<QObject> graph = new TKvGraph2D(form), axis = new TKvAxis(form), series = new TKvLineSeries(form);
    auto *g = qobject_cast<TKvGraph2D *>(graph.data());
    qobject_cast<TKvAxis *>(axis.data())->SetGraph(g);
    qobject_cast<TKvSeries *>(series.data())->SetGraph(g);
    QCOMPARE(form->ComponentCount(), 3);
    delete form;
    QVERIFY(graph.isNull());
    QVERIFY(axis.isNull());
    QVERIFY(series.isNull());
}

void TestRuntime::freedElementLeavesItsGraph()
{
    Chart c;
    auto *s = c.F.Add<TKvLineSeries>(QStringLiteral("Series1"));
    s->SetGraph(c.G);
    QCOMPARE(c.G->Axes().size(), 2);
    QCOMPARE(c.G->SeriesList().size(), 1);
    delete c.X;
    delete s;
    QCOMPARE(c.G->Axes(), QList<TKvAxis *>{c.Y});
    QVERIFY(c.G->SeriesList().isEmpty());
    // Moving an element to another graph takes it off the first one.
    auto *g2 = c.F.Add<TKvGraph2D>(QStringLiteral("Graph2"));
    c.Y->SetGraph(g2);
    QVERIFY(c.G->Axes().isEmpty());
    QCOMPARE(g2->Axes().size(), 1);
    c.G->grab(); // paints without the freed elements
}

void TestRuntime::referenceClearsWhenTargetFreed_data()
{
    QTest::addColumn<QString>("holderClass");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("targetClass");
    // Each row: a reference property that would dangle if it did not ask for free notification.
    QTest::newRow("series XAxis") << "TKvLineSeries" << "XAxis" << "TKvAxis";
    QTest::newRow("series YData") << "TKvPointSeries" << "YData" << "TKvDoubleVector";
    QTest::newRow("series MergeLegendItemWith") << "TKvBars" << "MergeLegendItemWith" << "TKvLineSeries";
    QTest::newRow("line series DrawBandTo") << "TKvLineSeries" << "DrawBandTo" << "TKvLineSeries";
    QTest::newRow("graph PrimaryXAxis") << "TKvGraph2D" << "PrimaryXAxis" << "TKvAxis";
    QTest::newRow("axis MasterAxis") << "TKvAxis" << "MasterAxis" << "TKvAxis";
    QTest::newRow("axis Graph") << "TKvAxis" << "Graph" << "TKvGraph2D";
    QTest::newRow("marker YAxis") << "TKvCrossHair" << "YAxis" << "TKvAxis";
    QTest::newRow("bubbles RadiusData") << "TKvBubbles" << "RadiusData" << "TKvDoubleVector";
    QTest::newRow("pie palette") << "TKvPieChart" << "SegmentSettingsPalette" << "TKvFillPalette";
    QTest::newRow("pie legend Graph") << "TKvPieLegend" << "Graph" << "TKvPieChart";
    QTest::newRow("undo button stack") << "TKvUndoButton" << "UndoStack" << "TKvUndoStack";
    QTest::newRow("axis frame") << "TKvAxisSettingsFrame" << "Axis" << "TKvAxis";
    QTest::newRow("settings tool") << "TKvGraphSettingsTool" << "Graph" << "TKvGraph2D";
}

void TestRuntime::referenceClearsWhenTargetFreed()
{
    QFETCH(QString, holderClass);
    QFETCH(QString, property);
    QFETCH(QString, targetClass);
    Form f;
    TComponent *holder = CreateComponentOfClass(holderClass, &f.Root);
    TComponent *target = CreateComponentOfClass(targetClass, &f.Root);
    QObject *h = holder->AsObject();
    const QByteArray name = property.toLatin1();
    const int i = h->metaObject()->indexOfProperty(name.constData());
    QVERIFY2(i >= 0, name.constData());
    QVariant v = QVariant::fromValue(target->AsObject());
    QVERIFY(v.convert(h->metaObject()->property(i).metaType()));
    QVERIFY(h->setProperty(name.constData(), v));
    QCOMPARE(h->property(name.constData()).value<QObject *>(), target->AsObject());
    // Twice at the same target, then the target goes.
    QVERIFY(h->setProperty(name.constData(), v));
    delete target->AsObject();
    QCOMPARE(h->property(name.constData()).value<QObject *>(), nullptr);
    if (auto *w = qobject_cast<QWidget *>(h))
        w->grab(); // and what the holder draws does not reach the freed target
}

static const char *const PaletteClasses[] = {
    // Standard
    "TKvRichLabel", "TKvCaptionEdit", "TKvIntegerEdit", "TKvDoubleEdit", "TKvNumericUpDn", "TKvCheckBox", "TKvRadioGroup",
    "TKvColorPickCombo", "TKvTuneColorsDialog", "TKvFontDialog", "TKvDashStylesList", "TKvDashStylesCombo",
    "TKvAreaStylesList", "TKvAreaStylesCombo", "TKvPointSymbolsList", "TKvPointSymbolsCombo", "TKvUndoStack",
    "TKvUndoButton", "TKvRedoButton",
    // Graph
    "TKvGraph2D", "TKvAxis", "TKvLegend", "TKvGraphSettingsTool", "TKvDoubleVector", "TKvLineSeries", "TKvPointSeries",
    "TKvPointWithErrorSeries", "TKvBars", "TKvBubbles", "TKvArrows", "TKvOHLC", "TKvCandleSticks", "TKvLinearRegression",
    "TKvGeneralLinearLeastSquares", "TKvPolynomial", "TKvFittedLine", "TKvMovingAverage", "TKvInterpolation",
    "TKvDifferential", "TKvIntegral", "TKvDiscreteFourier", "TKvVerticalMarker", "TKvHorizontalMarker", "TKvCrossHair",
    "TKvLabelWithArrowMarker", "TKvPieChart", "TKvFillPalette", "TKvPieLegend", "TKvPieSettingsTool",
    // Frames
    "TKvGradientFrame", "TKvGraphSettingsFrame", "TKvAxisSettingsFrame", "TKvSeriesSettingsFrame",
    "TKvLegendSettingsFrame", "TKvPieGeneralSettingsFrame", "TKvFillPaletteFrame", "TKvPieDonutFillFrame",
    "TKvPieLabelsFrame", "TKvPieLegendSettingsFrame", "TKvSelectSeriesFrame"};

void TestRuntime::registryCreatesEveryPaletteClass_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("visual");
    static const QStringList visual = {"TKvRichLabel", "TKvCaptionEdit", "TKvIntegerEdit", "TKvDoubleEdit", "TKvNumericUpDn",
                                       "TKvCheckBox", "TKvRadioGroup", "TKvColorPickCombo", "TKvDashStylesList",
                                       "TKvDashStylesCombo", "TKvAreaStylesList", "TKvAreaStylesCombo", "TKvPointSymbolsList",
                                       "TKvPointSymbolsCombo", "TKvUndoButton", "TKvRedoButton", "TKvGraph2D", "TKvPieChart"};
    QCOMPARE(std::size(PaletteClasses), size_t(60));
    for (const char *c : PaletteClasses) {
        const QString name = QString::fromLatin1(c);
        QTest::newRow(c) << name << (visual.contains(name) || name.endsWith(QLatin1String("Frame")));
    }
}

void TestRuntime::registryCreatesEveryPaletteClass()
{
    QFETCH(QString, className);
    QFETCH(bool, visual);
    Form f;
    f.Root.SetDesigning(true);
    TComponent *c = CreateComponentOfClass(className, &f.Root);
    QVERIFY(c);
    QCOMPARE(c->ClassName(), className);
    QVERIFY(c->IsDesigning());
    QCOMPARE(c->Owner(), &f.Root);
    QCOMPARE(bool(qobject_cast<TControl *>(c->AsObject())), visual);
    QCOMPARE(bool(qobject_cast<TNonVisualComponent *>(c->AsObject())), !visual);
    c->SetName(QStringLiteral("Comp1"));
    if (auto *w = qobject_cast<QWidget *>(c->AsObject()))
        QVERIFY(!w->grab().isNull());
}

void TestRuntime::publishedPropertiesHaveTheirTypes_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("typeName");
    // What the editor registration and the property categories name, on the classes they name.
    const QList<std::tuple<const char *, const char *, const char *>> rows = {
        {"TKvDoubleEdit", "Value", "Double"}, {"TKvDoubleEdit", "MinValue", "Double"}, {"TKvDoubleEdit", "MaxValue", "Double"},
        {"TKvDoubleEdit", "AsDateTime", "Boolean"}, {"TKvDoubleEdit", "AsTimeSpan", "Boolean"}, {"TKvDoubleEdit", "Format", "string"},
        {"TKvDoubleEdit", "DoHashes", "Boolean"}, {"TKvDoubleEdit", "PropertyLinks", "TKvPropertyLinks"},
        {"TKvNumericUpDn", "Digits", "Integer"}, {"TKvNumericUpDn", "BtnWidth", "Integer"}, {"TKvNumericUpDn", "DecimalPlaces", "Integer"},
        {"TKvCheckBox", "PropertyLinks", "TKvPropertyLinks"}, {"TKvRadioGroup", "PropertyLinks", "TKvPropertyLinks"},
        {"TKvIntegerEdit", "PropertyLinks", "TKvPropertyLinks"},
        {"TKvMovingAverage", "N", "Integer"}, {"TKvCrossHair", "X", "Double"}, {"TKvVerticalMarker", "Y", "Double"},
        {"TKvHorizontalMarker", "XAxis", "TKvAxis"}, {"TKvLabelWithArrowMarker", "YAxis", "TKvAxis"},
        {"TKvAxis", "MovingSlitIncrement", "Double"}, {"TKvAxis", "MovingSlitWidth", "Double"},
        {"TKvAxis", "MaxForExtraExponent", "Double"}, {"TKvAxis", "MinForExtraExponent", "Double"},
        {"TKvAxis", "SlaveSlope", "Double"}, {"TKvAxis", "SlaveOffset", "Double"}, {"TKvAxis", "Start", "Double"},
        {"TKvAxis", "Stop", "Double"}, {"TKvAxis", "LogToNormalScalingLevel", "Double"}, {"TKvAxis", "Scaling", "TKvAxisScaling"},
        {"TKvAxis", "IsSlaveAxis", "Boolean"}, {"TKvAxis", "MasterAxis", "TKvAxis"}, {"TKvAxis", "Rubrics", "TStrings"},
        {"TKvAxis", "RubricsField", "string"}, {"TKvAxis", "ArrowPoint", "TKvAxisArrowPoint"},
        {"TKvLineSeries", "XAxis", "TKvAxis"}, {"TKvLineSeries", "YAxis", "TKvAxis"},
        {"TKvLineSeries", "XData", "TKvCustomDoubleVector"}, {"TKvPolynomial", "YData", "TKvCustomDoubleVector"},
        {"TKvLineSeries", "CalculationStart", "Double"}, {"TKvLineSeries", "DisplayStop", "Double"},
        {"TKvPointSeries", "MergeLegendItemWith", "TKvSeries"}, {"TKvLineSeries", "DrawBandTo", "TKvLineSeries"},
        {"TKvLineSeries", "Line", "TKvLineSettings"}, {"TKvPointSeries", "PointSymbol", "TKvPointSymbolSettings"},
        {"TKvGraph2D", "PrimaryXAxis", "TKvAxis"}, {"TKvGraph2D", "PrimaryYAxis", "TKvAxis"}, {"TKvGraph2D", "Caption", "TKvRichCaption"},
        {"TKvGraph2D", "BackgroundGradient", "TKvGradientSettings"}, {"TKvGraph2D", "DataAreaGradient", "TKvGradientSettings"},
        {"TKvGraph2D", "DataAreaColor", "TKvColor"}, {"TKvDoubleVector", "Values", "TDoubleDynArray"},
        {"TKvDoubleVector", "DataField", "string"}, {"TKvBars", "Captions", "TStrings"}, {"TKvBars", "CaptionsField", "string"},
        {"TKvBars", "BarStyle", "TKvBarStyle"}, {"TKvBars", "LabelPosition", "TKvBarLabelPosition"}, {"TKvBars", "LabelStyle", "TKvLabelStyle"},
        {"TKvBars", "Area", "TKvAreaSettings"}, {"TKvPieChart", "Captions", "TStrings"}, {"TKvPieChart", "CaptionsField", "string"},
        {"TKvPieChart", "SegmentSettingsPalette", "TKvFillPalette"}, {"TKvPieChart", "PieChartType", "TKvPieChartType"},
        {"TKvPieChart", "LabelPosition", "TKvPieLabelPosition"}, {"TKvPieChart", "CalloutArrowVisibleMode", "TKvCalloutArrowVisibleMode"},
        {"TKvPieLegend", "Position", "TKvPieLegendPosition"}, {"TKvLegend", "ItemsOrderList", "TStrings"},
        {"TKvFittedLine", "Coefficients", "TDoubleDynArray"}, {"TKvInterpolation", "InterpolationMethod", "TKvInterpolationMethod"},
        {"TKvMovingAverage", "AveragingMethod", "TKvAveragingMethod"}, {"TKvMovingAverage", "AveragingDirection", "TKvAveragingDirection"},
        {"TKvMovingAverage", "AveragingRangeMethod", "TKvAveragingRangeMethod"}, {"TKvRichLabel", "Alignment", "TKvContentAlignment"},
        {"TKvRichLabel", "TextRenderingHint", "TKvTextRenderingHint"}, {"TKvRichLabel", "Font", "TKvFont"},
        {"TKvCrossHair", "CaptionPosition", "TKvXHairCaptionPosition"}, {"TKvCrossHair", "Line", "TKvSimpleLineSettings"},
        {"TKvLabelWithArrowMarker", "Arrow", "TKvArrowSettings"}, {"TKvGradientFrame", "Gradient", "TKvGradientSettings"},
        {"TKvDashStylesCombo", "DashStyle", "TDashStyle"}, {"TKvDashStylesList", "LineWidth", "Single"},
        {"TKvAreaStylesList", "AreaStyle", "TKvAreaStyle"}, {"TKvAreaStylesCombo", "AreaForeColor", "TKvColor"},
        {"TKvPointSymbolsList", "Symbol", "TKvPointSymbol"}, {"TKvPointSymbolsCombo", "SymbolBorderLineWidth", "Single"},
        {"TKvColorPickCombo", "ActiveColor", "TKvColor"},
    };
    for (const auto &[cls, prop, type] : rows)
        QTest::newRow(QByteArray(cls).append('.').append(prop).constData()) << QString::fromLatin1(cls) << QString::fromLatin1(prop) << QString::fromLatin1(type);
}

void TestRuntime::publishedPropertiesHaveTheirTypes()
{
    QFETCH(QString, className);
    QFETCH(QString, property);
    QFETCH(QString, typeName);
    const TComponentClass cls = FindClass(className);
    QVERIFY(cls);
    PPropInfo p = GetPropInfo(cls, property);
    QVERIFY2(p, qPrintable(className + QLatin1Char('.') + property));
    QCOMPARE(p->PropType->Name, typeName);
    QVERIFY(p->Writable());
    if (p->PropType->Kind == TTypeKind::tkEnumeration && typeName != QLatin1String("Boolean"))
        QVERIFY(!GetEnumNames(p->PropType).isEmpty()); // the editors list the members
}

void TestRuntime::colorIsADistinctTypeConvertingBothWays()
{
    QVERIFY(QMetaType::fromType<TKvColor>() != QMetaType::fromType<int>());
    QVariant v = QVariant::fromValue(TKvColor(0xFFFF0000));
    QVERIFY(v.canConvert<int>());
    QCOMPARE(v.toInt(), -65536); // how form files store opaque red
    QVERIFY(v.convert(QMetaType::fromType<qlonglong>()));
    QCOMPARE(v.toLongLong(), -65536LL);
    QVERIFY(v.convert(QMetaType::fromType<TKvColor>()));
    QCOMPARE(v.value<TKvColor>().Value, 0xFFFF0000u);
    QVariant i(int(0x80112233));
    QVERIFY(i.convert(QMetaType::fromType<TKvColor>()));
    QCOMPARE(i.value<TKvColor>().Alpha(), quint8(0x80));
    // Through the integer property interface the colour editor uses.
    TKvAxis axis;
    PPropInfo p = GetPropInfo(&axis, QStringLiteral("TickColor"));
    SetOrdProp(&axis, p, qint32(0xFF00FF00));
    QCOMPARE(axis.TickColor().Value, 0xFF00FF00u);
    QCOMPARE(GetOrdProp(&axis, p), qlonglong(qint32(0xFF00FF00)));
    // The dynamic array is its own type too.
    QVERIFY(QMetaType::fromType<TDoubleDynArray>() != QMetaType::fromType<QList<double>>());
    QVariant a = QVariant::fromValue(TDoubleDynArray({1.0, 2.0}));
    QVERIFY(a.convert(QMetaType::fromType<QList<double>>()));
    QCOMPARE(a.value<QList<double>>(), QList<double>({1.0, 2.0}));
}

void TestRuntime::enumerationsKeepTheirOrder()
{
    QCOMPARE(GetEnumNames(TypeInfo<TDashStyle>()).mid(0, 5),
             QStringList({"DashStyleSolid", "DashStyleDash", "DashStyleDot", "DashStyleDashDot", "DashStyleDashDotDot"}));
    QCOMPARE(GetEnumName(TypeInfo<TKvAxisScaling>(), 4), QStringLiteral("DateTime"));
    QVERIFY(GetEnumNames(TypeInfo<TKvAreaStyle>()).contains(QStringLiteral("Total")));
    QVERIFY(GetEnumNames(TypeInfo<TKvPointSymbol>()).contains(QStringLiteral("Dot")));
    QCOMPARE(GetEnumNames(TypeInfo<TKvGradientStyle>()), QStringList({"Linear", "Radial", "Elliptical"}));
}

void TestRuntime::colorTextsReadBack()
{
    QVERIFY(ColorNames().size() >= 167);
    QCOMPARE(QStringList(ColorNames()).removeDuplicates(), 0);
    for (const QString &n : ColorNames()) {
        const TKvColor c = ColorToARGB(n);
        QCOMPARE(ColorToARGB(ARGBToString(c, true)).Value, c.Value);
        QCOMPARE(ColorToARGB(ARGBToString(c, false)).Value, c.Value);
    }
    QCOMPARE(ColorToARGB(QStringLiteral("red")).Value, 0xFFFF0000u);
    QCOMPARE(ColorToARGB(QStringLiteral("Alice Blue")).Value, 0xFFF0F8FFu);
    QCOMPARE(ARGBToString(0x7F102030, true), QStringLiteral("$7F102030"));
    QCOMPARE(ColorToARGB(QStringLiteral("#102030")).Value, 0xFF102030u);
    QCOMPARE(ColorToARGB(QStringLiteral("-65536")).Value, 0xFFFF0000u);
    QVERIFY_THROWS_EXCEPTION(EConvertError, ColorToARGB(QStringLiteral("Reddish")));
    QVERIFY_THROWS_EXCEPTION(EConvertError, ColorToARGB(QStringLiteral("$12345")));
}

void TestRuntime::settingsAssignCopiesEveryField_data()
{
    QTest::addColumn<QString>("className");
    for (const char *c : {"TKvLineSettings", "TKvSimpleLineSettings", "TKvAreaSettings", "TKvGradientSettings",
                          "TKvPointSymbolSettings", "TKvArrowSettings", "TKvAxisArrowPoint", "TKvFillSettings", "TKvFont"})
        QTest::newRow(c) << QString::fromLatin1(c);
}

void TestRuntime::settingsAssignCopiesEveryField()
{
    QFETCH(QString, className);
    auto make = [&](TKvNotify cb) -> TKvSettings * {
        static const QHash<QString, std::function<TKvSettings *(TKvNotify)>> f = {
            {"TKvLineSettings", [](TKvNotify n) { return new TKvLineSettings(n); }},
            {"TKvSimpleLineSettings", [](TKvNotify n) { return new TKvSimpleLineSettings(n); }},
            {"TKvAreaSettings", [](TKvNotify n) { return new TKvAreaSettings(n); }},
            {"TKvGradientSettings", [](TKvNotify n) { return new TKvGradientSettings(n); }},
            {"TKvPointSymbolSettings", [](TKvNotify n) { return new TKvPointSymbolSettings(n); }},
            {"TKvArrowSettings", [](TKvNotify n) { return new TKvArrowSettings(n); }},
            {"TKvAxisArrowPoint", [](TKvNotify n) { return new TKvAxisArrowPoint(n); }},
            {"TKvFillSettings", [](TKvNotify n) { return new TKvFillSettings(n); }},
            {"TKvFont", [](TKvNotify n) { return new TKvFont(n); }}};
        return f.value(className)(std::move(cb));
    };
    std::unique_ptr<TKvSettings> src(make({}));
    const QMap<QString, QVariant> defaults = Values(src.get());
    const int changed = ChangeAll(src.get());
    QCOMPARE(changed, defaults.size()); // every field is published and writable
    const QMap<QString, QVariant> edited = Values(src.get());
    for (auto it = defaults.begin(); it != defaults.end(); ++it)
        QVERIFY2(edited.value(it.key()) != it.value(), qPrintable(it.key()));
    int reports = 0;
    std::unique_ptr<TKvSettings> dst(make([&] { ++reports; }));
    dst->Assign(src.get());
    QCOMPARE(Values(dst.get()), edited);
    QCOMPARE(reports, 1); // one report for the whole copy
    QVERIFY_THROWS_EXCEPTION(EConvertError, dst->Assign(nullptr));
}

void TestRuntime::everySetterReportsAlsoInsideSubObjects()
{
    int reports = 0;
    TKvAreaSettings area([&] { ++reports; });
    const int n = ChangeAll(&area);
    QCOMPARE(reports, n);
    QVERIFY(n > 5);
    reports = 0;
    area.Gradient()->SetFirstColor(0xFF010203); // inside the sub-object
    QCOMPARE(reports, 1);
    reports = 0;
    area.SetVisible(area.Visible()); // a setter reports even when the value stays
    QCOMPARE(reports, 1);
}

void TestRuntime::graphPaintsLineSeriesPixels()
{
    Chart c;
    auto *s = c.F.Add<TKvLineSeries>(QStringLiteral("Series1"));
    s->SetGraph(c.G);
    s->SetXData(Vector(c.F, QStringLiteral("Vx"), {0, 10}));
    s->SetYData(Vector(c.F, QStringLiteral("Vy"), {5, 5}));
    s->Line()->SetColor(0xFFFF0000);
    s->Line()->SetWidth(3);
    QImage img = c.G->grab().toImage();
    QVERIFY(Near(img.pixelColor(c.Pixel(5, 5)), Qt::red, 10));
    QVERIFY(Near(img.pixelColor(c.Pixel(2, 5)), Qt::red, 10));
    QVERIFY(Near(img.pixelColor(c.Pixel(5, 8)), Qt::white, 10));
    // A changed value vector moves the line.
    qobject_cast<TKvDoubleVector *>(s->YData())->SetValues({8, 8});
    img = c.G->grab().toImage();
    QVERIFY(Near(img.pixelColor(c.Pixel(5, 8)), Qt::red, 10));
    QVERIFY(Near(img.pixelColor(c.Pixel(5, 5)), Qt::white, 10));
    // The axis range decides where values land: Y now 0..20 puts 8 lower.
    c.Y->SetStop(20);
    img = c.G->grab().toImage();
    QVERIFY(Near(img.pixelColor(c.Pixel(5, 4)), Qt::red, 10));
    // A hidden series draws nothing.
    s->SetVisible(false);
    QVERIFY(Near(c.G->grab().toImage().pixelColor(c.Pixel(5, 4)), Qt::white, 10));
}

void TestRuntime::graphPaintsPointSymbolsAndBars()
{
    Chart c;
    auto *p = c.F.Add<TKvPointSeries>(QStringLiteral("Points"));
    p->SetGraph(c.G);
    p->SetXData(Vector(c.F, QStringLiteral("Px"), {2}));
    p->SetYData(Vector(c.F, QStringLiteral("Py"), {7}));
    p->PointSymbol()->SetPointSymbol(TKvPointSymbol::Square);
    p->PointSymbol()->SetSize(12);
    p->PointSymbol()->SetFillColor(0xFF00FF00);
    auto *b = c.F.Add<TKvBars>(QStringLiteral("Bars"));
    b->SetGraph(c.G);
    b->SetXData(Vector(c.F, QStringLiteral("Bx"), {6, 8}));
    b->SetYData(Vector(c.F, QStringLiteral("By"), {4, 2}));
    b->Area()->SetForeColor(0xFF0000FF);
    const QImage img = c.G->grab().toImage();
    QVERIFY(Near(img.pixelColor(c.Pixel(2, 7)), Qt::green, 10));
    QVERIFY(Near(img.pixelColor(c.Pixel(6, 2)), Qt::blue, 10));   // inside the first bar
    QVERIFY(Near(img.pixelColor(c.Pixel(6, 5)), Qt::white, 10));  // above it
    QVERIFY(Near(img.pixelColor(c.Pixel(8, 1)), Qt::blue, 10));
    QVERIFY(Near(img.pixelColor(c.Pixel(8, 3)), Qt::white, 10));
    QVERIFY(Near(img.pixelColor(c.Pixel(7, 1)), Qt::white, 10));  // between the bars
}

void TestRuntime::graphRepaintsWhenAPropertyChanges()
{
    Chart c;
    int paints = 0;
    struct Counter : QObject {
        int *N;
        bool eventFilter(QObject *, QEvent *e) override { *N += e->type() == QEvent::Paint; return false; }
    } counter;
    counter.N = &paints;
    c.G->installEventFilter(&counter);
    c.G->show();
    QVERIFY(QTest::qWaitForWindowExposed(c.G));
    QTRY_VERIFY(paints > 0);
    paints = 0;
    c.X->SetTickLength(9); // an element's property
    QTRY_VERIFY(paints > 0);
    paints = 0;
    c.G->DataAreaGradient()->SetVisible(true); // a sub-object of the graph
    QTRY_VERIFY(paints > 0);
    auto *s = c.F.Add<TKvLineSeries>(QStringLiteral("S"));
    s->SetGraph(c.G);
    QTRY_VERIFY(paints > 0);
    paints = 0;
    s->Line()->Gradient()->SetVisible(true); // deep inside an element's settings
    QTRY_VERIFY(paints > 0);
    paints = 0;
    qobject_cast<TKvAxis *>(c.Y)->Rubrics()->Add(QStringLiteral("a")); // an element's list
    QTRY_VERIFY(paints > 0);
}

void TestRuntime::dateTimeAxisLabelsAreDates()
{
    TKvAxis a;
    a.SetScaling(TKvAxisScaling::DateTime);
    const double day = DateTimeToDouble(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    a.SetStart(day);
    a.SetStop(day + 10);
    const QList<double> ticks = a.Ticks();
    QVERIFY(ticks.size() >= 3);
    QCOMPARE(a.TickLabel(day), QLocale().toString(QDate(2024, 3, 1), QLocale::ShortFormat));
    // Plain scaling writes numbers; log scaling ticks at decades.
    a.SetScaling(TKvAxisScaling::Linear);
    a.SetStart(0);
    a.SetStop(1);
    QCOMPARE(a.Ticks().first(), 0.0);
    QCOMPARE(a.TickLabel(0.5), QStringLiteral("0.5"));
    a.SetScaling(TKvAxisScaling::Logarithmic);
    a.SetStart(1);
    a.SetStop(1000);
    QCOMPARE(a.Ticks(), QList<double>({1, 10, 100, 1000}));
    QCOMPARE(a.ToPixel(10, 0, 300), 100.0);
    QCOMPARE(DoubleToDateTime(day).date(), QDate(2024, 3, 1));

    // Dates too long for their ticks' spacing do not run into each other: every run of ink in
    // the labels' band (a word space inside a label does not end a run) is at most one label
    // wide.
    a.SetScaling(TKvAxisScaling::DateTime);
    a.SetStart(day);
    a.SetStop(day + 12);
    QImage img(420, 60, QImage::Format_ARGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        a.Draw(p, QRectF(30, 0, 360, 10), 0);
    }
    const QFontMetricsF fm(a.NumbersFont()->ToQFont());
    double widest = 0;
    for (double t : a.Ticks())
        widest = qMax(widest, fm.horizontalAdvance(a.TickLabel(t)));
    const int space = qCeil(fm.horizontalAdvance(QLatin1Char(' '))) + 2;
    int start = -1, last = -1000, longest = 0, runs = 0;
    for (int x = 0; x < img.width(); ++x) {
        bool ink = false;
        for (int y = 10 + a.TickLength() + 2; y < 10 + a.TickLength() + 2 + int(fm.height()); ++y)
            ink = ink || qGray(img.pixel(x, y)) < 160;
        if (!ink)
            continue;
        if (x - last > space) {
            start = x;
            ++runs;
        }
        last = x;
        longest = qMax(longest, x - start + 1);
    }
    QVERIFY2(runs >= 2, "labels drawn apart from each other");
    QVERIFY2(longest <= widest + 2, qPrintable(QStringLiteral("ink run %1 wider than a label %2").arg(longest).arg(widest)));
}

void TestRuntime::slaveAxisFollowsItsMaster()
{
    TKvAxis master, slave;
    master.SetStart(0);
    master.SetStop(10);
    slave.SetMasterAxis(&master);
    slave.SetIsSlaveAxis(true);
    slave.SetSlaveSlope(2);
    slave.SetSlaveOffset(1);
    QCOMPARE(slave.EffectiveStart(), 1.0);
    QCOMPARE(slave.EffectiveStop(), 21.0);
    slave.SetIsSlaveAxis(false);
    QCOMPARE(slave.EffectiveStop(), slave.Stop());
}

void TestRuntime::legendOrdersAndMergesItems()
{
    Chart c;
    auto *a = c.F.Add<TKvLineSeries>(QStringLiteral("A"));
    auto *b = c.F.Add<TKvPointSeries>(QStringLiteral("B"));
    auto *m = c.F.Add<TKvLineSeries>(QStringLiteral("M"));
    for (TKvSeries *s : {static_cast<TKvSeries *>(a), static_cast<TKvSeries *>(b), static_cast<TKvSeries *>(m)})
        s->SetGraph(c.G);
    m->SetMergeLegendItemWith(a);
    auto *l = c.F.Add<TKvLegend>(QStringLiteral("Legend1"));
    l->SetGraph(c.G);
    QCOMPARE(l->Items(), QList<TKvSeries *>({a, b}));
    l->ItemsOrderList()->SetStrings({QStringLiteral("b"), QStringLiteral("Unknown")});
    QCOMPARE(l->Items(), QList<TKvSeries *>({b, a}));
    b->SetCaption(TKvRichCaption(QStringLiteral("{\\kvcap1 \\b Bold\\b0  points}")));
    QCOMPARE(l->ItemCaption(0), QStringLiteral("Bold points"));
    delete b;
    QCOMPARE(l->Items(), QList<TKvSeries *>({a}));
    c.G->grab();
}

void TestRuntime::pieChartPaintsSegmentsWithItsPalette()
{
    Form f;
    auto *pie = f.Add<TKvPieChart>(QStringLiteral("Pie1"));
    pie->resize(200, 200);
    pie->SetLabelPosition(TKvPieLabelPosition::NoLabels);
    pie->SetValues({1, 1});
    // Start at 90 degrees, counter-clockwise: the first half is the left one.
    const QRectF r = pie->PieRect(QRectF(pie->rect()));
    const QPoint left(qRound(r.center().x() - r.width() * 3 / 8), qRound(r.center().y()));
    const QPoint right(qRound(r.center().x() + r.width() * 3 / 8), qRound(r.center().y()));
    auto *pal = f.Add<TKvFillPalette>(QStringLiteral("Palette1"));
    pal->SetEntries({QStringLiteral("Total;$FFFF0000;$FFFFFFFF"), QStringLiteral("Total;$FF00FF00;$FFFFFFFF")});
    pie->SetSegmentSettingsPalette(pal);
    QImage img = pie->grab().toImage();
    QVERIFY(Near(img.pixelColor(left), Qt::red, 10));
    QVERIFY(Near(img.pixelColor(right), Qt::green, 10));
    QCOMPARE(pie->SegmentAt(left), 0);
    QCOMPARE(pie->SegmentAt(right), 1);
    // Editing the palette repaints with the new colour; a donut leaves its hole.
    pal->GetItem(1)->SetForeColor(0xFF0000FF);
    pie->SetPieChartType(TKvPieChartType::Donut);
    img = pie->grab().toImage();
    QVERIFY(Near(img.pixelColor(right), Qt::blue, 10));
    QVERIFY(Near(img.pixelColor(r.center().toPoint()), Qt::white, 10));
    QCOMPARE(pie->SegmentAt(r.center()), -1);
    // A pie legend lists the segments.
    auto *legend = f.Add<TKvPieLegend>(QStringLiteral("PieLegend1"));
    legend->SetGraph(pie);
    pie->Captions()->SetStrings({QStringLiteral("North"), QStringLiteral("South")});
    QCOMPARE(legend->ItemCount(), 2);
    QCOMPARE(legend->ItemCaption(1), QStringLiteral("South"));
    delete pal;
    QCOMPARE(pie->SegmentSettingsPalette(), nullptr);
    pie->grab();
}

void TestRuntime::fillPaletteEntriesReadBackAndRejectBadLines()
{
    TKvFillPalette a, b;
    a.SetEntries({QStringLiteral("Cross;$FF112233;$00FFFFFF"), QStringLiteral("Total;Red;White")});
    QCOMPARE(a.GetCount(), 2);
    QCOMPARE(a.GetItem(0)->AreaStyle(), TKvAreaStyle::Cross);
    b.Assign(&a);
    QCOMPARE(b.Entries(), a.Entries());
    b.GetItem(0)->SetForeColor(0xFF000000); // a deep copy
    QCOMPARE(a.GetItem(0)->ForeColor().Value, 0xFF112233u);
    QVERIFY_THROWS_EXCEPTION(EConvertError, a.SetEntries({QStringLiteral("Total;Red;White"), QStringLiteral("Plaid;Red;White")}));
    QCOMPARE(a.GetCount(), 2); // nothing lost
    QVERIFY_THROWS_EXCEPTION(EConvertError, a.GetItem(2));
}

void TestRuntime::doubleEditKeepsValueOnBadText()
{
    TKvDoubleEdit e;
    e.SetValue(2.5);
    QSignalSpy changed(&e, &TKvLinkedControl::OnValueChanged);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    e.Edit()->setFocus();
    e.Edit()->selectAll();
    QTest::keyClicks(e.Edit(), QStringLiteral("12abc"));
    QTest::keyClick(e.Edit(), Qt::Key_Return);
    QCOMPARE(e.Value(), 2.5);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(e.Text(), e.ValueText()); // the old value is shown again
    e.Edit()->selectAll();
    QTest::keyClicks(e.Edit(), QLocale().toString(7.25));
    QTest::keyClick(e.Edit(), Qt::Key_Return);
    QCOMPARE(e.Value(), 7.25);
    QCOMPARE(changed.count(), 1);
    QTest::keyClick(e.Edit(), Qt::Key_Up);
    QCOMPARE(e.Value(), 8.25);
    QVERIFY_THROWS_EXCEPTION(EConvertError, e.SetText(QStringLiteral("1..2")));
    QCOMPARE(e.Value(), 8.25);
    // Limits and format.
    e.SetMinValue(0);
    e.SetMaxValue(5);
    e.SetValue(9);
    QCOMPARE(e.Value(), 5.0);
    e.SetFormat(QStringLiteral("0.000"));
    QCOMPARE(e.Text(), QLocale().toString(5.0, 'f', 3));
}

void TestRuntime::doubleEditReadsTimeSpansAndDates()
{
    TKvDoubleEdit e;
    e.SetAsTimeSpan(true);
    e.SetText(QStringLiteral("1.12:00:00"));
    QCOMPARE(e.Value(), 1.5);
    QCOMPARE(e.Text(), QStringLiteral("1.12:00:00"));
    QVERIFY_THROWS_EXCEPTION(EConvertError, e.SetText(QStringLiteral("12:75")));
    QCOMPARE(e.Value(), 1.5);
    QCOMPARE(DoubleFomTimeSpanStr(DoubleToTimeSpanStr(-0.123456)), std::round(-0.123456 * 86400000) / 86400000);
    e.SetAsTimeSpan(false);
    e.SetAsDateTime(true);
    const double d = DateTimeToDouble(QDateTime(QDate(2023, 7, 14), QTime(13, 30)));
    e.SetValue(d);
    e.SetText(e.Text());
    QCOMPARE(e.Value(), d);
    QVERIFY_THROWS_EXCEPTION(EConvertError, e.SetText(QStringLiteral("32.13.2023")));
}

void TestRuntime::integerEditAndUpDownClampAndStep()
{
    TKvIntegerEdit i;
    i.SetMinValue(1);
    i.SetMaxValue(10);
    i.SetText(QStringLiteral("42"));
    QCOMPARE(i.Value(), 10);
    QVERIFY_THROWS_EXCEPTION(EConvertError, i.SetText(QStringLiteral("4.5")));
    QCOMPARE(i.Value(), 10);
    TKvNumericUpDn u;
    u.SetDecimalPlaces(1);
    u.SetDigits(3);
    u.SetIncrement(0.5);
    u.SetValue(2.26);
    QCOMPARE(u.Value(), 2.3);
    QCOMPARE(u.Text(), QStringLiteral("002") + QLocale().decimalPoint() + QStringLiteral("3"));
    QTest::mouseClick(u.UpButton(), Qt::LeftButton);
    QCOMPARE(u.Value(), 2.8);
    u.SetMaxValue(2);
    QCOMPARE(u.Value(), 2.0); // a new limit applies at once
    u.SetBtnWidth(23);
    QCOMPARE(u.DownButton()->width(), 23);
}

void TestRuntime::linkedControlsWriteTheirTargets()
{
    Form f;
    auto *axis = f.Add<TKvAxis>(QStringLiteral("Axis1"));
    auto *graph = f.Add<TKvGraph2D>(QStringLiteral("Graph1"));
    auto *edit = f.Add<TKvDoubleEdit>(QStringLiteral("Edit1"));
    edit->PropertyLinks()->LinkNames()->SetStrings({QStringLiteral("Axis1.Start"), QStringLiteral("Graph1.DataAreaGradient.LinearAngle"),
                                                    QStringLiteral("Nobody.Start"), QStringLiteral("Axis1.NoSuchProperty")});
    QVERIFY(edit->PropertyLinks()->CheckLink(QStringLiteral("Axis1.Start")));
    QVERIFY(!edit->PropertyLinks()->CheckLink(QStringLiteral("Nobody.Start")));
    // A double edit feeds Double and Single properties, nothing else.
    QCOMPARE(edit->PropertyLinks()->TypeNameFilter(), QStringLiteral("Double"));
    QVERIFY(edit->PropertyLinks()->CheckLink(QStringLiteral("Graph1.DataAreaGradient.LinearAngle"))); // a Single
    QVERIFY(!edit->PropertyLinks()->CheckLink(QStringLiteral("Axis1.TickLength")));                      // an Integer
    QVERIFY(edit->PropertyLinks()->CheckLink(QStringLiteral("Form1.Axis1.Stop"))); // through the module's name
    edit->SetValue(3.5);
    QCOMPARE(axis->Start(), 3.5);
    QCOMPARE(graph->DataAreaGradient()->LinearAngle(), 3.5f);
    auto *check = f.Add<TKvCheckBox>(QStringLiteral("Check1"));
    check->PropertyLinks()->LinkNames()->Add(QStringLiteral("Axis1.IsSlaveAxis"));
    QSignalSpy spy(check, &TKvLinkedControl::OnValueChanged);
    QTest::mouseClick(check->Box(), Qt::LeftButton, {}, QPoint(5, check->Box()->height() / 2));
    QVERIFY(check->Checked());
    QVERIFY(axis->IsSlaveAxis());
    check->SetChecked(false); // set by code: fires too
    QCOMPARE(spy.count(), 2);
    QVERIFY(!axis->IsSlaveAxis());
    auto *radio = f.Add<TKvRadioGroup>(QStringLiteral("Radio1"));
    radio->Items()->SetStrings({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    radio->PropertyLinks()->LinkNames()->Add(QStringLiteral("Axis1.TickLength"));
    radio->Buttons().at(2)->click();
    QCOMPARE(radio->ItemIndex(), 2);
    QCOMPARE(axis->TickLength(), 2);
    QVERIFY_THROWS_EXCEPTION(EConvertError, radio->SetItemIndex(3));
    // Designing: the links do not write into the form's components.
    f.Root.SetDesigning(true);
    edit->SetValue(9);
    QCOMPARE(axis->Start(), 3.5);
}

void TestRuntime::captionEditKeepsVariablesAndAttributes()
{
    TKvCaptionEdit e;
    e.SetCaption(TKvRichCaption(QStringLiteral("Temp ")));
    QCOMPARE(e.GetCaption().Text, QStringLiteral("Temp "));
    e.SetSelStart(5);
    e.SetSelVariable(QStringLiteral("Series1.Mean;0.00"));
    QCOMPARE(e.SelStart(), 5);
    e.SetSelStart(6); // the dialog steps over the variable
    QCOMPARE(e.GetSelVariable(), QStringLiteral("Series1.Mean;0.00"));
    e.SetSelStart(0);
    e.SetSelLength(4);
    e.SetBold(true);
    QVERIFY(e.GetBold());
    e.SetSelColor(clRed);
    QCOMPARE(e.GetSelColor(), clRed);
    // Through the caption text and back.
    TKvCaptionEdit copy;
    copy.SetCaption(e.GetCaption());
    copy.SetSelStart(6);
    QCOMPARE(copy.GetSelVariable(), QStringLiteral("Series1.Mean;0.00"));
    copy.SetSelStart(1);
    QVERIFY(copy.GetBold());
    copy.SetSelStart(5);
    QVERIFY(!copy.GetBold());
}

void TestRuntime::calculations()
{
    Form f;
    auto *x = Vector(f, QStringLiteral("X"), {0, 1, 2, 3, 4, 5});
    auto *y = Vector(f, QStringLiteral("Y"), {1, 3, 5, 7, 9, 11});
    auto bind = [&](TKvSeries *s) { s->SetXData(x), s->SetYData(y); return s; };
    auto *reg = static_cast<TKvLinearRegression *>(bind(f.Add<TKvLinearRegression>(QStringLiteral("Reg"))));
    QCOMPARE(qRound(reg->Slope() * 1e9), qRound(2e9));
    QCOMPARE(qRound(reg->Offset() * 1e9), qRound(1e9));
    auto *poly = static_cast<TKvPolynomial *>(bind(f.Add<TKvPolynomial>(QStringLiteral("Poly"))));
    y->SetValues({0, 1, 4, 9, 16, 25});
    const QList<double> c = poly->GetCoefficients();
    QVERIFY(std::abs(c[2] - 1) < 1e-9 && std::abs(c[1]) < 1e-9 && std::abs(c[0]) < 1e-9);
    poly->SetCalculationStart(0);
    poly->SetCalculationStop(1); // two values cannot carry three coefficients
    QVERIFY(poly->Points().isEmpty());
    QVERIFY(!poly->CalculationError().isEmpty());
    auto *glls = static_cast<TKvGeneralLinearLeastSquares *>(bind(f.Add<TKvGeneralLinearLeastSquares>(QStringLiteral("G"))));
    glls->SetExpression(QStringLiteral("x^2; 1"));
    QVERIFY(std::abs(glls->GetCoefficients()[0] - 1) < 1e-9);
    auto *avg = static_cast<TKvMovingAverage *>(bind(f.Add<TKvMovingAverage>(QStringLiteral("Avg"))));
    avg->SetN(3);
    QCOMPARE(avg->Points().size(), 4);
    QCOMPARE(avg->Points().first(), QPointF(2, (0 + 1 + 4) / 3.0));
    avg->SetAveragingDirection(TKvAveragingDirection::Centered);
    QCOMPARE(avg->Points().first(), QPointF(1, (0 + 1 + 4) / 3.0));
    avg->SetAveragingMethod(TKvAveragingMethod::Median);
    QCOMPARE(avg->Points().first().y(), 1.0);
    auto *ip = static_cast<TKvInterpolation *>(bind(f.Add<TKvInterpolation>(QStringLiteral("Ip"))));
    ip->SetSmoothPoints(11);
    ip->SetInterpolationMethod(TKvInterpolationMethod::Linear);
    QCOMPARE(ip->Points().at(1), QPointF(0.5, 0.5));
    ip->SetInterpolationMethod(TKvInterpolationMethod::CubicSpline);
    QCOMPARE(ip->Points().at(2).y(), 1.0); // through the values
    auto *integral = static_cast<TKvIntegral *>(bind(f.Add<TKvIntegral>(QStringLiteral("Int"))));
    y->SetValues({2, 2, 2, 2, 2, 2});
    integral->SetOffset(1);
    QCOMPARE(integral->Points().last(), QPointF(5, 11));
    auto *diff = bind(f.Add<TKvDifferential>(QStringLiteral("Diff")));
    y->SetValues({0, 3, 6, 9, 12, 15});
    for (const QPointF &p : diff->Points())
        QCOMPARE(p.y(), 3.0);
    auto *dft = bind(f.Add<TKvDiscreteFourier>(QStringLiteral("Dft")));
    QList<double> xs, ys;
    for (int i = 0; i < 64; ++i)
        xs << i * 0.125, ys << 2 * std::sin(2 * M_PI * 1.0 * i * 0.125);
    x->SetValues(xs);
    y->SetValues(ys);
    const QList<QPointF> spectrum = dft->Points();
    const auto peak = std::max_element(spectrum.begin(), spectrum.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    QCOMPARE(peak->x(), 1.0);
    QVERIFY(std::abs(peak->y() - 2) < 1e-9);
}

void TestRuntime::fittedLineRecoversParameters()
{
    Form f;
    QList<double> xs, ys;
    for (int i = 0; i <= 20; ++i)
        xs << i * 0.25, ys << 3 * std::exp(-0.7 * i * 0.25) + 0.5;
    auto *fit = f.Add<TKvFittedLine>(QStringLiteral("Fit"));
    fit->SetXData(Vector(f, QStringLiteral("X"), xs));
    fit->SetYData(Vector(f, QStringLiteral("Y"), ys));
    fit->SetFittingFunction(QStringLiteral("a0*exp(-a1*x) + a2"));
    fit->SetCoefficients({1, 1, 0});
    const QList<double> p = fit->FittedCoefficients();
    QVERIFY2(std::abs(p[0] - 3) < 1e-4 && std::abs(p[1] - 0.7) < 1e-4 && std::abs(p[2] - 0.5) < 1e-4,
             qPrintable(QStringLiteral("%1 %2 %3").arg(p[0]).arg(p[1]).arg(p[2])));
    QCOMPARE(fit->GetCoefficients(), TDoubleDynArray({1, 1, 0})); // the start values stay
    fit->SetFittingFunction(QStringLiteral("a0*exp(-a1*x"));
    QVERIFY(fit->Points().isEmpty());
    QVERIFY(fit->CalculationError().contains(QStringLiteral("a0*exp(-a1*x")));
}

void TestRuntime::parserRejectsBadExpressions()
{
    TKvFunctionParser p;
    p.SetExpression(QStringLiteral("2*x + y"));
    p.SetVariable(QStringLiteral("x"), 3);
    p.SetVariable(QStringLiteral("y"), 1);
    QCOMPARE(p.GetResult(), 7.0);
    QVERIFY_THROWS_EXCEPTION(EConvertError, p.SetExpression(QStringLiteral("2*(x")));
    QCOMPARE(p.Expression(), QStringLiteral("2*x + y")); // the old one stays
    QCOMPARE(p.GetResult(), 7.0);
}

void TestRuntime::undoStackFreesAndRecreatesComponents()
{
    Form f;
    auto *stack = f.Add<TKvUndoStack>(QStringLiteral("Undo1"));
    auto *button = f.Add<TKvUndoButton>(QStringLiteral("UndoBtn"));
    button->SetUndoStack(stack);
    QVERIFY(!button->Button()->isEnabled());
    auto *axis = f.Add<TKvAxis>(QStringLiteral("Axis7"));
    axis->SetStop(42);
    stack->PushFreeComponent(axis, QStringLiteral("Create axis"));
    QVERIFY(button->Button()->isEnabled());
    QCOMPARE(button->Button()->toolTip(), QStringLiteral("Create axis"));
    QPointer<QObject> guard(axis);
    button->Button()->click();
    QVERIFY(guard.isNull());
    QVERIFY(!f.Root.FindComponent(QStringLiteral("Axis7")));
    stack->Redo();
    auto *again = ComponentCast<TKvAxis>(f.Root.FindComponent(QStringLiteral("Axis7")));
    QVERIFY(again);
    QCOMPARE(again->Stop(), 42.0);
    stack->Undo();
    QVERIFY(!f.Root.FindComponent(QStringLiteral("Axis7")));
    // Recording off: nothing is pushed.
    stack->SetRecording(false);
    stack->Push(QStringLiteral("x"), [] {}, [] {});
    QCOMPARE(stack->Count(), 1);
}

void TestRuntime::settingsDialogCancelRestoresValues()
{
    Chart c;
    c.X->SetCaption(TKvRichCaption(QStringLiteral("Time")));
    auto *tool = c.F.Add<TKvGraphSettingsTool>(QStringLiteral("Tool"));
    tool->SetGraph(c.G);
    std::unique_ptr<TKvSettingsDialog> d(tool->CreateDialog());
    QVERIFY(d);
    // The axis page edits the axis at once.
    TKvAxisSettingsFrame *frame = nullptr;
    for (int i = 0; i < d->Pages()->count() && !frame; ++i)
        if (auto *f = qobject_cast<TKvAxisSettingsFrame *>(d->Pages()->widget(i)); f && f->Axis() == c.X)
            frame = f;
    QVERIFY(frame);
    auto *stop = qobject_cast<TKvDoubleEdit *>(frame->EditorFor(QStringLiteral("Stop")));
    QVERIFY(stop);
    QCOMPARE(stop->Value(), 10.0);
    stop->SetText(QStringLiteral("50"));
    QCOMPARE(c.X->Stop(), 50.0);
    c.G->DataAreaGradient()->SetVisible(true);
    d->reject();
    QCOMPARE(c.X->Stop(), 10.0);
    QVERIFY(!c.G->DataAreaGradient()->Visible());
    QCOMPARE(c.X->Caption().Text, QStringLiteral("Time"));
    // A freed axis empties its frame.
    std::unique_ptr<TKvSettingsDialog> d2(tool->CreateDialog());
    delete c.Y;
    delete c.X;
    for (int i = 0; i < d2->Pages()->count(); ++i)
        if (auto *f = qobject_cast<TKvAxisSettingsFrame *>(d2->Pages()->widget(i)))
            QVERIFY(f->EditorNames().isEmpty());
}

void TestRuntime::uniqueNameSkipsTakenNames()
{
    Form f;
    f.Add<TKvAxis>(QStringLiteral("Axis1"));
    f.Add<TKvAxis>(QStringLiteral("Axis2"));
    QCOMPARE(UniqueName(&f.Root, QStringLiteral("Axis")), QStringLiteral("Axis"));
    f.Add<TKvAxis>(QStringLiteral("Axis"));
    QCOMPARE(UniqueName(&f.Root, QStringLiteral("axis")), QStringLiteral("axis3"));
    QCOMPARE(GetComponentFromRef(&f.Root, QStringLiteral("Form1.Axis2"))->Name(), QStringLiteral("Axis2"));
    QCOMPARE(GetComponentFromRef(&f.Root, QStringLiteral("Axis9")), nullptr);
}

void TestRuntime::axisAutoRangeAndRoundedEnds()
{
    Chart c;
    auto *s = c.F.Add<TKvPointSeries>(QStringLiteral("S"));
    s->SetGraph(c.G);
    s->SetXData(Vector(c.F, QStringLiteral("Vx"), {-3, 4, 17}));
    s->SetYData(Vector(c.F, QStringLiteral("Vy"), {1, 2, 3}));
    c.X->SetAutoStart(true);
    c.X->SetAutoStop(true);
    c.X->Calculate();
    QCOMPARE(c.X->Start(), -3.0);
    QCOMPARE(c.X->Stop(), 17.0);
    double a = c.X->Start(), b = c.X->Stop();
    c.X->RoundEnds(a, b);
    QVERIFY(a <= -3 && b >= 17);
    QCOMPARE(std::fmod(a, 5.0), 0.0);
    QCOMPARE(std::fmod(b, 5.0), 0.0);
    QCOMPARE(c.Y->Start(), 0.0); // no automatic range asked for
    // A right axis takes the other side: its ticks point right of the data area.
    c.Y->SetPosition(TKvAxisPosition::Right);
    QVERIFY(!c.Y->GetHorizontal());
    const QImage img = c.G->grab().toImage();
    const QRectF da = c.G->DataArea();
    QVERIFY(qGray(img.pixel(qRound(da.right() + 3), qRound(da.bottom()))) < 200); // the tick at 0
}

void TestRuntime::graphEditAddsComponentsWithUndo()
{
    Chart c;
    auto *s = c.F.Add<TKvLineSeries>(QStringLiteral("Series1"));
    s->SetGraph(c.G);
    TGraphEdit d;
    d.SetGraph(c.G);
    QCOMPARE(d.SettingsTab()->count(), 4); // graph, two axes, one series
    QVERIFY(d.SettingsTab()->widget(0)->findChild<TKvGraphSettingsFrame *>(QStringLiteral("GraphFrame")));
    d.SetActivPage(s);
    QCOMPARE(d.ActivePageObject(), s);
    d.AxLeft()->trigger();
    auto *left = ComponentCast<TKvAxis>(c.F.Root.FindComponent(QStringLiteral("LeftAxis")));
    QVERIFY(left);
    QCOMPARE(left->Position(), TKvAxisPosition::Left);
    QCOMPARE(left->Graph(), c.G);
    QCOMPARE(d.ActivePageObject(), left);
    d.findChild<QAction *>(QStringLiteral("AddBars"))->trigger();
    auto *bars = ComponentCast<TKvBars>(c.F.Root.FindComponent(QStringLiteral("Bars")));
    QVERIFY(bars);
    QCOMPARE(bars->Graph(), c.G);
    QCOMPARE(bars->XAxis(), c.X); // drawn at once against the graph's first axes
    d.AddLegendButton()->click();
    auto *legend = ComponentCast<TKvLegend>(c.F.Root.FindComponent(QStringLiteral("Legend")));
    QVERIFY(legend);
    QCOMPARE(legend->Position(), TKvLegendPosition::Free);
    QCOMPARE(legend->Caption().Text, QStringLiteral("Legend"));
    QVERIFY(!d.AddLegendButton()->isEnabled());
    QCOMPARE(d.UndoStack()->Count(), 3);
    // Undo takes the additions back, last first.
    d.UndoStack()->Undo();
    QVERIFY(!c.F.Root.FindComponent(QStringLiteral("Legend")));
    QVERIFY(d.AddLegendButton()->isEnabled());
    d.UndoStack()->Undo();
    QVERIFY(!c.F.Root.FindComponent(QStringLiteral("Bars")));
    QCOMPARE(c.G->SeriesList(), QList<TKvSeries *>{s});
    // Extended axis options add editors to the axis pages.
    d.SetExtendedAxisOptions(true);
    auto *axisFrame = d.findChild<TKvAxisSettingsFrame *>();
    QVERIFY(axisFrame && axisFrame->EditorFor(QStringLiteral("MovingSlitWidth")));
}

QTEST_MAIN(TestRuntime)
#include "tst_runtime.moc"
