// The rich caption editor, the string list editor and their Object Inspector editors, driven as
// a user drives them (mouse and keys on the real controls), with the rich caption they edit:
// its stored form, its variables and formulas, and the charts that draw it.
#define QTEST_QPA_MOUSE_HANDLING // mouse input through the window, as the platform delivers it
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "../common/ModalDriver.h"
#include "../common/PropertyEditorDriver.h"
#include "AppEvnts.h"
#include "Forms.h"
#include "DesignRegistry.h"
#include "DragModel.h"
#include "EditMessages.h"
#include "Kvaxis.h"
#include "Kvcaptionedit.h"
#include "Kvcaptioneditor.h"
#include "Kvcaptioneditors.h"
#include "Kvcolorpicker.h"
#include "Kvdesign.h"
#include "Kvfloatedit.h"
#include "Kvgraph2d.h"
#include "Kvparsefkt.h"
#include "Kvpiedonut.h"
#include "Kvrichlabel.h"
#include "Kvstringlisteditor.h"
#include "Kvvectors.h"
#include "WindowDC.h"

namespace {
using PropertyEditorDriver::EditorFor;
using TTestDesigner = PropertyEditorDriver::TCountingDesigner;

template <class T> T *Child(QWidget *Form, const char *Name)
{
    T *w = Form->findChild<T *>(QLatin1String(Name));
    if (!w)
        qFatal("no control %s", Name);
    return w;
}

// What the application does once nothing is waiting: pending events, then the idle handlers.
void Idle()
{
    for (int i = 0; i < 3; ++i)
        AppEvnts::ProcessMessagesAndIdle();
}

// The pixels of a widget as its window shows them (the backing store), not painted anew.
QImage OnScreen(QWidget *W)
{
    Idle();
    QWidget *win = W->window();
    const QPoint at = W->mapTo(win, QPoint(0, 0));
    return win->screen()->grabWindow(win->winId(), at.x(), at.y(), W->width(), W->height()).toImage();
}

bool Dark(const QColor &C) { return C.red() < 80 && C.green() < 80 && C.blue() < 80; }

// The center of a tree node in its viewport, after making it visible.
QPoint NodePoint(QTreeWidget *Tree, QTreeWidgetItem *Node)
{
    for (QTreeWidgetItem *p = Node->parent(); p; p = p->parent())
        Tree->expandItem(p);
    Tree->scrollToItem(Node);
    return Tree->visualItemRect(Node).center();
}

QTreeWidgetItem *NodeByText(QTreeWidget *Tree, const QString &Text)
{
    const QList<QTreeWidgetItem *> found = Tree->findItems(Text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.value(0);
}

// A drag with the left button, from a point of one widget to a point of another, in steps.
void Drag(QWidget *From, QPoint Start, QWidget *To, QPoint End)
{
    QTest::mousePress(From, Qt::LeftButton, {}, Start);
    for (int i = 1; i <= 4; ++i)
        QTest::mouseMove(From, Start + QPoint(0, 3 * i));
    const QPoint startGlobal = From->mapToGlobal(Start), endGlobal = To->mapToGlobal(End);
    for (int i = 1; i <= 4; ++i) {
        const QPoint g = startGlobal + (endGlobal - startGlobal) * i / 4;
        QTest::mouseMove(To, To->mapFromGlobal(g));
    }
    QTest::mouseRelease(To, Qt::LeftButton, {}, End);
    Idle();
}

// Keys into the focused widget, with the idle pass the application runs after each.
void Keys(QWidget *W, std::initializer_list<Qt::Key> Keys, Qt::KeyboardModifiers Mods = {})
{
    for (Qt::Key k : Keys) {
        QTest::keyClick(W, k, Mods);
        Idle();
    }
}

// A form as the designer keeps it: a root that owns the components whose values captions show.
struct TForm {
    TControl Root;
    TForm() { Root.SetName(QStringLiteral("Form1")); Root.resize(10, 10); }
    template <class T> T *Add(const QString &Name)
    {
        T *c = new T(&Root);
        c->SetName(Name);
        return c;
    }
};

// The caption dialog open and active, with the exception display caught.
struct TOpenDialog {
    TCaptionEditFrm Form;
    QStringList Errors;
    TOpenDialog()
    {
        Forms::SetApplicationExceptionHandler([this](const QString &M) { Errors << M; });
        Form.show();
        if (!QTest::qWaitForWindowActive(&Form))
            qWarning("dialog not active");
        Idle();
    }
    ~TOpenDialog() { Forms::SetApplicationExceptionHandler(nullptr); }
    QLineEdit *Formula() { return Child<QLineEdit>(&Form, "FormulaEdit"); }
    QLineEdit *Format() { return Child<QLineEdit>(&Form, "FormatEdit"); }
    TKvCaptionEdit *Caption() { return Form.CaptionEdit(); }
    QTreeWidget *Strings() { return Child<QTreeWidget>(&Form, "CaptionsView"); }
    QTreeWidget *Variables() { return Child<QTreeWidget>(&Form, "VariablesView"); }
    QListWidget *Functions() { return Child<QListWidget>(&Form, "FunctionsList"); }
    // Types a formula as a user does: into the focused formula edit, replacing what was there.
    void TypeFormula(const QString &Text)
    {
        QTest::mouseClick(Formula(), Qt::LeftButton, {}, QPoint(4, 10));
        QTest::keyClick(Formula(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(Formula(), Qt::Key_Delete);
        QTest::keyClicks(Formula(), Text);
        Idle();
    }
    int Caret() { return Formula()->cursorPosition(); }
};

const QString Group = QStringLiteral("{\\kvcap1 ");
} // namespace

Q_DECLARE_METATYPE(TKvCaptionLine)

class TstCaptionEditor : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        for (const char *v : {"ab", "cd", "a", "b", "Gain"})
            SetNumericVariable(QLatin1String(v), 2);
        SetNumericVariable(QStringLiteral("Plant.Temperature"), 21.5);
        SetStringVariable(QStringLiteral("Operator"), QStringLiteral("Miller"));
    }
    void cleanup()
    {
        for (const char *v : {"ab", "cd", "a", "b", "Gain", "Plant.Temperature", "Operator"})
            RemoveVariable(QLatin1String(v));
        Forms::SetApplicationExceptionHandler(nullptr);
    }

    // ---- The forms ------------------------------------------------------------------------------

    void formsAsDescribed()
    {
        TCaptionEditFrm f;
        QCOMPARE(f.windowTitle(), QStringLiteral("Edit Caption"));
        QCOMPARE(f.size(), QSize(507, 417));
        QCOMPARE(f.font().pixelSize(), 11);
        QVERIFY(f.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(Child<QWidget>(&f, "CaptionEdit")->geometry(), QRect(3, 43, 314, 81));
        QCOMPARE(Child<QWidget>(&f, "FormulaEdit")->geometry(), QRect(5, 46, 314, 21));
        QCOMPARE(Child<QWidget>(&f, "FontsCombo")->font().pixelSize(), 13);
        QCOMPARE(f.CaptionEdit()->font().pixelSize(), 16);
        QCOMPARE(Child<QWidget>(&f, "SelColorPick")->toolTip(), QStringLiteral("Color of selection"));
        QCOMPARE(Child<QWidget>(&f, "FormatEdit")->toolTip(), QStringLiteral("Edit format as used in \"FormatFloat\""));
        QVERIFY(Child<QWidget>(&f, "BitBtn2")->y() < Child<QWidget>(&f, "OKButton")->y()); // Cancel above OK
        QVERIFY(Child<QPushButton>(&f, "OKButton")->isDefault());
        QVERIFY(f.findChild<TApplicationEvents *>(QStringLiteral("ApplicationEvents1")));
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QVERIFY(f.CaptionEdit()->Focused()); // the active control
        // Tab goes round the form's order; a composite control is one stop.
        const char *const order[] = {"InsStringBtn", "CaptionsView", "InsFormulaBtn", "FormatEdit", "FormulaEdit",
                                     "InsFunctionBtn", "FunctionsList", "InsVariableBtn", "VariablesView", "BitBtn2",
                                     "OKButton", "SelColorPick", "FontsCombo", "CaptionEdit"};
        for (const char *name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *expected = Child<QWidget>(&f, name);
            QVERIFY2(QApplication::focusWidget() == expected || expected->isAncestorOf(QApplication::focusWidget()), name);
        }
        QCOMPARE(f.CaptionEdit()->GetCaption().Text, QString()); // Tab moved on, it typed nothing

        TStringListEditor l;
        QCOMPARE(l.windowTitle(), QStringLiteral("Edit Captions List"));
        QCOMPARE(l.size(), QSize(416, 326));
        QCOMPARE(Child<QWidget>(&l, "CaptionEdit")->geometry(), QRect(16, 64, 384, 208));
        QCOMPARE(Child<QWidget>(&l, "StyleToolBar")->geometry(), QRect(0, 0, 416, 22));
        QVERIFY(!(l.windowFlags() & Qt::WindowStaysOnTopHint));
    }

    // ---- The caption's stored form ----------------------------------------------------------

    void storedFormKeepsAttributesAndVariables()
    {
        TKvCaptionEdit e;
        e.SetShowReferences(true);
        QTest::keyClicks(e.Editor(), QStringLiteral("Mean {x} = "));
        e.SetSelVariable(QStringLiteral("YValues.Mean;0.00"));
        e.SetSelStart(e.SelStart() + 1);
        QTest::keyClicks(e.Editor(), QStringLiteral(" mV"));
        QTest::keyClick(e.Editor(), Qt::Key_Return);
        QTest::keyClicks(e.Editor(), QStringLiteral("H2O"));
        // "Mean" bold and red, "2" subscript in Arial.
        e.SetSelStart(0);
        e.SetSelLength(4);
        e.SetBold(true);
        e.SetSelColor(clRed);
        const int two = int(e.GetCaption().ToPlainText().indexOf(QLatin1String("H2O"))) + 1;
        e.SetSelStart(two);
        e.SetSelLength(1);
        e.SetSubscript(true);
        e.SetFontName(QStringLiteral("Arial"));
        const TKvRichCaption stored = e.GetCaption();
        const QStringList lines = stored.Text.split(QLatin1Char('\r'));
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(Group) && lines[0].contains(QLatin1String("\\var{YValues.Mean;0.00}")), qPrintable(lines[0]));
        QVERIFY(lines[0].contains(QLatin1String("\\{x\\}"))); // braces of the text escaped

        TKvCaptionEdit copy;
        copy.SetCaption(stored);
        QCOMPARE(copy.GetCaption(), stored);
        copy.SetSelStart(2);
        QVERIFY(copy.GetBold());
        QCOMPARE(copy.GetSelColor(), clRed);
        copy.SetSelStart(6);
        QVERIFY(!copy.GetBold());
        copy.SetSelStart(12); // after the variable, which is one character
        QCOMPARE(copy.GetSelVariable(), QStringLiteral("YValues.Mean;0.00"));
        copy.SetSelStart(two + 1);
        QVERIFY(copy.GetSubscript());
        QCOMPARE(copy.GetFontName(), QStringLiteral("Arial"));
        QVERIFY(!copy.GetSuperscript());
    }

    void linesWriteAndReadBack_data()
    {
        QTest::addColumn<TKvCaptionLine>("line");
        QTest::addColumn<QString>("stored");
        auto run = [](const char *Text) {
            TKvCaptionRun r;
            r.Text = QString::fromUtf8(Text);
            return r;
        };
        TKvCaptionRun bold = run("abc"), off = run("x"), var = run("a{b}\\c"), red = run("r"), sig = run("{\\kvcap1 x}");
        bold.Bold = true;
        off.Bold = false;
        var.Variable = true;
        red.Color = 0xFF102030;
        red.Script = TKvCaptionScript::Superscript;
        red.FontName = QStringLiteral("Liberation Mono");
        QTest::addRow("plain") << TKvCaptionLine{run("abc")} << "abc";
        QTest::addRow("bold") << TKvCaptionLine{bold} << Group + "\\b abc}";
        QTest::addRow("off, then the caption's own") << TKvCaptionLine{off, run("y")} << Group + "\\b0 x\\plain y}";
        QTest::addRow("reference with braces") << TKvCaptionLine{var} << Group + "\\var{a\\{b\\}\\\\c}}";
        QTest::addRow("colour, script, font") << TKvCaptionLine{red, run("n")}
                                               << Group + "\\super \\cf{FF102030}\\font{Liberation Mono}r\\nosupersub \\cf0 \\font0 n}";
        QTest::addRow("text that looks stored") << TKvCaptionLine{sig} << Group + "\\{\\\\kvcap1 x\\}}";
    }
    void linesWriteAndReadBack()
    {
        QFETCH(TKvCaptionLine, line);
        QFETCH(QString, stored);
        QCOMPARE(Kvrichcaption::FormatLine(line), stored);
        const TKvCaptionLine back = Kvrichcaption::ParseCaption(stored).value(0);
        QCOMPARE(back.size(), line.size());
        for (qsizetype i = 0; i < line.size(); ++i) {
            QCOMPARE(back[i].Text, line[i].Text);
            QCOMPARE(back[i].Variable, line[i].Variable);
            QVERIFY(back[i].SameStyle(line[i]));
        }
    }

    void attributesSwitchOffAgainstTheCaptionsFont()
    {
        TKvCaptionEdit e;
        QFont bold = e.font();
        bold.setBold(true);
        e.setFont(bold);
        e.SetCaption(TKvRichCaption(QStringLiteral("one two")));
        e.SetSelStart(4);
        e.SetSelLength(3);
        QVERIFY(e.GetBold()); // the caption's font is bold
        e.SetBold(!e.GetBold());
        QCOMPARE(e.GetCaption().Text, Group + QStringLiteral("one \\b0 two}"));
        TKvCaptionEdit again;
        again.setFont(bold);
        again.SetCaption(e.GetCaption());
        again.SetSelStart(6);
        QVERIFY(!again.GetBold());
        again.SetSelStart(2);
        QVERIFY(again.GetBold());
    }

    void textThatIsNoStoredFormShowsAsItStands_data()
    {
        QTest::addColumn<QString>("text");
        const QString valid = QStringLiteral("{\\kvcap1 \\b Bold\\b0  \\cf{FFFF0000}red\\cf0  \\var{Pi;0.0}}");
        // Every cut of a valid group is no group: shown as the characters it holds.
        for (int n = 1; n < valid.size(); ++n)
            QTest::addRow("cut %d", n) << valid.left(n);
        QTest::addRow("unknown word") << QStringLiteral("{\\kvcap1 \\blink x}");
        QTest::addRow("bad colour") << QStringLiteral("{\\kvcap1 \\cf{XYZ}x}");
        QTest::addRow("long colour") << QStringLiteral("{\\kvcap1 \\cf{1FFFFFFFF}x}");
        QTest::addRow("open brace") << QStringLiteral("{\\kvcap1 a{b}");
        QTest::addRow("trailing text") << QStringLiteral("{\\kvcap1 a} b");
        QTest::addRow("other signature") << QStringLiteral("{\\kvcap2 a}");
        QTest::addRow("html") << QStringLiteral("<b>Bold</b> & <i>more</i>");
        QTest::addRow("lone backslash") << QStringLiteral("C:\\Data\\{file}");
        QTest::addRow("no argument") << QStringLiteral("{\\kvcap1 \\var x}");
        QTest::addRow("empty font") << QStringLiteral("{\\kvcap1 \\font{}x}");
    }
    void textThatIsNoStoredFormShowsAsItStands()
    {
        QFETCH(QString, text);
        TKvCaptionEdit e;
        e.SetCaption(TKvRichCaption(text));
        QCOMPARE(e.Editor()->toPlainText(), text);
        QCOMPARE(e.GetCaption().ToPlainText(), text);
        // Saved again it reads back to the same characters.
        TKvCaptionEdit again;
        again.SetCaption(e.GetCaption());
        QCOMPARE(again.Editor()->toPlainText(), text);
    }

    void garbageNeverBreaksTheCaption()
    {
        // Fuzz: texts built of the storage form's own pieces; nothing may crash or hang, and a
        // caption saved once reads back unchanged.
        const QStringList pieces = {QStringLiteral("{\\kvcap1 "), QStringLiteral("\\b "), QStringLiteral("\\"), QStringLiteral("{"),
                                    QStringLiteral("}"), QStringLiteral("\\var{"), QStringLiteral("\\cf{FF00FF00}"), QStringLiteral("x"),
                                    QStringLiteral("\r"), QStringLiteral("\n"), QStringLiteral(" "), QString(QChar(0xFFFC)),
                                    QStringLiteral("\\font{"), QStringLiteral("0"), QStringLiteral("\\sub ")};
        QRandomGenerator rng(20240611);
        for (int round = 0; round < 300; ++round) {
            QString t;
            for (int i = rng.bounded(1, 30); i > 0; --i)
                t += pieces[rng.bounded(int(pieces.size()))];
            TKvCaptionEdit e;
            e.SetCaption(TKvRichCaption(t));
            const TKvRichCaption once = e.GetCaption();
            TKvCaptionEdit f;
            f.SetCaption(once);
            QCOMPARE(f.GetCaption(), once);
            QVERIFY(!TKvRichCaption(t).ToPlainText().isNull() || t.isEmpty());
            QSizeF size = RichCaptionSize(TKvRichCaption(t), QFont());
            QVERIFY(size.width() >= 0);
        }
    }

    void typedTextAfterAVariableIsNoVariable()
    {
        TKvCaptionEdit e;
        e.SetSelVariable(QStringLiteral("Pi"));
        e.SetSelStart(1);
        QTest::keyClicks(e.Editor(), QStringLiteral("xy"));
        QCOMPARE(e.GetCaption().Text, Group + QStringLiteral("\\var{Pi}xy}"));
        e.SetSelStart(3);
        QCOMPARE(e.GetSelVariable(), QString());
        // Undo takes the typing away in one step and leaves the variable.
        e.Editor()->undo();
        QCOMPARE(e.GetCaption().Text, Group + QStringLiteral("\\var{Pi}}"));
    }

    void copyAndPasteKeepVariables()
    {
        TKvCaptionEdit a, b;
        a.SetCaption(TKvRichCaption(Group + QStringLiteral("\\b T=\\var{Pi;0.0}\\b0  K}")));
        a.Editor()->selectAll();
        a.Editor()->copy();
        b.SetSingleLine(true);
        b.Editor()->paste();
        QCOMPARE(b.GetCaption(), a.GetCaption());
        // Text from elsewhere comes in as plain text, in one line for a single-line caption.
        auto *m = new QMimeData;
        m->setHtml(QStringLiteral("<h1>big</h1><table><tr><td>x</td></tr></table>"));
        m->setText(QStringLiteral("big\nx"));
        QApplication::clipboard()->setMimeData(m);
        b.SetCaption(TKvRichCaption());
        b.Editor()->paste();
        QCOMPARE(b.GetCaption().Text, QStringLiteral("big x"));
    }

    // ---- Variables and formulas --------------------------------------------------------------

    void formatFloatAsTheLibraryWritesNumbers_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected"); // "." and "," stand for the locale's separators
        QTest::addRow("fixed") << "0.00" << 3.14159 << "3.14";
        QTest::addRow("rounds half up") << "0.0" << 2.25 << "2.3";
        QTest::addRow("leading zeros") << "000" << 7.0 << "007";
        QTest::addRow("optional digits") << "0.##" << 1.5 << "1.5";
        QTest::addRow("no point without decimals") << "0.##" << 1.0 << "1";
        QTest::addRow("hash integer of zero") << "#.00" << 0.5 << ".50";
        QTest::addRow("grouping") << "#,##0.0" << 1234567.891 << "1,234,567.9";
        QTest::addRow("scientific") << "0.0E+00" << 12345.0 << "1.2E+04";
        QTest::addRow("negative exponent") << "0.00E-0" << 0.00123 << "1.23E-3";
        QTest::addRow("exponent carry") << "0.0E+00" << 9.99 << "1.0E+01";
        QTest::addRow("quoted text") << "'T = '0.0' K'" << 300.0 << "T = 300.0 K";
        QTest::addRow("negative default") << "0.0" << -2.0 << "-2.0";
        QTest::addRow("negative section") << "0.0;(0.0)" << -2.0 << "(2.0)";
        QTest::addRow("zero section") << "0.0;-0.0;'none'" << 0.01 << "none";
        QTest::addRow("negative rounds to zero") << "0.0" << -0.01 << "0.0";
        QTest::addRow("infinity") << "0.00" << std::numeric_limits<double>::infinity() << "INF";
        QTest::addRow("not a number") << "0.00" << std::nan("") << "NAN";
        QTest::addRow("huge") << "0.00" << 1e300 << "1e+300";
        QTest::addRow("many decimals") << "0.000000000000000000000000000000" << 0.5 << "0.500000000000000000";
    }
    void formatFloatAsTheLibraryWritesNumbers()
    {
        QFETCH(QString, format);
        QFETCH(double, value);
        QFETCH(QString, expected);
        const QLocale loc;
        QString e;
        for (const QChar c : expected)
            e += c == QLatin1Char('.') ? loc.decimalPoint() : c == QLatin1Char(',') ? loc.groupSeparator() : QString(c);
        if (value == 1e300) // too large for a format: the general form
            e = loc.toString(value, 'g', 15);
        QCOMPARE(FormatFloat(format, value), e);
    }

