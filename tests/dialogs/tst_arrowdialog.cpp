// The arrow settings dialog and the two editors that open it, driven as a user would.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <bit>
#include <cmath>
#include <limits>

#include "../common/FormDriver.h"
#include "../common/ModalDriver.h"
#include "Kvarroweditors.h"
#include "Kvarrows.h"
#include "Kvarrowsettings.h"
#include "Kvaxis.h"
#include "Kvcolorpicker.h"
#include "Kvdashstylescombo.h"
#include "Kvfloatedit.h"
#include "Kvstyles.h"
#include "TypInfo.h"
#include "../common/PropertyEditorDriver.h"

namespace {
using TTestDesigner = PropertyEditorDriver::TCountingDesigner;
using PropertyEditorDriver::EditorFor;

// Types into a numeric up-down and leaves it, as a user does (Enter would also press the
// dialog's default button).
void Type(TKvNumericUpDn *UpDown, const QString &Text)
{
    UpDown->Edit()->selectAll();
    QTest::keyClicks(UpDown->Edit(), Text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(UpDown->Edit(), &out);
}

QColor PixelAt(QLabel *Image, int X, int Y) { return Image->pixmap().toImage().pixelColor(X, Y); }
bool Greenish(const QColor &C) { return C.green() - C.red() > 30 && C.green() - C.blue() > 30; }
bool Blank(QLabel *Image, const QColor &Background)
{
    const QImage img = Image->pixmap().toImage();
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != Background)
                return false;
    return true;
}

// The form's controls, reached by their object names.
struct TArrowControls {
    explicit TArrowControls(QWidget *F)
        : SettingsImage(FormDriver::Control<QLabel>(F, "SettingsImage")),
          ResultImage(FormDriver::Control<QLabel>(F, "ResultImage")),
          PointHeightTrack(FormDriver::Control<QSlider>(F, "PointHeightTrack")),
          InnerLengthTrack(FormDriver::Control<QSlider>(F, "InnerLengthTrack")),
          PointLengthTrack(FormDriver::Control<QSlider>(F, "PointLengthTrack")),
          InnerLengthUpDown(FormDriver::Control<TKvNumericUpDn>(F, "InnerLengthUpDown")),
          PointLengthUpDown(FormDriver::Control<TKvNumericUpDn>(F, "PointLengthUpDown")),
          PointHeightUpDown(FormDriver::Control<TKvNumericUpDn>(F, "PointHeightUpDown")),
          WidthUpDown(FormDriver::Control<TKvNumericUpDn>(F, "WidthUpDown")),
          ColorPick(FormDriver::Control<TKvColorPickCombo>(F, "ColorPick")),
          VisibleCheck(FormDriver::Control<QCheckBox>(F, "VisibleCheck")),
          OkBtn(FormDriver::Control<QPushButton>(F, "OkBtn")),
          DashStylesCombo(FormDriver::Control<TKvDashStylesCombo>(F, "DashStylesCombo"))
    {
    }
    QLabel *SettingsImage;
    QLabel *ResultImage;
    QSlider *PointHeightTrack;
    QSlider *InnerLengthTrack;
    QSlider *PointLengthTrack;
    TKvNumericUpDn *InnerLengthUpDown;
    TKvNumericUpDn *PointLengthUpDown;
    TKvNumericUpDn *PointHeightUpDown;
    TKvNumericUpDn *WidthUpDown;
    TKvColorPickCombo *ColorPick;
    QCheckBox *VisibleCheck;
    QPushButton *OkBtn;
    TKvDashStylesCombo *DashStylesCombo;
};

void SetArrow(TKvArrowSettings *A, float PointLength, float InnerLength, float PointHeight)
{
    A->SetPointLength(PointLength);
    A->SetInnerLength(InnerLength);
    A->SetPointHeight(PointHeight);
}
} // namespace

class TstArrowDialog : public QObject {
    Q_OBJECT
private slots:
    void formDescription()
    {
        TArrowSettingsForm f;
        const TArrowControls c(&f);
        QCOMPARE(f.windowTitle(), QStringLiteral("Set Arrow Properties"));
        QCOMPARE(f.size(), QSize(418, 256));
        QCOMPARE(c.SettingsImage->geometry(), QRect(8, 48, 254, 150));
        QCOMPARE(c.ResultImage->geometry(), QRect(2, 15, 92, 55));
        QCOMPARE(c.PointHeightTrack->orientation(), Qt::Vertical);
        QCOMPARE(c.PointHeightTrack->maximum(), 74);
        QCOMPARE(c.InnerLengthTrack->maximum(), 173);
        QCOMPARE(c.InnerLengthUpDown->toolTip(), QStringLiteral("Set inner length of arrow tip"));
        QCOMPARE(c.ColorPick->OtherBtnCaption(), QStringLiteral("&Other colors..."));
        QCOMPARE(c.VisibleCheck->text(), QStringLiteral("Visible"));
        QVERIFY(c.OkBtn->isDefault());
    }

