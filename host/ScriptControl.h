#pragma once
// A widget of a dialog (or of the IDE) as scripts see it: what it shows, and input as a user
// gives it. Every call on a control whose window is gone throws.
//
// Items (trees, lists, tables, tab pages; ScriptItems.h) are named by text, by path
// "Parent/Child", by number, or a table's cell by [row, column]; a point of a control is
// {x: .., y: ..} in its coordinates. Mouse input goes through the window as a user's does.
#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

class IScriptContext;
class QWidget;

class TScriptControl : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString objectName READ Name CONSTANT)
    Q_PROPERTY(QString className READ ClassName CONSTANT)
    Q_PROPERTY(QString text READ Text)
    Q_PROPERTY(QVariant value READ Value)
    Q_PROPERTY(bool enabled READ Enabled)
    Q_PROPERTY(bool visible READ Visible)
    // Edits (line edits, text edits, the caption edit): the caret and the selection, counted in
    // characters as the edit's text counts them.
    Q_PROPERTY(int caret READ Caret WRITE SetCaret)
    Q_PROPERTY(int selStart READ SelStart)
    Q_PROPERTY(int selLength READ SelLength)
    Q_PROPERTY(QString selectedText READ SelectedText)
public:
    TScriptControl(QWidget *Widget, IScriptContext *Context);
    QString Name() const;
    QString ClassName() const;
    QString Text() const;
    QVariant Value() const;
    bool Enabled() const;
    bool Visible() const;
    int Caret() const;
    void SetCaret(int Value);
    int SelStart() const;
    int SelLength() const;
    QString SelectedText() const;

    // Sets the control's value as a user would choose it: checks a check box, picks a combo
    // item (by text or index), sets a spin box or slider, replaces a text field's text.
    Q_INVOKABLE void setValue(const QJSValue &Value);
    Q_INVOKABLE void click(const QJSValue &Handler = QJSValue());
    Q_INVOKABLE void type(const QString &Text);
    Q_INVOKABLE void key(const QString &KeyName);
    Q_INVOKABLE void drag(int X1, int Y1, int X2, int Y2);
    // Drags with the mouse from an item or point of this control to an item or point of Target
    // (this control when not given; its centre when To is not given).
    Q_INVOKABLE void dragTo(const QJSValue &From, const QJSValue &Target = QJSValue(), const QJSValue &To = QJSValue());
    // Clicks an item (a tree's node, a list's row, a table's cell, a tab page).
    Q_INVOKABLE void select(const QJSValue &Item, const QJSValue &Handler = QJSValue());
    // Double-clicks an item or a point (the control's centre when none is given).
    Q_INVOKABLE void doubleClick(const QJSValue &Item = QJSValue(), const QJSValue &Handler = QJSValue());
    // Selects Length characters from Start (the caret at the right end).
    Q_INVOKABLE void setSelection(int Start, int Length);
    // Drop-down menus of buttons: openMenu calls Handler with the menu while it is down (it
    // must pick an entry or close it); pick drops the menu down and clicks Entry;
    // menuItems tells the entries.
    Q_INVOKABLE void openMenu(const QJSValue &Handler);
    Q_INVOKABLE void pick(const QString &Entry, const QJSValue &Handler = QJSValue());
    Q_INVOKABLE QStringList menuItems();
    Q_INVOKABLE QJSValue get(const QString &Property) const;
    Q_INVOKABLE void set(const QString &Property, const QJSValue &Value);
    // The items of a combo box, a list, a tab widget, or of a tree below Path (the top level
    // when not given).
    Q_INVOKABLE QStringList items(const QString &Path = QString()) const;
    Q_INVOKABLE QJSValue find(const QString &ObjectName);
    Q_INVOKABLE void screenshot(const QString &File);

    QWidget *Widget() const { return FWidget; }

protected:
    QWidget *Checked() const; // the widget, or a thrown error when it is gone
    // The widget, or a thrown error when it is gone, disabled or not shown (for input).
    QWidget *Usable() const;
    // Where an item or point (From/To of dragTo) is: the widget that takes the mouse there.
    bool Locate(QWidget *W, const QJSValue &Where, QWidget *&At, QPoint &Pos) const;
    // The line or text edit that W is or holds, or a thrown error.
    QWidget *Edit() const;
    void Throw(const QString &Message) const;
    QPointer<QWidget> FWidget;
    IScriptContext *FContext;
};
