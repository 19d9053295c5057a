#include "ScriptErrors.h"

#include <QJSValue>

namespace ScriptErrors {

QString ControlGone() { return QStringLiteral("The control is gone (its window was closed)"); }
QString Disabled(const QString &What) { return QStringLiteral("%1 is disabled").arg(What); }
QString NoItem(const QString &Control, const QString &Item) { return QStringLiteral("%1 has no item %2").arg(Control, Item); }
QString TakesNoValue(const QString &Control, const QString &ClassName)
{
    return QStringLiteral("%1 (%2) takes no value").arg(Control, ClassName);
}
QString UnknownKey(const QString &Key) { return QStringLiteral("Unknown key %1").arg(Key); }
QString NoProperty(const QString &Owner, const QString &Property)
{
    return QStringLiteral("%1 has no property %2").arg(Owner, Property);
}
QString DoesNotTake(const QString &Control, const QString &Property, const QString &Value)
{
    return QStringLiteral("%1.%2 does not take %3").arg(Control, Property, Value);
}
QString NoControl(const QString &Owner, const QString &Name) { return QStringLiteral("%1 has no control %2").arg(Owner, Name); }
QString CannotWrite(const QString &File) { return QStringLiteral("Cannot write %1").arg(File); }
QString CannotRead(const QString &File, const QString &Reason) { return QStringLiteral("Cannot read %1: %2").arg(File, Reason); }
QString HandlerNotAFunction() { return QStringLiteral("The dialog handler must be a function"); }
QString HandlerFailed(const QString &Error, const QString &Line) { return QStringLiteral("%1 (line %2)").arg(Error, Line); }
QString HandlerError(const QJSValue &Result)
{
    return Result.isError() ? HandlerFailed(Result.toString(), Result.property(QStringLiteral("lineNumber")).toString())
                            : QString();
}
QString DialogLeftOpen(const QString &Title)
{
    return QStringLiteral("The dialog \"%1\" was left open; it was cancelled").arg(Title);
}
QString NoDialogOpened() { return QStringLiteral("No dialog opened"); }
QString NoDropDown(const QString &Path) { return QStringLiteral("%1 has no drop-down list").arg(Path); }
QString NoDropDownOpen() { return QStringLiteral("No drop-down list is open"); }
QString NotInList(const QString &Path, const QString &Value) { return QStringLiteral("The list of %1 has no %2").arg(Path, Value); }
QString NotInOpenList(const QString &Value) { return QStringLiteral("No open drop-down list has %1").arg(Value); }
QString NoMenuItem(const QString &Text) { return QStringLiteral("The menu has no item %1").arg(Text); }
QString NoMenu(const QString &Control) { return QStringLiteral("%1 has no drop-down menu").arg(Control); }
QString NoMenuOpened(const QString &Control) { return QStringLiteral("No menu dropped down from %1").arg(Control); }
QString MenuLeftOpen(const QString &Control)
{
    return QStringLiteral("The menu of %1 was left open; it was closed").arg(Control);
}
QString NotShown(const QString &Control) { return QStringLiteral("%1 is not shown").arg(Control); }
QString NotAnEdit(const QString &Control) { return QStringLiteral("%1 is no edit (it has no caret)").arg(Control); }
QString NoPoint(const QString &Control, const QString &What)
{
    return QStringLiteral("%1 has no item or point %2").arg(Control, What);
}
QString NotOnPalette(const QString &ClassName) { return QStringLiteral("%1 is not on the palette").arg(ClassName); }
QString CannotPlace(const QString &ClassName, int X, int Y)
{
    return QStringLiteral("%1 could not be placed at %2, %3").arg(ClassName).arg(X).arg(Y);
}
QString NoComponent(const QString &Name) { return QStringLiteral("The form has no component %1").arg(Name); }
QString NotSet(const QString &Component, const QString &Path) { return QStringLiteral("%1.%2 is not set").arg(Component, Path); }
QString NoVerb(const QString &Component, const QString &Verb) { return QStringLiteral("%1 has no verb %2").arg(Component, Verb); }
QString BadArrange(const QString &Value)
{
    return QStringLiteral("arrange is \"category\" or \"name\", not \"%1\"").arg(Value);
}
QString NoWindow(const QString &Name) { return QStringLiteral("No window or control is named %1").arg(Name); }
QString ScriptFailed(const QString &File, const QString &Line, const QString &Message)
{
    return QStringLiteral("%1:%2: %3").arg(File, Line, Message);
}

} // namespace ScriptErrors
