#include "Kvlegendorder.h"

#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <cmath>

#include "Forms.h"
#include "Gdipobj_kv.h"
#include "Kvio.h"
#include "Kvrichlabel.h"
#include "Kvseries.h"
#include "ui_Kvlegendorder.h"

namespace {
const char *const NoSeriesText = "No series available";
}

TLegendOrderForm::TLegendOrderForm(QWidget *AOwner)
    : QDialog(AOwner), FUi(std::make_unique<Ui::TLegendOrderForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsSizeToolWin, Forms::ScreenCenter, QStringLiteral("Tahoma"), -11);
    setMinimumSize(size());
    FDummy = new TKvRichLabel(nullptr, this);
    FDummy->setObjectName(QStringLiteral("Dummy"));
    FDummy->hide();
    FDrawer = new TOwnerDrawDelegate(FUi->SeriesListBox, 13, [this](QPainter *C, int I, const TRect &R, QStyle::State S) {
        SeriesListBoxDrawItem(C, I, R, S);
    });
    FReorder = new TListBoxReorder(FUi->SeriesListBox);
    FUi->TopButton->setIcon(ListButtonGlyph(TListButton::Top));
    FUi->UpButton->setIcon(ListButtonGlyph(TListButton::Up));
    FUi->DnButton->setIcon(ListButtonGlyph(TListButton::Down));
    FUi->BottomButton->setIcon(ListButtonGlyph(TListButton::Bottom));

    connect(FUi->TopButton, &QToolButton::clicked, this, &TLegendOrderForm::TopButtonClick);
    connect(FUi->UpButton, &QToolButton::clicked, this, &TLegendOrderForm::UpButtonClick);
    connect(FUi->DnButton, &QToolButton::clicked, this, &TLegendOrderForm::DnButtonClick);
    connect(FUi->BottomButton, &QToolButton::clicked, this, &TLegendOrderForm::BottomButtonClick);
    connect(FUi->OKBtn, &QPushButton::clicked, this, &TLegendOrderForm::OKButtonClick);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(FReorder, &TListBoxReorder::OnMouseDown, this, &TLegendOrderForm::SeriesListBoxMouseDown);
    connect(FReorder, &TListBoxReorder::OnMouseMove, this, &TLegendOrderForm::SeriesListBoxMouseMove);
    connect(FReorder, &TListBoxReorder::OnMouseUp, this, &TLegendOrderForm::SeriesListBoxMouseUp);
}

TLegendOrderForm::~TLegendOrderForm() = default;

TKvSeries *TLegendOrderForm::EntrySeries(int Index) const
{
    const QListWidgetItem *item = FUi->SeriesListBox->item(Index);
    return item ? qobject_cast<TKvSeries *>(item->data(Qt::UserRole).value<QObject *>()) : nullptr;
}

void TLegendOrderForm::AddEntry(TKvSeries *Series)
{
    auto *item = new QListWidgetItem(FUi->SeriesListBox);
    item->setData(Qt::UserRole, QVariant::fromValue<QObject *>(Series));
}

void TLegendOrderForm::SetList(const QList<TKvSeries *> &L)
{
    FReorder->ClearPressBox();
    FList = L;
    FUi->SeriesListBox->clear();
    if (L.isEmpty()) {
        FUi->SeriesListBox->addItem(QString::fromLatin1(NoSeriesText));
        FUi->ToolBar1->setEnabled(false);
        return;
    }
    QList<TKvSeries *> entries;
    if (FOrder) {
        // References are read in the series' module.
        TComponent *root = L.first();
        while (root->Owner())
            root = root->Owner();
        for (const QString &ref : FOrder->Strings())
            if (auto *s = ComponentCast<TKvSeries>(GetComponentFromRef(root, ref)); s && L.contains(s))
                entries << s; // a series named twice is listed twice
    }
    for (TKvSeries *s : L)
        if (!entries.contains(s))
            entries << s;
    for (TKvSeries *s : entries)
        AddEntry(s);
    // Rows are high enough for the largest point symbol.
    double height = 20;
    for (TKvSeries *s : entries)
        if (qobject_cast<TKvPointSeries *>(s)) {
            const double v = double(s->PointSymbol()->Size()) + 4;
            if (height < v)
                height = std::nearbyint(v);
        }
    FDrawer->SetItemHeight(int(height));
    TListBoxReorder::SelectItem(FUi->SeriesListBox, 0);
    FUi->ToolBar1->setEnabled(true);
}

