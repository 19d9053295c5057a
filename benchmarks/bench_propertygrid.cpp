// How fast the Object Inspector follows the selection on a big form: the demo form grown to
// 500 components, the selection switched from component to component. Per switch, the time
// until the inspector has built its rows and, apart, the time to paint them, for one component
// and for two selected at once; and the time to refresh after a value is set. The peer in the
// same run is a plain QTreeWidget doing the naive thing: the same rows (the same categories and
// property names), values read through Qt's meta-object system as text, Qt's own painting.
// A tree view lays its rows out when it is first asked to: both are timed until their rows are
// laid out, so that the paint times are painting alone. Prints the medians and the ratios (the
// aim: at most 2 for building and for painting).
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMetaProperty>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "BenchIDE.h"
#include "FormDesigner.h"
#include "PropertyGrid.h"

namespace {
struct TStats {
    double Median, Worst;
};
TStats stats(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return {t[t.size() / 2], t.back()};
}

double elapsedMs(const QElapsedTimer &T) { return T.nsecsElapsed() / 1e6; }

// Paints a view's rows, and nothing else of the window, into an image; the time it took.
double paintMs(QWidget *Viewport)
{
    QImage image(Viewport->size(), QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer t;
    t.start();
    Viewport->render(&image);
    return elapsedMs(t);
}

// The rows the inspector shows: category rows with their property names (or names alone).
struct TRows {
    QList<QPair<QString, QStringList>> Categories;
};

TRows rowsOf(TPropertyGrid *Inspector)
{
    TRows r;
    for (const QString &c : Inspector->VisibleCategories())
        r.Categories.append({c, Inspector->PropertiesInCategory(c)});
    return r;
}

// The naive inspector: the same rows in a plain QTreeWidget, values as QVariant text.
void buildPeer(QTreeWidget *Tree, const TRows &Rows, const QList<QObject *> &Selection)
{
    Tree->setUpdatesEnabled(false);
    Tree->clear();
    QObject *first = Selection.first();
    for (const auto &[category, names] : Rows.Categories) {
        auto *head = new QTreeWidgetItem(Tree, {category});
        for (const QString &name : names) {
            const QByteArray n = name.toLatin1();
            QString value = first->property(n.constData()).toString();
            for (QObject *o : Selection)
                if (o->property(n.constData()).toString() != value)
                    value.clear();
            new QTreeWidgetItem(head, {name, value});
        }
        head->setExpanded(true);
    }
    Tree->setUpdatesEnabled(true);
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    THostFixture ide;
    if (!ide.Start())
        return 1;
    ide.Reset();
    TFormDesigner *designer = ide.Window->Designer();
    TPropertyGrid *inspector = ide.Window->Inspector();
    QTreeWidget peer;
    peer.setColumnCount(2);
    peer.setHeaderHidden(true);
    peer.setUniformRowHeights(true);
    peer.resize(inspector->Tree()->size());
    peer.show();

    constexpr int Total = 500;
    QElapsedTimer clock;
    clock.start();
    designer->LoadFromString(BigForm(Total));
    QApplication::processEvents();
    const double loadMs = elapsedMs(clock);
    TComponent *root = designer->GetRoot();

    std::vector<double> build, paint, peerBuild, peerPaint, pairs;
    auto timed = [&](const QList<TComponent *> &Selection, std::vector<double> &Build, std::vector<double> &Paint) {
        QElapsedTimer t;
        t.start();
        designer->SetSelection(Selection);
        inspector->Tree()->indexAt(QPoint()); // lays the rows out
        Build.push_back(elapsedMs(t));
        Paint.push_back(paintMs(inspector->Tree()->viewport()));
        // The same rows in the plain tree.
        QList<QObject *> objects;
        for (TComponent *c : Selection)
            objects << c->AsObject();
        const TRows rows = rowsOf(inspector);
        t.restart();
        buildPeer(&peer, rows, objects);
        peer.indexAt(QPoint());
        peerBuild.push_back(elapsedMs(t));
        peerPaint.push_back(paintMs(peer.viewport()));
    };
    inspector->SetArrange(TPropertyGrid::TArrange::ByCategory);
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < root->ComponentCount(); i += 5)
            timed({root->Components(i)}, build, paint);
    QList<TComponent *> series;
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (root->Components(i)->ClassName() == QLatin1String("TKvLineSeries"))
            series << root->Components(i);
    std::vector<double> pairPaint;
    for (int i = 0; i + 1 < series.size(); ++i)
        timed({series[i], series[i + 1]}, pairs, pairPaint);
    std::vector<double> refresh;
    designer->SetSelection({series.first()});
    for (int i = 0; i < 40; ++i) {
        QElapsedTimer t;
        t.start();
        inspector->SetPropertyValue(QStringLiteral("Line.Width"), QString::number(1 + i % 5));
        inspector->Tree()->viewport()->repaint();
        refresh.push_back(elapsedMs(t));
    }
    const TStats b = stats(build), p = stats(paint), pb = stats(peerBuild), pp = stats(peerPaint), two = stats(pairs),
                 r = stats(refresh);
    std::printf("bench_propertygrid: %d components, form loaded in %.0f ms\n", root->ComponentCount(), loadMs);
    std::printf("bench_propertygrid: build the rows of one component: median %.2f ms, worst %.2f ms (%zu switches); "
                "plain QTreeWidget (peer): %.2f ms; ours/peer %.1f\n",
                b.Median, b.Worst, build.size(), pb.Median, b.Median / pb.Median);
    std::printf("bench_propertygrid: paint them: median %.2f ms, worst %.2f ms; plain QTreeWidget (peer): %.2f ms; "
                "ours/peer %.1f\n",
                p.Median, p.Worst, pp.Median, p.Median / pp.Median);
    std::printf("bench_propertygrid: build the rows of two series: median %.2f ms, worst %.2f ms (%zu switches)\n",
                two.Median, two.Worst, pairs.size());
    std::printf("bench_propertygrid: set a value and refresh: median %.2f ms, worst %.2f ms\n", r.Median, r.Worst);
    designer->SetModified(false);
    return 0;
}
