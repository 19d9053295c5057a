// The form designer: placing and naming components, IDesigner look-ups, form files (round
// trips of the demo form and of every registered runtime class), references written before
// their targets, unknown properties, undo and redo, copy and paste, mouse work on the form.
#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include "DemoForm.h"
#include "DesignForm.h"
#include "DesignOverlay.h"
#include "FormDesigner.h"
#include "FormHistory.h"
#include "FormStreaming.h"
#include "Kvaxis.h"
#include "Kvgraph2d.h"
#include "Kvseries.h"
#include "Kvvectors.h"
#include "TypInfo.h"

namespace {
// A designed form with its designer, shown so that mouse work reaches the overlay.
struct TDesignerFixture {
    TDesignForm Form;
    TFormDesigner Designer{&Form};
    TComponent *Create(TComponentClass Cls, int L = 10, int T = 10)
    {
        return Designer.CreateComponent(Cls, nullptr, L, T, -1, -1);
    }
};

QString refName(QObject *o)
{
    TComponent *c = o ? AsComponent(o) : nullptr;
    return c ? c->Name() : QStringLiteral("nil");
}

// Every stored published value of A and B, sub-objects included; references by name.
void compareObjects(QObject *A, QObject *B, const QString &Path, QStringList &Diffs)
{
    if (A->metaObject() != B->metaObject()) {
        Diffs << Path + QStringLiteral(": class");
        return;
    }
    for (const TPropInfo &pi : GetPropInfos(A->metaObject())) {
        if (!pi.Prop.isStored())
            continue;
        const QString where = Path + QLatin1Char('.') + pi.Name;
        if (pi.PropType->Kind == TTypeKind::tkClass) {
            QObject *a = GetObjectProp(A, &pi), *b = GetObjectProp(B, &pi);
            if (InheritsFrom(pi.PropType->ClassType, &TPersistent::staticMetaObject)) {
                if (a && b)
                    compareObjects(a, b, where, Diffs);
                else if (bool(a) != bool(b))
                    Diffs << where;
            } else if (refName(a) != refName(b)) {
                Diffs << where + QStringLiteral(": ") + refName(a) + QStringLiteral(" / ") + refName(b);
            }
            continue;
        }
        const QVariant a = GetPropValue(A, &pi), b = GetPropValue(B, &pi);
        if (!(a == b))
            Diffs << where + QStringLiteral(": ") + a.toString() + QStringLiteral(" / ") + b.toString();
    }
}

QStringList compareForms(TComponent *A, TComponent *B)
{
    QStringList diffs;
    if (A->ComponentCount() != B->ComponentCount())
        diffs << QStringLiteral("component count %1 / %2").arg(A->ComponentCount()).arg(B->ComponentCount());
    for (int i = 0; i < qMin(A->ComponentCount(), B->ComponentCount()); ++i) {
        TComponent *a = A->Components(i), *b = B->Components(i);
        if (a->Name() != b->Name())
            diffs << QStringLiteral("name %1 / %2").arg(a->Name(), b->Name());
        compareObjects(a->AsObject(), b->AsObject(), a->Name(), diffs);
    }
    compareObjects(A->AsObject(), B->AsObject(), A->Name(), diffs);
    return diffs;
}

// Gives every writable value of Obj (and of its sub-objects) something other than its default.
void mutate(QObject *Obj, int Seed)
{
    for (const TPropInfo &pi : GetPropInfos(Obj->metaObject())) {
        if (!pi.Prop.isStored() || pi.Name == QLatin1String("Name"))
            continue;
        try {
            if (pi.PropType->Kind == TTypeKind::tkClass) {
                QObject *sub = GetObjectProp(Obj, &pi);
                if (sub && InheritsFrom(pi.PropType->ClassType, &TPersistent::staticMetaObject))
                    mutate(sub, Seed + 1);
                continue;
            }
            if (!pi.Writable())
                continue;
            const int id = pi.Prop.metaType().id();
            if (id == QMetaType::Bool)
                SetOrdProp(Obj, &pi, !GetOrdProp(Obj, &pi));
            else if (pi.Prop.isEnumType())
                SetOrdProp(Obj, &pi, pi.Prop.enumerator().value(pi.Prop.enumerator().keyCount() - 1));
            else if (id == QMetaType::Double)
                SetFloatProp(Obj, &pi, GetFloatProp(Obj, &pi) + 0.1 * Seed + 1.0 / 3);
            else if (id == QMetaType::Float)
                SetFloatProp(Obj, &pi, GetFloatProp(Obj, &pi) + 0.7f);
            else if (id == QMetaType::QString)
                SetStrProp(Obj, &pi, QStringLiteral("it's\r\n#1 %1 \u00e9").arg(Seed));
            else if (id == QMetaType::QStringList)
                SetPropValue(Obj, &pi, QStringList{QStringLiteral("a'b"), QString()});
            else if (pi.PropType->Kind == TTypeKind::tkDynArray)
                SetPropValue(Obj, &pi, QVariant::fromValue(QList<double>{1, -2.5, 1e-300, 0.1}));
            else if (pi.PropType->Name == QLatin1String("TKvColor"))
                SetOrdProp(Obj, &pi, 0x80FF0000u + Seed);
            else if (pi.PropType->Kind == TTypeKind::tkInteger)
                SetOrdProp(Obj, &pi, GetOrdProp(Obj, &pi) + 3);
            else if (QMetaType::canConvert(QMetaType::fromType<QString>(), pi.Prop.metaType()))
                SetPropValue(Obj, &pi, QStringLiteral("<b>rich</b> 'caption'"));
        } catch (const Exception &) {
            // A value the component refuses (a palette entry, say) keeps its default.
        }
    }
}
} // namespace