void TLegendOrderForm::TopButtonClick() { MoveSelectedItem(FUi->SeriesListBox, TListButton::Top); }
void TLegendOrderForm::UpButtonClick() { MoveSelectedItem(FUi->SeriesListBox, TListButton::Up); }
void TLegendOrderForm::DnButtonClick() { MoveSelectedItem(FUi->SeriesListBox, TListButton::Down); }
void TLegendOrderForm::BottomButtonClick() { MoveSelectedItem(FUi->SeriesListBox, TListButton::Bottom); }

void TLegendOrderForm::OKButtonClick()
{
    // Only the leading part that differs from the graph's own order is stored: up to the last
    // position whose series is not the one the graph has there.
    int p = -1;
    for (int i = int(FList.size()) - 1; i >= 0 && p < 0; --i) {
        const TKvSeries *s = EntrySeries(i);
        if ((s ? s->Name() : QString()) != FList[i]->Name())
            p = i;
    }
    if (!FOrder)
        FOrder = new TStrings(this);
    FOrder->BeginUpdate();
    FOrder->Clear();
    for (int i = 0; i <= p; ++i)
        if (const TKvSeries *s = EntrySeries(i))
            FOrder->Add(GetComponentRef(s));
    FOrder->EndUpdate();
    accept();
}

void TLegendOrderForm::SeriesListBoxDrawItem(QPainter *Canvas, int Index, const TRect &Rect, QStyle::State State)
{
    TGPGraphics graphics(Canvas);
    graphics.SetSmoothingMode(SmoothingModeHighQuality);
    TKvRichCaptionObject caption;
    // During a drag the target entry shows as selected, else the selected one.
    const bool highlighted = FReorder->Dragging() ? Index == FReorder->DragOverIdx() : bool(State & QStyle::State_Selected);
    const QPalette &pal = FUi->SeriesListBox->palette();
    const QColor back = highlighted ? ColorToQColor(clHighlight) : pal.color(QPalette::Base);
    const QColor text = highlighted ? ColorToQColor(clHighlightText) : pal.color(QPalette::Text);
    Canvas->fillRect(Rect.ToQRect(), back);
    TKvSeries *series = EntrySeries(Index);
    if (!series) {
        // The placeholder line: its text as a list box writes it.
        Canvas->setPen(text);
        Canvas->drawText(Rect.ToQRect().adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         FUi->SeriesListBox->item(Index)->text());
        return;
    }
    series->DrawMergedItems({&graphics, float(Rect.Left + 2), float(Rect.Top), 46.0f, float(FDrawer->ItemHeight() - 2), Index});
    caption.SetAngle(0);
    caption.SetShadow(false);
    caption.Font()->Assign(FDummy->GetFont());
    caption.SetColor(TKvColor::FromQColor(text));
    caption.SetText(TKvRichCaption(series->ToString()));
    caption.SetContext(series);
    caption.SetX(float(Rect.Left + 50));
    caption.SetY(float(Rect.Top + 3));
    caption.PaintGr(&graphics);
}

void TLegendOrderForm::resizeEvent(QResizeEvent *Event)
{
    QDialog::resizeEvent(Event);
    // A larger form shows more of the list; the buttons keep to its right and below it.
    const int dw = width() - 305, dh = height() - 312;
    FUi->SeriesListBox->resize(249 + dw, 233 + dh);
    FUi->ToolBar1->move(264 + dw, 48);
    FUi->OKBtn->move(59 + dw / 2, 264 + dh);
    FUi->CancelBtn->move(163 + dw / 2, 264 + dh);
}

void TLegendOrderForm::SeriesListBoxMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y)
{
    FReorder->MouseDown(X, Y);
}

void TLegendOrderForm::SeriesListBoxMouseMove(TShiftState Shift, int X, int Y) { FReorder->MouseMove(Shift, X, Y); }

void TLegendOrderForm::SeriesListBoxMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FReorder->MouseUp(X, Y))
        TListBoxReorder::MoveItem(FUi->SeriesListBox, FReorder->DragStartIdx(), FReorder->DragOverIdx());
}
