#include "TypInfo.h"

#include <cmath>
#include <limits>

#include <QHash>
#include <memory>
#include <unordered_map>

namespace {
QString displayName(QMetaType t)
{
    switch (t.id()) {
    case QMetaType::Double: return QStringLiteral("Double");
    case QMetaType::Float: return QStringLiteral("Single");
    case QMetaType::Int: return QStringLiteral("Integer");
    case QMetaType::UInt: return QStringLiteral("Cardinal");
    case QMetaType::LongLong: return QStringLiteral("Int64");
    case QMetaType::Bool: return QStringLiteral("Boolean");
    case QMetaType::QString: return QStringLiteral("string");
    case QMetaType::QChar: return QStringLiteral("Char");
    case QMetaType::QVariant: return QStringLiteral("Variant");
    default: break;
    }
    QString n = QString::fromLatin1(t.name());
    if (n.endsWith(QLatin1Char('*')))
        n.chop(1);
    // Types inside a namespace or class show by their own name.
    const int colon = n.lastIndexOf(QLatin1String("::"));
    if (colon >= 0)
        n = n.mid(colon + 2);
    return n.trimmed();
}

TTypeKind kindOf(QMetaType t)
{
    switch (t.id()) {
    case QMetaType::Double:
    case QMetaType::Float: return TTypeKind::tkFloat;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::UChar: return TTypeKind::tkInteger;
    case QMetaType::LongLong:
    case QMetaType::ULongLong: return TTypeKind::tkInt64;
    case QMetaType::Bool: return TTypeKind::tkEnumeration;
    case QMetaType::QString: return TTypeKind::tkUString;
    case QMetaType::QChar: return TTypeKind::tkWChar;
    case QMetaType::QVariant: return TTypeKind::tkVariant;
    default: break;
    }
    if (t.flags() & QMetaType::IsEnumeration)
        return TTypeKind::tkEnumeration;
    if (t.flags() & QMetaType::PointerToQObject)
        return TTypeKind::tkClass;
    if (QByteArray(t.name()).startsWith("QList<") || QByteArray(t.name()).endsWith("DynArray") || QMetaType::canConvert(t, QMetaType::fromType<QList<double>>()))
        return TTypeKind::tkDynArray;
    // An ordinal of the library's own (a colour, say): a value type that converts to a number.
    if (QMetaType::canConvert(t, QMetaType::fromType<qlonglong>()))
        return TTypeKind::tkInteger;
    return TTypeKind::tkRecord;
}

// Type information lives as long as the process: the pointers are handed out. The cache owns
// it, so that it is freed at exit like any other static.
std::unordered_map<int, std::unique_ptr<TTypeInfo>> &typeCache()
{
    static std::unordered_map<int, std::unique_ptr<TTypeInfo>> cache;
    return cache;
}
} // namespace

PTypeInfo GetTypeInfo(QMetaType Type)
{
    auto &cache = typeCache();
    if (auto it = cache.find(Type.id()); it != cache.end())
        return it->second.get();
    auto *ti = (cache[Type.id()] = std::make_unique<TTypeInfo>()).get();
    ti->Type = Type;
    ti->Kind = kindOf(Type);
    ti->Name = displayName(Type);
    if (ti->Kind == TTypeKind::tkClass)
        ti->ClassType = Type.metaObject();
    return ti;
}

PTypeInfo GetTypeInfo(const QMetaProperty &Prop)
{
    PTypeInfo ti = GetTypeInfo(Prop.metaType());
    if (Prop.isEnumType() && !ti->HasEnum) {
        auto *m = const_cast<TTypeInfo *>(ti);
        m->Enum = Prop.enumerator();
        m->HasEnum = true;
        m->Kind = TTypeKind::tkEnumeration;
    }
    return ti;
}

bool TypeMatches(PTypeInfo PropType, PTypeInfo Registered)
{
    if (!PropType || !Registered)
        return false;
    if (PropType == Registered)
        return true;
    if (PropType->Kind == TTypeKind::tkClass && Registered->Kind == TTypeKind::tkClass
        && PropType->ClassType && Registered->ClassType)
        return InheritsFrom(PropType->ClassType, Registered->ClassType);
    return false;
}

QStringList GetEnumNames(PTypeInfo Info)
{
    QStringList out;
    if (!Info)
        return out;
    if (Info->Type.id() == QMetaType::Bool)
        return {QStringLiteral("False"), QStringLiteral("True")};
    if (!Info->HasEnum)
        return out;
    for (int i = 0; i < Info->Enum.keyCount(); ++i)
        out << QString::fromLatin1(Info->Enum.key(i));
    return out;
}

QString GetEnumName(PTypeInfo Info, int Value)
{
    if (!Info)
        return {};
    if (Info->Type.id() == QMetaType::Bool)
        return Value == 0 ? QStringLiteral("False") : Value == 1 ? QStringLiteral("True") : QString();
    if (!Info->HasEnum)
        return {};
    const char *k = Info->Enum.valueToKey(Value);
    return k ? QString::fromLatin1(k) : QString();
}

