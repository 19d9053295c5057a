#include "Kvgraphsettingstool.h"

#include <memory>

#include "Kvaxissettingsfrm.h"
#include "Kvgradientfrm.h"
#include "Kvgraphsettingsfrm.h"
#include "Kvlegendsettingsfrm.h"
#include "Kvselectseriesfrm.h"

TKvSettingsDialog *TKvGraphSettingsTool::CreateDialog(QWidget *Parent) const
{
    TKvGraph2D *g = Graph();
    if (!g)
        return nullptr;
    auto *d = new TKvSettingsDialog(Parent);
    d->setWindowTitle(QStringLiteral("Graph Settings"));
    d->SetShowApply(ShowApply());
    QList<QObject *> edited{g};
    auto *graph = new TKvGraphSettingsFrame(nullptr, d);
    graph->SetGraph(g);
    d->AddPage(QStringLiteral("Graph"), graph);
    if (ShowGradientSettings()) {
        auto *grad = new TKvGradientFrame(nullptr, d);
        grad->SetGradient(g->BackgroundGradient());
        d->AddPage(QStringLiteral("Background"), grad);
    }
    for (TKvAxis *a : g->Axes()) {
        auto *f = new TKvAxisSettingsFrame(nullptr, d);
        f->SetAxis(a);
        d->AddPage(a->Name().isEmpty() ? QStringLiteral("Axis") : a->Name(), f);
        edited << a;
    }
    if (ShowPickList()) {
        auto *f = new TKvSelectSeriesFrame(nullptr, d);
        f->SetGraph(g);
        d->AddPage(QStringLiteral("Series"), f);
        for (TKvSeries *s : g->SeriesList())
            edited << s;
    }
    for (TKvLegend *l : g->ElementsOf<TKvLegend>()) {
        auto *f = new TKvLegendSettingsFrame(nullptr, d);
        f->SetLegend(l);
        d->AddPage(l->Name().isEmpty() ? QStringLiteral("Legend") : l->Name(), f);
        edited << l;
    }
    d->SetEditedObjects(edited);
    return d;
}

bool TKvGraphSettingsTool::Execute(QWidget *Parent)
{
    std::unique_ptr<TKvSettingsDialog> d(CreateDialog(Parent));
    return d && d->exec() == QDialog::Accepted;
}

KV_REGISTER(TKvGraphSettingsTool)
