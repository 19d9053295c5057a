// The line and point symbol settings dialogs and the Object Inspector editors that open them,
// driven through their controls as a user would.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "../common/FormDriver.h"
#include "../common/ModalDriver.h"
#include "../common/PropertyEditorDriver.h"
#include "Graphics.h"
#include "Kvcolorpicker.h"
#include "Kvdashstyleslist.h"
#include "Kvfloatedit.h"
#include "Kvgradientfrm.h"
#include "Kvlegend.h"
#include "Kvlinesettingseditors.h"
#include "Kvlinesettingsfm.h"
#include "Kvpointsymbolslist.h"
#include "Kvpointsymbolsettingsfm.h"
#include "Kvseries.h"
#include "Kvsimplelinesettingsfm.h"
#include "SysUtils.h"
#include "TypInfo.h"

using PropertyEditorDriver::EditorFor;
using PropertyEditorDriver::TCountingDesigner;

namespace {
using FormDriver::Control;
template <class W> W *Child(QWidget *Form, const char *Name) { return Control<W>(Form, Name); }

// Every field a line dialog edits, for comparing objects.
QString Describe(TKvSimpleLineSettings *S)
{
    QString d = QStringLiteral("w=%1 dash=%2 color=%3 grad=%4/%5/%6").arg(S->Width()).arg(int(S->DashStyle()))
                    .arg(S->Color().Value, 8, 16).arg(S->Gradient()->Visible()).arg(S->Gradient()->FirstColor().Value, 8, 16)
                    .arg(S->Gradient()->LastColor().Value, 8, 16);
    if (auto *l = qobject_cast<TKvLineSettings *>(S))
        d += QStringLiteral(" visible=%1").arg(l->Visible());
    return d;
}
QString Describe(TKvPointSymbolSettings *S)
{
    return QStringLiteral("vis=%1 border=%2 fill=%3 bw=%4 size=%5 sym=%6").arg(S->Visible()).arg(S->BorderColor().Value, 8, 16)
        .arg(S->FillColor().Value, 8, 16).arg(S->BorderLineWidth()).arg(S->Size()).arg(int(S->PointSymbol()));
}

void SetLine(TKvSimpleLineSettings *S, float Width, TDashStyle Dash, TKvColor Color, bool Gradient, TKvColor First)
{
    S->SetWidth(Width);
    S->SetDashStyle(Dash);
    S->SetColor(Color);
    S->Gradient()->SetVisible(Gradient);
    S->Gradient()->SetFirstColor(First);
}

// The colour the user gets by pressing Down in the closed colour list (a pick, not a setting).
TKvColor PickNextColor(TKvColorPickCombo *Pick)
{
    QTest::keyClick(Pick->Combo(), Qt::Key_Down);
    return Pick->ActiveColor();
}

// A component whose point symbol settings refuse a change once armed.
class TRefusingHolder : public QObject {
    Q_OBJECT
    Q_PROPERTY(TKvPointSymbolSettings *PointSymbol READ PointSymbol)
public:
    bool Refuse = false;
    TKvPointSymbolSettings *PointSymbol() const { return FSymbol; }
private:
    TKvPointSymbolSettings *FSymbol = new TKvPointSymbolSettings(
        [this] {
            if (Refuse)
                throw EPropertyError(QStringLiteral("refused"));
        },
        this);
};

TColor ExpectedBackground(TKvColor Reference) { return QColorToColor(ContrastBackGroundARGB(Reference).ToQColor()); }

void Shot(QWidget *W, const char *Name) { FormDriver::Shot(W, QLatin1String(Name)); }
} // namespace

