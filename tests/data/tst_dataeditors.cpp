// The data editors: the double array editor and the vectors data sheet with their Object
// Inspector editors, the number and date texts they show, and the vectors they write, driven
// with real key and mouse input.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>
#include <QtTest>
#include <cmath>
#include <limits>

#include "../common/ModalDriver.h"
#include "../common/PropertyEditorDriver.h"
#include "Forms.h"
#include "Kvaxis.h"
#include "Kvdataeditors.h"
#include "Kvdatetime.h"
#include "Kvdesign.h"
#include "Kvdoublearrayeditor.h"
#include "Kvfitting.h"
#include "Kvgraph2d.h"
#include "Kvintegeredit.h"
#include "Kvparsefkt.h"
#include "Kvseries.h"
#include "Kvvectors.h"
#include "Kvvectorseditor.h"
#include "StdCtrls.h"
#include "SysUtils.h"
#include "Windows.h"

using PropertyEditorDriver::EditorFor;
using PropertyEditorDriver::TCountingDesigner;

namespace {
template <class W> W *Child(QWidget *Form, const char *Name)
{
    W *w = Form->findChild<W *>(QString::fromLatin1(Name));
    if (!w)
        qFatal("no control %s", Name);
    return w;
}

// The designed form that owns the components.
struct TForm {
    TNonVisualComponent Root;
    TForm() { Root.SetName(QStringLiteral("Form1")); }
    template <class T> T *Add(const QString &Name)
    {
        auto *c = new T(&Root);
        c->SetName(Name);
        return c;
    }
    TKvDoubleVector *Vector(const QString &Name, const QList<double> &Values)
    {
        auto *v = Add<TKvDoubleVector>(Name);
        v->SetValues(Values);
        return v;
    }
    // A series of Y against X (Y may be nil) on an X axis of Graph, the axis showing dates or not.
    TKvLineSeries *Plot(TKvGraph2D *Graph, TKvDoubleVector *X, TKvDoubleVector *Y, bool DateAxis)
    {
        auto *axis = Add<TKvAxis>(QStringLiteral("XAxis%1").arg(++FPlots));
        axis->SetGraph(Graph);
        if (DateAxis)
            axis->SetScaling(TKvAxisScaling::DateTime);
        auto *s = Add<TKvLineSeries>(QStringLiteral("Series%1").arg(FPlots));
        s->SetXAxis(axis);
        s->SetXData(X);
        s->SetYData(Y);
        return s;
    }
private:
    int FPlots = 0;
};

// A chart that counts its redraw requests.
class TCountingGraph : public TKvGraph2D {
public:
    using TKvGraph2D::TKvGraph2D;
    int Updates = 0;
    void UpdateGraph() override
    {
        ++Updates;
        TKvGraph2D::UpdateGraph();
    }
};

// Format settings of a test, put back afterwards.
struct TFormatScope {
    TFormatSettings Saved = FormatSettings();
    explicit TFormatScope(const char *Locale) { FormatSettings() = LocaleFormatSettings(QLocale(QString::fromLatin1(Locale))); }
    ~TFormatScope() { FormatSettings() = Saved; }
};

// Counts the beeps while it lives.
struct TBeeps {
    int Count = 0;
    TBeepHook Previous = SetMessageBeepHook([this](UINT) { ++Count; });
    ~TBeeps() { SetMessageBeepHook(Previous); }
};

// What the application's exception handler was given while it lives.
struct TErrors {
    QStringList Messages;
    Forms::TExceptionHandler Previous = Forms::SetApplicationExceptionHandler([this](const QString &M) { Messages << M; });
    ~TErrors() { Forms::SetApplicationExceptionHandler(Previous); }
};

// The memo's text as lines, read the way the editor must read it.
TDoubleDynArray ParseWhole(const QString &Text)
{
    QStringList lines = Text.split(QLatin1Char('\n'));
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    TDoubleDynArray out;
    for (const QString &l : lines) {
        double v = 0;
        out << (TryStrToFloat(l, v) ? v : 0.0);
    }
    return out;
}

// Typing into the grid's current cell: the first key opens the cell editor, the others go to it.
void TypeInCell(TVectorsDataGrid *Grid, const QString &Text)
{
    QTest::keyClicks(Grid, Text.left(1));
    QVERIFY(Grid->InplaceEditor());
    QTest::keyClicks(Grid->InplaceEditor(), Text.mid(1));
}

// Enter in the cell editor ends the edit (the delegate closes the editor from the event loop).
void EndCellEdit(TVectorsDataGrid *Grid)
{
    QVERIFY(Grid->InplaceEditor());
    QTest::keyClick(Grid->InplaceEditor(), Qt::Key_Return);
    QTRY_VERIFY(!Grid->InplaceEditor());
}

// The vectors editor opened on Source and shown (active), with its grid and the grid's cells.
struct TSheet {
    TVectorsEditorForm Form;
    TVectorsDataGrid *Grid;
    TVectorsGridModel *Cells;
    bool Shown;
    explicit TSheet(TComponent *Source)
    {
        Form.SetSourceComponent(Source);
        Grid = Child<TVectorsDataGrid>(&Form, "DataGrid");
        Cells = Grid->Grid();
        Form.show();
        Shown = QTest::qWaitForWindowActive(&Form);
    }
    // A click on the cell of grid column Col and row Row.
    void Click(int Col, int Row, Qt::KeyboardModifiers Modifiers = {})
    {
        QTest::mouseClick(Grid->viewport(), Qt::LeftButton, Modifiers, Grid->visualRect(Cells->index(Row - 1, Col - 1)).center());
    }
};

bool SameBits(double A, double B) { return std::memcmp(&A, &B, sizeof A) == 0; }

void SaveShot(QWidget *W, const char *Name)
{
    QDir().mkpath(QStringLiteral(KV_SHOTS_DIR));
    QVERIFY(W->grab().save(QStringLiteral(KV_SHOTS_DIR "/%1.png").arg(QLatin1String(Name))));
}
} // namespace

class TestDataEditors : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    // Texts of numbers and dates
    void floatToStr_data();
    void floatToStr();
    void strToFloat_data();
    void strToFloat();
    void dateTimeTextsHaveFourDigitYearsAndReadBack_data();
    void dateTimeTextsHaveFourDigitYearsAndReadBack();

    // The runtime underneath
    void vectorStoresAtAnyIndexAndNotifiesOnce();
    void vectorDataBlockRoundTripsAMillionValuesExactly();
    void vectorDataBlockRefusesBadBlocksAndKeepsValues();
    void parserReadsGetterVariables();

    // The double array editor
    void memoLinesParse_data();
    void memoLinesParse();
    void fillBoxShowsValuesAndLeavesThemExact();
    void keyFilterFollowsTheDecimalSeparator();
    void pastedTextBypassesTheFilterAndReadsAsZero();
    void incrementalParseEqualsWholeParse();
    void variablesEditorModalPasses();

    // The vectors editor
    void gridMapsVectorsToRowsAndColumns();
    void columnWidthsFitEveryText();
    void valueTextWidthsMatchMeasuredTexts_data();
    void valueTextWidthsMatchMeasuredTexts();
    void typingIntoTheLastRowAppends();
    void cellTextsThatDoNotReadKeepTheValue();
    void escapeTakesAnEditBack();
    void deleteClosesTheGapInGridAndVector_data();
    void deleteClosesTheGapInGridAndVector();
    void shiftDeleteClearsTheColumn();
    void formulaFillsRowsAndNumbersThem();
    void formulaThatDoesNotParseReachesTheErrorBox();
    void formulaFillCanBeCancelled();
    void dateTimeColumnsFollowTheAxes_data();
    void dateTimeColumnsFollowTheAxes();
    void keptOutVectorsGetNoColumn();
    void persistenceCoversAllListedVectors();
    void editsRedrawTheChart();
    void vectorsEditorModalPasses();
    void registeredInTheTable();
    void keyboardOrder();

    void screenshots();
};

