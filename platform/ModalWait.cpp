#include "ModalWait.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

namespace {
int GWaiting = 0; // watches that wait now
constexpr int PollMs = 5;
} // namespace

struct TModalWatch::TState : std::enable_shared_from_this<TModalWatch::TState> {
    std::function<void(QWidget *)> Action;
    TMatch Match = AnyModal;
    int TimeoutMs = -1;
    QPointer<QWidget> Before; // the active modal window when the watch started
    QElapsedTimer Clock;
    QTimer Timer;
    std::shared_ptr<bool> Ran = std::make_shared<bool>(false);
    bool Waiting = true;
    // A fire-and-forget watch keeps itself until it is done.
    std::shared_ptr<TState> Self;

    ~TState()
    {
        if (Waiting)
            --GWaiting;
    }

    void Finish()
    {
        if (!Waiting)
            return;
        Waiting = false;
        --GWaiting;
        Timer.stop();
        // Let go of itself later: the timer that called may not go while it is signalling.
        if (Self)
            QTimer::singleShot(0, [keep = std::move(Self)] {});
    }

    void Poll()
    {
        if (!Waiting)
            return;
        QWidget *w = Match == Popup ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
        if (w && w->isVisible() && !(Match == NewModal && w == Before)) {
            // The action runs event loops of its own (the dialog's, waits): the state, with its
            // timer and the action itself, stays until the action is done.
            const std::shared_ptr<TState> keep = shared_from_this();
            Finish();
            *Ran = true;
            Action(w);
            return;
        }
        if (TimeoutMs >= 0 && Clock.elapsed() > TimeoutMs)
            Finish();
    }
};

std::shared_ptr<TModalWatch::TState> TModalWatch::Start(std::function<void(QWidget *)> Action, TMatch Match,
                                                        int TimeoutMs)
{
    auto state = std::make_shared<TState>();
    state->Action = std::move(Action);
    state->Match = Match;
    state->TimeoutMs = TimeoutMs;
    state->Before = QApplication::activeModalWidget();
    state->Clock.start();
    ++GWaiting;
    QObject::connect(&state->Timer, &QTimer::timeout, [raw = state.get()] { raw->Poll(); });
    state->Timer.start(PollMs);
    return state;
}

TModalWatch::TModalWatch(std::function<void(QWidget *)> Action, TMatch Match, int TimeoutMs)
    : FState(Start(std::move(Action), Match, TimeoutMs))
{
}

TModalWatch::~TModalWatch() { Stop(); }

bool TModalWatch::Ran() const { return *FState->Ran; }
bool TModalWatch::Waiting() const { return FState->Waiting; }
void TModalWatch::Stop() { FState->Finish(); }
bool TModalWatch::Armed() { return GWaiting > 0; }

namespace ModalWait {

std::shared_ptr<bool> WhenModal(std::function<void(QWidget *)> Action, int TimeoutMs)
{
    auto state = TModalWatch::Start(std::move(Action), TModalWatch::AnyModal, TimeoutMs);
    state->Self = state;
    return state->Ran;
}

void Accept(QWidget *Window)
{
    if (auto *d = qobject_cast<QDialog *>(Window))
        d->accept();
}

void Reject(QWidget *Window)
{
    if (auto *d = qobject_cast<QDialog *>(Window))
        d->reject();
}

void CloseWindow(QWidget *Window) { Window->close(); }

} // namespace ModalWait
