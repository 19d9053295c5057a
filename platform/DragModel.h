#pragma once
// The IDE's drag model between the controls of one window, as the VCL has it: a control begins
// a drag at once or once the mouse moved a threshold away from the press; while the mouse moves,
// the control under it is asked whether it accepts the source (OnDragOver, with enter, move and
// leave states); releasing the button over a control that accepted drops there (OnDragDrop);
// Escape, another button or losing the window cancels. The source learns the end (OnEndDrag).
//
// It runs on the plain mouse events that Qt delivers, so real and simulated input drive it
// alike, also on the offscreen platform; nothing leaves the application (no system drag and
// drop). While a drag is under way the source's mouse events belong to the drag: the source sees
// neither the moves nor, once the drag started, the release.
//
// Sender and target are the controls for which handlers were set, also where the mouse is over
// one of their inner parts (a tree's viewport, the edit inside a composite control); X and Y are
// the target's client coordinates. What a handler raises goes to the application's exception
// display (AppEvnts.h); the drag ends as it would have.
#include <QPoint>
#include <functional>

class QWidget;

namespace DragModel {

enum class TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum class TDragMode { dmManual, dmAutomatic };

using TDragOverEvent = std::function<void(QWidget *Sender, QWidget *Source, int X, int Y, TDragState State, bool &Accept)>;
using TDragDropEvent = std::function<void(QWidget *Sender, QWidget *Source, int X, int Y)>;
using TStartDragEvent = std::function<void(QWidget *Sender)>;
// Target is nil when the drag ended without a drop.
using TEndDragEvent = std::function<void(QWidget *Sender, QWidget *Target, int X, int Y)>;

// A control with an OnDragOver handler is a drop target; Accept starts True in the handler. Each
// call replaces the earlier handler; the handlers live as long as the control.
void SetOnDragOver(QWidget *Control, TDragOverEvent Handler);
void SetOnDragDrop(QWidget *Control, TDragDropEvent Handler);
void SetOnStartDrag(QWidget *Control, TStartDragEvent Handler);
void SetOnEndDrag(QWidget *Control, TEndDragEvent Handler);
// dmAutomatic: a left press on the control begins a drag that waits for the system's threshold,
// after the control handled the press (a list has selected the item pressed on).
void SetDragMode(QWidget *Control, TDragMode Mode);

// The system's drag threshold in pixels.
int DragThreshold();

// Begins a drag of Control from where the mouse button was last pressed (called from a
// mouse-down handler), or from the mouse's current position when no button is down. Immediate:
// the drag starts now; else once the mouse moved Threshold pixels or more away from that point
// in x or in y (-1: the system's threshold). A drag under way is cancelled first.
void BeginDrag(QWidget *Control, bool Immediate, int Threshold = -1);
// Ends the drag under way: with Drop, as if the button was released where the mouse is now.
void EndDrag(bool Drop);
void CancelDrag();

// True while Control's drag is under way, also while it waits for the threshold.
bool Dragging(const QWidget *Control);
// The source of the drag under way, nil when none.
QWidget *DragSource();
// True once the threshold was passed (the drag shows its cursor and asks targets).
bool DragStarted();
// The control the mouse is over that has drag handlers, nil when none; whether it accepted.
QWidget *DragTarget();
bool DragAccepted();

} // namespace DragModel
