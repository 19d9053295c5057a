// The IDE's JavaScript interface end to end: a script builds a form from the palette, edits it
// through the Object Inspector (also with several components selected), saves, undoes, reloads;
// dialogs are operated inside their modal loop and always end; failures come back as errors
// with their messages; kvide --script reports them by its exit code. Controls by their items
// (tree paths, tabs, rows), tool button menus, carets, drags through the window, idle passes.
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtTest>

#include "AppEvnts.h"
#include "HostFixture.h"
#include "Kvlegend.h"
#include "Kvmarkers.h"
#include "ScriptHost.h"

namespace {
// A verb of the legend that fails, for the error box.
class TFailingLegendVerb : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 1; }
    QString GetVerb(int) override { return QStringLiteral("Fail"); }
    void ExecuteVerb(int) override { throw EComponentError(QStringLiteral("The legend refuses")); }
};
} // namespace

class TestScripting : public QObject {
    Q_OBJECT
    THostFixture F;

    QString run(const QString &Source) { return F.RunScript(Source); }

private slots:
    void initTestCase()
    {
        QVERIFY(F.Start());
        TDesignRegistry::Instance().SetCurrentPackage(QStringLiteral("ScriptingTests"));
        RegisterComponentEditor(&TKvLegend::staticMetaObject, ComponentEditorClass<TFailingLegendVerb>());
        TDesignRegistry::Instance().SetCurrentPackage(QString());
    }
    void init() { F.Reset(); }
    void cleanupTestCase()
    {
        TDesignRegistry::Instance().UnregisterPackage(QStringLiteral("ScriptingTests"));
        F.Stop();
    }

    void aFormBuiltEditedSavedUndoneAndReloadedKeepsEveryValue()
    {
        const QString file = F.Dir.filePath(QStringLiteral("built.kvf"));
        const QString script = QStringLiteral(R"(
            function same(what, a, b) { if (String(a) !== String(b)) throw new Error(what + ": " + a + " != " + b); }
            ide.newForm();
            var first = ide.formText();
            var g = ide.place("TKvGraph2D", 16, 16);
            var s1 = ide.place("TKvLineSeries", 480, 24);
            var s2 = ide.place("TKvPointSeries", 530, 24);
            var ax = ide.place("TKvAxis", 480, 80);
            same("names", [g, s1, s2, ax].join(), "Graph1,LineSeries1,PointSeries1,Axis1");
            ide.select(s1);
            ide.property("Graph").setValue(g);
            ide.property("XAxis").setValue(ax);
            ide.select([s1, s2]);
            same("common caption", ide.property("Caption").value, "");
            ide.property("Caption").setValue("Both");
            ide.property("Line.Width").setValue("3");
            ide.select(g);
            ide.property("BackColor").setValue("Ivory");
            ide.property("Caption").setValue("Built by a script");
            ide.select(ax);
            ide.property("Stop").setValue("20");
            ide.saveForm("%1");
            while (ide.undoCount() > 0) ide.undo();
            same("after undo", ide.formText(), first);
            same("components after undo", ide.components().length, 0);
            same("load messages", ide.openForm("%1").length, 0);
            same("s1 caption", ide.value(s1, "Caption"), "Both");
            same("s2 caption", ide.value(s2, "Caption"), "Both");
            same("s2 width", ide.value(s2, "Line.Width"), 3);
            same("graph", ide.value(s1, "Graph"), g);
            same("x axis", ide.value(s1, "XAxis"), ax);
            same("stop", ide.value(ax, "Stop"), 20);
            same("scaling", ide.value(ax, "Scaling"), "Linear");
            ide.select(g);
            same("back colour", ide.property("BackColor").value, "Ivory");
            same("graph caption", ide.property("Caption").value, "Built by a script");
        )").arg(file);
        QCOMPARE(run(script), QString());
    }