class TstLineSymbolDialogs : public QObject {
    Q_OBJECT
private slots:
    // Filling the form raises the controls' change events; with the guard down none of them may
    // write: the copy reports exactly one change, that of Assign.
    void lineFormsFillWithoutWriting_data()
    {
        QTest::addColumn<bool>("withVisible");
        QTest::newRow("simple line form") << false;
        QTest::newRow("line form") << true;
    }
    void lineFormsFillWithoutWriting()
    {
        QFETCH(bool, withVisible);
        TKvLineSettings first, second;
        SetLine(&first, 2, DashStyleDot, 0xFF00FF00, false, 0xFFFFFFFF);
        first.SetVisible(true);
        SetLine(&second, 150, DashStyleDashDot, 0xFF0000FF, true, 0xFF202020);
        second.SetVisible(false);
        std::unique_ptr<TKvLineSettingsFormBase> form;
        std::function<void(TKvLineSettings *)> set;
        std::function<TKvSimpleLineSettings *()> copy;
        if (withVisible) {
            auto *f = new TLineSettingsForm;
            set = [f](TKvLineSettings *s) { f->SetSettings(s); };
            copy = [f] { return f->LineSettings(); };
            form.reset(f);
        } else {
            auto *f = new TSimpleLinesettingsForm;
            set = [f](TKvLineSettings *s) { f->SetSettings(s); };
            copy = [f] { return f->LineSettings(); };
            form.reset(f);
        }
        set(&first);
        int reports = 0;
        copy()->SetOnChange([&] { ++reports; });
        set(&second); // every control changes; the width of 150 is beyond the up-down's range
        QCOMPARE(reports, 1);
        TKvSimpleLineSettings *c = copy();
        std::unique_ptr<TKvSimpleLineSettings> expected(withVisible ? new TKvLineSettings : new TKvSimpleLineSettings);
        expected->Assign(&second);
        QCOMPARE(Describe(c), Describe(expected.get()));
        QCOMPARE(Child<TKvDashStylesList>(form.get(), "DashStylesList")->DashStyle(), DashStyleDashDot);
        QCOMPARE(Child<TKvDashStylesList>(form.get(), "DashStylesList")->ListBox()->count(), 5); // no custom style
        QVERIFY(Child<QCheckBox>(form.get(), "LineGradientCheck")->isChecked());
        QCOMPARE(Child<TKvColorPickCombo>(form.get(), "LineColorPick")->ActiveColor(), TKvColor(0xFF0000FF));
        if (withVisible)
            QVERIFY(!Child<QCheckBox>(form.get(), "LineVisibleCheck")->isChecked());
        // the list draws with the copy, the frame edits the copy's gradient in place
        QCOMPARE(Child<TKvDashStylesList>(form.get(), "DashStylesList")->UseLineSettings(), c);
        QCOMPARE(Child<TKvGradientFrame>(form.get(), "GradientFrame")->Gradient(), c->Gradient());
    }

    // Picking a colour means a plain line: "Gradient" is unticked, the copy's gradient hidden,
    // and the samples' background follows the new line colour.
    void colorPickUnticksGradient()
    {
        TKvLineSettings source;
        SetLine(&source, 1, DashStyleSolid, 0xFFFFFFFF, true, 0xFF000000);
        TLineSettingsForm form;
        form.SetSettings(&source);
        auto *list = Child<TKvDashStylesList>(&form, "DashStylesList");
        QCOMPARE(list->Color(), ExpectedBackground(0xFF000000)); // from the gradient's first colour
        const TKvColor picked = PickNextColor(Child<TKvColorPickCombo>(&form, "LineColorPick"));
        QVERIFY(picked != TKvColor(0xFFFFFFFF));
        QCOMPARE(form.LineSettings()->Color(), picked);
        QVERIFY(!form.LineSettings()->Gradient()->Visible());
        QVERIFY(!Child<QCheckBox>(&form, "LineGradientCheck")->isChecked());
        QCOMPARE(list->Color(), ExpectedBackground(picked));
        QVERIFY(source.Gradient()->Visible()); // only the copy changed
    }

