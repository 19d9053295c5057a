#include "Kvcolorpicker.h"

#include <QApplication>
#include <QFrame>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "Kvstylepicker.h"
#include "Kvtunecolorsfm.h"
#include "Graphics.h"

namespace {
// The field: its drop-down is the picker's own.
class TPickField : public TKvSampleCombo {
public:
    explicit TPickField(TKvColorPickCombo *Owner) : TKvSampleCombo(Owner), FOwner(Owner) {}
    void showPopup() override { FOwner->DropDown(); }
    void hidePopup() override { FOwner->Popup()->hide(); }
private:
    TKvColorPickCombo *FOwner;
};

// The named colours' swatches, made once for every picker.
const QList<QIcon> &NamedSwatches()
{
    static const QList<QIcon> icons = [] {
        QList<QIcon> l;
        for (const QString &n : ColorNames())
            l << ColorSwatch(ColorToARGB(n));
        return l;
    }();
    return icons;
}

// The drop-down shows this many colours before it scrolls.
constexpr int VisibleColors = 12;
} // namespace

QIcon ColorSwatch(TKvColor Color, int Size)
{
    return DrawnIcon(
        QSize(Size, Size),
        [&](QPainter &p) {
            // Black squares show through a transparent colour.
            const int h = Size / 2;
            p.fillRect(0, 0, h, h, Qt::black);
            p.fillRect(h, h, Size - h, Size - h, Qt::black);
            p.fillRect(0, 0, Size, Size, Color.ToQColor());
            // A frame one pixel wide on the outer pixels (two device pixels at ratio 2).
            for (const QRect &edge : {QRect(0, 0, Size, 1), QRect(0, Size - 1, Size, 1), QRect(0, 0, 1, Size), QRect(Size - 1, 0, 1, Size)})
                p.fillRect(edge, Qt::black);
        },
        Qt::white);
}

TKvColorPickCombo::TKvColorPickCombo(TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    resize(140, 24);
    FCombo = FillWith(new TPickField(this));
    FCombo->setObjectName(QStringLiteral("ColorCombo"));
    connect(FCombo, &QComboBox::activated, this, &TKvColorPickCombo::Picked);
    SetFocusField(FCombo);

    FPopup = new QFrame(this, Qt::Popup);
    FPopup->setObjectName(QStringLiteral("ColorPopup"));
    FPopup->setFrameShape(QFrame::StyledPanel);
    FPopup->setAttribute(Qt::WA_WindowPropagation); // the form's font, as the field has
    auto *l = new QVBoxLayout(FPopup);
    l->setContentsMargins(2, 2, 2, 2);
    l->setSpacing(2);
    FPopupList = new QListView(FPopup);
    FPopupList->setObjectName(QStringLiteral("ColorList"));
    FPopupList->setModel(FCombo->model());
    FPopupList->setIconSize(QSize(16, 16));
    FPopupList->setUniformItemSizes(true);
    FPopupList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->addWidget(FPopupList);
    FOtherBtn = new QPushButton(FPopup);
    FOtherBtn->setObjectName(QStringLiteral("OtherBtn"));
    l->addWidget(FOtherBtn);
    const auto pickRow = [this](const QModelIndex &I) {
        if (!FPopup->isVisible() || !I.isValid())
            return; // a click and its activation are one pick
        FPopup->hide();
        FCombo->setCurrentIndex(I.row());
        Picked(I.row());
    };
    connect(FPopupList, &QListView::clicked, this, pickRow);
    connect(FPopupList, &QListView::activated, this, pickRow);
    connect(FOtherBtn, &QPushButton::clicked, this, [this] {
        FPopup->hide();
        ShowTuneColors();
    });
    Changed();
}

void TKvColorPickCombo::Fill()
{
    // The named colours once, then the current colour at the end when it has no name.
    FFilling = true;
    const QList<QIcon> &swatches = NamedSwatches();
    const QStringList &names = ColorNames();
    if (FCombo->count() < names.size()) {
        FCombo->clear();
        for (int i = 0; i < names.size(); ++i)
            FCombo->addItem(swatches[i], names[i], QVariant::fromValue(ColorToARGB(names[i]).Value));
    }
    while (FCombo->count() > names.size())
        FCombo->removeItem(FCombo->count() - 1);
    const QString current = ARGBToString(FActiveColor, true);
    int index = FCombo->findText(current);
    if (index < 0) {
        FCombo->addItem(ColorSwatch(FActiveColor), current, QVariant::fromValue(FActiveColor.Value));
        index = FCombo->count() - 1;
    }
    FCombo->setCurrentIndex(index);
    FFilling = false;
}

void TKvColorPickCombo::Picked(int Index)
{
    if (FFilling || Index < 0)
        return;
    SetActiveColor(FCombo->itemData(Index).toUInt());
    emit OnChanged();
}

void TKvColorPickCombo::DropDown()
{
    if (DirectlyShowTuneColors()) {
        ShowTuneColors();
        return;
    }
    // Below the field (above it where the screen ends), wide enough for the longest name.
    const int rows = qMin(VisibleColors, FCombo->count());
    const int rowHeight = qMax(FPopupList->sizeHintForRow(0), 1);
    const int listWidth = FPopupList->sizeHintForColumn(0) + FPopupList->verticalScrollBar()->sizeHint().width() + 2 * FPopupList->frameWidth();
    const QMargins m = FPopup->layout()->contentsMargins();
    const QSize size(qMax(FCombo->width(), listWidth + m.left() + m.right()),
                     rows * rowHeight + 2 * FPopupList->frameWidth() + FOtherBtn->sizeHint().height() + FPopup->layout()->spacing() + m.top() + m.bottom());
    QPoint at = FCombo->mapToGlobal(QPoint(0, FCombo->height()));
    if (const QScreen *screen = FCombo->screen()) {
        const QRect avail = screen->availableGeometry();
        if (at.y() + size.height() > avail.bottom())
            at.setY(FCombo->mapToGlobal(QPoint(0, 0)).y() - size.height());
        at.setX(qBound(avail.left(), at.x(), qMax(avail.left(), avail.right() - size.width())));
    }
    FPopup->setGeometry(QRect(at, size));
    FPopupList->setCurrentIndex(FCombo->model()->index(FCombo->currentIndex(), 0));
    FPopup->show();
    FPopupList->setFocus(Qt::PopupFocusReason);
    FPopupList->scrollTo(FPopupList->currentIndex(), QAbstractItemView::PositionAtCenter);
}

bool TKvColorPickCombo::ShowTuneColors()
{
    TKvTuneColorsForm form(this);
    form.setWindowTitle(DialogTitle());
    form.SetEnableAlpha(EnableAlpha());
    form.SetActiveColor(FActiveColor);
    if (form.exec() != QDialog::Accepted)
        return false;
    SetActiveColor(form.ActiveColor());
    emit OnChanged();
    return true;
}

void TKvColorPickCombo::SetActiveColor(TKvColor Color)
{
    if (!EnableAlpha())
        Color.Value |= 0xFF000000;
    if (Color == FActiveColor)
        return;
    FActiveColor = Color;
    Fill();
    emit OnValueChanged();
}

void TKvColorPickCombo::Changed()
{
    FOtherBtn->setText(OtherBtnCaption());
    Fill();
}

KV_REGISTER(TKvColorPickCombo)
