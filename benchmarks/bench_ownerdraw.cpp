// How long the Object Inspector takes to paint owner-drawn value cells: 100 cells, a mix of
// colour, dash style, area style and point symbol properties, painted on an image through a
// canvas as the inspector paints them. Prints the median and the best of several rounds.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "Kvdashstyleslist.h"
#include "Kvstylepickers.h"
#include "Kvstyles.h"

namespace {
template <class E> std::unique_ptr<TPropertyEditor> editorFor(QObject *Object, const char *Prop)
{
    auto e = std::make_unique<E>(nullptr, 1);
    e->SetPropEntry(0, Object, GetPropInfo(Object, QString::fromLatin1(Prop)));
    e->Initialize();
    return e;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TKvLineSettings line;
    line.SetColor(0x80FF4500);
    line.SetWidth(2);
    TKvDashStylesCombo combo;
    combo.SetLineWidth(3);
    combo.SetDashStyle(DashStyleDashDot);
    TKvAreaSettings area;
    area.SetAreaStyle(TKvAreaStyle::DiagonalCross);
    area.SetBackColor(0xFFFFFFE0);
    TKvPointSymbolSettings symbol;
    symbol.SetPointSymbol(TKvPointSymbol::Star);

    std::vector<std::unique_ptr<TPropertyEditor>> editors;
    editors.push_back(editorFor<TKvColorEditor>(&line, "Color"));
    editors.push_back(editorFor<TKvDashStyleEditor>(&line, "DashStyle"));
    editors.push_back(editorFor<TKvDashStyleEditor>(&combo, "DashStyle"));
    editors.push_back(editorFor<TKvAreaStyleEditor>(&area, "AreaStyle"));
    editors.push_back(editorFor<TKvPointSymbolEditor>(&symbol, "PointSymbol"));
    editors.push_back(editorFor<TKvColorEditor>(&area, "ForeColor"));
    editors.push_back(editorFor<TKvPointSymbolEditor>(&symbol, "PointSymbol"));
    editors.push_back(editorFor<TKvAreaStyleEditor>(&area, "AreaStyle"));

    constexpr int Cells = 100, CellHeight = 18, Rounds = 30;
    QImage image(220, Cells * CellHeight, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    for (int round = 0; round < Rounds; ++round) {
        image.fill(Qt::white);
        QPainter painter(&image);
        TCanvas canvas(&painter);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < Cells; ++i) {
            TPropertyEditor *e = editors[size_t(i) % editors.size()].get();
            dynamic_cast<ICustomPropertyDrawing *>(e)->PropDrawValue(&canvas, TRect(0, i * CellHeight, 220, (i + 1) * CellHeight), i == 7);
        }
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    if (argc > 1)
        image.save(QString::fromLocal8Bit(argv[1]));
    std::sort(times.begin(), times.end());
    std::printf("bench_ownerdraw: %d value cells (colour, dash style, area style, point symbol): median %.2f ms, best %.2f ms over %d rounds\n",
                Cells, times[times.size() / 2], times.front(), Rounds);
    return 0;
}
