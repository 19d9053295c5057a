#include "PropertyDropDown.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "Graphics.h"
#include "PropertyPainter.h"
#include "SysUtils.h"
#include "VCLEditors.h"

namespace {
constexpr int VisibleRows = 8; // as many rows as an IDE's drop-down shows before it scrolls

class TDropDownDelegate : public QStyledItemDelegate {
public:
    TDropDownDelegate(ICustomPropertyListDrawing *Drawing, int RowHeight, QObject *Parent)
        : QStyledItemDelegate(Parent), FDrawing(Drawing), FRowHeight(RowHeight)
    {
    }

    void paint(QPainter *P, const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override
    {
        const QString value = Index.data().toString();
        const bool selected = Opt.state & QStyle::State_Selected;
        P->save();
        P->setClipRect(Opt.rect);
        TCanvas canvas(P);
        PropertyPainter::PrepareCanvas(canvas, Opt.palette, selected);
        const auto error = GuardedCall([&] {
            if (FDrawing)
                FDrawing->ListDrawValue(value, &canvas, TRect(Opt.rect), selected);
            else
                DefaultPropertyListDrawValue(value, &canvas, TRect(Opt.rect), selected);
        });
        if (error)
            DefaultPropertyListDrawValue(value, &canvas, TRect(Opt.rect), selected);
        P->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &Opt, const QModelIndex &Index) const override
    {
        return Measure(Index.data().toString(), Opt.font);
    }

    QSize Measure(const QString &Value, const QFont &Font) const
    {
        QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&scratch);
        p.setFont(Font);
        TCanvas canvas(&p);
        int w = canvas.TextWidth(Value) + 8, h = FRowHeight;
        if (FDrawing)
            GuardedCall([&] {
                FDrawing->ListMeasureWidth(Value, &canvas, w);
                FDrawing->ListMeasureHeight(Value, &canvas, h);
            });
        return QSize(qMax(w, 1), qMax(h, 1));
    }

private:
    ICustomPropertyListDrawing *FDrawing;
    int FRowHeight;
};
} // namespace

TPropertyDropDown::TPropertyDropDown(QWidget *Parent, const QStringList &Values, const QString &Current,
                                     ICustomPropertyListDrawing *Drawing, int RowHeight)
    : QListWidget(Parent)
{
    setObjectName(QStringLiteral("PropertyDropDown"));
    setWindowFlags(Qt::Popup);
    setUniformItemSizes(false);
    auto *delegate = new TDropDownDelegate(Drawing, RowHeight, this);
    setItemDelegate(delegate);
    addItems(Values);
    for (int i = 0; i < Values.size(); ++i) {
        const QSize s = delegate->Measure(Values[i], font());
        item(i)->setSizeHint(s);
        FWidth = qMax(FWidth, s.width() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
        if (i < VisibleRows)
            FHeight += s.height();
        if (Values[i] == Current)
            setCurrentRow(i);
    }
    FHeight = qMax(FHeight, RowHeight) + 2 * frameWidth();
    auto pick = [this](QListWidgetItem *Item) {
        const QString value = Item->text();
        hide();
        emit picked(value);
    };
    connect(this, &QListWidget::itemClicked, this, pick);
    connect(this, &QListWidget::itemActivated, this, pick);
}

void TPropertyDropDown::ShowBelow(QWidget *Anchor)
{
    const int width = qMax(FWidth, Anchor->width());
    resize(width, FHeight);
    move(Anchor->mapToGlobal(QPoint(Anchor->width() - width, Anchor->height())));
    show();
    setFocus();
}
