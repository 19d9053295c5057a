// The package's dialogs driven end to end from the IDE by scripts, as users work with them:
// the graph designer opened by a double click on a series adds an axis, a series, a vector and
// a legend through its real menus and buttons; the caption editor takes a typed formula and a
// dragged variable; the data sheet takes a typed value; the legend order changes by a drag.
// Each time the form afterwards (components, tiles, the inspector's list, the saved file) and
// the host's undo: one step per opening of a dialog, undone and redone to the exact form text.
#include <QDialog>
#include <QFile>
#include <QtTest>

#include "DesignForm.h"
#include "ErrorBox.h"
#include "FormComponents.h"
#include "Forms.h"
#include "FormHistory.h"
#include "HostFixture.h"
#include "Kvbars.h"
#include "Kvgraph2d.h"
#include "ScriptHost.h"

namespace {
// What every script here starts with.
const char *const Prelude = R"(
    function same(what, actual, wanted) {
        if (String(actual) !== String(wanted))
            throw new Error(what + ": expected " + wanted + ", found " + actual);
    }
    // The hosts undo takes the last step back to Before and brings it again.
    function oneStep(what, steps, before) {
        same(what + ": steps", ide.undoCount(), steps + 1);
        var after = ide.formText();
        if (after === before)
            throw new Error(what + ": the form did not change");
        ide.undo();
        same(what + ": undone", ide.formText(), before);
        ide.redo();
        same(what + ": redone", ide.formText(), after);
    }
)";
} // namespace

class TestDialogScripts : public QObject {
    Q_OBJECT
    THostFixture F;

    // Runs Source after the prelude; the error text, empty when it ran through.
    QString run(const QString &Source) { return F.RunScript(QString::fromLatin1(Prelude) + Source); }

private slots:
    void initTestCase() { QVERIFY(F.Start()); }
    void init() { F.Reset(); }
    void cleanup() { QCOMPARE(THostFixture::OpenDialogs(), 0); }
    void cleanupTestCase() { F.Stop(); }

    // What one opening of the designer added and changed: on the form, in the inspector, in the
    // saved file, and one step of undo that takes all of it back.
    void graphDesignerAdditionsAreOnTheFormInTheFileAndOneStep()
    {
        const QString file = F.Dir.filePath(QStringLiteral("designed.kvf"));
        const char *source = R"(
            // A graph shows one legend: the designer adds one only to a graph without.
            ide.select("Legend1");
            ide.deleteSelection();
            var before = ide.formText(), steps = ide.undoCount();
            ide.doubleClick("Series1", function (dlg) {
                same("title", dlg.title, "Set properties of: Measured and fitted");
                same("page of the series", dlg.find("SettingsTab").text, "Series1");
                dlg.find("AxisButton").pick("Left axis");
                dlg.find("SeriesButton").pick("Line");
                dlg.find("AddVectorButton").click();
                dlg.find("AddLegendButton").click();
                same("pages", dlg.find("SettingsTab").items().join(),
                     "Graph1,Axis1,Axis2,Series1,Series2,FittedLine1,LeftAxis,LineSeries1,Legend");
                same("page of the new legend", dlg.find("SettingsTab").text, "Legend");
                dlg.find("SettingsTab").select("Graph1");
                dlg.find("GraphFrame").find("Caption").setValue("Designed");
                same("live on the chart", ide.value("Graph1", "Caption"), "Designed");
                dlg.ok();
            });
            same("changed", ide.value("Graph1", "Caption"), "Designed");
            same("classes", [ide.classOf("LeftAxis"), ide.classOf("LineSeries1"), ide.classOf("DoubleVector1"),
                             ide.classOf("Legend")].join(), "TKvAxis,TKvLineSeries,TKvDoubleVector,TKvLegend");
            same("axis on the graph", ide.value("LeftAxis", "Graph"), "Graph1");
            same("axis position", ide.value("LeftAxis", "Position"), "Left");
            same("legend on the graph", ide.value("Legend", "Graph"), "Graph1");
            same("legend caption", ide.value("Legend", "Caption"), "Legend");
            var listed = ide.find("InspectorSelection").items();
            var names = ["LeftAxis: TKvAxis", "LineSeries1: TKvLineSeries", "DoubleVector1: TKvDoubleVector", "Legend: TKvLegend"];
            for (var i = 0; i < names.length; ++i)
                if (listed.indexOf(names[i]) < 0)
                    throw new Error(names[i] + " is not in the list of the inspector: " + listed.join());
            ide.select("LeftAxis");
            same("the inspector shows the new axis", ide.property("Name").value, "LeftAxis");
            ide.saveForm("%1");
            oneStep("the run of the designer", steps, before);
            ide.undo();
            same("gone with the undo", ide.components().indexOf("LeftAxis") + ide.components().indexOf("Legend"), -2);
            same("restored with the undo", ide.value("Graph1", "Caption"), "Measured and fitted");
            ide.redo();
        )";
        QCOMPARE(run(QString::fromUtf8(source).arg(file)), QString());

