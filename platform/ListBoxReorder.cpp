#include "ListBoxReorder.h"
#include "Graphics.h"

#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>

bool TShiftState::IsLeftOnly() const
{
    const Qt::KeyboardModifiers keys = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return Buttons == Qt::LeftButton && !(Keys & keys);
}

// ---------------------------------------------------------------------------------------
TOwnerDrawDelegate::TOwnerDrawDelegate(QListWidget *List, int ItemHeight, TDrawItem DrawItem)
    : QStyledItemDelegate(List), FList(List), FItemHeight(ItemHeight), FDrawItem(std::move(DrawItem))
{
    List->setItemDelegate(this);
    List->setUniformItemSizes(true);
}

void TOwnerDrawDelegate::SetItemHeight(int Value)
{
    if (Value == FItemHeight)
        return;
    FItemHeight = Value;
    FList->doItemsLayout();
    FList->viewport()->update();
}

void TOwnerDrawDelegate::paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const
{
    if (!FDrawItem) {
        QStyledItemDelegate::paint(Painter, Option, Index);
        return;
    }
    // The handler gets the canvas as it is and gives it back as it found it.
    Painter->save();
    FDrawItem(Painter, Index.row(), TRect(Option.rect), Option.state);
    Painter->restore();
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const
{
    return QSize(qMax(1, FList->viewport()->width()), FItemHeight);
}

// ---------------------------------------------------------------------------------------
TListBoxReorder::TListBoxReorder(QListWidget *List) : QObject(List), FList(List), FViewport(List->viewport())
{
    setObjectName(List->objectName() + QStringLiteral("Reorder"));
    FViewport->installEventFilter(this);
    // Only this gesture moves entries; the view's own drag and drop stays off.
    List->setDragEnabled(false);
}

int TListBoxReorder::ItemAtPos(int X, int Y) const
{
    const QModelIndex i = FList->indexAt(QPoint(X, Y));
    return i.isValid() ? i.row() : -1;
}

bool TListBoxReorder::InBounds(int X, int Y) const
{
    const QWidget *v = FList->viewport();
    return X >= 0 && X <= v->width() && Y >= 0 && Y <= v->height();
}

void TListBoxReorder::SetCursor(Qt::CursorShape Shape)
{
    if (Shape == Qt::ArrowCursor)
        FList->viewport()->unsetCursor();
    else
        FList->viewport()->setCursor(Shape);
}

void TListBoxReorder::MouseDown(int X, int Y)
{
    FDragStartIdx = ItemAtPos(X, Y);
    if (FDragStartIdx < 0)
        return;
    FDragOverIdx = FDragStartIdx;
    // A box armed by an earlier press that did not become a drag stays as it is.
    if (FDragRect == TRect())
        FDragRect = TRect(X - 1, Y - 1, X + 1, Y + 1);
}

void TListBoxReorder::MouseMove(TShiftState Shift, int X, int Y)
{
    if (!Shift.IsLeftOnly())
        return;
    if (FDragging) {
        const int over = ItemAtPos(X, Y);
        if (over >= 0 && over != FDragOverIdx) {
            FDragOverIdx = over;
            FList->viewport()->update();
        }
        SetCursor(FDragOverIdx == FDragStartIdx || !InBounds(X, Y) ? Qt::ForbiddenCursor : Qt::SizeVerCursor);
        return;
    }
    if (FDragRect != TRect()
        && (X < FDragRect.Left || X > FDragRect.Right || Y < FDragRect.Top || Y > FDragRect.Bottom))
        FDragging = true;
}

bool TListBoxReorder::MouseUp(int X, int Y)
{
    if (!FDragging)
        return false;
    SetCursor(Qt::ArrowCursor);
    FDragRect = TRect();
    FDragging = false;
    FList->viewport()->update();
    // A drag that began away from the entries (the press was on none) has nothing to move.
    const int n = FList->count();
    return FDragStartIdx != FDragOverIdx && InBounds(X, Y) && FDragStartIdx >= 0 && FDragStartIdx < n
           && FDragOverIdx >= 0 && FDragOverIdx < n;
}

void TListBoxReorder::MoveItem(QListWidget *List, int From, int To)
{
    const QSignalBlocker block(List);
    QListWidgetItem *item = List->takeItem(From);
    List->insertItem(To, item);
    List->setCurrentRow(To);
}

void TListBoxReorder::SelectItem(QListWidget *List, int Index)
{
    const QSignalBlocker block(List);
    List->setCurrentRow(Index);
}

bool TListBoxReorder::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched != FViewport)
        return false;
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *e = static_cast<QMouseEvent *>(Event);
        const QPoint p = e->position().toPoint();
        emit OnMouseDown(e->button(), {e->modifiers(), e->buttons()}, p.x(), p.y());
        // A press below the last entry leaves the selection as it is, as a list box does.
        if (ItemAtPos(p.x(), p.y()) < 0) {
            FList->setFocus(Qt::MouseFocusReason);
            return true;
        }
        return false;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(Event);
        const QPoint p = e->position().toPoint();
        emit OnMouseMove({e->modifiers(), e->buttons()}, p.x(), p.y());
        // With the button held the selection stays on the pressed entry; the target shows by
        // its own highlight.
        return e->buttons() & Qt::LeftButton;
    }
    case QEvent::MouseButtonRelease: {
        auto *e = static_cast<QMouseEvent *>(Event);
        const QPoint p = e->position().toPoint();
        emit OnMouseUp(e->button(), {e->modifiers(), e->buttons()}, p.x(), p.y());
        return false;
    }
    default:
        return false;
    }
}

// ---------------------------------------------------------------------------------------
bool MoveSelectedItem(QListWidget *List, TListButton Button)
{
    const int i = List->currentRow(), n = List->count();
    int to = -1;
    switch (Button) {
    case TListButton::Top: to = i > 0 ? 0 : -1; break;
    case TListButton::Up: to = i > 0 ? i - 1 : -1; break;
    case TListButton::Down: to = i >= 0 && i < n - 1 ? i + 1 : -1; break;
    case TListButton::Bottom: to = i >= 0 && i < n - 1 ? n - 1 : -1; break;
    default: break;
    }
    if (to < 0)
        return false;
    TListBoxReorder::MoveItem(List, i, to);
    return true;
}

QIcon ListButtonGlyph(TListButton Button)
{
    return DrawnIcon(QSize(16, 16), [&](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
        const QColor arrow(0x1F, 0x3F, 0x8F);
        auto triangle = [&](double Top, bool Up) {
            QPainterPath t;
            const double tip = Up ? Top : Top + 6, base = Up ? Top + 6 : Top;
            t.moveTo(8, tip);
            t.lineTo(14, base);
            t.lineTo(2, base);
            t.closeSubpath();
            p.fillPath(t, arrow);
        };
        switch (Button) {
        case TListButton::Top:
            p.fillRect(QRectF(2, 2, 12, 2), arrow);
            triangle(6, true);
            break;
        case TListButton::Up: triangle(5, true); break;
        case TListButton::Down: triangle(5, false); break;
        case TListButton::Bottom:
            triangle(4, false);
            p.fillRect(QRectF(2, 12, 12, 2), arrow);
            break;
        case TListButton::Delete:
            p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case TListButton::Add:
            p.setPen(QPen(QColor(0x20, 0x90, 0x30), 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 3), QPointF(8, 13));
            p.drawLine(QPointF(3, 8), QPointF(13, 8));
            break;
        }
    });
}
