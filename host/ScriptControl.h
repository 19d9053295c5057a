#pragma once
// A widget of a dialog (or of the IDE) as scripts see it: what it shows, and input as a user
// gives it. Every call on a control whose window is gone throws.
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
public:
    TScriptControl(QWidget *Widget, IScriptContext *Context);
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
    void Throw(const QString &Message) const;
    QPointer<QWidget> FWidget;
    IScriptContext *FContext;
};