void TestDataEditors::initTestCase()
{
    Kvdesign::Register();
}

// ---- Texts of numbers and dates ------------------------------------------------------------

void TestDataEditors::floatToStr_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("comma");
    QTest::addRow("zero") << 0.0 << "0" << "0";
    QTest::addRow("negative zero is 0") << -0.0 << "0" << "0";
    QTest::addRow("whole") << 42.0 << "42" << "42";
    QTest::addRow("fraction") << -1.5 << "-1.5" << "-1,5";
    // 15 significant digits: the binary noise of 0.1 + 0.2 does not show.
    QTest::addRow("rounded to 15 digits") << 0.1 + 0.2 << "0.3" << "0,3";
    QTest::addRow("a third") << 1.0 / 3 << "0.333333333333333" << "0,333333333333333";
    QTest::addRow("15 digits before the point") << 123456789012345.0 << "123456789012345" << "123456789012345";
    QTest::addRow("16 digits go exponential") << 1234567890123456.0 << "1.23456789012346E15" << "1,23456789012346E15";
    QTest::addRow("1E15") << 1e15 << "1E15" << "1E15";
    QTest::addRow("smallest fixed") << 0.00001 << "0.00001" << "0,00001";
    QTest::addRow("below it exponential") << 0.000001 << "1E-6" << "1E-6";
    QTest::addRow("tiny") << 1e-20 << "1E-20" << "1E-20";
    QTest::addRow("negative exponent with digits") << -2.5e-7 << "-2.5E-7" << "-2,5E-7";
    QTest::addRow("large") << 1.5e308 << "1.5E308" << "1,5E308";
    QTest::addRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "NAN" << "NAN";
    QTest::addRow("infinite") << -std::numeric_limits<double>::infinity() << "-INF" << "-INF";
}

void TestDataEditors::floatToStr()
{
    QFETCH(double, value);
    QFETCH(QString, point);
    QFETCH(QString, comma);
    TFormatScope scope("C");
    FormatSettings().DecimalSeparator = QLatin1Char('.');
    QCOMPARE(FloatToStr(value), point);
    FormatSettings().DecimalSeparator = QLatin1Char(',');
    QCOMPARE(FloatToStr(value), comma);
    // What is written reads back in the same locale; what is no number shows, but no reader
    // takes it back (form files cannot hold it).
    double back = 0;
    QCOMPARE(TryStrToFloat(comma, back), std::isfinite(value));
    if (std::isfinite(value))
        QCOMPARE(FloatToStr(back), comma);
}

void TestDataEditors::strToFloat_data()
{
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<double>("value");
    QTest::addRow("plain") << "." << "12.5" << true << 12.5;
    QTest::addRow("blanks around") << "." << "  7 " << true << 7.0;
    QTest::addRow("plus sign") << "." << "+3" << true << 3.0;
    QTest::addRow("no digits before the point") << "." << "-.5" << true << -0.5;
    QTest::addRow("no digits after the point") << "." << "5." << true << 5.0;
    QTest::addRow("exponent") << "." << "1e-20" << true << 1e-20;
    QTest::addRow("exponent with plus") << "." << "2.5E+3" << true << 2500.0;
    QTest::addRow("comma locale") << "," << "1,5" << true << 1.5;
    QTest::addRow("point in a comma locale") << "," << "1.5" << false << 0.0;
    QTest::addRow("comma in a point locale") << "." << "1,5" << false << 0.0;
    QTest::addRow("thousands separator") << "." << "1,000" << false << 0.0;
    QTest::addRow("inner blank") << "." << "1 000" << false << 0.0;
    QTest::addRow("empty") << "." << "" << false << 0.0;
    QTest::addRow("lone sign") << "." << "-" << false << 0.0;
    QTest::addRow("two signs") << "." << "+-1" << false << 0.0;
    QTest::addRow("misplaced exponent") << "." << "e5" << false << 0.0;
    QTest::addRow("exponent without digits") << "." << "1e" << false << 0.0;
    QTest::addRow("trailing text") << "." << "12abc" << false << 0.0;
    QTest::addRow("beyond the double range") << "." << "1e400" << false << 0.0;
    QTest::addRow("huge exponent") << "." << "1e99999999999999999999" << false << 0.0;
    QTest::addRow("below the smallest is 0") << "." << "1e-400" << true << 0.0;
    QTest::addRow("many digits") << "." << QString(400, QLatin1Char('1')) + "e-399" << true << 1.11111111111111111;
    QTest::addRow("infinity") << "." << "-inf" << false << 0.0;
    QTest::addRow("not a number") << "." << "NaN" << false << 0.0;
}

void TestDataEditors::strToFloat()
{
    QFETCH(QString, separator);
    QFETCH(QString, text);
    QFETCH(bool, reads);
    QFETCH(double, value);
    TFormatScope scope("C");
    FormatSettings().DecimalSeparator = separator.at(0);
    double v = -99;
    QCOMPARE(TryStrToFloat(text, v), reads);
    if (reads)
        QCOMPARE(v, value);
    else
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloat(text));
}

void TestDataEditors::dateTimeTextsHaveFourDigitYearsAndReadBack_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const double leapNoon = DateTimeToDouble(QDateTime(QDate(2024, 2, 29), QTime(12, 0), Qt::UTC));
    const double old = DateTimeToDouble(QDateTime(QDate(1750, 7, 4), QTime(6, 5, 4), Qt::UTC));
    QTest::addRow("en_US leap day") << "en_US" << leapNoon << "2/29/2024 12:00:00 PM";
    QTest::addRow("en_US 18th century") << "en_US" << old << "7/4/1750 6:05:04 AM";
    QTest::addRow("en_US day 0") << "en_US" << 0.0 << "12/30/1899";
    QTest::addRow("de_DE leap day") << "de_DE" << leapNoon << "29.02.2024 12:00:00";
    QTest::addRow("de_DE 18th century") << "de_DE" << old << "04.07.1750 06:05:04";
    QTest::addRow("C leap day") << "C" << leapNoon << "29 Feb 2024 12:00:00";
    QTest::addRow("C last day") << "C" << DateTimeToDouble(QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59), Qt::UTC))
                                << "31 Dec 9999 23:59:59";
}

void TestDataEditors::dateTimeTextsHaveFourDigitYearsAndReadBack()
{
    QFETCH(QString, locale);
    QFETCH(double, value);
    QFETCH(QString, text);
    TFormatScope scope(locale.toLatin1().constData());
    QCOMPARE(DateTimeToStr(value), text);
    QCOMPARE(StrToDateTime(text), value);
    // Values that are no dates show as numbers instead of failing.
    QCOMPARE(DateTimeToStr(1e300), FloatToStr(1e300));
    QCOMPARE(DateTimeToStr(std::nan("")), QStringLiteral("NAN"));
}

// ---- The runtime underneath ----------------------------------------------------------------

