#pragma once
// What a dialog test needs of a form besides its modal pass: its controls by object name, the
// Tab order as the user walks it with the keyboard, and a picture of the form.
#include <QApplication>
#include <QDir>
#include <QStringList>
#include <QWidget>
#include <QtTest>

namespace FormDriver {

// The control of the form with this object name; the test stops when there is none, since
// every check after it would be meaningless.
template <class W> W *Control(QWidget *Form, const char *Name)
{
    W *w = Form->findChild<W *>(QString::fromLatin1(Name));
    if (!w)
        qFatal("%s has no %s named %s", qPrintable(Form->objectName()), W::staticMetaObject.className(), Name);
    return w;
}

// Where the focus is, by the names of the form's controls: the outermost named control that
// takes the focus ("WidthUpDn" for the field inside the up-down), followed by the named
// control inside it when the focus went on from its first field ("GradientFrame/MiddleColor").
inline QString FocusedControl(QWidget *Form)
{
    QWidget *focus = QApplication::focusWidget();
    if (!focus || !Form->isAncestorOf(focus))
        return QStringLiteral("<outside>");
    QList<QWidget *> path; // named focus takers from the form down to the focus
    for (QWidget *w = focus; w && w != Form; w = w->parentWidget())
        if (!w->objectName().isEmpty() && w->focusPolicy() != Qt::NoFocus && !w->objectName().startsWith(QLatin1String("qt_")))
            path.prepend(w);
    QStringList names;
    for (QWidget *w : path) {
        names << w->objectName();
        // A composite whose focus went to its own first field is named alone.
        QWidget *field = w;
        while (field->focusProxy())
            field = field->focusProxy();
        if (field == focus || w == focus)
            break;
    }
    return names.join(QLatin1Char('/'));
}

// Shows the form, makes it the active window, and reports the control that has the focus
// first and then after each of Steps presses of Tab (or Shift+Tab).
inline QStringList TabWalk(QWidget *Form, int Steps, bool Backward = false)
{
    if (!Form->isVisible())
        Form->show();
    QApplication::setActiveWindow(Form);
    if (!QTest::qWaitForWindowActive(Form))
        return {QStringLiteral("<not active>")};
    QStringList seen{FocusedControl(Form)};
    for (int i = 0; i < Steps; ++i) {
        QWidget *at = QApplication::focusWidget() ? QApplication::focusWidget() : Form;
        QTest::keyClick(at, Backward ? Qt::Key_Backtab : Qt::Key_Tab, Backward ? Qt::ShiftModifier : Qt::NoModifier);
        seen << FocusedControl(Form);
    }
    return seen;
}

// Keeps a picture of the widget as the user sees it, under KV_SHOTS_DIR (the environment's,
// else the build's), so that its captions, fonts and clipping can be looked at.
inline void Shot(QWidget *W, const QString &Name)
{
    QString dir = qEnvironmentVariable("KV_SHOTS_DIR");
#ifdef KV_SHOTS_DIR
    if (dir.isEmpty())
        dir = QStringLiteral(KV_SHOTS_DIR);
#endif
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY2(W->grab().save(dir + QLatin1Char('/') + Name + QStringLiteral(".png")), qPrintable(Name));
}

} // namespace FormDriver
