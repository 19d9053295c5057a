// How fast the Object Inspector follows the selection on a big form: the demo form grown to
// 500 components (graphs, series, axes, vectors, legends, labels, edits), then the selection
// switched from component to component. Prints the time to load the form, and per switch the
// median and the worst time until the inspector has built its rows and painted them, for one
// component and for two selected at once, and the time to refresh after a value is set.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "DemoForm.h"
#include "FormDesigner.h"
#include "HostIDE.h"
#include "MainWindow.h"
#include "PropertyGrid.h"
#include "Registry.h"

namespace {
struct TStats {
    double Median, Worst;
};
TStats stats(std::vector<double> t)
{
    std::sort(t.begin(), t.end());
    return {t[t.size() / 2], t.back()};
}

// The demo form with further components up to Total, placed in a grid.
QString bigForm(int Total)
{
    QString text = DemoFormText().trimmed();
    text.chop(3); // the form's closing "end"
    static const char *classes[] = {"TKvGraph2D", "TKvLineSeries", "TKvAxis", "TKvDoubleVector", "TKvLegend",
                                    "TKvRichLabel", "TKvPointSeries", "TKvDoubleEdit"};
    const int existing = text.count(QStringLiteral("\n  object "));
    for (int i = existing; i < Total; ++i) {
        const QString cls = QString::fromLatin1(classes[i % 8]);
        text += QStringLiteral("  object Bench%1: %2\n").arg(i).arg(cls);
        const bool visual = cls == QLatin1String("TKvGraph2D") || cls == QLatin1String("TKvRichLabel") ||
                            cls == QLatin1String("TKvDoubleEdit");
        const int x = 8 + (i % 20) * 48, y = 560 + (i / 20) * 40;
        if (visual)
            text += QStringLiteral("    Left = %1\n    Top = %2\n    Width = 44\n    Height = 36\n").arg(x).arg(y);
        else
            text += QStringLiteral("    DesignLeft = %1\n    DesignTop = %2\n").arg(x).arg(y);
        text += QStringLiteral("  end\n");
    }
    return text + QStringLiteral("end\n");
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    TRegistry::SetStorageFile(dir.filePath(QStringLiteral("registry.ini")));
    THostIDE host;
    QStringList warnings;
    if (!host.LoadPackages(QStringLiteral(KV_PACKAGE_FILE), warnings).isEmpty())
        return 1;
    TMainWindow window(&host);
    window.show();
    TFormDesigner *designer = window.Designer();
    TPropertyGrid *inspector = window.Inspector();

    constexpr int Total = 500;
    QElapsedTimer clock;
    clock.start();
    designer->LoadFromString(bigForm(Total));
    QApplication::processEvents();
    const double loadMs = clock.nsecsElapsed() / 1e6;
    TComponent *root = designer->GetRoot();

    auto timed = [&](const QList<TComponent *> &Selection) {
        QElapsedTimer t;
        t.start();
        designer->SetSelection(Selection);
        inspector->Tree()->viewport()->repaint();
        return t.nsecsElapsed() / 1e6;
    };
    std::vector<double> single, pairs, refresh;
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < root->ComponentCount(); i += 5)
            single.push_back(timed({root->Components(i)}));
    QList<TComponent *> series;
    for (int i = 0; i < root->ComponentCount(); ++i)
        if (root->Components(i)->ClassName() == QLatin1String("TKvLineSeries"))
            series << root->Components(i);
    for (int i = 0; i + 1 < series.size(); ++i)
        pairs.push_back(timed({series[i], series[i + 1]}));
    designer->SetSelection({series.first()});
    for (int i = 0; i < 40; ++i) {
        QElapsedTimer t;
        t.start();
        inspector->SetPropertyValue(QStringLiteral("Line.Width"), QString::number(1 + i % 5));
        inspector->Tree()->viewport()->repaint();
        refresh.push_back(t.nsecsElapsed() / 1e6);
    }
    const TStats s = stats(single), p = stats(pairs), r = stats(refresh);
    std::printf("bench_propertygrid: %d components, form loaded in %.0f ms\n", root->ComponentCount(), loadMs);
    std::printf("bench_propertygrid: switch to one component: median %.2f ms, worst %.2f ms (%zu switches)\n", s.Median,
                s.Worst, single.size());
    std::printf("bench_propertygrid: switch to two series: median %.2f ms, worst %.2f ms (%zu switches)\n", p.Median, p.Worst,
                pairs.size());
    std::printf("bench_propertygrid: set a value and refresh (one undo step of the whole form): median %.2f ms, worst %.2f ms\n",
                r.Median, r.Worst);
    designer->SetModified(false);
    return 0;
}
