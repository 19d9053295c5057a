#pragma once
// Input as a user gives it, for the IDE's scripts: mouse clicks, drags and keys sent to widgets
// through Qt Test's event functions, so that scripts exercise the same widgets and signals as a
// user. This is the one place of the IDE that uses Qt Test (kvidecore links it for this).
#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace InputSimulation {

void Click(QWidget *Widget, const QPoint &Pos, Qt::KeyboardModifiers Modifiers = {});
// A click and the second press that makes it a double click, as the mouse sends them.
void DoubleClick(QWidget *Widget, const QPoint &Pos);
// A drag with the left button: press at From (in Source), eight moves towards To (in Target;
// both points as the widgets stand when the drag begins), release at To. The events enter
// through the window as real input does, so that each one reaches the widget that takes the
// mouse at that moment (the one pressed on, while the button is held) in its coordinates of
// that moment: a widget that moves under the mouse (a marker being dragged) moves with the
// pointer instead of running ahead of it. False when Source's window is not shown.
bool Drag(QWidget *Source, const QPoint &From, QWidget *Target, const QPoint &To);
// Keys go where the keyboard goes: to the widget inside Widget that has its window's focus (the
// field of a composite control, a cell editor that the first key opened), else to Widget.
// TypeText types key by key; a line break is the Return key, a tab the Tab key.
void TypeText(QWidget *Widget, const QString &Text);
void Key(QWidget *Widget, Qt::Key Key, Qt::KeyboardModifiers Modifiers = {});
// Keys by the names Qt gives them ("Return", "Escape", "Down", "F2", "Ctrl+Return"); false for
// a name that is no key.
bool KeyFromName(const QString &Name, Qt::Key &Key, Qt::KeyboardModifiers &Modifiers);

} // namespace InputSimulation