class TestDesigner : public QObject {
    Q_OBJECT
private slots:
    void createComponentNamesPlacesAndOwns();
    void componentNamesIncludeDescendants();
    void getComponentByNameOrNil();
    void demoFormRoundTripChangesNothing();
    void demoLayoutCoversNoDataOrLabels();
    void everyRegisteredClassRoundTrips();
    void valueSyntax_data();
    void valueSyntax();
    void unknownPropertyReportedRestLoaded();
    void malformedTextRaisesAndKeepsForm();
    void referenceWrittenBeforeItsTarget();
    void undoReturnsToFirstStateRedoReapplies();
    void copyPasteGivesNewNamesAndFollowsReferences();
    void mouseSelectMovePlace();
};

void TestDesigner::createComponentNamesPlacesAndOwns()
{
    TDesignerFixture f;
    TComponent *g1 = f.Create(&TKvGraph2D::staticMetaObject, 16, 24);
    TComponent *g2 = f.Create(&TKvGraph2D::staticMetaObject);
    TComponent *a1 = f.Create(&TKvAxis::staticMetaObject, 100, 200);
    QCOMPARE(g1->Name(), QStringLiteral("Graph1"));
    QCOMPARE(g2->Name(), QStringLiteral("Graph2"));
    QCOMPARE(a1->Name(), QStringLiteral("Axis1"));
    for (TComponent *c : {g1, g2, a1}) {
        QVERIFY(c->IsDesigning());
        QCOMPARE(c->Owner(), static_cast<TComponent *>(&f.Form));
    }
    auto *w = qobject_cast<QWidget *>(g1->AsObject());
    QCOMPARE(w->parentWidget(), static_cast<QWidget *>(&f.Form));
    QCOMPARE(w->pos(), QPoint(16, 24));
    QCOMPARE(DesignPosition(a1->AsObject()), QPoint(100, 200));
    // The first free number: a gap left by a deleted component is used again.
    f.Designer.SelectComponent(g1);
    f.Designer.DeleteSelection();
    QCOMPARE(f.Create(&TKvGraph2D::staticMetaObject)->Name(), QStringLiteral("Graph1"));
    // Non-visual components without a place get one that no other tile covers.
    TComponent *a2 = f.Create(&TKvAxis::staticMetaObject, -1, -1);
    TComponent *a3 = f.Create(&TKvAxis::staticMetaObject, -1, -1);
    QVERIFY(!f.Form.TileHitRect(a2).intersects(f.Form.TileHitRect(a3)));
    QVERIFY_THROWS_EXCEPTION(EComponentError, f.Designer.CreateComponent(nullptr, nullptr, 0, 0, -1, -1));
    QVERIFY_THROWS_EXCEPTION(EComponentError, f.Designer.PlaceComponent(QStringLiteral("TNoSuchClass"), {}));
}