    // Filling the controls raises their change events; none of them may write back.
    void fillingWritesNothing()
    {
        TArrowSettingsForm f;
        const TArrowControls c(&f);
        TKvArrowSettings *s = f.Settings();
        SetArrow(s, 4, 3, 2);
        s->SetInnerLength(8); // unguarded, the inner track's event would raise the point length
        QCOMPARE(s->PointLength(), 4.0f);
        QCOMPARE(c.InnerLengthTrack->value(), 173 - 120);
        s->SetWidth(0.3f); // the up-down shows 0; unguarded it would write 0 back
        QCOMPARE(s->Width(), 0.3f);
        s->SetVisible(false);
        QVERIFY(!c.VisibleCheck->isChecked());
        QCOMPARE(s->Visible(), false);
        s->SetPointHeight(4.5f);
        QCOMPARE(c.PointHeightTrack->value(), 68); // 67.5 rounds to even
    }

    void lengthCoupling()
    {
        TArrowSettingsForm f;
        const TArrowControls c(&f);
        TKvArrowSettings *s = f.Settings();
        SetArrow(s, 4, 3, 2);
        c.PointLengthTrack->triggerAction(QAbstractSlider::SliderToMaximum); // position 173: length 0
        QCOMPARE(s->PointLength(), 0.0f);
        QCOMPARE(s->InnerLength(), 0.0f);
        c.PointLengthTrack->triggerAction(QAbstractSlider::SliderToMinimum); // position 0: the longest tip
        QCOMPARE(s->PointLength(), float(173.0 / 15));
        QCOMPARE(s->InnerLength(), 0.0f);
        c.PointLengthTrack->setSliderPosition(113); // 4 line widths
        QCOMPARE(s->PointLength(), 4.0f);
        c.InnerLengthTrack->setSliderPosition(23); // inner 10 drags the point along
        QCOMPARE(s->InnerLength(), 10.0f);
        QCOMPARE(s->PointLength(), 10.0f);
        QCOMPARE(c.PointLengthTrack->value(), 23);
        Type(c.PointLengthUpDown, QStringLiteral("6")); // a shorter point drags the inner length back
        QCOMPARE(s->PointLength(), 6.0f);
        QCOMPARE(s->InnerLength(), 6.0f);
        Type(c.InnerLengthUpDown, QStringLiteral("9"));
        QCOMPARE(s->PointLength(), 9.0f);
        c.PointHeightTrack->setSliderPosition(30);
        QCOMPARE(s->PointHeight(), 2.0f);
        Type(c.WidthUpDown, QStringLiteral("3"));
        QCOMPARE(s->Width(), 3.0f);
        c.DashStylesCombo->SetDashStyle(DashStyleDot);
        QCOMPARE(s->DashStyle(), DashStyleDot);
        QTest::mouseClick(c.VisibleCheck, Qt::LeftButton);
        QCOMPARE(s->Visible(), false);
    }

    void drawings()
    {
        TArrowSettingsForm f;
        const TArrowControls c(&f);
        TKvArrowSettings *s = f.Settings();
        const QColor bg = f.palette().color(QPalette::Window);
        SetArrow(s, 4, 3, 2);
        QCOMPARE(c.PointHeightTrack->value(), 30);
        // The point height's extension line runs 30 pixels below the axis (75) up to the edge.
        QVERIFY(Greenish(PixelAt(c.SettingsImage, 252, 105)) || Greenish(PixelAt(c.SettingsImage, 252, 104)));
        QVERIFY(!Greenish(PixelAt(c.SettingsImage, 252, 95)));
        // Width 0 still draws the enlarged line 15 pixels thick, in the line's colour.
        s->SetColor(0xFFFF0000);
        s->SetWidth(0);
        for (int y : {70, 75, 80})
            QCOMPARE(PixelAt(c.SettingsImage, 40, y), QColor(Qt::red));
        // The tip: filled between the barbs near the point, empty beyond the barbs.
        QCOMPARE(PixelAt(c.SettingsImage, 230, 75), QColor(Qt::red));
        QCOMPARE(PixelAt(c.SettingsImage, 180, 105 + 10), bg);
        s->SetWidth(1);
        QVERIFY(!Blank(c.ResultImage, bg));
        s->SetVisible(false); // the real-size picture empties, the enlarged one stays
        QVERIFY(Blank(c.ResultImage, bg));
        QCOMPARE(PixelAt(c.SettingsImage, 40, 75), QColor(Qt::red));
    }

