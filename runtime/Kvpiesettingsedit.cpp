#include "Kvpiesettingsedit.h"

#include <QTabWidget>

#include "Kvfillpalettefrm.h"
#include "Kvpiedonutfillfrm.h"
#include "Kvpiegeneralsettingsfrm.h"
#include "Kvpielabelsfrm.h"
#include "Kvpielegendsettingsfrm.h"

TKvPieSettingsForm::TKvPieSettingsForm(QWidget *Parent) : TKvSettingsDialog(Parent)
{
    setWindowTitle(QStringLiteral("Pie Chart Settings"));
}

void TKvPieSettingsForm::SetPieChart(TKvPieChart *Pie)
{
    FPie = Pie;
    while (Pages()->count())
        delete Pages()->widget(0);
    if (!Pie)
        return;
    QList<QObject *> edited{Pie};
    auto *general = new TKvPieGeneralSettingsFrame(nullptr, this);
    general->SetPieChart(Pie);
    AddPage(QStringLiteral("General"), general);
    auto *fill = new TKvPieDonutFillFrame(nullptr, this);
    fill->SetPieChart(Pie);
    AddPage(QStringLiteral("Donut"), fill);
    auto *labels = new TKvPieLabelsFrame(nullptr, this);
    labels->SetPieChart(Pie);
    AddPage(QStringLiteral("Labels"), labels);
    if (TKvFillPalette *pal = Pie->SegmentSettingsPalette()) {
        auto *palette = new TKvFillPaletteFrame(nullptr, this);
        palette->SetPalette(pal);
        AddPage(QStringLiteral("Palette"), palette);
        edited << pal;
    }
    for (TKvPieLegend *l : Pie->ElementsOf<TKvPieLegend>()) {
        auto *legend = new TKvPieLegendSettingsFrame(nullptr, this);
        legend->SetPieLegend(l);
        AddPage(l->Name().isEmpty() ? QStringLiteral("Legend") : l->Name(), legend);
        edited << l;
    }
    SetEditedObjects(edited);
}