void TestDesigner::componentNamesIncludeDescendants()
{
    TDesignerFixture f;
    f.Create(&TKvLineSeries::staticMetaObject);
    f.Create(&TKvPointSeries::staticMetaObject);
    f.Create(&TKvPointWithErrorSeries::staticMetaObject);
    f.Create(&TKvAxis::staticMetaObject);
    f.Create(&TKvDoubleVector::staticMetaObject);
    auto names = [&](TComponentClass cls) {
        QStringList out;
        f.Designer.GetComponentNames(cls, [&](const QString &n) { out << n; });
        return out;
    };
    QCOMPARE(names(&TKvSeries::staticMetaObject),
             (QStringList{"LineSeries1", "PointSeries1", "PointWithErrorSeries1"}));
    QCOMPARE(names(&TKvPointSeries::staticMetaObject), (QStringList{"PointSeries1", "PointWithErrorSeries1"}));
    QCOMPARE(names(&TKvCustomDoubleVector::staticMetaObject), QStringList{"DoubleVector1"});
    QCOMPARE(names(&TKvGraph2D::staticMetaObject), QStringList{});
}

void TestDesigner::getComponentByNameOrNil()
{
    TDesignerFixture f;
    TComponent *axis = f.Create(&TKvAxis::staticMetaObject);
    QCOMPARE(f.Designer.GetComponent(QStringLiteral("Axis1")), axis);
    QCOMPARE(f.Designer.GetComponent(QStringLiteral("axis1")), axis);
    QCOMPARE(f.Designer.GetComponent(QStringLiteral("Form1.Axis1")), axis);
    QCOMPARE(f.Designer.GetComponent(QStringLiteral("Form1")), static_cast<TComponent *>(&f.Form));
    QCOMPARE(f.Designer.GetComponent(QStringLiteral("Axis2")), nullptr);
    QCOMPARE(f.Designer.GetComponent(QStringLiteral("Form2.Axis1")), nullptr);
    QCOMPARE(f.Designer.GetComponent(QString()), nullptr);
    QCOMPARE(f.Designer.GetRoot(), static_cast<TComponent *>(&f.Form));
}

void TestDesigner::demoFormRoundTripChangesNothing()
{
    TDesignerFixture a, b;
    QCOMPARE(a.Designer.LoadFromString(DemoFormText()), QStringList());
    // What the demo promises: a graph with axes, two series, a legend, vectors, a pie chart
    // with its legend and palette, standard controls.
    for (const char *name : {"Graph1", "Axis1", "Axis2", "Series1", "Series2", "Legend1", "XValues", "YValues",
                             "PieChart1", "PieLegend1", "FillPalette1", "DoubleEdit1", "IntegerEdit1", "CheckBox1"})
        QVERIFY2(a.Designer.GetComponent(QString::fromLatin1(name)), name);
    auto *series = ComponentCast<TKvLineSeries>(a.Designer.GetComponent(QStringLiteral("Series1")));
    QCOMPARE(refName(series->XAxis()), QStringLiteral("Axis1"));
    QCOMPARE(series->Line()->Color().Value, 0xFF1E90FFu);
    QCOMPARE(ComponentCast<TKvDoubleVector>(a.Designer.GetComponent(QStringLiteral("XValues")))->Values().size(), 25);

    const QString first = a.Designer.SaveToString();
    QCOMPARE(b.Designer.LoadFromString(first), QStringList());
    const QString second = b.Designer.SaveToString();
    QCOMPARE(second, first);
    const QStringList diffs = compareForms(&a.Form, &b.Form);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(QLatin1Char('\n'))));
    QVERIFY(first.contains(QStringLiteral("Line.Color = -14774017")));
}

