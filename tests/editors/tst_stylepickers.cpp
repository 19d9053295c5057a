// The owner-drawn style pickers (colour, dash style, area style, point symbol), chosen through
// the package's registration and checked on the pixels they paint through a canvas.
#include <QPointer>
#include <QtTest>

#include "../common/ModalDriver.h"
#include "DesignRegistry.h"
#include "Kvareastyleslist.h"
#include "Kvdashstyleslist.h"
#include "Kvdesign.h"
#include "Kvpointsymbolslist.h"
#include "Kvstylepickers.h"
#include "Kvstyles.h"
#include "Kvtunecolorsfm.h"

// An object of none of the classes whose colours the samples borrow.
class TOtherStyles : public QObject {
    Q_OBJECT
    Q_PROPERTY(Gdipapi_kv::TDashStyle Dash MEMBER FDash)
    Q_PROPERTY(Kvgdi::TKvAreaStyle Fill MEMBER FFill)
    Q_PROPERTY(Kvdrawing::TKvPointSymbol Mark MEMBER FMark)
    Q_PROPERTY(TKvColor Fixed READ Fixed)
public:
    TDashStyle FDash = DashStyleSolid;
    TKvAreaStyle FFill = TKvAreaStyle::Total;
    TKvPointSymbol FMark = TKvPointSymbol::Square;
    TKvColor Fixed() const { return 0xFF102030; }
};

class TTestDesigner : public IDesigner {
public:
    TNonVisualComponent Root;
    int ModifiedCount = 0;
    void Modified() override { ++ModifiedCount; }
    TComponent *CreateComponent(TComponentClass, TComponent *, int, int, int, int) override { return nullptr; }
    TComponent *GetRoot() override { return &Root; }
    void GetComponentNames(TComponentClass, const TGetStrProc &) override {}
    TComponent *GetComponent(const QString &) override { return nullptr; }
    QString GetComponentName(TComponent *c) override { return c ? c->Name() : QString(); }
    QList<TComponent *> GetSelections() override { return {}; }
    void SelectComponent(TComponent *) override {}
};

namespace {
// The item's background as the canvas's brush has it, and what the image held before.
constexpr TColor ItemBackground = 0x00C0FFC0;
const QRgb ItemBackgroundRgb = qRgb(0xC0, 0xFF, 0xC0), Untouched = qRgb(0xFF, 0x00, 0xFF);
const QRgb Black = qRgb(0, 0, 0), White = qRgb(0xFF, 0xFF, 0xFF), Red = qRgb(0xFF, 0, 0);

// A picture painted through a canvas over a QPainter, as the Object Inspector paints.
struct TPicture {
    QImage Image{240, 60, QImage::Format_ARGB32};
    TPicture() { Image.fill(Untouched); }
    template <class Draw> void Paint(Draw draw)
    {
        QPainter painter(&Image);
        TCanvas canvas(&painter);
        canvas.Brush.Color = ItemBackground;
        canvas.Pen.Color = clRed;
        canvas.Pen.Style = TPenStyle::psDot;
        draw(canvas);
        // The canvas's pen and brush are given back.
        QCOMPARE(canvas.Brush.Color, ItemBackground);
        QCOMPARE(canvas.Pen.Color, clRed);
        QCOMPARE(canvas.Pen.Style, TPenStyle::psDot);
    }
    QRgb At(int x, int y) const { return Image.pixel(x, y) | 0xFF000000; }
    // The rows of column x, between y0 and y1, whose pixel is not white.
    QList<int> InkRows(int x, int y0, int y1) const
    {
        QList<int> rows;
        for (int y = y0; y <= y1; ++y)
            if (At(x, y) != White)
                rows << y;
        return rows;
    }
};

bool IsReddish(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }
} // namespace

class TstStylePickers : public QObject {
    Q_OBJECT
private:
    TTestDesigner *FDesigner = nullptr;