void TestDataEditors::vectorStoresAtAnyIndexAndNotifiesOnce()
{
    TKvDoubleVector v;
    QSignalSpy changed(&v, &TKvCustomDoubleVector::ValuesChanged);
    v.SetValue(0, 1);         // at the count: appends
    v.SetValue(3, 4);         // beyond it: zeros between
    QCOMPARE(v.Values(), TDoubleDynArray({1, 0, 0, 4}));
    QCOMPARE(changed.count(), 2);
    QVERIFY_THROWS_EXCEPTION(EConvertError, v.SetValue(-1, 5));
    QVERIFY_THROWS_EXCEPTION(EConvertError, v.SetValue(TKvDoubleVector::MaxCount, 5));
    QCOMPARE(v.Count(), 4);

    v.Delete(1, 2, true); // closes the gap
    QCOMPARE(v.Values(), TDoubleDynArray({1, 4}));
    v.Delete(1, 10, true); // as far as values exist
    QCOMPARE(v.Values(), TDoubleDynArray({1}));
    v.Delete(5, true);    // nothing there
    QCOMPARE(v.Count(), 1);

    changed.clear();
    v.BeginUpdate();
    for (int i = 0; i < 100; ++i)
        v.Add(i);
    v.EndUpdate();
    QCOMPARE(changed.count(), 1); // a batch redraws once
    v.Clear(false);
    QCOMPARE(v.Count(), 0);
    QCOMPARE(changed.count(), 1); // without notification as asked
}

void TestDataEditors::vectorDataBlockRoundTripsAMillionValuesExactly()
{
    TKvDoubleVector v;
    // Not persistent: nothing is stored.
    v.SetValues({1, 2});
    QVERIFY(WriteBinaryProperties(&v).isEmpty());
    v.SetPersistentValues(true);
    const auto small = WriteBinaryProperties(&v);
    QCOMPARE(small.size(), 1);
    QCOMPARE(small[0].Name, QStringLiteral("Data"));
    // Little-endian IEEE doubles, nothing else.
    QCOMPARE(small[0].Data.toHex(), QByteArray("000000000000f03f0000000000000040"));
    v.Clear();
    QVERIFY(WriteBinaryProperties(&v).isEmpty()); // persistent but empty

    TDoubleDynArray values(1000000);
    QRandomGenerator rng(12345);
    for (double &d : values) {
        const quint64 bits = rng.generate64();
        std::memcpy(&d, &bits, 8); // every bit pattern: NaN payloads, denormals, -0 ...
    }
    v.SetValues(values);
    const auto blocks = WriteBinaryProperties(&v);
    QCOMPARE(blocks.size(), 1);
    QCOMPARE(blocks[0].Data.size(), 8000000);

    TKvDoubleVector back;
    QSignalSpy changed(&back, &TKvCustomDoubleVector::ValuesChanged);
    QVERIFY(ReadBinaryProperty(&back, QStringLiteral("data"), blocks[0].Data)); // names without case
    QCOMPARE(back.Count(), 1000000);
    for (int i = 0; i < back.Count(); ++i)
        if (!SameBits(back.Value(i), values[i]))
            QFAIL(qPrintable(QStringLiteral("value %1 differs").arg(i)));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!ReadBinaryProperty(&back, QStringLiteral("Other"), blocks[0].Data));
}

void TestDataEditors::vectorDataBlockRefusesBadBlocksAndKeepsValues()
{
    TKvDoubleVector v;
    v.SetValues({5, 6});
    QVERIFY_THROWS_EXCEPTION(EConvertError, ReadBinaryProperty(&v, QStringLiteral("Data"), QByteArray(12, 'x')));
    QCOMPARE(v.Values(), TDoubleDynArray({5, 6}));
    QVERIFY(ReadBinaryProperty(&v, QStringLiteral("Data"), QByteArray()));
    QCOMPARE(v.Count(), 0); // an empty block is an empty vector
}

void TestDataEditors::parserReadsGetterVariables()
{
    TKvFunctionParser p;
    double row = 0;
    AddVariableToList(QStringLiteral("#"), QStringLiteral("Rownumber"), nullptr, [&] { return row; }, p.VariableList());
    p.SetExpression(QStringLiteral("2*# + 1"));
    for (row = 0; row < 5; ++row)
        QCOMPARE(p.GetResult(), 2 * row + 1); // read on every evaluation
    QCOMPARE(p.VariableList().size(), 1);
    QCOMPARE(p.VariableList()[0].Description, QStringLiteral("Rownumber"));
    QVERIFY_THROWS_EXCEPTION(EConvertError, p.SetExpression(QStringLiteral("2*(#")));
    QCOMPARE(p.GetResult(), 2 * row + 1); // the old expression stays
}

// ---- The double array editor ---------------------------------------------------------------

void TestDataEditors::memoLinesParse_data()
{
    QTest::addColumn<QStringList>("lines"); // typed, Enter between
    QTest::addColumn<TDoubleDynArray>("values");
    QTest::addRow("empty line between gives 0") << QStringList{"1", "", "2"} << TDoubleDynArray{1, 0, 2};
    QTest::addRow("trailing empty lines do not count") << QStringList{"1", "2", "", ""} << TDoubleDynArray{1, 2};
    QTest::addRow("lone sign and misplaced exponent give 0") << QStringList{"-", "e5", "3"} << TDoubleDynArray{0, 0, 3};
    QTest::addRow("exponents") << QStringList{"1e3", "-2.5E-2"} << TDoubleDynArray{1000, -0.025};
    QTest::addRow("only empty lines give nothing") << QStringList{"", "", ""} << TDoubleDynArray{};
}

void TestDataEditors::memoLinesParse()
{
    QFETCH(QStringList, lines);
    QFETCH(TDoubleDynArray, values);
    TFormatScope scope("C");
    TDoubleArrayEditor form;
    form.Values = {9, 9, 9};
    form.FillBox();
    auto *memo = Child<TMemo>(&form, "Memo1");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    memo->setFocus();
    memo->SelectAll();
    QTest::keyClick(memo, Qt::Key_Delete);
    QCOMPARE(form.Values, TDoubleDynArray{});
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, lines[i]);
    }
    QCOMPARE(form.Values, values);
}

void TestDataEditors::fillBoxShowsValuesAndLeavesThemExact()
{
    TFormatScope scope("C");
    TDoubleArrayEditor form;
    auto *memo = Child<TMemo>(&form, "Memo1");
    QCOMPARE(memo->Text(), QStringLiteral("Memo1")); // until it is filled
    const double noisy = 0.1 + 0.2;
    form.Values = {1e-20, noisy, -3};
    form.FillBox();
    QCOMPARE(memo->Text(), QStringLiteral("1E-20\n0.3\n-3\n"));
    QCOMPARE(memo->SelStart(), 0);
    QCOMPARE(memo->SelLength(), 0);
    // Filling parses nothing: the unshown digits of 0.1 + 0.2 are still there.
    QVERIFY(SameBits(form.Values[1], noisy));
    // An edit parses the whole memo: 1E-20 reads back unchanged.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    memo->SetSelStart(int(memo->Text().size()));
    QTest::keyClicks(memo, "7");
    QCOMPARE(form.Values, TDoubleDynArray({1e-20, 0.3, -3, 7}));
    // An empty array leaves the memo empty.
    form.Values.clear();
    form.FillBox();
    QCOMPARE(memo->Text(), QString());
}

