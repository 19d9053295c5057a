// The six settings dialogs as forms: window kind and font as their forms give them, every
// control where the form puts it, no caption cut, the Tab order the forms define walked with
// the keyboard, and names for every control inside the library's composite controls.
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "../common/FormDriver.h"
#include "Kvareasettingsfm.h"
#include "Kvarrowsettings.h"
#include "Kvclasses.h"
#include "Kvcolorpicker.h"
#include "Kvdashstyleslist.h"
#include "Kvgradientsettingsfm.h"
#include "Kvlinesettingsfm.h"
#include "Kvpointsymbolsettingsfm.h"
#include "Kvsimplelinesettingsfm.h"

namespace {
// A dialog as its editor opens it: made without owner and filled from a fresh settings object.
template <class Form, class Settings, class Setter> std::unique_ptr<QDialog> Made(Setter Set)
{
    auto f = std::make_unique<Form>();
    Settings s;
    (f.get()->*Set)(&s);
    return f;
}

std::unique_ptr<QDialog> Open(const QString &Name)
{
    if (Name == QLatin1String("simpleline"))
        return Made<TSimpleLinesettingsForm, TKvSimpleLineSettings>(&TSimpleLinesettingsForm::SetSettings);
    if (Name == QLatin1String("line"))
        return Made<TLineSettingsForm, TKvLineSettings>(&TLineSettingsForm::SetSettings);
    if (Name == QLatin1String("pointsymbol"))
        return Made<TPointSymbolSettingsForm, TKvPointSymbolSettings>(&TPointSymbolSettingsForm::SetSettings);
    if (Name == QLatin1String("area"))
        return Made<TAreaSettingsForm, TKvAreaSettings>(&TAreaSettingsForm::SetAreaSettings);
    if (Name == QLatin1String("gradient"))
        return Made<TGradientSettingsForm, TKvGradientSettings>(&TGradientSettingsForm::SetGradient);
    return std::make_unique<TArrowSettingsForm>(); // filled by its opener value by value
}

const QStringList Dialogs{"simpleline", "line", "pointsymbol", "area", "gradient", "arrow"};

// The width a caption needs beside its check or radio indicator, as the style places it.
int CaptionRoom(QAbstractButton *B, QStyle::SubElement Contents)
{
    QStyleOptionButton opt;
    opt.initFrom(B);
    opt.text = B->text();
    return B->style()->subElementRect(Contents, &opt, B).width();
}
} // namespace