void TestDesigner::demoLayoutCoversNoDataOrLabels()
{
    TDesignerFixture f;
    QCOMPARE(f.Designer.LoadFromString(DemoFormText()), QStringList());
    // The controls and charts lie on the form, none over another.
    QList<QWidget *> controls;
    for (int i = 0; i < f.Form.ComponentCount(); ++i)
        if (auto *w = qobject_cast<QWidget *>(f.Form.Components(i)->AsObject()))
            controls << w;
    QVERIFY(controls.size() >= 9);
    for (int i = 0; i < controls.size(); ++i) {
        QVERIFY2(f.Form.rect().contains(controls[i]->geometry()), qPrintable(controls[i]->objectName()));
        for (int j = i + 1; j < controls.size(); ++j)
            QVERIFY2(!controls[i]->geometry().intersects(controls[j]->geometry()),
                     qPrintable(controls[i]->objectName() + QLatin1String(" / ") + controls[j]->objectName()));
    }
    // A legend only covers the chart's empty ground: every pixel that it changes is, without it,
    // white or the ground of its row as the chart's right edge shows it (the graph's gradient
    // runs from top to bottom): no slice, label, curve, point, axis or tick under it.
    for (const auto &[chart, legend] : {std::pair{"PieChart1", "PieLegend1"}, std::pair{"Graph1", "Legend1"}}) {
        auto *w = qobject_cast<QWidget *>(f.Designer.GetComponent(QLatin1String(chart))->AsObject());
        QObject *l = f.Designer.GetComponent(QLatin1String(legend))->AsObject();
        const QImage with = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(l->setProperty("Visible", false));
        const QImage without = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(l->setProperty("Visible", true));
        QCOMPARE(with.size(), without.size());
        int changed = 0;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    ++changed;
                    const QRgb ground = without.pixel(with.width() - 1, y);
                    QVERIFY2(without.pixel(x, y) == qRgb(255, 255, 255) || without.pixel(x, y) == ground,
                             qPrintable(QStringLiteral("%1 covers (%2, %3)").arg(QLatin1String(legend)).arg(x).arg(y)));
                }
        QVERIFY2(changed > 500, legend); // the legend is drawn at all
    }
}

void TestDesigner::everyRegisteredClassRoundTrips()
{
    TDesignerFixture a, b;
    int n = 0;
    for (TComponentClass cls : RegisteredClasses()) {
        TComponent *c = a.Create(cls, 8 * (n % 10), 8 * (n / 10));
        mutate(c->AsObject(), n++);
    }
    QVERIFY(n >= 50);
    // References of several kinds, to components written before and after the holder.
    const QString text = a.Designer.SaveToString();
    const QStringList messages = b.Designer.LoadFromString(text);
    QVERIFY2(messages.isEmpty(), qPrintable(messages.join(QLatin1Char('\n'))));
    const QStringList diffs = compareForms(&a.Form, &b.Form);
    QVERIFY2(diffs.isEmpty(), qPrintable(diffs.join(QLatin1Char('\n'))));
    QCOMPARE(b.Designer.SaveToString(), text);
}

void TestDesigner::valueSyntax_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("stop");
    // Quotes doubled, control characters as #nn, pieces joined with + across lines.
    QTest::newRow("quote-and-codes") << "Caption = 'it''s'#13#10'two' +\n    ' lines'#$41" << "it's\r\ntwo linesA" << 10.0;
    QTest::newRow("float-exponent") << "Stop = -1.5e3" << "" << -1500.0;
    QTest::newRow("integer-for-float") << "Stop = 42" << "" << 42.0;
    QTest::newRow("hex-integer") << "Stop = $10" << "" << 16.0;
}

void TestDesigner::valueSyntax()
{
    QFETCH(QString, line);
    QFETCH(QString, caption);
    QFETCH(double, stop);
    TDesignerFixture f;
    const QString text = QStringLiteral("object Form1: TDesignForm\n  object Axis1: TKvAxis\n    %1\n  end\nend\n").arg(line);
    QCOMPARE(f.Designer.LoadFromString(text), QStringList());
    auto *axis = ComponentCast<TKvAxis>(f.Designer.GetComponent(QStringLiteral("Axis1")));
    QCOMPARE(axis->Caption().Text, caption);
    QCOMPARE(axis->Stop(), stop);
}