    void variablesShowTheirCurrentValues()
    {
        TForm f;
        auto *v = f.Add<TKvDoubleVector>(QStringLiteral("YValues"));
        v->SetValues({1, 2, 6});
        auto *label = f.Add<TKvRichLabel>(QStringLiteral("Label1"));
        auto *axis = f.Add<TKvAxis>(QStringLiteral("Axis1"));
        axis->SetCaption(TKvRichCaption(QStringLiteral("Time")));
        const QString point = QLocale().decimalPoint();
        QCOMPARE(CaptionVariableText(QStringLiteral("YValues.Mean;0.00"), label), QStringLiteral("3") + point + QStringLiteral("00"));
        QCOMPARE(CaptionVariableText(QStringLiteral("YValues.Max-YValues.Min"), label), QStringLiteral("5"));
        QCOMPARE(CaptionVariableText(QStringLiteral("Plant.Temperature*2;0"), label), QStringLiteral("43"));
        QCOMPARE(CaptionVariableText(QStringLiteral("Operator"), label), QStringLiteral("Miller"));
        QCOMPARE(CaptionVariableText(QStringLiteral("Axis1.Caption"), label), QStringLiteral("Time"));
        // A formula with a second ";" keeps it in its format (the zero section).
        QCOMPARE(CaptionVariableText(QStringLiteral("YValues.Count-3;0;-0;'empty'"), label), QStringLiteral("empty"));
        // Unknown names and bad formulas show a question mark; without the form the
        // components are unknown.
        QCOMPARE(CaptionVariableText(QStringLiteral("Nobody.Mean"), label), QStringLiteral("?"));
        QCOMPARE(CaptionVariableText(QStringLiteral("sin("), label), QStringLiteral("?"));
        QCOMPARE(CaptionVariableText(QStringLiteral("YValues.Mean"), nullptr), QStringLiteral("?"));
        QCOMPARE(CaptionVariableText(QStringLiteral("inf"), label), QStringLiteral("?"));
        QCOMPARE(CaptionVariableText(QStringLiteral("1/0;0.00"), label), QStringLiteral("INF"));
        QCOMPARE(CaptionVariableText(QStringLiteral("sqrt(-1)"), label), QStringLiteral("NAN"));
        QCOMPARE(CaptionVariableText(QStringLiteral("1") + QStringLiteral("+1").repeated(5000), label), QStringLiteral("5001"));
        // Live: the label shows the vector as it is now.
        label->SetCaption(TKvRichCaption(Group + QStringLiteral("n=\\var{YValues.Count}}")));
        QCOMPARE(label->Caption().ToPlainText(label), QStringLiteral("n=3"));
        v->Add(4);
        QCOMPARE(label->Caption().ToPlainText(label), QStringLiteral("n=4"));
        // A caption that names itself stops.
        axis->SetCaption(TKvRichCaption(Group + QStringLiteral("\\var{Axis1.Caption}}")));
        QCOMPARE(CaptionVariableText(QStringLiteral("Axis1.Caption"), label), QString());
    }

