#include "ControlEvents.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include "AppEvnts.h"
#include "Forms.h"

namespace ControlEvents {
namespace {

const char *const HooksName = "kv_control_events";

// True when Part is Control or lies below it in the object tree (also in a popup window that
// Control owns, such as a combo box's list).
bool Within(const QObject *Control, const QObject *Part)
{
    for (const QObject *o = Part; o; o = o->parent())
        if (o == Control)
            return true;
    return false;
}

// A scroll bar of the control is its frame, not its client area: the VCL reports no mouse
// events there.
bool InScrollBar(const QObject *Control, const QObject *Part)
{
    for (const QObject *o = Part; o && o != Control; o = o->parent())
        if (qobject_cast<const QScrollBar *>(o))
            return true;
    return false;
}

class THooks : public QObject {
public:
    explicit THooks(QWidget *Control) : QObject(Control), FControl(Control)
    {
        setObjectName(QLatin1String(HooksName));
        Watch(Control);
    }

    TMouseEvent PressReaction, MouseDown;
    TNotifyEvent DblClick;
    TKeyEvent KeyDown;
    TKeyPressEvent KeyPress;
    TNotifyEvent Enter, Exit;

    void FollowFocus()
    {
        if (FFocusHook || !(Enter || Exit))
            return;
        QWidget *f = QApplication::focusWidget();
        FInside = f && Within(FControl, f);
        FFocusHook = connect(qApp, &QApplication::focusChanged, this, &THooks::FocusChanged);
    }

protected:
    bool eventFilter(QObject *Obj, QEvent *E) override
    {
        switch (E->type()) {
        case QEvent::ChildAdded: {
            // Inner parts created later (a combo box's list, a scroll area's viewport) report too.
            QObject *c = static_cast<QChildEvent *>(E)->child();
            if (c->isWidgetType())
                Watch(c);
            return false;
        }
        case QEvent::MouseButtonPress:
            if (!PressReaction && !MouseDown)
                return false;
            return AfterDefault(Obj, E, [&](QWidget *Part) { CallMouseDown(Part, static_cast<QMouseEvent *>(E)); });
        case QEvent::MouseButtonDblClick:
            return DblClick ? AfterDefault(Obj, E, [&](QWidget *) { Forms::HandleEvent([&] { DblClick(FControl); }); }) : false;
        case QEvent::KeyPress:
            return KeyEvent(Obj, static_cast<QKeyEvent *>(E));
        default:
            return false;
        }
    }

private:
    void Watch(QObject *Part)
    {
        Part->installEventFilter(this);
        for (QObject *c : Part->children())
            if (c->isWidgetType())
                Watch(c);
    }

    // Lets the control handle the event first (every other filter included), then runs the
    // handler. The event counts as handled, so that Qt does not pass it on to the parents again.
    template <class F> bool AfterDefault(QObject *Obj, QEvent *E, F &&Handler)
    {
        if (FResending || !FControl || InScrollBar(FControl, Obj))
            return false;
        auto *part = static_cast<QWidget *>(Obj);
        if (!DeliverFirst(this, Obj, E, FResending))
            return true;
        E->setAccepted(true);
        Handler(part);
        return true;
    }

    void CallMouseDown(QWidget *Part, QMouseEvent *E)
    {
        TMouseButton b;
        switch (E->button()) {
        case Qt::LeftButton: b = TMouseButton::mbLeft; break;
        case Qt::RightButton: b = TMouseButton::mbRight; break;
        case Qt::MiddleButton: b = TMouseButton::mbMiddle; break;
        default: return;
        }
        const QPoint p = Part == FControl ? E->position().toPoint()
                                         : FControl->mapFromGlobal(Part->mapToGlobal(E->position().toPoint()));
        QPointer<THooks> self(this);
        if (PressReaction)
            Forms::HandleEvent([&] { PressReaction(FControl, b, E->modifiers(), p.x(), p.y()); });
        if (self && FControl && MouseDown)
            Forms::HandleEvent([&] { MouseDown(FControl, b, E->modifiers(), p.x(), p.y()); });
    }

    bool KeyEvent(QObject *Obj, QKeyEvent *E)
    {
        // A key goes to the focused widget first and climbs to the parents when ignored; the
        // handlers see it once, where it first arrives.
        if (FResending || !FControl || Obj != QApplication::focusWidget())
            return false;
        QPointer<THooks> self(this);
        if (KeyDown) {
            int key = E->key();
            Forms::HandleEvent([&] { KeyDown(FControl, key, E->modifiers()); });
            if (!self)
                return true;
            if (key == 0)
                return true;
        }
        if (KeyPress && !E->text().isEmpty() && !E->text().at(0).isNull() && E->text().at(0) >= QLatin1Char(' ')) {
            const QChar typed = E->text().at(0);
            QChar key = typed;
            Forms::HandleEvent([&] { KeyPress(FControl, key); });
            if (!self)
                return true;
            if (key.isNull())
                return true;
            if (key != typed) {
                QKeyEvent replaced(E->type(), E->key(), E->modifiers(), QString(key), E->isAutoRepeat(), ushort(E->count()));
                DeliverFirst(this, Obj, &replaced, FResending);
                return true;
            }
        }
        return false;
    }

    void FocusChanged(QWidget *Old, QWidget *Now)
    {
        // Another window taking the focus, or this one losing activation, is no change of the
        // control within its form.
        if (!FControl || !Now || Now->window() != FControl->window())
            return;
        const bool inside = Within(FControl, Now);
        if (inside == FInside)
            return;
        FInside = inside;
        if (inside && Enter)
            Forms::HandleEvent([&] { Enter(FControl); });
        else if (!inside && Exit)
            Forms::HandleEvent([&] { Exit(FControl); });
    }

    QPointer<QWidget> FControl;
    QMetaObject::Connection FFocusHook;
    bool FResending = false;
    bool FInside = false;
};

THooks *HooksOf(QWidget *Control)
{
    for (QObject *c : Control->children())
        if (c->objectName() == QLatin1String(HooksName))
            if (auto *h = dynamic_cast<THooks *>(c))
                return h;
    return new THooks(Control);
}

} // namespace

bool DeliverFirst(QObject *Filter, QObject *Obj, QEvent *E, bool &Busy)
{
    QPointer<QObject> alive(Filter);
    Busy = true;
    QCoreApplication::sendEvent(Obj, E);
    if (!alive)
        return false;
    Busy = false;
    return true;
}

void SetOnMouseDown(QWidget *Control, TMouseEvent Handler) { HooksOf(Control)->MouseDown = std::move(Handler); }
void SetPressReaction(QWidget *Control, TMouseEvent Handler) { HooksOf(Control)->PressReaction = std::move(Handler); }
void SetOnDblClick(QWidget *Control, TNotifyEvent Handler) { HooksOf(Control)->DblClick = std::move(Handler); }
void SetOnKeyDown(QWidget *Control, TKeyEvent Handler) { HooksOf(Control)->KeyDown = std::move(Handler); }
void SetOnKeyPress(QWidget *Control, TKeyPressEvent Handler) { HooksOf(Control)->KeyPress = std::move(Handler); }

void SetOnEnter(QWidget *Control, TNotifyEvent Handler)
{
    THooks *h = HooksOf(Control);
    h->Enter = std::move(Handler);
    h->FollowFocus();
}

void SetOnExit(QWidget *Control, TNotifyEvent Handler)
{
    THooks *h = HooksOf(Control);
    h->Exit = std::move(Handler);
    h->FollowFocus();
}

} // namespace ControlEvents
