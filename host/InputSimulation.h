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
// Press at From, eight moves to To with the button down, release at To.
void Drag(QWidget *Widget, const QPoint &From, const QPoint &To);
void TypeText(QWidget *Widget, const QString &Text);
void Key(QWidget *Widget, Qt::Key Key, Qt::KeyboardModifiers Modifiers = {});
// Keys by the names Qt gives them ("Return", "Escape", "Down", "F2", "Ctrl+Return"); false for
// a name that is no key.
bool KeyFromName(const QString &Name, Qt::Key &Key, Qt::KeyboardModifiers &Modifiers);

} // namespace InputSimulation
