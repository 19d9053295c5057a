#pragma once
// What the script wrappers (controls, dialogs, property rows, menus) need of the IDE's script
// host, so that they do not depend on it: its engine, the one way to raise an error into the
// script, modal runs and the screenshot folder.
#include <QJSEngine>
#include <QJSValue>
#include <QString>
#include <functional>

class QObject;
class TPropertyGrid;

class IScriptContext {
public:
    virtual ~IScriptContext() = default;
    virtual QJSEngine *Engine() = 0;
    // Raises Message as a JavaScript Error in the running script.
    virtual void Throw(const QString &Message) = 0;
    // Runs Action; when Handler is a function it is called with the first modal window that
    // Action opens. Throws into the script what went wrong (Action's error text too).
    virtual void RunWithModal(const std::function<QString()> &Action, const QJSValue &Handler) = 0;
    // Files of screenshots: relative names go into the screenshot folder.
    virtual QString ShotPath(const QString &File) const = 0;
    virtual TPropertyGrid *Inspector() const = 0;
};

// Hands Object to the script, which then owns it.
inline QJSValue WrapForScript(QJSEngine *Engine, QObject *Object)
{
    QJSEngine::setObjectOwnership(Object, QJSEngine::JavaScriptOwnership);
    return Engine->newQObject(Object);
}
