#include "Kvfillpaletteeditor.h"

#include <QEvent>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

#include "Forms.h"
#include "Gdipobj_kv.h"
#include "Kvareastyleslist.h"
#include "Kvcolorpicker.h"
#include "Kvpiedonut.h"
#include "ui_Kvfillpaletteeditor.h"

TFillPaletteForm::TFillPaletteForm(QWidget *AOwner)
    : QDialog(AOwner), FUi(std::make_unique<Ui::TFillPaletteForm>())
{
    FUi->setupUi(this);
    Forms::SetupForm(this, Forms::TBorderStyle::bsDialog, Forms::NoOptions, QStringLiteral("Tahoma"), -11);
    // The form shows no hints; its controls keep them for the record.
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
    FDrawer = new TOwnerDrawDelegate(FUi->PaletteList, 20, [this](QPainter *C, int I, const TRect &R, QStyle::State S) {
        PaletteListDrawItem(C, I, R, S);
    });
    FReorder = new TListBoxReorder(FUi->PaletteList);
    const std::pair<QToolButton *, TListButton> glyphs[] = {
        {FUi->TopButton, TListButton::Top},       {FUi->UpButton, TListButton::Up},
        {FUi->DnButton, TListButton::Down},       {FUi->BottomButton, TListButton::Bottom},
        {FUi->DeleteButton, TListButton::Delete}, {FUi->AddButton, TListButton::Add}};
    for (const auto &[button, glyph] : glyphs)
        button->setIcon(ListButtonGlyph(glyph));

    connect(FUi->PaletteList, &QListWidget::currentRowChanged, this, &TFillPaletteForm::PaletteListClick);
    connect(FReorder, &TListBoxReorder::OnMouseDown, this, &TFillPaletteForm::PaletteListMouseDown);
    connect(FReorder, &TListBoxReorder::OnMouseMove, this, &TFillPaletteForm::PaletteListMouseMove);
    connect(FReorder, &TListBoxReorder::OnMouseUp, this, &TFillPaletteForm::PaletteListMouseUp);
    connect(FUi->TopButton, &QToolButton::clicked, this, &TFillPaletteForm::TopButtonClick);
    connect(FUi->UpButton, &QToolButton::clicked, this, &TFillPaletteForm::UpButtonClick);
    connect(FUi->DnButton, &QToolButton::clicked, this, &TFillPaletteForm::DnButtonClick);
    connect(FUi->BottomButton, &QToolButton::clicked, this, &TFillPaletteForm::BottomButtonClick);
    connect(FUi->DeleteButton, &QToolButton::clicked, this, &TFillPaletteForm::DeleteButtonClick);
    connect(FUi->AddButton, &QToolButton::clicked, this, &TFillPaletteForm::AddButtonClick);
    connect(FUi->AreaStylesList, &TKvAreaStylesList::OnValueChanged, this, &TFillPaletteForm::AreaStylesListValueChanged);
    connect(FUi->ForeColorPick, &TKvColorPickCombo::OnChanged, this, &TFillPaletteForm::ForeColorPickChanged);
    connect(FUi->BackColorPick, &TKvColorPickCombo::OnChanged, this, &TFillPaletteForm::BackColorPickChanged);
    connect(FUi->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(FUi->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TFillPaletteForm::~TFillPaletteForm() { FormDestroy(); }

void TFillPaletteForm::FormDestroy()
{
    FCanSet = false;
    FSelectedItem = nullptr;
    ClearEntries();
}

bool TFillPaletteForm::eventFilter(QObject *Watched, QEvent *Event)
{
    return Event->type() == QEvent::ToolTip || QDialog::eventFilter(Watched, Event);
}

TKvFillSettings *TFillPaletteForm::Entry(int Index) const
{
    const QListWidgetItem *item = FUi->PaletteList->item(Index);
    return item ? qobject_cast<TKvFillSettings *>(item->data(Qt::UserRole).value<QObject *>()) : nullptr;
}

TKvFillSettings *TFillPaletteForm::AppendEntry()
{
    QListWidget *list = FUi->PaletteList;
    auto *entry = new TKvFillSettings([list] { list->viewport()->update(); }, this);
    auto *item = new QListWidgetItem;
    item->setData(Qt::UserRole, QVariant::fromValue<QObject *>(entry));
    const QSignalBlocker block(list);
    list->addItem(item);
    return entry;
}

void TFillPaletteForm::ClearEntries()
{
    QListWidget *list = FUi->PaletteList;
    const QSignalBlocker block(list);
    for (int i = list->count() - 1; i >= 0; --i) {
        delete Entry(i);
        delete list->takeItem(i);
    }
}

void TFillPaletteForm::SetFillPalette(TKvFillPalette *Value)
{
    FCanSet = false;
    FSelectedItem = nullptr;
    ClearEntries();
    if (Value)
        for (int i = 0; i < Value->GetCount(); ++i)
            AppendEntry()->Assign(Value->GetItem(i));
    if (FUi->PaletteList->count() > 0) {
        TListBoxReorder::SelectItem(FUi->PaletteList, 0);
        PaletteListClick();
    }
}

std::unique_ptr<TKvFillPalette> TFillPaletteForm::GetFillPalette() const
{
    auto palette = std::make_unique<TKvFillPalette>();
    for (int i = 0; i < FUi->PaletteList->count(); ++i) {
        auto *s = new TKvFillSettings;
        s->Assign(Entry(i));
        palette->Add(s);
    }
    return palette;
}

void TFillPaletteForm::PaletteListClick()
{
    TKvFillSettings *entry = Entry(FUi->PaletteList->currentRow());
    FCanSet = false;
    FSelectedItem = entry;
    if (!entry)
        return; // nothing selected: the editing controls write nothing
    FUi->AreaStylesList->SetAreaStyle(entry->AreaStyle());
    FUi->AreaStylesList->SetAreaForeColor(entry->ForeColor());
    FUi->AreaStylesList->SetAreaBackColor(entry->BackColor());
    FUi->ForeColorPick->SetActiveColor(entry->ForeColor());
    FUi->BackColorPick->SetActiveColor(entry->BackColor());
    FCanSet = true;
}

void TFillPaletteForm::PaletteListDrawItem(QPainter *Canvas, int Index, const TRect &Rect, QStyle::State State)
{
    TGPGraphics graphics(Canvas);
    graphics.SetSmoothingMode(SmoothingModeHighQuality);
    // While dragging, the entry the drag started from stays highlighted.
    const bool highlighted = FReorder->Dragging() ? Index == FReorder->DragStartIdx() : bool(State & QStyle::State_Selected);
    Canvas->fillRect(Rect.ToQRect(), highlighted ? ColorToQColor(clHighlight) : FUi->PaletteList->palette().color(QPalette::Base));
    if (const TKvFillSettings *entry = Entry(Index))
        entry->DrawListItem({&graphics, float(Rect.Left + 3), float(Rect.Top + 1), float(Rect.Width() - 8),
                             float(Rect.Height() - 3), Index});
}

void TFillPaletteForm::PaletteListMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y)
{
    FReorder->MouseDown(X, Y);
}

void TFillPaletteForm::PaletteListMouseMove(TShiftState Shift, int X, int Y) { FReorder->MouseMove(Shift, X, Y); }

void TFillPaletteForm::PaletteListMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FReorder->MouseUp(X, Y))
        return;
    TListBoxReorder::MoveItem(FUi->PaletteList, FReorder->DragStartIdx(), FReorder->DragOverIdx());
    PaletteListClick();
}