        // The saved file holds them, and reads back with the legend on its graph.
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        for (const char *object : {"object LeftAxis: TKvAxis", "object LineSeries1: TKvLineSeries",
                                   "object DoubleVector1: TKvDoubleVector", "object Legend: TKvLegend"})
            QVERIFY2(text.contains(QString::fromLatin1(object)), object);
        // Non-visual components are tiles of their own, off the form's controls and each other.
        TDesignForm *form = F.Designer()->Form();
        QList<QRect> taken;
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto *w = qobject_cast<QWidget *>(form->Components(i)->AsObject()))
                taken << w->geometry();
        for (const char *name : {"LeftAxis", "LineSeries1", "DoubleVector1", "Legend"}) {
            TComponent *c = F.Component(name);
            QVERIFY2(c && HasDesignPosition(c->AsObject()), name);
            const QRect tile = form->TileHitRect(c);
            for (const QRect &r : taken)
                QVERIFY2(!r.intersects(tile), name);
            taken << tile;
        }
        const char *readBack = R"(
            same("read back", ide.openForm("%1").length, 0);
            same("legend", ide.value("Legend", "Graph"), "Graph1");
        )";
        QCOMPARE(run(QString::fromUtf8(readBack).arg(file)), QString());
    }

    // The dialog's own undo frees what it added; Cancel keeps what was added (the components
    // belong to the form) and marks the form changed even when nothing changed, while
    // "&Update Graph" redraws without marking it.
    void graphDesignerOwnUndoCancelAndUpdate()
    {
        const char *source = R"(
            var before = ide.formText(), steps = ide.undoCount();
            ide.doubleClick("Series1", function (dlg) {
                dlg.find("AxisButton").pick("Top axis");
                dlg.find("SeriesButton").pick("Bars");
                same("added", ide.classOf("Bars1"), "TKvBars");
                dlg.find("UndoButton").click();
                same("freed by the dialogs undo", ide.components().indexOf("Bars1"), -1);
                dlg.cancel();
            });
            same("the axis stays", ide.classOf("TopAxis"), "TKvAxis");
            oneStep("cancelled run", steps, before);

            ide.saveForm(ide.screenshotDir + "/saved.kvf");
            steps = ide.undoCount();
            ide.executeVerb("Graph1", "&Update Graph");
            same("update graph marks nothing", ide.isModified(), false);
            ide.doubleClick("Graph1", function (dlg) { dlg.cancel(); });
            same("a cancelled designer marks the form", ide.isModified(), true);
            same("but it is no step", ide.undoCount(), steps);
        )";
        QCOMPARE(run(QString::fromUtf8(source)), QString());
    }

    // A handler that fails closes the designer; its error reaches the error box, and what the
    // run completed before is one step.
    void graphDesignerThatFailsClosesAndKeepsWhatItCompleted()
    {
        UnRegisterClass(&TKvBars::staticMetaObject); // the designer cannot make bars now
        const char *source = R"(
            var before = ide.formText(), steps = ide.undoCount();
            ide.doubleClick("Series1", function (dlg) {
                dlg.find("AxisButton").pick("Right axis");
                dlg.find("SeriesButton").pick("Bars");
                same("the dialog closed", dlg.open, false);
            });
            if (ide.lastError === "")
                throw new Error("no error box");
            same("the axis made before stays", ide.classOf("RightAxis"), "TKvAxis");
            same("no bars", ide.components().join().indexOf("Bars"), -1);
            oneStep("failed run", steps, before);
        )";
        const QString error = run(QString::fromUtf8(source));
        RegisterComponentClass<TKvBars>();
        QCOMPARE(error, QString());
    }

    // The IDE's error box is the application's exception handling: what a dialog's handler
    // raises is announced there, and a headless run does not wait for anybody to close it.
    void exceptionsOfOpenDialogsGoToTheErrorBox()
    {
        QStringList shown;
        auto conn = connect(&TErrorBox::Instance(), &TErrorBox::shown, this, [&shown](const QString &M) { shown << M; });
        QTimer closer; // a box that waits is closed, so that the failure shows instead of a hang
        int waited = 0;
        closer.callOnTimeout([&waited] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                ++waited;
                w->close();
            }
        });
        closer.start(20);
        Forms::ShowApplicationException(QStringLiteral("A handler failed"));
        disconnect(conn);
        QCOMPARE(shown, QStringList{QStringLiteral("A handler failed")});
        QCOMPARE(waited, 0);
    }

    void captionEditorTakesATypedFormulaAndADraggedVariable()
    {
        const char *source = R"(
            ide.select("Graph1");
            var before = ide.formText(), steps = ide.undoCount();
            ide.property("Caption").edit(function (dlg) {
                var edit = dlg.find("CaptionEdit");
                edit.caret = edit.text.length;
                edit.type(" of ");
                dlg.find("CaptionsView").dragTo("Series1/Caption", edit, {x: edit.get("width") - 24, y: 14});
                var text = edit.text;
                // A formula the parser refuses (an open bracket): its message in the error box,
                // the dialog open, nothing inserted.
                var bad = "2*" + String.fromCharCode(40);
                dlg.find("FormulaEdit").setValue(bad);
                dlg.find("InsFormulaBtn").click();
                if (ide.lastError.indexOf(bad) < 0)
                    throw new Error("the error box said: " + ide.lastError);
                same("still open", dlg.open, true);
                same("nothing inserted", edit.text, text);
                edit.caret = edit.text.length;
                edit.type(", ");
                dlg.find("FormulaEdit").setValue("2*DoubleEdit1.Value");
                dlg.find("FormatEdit").setValue("0.0");
                dlg.find("InsFormulaBtn").click();
                same("caret after the formula", edit.caret, edit.text.length);
                dlg.ok();
            });
            same("caption", ide.value("Graph1", "Caption"),
                 "{\\kvcap1 Measured and fitted of \\var{Series1.Caption}, \\var{2*DoubleEdit1.Value;0.0}}");
            oneStep("caption editor", steps, before);
        )";
        QCOMPARE(run(QString::fromUtf8(source)), QString());
        // The chart draws the caption with the variable and the formula evaluated.
        auto *graph = ComponentCast<TKvGraph2D>(F.Component("Graph1"));
        QCOMPARE(graph->CaptionAsString(), QStringLiteral("Measured and fitted of Sine fit, 1%1").arg(QLocale().decimalPoint()) + QLatin1Char('8'));
    }

    void vectorValueTypedInTheSheet()
    {
        const char *source = R"(
            ide.saveForm(ide.screenshotDir + "/saved.kvf");
            ide.contextMenu("XValues").trigger("Values Editor", function (dlg) {
                var grid = dlg.find("DataGrid");
                grid.select([2, 0]);
                grid.type(ide.numberText(7.25) + "\n"); // as a user of the locale types it
                same("live in the vector", ide.value("XValues", "Values")[2], 7.25);
                grid.select([25, 1]);
                grid.type("9\n");
                same("appended", ide.value("YValues", "Values").length, 26);
                dlg.find("ExitBtn").click();
            });
            same("marked after the run", ide.isModified(), true);
            // The values are kept with the form as binary data: the run is one undo step.
            var typed = ide.value("XValues", "Values")[2];
            ide.undo();
            same("undone", ide.value("YValues", "Values").length, 25);
            same("old value back", ide.value("XValues", "Values")[2] !== typed, true);
            ide.redo();
            same("redone", ide.value("XValues", "Values")[2], 7.25);
        )";
        QCOMPARE(run(QString::fromUtf8(source)), QString());
        QCOMPARE(F.Designer()->UndoStack()->index(), 1);
    }

    // Last of three to the top by a drag with the mouse: three references stored.
    void legendOrderChangedByADrag()
    {
        const char *source = R"(
            ide.select("Legend1");
            var before = ide.formText(), steps = ide.undoCount();
            ide.property("ItemsOrderList").edit(function (dlg) {
                var list = dlg.find("SeriesListBox");
                list.dragTo(2, list, 0);
                same("moved to the top", list.value, 0);
                dlg.ok();
            });
            same("order", ide.value("Legend1", "ItemsOrderList").join(), "FittedLine1,Series1,Series2");
            oneStep("legend order", steps, before);
        )";
        QCOMPARE(run(QString::fromUtf8(source)), QString());
    }

    // Every other dialog the inspector or a verb opens: one step each, undone exactly.
    void everyDialogIsOneStep_data()
    {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("handler");
        QTest::newRow("pie settings from the pie legend") << R"(ide.doubleClick("PieLegend1", H))"
            << R"(dlg.find("Position").setValue("Left"); dlg.ok();)";
        QTest::newRow("font of the graph's caption") << R"(ide.select("Graph1"); ide.property("CaptionFont").edit(H))"
            << R"(dlg.find("ItalicCheck").setValue(true); dlg.ok();)";
        QTest::newRow("captions of the pie chart") << R"(ide.select("PieChart1"); ide.property("Captions").edit(H))"
            << R"(var e = dlg.find("CaptionEdit"); e.caret = e.text.length; e.type("\nNuclear"); dlg.ok();)";
        QTest::newRow("coefficients of the fitted line")
            << R"(ide.select("FittedLine1"); ide.property("Coefficients").edit(H))"
            << R"(var m = dlg.find("Memo1"); m.setSelection(0, m.text.length); m.type("4\n2\n0.9\n0.1"); dlg.ok();)";
        QTest::newRow("links of the time edit") << R"(ide.select("DoubleEdit2"); ide.property("PropertyLinks").edit(H))"
            << R"(dlg.find("ItemList").select(0); dlg.find("DelBtn").click(); dlg.ok();)";
        QTest::newRow("the fill palette's verb") << R"(ide.executeVerb("FillPalette1", "&Edit Palette", H))"
            << R"(dlg.find("PaletteList").select(1); dlg.find("DeleteButton").click(); dlg.ok();)";
        QTest::newRow("line of a series") << R"(ide.select("Series1"); ide.property("Line").edit(H))"
            << R"(dlg.find("WidthUpDn").setValue(4); dlg.ok();)";
    }
    void everyDialogIsOneStep()
    {
        QFETCH(QString, open);
        QFETCH(QString, handler);
        const char *source = R"(
            var before = ide.formText(), steps = ide.undoCount();
            var H = function (dlg) { %1 };
            %2;
            oneStep("dialog", steps, before);
        )";
        QCOMPARE(run(QString::fromUtf8(source).arg(handler, open)), QString());
    }
};

QTEST_MAIN(TestDialogScripts)
#include "tst_dialogscripts.moc"
