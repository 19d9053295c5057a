#pragma once
// A context menu of the form designer that a script opened; it goes with the wrapper.
#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QStringList>

class IScriptContext;
class QMenu;

class TScriptMenu : public QObject {
    Q_OBJECT
public:
    TScriptMenu(QMenu *Menu, IScriptContext *Context);
    ~TScriptMenu() override;
    // The items' texts without their accelerator marks; separators as "-".
    Q_INVOKABLE QStringList items() const;
    Q_INVOKABLE void trigger(const QString &Text, const QJSValue &Handler = QJSValue());
    Q_INVOKABLE void close();

private:
    QPointer<QMenu> FMenu;
    IScriptContext *FContext;
};
