#include "DragModel.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "AppEvnts.h"
#include "Forms.h"
#include "ControlEvents.h"

namespace DragModel {
namespace {

const char *const HandlersName = "kv_drag_handlers";

class THandlers : public QObject {
public:
    explicit THandlers(QWidget *Control) : QObject(Control) { setObjectName(QLatin1String(HandlersName)); }
    TDragOverEvent DragOver;
    TDragDropEvent DragDrop;
    TStartDragEvent StartDrag;
    TEndDragEvent EndDrag;
};

THandlers *FindHandlers(const QWidget *Control)
{
    if (!Control)
        return nullptr;
    for (QObject *c : Control->children())
        if (c->objectName() == QLatin1String(HandlersName))
            return dynamic_cast<THandlers *>(c);
    return nullptr;
}

THandlers *HandlersOf(QWidget *Control)
{
    THandlers *h = FindHandlers(Control);
    return h ? h : new THandlers(Control);
}

// The one drag of the application. It watches the application's events: the presses always
// (a drag begins where the button went down), everything else only while a drag is under way.
class TDragManager : public QObject {
public:
    TDragManager() { qApp->installEventFilter(this); }

    QPointer<QWidget> Source, Target;
    QPoint Start;         // global position where the drag began
    int Threshold = 0;
    bool Started = false;
    bool Accepted = false;
    QPoint LastPress;     // global position of the last press of any button
    bool ButtonDown = false;

    void Begin(QWidget *Control, bool Immediate, int AThreshold)
    {
        Cancel();
        Source = Control;
        Start = ButtonDown ? LastPress : QCursor::pos();
        Threshold = AThreshold < 0 ? DragThreshold() : AThreshold;
        Started = false;
        Accepted = false;
        Target = nullptr;
        if (Immediate)
            StartNow(Start);
    }

    void Finish(bool Drop, const QPoint &Global)
    {
        if (!Source)
            return;
        QPointer<QWidget> source = Source;
        QPointer<QWidget> dropped;
        QPoint local;
        if (Started) {
            QApplication::restoreOverrideCursor();
            if (Drop)
                MoveTo(Global);
            if (Target) {
                local = Target->mapFromGlobal(Global);
                if (Drop && Accepted) {
                    dropped = Target;
                } else if (THandlers *h = FindHandlers(Target); h && h->DragOver) {
                    bool accept = false;
                    Forms::HandleEvent([&] { h->DragOver(Target, Source, local.x(), local.y(), TDragState::dsDragLeave, accept); });
                }
            }
        }
        // The drop handlers still see the drag under way (Dragging is True for the source).
        if (dropped && source)
            if (THandlers *h = FindHandlers(dropped); h && h->DragDrop)
                Forms::HandleEvent([&] { h->DragDrop(dropped, source, local.x(), local.y()); });
        const bool started = Started;
        Source = nullptr;
        Target = nullptr;
        Started = false;
        Accepted = false;
        if (started && source)
            if (THandlers *h = FindHandlers(source); h && h->EndDrag) {
                const QPoint at = dropped ? local : QPoint();
                Forms::HandleEvent([&] { h->EndDrag(source, dropped, at.x(), at.y()); });
            }
    }

    void Cancel() { Finish(false, QPoint()); }

protected:
    bool eventFilter(QObject *Obj, QEvent *E) override
    {
        switch (E->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto *m = static_cast<QMouseEvent *>(E);
            LastPress = m->globalPosition().toPoint();
            ButtonDown = true;
            if (Source && Started && m->button() != Qt::LeftButton) {
                Cancel(); // another button during a drag gives it up
                return true;
            }
            return false;
        }
        case QEvent::MouseMove: {
            if (!Source)
                return false;
            const QPoint g = static_cast<QMouseEvent *>(E)->globalPosition().toPoint();
            if (!Started) {
                if (std::abs(g.x() - Start.x()) < Threshold && std::abs(g.y() - Start.y()) < Threshold)
                    return true; // the mouse belongs to the pending drag
                StartNow(g);
            }
            if (Source)
                MoveTo(g);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            auto *m = static_cast<QMouseEvent *>(E);
            ButtonDown = m->buttons() != Qt::NoButton;
            if (!Source || m->button() != Qt::LeftButton)
                return false;
            if (!Started) {
                // Released before the threshold: no drag, the control gets its click.
                Cancel();
                return false;
            }
            Finish(true, m->globalPosition().toPoint());
            return true;
        }
        case QEvent::KeyPress:
            if (Source && static_cast<QKeyEvent *>(E)->key() == Qt::Key_Escape) {
                Cancel();
                return true;
            }
            return false;
        case QEvent::WindowDeactivate:
            if (Source && Obj == Source->window())
                Cancel();
            return false;
        default:
            return false;
        }
    }

private:
    void StartNow(const QPoint &Global)
    {
        Started = true;
        QApplication::setOverrideCursor(Qt::ForbiddenCursor);
        if (THandlers *h = FindHandlers(Source); h && h->StartDrag)
            Forms::HandleEvent([&] { h->StartDrag(Source); });
        if (Source)
            MoveTo(Global);
    }

