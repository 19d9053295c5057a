#include "Kvselectseriesfrm.h"

#include <QListWidget>
#include <QVBoxLayout>

TKvSelectSeriesFrame::TKvSelectSeriesFrame(TComponent *AOwner, QWidget *AParent) : TKvSettingsFrame(AOwner, AParent)
{
    FList = new QListWidget(this);
    Top()->addWidget(FList);
    connect(FList, &QListWidget::currentRowChanged, this, [this] {
        TKvSettingsFrame::Changed();
        emit OnSelectSeries();
    });
    connect(FList, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        const QList<TKvSeries *> all = Graph() ? Graph()->SeriesList() : QList<TKvSeries *>();
        if (TKvSeries *s = all.value(FList->row(item)))
            s->SetVisible(item->checkState() == Qt::Checked);
    });
    Changed();
}

TKvSeries *TKvSelectSeriesFrame::SelectedSeries() const
{
    return FList && Graph() ? Graph()->SeriesList().value(FList->currentRow()) : nullptr;
}

void TKvSelectSeriesFrame::FillList()
{
    const int row = FList->currentRow();
    const QSignalBlocker block(FList);
    FList->clear();
    if (Graph())
        for (TKvSeries *s : Graph()->SeriesList()) {
            auto *item = new QListWidgetItem(s->Caption().IsEmpty() ? s->Name() : s->Caption().ToPlainText(s), FList);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(s->Visible() ? Qt::Checked : Qt::Unchecked);
        }
    FList->setCurrentRow(qMin(row, FList->count() - 1));
}

void TKvSelectSeriesFrame::Changed()
{
    if (FList)
        FillList();
    TKvSettingsFrame::Changed();
}

KV_REGISTER(TKvSelectSeriesFrame)
