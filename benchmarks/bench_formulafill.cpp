// A formula fill of 1,000,000 rows in the vectors editor (From 0 To 999,999 of an empty vector,
// "sin(#/100)*#"), against filling a QTableWidget column with the same computed values as
// string items (measured on fewer rows and scaled up).
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableWidget>
#include <cmath>
#include <cstdio>

#include "Kvintegeredit.h"
#include "Kvparsefkt.h"
#include "Kvvectors.h"
#include "Kvvectorseditor.h"
#include "SysUtils.h"

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Rows = 1000000, PeerRows = 100000;
    const QString formula = QStringLiteral("sin(#/100)*#");

    TNonVisualComponent root;
    root.SetName(QStringLiteral("Form1"));
    auto *v = new TKvDoubleVector(&root);
    v->SetName(QStringLiteral("Values"));
    TVectorsEditorForm form;
    form.SetSourceComponent(v);
    form.show();
    QApplication::processEvents();
    form.CalcFnExecute();
    form.findChild<QLineEdit *>(QStringLiteral("FunctionEdit"))->setText(formula);
    form.findChild<TKvIntegerEdit *>(QStringLiteral("ToEdit"))->SetValue(Rows - 1);
    QElapsedTimer clock;
    clock.start();
    form.CalcExecuteBtnClick();
    form.repaint();
    const double oursMs = clock.nsecsElapsed() / 1e6;
    bool right = v->Count() == Rows;
    for (int i = 0; right && i < Rows; i += 9973)
        right = std::abs(v->Value(i) - std::sin(i / 100.0) * i) <= 1e-9 * qMax(1.0, std::abs(v->Value(i)));

    // The peer: the same parser, each value written into a string item of a QTableWidget.
    QTableWidget table(PeerRows + 2, 1);
    clock.restart();
    TKvFunctionParser parser;
    double row = 0;
    AddVariableToList(QStringLiteral("#"), QString(), nullptr, [&] { return row; }, parser.VariableList());
    parser.SetExpression(formula);
    for (int i = 0; i < PeerRows; ++i) {
        row = i;
        table.setItem(i, 0, new QTableWidgetItem(FloatToStr(parser.GetResult())));
    }
    table.show();
    table.repaint();
    const double peerMs = clock.nsecsElapsed() / 1e6 * (double(Rows) / PeerRows);

    std::printf("bench_formulafill: %d rows of \"%s\": %.0f ms (%s); peer QTableWidget items, scaled from %d rows: %.0f ms; peer / ours = %.1f\n",
                Rows, qPrintable(formula), oursMs, right ? "values right" : "VALUES WRONG", PeerRows, peerMs, peerMs / oursMs);
    return right ? 0 : 1;
}
