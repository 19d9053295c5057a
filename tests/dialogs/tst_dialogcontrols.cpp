// The library controls the settings dialogs are built from, driven with real input: the
// numeric up-down's limits, composite controls as single Tab stops, the colour picker's
// drop-down with its "&Other colors..." button and the colour tuning form behind it, the dash
// style pickers' names, the custom dash style, and dash patterns in GDI+'s proportions.
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

#include "../common/FormDriver.h"
#include "../common/ModalDriver.h"
#include "Kvcolorpicker.h"
#include "Kvdashstylescombo.h"
#include "Kvfloatedit.h"
#include "Kvintegeredit.h"
#include "Kvstdlinked.h"
#include "Kvstyles.h"
#include "Kvtunecolorsfm.h"

using FormDriver::Control;

namespace {
constexpr double PointLengthMax = 173.0 / 15, PointHeightMax = 74.0 / 15, TipMin = 0.000001;

// The lengths of the inked and empty runs along row Y of an image, from the first inked
// pixel on; the last run, cut by the image's end, is left out.
QList<int> Runs(const QImage &Image, int Y, int From, int To)
{
    QList<int> runs;
    bool inked = false;
    int length = 0;
    for (int x = From; x < To; ++x) {
        const bool ink = qAlpha(Image.pixel(x, Y)) > 0 && qGray(Image.pixel(x, Y)) < 128;
        if (runs.isEmpty() && length == 0 && !ink)
            continue;
        if (length > 0 && ink != inked) {
            runs << length;
            length = 0;
        }
        inked = ink;
        ++length;
    }
    return runs;
}

// The dashes and gaps GDI+ draws with a pen 5 pixels wide, twice over.
QList<int> GdiPlusRuns(TDashStyle Style)
{
    QList<int> cycle;
    for (qreal p : DashPattern(Style))
        cycle << int(p * 5);
    return cycle + cycle;
}
} // namespace

class TstDialogControls : public QObject {
    Q_OBJECT
private slots:
    // The up-down keeps the stored value within its limits, whatever the display rounds it to:
    // with no decimals, 173/15 shows as 12 and 0.000001 as 0.
    void upDownKeepsItsValueInRange_data()
    {
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("start");
        QTest::addColumn<QString>("input"); // "up", "down", "key up", or a typed text
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("changes");
        QTest::newRow("up from 11 stops at 173/15") << PointLengthMax << 11.0 << "up" << PointLengthMax << "12" << 1;
        QTest::newRow("up at the limit changes nothing") << PointLengthMax << PointLengthMax << "up" << PointLengthMax << "12" << 0;
        QTest::newRow("height up from 4 stops at 74/15") << PointHeightMax << 4.0 << "up" << PointHeightMax << "5" << 1;
        QTest::newRow("key up from 4 stops at 74/15") << PointHeightMax << 4.0 << "key up" << PointHeightMax << "5" << 1;
        QTest::newRow("down from 1 stops at 0.000001") << PointLengthMax << 1.0 << "down" << TipMin << "0" << 1;
        QTest::newRow("down from the limit shows 11") << PointLengthMax << PointLengthMax << "down" << 11.0 << "11" << 1;
        QTest::newRow("typed beyond the limit") << PointLengthMax << 3.0 << "20" << PointLengthMax << "12" << 1;
        QTest::newRow("typed below the limit") << PointLengthMax << 3.0 << "-4" << TipMin << "0" << 1;
        QTest::newRow("typed within") << PointLengthMax << 3.0 << "7" << 7.0 << "7" << 1;
    }
    void upDownKeepsItsValueInRange()
    {
        QFETCH(double, maximum);
        QFETCH(double, start);
        QFETCH(QString, input);
        QFETCH(double, value);
        QFETCH(QString, shown);
        QFETCH(int, changes);
        TKvNumericUpDn u;
        u.SetDecimalPlaces(0);
        u.SetMinValue(TipMin);
        u.SetMaxValue(maximum);
        u.SetValue(start);
        QVERIFY(u.Value() >= TipMin && u.Value() <= maximum);
        u.show();
        QSignalSpy changed(&u, &TKvNumericUpDn::OnValueChanged);
        auto *edit = Control<QLineEdit>(&u, "Edit");
        if (input == QLatin1String("up") || input == QLatin1String("down")) {
            QTest::mouseClick(Control<QToolButton>(&u, input == QLatin1String("up") ? "UpButton" : "DownButton"), Qt::LeftButton);
        } else if (input == QLatin1String("key up")) {
            QTest::keyClick(edit, Qt::Key_Up);
        } else {
            edit->selectAll();
            QTest::keyClicks(edit, input);
            QTest::keyClick(edit, Qt::Key_Return);
        }
        QCOMPARE(u.Value(), value);
        QVERIFY(u.Value() >= TipMin && u.Value() <= maximum);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(int(changed.count()), changes);
    }

