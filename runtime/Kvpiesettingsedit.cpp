#include "Kvpiesettingsedit.h"

#include <QTabWidget>

#include "Forms.h"
#include "Kvfillpalettefrm.h"
#include "Kvpiedonutfillfrm.h"
#include "Kvpiegeneralsettingsfrm.h"
#include "Kvpielabelsfrm.h"
#include "Kvpielegendsettingsfrm.h"
#include "ui_Kvpiesettingsedit.h"

TKvPieSettingsForm::TKvPieSettingsForm(QWidget *Parent)
    : TKvSettingsDialog(Parent, TOwnLayout{}), FUi(std::make_unique<Ui::TKvPieSettingsForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsDialog, Forms::NoOptions);
    BindControls(FUi->SettingsTab, FUi->OKButton, FUi->CancelButton, FUi->ApplyButton);
}

TKvPieSettingsForm::~TKvPieSettingsForm()
{
    FPages.clear();
    while (FUi->SettingsTab->count())
        delete FUi->SettingsTab->widget(0);
}

void TKvPieSettingsForm::AddPage(const QString &Title, TKvSettingsFrame *Frame, QObject *Edited)
{
    TKvSettingsDialog::AddPage(Title, Frame);
    FPages.append({Edited, Frame});
}

void TKvPieSettingsForm::SetPieChart(TKvPieChart *Pie)
{
    FPie = Pie;
    FPages.clear();
    while (FUi->SettingsTab->count())
        delete FUi->SettingsTab->widget(0);
    if (!Pie)
        return;
    QList<QObject *> edited{Pie};
    auto *general = new TKvPieGeneralSettingsFrame(nullptr, this);
    general->setObjectName(QStringLiteral("GeneralFrame"));
    general->SetPieChart(Pie);
    AddPage(tr("General"), general, Pie);
    auto *fill = new TKvPieDonutFillFrame(nullptr, this);
    fill->SetPieChart(Pie);
    AddPage(tr("Donut"), fill, nullptr);
    auto *labels = new TKvPieLabelsFrame(nullptr, this);
    labels->SetPieChart(Pie);
    AddPage(tr("Labels"), labels, nullptr);
    if (TKvFillPalette *pal = Pie->SegmentSettingsPalette()) {
        auto *palette = new TKvFillPaletteFrame(nullptr, this);
        palette->SetPalette(pal);
        AddPage(tr("Palette"), palette, pal);
        edited << pal;
    }
    for (TKvPieLegend *l : Pie->ElementsOf<TKvPieLegend>()) {
        auto *legend = new TKvPieLegendSettingsFrame(nullptr, this);
        legend->SetPieLegend(l);
        AddPage(l->Name().isEmpty() ? tr("Legend") : l->Name(), legend, l);
        edited << l;
    }
    SetAsDesigner(FAsDesigner);
    SetEditedObjects(edited);
}

void TKvPieSettingsForm::SetActivPage(QObject *O)
{
    for (const auto &[obj, page] : FPages)
        if (obj && obj == O) {
            FUi->SettingsTab->setCurrentWidget(page);
            return;
        }
}

QObject *TKvPieSettingsForm::ActivePageObject() const
{
    for (const auto &[obj, page] : FPages)
        if (page == FUi->SettingsTab->currentWidget())
            return obj;
    return nullptr;
}

void TKvPieSettingsForm::SetAsDesigner(bool V)
{
    FAsDesigner = V;
    // Which components the chart takes its colours and captions from is the form designer's
    // business, not the end user's.
    for (const auto &[obj, page] : FPages)
        if (auto *f = qobject_cast<TKvPieGeneralSettingsFrame *>(page))
            f->SetExtraProperties(V ? QStringList{QStringLiteral("#Links"), QStringLiteral("Palette=SegmentSettingsPalette"),
                                                  QStringLiteral("Data source=DataSource"), QStringLiteral("Captions field=CaptionsField")}
                                    : QStringList());
}
