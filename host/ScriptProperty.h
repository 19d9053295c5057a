#pragma once
// One property row of the Object Inspector as scripts see it, found again by its path at every
// call ("Caption", "Line.Color").
#include <QJSValue>
#include <QObject>
#include <QStringList>

class IScriptContext;
class TPropertyEditor;

class TScriptProperty : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString name READ Name CONSTANT)
    Q_PROPERTY(QString path READ Path CONSTANT)
    Q_PROPERTY(QString value READ Value)
    Q_PROPERTY(QString editorClass READ EditorClass)
    Q_PROPERTY(QStringList attributes READ Attributes)
public:
    TScriptProperty(IScriptContext *Context, const QString &Path);
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
    // The row's editor, or a thrown error when the selection has no such row.
    TPropertyEditor *Editor() const;
    void ThrowIfError(const QString &Error) const;
    IScriptContext *FContext;
    QString FPath;
};