    std::unique_ptr<TPropertyEditor> editorOf(const QList<QObject *> &Selection, const char *Prop)
    {
        for (auto &e : GetComponentProperties(Selection, FDesigner))
            if (e->GetName() == QLatin1String(Prop))
                return std::move(e);
        return nullptr;
    }
    template <class E> std::unique_ptr<E> pickerOf(QObject *Object, const char *Prop)
    {
        auto e = editorOf({Object}, Prop);
        if (!dynamic_cast<E *>(e.get()))
            return nullptr;
        return std::unique_ptr<E>(static_cast<E *>(e.release()));
    }
    static QStringList valuesOf(TPropertyEditor *E)
    {
        QStringList out;
        E->GetValues([&](const QString &s) { out << s; });
        return out;
    }
    // Where the framed sample box of an item at Left ends, read from the picture: the column
    // after the frame's right edge.
    static int sampleEnd(const TPicture &P, int Left, int Top)
    {
        int x = Left + 2;
        while (x < P.Image.width() && P.At(x, Top + 1) == Black)
            ++x;
        return x + 1;
    }

private slots:
    void initTestCase()
    {
        TDesignRegistry::Instance().Clear();
        Kvdesign::Register();
    }
    void init() { FDesigner = new TTestDesigner; }
    void cleanup()
    {
        delete FDesigner;
        FDesigner = nullptr;
    }

    void registrationAndAttributes()
    {
        TKvLineSettings line;
        TKvAreaSettings area;
        TKvPointSymbolSettings symbol;
        TOtherStyles other;
        const auto colour = pickerOf<TKvColorEditor>(&line, "Color");
        const auto dash = pickerOf<TKvDashStyleEditor>(&line, "DashStyle");
        const auto fill = pickerOf<TKvAreaStyleEditor>(&area, "AreaStyle");
        const auto mark = pickerOf<TKvPointSymbolEditor>(&symbol, "PointSymbol");
        QVERIFY(colour && dash && fill && mark);
        // Rows for the types themselves: any class gets them.
        QVERIFY(pickerOf<TKvDashStyleEditor>(&other, "Dash"));
        QVERIFY(pickerOf<TKvAreaStyleEditor>(&other, "Fill"));
        QVERIFY(pickerOf<TKvPointSymbolEditor>(&other, "Mark"));

        QCOMPARE(colour->GetAttributes(), (TPropertyAttributes{paValueList, paDialog, paMultiSelect, paRevertable}));
        const TPropertyAttributes listed{paValueList, paMultiSelect, paRevertable};
        QCOMPARE(dash->GetAttributes(), listed);
        QCOMPARE(fill->GetAttributes(), listed); // unsorted: the enumeration's order
        QCOMPARE(mark->GetAttributes(), listed);
        QCOMPARE(valuesOf(fill.get()).first(), QString("Total"));
        QCOMPARE(valuesOf(mark.get()).last(), QString("Dot"));
    }

    void colourTexts()
    {
        TKvLineSettings line;
        auto e = pickerOf<TKvColorEditor>(&line, "Color");
        const QStringList values = valuesOf(e.get());
        QCOMPARE(values.size(), 167);
        QCOMPARE(values, ColorNames().mid(0, 167));

        e->SetValue("cornflowerblue");
        QCOMPARE(line.Color(), TKvColor(0xFF6495ED));
        QCOMPARE(e->GetValue(), QString("CornflowerBlue"));
        e->SetValue("$80123456");
        QCOMPARE(line.Color(), TKvColor(0x80123456));
        QCOMPARE(e->GetValue(), QString("$80123456"));
        // A form file's signed integer reads as the same colour.
        e->SetValue("-65536");
        QCOMPARE(e->GetValue(), QString("Red"));
        QCOMPARE(FDesigner->ModifiedCount, 3);
        QVERIFY_THROWS_EXCEPTION(EConvertError, e->SetValue("no colour"));
        QCOMPARE(line.Color(), TKvColor(0xFFFF0000));
    }

