// What users type and do in the designer that it must refuse or leave alone: component names a
// form cannot keep, Return in a cell they did not change (dates and numbers in their locale),
// infinities and NaN, and form changes while an editor's dialog is open (from the IDE's API
// and from scripts). CTest runs it in C, en_US.UTF-8 and de_DE.UTF-8.
#include <QLineEdit>
#include <QtTest>
#include <cmath>

#include "../common/ModalDriver.h"
#include "DemoForm.h"
#include "ErrorBox.h"
#include "FormHistory.h"
#include "HostFixture.h"
#include "Kvaxis.h"
#include "Kvdatetime.h"
#include "Kvseries.h"
#include "ScriptHost.h"

class TestDesignerInput : public QObject {
    Q_OBJECT
    THostFixture F;
    QStringList FErrors;

    QLineEdit *cell(const QString &Path)
    {
        QTreeWidgetItem *item = F.Inspector()->FindItem(Path);
        if (!item)
            return nullptr;
        F.Inspector()->Tree()->setCurrentItem(item, 1);
        QWidget *w = F.Inspector()->Tree()->itemWidget(item, 1);
        return w ? w->findChild<QLineEdit *>(QStringLiteral("PropertyValueLine")) : nullptr;
    }
    int steps() const { return F.Designer()->UndoStack()->index(); }
    TKvAxis *axis() const { return ComponentCast<TKvAxis>(F.Component("Axis1")); }

private slots:
    void initTestCase()
    {
        QVERIFY(F.Start());
        connect(&TErrorBox::Instance(), &TErrorBox::shown, this, [this](const QString &m) { FErrors << m; });
    }
    void init()
    {
        F.Reset();
        FErrors.clear();
    }
    void cleanupTestCase() { F.Stop(); }

