#pragma once
// Values between Qt and the IDE's scripts.
#include <QJSEngine>
#include <QJSValue>
#include <QVariant>

class QMetaProperty;

// A property value for scripts: numbers, strings, booleans, lists (string lists too); objects by
// name.
QJSValue VariantToScript(QJSEngine *Engine, const QVariant &Value);
// A script value as the property's type takes it: enumerations also by name, whole numbers as
// integers for the property type's converters.
QVariant ScriptToProperty(const QJSValue &Value, const QMetaProperty &Prop);