void TestDataEditors::keyFilterFollowsTheDecimalSeparator()
{
    TFormatScope scope("de_DE");
    TBeeps beeps;
    TDoubleArrayEditor form;
    form.FillBox();
    auto *memo = Child<TMemo>(&form, "Memo1");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    memo->setFocus();
    QTest::keyClicks(memo, "1.5");
    QCOMPARE(beeps.Count, 1); // the point is refused with a beep
    QCOMPARE(memo->Text(), QStringLiteral("15"));
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClicks(memo, ",25");
    QCOMPARE(memo->Text(), QStringLiteral("1,25"));
    QCOMPARE(form.Values, TDoubleDynArray{1.25});
    for (const char *refused : {" ", "x", "/"})
        QTest::keyClicks(memo, refused);
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier); // the clipboard keys are characters too
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(beeps.Count, 6);
    QCOMPARE(memo->Text(), QStringLiteral("1,25"));
    // Ctrl+Z undoes (and does not beep).
    QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(beeps.Count, 6);
    QCOMPARE(memo->Text(), QStringLiteral("1"));
    QCOMPARE(form.Values, TDoubleDynArray{1});
    // Escape still closes the dialog as Cancel.
    QTest::keyClick(memo, Qt::Key_Escape);
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.isVisible());
}

void TestDataEditors::pastedTextBypassesTheFilterAndReadsAsZero()
{
    TFormatScope scope("de_DE");
    TBeeps beeps;
    TDoubleArrayEditor form;
    form.Values = {4};
    form.FillBox();
    auto *memo = Child<TMemo>(&form, "Memo1");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Paste through the memo's context menu.
    QApplication::clipboard()->setText(QStringLiteral("1.5\r\n2,5\r\nnan\r\n1e999\r\n\r\n"));
    memo->SetSelStart(int(memo->Text().size()));
    bool pasted = false;
    QTimer::singleShot(0, [&] {
        QMenu *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        for (QAction *a : menu->actions())
            if (a->text() == QLatin1String("&Paste")) {
                menu->close();
                a->trigger();
                pasted = true;
            }
    });
    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(10, 10), memo->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(memo->viewport(), &ev);
    QVERIFY(pasted);
    QCOMPARE(beeps.Count, 0);
    // Line breaks of any kind become lines; what does not read (NAN neither) is 0, other values
    // stay.
    const TDoubleDynArray v = form.Values;
    QCOMPARE(v.size(), 5);
    QCOMPARE(v[0], 4.0);
    QCOMPARE(v[1], 0.0);
    QCOMPARE(v[2], 2.5);
    QCOMPARE(v[3], 0.0);
    QCOMPARE(v[4], 0.0);
    // Shift+Insert pastes too.
    QApplication::clipboard()->setText(QStringLiteral("8"));
    QTest::keyClick(memo, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(form.Values.last(), 8.0);
    // A huge pasted line: a number beyond the range reads as 0; clicking and typing in it work.
    QApplication::clipboard()->setText(QStringLiteral("\n") + QString(300000, QLatin1Char('9')));
    QTest::keyClick(memo, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(form.Values.size(), 8);
    QCOMPARE(form.Values.last(), 0.0);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, QPoint(60, memo->CaretRect().center().y()));
    QVERIFY(memo->CaretPosition() > memo->LineStart(memo->LineCount() - 1));
    QTest::keyClick(memo, Qt::Key_End);
    QTest::keyClicks(memo, "e-299999");
    QCOMPARE(form.Values.last(), 10.0); // 0.999... * 10^1
}

void TestDataEditors::incrementalParseEqualsWholeParse()
{
    TFormatScope scope("C");
    TDoubleArrayEditor form;
    for (int i = 0; i < 2000; ++i)
        form.Values << i * 0.25;
    form.FillBox();
    auto *memo = Child<TMemo>(&form, "Memo1");
    QRandomGenerator rng(7);
    const QStringList pieces{"1", "\n", "-", "e", "2.5\n\n3", "\n\n", "", "x", "7e-3\n"};
    for (int step = 0; step < 400; ++step) {
        const int len = int(memo->Text().size());
        const int at = rng.bounded(len + 1);
        memo->SetSelStart(at);
        memo->SetSelLength(rng.bounded(qMin(12, len - at) + 1));
        memo->ReplaceSelection(pieces[rng.bounded(int(pieces.size()))]);
        if (form.Values != ParseWhole(memo->Text()))
            QFAIL(qPrintable(QStringLiteral("step %1 differs from the whole parse").arg(step)));
        if (step % 50 == 0) {
            memo->Undo();
            QCOMPARE(form.Values, ParseWhole(memo->Text()));
        }
    }
}

void TestDataEditors::variablesEditorModalPasses()
{
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Add<TKvFittedLine>(QStringLiteral("Fit1"));
    auto *b = f.Add<TKvFittedLine>(QStringLiteral("Fit2"));
    a->SetCoefficients({1.5, -2});
    b->SetCoefficients({7});
    TCountingDesigner designer;
    auto editor = EditorFor<TKvVariablesPropEditor>(&designer, {a, b}, "Coefficients");
    QCOMPARE(editor->GetValue(), QStringLiteral("(Array of Double)"));
    QVERIFY(editor->GetAttributes() == TPropertyAttributes({paDialog, paReadOnly}));

    // Cancel and closing the window write nothing.
    for (auto end : {&ModalDriver::Reject, &ModalDriver::CloseWindow}) {
        QString shown;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            shown = Child<TMemo>(w, "Memo1")->Text();
            Child<TMemo>(w, "Memo1")->SetText(QStringLiteral("9"));
            end(w);
        });
        editor->Edit();
        QVERIFY(*ran);
        QCOMPARE(shown, QStringLiteral("1.5\n-2\n"));
        QCOMPARE(a->Coefficients(), TDoubleDynArray({1.5, -2}));
        QCOMPARE(designer.ModifiedCount, 0);
    }
    // OK writes the first line's edited array to every selected line.
    auto ran = ModalDriver::WhenModal([](QWidget *w) {
        auto *memo = Child<TMemo>(w, "Memo1");
        memo->SetSelStart(int(memo->Text().size()));
        QTest::keyClicks(memo, "3");
        QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
    });
    editor->Edit();
    QVERIFY(*ran);
    QCOMPARE(a->Coefficients(), TDoubleDynArray({1.5, -2, 3}));
    QCOMPARE(b->Coefficients(), TDoubleDynArray({1.5, -2, 3}));
    QVERIFY(designer.ModifiedCount >= 1);
}

// ---- The vectors editor --------------------------------------------------------------------