class TstDialogForms : public QObject {
    Q_OBJECT
private slots:
    // Window kind, size and font: tool windows in Tahoma at 11 pixels; fixed borders keep the
    // designed size, the sizeable line forms start at it.
    void windowAndFont_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<bool>("onTop");
        QTest::newRow("simple line") << "simpleline" << "Line Settings" << QSize(404, 240) << false << false;
        QTest::newRow("line") << "line" << "Line Settings" << QSize(394, 242) << false << false;
        // Resizable before: its border is fixed.
        QTest::newRow("point symbol") << "pointsymbol" << "Pointsymbol Settings" << QSize(242, 256) << true << false;
        QTest::newRow("area") << "area" << "Area Settings" << QSize(281, 324) << true << true;
        QTest::newRow("gradient") << "gradient" << "Gradient Settings" << QSize(271, 196) << true << true;
        QTest::newRow("arrow") << "arrow" << "Set Arrow Properties" << QSize(418, 256) << true << true;
    }
    void windowAndFont()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, title);
        QFETCH(QSize, client);
        QFETCH(bool, fixed);
        QFETCH(bool, onTop);
        const auto f = Open(dialog);
        QCOMPARE(f->windowTitle(), title);
        QCOMPARE(f->size(), client);
        QCOMPARE(f->minimumSize() == f->maximumSize(), fixed);
        if (fixed)
            QCOMPARE(f->maximumSize(), client);
        QCOMPARE(f->windowType(), Qt::Tool);
        QCOMPARE(bool(f->windowFlags() & Qt::WindowStaysOnTopHint), onTop);
        // The face itself, not a fallback; its height in pixels as the form gives it (the
        // line and symbol forms were set in points).
        QCOMPARE(QFontInfo(f->font()).family(), QStringLiteral("Tahoma"));
        QCOMPARE(f->font().pixelSize(), 11);
        for (QWidget *w : f->findChildren<QWidget *>())
            QVERIFY2(QFontInfo(w->font()).family() == QStringLiteral("Tahoma"), qPrintable(w->objectName()));
    }

    // The check boxes that had been widened and moved for a fallback font are where the form
    // puts them again; their captions fit (see nothingClipped).
    void controlGeometry_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("simple line: Gradient, was 70 wide") << "simpleline" << "LineGradientCheck" << QRect(144, 41, 65, 17);
        QTest::newRow("line: Gradient, was 70 wide") << "line" << "LineGradientCheck" << QRect(144, 41, 65, 17);
        QTest::newRow("arrow: Visible, was at 343 and 65 wide") << "arrow" << "VisibleCheck" << QRect(363, 94, 45, 17);
        QTest::newRow("gradient: Visible") << "gradient" << "VisibleCheck" << QRect(10, 10, 58, 17);
        QTest::newRow("area: Visible") << "area" << "VisibleCheck" << QRect(177, 52, 57, 17);
        QTest::newRow("point symbol: Visible") << "pointsymbol" << "VisibleCheck" << QRect(8, 11, 57, 17);
    }
    void controlGeometry()
    {
        QFETCH(QString, dialog);
        QFETCH(QString, control);
        QFETCH(QRect, rect);
        const auto f = Open(dialog);
        QCOMPARE(FormDriver::Control<QWidget>(f.get(), qPrintable(control))->geometry(), rect);
    }

    // No caption is cut: labels, check boxes, radio buttons, buttons and group titles have the
    // room their text needs, and a sample combo too narrow for a name shows its sample alone.
    void nothingClipped_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const QString &d : Dialogs)
            QTest::newRow(qPrintable(d)) << d;
    }
    void nothingClipped()
    {
        QFETCH(QString, dialog);
        const auto f = Open(dialog);
        f->show();
        for (QLabel *l : f->findChildren<QLabel *>())
            if (!l->text().isEmpty())
                QVERIFY2(l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width(), qPrintable(l->objectName()));
        for (QCheckBox *c : f->findChildren<QCheckBox *>())
            QVERIFY2(c->fontMetrics().horizontalAdvance(c->text()) <= CaptionRoom(c, QStyle::SE_CheckBoxContents), qPrintable(c->objectName()));
        for (QRadioButton *r : f->findChildren<QRadioButton *>())
            QVERIFY2(r->fontMetrics().horizontalAdvance(r->text()) <= CaptionRoom(r, QStyle::SE_RadioButtonContents), qPrintable(r->objectName()));
        for (QPushButton *b : f->findChildren<QPushButton *>())
            if (b->isVisibleTo(f.get())) {
                const int glyph = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
                const int margins = 2 * b->style()->pixelMetric(QStyle::PM_ButtonMargin);
                QVERIFY2(glyph + b->fontMetrics().horizontalAdvance(QString(b->text()).remove(QLatin1Char('&'))) + margins <= b->width(),
                         qPrintable(b->objectName()));
            }
        for (QGroupBox *g : f->findChildren<QGroupBox *>())
            QVERIFY2(g->fontMetrics().horizontalAdvance(g->title()) + 8 <= g->width(), qPrintable(g->objectName()));
        for (TKvSampleCombo *c : f->findChildren<TKvSampleCombo *>())
            if (c->ShowsText()) {
                QStyleOptionComboBox opt;
                opt.initFrom(c);
                const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c);
                QVERIFY(c->iconSize().width() + 4 + c->fontMetrics().horizontalAdvance(c->currentText()) <= field.width());
            }
        FormDriver::Shot(f.get(), QStringLiteral("form_") + dialog);
    }

    // First focus and the Tab order as the forms give them, walked with Tab and back with
    // Shift+Tab. A composite control is one stop (the up-downs' buttons are none); the gradient
    // frame stands where the form puts it and is walked through its own controls.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("order");
        const QStringList frame{"GradientFrame", "GradientFrame/MiddleColor", "GradientFrame/LastColor",
                                "GradientFrame/StyleCombo", "GradientFrame/AngleUpDn", "GradientFrame/CenterEdit"};
        QTest::newRow("simple line") << "simpleline"
                                     << (QStringList{"LineGradientCheck", "DashStylesList", "WidthUpDn", "OKBtn", "CancelBtn", "LineColorPick"} + frame);
        QTest::newRow("line") << "line"
                              << (QStringList{"LineGradientCheck", "DashStylesList", "WidthUpDn", "OKBtn", "CancelBtn", "LineVisibleCheck",
                                              "LineColorPick"} + frame);
        QTest::newRow("point symbol") << "pointsymbol"
                                      << QStringList{"OKBtn", "CancelBtn", "VisibleCheck", "WidthUpDn", "SizeUpDn", "BorderPick", "FillPick", "SymbolsList"};
        QTest::newRow("area, normal fill") << "area"
                                           << QStringList{"FillStylesRadio0", "VisibleCheck", "OKBtn", "CancelBtn", "ForegroundColor",
                                                          "BackgroundColor", "AreaStylesList"};
        QTest::newRow("gradient") << "gradient" << (QStringList{"OKBtn", "CancelBtn", "VisibleCheck"} + frame);
        QTest::newRow("arrow") << "arrow"
                               << QStringList{"PointLengthUpDown", "PointLengthTrack", "DashStylesCombo", "WidthUpDown", "PointHeightUpDown",
                                              "VisibleCheck", "PointHeightTrack", "InnerLengthUpDown", "ColorPick", "InnerLengthTrack", "OkBtn"};
    }
    void tabOrder()
    {
        QFETCH(QString, dialog);
        QFETCH(QStringList, order);
        const auto f = Open(dialog);
        // Once round and back to the first.
        QCOMPARE(FormDriver::TabWalk(f.get(), int(order.size())), order + QStringList{order.first()});
        QStringList back = order;
        std::reverse(back.begin(), back.end());
        back.prepend(order.first());
        QCOMPARE(FormDriver::TabWalk(f.get(), int(order.size()), true), back);
    }

    // Scripts and tests reach every control inside a composite library control by its name:
    // the up-downs' edits and buttons, the colour pickers' fields and drop-downs, the style
    // lists, the gradient frame's controls.
    void innerControlsNamed_data()
    {
        QTest::addColumn<QString>("dialog");
        for (const QString &d : Dialogs)
            QTest::newRow(qPrintable(d)) << d;
    }
    void innerControlsNamed()
    {
        QFETCH(QString, dialog);
        const auto f = Open(dialog);
        int composites = 0;
        const std::function<void(QWidget *)> check = [&](QWidget *Parent) {
            for (QWidget *w : Parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
                QVERIFY2(!w->objectName().isEmpty(),
                         qPrintable(QStringLiteral("a %1 in %2").arg(QLatin1String(w->metaObject()->className()), Parent->objectName())));
                if (dynamic_cast<TKvControl *>(w) || w->isWindow())
                    check(w); // a composite inside a composite, or a drop-down
            }
        };
        for (QWidget *w : f->findChildren<QWidget *>())
            if (dynamic_cast<TKvControl *>(w) && !dynamic_cast<TKvControl *>(w->parentWidget())) {
                ++composites;
                check(w);
            }
        QVERIFY(composites > 0);
    }
};

QTEST_MAIN(TstDialogForms)
#include "tst_dialogforms.moc"