    void dialogsAreOperatedInsideTheirModalLoopAndAlwaysEnd()
    {
        QCOMPARE(run(QStringLiteral(R"(
            ide.select("Series1");
            ide.property("Line").edit(function (dlg) {
                if (dlg.find("WidthUpDn").value !== 2) throw new Error("dialog shows " + dlg.find("WidthUpDn").value);
                dlg.find("WidthUpDn").setValue(5);
                dlg.find("LineVisibleCheck").setValue(false);
                dlg.ok();
            });
            if (ide.value("Series1", "Line.Width") !== 5) throw new Error("width not taken");
            if (ide.value("Series1", "Line.Visible") !== false) throw new Error("visible not taken");
            ide.property("Line").edit(function (dlg) { dlg.find("WidthUpDn").setValue(9); dlg.cancel(); });
            if (ide.value("Series1", "Line.Width") !== 5) throw new Error("cancel stored");
        )")), QString());

        // A handler that throws: its error comes back, the dialog is gone, nothing stored.
        QString error = run(QStringLiteral(R"(
            ide.select("Series1");
            ide.property("Line").edit(function (dlg) { dlg.find("WidthUpDn").setValue(8); dlg.find("NoSuchControl"); });
        )"));
        QVERIFY2(error.contains(QStringLiteral("NoSuchControl")), qPrintable(error));
        QCOMPARE(THostFixture::OpenDialogs(), 0);
        QCOMPARE(F.Component("Series1")->AsObject()->property("Line").value<QObject *>()->property("Width").toDouble(), 5.0);

        error = run(QStringLiteral(R"(ide.select("Series1"); ide.property("Line").edit(function (dlg) {});)"));
        QVERIFY2(error.contains(QStringLiteral("left open")), qPrintable(error));
        QCOMPARE(THostFixture::OpenDialogs(), 0);

        error = run(QStringLiteral(R"(ide.select("Series1"); ide.property("Name").edit(function (dlg) { dlg.ok(); });)"));
        QVERIFY2(error.contains(QStringLiteral("No dialog opened")), qPrintable(error));
    }

    void failuresComeBackAsErrorsWithTheirMessages()
    {
        // The editor's refusal is catchable and leaves the value.
        QCOMPARE(run(QStringLiteral(R"(
            ide.select("Axis1");
            var msg = "";
            try { ide.property("Stop").setValue("twelve"); } catch (e) { msg = e.message; }
            if (msg.indexOf("twelve") < 0) throw new Error("message was: " + msg);
            if (ide.value("Axis1", "Stop") !== 12) throw new Error("value changed");
        )")), QString());
        const QString error = run(QStringLiteral("\n\nide.select(\"NoSuchComponent\");"));
        QVERIFY2(error.startsWith(QStringLiteral("test.js:3:")) && error.contains(QStringLiteral("NoSuchComponent")), qPrintable(error));
        QVERIFY(run(QStringLiteral("ide.property(\"NoSuchProperty\")")).contains(QStringLiteral("NoSuchProperty")));
        QVERIFY(run(QStringLiteral("ide.place(\"TNoClass\", 1, 1)")).contains(QStringLiteral("not on the palette")));
        QVERIFY(run(QStringLiteral("ide.arrange = \"sideways\"")).contains(QStringLiteral("sideways")));
    }

    // An error box that a menu item shows is the dialog of a call given a handler; without one
    // the box does not wait, and lastError tells its text.
    void errorBoxesAreSeenByScripts()
    {
        QCOMPARE(run(QStringLiteral(R"(
            var seen = "";
            ide.contextMenu("Legend1").trigger("Fail", function (box) { seen = box.text; box.ok(); });
            if (seen !== "The legend refuses") throw new Error("the handler saw: " + seen);
            ide.contextMenu("Legend1").trigger("Fail");
            if (ide.lastError !== "The legend refuses") throw new Error("lastError: " + ide.lastError);
        )")), QString());
        QCOMPARE(THostFixture::OpenDialogs(), 0);
        // Dates as this locale's users type them are taken by the date-time rows.
        QCOMPARE(run(QStringLiteral(R"(
            ide.select("Axis1");
            ide.property("Scaling").setValue("DateTime");
            ide.property("Start").setValue(ide.dateText(2026, 1, 31));
            if (ide.property("Start").value !== ide.dateText(2026, 1, 31)) throw new Error(ide.property("Start").value);
        )")), QString());
    }

    void screenshotsOfWindowsAndDialogsAreWritten()
    {
        QCOMPARE(run(QStringLiteral(R"(
            ide.screenshot("main.png");
            ide.select("Graph1");
            ide.property("BackgroundGradient").edit(function (dlg) { dlg.screenshot("gradient.png"); dlg.cancel(); });
            var m = ide.contextMenu("Graph1");
            if (m.items().indexOf("Delete") < 0) throw new Error(m.items().join());
            m.close();
        )")), QString());
        const QImage main(F.Dir.filePath(QStringLiteral("main.png"))), gradient(F.Dir.filePath(QStringLiteral("gradient.png")));
        QCOMPARE(main.size(), F.Window->size());
        QVERIFY(!gradient.isNull() && gradient.width() < main.width());
    }

    // A window of plain controls, reached by their names as a dialog's are.
    void itemsTabsMenusAndCaretsAreReachedByName()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("Controls"));
        auto *layout = new QVBoxLayout(&window);
        auto *tree = new QTreeWidget;
        tree->setObjectName(QStringLiteral("Tree"));
        auto *fruits = new QTreeWidgetItem(tree, {QStringLiteral("Fruits")});
        new QTreeWidgetItem(fruits, {QStringLiteral("Apple")});
        new QTreeWidgetItem(fruits, {QStringLiteral("Pear")});
        new QTreeWidgetItem(tree, {QStringLiteral("Dried/Salted")}); // a slash in a text of its own
        auto *tabs = new QTabWidget;
        tabs->setObjectName(QStringLiteral("Tabs"));
        tabs->setFixedWidth(160); // too narrow for its tabs: they scroll
        for (int i = 1; i <= 9; ++i)
            tabs->addTab(new QWidget, QStringLiteral("Page &%1").arg(i));
        auto *line = new QLineEdit(QStringLiteral("Hello world"));
        line->setObjectName(QStringLiteral("Line"));
        auto *tools = new QToolButton;
        tools->setObjectName(QStringLiteral("Tools"));
        tools->setPopupMode(QToolButton::MenuButtonPopup);
        auto *menu = new QMenu(tools);
        QStringList triggered;
        for (const char *entry : {"First", "Second", "Off"}) {
            QAction *a = menu->addAction(QString::fromLatin1(entry));
            QObject::connect(a, &QAction::triggered, [&triggered, a] { triggered << a->text(); });
        }
        menu->actions().last()->setEnabled(false);
        tools->setMenu(menu);
        for (QWidget *w : {static_cast<QWidget *>(tree), static_cast<QWidget *>(tabs), static_cast<QWidget *>(line),
                           static_cast<QWidget *>(tools)})
            layout->addWidget(w);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(run(QStringLiteral(R"(
            function same(what, a, b) { if (String(a) !== String(b)) throw new Error(what + ": " + a + " != " + b); }
            function refused(what, f, text) {
                try { f(); } catch (e) { if (e.message.indexOf(text) >= 0) return; throw e; }
                throw new Error(what + " was not refused");
            }
            var tree = ide.find("Tree");
            same("top level", tree.items().join(), "Fruits,Dried/Salted");
            same("children", tree.items("Fruits").join(), "Apple,Pear");
            tree.select("Fruits/Pear");
            same("path of the current node", tree.text, "Fruits/Pear");
            tree.select("Dried/Salted");
            same("a text with a slash", tree.text, "Dried/Salted");
            refused("a missing node", function () { tree.select("Fruits/Banana"); }, "Fruits/Banana");

            var tabs = ide.find("Tabs");
            same("pages", tabs.items().length, 9);
            tabs.select("Page 9");
            same("last page", tabs.value, 8);
            tabs.setValue("Page 2");
            same("back", tabs.text, "Page 2");

            var line = ide.find("Line");
            line.setSelection(6, 5);
            same("selected", line.selectedText, "world");
            same("selection", [line.selStart, line.selLength, line.caret].join(), "6,5,11");
            line.caret = 5;
            same("caret", [line.selStart, line.selLength, line.caret].join(), "5,0,5");
            line.type(",");
            same("typed at the caret", line.text, "Hello, world");

            var tools = ide.find("Tools");
            same("entries", tools.menuItems().join(), "First,Second,Off");
            tools.pick("Second");
            tools.openMenu(function (menu) { menu.trigger("First"); });
            refused("a disabled entry", function () { tools.pick("Off"); }, "disabled");
            refused("a missing entry", function () { tools.pick("Third"); }, "Third");
            refused("a menu left open", function () { tools.openMenu(function (menu) {}); }, "left open");
            refused("a caret of a button", function () { return tools.caret; }, "no edit");
            refused("a menu of an edit", function () { line.pick("First"); }, "no drop-down menu");
        )")), QString());
        QCOMPARE(triggered, QStringList({QStringLiteral("Second"), QStringLiteral("First")}));
        QVERIFY(!menu->isVisible());
    }

    // Each step of a drag reaches the widget in its coordinates of that moment: a marker that
    // moves under the mouse ends where the pointer ends, not further on.
    void dragFollowsAWidgetThatMovesUnderTheMouse()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("Picture"));
        window.resize(300, 200);
        auto *marker = new Kvmarkers::TKvCrossHair(&window);
        marker->setObjectName(QStringLiteral("Marker"));
        marker->setGeometry(100, 80, 13, 13);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(QPointF(marker->X(), marker->Y()), QPointF(106, 86));
        QCOMPARE(run(QStringLiteral("ide.find('Marker').drag(6, 6, 46, 26);")), QString());
        QCOMPARE(QPointF(marker->X(), marker->Y()), QPointF(146, 106));
        QCOMPARE(run(QStringLiteral("ide.find('Picture').find('Marker').dragTo({x: 6, y: 6}, ide.find('Picture'), {x: 20, y: 30});")), QString());
        QCOMPARE(QPointF(marker->X(), marker->Y()), QPointF(20, 30));
    }

    void waitLetsTimersAndTheIdleHandlersRun()
    {
        TApplicationEvents events;
        int idle = 0;
        events.OnIdle = [&idle](QObject *, bool &) { ++idle; };
        bool fired = false;
        QTimer::singleShot(20, [&fired] { fired = true; });
        QCOMPARE(run(QStringLiteral(R"(
            ide.wait();
            var t = Date.now();
            ide.wait(40);
            if (Date.now() - t < 40) throw new Error("waited " + (Date.now() - t) + " ms");
        )")), QString());
        QVERIFY(idle >= 2);
        QVERIFY(fired);
    }

    void kvideExitCodeTellsWhetherTheScriptRanThrough()
    {
        auto runIde = [&](const QString &Source, QString *Err) {
            const QString file = F.Dir.filePath(QStringLiteral("s.js"));
            QFile f(file);
            f.open(QIODevice::WriteOnly | QIODevice::Truncate);
            f.write(Source.toUtf8());
            f.close();
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            env.insert(QStringLiteral("KV_REGISTRY_FILE"), F.Dir.filePath(QStringLiteral("ide.ini")));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(KV_KVIDE_FILE), {QStringLiteral("--script"), file});
            p.waitForFinished(60000);
            *Err = QString::fromUtf8(p.readAllStandardError());
            return p.exitCode();
        };
        QString err;
        QCOMPARE(runIde(QStringLiteral("ide.select('Graph1'); ide.property('Caption').value;"), &err), 0);
        QCOMPARE(runIde(QStringLiteral("ide.select('Graph1');\nthrow new Error('stopped here');"), &err), 1);
        QVERIFY2(err.contains(QStringLiteral("s.js:2")) && err.contains(QStringLiteral("stopped here")), qPrintable(err));
    }
};

QTEST_MAIN(TestScripting)
#include "tst_scripting.moc"