void TestDesigner::unknownPropertyReportedRestLoaded()
{
    TDesignerFixture f;
    const QString text = QStringLiteral(
        "object Form1: TDesignForm\n"
        "  object Axis1: TKvAxis\n"
        "    Colour = 12\n"
        "    Start = 2.5\n"
        "    CaptionFont.Sizes = 3\n"
        "    Scaling = Sideways\n"
        "    TickLength = 'long'\n"
        "    Stop = 7\n"
        "  end\n"
        "  object Thing1: TNoSuchThing\n"
        "    Value = 1\n"
        "  end\n"
        "  object Series1: TKvLineSeries\n"
        "    XAxis = Axis9\n"
        "    YAxis = Axis1\n"
        "  end\n"
        "end\n");
    const QStringList messages = f.Designer.LoadFromString(text);
    const QString all = messages.join(QLatin1Char('\n'));
    QCOMPARE(messages.size(), 6);
    QVERIFY2(all.contains(QStringLiteral("Line 3: Axis1.Colour: unknown property")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("Line 5: Axis1.CaptionFont.Sizes: unknown property")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("'Sideways' is not a value of TKvAxisScaling")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("Axis1.TickLength")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("class TNoSuchThing is not registered, Thing1 skipped")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("Series1.XAxis: component Axis9 not found")), qPrintable(all));
    // Everything else is there.
    auto *axis = ComponentCast<TKvAxis>(f.Designer.GetComponent(QStringLiteral("Axis1")));
    QVERIFY(axis);
    QCOMPARE(axis->Start(), 2.5);
    QCOMPARE(axis->Stop(), 7.0);
    QCOMPARE(axis->TickLength(), 5);
    auto *series = ComponentCast<TKvLineSeries>(f.Designer.GetComponent(QStringLiteral("Series1")));
    QVERIFY(series);
    QCOMPARE(series->YAxis(), axis);
    QCOMPARE(series->XAxis(), nullptr);
}

void TestDesigner::malformedTextRaisesAndKeepsForm()
{
    TDesignerFixture f;
    f.Designer.LoadFromString(DemoFormText());
    const QString before = f.Designer.SaveToString();
    for (const char *bad : {"object Form1: TDesignForm\n  object Axis1: TKvAxis\n    Start = 1\nend\n", // one end short
                            "object Form1: TDesignForm\n  Caption = 'open\nend\n",
                            "Form1: TDesignForm\nend\n", "object Form1: TDesignForm\n  Caption 'x'\nend\n", ""}) {
        QVERIFY_THROWS_EXCEPTION(EConvertError, f.Designer.LoadFromString(QString::fromLatin1(bad)));
        QCOMPARE(f.Designer.SaveToString(), before);
    }
    try {
        f.Designer.LoadFromString(QStringLiteral("object Form1: TDesignForm\n  Caption = 'x'\n  Options = [a b]\nend\n"));
        QFAIL("no error");
    } catch (const EConvertError &e) {
        QVERIFY2(e.Message().startsWith(QStringLiteral("Line 3:")), qPrintable(e.Message()));
    }
}

