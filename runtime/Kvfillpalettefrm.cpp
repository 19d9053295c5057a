#include "Kvfillpalettefrm.h"
#include "Graphics.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

TKvFillPaletteFrame::TKvFillPaletteFrame(TComponent *AOwner, QWidget *AParent) : TKvSettingsFrame(AOwner, AParent)
{
    FList = new QListWidget(this);
    FList->setIconSize(QSize(48, 16));
    Top()->addWidget(FList);
    auto *row = new QHBoxLayout;
    auto *add = new QPushButton(QStringLiteral("Add"), this);
    auto *del = new QPushButton(QStringLiteral("Delete"), this);
    row->addWidget(add);
    row->addWidget(del);
    Top()->addLayout(row);
    connect(add, &QPushButton::clicked, this, &TKvFillPaletteFrame::AddEntry);
    connect(del, &QPushButton::clicked, this, &TKvFillPaletteFrame::DeleteSelected);
    connect(FList, &QListWidget::currentRowChanged, this, [this] { TKvSettingsFrame::Changed(); });
    Changed();
}

QObject *TKvFillPaletteFrame::EditedObject() const
{
    const int row = FList ? FList->currentRow() : -1;
    return Palette() && row >= 0 && row < Palette()->GetCount() ? Palette()->GetItem(row) : nullptr;
}

QStringList TKvFillPaletteFrame::EditedProperties() const
{
    return {QStringLiteral("AreaStyle"), QStringLiteral("ForeColor"), QStringLiteral("BackColor")};
}

void TKvFillPaletteFrame::RefAssigned(QObject *Old, QObject *New)
{
    if (Old)
        disconnect(Old, nullptr, this, nullptr);
    if (auto *p = qobject_cast<TKvFillPalette *>(New))
        connect(p, &TKvFillPalette::PaletteChanged, this, [this] { FillList(); });
}

void TKvFillPaletteFrame::FillList()
{
    const int row = FList->currentRow();
    const QSignalBlocker block(FList);
    FList->clear();
    if (TKvFillPalette *p = Palette())
        for (int i = 0; i < p->GetCount(); ++i) {
            const QSize size = FList->iconSize();
            const QIcon icon = DrawnIcon(
                size,
                [&](QPainter &painter) {
                    TGPGraphics g(&painter);
                    p->GetItem(i)->DrawListItem({&g, 0, 0, float(size.width()), float(size.height()), i});
                },
                Qt::white);
            FList->addItem(new QListWidgetItem(icon, QStringLiteral("%1").arg(i + 1)));
        }
    FList->setCurrentRow(qMin(row, FList->count() - 1));
}

void TKvFillPaletteFrame::Changed()
{
    if (FList)
        FillList();
    TKvSettingsFrame::Changed();
}

void TKvFillPaletteFrame::AddEntry()
{
    if (TKvFillPalette *p = Palette()) {
        p->Add(new TKvFillSettings);
        FList->setCurrentRow(p->GetCount() - 1);
    }
}

void TKvFillPaletteFrame::DeleteSelected()
{
    if (TKvFillPalette *p = Palette(); p && FList->currentRow() >= 0) {
        p->Delete(FList->currentRow());
        TKvSettingsFrame::Changed();
    }
}

KV_REGISTER(TKvFillPaletteFrame)
