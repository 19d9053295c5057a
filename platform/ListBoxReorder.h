#pragma once
// Owner-drawn list boxes whose entries the user reorders by dragging them with the mouse, as the
// fill palette and legend order dialogs do: written once here.
//
// TListBoxReorder is the press-box reordering of one list box: a press on an entry arms a 3 x 3
// pixel box around the press point; leaving it with the left button held starts the drag; the
// entry under the mouse becomes the target, shown by the "no" cursor while it is the start entry
// and by the vertical sizing cursor otherwise; a release inside the list moves the entry. It is
// a self-contained piece on plain mouse events (not the IDE's general drag model) so that it
// works with real input, headless too.
//
// Usage in a form:
//     FReorder = new TListBoxReorder(FUi->PaletteList);
//     connect(FReorder, &TListBoxReorder::OnMouseDown, this, &TForm::PaletteListMouseDown);
//     ... PaletteListMouseDown(...) { FReorder->MouseDown(X, Y); }
//     ... PaletteListMouseUp(...) { if (FReorder->MouseUp(X, Y)) move and select FDragOverIdx; }
#include <QIcon>
#include <QObject>
#include <QStyle>
#include <QStyledItemDelegate>
#include <functional>

#include "Graphics.h"

class QListWidget;
class QPainter;

// The shift state of a mouse event as the VCL reports it: the keys and the buttons held.
struct TShiftState {
    Qt::KeyboardModifiers Keys;
    Qt::MouseButtons Buttons;
    // The left button alone: no key, no other button.
    bool IsLeftOnly() const;
};

// Paints every entry of a list through OnDrawItem, at a fixed item height (an owner-drawn list
// box with fixed items). State carries QStyle::State_Selected for the selected entry.
class TOwnerDrawDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using TDrawItem = std::function<void(QPainter *Canvas, int Index, const TRect &Rect, QStyle::State State)>;
    // Installs itself on List; a null DrawItem keeps the standard painting (fixed height only).
    TOwnerDrawDelegate(QListWidget *List, int ItemHeight, TDrawItem DrawItem = {});
    int ItemHeight() const { return FItemHeight; }
    // Lays the list out again at the new height.
    void SetItemHeight(int Value);
    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override;
    QSize sizeHint(const QStyleOptionViewItem &Option, const QModelIndex &Index) const override;
private:
    QListWidget *FList;
    int FItemHeight;
    TDrawItem FDrawItem;
};

class TListBoxReorder : public QObject {
    Q_OBJECT
public:
    // Watches the list's mouse events (it becomes the list's child, found by object name
    // "<ListName>Reorder").
    explicit TListBoxReorder(QListWidget *List);

    // The state of the gesture.
    bool Dragging() const { return FDragging; }
    int DragStartIdx() const { return FDragStartIdx; }
    int DragOverIdx() const { return FDragOverIdx; }
    TRect DragRect() const { return FDragRect; }

    // The three steps, called from the form's mouse handlers with the event's point (in the
    // list's client coordinates).
    void MouseDown(int X, int Y);
    void MouseMove(TShiftState Shift, int X, int Y);
    // Ends a drag; true when the entry at FDragStartIdx is to be moved to FDragOverIdx (the
    // release was inside the list, on another entry). Without a drag nothing changes, and the
    // press box stays pending.
    bool MouseUp(int X, int Y);
    // Forgets a pending press box (when the list is filled anew).
    void ClearPressBox() { FDragRect = TRect(); }

    // The entry at a point, -1 when the point is on none.
    int ItemAtPos(int X, int Y) const;
    // The point lies within the list's client area (edges included).
    bool InBounds(int X, int Y) const;
    // Moves the entry From to To, keeping its attached object, and makes it the current one
    // without firing the list's selection signals (a list box selected by code fires no click).
    static void MoveItem(QListWidget *List, int From, int To);
    // Selects Index by code: no click handler runs.
    static void SelectItem(QListWidget *List, int Index);

signals:
    void OnMouseDown(Qt::MouseButton Button, TShiftState Shift, int X, int Y);
    void OnMouseMove(TShiftState Shift, int X, int Y);
    void OnMouseUp(Qt::MouseButton Button, TShiftState Shift, int X, int Y);

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    void SetCursor(Qt::CursorShape Shape);
    QListWidget *FList;
    // The list's viewport, which receives the mouse (kept: it still sends events while the
    // list is being destroyed, when the list can no longer be asked for it).
    QWidget *FViewport;
    bool FDragging = false;
    int FDragStartIdx = -1; // entry under the last press, -1 when none
    int FDragOverIdx = -1;  // entry the dragged one would move to
    TRect FDragRect;        // the pending press box; all zero when no press is pending
};

// The buttons beside such lists, and their glyphs.
enum class TListButton { Top, Up, Down, Bottom, Delete, Add };
QIcon ListButtonGlyph(TListButton Button);
// What the move buttons do: the selected entry goes to the top, one up, one down or to the
// bottom, and stays selected (MoveItem). Top and Up need an entry above it, Down and Bottom one
// below; otherwise, and for the other buttons, nothing happens. True when an entry moved.
bool MoveSelectedItem(QListWidget *List, TListButton Button);
