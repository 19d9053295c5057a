#pragma once
// The VCL's control events on Qt widgets, with the VCL's order relative to the control's own
// handling, so that a handler sees what the VCL's handler would see:
//  - OnMouseDown runs after the control handled the press (a tree has already selected the
//    clicked node, an edit has already moved its caret);
//  - OnDblClick runs after the control handled the double click;
//  - OnKeyDown and OnKeyPress run before it, and can take the key away (Key = 0);
//  - OnEnter and OnExit follow the focus into and out of the control or any of its children,
//    not the activation of its window.
// Coordinates are the control's own client coordinates, also where the event hit an inner part
// (the viewport of a tree or a list, the edit inside a composite control). What a handler
// raises goes to the application's exception display (AppEvnts.h).
#include <QChar>
#include <QEvent>
#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace ControlEvents {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// The VCL's shift state as Qt keeps it.
using TShiftState = Qt::KeyboardModifiers;

using TNotifyEvent = std::function<void(QWidget *Sender)>;
using TMouseEvent = std::function<void(QWidget *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
// Key is a Qt key code (Qt::Key_Delete, Qt::Key_A ...); set it to 0 to keep the control from
// seeing the key.
using TKeyEvent = std::function<void(QWidget *Sender, int &Key, TShiftState Shift)>;
// Key is the typed (printable) character; set it to a null character to swallow it, or to
// another one to have the control receive that one instead.
using TKeyPressEvent = std::function<void(QWidget *Sender, QChar &Key)>;

// Each call replaces the control's earlier handler of that event; an empty function removes it.
// The handlers live as long as the control.
void SetOnMouseDown(QWidget *Control, TMouseEvent Handler);
void SetOnDblClick(QWidget *Control, TNotifyEvent Handler);
void SetOnKeyDown(QWidget *Control, TKeyEvent Handler);
void SetOnKeyPress(QWidget *Control, TKeyPressEvent Handler);
void SetOnEnter(QWidget *Control, TNotifyEvent Handler);
void SetOnExit(QWidget *Control, TNotifyEvent Handler);

// The control's own reaction to a press that comes before OnMouseDown, after the control's
// default handling: the automatic drag mode of the drag model (DragModel.h) sits here.
void SetPressReaction(QWidget *Control, TMouseEvent Handler);

// For an event filter that lets the object handle an event before it adds its own part: Obj
// handles E now, through every event filter, while Busy is true so that the calling filter lets
// it pass. False when Filter itself went away meanwhile (its members are gone then).
bool DeliverFirst(QObject *Filter, QObject *Obj, QEvent *E, bool &Busy);

} // namespace ControlEvents
