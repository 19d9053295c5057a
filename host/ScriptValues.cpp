#include "ScriptValues.h"

#include <QMetaProperty>

#include "Classes.h"

QJSValue VariantToScript(QJSEngine *Engine, const QVariant &Value)
{
    if (!Value.isValid())
        return QJSValue(QJSValue::UndefinedValue);
    switch (Value.metaType().id()) {
    case QMetaType::Bool:
        return QJSValue(Value.toBool());
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
        return QJSValue(Value.toDouble());
    case QMetaType::QString:
        return QJSValue(Value.toString());
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
        return Engine->toScriptValue(Value.toList());
    default:
        break;
    }
    if (Value.metaType().flags() & QMetaType::PointerToQObject) {
        QObject *o = Value.value<QObject *>();
        if (!o)
            return QJSValue(QJSValue::NullValue);
        if (const TComponent *c = AsComponent(o); c && !c->Name().isEmpty())
            return QJSValue(c->Name());
        if (const auto *strings = qobject_cast<const TStrings *>(o))
            return Engine->toScriptValue(strings->Strings());
        return QJSValue(QString::fromLatin1(o->metaObject()->className()));
    }
    if (Value.metaType().flags() & QMetaType::IsEnumeration)
        return QJSValue(Value.toInt());
    if (QVariant l = Value; l.canConvert<QVariantList>() && l.convert(QMetaType::fromType<QVariantList>()))
        return Engine->toScriptValue(l.toList());
    if (QVariant n = Value; n.convert(QMetaType::fromType<qlonglong>()))
        return QJSValue(double(n.toLongLong()));
    if (QVariant s = Value; s.convert(QMetaType::fromType<QString>()))
        return QJSValue(s.toString());
    return QJSValue(QString::fromLatin1(Value.typeName()));
}

QVariant ScriptToProperty(const QJSValue &Value, const QMetaProperty &Prop)
{
    QVariant v = Value.toVariant();
    const QMetaType target = Prop.metaType();
    if (v.metaType() == target)
        return v;
    if (Prop.isEnumType() && Value.isString()) {
        bool ok = false;
        const int e = Prop.enumerator().keyToValue(Value.toString().toLatin1().constData(), &ok);
        if (ok)
            return QVariant(e);
    }
    // Whole numbers reach the converters of the property's type as integers.
    if (Value.isNumber() && target.id() != QMetaType::Double && target.id() != QMetaType::Float &&
        Value.toNumber() == double(qint64(Value.toNumber())))
        v = QVariant(qlonglong(Value.toNumber()));
    if (QVariant c = v; c.convert(target))
        return c;
    return v;
}
