// The Object Inspector in the IDE with the design package loaded: the two views and the filter,
// sub-properties (also volatile ones), multi-selection, the error box, revert, auto-update,
// owner-drawn cells and drop-down items with the sizes the editors ask for, and component
// editor verbs on the form's context menu and double click.
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>
#include <QtTest>

#include "../common/ModalDriver.h"
#include "DesignForm.h"
#include "DesignOverlay.h"
#include "ErrorBox.h"
#include "FormHistory.h"
#include "HostFixture.h"
#include "Kvintegeredit.h"
#include "Kvlegend.h"
#include "Kvrichlabel.h"
#include "Kvstdlinked.h"
#include "VCLEditors.h"

namespace {

// Editors registered by this test for the Hint of a few controls.
class TAutoUpdateHint : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return TStringProperty::GetAttributes() + TPropertyAttributes{paAutoUpdate}; }
};

class TMeasuredListHint : public TStringProperty, public ICustomPropertyListDrawing {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return {paValueList, paMultiSelect}; }
    void GetValues(const TGetStrProc &Proc) override
    {
        for (const char *v : {"zeta", "Tall", "alpha"})
            Proc(QString::fromLatin1(v));
    }
    void ListMeasureWidth(const QString &Value, TCanvas *, int &AWidth) override
    {
        if (Value == QLatin1String("Tall"))
            AWidth = 300;
    }
    void ListMeasureHeight(const QString &Value, TCanvas *, int &AHeight) override
    {
        if (Value == QLatin1String("Tall"))
            AHeight = 40;
    }
    void ListDrawValue(const QString &Value, TCanvas *ACanvas, const TRect &ARect, bool ASelected) override
    {
        DefaultPropertyListDrawValue(Value, ACanvas, ARect, ASelected);
    }
};

class TRefusingHint : public TStringProperty {
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() override { return TStringProperty::GetAttributes() + TPropertyAttributes{paDialog}; }
    void SetValue(const QString &Value) override
    {
        if (Value.contains(QLatin1Char('!')))
            throw EPropertyError(QStringLiteral("No exclamation marks here"));
        TStringProperty::SetValue(Value);
    }
    void Edit() override { throw EPropertyError(QStringLiteral("The hint editor is broken")); }
};

int GVerbRuns = 0;
class TLegendVerbs : public TComponentEditor {
public:
    using TComponentEditor::TComponentEditor;
    int GetVerbCount() override { return 2; }
    QString GetVerb(int Index) override { return Index == 0 ? QStringLiteral("Count...") : QStringLiteral("Fail"); }
    void ExecuteVerb(int Index) override
    {
        if (Index == 1)
            throw EComponentError(QStringLiteral("The legend refuses"));
        ++GVerbRuns;
        GetDesigner()->Modified();
    }
};

