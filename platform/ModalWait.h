#pragma once
// Operates the modal window that code is about to open: an action runs once the window shows,
// inside its modal loop, and the code that opened it goes on after exec() returns. The host's
// scripts and the tests use this one piece; the host's error box asks Armed() whether anybody
// waits to operate a window (then it shows even in a headless run, to be operated).
//
//     TModalWatch watch([](QWidget *w) { ModalWait::Accept(w); }, TModalWatch::NewModal);
//     editor->Edit();                       // opens the dialog; the watch presses OK
//     if (!watch.Ran()) ...                 // no dialog opened
#include <functional>
#include <memory>

class QWidget;

class TModalWatch {
public:
    // Which window is the one: any modal window that shows, only one that is not the active
    // modal window at the time the watch starts (a dialog opened from inside another), or a
    // popup (a menu that a tool button drops down runs a modal loop of its own).
    enum TMatch { AnyModal, NewModal, Popup };

    // Starts watching. Action is called once, with the first matching modal window that is
    // visible, within TimeoutMs milliseconds (negative: until Stop or the watch goes).
    explicit TModalWatch(std::function<void(QWidget *)> Action, TMatch Match = AnyModal, int TimeoutMs = -1);
    ~TModalWatch();
    TModalWatch(const TModalWatch &) = delete;
    TModalWatch &operator=(const TModalWatch &) = delete;

    bool Ran() const;
    // Still waiting for its window.
    bool Waiting() const;
    void Stop();

    // Whether some watch waits for a modal window now.
    static bool Armed();

    struct TState;
    static std::shared_ptr<TState> Start(std::function<void(QWidget *)> Action, TMatch Match, int TimeoutMs);

private:
    std::shared_ptr<TState> FState;
};

namespace ModalWait {

// Fire and forget, as tests use it: schedules Action for the next modal window that shows
// within TimeoutMs. The returned flag turns true once the action ran, so that a test can tell
// that a dialog never opened.
std::shared_ptr<bool> WhenModal(std::function<void(QWidget *)> Action, int TimeoutMs = 5000);

// Common endings of an action.
void Accept(QWidget *Window);
void Reject(QWidget *Window);
// The title bar's close button: counts as Cancel.
void CloseWindow(QWidget *Window);

} // namespace ModalWait
