// The caption editor with 10,000 variables: recognising the variable around the formula's caret
// and the idle pass that follows the caret, against a linear search of the tree; and typing into
// a caption of 10,000 characters, against a plain QTextEdit holding the same text.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTextEdit>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "AppEvnts.h"
#include "Kvcaptionedit.h"
#include "Kvcaptioneditor.h"
#include "Kvparsefkt.h"

namespace {

// Milliseconds per call of Body, over enough calls to measure.
double PerCall(int Calls, const std::function<void(int)> &Body)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < Calls; ++i)
        Body(i);
    return double(t.nsecsElapsed()) / 1e6 / Calls;
}

// The naive lookup: every node of the tree, one after the other.
QTreeWidgetItem *LinearFind(const QString &Text, QTreeWidget *Tree)
{
    for (QTreeWidgetItemIterator it(Tree); *it; ++it)
        if (RefFromNode(*it) == Text)
            return *it;
    return nullptr;
}

void Report(const char *What, double Ours, double Peer, double Limit)
{
    std::printf("%-52s %9.4f ms   peer %9.4f ms   ratio %7.1fx   %s (limit %.1f ms)\n", What, Ours, Peer,
                Ours > 0 ? Peer / Ours : 0.0, Ours < Limit ? "ok" : "TOO SLOW", Limit);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    for (int g = 0; g < 100; ++g)
        for (int v = 0; v < 100; ++v)
            SetNumericVariable(QStringLiteral("G%1.V%2").arg(g, 3, 10, QLatin1Char('0')).arg(v, 3, 10, QLatin1Char('0')), g + v / 100.0);

    TCaptionEditFrm form;
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    auto *tree = form.findChild<QTreeWidget *>(QStringLiteral("VariablesView"));
    auto *formula = form.findChild<QLineEdit *>(QStringLiteral("FormulaEdit"));
    int leaves = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        leaves += (*it)->childCount() == 0;
    std::printf("Variables tree: %d leaves\n", leaves);

    // Recognition: the token around a position, looked up in the tree.
    const QString text = QStringLiteral("G017.V042+sqrt(G099.V099)*2-G050.V001");
    const int positions[] = {3, 9, 20, 24, 33, 37};
    FindInTree(QString(), tree); // nothing to find: an empty text is never looked up
    form.NodeFromSelection(text, 3); // builds the index once
    const double recognise = PerCall(20000, [&](int i) { form.NodeFromSelection(text, positions[i % 6]); });
    const double linear = PerCall(200, [&](int i) {
        // The same scan, with the naive lookup of the token.
        const int p = positions[i % 6];
        int a = p, b = p;
        while (a > 1 && QStringLiteral("+-*/^ ([").indexOf(text[a - 2]) < 0)
            --a;
        while (b < text.size() && QStringLiteral("+-*/^ )]").indexOf(text[b]) < 0)
            ++b;
        LinearFind(text.mid(a - 1, b - a + 1), tree);
    });
    Report("token recognition (10,000 variables)", recognise, linear, 0.1);

    // The idle pass: with the caret moving between names (recognition, the tree's selection and
    // the caret rules), and with nothing changed.
    formula->setText(text);
    formula->setFocus();
    bool done = true;
    for (int p : positions) { // the first visit of each group expands it in the tree
        formula->setCursorPosition(p);
        form.ApplicationEvents1Idle(&form, done);
    }
    const double moving = PerCall(5000, [&](int i) {
        formula->setCursorPosition(positions[i % 6]);
        form.ApplicationEvents1Idle(&form, done);
    });
    const double still = PerCall(20000, [&](int) { form.ApplicationEvents1Idle(&form, done); });
    const double naiveIdle = PerCall(200, [&](int i) {
        formula->setCursorPosition(positions[i % 6]);
        QTreeWidgetItem *n = LinearFind(QStringLiteral("G050.V001"), tree);
        tree->setCurrentItem(n);
    });
    Report("idle pass, caret moved", moving, naiveIdle, 0.1);
    Report("idle pass, nothing changed", still, naiveIdle, 0.1);

    // Typing into a caption of 10,000 characters (100 lines, with bold words and variables).
    QString stored;
    QString plain;
    for (int line = 0; line < 100; ++line) {
        QString l = QStringLiteral("{\\kvcap1 Line %1 \\b bold\\b0  ").arg(line, 3, 10, QLatin1Char('0'));
        QString p = QStringLiteral("Line %1 bold ").arg(line, 3, 10, QLatin1Char('0'));
        l += QStringLiteral("\\var{G%1.V001;0.00} ").arg(line % 100, 3, 10, QLatin1Char('0'));
        p += QStringLiteral("# ");
        while (p.size() < 99) {
            l += QLatin1Char('x');
            p += QLatin1Char('x');
        }
        stored += l + QStringLiteral("}\r");
        plain += p + QLatin1Char('\n');
    }
    TKvCaptionEdit *caption = form.CaptionEdit();
    caption->SetShowReferences(true);
    caption->SetCaption(TKvRichCaption(stored));
    std::printf("Caption: %d characters\n", caption->Editor()->document()->characterCount() - 1);
    caption->setFocus();
    caption->SetSelStart(5000);
    QTextEdit peer;
    peer.resize(caption->size());
    peer.setFont(caption->font());
    peer.setPlainText(plain);
    peer.show();
    (void)QTest::qWaitForWindowExposed(&peer);
    QTextCursor c = peer.textCursor();
    c.setPosition(5000);
    peer.setTextCursor(c);
    auto typing = [](QWidget *Target) {
        return PerCall(300, [Target](int i) {
            QTest::keyClick(Target, char('a' + i % 26));
            AppEvnts::ProcessMessagesAndIdle(); // the repaint and the dialog's idle pass
        });
    };
    form.activateWindow();
    const double ours = typing(caption->Editor());
    peer.activateWindow();
    const double plainTyping = typing(&peer);
    Report("typing into a 10,000-character caption", ours, plainTyping, 16);
    return 0;
}