    // The control with drag handlers under a point of the source's window.
    QWidget *TargetAt(const QPoint &Global) const
    {
        QWidget *win = Source->window();
        const QPoint p = win->mapFromGlobal(Global);
        if (!win->rect().contains(p))
            return nullptr;
        QWidget *w = win->childAt(p);
        for (; w; w = w == win ? nullptr : w->parentWidget())
            if (THandlers *h = FindHandlers(w); h && h->DragOver)
                return w;
        if (THandlers *h = FindHandlers(win); h && h->DragOver)
            return win;
        return nullptr;
    }

    void MoveTo(const QPoint &Global)
    {
        QWidget *t = TargetAt(Global);
        if (t != Target && Target)
            if (THandlers *h = FindHandlers(Target); h && h->DragOver) {
                const QPoint l = Target->mapFromGlobal(Global);
                bool accept = false;
                Forms::HandleEvent([&] { h->DragOver(Target, Source, l.x(), l.y(), TDragState::dsDragLeave, accept); });
            }
        const TDragState state = t == Target ? TDragState::dsDragMove : TDragState::dsDragEnter;
        Target = t;
        Accepted = false;
        if (t && Source) {
            const QPoint l = t->mapFromGlobal(Global);
            bool accept = true;
            Forms::HandleEvent([&] { FindHandlers(t)->DragOver(t, Source, l.x(), l.y(), state, accept); });
            Accepted = accept;
        }
        if (Source)
            QApplication::changeOverrideCursor(Accepted ? Qt::DragCopyCursor : Qt::ForbiddenCursor);
    }
};

TDragManager &Manager()
{
    static TDragManager *m = new TDragManager; // lives as long as the application
    return *m;
}

} // namespace

namespace {
template <auto Slot, class H> void SetHandler(QWidget *Control, H Handler)
{
    Manager();
    HandlersOf(Control)->*Slot = std::move(Handler);
}
} // namespace

void SetOnDragOver(QWidget *Control, TDragOverEvent Handler) { SetHandler<&THandlers::DragOver>(Control, std::move(Handler)); }
void SetOnDragDrop(QWidget *Control, TDragDropEvent Handler) { SetHandler<&THandlers::DragDrop>(Control, std::move(Handler)); }
void SetOnStartDrag(QWidget *Control, TStartDragEvent Handler) { SetHandler<&THandlers::StartDrag>(Control, std::move(Handler)); }
void SetOnEndDrag(QWidget *Control, TEndDragEvent Handler) { SetHandler<&THandlers::EndDrag>(Control, std::move(Handler)); }

void SetDragMode(QWidget *Control, TDragMode Mode)
{
    Manager();
    if (Mode == TDragMode::dmAutomatic)
        ControlEvents::SetPressReaction(Control, [](QWidget *Sender, ControlEvents::TMouseButton Button, ControlEvents::TShiftState, int, int) {
            if (Button == ControlEvents::TMouseButton::mbLeft)
                BeginDrag(Sender, false, -1);
        });
    else
        ControlEvents::SetPressReaction(Control, nullptr);
}

int DragThreshold() { return QApplication::startDragDistance(); }

void BeginDrag(QWidget *Control, bool Immediate, int Threshold)
{
    if (Control)
        Manager().Begin(Control, Immediate, Threshold);
}

void EndDrag(bool Drop) { Manager().Finish(Drop, QCursor::pos()); }
void CancelDrag() { Manager().Cancel(); }

bool Dragging(const QWidget *Control) { return Control && Manager().Source == Control; }
QWidget *DragSource() { return Manager().Source; }
bool DragStarted() { return Manager().Source && Manager().Started; }
QWidget *DragTarget() { return Manager().Target; }
bool DragAccepted() { return Manager().Target && Manager().Accepted; }

} // namespace DragModel