    // The value cell is drawn from the value text: every text the editor shows must read back.
    void colourTextsReadBack()
    {
        for (const QString &name : ColorNames()) {
            const TKvColor c = ColorToARGB(name);
            QCOMPARE(ColorToARGB(ARGBToString(c, true)), c);
            QCOMPARE(ColorToARGB(name.toUpper()), c);
        }
        for (quint32 v : {0x00000000u, 0x00FFFFFEu, 0x7F00FF00u, 0xFF000001u, 0xFFFFFFFFu, 0x80FFFFFFu})
            QCOMPARE(ColorToARGB(ARGBToString(v, true)).Value, v);
    }

    void colourSwatch_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("opaque");
        // The check pattern must show through a colour without alpha.
        QTest::newRow("transparent") << "Transparent" << false;
        QTest::newRow("transparent black") << "$00000000" << false;
        // An opaque colour must fill exactly the inside of the frame, no gap, no overdraw.
        QTest::newRow("red") << "Red" << true;
        QTest::newRow("white") << "White" << true;
    }
    void colourSwatch()
    {
        QFETCH(QString, value);
        QFETCH(bool, opaque);
        TKvLineSettings line;
        auto e = pickerOf<TKvColorEditor>(&line, "Color");
        TPicture p;
        const TRect r(10, 5, 200, 25); // h 20: the swatch box is 10..29, half 10
        p.Paint([&](TCanvas &c) { e->ListDrawValue(value, &c, r, false); });
        const QRgb fill = ColorToARGB(value).ToQColor().rgb();
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(p.At(10 + i, 5), ItemBackgroundRgb); // the cleared ring
            QCOMPARE(p.At(10, 5 + i), ItemBackgroundRgb);
            QCOMPARE(p.At(29, 5 + i), ItemBackgroundRgb);
        }
        for (int i = 1; i < 19; ++i) { // the one-pixel black frame
            QCOMPARE(p.At(11, 5 + i), Black);
            QCOMPARE(p.At(28, 5 + i), Black);
            QCOMPARE(p.At(10 + i, 6), Black);
            QCOMPARE(p.At(10 + i, 23), Black);
        }
        for (int y = 7; y <= 22; ++y)
            for (int x = 12; x <= 27; ++x) {
                const bool blackSquare = (x <= 19 && y <= 14) || (x >= 20 && y >= 15);
                const QRgb want = opaque ? fill : blackSquare ? Black : White;
                if (p.At(x, y) != want)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(p.At(x, y), 8, 16)));
            }
    }

    void colourSwatchBlendsAlpha()
    {
        TKvLineSettings line;
        auto e = pickerOf<TKvColorEditor>(&line, "Color");
        TPicture p;
        p.Paint([&](TCanvas &c) { e->ListDrawValue("$80FF0000", &c, TRect(0, 0, 100, 20), false); });
        const QRgb onBlack = p.At(4, 4), onWhite = p.At(14, 4);
        QVERIFY2(qAbs(qRed(onBlack) - 128) <= 2 && qGreen(onBlack) == 0, qPrintable(QString::number(onBlack, 16)));
        QVERIFY2(qRed(onWhite) == 255 && qAbs(qGreen(onWhite) - 127) <= 2, qPrintable(QString::number(onWhite, 16)));
    }

    void colourEditOk()
    {
        TKvLineSettings line;
        line.SetColor(0xFF00FF00);
        auto e = pickerOf<TKvColorEditor>(&line, "Color");
        QPointer<QWidget> form;
        TKvColor shown;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            form = w;
            auto *f = qobject_cast<TKvTuneColorsForm *>(w);
            QVERIFY(f);
            shown = f->ActiveColor();
            f->SetActiveColor(0x80123456);
            ModalDriver::Accept(w);
        });
        e->Edit();
        QVERIFY(*ran);
        QCOMPARE(shown, TKvColor(0xFF00FF00));
        QCOMPARE(line.Color(), TKvColor(0x80123456));
        QCOMPARE(FDesigner->ModifiedCount, 1);
        QVERIFY(form.isNull());
    }

    void colourEditCancel_data()
    {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("Cancel") << false;
        QTest::newRow("window closed") << true;
    }
    void colourEditCancel()
    {
        QFETCH(bool, closeWindow);
        TKvLineSettings line;
        line.SetColor(0xFF00FF00);
        auto e = pickerOf<TKvColorEditor>(&line, "Color");
        QPointer<QWidget> form;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            form = w;
            qobject_cast<TKvTuneColorsForm *>(w)->SetActiveColor(0xFF0000FF);
            closeWindow ? ModalDriver::CloseWindow(w) : ModalDriver::Reject(w);
        });
        e->Edit();
        QVERIFY(*ran);
        QCOMPARE(line.Color(), TKvColor(0xFF00FF00));
        QCOMPARE(FDesigner->ModifiedCount, 0);
        QVERIFY(form.isNull());
    }

    // Storing into a read-only property fails after OK: the error reaches the caller and the
    // form is gone all the same.
    void colourEditFreesFormOnError()
    {
        TOtherStyles other;
        TKvColorEditor e(FDesigner, 1);
        e.SetPropEntry(0, &other, GetPropInfo(&other, "Fixed"));
        QPointer<QWidget> form;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            form = w;
            ModalDriver::Accept(w);
        });
        QVERIFY_THROWS_EXCEPTION(EPropertyError, e.Edit());
        QVERIFY(*ran);
        QVERIFY(form.isNull());
        QCOMPARE(FDesigner->ModifiedCount, 0);
    }

    void dashStyleTexts()
    {
        TKvLineSettings line;
        auto e = pickerOf<TKvDashStyleEditor>(&line, "DashStyle");
        QCOMPARE(valuesOf(e.get()), (QStringList{"Solid", "Dash", "Dot", "DashDot", "DashDotDot"}));
        const QStringList names = valuesOf(e.get());
        for (int i = 0; i < names.size(); ++i) {
            e->SetValue(names.at(i).toLower());
            QCOMPARE(int(line.DashStyle()), i);
            QCOMPARE(e->GetValue(), names.at(i));
        }
        // Ordinals past the five show no text; unknown texts store Solid, whatever was set.
        line.SetDashStyle(DashStyleCustom);
        QCOMPARE(e->GetValue(), QString());
        for (const char *text : {"Dashed", "", "dash dot", "CUSTOM"}) {
            line.SetDashStyle(DashStyleDot);
            e->SetValue(QString::fromLatin1(text));
            QCOMPARE(line.DashStyle(), DashStyleSolid);
        }
        QCOMPARE(e->StringToOrd("dAsHdOtDoT"), 4);
    }

    // A wide line makes the items taller and the samples wider.
    void dashStyleSizesFollowLineWidth()
    {
        TKvDashStylesCombo combo;
        combo.SetLineWidth(4);
        combo.SetLineColor(0xFFFF0000);
        auto e = pickerOf<TKvDashStyleEditor>(&combo, "DashStyle");
        QVERIFY(e);
        TPicture p;
        p.Paint([&](TCanvas &c) {
            int h = 8;
            e->ListMeasureHeight("Dash", &c, h);
            QCOMPARE(h, 10);
            h = 16;
            e->ListMeasureHeight("Dash", &c, h);
            QCOMPARE(h, 16);
            int w = 50;
            e->ListMeasureWidth("Dash", &c, w);
            QCOMPARE(w, 50 + qRound(c.TextHeight("X") * 5.0));
            e->ListDrawValue("Solid", &c, TRect(0, 0, 200, 12), false);
        });
        QCOMPARE(sampleEnd(p, 0, 0), 48); // Round(4 x 12)
        // A solid line 4 pixels wide in the line colour, from 3 to E - 4.
        QCOMPARE(p.InkRows(20, 2, 9).size(), 4);
        QVERIFY(IsReddish(p.At(20, 6)));
        QVERIFY(IsReddish(p.At(4, 6)) && IsReddish(p.At(43, 6)));
        QCOMPARE(p.At(45, 6), White);
    }

    void dashStyleOfLineSettings()
    {
        TKvLineSettings line;
        line.SetWidth(3);
        line.SetColor(0xFFFF0000);
        auto e = pickerOf<TKvDashStyleEditor>(&line, "DashStyle");
        TPicture p;
        p.Paint([&](TCanvas &c) {
            int h = 5;
            e->ListMeasureHeight("Dot", &c, h);
            QCOMPARE(h, 9);
            e->ListDrawValue("Solid", &c, TRect(0, 0, 200, 20), false);
        });
        // The sample is sized for width 1, the line drawn with the settings' own pen.
        QCOMPARE(sampleEnd(p, 0, 0), 35); // Round(1.75 x 20)
        QCOMPARE(p.InkRows(15, 2, 17).size(), 3);
        QVERIFY(IsReddish(p.At(15, 10)));
    }

    // Simple line settings are not line settings: their dash style gets the plain black line.
    void dashStyleOfOtherObjects()
    {
        TKvSimpleLineSettings simple;
        simple.SetWidth(5);
        simple.SetColor(0xFFFF0000);
        TOtherStyles other;
        for (auto [object, prop] : {std::pair<QObject *, const char *>{&simple, "DashStyle"}, {&other, "Dash"}}) {
            auto e = pickerOf<TKvDashStyleEditor>(object, prop);
            TPicture p;
            p.Paint([&](TCanvas &c) {
                int h = 4;
                e->ListMeasureHeight("Solid", &c, h);
                QCOMPARE(h, 7);
                e->ListDrawValue("Solid", &c, TRect(0, 0, 200, 20), false);
            });
            QCOMPARE(sampleEnd(p, 0, 0), 35);
            const QList<int> rows = p.InkRows(15, 2, 17);
            QCOMPARE(rows.size(), 1);
            for (int x = 3; x <= 30; ++x)
                QCOMPARE(p.At(x, rows.first()), Black);
            QCOMPARE(p.At(2, rows.first()), White);
            QCOMPARE(p.At(32, rows.first()), White);
        }
    }

    void dashPatternsDiffer()
    {
        TOtherStyles other;
        auto e = pickerOf<TKvDashStyleEditor>(&other, "Dash");
        QList<QList<bool>> patterns;
        for (const char *style : {"Solid", "Dash", "Dot", "DashDot", "DashDotDot"}) {
            TPicture p;
            p.Paint([&](TCanvas &c) { e->ListDrawValue(QString::fromLatin1(style), &c, TRect(0, 0, 200, 40), false); });
            QList<bool> ink;
            for (int x = 3; x < 66; ++x)
                ink << (p.At(x, 20) == Black);
            patterns << ink;
        }
        QVERIFY(!patterns.at(0).contains(false));
        for (int i = 0; i < patterns.size(); ++i)
            for (int j = i + 1; j < patterns.size(); ++j)
                QVERIFY2(patterns.at(i) != patterns.at(j), qPrintable(QStringLiteral("%1 = %2").arg(i).arg(j)));
    }

    // The sample's dashes and gaps in GDI+'s proportions, scaled by the line width (Qt's own
    // patterns make Dash, DashDot and DashDotDot look alike at width 5).
    void dashSampleProportions_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QList<int>>("runs"); // dash, gap, ... in pixels, one cycle
        QTest::newRow("Dash 3:1") << "Dash" << QList<int>{15, 5};
        QTest::newRow("Dot 1:1") << "Dot" << QList<int>{5, 5};
        QTest::newRow("DashDot 3:1:1:1") << "DashDot" << QList<int>{15, 5, 5, 5};
        QTest::newRow("DashDotDot 3:1:1:1:1:1") << "DashDotDot" << QList<int>{15, 5, 5, 5, 5, 5};
    }
    void dashSampleProportions()
    {
        QFETCH(QString, style);
        QFETCH(QList<int>, runs);
        TKvDashStylesCombo combo;
        combo.SetLineWidth(5);
        combo.SetLineColor(0xFFFF0000);
        auto e = pickerOf<TKvDashStyleEditor>(&combo, "DashStyle");
        TPicture p;
        p.Paint([&](TCanvas &c) { e->ListDrawValue(style, &c, TRect(0, 0, 240, 20), false); });
        // The line runs from 3 to E - 4 = 91 along row 10; read two whole cycles from its start.
        QList<int> seen;
        bool inked = true;
        int length = 0;
        for (int x = 3; x < 91; ++x) {
            const bool ink = IsReddish(p.At(x, 10));
            if (ink != inked) {
                seen << length;
                length = 0;
                inked = ink;
            }
            ++length;
        }
        QCOMPARE(seen.mid(0, 2 * runs.size()), runs + runs);
    }

    void areaStyleSamples_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("fore");
        QTest::addColumn<bool>("back");
        QTest::newRow("Total") << "Total" << true << false;
        QTest::newRow("Cross") << "Cross" << true << true;
        QTest::newRow("Dense50") << "Dense50" << true << true;
        QTest::newRow("Empty") << "Empty" << false << false;
    }
    // The hatches carry both colours; the framed box stays white outside the fill.
    void areaStyleSamples()
    {
        QFETCH(QString, style);
        QFETCH(bool, fore);
        QFETCH(bool, back);
        TKvAreaSettings area;
        area.SetForeColor(0xFFFF0000);
        area.SetBackColor(0xFFFFFF00);
        auto e = pickerOf<TKvAreaStyleEditor>(&area, "AreaStyle");
        TPicture p;
        p.Paint([&](TCanvas &c) { e->ListDrawValue(style, &c, TRect(5, 10, 200, 30), false); });
        const int E = 5 + 40;
        QCOMPARE(sampleEnd(p, 5, 10), E);
        QCOMPARE(p.At(5, 20), ItemBackgroundRgb);
        QCOMPARE(p.At(E - 1, 20), ItemBackgroundRgb);
        QCOMPARE(p.At(6, 20), Black);
        QCOMPARE(p.At(E - 2, 20), Black);
        QCOMPARE(p.At(7, 20), White); // between frame and fill
        QCOMPARE(p.At(E - 3, 20), White);
        QSet<QRgb> inside;
        for (int y = 13; y <= 26; ++y)
            for (int x = 8; x <= E - 4; ++x)
                inside << p.At(x, y);
        QCOMPARE(inside.contains(Red), fore);
        QCOMPARE(inside.contains(qRgb(0xFF, 0xFF, 0)), back);
        QCOMPARE(inside.contains(White), !fore && !back);
        QCOMPARE(p.At(E, 20) != Untouched, true); // the text cell is painted from E on
    }

    void areaStyleColoursOfOtherObjects()
    {
        TKvAreaStylesList list;
        list.SetAreaForeColor(0xFF00FF00);
        TOtherStyles other;
        TPicture p;
        p.Paint([&](TCanvas &c) {
            pickerOf<TKvAreaStyleEditor>(&list, "AreaStyle")->ListDrawValue("Total", &c, TRect(0, 0, 200, 20), false);
            pickerOf<TKvAreaStyleEditor>(&other, "Fill")->ListDrawValue("Total", &c, TRect(0, 30, 200, 50), false);
        });
        QCOMPARE(p.At(20, 10), qRgb(0, 0xFF, 0));
        QCOMPARE(p.At(20, 40), qRgb(0, 0, 0xFF));
    }

    void pointSymbolSizes()
    {
        TKvPointSymbolSettings symbol;
        auto e = pickerOf<TKvPointSymbolEditor>(&symbol, "PointSymbol");
        TPicture p;
        p.Paint([&](TCanvas &c) {
            int h = 12, w = 0;
            e->ListMeasureHeight("Circle", &c, h);
            QCOMPARE(h, 20);
            h = 31;
            e->ListMeasureHeight("Circle", &c, h);
            QCOMPARE(h, 31);
            e->ListMeasureWidth("Circle", &c, w);
            QCOMPARE(w, qMax(20, 2 * c.TextHeight("M")));
            w = 100;
            e->ListMeasureWidth("Circle", &c, w);
            QCOMPARE(w, 100 + 2 * c.TextHeight("M"));
        });
    }

    void pointSymbolSamples()
    {
        TKvPointSymbolSettings symbol;
        symbol.SetBorderColor(0xFF000000);
        symbol.SetFillColor(0xFFFF0000);
        symbol.SetBorderLineWidth(1);
        TOtherStyles other;
        TPicture p;
        p.Paint([&](TCanvas &c) {
            pickerOf<TKvPointSymbolEditor>(&symbol, "PointSymbol")->ListDrawValue("Square", &c, TRect(0, 0, 200, 24), false);
            pickerOf<TKvPointSymbolEditor>(&other, "Mark")->ListDrawValue("Square", &c, TRect(0, 30, 200, 54), false);
        });
        QCOMPARE(sampleEnd(p, 0, 0), 24); // a square sample
        // Centred at (Left + h/2 - 1, Top + h/2 - 1), 18 wide: 2..20.
        QCOMPARE(p.At(11, 11), Red);
        QCOMPARE(p.At(4, 11), Red);
        QCOMPARE(p.At(21, 11), White);
        QVERIFY(p.At(11, 2) != White);
        QVERIFY(qGray(p.At(11, 2)) < 128); // the border, in black
        // Anything else: red border over gainsboro.
        QCOMPARE(p.At(11, 41), qRgb(0xDC, 0xDC, 0xDC));
        // Width 0 draws a hairline, smoothed across the two rows around the edge at 32.
        const QRgb edge = p.At(11, 32);
        QVERIFY2(qRed(edge) - qGreen(edge) > 40 && qRed(edge) - qBlue(edge) > 40, qPrintable(QString::number(edge, 16)));
    }

    // With one value the cell shows the sample; with differing values the IDE's plain text.
    void valueAndNameCells()
    {
        TKvAreaSettings a, b;
        b.SetAreaStyle(TKvAreaStyle::Cross);
        auto one = editorOf({&a}, "AreaStyle");
        auto both = editorOf({&a, &b}, "AreaStyle");
        auto *drawOne = dynamic_cast<ICustomPropertyDrawing *>(one.get());
        auto *drawBoth = dynamic_cast<ICustomPropertyDrawing *>(both.get());
        QVERIFY(drawOne && drawBoth);
        TPicture p;
        p.Paint([&](TCanvas &c) {
            drawOne->PropDrawValue(&c, TRect(0, 0, 120, 18), false);
            drawBoth->PropDrawValue(&c, TRect(0, 20, 120, 38), false);
            drawOne->PropDrawName(&c, TRect(0, 40, 120, 58), false);
        });
        QCOMPARE(p.At(1, 9), Black);
        QCOMPARE(p.At(1, 29), ItemBackgroundRgb);
        QCOMPARE(p.At(8, 29), ItemBackgroundRgb);
        bool nameInk = false;
        for (int x = 0; x < 120 && !nameInk; ++x)
            for (int y = 40; y < 58 && !nameInk; ++y)
                nameInk = p.At(x, y) != ItemBackgroundRgb;
        QVERIFY(nameInk);
    }
};

QTEST_MAIN(TstStylePickers)
#include "tst_stylepickers.moc"