    // OK copies the dialog's values back and reports once; Cancel and closing leave the
    // object as it was, however much was changed.
    void arrowEditorModalPasses_data()
    {
        QTest::addColumn<int>("ending"); // 0 OK, 1 Cancel, 2 close the window
        QTest::newRow("ok") << 0;
        QTest::newRow("cancel") << 1;
        QTest::newRow("close") << 2;
    }
    void arrowEditorModalPasses()
    {
        QFETCH(int, ending);
        TTestDesigner d;
        TKvArrows series, other;
        SetArrow(series.Arrow(), 5, 2, 1.5f);
        series.Arrow()->SetColor(0xFF00FF00);
        series.Arrow()->SetWidth(2);
        SetArrow(other.Arrow(), 5, 2, 1.5f);
        auto ed = EditorFor<TKvArrowSettingsEditor>(&d, {&series, &other}, "Arrow");
        QVERIFY(ed->GetAttributes() == (TPropertyAttributes{paSubProperties, paDialog, paMultiSelect, paReadOnly}));
        QPointer<QWidget> opened;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            opened = w;
            auto *f = qobject_cast<TArrowSettingsForm *>(w);
            const TArrowControls c(w);
            QVERIFY(f);
            QCOMPARE(f->Settings()->PointLength(), 5.0f);
            QCOMPARE(f->Settings()->Color(), TKvColor(0xFF00FF00));
            QVERIFY(!c.DashStylesCombo->isHidden());
            c.InnerLengthTrack->setSliderPosition(23);
            c.PointHeightTrack->setSliderPosition(45);
            Type(c.WidthUpDown, QStringLiteral("4"));
            c.DashStylesCombo->SetDashStyle(DashStyleDash);
            if (ending == 0)
                FormDriver::Shot(w, QStringLiteral("arrowdialog"));
            QTest::mouseClick(c.VisibleCheck, Qt::LeftButton);
            if (ending == 0)
                QTest::mouseClick(c.OkBtn, Qt::LeftButton);
            else if (ending == 1)
                ModalDriver::Reject(w);
            else
                ModalDriver::CloseWindow(w);
        });
        ed->Edit();
        QVERIFY(*ran);
        QVERIFY(opened.isNull()); // freed on every path
        TKvArrowSettings *a = series.Arrow();
        if (ending == 0) {
            QCOMPARE(d.ModifiedCount, 1);
            QCOMPARE(a->InnerLength(), 10.0f);
            QCOMPARE(a->PointLength(), 10.0f);
            QCOMPARE(a->PointHeight(), 3.0f);
            QCOMPARE(a->Width(), 4.0f);
            QCOMPARE(a->DashStyle(), DashStyleDash);
            QCOMPARE(a->Visible(), false);
            QCOMPARE(a->Color(), TKvColor(0xFF00FF00));
        } else {
            QCOMPARE(d.ModifiedCount, 0);
            QCOMPARE(a->PointLength(), 5.0f);
            QCOMPARE(a->InnerLength(), 2.0f);
            QCOMPARE(a->PointHeight(), 1.5f);
            QCOMPARE(a->Width(), 2.0f);
            QCOMPARE(a->DashStyle(), DashStyleSolid);
            QCOMPARE(a->Visible(), true);
        }
        // Only the first selected component is edited.
        QCOMPARE(other.Arrow()->InnerLength(), 2.0f);
    }

    // Values the tracks cannot show open as the largest ones and are written back so.
    void cappedTipValues_data()
    {
        QTest::addColumn<float>("length");
        QTest::addColumn<float>("height");
        QTest::addColumn<quint32>("lengthBits");
        QTest::addColumn<quint32>("heightBits");
        QTest::newRow("too long and high") << 20.0f << 9.0f << 0x41388889u << 0x409DDDDEu;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN()
                                      << std::numeric_limits<float>::quiet_NaN() << 0x41388889u << 0x409DDDDEu;
        QTest::newRow("the limits") << float(173.0 / 15) << float(74.0 / 15) << 0x41388889u << 0x409DDDDEu;
        QTest::newRow("in range") << 3.0f << 2.0f << std::bit_cast<quint32>(3.0f) << std::bit_cast<quint32>(2.0f);
    }
    void cappedTipValues()
    {
        QFETCH(float, length);
        QFETCH(float, height);
        QFETCH(quint32, lengthBits);
        QFETCH(quint32, heightBits);
        TTestDesigner d;
        TKvArrows series;
        SetArrow(series.Arrow(), length, length, height);
        auto ed = EditorFor<TKvArrowSettingsEditor>(&d, {&series}, "Arrow");
        quint32 shown = 0;
        ModalDriver::WhenModal([&](QWidget *w) {
            shown = std::bit_cast<quint32>(qobject_cast<TArrowSettingsForm *>(w)->Settings()->PointLength());
            ModalDriver::Accept(w);
        });
        ed->Edit();
        QCOMPARE(shown, lengthBits);
        QCOMPARE(std::bit_cast<quint32>(series.Arrow()->PointLength()), lengthBits);
        QCOMPARE(std::bit_cast<quint32>(series.Arrow()->InnerLength()), lengthBits);
        QCOMPARE(std::bit_cast<quint32>(series.Arrow()->PointHeight()), heightBits);
    }

    void axisArrowEditor()
    {
        TTestDesigner d;
        TKvAxis axis;
        axis.SetForeColor(0xFF0000FF);
        axis.SetAxisThicknes(3);
        TKvAxisArrowPoint *p = axis.ArrowPoint();
        p->SetVisible(false);
        p->SetPointLength(30);
        p->SetInnerLength(2);
        p->SetPointHeight(1.5f);
        auto ed = EditorFor<TKvAxisArrowEditor>(&d, {&axis}, "ArrowPoint");
        ModalDriver::WhenModal([&](QWidget *w) {
            auto *f = qobject_cast<TArrowSettingsForm *>(w);
            const TArrowControls c(w);
            for (const char *name : {"DashLabel", "DashStylesCombo", "WidthUpDown", "WidthLabel", "ColorPick", "ColorLabel"})
                QVERIFY2(w->findChild<QWidget *>(QString::fromLatin1(name))->isHidden(), name);
            QVERIFY(!c.PointLengthUpDown->isHidden());
            // The sample shows the axis's line.
            QCOMPARE(f->Settings()->Color(), TKvColor(0xFF0000FF));
            QCOMPARE(f->Settings()->Width(), 3.0f);
            QCOMPARE(f->Settings()->PointLength(), std::bit_cast<float>(0x41388889u));
            f->Settings()->SetWidth(7);
            f->Settings()->SetColor(0xFFFF0000);
            c.PointHeightTrack->setSliderPosition(15);
            FormDriver::Shot(w, QStringLiteral("axisarrowdialog"));
            QTest::mouseClick(c.VisibleCheck, Qt::LeftButton);
            ModalDriver::Accept(w);
        });
        ed->Edit();
        QCOMPARE(d.ModifiedCount, 1);
        QCOMPARE(p->PointLength(), std::bit_cast<float>(0x41388889u));
        QCOMPARE(p->InnerLength(), 2.0f);
        QCOMPARE(p->PointHeight(), 1.0f);
        QCOMPARE(p->Visible(), true);
        QCOMPARE(axis.ForeColor(), TKvColor(0xFF0000FF));
        QCOMPARE(axis.AxisThicknes(), 3.0f);
    }

    // The height track runs downwards beside the drawing: a larger height puts its thumb
    // lower, next to the barb line, by mouse and keyboard alike.
    void heightTrackRunsDownwards()
    {
        TArrowSettingsForm f;
        const TArrowControls c(&f);
        TKvArrowSettings *s = f.Settings();
        SetArrow(s, 4, 2, 2); // position 30
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QSlider *track = c.PointHeightTrack;
        // A click below the thumb pages towards the bottom: a larger height.
        QTest::mouseClick(track, Qt::LeftButton, {}, QPoint(track->width() / 2, track->height() - 3));
        QCOMPARE(track->value(), 45);
        QCOMPARE(s->PointHeight(), 3.0f);
        // Down moves the thumb down, Up up.
        track->setFocus();
        QTest::keyClick(track, Qt::Key_Down);
        QCOMPARE(track->value(), 46);
        QTest::keyClick(track, Qt::Key_Up);
        QTest::keyClick(track, Qt::Key_Up);
        QCOMPARE(track->value(), 44);
        // The thumb is drawn lower for the larger height: its rows are those drawn across
        // more than half the track's width (the groove is a narrow strip).
        const auto thumbCentre = [&] {
            const QImage img = track->grab().toImage();
            const QRgb background = img.pixel(0, 0);
            int sum = 0, rows = 0;
            for (int y = 0; y < img.height(); ++y) {
                int drawn = 0;
                for (int x = 0; x < img.width(); ++x)
                    drawn += img.pixel(x, y) != background;
                if (drawn > img.width() / 2) {
                    sum += y;
                    ++rows;
                }
            }
            return rows ? sum / rows : -1;
        };
        s->SetPointHeight(0.5f);
        const int high = thumbCentre();
        s->SetPointHeight(4.5f);
        const int low = thumbCentre();
        QVERIFY2(high >= 0 && low > high + 40, qPrintable(QStringLiteral("%1 -> %2").arg(high).arg(low)));
    }

    // A custom dash style (ordinal 5, from a form file) opens the dialog and is kept unless the
    // user picks a style; the combo shows no style then.
    void customDashStyleIsKept()
    {
        TTestDesigner d;
        TKvArrows series;
        series.Arrow()->SetDashStyle(DashStyleCustom);
        auto ed = EditorFor<TKvArrowSettingsEditor>(&d, {&series}, "Arrow");
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            const TArrowControls c(w);
            QCOMPARE(c.DashStylesCombo->DashStyle(), DashStyleCustom);
            QCOMPARE(FormDriver::Control<QComboBox>(c.DashStylesCombo, "Combo")->currentIndex(), -1);
            Type(c.WidthUpDown, QStringLiteral("3"));
            QTest::mouseClick(c.OkBtn, Qt::LeftButton);
        });
        ed->Edit(); // raised "Style 5 out of range" before
        QVERIFY(*ran);
        QCOMPARE(d.ModifiedCount, 1);
        QCOMPARE(series.Arrow()->DashStyle(), DashStyleCustom);
        QCOMPARE(series.Arrow()->Width(), 3.0f);
        ran = ModalDriver::WhenModal([&](QWidget *w) {
            auto *combo = FormDriver::Control<QComboBox>(TArrowControls(w).DashStylesCombo, "Combo");
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down); // the first style
            ModalDriver::Accept(w);
        });
        ed->Edit();
        QVERIFY(*ran);
        QCOMPARE(series.Arrow()->DashStyle(), DashStyleSolid);
    }

    void wrongObjectOpensNothing()
    {
        TTestDesigner d;
        TKvAxis axis;
        // The arrow editor on an axis arrow point (not arrow settings) does nothing.
        auto ed = EditorFor<TKvArrowSettingsEditor>(&d, {&axis}, "ArrowPoint");
        auto ran = ModalDriver::WhenModal([](QWidget *w) { ModalDriver::Reject(w); }, 200);
        ed->Edit();
        QTest::qWait(250);
        QVERIFY(!*ran);
        QCOMPARE(d.ModifiedCount, 0);
    }

    void formFreedWhenExceptionPasses()
    {
        TTestDesigner d;
        d.ThrowOnModified = true;
        TKvArrows series;
        auto ed = EditorFor<TKvArrowSettingsEditor>(&d, {&series}, "Arrow");
        QPointer<QWidget> opened;
        ModalDriver::WhenModal([&](QWidget *w) {
            opened = w;
            ModalDriver::Accept(w);
        });
        QVERIFY_THROWS_EXCEPTION(EPropertyError, ed->Edit());
        QVERIFY(opened.isNull());
    }

    void settingsAssignCopiesEveryField()
    {
        int calls = 0;
        TKvArrowSettings a, b([&] { ++calls; });
        SetArrow(&a, 7, 5, 3);
        a.SetWidth(2.5f);
        a.SetColor(0x80123456);
        a.SetDashStyle(DashStyleDashDot);
        a.SetVisible(false);
        a.Gradient()->SetVisible(true);
        b.Assign(&a);
        QCOMPARE(calls, 1);
        QCOMPARE(b.PointLength(), 7.0f);
        QCOMPARE(b.InnerLength(), 5.0f);
        QCOMPARE(b.PointHeight(), 3.0f);
        QCOMPARE(b.Width(), 2.5f);
        QCOMPARE(b.Color(), TKvColor(0x80123456));
        QCOMPARE(b.DashStyle(), DashStyleDashDot);
        QCOMPARE(b.Visible(), false);
        QCOMPARE(b.Gradient()->Visible(), true);
        TKvAxisArrowPoint p, q([&] { ++calls; });
        p.SetPointLength(9);
        p.SetVisible(true);
        q.Assign(&p);
        QCOMPARE(q.PointLength(), 9.0f);
        QCOMPARE(q.Visible(), true);
        q.SetPointHeight(1);
        QCOMPARE(calls, 3);
    }
};

QTEST_MAIN(TstArrowDialog)
#include "tst_arrowdialog.moc"