void TestDesigner::referenceWrittenBeforeItsTarget()
{
    TDesignerFixture a, b;
    auto *series = ComponentCast<TKvLineSeries>(a.Create(&TKvLineSeries::staticMetaObject));
    auto *graph = ComponentCast<TKvGraph2D>(a.Create(&TKvGraph2D::staticMetaObject));
    auto *axis = ComponentCast<TKvAxis>(a.Create(&TKvAxis::staticMetaObject));
    series->SetXAxis(axis);
    series->SetGraph(graph);
    axis->SetGraph(graph);
    graph->SetPrimaryXAxis(axis);
    a.Designer.Modified();
    const QString text = a.Designer.SaveToString();
    QVERIFY(text.indexOf(QStringLiteral("XAxis = Axis1")) < text.indexOf(QStringLiteral("object Axis1")));
    QCOMPARE(b.Designer.LoadFromString(text), QStringList());
    auto *s2 = ComponentCast<TKvLineSeries>(b.Designer.GetComponent(QStringLiteral("LineSeries1")));
    auto *a2 = ComponentCast<TKvAxis>(b.Designer.GetComponent(QStringLiteral("Axis1")));
    QVERIFY(s2 && a2);
    QCOMPARE(s2->XAxis(), a2);
    QCOMPARE(s2->Graph(), b.Designer.GetComponent(QStringLiteral("Graph1"))->AsObject());
    // And the reference still clears itself when the axis goes.
    b.Designer.SelectComponent(a2);
    b.Designer.DeleteSelection();
    QCOMPARE(s2->XAxis(), nullptr);
    QVERIFY(!b.Designer.SaveToString().contains(QStringLiteral("Axis1")));
}

void TestDesigner::undoReturnsToFirstStateRedoReapplies()
{
    TDesignerFixture f;
    f.Designer.LoadFromString(DemoFormText());
    QVERIFY(!f.Designer.IsModified());
    QStringList states{f.Designer.SaveToString()};
    QSignalSpy reloaded(&f.Designer, &TFormDesigner::formReloaded);

    f.Designer.PlaceComponent(QStringLiteral("TKvAxis"), QPoint(300, 360));
    states << f.Designer.SaveToString();
    QVERIFY(f.Designer.IsModified());
    f.Designer.SelectComponent(f.Designer.GetComponent(QStringLiteral("Axis1")));
    f.Designer.DeleteSelection(); // clears Series1.XAxis and Graph1.PrimaryXAxis too
    states << f.Designer.SaveToString();
    f.Designer.SelectComponent(f.Designer.GetComponent(QStringLiteral("Graph1")));
    f.Designer.MoveSelection(QPoint(16, 8));
    states << f.Designer.SaveToString();
    QObject *y = f.Designer.GetComponent(QStringLiteral("Axis2"))->AsObject();
    SetFloatProp(y, GetPropInfo(y, QStringLiteral("Stop")), 99);
    f.Designer.Modified(QStringLiteral("Stop"));
    states << f.Designer.SaveToString();
    QCOMPARE(f.Designer.UndoStack()->count(), 4);
    QCOMPARE(QSet<QString>(states.begin(), states.end()).size(), 5);

    for (int i = 3; i >= 0; --i) {
        f.Designer.UndoStack()->undo();
        QCOMPARE(f.Designer.SaveToString(), states[i]);
    }
    QVERIFY(!f.Designer.IsModified());
    auto *series = ComponentCast<TKvLineSeries>(f.Designer.GetComponent(QStringLiteral("Series1")));
    QCOMPARE(refName(series->XAxis()), QStringLiteral("Axis1"));
    for (int i = 1; i <= 4; ++i) {
        f.Designer.UndoStack()->redo();
        QCOMPARE(f.Designer.SaveToString(), states[i]);
    }
    QCOMPARE(reloaded.count(), 8);
    // The selection follows by name across a reload.
    QCOMPARE(f.Designer.Selection().size(), 1);
    QCOMPARE(f.Designer.Selection().first()->Name(), QStringLiteral("Graph1"));
    // A change that writes nothing new records no step.
    f.Designer.Modified();
    QCOMPARE(f.Designer.UndoStack()->count(), 4);
}

