#pragma once
// The IDE's error box: the one way the host shows an error, whoever raised it (the Object
// Inspector, the form designer and its component editors, the main window's commands, package
// loading, scripts). Every message is announced (shown(): the main window's message area, the
// scripts' lastError, tests) and then
//  - in a run with a screen, shown modally over the window it concerns;
//  - in a headless run (kvide --script, --screenshots, or the offscreen platform) written to
//    standard error, and the IDE goes on; unless something waits to operate a modal window
//    (a script's dialog handler, a test's modal driver): then the box shows, to be operated.
#include <QObject>
#include <QString>

#include "SysUtils.h"

class QWidget;

class TErrorBox : public QObject {
    Q_OBJECT
public:
    enum class TKind { Error, Warning };

    static TErrorBox &Instance();

    // Shows Message (Details: a longer text behind a button). Title defaults to the IDE's name.
    static void Show(QWidget *Parent, const QString &Message, const QString &Title = QString(),
                     TKind Kind = TKind::Error, const QString &Details = QString());
    // Runs Call; an exception of any kind is shown in the box. True when Call went through.
    template <class F> static bool Guard(QWidget *Parent, const QString &Title, F &&Call)
    {
        const std::optional<QString> error = GuardedCall(std::forward<F>(Call));
        if (error)
            Show(Parent, *error, Title);
        return !error;
    }

    // Whether boxes show only to be operated (see above). kvide's automation modes set it; the
    // offscreen platform implies it.
    static bool Headless();
    static void SetHeadless(bool Value);

signals:
    void shown(const QString &Message);

private:
    TErrorBox() = default;
    bool FHeadless = false;
};