QStringList sortedCopy(QStringList l)
{
    std::stable_sort(l.begin(), l.end(), [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return l;
}

} // namespace

class TestPropertyGrid : public QObject {
    Q_OBJECT
    THostFixture F;
    QStringList FErrors; // what the error box showed

private slots:
    void initTestCase()
    {
        // Numbers are typed here as in the C locale; the users' locales are the business of
        // tst_datenumbertexts, which runs in each.
        FormatSettings() = LocaleFormatSettings(QLocale::c());
        QVERIFY(F.Start());
        connect(&TErrorBox::Instance(), &TErrorBox::shown, this, [this](const QString &m) { FErrors << m; });
        TDesignRegistry::Instance().SetCurrentPackage(QStringLiteral("InspectorTests"));
        RegisterPropertyEditor(TypeInfo<QString>(), &TKvRichLabel::staticMetaObject, QStringLiteral("Hint"),
                               PropertyEditorClass<TAutoUpdateHint>());
        RegisterPropertyEditor(TypeInfo<QString>(), &TKvCheckBox::staticMetaObject, QStringLiteral("Hint"),
                               PropertyEditorClass<TMeasuredListHint>());
        RegisterPropertyEditor(TypeInfo<QString>(), &TKvIntegerEdit::staticMetaObject, QStringLiteral("Hint"),
                               PropertyEditorClass<TRefusingHint>());
        RegisterComponentEditor(&TKvLegend::staticMetaObject, ComponentEditorClass<TLegendVerbs>());
        TDesignRegistry::Instance().SetCurrentPackage(QString());
    }
    void init()
    {
        F.Reset();
        FErrors.clear();
    }
    void cleanupTestCase()
    {
        TDesignRegistry::Instance().UnregisterPackage(QStringLiteral("InspectorTests"));
        F.Stop();
    }

    void byCategoryListsEachPropertyUnderEveryCategoryThatNamesIt()
    {
        F.Select({"Graph1"});
        F.Inspector()->SetArrange(TPropertyGrid::TArrange::ByCategory);
        const QStringList cats = F.Inspector()->VisibleCategories();
        QCOMPARE(cats, sortedCopy(cats));
        QVERIFY(cats.contains(QStringLiteral("Distances")));
        QVERIFY(F.Inspector()->PropertiesInCategory(QStringLiteral("Distances")).contains(QStringLiteral("DistanceBorderAxisBottom")));
        // ClipToData is named by three category rows of the package.
        int homes = 0;
        for (const QString &c : cats)
            homes += F.Inspector()->PropertiesInCategory(c).count(QStringLiteral("ClipToData"));
        QVERIFY2(homes >= 2, qPrintable(QString::number(homes)));
        // What no row names stands under Miscellaneous.
        QVERIFY(F.Inspector()->PropertiesInCategory(sMiscellaneousCategoryName()).contains(QStringLiteral("Name")));
        for (const QString &c : cats) {
            const QStringList props = F.Inspector()->PropertiesInCategory(c);
            QCOMPARE(props, sortedCopy(props));
        }
    }

    void byNameSortsAndTheFilterHidesWhatDoesNotMatch()
    {
        F.Select({"Axis1"});
        F.Inspector()->SetArrange(TPropertyGrid::TArrange::ByName);
        const QStringList all = F.Inspector()->VisiblePropertyNames();
        QVERIFY(all.size() > 20);
        QCOMPARE(all, sortedCopy(all));
        QCOMPARE(all.count(QStringLiteral("Caption")), 1); // once, whatever its categories

        F.Inspector()->SetFilter(QStringLiteral("COLOR"));
        const QStringList colours = F.Inspector()->VisiblePropertyNames();
        QVERIFY(colours.contains(QStringLiteral("TickColor")));
        for (const QString &n : colours)
            QVERIFY2(n.contains(QStringLiteral("color"), Qt::CaseInsensitive), qPrintable(n));

        // In the category view, categories without a match go away, and come back with the filter.
        F.Inspector()->SetArrange(TPropertyGrid::TArrange::ByCategory);
        const QStringList filteredCats = F.Inspector()->VisibleCategories();
        F.Inspector()->SetFilter(QString());
        QVERIFY(filteredCats.size() < F.Inspector()->VisibleCategories().size());
        QCOMPARE(F.Inspector()->Filter(), QString());
    }

    void subPropertiesEditTheSubObjectAndVolatileOnesFollowTheValue()
    {
        F.Select({"Series1"});
        QCOMPARE(F.Value(QStringLiteral("Line.Width")), QStringLiteral("2"));
        QCOMPARE(F.Inspector()->SetPropertyValue(QStringLiteral("Line.Width"), QStringLiteral("4.5")), QString());
        QCOMPARE(F.Component("Series1")->AsObject()->property("Line").value<QObject *>()->property("Width").toDouble(), 4.5);

        // A reference expands into the referenced component; changing it brings that one's rows.
        F.Select({"Graph1"});
        QCOMPARE(F.Value(QStringLiteral("PrimaryXAxis.Caption")), QStringLiteral("Time [s]"));
        F.Inspector()->FindItem(QStringLiteral("PrimaryXAxis"))->setExpanded(true);
        QCOMPARE(F.Inspector()->SetPropertyValue(QStringLiteral("PrimaryXAxis"), QStringLiteral("Axis2")), QString());
        QTreeWidgetItem *ref = F.Inspector()->FindItem(QStringLiteral("PrimaryXAxis"));
        QVERIFY(ref->isExpanded());
        QCOMPARE(F.Value(QStringLiteral("PrimaryXAxis.Caption")), QStringLiteral("Level"));

        // Typed into the row while one of its sub-rows is current: the sub-rows are made again
        // and the row's cell keeps working for the next value.
        F.Inspector()->Tree()->setCurrentItem(F.Inspector()->FindItem(QStringLiteral("PrimaryXAxis.Caption")), 1);
        F.Inspector()->Tree()->setCurrentItem(ref, 1);
        for (const char *axis : {"Axis1", "Axis2"}) {
            auto *line = F.Inspector()->Tree()->itemWidget(F.Inspector()->Tree()->currentItem(), 1)->findChild<QLineEdit *>();
            line->selectAll();
            QTest::keyClicks(line, QString::fromLatin1(axis));
            QTest::keyClick(line, Qt::Key_Return);
            QCOMPARE(F.Value(QStringLiteral("PrimaryXAxis")), QString::fromLatin1(axis));
        }
        QCOMPARE(F.Value(QStringLiteral("PrimaryXAxis.Caption")), QStringLiteral("Level"));
        QVERIFY(FErrors.isEmpty());
    }

    void severalSelectedShowWhatTheyShareAndEmptyWhereTheyDiffer()
    {
        F.Select({"Series1", "Series2"});
        TPropertyGrid *insp = F.Inspector();
        insp->SetArrange(TPropertyGrid::TArrange::ByName);
        QVERIFY(insp->FindItem(QStringLiteral("Line")));
        QVERIFY(!insp->FindItem(QStringLiteral("Area"))); // only the line series has an area
        QVERIFY(!insp->FindItem(QStringLiteral("Name"))); // a name names one component
        QCOMPARE(F.Value(QStringLiteral("Caption")), QString());
        QCOMPARE(F.Value(QStringLiteral("XData")), QStringLiteral("XValues"));
        QCOMPARE(F.Value(QStringLiteral("Line")), QStringLiteral("(TKvLineSettings)"));

        const int steps = F.Designer()->UndoStack()->index();
        QCOMPARE(insp->SetPropertyValue(QStringLiteral("Caption"), QStringLiteral("Both")), QString());
        QCOMPARE(F.Value(QStringLiteral("Caption")), QStringLiteral("Both"));
        for (const char *n : {"Series1", "Series2"})
            QCOMPARE(F.Component(n)->AsObject()->property("Caption").toString(), QStringLiteral("Both"));
        QCOMPARE(F.Designer()->UndoStack()->index(), steps + 1); // one step for both
        F.Designer()->UndoStack()->undo();
        QCOMPARE(F.Component("Series2")->AsObject()->property("Caption").toString(), QStringLiteral("Samples"));
    }

    void refusedValuesShowTheErrorAndKeepTheOldValue()
    {
        F.Select({"Series1"});
        const QString before = F.Value(QStringLiteral("Line.Width"));
        const QString error = F.Inspector()->SetPropertyValue(QStringLiteral("Line.Width"), QStringLiteral("wide"));
        QVERIFY(!error.isEmpty());
        QCOMPARE(F.Value(QStringLiteral("Line.Width")), before);

        // Typed into the cell: the error box gets the message, the cell shows the old value again.
        QTreeWidgetItem *item = F.Inspector()->FindItem(QStringLiteral("Line.Width"));
        F.Inspector()->Tree()->setCurrentItem(item, 1);
        auto *line = F.Inspector()->Tree()->itemWidget(item, 1)->findChild<QLineEdit *>(QStringLiteral("PropertyValueLine"));
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, QStringLiteral("1,5,3"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(FErrors.size(), 1);
        QCOMPARE(line->text(), before);

        // An editor's own refusal from SetValue and from Edit.
        F.Select({"IntegerEdit1"});
        QVERIFY(F.Inspector()->SetPropertyValue(QStringLiteral("Hint"), QStringLiteral("Hi!")).contains(QStringLiteral("exclamation")));
        QCOMPARE(F.Component("IntegerEdit1")->AsObject()->property("Hint").toString(), QString());
        QCOMPARE(F.Inspector()->EditProperty(QStringLiteral("Hint")), QStringLiteral("The hint editor is broken"));
        // The ellipsis button reports it in the box.
        item = F.Inspector()->FindItem(QStringLiteral("Hint"));
        F.Inspector()->Tree()->setCurrentItem(item, 1);
        auto *ellipsis = F.Inspector()->Tree()->itemWidget(item, 1)->findChild<QToolButton *>(QStringLiteral("PropertyEllipsisButton"));
        QVERIFY(ellipsis);
        ellipsis->click();
        QCOMPARE(FErrors.last(), QStringLiteral("The hint editor is broken"));
    }

    // Without a screen the error box does not wait for a click: its text goes to the IDE's
    // message area, and nothing modal stays open.
    void headlessErrorsGoToTheMessageArea()
    {
        F.Select({"IntegerEdit1"});
        QTreeWidgetItem *item = F.Inspector()->FindItem(QStringLiteral("Hint"));
        F.Inspector()->Tree()->setCurrentItem(item, 1);
        auto *line = F.Inspector()->Tree()->itemWidget(item, 1)->findChild<QLineEdit *>(QStringLiteral("PropertyValueLine"));
        line->selectAll();
        QTest::keyClicks(line, QStringLiteral("Stop!"));
        QTest::keyClick(line, Qt::Key_Return);
        QCOMPARE(FErrors, QStringList{QStringLiteral("No exclamation marks here")});
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        auto *messages = F.Window->findChild<QListWidget *>(QStringLiteral("MessageView"));
        QVERIFY(messages && messages->isVisible());
        QVERIFY(messages->item(messages->count() - 1)->text().endsWith(QStringLiteral("No exclamation marks here")));
    }

    void readOnlyRowsRefuseTextAndRevertRestoresTheDefault()
    {
        F.Select({"Series1"});
        QVERIFY(!F.Inspector()->SetPropertyValue(QStringLiteral("Line"), QStringLiteral("x")).isEmpty());
        QTreeWidgetItem *item = F.Inspector()->FindItem(QStringLiteral("Line"));
        F.Inspector()->Tree()->setCurrentItem(item, 1);
        auto *line = F.Inspector()->Tree()->itemWidget(item, 1)->findChild<QLineEdit *>(QStringLiteral("PropertyValueLine"));
        QVERIFY(line->isReadOnly());
        QVERIFY(F.Inspector()->Tree()->itemWidget(item, 1)->findChild<QToolButton *>(QStringLiteral("PropertyEllipsisButton")));

        QCOMPARE(F.Inspector()->SetPropertyValue(QStringLiteral("Line.Width"), QStringLiteral("7")), QString());
        QCOMPARE(F.Inspector()->RevertProperty(QStringLiteral("Line.Width")), QString());
        QCOMPARE(F.Value(QStringLiteral("Line.Width")), QStringLiteral("1"));
    }

    // Typing stops at the editor's GetEditLimit (63 for ordinals, 255 for others); a longer
    // value that is there already shows whole, so that nothing of it is lost.
    void inlineEditorKeepsTheEditorsLimit()
    {
        F.Select({"Axis1"});
        auto lineOf = [&](const char *Path) {
            QTreeWidgetItem *item = F.Inspector()->FindItem(QString::fromLatin1(Path));
            F.Inspector()->Tree()->setCurrentItem(item, 1);
            return F.Inspector()->Tree()->itemWidget(item, 1)->findChild<QLineEdit *>(QStringLiteral("PropertyValueLine"));
        };
        QLineEdit *line = lineOf("TickLength");
        line->selectAll();
        QTest::keyClicks(line, QString(70, QLatin1Char('7')));
        QCOMPARE(line->text().size(), 63);
        QTest::keyClick(line, Qt::Key_Escape);

        const QString longHint(300, QLatin1Char('h'));
        F.Select({"Label1"});
        QCOMPARE(F.Inspector()->SetPropertyValue(QStringLiteral("Hint"), longHint), QString());
        line = lineOf("Hint");
        QCOMPARE(line->text(), longHint);
        QTest::keyClick(line, Qt::Key_End);
        QTest::keyClicks(line, QStringLiteral("more"));
        QCOMPARE(line->text(), longHint);
    }

    void autoUpdateStoresEveryKeystroke()
    {
        F.Select({"Label1"});
        QTreeWidgetItem *item = F.Inspector()->FindItem(QStringLiteral("Hint"));
        F.Inspector()->Tree()->setCurrentItem(item, 1);
        auto *line = F.Inspector()->Tree()->itemWidget(item, 1)->findChild<QLineEdit *>(QStringLiteral("PropertyValueLine"));
        line->clear();
        QTest::keyClicks(line, QStringLiteral("ab"));
        QCOMPARE(F.Component("Label1")->AsObject()->property("Hint").toString(), QStringLiteral("ab"));
        QTest::keyClick(line, Qt::Key_C);
        QCOMPARE(F.Component("Label1")->AsObject()->property("Hint").toString(), QStringLiteral("abc"));
    }

    void dropDownsKeepTheEditorsOrderAndSizes()
    {
        // Without paSortList the list keeps the editor's order; with it, it is sorted.
        F.Select({"Axis1"});
        const QStringList scaling = F.Inspector()->DropDownValues(QStringLiteral("Scaling"));
        QCOMPARE(scaling.first(), QStringLiteral("Linear"));
        QVERIFY(scaling != sortedCopy(scaling));
        QCOMPARE(F.Inspector()->DropDownValues(QStringLiteral("Visible")), (QStringList{"False", "True"}));

        F.Select({"CheckBox1"});
        QTreeWidgetItem *item = F.Inspector()->FindItem(QStringLiteral("Hint"));
        F.Inspector()->Tree()->setCurrentItem(item, 1);
        QListWidget *list = F.Inspector()->OpenDropDown();
        QVERIFY(list);
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QStringLiteral("zeta"));
        QCOMPARE(list->visualItemRect(list->item(1)).height(), 40);
        QCOMPARE(list->visualItemRect(list->item(0)).height(), F.Inspector()->RowHeight());
        QVERIFY(list->width() >= 300);
        // A click on an item stores it and closes the list.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(F.Component("CheckBox1")->AsObject()->property("Hint").toString(), QStringLiteral("alpha"));
        QVERIFY(!F.Inspector()->DropDown());
    }

    void colourCellsAndListsDrawTheirSwatches()
    {
        F.Select({"Graph1"});
        TPropertyGrid *insp = F.Inspector();
        QCOMPARE(insp->SetPropertyValue(QStringLiteral("BackColor"), QStringLiteral("Red")), QString());
        insp->Tree()->setCurrentItem(insp->FindItem(QStringLiteral("Caption")), 1);
        QTreeWidgetItem *item = insp->FindItem(QStringLiteral("BackColor"));
        insp->Tree()->scrollToItem(item);
        QApplication::processEvents();
        const QRect cell = insp->Tree()->visualItemRect(item).intersected(
            insp->Tree()->visualRect(insp->Tree()->indexFromItem(item, 1)));
        const QImage shot = insp->Tree()->viewport()->grab().toImage();
        const QColor swatch = shot.pixelColor(cell.left() + cell.height() / 2, cell.center().y());
        QCOMPARE(swatch, QColor(Qt::red));

        // The colour list is wider than its texts by the swatch.
        insp->Tree()->setCurrentItem(item, 1);
        QListWidget *list = insp->OpenDropDown();
        QVERIFY(list);
        const int i = int(list->row(list->findItems(QStringLiteral("Red"), Qt::MatchExactly).first()));
        QCOMPARE(list->currentRow(), i);
        QVERIFY(list->visualItemRect(list->item(i)).width() > list->fontMetrics().horizontalAdvance(QStringLiteral("Red")) + 10);
        list->hide();
    }

    void componentVerbsFormTheContextMenuAndDoubleClickRunsTheFirst()
    {
        TComponent *legend = F.Component("Legend1");
        TDesignOverlay *overlay = F.Designer()->Overlay();
        std::unique_ptr<QMenu> menu(F.Designer()->CreateContextMenu(legend, overlay));
        QStringList texts;
        for (QAction *a : menu->actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text().remove(QLatin1Char('&')));
        QCOMPARE(texts.mid(0, 3), (QStringList{"Count...", "Fail", "-"}));
        QVERIFY(texts.contains(QStringLiteral("Delete")));

        GVerbRuns = 0;
        menu->actions().at(0)->trigger();
        QCOMPARE(GVerbRuns, 1);

        const QPoint tile = F.Designer()->Form()->TileRect(legend).center();
        QTest::mouseDClick(overlay, Qt::LeftButton, {}, tile);
        QCOMPARE(GVerbRuns, 2);
        QCOMPARE(F.Designer()->Selection(), QList<TComponent *>{legend});

        // A verb that raises: the message in a box, the form as it was.
        const QString before = F.Designer()->SaveToString();
        QString shown;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            if (auto *box = qobject_cast<QMessageBox *>(w))
                shown = box->text();
            ModalDriver::Accept(w);
        });
        menu->actions().at(1)->trigger();
        QVERIFY(*ran);
        QCOMPARE(shown, QStringLiteral("The legend refuses"));
        QCOMPARE(F.Designer()->SaveToString(), before);

        // A component without a registered editor has only the editing commands.
        std::unique_ptr<QMenu> plain(F.Designer()->CreateContextMenu(F.Component("CheckBox1"), overlay));
        QCOMPARE(plain->actions().first()->text().remove(QLatin1Char('&')), QStringLiteral("Cut"));
    }

    void rowsFollowTheSelectionUndoAndDeletion()
    {
        F.Select({"Series1"});
        F.Inspector()->SetArrange(TPropertyGrid::TArrange::ByName);
        QCOMPARE(F.Value(QStringLiteral("Name")), QStringLiteral("Series1"));
        QCOMPARE(F.Inspector()->SetPropertyValue(QStringLiteral("Caption"), QStringLiteral("Changed")), QString());
        F.Designer()->UndoStack()->undo(); // the form is rebuilt: the rows must not keep the old objects
        QVERIFY(F.Designer()->Selection().isEmpty() || F.Value(QStringLiteral("Caption")) == QStringLiteral("Sine fit"));
        F.Select({"Series1"});
        QCOMPARE(F.Value(QStringLiteral("Caption")), QStringLiteral("Sine fit"));
        F.Designer()->DeleteSelection();
        QVERIFY(F.Inspector()->VisiblePropertyNames().isEmpty());
    }
};

QTEST_MAIN(TestPropertyGrid)
#include "tst_propertygrid.moc"
