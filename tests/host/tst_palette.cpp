// The component palette's search: typing narrows every page to the classes whose name holds the
// text (any case), pages without a match step aside, the keys choose and select a match, and a
// click on the form then places it; a script does the same through ide.paletteSearch.
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "ComponentPalette.h"
#include "DesignOverlay.h"
#include "HostFixture.h"
#include "ScriptHost.h"

namespace {
const QStringList PieClasses = {
    QStringLiteral("TKvPieChart"),          QStringLiteral("TKvPieLegend"),
    QStringLiteral("TKvPieSettingsTool"),   QStringLiteral("TKvPieGeneralSettingsFrame"),
    QStringLiteral("TKvPieDonutFillFrame"), QStringLiteral("TKvPieLabelsFrame"),
    QStringLiteral("TKvPieLegendSettingsFrame"),
};
} // namespace

class TestPalette : public QObject {
    Q_OBJECT
    THostFixture F;

    TComponentPalette *palette() const { return F.Window->Palette(); }
    QLineEdit *box() const { return palette()->findChild<QLineEdit *>(QStringLiteral("PaletteSearch")); }
    void type(const QString &Text)
    {
        box()->setFocus();
        QTest::keyClick(box(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box(), Qt::Key_Delete);
        QTest::keyClicks(box(), Text);
    }
    QStringList visibleTabs() const
    {
        QStringList out;
        for (int i = 0; i < palette()->count(); ++i)
            if (palette()->isTabVisible(i))
                out << palette()->tabText(i);
        return out;
    }
    // The button that shows the class on its page.
    QToolButton *button(const QString &ClassName) const
    {
        QAction *a = palette()->ClassAction(ClassName);
        for (int i = 0; a && i < palette()->count(); ++i)
            if (auto *bar = qobject_cast<QToolBar *>(palette()->widget(i)); bar && bar->actions().contains(a))
                return qobject_cast<QToolButton *>(bar->widgetForAction(a));
        return nullptr;
    }

private slots:
    void initTestCase() { QVERIFY(F.Start()); }
    void init() { F.Reset(); }
    void cleanupTestCase() { F.Stop(); }

    void typingNarrowsEveryPage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("tabs");
        const QString standard = QStringLiteral("Kv-Plots2D.VCL Standard"), graph = QStringLiteral("Kv-Plots2D.VCL Graph"),
                      frames = QStringLiteral("Kv-Plots2D.VCL Frames");
        QTest::addRow("lower case") << "pie" << PieClasses << QStringList{graph, frames};
        QTest::addRow("upper case") << "PIE" << PieClasses << QStringList{graph, frames};
        QTest::addRow("blanks around") << "  pIe " << PieClasses << QStringList{graph, frames};
        QTest::addRow("inside a name") << "stylescombo"
                                       << QStringList{"TKvDashStylesCombo", "TKvAreaStylesCombo"} << QStringList{standard};
        QTest::addRow("one page") << "marker"
                                  << QStringList{"TKvVerticalMarker", "TKvHorizontalMarker", "TKvLabelWithArrowMarker"}
                                  << QStringList{graph};
        // Nothing matches: no button shows, but the pages stay so that the palette is not blank.
        QTest::addRow("no match") << "zzz" << QStringList{} << QStringList{standard, graph, frames};
        QTest::addRow("hostile") << QString(300, QLatin1Char('*')) << QStringList{} << QStringList{standard, graph, frames};
    }
    void typingNarrowsEveryPage()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, tabs);
        const int all = palette()->ShownClasses().size();
        QCOMPARE(all, 60);
        type(text);
        QCOMPARE(palette()->ShownClasses(), shown);
        QCOMPARE(visibleTabs(), tabs);
        // The buttons of the matches show with their pictures when their page is in front.
        for (const QString &cls : shown) {
            QToolButton *b = button(cls);
            QVERIFY2(b, qPrintable(cls));
            palette()->setCurrentWidget(b->parentWidget());
            QApplication::processEvents();
            QVERIFY2(b->isVisible() && !b->icon().isNull(), qPrintable(cls));
        }
        // A text that finds nothing turns red; a match keeps the normal colour.
        const bool red = box()->palette().color(QPalette::Text) == QColor(200, 0, 0);
        QCOMPARE(red, shown.isEmpty());
        // Escape gives every class back.
        QTest::keyClick(box(), Qt::Key_Escape);
        QCOMPARE(box()->text(), QString());
        QCOMPARE(palette()->ShownClasses().size(), all);
        QCOMPARE(visibleTabs().size(), 3);
    }

    void theShortcutGoesToTheSearchBox()
    {
        QVERIFY(box()->placeholderText().contains(TComponentPalette::SearchShortcut()));
        QVERIFY(box()->toolTip().contains(TComponentPalette::SearchShortcut()));
        box()->setText(QStringLiteral("axis"));
        F.Window->activateWindow();
        F.Inspector()->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(F.Window.get()));
        QVERIFY(!box()->hasFocus());
        QTest::keySequence(F.Window.get(), QKeySequence(TComponentPalette::SearchShortcut()));
        QVERIFY(box()->hasFocus());
        // Everything selected: typing replaces the old search.
        QTest::keyClicks(box(), QStringLiteral("legend"));
        QCOMPARE(box()->text(), QStringLiteral("legend"));
    }

    void keysChooseAMatchAndAClickPlacesIt()
    {
        type(QStringLiteral("pie"));
        QCOMPARE(palette()->ChosenMatch(), PieClasses[0]);
        QVERIFY(!button(PieClasses[0])->autoRaise()); // the chosen one stands raised
        QVERIFY(button(PieClasses[1])->autoRaise());
        // Down walks through the matches across the pages and brings the page of the chosen one.
        for (int i = 1; i < 4; ++i)
            QTest::keyClick(box(), Qt::Key_Down);
        QCOMPARE(palette()->ChosenMatch(), QStringLiteral("TKvPieGeneralSettingsFrame"));
        QCOMPARE(palette()->tabText(palette()->currentIndex()), QStringLiteral("Kv-Plots2D.VCL Frames"));
        QVERIFY(button(PieClasses[0])->autoRaise());
        // Up past the first wraps to the last.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(box(), Qt::Key_Up);
        QCOMPARE(palette()->ChosenMatch(), PieClasses.last());
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(box(), Qt::Key_Up);
        QCOMPARE(palette()->ChosenMatch(), PieClasses[1]);
        QCOMPARE(palette()->tabText(palette()->currentIndex()), QStringLiteral("Kv-Plots2D.VCL Graph"));

        // Nothing is chosen for placing before Enter.
        QVERIFY(!palette()->ClassAction(PieClasses[1])->isChecked());
        QTest::keyClick(box(), Qt::Key_Return);
        QVERIFY(palette()->ClassAction(PieClasses[1])->isChecked());

        TComponent *root = F.Designer()->GetRoot();
        const int before = root->ComponentCount();
        QTest::mouseClick(F.Designer()->Overlay(), Qt::LeftButton, {}, QPoint(400, 300));
        QCOMPARE(root->ComponentCount(), before + 1);
        QCOMPARE(root->Components(before)->ClassName(), PieClasses[1]);

        // Enter without a match selects nothing.
        type(QStringLiteral("zzz"));
        QCOMPARE(palette()->ChosenMatch(), QString());
        QTest::keyClick(box(), Qt::Key_Return);
        QVERIFY(palette()->ClassAction(QStringLiteral("TKvPieChart")) && !palette()->ClassAction(QStringLiteral("TKvPieChart"))->isChecked());
    }

    void theSearchOutlivesARebuild()
    {
        type(QStringLiteral("legend"));
        const QStringList shown = palette()->ShownClasses();
        QCOMPARE(shown, (QStringList{"TKvLegend", "TKvPieLegend", "TKvLegendSettingsFrame", "TKvPieLegendSettingsFrame"}));
        palette()->Rebuild();
        QCOMPARE(palette()->ShownClasses(), shown);
        QCOMPARE(palette()->ChosenMatch(), shown.first());
    }

    void aScriptSearchesAndPlacesAPieClass()
    {
        TScriptHost script(F.Host.get(), F.Window.get());
        QString error;
        const bool ok = script.Run(QStringLiteral(R"(
            function same(what, a, b) { if (String(a) !== String(b)) throw new Error(what + ": " + a + " != " + b); }
            ide.newForm();
            same("pie classes", ide.paletteSearch("pie").join(), "%1");
            var box = ide.find("PaletteSearch");
            box.key("Down");
            box.key("Return");
            var name = ide.clickForm(200, 120);
            same("placed", name, "PieLegend1");
            same("class", ide.classOf(name), "TKvPieLegend");
            same("one component", ide.components().join(), name);
            same("nothing", ide.paletteSearch("no such class").length, 0);
            same("everything", ide.paletteSearch("").length, 60);
        )").arg(PieClasses.join(QLatin1Char(','))),
                                   QStringLiteral("palette.js"), &error);
        QVERIFY2(ok, qPrintable(error));
    }
};

QTEST_MAIN(TestPalette)
#include "tst_palette.moc"