    void treesListVariablesAndFindThemByReference()
    {
        TForm f;
        f.Add<TKvDoubleVector>(QStringLiteral("XValues"));
        f.Add<TKvAxis>(QStringLiteral("Axis1"))->SetCaption(TKvRichCaption(QStringLiteral("t")));
        QTreeWidget numbers, strings;
        PopulateTreeWithVariables(&numbers);
        PopulateTreeWithStrings(&strings);
        QTreeWidgetItem *mean = FindInTree(QStringLiteral("XValues.Mean"), &numbers);
        QVERIFY(mean);
        QCOMPARE(mean->text(0), QStringLiteral("Mean"));
        QCOMPARE(mean->parent()->text(0), QStringLiteral("XValues"));
        QCOMPARE(RefFromNode(mean->parent()), QString()); // a group has no reference
        QVERIFY(FindInTree(QStringLiteral("Axis1.Stop"), &numbers));
        QCOMPARE(FindInTree(QStringLiteral("Plant.Temperature"), &numbers)->parent()->text(0), QStringLiteral("Plant"));
        QVERIFY(FindInTree(QStringLiteral("Axis1.Caption"), &strings));
        QVERIFY(FindInTree(QStringLiteral("Date"), &strings));
        QVERIFY(!FindInTree(QStringLiteral("XValues"), &numbers));
        QVERIFY(!FindInTree(QStringLiteral("XValues.Mean"), &strings));
        // The index follows the tree: a removed node is not found, a new one is.
        delete mean;
        QVERIFY(!FindInTree(QStringLiteral("XValues.Mean"), &numbers));
        auto *extra = new QTreeWidgetItem(&numbers);
        extra->setData(0, Qt::UserRole, QStringLiteral("Extra"));
        QCOMPARE(FindInTree(QStringLiteral("Extra"), &numbers), extra);
        extra->setData(0, Qt::UserRole, QStringLiteral("Renamed"));
        QCOMPARE(FindInTree(QStringLiteral("Renamed"), &numbers), extra);
        QStringList functions;
        PopulateListWithFunctions(functions);
        QVERIFY(functions.contains(QStringLiteral("sin(")) && functions.contains(QStringLiteral("sqrt(")));
        QVERIFY(std::is_sorted(functions.begin(), functions.end()));
    }

