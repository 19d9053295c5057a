// Undo of the form designer, recorded as changes: a value stored through the Object Inspector is
// one step that reads again only what the editor touched; a multi-selection edit and a component
// editor's run (components made and freed directly and through the designer, others changed) are
// one step each; deletions take references and nested controls with them and bring them back;
// renames; a step that cannot be carried out entirely is reported and the history goes on; the
// history keeps its bounds. Every undo and redo is checked against the exact form text.
#include <QSignalSpy>
#include <QtTest>

#include "DemoForm.h"
#include "DesignEditors.h"
#include "DesignForm.h"
#include "DesignRegistry.h"
#include "ErrorBox.h"
#include "FormDesigner.h"
#include "FormHistory.h"
#include "FormStreaming.h"
#include "Kvaxis.h"
#include "Kvgraph2d.h"
#include "Kvlegend.h"
#include "Kvrichlabel.h"
#include "Kvseries.h"
#include "PropertyGrid.h"
#include "TypInfo.h"

namespace {

// A component whose value refuses to be set while GRefuse holds, with a foreign exception.
bool GRefuse = false;
class TTestRefusing : public TNonVisualComponent {
    Q_OBJECT
    Q_PROPERTY(int Level READ Level WRITE SetLevel)
public:
    using TNonVisualComponent::TNonVisualComponent;
    int Level() const { return FLevel; }
    void SetLevel(int Value)
    {
        if (GRefuse)
            throw 42;
        FLevel = Value;
    }

private:
    int FLevel = 0;
};

// A component editor whose run works on the form the ways the graph designer does; its verb
// changes a value and then fails with a foreign exception.
class TFormWideEditor : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    QString GetVerb(int) override { return QStringLiteral("&Crash"); }
    void ExecuteVerb(int) override
    {
        ComponentCast<TKvGraph2D>(GetDesigner()->GetComponent(QStringLiteral("Graph1")))->SetClipToData(false);
        throw 7;
    }
    void Edit() override
    {
        IDesigner *d = GetDesigner();
        TComponent *form = d->GetRoot();
        auto *axis = new TKvAxis(form); // made directly, named afterwards
        axis->SetName(QStringLiteral("RunAxis"));
        auto *series = ComponentCast<TKvLineSeries>(d->CreateComponent(&TKvLineSeries::staticMetaObject, form, 0, 0, 0, 0));
        series->SetXAxis(axis);
        delete new TKvAxis(form); // made and freed within the run: nothing to undo
        ComponentCast<TKvGraph2D>(d->GetComponent(QStringLiteral("Graph1")))->SetDistanceBorderAxisBottom(77);
        delete d->GetComponent(QStringLiteral("Axis2"))->AsObject(); // Series1, Graph1 refer to it
        d->Modified();
    }
};

struct TUndoFixture {
    TDesignForm Form;
    TFormDesigner Designer{&Form};
    TPropertyGrid Grid;

    TUndoFixture()
    {
        Designer.LoadFromString(DemoFormText());
        Grid.SetDesigner(&Designer);
    }
    ~TUndoFixture() { Grid.SetDesigner(nullptr); }
    TComponent *Component(const char *Name) { return Designer.GetComponent(QString::fromLatin1(Name)); }
    void Select(std::initializer_list<const char *> Names)
    {
        QList<TComponent *> list;
        for (const char *n : Names)
            list << Component(n);
        Designer.SetSelection(list);
    }
    QString Text() { return Designer.SaveToString(); }
    TFormHistory *History() { return Designer.UndoStack(); }
};

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

    // Undoes the last step and redoes it, checking the form text each way.
    static void undoRedoExactly(TUndoFixture &F, const QString &Before, const QString &After)
    {
        F.History()->undo();
        QCOMPARE(F.Text(), Before);
        F.History()->redo();
        QCOMPARE(F.Text(), After);
    }

