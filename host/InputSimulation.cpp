#include "InputSimulation.h"

#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QTest>

namespace InputSimulation {

void Click(QWidget *Widget, const QPoint &Pos, Qt::KeyboardModifiers Modifiers)
{
    QTest::mouseClick(Widget, Qt::LeftButton, Modifiers, Pos);
}

void Drag(QWidget *Widget, const QPoint &From, const QPoint &To)
{
    QTest::mousePress(Widget, Qt::LeftButton, {}, From);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        // QTest's own mouseMove carries no buttons: the move events are made here.
        const QPoint p(From.x() + (To.x() - From.x()) * i / steps, From.y() + (To.y() - From.y()) * i / steps);
        QMouseEvent move(QEvent::MouseMove, p, Widget->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Widget, &move);
    }
    QTest::mouseRelease(Widget, Qt::LeftButton, {}, To);
}

void TypeText(QWidget *Widget, const QString &Text) { QTest::keyClicks(Widget, Text); }

void Key(QWidget *Widget, Qt::Key Key, Qt::KeyboardModifiers Modifiers) { QTest::keyClick(Widget, Key, Modifiers); }

bool KeyFromName(const QString &Name, Qt::Key &Key, Qt::KeyboardModifiers &Modifiers)
{
    const QKeySequence seq = QKeySequence::fromString(Name);
    if (seq.isEmpty())
        return false;
    const QKeyCombination c = seq[0];
    Key = c.key();
    Modifiers = c.keyboardModifiers();
    return Key != Qt::Key_unknown;
}

} // namespace InputSimulation