    // Ticking "Gradient" makes the background contrast with the gradient's first colour; a
    // change made in the gradient frame reaches the copy and the samples at once.
    void gradientTickAndFrameChange()
    {
        TKvSimpleLineSettings source;
        SetLine(&source, 1, DashStyleSolid, 0xFF000000, false, 0xFFFFFFFF);
        TSimpleLinesettingsForm form;
        form.SetSettings(&source);
        form.show();
        auto *list = Child<TKvDashStylesList>(&form, "DashStylesList");
        auto *check = Child<QCheckBox>(&form, "LineGradientCheck");
        QCOMPARE(list->Color(), ExpectedBackground(0xFF000000));
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
        QVERIFY(form.LineSettings()->Gradient()->Visible());
        QVERIFY(ExpectedBackground(0xFFFFFFFF) != ExpectedBackground(0xFF000000));
        QCOMPARE(list->Color(), ExpectedBackground(0xFFFFFFFF));

        auto *frame = Child<TKvGradientFrame>(&form, "GradientFrame");
        // the frame's first exposed control picks the first colour
        auto *firstColor = qobject_cast<TKvColorPickCombo *>(frame->ExposedControls().value(0));
        QVERIFY(firstColor);
        PickNextColor(firstColor);
        const TKvColor first = form.LineSettings()->Gradient()->FirstColor();
        QVERIFY(first != TKvColor(0xFFFFFFFF));
        QCOMPARE(firstColor->ActiveColor(), first);
        QCOMPARE(list->Color(), ExpectedBackground(first));
        QCOMPARE(source.Gradient()->FirstColor(), TKvColor(0xFFFFFFFF));
    }

    // Point symbol dialog: filling writes nothing; each control changes only its own field.
    void symbolFormFillsAndEditsOneFieldEach()
    {
        TKvPointSymbolSettings first, second;
        second.SetVisible(false);
        second.SetBorderColor(0xFF0000FF);
        second.SetFillColor(0x8000FF00);
        second.SetBorderLineWidth(3);
        second.SetSize(12);
        second.SetPointSymbol(TKvPointSymbol::Star);
        TPointSymbolSettingsForm form;
        form.SetSettings(&first);
        int reports = 0;
        form.PointSymbolSettings()->SetOnChange([&] { ++reports; });
        form.SetSettings(&second);
        QCOMPARE(reports, 1);
        QCOMPARE(Describe(form.PointSymbolSettings()), Describe(&second));
        auto *list = Child<TKvPointSymbolsList>(&form, "SymbolsList");
        QCOMPARE(list->Symbol(), TKvPointSymbol::Star);
        QCOMPARE(list->SymbolFillColor(), TKvColor(0x8000FF00));
        QCOMPARE(list->SymbolBorderColor(), TKvColor(0xFF0000FF));
        QCOMPARE(list->SymbolBorderLineWidth(), 3.0f);

        form.show();
        // a picked shape changes the shape only
        list->ListBox()->setCurrentRow(int(TKvPointSymbol::Square));
        second.SetPointSymbol(TKvPointSymbol::Square);
        QCOMPARE(Describe(form.PointSymbolSettings()), Describe(&second));
        // "Visible" changes visibility only; the list keeps its shapes
        auto *visible = Child<QCheckBox>(&form, "VisibleCheck");
        QTest::mouseClick(visible, Qt::LeftButton, {}, QPoint(6, visible->height() / 2));
        second.SetVisible(true);
        QCOMPARE(Describe(form.PointSymbolSettings()), Describe(&second));
        QCOMPARE(list->ListBox()->count(), 9);
        // a border colour pick
        const TKvColor border = PickNextColor(Child<TKvColorPickCombo>(&form, "BorderPick"));
        second.SetBorderColor(border);
        QCOMPARE(Describe(form.PointSymbolSettings()), Describe(&second));
        QCOMPARE(list->SymbolBorderColor(), border);
        // the border width's up button
        QTest::mouseClick(Child<TKvNumericUpDn>(&form, "WidthUpDn")->UpButton(), Qt::LeftButton);
        second.SetBorderLineWidth(4);
        QCOMPARE(Describe(form.PointSymbolSettings()), Describe(&second));
        QCOMPARE(list->SymbolBorderLineWidth(), 4.0f);
    }

