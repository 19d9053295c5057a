#pragma once
// The IDE's JavaScript interface (QJSEngine). Scripts drive the IDE as a user does: the palette,
// the form, the Object Inspector and its editors, component-editor verbs, the modal dialogs
// they open, undo, files and screenshots. docs/scripting.md describes the API for script
// authors; every call that fails throws a JavaScript Error with the IDE's message.
//
// Modal dialogs: calls that may open one (property edit(), verbs, a control's click()) take an
// optional handler function, called with the dialog once it shows, inside its modal loop. The
// handler ends the dialog (ok(), cancel(), close()); a dialog it leaves open is cancelled and
// reported, an error it throws cancels the dialog and comes back from the call.
#include <QJSEngine>
#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <functional>

#include "Classes.h"

class QMenu;
class QWidget;
class THostIDE;
class TMainWindow;
class TPropertyGrid;

// A widget of a dialog (or of the IDE) as scripts see it.
class TScriptControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString objectName READ Name CONSTANT)
    Q_PROPERTY(QString className READ ClassName CONSTANT)
    Q_PROPERTY(QString text READ Text)
    Q_PROPERTY(QVariant value READ Value)
    Q_PROPERTY(bool enabled READ Enabled)
    Q_PROPERTY(bool visible READ Visible)
public:
    TScriptControl(QWidget *Widget, QJSEngine *Engine);
    QString Name() const;
    QString ClassName() const;
    QString Text() const;
    QVariant Value() const;
    bool Enabled() const;
    bool Visible() const;

    // Sets the control's value as a user would choose it: checks a check box, picks a combo
    // item (by text or index), sets a spin box or slider, replaces a text field's text.
    Q_INVOKABLE void setValue(const QJSValue &Value);
    Q_INVOKABLE void click(const QJSValue &Handler = QJSValue());
    Q_INVOKABLE void type(const QString &Text);
    Q_INVOKABLE void key(const QString &KeyName);
    Q_INVOKABLE void drag(int X1, int Y1, int X2, int Y2);
    Q_INVOKABLE QJSValue get(const QString &Property) const;
    Q_INVOKABLE void set(const QString &Property, const QJSValue &Value);
    Q_INVOKABLE QStringList items() const;
    Q_INVOKABLE QJSValue find(const QString &ObjectName);
    Q_INVOKABLE void screenshot(const QString &File);

    QWidget *Widget() const { return FWidget; }

protected:
    QWidget *Checked() const; // the widget, or a thrown error when it is gone
    QPointer<QWidget> FWidget;
    QJSEngine *FEngine;
};

// A modal dialog (or message box) that a call opened.
class TScriptDialog : public TScriptControl {
    Q_OBJECT
    Q_PROPERTY(QString title READ Title)
    Q_PROPERTY(bool open READ IsOpen)
public:
    using TScriptControl::TScriptControl;
    QString Title() const;
    bool IsOpen() const;
    Q_INVOKABLE QStringList controls() const;
    Q_INVOKABLE void ok();
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void close();
};

// One property row of the Object Inspector, found again by its path at every call.
class TScriptProperty : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString name READ Name CONSTANT)
    Q_PROPERTY(QString path READ Path CONSTANT)
    Q_PROPERTY(QString value READ Value)
    Q_PROPERTY(QString editorClass READ EditorClass)
    Q_PROPERTY(QStringList attributes READ Attributes)
public:
    TScriptProperty(class TScriptHost *Host, const QString &Path);
    QString Name() const;
    QString Path() const { return FPath; }
    QString Value() const;
    QString EditorClass() const;
    QStringList Attributes() const;

    Q_INVOKABLE QStringList values();
    Q_INVOKABLE void setValue(const QString &Text);
    Q_INVOKABLE void edit(const QJSValue &Handler = QJSValue());
    Q_INVOKABLE void revert();
    Q_INVOKABLE QStringList subProperties();
    // Makes the row current (its inline editor opens), as a click on it does.
    Q_INVOKABLE void select();
    // Opens the row's drop-down list; returns its items. pick() chooses one as a click does.
    Q_INVOKABLE QStringList openDropDown();
    Q_INVOKABLE void pick(const QString &Value);
    Q_INVOKABLE QJSValue dropDownItemSize(const QString &Value);

private:
    class TPropertyEditor *Editor() const;
    class TScriptHost *FHost;
    QString FPath;
};

// A context menu of the form designer.
class TScriptMenu : public QObject {
    Q_OBJECT
public:
    TScriptMenu(QMenu *Menu, class TScriptHost *Host);
    ~TScriptMenu() override;
    Q_INVOKABLE QStringList items() const;
    Q_INVOKABLE void trigger(const QString &Text, const QJSValue &Handler = QJSValue());
    Q_INVOKABLE void close();
private:
    QPointer<QMenu> FMenu;
    class TScriptHost *FHost;
};

// The global object "ide".
class TScriptHost : public QObject {
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
    QJSEngine *Engine() { return &FEngine; }
    TMainWindow *Window() const { return FWindow; }
    TPropertyGrid *Inspector() const;

    QString ScreenshotDir() const { return FShotDir; }
    void SetScreenshotDir(const QString &Dir) { FShotDir = Dir; }
    QString Arrange() const;
    void SetArrange(const QString &Value);
    QString Filter() const;
    void SetFilter(const QString &Value);
    QString LastError() const { return FLastError; }

    // Runs Action; when Handler is a function it is called with the first modal window that
    // Action opens. Throws into the script what went wrong.
    void RunWithModal(const std::function<QString()> &Action, const QJSValue &Handler);
    // Files of screenshots: relative names go into the screenshot folder.
    QString ShotPath(const QString &File) const;
    void Throw(const QString &Message);

    // ---- The script API
    Q_INVOKABLE void log(const QString &Text);
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
    TComponent *Component(const QString &Name) const;
    // A visible window of that name, else a widget of that name in any window; nil when none.
    QWidget *NamedWidget(const QString &ObjectName) const;
    THostIDE *FHost;
    TMainWindow *FWindow;
    QJSEngine FEngine;
    QString FShotDir = QStringLiteral(".");
    QString FLastError;
};

// A picture of a window with its open popups and dialogs drawn where they are on screen.
QPixmap GrabWithPopups(QWidget *Window);
// Converts a property value for scripts: numbers, strings, booleans, lists; objects by name.
QJSValue VariantToScript(QJSEngine *Engine, const QVariant &Value);