void TestDesigner::copyPasteGivesNewNamesAndFollowsReferences()
{
    TDesignerFixture f;
    f.Designer.LoadFromString(DemoFormText());
    f.Designer.SetSelection({f.Designer.GetComponent(QStringLiteral("Graph1")), f.Designer.GetComponent(QStringLiteral("Axis1")),
                             f.Designer.GetComponent(QStringLiteral("Series1"))});
    f.Designer.CopySelection();
    QVERIFY(QApplication::clipboard()->text().startsWith(QStringLiteral("object Graph1: TKvGraph2D")));
    const int before = f.Form.ComponentCount();
    QCOMPARE(f.Designer.Paste(), QStringList());
    QCOMPARE(f.Form.ComponentCount(), before + 3);
    QStringList names;
    for (TComponent *c : f.Designer.Selection())
        names << c->Name();
    QCOMPARE(names, (QStringList{"Graph2", "LineSeries1", "Axis3"}));
    auto *graph2 = ComponentCast<TKvGraph2D>(f.Designer.GetComponent(QStringLiteral("Graph2")));
    auto *series = ComponentCast<TKvLineSeries>(f.Designer.GetComponent(QStringLiteral("LineSeries1")));
    // References among the copies follow the new names; those to others stay with the originals.
    QCOMPARE(refName(graph2->PrimaryXAxis()), QStringLiteral("Axis3"));
    QCOMPARE(refName(graph2->PrimaryYAxis()), QStringLiteral("Axis2"));
    QCOMPARE(refName(series->Graph()), QStringLiteral("Graph2"));
    QCOMPARE(refName(series->XData()), QStringLiteral("XValues"));
    QCOMPARE(graph2->pos(), QPoint(16, 16));
    // Cut and paste as one undo step each.
    f.Designer.CutSelection();
    QCOMPARE(f.Form.ComponentCount(), before);
    f.Designer.UndoStack()->undo();
    QCOMPARE(f.Form.ComponentCount(), before + 3);
}

void TestDesigner::mouseSelectMovePlace()
{
    TDesignerFixture f;
    f.Form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.Form));
    TDesignOverlay *overlay = f.Designer.Overlay();
    QCOMPARE(overlay->geometry(), f.Form.rect());

    // Place from the palette: a click puts the class's control there (snapped to the grid).
    f.Designer.SetPlacingClass(QStringLiteral("TKvDoubleEdit"));
    QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(41, 50));
    TComponent *edit = f.Designer.GetComponent(QStringLiteral("DoubleEdit1"));
    QVERIFY(edit);
    QCOMPARE(qobject_cast<QWidget *>(edit->AsObject())->pos(), QPoint(40, 48));
    QVERIFY(f.Designer.PlacingClass().isEmpty());
    QCOMPARE(f.Designer.Selection(), QList<TComponent *>{edit});
    TComponent *axis = f.Create(&TKvAxis::staticMetaObject, 300, 200);

    // Click on empty ground selects the form; click selects; shift-click adds.
    QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(500, 380));
    QCOMPARE(f.Designer.Selection(), QList<TComponent *>{&f.Form});
    QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(45, 55));
    QCOMPARE(f.Designer.Selection(), QList<TComponent *>{edit});
    QTest::mouseClick(overlay, Qt::LeftButton, Qt::ShiftModifier, QPoint(310, 210));
    QCOMPARE(f.Designer.Selection(), (QList<TComponent *>{edit, axis}));

    // Rubber band over the tile only.
    QTest::mousePress(overlay, Qt::LeftButton, {}, QPoint(280, 180));
    QTest::mouseMove(overlay, QPoint(340, 240));
    QTest::mouseRelease(overlay, Qt::LeftButton, {}, QPoint(340, 240));
    QCOMPARE(f.Designer.Selection(), QList<TComponent *>{axis});

    // Drag the control by 16, 8: one undo step named Move.
    const int steps = f.Designer.UndoStack()->count();
    f.Designer.SelectComponent(edit);
    QTest::mousePress(overlay, Qt::LeftButton, {}, QPoint(50, 56));
    QTest::mouseMove(overlay, QPoint(58, 60));
    QTest::mouseMove(overlay, QPoint(66, 64));
    QTest::mouseRelease(overlay, Qt::LeftButton, {}, QPoint(66, 64));
    QCOMPARE(qobject_cast<QWidget *>(edit->AsObject())->pos(), QPoint(56, 56));
    QCOMPARE(f.Designer.UndoStack()->count(), steps + 1);
    QCOMPARE(f.Designer.UndoStack()->undoText(), QStringLiteral("Move"));
}

QTEST_MAIN(TestDesigner)
#include "tst_designer.moc"
