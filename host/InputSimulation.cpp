#include "InputSimulation.h"

#include <QApplication>
#include <QKeySequence>
#include <QPointer>
#include <QWindow>
#include <QTest>

namespace InputSimulation {

void Click(QWidget *Widget, const QPoint &Pos, Qt::KeyboardModifiers Modifiers)
{
    QTest::mouseClick(Widget, Qt::LeftButton, Modifiers, Pos);
}

void DoubleClick(QWidget *Widget, const QPoint &Pos)
{
    QPointer<QWidget> w = Widget;
    QTest::mouseClick(w, Qt::LeftButton, {}, Pos);
    if (w)
        QTest::mouseDClick(w, Qt::LeftButton, {}, Pos);
    if (w)
        QTest::mouseRelease(w, Qt::LeftButton, {}, Pos);
}

bool Drag(QWidget *Source, const QPoint &From, QWidget *Target, const QPoint &To)
{
    const QPoint from = Source->mapToGlobal(From), to = Target->mapToGlobal(To);
    QPointer<QWindow> window = Source->window()->isVisible() ? Source->window()->windowHandle() : nullptr;
    if (!window)
        return false;
    QTest::mousePress(window, Qt::LeftButton, {}, window->mapFromGlobal(from));
    const int steps = 8;
    for (int i = 1; i <= steps && window; ++i) {
        const QPoint p(from.x() + (to.x() - from.x()) * i / steps, from.y() + (to.y() - from.y()) * i / steps);
        QTest::mouseMove(window, window->mapFromGlobal(p));
    }
    if (window)
        QTest::mouseRelease(window, Qt::LeftButton, {}, window->mapFromGlobal(to));
    return true;
}

namespace {
// Where the keyboard goes: the widget inside W that has its window's focus (the field of a
// composite control, a cell editor that the first key opened), else W.
QWidget *keyboardTarget(QWidget *W)
{
    QWidget *f = W->window()->focusWidget();
    return f && (f == W || W->isAncestorOf(f)) ? f : W;
}
} // namespace

void TypeText(QWidget *Widget, const QString &Text)
{
    QPointer<QWidget> w = Widget;
    for (const QChar c : Text) {
        if (!w)
            return;
        // A line break is the Return key, a tab the Tab key (Qt Test has no character for them).
        if (c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            QTest::keyClick(keyboardTarget(w), c == QLatin1Char('\n') ? Qt::Key_Return : Qt::Key_Tab);
        else
            QTest::keyClicks(keyboardTarget(w), QString(c));
    }
}

void Key(QWidget *Widget, Qt::Key Key, Qt::KeyboardModifiers Modifiers)
{
    QTest::keyClick(keyboardTarget(Widget), Key, Modifiers);
}

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