int GetEnumValue(PTypeInfo Info, const QString &Name)
{
    if (!Info)
        return -1;
    if (Info->Type.id() == QMetaType::Bool) {
        if (Name.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return 0;
        if (Name.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return 1;
        return -1;
    }
    if (!Info->HasEnum)
        return -1;
    for (int i = 0; i < Info->Enum.keyCount(); ++i)
        if (Name.compare(QLatin1String(Info->Enum.key(i)), Qt::CaseInsensitive) == 0)
            return Info->Enum.value(i);
    return -1;
}

int GetEnumMin(PTypeInfo Info)
{
    if (!Info || !Info->HasEnum || Info->Enum.keyCount() == 0)
        return 0;
    int m = Info->Enum.value(0);
    for (int i = 1; i < Info->Enum.keyCount(); ++i)
        m = qMin(m, Info->Enum.value(i));
    return m;
}

int GetEnumMax(PTypeInfo Info)
{
    if (Info && Info->Type.id() == QMetaType::Bool)
        return 1;
    if (!Info || !Info->HasEnum || Info->Enum.keyCount() == 0)
        return 0;
    int m = Info->Enum.value(0);
    for (int i = 1; i < Info->Enum.keyCount(); ++i)
        m = qMax(m, Info->Enum.value(i));
    return m;
}

const QList<TPropInfo> &GetPropInfos(TClass Class)
{
    // Per class, for the life of the process (the entries' addresses are handed out).
    static std::unordered_map<TClass, std::unique_ptr<QList<TPropInfo>>> cache;
    if (auto it = cache.find(Class); it != cache.end())
        return *it->second;
    auto *list = (cache[Class] = std::make_unique<QList<TPropInfo>>()).get();
    for (int i = PublishedPropertyOffset(Class); i < Class->propertyCount(); ++i) {
        QMetaProperty p = Class->property(i);
        if (!p.isDesignable())
            continue;
        list->append({p, QString::fromLatin1(p.name()), GetTypeInfo(p)});
    }
    return *list;
}

PPropInfo GetPropInfo(TClass Class, const QString &Name)
{
    for (const TPropInfo &p : GetPropInfos(Class))
        if (p.Name.compare(Name, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

PPropInfo GetPropInfo(const QObject *Instance, const QString &Name)
{
    return Instance ? GetPropInfo(Instance->metaObject(), Name) : nullptr;
}

QVariant GetPropValue(const QObject *Instance, PPropInfo Info) { return Info->Prop.read(Instance); }

void SetPropValue(QObject *Instance, PPropInfo Info, const QVariant &Value)
{
    if (!Info->Prop.isWritable())
        throw EPropertyError(QStringLiteral("Property %1 is read-only").arg(Info->Name));
    QVariant v = Value;
    if (v.metaType() != Info->Prop.metaType() && !Info->Prop.isEnumType() && !v.convert(Info->Prop.metaType()))
        throw EPropertyError(QStringLiteral("Invalid property value for %1").arg(Info->Name));
    if (!Info->Prop.write(Instance, v))
        throw EPropertyError(QStringLiteral("Invalid property value for %1").arg(Info->Name));
}

long long GetOrdProp(const QObject *Instance, PPropInfo Info)
{
    const QVariant v = GetPropValue(Instance, Info);
    if (Info->PropType->Kind == TTypeKind::tkClass)
        return reinterpret_cast<long long>(v.value<QObject *>());
    bool ok = false;
    long long r = v.toLongLong(&ok);
    if (!ok) {
        QVariant c = v;
        if (c.convert(QMetaType::fromType<qlonglong>()))
            r = c.toLongLong();
    }
    return r;
}

void SetOrdProp(QObject *Instance, PPropInfo Info, long long Value)
{
    // An object property's ordinal value is the object's address, as GetOrdProp gives it.
    if (Info->PropType->Kind == TTypeKind::tkClass) {
        SetObjectProp(Instance, Info, reinterpret_cast<QObject *>(Value));
        return;
    }
    QVariant v;
    const QMetaType mt = Info->Prop.metaType();
    if (Info->Prop.isEnumType()) {
        v = QVariant::fromValue(int(Value));
    } else if (mt.id() == QMetaType::Bool) {
        v = QVariant(Value != 0);
    } else {
        v = QVariant::fromValue(qlonglong(Value));
        if (!v.convert(mt))
            throw EPropertyError(QStringLiteral("Invalid property value for %1").arg(Info->Name));
    }
    if (!Info->Prop.write(Instance, v))
        throw EPropertyError(QStringLiteral("Invalid property value for %1").arg(Info->Name));
}

double GetFloatProp(const QObject *Instance, PPropInfo Info) { return GetPropValue(Instance, Info).toDouble(); }
void SetFloatProp(QObject *Instance, PPropInfo Info, double Value)
{
    // Form files, undo and every text reader know finite values only: what they could not
    // give back does not get in.
    const bool single = Info->Prop.metaType().id() == QMetaType::Float;
    if (!std::isfinite(Value) || (single && std::fabs(Value) > double(std::numeric_limits<float>::max())))
        throw EConvertError(QStringLiteral("%1 is not a valid value for %2").arg(FloatToStr(Value), Info->Name));
    if (single)
        SetPropValue(Instance, Info, QVariant(float(Value)));
    else
        SetPropValue(Instance, Info, QVariant(Value));
}
QString GetStrProp(const QObject *Instance, PPropInfo Info) { return GetPropValue(Instance, Info).toString(); }
void SetStrProp(QObject *Instance, PPropInfo Info, const QString &Value) { SetPropValue(Instance, Info, QVariant(Value)); }
QObject *GetObjectProp(const QObject *Instance, PPropInfo Info) { return GetPropValue(Instance, Info).value<QObject *>(); }
void SetObjectProp(QObject *Instance, PPropInfo Info, QObject *Value)
{
    QVariant v = QVariant::fromValue(Value);
    if (!v.convert(Info->Prop.metaType()) && Value)
        throw EPropertyError(QStringLiteral("Invalid property value for %1").arg(Info->Name));
    if (!Value)
        v = QVariant(Info->Prop.metaType(), nullptr);
    if (!Info->Prop.write(Instance, v))
        throw EPropertyError(QStringLiteral("Invalid property value for %1").arg(Info->Name));
}