void TestDataEditors::gridMapsVectorsToRowsAndColumns()
{
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Vector(QStringLiteral("Short"), {1, 2, 3});
    f.Vector(QStringLiteral("Long"), {10, 20.5, 30, 40, 50});
    TVectorsEditorForm form;
    form.SetSourceComponent(a);
    auto *grid = Child<TVectorsDataGrid>(&form, "DataGrid");
    TVectorsGridModel *g = grid->Grid();
    QCOMPARE(g->RowCount(), 7); // header, five values, the empty row that appends
    QCOMPARE(g->ColCount(), 3);
    QCOMPARE(g->Cells(0, 0), QStringLiteral("#"));
    QCOMPARE(g->Cells(1, 0), QStringLiteral("Short"));
    QCOMPARE(g->Cells(2, 0), QStringLiteral("Long"));
    for (int r = 1; r <= 5; ++r)
        QCOMPARE(g->Cells(0, r), QString::number(r - 1));
    QCOMPARE(g->Cells(0, 6), QString());
    QCOMPARE(g->Cells(1, 3), QStringLiteral("3"));
    QCOMPARE(g->Cells(2, 2), QStringLiteral("20.5"));
    for (int r = 4; r <= 6; ++r)
        QCOMPARE(g->Cells(1, r), QString());
    // What the view shows is the same: the headers and a cell.
    QCOMPARE(g->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Long"));
    QCOMPARE(g->headerData(5, Qt::Vertical, Qt::DisplayRole).toString(), QString());
    QCOMPARE(grid->model()->index(1, 1).data().toString(), QStringLiteral("20.5"));
    QCOMPARE(grid->Col(), 1); // opened on the first vector
    QCOMPARE(grid->Row(), 1);
    QCOMPARE(form.windowTitle(), QStringLiteral("Edit Data Vectors"));
}

void TestDataEditors::columnWidthsFitEveryText()
{
    TFormatScope scope("en_US");
    TForm f;
    QRandomGenerator rng(99);
    TDoubleDynArray mixed;
    for (int i = 0; i < 3000; ++i) {
        switch (i % 6) {
        case 0: mixed << double(rng.bounded(100000)); break;
        case 1: mixed << rng.bounded(1000) / 8.0; break;
        case 2: mixed << (rng.generateDouble() - 0.5) * std::pow(10.0, rng.bounded(40) - 20); break;
        case 3: mixed << -rng.bounded(1000) * 0.001; break;
        case 4: mixed << std::sin(i); break;
        default: mixed << std::pow(10.0, rng.bounded(30) - 15); break;
        }
    }
    auto *v = f.Vector(QStringLiteral("V"), mixed);
    f.Vector(QStringLiteral("AVeryLongVectorName"), {1});
    auto *dates = f.Vector(QStringLiteral("D"), {45351.5, 45351.0, 45352.75, 1e9});
    f.Plot(f.Add<TKvGraph2D>(QStringLiteral("Graph1")), dates, nullptr, true);
    TVectorsEditorForm form;
    form.SetSourceComponent(v);
    auto *grid = Child<TVectorsDataGrid>(&form, "DataGrid");
    TVectorsGridModel *g = grid->Grid();
    const QFontMetrics fm(grid->font());
    for (int c = 0; c < g->ColCount(); ++c) {
        // Column 0 by the number of rows; the others by the widest of their texts.
        int widest = 0;
        for (int r = c == 0 ? g->RowCount() : 0; r < g->RowCount(); ++r)
            widest = qMax(widest, fm.horizontalAdvance(g->Cells(c, r)));
        if (c == 0)
            widest = fm.horizontalAdvance(QString::number(g->RowCount()));
        QCOMPARE(grid->ColWidth(c), widest + 5);
    }
}

void TestDataEditors::valueTextWidthsMatchMeasuredTexts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("dateTime");
    QTest::addRow("numbers, point") << "en_US" << false;
    QTest::addRow("numbers, comma") << "de_DE" << false;
    QTest::addRow("dates en_US") << "en_US" << true;
    QTest::addRow("dates de_DE") << "de_DE" << true;
}

void TestDataEditors::valueTextWidthsMatchMeasuredTexts()
{
    // Each value alone: its width found by shape is the width of its text.
    QFETCH(QString, locale);
    QFETCH(bool, dateTime);
    TFormatScope scope(locale.toLatin1().constData());
    TDoubleArrayEditor probe; // a form font
    TValueTextWidths widths(probe.font());
    QList<double> values{0, -0.0, 1, -7, 0.5, -0.125, 0.001, -0.002, 0.0005, 123.125, 99999.999, 1e14 + 0.5, 1e-7,
                         0.1 + 0.2, 1.0 / 3, 123456789012345.0, 1e15, 9.9999999999999999, -1e300, 1e-300, 45351.5,
                         45351.0, -693593.0, 2958465.99999, 3e6, std::nan(""), -HUGE_VAL};
    QRandomGenerator rng(5);
    for (int i = 0; i < 6000; ++i) {
        const double mantissa = (rng.generateDouble() - 0.5) * 20;
        switch (i % 7) {
        case 4: values << i * 0.1; break;               // the binary noise of decimal steps
        case 5: values << 1e-7 * (i % 977); break;
        case 6: values << (i % 1000) * 0.01 - 5; break;
        case 0: values << std::round(mantissa * std::pow(10.0, rng.bounded(4))) / std::pow(10.0, rng.bounded(4)); break;
        case 1: values << mantissa * std::pow(10.0, rng.bounded(36) - 18); break;
        case 2: values << 30000 + rng.bounded(40000) + rng.bounded(86400) / 86400.0; break;
        default: values << std::round(mantissa * 1e6) / 1e3; break;
        }
    }
    TKvDoubleVector v;
    for (double x : values) {
        v.SetValues({x});
        const QString text = dateTime ? DateTimeToStr(x) : FloatToStr(x);
        if (widths.MaxWidth(&v, dateTime) != widths.TextWidth(text))
            QFAIL(qPrintable(QStringLiteral("%1: %2 measured %3").arg(text).arg(widths.MaxWidth(&v, dateTime)).arg(widths.TextWidth(text))));
    }
}

void TestDataEditors::typingIntoTheLastRowAppends()
{
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {1, 2, 3});
    auto *b = f.Vector(QStringLiteral("B"), {5});
    TSheet sheet(a);
    QVERIFY(sheet.Shown);
    TVectorsDataGrid *grid = sheet.Grid;
    TVectorsGridModel *g = sheet.Cells;
    sheet.Click(1, 4);
    QCOMPARE(grid->Row(), 4);
    QTest::keyClicks(grid, "4");
    // Live: the value is in the vector before the edit ends, and a new empty row is there.
    QCOMPARE(a->Values(), TDoubleDynArray({1, 2, 3, 4}));
    QCOMPARE(g->RowCount(), 6);
    QCOMPARE(g->Cells(0, 4), QStringLiteral("3"));
    QCOMPARE(g->Cells(0, 5), QString());
    QTest::keyClicks(grid->InplaceEditor(), "2");
    QCOMPARE(a->Value(3), 42.0);
    EndCellEdit(grid);
    QCOMPARE(g->Cells(1, 4), QStringLiteral("42"));
    QCOMPARE(grid->ColWidth(0), QFontMetrics(grid->font()).horizontalAdvance(QStringLiteral("4")) + 5);
    // Below a shorter column's end: the vector takes the value at that index.
    sheet.Click(2, 3);
    QTest::keyClick(grid, Qt::Key_Return); // Enter opens the editor
    QVERIFY(grid->InplaceEditor());
    QTest::keyClicks(grid->InplaceEditor(), "9");
    EndCellEdit(grid);
    QCOMPARE(b->Values(), TDoubleDynArray({5, 0, 9}));
    QCOMPARE(g->RowCount(), 6);
}

void TestDataEditors::cellTextsThatDoNotReadKeepTheValue()
{
    TFormatScope scope("de_DE");
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {1, 2});
    TSheet sheet(a);
    QVERIFY(sheet.Shown);
    TVectorsDataGrid *grid = sheet.Grid;
    TVectorsGridModel *g = sheet.Cells;
    sheet.Click(1, 1);
    TypeInCell(grid, "2.5"); // a point in a comma locale: "2" reads, "2." does not
    EndCellEdit(grid);
    QCOMPARE(a->Value(0), 2.0);
    QCOMPARE(g->Cells(1, 1), QStringLiteral("2.5")); // the cell keeps what was typed
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QLineEdit *edit = qobject_cast<QLineEdit *>(grid->InplaceEditor());
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace); // an emptied cell keeps the value
    QCOMPARE(a->Values(), TDoubleDynArray({2, 2}));
    QCOMPARE(g->Cells(1, 2), QString());
    QTest::keyClicks(edit, "x");
    QCOMPARE(a->Values(), TDoubleDynArray({2, 2}));
    // Pasted at once, a number beyond the range does not read either.
    QApplication::clipboard()->setText(QStringLiteral("1e999"));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EndCellEdit(grid);
    QCOMPARE(a->Values(), TDoubleDynArray({2, 2}));
    QCOMPARE(g->Cells(1, 2), QStringLiteral("1e999"));
}