    // Rounding to many decimals must not turn a huge typed value into infinity, and text that
    // is no finite number leaves the value as it was.
    void upDownKeepsHugeValuesFinite()
    {
        TKvNumericUpDn u;
        u.SetMinValue(0);
        u.SetMaxValue(0); // no range
        u.SetDecimalPlaces(15);
        u.SetText(QStringLiteral("1e300"));
        QCOMPARE(u.Value(), 1e300);
        for (const char *text : {"inf", "nan", "1e999"})
            QVERIFY_THROWS_EXCEPTION(EConvertError, u.SetText(QLatin1String(text)));
        QCOMPARE(u.Value(), 1e300);
    }

    // Each composite control is one stop of its form's Tab order, in the place the form gives
    // it: Tab reaches its field once, its buttons never, forwards and backwards.
    void compositesAreOneTabStop()
    {
        QWidget form;
        form.setObjectName(QStringLiteral("Form"));
        // Made in another order than the tab order, so that the order set below must hold.
        auto *after = new QLineEdit(&form);
        auto *check = new TKvCheckBox(nullptr, &form);
        auto *dashList = new TKvDashStylesList(nullptr, &form);
        auto *color = new TKvColorPickCombo(nullptr, &form);
        auto *doubleEdit = new TKvDoubleEdit(nullptr, &form);
        auto *upDown = new TKvNumericUpDn(nullptr, &form);
        auto *integer = new TKvIntegerEdit(nullptr, &form);
        auto *dashCombo = new TKvDashStylesCombo(nullptr, &form);
        auto *before = new QLineEdit(&form);
        const QList<QWidget *> order{before, dashList, upDown, color, integer, dashCombo, doubleEdit, check, after};
        const QStringList names{"Before", "DashList", "UpDown", "Color", "Integer", "DashCombo", "Double", "Check", "After"};
        for (int i = 0, top = 0; i < order.size(); ++i) {
            order[i]->setObjectName(names[i]);
            const int height = order[i] == dashList ? 112 : 24;
            order[i]->setGeometry(0, top, 120, height);
            top += height + 4;
        }
        form.resize(140, 360);
        for (int i = 0; i + 1 < order.size(); ++i)
            QWidget::setTabOrder(order[i], order[i + 1]);
        before->setFocus();
        QCOMPARE(FormDriver::TabWalk(&form, int(names.size())), names + QStringList{"Before"});
        QStringList back = names;
        std::reverse(back.begin(), back.end());
        back.prepend(QStringLiteral("Before"));
        QCOMPARE(FormDriver::TabWalk(&form, int(names.size()), true), back);

        // Focus given to a composite goes on to its field; a click into the list focuses it.
        const QList<std::pair<QWidget *, const char *>> fields{{upDown, "Edit"},       {doubleEdit, "Edit"},  {integer, "Edit"},
                                                               {color, "ColorCombo"}, {dashCombo, "Combo"}, {dashList, "ListBox"},
                                                               {check, "Box"}};
        for (auto [composite, field] : fields) {
            composite->setFocus();
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(field));
            QVERIFY(composite->isAncestorOf(QApplication::focusWidget()));
        }
        auto *list = Control<QListWidget>(dashList, "ListBox");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        QCOMPARE(QApplication::focusWidget(), list);
        QCOMPARE(dashList->DashStyle(), DashStyleDot);
    }

    // The colour list's drop-down ends with a button whose "&" marks its accelerator: Alt+O
    // opens the colour tuning form, which is operated through its fields' names.
    void otherColorsButtonAndTuningForm()
    {
        QWidget form;
        auto *picker = new TKvColorPickCombo(nullptr, &form);
        picker->setGeometry(10, 10, 40, 21);
        picker->SetOtherBtnCaption(QStringLiteral("&Other colors..."));
        picker->SetActiveColor(0xFFFF0000);
        form.resize(200, 100);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QSignalSpy picks(picker, &TKvColorPickCombo::OnChanged);
        auto *combo = Control<QComboBox>(picker, "ColorCombo");
        // The caption is the button's, not a colour of the list.
        QCOMPARE(combo->count(), int(ColorNames().size()));
        QCOMPARE(combo->findText(QStringLiteral("&Other colors..."), Qt::MatchContains), -1);

        QTest::mouseClick(combo, Qt::LeftButton);
        auto *popup = Control<QFrame>(picker, "ColorPopup");
        QVERIFY(popup->isVisible());
        QCOMPARE(QApplication::activePopupWidget(), popup);
        auto *list = Control<QListView>(popup, "ColorList");
        QCOMPARE(list->currentIndex().data().toString(), QStringLiteral("Red"));
        auto *other = Control<QPushButton>(popup, "OtherBtn");
        QCOMPARE(other->text(), QStringLiteral("&Other colors..."));
        QVERIFY(other->geometry().bottom() > list->geometry().bottom()); // below the colours
        FormDriver::Shot(popup, QStringLiteral("colorpicker_dropdown"));
        // Escape closes the drop-down without a pick.
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!popup->isVisible());
        QCOMPARE(picks.count(), 0);

        QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(popup->isVisible());
        QString title;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            title = w->windowTitle();
            FormDriver::Shot(w, QStringLiteral("tunecolors"));
            auto *html = Control<QLineEdit>(w, "HtmlEdit");
            html->selectAll();
            QTest::keyClicks(html, QStringLiteral("#336699"));
            auto *alpha = Control<QSpinBox>(w, "AlphaEdit");
            alpha->selectAll();
            QTest::keyClicks(alpha, QStringLiteral("128"));
            QTest::mouseClick(Control<QPushButton>(w, "OKBtn"), Qt::LeftButton);
        });
        QCOMPARE(other->shortcut(), QKeySequence(QStringLiteral("Alt+O")));
        QTest::keyClick(list, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(*ran); // a button pressed by its accelerator clicks a moment later
        QCOMPARE(title, QStringLiteral("Tune Colors"));
        QVERIFY(!popup->isVisible());
        QCOMPARE(picker->ActiveColor(), TKvColor(0x80336699));
        QCOMPARE(picks.count(), 1);

        // A colour clicked in the drop-down is a pick.
        QTest::mouseClick(combo, Qt::LeftButton);
        const QModelIndex blue = list->model()->index(combo->findText(QStringLiteral("Blue")), 0);
        list->scrollTo(blue);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(blue).center());
        QCOMPARE(picker->ActiveColor(), TKvColor(0xFF0000FF));
        QCOMPARE(picks.count(), 2);
        QVERIFY(!popup->isVisible());
    }

    // The dash styles read as users know them; a combo too narrow for the names shows the
    // sample alone and its drop-down shows the whole names.
    void dashStyleNames()
    {
        const QStringList names{"Solid", "Dash", "Dot", "DashDot", "DashDotDot"};
        TKvDashStylesList list;
        auto *box = Control<QListWidget>(&list, "ListBox");
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->item(i)->text();
        QCOMPARE(shown, names);
        QWidget form;
        auto *combo = new TKvDashStylesCombo(nullptr, &form);
        combo->setGeometry(8, 8, 80, 21); // as in the arrow dialog
        combo->SetItemHeight(15);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *field = Control<TKvSampleCombo>(combo, "Combo");
        for (int i = 0; i < names.size(); ++i) {
            QCOMPARE(field->itemText(i), names[i]);
            combo->SetDashStyle(TDashStyle(i));
            QVERIFY2(!field->ShowsText(), qPrintable(names[i]));
        }
        field->showPopup();
        const int widest = field->iconSize().width() + field->fontMetrics().horizontalAdvance(QStringLiteral("DashDotDot"));
        QVERIFY(field->view()->width() > widest);
        field->hidePopup();
    }

    // A custom dash style (ordinal 5, as form files may hold it) is a value the pickers keep
    // with no item selected, until the user picks a style; beyond the enumeration is an error.
    void customDashStyleIsKept()
    {
        TKvDashStylesList list;
        list.resize(121, 112);
        list.show();
        QSignalSpy changed(&list, &TKvDashStylesList::OnValueChanged);
        list.SetDashStyle(DashStyleCustom);
        QCOMPARE(list.DashStyle(), DashStyleCustom);
        auto *box = Control<QListWidget>(&list, "ListBox");
        QCOMPARE(box->currentRow(), -1);
        QVERIFY(box->selectedItems().isEmpty());
        list.SetLineWidth(3); // redrawing keeps the value
        QCOMPARE(list.DashStyle(), DashStyleCustom);
        QVERIFY_THROWS_EXCEPTION(EConvertError, list.SetDashStyle(TDashStyle(6)));
        QCOMPARE(list.DashStyle(), DashStyleCustom);
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(3)).center());
        QCOMPARE(list.DashStyle(), DashStyleDashDot);
        QCOMPARE(changed.count(), 2);

        TKvDashStylesCombo combo;
        combo.show();
        combo.SetDashStyle(DashStyleCustom);
        auto *field = Control<QComboBox>(&combo, "Combo");
        QCOMPARE(field->currentIndex(), -1);
        QCOMPARE(field->currentText(), QString());
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(combo.DashStyle(), DashStyleSolid);
    }

    // Dashes and gaps in GDI+'s proportions, scaled by the pen's width, the same in the list's
    // samples and in a chart's line (Qt's own patterns look alike at width 5).
    void dashPatternsAsGdiPlusDrawsThem_data()
    {
        QTest::addColumn<int>("style");
        QTest::newRow("Dash 3:1") << int(DashStyleDash);
        QTest::newRow("Dot 1:1") << int(DashStyleDot);
        QTest::newRow("DashDot 3:1:1:1") << int(DashStyleDashDot);
        QTest::newRow("DashDotDot 3:1:1:1:1:1") << int(DashStyleDashDotDot);
    }
    void dashPatternsAsGdiPlusDrawsThem()
    {
        QFETCH(int, style);
        const QList<int> expected = GdiPlusRuns(TDashStyle(style));
        // The sample of the list, drawn in black 5 pixels wide.
        TKvDashStylesList list;
        list.SetLineColor(0xFF000000);
        list.SetLineWidth(5);
        list.SetItemHeight(21);
        auto *box = Control<QListWidget>(&list, "ListBox");
        const QImage sample = box->item(style)->icon().pixmap(box->iconSize()).toImage();
        QCOMPARE(Runs(sample, 10, 0, sample.width()).mid(0, expected.size()), expected);
        // A chart's line with the same settings.
        TKvSimpleLineSettings line;
        line.SetWidth(5);
        line.SetDashStyle(TDashStyle(style));
        QImage chart(200, 21, QImage::Format_ARGB32);
        chart.fill(Qt::transparent);
        {
            QPainter p(&chart);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(line.GetPen(chart.rect()));
            p.drawLine(QPointF(3, 10.5), QPointF(197, 10.5));
        }
        QCOMPARE(Runs(chart, 10, 0, chart.width()).mid(0, expected.size()), expected);
        // Below one pixel GDI+ keeps one-pixel units.
        TGPPen thin(0xFF000000, 0.5f);
        thin.SetDashStyle(TDashStyle(style));
        QCOMPARE(thin.dashPattern().first() * thin.widthF(), DashPattern(TDashStyle(style)).first());
    }
};

QTEST_MAIN(TstDialogControls)
#include "tst_dialogcontrols.moc"
