#pragma once
// The texts of the errors that scripting raises, each made here once.
#include <QString>

class QJSValue;

namespace ScriptErrors {

QString ControlGone();
QString Disabled(const QString &What);
QString NoItem(const QString &Control, const QString &Item);
QString TakesNoValue(const QString &Control, const QString &ClassName);
QString UnknownKey(const QString &Key);
QString NoProperty(const QString &Owner, const QString &Property);
QString DoesNotTake(const QString &Control, const QString &Property, const QString &Value);
QString NoControl(const QString &Owner, const QString &Name);
QString CannotWrite(const QString &File);
QString CannotRead(const QString &File, const QString &Reason);
QString HandlerNotAFunction();
QString HandlerFailed(const QString &Error, const QString &Line);
// What a handler's call returned, as an error text: empty when it did not throw.
QString HandlerError(const QJSValue &Result);
QString DialogLeftOpen(const QString &Title);
QString NoDialogOpened();
QString NoDropDown(const QString &Path);
QString NoDropDownOpen();
QString NotInList(const QString &Path, const QString &Value);
QString NotInOpenList(const QString &Value);
QString NoMenuItem(const QString &Text);
QString NoMenu(const QString &Control);
QString NoMenuOpened(const QString &Control);
QString MenuLeftOpen(const QString &Control);
QString NotShown(const QString &Control);
QString NotAnEdit(const QString &Control);
QString NoPoint(const QString &Control, const QString &What);
QString NotOnPalette(const QString &ClassName);
QString CannotPlace(const QString &ClassName, int X, int Y);
QString NoComponent(const QString &Name);
QString NotSet(const QString &Component, const QString &Path);
QString NoVerb(const QString &Component, const QString &Verb);
QString BadArrange(const QString &Value);
QString NoWindow(const QString &Name);
// "file:line: message", as kvide --script reports a script that threw.
QString ScriptFailed(const QString &File, const QString &Line, const QString &Message);

} // namespace ScriptErrors
