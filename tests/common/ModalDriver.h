#pragma once
// Operates the modal dialog that the code under test is about to open: the action runs once
// the dialog is showing (inside its modal loop), then the test code after exec() goes on.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace ModalDriver {

// Schedules Action for the next modal widget that shows up (within TimeoutMs). The returned
// flag turns true once the action ran, so that a test can tell a dialog never opened.
inline std::shared_ptr<bool> WhenModal(std::function<void(QWidget *)> Action, int TimeoutMs = 5000)
{
    auto ran = std::make_shared<bool>(false);
    auto timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [=]() {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->isVisible()) {
            timer->stop();
            timer->deleteLater();
            *ran = true;
            Action(w);
            return;
        }
        if (clock->elapsed() > TimeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(5);
    return ran;
}

// Common endings of an action.
inline void Accept(QWidget *w)
{
    if (auto *d = qobject_cast<QDialog *>(w))
        d->accept();
}
inline void Reject(QWidget *w)
{
    if (auto *d = qobject_cast<QDialog *>(w))
        d->reject();
}
// Closing the window (the title bar's X): counts as Cancel.
inline void CloseWindow(QWidget *w) { w->close(); }

} // namespace ModalDriver