void TestDataEditors::escapeTakesAnEditBack()
{
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {1, 2});
    TSheet sheet(a);
    QVERIFY(sheet.Shown);
    TVectorsEditorForm &form = sheet.Form;
    TVectorsDataGrid *grid = sheet.Grid;
    TVectorsGridModel *g = sheet.Cells;
    const int width0 = grid->ColWidth(0);
    // An append taken back.
    sheet.Click(1, 3);
    TypeInCell(grid, "55");
    QCOMPARE(a->Count(), 3);
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Escape);
    QCOMPARE(a->Values(), TDoubleDynArray({1, 2}));
    QCOMPARE(g->RowCount(), 4);
    QCOMPARE(g->Cells(0, 3), QString());
    QCOMPARE(grid->ColWidth(0), width0);
    // A changed value taken back, and the form stays open.
    sheet.Click(1, 1);
    TypeInCell(grid, "8");
    QCOMPARE(a->Value(0), 8.0);
    QTest::keyClick(grid->InplaceEditor(), Qt::Key_Escape);
    QCOMPARE(a->Value(0), 1.0);
    QCOMPARE(g->Cells(1, 1), QStringLiteral("1"));
    QTest::keyClick(grid, Qt::Key_Escape);
    QVERIFY(form.isVisible());
}

void TestDataEditors::deleteClosesTheGapInGridAndVector_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::addRow("Delete key") << false;
    QTest::addRow("tool button") << true;
}

void TestDataEditors::deleteClosesTheGapInGridAndVector()
{
    QFETCH(bool, byButton);
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {10, 20, 30, 40});
    auto *b = f.Vector(QStringLiteral("B"), {1, 2, 3, 4, 5, 6});
    TSheet sheet(a);
    QVERIFY(sheet.Shown);
    TVectorsEditorForm &form = sheet.Form;
    TVectorsDataGrid *grid = sheet.Grid;
    TVectorsGridModel *g = sheet.Cells;
    // A text typed into B's row 5 (it does not read) moves up with its row.
    grid->SetSelection({2, 5, 2, 5});
    TypeInCell(grid, "x");
    EndCellEdit(grid);
    // Rows 2 to 3 of both columns, selected with the mouse.
    sheet.Click(1, 2);
    sheet.Click(2, 3, Qt::ShiftModifier);
    const TGridRect sel = grid->Selection();
    QCOMPARE(sel.Top, 2);
    QCOMPARE(sel.Bottom, 3);
    QCOMPARE(sel.Right, 2);
    if (byButton)
        QTest::mouseClick(Child<QToolButton>(&form, "DelBtn"), Qt::LeftButton);
    else
        QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(a->Values(), TDoubleDynArray({10, 40}));
    QCOMPARE(b->Values(), TDoubleDynArray({1, 4, 5, 6}));
    const QStringList colA{g->Cells(1, 1), g->Cells(1, 2), g->Cells(1, 3), g->Cells(1, 4)};
    QCOMPARE(colA, QStringList({"10", "40", "", ""}));
    QCOMPARE(g->Cells(2, 3), QStringLiteral("x"));
    QCOMPARE(g->Cells(2, 5), QString());
    // The rows stay, numbered as before.
    QCOMPARE(g->RowCount(), 8);
    QCOMPARE(g->Cells(0, 6), QStringLiteral("5"));
    // A selection reaching past a column's end removes what is there and no more.
    grid->SetSelection({1, 2, 1, 6});
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(a->Values(), TDoubleDynArray({10}));
    QCOMPARE(g->Cells(1, 2), QString());
}

void TestDataEditors::shiftDeleteClearsTheColumn()
{
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {1, 2, 3});
    auto *b = f.Vector(QStringLiteral("B"), {4});
    TSheet sheet(b);
    QVERIFY(sheet.Shown);
    TVectorsDataGrid *grid = sheet.Grid;
    sheet.Click(1, 2);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(a->Count(), 0);
    QCOMPARE(b->Count(), 1);
    for (int r = 1; r < grid->Grid()->RowCount(); ++r)
        QCOMPARE(grid->Grid()->Cells(1, r), QString());
    QCOMPARE(grid->Grid()->RowCount(), 5);
}

void TestDataEditors::formulaFillsRowsAndNumbersThem()
{
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {});
    TSheet sheet(a);
    QVERIFY(sheet.Shown);
    TVectorsEditorForm &form = sheet.Form;
    TVectorsDataGrid *grid = sheet.Grid;
    TVectorsGridModel *g = sheet.Cells;
    QCOMPARE(g->RowCount(), 2);
    auto *panel = Child<QWidget>(&form, "FunctionPanel");
    QVERIFY(!panel->isVisible());
    QTest::mouseClick(Child<QToolButton>(&form, "FunctionBtn"), Qt::LeftButton);
    QVERIFY(panel->isVisible());
    QVERIFY(Child<QToolButton>(&form, "FunctionBtn")->isChecked());
    auto *formula = Child<QLineEdit>(&form, "FunctionEdit");
    QTRY_VERIFY(formula->hasFocus());
    QTest::keyClicks(formula, "2*#");
    // Type the range; Enter in it is the panel's OK, its default button.
    auto *to = Child<TKvIntegerEdit>(&form, "ToEdit");
    to->Edit()->setFocus();
    to->Edit()->selectAll();
    QTest::keyClicks(to->Edit(), "4");
    QTest::keyClick(to->Edit(), Qt::Key_Return);
    QCOMPARE(a->Values(), TDoubleDynArray({0, 2, 4, 6, 8}));
    QCOMPARE(g->RowCount(), 7);
    for (int r = 1; r <= 5; ++r) {
        QCOMPARE(g->Cells(0, r), QString::number(r - 1));
        QCOMPARE(g->Cells(1, r), QString::number(2 * (r - 1)));
    }
    QCOMPARE(g->Cells(0, 6), QString());
    // A selection of rows sets the range; From above To moves To.
    grid->SetSelection({1, 2, 1, 3});
    formula->setFocus();
    QCOMPARE(Child<TKvIntegerEdit>(&form, "FromEdit")->Value(), 1);
    QCOMPARE(to->Value(), 2);
    Child<TKvIntegerEdit>(&form, "FromEdit")->SetValue(3);
    QCOMPARE(to->Value(), 3);
    Child<TKvIntegerEdit>(&form, "FromEdit")->SetValue(-5);
    QCOMPARE(Child<TKvIntegerEdit>(&form, "FromEdit")->Value(), 0);
    QCOMPARE(grid->Selection().Top, 1);
    QCOMPARE(grid->Selection().Bottom, 4);
    formula->setText(QStringLiteral("#^2"));
    QTest::mouseClick(Child<QPushButton>(&form, "CalcExecuteBtn"), Qt::LeftButton);
    QCOMPARE(a->Values(), TDoubleDynArray({0, 1, 4, 9, 8}));
    // The toggle hides the panel again.
    QTest::mouseClick(Child<QToolButton>(&form, "FunctionBtn"), Qt::LeftButton);
    QVERIFY(!panel->isVisible());
}

