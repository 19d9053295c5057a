#include "ScriptProperty.h"

#include <QApplication>
#include <QListWidget>
#include <QTreeWidget>

#include "DesignEditors.h"
#include "InputSimulation.h"
#include "PropertyGrid.h"
#include "ScriptContext.h"
#include "ScriptErrors.h"
#include "SysUtils.h"

TScriptProperty::TScriptProperty(IScriptContext *Context, const QString &Path) : FContext(Context), FPath(Path) {}

TPropertyEditor *TScriptProperty::Editor() const
{
    TPropertyEditor *e = FContext->Inspector()->FindProperty(FPath);
    if (!e)
        FContext->Throw(TPropertyGrid::NoPropertyError(FPath));
    return e;
}

void TScriptProperty::ThrowIfError(const QString &Error) const
{
    if (!Error.isEmpty())
        FContext->Throw(Error);
}

QString TScriptProperty::Name() const { return FPath.section(QLatin1Char('.'), -1); }

QString TScriptProperty::Value() const
{
    QString value;
    if (TPropertyEditor *e = Editor())
        ThrowIfError(GuardedCall([&] { value = e->GetVisualValue(); }).value_or(QString()));
    return value;
}

QString TScriptProperty::EditorClass() const
{
    TPropertyEditor *e = Editor();
    return e ? e->EditorClassName() : QString();
}

QStringList TScriptProperty::Attributes() const { return FContext->Inspector()->AttributeNames(FPath); }

QStringList TScriptProperty::values() { return Editor() ? FContext->Inspector()->DropDownValues(FPath) : QStringList(); }

void TScriptProperty::setValue(const QString &Text) { ThrowIfError(FContext->Inspector()->SetPropertyValue(FPath, Text)); }

void TScriptProperty::edit(const QJSValue &Handler)
{
    TPropertyGrid *insp = FContext->Inspector();
    const QString path = FPath;
    FContext->RunWithModal([insp, path] { return insp->EditProperty(path); }, Handler);
}

void TScriptProperty::revert() { ThrowIfError(FContext->Inspector()->RevertProperty(FPath)); }

QStringList TScriptProperty::subProperties()
{
    QStringList out;
    QTreeWidgetItem *item = FContext->Inspector()->FindItem(FPath);
    if (!item)
        FContext->Throw(TPropertyGrid::NoPropertyError(FPath));
    else
        for (int i = 0; i < item->childCount(); ++i)
            out << item->child(i)->text(0);
    return out;
}

void TScriptProperty::select()
{
    TPropertyGrid *insp = FContext->Inspector();
    QTreeWidgetItem *item = insp->FindItem(FPath);
    if (!item)
        return FContext->Throw(TPropertyGrid::NoPropertyError(FPath));
    for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        p->setExpanded(true);
    insp->Tree()->setCurrentItem(item, 1);
    insp->Tree()->scrollToItem(item);
    QApplication::processEvents();
}

QStringList TScriptProperty::openDropDown()
{
    select();
    QListWidget *list = FContext->Inspector()->OpenDropDown();
    if (!list) {
        FContext->Throw(ScriptErrors::NoDropDown(FPath));
        return {};
    }
    QApplication::processEvents();
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void TScriptProperty::pick(const QString &Value)
{
    QListWidget *list = FContext->Inspector()->DropDown();
    if (!list)
        return FContext->Throw(ScriptErrors::NoDropDownOpen());
    const auto found = list->findItems(Value, Qt::MatchExactly);
    if (found.isEmpty())
        return FContext->Throw(ScriptErrors::NotInList(FPath, Value));
    list->scrollToItem(found.first());
    InputSimulation::Click(list->viewport(), list->visualItemRect(found.first()).center());
}

QJSValue TScriptProperty::dropDownItemSize(const QString &Value)
{
    QListWidget *list = FContext->Inspector()->DropDown();
    const auto found = list ? list->findItems(Value, Qt::MatchExactly) : QList<QListWidgetItem *>();
    if (found.isEmpty()) {
        FContext->Throw(ScriptErrors::NotInOpenList(Value));
        return {};
    }
    const QRect r = list->visualItemRect(found.first());
    QJSValue o = FContext->Engine()->newObject();
    o.setProperty(QStringLiteral("width"), r.width());
    o.setProperty(QStringLiteral("height"), r.height());
    o.setProperty(QStringLiteral("listWidth"), list->width());
    return o;
}
