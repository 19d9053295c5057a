#pragma once
// A modal dialog (or message box) that a script's call opened: a control with its title, its
// controls, and its own OK and Cancel buttons.
#include "ScriptControl.h"

class TScriptDialog : public TScriptControl {
    Q_OBJECT
    Q_PROPERTY(QString title READ Title)
    Q_PROPERTY(bool open READ IsOpen)
public:
    using TScriptControl::TScriptControl;
    QString Title() const;
    bool IsOpen() const;
    Q_INVOKABLE QStringList controls() const;
    // The dialog's own OK / Cancel button, so that what the dialog does on it runs.
    Q_INVOKABLE void ok();
    Q_INVOKABLE void cancel();
    // The title bar's close button.
    Q_INVOKABLE void close();
};
