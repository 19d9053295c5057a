#include "AppEvnts.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>
#include <vector>

#include "Forms.h"
#include "SysUtils.h"

namespace {

struct TIdleState {
    std::vector<QPointer<TApplicationEvents>> Handlers;
    QMetaObject::Connection Hook;
    bool Running = false;
    quint64 Count = 0;
};

TIdleState &State()
{
    static TIdleState s;
    return s;
}

// The dispatcher is about to block: the queue is empty, which is the idle moment.
void DispatcherIdle()
{
    if (!AppEvnts::DoIdle())
        if (QAbstractEventDispatcher *d = QAbstractEventDispatcher::instance(QThread::currentThread()))
            d->wakeUp(); // a handler wants to run again before the next wait
}

void EnsureHook()
{
    TIdleState &s = State();
    if (s.Hook)
        return;
    // Only the main thread's loop has idle processing, as in the VCL.
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    if (QAbstractEventDispatcher *d = QAbstractEventDispatcher::instance(app->thread()))
        s.Hook = QObject::connect(d, &QAbstractEventDispatcher::aboutToBlock, app, &DispatcherIdle);
}

} // namespace

TApplicationEvents::TApplicationEvents(QObject *AOwner) : QObject(AOwner)
{
    State().Handlers.push_back(this);
    EnsureHook();
}

TApplicationEvents::~TApplicationEvents()
{
    auto &h = State().Handlers;
    for (auto &p : h)
        if (p == this)
            p = nullptr; // removed after the current pass, which may be iterating
}

namespace AppEvnts {

bool DoIdle()
{
    TIdleState &s = State();
    if (s.Running)
        return true;
    s.Running = true;
    ++s.Count;
    bool all = true;
    // Handlers created during the pass wait for the next one.
    const size_t n = s.Handlers.size();
    for (size_t i = 0; i < n; ++i) {
        QPointer<TApplicationEvents> h = s.Handlers[i];
        if (!h || !h->OnIdle)
            continue;
        bool done = true;
        // An exception must not leave the dispatcher's signal; the idle pass of the others goes on.
        Forms::HandleEvent([&] { h->OnIdle(h, done); });
        all = all && done;
    }
    std::erase_if(s.Handlers, [](const QPointer<TApplicationEvents> &p) { return p.isNull(); });
    s.Running = false;
    return all;
}

void ProcessMessagesAndIdle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DoIdle();
}

quint64 IdleCount() { return State().Count; }

} // namespace AppEvnts