    // ---- The formula composer: tokens, caret rules, insertion ----------------------------------

    void recognisesTheVariableAroundAPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pos");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addRow("inside") << "ab+cd" << 1 << true << 0 << 2;
        QTest::addRow("after the last character") << "ab+cd" << 2 << true << 0 << 2;
        QTest::addRow("the delimiter belongs to the token") << "ab+cd" << 3 << false << 0 << 5;
        QTest::addRow("second name") << "ab+cd" << 5 << true << 3 << 2;
        QTest::addRow("caret at 0") << "ab+cd" << 0 << false << 0 << 0;
        QTest::addRow("one character") << "a+b" << 1 << false << 0 << 0;
        QTest::addRow("one character at the end") << "a+b" << 3 << false << 0 << 0;
        QTest::addRow("in a call") << "sin(ab)" << 6 << true << 4 << 2;
        QTest::addRow("in brackets") << "[cd]^2" << 3 << true << 1 << 2;
        QTest::addRow("before the name, after a delimiter") << "x+ab" << 2 << false << 0 << 4;
        QTest::addRow("dotted name") << "2*Plant.Temperature" << 10 << true << 2 << 17;
        QTest::addRow("not a variable") << "abc*2" << 2 << false << 0 << 3;
    }
    void recognisesTheVariableAroundAPosition()
    {
        QFETCH(QString, text);
        QFETCH(int, pos);
        QFETCH(bool, found);
        TCaptionEditFrm form;
        const TKvFormulaSelRec r = form.NodeFromSelection(text, pos);
        QCOMPARE(r.Found, found);
        QCOMPARE(r.Node != nullptr, found);
        if (found)
            QCOMPARE(RefFromNode(r.Node), text.mid(r.VarStart, r.VarLen));
        if (found || r.VarLen > 0) {
            QTEST(r.VarStart, "start");
            QTEST(r.VarLen, "length");
        }
    }

    void caretNeverRestsInsideAVariableName()
    {
        TOpenDialog d;
        d.TypeFormula(QStringLiteral("ab+cd"));
        QCOMPARE(d.Caret(), 5);
        QCOMPARE(d.Variables()->currentItem()->text(0), QStringLiteral("cd"));
        Keys(d.Formula(), {Qt::Key_Left}); // into "cd" from the right: to its start
        QCOMPARE(d.Caret(), 3);
        Keys(d.Formula(), {Qt::Key_Left});
        QCOMPARE(d.Caret(), 2);
        QCOMPARE(d.Variables()->currentItem()->text(0), QStringLiteral("ab"));
        Keys(d.Formula(), {Qt::Key_Left}); // between a and b from the right
        QCOMPARE(d.Caret(), 0);
        Keys(d.Formula(), {Qt::Key_Right}); // from the left: over the name
        QCOMPARE(d.Caret(), 2);
        // Selecting with the keyboard grows over a whole name, and shrinks back before it.
        Keys(d.Formula(), {Qt::Key_Right}, Qt::ShiftModifier);
        QCOMPARE(d.Formula()->selectedText(), QStringLiteral("+"));
        Keys(d.Formula(), {Qt::Key_Right}, Qt::ShiftModifier);
        QCOMPARE(d.Formula()->selectedText(), QStringLiteral("+cd"));
        Keys(d.Formula(), {Qt::Key_Home});
        QCOMPARE(d.Caret(), 0);
        QCOMPARE(d.Variables()->currentItem(), nullptr);
    }

    void deletesAVariableNameWhole_data()
    {
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("left");
        QTest::addRow("Delete at 3 removes cd") << 3 << int(Qt::Key_Delete) << "ab+";
        QTest::addRow("Backspace at 2 removes ab") << 2 << int(Qt::Key_Backspace) << "+cd";
        QTest::addRow("Delete at 2 removes only +") << 2 << int(Qt::Key_Delete) << "abcd";
        QTest::addRow("Backspace at 3 removes only +") << 3 << int(Qt::Key_Backspace) << "abcd";
        QTest::addRow("Backspace at 5 removes cd") << 5 << int(Qt::Key_Backspace) << "ab+";
        QTest::addRow("Delete at 0 removes ab") << 0 << int(Qt::Key_Delete) << "+cd";
    }
    void deletesAVariableNameWhole()
    {
        QFETCH(int, caret);
        QFETCH(int, key);
        TOpenDialog d;
        d.TypeFormula(QStringLiteral("ab+cd"));
        Keys(d.Formula(), {Qt::Key_Home});
        while (d.Caret() < caret)
            Keys(d.Formula(), {Qt::Key_Right});
        QCOMPARE(d.Caret(), caret);
        Keys(d.Formula(), {Qt::Key(key)});
        QTEST(d.Formula()->text(), "left");
    }

    void ctrlASelectsTheWholeFormula()
    {
        TOpenDialog d;
        d.TypeFormula(QStringLiteral("ab*2"));
        Keys(d.Formula(), {Qt::Key_A}, Qt::ControlModifier);
        QCOMPARE(d.Formula()->selectedText(), QStringLiteral("ab*2"));
    }

    void functionsAndVariablesGoIntoTheFormulaAtItsCaret()
    {
        TOpenDialog d;
        d.TypeFormula(QStringLiteral("2*"));
        // The formula edit gives the focus away; the insertion still lands at its caret.
        QListWidgetItem *sqrt = d.Functions()->findItems(QStringLiteral("sqrt("), Qt::MatchExactly).value(0);
        d.Functions()->scrollToItem(sqrt);
        QTest::mouseClick(d.Functions()->viewport(), Qt::LeftButton, {}, d.Functions()->visualItemRect(sqrt).center());
        QTest::mouseClick(Child<QPushButton>(&d.Form, "InsFunctionBtn"), Qt::LeftButton);
        Idle();
        QCOMPARE(d.Formula()->text(), QStringLiteral("2*sqrt("));
        QCOMPARE(d.Caret(), 7);
        QVERIFY(d.Formula()->hasFocus());
        QTreeWidgetItem *gain = NodeByText(d.Variables(), QStringLiteral("Gain"));
        QTest::mouseDClick(d.Variables()->viewport(), Qt::LeftButton, {}, NodePoint(d.Variables(), gain));
        Idle();
        QCOMPARE(d.Formula()->text(), QStringLiteral("2*sqrt(Gain"));
        // A group is no variable: neither the button nor a double click inserts it.
        QTreeWidgetItem *plant = NodeByText(d.Variables(), QStringLiteral("Plant"));
        QTest::mouseClick(d.Variables()->viewport(), Qt::LeftButton, {}, NodePoint(d.Variables(), plant));
        QTest::mouseClick(Child<QPushButton>(&d.Form, "InsVariableBtn"), Qt::LeftButton);
        QTest::mouseDClick(d.Variables()->viewport(), Qt::LeftButton, {}, NodePoint(d.Variables(), plant));
        Idle();
        QCOMPARE(d.Formula()->text(), QStringLiteral("2*sqrt(Gain"));
    }

    void formulaAndFormatJoinAndSplit()
    {
        TOpenDialog d;
        d.TypeFormula(QStringLiteral("ab*2"));
        d.Format()->setText(QStringLiteral("0.0;(0.0)"));
        QTest::mouseClick(Child<QPushButton>(&d.Form, "InsFormulaBtn"), Qt::LeftButton);
        Idle();
        QVERIFY(d.Errors.isEmpty());
        QCOMPARE(d.Caption()->GetCaption().Text, Group + QStringLiteral("\\var{ab*2;0.0;(0.0)}}"));
        QCOMPARE(d.Caption()->SelStart(), 1); // stepped over the variable
        // Read back: split at the first ";", the second stays in the format.
        d.Format()->setText(QStringLiteral("stale"));
        d.Caption()->SetSelStart(0);
        d.Caption()->SetSelStart(1);
        QCOMPARE(d.Formula()->text(), QStringLiteral("ab*2"));
        QCOMPARE(d.Format()->text(), QStringLiteral("0.0;(0.0)"));
    }

    void variableTextsReadBackIntoTheirControls_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("stringNode");
        QTest::addRow("string variable") << "Operator" << "" << "kept" << "Operator";
        QTest::addRow("a non-string variable is a formula") << "Gain" << "Gain" << "" << "";
        QTest::addRow("formula") << "2*ab" << "2*ab" << "" << "";
        QTest::addRow("two semicolons") << "ab;0;-0" << "ab" << "0;-0" << "";
        QTest::addRow("empty format") << "ab;" << "ab" << "" << "";
    }
    void variableTextsReadBackIntoTheirControls()
    {
        QFETCH(QString, variable);
        TOpenDialog d;
        d.Format()->setText(QStringLiteral("kept"));
        d.TypeFormula(QStringLiteral("leftover"));
        d.Caption()->SetCaption(TKvRichCaption(Group + QStringLiteral("x\\var{") + variable + QStringLiteral("}}")));
        QTest::mouseClick(d.Caption()->Editor()->viewport(), Qt::LeftButton, {}, QPoint(2, 5));
        d.Caption()->SetSelStart(2);
        Idle();
        QTEST(d.Formula()->text(), "formula");
        QTEST(d.Format()->text(), "format");
        QTreeWidgetItem *node = d.Strings()->currentItem();
        QTEST(node && node->isSelected() ? node->text(0) : QString(), "stringNode");
    }

    void rejectedFormulaChangesNothing()
    {
        TOpenDialog d;
        d.Caption()->SetCaption(TKvRichCaption(QStringLiteral("Before")));
        d.TypeFormula(QStringLiteral("sqrt(ab"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, d.Form.InsFormulaBtnClick());
        QTest::mouseClick(Child<QPushButton>(&d.Form, "InsFormulaBtn"), Qt::LeftButton);
        Idle();
        QCOMPARE(d.Errors.size(), 1);
        QVERIFY2(d.Errors[0].contains(QLatin1String("sqrt(ab")), qPrintable(d.Errors[0]));
        QCOMPARE(d.Caption()->GetCaption().Text, QStringLiteral("Before"));
        QVERIFY(d.Form.isVisible()); // the dialog stays open for a correction
    }

    // ---- Drag and drop ------------------------------------------------------------------------

    void dropsFromEachSource()
    {
        TOpenDialog d;
        QTreeWidget *strings = d.Strings(), *vars = d.Variables();
        TKvCaptionEdit *cap = d.Caption();
        QWidget *capView = cap->Editor()->viewport();
        d.Caption()->SetCaption(TKvRichCaption(QStringLiteral("AAAA BBBB")));

        // String variable, dropped between the two words: the caret followed the mouse.
        const QPoint between = EditMessages::PosFromChar(cap->Editor(), 5) + QPoint(1, 6);
        Drag(strings->viewport(), NodePoint(strings, NodeByText(strings, QStringLiteral("Operator"))), capView,
             capView->mapFrom(cap->Editor(), between));
        QCOMPARE(cap->GetCaption().Text, Group + QStringLiteral("AAAA \\var{Operator}BBBB}"));
        QCOMPARE(cap->SelStart(), 5); // a drop does not step over the variable
        QVERIFY(cap->Focused());

        // A numeric variable becomes a formula with the format.
        d.Format()->setText(QStringLiteral("0.0"));
        Drag(vars->viewport(), NodePoint(vars, NodeByText(vars, QStringLiteral("Temperature"))), capView, QPoint(2, 5));
        QVERIFY2(cap->GetCaption().Text.startsWith(Group + QStringLiteral("\\var{Plant.Temperature;0.0}AAAA")), qPrintable(cap->GetCaption().Text));

        // A function into the formula, at the character under the mouse.
        d.TypeFormula(QStringLiteral("ab+cd"));
        QListWidgetItem *exp = d.Functions()->findItems(QStringLiteral("exp("), Qt::MatchExactly).value(0);
        d.Functions()->scrollToItem(exp);
        const QPoint atPlus = EditMessages::PosFromChar(d.Formula(), 3) + QPoint(1, 5);
        Drag(d.Functions()->viewport(), d.Functions()->visualItemRect(exp).center(), d.Formula(), atPlus);
        QCOMPARE(d.Formula()->text(), QStringLiteral("ab+exp(cd"));

        // A variable into the formula.
        Drag(vars->viewport(), NodePoint(vars, NodeByText(vars, QStringLiteral("Gain"))), d.Formula(),
             EditMessages::PosFromChar(d.Formula(), 0) + QPoint(1, 5));
        QCOMPARE(d.Formula()->text(), QStringLiteral("Gainab+exp(cd"));

        // The formula itself, taken right of its text (with its 100 pixel threshold). A caret
        // move in the caption empties the formula edit: the caption first.
        d.Caption()->SetCaption(TKvRichCaption(QStringLiteral("X")));
        d.TypeFormula(QStringLiteral("ab*2"));
        d.Format()->clear();
        const QPoint rightOfText(d.Formula()->width() - 20, 10);
        Drag(d.Formula(), rightOfText, capView, QPoint(40, 5));
        QCOMPARE(cap->GetCaption().Text, Group + QStringLiteral("X\\var{ab*2}}"));
        QVERIFY(d.Errors.isEmpty());
    }

    void dragsStartOnlyWhereTheyMay()
    {
        TOpenDialog d;
        TKvCaptionEdit *cap = d.Caption();
        QWidget *capView = cap->Editor()->viewport();
        cap->SetCaption(TKvRichCaption(QStringLiteral("X")));
        d.TypeFormula(QStringLiteral("ab*2"));
        // Pressed on the text of the formula: that is text selection, not a drag.
        Drag(d.Formula(), QPoint(6, 10), capView, QPoint(40, 5));
        QCOMPARE(cap->GetCaption().Text, QStringLiteral("X"));
        // Right of the text but released before the threshold of 100 pixels.
        const QPoint right(d.Formula()->width() - 20, 10);
        QTest::mousePress(d.Formula(), Qt::LeftButton, {}, right);
        QVERIFY(DragModel::Dragging(d.Formula()));
        QTest::mouseMove(d.Formula(), right + QPoint(0, 60));
        QVERIFY(!DragModel::DragStarted());
        QTest::mouseRelease(d.Formula(), Qt::LeftButton, {}, right + QPoint(0, 60));
        QVERIFY(!DragModel::Dragging(d.Formula()));
        // A group of the trees does not drag.
        QTreeWidgetItem *plant = NodeByText(d.Variables(), QStringLiteral("Plant"));
        Drag(d.Variables()->viewport(), NodePoint(d.Variables(), plant), capView, QPoint(40, 5));
        QTreeWidgetItem *system = NodeByText(d.Strings(), QStringLiteral("System"));
        Drag(d.Strings()->viewport(), NodePoint(d.Strings(), system), capView, QPoint(40, 5));
        QCOMPARE(cap->GetCaption().Text, QStringLiteral("X"));
        // Escape gives a drag up: nothing is dropped.
        QTreeWidget *strings = d.Strings();
        const QPoint from = NodePoint(strings, NodeByText(strings, QStringLiteral("Operator")));
        QTest::mousePress(strings->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(strings->viewport(), from + QPoint(0, 30));
        QVERIFY(DragModel::DragStarted());
        QTest::mouseMove(capView, QPoint(10, 5));
        QCOMPARE(DragModel::DragTarget(), cap);
        QVERIFY(DragModel::DragAccepted());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!DragModel::Dragging(strings));
        QTest::mouseRelease(capView, Qt::LeftButton, {}, QPoint(10, 5));
        QCOMPARE(cap->GetCaption().Text, QStringLiteral("X"));
        // A function is not accepted by the caption.
        QListWidgetItem *sin = d.Functions()->findItems(QStringLiteral("sin("), Qt::MatchExactly).value(0);
        d.Functions()->scrollToItem(sin);
        const QPoint fp = d.Functions()->visualItemRect(sin).center();
        QTest::mousePress(d.Functions()->viewport(), Qt::LeftButton, {}, fp);
        QTest::mouseMove(d.Functions()->viewport(), fp - QPoint(0, 30));
        QTest::mouseMove(capView, QPoint(10, 5));
        QVERIFY(!DragModel::DragAccepted());
        QTest::mouseRelease(capView, Qt::LeftButton, {}, QPoint(10, 5));
        Idle();
        QCOMPARE(cap->GetCaption().Text, QStringLiteral("X"));
    }

    void droppedFormulaThatDoesNotParseIsShownAndNotInserted()
    {
        TOpenDialog d;
        d.Caption()->SetCaption(TKvRichCaption(QStringLiteral("X")));
        d.TypeFormula(QStringLiteral("ab*"));
        Drag(d.Formula(), QPoint(d.Formula()->width() - 20, 10), d.Caption()->Editor()->viewport(), QPoint(40, 5));
        QCOMPARE(d.Errors.size(), 1);
        QCOMPARE(d.Caption()->GetCaption().Text, QStringLiteral("X"));
        QVERIFY(!DragModel::Dragging(d.Formula()));
    }

    // ---- The insertion mark ---------------------------------------------------------------------

    void insertionMarkOnlyWhileNeitherEditHasTheFocus_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("mark");
        QTest::addRow("elsewhere") << "2*ab" << "OKButton" << false << true;
        QTest::addRow("formula focused") << "2*ab" << "FormulaEdit" << false << false;
        QTest::addRow("caption focused") << "2*ab" << "CaptionEdit" << false << false;
        QTest::addRow("selection") << "2*ab" << "OKButton" << true << false;
        QTest::addRow("empty formula") << "" << "OKButton" << false << false;
    }
    void insertionMarkOnlyWhileNeitherEditHasTheFocus()
    {
        QFETCH(QString, formula);
        QFETCH(QString, focus);
        QFETCH(bool, select);
        QFETCH(bool, mark);
        TOpenDialog d;
        d.TypeFormula(formula.isEmpty() ? QStringLiteral("x") : formula);
        if (formula.isEmpty())
            Keys(d.Formula(), {Qt::Key_Backspace});
        if (select)
            Keys(d.Formula(), {Qt::Key_Left}, Qt::ShiftModifier);
        // Where the mark would stand: the caret as the edit leaves it.
        const int x = EditMessages::GetCaretPos(d.Formula()).x();
        Child<QWidget>(&d.Form, focus.toLatin1().constData())->setFocus();
        if (d.Formula()->text() != formula) { // entering the caption emptied the formula: refill it
            d.Formula()->setText(formula);
            EditMessages::SetSelStart(d.Formula(), int(formula.size()));
        }
        Idle();
        const int h = d.Formula()->height() - 2;
        const QImage img = OnScreen(d.Formula());
        // The stem from 1 to h - 1; serifs of two pixels on both sides at 0 and at h, none at x.
        const bool stem = Dark(img.pixelColor(x, 1)) && Dark(img.pixelColor(x, h - 1)) && Dark(img.pixelColor(x, h / 2));
        const bool serifs = Dark(img.pixelColor(x - 2, 0)) && Dark(img.pixelColor(x - 1, 0)) && Dark(img.pixelColor(x + 1, h))
                            && Dark(img.pixelColor(x + 2, h)) && !Dark(img.pixelColor(x - 3, 0)) && !Dark(img.pixelColor(x + 3, h));
        QCOMPARE(stem && serifs, mark);
        QCOMPARE(stem || serifs, mark);
        if (mark) {
            QVERIFY(!Dark(img.pixelColor(x, 0))); // the serifs leave the stem's column open
            // Entering the formula edit repaints it: the mark is gone.
            QTest::mouseClick(d.Formula(), Qt::LeftButton, {}, QPoint(2, 10));
            Idle();
            QVERIFY(!Dark(OnScreen(d.Formula()).pixelColor(x - 2, 0)));
        }
    }

    // ---- Style tool bar and fonts combo ---------------------------------------------------------

    void styleButtonsInvertWhatTheCaptionReports()
    {
        TOpenDialog d;
        TKvCaptionEdit *cap = d.Caption();
        cap->SetCaption(TKvRichCaption(QStringLiteral("word")));
        QTest::mouseClick(cap->Editor()->viewport(), Qt::LeftButton, {}, QPoint(3, 5));
        cap->SetSelStart(0);
        cap->SetSelLength(4);
        Idle();
        auto *bold = Child<QToolButton>(&d.Form, "BoldButton");
        QVERIFY(!bold->isChecked());
        QTest::mouseClick(bold, Qt::LeftButton);
        QVERIFY(cap->GetBold());
        // The caption changes behind the button's back: the click follows the caption.
        cap->SetBold(false);
        QVERIFY(bold->isChecked());
        QTest::mouseClick(bold, Qt::LeftButton);
        QVERIFY(cap->GetBold());
        QTest::mouseClick(Child<QToolButton>(&d.Form, "SuperScriptButton"), Qt::LeftButton);
        QVERIFY(cap->GetSuperscript());
        QTest::mouseClick(Child<QToolButton>(&d.Form, "SubscriptButton"), Qt::LeftButton);
        QVERIFY(cap->GetSubscript() && !cap->GetSuperscript());
        // The buttons follow the next selection change.
        cap->SetSelStart(1);
        Idle();
        QVERIFY(Child<QToolButton>(&d.Form, "SubscriptButton")->isChecked());
        QVERIFY(!Child<QToolButton>(&d.Form, "SuperScriptButton")->isChecked());
        QVERIFY(Child<QToolButton>(&d.Form, "BoldButton")->isChecked());
        QCOMPARE(Child<TKvColorPickCombo>(&d.Form, "SelColorPick")->GetAsTColor(), ColorToRGB(cap->FontColor()));
    }

    void fontsComboFindsTheFirstFamilyOfATypedLetter()
    {
        TStringListEditor form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto *combo = Child<QComboBox>(&form, "FontsCombo");
        QVERIFY(combo->count() > 2);
        // The combo's own order: sorted without regard to case.
        for (int i = 1; i < combo->count(); ++i)
            QVERIFY2(combo->itemText(i - 1).compare(combo->itemText(i), Qt::CaseInsensitive) <= 0, qPrintable(combo->itemText(i)));
        QString first = combo->itemText(combo->count() - 1);
        int expected = combo->count() - 1;
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).startsWith(first.at(0), Qt::CaseInsensitive)) {
                expected = i;
                break;
            }
        combo->setFocus();
        combo->setCurrentIndex(-1);
        for (int round = 0; round < 2; ++round) {
            // Typed in lower case; the same letter twice stays on the first family.
            QTest::keyClick(combo, first.at(0).toLower().toLatin1());
            QCOMPARE(combo->currentIndex(), expected);
            QVERIFY(combo->view()->isVisible()); // the list dropped down
            QTest::keyClick(combo->view(), Qt::Key_Escape);
            QTRY_VERIFY(!combo->view()->isVisible());
        }
        // A character no family starts with leaves the choice as it is.
        QTest::keyClick(combo, '~');
        QCOMPARE(combo->currentIndex(), expected);
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        // Each family is drawn in its own font: the face of "Liberation Mono" differs from a sans.
        const QImage a = combo->grab().toImage();
        combo->setCurrentIndex(combo->findText(QStringLiteral("Liberation Mono")));
        const QImage b = combo->grab().toImage();
        QVERIFY(combo->currentIndex() >= 0);
        QVERIFY(a != b);
    }

    void fontsComboSelectionSetsTheFontOfTheSelection()
    {
        TOpenDialog d;
        d.Caption()->SetCaption(TKvRichCaption(QStringLiteral("abc")));
        d.Caption()->SetSelStart(1);
        d.Caption()->SetSelLength(1);
        auto *combo = Child<QComboBox>(&d.Form, "FontsCombo");
        const int mono = combo->findText(QStringLiteral("Liberation Mono"));
        QVERIFY(mono >= 0);
        combo->setFocus();
        combo->setCurrentIndex(mono - 1);
        QTest::keyClick(combo, Qt::Key_Down); // the user picks the next family
        Idle();
        QCOMPARE(d.Caption()->GetFontName(), QStringLiteral("Liberation Mono"));
        QVERIFY(d.Caption()->Focused());
        QVERIFY(d.Caption()->GetCaption().Text.contains(QLatin1String("\\font{Liberation Mono}b")));
    }

    // ---- The property editors ------------------------------------------------------------------

    void threeAxesGetOneCaptionAndFontName()
    {
        TForm f;
        TKvAxis *axes[3] = {f.Add<TKvAxis>(QStringLiteral("A1")), f.Add<TKvAxis>(QStringLiteral("A2")), f.Add<TKvAxis>(QStringLiteral("A3"))};
        axes[0]->GetCaptionFont()->SetName(QStringLiteral("Liberation Sans"));
        axes[0]->SetCaptionColor(0x80FF0000); // half transparent: shown as red
        axes[1]->GetCaptionFont()->SetName(QStringLiteral("Liberation Mono"));
        axes[1]->SetCaptionColor(0xFF000000);
        axes[2]->SetCaptionColor(0xFFFF0000);
        axes[0]->SetCaption(TKvRichCaption(QStringLiteral("old")));
        TTestDesigner designer;
        auto editor = EditorFor<TKvRichCaptionEditor>(&designer, {axes[0], axes[1], axes[2]}, "Caption");
        QCOMPARE(editor->GetAttributes(), (TPropertyAttributes{paDialog, paMultiSelect, paAutoUpdate, paRevertable}));
        QString shown, family;
        TColor color = clNone;
        bool references = false;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            auto *cap = static_cast<TCaptionEditFrm *>(w)->CaptionEdit();
            shown = cap->GetCaption().Text;
            family = cap->font().family();
            color = cap->FontColor();
            references = cap->ShowReferences();
            QTest::mouseClick(cap->Editor()->viewport(), Qt::LeftButton, {}, QPoint(3, 5));
            QTest::keyClick(cap->Editor(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(cap->Editor(), QStringLiteral("Time"));
            QTest::mouseClick(Child<QPushButton>(w, "OKButton"), Qt::LeftButton);
        });
        editor->Edit();
        QVERIFY(*ran);
        QCOMPARE(shown, QStringLiteral("old"));
        QCOMPARE(family, QStringLiteral("Liberation Sans")); // styled after the first axis
        QCOMPARE(color, clRed);
        QVERIFY(references);
        for (TKvAxis *a : axes) {
            QCOMPARE(a->Caption().Text, QStringLiteral("Time"));
            QCOMPARE(a->GetCaptionFont()->Name(), QStringLiteral("Liberation Sans"));
        }
        // Only where the colour differed: the first keeps its own (transparent) red.
        QCOMPARE(axes[0]->GetCaptionColor().Value, 0x80FF0000u);
        QCOMPARE(axes[1]->GetCaptionColor().Value, 0xFFFF0000u);
        QCOMPARE(axes[2]->GetCaptionColor().Value, 0xFFFF0000u);
        QVERIFY(designer.ModifiedCount > 0);

        // Cancel writes nothing.
        const int modified = designer.ModifiedCount;
        ran = ModalDriver::WhenModal([](QWidget *w) { QTest::mouseClick(Child<QPushButton>(w, "BitBtn2"), Qt::LeftButton); });
        editor->Edit();
        QVERIFY(*ran);
        QCOMPARE(designer.ModifiedCount, modified);
        QCOMPARE(axes[1]->Caption().Text, QStringLiteral("Time"));
    }

    void richLabelIsStyledAfterItsFont()
    {
        TForm f;
        auto *label = f.Add<TKvRichLabel>(QStringLiteral("Label1"));
        label->GetFont()->SetName(QStringLiteral("Liberation Mono"));
        label->GetFont()->SetBold(true);
        label->SetForeColor(0xFF0000FF);
        label->SetCaption(TKvRichCaption(Group + QStringLiteral("\\var{Pi;0.00}}")));
        TTestDesigner designer;
        auto editor = EditorFor<TKvRichCaptionEditor>(&designer, {label}, "Caption");
        QFont font;
        TColor fontColor = clNone, background = clNone;
        QString token;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            auto *cap = static_cast<TCaptionEditFrm *>(w)->CaptionEdit();
            font = cap->font();
            fontColor = cap->FontColor();
            background = cap->Color();
            token = cap->TokenText(0);
            ModalDriver::Accept(w);
        });
        editor->Edit();
        QVERIFY(*ran);
        QCOMPARE(font.family(), QStringLiteral("Liberation Mono"));
        QVERIFY(font.bold());
        QCOMPARE(fontColor, clBlue);
        QCOMPARE(background, ARGBToTColor(ContrastBackGround(0xFF0000FF)));
        QCOMPARE(token, QStringLiteral("Pi;0.00")); // the designer sees references
        QCOMPARE(label->GetFont()->Name(), QStringLiteral("Liberation Mono"));
        QCOMPARE(label->GetFont()->Color().Value, 0xFF0000FFu);
        QCOMPARE(label->Caption().ToPlainText(label), QStringLiteral("3") + QLocale().decimalPoint() + QStringLiteral("14"));
    }

    void captionListSplitsAtCarriageReturns()
    {
        TForm f;
        auto *pie = f.Add<TKvPieChart>(QStringLiteral("Pie1"));
        pie->Captions()->SetStrings({QStringLiteral("a"), QString(), QStringLiteral("b"), QString(), QString()});
        pie->LabelFont()->SetName(QStringLiteral("Liberation Serif"));
        pie->SetLabelColor(0xFF008000);
        TTestDesigner designer;
        auto editor = EditorFor<TKvCaptionListEditor>(&designer, {pie}, "Captions");
        QCOMPARE(editor->GetValue(), QStringLiteral("(TKvCaptions)"));
        QCOMPARE(editor->GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
        QString loaded, family;
        TColor color = clNone;
        bool okLeftOfCancel = false;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            auto *cap = static_cast<TStringListEditor *>(w)->CaptionEdit();
            loaded = cap->GetCaption().Text;
            family = cap->font().family();
            color = cap->FontColor();
            okLeftOfCancel = Child<QPushButton>(w, "OKBtn")->x() < Child<QPushButton>(w, "CancelBtn")->x();
            QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
        });
        editor->Edit();
        QVERIFY(*ran);
        QCOMPARE(family, QStringLiteral("Liberation Serif"));
        QCOMPARE(color, ARGBToTColor(0xFF008000));
        QVERIFY(okLeftOfCancel);
        QCOMPARE(loaded, QStringLiteral("a\r\rb\r\r"));
        QCOMPARE(pie->Captions()->Strings(), QStringList({QStringLiteral("a"), QString(), QStringLiteral("b")}));

        // Typed lines with a bold word become items, each in its own stored form.
        ran = ModalDriver::WhenModal([&](QWidget *w) {
            auto *cap = static_cast<TStringListEditor *>(w)->CaptionEdit();
            QTest::mouseClick(cap->Editor()->viewport(), Qt::LeftButton, {}, QPoint(3, 5));
            QTest::keyClick(cap->Editor(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(cap->Editor(), QStringLiteral("Wind"));
            QTest::keyClick(cap->Editor(), Qt::Key_Return);
            QTest::keyClicks(cap->Editor(), QStringLiteral("Sun"));
            cap->SetSelStart(5);
            cap->SetSelLength(3);
            QTest::mouseClick(Child<QToolButton>(w, "BoldButton"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(w, "OKBtn"), Qt::LeftButton);
        });
        editor->Edit();
        QVERIFY(*ran);
        QCOMPARE(pie->Captions()->Strings(), QStringList({QStringLiteral("Wind"), Group + QStringLiteral("\\b Sun}")}));
        QCOMPARE(pie->SegmentCaption(1), QStringLiteral("Sun"));

        // Not a list: nothing opens.
        TKvAxis axis;
        auto none = EditorFor<TKvCaptionListEditor>(&designer, {&axis}, "Caption");
        ran = ModalDriver::WhenModal(ModalDriver::Accept, 100);
        none->Edit();
        QTest::qWait(150); // the watch for a dialog runs out before the next test opens one
        QVERIFY(!*ran);
    }

    void registeredForCaptionsAndCaptionLists_data()
    {
        QTest::addColumn<QString>("cls");
        QTest::addColumn<QString>("prop");
        QTest::addColumn<QString>("editor");
        QTest::addRow("row 17: graph caption") << "TKvGraph2D" << "Caption" << "TKvRichCaptionEditor";
        QTest::addRow("row 17: axis caption") << "TKvAxis" << "Caption" << "TKvRichCaptionEditor";
        QTest::addRow("row 17: label caption") << "TKvRichLabel" << "Caption" << "TKvRichCaptionEditor";
        QTest::addRow("row 21: axis rubrics") << "TKvAxis" << "Rubrics" << "TKvCaptionListEditor";
        QTest::addRow("row 22: bar captions") << "TKvBars" << "Captions" << "TKvCaptionListEditor";
        QTest::addRow("row 23: pie captions") << "TKvPieChart" << "Captions" << "TKvCaptionListEditor";
        QTest::addRow("other lists keep the class editor") << "TKvRadioGroup" << "Items" << "TClassProperty";
    }
    void registeredForCaptionsAndCaptionLists()
    {
        QFETCH(QString, cls);
        QFETCH(QString, prop);
        TDesignRegistry::Instance().Clear();
        Kvdesign::Register();
        const TClass c = FindClass(cls);
        QVERIFY2(c, qPrintable(cls));
        const QString name = GetEditorClass(GetPropInfo(c, prop), c).Name;
        TDesignRegistry::Instance().Clear();
        QTEST(name, "editor");
    }

    // ---- Drawing and the idle hook ---------------------------------------------------------------

    void chartsDrawRichCaptionsWithLiveValues()
    {
        TForm f;
        auto *label = f.Add<TKvRichLabel>(QStringLiteral("Label1"));
        label->resize(200, 30);
        label->SetBackColor(0xFFFFFFFF);
        label->SetCaption(TKvRichCaption(Group + QStringLiteral("\\cf{FFFF0000}\\b RED\\b0 \\cf0  \\var{Gain}}")));
        QImage img = label->grab().toImage();
        int red = 0, black = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                red += c.red() > 180 && c.green() < 80 && c.blue() < 80;
                black += Dark(c);
            }
        QVERIFY(red > 10);
        QVERIFY(black > 5); // the value of Gain in the label's own colour
        // Live: a changed value changes what is drawn.
        SetNumericVariable(QStringLiteral("Gain"), 123456);
        QVERIFY(label->grab().toImage() != img);
        QCOMPARE(label->Caption().ToPlainText(label), QStringLiteral("RED 123456"));
    }

    void idleHandlersRunWhenTheQueueIsEmpty()
    {
        TApplicationEvents events;
        int runs = 0;
        events.OnIdle = [&](QObject *Sender, bool &Done) {
            QCOMPARE(Sender, &events);
            ++runs;
            Done = runs >= 3; // not done: called again at once
        };
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY(runs >= 3);
        events.OnIdle = [](QObject *, bool &) { throw EConvertError(QStringLiteral("idle failed")); };
        QStringList shown;
        Forms::SetApplicationExceptionHandler([&](const QString &M) { shown << M; });
        AppEvnts::DoIdle();
        QCOMPARE(shown, QStringList{QStringLiteral("idle failed")});
    }

    void windowDrawingStaysUntilRepainted()
    {
        QWidget w;
        w.resize(60, 30);
        w.setAutoFillBackground(true);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto draw = [&] {
            HDC dc = GetDC(&w);
            TCanvas c(dc->Painter());
            c.Pen.Color = clBlack;
            c.MoveTo(5, 2);
            c.LineTo(5, 12);
            QCOMPARE(ReleaseDC(&w, dc), 1);
        };
        draw();
        QImage img = OnScreen(&w);
        QVERIFY(Dark(img.pixelColor(5, 2)) && Dark(img.pixelColor(5, 11)));
        QVERIFY(!Dark(img.pixelColor(5, 12))); // the end point is left out
        QVERIFY(WindowDC::IsShown(&w));
        // Grabs show it; a repaint elsewhere keeps it; a repaint over it erases it.
        QVERIFY(Dark(w.grab().toImage().pixelColor(5, 5)));
        w.repaint(QRect(40, 0, 10, 10));
        QVERIFY(Dark(OnScreen(&w).pixelColor(5, 5)));
        w.repaint();
        QVERIFY(!Dark(OnScreen(&w).pixelColor(5, 5)));
        QVERIFY(!WindowDC::IsShown(&w));
        draw(); // the same drawing again shows again
        QVERIFY(Dark(OnScreen(&w).pixelColor(5, 5)));
    }

    // ---- Pictures ------------------------------------------------------------------------------

    void pictures()
    {
        QDir().mkpath(QStringLiteral(KV_SHOTS_DIR));
        const QString dir = QStringLiteral(KV_SHOTS_DIR) + QLatin1Char('/');
        TForm f;
        f.Root.resize(760, 340);
        auto *graph = new TKvGraph2D(&f.Root, &f.Root);
        graph->SetName(QStringLiteral("Graph1"));
        graph->SetBounds(8, 8, 440, 320);
        auto *y = f.Add<TKvDoubleVector>(QStringLiteral("YValues"));
        y->SetValues({5, 6.3, 7.35, 7.9, 7.9, 7.3, 6.3});
        auto *x = f.Add<TKvDoubleVector>(QStringLiteral("XValues"));
        x->SetValues({0, 1, 2, 3, 4, 5, 6});
        auto *ax = f.Add<TKvAxis>(QStringLiteral("Axis1"));
        ax->SetGraph(graph);
        ax->SetCaption(TKvRichCaption(Group + QStringLiteral("Time t\\sub s\\nosupersub  [s]}")));
        auto *ay = f.Add<TKvAxis>(QStringLiteral("Axis2"));
        ay->SetGraph(graph);
        ay->SetPosition(TKvAxisPosition::Left);
        ay->SetCaption(TKvRichCaption(QStringLiteral("Level")));
        auto *series = f.Add<TKvLineSeries>(QStringLiteral("Series1"));
        series->SetGraph(graph);
        series->SetXData(x);
        series->SetYData(y);
        graph->SetCaption(TKvRichCaption(Group + QStringLiteral("\\b Level\\b0  \\var{Operator} \\cf{FFC00000}mean \\var{YValues.Mean;0.00}\\cf0  at \\var{Time}}")));
        auto *pie = new TKvPieChart(&f.Root, &f.Root);
        pie->SetName(QStringLiteral("PieChart1"));
        pie->SetBounds(456, 8, 296, 320);
        pie->SetValues({38, 24, 17, 12, 9});
        pie->SetLabelPosition(TKvPieLabelPosition::Inside);
        pie->Captions()->SetStrings({Group + QStringLiteral("\\b Wind}"), Group + QStringLiteral("\\cf{FF1A237E}Solar}"),
                                     QStringLiteral("Hydro"), Group + QStringLiteral("\\i Gas}"), QStringLiteral("Other")});
        pie->SetCaption(TKvRichCaption(QStringLiteral("Energy mix")));
        f.Root.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.Root));
        QVERIFY(graph->CaptionAsString().contains(QLatin1String("Miller mean 6")));
        QVERIFY(f.Root.grab().save(dir + QStringLiteral("captions_chart.png")));

        TTestDesigner designer;
        auto rich = EditorFor<TKvRichCaptionEditor>(&designer, {graph}, "Caption");
        QString formula;
        bool saved = false;
        auto ran = ModalDriver::WhenModal([&](QWidget *w) {
            auto *frm = static_cast<TCaptionEditFrm *>(w);
            QTest::mouseClick(frm->CaptionEdit()->Editor()->viewport(), Qt::LeftButton, {}, QPoint(200, 8));
            frm->CaptionEdit()->SetSelStart(14); // just after the formula: it shows in the composer
            Child<QPushButton>(w, "OKButton")->setFocus();
            Idle();
            frm->CaptionEdit()->Editor()->horizontalScrollBar()->setValue(0);
            formula = Child<QLineEdit>(w, "FormulaEdit")->text();
            saved = w->grab().save(dir + QStringLiteral("captioneditor.png"));
            ModalDriver::Reject(w);
        });
        rich->Edit();
        QVERIFY(*ran);
        QCOMPARE(formula, QStringLiteral("YValues.Mean"));
        QVERIFY(saved);
        auto list = EditorFor<TKvCaptionListEditor>(&designer, {pie}, "Captions");
        saved = false;
        ran = ModalDriver::WhenModal([&](QWidget *w) {
            Idle();
            saved = w->grab().save(dir + QStringLiteral("stringlisteditor.png"));
            ModalDriver::Reject(w);
        });
        list->Edit();
        QVERIFY(*ran);
        QVERIFY(saved);
    }
};

QTEST_MAIN(TstCaptionEditor)
#include "tst_captioneditor.moc"
