#pragma once
// The application's idle processing, with the VCL's names: a TApplicationEvents object that a
// form owns gets OnIdle each time the application's event queue runs empty, for as long as the
// object exists. One hook on the main thread's event dispatcher serves all of them.
//
// A handler receives a Done flag that starts True. Left True, the application waits for the
// next event; set to False, the idle handlers run again at once (a handler that works in small
// steps keeps getting called until it says it is done).
#include <QObject>
#include <QString>
#include <functional>
#include <utility>

#include "SysUtils.h"

class TApplicationEvents : public QObject {
    Q_OBJECT
public:
    using TIdleEvent = std::function<void(QObject *Sender, bool &Done)>;
    explicit TApplicationEvents(QObject *AOwner = nullptr);
    ~TApplicationEvents() override;
    TIdleEvent OnIdle;
};

namespace AppEvnts {

// Runs the idle handlers of every TApplicationEvents now, in the order they were created, as
// the application does when its queue is empty. Returns the combined Done flag. A handler that
// raises does not stop the others. Calls made while the handlers run (from inside one of them,
// or from a nested event loop that one of them opened) do nothing and return True.
bool DoIdle();

// One turn of the application's loop that ends idle: processes every pending event (posted
// events, timers that are due, deferred deletes), then runs the idle handlers once. What a test
// or a script waits for after simulated input, when it cannot let a real event loop block.
void ProcessMessagesAndIdle();

// How many times the idle handlers ran since the program started (for tests and diagnostics).
quint64 IdleCount();

} // namespace AppEvnts