void TestDataEditors::formulaThatDoesNotParseReachesTheErrorBox()
{
    TFormatScope scope("C");
    TErrors errors;
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {1, 2});
    TSheet sheet(a);
    QVERIFY(sheet.Shown);
    TVectorsEditorForm &form = sheet.Form;
    QTest::mouseClick(Child<QToolButton>(&form, "FunctionBtn"), Qt::LeftButton);
    Child<QLineEdit>(&form, "FunctionEdit")->setText(QStringLiteral("2*(#"));
    Child<TKvIntegerEdit>(&form, "ToEdit")->SetValue(10);
    QTest::mouseClick(Child<QPushButton>(&form, "CalcExecuteBtn"), Qt::LeftButton);
    QCOMPARE(errors.Messages.size(), 1);
    QVERIFY2(errors.Messages[0].contains(QStringLiteral("2*(#")), qPrintable(errors.Messages[0]));
    QCOMPARE(a->Values(), TDoubleDynArray({1, 2}));
    QCOMPARE(Child<TVectorsDataGrid>(&form, "DataGrid")->Grid()->RowCount(), 4);
    QVERIFY(form.isVisible());
    // Called directly, the handler raises.
    QVERIFY_THROWS_EXCEPTION(EConvertError, form.CalcExecuteBtnClick());
    // A range beyond what a vector holds is refused before anything is written.
    Child<QLineEdit>(&form, "FunctionEdit")->setText(QStringLiteral("1"));
    Child<TKvIntegerEdit>(&form, "ToEdit")->SetValue(std::numeric_limits<int>::max());
    QVERIFY_THROWS_EXCEPTION(EConvertError, form.CalcExecuteBtnClick());
    QCOMPARE(a->Count(), 2);
}

void TestDataEditors::formulaFillCanBeCancelled()
{
    TFormatScope scope("C");
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {});
    TSheet sheet(a);
    QVERIFY(sheet.Shown);
    TVectorsEditorForm &form = sheet.Form;
    const int savedDelay = TVectorsEditorForm::ProgressDelayMs;
    TVectorsEditorForm::ProgressDelayMs = 0;
    QTest::mouseClick(Child<QToolButton>(&form, "FunctionBtn"), Qt::LeftButton);
    Child<QLineEdit>(&form, "FunctionEdit")->setText(QStringLiteral("#+1"));
    Child<TKvIntegerEdit>(&form, "ToEdit")->SetValue(5000000);
    bool cancelled = false;
    auto ran = ModalDriver::WhenModal([&](QWidget *w) {
        if (auto *p = qobject_cast<QProgressDialog *>(w)) {
            cancelled = true;
            QTest::mouseClick(p->findChild<QPushButton *>(), Qt::LeftButton);
        }
    });
    form.CalcExecuteBtnClick();
    TVectorsEditorForm::ProgressDelayMs = savedDelay;
    QVERIFY(*ran);
    QVERIFY(cancelled);
    // What was computed stays; the grid shows it with one empty row below.
    const int n = a->Count();
    QVERIFY(n > 0 && n < 5000001);
    QCOMPARE(a->Value(0), 1.0);
    QCOMPARE(a->Value(n - 1), double(n));
    TVectorsGridModel *g = Child<TVectorsDataGrid>(&form, "DataGrid")->Grid();
    QCOMPARE(g->RowCount(), n + 2);
    QCOMPARE(g->Cells(0, n), QString::number(n - 1));
    QCOMPARE(g->Cells(1, n), QString::number(n));
    QVERIFY(!form.findChild<QProgressDialog *>());
}

void TestDataEditors::dateTimeColumnsFollowTheAxes_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addRow("en_US") << "en_US" << "2/29/2024 12:00:00 PM" << "3/1/2024 6:30:00 AM";
    QTest::addRow("de_DE") << "de_DE" << "29.02.2024 12:00:00" << "01.03.2024 06:30:00";
}

void TestDataEditors::dateTimeColumnsFollowTheAxes()
{
    QFETCH(QString, locale);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    TFormatScope scope(locale.toLatin1().constData());
    TForm f;
    const double leapNoon = DateTimeToDouble(QDateTime(QDate(2024, 2, 29), QTime(12, 0), Qt::UTC));
    auto *times = f.Vector(QStringLiteral("Times"), {leapNoon});
    auto *values = f.Vector(QStringLiteral("Values"), {2.5});
    f.Plot(f.Add<TKvGraph2D>(QStringLiteral("Graph1")), times, values, true);
    TSheet sheet(values);
    QVERIFY(sheet.Shown);
    TVectorsEditorForm &form = sheet.Form;
    TVectorsDataGrid *grid = sheet.Grid;
    TVectorsGridModel *g = sheet.Cells;
    QCOMPARE(g->Cells(1, 1), shown);
    QCOMPARE(g->Cells(2, 1), FloatToStr(2.5));
    auto *dateButton = Child<QToolButton>(&form, "DateTimeBtn");
    QVERIFY(!dateButton->isChecked()); // the active column is plain
    sheet.Click(1, 1);
    QVERIFY(dateButton->isChecked());
    // A typed date is stored as its serial number; text that is no date stores 0.
    sheet.Click(1, 2);
    TypeInCell(grid, typed);
    EndCellEdit(grid);
    QCOMPARE(times->Value(1), DateTimeToDouble(QDateTime(QDate(2024, 3, 1), QTime(6, 30), Qt::UTC)));
    TypeInCell(grid, "soon");
    EndCellEdit(grid);
    QCOMPARE(times->Value(1), 0.0);
    // The button switches the column to numbers and back.
    QTest::mouseClick(dateButton, Qt::LeftButton);
    QVERIFY(!dateButton->isChecked());
    QCOMPARE(g->Cells(1, 1), FloatToStr(leapNoon));
    QCOMPARE(g->Cells(1, 2), QStringLiteral("0"));
    QTest::mouseClick(dateButton, Qt::LeftButton);
    QCOMPARE(g->Cells(1, 1), shown);
}

void TestDataEditors::keptOutVectorsGetNoColumn()
{
    TForm f;
    auto *hidden = f.Vector(QStringLiteral("Hidden"), {1, 2, 3, 4, 5, 6, 7});
    hidden->SetExcludeFromValuesEditor(true);
    f.Vector(QStringLiteral("A"), {1});
    f.Vector(QStringLiteral("B"), {2});
    TVectorsEditorForm form;
    form.SetSourceComponent(hidden);
    auto *grid = Child<TVectorsDataGrid>(&form, "DataGrid");
    QCOMPARE(grid->Grid()->ColCount(), 3);
    QCOMPARE(grid->Grid()->Cells(1, 0), QStringLiteral("A"));
    QCOMPARE(grid->Grid()->RowCount(), 3); // the hidden vector's length counts for nothing
    QCOMPARE(grid->Col(), 1);

    // Nothing to list: "No data available", and the actions do nothing.
    TForm empty;
    auto *only = empty.Vector(QStringLiteral("Only"), {1});
    only->SetExcludeFromValuesEditor(true);
    TVectorsEditorForm none;
    none.SetSourceComponent(only);
    none.show();
    QVERIFY(QTest::qWaitForWindowExposed(&none));
    QCOMPARE(none.windowTitle(), QStringLiteral("No data available"));
    none.DeleteCellExecute();
    none.ClearColumnExecute();
    none.DateTimeColExecute();
    Child<QLineEdit>(&none, "FunctionEdit")->setText(QStringLiteral("1"));
    none.CalcExecuteBtnClick();
    QCOMPARE(only->Values(), TDoubleDynArray({1}));
}

