#include "Kvstylepicker.h"
#include "Graphics.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QMetaEnum>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStylePainter>

TKvSampleCombo::TKvSampleCombo(QWidget *Parent) : QComboBox(Parent) {}

bool TKvSampleCombo::ShowsText() const
{
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    // The style puts the text 4 pixels after the icon.
    const int icon = opt.currentIcon.isNull() ? 0 : opt.iconSize.width() + 4;
    return icon + fontMetrics().horizontalAdvance(opt.currentText) <= field.width();
}

void TKvSampleCombo::paintEvent(QPaintEvent *)
{
    // As QComboBox paints itself, but without a name that would be cut.
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (!ShowsText())
        opt.currentText.clear();
    painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
}

int TKvSampleCombo::ItemsWidth() const
{
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = qMax(widest, (itemIcon(i).isNull() ? 0 : iconSize().width() + 8) + fontMetrics().horizontalAdvance(itemText(i)));
    const int frame = 2 * view()->frameWidth() + 12;
    return widest + frame + view()->verticalScrollBar()->sizeHint().width();
}

void TKvSampleCombo::showPopup()
{
    view()->setMinimumWidth(qMax(width(), ItemsWidth()));
    QComboBox::showPopup();
}

TKvStylePicker::TKvStylePicker(TKind Kind, TComponent *AOwner, QWidget *AParent) : TKvControl(AOwner, AParent)
{
    if (Kind == KindList) {
        resize(140, 160);
        FList = FillWith(new QListWidget(this));
        FList->setObjectName(QStringLiteral("ListBox"));
        connect(FList, &QListWidget::currentRowChanged, this, [this](int r) { if (!FFilling && r >= 0) SetIndex(r); });
        SetFocusField(FList);
    } else {
        resize(140, 24);
        FCombo = FillWith(new TKvSampleCombo(this));
        FCombo->setObjectName(QStringLiteral("Combo"));
        connect(FCombo, &QComboBox::currentIndexChanged, this, [this](int r) { if (!FFilling && r >= 0) SetIndex(r); });
        SetFocusField(FCombo);
    }
}

int TKvStylePicker::Count() const { return Styles().keyCount(); }

QString TKvStylePicker::ItemText(int Ordinal) const { return QString::fromLatin1(Styles().key(Ordinal)); }

void TKvStylePicker::SetIndex(int V)
{
    if (V < 0 || V >= Styles().keyCount())
        throw EConvertError(QStringLiteral("Style %1 out of range").arg(V));
    if (V == FIndex)
        return;
    FIndex = V;
    ShowIndex();
    emit OnValueChanged();
}

void TKvStylePicker::ShowIndex()
{
    const int item = FIndex < Count() ? FIndex : -1;
    FFilling = true;
    if (FList) {
        FList->setCurrentRow(item);
        if (item < 0)
            FList->clearSelection();
    } else {
        FCombo->setCurrentIndex(item);
    }
    FFilling = false;
}

void TKvStylePicker::Changed() { Fill(); }

void TKvStylePicker::resizeEvent(QResizeEvent *E)
{
    TKvControl::resizeEvent(E);
    if (FList && (Columns() > 1 || !ShowNames()))
        Fill(); // the samples follow the width
}

void TKvStylePicker::Fill()
{
    // Styles() is virtual: the items are made on the first change, not in the constructor.
    const int h = qMax(8, ItemHeight());
    const int cols = FList ? qMax(1, Columns()) : 1;
    const QColor back = ColorToQColor(Color());
    int cellW = 0;
    if (FList) {
        // Rows are exactly ItemHeight high; with several columns the cells share the width left
        // beside a vertical scroll bar, when the rows need one.
        const int rows = (Count() + cols - 1) / cols;
        const int frame = 2 * FList->frameWidth();
        const bool scroll = rows * h > height() - frame;
        cellW = qMax(8, (width() - frame - (scroll ? FList->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0)) / cols);
        QPalette pal = FList->palette();
        pal.setColor(QPalette::Base, back);
        pal.setColor(QPalette::Text, back.lightness() < 128 ? Qt::white : Qt::black);
        FList->setPalette(pal);
        FList->setUniformItemSizes(true);
        FList->setSpacing(0);
        FList->setFlow(cols > 1 ? QListView::LeftToRight : QListView::TopToBottom);
        FList->setWrapping(cols > 1);
        FList->setGridSize(cols > 1 ? QSize(cellW, h) : QSize());
        // A wrapping list keeps room for a scroll bar that may come: none when all rows fit.
        FList->setVerticalScrollBarPolicy(scroll ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
    const bool names = !FList || (cols == 1 && ShowNames());
    const QSize sz = names ? QSize(qRound(h * SampleAspect()), h) : QSize(cellW, h);
    FFilling = true;
    FList ? FList->clear() : FCombo->clear();
    for (int i = 0; i < Count(); ++i) {
        const QIcon icon = DrawnIcon(
            sz,
            [&](QPainter &p) {
                p.setRenderHint(QPainter::Antialiasing);
                DrawSample(p, QRectF(QPointF(0, 0), sz), i);
            },
            back);
        const QString text = ItemText(i);
        if (FList) {
            FList->setIconSize(sz);
            auto *item = new QListWidgetItem(icon, names ? text : QString());
            item->setToolTip(text);
            item->setSizeHint(QSize(cellW, h));
            FList->addItem(item);
        } else {
            FCombo->setIconSize(sz);
            FCombo->addItem(icon, text);
        }
    }
    FFilling = false;
    ShowIndex();
}