void TFillPaletteForm::TopButtonClick() { MoveSelectedItem(FUi->PaletteList, TListButton::Top); }
void TFillPaletteForm::UpButtonClick() { MoveSelectedItem(FUi->PaletteList, TListButton::Up); }
void TFillPaletteForm::DnButtonClick() { MoveSelectedItem(FUi->PaletteList, TListButton::Down); }
void TFillPaletteForm::BottomButtonClick() { MoveSelectedItem(FUi->PaletteList, TListButton::Bottom); }

void TFillPaletteForm::DeleteButtonClick()
{
    QListWidget *list = FUi->PaletteList;
    const int i = list->currentRow();
    if (i < 0)
        return;
    if (Entry(i) == FSelectedItem)
        FSelectedItem = nullptr;
    delete Entry(i);
    {
        const QSignalBlocker block(list);
        delete list->takeItem(i);
    }
    const int n = list->count();
    TListBoxReorder::SelectItem(list, i < n ? i : n - 1);
    PaletteListClick();
}

void TFillPaletteForm::AddButtonClick()
{
    AppendEntry();
    TListBoxReorder::SelectItem(FUi->PaletteList, FUi->PaletteList->count() - 1);
    PaletteListClick();
}

void TFillPaletteForm::AreaStylesListValueChanged()
{
    if (FCanSet && FSelectedItem)
        FSelectedItem->SetAreaStyle(FUi->AreaStylesList->GetAreaStyle());
}

void TFillPaletteForm::ForeColorPickChanged()
{
    if (!FCanSet || !FSelectedItem)
        return;
    FSelectedItem->SetForeColor(FUi->ForeColorPick->ActiveColor());
    FUi->AreaStylesList->SetAreaForeColor(FUi->ForeColorPick->ActiveColor());
}

void TFillPaletteForm::BackColorPickChanged()
{
    if (!FCanSet || !FSelectedItem)
        return;
    FSelectedItem->SetBackColor(FUi->BackColorPick->ActiveColor());
    FUi->AreaStylesList->SetAreaBackColor(FUi->BackColorPick->ActiveColor());
}