void TestDataEditors::persistenceCoversAllListedVectors()
{
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {1});
    auto *b = f.Vector(QStringLiteral("B"), {2});
    auto *out = f.Vector(QStringLiteral("Out"), {3});
    out->SetExcludeFromValuesEditor(true);
    b->SetPersistentValues(true);
    TVectorsEditorForm form;
    form.SetSourceComponent(a);
    auto *check = Child<QCheckBox>(&form, "PersistentCheck");
    QVERIFY(check->isChecked());
    QVERIFY(a->PersistentValues()); // opening made all listed vectors persistent
    QVERIFY(!out->PersistentValues());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(check, Qt::LeftButton);
    QVERIFY(!a->PersistentValues());
    QVERIFY(!b->PersistentValues());
}

void TestDataEditors::editsRedrawTheChart()
{
    TFormatScope scope("C");
    TForm f;
    auto *xs = f.Vector(QStringLiteral("X"), {1, 2});
    auto *ys = f.Vector(QStringLiteral("Y"), {3, 4});
    auto *graph = f.Add<TCountingGraph>(QStringLiteral("Graph1"));
    TKvLineSeries *s = f.Plot(graph, xs, ys, false);
    TSheet sheet(ys);
    QVERIFY(sheet.Shown);
    TVectorsDataGrid *grid = sheet.Grid;
    graph->Updates = 0;
    TypeInCell(grid, "7");
    EndCellEdit(grid);
    QCOMPARE(ys->Value(0), 7.0);
    QCOMPARE(graph->Updates, 1);
    QCOMPARE(s->InputPoints().first(), QPointF(1, 7)); // the series plots the new value
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(graph->Updates, 2);
}

void TestDataEditors::vectorsEditorModalPasses()
{
    TForm f;
    auto *a = f.Vector(QStringLiteral("A"), {1});
    TCountingDesigner designer;
    TKvVectorsEditor editor(a, &designer);
    QCOMPARE(editor.GetVerbCount(), 1);
    QCOMPARE(editor.GetVerb(0), QStringLiteral("&Values Editor"));
    QCOMPARE(editor.GetVerb(1), QString());
    // Closed without a change: the form counts as modified all the same.
    auto ran = ModalDriver::WhenModal(&ModalDriver::CloseWindow);
    editor.ExecuteVerb(0);
    QVERIFY(*ran);
    QCOMPARE(designer.ModifiedCount, 1);
    editor.ExecuteVerb(1); // nothing
    QCOMPARE(designer.ModifiedCount, 1);
    // An edit is in the vector when the form closes through its Close button.
    ran = ModalDriver::WhenModal([](QWidget *w) {
        auto *grid = Child<TVectorsDataGrid>(w, "DataGrid");
        TypeInCell(grid, "5");
        EndCellEdit(grid);
        QTest::mouseClick(Child<QToolButton>(w, "ExitBtn"), Qt::LeftButton);
    });
    editor.Edit();
    QVERIFY(*ran);
    QCOMPARE(a->Values(), TDoubleDynArray({5}));
    QCOMPARE(designer.ModifiedCount, 2);
}

void TestDataEditors::registeredInTheTable()
{
    TForm f;
    auto *line = f.Add<TKvFittedLine>(QStringLiteral("Fit1"));
    auto *v = f.Vector(QStringLiteral("V"), {});
    QCOMPARE(GetEditorClass(GetPropInfo(line, QStringLiteral("Coefficients")), &TKvFittedLine::staticMetaObject).Name,
             QStringLiteral("TKvVariablesPropEditor"));
    TCountingDesigner designer;
    const auto editor = GetComponentEditor(v, &designer);
    QVERIFY(dynamic_cast<TKvVectorsEditor *>(editor.get()));
}

void TestDataEditors::keyboardOrder()
{
    // First focus and Tab order as the forms define them.
    auto order = [](QWidget *Form, int Steps) {
        QStringList names;
        for (int i = 0; i < Steps; ++i) {
            QWidget *w = QApplication::focusWidget();
            while (w && w != Form && w->objectName().isEmpty())
                w = w->parentWidget();
            // A composite control is one stop: the inner field counts as the control.
            if (w && !qobject_cast<TKvIntegerEdit *>(w) && qobject_cast<TKvIntegerEdit *>(w->parentWidget()))
                w = w->parentWidget();
            names << (w ? w->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return names;
    };
    TDoubleArrayEditor arrays;
    arrays.FillBox();
    arrays.show();
    QVERIFY(QTest::qWaitForWindowActive(&arrays));
    QCOMPARE(order(&arrays, 4), QStringList({"Memo1", "OKBtn", "CancelBtn", "Memo1"}));
    arrays.close();

    TForm f;
    auto *v = f.Vector(QStringLiteral("V"), {1});
    TSheet sheet(v);
    QVERIFY(sheet.Shown);
    QCOMPARE(order(&sheet.Form, 3), QStringList({"DataGrid", "PersistentCheck", "DataGrid"}));
    QTest::mouseClick(Child<QToolButton>(&sheet.Form, "FunctionBtn"), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), Child<QLineEdit>(&sheet.Form, "FunctionEdit"));
    QCOMPARE(order(&sheet.Form, 6),
             QStringList({"FunctionEdit", "FromEdit", "ToEdit", "CalcExecuteBtn", "PersistentCheck", "DataGrid"}));
}

void TestDataEditors::screenshots()
{
    TFormatScope scope("en_US");
    TDoubleArrayEditor arrays;
    arrays.Values = {1.5, -2, 1e-20, 0.1 + 0.2, 123456789012345.0};
    arrays.FillBox();
    arrays.show();
    QVERIFY(QTest::qWaitForWindowExposed(&arrays));
    SaveShot(&arrays, "doublearrayeditor");

    TForm f;
    TDoubleDynArray t, y;
    for (int i = 0; i < 40; ++i) {
        t << DateTimeToDouble(QDateTime(QDate(2024, 3, 1), QTime(8, 0), Qt::UTC)) + i / 24.0;
        y << std::sin(i / 4.0) * 10;
    }
    auto *times = f.Vector(QStringLiteral("Times"), t);
    auto *values = f.Vector(QStringLiteral("Signal"), y);
    f.Vector(QStringLiteral("Index"), {0, 1, 2, 3});
    f.Plot(f.Add<TKvGraph2D>(QStringLiteral("Graph1")), times, values, true);
    TSheet sheet(values);
    QVERIFY(sheet.Shown);
    TVectorsEditorForm &form = sheet.Form;
    // Rows selected, then the formula panel: it takes the selected rows as its range.
    Child<TVectorsDataGrid>(&form, "DataGrid")->SetSelection({2, 3, 2, 6});
    QTest::mouseClick(Child<QToolButton>(&form, "FunctionBtn"), Qt::LeftButton);
    QTest::keyClicks(Child<QLineEdit>(&form, "FunctionEdit"), QStringLiteral("sin(#/4)*10"));
    QCOMPARE(Child<TKvIntegerEdit>(&form, "FromEdit")->Value(), 2);
    QCOMPARE(Child<TKvIntegerEdit>(&form, "ToEdit")->Value(), 5);
    QApplication::processEvents();
    SaveShot(&form, "vectorseditor");
}

QTEST_MAIN(TestDataEditors)
#include "tst_dataeditors.moc"
