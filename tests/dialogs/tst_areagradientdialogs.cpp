// The area and gradient settings dialogs and the two editors that open them, driven as a user
// would: clicks, typed values, marker drags, modal passes closed with OK, Cancel or the window.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "../common/FormDriver.h"
#include "../common/ModalDriver.h"
#include "../common/PropertyEditorDriver.h"
#include "Kvareagradienteditors.h"
#include "Kvareasettingsfm.h"
#include "Kvareastyleslist.h"
#include "Kvcolorpicker.h"
#include "Kvfloatedit.h"
#include "Kvgradientfrm.h"
#include "Kvgradientsettingsfm.h"
#include "Kvmarkers.h"
#include "SysUtils.h"
#include "TypInfo.h"

using Kvmarkers::TKvMarkerControl;

// Refuses every copy into it, so that an exception passes the editor after OK.
class TRefusingArea : public TKvAreaSettings {
    Q_OBJECT
public:
    using TKvAreaSettings::TKvAreaSettings;
    void Assign(TPersistent *) override { throw EPropertyError(QStringLiteral("refused")); }
};

// A component with the two settings properties, as a chart element publishes them.
class TSettingsHolder : public QObject {
    Q_OBJECT
    Q_PROPERTY(TKvAreaSettings *Area READ Area)
    Q_PROPERTY(TKvGradientSettings *Gradient READ Gradient)
public:
    explicit TSettingsHolder(bool Refusing = false)
        : FArea(Refusing ? new TRefusingArea({}, this) : new TKvAreaSettings({}, this)), FGradient(new TKvGradientSettings({}, this)) {}
    TKvAreaSettings *Area() const { return FArea; }
    TKvGradientSettings *Gradient() const { return FGradient; }
private:
    TKvAreaSettings *FArea;
    TKvGradientSettings *FGradient;
};