    // Rows are the symbol size plus 4, rounded up, in three columns; the size comes from the
    // edited object or from the size up-down.
    void symbolRowsFollowSize_data()
    {
        QTest::addColumn<double>("opened");
        QTest::addColumn<double>("typed");
        QTest::addColumn<int>("rowHeight");
        QTest::newRow("opened with 8") << 8.0 << 0.0 << 12;
        QTest::newRow("opened with 8.5: rounded up") << 8.5 << 0.0 << 13;
        QTest::newRow("8 changed to 20") << 8.0 << 20.0 << 24;
    }
    void symbolRowsFollowSize()
    {
        QFETCH(double, opened);
        QFETCH(double, typed);
        QFETCH(int, rowHeight);
        TKvPointSymbolSettings source;
        source.SetSize(float(opened));
        TPointSymbolSettingsForm form;
        form.SetSettings(&source);
        form.show();
        if (typed > 0) {
            Child<TKvNumericUpDn>(&form, "SizeUpDn")->SetValue(typed);
            QCOMPARE(form.PointSymbolSettings()->Size(), float(typed));
        }
        auto *list = Child<TKvPointSymbolsList>(&form, "SymbolsList");
        QCOMPARE(list->ItemHeight(), rowHeight);
        QListWidget *box = list->ListBox();
        QCOMPARE(box->visualItemRect(box->item(0)).height(), rowHeight);
        // three to a row
        QCOMPARE(box->visualItemRect(box->item(2)).top(), box->visualItemRect(box->item(0)).top());
        QVERIFY(box->visualItemRect(box->item(1)).left() > box->visualItemRect(box->item(0)).left());
        QCOMPARE(box->visualItemRect(box->item(3)).top(), box->visualItemRect(box->item(0)).top() + rowHeight);
        QCOMPARE(source.Size(), float(opened));
    }

