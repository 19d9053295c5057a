#pragma once
// A menu that a script opened: a context menu of the form designer (it goes with the wrapper)
// or the drop-down of a tool button (its button keeps it).
#include <QJSValue>
#include <QObject>
#include <QPointer>
#include <QStringList>

class IScriptContext;
class QMenu;

class TScriptMenu : public QObject {
    Q_OBJECT
public:
    // Owned: the menu goes with this object.
    TScriptMenu(QMenu *Menu, IScriptContext *Context, bool Owned = true);
    ~TScriptMenu() override;
    // The items' texts without their accelerator marks; separators as "-".
    Q_INVOKABLE QStringList items() const;
    // Clicks the item (by its text, or its object name) as a user does.
    Q_INVOKABLE void trigger(const QString &Text, const QJSValue &Handler = QJSValue());
    Q_INVOKABLE void close();
    Q_INVOKABLE void screenshot(const QString &File);

private:
    QPointer<QMenu> FMenu;
    IScriptContext *FContext;
    bool FOwned;
};
