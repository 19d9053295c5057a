// The double array editor with 1,000,000 lines: filling the memo, and the parse after one
// keystroke (checked against the parse of the whole memo), against a QPlainTextEdit given the
// same text and parsed whole after the keystroke.
#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <cmath>
#include <cstdio>

#include "Kvdoublearrayeditor.h"
#include "StdCtrls.h"
#include "SysUtils.h"

namespace {
constexpr int Lines = 1000000;

TDoubleDynArray parseWhole(const QStringList &Lines)
{
    TDoubleDynArray out;
    qsizetype n = Lines.size();
    while (n > 0 && Lines[n - 1].isEmpty())
        --n;
    out.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        double v = 0;
        out << (TryStrToFloat(Lines[i], v) ? v : 0.0);
    }
    return out;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TDoubleDynArray values(Lines);
    for (int i = 0; i < Lines; ++i)
        values[i] = std::sin(i * 0.01) * 1000;

    TDoubleArrayEditor form;
    form.Values = values;
    QElapsedTimer clock;
    clock.start();
    form.FillBox();
    form.show();
    form.repaint();
    const double fillMs = clock.nsecsElapsed() / 1e6;

    auto *memo = form.findChild<TMemo *>(QStringLiteral("Memo1"));
    memo->setFocus();
    memo->SetSelStart(memo->LineStart(Lines / 2));
    QApplication::processEvents();
    clock.restart();
    QTest::keyClick(memo, Qt::Key_3); // the first keystroke: the whole memo is parsed from then on
    memo->viewport()->repaint();
    const double firstKeyMs = clock.nsecsElapsed() / 1e6;
    clock.restart();
    QTest::keyClick(memo, Qt::Key_Return);
    memo->viewport()->repaint();
    const double secondKeyMs = clock.nsecsElapsed() / 1e6;
    const bool same = form.Values == parseWhole(memo->Text().split(QLatin1Char('\n')));

    // The peer: the text in a QPlainTextEdit, parsed whole after a keystroke.
    QString text;
    for (double v : std::as_const(values))
        text += FloatToStr(v) + QLatin1Char('\n');
    QPlainTextEdit plain;
    plain.resize(208, 208);
    clock.restart();
    plain.setPlainText(text);
    plain.show();
    plain.repaint();
    const double peerFillMs = clock.nsecsElapsed() / 1e6;
    plain.setFocus();
    QTextCursor c(plain.document()->findBlockByNumber(Lines / 2));
    plain.setTextCursor(c);
    clock.restart();
    QTest::keyClick(&plain, Qt::Key_3);
    const TDoubleDynArray peerValues = parseWhole(plain.toPlainText().split(QLatin1Char('\n')));
    const double peerKeyMs = clock.nsecsElapsed() / 1e6;

    std::printf("bench_doublearray: %d lines\n", Lines);
    std::printf("  FillBox (and show): %.0f ms; peer QPlainTextEdit::setPlainText: %.0f ms; peer / ours = %.1f\n", fillMs,
                peerFillMs, peerFillMs / fillMs);
    std::printf("  parse after a keystroke: first %.2f ms, next %.2f ms (%s the whole parse); peer: %.0f ms; peer / ours = %.1f\n",
                firstKeyMs, secondKeyMs, same ? "equals" : "DIFFERS FROM", peerKeyMs, peerKeyMs / qMax(firstKeyMs, secondKeyMs));
    return same && peerValues.size() == Lines ? 0 : 1;
}