    // One modal pass of each editor: OK assigns the copy back to the first selected component's
    // object and reports once; Cancel and closing the window write and report nothing; the form
    // is freed on every path.
    void editorsModalPass_data()
    {
        QTest::addColumn<int>("ending");
        QTest::newRow("OK") << 0;
        QTest::newRow("Cancel") << 1;
        QTest::newRow("window closed") << 2;
    }
    void editorsModalPass()
    {
        QFETCH(int, ending);
        auto end = [ending](QWidget *w) {
            if (ending == 0)
                QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
            else if (ending == 1)
                QTest::mouseClick(Child<QPushButton>(w, "CancelBtn"), Qt::LeftButton);
            else
                ModalDriver::CloseWindow(w);
        };
        TCountingDesigner d;
        TKvLineSeries series, other;
        SetLine(series.Line(), 2, DashStyleSolid, 0xFF000000, true, 0xFFFFFFFF);
        const QString seriesBefore = Describe(series.Line()), otherBefore = Describe(other.Line());

        // line settings: many changes in the dialog
        QPointer<QWidget> opened;
        auto ed = EditorFor<TKvLineSettingsEditor>(&d, {&series, &other}, "Line");
        QVERIFY(ed->GetAttributes() == (TPropertyAttributes{paSubProperties, paDialog, paMultiSelect, paReadOnly}));
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            opened = w;
            QTest::mouseClick(Child<TKvNumericUpDn>(w, "WidthUpDn")->UpButton(), Qt::LeftButton);
            Child<TKvDashStylesList>(w, "DashStylesList")->ListBox()->setCurrentRow(int(DashStyleDot));
            PickNextColor(Child<TKvColorPickCombo>(w, "LineColorPick")); // also hides the gradient
            auto *visible = Child<QCheckBox>(w, "LineVisibleCheck");
            QTest::mouseClick(visible, Qt::LeftButton, {}, QPoint(6, visible->height() / 2));
            if (ending == 0)
                Shot(w, "linesettings_changed");
            end(w);
        });
        ed->Edit();
        QVERIFY(*ran);
        QVERIFY(opened.isNull());
        QCOMPARE(Describe(other.Line()), otherBefore);
        if (ending == 0) {
            QCOMPARE(d.ModifiedCount, 1);
            QCOMPARE(series.Line()->Width(), 3.0f);
            QCOMPARE(series.Line()->DashStyle(), DashStyleDot);
            QVERIFY(series.Line()->Color() != TKvColor(0xFF000000));
            QVERIFY(!series.Line()->Gradient()->Visible());
            QVERIFY(!series.Line()->Visible());
        } else {
            QCOMPARE(d.ModifiedCount, 0);
            QCOMPARE(Describe(series.Line()), seriesBefore);
        }

        // simple line settings (a legend's frame)
        d.ModifiedCount = 0;
        TKvLegend legend;
        legend.Frame()->SetWidth(1);
        auto simple = EditorFor<TKvSimpleLineSettingsEditor>(&d, {&legend}, "Frame");
        ran = ModalDriver::WhenModal([&](QWidget *w) {
            opened = w;
            QVERIFY(qobject_cast<TSimpleLinesettingsForm *>(w));
            QTest::mouseClick(Child<TKvNumericUpDn>(w, "WidthUpDn")->UpButton(), Qt::LeftButton);
            end(w);
        });
        simple->Edit();
        QVERIFY(*ran);
        QVERIFY(opened.isNull());
        QCOMPARE(d.ModifiedCount, ending == 0 ? 1 : 0);
        QCOMPARE(legend.Frame()->Width(), ending == 0 ? 2.0f : 1.0f);

        // point symbol settings
        d.ModifiedCount = 0;
        const QString symbolBefore = Describe(series.PointSymbol());
        auto symbols = EditorFor<TKvPointSymbolSettingsEditor>(&d, {&series}, "PointSymbol");
        ran = ModalDriver::WhenModal([&](QWidget *w) {
            opened = w;
            Child<TKvPointSymbolsList>(w, "SymbolsList")->ListBox()->setCurrentRow(int(TKvPointSymbol::Diamond));
            Child<TKvNumericUpDn>(w, "SizeUpDn")->SetValue(15);
            PickNextColor(Child<TKvColorPickCombo>(w, "FillPick"));
            end(w);
        });
        symbols->Edit();
        QVERIFY(*ran);
        QVERIFY(opened.isNull());
        if (ending == 0) {
            QCOMPARE(d.ModifiedCount, 1);
            QCOMPARE(series.PointSymbol()->PointSymbol(), TKvPointSymbol::Diamond);
            QCOMPARE(series.PointSymbol()->Size(), 15.0f);
        } else {
            QCOMPARE(d.ModifiedCount, 0);
            QCOMPARE(Describe(series.PointSymbol()), symbolBefore);
        }
    }

    // An exception while the result is copied back (the component refuses the change) passes
    // out of Edit after the form was freed, and nothing is reported.
    void editorFreesFormWhenExceptionPasses()
    {
        TCountingDesigner d;
        TRefusingHolder holder;
        auto ed = EditorFor<TKvPointSymbolSettingsEditor>(&d, {&holder}, "PointSymbol");
        QPointer<QWidget> opened;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            opened = w;
            Child<TKvNumericUpDn>(w, "SizeUpDn")->SetValue(30);
            holder.Refuse = true;
            ModalDriver::Accept(w);
        });
        QVERIFY_THROWS_EXCEPTION(EPropertyError, ed->Edit());
        QVERIFY(*ran);
        QVERIFY(opened.isNull());
        QCOMPARE(d.ModifiedCount, 0);
    }

    // A custom dash style (ordinal 5, from a form file) opens either line dialog and is kept,
    // whatever else changes, unless the user picks a style.
    void customDashStyleIsKept_data()
    {
        QTest::addColumn<bool>("simple");
        QTest::addColumn<bool>("pick");
        QTest::newRow("line, width changed") << false << false;
        QTest::newRow("line, Dot picked") << false << true;
        QTest::newRow("simple line, width changed") << true << false;
        QTest::newRow("simple line, Dot picked") << true << true;
    }
    void customDashStyleIsKept()
    {
        QFETCH(bool, simple);
        QFETCH(bool, pick);
        TCountingDesigner d;
        TKvLineSeries series;
        TKvLegend legend;
        TKvSimpleLineSettings *edited = simple ? legend.Frame() : series.Line();
        edited->SetDashStyle(DashStyleCustom);
        edited->SetWidth(1);
        std::unique_ptr<TPropertyEditor> ed;
        if (simple)
            ed = EditorFor<TKvSimpleLineSettingsEditor>(&d, {&legend}, "Frame");
        else
            ed = EditorFor<TKvLineSettingsEditor>(&d, {&series}, "Line");
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            auto *list = Child<TKvDashStylesList>(w, "DashStylesList");
            QCOMPARE(list->DashStyle(), DashStyleCustom);
            QVERIFY(Control<QListWidget>(list, "ListBox")->selectedItems().isEmpty());
            QTest::mouseClick(Child<TKvNumericUpDn>(w, "WidthUpDn")->UpButton(), Qt::LeftButton);
            if (pick) {
                auto *box = Control<QListWidget>(list, "ListBox");
                QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(box->item(int(DashStyleDot))).center());
            }
            QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
        });
        ed->Edit(); // raised "Style 5 out of range" before
        QVERIFY(*ran);
        QCOMPARE(d.ModifiedCount, 1);
        QCOMPARE(edited->Width(), 2.0f);
        QCOMPARE(edited->DashStyle(), pick ? DashStyleDot : DashStyleCustom);
    }

    // An empty object, or one of another class, opens no dialog.
    void editorIgnoresForeignObject()
    {
        TCountingDesigner d;
        TKvLegend legend; // its Frame is a simple line, not a line settings object
        auto ed = EditorFor<TKvLineSettingsEditor>(&d, {&legend}, "Frame");
        auto ran = ModalDriver::WhenModal(ModalDriver::Accept, 200);
        ed->Edit();
        QTest::qWait(250);
        QVERIFY(!*ran);
        QCOMPARE(d.ModifiedCount, 0);
    }

    // The three dialogs as the user first sees them, filled from real settings.
    void screenshots()
    {
        TKvLineSettings line;
        SetLine(&line, 2, DashStyleDash, 0xFF1E90FF, false, 0xFFFFFFFF);
        TLineSettingsForm lineForm;
        lineForm.SetSettings(&line);
        lineForm.show();
        Shot(&lineForm, "linesettings");
        TKvSimpleLineSettings simple;
        SetLine(&simple, 3, DashStyleDot, 0xFF228B22, true, 0xFFFFD700);
        TSimpleLinesettingsForm simpleForm;
        simpleForm.SetSettings(&simple);
        simpleForm.show();
        Shot(&simpleForm, "simplelinesettings");
        TKvPointSymbolSettings symbol;
        symbol.SetSize(9);
        symbol.SetPointSymbol(TKvPointSymbol::Diamond);
        symbol.SetFillColor(0xFFFFA500);
        symbol.SetBorderColor(0xFF8B0000);
        TPointSymbolSettingsForm symbolForm;
        symbolForm.SetSettings(&symbol);
        symbolForm.show();
        Shot(&symbolForm, "pointsymbolsettings");
    }
};

QTEST_MAIN(TstLineSymbolDialogs)
#include "tst_linesymboldialogs.moc"