namespace {
using PropertyEditorDriver::EditorFor;
using TTestDesigner = PropertyEditorDriver::TCountingDesigner;

// The forms' controls, reached by their object names.
struct TAreaControls {
    explicit TAreaControls(QWidget *F)
        : VisibleCheck(FormDriver::Control<QCheckBox>(F, "VisibleCheck")),
          NormalGroup(FormDriver::Control<QGroupBox>(F, "NormalGroup")),
          LinearGradientGroup(FormDriver::Control<QGroupBox>(F, "LinearGradientGroup")),
          RadialGradientGroup(FormDriver::Control<QGroupBox>(F, "RadialGradientGroup")),
          AreaStylesList(FormDriver::Control<TKvAreaStylesList>(F, "AreaStylesList")),
          ForegroundColor(FormDriver::Control<TKvColorPickCombo>(F, "ForegroundColor")),
          BackgroundColor(FormDriver::Control<TKvColorPickCombo>(F, "BackgroundColor")),
          LinearFirstColor(FormDriver::Control<TKvColorPickCombo>(F, "LinearFirstColor")),
          LinearMiddleColor(FormDriver::Control<TKvColorPickCombo>(F, "LinearMiddleColor")),
          LinearLastColor(FormDriver::Control<TKvColorPickCombo>(F, "LinearLastColor")),
          RadialFirstColor(FormDriver::Control<TKvColorPickCombo>(F, "RadialFirstColor")),
          RadialMiddleColor(FormDriver::Control<TKvColorPickCombo>(F, "RadialMiddleColor")),
          RadialLastColor(FormDriver::Control<TKvColorPickCombo>(F, "RadialLastColor")),
          LinearSamplePic(FormDriver::Control<QLabel>(F, "LinearSamplePic")),
          LinearCenterPic(FormDriver::Control<QLabel>(F, "LinearCenterPic")),
          LinearCenterMarker(FormDriver::Control<TKvMarkerControl>(F, "LinearCenterMarker")),
          RadialCenterMarker(FormDriver::Control<TKvMarkerControl>(F, "RadialCenterMarker")),
          AngleEdit(FormDriver::Control<TKvNumericUpDn>(F, "AngleEdit")),
          LinearCenterEdit(FormDriver::Control<TKvDoubleEdit>(F, "LinearCenterEdit")),
          RadialCenterX(FormDriver::Control<TKvDoubleEdit>(F, "RadialCenterX")),
          RadialCenterY(FormDriver::Control<TKvDoubleEdit>(F, "RadialCenterY")),
          OKBtn(FormDriver::Control<QPushButton>(F, "OKBtn")),
          CancelBtn(FormDriver::Control<QPushButton>(F, "CancelBtn"))
    {
    }
    QCheckBox *VisibleCheck;
    QGroupBox *NormalGroup;
    QGroupBox *LinearGradientGroup;
    QGroupBox *RadialGradientGroup;
    TKvAreaStylesList *AreaStylesList;
    TKvColorPickCombo *ForegroundColor;
    TKvColorPickCombo *BackgroundColor;
    TKvColorPickCombo *LinearFirstColor;
    TKvColorPickCombo *LinearMiddleColor;
    TKvColorPickCombo *LinearLastColor;
    TKvColorPickCombo *RadialFirstColor;
    TKvColorPickCombo *RadialMiddleColor;
    TKvColorPickCombo *RadialLastColor;
    QLabel *LinearSamplePic;
    QLabel *LinearCenterPic;
    TKvMarkerControl *LinearCenterMarker;
    TKvMarkerControl *RadialCenterMarker;
    TKvNumericUpDn *AngleEdit;
    TKvDoubleEdit *LinearCenterEdit;
    TKvDoubleEdit *RadialCenterX;
    TKvDoubleEdit *RadialCenterY;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
};

struct TGradientControls {
    explicit TGradientControls(QWidget *F)
        : VisibleCheck(FormDriver::Control<QCheckBox>(F, "VisibleCheck")),
          GradientFrame(FormDriver::Control<TKvGradientFrame>(F, "GradientFrame")),
          OKBtn(FormDriver::Control<QPushButton>(F, "OKBtn")),
          CancelBtn(FormDriver::Control<QPushButton>(F, "CancelBtn"))
    {
    }
    QCheckBox *VisibleCheck;
    TKvGradientFrame *GradientFrame;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;
};

// The selected item of the fill style radios (-1: none).
int FillStyleIndex(QWidget *F)
{
    for (int i = 0; i < 4; ++i)
        if (FormDriver::Control<QRadioButton>(F, qPrintable(QStringLiteral("FillStylesRadio%1").arg(i)))->isChecked())
            return i;
    return -1;
}

// Every published value of a settings object and of its gradient, for comparisons.
QVariantMap Values(const QObject *O)
{
    QVariantMap out;
    const QMetaObject *m = O->metaObject();
    for (int i = QObject::staticMetaObject.propertyCount(); i < m->propertyCount(); ++i) {
        const QMetaProperty p = m->property(i);
        const QVariant v = p.read(O);
        if (auto *sub = v.value<TKvGradientSettings *>())
            for (auto [k, sv] : Values(sub).asKeyValueRange())
                out.insert(QString::fromLatin1(p.name()) + '.' + k, sv);
        else
            out.insert(QString::fromLatin1(p.name()), v.metaType() == QMetaType::fromType<TKvColor>() ? QVariant(v.value<TKvColor>().Value) : v);
    }
    return out;
}

// An area with a radial gradient whose centres lie outside what the edits accept.
void FillRadialArea(TKvAreaSettings *A)
{
    A->SetVisible(false);
    A->SetAreaStyle(TKvAreaStyle::Cross);
    A->SetForeColor(0xFF008000);
    A->SetBackColor(0x80FFFF00);
    TKvGradientSettings *g = A->Gradient();
    g->SetVisible(true);
    g->SetStyle(TKvGradientStyle::Radial);
    g->SetFirstColor(0xFFFF0000);
    g->SetMiddleColor(0xFF00FF00);
    g->SetLastColor(0xFF0000FF);
    g->SetLinearAngle(47.5f);
    g->SetLinearCenter(1.5f);
    g->SetRadialCenterX(-0.25f);
    g->SetRadialCenterY(0.75f);
}

// Drags a marker with the left button so that its centre ends at To (pixels of its parent).
void DragMarker(TKvMarkerControl *M, QPointF To)
{
    const QPointF grip((M->width() - 1) / 2.0, (M->height() - 1) / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, grip, M->mapToGlobal(grip), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(M, &press);
    const QPointF at = M->mapFromParent(To) + QPointF(0, 0);
    QMouseEvent move(QEvent::MouseMove, at, M->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(M, &move);
    const QPointF end = M->mapFromParent(To);
    QMouseEvent release(QEvent::MouseButtonRelease, end, M->mapToGlobal(end), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(M, &release);
}

void ClickRadio(TAreaSettingsForm &F, int Item)
{
    auto *r = F.findChild<QRadioButton *>(QStringLiteral("FillStylesRadio%1").arg(Item));
    QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, r->height() / 2));
}

void Type(QWidget *Edit, const QString &Text)
{
    auto *line = Edit->findChild<QLineEdit *>();
    line->selectAll();
    QTest::keyClicks(line, Text);
    // Leaving the field commits the text (Return would also press the dialog's default button).
    emit line->editingFinished();
}

QRgb Pixel(QLabel *Pic, int X, int Y) { return Pic->pixmap().toImage().pixel(X, Y); }
} // namespace

class TestAreaGradientDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegisterKvTypes(); }

    // Filling the form raises change events (clamping edits, pickers, the style list); none
    // of them may reach the working copy.
    void areaFillingWritesNothing()
    {
        TKvAreaSettings source;
        FillRadialArea(&source);
        TAreaSettingsForm f;
        f.SetAreaSettings(&source);
        QCOMPARE(Values(f.AreaSettings()), Values(&source));
        QVERIFY(f.AreaSettings() != &source);
        const TAreaControls ui(&f);
        QCOMPARE(FillStyleIndex(&f), 2);
        QVERIFY(!ui.VisibleCheck->isChecked());
        QVERIFY(ui.RadialGradientGroup->isVisibleTo(&f));
        QVERIFY(!ui.NormalGroup->isVisibleTo(&f) && !ui.LinearGradientGroup->isVisibleTo(&f));
        QCOMPARE(ui.RadialGradientGroup->title(), QStringLiteral("Radial Gradient"));
        QCOMPARE(ui.AreaStylesList->GetAreaStyle(), TKvAreaStyle::Cross);
        QCOMPARE(ui.AreaStylesList->AreaForeColor(), TKvColor(0xFF008000));
        QCOMPARE(ui.RadialMiddleColor->ActiveColor(), TKvColor(0xFF00FF00));
        QCOMPARE(ui.LinearMiddleColor->ActiveColor(), TKvColor(0xFF00FF00));
        QCOMPARE(ui.RadialCenterMarker->Y(), 0.75 * 111);
        QCOMPARE(ui.RadialCenterMarker->Line()->Color(), ContrastForeColorARGB(0xFF00FF00));
    }

    void fillStyleRadios_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("caption");
        QTest::newRow("normal hides the gradient") << 0 << false << 1 << "NormalGroup" << "Radial Gradient";
        QTest::newRow("linear") << 1 << true << 0 << "LinearGradientGroup" << "Radial Gradient";
        QTest::newRow("elliptical keeps the radial panel") << 3 << true << 2 << "RadialGradientGroup" << "Elliptical Gradient";
    }
    void fillStyleRadios()
    {
        QFETCH(int, item);
        QFETCH(bool, gradient);
        QFETCH(int, style);
        QFETCH(QString, panel);
        QFETCH(QString, caption);
        TKvAreaSettings source;
        FillRadialArea(&source);
        TAreaSettingsForm f;
        f.SetAreaSettings(&source);
        ClickRadio(f, item);
        const TKvGradientSettings *g = f.AreaSettings()->Gradient();
        QCOMPARE(g->Visible(), gradient);
        QCOMPARE(int(g->Style()), style);
        QCOMPARE(FillStyleIndex(&f), item);
        for (const char *name : {"NormalGroup", "LinearGradientGroup", "RadialGradientGroup"})
            QCOMPARE(f.findChild<QGroupBox *>(QLatin1String(name))->isVisibleTo(&f), panel == QLatin1String(name));
        QCOMPARE(FormDriver::Control<QGroupBox>(&f, "RadialGradientGroup")->title(), caption);
        QVERIFY(source.Gradient()->Visible() && source.Gradient()->Style() == TKvGradientStyle::Radial);
    }

    // The area's own controls write one property each; the pickers of the two gradient
    // panels write the same gradient and show each other's colour.
    void handlersWriteTheWorkingCopy()
    {
        TKvAreaSettings source;
        TAreaSettingsForm f;
        f.SetAreaSettings(&source);
        const TAreaControls ui(&f);
        QTest::mouseClick(ui.VisibleCheck, Qt::LeftButton);
        QCOMPARE(f.AreaSettings()->Visible(), !source.Visible());
        ui.ForegroundColor->SetActiveColor(0xFF123456);
        QCOMPARE(f.AreaSettings()->ForeColor(), TKvColor(0xFF123456));
        QCOMPARE(ui.AreaStylesList->AreaForeColor(), TKvColor(0xFF123456));
        ui.AreaStylesList->SetAreaStyle(TKvAreaStyle::Dense50);
        QCOMPARE(f.AreaSettings()->AreaStyle(), TKvAreaStyle::Dense50);
        ClickRadio(f, 1);
        ui.LinearFirstColor->SetActiveColor(0xFFABCDEF);
        QCOMPARE(f.AreaSettings()->Gradient()->FirstColor(), TKvColor(0xFFABCDEF));
        QCOMPARE(ui.RadialFirstColor->ActiveColor(), TKvColor(0xFFABCDEF));
        ui.RadialLastColor->SetActiveColor(0xFF000000);
        QCOMPARE(f.AreaSettings()->Gradient()->LastColor(), TKvColor(0xFF000000));
        QCOMPARE(ui.LinearLastColor->ActiveColor(), TKvColor(0xFF000000));
        QCOMPARE(ui.LinearCenterMarker->Line()->Color(), TKvColor(0xFFFFFFFF)); // white over black
        Type(ui.AngleEdit, QStringLiteral("135"));
        QCOMPARE(f.AreaSettings()->Gradient()->LinearAngle(), 135.0f);
        const TKvAreaSettings untouched;
        QCOMPARE(Values(&source), Values(&untouched));
    }

    // The strip is always horizontal and puts the middle colour under the marker.
    void typedLinearCentreMovesMarkerAndStrip()
    {
        TKvAreaSettings source;
        source.Gradient()->SetVisible(true);
        source.Gradient()->SetLinearAngle(90);
        source.Gradient()->SetFirstColor(0xFFFF0000);
        source.Gradient()->SetMiddleColor(0xFF00FF00);
        source.Gradient()->SetLastColor(0xFF0000FF);
        TAreaSettingsForm f;
        f.SetAreaSettings(&source);
        const TAreaControls ui(&f);
        Type(ui.LinearCenterEdit, QStringLiteral("0.25"));
        QCOMPARE(f.AreaSettings()->Gradient()->LinearCenter(), 0.25f);
        QCOMPARE(ui.LinearCenterMarker->X(), 36.25);
        QCOMPARE(Pixel(ui.LinearCenterPic, 36, 10), qRgb(0, 255, 0));
        QVERIFY(qRed(Pixel(ui.LinearCenterPic, 0, 10)) >= 245 && qBlue(Pixel(ui.LinearCenterPic, 0, 10)) == 0);
        QVERIFY(qBlue(Pixel(ui.LinearCenterPic, 145, 10)) >= 245 && qRed(Pixel(ui.LinearCenterPic, 145, 10)) == 0);
        // The sample follows the angle (90: first colour at the bottom) and is drawn one pixel
        // up, so its last row keeps the canvas's white.
        QVERIFY(qRed(Pixel(ui.LinearSamplePic, 70, 86)) > 200);
        QVERIFY(qBlue(Pixel(ui.LinearSamplePic, 70, 1)) > 200);
        QCOMPARE(Pixel(ui.LinearSamplePic, 70, 89), qRgb(255, 255, 255));
    }

    void centreMarkersAtCornerPixels_data()
    {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<QPointF>("centre");
        QTest::newRow("bottom-right pixel") << QPointF(145, 111) << QPointF(1, 1);
        QTest::newRow("top-left pixel") << QPointF(0, 0) << QPointF(0, 0);
        QTest::newRow("beyond the picture is kept inside") << QPointF(400, -50) << QPointF(1, 0);
        QTest::newRow("inside") << QPointF(29, 55.5) << QPointF(0.2, 0.5);
    }
    void centreMarkersAtCornerPixels()
    {
        QFETCH(QPointF, to);
        QFETCH(QPointF, centre);
        TKvAreaSettings source;
        source.Gradient()->SetVisible(true);
        source.Gradient()->SetStyle(TKvGradientStyle::Elliptical);
        TAreaSettingsForm f;
        f.SetAreaSettings(&source);
        const TAreaControls ui(&f);
        DragMarker(ui.RadialCenterMarker, to);
        const TKvGradientSettings *g = f.AreaSettings()->Gradient();
        QCOMPARE(g->RadialCenterX(), float(centre.x()));
        QCOMPARE(g->RadialCenterY(), float(centre.y()));
        QCOMPARE(ui.RadialCenterX->Value(), double(float(centre.x())));
        QCOMPARE(ui.RadialCenterMarker->X(), double(float(centre.x())) * 145);
        ClickRadio(f, 1);
        DragMarker(ui.LinearCenterMarker, QPointF(to.x(), 10));
        QCOMPARE(g->LinearCenter(), float(centre.x()));
        QCOMPARE(source.Gradient()->RadialCenterX(), 0.5f);
    }

    // The placed marker controls: X and Y are the centre, as the form description places them.
    void markerCentresFromGeometry()
    {
        TAreaSettingsForm f;
        const TAreaControls ui(&f);
        QCOMPARE(ui.RadialCenterMarker->X(), 20.0);
        QCOMPARE(ui.RadialCenterMarker->Y(), 26.0);
        QCOMPARE(ui.LinearCenterMarker->X(), 24.0);
        QSignalSpy moving(ui.RadialCenterMarker, &TKvMarkerControl::OnMarkerMoving);
        QTest::mouseClick(ui.RadialCenterMarker, Qt::RightButton);
        ui.RadialCenterMarker->SetX(60);
        QCOMPARE(moving.count(), 0); // only a drag reports moving
    }

    void gradientDialogFillsWithoutWriting()
    {
        TKvGradientSettings source;
        source.SetVisible(true);
        source.SetStyle(TKvGradientStyle::Elliptical);
        source.SetFirstColor(0xFF102030);
        source.SetLinearCenter(2); // beyond what the frame's edit accepts
        TGradientSettingsForm f;
        f.SetGradient(&source);
        const TGradientControls ui(&f);
        QCOMPARE(Values(f.Gradient()), Values(&source));
        QVERIFY(ui.VisibleCheck->isChecked());
        QCOMPARE(ui.GradientFrame->Gradient(), f.Gradient());
        QCOMPARE(ui.GradientFrame->findChild<QComboBox *>(QStringLiteral("StyleCombo"))->currentIndex(), 2);
        const QList<QWidget *> aside = ui.GradientFrame->ExposedControls();
        QCOMPARE(aside.size(), 3);
        QCOMPARE(aside[0]->x(), 60);
        QCOMPARE(aside[1]->x(), 120);
        QCOMPARE(aside[2]->x(), 180);
        QVERIFY(aside[2]->geometry().right() < ui.GradientFrame->width());
        QVERIFY(ui.VisibleCheck->geometry().right() < ui.GradientFrame->x() + aside[0]->x());
    }

    void gradientFrameEditsInPlace()
    {
        TKvGradientSettings g;
        TKvGradientFrame frame;
        frame.SetGradient(&g);
        QSignalSpy changes(&frame, &TKvGradientFrame::OnGradientChange);
        frame.findChild<QComboBox *>(QStringLiteral("StyleCombo"))->setCurrentIndex(1);
        QCOMPARE(g.Style(), TKvGradientStyle::Radial);
        qobject_cast<TKvColorPickCombo *>(frame.ExposedControls()[1])->SetActiveColor(0xFF445566);
        QCOMPARE(g.MiddleColor(), TKvColor(0xFF445566));
        QCOMPARE(changes.count(), 2);
        frame.SetGradient(nullptr);
        frame.findChild<QComboBox *>(QStringLiteral("StyleCombo"))->setCurrentIndex(0);
        QCOMPARE(g.Style(), TKvGradientStyle::Radial);
    }

    // Editors: one modal pass each; OK assigns and reports once, Cancel and the window's close
    // button leave the object as it was after many changes.
    void areaEditorPasses_data()
    {
        QTest::addColumn<int>("ending"); // 0 OK, 1 Cancel, 2 close
        QTest::newRow("OK") << 0;
        QTest::newRow("Cancel") << 1;
        QTest::newRow("closed window") << 2;
    }
    void areaEditorPasses()
    {
        QFETCH(int, ending);
        TTestDesigner designer;
        TSettingsHolder first, second;
        FillRadialArea(first.Area());
        const QVariantMap before = Values(first.Area()), secondBefore = Values(second.Area());
        auto editor = EditorFor<TKvAreaSettingsEditor>(&designer, {&first, &second}, "Area");
        QPointer<QWidget> seen;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            seen = w;
            auto *f = qobject_cast<TAreaSettingsForm *>(w);
            const TAreaControls ui(f);
            ClickRadio(*f, 1);
            ui.LinearMiddleColor->SetActiveColor(0xFF777777);
            Type(ui.AngleEdit, QStringLiteral("30"));
            ClickRadio(*f, 0);
            ui.BackgroundColor->SetActiveColor(0xFF202020);
            QTest::mouseClick(ui.VisibleCheck, Qt::LeftButton);
            if (ending == 0)
                QTest::mouseClick(ui.OKBtn, Qt::LeftButton);
            else if (ending == 1)
                QTest::mouseClick(ui.CancelBtn, Qt::LeftButton);
            else
                ModalDriver::CloseWindow(w);
        });
        editor->Edit();
        QVERIFY(*ran);
        QVERIFY(seen.isNull());
        QCOMPARE(Values(second.Area()), secondBefore);
        if (ending != 0) {
            QCOMPARE(Values(first.Area()), before);
            QCOMPARE(designer.ModifiedCount, 0);
            return;
        }
        QCOMPARE(designer.ModifiedCount, 1);
        const TKvGradientSettings *g = first.Area()->Gradient();
        QVERIFY(!g->Visible());
        QCOMPARE(g->Style(), TKvGradientStyle::Linear);
        QCOMPARE(g->MiddleColor(), TKvColor(0xFF777777));
        QCOMPARE(g->LinearAngle(), 30.0f);
        QCOMPARE(first.Area()->BackColor(), TKvColor(0xFF202020));
        QVERIFY(first.Area()->Visible());
    }

    void gradientEditorPasses()
    {
        TTestDesigner designer;
        TSettingsHolder holder;
        holder.Gradient()->SetVisible(true);
        auto editor = EditorFor<TKvGradientSettingsEditor>(&designer, {&holder}, "Gradient");
        ModalDriver::WhenModal([](QWidget *w) {
            const TGradientControls ui(w);
            ui.GradientFrame->findChild<QComboBox *>(QStringLiteral("StyleCombo"))->setCurrentIndex(1);
            QTest::mouseClick(ui.VisibleCheck, Qt::LeftButton);
            ModalDriver::Reject(w);
        });
        editor->Edit();
        QCOMPARE(designer.ModifiedCount, 0);
        QVERIFY(holder.Gradient()->Visible());
        QCOMPARE(holder.Gradient()->Style(), TKvGradientStyle::Linear);

        ModalDriver::WhenModal([](QWidget *w) {
            const TGradientControls ui(w);
            ui.GradientFrame->findChild<QComboBox *>(QStringLiteral("StyleCombo"))->setCurrentIndex(1);
            qobject_cast<TKvColorPickCombo *>(ui.GradientFrame->ExposedControls()[2])->SetActiveColor(0xFF010203);
            QTest::mouseClick(ui.VisibleCheck, Qt::LeftButton);
            QTest::mouseClick(ui.OKBtn, Qt::LeftButton);
        });
        editor->Edit();
        QCOMPARE(designer.ModifiedCount, 1);
        QVERIFY(!holder.Gradient()->Visible());
        QCOMPARE(holder.Gradient()->Style(), TKvGradientStyle::Radial);
        QCOMPARE(holder.Gradient()->LastColor(), TKvColor(0xFF010203));
    }

    void editorsFreeTheDialogWhenAnExceptionPasses()
    {
        TTestDesigner designer;
        TSettingsHolder holder(true);
        auto editor = EditorFor<TKvAreaSettingsEditor>(&designer, {&holder}, "Area");
        QPointer<QWidget> seen;
        ModalDriver::WhenModal([&](QWidget *w) {
            seen = w;
            ModalDriver::Accept(w);
        });
        QVERIFY_THROWS_EXCEPTION(EPropertyError, editor->Edit());
        QVERIFY(seen.isNull());
        QCOMPARE(designer.ModifiedCount, 0);
    }

    // A property whose object is of another class opens nothing.
    void editorOfAnotherObjectOpensNothing()
    {
        TTestDesigner designer;
        TSettingsHolder holder;
        auto editor = EditorFor<TKvAreaSettingsEditor>(&designer, {&holder}, "Gradient");
        auto ran = ModalDriver::WhenModal(ModalDriver::Reject, 300);
        editor->Edit();
        QTest::qWait(350);
        QVERIFY(!*ran);
        QCOMPARE(designer.ModifiedCount, 0);
    }

    void screenshots()
    {
        TKvAreaSettings area;
        FillRadialArea(&area);
        area.Gradient()->SetRadialCenterX(0.35f);
        area.Gradient()->SetRadialCenterY(0.4f);
        area.Gradient()->SetLinearCenter(0.3f);
        area.Gradient()->SetLinearAngle(30);
        for (int item : {0, 1, 2, 3}) {
            TAreaSettingsForm f;
            f.SetAreaSettings(&area);
            f.show();
            ClickRadio(f, item);
            FormDriver::Shot(&f, QStringLiteral("area_%1").arg(item));
        }
        TGradientSettingsForm g;
        g.SetGradient(area.Gradient());
        g.show();
        FormDriver::Shot(&g, QStringLiteral("gradient"));
    }
};

QTEST_MAIN(TestAreaGradientDialogs)
#include "tst_areagradientdialogs.moc"