private slots:
    void initTestCase()
    {
        // Numbers are typed here as in the C locale; the users' locales are the business of
        // tst_datenumbertexts, which runs in each.
        FormatSettings() = LocaleFormatSettings(QLocale::c());
        RegisterComponentClass<TTestRefusing>();
        TDesignRegistry::Instance().SetCurrentPackage(QStringLiteral("UndoTests"));
        RegisterComponentEditor(&TKvLegend::staticMetaObject, ComponentEditorClass<TFormWideEditor>());
        TDesignRegistry::Instance().SetCurrentPackage(QString());
    }
    void cleanupTestCase()
    {
        TDesignRegistry::Instance().UnregisterPackage(QStringLiteral("UndoTests"));
        UnRegisterClass(&TTestRefusing::staticMetaObject);
    }
    void init() { GRefuse = false; }

    void valueStepReadsOnlyWhatTheEditorTouched()
    {
        TUndoFixture f;
        f.Select({"Axis1"});
        // A change nobody reported is not part of the next value's step.
        QObject *axis2 = f.Component("Axis2")->AsObject();
        SetFloatProp(axis2, GetPropInfo(axis2, QStringLiteral("Stop")), 77);
        const QString unreported = f.Text();
        QCOMPARE(f.Grid.SetPropertyValue(QStringLiteral("Stop"), QStringLiteral("30")), QString());
        QCOMPARE(f.History()->count(), 1);
        QCOMPARE(f.History()->undoText(), QStringLiteral("Set Stop"));
        const QString after = f.Text();
        QVERIFY(after.contains(QStringLiteral("Stop = 30")));
        undoRedoExactly(f, unreported, after);
        // A refused value is no step.
        QVERIFY(!f.Grid.SetPropertyValue(QStringLiteral("Stop"), QStringLiteral("soon")).isEmpty());
        QCOMPARE(f.History()->count(), 1);
    }

    void multiSelectionValueIsOneStep_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("value");
        QTest::newRow("string") << "Caption" << "Both";
        QTest::newRow("sub-object float") << "Line.Width" << "3.5";
        QTest::newRow("sub-object back to its default") << "PointSymbol.Visible" << "True";
        QTest::newRow("reference") << "XData" << "PValues";
        QTest::newRow("reference cleared") << "YAxis" << "";
    }
    void multiSelectionValueIsOneStep()
    {
        QFETCH(QString, path);
        QFETCH(QString, value);
        TUndoFixture f;
        f.Select({"Series1", "Series2"});
        const QString before = f.Text();
        QCOMPARE(f.Grid.SetPropertyValue(path, value), QString());
        QCOMPARE(f.History()->count(), 1);
        const QString after = f.Text();
        QVERIFY(after != before);
        undoRedoExactly(f, before, after);
        f.History()->undo();
        QVERIFY(!f.Designer.IsModified());
    }

    void componentEditorRunIsOneStep()
    {
        TUndoFixture f;
        const QString before = f.Text();
        QCOMPARE(f.Designer.RunComponentEditor(f.Component("Legend1")), QString());
        QCOMPARE(f.History()->count(), 1);
        const QString after = f.Text();
        for (const char *made : {"object RunAxis: TKvAxis", "object LineSeries1: TKvLineSeries", "XAxis = RunAxis",
                                 "DistanceBorderAxisBottom = 77"})
            QVERIFY2(after.contains(QString::fromLatin1(made)), made);
        QVERIFY(!after.contains(QStringLiteral("Axis2")));
        QVERIFY(!after.contains(QStringLiteral("Axis3"))); // the axis made and freed in the run
        undoRedoExactly(f, before, after);
        f.History()->undo();
        // The components the run deleted come back with the references to them.
        QCOMPARE(ComponentCast<TKvLineSeries>(f.Component("Series1"))->YAxis(), f.Component("Axis2")->AsObject());
        QCOMPARE(f.Component("RunAxis"), nullptr);
    }

    // What the editor did before it failed is one step, and the failure comes back as text.
    void componentEditorThatFailsLeavesAStepToUndo()
    {
        TUndoFixture f;
        const QString before = f.Text();
        QCOMPARE(f.Designer.RunComponentEditor(f.Component("Legend1"), 0), QStringLiteral("An unknown exception occurred"));
        QCOMPARE(f.History()->undoText(), QStringLiteral("Crash"));
        const QString after = f.Text();
        QVERIFY(after.contains(QStringLiteral("ClipToData = False")));
        undoRedoExactly(f, before, after);
    }

    // Code that changes the form on its own and then reports it (Modified outside any change)
    // gets one step for all of it: what came and went is known, the rest is compared.
    void changesReportedLaterAreOneStep()
    {
        TUndoFixture f;
        const QString before = f.Text();
        delete f.Component("Axis2")->AsObject();
        auto *axis = new TKvAxis(&f.Form);
        axis->SetName(QStringLiteral("LateAxis"));
        ComponentCast<TKvSeries>(f.Component("Series2"))->SetYAxis(axis);
        f.Designer.Modified(QStringLiteral("Late"));
        QCOMPARE(f.History()->count(), 1);
        QCOMPARE(f.History()->undoText(), QStringLiteral("Late"));
        const QString after = f.Text();
        QVERIFY(after.contains(QStringLiteral("YAxis = LateAxis")));
        QVERIFY(after.contains(QStringLiteral("DesignLeft"))); // the new axis got a place on the form
        undoRedoExactly(f, before, after);
        // Nothing more to report: no step.
        f.Designer.Modified();
        QCOMPARE(f.History()->count(), 1);
    }

    void deletionTakesReferencesAndNestedControlsAndUndoBringsThemBack()
    {
        TUndoFixture f;
        TComponent *graph = f.Component("Graph1");
        TComponent *label = f.Designer.CreateComponent(&TKvRichLabel::staticMetaObject, graph, 16, 24, 80, 20);
        QCOMPARE(qobject_cast<QWidget *>(label->AsObject())->parentWidget(), graph->AsObject());
        const QString before = f.Text();
        const int steps = f.History()->count();
        f.Select({"Graph1", "Axis1", "Legend1"});
        f.Designer.DeleteSelection();
        QCOMPARE(f.History()->count(), steps + 1);
        QCOMPARE(f.Component("RichLabel1"), nullptr);
        QCOMPARE(ComponentCast<TKvLineSeries>(f.Component("Series1"))->XAxis(), nullptr);
        const QString after = f.Text();
        undoRedoExactly(f, before, after);
        f.History()->undo();
        auto *back = qobject_cast<QWidget *>(f.Component("RichLabel1")->AsObject());
        QCOMPARE(back->parentWidget(), f.Component("Graph1")->AsObject());
        QCOMPARE(back->geometry(), QRect(16, 24, 80, 20));
    }

    void designerEditsUndoExactly_data()
    {
        QTest::addColumn<int>("edit");
        QTest::newRow("move a tile") << 0;
        QTest::newRow("move a control") << 1;
        QTest::newRow("size a control") << 2;
        QTest::newRow("paste") << 3;
        QTest::newRow("place") << 4;
    }
    void designerEditsUndoExactly()
    {
        QFETCH(int, edit);
        TUndoFixture f;
        const QString before = f.Text();
        switch (edit) {
        case 0: f.Select({"Axis1"}); f.Designer.MoveSelection(QPoint(-16, 8)); break;
        case 1: f.Select({"Graph1", "Label1"}); f.Designer.MoveSelection(QPoint(8, 16)); break;
        case 2: f.Designer.SetBounds(f.Component("Graph1"), QRect(8, 8, 300, 200)); break;
        case 3: f.Designer.PasteText(WriteComponentsText(&f.Form, {f.Component("Series1"), f.Component("Axis1")})); break;
        case 4: f.Designer.PlaceComponent(QStringLiteral("TKvDoubleVector"), QPoint(200, 200)); break;
        }
        QCOMPARE(f.History()->count(), 1);
        const QString after = f.Text();
        QVERIFY(after != before);
        undoRedoExactly(f, before, after);
    }

    void renamesAreUndoneWithTheReferencesToThem()
    {
        TUndoFixture f;
        const QString original = f.Text();
        f.Select({"Axis1"});
        QCOMPARE(f.Grid.SetPropertyValue(QStringLiteral("Name"), QStringLiteral("TimeAxis")), QString());
        const QString renamed = f.Text();
        QVERIFY(renamed.contains(QStringLiteral("XAxis = TimeAxis")));
        f.Select({"Series1"});
        f.Designer.DeleteSelection();
        const QString deleted = f.Text();
        f.History()->undo();
        QCOMPARE(f.Text(), renamed);
        f.History()->undo();
        QCOMPARE(f.Text(), original);
        f.History()->redo();
        f.History()->redo();
        QCOMPARE(f.Text(), deleted);
    }

    void aStepThatFailsIsReportedAndTheHistoryGoesOn()
    {
        TUndoFixture f;
        const QString original = f.Text();
        TComponent *t = f.Designer.PlaceComponent(QStringLiteral("TTestRefusing"), QPoint(300, 440));
        const QString placed = f.Text();
        f.Select({"TestRefusing1"});
        QCOMPARE(f.Grid.SetPropertyValue(QStringLiteral("Level"), QStringLiteral("5")), QString());
        const QString levelled = f.Text();
        QCOMPARE(f.History()->count(), 2);

        GRefuse = true;
        QSignalSpy shown(&TErrorBox::Instance(), &TErrorBox::shown);
        f.History()->undo(); // nothing escapes; the box tells what did not apply
        QCOMPARE(shown.count(), 1);
        QVERIFY2(shown.first().first().toString().contains(QStringLiteral("TestRefusing1.Level")),
                 qPrintable(shown.first().first().toString()));
        QCOMPARE(f.History()->index(), 1);
        QCOMPARE(t->AsObject()->property("Level").toInt(), 5);

        // The history goes on from the form as it is.
        GRefuse = false;
        f.History()->redo();
        QCOMPARE(f.Text(), levelled);
        f.History()->undo();
        QCOMPARE(f.Text(), placed);
        f.History()->undo();
        QCOMPARE(f.Text(), original);
        QCOMPARE(shown.count(), 1);
    }

    void historyKeepsItsBounds()
    {
        TUndoFixture f;
        f.Select({"Axis1"});
        auto setStop = [&](int Stop) { QCOMPARE(f.Grid.SetPropertyValue(QStringLiteral("Stop"), QString::number(Stop)), QString()); };
        f.History()->SetLimits(3, qsizetype(1) << 30);
        for (int i = 0; i < 6; ++i)
            setStop(20 + i);
        QCOMPARE(f.History()->count(), 3);
        while (f.History()->canUndo())
            f.History()->undo();
        QCOMPARE(ComponentCast<TKvAxis>(f.Component("Axis1"))->Stop(), 22.0);
        QVERIFY(f.Designer.IsModified()); // the saved state went with the oldest steps

        // Undone steps stay, whatever the bounds: they are redone in order.
        f.History()->SetLimits(3, 1);
        QCOMPARE(f.History()->count(), 3);
        f.History()->redo();
        f.History()->redo();
        f.History()->SetLimits(3, 1);
        QCOMPARE(f.History()->count(), 2);
        QCOMPARE(f.History()->index(), 1);
        f.History()->redo();
        QCOMPARE(ComponentCast<TKvAxis>(f.Component("Axis1"))->Stop(), 25.0);

        // Steps hold differences: far less than the form's text each.
        f.History()->SetLimits(10000, qsizetype(1) << 30);
        for (int i = 0; i < 200; ++i)
            setStop(30 + i % 7);
        const qsizetype formBytes = f.Text().size() * qsizetype(sizeof(QChar));
        QVERIFY2(f.History()->Bytes() / f.History()->count() < formBytes / 8,
                 qPrintable(QStringLiteral("%1 bytes a step, the form %2").arg(f.History()->Bytes() / f.History()->count()).arg(formBytes)));
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
