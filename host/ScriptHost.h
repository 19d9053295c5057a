#pragma once
// The IDE's JavaScript interface (QJSEngine): the global object "ide". Scripts drive the IDE as
// a user does: the palette, the form, the Object Inspector and its editors, component-editor
// verbs, the modal dialogs they open, undo, files and screenshots. docs/scripting.md describes
// the API for script authors; every call that fails throws a JavaScript Error with the IDE's
// message (ScriptErrors.h).
//
// The objects a call hands out live in their own file sets: ScriptControl (a widget),
// ScriptDialog (a modal dialog), ScriptProperty (an inspector row), ScriptMenu (a context menu).
// They reach the IDE through IScriptContext, which this class implements.
//
// Modal dialogs: calls that may open one (property edit(), verbs, a control's click()) take an
// optional handler function, called with the dialog once it shows, inside its modal loop. The
// handler ends the dialog (ok(), cancel(), close()); a dialog it leaves open is cancelled and
// reported, an error it throws cancels the dialog and comes back from the call.
#include <QJSEngine>
#include <QJSValue>
#include <QObject>
#include <QStringList>
#include <functional>

#include "ScriptContext.h"

class QWidget;
class TComponent;
class THostIDE;
class TMainWindow;

class TScriptHost : public QObject, public IScriptContext {
    Q_OBJECT
    Q_PROPERTY(QString screenshotDir READ ScreenshotDir WRITE SetScreenshotDir)
    Q_PROPERTY(QString arrange READ Arrange WRITE SetArrange)
    Q_PROPERTY(QString filter READ Filter WRITE SetFilter)
    Q_PROPERTY(QString lastError READ LastError)
public:
    TScriptHost(THostIDE *Host, TMainWindow *Window, QObject *parent = nullptr);
    ~TScriptHost() override;

    // Runs a script; false with Error set ("file:line: message") when it threw.
    bool Run(const QString &Source, const QString &FileName, QString *Error);
    bool RunFile(const QString &FileName, QString *Error);
    TMainWindow *Window() const { return FWindow; }

    // IScriptContext
    QJSEngine *Engine() override { return &FEngine; }
    void Throw(const QString &Message) override;
    void RunWithModal(const std::function<QString()> &Action, const QJSValue &Handler) override;
    QString ShotPath(const QString &File) const override;
    TPropertyGrid *Inspector() const override;

    QString ScreenshotDir() const { return FShotDir; }
    void SetScreenshotDir(const QString &Dir) { FShotDir = Dir; }
    QString Arrange() const;
    void SetArrange(const QString &Value);
    QString Filter() const;
    void SetFilter(const QString &Value);
    // The text of the last error box the IDE showed while the script ran.
    QString LastError() const { return FLastError; }

    // ---- The script API
    Q_INVOKABLE void log(const QString &Text);
    // A date as a user of this locale types it (the short date format), for date-time rows.
    Q_INVOKABLE QString dateText(int Year, int Month, int Day) const;
    // A number as a user of this locale types it (the decimal separator), for float rows.
    Q_INVOKABLE QString numberText(double Value) const;
    Q_INVOKABLE void wait(int Ms);
    Q_INVOKABLE QStringList packages() const;
    Q_INVOKABLE QStringList palettePages() const;
    Q_INVOKABLE QStringList paletteClasses(const QString &Page) const;
    Q_INVOKABLE void newForm();
    Q_INVOKABLE void openDemoForm();
    Q_INVOKABLE QStringList openForm(const QString &File);
    Q_INVOKABLE void saveForm(const QString &File);
    Q_INVOKABLE QString formText();
    Q_INVOKABLE bool isModified() const;
    // Chooses ClassName on the palette and clicks the form at (X, Y): the new component's name.
    Q_INVOKABLE QString place(const QString &ClassName, int X, int Y);
    Q_INVOKABLE QStringList components() const;
    Q_INVOKABLE QString classOf(const QString &Name) const;
    Q_INVOKABLE void select(const QJSValue &Names);
    Q_INVOKABLE QStringList selection() const;
    Q_INVOKABLE void deleteSelection();
    Q_INVOKABLE QJSValue value(const QString &Component, const QString &PropertyPath);
    Q_INVOKABLE void undo();
    Q_INVOKABLE void redo();
    Q_INVOKABLE int undoCount() const;
    // The Object Inspector.
    Q_INVOKABLE QStringList properties() const;
    Q_INVOKABLE QStringList categories() const;
    Q_INVOKABLE QStringList propertiesIn(const QString &Category) const;
    Q_INVOKABLE QJSValue property(const QString &Path);
    Q_INVOKABLE void expand(const QString &Path);
    // Component editors.
    Q_INVOKABLE QStringList verbs(const QString &Component);
    Q_INVOKABLE void executeVerb(const QString &Component, const QJSValue &Verb, const QJSValue &Handler = QJSValue());
    Q_INVOKABLE void editComponent(const QString &Component, const QJSValue &Handler = QJSValue());
    Q_INVOKABLE QJSValue contextMenu(const QString &Component);
    // Any window: the main window (no name), or a visible window or widget by object name.
    Q_INVOKABLE QJSValue find(const QString &ObjectName);
    Q_INVOKABLE void screenshot(const QString &File, const QString &ObjectName = QString());

private:
    // The component of that name (the form for an empty name), or a thrown error.
    TComponent *Component(const QString &Name) const;
    // A visible window of that name, else a widget of that name in any window; nil when none.
    QWidget *NamedWidget(const QString &ObjectName) const;
    // Runs a call of the IDE that raises; its error is thrown into the script.
    template <class F> void Raising(F &&Call);
    THostIDE *FHost;
    TMainWindow *FWindow;
    QJSEngine FEngine;
    QString FShotDir = QStringLiteral(".");
    QString FLastError;
};