    // ---- names -------------------------------------------------------------------------------
    void namesTheFormCannotKeepAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << "" << "A component name cannot be empty";
        QTest::newRow("nil") << "nil" << "'nil' is reserved";
        QTest::newRow("Nil") << "Nil" << "'Nil' is reserved";
        QTest::newRow("the form's name") << "form1" << "A component named form1 already exists";
        QTest::newRow("another's name") << "AXIS2" << "A component named AXIS2 already exists";
        QTest::newRow("digit first") << "1Axis" << "'1Axis' is not a valid component name";
        QTest::newRow("blank inside") << "Axis 1" << "'Axis 1' is not a valid component name";
        QTest::newRow("non-ASCII letter") << "Achse\u00E4" << "is not a valid component name";
    }
    void namesTheFormCannotKeepAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        F.Select({"Axis1"});
        const int before = steps();
        const QString text = F.Designer()->SaveToString();
        // Typed into the Name cell: the error box tells why, the old name stays.
        QLineEdit *line = cell(QStringLiteral("Name"));
        QVERIFY(line);
        line->selectAll();
        if (name.isEmpty())
            QTest::keyClick(line, Qt::Key_Delete);
        else if (QStringView(name).toLatin1().size() == name.toUtf8().size())
            QTest::keyClicks(line, name);
        else
            line->insert(name); // pasted: QTest types ASCII only
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(FErrors.size(), 1);
        QVERIFY2(FErrors.first().contains(error), qPrintable(FErrors.first()));
        QCOMPARE(F.Value(QStringLiteral("Name")), QStringLiteral("Axis1"));
        QCOMPARE(line->text(), QStringLiteral("Axis1"));
        QCOMPARE(steps(), before);
        QCOMPARE(F.Designer()->SaveToString(), text);
        // The form itself is held to the same rules.
        F.Designer()->SetSelection({F.Designer()->GetRoot()});
        if (!name.isEmpty() && name.compare(QLatin1String("form1"), Qt::CaseInsensitive) != 0)
            QVERIFY(!F.Inspector()->SetPropertyValue(QStringLiteral("Name"), name).isEmpty());
        QCOMPARE(F.Designer()->GetRoot()->Name(), QStringLiteral("Form1"));
    }

    // A good name goes through and is undone and redone with the references to it; a rename
    // that can no longer be undone (its name was taken meanwhile) is reported, nothing thrown.
    void renamesUndoAndNothingThrowsOutOfUndo()
    {
        F.Select({"Axis1"});
        QCOMPARE(F.Inspector()->SetPropertyValue(QStringLiteral("Name"), QStringLiteral("Time_Axis")), QString());
        QVERIFY(F.Designer()->SaveToString().contains(QStringLiteral("XAxis = Time_Axis")));
        F.Designer()->UndoStack()->undo();
        QVERIFY(F.Component("Axis1"));
        QVERIFY(F.Designer()->SaveToString().contains(QStringLiteral("XAxis = Axis1")));
        F.Designer()->UndoStack()->redo();
        QVERIFY(F.Component("Time_Axis"));

        // Code outside the designer takes the old name; undo cannot give it back.
        auto *squatter = new TKvAxis(F.Designer()->GetRoot());
        squatter->SetName(QStringLiteral("Axis1"));
        FErrors.clear();
        F.Designer()->UndoStack()->undo();
        QVERIFY(!FErrors.isEmpty());
        QVERIFY2(FErrors.last().contains(QStringLiteral("A component named Axis1 already exists")), qPrintable(FErrors.last()));
        F.Designer()->UndoStack()->redo();
        QVERIFY(F.Component("Time_Axis"));
        QVERIFY(F.Component("Axis1") == squatter);
    }

    // ---- Return in a cell ----------------------------------------------------------------------
    // A cell's text may stand for a value it does not read back to exactly (a date to the
    // second, a time span to the millisecond, 15 digits): Return without a change stores
    // nothing, in every locale.
    void returnInAnUnchangedCellStoresNothing_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("dates");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("typed"); // a real change; empty: the next day's text
        QTest::newRow("date-time, 0.4 s past the second") << "Start" << true << 44189.75 + 0.4 / 86400 << "";
        QTest::newRow("date-time before 1900") << "Stop" << true << -36523.5 - 0.3 / 86400 << "";
        QTest::newRow("time span, 0.4 ms past the millisecond") << "MovingSlitWidth" << true << 1.0 / 24 + 0.0004 / 86400
                                                                << "02:00:00";
        QTest::newRow("number, 17 digits") << "SlaveSlope" << false << 0.1 + 0.2 << "2";
        QTest::newRow("number, tiny") << "MinForExtraExponent" << false << 1.0000000000000002e-300 << "2";
    }
    void returnInAnUnchangedCellStoresNothing()
    {
        QFETCH(QString, path);
        QFETCH(bool, dates);
        QFETCH(double, value);
        QFETCH(QString, typed);
        TKvAxis *a = axis();
        a->SetScaling(dates ? TKvAxisScaling::DateTime : TKvAxisScaling::Linear);
        a->setProperty(path.toLatin1().constData(), value);
        F.Designer()->Modified(QStringLiteral("Setup"));
        const int before = steps();
        F.Select({"Axis1"});
        QLineEdit *line = cell(path);
        QVERIFY(line);
        const QString shown = line->text();
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(a->property(path.toLatin1().constData()).toDouble(), value);
        // Typed again as it stands: still nothing.
        line = cell(path);
        line->selectAll();
        QTest::keyClicks(line, shown);
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(a->property(path.toLatin1().constData()).toDouble(), value);
        QCOMPARE(steps(), before);
        QVERIFY(FErrors.isEmpty());
        // A real change is stored, and reads back to the text it shows.
        line = cell(path);
        line->selectAll();
        if (typed.isEmpty())
            typed = DateTimeToStr(value + 1);
        QTest::keyClicks(line, typed);
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(steps(), before + 1);
        QVERIFY(a->property(path.toLatin1().constData()).toDouble() != value);
        QCOMPARE(cell(path)->text(), typed);
    }

    // Infinities and NaN are refused in a float row: error box, old value, no undo step, and
    // the form text unchanged.
    void infinityAndNanAreRefusedInFloatRows_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        for (const char *t : {"inf", "-INF", "NaN", "1e999"}) {
            QTest::newRow(qPrintable(QStringLiteral("SlaveSlope ") + QLatin1String(t))) << "SlaveSlope" << QString::fromLatin1(t);
            QTest::newRow(qPrintable(QStringLiteral("Line.Width ") + QLatin1String(t))) << "Line.Width" << QString::fromLatin1(t);
        }
    }
    void infinityAndNanAreRefusedInFloatRows()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        F.Select({path.contains(QLatin1Char('.')) ? "Series1" : "Axis1"});
        const QString form = F.Designer()->SaveToString();
        const QString before = F.Value(path);
        const int count = steps();
        QLineEdit *line = cell(path);
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, text);
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(FErrors.size(), 1);
        QVERIFY2(FErrors.first().contains(text), qPrintable(FErrors.first()));
        QCOMPARE(F.Value(path), before);
        QCOMPARE(steps(), count);
        QCOMPARE(F.Designer()->SaveToString(), form);
    }

    // ---- form changes while an editor's dialog is open ----------------------------------------
    // The dialog edits objects of the form; what would replace or free them while it is open is
    // refused with an error that says why, and the dialog ends normally.
    void formChangesAreRefusedWhileAnEditorRuns()
    {
        F.Select({"Axis1"});
        QCOMPARE(F.Inspector()->SetPropertyValue(QStringLiteral("Start"), QStringLiteral("3")), QString()); // a step to undo
        F.Select({"Series1"});
        const QString form = F.Designer()->SaveToString();
        QStringList refused;
        int stepsInside = -1;
        const auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            TFormDesigner *d = F.Designer();
            auto expectRefusal = [&](const char *What, const std::function<void()> &Call) {
                try {
                    Call();
                    refused << QStringLiteral("%1: went through").arg(QLatin1String(What));
                } catch (const EComponentError &e) {
                    refused << e.Message();
                }
            };
            expectRefusal("load", [&] { d->LoadFromString(DemoFormText()); });
            expectRefusal("new", [&] { d->NewForm(); });
            expectRefusal("delete", [&] { d->DeleteSelection(); });
            expectRefusal("cut", [&] { d->CutSelection(); });
            expectRefusal("paste", [&] { d->PasteText(QStringLiteral("object Axis9: TKvAxis\nend\n")); });
            expectRefusal("place", [&] { d->PlaceComponent(QStringLiteral("TKvAxis"), QPoint(300, 300)); });
            refused << d->RunComponentEditor(F.Component("Graph1"));
            refused << F.Inspector()->EditProperty(QStringLiteral("PointSymbol"));
            stepsInside = steps();
            d->UndoStack()->undo(); // reported, not done
            refused << (steps() == stepsInside ? FErrors.value(FErrors.size() - 1) : QStringLiteral("undo went through"));
            ModalDriver::Accept(w);
        });
        QCOMPARE(F.Inspector()->EditProperty(QStringLiteral("Line")), QString());
        QVERIFY(*ran);
        QCOMPARE(refused.size(), 9);
        for (const QString &r : refused)
            QVERIFY2(r.contains(QStringLiteral("is not possible while an editor is open")), qPrintable(refused.join(QLatin1Char('\n'))));
        QVERIFY(F.Component("Series1"));
        QCOMPARE(F.Designer()->SaveToString(), form);
        // Once the dialog is closed, everything works again.
        F.Designer()->UndoStack()->undo();
        QCOMPARE(F.Designer()->LoadFromString(DemoFormText()), QStringList());
    }

    // The same from a script's dialog handler: the call throws into the script with the reason,
    // the dialog ends, and the object it edited is still there.
    void scriptsCannotChangeTheFormFromADialogHandler_data()
    {
        QTest::addColumn<QString>("call");
        QTest::newRow("newForm") << "ide.newForm()";
        QTest::newRow("openDemoForm") << "ide.openDemoForm()";
        QTest::newRow("undo") << "ide.undo()";
        QTest::newRow("redo") << "ide.redo()";
        QTest::newRow("deleteSelection") << "ide.deleteSelection()";
        QTest::newRow("another editor") << "ide.editComponent('Graph1', function (d) { d.ok(); })";
    }
    void scriptsCannotChangeTheFormFromADialogHandler()
    {
        QFETCH(QString, call);
        F.Select({"Axis1"});
        F.Inspector()->SetPropertyValue(QStringLiteral("Start"), QStringLiteral("1"));
        F.Designer()->UndoStack()->undo();
        TScriptHost script(F.Host.get(), F.Window.get());
        QString error;
        const bool ok = script.Run(QStringLiteral(R"(
            ide.select("Series1");
            ide.property("Line").edit(function (dlg) {
                dlg.find("WidthUpDn").setValue(4);
                %1;
                dlg.ok();
            });)").arg(call), QStringLiteral("handler.js"), &error);
        QVERIFY(!ok);
        QVERIFY2(error.contains(QStringLiteral("is not possible while an editor is open")), qPrintable(error));
        auto *series = ComponentCast<TKvLineSeries>(F.Component("Series1"));
        QVERIFY(series);
        QCOMPARE(series->Line()->Width(), 2.0f); // the dialog was cancelled
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestDesignerInput)
#include "tst_designerinput.moc"
