// The vectors editor's data sheet on 8 vectors of 1,000,000 values (one of them a date-time
// column): opening it, scrolling a page and editing a cell, against a plain QTableWidget that
// holds one string item per cell (measured on fewer rows and scaled up: filling it with all
// 8,000,000 items would take minutes and gigabytes).
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "Kvaxis.h"
#include "Kvgraph2d.h"
#include "Kvseries.h"
#include "Kvvectors.h"
#include "Kvvectorseditor.h"
#include "SysUtils.h"

namespace {
constexpr int Rows = 1000000, Columns = 8, PeerRows = 50000;

double residentMB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// Values as data sheets hold them: time stamps a minute apart, a measured signal, steps of
// 0.1, counts, noise, prices, large and tiny magnitudes.
double value(int Column, int Row)
{
    switch (Column) {
    case 0: return 45000.0 + Row / 1440.0;
    case 1: return std::sin(Row * 0.001) * 100;
    case 2: return Row * 0.1;
    case 3: return double(Row % 100000);
    case 4: return std::fmod(Row * 7919.0, 1000.0) / 7.0 - 70;
    case 5: return std::round(std::cos(Row * 0.37) * 10000) / 100;
    case 6: return std::exp(std::fmod(Row, 60.0)) * 1e3;
    default: return 1e-7 * (Row % 977);
    }
}

double median(std::vector<double> V)
{
    std::sort(V.begin(), V.end());
    return V[V.size() / 2];
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TNonVisualComponent root;
    root.SetName(QStringLiteral("Form1"));
    QList<TKvDoubleVector *> vectors;
    for (int c = 0; c < Columns; ++c) {
        auto *v = new TKvDoubleVector(&root);
        v->SetName(QStringLiteral("Vector%1").arg(c + 1));
        TDoubleDynArray values(Rows);
        for (int r = 0; r < Rows; ++r)
            values[r] = value(c, r);
        v->SetValues(values);
        vectors << v;
    }
    auto *graph = new TKvGraph2D(&root);
    auto *axis = new TKvAxis(&root);
    axis->SetGraph(graph);
    axis->SetScaling(TKvAxisScaling::DateTime);
    auto *series = new TKvLineSeries(&root);
    series->SetXAxis(axis);
    series->SetXData(vectors[0]);
    series->SetYData(vectors[1]);
    const double before = residentMB();

    // Ours: create, fill, show and paint.
    QElapsedTimer clock;
    clock.start();
    auto *form = new TVectorsEditorForm;
    form->resize(900, 700);
    form->SetSourceComponent(vectors[1]);
    form->show();
    form->repaint();
    const double openMs = clock.nsecsElapsed() / 1e6;
    const double resident = residentMB();
    auto *grid = form->findChild<TVectorsDataGrid *>(QStringLiteral("DataGrid"));
    grid->setFocus();
    QApplication::processEvents();

    // Scrolling a page with Page Down, painted.
    std::vector<double> scroll;
    for (int i = 0; i < 30; ++i) {
        clock.restart();
        QTest::keyClick(grid, Qt::Key_PageDown);
        grid->viewport()->repaint();
        scroll.push_back(clock.nsecsElapsed() / 1e6);
    }
    // A jump to the middle and a page there.
    grid->verticalScrollBar()->setValue(Rows / 2);
    QApplication::processEvents();
    clock.restart();
    QTest::keyClick(grid, Qt::Key_PageDown);
    grid->viewport()->repaint();
    scroll.push_back(clock.nsecsElapsed() / 1e6);

    // Editing a cell: one keystroke (stored in the vector, the chart asked to redraw), painted;
    // then a value appended in the last row, which adds a row to a million.
    std::vector<double> edits;
    for (int i = 0; i < 20; ++i) {
        QTest::keyClick(grid, Qt::Key_Down);
        clock.restart();
        QTest::keyClick(grid, Qt::Key_5);
        grid->viewport()->repaint();
        edits.push_back(clock.nsecsElapsed() / 1e6);
        QTest::keyClick(grid->InplaceEditor(), Qt::Key_Return);
        QApplication::processEvents();
    }
    grid->SetSelection({3, Rows + 1, 3, Rows + 1});
    QApplication::processEvents();
    clock.restart();
    QTest::keyClick(grid, Qt::Key_7);
    grid->viewport()->repaint();
    const double appendMs = clock.nsecsElapsed() / 1e6;
    const bool appended = vectors[2]->Count() == Rows + 1 && grid->Grid()->RowCount() == Rows + 3;
    delete form;

    // The peer: a QTableWidget with one string item per cell, on PeerRows rows.
    clock.restart();
    auto *table = new QTableWidget(PeerRows, Columns);
    table->resize(900, 700);
    for (int c = 0; c < Columns; ++c)
        table->setHorizontalHeaderItem(c, new QTableWidgetItem(vectors[c]->Name()));
    for (int r = 0; r < PeerRows; ++r)
        for (int c = 0; c < Columns; ++c)
            table->setItem(r, c, new QTableWidgetItem(FloatToStr(vectors[c]->Value(r))));
    table->resizeColumnsToContents();
    table->show();
    table->repaint();
    const double peerMs = clock.nsecsElapsed() / 1e6;
    const double peerScaled = peerMs * (double(Rows) / PeerRows);
    delete table;

    std::printf("bench_vectorssheet: %d vectors x %d values\n", Columns, Rows);
    std::printf("  open (fill, widths, show, paint): %.0f ms; resident %.0f MB (%.0f MB before opening, the vectors take %.0f MB)\n",
                openMs, resident, before, Columns * Rows * 8 / 1048576.0);
    std::printf("  scroll a page: median %.2f ms, worst %.2f ms over %zu pages\n", median(scroll),
                *std::max_element(scroll.begin(), scroll.end()), scroll.size());
    std::printf("  edit a cell: median %.2f ms, worst %.2f ms over %zu keystrokes; append in the last row %.2f ms (%s)\n",
                median(edits), *std::max_element(edits.begin(), edits.end()), edits.size(), appendMs,
                appended ? "row added" : "NOT ADDED");
    std::printf("  peer QTableWidget, %d rows: %.0f ms, scaled to %d rows: %.0f ms; peer / ours = %.1f\n", PeerRows, peerMs,
                Rows, peerScaled, peerScaled / openMs);
    return appended ? 0 : 1;
}
